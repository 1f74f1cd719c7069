// The opponent panel of a live match day: the other club's season records,
// its latest league results with the mean mark of each, and its players
// ranked by performance and by goals, each with a badge telling whether he
// plays, sits on the bench, is suspended, injured or away with his nation.
// Beside it the small routines of the match-day module: the standalone
// preview loop, the waits and two texts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/club/squads.h"
#include "core/match/matchratings.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchdaynews.h"
#include "game/system/mainwindow.h"
#include "game/system/tickclock.h"

OpponentFigureBlock OpponentFigures;
GroupStandings PreviewGroupTable;

namespace {

constexpr uint16_t kPanelColour = 8484;
constexpr int kPanelShade = 68;
constexpr int16_t kHomeText = 150;
constexpr int16_t kAwayText = 151;
constexpr int16_t kRecentResultsText = 1850;
constexpr int16_t kMarkText = 2011;
constexpr int16_t kPerformersText = 1851;
constexpr int16_t kScorersText = 1852;
constexpr int kRowStep = 16;
constexpr int16_t kNoNumber = -32768;
constexpr int kExitIcon = 153;
// The cup whose first two rounds are played in groups.
constexpr int16_t kGroupCup = 6;
// The continue button keeps its own words: the text id the panel tables
// name is the finance summary's expenditure label.
constexpr int16_t kContinueText = 413;

struct Rect {
    int x, y, w, h;
};
constexpr Rect kPanels[] = {
    {25, 93, 260, 55}, {345, 93, 260, 55}, {25, 167, 335, 105}, {25, 307, 260, 190}, {345, 307, 260, 190},
};

HotRegion Region(int16_t x, int16_t w, int16_t textId, int16_t event) {
    return {HOT_BUTTON_TEXT_ID,
            x,
            535,
            w,
            28,
            10,
            reinterpret_cast<const void*>(intptr_t(textId)),
            8,
            nullptr,
            event};
}
// Table A once the reserve-league group is done, B otherwise.
const HotRegion kRegionsA[] = {Region(400, -2, kContinueText, 6),
                               Region(400, 0, kTextTeamNews, 0),
                               Region(400, -1, kContinueText, 6),
                               Region(401, 0, kTextTeamNews, 0),
                               {}};
const HotRegion kRegionsB[] = {Region(400, -1, kContinueText, 6), Region(401, 0, kTextTeamNews, 0), {}};
const HotRegion kWatchBar[] = {
    {HOT_BUTTON_TEXT_ID, 60, 559, 678, 28, 10, reinterpret_cast<const void*>(intptr_t(1704)), 8, nullptr, 9},
    {},
};

bool HasDayFlag(uint16_t bit) { return (uint16_t(MatchDayFlags) & bit) != 0; }
int16_t Today() { return SeasonCalendar.currentDay; }

// ---- The figures ---------------------------------------------------------------------------

uint16_t StatusKind(uint16_t player) {
    const int subs = std::clamp<int>(TeamNewsBlock.substitutes, 0, 5);
    const int16_t shirt = HVW_GetPlayerShirt(player);
    if (shirt >= 1 && shirt <= 11) return 0;
    if (shirt >= 12 && shirt <= 11 + subs) return 1;
    if (GetPlayerSusp(player) != 0) return 3;
    if (HVW_GetPlayerIT(player) != 0) return 4;
    if (HVW_GetPlayerIntDuty(player) != 0) return 5;
    return 2;
}

// Highest value first: each later place whose value is greater than place
// i's is exchanged with it.
void ExchangeSort(OpponentListEntry* list, int count) {
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (list[j].value > list[i].value) std::swap(list[i], list[j]);
}

void TakeFirst(OpponentListEntry (&to)[kOpponentListSize], const OpponentListEntry* from, int positive) {
    const int taken = std::min(positive, kOpponentListSize);
    for (int i = 0; i < kOpponentListSize; ++i) to[i] = i < taken ? from[i] : OpponentListEntry{0, 0, 0};
}

// Over the club's whole roster: a computer club's squad list leaves its
// suspended and injured players out (its reshuffle moves them to the
// reserve list), so taken from that list the badges for them would never
// show and a suspended top scorer would be missing from the lists.
void FillLists(int16_t club) {
    OpponentListEntry byPerformance[kRosterSize], byGoals[kRosterSize];
    int count = 0, performers = 0, scorers = 0;
    for (const uint16_t player : ClubRoster[club]) {
        if (player == 0 || !IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club)) continue;
        const int16_t type = HVW_GetPositionType(player);
        if (type > 3) continue;  // the manager
        const uint16_t kind = StatusKind(player);
        const int16_t performance = HVW_GetPlayerPerf(player);
        const int16_t goals = type == 0 ? int16_t(0) : HVW_GetPlayerGoals(player);
        byPerformance[count] = {player, kind, performance};
        byGoals[count] = {player, kind, goals};
        performers += performance > 0;
        scorers += goals > 0;
        ++count;
    }
    ExchangeSort(byPerformance, count);
    ExchangeSort(byGoals, count);
    TakeFirst(OpponentFigures.performanceList, byPerformance, performers);
    TakeFirst(OpponentFigures.scorerList, byGoals, scorers);
}

