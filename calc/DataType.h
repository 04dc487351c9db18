#pragma once

#include <cstdint>
#include <string>

namespace quibo {

// The eight data types, numbered in Data Type menu order. "long" and
// "unsigned long" are 32 bits wide whatever the platform's long is.
enum class DataType : std::int32_t {
    UnsignedChar = 0,
    Char = 1,
    UnsignedShort = 2,
    Short = 3,
    UnsignedLong = 4,
    Long = 5,
    Float = 6,
    Double = 7,
};

struct DataTypeInfo {
    const char* name;          // as the Data Type menu reads, without mnemonic
    int widthBits;             // 8, 16, 32 or 64
    bool isSigned;             // two's complement for the integral ones
    bool isReal;               // IEEE-754 single or double
    int hexDigitCapacity;      // hex digits the bit pattern needs
    const char* resultHexFormat;  // nullptr for the real types
    const char* decimalFormat;    // nullptr for the real types
};

constexpr int kDataTypeCount = 8;

// The row of a type; nullptr for a number outside 0 to 7.
const DataTypeInfo* FindDataTypeInfo(DataType type);

// Integral means a type number of at most 5, the test every rule uses.
constexpr bool IsIntegral(DataType type)
{
    return static_cast<std::int32_t>(type) >= 0 && static_cast<std::int32_t>(type) <= 5;
}

// A real type (float, double), as the table's kind says.
bool IsReal(DataType type);

// The low 8, 16 or 32 bits of a value for an integral type (all 32 otherwise).
std::uint32_t TruncateToType(DataType type, std::uint32_t bits);

// The value's bits read as the type: zero-extended for the unsigned types,
// sign-extended from the type's width for the signed ones.
std::uint32_t WidenToType(DataType type, std::uint32_t bits);

// The value at the type in its decimal format: "%u" of the low bits for the
// unsigned types, "%i" of the low bits read as signed for the signed ones.
std::string DecimalText(DataType type, std::uint32_t bits);

// printf of one 32-bit value; fmt takes exactly one unsigned or int argument.
std::string FormatUnsigned(const char* fmt, std::uint32_t value);
std::string FormatSigned(const char* fmt, std::int32_t value);

}  // namespace quibo
