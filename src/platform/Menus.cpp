// Menu items over QAction, with the check mark owned by the game.
#include "platform/Menus.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace tarsio {

namespace {

// A check mark in the colour of menu text, sharp on the screen's pixels.
QIcon checkMarkIcon() {
  const int size = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
  const qreal ratio = qApp->devicePixelRatio();
  QPixmap pixmap(QSize(size, size) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QApplication::palette().color(QPalette::WindowText), size / 8.0, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(size * 0.2, size * 0.52);
  tick.lineTo(size * 0.42, size * 0.74);
  tick.lineTo(size * 0.8, size * 0.28);
  painter.drawPath(tick);
  return QIcon(pixmap);
}

}  // namespace

void MenuItem::attach(QAction* action) {
  action_ = action;
  QObject::connect(action_, &QAction::triggered, [this] {
    if (onClick) onClick();
  });
}

QString MenuItem::Caption() const { return action_->text(); }
void MenuItem::setCaption(const QString& caption) { action_->setText(caption); }
bool MenuItem::Enabled() const { return action_->isEnabled(); }
void MenuItem::setEnabled(bool enabled) { action_->setEnabled(enabled); }

// The item is not checkable in Qt's sense: a checkable item shows an empty box when unmarked under
// some styles, while the game shows a check mark beside the marked item and nothing beside the others.
void MenuItem::setChecked(bool checked) {
  checked_ = checked;
  action_->setIcon(checked ? checkMarkIcon() : QIcon());
}

}  // namespace tarsio
