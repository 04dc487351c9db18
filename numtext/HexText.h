#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quibo {

// The value of a hexadecimal text's last sixteen places (modulo 2^64); a
// character that is not a hex digit counts as the digit 0 and keeps its
// place. The 32-bit types keep the low 32 bits: the last eight places.
std::uint64_t HexTextToValue(std::string_view text);

// A hex text with its two-character groups in reverse order, after a "0" in
// front of an odd-length text. Any characters are moved as they are.
std::string SwapHexBytes(std::string text);

}  // namespace quibo
