#include "menus/resultboard.h"

#include <cstdio>
#include <cstring>

#include "match/matchresult.h"
#include "match/matchsetup.h"
#include "menus/matchday.h"
#include "menus/menucont.h"
#include "support/bytes.h"

namespace {

constexpr int16_t kTitleText = 1151;
constexpr int16_t kContinueIcon = 153;

char g_homeLine[80];
char g_awayLine[80];
const char* g_homeLinePtr = g_homeLine;
const char* g_awayLinePtr = g_awayLine;

void TeamName(int side, char (&out)[gameinfo::kTeamNameLength + 1]) {
    std::memset(out, 0, sizeof out);
    std::memcpy(out, GetMatchSetupBlock()->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName,
                gameinfo::kTeamNameLength);
}

int ReportWord(int side, int field) { return recbits::LoadU16(MatchResult.teams[side].bytes + field); }

int32_t ResultBoardContinue(MenuHotItem*) {
    MatchDayResultsView = -1;
    return MENU_CLOSE;
}

}  // namespace

void ResultBoardMenuProc() {
    if (!IsMenuFirstEntry()) return;
    SetMenuTitleDate(4);
    char home[gameinfo::kTeamNameLength + 1], away[gameinfo::kTeamNameLength + 1];
    TeamName(0, home);
    TeamName(1, away);
    const int goals[2] = {ReportWord(0, kReportGoals), ReportWord(1, kReportGoals)};
    const int shootOut[2] = {ReportWord(0, kReportShootOutGoals), ReportWord(1, kReportShootOutGoals)};
    if (shootOut[0] + shootOut[1] > 0) {
        std::snprintf(g_homeLine, sizeof g_homeLine, "%s %d (%d)", home, goals[0], shootOut[0]);
        std::snprintf(g_awayLine, sizeof g_awayLine, "(%d) %d %s", shootOut[1], goals[1], away);
    } else {
        std::snprintf(g_homeLine, sizeof g_homeLine, "%s %d", home, goals[0]);
        std::snprintf(g_awayLine, sizeof g_awayLine, "%d %s", goals[1], away);
    }
}

const char* ResultBoardHomeLine() { return g_homeLine; }
const char* ResultBoardAwayLine() { return g_awayLine; }

const MenuItem ResultBoardTable[] = {
    {54, 0, 0, 0, 0, MenuFunction(ResultBoardMenuProc), nullptr},
    {11, 0, 0, 0, 0, MenuValue(4), nullptr},
    {56, 0, 0, 0, 0, nullptr, nullptr},
    {13, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {15, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {36, 20, 97, 758, 50, MenuFunction(DrawBlackShade30Box), nullptr},
    {18, 380, 112, 11, 0, &g_homeLinePtr, nullptr},
    {17, 400, 112, 10, 0, "-", nullptr},
    {18, 420, 112, 9, 0, &g_awayLinePtr, nullptr},
    {3, 743, 559, 5, 0, MenuValue(kContinueIcon), ResultBoardContinue},
    kMenuEnd,
};
