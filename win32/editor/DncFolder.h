#pragma once

#include <string>

// Where "export selected" writes: the running program's folder, with its
// trailing backslash, followed by "DNCes\".
std::string ProgramDncFolder();
