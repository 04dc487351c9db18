#include "numtext/HexText.h"

namespace quibo {

namespace {

std::uint64_t HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint64_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint64_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint64_t>(c - 'a' + 10);
    return 0;  // a sign, a blank, 'x', 'G': a zero digit that keeps its place
}

}  // namespace

std::uint64_t HexTextToValue(std::string_view text)
{
    // Shifting out the top digit each step keeps the last sixteen places,
    // which is the whole text's value modulo 2^64.
    std::uint64_t value = 0;
    for (char c : text)
        value = (value << 4) | HexDigitValue(c);
    return value;
}

std::string SwapHexBytes(std::string text)
{
    if (text.size() % 2 != 0)
        text.insert(text.begin(), '0');
    std::string swapped;
    swapped.reserve(text.size());
    for (std::size_t end = text.size(); end >= 2; end -= 2)
        swapped.append(text, end - 2, 2);
    return swapped;
}

}  // namespace quibo
