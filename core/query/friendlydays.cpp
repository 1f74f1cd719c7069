#include "core/query/friendlydays.h"

#include <algorithm>

#include "core/records/ranges.h"
#include "core/season/fixtures.h"

namespace {

// National-team days name nations in their club fields.
bool NamesClubs(int slot) {
    const int16_t type = FixtureType(slot);
    return type != kCompNationalTeam && type != kCompNationalUnder21;
}

bool IsSlot(int16_t slot) { return slot >= 0 && slot < kFixtureSlots; }

}  // namespace

int16_t HVW_FindCompetitiveOrFriendlyOnDay(int16_t club, int16_t day) {
    if (!IsClubNumber(club) || day < 0) return -1;
    const int16_t competitive = FindCompetitiveFixtureOnDay(club, day);
    return competitive != -1 ? competitive : FindFriendlyOnDay(club, day);
}

int16_t HVW_GetClubOpponentInSlot(int16_t slot, int16_t club) {
    if (!IsSlot(slot) || IsFixtureEmpty(slot) || !NamesClubs(slot)) return -1;
    if (FixtureHome(slot) == club) return FixtureAway(slot);
    if (FixtureAway(slot) == club) return FixtureHome(slot);
    return -1;
}

int16_t HVW_GetFixtureCompetition(int16_t slot) {
    if (!IsSlot(slot) || IsFixtureEmpty(slot)) return -1;
    return FixtureType(slot);
}

void HVW_MarkClubsBusyBetween(int16_t first, int16_t last, bool busy[1200]) {
    first = std::max<int16_t>(first, 0);
    if (last < first) return;
    // Used slots stand in day order: start where the day before the first
    // would be inserted.
    const int16_t start = first > 0 ? FindFixtureInsertPos(int16_t(first - 1)) : 0;
    for (int slot = std::max<int>(start, 0); slot < kFixtureSlots; ++slot) {
        const uint16_t day = FixtureDay(slot);
        if (day == kEmptyFixtureDay || day > uint16_t(last)) break;
        if (day < uint16_t(first) || !NamesClubs(slot)) continue;
        for (const int16_t club : {FixtureHome(slot), FixtureAway(slot)})
            if (IsClubNumber(club)) busy[club] = true;
    }
}

int16_t HVW_IsClubFreeBetween(int16_t club, int16_t first, int16_t last) {
    if (!IsClubNumber(club)) return 0;
    bool busy[kClubCount] = {};
    HVW_MarkClubsBusyBetween(first, last, busy);
    return busy[club] ? 0 : 1;
}
