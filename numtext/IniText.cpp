#include "numtext/IniText.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "numtext/Utf8.h"

namespace quibo {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr char kHex[] = "0123456789abcdef";

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int HexDigit(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
    });
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return IsSpace(c) || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void AppendUtf16(std::u16string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x10000u) {
        out += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000u;
        out += static_cast<char16_t>(0xD800u + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00u + (codePoint & 0x3FFu));
    }
}

// What a file name is given as: a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t unit = text[i];
        const bool high = unit >= 0xD800u && unit <= 0xDBFFu;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00u && text[i + 1] <= 0xDFFFu)
            unit = 0x10000u + ((unit - 0xD800u) << 10) + (text[++i] - 0xDC00u);
        else if (unit >= 0xD800u && unit <= 0xDFFFu)
            unit = 0xFFFDu;
        AppendUtf8(out, unit);
    }
    return out;
}

// QString::toLatin1: a character beyond Latin-1 becomes '?'.
std::string ToLatin1(std::u16string_view text)
{
    std::string out;
    for (char16_t unit : text)
        out += unit <= 0xFFu ? static_cast<char>(unit) : '?';
    return out;
}

// Whether more bytes could still make rest, cut short, well-formed.
bool CouldComplete(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    const std::size_t length = lead >= 0xF0u ? 4 : lead >= 0xE0u ? 3 : lead >= 0xC0u ? 2 : 0;
    if (rest.size() >= length)
        return false;
    // Only the second byte has a range narrower than 80..BF.
    for (const char second : {'\x80', '\x90', '\xA0'}) {
        std::string whole(rest);
        if (whole.size() == 1)
            whole += second;
        whole.resize(length, '\x80');
        std::uint32_t codePoint = 0;
        if (DecodeUtf8(whole, 0, codePoint) == length)
            return true;
    }
    return false;
}

// UTF-8 to UTF-16 as Qt's stateful decoder takes it, piece by piece: each
// byte that starts nothing well-formed becomes U+FFFD, a sequence cut at the
// end of a piece waits for the next one (and is dropped when none comes),
// and a byte-order mark that is the first character is dropped.
class Utf8Decoder {
public:
    void Feed(std::string_view bytes, std::u16string& out)
    {
        const std::string buffer = m_pending + std::string(bytes);
        m_pending.clear();
        for (std::size_t i = 0; i < buffer.size();) {
            std::uint32_t codePoint = 0;
            std::size_t length = DecodeUtf8(buffer, i, codePoint);
            if (length == 0 && CouldComplete(std::string_view(buffer).substr(i))) {
                m_pending = buffer.substr(i);
                return;
            }
            if (length == 0) {
                codePoint = 0xFFFDu;
                length = 1;
            }
            i += length;
            if (m_started || codePoint != 0xFEFFu)
                AppendUtf16(out, codePoint);
            m_started = true;
        }
    }
    // The end of the text: a sequence cut short is one bad character.
    void Finish(std::u16string& out)
    {
        if (!m_pending.empty())
            out += u'\uFFFD';
        m_pending.clear();
    }

private:
    std::string m_pending;
    bool m_started = false;
};

std::u16string Utf16Of(std::string_view bytes)
{
    std::u16string out;
    Utf8Decoder decoder;
    decoder.Feed(bytes, out);
    decoder.Finish(out);
    return out;
}

// A key or a section name as Qt's store writes it: %XX or %UXXXX for what
// is not a letter, digit, '_', '-' or '.', and '\' for '/'.
std::string EscapedKey(std::string_view key)
{
    static constexpr char kUpper[] = "0123456789ABCDEF";
    std::string out;
    for (char16_t unit : Utf16Of(key)) {
        const bool plain = (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') ||
                           (unit >= '0' && unit <= '9') || unit == '_' || unit == '-' || unit == '.';
        if (unit == '/') {
            out += '\\';
        } else if (plain) {
            out += static_cast<char>(unit);
        } else {
            out += unit <= 0xFFu ? "%" : "%U";
            for (int shift = unit <= 0xFFu ? 4 : 12; shift >= 0; shift -= 4)
                out += kUpper[(unit >> shift) & 0xFu];
        }
    }
    return out;
}

std::u16string UnescapedKey(std::string_view key)
{
    const std::u16string text = Utf16Of(key);
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\\') {
            out += u'/';
            ++i;
            continue;
        }
        const std::size_t first = i + 1 + (i + 1 < text.size() && text[i + 1] == 'U');
        const std::size_t digits = first == i + 2 ? 4 : 2;
        std::uint32_t unit = 0;
        bool ok = text[i] == '%' && i + 1 < text.size() && first + digits <= text.size();
        for (std::size_t k = first; ok && k < first + digits; ++k) {
            ok = HexDigit(text[k]) >= 0;
            unit = unit * 16 + static_cast<std::uint32_t>(ok ? HexDigit(text[k]) : 0);
        }
        out += ok ? static_cast<char16_t>(unit) : text[i];
        i = ok ? first + digits : i + 1;
    }
    return out;
}

