#include "game/screens/league/clubfixtures.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/europeanplaces.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/query/standings.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/divisionbuttons.h"
#include "game/screens/matchday/matchday.h"

int16_t ClubFixturesView = 1;

namespace {

constexpr int16_t kBlankGoals = INT16_MIN;
constexpr int16_t kPlayedSeparator = 125, kUnplayedSeparator = 152;
constexpr int16_t kBroadcastIcon = 197;
constexpr int16_t kChampionsGroupCode = 101;
constexpr int16_t kPlayedStyle = 8;
constexpr int kRowHeight = 22;
constexpr int kPageRows = 18;
constexpr int kNextMatchRow = 9;
constexpr int kFewestPlayedForPaging = 10;

uint16_t g_collected[kFixtureSlots];
int g_collectedCount = 0;
uint16_t g_viewList[kFixtureSlots];
int g_viewCount = 0;
int16_t g_counts[4] = {};  // all, league, cups, reserve league
int16_t g_top = 0;
ClubFixtureRow g_rows[kClubFixtureRows];
int16_t g_titleText = -1;
int16_t g_headingText = 1445;
const MenuItem* g_buttons = nullptr;

// The title click: armed by a first click, then five clicks with the
// buttons of the stored masks unlock the soak screen for the run.
bool g_armed = false;
int g_step = 0;
bool g_unlocked = false;

int16_t Club() { return int16_t(SelectedClub); }
bool MatchPrep() { return MatchPrepActive == 1; }
void Disarm() { g_armed = false; }

bool PassesView(int slot) {
    const int16_t code = FixtureType(slot);
    switch (ClubFixturesView) {
        case 2:
            return code != kCompLeague && code != kCompReserveLeague;
        case 3:
            return code == kCompLeague;
        case 4:
            return code == kCompReserveLeague;
        default:
            return code != kCompReserveLeague;
    }
}

// The club's fixtures (no national-team days) in date order, with their
// counts; the first row shown puts the next match nine rows down once ten
// are played.
void Collect() {
    const int16_t club = Club();
    const int16_t today = HVW_GetCurrentDay();
    g_collectedCount = 0;
    std::fill(std::begin(g_counts), std::end(g_counts), int16_t(0));
    int played = 0, nextPosition = -1, position = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || !IsFixtureOfClub(slot, club)) continue;
        const int16_t code = FixtureType(slot);
        if (code == kCompNationalTeam || code == kCompNationalUnder21) continue;
        g_collected[g_collectedCount++] = uint16_t(slot);
        ++g_counts[0];
        if (code == kCompLeague) ++g_counts[1];
        if (code != kCompLeague && code != kCompReserveLeague) ++g_counts[2];
        if (code == kCompReserveLeague) ++g_counts[3];
        if (FixtureDay(slot) < today) ++played;
        if (code == kCompReserveLeague) continue;
        if (nextPosition < 0 && FixtureDay(slot) >= today) nextPosition = position;
        ++position;
    }
    const bool keepTop = ClubFixturesView == 4 || played < kFewestPlayedForPaging || nextPosition < 1;
    g_top = keepTop ? int16_t(0) : int16_t(std::max(0, nextPosition - kNextMatchRow));
    ClubFixturesView = 1;
}

void BuildViewList() {
    g_viewCount = 0;
    for (int i = 0; i < g_collectedCount; ++i) {
        if (PassesView(g_collected[i])) g_viewList[g_viewCount++] = g_collected[i];
    }
    g_top = int16_t(std::clamp<int>(g_top, 0, std::max(0, g_viewCount - 1)));
}

void ClearRow(ClubFixtureRow& row) {
    row = {};
    row.slot = -1;
    row.opponent = -1;
    row.venueText = row.separatorText = -1;
    row.ownGoals = row.opponentGoals = kBlankGoals;
    row.icon = 1;
}

