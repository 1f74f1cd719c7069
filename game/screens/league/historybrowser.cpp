#include "game/screens/league/historybrowser.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/match/replay.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchevents.h"
#include "core/season/playedleagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/playerinfo.h"

HistoryBrowserState HistoryBrowser;
HistoryColumnCell HistoryColumns[kHistoryPages][kHistoryCells];
HistoryLine HistoryLines[kHistoryListEntries];
int16_t HistoryTopLine;
int16_t HistoryLineCount;
int16_t HistoryScreenLineTotal;
uint16_t HistoryOpenedFromContinue;
int16_t HistoryLeaveFlag;
HistoryScreenLine HistoryScreen[kHistoryScreenLines];
const char* HistoryButtonLabels[kHistoryColumnButtons];
int16_t HistoryButtonStates[kHistoryColumnButtons];
int8_t HistoryButtonCells[kHistoryColumnButtons];
int16_t HistoryButtonCount;
char HistoryHeaderLine[160];
int16_t HistoryPageArrows;
int16_t HistoryLeagueSetText = 2428, HistoryLeagueSetState;
int16_t HistoryAltText = 1559, HistoryAltState;
int16_t HistoryTitleText = 887;
int16_t HistoryCompanionSlots[3];

namespace {

constexpr int8_t kNone = -1;
constexpr int8_t kFriendlyCode = 12;
constexpr int8_t kInternationalCode = 13;
constexpr int8_t kUnder21Code = 14;
constexpr int8_t kReserveCodes = 6;
constexpr int8_t kOpenerCupCode = 7;
constexpr int8_t kLastNationalCup = 3;

constexpr int16_t kLeaveIcon = 153;
constexpr int16_t kPageArrowsIcon = 154;
constexpr int16_t kSentOffText = 632;
constexpr int16_t kShootOutMarkText = 1206;
constexpr int16_t kShootOutLegendText = 1561;
constexpr int16_t kBookedText = 2460;
constexpr int16_t kLeagueText = 2427;
constexpr int16_t kInternationalsText = 1559;
constexpr int16_t kUnder21Text = 2461;
constexpr int16_t kFriendliesText = 701;

// Button states and the colours they are drawn in.
constexpr int16_t kStateCurrent = 1;
constexpr int16_t kStateListed = 0;
constexpr int16_t kStateEmpty = 10;
int16_t StateColour(int16_t state) { return state == kStateCurrent ? 8 : state == kStateEmpty ? 9 : 0; }

// Line colours.
constexpr int16_t kLineColour = 7;
constexpr int16_t kMarkedColour = 1;
constexpr int16_t kBookingColour = 16;
constexpr int16_t kSendingOffColour = 4;
constexpr int16_t kAttendanceColour = 10;

constexpr uint16_t kMarkerColour = 0x18C3;
constexpr int kListLeft = 24;
constexpr int kListTop = 132;
constexpr int kLineHeight = 20;
constexpr int kRowWidth = 400;
constexpr int kWideRowWidth = 430;

constexpr uint32_t kCrowdMask = 0x7FFFFF;

// Row 0 holds every code.
constexpr HistoryColumnCell kRowZero[kHistoryCells] = {
    {0, kNone, 0, 0}, {1, kNone, 0, 0}, {2, kNone, 0, 0},  {3, kNone, 0, 0},  {4, kNone, 0, 0},
    {6, kNone, 0, 0}, {7, kNone, 0, 0}, {8, kNone, 0, 0},  {9, kNone, 0, 0},  {10, kNone, 0, 0},
    {kNone, 0, 0, 0}, {kNone, 1, 0, 0}, {kNone, 2, 0, 0},  {kNone, 3, 0, 0},  {kNone, 7, 0, 0},
    {kNone, 4, 0, 0}, {kNone, 6, 0, 0}, {12, kNone, 0, 0}, {13, kNone, 0, 0}, {14, kNone, 0, 0},
};
// Rows 1-8, authored from the world's competitions (the data kit checks
// that every code a country's fixtures can produce has a cell).
struct AuthoredCell {
    int8_t country, league, cup;
};
constexpr AuthoredCell kAuthoredCells[] = {
#define HISTORY_CELL(country, league, cup) {country, league, cup},
#include "data/world/history_columns.inc"
#undef HISTORY_CELL
};

int16_t g_userFixture = kHistoryNoFixture;
int16_t g_userFixtureType = -1;
bool g_firstPass = false;
char g_legend[80];
// The group round the shown column plays (0 or 1), -1 none.
int16_t g_groupRound = -1;
const char* g_legendShown = g_legend;
const char* g_headerShown = HistoryHeaderLine;
const char* g_pageNames[kHistoryPages];
const char* g_homeShown[kHistoryScreenLines];
const char* g_awayShown[kHistoryScreenLines];
const char* g_scoreShown[kHistoryScreenLines];
const char* g_aggregateShown[kHistoryScreenLines];
int16_t g_homeColour[kHistoryScreenLines];
int16_t g_awayColour[kHistoryScreenLines];
int16_t g_leagueSetColour, g_altColour;

HistoryBrowserState& S() { return HistoryBrowser; }
bool Has(uint16_t bits) { return (S().Flags & bits) != 0; }
void Set(uint16_t bits) { S().Flags = uint16_t(S().Flags | bits); }
void Clear(uint16_t bits) { S().Flags = uint16_t(S().Flags & ~bits); }

int16_t Today() { return int16_t(SeasonCalendar.currentDay); }
int CountryOf(int16_t club) { return IsClubNumber(club) ? int(GetClubNation(club)) : -1; }
bool IsNationalType(int16_t type) { return type == kCompNationalTeam || type == kCompNationalUnder21; }

// Calls visit(slot) for every fixture dated today, in table order.
template <typename Visit>
void ForEachFixtureToday(Visit visit) {
    const int16_t today = Today();
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day > today) return;  // sorted by day; empty slots (511) end it
        if (day == today) visit(int16_t(slot));
    }
}

int CurrentRow() { return std::clamp<int>(S().Row, 0, kHistoryPages - 1); }
HistoryColumnCell* Cells() { return HistoryColumns[CurrentRow()]; }
HistoryColumnCell* CurrentCell() {
    return S().Column >= 0 && S().Column < kHistoryCells ? &Cells()[S().Column] : nullptr;
}
int UsedCells() { return std::clamp<int>(S().ColumnCount, 0, kHistoryCells); }

