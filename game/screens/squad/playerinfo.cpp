#include "game/screens/squad/playerinfo.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/club/squads.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/match3d/matchmenus.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"

char ClauseLeftLines[kClauseLines][300];
char ClauseRightLines[kClauseLines][300];
char LoanLines[kLoanLines][300];
char InterestedClubsText[1000];
int16_t LowerBoxHeading = 1234;
int16_t InfoForeignPlayer = 0;
int16_t InfoOpenedFromProfile = 0;

void AppendText(char* buffer, size_t size, const char* format, ...) {
    if (buffer == nullptr || size == 0) return;
    const size_t used = strnlen(buffer, size - 1);
    buffer[used] = '\0';
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer + used, size - used, format, args);
    va_end(args);
}

// The word holds the player number's 16 bits: numbers past 32767 read
// negative as a signed word.
uint16_t ShownPlayer() {
    const auto player = uint16_t(SelectedPlayer);
    return IsPlayerNumber(player) ? player : uint16_t(0);
}

int16_t IsForeignPlayer(uint16_t player) {
    if (player == 0) return 0;
    const uint16_t club = GetPlayerClub(player);
    if (!IsClubNumber(club)) return 0;
    return GetClubNation(int16_t(club)) != ViewedCountry ? 1 : 0;
}

