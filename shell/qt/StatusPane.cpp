#include "shell/qt/StatusPane.h"

#include <cmath>

#include "shell/qt/Accessibility.h"

namespace quibo {

QString ElideAtWord(const QString& text, const QFontMetricsF& metrics, int width)
{
    const auto fits = [&](const QString& shown) { return std::ceil(metrics.horizontalAdvance(shown)) <= width; };
    if (fits(text))
        return text;
    const QString ellipsis(u'\u2026');
    for (qsizetype end = text.lastIndexOf(u' '); end > 0; end = text.lastIndexOf(u' ', end - 1)) {
        const QString start = text.left(end);
        if (!start.endsWith(u' ') && fits(start + ellipsis))
            return start + ellipsis;
    }
    // Not even the first word fits.
    return metrics.elidedText(text, Qt::ElideRight, width);
}

StatusPane::StatusPane(QWidget* parent) : QLabel(parent)
{
    MarkReadOut(*this);
    setTextFormat(Qt::PlainText);
    // However long a text, the pane takes the room the bar gives it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(0);
}

void StatusPane::SetText(const QString& text)
{
    // A screen reader hears a new prompt whole, however little of it shows,
    // and once: a command may set the same prompt more than once.
    if (text == m_text && accessibleName() == text)
        return;
    m_text = text;
    setAccessibleName(text);
    setAccessibleDescription(text);
    ShowText();
}

void StatusPane::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    ShowText();
}

void StatusPane::ShowText()
{
    const int margin = this->margin();
    const QString shown = ElideAtWord(m_text, QFontMetricsF(font()), contentsRect().width() - 2 * margin);
    setText(shown);
    setToolTip(shown == m_text ? QString() : m_text);
}

}  // namespace quibo
