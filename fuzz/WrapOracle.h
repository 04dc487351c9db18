// A judge of the WRAP pane for the fuzzers, apart from the program's own
// reckoning: exact values in signed 128-bit integers, and a DECIMAL text
// judged against the value the program stored for it.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/DataType.h"
#include "calc/OperatorCode.h"

namespace wrap_oracle {

using quibo::DataTypeInfo;

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UWide;

inline std::string Text(UWide magnitude, bool negative = false)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}

inline std::string Text(Wide value)
{
    return value < 0 ? Text(-static_cast<UWide>(value), true) : Text(static_cast<UWide>(value));
}

// bits as the type reads them.
inline Wide ValueOf(const DataTypeInfo& info, std::uint64_t bits)
{
    bits &= quibo::WidthMask(info.widthBits);
    if (info.isSigned && info.widthBits < 64 && (bits >> (info.widthBits - 1) & 1u))
        return static_cast<Wide>(bits) - (static_cast<Wide>(1) << info.widthBits);
    return info.isSigned ? static_cast<Wide>(static_cast<std::int64_t>(bits)) : static_cast<Wide>(bits);
}

inline std::string Cut(const DataTypeInfo& info, const std::string& exact, bool differs)
{
    return differs ? exact + " does not fit in " + info.name : std::string();
}

// What the pane must say once op has taken a and b and stored stored: lit
// exactly when the exact result is not the stored one.
inline std::string AfterOperation(std::int32_t op, const DataTypeInfo& info, std::uint64_t a, std::uint64_t b,
                                  std::uint64_t stored)
{
    using namespace quibo;
    const Wide x = ValueOf(info, a);
    const Wide y = ValueOf(info, b);
    const Wide kept = ValueOf(info, stored);
    if ((op == OP_DIVIDE || op == OP_MODULUS) && y == 0)
        return "division by zero";
    if ((op == OP_SHIFT_LEFT || op == OP_SHIFT_RIGHT) && (y < 0 || y >= info.widthBits))
        return "shift count " + Text(y) + " is outside 0 to " + std::to_string(info.widthBits - 1);
    switch (op) {
    case OP_ADD: return Cut(info, Text(x + y), x + y != kept);
    case OP_SUBTRACT: return Cut(info, Text(x - y), x - y != kept);
    case OP_DIVIDE: return Cut(info, Text(x / y), x / y != kept);
    case OP_SHIFT_LEFT: return Cut(info, Text(x * (static_cast<Wide>(1) << y)), x * (static_cast<Wide>(1) << y) != kept);
    case OP_MULTIPLY:
        if (!info.isSigned) {  // up to (2^64 - 1)^2, beyond the signed range
            const UWide product = static_cast<UWide>(x) * static_cast<UWide>(y);
            return Cut(info, Text(product), product != static_cast<UWide>(kept));
        }
        return Cut(info, Text(x * y), x * y != kept);
    default: return {};
    }
}

// The number a DECIMAL text spells for an integral type: blanks, one sign,
// the digits up to the first other character; as "-"digits or digits,
// without leading zeros.
inline std::string Spelled(std::string_view text)
{
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos)
        return "0";
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    const std::size_t first = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    std::string_view digits = text.substr(first, i - first);
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return "0";
    return (negative ? "-" : "") + std::string(digits);
}

// What the pane must say once a DECIMAL text was converted to stored: for an
// integral type lit exactly when the number spelled is not the one kept, for
// a real type when a finite spelling was kept as an infinity.
inline std::string AfterDecimal(const DataTypeInfo& info, std::string_view text, std::uint64_t stored)
{
    const std::string cut = std::string("DECIMAL does not fit in ") + info.name;
    if (!info.real)
        return Spelled(text) != Text(ValueOf(info, stored)) ? cut : std::string();
    std::size_t start = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
    if (start < text.size() && (text[start] == '-' || text[start] == '+'))
        ++start;
    std::string word(text.substr(start, 3));
    for (char& c : word)
        c = static_cast<char>(c | 0x20);
    const bool infinite = info.widthBits == 32 ? std::isinf(std::bit_cast<float>(static_cast<std::uint32_t>(stored)))
                                               : std::isinf(std::bit_cast<double>(stored));
    return infinite && word != "inf" && word != "nan" ? cut : std::string();
}

// A decimal integer, "-"digits or digits, modulo 2^128.
inline UWide Parse(std::string_view number)
{
    const bool negative = number.starts_with('-');
    UWide value = 0;
    for (char c : number.substr(negative ? 1 : 0))
        value = value * 10 + static_cast<unsigned>(c - '0');
    return negative ? -value : value;
}

// Whether a decimal integer is one of the type's values.
inline bool Fits(const DataTypeInfo& info, std::string_view number)
{
    const std::string_view digits = number.substr(number.starts_with('-') ? 1 : 0);
    if (digits.size() - std::min(digits.find_first_not_of('0'), digits.size()) > 30)
        return false;
    const auto value = static_cast<Wide>(Parse(number));  // exact below 10^31
    const Wide half = static_cast<Wide>(1) << (info.widthBits - 1);
    return info.isSigned ? value >= -half && value < half : value >= 0 && value < 2 * half;
}

}  // namespace wrap_oracle