namespace {

constexpr int kInterestedClubsShown = 25;
constexpr int16_t kFirstSettingIcon = 36;
constexpr int16_t kHeaderFont = 9;

const char* Text(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

// The position group's text id, -1 for a position outside the groups (a
// damaged record must not end the game here).
int16_t PositionText(uint16_t player) {
    if (GetPlayerPosition2(player) > 13) return -1;
    return int16_t(564 + HVW_GetPositionType(player));
}

const char* Money(int32_t amount, int32_t numberType) {
    const int32_t kept = CurrentNumberType;
    CurrentNumberType = numberType;
    static char text[NUMBER_TEXT_SIZE];
    std::snprintf(text, sizeof text, "%s", Number2Str(amount));
    CurrentNumberType = kept;
    return text;
}

}  // namespace

void DrawPlayerHeaderLine(uint16_t player, const char* firstFormat, int centreX, int centreY) {
    if (player == 0) return;
    char first[300] = "", last[100] = "";
    AppendText(first, sizeof first, firstFormat, HVW_GetNationName(HVW_GetPlayerNationality(player)),
               Text(PositionText(player)));
    AppendText(last, sizeof last, " %d %s", int(HVW_GetPlayerAge(player)), Text(185));
    DrawPlayerLineWithSettings(player, first, last, centreX, centreY);
}

void DrawPlayerLineWithSettings(uint16_t player, const char* before, const char* after, int centreX,
                                int centreY) {
    if (player == 0) return;
    SetFont(kHeaderFont);
    const int16_t settings[3] = {HVW_GetPlayerSetting3(player), HVW_GetPlayerSetting1(player),
                                 HVW_GetPlayerSetting2(player)};
    int iconsWidth = 0;
    for (int i = 0; i < 3; ++i)
        if (settings[i] > 0) iconsWidth += GetTextNoSize(int16_t(kFirstSettingIcon + i), nullptr, nullptr);
    const int beforeWidth = GetTextSize(before, nullptr, nullptr);
    const int total = beforeWidth + iconsWidth + GetTextSize(after, nullptr, nullptr);
    int pen = centreX - total / 2;
    SetDrawParam(1, 0);
    DrawTextAddrAt(pen, centreY, before, JUSTIFY_LEFT_MIDDLE);
    pen += beforeWidth;
    for (int i = 0; i < 3; ++i) {
        if (settings[i] <= 0) continue;
        const auto icon = int16_t(kFirstSettingIcon + i);
        SetDrawParam(1, settings[i] == 3 ? 8 : 10);
        DrawTextNoAt(pen, centreY, icon, JUSTIFY_LEFT_MIDDLE);
        pen += GetTextNoSize(icon, nullptr, nullptr);
    }
    SetDrawParam(1, 0);
    DrawTextAddrAt(pen, centreY, after, JUSTIFY_LEFT_MIDDLE);
}

void FormatDealHeader(char* buffer, size_t size, uint16_t player) {
    if (size == 0) return;
    buffer[0] = '\0';
    if (player == 0) return;
    AppendText(buffer, size, "%s, %s, %s ", HVW_GetPlayerShortName(player),
               HVW_GetNationName(HVW_GetPlayerNationality(player)), Text(PositionText(player)));
    AppendText(buffer, size, ", %d %s", int(HVW_GetPlayerAge(player)), Text(185));
}

// ---- Screen 75 ------------------------------------------------------------------------------

namespace {

char g_title[300];
char g_wageLine[300];
char g_contractLine[300];
char g_roleLine[300];
char g_agentLine[300];
const char* g_titlePtr = g_title;
const char* g_wagePtr = g_wageLine;
const char* g_contractPtr = g_contractLine;
const char* g_rolePtr = g_roleLine;
const char* g_agentPtr = g_agentLine;
const char* g_clubListPtr = InterestedClubsText;
const char* g_leftPtr[kClauseLines];
const char* g_rightPtr[kClauseLines];
const char* g_loanPtr[kLoanLines];

void ClearLines() {
    for (auto& line : ClauseLeftLines) line[0] = '\0';
    for (auto& line : ClauseRightLines) line[0] = '\0';
    for (auto& line : LoanLines) line[0] = '\0';
    InterestedClubsText[0] = '\0';
    g_title[0] = g_wageLine[0] = g_contractLine[0] = g_roleLine[0] = g_agentLine[0] = '\0';
}

void AmountClause(char (*lines)[300], int& next, int32_t amount, int16_t label) {
    if (amount <= 0) return;
    AppendText(lines[next++], 300, "%s %s%s", Text(label), Text(434), Money(amount, NUMBER_MONEY_PLAIN));
}

void FlagClause(char (*lines)[300], int& next, int32_t flag, int16_t label) {
    if (flag == 0) return;
    AppendText(lines[next++], 300, "%s", Text(label));
}

void BuildClauses(uint16_t p) {
    int left = 0, right = 0;
    AmountClause(ClauseLeftLines, left, HVW_GetPlayerClause1(p), 947);
    FlagClause(ClauseLeftLines, left, HVW_GetPlayerClause2(p), 282);
    FlagClause(ClauseLeftLines, left, HVW_GetPlayerClause3(p), 948);
    FlagClause(ClauseLeftLines, left, HVW_GetPlayerClause8(p), 953);
    AmountClause(ClauseRightLines, right, HVW_GetPlayerClause4(p), 949);
    AmountClause(ClauseRightLines, right, HVW_GetPlayerClause5(p), 950);
    AmountClause(ClauseRightLines, right, HVW_GetPlayerClause6(p), 951);
    AmountClause(ClauseRightLines, right, HVW_GetPlayerClause7(p), 952);
}

// A player the user's club has lent out: the club field holds the club he
// plays for, the loan-club field his owner.  One borrowed from another club
// shows the clubs interested in him instead.
bool UserLoan(uint16_t p) {
    const uint16_t club = GetPlayerClub(p), owner = GetPlayerLoanClub(p);
    if (!IsClubNumber(club) || !IsClubNumber(owner) || club == owner) return false;
    const int16_t user = HVW_GetMyClub();
    return user >= 0 && owner == uint16_t(user);
}

void BuildLoanLines(uint16_t p) {
    int line = 0;
    const int share = GetPlayerField120Bits9(p);
    // A share code outside 0-2 names no share: its line stays empty.
    if (share <= 2) AppendText(LoanLines[line], 300, "%s: %d%%", Text(186), share * 50);
    ++line;
    AppendText(LoanLines[line++], 300, "%s: %s", Text(1483), Text(GetPlayerFlag120Bit12(p) != 0 ? 249 : 248));
    AppendText(LoanLines[line++], 300, "%s: %d %s", Text(1174), int(GetPlayerLoanPeriod(p)), Text(2331));
    const uint16_t cups[6] = {GetPlayerCupFlag0(p), GetPlayerCupFlag1(p), GetPlayerCupFlag2(p),
                              GetPlayerCupFlag3(p), GetPlayerCupFlag4(p), GetPlayerCupFlag5(p)};
    for (int16_t k = 0; k < 6 && line < kLoanLines; ++k)
        if (cups[k] != 0) AppendText(LoanLines[line++], 300, "%s", HVW_GetCupName(k, ViewedCountry));
}

void BuildInterestedClubs(uint16_t p) {
    int16_t clubs[kInterestedClubsShown];
    const int16_t count = HVW_ListInterestedClubs(p, clubs, kInterestedClubsShown);
    for (int16_t i = 0; i < count; ++i) {
        AppendText(InterestedClubsText, sizeof InterestedClubsText, i == 0 ? "%s" : ", %s",
                   HVW_GetClubName(clubs[i]));
    }
}

void DrawInfoHeader(int, int, int, int) { DrawPlayerHeaderLine(ShownPlayer(), "%s  %s ", 399, 115); }

// This showing of the details was opened by the profile's contract button.
bool g_openedFromProfile = false;

// The details closed to be opened again as themselves (a country chosen on
// the title bar): the showing goes on, and so does its opener's word, so
// that the back icon still leads to the profile.
void PlayerInfoLeave() {
    if (MenuOption == kScreenPlayerInfo && g_openedFromProfile) InfoOpenedFromProfile = 1;
}

}  // namespace

void PlayerInfoMenu() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        // The profile's word is spent by this entry.  Left set when the
        // details are left another way (history, agent, title bar), it
        // would send the back icon of details opened later from a squad
        // list to a profile.
        g_openedFromProfile = InfoOpenedFromProfile != 0;
        InfoOpenedFromProfile = 0;
        const uint16_t p = ShownPlayer();
        InfoForeignPlayer = 0;
        if (p != 0 && IsForeignPlayer(p) != 0) {
            // The prepared figures are written into the player's record:
            // only a player whose league is not played gets them, so that a
            // look at a player of a played league never wipes his real
            // season and career figures (as on the player profile).
            if (OutsidePlayedLeagues(int16_t(GetPlayerClub(p)))) HVW_InitPlayerValueFields(p);
            InfoForeignPlayer = 1;
        }
    }
    ClearLines();
    const uint16_t p = ShownPlayer();
    LowerBoxHeading = 1234;
    if (p == 0) return;
    const uint16_t club = GetPlayerClub(p);
    AppendText(g_title, sizeof g_title, "%s   %s", HVW_GetPlayerShortName(p),
               IsClubNumber(club) ? HVW_GetClubName(int16_t(club)) : "");
    AppendText(g_wageLine, sizeof g_wageLine, "%s:   %s%s ", Text(59), Text(434),
               Money(HVW_GetPlayerWage(p), NUMBER_MONEY_PLAIN));
    AppendText(g_contractLine, sizeof g_contractLine, "%s:   %d %s", Text(196), int(HVW_GetPlayerContract(p)),
               Text(275));
    const int16_t role = HVW_GetPlayerField117(p);
    AppendText(g_roleLine, sizeof g_roleLine, "%s:    %s", Text(285),
               role >= 0 && role <= 6 ? Text(HVW_GetRoleText(role)) : "");
    BuildClauses(p);
    AppendText(g_agentLine, sizeof g_agentLine, "%s: %s", Text(465), HVW_GetAgentName(p));
    if (UserLoan(p)) {
        LowerBoxHeading = 1333;
        BuildLoanLines(p);
    } else {
        BuildInterestedClubs(p);
    }
}

