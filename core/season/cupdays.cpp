#include "core/season/cupdays.h"

#include "core/base/bytes.h"
#include "core/records/ranges.h"
#include "core/season/competitions.h"

namespace {

constexpr int kEntryBytes = 2 * kDrawEntryWords;
static_assert(sizeof CompetitionTable ==
              size_t(kCountryCount) * kCupCount * kCupRounds * kDrawEntries * kEntryBytes);
static_assert(sizeof ClubCompetitionTable[0] == size_t(kCountryCount) * kCupCount * 2);

bool InDrawTable(int nation, int cup, int round, int entry) {
    return IsCountryNumber(nation) && IsCupNumber(cup) && round >= 0 && round < kCupRounds && entry >= 0 &&
           entry < kDrawEntries;
}

}  // namespace

int16_t CupDrawWord(int nation, int cup, int round, int entry, int word) {
    if (!InDrawTable(nation, cup, round, entry) || word < 0 || word >= kDrawEntryWords) return -1;
    const size_t index = ((size_t(nation) * kCupCount + cup) * kCupRounds + round) * kDrawEntries + entry;
    return int16_t(recbits::LoadU16(CompetitionTable + index * kEntryBytes + 2 * word));
}

void SetCupDrawWord(int nation, int cup, int round, int entry, int word, int16_t club) {
    if (!InDrawTable(nation, cup, round, entry) || word < 0 || word >= kDrawEntryWords) return;
    const size_t index = ((size_t(nation) * kCupCount + cup) * kCupRounds + round) * kDrawEntries + entry;
    recbits::StoreU16(CompetitionTable + index * kEntryBytes + 2 * word, uint16_t(club));
}

uint16_t GetCupEligibility(int nation, int cup, int16_t club) {
    if (!IsCountryNumber(nation) || !IsCupNumber(cup) || !IsClubNumber(club)) return 1;
    return recbits::LoadU16(ClubCompetitionTable[club] + 2 * (nation * kCupCount + cup));
}

void SetCupEligibility(int nation, int cup, int16_t club, uint16_t flag) {
    if (!IsCountryNumber(nation) || !IsCupNumber(cup) || !IsClubNumber(club)) return;
    recbits::StoreU16(ClubCompetitionTable[club] + 2 * (nation * kCupCount + cup), flag);
}

// ---- Round days --------------------------------------------------------------------------

#include <algorithm>
#include <utility>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/records/dates.h"
#include "core/records/honours.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/nationorder.h"
#include "core/season/postponements.h"

const int16_t CupNameTextBase[kCountryCount] = {104, 1000, 1730, 1756, 1781, 1919, 1945, 1971, 145};

