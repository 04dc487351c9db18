#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FormWindow.h"
#include "platform/RoutingTable.h"
#include "res/Templates.h"

namespace quibo {

// An in-memory form that behaves as the real window does: a program's set of
// an edit's text notifies before it returns, length limits bind typing and
// pasting only, one control has the keyboard focus and edits hear of gaining
// and losing it, and message boxes take the focus and give it back. It also
// offers the user's actions on the form.
class HeadlessForm : public FormWindow {
public:
    struct MessageRecord {
        std::string caption;
        std::string text;
    };

    explicit HeadlessForm(const DialogTemplate& dialog);

    // Where the controls' notifications go; may be null.
    void SetTarget(CommandTarget* target) { m_pTarget = target; }

    // FormWindow.
    void SetDlgItemText(ControlId id, std::string_view text) override;
    std::string GetDlgItemText(ControlId id) const override;
    void LimitText(ControlId id, int nMaxChars) override;
    void MessageBox(std::string_view text, std::string_view caption) override;
    std::optional<ControlId> GetFocus() const override;
    // Nothing is ever selected here (the caret stays at the end), so Cut and
    // Copy take nothing; Paste adds the clipboard's text (a number as code
    // writes it as its digits) at the end as far as the limit allows; Undo takes back the user's last edit (one
    // keystroke, where the window takes back a run of them), and again; a
    // text the program set cannot be undone.
    void EditCommand(ControlId id, EditOperation operation) override;
    // Where the edits' clipboard text is; none, an empty one.
    void SetClipboard(const std::string* clipboard) { m_clipboard = clipboard; }
    // A focused bit the type no longer has gives the focus to the highest
    // bit it has, as the window's panel does.
    void SetBits(const PanelBits& bits) override;
    // What the Bits panel shows.
    const PanelBits& Bits() const { return m_bits; }
    // No frame to fit: the form is all there is.
    void ResizeParentToFit() override {}

    // The user's actions. Each returns false, and changes nothing, when it
    // cannot be done: no such button, a bit beyond the type's width, not an
    // edit, no edit has the focus.
    bool Click(ControlId id);
    bool Focus(ControlId id);
    bool Type(std::string_view text);
    bool Backspace(std::uint64_t count = 1);
    bool ClearField();
    bool Paste(std::string_view text);

    int Limit(ControlId id) const;
    const std::vector<MessageRecord>& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }

private:
    struct Control {
        ControlId id;
        ControlKind kind;
        std::string text;
        int limit;
        std::string undoText;  // the text before the user's last edit, which Undo
        bool undoable = false;  // brings back while no text the program set came since
    };

    // Focus values besides a control index.
    static constexpr int kNoFocus = -1;
    static constexpr int kMessageBoxFocus = -2;

    Control* Find(ControlId id);
    const Control* Find(ControlId id) const;
    Control* FocusedEdit();
    bool IsEdit(int index) const;
    void MoveFocus(int index);
    void Notify(ControlId id, Notification code);
    // Replaces an edit's text as a user's edit does: it can be undone.
    void UserEdit(Control& edit, std::string text);

    std::vector<Control> m_controls;                      // template order, then the bits
    // By id, into m_controls: form 101's ids and the bits lie in one short
    // range.
    static constexpr int kFirstId = IDC_KEY_D;
    static constexpr int kIdCount = IDC_BIT_63 - kFirstId + 1;
    std::array<std::int16_t, kIdCount> m_index{};
    std::vector<MessageRecord> m_messages;
    CommandTarget* m_pTarget = nullptr;
    const std::string* m_clipboard = nullptr;
    PanelBits m_bits;
    int m_focus = kNoFocus;
};

}  // namespace quibo
