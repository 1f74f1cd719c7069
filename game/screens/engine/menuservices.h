// Small painting and timing services the screens share: aligned and
// fitted text, the bottom bar, a text id's cell size, the poll on a timer
// tick, name-field padding, and the buffers screens fill for their items.
#pragma once
#include <cstdint>

// The anchor of a text in a box: 2 centre (w / 2), 3 right (w - 2), else
// 2 in; 8 middle (h / 2), 12 bottom (h - 2), else 2 down.  A w or h of -1
// adds nothing for centring.
void AlignInBox(int x, int y, int w, int h, uint16_t alignment, int* anchorX, int* anchorY);
// Draws the text at its anchor in the box, justified by the alignment.
void DrawAligned(int x, int y, int w, int h, uint16_t alignment, const char* text);
// Draws the string measured against x: 5 left of it (starting at x), 6
// centred on it, 7 ending at it; the top at y.
void DrawTextFit(int x, int y, const char* text, uint16_t alignment);
// The common bottom bar (a type-36 painter): a light button bar 744 x 16 at
// (28, 543).
void DrawBottomBar(int x, int y, int w, int h);
// The width of the text id in the current font and the font's cell
// height; returns the width.
int16_t GetTextNoCellSize(int16_t textId, int16_t* width, int16_t* height);
// Polls once when the timer has moved on since the last call.
void PollIfTimerTicked();
// A 34-byte name field: every byte from the first zero to the end becomes
// a blank, and byte 32 ends the name (32 characters at most).
void PadName34(char* field);

// The shared buffers that screens fill and their items read.
constexpr int kScreenBufferRows = 32;
constexpr int kScreenRowPlayers = 18;
struct MenuScreenBufferSet {
    int16_t rowTextIds[kScreenBufferRows];
    int32_t rowNumbers[kScreenBufferRows];
    const char* rowStrings[kScreenBufferRows];
    char text[1000];
    char shortText[300];
    char word[21];
    uint32_t rowPlayers[kScreenRowPlayers];
    const void* subTables[2];
    const char* titleStrings[1];
    const char* nameStrings[kScreenBufferRows];
};
extern MenuScreenBufferSet MenuScreenBuffers;
