#include <gtest/gtest.h>

#include <string>

#include "calc/OperandRecord.h"
#include "numtext/HexText.h"

namespace quibo {
namespace {

struct HexCase {
    const char* name;
    std::string text;
    std::uint64_t value;
};

class HexTextToValueTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexTextToValueTest, ReadsTheLastSixteenPlaces)
{
    EXPECT_EQ(HexTextToValue(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, HexTextToValueTest,
    ::testing::Values(HexCase{"Empty", "", 0u},
                      HexCase{"LowerCase", "ff", 255u},
                      HexCase{"UpperCase", "FF", 255u},
                      HexCase{"MixedCase", "fF", 255u},
                      HexCase{"AllLetters", "AbCdEf", 0xABCDEFu},
                      HexCase{"EightDigits", "80000000", 0x80000000u},
                      HexCase{"LeadingZeros", "00000007", 7u},
                      HexCase{"NineDigits", "123456789", 0x123456789u},
                      HexCase{"SixteenDigits", "8000000000000001", 0x8000000000000001u},
                      HexCase{"SeventeenDigitsDropTheFirst", "123456789ABCDEF01", 0x23456789ABCDEF01u},
                      HexCase{"SeventeenFs", "FFFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFFu},
                      HexCase{"LongTextKeepsItsTail", std::string(30000, '9') + "1", 0x9999999999999991u}),
    [](const auto& info) { return std::string(info.param.name); });

// A character that is not a hex digit is a zero digit that keeps its place.
INSTANTIATE_TEST_SUITE_P(
    NonDigitsAreZeros, HexTextToValueTest,
    ::testing::Values(HexCase{"SignIsZero", "-1", 1u},
                      HexCase{"PrefixIsZeros", "0x1F", 31u},
                      HexCase{"BlankKeepsItsPlace", "1 2", 0x102u},
                      HexCase{"LetterG", "G", 0u},
                      HexCase{"LetterGInside", "1G1", 0x101u},
                      HexCase{"Punctuation", "1.5", 0x105u},
                      HexCase{"NulByte", std::string("1\0" "2", 3), 0x102u},
                      HexCase{"HighBytes", "\xff\x80" "A", 0xAu},
                      HexCase{"OnlyJunk", "zzzz", 0u}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quibo
