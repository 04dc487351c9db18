#include "keypad/KeypadFixture.h"

#include "app/DataTypeCommands.h"

namespace quibo {
namespace {

using DataTypeMenu = KeypadTest;
using TypeChangeRule = KeypadTest;
using TypeChangeFocus = KeypadTest;
using NewCommand = KeypadTest;

constexpr const char kCantConvert[] = "Can't convert from Real to Integral,\nclearing display first.";

TEST_F(DataTypeMenu, EachCommandSetsItsStatusTextAndTheOnlyCheckMark)
{
    EXPECT_EQ(App().StatusText(), " ");
    EXPECT_EQ(App().CheckedDataType(), DataType::UnsignedLong);

    const std::pair<const char*, const char*> commands[] = {
        {"unsigned char", "Unsigned Char Data Type"}, {"char", "Char Data Type"},
        {"unsigned short", "Unsigned Short Data Type"}, {"short", "Short Data Type"},
        {"unsigned long", "Unsigned Long Data Type"}, {"long", "Long Data Type"},
        {"float", "Float Data Type"}, {"double", "Double Data Type"},
    };
    for (const auto& [name, status] : commands) {
        Choose(name);
        EXPECT_EQ(App().StatusText(), status);
        int checked = 0;
        for (const DataTypeCommand& command : DataTypeCommands())
            checked += App().App().MenuCheck(command.id);
        EXPECT_EQ(checked, 1) << name;
        EXPECT_EQ(FindDataTypeInfo(*App().CheckedDataType())->name, std::string(name));
    }
    // Keys and typing leave the status text alone.
    Press("CLR 1");
    EXPECT_EQ(App().StatusText(), "Double Data Type");
}

TEST_F(DataTypeMenu, UnknownNamesAndIdsAreNotCommands)
{
    EXPECT_FALSE(App().ChooseDataType("int"));
    EXPECT_FALSE(App().ChooseDataType("Char"));
    EXPECT_FALSE(App().App().OnCmdMsg(32770));
    EXPECT_EQ(App().App().MenuCheck(ID_HELP_INSTRUCTIONS), -1);  // always enabled, never checked
    EXPECT_EQ(App().StatusText(), " ");
}

// Every pair of types: DECIMAL "1" converts again at the new type, except
// from a real type to an integral one, which is refused and clears.
TEST_F(TypeChangeRule, EveryPairOfTypes)
{
    const char* names[] = {"unsigned char", "char", "unsigned short", "short",
                           "unsigned long", "long", "float", "double"};
    const char* one[] = {"01", "01", "0001", "0001", "00000001", "00000001", "3F800000", "3FF0000000000000"};
    for (int from = 0; from < 8; ++from) {
        for (int to = 0; to < 8; ++to) {
            HeadlessApp fresh;
            fresh.ChooseDataType(names[from]);
            fresh.Form().Focus(IDC_DECIMAL_EDIT);
            fresh.Form().Type("1");
            fresh.Form().Focus(IDC_HEX_EDIT);
            fresh.ChooseDataType(names[to]);

            const auto& messages = fresh.Form().Messages();
            const std::string where = std::string(names[from]) + " to " + names[to];
            if (from >= 6 && to <= 5) {
                ASSERT_EQ(messages.size(), 1u) << where;
                EXPECT_EQ(messages[0].caption, "ERROR");
                EXPECT_EQ(messages[0].text, kCantConvert);
                EXPECT_EQ(fresh.Form().GetDlgItemText(IDC_HEX_EDIT), "") << where;
                EXPECT_EQ(fresh.Form().GetDlgItemText(IDC_DECIMAL_EDIT), "") << where;
                EXPECT_EQ(fresh.Form().GetDlgItemText(IDC_BINARY), "") << where;
            } else {
                EXPECT_TRUE(messages.empty()) << where;
                EXPECT_EQ(fresh.Form().GetDlgItemText(IDC_HEX_EDIT), one[to]) << where;
                EXPECT_EQ(fresh.Form().GetDlgItemText(IDC_DECIMAL_EDIT), "1") << where;
            }
            // A refused change is not undone.
            EXPECT_EQ(fresh.Document().m_nDataType, static_cast<DataType>(to));
            EXPECT_EQ(fresh.CheckedDataType(), static_cast<DataType>(to));
        }
    }
}

TEST_F(TypeChangeRule, ARefusalClearsTheCalculatorAndTheSameTypeAgainConverts)
{
    Press("5 + 3 =");
    Choose("double");
    TypeInto(IDC_DECIMAL_EDIT, "2");
    Press("CLR");  // takes the focus out of DECIMAL
    TypeInto(IDC_DECIMAL_EDIT, "2");
    App().Form().Focus(IDC_HEX_EDIT);
    Choose("long");
    EXPECT_EQ(MessageCount(), 1u);
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    EXPECT_EQ(App().StatusText(), "Long Data Type");
    EXPECT_EQ(Doc().m_nPendingOp, OP_NONE);

    Choose("long");
    EXPECT_EQ(MessageCount(), 1u);
    EXPECT_EQ(Hex(), "00000000");
}

TEST_F(TypeChangeRule, ConvertingKeepsTheDisplayAndTheCalculator)
{
    Press("5 + 3 =");
    TypeInto(IDC_DECIMAL_EDIT, "255");
    Choose("float");
    EXPECT_EQ(Fields(), (Shown{"8", "437F0000", "255", "0100 0011 0111 1111 0000 0000 0000 0000 "}));
    Choose("double");
    Choose("unsigned char");  // refused: clears
    Choose("unsigned long");
    TypeInto(IDC_DECIMAL_EDIT, "9");
    Choose("char");
    EXPECT_EQ(Hex(), "09");
    Press("+ 1 =");
    EXPECT_EQ(Display(), "1");  // the refusal's CLR reset the calculator: 0 + 1
}

TEST_F(TypeChangeFocus, AFieldThatKeptTheFocusConvertsAtOnce)
{
    // The case: 255, then float, then 0.1 typed over it.
    TypeInto(IDC_DECIMAL_EDIT, "255");
    Choose("float");
    EXPECT_EQ(Hex(), "437F0000");
    App().Form().ClearField();
    App().Form().Type("0.1");
    EXPECT_EQ(Hex(), "3DCCCCCD");

    // HEX likewise, and after New.
    TypeInto(IDC_HEX_EDIT, "3F800000");
    Choose("double");
    EXPECT_EQ(Hex(), "3FF0000000000000");
    App().Form().ClearField();
    App().Form().Type("4000000000000000");
    EXPECT_EQ(Decimal(), "2");
    App().App().OnFileNew();
    App().Form().ClearField();
    App().Form().Type("4008000000000000");
    EXPECT_EQ(Decimal(), "3");
}

TEST_F(TypeChangeFocus, ARefusalWhileDecimalHasTheFocus)
{
    Choose("float");
    TypeInto(IDC_DECIMAL_EDIT, "2.5");
    Choose("long");
    // The box gives DECIMAL its focus back before the clear, so the clear's
    // emptying of DECIMAL converts the empty text into HEX.
    EXPECT_EQ(MessageCount(), 1u);
    EXPECT_EQ(Fields(), (Shown{"", "00000000", "", ""}));
    App().Form().Type("7");
    EXPECT_EQ(Hex(), "00000007");
}

TEST_F(TypeChangeFocus, ARefusalWhileHexHasTheFocus)
{
    Choose("double");
    TypeInto(IDC_HEX_EDIT, "1");
    Choose("char");
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    // HEX got its focus back from the box and converts again.
    App().Form().Type("7F");
    EXPECT_EQ(Decimal(), "127");
}

TEST_F(NewCommand, BlanksTheFieldsAndConvertsTheEmptyDecimalWithoutResettingTheCalculator)
{
    Choose("char");
    Press("5 + 3 =");
    App().Document().SetTitle("old");
    ASSERT_TRUE(App().App().OnCmdMsg(ID_FILE_NEW));
    EXPECT_EQ(Fields(), (Shown{"", "00", "", "0000 0000"}));
    EXPECT_EQ(App().Document().GetTitle(), "");
    EXPECT_EQ(App().CheckedDataType(), DataType::Char);
    EXPECT_EQ(App().StatusText(), "Char Data Type");
    EXPECT_EQ(MessageCount(), 0u);
    Press("=");
    EXPECT_EQ(Display(), "8");
}

TEST_F(NewCommand, AfterARefusedChangeRefusesAgain)
{
    Choose("float");
    Choose("short");
    ASSERT_EQ(MessageCount(), 1u);
    App().App().OnFileNew();
    EXPECT_EQ(MessageCount(), 2u);
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
}

}  // namespace
}  // namespace quibo
