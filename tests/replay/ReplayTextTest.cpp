#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "replay/Action.h"
#include "numtext/Latin1.h"
#include "replay/Player.h"
#include "replay/StateLine.h"
#include "replay/HeadlessReplayTarget.h"

namespace quibo {
namespace {

TEST(Utf8ToLatin1, MapsEachCharacterToOnePlace)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "abc"},
        {"\xC3\xA4", "\xE4"},                // ä
        {"\xC3\xBF", "\xFF"},                // ÿ, the last Latin-1 character
        {"\xC4\x80", "?"},                   // U+0100, the first beyond
        {"\xE2\x82\xAC", "?"},               // €
        {"\xF0\x9F\x98\x80", "?"},           // an emoji: one place
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [utf8, latin1] : cases)
        EXPECT_EQ(Utf8ToLatin1(utf8), latin1) << utf8;
}

TEST(Utf8ToLatin1, TakesBytesOfInvalidSequencesAsLatin1)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF", "\xFF"},                           // never valid
        {"\x80" "a", "\x80" "a"},                   // a lone continuation
        {"\xC3", "\xC3"},                           // cut short at the end
        {"\xC3" "a", "\xC3" "a"},                   // cut short by a letter
        {"\xC0\xAF", "\xC0\xAF"},                   // overlong "/"
        {"\xED\xA0\x80", "\xED\xA0\x80"},           // a surrogate
        {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},   // beyond U+10FFFF
    };
    for (const auto& [utf8, latin1] : cases)
        EXPECT_EQ(Utf8ToLatin1(utf8), latin1) << utf8;
}

TEST(JsonString, EscapesWhatJsonNeedsAndWritesTheRestAsUtf8)
{
    std::string out;
    AppendJsonString(out, std::string("a\"b\\c\nd\te\x01\x1F\x7F\xE4 ", 14));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\nd\\te\\u0001\\u001f\x7F\xC3\xA4 \"");
}

TEST(StateLine, HasItsMembersInOrderWithoutBlanks)
{
    FormState state{"8", "00000008", "8", "1\n0", "Mot", "unsigned long", " ",
                    {{"ERROR", "x"}, {"ERROR", "y"}}, "division by zero"};
    std::string out;
    AppendStateLine(out, state);
    EXPECT_EQ(out,
              "{\"display\":\"8\",\"hex\":\"00000008\",\"decimal\":\"8\",\"binary\":\"1\\n0\",\"byteorder\":"
              "\"Mot\",\"datatype\":\"unsigned long\",\"status\":\" \",\"messages\":[{\"caption\":\"ERROR\","
              "\"text\":\"x\"},{\"caption\":\"ERROR\",\"text\":\"y\"}],\"wrap\":\"division by zero\"}");
    out.clear();
    AppendErrorLine(out, 12, "unknown key \"\xE4\"");
    EXPECT_EQ(out, "{\"error\":\"line 12: unknown key \\\"\xC3\xA4\\\"\"}");
}

TEST(ParseReplayLine, TextIsEverythingAfterTheOneBlank)
{
    const auto text = [](std::string_view line) { return std::get<Action>(ParseReplayLine(line)).text; };
    EXPECT_EQ(text("type"), "");
    EXPECT_EQ(text("type 1 2"), "1 2");
    EXPECT_EQ(text("type  x"), " x");
    EXPECT_EQ(text("  paste a\tb  "), "a\tb");
    EXPECT_EQ(text("type\t\xE2\x82\xAC"), "\xE2\x82\xAC");
    EXPECT_EQ(std::get<Action>(ParseReplayLine("backspace 0")).count, 0u);
    EXPECT_EQ(std::get<Action>(ParseReplayLine("backspace 99999999999999999999999")).count,
              std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(std::get<Action>(ParseReplayLine("backspace 18446744073709551615")).count,
              std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(std::get<Action>(ParseReplayLine("backspace 18446744073709551614")).count,
              std::numeric_limits<std::uint64_t>::max() - 1);
    EXPECT_TRUE(std::holds_alternative<SkippedLine>(ParseReplayLine(" \t ")));
    EXPECT_TRUE(std::holds_alternative<SkippedLine>(ParseReplayLine("#click 5")));
    EXPECT_TRUE(std::holds_alternative<LineError>(ParseReplayLine("typex")));
    EXPECT_TRUE(std::holds_alternative<LineError>(ParseReplayLine("datatype")));
    EXPECT_EQ(std::get<LineError>(ParseReplayLine(std::string(1000000, 'x'))).message,
              "unknown action \"" + std::string(40, 'x') + "...\"");
    // A word echoed in a message cannot steer a terminal (quibo-cli --bit
    // echoes this one).
    EXPECT_EQ(std::get<LineError>(ParseReplayLine("bit \x1b]0;T\x07")).message, "bad bit number \"\\x1b]0;T\\x07\"");
}

// The output of a whole script played through memory streams.
std::pair<StreamResult::Status, std::string> PlayScript(const std::string& script)
{
    std::FILE* in = fmemopen(const_cast<char*>(script.data()), script.size(), "rb");
    char* written = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&written, &size);
    HeadlessApp app;
    HeadlessReplayTarget target(app);
    const StreamResult result = Player(target).PlayStream(in, out, false);
    std::fclose(in);
    std::fclose(out);
    std::string output(written, size);
    std::free(written);
    return {result.status, output};
}

TEST(ReplayStream, ALineBeyondTheLimitIsOneErrorAndTheScriptGoesOn)
{
    const std::string longest = "#" + std::string(LineReader::kMaxLineBytes - 1, 'x');
    for (const std::string& atLimit : {longest + "\nclick 5\n", longest + "\r\nclick 5\n"}) {
        const auto [status, output] = PlayScript(atLimit);
        EXPECT_EQ(status, StreamResult::Status::Clean);
        EXPECT_TRUE(output.starts_with("{\"display\":\"5\"")) << output.substr(0, 80);
    }

    // One byte more, then the next line is played.
    const std::string error = "{\"error\":\"line 1: line longer than 1048576 bytes\"}\n";
    for (const std::string& over : {longest + "x\nclick 5\n", longest + "x\r\nclick 5\n"}) {
        const auto [status, output] = PlayScript(over);
        EXPECT_EQ(status, StreamResult::Status::LineErrors);
        EXPECT_TRUE(output.starts_with(error + "{\"display\":\"5\"")) << output.substr(0, 120);
    }
    // A last line without its LF is measured the same way; a CR there is
    // no line end.
    EXPECT_EQ(PlayScript(longest + "x").second, error);
    EXPECT_EQ(PlayScript(longest + "\r").second, error);
}

}  // namespace
}  // namespace quibo
