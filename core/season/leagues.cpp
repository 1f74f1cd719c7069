#include "core/season/leagues.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/fixtureshift.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/postponements.h"
#include "core/season/seasontemplates.h"

DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];

namespace {

// A new game starts from the shipped layout.
const bool g_layout_ready = [] {
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    return true;
}();

}  // namespace

int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t ReserveLeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t PlayOffEntrants[kCountryCount][kDivisionCount][kPlayOffEntries];
uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
int16_t LeagueTransferWords[6][kCountryCount];

const uint8_t LeagueTieBreak[kCountryCount][kDivisionCount] = {};

// ---- Schedules ------------------------------------------------------------------------

namespace {

constexpr int kScheduleSize = 24;
constexpr uint16_t kOpenSlot = 65535;
constexpr int kScheduleTryLimit = 2000;
constexpr int kDrawLimit = 1000;
// Whole restarts before the build gives up; the shipped club counts need a
// handful at most.
constexpr int kScheduleRestartLimit = 20000;

struct ScheduleTables {
    uint16_t roundSlots[kScheduleSize][kScheduleSize];  // club index per round and slot
    uint16_t pairCounts[kScheduleSize][kScheduleSize];
    uint16_t placed[kScheduleSize];
};

ScheduleTables g_schedule;
ScheduleTables g_checkpoint;
int g_roundCount = 0;
// What is being laid out, for the message of a schedule that cannot be built.
int g_layingCountry = -1;
int g_layingDivision = -1;
// The first day the season being laid out is played from (a new game's
// first day; 0 for a new season).
int g_firstPlayableDay = 0;

int RandomBelow(int n) { return GameRandom() % n; }

// n plus one when odd, plus two more when not a multiple of 4.
int ScheduleSlotCount(int clubs) {
    int slots = clubs + clubs % 2;
    if (slots % 4 != 0) slots += 2;
    return slots;
}

void ClearSchedule() {
    std::memset(g_schedule.placed, 0, sizeof g_schedule.placed);
    std::memset(g_schedule.pairCounts, 0, sizeof g_schedule.pairCounts);
    std::memset(g_schedule.roundSlots, 0xFF, sizeof g_schedule.roundSlots);
}

void PlaceClub(int round, int slot, int club) {
    g_schedule.placed[club] = 1;
    g_schedule.roundSlots[round][slot] = uint16_t(club);
    if (slot % 2 == 1) {
        const int home = g_schedule.roundSlots[round][slot - 1];
        ++g_schedule.pairCounts[home][club];
        ++g_schedule.pairCounts[club][home];
    }
}

// Clubs of different index parity meet: in an even round the home slot
// takes an even club, in an odd round an odd one.
bool PlaceMixedParity(int round, int slot, int slots) {
    const bool homeSlot = slot % 2 == 0;
    const int homeParity = round % 2;
    const int parity = homeSlot ? homeParity : 1 - homeParity;
    const int home = homeSlot ? -1 : g_schedule.roundSlots[round][slot - 1];
    auto fits = [&](int club) {
        return g_schedule.placed[club] == 0 && club % 2 == parity &&
               (homeSlot || g_schedule.pairCounts[home][club] == 0);
    };
    for (int draw = 0; draw < kDrawLimit; ++draw) {
        const int club = RandomBelow(slots);
        if (fits(club)) {
            PlaceClub(round, slot, club);
            return true;
        }
    }
    for (int club = 0; club < slots; ++club) {
        if (fits(club)) {
            PlaceClub(round, slot, club);
            return true;
        }
    }
    return false;
}

// Clubs of the same parity meet.  After a random first candidate the
// candidates run upwards from a start built from the schedule's offset, so
// that restarted rounds try other orders.
bool PlaceSameParity(int round, int slot, int slots, int phase, int offset) {
    const bool homeSlot = slot % 2 == 0;
    const int home = homeSlot ? -1 : g_schedule.roundSlots[round][slot - 1];
    const int previous = slot > 0 ? g_schedule.roundSlots[round][slot - 1] : 0;
    auto fits = [&](int club) {
        if (g_schedule.placed[club] != 0) return false;
        return homeSlot || (club % 2 == home % 2 && g_schedule.pairCounts[home][club] == 0);
    };
    int club = RandomBelow(slots);
    if (fits(club)) {
        PlaceClub(round, slot, club);
        return true;
    }
    int start;
    if (offset & 1)
        start = offset + slot + previous;
    else if (offset & 2)
        start = offset + slot + round + previous;
    else if (offset & 4)
        start = offset + phase;
    else
        start = round + previous;
    // The candidates repeat after a full cycle, so one cycle decides.
    for (int k = 0; k < slots; ++k) {
        club = (start + k) % slots;
        if (fits(club)) {
            PlaceClub(round, slot, club);
            return true;
        }
    }
    return false;
}

int PairingsInRound(int round, int pairings) {
    int count = 0;
    for (int k = 0; k < pairings; ++k) count += g_schedule.roundSlots[round][2 * k] != kOpenSlot;
    return count;
}

bool ClubInRound(int round, int pairings, int club) {
    for (int k = 0; k < pairings; ++k) {
        if (g_schedule.roundSlots[round][2 * k] == club || g_schedule.roundSlots[round][2 * k + 1] == club)
            return true;
    }
    return false;
}

// Moves the pairing of clubs a and b from another round (not a full one
// unless allowed) into the target round's first open pairing.
bool MovePairingInto(int target, int a, int b, int rounds, int pairings, int full, bool fromFullRounds) {
    for (int r = 0; r < rounds; ++r) {
        if (r == target || (!fromFullRounds && PairingsInRound(r, pairings) >= full)) continue;
        for (int k = 0; k < pairings; ++k) {
            uint16_t* pair = &g_schedule.roundSlots[r][2 * k];
            if (!((pair[0] == a && pair[1] == b) || (pair[0] == b && pair[1] == a))) continue;
            for (int f = 0; f < pairings; ++f) {
                uint16_t* freePair = &g_schedule.roundSlots[target][2 * f];
                if (freePair[0] != kOpenSlot) continue;
                freePair[0] = pair[0];
                freePair[1] = pair[1];
                pair[0] = pair[1] = kOpenSlot;
                return true;
            }
            return false;
        }
    }
    return false;
}

// Fills the rounds that lost pairings to the dummy clubs from other rounds
// until enough rounds are full.
bool RepairRounds(int clubs, int rounds, int pairings) {
    const int full = clubs / 2;
    const int wanted = clubs % 2 == 1 ? clubs : clubs - 1;
    for (int pass = 1;; ++pass) {
        int fullRounds = 0, partial[kScheduleSize], partialCount = 0;
        for (int r = 0; r < rounds; ++r) {
            const int count = PairingsInRound(r, pairings);
            if (count >= full) ++fullRounds;
            if (count >= 1 && count < full) partial[partialCount++] = r;
        }
        if (fullRounds >= wanted) return true;
        if (pass > kScheduleTryLimit || partialCount == 0) return false;
        const int target = partial[RandomBelow(partialCount)];
        int absent[kScheduleSize], absentCount = 0;
        for (int club = 0; club < clubs; ++club) {
            if (!ClubInRound(target, pairings, club)) absent[absentCount++] = club;
        }
        if (absentCount < 2) continue;
        // The pairs of absent clubs are tried from a random start, first
        // from rounds that are not full; when none is there, one full round
        // gives up a pairing and is refilled on a later pass.  (Two clubs
        // drawn at random, four times a round and pass, rarely hit an absent
        // pair whose meeting stands in a round that may give it up: a
        // division of 18 or 22 clubs would then use up its tries and
        // restart without end.)
        const int pairs = absentCount * absentCount;
        const int first = RandomBelow(pairs);
        for (int fromFullRounds = 0; fromFullRounds < 2; ++fromFullRounds) {
            bool moved = false;
            for (int t = 0; t < pairs && !moved; ++t) {
                const int a = absent[(first + t) % pairs / absentCount];
                const int b = absent[(first + t) % pairs % absentCount];
                if (a < b) moved = MovePairingInto(target, a, b, rounds, pairings, full, fromFullRounds == 1);
            }
            if (moved) break;
        }
    }
}

// One attempt at a whole schedule; false when it ran out of tries.
bool BuildScheduleOnce(int clubs) {
    const int slots = ScheduleSlotCount(clubs);
    const int rounds = slots - 1;
    const int pairings = slots / 2;
    ClearSchedule();
    g_checkpoint = g_schedule;
    int tries = 0, phase = 0, offset = 0;
    for (int round = 0; round < rounds; ++round) {
        CorePoll();
        for (int slot = 0; slot < slots;) {
            const bool ok = phase % 2 == 0 ? PlaceMixedParity(round, slot, slots)
                                           : PlaceSameParity(round, slot, slots, phase, offset);
            if (++tries > kScheduleTryLimit) return false;
            if (ok) {
                ++slot;
                continue;
            }
            g_schedule = g_checkpoint;
            if (phase % 2 == 1) offset = (offset + RandomBelow(slots)) % 32;
            slot = 0;
        }
        std::memset(g_schedule.placed, 0, sizeof g_schedule.placed);
        g_checkpoint = g_schedule;
        if (round % 2 == 1) ++phase;
    }
    // Pairings with a dummy club are byes; drop them.
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < pairings; ++k) {
            uint16_t* pair = &g_schedule.roundSlots[round][2 * k];
            if (pair[0] >= clubs || pair[1] >= clubs) pair[0] = pair[1] = kOpenSlot;
        }
    }
    if (clubs % 4 != 0 && !RepairRounds(clubs, rounds, pairings)) return false;
    // Empty rounds go; the later ones move up.
    int kept = 0;
    for (int round = 0; round < rounds; ++round) {
        if (PairingsInRound(round, pairings) == 0) continue;
        if (kept != round)
            std::memcpy(g_schedule.roundSlots[kept], g_schedule.roundSlots[round],
                        sizeof g_schedule.roundSlots[0]);
        ++kept;
    }
    for (int round = kept; round < kScheduleSize; ++round)
        std::memset(g_schedule.roundSlots[round], 0xFF, sizeof g_schedule.roundSlots[0]);
    g_roundCount = kept;
    return true;
}

}  // namespace

