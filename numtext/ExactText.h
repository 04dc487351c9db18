#pragma once

#include <string>

namespace quibo {

// Every decimal digit of a double's value, without an exponent or trailing
// zeros: "0.100000001490116119384765625" for the float 0.1, all 1,074
// fraction digits of the least subnormal, every digit of 2^1023. Zero, the
// infinities and NaN as the real types' text writes them ("-0", "inf",
// "-nan").
std::string ExactText(double value);

}  // namespace quibo
