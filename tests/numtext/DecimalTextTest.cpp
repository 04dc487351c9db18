#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "calc/OperandRecord.h"
#include "numtext/HexText.h"
#include "numtext/RealText.h"
#include "numtext/DecimalText.h"

namespace quibo {
namespace {

struct IntegerCase {
    std::string text;
    std::uint64_t value;
};

TEST(ReadDecimalInteger, AcceptsBlanksSignAndDigitsModulo2To64)
{
    const IntegerCase cases[] = {
        {"255", 255u},
        {"+7", 7u},
        {"-1", 0xFFFFFFFFFFFFFFFFu},
        {" \t\n\v\f\r42", 42u},
        {"-0", 0u},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0x100000000u},
        {"99999999999", 99999999999u},
        {"-2147483648", 0xFFFFFFFF80000000u},
        {"18446744073709551615", 0xFFFFFFFFFFFFFFFFu},
        {"18446744073709551616", 0u},
        {"-9223372036854775808", 0x8000000000000000u},
        {"99999999999999999999", 0x6BC75E2D630FFFFFu},
        {std::string(30000, '9'), 0xFFFFFFFFFFFFFFFFu},  // 10^30000 - 1 is -1 modulo 2^64
    };
    for (const IntegerCase& c : cases)
        EXPECT_EQ(ReadDecimalInteger(c.text), c.value) << c.text.substr(0, 20);
    // The 32-bit types keep the low half, the value modulo 2^32.
    EXPECT_EQ(static_cast<std::uint32_t>(ReadDecimalInteger("99999999999")), 0x4876E7FFu);
}

TEST(ReadDecimalInteger, StopsAtTheFirstNonDigit)
{
    const IntegerCase cases[] = {
        {"", 0u},       {"abc", 0u}, {"-", 0u},   {"--1", 0u},  {"- 5", 0u},   {"+-5", 0u},
        {"12abc", 12u}, {"3.9", 3u}, {"1e5", 1u}, {"0x1F", 0u}, {"1 2", 1u},   {"\xB2", 0u},
        {"7\xFF", 7u},  {std::string("5\0" "6", 3), 5u},
    };
    for (const IntegerCase& c : cases)
        EXPECT_EQ(ReadDecimalInteger(c.text), c.value) << c.text;
}

struct RealCase {
    std::string text;
    double value;
};

TEST(ReadDecimalReal, ReadsAsAtofDoes)
{
    const double inf = std::numeric_limits<double>::infinity();
    const RealCase cases[] = {
        {"1", 1.0},       {"-2.5", -2.5},    {"0.1", 0.1},        {"1e5", 1e5},
        {".5", 0.5},      {"5.", 5.0},       {"  +3", 3.0},       {"1,5", 1.0},
        {"12abc", 12.0},  {"", 0.0},         {"abc", 0.0},        {"-", 0.0},
        {"0x1p3", 8.0},   {"inf", inf},      {"-Infinity", -inf}, {"1e400", inf},
        {"-1e400", -inf}, {"1e-400", 0.0},   {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {std::string("2\0" "5", 3), 2.0},
    };
    for (const RealCase& c : cases)
        EXPECT_EQ(ReadDecimalReal(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isnan(ReadDecimalReal("nan")));
    EXPECT_TRUE(std::isnan(ReadDecimalReal(" -NaN(123)")));
}

// The suite's German locale is compiled into the build tree (see
// tests/CMakeLists.txt) and found through LOCPATH.
TEST(ReadDecimalReal, IgnoresTheUsersLocale)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        if (std::getenv("LOCPATH"))
            FAIL() << "the German locale in LOCPATH " << std::getenv("LOCPATH") << " does not load";
        GTEST_SKIP() << "no de_DE.UTF-8 locale; run through ctest, which compiles one";
    }
    EXPECT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(ReadDecimalReal("0.5"), 0.5);
    EXPECT_EQ(ReadDecimalReal("0,5"), 0.0);
    std::setlocale(LC_ALL, "C");
}

TEST(RealPattern, RoundsToTheLayoutsNearestAndBeyondItsRangeToAnInfinity)
{
    EXPECT_EQ(RealPattern(1.0, kBinary32), 0x3F800000u);
    EXPECT_EQ(RealPattern(-2.5, kBinary32), 0xC0200000u);
    EXPECT_EQ(RealPattern(0.1, kBinary32), 0x3DCCCCCDu);
    EXPECT_EQ(RealPattern(-0.0, kBinary32), 0x80000000u);
    EXPECT_EQ(RealPattern(std::numeric_limits<float>::denorm_min(), kBinary32), 0x00000001u);
    EXPECT_EQ(RealPattern(-1e39, kBinary32), 0xFF800000u);
    EXPECT_EQ(RealPattern(1.0, kBinary64), 0x3FF0000000000000u);
    EXPECT_EQ(RealPattern(0.1, kBinary64), 0x3FB999999999999Au);
    EXPECT_EQ(RealPattern(-0.0, kBinary64), 0x8000000000000000u);
    EXPECT_EQ(RealPattern(std::numeric_limits<double>::max(), kBinary64), 0x7FEFFFFFFFFFFFFFu);
}

TEST(SwapHexBytes, ReversesTheTwoCharacterGroups)
{
    const std::pair<std::string, std::string> cases[] = {
        {"1A2B3C4D", "4D3C2B1A"}, {"ABC", "BC0A"}, {"ABCD", "CDAB"}, {"", ""},
        {"5", "05"},              {"05", "05"},    {"x-", "x-"},     {"ab-", "b-0a"},
        {"123456789ABCDEF0", "F0DEBC9A78563412"},
    };
    for (const auto& [text, swapped] : cases)
        EXPECT_EQ(SwapHexBytes(text), swapped) << text;
}

}  // namespace
}  // namespace quibo
