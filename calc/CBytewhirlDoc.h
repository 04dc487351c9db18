#pragma once

#include <cstdint>
#include <memory>

#include "calc/DataType.h"
#include "calc/OperandRecord.h"
#include "calc/OperatorCode.h"
#include "platform/Document.h"

namespace quibo {

// The one document: the whole state of the calculator and the converter.
// It is never saved or loaded.
class CBytewhirlDoc : public CDocument {
public:
    CBytewhirlDoc();
    CBytewhirlDoc(const CBytewhirlDoc&) = delete;
    CBytewhirlDoc& operator=(const CBytewhirlDoc&) = delete;

    // New re-initialises the document in place: the title becomes empty, the
    // WRAP text too, and nothing of the calculator is reset.
    bool OnNewDocument() override;

    // Hex digits the current type's bit pattern needs; 0 for an unknown type.
    int HexDigitCapacity() const;
    // The converter's value: the low bits of the current type's width (32
    // for float, 64 for double) of the value whose texts the converter
    // record rendered last for the type's family (m_strBinMot for the
    // integral types, m_strRealBinMot for the real ones); 0 after a reset.
    std::uint64_t ConverterValue() const;

    // Takes m_nKeyDigit into the operand being typed, or only carries the
    // last result over, as the flags select. -1 when the operand is full.
    int EnterDigit();

    DataType m_nPrevDataType = DataType::UnsignedLong;
    std::int32_t m_bTotalShown = 0;
    std::int32_t m_bEntryArmed = 1;
    std::int32_t m_bSecondOperand = 0;
    std::int32_t m_bSubtotal = 0;
    std::int32_t m_nPendingOp = OP_NONE;
    DataType m_nDataType = DataType::UnsignedLong;
    std::int32_t m_nDigitCount = 0;
    std::int32_t m_nKeyDigit = 0;
    std::unique_ptr<OperandRecord> m_pConv;
    std::unique_ptr<OperandRecord> m_pCalc;
    // What the converter's last value lost to the type (calc/Wrap.h): set by
    // an evaluation and a DECIMAL conversion, cleared by a HEX conversion, a
    // digit, a bit flip, CLR and New.
    std::string m_strWrap;

private:
    void AppendKeyDigit(std::string& text);
};

}  // namespace quibo
