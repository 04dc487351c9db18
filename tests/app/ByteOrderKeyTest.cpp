#include "keypad/KeypadFixture.h"

namespace quibo {
namespace {

using ByteOrderKey = KeypadTest;

TEST_F(ByteOrderKey, SwapsHexAndShowsTheStoredTextOfTheNewOrder)
{
    TypeInto(IDC_HEX_EDIT, "1A2B3C4D");
    Press("Mot");
    EXPECT_EQ(Hex(), "4D3C2B1A");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Int");
    EXPECT_EQ(Binary(), "0100 1101 0011 1100 0010 1011 0001 1010 ");
    EXPECT_EQ(Decimal(), "439041101");
    Press("Int");
    EXPECT_EQ(Hex(), "1A2B3C4D");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Mot");
    EXPECT_EQ(Binary(), "0001 1010 0010 1011 0011 1100 0100 1101");
}

TEST_F(ByteOrderKey, SwapsAtTheTextsOwnLength)
{
    TypeInto(IDC_HEX_EDIT, "5");
    Press("Mot");
    EXPECT_EQ(Hex(), "05");
    Press("Int");
    EXPECT_EQ(Hex(), "05");

    TypeInto(IDC_HEX_EDIT, "ABCD");
    Press("Mot");
    EXPECT_EQ(Hex(), "CDAB");
}

TEST_F(ByteOrderKey, RealTypesShowTheirRealTexts)
{
    Choose("float");
    TypeInto(IDC_DECIMAL_EDIT, "1");
    Press("Mot");
    EXPECT_EQ(Hex(), "0000803F");
    EXPECT_EQ(Binary(), "0000 0000 0000 0000 1000 0000 0011 1111 ");
    Press("Int");
    EXPECT_EQ(Hex(), "3F800000");
    EXPECT_EQ(Binary(), "0011 1111 1000 0000 0000 0000 0000 0000 ");

    Choose("double");
    TypeInto(IDC_DECIMAL_EDIT, "1");
    Press("Mot");
    EXPECT_EQ(Hex(), "000000000000F03F");
    EXPECT_EQ(Binary(),
              "0000 0000 0000 0000 0000 0000 0000 0000 \n"
              "0000 0000 0000 0000 1111 0000 0011 1111 \n");
    EXPECT_EQ(MessageCount(), 0u);
}

TEST_F(ByteOrderKey, AfterClearEverythingIsEmptyButTheCaptionToggles)
{
    Press("5 CLR Mot");
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Int");
    Press("CLR");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Int");
}

TEST_F(ByteOrderKey, IntSurvivesConverterTypingWhichWritesBigEndian)
{
    Press("Mot");
    TypeInto(IDC_DECIMAL_EDIT, "1");
    EXPECT_EQ(Hex(), "00000001");
    EXPECT_EQ(Binary(), "0000 0000 0000 0000 0000 0000 0000 0001");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Int");
    Press("Int");
    EXPECT_EQ(Hex(), "01000000");
    EXPECT_EQ(Binary(), "0000 0000 0000 0000 0000 0000 0000 0001");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Mot");
}

TEST_F(ByteOrderKey, LeavesDecimalDisplayOperandsAndTypeAlone)
{
    Choose("short");
    Press("1 2 + 3");
    const std::string decimal = Decimal();
    Press("Mot");
    EXPECT_EQ(Fields(), (Shown{"3", "03", decimal, "0000 0011 0000 0000 "}));
    EXPECT_EQ(Doc().m_nDataType, DataType::Short);
    Press("=");
    EXPECT_EQ(Display(), "15");
    EXPECT_EQ(Text(IDC_KEY_BYTE_ORDER), "Mot");
}

}  // namespace
}  // namespace quibo
