#include "keypad/KeypadFixture.h"

namespace quibo {
namespace {

using DigitEntry = KeypadTest;

TEST_F(DigitEntry, DigitsBuildTheOperandInEveryField)
{
    Press("1 2 3");
    EXPECT_EQ(Fields(), (Shown{"123", "123", "291", "0000 0000 0000 0000 0000 0001 0010 0011"}));
    EXPECT_EQ(Doc().m_pCalc->m_ul[0], 0x123u);
    EXPECT_EQ(Doc().m_pCalc->m_strKeyDigit, "3");
}

TEST_F(DigitEntry, DecimalReadsTheOperandAtTheType)
{
    Use(DataType::Char);
    Press("F F");
    EXPECT_EQ(Fields(), (Shown{"FF", "FF", "-1", "1111 1111"}));

    Press("CLR");
    Use(DataType::UnsignedChar);
    Press("F F");
    EXPECT_EQ(Fields(), (Shown{"FF", "FF", "255", "1111 1111"}));

    Press("CLR");
    Use(DataType::Long);
    Press("8 0 0 0 0 0 0 0");
    EXPECT_EQ(Decimal(), "-2147483648");
    Press("CLR");
    Use(DataType::UnsignedLong);
    Press("8 0 0 0 0 0 0 0");
    EXPECT_EQ(Decimal(), "2147483648");

    Press("CLR");
    Use(DataType::Short);
    Press("8 0 0 1");
    EXPECT_EQ(Fields(), (Shown{"8001", "8001", "-32767", "1000 0000 0000 0001"}));
}

TEST_F(DigitEntry, EveryDigitKeyEntersItsValue)
{
    Press("0 1 2 3 4 5 6 7");
    EXPECT_EQ(Fields(), (Shown{"01234567", "01234567", "19088743", "0000 0001 0010 0011 0100 0101 0110 0111"}));
    Press("CLR 8 9 A B C D E F");
    EXPECT_EQ(Fields(), (Shown{"89ABCDEF", "89ABCDEF", "2309737967", "1000 1001 1010 1011 1100 1101 1110 1111"}));
}

TEST_F(DigitEntry, DigitsBeyondTheCapacityAreRefusedSilently)
{
    Use(DataType::UnsignedChar);
    Press("1 2 3");
    EXPECT_EQ(Fields(), (Shown{"12", "12", "18", "0001 0010"}));
    Press("4 5");
    EXPECT_EQ(Display(), "12");
    EXPECT_EQ(Doc().m_nDigitCount, 2);
    EXPECT_TRUE(App().Form().Messages().empty());

    // Leading zeros count as digits.
    Press("CLR");
    Use(DataType::UnsignedShort);
    Press("0 0 0 7");
    EXPECT_EQ(Fields(), (Shown{"0007", "0007", "7", "0000 0000 0000 0111"}));
    Press("1");
    EXPECT_EQ(Display(), "0007");

    Press("CLR");
    Use(DataType::UnsignedLong);
    Press("1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(Display(), "12345678");
}

TEST_F(DigitEntry, CapacityResetsOnClearOperatorAndNewNumber)
{
    Use(DataType::UnsignedChar);
    Press("1 2 3 CLR 4 5 6");
    EXPECT_EQ(Display(), "45");

    // An operator key other than "~" starts counting afresh.
    Press("+ 6 7 8");
    EXPECT_EQ(Display(), "67");

    // After "=", the next digit starts a new first operand.
    Press("=");
    EXPECT_EQ(Display(), "AC");
    Press("9");
    EXPECT_EQ(Fields(), (Shown{"9", "9", "9", "0000 1001"}));
    Press("8");
    EXPECT_EQ(Display(), "98");
    EXPECT_EQ(Doc().m_nPendingOp, OP_NONE);
}

TEST_F(DigitEntry, ComplementDoesNotResetTheCount)
{
    Use(DataType::UnsignedChar);
    Press("1 2 ~");
    EXPECT_EQ(Fields(), (Shown{"ED", "ED", "237", "1110 1101"}));
    // The count is still full, so the second operand takes no digit; the
    // refresh shows the texts digit entry left behind.
    Press("3");
    EXPECT_EQ(Fields(), (Shown{"", "12", "18", "0001 0010"}));
    // Any other operator key resets it.
    Press("+ 3");
    EXPECT_EQ(Display(), "3");
}

TEST_F(DigitEntry, ClearEmptiesEveryFieldAndKeepsTheByteOrder)
{
    Press("5 + 3 =");
    App().Document().m_pConv->m_nByteOrder = 1;
    App().Form().SetDlgItemText(IDC_KEY_BYTE_ORDER, "Int");
    Press("CLR");
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Int");
    EXPECT_EQ(Doc().m_pConv->m_nByteOrder, 1);
    EXPECT_EQ(Doc().m_pCalc->m_ul[2], 0u);
    EXPECT_EQ(Doc().m_nPendingOp, OP_NONE);
    EXPECT_EQ(Doc().m_bTotalShown, 0);

    // Nothing survives: "=" now evaluates nothing pending.
    Press("7 =");
    EXPECT_EQ(Fields(), (Shown{"7", "7", "7", "0000 0000 0000 0000 0000 0000 0000 0111"}));
}

TEST_F(DigitEntry, DigitInTheComplementShownStateIsLost)
{
    Press("5 + 3 + ~");
    EXPECT_EQ(Display(), "FFFFFFF7");
    Press("4");
    EXPECT_EQ(Fields(), (Shown{"", "0", "0", kZeros32}));
    Press("5 6");
    EXPECT_EQ(Fields(), (Shown{"", "0", "0", kZeros32}));
    // The last result became the first operand: ~8 + 1 = FFFFFFF8.
    Press("+ 1 =");
    EXPECT_EQ(Display(), "FFFFFFF8");
}

TEST_F(DigitEntry, SecondOperandDigitsShowTheSecondOperand)
{
    Use(DataType::Char);
    Press("7 F - 8 0");
    EXPECT_EQ(Fields(), (Shown{"80", "80", "-128", "1000 0000"}));
    EXPECT_EQ(Doc().m_pCalc->m_c[0], 127);
    EXPECT_EQ(Doc().m_pCalc->m_c[1], -128);
}

}  // namespace
}  // namespace quibo
