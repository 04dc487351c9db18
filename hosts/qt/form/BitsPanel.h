#pragma once

#include <QCheckBox>
#include <QGroupBox>

#include <array>
#include <functional>
#include <optional>

#include "platform/BitsPanel.h"
#include "hosts/qt/form/DialogUnits.h"

namespace quibo {

class BitsPanel;

// One bit: a check box (to a screen reader "Bit n", checked when set) that
// shows its digit, 0 or 1, in a box.
class BitBox : public QCheckBox {
public:
    BitBox(BitsPanel& panel, int bit);

    int Bit() const { return m_bit; }
    BitRole Role() const { return m_role; }
    void SetRole(BitRole role);
    // The bar over a sign or exponent bit, in a box this high.
    static int BarHeight(BitRole role, int boxHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    BitsPanel& m_panel;
    int m_bit;
    BitRole m_role = BitRole::Integral;
};

// The Bits panel, a group box "Bits" as wide as the form's: 64 bits in
// four rows of sixteen, 63 at the top left and 0 at the bottom right,
// grouped by fours with the position of each group's lowest bit under it.
// It is one stop in the tab order: the arrow keys, Home and End move among
// the enabled bits, Space flips the focused one.
class BitsPanel : public QGroupBox {
public:
    // In the form's font and dialog units.
    BitsPanel(const QFont& font, const DialogUnits& units, QWidget* parent);

    // A click, Space or a screen reader's toggle on an enabled bit.
    void SetClicked(std::function<void(int bit)> clicked) { m_clicked = std::move(clicked); }
    void ShowBits(const PanelBits& bits);
    const PanelBits& Bits() const { return m_bits; }
    // Before the panel hides: a focused bit lets the focus go to no control
    // (the window keeps it, so that keys still press the keypad), not to the
    // next control in line.
    void ReleaseFocus();

    BitBox& Box(int bit) const { return *m_boxes[static_cast<std::size_t>(bit)]; }
    // The bit with the keyboard focus, if one has it.
    std::optional<int> FocusedBit() const;
    // The bit that is the window's focus widget, also while another window
    // is active.
    std::optional<int> WindowFocusBit() const;

    // From a bit: the keyboard focus moves, or settles on it.
    bool MoveFocus(int fromBit, int key);
    void FocusedOn(int bit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where a bit's box is, and its group's position number.
    QRect BoxRect(int bit) const;
    bool Enabled(int bit) const { return m_bits.roles[static_cast<std::size_t>(bit)] != BitRole::Beyond; }
    // The tab stop: the bit that last had the focus, or the highest enabled.
    void SetTabStop(int bit);
    int HighestEnabled() const;

    std::array<BitBox*, kPanelBits> m_boxes{};
    std::function<void(int)> m_clicked;
    PanelBits m_bits;
    int m_tabStop = kPanelBits - 1;
    std::optional<int> m_focused;  // the bit that last had the focus
    int m_left = 0;
    int m_top = 0;
    int m_boxWidth = 0;
    int m_boxHeight = 0;
    int m_groupGap = 0;
    int m_rowHeight = 0;
};

}  // namespace quibo
