// Any settings text, as a user may have edited it: reading never fails, and
// an edit of Quibo's keys either is refused or gives text where those keys
// read back as stored, every other key reads as before, and the same edit
// again changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "numtext/IniText.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

constexpr std::string_view kGroups[] = {"", "General", "View", "Recent File List", "Other"};
constexpr std::string_view kKeys[] = {"a", "Bits", "File1", "File2", "File5", "k"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quibo;
    if (size < 1)
        return 0;
    // The first byte picks the group and the values; the next eight are a
    // name of any bytes; the rest is the text.
    const unsigned pick = data[0];
    const std::string name(reinterpret_cast<const char*>(data) + 1, std::min<std::size_t>(size - 1, 8));
    const std::string_view ini(reinterpret_cast<const char*>(data) + 1 + name.size(), size - 1 - name.size());
    const std::string_view group = pick & 1 ? "View" : "Recent File List";
    std::vector<IniKeyEdit> edits;
    if (group == "View")
        edits.push_back({"Bits", IniValue{IniValue::Kind::Text, pick & 2 ? "true" : "false"}});
    else
        edits = {{"File1", IniValueOf(name)}, {"File2", IniValueOf("/b")}, {"File3", std::nullopt}};

    const std::optional<std::string> edited = EditIni(ini, group, edits);
    if (!edited)
        return 0;
    for (const IniKeyEdit& edit : edits)
        Require(ReadIniValue(*edited, group, edit.key) == edit.value, "an edited key reads back as stored");
    for (std::string_view other : kGroups) {
        for (std::string_view key : kKeys) {
            bool isEdited = other == group && std::any_of(edits.begin(), edits.end(),
                                                            [&](const IniKeyEdit& edit) { return edit.key == key; });
            if (!isEdited)
                Require(ReadIniValue(*edited, other, key) == ReadIniValue(ini, other, key), "other keys read as before");
        }
    }
    Require(EditIni(*edited, group, edits) == edited, "the same edit again changes nothing");
    return 0;
}
