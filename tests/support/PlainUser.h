// Running checks as a user whom file permissions bind, even when the suite runs as root.
#pragma once

#include <sys/types.h>

#include <functional>

namespace tarsio {

// Nobody when the suite runs as root (as it does in CI), else the suite's own user.
struct PlainUser {
  uid_t uid;
  gid_t gid;
};
PlainUser plainUser();

// Runs `checks` (gtest assertions) in a forked child as the plain user; true when none failed there.
bool asPlainUser(const std::function<void()>& checks);

}  // namespace tarsio