namespace {

constexpr int kGroupSize = 4;
constexpr int kGroupRows = 4;
constexpr int kGroupsListed = 8;
constexpr int kCupShockPlaces = 20;
constexpr int kProbes = 30000;
constexpr int kSecondLegAfter = 14;
constexpr int kCupEuropeanC = 4, kCupEuropeanB = 5, kCupEuropeanA = 6;
constexpr int kEuropeanNation = 0;
constexpr int kWinnerPercent = 65, kRunnerUpPercent = 35;
constexpr int kMaxTieShifts = 60;

struct RoundRule {
    int16_t drawDay, matchDay;
    int windowStart, windowEnd, through, mode, neutral;
};

RoundRule Rule(int n, int k, int r) {
    const uint8_t* b = CupRoundRules.bytes[n][k][r];
    return RoundRule{int16_t(b[kCupDrawDay] | b[kCupDrawDay + 1] << 8),
                     int16_t(b[kCupMatchDay] | b[kCupMatchDay + 1] << 8),
                     int8_t(b[kCupEntryStart]),
                     int8_t(b[kCupEntryEnd]),
                     int8_t(b[kCupClubsThrough]),
                     int8_t(b[kCupMatchMode]),
                     int8_t(b[kCupNeutral])};
}

constexpr int kWindowGroupWinners = -4;
constexpr int kGroupRound = -4;
constexpr int kTwoLegs = 2;

int16_t FirstCode(int k, int r) { return int16_t(kCompFirstNationalCup + kCodesPerCup * k + r); }

int Counter() { return CompetitionDayWord; }

void Post(int16_t type, int16_t clubA, int16_t clubB, int16_t text) {
    AddMessage(clubA, clubB, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, text, -1, -1, -1, type, 1, 1);
}

int16_t CupName(int n, int k) { return int16_t(CupNameTextBase[IsCountryNumber(n) ? n : 0] + k); }

// Entries of the draw table holding a club (any word).
bool EntryHolds(int n, int k, int r, int entry, int16_t club) {
    for (int w = 0; w < kDrawEntryWords; ++w) {
        if (CupDrawWord(n, k, r, entry, w) == club) return true;
    }
    return false;
}

int ClubsInEntry(int n, int k, int r, int entry) {
    int count = 0;
    for (int w = 0; w < kDrawEntryWords; ++w) count += CupDrawWord(n, k, r, entry, w) != -1;
    return count;
}

void SetAllEligibility(int n, int k, uint16_t flag) {
    for (int16_t club = 0; club < kClubCount; ++club) SetCupEligibility(n, k, club, flag);
}

void AdmitOrderRange(int n, int k, int first, int end) {
    for (int i = std::max(first, 0); i < end && i < kNationClubOrderSize; ++i) {
        const uint16_t club = NationClubOrder[n][i];
        if (IsClubNumber(club)) SetCupEligibility(n, k, int16_t(club), 0);
    }
}

// Which clubs of the nation's order may be drawn into the round.
void Admit(int n, int k, int r, const RoundRule& rule) {
    SetAllEligibility(n, k, 1);
    if (rule.windowStart < 0) return;
    if (n == 2) {
        // Nation 2 has fixed windows: its lower clubs start the cup, its
        // top sixteen join in the following round.
        if (r == 0) {
            AdmitOrderRange(n, k, 16, 43);
            AdmitOrderRange(n, k, 56, 61);
        } else {
            AdmitOrderRange(n, k, 0, 16);
        }
        return;
    }
    AdmitOrderRange(n, k, rule.windowStart, rule.windowEnd);
}

int WindowCount(int n, int r, const RoundRule& rule) {
    if (rule.windowStart < 0 && rule.windowStart != kWindowGroupWinners) return 0;
    if (n == 2 && rule.windowStart >= 0) return r == 0 ? 32 : 16;
    return std::max(0, rule.windowEnd - rule.windowStart);
}

// Rows above rows: more points, then the larger (signed) goal difference,
// then more goals.
bool RanksBelow(const GroupRow& a, const GroupRow& b) {
    if (a.points != b.points) return a.points < b.points;
    if (a.goalDifference != b.goalDifference) return a.goalDifference < b.goalDifference;
    return a.goalsScored < b.goalsScored;
}

// The group list that the screens search holds the first eight groups of
// each of the two group stages.
void ListGroup(int n, int k, int stage, int g) {
    if (stage < 0 || stage > 1 || g >= kGroupsListed) return;
    for (int i = 0; i < kGroupSize; ++i)
        ChampionsLeagueGroups[stage][g][i] = CupDrawClub(n, k, stage, g * kGroupSize + i);
}

// A group stage's groups are listed as soon as they are drawn: listed only
// when the stage was settled, the screens found last season's groups (or
// none) all through the stage.
void ListDrawnGroups(int n, int k, int r) {
    for (int g = 0; g < kGroupsListed; ++g) {
        const int first = g * kGroupSize;
        if (CupDrawClub(n, k, r, first) == -1 && CupDrawClub(n, k, r, first + 1) == -1) continue;
        ListGroup(n, k, r, g);
    }
}

void SettleGroups(int n, int k, int r) {
    const int previous = r - 1;
    const int16_t code = FirstCode(k, previous);
    for (int g = 0; g * kGroupSize < kDrawEntries; ++g) {
        const int first = g * kGroupSize;
        if (CupDrawClub(n, k, previous, first) == -1 && CupDrawClub(n, k, previous, first + 1) == -1)
            continue;
        if (k == kCupEuropeanA) ListGroup(n, k, previous, g);
        GroupRow rows[kGroupRows];
        for (int i = 0; i < kGroupRows; ++i)
            rows[i] = GroupRow{CupDrawClub(n, k, previous, first + i), 0, 0, 0};
        for (int a = 0; a < kGroupRows; ++a) {
            for (int b = 0; b < kGroupRows; ++b) {
                if (a != b) AddGroupResult(rows[a], rows[b], code);
            }
        }
        RankGroupRows(rows);
        for (const GroupRow& row : rows) AddClubTVIncome(row.club, int16_t(k), int16_t(r == 1 ? 4 : 8));
        for (int out = 2; out < kGroupRows; ++out) {
            for (int i = 0; i < kGroupSize; ++i) {
                if (CupDrawClub(n, k, previous, first + i) == rows[out].club && rows[out].club != -1)
                    SetCupDrawClub(n, k, previous, first + i, -1);
            }
            if (k == kCupEuropeanA) {
                for (int16_t& entrant : EuropeanEntrantListA) {
                    if (entrant == rows[out].club) entrant = -1;
                }
            }
        }
    }
    for (int i = 0; i < kDrawEntries; ++i) {
        const int16_t club = CupDrawClub(n, k, previous, i);
        if (club != -1) SetCupEligibility(n, k, club, 0);
    }
}

// One club of each tie of the round before may be drawn: the winner once
// the tie is decided (the loser's entry is empty then), else its first
// club, with the other as its alternative.
void AdmitComingThrough(int n, int k, int r) {
    if (k == kCupEuropeanB && r == 0) {
        for (int i = 0; i < kDrawEntries; ++i) {
            const int16_t club = CupDrawClub(n, k, r, i);
            if (club != -1) SetCupEligibility(n, k, club, 0);
        }
        return;
    }
    for (int t = 0; 2 * t + 1 < kDrawEntries; ++t) {
        int16_t club = CupDrawClub(n, k, r - 1, 2 * t);
        if (club == -1) club = CupDrawClub(n, k, r - 1, 2 * t + 1);
        if (club != -1) SetCupEligibility(n, k, club, 0);
    }
}

// A drawn club whose tie of the round before is still open carries every
// other club of that tie, any of which may yet take its place: the other
// entry's club and, when a tie before that is open too, the clubs waiting
// on it. Carrying only the other entry's first club lost a club that came
// through two late ties in a row, and the cup ended a tie short.
void CarryOtherClubsOfTie(int n, int k, int r, int entry, int16_t club, int tie) {
    int word = 1;
    for (int e = 2 * tie; e <= 2 * tie + 1; ++e) {
        for (int w = 0; w < kDrawEntryWords; ++w) {
            const int16_t other = CupDrawWord(n, k, r - 1, e, w);
            if (other == -1 || other == club) continue;
            // A full entry (three open ties in a row) leaves the club out:
            // should it come through, it takes its beaten rival's place.
            if (word == kDrawEntryWords) return;
            SetCupDrawWord(n, k, r, entry, word++, other);
        }
    }
}

void AddAlternatives(int n, int k, int r) {
    for (int i = 0; i < kDrawEntries; ++i) {
        const int16_t club = CupDrawClub(n, k, r, i);
        if (club == -1) continue;
        for (int t = 0; 2 * t + 1 < kDrawEntries; ++t) {
            const int16_t a = CupDrawClub(n, k, r - 1, 2 * t), b = CupDrawClub(n, k, r - 1, 2 * t + 1);
            if (a == -1 || b == -1 || (a != club && b != club)) continue;
            CarryOtherClubsOfTie(n, k, r, i, club, t);
            break;
        }
    }
}

void ArrangeGroupMatches(int n, int k, int r, int days) {
    const int step = r == 1 ? 14 : 7;
    const int16_t base = int16_t(kCodesPerCup * k);
    for (int g = 0; g * kGroupSize < kDrawEntries; ++g) {
        const int first = g * kGroupSize;
        if (CupDrawClub(n, k, r, first) == -1 && CupDrawClub(n, k, r, first + 1) == -1) break;
        int16_t c[kGroupSize];
        for (int i = 0; i < kGroupSize; ++i) c[i] = CupDrawClub(n, k, r, first + i);
        // A plays B and C plays D, then round the group home and away.
        const int pairs[6][4] = {{0, 1, 2, 3}, {1, 2, 3, 0}, {0, 2, 1, 3},
                                 {1, 0, 3, 2}, {2, 1, 0, 3}, {2, 0, 3, 1}};
        for (int day = 0; day < 6; ++day) {
            for (int m = 0; m < 2; ++m) {
                const int16_t home = c[pairs[day][2 * m]], away = c[pairs[day][2 * m + 1]];
                if (IsClubNumber(home) && IsClubNumber(away))
                    ArrangeCupFixture(home, away, int16_t(days + day * step), int16_t(r), 0, int16_t(k),
                                      base);
            }
        }
    }
}

void ArrangeTie(int n, int k, int r, int16_t home, int16_t away, int days, int secondDays, int16_t base) {
    const RoundRule rule = Rule(n, k, r);
    Post(rule.through == 2 ? kMsgFinalDrawn : kMsgTieDrawn, home, away, CupName(n, k));
    ArrangeCupFixture(home, away, int16_t(days), int16_t(r), 0, int16_t(k), base);
    if (rule.mode == kTwoLegs)
        ArrangeCupFixture(away, home, int16_t(secondDays), int16_t(r), 1, int16_t(k), base);
}

void ArrangeKnockOutMatches(int n, int k, int r, int days) {
    for (int t = 0; 2 * t + 1 < kDrawEntries; ++t) {
        if (ClubsInEntry(n, k, r, 2 * t) != 1 || ClubsInEntry(n, k, r, 2 * t + 1) != 1) continue;
        int16_t home = CupDrawClub(n, k, r, 2 * t), away = CupDrawClub(n, k, r, 2 * t + 1);
        if (home == -1 || away == -1) continue;
        // Nation 6's two main cups give the draw's home tie to a club two
        // divisions or more below its opponent.
        if (n == 6 && k <= 1 && int(GetClubDivision(away)) >= int(GetClubDivision(home)) + 2)
            std::swap(home, away);
        ArrangeTie(n, k, r, home, away, days, days + kSecondLegAfter, int16_t(kCodesPerCup * k));
    }
}

bool IsEuropeanDraw(int k, int r) {
    return (k == kCupEuropeanC && r == 0) || (k == kCupEuropeanA && (r == 0 || r == 1));
}

void RunRoundDay(int n, int k, int r, const RoundRule& rule) {
    if (k == kCupEuropeanC && r == 0) EuroDrawListC();
    if (k == kCupEuropeanA && r == 0) EuroDrawFirstRound();
    Admit(n, k, r, rule);
    if (rule.windowStart == kWindowGroupWinners && r > 0) SettleGroups(n, k, r);
    const bool comingThrough = rule.through > 0 && rule.windowStart != kWindowGroupWinners;
    if (comingThrough && (r > 0 || k == kCupEuropeanB)) AdmitComingThrough(n, k, r);
    if (k == kCupEuropeanA && r == 1) EuroDrawSecondRound();
    if (!IsEuropeanDraw(k, r)) {
        DrawCupRound(int16_t(std::max(rule.through, 0) + WindowCount(n, r, rule)), int16_t(r), int16_t(k),
                     int16_t(n));
        if (comingThrough && r > 0) AddAlternatives(n, k, r);
    }
    const int days = rule.matchDay - Counter();
    if (rule.through == kGroupRound && k == kCupEuropeanA) ListDrawnGroups(n, k, r);
    if (rule.through == kGroupRound)
        ArrangeGroupMatches(n, k, r, days);
    else
        ArrangeKnockOutMatches(n, k, r, days);
}

// The club's competitive fixture of the day; the used slots stand in day
// order, so the scan starts at the day's first slot and ends at the first
// later day.
int16_t CompetitiveFixtureOn(int16_t club, int day) {
    const int first = day > 0 ? FindFixtureInsertPos(int16_t(day - 1)) : 0;
    for (int slot = std::max(first, 0); slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int slotDay = FixtureDay(slot);
        if (slotDay > day) break;
        if (slotDay == day && FixtureType(slot) <= kCompLastCup && IsFixtureOfClub(slot, club))
            return int16_t(slot);
    }
    return -1;
}

// A competitive fixture of the club within a day of the tie's day.
int16_t NearbyFixture(int16_t club, int day) {
    for (int d : {day, day - 1, day + 1}) {
        if (d < 0) continue;
        const int16_t slot = CompetitiveFixtureOn(club, d);
        if (slot >= 0) return slot;
    }
    return -1;
}

// A fixture of today or earlier is being played or has its result: moving
// it would re-add it unplayed and shift the table under the day's pass.
bool CanMoveOutOfTheWay(int16_t slot) {
    return FixtureDay(slot) > SeasonCalendar.currentDay && !IsFixturePlayed(slot);
}

void MoveOutOfTheWay(int16_t slot) {
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    if (MoveFixtureToFreeDay(slot)) Post(kMsgRescheduled, home, away, -1);
}

bool HasNonLeagueFixture(int16_t club, int day) {
    const int16_t slot = CompetitiveFixtureOn(club, day);
    return slot >= 0 && FixtureType(slot) != kCompLeague;
}

int LeagueStart() { return SeasonCalendar.leagueStartDay[0]; }

int16_t OpponentIn(int n, int k, int r, int16_t club) {
    for (int t = 0; 2 * t + 1 < kDrawEntries; ++t) {
        const int16_t a = CupDrawClub(n, k, r, 2 * t), b = CupDrawClub(n, k, r, 2 * t + 1);
        if (a == club) return b;
        if (b == club) return a;
    }
    return -1;
}

int RuleNation(int k, int16_t home) {
    if (k >= kFirstEuropeanCup) return kEuropeanNation;
    return IsClubNumber(home) ? int(GetClubNation(home)) : -1;
}

// Country 0's honours row holds every European final, whatever the
// finalists' countries: the next season's title holders are read there.
void RecordEuropeanFinal(int16_t winner, int16_t loser, int16_t honoursKind) {
    constexpr int kFirstCupKind = 9;  // honour kind 9 is word 0
    const int word = honoursKind - kFirstCupKind;
    if (word < 0 || word + 1 >= kHonourClubWords) return;
    HonoursTable[0][0].words[word] = winner;
    HonoursTable[0][0].words[word + 1] = loser;
}

// Where a later round already drawn holds the loser of a tie but not its
// winner, the winner stands in the loser's word: that entry waits on this
// tie, so the winner is who comes through to it.
void WinnerTakesLoserPlace(int n, int k, int r, int16_t winner, int16_t loser) {
    for (int later = r + 1; later < kCupRounds; ++later) {
        for (int i = 0; i < kDrawEntries; ++i) {
            if (EntryHolds(n, k, later, i, winner)) continue;
            for (int w = 0; w < kDrawEntryWords; ++w) {
                if (CupDrawWord(n, k, later, i, w) == loser) SetCupDrawWord(n, k, later, i, w, winner);
            }
        }
    }
}

void PayEuropeanLoser(int k, int r, int16_t loser) {
    int percent = 35;
    if (k == kCupEuropeanC || k == kCupEuropeanB) {
        constexpr int kByRound[] = {35, 2, 4, 8, 15};
        if (r < 5) percent = kByRound[r];
    } else {
        constexpr int kByRound[] = {4, 8, 15};
        if (r < 3) percent = kByRound[r];
    }
    AddClubTVIncome(loser, int16_t(k), int16_t(percent));
}

}  // namespace

