#include "calc/CodeText.h"

#include <bit>
#include <cmath>

#include "numtext/RealText.h"

namespace quibo {

namespace {

template <typename Real>
std::string RealCode(Real value, std::string text, const char* suffix)
{
    if (std::isinf(value))
        return std::signbit(value) ? "-INFINITY" : "INFINITY";
    if (std::isnan(value))
        return std::signbit(value) ? "-NAN" : "NAN";
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text + suffix;
}

}  // namespace

std::string CodeText(DataType type, std::uint64_t bits)
{
    if (type == DataType::Float) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        return RealCode(value, FloatText(value), "f");
    }
    if (type == DataType::Double) {
        const double value = std::bit_cast<double>(bits);
        return RealCode(value, DoubleText(value), "");
    }
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info)
        return {};
    const std::uint64_t value = TruncateToType(type, bits);
    if (!info->isSigned)
        return "0x" + ResultHexText(type, value) + (info->widthBits == 64 ? "ull" : "u");
    if (type == DataType::LongLong && value == std::uint64_t{1} << 63)
        return "(-9223372036854775807 - 1)";
    return DecimalText(type, value);
}

}  // namespace quibo
