#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "calc/OperandRecord.h"
#include "numtext/BinaryText.h"
#include "numtext/HexText.h"

namespace quibo {
namespace {

std::size_t Count(const std::string& text, char c)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

std::string WithoutBlanks(std::string text)
{
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

// Bits of a pattern, most significant first, one character each.
std::string Bits(std::uint64_t pattern, int width)
{
    std::string bits;
    for (int i = width - 1; i >= 0; --i)
        bits += ((pattern >> i) & 1u) ? '1' : '0';
    return bits;
}

TEST(IntegralRendering, WorkedExamples)
{
    OperandRecord record;

    EXPECT_EQ(record.BinaryTextUChar(0xA5), "1010 0101");
    EXPECT_EQ(record.m_strBinMot, "1010 0101");
    EXPECT_EQ(record.m_strBinInt, "1010 0101 ");
    EXPECT_EQ(record.m_strRawBits, "10100101");

    EXPECT_EQ(record.BinaryTextUShort(0x1234), "0001 0010 0011 0100");
    EXPECT_EQ(record.m_strBinInt, "0011 0100 0001 0010 ");
    EXPECT_EQ(record.m_strRawBits, "0010110001001000");

    EXPECT_EQ(record.BinaryTextULong(0x12345678), "0001 0010 0011 0100 0101 0110 0111 1000");
    EXPECT_EQ(record.m_strBinInt, "0111 1000 0101 0110 0011 0100 0001 0010 ");
}

TEST(IntegralRendering, ReadsBitsNotSignAndOnlyItsWidth)
{
    OperandRecord record;
    for (std::uint32_t value : {0xFFu, 0x1FFu, 0xFFFFFFFFu}) {
        EXPECT_EQ(record.BinaryTextChar(value), "1111 1111") << value;
        EXPECT_EQ(record.m_strBinInt, "1111 1111 ");
        EXPECT_EQ(record.BinaryTextUChar(value), "1111 1111") << value;
        EXPECT_EQ(record.m_strBinInt, "1111 1111 ");
    }
    EXPECT_EQ(record.BinaryTextShort(0xFFFF8000u), "1000 0000 0000 0000");
    EXPECT_EQ(record.BinaryTextUShort(0x8000u), "1000 0000 0000 0000");
    const std::string asLong = record.BinaryTextLong(0x80000000u);
    EXPECT_EQ(asLong, record.BinaryTextULong(0x80000000u));
}

TEST(IntegralRendering, GroupsByFourWithoutTrailingBlankInMot)
{
    OperandRecord record;
    EXPECT_EQ(Count(record.BinaryTextUChar(0), ' '), 1u);
    EXPECT_EQ(Count(record.BinaryTextUShort(0), ' '), 3u);
    const std::string mot32 = record.BinaryTextULong(0);
    EXPECT_EQ(Count(mot32, ' '), 7u);
    EXPECT_NE(mot32.back(), ' ');
    EXPECT_EQ(record.m_strBinInt.back(), ' ');
}

TEST(IntegralRendering, SixtyFourBitsInTwoLinesAndEveryByteInItsPlace)
{
    OperandRecord record;
    EXPECT_EQ(record.BinaryTextULongLong(0x0123456789ABCDEFu),
              "0000 0001 0010 0011 0100 0101 0110 0111\n1000 1001 1010 1011 1100 1101 1110 1111");
    EXPECT_EQ(record.m_strBinInt, "1110 1111 1100 1101 1010 1011 1000 1001 \n0110 0111 0100 0101 0010 0011 0000 0001 ");
    const std::string asLongLong = record.BinaryTextLongLong(0x8000000000000000u);
    EXPECT_EQ(asLongLong, record.BinaryTextULongLong(0x8000000000000000u));
    // One byte set at a time: Mot keeps the value's order, Int puts byte k
    // (from the least significant) k-th, after the line break from the fifth.
    for (int k = 0; k < 8; ++k) {
        const std::uint64_t value = std::uint64_t{0xC1} << (8 * k);
        const std::string mot = record.BinaryTextLongLong(value);
        EXPECT_EQ(WithoutBlanks(mot), Bits(value, 64)) << k;
        const std::string byteText = "1100 0001 ";
        const std::size_t at = static_cast<std::size_t>(k) * byteText.size() + (k >= 4 ? 1 : 0);
        EXPECT_EQ(record.m_strBinInt.substr(at, byteText.size()), byteText) << k;
        EXPECT_EQ(Count(record.m_strBinInt, '1'), 3u) << k;
    }
    const std::string integral = record.BinaryTextIntegral(DataType::LongLong, 0xFFFFFFFFFFFFFFFFu);
    EXPECT_EQ(integral, record.BinaryTextLongLong(~0ull));
    // The 32-bit types render the low half only.
    EXPECT_EQ(record.BinaryTextIntegral(DataType::UnsignedLong, 0x1234567800000001u),
              "0000 0000 0000 0000 0000 0000 0000 0001");
}

TEST(IntegralRendering, LeavesTheRealTextsAlone)
{
    OperandRecord record;
    record.BinaryTextFloat(1.0f);
    const std::string realMot = record.m_strRealBinMot;
    record.BinaryTextULong(5);
    EXPECT_EQ(record.m_strRealBinMot, realMot);
    EXPECT_EQ(record.BinaryTextIntegral(DataType::Float, 5), "");
    EXPECT_EQ(record.m_strBinMot, "0000 0000 0000 0000 0000 0000 0000 0101");
}

TEST(RealRendering, FloatOne)
{
    OperandRecord record;
    EXPECT_EQ(record.BinaryTextFloat(1.0f), "0000 0000 0000 0000 1000 0000 0011 1111 ");
    EXPECT_EQ(record.m_strRealBinInt, "0000 0000 0000 0000 1000 0000 0011 1111 ");
    EXPECT_EQ(record.m_strRealBinMot, "0011 1111 1000 0000 0000 0000 0000 0000 ");
    EXPECT_EQ(record.m_strRawBits, "11111100000000010000000000000000");
    EXPECT_EQ(Count(record.m_strRealBinMot, '\n'), 0u);
    EXPECT_EQ(Count(record.m_strRealBinInt, '\n'), 0u);
}

TEST(RealRendering, DoubleOneHasItsLineBreaks)
{
    OperandRecord record;
    const std::string in = record.BinaryTextDouble(1.0);
    EXPECT_EQ(in,
              "0000 0000 0000 0000 0000 0000 0000 0000 \n"
              "0000 0000 0000 0000 1111 0000 0011 1111 \n");
    EXPECT_EQ(record.m_strRealBinMot,
              "0011 1111 1111 0000 0000 0000 0000 0000 \n"
              "0000 0000 0000 0000 0000 0000 0000 0000 ");
    EXPECT_EQ(Count(in, '\n'), 2u);
    EXPECT_EQ(Count(record.m_strRealBinMot, '\n'), 1u);
}

TEST(RealRendering, LeavesTheIntegralTextsAlone)
{
    OperandRecord record;
    const std::string mot = record.BinaryTextUChar(0xA5);
    record.BinaryTextDouble(2.0);
    EXPECT_EQ(record.m_strBinMot, mot);
    EXPECT_EQ(record.m_strBinInt, "1010 0101 ");
}

struct FloatVector {
    const char* name;
    float value;
    std::uint32_t pattern;
};

class FloatVectors : public ::testing::TestWithParam<FloatVector> {};

// The Mot text is the bit pattern, most significant byte first.
TEST_P(FloatVectors, MotTextIsTheBitPattern)
{
    OperandRecord record;
    record.BinaryTextFloat(GetParam().value);
    EXPECT_EQ(WithoutBlanks(record.m_strRealBinMot), Bits(GetParam().pattern, 32));
    EXPECT_EQ(record.m_strRealBinMot.size(), 40u);
}

INSTANTIATE_TEST_SUITE_P(
    Ieee754, FloatVectors,
    ::testing::Values(FloatVector{"MinusTwoAndAHalf", -2.5f, 0xC0200000u},
                      FloatVector{"PointOne", 0.1f, 0x3DCCCCCDu},
                      FloatVector{"OneE5", 1e5f, 0x47C35000u},
                      FloatVector{"Zero", 0.0f, 0u},
                      FloatVector{"MinusZero", -0.0f, 0x80000000u},
                      FloatVector{"SmallestDenormal", std::numeric_limits<float>::denorm_min(), 1u},
                      FloatVector{"Largest", std::numeric_limits<float>::max(), 0x7F7FFFFFu},
                      FloatVector{"Infinity", std::numeric_limits<float>::infinity(), 0x7F800000u},
                      FloatVector{"MinusInfinity", -std::numeric_limits<float>::infinity(), 0xFF800000u},
                      FloatVector{"QuietNaN", std::numeric_limits<float>::quiet_NaN(), 0x7FC00000u}),
    [](const auto& info) { return std::string(info.param.name); });

struct DoubleVector {
    const char* name;
    double value;
    std::uint64_t pattern;
};

class DoubleVectors : public ::testing::TestWithParam<DoubleVector> {};

TEST_P(DoubleVectors, BothTextsAreTheBitPatternInTheirOrder)
{
    OperandRecord record;
    const std::string in = record.BinaryTextDouble(GetParam().value);
    EXPECT_EQ(WithoutBlanks(record.m_strRealBinMot), Bits(GetParam().pattern, 64));

    // Int: the same bytes, least significant first.
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i)
        swapped |= ((GetParam().pattern >> (8 * i)) & 0xFFu) << (8 * (7 - i));
    EXPECT_EQ(WithoutBlanks(in), Bits(swapped, 64));
}

INSTANTIATE_TEST_SUITE_P(
    Ieee754, DoubleVectors,
    ::testing::Values(DoubleVector{"PointOne", 0.1, 0x3FB999999999999Aull},
                      DoubleVector{"MinusZero", -0.0, 0x8000000000000000ull},
                      DoubleVector{"SmallestDenormal", std::numeric_limits<double>::denorm_min(), 1ull},
                      DoubleVector{"Infinity", std::numeric_limits<double>::infinity(), 0x7FF0000000000000ull},
                      DoubleVector{"QuietNaN", std::numeric_limits<double>::quiet_NaN(), 0x7FF8000000000000ull}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SwappedByteGroups, TakesTheBytesOfTheReversalFromLastToFirst)
{
    // Reversal "00010010 00110100": its last byte first.
    EXPECT_EQ(SwappedByteGroups("0010110001001000"), "0011 0100 0001 0010 ");
    EXPECT_EQ(SwappedByteGroups(""), "");
    // Only whole bytes are taken.
    EXPECT_EQ(SwappedByteGroups("101"), "");
    const std::string sixtyFour = SwappedByteGroups(std::string(64, '1'));
    EXPECT_EQ(sixtyFour.find('\n'), 40u);
    EXPECT_EQ(Count(sixtyFour, '\n'), 1u);
}

}  // namespace
}  // namespace quibo