// The first cell of the current row with the code; -1 when none.
int FindCell(bool league, int8_t code, int limit = kHistoryCells) {
    const HistoryColumnCell* row = Cells();
    for (int c = 0; c < limit; ++c) {
        if ((league ? row[c].league : row[c].cup) == code) return c;
    }
    return -1;
}

// Where a fixture of today is listed on a page: its cell code and the
// flag bit it raises; false when the page does not list it.
struct ColumnCode {
    bool league;
    int8_t code;
    uint16_t flag;
};
bool CodeOnPage(int16_t slot, int page, ColumnCode* out) {
    const int16_t type = FixtureType(slot);
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const bool homeHere = CountryOf(home) == page;
    if (type >= kCompLeague && type <= kCompPlayOffFinal) {
        *out = {true, int8_t(homeHere ? HVW_FindClubInDivisionRows(home) : kNone), kHistSetAllowedWhenOn};
        return homeHere;
    }
    if (type == kCompNationalTeam) {
        *out = {true, kInternationalCode, kHistAlt13};
        return true;
    }
    if (type == kCompNationalUnder21) {
        *out = {true, kUnder21Code, kHistAlt14};
        return true;
    }
    if (type == kCompChampionVsCupWinner) {
        *out = {false, kOpenerCupCode, kHistSetAllowedWhenOn};
        return homeHere;
    }
    if (type == kCompFriendly) {
        *out = {true, kFriendlyCode, kHistSetAllowedWhenOn};
        return homeHere || CountryOf(away) == page;
    }
    if (type == kCompReserveLeague) {
        *out = {true, int8_t(homeHere ? HVW_FindClubInDivisionRows(home) + kReserveCodes : kNone),
                kHistSetAllowedWhenOff};
        return homeHere;
    }
    const int16_t cup = HVW_GetCupIndexForText(type);
    if (cup == -2) return false;
    *out = {false, int8_t(cup), kHistSetAllowedWhenOn};
    return cup > kLastNationalCup || homeHere;
}

bool IsOfCell(const ColumnCode& code, const HistoryColumnCell& cell) {
    return (code.league ? cell.league : cell.cup) == code.code;
}

// ---- Screen lines ----------------------------------------------------------------------

int EntryLines(int entry) {
    const HistoryLine& line = HistoryLines[entry];
    return 1 + (line.open != 0 ? line.extra : 0);
}

// The entries shown from the first one: how many fit in the 20 lines.
int EntriesFitting(int first) {
    int lines = 0, n = 0;
    for (int e = std::max(first, 0); e < HistoryLineCount; ++e, ++n) {
        lines += EntryLines(e);
        if (lines > kHistoryScreenLines) break;
    }
    return n;
}

// The entry drawn on a screen line, -1 none; its first line in *start.
int EntryOnScreenLine(int screenLine, int* start) {
    int line = 0;
    for (int e = std::max<int>(HistoryTopLine, 0); e < HistoryLineCount; ++e) {
        const int need = EntryLines(e);
        if (line + need > kHistoryScreenLines) break;
        if (screenLine < line + need) {
            *start = line;
            return e;
        }
        line += need;
    }
    return -1;
}

const char* SideName(int16_t slot, int side) {
    const int16_t who = side == 0 ? FixtureHome(slot) : FixtureAway(slot);
    if (IsNationalType(FixtureType(slot))) return IsNationNumber(who) ? HVW_GetNationName(who) : "";
    return IsClubNumber(who) ? HVW_GetClubName(who) : "";
}

// 1 when the fixture's shoot-out was won by the away side, 0 by the home
// side, -1 when it had none.
int ShootOutWinner(int16_t slot) {
    if ((FixtureScore(slot) & kFixtureShootOutBit) == 0) return -1;
    for (int i = 0; i < kShootOutEntries; ++i) {
        if (int16_t(ShootOutList[i] & 0x7FFF) == slot) return (ShootOutList[i] & 0x8000) != 0 ? 1 : 0;
    }
    return -1;
}

bool IsMarkedSide(int16_t slot, int side) {
    const int16_t who = side == 0 ? FixtureHome(slot) : FixtureAway(slot);
    if (IsNationalType(FixtureType(slot))) return false;
    if (who == HVW_GetMyClub()) return true;
    const int8_t cup = Cells()[std::clamp<int>(S().Column, 0, kHistoryCells - 1)].cup;
    const bool pageMarks = FixtureType(slot) == kCompFriendly || (cup >= 4 && cup <= 6);
    return pageMarks && CountryOf(who) == S().Page;
}

// The cup whose first two rounds are played in groups.
constexpr int16_t kGroupCup = 6;

// The group round (0 or 1) of the third European cup that the type plays,
// -1 for any other round.
int16_t GroupRoundOf(int16_t type) {
    const int16_t round = HVW_GetCupRoundIndex(type);
    return HVW_GetCupIndex(type) == kGroupCup && (round == 0 || round == 1) ? round : int16_t(-1);
}

// In a group round a line names the group of its home club.
void FillGroupCell(HistoryScreenLine& out, int16_t slot) {
    const int16_t group = HVW_FindClubGroup(FixtureHome(slot), g_groupRound);
    if (group < 0) return;
    std::snprintf(out.aggregate, sizeof out.aggregate, "%s", GetText(HVW_GetCompTextIdByIndex(group)));
}

