#include "hosts/qt/form/BitsPanel.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace quibo {

namespace {

constexpr int kColumns = 16;
constexpr int kRows = kPanelBits / kColumns;
constexpr int kGroup = 4;

// In dialog units, as the form's group boxes are laid out: as wide as they
// are, the first row where their first control is; boxes a line and a
// quarter high, groups of four apart by three units, a line for the numbers.
constexpr int kWidthUnits = 155;
constexpr int kSideUnits = 5;
constexpr int kTopUnits = 10;
constexpr int kBottomUnits = 3;
constexpr int kBoxHeightUnits = 10;
constexpr int kGroupGapUnits = 3;
constexpr int kNumberHeightUnits = 8;

QColor Mixed(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

}  // namespace

BitBox::BitBox(BitsPanel& panel, int bit) : QCheckBox(&panel), m_panel(panel), m_bit(bit)
{
    // One tab stop for the panel: the panel gives it to one bit at a time.
    setFocusPolicy(Qt::ClickFocus);
    setAccessibleName(QStringLiteral("Bit %1").arg(bit));
    SetRole(BitRole::Integral);
}

void BitBox::SetRole(BitRole role)
{
    if (role == m_role && isEnabled() == (role != BitRole::Beyond))
        return;
    m_role = role;
    setEnabled(role != BitRole::Beyond);
    // A real's bit says which field it is in. No other bit has a tooltip:
    // a screen reader would read it as the description, the name again.
    const QString field = QString::fromLatin1(BitRoleName(role));
    setAccessibleDescription(field);
    setToolTip(field.isEmpty() ? QString() : accessibleName() + ": " + field);
    update();
}

int BitBox::BarHeight(BitRole role, int boxHeight)
{
    switch (role) {
    case BitRole::Sign: return std::max(3, boxHeight / 4);
    case BitRole::Exponent: return std::max(1, boxHeight / 12);
    default: return 0;
    }
}

bool BitBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

void BitBox::focusInEvent(QFocusEvent* event)
{
    QCheckBox::focusInEvent(event);
    m_panel.FocusedOn(m_bit);
}

void BitBox::keyPressEvent(QKeyEvent* event)
{
    // Other keys go on to the form, which presses the keypad key they type.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ||
        !m_panel.MoveFocus(m_bit, event->key()))
        QCheckBox::keyPressEvent(event);
}

void BitBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    const bool set = isChecked();
    const QRect box = rect().adjusted(0, 0, -1, -1);

    // A set bit stands out by its fill and its bold digit; a bit the value
    // does not have is only an outline.
    QColor fill = colors.color(QPalette::Base);
    if (!isEnabled())
        fill = colors.color(QPalette::Window);
    else if (set)
        fill = Mixed(colors.color(QPalette::Base), colors.color(QPalette::Highlight), 0.35);
    painter.fillRect(box, fill);
    painter.setPen(colors.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Mid));
    painter.drawRect(box);

    // A real's fields apart by shape as well as by their tooltips: a thick
    // bar over the sign, a thin one over the exponent.
    const int bar = BarHeight(m_role, height());
    if (bar > 0)
        painter.fillRect(QRect(box.left() + 1, box.top() + 1, box.width() - 1, bar), colors.color(QPalette::Text));

    // The digit's ink centred in the box below the bar.
    QFont digitFont = font();
    digitFont.setBold(set);
    painter.setFont(digitFont);
    painter.setPen(colors.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QString digit = set ? QStringLiteral("1") : QStringLiteral("0");
    const QRect ink = QFontMetrics(digitFont).tightBoundingRect(digit);
    const QRect room = rect().adjusted(0, bar, 0, 0);
    painter.drawText(QPoint(room.left() + (room.width() - ink.width()) / 2 - ink.left(),
                            room.top() + (room.height() - ink.height()) / 2 - ink.top()),
                     digit);

    if (hasFocus()) {
        // A frame inside the box in the highlight colour, at least two
        // pixels thick, darker than a set bit's fill.
        const int thickness = std::max(2, height() / 10);
        QPen pen(colors.color(QPalette::Highlight), thickness);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const int inset = thickness / 2;
        painter.drawRect(rect().adjusted(inset, inset, -inset - 1 + thickness % 2, -inset - 1 + thickness % 2));
    }
}