void GenerateLeagueSchedule(int16_t clubCount) {
    g_roundCount = 0;
    ClearSchedule();
    if (clubCount < 2) return;
    int clubs = clubCount;
    if (clubs > kLeagueRowClubs) {
        DebugLog(DEBUG_GENERAL, 0, "GenerateLeagueSchedule: %d clubs, only the first %d are scheduled\n",
                 clubs, kLeagueRowClubs);
        clubs = kLeagueRowClubs;
    }
    for (int restart = 0; restart < kScheduleRestartLimit; ++restart) {
        if (BuildScheduleOnce(clubs)) return;
    }
    FatalError("No league schedule could be built for country %d division %d (%d clubs)", g_layingCountry,
               g_layingDivision, clubs);
}

int LeagueScheduleRoundCount() { return g_roundCount; }

bool LeagueSchedulePairing(int round, int pairing, int16_t* home, int16_t* away) {
    if (round < 0 || round >= g_roundCount || pairing < 0 || pairing >= kScheduleSize / 2) return false;
    const uint16_t h = g_schedule.roundSlots[round][2 * pairing];
    const uint16_t a = g_schedule.roundSlots[round][2 * pairing + 1];
    if (h == kOpenSlot || a == kOpenSlot) return false;
    *home = int16_t(h);
    *away = int16_t(a);
    return true;
}

