#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/BitsPanel.h"
#include "platform/ControlIds.h"

namespace quibo {

// What an edit's own undo, cut, copy and paste keys do.
enum class EditOperation { Undo, Cut, Copy, Paste };

// An edit's length limit until the program sets one.
inline constexpr int kDefaultEditLimit = 32767;

// The windowing operations that the form's handlers call. Each host (the Qt
// window, the headless form) implements them with these guarantees:
//  - SetDlgItemText replaces the whole text; for an edit the change
//    notification (EN_UPDATE) is delivered before the call returns, even
//    when the text is unchanged.
//  - LimitText bounds what the user can type or paste, never a text that
//    the program sets.
//  - MessageBox is modal with one OK button; it takes the keyboard focus
//    away and gives it back to the same control before it returns.
//  - ResizeParentToFit lays out the frame again and fits it to the form.
//  - EditCommand does to an edit what its own undo, cut, copy and paste keys
//    do, notifying as the user's edits do.
//  - The Bits panel's bits (IDC_BIT_0 + n) are check boxes that report
//    BN_CLICKED, each taking the keyboard focus first as a key does; SetBits
//    gives them what to show; a bit beyond the type's width is disabled.
class FormWindow {
public:
    virtual ~FormWindow() = default;

    virtual void SetDlgItemText(ControlId id, std::string_view text) = 0;
    virtual std::string GetDlgItemText(ControlId id) const = 0;
    virtual void LimitText(ControlId id, int nMaxChars) = 0;
    virtual void MessageBox(std::string_view text, std::string_view caption) = 0;
    virtual void ResizeParentToFit() = 0;
    // The control that has the keyboard focus, if one of the form's has it.
    virtual std::optional<ControlId> GetFocus() const = 0;
    virtual void EditCommand(ControlId id, EditOperation operation) = 0;
    virtual void SetBits(const PanelBits& bits) = 0;
};

}  // namespace quibo
