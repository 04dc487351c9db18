#include "cli/Arguments.h"

#include <array>
#include <optional>

#include "app/DataTypeCommands.h"
#include "numtext/Latin1.h"
#include "app/PastedText.h"
#include "res/Templates.h"
#include "res/Texts.h"

namespace quibo {

namespace {

// Words for the keys whose captions a shell would take apart.
struct KeyWord {
    const char* word;
    const char* caption;
};

constexpr auto kKeyWords = std::to_array<KeyWord>({
    {"add", "+"},
    {"sub", "-"},
    {"mul", "*"},
    {"div", "/"},
    {"mod", "%"},
    {"not", "~"},
    {"xor", "^"},
    {"and", "&"},
    {"or", "|"},
    {"shl", "<<"},
    {"shr", ">>"},
    {"eq", "="},
    {"clr", "CLR"},
    {"swap", kCaptionMot},
});

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    }
    return true;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (Upper(c) >= 'A' && Upper(c) <= 'F');
}

// The keys a word clicks: a word for an operator, a caption, or a run of
// hex digits (either case), each digit a click.
std::optional<std::vector<ControlId>> KeysOfWord(std::string_view word)
{
    for (const KeyWord& keyWord : kKeyWords) {
        if (EqualsIgnoringCase(word, keyWord.word))
            return std::vector<ControlId>{*FindKeypadKey(keyWord.caption)};
    }
    if (const std::optional<ControlId> key = FindKeypadKey(word, true))
        return std::vector<ControlId>{*key};
    if (word.empty())
        return std::nullopt;
    std::vector<ControlId> digits;
    for (char c : word) {
        if (!IsHexDigit(c))
            return std::nullopt;
        digits.push_back(*FindKeypadKey(std::string(1, c), true));
    }
    return digits;
}

void TypeInto(CliPlan& plan, ControlId field, std::string_view utf8)
{
    Action focus(Action::Kind::Focus);
    focus.field = field;
    plan.actions.push_back(focus);
    plan.actions.emplace_back(Action::Kind::ClearField);
    // A number as code writes it is typed as its digits, as a paste takes it.
    Action type(Action::Kind::Type);
    type.text = PastedText(field, utf8);
    plan.actions.push_back(type);
}

std::string TypeNames()
{
    std::string names;
    for (const DataTypeCommand& command : DataTypeCommands())
        names += std::string(names.empty() ? "" : ", ") + FindDataTypeInfo(command.type)->name;
    return names;
}

}  // namespace

std::variant<CliPlan, std::string> ParseArguments(std::span<const std::string_view> args, bool stdinIsTerminal)
{
    CliPlan plan;
    bool script = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            plan.mode = CliPlan::Mode::Help;
            return plan;
        }
        if (arg == "--version") {
            plan.mode = CliPlan::Mode::Version;
            return plan;
        }
        if (arg == "--json") {
            plan.json = true;
            continue;
        }
        if (arg == "--code") {
            plan.code = true;
            continue;
        }
        if (arg == "--inspect") {
            plan.inspect = true;
            continue;
        }

        // Options with a value, as "--opt VALUE" or "--opt=VALUE".
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (arg.starts_with("--") && arg.find('=') != std::string_view::npos) {
            name = arg.substr(0, arg.find('='));
            value = arg.substr(arg.find('=') + 1);
        }
        if (name == "--type" || name == "--hex" || name == "--decimal" || name == "--bit" || name == "--script") {
            if (!value) {
                if (i + 1 == args.size())
                    return std::string(name) + " needs a value";
                value = args[++i];
            }
            if (name == "--type") {
                const std::optional<DataType> type = DataTypeByName(*value);
                if (!type)
                    return "unknown data type " + QuotedForMessage(*value) + " (the types: " + TypeNames() + ")";
                Action choose(Action::Kind::DataType);
                choose.type = *type;
                plan.actions.push_back(choose);
            } else if (name == "--hex") {
                TypeInto(plan, IDC_HEX_EDIT, *value);
            } else if (name == "--decimal") {
                TypeInto(plan, IDC_DECIMAL_EDIT, *value);
            } else if (name == "--bit") {
                // The replay action's own reading of its number.
                ParsedLine bit = ParseReplayLine("bit " + std::string(*value));
                if (const auto* error = std::get_if<LineError>(&bit))
                    return "--bit " + QuotedForMessage(*value) + ": " + error->message;
                plan.actions.push_back(std::get<Action>(bit));
            } else {
                script = true;
                plan.scriptPath = *value;
            }
            continue;
        }
        if (arg.size() > 1 && arg.starts_with("-") && !KeysOfWord(arg))
            return "unknown option " + QuotedForMessage(arg);

        const std::optional<std::vector<ControlId>> keys = KeysOfWord(arg);
        if (!keys)
            return "unknown key " + QuotedForMessage(arg);
        Action click(Action::Kind::Click);
        click.keys = *keys;
        plan.actions.push_back(click);
    }

    if (script) {
        if (!plan.actions.empty() || plan.json || plan.code || plan.inspect)
            return std::string("--script plays a whole script: give it no other action, --json, --code or --inspect");
        plan.mode = CliPlan::Mode::Script;
    } else if (int{plan.json} + int{plan.code} + int{plan.inspect} > 1) {
        return std::string("--json, --code and --inspect each print the result: give one of them");
    } else if (args.empty()) {
        // Without arguments: a terminal gets a prompt; a pipe is a script.
        plan.mode = stdinIsTerminal ? CliPlan::Mode::Interactive : CliPlan::Mode::Script;
        plan.scriptPath = "-";
    }
    return plan;
}

}  // namespace quibo