// ---- Season set-up ---------------------------------------------------------------------

namespace {

constexpr int kShuffleSwaps = 240;
constexpr int kLastSetUpDay = 366;

// The shipped transfer-closed periods: first and last day as calendar dates
// (day of month, month 0..11).
struct ClosedPeriod {
    int firstDay, firstMonth, lastDay, lastMonth;
};
constexpr ClosedPeriod kClosedPeriods[kTransferClosedPeriods] = {
    {31, 7, 1, 0},
    {31, 0, 1, 5},
    {31, 0, 1, 5},
};

// No league match is played on 25 December.
constexpr int16_t kChristmasDayOfMonth = 25;
constexpr int16_t kDecember = 11;

void AdvanceSetUpDay() {
    RunDailyClubJobs(0);
    ++SeasonCalendar.currentDay;
}

// One set-up day per slot step: Saturday to Tuesday is three days, Tuesday to
// Saturday four.
void AdvanceToNextSlot(int slot) {
    const int days = slot % 2 == 0 ? 3 : 4;
    for (int i = 0; i < days; ++i) AdvanceSetUpDay();
}

bool ClubsFreeOn(int16_t home, int16_t away, int day) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) != day) continue;
        const int16_t type = FixtureType(slot);
        if ((type == kCompLeague || type == kCompReserveLeague) &&
            (IsFixtureOfClub(slot, home) || IsFixtureOfClub(slot, away)))
            return false;
    }
    return true;
}

