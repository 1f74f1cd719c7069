#include "core/season/playernews.h"

#include "core/records/Access.h"
#include "core/records/ranges.h"

// No line is drawn: the rules name the player news line and its three
// values but not its text or where it appears.
void DrawPlayerNewsLine(int16_t, uint16_t, int16_t) {}

// The player asks to leave and goes on the transfer list (never a halvorn
// or a manager), and his fans fall: the rules do not say by how much, so
// they lose a quarter.
void ListPlayerForTransfer(uint16_t player, int16_t) {
    if (!IsPlayerNumber(player)) return;
    if (GetPlayerHalvorn(player) != 0 || GetPlayerPosition(player) == 13) return;
    SetPlayerTxReq(player, 1);
    SetPlayerTxList(player, 1);
    SetPlayerFans(player, int16_t(GetPlayerFans(player) - GetPlayerFans(player) / 4));
}
