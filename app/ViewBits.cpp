// The Bits panel: it shows the converter's value at the current type, and a
// click on a bit flips it and writes the new value into BINARY, HEX and
// DECIMAL as the program's own texts, leaving the calculator alone.
#include "app/CBytewhirlView.h"

#include "calc/BitRoles.h"
#include "numtext/HexText.h"

namespace quibo {

void CBytewhirlView::RefreshBits()
{
    const CBytewhirlDoc& doc = GetDocument();
    const std::uint64_t value = doc.ConverterValue();
    if (m_bitsShown && m_bitsShown->first == doc.m_nDataType && m_bitsShown->second == value)
        return;
    m_bitsShown.emplace(doc.m_nDataType, value);
    m_form.SetBits(PanelBitsAt(doc.m_nDataType, value));
}

void CBytewhirlView::OnBitClicked(int bit)
{
    CBytewhirlDoc& doc = GetDocument();
    OperandRecord& conv = *doc.m_pConv;
    const DataType type = doc.m_nDataType;
    if (RoleOfBit(type, bit) == BitRole::Beyond)
        return;
    doc.m_strWrap.clear();

    const std::uint64_t value = doc.ConverterValue() ^ (std::uint64_t{1} << bit);
    std::string hex = ResultHexText(type, value);
    std::string decimal;
    if (IsReal(type)) {
        conv.BinaryTextReal(type, value);
        decimal = RealValueText(type, value);
    } else {
        conv.m_strBinary = conv.BinaryTextIntegral(type, value);
        decimal = DecimalText(type, value);
    }

    // HEX and BINARY in the order the Mot/Int key names.
    const bool mot = conv.m_nByteOrder == 0;
    if (!mot)
        hex = SwapHexBytes(std::move(hex));
    if (IsReal(type))
        m_form.SetDlgItemText(IDC_BINARY, mot ? conv.m_strRealBinMot : conv.m_strRealBinInt);
    else
        m_form.SetDlgItemText(IDC_BINARY, mot ? conv.m_strBinMot : conv.m_strBinInt);
    m_form.SetDlgItemText(IDC_HEX_EDIT, hex);
    m_form.SetDlgItemText(IDC_DECIMAL_EDIT, decimal);
}

}  // namespace quibo
