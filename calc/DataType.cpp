#include "calc/DataType.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace quibo {

namespace {

bool Is64Bit(DataType type)
{
    return IsIntegral(type) && FindDataTypeInfo(type)->widthBits == 64;
}

// Formats of 64-bit values: the 64-bit types' own, a double's included.
bool Wide(const DataTypeInfo& info)
{
    return info.widthBits == 64;
}

// printf of one integer into out for the formats the program uses, "%u",
// "%i" or "%X" with an optional precision ".N" and length "ll", without
// printf, which costs more than the rest of a key click. False for any other
// format.
bool FormatQuickly(const char* fmt, bool isSigned, bool negative, std::uint64_t magnitude, std::string& out)
{
    if (*fmt++ != '%')
        return false;
    std::size_t precision = 1;
    if (*fmt == '.') {
        precision = 0;
        for (++fmt; *fmt >= '0' && *fmt <= '9' && precision <= 20; ++fmt)
            precision = precision * 10 + static_cast<std::size_t>(*fmt - '0');
        if (precision == 0 || precision > 20)
            return false;
    }
    if (fmt[0] == 'l' && fmt[1] == 'l')
        fmt += 2;
    const char conversion = *fmt;
    const bool hex = conversion == 'X' && !isSigned;
    if (fmt[1] != '\0' || (!hex && conversion != (isSigned ? 'i' : 'u')))
        return false;
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, magnitude, hex ? 16 : 10).ptr;
    char text[48];
    char* at = text;
    if (negative)
        *at++ = '-';
    for (auto count = static_cast<std::size_t>(end - digits); count < precision; ++count)
        *at++ = '0';
    for (const char* digit = digits; digit < end; ++digit)
        *at++ = *digit >= 'a' ? static_cast<char>(*digit - 'a' + 'A') : *digit;
    out.assign(text, at);
    return true;
}

std::string Clip(const char* buffer, int n)
{
    if (n <= 0)
        return {};
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(n), 31));
}

// 64 for the 64-bit integral types, 32 for every other type.
int RegisterBits(DataType type)
{
    return Is64Bit(type) ? 64 : 32;
}

}  // namespace

std::uint64_t ToRegister(DataType type, std::uint64_t bits)
{
    return bits & WidthMask(RegisterBits(type));
}

std::uint64_t TruncateToType(DataType type, std::uint64_t bits)
{
    if (!IsIntegral(type))
        return bits;
    return bits & WidthMask(FindDataTypeInfo(type)->widthBits);
}

std::uint64_t WidenToType(DataType type, std::uint64_t bits)
{
    if (!IsIntegral(type))
        return bits;
    const DataTypeInfo& info = *FindDataTypeInfo(type);
    const std::uint64_t low = bits & WidthMask(info.widthBits);
    if (!info.isSigned || info.widthBits >= RegisterBits(type))
        return low;
    const std::uint64_t signBit = std::uint64_t{1} << (info.widthBits - 1);
    return (low & signBit) ? (low | (WidthMask(RegisterBits(type)) & ~WidthMask(info.widthBits))) : low;
}

std::string DecimalText(DataType type, std::uint64_t bits)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || info->real)
        return {};
    const std::uint64_t value = WidenToType(type, bits);
    if (Is64Bit(type)) {
        return info->isSigned ? FormatSigned64(info->decimalFormat, static_cast<std::int64_t>(value))
                              : FormatUnsigned64(info->decimalFormat, value);
    }
    const auto low = static_cast<std::uint32_t>(value);
    return info->isSigned ? FormatSigned(info->decimalFormat, static_cast<std::int32_t>(low))
                          : FormatUnsigned(info->decimalFormat, low);
}

std::string ResultHexText(DataType type, std::uint64_t bits)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info)
        return {};
    if (Wide(*info))
        return FormatUnsigned64(info->resultHexFormat, bits);
    return FormatUnsigned(info->resultHexFormat, static_cast<std::uint32_t>(bits));
}

std::string RealValueText(DataType type, std::uint64_t pattern)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || !info->real)
        return {};
    return RealText(pattern & WidthMask(info->widthBits), *info->real);
}

std::string DisplayHexText(DataType type, std::uint64_t bits)
{
    if (Is64Bit(type))
        return FormatUnsigned64("%llX", bits);
    return FormatUnsigned("%X", static_cast<std::uint32_t>(bits));
}

// The formats come from the table above, so the compiler cannot check them;
// each takes exactly one argument of the type passed here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

std::string FormatUnsigned(const char* fmt, std::uint32_t value)
{
    if (std::string text; FormatQuickly(fmt, false, false, value, text))
        return text;
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<unsigned>(value));
    return Clip(buffer, n);
}

std::string FormatSigned(const char* fmt, std::int32_t value)
{
    const auto magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    if (std::string text; FormatQuickly(fmt, true, value < 0, magnitude, text))
        return text;
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<int>(value));
    return Clip(buffer, n);
}

std::string FormatUnsigned64(const char* fmt, std::uint64_t value)
{
    if (std::string text; FormatQuickly(fmt, false, false, value, text))
        return text;
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<unsigned long long>(value));
    return Clip(buffer, n);
}

std::string FormatSigned64(const char* fmt, std::int64_t value)
{
    const auto magnitude = value < 0 ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (std::string text; FormatQuickly(fmt, true, value < 0, magnitude, text))
        return text;
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<long long>(value));
    return Clip(buffer, n);
}

#pragma GCC diagnostic pop

}  // namespace quibo