// The first day on or after `from` on which both clubs are free; `from`
// itself when the season has none left.
int16_t FirstFreeMatchDay(int16_t home, int16_t away, int from) {
    for (int day = from; day < kLastSetUpDay; ++day) {
        if (ClubsFreeOn(home, away, day)) return int16_t(day);
    }
    return int16_t(from);
}

// A round left over when the template ran out of match days: the latest day
// up to the end day on which both clubs are free, else the end day itself.
int16_t FallbackMatchDay(int16_t home, int16_t away, int endDay) {
    for (int day = endDay; day > 0; --day) {
        if (ClubsFreeOn(home, away, day)) return int16_t(day);
    }
    return int16_t(endDay);
}

struct DivisionLayOut {
    int country;
    int division;
    bool reserve;
    uint16_t clubs[kLeagueRowClubs];  // the shuffled division list
    int clubCount;
    int nextMovedClub;
    // The season's 25 December, looked up while the lay-out stands on its
    // first day: a reserve match moved back from a later slot can land on
    // it after the walk has passed it.
    int christmasDay;
};

void ShuffleDivision(DivisionLayOut& lay) {
    if (lay.clubCount == 0) return;
    for (int i = 0; i < kShuffleSwaps; ++i) {
        const int a = RandomBelow(lay.clubCount);
        const int b = RandomBelow(lay.clubCount);
        std::swap(lay.clubs[a], lay.clubs[b]);
    }
}

void SetClosedPeriods(int country) {
    for (int p = 0; p < kTransferClosedPeriods; ++p) {
        const ClosedPeriod& period = kClosedPeriods[p];
        LeagueTransferWords[2 * p][country] =
            GetSeasonDayOfDate(int16_t(period.firstDay), int16_t(period.firstMonth));
        LeagueTransferWords[2 * p + 1][country] =
            GetSeasonDayOfDate(int16_t(period.lastDay), int16_t(period.lastMonth));
    }
}

int HalvesToPlay(const DivisionLayoutEntry& entry, bool reserve) {
    int halves = 2;
    if (entry.extraMeetings == 1 || entry.extraMeetings == 2) ++halves;
    if (entry.extraMeetings == 1 || (entry.extraMeetings == 2 && reserve)) ++halves;
    return halves;
}

// The day a pairing of a slot is played on.
int16_t MatchDayFor(const DivisionLayOut& lay, int slotDay, bool saturday) {
    int day = slotDay;
    if (saturday) {
        if (lay.country == 2)
            day += 1;
        else if (lay.reserve)
            day -= 2;
    } else {
        if (!lay.reserve) {
            if (RandomBelow(2) == 0) day += 1;
        } else if (lay.country != 2) {
            day -= 1;
        }
    }
    if (day < 0) day = 0;
    if (day == lay.christmasDay) ++day;
    return int16_t(day);
}

void AddRoundFixtures(const DivisionLayOut& lay, int round, bool exchanged, int slotDay, bool saturday,
                      int16_t fallbackEndDay) {
    const int16_t type = lay.reserve ? kCompReserveLeague : kCompLeague;
    for (int k = 0; k < kScheduleSize / 2; ++k) {
        int16_t a, b;
        if (!LeagueSchedulePairing(round, k, &a, &b)) continue;
        if (a >= lay.clubCount || b >= lay.clubCount) continue;
        int16_t home = int16_t(lay.clubs[a]), away = int16_t(lay.clubs[b]);
        if (exchanged) std::swap(home, away);
        int16_t day;
        if (slotDay >= 0) {
            day = MatchDayFor(lay, slotDay, saturday);
            // A reserve match moved ahead of the first round would fall
            // before a new game's first day, which is never played: it
            // goes to the clubs' first free day from then on.
            if (day < g_firstPlayableDay) day = FirstFreeMatchDay(home, away, g_firstPlayableDay);
        } else {
            day = FallbackMatchDay(home, away, fallbackEndDay);
            DebugLog(DEBUG_GENERAL, 0,
                     "SetUpSeasonFixtures: country %d division %d has no match day left, %d v %d on day %d\n",
                     lay.country, lay.division, home, away, day);
        }
        AddFixture(day, type, home, away, 0);
    }
}

