// The Bits panel on the offscreen platform: the window it grows, the setting
// that keeps it, flips by mouse and keyboard, and what a screen reader hears.
#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QStatusBar>

#include <sys/stat.h>

#include "platform/CommandIds.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowBitsTest : public QObject, WindowFixture {
    Q_OBJECT

    BitBox& Bit(int bit) { return Q().Form().Bits().Box(bit); }
    QString Hex() { return QString::fromStdString(Q().Form().GetDlgItemText(IDC_HEX_EDIT)); }
    void ToggleBits() { Q().Window().Action(ID_VIEW_BITS)->trigger(); }
    QByteArray Ini()
    {
        QFile file(IniFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Fixed() { return Q().Window().minimumSize() == Q().Window().maximumSize(); }

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void thePanelGrowsTheFixedWindowAndIsKept()
    {
        QVERIFY(!Q().Form().Bits().isVisible());
        const QSize without = Q().Window().size();
        const int formHeight = Q().Form().height();
        QVERIFY(Fixed());
        ToggleBits();
        QVERIFY(Q().Form().Bits().isVisible());
        QVERIFY(Q().Window().Action(ID_VIEW_BITS)->isChecked());
        // The form grows by the panel and the window by what the form grew.
        QVERIFY(Q().Form().height() >= formHeight + Q().Form().Bits().height());
        QCOMPARE(Q().Window().size(), without + QSize(0, Q().Form().height() - formHeight));
        QVERIFY(Fixed());
        QVERIFY(Ini().contains("[View]\nBits=true"));

        // A hidden status bar and a removed border change the window as
        // they do without the panel.
        const int shown = Q().Window().height();
        Q().Window().Action(ID_VIEW_STATUS_BAR)->trigger();
        QCOMPARE(Q().Window().height(), shown - Q().Window().statusBar()->height());
        QVERIFY(Fixed());
        Q().Window().Action(ID_VIEW_STATUS_BAR)->trigger();
        Q().Window().Action(ID_VIEW_REMOVE_BORDER)->trigger();
        QVERIFY(Fixed());
        QVERIFY(Q().Form().Bits().isVisible());
        Q().Window().Action(ID_VIEW_REMOVE_BORDER)->trigger();

        // Restored at start; hidden again, the window is as it was.
        m_quibo.reset();
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Q().Window()));
        QVERIFY(Q().Form().Bits().isVisible());
        QCOMPARE(Q().Window().height(), shown);
        ToggleBits();
        QCOMPARE(Q().Window().size(), without);
        QVERIFY(Fixed());
        QVERIFY(Ini().contains("[View]\nBits=false"));
    }

    void aSettingsFileThatIsNotAFileIsNeitherReadNorWritten_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"fifo", "link to a device"})
            QTest::newRow(kind) << QString(kind);
    }

    void aSettingsFileThatIsNotAFileIsNeitherReadNorWritten()
    {
        QFETCH(QString, kind);
        m_quibo.reset();
        const std::string ini = IniFile().toStdString();
        std::filesystem::remove(ini);
        if (kind == "fifo")
            QVERIFY(mkfifo(ini.c_str(), 0600) == 0);
        else
            std::filesystem::create_symlink("/dev/zero", ini);
        // Start-up does not wait on it; the toggle and the exit leave it.
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        QVERIFY(!Q().Window().IsBitsPanelVisible());
        ToggleBits();
        QVERIFY(Q().Window().IsBitsPanelVisible());
        Q().Exit([](int) { return true; });
        const auto status = std::filesystem::symlink_status(ini);
        QCOMPARE(status.type(), kind == "fifo" ? std::filesystem::file_type::fifo : std::filesystem::file_type::symlink);
        std::filesystem::remove(ini);
    }

    void aClickOrSpaceFlipsTheBitThatTakesTheFocus()
    {
        ToggleBits();
        Click(IDC_HEX_EDIT);
        QTest::keyClicks(Q().Form().Field(IDC_HEX_EDIT), "F0");
        QVERIFY(Bit(7).isChecked() && !Bit(3).isChecked());
        // The field loses the focus to the bit: its text is the program's.
        QTest::mouseClick(&Bit(0), Qt::LeftButton);
        QCOMPARE(Hex(), QString("000000F1"));
        QCOMPARE(Q().Form().GetFocus(), std::optional<ControlId>(BitControl(0)));
        QVERIFY(!Q().Form().FocusedField());
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string());

        // Arrows, Home and End move among the enabled bits; Space flips.
        const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Left, 1},  {Qt::Key_Up, 17},  {Qt::Key_Up, 17},
                                                  {Qt::Key_Down, 1}, {Qt::Key_Home, 31}, {Qt::Key_Left, 31},
                                                  {Qt::Key_End, 0},  {Qt::Key_Right, 0}};
        for (const auto& [key, bit] : moves) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), &Bit(bit));
        }
        QTest::keyClick(&Bit(0), Qt::Key_Space);
        QCOMPARE(Hex(), QString("000000F0"));
        // A digit still presses the keypad key, and the focus stays.
        QTest::keyClick(&Bit(0), Qt::Key_5);
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("5"));
        QCOMPARE(QApplication::focusWidget(), &Bit(0));

        // One stop in the tab order, after the form's last control: Tab
        // leaves the panel, Shift+Tab comes back to the bit it left.
        QTest::keyClick(&Bit(0), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Q().Form().Control(IDC_KEY_D));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), &Bit(0));
        QTest::keyClick(&Bit(0), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Q().Form().Control(IDC_KEY_MODULUS));

        // A narrower type takes the focus off a bit it no longer has.
        Bit(20).setFocus(Qt::MouseFocusReason);
        Q().Window().Action(ID_TYPE_UNSIGNED_CHAR)->trigger();
        QCOMPARE(QApplication::focusWidget(), &Bit(7));
        QVERIFY(!Bit(8).isEnabled());
        // Hidden, the panel lets the focus go to nothing, not to a field.
        ToggleBits();
        QCOMPARE(Q().Form().GetFocus(), std::nullopt);
    }

    void aScreenReaderHearsEachBitAsACheckBox()
    {
        ToggleBits();
        Q().Window().Action(ID_TYPE_FLOAT)->trigger();
        Click(IDC_DECIMAL_EDIT);
        QTest::keyClicks(Q().Form().Field(IDC_DECIMAL_EDIT), "-2");  // C0000000
        for (int bit = 0; bit < kPanelBits; ++bit) {
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&Bit(bit));
            QCOMPARE(node->role(), QAccessible::CheckBox);
            QCOMPARE(node->text(QAccessible::Name), QString("Bit %1").arg(bit));
            QCOMPARE(bool(node->state().checked), bit == 31 || bit == 30);
            QCOMPARE(bool(node->state().disabled), bit >= 32);
            const char* field = bit >= 32 ? "" : bit == 31 ? "sign" : bit >= 23 ? "exponent" : "fraction";
            QCOMPARE(node->text(QAccessible::Description), QString(field));
        }
        // Its toggle action flips the bit, as a click does.
        QAccessibleInterface* sign = QAccessible::queryAccessibleInterface(&Bit(31));
        sign->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(Hex(), QString("40000000"));
        QCOMPARE(QString::fromStdString(Q().Form().GetDlgItemText(IDC_DECIMAL_EDIT)), QString("2"));
        QVERIFY(Bit(31).hasFocus());
    }

    void aToggleWhileAnotherWindowIsActiveTakesTheFocusFromTheField()
    {
        // Under Int a field that still thought it had the focus would read
        // the swapped HEX the flip writes as the value.
        ToggleBits();
        Click(IDC_KEY_BYTE_ORDER);
        Click(IDC_HEX_EDIT);
        QTest::keyClicks(Q().Form().Field(IDC_HEX_EDIT), "12");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QAccessible::queryAccessibleInterface(&Bit(0))->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QCOMPARE(Hex(), QString("13000000"));
        QCOMPARE(QString::fromStdString(Q().Form().GetDlgItemText(IDC_DECIMAL_EDIT)), QString("19"));
        QVERIFY(!Q().App().View().m_bHexFocus);
    }

    void theKeyboardFindsTheKeypadAgainAfterThePanelHides()
    {
        // Each step as a keyboard user makes it: a key goes where the focus
        // is, or to the window while nothing has it.
        const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &Q().Window(), key, modifiers);
        };
        const auto menu = [&](Qt::Key title, const std::vector<Qt::Key>& items) {
            press(title, Qt::AltModifier);
            for (Qt::Key item : items) {
                QTRY_VERIFY(QApplication::activePopupWidget());
                QTest::keyClick(QApplication::activePopupWidget(), item);
            }
            QTRY_VERIFY(!QApplication::activePopupWidget());
        };
        const auto display = [this] { return Q().Form().GetDlgItemText(IDC_DISPLAY); };
        for (const auto& [title, items] : std::vector<std::pair<Qt::Key, std::vector<Qt::Key>>>{
                 {Qt::Key_V, {Qt::Key_B}}, {Qt::Key_D, {Qt::Key_I, Qt::Key_U}}}) {
            m_quibo.reset();
            QVERIFY(StartWindow());
            menu(Qt::Key_V, {Qt::Key_B});
            press(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), &Bit(31));
            menu(Qt::Key_V, {Qt::Key_B});
            press(Qt::Key_6);
            QCOMPARE(display(), std::string("6"));
            menu(title, items);
            press(Qt::Key_7);
            QCOMPARE(display(), std::string("67"));
        }

        // Widened, the panel is entered at its highest bit, as when it is
        // first shown under the wider type.
        m_quibo.reset();
        QVERIFY(StartWindow());
        ToggleBits();
        Q().Window().Action(ID_TYPE_DOUBLE)->trigger();
        Q().Form().Control(IDC_KEY_D)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), &Bit(63));
    }
};

QTEST_MAIN(WindowBitsTest)
#include "WindowBitsTest.moc"
