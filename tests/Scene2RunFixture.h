#pragma once
// scene2 run in-process on files of a scratch folder of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/SceneTestSupport.h"
#include "tools/scene2/Scene2Cli.h"

class Scene2Run : public testing::Test {
 protected:
  // The status of the run; what it printed goes to `out` and `err`, `out`
  // standing for a file or a pipe unless said otherwise.
  int Run(const std::vector<std::string>& args, OutputKind outKind = OutputKind::FileOrPipe);

  ScratchFolder folder;
  std::string out;
  std::string err;
};
