// Answers the modal windows of a given kind that open while a blocking call runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace tarsio {

// Runs `open`; each time a modal window of type T becomes active, `answer` is given it once (it must
// close it). A modal window still open after five seconds fails the test and is closed. Returns how
// many windows of type T were answered.
template <class T>
int answerModal(const std::function<void()>& open, const std::function<void(T&)>& answer) {
  int answered = 0;
  QWidget* last = nullptr;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* window = dynamic_cast<T*>(modal); window && window != last) {
      last = window;
      ++answered;
      answer(*window);
    } else if (modal && clock.elapsed() > 5000) {
      ADD_FAILURE() << "a modal window stayed open";
      modal->close();
    }
  });
  poll.start();
  open();
  return answered;
}

}  // namespace tarsio
