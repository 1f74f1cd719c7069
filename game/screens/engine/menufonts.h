// The menu system's own graphic resources and number texts: the 15 menu
// fonts and the icon sheets, loaded on first use from the pak archives into
// purgeable blocks (reloaded after a purge), glyphs blended into the menu
// back buffer, the map from icon numbers to sheet frames, and numbers and
// money turned into text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// ---- Fonts ----------------------------------------------------------------
constexpr int FONT_COUNT = 15;
// A font number of 1000 + n draws font n with a one-pixel black drop shadow.
constexpr int16_t FONT_SHADOW = 1000;

struct FontEntry {
    int16_t cellWidth;
    int16_t cellHeight;
    const char* fileName;  // in "menugfx\\font", extension "tga"
    uint8_t* glyphs;       // GFX0 of 256 frames of 24-bit pixels, red first (the coverage)
    uint8_t* widths;       // 256 advance widths
};
extern FontEntry FontList[FONT_COUNT];

constexpr int TEXT_COLOUR_COUNT = 28;
// RGB 5-6-5 text colours by colour number.
extern const uint16_t TextColourTable[TEXT_COLOUR_COUNT];

// Set by the text painters.
extern int16_t CurrentFontNumber;
extern int16_t TextColourNumber;
// Scales the coverage of every glyph drawn, 0..255.
extern int16_t TextOpacity;

void SetTextOpacity(int16_t value);
// Font 0..14 in memory; a missing or unreadable font file ends the program.
void LoadFont(int font);
// For the current font: width = sum of the characters' advances, height =
// the cell height (the drop shadow adds nothing).
void GetStringExtent(const char* text, int16_t* width, int16_t* height);
// Draws the string with its top-left corner at (x, y) in the current font,
// colour and opacity.  A glyph that would leave the screen is not drawn,
// but the pen still advances.
void DrawFontString(const char* text, int x, int y);
// A string the text painter drew: its text and the box its glyphs cover on
// the back buffer.
struct DrawnString {
    std::string text;
    int x, y, width, height;
};
// While a log is set, every string drawn is added to it, so that tests can
// read what a screen shows; nullptr ends the logging.
void SetDrawnStringLog(std::vector<DrawnString>* log);
// Blends one glyph (24-bit pixels, the red byte its coverage; rowSkip
// source pixels after each drawn row) into the back buffer.
void DrawGlyph(int x, int y, int width, int height, const uint8_t* glyph, int rowSkip, uint16_t colour);

// ---- Icons ----------------------------------------------------------------
constexpr int ICON_FILE_COUNT = 57;
constexpr int END_ICON = 207;

struct IconFileEntry {
    int16_t columns;
    int16_t rows;
    const char* fileName;  // in "menugfx\\icon"; null for entry 0
    int16_t frameWidth;    // 0 x 0: measured from the picture on loading
    int16_t frameHeight;
    uint8_t* picture;  // GFX0 of columns x rows frames in the screen's pixel format
};
// The 57 icon files and an end entry of 0 columns and rows.
extern IconFileEntry IconList[ICON_FILE_COUNT + 1];

struct IconNumberEntry {
    int16_t file;
    int16_t frame;
};
extern IconNumberEntry IconNumberMap[END_ICON];

void LoadIconFile(IconFileEntry* entry);
// Turns the whole icon file (size bytes) held in entry->picture into its
// frames in the screen's pixel format, measuring the frame size when the
// entry has none; bad data ends the program naming path.
void IconFileToFrames(IconFileEntry* entry, uint32_t size, const char* path);
// The frame size of a one-frame sheet listed without one (a GFX0 of 32-bit
// pixels, red in the low byte): everything but the magenta key from (1, 1)
// on lies inside it.
void MeasureIconPicture(const uint8_t* picture, int16_t* width, int16_t* height);
// The first pixel of the icon's frame (screen pixel format), icons 1..206.
const uint8_t* GetIconAddress(int icon);
void GetIconSize(int icon, int16_t* width, int16_t* height);
// Numbers every frame of the icon list and reports, on standard output,
// list entries without a file and archive files the lists do not name.
void InitIconLists();

// ---- Numbers --------------------------------------------------------------
constexpr int NUMBER_TEXT_SIZE = 36;
// Holds the result of Number2Str and the money formats; every call
// overwrites it.
extern char NumberTextBuffer[NUMBER_TEXT_SIZE];

// Number types of Number2Str.
enum NumberType : int32_t {
    NUMBER_PLAIN = 0,
    NUMBER_MONEY = 1,
    NUMBER_MONEY_PLAIN = 2,
    NUMBER_ORDINAL = 3,
    NUMBER_TWO_DIGITS = 4,
};
// Drawing parameter 3: the format Number2Str uses.
extern int32_t CurrentNumberType;

const char* Number2Str(int32_t value);
// Short money form with the money prefix ("1.5m" style, words from the
// language texts).
const char* Price2str(int32_t value);
// Short money form with one decimal digit and no prefix.
const char* Price2strPlain(int32_t value);
// Money prefix and every group of thousands ("1,000,005").
const char* Price2strFull(int32_t value);
// Writes "%d%s" of n and its ordinal suffix into buffer (at least 36 bytes).
void OrdinalStr(char* buffer, int16_t n);
