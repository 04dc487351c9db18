#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/RecentFileIni.h"

namespace quibo {
namespace {

using Files = std::vector<std::string>;

TEST(RecentFileIni, ReadsTheSectionAsTheSettingsStoreWritesIt)
{
    const std::string ini =
        "[General]\nFile1=/not/this\n\n"
        "[Recent%20File%20List]\r\n"
        "File1=/tmp/caf\xc3\xa9.txt\r\n"
        "File2=@ByteArray(/tmp/bad\\xff\\xfe.txt)\n"
        "File3=\"/tmp/a,b; c\"\n"
        "File4=/tmp/tab\\there \\\\ \\\"q\\\" \\x41\\x62\n"
        "File5=/ignored\n";
    EXPECT_EQ(ReadRecentFileSection(ini), (Files{"/tmp/caf\xc3\xa9.txt", "/tmp/bad\xff\xfe.txt", "/tmp/a,b; c",
                                                 "/tmp/tab\there \\ \"q\" \x41\x62"}));
}

TEST(RecentFileIni, SkipsWhatIsNoName)
{
    EXPECT_EQ(ReadRecentFileSection("[Recent%20File%20List]\nFile1=a,b\nFile2=@Variant(x)\nFile3=\nFile4=/ok\n"),
              Files{"/ok"});
    EXPECT_EQ(ReadRecentFileSection("[Recent%20File%20List]\nFile1=@String(/s\\x1)\nFile2=@@x\n"),
              (Files{"/s\x01", "@x"}));
    EXPECT_EQ(ReadRecentFileSection(""), Files{});
    EXPECT_EQ(ReadRecentFileSection("\x01\x02[[[Recent File List\n=\n\xff\xfe garbage"), Files{});
    // A later key wins, in a section given twice too.
    EXPECT_EQ(ReadRecentFileSection("[Recent File List]\nFile1=/a\n[x]\n[Recent%20File%20List]\nFile1=/b\n"),
              Files{"/b"});
}

TEST(RecentFileIni, EveryNameComesBackAsItsBytes)
{
    const Files names{
        "/plain/name",
        "/caf\xc3\xa9/\xe2\x82\xac",     // UTF-8
        "/bad\xff\xfe",                   // not UTF-8
        "/bad\xff" "abc",                 // hex digits after an escape
        "/ctrl\x01\x1f\x7f",
        "/a,b;c=d",
        " leading and trailing ",
        "/quote\"back\\slash",
        "@at/the/start",
        "@ByteArray(looks typed)",
    };
    for (const std::string& name : names) {
        EXPECT_EQ(DecodeIniValue(EncodeIniValue(name)), name) << EncodeIniValue(name);
        EXPECT_EQ(EncodeIniValue(name).find('\n'), std::string::npos);
    }
}

TEST(RecentFileIni, WritingKeepsEveryOtherLineAsItWas)
{
    const std::string before =
        "; kept comment\n"
        "[General]\r\n"
        "other=1\r\n"
        "\n"
        "[Recent%20File%20List]\n"
        "File3=/old3\n"
        "; a comment in the section\n"
        "Extra=kept\n"
        "File1=/old1\n"
        "[After]\n"
        "File1=/not/ours\n";
    EXPECT_EQ(WriteRecentFileSection(before, {"/new", "/caf\xc3\xa9"}),
              "; kept comment\n"
              "[General]\r\n"
              "other=1\r\n"
              "\n"
              "[Recent%20File%20List]\n"
              "File1=/new\n"
              "File2=/caf\xc3\xa9\n"
              "; a comment in the section\n"
              "Extra=kept\n"
              "[After]\n"
              "File1=/not/ours\n");
}

TEST(RecentFileIni, AMissingSectionIsAddedAtTheEnd)
{
    EXPECT_EQ(WriteRecentFileSection("", {"/a"}), "[Recent%20File%20List]\nFile1=/a\n");
    EXPECT_EQ(WriteRecentFileSection("[x]\ny=1", {"/a"}), "[x]\ny=1\n\n[Recent%20File%20List]\nFile1=/a\n");
    const Files five{"/1", "/2", "/3", "/4", "/5"};
    EXPECT_EQ(ReadRecentFileSection(WriteRecentFileSection("", five)), (Files{"/1", "/2", "/3", "/4"}));
}

}  // namespace
}  // namespace quibo
