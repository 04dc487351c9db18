// The operator keys, "=", the operator latch and the evaluation.
#include "shell/CBytewhirlView.h"
#include "shell/res/Texts.h"

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

// + - *: a different pending operator is replaced, carrying the last result
// over as the first operand with a second operand of 0.
void CBytewhirlView::ArithmeticKey(std::int32_t code)
{
    if (!BeginOperatorKey())
        return;
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_bEntryArmed && doc.m_bSecondOperand)
        LatchOperator();
    if (doc.m_nPendingOp != OP_NONE && doc.m_nPendingOp != code) {
        doc.m_bEntryArmed = 1;
        doc.m_bSecondOperand = 0;
        doc.m_bSubtotal = 1;
        doc.EnterDigit();
    }
    doc.m_nPendingOp = code;
    LatchOperator();
}

void CBytewhirlView::OnKeyAdd() { ArithmeticKey(OP_ADD); }
void CBytewhirlView::OnKeySubtract() { ArithmeticKey(OP_SUBTRACT); }
void CBytewhirlView::OnKeyMultiply() { ArithmeticKey(OP_MULTIPLY); }

// "/" carries the last result over but keeps the second operand.
void CBytewhirlView::OnKeyDivide()
{
    if (!BeginOperatorKey())
        return;
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_bEntryArmed && doc.m_bSecondOperand)
        LatchOperator();
    if (doc.m_nPendingOp != OP_NONE && doc.m_nPendingOp != OP_DIVIDE) {
        doc.m_bSecondOperand = 1;
        doc.m_bEntryArmed = 0;
        doc.m_bSubtotal = 1;
        doc.EnterDigit();
    }
    doc.m_nPendingOp = OP_DIVIDE;
    LatchOperator();
}

// ^ & | << >> %: nothing is carried over here; the next digit does it.
void CBytewhirlView::OtherBinaryKey(std::int32_t code)
{
    if (!BeginOperatorKey())
        return;
    CBytewhirlDoc& doc = GetDocument();
    if (doc.m_bEntryArmed && doc.m_bSecondOperand)
        LatchOperator();
    if (doc.m_nPendingOp != OP_NONE && doc.m_nPendingOp != code) {
        doc.m_bSecondOperand = 1;
        doc.m_bEntryArmed = 0;
    }
    doc.m_nPendingOp = code;
    LatchOperator();
}

void CBytewhirlView::OnKeyXor() { OtherBinaryKey(OP_XOR); }
void CBytewhirlView::OnKeyAnd() { OtherBinaryKey(OP_AND); }
void CBytewhirlView::OnKeyOr() { OtherBinaryKey(OP_OR); }
void CBytewhirlView::OnKeyShiftLeft() { OtherBinaryKey(OP_SHIFT_LEFT); }
void CBytewhirlView::OnKeyShiftRight() { OtherBinaryKey(OP_SHIFT_RIGHT); }
void CBytewhirlView::OnKeyModulus() { OtherBinaryKey(OP_MODULUS); }

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

    calc.ApplyOperator(doc.m_nPendingOp, doc.m_nDataType);
    const std::uint32_t value = OperandRecord::HexTextToValue(calc.m_strResult);
    m_form.SetDlgItemText(IDC_DISPLAY, FormatUnsigned("%X", value));

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
