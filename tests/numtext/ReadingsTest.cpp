// The Inspector's readings: a table of edges per width, and every 16-bit
// pattern read back through its own text.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "numtext/DecimalText.h"
#include "numtext/ExactText.h"
#include "numtext/Readings.h"

using namespace quibo;

namespace {

// One row of a reading: {width, value, row name, Mot, Int}.
struct Row {
    int width;
    std::uint64_t value;
    const char* name;
    const char* mot;
    const char* in;
};

const Row kRows[] = {
    {8, 0x41, "character", "'A'", ""},
    {8, 0x00, "character", "'\\0'", ""},
    {8, 0x07, "character", "'\\a'", ""},
    {8, 0x0D, "character", "'\\r'", ""},
    {8, 0x1B, "character", "'\\x1B'", ""},
    {8, 0x20, "character", "' '", ""},
    {8, 0x27, "character", "'\\''", ""},
    {8, 0x5C, "character", "'\\\\'", ""},
    {8, 0x7F, "character", "'\\x7F'", ""},
    {16, 0x8000, "short", "-32768", "128"},
    {16, 0x3C00, "half", "1", "3.6e-6"},
    {16, 0x3C00, "half exact", "1", "0.0000035762786865234375"},
    {16, 0x3C00, "bfloat16", "0.0078", "5.5e-39"},
    {16, 0x0001, "half", "6e-8", "0.00001526"},  // the least subnormal
    {16, 0x0001, "half hex", "0x1p-24", "0x1p-16"},
    {16, 0x0001, "half exact", "0.000000059604644775390625", "0.0000152587890625"},
    {16, 0x7BFF, "half", "65500", "-nan"},  // the largest finite value
    {16, 0x7BFF, "half class", "normal", "quiet NaN"},
    {16, 0x7C00, "half", "inf", "7.4e-6"},
    {16, 0xFC00, "half class", "infinite", "subnormal"},
    {16, 0x7C01, "half class", "signalling NaN", "subnormal"},
    {16, 0x8000, "half", "-0", "7.6e-6"},
    {16, 0x8000, "half hex", "-0x0p+0", "0x1p-17"},
    {16, 0x3555, "half exact", "0.333251953125", "83.3125"},
    {16, 0x3F80, "bfloat16", "1", "-5.8e-39"},
    {16, 0x7F7F, "bfloat16", "3.39e+38", "3.39e+38"},
    {16, 0x7F7F, "bfloat16 exact", "338953138925153547590470800371487866880",
     "338953138925153547590470800371487866880"},
    {16, 0x7FC0, "bfloat16 class", "quiet NaN", "normal"},
    {16, 0x7F81, "bfloat16 class", "signalling NaN", "normal"},
    {32, 0x3F800000, "float hex", "0x1p+0", "0x1.007ep-134"},
    {32, 0xFFC00001, "float", "-nan", "2.3648355e-38"},
    {32, 0x7F800001, "float class", "signalling NaN", "normal"},
    {32, 0x7F7FFFFF, "float exact", "340282346638528859811704183484516925440", "-nan"},
    {64, 0x3FB999999999999A, "double", "0.1", "-1.5423487136675799e-180"},
    {64, 0x0000000000000001, "double hex", "0x0.0000000000001p-1022", "0x1p-1007"},
    {64, 0x8000000000000000, "double", "-0", "6.3e-322"},
    {64, 0x8000000000000000, "long long", "-9223372036854775808", "128"},
    {64, 0xFFFFFFFFFFFFFFFF, "unsigned long long", "18446744073709551615", "18446744073709551615"},
    {64, 0x7FF0000000000001, "double class", "signalling NaN", "normal"},
    {64, 0xFFF8000000000000, "double hex", "-nan", "0x0.000000000f8ffp-1022"},
};

// Every digit of a value, independently: the C library's printf, with more
// places than any double has, its trailing zeros dropped.
std::string AllDigits(double value)
{
    static char text[1500];
    std::snprintf(text, sizeof text, "%.1100f", value);
    std::string digits(text);
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.')
        digits.pop_back();
    return digits;
}

}  // namespace

