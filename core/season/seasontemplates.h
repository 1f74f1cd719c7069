// The season template of each country and division: 104 slots, two per week
// from the first Saturday of the season (even slot Saturday, odd slot
// Tuesday), each with a code that says what the set-up does on that day.
#pragma once
#include <cstdint>

#include "core/season/leagues.h"

constexpr int kTemplateSlots = 104;

enum TemplateCode : uint8_t {
    kSlotEmpty = 0,  // nothing; the walk passes over it
    kSlotRound = 1,  // the next round is played
    kSlotEnd = 5,    // the last round: the league end day
    kSlotFree = 6,   // inside the season, but no round
    kSlotSplit = 7,  // a round, and the league's split day
};

// Codes other than empty and free place a round.
constexpr bool TemplateSlotPlacesRound(uint8_t code) { return code != kSlotEmpty && code != kSlotFree; }

// Days from the first Saturday of the season to a slot's day.
constexpr int TemplateSlotDayOffset(int slot) { return slot / 2 * 7 + (slot % 2 == 1 ? 3 : 0); }

// Rounds a division plays in the league (reserve = false) or in its reserve
// league with the shipped layout; 0 when it has none.
constexpr int LeagueRoundCount(const DivisionLayoutEntry& entry, bool reserve) {
    if (entry.clubs == 0 || (reserve && entry.third != 1)) return 0;
    const int perHalf = entry.clubs % 2 == 1 ? entry.clubs : entry.clubs - 1;
    int halves = 2;
    if (entry.extraMeetings == 1 || entry.extraMeetings == 2) ++halves;
    if (entry.extraMeetings == 1 || (entry.extraMeetings == 2 && reserve)) ++halves;
    return perHalf * halves;
}

// The code of a slot; 0 for slots past the template or a division without
// clubs.
uint8_t SeasonTemplateCode(int country, int division, int slot);

// Walks every template as the set-up does and returns "" when each places
// all its league and reserve rounds by its end slot, the divisions of a
// country share start and end, and a split marker lies 28 days or more
// before the end; otherwise what is wrong.
const char* CheckSeasonTemplates();
