#include "replay/Player.h"

#include <stdio.h>

namespace quibo {

std::optional<std::string> Player::Perform(const Action& action)
{
    using Kind = Action::Kind;
    const bool editing = action.kind == Kind::Type || action.kind == Kind::Backspace ||
                         action.kind == Kind::ClearField || action.kind == Kind::Paste;
    if (editing && !m_target.FieldHasFocus())
        return "no field has the focus";

    switch (action.kind) {
    case Kind::Click:
        for (ControlId key : action.keys)
            m_target.Click(key);
        break;
    case Kind::Focus: m_target.Focus(action.field); break;
    case Kind::Type: m_target.Type(action.text); break;
    case Kind::Backspace: m_target.Backspace(action.count); break;
    case Kind::ClearField: m_target.ClearField(); break;
    case Kind::Paste: m_target.Paste(action.text); break;
    case Kind::DataType: m_target.ChooseDataType(action.type); break;
    case Kind::New: m_target.New(); break;
    }
    return std::nullopt;
}

bool Player::PlayLine(std::string_view line, std::size_t lineNumber, std::string& out)
{
    const ParsedLine parsed = ParseReplayLine(line);
    if (std::holds_alternative<SkippedLine>(parsed))
        return true;

    std::optional<std::string> fault;
    if (const auto* error = std::get_if<LineError>(&parsed))
        fault = error->message;
    else
        fault = Perform(std::get<Action>(parsed));

    if (fault)
        AppendErrorLine(out, lineNumber, *fault);
    else
        AppendStateLine(out, m_target.TakeState());
    out += '\n';
    return !fault;
}

bool Player::PlayStream(std::FILE* in, std::FILE* out)
{
    bool clean = true;
    std::string line;
    std::string output;
    std::size_t lineNumber = 0;
    bool more = true;
    while (more) {
        // A line ends at LF; a CR just before it is dropped. The last line
        // may have no LF.
        line.clear();
        int c;
        while ((c = getc_unlocked(in)) != EOF && c != '\n')
            line += static_cast<char>(c);
        if (c == EOF) {
            more = false;
            if (line.empty())
                break;
        } else if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        ++lineNumber;
        output.clear();
        clean = PlayLine(line, lineNumber, output) && clean;
        std::fwrite(output.data(), 1, output.size(), out);
    }
    std::fflush(out);
    return clean;
}

}  // namespace quibo
