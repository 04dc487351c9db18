// What the WRAP pane is told for the texts that golden scripts cannot type
// (the fields' limits) or that sit on an edge, and the printf formats the
// texts are made with.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "calc/DataType.h"
#include "calc/OperatorCode.h"
#include "calc/Wrap.h"

using namespace quibo;

TEST(Wrap, OperationsAndDecimalTextsOnTheirEdges)
{
    using enum DataType;
    struct Operation {
        std::int32_t op;
        DataType type;
        std::uint64_t a, b;
        const char* wrap;
    };
    const Operation operations[] = {
        {OP_MULTIPLY, LongLong, 0x8000000000000000u, 0x8000000000000000u,
         "85070591730234615865843651857942052864 does not fit in long long"},
        {OP_MULTIPLY, LongLong, 0x8000000000000000u, ~0ull, "9223372036854775808 does not fit in long long"},
        {OP_SUBTRACT, UnsignedLongLong, 0, ~0ull, "-18446744073709551615 does not fit in unsigned long long"},
        {OP_SHIFT_LEFT, LongLong, ~0ull, 63, ""},  // -2^63 fits
        {OP_SHIFT_LEFT, UnsignedLongLong, ~0ull, 63, "170141183460469231722463931679029329920 does not fit in unsigned long long"},
        {OP_SHIFT_RIGHT, Char, 0x80, 7, ""},
        {OP_DIVIDE, Char, 0x80, 0xFF, "128 does not fit in char"},
        {OP_MODULUS, Char, 0x80, 0xFF, ""},
        {OP_MULTIPLY, Short, 0, 0x8000, ""},  // not -0
        {OP_XOR, Char, 0xFF, 0, ""},
    };
    for (const Operation& o : operations)
        EXPECT_EQ(WrapOfOperation(o.op, o.type, o.a, o.b), o.wrap) << o.op << " " << o.a << " " << o.b;

    struct Decimal {
        DataType type;
        const char* text;
        bool cut;
    };
    const Decimal decimals[] = {
        {UnsignedLongLong, "18446744073709551615", false}, {UnsignedLongLong, "18446744073709551616", true},
        {LongLong, "-9223372036854775808", false},          {LongLong, "9223372036854775808", true},
        {Char, "\t -0128", false},                          {UnsignedChar, "-0", false},
        {UnsignedChar, "000000000000000000000000000255", false}, {UnsignedChar, "99999999999999999999999", true},
        {UnsignedChar, "+-5", false},                       {UnsignedChar, "", false},
        {Float, "3.4028235e38", false},                     {Float, "3.5e38", true},
        {Float, "-INFINITY", false},                        {Float, "NaN", false},
        {Double, "1e-400", false},                          {Double, "-0x1p1024", true},
    };
    for (const Decimal& d : decimals) {
        const std::string cut = std::string("DECIMAL does not fit in ") + FindDataTypeInfo(d.type)->name;
        EXPECT_EQ(WrapOfDecimal(d.type, d.text), d.cut ? cut : "") << d.text;
    }
    EXPECT_EQ(WrapLabel("division by zero"), "DIV0");
    EXPECT_EQ(WrapLabel("shift count -1 is outside 0 to 7"), "SHIFT");
    EXPECT_EQ(WrapLabel("DECIMAL does not fit in char"), "WRAP");
    EXPECT_EQ(WrapLabel(""), "");
}

// The formats are printf's; the program makes most texts without printf.
TEST(Format, AsPrintfWritesIt)
{
    const std::uint64_t values[] = {0, 1, 9, 10, 0x7F, 0x80, 0xFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu,
                                    0x8000000000000000u, ~0ull};
    char expected[64];
    for (const DataTypeInfo& info : kDataTypes) {
        for (const std::uint64_t value : values) {
            const auto low = static_cast<std::uint32_t>(value);
            if (info.widthBits == 64) {
                std::snprintf(expected, sizeof expected, info.resultHexFormat, static_cast<unsigned long long>(value));
                EXPECT_EQ(FormatUnsigned64(info.resultHexFormat, value), expected);
            } else {
                std::snprintf(expected, sizeof expected, info.resultHexFormat, low);
                EXPECT_EQ(FormatUnsigned(info.resultHexFormat, low), expected);
            }
            std::snprintf(expected, sizeof expected, "%X", low);
            EXPECT_EQ(FormatUnsigned("%X", low), expected);
            if (!info.decimalFormat)
                continue;
            if (info.widthBits == 64 && info.isSigned) {
                std::snprintf(expected, sizeof expected, info.decimalFormat, static_cast<long long>(value));
                EXPECT_EQ(FormatSigned64(info.decimalFormat, static_cast<std::int64_t>(value)), expected);
            } else if (info.widthBits == 64) {
                std::snprintf(expected, sizeof expected, info.decimalFormat, static_cast<unsigned long long>(value));
                EXPECT_EQ(FormatUnsigned64(info.decimalFormat, value), expected);
            } else if (info.isSigned) {
                std::snprintf(expected, sizeof expected, info.decimalFormat, static_cast<int>(low));
                EXPECT_EQ(FormatSigned(info.decimalFormat, static_cast<std::int32_t>(low)), expected);
            } else {
                std::snprintf(expected, sizeof expected, info.decimalFormat, low);
                EXPECT_EQ(FormatUnsigned(info.decimalFormat, low), expected);
            }
        }
    }
    // Formats the program does not use still go to printf.
    EXPECT_EQ(FormatUnsigned("<%x>", 255), "<ff>");
    EXPECT_EQ(FormatSigned("%+.3i", -5), "-005");
}
