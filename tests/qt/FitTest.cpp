// Every text the program shows is visible whole: measured with the font of
// the control that shows it against the room the control gives it, at each
// data type, at whatever scale factor and font resolution the run has, and
// with the desktop's own font made large.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "app/DataTypeCommands.h"
#include "calc/DataType.h"
#include "hosts/qt/form/BitsPanel.h"
#include "hosts/qt/QtQuibo.h"
#include "hosts/qt/frame/FormArea.h"
#include "hosts/qt/frame/InspectorPanel.h"
#include "hosts/qt/frame/StatusPane.h"
#include "res/Menu.h"
#include "res/Strings.h"

using namespace quibo;

namespace {

int Advance(const QFont& font, const QString& text)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

// The character of text that is widest in font, repeated count times.
QString Widest(const QFont& font, const QString& characters, int count)
{
    const QChar widest = *std::max_element(characters.begin(), characters.end(), [&](QChar a, QChar b) {
        return QFontMetricsF(font).horizontalAdvance(a) < QFontMetricsF(font).horizontalAdvance(b);
    });
    return QString(count, widest);
}

// The room a line edit gives its text, as QLineEdit lays it out: the
// style's contents rectangle, less the text margins and a fixed margin of
// two pixels on each side.
int TextRoom(QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).width() - 2 * 2;
}

}  // namespace

class FitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QtQuibo> m_quibo;
    QFont m_desktopFont;
    QtQuibo& Q() { return *m_quibo; }

    void Start(int desktopPointSize)
    {
        QFont desktop = m_desktopFont;
        if (desktopPointSize > 0)
            desktop.setPointSize(desktopPointSize);
        QApplication::setFont(desktop);
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Q().Window()));
    }

    // Whole in the field: measured, and as the field itself lays it out
    // (its leftmost visible place is the text's first character).
    void VerifyFieldShows(ControlId id, const QString& text)
    {
        FieldEdit* field = Q().Form().Field(id);
        field->SetProgramText(text);
        field->repaint();
        const int advance = Advance(field->font(), text);
        QVERIFY2(advance + 1 <= TextRoom(field),
                 qPrintable(QString("%1 needs %2 px, the field has %3").arg(text).arg(advance + 1).arg(TextRoom(field))));
        QCOMPARE(field->cursorPositionAt(QPoint(field->width() - TextRoom(field) - 2, field->height() / 2)), 0);
    }

    // Focused as a click would, without a pointer. A headless Wayland
    // compositor has no seat and gives no window the keyboard: there the
    // field is told it has it, as the window system would tell it.
    static void FocusAsAClickWould(FieldEdit& field)
    {
        field.setFocus(Qt::MouseFocusReason);
        if (!field.hasFocus()) {
            QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(&field, &focusIn);
        }
    }

    void VerifyLabelShows(ControlId id, const QString& text)
    {
        auto* label = qobject_cast<QLabel*>(Q().Form().Control(id));
        Q().Form().SetDlgItemText(id, text.toStdString());
        const QRect room = label->contentsRect().marginsRemoved(QMargins(label->margin(), label->margin(),
                                                                         label->margin(), label->margin()));
        const QStringList lines = text.split('\n');
        for (const QString& line : lines)
            QVERIFY2(Advance(label->font(), line) <= room.width(), qPrintable(line));
        const QFontMetricsF metrics(label->font());
        QVERIFY2(std::ceil(metrics.height() + (lines.size() - 1) * metrics.lineSpacing()) <= room.height(),
                 qPrintable(text));
        // And as the label itself measures what it needs.
        QVERIFY2(label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height(),
                 qPrintable(text));
    }

