#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdint>
#include <string>

#include "numtext/DecimalText.h"
#include "numtext/RealText.h"

namespace quibo {
namespace {

struct FloatCase {
    std::uint32_t pattern;
    const char* text;
};

struct DoubleCase {
    std::uint64_t pattern;
    const char* text;
};

TEST(RealText, FloatsInTheFewestDigitsPlainBetween1eMinus5And1e16)
{
    const FloatCase cases[] = {
        {0x3F800000, "1"},           {0x3DCCCCCD, "0.1"},           {0x7F800000, "inf"},
        {0xFF800000, "-inf"},        {0x7FC00000, "nan"},           {0xFFC00001, "-nan"},
        {0x00000000, "0"},           {0x80000000, "-0"},            {0x00000001, "1e-45"},
        {0x47C35000, "100000"},      {0x3727C5AC, "0.00001"},       {0x4B800000, "16777216"},
        {0x42F6E979, "123.456"},     {0x5A0E1BCA, "1e+16"},         {0x7F7FFFFF, "3.4028235e+38"},
        {0x358637BD, "1e-6"},        {0xDF400000, "-1.3835058e+19"}, {0xC0200000, "-2.5"},
        {0x4CBEBC20, "100000000"},   {0x00800000, "1.1754944e-38"}, {0x3EAAAAAB, "0.33333334"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(FloatText(std::bit_cast<float>(c.pattern)), c.text) << std::hex << c.pattern;
}

TEST(RealText, DoublesInTheFewestDigits)
{
    const DoubleCase cases[] = {
        {0x3FB999999999999A, "0.1"},
        {0x7FEFFFFFFFFFFFFF, "1.7976931348623157e+308"},
        {0xC00921FB54442D18, "-3.141592653589793"},
        {0x3FF0000000000000, "1"},
        {0x0000000000000001, "5e-324"},
        {0x8000000000000000, "-0"},
        {0x7FF8000000000000, "nan"},
        {0xFFF0000000000000, "-inf"},
        {0x4340000000000000, "9007199254740992"},
        {0x4341C37937E08000, "1e+16"},
        {0x430C6BF526340000, "1000000000000000"},
        {0x3EE4F8B588E368F1, "0.00001"},
        {0x3EB0C6F7A0B5ED8D, "1e-6"},
        {0x7E37E43C8800759C, "1e+300"},
    };
    for (const DoubleCase& c : cases)
        EXPECT_EQ(DoubleText(std::bit_cast<double>(c.pattern)), c.text) << std::hex << c.pattern;
}

TEST(RealText, IsTheSameInAGermanLocale)
{
    // The suite compiles de_DE.UTF-8 into the build tree (DecimalTextTest).
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale; run through ctest, which compiles one";
    const std::string floatText = FloatText(-2.5f);
    const std::string doubleText = DoubleText(1.5e300);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(floatText, "-2.5");
    EXPECT_EQ(doubleText, "1.5e+300");
}

TEST(RealText, EveryFloatThatIsNotANaNReadsBackAsItsBits)
{
    // A sample across all 2^32 patterns; the fuzz target takes any.
    for (std::uint64_t pattern = 0; pattern <= 0xFFFFFFFFu; pattern += 997 * 4099) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(pattern));
        if (value == value) {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(ReadDecimalReal(FloatText(value)))), pattern);
        }
    }
}

}  // namespace
}  // namespace quibo
