// Plays arbitrary bytes as user actions on the headless form (key clicks,
// focus, typing, backspace, clearing, pasting, a real type's bit pattern
// typed into HEX, Data Type commands, a bit of the Bits panel, New) and
// checks what must hold between any two actions, and that the WRAP pane says
// what each one cut, exactly when it cut something.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/DataTypeCommands.h"
#include "fuzz/WrapOracle.h"
#include "numtext/DecimalText.h"
#include "numtext/HexText.h"
#include "numtext/Readings.h"
#include "numtext/RealText.h"
#include "hosts/headless/HeadlessApp.h"
#include "res/Texts.h"

namespace {

using namespace quibo;

constexpr std::array<ControlId, 30> kKeys{
    IDC_KEY_0, IDC_KEY_1, IDC_KEY_2, IDC_KEY_3, IDC_KEY_4, IDC_KEY_5, IDC_KEY_6, IDC_KEY_7,
    IDC_KEY_8, IDC_KEY_9, IDC_KEY_A, IDC_KEY_B, IDC_KEY_C, IDC_KEY_D, IDC_KEY_E, IDC_KEY_F,
    IDC_KEY_CLEAR, IDC_KEY_ADD, IDC_KEY_SUBTRACT, IDC_KEY_MULTIPLY, IDC_KEY_DIVIDE, IDC_KEY_MODULUS,
    IDC_KEY_COMPLEMENT, IDC_KEY_XOR, IDC_KEY_AND, IDC_KEY_OR, IDC_KEY_SHIFT_LEFT, IDC_KEY_SHIFT_RIGHT,
    IDC_KEY_EQUALS, IDC_KEY_BYTE_ORDER,
};

// Bit patterns where real values have their edges: NaN payloads, the
// infinities, subnormals, signed zeros; and texts longer than HEX takes.
constexpr std::array<const char*, 16> kRealPatterns{
    "7FC00001", "FFFFFFFF", "7F800000", "FF800000", "00000001", "807FFFFF", "80000000", "7F7FFFFF",
    "7FF0000000000001", "FFF8000000000000", "7FF0000000000000", "0000000000000001", "800FFFFFFFFFFFFF",
    "8000000000000000", "1234567890ABCDEF1234", "0x3F800000",
};

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
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
    Require(doc.m_bEntryArmed == 1, "armed between actions");
    if (doc.m_nPendingOp == OP_NONE)
        Require(!doc.m_bSecondOperand && !doc.m_bSubtotal, "no operator: first operand state");
    if (!doc.m_bSecondOperand && doc.m_bSubtotal)
        Require(doc.m_nPendingOp == OP_COMPLEMENT, "complement shown has operator 5");
    Require(doc.m_nDigitCount >= 0 && doc.m_nDigitCount <= 16, "digit count within the largest capacity");

    // A focus flag never claims a focus its field does not have.
    const CBytewhirlView& view = app.View();
    const auto focused = app.Form().GetFocus();
    Require(!view.m_bHexFocus || focused == IDC_HEX_EDIT, "HEX focus flag");
    Require(!view.m_bDecimalFocus || focused == IDC_DECIMAL_EDIT, "DECIMAL focus flag");
    Require(IsFlag(view.m_bIgnoreEditUpdate), "skip flag holds 0 or 1");

    const std::string caption = app.Form().GetDlgItemText(IDC_KEY_BYTE_ORDER);
    Require(caption == (doc.m_pConv->m_nByteOrder ? kCaptionInt : kCaptionMot), "caption follows the byte order");
    for (const auto& message : app.Form().Messages()) {
        Require(message.caption == kErrorCaption, "message caption");
        Require(message.text == kMustSelectIntegral || message.text == kCantConvertRealToIntegral,
                "only the two refusals");
    }
    app.Form().ClearMessages();

    Require(app.CheckedDataType() == doc.m_nDataType, "the current type's item is checked");
    const std::string status = app.StatusText();
    const auto commands = DataTypeCommands();
    Require(status == " " || std::any_of(commands.begin(), commands.end(),
                                         [&](const DataTypeCommand& c) { return status == c.statusText; }),
            "status text");
}

// The form as it was before an action, as far as the WRAP pane's judge needs.
struct Before {
    std::string wrap;
    std::int32_t op;
    std::uint64_t first, second, result;
    std::string hex, decimal;
};