void ProcessCompetitionDay() {
    for (int n = 0; n < kCountryCount; ++n) {
        for (int k = 0; k < kCupCount; ++k) {
            if (k < kFirstEuropeanCup && !IsCountryInPlay(n)) continue;
            if (k >= kFirstEuropeanCup && n != kEuropeanNation) continue;
            for (int r = 0; r < kCupRounds; ++r) {
                const RoundRule rule = Rule(n, k, r);
                if (rule.drawDay < 0 || rule.drawDay != Counter()) continue;
                if (rule.drawDay == 0 && SeasonCalendar.currentDay > 1) continue;
                RunRoundDay(n, k, r, rule);
            }
        }
    }
}

void DrawCupRound(int16_t count, int16_t round, int16_t cup, int16_t nation) {
    for (int i = 0; i < count && i < kDrawEntries; ++i) {
        int16_t club = int16_t(GameRandom() % kClubCount);
        int probes = 1;
        while (GetCupEligibility(nation, cup, club) != 0 && probes < kProbes) {
            CorePoll();
            club = int16_t(GameRandom() % kClubCount);
            ++probes;
        }
        if (GetCupEligibility(nation, cup, club) != 0) {
            CorePoll();
            // The probes ran out: sweep on from the last one, up for odd
            // entries and down for even ones, once round the whole table.
            // A sweep that stopped at the entry's first probe would leave
            // the clubs between it and the last probe unvisited, and give
            // up the draw with clubs still to be drawn.
            const int16_t start = club;
            const int step = i % 2 == 1 ? 1 : kClubCount - 1;
            do {
                club = int16_t((club + step) % kClubCount);
            } while (club != start && GetCupEligibility(nation, cup, club) != 0);
            if (club == start) {
                DebugLog(
                    DEBUG_GENERAL, 1,
                    "DrawCupRound(): Warning: nation %d cup %d round %d has no club for entry %d of %d\n",
                    int(nation), int(cup), int(round), i, int(count));
                return;
            }
        }
        SetCupEligibility(nation, cup, club, 1);
        SetCupDrawClub(nation, cup, round, i, club);
        for (int w = 1; w < kDrawEntryWords; ++w) SetCupDrawWord(nation, cup, round, i, w, -1);
    }
}

