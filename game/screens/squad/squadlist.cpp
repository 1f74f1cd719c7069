#include "game/screens/squad/squadlist.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/clubfixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/sortkeys.h"

uint16_t ShownPlayers[kSquadRows];
int16_t ShownCount = 0;
uint16_t TeamMoveArmed = 0;
uint16_t SpareMoveArmed = 0;
uint16_t PickedPlayer = 0;
uint32_t KeySortOn = 0;
uint32_t GroupByPositionOn = 0;
uint16_t SquadSortKey = 4;
int16_t SquadRowColour[kSquadRows];

namespace {

constexpr int kColumnRows = 16;
// Screens the back icon returns to from the preparation of the user's match.
constexpr int kTextSize = 40;
constexpr int16_t kNoText = -1;
constexpr int16_t kHighlighted = 8;
constexpr uint16_t kKeyPosition = 6;
constexpr uint16_t kKeyShirt = 26;
constexpr uint16_t kKeySecondShirt = 40;
constexpr uint16_t kKeyHigherNumber = 0;
constexpr uint16_t kKeyNone = 43;
constexpr int16_t kYoungestAgeLimit = 18;

// The sort pop-up's keys after its two toggles, in entry order.
constexpr uint16_t kSortKeys[] = {32, 33, 39, 30, 31, 34, 41, 35, 36, 42, 38, 37, 2, 29, 28, 4, kKeyNone};
constexpr int16_t kSortTexts[] = {62, 64, 956, 243, 711, 244, 400, 245, 246, 399, 1092, 198, 61, 63, 59, 86};
constexpr int kSortChoices = int(std::size(kSortTexts));

enum class View { Team, Second, Spare };

View CurrentView() {
    if (SquadListSecond != 0) return View::Second;
    if (SquadListSpare != 0) return View::Spare;
    return View::Team;
}

int16_t Club() {
    if (SelectedClub >= kClubCount) SelectedClub = 1;  // -1, 255 and any other out-of-range value
    return int16_t(SelectedClub);
}

bool OwnClub() { return HVW_GetMyClub() == Club(); }

SquadList& ListOf(View view) {
    switch (view) {
        case View::Second:
            return ReserveList;
        case View::Spare:
            return YouthList;
        default:
            return FirstTeamList;
    }
}

bool IsPlayer(uint16_t p) { return p != 0 && IsValidPlayer(p); }

int16_t ViewShirt(uint16_t p) {
    return CurrentView() == View::Second ? HVW_GetPlayerIntShirt(p) : HVW_GetPlayerShirt(p);
}

bool CannotPlay(uint16_t p) {
    return HVW_GetPlayerIT(p) != 0 || HVW_IsPlayerSuspended(p) != 0 || HVW_GetPlayerIntDuty(p) != 0;
}

// Whether the list operation would take the player: it appends below 31
// entries and otherwise only replaces a player who cannot play.
bool ListTakes(const SquadList& list, uint16_t player, bool youth) {
    if (std::find(list.players, list.players + kSquadListSize, player) != list.players + kSquadListSize) {
        return true;
    }
    if (list.count < kSquadListSize - 1) return true;
    return std::any_of(
        list.players, list.players + std::min<int>(list.count, kSquadListSize), [&](uint16_t p) {
            if (!IsPlayer(p)) return false;
            return youth ? (HVW_GetPlayerIT(p) != 0 || HVW_IsPlayerSuspended(p) != 0) : CannotPlay(p);
        });
}

bool Full(const SquadList& list) { return list.count >= kSquadListSize; }

enum class Move { SecondToTeam, SecondToSpare, SpareToSecond, TeamToSecond };

// Applies one move; false (nothing changed) when it is refused.
bool ApplyMove(Move move, uint16_t p) {
    switch (move) {
        case Move::SecondToTeam:
            if (Full(FirstTeamList) || GetPlayerLoanTrial(p) != 0 || !ListTakes(FirstTeamList, p, false)) {
                return false;
            }
            AddToTeamList(p);
            RemoveFromReserveList(p);
            return true;
        case Move::SecondToSpare:
            if (Full(YouthList) || HVW_GetPlayerAge(p) > kYoungestAgeLimit ||
                !ListTakes(YouthList, p, true)) {
                return false;
            }
            AddToYouthList(p);
            RemoveFromReserveList(p);
            return true;
        case Move::SpareToSecond:
            if (Full(ReserveList) || !ListTakes(ReserveList, p, false)) return false;
            RemoveFromYouthList(p);
            AddToReserveList(p);
            return true;
        case Move::TeamToSecond:
            if (Full(ReserveList) || !ListTakes(ReserveList, p, false)) return false;
            AddToReserveList(p);
            RemoveFromTeamList(p);
            return true;
    }
    return false;
}

// ---- Display state --------------------------------------------------------------------------

int16_t g_clubText = kNoText;
int16_t g_titleText = 158;
char g_managerName[kTextSize];
const char* g_managerPtr = g_managerName;
char g_sortLabel[2 * kTextSize];
const char* g_sortLabelPtr = g_sortLabel;
int16_t g_teamMoveColour = 0;
int16_t g_spareMoveColour = 0;
int16_t g_plainColour = 0;

char g_shirt[kSquadRows][8];
char g_position[kSquadRows][kTextSize];
char g_name[kSquadRows][kTextSize];
char g_available[kSquadRows][8];
char g_value[kSquadRows][kTextSize];
char g_status[kSquadRows][kTextSize];
const char* g_shirtPtr[kSquadRows];
const char* g_positionPtr[kSquadRows];
const char* g_namePtr[kSquadRows];
const char* g_availablePtr[kSquadRows];
const char* g_valuePtr[kSquadRows];
const char* g_statusPtr[kSquadRows];

void CopyText(char* to, int16_t textId) {
    const char* text = textId >= 0 ? GetText(textId) : "";
    std::snprintf(to, kTextSize, "%s", text != nullptr ? text : "");
}

int16_t StatusText(uint16_t p) {
    if (HVW_GetPlayerTxList(p) == 1) return 40;
    if (HVW_GetPlayerTxReq(p) == 1) return 1171;
    if (HVW_GetPlayerLoanList(p) == 1) return 39;
    if (HVW_GetPlayerContract(p) < 12) return 718;
    return kNoText;
}

bool Lent(uint16_t p) { return HVW_GetPlayerLoanClub(p) != HVW_GetPlayerClub(p); }

// Below the fitness a match needs while the club's nation plays its
// pre-season (from the pre-season mark to the league start day).
bool PreSeasonUnfit(uint16_t p) {
    const int nation = GetClubNation(Club());
    const auto country = int16_t(nation >= 0 && nation < 9 ? nation : 0);
    const int16_t day = HVW_GetCurrentDay();
    return GetPlayerFitness(p) < 48 && day >= HVW_GetCountryWordB(country) &&
           day <= HVW_GetCompNextRoundDay(country);
}

int16_t RowColour(uint16_t p, int16_t opponent) {
    const int16_t club = Club();
    int16_t colour = 0;
    if (HVW_GetPlayerFlag95(p) != 0) colour = 6;
    const int16_t cup = GetNextFixtureOfClub(club);
    const bool banned = (cup >= 4 && cup <= 6 && HVW_GetPlayerEuroBan(p) != 0) ||
                        (cup < 4 && HVW_IsPlayerSuspended(p) != 0) || HVW_GetPlayerIntDuty(p) != 0 ||
                        PreSeasonUnfit(p);
    if (banned) {
        colour = 4;
    } else if (Lent(p)) {
        colour = HVW_GetPlayerLoanClub(p) == club ? 3 : 7;
    }
    if (HVW_GetPlayerIT(p) != 0) colour = 4;
    if (HVW_GetNextFixtureOfPlayersClub(p) != 0) colour = 4;
    if (Lent(p)) {
        uint16_t cupFlag = 1;
        if (cup == 0) cupFlag = GetPlayerCupFlag0(p);
        if (cup == 1) cupFlag = GetPlayerCupFlag1(p);
        if (cup == 2) cupFlag = GetPlayerCupFlag2(p);
        if (cup == 3) cupFlag = GetPlayerCupFlag3(p);
        if (cup == 4) cupFlag = GetPlayerCupFlag4(p);
        if (cup == 6) cupFlag = GetPlayerCupFlag5(p);
        if (cupFlag == 0) colour = 4;
        if (GetPlayerFlag120Bit12(p) == 0 && opponent >= 0 && HVW_GetPlayerLoanClub(p) == opponent)
            colour = 4;
    }
    if (p == PickedPlayer) colour = 8;
    return colour;
}

void FillRow(int row, uint16_t p, int16_t opponent) {
    g_shirt[row][0] = g_position[row][0] = g_name[row][0] = g_available[row][0] = 0;
    g_value[row][0] = g_status[row][0] = 0;
    SquadRowColour[row] = 0;
    if (!IsPlayer(p)) return;
    const int16_t shirt = ViewShirt(p);
    if (shirt > 0) std::snprintf(g_shirt[row], sizeof g_shirt[row], "%d", shirt);
    // The position the view's own tactic gives the shirt: the second list's
    // tactic in its view, the team's otherwise.
    if (OwnClub() && shirt > 0 && shirt <= kLastSubstituteShirt) {
        CopyText(g_position[row],
                 GetTacticPosText(int16_t(shirt - 1), CurrentView() == View::Second ? 0 : 1));
    }
    std::snprintf(g_name[row], kTextSize, "%s", HVW_GetPlayerShortName(p));
    if (HVW_GetPlayerAvailability(p) == 1) {
        std::snprintf(g_available[row], sizeof g_available[row], "%d", HVW_GetPlayerField92(p));
    }
    const int16_t type = HVW_GetPositionType(p);
    if (type < 0 || type > 3) std::printf("M_MN7 trying too get invalid player position\n");
    CopyText(g_status[row], StatusText(p));
    std::snprintf(g_value[row], kTextSize, "%s", SquadSortValue(SquadSortKey, p));
    SquadRowColour[row] = RowColour(p, opponent);
}

void ChooseLayout();

}  // namespace

