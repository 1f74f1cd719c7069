// The preview block: prepared on the day before the user's ordinary
// fixture for the match preview page.
#include "game/screens/matchday/matchpreview.h"

#include <algorithm>
#include <cstdio>

#include "core/query/forwarders.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/playedleagues.h"
#include "core/season/racestory.h"
#include "core/season/reportfacts.h"
#include "game/screens/matchday/matchdaynews.h"

PreviewBlockData PreviewBlock;

namespace {

constexpr int kMinWholeTable = 12;
constexpr int16_t kGroupCup = 6;

int16_t Today() { return SeasonCalendar.currentDay; }

const char* NameOf(int16_t club) { return IsClubNumber(club) ? HVW_GetClubName(club) : ""; }

// Rows of a top or bottom candidate c of its own table.
int16_t OwnRows(int c, int third, int half) {
    if (c < 4) return 4;
    if (c <= third) return int16_t(third);
    return int16_t(half);
}

// Rows from the larger of two candidates of one half of a shared table.
int16_t SharedHalfRows(int a, int b, int third, int half) {
    if (third <= 4) return int16_t(half);
    const int m = std::max(a, b);
    if (m < 3) return 4;
    if (m <= third) return int16_t(third);
    return int16_t(half);
}

int16_t NearRows(int c, int third) { return c < 3 ? int16_t(4) : int16_t(third); }

bool InTopHalf(const ExtractSide& s) { return s.position < s.clubs / 2; }
// The candidate: p + 1 rows from the top in the top half, n - p from the
// bottom otherwise.
int Candidate(const ExtractSide& s) { return InTopHalf(s) ? s.position + 1 : s.clubs - s.position; }

void PlanOwn(const ExtractSide& s, int16_t sideIndex, ExtractPlan& plan, int at) {
    plan.side[at] = sideIndex;
    const int n = s.clubs, third = n / 3, half = n / 2;
    if (n < kMinWholeTable) {
        plan.topRows[at] = int16_t(n);
        return;
    }
    const int16_t rows = OwnRows(Candidate(s), third, half);
    (InTopHalf(s) ? plan.topRows[at] : plan.bottomRows[at]) = rows;
}

void PlanShared(const ExtractSide& home, const ExtractSide& away, ExtractPlan& plan) {
    plan.side[0] = 0;
    const int n = home.clubs, half = n / 2, third = n / 3;
    if (n < kMinWholeTable) return;
    const bool homeTop = InTopHalf(home), awayTop = InTopHalf(away);
    const int hc = Candidate(home), ac = Candidate(away);
    if (homeTop && awayTop) {
        plan.topRows[0] = SharedHalfRows(hc, ac, third, half);
    } else if (!homeTop && !awayTop) {
        plan.bottomRows[0] = SharedHalfRows(hc, ac, third, half);
    } else if (third <= 4) {
        plan.topRows[0] = int16_t(n);
    } else if (homeTop && hc <= third && ac <= third) {
        plan.topRows[0] = NearRows(hc, third);
        plan.bottomRows[0] = NearRows(ac, third);
    } else if (awayTop && ac <= third && hc <= third) {
        plan.topRows[0] = NearRows(ac, third);
        plan.bottomRows[0] = NearRows(hc, third);
    } else {
        plan.topRows[0] = int16_t(n);
    }
}

ExtractSide SideOf(int16_t club) {
    ExtractSide s{false, -1, -1, 0, 0};
    if (!IsClubNumber(club)) return s;
    s.nation = int16_t(GetClubNation(club));
    s.division = int16_t(HVW_FindClubInDivisionRows(club));
    if (!IsCountryNumber(s.nation) || s.division < 0 || s.division >= HVW_CountCompRounds2(s.nation))
        return s;
    int16_t played = 0, points = 0, place = 0;
    HVW_GetClubSeasonTotals(club, &played, &points, &place);
    s.shown = PlayedLeagueFlags[s.nation] != 0 && played > 0;
    s.clubs = HVW_GetCompRoundWord(s.division, s.nation);
    s.position = HVW_GetClubTablePosition(club);
    return s;
}

void FillRow(TableExtractRow& row, int16_t club, int16_t home, int16_t away) {
    int16_t played = 0, points = 0, place = 0;
    HVW_GetClubSeasonTotals(club, &played, &points, &place);
    row = {club, played, points, place, uint8_t(club == home || club == away ? 1 : 0)};
}

void FillExtract(int at, int16_t club, const ExtractPlan& plan, int16_t home, int16_t away) {
    TableExtractPair& pair = PreviewBlock.extracts[at];
    MatchDay_FillTableExtract(pair, club, plan.topRows[at], plan.bottomRows[at], home, away);
    const int n = SideOf(club).clubs;
    const int top = std::clamp<int>(plan.topRows[at], 0, std::min(n, kTableExtractRows));
    const int bottom = std::clamp<int>(plan.bottomRows[at], 0, std::min(n, kTableExtractRows) - top);
    const int8_t first = int8_t(top - 1);
    PreviewBlock.ranges[2 * at] = first;
    PreviewBlock.ranges[2 * at + 1] = int8_t(bottom + first);
    PreviewBlock.extractClub[at] = club;
}

void PrepareLeaders(int16_t user) {
    const int16_t nation = int16_t(GetClubNation(user));
    const int16_t division = int16_t(HVW_FindClubInDivisionRows(user));
    for (int16_t k = 0; k < 4; ++k) PreviewBlock.leaders[k] = DivisionLeader(nation, division, k);
}

void PrepareExtracts(int16_t slot) {
    for (int8_t& r : PreviewBlock.ranges) r = -1;
    PreviewBlock.extractClub[0] = PreviewBlock.extractClub[1] = -1;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const ExtractPlan plan = MatchDay_PlanTableExtract(slot);
    if (plan.side[0] < 0) return;
    for (TableExtractPair& pair : PreviewBlock.extracts) PreviewPanel_ClearExtracts(pair);
    for (int at = 0; at < 2; ++at) {
        if (plan.side[at] < 0) continue;
        FillExtract(at, plan.side[at] == 0 ? home : away, plan, home, away);
    }
}

}  // namespace

