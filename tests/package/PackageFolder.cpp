#include "tests/package/PackageFolder.h"

#include <gtest/gtest.h>

#include "tools/gui/ToolProcess.h"

std::string PackagePath(const std::string& name) { return HostPath(testing::internal::GetArgvs().at(1)) + "\\" + name; }
