#include "calc/BitRoles.h"

#include <array>

namespace quibo {

BitRole RoleOfBit(DataType type, int bit)
{
    const DataTypeInfo* info = FindDataTypeInfo(type);
    if (!info || bit < 0 || bit >= info->widthBits)
        return BitRole::Beyond;
    if (!info->real)
        return BitRole::Integral;
    // The sign on top, the exponent below it, the fraction below that.
    if (bit == info->widthBits - 1)
        return BitRole::Sign;
    return bit >= info->real->fractionBits ? BitRole::Exponent : BitRole::Fraction;
}

PanelBits PanelBitsAt(DataType type, std::uint64_t value)
{
    // Each type's roles, worked out once.
    static const std::array<std::array<BitRole, kPanelBits>, kDataTypeCount> kRoles = [] {
        std::array<std::array<BitRole, kPanelBits>, kDataTypeCount> roles{};
        for (int index = 0; index < kDataTypeCount; ++index) {
            for (int bit = 0; bit < kPanelBits; ++bit)
                roles[static_cast<std::size_t>(index)][static_cast<std::size_t>(bit)] =
                    RoleOfBit(static_cast<DataType>(index), bit);
        }
        return roles;
    }();
    PanelBits bits;
    bits.value = value;
    if (FindDataTypeInfo(type))
        bits.roles = kRoles[static_cast<std::size_t>(type)];
    else
        bits.roles.fill(BitRole::Beyond);
    return bits;
}

}  // namespace quibo