TEST(Readings, EachWidthsRowsOnTheirEdges)
{
    const std::vector<const char*> names16{"unsigned short", "short", "half", "half class", "half hex",
                                           "half exact", "bfloat16", "bfloat16 class", "bfloat16 hex",
                                           "bfloat16 exact"};
    std::vector<std::string> shown;
    for (const Reading& reading : Readings(0x1234, 16))
        shown.push_back(reading.name);
    EXPECT_EQ(shown, std::vector<std::string>(names16.begin(), names16.end()));
    EXPECT_EQ(Readings(0, 8).size(), 3u);
    EXPECT_EQ(Readings(0, 32).size(), 6u);
    EXPECT_EQ(Readings(0, 64).size(), 6u);

    for (const Row& row : kRows) {
        bool found = false;
        for (const Reading& reading : Readings(row.value, row.width)) {
            if (reading.name != row.name)
                continue;
            found = true;
            EXPECT_EQ(reading.mot, row.mot) << row.name << " of " << std::hex << row.value;
            EXPECT_EQ(reading.in, row.in) << row.name << " of " << std::hex << row.value << " swapped";
        }
        EXPECT_TRUE(found) << row.name;
    }
}

// Every half and bfloat16: the text rounds back to the pattern, the exact
// text is every digit of the value, the hex text "%a"'s.
TEST(Readings, EverySixteenBitPatternReadsBack)
{
    char hex[64];
    for (const IeeeLayout* layout : {&kBinary16, &kBfloat16}) {
        for (std::uint64_t pattern = 0; pattern <= 0xFFFF; ++pattern) {
            const double value = RealValue(pattern, *layout);
            std::snprintf(hex, sizeof hex, "%a", value);
            ASSERT_EQ(RealHex(pattern, *layout), hex);
            if (std::isnan(value))
                continue;
            const std::string text = RealText(pattern, *layout);
            ASSERT_EQ(RealPattern(ReadDecimalReal(text), *layout), pattern) << text;
            ASSERT_EQ(ExactText(value), std::signbit(value) && value == 0 ? "-0" : AllDigits(value)) << pattern;
        }
    }
}

// Rounding to a narrow layout against the compiler's own half, where it has
// one, on random doubles near its range and on every midpoint.
TEST(Readings, RoundingToHalfIsTheMachines)
{
#ifdef __FLT16_MAX__
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> exponent(-27, 17);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::copysign(std::exp2(exponent(random)), (i & 1) ? 1.0 : -1.0);
        const auto half = static_cast<_Float16>(value);
        std::uint16_t bits = 0;
        std::memcpy(&bits, &half, sizeof bits);
        ASSERT_EQ(RealPattern(value, kBinary16), bits) << value;
    }
    for (std::uint64_t pattern = 0; pattern < 0x7C00; ++pattern) {
        const double midpoint = (RealValue(pattern, kBinary16) + RealValue(pattern + 1, kBinary16)) / 2;
        const auto half = static_cast<_Float16>(midpoint);
        std::uint16_t bits = 0;
        std::memcpy(&bits, &half, sizeof bits);
        ASSERT_EQ(RealPattern(midpoint, kBinary16), bits) << std::hex << pattern;
    }
#else
    GTEST_SKIP() << "the compiler has no _Float16";
#endif
}

// Floats and doubles at random: the exact text is every digit, and the hex
// text is the C library's "%a".
TEST(Readings, ExactAndHexTextsAreTheCLibrarys)
{
    std::mt19937_64 random(64);
    char hex[64];
    for (int i = 0; i < 20000; ++i) {
        const auto bits = random();
        const auto low = static_cast<std::uint32_t>(bits);
        for (const auto& [pattern, layout] : {std::pair{bits, &kBinary64}, std::pair{std::uint64_t{low}, &kBinary32}}) {
            const double value = RealValue(pattern, *layout);
            std::snprintf(hex, sizeof hex, "%a", value);
            ASSERT_EQ(RealHex(pattern, *layout), hex);
            if (!std::isfinite(value) || value == 0)
                continue;
            ASSERT_EQ(ExactText(value), AllDigits(value)) << std::hexfloat << value;
        }
    }
}
