#pragma once
// The system's own words for a Win32 error code, for the Win32 parts that
// report one.

#include <string>

namespace os {

std::string Win32ErrorText(unsigned long code);

}  // namespace os
