// The rows of a listing, tab-separated for programs and aligned for a person.

#include <gtest/gtest.h>

#include <sstream>

#include "scene/TextColumns.h"

namespace {

std::string Aligned(const std::vector<Align>& aligns, const std::vector<TextRow>& rows) {
  AlignedColumns columns(aligns);
  for (const TextRow& row : rows) columns.Measure(row);
  std::ostringstream out;
  for (const TextRow& row : rows) columns.Write(out, row);
  return out.str();
}

TEST(TextColumns, WidthsCountCharactersAsPrintedNotBytes) {
  EXPECT_EQ(DisplayWidth(""), 0u);
  EXPECT_EQ(DisplayWidth("crate"), 5u);
  EXPECT_EQ(DisplayWidth("Ящик"), 4u);
  EXPECT_EQ(DisplayWidth("a\\x98"), 5u) << "an escaped byte prints as four characters";
  EXPECT_EQ(DisplayWidth("€ é"), 3u);
}

TEST(TextColumns, AlignedColumnsAreAsWideAsTheirWidestCellTwoSpacesApart) {
  const std::vector<Align> aligns = {Align::Left, Align::Right, Align::Left};
  EXPECT_EQ(Aligned(aligns, {{"Ящик", "7", "crate"}, {"box", "1024", "Ящик"}, {"a", "12", "долгое имя"}}),
            "Ящик     7  crate\n"
            "box   1024  Ящик\n"
            "a       12  долгое имя\n");
  // The last cell is never padded: neither a long one nor an empty one leaves
  // blanks, and a row may end early.
  EXPECT_EQ(Aligned(aligns, {{"x", "1", ""}, {"y", "22", "a long last cell"}, {"zz"}}),
            "x   1\n"
            "y  22  a long last cell\n"
            "zz\n");
  EXPECT_EQ(Aligned(aligns, {{"", "1", "a"}, {"long", "", "b"}}),
            "      1  a\n"
            "long     b\n")
      << "empty cells keep their column";
}

TEST(TextColumns, TabbedRowsAreTheCellsAsTheyStand) {
  std::ostringstream out;
  WriteTabbed(out, {"objects", "3", "4010", "LMAP", ""});
  WriteTabbed(out, {"Ящик"});
  EXPECT_EQ(out.str(), "objects\t3\t4010\tLMAP\t\nЯщик\n");
}

}  // namespace
