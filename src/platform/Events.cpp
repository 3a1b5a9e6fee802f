// Pending window events, and holding input back while they run.
#include "platform/Events.h"

#include <QCoreApplication>
#include <QEvent>

namespace tarsio {

namespace {

bool isInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DoEvents() { QCoreApplication::processEvents(); }

QEvent::Type FileDropEvent::kind() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

InputHold::InputHold() { QCoreApplication::instance()->installEventFilter(this); }

InputHold::~InputHold() {
  QCoreApplication::instance()->removeEventFilter(this);
  for (auto& [receiver, event] : held_)
    if (receiver) QCoreApplication::postEvent(receiver, event.release());
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // A drop is refused rather than held: what it carries lives only while it is being delivered.
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    event->ignore();
    return true;
  }
  if (!isInput(type) && type != FileDropEvent::kind()) return false;
  held_.emplace_back(watched, event->clone());
  return true;
}

}  // namespace tarsio
