#pragma once

#include <cstdint>
#include <string>

namespace quibo {

// A real value's text, as DECIMAL shows it when HEX gives the bits: the
// fewest significant digits (1 to 9 for a float, 1 to 17 for a double) that
// DECIMAL reads back as the same value, written plainly when the decimal
// exponent of the first digit is from -5 to 15 ("100000", "0.00001") and
// as d.ddd and an exponent otherwise ("1e+16", "3.4028235e+38", "1e-45").
// NaN is "nan", an infinity "inf", zero "0", each after a "-" when the sign
// bit is set. The same in every locale.
std::string FloatText(float value);
std::string DoubleText(double value);

// An IEEE-754 binary format: its bits, and of them the exponent's and the
// fraction's (the sign is the one left).
struct IeeeLayout {
    int totalBits;
    int exponentBits;
    int fractionBits;
};
inline constexpr IeeeLayout kBinary32{32, 8, 23};  // float
inline constexpr IeeeLayout kBinary64{64, 11, 52};  // double

// The text above of a bit pattern (its low totalBits bits) in a layout that
// the machine computes in: binary32 or binary64.
std::string RealText(std::uint64_t pattern, const IeeeLayout& layout);
// The bit pattern of a value in such a layout, rounded to nearest (beyond
// the range an infinity).
std::uint64_t RealPattern(double value, const IeeeLayout& layout);

}  // namespace quibo
