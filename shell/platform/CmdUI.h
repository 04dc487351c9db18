#pragma once

namespace quibo {

// A menu item as its update handler sees it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void SetCheck(int nCheck) = 0;  // 1 checked, 0 not
};

}  // namespace quibo
