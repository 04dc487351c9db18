#include "keypad/KeypadFixture.h"

#include "res/Texts.h"

namespace quibo {
namespace {

using RealTypes = KeypadTest;

constexpr const char kRefusal[] = "Must select Integral Data Type for this function.";

TEST_F(RealTypes, EveryKeyButEqualsClearAndByteOrderIsRefused)
{
    Press("1 2");
    const Shown before = Fields();
    for (DataType type : {DataType::Float, DataType::Double}) {
        Use(type);
        for (const char* key : {"0", "9", "A", "F", "+", "-", "*", "/", "%", "~", "^", "&", "|", "<<", ">>"}) {
            App().Form().ClearMessages();
            Press(key);
            ASSERT_EQ(App().Form().Messages().size(), 1u) << key;
            EXPECT_EQ(App().Form().Messages()[0].caption, "ERROR");
            EXPECT_EQ(App().Form().Messages()[0].text, kRefusal);
            EXPECT_EQ(Fields(), before) << key;
        }
    }
    // Nothing else changed: the operand is still being typed.
    Use(DataType::UnsignedLong);
    Press("3");
    EXPECT_EQ(Display(), "123");
}

TEST_F(RealTypes, ARefusedOperatorKeyStillUnmarksTheTotal)
{
    Press("5 + 3 =");
    Use(DataType::Float);
    Press("+");
    Use(DataType::UnsignedLong);
    // No longer a shown total: the digit goes on as the second operand.
    Press("7 =");
    EXPECT_EQ(Display(), "C");
}

TEST_F(RealTypes, ARefusedDigitHasAlreadyStartedANewCalculation)
{
    Press("5 + 3 =");
    Use(DataType::Double);
    Press("7");
    EXPECT_EQ(App().Form().Messages().size(), 1u);
    EXPECT_EQ(Display(), "8");
    EXPECT_EQ(Doc().m_nPendingOp, OP_NONE);
    EXPECT_EQ(Doc().m_bTotalShown, 0);
}

TEST_F(RealTypes, EqualsIsNotRefusedButComputesNothing)
{
    Press("5 + 3 =");
    App().Document().m_pConv->m_nByteOrder = 1;
    App().Form().SetDlgItemText(IDC_KEY_BYTE_ORDER, "Int");
    Use(DataType::Float);
    Press("=");
    EXPECT_TRUE(App().Form().Messages().empty());
    EXPECT_EQ(Fields(), (Shown{"8", "00000008", "", "0000 0000 0000 0000 0000 0000 0000 1000"}));
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Mot");
}

TEST_F(RealTypes, ClearWorksAndKeepsTheType)
{
    Press("5 + 3 =");
    Use(DataType::Double);
    Press("CLR");
    EXPECT_TRUE(App().Form().Messages().empty());
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    EXPECT_EQ(Doc().m_nDataType, DataType::Double);
}

TEST_F(RealTypes, TheMessageBoxReturnsTheFocusToTheKey)
{
    Use(DataType::Float);
    Press("5");
    EXPECT_EQ(App().Form().GetFocus(), IDC_KEY_5);
}

}  // namespace
}  // namespace quibo
