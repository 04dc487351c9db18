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
}};

std::uint32_t WidthMask(int widthBits)
{
    return widthBits >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << widthBits) - 1u;
}

std::string Clip(const char* buffer, int n)
{
    if (n <= 0)
        return {};
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(n), 31));
}

}  // namespace

const DataTypeInfo* FindDataTypeInfo(DataType type)
{
    const auto index = static_cast<std::int32_t>(type);
    if (index < 0 || index >= kDataTypeCount)
        return nullptr;
    return &kDataTypes[static_cast<std::size_t>(index)];
}

std::uint32_t TruncateToType(DataType type, std::uint32_t bits)
{
    if (!IsIntegral(type))
        return bits;
    return bits & WidthMask(FindDataTypeInfo(type)->widthBits);
}

std::uint32_t WidenToType(DataType type, std::uint32_t bits)
{
    if (!IsIntegral(type))
        return bits;
    const DataTypeInfo& info = *FindDataTypeInfo(type);
    const std::uint32_t low = bits & WidthMask(info.widthBits);
    if (!info.isSigned || info.widthBits >= 32)
        return low;
    const std::uint32_t signBit = std::uint32_t{1} << (info.widthBits - 1);
    return (low & signBit) ? (low | ~WidthMask(info.widthBits)) : low;
}

bool IsReal(DataType type)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    return info && info->isReal;
}

std::string DecimalText(DataType type, std::uint32_t bits)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || info->isReal)
        return {};
    const std::uint32_t value = WidenToType(type, bits);
    return info->isSigned ? FormatSigned(info->decimalFormat, static_cast<std::int32_t>(value))
                          : FormatUnsigned(info->decimalFormat, value);
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

#pragma GCC diagnostic pop

}  // namespace quibo