void ArrangeCupFixture(int16_t home, int16_t away, int16_t days, int16_t round, int16_t second, int16_t cup,
                       int16_t codeBase) {
    if (!IsClubNumber(home) || !IsClubNumber(away) || !IsCupNumber(cup) || round < 0 || round >= kCupRounds)
        return;
    const int16_t code = int16_t(codeBase + round + (second != 0 ? 13 : 5));
    const int16_t secondCode = int16_t(codeBase + round + 13);
    int day = LeagueStart() + Counter() + days;
    // A tie moved on is looked at again on its new day, so that a league
    // fixture there is moved out of the way too and no club has two matches
    // on one day; the moves are bounded, should every day be taken.
    for (int shift = 0; shift < kMaxTieShifts; ++shift) {
        bool blocked = false;
        for (int16_t club : {home, away}) {
            const int16_t slot = NearbyFixture(club, day);
            if (slot < 0) continue;
            if (FixtureType(slot) < secondCode && CanMoveOutOfTheWay(slot)) {
                MoveOutOfTheWay(slot);
            } else {
                blocked = true;
            }
        }
        if (!blocked) break;
        day += 2;
        while (day < kEmptyFixtureDay - 2 &&
               (HasNonLeagueFixture(home, day) || HasNonLeagueFixture(away, day)))
            day += 2;
    }
    const int nation = RuleNation(cup, home);
    if (IsCountryNumber(nation) && Rule(nation, cup, round).through == 2) {
        for (int16_t club : {home, away}) {
            const int16_t slot = CompetitiveFixtureOn(club, day);
            if (slot >= 0 && CanMoveOutOfTheWay(slot)) MoveOutOfTheWay(slot);
        }
    }
    const int16_t neutral =
        IsCountryNumber(nation) ? int16_t(Rule(nation, cup, round).neutral > 0) : int16_t(0);
    AddFixture(int16_t(day), code, home, away, neutral);
}

