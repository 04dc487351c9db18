// quibo-cli: Quibo's calculator and converter without a window.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "cli/Arguments.h"
#include "cli/FieldText.h"
#include "shell/headless/HeadlessReplayTarget.h"

namespace {

using namespace quibo;

constexpr const char kUsage[] = R"(Usage: quibo-cli [ACTION...] [--json]
       quibo-cli --script FILE
       quibo-cli

Quibo's hex calculator and converter without a window. The actions are done
left to right, as a user does them on the window; then the display and the
HEX, DECIMAL and BINARY fields are printed. The data type starts as
"unsigned long".

Actions:
  --type NAME      choose a data type: "unsigned char", char,
                   "unsigned short", short, "unsigned long", long, float,
                   double (quote the names with a blank)
  --hex TEXT       click into HEX, clear it and type TEXT
  --decimal TEXT   click into DECIMAL, clear it and type TEXT
  KEY              click keypad keys: 0-9 and A-F in either case (a word of
                   hex digits clicks each digit), CLR, + - * / % ~ ^ & | << >>
                   =, and Mot or Int (the byte-order key); or, with no need
                   to quote them for a shell, the words
                     add sub mul div mod not xor and or shl shr eq clr swap
                   for + - * / % ~ ^ & | << >> = CLR Mot

Options:
  --json           print the final state as one JSON line, as a script does
  --script FILE    play a replay script (FILE - for standard input) and print
                   one JSON line per action; exit status 1 if a line was an
                   error
  --help           show this help
  --version        show the version

Without arguments, quibo-cli reads replay actions from a terminal (one a
line: click 5 + 3 =, focus decimal, type 0.1, datatype float, new, ...) and
prints the fields after each; from a pipe, it plays them as a script.

Message boxes are printed to standard error as "ERROR: <text>".

Examples:
  quibo-cli --type float --decimal 0.1     the bit pattern of the float 0.1
  quibo-cli --type char 5 add 3 eq         5 + 3 as chars
  quibo-cli --type char 0 sub 6 eq         0 - 6: FFFFFFFA, -6, 1111 1010
  quibo-cli --type char --hex ff           FF read as a char: -1
  quibo-cli 1 shl 1f eq                    1 << 31 as an unsigned long
  quibo-cli --decimal 4096 swap            4096 in little-endian byte order
  echo 'click 5 + 3 =' | quibo-cli         the same as a replay script
)";

void ReportMessages(const FormState& state)
{
    for (const FormState::Message& message : state.messages)
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
}

int RunActions(const CliPlan& plan)
{
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    Player player(target);
    std::vector<FormState::Message> messages;
    for (const Action& action : plan.actions) {
        player.Perform(action);  // the plan gives every field its focus first
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
    } else {
        out = FieldText(state);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int RunScript(const std::string& path)
{
    std::FILE* in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (!in) {
        std::fprintf(stderr, "quibo-cli: cannot open %s\n", path.c_str());
        return 2;
    }
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    const bool clean = Player(target).PlayStream(in, stdout);
    if (in != stdin)
        std::fclose(in);
    return clean ? 0 : 1;
}

int RunInteractive()
{
    std::printf("Quibo: type replay actions, one a line (click 5 + 3 =, focus decimal, type 0.1,\n"
                "datatype float, new); end with Ctrl-D.\n");
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    Player player(target);
    std::string line;
    for (;;) {
        std::printf("quibo> ");
        std::fflush(stdout);
        line.clear();
        int c;
        while ((c = std::getchar()) != EOF && c != '\n')
            line += static_cast<char>(c);
        if (c == EOF && line.empty()) {
            std::printf("\n");
            return 0;
        }
        const ParsedLine parsed = ParseReplayLine(line);
        if (std::holds_alternative<SkippedLine>(parsed))
            continue;
        std::optional<std::string> fault;
        if (const auto* error = std::get_if<LineError>(&parsed))
            fault = error->message;
        else
            fault = player.Perform(std::get<Action>(parsed));
        if (fault) {
            std::fprintf(stderr, "%s\n", fault->c_str());
            continue;
        }
        const FormState state = target.TakeState();
        ReportMessages(state);
        std::fputs(FieldText(state).c_str(), stdout);
    }
}

}  // namespace

int main(int argc, char** argv)
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
        std::fputs(kUsage, stdout);
        return 0;
    case quibo::CliPlan::Mode::Version:
        std::printf("quibo-cli %s\n", QUIBO_VERSION);
        return 0;
    case quibo::CliPlan::Mode::Script:
        return RunScript(plan.scriptPath);
    case quibo::CliPlan::Mode::Interactive:
        return RunInteractive();
    case quibo::CliPlan::Mode::Actions:
        break;
    }
    return RunActions(plan);
}
