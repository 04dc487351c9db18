#include "calc/Wrap.h"

#include <bit>
#include <cctype>
#include <cmath>

#include "calc/OperatorCode.h"
#include "numtext/DecimalText.h"

namespace quibo {

namespace {

// GCC and clang both have it; __extension__ says it is meant.
__extension__ typedef unsigned __int128 Magnitude;

constexpr char kDivisionByZero[] = "division by zero";

// A number without limit, as a sign and a magnitude: no arithmetic on it can
// overflow for operands of 64 bits at most.
struct Exact {
    bool negative;
    Magnitude magnitude;
};

Exact ValueOf(const DataTypeInfo& info, std::uint64_t bits)
{
    bits &= WidthMask(info.widthBits);
    const bool negative = info.isSigned && (bits >> (info.widthBits - 1) & 1u);
    // The magnitude of a negative value of w bits is 2^w - bits.
    const Magnitude magnitude = negative ? (Magnitude{1} << info.widthBits) - bits : bits;
    return {negative && magnitude != 0, magnitude};
}

Exact Sum(Exact a, Exact b)
{
    if (a.negative == b.negative)
        return {a.negative, a.magnitude + b.magnitude};
    if (a.magnitude >= b.magnitude)
        return {a.negative && a.magnitude != b.magnitude, a.magnitude - b.magnitude};
    return {b.negative, b.magnitude - a.magnitude};
}

bool Fits(const DataTypeInfo& info, Exact value)
{
    if (!info.isSigned)
        return !value.negative && value.magnitude <= WidthMask(info.widthBits);
    const Magnitude half = Magnitude{1} << (info.widthBits - 1);
    return value.negative ? value.magnitude <= half : value.magnitude < half;
}

std::string Text(Exact value)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value.magnitude % 10)));
        value.magnitude /= 10;
    } while (value.magnitude != 0);
    return (value.negative ? "-" : "") + digits;
}

std::string DoesNotFit(const DataTypeInfo& info, Exact value)
{
    return Fits(info, value) ? std::string() : Text(value) + " does not fit in " + info.name;
}

}  // namespace

std::string WrapOfOperation(std::int32_t op, DataType type, std::uint64_t a, std::uint64_t b)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || info->real)
        return {};
    const Exact x = ValueOf(*info, a);
    const Exact y = ValueOf(*info, b);
    const bool countOutside = y.negative || y.magnitude >= static_cast<Magnitude>(info->widthBits);
    switch (op) {
    case OP_ADD:
        return DoesNotFit(*info, Sum(x, y));
    case OP_SUBTRACT:
        return DoesNotFit(*info, Sum(x, {!y.negative && y.magnitude != 0, y.magnitude}));
    case OP_MULTIPLY:
        return DoesNotFit(*info, {x.negative != y.negative && x.magnitude != 0 && y.magnitude != 0,
                                  x.magnitude * y.magnitude});
    case OP_DIVIDE:
        if (y.magnitude == 0)
            return kDivisionByZero;
        return DoesNotFit(*info, {x.negative != y.negative && x.magnitude >= y.magnitude, x.magnitude / y.magnitude});
    case OP_MODULUS:
        return y.magnitude == 0 ? kDivisionByZero : "";
    case OP_SHIFT_LEFT:
    case OP_SHIFT_RIGHT:
        if (countOutside)
            return "shift count " + Text(y) + " is outside 0 to " + std::to_string(info->widthBits - 1);
        if (op == OP_SHIFT_RIGHT)
            return {};
        return DoesNotFit(*info, {x.negative, x.magnitude << static_cast<int>(y.magnitude)});
    default:
        return {};
    }
}

std::string WrapOfDecimal(DataType type, const std::string& text)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info)
        return {};
    const std::string noFit = std::string("DECIMAL does not fit in ") + info->name;
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    i = i == std::string::npos ? text.size() : i;
    const bool negative = i < text.size() && text[i] == '-';
    i += i < text.size() && (text[i] == '-' || text[i] == '+');
    if (info->real) {
        // An infinity spelled as one is no wrap; a finite number that
        // becomes one is.
        std::string spelled = text.substr(i, 3);
        for (char& c : spelled)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool named = spelled == "inf" || spelled == "nan";
        const std::uint64_t pattern = RealPattern(ReadDecimalReal(text), *info->real);
        const bool infinite = info->widthBits == 32 ? std::isinf(std::bit_cast<float>(static_cast<std::uint32_t>(pattern)))
                                                    : std::isinf(std::bit_cast<double>(pattern));
        return infinite && !named ? noFit : "";
    }
    // The digits up to the first non-digit, without leading zeros; more than
    // twenty of them pass every width.
    while (i < text.size() && text[i] == '0')
        ++i;
    Magnitude magnitude = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (digits < 21)
            magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
    }
    if (digits > 20)
        return noFit;
    return Fits(*info, {negative && magnitude != 0, magnitude}) ? "" : noFit;
}

std::string_view WrapLabel(std::string_view wrap)
{
    if (wrap.empty())
        return {};
    if (wrap == kDivisionByZero)
        return "DIV0";
    return wrap.starts_with("shift count") ? "SHIFT" : "WRAP";
}

}  // namespace quibo
