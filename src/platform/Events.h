// Letting pending window events run in the middle of a long command, and holding the player's input
// back meanwhile.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tarsio {

void DoEvents();

// A file dropped on the board, posted so that it is opened after the drop has returned: the program it
// was dragged from is not kept waiting for the game's work or its questions. It is the player's input.
class FileDropEvent : public QEvent {
 public:
  explicit FileDropEvent(const QString& path) : QEvent(kind()), path_(path) {}
  static QEvent::Type kind();
  FileDropEvent* clone() const override { return new FileDropEvent(*this); }
  const QString& path() const { return path_; }

 private:
  QString path_;
};

// Holds back the player's input (mouse, keys, wheel, shortcuts, context menus) while it lives, and hands
// it on, in order, when it ends; a long command that lets pending events run keeps its board consistent.
// Closing a window is not input: it is let through. A file dropped meanwhile is refused; one dropped
// before and not yet opened waits like the rest.
class InputHold : public QObject {
 public:
  InputHold();
  ~InputHold() override;
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  // Whether a hold is on: a command is half way.
  static bool holding();
  // Runs `work` at once when no hold is on; else once the last hold has ended and the input it held
  // back has run, unless `context` is gone by then.
  static void afterInput(QObject* context, std::function<void()> work);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace tarsio
