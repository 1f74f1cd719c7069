// The painting layer's drawing state, set through SetDrawParam.
#pragma once
#include <cstdint>

extern uint16_t DrawColour;  // RGB 5-6-5
extern int16_t TextColourNumber;
extern int32_t ButtonStyle;       // 0..2
extern int32_t CurrentListEntry;  // -1 none

// Kinds: 1 text colour number, 2 draw colour, 3 number type, 4 button style,
// 5, 6 and 8 current list entry, 7 text opacity in percent, 9 no current list
// entry.  Other kinds are ignored.
void SetDrawParam(int32_t kind, int32_t value);
