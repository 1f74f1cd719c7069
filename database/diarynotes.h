// Diary notes that management code queues for a day, and the choice of a
// message type's body text.
#pragma once
#include <cstdint>

// Stores the note in the first free slot with the next sequence number and
// returns 1; 0 when all ten slots are taken.
int16_t AddDiaryNote(const char* text, int16_t day, uint32_t boxArgument);
// Expands body `variant` of the message type (6 = a random one; a variant
// without a body is 0) with the current message arguments.
const char* TextMsg_ExpandBody(int16_t messageType, int16_t variant);
