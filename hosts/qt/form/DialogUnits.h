#pragma once

#include <QFont>
#include <QRect>

#include "res/Templates.h"

namespace quibo {

// Dialog units of a font, as Windows computes them: a horizontal unit is a
// quarter of the average width of A-Z and a-z, a vertical unit an eighth of
// the font's height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }
    QRect Rect(const DialogRect& rect) const { return {X(rect.x), Y(rect.y), X(rect.cx), Y(rect.cy)}; }

private:
    int m_baseX;
    int m_baseY;
};

// A template's font, or its stand-in where the desktop lacks it: "MS Sans
// Serif" is the desktop's sans-serif, at the template's size.
QFont TemplateFont(const DialogTemplate& dialog);

}  // namespace quibo
