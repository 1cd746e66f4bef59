#include "tools/bench/Processes.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/bench/Timing.h"

extern char** environ;

ProcessRun RunProcess(const std::vector<std::string>& command, int expected) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  Stopwatch clock;
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + command[0] + ": " + std::strerror(spawned));
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  const double milliseconds = clock.Milliseconds();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != expected) throw std::runtime_error(command[0] + " failed");
  return {milliseconds, static_cast<uint64_t>(usage.ru_maxrss) * 1024};  // given in KiB
}

std::string OwnExecutable() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) == path.size())
    throw std::runtime_error(std::string("cannot find this program's own file: ") + std::strerror(errno));
  path.resize(static_cast<size_t>(length));
  return path;
}
