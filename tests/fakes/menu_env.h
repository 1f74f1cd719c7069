// The menu painters over the data kit's archive for tests: memory, the pak
// layer on the generated game folder, the English texts, the icon list and
// a back buffer in a given screen format (memory only, or on a headless
// 800 x 600 display mode).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/screens/engine/menufonts.h"
#include "game/system/pixelformats.h"

namespace testenv {

// False (with nothing started) when the data kit has not written the game
// folder.
bool StartMenuPaint(const std::string& gameDir, const ColFmt* format, int width = 800, int height = 600);
// The same on a real display mode of 800 x 600 in 16, 24 or 32 bits, headless;
// flushes then reach the drawing surface.  windowFlags: 1 windowed, 0 full
// screen.
bool StartMenuDisplay(const std::string& gameDir, int bitsPerPixel, uint32_t windowFlags = 1);
void StopMenuPaint();

// The pixels of the newest grab ("grab%04d.tga" in the working folder),
// 800 x 600 as 0xRRGGBB; empty when there is none.
std::vector<uint32_t> NewestGrabPixels();
// The name of grab number n, "grab%04d.tga".
std::string GrabName(int n);
// The newest grab's name; "" when there is none.
std::string NewestGrabName();
// The pixel bytes of a grab (blue, green, red, rows from the top) as the
// game reads pictures; empty when it is not there or does not read.
std::vector<uint8_t> GrabBytes(const std::string& name);
// The same of grab number n; empty when it is not there.
std::vector<uint32_t> GrabPixels(int n);
// The back buffer's pixel at (x, y): its three colour bytes as the buffer
// keeps them.
uint32_t BackPixel(int x, int y);
// The commonest of the colours, 0 when there are none: among the pixels a
// text changed, its letters' own colour (their blended edges depend on
// what lies beneath).
uint32_t CommonestColour(std::vector<uint32_t> colours);
// The pixels of a box of an 800 x 600 grab that differ from the box's
// commonest colour: what is drawn over its ground.
int InkInBox(const std::vector<uint32_t>& grab, int x, int y, int w, int h);
// The grab with red and blue in the back buffer's order: the grab file and
// the buffer may order them apart, which the plain background (menu
// background 4, shown in the buffer) at (8, 300) tells.
std::vector<uint32_t> GrabInBufferOrder(std::vector<uint32_t> grab);
// A text's letters in a grab: `draw` paints the text alone over what the
// back buffer holds in the box [left, right) x [top, bottom), and its
// letters' own colour is the commonest colour it changed there.  The
// pixels it painted in that colour, and how many of them the grab holds in
// that colour as it is and with red and blue swapped.
struct LettersFound {
    int letters = 0;
    int same = 0;
    int sameSwapped = 0;
};
LettersFound LettersInGrab(const std::vector<uint32_t>& grab, int left, int top, int right, int bottom,
                           const std::function<void()>& draw);
// The strings of one whole drawing of the screen up (the top table walked
// once more).
std::vector<DrawnString> ScreenStrings();
// A pair of strings that the screen's layout itself places over each other.
using LaidOverEachOther = std::function<bool(const DrawnString&, const DrawnString&)>;
// What reads wrong among a screen's strings, one line each: a string past
// the screen's edge, two different strings drawn over each other (but for
// the pairs laidOver names), money with its sign twice.
std::vector<std::string> StringFaults(const std::vector<DrawnString>& strings,
                                      const LaidOverEachOther& laidOver = nullptr);

// Pixels of a box of such a grab brighter than the screens' dark panels
// (a channel above 170): the text and figures drawn there.
int BrightPixels(const std::vector<uint32_t>& grab, int x, int y, int w, int h);

}  // namespace testenv
