#include <gtest/gtest.h>

#include <string>

#include "calc/OperandRecord.h"
#include "calc/OperatorCode.h"

namespace quibo {
namespace {

using T = DataType;

struct OperatorCase {
    const char* name;
    DataType type;
    std::int32_t op;
    std::uint32_t a;
    std::uint32_t b;
    std::uint32_t result;  // bits of the result slot
    const char* text;      // m_strResult
};

class ApplyOperatorTest : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(ApplyOperatorTest, ComputesAtTheTypesWidthAndSign)
{
    const OperatorCase& c = GetParam();
    OperandRecord record;
    record.SetSlot(c.type, OperandRecord::FIRST, c.a);
    record.SetSlot(c.type, OperandRecord::SECOND, c.b);
    record.ApplyOperator(c.op, c.type);
    EXPECT_EQ(record.SlotBits(c.type, OperandRecord::RESULT), c.result);
    EXPECT_EQ(record.m_strResult, c.text);
}

std::string CaseName(const ::testing::TestParamInfo<OperatorCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    UnsignedChar, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"FirstMinusSecond", T::UnsignedChar, OP_SUBTRACT, 3, 1, 2, "02"},
                      OperatorCase{"AddWraps", T::UnsignedChar, OP_ADD, 0xFF, 1, 0, "00"},
                      OperatorCase{"SubtractWraps", T::UnsignedChar, OP_SUBTRACT, 0, 1, 0xFF, "FF"},
                      OperatorCase{"MultiplyKeepsLowBits", T::UnsignedChar, OP_MULTIPLY, 0x10, 0x11, 0x10, "10"},
                      OperatorCase{"DivideUnsigned", T::UnsignedChar, OP_DIVIDE, 0xF9, 2, 0x7C, "7C"},
                      OperatorCase{"DivideByZero", T::UnsignedChar, OP_DIVIDE, 7, 0, 0, "00"},
                      OperatorCase{"ModulusByZero", T::UnsignedChar, OP_MODULUS, 7, 0, 0, "00"},
                      OperatorCase{"Complement", T::UnsignedChar, OP_COMPLEMENT, 5, 0, 0xFA, "FA"},
                      OperatorCase{"ShiftLeftToTheTop", T::UnsignedChar, OP_SHIFT_LEFT, 1, 7, 0x80, "80"},
                      OperatorCase{"ShiftLeftByTheWidth", T::UnsignedChar, OP_SHIFT_LEFT, 1, 8, 0, "00"},
                      OperatorCase{"ShiftRightZeroFill", T::UnsignedChar, OP_SHIFT_RIGHT, 0x80, 7, 1, "01"},
                      OperatorCase{"ShiftRightByTheWidth", T::UnsignedChar, OP_SHIFT_RIGHT, 0x80, 8, 0, "00"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Char, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"NegativeShowsThirtyTwoBits", T::Char, OP_SUBTRACT, 0, 6, 0xFA, "FFFFFFFA"},
                      OperatorCase{"OverflowWraps", T::Char, OP_ADD, 0x7F, 1, 0x80, "FFFFFF80"},
                      OperatorCase{"MinDividedByMinusOneWraps", T::Char, OP_DIVIDE, 0x80, 0xFF, 0x80, "FFFFFF80"},
                      OperatorCase{"DivideTruncatesTowardZero", T::Char, OP_DIVIDE, 0xF9, 2, 0xFD, "FFFFFFFD"},
                      OperatorCase{"ModulusTakesSignOfFirst", T::Char, OP_MODULUS, 0xF9, 2, 0xFF, "FFFFFFFF"},
                      OperatorCase{"ModulusByNegative", T::Char, OP_MODULUS, 7, 0xFE, 1, "01"},
                      OperatorCase{"ComplementIsZeroExtended", T::Char, OP_COMPLEMENT, 5, 0, 0xFA, "FA"},
                      OperatorCase{"ShiftRightSignFill", T::Char, OP_SHIFT_RIGHT, 0x80, 7, 0xFF, "FFFFFFFF"},
                      OperatorCase{"ShiftRightNegativeBeyondWidth", T::Char, OP_SHIFT_RIGHT, 0x80, 0x1F, 0xFF,
                                   "FFFFFFFF"},
                      OperatorCase{"ShiftRightPositiveBeyondWidth", T::Char, OP_SHIFT_RIGHT, 0x40, 8, 0, "00"},
                      OperatorCase{"NegativeShiftCountUsesLowFiveBits", T::Char, OP_SHIFT_LEFT, 1, 0xE1, 2, "02"},
                      OperatorCase{"XorOfNegatives", T::Char, OP_XOR, 0xF0, 0x0F, 0xFF, "FFFFFFFF"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    UnsignedShort, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"ShiftCountSixteenReachesWidth", T::UnsignedShort, OP_SHIFT_LEFT, 1, 0x10, 0,
                                   "0000"},
                      OperatorCase{"ShiftCount31", T::UnsignedShort, OP_SHIFT_LEFT, 1, 0x1F, 0, "0000"},
                      OperatorCase{"ShiftCountLowFiveBits", T::UnsignedShort, OP_SHIFT_LEFT, 1, 0x21, 2, "0002"},
                      OperatorCase{"MultiplyWraps", T::UnsignedShort, OP_MULTIPLY, 0xFFFF, 0xFFFF, 1, "0001"},
                      OperatorCase{"AndOrXor", T::UnsignedShort, OP_OR, 0xF000, 0x000F, 0xF00F, "F00F"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Short, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"QuotientWraps", T::Short, OP_DIVIDE, 0x8000, 0xFFFF, 0x8000, "FFFF8000"},
                      OperatorCase{"ModulusByZero", T::Short, OP_MODULUS, 7, 0, 0, "0000"},
                      OperatorCase{"ShiftRightSignFill", T::Short, OP_SHIFT_RIGHT, 0x8000, 0xF, 0xFFFF, "FFFFFFFF"},
                      OperatorCase{"ComplementOfZero", T::Short, OP_COMPLEMENT, 0, 0, 0xFFFF, "FFFF"},
                      OperatorCase{"PositiveResult", T::Short, OP_AND, 0xFFFF, 0x7FFF, 0x7FFF, "7FFF"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    UnsignedLong, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"Add", T::UnsignedLong, OP_ADD, 5, 3, 8, "00000008"},
                      OperatorCase{"AddWraps", T::UnsignedLong, OP_ADD, 0xFFFFFFFF, 1, 0, "00000000"},
                      OperatorCase{"MultiplyKeepsLowBits", T::UnsignedLong, OP_MULTIPLY, 0x12345678, 0x9ABCDEF0,
                                   0x242D2080, "242D2080"},
                      OperatorCase{"DivideUnsigned", T::UnsignedLong, OP_DIVIDE, 0xFFFFFFFF, 2, 0x7FFFFFFF,
                                   "7FFFFFFF"},
                      OperatorCase{"Modulus", T::UnsignedLong, OP_MODULUS, 7, 3, 1, "00000001"},
                      OperatorCase{"Complement", T::UnsignedLong, OP_COMPLEMENT, 5, 0, 0xFFFFFFFA, "FFFFFFFA"},
                      OperatorCase{"ShiftRightZeroFill", T::UnsignedLong, OP_SHIFT_RIGHT, 0x80000000, 0x1F, 1,
                                   "00000001"},
                      OperatorCase{"ShiftCount32IsZero", T::UnsignedLong, OP_SHIFT_LEFT, 0x40, 0x20, 0x40,
                                   "00000040"},
                      OperatorCase{"ShiftLeft31", T::UnsignedLong, OP_SHIFT_LEFT, 3, 0x1F, 0x80000000, "80000000"},
                      OperatorCase{"And", T::UnsignedLong, OP_AND, 8, 6, 0, "00000000"},
                      OperatorCase{"Xor", T::UnsignedLong, OP_XOR, 5, 3, 6, "00000006"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Long, ApplyOperatorTest,
    ::testing::Values(OperatorCase{"ShiftRightSignFill", T::Long, OP_SHIFT_RIGHT, 0x80000000, 0x1F, 0xFFFFFFFF,
                                   "FFFFFFFF"},
                      OperatorCase{"MinDividedByMinusOneWraps", T::Long, OP_DIVIDE, 0x80000000, 0xFFFFFFFF,
                                   0x80000000, "80000000"},
                      OperatorCase{"MinModulusMinusOneIsZero", T::Long, OP_MODULUS, 0x80000000, 0xFFFFFFFF, 0,
                                   "00000000"},
                      OperatorCase{"DivideTruncatesTowardZero", T::Long, OP_DIVIDE, 0xFFFFFFF9, 2, 0xFFFFFFFD,
                                   "FFFFFFFD"},
                      OperatorCase{"OverflowWraps", T::Long, OP_ADD, 0x7FFFFFFF, 1, 0x80000000, "80000000"},
                      OperatorCase{"MultiplyOverflowWraps", T::Long, OP_MULTIPLY, 0x80000000, 0xFFFFFFFF,
                                   0x80000000, "80000000"}),
    CaseName);

TEST(ApplyOperator, ComplementReplacesTheFirstOperand)
{
    OperandRecord record;
    record.SetSlot(DataType::Char, OperandRecord::FIRST, 5);
    record.ApplyOperator(OP_COMPLEMENT, DataType::Char);
    EXPECT_EQ(record.m_c[OperandRecord::FIRST], -6);
    record.ApplyOperator(OP_COMPLEMENT, DataType::Char);
    EXPECT_EQ(record.m_c[OperandRecord::RESULT], 5);
    EXPECT_EQ(record.m_strResult, "05");
}

TEST(ApplyOperator, ComputesNothingForNoOperatorUnknownCodesAndRealTypes)
{
    OperandRecord record;
    record.SetSlot(DataType::UnsignedLong, OperandRecord::FIRST, 5);
    record.SetSlot(DataType::UnsignedLong, OperandRecord::RESULT, 9);
    record.m_strResult = "kept";
    for (std::int32_t op : {0, -1, 12, 0x7FFFFFFF}) {
        record.ApplyOperator(op, DataType::UnsignedLong);
        EXPECT_EQ(record.m_ul[OperandRecord::RESULT], 9u) << op;
        EXPECT_EQ(record.m_strResult, "kept") << op;
    }
    for (DataType type : {DataType::Float, DataType::Double, static_cast<DataType>(10)}) {
        record.ApplyOperator(OP_ADD, type);
        EXPECT_EQ(record.m_strResult, "kept");
    }
}

TEST(ApplyOperator, TouchesOnlyTheSlotsOfItsType)
{
    OperandRecord record;
    record.SetSlot(DataType::UnsignedLong, OperandRecord::FIRST, 5);
    record.SetSlot(DataType::UnsignedLong, OperandRecord::SECOND, 3);
    record.ApplyOperator(OP_ADD, DataType::UnsignedShort);
    EXPECT_EQ(record.m_strResult, "0000");
    EXPECT_EQ(record.m_ul[OperandRecord::RESULT], 0u);
}

}  // namespace
}  // namespace quibo
