#include "season/results.h"

#include "database/Access.h"
#include "database/history.h"
#include "database/query/funcs_comp.h"
#include "database/ranges.h"
#include "match/matchresult.h"
#include "season/fixtures.h"
#include "season/messages.h"
#include "season/seasonend.h"
#include "support/bytes.h"

const int16_t PlayOffTarget[kCountryCount][kDivisionCount] = {
    {0, 0, 1, 2, 3, 0},
    {},
    {0, 0, 1, 1, 0, 0},
};

namespace {

constexpr int16_t kMsgPlayOffPromotion = 43;
constexpr int16_t kMsgRelegated = 45;
constexpr int16_t kHistoryPromoted = 8;
constexpr int16_t kHistoryRelegated = 9;
constexpr int16_t kPlayOffSquadReward = 3;

int Goals(const MatchResultBlock& result, int team) {
    return recbits::LoadU16(result.teams[team].bytes + kReportGoals);
}
int ShootOutGoals(const MatchResultBlock& result, int team) {
    return recbits::LoadU16(result.teams[team].bytes + kReportShootOutGoals);
}

// The first match of the tie: the fixture of the given type with the clubs
// the other way round; -1 when there is none.
int FirstLegOf(int16_t type, int16_t home, int16_t away) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) == type && FixtureHome(slot) == away && FixtureAway(slot) == home) return slot;
    }
    return -1;
}

void Post(int16_t type, int16_t club) {
    AddMessage(club, -1, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, -1, -1, -1, -1, type, 1, 0);
}

void MoveAfterPlayOff(int16_t club, int division, int16_t historyKind) {
    SetClubDivision(club, int16_t(division));
    AddClubHistoryEntry(0, club, 0, uint16_t(division), historyKind);
}

}  // namespace

int16_t TieWinner(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return -1;
    const int16_t type = FixtureType(slot);
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    int first = -1;
    if (type == kCompPlayOffSecond)
        first = FirstLegOf(kCompPlayOffFirst, home, away);
    else if (HVW_IsSecondLegFixture(slot))
        first = FirstLegOf(int16_t(type - kSecondMatchCodes), home, away);
    // Goals the home club scored away in the first leg, and the away club's
    // there at home; an unplayed first leg counts nothing.
    int homeAwayGoals = 0, awayHomeGoals = 0;
    if (first >= 0 && IsFixturePlayed(first)) {
        const uint32_t score = FixtureScore(first);
        awayHomeGoals = int(score & kFixtureGoalsMask);
        homeAwayGoals = int((score >> 5) & kFixtureGoalsMask);
    }
    const int homeGoals = Goals(result, 0), awayGoals = Goals(result, 1);
    const int homeTotal = homeGoals + homeAwayGoals, awayTotal = awayGoals + awayHomeGoals;
    if (homeTotal > awayTotal) return home;
    if (awayTotal > homeTotal) return away;
    // Away goals settle only a tie of two legs: a single match level after
    // its own goals has no away side to favour.
    if (awayGoalsRule != 0 && first >= 0) {
        if (homeAwayGoals > awayGoals) return home;
        if (homeAwayGoals < awayGoals) return away;
    }
    const int homeShootOut = ShootOutGoals(result, 0), awayShootOut = ShootOutGoals(result, 1);
    if (homeShootOut + awayShootOut > 0) return homeShootOut > awayShootOut ? home : away;
    return -1;
}

void ClearPlayOffLoser(int16_t country, int16_t loser) {
    if (!IsCountryNumber(country) || !IsClubNumber(loser)) return;
    for (auto& division : PlayOffEntrants[country]) {
        for (int16_t& entrant : division) {
            if (entrant == loser) entrant = -1;
        }
    }
}

void ResolvePlayOff(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    if (!IsClubNumber(home) || !IsClubNumber(away)) return;
    const int country = GetClubNation(home);
    if (!IsCountryNumber(country)) return;
    const int16_t winner = TieWinner(result, slot, awayGoalsRule);
    if (winner < 0) return;
    const int16_t loser = winner == home ? away : home;
    const int winnerDivision = GetClubDivision(winner), loserDivision = GetClubDivision(loser);
    if (!IsDivisionNumber(winnerDivision)) return;
    if (winnerDivision == loserDivision) {
        const int target = PlayOffTarget[country][winnerDivision];
        SetClubDivision(winner, int16_t(target));
        GiveSquadReward(winner, kPlayOffSquadReward);
        Post(kMsgPlayOffPromotion, winner);
        AddClubHistoryEntry(0, winner, 0, uint16_t(target), kHistoryPromoted);
    } else if (winnerDivision > loserDivision) {
        MoveAfterPlayOff(winner, winnerDivision - 1, kHistoryPromoted);
        MoveAfterPlayOff(loser, loserDivision + 1, kHistoryRelegated);
        GiveSquadReward(winner, kPlayOffSquadReward);
        GiveSquadReward(loser, 1);
        Post(kMsgPlayOffPromotion, winner);
        Post(kMsgRelegated, loser);
        ApplyRelegationReleaseClauses(loser);
    }
}