// \x and \0 escapes: as many digits as follow at text[i], in 16 bits.
void ReadNumber(std::string_view text, std::size_t& i, int base, std::u16string& result)
{
    std::uint32_t value = 0;
    for (int digit; i < text.size() && (digit = HexDigit(static_cast<unsigned char>(text[i]))) >= 0 && digit < base; ++i)
        value = (value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit)) & 0xFFFFu;
    result += static_cast<char16_t>(value);
}

// The escape after the '\' at text[i - 1], into result, with i past it.
// True when the text ends in it: the value ends there as it stands.
bool ReadEscape(std::string_view text, std::size_t& i, std::u16string& result)
{
    static constexpr std::string_view kEscapes = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
    if (i >= text.size())
        return true;
    const char escaped = text[i++];
    const bool digits = escaped == 'x' || (escaped >= '0' && escaped <= '7');
    if (const std::size_t at = kEscapes.find(escaped); at != npos && at % 2 == 0) {
        result += static_cast<char16_t>(kEscapes[at + 1]);
    } else if (escaped == 'x' && i < text.size() && HexDigit(static_cast<unsigned char>(text[i])) >= 0) {
        ReadNumber(text, i, 16, result);
    } else if (escaped >= '0' && escaped <= '7') {
        --i;
        ReadNumber(text, i, 8, result);
    } else if ((escaped == '\n' || escaped == '\r') && i < text.size() && (text[i] == '\n' || text[i] == '\r') &&
               text[i] != escaped) {
        ++i;  // a line break of two characters, escaped as one
    }
    return digits && i >= text.size();
}

// A value's text as Qt's store reads it: blanks around it dropped, quotes
// keeping them, C escapes (\xHH.. and octal ones in 16 bits), and a ',' out
// of quotes making it a list, which is reported by isList.
std::u16string UnescapedValue(std::string_view text, bool& isList)
{
    std::u16string result;
    Utf8Decoder decoder;
    bool inQuotes = false;
    bool quoted = false;
    isList = false;
    std::size_t i = 0;
    std::size_t chopLimit = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        chopLimit = result.size();
    };
    const auto chop = [&] {
        while (result.size() > chopLimit && (result.back() == ' ' || result.back() == '\t'))
            result.pop_back();
    };
    skipBlanks();
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            if (ReadEscape(text, ++i, result))
                return result;
            chopLimit = result.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chop();
            isList = true;
            result.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            std::size_t j = i + 1;
            while (j < text.size() && text[j] != '\\' && text[j] != '"' && text[j] != ',')
                ++j;
            decoder.Feed(text.substr(i, j - i), result);
            i = j;
        }
    }
    if (!quoted)
        chop();
    return result;
}

