// The shared row renderers of the player and club lists: bands and button
// faces in a player's position colour or a club's colours with the name in
// outlined letters, a player's three setting letters, a row of digit cells,
// a grey framed box, and the news ticker at the bottom of the front-end
// screens.
//
// The player renderers draw the player of the current list entry
// (CurrentListEntry, an index into MenuRowList); the club renderers take the
// current list entry as the club number.  A row without a valid entry draws
// nothing.  (x, y) is the row's anchor; width and height are pixels.
#pragma once
#include <cstdint>
#include <span>

// The current list screen's entries (player numbers) and its view mode:
// modes 7, 11 and 15 put the name band left of the anchor with
// right-justified names, every other mode right of it.
extern std::span<const int32_t> MenuRowList;
extern int16_t MenuRowViewMode;

// The ticker's scroll position, kept between frames.
extern int16_t TickerOffset;

// Position colours of the four position types, (r, g, b).
extern const int16_t PositionColours[4][3];

// One frame of the news ticker: moves it 2 pixels left, starting again
// once the whole text has passed.
void DrawTickerBand();
// The ticker as the title bar's custom animation: a frame of the band once
// the screen is up (not while a screen is first drawn: the band is drawn
// over the screen's saved picture, taken after that walk), the drawing
// state left as the screen's items set it.
void TickerBandFrame(int16_t frame);
// A light grey box with a black outline.
void DrawGreyFramedBox(int x, int y, int width, int height);
// Nine bevelled cells in groups of one, two, three and three: the money
// sign, then the eight digits of values with commas between the groups.
void DrawNineCellRow(const int16_t values[8], int x, int y, int cellWidth, int cellHeight);
// The first cells of that row: the money sign and cells - 1 digits.
void DrawMoneyCells(const int16_t* values, int cells, int x, int y, int cellWidth, int cellHeight);
// The current player's three settings as letters from (x, y) on.
void DrawPlayerSettingIcons(int x, int y);
// The same letters for the player given (nothing for a number that is not
// a player's), for rows that keep their own players rather than the list's.
void DrawSettingIconsOf(int32_t player, int x, int y);
void DrawPlayerNameBand(int x, int y, int width, int height);
void DrawPlayerNameButton(int x, int y, int width, int height);
void DrawClubNameButton(int x, int y, int width, int height);
void DrawClubNameBand(int x, int y, int width, int height);
// A team-sheet row: the player's name band as DrawPlayerNameBand draws it,
// with style as the view mode (7 band left, 5 band right).
void DrawTeamSheetList(int x, int y, int width, int height, int16_t style, int32_t player);
