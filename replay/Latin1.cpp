#include "replay/Latin1.h"

#include <cstdint>

namespace quibo {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

// Length and code point of the well-formed UTF-8 sequence at text[i], or 0
// when the byte there does not start one (overlong forms and surrogates are
// not well-formed).
std::size_t DecodeOne(std::string_view text, std::size_t i, std::uint32_t& codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80u) {
        codePoint = lead;
        return 1;
    }
    // The lead byte gives the length, its payload bits, and the least code
    // point that needs that length.
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0u) == 0xC0u) {
        length = 2;
        codePoint = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0u) == 0xE0u) {
        length = 3;
        codePoint = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8u) == 0xF0u) {
        length = 4;
        codePoint = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(byte(k)))
            return 0;
        codePoint = (codePoint << 6) | (byte(k) & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFFu || (codePoint >= 0xD800u && codePoint <= 0xDFFFu))
        return 0;
    return length;
}

}  // namespace

std::string Utf8ToLatin1(std::string_view utf8)
{
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = DecodeOne(utf8, i, codePoint);
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
        const std::size_t length = DecodeOne(text, i, codePoint);
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
    for (char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80u) {
            out += c;
        } else {
            out += static_cast<char>(0xC0u | (byte >> 6));
            out += static_cast<char>(0x80u | (byte & 0x3Fu));
        }
    }
}

}  // namespace quibo
