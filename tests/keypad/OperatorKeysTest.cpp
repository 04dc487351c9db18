#include "keypad/KeypadFixture.h"

namespace quibo {
namespace {

using Evaluation = KeypadTest;
using Chains = KeypadTest;
using CarryOver = KeypadTest;
using Complement = KeypadTest;
using TypedResults = KeypadTest;

TEST_F(Evaluation, EqualsShowsTheTotalBigEndianInEveryField)
{
    App().Document().m_pConv->m_nByteOrder = 1;
    App().Form().SetDlgItemText(IDC_KEY_BYTE_ORDER, "Int");
    Press("5 + 3 =");
    EXPECT_EQ(Fields(), (Shown{"8", "00000008", "8", "0000 0000 0000 0000 0000 0000 0000 1000"}));
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Mot");
    EXPECT_EQ(Doc().m_pConv->m_nByteOrder, 0);
    EXPECT_EQ(Doc().m_bTotalShown, 1);
}

TEST_F(Evaluation, AnOperatorKeyWritesNoFieldUnlessItEvaluates)
{
    Press("5 +");
    EXPECT_EQ(Fields(), (Shown{"5", "5", "5", "0000 0000 0000 0000 0000 0000 0000 0101"}));
    Press("3");
    EXPECT_EQ(Fields(), (Shown{"3", "3", "3", "0000 0000 0000 0000 0000 0000 0000 0011"}));
}

TEST_F(Evaluation, EqualsRepeatsWithTheSameOperands)
{
    Press("5 + 3 =");
    EXPECT_EQ(Display(), "8");
    Press("=");
    EXPECT_EQ(Display(), "8");
    EXPECT_EQ(Hex(), "00000008");
}

TEST_F(Evaluation, EqualsWithNothingPendingShowsTheLastResultText)
{
    Press("5 =");
    EXPECT_EQ(Fields(), (Shown{"5", "5", "5", "0000 0000 0000 0000 0000 0000 0000 0101"}));
    // The total is now marked shown, so the second "=" evaluates operator 0:
    // the result text is still empty after start-up.
    Press("=");
    EXPECT_EQ(Fields(), (Shown{"0", "", "0", kZeros32}));

    Press("CLR 6 * 7 = CLR 5 = =");
    EXPECT_EQ(Fields(), (Shown{"0", "", "0", kZeros32}));

    // Without CLR, operator 0 shows the previous result text again.
    Press("6 * 7 = 1 = =");
    EXPECT_EQ(Fields(), (Shown{"2A", "0000002A", "42", "0000 0000 0000 0000 0000 0000 0010 1010"}));
}

TEST_F(Chains, AnOperatorKeyCompletesThePendingOperation)
{
    Press("5 + 3 +");
    EXPECT_EQ(Fields(), (Shown{"8", "00000008", "8", "0000 0000 0000 0000 0000 0000 0000 1000"}));
    Press("2 =");
    EXPECT_EQ(Display(), "A");

    Press("CLR 5 + 3 & 6 =");
    EXPECT_EQ(Display(), "0");
    Press("CLR 9 - 2 * 3 =");
    EXPECT_EQ(Display(), "15");
}

TEST_F(Chains, TheSameOperatorAgainEvaluatesTwiceWithTheSameOperands)
{
    Press("5 + 3 + +");
    EXPECT_EQ(Display(), "8");
    Press("CLR 8 / 2 / 2 =");
    EXPECT_EQ(Display(), "2");
}

TEST_F(Chains, AnOperatorAfterEqualsContinuesFromTheTotal)
{
    Press("5 + 3 = + 2 =");
    EXPECT_EQ(Display(), "A");
    EXPECT_EQ(Hex(), "0000000A");
}

TEST_F(Chains, DigitCountStartsAfreshForTheSecondOperand)
{
    Press("1 1 1 1 1 1 1 1 + 2 2 2 2 2 2 2 2 =");
    EXPECT_EQ(Display(), "33333333");
}

TEST_F(CarryOver, DivisionKeepsTheSecondOperand)
{
    Press("5 + 3 / =");
    EXPECT_EQ(Display(), "2");
}

TEST_F(CarryOver, ArithmeticKeysReplaceTheSecondOperandByZero)
{
    Press("5 * 3 + =");
    EXPECT_EQ(Display(), "F");
    Press("CLR 5 * 3 - =");
    EXPECT_EQ(Display(), "F");
}

TEST_F(CarryOver, OtherBinaryKeysLeaveItToTheNextDigit)
{
    // "^" has not carried 8 over: it uses 5 and 3.
    Press("5 + 3 ^ =");
    EXPECT_EQ(Display(), "6");
    // A digit does carry it over.
    Press("CLR 5 + 3 | 4 =");
    EXPECT_EQ(Display(), "C");
    Press("CLR 5 + 3 % 3 =");
    EXPECT_EQ(Display(), "2");
    Press("CLR 5 + 3 << 1 =");
    EXPECT_EQ(Display(), "10");
    Press("CLR 5 + 3 >> 1 =");
    EXPECT_EQ(Display(), "4");
}

TEST_F(Complement, TogglesWithEveryFurtherComplementOrEquals)
{
    Press("5 ~");
    EXPECT_EQ(Fields(), (Shown{"FFFFFFFA", "FFFFFFFA", "4294967290", "1111 1111 1111 1111 1111 1111 1111 1010"}));
    Press("~");
    EXPECT_EQ(Display(), "5");
    Press("=");
    EXPECT_EQ(Display(), "FFFFFFFA");
    Press("=");
    EXPECT_EQ(Display(), "5");
}

TEST_F(Complement, DropsAPendingOperationAndComplementsTheLastResult)
{
    Press("5 + 3 ~");
    EXPECT_EQ(Display(), "FFFFFFFF");
    Press("CLR 5 + 3 + ~");
    EXPECT_EQ(Display(), "FFFFFFF7");
    // A further "~" complements again and stays in that state.
    Press("~");
    EXPECT_EQ(Display(), "8");
}

TEST_F(Complement, ABinaryKeyAfterItCompletesTheComplementFirst)
{
    // "^" re-evaluates the pending complement (FFFFFFFA back to 5), and the
    // next digit carries that over: 5 ^ 3.
    Press("5 ~ ^ 3 =");
    EXPECT_EQ(Display(), "6");
}

TEST_F(Complement, CharComplementShowsTwoDigits)
{
    Use(DataType::Char);
    Press("5 ~");
    EXPECT_EQ(Fields(), (Shown{"FA", "FA", "-6", "1111 1010"}));
}

TEST_F(TypedResults, CharNegativeResultShowsThirtyTwoBitsInHex)
{
    Use(DataType::Char);
    Press("0 - 6 =");
    EXPECT_EQ(Fields(), (Shown{"FFFFFFFA", "FFFFFFFA", "-6", "1111 1010"}));
}

TEST_F(TypedResults, UnsignedCharWraps)
{
    Use(DataType::UnsignedChar);
    Press("3 - 1 =");
    EXPECT_EQ(Display(), "2");
    Press("F F + 1 =");
    EXPECT_EQ(Fields(), (Shown{"0", "00", "0", "0000 0000"}));
    Press("F 9 / 2 =");
    EXPECT_EQ(Hex(), "7C");
}

TEST_F(TypedResults, CharDivisionTruncatesTowardZeroAndWraps)
{
    Use(DataType::Char);
    Press("F 9 / 2 =");
    EXPECT_EQ(Fields(), (Shown{"FFFFFFFD", "FFFFFFFD", "-3", "1111 1101"}));
    Press("F 9 % 2 =");
    EXPECT_EQ(Fields(), (Shown{"FFFFFFFF", "FFFFFFFF", "-1", "1111 1111"}));
    Press("8 0 / F F =");
    EXPECT_EQ(Fields(), (Shown{"FFFFFF80", "FFFFFF80", "-128", "1000 0000"}));
}

TEST_F(TypedResults, ShortQuotientWrapsAndModulusByZeroIsZero)
{
    Use(DataType::Short);
    Press("8 0 0 0 / F F F F =");
    EXPECT_EQ(Fields(), (Shown{"FFFF8000", "FFFF8000", "-32768", "1000 0000 0000 0000"}));
    Press("7 % 0 =");
    EXPECT_EQ(Fields(), (Shown{"0", "0000", "0", "0000 0000 0000 0000"}));
    Press("7 / 0 =");
    EXPECT_EQ(Hex(), "0000");
    EXPECT_TRUE(App().Form().Messages().empty());
}

TEST_F(TypedResults, UnsignedShortShiftCounts)
{
    Use(DataType::UnsignedShort);
    Press("1 << 1 0 =");
    EXPECT_EQ(Hex(), "0000");
    Press("1 << 1 F =");
    EXPECT_EQ(Hex(), "0000");
    Press("1 << 2 1 =");
    EXPECT_EQ(Hex(), "0002");
}

TEST_F(TypedResults, ShiftRightFillsBySign)
{
    Use(DataType::Long);
    Press("8 0 0 0 0 0 0 0 >> 1 F =");
    EXPECT_EQ(Fields(), (Shown{"FFFFFFFF", "FFFFFFFF", "-1", "1111 1111 1111 1111 1111 1111 1111 1111"}));
    Use(DataType::UnsignedLong);
    Press("8 0 0 0 0 0 0 0 >> 1 F =");
    EXPECT_EQ(Fields(), (Shown{"1", "00000001", "1", "0000 0000 0000 0000 0000 0000 0000 0001"}));
}

TEST_F(TypedResults, LongMinimumByMinusOneWrapsWithoutATrap)
{
    Use(DataType::Long);
    Press("8 0 0 0 0 0 0 0 / F F F F F F F F =");
    EXPECT_EQ(Fields(), (Shown{"80000000", "80000000", "-2147483648", "1000 0000 0000 0000 0000 0000 0000 0000"}));
    Press("8 0 0 0 0 0 0 0 % F F F F F F F F =");
    EXPECT_EQ(Fields(), (Shown{"0", "00000000", "0", kZeros32}));
}

TEST_F(TypedResults, OperandsLiveInTheSlotsOfTheirType)
{
    Press("5 + 3");
    Use(DataType::UnsignedShort);
    Press("=");
    EXPECT_EQ(Fields(), (Shown{"0", "0000", "0", "0000 0000 0000 0000"}));
    Use(DataType::UnsignedLong);
    Press("=");
    EXPECT_EQ(Display(), "8");
}

}  // namespace
}  // namespace quibo
