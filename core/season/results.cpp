#include "core/season/results.h"

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/query/competitionnames.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/clubseason.h"
#include "core/season/cupdays.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/seasonend.h"

const int16_t PlayOffTarget[kCountryCount][kDivisionCount] = {
    {0, 0, 1, 2, 3, 0},
    {},
    {0, 0, 1, 1, 0, 0},
};

namespace {

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
        AddClubHistoryEntry(0, winner, 0, uint16_t(target), kClubHistoryPromoted);
    } else if (winnerDivision > loserDivision) {
        MoveAfterPlayOff(winner, winnerDivision - 1, kClubHistoryPromoted);
        MoveAfterPlayOff(loser, loserDivision + 1, kClubHistoryRelegated);
        GiveSquadReward(winner, kPlayOffSquadReward);
        GiveSquadReward(loser, 1);
        Post(kMsgPlayOffPromotion, winner);
        Post(kMsgRelegated, loser);
        ApplyRelegationReleaseClauses(loser);
    }
}

namespace {

int WinPoints(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    const int country = GetClubNation(club), division = GetClubDivision(club);
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) return 0;
    return DivisionMatchRules[country][division][kRuleWinPoints];
}

// The first code and honours kind of each cup.
struct CupCodes {
    int16_t firstCode, honoursKind;
};
constexpr CupCodes kCupCodes[kCupCount] = {{5, 9},   {21, 11}, {37, 13}, {53, 15},
                                           {69, 17}, {85, 19}, {101, 21}};

constexpr int16_t kHonourSeasonMatch = 23;

}  // namespace

void RecordLeagueResult(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot) || !IsFixturePlayed(slot)) return;
    const int16_t type = FixtureType(slot);
    if (type != kCompLeague && type != kCompReserveLeague) return;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    if (!IsClubNumber(home) || !IsClubNumber(away)) return;
    ClubSeasonRecord* records = type == kCompLeague ? LeagueSeasonRecords : ReserveSeasonRecords;
    int16_t* h = records[home].words;
    int16_t* a = records[away].words;
    const uint32_t score = FixtureScore(slot);
    const int homeGoals = int(score & kFixtureGoalsMask), awayGoals = int((score >> 5) & kFixtureGoalsMask);
    ++h[kSeasonPlayed];
    ++a[kSeasonPlayed];
    h[kSeasonHomeFor] = int16_t(h[kSeasonHomeFor] + homeGoals);
    h[kSeasonHomeAgainst] = int16_t(h[kSeasonHomeAgainst] + awayGoals);
    a[kSeasonAwayFor] = int16_t(a[kSeasonAwayFor] + awayGoals);
    a[kSeasonAwayAgainst] = int16_t(a[kSeasonAwayAgainst] + homeGoals);
    if (homeGoals == awayGoals) {
        ++h[kSeasonPoints];
        ++a[kSeasonPoints];
        ++h[kSeasonHomeDrawn];
        ++a[kSeasonAwayDrawn];
    } else if (homeGoals > awayGoals) {
        ++h[kSeasonHomeWon];
        h[kSeasonPoints] = int16_t(h[kSeasonPoints] + WinPoints(home));
        ++a[kSeasonAwayLost];
    } else {
        ++h[kSeasonHomeLost];
        ++a[kSeasonAwayWon];
        a[kSeasonPoints] = int16_t(a[kSeasonPoints] + WinPoints(away));
    }
}

void AdvanceCupWinner(const MatchResultBlock&, int16_t slot, int16_t winner) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return;
    const int16_t code = FixtureType(slot);
    if (code < kCompFirstNationalCup || code > kCompLastCup) return;
    const int k = (code - kCompFirstNationalCup) / kCodesPerCup;
    const int roundCode = (code - kCompFirstNationalCup) % kCodesPerCup;
    const int r = roundCode % kSecondMatchCodes;
    int country = 0;
    if (k < kFirstEuropeanCup) {
        const int16_t home = FixtureHome(slot);
        country = IsClubNumber(home) ? int(GetClubNation(home)) : 0;
        if (!IsCountryNumber(country)) country = 0;
    }
    const int mode = int8_t(CupRoundRules.bytes[country][k][r][kCupMatchMode]);
    const bool secondMatch = roundCode >= kSecondMatchCodes;
    // The first leg of two and a group match settle no tie.
    if (!secondMatch && (mode == 2 || mode == 3)) return;
    ProcessCupTieResult(slot, winner, kCupCodes[k].firstCode, kCupCodes[k].honoursKind);
}

void BookMatchResult(const MatchResultBlock& result, int16_t slot, int16_t awayGoalsRule) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return;
    const int16_t type = FixtureType(slot);
    if (type == kCompLeague || type == kCompReserveLeague) return RecordLeagueResult(slot);
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const int16_t winner = TieWinner(result, slot, awayGoalsRule);
    const int16_t loser = winner == -1 ? int16_t(-1) : winner == home ? away : home;
    const int country = IsClubNumber(home) ? int(GetClubNation(home)) : -1;
    if (type == kCompPlayOffSecond || type == kCompPlayOffFirst) {
        bool singleMatches = false;
        if (IsCountryNumber(country)) {
            for (int16_t kind : PlayOffKinds[country]) singleMatches = singleMatches || kind == 2;
        }
        if (type == kCompPlayOffSecond || singleMatches) ClearPlayOffLoser(int16_t(country), loser);
    } else if (type == kCompPlayOffFinal) {
        ResolvePlayOff(result, slot, awayGoalsRule);
    } else if (type == kCompChampionVsCupWinner) {
        if (winner != -1) AwardCupWinner(winner, kHonourSeasonMatch);
    } else if (type >= kCompFirstNationalCup && type <= kCompLastCup) {
        AdvanceCupWinner(result, slot, winner);
    }
}