void WriteCompetition(ClubFixtureRow& row, int slot) {
    const int16_t code = FixtureType(slot);
    if (code == kCompLeague || code == kCompReserveLeague) return;
    int16_t roundText = -1, legText = -1;
    const int16_t nameText = HVW_GetCompRoundText(code, &roundText, &legText, HVW_GetClubNation(Club()));
    // In the Champions League groups the round is the club's group, when
    // the groups hold the club.
    if (roundText == kTextGroupA && code == kChampionsGroupCode) {
        const int16_t group = HVW_FindClubGroup(Club(), 0);
        roundText = group >= 0 ? HVW_GetCompTextIdByIndex(group) : int16_t(-1);
    }
    const auto text = [](int16_t id) { return id >= 0 ? GetText(id) : ""; };
    std::snprintf(row.competition, sizeof row.competition, "%s %s %s", text(nameText), text(roundText),
                  text(legText));
}

void FillRow(ClubFixtureRow& row, int slot, int16_t today) {
    const int16_t club = Club();
    row.slot = int16_t(slot);
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(FixtureDay(slot)), HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    std::snprintf(row.date, sizeof row.date, "%s %02d/%02d", GetText(int16_t(kTextFirstWeekday + weekday)),
                  dayOfMonth, month + 1);
    const bool home = FixtureHome(slot) == club;
    const uint32_t score = FixtureScore(slot);
    row.venueText = (score & kFixtureNeutralBit) != 0 ? kTextNeutral : home ? kTextHome : kTextAway;
    row.opponent = home ? FixtureAway(slot) : FixtureHome(slot);
    const bool played = FixtureDay(slot) < today;
    if (played) {
        const int16_t homeGoals = int16_t(score & kFixtureGoalsMask);
        const int16_t awayGoals = int16_t((score >> 5) & kFixtureGoalsMask);
        row.ownGoals = home ? homeGoals : awayGoals;
        row.opponentGoals = home ? awayGoals : homeGoals;
        row.separatorText = kPlayedSeparator;
        row.style = kPlayedStyle;
        std::snprintf(row.attendance, sizeof row.attendance, "(%s)",
                      HVW_FormatThousands(HVW_GetFixtureAttendance(int16_t(slot))));
    } else {
        row.separatorText = kUnplayedSeparator;
        row.style = 0;
        if ((score & kFixtureBroadcastBit) != 0) row.icon = kBroadcastIcon;
    }
    WriteCompetition(row, slot);
}

// ---- Painters and items -------------------------------------------------------------

void PaintRow(int x, int y, int w, int h) {
    const int r = MenuPaintRow();
    if (r < 0 || r >= kClubFixtureRows) return;
    DrawRowShade(x, y, w, h);
    const ClubFixtureRow& row = g_rows[r];
    if (row.slot < 0) return;
    const int middle = y + h / 2;
    SetDrawParam(1, row.style);
    SetDrawParam(3, 0);
    DrawTextAddrAt(x + 6, middle, row.date, JUSTIFY_LEFT_MIDDLE);
    if (row.venueText >= 0) DrawTextNoAt(x + 78, middle, row.venueText, JUSTIFY_LEFT_MIDDLE);
    if (row.ownGoals != kBlankGoals) DrawNumberAt(x + 108, middle, row.ownGoals, JUSTIFY_CENTRE_MIDDLE);
    if (row.separatorText >= 0) DrawTextNoAt(x + 114, middle, row.separatorText, JUSTIFY_CENTRE_MIDDLE);
    if (row.opponentGoals != kBlankGoals)
        DrawNumberAt(x + 120, middle, row.opponentGoals, JUSTIFY_CENTRE_MIDDLE);
    if (IsClubNumber(row.opponent))
        DrawTextAddrAt(x + 132, middle, HVW_GetClubName(row.opponent), JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 360, middle, row.attendance, JUSTIFY_LEFT_MIDDLE);
    if (row.icon == kBroadcastIcon) DrawIcon(x + 360, middle, row.icon, JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 410, middle, row.competition, JUSTIFY_LEFT_MIDDLE);
    SetDrawParam(1, 0);
}

