// What a screen reader finds in the window: every control reachable with its
// name, role and description; names that stay while the values change; the
// captions as labels; the lock and WRAP panes; the data types as one choice.
#include <QAccessible>
#include <QToolTip>
#include <QAction>
#include <QSet>
#include <QStatusBar>

#include <algorithm>
#include <functional>

#include "platform/CommandIds.h"
#include "hosts/qt/form/BitsPanel.h"
#include "hosts/qt/form/Latin1Text.h"
#include "res/Templates.h"
#include "tests/qt/WindowFixture.h"

using namespace quibo;

namespace {

QAccessibleInterface* Node(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// What a control shows, through its text interface.
QString Shown(QAccessibleInterface* node)
{
    QAccessibleTextInterface* text = node->textInterface();
    return text ? text->text(0, text->characterCount()) : QString("(no text)");
}

}  // namespace

class WindowAccessibilityTest : public QObject, WindowFixture {
    Q_OBJECT

    QAccessibleInterface* Control(ControlId id) { return Node(Q().Form().Control(id)); }

private slots:
    void initTestCase() { UsePrivateSettings(); }
    void init() { QVERIFY(StartWindow()); }
    void cleanup() { m_quibo.reset(); }

    void everyControlIsReachableWithItsNameRoleAndDescription()
    {
        // Everything reachable from the window, as a screen reader walks it.
        QSet<QObject*> reachable;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            if (!node || reachable.contains(node->object()))
                return;
            reachable.insert(node->object());
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        walk(Node(&Q().Window()));

        for (const ControlTemplate& control : kForm101.controls) {
            if (control.id == IDC_STATIC)
                continue;
            QWidget* widget = Q().Form().Control(control.id);
            QAccessibleInterface* node = Node(widget);
            QVERIFY2(node && reachable.contains(widget), control.text);
            const QAccessible::Role role = control.kind == ControlKind::PushButton ? QAccessible::Button
                                           : control.kind == ControlKind::Edit     ? QAccessible::EditableText
                                                                                   : QAccessible::StaticText;
            QCOMPARE(node->role(), role);
            const QString name = *control.accessibleName ? ToQString(control.accessibleName)
                                                         : ToQString(Q().Form().GetDlgItemText(control.id));
            QCOMPARE(node->text(QAccessible::Name), name);
            QCOMPARE(node->text(QAccessible::Description), ToQString(control.accessibleDescription));
            QVERIFY2(!node->text(QAccessible::Description).isEmpty(), control.text);
        }
        QCOMPARE(Control(IDC_KEY_SHIFT_LEFT)->text(QAccessible::Name), QString("Shift left"));
        QCOMPARE(Control(IDC_KEY_AND)->text(QAccessible::Name), QString("Bitwise AND"));
    }

    void keysGiveTheirCaptionAsText()
    {
        // The byte-order key is named after what its caption says.
        QAccessibleInterface* byteOrder = Control(IDC_KEY_BYTE_ORDER);
        Click(IDC_KEY_BYTE_ORDER);
        QCOMPARE(byteOrder->text(QAccessible::Name), QString("Byte order: Intel (little-endian)"));
        QCOMPARE(Shown(byteOrder), QString("Int"));
        // Its tooltip says the same to a sighted user.
        QCOMPARE(Q().Form().Control(IDC_KEY_BYTE_ORDER)->toolTip(), QString("Byte order: Intel (little-endian)"));
        Click(IDC_KEY_BYTE_ORDER);
        QCOMPARE(byteOrder->text(QAccessible::Name), QString("Byte order: Motorola (big-endian)"));
        QCOMPARE(Shown(byteOrder), QString("Mot"));
        QCOMPARE(Q().Form().Control(IDC_KEY_BYTE_ORDER)->toolTip(), QString("Byte order: Motorola (big-endian)"));
        QCOMPARE(Shown(Control(IDC_KEY_AND)), QString("&"));
        // A tooltip open while Space toggles the key follows it.
        QWidget* key = Q().Form().Control(IDC_KEY_BYTE_ORDER);
        key->setFocus();
        QToolTip::showText(key->mapToGlobal(QPoint(2, 2)), key->toolTip(), key);
        QTRY_VERIFY(QToolTip::isVisible());
        QTest::keyClick(key, Qt::Key_Space);
        QCOMPARE(QToolTip::text(), QString("Byte order: Intel (little-endian)"));
        QToolTip::hideText();
    }

    void displayAndBinaryKeepTheirNamesAndShowTheirValues()
    {
        QAccessibleInterface* display = Control(IDC_DISPLAY);
        QAccessibleInterface* binary = Control(IDC_BINARY);
        Click(IDC_KEY_9);
        QCOMPARE(display->text(QAccessible::Name), QString("Display"));
        QCOMPARE(Shown(display), QString("9"));
        QCOMPARE(binary->text(QAccessible::Name), QString("Binary"));
        QCOMPARE(Shown(binary), QString("0000 0000 0000 0000 0000 0000 0000 1001"));
        Click(IDC_KEY_CLEAR);
        QCOMPARE(display->text(QAccessible::Name), QString("Display"));
        QCOMPARE(Shown(display), QString());
    }

