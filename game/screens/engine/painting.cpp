#include "game/screens/engine/painting.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "core/base/debug.h"
#include "core/records/text.h"
#include "game/screens/engine/backbuffer.h"

uint16_t DrawColour = 0x03E0;
int32_t ButtonStyle = 0;
int32_t CurrentListEntry = -1;

namespace {

constexpr const char* kModule = "exmenu";

// ---- Buttons ----------------------------------------------------------------

struct Rgb565 {
    int red;    // 5 bits
    int green;  // 6 bits
    int blue;   // 5 bits
};

Rgb565 Split565(uint16_t colour) { return {colour >> 11, (colour >> 5) & 63, colour & 31}; }

// A colour as three channel percentages 0..100.
struct Percent {
    int red, green, blue;
    Percent Shifted(int by) const {
        return {std::clamp(red + by, 0, 100), std::clamp(green + by, 0, 100), std::clamp(blue + by, 0, 100)};
    }
    uint16_t To565() const {
        return uint16_t((red * 32 / 101) << 11 | (green * 64 / 101) << 5 | (blue * 32 / 101));
    }
    // 0x00BBGGRR, each channel the percentage x 2.55 cut toward zero.
    uint32_t ToBgr() const {
        auto channel = [](int p) { return uint32_t(int(p * 2.55)); };
        return channel(red) | channel(green) << 8 | channel(blue) << 16;
    }
};

Percent PercentOf(uint16_t colour) {
    const Rgb565 c = Split565(colour);
    return {c.red * 101 / 32, c.green * 101 / 64, c.blue * 101 / 32};
}

uint32_t Bgr(int red, int green, int blue) {
    return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16;
}

// Each column one colour, from left to right.
void HorizontalGradient(int x, int y, int width, int height, uint32_t left, uint32_t right) {
    FillGradientRect(x, y, width, height, left, right, left, right);
}

void GradientButton(int x, int y, int w, int h, uint16_t colour) {
    const Rgb565 c = Split565(colour);
    const int red = c.red * 8 + c.red / 4, green = c.green * 4 + c.green / 8, blue = c.blue * 8 + c.blue / 4;
    const uint32_t full = Bgr(red, green, blue);
    const uint32_t dark = Bgr(red * 75 / 100, green * 75 / 100, blue * 75 / 100);
    FillSolidRect(x, y, w, h, 0x0000);
    if (w > 100 && h > 20) {
        HorizontalGradient(x + 1, y + 1, w - 2, h - 2, dark, full);
        FillSolidRect(x + 3, y + 3, w - 6, h - 6, 0x0000);
        HorizontalGradient(x + 4, y + 4, w - 8, h - 8, full, dark);
    } else {
        HorizontalGradient(x + 2, y + 2, w - 4, h - 4, full, dark);
    }
}

void BevelButton(int x, int y, int w, int h, uint16_t colour) {
    const Percent p = PercentOf(colour);
    const uint16_t light = p.Shifted(20).To565(), dark = p.Shifted(-20).To565();
    FillSolidRect(x, y, 2, h, dark);
    FillSolidRect(x, y + h - 2, w, 2, light);
    FillSolidRect(x + w - 2, y, 2, h, light);
    FillSolidRect(x, y, w, 2, dark);
    HorizontalGradient(x + 2, y + 2, w - 4, h - 4, p.Shifted(10).ToBgr(), p.Shifted(-10).ToBgr());
}

void TranslucentButton(int x, int y, int w, int h, uint16_t colour) {
    const Percent p = PercentOf(colour);
    if (p.red + p.green + p.blue > 30) {
        const uint16_t light = p.Shifted(20).To565(), dark = p.Shifted(-20).To565();
        FillTranslucentRect(x, y, 4, h, light, 127);
        FillTranslucentRect(x, y + h - 4, w, 4, dark, 127);
        FillTranslucentRect(x + w - 4, y, 4, h, dark, 127);
        FillTranslucentRect(x, y, w, 4, light, 127);
    } else {
        // A dark colour: the edges shade by how much light they catch.
        FillTranslucentRect(x + 4, y, w - 4, 4, colour, 63);
        FillTranslucentRect(x, y, 4, h - 4, colour, 63);
        FillTranslucentRect(x, y + h - 4, w - 4, 4, colour, 191);
        FillTranslucentRect(x + w - 4, y + 4, 4, h - 4, colour, 191);
    }
    FillTranslucentRect(x + 4, y + 4, w - 8, h - 8, colour, 127);
}

// ---- Word wrap --------------------------------------------------------------

int16_t TextWidth(const char* text) {
    int16_t width = 0;
    GetStringExtent(text, &width, nullptr);
    return width;
}

// Whether the first count characters of the line fit the box.
bool PrefixFits(char* line, size_t count, int boxWidth) {
    const char kept = line[count];
    line[count] = '\0';
    const bool fits = TextWidth(line) <= boxWidth;
    line[count] = kept;
    return fits;
}

// Where the line ending at its terminator gets cut: a space that lets the
// prefix fit, or nullptr when no space does.
char* CutAtSpace(char* line, int boxWidth) {
    char* space = std::strrchr(line, ' ');
    while (space != nullptr) {
        *space = '\0';
        if (TextWidth(line) <= boxWidth) return space;
        *space = ' ';
        char* previous = nullptr;
        for (char* c = line; c < space; ++c) {
            if (*c == ' ') previous = c;
        }
        space = previous;
    }
    return nullptr;
}

}  // namespace