BitsPanel::BitsPanel(const QFont& font, const DialogUnits& units, QWidget* parent)
    : QGroupBox(QStringLiteral("Bits"), parent)
{
    setFont(font);
    const int width = units.X(kWidthUnits);
    m_groupGap = units.X(kGroupGapUnits);
    const int gaps = (kColumns / kGroup - 1) * m_groupGap;
    m_boxWidth = (width - 2 * units.X(kSideUnits) - gaps) / kColumns;
    m_boxHeight = units.Y(kBoxHeightUnits);
    m_rowHeight = m_boxHeight + units.Y(kNumberHeightUnits);
    m_top = units.Y(kTopUnits);
    m_left = (width - kColumns * m_boxWidth - gaps) / 2;
    setFixedSize(width, m_top + kRows * m_rowHeight + units.Y(kBottomUnits));

    for (int bit = 0; bit < kPanelBits; ++bit) {
        auto* box = new BitBox(*this, bit);
        m_boxes[static_cast<std::size_t>(bit)] = box;
        box->setGeometry(BoxRect(bit));
        // A click, Space and a screen reader's toggle all toggle the box; a
        // state that differs from the value's bit is the user's flip (the
        // panel's own updates agree with the value).
        connect(box, &QAbstractButton::toggled, this, [this, bit](bool checked) {
            if (checked != ((m_bits.value >> bit & 1u) != 0) && m_clicked)
                m_clicked(bit);
        });
    }
    // Reading order, 63 first: what Tab and a screen reader go through.
    for (int bit = kPanelBits - 1; bit > 0; --bit)
        setTabOrder(&Box(bit), &Box(bit - 1));
    SetTabStop(HighestEnabled());
}

QRect BitsPanel::BoxRect(int bit) const
{
    const int place = kPanelBits - 1 - bit;  // 0 at the top left
    const int row = place / kColumns;
    const int column = place % kColumns;
    const int x = m_left + column * m_boxWidth + (column / kGroup) * m_groupGap;
    return {x, m_top + row * m_rowHeight, m_boxWidth, m_boxHeight};
}

void BitsPanel::paintEvent(QPaintEvent* event)
{
    QGroupBox::paintEvent(event);
    // The position of each group's lowest bit, under it, flush right.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int bit = 0; bit < kPanelBits; bit += kGroup) {
        const QRect box = BoxRect(bit);
        const QRect number(box.right() + 1 - 2 * m_boxWidth, box.bottom() + 1, 2 * m_boxWidth, m_rowHeight - m_boxHeight);
        painter.drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(bit));
    }
}

std::optional<int> BitsPanel::WindowFocusBit() const
{
    // The window's focus widget, whether or not the window is active.
    for (int bit = 0; bit < kPanelBits; ++bit) {
        if (window()->focusWidget() == &Box(bit))
            return bit;
    }
    return std::nullopt;
}

void BitsPanel::ShowBits(const PanelBits& bits)
{
    if (bits == m_bits)
        return;
    const std::optional<int> focused = WindowFocusBit();
    m_bits = bits;
    // The focus leaves a bit that goes before the bit goes: a disabled
    // widget would hand it to the next control in line.
    const int stop = m_focused && Enabled(*m_focused) ? *m_focused : HighestEnabled();
    if (focused && !Enabled(*focused))
        Box(stop).setFocus(Qt::OtherFocusReason);
    for (int bit = 0; bit < kPanelBits; ++bit) {
        BitBox& box = Box(bit);
        box.SetRole(bits.roles[static_cast<std::size_t>(bit)]);
        box.setChecked((bits.value >> bit & 1u) != 0);
    }
    SetTabStop(stop);
}

std::optional<int> BitsPanel::FocusedBit() const
{
    for (int bit = 0; bit < kPanelBits; ++bit) {
        if (Box(bit).hasFocus())
            return bit;
    }
    return std::nullopt;
}

void BitsPanel::ReleaseFocus()
{
    // To the window itself: a menu entered by Alt gives the focus back to
    // what had it, and with nothing it would keep it on the menu bar.
    if (WindowFocusBit())
        window()->setFocus(Qt::OtherFocusReason);
}

int BitsPanel::HighestEnabled() const
{
    for (int bit = kPanelBits - 1; bit > 0; --bit) {
        if (Enabled(bit))
            return bit;
    }
    return 0;
}

void BitsPanel::SetTabStop(int bit)
{
    Box(m_tabStop).setFocusPolicy(Qt::ClickFocus);
    m_tabStop = bit;
    Box(bit).setFocusPolicy(Qt::StrongFocus);
}

void BitsPanel::FocusedOn(int bit)
{
    m_focused = bit;
    SetTabStop(bit);
}

bool BitsPanel::MoveFocus(int fromBit, int key)
{
    int target = fromBit;
    switch (key) {
    case Qt::Key_Left: target = fromBit + 1; break;
    case Qt::Key_Right: target = fromBit - 1; break;
    case Qt::Key_Up: target = fromBit + kColumns; break;
    case Qt::Key_Down: target = fromBit - kColumns; break;
    case Qt::Key_Home: target = HighestEnabled(); break;
    case Qt::Key_End: target = 0; break;
    default: return false;
    }
    // At an edge, or onto a bit the value does not have, the focus stays.
    if (target >= 0 && target < kPanelBits && Enabled(target))
        Box(target).setFocus(Qt::TabFocusReason);
    return true;
}

}  // namespace quibo
