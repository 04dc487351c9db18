// The keypad from the keyboard, and copying results, on the offscreen
// platform: a typed key runs what a click runs and leaves the focus alone.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/DataTypeCommands.h"
#include "replay/ReadState.h"
#include "replay/StateLine.h"
#include "platform/CommandIds.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/QtQuibo.h"
#include "res/KeyboardKeys.h"

using namespace quibo;

namespace {

// One press: the character typed (with the keypad's modifier, if from
// there), and the keypad key a click presses for it.
struct Press {
    char character;
    ControlId key;
    bool keypad = false;
};

// Every keyboard key at least once, in an order that computes something
// with each operator.
std::vector<Press> EveryKey()
{
    std::vector<Press> presses;
    const auto add = [&](const char* characters, bool keypad = false) {
        for (const char* c = characters; *c; ++c)
            presses.push_back({*c, *KeypadKeyForCharacter(static_cast<unsigned char>(*c)), keypad});
    };
    add("12+3=*4=-5=/2=%7=~^f=&a=|3=<4=>2=");
    add("12+5\r");
    add("bcde06789=");
    add("ABCDEF=");
    add("\x1b");
    add("9*8-7+6/2=", true);
    add("7*6-2/4\r", true);
    add("0123456789", true);
    return presses;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QtQuibo> m_quibo;
    QTimer m_answer;

    QtQuibo& Q() { return *m_quibo; }

    // The state as a script's line prints it.
    std::string State()
    {
        QtForm& form = Q().Form();
        FormState state =
            ReadState(form, [this](int id) { return Q().App().MenuCheck(id); }, Q().Window());
        for (const auto& [caption, text] : form.Messages())
            state.messages.push_back({caption, text});
        form.ClearMessages();
        std::string line;
        AppendStateLine(line, state);
        return line;
    }

    // A closed box gives the window back its activation, and with it the
    // keyboard focus, through the event loop: wait for that.
    void Settle()
    {
        QApplication::processEvents();
        if (!Q().Window().isActiveWindow()) {
            Q().Window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&Q().Window()));
        }
    }

    // Types a character on whatever has the focus, as the keyboard does.
    void Type(const Press& press)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Q().Window();
        if (press.character == '\x1b') {
            QTest::keyClick(target, Qt::Key_Escape);
            return;
        }
        if (press.character == '\r') {
            QTest::keyClick(target, press.keypad ? Qt::Key_Enter : Qt::Key_Return,
                            press.keypad ? Qt::KeypadModifier : Qt::NoModifier);
            return;
        }
        const Qt::KeyboardModifiers modifiers = press.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, press.character, modifiers);
    }

