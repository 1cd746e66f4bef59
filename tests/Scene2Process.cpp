#include "tests/Scene2Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/SceneTestSupport.h"

pid_t StartScene2(const Scene2Start& start) {
  std::vector<char*> argv{const_cast<char*>("scene2")};
  for (const std::string& arg : start.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int log = open(start.output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    const int out = start.outputDescriptor >= 0 ? start.outputDescriptor : log;
    if (log < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(log, STDERR_FILENO) < 0) _exit(126);
    if (start.fileSizeLimit) {
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = *start.fileSizeLimit;
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    if (start.ignoresBrokenPipes) signal(SIGPIPE, SIG_IGN);
    execv(SCENE2_PROGRAM, argv.data());
    _exit(127);
  }
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> TemporaryFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!FileExists(folder)) return names;
  for (const std::string& name : ScratchFolder::FileNamesOf(folder))
    if (name.starts_with(".~")) names.push_back(name);
  return names;
}
