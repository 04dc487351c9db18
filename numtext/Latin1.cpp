#include "numtext/Latin1.h"

#include <algorithm>

#include <cstdint>

#include "numtext/Utf8.h"

namespace quibo {

std::string Utf8ToLatin1(std::string_view utf8)
{
    if (std::none_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) != 0; }))
        return std::string(utf8);  // ASCII is both
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(utf8, i, codePoint);
        if (length == 0) {
            latin1 += utf8[i];
            ++i;
            continue;
        }
        latin1 += codePoint <= 0xFFu ? static_cast<char>(codePoint) : '?';
        i += length;
    }
    return latin1;
}

std::string QuotedForMessage(std::string_view text, std::size_t most)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const auto escape = [](std::string& out, char prefix, std::uint32_t value, int digits) {
        out += '\\';
        out += prefix;
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
            out += kHex[(value >> shift) & 0xFu];
    };
    std::string quoted = "\"";
    std::size_t characters = 0;
    std::size_t i = 0;
    for (; i < text.size() && characters < most; ++characters) {
        std::uint32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(text, i, codePoint);
        if (length == 0) {
            escape(quoted, 'x', static_cast<unsigned char>(text[i]), 2);
            ++i;
            continue;
        }
        if (codePoint == '"' || codePoint == '\\')
            quoted += '\\';
        if (codePoint < 0x20u || codePoint == 0x7Fu)
            escape(quoted, 'x', codePoint, 2);
        else if (codePoint >= 0x80u && codePoint <= 0x9Fu)
            escape(quoted, 'u', codePoint, 4);
        else
            quoted.append(text.substr(i, length));
        i += length;
    }
    if (i < text.size())
        quoted += "...";
    return quoted + "\"";
}

void AppendLatin1AsUtf8(std::string& out, std::string_view latin1)
{
    // ASCII, nearly every text, goes in runs.
    while (!latin1.empty()) {
        const auto ascii = std::find_if(latin1.begin(), latin1.end(), [](char c) { return (c & 0x80) != 0; });
        out.append(latin1.begin(), ascii);
        latin1.remove_prefix(static_cast<std::size_t>(ascii - latin1.begin()));
        if (latin1.empty())
            break;
        const auto byte = static_cast<unsigned char>(latin1.front());
        out += static_cast<char>(0xC0u | (byte >> 6));
        out += static_cast<char>(0x80u | (byte & 0x3Fu));
        latin1.remove_prefix(1);
    }
}

}  // namespace quibo
