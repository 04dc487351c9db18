#include "hosts/qt/form/FittedFont.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

namespace quibo {

QFont FittedFont(const QFont& base, const std::function<bool(const QFontMetricsF&)>& fits)
{
    if (fits(QFontMetricsF(base)))
        return base;
    // In quarter points, or in pixels for a font sized in pixels.
    const bool points = base.pointSizeF() > 0;
    const qreal full = points ? base.pointSizeF() : base.pixelSize();
    const qreal step = points ? 0.25 : 1;
    const qreal floor = full * 3 / 5;
    QFont font = base;
    const auto resize = [&](qreal size) {
        if (points)
            font.setPointSizeF(size);
        else
            font.setPixelSize(std::max(1, static_cast<int>(size)));
    };
    for (qreal size = full - step; size >= floor; size -= step) {
        resize(size);
        if (fits(QFontMetricsF(font)))
            return font;
    }
    resize(floor);
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
