#include "hosts/qt/frame/StatusPane.h"

#include <QTimer>

#include <cmath>

#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/form/FittedFont.h"

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
    m_text = text;
    ShowText();
    // A screen reader hears the prompt the pane settles on, whole however
    // little of it shows, and once: a command sets several in turn (the idle
    // text, then a type's).
    if (m_namePending)
        return;
    m_namePending = true;
    QTimer::singleShot(0, this, [this] {
        m_namePending = false;
        if (accessibleName() == m_text)
            return;
        setAccessibleName(m_text);
        setAccessibleDescription(m_text);
    });
}

void StatusPane::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    ShowText();
}

void StatusPane::ShowText()
{
    const int room = contentsRect().width() - 2 * margin();
    const QFont base = parentWidget() ? parentWidget()->font() : font();
    const auto fitsWhole = [&](const QFontMetricsF& metrics) {
        return std::ceil(metrics.horizontalAdvance(m_text)) <= room;
    };
    // A text a little too wide ("Unsigned Long Long Data Type") shows whole
    // in a slightly smaller size; a longer prompt ends at a word, and no
    // smaller size is tried for it.
    QFont shownFont = base;
    if (const qreal advance = QFontMetricsF(base).horizontalAdvance(m_text);
        advance > room && advance * kSmallestScale <= room) {
        const QFont fitted = FittedFont(base, fitsWhole);
        const auto size = [](const QFont& font) { return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize(); };
        if (fitsWhole(QFontMetricsF(fitted)) && size(fitted) >= size(base) * kSmallestScale)
            shownFont = fitted;
    }
    if (shownFont == base) {
        if (testAttribute(Qt::WA_SetFont))
            setFont(QFont());  // the bar's again
    } else if (shownFont != font()) {
        setFont(shownFont);
    }
    const QString shown = ElideAtWord(m_text, QFontMetricsF(shownFont), room);
    setText(shown);
    setToolTip(shown == m_text ? QString() : m_text);
}

}  // namespace quibo
