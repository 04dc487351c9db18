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
// The low bits of a pattern: bits (up to 64) ones.
constexpr std::uint64_t LowBits(int bits)
{
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

inline constexpr IeeeLayout kBinary16{16, 5, 10};  // half
inline constexpr IeeeLayout kBfloat16{16, 8, 7};   // the top half of a float
inline constexpr IeeeLayout kBinary32{32, 8, 23};  // float
inline constexpr IeeeLayout kBinary64{64, 11, 52};  // double

// The text above of a bit pattern (its low totalBits bits). In the 16-bit
// layouts a text "reads back" when DECIMAL's reading, rounded to the layout,
// gives the pattern again; they take at most five digits.
std::string RealText(std::uint64_t pattern, const IeeeLayout& layout);
// The bit pattern of a value in a layout, rounded to nearest with ties to
// even (beyond the largest finite value an infinity). A NaN keeps its sign
// and is the layout's quiet NaN.
std::uint64_t RealPattern(double value, const IeeeLayout& layout);
// The value of a bit pattern: every layout's values are doubles. A NaN
// keeps its sign.
double RealValue(std::uint64_t pattern, const IeeeLayout& layout);

}  // namespace quibo
