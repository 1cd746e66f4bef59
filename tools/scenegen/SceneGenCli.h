#pragma once

#include <ostream>
#include <string>
#include <vector>

// The scenegen command line: `args` without the program name. Gives the exit
// status: 0 when the file was written, 1 when it could not be, 2 for bad usage.
int RunSceneGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