// ---- Sorting and the value column -----------------------------------------------------------

namespace {

// The value column's header text of each sort key that has a column.
struct SortKeyHeadingRow {
    uint16_t key;
    int16_t text;
};
constexpr SortKeyHeadingRow kSortKeyHeadings[] = {
    {2, 61},   {4, 86},    {26, kNoText}, {28, 240},     {29, 63},  {30, 243},
    {31, 711}, {32, 62},   {33, 64},      {34, 244},     {35, 245}, {36, 246},
    {37, 198}, {38, 1092}, {39, 956},     {40, kNoText}, {41, 400}, {42, 399},
};

const SortKeyHeadingRow* FindSortKeyHeading(uint16_t key) {
    for (const SortKeyHeadingRow& row : kSortKeyHeadings) {
        if (row.key == key) return &row;
    }
    return nullptr;
}

}  // namespace

int16_t SortKeyHeading(uint16_t key) {
    const SortKeyHeadingRow* row = FindSortKeyHeading(key);
    return row != nullptr ? row->text : kNoText;
}

int16_t SquadSortHeader(uint16_t key) {
    const SortKeyHeadingRow* row = FindSortKeyHeading(key);
    if (row == nullptr) {
        std::printf("M_MN7 - what am I sorting by - Cos I dont know\n");
        AbortError("menus\\m_mn7", 353, "DisplaySort() SortByType Invaild Value");
    }
    return row->text;
}

