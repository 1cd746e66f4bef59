#pragma once

#include <string>
#include <vector>

#include "tests/SceneTestSupport.h"

// The names of the DLLs that a 32-bit PE file (a program or a DLL) imports, as
// its import directory lists them. Throws std::runtime_error for a file that
// is not such an image or whose tables point outside it.
std::vector<std::string> ImportedDllNames(const Bytes& image);
