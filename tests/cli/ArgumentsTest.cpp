#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Arguments.h"

namespace quibo {
namespace {

std::variant<CliPlan, std::string> Parse(std::vector<std::string_view> args, bool terminal = false)
{
    return ParseArguments(args, terminal);
}

std::vector<ControlId> ClickedKeys(const CliPlan& plan)
{
    std::vector<ControlId> keys;
    for (const Action& action : plan.actions) {
        if (action.kind == Action::Kind::Click)
            keys.insert(keys.end(), action.keys.begin(), action.keys.end());
    }
    return keys;
}

TEST(CliArguments, WordsCaptionsAndHexDigitsClickKeys)
{
    const auto parsed = Parse({"ff", "add", "+", "SHL", "<<", "swap", "int", "CLR", "clr", "eq", "-", "7"});
    ASSERT_TRUE(std::holds_alternative<CliPlan>(parsed));
    EXPECT_EQ(ClickedKeys(std::get<CliPlan>(parsed)),
              (std::vector<ControlId>{IDC_KEY_F, IDC_KEY_F, IDC_KEY_ADD, IDC_KEY_ADD, IDC_KEY_SHIFT_LEFT,
                                      IDC_KEY_SHIFT_LEFT, IDC_KEY_BYTE_ORDER, IDC_KEY_BYTE_ORDER, IDC_KEY_CLEAR,
                                      IDC_KEY_CLEAR, IDC_KEY_EQUALS, IDC_KEY_SUBTRACT, IDC_KEY_7}));
}

TEST(CliArguments, FieldOptionsFocusClearAndType)
{
    const auto parsed = Parse({"--decimal", "0.1", "--hex=\xC3\xA4", "--type", "unsigned char", "--json"});
    ASSERT_TRUE(std::holds_alternative<CliPlan>(parsed));
    const CliPlan& plan = std::get<CliPlan>(parsed);
    ASSERT_EQ(plan.actions.size(), 7u);
    EXPECT_EQ(plan.actions[0].kind, Action::Kind::Focus);
    EXPECT_EQ(plan.actions[0].field, IDC_DECIMAL_EDIT);
    EXPECT_EQ(plan.actions[1].kind, Action::Kind::ClearField);
    EXPECT_EQ(plan.actions[2].text, "0.1");
    EXPECT_EQ(plan.actions[3].field, IDC_HEX_EDIT);
    EXPECT_EQ(plan.actions[5].text, "\xC3\xA4");  // the field makes it one place
    EXPECT_EQ(plan.actions[6].type, DataType::UnsignedChar);
    EXPECT_TRUE(plan.json);
    // A number as code writes it is typed as its digits; other text as it is.
    const auto literals = Parse({"--hex", "0xDEAD_BEEFu", "--decimal", "1'000", "--hex", "0x1G"});
    ASSERT_TRUE(std::holds_alternative<CliPlan>(literals));
    EXPECT_EQ(std::get<CliPlan>(literals).actions[2].text, "DEADBEEF");
    EXPECT_EQ(std::get<CliPlan>(literals).actions[5].text, "1000");
    EXPECT_EQ(std::get<CliPlan>(literals).actions[8].text, "0x1G");
}

TEST(CliArguments, MistakesNameWhatIsWrong)
{
    const std::string longWord(1000, 'Z');
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"-x"}, "unknown option \"-x\""},
        {{"G"}, "unknown key \"G\""},
        {{"5", "&&"}, "unknown key \"&&\""},
        {{"--type", "int"}, "unknown data type \"int\""},
        {{"--hex"}, "--hex needs a value"},
        {{"--script", "f", "5"}, "--script plays a whole script"},
        {{"--script", "f", "--inspect"}, "--script plays a whole script"},
        {{"1", "--inspect", "--json"}, "--json, --code and --inspect each print the result"},
        {{"--code", "--inspect"}, "--json, --code and --inspect each print the result"},
        // What the user gave comes back short and escaped: no terminal
        // control, no byte that is not text.
        {{"--type", "\x1b[31mred\r\x7f"}, "unknown data type \"\\x1b[31mred\\x0d\\x7f\""},
        {{"--type", "caf\xc3\xa9 \xff \xc2\x9b \"\\"}, "unknown data type \"caf\xc3\xa9 \\xff \\u009b \\\"\\\\\""},
        {{"--type", std::string_view("a\0b", 3)}, "unknown data type \"a\\x00b\""},
        {{longWord}, "unknown key \"" + std::string(40, 'Z') + "...\""},
    };
    for (const auto& [args, message] : cases) {
        const auto parsed = Parse(args);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << message;
        EXPECT_TRUE(std::get<std::string>(parsed).starts_with(message)) << std::get<std::string>(parsed);
    }
}

TEST(CliArguments, ModesFollowTheArgumentsAndTheTerminal)
{
    EXPECT_EQ(std::get<CliPlan>(Parse({}, true)).mode, CliPlan::Mode::Interactive);
    EXPECT_EQ(std::get<CliPlan>(Parse({}, false)).mode, CliPlan::Mode::Script);
    EXPECT_EQ(std::get<CliPlan>(Parse({"--script", "-"})).scriptPath, "-");
    EXPECT_EQ(std::get<CliPlan>(Parse({"5", "--help", "G"})).mode, CliPlan::Mode::Help);
    EXPECT_EQ(std::get<CliPlan>(Parse({"--version"})).mode, CliPlan::Mode::Version);
}

}  // namespace
}  // namespace quibo
