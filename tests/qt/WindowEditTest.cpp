// Editing HEX and DECIMAL in the window: one place per character, the
// length limit over pastes and selections, undo, edits that are not typing,
// the clipboard keys, and pastes and drops of numbers as code writes them.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

#include "platform/CommandIds.h"
#include "hosts/qt/form/Latin1Text.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowEditTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void aCharacterBeyondLatin1IsOnePlace()
    {
        // The caret stays where it was among the places.
        qsizetype caret = 4;  // after "a", the emoji's two halves and "b"
        QCOMPARE(InLatin1Places(QString::fromUtf8("a\xF0\x9F\x98\x80" "b\xE2\x82\xAC"), &caret),
                 QString("a?b?"));
        QCOMPARE(caret, qsizetype(3));
        caret = 1;
        QCOMPARE(InLatin1Places(QString::fromUtf8("a\xF0\x9F\x98\x80"), &caret), QString("a?"));
        QCOMPARE(caret, qsizetype(1));
        // A lone half is one place too.
        QCOMPARE(InLatin1Places(QString(QChar(0xD83D)) + "1"), QString("?1"));

        // A key that types an emoji types one place, and into a full field
        // over a selection it is refused as any typed character.
        FieldEdit* field = Q().Form().Field(IDC_HEX_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::sendKeyEvent(QTest::KeyAction::Click, field, Qt::Key_unknown, emoji, Qt::NoModifier);
        QCOMPARE(field->text(), QString("?"));
        field->SetProgramText("123456789");
        field->SetLimit(8);
        field->setSelection(0, 1);
        QTest::sendKeyEvent(QTest::KeyAction::Click, field, Qt::Key_unknown, emoji, Qt::NoModifier);
        QCOMPARE(field->text(), QString("123456789"));

        // A paste is an undo step of its own, converted or not.
        field->SetLimit(32);
        field->SetProgramText("");
        for (const QString& pasted : {QString("34"), emoji + "4"}) {
            field->clear();
            QTest::keyClicks(field, "12");
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(field->text(), "12" + InLatin1Places(pasted));
            QTest::keyClicks(field, "5");
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(field->text(), "12" + InLatin1Places(pasted));
            QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(field->text(), QString("12"));
        }
    }

    void editsKeepWhatTheLimitAllows_data()
    {
        // The field holds text (maybe more than limit), the selection is
        // [start, start + length), then the user types or pastes input.
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("paste over all, longer") << "123456789" << 8 << 0 << 9 << "FFFFFFFFF" << false << "FFFFFFFF";
        QTest::newRow("paste over all, starts the same") << "123456789" << 8 << 0 << 9 << "1234567890" << false << "12345678";
        QTest::newRow("paste over all, as long") << "A00" << 2 << 0 << 3 << "df4" << false << "df";
        QTest::newRow("paste over all, shorter") << "123456789" << 8 << 0 << 9 << "AB" << false << "AB";
        QTest::newRow("paste over part") << "12345" << 8 << 1 << 2 << "ABCDEFG" << false << "1ABCDE45";
        QTest::newRow("paste over part, over limit") << "123456789" << 8 << 2 << 3 << "ABCD" << false << "12AB6789";
        QTest::newRow("paste over one, over limit") << "123456789" << 8 << 0 << 1 << "AB" << false << "23456789";
        QTest::newRow("paste at caret, full") << "12345678" << 8 << 4 << 0 << "AB" << false << "12345678";
        QTest::newRow("paste at caret, room for one") << "1234567" << 8 << 7 << 0 << "AB" << false << "1234567A";
        QTest::newRow("type at end, over limit") << "123456789" << 8 << 9 << 0 << "A" << true << "123456789";
        QTest::newRow("type over one, over limit") << "123456789" << 8 << 0 << 1 << "A" << true << "123456789";
        QTest::newRow("type over two, over limit") << "123456789" << 8 << 0 << 2 << "A" << true << "A3456789";
        QTest::newRow("type over one, full") << "12345678" << 8 << 3 << 1 << "A" << true << "123A5678";
    }

    void editsKeepWhatTheLimitAllows()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, input);
        QFETCH(bool, typed);
        QFETCH(QString, expected);
        FieldEdit* field = Q().Form().Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        field->SetProgramText(text);
        field->SetLimit(limit);
        field->setSelection(start, length);
        if (typed) {
            QTest::keyClicks(field, input);
        } else {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(field->text(), expected);
    }

    void undoBringsBackWhatTheFieldHeld()
    {
        // Whatever the limit, as an edit's undo does; the limit then still
        // refuses typing.
        FieldEdit* field = Q().Form().Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(field, Qt::LeftButton);
        field->SetProgramText("A00");
        field->SetLimit(2);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString("A0"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClicks(field, "12");
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClick(field, Qt::Key_Backspace);
        Q().Window().RunCommand(ID_EDIT_UNDO);  // Alt+Backspace
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClicks(field, "3");
        QCOMPARE(field->text(), QString("A00"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "4");
        QCOMPARE(field->text(), QString("A0"));
        // A screen reader's insertion into the full field changes nothing,
        // and typing stays limited after it.
        QAccessible::queryAccessibleInterface(field)->editableTextInterface()->insertText(2, "99");
        QCOMPARE(field->text(), QString("A0"));
        QTest::keyClicks(field, "7");
        QCOMPARE(field->text(), QString("A0"));
    }

    void editsBesidesTypingConvertToo()
    {
        // A screen reader's edit (Qt makes it with setText) and an undo are
        // the user's changes as much as typing is.
        QtForm& form = Q().Form();
        FieldEdit* decimal = form.Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(decimal, Qt::LeftButton);
        QAccessibleEditableTextInterface* editable =
            QAccessible::queryAccessibleInterface(decimal)->editableTextInterface();
        QVERIFY(editable);
        editable->insertText(0, "255");
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("000000FF"));
        QTest::keyClick(decimal, Qt::Key_Backspace);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00000019"));
        QTest::keyClick(decimal, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("255"));
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("000000FF"));
    }

    void clipboardKeysActOnTheFocusedField()
    {
        QtForm& form = Q().Form();
        QTest::mouseClick(form.Field(IDC_DECIMAL_EDIT), Qt::LeftButton);
        QTest::keyClicks(form.Field(IDC_DECIMAL_EDIT), "4660");
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00001234"));
        form.Field(IDC_DECIMAL_EDIT)->selectAll();
        Q().Window().RunCommand(ID_EDIT_COPY);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("4660"));
        Q().Window().RunCommand(ID_EDIT_CUT);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("00000000"));
        Q().Window().RunCommand(ID_EDIT_UNDO);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("4660"));

        // Pasting into HEX keeps what its limit allows, and converts.
        QTest::mouseClick(form.Field(IDC_HEX_EDIT), Qt::LeftButton);
        form.Field(IDC_HEX_EDIT)->selectAll();
        QGuiApplication::clipboard()->setText("FFFFFFFF1");
        Q().Window().RunCommand(ID_EDIT_PASTE);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("FFFFFFFF"));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("4294967295"));

        // A number as code writes it pastes as its digits, as one undo step,
        // with the caret after them; typing takes it as it stands.
        form.Field(IDC_HEX_EDIT)->selectAll();
        QGuiApplication::clipboard()->setText("0x7fff'ffffULL");
        QTest::keyClick(form.Field(IDC_HEX_EDIT), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("7fffffff"));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("2147483647"));
        QCOMPARE(form.Field(IDC_HEX_EDIT)->cursorPosition(), 8);
        QTest::keyClick(form.Field(IDC_HEX_EDIT), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("FFFFFFFF"));
        form.Field(IDC_HEX_EDIT)->selectAll();
        QGuiApplication::clipboard()->setText("FFh");
        QTest::keyClick(form.Field(IDC_HEX_EDIT), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("FF"));
        form.Field(IDC_HEX_EDIT)->selectAll();
        QTest::keyClick(form.Field(IDC_HEX_EDIT), Qt::Key_Delete);
        QTest::keyClicks(form.Field(IDC_HEX_EDIT), "0x1F");
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("0x1F"));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("31"));

        // With a key focused, nothing happens.
        Click(IDC_KEY_1);
        QGuiApplication::clipboard()->setText("9");
        Q().Window().RunCommand(ID_EDIT_PASTE);
        QCOMPARE(form.GetDlgItemText(IDC_DISPLAY), std::string("1"));
    }

    void theContextMenusPasteAndUndoAreTheFields()
    {
        // Qt's own menu, whose Paste takes a literal's digits and whose
        // Undo takes that back, as the keys do.
        FieldEdit* hex = Q().Form().Field(IDC_HEX_EDIT);
        QTest::mouseClick(hex, Qt::LeftButton);
        QTest::keyClicks(hex, "12");
        hex->selectAll();
        QGuiApplication::clipboard()->setText("0xABCDu");
        const auto choose = [hex](const char* item) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), hex->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(hex, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QLineEdit::tr(item)))
                    action->trigger();
            }
            menu->close();
        };
        choose("&Paste");
        QCOMPARE(hex->text(), QString("ABCD"));
        choose("&Undo");
        QCOMPARE(hex->text(), QString("12"));
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DECIMAL_EDIT), std::string("18"));

        // Shift+F10 opens the same menu, as the Menu key does: the field's
        // own, shown (the ones chosen from above may not be deleted yet).
        QTest::keyClick(hex, Qt::Key_F10, Qt::ShiftModifier);
        const auto fieldMenu = [hex]() -> QMenu* {
            for (QMenu* menu : hex->findChildren<QMenu*>()) {
                const QList<QAction*> items = menu->actions();
                if (menu->isVisible() && std::any_of(items.begin(), items.end(), [](QAction* action) {
                        return action->text().startsWith(QLineEdit::tr("&Paste"));
                    }))
                    return menu;
            }
            return nullptr;
        };
        QTRY_VERIFY(fieldMenu());
        fieldMenu()->close();
    }

    void anUndoTakesBackOneActionAsInAPlainLineEdit_data()
    {
        // Keys before a paste, and what is pasted, which goes in as it
        // stands or changed ("1'000" as 1000).
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("cut, then a paste as it stands") << "4660" << QKeySequence("Ctrl+A, Ctrl+X") << "4660";
        QTest::newRow("cut, then a paste changed") << "12" << QKeySequence("Ctrl+A, Ctrl+X") << "1'000";
        QTest::newRow("Backspace, then a paste changed") << "12" << QKeySequence("Ctrl+A, Backspace") << "1'000";
        QTest::newRow("Delete, then a paste changed") << "12" << QKeySequence("Ctrl+A, Del") << "1'000";
        QTest::newRow("typing, then a paste changed") << "12" << QKeySequence() << "3'4";
        QTest::newRow("a paste changed over a selection") << "12" << QKeySequence("Ctrl+A") << "1'000";
    }

    void anUndoTakesBackOneActionAsInAPlainLineEdit()
    {
        // The same keys in a plain line edit say where each undo step ends.
        QFETCH(QString, typed);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, pasted);
        FieldEdit* decimal = Q().Form().Field(IDC_DECIMAL_EDIT);
        QLineEdit plain;
        QTest::mouseClick(decimal, Qt::LeftButton);
        QGuiApplication::clipboard()->setText(pasted);
        QStringList undone[2];
        for (QLineEdit* edit : {static_cast<QLineEdit*>(decimal), &plain}) {
            QTest::keyClicks(edit, typed);
            QTest::keySequence(edit, keys);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            for (int step = 0; step < 2; ++step) {
                QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
                undone[edit == &plain] << edit->text();
            }
        }
        QCOMPARE(undone[0], undone[1]);
    }

    void aDropPastesANumberAsCodeWritesIt()
    {
        QtForm& form = Q().Form();
        FieldEdit* decimal = form.Field(IDC_DECIMAL_EDIT);
        QTest::mouseClick(decimal, Qt::LeftButton);
        QTest::keyClicks(decimal, "12");
        const auto dropAt = [&](int x, const QString& text) {
            QMimeData data;
            data.setText(text);
            // The drag enters first: the drop goes where it was taken.
            const QPoint at(x, decimal->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(decimal, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(decimal, &drop);
            return enter.isAccepted() && drop.isAccepted();
        };
        // Dropped before the "12": the digits go in there, the caret after them.
        QVERIFY(dropAt(1, " 1'000'000 "));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("100000012"));
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("05F5E10C"));
        QCOMPARE(decimal->cursorPosition(), 7);
        // One step back to what was typed.
        QTest::keyClick(decimal, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("12"));
        // A text that is no literal drops as it stands.
        decimal->selectAll();
        QTest::keyClick(decimal, Qt::Key_Delete);
        QVERIFY(dropAt(1, "12 34"));
        QCOMPARE(form.GetDlgItemText(IDC_DECIMAL_EDIT), std::string("12 34"));
        QCOMPARE(form.GetDlgItemText(IDC_HEX_EDIT), std::string("0000000C"));
    }
};

QTEST_MAIN(WindowEditTest)
#include "WindowEditTest.moc"
