#include <gtest/gtest.h>

#include "calc/CBytewhirlDoc.h"

namespace quibo {
namespace {

// A fresh document takes the first digits as the first operand of an
// unsigned long: eight digits, shown in HEX and in decimal, the ninth refused.
TEST(Document, AFreshDocumentTakesDigitsAsTheFirstUnsignedLong)
{
    CBytewhirlDoc doc;
    for (int digit : {0xF, 0xF, 0xF, 0xF, 0xF, 0xF, 0xF, 0xE}) {
        doc.m_nKeyDigit = digit;
        EXPECT_NE(doc.EnterDigit(), -1);
    }
    doc.m_nKeyDigit = 1;
    EXPECT_EQ(doc.EnterDigit(), -1);
    EXPECT_EQ(doc.m_pCalc->m_strFirst, "FFFFFFFE");
    EXPECT_EQ(doc.m_pCalc->SlotBits(DataType::UnsignedLong, OperandRecord::FIRST), 0xFFFFFFFEu);
    EXPECT_EQ(doc.m_pConv->m_strFirst, "FFFFFFFE");
    EXPECT_EQ(doc.m_pConv->m_strSecond, "4294967294");
    EXPECT_TRUE(doc.m_pCalc->m_strSecond.empty());
}

TEST(Document, HexDigitCapacityFollowsTheType)
{
    CBytewhirlDoc doc;
    const int expected[] = {2, 2, 4, 4, 8, 8, 8, 16, 16, 16};
    for (int t = 0; t < 10; ++t) {
        doc.m_nDataType = static_cast<DataType>(t);
        EXPECT_EQ(doc.HexDigitCapacity(), expected[t]) << t;
    }
    for (int t : {-1, 10, 1000}) {
        doc.m_nDataType = static_cast<DataType>(t);
        EXPECT_EQ(doc.HexDigitCapacity(), 0) << t;
    }
}

TEST(OperandRecordReset, ClearsEverythingButTheByteOrder)
{
    OperandRecord record;
    record.m_nByteOrder = 1;
    record.BinaryTextDouble(1.5);
    record.BinaryTextULong(7);
    record.m_strKeyDigit = "7";
    record.m_strFirst = "1";
    record.m_strSecond = "2";
    record.m_strResult = "3";
    record.m_strBinary = "4";
    for (int t = 0; t <= 5; ++t)
        record.SetSlot(static_cast<DataType>(t), OperandRecord::RESULT, 0xFFFFFFFF);

    record.Reset();

    EXPECT_EQ(record.m_nByteOrder, 1);
    for (const std::string* text :
         {&record.m_strBinMot, &record.m_strBinInt, &record.m_strRealBinInt, &record.m_strRealBinMot,
          &record.m_strRawBits, &record.m_strKeyDigit, &record.m_strFirst, &record.m_strSecond,
          &record.m_strResult, &record.m_strBinary})
        EXPECT_TRUE(text->empty()) << *text;
    for (int t = 0; t <= 5; ++t)
        EXPECT_EQ(record.SlotBits(static_cast<DataType>(t), OperandRecord::RESULT), 0u) << t;
}

TEST(Slots, HoldTheirTypesWidthAndSign)
{
    OperandRecord record;
    record.SetSlot(DataType::Long, OperandRecord::FIRST, 0x80000000u);
    record.SetSlot(DataType::UnsignedLong, OperandRecord::FIRST, 0x80000000u);
    EXPECT_EQ(record.m_l[0], -2147483647 - 1);
    EXPECT_EQ(record.m_ul[0], 2147483648u);
    EXPECT_EQ(DecimalText(DataType::Long, record.SlotBits(DataType::Long, OperandRecord::FIRST)), "-2147483648");
    EXPECT_EQ(DecimalText(DataType::UnsignedLong, record.SlotBits(DataType::UnsignedLong, OperandRecord::FIRST)),
              "2147483648");

    record.SetSlot(DataType::Char, OperandRecord::SECOND, 0x1FF);
    EXPECT_EQ(record.m_c[1], -1);
    record.SetSlot(DataType::UnsignedShort, OperandRecord::SECOND, 0x12345);
    EXPECT_EQ(record.m_us[1], 0x2345);
    record.SetSlot(DataType::Short, OperandRecord::SECOND, 0x8000);
    EXPECT_EQ(record.m_s[1], -32768);
    // Real types have no slots.
    record.SetSlot(DataType::Double, OperandRecord::SECOND, 7);
    EXPECT_EQ(record.SlotBits(DataType::Double, OperandRecord::SECOND), 0u);
}

TEST(DecimalText, UsesEachTypesFormat)
{
    EXPECT_EQ(DecimalText(DataType::UnsignedChar, 0xFF), "255");
    EXPECT_EQ(DecimalText(DataType::Char, 0xFF), "-1");
    EXPECT_EQ(DecimalText(DataType::Char, 0xFFFFFF7F), "127");
    EXPECT_EQ(DecimalText(DataType::UnsignedShort, 0x18000), "32768");
    EXPECT_EQ(DecimalText(DataType::Short, 0x8000), "-32768");
    EXPECT_EQ(DecimalText(DataType::UnsignedLong, 0xFFFFFFFF), "4294967295");
    EXPECT_EQ(DecimalText(DataType::Long, 0xFFFFFFFF), "-1");
    EXPECT_EQ(DecimalText(DataType::Float, 1), "");
}

}  // namespace
}  // namespace quibo
