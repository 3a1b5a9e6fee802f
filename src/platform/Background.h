// Slow work done on a worker thread, its result a plain value handed back to the interface thread.
#pragma once

#include <QGuiApplication>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>

namespace tarsio {

// One piece of work at a time, whose value the interface thread takes when it is told the work is
// done, or at once when it cannot go on without it. The work touches only what it was given and the
// value it makes, so the interface thread never waits for a lock the work holds; it waits only for the
// value itself, when it must.
template <typename T>
class Background {
 public:
  Background() { pool_.setMaxThreadCount(2); }
  ~Background() { drop(); }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  // Starts `work` on a worker thread; once it is done `done` runs on the thread of `context` (the
  // interface thread), unless the value has been taken or the work dropped by then. The work is told
  // through its argument when it has been dropped, and may then end early with any value.
  void start(std::function<T(const std::atomic<bool>& dropped)> work, QObject* context,
             std::function<void()> done) {
    drop();
    auto promise = std::make_shared<std::promise<T>>();
    future_ = promise->get_future();
    dropped_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned run = runs_;
    pool_.start([this, promise, dropped = dropped_, work = std::move(work), context, done = std::move(done), run] {
      promise->set_value(work(*dropped));
      QMetaObject::invokeMethod(
          context, [this, done, run] { if (run == runs_ && future_.valid()) done(); }, Qt::QueuedConnection);
    });
  }

  // Whether work was started whose value has not been taken nor dropped.
  bool pending() const { return future_.valid(); }

  // The value, waiting for the work to end when it has not; the pointer shows busy when that takes
  // longer than `patience`. Only while pending().
  T take(std::chrono::milliseconds patience) {
    if (future_.wait_for(patience) != std::future_status::ready) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      QGuiApplication::sync();
      future_.wait();
      QGuiApplication::restoreOverrideCursor();
    }
    ++runs_;
    dropped_.reset();
    return future_.get();
  }

  // Forgets the work: it ends on its own thread, as early as it can, and its value is thrown away there.
  void drop() {
    if (dropped_) *dropped_ = true;
    dropped_.reset();
    future_ = {};
    ++runs_;
  }

 private:
  std::future<T> future_;
  std::shared_ptr<std::atomic<bool>> dropped_;  // the running work's flag
  unsigned runs_ = 0;  // counts the works started, taken or dropped, so that a late `done` is ignored
  QThreadPool pool_;   // last, so that it waits for a running work before the rest goes
};

}  // namespace tarsio
