// What only X11 can show, under a private Xvfb: the lock-key panes follow
// the keyboard extension's indicators, the window's properties follow Make
// Topmost and Remove Border, and a middle click pastes the selection.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/CommandIds.h"
#include "hosts/qt/form/FieldEdit.h"
#include "hosts/qt/form/QtForm.h"
#include "hosts/qt/QtQuibo.h"
#include "hosts/qt/frame/X11Frame.h"

using namespace quibo;

namespace {

Display* XDisplay()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

// Listens on the root window as a window manager does, for the requests a
// mapped window makes to change its state.
class WindowManagerEar {
public:
    WindowManagerEar() : m_display(XOpenDisplay(nullptr))
    {
        XSelectInput(m_display, DefaultRootWindow(m_display), StructureNotifyMask | SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~WindowManagerEar() { XCloseDisplay(m_display); }

    // Whether the window asked to add (1) or remove (0) the state.
    bool Heard(Window window, long action, const char* state)
    {
        const Atom netWmState = XInternAtom(m_display, "_NET_WM_STATE", False);
        const auto wanted = static_cast<long>(XInternAtom(m_display, state, False));
        XSync(XDisplay(), False);
        for (int tries = 0; tries < 50; ++tries) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                const XClientMessageEvent& message = event.xclient;
                if (event.type == ClientMessage && message.window == window && message.message_type == netWmState &&
                    message.data.l[0] == action && (message.data.l[1] == wanted || message.data.l[2] == wanted))
                    return true;
            }
            QTest::qWait(20);
        }
        return false;
    }

private:
    Display* m_display;
};

}  // namespace

class X11Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QtQuibo> m_quibo;

private slots:
    void init()
    {
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(m_quibo->Start(std::nullopt));
        m_quibo->Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_quibo->Window()));
    }

    void cleanup() { m_quibo.reset(); }

    void lockKeyPanesFollowTheIndicators()
    {
        Display* display = XDisplay();
        QtMainFrame& window = m_quibo->Window();
        // What a screen reader reads first, the name, says the state.
        QList<QLabel*> panes = window.statusBar()->findChildren<QLabel*>();
        std::sort(panes.begin(), panes.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
        QCOMPARE(panes.size(), 5);  // the message and WRAP panes first
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, 0);
        XSync(display, False);
        QTRY_COMPARE(window.GetPaneText(2), std::string());
        QTRY_COMPARE(panes[2]->accessibleName(), QString("Caps Lock off"));
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, LockMask);
        XSync(display, False);
        QTRY_COMPARE(window.GetPaneText(2), std::string("CAP"));
        QCOMPARE(panes[2]->accessibleName(), QString("Caps Lock on"));
        QCOMPARE(window.GetPaneText(4), std::string());
        QCOMPARE(panes[4]->accessibleName(), QString("Scroll Lock off"));
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, 0);
        XSync(display, False);
        QTRY_COMPARE(window.GetPaneText(2), std::string());
    }

    void topmostAsksToStayAbove()
    {
        WindowManagerEar ear;
        m_quibo->Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(ear.Heard(m_quibo->Window().winId(), 1, "_NET_WM_STATE_ABOVE"));
        m_quibo->Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(ear.Heard(m_quibo->Window().winId(), 0, "_NET_WM_STATE_ABOVE"));
    }

    void aMiddleClickPastesTheSelectionAsCodeWritesIt()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        QVERIFY(clipboard->supportsSelection());
        FieldEdit* hex = m_quibo->Form().Field(IDC_HEX_EDIT);
        m_quibo->Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_quibo->Window()));
        QTest::mouseClick(hex, Qt::LeftButton);
        QTRY_VERIFY(hex->hasFocus());
        clipboard->setText("0xDEAD_BEEFu", QClipboard::Selection);
        QTRY_COMPARE(clipboard->text(QClipboard::Selection), QString("0xDEAD_BEEFu"));
        QTest::mouseClick(hex, Qt::MiddleButton);
        QCOMPARE(m_quibo->Form().GetDlgItemText(IDC_HEX_EDIT), std::string("DEADBEEF"));
        QCOMPARE(m_quibo->Form().GetDlgItemText(IDC_DECIMAL_EDIT), std::string("3735928559"));
        // One undo step takes it back.
        QTest::keyClick(hex, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_quibo->Form().GetDlgItemText(IDC_HEX_EDIT), std::string());
    }

    void removeBorderAsksForAFrameWithoutTitle()
    {
        // _MOTIF_WM_HINTS: flags, functions, decorations; MWM_DECOR_TITLE is 8.
        constexpr long kDecorTitle = 8;
        const auto decorations = [this] {
            const std::vector<long> hints = WindowProperty(m_quibo->Window().winId(), "_MOTIF_WM_HINTS");
            return hints.size() >= 3 ? hints[2] : -1;
        };
        const QSize before = m_quibo->Window().size();
        m_quibo->Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QTRY_VERIFY(decorations() >= 0 && !(decorations() & kDecorTitle));
        m_quibo->Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QTRY_VERIFY(decorations() < 0 || (decorations() & kDecorTitle));
        // Without a window manager there is no frame to give back or take.
        QTRY_COMPARE(m_quibo->Window().size(), before);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    X11Test test;
    return QTest::qExec(&test, argc, argv);
}
#include "X11Test.moc"
