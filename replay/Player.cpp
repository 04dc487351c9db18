#include "replay/Player.h"

#include <stdio.h>

#include <cerrno>

#include "app/DataTypeCommands.h"

namespace quibo {

std::optional<std::string> Player::Perform(const Action& action)
{
    using Kind = Action::Kind;
    const bool editing = action.kind == Kind::Type || action.kind == Kind::Backspace ||
                         action.kind == Kind::ClearField || action.kind == Kind::Paste;
    if (editing && !m_target.FieldHasFocus())
        return "no field has the focus";
    if (action.kind == Kind::Bit) {
        if (const int width = m_target.BitWidth(); action.count >= static_cast<std::uint64_t>(width))
            return "bit " + action.text + " is beyond the type's " + std::to_string(width) + " bits";
    }

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
    case Kind::DataType: m_target.ChooseCommand(FindDataTypeCommand(action.type)->id); break;
    case Kind::Command: m_target.ChooseCommand(action.command); break;
    case Kind::New: m_target.New(); break;
    case Kind::Bit: m_target.FlipBit(static_cast<int>(action.count)); break;
    }
    return std::nullopt;
}

std::variant<SkippedLine, FormState, LineError> Player::Play(std::string_view line)
{
    ParsedLine parsed = ParseReplayLine(line);
    if (std::holds_alternative<SkippedLine>(parsed))
        return SkippedLine{};
    if (auto* error = std::get_if<LineError>(&parsed))
        return std::move(*error);
    if (std::optional<std::string> fault = Perform(std::get<Action>(parsed)))
        return LineError{std::move(*fault)};
    return m_target.TakeState();
}

bool Player::PlayLine(std::string_view line, std::size_t lineNumber, std::string& out)
{
    const auto played = Play(line);
    if (std::holds_alternative<SkippedLine>(played))
        return true;
    if (const auto* error = std::get_if<LineError>(&played))
        AppendErrorLine(out, lineNumber, error->message);
    else
        AppendStateLine(out, std::get<FormState>(played));
    out += '\n';
    return !std::holds_alternative<LineError>(played);
}

LineReader::Result LineReader::Next(std::string& line)
{
    line.clear();
    std::size_t length = 0;
    int c;
    int last = EOF;
    while ((c = getc_unlocked(m_in)) != EOF && c != '\n') {
        if (++length <= kMaxLineBytes + 1)
            line += static_cast<char>(c);
        last = c;
    }
    if (c == EOF && ferror(m_in)) {
        m_error = errno;
        return Result::Failed;
    }
    if (c == EOF && length == 0)
        return Result::End;
    // The CR of a CR LF ends the line as the LF does.
    if (c == '\n' && last == '\r') {
        --length;
        line.pop_back();
    }
    return length > kMaxLineBytes ? Result::TooLong : Result::Line;
}

StreamResult Player::PlayStream(std::FILE* in, std::FILE* out, bool flushEachLine)
{
    StreamResult result;
    LineReader reader(in);
    std::string line;
    std::string output;
    for (std::size_t lineNumber = 1;; ++lineNumber) {
        const LineReader::Result read = reader.Next(line);
        if (read == LineReader::Result::End)
            break;
        if (read == LineReader::Result::Failed)
            return {StreamResult::Status::ReadFailed, reader.Error()};
        output.clear();
        bool clean = false;
        if (read == LineReader::Result::TooLong) {
            AppendErrorLine(output, lineNumber, "line longer than " + std::to_string(LineReader::kMaxLineBytes) + " bytes");
            output += '\n';
        } else {
            clean = PlayLine(line, lineNumber, output);
        }
        if (!clean && result.status == StreamResult::Status::Clean)
            result.status = StreamResult::Status::LineErrors;
        if (std::fwrite(output.data(), 1, output.size(), out) != output.size() ||
            (flushEachLine && !output.empty() && std::fflush(out) != 0))
            return {StreamResult::Status::WriteFailed, errno};
    }
    if (std::fflush(out) != 0)
        return {StreamResult::Status::WriteFailed, errno};
    return result;
}

}  // namespace quibo
