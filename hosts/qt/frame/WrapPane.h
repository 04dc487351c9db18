#pragma once

#include <QLabel>

#include <string>
#include <string_view>

namespace quibo {

// The status bar's WRAP pane: "WRAP", "DIV0" or "SHIFT" while the
// converter's last value was cut to its type, and no wider than that text;
// empty and of no width otherwise. The whole text is its tooltip; a screen
// reader hears "Wrap: " and the text, or "No wrap", once for each change.
class WrapPane : public QLabel {
public:
    explicit WrapPane(QWidget* parent);

    void SetWrap(std::string_view wrap);
    const std::string& Wrap() const { return m_wrap; }

private:
    std::string m_wrap;
};

}  // namespace quibo
