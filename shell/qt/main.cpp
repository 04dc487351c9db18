// quibo: the window.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "shell/qt/QtQuibo.h"

namespace {

constexpr const char kUsage[] = R"(Usage: quibo [FILE]

Quibo: a hex calculator and a HEX/DECIMAL/BINARY converter in one small
window. With FILE, Quibo opens it (its content is not read; the caption and
the recent-file list show it).

Options:
  --help      show this help
  --version   show the version

Quibo runs on X11 (on a Wayland desktop through XWayland) unless a platform
is chosen with -platform or QT_QPA_PLATFORM. Standard Qt options are
accepted.
)";

bool IsQtOption(const char* arg)
{
    // Options that QApplication takes with their value.
    for (const char* option : {"-platform", "-display", "-geometry", "-qwindowgeometry", "-style", "-stylesheet",
                               "-title", "-qwindowtitle", "-qwindowicon", "-platformpluginpath", "-plugin"}) {
        if (std::strcmp(arg, option) == 0)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quibo %s\n", QUIBO_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "-platform") == 0)
            platformChosen = true;
    }
    // Staying on top, removing the title bar and the lock keys are X11
    // services.
    if (!platformChosen)
        setenv("QT_QPA_PLATFORM", "xcb", 1);

    QApplication application(argc, argv);
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/quibo/quibo-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // What QApplication left: at most one file name.
    std::optional<std::string> fileName;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (IsQtOption(arg)) {
            ++i;
            continue;
        }
        if (arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "quibo: unknown option \"%s\"\nTry 'quibo --help'.\n", arg);
            return 2;
        }
        if (fileName) {
            std::fprintf(stderr, "quibo: one file at most (\"%s\" and \"%s\")\nTry 'quibo --help'.\n",
                         fileName->c_str(), arg);
            return 2;
        }
        fileName = arg;
    }

    quibo::QtQuibo quibo;
    if (!quibo.Start(fileName))
        return 1;
    quibo.Window().show();
    const int status = QApplication::exec();
    quibo.Exit();
    return status;
}