ExtractPlan MatchDay_PlanExtractRows(const ExtractSide& home, const ExtractSide& away) {
    ExtractPlan plan{{0, 0}, {0, 0}, {-1, -1}};
    if (!home.shown && !away.shown) return plan;
    if (home.shown && away.shown && home.nation == away.nation && home.division == away.division) {
        PlanShared(home, away, plan);
        return plan;
    }
    int at = 0;
    if (home.shown) PlanOwn(home, 0, plan, at++);
    if (away.shown) PlanOwn(away, 1, plan, at);
    return plan;
}

ExtractPlan MatchDay_PlanTableExtract(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return {{0, 0}, {0, 0}, {-1, -1}};
    return MatchDay_PlanExtractRows(SideOf(FixtureHome(slot)), SideOf(FixtureAway(slot)));
}

void MatchDay_FillTableExtract(TableExtractPair& pair, int16_t club, int16_t topRows, int16_t bottomRows,
                               int16_t home, int16_t away) {
    PreviewPanel_ClearExtracts(pair);
    const ExtractSide s = SideOf(club);
    if (s.nation < 0 || s.division < 0) return;
    // A division of more clubs than an excerpt holds is cut, never overrun.
    const int n = std::min<int>(s.clubs, kTableExtractRows);
    const int top = std::clamp<int>(topRows, 0, n);
    const int bottom = std::clamp<int>(bottomRows, 0, n - top);
    for (int i = 0; i < top; ++i) {
        const int16_t c = LeagueTable[s.nation][s.division][i];
        if (IsClubNumber(c)) FillRow(pair.top[i], c, home, away);
    }
    for (int i = 0; i < bottom; ++i) {
        const int16_t c = LeagueTable[s.nation][s.division][n - bottom + i];
        if (IsClubNumber(c)) FillRow(pair.bottom[i], c, home, away);
    }
}

void MatchDay_PreparePreview() {
    const int16_t user = HVW_GetMyClub();
    const int16_t slot = HVW_FindClubFixtureOnDayByKind(user, Today(), 0);
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    for (int side = 0; side < 2; ++side)
        std::snprintf(PreviewBlock.names[side], sizeof PreviewBlock.names[side], "%s",
                      NameOf(side == 0 ? home : away));
    FixtureTitleLines(slot, PreviewBlock.titles[0], PreviewBlock.titles[1]);
    const int16_t type = FixtureType(slot);
    if (type == kCompLeague) {
        PreviewBlock.positionByte = GetDivisionRaceStoryCode(user, slot);
        PreviewBlock.secondByte = int8_t(ClassifyClubSeason(user, slot));
    } else if (HVW_GetCupIndex(type) == kGroupCup) {
        PreviewBlock.positionByte = int8_t(GetGroupStageStoryCode(user, slot));
    }
    PrepareLeaders(user);
    PrepareExtracts(slot);
    const int16_t round = HVW_GetCupRoundIndex(type);
    PreviewPanel_SetGroupEntries(slot, round == 1 ? int16_t(1) : int16_t(0));
}
