// Diary notes that club jobs queue for a day, the filter that shows a
// pop-up only when the user's club is involved, and the choice of a message
// type's body text.  Display-free: the boxes are shown through the core's
// note-box hook, which the game installs.
#pragma once
#include <cstdint>

constexpr int kDiaryNoteSlots = 10;
constexpr int kDiaryNoteTextSize = 301;  // 300 characters and the terminator

// On while a game is on (the front end sets it): the filtered pop-ups show
// only then.
extern int32_t PopupSwitch;

// Stores the note in the first free slot with the next sequence number and
// returns 1; 0 (nothing stored) when all ten slots are taken.  The text is
// cut to 300 characters.
int16_t AddDiaryNote(const char* text, int16_t day, uint32_t boxArgument);
// Shows every note dated today, in slot order, and frees its slot.
void ShowDueDiaryNotes();
// Frees slot 0-9; other indices are ignored.
void ClearDiaryNote(int16_t index);
void ClearAllDiaryNotes();
// Read-only views of a slot for the screens and tests.
const char* DiaryNoteText(int16_t index);
int16_t DiaryNoteDay(int16_t index);
uint8_t DiaryNoteSequence(int16_t index);

// How many of the clubs involve the user's club: mode 0 counts 1 from the
// start, 2 counts a club that is the user's, 3 a club of the user's nation
// and division; other modes count nothing.  -1 is no club.
int16_t DiaryUserInvolvement(int16_t mode, int16_t club1, int16_t club2);
// Shows the box when the pop-up switch is on and the count above is not 0;
// nothing for a null text or a club number of 1200 or more.
void ShowMessageBoxIfUserInvolved(const char* text, uint32_t boxArgument, int16_t mode, int16_t club1,
                                  int16_t club2);

// Expands body `variant` of the message type (6 = a random one; a variant
// without a body is 0) with the current message arguments.  A type without
// bodies gives the empty text.
const char* TextMsg_ExpandBody(int16_t messageType, int16_t variant);
