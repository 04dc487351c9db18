// The window as a real window manager (openbox, on a private X server) frames
// it: its frame and outer rectangle through Remove Border, size hints that
// never allow a resize, Make Topmost without a new native window.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/CommandIds.h"
#include "hosts/qt/QtQuibo.h"
#include "hosts/qt/frame/X11Frame.h"

using namespace quibo;

namespace {

Display* XDisplay()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

bool HasAtom(Window window, const char* property, const char* atom)
{
    const auto wanted = static_cast<long>(XInternAtom(XDisplay(), atom, False));
    const std::vector<long> atoms = WindowProperty(window, property);
    return std::find(atoms.begin(), atoms.end(), wanted) != atoms.end();
}

// Left, right, top, bottom, as the window manager set them.
std::vector<long> Extents(Window window)
{
    return WindowProperty(window, "_NET_FRAME_EXTENTS");
}

// A frame with a border on every side and no title bar above.
bool Untitled(Window window)
{
    const std::vector<long> e = Extents(window);
    return e.size() == 4 && e[2] == e[3] && std::all_of(e.begin(), e.end(), [](long side) { return side > 0; });
}

// The client window's rectangle on the screen, from the X server.
QRect ClientRect(Window window)
{
    XSync(XDisplay(), False);
    return ClientRectOnScreen(window).value_or(QRect());
}

QRect OuterRect(Window window)
{
    const std::vector<long> e = Extents(window);
    if (e.size() != 4)
        return {};
    return ClientRect(window).adjusted(static_cast<int>(-e[0]), static_cast<int>(-e[2]), static_cast<int>(e[1]),
                                       static_cast<int>(e[3]));
}

struct SizeHints {
    QSize min;
    QSize max;
};

SizeHints NormalHints(Window window)
{
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(XDisplay(), window, &hints, &supplied);
    SizeHints result;
    if (hints.flags & PMinSize)
        result.min = QSize(hints.min_width, hints.min_height);
    if (hints.flags & PMaxSize)
        result.max = QSize(hints.max_width, hints.max_height);
    return result;
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QtQuibo> m_quibo;
    QtQuibo& Q() { return *m_quibo; }
    Window Id() { return static_cast<Window>(Q().Window().winId()); }

private slots:
    void initTestCase()
    {
        // The window manager announces itself on the root window.
        QTRY_VERIFY_WITH_TIMEOUT(!WindowProperty(DefaultRootWindow(XDisplay()), "_NET_SUPPORTING_WM_CHECK").empty(), 10000);
    }

    void init()
    {
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Q().Window()));
        QTRY_COMPARE(Extents(Id()).size(), std::size_t(4));
    }

    void cleanup() { m_quibo.reset(); }

    void removeBorderKeepsAFrameAndTheOuterRectangle()
    {
        const Window id = Id();
        const std::vector<long> titled = Extents(id);
        QVERIFY2(titled[2] > titled[3], "a title bar above the window");
        const QRect outer = OuterRect(id);
        const QSize form = Q().Form().size();

        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QTRY_VERIFY(Untitled(id));
        QTRY_COMPARE(OuterRect(id), outer);
        QCOMPARE(Q().Form().size(), form);
        QVERIFY(Q().Window().menuBar()->isVisible());
        QCOMPARE(Id(), id);  // the same native window, not a new one

        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QTRY_COMPARE(Extents(id), titled);
        QTRY_COMPARE(OuterRect(id), outer);
        QCOMPARE(ClientRect(id).size(), Q().Window().sizeHint());
        QCOMPARE(Id(), id);
    }

    void theWindowIsNeverResizable()
    {
        const Window id = Id();
        const auto verifyFixed = [&] {
            // Whatever layout pass the change set off has run.
            QTest::qWait(100);
            QTRY_COMPARE(NormalHints(id).min, ClientRect(id).size());
            const SizeHints hints = NormalHints(id);
            QVERIFY(hints.min.isValid());
            QCOMPARE(hints.min, hints.max);
            QCOMPARE(hints.min, ClientRect(id).size());
            QVERIFY(!HasAtom(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_RESIZE"));
            QVERIFY(!HasAtom(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MAXIMIZE_VERT"));
            QVERIFY(!HasAtom(id, "_NET_WM_ALLOWED_ACTIONS", "_NET_WM_ACTION_MAXIMIZE_HORZ"));
        };
        verifyFixed();
        const int height = ClientRect(id).height();
        // Hidden, the status bar's height goes too; shown, it comes back.
        const int barHeight = Q().Window().statusBar()->height();
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QTRY_COMPARE(ClientRect(id).height(), height - barHeight);
        verifyFixed();
        Q().Window().RunCommand(ID_VIEW_STATUS_BAR);
        QTRY_COMPARE(ClientRect(id).height(), height);
        verifyFixed();
    }

    void newAndOpenRefitTheFrame()
    {
        const QSize fitted = Q().Window().size();
        Q().Window().setFixedSize(fitted + QSize(30, 40));
        QTRY_COMPARE(ClientRect(Id()).size(), fitted + QSize(30, 40));
        Q().Window().RunCommand(ID_FILE_NEW);
        QTRY_COMPARE(ClientRect(Id()).size(), fitted);
        const SizeHints hints = NormalHints(Id());
        QCOMPARE(hints.min, fitted);
        QCOMPARE(hints.max, fitted);
    }

    void topmostChangesTheStateInPlace()
    {
        const Window id = Id();
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QTRY_VERIFY(HasAtom(id, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
        QCOMPARE(Id(), id);
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QTRY_VERIFY(!HasAtom(id, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
        QCOMPARE(Id(), id);
        // Without a title bar, the frame stays as it is.
        const QRect outer = OuterRect(id);
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QTRY_VERIFY(Untitled(id));
        QTRY_COMPARE(OuterRect(id), outer);
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QTRY_VERIFY(HasAtom(id, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
        QTest::qWait(200);
        QTRY_VERIFY(Untitled(id));
        QTRY_COMPARE(OuterRect(id), outer);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    WindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "WindowManagerTest.moc"
