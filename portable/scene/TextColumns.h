#pragma once
// Rows of cells as a listing prints them: for a program, each row's cells
// separated by tabs; for a person, in columns aligned with spaces.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

using TextRow = std::vector<std::string>;

// The cells of `row` separated by tabs, and a line end.
void WriteTabbed(std::ostream& out, const TextRow& row);

// How many columns a terminal gives UTF-8 text: one a character, however
// many bytes it takes ("Ящик" is 4).
size_t DisplayWidth(std::string_view utf8);

enum class Align { Left, Right };

// Columns as wide as their widest cell, two spaces apart: every row is
// measured first, then written. The last cell of a row is not padded, so a
// long name widens nothing, and no line ends in blanks.
class AlignedColumns {
 public:
  // One alignment for each column; a row may have fewer cells.
  explicit AlignedColumns(std::vector<Align> aligns) : aligns_(std::move(aligns)), widths_(aligns_.size(), 0) {}

  void Measure(const TextRow& row);
  void Write(std::ostream& out, const TextRow& row) const;

 private:
  std::vector<Align> aligns_;
  std::vector<size_t> widths_;
};
