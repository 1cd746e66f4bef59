#include "tools/scene2/Wildcards.h"

namespace {

// A byte that continues a UTF-8 character: ? takes it with the byte before.
bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

bool MatchesWildcards(std::string_view text, std::string_view pattern, bool utf8) {
  // Greedy with one point to go back to: the last *, and where it stood in
  // the text.
  size_t n = 0;
  size_t p = 0;
  size_t starAt = std::string_view::npos;
  size_t resumeAt = 0;
  while (n < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[n])) {
      const bool any = pattern[p] == '?';
      ++p;
      ++n;
      if (any && utf8)
        while (n < text.size() && Continues(text[n])) ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}
