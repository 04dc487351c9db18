#include "calc/CodeText.h"

namespace quibo {

std::string CodeText(DataType type, std::uint64_t bits)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info)
        return {};
    if (info->real) {
        // C's names for what has no digits; a whole number gets its point.
        std::string text = RealValueText(type, bits);
        const bool negative = text.starts_with('-');
        if (text.ends_with("inf") || text.ends_with("nan"))
            return (negative ? "-" : "") + std::string(text.ends_with("inf") ? "INFINITY" : "NAN");
        if (text.find_first_of(".e") == std::string::npos)
            text += ".0";
        return text + info->codeSuffix;
    }
    const std::uint64_t value = TruncateToType(type, bits);
    if (!info->isSigned)
        return "0x" + ResultHexText(type, value) + info->codeSuffix;
    if (type == DataType::LongLong && value == std::uint64_t{1} << 63)
        return "(-9223372036854775807 - 1)";
    return DecimalText(type, value);
}

}  // namespace quibo