// The opponent's latest league fixtures before today, newest first.
void FillResults(int16_t club) {
    std::fill(std::begin(OpponentFigures.results), std::end(OpponentFigures.results), int16_t(-1));
    int found = 0;
    for (int slot = kFixtureSlots - 1; slot >= 0 && found < kOpponentResults; --slot) {
        if (IsFixtureEmpty(slot) || FixtureDay(slot) >= uint16_t(Today())) continue;
        const int16_t type = FixtureType(slot);
        if (type < kCompLeague || type > kCompPlayOffFinal || !IsFixtureOfClub(slot, club)) continue;
        if (!IsFixturePlayed(slot)) continue;
        OpponentFigures.results[found++] = int16_t(slot);
    }
}

}  // namespace

int16_t PreviewPanel_MeanMark(int16_t slot, int16_t club) {
    if (slot < 0 || slot >= kFixtureSlots) return 0;
    const int16_t row = HVW_GetMatchRatingRow(club);
    if (row < 0) return 0;
    for (const MatchRatingRecord& record : MatchRatingTable[row]) {
        if (int16_t(recbits::LoadU16(record.bytes)) != slot) continue;
        int sum = 0, marks = 0;
        for (int k = 0; k < kMatchRatingEntries; ++k) {
            const uint8_t* entry = record.bytes + 2 + k * kMatchRatingEntrySize;
            if (recbits::LoadU16(entry) == 0 || entry[2] == 0) continue;
            sum += entry[2];
            ++marks;
        }
        return int16_t(marks > 0 ? sum / marks : 0);
    }
    return 0;
}

namespace {

// ---- Drawing ---------------------------------------------------------------------------------

void DrawPanels() {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kPanelColour);
    for (const Rect& r : kPanels) DrawShadedRect(r.x, r.y, r.w, r.h, kPanelShade);
    SetDrawParam(2, 0);
    for (const Rect& r : kPanels) DrawBox(r.x, r.y, r.w, r.h);
    SetDrawParam(2, kept);
}

void DrawRecord(int x, int16_t heading, const int16_t (&record)[5]) {
    DrawTextNoAt(x + 100, 95, heading, JUSTIFY_CENTRE_TOP);
    for (int j = 0; j < 5; ++j) {
        DrawTextNoAt(x + 50 * j, 110, int16_t(kTextWin + j), JUSTIFY_RIGHT_TOP);
        DrawNumberAt(x + 50 * j, 130, record[j], JUSTIFY_RIGHT_TOP);
    }
}

void DrawResults() {
    const int16_t club = OpponentFigures.club;
    DrawTextNoAt(50, 172, kRecentResultsText, JUSTIFY_LEFT_TOP);
    DrawTextNoAt(320, 177, kMarkText, JUSTIFY_CENTRE_TOP);
    int y = 192;
    for (int16_t slot : OpponentFigures.results) {
        if (slot < 0 || slot >= kFixtureSlots) continue;
        const bool atHome = FixtureHome(slot) == club;
        const int16_t other = atHome ? FixtureAway(slot) : FixtureHome(slot);
        const uint32_t score = FixtureScore(slot);
        const int homeGoals = int(score & kFixtureGoalsMask), awayGoals = int(score >> 5 & kFixtureGoalsMask);
        DrawTextNoAt(50, y, HVW_ClubTextId(other), JUSTIFY_LEFT_TOP);
        DrawTextNoAt(220, y, atHome ? kTextHome : kTextAway, JUSTIFY_CENTRE_TOP);
        DrawNumberAt(245, y, atHome ? homeGoals : awayGoals, JUSTIFY_CENTRE_TOP);
        DrawTextNoAt(260, y, kTextDash, JUSTIFY_CENTRE_TOP);
        DrawNumberAt(275, y, atHome ? awayGoals : homeGoals, JUSTIFY_CENTRE_TOP);
        DrawNumberAt(320, y, PreviewPanel_MeanMark(slot, club), JUSTIFY_CENTRE_TOP);
        y += kRowStep;
    }
}

