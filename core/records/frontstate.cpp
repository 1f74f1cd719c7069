#include "core/records/frontstate.h"

uint16_t SelectedClub;
int16_t ClubScreenWord;
uint8_t SaveSlotScreenBytes[21];
uint8_t MatchDayScreenTable[2032];
DiaryNote DiaryNotes[10];
uint8_t PlayerSearchPresets[1864];
uint8_t PlayerSearchFilter[202];
uint16_t MenuCurrentPlayer;
int16_t MenuFixtureHome = -1;
int16_t MenuFixtureAway = -1;
int16_t MenuFixtureComp = -1;
