#pragma once

#include <string>

// Reads the whole file into memory of the program's own, as a load takes it
// in, and keeps nothing of it: the least any load of the file costs. False,
// with the system's reason, when it can't.
bool ReadWholeFile(const std::string& path, std::string& reason);
