// What the form does when the document's data type changes.
#include "shell/CBytewhirlView.h"

#include "shell/res/Texts.h"

namespace quibo {

void CBytewhirlView::OnUpdate(CView*, long, void*)
{
    // The start-up initial update only passes the gate.
    if (!m_bUpdateSeen) {
        m_bUpdateSeen = 1;
        return;
    }

    OnHexEditKillFocus();
    const CBytewhirlDoc& doc = GetDocument();
    // A real value has no integral reading: clear instead of converting.
    if (IsIntegral(doc.m_nDataType) && IsReal(doc.m_nPrevDataType)) {
        m_form.MessageBox(kCantConvertRealToIntegral, kErrorCaption);
        OnKeyClear();
        return;
    }

    // Convert the DECIMAL text again as if it had just been typed.
    OnDecimalEditSetFocus();
    OnDecimalEditUpdate();
    OnDecimalEditKillFocus();
}

}  // namespace quibo
