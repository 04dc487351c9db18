#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "numtext/RealText.h"

namespace quibo {

// The ten data types. "long" and "unsigned long" are 32 bits wide whatever
// the platform's long is; the 64-bit types came last, so their numbers come
// after the real types' although the menu lists them with the integral ones.
enum class DataType : std::int32_t {
    UnsignedChar = 0,
    Char = 1,
    UnsignedShort = 2,
    Short = 3,
    UnsignedLong = 4,
    Long = 5,
    Float = 6,
    Double = 7,
    UnsignedLongLong = 8,
    LongLong = 9,
};

// What a data type is. The table below is the one place that says it.
struct DataTypeInfo {
    const char* name;             // as the Data Type menu reads, without mnemonic
    int widthBits;                // 8, 16, 32 or 64
    bool isSigned;                // two's complement for the integral ones
    const IeeeLayout* real;       // the IEEE-754 layout of a real type; nullptr for an integral one
    const char* resultHexFormat;  // HEX of a result, or of a real type's bit pattern
    const char* decimalFormat;    // nullptr for the real types, whose DECIMAL is RealText
    const char* codeSuffix;       // after a value as C code writes it
};

// In DataType order.
inline constexpr auto kDataTypes = std::to_array<DataTypeInfo>({
    // name               width signed real        result hex  decimal  code
    {"unsigned char",        8, false, nullptr,    "%.2X",     "%u",    "u"},
    {"char",                 8, true,  nullptr,    "%.2X",     "%i",    ""},
    {"unsigned short",      16, false, nullptr,    "%.4X",     "%u",    "u"},
    {"short",               16, true,  nullptr,    "%.4X",     "%i",    ""},
    {"unsigned long",       32, false, nullptr,    "%.8X",     "%u",    "u"},
    {"long",                32, true,  nullptr,    "%.8X",     "%i",    ""},
    {"float",               32, true,  &kBinary32, "%.8X",     nullptr, "f"},
    {"double",              64, true,  &kBinary64, "%.16llX",  nullptr, ""},
    {"unsigned long long",  64, false, nullptr,    "%.16llX",  "%llu",  "ull"},
    {"long long",           64, true,  nullptr,    "%.16llX",  "%lli",  ""},
});

constexpr int kDataTypeCount = static_cast<int>(kDataTypes.size());

// The row of a type; nullptr for a number outside the table.
constexpr const DataTypeInfo* FindDataTypeInfo(DataType type)
{
    const auto index = static_cast<std::int32_t>(type);
    return index >= 0 && index < kDataTypeCount ? &kDataTypes[static_cast<std::size_t>(index)] : nullptr;
}

// Integral means a known type without an IEEE layout.
constexpr bool IsIntegral(DataType type)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    return info && !info->real;
}

// A real type (float, double): one with an IEEE layout.
constexpr bool IsReal(DataType type)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    return info && info->real;
}

// Hex digits the type's bit pattern needs: HEX's length limit, and how many
// digits the keypad takes.
constexpr int HexDigitCapacity(DataType type)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    return info ? info->widthBits / 4 : 0;
}

// The low widthBits bits set (8, 16, 32 or 64).
constexpr std::uint64_t WidthMask(int widthBits)
{
    return widthBits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << widthBits) - 1u;
}

// The value cut to the type's register, the bits a type keeps of a hex or
// decimal text's value: all 64 for the 64-bit integral types, the low 32
// for every other type.
std::uint64_t ToRegister(DataType type, std::uint64_t bits);

// The low 8, 16, 32 or 64 bits of a value for an integral type (the value
// unchanged otherwise).
std::uint64_t TruncateToType(DataType type, std::uint64_t bits);

// The value's bits read as the type within its register: zero-extended for
// the unsigned types, sign-extended from the type's width for the signed
// ones (char -1 is FFFFFFFF, long long -1 sixteen Fs).
std::uint64_t WidenToType(DataType type, std::uint64_t bits);

// The value at the type in its decimal format: "%u" or "%llu" of the low
// bits for the unsigned types, "%i" or "%lli" of the low bits read as signed
// for the signed ones.
std::string DecimalText(DataType type, std::uint64_t bits);

// The register's bits in the type's result format ("%.8X", "%.16llX"): the
// HEX text of a result or of a decimal number, or of a real type's pattern.
std::string ResultHexText(DataType type, std::uint64_t bits);
// A real type's bit pattern (its low widthBits bits) as DECIMAL shows it.
std::string RealValueText(DataType type, std::uint64_t pattern);
// The register's bits as the display shows them, without leading zeros.
std::string DisplayHexText(DataType type, std::uint64_t bits);

// printf of one value; fmt takes exactly one argument of the width given:
// unsigned or int, unsigned long long or long long.
std::string FormatUnsigned(const char* fmt, std::uint32_t value);
std::string FormatSigned(const char* fmt, std::int32_t value);
std::string FormatUnsigned64(const char* fmt, std::uint64_t value);
std::string FormatSigned64(const char* fmt, std::int64_t value);

}  // namespace quibo
