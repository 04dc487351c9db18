#include "replay/Action.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <optional>

#include "app/DataTypeCommands.h"
#include "numtext/Latin1.h"
#include "platform/CommandIds.h"
#include "res/Templates.h"

namespace quibo {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Takes the next blank-separated word off the front of text; empty when
// there is none.
std::string_view NextWord(std::string_view& text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

LineError Fault(std::string message)
{
    return LineError{std::move(message)};
}

// A word of the script in a message: escaped as quibo-cli's own messages
// escape what they echo, and a very long one cut, so that a message stays
// one line a person can read.
std::string Quoted(std::string_view text)
{
    return QuotedForMessage(text, 40);
}

ParsedLine ParseClick(std::string_view rest)
{
    Action action(Action::Kind::Click);
    action.keys.reserve(16);  // a script's line of clicks grows without reallocating
    for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
        const std::optional<ControlId> key = FindKeypadKey(word);
        if (!key)
            return Fault("unknown key " + Quoted(word));
        action.keys.push_back(*key);
    }
    if (action.keys.empty())
        return Fault("click needs at least one key");
    return action;
}

ParsedLine ParseFocus(std::string_view rest)
{
    const std::string_view field = NextWord(rest);
    if (field.empty() || !NextWord(rest).empty())
        return Fault("focus needs one field: hex or decimal");
    Action action(Action::Kind::Focus);
    if (field == "hex")
        action.field = IDC_HEX_EDIT;
    else if (field == "decimal")
        action.field = IDC_DECIMAL_EDIT;
    else
        return Fault("unknown field " + Quoted(field) + "; focus takes hex or decimal");
    return action;
}

// A count of decimal digits; one too large to hold is held as the largest,
// which is as much too large as it.
std::optional<std::uint64_t> Count(std::string_view digits)
{
    std::uint64_t count = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
        const auto digit = static_cast<std::uint64_t>(c - '0');
        count = count > (kMax - digit) / 10 ? kMax : count * 10 + digit;
    }
    return count;
}

ParsedLine ParseBackspace(std::string_view rest)
{
    const std::string_view count = NextWord(rest);
    Action action(Action::Kind::Backspace);
    action.count = 1;
    if (count.empty())
        return action;
    if (!NextWord(rest).empty())
        return Fault("backspace takes one count");
    // More presses than any field has characters change nothing more.
    const std::optional<std::uint64_t> presses = Count(count);
    if (!presses)
        return Fault("bad backspace count " + Quoted(count));
    action.count = *presses;
    return action;
}

ParsedLine ParseBit(std::string_view rest)
{
    const std::string_view number = NextWord(rest);
    if (number.empty() || !NextWord(rest).empty())
        return Fault("bit needs one bit number");
    const std::optional<std::uint64_t> bit = Count(number);
    if (!bit)
        return Fault("bad bit number " + Quoted(number));
    Action action(Action::Kind::Bit);
    action.count = *bit;
    // For a message; a very long number is cut as a word is.
    constexpr std::size_t kMost = 40;
    action.text = number.size() > kMost ? std::string(number.substr(0, kMost)) + "..." : std::string(number);
    return action;
}

ParsedLine ParseDataType(std::string_view name)
{
    const std::optional<DataType> type = DataTypeByName(name);
    if (!type)
        return Fault("unknown data type " + Quoted(name));
    Action action(Action::Kind::DataType);
    action.type = *type;
    return action;
}

// The menu commands a script chooses by their identifiers' names, besides
// the Data Type commands, which are named after their types
// (ID_TYPE_UNSIGNED_LONG_LONG): none opens a dialog or a file.
constexpr auto kCommands = std::to_array<std::pair<std::string_view, int>>({
    {"ID_FILE_NEW", ID_FILE_NEW},
    {"ID_VIEW_STATUS_BAR", ID_VIEW_STATUS_BAR},
    {"ID_VIEW_REMOVE_BORDER", ID_VIEW_REMOVE_BORDER},
    {"ID_VIEW_TOPMOST", ID_VIEW_TOPMOST},
    {"ID_VIEW_BITS", ID_VIEW_BITS},
    {"ID_VIEW_INSPECTOR", ID_VIEW_INSPECTOR},
});

std::optional<int> CommandNamed(std::string_view name)
{
    for (const auto& [command, id] : kCommands) {
        if (command == name)
            return id;
    }
    for (const DataTypeCommand& command : DataTypeCommands()) {
        std::string typeName = std::string("ID_TYPE_") + FindDataTypeInfo(command.type)->name;
        for (char& c : typeName)
            c = c == ' ' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (typeName == name)
            return command.id;
    }
    return std::nullopt;
}

ParsedLine ParseCommand(std::string_view rest)
{
    const std::string_view name = NextWord(rest);
    if (name.empty() || !NextWord(rest).empty())
        return Fault("command needs one identifier");
    const std::optional<int> id = CommandNamed(name);
    if (!id)
        return Fault("not a command a script chooses: " + Quoted(name));
    Action action(Action::Kind::Command);
    action.command = *id;
    return action;
}

ParsedLine NoArgument(Action::Kind kind, std::string_view word, std::string_view rest)
{
    if (!NextWord(rest).empty())
        return Fault(std::string(word) + " takes no argument");
    return Action(kind);
}

}  // namespace

ParsedLine ParseReplayLine(std::string_view utf8)
{
    const std::string latin1 = Utf8ToLatin1(utf8);
    const std::string_view line = Trim(latin1);
    if (line.empty() || line.front() == '#')
        return SkippedLine{};

    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    const std::string_view word = line.substr(0, end);
    // What follows the one blank after the word; texts keep further blanks.
    const std::string_view rest = end < line.size() ? line.substr(end + 1) : std::string_view();

    if (word == "click")
        return ParseClick(rest);
    if (word == "focus")
        return ParseFocus(rest);
    if (word == "type" || word == "paste") {
        // The same text in the line as written: the word and the blanks
        // around it are ASCII, one byte in both.
        const std::string_view written = Trim(utf8);
        Action action(word == "type" ? Action::Kind::Type : Action::Kind::Paste);
        action.text = written.substr(std::min(written.size(), end + 1));
        return action;
    }
    if (word == "backspace")
        return ParseBackspace(rest);
    if (word == "clear-field")
        return NoArgument(Action::Kind::ClearField, word, rest);
    if (word == "datatype")
        return ParseDataType(rest);
    if (word == "new")
        return NoArgument(Action::Kind::New, word, rest);
    if (word == "bit")
        return ParseBit(rest);
    if (word == "command")
        return ParseCommand(rest);
    return Fault("unknown action " + Quoted(word));
}

}  // namespace quibo
