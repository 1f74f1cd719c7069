// Fixture look-ups of the screens: a club's fixture before today, on a day
// or in a cup, the earlier meeting of a cup tie, how far a cup round is from
// its final, and a player's marks in listed fixtures.
#include "core/query/fixturelookups.h"

#include <algorithm>

#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"

namespace {

constexpr int kMaxListedFixtures = 10;

// Slots are sorted by day with the empty slots at the end, so the walks stop
// at the first empty slot: an empty slot holds club 0 and must never be
// taken for a fixture of club 0.
int FirstSlotAfter(int day) {
    int slot = 0;
    while (slot < kFixtureSlots && int(FixtureDay(slot)) <= day) ++slot;
    return slot;
}

// The clubs of a cup round: those that come through from the round before
// and those of the club order that join in it.
int RoundClubCount(const uint8_t* rule) {
    const int through = int8_t(rule[kCupClubsThrough]);
    const int joining = int8_t(rule[kCupEntryEnd]) - int8_t(rule[kCupEntryStart]);
    return std::max(through, 0) + std::max(joining, 0);
}

}  // namespace

int16_t HVW_FindClubPrevFixture(int16_t club) {
    const int first = FirstSlotAfter(SeasonCalendar.currentDay);
    for (int slot = std::min(first, kFixtureSlots - 1); slot >= 1; --slot) {
        if (IsFixtureEmpty(slot)) continue;
        const int16_t type = FixtureType(slot);
        if (FixtureHome(slot) == club) return int16_t(slot);
        if (FixtureAway(slot) == club && type != kCompReserveLeague && type != kCompNationalTeam) {
            return int16_t(slot);
        }
    }
    return -1;
}

int16_t HVW_FindClubFixtureOnDay(int16_t club, int16_t day, int16_t kind) {
    if (!IsClubNumber(club)) return -1;
    for (int slot = 0; slot < kFixtureSlots && int(FixtureDay(slot)) <= day; ++slot) {
        const int16_t type = FixtureType(slot);
        if (FixtureDay(slot) != uint16_t(day) || IsFixtureEmpty(slot) || type == kCompNationalTeam ||
            type == kCompNationalUnder21 || !IsFixtureOfClub(slot, club)) {
            continue;
        }
        const bool reserve = type == kCompReserveLeague;
        if (kind == -1 || (kind == 0 && !reserve) || (kind == 1 && reserve)) return int16_t(slot);
    }
    return -1;
}

int16_t HVW_FindEarlierCupTie(int16_t home, int16_t away, int16_t competition, int16_t day) {
    if (home < 0) return -1;
    const int16_t cup = HVW_GetCupIndexForText(competition);
    for (int slot = 0; slot < kFixtureSlots && int(FixtureDay(slot)) < day; ++slot) {
        if (IsFixtureEmpty(slot)) break;
        if (FixtureHome(slot) == away && FixtureAway(slot) == home &&
            HVW_GetCupIndexForText(FixtureType(slot)) == cup) {
            return int16_t(slot);
        }
    }
    return -1;
}

int16_t HVW_GetCupRoundTieType(int16_t country, int16_t cup, int16_t round) {
    if (!IsCountryNumber(country) || !IsCupNumber(cup) || round < 0 || round >= kCupRounds) {
        return 0;
    }
    // The European cups are run as cups of country 0.
    const int ruleCountry = cup >= kFirstEuropeanCup ? 0 : country;
    const int clubs = RoundClubCount(CupRoundRules.bytes[ruleCountry][cup][round]);
    // A preliminary round of eight or four clubs, whose winners meet clubs
    // that join later, is no quarter- or semi-final: a round counts as one
    // only when its clubs halve round by round down to the final.
    const int roundsLeft = CupRoundCounts[ruleCountry][cup] - round;
    if (roundsLeft < 1 || roundsLeft > 3 || clubs != (1 << roundsLeft)) return 0;
    return clubs == 2 ? 3 : clubs == 4 ? 2 : 1;
}

int16_t HVW_GetClubLastLeagueFixtures(int16_t club, int16_t n, int16_t* slots) {
    const int wanted = std::clamp<int>(n, 0, kMaxListedFixtures);
    std::fill(slots, slots + wanted, int16_t(-1));
    if (!IsClubNumber(club) || wanted == 0) return 0;
    const int first = FirstSlotAfter(SeasonCalendar.currentDay - 1);
    int found = 0;
    int16_t newestFirst[kMaxListedFixtures];
    for (int slot = std::min(first, kFixtureSlots - 1); slot >= 0 && found < wanted; --slot) {
        if (IsFixtureEmpty(slot) || FixtureType(slot) != kCompLeague || !IsFixturePlayed(slot) ||
            !IsFixtureOfClub(slot, club)) {
            continue;
        }
        newestFirst[found++] = int16_t(slot);
    }
    std::reverse_copy(newestFirst, newestFirst + found, slots);
    return int16_t(found);
}

int16_t HVW_FindClubCupFixture(int16_t club, int16_t cup, int16_t day) {
    if (!IsClubNumber(club) || !IsCupNumber(cup)) return -1;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (int(FixtureDay(slot)) >= day && IsFixtureOfClub(slot, club) &&
            HVW_GetCupIndexForText(FixtureType(slot)) == cup) {
            return int16_t(slot);
        }
    }
    return -1;
}

void HVW_GetPlayerMatchMarks(uint16_t player, const int16_t* slots, int16_t n, uint16_t* marks) {
    const int count = std::clamp<int>(n, 0, kMaxListedFixtures);
    std::fill(marks, marks + count, uint16_t(0xFFFF));
    const int16_t club = HVW_GetMyClub();
    if (club < 0 || GetPlayerClub(player) != uint16_t(club)) return;
    int out = 0;
    for (int i = 0; i < count; ++i) {
        const int16_t slot = slots[i];
        if (slot < 0 || slot >= kFixtureSlots) continue;
        const int side = FixtureHome(slot) == club ? 0 : 1;
        const uint8_t* entry = FixtureTable[slot].bytes + kFixtureLineUps + side * kFixtureLineUpSize;
        for (int k = 0; k < kFixtureLineUpEntries; ++k, entry += kFixtureLineUpEntrySize) {
            if (recbits::LoadU16(entry) == player) {
                marks[out] = entry[2];
                break;
            }
        }
        ++out;
    }
}
