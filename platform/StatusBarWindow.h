#pragma once

#include <string>
#include <string_view>

namespace quibo {

// The frame's status bar: pane 0 the message pane, kWrapPane the WRAP pane
// (its text is what the converter's last value lost to the type, empty when
// nothing; the window shows it short), then the lock-key panes.
inline constexpr int kWrapPane = 1;

class StatusBarWindow {
public:
    virtual ~StatusBarWindow() = default;
    // With bUpdate the pane shows the text at once.
    virtual bool SetPaneText(int nIndex, std::string_view text, bool bUpdate = true) = 0;
    virtual std::string GetPaneText(int nIndex) const = 0;
};

}  // namespace quibo
