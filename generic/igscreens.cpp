#include "generic/igscreens.h"

#include <cstdio>
#include <cstring>

#include "generic/igmcont.h"
#include "match/matchsetup.h"
#include "match/matchstate.h"
#include "menus/menucont.h"

namespace {

constexpr int16_t kBackIcon = 153;
constexpr int16_t kShootoutTitle = 710;

void SideName(int side, char* out, size_t size) {
    const char* name =
        reinterpret_cast<const char*>(GameInfo.bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName);
    std::snprintf(out, size, "%.*s", int(strnlen(name, gameinfo::kTeamNameLength)), name);
}

char g_header[2 * gameinfo::kTeamNameLength + 40];
const char* g_headerPtr = g_header;

void LeastScreen() {
    IgFormatMatchHeader(g_header, sizeof g_header);
    SetMenuTitleDate(2);
    IgButtonBar_Prepare();
}

void ShootoutScreen() {
    if (IsMenuFirstEntry() == 1) IgViewSide = uint16_t(InGameMenuArg & 1);
    LeastScreen();
}

// Leaves the shoot-out order for the match.
int32_t ShootoutBack(MenuHotItem*) {
    InGameMenuId = kIgLeaveMenus;
    return MENU_CLOSE;
}

}  // namespace

void IgFormatMatchHeader(char* out, size_t size) {
    char home[gameinfo::kTeamNameLength + 1], away[gameinfo::kTeamNameLength + 1];
    SideName(0, home, sizeof home);
    SideName(1, away, sizeof away);
    if (ShootOutGoals[0] + ShootOutGoals[1] > 0) {
        std::snprintf(out, size, "%s %d (%d)-(%d) %d %s", home, Goals[0], ShootOutGoals[0], ShootOutGoals[1],
                      Goals[1], away);
    } else {
        std::snprintf(out, size, "%s %d - %d %s", home, Goals[0], Goals[1], away);
    }
}

#define IG_LEAST_TABLE(name, title)                           \
    const MenuItem name[] = {                                 \
        {54, 0, 0, 0, 0, MenuFunction(LeastScreen), nullptr}, \
        {11, 0, 0, 0, 0, MenuValue(1), nullptr},              \
        {33, 0, 0, 1, 0, TitleBarTable, nullptr},             \
        {56, 0, 0, 0, 0, nullptr, nullptr},                   \
        {13, 0, 0, 0, 0, MenuValue(1014), nullptr},           \
        {15, 400, 62, 10, 0, MenuValue(title), nullptr},      \
        {13, 0, 0, 0, 0, MenuValue(8), nullptr},              \
        {18, 400, 300, 10, 0, &g_headerPtr, nullptr},         \
        {33, 0, 0, 1, 0, IgButtonBarTable, nullptr},          \
        kMenuEnd,                                             \
    }

IG_LEAST_TABLE(IgPlayerStatsTable, 243);
IG_LEAST_TABLE(IgLineupsTable, 1595);
IG_LEAST_TABLE(IgTeamStatsTable, 720);

const MenuItem IgShootoutTable[] = {
    {54, 0, 0, 0, 0, MenuFunction(ShootoutScreen), nullptr},
    {11, 0, 0, 0, 0, MenuValue(1), nullptr},
    {33, 0, 0, 1, 0, TitleBarTable, nullptr},
    {56, 0, 0, 0, 0, nullptr, nullptr},
    {13, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {15, 400, 62, 10, 0, MenuValue(kShootoutTitle), nullptr},
    {13, 0, 0, 0, 0, MenuValue(8), nullptr},
    {18, 400, 300, 10, 0, &g_headerPtr, nullptr},
    {3, 743, 559, 5, 0, MenuValue(kBackIcon), ShootoutBack},
    kMenuEnd,
};