bool InDivision(const DivisionLayOut& lay, int16_t club) {
    for (int i = 0; i < lay.clubCount; ++i) {
        if (lay.clubs[i] == uint16_t(club)) return true;
    }
    return false;
}

// One league fixture of a Saturday moves to another day: first each club's
// of the shuffled list in turn, then one picked by reputation.
void MoveOneFixture(DivisionLayOut& lay, int16_t day) {
    int chosen = -1;
    if (lay.nextMovedClub < lay.clubCount) {
        const int16_t club = int16_t(lay.clubs[lay.nextMovedClub++]);
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureDay(slot) == day && FixtureType(slot) == kCompLeague && IsFixtureOfClub(slot, club)) {
                chosen = slot;
                break;
            }
        }
    } else {
        const int mode = RandomBelow(4);
        int64_t best = 0;
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            if (FixtureDay(slot) != day || FixtureType(slot) != kCompLeague) continue;
            const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
            if (!InDivision(lay, home)) continue;
            const int64_t homeRep = GetClubRep(home), awayRep = GetClubRep(away);
            int64_t key = mode == 0 ? homeRep / 4 + awayRep : homeRep + awayRep;
            if (mode == 1 || mode == 3) key = -key;
            if (chosen < 0 || key > best) {
                chosen = slot;
                best = key;
            }
        }
    }
    if (chosen >= 0) ShiftFixtureDay(int16_t(chosen), day, int16_t(lay.division), int16_t(lay.country));
}

// Walks the template from the first Saturday, laying the rounds half by
// half on the slots that place a round.
void LayOutDivision(DivisionLayOut& lay, const CalendarDate& startDate) {
    const DivisionLayoutEntry& entry = DivisionLayout[lay.country][lay.division];
    RestoreCalendarDate(startDate);
    SeasonCalendar.currentDay = 0;
    lay.christmasDay = GetSeasonDayOfDate(kChristmasDayOfMonth, kDecember);
    GenerateLeagueSchedule(int16_t(std::min<int>(entry.clubs, kLeagueRowClubs)));
    while (SeasonCalendar.weekday != 0) AdvanceSetUpDay();
    int slot = 0;
    while (slot < kTemplateSlots && SeasonTemplateCode(lay.country, lay.division, slot) == kSlotEmpty) {
        AdvanceToNextSlot(slot);
        ++slot;
    }
    if (!lay.reserve) {
        ShuffleDivision(lay);
        SeasonCalendar.leagueStartDay[lay.country] = SeasonCalendar.currentDay;
        SetClosedPeriods(lay.country);
    }
    const int rounds = LeagueScheduleRoundCount();
    const int total = rounds * HalvesToPlay(entry, lay.reserve);
    int placed = 0;
    for (; slot < kTemplateSlots && SeasonCalendar.currentDay < kLastSetUpDay; ++slot) {
        const uint8_t code = SeasonTemplateCode(lay.country, lay.division, slot);
        const int16_t today = SeasonCalendar.currentDay;
        const bool saturday = slot % 2 == 0;
        if (TemplateSlotPlacesRound(code) && placed < total) {
            const int half = placed / rounds;
            AddRoundFixtures(lay, placed % rounds, half % 2 == 1, today, saturday, 0);
            ++placed;
            // Through the league's whole lay-out (not the reserve league's):
            // once every club of the shuffled list has had a fixture moved,
            // the fixture to move is picked by reputation.
            if (!lay.reserve && saturday && lay.country != 2 && code != kSlotEnd) MoveOneFixture(lay, today);
        }
        if (code == kSlotEnd)
            SeasonCalendar.leagueEndDay[lay.country] = int16_t(today + (lay.country == 2 ? 1 : 0));
        if (code == kSlotSplit) SeasonCalendar.splitDay[lay.country] = today;
        AdvanceToNextSlot(slot);
    }
    if (placed < total) {
        int16_t endDay = SeasonCalendar.leagueEndDay[lay.country];
        if (endDay <= 0 || endDay >= kLastSetUpDay) endDay = kLastSetUpDay - 1;
        for (; placed < total; ++placed)
            AddRoundFixtures(lay, placed % rounds, (placed / rounds) % 2 == 1, -1, false, endDay);
    }
}

