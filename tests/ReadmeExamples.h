#pragma once
// The scene2 examples of a README: every "$ scene2 ..." line of a fenced
// block, with the lines shown under it up to the next "$ " line or the fence.

#include <istream>
#include <string>
#include <vector>

struct ReadmeExample {
  std::string commandLine;             // as written after "$ "
  std::vector<std::string> arguments;  // its words after "scene2"; examples need no quoting
  std::vector<std::string> shown;      // the output shown, "..." for lines left out
};

std::vector<ReadmeExample> ReadmeExamples(std::istream& readme);

// Whether `printed` is what `shown` shows: equal line for line, where a line
// "..." stands for any number of lines.
bool MatchesShown(const std::vector<std::string>& shown, const std::vector<std::string>& printed);
