// The main window on the offscreen platform: the form as its template lays
// it out, the menus, check marks, status pane, View toggles and dialogs.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTranslator>

#include "platform/CommandIds.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/QtTranslations.h"
#include "res/Menu.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

class WindowFrameTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void layoutFollowsTheTemplate()
    {
        const DialogUnits units(Q().Form().font());
        for (const ControlTemplate& control : kForm101.controls) {
            if (control.id == IDC_STATIC)
                continue;
            QCOMPARE(Q().Form().Control(control.id)->geometry(), units.Rect(control.rect));
        }
        QCOMPARE(Q().Form().size(), QSize(units.X(162), units.Y(211)));
        // Keys in six rows of five, "<<" one unit higher than its row.
        QCOMPARE(Q().Form().Control(IDC_KEY_SHIFT_LEFT)->y(), units.Y(121));
        QCOMPARE(Q().Form().Control(IDC_KEY_0)->y(), units.Y(122));
        // "&&" shows as "&"; the display never shows the template's "0".
        QCOMPARE(qobject_cast<QPushButton*>(Q().Form().Control(IDC_KEY_AND))->text().remove('&').size(), 0);
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string());
        // The window is as large as form, menu and status bar, and fixed.
        QCOMPARE(Q().Window().width(), Q().Form().width());
        QCOMPARE(Q().Window().minimumSize(), Q().Window().maximumSize());
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void tabOrderIsTemplateOrder()
    {
        Q().Form().Control(IDC_KEY_SHIFT_RIGHT)->setFocus(Qt::TabFocusReason);
        for (ControlId next : {IDC_HEX_EDIT, IDC_DECIMAL_EDIT, IDC_KEY_BYTE_ORDER, IDC_KEY_MODULUS, IDC_KEY_D}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), Q().Form().Control(next));
        }
    }

    void keysArePressedByMouseSpaceAndEnter()
    {
        // Space presses the focused key; Enter is "=" from any key.
        Click(IDC_KEY_5);
        QTest::keyClick(Q().Form().Control(IDC_KEY_5), Qt::Key_Space);
        Q().Form().Control(IDC_KEY_ADD)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Q().Form().Control(IDC_KEY_ADD), Qt::Key_Space);
        Click(IDC_KEY_1);
        Q().Form().Control(IDC_KEY_9)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Q().Form().Control(IDC_KEY_9), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("56"));
    }

    void menusFollowTheTable()
    {
        QStringList titles;
        for (QAction* action : Q().Window().menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&File", "&Data Type", "&View", "&Help"}));
        for (const MenuEntry& entry : Menu128()) {
            if (entry.id == 0)
                continue;
            QAction* action = Q().Window().Action(entry.id);
            QVERIFY(action);
            QCOMPARE(action->text(), ToQString(entry.text));
            // The whole prompt, where it can be read while the item is
            // highlighted (the open menu holds the pointer).
            QCOMPARE(action->toolTip(), ToQString(CommandPrompt(entry.id)));
        }
        for (QMenu* menu : Q().Window().menuBar()->findChildren<QMenu*>()) {
            if (!menu->title().isEmpty())  // not the bar's own overflow menu
                QVERIFY2(menu->toolTipsVisible(), qPrintable(menu->title()));
        }
        QCOMPARE(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->text(), QString("&Remove  Border"));
    }

    void qtTextsSpeakTheUsersLanguage()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QTranslator translator;
        const bool installed = InstallQtTranslations(translator);
        QLocale::setDefault(QLocale::c());
        QVERIFY2(installed, "no German Qt translations (Debian's qt6-translations-l10n)");
        // Qt's own: a box's buttons, a field's menu, the replace question.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ja"));
        QCOMPARE(QLineEdit::tr("&Copy"), QString("&Kopieren"));
        QCoreApplication::removeTranslator(&translator);
    }

    void checkMarksComeFromTheUpdateHandlers()
    {
        const auto checked = [this](int id) { return Q().Window().Action(id)->isChecked(); };
        QVERIFY(checked(ID_TYPE_UNSIGNED_LONG));
        QVERIFY(!checked(ID_TYPE_CHAR));
        QVERIFY(checked(ID_VIEW_STATUS_BAR));
        QVERIFY(!checked(ID_VIEW_REMOVE_BORDER));
        QVERIFY(!checked(ID_VIEW_TOPMOST));
        QVERIFY(!Q().Window().Action(ID_HELP_INSTRUCTIONS)->isCheckable());
        Q().Window().Action(ID_TYPE_CHAR)->trigger();
        QVERIFY(checked(ID_TYPE_CHAR));
        QVERIFY(!checked(ID_TYPE_UNSIGNED_LONG));
    }

    void theSixtyFourBitTypesAreReachedByTheirMnemonics()
    {
        // Alt+D, I, then the item's own letter: "uns&igned long long", "l&ong long".
        const std::pair<int, const char*> items[] = {
            {ID_TYPE_UNSIGNED_LONG_LONG, "Unsigned Long Long Data Type"},
            {ID_TYPE_LONG_LONG, "Long Long Data Type"},
        };
        for (const auto& [id, status] : items) {
            const QString text = Q().Window().Action(id)->text();
            const auto mnemonic = text.at(text.indexOf('&') + 1).toLatin1();
            QTest::keyClick(&Q().Window(), Qt::Key_D, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_I);
            QTRY_VERIFY(Q().Window().Action(id)->associatedObjects().contains(QApplication::activePopupWidget()));
            QTest::keyClick(QApplication::activePopupWidget(), mnemonic);
            QTRY_VERIFY(Q().Window().Action(id)->isChecked());
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QCOMPARE(Q().Window().GetPaneText(0), std::string(status));
        }
    }

    void statusPaneShowsPromptsIdleTextAndTypeTexts()
    {
        QCOMPARE(Q().Window().GetPaneText(0), std::string(" "));
        const std::pair<int, const char*> prompts[] = {
            {ID_APP_EXIT, "Quit the application; prompts to save documents"},
            {ID_TYPE_UNSIGNED_CHAR, "unsigned char"},
            {ID_TYPE_UNSIGNED_LONG, "unsigned long"},
            {ID_TYPE_UNSIGNED_LONG_LONG, "unsigned long long"},
            {ID_TYPE_LONG_LONG, "long long"},
            {ID_TYPE_FLOAT, "Hex Converter Only"},
            {ID_VIEW_STATUS_BAR, "Show or hide the status bar"},
            {ID_VIEW_REMOVE_BORDER, "Remove Border"},
            {ID_VIEW_TOPMOST, "Sets calculator as topmost window"},
            {ID_APP_ABOUT, "Display program information, version number and copyright"},
            {ID_HELP_INSTRUCTIONS, "Help Instructions"},
        };
        for (const auto& [id, prompt] : prompts) {
            Q().Window().Action(id)->hover();
            QCOMPARE(Q().Window().GetPaneText(0), std::string(prompt));
        }
        // Choosing a type from its menu leaves its status text in the pane.
        QMenu* dataType = Q().Window().menuBar()->actions()[1]->menu();
        QMenu* integral = dataType->actions()[0]->menu();
        dataType->popup(QPoint(0, 0));
        integral->popup(QPoint(0, 0));
        QTest::qWait(20);
        QAction* shortItem = Q().Window().Action(ID_TYPE_SHORT);
        QTest::mouseClick(integral, Qt::LeftButton, {}, integral->actionGeometry(shortItem).center());
        QTest::qWait(20);
        dataType->hide();
        QTest::qWait(20);
        QCOMPARE(Q().Window().GetPaneText(0), std::string("Short Data Type"));
        // Other commands leave the idle text.
        Q().Window().Action(ID_VIEW_STATUS_BAR)->hover();
        Q().Window().Action(ID_VIEW_STATUS_BAR)->trigger();
        QCOMPARE(Q().Window().GetPaneText(0), std::string(" "));
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
    }

    void viewTogglesCheckAndChangeTheWindow()
    {
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowTitleHint));
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(!Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QVERIFY(Q().Window().windowFlags() & Qt::WindowTitleHint);

        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(Q().Window().Action(ID_VIEW_TOPMOST)->isChecked());
        QVERIFY(Q().Window().windowFlags() & Qt::WindowStaysOnTopHint);
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowStaysOnTopHint));

        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(!Q().Window().statusBar()->isVisible());
        QVERIFY(!Q().Window().Action(ID_VIEW_STATUS_BAR)->isChecked());
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(Q().Window().statusBar()->isVisible());
    }

    void aboutAndHelpShowTheirTexts()
    {
        Click(IDC_KEY_5);
        QStringList about;
        QString aboutTitle;
        WithModal([this] { Q().Window().RunCommand(ID_APP_ABOUT); },
                  [&](QWidget* dialog) {
                      aboutTitle = dialog->windowTitle();
                      about = LabelTexts(dialog);
                      QTest::keyClick(dialog, Qt::Key_Escape);
                  });
        QCOMPARE(aboutTitle, QString("About Quibo"));
        QCOMPARE(about, QStringList({"Quibo Version " QUIBO_VERSION}));

        QStringList help;
        QString helpTitle;
        WithModal([this] { Q().Window().RunCommand(ID_HELP_INSTRUCTIONS); },
                  [&](QWidget* dialog) {
                      helpTitle = dialog->windowTitle();
                      help = LabelTexts(dialog);
                      for (QPushButton* button : dialog->findChildren<QPushButton*>())
                          if (button->text() == "Cancel")
                              button->click();
                  });
        QCOMPARE(helpTitle, QString("Quibo Help"));
        QCOMPARE(help.size(), 13);
        QVERIFY(help.contains("&  Bitwise AND operator"));
        QVERIFY(help.contains("<<  Shift Left operator,  >>  Shift Right operator"));
        QVERIFY(help.contains("The Hex Calculator only functions with integral data types such as Short, Long, and "
                              "Chars.  It does not function with Reals such as Floats or Doubles. "));
        // Nothing in the calculator changed.
        QCOMPARE(Q().Form().GetDlgItemText(IDC_DISPLAY), std::string("5"));
    }
};

QTEST_MAIN(WindowFrameTest)
#include "WindowFrameTest.moc"
