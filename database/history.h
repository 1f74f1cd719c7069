// The club and player history lists.
#pragma once
#include <cstdint>

#include "database/Access.h"

struct PlayerHistoryEntry {
    uint8_t bytes[13];
};
static_assert(sizeof(PlayerHistoryEntry) == 13);
struct ClubHistoryEntry {
    uint8_t bytes[10];
};
static_assert(sizeof(ClubHistoryEntry) == 10);

constexpr int kPlayerHistoryEntries = 500000;
constexpr int kClubHistoryEntries = 50000;

extern PlayerHistoryEntry PlayerHistoryEntries[kPlayerHistoryEntries];
extern uint32_t PlayerHistoryCount;
extern uint32_t PlayerHistoryFirst[kMaxPlayers];
extern ClubHistoryEntry ClubHistoryEntries[kClubHistoryEntries];
extern uint32_t ClubHistoryCount;
extern uint32_t ClubHistoryFirst[kClubCount];
