#include "hosts/headless/HeadlessForm.h"

#include <algorithm>

#include "app/PastedText.h"

namespace quibo {

HeadlessForm::HeadlessForm(const DialogTemplate& dialog)
{
    m_index.fill(-1);
    m_controls.reserve(dialog.controls.size() + kPanelBits);
    const auto add = [this](ControlId id, ControlKind kind, const char* text) {
        // Labels and group boxes share one id and are never addressed.
        if (id != IDC_STATIC && id >= kFirstId && id - kFirstId < kIdCount && m_index[id - kFirstId] < 0)
            m_index[static_cast<std::size_t>(id - kFirstId)] = static_cast<std::int16_t>(m_controls.size());
        m_controls.push_back({id, kind, text, kDefaultEditLimit, {}});
    };
    for (const ControlTemplate& control : dialog.controls)
        add(control.id, control.kind, control.text);
    // The Bits panel's bits, below the form: buttons that take the focus.
    for (int bit = 0; bit < kPanelBits; ++bit)
        add(BitControl(bit), ControlKind::PushButton, "");
}

HeadlessForm::Control* HeadlessForm::Find(ControlId id)
{
    if (id >= kFirstId && id - kFirstId < kIdCount) {
        const std::int16_t index = m_index[static_cast<std::size_t>(id - kFirstId)];
        return index < 0 ? nullptr : &m_controls[static_cast<std::size_t>(index)];
    }
    // Another template's ids (a dialog's OK is 1) are looked for in turn.
    const auto it = std::find_if(m_controls.begin(), m_controls.end(), [id](const Control& control) {
        return control.id == id && id != IDC_STATIC;
    });
    return it == m_controls.end() ? nullptr : &*it;
}

const HeadlessForm::Control* HeadlessForm::Find(ControlId id) const
{
    return const_cast<HeadlessForm*>(this)->Find(id);
}

bool HeadlessForm::IsEdit(int index) const
{
    return index >= 0 && m_controls[static_cast<std::size_t>(index)].kind == ControlKind::Edit;
}

HeadlessForm::Control* HeadlessForm::FocusedEdit()
{
    return IsEdit(m_focus) ? &m_controls[static_cast<std::size_t>(m_focus)] : nullptr;
}

void HeadlessForm::Notify(ControlId id, Notification code)
{
    if (m_pTarget)
        m_pTarget->OnCmdMsg(id, code);
}

void HeadlessForm::MoveFocus(int index)
{
    if (index == m_focus)
        return;
    const int previous = m_focus;
    m_focus = index;
    if (IsEdit(previous))
        Notify(m_controls[static_cast<std::size_t>(previous)].id, EN_KILLFOCUS);
    if (IsEdit(index) && m_focus == index)
        Notify(m_controls[static_cast<std::size_t>(index)].id, EN_SETFOCUS);
}

void HeadlessForm::SetDlgItemText(ControlId id, std::string_view text)
{
    Control* control = Find(id);
    if (!control)
        return;
    // A text the program sets cannot be undone, nor what came before it.
    // Most writes set the text a field already has: nothing is copied then.
    if (control->text != text)
        control->text.assign(text);
    control->undoable = false;
    if (control->kind == ControlKind::Edit)
        Notify(id, EN_UPDATE);
}

std::string HeadlessForm::GetDlgItemText(ControlId id) const
{
    const Control* control = Find(id);
    return control ? control->text : std::string();
}

void HeadlessForm::LimitText(ControlId id, int nMaxChars)
{
    Control* control = Find(id);
    if (control && control->kind == ControlKind::Edit)
        control->limit = nMaxChars > 0 ? nMaxChars : kDefaultEditLimit;
}

void HeadlessForm::MessageBox(std::string_view text, std::string_view caption)
{
    m_messages.push_back({std::string(caption), std::string(text)});
    // The box is modal: it holds the focus while it is open, is answered
    // with OK at once, and gives the focus back before returning.
    const int previous = m_focus;
    MoveFocus(kMessageBoxFocus);
    MoveFocus(previous);
}

void HeadlessForm::SetBits(const PanelBits& bits)
{
    m_bits = bits;
    const std::optional<ControlId> focus = GetFocus();
    if (!focus || !IsBitControl(*focus) || bits.roles[static_cast<std::size_t>(BitOfControl(*focus))] != BitRole::Beyond)
        return;
    int highest = kPanelBits - 1;
    while (highest > 0 && bits.roles[static_cast<std::size_t>(highest)] == BitRole::Beyond)
        --highest;
    MoveFocus(static_cast<int>(Find(BitControl(highest)) - m_controls.data()));
}

bool HeadlessForm::Click(ControlId id)
{
    Control* control = Find(id);
    if (!control || control->kind != ControlKind::PushButton)
        return false;
    if (IsBitControl(id) && m_bits.roles[static_cast<std::size_t>(BitOfControl(id))] == BitRole::Beyond)
        return false;  // disabled
    // A mouse press gives the button the focus before it reports the click.
    MoveFocus(static_cast<int>(control - m_controls.data()));
    Notify(id, BN_CLICKED);
    return true;
}

bool HeadlessForm::Focus(ControlId id)
{
    Control* control = Find(id);
    if (!control || control->kind != ControlKind::Edit)
        return false;
    MoveFocus(static_cast<int>(control - m_controls.data()));
    return true;
}

void HeadlessForm::UserEdit(Control& edit, std::string text)
{
    edit.undoText = std::move(edit.text);
    edit.text = std::move(text);
    edit.undoable = true;
    Notify(edit.id, EN_UPDATE);
}

bool HeadlessForm::Type(std::string_view text)
{
    Control* edit = FocusedEdit();
    if (!edit)
        return false;
    const ControlId id = edit->id;
    for (char c : text) {
        // A handler may move the focus or rewrite the text: look again.
        Control* current = Find(id);
        if (static_cast<int>(current->text.size()) >= current->limit)
            continue;  // refused, as the edit refuses a keystroke
        UserEdit(*current, current->text + c);
    }
    return true;
}

bool HeadlessForm::Backspace(std::uint64_t count)
{
    Control* edit = FocusedEdit();
    if (!edit)
        return false;
    const ControlId id = edit->id;
    // A press on an empty field does nothing, so the presses end there.
    for (std::uint64_t i = 0; i < count; ++i) {
        Control* current = Find(id);
        if (current->text.empty())
            break;
        UserEdit(*current, current->text.substr(0, current->text.size() - 1));
    }
    return true;
}

bool HeadlessForm::ClearField()
{
    Control* edit = FocusedEdit();
    if (!edit)
        return false;
    if (!edit->text.empty())
        UserEdit(*edit, std::string());
    return true;
}

bool HeadlessForm::Paste(std::string_view text)
{
    Control* edit = FocusedEdit();
    if (!edit)
        return false;
    const std::string pasted = PastedText(edit->id, text);
    const std::string_view kept = std::string_view(pasted).substr(0, static_cast<std::size_t>(edit->limit));
    if (edit->text != kept)
        UserEdit(*edit, std::string(kept));
    return true;
}

void HeadlessForm::EditCommand(ControlId id, EditOperation operation)
{
    Control* edit = Find(id);
    if (!edit || edit->kind != ControlKind::Edit)
        return;
    if (operation == EditOperation::Undo && edit->undoable && edit->undoText != edit->text) {
        UserEdit(*edit, edit->undoText);
    } else if (operation == EditOperation::Paste && m_clipboard) {
        // At the caret, the end: what fits under the limit, as a paste does.
        const auto room = static_cast<std::size_t>(std::max(0, edit->limit - static_cast<int>(edit->text.size())));
        const std::string pasted = PastedText(edit->id, *m_clipboard);
        const std::string_view kept = std::string_view(pasted).substr(0, room);
        if (!kept.empty())
            UserEdit(*edit, edit->text + std::string(kept));
    }
}

std::optional<ControlId> HeadlessForm::GetFocus() const
{
    if (m_focus < 0)
        return std::nullopt;
    return m_controls[static_cast<std::size_t>(m_focus)].id;
}

int HeadlessForm::Limit(ControlId id) const
{
    const Control* control = Find(id);
    return control ? control->limit : 0;
}

}  // namespace quibo
