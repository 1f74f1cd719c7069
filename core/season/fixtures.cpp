#include "core/season/fixtures.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "core/base/debug.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/postponements.h"

using namespace recbits;

Fixture FixtureTable[kFixtureSlots];
uint32_t FixtureTableGeneration = 0;

namespace {

constexpr int kLastSlot = kFixtureSlots - 1;
// The packed head of a fixture: day and competition in the low half of
// word 0, the two clubs, and bits 0-13 of the score word.  Bits 16-31 of
// word 0 and 14-31 of the score word are never written.
constexpr uint32_t kHeadWordMask = 0xFFFF;
constexpr uint32_t kScoreFieldsMask = 0x3FFF;
constexpr uint32_t kDayMask = 0x1FF;

// How many slots ahead the moves of heads ask for: the heads lie a record
// apart, beyond what the processor fetches ahead of such a walk on its own.
constexpr int kFetchAhead = 16;

bool IsSlot(int slot) { return slot >= 0 && slot < kFixtureSlots; }

uint32_t Merge(uint32_t into, uint32_t from, uint32_t mask) { return (into & ~mask) | (from & mask); }

// Writes the masked bits of a value into the 32-bit word at p.
void StoreMasked(uint8_t* p, uint32_t value, uint32_t mask) { StoreU32(p, Merge(LoadU32(p), value, mask)); }
void CopyMasked(uint8_t* to, const uint8_t* from, uint32_t mask) { StoreMasked(to, LoadU32(from), mask); }

// Copies the moving fields of one slot into another.
void CopyHead(int to, int from) {
    uint8_t* t = FixtureTable[to].bytes;
    const uint8_t* f = FixtureTable[from].bytes;
    CopyMasked(t + kFixtureHeadWord, f + kFixtureHeadWord, kHeadWordMask);
    StoreU16(t + kFixtureHomeClub, LoadU16(f + kFixtureHomeClub));
    StoreU16(t + kFixtureAwayClub, LoadU16(f + kFixtureAwayClub));
    CopyMasked(t + kFixtureScoreWord, f + kFixtureScoreWord, kScoreFieldsMask);
}

// Exchanges the masked bits of the two slots' words at one offset.
void SwapBits(int a, int b, int offset, uint32_t mask) {
    uint8_t* pa = FixtureTable[a].bytes + offset;
    uint8_t* pb = FixtureTable[b].bytes + offset;
    uint32_t wa = LoadU32(pa), wb = LoadU32(pb);
    StoreU32(pa, Merge(wa, wb, mask));
    StoreU32(pb, Merge(wb, wa, mask));
}

void SwapClubs(int a, int b) {
    for (int offset : {kFixtureHomeClub, kFixtureAwayClub}) {
        uint8_t* pa = FixtureTable[a].bytes + offset;
        uint8_t* pb = FixtureTable[b].bytes + offset;
        uint16_t va = LoadU16(pa);
        StoreU16(pa, LoadU16(pb));
        StoreU16(pb, va);
    }
}

bool IsLeagueFixtureOfClubNear(int slot, int16_t club, int first, int last) {
    int day = FixtureDay(slot);
    return day >= first && day <= last && FixtureType(slot) == kCompLeague && IsFixtureOfClub(slot, club);
}

bool IsTopLeagueFixtureOfNationNear(int slot, int16_t nation, int first, int last) {
    int day = FixtureDay(slot);
    if (day < first || day > last || FixtureType(slot) != kCompLeague) return false;
    int16_t home = FixtureHome(slot);
    if (!IsClubNumber(home)) return false;
    return GetClubDivision(home) == 0 && GetClubNation(home) == uint16_t(nation);
}

// Exchanges two legs of a tie but leaves each slot its day, so that the
// table stays in day order when the legs stand on different days.
void SwapLegsKeepingDays(int a, int b) {
    SwapBits(a, b, kFixtureHeadWord, kHeadWordMask & ~kDayMask);
    SwapClubs(a, b);
    SwapBits(a, b, kFixtureScoreWord, kScoreFieldsMask);
}

}  // namespace

