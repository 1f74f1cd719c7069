#include "core/season/playernews.h"

#include "core/records/Access.h"
#include "core/records/ranges.h"

// Least form until the season's news pages keep player lines: no line is
// drawn.
void DrawPlayerNewsLine(int16_t, uint16_t, int16_t) {}

// Least form of the season's listing: request, listing and the fans' mood.
void ListPlayerForTransfer(uint16_t player, int16_t) {
    if (!IsPlayerNumber(player)) return;
    if (GetPlayerHalvorn(player) != 0 || GetPlayerPosition(player) == 13) return;
    SetPlayerTxReq(player, 1);
    SetPlayerTxList(player, 1);
    SetPlayerFans(player, int16_t(GetPlayerFans(player) - GetPlayerFans(player) / 4));
}
