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
#include "hosts/qt/frame/WrapPane.h"
#include "res/Strings.h"
#include "res/Templates.h"

namespace quibo {

namespace {

constexpr auto kLockKeys = std::to_array({ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
// What a screen reader calls each lock-key pane, whether or not it shows
// its text.
constexpr auto kLockNames = std::to_array<const char*>({"Caps Lock", "Num Lock", "Scroll Lock"});
// Pixels between a lock-key pane's frame and its text, on each side.
constexpr int kLockPadding = 2;
// The lock-key panes' indexes follow the WRAP pane's.
constexpr int kFirstLockPane = kWrapPane + 1;

}  // namespace

QtStatusBar::QtStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    // The bar is the form's: it speaks in the form's font, not the desktop's.
    setFont(TemplateFont(kForm101));
    m_messagePane = new StatusPane(this);
    m_messagePane->SetText(ToQString(LoadString(AFX_IDS_IDLEMESSAGE)));
    addWidget(m_messagePane, 1);
    m_wrapPane = new WrapPane(this);
    addPermanentWidget(m_wrapPane);
    for (std::size_t i = 0; i < kLockKeys.size(); ++i) {
        // As wide as its text and no wider; the text shows only while its
        // key is locked.
        auto* pane = new QLabel(this);
        MarkReadOut(*pane);
        pane->setAccessibleName(kLockNames[i]);  // the state is not known yet
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        const int textWidth = static_cast<int>(
            std::ceil(QFontMetricsF(font()).horizontalAdvance(ToQString(LoadString(kLockKeys[i])))));
        pane->setFixedWidth(textWidth + 2 * pane->frameWidth() + 2 * kLockPadding);
        addPermanentWidget(pane);
        m_lockPanes[i] = pane;
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
    const bool on[] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 0; i < kLockKeys.size(); ++i)
        SetLockText(i, on[i] ? ToQString(LoadString(kLockKeys[i])) : QString(), keys.has_value());
}

void QtStatusBar::SetLockText(std::size_t lock, const QString& text, bool stateKnown)
{
    QLabel& pane = *m_lockPanes[lock];
    const QString before = pane.text();
    pane.setText(text);
    // A screen reader reads the name first: it says whether the lock is on.
    // Where the lock keys cannot be read (Wayland), the name says no state.
    const QString name = stateKnown ? QString("%1 %2").arg(kLockNames[lock], text.isEmpty() ? "off" : "on")
                                    : QString(kLockNames[lock]);
    if (pane.accessibleName() != name)
        pane.setAccessibleName(name);
    AnnounceTextChange(pane, before, text);
}

bool QtStatusBar::SetPaneText(int nIndex, std::string_view text, bool)
{
    if (nIndex == 0)
        m_messagePane->SetText(ToQString(text));
    else if (nIndex == kWrapPane)
        m_wrapPane->SetWrap(text);
    else if (nIndex >= kFirstLockPane && nIndex < kFirstLockPane + static_cast<int>(m_lockPanes.size()))
        SetLockText(static_cast<std::size_t>(nIndex - kFirstLockPane), ToQString(text), true);
    else
        return false;
    return true;
}

void QtStatusBar::SetMenuOpen(bool open)
{
    m_wrapPane->setVisible(!open);
    for (QLabel* pane : m_lockPanes)
        pane->setVisible(!open);
}

std::string QtStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex == 0)
        return FromQString(m_messagePane->Text());
    if (nIndex == kWrapPane)
        return m_wrapPane->Wrap();
    if (nIndex >= kFirstLockPane && nIndex < kFirstLockPane + static_cast<int>(m_lockPanes.size()))
        return FromQString(m_lockPanes[static_cast<std::size_t>(nIndex - kFirstLockPane)]->text());
    return {};
}

}  // namespace quibo
