#include "calc/BitRoles.h"

namespace quibo {

BitRole RoleOfBit(DataType type, int bit)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || bit < 0 || bit >= info->widthBits)
        return BitRole::Beyond;
    if (!info->isReal)
        return BitRole::Integral;
    // IEEE-754 binary32 and binary64: 8 and 11 exponent bits below the sign.
    const int exponentBits = info->widthBits == 32 ? 8 : 11;
    if (bit == info->widthBits - 1)
        return BitRole::Sign;
    return bit >= info->widthBits - 1 - exponentBits ? BitRole::Exponent : BitRole::Fraction;
}

PanelBits PanelBitsAt(DataType type, std::uint64_t value)
{
    PanelBits bits;
    bits.value = value;
    for (int bit = 0; bit < kPanelBits; ++bit)
        bits.roles[static_cast<std::size_t>(bit)] = RoleOfBit(type, bit);
    return bits;
}

}  // namespace quibo
