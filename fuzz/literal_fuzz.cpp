// Any text pasted into HEX or DECIMAL: what the literal reader gives is the
// text itself, a shorter run of its characters in order, or -N-1 of
// "(-N - 1)", and reading that again gives it back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numtext/Literal.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Whether digits is "-" and one more than the first run of digits in text,
// as "(-N - 1)" gives.
bool IsOneLessThanNegated(const std::string& digits, const std::string& text)
{
    std::string n;
    for (std::size_t at = text.find_first_of("0123456789"); at < text.size(); ++at) {
        if (text[at] >= '0' && text[at] <= '9')
            n += text[at];
        else if (text[at] != '_' && text[at] != '\'')
            break;
    }
    // n + 1, digit by digit from the end.
    std::size_t last = n.find_last_not_of('9');
    if (last == std::string::npos) {
        n = "0" + n;
        last = 0;
    }
    ++n[last];
    for (std::size_t i = last + 1; i < n.size(); ++i)
        n[i] = '0';
    return text.find('(') != std::string::npos && digits == "-" + n;
}

// Whether every character of part appears in whole, in the same order.
bool IsSubsequence(const std::string& part, const std::string& whole)
{
    std::size_t at = 0;
    for (char c : whole) {
        if (at < part.size() && part[at] == c)
            ++at;
    }
    return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using quibo::DigitsOfLiteral;
    using quibo::LiteralField;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (LiteralField field : {LiteralField::Hex, LiteralField::Decimal}) {
        const std::string digits = DigitsOfLiteral(text, field);
        Require(digits == text || (digits.size() < text.size() && IsSubsequence(digits, text)) ||
                    (field == LiteralField::Decimal && IsOneLessThanNegated(digits, text)),
                "the text, its characters in order with some left out, or -N-1 of (-N - 1)");
        Require(DigitsOfLiteral(digits, field) == digits, "reading the digits again gives them back");
        if (digits != text)
            Require(!digits.empty(), "a literal has digits");
    }
    return 0;
}