void FillFixtureLine(HistoryScreenLine& out, int16_t slot) {
    const int winner = ShootOutWinner(slot);
    for (int side = 0; side < 2; ++side) {
        char* text = side == 0 ? out.home : out.away;
        const size_t size = side == 0 ? sizeof out.home : sizeof out.away;
        AppendText(text, size, "%s", SideName(slot, side));
        if (winner == side) AppendText(text, size, " %s", GetText(kShootOutMarkText));
        (side == 0 ? out.homeColour : out.awayColour) =
            IsMarkedSide(slot, side) ? kMarkedColour : kLineColour;
    }
    if (winner >= 0)
        std::snprintf(g_legend, sizeof g_legend, "%s %s", GetText(kShootOutMarkText),
                      GetText(kShootOutLegendText));
    const uint32_t score = FixtureScore(slot);
    const int homeGoals = int(score & kFixtureGoalsMask), awayGoals = int(score >> 5 & kFixtureGoalsMask);
    if (IsFixturePlayed(slot)) {
        std::snprintf(out.score, sizeof out.score, "%d %s %d", homeGoals, GetText(kTextDash), awayGoals);
    } else {
        std::snprintf(out.score, sizeof out.score, "%s", GetText(kTextVersus));
    }
    if (g_groupRound >= 0) FillGroupCell(out, slot);
    if (!Has(kHistSecondLegs)) return;
    const int16_t earlier =
        HVW_FindEarlierCupTie(FixtureHome(slot), FixtureAway(slot), FixtureType(slot), Today());
    if (earlier < 0 || !IsFixturePlayed(earlier)) return;
    const uint32_t first = FixtureScore(earlier);
    const int firstHome = int(first & kFixtureGoalsMask), firstAway = int(first >> 5 & kFixtureGoalsMask);
    if (HistoryOpenedFromContinue != 0 || !IsFixturePlayed(slot)) {
        std::snprintf(out.aggregate, sizeof out.aggregate, "(%d %s %d)", firstAway, GetText(kTextDash),
                      firstHome);
    } else {
        std::snprintf(out.aggregate, sizeof out.aggregate, "(%d %s %d)", homeGoals + firstAway,
                      GetText(kTextDash), awayGoals + firstHome);
    }
}

// ---- Event lines -----------------------------------------------------------------------

struct EventEntry {
    uint16_t player;
    int8_t group;  // 0 goals, 3 sendings-off, 4 bookings
};

int8_t GroupOf(int8_t kind) { return MatchEvents_IsGoalKind(kind) ? kKindGoal : kind; }

// The side's players with events, in order of their first event, at most
// 16 (as the line count keeps them).
int CollectEntries(int16_t fixture, int side, EventEntry (&entries)[kScorerTableEntries]) {
    int used = 0;
    MatchEvents_ForEachOfFixture(fixture, [&](int32_t r) {
        const uint16_t player = MatchEventPlayer(r);
        if (MatchEventSide(r) != side || player == 0) return;
        const int8_t group = GroupOf(MatchEventKind(r));
        const bool known = std::any_of(entries, entries + used, [&](const EventEntry& e) {
            return e.player == player && e.group == group;
        });
        if (!known && used < kScorerTableEntries) entries[used++] = {player, group};
    });
    return used;
}

// Writes the lines of one side's events into the screen lines from first
// on (at most limit lines); returns how many it wrote.
class SideWriter {
  public:
    SideWriter(int side, int first, int limit) : side_(side), first_(first), limit_(limit) {}
    int Written() const { return written_; }
    bool Full() const { return written_ >= limit_; }
    // Starts a new line in the colour; false when no line is left.
    bool NewLine(int16_t colour) {
        if (Full()) return false;
        HistoryScreenLine& line = HistoryScreen[first_ + written_++];
        (side_ == 0 ? line.homeColour : line.awayColour) = colour;
        return true;
    }
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (written_ == 0) return;
        char piece[160];
        va_list args;
        va_start(args, format);
        std::vsnprintf(piece, sizeof piece, format, args);
        va_end(args);
        HistoryScreenLine& line = HistoryScreen[first_ + written_ - 1];
        if (side_ == 0) {
            AppendText(line.home, sizeof line.home, "%s", piece);
        } else {
            AppendText(line.away, sizeof line.away, "%s", piece);
        }
    }

  private:
    int side_, first_, limit_, written_ = 0;
};

// One scorer's or booked player's events: the name with the first, then
// ", " and each further one; a new line after the 5th and every 9th more.
void WriteRepeatedEntry(SideWriter& out, int16_t fixture, int side, const EventEntry& entry, int16_t colour) {
    int n = 0;
    bool open = false;
    MatchEvents_ForEachOfFixture(fixture, [&](int32_t r) {
        if (MatchEventSide(r) != side || MatchEventPlayer(r) != entry.player) return;
        const int8_t kind = MatchEventKind(r);
        if (GroupOf(kind) != entry.group) return;
        const int minute = MatchEventMinute(r);
        const bool breakLine =
            n == kScorerFirstLineEntries ||
            (n > kScorerFirstLineEntries && (n - kScorerFirstLineEntries) % kScorerMoreLineEntries == 0);
        if (n == 0 || breakLine) open = out.NewLine(colour);
        ++n;
        if (!open) return;
        const bool first = n == 1;
        if (!first && !breakLine) out.Add(", ");
        if (first) {
            const char* name = HVW_GetPlayerShortName(entry.player);
            if (kind == kKindBooking)
                out.Add("%s %s %d", name, GetText(kBookedText), minute);
            else if (kind == kKindPenaltyGoal)
                out.Add("%s %d %s", name, minute, GetText(kTextPenalty));
            else if (kind == kKindOwnGoal)
                out.Add("%s %s %d", name, GetText(kTextOwnGoal), minute);
            else
                out.Add("%s %d", name, minute);
        } else if (kind == kKindPenaltyGoal) {
            out.Add("%d %s", minute, GetText(kTextPenalty));
        } else if (kind == kKindOwnGoal) {
            out.Add("%s %d", GetText(kTextOwnGoal), minute);
        } else {
            out.Add("%d", minute);
        }
    });
}

int WriteSideEvents(int16_t fixture, int side, int first, int limit) {
    EventEntry entries[kScorerTableEntries];
    const int count = CollectEntries(fixture, side, entries);
    SideWriter out(side, first, limit);
    for (int i = 0; i < count; ++i)
        if (entries[i].group == kKindGoal) WriteRepeatedEntry(out, fixture, side, entries[i], kLineColour);
    for (int i = 0; i < count; ++i)
        if (entries[i].group == kKindBooking)
            WriteRepeatedEntry(out, fixture, side, entries[i], kBookingColour);
    for (int i = 0; i < count; ++i) {
        if (entries[i].group != kKindSendingOff) continue;
        const int32_t r = [&] {
            for (int32_t at = MatchEvents_FindNext(fixture, int16_t(side), kKindSendingOff,
                                                   MatchEvents_FindFirst(fixture));
                 at >= 0; at = MatchEvents_FindNext(fixture, int16_t(side), kKindSendingOff, at + 1))
                if (MatchEventPlayer(at) == entries[i].player) return at;
            return int32_t(-1);
        }();
        if (r < 0 || !out.NewLine(kSendingOffColour)) continue;
        out.Add("%s %s %d", HVW_GetPlayerShortName(entries[i].player), GetText(kSentOffText),
                MatchEventMinute(r));
    }
    return out.Written();
}

