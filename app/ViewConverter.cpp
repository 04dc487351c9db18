// The HEX and DECIMAL fields: typing in one rewrites the others at the
// current type. Only the field that has the focus converts, so the program's
// own writes into the other field, which notify too, convert nothing.
#include "app/CBytewhirlView.h"

#include "numtext/DecimalText.h"
#include "calc/Wrap.h"
#include "numtext/HexText.h"

namespace quibo {

void CBytewhirlView::OnDecimalEditUpdate()
{
    if (m_bIgnoreEditUpdate == 1) {
        m_bIgnoreEditUpdate = 0;
        return;
    }
    if (m_bDecimalFocus != 1)
        return;

    const std::string text = m_editDecimal.GetWindowText();
    CBytewhirlDoc& doc = GetDocument();
    OperandRecord& conv = *doc.m_pConv;
    const DataType type = doc.m_nDataType;
    doc.m_strWrap = WrapOfDecimal(type, text);

    if (const DataTypeInfo* info = FindDataTypeInfo(type); info && info->real) {
        // IEEE-754 rounds to nearest; beyond the type's range gives infinity.
        const std::uint64_t pattern = RealPattern(ReadDecimalReal(text), *info->real);
        m_form.SetDlgItemText(IDC_HEX_EDIT, ResultHexText(type, pattern));
        conv.BinaryTextReal(type, pattern);
        m_form.SetDlgItemText(IDC_BINARY, conv.m_strRealBinMot);
        return;
    }
    if (!IsIntegral(type))
        return;

    // The whole register (32 bits, 64 for the 64-bit types) goes into HEX;
    // only BINARY shows the value cut to the type's width.
    const std::uint64_t value = ToRegister(type, ReadDecimalInteger(text));
    conv.m_strBinary = conv.BinaryTextIntegral(type, value);
    m_form.SetDlgItemText(IDC_HEX_EDIT, ResultHexText(type, value));
    m_form.SetDlgItemText(IDC_BINARY, conv.m_strBinMot);
}

void CBytewhirlView::OnHexEditUpdate()
{
    // Whatever the flags: the limit follows the current type.
    m_editHex.LimitText(GetDocument().HexDigitCapacity());
    if (m_bIgnoreEditUpdate == 1) {
        m_bIgnoreEditUpdate = 0;
        return;
    }
    if (m_bHexFocus != 1)
        return;

    CBytewhirlDoc& doc = GetDocument();
    OperandRecord& conv = *doc.m_pConv;
    doc.m_strWrap.clear();
    const std::uint64_t value = HexTextToValue(m_editHex.GetWindowText());
    // A real type's pattern is the last eight places (float) or sixteen
    // (double), and DECIMAL its value's shortest text.
    if (IsReal(doc.m_nDataType)) {
        conv.BinaryTextReal(doc.m_nDataType, value);
        m_form.SetDlgItemText(IDC_BINARY, conv.m_strRealBinMot);
        m_form.SetDlgItemText(IDC_DECIMAL_EDIT, RealValueText(doc.m_nDataType, value));
        return;
    }
    std::string decimal;
    if (IsIntegral(doc.m_nDataType)) {
        decimal = DecimalText(doc.m_nDataType, value);
        conv.m_strBinary = conv.BinaryTextIntegral(doc.m_nDataType, value);
    }
    m_form.SetDlgItemText(IDC_BINARY, conv.m_strBinary);
    m_form.SetDlgItemText(IDC_DECIMAL_EDIT, decimal);
}

void CBytewhirlView::OnHexEditSetFocus() { m_bHexFocus = 1; }
void CBytewhirlView::OnDecimalEditSetFocus() { m_bDecimalFocus = 1; }
void CBytewhirlView::OnHexEditKillFocus() { m_bHexFocus = 0; }
void CBytewhirlView::OnDecimalEditKillFocus() { m_bDecimalFocus = 0; }

}  // namespace quibo
