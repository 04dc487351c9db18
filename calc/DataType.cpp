#include "calc/DataType.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quibo {

namespace {

constexpr std::array<DataTypeInfo, kDataTypeCount> kDataTypes{{
    // name              width signed real  cap  result hex decimal
    {"unsigned char",      8, false, false,  2, "%.2X", "%u"},
    {"char",               8, true,  false,  2, "%.2X", "%i"},
    {"unsigned short",    16, false, false,  4, "%.4X", "%u"},
    {"short",             16, true,  false,  4, "%.4X", "%i"},
    {"unsigned long",     32, false, false,  8, "%.8X", "%u"},
    {"long",              32, true,  false,  8, "%.8X", "%i"},
    {"float",             32, true,  true,   8, nullptr, nullptr},
    {"double",            64, true,  true,  16, nullptr, nullptr},
    {"unsigned long long",64, false, false, 16, "%.16llX", "%llu"},
    {"long long",         64, true,  false, 16, "%.16llX", "%lli"},
}};

bool Is64Bit(DataType type)
{
    return IsIntegral(type) && FindDataTypeInfo(type)->widthBits == 64;
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

const DataTypeInfo* FindDataTypeInfo(DataType type)
{
    const auto index = static_cast<std::int32_t>(type);
    if (index < 0 || index >= kDataTypeCount)
        return nullptr;
    return &kDataTypes[static_cast<std::size_t>(index)];
}

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

bool IsReal(DataType type)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    return info && info->isReal;
}

std::string DecimalText(DataType type, std::uint64_t bits)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || info->isReal)
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
    if (!info || info->isReal)
        return {};
    if (Is64Bit(type))
        return FormatUnsigned64(info->resultHexFormat, bits);
    return FormatUnsigned(info->resultHexFormat, static_cast<std::uint32_t>(bits));
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
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<unsigned>(value));
    return Clip(buffer, n);
}

std::string FormatSigned(const char* fmt, std::int32_t value)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<int>(value));
    return Clip(buffer, n);
}

std::string FormatUnsigned64(const char* fmt, std::uint64_t value)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<unsigned long long>(value));
    return Clip(buffer, n);
}

std::string FormatSigned64(const char* fmt, std::int64_t value)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, static_cast<long long>(value));
    return Clip(buffer, n);
}

#pragma GCC diagnostic pop

}  // namespace quibo
