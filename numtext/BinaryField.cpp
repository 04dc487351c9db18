// The BINARY field's text from the HEX text, as the display refresh shows it.
#include "shell/CBytewhirlView.h"

namespace quibo {

void CBytewhirlView::ShowBinaryFromHex(std::string text)
{
    CBytewhirlDoc& doc = GetDocument();
    // Only the digit keys come here, and they refuse the real types first.
    if (!IsIntegral(doc.m_nDataType))
        return;
    OperandRecord& conv = *doc.m_pConv;
    conv.m_strBinary = conv.BinaryTextIntegral(doc.m_nDataType, OperandRecord::HexTextToValue(text));
    m_form.SetDlgItemText(IDC_BINARY, conv.m_strBinary);
}

}  // namespace quibo