private slots:
    void initTestCase()
    {
        // Every message box is answered, as a user presses Enter.
        connect(&m_answer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Enter);
        });
        m_answer.start(0);
    }

    void init()
    {
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        Q().Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Q().Window()));
    }

    void cleanup() { m_quibo.reset(); }

    void typedKeysDoWhatClickedKeysDo_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("keyFocused");
        QTest::newRow("unsigned long, nothing focused") << int(DataType::UnsignedLong) << false;
        QTest::newRow("char, nothing focused") << int(DataType::Char) << false;
        // Real types refuse digits and most operators with a message box,
        // which gives the focus back to the key when it closes.
        QTest::newRow("float, a key focused") << int(DataType::Float) << true;
        QTest::newRow("double, a key focused") << int(DataType::Double) << true;
    }

    void typedKeysDoWhatClickedKeysDo()
    {
        QFETCH(int, type);
        QFETCH(bool, keyFocused);
        const int command = FindDataTypeCommand(DataType(type))->id;
        const std::vector<Press> presses = EveryKey();

        // Clicked first, on a window of its own.
        std::vector<std::string> clicked;
        Q().Window().RunCommand(command);
        for (const Press& press : presses) {
            QTest::mouseClick(Q().Form().Control(press.key), Qt::LeftButton);
            Settle();
            clicked.push_back(State());
        }

        // The real types' refusals are among them.
        const bool refused = std::any_of(clicked.begin(), clicked.end(),
                                         [](const std::string& line) { return line.find("ERROR") != std::string::npos; });
        QCOMPARE(refused, IsReal(DataType(type)));

        init();
        Q().Window().RunCommand(command);
        // Qt gives an activated window's first key the focus.
        QWidget* focused = keyFocused ? Q().Form().Control(IDC_KEY_BYTE_ORDER) : nullptr;
        if (focused)
            focused->setFocus(Qt::TabFocusReason);
        else if (QApplication::focusWidget())
            QApplication::focusWidget()->clearFocus();
        State();
        for (std::size_t i = 0; i < presses.size(); ++i) {
            Type(presses[i]);
            Settle();
            QCOMPARE(QString::fromStdString(State()), QString::fromStdString(clicked[i]));
            QCOMPARE(QApplication::focusWidget(), focused);
        }
    }

    void eachCharacterPressesTheKeyItsCaptionSays()
    {
        // Against the captions, not the table the keys come from.
        for (const char character : std::string("0123456789abcdefABCDEF+-*/%~^&|<>=")) {
            QTest::keyClick(&Q().Window(), character);
            QStringList pressed;
            for (QAbstractButton* key : Q().Form().findChildren<QAbstractButton*>()) {
                if (key->isDown())
                    pressed << key->text().replace("&&", "&");
            }
            const QString expected = character == '<'   ? QString("<<")
                                     : character == '>' ? QString(">>")
                                                        : QString(QChar(character)).toUpper();
            QCOMPARE(pressed, QStringList(expected));
            for (QAbstractButton* key : Q().Form().findChildren<QAbstractButton*>())
                key->setDown(false);
        }
    }

    void aTypedKeyShowsItselfPressed()
    {
        auto* five = qobject_cast<QAbstractButton*>(Q().Form().Control(IDC_KEY_5));
        QTest::keyClick(&Q().Window(), '5');
        QVERIFY(five->isDown());
        QTRY_VERIFY(!five->isDown());
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("5"));
    }

    void fieldsAndShortcutsKeepTheirKeys()
    {
        QtForm& form = Q().Form();
        QTest::keyClicks(&Q().Window(), "12");
        // With a field focused, typing goes to the field and Escape clears
        // nothing.
        FieldEdit* decimal = form.Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(decimal, Qt::LeftButton);
        QTest::keyClick(decimal, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(decimal, Qt::Key_Delete);
        QTest::keyClicks(decimal, "7+");
        QTest::keyClick(decimal, Qt::Key_Escape);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("7+"));
        QCOMPARE(form.GetDlgItemText(IDC_DISPLAY), std::string("12"));
        QCOMPARE(QApplication::focusWidget(), decimal);

        // Ctrl+A and Alt+3 are no digits; Space presses the focused key,
        // Enter presses "=" whatever key has the focus.
        QWidget* nine = form.Control(IDC_KEY_9);
        QTest::mouseClick(form.Control(IDC_KEY_CLEAR), Qt::LeftButton);
        QTest::mouseClick(nine, Qt::LeftButton);
        QTest::keyClick(nine, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(nine, Qt::Key_3, Qt::AltModifier);
        QTest::keyClick(nine, Qt::Key_Space);
        QTest::keyClick(nine, Qt::Key_Plus);
        QTest::keyClick(nine, Qt::Key_1);
        QTest::keyClick(nine, Qt::Key_Return);
        QCOMPARE(ToQString(form.GetDlgItemText(IDC_DISPLAY)), QString("9A"));  // 0x99 + 1
        QCOMPARE(qobject_cast<QAbstractButton*>(form.Control(IDC_KEY_CLEAR))->toolTip(), QString("Clear [Esc]"));
        QCOMPARE(qobject_cast<QAbstractButton*>(form.Control(IDC_KEY_EQUALS))->toolTip(),
                 QString("Equals [= or Enter]"));
    }

    void copyGivesTheDisplayAndBinaryReadyToPaste()
    {
        QtForm& form = Q().Form();
        QGuiApplication::clipboard()->setText("kept");
        Q().Window().RunCommand(ID_EDIT_COPY);  // nothing shown yet
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));

        QTest::keyClicks(&Q().Window(), "a5");
        // Ctrl+C with no field focused copies the display.
        QTest::keyClick(&Q().Window(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("A5"));

        // BINARY's context menu copies the digits alone.
        QString menuItems;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                menuItems += action->text();
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        // A menu nobody answered still closes, and the checks below fail.
        QTimer::singleShot(5000, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        QLabel* binary = qobject_cast<QLabel*>(form.Control(IDC_BINARY));
        emit binary->customContextMenuRequested(binary->rect().center());
        QCOMPARE(menuItems, QString("&CopyCopy as C&ode"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("00000000000000000000000010100101"));

        // From the keyboard: the Menu key and Shift+F10 open a menu that
        // copies either, with a key or nothing focused.
        const auto choose = [](int item) {
            QTimer::singleShot(0, [item] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    QTest::keyClick(menu, Qt::Key_Down);  // the first item
                    for (int i = 0; i < item; ++i)
                        QTest::keyClick(menu, Qt::Key_Down);
                    QTest::keyClick(menu, Qt::Key_Return);
                }
            });
        };
        choose(1);
        QTest::keyClick(&Q().Window(), Qt::Key_Menu);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("00000000000000000000000010100101"));
        Settle();
        form.Control(IDC_KEY_7)->setFocus(Qt::TabFocusReason);
        choose(0);
        QTest::keyClick(form.Control(IDC_KEY_7), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("A5"));
        Settle();
        QCOMPARE(QApplication::focusWidget(), form.Control(IDC_KEY_7));
    }

    void copyAsCodeGivesTheValueAsCodeWritesIt()
    {
        // The display's value at the type, and the converter's (BINARY's
        // and the Menu key's): here 0 - 6 as a char, and then -2.5 typed
        // into DECIMAL as a float. Each menu's item is chosen by its key.
        QtForm& form = Q().Form();
        Q().Window().RunCommand(ID_TYPE_CHAR);
        QTest::keyClicks(&Q().Window(), "0-6=");
        QStringList shared;
        const auto chooseFrom = [&](const std::function<void()>& open) {
            QTimer::singleShot(0, [&shared] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    shared << SharedKeys(*menu);
                    QTest::keyClick(menu, Qt::Key_O);
                    // A key two items share only highlights one.
                    if (menu->isVisible())
                        menu->close();
                }
            });
            open();
            Settle();
            return QGuiApplication::clipboard()->text();
        };
        const auto contextMenu = [&](ControlId id) {
            return [&form, id] {
                QLabel* label = qobject_cast<QLabel*>(form.Control(id));
                emit label->customContextMenuRequested(label->rect().center());
            };
        };
        QCOMPARE(chooseFrom(contextMenu(IDC_DISPLAY)), QString("-6"));
        Q().Window().RunCommand(ID_TYPE_FLOAT);
        form.Field(IDC_DECIMAL_EDIT)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(form.Field(IDC_DECIMAL_EDIT), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.Field(IDC_DECIMAL_EDIT), "-2.5");
        QCOMPARE(chooseFrom(contextMenu(IDC_BINARY)), QString("-2.5f"));
        form.Control(IDC_KEY_7)->setFocus(Qt::TabFocusReason);
        QGuiApplication::clipboard()->setText("none");
        QCOMPARE(chooseFrom([&] { QTest::keyClick(form.Control(IDC_KEY_7), Qt::Key_Menu); }), QString("-2.5f"));

        // Every item of every menu has a key of its own.
        for (QMenu* menu : Q().Window().findChildren<QMenu*>())
            shared << SharedKeys(*menu);
        shared.removeAll(QString());
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join("; ")));
    }

private:
    // The items of menu whose key another item has too.
    static QString SharedKeys(const QMenu& menu)
    {
        QStringList items;
        QString keys;
        for (const QAction* action : menu.actions()) {
            const QString text = QString(action->text()).remove("&&");
            const qsizetype at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size())
                continue;
            if (const QChar key = text.at(at + 1).toLower(); keys.contains(key))
                items << text;
            else
                keys += key;
        }
        return items.join(", ");
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