void RemoveLoserFromLaterRounds(int16_t round, int16_t loser, int16_t cup) {
    if (!IsClubNumber(loser) || !IsCupNumber(cup) || round < 0) return;
    if (cup == kCupEuropeanB) AddToEuropeanListC(loser);
    const int n = cup >= kFirstEuropeanCup ? kEuropeanNation : int(GetClubNation(loser));
    if (!IsCountryNumber(n)) return;
    for (int r = round; r < kCupRounds; ++r) {
        for (int i = 0; i < kDrawEntries; ++i) {
            if (!EntryHolds(n, cup, r, i, loser)) continue;
            int16_t words[kDrawEntryWords];
            int kept = 0;
            for (int w = 0; w < kDrawEntryWords; ++w) {
                const int16_t club = CupDrawWord(n, cup, r, i, w);
                if (club != loser && club != -1) words[kept++] = club;
            }
            for (int w = 0; w < kDrawEntryWords; ++w)
                SetCupDrawWord(n, cup, r, i, w, w < kept ? words[w] : -1);
        }
    }
}

void ArrangeNextTie(int16_t round, int16_t winner, int16_t cup, int16_t codeBase, int16_t nation) {
    if (!IsCountryNumber(nation) || !IsCupNumber(cup) || round < 0 || round >= kCupRounds) return;
    const RoundRule rule = Rule(nation, cup, round);
    if (rule.drawDay < 0) return;
    for (int i = 0; i < kDrawEntries; ++i) {
        if (CupDrawClub(nation, cup, round, i) != winner || ClubsInEntry(nation, cup, round, i) != 1)
            continue;
        const int partner = i ^ 1;
        if (ClubsInEntry(nation, cup, round, partner) != 1) return;
        const int16_t home = CupDrawClub(nation, cup, round, i & ~1);
        const int16_t away = CupDrawClub(nation, cup, round, i | 1);
        int days = rule.matchDay - Counter(), secondDays = days + kSecondLegAfter;
        if (Counter() >= rule.matchDay) {
            days = 10;
            secondDays = 24;
        }
        ArrangeTie(nation, cup, round, home, away, days, secondDays, codeBase);
        return;
    }
}

