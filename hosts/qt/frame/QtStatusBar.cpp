#include "hosts/qt/frame/QtStatusBar.h"

#include <QLabel>

#include <cmath>

#include "platform/CommandIds.h"
#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/form/DialogUnits.h"
#include "hosts/qt/frame/FirstFrame.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/frame/LockKeys.h"
#include "hosts/qt/frame/StatusPane.h"
#include "res/Strings.h"
#include "res/Templates.h"

namespace quibo {

namespace {

constexpr auto kIndicators = std::to_array({ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
// What a screen reader calls each pane, whether or not it shows its text.
constexpr auto kIndicatorNames = std::to_array<const char*>({"", "Caps Lock", "Num Lock", "Scroll Lock"});
// Pixels between an indicator's frame and its text, on each side.
constexpr int kIndicatorPadding = 2;

}  // namespace

QtStatusBar::QtStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    // The bar is the form's: it speaks in the form's font, not the desktop's.
    setFont(TemplateFont(kForm101));
    m_messagePane = new StatusPane(this);
    m_messagePane->SetText(ToQString(LoadString(AFX_IDS_IDLEMESSAGE)));
    addWidget(m_messagePane, 1);
    m_panes[0] = m_messagePane;
    for (std::size_t i = 1; i < kIndicators.size(); ++i) {
        // As wide as its text and no wider; the text shows only while its
        // key is locked.
        auto* pane = new QLabel(this);
        MarkReadOut(*pane);
        pane->setAccessibleName(kIndicatorNames[i]);  // the state is not known yet
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        const int textWidth = static_cast<int>(
            std::ceil(QFontMetricsF(font()).horizontalAdvance(ToQString(LoadString(kIndicators[i])))));
        pane->setFixedWidth(textWidth + 2 * pane->frameWidth() + 2 * kIndicatorPadding);
        addPermanentWidget(pane);
        m_panes[i] = pane;
    }
}

void QtStatusBar::showEvent(QShowEvent* event)
{
    QStatusBar::showEvent(event);
    if (m_lockKeysWatched)
        return;
    // The lock keys are read once the window's first frame is on the
    // screen: asking the X server costs round trips.
    m_lockKeysWatched = true;
    AfterFirstFrame(*window(), [this] {
        new LockKeyWatcher([this] { ShowLockKeys(); }, this);
        ShowLockKeys();
    });
}

void QtStatusBar::ShowLockKeys()
{
    const std::optional<LockKeys> keys = ReadLockKeys();
    const bool on[] = {false, keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 1; i < kIndicators.size(); ++i)
        SetIndicatorText(i, on[i] ? ToQString(LoadString(kIndicators[i])) : QString(), keys.has_value());
}

void QtStatusBar::SetIndicatorText(std::size_t index, const QString& text, bool stateKnown)
{
    QLabel& pane = *m_panes[index];
    const QString before = pane.text();
    pane.setText(text);
    // A screen reader reads the name first: it says whether the lock is on.
    // Where the lock keys cannot be read (Wayland), the name says no state.
    const QString name = stateKnown ? QString("%1 %2").arg(kIndicatorNames[index], text.isEmpty() ? "off" : "on")
                                    : QString(kIndicatorNames[index]);
    if (pane.accessibleName() != name)
        pane.setAccessibleName(name);
    AnnounceTextChange(pane, before, text);
}

bool QtStatusBar::SetPaneText(int nIndex, std::string_view text, bool)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return false;
    if (nIndex == 0)
        m_messagePane->SetText(ToQString(text));
    else
        SetIndicatorText(static_cast<std::size_t>(nIndex), ToQString(text), true);
    return true;
}

void QtStatusBar::SetMenuOpen(bool open)
{
    for (std::size_t i = 1; i < m_panes.size(); ++i)
        m_panes[i]->setVisible(!open);
}

std::string QtStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
        return {};
    if (nIndex == 0)
        return FromQString(m_messagePane->Text());
    return FromQString(m_panes[static_cast<std::size_t>(nIndex)]->text());
}

}  // namespace quibo