void SetDrawParam(int32_t kind, int32_t value) {
    switch (kind) {
        case 1:
            TextColourNumber = int16_t(value);
            break;
        case 2:
            DrawColour = uint16_t(value);
            break;
        case 3:
            CurrentNumberType = value;
            break;
        case 4:
            ButtonStyle = value;
            break;
        case 5:
        case 6:
        case 8:
            CurrentListEntry = value;
            break;
        case 7:
            SetTextOpacity(int16_t(value * 255 / 100));
            break;
        case 9:
            CurrentListEntry = -1;
            break;
        default:
            break;
    }
}

void SetFont(int16_t font) { CurrentFontNumber = font; }

int16_t GetTextSize(const char* text, int16_t* width, int16_t* height) {
    int16_t w = 0, h = 0;
    GetStringExtent(text, &w, &h);
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return w;
}

int16_t GetTextNoSize(int16_t textId, int16_t* width, int16_t* height) {
    return GetTextSize(GetText(textId), width, height);
}

int16_t GetCharSize(char character, int16_t* width, int16_t* height) {
    const char text[2] = {character, '\0'};
    return GetTextSize(text, width, height);
}

int16_t GetIconSizeScaled(int icon, int16_t* width, int16_t* height) {
    int16_t w = 0, h = 0;
    GetIconSize(icon, &w, &h);
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return w;
}

void AlignPoint(int* x, int* y, int width, int height, uint16_t justify) {
    switch (justify & 3) {
        case 2:
            *x -= width / 2;
            break;
        case 3:
            *x -= width;
            break;
        default:
            break;
    }
    switch (justify & 12) {
        case 8:
            *y -= height / 2;
            break;
        case 12:
            *y -= height;
            break;
        default:
            break;
    }
}

void DrawTextAddrAt(int x, int y, const char* text, uint16_t justify) {
    int16_t width = 0, height = 0;
    GetTextSize(text, &width, &height);
    AlignPoint(&x, &y, width, height, justify);
    DrawFontString(text, x, y);
}

void DrawTextNoAt(int x, int y, int16_t textId, uint16_t justify) {
    DrawTextAddrAt(x, y, GetText(textId), justify);
}

void DrawNumberAt(int x, int y, int32_t value, uint16_t justify) {
    DrawTextAddrAt(x, y, Number2Str(value), justify);
}

