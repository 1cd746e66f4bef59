#include "tests/Scene2RunFixture.h"

#include <sstream>

#include "tools/scene2/Scene2Cli.h"

int Scene2Run::Run(const std::vector<std::string>& args) {
  std::ostringstream outStream;
  std::ostringstream errStream;
  const int status = RunScene2(args, outStream, errStream);
  out = outStream.str();
  err = errStream.str();
  return status;
}
