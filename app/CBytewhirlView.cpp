#include "app/CBytewhirlView.h"

#include <array>

#include "platform/DataExchange.h"
#include "res/Texts.h"

namespace quibo {

namespace {

using View = CBytewhirlView;

// Every control notification the form handles; nothing else reaches it.
constexpr auto kRoutes = std::to_array<Route<View>>({
    {IDC_KEY_D, BN_CLICKED, &View::OnKeyD},
    {IDC_KEY_E, BN_CLICKED, &View::OnKeyE},
    {IDC_KEY_F, BN_CLICKED, &View::OnKeyF},
    {IDC_KEY_A, BN_CLICKED, &View::OnKeyA},
    {IDC_KEY_B, BN_CLICKED, &View::OnKeyB},
    {IDC_KEY_C, BN_CLICKED, &View::OnKeyC},
    {IDC_KEY_7, BN_CLICKED, &View::OnKey7},
    {IDC_KEY_8, BN_CLICKED, &View::OnKey8},
    {IDC_KEY_9, BN_CLICKED, &View::OnKey9},
    {IDC_KEY_4, BN_CLICKED, &View::OnKey4},
    {IDC_KEY_5, BN_CLICKED, &View::OnKey5},
    {IDC_KEY_6, BN_CLICKED, &View::OnKey6},
    {IDC_KEY_1, BN_CLICKED, &View::OnKey1},
    {IDC_KEY_2, BN_CLICKED, &View::OnKey2},
    {IDC_KEY_3, BN_CLICKED, &View::OnKey3},
    {IDC_KEY_0, BN_CLICKED, &View::OnKey0},
    {IDC_KEY_CLEAR, BN_CLICKED, &View::OnKeyClear},
    {IDC_KEY_DIVIDE, BN_CLICKED, &View::OnKeyDivide},
    {IDC_KEY_MULTIPLY, BN_CLICKED, &View::OnKeyMultiply},
    {IDC_KEY_SUBTRACT, BN_CLICKED, &View::OnKeySubtract},
    {IDC_KEY_ADD, BN_CLICKED, &View::OnKeyAdd},
    {IDC_KEY_EQUALS, BN_CLICKED, &View::OnKeyEquals},
    {IDC_KEY_BYTE_ORDER, BN_CLICKED, &View::OnKeyByteOrder},
    {IDC_KEY_COMPLEMENT, BN_CLICKED, &View::OnKeyComplement},
    {IDC_KEY_XOR, BN_CLICKED, &View::OnKeyXor},
    {IDC_KEY_AND, BN_CLICKED, &View::OnKeyAnd},
    {IDC_KEY_OR, BN_CLICKED, &View::OnKeyOr},
    {IDC_KEY_SHIFT_LEFT, BN_CLICKED, &View::OnKeyShiftLeft},
    {IDC_KEY_SHIFT_RIGHT, BN_CLICKED, &View::OnKeyShiftRight},
    {IDC_HEX_EDIT, EN_UPDATE, &View::OnHexEditUpdate},
    {IDC_HEX_EDIT, EN_SETFOCUS, &View::OnHexEditSetFocus},
    {IDC_HEX_EDIT, EN_KILLFOCUS, &View::OnHexEditKillFocus},
    {IDC_DECIMAL_EDIT, EN_UPDATE, &View::OnDecimalEditUpdate},
    {IDC_DECIMAL_EDIT, EN_SETFOCUS, &View::OnDecimalEditSetFocus},
    {IDC_DECIMAL_EDIT, EN_KILLFOCUS, &View::OnDecimalEditKillFocus},
    {IDC_KEY_MODULUS, BN_CLICKED, &View::OnKeyModulus},
});

constexpr RouteIndex<View> kRouteIndex(kRoutes);

}  // namespace

CBytewhirlView::CBytewhirlView(CBytewhirlDoc& document, FormWindow& form, StatusBarWindow& statusBar,
                               FrameWindow& frame)
    : m_document(document), m_form(form), m_statusBar(statusBar), m_frame(frame)
{
    m_document.AddView(this);
}

CBytewhirlView::~CBytewhirlView()
{
    m_document.RemoveView(this);
}

std::span<const Route<CBytewhirlView>> CBytewhirlView::RoutingTable()
{
    return kRoutes;
}

void CBytewhirlView::RefreshWrap()
{
    if (m_document.m_strWrap == m_wrapShown)
        return;
    m_wrapShown = m_document.m_strWrap;
    m_statusBar.SetPaneText(kWrapPane, m_wrapShown);
}

bool CBytewhirlView::OnCmdMsg(ControlId id, Notification code)
{
    const Dispatch dispatch(*this);
    if (IsBitControl(id) && code == BN_CLICKED) {
        OnBitClicked(BitOfControl(id));
        return true;
    }
    return kRouteIndex.Deliver(*this, id, code);
}

void CBytewhirlView::DoDataExchange()
{
    DDX_Control(m_form, IDC_HEX_EDIT, m_editHex);
    DDX_Control(m_form, IDC_DECIMAL_EDIT, m_editDecimal);
    DDX_Text(m_form, IDC_DISPLAY, m_strDisplayText);
    DDX_Text(m_form, IDC_HEX_EDIT, m_strHexText);
    DDX_Text(m_form, IDC_BINARY, m_strBinaryText);
    DDX_Text(m_form, IDC_DECIMAL_EDIT, m_strDecimalText);
}

void CBytewhirlView::OnInitialUpdate()
{
    {
        const Dispatch dispatch(*this);
        DoDataExchange();
        OnUpdate(nullptr, 0, nullptr);
    }
    m_form.ResizeParentToFit();
}

void CBytewhirlView::RefuseRealType()
{
    m_form.MessageBox(kMustSelectIntegral, kErrorCaption);
}

}  // namespace quibo
