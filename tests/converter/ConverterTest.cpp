#include "keypad/KeypadFixture.h"

namespace quibo {
namespace {

using DecimalToHex = KeypadTest;
using HexToDecimal = KeypadTest;
using RealPatterns = KeypadTest;
using ConverterFocus = KeypadTest;

struct ConversionCase {
    const char* type;
    const char* typed;
    const char* hex;     // or decimal, for HEX typing
    const char* binary;
};

TEST_F(DecimalToHex, AtEveryIntegralTypeTheWholeValueGoesToHexAndTheCutToBinary)
{
    const ConversionCase cases[] = {
        {"unsigned char", "255", "FF", "1111 1111"},
        {"unsigned char", "300", "12C", "0010 1100"},
        {"char", "-1", "FFFFFFFF", "1111 1111"},
        {"char", "127", "7F", "0111 1111"},
        {"unsigned short", "65536", "10000", "0000 0000 0000 0000"},
        {"short", "-2", "FFFFFFFE", "1111 1111 1111 1110"},
        {"unsigned long", "4294967295", "FFFFFFFF", "1111 1111 1111 1111 1111 1111 1111 1111"},
        {"unsigned long", "4294967296", "00000000", kZeros32},
        {"long", "-2147483648", "80000000", "1000 0000 0000 0000 0000 0000 0000 0000"},
        {"long", " +12abc", "0000000C", "0000 0000 0000 0000 0000 0000 0000 1100"},
        {"unsigned char", "x", "00", "0000 0000"},
        {"short", "-", "0000", "0000 0000 0000 0000"},
        {"unsigned long", "1e5", "00000001", "0000 0000 0000 0000 0000 0000 0000 0001"},
    };
    for (const ConversionCase& c : cases) {
        Restart();
        Choose(c.type);
        TypeInto(IDC_DECIMAL_EDIT, c.typed);
        EXPECT_EQ(Hex(), c.hex) << c.type << " " << c.typed;
        EXPECT_EQ(Binary(), c.binary) << c.type << " " << c.typed;
        EXPECT_EQ(Decimal(), c.typed);
        EXPECT_EQ(Display(), "");  // the converter never writes the display
        EXPECT_EQ(MessageCount(), 0u);
    }
}

TEST_F(HexToDecimal, ReadsTheLowBitsAtEveryIntegralType)
{
    const ConversionCase cases[] = {
        {"unsigned char", "FF", "255", "1111 1111"},
        {"char", "FF", "-1", "1111 1111"},
        {"char", "-1", "1", "0000 0001"},
        {"unsigned short", "8000", "32768", "1000 0000 0000 0000"},
        {"short", "8000", "-32768", "1000 0000 0000 0000"},
        {"unsigned long", "FFFFFFFF", "4294967295", "1111 1111 1111 1111 1111 1111 1111 1111"},
        {"long", "ffffffff", "-1", "1111 1111 1111 1111 1111 1111 1111 1111"},
        {"long", "0x1G", "16", "0000 0000 0000 0000 0000 0000 0001 0000"},
    };
    for (const ConversionCase& c : cases) {
        Restart();
        Choose(c.type);
        TypeInto(IDC_HEX_EDIT, c.typed);
        EXPECT_EQ(Decimal(), c.hex) << c.type << " " << c.typed;
        EXPECT_EQ(Binary(), c.binary) << c.type << " " << c.typed;
    }
}

TEST_F(HexToDecimal, TheLimitRefusesTypingBeyondTheTypesDigits)
{
    Choose("unsigned char");
    TypeInto(IDC_HEX_EDIT, "123");
    EXPECT_EQ(Hex(), "12");
    EXPECT_EQ(Decimal(), "18");
    App().Form().Paste("ABCDEF");
    EXPECT_EQ(Hex(), "AB");

    Restart();
    Choose("double");
    TypeInto(IDC_HEX_EDIT, "0123456789ABCDEF01");
    EXPECT_EQ(Hex(), "0123456789ABCDEF");

    // Texts the program writes are never cut: char -1 shows eight digits.
    Restart();
    Choose("char");
    TypeInto(IDC_DECIMAL_EDIT, "-1");
    EXPECT_EQ(Hex(), "FFFFFFFF");
    EXPECT_EQ(App().Form().Limit(IDC_HEX_EDIT), 2);
}

TEST_F(HexToDecimal, RealTypesShowTheValueOfTheLastPlacesBits)
{
    TypeInto(IDC_DECIMAL_EDIT, "5");
    Choose("float");
    EXPECT_EQ(Hex(), "40A00000");
    TypeInto(IDC_HEX_EDIT, "3F800000");
    EXPECT_EQ(Decimal(), "1");
    EXPECT_EQ(Binary(), "0011 1111 1000 0000 0000 0000 0000 0000 ");

    // After CLR, and with the text emptied.
    Press("CLR");
    TypeInto(IDC_HEX_EDIT, "1");
    EXPECT_EQ(Decimal(), "1e-45");
    TypeInto(IDC_HEX_EDIT, "");
    EXPECT_EQ(Decimal(), "0");
    EXPECT_EQ(Binary(), "0000 0000 0000 0000 0000 0000 0000 0000 ");
}

TEST_F(RealPatterns, FloatDecimalsShowTheirSinglePattern)
{
    Choose("float");
    const ConversionCase cases[] = {
        {"float", "1", "3F800000", "0011 1111 1000 0000 0000 0000 0000 0000 "},
        {"float", "-2.5", "C0200000", "1100 0000 0010 0000 0000 0000 0000 0000 "},
        {"float", "0.1", "3DCCCCCD", "0011 1101 1100 1100 1100 1100 1100 1101 "},
        {"float", "1e5", "47C35000", "0100 0111 1100 0011 0101 0000 0000 0000 "},
        {"float", "0", "00000000", "0000 0000 0000 0000 0000 0000 0000 0000 "},
        {"float", "1e-45", "00000001", "0000 0000 0000 0000 0000 0000 0000 0001 "},
        {"float", "1e39", "7F800000", "0111 1111 1000 0000 0000 0000 0000 0000 "},
        {"float", "-1e400", "FF800000", "1111 1111 1000 0000 0000 0000 0000 0000 "},
        {"float", "nan", "7FC00000", "0111 1111 1100 0000 0000 0000 0000 0000 "},
        {"float", "0x1p3", "41000000", "0100 0001 0000 0000 0000 0000 0000 0000 "},
        {"float", "abc", "00000000", "0000 0000 0000 0000 0000 0000 0000 0000 "},
    };
    for (const ConversionCase& c : cases) {
        TypeInto(IDC_DECIMAL_EDIT, c.typed);
        EXPECT_EQ(Hex(), c.hex) << c.typed;
        EXPECT_EQ(Binary(), c.binary) << c.typed;
    }
}

TEST_F(RealPatterns, DoubleDecimalsShowTheirPatternOnTwoLines)
{
    Choose("double");
    TypeInto(IDC_DECIMAL_EDIT, "1");
    EXPECT_EQ(Hex(), "3FF0000000000000");
    EXPECT_EQ(Binary(),
              "0011 1111 1111 0000 0000 0000 0000 0000 \n"
              "0000 0000 0000 0000 0000 0000 0000 0000 ");
    const std::pair<const char*, const char*> cases[] = {
        {"0.1", "3FB999999999999A"}, {"-0", "8000000000000000"},    {"4.9e-324", "0000000000000001"},
        {"1e309", "7FF0000000000000"}, {"-inf", "FFF0000000000000"}, {"nan", "7FF8000000000000"},
    };
    for (const auto& [typed, hex] : cases) {
        TypeInto(IDC_DECIMAL_EDIT, typed);
        EXPECT_EQ(Hex(), hex) << typed;
    }
}

TEST_F(DecimalToHex, LongAndForeignTextIsReadByTheSameRules)
{
    const std::string nines(30000, '9');
    struct {
        const char* type;
        const char* hex;
        const char* zero;
    } const types[] = {{"unsigned long", "FFFFFFFF", "00000000"},
                       {"float", "7F800000", "00000000"},
                       {"double", "7FF0000000000000", "0000000000000000"}};
    for (const auto& [type, hex, zero] : types) {
        Restart();
        Choose(type);
        App().Form().Focus(IDC_DECIMAL_EDIT);
        App().Form().Paste(nines);
        EXPECT_EQ(Hex(), hex) << type;
        EXPECT_EQ(Decimal().size(), 30000u);
        App().Form().Paste("\xE4\xF6\xFC 1");
        EXPECT_EQ(Decimal(), "\xE4\xF6\xFC 1");
        EXPECT_EQ(Hex(), zero) << type;
    }
}

TEST_F(ConverterFocus, TheFirstKeystrokeAfterStartUpConverts)
{
    App().Form().Focus(IDC_DECIMAL_EDIT);
    App().Form().Type("7");
    EXPECT_EQ(Hex(), "00000007");
    EXPECT_EQ(Binary(), "0000 0000 0000 0000 0000 0000 0000 0111");
}

TEST_F(ConverterFocus, TheSystemsOwnWritesConvertNothing)
{
    TypeInto(IDC_DECIMAL_EDIT, "300");
    EXPECT_EQ(Decimal(), "300");  // HEX's notification did not echo back
    TypeInto(IDC_HEX_EDIT, "1F");
    EXPECT_EQ(Hex(), "1F");
    EXPECT_EQ(Decimal(), "31");
}

TEST_F(ConverterFocus, ClearTakesTheFocusAndItsSkipFlagIsConsumedByHex)
{
    TypeInto(IDC_DECIMAL_EDIT, "12");
    Press("CLR");
    EXPECT_EQ(Fields(), (Shown{"", "", "", ""}));
    // Typing goes on only after a click into the field; it converts at once.
    EXPECT_FALSE(App().Form().Type("3"));
    TypeInto(IDC_DECIMAL_EDIT, "3");
    EXPECT_EQ(Hex(), "00000003");
}

TEST_F(ConverterFocus, KeypadRefreshesDoNotConvert)
{
    TypeInto(IDC_DECIMAL_EDIT, "99");
    Press("1 2");
    EXPECT_EQ(Fields(), (Shown{"12", "12", "18", "0000 0000 0000 0000 0000 0000 0001 0010"}));
}

}  // namespace
}  // namespace quibo
