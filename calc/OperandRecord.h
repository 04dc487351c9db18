#pragma once

#include <cstdint>
#include <string>

#include "calc/DataType.h"

namespace quibo {

// One set of operand values and texts. The document has two: the calculator
// record (slots and typed texts) and the converter record (field texts,
// binary renderings and the byte order). Each uses only its own members.
class OperandRecord {
public:
    // Indices into each type's three slots.
    enum Slot { FIRST = 0, SECOND = 1, RESULT = 2 };

    // Clears every slot and every text; the byte order stays.
    void Reset();

    // Computes the result slot of an integral type from its first and second
    // slots and writes m_strResult. Code 0, an unknown code and the real
    // types compute nothing and keep m_strResult.
    void ApplyOperator(std::int32_t nOp, DataType nType);

    // The bits of one slot of an integral type, zero-extended to 64 bits; 0
    // for the real types, which have no slots.
    std::uint64_t SlotBits(DataType nType, Slot slot) const;
    // Stores the low bits of value in a slot of an integral type.
    void SetSlot(DataType nType, Slot slot, std::uint64_t value);

    // Renderers (numtext/BinaryText.h): store the raw bit string and both
    // byte orders of the family in this record, and return the Mot text
    // (integral) or Int text (real) as stored.
    const std::string& BinaryTextUChar(std::uint32_t value);
    const std::string& BinaryTextChar(std::uint32_t value);
    const std::string& BinaryTextUShort(std::uint32_t value);
    const std::string& BinaryTextShort(std::uint32_t value);
    const std::string& BinaryTextULong(std::uint32_t value);
    const std::string& BinaryTextLong(std::uint32_t value);
    const std::string& BinaryTextULongLong(std::uint64_t value);
    const std::string& BinaryTextLongLong(std::uint64_t value);
    const std::string& BinaryTextFloat(float value);
    const std::string& BinaryTextDouble(double value);

    // The integral renderer of a type; empty text and nothing stored for the
    // real types.
    const std::string& BinaryTextIntegral(DataType nType, std::uint64_t value);
    // A real type's renderer, of its bit pattern's low widthBits bits.
    const std::string& BinaryTextReal(DataType nType, std::uint64_t pattern);
    // The value the integral or the real texts were rendered from last; 0
    // after Reset.
    std::uint64_t RenderedBits(bool real) const { return real ? m_renderedReal : m_renderedIntegral; }

    std::string m_strBinMot;
    std::string m_strBinInt;
    std::string m_strRealBinInt;
    std::string m_strRealBinMot;
    std::string m_strRawBits;
    std::int32_t m_nByteOrder = 0;  // 0 "Mot" (big-endian), 1 "Int"
    std::uint8_t m_uc[3] = {};
    std::int8_t m_c[3] = {};
    std::int16_t m_s[3] = {};
    std::uint16_t m_us[3] = {};
    std::int32_t m_l[3] = {};
    std::uint32_t m_ul[3] = {};
    std::uint64_t m_ull[3] = {};
    std::int64_t m_ll[3] = {};
    std::string m_strKeyDigit;
    std::string m_strFirst;
    std::string m_strSecond;
    std::string m_strResult;
    std::string m_strBinary;

private:
    // Every renderer writes the texts and these together: the texts are
    // written nowhere else.
    std::uint64_t m_renderedIntegral = 0;
    std::uint64_t m_renderedReal = 0;

    const std::string& StoreIntegral(std::uint64_t value, int widthBits);
    const std::string& StoreReal(std::uint64_t pattern, int byteCount);
};

}  // namespace quibo
