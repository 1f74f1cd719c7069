#include "game/screens/league/fixturesbyday.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "core/base/debug.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/competitions.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

int16_t FixturesMode = 1;
int16_t FixturesDivision = 0;
int16_t FixturesFirstComp = kCompFirstNationalCup;
int16_t FixturesLastComp = kCompFirstNationalCup + kCodesPerCup - 1;
int16_t FixturesDay = 0;
int16_t FixturesTop = 0;
int16_t FixturesOtherScreenText = 1469;

namespace {

constexpr int16_t kNoClub = -1;
constexpr int16_t kBlankGoals = INT16_MIN;
constexpr int16_t kPlayedSeparator = 125, kUnplayedSeparator = 152;
constexpr int16_t kSecondLegText = 135;
constexpr int16_t kChampionsGroupCode = 101;
constexpr int16_t kFirstNationText = 500;
constexpr int16_t kFirstWeekdayText = 2;
constexpr int kRowHeight = 22;
constexpr int kFirstRowY = 163;
constexpr int kEuropeanCups = 3;
constexpr int kCupSlots = 7;
constexpr int kDivisionRows = kDivisionCount;
constexpr int16_t kAggregateColour = 7;
constexpr int kLastSeasonDay = kSeasonDayFlags - 1;

bool g_rebuild = true;
uint16_t g_collected[kFixtureSlots];
int g_collectedCount = 0;
uint16_t g_dayFlags[kSeasonDayFlags];
int16_t g_dayList[kFixtureDayListSize];
int16_t g_dayCount = 0;
FixtureDayRow g_rows[kFixtureDayRows];
int16_t g_shownRows = 0;
bool g_secondLeg = false;
int16_t g_message = -1;
int16_t g_roundText = -1, g_legText = -1, g_compText = -1;
char g_dateLine[64] = "";
char g_compLine[120] = "";
const char* g_dateText = g_dateLine;
const char* g_compText2 = g_compLine;

// The pop-up lists: divisions, the fixed list, the cups.
const char* g_divisionNames[kDivisionRows];
PopupEntry g_divisionPopup[kDivisionRows + 2];
char g_cupNames[kCupSlots][40];
const char* g_cupNamePointers[kCupSlots];
int16_t g_cupSlots[kCupSlots];
PopupEntry g_cupPopup[kCupSlots + 2];

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

bool IsEuropeanCode(int16_t code) { return code >= kCompFirstEuropeanCup; }

bool Collects(int slot, int16_t country) {
    const int16_t code = FixtureType(slot);
    const int16_t home = FixtureHome(slot);
    if (FixturesMode == 1) {
        return code == kCompLeague && IsClubNumber(home) &&
               HVW_FindClubInDivisionRows(home) == FixturesDivision && HVW_GetClubNation(home) == country;
    }
    if (code < FixturesFirstComp || code > FixturesLastComp) return false;
    return IsEuropeanCode(code) || (IsClubNumber(home) && HVW_GetClubNation(home) == country);
}

void Collect(int16_t country) {
    FixturesDay = HVW_GetCurrentDay();
    g_collectedCount = 0;
    std::fill(std::begin(g_dayFlags), std::end(g_dayFlags), uint16_t(0));
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || !Collects(slot, country)) continue;
        g_collected[g_collectedCount++] = uint16_t(slot);
        const int day = FixtureDay(slot);
        if (day >= 0 && day <= kLastSeasonDay) g_dayFlags[day] = 1;
    }
}

// From the day on, the first match day; else the last one before it.
bool FindDay() {
    for (int day = std::max<int>(FixturesDay, 0); day <= kLastSeasonDay; ++day) {
        if (g_dayFlags[day] != 0) {
            FixturesDay = int16_t(day);
            return true;
        }
    }
    for (int day = std::min<int>(FixturesDay, kLastSeasonDay); day > 0; --day) {
        if (g_dayFlags[day] != 0) {
            FixturesDay = int16_t(day);
            return true;
        }
    }
    return false;
}

