#include "shell/RecentFileIni.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>

#include "numtext/Utf8.h"

namespace quibo {

namespace {

constexpr std::string_view kSection = "Recent File List";
constexpr std::string_view kSectionHeader = "[Recent%20File%20List]";
constexpr std::array<std::string_view, 4> kKeys{"File1", "File2", "File3", "File4"};
constexpr char kHex[] = "0123456789abcdef";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A section name as the store writes it: "%20" for a blank, and so on.
std::string UnescapeSectionName(std::string_view name)
{
    std::string plain;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '%' && i + 2 < name.size() && HexValue(name[i + 1]) >= 0 && HexValue(name[i + 2]) >= 0) {
            plain += static_cast<char>(HexValue(name[i + 1]) * 16 + HexValue(name[i + 2]));
            i += 2;
        } else {
            plain += name[i];
        }
    }
    return plain;
}

// A line of the file, as the store reads it.
struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string section;    // Section: its name
    std::string_view key;   // Key: its name
    std::string_view value; // Key: the raw value
};

Line ParseLine(std::string_view text)
{
    const std::string_view trimmed = Trim(text);
    Line line;
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
        return line;
    if (trimmed.front() == '[') {
        const std::size_t end = trimmed.find(']');
        if (end != std::string_view::npos) {
            line.kind = Line::Kind::Section;
            line.section = UnescapeSectionName(trimmed.substr(1, end - 1));
        }
        return line;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return line;
    line.kind = Line::Kind::Key;
    line.key = Trim(trimmed.substr(0, equals));
    line.value = trimmed.substr(equals + 1);
    return line;
}

bool IsListKey(std::string_view key)
{
    for (std::string_view name : kKeys) {
        if (key == name)
            return true;
    }
    return false;
}

// Calls each(line text with its end, parsed line) for every line of ini.
template <typename Each>
void ForEachLine(std::string_view ini, Each each)
{
    while (!ini.empty()) {
        const std::size_t end = ini.find('\n');
        const std::size_t length = end == std::string_view::npos ? ini.size() : end + 1;
        const std::string_view whole = ini.substr(0, length);
        each(whole, ParseLine(whole.substr(0, end == std::string_view::npos ? whole.size() : end)));
        ini.remove_prefix(length);
    }
}

void AppendHexEscape(std::string& out, std::uint32_t value)
{
    out += "\\x";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[value & 0xFu]);
        value >>= 4;
    } while (value != 0);
    out += digits;
}

