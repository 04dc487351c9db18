#pragma once

#include <cstdint>
#include <string>

namespace quibo {

// Decimal text as the integral types read it: optional white space and one
// sign, then digits up to the first non-digit, accumulated modulo 2^64 with
// no range check; 0 without digits. The 32-bit types keep the low 32 bits,
// which are the value modulo 2^32.
std::uint64_t ReadDecimalInteger(const std::string& text);

// Decimal text as the C library's atof reads it (white space, sign, digits,
// point, exponent, also "inf", "nan" and hex floats; 0.0 when no number),
// always in the "C" locale. Beyond the range of double: an infinity.
double ReadDecimalReal(const std::string& text);

}  // namespace quibo