void ProcessCupTieResult(int16_t slot, int16_t winner, int16_t firstCode, int16_t honoursKind) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return;
    const int16_t code = FixtureType(slot);
    if (code < kCompFirstNationalCup || code > kCompLastCup) return;
    const int k = (code - kCompFirstNationalCup) / kCodesPerCup;
    const int r = (code - kCompFirstNationalCup) % kSecondMatchCodes;
    const bool secondMatch = (code - kCompFirstNationalCup) % kCodesPerCup >= kSecondMatchCodes;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const int n = RuleNation(k, home);
    if (!IsCountryNumber(n)) return;
    const RoundRule rule = Rule(n, k, r);
    const bool final = rule.through == 2;
    const int16_t opponent = OpponentIn(n, k, r, home);
    if (opponent == -1) return;
    if (winner == -1 && secondMatch) {
        // A second match must settle the tie; checked rules never leave one
        // level, so this is a fault of the data: the home club goes through.
        DebugLog(DEBUG_GENERAL, 0,
                 "ProcessCupTieResult(): Warning: second match in slot %d left level, %d goes through\n",
                 int(slot), int(home));
        winner = home;
    }
    if (winner == -1) {
        ArrangeCupFixture(opponent, home, int16_t(final ? 4 : 10), int16_t(r), 1, int16_t(k),
                          int16_t(kCodesPerCup * k));
        return;
    }
    const int16_t loser = winner == home ? opponent : home;
    if (winner != home && winner != opponent) return;
    if (GetClubLeaguePosition(winner) - GetClubLeaguePosition(loser) > kCupShockPlaces)
        AddMessage(winner, loser, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, CupName(n, k), -1, -1, -1,
                   kMsgCupShock, 1, 0);
    if (k == kCupEuropeanB && r == 1) AddToEuropeanListA(winner);
    WinnerTakesLoserPlace(n, k, r, winner, loser);
    RemoveLoserFromLaterRounds(int16_t(r), loser, int16_t(k));
    if (r < kCupRounds - 1)
        ArrangeNextTie(int16_t(r + 1), winner, int16_t(k), int16_t(firstCode - kCompFirstNationalCup),
                       int16_t(n));
    if (final) {
        AwardCupWinner(winner, honoursKind);
        AwardCupWinner(loser, int16_t(honoursKind + 1));
        if (k >= kFirstEuropeanCup) RecordEuropeanFinal(winner, loser, honoursKind);
        AddClubTVIncome(winner, int16_t(k), kWinnerPercent);
        PayCupWinBonuses(winner);
        AddClubTVIncome(loser, int16_t(k), kRunnerUpPercent);
    } else if (k >= kFirstEuropeanCup) {
        PayEuropeanLoser(k, r, loser);
    }
    (void)away;
}

