#include <cstdio>
#include <iostream>

#include "tools/scene2/Scene2Cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "tools/scene2/ConsoleOutput.h"
#include "tools/scene2/WideArguments.h"
#else
#include <csignal>
#endif

namespace {

int Run(const std::vector<std::string>& arguments) {
  std::ios::sync_with_stdio(false);
  std::ostream out(std::cout.rdbuf());
  std::ostream err(std::cerr.rdbuf());
  err.setf(std::ios::unitbuf);
#ifdef _WIN32
  // Trace lines end in CR LF themselves; text mode would double the CR.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::unique_ptr<std::streambuf> outConsole = NewConsoleBuffer(STD_OUTPUT_HANDLE);
  const std::unique_ptr<std::streambuf> errConsole = NewConsoleBuffer(STD_ERROR_HANDLE);
  if (outConsole) out.rdbuf(outConsole.get());
  if (errConsole) err.rdbuf(errConsole.get());
#endif
  const int status = RunScene2(arguments, out, err);
  out.flush();
  return status;
}

}  // namespace

#ifdef _WIN32
// The wide entry point: the arguments come whole whatever the ANSI code page,
// and are UTF-8 from here on, as on Linux.
int wmain(int argc, wchar_t** argv) { return Run(Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) {
  // A write past the limit on file sizes then fails with "File too large", as
  // on a full disk, and the save cleans up, instead of the signal ending the
  // program with a temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