void FillEventLines(int16_t fixture, int first, int limit) {
    for (int i = 0; i < limit; ++i) HistoryScreen[first + i].eventLine = true;
    const int home = WriteSideEvents(fixture, 0, first, limit);
    const int away = WriteSideEvents(fixture, 1, first, limit);
    // The crowd on the side with fewer lines (the home side when equal).
    const bool onHome = MatchEvents_CountScorerLines(fixture, 0) <= MatchEvents_CountScorerLines(fixture, 1);
    const int at = onHome ? home : away;
    if (at >= limit) return;
    HistoryScreenLine& line = HistoryScreen[first + at];
    const uint32_t crowd = recbits::LoadU32(FixtureTable[fixture].bytes + kFixtureCrowdWord) & kCrowdMask;
    char* text = onHome ? line.home : line.away;
    const size_t size = onHome ? sizeof line.home : sizeof line.away;
    AppendText(text, size, "%s %s", GetText(kTextAttendance), HVW_FormatThousands(int32_t(crowd)));
    (onHome ? line.homeColour : line.awayColour) = kAttendanceColour;
}

// ---- Building the lists ----------------------------------------------------------------

void FindUserFixture() {
    const int16_t user = HVW_GetMyClub();
    g_userFixture = HVW_FindClubFixtureOnDay(user, Today(), 0);
    g_userFixtureType = -1;
    if (g_userFixture < 0) {
        g_userFixture = HVW_FindClubFixtureOnDay(user, Today(), 1);
        if (g_userFixture >= 0) {
            g_userFixtureType = kCompReserveLeague;
            Set(kHistSecondLeagueSet);
        }
    } else {
        g_userFixtureType = FixtureType(g_userFixture);
    }
    S().RefFixture = g_userFixture;
}

void FindAvailablePages(int userCountry) {
    std::fill(std::begin(S().PageAvailable), std::end(S().PageAvailable), uint8_t(0));
    int firstOrdinary = -1;
    bool userHome = false;
    ForEachFixtureToday([&](int16_t slot) {
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        const bool national = IsNationalType(FixtureType(slot));
        if (!national && CountryOf(home) == userCountry) userHome = true;
        for (int k = 0; k < kHistoryPages; ++k) {
            if (PlayedLeagueFlags[k] == 0) continue;
            const bool listed =
                national ? home != k && away != k : CountryOf(home) == k || CountryOf(away) == k;
            if (!listed) continue;
            S().PageAvailable[k] = 1;
            if (!national && firstOrdinary < 0) firstOrdinary = k;
        }
    });
    if (userHome || firstOrdinary < 0) {
        S().Page = int16_t(std::clamp(userCountry, 0, kHistoryPages - 1));
    } else {
        S().Page = int16_t(firstOrdinary);
    }
}

void FirstEntry() {
    SetMenuTitleDate(2);
    HistoryBrowser = HistoryBrowserState{};
    HistoryColumns_Build();
    const int userCountry = CountryOf(HVW_GetMyClub());
    FindUserFixture();
    FindAvailablePages(userCountry);
    S().Row = int8_t(S().Page);
    S().Column = int8_t(HistoryBrowser_ColumnOfFixture(g_userFixture));
    HistoryTopLine = 0;
    Set(kHistRebuildLines | kHistNewPage);
}

// Today's fixtures of the current column, sorted by home name.
void BuildLineList() {
    const HistoryColumnCell* cell = CurrentCell();
    HistoryLineCount = 0;
    if (cell == nullptr) return;
    ForEachFixtureToday([&](int16_t slot) {
        ColumnCode code{};
        if (HistoryLineCount >= kHistoryListEntries || !CodeOnPage(slot, S().Page, &code)) return;
        if (IsOfCell(code, *cell)) HistoryLines[HistoryLineCount++] = {slot, 0, 0};
    });
    // The name lookup answers in a shared buffer: compare copies.
    char names[kHistoryListEntries][64];
    for (int i = 0; i < HistoryLineCount; ++i)
        std::snprintf(names[i], sizeof names[i], "%s", SideName(HistoryLines[i].fixture, 0));
    int order[kHistoryListEntries];
    for (int i = 0; i < HistoryLineCount; ++i) order[i] = i;
    std::stable_sort(order, order + HistoryLineCount,
                     [&](int a, int b) { return std::strcmp(names[a], names[b]) < 0; });
    HistoryLine sorted[kHistoryListEntries];
    for (int i = 0; i < HistoryLineCount; ++i) sorted[i] = HistoryLines[order[i]];
    std::copy(sorted, sorted + HistoryLineCount, HistoryLines);
}

void RebuildLines() {
    Clear(kHistSetAllowedWhenOn | kHistSetAllowedWhenOff | kHistAlt13 | kHistAlt14);
    S().Row = int8_t(std::clamp<int>(S().Page, 0, kHistoryPages - 1));
    HistoryColumnCell* row = Cells();
    int used = 0;
    for (int c = 0; c < kHistoryCells; ++c) {
        row[c].lines = 0;
        if (row[c].league != kNone || row[c].cup != kNone) ++used;
        if (!g_firstPass) row[c].topLine = 0;
    }
    S().ColumnCount = int8_t(used);
    std::fill(std::begin(HistoryLines), std::end(HistoryLines), HistoryLine{kHistoryNoFixture, 0, 0});

    ForEachFixtureToday([&](int16_t slot) {
        ColumnCode code{};
        if (!CodeOnPage(slot, S().Page, &code)) return;
        Set(code.flag);
        for (int c = 0; c < used; ++c) {
            if (!IsOfCell(code, row[c])) continue;
            if (row[c].lines < INT8_MAX) ++row[c].lines;
            break;
        }
    });

    if (Has(kHistNewPage)) {
        const bool ownPage = S().Page == CountryOf(HVW_GetMyClub());
        const bool reserves = g_userFixtureType == kCompReserveLeague;
        const bool second =
            ownPage ? reserves : Has(kHistSetAllowedWhenOff) && (!Has(kHistSetAllowedWhenOn) || reserves);
        if (second)
            Set(kHistSecondLeagueSet);
        else
            Clear(kHistSecondLeagueSet);
        Clear(kHistNewPage);
    }
    if (CurrentCell() == nullptr || CurrentCell()->lines < 1) {
        S().Column = 0;
        for (int c = 0; c < used; ++c) {
            if (row[c].lines > 0) {
                S().Column = int8_t(c);
                break;
            }
        }
    }
    BuildLineList();

    if (g_firstPass) {
        const int16_t user = HVW_GetMyClub();
        for (int i = 0; i < HistoryLineCount; ++i) {
            if (!IsFixtureOfClub(HistoryLines[i].fixture, user)) continue;
            const int after = HistoryLineCount - i;
            const int top = i < kHistoryScreenLines       ? 0
                            : after < kHistoryScreenLines ? HistoryLineCount - kHistoryScreenLines
                                                          : i;
            CurrentCell()->topLine = int8_t(std::clamp(top, 0, kHistoryListEntries));
            break;
        }
    }
    HistoryTopLine = CurrentCell() != nullptr ? CurrentCell()->topLine : 0;
}

