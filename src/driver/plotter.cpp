#include "driver/plotter.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace regmap {

int ShellPlotter::run(const char* command) {
  char sh[] = "sh";
  char dash_c[] = "-c";
  char* argv[] = {sh, dash_c, const_cast<char*>(command), nullptr};
  // The child starts with the default action for SIGPIPE, whatever the program set.
  posix_spawnattr_t attr;
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_init(&attr);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, shell_, nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (spawned != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace regmap
