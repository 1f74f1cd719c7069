#include "game/screens/engine/sharedrows.h"

#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuservices.h"

namespace {

// The button face goes first so that it lies under both strings, and the
// second string stands to the right of the first rather than over it.
const MenuItem kRow[] = {
    {MI_BUTTON_TEXT, 0, 0, 576, 32, MenuValue(-1), SharedRows_Row},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_STRING_VAR, 16, 16, 4, sizeof(const char*), MenuScreenBuffers.rowStrings, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 300, 16, 4, sizeof(const char*), MenuScreenBuffers.nameStrings, nullptr},
    kMenuEnd,
};

}  // namespace

// The rows show the shared arrays as they stand: nothing to build.
void MatchStubMenuProc() {}

int32_t SharedRows_Back(MenuHotItem*) {
    MenuOption = kScreenStart;
    return MENU_CLOSE;
}

int32_t SharedRows_Row(MenuHotItem*) { return MENU_CONTINUE; }

const MenuItem SharedRowsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchStubMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT, 320, 36, 10, 0, MenuValue(126), nullptr},
    {MI_GROUP, 32, 80, kSharedRows, 35, kRow, nullptr},
    // The click area draws nothing of its own: the back icon shows it.
    {MI_ICON, 587, 457, 10, 0, MenuValue(153), nullptr},
    {MI_HOT_RECT, 564, 434, 46, 46, MenuValue(31), SharedRows_Back},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    kMenuEnd,
};
