// The texts in which stored floats are shown and typed.

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>

#include "sound/NumberText.h"

namespace {

TEST(FormatNumber, WritesPlainDigitsRoundedToFifteen) {
  const std::pair<double, const char*> cases[] = {
      {1.0, "1"},
      {100.0, "100"},
      {1.5, "1.5"},
      {-2.25, "-2.25"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.001, "0.001"},
      {static_cast<double>(0.1f), "0.100000001490116"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456.789, "123456.789"},
      // Ties at the fifteenth digit go to the even digit.
      {100000000000000.5, "100000000000000"},
      {100000000000001.5, "100000000000002"},
      // From 10^15 on, every integer digit is written, zeros past the fifteenth.
      {1e15, "1000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {999999999999999.9, "1000000000000000"},
      {1e20, "100000000000000000000"},
      {std::numeric_limits<float>::max(), "340282346638529000000000000000000000000"},
      {1e-5, "0.00001"},
      {static_cast<double>(std::numeric_limits<float>::denorm_min()),
       "0.00000000000000000000000000000000000000000000140129846432482"},
      {-0.000123, "-0.000123"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;
}

TEST(FormatNumber, ShowsInfinitiesAndNotANumber) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(FormatNumber, TakesMoreDigitsWhenAsked) {
  EXPECT_EQ(FormatNumber(0.1, 17), "0.10000000000000001");
  EXPECT_EQ(FormatNumber(1.0 / 3, 16), "0.3333333333333333");
  EXPECT_EQ(FormatNumber(48.25, 17), "48.25");
  EXPECT_EQ(FormatNumber(-1e20, 17), "-100000000000000000000");
}

TEST(ParseNumber, TakesWhatTheDigitsMake) {
  const std::pair<const char*, double> cases[] = {
      {"12.5", 12.5},
      {"1,5", 15},
      {" 3 ", 3},
      {"2.5e2", 250},
      {"1.2.3", 1.2},
      {"abc", 0},
      {"", 0},
      {"-4.75", -4.75},
      // Only a leading "-" negates; elsewhere it is passed over.
      {" -4", 4},
      {"1-2", 12},
      {"+7", 7},
      {".5", 0.5},
      {"5.", 5},
      {"1 000.2 5", 1000.25},
      {"1e-3", 0.001},
      {"1E+3", 1000},
      {"2e", 2},
      {"2e-", 2},
      {"3e2x5", 300},
      {"e5", 0},
      {"0.100000001490116", 0.100000001490116},
      {"00012", 12},
      {"0.000", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseNumber(text), value) << text;
}

TEST(ParseNumber, EndsWithoutErrorBeyondTheRange) {
  EXPECT_EQ(ParseNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-1e999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("1e-400"), 0.0);
  EXPECT_EQ(ParseNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
  // Leading zeros count for nothing.
  EXPECT_EQ(ParseNumber(std::string(400, '0') + "1e2"), 100.0);
  // Narrowed to a single float, a text beyond its range gives an infinity.
  EXPECT_EQ(static_cast<float>(ParseNumber("1e39")), std::numeric_limits<float>::infinity());
}

// Every float shown and typed back unchanged gives the same float: an object
// read and written again without edits keeps its numbers.
TEST(NumberText, EveryFloatComesBackThroughItsText) {
  for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 0x10001) {
    const float value = std::bit_cast<float>(static_cast<uint32_t>(bits));
    if (std::isnan(value) || std::isinf(value)) continue;
    const float back = static_cast<float>(ParseNumber(FormatNumber(value)));
    // Negative zero shows as "0" and comes back positive.
    if (value == 0) {
      ASSERT_EQ(back, 0.0f);
      continue;
    }
    ASSERT_EQ(std::bit_cast<uint32_t>(back), static_cast<uint32_t>(bits)) << FormatNumber(value);
  }
}

TEST(NumberText, IgnoresTheUsersLocale) {
  const char* commaLocales[] = {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German"};
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : commaLocales)
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma here";
  const std::string shown = FormatNumber(-1.25);
  const double typed = ParseNumber("2.5");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(shown, "-1.25") << chosen;
  EXPECT_EQ(typed, 2.5) << chosen;
}

}  // namespace