void AddGroupResult(GroupRow& a, GroupRow& b, int16_t code) {
    if (!IsClubNumber(a.club) || !IsClubNumber(b.club)) return;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) != code || FixtureHome(slot) != a.club || FixtureAway(slot) != b.club) continue;
        if (!IsFixturePlayed(slot)) return;
        const uint32_t score = FixtureScore(slot);
        const int home = int(score & kFixtureGoalsMask), away = int((score >> 5) & kFixtureGoalsMask);
        if (home == away) {
            ++a.points;
            ++b.points;
        } else {
            (home > away ? a : b).points += 3;
        }
        a.goalDifference += home - away;
        b.goalDifference += away - home;
        a.goalsScored += home;
        b.goalsScored += away;
        return;
    }
}

void SwapGroupRows(GroupRow& a, GroupRow& b) { std::swap(a, b); }

void RankGroupRows(GroupRow* rows) {
    for (int pass = 0; pass < kGroupRows; ++pass) {
        for (int i = 0; i + 1 < kGroupRows; ++i) {
            if (RanksBelow(rows[i], rows[i + 1])) SwapGroupRows(rows[i], rows[i + 1]);
        }
    }
}

int64_t CupTVAmount(int16_t club, int16_t cup, int16_t percent) {
    if (!IsClubNumber(club) || !IsCupNumber(cup)) return 0;
    const int nation = GetClubNation(club);
    if (!IsCountryInPlay(nation) || GetClubDivision(club) >= kDivisionCount) return 0;
    const int row = cup >= kFirstEuropeanCup ? 0 : nation;
    return int64_t(CupTVMoney[row][cup]) * 83 / 100 * percent / 100;
}

