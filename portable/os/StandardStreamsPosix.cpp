#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "os/StandardStreams.h"

namespace os {

namespace {

int DescriptorOf(StandardStream stream) { return stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO; }

}  // namespace

Status WriteStandard(StandardStream stream, std::string_view bytes) {
  const int descriptor = DescriptorOf(stream);
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    // Where SIGPIPE is ignored, a pipe's gone reader shows here.
    if (written < 0) return Failure{.reason = std::strerror(errno), .pipeClosed = errno == EPIPE};
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return Done{};
}

bool IsTerminal(StandardStream stream) { return isatty(DescriptorOf(stream)) == 1; }

}  // namespace os
