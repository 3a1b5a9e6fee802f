// The canvas's aids to a closer look: a picture that maps the grid (a click on it centres the view on
// the same spot of the grid, and the part of the grid in view is outlined on it), and the command rows
// drawn faint over the table until the pointer comes near them.
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QScrollBar>

#include "platform/BoardCanvas.h"
#include "platform/Twips.h"

namespace tarsio {

namespace {

// How strongly the command rows show over a closer look, and how near the pointer comes (canvas
// pixels) before they show fully.
constexpr double FaintOpacity = 0.25;
constexpr int NearPixels = 40;

// The point of `to` at the place `at` holds in `from`.
QPointF mapped(QPointF at, const QRectF& from, const QRectF& to) {
  return {to.left() + (at.x() - from.left()) / from.width() * to.width(),
          to.top() + (at.y() - from.top()) / from.height() * to.height()};
}

}  // namespace

void BoardCanvas::setMap(const QRectF& map, const QRectF& territory) {
  if (map == map_ && territory == territory_) return;
  map_ = map;
  territory_ = territory;
  if (!view_.showsAll()) update();
}

bool BoardCanvas::clickOnMap(QPointF twips) {
  if (view_.showsAll() || map_.isEmpty() || territory_.isEmpty() || !map_.contains(twips)) return false;
  view_.zoomCentredOn(view_.zoom(), mapped(twips, map_, territory_));
  viewChanged();
  return true;
}

// The part of the grid in view, outlined on its map in the window-text colour and a white halo.
void BoardCanvas::paintMap(QPainter& painter) const {
  if (view_.showsAll() || map_.isEmpty() || territory_.isEmpty()) return;
  const QPointF a = view_.toTwips(QPointF(0, 0)), b = view_.toTwips(QPointF(width(), height()));
  const QRectF seen = QRectF(a, b).intersected(territory_);
  if (seen.isEmpty()) return;
  const QRectF onMap(view_.toCanvas(mapped(seen.topLeft(), territory_, map_)),
                     view_.toCanvas(mapped(seen.bottomRight(), territory_, map_)));
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 3));
  painter.drawRect(onMap);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  painter.drawRect(onMap);
}

// The canvas's own children but its scroll bars are the command rows.
void BoardCanvas::fadeFurniture(QPointF canvasPoint) {
  QRect rows;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible() && child != horizontalBar_ && child != verticalBar_) rows |= child->geometry();
  const bool near = rows.adjusted(-NearPixels, -NearPixels, NearPixels, NearPixels).contains(canvasPoint.toPoint());
  const bool faint = !view_.showsAll() && !near;
  if (faint == furnitureFaint_) return;
  furnitureFaint_ = faint;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child == horizontalBar_ || child == verticalBar_) continue;
    if (faint) {
      auto* effect = new QGraphicsOpacityEffect(child);
      effect->setOpacity(FaintOpacity);
      child->setGraphicsEffect(effect);
    } else {
      child->setGraphicsEffect(nullptr);
    }
  }
}

}  // namespace tarsio
