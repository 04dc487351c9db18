#pragma once

namespace quibo {

// A menu item as its update handler sees it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void SetCheck(int nCheck) = 0;  // 1 checked, 0 not
};

// Asks an update handler for its check mark: -1 until it sets one.
class CheckRecorder : public CCmdUI {
public:
    void SetCheck(int nCheck) override { check = nCheck; }
    int check = -1;
};

}  // namespace quibo
