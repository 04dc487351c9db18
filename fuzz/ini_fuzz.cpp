// Any settings file text, and any names: reading never fails, what is
// written reads back name for name, and no other line of the file changes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/RecentFileIni.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The lines of text that are not the list's keys (a byte order mark stays
// at the start of the file, so it is no line's).
std::vector<std::string_view> OtherLines(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        // A CR ends a line as an LF does; empty lines do not count.
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        std::string_view key = line.substr(0, line.find('='));
        while (!key.empty() && (key.front() == ' ' || key.front() == '\t'))
            key.remove_prefix(1);
        if (!(key.starts_with("File") && line.find('=') != std::string_view::npos))
            lines.push_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input is a file's text, then after a 0xFF 0x00 pair the names,
    // separated by 0x00.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(std::string_view("\xff\0", 2));
    const std::string_view ini = input.substr(0, split);
    std::vector<std::string> names;
    if (split != std::string_view::npos) {
        std::string_view rest = input.substr(split + 2);
        while (!rest.empty() && names.size() < 4) {
            const std::size_t end = rest.find('\0');
            const std::string_view name = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            if (!name.empty())
                names.emplace_back(name);
        }
    }

    (void)quibo::ReadRecentFileSection(ini);
    for (const std::string& name : names)
        Require(quibo::DecodeIniValue(quibo::EncodeIniValue(name)) == name, "a name reads back as its bytes");

    const std::string written = quibo::WriteRecentFileSection(ini, names);
    Require(quibo::ReadRecentFileSection(written) == names, "the list reads back");
    Require(quibo::WriteRecentFileSection(written, names) == written, "writing the same list changes nothing");

    // Every other line stays, in its order; the section may be added.
    const std::vector<std::string_view> before = OtherLines(ini);
    const std::vector<std::string_view> after = OtherLines(written);
    std::size_t found = 0;
    for (std::string_view line : after) {
        if (found < before.size() && line == before[found])
            ++found;
    }
    Require(found == before.size(), "other lines stay as they were");
    return 0;
}