// An edited name is used where one was given (not left blank).
bool IsGivenName(const char* name) {
    return name != nullptr && std::any_of(name, name + std::strlen(name), [](char c) { return c != ' '; });
}

// A division's name on the page: its edited name, else its text.
const char* DivisionName(int division) {
    const char* name = HVW_GetDivisionRoundEntry(int16_t(division), S().Page);
    if (IsGivenName(name)) return name;
    return GetText(HVW_GetCompRoundTextId(int16_t(division), S().Page));
}

// A cup's name: its edited name, else the text of its competition code.
const char* CupName(int8_t cup) {
    const char* name = HistoryBrowser_RoundEntry(cup);
    if (IsGivenName(name)) return name;
    int16_t round = -1, leg = -1;
    const int16_t code = cup == kOpenerCupCode ? int16_t(kCompChampionVsCupWinner) : CupCode(cup, 0);
    const int16_t text = HVW_GetCompRoundText(code, &round, &leg, S().Page);
    return GetText(text >= 0 ? text : round);
}

const char* ColumnLabel(const HistoryColumnCell& cell) {
    if (cell.league >= 0 && cell.league < kReserveCodes) return DivisionName(cell.league);
    if (cell.league == kFriendlyCode) return GetText(kFriendliesText);
    if (cell.cup >= 0) return CupName(cell.cup);
    return "";
}

void FillButtons() {
    for (int k = 0; k < kHistoryPages; ++k) g_pageNames[k] = HVW_GetNationName(int16_t(k));
    HistoryButtonCount = 0;
    const HistoryColumnCell* row = Cells();
    const bool second = Has(kHistSecondLeagueSet);
    for (int c = 0; c < UsedCells() && HistoryButtonCount < kHistoryColumnButtons; ++c) {
        const HistoryColumnCell& cell = row[c];
        // The reserve codes and the alternate columns have no button of
        // their own: the league buttons and the alternate button stand for
        // them.
        if (cell.league >= kReserveCodes && cell.league < kFriendlyCode) continue;
        if (cell.league == kInternationalCode || cell.league == kUnder21Code) continue;
        int shown = c;
        if (second && cell.league >= 0 && cell.league < kReserveCodes) {
            shown = FindCell(true, int8_t(cell.league + kReserveCodes), UsedCells());
        }
        int16_t state = kStateEmpty;
        if (shown >= 0)
            state = shown == S().Column ? kStateCurrent : row[shown].lines > 0 ? kStateListed : kStateEmpty;
        const int n = HistoryButtonCount++;
        HistoryButtonLabels[n] = ColumnLabel(cell);
        HistoryButtonStates[n] = state;
        HistoryButtonCells[n] = int8_t(c);
    }
    HistoryLeagueSetText = second ? kLeagueText : kTextReserves;
    HistoryLeagueSetState =
        (second ? Has(kHistSetAllowedWhenOn) : Has(kHistSetAllowedWhenOff)) ? kStateListed : kStateEmpty;
    HistoryAltText = Has(kHistAltShown) ? kUnder21Text : kInternationalsText;
    HistoryAltState = (Has(kHistAltShown) ? Has(kHistAlt14) : Has(kHistAlt13)) ? kStateListed : kStateEmpty;
    g_leagueSetColour = StateColour(HistoryLeagueSetState);
    g_altColour = StateColour(HistoryAltState);
    SetMenuListRows(HistoryButtonCount);
}

void FillHeader() {
    HistoryHeaderLine[0] = '\0';
    g_groupRound = -1;
    if (HistoryTopLine < 0 || HistoryTopLine >= HistoryLineCount) return;
    const int16_t slot = HistoryLines[HistoryTopLine].fixture;
    const int16_t type = FixtureType(slot);
    g_groupRound = GroupRoundOf(type);
    const HistoryColumnCell* cell = CurrentCell();
    const int8_t league = cell != nullptr ? cell->league : kNone;
    if (type >= kCompLeague && type <= kCompPlayOffFinal) {
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s", DivisionName(league));
    } else if (type == kCompReserveLeague) {
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s - %s", GetText(kTextReserves),
                      DivisionName(league - kReserveCodes));
    } else if (IsNationalType(type)) {
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s",
                      GetText(type == kCompNationalTeam ? kInternationalsText : kUnder21Text));
    } else if (type == kCompFriendly) {
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s", GetText(kFriendliesText));
    } else if (g_groupRound >= 0) {
        // The lines name each fixture's group: the header the competition.
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s",
                      HVW_FormatCompetitionName(type, 0, 0, int16_t(S().Page)));
    } else {
        std::snprintf(HistoryHeaderLine, sizeof HistoryHeaderLine, "%s",
                      HVW_FormatCompetitionName(type, 0, 1, int16_t(S().Page)));
        if (HVW_IsSecondLegFixture(slot) != 0) Set(kHistSecondLegs);
    }
}

