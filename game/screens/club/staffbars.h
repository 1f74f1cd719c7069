// The two bar painters of the staff and player condition screens: a
// rating bar coloured by a seven-step scale from red to green, and a
// two-part bar of a value with the change training brought to it.  Both
// are bevelled: the top row in the full colour, the rows between at 10/12
// of it and the bottom row and the last column at one half.
#pragma once
#include <cstdint>

// The colour of the rating bars' shaded backgrounds (16-bit 5-6-5).
constexpr uint16_t kStaffBarBackground = 0xEF5C;

// An RGB colour (0..255 a channel) as 16-bit 5-6-5, by way of percentages:
// each channel x 100 / 255, then x 32 / 101 for red and blue and x 64 / 101
// for green.
uint16_t Staff_Colour565(int red, int green, int blue);

// The step 0..6 of the seven-colour scale for the value.  A maximum below 7
// counts as 7.
int Staff_PercentBarStep(int value, int reverse, int maximum, int offset);

// A bar length x height at (x, y) in the scale's colour for the value;
// nothing for a length of 0 or less.  Leaves the draw colour as it was.
void Staff_DrawPercentBar(int x, int y, int length, int height, int value, int reverse, int maximum,
                          int offset);

// A base segment in blue followed by the change segment, yellow for a rise
// and red otherwise; nothing when the two lengths add up to 0 or less.
// Leaves the draw colour as it was.
void Staff_DrawChangeBar(int x, int y, int baseLength, int changeLength, int height, int change);

// The three shades of a bar colour: full, body (10/12) and edge (1/2).
struct StaffBarShades {
    uint16_t full, body, edge;
};
StaffBarShades Staff_BarShades(int red, int green, int blue);