private slots:
    void initTestCase() { m_desktopFont = QApplication::font(); }
    void cleanup() { m_quibo.reset(); }

    void everyProgramTextShowsWhole_data()
    {
        QTest::addColumn<int>("desktopPointSize");  // 0: as the desktop has it
        QTest::addColumn<int>("type");
        for (int desktop : {0, 20}) {
            for (const DataTypeCommand& command : DataTypeCommands()) {
                QTest::addRow("%s, desktop font %d", command.statusText, desktop)
                    << desktop << static_cast<int>(command.type);
            }
        }
    }

    void everyProgramTextShowsWhole()
    {
        QFETCH(int, desktopPointSize);
        QFETCH(int, type);
        Start(desktopPointSize);
        const DataType dataType = static_cast<DataType>(type);
        Q().Window().Action(FindDataTypeCommand(dataType)->id)->trigger();
        const QFont font = Q().Form().font();
        const QString hexDigits = QStringLiteral("0123456789ABCDEF");

        // HEX: the type's digits; DECIMAL writes the whole register (32 or
        // 64 bits) at every integral type, so never fewer than eight digits.
        const bool wide = FindDataTypeInfo(dataType)->widthBits == 64;
        const int hexDigitCount = wide ? 16 : 8;
        VerifyFieldShows(IDC_HEX_EDIT, Widest(font, hexDigits, hexDigitCount));
        if (IsIntegral(dataType))
            VerifyFieldShows(IDC_DECIMAL_EDIT, "-" + Widest(font, "0123456789", wide ? 20 : 10));
        // The display's longest result, and BINARY's two lines at 64 bits
        // (a real's groups each end in a blank).
        VerifyLabelShows(IDC_DISPLAY, Widest(font, hexDigits, IsIntegral(dataType) ? hexDigitCount : 8));
        const bool real = !IsIntegral(dataType);
        const int bits = wide ? 32 : FindDataTypeInfo(dataType)->widthBits;
        for (const QChar digit : {u'0', u'1'}) {
            QString line;
            for (int i = 0; i < bits; ++i)
                line += (i > 0 && i % 4 == 0 ? QString(" ") : QString()) + digit;
            if (real)
                line += ' ';
            VerifyLabelShows(IDC_BINARY, wide ? line + "\n" + line : line);
        }

        // The Bits panel: each digit's ink whole in its box, below a sign's
        // or exponent's bar; each position number whole under its group.
        Q().Window().ShowBitsPanel(true);
        const BitsPanel& panel = Q().Form().Bits();
        QVERIFY(Q().Form().rect().contains(panel.geometry()));
        for (int bit = 0; bit < kPanelBits; ++bit) {
            const BitBox& box = panel.Box(bit);
            QFont bold = box.font();
            bold.setBold(true);
            for (const QFont& digitFont : {box.font(), bold}) {
                for (const char* digit : {"0", "1"}) {
                    const QRect ink = QFontMetrics(digitFont).tightBoundingRect(digit);
                    QVERIFY2(ink.width() + 2 <= box.width() &&
                                 ink.height() + BitBox::BarHeight(box.Role(), box.height()) + 2 <= box.height(),
                             qPrintable(QString("bit %1: %2x%3 in %4x%5").arg(bit).arg(ink.width()).arg(ink.height())
                                            .arg(box.width()).arg(box.height())));
                }
            }
        }
        const QFontMetrics numbers(panel.font());
        const QRect top = panel.Box(63).geometry();
        QVERIFY(numbers.height() <= panel.Box(47).y() - top.bottom() - 1);
        QVERIFY(panel.Box(0).geometry().bottom() + numbers.height() <= panel.contentsRect().bottom());
        QVERIFY(numbers.horizontalAdvance("60") <= 2 * top.width());
    }

    // The Inspector's ten rows at 16 bits without scrolling, each row's name
    // whole, and a double's longest shortest text whole in its cell.
    void theInspectorShowsItsRowsWhole_data()
    {
        QTest::addColumn<int>("desktopPointSize");
        QTest::newRow("desktop font") << 0;
        QTest::newRow("desktop font 20") << 20;
    }

    void theInspectorShowsItsRowsWhole()
    {
        QFETCH(int, desktopPointSize);
        Start(desktopPointSize);
        Q().Window().ShowInspector(true);  // not the command: the settings file stays as it is
        Q().App().OnCmdMsg(ID_TYPE_UNSIGNED_SHORT);
        const QSize size = Q().Window().size();
        InspectorPanel& table = *Q().Window().Area()->Inspector();
        QCOMPARE(table.rowCount(), 10);
        QVERIFY(table.rowViewportPosition(9) + table.rowHeight(9) <= table.viewport()->height());
        for (const int type : {ID_TYPE_UNSIGNED_SHORT, ID_TYPE_UNSIGNED_LONG_LONG}) {
            Q().App().OnCmdMsg(type);
            for (int row = 0; row < table.rowCount(); ++row) {
                const QString name = table.verticalHeaderItem(row)->text();
                QVERIFY2(Advance(table.verticalHeader()->font(), name) < table.verticalHeader()->width(),
                         qPrintable(name));
            }
        }
        QVERIFY(Advance(table.font(), "-1.7976931348623157e+308") < table.columnWidth(0));
        Q().App().OnCmdMsg(ID_TYPE_DOUBLE);
        QCOMPARE(Q().Window().size(), size);
    }

    void aDoubleShowsAllSixteenDigits()
    {
        Start(0);
        Q().Window().Action(ID_TYPE_DOUBLE)->trigger();
        FieldEdit* decimal = Q().Form().Field(IDC_DECIMAL_EDIT);
        FocusAsAClickWould(*decimal);
        QTest::keyClicks(decimal, "3.14");
        FieldEdit* hex = Q().Form().Field(IDC_HEX_EDIT);
        QCOMPARE(hex->text(), QString("40091EB851EB851F"));
        hex->repaint();
        QCOMPARE(hex->cursorPositionAt(QPoint(hex->width() - TextRoom(hex) - 2, hex->height() / 2)), 0);
        QVERIFY(Advance(hex->font(), hex->text()) + 1 <= TextRoom(hex));
    }

    void whatTheUserTypesIsInTheFormsFont()
    {
        Start(0);
        FieldEdit* decimal = Q().Form().Field(IDC_DECIMAL_EDIT);
        FocusAsAClickWould(*decimal);
        QTest::keyClicks(decimal, QString(40, u'9'));
        QCOMPARE(decimal->text(), QString(40, u'9'));
        QCOMPARE(decimal->font(), Q().Form().font());
        // The program's long text is fitted; what the user types over it,
        // or inserts (a paste, a drop; a headless compositor has no
        // clipboard), is in the form's font again.
        for (const bool insert : {false, true}) {
            decimal->SetProgramText(QString(40, u'8'));
            QVERIFY(decimal->font().pointSizeF() < Q().Form().font().pointSizeF());
            decimal->selectAll();
            if (insert)
                decimal->insert("5");
            else
                QTest::keyClick(decimal, Qt::Key_5);
            QCOMPARE(decimal->text(), QString("5"));
            QCOMPARE(decimal->font(), Q().Form().font());
        }
    }

    void menusShowWhole_data()
    {
        QTest::addColumn<int>("desktopPointSize");
        for (int desktop : {0, 16, 24})
            QTest::addRow("desktop font %d", desktop) << desktop;
    }

    void menusShowWhole()
    {
        QFETCH(int, desktopPointSize);
        Start(desktopPointSize);
        // All four menus on the bar, none behind its overflow button.
        QMenuBar* bar = Q().Window().menuBar();
        QCOMPARE(bar->actions().size(), 4);
        for (QAction* title : bar->actions()) {
            const QRect place = bar->actionGeometry(title);
            QVERIFY2(place.isValid() && place.right() < bar->width(), qPrintable(title->text()));
        }
        // Every item's text as wide as it is, in the font the menu draws in.
        for (QMenu* menu : bar->findChildren<QMenu*>()) {
            QCOMPARE(menu->font(), Q().Form().font());
            menu->popup(QPoint(0, 0));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            for (QAction* item : menu->actions()) {
                if (item->isSeparator())
                    continue;
                const QString shown = QString(item->text()).remove(QRegularExpression("&(?!&)"));
                const int room = menu->actionGeometry(item).width();
                QVERIFY2(Advance(menu->font(), shown) < room,
                         qPrintable(QString("%1: %2 px in %3").arg(shown).arg(Advance(menu->font(), shown)).arg(room)));
            }
            menu->hide();
        }
    }

    void menuPromptsShowWholeWhileAMenuIsOpen_data() { statusPromptsEndAtAWord_data(); }

    void menuPromptsShowWholeWhileAMenuIsOpen()
    {
        QFETCH(int, desktopPointSize);
        Start(desktopPointSize);
        QStatusBar* bar = Q().Window().statusBar();
        QList<QLabel*> panes = bar->findChildren<QLabel*>();
        std::sort(panes.begin(), panes.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
        QLabel* message = panes[0];
        for (QAction* top : Q().Window().menuBar()->actions()) {
            QMenu* menu = top->menu();
            menu->popup(Q().Window().mapToGlobal(QPoint(0, 0)));
            QTRY_VERIFY(menu->isVisible());
            for (int i = 1; i <= 4; ++i)
                QTRY_VERIFY(!panes[i]->isVisible());
            for (const MenuEntry& entry : Menu128()) {
                QAction* item = entry.id ? Q().Window().Action(entry.id) : nullptr;
                if (!item || !menu->actions().contains(item))
                    continue;
                item->hover();
                const QString prompt = QString::fromStdString(CommandPrompt(entry.id));
                QTRY_COMPARE(message->text(), prompt);
            }
            menu->hide();
            for (int i = 1; i <= 4; ++i)
                QTRY_VERIFY(panes[i]->isVisible());
        }
    }

    void statusPromptsEndAtAWord_data()
    {
        QTest::addColumn<int>("desktopPointSize");
        QTest::newRow("desktop font") << 0;
        QTest::newRow("large desktop font") << 20;
    }

    void statusPromptsEndAtAWord()
    {
        QFETCH(int, desktopPointSize);
        Start(desktopPointSize);
        QStatusBar* bar = Q().Window().statusBar();
        QCOMPARE(bar->font(), Q().Form().font());
        QList<QLabel*> panes = bar->findChildren<QLabel*>();
        std::sort(panes.begin(), panes.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
        QCOMPARE(panes.size(), 5);
        QLabel* message = panes[0];

        QStringList prompts;
        for (const MenuEntry& entry : Menu128()) {
            if (entry.id != 0)
                prompts << QString::fromStdString(CommandPrompt(entry.id));
        }
        QStringList typeTexts;
        for (const DataTypeCommand& command : DataTypeCommands())
            typeTexts << command.statusText;
        prompts << typeTexts;
        // Each prompt beside an unlit WRAP pane, then beside its widest text.
        for (const char* wrap : {"", "shift count 64 is outside 0 to 63"})
        for (const QString& prompt : prompts) {
            Q().Window().SetPaneText(kWrapPane, wrap);
            Q().Window().SetPaneText(0, prompt.toStdString());
            QCOMPARE(QString::fromStdString(Q().Window().GetPaneText(0)), prompt);
            const QString shown = message->text();
            QVERIFY2(Advance(message->font(), shown) <= message->contentsRect().width(), qPrintable(shown));
            // Shrunk a little at most, and then only to show the text whole.
            QVERIFY(message->font().pointSizeF() >= bar->font().pointSizeF() * StatusPane::kSmallestScale);
            if (message->font() != bar->font())
                QCOMPARE(shown, prompt);
            // The type a user just chose reads whole at the desktop's font
            // while nothing was cut.
            if (desktopPointSize == 0 && typeTexts.contains(prompt) && *wrap == '\0')
                QCOMPARE(shown, prompt);
            if (shown != prompt) {
                QVERIFY2(shown.endsWith(u'\u2026'), qPrintable(shown));
                const QString start = shown.chopped(1);
                QVERIFY2(!start.isEmpty() && prompt.startsWith(start) && prompt[start.size()] == u' ', qPrintable(shown));
                QCOMPARE(message->toolTip(), prompt);
            }
            // A screen reader hears the whole prompt once the event that set
            // it is done, and can read what shows.
            QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(message);
            QTRY_COMPARE(pane->text(QAccessible::Name), prompt);
            QCOMPARE(pane->text(QAccessible::Description), prompt);
            QVERIFY(pane->textInterface());
            QCOMPARE(pane->textInterface()->text(0, pane->textInterface()->characterCount()), shown);
        }

        // The WRAP pane is as wide as its text, the lock-key panes as theirs,
        // and no wider; unlit, the WRAP pane takes no room.
        struct Pane {
            int index;
            const char* text;  // what the WRAP pane is given
            const char* shown;
        };
        const auto texts = std::to_array<Pane>({{1, "shift count 64 is outside 0 to 63", "SHIFT"},
                                                {1, "division by zero", "DIV0"},
                                                {1, "300 does not fit in unsigned char", "WRAP"},
                                                {2, "", "CAP"},
                                                {3, "", "NUM"},
                                                {4, "", "SCRL"}});
        for (const Pane& pane : texts) {
            if (pane.index == kWrapPane) {
                Q().Window().SetPaneText(kWrapPane, pane.text);
                QCOMPARE(panes[pane.index]->text(), pane.shown);
            }
            const int room = panes[pane.index]->contentsRect().width();
            const int advance = Advance(panes[pane.index]->font(), pane.shown);
            QVERIFY2(room >= advance && room <= advance + 6,
                     qPrintable(QString("%1: %2 px for %3 px of text").arg(pane.shown).arg(room).arg(advance)));
        }
        Q().Window().SetPaneText(kWrapPane, "");
        QCOMPARE(panes[1]->width(), 0);
    }
};

QTEST_MAIN(FitTest)
#include "FitTest.moc"
