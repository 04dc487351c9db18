// quibo-cli: Quibo's calculator and converter without a window.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/FieldText.h"
#include "numtext/Latin1.h"
#include "replay/HeadlessReplayTarget.h"
#include "app/StandardDescriptors.h"
#include "calc/Wrap.h"
#include "platform/CommandIds.h"

namespace {

using namespace quibo;

constexpr const char kUsage[] = R"(Usage: quibo-cli [ACTION...] [--json | --code | --inspect]
       quibo-cli --script FILE
       quibo-cli

Quibo's hex calculator and converter without a window. The actions are done
left to right, as a user does them on the window; then the display and the
HEX, DECIMAL and BINARY fields are printed, and a wrap line when the type
cut something (as the window's WRAP pane: "240000 does not fit in short").
The data type starts as "unsigned long".

Actions:
  --type NAME      choose a data type: "unsigned char", char,
                   "unsigned short", short, "unsigned long", long,
                   "unsigned long long", "long long", float, double (quote
                   the names with a blank)
  --hex TEXT       click into HEX, clear it and type TEXT
  --decimal TEXT   click into DECIMAL, clear it and type TEXT
                   (a number as code writes it is typed as its digits, as a
                   paste takes it: --hex 0xDEAD_BEEFu types DEADBEEF,
                   --decimal 1'000'000 types 1000000)
  --bit N          flip bit N (0 the least significant) of the converter's
                   value, as a click on it in the Bits panel does; N below
                   the type's width
  KEY              click keypad keys: 0-9 and A-F in either case (a word of
                   hex digits clicks each digit), CLR, + - * / % ~ ^ & | << >>
                   =, and Mot or Int (the byte-order key); or, with no need
                   to quote them for a shell, the words
                     add sub mul div mod not xor and or shl shr eq clr swap
                   for + - * / % ~ ^ & | << >> = CLR Mot

Options:
  --json           print the final state as one JSON line, as a script does
  --code           print only the converter's value as C and C++ code write
                   it: 0x2Cu, -1, (-9223372036854775807 - 1), 1.0f, 0.1,
                   INFINITY (what Copy as Code copies from BINARY)
  --inspect        print the converter's value as every type of its width,
                   a line each: name, then the value, then (from 16 bits)
                   the value with its bytes in the other order, with tabs
                   between; at 16 bits half and bfloat16 too, each real
                   reading with its class, its %a hex and its exact value
  --script FILE    play a replay script (FILE - for standard input) and print
                   one JSON line per action; exit status 1 if a line was an
                   error
  --help           show this help
  --version        show the version

Without arguments, quibo-cli reads replay actions from a terminal (one a
line: click 5 + 3 =, focus decimal, type 0.1, datatype float, new, bit 3,
command ID_VIEW_BITS, ...) and
prints the fields after each; from a pipe, it plays them as a script.

Message boxes are printed to standard error as "ERROR: <text>". A field
holds single-byte characters: one that is not in Latin-1 is typed as "?",
as in the window. The package completes the options, type names and key
words in bash, zsh and fish.

Exit status: 0 when all went well; 1 when a script line was an error; 2 for
a mistake on the command line, a script that cannot be read, output that
cannot be written, or memory that runs out (said on standard error).

Examples:
  quibo-cli --type float --decimal 0.1     the bit pattern of the float 0.1
  quibo-cli --type float --hex 3F800000    the float of a bit pattern: 1
  quibo-cli --type double --decimal 0.1 --code
                                           0.1 as code writes a double
  quibo-cli --type char 5 add 3 eq         5 + 3 as chars
  quibo-cli --type char 0 sub 6 eq         0 - 6: FFFFFFFA, -6, 1111 1010
  quibo-cli --type char --hex ff           FF read as a char: -1
  quibo-cli 1 shl 1f eq                    1 << 31 as an unsigned long
  quibo-cli --decimal 4096 swap            4096 in little-endian byte order
  quibo-cli --decimal 5 --bit 1            5 with bit 1 flipped: 7
  quibo-cli --type float --decimal 1 --bit 31
                                           the sign bit of 1.0f: -1
  echo 'click 5 + 3 =' | quibo-cli         the same as a replay script
)";

void ReportMessages(const FormState& state)
{
    for (const FormState::Message& message : state.messages)
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
}

// A failed write ends the run at once: output that went nowhere is no
// success.
[[noreturn]] void CannotWrite(int error)
{
    std::fprintf(stderr, "quibo-cli: cannot write output: %s\n", std::strerror(error));
    std::_Exit(2);
}

void Write(std::string_view text)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        CannotWrite(errno);
}

// Everything written is out, or the run fails.
int Finish(int status)
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::fclose(stdout) != 0)
        CannotWrite(errno != 0 ? errno : EIO);
    return status;
}

// The Inspector's rows as the window's View > Inspector shows them, a line
// each: the name, the reading, and from 16 bits the reading in the other
// byte order, with tabs between.
std::string ReadingsText(HeadlessApp& app)
{
    app.App().OnCmdMsg(ID_VIEW_INSPECTOR);
    const InspectorTable& table = app.FrameWindow().readings;
    std::string out;
    for (const InspectorRow& row : table.rows) {
        out += row.name + '\t' + row.mot;
        if (table.HasIntColumn())
            out += '\t' + row.in;
        out += '\n';
    }
    return out;
}

