#include "numtext/DecimalText.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace quibo {

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The "C" locale, made once: the user's locale must not turn "0.5" into 0.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

std::uint64_t ReadDecimalInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint64_t>(text[i] - '0');
    return negative ? 0u - value : value;
}

double ReadDecimalReal(const std::string& text)
{
    // Like atof, the conversion stops at the first character that is not
    // part of a number, a NUL included.
    const locale_t locale = CLocale();
    if (locale == static_cast<locale_t>(nullptr))
        return std::strtod(text.c_str(), nullptr);  // no "C" locale object: as atof would
    return strtod_l(text.c_str(), nullptr, locale);
}

}  // namespace quibo
