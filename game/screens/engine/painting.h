// The painting layer every menu screen draws through: a small drawing state,
// text at an anchor with a justification code, measuring, word-wrapped
// boxes, rectangles, lines, buttons, icons and a scrolling text band.  All
// of it goes into the menu back buffer and marks dirty cells; nothing
// reaches the screen before the next screen update.
//
// Justification code: bits 0-1 horizontal (0 or 1 left, 2 centre, 3 right),
// bits 2-3 vertical (0 or 4 top, 8 middle, 12 bottom).
#pragma once
#include <cstdint>
#include <span>

#include "game/screens/engine/menufonts.h"

constexpr uint16_t JUSTIFY_LEFT_TOP = 5;
constexpr uint16_t JUSTIFY_CENTRE_TOP = 6;
constexpr uint16_t JUSTIFY_RIGHT_TOP = 7;
constexpr uint16_t JUSTIFY_LEFT_MIDDLE = 9;
constexpr uint16_t JUSTIFY_CENTRE_MIDDLE = 10;
constexpr uint16_t JUSTIFY_RIGHT_MIDDLE = 11;

// The line table of DrawWrappedText.
constexpr int WRAP_LINE_TABLE = 512;

extern uint16_t DrawColour;       // RGB 5-6-5
extern int32_t ButtonStyle;       // 0..2
extern int32_t CurrentListEntry;  // -1 none

// Kinds: 1 text colour number, 2 draw colour, 3 number type, 4 button style,
// 5, 6 and 8 current list entry, 7 text opacity in percent, 9 no current list
// entry.  Other kinds are ignored.
void SetDrawParam(int32_t kind, int32_t value);
// 0..14, or 1000 + n for font n with a drop shadow.
void SetFont(int16_t font);

// Sizes in pixels in the current font; the out-pointers may be null.
int16_t GetTextSize(const char* text, int16_t* width, int16_t* height);
int16_t GetTextNoSize(int16_t textId, int16_t* width, int16_t* height);
int16_t GetCharSize(char character, int16_t* width, int16_t* height);
int16_t GetIconSizeScaled(int icon, int16_t* width, int16_t* height);
// Moves an anchor to the top-left corner of a width x height box.
void AlignPoint(int* x, int* y, int width, int height, uint16_t justify);

void DrawTextAddrAt(int x, int y, const char* text, uint16_t justify);
void DrawTextNoAt(int x, int y, int16_t textId, uint16_t justify);
void DrawNumberAt(int x, int y, int32_t value, uint16_t justify);
void DrawCharAligned(int x, int y, char character, uint16_t justify);
// Word-wrapped in a box of boxWidth: each line justified on its own, the
// block placed vertically in boxHeight; lines are not cut to the box.
void DrawWrappedText(int x, int y, const char* text, uint16_t justify, int boxWidth, int boxHeight);
// Breaks the text in buffer (ending with two zero bytes) into lines in
// place, storing their starts in lines; returns the line count.  Newlines
// force breaks, lines break at their last space that lets them fit, and a
// word wider than the box breaks at its last character that fits when the
// buffer has a spare byte for the break (else the line stays too wide).
// Stops when the line table is full.
int XDoTextAddr(std::span<char> buffer, std::span<char*> lines, int boxWidth);
// One frame of a text band scrolling by offset; bit 0 of repeat starts the
// text again while the band is not full.
void DrawScrollingText(int x, int y, const char* text, uint16_t justify, int bandWidth, int offset,
                       int repeat);

// Rectangles and lines in the draw colour; (x, y) the top-left corner.
void DrawSolidRect(int x, int y, int width, int height);
void DrawShadedRect(int x, int y, int width, int height, int percent);
// The outline from (x, y) to (x + width, y + height), its bottom-right
// corner pixel left out.
void DrawBox(int x, int y, int width, int height);
void DrawRelLine(int x, int y, int dx, int dy);
// A button face in the current button style; a style other than 0..2 ends
// the program.
void DoButton(int x, int y, int width, int height);
// A gradient button face with its label centred on it in the current
// colour code; a label in code 9 (a button that does nothing now) is drawn
// on a dark face in a lighter grey.
void DrawLabelledButton(int x, int y, int width, int height, const char* label);
void DrawIcon(int x, int y, int icon, uint16_t justify);
// Aligns the whole icon at the anchor and draws only the part rectangle.
void DrawIconPart(int x, int y, int icon, uint16_t justify, int partX, int partY, int partWidth,
                  int partHeight);
void RestoreRectAligned(int x, int y, int width, int height, uint16_t justify);
