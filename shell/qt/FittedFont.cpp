#include "shell/qt/FittedFont.h"

#include <QLabel>

#include <cmath>

namespace quibo {

QFont FittedFont(const QFont& base, const std::function<bool(const QFontMetricsF&)>& fits)
{
    if (fits(QFontMetricsF(base)))
        return base;
    constexpr qreal kStep = 0.25;
    const qreal floor = base.pointSizeF() * 3 / 5;
    QFont font = base;
    for (qreal size = base.pointSizeF() - kStep; size >= floor; size -= kStep) {
        font.setPointSizeF(size);
        if (fits(QFontMetricsF(font)))
            return font;
    }
    font.setPointSizeF(floor);
    return font;
}

void FitLabelFont(QLabel& label)
{
    const QFont base = label.parentWidget() ? label.parentWidget()->font() : label.font();
    const int margin = label.margin();
    const QRect room = label.contentsRect().marginsRemoved(QMargins(margin, margin, margin, margin));
    const QStringList lines = label.text().split(u'\n');
    const QFont fitted = FittedFont(base, [&](const QFontMetricsF& metrics) {
        for (const QString& line : lines) {
            if (std::ceil(metrics.horizontalAdvance(line)) > room.width())
                return false;
        }
        return std::ceil(metrics.height() + (lines.size() - 1) * metrics.lineSpacing()) <= room.height();
    });
    if (fitted == base) {
        if (label.testAttribute(Qt::WA_SetFont))
            label.setFont(QFont());  // the parent's again
    } else if (fitted != label.font()) {
        label.setFont(fitted);
    }
}

}  // namespace quibo