const char* SquadSortValue(uint16_t key, uint16_t p) {
    static char text[kTextSize];
    auto number = [](int32_t v) {
        std::snprintf(text, sizeof text, "%d", int(v));
        return text;
    };
    auto percent = [](int32_t v) {
        std::snprintf(text, sizeof text, "%d%%", int(v));
        return text;
    };
    auto money = [](int32_t v) {
        std::snprintf(text, sizeof text, "%s", Price2str(v));
        return text;
    };
    (void)SquadSortHeader(key);  // an unknown key ends the program here
    switch (key) {
        case 2:
            return number(HVW_GetPlayerAge(p));
        case 4: {
            const int32_t asking = GetPlayerManPrice(p);
            return money(asking != -1 ? asking : HVW_ValuePlayer(p));
        }
        case 26:
        case 40: {
            const int16_t status = StatusText(p);
            const char* s = status >= 0 ? GetText(status) : "";
            std::snprintf(text, sizeof text, "%s", s != nullptr ? s : "");
            return text;
        }
        case 28:
            return money(HVW_GetPlayerWage(p));
        case 29:
            return number(HVW_GetPlayerContract(p));
        case 30: {
            const int32_t perf = HVW_GetPlayerPerf(p);
            if (perf != 0) return number(perf);
            const char* s = GetText(125);
            std::snprintf(text, sizeof text, "%s", s != nullptr ? s : "");
            return text;
        }
        case 31:
            return number(HVW_GetPlayerField112b(p));
        case 32:
            return number(HVW_GetPlayerApps(p));
        case 33:
            if (HVW_GetPositionType(p) == 0) return "";
            return number(HVW_GetPlayerGoals(p));
        case 34:
            return percent(HVW_GetPlayerMoralePct(p));
        case 35:
            return percent(HVW_GetPlayerFitnessPct(p));
        case 36:
            return percent(HVW_GetPlayerFatiguePct(p));
        case 37:
            return number(GetPlayerDispoints(p));
        case 38:
            return percent(HVW_GetPlayerExperiencePercent(p));
        case 39:
            return number(GetPlayerAssists(p));
        case 41:
            return percent(HVW_GetPlayerField96Percent(p));
        case 42:
            return percent(HVW_GetPlayerField105Percent(p));
        default:
            return "";
    }
}

