// Plays arbitrary bytes as keypad clicks and data type changes on the
// headless form, and checks what must hold between any two key presses.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "shell/headless/HeadlessApp.h"
#include "shell/res/Texts.h"

namespace {

using namespace quibo;

constexpr std::array<ControlId, 30> kKeys{
    IDC_KEY_0, IDC_KEY_1, IDC_KEY_2, IDC_KEY_3, IDC_KEY_4, IDC_KEY_5, IDC_KEY_6, IDC_KEY_7,
    IDC_KEY_8, IDC_KEY_9, IDC_KEY_A, IDC_KEY_B, IDC_KEY_C, IDC_KEY_D, IDC_KEY_E, IDC_KEY_F,
    IDC_KEY_CLEAR, IDC_KEY_ADD, IDC_KEY_SUBTRACT, IDC_KEY_MULTIPLY, IDC_KEY_DIVIDE, IDC_KEY_MODULUS,
    IDC_KEY_COMPLEMENT, IDC_KEY_XOR, IDC_KEY_AND, IDC_KEY_OR, IDC_KEY_SHIFT_LEFT, IDC_KEY_SHIFT_RIGHT,
    IDC_KEY_EQUALS, IDC_KEY_BYTE_ORDER,
};

void Require(bool condition, const char* what)
{
    if (!condition) {
        __builtin_printf("invariant broken: %s\n", what);
        std::abort();
    }
}

bool IsFlag(std::int32_t value)
{
    return value == 0 || value == 1;
}

void CheckInvariants(HeadlessApp& app)
{
    const CBytewhirlDoc& doc = app.Document();
    Require(IsFlag(doc.m_bTotalShown) && IsFlag(doc.m_bEntryArmed) && IsFlag(doc.m_bSecondOperand) &&
                IsFlag(doc.m_bSubtotal),
            "flags hold 0 or 1");
    Require(doc.m_nPendingOp >= OP_NONE && doc.m_nPendingOp <= OP_MODULUS, "operator code 0 to 11");
    Require(doc.m_bEntryArmed == 1, "armed between key presses");
    if (doc.m_nPendingOp == OP_NONE)
        Require(!doc.m_bSecondOperand && !doc.m_bSubtotal, "no operator: first operand state");
    if (!doc.m_bSecondOperand && doc.m_bSubtotal)
        Require(doc.m_nPendingOp == OP_COMPLEMENT, "complement shown has operator 5");
    Require(doc.m_nDigitCount >= 0 && doc.m_nDigitCount <= 8, "digit count within the largest capacity");

    const std::string caption = app.Form().GetDlgItemText(IDC_KEY_BYTE_ORDER);
    Require(caption == kCaptionMot || caption == kCaptionInt, "byte-order caption");
    for (const auto& message : app.Form().Messages()) {
        Require(message.caption == kErrorCaption, "message caption");
        Require(message.text == kMustSelectIntegral, "only the real-type refusal");
    }
    app.Form().ClearMessages();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HeadlessApp app;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        if (byte < 240) {
            app.Form().Click(kKeys[byte % kKeys.size()]);
        } else {
            app.Document().m_nDataType = static_cast<DataType>(byte & 7u);
        }
        CheckInvariants(app);
    }
    return 0;
}
