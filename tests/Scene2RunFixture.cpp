#include "tests/Scene2RunFixture.h"

#include <sstream>

int Scene2Run::Run(const std::vector<std::string>& args, OutputKind outKind) {
  std::ostringstream outStream;
  std::ostringstream errStream;
  const int status = RunScene2(args, outStream, errStream, outKind);
  out = outStream.str();
  err = errStream.str();
  return status;
}