void SortSquadList() {
    const auto key = int16_t(SquadSortKey);
    const auto shirtKey = int16_t(CurrentView() == View::Second ? kKeySecondShirt : kKeyShirt);
    const int16_t none = SORT_KEY_NONE;
    if (KeySortOn != 0 && GroupByPositionOn != 0) {
        SortKeys_Set(kKeyPosition, key, kKeyHigherNumber, none, none);
    } else if (KeySortOn != 0) {
        SortKeys_Set(key, kKeyPosition, none, none, none);
    } else if (GroupByPositionOn != 0) {
        SortKeys_Set(kKeyPosition, shirtKey, none, none, none);
    } else {
        SortKeys_Set(shirtKey, none, none, none, none);
    }
    std::qsort(ShownPlayers, size_t(std::max<int16_t>(ShownCount, 0)), sizeof ShownPlayers[0],
               ComparePlayersByKeys);
}

// ---- The screen function --------------------------------------------------------------------

namespace {

const MenuItem kNoButtons[] = {kMenuEnd};
const MenuItem* g_buttons = kNoButtons;

void EnterScreen() {
    TeamMoveArmed = SpareMoveArmed = 0;
    PickedPlayer = 0;
    const int16_t club = Club();
    HVW_BuildSquadList(club);
    if (CurrentView() == View::Second) {
        HVW_AutoFillIntShirtNumbers(club, 5, 0);
    } else {
        HVW_AutoFillShirtNumbers(club, 5, 0);
    }
    KeySortOn = 0;
    SetMenuTitleDate(MatchPrepActive != 0 || MatchPrepStage == 2 ? 6 : 11);
}

}  // namespace

void SquadListMenu() {
    const int16_t club = Club();
    const int16_t opponent = FindNextFixtureOfClub(club);
    if (IsMenuFirstEntry() == 1) EnterScreen();
    ChooseLayout();
    const SquadList& list = ListOf(CurrentView());
    std::copy(std::begin(list.players), std::end(list.players), ShownPlayers);
    ShownCount = std::clamp<int16_t>(list.count, 0, kSquadRows);
    g_teamMoveColour = TeamMoveArmed != 0 ? kHighlighted : 0;
    g_spareMoveColour = SpareMoveArmed != 0 ? kHighlighted : 0;
    g_clubText = HVW_ClubTextId(club);
    const int16_t manager = HVW_GetClubManager(club);
    std::snprintf(g_managerName, sizeof g_managerName, "%s",
                  manager > 0 ? HVW_GetPlayerShortName(uint16_t(manager)) : "");
    SortSquadList();
    for (int row = 0; row < kSquadRows; ++row) FillRow(row, ShownPlayers[row], opponent);
    const int16_t header = SquadSortHeader(SquadSortKey);
    const char* headerText = header >= 0 ? GetText(header) : "";
    const char* suffix = GetText(747);
    std::snprintf(g_sortLabel, sizeof g_sortLabel, "%s %s", headerText != nullptr ? headerText : "",
                  suffix != nullptr ? suffix : "");
}

