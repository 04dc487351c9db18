#include "replay/Player.h"

#include <stdio.h>

#include <cerrno>

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

StreamResult Player::PlayStream(std::FILE* in, std::FILE* out, bool flushEachLine)
{
    StreamResult result;
    const auto failed = [&result](StreamResult::Status status) {
        result.status = status;
        result.error = errno;
        return result;
    };
    std::string line;
    std::string output;
    std::size_t lineNumber = 0;
    bool more = true;
    while (more) {
        // A line ends at LF; a CR just before it is dropped. The last line
        // may have no LF. Bytes beyond the longest line are read, not kept.
        line.clear();
        std::size_t length = 0;
        int c;
        int last = EOF;
        while ((c = getc_unlocked(in)) != EOF && c != '\n') {
            if (++length <= kMaxLineBytes + 1)
                line += static_cast<char>(c);
            last = c;
        }
        // The CR of a CR LF ends the line as the LF does.
        const std::size_t counted = c == '\n' && last == '\r' ? length - 1 : length;
        if (c == EOF) {
            if (ferror(in))
                return failed(StreamResult::Status::ReadFailed);
            more = false;
            if (length == 0)
                break;
        }
        ++lineNumber;
        output.clear();
        bool lineClean = false;
        if (counted > kMaxLineBytes) {
            AppendErrorLine(output, lineNumber, "line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            output += '\n';
        } else {
            if (c == '\n' && !line.empty() && line.back() == '\r')
                line.pop_back();
            lineClean = PlayLine(line, lineNumber, output);
        }
        if (!lineClean && result.status == StreamResult::Status::Clean)
            result.status = StreamResult::Status::LineErrors;
        if (std::fwrite(output.data(), 1, output.size(), out) != output.size() ||
            (flushEachLine && !output.empty() && std::fflush(out) != 0))
            return failed(StreamResult::Status::WriteFailed);
    }
    if (std::fflush(out) != 0)
        return failed(StreamResult::Status::WriteFailed);
    return result;
}

}  // namespace quibo
