#include "hosts/qt/frame/InspectorPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace quibo {

namespace {

constexpr int kMostRows = 10;  // at 16 bits: two integers, half and bfloat16 with three rows each

}  // namespace

InspectorPanel::InspectorPanel(const QFont& font, QWidget* parent) : QTableWidget(0, 2, parent)
{
    setFont(font);
    setAccessibleName(QStringLiteral("Inspector"));
    setHorizontalHeaderLabels({QStringLiteral("Mot"), QStringLiteral("Int")});
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);  // Tab leaves the table, as from any control
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &InspectorPanel::ShowMenu);

    // One size for every type and value: the longest row name, two cells
    // as wide as a double's longest shortest text, ten rows.
    const QFontMetrics metrics(font);
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int names = 0;
    for (const char* longest : {"unsigned long long", "bfloat16 exact", "bfloat16 class"})
        names = std::max(names, metrics.horizontalAdvance(QLatin1String(longest)));
    verticalHeader()->setFixedWidth(names + padding);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int cell = metrics.horizontalAdvance(QStringLiteral("-1.7976931348623157e+308")) + padding;
    setColumnWidth(0, cell);
    setColumnWidth(1, cell);
    const int rowHeight = metrics.height() + metrics.height() / 2;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    const int frame = 2 * frameWidth();
    horizontalHeader()->setFixedHeight(rowHeight);
    setFixedWidth(frame + verticalHeader()->width() + 2 * cell);
    setMinimumHeight(frame + rowHeight * (kMostRows + 1));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void InspectorPanel::ShowReadings(const InspectorTable& table)
{
    const int rows = static_cast<int>(table.rows.size());
    setRowCount(rows);
    QStringList names;
    for (int row = 0; row < rows; ++row) {
        const InspectorRow& reading = table.rows[static_cast<std::size_t>(row)];
        names << QString::fromUtf8(reading.name);
        const std::string* texts[] = {&reading.mot, &reading.in};
        for (int column = 0; column < 2; ++column) {
            const QString text = QString::fromUtf8(*texts[column]);
            QTableWidgetItem* cell = item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(row, column, cell);
            }
            cell->setText(text);
            cell->setToolTip(text);
        }
    }
    setVerticalHeaderLabels(names);
    setColumnHidden(1, !table.HasIntColumn());
}

void InspectorPanel::CopyCell()
{
    if (const QTableWidgetItem* cell = currentItem())
        QApplication::clipboard()->setText(cell->text());
}

bool InspectorPanel::event(QEvent* event)
{
    // Ctrl+C copies the cell, not the display as the window's accelerator does.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QTableWidget::event(event);
}

void InspectorPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyCell();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void InspectorPanel::ShowMenu(const QPoint& at)
{
    QTableWidgetItem* cell = itemAt(at);
    if (!cell)
        return;
    setCurrentItem(cell);
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this, &InspectorPanel::CopyCell);
    menu.exec(viewport()->mapToGlobal(at));
}

}  // namespace quibo