// ---- Handlers -------------------------------------------------------------------------------

namespace {

uint16_t RowPlayer(int row) { return row >= 0 && row < kSquadRows ? ShownPlayers[row] : 0; }

int32_t Moved(Move move, uint16_t p) {
    if (ApplyMove(move, p)) {
        PickedPlayer = 0;
    } else {
        TeamMoveArmed = SpareMoveArmed = 0;
    }
    return MENU_REDRAW;
}

}  // namespace

int32_t SquadList_PickOrSwapShirt(int row) {
    const uint16_t p = RowPlayer(row);
    if (!IsPlayer(p) || HVW_GetClubControl(Club()) < 1) return MENU_REDRAW;
    if (Lent(p) && HVW_GetPlayerClub(p) != Club()) {
        ShowMessageBox(GetText(kTextPlayerOnLoan), 0);
        return MENU_REDRAW;
    }
    if (!IsPlayer(PickedPlayer)) {
        PickedPlayer = p;
        return MENU_REDRAW;
    }
    const uint16_t picked = PickedPlayer;
    PickedPlayer = 0;
    if (CurrentView() == View::Second) {
        const int16_t shirt = HVW_GetPlayerIntShirt(picked);
        HVW_SetPlayerIntShirt(picked, HVW_GetPlayerIntShirt(p));
        HVW_SetPlayerIntShirt(p, shirt);
    } else {
        const int16_t shirt = HVW_GetPlayerShirt(picked);
        HVW_SetPlayerShirt(picked, HVW_GetPlayerShirt(p));
        HVW_SetPlayerShirt(p, shirt);
    }
    return MENU_REDRAW;
}

int32_t SquadList_RowClick(int row, bool secondButton) {
    const uint16_t p = RowPlayer(row);
    if (secondButton) {
        if (!IsPlayer(p)) return MENU_CONTINUE;
        SelectedPlayer = int16_t(p);
        MenuOption = kScreenPlayerStats;
        ReturnMenuOption = CurrentView() == View::Second  ? kScreenSquadListSecond
                           : CurrentView() == View::Spare ? kScreenSquadListSpare
                                                          : kScreenSelectedClubSquad;
        return MENU_CLOSE;
    }
    if (TeamMoveArmed == 0 && SpareMoveArmed == 0) return SquadList_PickOrSwapShirt(row);
    if (!IsPlayer(p)) {
        TeamMoveArmed = SpareMoveArmed = 0;
        return MENU_REDRAW;
    }
    switch (CurrentView()) {
        case View::Second:
            return Moved(TeamMoveArmed != 0 ? Move::SecondToTeam : Move::SecondToSpare, p);
        case View::Spare:
            return SpareMoveArmed != 0 ? Moved(Move::SpareToSecond, p) : MENU_REDRAW;
        case View::Team:
            return TeamMoveArmed != 0 ? Moved(Move::TeamToSecond, p) : MENU_REDRAW;
    }
    return MENU_REDRAW;
}

int32_t SquadList_OpenContractRow(int row) {
    const uint16_t p = RowPlayer(row);
    if (!IsPlayer(p) || (HVW_GetPlayerClause2(p) <= 0 && HVW_GetPlayerClause3(p) <= 0)) return MENU_CONTINUE;
    SelectedPlayer = int16_t(p);
    ReturnMenuOption = MenuOption;
    MenuOption = kScreenPlayerInfo;
    return MENU_CLOSE;
}

namespace {

// A move button: pressed while armed it disarms; with no pick it arms; with
// a pick it moves the picked player at once.
int32_t MoveButton(uint16_t& flag, bool alsoOther, Move move) {
    uint16_t& other = &flag == &TeamMoveArmed ? SpareMoveArmed : TeamMoveArmed;
    if (flag != 0 || (alsoOther && other != 0)) {
        flag = 0;
        if (alsoOther) other = 0;
        return MENU_REDRAW;
    }
    if (!IsPlayer(PickedPlayer)) {
        flag = 1;
        return MENU_REDRAW;
    }
    ApplyMove(move, PickedPlayer);
    flag = 0;
    PickedPlayer = 0;
    return MENU_REDRAW;
}

}  // namespace

