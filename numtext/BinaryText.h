#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quibo {

// Where a value's bits go as the BINARY field shows them, with the raw bit
// string the byte-order key works from. The renderers write over the texts
// in place: a text keeps its room from one value to the next.
struct BinaryTexts {
    std::string& raw;  // bit 0 of byte 0 first
    std::string& mot;  // big-endian (raw storage order)
    std::string& in;   // little-endian (Intel)
};

// An integral value of widthBits (8, 16, 32, 64): Mot most significant bit
// first in groups of four, no trailing blank, and at 64 bits a line break
// after the eighth group; Int the swapped byte groups.
void RenderIntegralBits(std::uint64_t value, int widthBits, BinaryTexts out);

// A real value's bit pattern of byteCount bytes (4, 8): Int memory order
// with bit 7 first, a blank after every four bits and, for a double, a line
// break after each half; Mot the swapped byte groups.
void RenderRealBits(std::uint64_t pattern, int byteCount, BinaryTexts out);

// The bytes of a raw bit string as groups "xxxx xxxx ", taken from the last
// byte of its reversal to the first, with a line break before a fifth group.
std::string SwappedByteGroups(std::string_view rawBits);

}  // namespace quibo
