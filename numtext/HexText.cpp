#include "calc/OperandRecord.h"

namespace quibo {

namespace {

std::uint32_t HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint32_t>(c - 'a' + 10);
    return 0;  // a sign, a blank, 'x', 'G': a zero digit that keeps its place
}

}  // namespace

std::uint32_t OperandRecord::HexTextToValue(const std::string& text)
{
    // Shifting out the top digit each step keeps the last eight places,
    // which is the whole text's value modulo 2^32.
    std::uint32_t value = 0;
    for (char c : text)
        value = (value << 4) | HexDigitValue(c);
    return value;
}

}  // namespace quibo