Before Snapshot(HeadlessApp& app)
{
    const CBytewhirlDoc& doc = app.Document();
    const OperandRecord& calc = *doc.m_pCalc;
    const DataType type = doc.m_nDataType;
    return {doc.m_strWrap,
            doc.m_nPendingOp,
            calc.SlotBits(type, OperandRecord::FIRST),
            calc.SlotBits(type, OperandRecord::SECOND),
            calc.SlotBits(type, OperandRecord::RESULT),
            app.Form().GetDlgItemText(IDC_HEX_EDIT),
            app.Form().GetDlgItemText(IDC_DECIMAL_EDIT)};
}

// What the pane may say after a click on key: a digit that reaches the
// calculator, CLR and "~" clear it; an evaluation says what it cut; a key
// refused under a real type and the byte-order key leave it.
std::vector<std::string> WrapAfterKey(HeadlessApp& app, ControlId key, const Before& before)
{
    const CBytewhirlDoc& doc = app.Document();
    const DataTypeInfo& info = *FindDataTypeInfo(doc.m_nDataType);
    if (key == IDC_KEY_CLEAR)
        return {""};
    if (key == IDC_KEY_BYTE_ORDER || info.real)
        return {before.wrap};
    const auto at = std::find(kKeys.begin(), kKeys.end(), key);
    if (at - kKeys.begin() < 16 || key == IDC_KEY_COMPLEMENT)
        return {""};
    // An operator key or "=": when the result slot changed, the pending
    // operation was evaluated; an unchanged one may have been.
    const std::uint64_t result = doc.m_pCalc->SlotBits(doc.m_nDataType, OperandRecord::RESULT);
    const std::string evaluated = wrap_oracle::AfterOperation(before.op, info, before.first, before.second, result);
    if (result != before.result)
        return {evaluated};
    return {before.wrap, evaluated};
}

// What the pane may say after an edit: a DECIMAL or HEX text that changed
// under the focus was converted.
std::vector<std::string> WrapAfterEdit(HeadlessApp& app, const Before& before)
{
    const std::string decimal = app.Form().GetDlgItemText(IDC_DECIMAL_EDIT);
    const auto focus = app.Form().GetFocus();
    if (focus == IDC_DECIMAL_EDIT && decimal != before.decimal)
        return {wrap_oracle::AfterDecimal(*FindDataTypeInfo(app.Document().m_nDataType), decimal,
                                          app.Document().ConverterValue())};
    if (focus == IDC_HEX_EDIT && app.Form().GetDlgItemText(IDC_HEX_EDIT) != before.hex)
        return {""};
    return {before.wrap};
}

void CheckWrap(HeadlessApp& app, const std::vector<std::string>& allowed)
{
    const std::string& wrap = app.Document().m_strWrap;
    if (std::find(allowed.begin(), allowed.end(), wrap) == allowed.end()) {
        std::fprintf(stderr, "WRAP pane says \"%s\"; allowed:", wrap.c_str());
        for (const std::string& text : allowed)
            std::fprintf(stderr, " \"%s\"", text.c_str());
        std::fprintf(stderr, "\n");
        Require(false, "the WRAP pane says what was cut");
    }
    Require(app.StatusBar().GetPaneText(kWrapPane) == wrap, "the pane shows the document's text");
}

// While shown, the Inspector reads the converter's value at the type's width.
void CheckReadings(HeadlessApp& app)
{
    const HeadlessFrame& frame = app.FrameWindow();
    if (!frame.inspectorVisible)
        return;
    const CBytewhirlDoc& doc = app.Document();
    const int width = FindDataTypeInfo(doc.m_nDataType)->widthBits;
    const std::vector<Reading> readings = Readings(doc.ConverterValue(), width);
    Require(frame.readings.widthBits == width && frame.readings.rows.size() == readings.size(),
            "the Inspector has the type's rows");
    for (std::size_t row = 0; row < readings.size(); ++row) {
        const InspectorRow& shown = frame.readings.rows[row];
        Require(shown.name == readings[row].name && shown.mot == readings[row].mot && shown.in == readings[row].in,
                "the Inspector reads the converter's value");
    }
}