void FillScreenLines(bool justRebuilt) {
    for (HistoryScreenLine& line : HistoryScreen) {
        line.entry = -1;
        line.eventLine = false;
        line.home[0] = line.away[0] = line.score[0] = line.aggregate[0] = '\0';
        line.homeColour = line.awayColour = kLineColour;
    }
    g_legend[0] = '\0';
    int total = HistoryLineCount;
    for (int e = 0; e < HistoryLineCount; ++e) total += HistoryLines[e].open != 0 ? HistoryLines[e].extra : 0;
    HistoryScreenLineTotal = int16_t(total);
    HistoryPageArrows = 0;
    if (total <= kHistoryScreenLines) {
        HistoryTopLine = 0;
        if (justRebuilt && (uint16_t(MatchDayFlags) & kDayResultsListed) != 0) {
            // The whole day's column fits: open every entry while all fit.
            int lines = 0;
            for (int e = 0; e < HistoryLineCount; ++e)
                lines += 1 + MatchEvents_LinesForFixture(HistoryLines[e].fixture, 1);
            if (lines <= kHistoryScreenLines)
                for (int e = 0; e < HistoryLineCount; ++e) HistoryLine_SetOpen(int16_t(e), 1);
        }
    } else {
        HistoryPageArrows = kPageArrowsIcon;
    }
    FillHeader();
    int line = 0;
    for (int e = std::max<int>(HistoryTopLine, 0); e < HistoryLineCount; ++e) {
        const int need = EntryLines(e);
        if (line + need > kHistoryScreenLines) break;
        HistoryScreen[line].entry = int16_t(e);
        FillFixtureLine(HistoryScreen[line], HistoryLines[e].fixture);
        for (int i = 1; i < need; ++i) HistoryScreen[line + i].entry = int16_t(e);
        if (need > 1) FillEventLines(HistoryLines[e].fixture, line + 1, need - 1);
        line += need;
    }
    for (int i = 0; i < kHistoryScreenLines; ++i) {
        g_homeShown[i] = HistoryScreen[i].home;
        g_awayShown[i] = HistoryScreen[i].away;
        g_scoreShown[i] = HistoryScreen[i].score;
        g_aggregateShown[i] = HistoryScreen[i].aggregate;
        g_homeColour[i] = HistoryScreen[i].homeColour;
        g_awayColour[i] = HistoryScreen[i].awayColour;
    }
}

// ---- Items -------------------------------------------------------------------------------

void DrawColumnButtons(int, int, int, int) {
    for (int i = 0; i < HistoryButtonCount; ++i) {
        SetDrawParam(1, StateColour(HistoryButtonStates[i]));
        DrawLabelledButton(588, 132 + 24 * i, 180, 21, HistoryButtonLabels[i]);
    }
    SetDrawParam(1, 0);
}

int32_t ColumnButton(MenuHotItem* item) {
    if (item == nullptr || item->row >= HistoryButtonCount) return MENU_CONTINUE;
    const HistoryColumnCell& cell = Cells()[HistoryButtonCells[item->row]];
    if (cell.league >= 0 && cell.league < kReserveCodes)
        return HistoryBrowser_ColumnByLeagueCode(cell.league);
    if (cell.league == kFriendlyCode) return HistoryBrowser_ColumnByCode(true, kFriendlyCode);
    return HistoryBrowser_ColumnByCode(false, cell.cup);
}

int32_t LineClick(MenuHotItem* item) {
    return item != nullptr ? HistoryBrowser_ToggleScreenLine(item->row) : MENU_CONTINUE;
}

int32_t PickPage(PopupCallBlock* call) { return HistoryBrowser_ChoosePage(int16_t(call->row)); }

PopupEntry g_pagePopup[kHistoryPages + 2];

void MarkPagePopup(PopupCallBlock*) {
    for (int k = 0; k < kHistoryPages; ++k) {
        PopupEntry& entry = g_pagePopup[k + 1];
        entry.flags =
            uint16_t((S().PageAvailable[k] != 0 ? POPUP_SELECTABLE : 0) | (k == S().Page ? POPUP_MARKED : 0));
    }
}

void BuildPagePopup() {
    g_pagePopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, MarkPagePopup};
    for (int k = 0; k < kHistoryPages; ++k)
        g_pagePopup[k + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0,      0, 0, 0, nullptr,
                              &g_pageNames[k],       PickPage,         nullptr};
    g_pagePopup[kHistoryPages + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    MarkPagePopup(nullptr);
}

void Leave() {
    HistoryLeaveFlag = 1;
    MatchDayFlags |= kDayLeftResults;
    MenuOption = kScreenClubMain;
}

const MenuItem kColumnButtonRow[] = {
    {MI_HOT_RECT, 588, 132, 180, 21, nullptr, ColumnButton},
    kMenuEnd,
};

const MenuItem kLineRow[] = {
    {MI_HOT_RECT, kListLeft, kListTop, kRowWidth, kLineHeight, nullptr, LineClick},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_homeColour, nullptr},
    {MI_STRING_VAR, 206, 142, JUSTIFY_RIGHT_MIDDLE, sizeof(const char*), g_homeShown, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(kLineColour), nullptr},
    {MI_STRING_VAR, 224, 142, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*), g_scoreShown, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_awayColour, nullptr},
    {MI_STRING_VAR, 244, 142, JUSTIFY_LEFT_MIDDLE, sizeof(const char*), g_awayShown, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(kLineColour), nullptr},
    {MI_STRING_VAR, 420, 142, JUSTIFY_RIGHT_MIDDLE, sizeof(const char*), g_aggregateShown, nullptr},
    kMenuEnd,
};

}  // namespace

// ---------------------------------------------------------------------------
// The columns

void HistoryColumns_Build() {
    std::copy(std::begin(kRowZero), std::end(kRowZero), HistoryColumns[0]);
    for (int country = 1; country < kHistoryPages; ++country) {
        HistoryColumnCell* row = HistoryColumns[country];
        std::fill(row, row + kHistoryCells, HistoryColumnCell{kNone, kNone, 0, 0});
    }
    int used[kHistoryPages] = {};
    for (const AuthoredCell& cell : kAuthoredCells) {
        if (cell.country < 1 || cell.country >= kHistoryPages || used[cell.country] >= kHistoryCells)
            continue;
        HistoryColumns[cell.country][used[cell.country]++] = {cell.league, cell.cup, 0, 0};
    }
}

// ---------------------------------------------------------------------------
// Searches

void HistoryLine_SetOpen(int16_t line, int16_t open) {
    if (line < 0 || line >= HistoryLineCount) return;
    HistoryLine& entry = HistoryLines[line];
    if (open == 1) {
        entry.open = 1;
        // At most 19 lines under it: an entry taller than the page could
        // never be shown, and the paging would stall on it.
        entry.extra = uint8_t(
            std::clamp<int>(MatchEvents_LinesForFixture(entry.fixture, 1), 0, kHistoryScreenLines - 1));
    } else {
        entry.open = 0;
        entry.extra = 0;
    }
}