int32_t PickItem(MenuHotItem* item) { return ClubFixtures_PickOpponent(item->row); }

const MenuItem kRow[] = {
    {MI_CUSTOM, 0, 0, 736, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, 0, 0, 736, kRowHeight, nullptr, PickItem},
    kMenuEnd,
};

int32_t ViewEntry(PopupCallBlock* call) {
    constexpr int16_t kViews[3] = {1, 2, 3};
    return call->row < 3 ? ClubFixtures_SetView(kViews[call->row]) : MENU_CONTINUE;
}

PopupEntry g_viewPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1445), ViewEntry, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1496), ViewEntry, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(161), ViewEntry, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const MenuItem kViewButtons[] = {
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(100), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_viewPopup, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 339, 28, MenuValue(1444),
     [](MenuHotItem*) { return ClubFixtures_SetView(4); }},
    kMenuEnd,
};
const MenuItem kNoButtons[] = {kMenuEnd};

int32_t OpenSoakScreen() {
    PreviousMenuOption = MenuOption;
    MenuOption = kScreenSoak;
    return MENU_CLOSE;
}

}  // namespace

void ClubFixturesMenu() {
    if (IsMenuFirstEntry() == 1) {
        g_buttons = MatchPrep() ? kNoButtons : kViewButtons;
        SetMenuTitleDate(2);
        g_titleText = HVW_ClubTextId(Club());
        Disarm();
        Collect();
    }
    g_headingText = ClubFixturesView == 3   ? 161
                    : ClubFixturesView == 2 ? 1496
                    : ClubFixturesView == 4 ? 1444
                                            : 1445;
    BuildViewList();
    const int16_t today = HVW_GetCurrentDay();
    for (int r = 0; r < kClubFixtureRows; ++r) {
        ClearRow(g_rows[r]);
        if (g_top + r < g_viewCount) FillRow(g_rows[r], g_viewList[g_top + r], today);
    }
}

int32_t ClubFixtures_SetView(int16_t view) {
    if (view < 1 || view > 4) return MENU_CONTINUE;
    ClubFixturesView = view;
    g_top = 0;
    return MENU_REDRAW;
}

int32_t ClubFixtures_PageDown(MenuHotItem*) {
    const int last = g_viewCount >= kClubFixtureRows ? g_viewCount - kClubFixtureRows : 0;
    g_top = int16_t(std::clamp(g_top + kPageRows, 0, last));
    Disarm();
    return MENU_REDRAW;
}

int32_t ClubFixtures_PageUp(MenuHotItem*) {
    g_top = int16_t(std::max(0, g_top - kPageRows));
    Disarm();
    return MENU_REDRAW;
}

int32_t ClubFixtures_PickOpponent(int row) {
    if (MatchPrep() || row < 0 || row >= kClubFixtureRows || g_rows[row].slot < 0) return MENU_CONTINUE;
    const int slot = g_rows[row].slot;
    const int16_t away = FixtureAway(slot);
    const int16_t other = away == Club() ? FixtureHome(slot) : away;
    if (!IsClubNumber(other)) return MENU_CONTINUE;
    SelectedClub = uint16_t(other);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

int32_t ClubFixtures_Back(MenuHotItem*) {
    Disarm();
    MenuOption = MatchPrep() ? kScreenClubInfo : kScreenClubMain;
    return MENU_CLOSE;
}

int32_t ClubFixtures_TitleClick(MenuHotItem*) {
    if (g_unlocked) return OpenSoakScreen();
    if (!g_armed) {
        g_armed = true;
        g_step = 0;
        return MENU_CONTINUE;
    }
    const int32_t buttons = GetMenuButtons();
    if ((buttons & kTitleClickMasks[g_step]) == 0) {
        Disarm();
        return MENU_CONTINUE;
    }
    if (++g_step < int(std::size(kTitleClickMasks))) return MENU_CONTINUE;
    g_step = 0;
    g_unlocked = true;
    return OpenSoakScreen();
}

const MenuItem ClubFixturesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubFixturesMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 32, 100, 736, 418, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 70, 62, 9, 0, &g_titleText, ClubFixtures_TitleClick},
    {MI_TEXT_VAR, 420, 62, 10, 0, &g_headingText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 32, 100, kClubFixtureRows, kRowHeight, kRow, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, ClubFixtures_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, ClubFixtures_PageDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), ClubFixtures_Back},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    kMenuEnd,
};

