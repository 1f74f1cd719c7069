// Tactic books: the custom tactic tables of both sides, the formation
// presets and the tactic records built from them.
#pragma once
#include <cstdint>

// One tactic: 11 entries of 30 bytes, one per starting shirt.  Entry k
// holds the grid x of the player's position at +5 and the grid y at +7
// (u16), a second and a third position at +9/+11 and +20/+22, the link
// byte at +13, instructions C, A, B at +17..+19 and three optional links
// at +24, +26, +28.
constexpr int kTacticEntrySize = 30;
constexpr int kTacticEntries = 11;
constexpr int kTacticRecordSize = kTacticEntrySize * kTacticEntries;
constexpr int kCustomTacticSlots = 12;
constexpr int kFormationPresets = 10;

struct TacticRecord {
    uint8_t bytes[kTacticRecordSize];
};
static_assert(sizeof(TacticRecord) == 330);

struct CustomTacticTable {
    uint8_t bytes[3960];
};
static_assert(sizeof(CustomTacticTable) == kCustomTacticSlots * kTacticRecordSize);
extern CustomTacticTable CustomTacticTableA;
extern CustomTacticTable CustomTacticTableB;

// The two selection words of each book, copied into the team block of the
// side that plays with the book: the tactic it plays (0-9 a preset, 10-21
// a custom slot of the book) and a second tactic option word.
// The tactic words are saved after each book (book B's, then book A's), so
// a load plays what was chosen.
extern int16_t CurrentTacticB;
extern int16_t CurrentTacticA;
extern int16_t TacticOptionA;
extern int16_t TacticOptionB;

// Entry 0's grid x of an empty custom slot.
constexpr uint16_t kEmptyTacticSlot = 0xFFFF;

// Grid position of an entry of a tactic record.
int16_t GetTacticEntryX(const TacticRecord* record, int entry);
int16_t GetTacticEntryY(const TacticRecord* record, int entry);

// Fills the record from preset 0-9; any other preset is fatal.
void GetComputerTactics(TacticRecord* record, int16_t preset);
// Index 0-9: the preset built into a shared scratch record (the next call
// overwrites it); 10-21: that custom slot of the side's book.  Other
// indexes have no record: nullptr.
TacticRecord* GetTacticRecordA(int16_t index);
TacticRecord* GetTacticRecordB(int16_t index);
// Name text id of preset 0-9; every other index names a custom tactic.
int16_t GetFormationNameText(int16_t index);
// A new game: every custom slot of both books empty, the four selection
// words 0.
void InitCustomTactics();
// 1 when the slot of the book holds no tactic.
bool IsCustomTacticEmpty(const TacticRecord* record);
