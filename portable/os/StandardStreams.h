#pragma once
// The process's standard output and error as bytes: a file, a pipe or a
// terminal takes them as they are. (A Windows console takes UTF-16; see
// ConsoleText.h.)

#include <string_view>

#include "os/Result.h"

namespace os {

enum class StandardStream { Output, Error };

// Writes all of `bytes` in as many calls as it takes. Fails with the system's
// reason ("No space left on device"), with pipeClosed set when the reader of
// a pipe has gone. A process that has no such stream writes nowhere.
Status WriteStandard(StandardStream stream, std::string_view bytes);

// Whether the stream is a terminal (on Windows, a console) that a person
// reads, rather than a file or a pipe that another program may read.
bool IsTerminal(StandardStream stream);

}  // namespace os
