#include "hosts/qt/frame/WrapPane.h"

#include <cmath>

#include "calc/Wrap.h"
#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/form/Latin1Text.h"

namespace quibo {

namespace {

// Pixels between the frame and the text, on each side, as for the lock keys.
constexpr int kPadding = 2;

QString AccessibleName(const std::string& wrap)
{
    return wrap.empty() ? QStringLiteral("No wrap") : "Wrap: " + ToQString(wrap);
}

}  // namespace

WrapPane::WrapPane(QWidget* parent) : QLabel(parent)
{
    MarkReadOut(*this);
    setAccessibleName(AccessibleName(m_wrap));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    // Unlit it takes no room: the message pane needs all it can get for a
    // type's name at the form's narrow width.
    setFixedWidth(0);
}

void WrapPane::SetWrap(std::string_view wrap)
{
    if (wrap == m_wrap)
        return;
    m_wrap.assign(wrap);
    const QString before = text();
    setText(ToQString(WrapLabel(m_wrap)));
    setFixedWidth(m_wrap.empty() ? 0
                                 : static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text()))) +
                                       2 * frameWidth() + 2 * kPadding);
    setToolTip(ToQString(m_wrap));
    setAccessibleName(AccessibleName(m_wrap));
    AnnounceTextChange(*this, before, text());
}

}  // namespace quibo
