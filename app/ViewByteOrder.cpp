// The Mot/Int key: swaps the bytes of whatever HEX shows and shows the
// stored binary text of the new order. Nothing is parsed or rendered again.
#include "app/CBytewhirlView.h"

#include "numtext/HexText.h"
#include "res/Texts.h"

namespace quibo {

void CBytewhirlView::OnKeyByteOrder()
{
    CBytewhirlDoc& doc = GetDocument();
    OperandRecord& conv = *doc.m_pConv;

    m_form.SetDlgItemText(IDC_HEX_EDIT, SwapHexBytes(m_form.GetDlgItemText(IDC_HEX_EDIT)));

    if (conv.m_nByteOrder == 1) {
        conv.m_nByteOrder = 0;
        m_form.SetDlgItemText(IDC_KEY_BYTE_ORDER, kCaptionMot);
    } else {
        conv.m_nByteOrder = 1;
        m_form.SetDlgItemText(IDC_KEY_BYTE_ORDER, kCaptionInt);
    }

    const bool mot = conv.m_nByteOrder == 0;
    if (IsReal(doc.m_nDataType))
        m_form.SetDlgItemText(IDC_BINARY, mot ? conv.m_strRealBinMot : conv.m_strRealBinInt);
    else
        m_form.SetDlgItemText(IDC_BINARY, mot ? conv.m_strBinMot : conv.m_strBinInt);
}

}  // namespace quibo