int32_t SquadList_TeamToSecond(MenuHotItem*) { return MoveButton(TeamMoveArmed, false, Move::TeamToSecond); }
int32_t SquadList_SecondToTeam(MenuHotItem*) { return MoveButton(TeamMoveArmed, false, Move::SecondToTeam); }
int32_t SquadList_SecondToSpare(MenuHotItem*) {
    return MoveButton(SpareMoveArmed, true, Move::SecondToSpare);
}
int32_t SquadList_SpareToSecond(MenuHotItem*) {
    return MoveButton(SpareMoveArmed, true, Move::SpareToSecond);
}

int32_t SquadList_OpenManager(MenuHotItem*) {
    const int16_t manager = HVW_GetClubManager(Club());
    if (manager <= 0) return MENU_CONTINUE;
    SelectedPlayer = manager;
    MenuOption = kScreenCareerHistory;
    return MENU_CLOSE;
}

int32_t SquadList_Back(MenuHotItem*) {
    // Opened from the preparation of the user's match: back into it.
    if (MatchPrepStage == 1) {
        MatchPrepStage = 0;
        MenuOption = kScreenVacancies;
        return MENU_CLOSE;
    }
    if (MatchPrepActive != 0) {
        MenuOption = kScreenClubInfo;
        return MENU_CLOSE;
    }
    switch (PreviousMenuOption) {
        case 6:
        case 58:
        case 60:
            MenuOption = PreviousMenuOption;
            break;
        case 107: {
            const int16_t user = HVW_GetMyClub();
            const bool abroad = user >= 0 && GetClubNation(Club()) != GetClubNation(user);
            MenuOption = abroad ? kScreenClubsByNation : kScreenClubMain;
            break;
        }
        default:
            MenuOption = kScreenClubMain;
    }
    return MENU_CLOSE;
}

// ---- Pop-ups and the table ------------------------------------------------------------------