void AddClubTVIncome(int16_t club, int16_t cup, int16_t percent) {
    const int64_t amount = CupTVAmount(club, cup, percent);
    if (amount <= 0) return;
    const int32_t paid = int32_t(std::min<int64_t>(amount, INT32_MAX));
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    AddClubBalance(club, paid);
    SetClubWeeksTVIncome(
        club, int32_t(std::min<int64_t>(int64_t(GetClubWeeksTVIncome(club, week)) + paid, INT32_MAX)), week);
    SetClubSeasonTVIncome(club,
                          int32_t(std::min<int64_t>(int64_t(GetClubSeasonTVIncome(club)) + paid, INT32_MAX)));
}

void PayCupWinBonuses(int16_t club) {
    if (!IsClubNumber(club)) return;
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    BuildClubSquadList(club);
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsPlayerNumber(player) || GetPlayerClub(player) != uint16_t(club) ||
            GetPlayerLoanClub(player) != uint16_t(club))
            continue;
        const int32_t bonus = GetPlayerClause7(player);
        if (bonus <= 0) continue;
        AddClubBalance(club, -bonus);
        SetClubWeeksBonuses(club, GetClubWeeksBonuses(club, week) + bonus, week);
        SetClubSeasonBonuses(club, GetClubSeasonBonuses(club) + bonus);
    }
}