// A day with more fixtures of the competition than the list holds lists
// the first 128 and logs the rest, rather than ending the game over a
// screen of fixtures.
void BuildDayList() {
    g_dayCount = 0;
    int skipped = 0;
    for (int i = 0; i < g_collectedCount; ++i) {
        const uint16_t slot = g_collected[i];
        if (FixtureDay(slot) != uint16_t(FixturesDay)) continue;
        if (g_dayCount < kFixtureDayListSize) {
            g_dayList[g_dayCount++] = int16_t(slot);
        } else {
            ++skipped;
        }
    }
    if (skipped > 0) {
        DebugLog(DEBUG_GENERAL, 0, "FixturesByDayMenu(): Warning: %d fixtures on day %d, %d listed\n",
                 kFixtureDayListSize + skipped, FixturesDay, kFixtureDayListSize);
    }
}

// "(name)", the name cut so that both brackets fit.
void Bracket(char (&buffer)[15], const char* text) {
    constexpr int kInside = int(sizeof buffer) - 3;
    std::snprintf(buffer, sizeof buffer, "(%.*s)", kInside, text != nullptr ? text : "");
}

void BracketOf(char (&buffer)[15], int16_t club, int16_t code) {
    buffer[0] = '\0';
    if (!IsClubNumber(club)) return;
    if (FixturesMode == 1) {
        int16_t played = 0, points = 0, place = 0;
        HVW_GetClubSeasonTotals(club, &played, &points, &place);
        char ordinal[NUMBER_TEXT_SIZE];
        OrdinalStr(ordinal, place);
        Bracket(buffer, ordinal);
    } else if (IsEuropeanCode(code)) {
        Bracket(buffer, GetText(int16_t(kFirstNationText + HVW_GetClubNation(club))));
    } else {
        // The name text of the club's division; a club outside the
        // country's divisions has none and gets no bracket.
        const int16_t nation = HVW_GetClubNation(club);
        const int16_t division = HVW_GetClubDivision(club);
        if (division >= 0 && division < HVW_CountDivisions(nation))
            Bracket(buffer, GetText(HVW_GetCompRoundTextId(division, nation)));
    }
}

void ClearRow(FixtureDayRow& row) {
    row = {};
    row.slot = -1;
    row.homeClub = row.awayClub = row.homeWideClub = row.awayWideClub = kNoClub;
    row.homeGoals = row.awayGoals = row.aggregateHome = row.aggregateAway = kBlankGoals;
    row.separatorText = row.aggregateSeparator = row.groupText = -1;
}

bool IsPlayedBefore(int slot, int16_t today) { return FixtureDay(slot) < today && IsFixturePlayed(slot); }

int16_t HomeGoalsOf(int slot) { return int16_t(FixtureScore(slot) & kFixtureGoalsMask); }
int16_t AwayGoalsOf(int slot) { return int16_t((FixtureScore(slot) >> 5) & kFixtureGoalsMask); }

// The first leg of a second leg: the last earlier fixture of the chosen
// cup between the same clubs the other way round; -1 when none.
int FirstLegOf(int slot) {
    for (int earlier = slot - 1; earlier >= 0; --earlier) {
        const int16_t code = FixtureType(earlier);
        if (IsFixtureEmpty(earlier) || code < FixturesFirstComp || code > FixturesLastComp) continue;
        if (FixtureHome(earlier) == FixtureAway(slot) && FixtureAway(earlier) == FixtureHome(slot))
            return earlier;
    }
    return -1;
}

