#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quibo {

// What a replay prints after an action: the texts a user sees, in the
// form's single-byte characters.
struct FormState {
    struct Message {
        std::string caption;
        std::string text;
    };

    std::string display;
    std::string hex;
    std::string decimal;
    std::string binary;
    std::string byteorder;
    std::string datatype;
    std::string status;
    std::vector<Message> messages;  // the boxes the action showed, in order
    std::string wrap;               // what the WRAP pane says, whole
};

// Appends the state as one JSON object with no blanks outside strings, and
// no line end.
void AppendStateLine(std::string& out, const FormState& state);

// Appends {"error":"line N: message"}, no line end.
void AppendErrorLine(std::string& out, std::size_t lineNumber, std::string_view message);

// Appends a JSON string of Latin-1 text, written as UTF-8.
void AppendJsonString(std::string& out, std::string_view latin1);

}  // namespace quibo
