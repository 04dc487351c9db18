#pragma once

namespace quibo {

// A menu item as its update handler sees it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void SetCheck(int nCheck) = 0;  // 1 checked, 0 not
    virtual void Enable(bool bOn) = 0;
};

// Asks an update handler for its check mark (-1 until it sets one) and
// whether the item is enabled (until it says otherwise).
class CheckRecorder : public CCmdUI {
public:
    void SetCheck(int nCheck) override { check = nCheck; }
    void Enable(bool bOn) override { enabled = bOn; }
    int check = -1;
    bool enabled = true;
};

}  // namespace quibo
