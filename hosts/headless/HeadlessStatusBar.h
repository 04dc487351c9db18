#pragma once

#include <array>
#include <string>

#include "platform/StatusBarWindow.h"

namespace quibo {

// The message pane, the WRAP pane and the three lock-key panes, in memory.
// The message pane starts with the idle text, a single blank; the WRAP pane
// empty, the lock keys as off.
class HeadlessStatusBar : public StatusBarWindow {
public:
    static constexpr const char kIdleText[] = " ";

    bool SetPaneText(int nIndex, std::string_view text, bool = true) override
    {
        if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
            return false;
        m_panes[static_cast<std::size_t>(nIndex)].assign(text);
        return true;
    }

    std::string GetPaneText(int nIndex) const override
    {
        if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
            return {};
        return m_panes[static_cast<std::size_t>(nIndex)];
    }

private:
    std::array<std::string, 5> m_panes{kIdleText, "", "", "", ""};
};

}  // namespace quibo
