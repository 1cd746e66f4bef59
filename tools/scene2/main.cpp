#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "os/InterruptCleanup.h"
#include "os/StandardStreams.h"
#include "tools/scene2/Commands.h"
#include "tools/scene2/Scene2Cli.h"
#include "tools/scene2/StandardOutputBuffer.h"

#ifdef _WIN32
#include "tools/scene2/ConsoleOutput.h"
#include "tools/scene2/WideArguments.h"
#else
#include <csignal>
#endif

namespace {

int Run(const std::vector<std::string>& arguments) {
  // Bytes as they are: trace lines end in CR LF themselves.
  StandardOutputBuffer outBytes(os::StandardStream::Output);
  StandardOutputBuffer errBytes(os::StandardStream::Error);
  std::ostream out(&outBytes);
  std::ostream err(&errBytes);
  err.setf(std::ios::unitbuf);
#ifdef _WIN32
  const std::unique_ptr<std::streambuf> outConsole = NewConsoleBuffer(STD_OUTPUT_HANDLE);
  const std::unique_ptr<std::streambuf> errConsole = NewConsoleBuffer(STD_ERROR_HANDLE);
  if (outConsole) out.rdbuf(outConsole.get());
  if (errConsole) err.rdbuf(errConsole.get());
#endif
  const OutputKind outKind = os::IsTerminal(os::StandardStream::Output) ? OutputKind::Terminal : OutputKind::FileOrPipe;
  int status = RunScene2(arguments, out, err, outKind);
  out.flush();
  // A listing cut short by a full disk is no success; a reader that stopped
  // reading (| head) had what it wanted.
  if (const std::optional<os::Failure>& failed = outBytes.Failed(); failed && !failed->pipeClosed) {
    err << "scene2: cannot write the output: " << failed->reason << '\n';
    status = kFailure;
  }
  return status;
}

}  // namespace

#ifdef _WIN32
// The wide entry point: the arguments come whole whatever the ANSI code page,
// and are UTF-8 from here on, as on Linux.
int wmain(int argc, wchar_t** argv) {
  os::RemoveTemporariesWhenInterrupted();
  return Run(Utf8Arguments(argc, argv));
}
#else
int main(int argc, char** argv) {
  // A write past the limit on file sizes then fails with "File too large", as
  // on a full disk, and the save cleans up, instead of the signal ending the
  // program with a temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  os::RemoveTemporariesWhenInterrupted();
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
