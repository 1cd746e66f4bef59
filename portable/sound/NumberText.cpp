#include "sound/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// Far beyond any double; keeps the sum with the digit count from overflowing.
constexpr long kExponentLimit = 100000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The power of ten after an "e": an optional sign, then the digits up to the
// first other character; none gives 0.
long ReadExponent(const std::string& text, size_t at) {
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  long exponent = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at)
    exponent = std::min(kExponentLimit, exponent * 10 + (text[at] - '0'));
  return negative ? -exponent : exponent;
}

// The number written as digits before and after the point and a power of ten,
// rounded once to the nearest double.
double DecimalValue(const std::string& integer, const std::string& fraction, long exponent) {
  const std::string digits = integer + fraction;
  const size_t lead = digits.find_first_not_of('0');
  if (lead == std::string::npos) return 0;
  // 0.ddd times 10 to `power`, with no zero before the first digit.
  const long power = exponent + static_cast<long>(integer.size()) - static_cast<long>(lead);
  const std::string decimal = "0." + digits.substr(lead) + "e" + std::to_string(power);
  double value = 0;
  if (std::from_chars(decimal.data(), decimal.data() + decimal.size(), value).ec == std::errc::result_out_of_range)
    return power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return value;
}

}  // namespace

std::string FormatNumber(double value, int digits) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

  // d.dddddddddddddde±x, correctly rounded and the same in every locale.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                     std::chars_format::scientific, digits - 1);
  const char* e = std::find(scientific, written.ptr, 'e');
  std::string mantissa(1, scientific[0]);
  mantissa.append(scientific + 2, static_cast<size_t>(e - (scientific + 2)));
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), written.ptr, exponent);

  // How many of the digits stand before the point.
  const int point = exponent + 1;
  std::string text;
  if (point <= 0) {
    text = "0." + std::string(static_cast<size_t>(-point), '0') + mantissa;
  } else if (point >= digits) {
    text = mantissa + std::string(static_cast<size_t>(point - digits), '0');
  } else {
    text = mantissa.substr(0, static_cast<size_t>(point)) + "." + mantissa.substr(static_cast<size_t>(point));
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return value < 0 ? "-" + text : text;
}

double ParseNumber(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  std::string integer;
  std::string fraction;
  bool inFraction = false;
  long exponent = 0;
  for (size_t at = negative ? 1 : 0; at < text.size(); ++at) {
    const char c = text[at];
    if (IsDigit(c)) {
      (inFraction ? fraction : integer) += c;
    } else if (c == '.') {
      if (inFraction) break;
      inFraction = true;
    } else if (c == 'e' || c == 'E') {
      exponent = ReadExponent(text, at + 1);
      break;
    }
  }
  const double value = DecimalValue(integer, fraction, exponent);
  return negative ? -value : value;
}
