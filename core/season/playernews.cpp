#include "core/season/playernews.h"

#include "core/records/ranges.h"
#include "core/records/records.h"

// No line is drawn: what a player's news line says, and what its value
// weighs, is not laid down, and the news pages keep no player lines.
void DrawPlayerNewsLine(int16_t, uint16_t, int16_t) {}

// Request, listing and the fans' mood.
void ListPlayerForTransfer(uint16_t player, int16_t) {
    if (!IsPlayerNumber(player)) return;
    if (GetPlayerHalvorn(player) != 0 || GetPlayerPosition(player) == 13) return;
    SetPlayerTxReq(player, 1);
    SetPlayerTxList(player, 1);
    SetPlayerFans(player, int16_t(GetPlayerFans(player) - GetPlayerFans(player) / 4));
}
