#pragma once
// The file arguments of a command that takes many files, expanded as Windows
// command-line programs expand theirs, since no shell does it there: a
// name with * or ? stands for the files of its folder that match it, a
// folder for its files of one kind.

#include <string>
#include <string_view>
#include <vector>

#include "os/Result.h"

// Whether `name` matches `pattern`, where * matches any run of characters
// and ? any one; letters match either case, as Windows compares file names
// (FoldedFileName).
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// The files that `arguments` name, in order: a plain name as it is; a
// folder, every file in it whose name ends with `extension` (either case),
// by name; a name with * or ?, the files of its folder that match it, by
// name. Fails, with "ARGUMENT: reason", for a pattern that matches no file, a
// folder with no such file, and a folder that can't be read.
os::Result<std::vector<std::string>> ExpandFileArguments(const std::vector<std::string>& arguments,
                                                         std::string_view extension);
