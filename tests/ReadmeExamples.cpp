#include "tests/ReadmeExamples.h"

#include <sstream>

namespace {

constexpr char kPrompt[] = "$ ";
constexpr char kProgram[] = "scene2";
constexpr char kElision[] = "...";

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

bool MatchesFrom(const std::vector<std::string>& shown, size_t s, const std::vector<std::string>& printed, size_t p) {
  if (s == shown.size()) return p == printed.size();
  if (shown[s] == kElision) {
    for (size_t skip = p; skip <= printed.size(); ++skip)
      if (MatchesFrom(shown, s + 1, printed, skip)) return true;
    return false;
  }
  return p < printed.size() && printed[p] == shown[s] && MatchesFrom(shown, s + 1, printed, p + 1);
}

}  // namespace

std::vector<ReadmeExample> ReadmeExamples(std::istream& readme) {
  std::vector<ReadmeExample> examples;
  bool inFence = false;
  bool inExample = false;
  for (std::string line; std::getline(readme, line);) {
    if (StartsWith(line, "```")) {
      inFence = !inFence;
      inExample = false;
    } else if (inFence && StartsWith(line, kPrompt)) {
      std::vector<std::string> words = Words(line.substr(2));
      inExample = !words.empty() && words[0] == kProgram;
      if (inExample) examples.push_back({line.substr(2), {words.begin() + 1, words.end()}, {}});
    } else if (inExample) {
      examples.back().shown.push_back(line);
    }
  }
  return examples;
}

bool MatchesShown(const std::vector<std::string>& shown, const std::vector<std::string>& printed) {
  return MatchesFrom(shown, 0, printed, 0);
}
