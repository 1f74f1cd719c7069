// Training records of the user's players and the player-watch table.
#pragma once
#include <cstdint>

struct TrainingRecord {
    uint8_t bytes[263];
};
static_assert(sizeof(TrainingRecord) == 263);
struct PlayerWatchSlot {
    uint8_t bytes[42];
};
static_assert(sizeof(PlayerWatchSlot) == 42);

extern TrainingRecord TrainingRecords[100];
extern PlayerWatchSlot PlayerWatchSlots[32];