int16_t HonourClub(int country, int word) {
    const int16_t club = HonoursTable[country][1].words[word];
    return IsClubNumber(uint16_t(club)) ? club : int16_t(-1);
}

// Last season's champion against its cup winner (or runner-up when the
// champion won the cup too), the day after the league starts.
void AddSeasonOpener(int country) {
    constexpr int kChampionWord = 14, kRunnerUpWord = 15, kCupWinnerWord = 0;
    const int16_t home = HonourClub(country, kChampionWord);
    int16_t away = HonourClub(country, kCupWinnerWord);
    if (away == home) away = HonourClub(country, kRunnerUpWord);
    if (home < 0 || away < 0 || home == away) return;
    const int16_t day = int16_t(SeasonCalendar.leagueStartDay[country] + 1);
    ClearClashOnDay(away, day);
    ClearClashOnDay(home, day);
    AddFixture(day, kCompChampionVsCupWinner, home, away, country == 0 ? 1 : 0);
}

}  // namespace

void BuildDivisionClubLists() {
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        std::memset(DivisionClubLists[country], 0xFF, sizeof DivisionClubLists[country]);
        int counts[kDivisionCount] = {};
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) == 0 || GetClubNation(club) != uint16_t(country)) continue;
            const uint16_t division = GetClubDivision(club);
            // Clubs outside the country's leagues play only its cups.
            if (division >= kDivisionCount || DivisionLayout[country][division].clubs == 0) continue;
            if (counts[division] >= kLeagueRowClubs) {
                DebugLog(DEBUG_GENERAL, 0,
                         "BuildDivisionClubLists: country %d division %d is full, club %d left out\n",
                         country, int(division), club);
                continue;
            }
            DivisionClubLists[country][division][counts[division]++] = uint16_t(club);
        }
    }
}

namespace {

// The most fixtures one division can lay out: four meetings of every
// pairing of a whole schedule, for the first teams and the reserves.
constexpr int kMostDivisionFixtures = 2 * 4 * kScheduleSize * (kScheduleSize / 2);

// Every fixture of a lay-out goes in after the last fixture of its day, so
// in a table holding the divisions laid out before, each insert moved most
// of the table's heads down a slot.  Laid out into an empty table instead,
// a division only moves its own fixtures; its heads are then taken out,
// the slots get back the bytes they held, and the divisions are merged by
// day at the end.  The merge keeps fixtures of one day in the order they
// were added (earlier divisions first), which is the order the inserts
// would have left, and the empty slots behind the last fixture keep their
// bytes as the inserts would have.  A division reads only its own clubs'
// fixtures while it is laid out, so it finds the same days either way.
class DivisionBatches {
  public:
    // Batches only from an empty table (the season's set-up empties it).
    DivisionBatches() : active_(IsFixtureEmpty(0)) {
        if (!active_) return;
        empty_.resize(kFixtureSlots);
        for (int slot = 0; slot < kFixtureSlots; ++slot) empty_[slot] = ReadFixtureHead(slot);
    }

    // Before a division: when the divisions laid out so far and this one
    // could fill the table, they go into it now and the rest is laid out
    // straight into the table, so that a full table drops the same fixtures.
    void BeforeDivision() {
        if (active_ && int(laid_.size()) + kMostDivisionFixtures >= kFixtureSlots) Finish();
    }

