// Letting pending window events run in the middle of a long command, and holding the player's input
// back meanwhile.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

class QEvent;

namespace tarsio {

void DoEvents();

// Holds back the player's input (mouse, keys, wheel, shortcuts, context menus) while it lives, and hands
// it on, in order, when it ends; a long command that lets pending events run keeps its board consistent.
// Closing a window is not input: it is let through. A file dropped meanwhile is refused.
class InputHold : public QObject {
 public:
  InputHold();
  ~InputHold() override;
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace tarsio
