// The saved-game screens: the user's surname after taking his first job
// (screen 16).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kSurnameBufferSize = 32;
// The surname being typed.
extern char SurnameBuffer[kSurnameBufferSize];

extern const MenuItem SurnameMenuTable[];
void SurnameMenu();
// Opens the text entry on the buffer.
int32_t SurnameEdit(MenuHotItem* item);
// Stores the typed surname on player 1 and goes on to the club screen.
int32_t SurnameDone(MenuHotItem* item);

// ---- The save-game index ("SaveData\\index.dat") and screens 46, 47, 98 ----

constexpr int kSaveSlots = 11;
constexpr int kAutoSaveSlot = 10;
constexpr int kSlotNameSize = 50;
constexpr int kSlotDescriptionSize = 100;
constexpr int kSaveIndexFileSize = kSaveSlots * (kSlotNameSize + 4 + kSlotDescriptionSize);
static_assert(kSaveIndexFileSize == 1694);

extern char SaveSlotNames[kSaveSlots][kSlotNameSize];
extern uint32_t SaveSlotFlags[kSaveSlots];
extern char SaveSlotDescriptions[kSaveSlots][kSlotDescriptionSize];
// Per slot 1 when the list shows it used.
extern int16_t SaveSlotShownUsed[kSaveSlots];

// 0 written; -1 cannot open, -2 a name, -3 a flag, -4 a description could
// not be written, -5 closing failed.
int SaveGameIndex();
// 0 read; 1 no index yet; -1 a name, -2 a flag, -3 a description could not
// be read, -4 closing failed (or the file is longer than an index).  On
// every result but 0 all slots are free.
int LoadGameIndex();
// The automatic save into slot 10 after a match day.
int AutoSaveGame();
// The description line of a slot saved now (prefix "" for a slot saved by
// hand, else the automatic save's words).
void BuildSlotDescription(char* out, const char* prefix);

// Screens 46 (load) and 47 (save) share one table; SaveLoadMode 1 loads.
extern const MenuItem SaveLoadTable[];
void SaveLoadMenu();
int32_t SaveLoadPickSlot(int16_t slot);
// Test view: the name line the list shows on row 0..9 ("" out of range).
const char* SaveLoadRowName(int16_t row);
// Screen 98: a click anywhere loads slot 0.
extern const MenuItem LoadSlotZeroTable[];
