#include "shell/qt/DialogUnits.h"

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
    QFont font(family == QLatin1String("MS Sans Serif") ? QStringLiteral("Sans Serif") : family,
               dialog.fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace quibo