void DrawListRow(const OpponentListEntry& entry, int nameX, int badgeX, int valueX, int y) {
    SetFont(8);
    DrawTextAddrAt(nameX, y, HVW_GetPlayerShortName(entry.player), JUSTIFY_LEFT_TOP);
    int16_t icon = 0, number = kNoNumber, text = -1;
    PlayerStatusBadge(entry, &icon, &number, &text);
    if (icon > 0) DrawIcon(badgeX, y, icon, JUSTIFY_CENTRE_MIDDLE);
    if (number != kNoNumber) {
        SetFont(6);
        DrawNumberAt(badgeX, y + 5, number, JUSTIFY_CENTRE_MIDDLE);
        SetFont(8);
    }
    DrawNumberAt(valueX, y, entry.value, JUSTIFY_RIGHT_TOP);
}

void DrawLists() {
    SetFont(8);
    DrawTextNoAt(50, 312, kPerformersText, JUSTIFY_LEFT_TOP);
    int y = 332;
    for (const OpponentListEntry& entry : OpponentFigures.performanceList) {
        if (entry.player == 0 || entry.value <= 0 || !IsPlayerNumber(entry.player)) continue;
        DrawListRow(entry, 50, 190, 240, y);
        y += kRowStep;
    }
    SetFont(8);
    DrawTextNoAt(370, 312, kScorersText, JUSTIFY_LEFT_TOP);
    y = 332;
    for (const OpponentListEntry& entry : OpponentFigures.scorerList) {
        if (entry.player == 0 || !IsPlayerNumber(entry.player)) continue;
        DrawListRow(entry, 370, 510, 560, y);
        y += kRowStep;
    }
}

void ShowButtons() {
    if (SoakMode != 0) {
        Hotspot_InitDefault(&MatchDayHotspots[0]);
        return;
    }
    const HotRegion* table = kRegionsB;
    if (HasDayFlag(kDayUserGroupDone) && HasDayFlag(kDayPanelFinished)) {
        table = kWatchBar;
    } else if (!HasDayFlag(kDayReserveFixture) && HasDayFlag(kDayFlaggedDone)) {
        table = kRegionsA;
    }
    MatchDay_SetButtons(table);
    MatchDay_DrawButtons(table);
}

}  // namespace

void MatchDay_FillOpponentFigures(int16_t slot) {
    OpponentFigures = OpponentFigureBlock{};
    OpponentFigures.club = -1;
    std::fill(std::begin(OpponentFigures.results), std::end(OpponentFigures.results), int16_t(-1));
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t user = HVW_GetMyClub();
    const int16_t club = FixtureHome(slot) == user ? FixtureAway(slot) : FixtureHome(slot);
    if (!IsClubNumber(club)) return;
    OpponentFigures.club = club;
    int16_t* h = OpponentFigures.homeRecord;
    int16_t* a = OpponentFigures.awayRecord;
    HVW_GetClubSeasonHomeRecord(club, &h[0], &h[1], &h[2], &h[3], &h[4]);
    HVW_GetClubSeasonAwayRecord(club, &a[0], &a[1], &a[2], &a[3], &a[4]);
    FillResults(club);
    FillLists(club);
}

void PlayerStatusBadge(const OpponentListEntry& entry, int16_t* icon, int16_t* number, int16_t* text) {
    *text = -1;
    *number = kNoNumber;
    switch (entry.kind) {
        case 0:
        case 1:
            *icon = IsPlayerNumber(entry.player) && entry.player != 0
                        ? HVW_GetPositionTypeRowCode(entry.player)
                        : int16_t(0);
            if (*icon != 0) *number = HVW_GetPlayerShirt(entry.player);
            break;
        case 2:
            *icon = 62;
            break;
        case 3:
            *icon = 14;
            break;
        case 4:
            *icon = 16;
            break;
        default:
            *icon = 1;
            break;
    }
}

