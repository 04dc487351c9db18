// The window on a Wayland compositor, chosen as quibo chooses it when there
// is no X server: it starts, and Make Topmost and Remove Border do what the
// compositor allows, with check marks that say what is so.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/CommandIds.h"
#include "hosts/qt/CommandLine.h"
#include "hosts/qt/QtQuibo.h"

using namespace quibo;

class WaylandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QtQuibo> m_quibo;
    QtQuibo& Q() { return *m_quibo; }

private slots:
    void init()
    {
        m_quibo = std::make_unique<QtQuibo>();
        QVERIFY(Q().Start(std::nullopt));
        Q().Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Q().Window()));
    }

    void cleanup() { m_quibo.reset(); }

    void startsOnWayland() { QCOMPARE(QGuiApplication::platformName(), QString("wayland")); }

    void topmostIsNotOffered()
    {
        // No Wayland protocol keeps a window above others: the item is off
        // and unchecked, not checked for nothing.
        QAction* topmost = Q().Window().Action(ID_VIEW_TOPMOST);
        QVERIFY(!topmost->isEnabled());
        Q().Window().RunCommand(ID_VIEW_TOPMOST);
        QVERIFY(!topmost->isChecked());
        QCOMPARE(Q().App().MenuCheck(ID_VIEW_TOPMOST), 0);
        QVERIFY(!(Q().Window().windowFlags() & Qt::WindowStaysOnTopHint));
    }

    void removeBorderTakesTheDecorationKeepingTheOuterSize()
    {
        QWindow* window = Q().Window().windowHandle();
        const QSize outer = Q().Window().frameGeometry().size();
        QVERIFY2(outer.height() > Q().Window().height(), "no title bar was drawn");
        const QSize form = Q().Form().size();
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QCOMPARE(window, Q().Window().windowHandle());
        QVERIFY(Q().Window().windowFlags() & Qt::FramelessWindowHint);
        QTRY_COMPARE(Q().Window().frameGeometry().size(), outer);
        QCOMPARE(Q().Form().size(), form);
        Q().Window().RunCommand(ID_VIEW_REMOVE_BORDER);
        QVERIFY(!Q().Window().Action(ID_VIEW_REMOVE_BORDER)->isChecked());
        QTRY_COMPARE(Q().Window().frameGeometry().size(), outer);
        QCOMPARE(Q().Window().size(), Q().Window().sizeHint());
    }
};

int main(int argc, char** argv)
{
    // The platform quibo would choose here.
    const PlatformChoice choice = ChoosePlatform(ParseCommandLine({"quibo"}), ReadDisplayEnvironment());
    if (!choice.error.empty()) {
        std::fprintf(stderr, "%s\n", choice.error.c_str());
        return 1;
    }
    if (!choice.platform.empty())
        setenv("QT_QPA_PLATFORM", choice.platform.c_str(), 1);
    // The decoration is what Remove Border takes away (with-weston.sh turns
    // it off for the other suites).
    unsetenv("QT_WAYLAND_DISABLE_WINDOWDECORATION");
    // Never destroyed. Qt 6.4's Wayland display can hang in its destructor,
    // joining an event thread that waits on a read the main thread prepared;
    // and its EGL teardown unloads Mesa's driver with a block still
    // allocated, which the leak check then cannot name. Each case destroys
    // Quibo's own objects (cleanup), so their leaks are still found.
    new QApplication(argc, argv);
    WaylandTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "WaylandTest.moc"
