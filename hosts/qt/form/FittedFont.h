#pragma once

#include <QFont>
#include <QFontMetricsF>

#include <functional>

class QLabel;

namespace quibo {

// A text the program shows must be seen whole, in a control whose size the
// template fixes: a text too wide for the control's font is shown in a
// smaller size of it. The largest size from base's own down to three
// fifths of it at which fits holds; the smallest when none does (the text
// then scrolls or is cut, as it would have).
QFont FittedFont(const QFont& base, const std::function<bool(const QFontMetricsF&)>& fits);

// Fits a label's font to its text: every line as wide as its contents and
// all lines as high. The base is the font the label inherits.
void FitLabelFont(QLabel& label);

}  // namespace quibo
