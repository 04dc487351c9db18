#include "numtext/ExactText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "numtext/RealText.h"

namespace quibo {

std::string ExactText(double value)
{
    // nan, inf and 0 with their signs, as the real types' text writes them.
    if (!std::isfinite(value) || value == 0)
        return DoubleText(value);
    // value = significand * 2^exponent with the significand odd: below 1
    // it has exactly -exponent decimal places, the last a 5.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FFu);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        significand |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    exponent += std::countr_zero(significand);
    // to_chars with a precision writes every digit exactly, as printf's
    // "%.*f" does, in any locale.
    char text[1100];  // 309 integer digits, or "0." and 1,074 places
    const int places = exponent < 0 ? -exponent : 0;
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    return std::string(text, end.ptr);
}

}  // namespace quibo