const ClubFixtureRow& ClubFixturesShownRow(int row) {
    static ClubFixtureRow empty;
    return row >= 0 && row < kClubFixtureRows ? g_rows[row] : empty;
}
int16_t ClubFixturesTop() { return g_top; }
int16_t ClubFixturesViewCount() { return int16_t(g_viewCount); }
int16_t ClubFixturesHeadingText() { return g_headingText; }
void ClubFixturesCounts(int16_t* all, int16_t* league, int16_t* cups, int16_t* flagged) {
    *all = g_counts[0], *league = g_counts[1], *cups = g_counts[2], *flagged = g_counts[3];
}
bool ClubFixturesTitleArmed() { return g_armed; }
int ClubFixturesTitleStep() { return g_step; }
bool ClubFixturesTitleUnlocked() { return g_unlocked; }
void ClubFixtures_ResetTitleClick() {
    g_armed = false;
    g_step = 0;
    g_unlocked = false;
}

// ---- The European qualification view -------------------------------------------------

namespace {

constexpr int16_t kLeagueWinnerLabel = 1470;
constexpr int16_t kFirstListLabel = 1821, kSecondListLabel = 1822, kPlayOffLabel = 1819;
constexpr int kClearedRows = 21;
constexpr int kRowStep = 25;

int16_t g_division = 0;
EuroQualifyRow g_qualifyRows[kClearedRows];
char g_divisionName[40] = "";
const char* g_divisionNameText = g_divisionName;
const MenuItem* g_qualifyButtons = nullptr;
int g_nextRow = 0;

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

const char* ClubName(int16_t club) { return IsClubNumber(club) ? HVW_GetClubName(club) : ""; }

const char* DivisionNameOrEmpty(int16_t division, int16_t country) {
    const char* name = HVW_GetDivisionName(division, country);
    return name != nullptr ? name : "";
}

void AddRow(const char* label, const char* club) {
    if (g_nextRow >= kEuroQualifyRows) return;
    EuroQualifyRow& row = g_qualifyRows[g_nextRow++];
    std::snprintf(row.label, sizeof row.label, "%s", label);
    std::snprintf(row.club, sizeof row.club, "%s", club);
}

// A European entrant: its name, with why and where it qualified when the
// season code knows.
void AddEntrant(int16_t club, int16_t country) {
    char text[sizeof(EuroQualifyRow::club)];
    const int16_t reason = HVW_GetEuroPlaceReasonText(club, country);
    if (reason < 0) {
        AddRow("", ClubName(club));
        return;
    }
    const char* where = reason == kLeagueWinnerLabel ? DivisionNameOrEmpty(HVW_GetClubDivision(club), country)
                                                     : HVW_GetCupName(0, country);
    std::snprintf(text, sizeof text, "%s (%s %s)", ClubName(club), GetText(reason), where);
    AddRow("", text);
}

void AddEuropeanEntrants(int16_t country, int16_t cupWinner) {
    char label[sizeof(EuroQualifyRow::label)];
    std::snprintf(label, sizeof label, "%s %s", HVW_GetCupName(0, country), GetText(kTextWinners));
    AddRow(label, ClubName(cupWinner));
    int16_t first = 0, second = 0;
    GetEuroQualifiers(&first, &second, country);
    AddRow(GetText(kFirstListLabel), "");
    for (int i = 0; i < first; ++i) AddEntrant(EuroQualifiers[i], country);
    AddRow(GetText(kSecondListLabel), "");
    for (int i = first; i < first + second; ++i) AddEntrant(EuroQualifiers[i], country);
}

void AddPlayOffClubs(int16_t country) {
    if (HVW_HasPlayOffPlaces(g_division, country) == 0) return;
    AddRow(GetText(kPlayOffLabel), "");
    for (int16_t k = 0; k < HVW_CountPlayOffEntries(); ++k) {
        int16_t mark = -1;
        const int16_t club = HVW_GetEuroPlaceClub(g_division, &mark, k, country);
        char text[sizeof(EuroQualifyRow::club)];
        if (mark == kTextPromotedMark) {
            std::snprintf(text, sizeof text, "%s (%s)", ClubName(club), GetText(kTextPromotedMark));
        } else {
            std::snprintf(text, sizeof text, "%s", ClubName(club));
        }
        AddRow("", text);
    }
}

void PaintQualifyRow(int x, int y, int w, int h) {
    const int r = MenuPaintRow();
    if (r < 0 || r >= kEuroQualifyRows) return;
    DrawRowShade(x, y, w, h);
    const int middle = y + h / 2;
    DrawTextAddrAt(60, middle, g_qualifyRows[r].label, JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(200, middle, g_qualifyRows[r].club, JUSTIFY_LEFT_MIDDLE);
}

void EuroQualify_DrawBanner(int x, int y, int w, int h) {
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
}

const MenuItem kQualifyRow[] = {
    {MI_CUSTOM, 22, 0, 756, kRowStep - 2, MenuFunction(PaintQualifyRow), nullptr},
    kMenuEnd,
};

}  // namespace

void EuroQualifyMenu() {
    const int16_t country = Country();
    if (IsMenuFirstEntry() == 1) {
        g_division = 0;
        SetMenuTitleDate(2);
    }
    g_qualifyButtons = DivisionButtons_Set(country, g_division, EuroQualify_SetDivision);
    for (EuroQualifyRow& row : g_qualifyRows) row.label[0] = row.club[0] = '\0';
    g_nextRow = 0;
    // Last season's honours of the division and the cup.
    int16_t runnerUp = -1, unused = -1;
    const int16_t winner = HVW_GetHonoursEntry(1, int16_t(7 + g_division), &runnerUp, country);
    const int16_t cupWinner = HVW_GetHonoursEntry(1, 0, &unused, country);
    std::snprintf(g_divisionName, sizeof g_divisionName, "%s", DivisionNameOrEmpty(g_division, country));
    AddRow(GetText(kLeagueWinnerLabel), ClubName(winner));
    AddRow(GetText(kTextRunnersUp), ClubName(runnerUp));
    if (g_division == 0) {
        AddEuropeanEntrants(country, cupWinner);
    } else {
        AddPlayOffClubs(country);
    }
}

int32_t EuroQualify_SetDivision(int16_t division) {
    if (division < 0 || division >= HVW_CountDivisions(Country())) return MENU_CONTINUE;
    g_division = division;
    return MENU_REDRAW;
}

int32_t EuroQualify_ToClubMain(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem EuroQualifyTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(EuroQualifyMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(1817), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 22, 100, 756, 28, MenuFunction(EuroQualify_DrawBanner), nullptr},
    {MI_STRING_VAR, 410, 114, 10, 0, &g_divisionNameText, nullptr},
    {MI_GROUP, 0, 140, kEuroQualifyRows, kRowStep, kQualifyRow, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_qualifyButtons, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), EuroQualify_ToClubMain},
    kMenuEnd,
};

const EuroQualifyRow& EuroQualifyShownRow(int row) {
    static EuroQualifyRow empty;
    return row >= 0 && row < kEuroQualifyRows ? g_qualifyRows[row] : empty;
}
int16_t EuroQualifyDivision() { return g_division; }
