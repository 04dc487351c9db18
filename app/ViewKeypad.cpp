// The digit keys, CLR and the display refresh of the calculator form.
#include "app/CBytewhirlView.h"

#include "numtext/HexText.h"

namespace quibo {

void CBytewhirlView::OnKey0() { OnDigitKey(0x0); }
void CBytewhirlView::OnKey1() { OnDigitKey(0x1); }
void CBytewhirlView::OnKey2() { OnDigitKey(0x2); }
void CBytewhirlView::OnKey3() { OnDigitKey(0x3); }
void CBytewhirlView::OnKey4() { OnDigitKey(0x4); }
void CBytewhirlView::OnKey5() { OnDigitKey(0x5); }
void CBytewhirlView::OnKey6() { OnDigitKey(0x6); }
void CBytewhirlView::OnKey7() { OnDigitKey(0x7); }
void CBytewhirlView::OnKey8() { OnDigitKey(0x8); }
void CBytewhirlView::OnKey9() { OnDigitKey(0x9); }
void CBytewhirlView::OnKeyA() { OnDigitKey(0xA); }
void CBytewhirlView::OnKeyB() { OnDigitKey(0xB); }
void CBytewhirlView::OnKeyC() { OnDigitKey(0xC); }
void CBytewhirlView::OnKeyD() { OnDigitKey(0xD); }
void CBytewhirlView::OnKeyE() { OnDigitKey(0xE); }
void CBytewhirlView::OnKeyF() { OnDigitKey(0xF); }

void CBytewhirlView::OnDigitKey(std::int32_t value)
{
    CBytewhirlDoc& doc = GetDocument();
    // A shown total is left behind even when the type then refuses the key.
    if (doc.m_bTotalShown == 1)
        StartNewCalculation();
    if (!IsIntegral(doc.m_nDataType)) {
        RefuseRealType();
        return;
    }
    doc.m_nKeyDigit = value;
    doc.m_strWrap.clear();
    doc.EnterDigit();  // a refused digit still refreshes the unchanged texts
    RefreshDisplay();
}

void CBytewhirlView::StartNewCalculation()
{
    CBytewhirlDoc& doc = GetDocument();
    doc.m_bSecondOperand = 0;
    doc.m_bSubtotal = 0;
    doc.m_bTotalShown = 0;
    doc.m_nPendingOp = OP_NONE;
    doc.m_nDigitCount = 0;
    doc.m_bEntryArmed = 1;
    doc.m_pCalc->m_strFirst.clear();
}

void CBytewhirlView::RefreshDisplay()
{
    const CBytewhirlDoc& doc = GetDocument();
    const OperandRecord& calc = *doc.m_pCalc;
    const OperandRecord& conv = *doc.m_pConv;
    const bool typingFirst = doc.m_bEntryArmed && !doc.m_bSecondOperand;
    const bool typingSecond = doc.m_bEntryArmed && doc.m_bSecondOperand;

    std::string display;
    std::string hex;
    if (!doc.m_bSubtotal) {
        display = typingFirst ? calc.m_strFirst : calc.m_strSecond;
        hex = conv.m_strFirst;
    } else {
        // Without a second operand in progress this is the complement shown:
        // the display is blank and HEX shows the second operand's value.
        display = calc.m_strSecond;
        hex = typingSecond ? conv.m_strFirst : conv.m_strSecond;
    }
    const std::string decimal = conv.m_strSecond;

    m_form.SetDlgItemText(IDC_DISPLAY, display);
    m_form.SetDlgItemText(IDC_HEX_EDIT, hex);
    m_form.SetDlgItemText(IDC_DECIMAL_EDIT, decimal);
    ShowBinaryFromHex(hex);
}

void CBytewhirlView::OnKeyClear()
{
    CBytewhirlDoc& doc = GetDocument();
    // Swallows the change notification of the HEX text emptied below.
    m_bIgnoreEditUpdate = 1;
    doc.m_strWrap.clear();
    doc.m_bEntryArmed = 1;
    doc.m_bSecondOperand = 0;
    doc.m_bSubtotal = 0;
    doc.m_nDigitCount = 0;
    doc.m_pCalc->Reset();
    doc.m_pConv->Reset();
    m_strHexText.clear();
    m_strDecimalText.clear();
    m_form.SetDlgItemText(IDC_DISPLAY, "");
    m_form.SetDlgItemText(IDC_HEX_EDIT, "");
    m_form.SetDlgItemText(IDC_DECIMAL_EDIT, "");
    m_form.SetDlgItemText(IDC_BINARY, "");
    doc.m_bTotalShown = 0;
    doc.m_nPendingOp = OP_NONE;
}

// The BINARY field's text from the HEX text, as the display refresh shows it.
void CBytewhirlView::ShowBinaryFromHex(std::string text)
{
    CBytewhirlDoc& doc = GetDocument();
    // Only the digit keys come here, and they refuse the real types first.
    if (!IsIntegral(doc.m_nDataType))
        return;
    OperandRecord& conv = *doc.m_pConv;
    conv.m_strBinary = conv.BinaryTextIntegral(doc.m_nDataType, HexTextToValue(text));
    m_form.SetDlgItemText(IDC_BINARY, conv.m_strBinary);
}

}  // namespace quibo
