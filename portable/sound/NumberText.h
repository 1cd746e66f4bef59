#pragma once
// The texts in which the dialog shows and takes the stored floats: "." as the
// decimal separator whatever the user's locale, rounding to nearest with ties
// to even.

#include <string>

// Plain positional notation of `value` rounded to 15 significant digits (or
// `digits`, up to 17: as many as any double needs), with no exponent and no trailing fractional zeros: 1.0 gives
// "1", 0.001 "0.001". An infinity shows as "inf" or "-inf", not-a-number as
// "nan".
std::string FormatNumber(double value, int digits = 15);

// Takes whatever number the digits of `text` make and never refuses a text:
// a leading "-" negates, the first "." starts the fraction, a second "." ends
// the text, "e" or "E" ends it after scaling by the power of ten that follows,
// and every other character is passed over ("1,5" gives 15, letters give 0).
double ParseNumber(const std::string& text);
