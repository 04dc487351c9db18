#include "hosts/qt/form/DialogUnits.h"

#include <QFontMetrics>

namespace quibo {

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (width / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QFont TemplateFont(const DialogTemplate& dialog)
{
    const QString family = QString::fromLatin1(dialog.fontName);
    // "Sans Serif" is the desktop's sans-serif already; a style hint would
    // only make Qt look up the family's fallbacks a second time at
    // start-up, with the same result.
    return QFont(family == QLatin1String("MS Sans Serif") ? QStringLiteral("Sans Serif") : family,
                 dialog.fontPointSize);
}

}  // namespace quibo