int16_t AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t neutral) {
    ++FixtureTableGeneration;
    if (competition < 0 || competition > kCompHighest) {
        std::printf("illegal competition type '%d'\n", int(competition));
        FatalExit(__func__);
    }
    if (day < 0 || day >= int16_t(kEmptyFixtureDay)) {
        DebugLog(DEBUG_GENERAL, 0, "AddFixture Error: day %d cannot be stored, fixture %d v %d dropped\n",
                 int(day), int(home), int(away));
        return -1;
    }
    int16_t slot;
    while ((slot = FindFriendlyOnDay(home, day)) != -1) DeleteFixture(slot);
    while ((slot = FindFriendlyOnDay(away, day)) != -1) DeleteFixture(slot);

    // Inserting into a full table would push the last fixture out.
    int16_t pos = FindFixtureInsertPos(day);
    if (pos == -1 || !IsFixtureEmpty(kLastSlot)) {
        DebugLog(DEBUG_GENERAL, 0, "AddFixture Error: fixture table full, day %d type %d %d v %d not added\n",
                 int(day), int(competition), int(home), int(away));
        return -1;
    }
    InsertFixtureSlot(pos);

    uint8_t* f = FixtureTable[pos].bytes;
    uint32_t head = uint32_t(day) | uint32_t(competition) << 9;
    StoreMasked(f + kFixtureHeadWord, head, kHeadWordMask);
    StoreU16(f + kFixtureHomeClub, uint16_t(home));
    StoreU16(f + kFixtureAwayClub, uint16_t(away));
    uint32_t score = kFixtureNotPlayedGoals | kFixtureNotPlayedGoals << 5;
    if (neutral & 1) score |= kFixtureNeutralBit;
    if (neutral != 0) score |= kFixtureBroadcastBit;
    StoreMasked(f + kFixtureScoreWord, score, kScoreFieldsMask);

    if (competition >= kCompFirstNationalCup && competition <= kCompLastCup) {
        PairCupLegs(competition, pos);
    }
    return pos;
}

void InsertFixtureSlot(int16_t slot) {
    ++FixtureTableGeneration;
    if (!IsSlot(slot)) return;
    // Only the used slots move: the first empty slot at or after the gap
    // takes the last used one, and the empty slots behind it stay as they
    // are.
    // The used slots stand first: the first empty slot is found by halving.
    const int firstEmpty = FindFixtureInsertPos(int16_t(kEmptyFixtureDay - 1));
    const int last = std::max<int>(slot, firstEmpty < 0 ? kLastSlot : firstEmpty);
    for (int i = last; i > slot; --i) {
        if (i - kFetchAhead > slot) __builtin_prefetch(FixtureTable[i - kFetchAhead].bytes, 1);
        CopyHead(i, i - 1);
    }
}

void DeleteFixture(int16_t slot) {
    ++FixtureTableGeneration;
    if (!IsSlot(slot)) return;
    // Only the used slots move up: the first empty slot behind them takes
    // the last used place, and the empty slots beyond it stay as they are.
    int i = slot;
    for (; i < kLastSlot && !IsFixtureEmpty(i); ++i) {
        if (i + kFetchAhead < kFixtureSlots) __builtin_prefetch(FixtureTable[i + kFetchAhead].bytes, 1);
        CopyHead(i, i + 1);
    }
    if (i == kLastSlot)
        StoreMasked(FixtureTable[kLastSlot].bytes + kFixtureHeadWord, kEmptyFixtureDay, kDayMask);
}

int16_t FindFixtureInsertPos(int16_t day) {
    // The used slots stand first, in day order, and an empty slot's day
    // (511) is later than any fixture's: the first slot that is empty or
    // later than the day is the first whose stored day is above it.
    int low = 0, high = kFixtureSlots;
    while (low < high) {
        const int middle = (low + high) / 2;
        const uint16_t d = FixtureDay(middle);
        if (d == kEmptyFixtureDay || int(d) > int(day)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low < kFixtureSlots ? int16_t(low) : int16_t(-1);
}

int16_t FindFixture(int16_t home, int16_t away, int16_t competition) {
    // Empty slots hold stale heads (club 0 against club 0 in a league
    // fixture after a clear): the search ends at the first of them, so that
    // no empty slot is taken for a fixture.
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureHome(slot) == home && FixtureAway(slot) == away && FixtureType(slot) == competition) {
            return int16_t(slot);
        }
    }
    std::printf("WARNING !! Cannot find this fixture matey Comp & DayNo: '%d,%d'\n", int(competition),
                int(SeasonCalendar.currentDay));
    std::printf("Home Away: '%d,%d'\n", int(home), int(away));
    FatalExit(__func__);
}

int16_t FindFriendlyOnDay(int16_t club, int16_t day) {
    // The used slots stand first in day order: the day's fixtures start
    // where a fixture of the day before would be inserted, and nothing
    // past a later day counts.
    const int first = day > 0 ? FindFixtureInsertPos(int16_t(day - 1)) : 0;
    for (int slot = std::max(first, 0); slot < kFixtureSlots; ++slot) {
        const uint16_t slotDay = FixtureDay(slot);
        if (slotDay == kEmptyFixtureDay || slotDay > uint16_t(day)) break;
        if (slotDay == day && FixtureType(slot) == kCompFriendly && IsFixtureOfClub(slot, club)) {
            return int16_t(slot);
        }
    }
    return -1;
}

int16_t FindFixtureOnDay(int16_t club, int16_t day) {
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (FixtureDay(slot) != day) continue;
        int16_t type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21) return int16_t(slot);
        if (type <= kCompLastCup && IsFixtureOfClub(slot, club)) return int16_t(slot);
    }
    return -1;
}

int16_t FindCompetitiveFixtureOnDay(int16_t club, int16_t day) {
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (FixtureDay(slot) == day && FixtureType(slot) <= kCompLastCup && IsFixtureOfClub(slot, club)) {
            return int16_t(slot);
        }
    }
    return -1;
}

