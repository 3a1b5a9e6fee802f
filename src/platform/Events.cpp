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

int holds = 0;
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting;

}  // namespace

void DoEvents() { QCoreApplication::processEvents(); }

QEvent::Type FileDropEvent::kind() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

InputHold::InputHold() {
  ++holds;
  QCoreApplication::instance()->installEventFilter(this);
}

// What waited for the hold is posted after the input it held back, so that it runs after that input.
InputHold::~InputHold() {
  QCoreApplication::instance()->removeEventFilter(this);
  for (auto& [receiver, event] : held_)
    if (receiver) QCoreApplication::postEvent(receiver, event.release());
  if (--holds > 0) return;
  for (auto& [context, work] : std::exchange(waiting, {}))
    if (context) QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

bool InputHold::holding() { return holds > 0; }

void InputHold::afterInput(QObject* context, std::function<void()> work) {
  if (holds == 0)
    work();
  else
    waiting.emplace_back(context, std::move(work));
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
