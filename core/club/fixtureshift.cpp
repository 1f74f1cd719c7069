#include "core/club/fixtureshift.h"

#include "core/base/bytes.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

using namespace recbits;

namespace {

constexpr int kNoMove = 99;
constexpr uint32_t kHeadFields = 0xFFFF;       // day and competition
constexpr uint32_t kScoreFields = 0x3FFF;      // goals and flag bits 10-13
constexpr uint32_t kKeptScoreFields = 0x1FFF;  // goals and flag bits 10-12
constexpr uint32_t kMovedBit = 1u << 13;

// Days a fixture moves by for a country's move code; kNoMove leaves it be.
int ShiftDays(int moveCode, int country) {
    switch (country) {
        case 0:
            if (moveCode == 0 || moveCode == 1) return 1;
            if (moveCode == 2 || moveCode == 3) return -1;
            return kNoMove;
        case 1:
        case 4:
            return moveCode == 0 ? 1 : kNoMove;
        default:
            return moveCode == 0 ? 0 : kNoMove;
    }
}

// The first day a fixture of the country may not be moved to: the league's
// last day.  Before any season has set it, the table's own end bounds it.
int LimitDay(int country) {
    const int end = SeasonCalendar.leagueEndDay[country];
    return end > SeasonCalendar.leagueStartDay[country] ? end : int(kEmptyFixtureDay);
}

void StoreFields(uint8_t* p, uint32_t value, uint32_t mask) {
    StoreU32(p, (LoadU32(p) & ~mask) | (value & mask));
}

}  // namespace

void ShiftFixtureDay(int16_t fixture, int16_t today, int16_t moveCode, int16_t country) {
    if (fixture < 0 || fixture >= kFixtureSlots || IsFixtureEmpty(fixture)) return;
    if (country < 0 || country >= kCountryCount) return;
    const int shift = ShiftDays(moveCode, country);
    if (shift == kNoMove) return;
    const int newDay = FixtureDay(fixture) + shift;
    if (newDay < 0 || newDay >= LimitDay(country)) return;

    const int16_t competition = FixtureType(fixture);
    const int16_t home = FixtureHome(fixture), away = FixtureAway(fixture);
    const uint32_t score = FixtureScore(fixture);
    DeleteFixture(fixture);
    const int16_t slot = FindFixtureInsertPos(int16_t(today + shift));
    if (slot < 0) return;  // cannot happen: the deletion just freed a slot
    InsertFixtureSlot(slot);

    uint8_t* f = FixtureTable[slot].bytes;
    StoreFields(f + kFixtureHeadWord, uint32_t(newDay) | uint32_t(competition) << 9, kHeadFields);
    StoreU16(f + kFixtureHomeClub, uint16_t(home));
    StoreU16(f + kFixtureAwayClub, uint16_t(away));
    StoreFields(f + kFixtureScoreWord, (score & kKeptScoreFields) | kMovedBit, kScoreFields);
}