void PreviewPanel_DrawOpponentName() {
    const int16_t user = HVW_GetMyClub();
    SetFont(13);
    DrawTextAddrAt(400, 43, TeamNewsBlock.names[TeamNewsBlock.home == user ? 1 : 0], JUSTIFY_CENTRE_MIDDLE);
}

void PreviewPanel_Draw() {
    ShowMenuBackground(4);
    SaveScreen();
    DrawPanels();
    PreviewPanel_DrawOpponentName();
    SetFont(8);
    DrawRecord(60, kHomeText, OpponentFigures.homeRecord);
    DrawRecord(380, kAwayText, OpponentFigures.awayRecord);
    DrawResults();
    DrawLists();
    ShowButtons();
    RefreshCursor();
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
}

void PreviewPanel_ClearExtracts(TableExtractPair& pair) {
    for (TableExtractRow* rows : {pair.top, pair.bottom})
        std::fill(rows, rows + kTableExtractRows, TableExtractRow{-1, 0, 0, 0, 0});
}

void PreviewPanel_SetGroupEntries(int16_t fixture, int16_t n) {
    for (auto& row : PreviewGroupTable) row[kGroupClub] = -1;
    if (fixture < 0 || fixture >= kFixtureSlots) return;
    const int16_t type = FixtureType(fixture);
    const int16_t round = HVW_GetCupRoundIndex(type);
    if (HVW_GetCupIndex(type) != kGroupCup || (round != 0 && round != 1)) return;
    const int16_t group = HVW_FindClubGroup(HVW_GetMyClub(), n);
    if (group < 0) return;
    BuildGroupStandings(PreviewGroupTable, group, round);
    SortGroupStandings(PreviewGroupTable, Today(), round, group);
}

// ---- Small routines ---------------------------------------------------------------------------

int32_t MatchDay_PreviewLoop(int16_t fixture, int16_t reserveFixture) {
    SetMenuTitleDate(2);
    if (fixture >= 0 || reserveFixture >= 0) MatchDayFlags |= kDayRedraw;
    if (fixture >= 0) {
        CurrentReferee = HVW_AppointReferee(fixture);
        MatchDay_PreparePreview();
        MatchDayEvent = 3;
    }
    if (SoakMode != 0) MatchDayEvent = 6;
    // The preview is drawn (or, in a soak, finished) at least once.
    if (fixture >= 0) {
        for (;;) {
            MatchDay_Dispatch();
            if (MatchDayEvent == 6 || WinCloseRequested()) break;
            MatchDay_Run();
        }
    }
    MenuOption = kScreenClubMain;
    return 6;
}

void MatchDay_WaitForIcon() {
    DrawIcon(608, 470, kExitIcon, 15);
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
    RefreshCursor();
    for (;;) {
        if (WinCloseRequested()) return;
        Hotspot_ReadMouse(&x, &y, &buttons);
        if ((buttons & 1) != 0 && x > 570 && x < 610 && y > 436 && y < 476) return;
    }
}

void MatchDay_WaitTicks(uint32_t ticks) {
    if (!TimerIsRunning()) return;
    const uint32_t start = GetTimerTicks();
    while (GetTimerTicks() - start < ticks && !WinCloseRequested()) WaitTickAndPoll();
}

void ReplaceFirstText(char* text, const char* find, const char* replacement) {
    constexpr size_t kWork = 300;
    if (text == nullptr || find == nullptr || find[0] == '\0') return;
    char work[kWork];
    std::snprintf(work, sizeof work, "%s", text);
    char* at = std::strstr(work, find);
    if (at == nullptr) return;
    char rest[kWork];
    std::snprintf(rest, sizeof rest, "%s", at + std::strlen(find));
    *at = '\0';
    std::string joined = std::string(work) + (replacement != nullptr ? replacement : "") + rest;
    if (joined.size() > kWork - 1) joined.resize(kWork - 1);
    std::memcpy(text, joined.c_str(), joined.size() + 1);
}

int16_t OrdinalSuffixText(int32_t number) {
    if (number == 11 || number == 12 || number == 13) return 266;
    switch (number % 10) {
        case 1:
            return 263;
        case 2:
            return 264;
        case 3:
            return 265;
        default:
            return 266;
    }
}

int32_t ClubReputationMoney(int16_t club, int16_t) {
    return IsClubNumber(club) ? int32_t(HVW_GetClubReputation(club)) * 1200 : 0;
}
