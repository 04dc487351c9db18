#include "numtext/RealText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "numtext/DecimalText.h"

namespace quibo {

namespace {

// The plain form's range of decimal exponents.
constexpr int kPlainLowest = -5;
constexpr int kPlainHighest = 15;

// Whether DECIMAL, reading text, gives value again.
bool ReadsBack(const std::string& text, float value)
{
    return static_cast<float>(ReadDecimalReal(text)) == value;
}

bool ReadsBack(const std::string& text, double value)
{
    return ReadDecimalReal(text) == value;
}

// "d.ddde±NN" (printf's "%.*e") as its digits and the exponent of the first.
std::string Plain(const std::string& scientific, bool negative)
{
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    if (digits.size() > 1)
        digits.erase(1, 1);  // the point
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string text = negative ? "-" : "";
    if (exponent < kPlainLowest || exponent > kPlainHighest) {
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += "." + digits.substr(1);
        return text + (exponent < 0 ? "e-" : "e+") + std::to_string(std::abs(exponent));
    }
    if (exponent < 0)
        return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

// fromShortest: start at the digit count of the shortest text that reads
// back exactly (to_chars); no text of fewer digits can then read back. Only
// where reading back rounds once: a float read as a double, then rounded,
// may take a shorter text.
template <typename Real>
std::string RealText(Real value, int maxDigits, bool fromShortest)
{
    const bool negative = std::signbit(value);
    const std::string sign = negative ? "-" : "";
    if (std::isnan(value))
        return sign + "nan";
    if (std::isinf(value))
        return sign + "inf";
    if (value == 0)
        return sign + "0";
    // to_chars is printf's "%.*e" in the "C" locale, whatever the user's.
    char buffer[64];
    int fewest = 1;
    std::string shortestText;  // reads back exactly, by to_chars's promise
    if (fromShortest) {
        const std::to_chars_result shortest =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
        shortestText.assign(buffer, shortest.ptr);
        fewest = 0;
        for (const char* c = buffer; c != shortest.ptr && *c != 'e'; ++c)
            fewest += *c >= '0' && *c <= '9' ? 1 : 0;
    }
    std::string scientific;
    for (int digits = std::max(1, fewest); digits <= maxDigits; ++digits) {
        const std::to_chars_result end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
        scientific.assign(buffer, end.ptr);
        if (scientific == shortestText || ReadsBack(scientific, value))
            break;
    }
    return Plain(scientific, negative);
}

}  // namespace

std::string RealText(std::uint64_t pattern, const IeeeLayout& layout)
{
    if (layout.totalBits == 32)
        return FloatText(std::bit_cast<float>(static_cast<std::uint32_t>(pattern)));
    if (layout.totalBits == 64)
        return DoubleText(std::bit_cast<double>(pattern));
    pattern &= LowBits(layout.totalBits);
    const double value = RealValue(pattern, layout);
    const bool negative = std::signbit(value);
    if (std::isnan(value) || std::isinf(value) || value == 0)
        return DoubleText(value);  // nan, inf and 0 with their signs
    char buffer[64];
    std::string scientific;
    for (int digits = 1; digits <= 9; ++digits) {
        const std::to_chars_result end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
        scientific.assign(buffer, end.ptr);
        if (RealPattern(ReadDecimalReal(scientific), layout) == pattern)
            break;
    }
    return Plain(scientific, negative);
}

std::uint64_t RealPattern(double value, const IeeeLayout& layout)
{
    if (layout.totalBits == 32)
        return std::bit_cast<std::uint32_t>(static_cast<float>(value));
    if (layout.totalBits == 64)
        return std::bit_cast<std::uint64_t>(value);
    // A narrow layout's patterns of one sign grow with their values: the
    // nearest is found among them, and a tie at the midpoint (a double, as
    // every value of these layouts and their midpoints are) goes to the
    // even pattern.
    const std::uint64_t sign = std::uint64_t{std::signbit(value) ? 1u : 0u} << (layout.totalBits - 1);
    const std::uint64_t infinity = LowBits(layout.exponentBits) << layout.fractionBits;
    if (std::isnan(value))
        return sign | infinity | std::uint64_t{1} << (layout.fractionBits - 1);
    const double magnitude = std::fabs(value);
    const std::uint64_t largest = infinity - 1;
    const double top = RealValue(largest, layout);
    // Past the largest value by half its last place: an infinity.
    if (magnitude >= top + (top - RealValue(largest - 1, layout)) / 2)
        return sign | infinity;
    std::uint64_t below = 0;  // the last pattern whose value is at most magnitude
    std::uint64_t above = largest;
    while (below < above) {
        const std::uint64_t middle = below + (above - below + 1) / 2;
        if (RealValue(middle, layout) <= magnitude)
            below = middle;
        else
            above = middle - 1;
    }
    if (below == largest)
        return sign | below;
    const double midpoint = (RealValue(below, layout) + RealValue(below + 1, layout)) / 2;
    const bool up = magnitude > midpoint || (magnitude == midpoint && (below & 1u) != 0);
    return sign | (up ? below + 1 : below);
}

double RealValue(std::uint64_t pattern, const IeeeLayout& layout)
{
    if (layout.totalBits == 32)
        return std::bit_cast<float>(static_cast<std::uint32_t>(pattern));
    if (layout.totalBits == 64)
        return std::bit_cast<double>(pattern);
    const bool negative = (pattern >> (layout.totalBits - 1) & 1u) != 0;
    const std::uint64_t fraction = pattern & LowBits(layout.fractionBits);
    const auto exponent = static_cast<int>(pattern >> layout.fractionBits & LowBits(layout.exponentBits));
    const int bias = (1 << (layout.exponentBits - 1)) - 1;
    double magnitude = 0;
    if (exponent == (1 << layout.exponentBits) - 1)
        magnitude = fraction != 0 ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    else if (exponent == 0)
        magnitude = std::ldexp(static_cast<double>(fraction), 1 - bias - layout.fractionBits);
    else
        magnitude = std::ldexp(static_cast<double>(fraction | std::uint64_t{1} << layout.fractionBits),
                               exponent - bias - layout.fractionBits);
    return std::copysign(magnitude, negative ? -1.0 : 1.0);
}

std::string FloatText(float value)
{
    return RealText(value, 9, false);
}

std::string DoubleText(double value)
{
    return RealText(value, 17, true);
}

}  // namespace quibo