int16_t FindFriendlyOrSpecialOnDay(int16_t club, int16_t day) {
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        int16_t type = FixtureType(slot);
        if (FixtureDay(slot) == day && (type == kCompFriendly || type == kCompReserveLeague) &&
            IsFixtureOfClub(slot, club)) {
            return int16_t(slot);
        }
    }
    return -1;
}

void DeleteFriendliesOnDay(int16_t clubA, int16_t clubB, int16_t day) {
    int16_t slot;
    while ((slot = FindFriendlyOnDay(clubA, day)) != -1) DeleteFixture(slot);
    while ((slot = FindFriendlyOnDay(clubB, day)) != -1) DeleteFixture(slot);
}

void SwapFixtures(int16_t a, int16_t b) {
    ++FixtureTableGeneration;
    if (!IsSlot(a) || !IsSlot(b) || a == b) return;
    SwapBits(a, b, kFixtureHeadWord, kHeadWordMask);
    SwapClubs(a, b);
    SwapBits(a, b, kFixtureScoreWord, kScoreFieldsMask);
}

void SwapFixtureHeads(int16_t a, int16_t b) {
    ++FixtureTableGeneration;
    if (!IsSlot(a) || !IsSlot(b) || a == b) return;
    SwapBits(a, b, kFixtureHeadWord, kHeadWordMask);
    SwapClubs(a, b);
    SwapBits(a, b, kFixtureScoreWord, kFixtureNeutralBit | kFixtureBroadcastBit);
}

void PairCupLegs(int16_t competition, int16_t slot) {
    if (!IsSlot(slot)) return;
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    auto isOtherLeg = [&](int j, int type) {
        return FixtureType(j) == type && FixtureHome(j) == away && FixtureAway(j) == home;
    };
    if ((competition - kCompFirstNationalCup) % kCodesPerCup < kSecondMatchCodes) {
        // A first leg: its second leg may already stand before it.
        for (int j = slot; j >= 1; --j) {
            if (isOtherLeg(j, competition + kSecondMatchCodes)) SwapLegsKeepingDays(j, slot);
        }
    } else {
        // A second leg: its first leg may stand after it.  Empty slots hold
        // stale heads, so the search ends at the first of them.
        for (int j = slot; j < kFixtureSlots && !IsFixtureEmpty(j); ++j) {
            if (isOtherLeg(j, competition - kSecondMatchCodes)) SwapLegsKeepingDays(j, slot);
        }
    }
}

// Re-adds the fixture on a free later day and deletes it here.  The
// fixture that then moves up into the slot is examined next: a whole round
// of one day stands in consecutive slots and every match of it must go.  A
// fixture that finds no free day stays, and the scan passes it.
void MoveClubLeagueFixtures(int16_t club, int16_t day) {
    for (int slot = 0; slot < kFixtureSlots;) {
        if (!IsLeagueFixtureOfClubNear(slot, club, day - 2, day + 3) || !MoveFixtureToFreeDay(int16_t(slot)))
            ++slot;
    }
}

void MoveNationLeagueFixtures(int16_t nation, int16_t day) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot);) {
        if (!IsTopLeagueFixtureOfNationNear(slot, nation, day - 3, day + 2) ||
            !MoveFixtureToFreeDay(int16_t(slot)))
            ++slot;
    }
}

FixtureHeadFields ReadFixtureHead(int slot) {
    if (!IsSlot(slot)) return FixtureHeadFields{kEmptyFixtureDay, 0, 0, 0};
    const uint8_t* f = FixtureTable[slot].bytes;
    return FixtureHeadFields{uint16_t(LoadU32(f + kFixtureHeadWord) & kHeadWordMask),
                             LoadU16(f + kFixtureHomeClub), LoadU16(f + kFixtureAwayClub),
                             uint16_t(LoadU32(f + kFixtureScoreWord) & kScoreFieldsMask)};
}

void WriteFixtureHead(int slot, const FixtureHeadFields& head) {
    ++FixtureTableGeneration;
    if (!IsSlot(slot)) return;
    uint8_t* f = FixtureTable[slot].bytes;
    StoreMasked(f + kFixtureHeadWord, head.dayAndCompetition, kHeadWordMask);
    StoreU16(f + kFixtureHomeClub, head.home);
    StoreU16(f + kFixtureAwayClub, head.away);
    StoreMasked(f + kFixtureScoreWord, head.scoreFields, kScoreFieldsMask);
}

void ClearFixtureTable() {
    ++FixtureTableGeneration;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        uint8_t* f = FixtureTable[slot].bytes;
        StoreMasked(f + kFixtureHeadWord, kEmptyFixtureDay, kHeadWordMask);
        StoreU16(f + kFixtureHomeClub, 0);
        StoreU16(f + kFixtureAwayClub, 0);
        uint32_t score = kFixtureNotPlayedGoals | kFixtureNotPlayedGoals << 5;
        StoreMasked(f + kFixtureScoreWord, score, kScoreFieldsMask);
    }
}
