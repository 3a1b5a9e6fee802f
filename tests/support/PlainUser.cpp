// The plain user, and a child process that drops to it.
#include "support/PlainUser.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarsio {

PlainUser plainUser() {
  if (geteuid() != 0) return {geteuid(), getegid()};
  const passwd* nobody = getpwnam("nobody");
  return nobody ? PlainUser{nobody->pw_uid, nobody->pw_gid} : PlainUser{65534, 65534};
}

bool asPlainUser(const std::function<void()>& checks) {
  const PlainUser user = plainUser();
  const pid_t child = fork();
  if (child == 0) {
    const bool dropped =
        geteuid() != 0 || (setgroups(0, nullptr) == 0 && setresgid(user.gid, user.gid, user.gid) == 0 &&
                           setresuid(user.uid, user.uid, user.uid) == 0);
    if (dropped) checks();
    _exit(dropped && !testing::Test::HasFailure() ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tarsio
