#include "game/screens/transfers/agentprofile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

namespace {

constexpr uint16_t kFirstClient = 3;  // the user, his namesake and the second halvorn are no clients
constexpr uint16_t kManager = 13;
constexpr int16_t kNoText = -1;
constexpr int16_t kNoNumber = INT16_MIN;
constexpr int16_t kPositionHead = 496, kClubHead = 173, kStatusHead = 498;
constexpr int16_t kReservesText = 195, kYouthText = 1449, kFirstTeamText = 796;

// One entry per player slot at most.
std::unique_ptr<uint16_t[]> g_clients;
int g_clientCount = 0;
int16_t g_scroll = 0;
char g_name[80] = "";
char g_profile[512] = "";
char g_count[16] = "";
const char* g_nameShown = g_name;
const char* g_countShown = g_count;

uint16_t g_rowPlayer[kAgentFilledRows];
int16_t g_rowPosition[kAgentFilledRows];
int16_t g_rowAge[kAgentFilledRows];
int16_t g_rowClub[kAgentFilledRows];
int16_t g_rowStatus[kAgentFilledRows];

bool IsViewedPlayer(int player) { return IsPlayerNumber(player); }

void FindClients(uint16_t player) {
    if (!g_clients) g_clients = std::make_unique<uint16_t[]>(kMaxPlayers);
    g_clientCount = 0;
    if (!IsViewedPlayer(player)) return;
    const uint16_t nationality = GetPlayerNationality(player);
    const uint16_t agent = GetPlayerAgent(player);
    const int last = std::min<int>(PlayerCount, kMaxPlayers);
    for (int p = kFirstClient; p < last; ++p) {
        const uint16_t client = uint16_t(p);
        if (GetPlayerNationality(client) == nationality && GetPlayerAgent(client) == agent)
            g_clients[g_clientCount++] = client;
    }
}

int16_t StatusText(uint16_t player) {
    const bool manager = GetPlayerPosition(player) == kManager;
    if (GetPlayerFlag107(player) != 0 && !manager) return kReservesText;
    if (GetPlayerFlag95(player) != 0 && !manager) return kYouthText;
    return kFirstTeamText;
}

void BlankRow(int row) {
    g_rowPlayer[row] = 0;
    g_rowPosition[row] = g_rowClub[row] = g_rowStatus[row] = kNoText;
    g_rowAge[row] = kNoNumber;
}

void FillRows() {
    BlankRow(0);
    g_rowPosition[0] = kPositionHead;
    g_rowClub[0] = kClubHead;
    g_rowStatus[0] = kStatusHead;
    for (int row = 1; row < kAgentFilledRows; ++row) {
        BlankRow(row);
        const int index = g_scroll + row - 1;
        if (index < 0 || index >= g_clientCount) continue;
        const uint16_t client = g_clients[index];
        if (!IsPlayerNumber(client)) continue;
        g_rowPlayer[row] = client;
        g_rowPosition[row] = HVW_GetPositionTextId(client);
        g_rowAge[row] = HVW_GetPlayerAge(client);
        const int16_t club = HVW_GetPlayerClub(client);
        g_rowClub[row] = IsClubNumber(club) ? HVW_ClubTextId(club) : kTextOther;
        g_rowStatus[row] = StatusText(client);
    }
    std::snprintf(g_count, sizeof g_count, "(%d)", g_clientCount);
}

int16_t LastScroll() { return int16_t(std::max(0, g_clientCount - (kAgentShownRows - 1))); }

void PaintPanel(int x, int y, int w, int h) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
    SetDrawParam(2, colour);
}

void PaintBar(int x, int y, int w, int h) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0x2945);
    DrawSolidRect(x, y, w, h);
    SetDrawParam(2, colour);
}

void PaintProfile(int x, int y, int w, int h) {
    DrawWrappedText(x + 10, y, g_profile, JUSTIFY_LEFT_MIDDLE, w - 20, h);
}

void PaintRowName(int x, int y, int, int h) {
    const int row = MenuPaintRow();
    if (row <= 0 || row >= kAgentFilledRows || g_rowPlayer[row] == 0) return;
    // Under the first column head, a little inside the field.
    DrawTextAddrAt(x + 4, y + h / 2, HVW_GetPlayerShortName(g_rowPlayer[row]), JUSTIFY_LEFT_MIDDLE);
}

