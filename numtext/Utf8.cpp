#include "numtext/Utf8.h"

namespace quibo {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

}  // namespace

std::size_t DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& codePoint)
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

bool IsUtf8(std::string_view text)
{
    std::uint32_t codePoint = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = DecodeUtf8(text, i, codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80u) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800u) {
        out += static_cast<char>(0xC0u | (codePoint >> 6));
        out += static_cast<char>(0x80u | (codePoint & 0x3Fu));
    } else if (codePoint < 0x10000u) {
        out += static_cast<char>(0xE0u | (codePoint >> 12));
        out += static_cast<char>(0x80u | ((codePoint >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (codePoint & 0x3Fu));
    } else {
        out += static_cast<char>(0xF0u | (codePoint >> 18));
        out += static_cast<char>(0x80u | ((codePoint >> 12) & 0x3Fu));
        out += static_cast<char>(0x80u | ((codePoint >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (codePoint & 0x3Fu));
    }
}

}  // namespace quibo
