// What quibo decides before any window exists: its command line, the
// window system it starts on, and paths kept as the system's bytes.
#include <QTest>

#include <unistd.h>

#include "hosts/qt/CommandLine.h"
#include "hosts/qt/files/FileNames.h"

using namespace quibo;

Q_DECLARE_METATYPE(CommandLine::Action)

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("fileName");  // "" for none
        QTest::addColumn<QStringList>("toolkitOptions");
        QTest::addColumn<QString>("error");
        using A = CommandLine::Action;
        QTest::newRow("nothing") << QStringList{} << A::Run << "" << QStringList{} << "";
        QTest::newRow("a file") << QStringList{"notes"} << A::Run << "notes" << QStringList{} << "";
        QTest::newRow("help wins") << QStringList{"notes", "--help", "--bogus"} << A::Help << "" << QStringList{} << "";
        QTest::newRow("version") << QStringList{"--version"} << A::Version << "" << QStringList{} << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << A::Error << "" << QStringList{}
                                        << "unknown option \"--bogus\"";
        QTest::newRow("empty name") << QStringList{""} << A::Error << "" << QStringList{}
                                    << "no file name was given (the argument is empty)";
        QTest::newRow("two files") << QStringList{"a", "b"} << A::Error << "" << QStringList{}
                                   << "one file at most (\"a\" and \"b\")";
        QTest::newRow("-- ends the options") << QStringList{"--", "-file"} << A::Run << "-file" << QStringList{} << "";
        QTest::newRow("after --, --help is a name") << QStringList{"--", "--help"} << A::Run << "--help"
                                                    << QStringList{} << "";
        QTest::newRow("after --, a Qt option is a name") << QStringList{"--", "-platform"} << A::Run << "-platform"
                                                         << QStringList{} << "";
        QTest::newRow("a second --") << QStringList{"--", "--"} << A::Run << "--" << QStringList{} << "";
        QTest::newRow("- is a name") << QStringList{"-"} << A::Run << "-" << QStringList{} << "";
        QTest::newRow("Qt options") << QStringList{"-platform", "offscreen", "notes", "-style=fusion", "-reverse"}
                                    << A::Run << "notes" << QStringList{"-platform", "offscreen", "-style=fusion", "-reverse"}
                                    << "";
        QTest::newRow("Qt option without its value") << QStringList{"-display"} << A::Error << "" << QStringList{}
                                                     << "option \"-display\" needs a value";
        QTest::newRow("Qt options with two dashes") << QStringList{"--platform", "xcb", "--reverse"} << A::Run << ""
                                                    << QStringList{"--platform", "xcb", "--reverse"} << "";
        QTest::newRow("-stylesheet=") << QStringList{"-stylesheet=a.qss"} << A::Run << "" << QStringList{"-stylesheet=a.qss"}
                                      << "";
        QTest::newRow("what the user gave, escaped and short")
            << QStringList{QString::fromLatin1("-\x1b[2J") + QString(100, 'x')} << A::Error << "" << QStringList{}
            << "unknown option \"-\\x1b[2J" + QString(35, 'x') + "...\"";
        QTest::newRow("= where Qt takes none") << QStringList{"-platform=wayland"} << A::Error << "" << QStringList{}
                                               << "unknown option \"-platform=wayland\"";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, fileName);
        QFETCH(QStringList, toolkitOptions);
        QFETCH(QString, error);
        std::vector<std::string> argv{"quibo"};
        for (const QString& argument : arguments)
            argv.push_back(argument.toStdString());
        const CommandLine parsed = ParseCommandLine(argv);
        QCOMPARE(parsed.action, action);
        QCOMPARE(QString::fromStdString(parsed.fileName.value_or("")), fileName);
        QCOMPARE(parsed.fileName.has_value(), !fileName.isEmpty());
        QStringList options;
        for (const std::string& option : parsed.toolkitOptions)
            options << QString::fromStdString(option);
        QCOMPARE(options, toolkitOptions);
        QCOMPARE(QString::fromStdString(parsed.error), error);
    }

    void aFileNameIsTheSystemsBytes()
    {
        const std::string name = "bad\xff\xfe.txt";
        const CommandLine parsed = ParseCommandLine({"quibo", name});
        QCOMPARE(parsed.fileName.value_or(""), name);
    }

    void platform_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("qpa");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<bool>("socketFound");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("error");
        QTest::newRow("X11") << QStringList{} << "" << ":0" << "" << false << "xcb" << "";
        QTest::newRow("Wayland desktop with XWayland") << QStringList{} << "" << ":0" << "wayland-0" << true
                                                       << "xcb;wayland" << "";
        QTest::newRow("Wayland desktop, compositor gone") << QStringList{} << "" << ":0" << "wayland-0" << false
                                                          << "xcb" << "";
        QTest::newRow("Wayland only") << QStringList{} << "" << "" << "wayland-0" << true << "wayland" << "";
        QTest::newRow("chosen by QT_QPA_PLATFORM") << QStringList{} << "offscreen" << "" << "" << false << "" << "";
        QTest::newRow("chosen by -platform") << QStringList{"-platform", "vnc"} << "" << "" << "" << false << ""
                                             << "";
        QTest::newRow("chosen by --platform") << QStringList{"--platform", "vnc"} << "" << ":0" << "" << false << ""
                                              << "";
        QTest::newRow("chosen by -display") << QStringList{"-display", ":1"} << "" << "" << "" << false << "xcb"
                                            << "";
        QTest::newRow("no display") << QStringList{} << "" << "" << "" << false << ""
                                    << "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        QTest::newRow("no compositor") << QStringList{} << "" << "" << "wayland-9" << false << ""
                                       << "no display to show the window on (no Wayland compositor at /run/user/1000/wayland-9)";
    }

    void platform()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, qpa);
        QFETCH(QString, display);
        QFETCH(QString, wayland);
        QFETCH(bool, socketFound);
        QFETCH(QString, platform);
        QFETCH(QString, error);
        std::vector<std::string> argv{"quibo"};
        for (const QString& argument : arguments)
            argv.push_back(argument.toStdString());
        const DisplayEnvironment environment{qpa.toStdString(), display.toStdString(), wayland.toStdString(),
                                             "/run/user/1000", socketFound};
        const PlatformChoice choice = ChoosePlatform(ParseCommandLine(argv), environment);
        QCOMPARE(QString::fromStdString(choice.platform), platform);
        QCOMPARE(QString::fromStdString(choice.error), error);
    }

    void waylandSocket()
    {
        QCOMPARE(WaylandSocket({"", "", "wayland-1", "/run/user/7", false}), std::string("/run/user/7/wayland-1"));
        QCOMPARE(WaylandSocket({"", "", "/tmp/w/socket", "", false}), std::string("/tmp/w/socket"));
        QCOMPARE(WaylandSocket({"", "", "wayland-1", "", false}), std::string());
        QCOMPARE(ChoosePlatform({}, {"", "", "wayland-1", "", false}).error,
                 std::string("no display to show the window on (WAYLAND_DISPLAY is set, but not XDG_RUNTIME_DIR)"));
    }

    void absolutePaths()
    {
        QCOMPARE(AbsolutePath("/a/./b//c/../d"), std::string("/a/b/d"));
        QCOMPARE(AbsolutePath("/../x"), std::string("/x"));
        QCOMPARE(AbsolutePath("/"), std::string("/"));
        QCOMPARE(AbsolutePath("/a/b/.."), std::string("/a"));
        QCOMPARE(AbsolutePath("//a///b/"), std::string("/a/b"));
        char cwd[4096];
        QVERIFY(getcwd(cwd, sizeof cwd));
        const std::string here = cwd == std::string("/") ? "" : cwd;
        QCOMPARE(AbsolutePath("caf\xc3\xa9/bad\xff.txt"), here + "/caf\xc3\xa9/bad\xff.txt");
        QCOMPARE(AbsolutePath("-file"), here + "/-file");
    }
};

QTEST_APPLESS_MAIN(StartupTest)
#include "StartupTest.moc"