    void AfterDivision() {
        if (!active_) return;
        const size_t before = laid_.size();
        int slot = 0;
        for (; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) laid_.push_back(ReadFixtureHead(slot));
        // Written were the used slots (and a deletion copies the first empty
        // slot's bytes down into the last used one).
        for (int i = 0; i <= slot && i < kFixtureSlots; ++i) WriteFixtureHead(i, empty_[i]);
        std::inplace_merge(
            laid_.begin(), laid_.begin() + std::ptrdiff_t(before), laid_.end(),
            [](const FixtureHeadFields& a, const FixtureHeadFields& b) { return a.Day() < b.Day(); });
    }

    // Puts the divisions laid out so far into the table.
    void Finish() {
        if (!active_) return;
        active_ = false;
        for (size_t i = 0; i < laid_.size(); ++i) WriteFixtureHead(int(i), laid_[i]);
        laid_.clear();
    }

  private:
    bool active_;
    std::vector<FixtureHeadFields> empty_;
    std::vector<FixtureHeadFields> laid_;
};

}  // namespace

void SetUpSeasonFixtures(int16_t firstPlayableDay) {
    const CalendarDate startDate = SaveCalendarDate();
    g_firstPlayableDay = firstPlayableDay;
    // The lay-out walks the year once per division; it moves no player, so
    // one roster rebuild serves all of its month ends.
    KeepSetUpRosters(true);
    std::memset(DivisionClubLists, 0xFF, sizeof DivisionClubLists);
    std::memset(CompetitionTable, 0xFF, sizeof CompetitionTable);
    // The new season's groups are not drawn yet (zeros): until its first
    // draw no club is found in last season's.
    std::memset(ChampionsLeagueGroups, 0, sizeof ChampionsLeagueGroups);
    BuildDivisionClubLists();
    DivisionBatches batches;
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        SeasonCalendar.splitDay[country] = 0;
        for (int division = 0; division < kDivisionCount; ++division) {
            const DivisionLayoutEntry& entry = DivisionLayout[country][division];
            if (entry.clubs == 0) continue;
            batches.BeforeDivision();
            DivisionLayOut lay{};
            lay.country = country;
            lay.division = division;
            for (int i = 0; i < kLeagueRowClubs && DivisionClubLists[country][division][i] != kNoLeagueClub;
                 ++i)
                lay.clubs[lay.clubCount++] = DivisionClubLists[country][division][i];
            g_layingCountry = country;
            g_layingDivision = division;
            for (int reserve = 0; reserve <= (entry.third == 1 ? 1 : 0); ++reserve) {
                lay.reserve = reserve == 1;
                LayOutDivision(lay, startDate);
            }
            batches.AfterDivision();
        }
    }
    batches.Finish();
    RestoreCalendarDate(startDate);
    for (int country : kSeasonOpenerCountries) {
        if (IsCountryInPlay(country)) AddSeasonOpener(country);
    }
    RestoreCalendarDate(startDate);
    SeasonCalendar.currentDay = 0;
    CompetitionDayWord = 0;
    g_layingCountry = g_layingDivision = -1;
    g_firstPlayableDay = 0;
    KeepSetUpRosters(false);
}

// ---- Tables ------------------------------------------------------------------------------

