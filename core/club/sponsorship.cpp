#include "core/club/sponsorship.h"

#include <algorithm>

#include "core/base/debug.h"
#include "core/club/board.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int kNations = 9;
constexpr int kDivisions = 6;

constexpr int32_t kSponsorshipTable[kNations][kDivisions] = {
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 1000000, 1000000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 500000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
};

// Rows for standing classes 0..2, 3..5 and 6..8.
constexpr int32_t kDeduction[3][kDivisions] = {
    {3000000, 1000000, 500000, 250000, 100000, 50000},
    {2000000, 500000, 250000, 100000, 50000, 15000},
    {0, 0, 0, 0, 0, 0},
};

constexpr uint32_t kNoPlayerArg = 0xFFFFFFFFu;
// Below this many matches played anywhere a season's form means nothing yet.
constexpr int kFormMinimumMatches = 6;
constexpr int16_t kFormUnknown = 30;

// A percentage share turned into -40..160: 20 percent counts as nothing.
int ShareScore(int part, int whole) { return whole == 0 ? 0 : (part * 100 / whole - 20) * 2; }

bool IsJudgedClub(int16_t club) {
    return GetClubRep(club) != 0 && IsPlayedLeagueNation(GetClubNation(club)) &&
           GetClubDivision(club) < kDivisions;
}

}  // namespace

int32_t GetSponsorshipAmount(int16_t nation, uint16_t standingClass, int16_t division) {
    if (standingClass >= 9) FatalError("invalid team expectation passed in for sponsorship board");
    // Clubs outside the played leagues have no sponsorship table entry.
    if (nation < 0 || nation >= kNations || division < 0 || division >= kDivisions) return 0;
    return kSponsorshipTable[nation][division] - kDeduction[standingClass / 3][division];
}

int16_t SeasonFormScore(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    int played = 0;
    ClubResultTally tally;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (FixtureDay(slot) >= today || FixtureType(slot) >= kCompFriendly) continue;
        ++played;
        TallyClubResult(tally, club, slot);
    }
    const auto [won, drawn, lost, goalsFor, goalsAgainst] = tally;
    if (played < kFormMinimumMatches) return kFormUnknown;
    const int goals = ShareScore(goalsFor, goalsFor + goalsAgainst);
    const int results = ShareScore(won, won + drawn + lost);
    const int modesty = ((63 - int(GetClubRep(club))) * 100 / 63) / 2;
    const int sum = std::min(results + goals + modesty, 400);
    return int16_t(std::max(sum * 60 / 400, 0));
}

void PaySeasonSponsorship() {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsJudgedClub(club)) continue;
        CurrentClubManager = FindClubManager(club);
        const int total = SeasonFormScore(club) + BoardScoreFinance(club) + BoardScorePerformance(club);
        const int16_t nation = int16_t(GetClubNation(club)), division = int16_t(GetClubDivision(club));
        const uint16_t standing = uint16_t(HVW_GetClubStandingClass(club));
        const int32_t payment = GetSponsorshipAmount(nation, standing, division) / 200 * total;
        const int place = HVW_GetClubTablePosition(club), expected = GetClubBaseRep(club);
        if (place <= expected) {
            if (week >= 0 && week < kFinanceWeeks) {
                SetClubWeeksSponsorship(club, GetClubWeeksSponsorship(club, week) + payment, week);
            }
            SetClubSeasonSponsorship(club, GetClubSeasonSponsorship(club) + payment);
            AddClubBalance(club, payment);
            AddMessage(club, -1, kNoPlayerArg, kNoPlayerArg, -1, -1, payment, -1, -1, -1, -1, kMsgSponsorship,
                       1, 0);
        } else if (CurrentClubManager != kNoManager && IsPlayerNumber(CurrentClubManager)) {
            const int missed = place - expected;
            SetPlayerReputation(CurrentClubManager,
                                int16_t(std::max(int(GetPlayerReputation(CurrentClubManager)) - missed, 0)));
        }
    }
}

namespace {

constexpr int kFirstSeasonYear = 2002;

// The place (0 = top) in the nation's combined league table at which the
// club ended last season: the season-end record keeps it counted from 1.
int LastSeasonPlace(int16_t club) { return int(GetClubCoach(club, 0, 0)) - 1; }

int ExpectedPlace(int16_t club) {
    const int16_t nation = int16_t(GetClubNation(club));
    const int division = GetClubDivision(club);
    // The club's division as a band of places in the nation's ladder.
    int first = 0, count = 0;
    const int divisions = HVW_CountCompRounds(nation);
    for (int d = 0; d < divisions; ++d) {
        count = HVW_GetCompRoundWord(int16_t(d), nation);
        if (d == division) break;
        first += count;
    }
    const int last = first + count - 1, middle = first + count / 2, half = count / 2;
    const int pos = HVW_GetClubReputationPos(club, nation);
    if (SeasonCalendar.year > kFirstSeasonYear) {
        const int lastSeason = LastSeasonPlace(club);
        if (lastSeason > last) return pos < first + 4 ? half : count;                // promoted
        if (lastSeason < first) return pos <= middle && pos < first + 4 ? 1 : half;  // relegated
        if (pos < first) return lastSeason <= middle ? 1 : half;
        if (pos > last) return count;
        return pos - first;
    }
    if (pos < first) return 1;
    if (pos > last) return count;
    return pos - first;
}

}  // namespace

void ComputeClubBaseRep(int16_t club) {
    if (!IsClubNumber(club) || !IsJudgedClub(club)) {
        DebugLog(DEBUG_GENERAL, 1, "ComputeClubBaseRep Error: club '%d' is not in a played league\n",
                 int(club));
        return;
    }
    SetClubBaseRep(club, int16_t(ExpectedPlace(club)));
}

void UpdateAllClubsBaseRep() {
    // The expected places do not read the strength ranking, nor does
    // setting one change it: one rebuild for the whole pass.
    RankClubsByStrength();
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (IsJudgedClub(club)) ComputeClubBaseRep(club);
    }
}
