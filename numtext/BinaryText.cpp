#include "numtext/BinaryText.h"

namespace quibo {

BinaryRendering RenderIntegralBits(std::uint64_t value, int widthBits)
{
    const auto width = static_cast<std::size_t>(widthBits);

    // Raw bits: bit 0 first.
    std::string raw(width, '0');
    for (std::size_t i = 0; i < width; ++i) {
        if ((value >> i) & 1u)
            raw[i] = '1';
    }

    // Mot: most significant bit first, groups of four, no trailing blank;
    // 64 bits break into two lines of eight groups.
    std::string mot(width + width / 4 - 1, ' ');
    for (std::size_t i = 0, at = 0; i < width; ++i, ++at) {
        if (i > 0 && i % 4 == 0)
            ++at;
        mot[at] = raw[width - 1 - i];
    }
    if (width == 64)
        mot[39] = '\n';

    std::string in = SwappedByteGroups(raw);
    return {std::move(raw), std::move(mot), std::move(in)};
}

BinaryRendering RenderRealBits(std::uint64_t pattern, int byteCount)
{
    const auto bytes = static_cast<std::size_t>(byteCount);

    // Raw bits: byte N-1 (sign and exponent) down to byte 0, each bit 0 first.
    std::string raw(bytes * 8, '0');
    for (std::size_t k = 0; k < bytes; ++k) {
        const std::size_t byte = bytes - 1 - k;
        for (std::size_t bit = 0; bit < 8; ++bit) {
            if ((pattern >> (byte * 8 + bit)) & 1u)
                raw[k * 8 + bit] = '1';
        }
    }

    // Int: the raw string reversed, i.e. memory order with bit 7 first; a
    // blank after every four bits and, for a double, a line break after each
    // half of four bytes.
    std::string in;
    in.reserve(raw.size() + raw.size() / 4 + 2);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        in += raw[raw.size() - 1 - i];
        const std::size_t count = i + 1;
        if (count % 4 == 0)
            in += ' ';
        if (bytes == 8 && count % 32 == 0)
            in += '\n';
    }

    std::string mot = SwappedByteGroups(raw);
    return {std::move(raw), std::move(mot), std::move(in)};
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
