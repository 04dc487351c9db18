// Plays arbitrary bytes as a replay script through the stream player on the
// headless form, and checks every output line: one per action line, valid
// JSON, an error naming its own line number, or a state whose byte order,
// data type and status are ones the program can show.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/DataTypeCommands.h"
#include "replay/HeadlessReplayTarget.h"

namespace {

using namespace quibo;

void Require(bool condition, const char* what)
{
    if (!condition) {
        __builtin_printf("broken: %s\n", what);
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
                if (e == 'u') {
                    if (m_text.substr(m_at, 2) != "00" || m_at + 4 > m_text.size())
                        return false;
                    m_at += 4;
                } else if (e != '"' && e != '\\' && e != 'n' && e != 't') {
                    return false;
                }
                if (out)
                    *out += e == 'n' ? '\n' : e;
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
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
    const bool clean = result.status == StreamResult::Status::Clean;
    std::fclose(in);
    std::fclose(out);
    const std::string output(written, writtenSize);
    std::free(written);

    // Walk the script's lines as the player splits them, beside the output.
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    std::size_t scriptAt = 0;
    std::size_t outputAt = 0;
    std::size_t lineNumber = 0;
    bool sawError = false;
    while (scriptAt < script.size()) {
        std::size_t end = script.find('\n', scriptAt);
        const bool last = end == std::string_view::npos;
        std::string_view line = script.substr(scriptAt, last ? std::string_view::npos : end - scriptAt);
        if (!last && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        scriptAt = last ? script.size() : end + 1;
        ++lineNumber;
        if (std::holds_alternative<SkippedLine>(ParseReplayLine(line)))
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
        Require(members->size() == 8, "a state line has its eight members");
        const std::string& byteOrder = members->at("byteorder");
        Require(byteOrder == "Mot" || byteOrder == "Int", "byte-order caption");
        Require(IsTypeName(members->at("datatype")), "data type name");
        Require(IsStatusText(members->at("status")), "status text");
    }
    Require(outputAt == output.size(), "no output beyond the action lines");
    Require(clean == !sawError, "the result says whether a line was an error");
    return 0;
}