// Types an edge of the real values, or any bytes' hex digits, into HEX:
// under float or double, DECIMAL reads back as HEX's pattern. Gives what
// the WRAP pane may then say.
template <class Next>
std::vector<std::string> TypeIntoHex(HeadlessApp& app, Next& next)
{
    HeadlessForm& form = app.Form();
    const std::uint8_t choice = next();
    std::string text = kRealPatterns[choice % kRealPatterns.size()];
    if (choice >= 128) {
        text.clear();
        for (int digit = 0; digit < 16; ++digit)
            text += "0123456789ABCDEF"[next() % 16];
    }
    // Into HEX from DECIMAL: a field that kept the focus through a
    // Data Type command does not convert until it gets it again.
    form.Focus(IDC_DECIMAL_EDIT);
    form.Focus(IDC_HEX_EDIT);
    form.ClearField();
    form.Type(text);
    const DataType type = app.Document().m_nDataType;
    const std::uint64_t pattern = HexTextToValue(form.GetDlgItemText(IDC_HEX_EDIT));
    const std::string decimal = form.GetDlgItemText(IDC_DECIMAL_EDIT);
    if (type == DataType::Float) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(pattern));
        Require(decimal == FloatText(value), "DECIMAL shows the float of HEX");
        Require(value != value || static_cast<float>(ReadDecimalReal(decimal)) == value, "and reads back");
    } else if (type == DataType::Double) {
        const double value = std::bit_cast<double>(pattern);
        Require(decimal == DoubleText(value), "DECIMAL shows the double of HEX");
        Require(value != value || ReadDecimalReal(decimal) == value, "and reads back");
    }
    return {""};
}

// Flips a bit of the Bits panel; gives what the WRAP pane may then say.
template <class Next>
std::vector<std::string> FlipBit(HeadlessApp& app, Next& next, const std::string& wrapBefore)
{
    HeadlessForm& form = app.Form();
    // A flip changes that bit of the converter's value and no other,
    // and is refused beyond the type's width.
    const int bit = next() % kPanelBits;
    const std::uint64_t before = app.Document().ConverterValue();
    const std::string display = form.GetDlgItemText(IDC_DISPLAY);
    const std::optional<ControlId> focus = form.GetFocus();
    const bool flipped = form.Click(BitControl(bit));
    const std::uint64_t after = app.Document().ConverterValue();
    Require(flipped == (bit < FindDataTypeInfo(app.Document().m_nDataType)->widthBits), "bits below the width");
    Require(after == (flipped ? before ^ (std::uint64_t{1} << bit) : before), "one bit flipped");
    Require(form.GetDlgItemText(IDC_DISPLAY) == display, "the display stays");
    Require(form.GetFocus() == (flipped ? std::optional<ControlId>(BitControl(bit)) : focus),
            "the flipped bit has the focus; a refused one leaves it");
    return flipped ? std::vector<std::string>{""} : std::vector<std::string>{wrapBefore};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HeadlessApp app;
    HeadlessForm& form = app.Form();
    std::size_t i = 0;
    const auto next = [&]() -> std::uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        const std::uint8_t action = next();
        const Before before = Snapshot(app);
        std::vector<std::string> wrap{before.wrap};
        if (action < 120) {
            const ControlId key = kKeys[action % kKeys.size()];
            form.Click(key);
            wrap = WrapAfterKey(app, key, before);
        } else if (action < 130) {
            form.Focus(action % 2 ? IDC_HEX_EDIT : IDC_DECIMAL_EDIT);
        } else if (action < 225) {
            if (action < 200) {
                form.Type(std::string(1, static_cast<char>(next())));
            } else if (action < 210) {
                form.Backspace(next() % 4);
            } else if (action < 215) {
                form.ClearField();
            } else {
                const std::size_t length = std::min<std::size_t>(next() % 24, size - i);
                form.Paste(std::string(reinterpret_cast<const char*>(data + i), length));
                i += length;
            }
            wrap = WrapAfterEdit(app, before);
        } else if (action < 245) {
            app.App().OnCmdMsg(DataTypeCommands()[action % DataTypeCommands().size()].id);
            // The command converts DECIMAL again at the new type, or HEX.
            wrap = {before.wrap, "",
                    wrap_oracle::AfterDecimal(*FindDataTypeInfo(app.Document().m_nDataType),
                                              form.GetDlgItemText(IDC_DECIMAL_EDIT), app.Document().ConverterValue())};
        } else if (action < 250) {
            wrap = TypeIntoHex(app, next);
        } else if (action < 254) {
            wrap = FlipBit(app, next, before.wrap);
        } else if (action == 254) {
            app.App().OnCmdMsg(ID_VIEW_INSPECTOR);
        } else {
            app.App().OnCmdMsg(ID_FILE_NEW);
            wrap = {""};
        }
        CheckWrap(app, wrap);
        CheckReadings(app);
        // The panel shows the converter's value.
        Require(form.Bits().value == app.Document().ConverterValue(), "the panel follows the value");
        CheckInvariants(app);
    }
    return 0;
}
