#include "calc/CBytewhirlDoc.h"

#include "numtext/HexText.h"

namespace quibo {

CBytewhirlDoc::CBytewhirlDoc()
{
    m_pCalc = std::make_unique<OperandRecord>();
    m_pConv = std::make_unique<OperandRecord>();
}

bool CBytewhirlDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    SetTitle("");
    m_strWrap.clear();
    return true;
}

int CBytewhirlDoc::HexDigitCapacity() const
{
    return quibo::HexDigitCapacity(m_nDataType);
}

std::uint64_t CBytewhirlDoc::ConverterValue() const
{
    const DataTypeInfo* info = FindDataTypeInfo(m_nDataType);
    return info ? m_pConv->RenderedBits(info->real != nullptr) & WidthMask(info->widthBits) : 0;
}

void CBytewhirlDoc::AppendKeyDigit(std::string& text)
{
    m_pCalc->m_strKeyDigit.assign(1, "0123456789ABCDEF"[m_nKeyDigit & 0xF]);
    text += m_pCalc->m_strKeyDigit;
}

int CBytewhirlDoc::EnterDigit()
{
    ++m_nDigitCount;
    if (m_nDigitCount > HexDigitCapacity()) {
        m_nDigitCount = HexDigitCapacity();
        return -1;
    }

    using enum OperandRecord::Slot;
    OperandRecord& calc = *m_pCalc;
    OperandRecord& conv = *m_pConv;
    const DataType type = m_nDataType;
    const auto storeSecondFromText = [&] {
        calc.SetSlot(type, SECOND, HexTextToValue(calc.m_strSecond));
    };
    const auto carryResultOver = [&] { calc.SetSlot(type, FIRST, calc.SlotBits(type, RESULT)); };
    const auto showSecondDecimal = [&] { conv.m_strSecond = DecimalText(type, calc.SlotBits(type, SECOND)); };

    if (!m_bSubtotal && m_bEntryArmed && !m_bSecondOperand) {
        AppendKeyDigit(calc.m_strFirst);
        conv.m_strFirst = calc.m_strFirst;
        calc.SetSlot(type, FIRST, HexTextToValue(calc.m_strFirst));
        conv.m_strSecond = DecimalText(type, calc.SlotBits(type, FIRST));
    } else if (!m_bSubtotal && m_bEntryArmed && m_bSecondOperand) {
        AppendKeyDigit(calc.m_strSecond);
        conv.m_strFirst = calc.m_strSecond;
        storeSecondFromText();
        showSecondDecimal();
    } else if (m_bSubtotal && m_bEntryArmed && m_bSecondOperand) {
        AppendKeyDigit(calc.m_strSecond);
        conv.m_strFirst = calc.m_strSecond;
        carryResultOver();
        storeSecondFromText();
        showSecondDecimal();
    } else if (m_bSubtotal && !m_bEntryArmed && m_bSecondOperand) {
        // Carry over only; the second operand keeps its value.
        carryResultOver();
        showSecondDecimal();
    } else if (m_bSubtotal && m_bEntryArmed && !m_bSecondOperand) {
        // Carry over only; the second operand is re-read from its text.
        carryResultOver();
        storeSecondFromText();
        showSecondDecimal();
    }
    return 0;
}

}  // namespace quibo
