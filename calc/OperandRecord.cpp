#include "calc/OperandRecord.h"

#include <bit>

#include "calc/OperatorCode.h"
#include "numtext/BinaryText.h"

namespace quibo {

namespace {

// What a renderer returns for a type of the other family.
const std::string kNoText;

// An operand's bits sign-extended from the type's width to 64 bits.
std::int64_t SignedValue(int widthBits, std::uint64_t bits)
{
    std::uint64_t value = bits & WidthMask(widthBits);
    if (widthBits < 64 && ((value >> (widthBits - 1)) & 1u))
        value |= ~WidthMask(widthBits);
    return static_cast<std::int64_t>(value);
}

// Every result is computed on 64 bits and then cut to the type's width by
// the caller, so that wrapping is the same at every width.
std::uint64_t Compute(std::int32_t op, DataType type, std::uint64_t a, std::uint64_t b)
{
    const DataTypeInfo& info = *FindDataTypeInfo(type);
    const std::int64_t sa = SignedValue(info.widthBits, a);
    const std::int64_t sb = SignedValue(info.widthBits, b);
    // The shift count is B's low five bits, six at 64 bits.
    const std::uint64_t count = b & (info.widthBits == 64 ? 63u : 31u);
    const bool beyondWidth = count >= static_cast<std::uint64_t>(info.widthBits);

    switch (op) {
    case OP_ADD:
        return a + b;
    case OP_SUBTRACT:
        return a - b;
    case OP_MULTIPLY:
        return a * b;
    case OP_DIVIDE:
        if (b == 0)
            return 0;
        if (!info.isSigned)
            return a / b;
        // The minimum divided by -1 wraps to itself instead of overflowing.
        return sb == -1 ? 0u - a : static_cast<std::uint64_t>(sa / sb);
    case OP_COMPLEMENT:
        return ~a;
    case OP_XOR:
        return a ^ b;
    case OP_AND:
        return a & b;
    case OP_OR:
        return a | b;
    case OP_SHIFT_LEFT:
        return beyondWidth ? 0 : a << count;
    case OP_SHIFT_RIGHT:
        if (!info.isSigned)
            return beyondWidth ? 0 : a >> count;
        if (beyondWidth)
            return sa < 0 ? ~std::uint64_t{0} : 0;
        return static_cast<std::uint64_t>(sa >> count);
    case OP_MODULUS:
        if (b == 0)
            return 0;
        if (!info.isSigned)
            return a % b;
        return sb == -1 ? 0 : static_cast<std::uint64_t>(sa % sb);
    default:
        return 0;
    }
}

}  // namespace

void OperandRecord::Reset()
{
    for (int i = 0; i < 3; ++i) {
        m_uc[i] = 0;
        m_c[i] = 0;
        m_s[i] = 0;
        m_us[i] = 0;
        m_l[i] = 0;
        m_ul[i] = 0;
        m_ull[i] = 0;
        m_ll[i] = 0;
    }
    m_strBinMot.clear();
    m_strBinInt.clear();
    m_strRealBinInt.clear();
    m_strRealBinMot.clear();
    m_strRawBits.clear();
    m_renderedIntegral = 0;
    m_renderedReal = 0;
    m_strKeyDigit.clear();
    m_strFirst.clear();
    m_strSecond.clear();
    m_strResult.clear();
    m_strBinary.clear();
}

std::uint64_t OperandRecord::SlotBits(DataType nType, Slot slot) const
{
    switch (nType) {
    case DataType::UnsignedChar: return m_uc[slot];
    case DataType::Char: return static_cast<std::uint8_t>(m_c[slot]);
    case DataType::UnsignedShort: return m_us[slot];
    case DataType::Short: return static_cast<std::uint16_t>(m_s[slot]);
    case DataType::UnsignedLong: return m_ul[slot];
    case DataType::Long: return static_cast<std::uint32_t>(m_l[slot]);
    case DataType::UnsignedLongLong: return m_ull[slot];
    case DataType::LongLong: return static_cast<std::uint64_t>(m_ll[slot]);
    default: return 0;
    }
}

void OperandRecord::SetSlot(DataType nType, Slot slot, std::uint64_t value)
{
    // Conversions to the narrower and signed slot types are modular (C++20).
    switch (nType) {
    case DataType::UnsignedChar: m_uc[slot] = static_cast<std::uint8_t>(value); break;
    case DataType::Char: m_c[slot] = static_cast<std::int8_t>(value); break;
    case DataType::UnsignedShort: m_us[slot] = static_cast<std::uint16_t>(value); break;
    case DataType::Short: m_s[slot] = static_cast<std::int16_t>(value); break;
    case DataType::UnsignedLong: m_ul[slot] = static_cast<std::uint32_t>(value); break;
    case DataType::Long: m_l[slot] = static_cast<std::int32_t>(value); break;
    case DataType::UnsignedLongLong: m_ull[slot] = value; break;
    case DataType::LongLong: m_ll[slot] = static_cast<std::int64_t>(value); break;
    default: break;
    }
}

void OperandRecord::ApplyOperator(std::int32_t nOp, DataType nType)
{
    if (!IsIntegral(nType) || nOp <= OP_NONE || nOp > OP_MODULUS)
        return;

    const std::uint64_t result =
        TruncateToType(nType, Compute(nOp, nType, SlotBits(nType, FIRST), SlotBits(nType, SECOND)));
    SetSlot(nType, RESULT, result);

    if (nOp == OP_COMPLEMENT) {
        // The complement replaces its operand, so that a further "~" or "="
        // toggles back, and it shows its bits zero-extended: char ~5 is FA.
        SetSlot(nType, FIRST, result);
        m_strResult = ResultHexText(nType, result);
    } else {
        // A negative char or short result shows all 32 bits: FFFFFFFA.
        m_strResult = ResultHexText(nType, WidenToType(nType, result));
    }
}

const std::string& OperandRecord::StoreIntegral(std::uint64_t value, int widthBits)
{
    RenderIntegralBits(value, widthBits, {m_strRawBits, m_strBinMot, m_strBinInt});
    m_renderedIntegral = value & WidthMask(widthBits);
    return m_strBinMot;
}

const std::string& OperandRecord::StoreReal(std::uint64_t pattern, int byteCount)
{
    RenderRealBits(pattern, byteCount, {m_strRawBits, m_strRealBinMot, m_strRealBinInt});
    m_renderedReal = pattern & WidthMask(8 * byteCount);
    return m_strRealBinInt;
}

const std::string& OperandRecord::BinaryTextUChar(std::uint32_t value) { return StoreIntegral(value, 8); }
const std::string& OperandRecord::BinaryTextChar(std::uint32_t value) { return StoreIntegral(value, 8); }
const std::string& OperandRecord::BinaryTextUShort(std::uint32_t value) { return StoreIntegral(value, 16); }
const std::string& OperandRecord::BinaryTextShort(std::uint32_t value) { return StoreIntegral(value, 16); }
const std::string& OperandRecord::BinaryTextULong(std::uint32_t value) { return StoreIntegral(value, 32); }
const std::string& OperandRecord::BinaryTextLong(std::uint32_t value) { return StoreIntegral(value, 32); }
const std::string& OperandRecord::BinaryTextULongLong(std::uint64_t value) { return StoreIntegral(value, 64); }
const std::string& OperandRecord::BinaryTextLongLong(std::uint64_t value) { return StoreIntegral(value, 64); }
const std::string& OperandRecord::BinaryTextFloat(float value) { return StoreReal(std::bit_cast<std::uint32_t>(value), 4); }
const std::string& OperandRecord::BinaryTextDouble(double value) { return StoreReal(std::bit_cast<std::uint64_t>(value), 8); }

const std::string& OperandRecord::BinaryTextReal(DataType nType, std::uint64_t pattern)
{
    const DataTypeInfo* info = FindDataTypeInfo(nType);
    if (!info || !info->real)
        return kNoText;
    return StoreReal(pattern & WidthMask(info->widthBits), info->widthBits / 8);
}

const std::string& OperandRecord::BinaryTextIntegral(DataType nType, std::uint64_t value)
{
    // The 32-bit renderers take the low 32 bits, which they then cut to width.
    const auto low = static_cast<std::uint32_t>(value);
    switch (nType) {
    case DataType::UnsignedChar: return BinaryTextUChar(low);
    case DataType::Char: return BinaryTextChar(low);
    case DataType::UnsignedShort: return BinaryTextUShort(low);
    case DataType::Short: return BinaryTextShort(low);
    case DataType::UnsignedLong: return BinaryTextULong(low);
    case DataType::Long: return BinaryTextLong(low);
    case DataType::UnsignedLongLong: return BinaryTextULongLong(value);
    case DataType::LongLong: return BinaryTextLongLong(value);
    default: return kNoText;
    }
}

}  // namespace quibo