namespace {

int GoalDifference(const int16_t* w) {
    return w[kSeasonHomeFor] - w[kSeasonHomeAgainst] + w[kSeasonAwayFor] - w[kSeasonAwayAgainst];
}
int GoalsScored(const int16_t* w) { return w[kSeasonHomeFor] + w[kSeasonAwayFor]; }

// True when a ranks strictly above b; level clubs keep their order.
bool RanksAbove(const ClubSeasonRecord* records, int16_t a, int16_t b, uint8_t tieBreak, bool pointsCount) {
    const int16_t* x = records[a].words;
    const int16_t* y = records[b].words;
    if (x[kSeasonPoints] != y[kSeasonPoints]) return pointsCount && x[kSeasonPoints] > y[kSeasonPoints];
    if (tieBreak == 0) {
        if (GoalDifference(x) != GoalDifference(y)) return GoalDifference(x) > GoalDifference(y);
        return GoalsScored(x) > GoalsScored(y);
    }
    if (tieBreak == 1) {
        if (GoalsScored(x) != GoalsScored(y)) return GoalsScored(x) > GoalsScored(y);
        return GoalDifference(x) > GoalDifference(y);
    }
    return false;
}

// The top six of country 1's split stay above the bottom six.
constexpr int kSplitCountry = 1;
constexpr int kSplitGroupSize = 6;

bool SplitHasPassed(int country) {
    const int16_t split = SeasonCalendar.splitDay[country];
    return country == kSplitCountry && split != 0 && SeasonCalendar.currentDay > split;
}

void SortRow(int16_t* row, int clubs, const ClubSeasonRecord* records, uint8_t tieBreak, int keepSplitAt) {
    const int n = std::min(clubs, kLeagueRowClubs);
    for (int pass = 0; pass < kLeagueRowClubs; ++pass) {
        for (int i = 0; i + 1 < n; ++i) {
            const int16_t a = row[i], b = row[i + 1];
            if (!IsClubNumber(uint16_t(a)) || !IsClubNumber(uint16_t(b))) continue;
            if (RanksAbove(records, b, a, tieBreak, i != keepSplitAt)) std::swap(row[i], row[i + 1]);
        }
    }
}

void CopyDivisionList(int16_t* row, int country, int division) {
    for (int i = 0; i < kLeagueRowClubs; ++i) row[i] = int16_t(DivisionClubLists[country][division][i]);
}

void StorePlacesInFixtures(int day) {
    if (day < 0) return;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) != day || FixtureType(slot) != kCompLeague) continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!IsClubNumber(uint16_t(home)) || !IsClubNumber(uint16_t(away))) continue;
        const uint32_t homePlace = uint32_t(LeagueSeasonRecords[home].words[kSeasonPlace]) & 0x1F;
        const uint32_t awayPlace = uint32_t(LeagueSeasonRecords[away].words[kSeasonPlace]) & 0x1F;
        uint8_t* bytes = FixtureTable[slot].bytes;
        const uint32_t crowd = recbits::LoadU32(bytes + kFixtureCrowdWord);
        recbits::StoreU32(bytes + kFixtureCrowdWord, (crowd & ~(0x1Fu << 23)) | homePlace << 23);
        const uint32_t awayWord = recbits::LoadU32(bytes + kFixtureAwaySideWord);
        recbits::StoreU32(bytes + kFixtureAwaySideWord, (awayWord & ~0x1Fu) | awayPlace);
    }
}

// The day whose results the tables now hold: today once today's league
// fixtures are played (the day's end), else the day before (a load, the
// season's set-up).
int LastResultsDay() {
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && FixtureDay(slot) <= today; ++slot) {
        if (FixtureDay(slot) == today && FixtureType(slot) == kCompLeague && IsFixturePlayed(slot))
            return today;
    }
    return today - 1;
}

}  // namespace

void SortLeagueTables() {
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country) || SeasonCalendar.currentDay > SeasonCalendar.leagueEndDay[country])
            continue;
        for (int division = 0; division < kDivisionCount; ++division) {
            const int clubs = DivisionLayout[country][division].clubs;
            if (clubs == 0) continue;
            int16_t* row = ReserveLeagueTable[country][division];
            CopyDivisionList(row, country, division);
            SortRow(row, clubs, ReserveSeasonRecords, LeagueTieBreak[country][division], -1);
        }
    }
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        const bool split = SplitHasPassed(country);
        for (int division = 0; division < kDivisionCount; ++division) {
            const int clubs = DivisionLayout[country][division].clubs;
            if (clubs == 0) continue;
            int16_t* row = LeagueTable[country][division];
            if (!split) CopyDivisionList(row, country, division);
            const int keepAt = split && division == 0 ? kSplitGroupSize - 1 : -1;
            SortRow(row, clubs, LeagueSeasonRecords, LeagueTieBreak[country][division], keepAt);
            for (int i = 0; i < std::min(clubs, kLeagueRowClubs); ++i) {
                if (IsClubNumber(uint16_t(row[i])))
                    LeagueSeasonRecords[row[i]].words[kSeasonPlace] = int16_t(i);
            }
        }
    }
    StorePlacesInFixtures(LastResultsDay());
}

const int16_t PlayOffStyle[kCountryCount][kDivisionCount] = {
    {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 2, 2, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
};
