#pragma once

#include <cstdint>
#include <string>

#include "calc/DataType.h"

namespace quibo {

// A value of a type as C and C++ code writes it, ready to paste into code
// or back into HEX or DECIMAL:
// - the unsigned types in hex with their result digits: "0x2Cu", and
//   "0xFFFFFFFFFFFFFFFFull" for unsigned long long;
// - the signed ones in decimal, "-32768", but the least long long as
//   "(-9223372036854775807 - 1)", its literal being out of range;
// - float and double as DECIMAL's text of them, with ".0" where it has
//   neither point nor exponent, float with "f": "1.0f", "1e-45f", "0.1";
//   INFINITY, -INFINITY, NAN and -NAN as <math.h> names them.
// bits are the type's bits in the low end (a float's pattern in the low 32).
std::string CodeText(DataType type, std::uint64_t bits);

}  // namespace quibo
