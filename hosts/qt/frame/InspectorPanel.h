#pragma once

#include <QTableWidget>

#include "platform/InspectorTable.h"

namespace quibo {

// The Inspector: a read-only table of the converter's value read as every
// type of its width, a row each, with the columns "Mot" and "Int" (only
// "Mot" at 8 bits). Its size is fixed, with room for the most rows (ten at
// 16 bits) and a long reading's first places; a reading too long for its
// cell ends in "…" and shows whole in its tooltip. A cell is copied whole
// with Ctrl+C or from its context menu. A screen reader reads a table with
// named rows and columns.
class InspectorPanel : public QTableWidget {
public:
    InspectorPanel(const QFont& font, QWidget* parent);

    void ShowReadings(const InspectorTable& table);
    // The whole text of the current cell onto the clipboard.
    void CopyCell();

    // Its fixed width, and the height of its rows: beside a taller form it
    // grows to the form's height.
    QSize sizeHint() const override { return minimumSize(); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowMenu(const QPoint& at);
};

}  // namespace quibo
