#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quibo {

// quibo's command line, read before any window system is touched, so that
// --help, --version and mistakes work without a display.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    // At most one file to open; its name as the bytes the system gave.
    std::optional<std::string> fileName;
    // The toolkit's own options with their values, in order, for it to read.
    std::vector<std::string> toolkitOptions;
    // The window system that -platform or -display chose, if any.
    std::optional<std::string> platform;
    bool displayChosen = false;
    // For Error: what was wrong, one line.
    std::string error;
};

// "--" ends the options: every later argument is a file name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Which of Qt's platforms to start on: empty when the user chose one (with
// -platform or QT_QPA_PLATFORM); the X server when there is one (falling
// back to Wayland when both are set), else the Wayland compositor. Nothing
// and an error when there is no display at all.
struct PlatformChoice {
    std::string platform;
    std::string error;
};

struct DisplayEnvironment {
    std::string qpaPlatform;     // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string runtimeDir;      // XDG_RUNTIME_DIR
    // Whether a socket is there, at WaylandSocket(): Qt's Wayland platform
    // reports a missing one on standard error before it gives up.
    bool waylandSocketFound = false;
};

// Where WAYLAND_DISPLAY's socket is: the name itself when absolute, else
// under XDG_RUNTIME_DIR; empty when neither tells.
std::string WaylandSocket(const DisplayEnvironment& environment);

// This process's environment, and whether the Wayland socket is there.
DisplayEnvironment ReadDisplayEnvironment();

PlatformChoice ChoosePlatform(const CommandLine& commandLine, const DisplayEnvironment& environment);

extern const char kUsage[];

}  // namespace quibo
