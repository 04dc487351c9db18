// Plays arbitrary bytes as a replay script through the stream player on the
// headless form, and checks every output line: one per action line, valid
// JSON, an error naming its own line number, or a state whose byte order,
// data type and status are ones the program can show, and whose WRAP text
// says what is true of it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/DataTypeCommands.h"
#include "fuzz/WrapOracle.h"
#include "numtext/HexText.h"
#include "replay/HeadlessReplayTarget.h"

namespace {

using namespace quibo;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// A reader for the JSON the player writes: objects, arrays and strings.
// Returns the top-level string members, or nothing when the text is not
// valid JSON of that kind.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    std::optional<std::map<std::string, std::string>> ReadLine()
    {
        std::map<std::string, std::string> members;
        if (!Object(&members) || m_at != m_text.size())
            return std::nullopt;
        return members;
    }

private:
    bool Peek(char c) const { return m_at < m_text.size() && m_text[m_at] == c; }

    bool Eat(char c)
    {
        if (!Peek(c))
            return false;
        ++m_at;
        return true;
    }

    bool String(std::string* out)
    {
        if (!Eat('"'))
            return false;
        while (m_at < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_at++]);
            if (c == '"')
                return true;
            if (c < 0x20u)
                return false;  // control characters must be escaped
            if (c == '\\') {
                if (m_at >= m_text.size())
                    return false;
                const char e = m_text[m_at++];
                char decoded = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                if (e == 'u') {
                    // Only \u00XX: the player writes no other.
                    if (m_text.substr(m_at, 2) != "00" || m_at + 4 > m_text.size())
                        return false;
                    const auto digit = [&](char h) { return h <= '9' ? h - '0' : h - 'a' + 10; };
                    decoded = static_cast<char>(digit(m_text[m_at + 2]) * 16 + digit(m_text[m_at + 3]));
                    m_at += 4;
                } else if (e != '"' && e != '\\' && e != 'n' && e != 't') {
                    return false;
                }
                if (out)
                    *out += decoded;
                continue;
            }
            if (out)
                *out += static_cast<char>(c);
        }
        return false;
    }

    bool Value(std::string* out)
    {
        if (Peek('"'))
            return String(out);
        if (Peek('{'))
            return Object(nullptr);
        if (!Eat('['))
            return false;
        if (Eat(']'))
            return true;
        do {
            if (!Value(nullptr))
                return false;
        } while (Eat(','));
        return Eat(']');
    }

    bool Object(std::map<std::string, std::string>* members)
    {
        if (!Eat('{'))
            return false;
        if (Eat('}'))
            return true;
        do {
            std::string name;
            std::string value;
            if (!String(&name) || !Eat(':') || !Value(&value))
                return false;
            if (members)
                (*members)[name] = value;
        } while (Eat(','));
        return Eat('}');
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

bool IsTypeName(const std::string& name)
{
    return DataTypeByName(name).has_value();
}

bool IsStatusText(const std::string& text)
{
    if (text == " ")
        return true;
    for (const DataTypeCommand& command : DataTypeCommands()) {
        if (text == command.statusText)
            return true;
    }
    return false;
}

using Members = std::map<std::string, std::string>;

// What a lit WRAP pane claims, against the rest of its line: an exact result
// outside the type that the display holds cut to the type, a zero shown for
// a division by zero, a shift count outside the width, a DECIMAL text whose
// number is outside the type or gave an infinity.
void CheckWrapClaims(const Members& line)
{
    const std::string& wrap = line.at("wrap");
    const DataTypeInfo& info = *FindDataTypeInfo(*DataTypeByName(line.at("datatype")));
    const std::uint64_t display = HexTextToValue(line.at("display"));
    const std::string cut = std::string(" does not fit in ") + info.name;
    if (wrap.empty())
        return;
    if (wrap == "division by zero") {
        Require(!info.real && display == 0, "a division by zero shows 0");
    } else if (wrap.starts_with("shift count ")) {
        const std::string range = " is outside 0 to " + std::to_string(info.widthBits - 1);
        Require(!info.real && wrap.ends_with(range), "a shift count's range is the type's");
        const std::string count = wrap.substr(12, wrap.size() - 12 - range.size());
        const bool negative = count.starts_with('-');
        Require(count.size() > (negative ? 1u : 0u) && count.size() < 30 &&
                    count.find_first_not_of("0123456789", negative ? 1 : 0) == std::string::npos &&
                    (negative || wrap_oracle::Parse(count) >= static_cast<unsigned>(info.widthBits)),
                "the count is outside the width");
    } else if (wrap == "DECIMAL" + cut) {
        const std::string& decimal = line.at("decimal");
        if (!info.real)
            Require(!wrap_oracle::Fits(info, wrap_oracle::Spelled(decimal)), "DECIMAL's number is outside the type");
    } else {
        Require(!info.real && wrap.ends_with(cut), "a result does not fit in the current type");
        const std::string exact = wrap.substr(0, wrap.size() - cut.size());
        Require(exact.find_first_not_of("-0123456789") == std::string::npos && !wrap_oracle::Fits(info, exact),
                "the exact result is outside the type");
        // Cut to the type, the exact result is what the display shows.
        const auto low = static_cast<std::uint64_t>(wrap_oracle::Parse(exact));
        Require(((low ^ display) & WidthMask(info.widthBits)) == 0, "the display holds the exact result cut");
    }
}

// What an edit leaves in the pane: DECIMAL's text converted says what it
// cut (read back from HEX, shown big-endian), HEX's clears it, and an edit
// that changed nothing leaves it.
void CheckWrapAfterEdit(const Members& before, const Members& after, ControlId focus)
{
    const std::string& wrap = after.at("wrap");
    const DataTypeInfo& info = *FindDataTypeInfo(*DataTypeByName(after.at("datatype")));
    if (focus == IDC_DECIMAL_EDIT && after.at("decimal") != before.at("decimal")) {
        if (after.at("byteorder") == "Mot")
            Require(wrap == wrap_oracle::AfterDecimal(info, after.at("decimal"), HexTextToValue(after.at("hex"))),
                    "a DECIMAL text converted says what it cut");
    } else if (focus == IDC_HEX_EDIT && after.at("hex") != before.at("hex")) {
        Require(wrap.empty(), "a HEX text converted cuts nothing");
    } else if (focus == IDC_DECIMAL_EDIT || focus == IDC_HEX_EDIT) {
        Require(wrap == before.at("wrap"), "an edit that changes nothing leaves the pane");
    }
}

// Plays the script on a fresh application; gives what the player wrote and
// whether no line was an error.
std::string Played(const std::uint8_t* data, std::size_t size, bool& clean)
{
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    char* written = nullptr;
    std::size_t writtenSize = 0;
    std::FILE* out = open_memstream(&written, &writtenSize);
    Require(in && out, "memory streams");

    HeadlessApp app;
    HeadlessReplayTarget target(app);
    const StreamResult result = Player(target).PlayStream(in, out, false);
    Require(result.status == StreamResult::Status::Clean || result.status == StreamResult::Status::LineErrors,
            "memory streams neither fail to read nor to write");
    clean = result.status == StreamResult::Status::Clean;
    std::fclose(in);
    std::fclose(out);
    std::string output(written, writtenSize);
    std::free(written);
    return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    bool clean = false;
    const std::string output = Played(data, size, clean);

    // Walk the script's lines as the player splits them, beside the output.
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::size_t scriptAt = 0;
    std::size_t outputAt = 0;
    std::size_t lineNumber = 0;
    bool sawError = false;
    Members before{{"display", ""}, {"hex", ""}, {"decimal", ""}, {"wrap", ""}};
    ControlId focus = IDC_STATIC;
    while (scriptAt < script.size()) {
        std::size_t end = script.find('\n', scriptAt);
        const bool last = end == std::string_view::npos;
        std::string_view line = script.substr(scriptAt, last ? std::string_view::npos : end - scriptAt);
        if (!last && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        scriptAt = last ? script.size() : end + 1;
        ++lineNumber;
        const ParsedLine parsed = ParseReplayLine(line);
        if (std::holds_alternative<SkippedLine>(parsed))
            continue;

        const std::size_t lineEnd = output.find('\n', outputAt);
        Require(lineEnd != std::string::npos, "one output line per action line");
        const auto members = JsonReader(std::string_view(output).substr(outputAt, lineEnd - outputAt)).ReadLine();
        outputAt = lineEnd + 1;
        Require(members.has_value(), "each output line is JSON");
        if (members->count("error")) {
            sawError = true;
            const std::string prefix = "line " + std::to_string(lineNumber) + ": ";
            Require(members->at("error").starts_with(prefix), "an error names its line");
            continue;
        }
        Require(members->size() == 9, "a state line has its nine members");
        const std::string& byteOrder = members->at("byteorder");
        Require(byteOrder == "Mot" || byteOrder == "Int", "byte-order caption");
        Require(IsTypeName(members->at("datatype")), "data type name");
        Require(IsStatusText(members->at("status")), "status text");
        CheckWrapClaims(*members);
        // The keyboard focus as the actions move it: a field's own, a key's
        // or a bit's after a click, a menu command's none.
        using enum Action::Kind;
        const Action& action = std::get<Action>(parsed);
        if (action.kind == Focus)
            focus = action.field;
        else if (action.kind == Click || action.kind == Bit)
            focus = IDC_STATIC;
        else if (action.kind == Type || action.kind == Backspace || action.kind == ClearField || action.kind == Paste)
            CheckWrapAfterEdit(before, *members, focus);
        before = *members;
    }
    Require(outputAt == output.size(), "no output beyond the action lines");
    Require(clean == !sawError, "the result says whether a line was an error");
    return 0;
}
