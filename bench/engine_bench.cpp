// The engine on the headless host, per user action: a later slowdown of
// any of these shows here. Each benchmark reports "per_action", the time
// of one action.
#include <benchmark/benchmark.h>

#include "app/DataTypeCommands.h"
#include "hosts/headless/HeadlessApp.h"

namespace {

using namespace quibo;

void ReportPerAction(benchmark::State& state, int actionsPerIteration)
{
    state.counters["per_action"] = benchmark::Counter(
        static_cast<double>(actionsPerIteration), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DigitClick(benchmark::State& state)
{
    HeadlessApp app;
    HeadlessForm& form = app.Form();
    for (auto _ : state) {
        // Eight digits fill an unsigned long; CLR starts again.
        for (ControlId key : {IDC_KEY_1, IDC_KEY_2, IDC_KEY_3, IDC_KEY_4, IDC_KEY_5, IDC_KEY_6, IDC_KEY_7, IDC_KEY_8})
            form.Click(key);
        form.Click(IDC_KEY_CLEAR);
    }
    ReportPerAction(state, 9);
}
BENCHMARK(DigitClick);

void OperatorChain(benchmark::State& state)
{
    HeadlessApp app;
    HeadlessForm& form = app.Form();
    for (auto _ : state) {
        for (ControlId key : {IDC_KEY_5, IDC_KEY_ADD, IDC_KEY_3, IDC_KEY_MULTIPLY, IDC_KEY_7, IDC_KEY_SHIFT_LEFT,
                              IDC_KEY_2, IDC_KEY_EQUALS})
            form.Click(key);
    }
    ReportPerAction(state, 8);
}
BENCHMARK(OperatorChain);

void OperatorChainAt64Bits(benchmark::State& state)
{
    HeadlessApp app;
    app.App().OnCmdMsg(FindDataTypeCommand(DataType::LongLong)->id);
    HeadlessForm& form = app.Form();
    for (auto _ : state) {
        // Sixteen digits, a signed division, a sign-filling shift.
        for (int i = 0; i < 16; ++i)
            form.Click(i == 0 ? IDC_KEY_8 : IDC_KEY_F);
        for (ControlId key : {IDC_KEY_DIVIDE, IDC_KEY_3, IDC_KEY_SHIFT_RIGHT, IDC_KEY_3, IDC_KEY_F, IDC_KEY_EQUALS,
                              IDC_KEY_CLEAR})
            form.Click(key);
    }
    ReportPerAction(state, 23);
}
BENCHMARK(OperatorChainAt64Bits);

// One keystroke into field and its Backspace under type, after start: each
// converts the whole text again.
void Keystroke(benchmark::State& state, ControlId field, DataType type, const char* start, const char* typed,
               bool inspector = false)
{
    HeadlessApp app;
    if (inspector)
        app.App().OnCmdMsg(ID_VIEW_INSPECTOR);
    app.App().OnCmdMsg(FindDataTypeCommand(type)->id);
    HeadlessForm& form = app.Form();
    form.Focus(field);
    form.Type(start);
    for (auto _ : state) {
        form.Type(typed);
        form.Backspace(1);
    }
    ReportPerAction(state, 2);
}

void DecimalKeystroke(benchmark::State& state, DataType type, const char* start, const char* typed)
{
    Keystroke(state, IDC_DECIMAL_EDIT, type, start, typed);
}
// Twenty digits and nineteen.
BENCHMARK_CAPTURE(DecimalKeystroke, At64Bits, DataType::UnsignedLongLong, "1844674407370955161", "5");
// "-2.51" and "-2.5".
BENCHMARK_CAPTURE(DecimalKeystroke, UnderFloat, DataType::Float, "-2.5", "1");

void HexKeystroke(benchmark::State& state, DataType type, const char* start, const char* typed)
{
    Keystroke(state, IDC_HEX_EDIT, type, start, typed);
}
// -pi, whose text needs sixteen digits, and a pattern of fifteen places.
BENCHMARK_CAPTURE(HexKeystroke, UnderDouble, DataType::Double, "C00921FB54442D1", "8");

// The same with the Inspector shown: both byte orders' readings, the exact
// texts included, for every value.
void HexKeystrokeWithInspector(benchmark::State& state, DataType type, const char* start, const char* typed)
{
    Keystroke(state, IDC_HEX_EDIT, type, start, typed, true);
}
BENCHMARK_CAPTURE(HexKeystrokeWithInspector, UnderDouble, DataType::Double, "C00921FB54442D1", "8");

void ByteOrderPress(benchmark::State& state)
{
    HeadlessApp app;
    HeadlessForm& form = app.Form();
    form.Focus(IDC_HEX_EDIT);
    form.Type("1A2B3C4D");
    for (auto _ : state)
        form.Click(IDC_KEY_BYTE_ORDER);
    ReportPerAction(state, 1);
}
BENCHMARK(ByteOrderPress);

void DataTypeChange(benchmark::State& state)
{
    HeadlessApp app;
    app.Form().Focus(IDC_DECIMAL_EDIT);
    app.Form().Type("300");
    const int charCommand = FindDataTypeCommand(DataType::Char)->id;
    const int shortCommand = FindDataTypeCommand(DataType::Short)->id;
    for (auto _ : state) {
        app.App().OnCmdMsg(charCommand);
        app.App().OnCmdMsg(shortCommand);
    }
    ReportPerAction(state, 2);
}
BENCHMARK(DataTypeChange);

// A click on a bit of the Bits panel at 64 bits, under each byte order and
// for double: BINARY, HEX and DECIMAL rewritten, the panel shown again.
void BitFlip(benchmark::State& state, DataType type, const char* hex, bool swapped)
{
    HeadlessApp app;
    app.App().OnCmdMsg(FindDataTypeCommand(type)->id);
    HeadlessForm& form = app.Form();
    form.Focus(IDC_HEX_EDIT);
    form.Type(hex);
    if (swapped)
        form.Click(IDC_KEY_BYTE_ORDER);
    int bit = 0;
    for (auto _ : state) {
        form.Click(BitControl(bit));
        bit = (bit + 13) % 64;
    }
    ReportPerAction(state, 1);
}
BENCHMARK_CAPTURE(BitFlip, At64Bits, DataType::LongLong, "8123456789ABCDEF", false);
BENCHMARK_CAPTURE(BitFlip, At64BitsUnderInt, DataType::UnsignedLongLong, "8123456789ABCDEF", true);
BENCHMARK_CAPTURE(BitFlip, UnderDouble, DataType::Double, "C00921FB54442D18", false);

}  // namespace

BENCHMARK_MAIN();
