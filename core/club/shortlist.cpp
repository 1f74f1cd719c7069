#include "core/club/shortlist.h"

#include <cstdio>

#include "core/base/debug.h"

uint16_t Shortlist[kShortlistSlots];

uint16_t ShortList_GetPlayer(int16_t index) {
    if (index < 0 || index >= kShortlistSlots) FatalError("Invalid index into shortlist shortlist");
    return Shortlist[index];
}

// Player 0 marks an empty slot, so it is never "on" the list.
int16_t ShortList_IsPlayerOn(uint16_t player) {
    if (player == 0) return 0;
    for (uint16_t entry : Shortlist) {
        if (entry == player) return 1;
    }
    return 0;
}

int16_t ShortList_Add_Player(uint16_t player) {
    if (player == 0) {
        std::printf("ShortList_Add_Player(): Passed a negative player number\n");
        return 0;
    }
    int freeSlot = -1;
    for (int slot = 0; slot < kShortlistSlots; ++slot) {
        if (Shortlist[slot] == player) return 0;
        if (Shortlist[slot] == 0 && freeSlot < 0) freeSlot = slot;
    }
    // A full list stores nothing, and says so: answering 1 would tell the
    // screen a player was added who is not on the list.
    if (freeSlot < 0) return 0;
    Shortlist[freeSlot] = player;
    return 1;
}

// Player 0 is no entry to remove: it would pack the slots after the first
// empty one and answer 1 for removing nobody.
int16_t ShortList_RemovePlayer(uint16_t player) {
    if (player == 0) return 0;
    int slot = 0;
    while (slot < kShortlistSlots && Shortlist[slot] != player) ++slot;
    if (slot == kShortlistSlots) return 0;
    for (; slot + 1 < kShortlistSlots; ++slot) Shortlist[slot] = Shortlist[slot + 1];
    Shortlist[kShortlistSlots - 1] = 0;
    return 1;
}

void ShortList_Clear() {
    for (uint16_t& entry : Shortlist) entry = 0;
}
