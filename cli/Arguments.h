#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "replay/Action.h"

namespace quibo {

// What the command line asks for.
struct CliPlan {
    enum class Mode { Actions, Script, Interactive, Help, Version };

    Mode mode = Mode::Actions;
    std::vector<Action> actions;  // Actions: done left to right
    bool json = false;            // Actions: print one replay state line
    bool code = false;            // Actions: print the value as code writes it
    bool inspect = false;         // Actions: print the value's readings as every type of its width
    std::string scriptPath;       // Script: a file, or "-" for standard input
};

// The plan, or the text of a command-line mistake.
std::variant<CliPlan, std::string> ParseArguments(std::span<const std::string_view> args, bool stdinIsTerminal);

}  // namespace quibo
