#pragma once

#include <QLabel>

namespace quibo {

// The status bar's message pane. A text a little wider than the pane shows
// whole in a size of the bar's font down to kSmallestScale of it; a text
// wider still ends after its last whole word that fits, with "…"; the whole
// text is the pane's tooltip,
// its accessible name and description (once the event that set it is done),
// and is what Text() answers. Its accessible text is what it shows.
class StatusPane : public QLabel {
public:
    explicit StatusPane(QWidget* parent);

    static constexpr double kSmallestScale = 0.85;

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowText();

    QString m_text;
    bool m_namePending = false;
};

// text, or its start up to a whole word followed by "…", as wide as width
// at most in metrics.
QString ElideAtWord(const QString& text, const QFontMetricsF& metrics, int width);

}  // namespace quibo