void FillAggregate(FixtureDayRow& row, int slot, int16_t today) {
    const int first = FirstLegOf(slot);
    if (first < 0 || !IsPlayedBefore(first, today)) return;
    // The first leg seen from this fixture's sides, plus this leg once played.
    row.aggregateHome = AwayGoalsOf(first);
    row.aggregateAway = HomeGoalsOf(first);
    if (IsPlayedBefore(slot, today)) {
        row.aggregateHome = int16_t(row.aggregateHome + HomeGoalsOf(slot));
        row.aggregateAway = int16_t(row.aggregateAway + AwayGoalsOf(slot));
    }
    row.aggregateSeparator = kPlayedSeparator;
    std::snprintf(row.homeAggregate, sizeof row.homeAggregate, "(%d)", row.aggregateHome);
    std::snprintf(row.awayAggregate, sizeof row.awayAggregate, "(%d)", row.aggregateAway);
}

void FillRow(FixtureDayRow& row, int slot, int16_t firstCode, int16_t today) {
    row.slot = int16_t(slot);
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const bool past = FixtureDay(slot) < today;
    if (FixturesMode == 1 && past) {
        row.homeWideClub = home;
        row.awayWideClub = away;
    } else {
        row.homeClub = home;
        row.awayClub = away;
        BracketOf(row.homeBracket, home, FixtureType(slot));
        BracketOf(row.awayBracket, away, FixtureType(slot));
    }
    // The group text is asked only of a club the groups hold.
    if (g_roundText == kTextGroupA && firstCode == kChampionsGroupCode) {
        const int16_t group = HVW_FindClubGroup(home, 0);
        if (group >= 0) row.groupText = HVW_GetCompTextIdByIndex(group);
    }
    if (IsPlayedBefore(slot, today)) {
        row.homeGoals = HomeGoalsOf(slot);
        row.awayGoals = AwayGoalsOf(slot);
        row.separatorText = kPlayedSeparator;
    } else {
        row.separatorText = kUnplayedSeparator;
    }
    if (g_secondLeg) FillAggregate(row, slot, today);
}

const char* DivisionNameOrEmpty(int16_t division, int16_t country) {
    const char* name = HVW_GetDivisionName(division, country);
    return name != nullptr ? name : "";
}

void WriteTitles(int16_t country, int16_t firstSlot) {
    const int16_t code = FixtureType(firstSlot);
    uint8_t weekday = 0, dayOfMonth = 0, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(FixtureDay(firstSlot)), HVW_GetSeason(), &weekday, &dayOfMonth, &month,
                            &year);
    std::snprintf(g_dateLine, sizeof g_dateLine, "%s %02d/%02d",
                  GetText(int16_t(kFirstWeekdayText + weekday)), dayOfMonth, month + 1);
    const auto text = [](int16_t id) { return id >= 0 ? GetText(id) : ""; };
    if (FixturesMode == 1) {
        const int16_t home = FixtureHome(firstSlot);
        std::snprintf(g_compLine, sizeof g_compLine, "%s",
                      DivisionNameOrEmpty(HVW_FindClubInDivisionRows(home), country));
    } else if (g_roundText == kTextGroupA && code == kChampionsGroupCode) {
        std::snprintf(g_compLine, sizeof g_compLine, "%s", text(g_compText));
    } else {
        std::snprintf(g_compLine, sizeof g_compLine, "%s %s %s", text(g_compText), text(g_roundText),
                      text(g_legText));
    }
}

void WriteNoDayTitles(int16_t country) {
    g_dateLine[0] = '\0';
    if (FixturesMode == 1) {
        std::snprintf(g_compLine, sizeof g_compLine, "%s", DivisionNameOrEmpty(FixturesDivision, country));
        return;
    }
    int16_t round = -1, leg = -1;
    const int16_t name = HVW_GetCompRoundText(FixturesFirstComp, &round, &leg, country);
    std::snprintf(g_compLine, sizeof g_compLine, "%s", name >= 0 ? GetText(name) : "");
}

// ---- Pop-ups ----------------------------------------------------------------------

int32_t DivisionEntry(PopupCallBlock* call) { return FixturesByDay_PickDivision(int16_t(call->row)); }
int32_t CupEntry(PopupCallBlock* call) {
    return call->row < kCupSlots ? FixturesByDay_PickCup(g_cupSlots[call->row]) : MENU_CONTINUE;
}