char* HistoryBrowser_RoundEntry(int16_t n) { return HVW_GetCupRoundEntry(n, S().Page); }

int16_t HistoryBrowser_ColumnOfFixture(int16_t fixture) {
    if (fixture < 0 || fixture >= kFixtureSlots) return 0;
    const int16_t type = FixtureType(fixture);
    const int16_t cup = HVW_GetCupIndexForText(type);
    int found = -1;
    if (cup != -2) {
        found = FindCell(false, int8_t(cup));
    } else if (type == kCompChampionVsCupWinner) {
        found = FindCell(false, kOpenerCupCode);
    } else if (type == kCompFriendly) {
        found = FindCell(true, kFriendlyCode);
    } else if (IsNationalType(type)) {
        // National-team days are listed in their own columns, never in a
        // division's.
        found = FindCell(true, type == kCompNationalTeam ? kInternationalCode : kUnder21Code);
    } else {
        // The division of the fixture's own home club, not of the club the
        // user last looked at: that one may play in another division, and
        // the browser would open on a column that does not list the fixture.
        const int16_t home = FixtureHome(fixture);
        const int r = IsClubNumber(home) ? HVW_FindClubInDivisionRows(home) : 0;
        found = FindCell(true, int8_t(type == kCompReserveLeague ? r + kReserveCodes : r));
    }
    return int16_t(std::max(found, 0));
}

int16_t HistoryBrowser_CellOnPage(int16_t fixture, int16_t page) {
    if (fixture < 0 || fixture >= kFixtureSlots || page < 0 || page >= kHistoryPages) return -1;
    ColumnCode code{};
    if (!CodeOnPage(fixture, page, &code)) return -1;
    for (int c = 0; c < kHistoryCells; ++c)
        if (IsOfCell(code, HistoryColumns[page][c])) return int16_t(c);
    return -1;
}

// ---------------------------------------------------------------------------
// Controls

int32_t HistoryBrowser_ToggleScreenLine(int16_t screenLine) {
    int start = 0;
    const int e = EntryOnScreenLine(screenLine, &start);
    if (e < 0) return MENU_CONTINUE;
    HistoryLine& entry = HistoryLines[e];
    if (entry.open != 0) {
        HistoryLine_SetOpen(int16_t(e), 0);
        return MENU_REDRAW;
    }
    HistoryLine_SetOpen(int16_t(e), 1);
    const int d = start + entry.extra - (kHistoryScreenLines - 1);
    if (d > 0) {
        // Scroll so that the opened entry's lines are on the page, never
        // past the entry itself.
        int moved = 0, line = 0;
        for (int at = HistoryTopLine; at < e && line < d; ++at) {
            line += EntryLines(at);
            ++moved;
        }
        HistoryTopLine = int16_t(HistoryTopLine + moved);
    }
    return MENU_REDRAW;
}

int32_t HistoryBrowser_ChoosePage(int16_t page) {
    if (page < 0 || page >= kHistoryPages || S().PageAvailable[page] == 0) return MENU_CONTINUE;
    if (S().Page == page) return MENU_CONTINUE;
    S().Page = page;
    Set(kHistRebuildLines | kHistNewPage);
    return MENU_REDRAW;
}

int32_t HistoryBrowser_ColumnByCode(bool league, int8_t code) {
    const int c = FindCell(league, code, UsedCells());
    if (c < 0 || Cells()[c].lines < 1) return MENU_CONTINUE;
    if (c != S().Column) Set(kHistRebuildLines);
    S().Column = int8_t(c);
    Clear(kHistSecondLeagueSet);
    return MENU_REDRAW;
}

int32_t HistoryBrowser_ColumnByLeagueCode(int8_t division) {
    if (division < 0 || division >= kReserveCodes) return MENU_CONTINUE;
    const int8_t code = Has(kHistSecondLeagueSet) ? int8_t(division + kReserveCodes) : division;
    const int c = FindCell(true, code, UsedCells());
    if (c < 0 || Cells()[c].lines < 1) return MENU_CONTINUE;
    if (c == S().Column) return MENU_REDRAW;
    S().Column = int8_t(c);
    Set(kHistRebuildLines);
    return MENU_REDRAW;
}

int32_t HistoryBrowser_AlternateColumn(MenuHotItem*) {
    const bool shown = Has(kHistAltShown);
    if (!((!shown && Has(kHistAlt13)) || (shown && Has(kHistAlt14)))) return MENU_CONTINUE;
    const int8_t code = !shown ? kInternationalCode : kUnder21Code;
    for (int c = 0; c < UsedCells(); ++c) {
        if (Cells()[c].league != code || Cells()[c].lines < 1) continue;
        S().Column = int8_t(c);
        S().Flags = uint16_t(S().Flags ^ kHistAltShown);
        Set(kHistRebuildLines);
        return MENU_REDRAW;
    }
    return MENU_CONTINUE;
}

int32_t HistoryBrowser_ToggleLeagueSet(MenuHotItem*) {
    const bool second = Has(kHistSecondLeagueSet);
    if (!((second && Has(kHistSetAllowedWhenOn)) || (!second && Has(kHistSetAllowedWhenOff))))
        return MENU_CONTINUE;
    const HistoryColumnCell* cell = CurrentCell();
    const int c0 = cell != nullptr ? cell->league : kNone;
    const bool fromReserves = c0 >= kReserveCodes && c0 < kFriendlyCode;
    const int otherLow = fromReserves ? 0 : kReserveCodes;
    const auto listed = [&](int code) {
        for (int c = 0; c < UsedCells(); ++c)
            if (Cells()[c].league == code && Cells()[c].lines > 0) return c;
        return -1;
    };
    int found = -1;
    if (c0 >= 0 && c0 < kFriendlyCode) found = listed(fromReserves ? c0 - kReserveCodes : c0 + kReserveCodes);
    if (found < 0) found = listed(HVW_FindClubInDivisionRows(HVW_GetMyClub()) + otherLow);
    for (int c = 0; found < 0 && c < UsedCells(); ++c) {
        const int code = Cells()[c].league;
        if (code >= otherLow && code < otherLow + kReserveCodes && Cells()[c].lines > 0) found = c;
    }
    if (found < 0 && fromReserves) {
        const int c = HistoryBrowser_ColumnOfFixture(S().RefFixture);
        if (Cells()[c].lines > 0) found = c;
    }
    if (found < 0) return MENU_CONTINUE;
    S().Flags = uint16_t(S().Flags ^ kHistSecondLeagueSet);
    S().Column = int8_t(found);
    Set(kHistRebuildLines);
    return MENU_REDRAW;
}

