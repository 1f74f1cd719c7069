#include "game/screens/engine/menuservices.h"

#include <cstring>

#include "game/screens/engine/painting.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"

MenuScreenBufferSet MenuScreenBuffers = {};

namespace {

constexpr uint16_t kBarColour = 0xCE59;
constexpr int kBarX = 28;
constexpr int kBarY = 543;
constexpr int kBarWidth = 744;
constexpr int kBarHeight = 16;
constexpr int kNameFieldSize = 34;
constexpr int kNameFieldLength = 32;

uint32_t g_lastTick = 0;

}  // namespace

void AlignInBox(int x, int y, int w, int h, uint16_t alignment, int* anchorX, int* anchorY) {
    switch (alignment & 3) {
        case 2:
            if (w != -1) x += w / 2;
            break;
        case 3:
            x += w - 2;
            break;
        default:
            x += 2;
    }
    switch (alignment & 12) {
        case 8:
            if (h != -1) y += h / 2;
            break;
        case 12:
            y += h - 2;
            break;
        default:
            y += 2;
    }
    *anchorX = x;
    *anchorY = y;
}

void DrawAligned(int x, int y, int w, int h, uint16_t alignment, const char* text) {
    int anchorX = 0, anchorY = 0;
    AlignInBox(x, y, w, h, alignment, &anchorX, &anchorY);
    DrawTextAddrAt(anchorX, anchorY, text != nullptr ? text : "", alignment);
}

void DrawTextFit(int x, int y, const char* text, uint16_t alignment) {
    if (text == nullptr) return;
    int16_t width = 0;
    GetTextSize(text, &width, nullptr);
    int left = x;
    if ((alignment & 3) == 2) left = x - width / 2;
    if ((alignment & 3) == 3) left = x - width;
    DrawTextAddrAt(left, y, text, JUSTIFY_LEFT_TOP);
}

void DrawBottomBar(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, kBarColour);
    DoButton(kBarX, kBarY, kBarWidth, kBarHeight);
    SetDrawParam(2, kept);
}

int16_t GetTextNoCellSize(int16_t textId, int16_t* width, int16_t* height) {
    int16_t w = 0, cell = 0;
    GetTextNoSize(textId, &w, nullptr);
    GetTextSize(" ", nullptr, &cell);
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = cell;
    return w;
}

void PollIfTimerTicked() {
    const uint32_t now = TimerIsRunning() ? GetTimerTicks() : 0;
    if (now == g_lastTick) return;
    g_lastTick = now;
    Poll();
}

void PadName34(char* field) {
    if (field == nullptr) return;
    // Blanks from the first zero to the field's last byte, so that nothing
    // left behind the name (byte 33 included) is stored with it.
    const size_t length = strnlen(field, kNameFieldSize);
    std::memset(field + length, ' ', kNameFieldSize - length);
    field[kNameFieldLength] = '\0';
}
