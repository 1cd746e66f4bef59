#include "tools/bench/PeakMemory.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

extern char** environ;

uint64_t PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;  // given in kB
  return 0;
}

std::string RunSelf(const std::vector<std::string>& args) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

  const std::string self = "/proc/self/exe";
  std::vector<char*> argv{const_cast<char*>(self.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    throw std::runtime_error(std::string("cannot start a child run: ") + std::strerror(spawned));
  }

  std::string output;
  char block[4096];
  for (ssize_t got; (got = read(pipeEnds[0], block, sizeof block)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    output.append(block, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the child run failed");
  return output;
}
