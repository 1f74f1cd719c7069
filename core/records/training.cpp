#include "core/records/training.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/query/people.h"
#include "core/records/records.h"

using namespace recbits;

TrainingRecord TrainingRecords[kTrainingRecords];
PlayerWatchSlot PlayerWatchSlots[kPlayerWatchSlots];

namespace {

constexpr int16_t kTrainingKindTexts[22] = {655, 656, 657, 658, 659, 660, 661, 662, 664, 665, 666,
                                            668, 667, 669, 670, 671, 672, 673, 674, 675, 676, 725};
constexpr int16_t kUnknownTrainingKindText = 663;

// Empty schedule blocks, but the first entries of the second and the
// fourth block hold 0.
void ResetScheduleBlocks(uint8_t* r) {
    std::memset(r + kTrainingBlocks, 0xFF, 4 * kTrainingBlockSize);
    r[kTrainingBlocks + 1 * kTrainingBlockSize] = 0;
    r[kTrainingBlocks + 3 * kTrainingBlockSize] = 0;
}

// The player's record, or a new one in the first free record; none when
// all records are in use: the caller then answers the default kinds rather
// than ending the game (a player's record stays after he leaves, so a long
// career can fill the table).
uint8_t* FindOrAddRecord(uint16_t player, bool full) {
    const int16_t found = HVW_FindEntryById(player);
    if (found >= 0) return TrainingRecords[found].bytes;
    const int16_t free_record = HVW_FindEntryById(0);
    if (free_record < 0) return nullptr;
    uint8_t* r = TrainingRecords[free_record].bytes;
    StoreU16(r + kTrainingPlayer, player);
    StoreU16(r + kTrainingRegular, uint16_t(kDefaultRegularTraining));
    StoreU16(r + kTrainingExtra, uint16_t(kDefaultExtraTraining));
    if (full) {
        std::memset(r + kTrainingCounters, 0, kTrainingCounterCount);
        ResetScheduleBlocks(r);
    }
    return r;
}

void WatchSlotSet(int slot, int16_t player) {
    uint8_t* s = PlayerWatchSlots[slot].bytes;
    StoreU16(s, uint16_t(player));
    std::memset(s + kWatchHistoryOffset, 0xFF, kWatchHistories * kWatchHistoryLength);
}

bool IsInSquadList(uint16_t player) {
    for (uint16_t entry : FirstTeamList.players) {
        if (entry == player && entry != 0 && entry != PlayerCount) return true;
    }
    return false;
}

}  // namespace

uint16_t GetTrainingRecordPlayer(int index) {
    return LoadU16(TrainingRecords[index].bytes + kTrainingPlayer);
}
int16_t GetTrainingRecordRegular(int index) {
    return int16_t(LoadU16(TrainingRecords[index].bytes + kTrainingRegular));
}
int16_t GetTrainingRecordExtra(int index) {
    return int16_t(LoadU16(TrainingRecords[index].bytes + kTrainingExtra));
}
void SetTrainingRecordKind(int index, bool extra, int16_t kind) {
    if (index < 0 || index >= kTrainingRecords) return;
    StoreU16(TrainingRecords[index].bytes + (extra ? kTrainingExtra : kTrainingRegular), uint16_t(kind));
}
int16_t GetPlayerWatchSlotPlayer(int slot) { return int16_t(LoadU16(PlayerWatchSlots[slot].bytes)); }

int16_t HVW_GetTrainingKindTextId(int16_t kind) {
    if (kind < 0 || kind > 21) return kUnknownTrainingKindText;
    return kTrainingKindTexts[kind];
}

int16_t HVW_GetRegularTraining(uint16_t player) {
    const uint8_t* r = FindOrAddRecord(player, true);
    return r != nullptr ? int16_t(LoadU16(r + kTrainingRegular)) : kDefaultRegularTraining;
}

// A record added here gets only its player and default kinds.
int16_t HVW_GetExtraTraining(uint16_t player) {
    const uint8_t* r = FindOrAddRecord(player, false);
    return r != nullptr ? int16_t(LoadU16(r + kTrainingExtra)) : kDefaultExtraTraining;
}

void HVW_EnsureTrainingRecords() {
    const int16_t club = GetUserClub();
    BuildClubSquadList(club);
    if (club < 0) return;
    for (uint16_t player : ClubRoster[club]) {
        if (player != 0) HVW_GetRegularTraining(player);
    }
}

int16_t HVW_FindEntryById(uint16_t player) {
    for (int i = 0; i < kTrainingRecords; ++i) {
        if (GetTrainingRecordPlayer(i) == player) return int16_t(i);
    }
    return -1;
}

int16_t HVW_FindFreePlayerWatchSlot(uint16_t player) {
    for (int slot = 0; slot < kPlayerWatchSlots; ++slot) {
        if (GetPlayerWatchSlotPlayer(slot) == 0) return int16_t(slot);
    }
    const int16_t user = GetUserClub();
    if (user < 0 || GetPlayerClub(player) != uint16_t(user)) return -1;
    BuildClubSquadList(user);
    for (int slot = 0; slot < kPlayerWatchSlots; ++slot) {
        if (!IsInSquadList(uint16_t(GetPlayerWatchSlotPlayer(slot)))) return int16_t(slot);
    }
    return 1;
}

int16_t HVW_FindPlayerWatchSlot(uint16_t player) {
    if (player == 0) return -1;
    for (int slot = 0; slot < kPlayerWatchSlots; ++slot) {
        if (GetPlayerWatchSlotPlayer(slot) == int16_t(player)) return int16_t(slot);
    }
    return -1;
}

void HVW_SetPlayerWatchSlot(int16_t slot, uint16_t player) {
    if (slot < 0 || slot >= kPlayerWatchSlots) return;
    WatchSlotSet(slot, int16_t(player));
}

void HVW_ClearPlayerWatchSlot(uint16_t player) {
    const int16_t slot = HVW_FindPlayerWatchSlot(player);
    if (slot >= 0) WatchSlotSet(slot, 0);
}

// The list's end mark is not a player: it leaves its slot empty.
void HVW_FillPlayerWatchTable() {
    HVW_BuildSquadList(GetUserClub());
    for (int slot = 0; slot < kPlayerWatchSlots; ++slot) {
        const uint16_t entry = FirstTeamList.players[slot];
        WatchSlotSet(slot, entry == PlayerCount ? int16_t(0) : int16_t(entry));
    }
}

void Training_ClearLeftPlayers() {
    const int16_t user = GetUserClub();
    bool held[kTrainingRecords];
    for (int i = 0; i < kTrainingRecords; ++i) {
        const uint16_t player = GetTrainingRecordPlayer(i);
        held[i] = player != 0;
        if (!held[i]) continue;
        // A number no longer in use is a player who has left as well.
        if (user >= 0 && IsValidPlayer(player) && GetPlayerLoanClub(player) == uint16_t(user)) continue;
        uint8_t* r = TrainingRecords[i].bytes;
        StoreU16(r + kTrainingPlayer, 0);
        StoreU16(r + kTrainingRegular, 0);
        StoreU16(r + kTrainingExtra, 0);
        std::memset(r + kTrainingCounters, 0, kTrainingCounterCount);
    }
    for (int i = 0; i < kTrainingRecords; ++i) {
        if (held[i]) ResetScheduleBlocks(TrainingRecords[i].bytes);
    }
}
