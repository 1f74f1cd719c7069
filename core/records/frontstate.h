// Front-end state the saved game keeps: the club the club screens show,
// the save-slot screen, the match-day screen table, diary notes and the
// player search.  Defined beside the records because the saved game writes
// them whole; the screens read and change them.
#pragma once
#include <cstdint>

extern uint16_t SelectedClub;
extern int16_t ClubScreenWord;
extern uint8_t SaveSlotScreenBytes[21];
// Its first word holds the referee of the user's next match plus one (0
// none), written by every save and read back by every load.
extern uint8_t MatchDayScreenTable[2032];

struct DiaryNote {
    uint8_t bytes[308];
};
static_assert(sizeof(DiaryNote) == 308);
extern DiaryNote DiaryNotes[10];

extern uint8_t PlayerSearchPresets[1864];
extern uint8_t PlayerSearchFilter[202];

// The player the job screens are about: the job application reads his
// reputation.  Not saved.
extern uint16_t MenuCurrentPlayer;

// The fixture the match screens show: home club, away club and code.  Not
// saved.
extern int16_t MenuFixtureHome;
extern int16_t MenuFixtureAway;
extern int16_t MenuFixtureComp;
