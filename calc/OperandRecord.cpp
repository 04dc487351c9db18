#include "calc/OperandRecord.h"

#include <bit>

#include "calc/OperatorCode.h"
#include "numtext/BinaryText.h"

namespace quibo {

namespace {

// Signed operands are read at 64 bits so that no quotient, remainder or
// shift of a 32-bit value can overflow: -2147483648 / -1 gives 2147483648,
// which the caller then wraps to the width like every other result.
std::int64_t SignedValue(DataType type, std::uint32_t bits)
{
    return static_cast<std::int32_t>(WidenToType(type, bits));
}

std::uint32_t Compute(std::int32_t op, DataType type, std::uint32_t a, std::uint32_t b)
{
    const DataTypeInfo& info = *FindDataTypeInfo(type);
    const std::int64_t sa = SignedValue(type, a);
    const std::int64_t sb = SignedValue(type, b);
    const std::uint32_t count = b & 31u;
    const bool beyondWidth = count >= static_cast<std::uint32_t>(info.widthBits);

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
        return info.isSigned ? static_cast<std::uint32_t>(sa / sb) : a / b;
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
            return sa < 0 ? 0xFFFFFFFFu : 0;
        return static_cast<std::uint32_t>(sa >> count);
    case OP_MODULUS:
        if (b == 0)
            return 0;
        return info.isSigned ? static_cast<std::uint32_t>(sa % sb) : a % b;
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
    }
    m_strBinMot.clear();
    m_strBinInt.clear();
    m_strRealBinInt.clear();
    m_strRealBinMot.clear();
    m_strRawBits.clear();
    m_strKeyDigit.clear();
    m_strFirst.clear();
    m_strSecond.clear();
    m_strResult.clear();
    m_strBinary.clear();
}

std::uint32_t OperandRecord::SlotBits(DataType nType, Slot slot) const
{
    switch (nType) {
    case DataType::UnsignedChar: return m_uc[slot];
    case DataType::Char: return static_cast<std::uint8_t>(m_c[slot]);
    case DataType::UnsignedShort: return m_us[slot];
    case DataType::Short: return static_cast<std::uint16_t>(m_s[slot]);
    case DataType::UnsignedLong: return m_ul[slot];
    case DataType::Long: return static_cast<std::uint32_t>(m_l[slot]);
    default: return 0;
    }
}

void OperandRecord::SetSlot(DataType nType, Slot slot, std::uint32_t value)
{
    // Conversions to the narrower and signed slot types are modular (C++20).
    switch (nType) {
    case DataType::UnsignedChar: m_uc[slot] = static_cast<std::uint8_t>(value); break;
    case DataType::Char: m_c[slot] = static_cast<std::int8_t>(value); break;
    case DataType::UnsignedShort: m_us[slot] = static_cast<std::uint16_t>(value); break;
    case DataType::Short: m_s[slot] = static_cast<std::int16_t>(value); break;
    case DataType::UnsignedLong: m_ul[slot] = value; break;
    case DataType::Long: m_l[slot] = static_cast<std::int32_t>(value); break;
    default: break;
    }
}

void OperandRecord::ApplyOperator(std::int32_t nOp, DataType nType)
{
    if (!IsIntegral(nType) || nOp <= OP_NONE || nOp > OP_MODULUS)
        return;

    const std::uint32_t result =
        TruncateToType(nType, Compute(nOp, nType, SlotBits(nType, FIRST), SlotBits(nType, SECOND)));
    SetSlot(nType, RESULT, result);

    const char* format = FindDataTypeInfo(nType)->resultHexFormat;
    if (nOp == OP_COMPLEMENT) {
        // The complement replaces its operand, so that a further "~" or "="
        // toggles back, and it shows its bits zero-extended: char ~5 is FA.
        SetSlot(nType, FIRST, result);
        m_strResult = FormatUnsigned(format, result);
    } else {
        // A negative char or short result shows all 32 bits: FFFFFFFA.
        m_strResult = FormatUnsigned(format, WidenToType(nType, result));
    }
}

std::string OperandRecord::StoreIntegral(std::uint32_t value, int widthBits)
{
    BinaryRendering rendering = RenderIntegralBits(value, widthBits);
    m_strRawBits = std::move(rendering.raw);
    m_strBinMot = std::move(rendering.mot);
    m_strBinInt = std::move(rendering.in);
    return m_strBinMot;
}

std::string OperandRecord::StoreReal(std::uint64_t pattern, int byteCount)
{
    BinaryRendering rendering = RenderRealBits(pattern, byteCount);
    m_strRawBits = std::move(rendering.raw);
    m_strRealBinMot = std::move(rendering.mot);
    m_strRealBinInt = std::move(rendering.in);
    return m_strRealBinInt;
}

std::string OperandRecord::BinaryTextUChar(std::uint32_t value) { return StoreIntegral(value, 8); }
std::string OperandRecord::BinaryTextChar(std::uint32_t value) { return StoreIntegral(value, 8); }
std::string OperandRecord::BinaryTextUShort(std::uint32_t value) { return StoreIntegral(value, 16); }
std::string OperandRecord::BinaryTextShort(std::uint32_t value) { return StoreIntegral(value, 16); }
std::string OperandRecord::BinaryTextULong(std::uint32_t value) { return StoreIntegral(value, 32); }
std::string OperandRecord::BinaryTextLong(std::uint32_t value) { return StoreIntegral(value, 32); }
std::string OperandRecord::BinaryTextFloat(float value) { return StoreReal(std::bit_cast<std::uint32_t>(value), 4); }
std::string OperandRecord::BinaryTextDouble(double value) { return StoreReal(std::bit_cast<std::uint64_t>(value), 8); }

std::string OperandRecord::BinaryTextIntegral(DataType nType, std::uint32_t value)
{
    switch (nType) {
    case DataType::UnsignedChar: return BinaryTextUChar(value);
    case DataType::Char: return BinaryTextChar(value);
    case DataType::UnsignedShort: return BinaryTextUShort(value);
    case DataType::Short: return BinaryTextShort(value);
    case DataType::UnsignedLong: return BinaryTextULong(value);
    case DataType::Long: return BinaryTextLong(value);
    default: return {};
    }
}

}  // namespace quibo
