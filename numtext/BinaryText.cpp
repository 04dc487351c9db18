#include "numtext/BinaryText.h"

#include <array>
#include <cstring>

namespace quibo {

namespace {

// The four bits of each nibble, most significant first, and least
// significant first.
constexpr auto kNibbles = [] {
    std::array<std::array<char, 4>, 16> nibbles{};
    for (std::size_t n = 0; n < 16; ++n) {
        for (std::size_t bit = 0; bit < 4; ++bit)
            nibbles[n][bit] = (n >> (3 - bit) & 1u) ? '1' : '0';
    }
    return nibbles;
}();
constexpr auto kNibblesBackwards = [] {
    std::array<std::array<char, 4>, 16> nibbles{};
    for (std::size_t n = 0; n < 16; ++n) {
        for (std::size_t bit = 0; bit < 4; ++bit)
            nibbles[n][bit] = (n >> bit & 1u) ? '1' : '0';
    }
    return nibbles;
}();

char* PutNibble(char* at, std::uint64_t nibble)
{
    std::memcpy(at, kNibbles[nibble & 0xFu].data(), 4);
    return at + 4;
}

// Bit i of value, for i below width (a multiple of four), at raw[i].
void RenderRaw(std::uint64_t value, std::size_t width, std::string& raw)
{
    raw.resize(width);
    for (std::size_t i = 0; i < width; i += 4)
        std::memcpy(raw.data() + i, kNibblesBackwards[value >> i & 0xFu].data(), 4);
}

// Byte k of value (k below bytes) as "xxxx xxxx ", most significant bit
// first, from byte 0 up, with a line break before a fifth byte: what
// SwappedByteGroups makes of the raw bits of value.
void RenderSwapped(std::uint64_t value, std::size_t bytes, std::string& text)
{
    text.resize(bytes * 10 + (bytes > 4 ? 1 : 0));
    char* at = text.data();
    for (std::size_t k = 0; k < bytes; ++k) {
        if (k == 4)
            *at++ = '\n';
        const std::uint64_t byte = value >> (8 * k);
        at = PutNibble(at, byte >> 4);
        *at++ = ' ';
        at = PutNibble(at, byte);
        *at++ = ' ';
    }
}

}  // namespace

void RenderIntegralBits(std::uint64_t value, int widthBits, BinaryTexts out)
{
    const auto width = static_cast<std::size_t>(widthBits);
    RenderRaw(value, width, out.raw);

    // Mot: most significant bit first, groups of four, no trailing blank;
    // 64 bits break into two lines of eight groups.
    const std::size_t groups = width / 4;
    out.mot.resize(width + groups - 1);
    char* at = out.mot.data();
    for (std::size_t g = groups; g-- > 0;) {
        at = PutNibble(at, value >> (4 * g));
        if (g > 0)
            *at++ = g == 8 ? '\n' : ' ';
    }
    RenderSwapped(value, width / 8, out.in);
}

void RenderRealBits(std::uint64_t pattern, int byteCount, BinaryTexts out)
{
    const auto bytes = static_cast<std::size_t>(byteCount);
    // Raw bits: byte N-1 (sign and exponent) down to byte 0, each bit 0
    // first: the raw bits of the pattern with its bytes reversed.
    std::uint64_t reversed = 0;
    for (std::size_t k = 0; k < bytes; ++k)
        reversed |= (pattern >> (8 * k) & 0xFFu) << (8 * (bytes - 1 - k));
    RenderRaw(reversed, bytes * 8, out.raw);

    // Int: memory order with bit 7 first, a blank after every four bits
    // and, for a double, a line break after each half of four bytes.
    RenderSwapped(pattern, bytes, out.in);
    if (bytes == 8)
        out.in += '\n';
    RenderSwapped(reversed, bytes, out.mot);
}

std::string SwappedByteGroups(std::string_view rawBits)
{
    // Group k of the reversal, taken from its end, holds the characters of
    // raw byte k backwards: r[n - 8(k+1) + j] is rawBits[8k + 7 - j].
    const std::size_t n = rawBits.size();
    std::string text;
    text.reserve(n + n / 4 + 1);
    for (std::size_t k = 0; k < n / 8; ++k) {
        if (k == 4)
            text += '\n';
        for (std::size_t j = 0; j < 8; ++j) {
            text += rawBits[8 * k + 7 - j];
            if (j % 4 == 3)
                text += ' ';
        }
    }
    return text;
}

}  // namespace quibo
