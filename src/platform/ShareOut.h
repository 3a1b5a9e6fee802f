// Work split between this thread and one of Qt's pool threads, for the two cores of a small machine.
#pragma once

#include <functional>

namespace tarsio {

// Calls work(first, last) for consecutive chunks of [0, count), at most `chunk` items each, from this
// thread and, when one is free, from one of Qt's pool threads; returns when every chunk is done. Each
// chunk is done once, on one thread; the caller sees everything the work wrote.
void shareOut(int count, int chunk, const std::function<void(int first, int last)>& work);

}  // namespace tarsio
