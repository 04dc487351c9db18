#include "res/Menu.h"

#include <array>

#include "platform/CommandIds.h"

namespace quibo {

namespace {

constexpr auto kMenu = std::to_array<MenuEntry>({
    {0, "&File", 0},
    {1, "E&xit", ID_APP_EXIT},
    {0, "&Data Type", 0},
    {1, "&Integral Types", 0},
    {2, "&unsigned char", ID_TYPE_UNSIGNED_CHAR},
    {2, "&char", ID_TYPE_CHAR},
    {2, "u&nsigned short", ID_TYPE_UNSIGNED_SHORT},
    {2, "&short", ID_TYPE_SHORT},
    {2, "unsi&gned long", ID_TYPE_UNSIGNED_LONG},
    {2, "&long", ID_TYPE_LONG},
    {2, "uns&igned long long", ID_TYPE_UNSIGNED_LONG_LONG},
    {2, "l&ong long", ID_TYPE_LONG_LONG},
    {1, "&Real Types", 0},
    {2, "&float", ID_TYPE_FLOAT},
    {2, "&double", ID_TYPE_DOUBLE},
    {0, "&View", 0},
    {1, "&Status Bar", ID_VIEW_STATUS_BAR},
    {1, "&Remove  Border", ID_VIEW_REMOVE_BORDER},
    {1, "&Make Topmost Window", ID_VIEW_TOPMOST},
    {1, "&Bits", ID_VIEW_BITS},
    {1, "&Inspector", ID_VIEW_INSPECTOR},
    {0, "&Help", 0},
    {1, "&About Quibo", ID_APP_ABOUT},
    {1, "Help &Instructions", ID_HELP_INSTRUCTIONS},
});

constexpr auto kAccelerators = std::to_array<Accelerator>({
    {'N', FCONTROL, ID_FILE_NEW},
    {'O', FCONTROL, ID_FILE_OPEN},
    {'S', FCONTROL, ID_FILE_SAVE},
    {'Z', FCONTROL, ID_EDIT_UNDO},
    {'X', FCONTROL, ID_EDIT_CUT},
    {'C', FCONTROL, ID_EDIT_COPY},
    {'V', FCONTROL, ID_EDIT_PASTE},
    {VK_BACK, FALT, ID_EDIT_UNDO},
    {VK_DELETE, FSHIFT, ID_EDIT_CUT},
    {VK_INSERT, FCONTROL, ID_EDIT_COPY},
    {VK_INSERT, FSHIFT, ID_EDIT_PASTE},
    {VK_F6, FNONE, ID_NEXT_PANE},
    {VK_F6, FSHIFT, ID_PREV_PANE},
});

}  // namespace

std::span<const MenuEntry> Menu128()
{
    return kMenu;
}

std::span<const Accelerator> Accelerators128()
{
    return kAccelerators;
}

}  // namespace quibo
