#pragma once
// scene2 run in-process on files of a scratch folder of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/SceneTestSupport.h"

class Scene2Run : public testing::Test {
 protected:
  // The status of the run; what it printed goes to `out` and `err`.
  int Run(const std::vector<std::string>& args);

  ScratchFolder folder;
  std::string out;
  std::string err;
};