namespace {

int32_t ViewTeam(PopupCallBlock*) {
    TeamMoveArmed = SpareMoveArmed = 0;
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}
int32_t ViewSecond(PopupCallBlock*) {
    TeamMoveArmed = SpareMoveArmed = 0;
    MenuOption = kScreenSquadListSecond;
    return MENU_CLOSE;
}
int32_t ViewSpare(PopupCallBlock*) {
    TeamMoveArmed = SpareMoveArmed = 0;
    MenuOption = kScreenSquadListSpare;
    return MENU_CLOSE;
}

#define POPUP_ROW(text, function) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr }
#define POPUP_HEAD(open) \
    { POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, open }
#define POPUP_TAIL \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }

PopupEntry g_teamViews[] = {POPUP_HEAD(nullptr), POPUP_ROW(90, ViewSecond), POPUP_ROW(1449, ViewSpare),
                            POPUP_TAIL};
PopupEntry g_secondViews[] = {POPUP_HEAD(nullptr), POPUP_ROW(158, ViewTeam), POPUP_ROW(1449, ViewSpare),
                              POPUP_TAIL};
PopupEntry g_spareViews[] = {POPUP_HEAD(nullptr), POPUP_ROW(158, ViewTeam), POPUP_ROW(90, ViewSecond),
                             POPUP_TAIL};

int32_t ToggleGroup(PopupCallBlock*) {
    GroupByPositionOn ^= 1u;
    return MENU_REDRAW_ALSO;
}
int32_t ToggleKeySort(PopupCallBlock*) {
    KeySortOn ^= 1u;
    return MENU_REDRAW_ALSO;
}
int32_t ChooseKey(PopupCallBlock* call) {
    const int choice = int(call->row) - 2;
    if (choice >= 0 && choice < kSortChoices) SquadSortKey = kSortKeys[choice];
    return MENU_REDRAW_ALSO;
}

void MarkSortPopup(PopupCallBlock*);

#define SORT_ROW(text) POPUP_ROW(text, ChooseKey)
PopupEntry g_sortPopup[] = {POPUP_HEAD(MarkSortPopup),
                            POPUP_ROW(439, ToggleGroup),
                            POPUP_ROW(293, ToggleKeySort),
                            SORT_ROW(62),
                            SORT_ROW(64),
                            SORT_ROW(956),
                            SORT_ROW(243),
                            SORT_ROW(711),
                            SORT_ROW(244),
                            SORT_ROW(400),
                            SORT_ROW(245),
                            SORT_ROW(246),
                            SORT_ROW(399),
                            SORT_ROW(1092),
                            SORT_ROW(198),
                            SORT_ROW(61),
                            SORT_ROW(63),
                            SORT_ROW(59),
                            SORT_ROW(86),
                            POPUP_TAIL};

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

void MarkSortPopup(PopupCallBlock*) {
    Mark(g_sortPopup[1], GroupByPositionOn != 0);
    Mark(g_sortPopup[2], KeySortOn != 0);
    for (int k = 0; kSortKeys[k] != kKeyNone; ++k) Mark(g_sortPopup[3 + k], kSortKeys[k] == SquadSortKey);
}

#define VIEW_BUTTON(x, popup)                                                \
    {MI_BUTTON_TEXT, x, 559, 170, 28, MenuValue(687), MenuHandler_Accept}, { \
        MI_POPUP, 0, 0, 0, 0, popup, nullptr                                 \
    }
#define SORT_BUTTON(x)                                                              \
    {MI_BUTTON_STRING_VAR, x, 559, 220, 28, &g_sortLabelPtr, MenuHandler_Accept}, { \
        MI_POPUP, 0, 0, 0, 0, g_sortPopup, nullptr                                  \
    }

const MenuItem kTeamOwn[] = {
    VIEW_BUTTON(20, g_teamViews),
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_teamMoveColour, nullptr},
    {MI_BUTTON_TEXT, 200, 559, 170, 28, MenuValue(548), SquadList_TeamToSecond},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_plainColour, nullptr},
    SORT_BUTTON(380),
    kMenuEnd,
};
const MenuItem kTeamOther[] = {VIEW_BUTTON(20, g_teamViews), SORT_BUTTON(200), kMenuEnd};
const MenuItem kSecondOwn[] = {
    VIEW_BUTTON(20, g_secondViews),
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_teamMoveColour, nullptr},
    {MI_BUTTON_TEXT, 200, 559, 170, 28, MenuValue(690), SquadList_SecondToTeam},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_spareMoveColour, nullptr},
    {MI_BUTTON_TEXT, 380, 559, 170, 28, MenuValue(548), SquadList_SecondToSpare},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_plainColour, nullptr},
    SORT_BUTTON(560),
    kMenuEnd,
};
const MenuItem kSecondOther[] = {VIEW_BUTTON(20, g_secondViews), SORT_BUTTON(200), kMenuEnd};
const MenuItem kSpareOwn[] = {
    VIEW_BUTTON(20, g_spareViews),
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_spareMoveColour, nullptr},
    {MI_BUTTON_TEXT, 200, 559, 170, 28, MenuValue(690), SquadList_SpareToSecond},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_plainColour, nullptr},
    SORT_BUTTON(380),
    kMenuEnd,
};
const MenuItem kSpareOther[] = {VIEW_BUTTON(20, g_spareViews), SORT_BUTTON(200), kMenuEnd};

void ChooseLayout() {
    const bool own = OwnClub();
    switch (CurrentView()) {
        case View::Second:
            g_titleText = 90;
            g_buttons = own ? kSecondOwn : kSecondOther;
            break;
        case View::Spare:
            g_titleText = 1449;
            g_buttons = own ? kSpareOwn : kSpareOther;
            break;
        case View::Team:
            g_titleText = 158;
            g_buttons = own ? kTeamOwn : kTeamOther;
            break;
    }
}

bool SecondButton() { return (GetMenuButtons() & 2) != 0; }

}  // namespace

void DrawRoleBadge(int x, int y, int w, int h) {
    const int row = MenuPaintRow() + (x >= 722 ? kColumnRows : 0);
    const uint16_t p = RowPlayer(row);
    if (!IsPlayer(p)) return;
    const int16_t role = HVW_GetPlayerField117(p);
    if (role != 5 && role != 6) return;
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0xB000);
    DoButton(x, y, w, h);
    DrawColour = saved;
    SetFont(9);
    SetDrawParam(1, kHighlighted);
    DrawTextNoAt(x + w / 2, y + h / 2, 551, JUSTIFY_CENTRE_MIDDLE);
}

