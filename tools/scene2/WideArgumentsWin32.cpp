#include <windows.h>

#include <string_view>

#include "tools/scene2/WideArguments.h"

namespace {

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string text(
      static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int index = 1; index < argc; ++index) arguments.push_back(Utf8(argv[index]));
  return arguments;
}