int RunActions(const CliPlan& plan)
{
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    Player player(target);
    std::vector<FormState::Message> messages;
    for (const Action& action : plan.actions) {
        // The plan gives every field its focus first; only a bit beyond the
        // type's width, known once the actions before it are done, fails.
        if (const std::optional<std::string> fault = player.Perform(action)) {
            std::fprintf(stderr, "quibo-cli: %s\n", fault->c_str());
            return 2;
        }
        const FormState state = target.TakeState();
        ReportMessages(state);
        messages.insert(messages.end(), state.messages.begin(), state.messages.end());
    }
    FormState state = target.TakeState();
    std::string out;
    if (plan.json) {
        state.messages = messages;
        AppendStateLine(out, state);
        out += '\n';
    } else if (plan.code) {
        out = app.App().CodeOf(IDC_BINARY) + '\n';
    } else if (plan.inspect) {
        out = ReadingsText(app);
    } else {
        out = FieldText(state);
    }
    Write(out);
    return Finish(0);
}

// A pipe or a terminal gets each line as soon as it is played, for a
// program that drives the player line by line; a file gets a large buffer.
bool LineByLine(int fd)
{
    struct stat info {};
    return isatty(fd) == 1 || (fstat(fd, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)));
}

int RunScript(const std::string& path)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : QuotedForMessage(path, 80);
    std::FILE* in = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (!in) {
        std::fprintf(stderr, "quibo-cli: cannot open %s: %s\n", name.c_str(), std::strerror(errno));
        return 2;
    }
    static char buffer[1 << 16];
    const bool lineByLine = LineByLine(STDOUT_FILENO);
    if (!lineByLine)
        std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    const StreamResult result = Player(target).PlayStream(in, stdout, lineByLine);
    if (!standardInput)
        std::fclose(in);
    switch (result.status) {
    case StreamResult::Status::WriteFailed:
        CannotWrite(result.error);
    case StreamResult::Status::ReadFailed:
        std::fprintf(stderr, "quibo-cli: cannot read %s: %s\n", name.c_str(), std::strerror(result.error));
        // What was played is still written out; the run failed anyway.
        std::fflush(stdout);
        return 2;
    case StreamResult::Status::LineErrors:
        return Finish(1);
    case StreamResult::Status::Clean:
        break;
    }
    return Finish(0);
}

int RunInteractive()
{
    Write("Quibo: type replay actions, one a line (click 5 + 3 =, focus decimal, type 0.1,\n"
          "datatype float, new, bit 3); end with Ctrl-D.\n");
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    Player player(target);
    LineReader reader(stdin);
    std::string line;
    // The prompt shows the WRAP pane as the window does.
    std::string prompt = "quibo> ";
    for (;;) {
        Write(prompt);
        if (std::fflush(stdout) != 0)
            CannotWrite(errno);
        switch (reader.Next(line)) {
        case LineReader::Result::End:
            Write("\n");
            return Finish(0);
        case LineReader::Result::Failed:
            std::fprintf(stderr, "quibo-cli: cannot read standard input: %s\n", std::strerror(reader.Error()));
            return 2;
        case LineReader::Result::TooLong:
            std::fprintf(stderr, "line longer than %zu bytes\n", LineReader::kMaxLineBytes);
            continue;
        case LineReader::Result::Line:
            break;
        }
        const auto played = player.Play(line);
        if (const auto* error = std::get_if<LineError>(&played)) {
            std::fprintf(stderr, "%s\n", error->message.c_str());
        } else if (const auto* state = std::get_if<FormState>(&played)) {
            ReportMessages(*state);
            Write(FieldText(*state));
            const std::string_view label = WrapLabel(state->wrap);
            prompt = label.empty() ? "quibo> " : "quibo " + std::string(label) + "> ";
        }
    }
}

int Run(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = quibo::ParseArguments(args, isatty(STDIN_FILENO) == 1);
    if (const auto* mistake = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "quibo-cli: %s\nTry 'quibo-cli --help'.\n", mistake->c_str());
        return 2;
    }
    const quibo::CliPlan& plan = std::get<quibo::CliPlan>(parsed);
    switch (plan.mode) {
    case quibo::CliPlan::Mode::Help:
        Write(kUsage);
        return Finish(0);
    case quibo::CliPlan::Mode::Version:
        Write("quibo-cli " QUIBO_VERSION "\n");
        return Finish(0);
    case quibo::CliPlan::Mode::Script:
        return RunScript(plan.scriptPath);
    case quibo::CliPlan::Mode::Interactive:
        return RunInteractive();
    case quibo::CliPlan::Mode::Actions:
        break;
    }
    return RunActions(plan);
}

}  // namespace

int main(int argc, char** argv)
{
    quibo::HoldStandardDescriptors();
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Like every other failure: one line and status 2, not an abort.
        std::fputs("quibo-cli: out of memory\n", stderr);
        return 2;
    }
}