// As the store escapes a text: units are code points of UTF-8 text, or the
// bytes of a Latin-1 one, which escapes everything from 0x7F up.
std::string EscapeValue(std::string_view text, bool utf8)
{
    std::string out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t unit = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (utf8)
            length = DecodeUtf8(text, i, unit);
        const std::string_view raw = text.substr(i, length);
        i += length;
        if (unit == ';' || unit == ',' || unit == '=')
            needsQuotes = true;
        // A \x escape reads every hex digit that follows it.
        if (escapeNextIfDigit && unit < 0x80u && HexValue(static_cast<char>(unit)) >= 0) {
            AppendHexEscape(out, unit);
            continue;
        }
        escapeNextIfDigit = false;
        switch (unit) {
        case '\0': out += "\\0"; escapeNextIfDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += static_cast<char>(unit);
            break;
        default:
            if (unit <= 0x1Fu || (unit >= 0x7Fu && !utf8)) {
                AppendHexEscape(out, unit);
                escapeNextIfDigit = true;
            } else {
                out += raw;
            }
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        return '"' + out + '"';
    return out;
}

// As the store reads a value: the code units of its text, or nothing when
// it is a list.
std::optional<std::u16string> UnescapeValue(std::string_view value)
{
    std::u16string result;
    bool inQuotes = false;
    bool quoted = false;
    std::size_t chopLimit = 0;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
    };
    const auto readNumber = [&](int base) {
        char16_t number = 0;
        while (i < value.size()) {
            const int digit = HexValue(value[i]);
            if (digit < 0 || digit >= base)
                break;
            number = static_cast<char16_t>(number * base + digit);
            ++i;
        }
        return number;
    };
    skipBlanks();
    while (i < value.size()) {
        const char c = value[i];
        if (c == '\\') {
            if (++i >= value.size())
                break;
            const char escaped = value[i++];
            static constexpr std::array<std::pair<char, char>, 11> kEscapes{{{'a', '\a'}, {'b', '\b'}, {'f', '\f'},
                {'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}}};
            bool named = false;
            for (const auto& [name, meaning] : kEscapes) {
                if (escaped == name) {
                    result += static_cast<char16_t>(meaning);
                    named = true;
                }
            }
            if (!named && escaped == 'x' && i < value.size() && HexValue(value[i]) >= 0) {
                result += readNumber(16);
            } else if (!named && escaped >= '0' && escaped <= '7') {
                --i;  // the first digit is the number's too
                result += readNumber(8);
            }
            chopLimit = result.size();
            continue;
        }
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
            continue;
        }
        if (c == ',' && !inQuotes)
            return std::nullopt;  // a list: no file name
        // A run of plain text, as UTF-8 (what is not becomes U+FFFD).
        std::size_t end = i + 1;
        while (end < value.size() && value[end] != '\\' && value[end] != '"' && value[end] != ',')
            ++end;
        for (std::size_t k = i; k < end;) {
            std::uint32_t codePoint = 0xFFFD;
            const std::size_t length = DecodeUtf8(value.substr(0, end), k, codePoint);
            k += length == 0 ? 1 : length;
            if (length == 0)
                codePoint = 0xFFFD;
            if (codePoint >= 0x10000u) {
                result += static_cast<char16_t>(0xD800u + ((codePoint - 0x10000u) >> 10));
                result += static_cast<char16_t>(0xDC00u + ((codePoint - 0x10000u) & 0x3FFu));
            } else {
                result += static_cast<char16_t>(codePoint);
            }
        }
        i = end;
    }
    if (!quoted) {
        while (result.size() > chopLimit && (result.back() == u' ' || result.back() == u'\t'))
            result.pop_back();
    }
    return result;
}

}  // namespace

std::string EncodeIniValue(std::string_view name)
{
    if (!IsUtf8(name))
        return EscapeValue("@ByteArray(" + std::string(name) + ")", false);
    // A text that starts with '@' would read as a typed value.
    return EscapeValue(name.starts_with('@') ? "@" + std::string(name) : std::string(name), true);
}

std::string DecodeIniValue(std::string_view value)
{
    const std::optional<std::u16string> text = UnescapeValue(value);
    if (!text)
        return {};
    constexpr std::u16string_view kByteArray = u"@ByteArray(";
    constexpr std::u16string_view kString = u"@String(";
    std::u16string_view plain = *text;
    if (plain.starts_with(kByteArray) && plain.ends_with(u')')) {
        std::string bytes;
        for (char16_t unit : plain.substr(kByteArray.size(), plain.size() - kByteArray.size() - 1))
            bytes += unit <= 0xFFu ? static_cast<char>(unit) : '?';
        return bytes;
    }
    if (plain.starts_with(kString) && plain.ends_with(u')'))
        plain = plain.substr(kString.size(), plain.size() - kString.size() - 1);
    else if (plain.starts_with(u"@@"))
        plain.remove_prefix(1);
    else if (plain.starts_with(u'@'))
        return {};  // another kind of value
    std::string utf8;
    for (std::size_t k = 0; k < plain.size(); ++k) {
        std::uint32_t unit = plain[k];
        if (unit >= 0xD800u && unit <= 0xDBFFu && k + 1 < plain.size() && plain[k + 1] >= 0xDC00u &&
            plain[k + 1] <= 0xDFFFu) {
            unit = 0x10000u + ((unit - 0xD800u) << 10) + (plain[++k] - 0xDC00u);
        } else if (unit >= 0xD800u && unit <= 0xDFFFu) {
            unit = 0xFFFD;
        }
        AppendUtf8(utf8, unit);
    }
    return utf8;
}

std::vector<std::string> ReadRecentFileSection(std::string_view ini)
{
    // Later keys win, as in the store.
    std::map<std::string_view, std::string_view> values;
    bool inSection = false;
    ForEachLine(ini, [&](std::string_view, const Line& line) {
        if (line.kind == Line::Kind::Section)
            inSection = line.section == kSection;
        else if (line.kind == Line::Kind::Key && inSection && IsListKey(line.key))
            values[line.key] = line.value;
    });
    std::vector<std::string> files;
    for (std::string_view key : kKeys) {
        const auto it = values.find(key);
        if (it == values.end())
            continue;
        std::string file = DecodeIniValue(it->second);
        if (!file.empty())
            files.push_back(std::move(file));
    }
    return files;
}

std::string WriteRecentFileSection(std::string_view ini, const std::vector<std::string>& files)
{
    std::string keys;
    for (std::size_t i = 0; i < files.size() && i < kKeys.size(); ++i)
        keys += std::string(kKeys[i]) + "=" + EncodeIniValue(files[i]) + "\n";

    std::string out;
    bool inSection = false;
    bool written = false;
    ForEachLine(ini, [&](std::string_view whole, const Line& line) {
        if (line.kind == Line::Kind::Section) {
            inSection = line.section == kSection;
            out += whole;
            if (inSection && !written) {
                if (!whole.ends_with('\n'))
                    out += '\n';
                out += keys;
                written = true;
            }
            return;
        }
        if (line.kind == Line::Kind::Key && inSection && IsListKey(line.key))
            return;
        out += whole;
    });
    if (!written) {
        if (!out.empty() && !out.ends_with('\n'))
            out += '\n';
        if (!out.empty())
            out += '\n';
        out += std::string(kSectionHeader) + "\n" + keys;
    }
    return out;
}

}  // namespace quibo
