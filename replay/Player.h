#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

#include "replay/Action.h"
#include "replay/StateLine.h"

namespace quibo {

// A form that replay actions can drive: the headless form, or the real
// window through real input events.
class ReplayTarget {
public:
    virtual ~ReplayTarget() = default;

    virtual void Click(ControlId key) = 0;
    virtual void Focus(ControlId field) = 0;
    virtual bool FieldHasFocus() = 0;
    // Texts come as written (UTF-8); the field takes them as it takes a
    // keyboard's.
    virtual void Type(std::string_view text) = 0;
    virtual void Backspace(std::uint64_t count) = 0;
    virtual void ClearField() = 0;
    virtual void Paste(std::string_view text) = 0;
    // A menu command, as a click on its menu item chooses it.
    virtual void ChooseCommand(int id) = 0;
    virtual void New() = 0;
    // How many of the Bits panel's bits can be flipped now (the type's
    // width), and a click on one of them.
    virtual int BitWidth() = 0;
    virtual void FlipBit(int bit) = 0;
    // The texts shown now, and the message boxes shown since the last call.
    virtual FormState TakeState() = 0;
};

// Reads a script's lines: a line ends at LF, a CR just before it is
// dropped, the last line may have no LF. A line longer than
// kMaxLineBytes (not counting its LF, or CR LF) is read past in bounded
// memory and reported as too long.
class LineReader {
public:
    static constexpr std::size_t kMaxLineBytes = 1048576;

    enum class Result { Line, TooLong, End, Failed };

    explicit LineReader(std::FILE* in) : m_in(in) {}

    // The next line, without its end; Failed leaves the errno in Error().
    Result Next(std::string& line);
    int Error() const { return m_error; }

private:
    std::FILE* m_in;
    int m_error = 0;
};

// How a stream of actions went: every line played (some maybe errors), or
// the script could not be read, or the output not written.
struct StreamResult {
    enum class Status { Clean, LineErrors, ReadFailed, WriteFailed };
    Status status = Status::Clean;
    int error = 0;  // errno of a read or write failure
};

// Plays replay scripts on a target, one line at a time.
class Player {
public:
    explicit Player(ReplayTarget& target) : m_target(target) {}

    // Does one action; the text of the fault if it cannot be done, in which
    // case nothing changed.
    std::optional<std::string> Perform(const Action& action);

    // Plays one line (without its line end): nothing for a blank or comment
    // line, else the state after its action, or the fault that kept it from
    // being done (nothing changed then).
    std::variant<SkippedLine, FormState, LineError> Play(std::string_view line);

    // Plays one line and appends its output as a script prints it, a JSON
    // line, or nothing for a blank or comment line. False when the line was
    // an error.
    bool PlayLine(std::string_view line, std::size_t lineNumber, std::string& out);

    // Plays a whole script from a stream, writing as it goes; with
    // flushEachLine, each line goes out as soon as its action has run.
    // Stops at the first read or write failure.
    StreamResult PlayStream(std::FILE* in, std::FILE* out, bool flushEachLine);

private:
    ReplayTarget& m_target;
};

}  // namespace quibo
