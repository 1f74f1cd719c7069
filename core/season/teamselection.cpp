#include "core/season/teamselection.h"

#include "core/club/squads.h"
#include "core/records/ranges.h"
#include "core/records/records.h"

namespace {

// Counts the first-team players of the position whose position group is
// the given one (0: positions 0-4, 1: 5-8, 2: 9-12).
int16_t CountInGroup(int16_t position, int group) {
    int16_t count = 0;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        uint16_t player = FirstTeamList.players[i];
        if (!IsValidPlayer(player)) continue;
        int p = GetPlayerPosition(player);
        int g = p <= 4 ? 0 : p <= 8 ? 1 : p <= 12 ? 2 : -1;
        if (g == group && p == position) ++count;
    }
    return count;
}

}  // namespace

int16_t PickPlayersForPosition1(int16_t position) { return CountInGroup(position, 0); }
int16_t PickPlayersForPosition2(int16_t position) { return CountInGroup(position, 1); }
int16_t PickPlayersForPosition3(int16_t position) { return CountInGroup(position, 2); }

int16_t GetSquadEntry(int16_t index) {
    if (index < 0 || index >= kSquadListSize) return 0;
    return int16_t(FirstTeamList.players[index]);
}