int32_t HistoryBrowser_PageUp(MenuHotItem*) {
    if (HistoryTopLine < 1) return MENU_CONTINUE;
    int lines = 0, top = HistoryTopLine;
    for (int e = std::min<int>(HistoryTopLine, HistoryLineCount) - 1; e >= 0; --e) {
        lines += EntryLines(e);
        if (lines > kHistoryScreenLines) break;
        top = e;
    }
    HistoryTopLine = int16_t(top);
    return MENU_REDRAW;
}

// The next page opens while entries lie past the ones shown, counted by the
// lines they take: with open entries fewer than 20 entries fill the page,
// and a count of 20 entries would leave the rest of the list out of reach.
int32_t HistoryBrowser_PageDown(MenuHotItem*) {
    const int shown = EntriesFitting(HistoryTopLine);
    const int next = HistoryTopLine + shown;
    if (shown < 1 || next >= HistoryLineCount) return MENU_CONTINUE;
    const int nextShown = EntriesFitting(next);
    // Step back from the next page's last entry while the lines fit, so a
    // last page is always full.
    int top = next + nextShown - 1, lines = EntryLines(top);
    while (top - 1 >= 0 && lines + EntryLines(top - 1) <= kHistoryScreenLines) lines += EntryLines(--top);
    HistoryTopLine = int16_t(std::max(top, HistoryTopLine + 1));
    return MENU_REDRAW;
}

void HistoryBrowser_DrawMarker(int, int, int, int) {
    const uint16_t colour = DrawColour;
    const int width = Has(kHistSecondLegs) ? kWideRowWidth : kRowWidth;
    SetDrawParam(2, kMarkerColour);
    DrawShadedRect(kListLeft, 106, width, 24, 75);
    int line = 0;
    for (int e = std::max<int>(HistoryTopLine, 0); e < HistoryLineCount; ++e) {
        const int need = EntryLines(e);
        if (line + need > kHistoryScreenLines) break;
        const int shade = e % 2 != 0 ? 50 : 75;
        DrawShadedRect(kListLeft, kListTop + kLineHeight * line, width, kLineHeight, shade);
        if (need > 1)
            DrawShadedRect(kListLeft, kListTop + kLineHeight * (line + 1), width, kLineHeight * (need - 1),
                           shade);
        line += need;
    }
    SetDrawParam(2, colour);
}

int32_t HistoryBrowser_Leave(MenuHotItem*) {
    HistoryLeaveFlag = 1;
    return MENU_CLOSE;
}

int32_t HistoryBrowser_LeaveToClub(MenuHotItem*) {
    Leave();
    SavedGoalCount = 0;
    return MENU_CLOSE;
}

int32_t HistoryBrowser_LeaveAndClearGoals(MenuHotItem*) {
    DeleteGoalReplayFiles();
    GoalReplayNumber = 0;
    Leave();
    return MENU_CLOSE;
}

// ---------------------------------------------------------------------------
// The screen

void HistoryMenuProc() {
    Clear(kHistSecondLegs);
    g_firstPass = IsMenuFirstEntry() != 0;
    if (g_firstPass) {
        FirstEntry();
        BuildPagePopup();
    }
    const bool rebuild = Has(kHistRebuildLines);
    if (rebuild) {
        RebuildLines();
        Clear(kHistRebuildLines);
    }
    FillButtons();
    FillScreenLines(rebuild);
    MarkPagePopup(nullptr);
    g_firstPass = false;
}

void RunHistoryBrowser(int16_t titleText, uint16_t openedFromContinue) {
    HistoryTitleText = titleText;
    HistoryOpenedFromContinue = openedFromContinue;
    HistoryLeaveFlag = 0;
    RunMenuSet(HistoryBrowserTable);
}

const MenuItem HistoryBrowserTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(HistoryMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(HistoryBrowser_DrawMarker), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &HistoryTitleText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 222, 118, 10, 4, &g_headerShown, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 588, 108, 180, 21, MenuValue(kTextCountry), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_pagePopup, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawColumnButtons), nullptr},
    {MI_GROUP, 0, 0, 0, 24, kColumnButtonRow, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_leagueSetColour, nullptr},
    {MI_BUTTON_TEXT_VAR, 588, 444, 180, 21, &HistoryLeagueSetText, HistoryBrowser_ToggleLeagueSet},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_altColour, nullptr},
    {MI_BUTTON_TEXT_VAR, 588, 468, 180, 21, &HistoryAltText, HistoryBrowser_AlternateColumn},
    {MI_GROUP, 0, 0, kHistoryScreenLines, kLineHeight, kLineRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 232, 545, 10, 0, &g_legendShown, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kLeaveIcon), HistoryBrowser_LeaveToClub},
    // The second way out stands under the first, as one back icon.
    {MI_ICON, 743, 559, 5, 0, MenuValue(kLeaveIcon), HistoryBrowser_LeaveAndClearGoals},
    {MI_ICON_VAR, 20, 559, 5, 2, &HistoryPageArrows, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, HistoryBrowser_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, HistoryBrowser_PageDown},
    kMenuEnd,
};

// ---------------------------------------------------------------------------
// The companion screen

void HistoryCompanionProc() {
    if (IsMenuFirstEntry() == 0) return;
    std::fill(std::begin(HistoryCompanionSlots), std::end(HistoryCompanionSlots), int16_t(-1));
}

int32_t HistoryCompanion_Quit(MenuHotItem*) {
    MenuOption = kScreenQuit;
    return MENU_CLOSE;
}

int32_t HistoryCompanion_ToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem HistoryCompanionTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(HistoryCompanionProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(0), HistoryCompanion_Quit},
    {MI_ICON, 743, 559, 5, 0, MenuValue(kLeaveIcon), HistoryCompanion_ToClub},
    kMenuEnd,
};
