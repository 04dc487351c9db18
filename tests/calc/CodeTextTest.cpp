#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "calc/CodeText.h"
#include "numtext/DecimalText.h"
#include "numtext/HexText.h"
#include "numtext/Literal.h"

namespace quibo {
namespace {

struct CodeCase {
    DataType type;
    std::uint64_t bits;
    const char* text;
};

TEST(CodeText, WritesEveryTypeAsCCodeDoes)
{
    const CodeCase cases[] = {
        {DataType::UnsignedChar, 0x12C, "0x2Cu"},
        {DataType::UnsignedShort, 0, "0x0000u"},
        {DataType::UnsignedLong, 0xDEADBEEF, "0xDEADBEEFu"},
        {DataType::UnsignedLongLong, ~std::uint64_t{0}, "0xFFFFFFFFFFFFFFFFull"},
        {DataType::Char, 0xFF, "-1"},
        {DataType::Short, 0x8000, "-32768"},
        {DataType::Long, 0x80000000, "-2147483648"},
        {DataType::LongLong, ~std::uint64_t{0}, "-1"},
        {DataType::LongLong, std::uint64_t{1} << 63, "(-9223372036854775807 - 1)"},
        {DataType::Float, 0x3F800000, "1.0f"},
        {DataType::Float, 0x3DCCCCCD, "0.1f"},
        {DataType::Float, std::bit_cast<std::uint32_t>(1e-7f), "1e-7f"},
        {DataType::Float, 0x80000000, "-0.0f"},
        {DataType::Double, 0x3FB999999999999A, "0.1"},
        {DataType::Double, std::bit_cast<std::uint64_t>(1e300), "1e+300"},
        {DataType::Double, 0x4340000000000000, "9007199254740992.0"},
        {DataType::Float, 0x7F800000, "INFINITY"},
        {DataType::Float, 0xFF800000, "-INFINITY"},
        {DataType::Double, 0x7FF8000000000000, "NAN"},
        {DataType::Double, 0xFFF8000000000001, "-NAN"},
    };
    for (const CodeCase& c : cases)
        EXPECT_EQ(CodeText(c.type, c.bits), c.text) << static_cast<int>(c.type) << ' ' << std::hex << c.bits;
}

// What HEX or DECIMAL holds after a paste of text, read back as the type's
// bits.
std::uint64_t PastedBack(DataType type, const std::string& text)
{
    if (text.starts_with("0x"))
        return TruncateToType(type, HexTextToValue(DigitsOfLiteral(text, LiteralField::Hex)));
    const std::string digits = DigitsOfLiteral(text, LiteralField::Decimal);
    if (type == DataType::Float)
        return std::bit_cast<std::uint32_t>(static_cast<float>(ReadDecimalReal(digits)));
    if (type == DataType::Double)
        return std::bit_cast<std::uint64_t>(ReadDecimalReal(digits));
    return TruncateToType(type, ReadDecimalInteger(digits));
}

TEST(CodeText, PastesBackIntoHexOrDecimalAsTheSameValue)
{
    const std::uint64_t patterns[] = {
        0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x00000001,
        0x3DCCCCCD, 0x7F7FFFFF, 0x00800000, 0x007FFFFF, 0x3FB999999999999A, 0x7FEFFFFFFFFFFFFF,
        0x000FFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF, 0x8000000000000000, 0xFFFFFFFFFFFFFFFF, 0xC00921FB54442D18,
    };
    for (int index = 0; index < kDataTypeCount; ++index) {
        const auto type = static_cast<DataType>(index);
        const std::uint64_t width = WidthMask(FindDataTypeInfo(type)->widthBits);
        for (std::uint64_t pattern : patterns) {
            const std::uint64_t bits = pattern & width;
            const std::string text = CodeText(type, bits);
            if (text.find("INFINITY") != std::string::npos || text.find("NAN") != std::string::npos)
                continue;
            EXPECT_EQ(PastedBack(type, text), bits) << text;
        }
    }
}

}  // namespace
}  // namespace quibo
