#include <iostream>

#include "tools/scenegen/SceneGenCli.h"

int main(int argc, char** argv) {
  return RunSceneGen(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