void DrawCharAligned(int x, int y, char character, uint16_t justify) {
    const char text[2] = {character, '\0'};
    DrawTextAddrAt(x, y, text, justify);
}

int XDoTextAddr(std::span<char> buffer, std::span<char*> lines, int boxWidth) {
    if (lines.empty() || buffer.empty()) return 0;
    // Bytes in use: the text, its terminator and the second zero.
    size_t used = std::strlen(buffer.data()) + 2;
    if (used > buffer.size()) return 0;
    lines[0] = buffer.data();
    size_t n = 0;
    while (n < lines.size() && *lines[n] != '\0') {
        char* line = lines[n];
        if (char* newline = std::strchr(line, '\n')) *newline = '\0';
        char* next;
        const size_t length = std::strlen(line);
        if (TextWidth(line) <= boxWidth) {
            next = line + length + 1;
        } else if (char* cut = CutAtSpace(line, boxWidth)) {
            next = cut + 1;
        } else {
            // One word wider than the box: break it after its last
            // character that fits (one character at worst), moving the rest
            // of the text up a byte for the terminator.  Ending the game
            // here, as a word too long for its box once did, would let a
            // long name typed by the user stop it.
            size_t keep = 1;
            while (keep + 1 < length && PrefixFits(line, keep + 1, boxWidth)) ++keep;
            const size_t at = size_t(line - buffer.data()) + keep;
            if (keep < length && used < buffer.size()) {
                std::memmove(buffer.data() + at + 1, buffer.data() + at, used - at);
                buffer[at] = '\0';
                ++used;
                next = line + keep + 1;
            } else {
                next = line + length + 1;
            }
        }
        if (n + 1 < lines.size()) lines[n + 1] = next;
        ++n;
    }
    return int(n);
}

void DrawWrappedText(int x, int y, const char* text, uint16_t justify, int boxWidth, int boxHeight) {
    // Room for the second zero and for a break after every character.
    const size_t length = std::strlen(text);
    std::vector<char> copy(2 * length + 2, '\0');
    std::memcpy(copy.data(), text, length);
    std::vector<char*> lines(WRAP_LINE_TABLE);
    const int count = XDoTextAddr(copy, lines, boxWidth);
    if (count == 0) return;
    int16_t lineHeight = 0;
    GetTextSize(" ", nullptr, &lineHeight);
    int anchorX = x;
    switch (justify & 3) {
        case 2:
            anchorX = x + boxWidth / 2;
            break;
        case 3:
            anchorX = x + boxWidth;
            break;
        default:
            break;
    }
    int anchorY = y;
    switch (justify & 12) {
        case 8:
            anchorY = y + boxHeight / 2 - (lineHeight * (count - 1)) / 2;
            break;
        case 12:
            anchorY = y + boxHeight - (count - 1) * lineHeight;
            break;
        default:
            break;
    }
    for (int i = 0; i < count; ++i, anchorY += lineHeight)
        DrawTextAddrAt(anchorX, anchorY, lines[i], justify);
}

void DrawScrollingText(int x, int y, const char* text, uint16_t justify, int bandWidth, int offset,
                       int repeat) {
    int16_t bandHeight = 0;
    GetTextSize(" ", nullptr, &bandHeight);
    AlignPoint(&x, &y, bandWidth, bandHeight, justify);
    RestoreRectFromBuffer(x, y, bandWidth, bandHeight);
    if (GetTextSize(text, nullptr, nullptr) == 0) return;
    const int bandRight = x + bandWidth;
    int pen = x + offset;
    int leftmost = INT_MAX, rightmost = INT_MIN;
    const char* c = text;
    while (pen < bandRight) {
        if (*c == '\0') {
            if ((repeat & 1) == 0) break;
            c = text;
        }
        const int width = GetCharSize(*c, nullptr, nullptr);
        if (pen + width > x) {
            DrawCharAligned(pen, y, *c, JUSTIFY_LEFT_TOP);
            leftmost = std::min(leftmost, pen);
            rightmost = std::max(rightmost, pen + width);
        }
        pen += width;
        ++c;
    }
    // Characters drawn whole across the band's ends are cut back to it.
    if (leftmost < x) RestoreRectFromBuffer(leftmost, y, x - leftmost, bandHeight);
    if (rightmost > bandRight) RestoreRectFromBuffer(bandRight, y, rightmost - bandRight, bandHeight);
}

