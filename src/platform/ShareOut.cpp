// Work split between this thread and one of Qt's pool threads.
#include "platform/ShareOut.h"

#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <atomic>

namespace tarsio {

// Both threads take the next chunk until none is left, so neither waits long for the other however the
// cost of the items varies, and a pool thread that starts late only takes what is left.
void shareOut(int count, int chunk, const std::function<void(int first, int last)>& work) {
  std::atomic<int> next = 0;
  const auto takeChunks = [&] {
    for (int first = next.fetch_add(chunk); first < count; first = next.fetch_add(chunk))
      work(first, std::min(first + chunk, count));
  };
  QSemaphore helperDone;
  const bool helped = count > chunk && QThreadPool::globalInstance()->tryStart([&] {
    takeChunks();
    helperDone.release();
  });
  takeChunks();
  if (helped) helperDone.acquire();
}

}  // namespace tarsio
