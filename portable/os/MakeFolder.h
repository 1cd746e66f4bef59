#pragma once
// The one step of CreateFolders that differs by platform.

#include <string>

#include "os/Result.h"

namespace os {

// Creates one folder; fine when something of that name is there already
// (whether it is a folder is CreateFolders' to tell).
Status MakeFolder(const std::string& folder);

}  // namespace os