void BuildPopups(int16_t country) {
    const PopupEntry kHeader = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    const PopupEntry kEnd = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    const int16_t divisions = HVW_CountDivisions(country);
    // Another count keeps the list there was.
    if (divisions >= 2 && divisions <= kDivisionRows) {
        g_divisionPopup[0] = kHeader;
        for (int k = 0; k < divisions; ++k) {
            g_divisionNames[k] = DivisionNameOrEmpty(int16_t(k), country);
            g_divisionPopup[k + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                                      &g_divisionNames[k],   DivisionEntry,    nullptr};
        }
        g_divisionPopup[divisions + 1] = kEnd;
    }
    const int16_t inUse = HVW_CountNationCups(country);
    const int national = std::clamp(inUse - kEuropeanCups, 0, kCupSlots - kEuropeanCups);
    int entries = 0;
    const auto addCup = [&](int16_t slot) {
        std::snprintf(g_cupNames[entries], sizeof g_cupNames[entries], "%s", HVW_GetCupName(slot, country));
        g_cupNamePointers[entries] = g_cupNames[entries];
        g_cupSlots[entries] = slot;
        g_cupPopup[entries + 1] = {POPUP_STRING_VARIABLE,       POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                                   &g_cupNamePointers[entries], CupEntry,         nullptr};
        ++entries;
    };
    g_cupPopup[0] = kHeader;
    for (int16_t slot = 0; slot < national; ++slot) addCup(slot);
    for (int16_t slot = kCupSlots - kEuropeanCups; slot < kCupSlots; ++slot) addCup(slot);
    g_cupPopup[entries + 1] = kEnd;
}

