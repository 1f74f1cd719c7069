// The start screen (screen 22) and the name tables every other screen
// reads: the division names, the cup names and the club-name records, each
// from the user's edited files where they exist and the built-in names
// where they do not.
#pragma once
#include <cstdint>

#include "core/season/competitions.h"
#include "game/screens/engine/screenmachine.h"

// The name sets: set i names the divisions and cups of country i.  Division
// and cup names are CompetitionNames[i].division and .cup: 34 bytes each,
// at most 32 characters padded with blanks and terminated at byte 32.
constexpr int kNameSets = 8;
constexpr int kNameFieldChars = 32;

// Text ids of division name 0 of each set (the cups' are CupNameTextBase).
extern const int16_t DivisionNameTextBase[kNameSets];

// The start screen's table and its screen function (which loads the
// database and builds the name tables on the first walk only).
extern const MenuItem StartMenuTable[];
void StartMenuProc();

// Copies at most kNameFieldChars characters of text into field, pads it
// with blanks to kNameFieldChars and terminates it there.
void PadNameField(char field[kCompetitionNameSize], const char* text);
// Builds the three name tables; the screen function's first-entry work
// after the database load.
void BuildNameTables();