    void converterCaptionsLabelTheirControls()
    {
        for (const auto& [caption, id] : {std::pair{"HEX", IDC_HEX_EDIT}, {"DECIMAL", IDC_DECIMAL_EDIT},
                                          {"BINARY", IDC_BINARY}}) {
            const auto labels = Control(id)->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.front().first->text(QAccessible::Name), QString(caption));
        }
    }

    void lockPanesAreNamedWhetherOrNotTheirKeyIsLocked()
    {
        QStringList panes;
        for (QLabel* pane : Q().Window().statusBar()->findChildren<QLabel*>())
            panes << Node(pane)->text(QAccessible::Name);
        QVERIFY2(panes.contains("Caps Lock") && panes.contains("Num Lock") && panes.contains("Scroll Lock"),
                 qPrintable(panes.join(", ")));
    }

    void dataTypesAreRadioItemsOfOneChoice()
    {
        QAccessibleInterface* charItem = Node(Q().Window().Action(ID_TYPE_CHAR));
        QAccessibleInterface* longItem = Node(Q().Window().Action(ID_TYPE_UNSIGNED_LONG));
        QCOMPARE(charItem->role(), QAccessible::RadioButton);
        QCOMPARE(charItem->text(QAccessible::Name), QString("char"));
        QVERIFY(charItem->state().checkable && !charItem->state().checked && longItem->state().checked);
        charItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(charItem->state().checked);
        QVERIFY(!longItem->state().checked);
        QCOMPARE(charItem->parent()->object(), Q().Window().Action(ID_TYPE_CHAR)->associatedObjects().front());
        // The 64-bit types are items of the same choice.
        QAccessibleInterface* longLongItem = Node(Q().Window().Action(ID_TYPE_LONG_LONG));
        QCOMPARE(longLongItem->role(), QAccessible::RadioButton);
        QCOMPARE(longLongItem->text(QAccessible::Name), QString("long long"));
        QCOMPARE(longLongItem->parent()->object(), charItem->parent()->object());
        longLongItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(longLongItem->state().checked);
        QVERIFY(!charItem->state().checked);
    }
    void theWrapPaneSaysWhatWasCut()
    {
        const QList<QLabel*> panes = Q().Window().statusBar()->findChildren<QLabel*>();
        const auto found = std::find_if(panes.begin(), panes.end(),
                                        [](QLabel* label) { return label->accessibleName() == "No wrap"; });
        QVERIFY(found != panes.end());
        QLabel* pane = *found;
        const auto keys = [this](std::initializer_list<ControlId> ids) {
            for (ControlId id : ids)
                Click(id);
        };
        const auto decimal = [this](const char* text) {
            Click(IDC_DECIMAL_EDIT);
            QTest::keyClick(Q().Form().Field(IDC_DECIMAL_EDIT), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(Q().Form().Field(IDC_DECIMAL_EDIT), text);
        };
        struct Step {
            std::function<void()> act;
            const char* wrap;
            const char* shown;
        };
        const Step steps[] = {
            {[&] { keys({IDC_KEY_B, IDC_KEY_B, IDC_KEY_8, IDC_KEY_MULTIPLY, IDC_KEY_5, IDC_KEY_0, IDC_KEY_EQUALS}); },
             "240000 does not fit in short", "WRAP"},
            {[&] { keys({IDC_KEY_CLEAR}); }, "", ""},
            {[&] { keys({IDC_KEY_7, IDC_KEY_DIVIDE, IDC_KEY_0, IDC_KEY_EQUALS}); }, "division by zero", "DIV0"},
            {[&] { keys({IDC_KEY_1}); }, "", ""},
            {[&] { keys({IDC_KEY_SHIFT_LEFT, IDC_KEY_1, IDC_KEY_0, IDC_KEY_EQUALS}); },
             "shift count 16 is outside 0 to 15", "SHIFT"},
            {[&] { keys({IDC_KEY_ADD}); }, "shift count 16 is outside 0 to 15", "SHIFT"},  // waits: no change
            {[&] { Q().Form().Bits().Box(0).click(); }, "", ""},
            {[&] { decimal("40000"); }, "DECIMAL does not fit in short", "WRAP"},
            {[&] {
                 Click(IDC_HEX_EDIT);
                 QTest::keyClick(Q().Form().Field(IDC_HEX_EDIT), Qt::Key_End);
                 QTest::keyClick(Q().Form().Field(IDC_HEX_EDIT), Qt::Key_Backspace);
             },
             "", ""},
            {[&] { decimal("-40000"); }, "DECIMAL does not fit in short", "WRAP"},
            {[&] { Q().Window().RunCommand(ID_FILE_NEW); }, "", ""},
        };
        Q().Window().Action(ID_TYPE_SHORT)->trigger();
        Q().Window().Action(ID_VIEW_BITS)->trigger();
        for (const Step& step : steps) {
            step.act();
            const QString wrap = step.wrap;
            QCOMPARE(QString::fromStdString(Q().Window().GetPaneText(kWrapPane)), wrap);
            QCOMPARE(pane->text(), QString(step.shown));
            QCOMPARE(pane->toolTip(), wrap);
            QCOMPARE(Node(pane)->text(QAccessible::Name), wrap.isEmpty() ? QString("No wrap") : "Wrap: " + wrap);
        }
    }
};

QTEST_MAIN(WindowAccessibilityTest)
#include "WindowAccessibilityTest.moc"
