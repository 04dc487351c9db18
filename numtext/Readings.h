#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numtext/RealText.h"

namespace quibo {

// One row of the Inspector: a name, the value's reading, and the reading of
// the value with its bytes in the other order (empty at 8 bits).
struct Reading {
    std::string name;
    std::string mot;
    std::string in;
};

// The readings of the low widthBits bits (8, 16, 32 or 64) of value as
// every type of that width: the unsigned and signed integers, then at 8
// bits the character, at 16 half and bfloat16, at 32 float, at 64 double,
// each real reading followed by its class, hex and exact rows.
std::vector<Reading> Readings(std::uint64_t value, int widthBits);

// A byte as a C character literal: 'A', '\n', '\x7F'.
std::string CharacterLiteral(std::uint8_t byte);
// A real pattern's class: "zero", "subnormal", "normal", "infinite",
// "quiet NaN" or "signalling NaN".
std::string RealClass(std::uint64_t pattern, const IeeeLayout& layout);
// A real pattern's value as printf's "%a" writes it as a double, in the "C"
// locale: "0x1.99999ap-4", "0x0p+0", "-nan", "inf".
std::string RealHex(std::uint64_t pattern, const IeeeLayout& layout);

}  // namespace quibo