const MenuItem kClientRow[] = {
    {MI_CUSTOM, 20, 0, 758, 21, MenuFunction(DrawRowShade), nullptr},
    {MI_CUSTOM, 20, 0, 170, 21, MenuFunction(PaintRowName), AgentProfile_Row},
    {MI_TEXT_VAR, 234, 11, 9, sizeof(int16_t), g_rowPosition, nullptr},
    {MI_NUMBER_I16, 364, 11, 9, sizeof(int16_t), g_rowAge, nullptr},
    {MI_TEXT_VAR, 404, 11, 9, sizeof(int16_t), g_rowClub, nullptr},
    {MI_TEXT_VAR, 604, 11, 9, sizeof(int16_t), g_rowStatus, nullptr},
    kMenuEnd,
};

}  // namespace

void AgentProfileScreenProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        g_scroll = 0;
        // A stale or missing player word shows an empty list and no name;
        // nothing is asked about a player who is not there.
        const int player = uint16_t(SelectedPlayer);
        g_name[0] = g_profile[0] = '\0';
        if (IsViewedPlayer(player)) {
            std::snprintf(g_name, sizeof g_name, "%s", HVW_GetAgentName(uint16_t(player)));
            std::snprintf(g_profile, sizeof g_profile, "%s", HVW_GetAgentsProfile(uint16_t(player)));
        }
        FindClients(IsViewedPlayer(player) ? uint16_t(player) : uint16_t(0));
    }
    g_scroll = std::clamp<int16_t>(g_scroll, 0, LastScroll());
    FillRows();
}

int32_t AgentProfile_ScrollUp(MenuHotItem*) {
    g_scroll = int16_t(std::max(0, g_scroll - 1));
    return MENU_REDRAW;
}

// Down to the last full page, so that the last client comes into view.
int32_t AgentProfile_ScrollDown(MenuHotItem*) {
    g_scroll = std::min<int16_t>(int16_t(g_scroll + 1), LastScroll());
    return MENU_REDRAW;
}

int32_t AgentProfile_Back(MenuHotItem*) {
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

int32_t AgentProfile_Row(MenuHotItem*) { return MENU_CONTINUE; }

const MenuItem AgentProfileTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(AgentProfileScreenProc), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(464), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 20, 93, 758, 25, MenuFunction(PaintBar), nullptr},
    {MI_STRING_VAR, 400, 105, 10, 0, &g_nameShown, nullptr},
    {MI_CUSTOM, 20, 128, 758, 100, MenuFunction(PaintPanel), nullptr},
    {MI_CUSTOM, 20, 128, 758, 100, MenuFunction(PaintProfile), nullptr},
    {MI_CUSTOM, 20, 249, 758, 25, MenuFunction(PaintBar), nullptr},
    {MI_TEXT, 400, 261, 10, 0, MenuValue(471), nullptr},
    {MI_STRING_VAR, 500, 261, 10, 0, &g_countShown, nullptr},
    {MI_CUSTOM, 20, 284, 758, 252, MenuFunction(PaintPanel), nullptr},
    {MI_GROUP, 0, 284, kAgentShownRows, 21, kClientRow, nullptr},
    {MI_TEXT, 24, 294, 9, 0, MenuValue(594), nullptr},
    {MI_TEXT, 364, 294, 9, 0, MenuValue(61), nullptr},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, AgentProfile_ScrollUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, AgentProfile_ScrollDown},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), AgentProfile_Back},
    kMenuEnd,
};

int AgentProfileClientCount() { return g_clientCount; }
uint16_t AgentProfileClient(int index) {
    return index >= 0 && index < g_clientCount ? g_clients[index] : uint16_t(0);
}
int16_t AgentProfileScroll() { return g_scroll; }
const char* AgentProfileName() { return g_name; }
const char* AgentProfileCountText() { return g_count; }
AgentProfileRow AgentProfileShownRow(int row) {
    if (row < 0 || row >= kAgentFilledRows) return {0, kNoText, kNoNumber, kNoText, kNoText};
    return {g_rowPlayer[row], g_rowPosition[row], g_rowAge[row], g_rowClub[row], g_rowStatus[row]};
}
