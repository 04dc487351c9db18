#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/DataType.h"
#include "platform/ControlIds.h"

namespace quibo {

// One user action of a replay script.
struct Action {
    enum class Kind { Click, Focus, Type, Backspace, ClearField, Paste, DataType, New, Bit, Command };

    explicit Action(Kind k) : kind(k) {}

    Kind kind;
    std::vector<ControlId> keys;  // Click
    ControlId field = IDC_STATIC; // Focus
    // Type, Paste: as the script or command line wrote it (UTF-8). The form
    // it goes into makes each character one place (numtext/Latin1.h). Bit:
    // the number as written.
    std::string text;
    std::uint64_t count = 0;      // Backspace; Bit: the bit's number
    DataType type = DataType::UnsignedLong;  // DataType
    int command = 0;              // Command: its id
};

// A blank or comment line: nothing to do and nothing to print.
struct SkippedLine {};

// A line that is no action; the text names the fault.
struct LineError {
    std::string message;
};

using ParsedLine = std::variant<SkippedLine, Action, LineError>;

// Parses one line of a script, without its line end. The line is UTF-8;
// key names, words and type names are read in Latin-1, texts to type or
// paste kept as written.
ParsedLine ParseReplayLine(std::string_view line);

}  // namespace quibo
