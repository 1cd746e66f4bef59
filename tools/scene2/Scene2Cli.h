#pragma once

#include <ostream>
#include <string>
#include <vector>

// The scene2 command line: `args` without the program name. Results go to
// `out`, and so does the trace where it is shown (to `err` for list, show,
// diff and set --json), help to `out`, problems to `err`. Gives the exit
// status: 0 when every step succeeded, 1 when a load, save or edit failed
// (for check: a problem found; for diff: the scenes differ), 2 for bad usage.
int RunScene2(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
