#include "hosts/qt/CommandLine.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

#include "numtext/Latin1.h"

namespace quibo {

namespace {

// Qt's options that take a value, those of them that may also be given as
// "-option=value", and those that stand alone. Qt takes each with one or
// two leading dashes.
constexpr std::array<std::string_view, 16> kValueOptions{
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display", "-geometry",
    "-qwindowgeometry", "-style", "-stylesheet", "-title", "-qwindowtitle", "-icon",
    "-qwindowicon", "-session", "-name", "-visual"};
constexpr std::array<std::string_view, 2> kJoinedOptions{"-style", "-stylesheet"};
constexpr std::array<std::string_view, 5> kFlagOptions{"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};

bool Contains(const auto& options, std::string_view option)
{
    return std::find(options.begin(), options.end(), option) != options.end();
}

CommandLine Only(CommandLine::Action action, std::string error = {})
{
    CommandLine result;
    result.action = action;
    result.error = std::move(error);
    return result;
}

CommandLine Fail(std::string error)
{
    return Only(CommandLine::Action::Error, std::move(error));
}

}  // namespace

const char kUsage[] = R"(Usage: quibo [OPTION]... [--] [FILE]

Quibo: a hex calculator and a HEX/DECIMAL/BINARY converter in one small
window. With FILE, Quibo opens it (its content is not read; the caption and
the recent-file list show it). After --, every argument is a file name.

Options:
  --help      show this help
  --version   show the version

While no field has the focus, the keyboard presses the keypad: 0-9, a-f,
+ - * / % ~ ^ & |, < and > for the shifts, = and Escape (CLR); Ctrl+C
copies the display.

Quibo runs on X11 when DISPLAY is set, else on Wayland when WAYLAND_DISPLAY
is, unless a platform is chosen with -platform or QT_QPA_PLATFORM. Standard
Qt options are accepted.

Exit status: 0 when the window was closed (SIGTERM, SIGINT and SIGHUP close
it too); 1 when there is no display to show it on, or FILE cannot be
opened; 2 for a mistake on the command line.
)";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (argument.empty())
                return Fail("no file name was given (the argument is empty)");
            if (result.fileName)
                return Fail("one file at most (" + QuotedForMessage(*result.fileName) + " and " +
                            QuotedForMessage(argument) + ")");
            result.fileName = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help")
            return Only(CommandLine::Action::Help);
        if (argument == "--version")
            return Only(CommandLine::Action::Version);

        // Qt's own: "-name", "--name", and "-style=value".
        const std::string_view option = std::string_view(argument).substr(argument[1] == '-' ? 1 : 0);
        const std::size_t equals = option.find('=');
        const std::string_view name = option.substr(0, equals);
        if (equals == std::string_view::npos && Contains(kFlagOptions, name)) {
            result.toolkitOptions.push_back(argument);
            continue;
        }
        if (!Contains(kValueOptions, name) || (equals != std::string_view::npos && !Contains(kJoinedOptions, name)))
            return Fail("unknown option " + QuotedForMessage(argument));
        result.toolkitOptions.push_back(argument);
        if (equals != std::string_view::npos)
            continue;
        if (i + 1 == arguments.size())
            return Fail("option " + QuotedForMessage(argument) + " needs a value");
        const std::string& value = arguments[++i];
        result.toolkitOptions.push_back(value);
        if (name == "-platform")
            result.platform = value;
        if (name == "-display")
            result.displayChosen = true;
    }
    return result;
}

PlatformChoice ChoosePlatform(const CommandLine& commandLine, const DisplayEnvironment& environment)
{
    if (commandLine.platform || !environment.qpaPlatform.empty())
        return {};
    // Staying on top, a frame without a title and the lock keys are X11
    // services, so X11 comes first, through XWayland on a Wayland desktop.
    const bool wayland = !environment.waylandDisplay.empty() && environment.waylandSocketFound;
    if (!environment.display.empty() || commandLine.displayChosen)
        return {wayland ? "xcb;wayland" : "xcb", {}};
    if (wayland)
        return {"wayland", {}};
    if (!environment.waylandDisplay.empty()) {
        const std::string socket = WaylandSocket(environment);
        return {{}, socket.empty() ? "no display to show the window on (WAYLAND_DISPLAY is set, but not XDG_RUNTIME_DIR)"
                                   : "no display to show the window on (no Wayland compositor at " + socket + ")"};
    }
    return {{}, "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)"};
}

DisplayEnvironment ReadDisplayEnvironment()
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    DisplayEnvironment environment{variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY"),
                                   variable("XDG_RUNTIME_DIR")};
    struct stat socket {};
    const std::string path = WaylandSocket(environment);
    environment.waylandSocketFound = !path.empty() && stat(path.c_str(), &socket) == 0 && S_ISSOCK(socket.st_mode);
    return environment;
}

std::string WaylandSocket(const DisplayEnvironment& environment)
{
    if (environment.waylandDisplay.empty())
        return {};
    if (environment.waylandDisplay.front() == '/')
        return environment.waylandDisplay;
    if (environment.runtimeDir.empty())
        return {};
    return environment.runtimeDir + "/" + environment.waylandDisplay;
}

}  // namespace quibo
