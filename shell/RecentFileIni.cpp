#include "shell/RecentFileIni.h"

#include <algorithm>
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

// A section or key name as the store writes it: "%20" for a blank, and so on.
std::string UnescapeName(std::string_view name)
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

// A logical line of the file, as the store reads it: after blanks, up to
// a line end or a ';' outside quotes (a quoted value, and a value whose
// line ends in a backslash, go on over line ends).
struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;        // Section or Key: its name
    std::string_view value;  // Key: the raw value
    std::size_t start = 0;   // where the line's text starts in the file
    std::size_t end = 0;     // where the line and one line end after it end
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimSpace(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Past the one line end (LF, CR or CR LF) at pos, if there is one there.
std::size_t PastLineEnd(std::string_view ini, std::size_t pos)
{
    if (pos >= ini.size())
        return ini.size();
    if (ini.substr(pos, 2) == "\r\n")
        return pos + 2;
    return ini[pos] == '\n' || ini[pos] == '\r' ? pos + 1 : pos;
}

// The next logical line at or after pos; nothing when only blanks and
// comments are left. pos moves past it.
std::optional<Line> NextLine(std::string_view ini, std::size_t& pos)
{
    std::size_t lineStart = pos;
    while (lineStart < ini.size() && IsSpace(ini[lineStart]))
        ++lineStart;
    std::size_t i = lineStart;
    std::size_t equals = std::string_view::npos;
    bool inQuotes = false;
    while (i < ini.size()) {
        const char c = ini[i++];
        if (c == '=') {
            if (!inQuotes && equals == std::string_view::npos)
                equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < ini.size()) {
                const char escaped = ini[i++];
                if (i < ini.size() && ((escaped == '\n' && ini[i] == '\r') || (escaped == '\r' && ini[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == lineStart + 1) {  // a comment line
                while (i < ini.size() && ini[i] != '\n' && ini[i] != '\r')
                    ++i;
                while (i < ini.size() && IsSpace(ini[i]))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    if (i == lineStart) {
        pos = ini.size();
        return std::nullopt;
    }
    Line line;
    line.start = lineStart;
    const std::string_view text = ini.substr(lineStart, i - lineStart);
    line.end = PastLineEnd(ini, i);
    pos = line.end;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        line.kind = Line::Kind::Section;
        line.name = UnescapeName(TrimSpace(text.substr(1, close == std::string_view::npos ? text.npos : close - 1)));
    } else if (equals != std::string_view::npos) {
        line.kind = Line::Kind::Key;
        line.name = UnescapeName(TrimSpace(ini.substr(lineStart, equals - lineStart)));
        line.value = ini.substr(equals + 1, i - equals - 1);
    }
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

// Where the store starts reading: after a byte order mark.
std::size_t TextStart(std::string_view ini)
{
    return ini.starts_with("\xEF\xBB\xBF") ? 3 : 0;
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
            } else if ((escaped == '\n' || escaped == '\r') && i < value.size() &&
                       (value[i] == '\n' || value[i] == '\r') && value[i] != escaped) {
                ++i;  // a line end of two characters, continued
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
    std::map<std::string, std::string_view> values;
    bool inSection = false;
    std::size_t pos = TextStart(ini);
    while (const std::optional<Line> line = NextLine(ini, pos)) {
        if (line->kind == Line::Kind::Section)
            inSection = line->name == kSection;
        else if (line->kind == Line::Kind::Key && inSection && IsListKey(line->name))
            values[line->name] = line->value;
    }
    std::vector<std::string> files;
    for (std::string_view key : kKeys) {
        const auto it = values.find(std::string(key));
        if (it == values.end())
            continue;
        std::string file = DecodeIniValue(it->second);
        // No file name holds a NUL: one that did would name another file.
        if (!file.empty() && file.find('\0') == std::string::npos)
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
    std::size_t copied = 0;  // what of ini is in out
    std::size_t pos = TextStart(ini);
    while (const std::optional<Line> line = NextLine(ini, pos)) {
        if (line->kind == Line::Kind::Section) {
            inSection = line->name == kSection;
            // The keys go after the header's whole line, a comment on it too.
            std::size_t end = line->end;
            if (end > 0 && ini[end - 1] != '\n' && ini[end - 1] != '\r')
                end = PastLineEnd(ini, ini.find_first_of("\r\n", end));
            out += ini.substr(copied, end - copied);
            copied = end;
            pos = std::max(pos, end);
            if (inSection && !written) {
                if (!out.ends_with('\n') && !out.ends_with('\r'))
                    out += '\n';
                out += keys;
                written = true;
            }
        } else if (line->kind == Line::Kind::Key && inSection && IsListKey(line->name)) {
            // Gone, with its line end; what stood before it stays.
            out += ini.substr(copied, line->start - copied);
            copied = line->end;
        }
    }
    out += ini.substr(copied);
    if (!written && !keys.empty()) {
        if (!out.empty() && !out.ends_with('\n'))
            out += '\n';
        if (!out.empty())
            out += '\n';
        out += std::string(kSectionHeader) + "\n" + keys;
    }
    // A file that ends inside quotes takes in whatever follows; the list
    // then goes first, and the file's own lines after it, as they were.
    std::vector<std::string> expected;
    for (const std::string& file : files) {
        if (expected.size() < kKeys.size() && !file.empty() && file.find('\0') == std::string::npos)
            expected.push_back(file);
    }
    if (!keys.empty() && ReadRecentFileSection(out) != expected) {
        const std::size_t start = TextStart(ini);
        out = std::string(ini.substr(0, start)) + std::string(kSectionHeader) + "\n" + keys + "\n[General]\n" +
              std::string(ini.substr(start));
    }
    return out;
}

}  // namespace quibo