void DrawSolidRect(int x, int y, int width, int height) { FillSolidRect(x, y, width, height, DrawColour); }

void DrawShadedRect(int x, int y, int width, int height, int percent) {
    FillTranslucentRect(x, y, width, height, DrawColour, uint8_t(std::clamp(percent * 255 / 100, 0, 255)));
}

void DrawBox(int x, int y, int width, int height) {
    DrawLine(x, y, x + width, y, DrawColour);
    DrawLine(x, y + height, x + width, y + height, DrawColour);
    DrawLine(x, y, x, y + height, DrawColour);
    DrawLine(x + width, y, x + width, y + height, DrawColour);
}

void DrawRelLine(int x, int y, int dx, int dy) { DrawLine(x, y, x + dx, y + dy, DrawColour); }

void DoButton(int x, int y, int width, int height) {
    if (width == 0 || height == 0) return;
    width = std::max(width, 4);
    height = std::max(height, 4);
    switch (ButtonStyle) {
        case 0:
            GradientButton(x, y, width, height, DrawColour);
            break;
        case 1:
            BevelButton(x, y, width, height, DrawColour);
            break;
        case 2:
            TranslucentButton(x, y, width, height, DrawColour);
            break;
        default:
            AbortError(kModule, __LINE__, "DoButton(): unknown button type");
    }
}

void DrawLabelledButton(int x, int y, int width, int height, const char* label) {
    // The face colour of a button and of one that does nothing now (its label
    // in the dimmed colour code): dark, with the label lighter, so that it
    // still reads.
    constexpr uint16_t kFace = 0x5AD4, kInactiveFace = 0x2945;
    constexpr int16_t kInactiveLabel = 9, kInactiveLabelShown = 10;
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    const int16_t labelColour = TextColourNumber;
    const bool inactive = labelColour == kInactiveLabel;
    SetDrawParam(4, 0);
    SetDrawParam(2, inactive ? kInactiveFace : kFace);
    DoButton(x, y, width, height);
    if (inactive) TextColourNumber = kInactiveLabelShown;
    DrawTextAddrAt(x + width / 2, y + height / 2, label, JUSTIFY_CENTRE_MIDDLE);
    TextColourNumber = labelColour;
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

void DrawIcon(int x, int y, int icon, uint16_t justify) {
    int16_t width = 0, height = 0;
    GetIconSize(icon, &width, &height);
    const uint8_t* pixels = GetIconAddress(icon);
    AlignPoint(&x, &y, width, height, justify);
    DrawImageToBackBufferPlain(x, y, width, height, pixels);
}

void DrawIconPart(int x, int y, int icon, uint16_t justify, int partX, int partY, int partWidth,
                  int partHeight) {
    int16_t width = 0, height = 0;
    GetIconSize(icon, &width, &height);
    const uint8_t* pixels = GetIconAddress(icon);
    AlignPoint(&x, &y, width, height, justify);
    if (partX < 0 || partY < 0 || partWidth <= 0 || partHeight <= 0 || partX + partWidth > width ||
        partY + partHeight > height) {
        return;
    }
    const size_t offset = (size_t(partY) * size_t(width) + size_t(partX)) * size_t(MenuBytesPerPixel());
    DrawImageToBackBuffer(x + partX, y + partY, partWidth, partHeight, pixels + offset, width - partWidth);
}

void RestoreRectAligned(int x, int y, int width, int height, uint16_t justify) {
    AlignPoint(&x, &y, width, height, justify);
    RestoreRectFromBuffer(x, y, width, height);
}
