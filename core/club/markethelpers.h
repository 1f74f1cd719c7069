// Small shared pieces of the transfer and contract rules: saturating money
// arithmetic, the clubs a player belongs to, manager attributes and the
// news the user gets about players on his shortlist.
#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/records/ranges.h"
#include "core/records/records.h"

namespace market {

constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
// Far beyond any sum of game money, far below the 64-bit limit: products of
// two such figures are clamped before they are formed.
constexpr int64_t kMoneyCeiling = int64_t(1) << 40;

constexpr int32_t Saturate32(int64_t value) { return int32_t(std::clamp(value, kI32Min, kI32Max)); }
constexpr int64_t ClampMoney(int64_t value) { return std::clamp(value, -kMoneyCeiling, kMoneyCeiling); }
// a x b with both factors held to the money ceiling first.
constexpr int64_t MulMoney(int64_t a, int64_t b) {
    a = ClampMoney(a);
    b = ClampMoney(b);
    if (a != 0 && (b > kMoneyCeiling / (a < 0 ? -a : a) || b < -kMoneyCeiling / (a < 0 ? -a : a))) {
        return (a < 0) != (b < 0) ? -kMoneyCeiling : kMoneyCeiling;
    }
    return ClampMoney(a * b);
}
// Down to a multiple of 25, never negative, never past the 32-bit limit.
constexpr int32_t WageUnits(int64_t money) {
    if (money <= 0) return 0;
    return Saturate32(std::min<int64_t>(money, kI32Max) / 25 * 25);
}

// The club a player plays for and the club that owns him (the same club
// unless he is out on loan); -1 when none.
inline int16_t PlayingClub(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    return IsClubNumber(club) ? int16_t(club) : int16_t(-1);
}
inline int16_t OwningClub(uint16_t player) {
    const uint16_t club = GetPlayerLoanClub(player);
    return IsClubNumber(club) ? int16_t(club) : PlayingClub(player);
}
inline bool IsOutOnLoan(uint16_t player) { return GetPlayerLoanClub(player) != GetPlayerClub(player); }

// Position types: 0 goalkeeper, 1 defence, 2 midfield, 3 attack; -1 for a
// position that is none of them.
constexpr int16_t PositionType(int position) {
    return position == 0                      ? 0
           : position >= 1 && position <= 4   ? 1
           : position >= 5 && position <= 9   ? 2
           : position >= 10 && position <= 12 ? 3
                                              : -1;
}
// A player-manager is listed by his playing position.
inline int16_t OwnPosition(uint16_t player) {
    return int16_t(GetPlayerHalvorn(player) != 0 ? GetPlayerPosition2(player) : GetPlayerPosition(player));
}

inline int16_t Stat(uint16_t player, int16_t index) { return GetPlayerStat(player, index, 0); }
// A byte of the player's agent record; 0 for an agent number beyond the table.
inline int AgentByte(uint16_t player, int index) {
    const uint16_t agent = GetPlayerAgent(player);
    return agent < kAgentCount ? AgentRecords[agent].bytes[index] : 0;
}

// Divisions 4 and 5 of the nine league nations pay at least 100 a week,
// everyone else 150.
inline int32_t MinimumWage(int16_t club) {
    if (!IsClubNumber(club)) return 150;
    const uint16_t division = GetClubDivision(club);
    return GetClubNation(club) <= 8 && (division == 4 || division == 5) ? 100 : 150;
}

// Nation 9 and above, and league nations whose leagues are not played.
bool IsRestOfWorldClub(int16_t club);
// An attribute of the club's manager (player 2's when it has none).
int16_t ManagerStat(int16_t club, int16_t index);
// Posts a message to the user's club about a player on his shortlist;
// nothing when the player is not on it or the user has no club.
void PostShortlistNews(int16_t type, uint16_t player, int16_t club, int16_t text1 = -1, int16_t text2 = -1);
// Posts a club message naming one player and his age in years.
void PostPlayerNews(int16_t type, int16_t club, uint16_t player);

}  // namespace market