void PlayerInfoHeaderMenu() {
    if (IsMenuFirstEntry() == 1) SetMenuTitleDate(3);
}

// While a deal is open the details' buttons lead back to the offer.
int32_t PlayerInfo_History(MenuHotItem*) {
    MenuOption = MenuFollowUp != 1 ? kScreenCareerHistory : kScreenDealSheet;
    return MENU_CLOSE;
}

int32_t PlayerInfo_Profile(MenuHotItem*) {
    MenuOption = MenuFollowUp != 1 ? kScreenPlayerStats : kScreenDealSheet;
    return MENU_CLOSE;
}

int32_t PlayerInfo_Agent(MenuHotItem*) {
    if (ShownPlayer() == 0) return MENU_CONTINUE;
    MenuOption = kScreenAgentProfile;
    return MENU_CLOSE;
}

int32_t PlayerInfo_Back(MenuHotItem*) {
    if (InGameMenuActive == 1) {
        InGameMenuId = uint16_t(ReturnMenuOption);
    } else if (MenuFollowUp != 1) {
        // Opened from the profile, back to it; its own back icon still
        // leads where the profile was opened from.
        MenuOption = g_openedFromProfile ? kScreenPlayerStats : ReturnMenuOption;
    } else {
        MenuOption = kScreenDealSheet;
    }
    return MENU_CLOSE;
}

