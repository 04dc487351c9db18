#include "shell/qt/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quibo {

namespace {

// Qt's options that take a value, and those that stand alone.
constexpr std::array<std::string_view, 13> kValueOptions{
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display", "-geometry", "-qwindowgeometry",
    "-style", "-stylesheet", "-title", "-qwindowtitle", "-qwindowicon", "-session"};
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

Quibo runs on X11 when DISPLAY is set, else on Wayland when WAYLAND_DISPLAY
is, unless a platform is chosen with -platform or QT_QPA_PLATFORM. Standard
Qt options are accepted.
)";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (isOption && argument == "--help") {
            return Only(CommandLine::Action::Help);
        } else if (isOption && argument == "--version") {
            return Only(CommandLine::Action::Version);
        } else if (isOption && Contains(kFlagOptions, argument)) {
            result.toolkitOptions.push_back(argument);
        } else if (isOption && Contains(kValueOptions, argument.substr(0, argument.find('=')))) {
            // "-style=fusion" or "-style fusion".
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            std::string value;
            result.toolkitOptions.push_back(argument);
            if (equals == std::string::npos) {
                if (i + 1 == arguments.size())
                    return Fail("option \"" + name + "\" needs a value");
                value = arguments[++i];
                result.toolkitOptions.push_back(value);
            } else {
                value = argument.substr(equals + 1);
            }
            if (name == "-platform")
                result.platform = value;
            if (name == "-display")
                result.displayChosen = true;
        } else if (isOption) {
            return Fail("unknown option \"" + argument + "\"");
        } else if (argument.empty()) {
            return Fail("no file name was given (the argument is empty)");
        } else if (result.fileName) {
            return Fail("one file at most (\"" + *result.fileName + "\" and \"" + argument + "\")");
        } else {
            result.fileName = argument;
        }
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
