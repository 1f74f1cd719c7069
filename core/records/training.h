// Training records of the user's players and the player-watch table.
#pragma once
#include <cstdint>

// u16 player (0 = free record), i16 regular training kind, i16 extra
// training kind, four 60-byte schedule blocks (0xFF = empty entry) and 17
// counters of the weekly development.
struct TrainingRecord {
    uint8_t bytes[263];
};
static_assert(sizeof(TrainingRecord) == 263);

constexpr int kTrainingRecords = 100;
constexpr int kTrainingPlayer = 0;
constexpr int kTrainingRegular = 2;
constexpr int kTrainingExtra = 4;
constexpr int kTrainingBlocks = 6;
constexpr int kTrainingBlockSize = 60;
constexpr int kTrainingCounters = kTrainingBlocks + 4 * kTrainingBlockSize;
constexpr int kTrainingCounterCount = 17;
static_assert(kTrainingCounters + kTrainingCounterCount == sizeof(TrainingRecord));

constexpr int16_t kDefaultRegularTraining = 8;
constexpr int16_t kDefaultExtraTraining = 4;

// i16 player (0 = free slot) and four histories of ten entries (0xFF =
// empty entry).
struct PlayerWatchSlot {
    uint8_t bytes[42];
};
static_assert(sizeof(PlayerWatchSlot) == 42);

constexpr int kPlayerWatchSlots = 32;
constexpr int kWatchHistoryOffset = 2;
constexpr int kWatchHistories = 4;
constexpr int kWatchHistoryLength = 10;
static_assert(kWatchHistoryOffset + kWatchHistories * kWatchHistoryLength == sizeof(PlayerWatchSlot));

extern TrainingRecord TrainingRecords[kTrainingRecords];
extern PlayerWatchSlot PlayerWatchSlots[kPlayerWatchSlots];

uint16_t GetTrainingRecordPlayer(int index);
int16_t GetTrainingRecordRegular(int index);
int16_t GetTrainingRecordExtra(int index);
// Stores the kind in record 0..99's extra or regular field.
void SetTrainingRecordKind(int index, bool extra, int16_t kind);
int16_t GetPlayerWatchSlotPlayer(int slot);

// Frees the records of players who no longer play for the user's club and
// empties the schedule blocks of every record that was in use.
void Training_ClearLeftPlayers();

// Query-layer members of the training screens.
int16_t HVW_GetTrainingKindTextId(int16_t kind);
// The player's training kinds; a player without a record gets one, or, when
// all 100 records are in use, the default kinds (8 and 4) and no record.
int16_t HVW_GetRegularTraining(uint16_t player);
int16_t HVW_GetExtraTraining(uint16_t player);
void HVW_EnsureTrainingRecords();
// Record 0-99 of the player, -1 when he has none.
int16_t HVW_FindEntryById(uint16_t player);
int16_t HVW_FindFreePlayerWatchSlot(uint16_t player);
int16_t HVW_FindPlayerWatchSlot(uint16_t player);
void HVW_SetPlayerWatchSlot(int16_t slot, uint16_t player);
void HVW_ClearPlayerWatchSlot(uint16_t player);
void HVW_FillPlayerWatchTable();
