// quibo: the window.
#include <QApplication>
#include <QIcon>
#include <QTranslator>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/StandardDescriptors.h"
#include "hosts/qt/CommandLine.h"
#include "hosts/qt/frame/FirstFrame.h"
#include "hosts/qt/QtQuibo.h"
#include "hosts/qt/QtTranslations.h"
#include "hosts/qt/QuitOnSignals.h"

namespace {

// While the window system starts: Qt explains a platform that cannot start
// in several warnings and then aborts. Keep the first reason and end with
// it, in one line and exit status 1.
std::string g_platformReason;

void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platformMessage = context.category && QByteArray(context.category).startsWith("qt.qpa");
    if (type != QtFatalMsg) {
        if (!platformMessage)
            std::fprintf(stderr, "%s\n", qPrintable(message));
        else if ((type == QtWarningMsg || type == QtCriticalMsg) && g_platformReason.empty())
            g_platformReason = message.toStdString();
        return;
    }
    const std::string reason = g_platformReason.empty() ? message.section('\n', 0, 0).toStdString()
                                                        : g_platformReason;
    std::fprintf(stderr, "quibo: cannot show the window: %s\n", reason.c_str());
    std::fflush(stderr);
    _exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    quibo::HoldStandardDescriptors();
    const quibo::CommandLine commandLine = quibo::ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    switch (commandLine.action) {
    case quibo::CommandLine::Action::Help:
        std::fputs(quibo::kUsage, stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
    case quibo::CommandLine::Action::Version:
        std::printf("quibo %s\n", QUIBO_VERSION);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
    case quibo::CommandLine::Action::Error:
        std::fprintf(stderr, "quibo: %s\nTry 'quibo --help'.\n", commandLine.error.c_str());
        return 2;
    case quibo::CommandLine::Action::Run:
        break;
    }

    const quibo::PlatformChoice choice = quibo::ChoosePlatform(commandLine, quibo::ReadDisplayEnvironment());
    if (!choice.error.empty()) {
        std::fprintf(stderr, "quibo: %s\n", choice.error.c_str());
        return 1;
    }
    if (!choice.platform.empty())
        setenv("QT_QPA_PLATFORM", choice.platform.c_str(), 1);

    // The toolkit sees its own options only: a file name after "--" that
    // looks like one of them stays a file name.
    std::vector<std::string> toolkitArguments{argv[0]};
    toolkitArguments.insert(toolkitArguments.end(), commandLine.toolkitOptions.begin(),
                            commandLine.toolkitOptions.end());
    std::vector<char*> toolkitArgv;
    for (std::string& argument : toolkitArguments)
        toolkitArgv.push_back(argument.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitArguments.size());

    // From here on a signal quits through the normal exit path.
    quibo::QuitOnSignals quitOnSignals;
    qInstallMessageHandler(StartupMessages);
    QApplication application(toolkitArgc, toolkitArgv.data());
    qInstallMessageHandler(nullptr);
    quitOnSignals.Listen();

    // The icon's images and Qt's translations are read once the window's
    // first frame is on the screen, unless opening a file may say why it
    // cannot at start-up, in a box with the icon and its button in the
    // user's language.
    QTranslator qtTexts;
    const auto dress = [&qtTexts] {
        QIcon icon;
        for (int size : {16, 32, 48})
            icon.addFile(QStringLiteral(":/quibo/quibo-%1.png").arg(size), QSize(size, size));
        QApplication::setWindowIcon(icon);
        quibo::InstallQtTranslations(qtTexts);
    };
    if (commandLine.fileName)
        dress();

    quibo::QtQuibo quibo;
    if (!quibo.Start(commandLine.fileName))
        return 1;
    int status = 0;
    // A signal during start-up quits before the window shows.
    if (!quitOnSignals.Received()) {
        quibo.Window().show();
        quibo::AfterFirstFrame(quibo.Window(), [&] {
            if (!commandLine.fileName)
                dress();
            quibo.AfterFirstFrame();
        });
        status = QApplication::exec();
    }
    quibo.Exit([&quitOnSignals](int milliseconds) { return quitOnSignals.Pause(milliseconds); });
    return status;
}
