// The operator keys, "=", the operator latch and the evaluation.
#include "app/CBytewhirlView.h"

#include "calc/Wrap.h"
#include "numtext/HexText.h"
#include "res/Texts.h"

namespace quibo {

bool CBytewhirlView::BeginOperatorKey()
{
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_bTotalShown == 1)
        doc.m_bTotalShown = 0;
    if (!IsIntegral(doc.m_nDataType)) {
        RefuseRealType();
        return false;
    }
    return true;
}

// Every binary operator key: complete a pending operation whose second
// operand is in progress, replace a different pending operator by the
// family's rule, then latch.
void CBytewhirlView::BinaryOperatorKey(std::int32_t code, OperatorFamily family)
{
    if (!BeginOperatorKey())
        return;
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_bEntryArmed && doc.m_bSecondOperand)
        LatchOperator();
    if (doc.m_nPendingOp != OP_NONE && doc.m_nPendingOp != code) {
        switch (family) {
        case OperatorFamily::Arithmetic:
            // The last result becomes the first operand; the second operand
            // is re-read from its text, which is empty after an evaluation.
            doc.m_bEntryArmed = 1;
            doc.m_bSecondOperand = 0;
            doc.m_bSubtotal = 1;
            doc.EnterDigit();
            break;
        case OperatorFamily::Division:
            // The last result becomes the first operand; the second keeps its value.
            doc.m_bSecondOperand = 1;
            doc.m_bEntryArmed = 0;
            doc.m_bSubtotal = 1;
            doc.EnterDigit();
            break;
        case OperatorFamily::OtherBinary:
            // Nothing is carried over here: the next digit does it.
            doc.m_bSecondOperand = 1;
            doc.m_bEntryArmed = 0;
            break;
        }
    }
    doc.m_nPendingOp = code;
    LatchOperator();
}

void CBytewhirlView::OnKeyAdd() { BinaryOperatorKey(OP_ADD, OperatorFamily::Arithmetic); }
void CBytewhirlView::OnKeySubtract() { BinaryOperatorKey(OP_SUBTRACT, OperatorFamily::Arithmetic); }
void CBytewhirlView::OnKeyMultiply() { BinaryOperatorKey(OP_MULTIPLY, OperatorFamily::Arithmetic); }
void CBytewhirlView::OnKeyDivide() { BinaryOperatorKey(OP_DIVIDE, OperatorFamily::Division); }
void CBytewhirlView::OnKeyXor() { BinaryOperatorKey(OP_XOR, OperatorFamily::OtherBinary); }
void CBytewhirlView::OnKeyAnd() { BinaryOperatorKey(OP_AND, OperatorFamily::OtherBinary); }
void CBytewhirlView::OnKeyOr() { BinaryOperatorKey(OP_OR, OperatorFamily::OtherBinary); }
void CBytewhirlView::OnKeyShiftLeft() { BinaryOperatorKey(OP_SHIFT_LEFT, OperatorFamily::OtherBinary); }
void CBytewhirlView::OnKeyShiftRight() { BinaryOperatorKey(OP_SHIFT_RIGHT, OperatorFamily::OtherBinary); }
void CBytewhirlView::OnKeyModulus() { BinaryOperatorKey(OP_MODULUS, OperatorFamily::OtherBinary); }

// "~" is evaluated at once. A pending binary operation is dropped, not
// evaluated: the complement then applies to the last result.
void CBytewhirlView::OnKeyComplement()
{
    if (!BeginOperatorKey())
        return;
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_nPendingOp == OP_COMPLEMENT) {
        doc.m_bSubtotal = 1;
    } else if (doc.m_bEntryArmed) {
        if (!doc.m_bSecondOperand) {
            doc.m_bSecondOperand = 1;
        } else {
            doc.m_bEntryArmed = 1;
            doc.m_bSubtotal = 1;
            doc.m_bSecondOperand = 0;
            doc.EnterDigit();
        }
    }
    doc.m_nPendingOp = OP_COMPLEMENT;
    Evaluate();
}

void CBytewhirlView::OnKeyEquals()
{
    Evaluate();
    GetDocument().m_bTotalShown = 1;
}

void CBytewhirlView::LatchOperator()
{
    CBytewhirlDoc& doc = GetDocument();
    doc.m_nDigitCount = 0;
    if (doc.m_bEntryArmed) {
        if (!doc.m_bSecondOperand) {
            doc.m_bSecondOperand = 1;  // digits now go to the second operand
        } else {
            doc.m_bSubtotal = 1;
            Evaluate();
        }
    } else if (doc.m_bSecondOperand) {
        doc.m_bEntryArmed = 1;
    }
}

void CBytewhirlView::Evaluate()
{
    CBytewhirlDoc& doc = GetDocument();
    // Only a first operand is being typed: nothing is pending.
    if (doc.m_bEntryArmed && !doc.m_bSecondOperand && doc.m_nPendingOp == OP_NONE && !doc.m_bSubtotal &&
        !doc.m_bTotalShown)
        return;

    OperandRecord& calc = *doc.m_pCalc;
    OperandRecord& conv = *doc.m_pConv;
    m_form.SetDlgItemText(IDC_DISPLAY, "");
    m_form.SetDlgItemText(IDC_HEX_EDIT, "");
    m_form.SetDlgItemText(IDC_DECIMAL_EDIT, "");

    // Every result is shown big-endian.
    conv.m_nByteOrder = 0;
    m_form.SetDlgItemText(IDC_KEY_BYTE_ORDER, kCaptionMot);

    // What the result lost; with no operation the last result is shown
    // again, and whatever DECIMAL's text lost no longer shows.
    if (IsIntegral(doc.m_nDataType))
        doc.m_strWrap = WrapOfOperation(doc.m_nPendingOp, doc.m_nDataType,
                                        calc.SlotBits(doc.m_nDataType, OperandRecord::FIRST),
                                        calc.SlotBits(doc.m_nDataType, OperandRecord::SECOND));
    calc.ApplyOperator(doc.m_nPendingOp, doc.m_nDataType);
    const std::uint64_t value = ToRegister(doc.m_nDataType, HexTextToValue(calc.m_strResult));
    m_form.SetDlgItemText(IDC_DISPLAY, DisplayHexText(doc.m_nDataType, value));

    conv.m_strResult = calc.m_strResult;
    m_form.SetDlgItemText(IDC_HEX_EDIT, conv.m_strResult);

    // A real type computes nothing: DECIMAL stays empty, BINARY keeps its text.
    if (IsIntegral(doc.m_nDataType)) {
        conv.m_strResult = DecimalText(doc.m_nDataType, value);
        m_form.SetDlgItemText(IDC_DECIMAL_EDIT, conv.m_strResult);
        conv.m_strBinary = conv.BinaryTextIntegral(doc.m_nDataType, value);
        m_form.SetDlgItemText(IDC_BINARY, conv.m_strBinary);
    }

    calc.m_strSecond.clear();
}

}  // namespace quibo
