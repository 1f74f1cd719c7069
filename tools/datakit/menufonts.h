// The 15 menu fonts, drawn from the system's DejaVu faces with FreeType:
// one picture per font of 16 x 16 glyph cells, cell c holding
// Windows-1252 character c white on black (the red channel is the
// coverage), the advance marked by one yellow pixel in its column when it
// is narrower than the cell.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "tools/datakit/tgawrite.h"

namespace datakit {

// Where the faces are installed.
constexpr const char* DEJAVU_FONT_DIR = "/usr/share/fonts/truetype/dejavu";

struct DrawnFont {
    Picture sheet;
    std::array<uint8_t, 256> advances{};
};

// Draws font 0..14 of the game's font list; ends the run when a face is
// missing or a glyph does not fit.
DrawnFont DrawMenuFont(int font);
// Stages every font picture, after reading each back through the game's
// picture loader and checking its advances and frame count.
void GenerateMenuFonts();

}  // namespace datakit
