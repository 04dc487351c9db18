#include "numtext/Readings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "numtext/ExactText.h"

namespace quibo {

namespace {

// The low widthBits bits of value with their bytes in the other order.
std::uint64_t Swapped(std::uint64_t value, int widthBits)
{
    std::uint64_t swapped = 0;
    for (int byte = 0; byte < widthBits / 8; ++byte)
        swapped = swapped << 8 | (value >> (8 * byte) & 0xFFu);
    return swapped;
}

std::string Unsigned(std::uint64_t bits)
{
    return std::to_string(bits);
}

std::string Signed(std::uint64_t bits, int widthBits)
{
    const std::uint64_t sign = std::uint64_t{1} << (widthBits - 1);
    // Two's complement by hand: the top bit counts negative.
    const auto magnitude = (bits & sign) != 0 ? (~bits & LowBits(widthBits)) + 1 : bits;
    return (bits & sign) != 0 ? "-" + std::to_string(magnitude) : std::to_string(magnitude);
}

// A real reading's row, then its class, hex and exact rows.
void AppendReal(std::vector<Reading>& rows, const char* realName, const IeeeLayout& layout, std::uint64_t mot,
                std::uint64_t in)
{
    const auto texts = [&layout](std::uint64_t pattern) {
        return std::array<std::string, 4>{RealText(pattern, layout), RealClass(pattern, layout),
                                          RealHex(pattern, layout), ExactText(RealValue(pattern, layout))};
    };
    auto motTexts = texts(mot);
    auto inTexts = texts(in);
    const std::string name = realName;
    const std::string names[] = {name, name + " class", name + " hex", name + " exact"};
    for (std::size_t i = 0; i < 4; ++i)
        rows.push_back({names[i], std::move(motTexts[i]), std::move(inTexts[i])});
}

}  // namespace

std::string CharacterLiteral(std::uint8_t byte)
{
    static constexpr std::array<std::pair<std::uint8_t, const char*>, 10> kEscapes{{
        {'\0', "'\\0'"}, {'\a', "'\\a'"}, {'\b', "'\\b'"}, {'\t', "'\\t'"}, {'\n', "'\\n'"},
        {'\v', "'\\v'"}, {'\f', "'\\f'"}, {'\r', "'\\r'"}, {'\'', "'\\''"}, {'\\', "'\\\\'"},
    }};
    for (const auto& [escaped, text] : kEscapes) {
        if (byte == escaped)
            return text;
    }
    if (byte < 0x20 || byte >= 0x7F) {
        char text[8];
        std::snprintf(text, sizeof text, "'\\x%02X'", static_cast<unsigned>(byte));
        return text;
    }
    return std::string{'\'', static_cast<char>(byte), '\''};
}

std::string RealClass(std::uint64_t pattern, const IeeeLayout& layout)
{
    const std::uint64_t fraction = pattern & LowBits(layout.fractionBits);
    const std::uint64_t exponent = pattern >> layout.fractionBits & LowBits(layout.exponentBits);
    if (exponent == 0)
        return fraction == 0 ? "zero" : "subnormal";
    if (exponent != LowBits(layout.exponentBits))
        return "normal";
    if (fraction == 0)
        return "infinite";
    return (fraction >> (layout.fractionBits - 1) & 1u) != 0 ? "quiet NaN" : "signalling NaN";
}

std::string RealHex(std::uint64_t pattern, const IeeeLayout& layout)
{
    const double value = RealValue(pattern, layout);
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return sign + "nan";
    if (std::isinf(value))
        return sign + "inf";
    // to_chars writes "%a" without its "0x", in every locale.
    char digits[64];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::hex);
    return sign + "0x" + std::string(digits, end.ptr);
}

std::vector<Reading> Readings(std::uint64_t value, int widthBits)
{
    const std::uint64_t mot = value & LowBits(widthBits);
    const std::uint64_t in = Swapped(mot, widthBits);
    std::vector<Reading> rows;
    rows.reserve(10);
    const auto integers = [&](const char* unsignedName, const char* signedName) {
        rows.push_back({unsignedName, Unsigned(mot), widthBits > 8 ? Unsigned(in) : ""});
        rows.push_back({signedName, Signed(mot, widthBits), widthBits > 8 ? Signed(in, widthBits) : ""});
    };
    switch (widthBits) {
    case 8:
        integers("unsigned char", "char");
        rows.push_back({"character", CharacterLiteral(static_cast<std::uint8_t>(mot)), ""});
        break;
    case 16:
        integers("unsigned short", "short");
        AppendReal(rows, "half", kBinary16, mot, in);
        AppendReal(rows, "bfloat16", kBfloat16, mot, in);
        break;
    case 32:
        integers("unsigned long", "long");
        AppendReal(rows, "float", kBinary32, mot, in);
        break;
    default:
        integers("unsigned long long", "long long");
        AppendReal(rows, "double", kBinary64, mot, in);
        break;
    }
    return rows;
}

}  // namespace quibo
