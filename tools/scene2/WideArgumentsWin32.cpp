#include "tools/scene2/WideArguments.h"

#include "os/WideText.h"

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int index = 1; index < argc; ++index) arguments.push_back(os::Narrow(argv[index]));
  return arguments;
}
