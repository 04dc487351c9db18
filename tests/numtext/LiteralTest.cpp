#include <gtest/gtest.h>

#include <string>

#include "numtext/Literal.h"

namespace quibo {
namespace {

struct LiteralCase {
    const char* text;
    const char* digits;  // nullptr: the text goes in as it stands
};

void ExpectReads(LiteralField field, std::initializer_list<LiteralCase> cases)
{
    for (const LiteralCase& c : cases) {
        const std::string expected = c.digits ? c.digits : c.text;
        EXPECT_EQ(DigitsOfLiteral(c.text, field), expected) << '"' << c.text << '"';
    }
}

TEST(HexLiteral, TakesTheDigitsOfEveryForm)
{
    ExpectReads(LiteralField::Hex, {
        {"0xDEAD_BEEFu", "DEADBEEF"},
        {"0x7fff'ffffULL", "7fffffff"},
        {"0xff_u32", "ff"},
        {"0XFFllu", "FF"},
        {"0x1Lu", "1"},
        {"0x1uL", "1"},
        {"0x80usize", "80"},
        {"0x80_i128", "80"},
        {"FFh", "FF"},
        {"0FFH", "0FF"},
        {"DE AD BE EF", "DEADBEEF"},
        {"1_000", "1000"},
        {"  \t0x2A\n", "2A"},
        {"DEADBEEF", "DEADBEEF"},
    });
}

TEST(HexLiteral, LeavesEverythingElseAsItStands)
{
    ExpectReads(LiteralField::Hex, {
        {"0x1G", nullptr},
        {"0x", nullptr},
        {"h", nullptr},
        {"_", nullptr},
        {"0xFFh", nullptr},      // a prefix and the assembler's suffix
        {"FFu", nullptr},        // a C suffix needs the prefix
        {"DE__AD", nullptr},     // doubled separator
        {"DE  AD", nullptr},
        {"_FF", nullptr},
        {"FF_", nullptr},        // trailing separator
        {"0x_FF", nullptr},
        {"0xFF_", nullptr},
        {"0xFFU8", nullptr},     // Rust's suffixes are lower case
        {"0xFFuu", nullptr},
        {"DE\tAD", nullptr},     // only a blank separates
        {"-1", nullptr},
        {"", nullptr},
        {"   ", nullptr},
    });
}

TEST(DecimalLiteral, TakesTheDigitsOfEveryForm)
{
    ExpectReads(LiteralField::Decimal, {
        {"1'000'000", "1000000"},
        {"1_000", "1000"},
        {"-2.5f", "-2.5"},
        {".5e3_f64", ".5e3"},
        {"+7", "+7"},
        {"1.", "1."},
        {"6.02E+23", "6.02E+23"},
        {"1e-3F", "1e-3"},
        {"42ull", "42"},
        {"42u8", "42"},
        {"2.5f32", "2.5"},
        {"1_0.2_5e1_0", "10.25e10"},
        {" -12 ", "-12"},
        // The least value of a signed type, as <stdint.h> writes it.
        {"(-9223372036854775807 - 1)", "-9223372036854775808"},
        {"(-9223372036854775807LL-1)", "-9223372036854775808"},
        {"( - 2147483647 - 1L )", "-2147483648"},
        {"(-99 - 1)", "-100"},
        {"(-1'999 - 1)", "-2000"},
    });
}

TEST(DecimalLiteral, LeavesEverythingElseAsItStands)
{
    ExpectReads(LiteralField::Decimal, {
        {"12 34", nullptr},
        {"1__000", nullptr},
        {"1_", nullptr},
        {"_1", nullptr},
        {"1e", nullptr},
        {"1e+", nullptr},
        {".", nullptr},
        {"-", nullptr},
        {"+-1", nullptr},
        {"0x10", nullptr},
        {"1f16", nullptr},
        {"inf", nullptr},
        {"1.5.5", nullptr},
        {"1 f", nullptr},
        {"(-5 - 2)", nullptr},
        {"(5 - 1)", nullptr},
        {"(-5 + 1)", nullptr},
        {"-5 - 1", nullptr},
        {"(-5 - 1", nullptr},
        {"(-5 - 1x)", nullptr},
    });
}

}  // namespace
}  // namespace quibo
