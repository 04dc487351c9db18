#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "calc/CBytewhirlDoc.h"
#include "platform/Document.h"
#include "platform/EditControl.h"
#include "platform/FormWindow.h"
#include "platform/FrameWindow.h"
#include "platform/RoutingTable.h"
#include "platform/StatusBarWindow.h"

namespace quibo {

// The calculator form: display, keypad and the converter fields. Its state
// is the flags the handlers share; everything else lives in the document.
// Handler bodies are grouped by feature beside it: ViewKeypad.cpp,
// ViewOperators.cpp, ViewConverter.cpp, ViewByteOrder.cpp, ViewTypeChange.cpp,
// ViewBits.cpp.
class CBytewhirlView : public CView {
public:
    CBytewhirlView(CBytewhirlDoc& document, FormWindow& form, StatusBarWindow& statusBar, FrameWindow& frame);
    ~CBytewhirlView() override;
    CBytewhirlView(const CBytewhirlView&) = delete;
    CBytewhirlView& operator=(const CBytewhirlView&) = delete;

    CBytewhirlDoc& GetDocument() const { return m_document; }

    // Delivers one control notification through the routing table (a
    // bit's click by its range).
    bool OnCmdMsg(ControlId id, Notification code) override;
    static std::span<const Route<CBytewhirlView>> RoutingTable();

    // Runs at start-up and whenever New re-initialises the document: the
    // data exchange towards the controls, which blanks the display, HEX,
    // BINARY and DECIMAL, then OnUpdate, then the frame fits the form.
    void OnInitialUpdate();
    void DoDataExchange();

    // The document changed its data type (or the initial update ran): convert
    // the DECIMAL text again at the new type, or refuse a real-to-integral
    // change and clear. The first call only passes the gate.
    void OnUpdate(CView* pSender, long lHint, void* pHint) override;

    // Digit keys and CLR.
    void OnKey0();
    void OnKey1();
    void OnKey2();
    void OnKey3();
    void OnKey4();
    void OnKey5();
    void OnKey6();
    void OnKey7();
    void OnKey8();
    void OnKey9();
    void OnKeyA();
    void OnKeyB();
    void OnKeyC();
    void OnKeyD();
    void OnKeyE();
    void OnKeyF();
    void OnKeyClear();
    void StartNewCalculation();
    void RefreshDisplay();

    // Operator keys and evaluation.
    void OnKeyAdd();
    void OnKeySubtract();
    void OnKeyMultiply();
    void OnKeyDivide();
    void OnKeyComplement();
    void OnKeyXor();
    void OnKeyAnd();
    void OnKeyOr();
    void OnKeyShiftLeft();
    void OnKeyShiftRight();
    void OnKeyModulus();
    void OnKeyEquals();
    void LatchOperator();
    void Evaluate();

    // Puts the binary text of a hex text, at the current type, into BINARY.
    void ShowBinaryFromHex(std::string text);

    // The converter fields.
    void OnDecimalEditUpdate();
    void OnHexEditUpdate();
    void OnHexEditSetFocus();
    void OnDecimalEditSetFocus();
    void OnHexEditKillFocus();
    void OnDecimalEditKillFocus();

    // The Mot/Int key.
    void OnKeyByteOrder();

    // The Bits panel: a click on bit n, and what the panel shows, which
    // follows the converter's value after every notification and command.
    void OnBitClicked(int bit);
    void RefreshBits();
    // The Inspector's readings of the same value, while it is shown.
    void RefreshReadings();

    // Held while a notification or command runs: the program's own writes
    // notify from within, and the Bits panel is given the value once, when
    // the outermost one is done, never a state half-way through.
    class Dispatch {
    public:
        explicit Dispatch(CBytewhirlView& view) : m_view(view) { ++m_view.m_dispatchDepth; }
        ~Dispatch()
        {
            if (--m_view.m_dispatchDepth == 0) {
                m_view.RefreshBits();
                m_view.RefreshReadings();
                m_view.RefreshWrap();
            }
        }
        Dispatch(const Dispatch&) = delete;
        Dispatch& operator=(const Dispatch&) = delete;

    private:
        CBytewhirlView& m_view;
    };

    EditControl m_editHex;
    EditControl m_editDecimal;
    std::string m_strDisplayText;
    std::string m_strHexText;
    std::string m_strBinaryText;
    std::string m_strDecimalText;
    std::int32_t m_bUpdateSeen = 0;
    std::int32_t m_bDecimalFocus = 0;
    std::int32_t m_bHexFocus = 0;
    // Starts at 0: starting at 1 would swallow the first keystroke typed into
    // HEX or DECIMAL after start-up. CLR still sets it before it empties the
    // fields.
    std::int32_t m_bIgnoreEditUpdate = 0;

private:
    // How a binary operator key replaces a different pending operator.
    enum class OperatorFamily { Arithmetic, Division, OtherBinary };

    void OnDigitKey(std::int32_t value);
    // The start every operator key but "=" shares; false when it refused.
    bool BeginOperatorKey();
    void BinaryOperatorKey(std::int32_t code, OperatorFamily family);
    void RefuseRealType();

    // The WRAP pane, when the document's text changed.
    void RefreshWrap();

    CBytewhirlDoc& m_document;
    FormWindow& m_form;
    StatusBarWindow& m_statusBar;
    FrameWindow& m_frame;
    int m_dispatchDepth = 0;
    std::string m_wrapShown;
    // The type and value the Bits panel was last given.
    std::optional<std::pair<DataType, std::uint64_t>> m_bitsShown;
    // The same for the Inspector; nothing while it is hidden.
    std::optional<std::pair<DataType, std::uint64_t>> m_readingsShown;
};

}  // namespace quibo