bool StartsWith(std::u16string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

// What Qt's store makes of a value's text (QSettingsPrivate's
// stringToVariant), as far as text and bytes go.
IniValue ValueOf(std::string_view raw)
{
    bool isList = false;
    const std::u16string text = UnescapedValue(raw, isList);
    const std::u16string_view view = text;
    if (isList)
        return {};
    if (StartsWith(view, "@") && view.ends_with(u')')) {
        const std::u16string_view inner = view.substr(0, view.size() - 1);
        const auto spaces = std::count(inner.begin(), inner.end(), u' ');
        if (StartsWith(view, "@ByteArray("))
            return {IniValue::Kind::Bytes, ToLatin1(inner.substr(11))};
        if (StartsWith(view, "@String("))
            return {IniValue::Kind::Text, ToUtf8(inner.substr(8))};
        if (StartsWith(view, "@Variant(") || StartsWith(view, "@DateTime(") || view == u"@Invalid()" ||
            (StartsWith(view, "@Rect(") && spaces == 3) || (StartsWith(view, "@Size(") && spaces == 1) ||
            (StartsWith(view, "@Point(") && spaces == 1))
            return {};
    }
    return {IniValue::Kind::Text, ToUtf8(StartsWith(view, "@@") ? view.substr(1) : view)};
}

// A value as Qt's store writes it (QSettingsPrivate's iniEscapedString):
// control characters escaped, and bytes beyond ASCII too when the value
// holds bytes rather than text; quoted when it holds ';', ',' or '=' or
// starts or ends with a blank.
std::string EscapedValue(const IniValue& value)
{
    std::string text = value.bytes;
    const bool bytes = value.kind == IniValue::Kind::Bytes;
    if (bytes)
        text = "@ByteArray(" + text + ")";
    else if (text.find('\0') != npos)
        text = "@String(" + text + ")";
    else if (text.starts_with('@'))
        text = "@" + text;
    std::string out;
    bool quote = false;
    bool escapeDigit = false;  // a digit after \x or \0 would join it
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        quote = quote || c == ';' || c == ',' || c == '=';
        const std::string_view named = "\aa\bb\ff\nn\rr\tt\vv\"\"\\\\";
        const std::size_t at = c ? named.find(c) : npos;
        if (escapeDigit && HexDigit(byte) >= 0) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xFu];
        } else if (c == '\0') {
            out += "\\0";
            escapeDigit = true;
        } else if (at != npos && at % 2 == 0) {
            out += '\\';
            out += named[at + 1];
            escapeDigit = false;
        } else if (byte <= 0x1Fu || (bytes && byte >= 0x7Fu)) {
            out += "\\x";
            if (byte >> 4)
                out += kHex[byte >> 4];
            out += kHex[byte & 0xFu];
            escapeDigit = true;
        } else {
            out += c;
            escapeDigit = false;
        }
    }
    if (quote || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

// The text's lines as Qt's store splits them, each either a section's
// header or a line of the section last named; keys are lines with an '='.
struct Line {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t equals = npos;  // for a key
    std::u16string section;     // Qt's: "" for General, else the name and '/'
};

// The next line from position (QConfFileSettingsPrivate::readIniLine): a
// line ends at a line break or a ';' out of quotes, and a '\' takes the
// character after it into the line; a ';' that starts one makes a comment.
bool NextLine(std::string_view text, std::size_t& position, Line& line)
{
    bool inQuotes = false;
    std::size_t start = position;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    std::size_t i = start;
    line.equals = npos;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '=' && !inQuotes && line.equals == npos) {
            line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\' && i < text.size()) {
            const char escaped = text[i++];
            if (i < text.size() && ((escaped == '\n' && text[i] == '\r') || (escaped == '\r' && text[i] == '\n')))
                ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';' && i == start + 1) {
            while (i < text.size() && text[i] != '\n' && text[i] != '\r')
                ++i;
            while (i < text.size() && IsSpace(text[i]))
                ++i;
            start = i;
        } else if (c == ';' && !inQuotes) {
            --i;
            break;
        }
    }
    position = i;
    line.start = start;
    line.end = i;
    return i > start;
}

std::u16string SectionOf(std::string_view header)
{
    const std::size_t close = header.find(']');
    const std::string_view name = Trimmed(header.substr(1, close == npos ? npos : close - 1));
    if (EqualsIgnoringCase(name, "general"))
        return {};
    if (EqualsIgnoringCase(name, "%general"))
        return std::u16string(name.begin() + 1, name.end()) + u'/';
    return UnescapedKey(name) + u'/';
}

std::size_t BomLength(std::string_view text)
{
    return text.starts_with(kBom) ? kBom.size() : 0;
}

std::vector<Line> Lines(std::string_view text)
{
    std::vector<Line> lines;
    std::u16string section;
    Line line;
    for (std::size_t position = BomLength(text); NextLine(text, position, line);) {
        if (text[line.start] == '[') {
            section = SectionOf(text.substr(line.start, line.end - line.start));
            line.equals = npos;
        }
        line.section = section;
        lines.push_back(line);
    }
    return lines;
}

std::u16string SectionKey(std::string_view group)
{
    return group.empty() ? std::u16string() : Utf16Of(group) + u'/';
}

bool IsKey(std::string_view text, const Line& line, const std::u16string& section, const std::u16string& key)
{
    return line.equals != npos && line.section == section &&
           UnescapedKey(Trimmed(text.substr(line.start, line.equals - line.start))) == key;
}

// Where the physical line that holds position begins, and where the one
// that holds end ends, with its line break.
std::size_t LineBegin(std::string_view text, std::size_t position)
{
    while (position > BomLength(text) && text[position - 1] != '\n' && text[position - 1] != '\r')
        --position;
    return position;
}

