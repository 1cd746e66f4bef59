#pragma once
// Names given out so that none is given twice: a name given already comes
// back with the first number free, "crate (2)", "crate (3)", as an export
// names its files and a paste names its chunks.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

// A name and the number of its copy: "crate (3)" is copy 3 of "crate". A
// name without a number, or with one below 2 or written with a leading 0,
// is copy 1 of itself.
struct NumberedName {
  std::string stem;
  unsigned number = 1;
};
NumberedName SplitNumber(const std::string& name);

class NumberedNames {
 public:
  // Two names are the same when `fold` gives the same for both (null: when
  // their bytes are); `extension` ends every name and stays behind the
  // number (".dnc").
  explicit NumberedNames(std::string (*fold)(std::string_view) = nullptr, std::string extension = {})
      : fold_(fold), extension_(std::move(extension)) {}

  // Counts `name` as given.
  void Take(const std::string& name) { used_.insert(Folded(name)); }
  // `name` when not given yet; else the first of "STEM (2)EXTENSION",
  // "STEM (3)EXTENSION" and so on not given, STEM being `name` without its
  // extension. Given from then on.
  std::string Unused(const std::string& name);
  // The same, numbering `stem` instead of the whole name: "crate (2)" given
  // already and numbered from "crate" gives "crate (3)", not "crate (2) (2)".
  std::string Unused(const std::string& name, const std::string& stem);
  // Room for `count` names, so that a large scene's names are not hashed
  // again as the set grows.
  void Reserve(size_t count) { used_.reserve(count); }

 private:
  std::string Folded(std::string_view name) const { return fold_ != nullptr ? fold_(name) : std::string(name); }

  std::string (*fold_)(std::string_view);
  std::string extension_;
  std::unordered_set<std::string> used_;  // folded
  // By folded stem: the number its next repeat tries first, so that each
  // repeat of a name costs one look, not one for every repeat before it.
  std::unordered_map<std::string, unsigned> nextNumber_;
};
