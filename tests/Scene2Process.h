#pragma once
// The real scene2 program started as a process, as a user or a script
// starts it: its standard output and error where the test wants them, with
// limits and signal dispositions of the test's choosing.

#include <sys/resource.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

struct Scene2Start {
  std::vector<std::string> args{};
  std::string output{};                   // a file for standard output and error, appended to
  int outputDescriptor = -1;              // or this descriptor for standard output (a pipe's end)
  std::optional<rlim_t> fileSizeLimit{};  // on the files it writes, standard output among them
  bool ignoresBrokenPipes = false;        // SIGPIPE ignored, as some parents leave it
};

pid_t StartScene2(const Scene2Start& start);

// The exit status, or 128 and the signal's number when a signal ended it, as
// a shell gives it.
int Wait(pid_t child);

// The names of the temporary files and folders that a save or an export
// makes in `folder`; none while there is no such folder.
std::vector<std::string> TemporaryFilesIn(const std::string& folder);
