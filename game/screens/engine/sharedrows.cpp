#include "game/screens/engine/sharedrows.h"

#include "game/screens/engine/menucont.h"
#include "game/screens/engine/menuservices.h"

namespace {

// The button face goes first so that it lies under both strings.
const MenuItem kRow[] = {
    {8204, 0, 0, 576, 32, MenuValue(-1), SharedRows_Row},
    {13, 0, 0, 0, 0, MenuValue(9), nullptr},
    {18, 16, 16, 4, sizeof(const char*), MenuScreenBuffers.rowStrings, nullptr},
    {13, 0, 0, 0, 0, MenuValue(8), nullptr},
    {18, 300, 16, 4, sizeof(const char*), MenuScreenBuffers.nameStrings, nullptr},
    kMenuEnd,
};

}  // namespace

// The rows show the shared arrays as they stand: nothing to build.
void MatchStubMenuProc() {}

int32_t SharedRows_Back(MenuHotItem*) {
    MenuOption = 22;
    return MENU_CLOSE;
}

int32_t SharedRows_Row(MenuHotItem*) { return MENU_CONTINUE; }

const MenuItem SharedRowsTable[] = {
    {54, 0, 0, 0, 0, MenuFunction(MatchStubMenuProc), nullptr},
    {11, 0, 0, 0, 0, MenuValue(0), nullptr},
    {13, 0, 0, 0, 0, MenuValue(14), nullptr},
    {15, 320, 36, 10, 0, MenuValue(126), nullptr},
    {33, 32, 80, kSharedRows, 35, kRow, nullptr},
    {3, 587, 457, 10, 0, MenuValue(153), nullptr},
    {31, 564, 434, 46, 46, MenuValue(31), SharedRows_Back},
    {56, 0, 0, 0, 0, nullptr, nullptr},
    kMenuEnd,
};
