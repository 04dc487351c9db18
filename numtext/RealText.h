#pragma once

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

}  // namespace quibo
