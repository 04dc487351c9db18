#include "numtext/Literal.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quibo {

namespace {

constexpr auto kCSuffixes = std::to_array<std::string_view>({"u", "l", "ul", "lu", "ll", "ull", "llu"});
constexpr auto kRustSuffixes = std::to_array<std::string_view>(
    {"u8", "u16", "u32", "u64", "u128", "i8", "i16", "i32", "i64", "i128", "usize", "isize"});
constexpr auto kRealSuffixes = std::to_array<std::string_view>({"f", "F", "f32", "f64"});

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Contains(const auto& table, std::string_view word)
{
    return std::find(table.begin(), table.end(), word) != table.end();
}

// Reads digits with single separators between them from text at `at`, and
// appends the digits to out; false when no digit is there.
bool ReadDigits(std::string_view text, std::size_t& at, bool (*isDigit)(char), std::string_view separators,
                std::string& out)
{
    if (at >= text.size() || !isDigit(text[at]))
        return false;
    out += text[at++];
    while (at < text.size()) {
        if (isDigit(text[at])) {
            out += text[at++];
        } else if (separators.find(text[at]) != std::string_view::npos && at + 1 < text.size() &&
                   isDigit(text[at + 1])) {
            out += text[at + 1];
            at += 2;
        } else {
            break;
        }
    }
    return true;
}

// The whole of rest is one suffix, after an optional '_'.
bool IsSuffix(std::string_view rest, bool real)
{
    if (rest.starts_with('_'))
        rest.remove_prefix(1);
    if (rest.empty())
        return false;
    std::string lower(rest);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return Contains(kCSuffixes, lower) || Contains(kRustSuffixes, rest) || (real && Contains(kRealSuffixes, rest));
}

std::optional<std::string> HexDigits(std::string_view text)
{
    constexpr std::string_view kSeparators = "_' ";
    std::string digits;
    std::size_t at = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        at = 2;
        if (ReadDigits(text, at, IsHexDigit, kSeparators, digits) &&
            (at == text.size() || IsSuffix(text.substr(at), false)))
            return digits;
        return std::nullopt;
    }
    if (!ReadDigits(text, at, IsHexDigit, kSeparators, digits))
        return std::nullopt;
    const std::string_view rest = text.substr(at);
    if (rest.empty() || rest == "h" || rest == "H")
        return digits;
    return std::nullopt;
}

std::optional<std::string> DecimalDigits(std::string_view text)
{
    constexpr std::string_view kSeparators = "_'";
    std::string digits;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        digits += text[at++];
    bool any = ReadDigits(text, at, IsDecimalDigit, kSeparators, digits);
    if (at < text.size() && text[at] == '.') {
        digits += text[at++];
        any = ReadDigits(text, at, IsDecimalDigit, kSeparators, digits) || any;
    }
    if (!any)
        return std::nullopt;
    // An exponent only when digits follow its letter and sign.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t after = at + 1;
        std::string exponent(1, text[at]);
        if (after < text.size() && (text[after] == '+' || text[after] == '-'))
            exponent += text[after++];
        if (ReadDigits(text, after, IsDecimalDigit, kSeparators, exponent)) {
            digits += exponent;
            at = after;
        }
    }
    if (at == text.size() || IsSuffix(text.substr(at), true))
        return digits;
    return std::nullopt;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// "(-N - 1)", as C writes the least value of a signed type whose -N-1 has
// no literal (INT64_MIN): the digits of -N-1. N and the 1 may have integer
// suffixes.
std::optional<std::string> LeastValueDigits(std::string_view text)
{
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return std::nullopt;
    text = Trimmed(text.substr(1, text.size() - 2));
    if (!text.starts_with('-'))
        return std::nullopt;
    text = Trimmed(text.substr(1));
    std::string digits;
    std::size_t at = 0;
    if (!ReadDigits(text, at, IsDecimalDigit, "_'", digits))
        return std::nullopt;
    const std::size_t minus = text.find('-', at);
    if (minus == std::string_view::npos)
        return std::nullopt;
    const std::string_view suffix = Trimmed(text.substr(at, minus - at));
    std::string_view one = Trimmed(text.substr(minus + 1));
    if ((!suffix.empty() && !IsSuffix(suffix, false)) || !one.starts_with('1'))
        return std::nullopt;
    one.remove_prefix(1);
    if (!one.empty() && !IsSuffix(one, false))
        return std::nullopt;
    std::size_t last = digits.find_last_not_of('9');
    if (last == std::string::npos) {
        digits = "0" + digits;
        last = 0;
    }
    ++digits[last];
    std::fill(digits.begin() + static_cast<std::ptrdiff_t>(last) + 1, digits.end(), '0');
    return "-" + digits;
}

}  // namespace

std::string DigitsOfLiteral(std::string_view text, LiteralField field)
{
    const std::string_view trimmed = Trimmed(text);
    std::optional<std::string> digits = field == LiteralField::Hex ? HexDigits(trimmed) : DecimalDigits(trimmed);
    if (!digits && field == LiteralField::Decimal)
        digits = LeastValueDigits(trimmed);
    return digits ? *digits : std::string(text);
}

}  // namespace quibo
