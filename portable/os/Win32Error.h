#pragma once
// The system's own words for a Win32 error code, for the Win32 parts that
// report one.

#include <string>

namespace os {

// Some texts name what failed with an insert ("Bad EXE format for %1."):
// `subject` takes its place, "the file" when none is given.
std::string Win32ErrorText(unsigned long code, const std::string& subject = "the file");

}  // namespace os