namespace {

struct InfoPointers {
    InfoPointers() {
        for (int i = 0; i < kClauseLines; ++i) {
            g_leftPtr[i] = ClauseLeftLines[i];
            g_rightPtr[i] = ClauseRightLines[i];
        }
        for (int i = 0; i < kLoanLines; ++i) g_loanPtr[i] = LoanLines[i];
    }
} g_infoPointers;

constexpr int16_t kPtr = sizeof(const char*);

const MenuItem kClauseRow[] = {
    {MI_STRING_VAR, 153, 0, 10, kPtr, &g_leftPtr[0], nullptr},
    {MI_STRING_VAR, 647, 0, 10, kPtr, &g_rightPtr[0], nullptr},
    kMenuEnd,
};

const MenuItem kLoanLeftRow[] = {
    {MI_STRING_VAR, 40, 0, 9, kPtr, &g_loanPtr[0], nullptr},
    kMenuEnd,
};
const MenuItem kLoanRightRow[] = {
    {MI_STRING_VAR, 305, 0, 9, kPtr, &g_loanPtr[3], nullptr},
    kMenuEnd,
};

}  // namespace

const MenuItem PlayerInfoTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayerInfoMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_titlePtr, nullptr},
    {MI_CUSTOM, 20, 97, 758, 36, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 20, 97, 758, 36, MenuFunction(DrawInfoHeader), nullptr},
    {MI_CUSTOM, 20, 151, 758, 198, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 171, 10, 0, MenuValue(88), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_STRING_VAR, 330, 196, 11, 0, &g_wagePtr, nullptr},
    {MI_STRING_VAR, 410, 196, 9, 0, &g_contractPtr, nullptr},
    {MI_STRING_VAR, 399, 212, 10, 0, &g_rolePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 153, 221, 10, 0, MenuValue(281), nullptr},
    {MI_TEXT, 647, 221, 10, 0, MenuValue(954), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 0, 256, kClauseLines, 25, kClauseRow, nullptr},
    {MI_CUSTOM, 20, 359, 758, 22, MenuFunction(DrawBlackShade50), nullptr},
    {MI_STRING_VAR, 30, 370, 9, 0, &g_agentPtr, nullptr},
    {MI_HOT_RECT, 20, 359, 758, 22, nullptr, PlayerInfo_Agent},
    {MI_CUSTOM, 20, 385, 758, 153, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 399, 405, 10, 0, &LowerBoxHeading, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_WRAP_PARAM, 0, 113, 0, 0, MenuValue(738), nullptr},
    {MI_WRAPPED_TEXT_VAR, 40, 425, 5, 113, &g_clubListPtr, nullptr},
    {MI_GROUP, 0, 423, 3, 18, kLoanLeftRow, nullptr},
    {MI_GROUP, 0, 423, 6, 18, kLoanRightRow, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(296), PlayerInfo_History},
    {MI_BUTTON_TEXT, 401, 559, 339, 28, MenuValue(1567), PlayerInfo_Profile},
    {MI_HOT_RECT, 570, 436, 40, 40, nullptr, PlayerInfo_Profile},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), PlayerInfo_Back},
    {MI_END, 0, 0, 0, 0, MenuFunction(PlayerInfoLeave), nullptr},
};

const MenuItem PlayerInfoHeaderTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayerInfoHeaderMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    kMenuEnd,
};
