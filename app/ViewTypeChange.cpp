// What the form does when the document's data type changes.
#include "app/CBytewhirlView.h"

#include "res/Texts.h"

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

    // The field that kept the keyboard focus converts again when typed in:
    // with its flag left at 0, typing into it would leave the other field
    // showing the old value.
    const std::optional<ControlId> focus = m_form.GetFocus();
    if (focus == IDC_HEX_EDIT)
        OnHexEditSetFocus();
    else if (focus == IDC_DECIMAL_EDIT)
        OnDecimalEditSetFocus();
}

}  // namespace quibo
