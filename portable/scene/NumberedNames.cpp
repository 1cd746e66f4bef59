#include "scene/NumberedNames.h"

#include <algorithm>

NumberedName SplitNumber(const std::string& name) {
  const size_t open = name.rfind(" (");
  if (open == std::string::npos || !name.ends_with(')')) return {name};
  const std::string digits = name.substr(open + 2, name.size() - open - 3);
  if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {name};
  const auto number = static_cast<unsigned>(std::stoul(digits));
  if (number < 2) return {name};
  return {name.substr(0, open), number};
}

std::string NumberedNames::Unused(const std::string& name) {
  return Unused(name, name.ends_with(extension_) ? name.substr(0, name.size() - extension_.size()) : name);
}

std::string NumberedNames::Unused(const std::string& name, const std::string& stem) {
  if (used_.insert(Folded(name)).second) return name;
  // The number and the extension fold to themselves: the stem is folded once.
  std::string foldedStem = Folded(stem);
  unsigned& next = nextNumber_.try_emplace(foldedStem, 2).first->second;
  std::string number;
  // A name of that form may have been given already, as a name of its own.
  do {
    number = " (" + std::to_string(next++) + ")" + extension_;
  } while (!used_.insert(foldedStem + number).second);
  return stem + number;
}