PopupEntry g_otherPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(136), FixturesByDay_ToLeagueTable,
     nullptr},
    {POPUP_TEXT_ID_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &FixturesOtherScreenText,
     FixturesByDay_ToScreen45, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

// ---- Painters ---------------------------------------------------------------------

void DrawGoals(int x, int y, int16_t goals) {
    if (goals != kBlankGoals) DrawNumberAt(x, y, goals, JUSTIFY_CENTRE_MIDDLE);
}

void DrawClub(int x, int y, int16_t club, uint16_t justify) {
    if (IsClubNumber(club)) DrawTextAddrAt(x, y, HVW_GetClubName(club), justify);
}

void PaintRow(int x, int y, int w, int h) {
    const int r = MenuPaintRow();
    if (r < 0 || r >= g_shownRows) return;
    DrawRowShade(x, y, w, h);
    const FixtureDayRow& row = g_rows[r];
    if (row.slot < 0) return;
    const int middle = y + h / 2;
    SetDrawParam(1, 0);
    SetDrawParam(3, 0);
    if (g_secondLeg) {
        DrawClub(16 + 239, middle, row.homeClub, JUSTIFY_RIGHT_MIDDLE);
        DrawClub(545, middle, row.awayClub, JUSTIFY_LEFT_MIDDLE);
        DrawTextAddrAt(375, middle, row.homeBracket, JUSTIFY_CENTRE_MIDDLE);
        DrawTextAddrAt(423, middle, row.awayBracket, JUSTIFY_CENTRE_MIDDLE);
        DrawGoals(392, middle, row.homeGoals);
        if (row.separatorText >= 0) DrawTextNoAt(399, middle, row.separatorText, JUSTIFY_CENTRE_MIDDLE);
        DrawGoals(406, middle, row.awayGoals);
        SetDrawParam(1, kAggregateColour);
        DrawTextAddrAt(309, middle, row.homeAggregate, JUSTIFY_CENTRE_MIDDLE);
        DrawTextAddrAt(489, middle, row.awayAggregate, JUSTIFY_CENTRE_MIDDLE);
        SetDrawParam(1, 0);
    } else {
        DrawClub(40 + 239, middle, row.homeClub, JUSTIFY_RIGHT_MIDDLE);
        DrawClub(40 + 269, middle, row.homeWideClub, JUSTIFY_RIGHT_MIDDLE);
        DrawClub(521, middle, row.awayClub, JUSTIFY_LEFT_MIDDLE);
        DrawClub(491, middle, row.awayWideClub, JUSTIFY_LEFT_MIDDLE);
        DrawTextAddrAt(360, middle, row.homeBracket, JUSTIFY_CENTRE_MIDDLE);
        DrawTextAddrAt(440, middle, row.awayBracket, JUSTIFY_CENTRE_MIDDLE);
        DrawGoals(385, middle, row.homeGoals);
        if (row.separatorText >= 0) DrawTextNoAt(400, middle, row.separatorText, JUSTIFY_CENTRE_MIDDLE);
        DrawGoals(415, middle, row.awayGoals);
        if (row.groupText >= 0) DrawTextNoAt(650, middle, row.groupText, JUSTIFY_LEFT_MIDDLE);
    }
}

int32_t PickHomeItem(MenuHotItem* item) { return FixturesByDay_PickHomeClub(item->row); }
int32_t PickAwayItem(MenuHotItem* item) { return FixturesByDay_PickAwayClub(item->row); }

const MenuItem kRow[] = {
    {MI_CUSTOM, 40, 0, 718, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, 40, 0, 359, kRowHeight, nullptr, PickHomeItem},
    {MI_HOT_RECT, 399, 0, 359, kRowHeight, nullptr, PickAwayItem},
    kMenuEnd,
};

void FirstEntry() {
    SetMenuTitleDate(2);
    FixturesMode = 1;
    FixturesDivision = 0;
    FixturesTop = 0;
    g_collectedCount = 0;
    g_rebuild = true;
}

// From the day towards the last (step 1 or -1), the first match day; none,
// the day stays.  The first row shown stays as it was (the screen keeps it
// within the new day's list).
void StepToFlaggedDay(int from, int last, int step) {
    for (int day = from; step > 0 ? day <= last : day >= last; day += step) {
        if (day >= 0 && day < kSeasonDayFlags && g_dayFlags[day] != 0) {
            FixturesDay = int16_t(day);
            return;
        }
    }
}

int32_t PickClub(int row, bool home) {
    const int index = FixturesTop + row;
    if (row < 0 || row >= kFixtureDayRows || index >= g_dayCount) return MENU_CONTINUE;
    const int16_t slot = g_dayList[index];
    const int16_t club = home ? FixtureHome(slot) : FixtureAway(slot);
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

}  // namespace

void FixturesByDayMenu() {
    const int16_t country = Country();
    if (IsMenuFirstEntry() == 1) FirstEntry();
    BuildPopups(country);
    if (g_rebuild) {
        g_rebuild = false;
        Collect(country);
    }
    g_dayCount = 0;
    g_secondLeg = false;
    for (FixtureDayRow& row : g_rows) ClearRow(row);
    g_shownRows = 0;
    if (!FindDay()) {
        g_message = kTextNoFixtures;
        WriteNoDayTitles(country);
        SetMenuListRows(0);
        return;
    }
    g_message = -1;
    BuildDayList();
    const int16_t firstSlot = g_dayList[0];
    const int16_t firstCode = FixtureType(firstSlot);
    g_compText = HVW_GetCompRoundText(firstCode, &g_roundText, &g_legText, country);
    g_secondLeg = FixturesMode == 0 && g_legText == kSecondLegText;
    FixturesTop = std::clamp<int16_t>(FixturesTop, 0, int16_t(std::max(0, g_dayCount - kFixtureDayRows)));
    const int16_t today = HVW_GetCurrentDay();
    for (int r = 0; r < kFixtureDayRows && FixturesTop + r < g_dayCount; ++r) {
        FillRow(g_rows[r], g_dayList[FixturesTop + r], firstCode, today);
        ++g_shownRows;
    }
    WriteTitles(country, firstSlot);
    SetMenuListRows(g_shownRows);
}

int32_t FixturesByDay_PickCup(int16_t slot) {
    if (slot < 0 || slot >= kCupSlots) return MENU_CONTINUE;
    FixturesFirstComp = CupCode(slot, 0);
    FixturesLastComp = int16_t(FixturesFirstComp + kCodesPerCup - 1);
    FixturesMode = 0;
    g_rebuild = true;
    FixturesTop = 0;
    return MENU_REDRAW;
}

int32_t FixturesByDay_PickDivision(int16_t division) {
    if (division < 0 || division >= HVW_CountDivisions(Country())) return MENU_CONTINUE;
    FixturesDivision = division;
    FixturesMode = 1;
    g_rebuild = true;
    FixturesTop = 0;
    return MENU_REDRAW;
}

int32_t FixturesByDay_NextDay(MenuHotItem*) {
    StepToFlaggedDay(FixturesDay + 1, kLastSeasonDay, 1);
    return MENU_REDRAW;
}

// Day 0 holds no match day of its own.
int32_t FixturesByDay_PrevDay(MenuHotItem*) {
    StepToFlaggedDay(std::min(FixturesDay - 1, kLastSeasonDay), 1, -1);
    return MENU_REDRAW;
}

int32_t FixturesByDay_RowDown(MenuHotItem*) {
    FixturesTop = int16_t(std::clamp(FixturesTop + 1, 0, std::max(0, g_dayCount - kFixtureDayRows)));
    return MENU_REDRAW;
}

int32_t FixturesByDay_RowUp(MenuHotItem*) {
    FixturesTop = int16_t(std::max(0, FixturesTop - 1));
    return MENU_REDRAW;
}

int32_t FixturesByDay_PickHomeClub(int row) { return PickClub(row, true); }
int32_t FixturesByDay_PickAwayClub(int row) { return PickClub(row, false); }

int32_t FixturesByDay_ToClubMain(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

int32_t FixturesByDay_ToLeagueTable(PopupCallBlock*) {
    MenuOption = kScreenLeagueTable;
    return MENU_CLOSE;
}

int32_t FixturesByDay_ToScreen45(PopupCallBlock*) {
    MenuOption = kScreenEuroGroups;
    return MENU_CLOSE;
}

const MenuItem FixturesByDayTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(FixturesByDayMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 40, 97, 718, 44, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 40, 163, 718, 374, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, 10, 0, &g_compText2, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 399, 119, 10, 0, &g_dateText, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP, 0, kFirstRowY, 0, kRowHeight, kRow, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, FixturesByDay_RowUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, FixturesByDay_RowDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_ICON, 54, 119, 10, 0, MenuValue(159), FixturesByDay_PrevDay},
    {MI_ICON, 738, 119, 10, 0, MenuValue(160), FixturesByDay_NextDay},
    {MI_BUTTON_TEXT, 60, 559, 226, 28, MenuValue(161), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_divisionPopup, nullptr},
    {MI_BUTTON_TEXT, 286, 559, 226, 28, MenuValue(539), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_otherPopup, nullptr},
    {MI_BUTTON_TEXT, 512, 559, 226, 28, MenuValue(1496), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_cupPopup, nullptr},
    {MI_TEXT_VAR, 400, 300, 10, 0, &g_message, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), FixturesByDay_ToClubMain},
    kMenuEnd,
};

const FixtureDayRow& FixturesByDayRow(int row) {
    static FixtureDayRow empty;
    return row >= 0 && row < kFixtureDayRows ? g_rows[row] : empty;
}
int16_t FixturesByDayShownRows() { return g_shownRows; }
int16_t FixturesByDayListCount() { return g_dayCount; }
bool FixturesByDayIsFlagged(int day) { return day >= 0 && day < kSeasonDayFlags && g_dayFlags[day] != 0; }
bool FixturesByDaySecondLegLayout() { return g_secondLeg; }
int16_t FixturesByDayMessage() { return g_message; }
const char* FixturesByDayCompetitionLine() { return g_compLine; }
