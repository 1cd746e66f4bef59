#include "scene/TextColumns.h"

#include <algorithm>

namespace {

constexpr size_t kGap = 2;

}  // namespace

void WriteTabbed(std::ostream& out, const TextRow& row) {
  for (size_t column = 0; column < row.size(); ++column) {
    if (column > 0) out << '\t';
    out << row[column];
  }
  out << '\n';
}

size_t DisplayWidth(std::string_view utf8) {
  // Every character has one byte that is no continuation byte (10xxxxxx).
  return static_cast<size_t>(std::count_if(
      utf8.begin(), utf8.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

void AlignedColumns::Measure(const TextRow& row) {
  // The last cell is never padded: its width counts for nothing.
  for (size_t column = 0; column + 1 < row.size() && column < widths_.size(); ++column)
    widths_[column] = std::max(widths_[column], DisplayWidth(row[column]));
}

void AlignedColumns::Write(std::ostream& out, const TextRow& row) const {
  // Spaces are held back until a cell follows them, so that an empty last
  // cell leaves no blanks at the line's end.
  size_t spaces = 0;
  for (size_t column = 0; column < row.size(); ++column) {
    const std::string& cell = row[column];
    const bool padded = column + 1 < row.size() && column < widths_.size();
    const size_t width = DisplayWidth(cell);
    const size_t padding = padded ? std::max(widths_[column], width) - width : 0;
    const bool right = padded && aligns_[column] == Align::Right;
    if (right) spaces += padding;
    if (!cell.empty()) {
      out << std::string(spaces, ' ') << cell;
      spaces = 0;
    }
    if (!right) spaces += padding;
    spaces += kGap;
  }
  out << '\n';
}
