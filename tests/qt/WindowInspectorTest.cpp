// The Inspector on the offscreen platform: one window size for every type
// and value, the engine's readings cell for cell, a long text cut on screen
// and whole in its tooltip and on copy, the stop after the Bits panel.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>

#include "app/DataTypeCommands.h"
#include "hosts/qt/frame/FormArea.h"
#include "hosts/qt/frame/InspectorPanel.h"
#include "numtext/Readings.h"
#include "platform/CommandIds.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowInspectorTest : public QObject, WindowFixture {
    Q_OBJECT

    InspectorPanel& Table() { return *Q().Window().Area()->Inspector(); }
    void Toggle() { Q().Window().Action(ID_VIEW_INSPECTOR)->trigger(); }
    void TypeHex(const char* type, const char* hex)
    {
        Q().App().OnCmdMsg(FindDataTypeCommand(*DataTypeByName(type))->id);
        Q().Form().Field(IDC_DECIMAL_EDIT)->setFocus();
        Q().Form().Field(IDC_HEX_EDIT)->setFocus();
        Q().Form().Field(IDC_HEX_EDIT)->selectAll();
        QTest::keyClicks(Q().Form().Field(IDC_HEX_EDIT), hex);
    }

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void theWindowKeepsOneSizeAndShowsTheEnginesReadings()
    {
        const QSize without = Q().Window().size();
        QVERIFY(!Q().Window().Area()->Inspector());  // made when first shown
        Toggle();
        QVERIFY(Q().Window().Action(ID_VIEW_INSPECTOR)->isChecked());
        QVERIFY(Table().isVisible());
        const QSize with = Q().Window().size();
        QVERIFY(with.width() > without.width() + Table().width() / 2);
        QCOMPARE(Q().Window().minimumSize(), Q().Window().maximumSize());
        QFile ini(IniFile());
        QVERIFY(ini.open(QIODevice::ReadOnly) && ini.readAll().contains("Inspector=true"));

        const std::pair<const char*, const char*> values[] = {
            {"unsigned char", "7F"},        {"char", "41"},        {"short", "3C00"},
            {"unsigned short", "0001"},     {"long", "80000000"},  {"long long", "FFFFFFFFFFFFFFFF"},
            {"float", "3DCCCCCD"},          {"double", "0000000000000001"}, {"double", "7FEFFFFFFFFFFFFF"},
        };
        for (const auto& [type, hex] : values) {
            TypeHex(type, hex);
            QCOMPARE(Q().Window().size(), with);
            const int width = FindDataTypeInfo(*DataTypeByName(type))->widthBits;
            const std::vector<Reading> readings = Readings(Q().App().Document().ConverterValue(), width);
            QCOMPARE(Table().rowCount(), static_cast<int>(readings.size()));
            QCOMPARE(Table().isColumnHidden(1), width == 8);
            for (int row = 0; row < Table().rowCount(); ++row) {
                const Reading& reading = readings[static_cast<std::size_t>(row)];
                QCOMPARE(Table().verticalHeaderItem(row)->text().toStdString(), reading.name);
                QCOMPARE(Table().item(row, 0)->text().toStdString(), reading.mot);
                QCOMPARE(Table().item(row, 0)->toolTip().toStdString(), reading.mot);
                if (width > 8)
                    QCOMPARE(Table().item(row, 1)->text().toStdString(), reading.in);
            }
        }

        // The least subnormal's 1,074 places: cut in the cell, whole on copy.
        TypeHex("double", "0000000000000001");
        Table().setFocus();
        Table().setCurrentCell(5, 0);
        QVERIFY(Table().fontMetrics().horizontalAdvance(Table().item(5, 0)->text()) > Table().columnWidth(0));
        QTest::keySequence(&Table(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text().size(), 1076);

        Toggle();
        QCOMPARE(Q().Window().size(), without);
        QVERIFY(!Table().hasFocus());
    }

    void theTableIsTheStopAfterTheBitsPanel()
    {
        Toggle();
        Q().Window().Action(ID_VIEW_BITS)->trigger();  // made after the Inspector
        Q().Form().Bits().Box(0).setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &Table());
        QTest::keyClick(&Table(), Qt::Key_Backtab);
        QVERIFY(Q().Form().Bits().isAncestorOf(QApplication::focusWidget()));
    }
};

QTEST_MAIN(WindowInspectorTest)
#include "WindowInspectorTest.moc"
