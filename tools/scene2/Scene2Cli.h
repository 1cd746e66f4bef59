#pragma once

#include <ostream>
#include <string>
#include <vector>

// What `out` is: a terminal (on Windows, a console) that a person reads, where
// list aligns its columns, or a file or a pipe, where scripts read the
// tab-separated lines they have always read.
enum class OutputKind { FileOrPipe, Terminal };

// The scene2 command line: `args` without the program name. Results go to
// `out`, and so does the trace where it is shown (to `err` for list, show,
// diff and set --json), help to `out`, problems to `err`. Gives the exit
// status: 0 when every step succeeded, 1 when a load, save or edit failed
// (for check: a problem found; for diff: the scenes differ), 2 for bad usage.
int RunScene2(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              OutputKind outKind = OutputKind::FileOrPipe);
