// Any text pasted into HEX or DECIMAL: what the literal reader gives is the
// text itself or a shorter run of its characters in order, and reading
// that again gives it back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "numtext/Literal.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        __builtin_printf("broken: %s\n", what);
        std::abort();
    }
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
        Require(digits == text || (digits.size() < text.size() && IsSubsequence(digits, text)),
                "the text, or its characters in order with some left out");
        Require(DigitsOfLiteral(digits, field) == digits, "reading the digits again gives them back");
        if (digits != text)
            Require(!digits.empty(), "a literal has digits");
    }
    return 0;
}