std::size_t LineEnd(std::string_view text, std::size_t end)
{
    end = std::min(text.find_first_of("\r\n", end), text.size());
    if (end < text.size())
        end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    return end;
}

struct Splice {
    std::size_t at;
    std::size_t length;
    std::string text;
};

// The changes for one key of a section: its last line takes the new value
// in place, its other lines go. False when the text has no such key.
bool SpliceKey(std::string_view ini, const std::vector<Line>& lines, const std::u16string& section,
               const IniKeyEdit& edit, std::vector<Splice>& splices)
{
    const std::u16string key = Utf16Of(edit.key);
    std::vector<const Line*> found;
    for (const Line& line : lines) {
        if (IsKey(ini, line, section, key))
            found.push_back(&line);
    }
    for (const Line* line : found) {
        const std::size_t begin = LineBegin(ini, line->start);
        if (line != found.back() || !edit.value) {
            splices.push_back({begin, LineEnd(ini, line->end) - begin, {}});
            continue;
        }
        std::size_t start = line->equals + 1;
        std::size_t end = line->end;
        while (start < end && (ini[start] == ' ' || ini[start] == '\t'))
            ++start;
        while (end > start && (ini[end - 1] == ' ' || ini[end - 1] == '\t'))
            --end;
        splices.push_back({start, end - start, EscapedValue(*edit.value)});
    }
    return !found.empty();
}

// New keys' lines after the group's last line (General's begin the text),
// or, without the group, in a new section at the end.
Splice Addition(std::string_view ini, const std::vector<Line>& lines, std::string_view group, const std::string& added)
{
    const std::u16string section = SectionKey(group);
    std::optional<std::size_t> at;
    if (group.empty())
        at = BomLength(ini);
    for (const Line& line : lines) {
        if (line.section == section)
            at = LineEnd(ini, line.end);
    }
    if (at) {
        const bool open = *at > BomLength(ini) && ini[*at - 1] != '\n' && ini[*at - 1] != '\r';
        return {*at, 0, (open ? "\n" : "") + added};
    }
    const std::string name = EscapedKey(group);
    const char* before = ini.empty() || ini.ends_with("\n\n") ? "" : ini.ends_with('\n') ? "\n" : "\n\n";
    return {ini.size(), 0,
            before + std::string("[") + (EqualsIgnoringCase(name, "general") ? "%" : "") + name + "]\n" + added};
}

}  // namespace

IniValue IniValueOf(std::string bytes)
{
    // Not all UTF-8 comes back as it went: Qt's reading drops a byte-order
    // mark that comes first, even after an escape.
    IniValue text{IniValue::Kind::Text, bytes};
    if (ValueOf(EscapedValue(text)) == text)
        return text;
    return {IniValue::Kind::Bytes, std::move(bytes)};
}

std::optional<IniValue> ReadIniValue(std::string_view ini, std::string_view group, std::string_view key)
{
    const std::u16string section = SectionKey(group);
    const std::u16string name = Utf16Of(key);
    const std::vector<Line> lines = Lines(ini);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (IsKey(ini, *line, section, name))
            return ValueOf(ini.substr(line->equals + 1, line->end - line->equals - 1));
    }
    return std::nullopt;
}

std::optional<std::string> EditIni(std::string_view ini, std::string_view group, const std::vector<IniKeyEdit>& edits)
{
    const std::u16string section = SectionKey(group);
    const std::vector<Line> lines = Lines(ini);
    std::vector<Splice> splices;
    std::string added;
    for (const IniKeyEdit& edit : edits) {
        if (edit.value && edit.value->kind == IniValue::Kind::Other)
            return std::nullopt;
        if (!SpliceKey(ini, lines, section, edit, splices) && edit.value)
            added += EscapedKey(edit.key) + "=" + EscapedValue(*edit.value) + "\n";
    }
    if (!added.empty())
        splices.push_back(Addition(ini, lines, group, added));
    // From the end, so that each offset still holds; at one offset a line
    // removed goes before a line added there.
    std::sort(splices.begin(), splices.end(),
              [](const Splice& a, const Splice& b) { return std::tie(b.at, b.length) < std::tie(a.at, a.length); });
    std::string edited(ini);
    for (const Splice& splice : splices)
        edited.replace(splice.at, splice.length, splice.text);
    for (const IniKeyEdit& edit : edits) {
        if (ReadIniValue(edited, group, edit.key) != edit.value)
            return std::nullopt;
    }
    return edited;
}

}  // namespace quibo