namespace {

// The row's player's three settings beside his name.
void DrawRowSettings(int x, int y, int, int) {
    const int row = MenuPaintRow() + (x >= 405 ? kColumnRows : 0);
    const uint16_t p = RowPlayer(row);
    if (IsPlayer(p)) DrawSettingIconsOf(p, x, y);
    SetDrawParam(1, SquadRowColour[row]);
}

int32_t LeftShirt(MenuHotItem* item) { return SquadList_PickOrSwapShirt(item->row); }
int32_t RightShirt(MenuHotItem* item) { return SquadList_PickOrSwapShirt(item->row + kColumnRows); }
int32_t LeftName(MenuHotItem* item) { return SquadList_RowClick(item->row, SecondButton()); }
int32_t RightName(MenuHotItem* item) { return SquadList_RowClick(item->row + kColumnRows, SecondButton()); }
int32_t LeftRole(MenuHotItem* item) { return SquadList_OpenContractRow(item->row); }
int32_t RightRole(MenuHotItem* item) { return SquadList_OpenContractRow(item->row + kColumnRows); }

constexpr int16_t kPtr = sizeof(const char*);

#define SQUAD_HALF(x, base, shirtHandler, nameHandler, roleHandler)              \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 2, &SquadRowColour[base], nullptr},            \
        {MI_STRING_VAR, x + 15, 11, 10, kPtr, &g_shirtPtr[base], nullptr},       \
        {MI_HOT_RECT, x, 0, 30, 23, nullptr, shirtHandler},                      \
        {MI_STRING_VAR, x + 52, 11, 10, kPtr, &g_availablePtr[base], nullptr},   \
        {MI_STRING_VAR, x + 65, 11, 9, kPtr, &g_namePtr[base], nullptr},         \
        {MI_STRING_VAR, x + 160, 11, 9, kPtr, &g_positionPtr[base], nullptr},    \
        {MI_HOT_RECT, x + 30, 0, 307, 23, nullptr, nameHandler},                 \
        {MI_STRING_VAR, x + 281, 11, 10, kPtr, &g_valuePtr[base], nullptr},      \
        {MI_STRING_VAR, x + 311, 11, 9, kPtr, &g_statusPtr[base], nullptr},      \
        {MI_CUSTOM, x + 222, 3, 50, 17, MenuFunction(DrawRowSettings), nullptr}, \
        {MI_CUSTOM, x + 337, 0, 36, 23, MenuFunction(DrawRoleBadge), nullptr}, { \
        31, x + 337, 0, 36, 23, nullptr, roleHandler                             \
    }

const MenuItem kSquadRow[] = {
    SQUAD_HALF(20, 0, LeftShirt, LeftName, LeftRole),
    SQUAD_HALF(405, kColumnRows, RightShirt, RightName, RightRole),
    kMenuEnd,
};

struct PointerSetUp {
    PointerSetUp() {
        for (int row = 0; row < kSquadRows; ++row) {
            g_shirtPtr[row] = g_shirt[row];
            g_positionPtr[row] = g_position[row];
            g_namePtr[row] = g_name[row];
            g_availablePtr[row] = g_available[row];
            g_valuePtr[row] = g_value[row];
            g_statusPtr[row] = g_status[row];
        }
    }
} g_pointerSetUp;

}  // namespace

const MenuItem SquadListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SquadListMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 80, 62, 9, 0, &g_clubText, nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_titleText, nullptr},
    {MI_CUSTOM, 20, 97, 758, 30, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 385, 112, 11, 0, MenuValue(30), nullptr},
    {MI_STRING_VAR, 415, 112, 9, 0, &g_managerPtr, nullptr},
    {MI_HOT_RECT, 415, 100, 200, 24, nullptr, SquadList_OpenManager},
    {MI_CUSTOM, 20, 147, 337, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 405, 147, 337, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 276, 147, 49, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_CUSTOM, 661, 147, 49, 368, MenuFunction(DrawBlackBox), nullptr},
    {MI_GROUP, 0, 147, kColumnRows, 23, kSquadRow, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_plainColour, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), SquadList_Back},
    kMenuEnd,
};
