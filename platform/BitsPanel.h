#pragma once

#include <array>
#include <cstdint>

namespace quibo {

inline constexpr int kPanelBits = 64;

// What bit n of the converter's value is at the current type: a bit of an
// integral value; a float's or double's sign, exponent or fraction bit; or
// a bit at or above the type's width, which the value does not have.
enum class BitRole : std::uint8_t { Integral, Sign, Exponent, Fraction, Beyond };

// What the Bits panel shows: the value, and each bit's role (index n for
// bit n).
struct PanelBits {
    std::uint64_t value = 0;
    std::array<BitRole, kPanelBits> roles{};

    bool operator==(const PanelBits&) const = default;
};

// What a screen reader and a tooltip say a real's bit is; empty otherwise.
constexpr const char* BitRoleName(BitRole role)
{
    switch (role) {
    case BitRole::Sign: return "sign";
    case BitRole::Exponent: return "exponent";
    case BitRole::Fraction: return "fraction";
    case BitRole::Integral:
    case BitRole::Beyond: break;
    }
    return "";
}

}  // namespace quibo
