// Icon files of the match display (three fonts and the mouse pointer): each
// picture is cut into equal cells and every cell registered as an icon.
// Drawing calls for the overlays: text in a font, a section of an icon,
// filled boxes on the screen or in a panel's 3D space, all aligned to an
// anchor and coloured from a fixed colour list.
//
// Alignment codes: upper nibble horizontal (0x00 or 0x10 left edge at x,
// 0x20 centred on x, 0x30 right edge at x), lower nibble vertical (0 or 1
// top at y, 2 centred, 3 bottom at y).  In 3D, as on the screen, x runs to
// the right and y downward.
#pragma once
#include <array>
#include <cstdint>

struct IconEntry {
    const char* file;     // under "zudata\d3d\icons", extension "tga"
    uint32_t formatKind;  // 0 semi-transparent texture format, 1 solid
    uint32_t flags;
    uint32_t cellWidth;
    uint32_t cellHeight;
    uint32_t columns;
    uint32_t rows;
    uint32_t* icons;  // one icon per cell, filled at load
    uint8_t* widths;  // one width per cell in proportional files, else null
};

// Cut with width markers: the cells get their own widths.
constexpr uint32_t kIconFlagWidths = 0x1;
// Drawn tinted with a colour-list colour (fonts); else white.
constexpr uint32_t kIconFlagTinted = 0x2;

constexpr int kIconFiles = 4;
constexpr uint32_t kFont24 = 0;
constexpr uint32_t kFont16 = 1;
constexpr uint32_t kFont12 = 2;
constexpr uint32_t kPointerFile = 3;
extern IconEntry IconFileTable[kIconFiles];

constexpr int kColourListSize = 57;
extern std::array<uint32_t, kColourListSize> ColourList;

// An icon identifier: the file row in the upper 16 bits, the cell in the
// lower 16 (a font character's cell is its character code).
constexpr uint32_t IconId(uint32_t file, uint32_t cell) { return file << 16 | cell; }

void Icon_Init();
void Icon_Uninit();
void ProcessIconFile(int row);
// Stores a colour from components 0..1; an index outside the list ends the
// program.
void AddIcon_ColourList(int index, float red, float green, float blue, float alpha);
// Later screen-space drawing is relative to (x, y), anchored to the screen
// as the alignment says.
void Icon_SetOrigin(int x, int y, uint8_t align);
uint32_t Icon_GetCellWidth(uint32_t icon);
uint32_t Icon_GetCellHeight(uint32_t icon);
// The icon's whole cell drawn over a section-sized screen rectangle.
void Icon_DrawSection(uint32_t icon, int x, int y, int sectionX, int sectionY, int sectionWidth,
                      int sectionHeight, uint8_t align, int colour);
void Icon_DrawBox(int x, int y, int width, int height, uint8_t align, int colour);
void Icon_DrawBox3D(float x, float y, float z, float width, float height, uint8_t align, int colour);
// A string in a font in the current 3D transform.
void Icon_DrawText(uint32_t font, const char* text, int length, float x, float y, float z, uint8_t align,
                   int colour);
void Icon_Printf(uint32_t font, float x, float y, float z, uint8_t align, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
void Icon_PrintfColour(int colour, uint32_t font, float x, float y, float z, uint8_t align,
                       const char* format, ...) __attribute__((format(printf, 7, 8)));
// A string on the screen at whole pixels, each character at its cell's size.
void Icon_PrintfScreen(uint32_t font, int x, int y, uint8_t align, int colour, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
void Icon_DrawIcon3D(uint32_t icon, float x, float y, float z, uint8_t align);

// The width a string takes in a font (the sum of its characters' widths).
uint32_t Icon_TextWidth(uint32_t font, const char* text, int length);
