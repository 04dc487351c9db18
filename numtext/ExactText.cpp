#include "numtext/ExactText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace quibo {

namespace {

// A natural number in base 10^9, the lowest limb first.
class Natural {
public:
    explicit Natural(std::uint64_t value)
    {
        do {
            m_limbs.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    // Multiplies by factor^count, factor^step at a time (factor^step below
    // the base, so that a limb's product and carry fit 64 bits).
    void MultiplyByPower(std::uint32_t factor, int count, int step)
    {
        std::uint32_t chunk = 1;
        for (int i = 0; i < step; ++i)
            chunk *= factor;
        for (; count >= step; count -= step)
            Multiply(chunk);
        for (; count > 0; --count)
            Multiply(factor);
    }

    std::string Digits() const
    {
        std::string text = std::to_string(m_limbs.back());
        char limb[16];
        for (std::size_t i = m_limbs.size() - 1; i-- > 0;) {
            std::snprintf(limb, sizeof limb, "%09u", static_cast<unsigned>(m_limbs[i]));
            text += limb;
        }
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1000000000;

    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        for (; carry != 0; carry /= kBase)
            m_limbs.push_back(static_cast<std::uint32_t>(carry % kBase));
    }

    std::vector<std::uint32_t> m_limbs;
};

}  // namespace

std::string ExactText(double value)
{
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return sign + "nan";
    if (std::isinf(value))
        return sign + "inf";
    if (value == 0)
        return sign + "0";
    // value = significand * 2^exponent, the significand odd.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FFu);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        significand |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    const int zeros = std::countr_zero(significand);
    significand >>= zeros;
    exponent += zeros;

    Natural digits(significand);
    if (exponent >= 0) {
        digits.MultiplyByPower(2, exponent, 29);
        return sign + digits.Digits();
    }
    // significand / 2^k is significand * 5^k / 10^k: its last digit, a 5, is
    // no zero.
    const int places = -exponent;
    digits.MultiplyByPower(5, places, 12);
    std::string text = digits.Digits();
    if (text.size() <= static_cast<std::size_t>(places))
        text.insert(0, static_cast<std::size_t>(places) - text.size() + 1, '0');
    text.insert(text.size() - static_cast<std::size_t>(places), 1, '.');
    return sign + text;
}

}  // namespace quibo
