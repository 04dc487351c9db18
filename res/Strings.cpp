#include "res/Strings.h"

#include <array>

#include "platform/CommandIds.h"

namespace quibo {

namespace {

struct StringResource {
    int id;
    const char* text;
};

constexpr auto kStrings = std::to_array<StringResource>({
    {IDR_MAINFRAME, "Quibo\n\nQuibo\n\n\nQuibo.Document\nVovuda Document"},
    {AFX_IDS_APP_TITLE, "Quibo"},
    {AFX_IDS_IDLEMESSAGE, " "},
    {ID_TYPE_UNSIGNED_CHAR, "unsigned char"},
    {ID_TYPE_CHAR, "char"},
    {ID_TYPE_UNSIGNED_SHORT, "unsigned short"},
    {ID_TYPE_SHORT, "short"},
    // The prompt the other items have; the item had none.
    {ID_TYPE_UNSIGNED_LONG, "unsigned long"},
    {ID_TYPE_LONG, "long"},
    {ID_TYPE_UNSIGNED_LONG_LONG, "unsigned long long"},
    {ID_TYPE_LONG_LONG, "long long"},
    {ID_TYPE_FLOAT, "Hex Converter Only"},
    {ID_TYPE_DOUBLE, "Hex Converter Only"},
    {ID_VIEW_REMOVE_BORDER, "Remove Border"},
    {ID_HELP_INSTRUCTIONS, "Help Instructions"},
    {ID_VIEW_TOPMOST, "Sets calculator as topmost window"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_VIEW_BITS, "Show or hide the bits of the converter's value\nToggle Bits"},
    {ID_VIEW_INSPECTOR, "Show or hide every reading of the converter's value\nToggle Inspector"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
});

}  // namespace

const char* LoadString(int id)
{
    for (const StringResource& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

std::string CommandPrompt(int id)
{
    const char* text = LoadString(id);
    if (!text)
        return {};
    const std::string prompt(text);
    return prompt.substr(0, prompt.find('\n'));
}

}  // namespace quibo
