#pragma once

#include <string>
#include <string_view>

namespace quibo {

// The frame's status bar. Pane 0 is the message pane.
class StatusBarWindow {
public:
    virtual ~StatusBarWindow() = default;
    // With bUpdate the pane shows the text at once.
    virtual bool SetPaneText(int nIndex, std::string_view text, bool bUpdate = true) = 0;
    virtual std::string GetPaneText(int nIndex) const = 0;
};

}  // namespace quibo
