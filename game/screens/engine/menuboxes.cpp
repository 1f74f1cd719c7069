#include "game/screens/engine/menuboxes.h"

#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/season/soak.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"

ScreenSectionRecord ScreenSection[SCREEN_SECTION_COUNT];

ChoiceButton YesNoButtons[3] = {
    {300, 350, 80, 30, 249, 10, 0, 0},
    {500, 350, 80, 30, 248, 10, 0, 0},
    {0, 0, 0, 0, -1, 0, 0, 0},
};

ChoiceButton ThreeWayButtons[4] = {
    {400, 300, 160, 30, 870, 10, 0, 0},
    {400, 340, 160, 30, 1999, 10, 0, 0},
    {400, 380, 160, 30, 639, 10, 0, 0},
    {0, 0, 0, 0, -1, 0, 0, 0},
};

namespace {

constexpr int16_t kPromptTextId = 874;
constexpr int kLayoutCentreX = 400;
constexpr int kLayoutCentreY = 300;

// The last message box's text and how many were asked for, for the tests'
// views.
char g_lastMessage[512] = "";
int g_messageCount = 0;

bool BoxCanShow(const char* text) {
    if (MenuDisplayIsOpen() && MenuBackBuffer != nullptr) return true;
    // A season run without the menu display still leaves the text in the log.
    std::printf("%s\n", text != nullptr ? text : "");
    std::fflush(stdout);
    return false;
}

uint32_t Ticks() { return TimerIsRunning() ? GetTimerTicks() : 0u; }

// One frame of a box: the cursor drawn and flushed, the next tick, the poll,
// the cursor taken off again and moved.  Answers the mouse buttons.
uint16_t BoxFrame() {
    DrawCursor();
    WaitTickAndPoll();
    RestoreUnderCursor();
    uint16_t buttons = 0;
    UpdateMouse(nullptr, nullptr, &buttons);
    return buttons;
}

bool TimedOut(uint32_t start, int32_t timeOut) { return timeOut > 0 && start + uint32_t(timeOut) < Ticks(); }

}  // namespace

void PreserveScreenSection(int16_t index, int x, int y, int width, int height) {
    if (index < 0 || index >= SCREEN_SECTION_COUNT) {
        FatalError("Error: PreserveScreenSection(): section index out of range: %d\n", index);
    }
    DebugLog(DEBUG_GRAPHICS, 80, "PreserveScreenSection(): saving section %d - %d,%d (%dx%d)\n", index, x, y,
             width, height);
    ScreenSectionRecord& section = ScreenSection[index];
    if (section.pixels != nullptr)
        FatalError("Error: PreserveScreenSection(): section no %d already saved\n", index);
    // A negative size is refused with the off-screen rectangles: it would
    // ask for a block of a wrapped-round size.
    if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > MenuScreenWidth() ||
        y + height > MenuScreenHeight()) {
        FatalError("Error: PreserveScreenSection(): off screen coords for section %d - %d,%d (%dx%d)\n",
                   index, x, y, width, height);
    }
    AllocateMemory(&section.pixels, uint32_t(width) * uint32_t(height) * uint32_t(MenuBytesPerPixel()),
                   MEM_TYPE_MANUAL_FREE);
    section.x = int16_t(x);
    section.y = int16_t(y);
    section.width = int16_t(width);
    section.height = int16_t(height);
    if (width * height > 0) CopyRectFromBackBuffer(x, y, width, height, section.pixels);
}

void RestoreScreenSection(int16_t index) {
    if (index < 0 || index >= SCREEN_SECTION_COUNT) {
        FatalError("Error: RestoreScreenSection(): section index out of range\n");
    }
    ScreenSectionRecord& section = ScreenSection[index];
    if (section.pixels == nullptr)
        FatalError("Error: RestoreScreenSection(): section no %d not saved\n", index);
    DebugLog(DEBUG_GRAPHICS, 50, "RestoreScreenSection(): restoring section %d - %d,%d (%dx%d)\n", index,
             section.x, section.y, section.width, section.height);
    if (section.width * section.height > 0) {
        CopyRectToBackBuffer(section.x, section.y, section.width, section.height, section.pixels);
    }
    FreeMemory(&section.pixels);
}

void ResetScreenSection(int16_t index) {
    if (index < 0 || index >= SCREEN_SECTION_COUNT) {
        FatalError("Error: ResetScreenSection(): section index out of range\n");
    }
    if (ScreenSection[index].pixels != nullptr) FreeMemory(&ScreenSection[index].pixels);
}

bool DayLoopRunning = false;

bool NobodyAtTheKeys() { return DayLoopRunning && SoakMode != 0; }

void ShowMessageBox(const char* text, int32_t timeOut) {
    std::snprintf(g_lastMessage, sizeof g_lastMessage, "%s", text != nullptr ? text : "");
    ++g_messageCount;
    if (!BoxCanShow(text)) return;
    HideCursorNest(1);
    int16_t width = 0, height = 0;
    GetIconSize(MESSAGE_BOX_ICON, &width, &height);
    const int x = kLayoutCentreX - width / 2;
    const int y = kLayoutCentreY - height / 2;
    PreserveScreenSection(MODAL_BOX_SECTION, x, y, width, height);
    SetDrawParam(1, 2);
    SetFont(8);
    DrawIcon(x, y, MESSAGE_BOX_ICON, JUSTIFY_LEFT_TOP);
    DrawWrappedText(x, y, text, JUSTIFY_CENTRE_MIDDLE, width, height);
    SetDrawParam(1, 1);
    DrawWrappedText(x + 1, y + 1, text, JUSTIFY_CENTRE_MIDDLE, width, height);
    DrawTextAddrAt(kLayoutCentreX, 270 + height / 2, GetText(kPromptTextId), JUSTIFY_CENTRE_TOP);
    SetDrawParam(1, 0);
    UpdateScreen();

    const uint32_t start = Ticks();
    // The click that opened the box must be let go before one can close it.
    bool released = false;
    // Nobody is at the keys to click it away: it is logged and closes.
    const bool unattended = NobodyAtTheKeys();
    if (unattended) std::printf("ShowMessageBox(): soak: %s\n", text);
    while (!unattended) {
        const uint16_t buttons = BoxFrame();
        if (WinCloseRequested()) break;
        if (buttons == 0) {
            released = true;
        } else if (released) {
            break;
        }
        if (TimedOut(start, timeOut)) break;
    }

    SetDrawParam(1, 0);
    RestoreScreenSection(MODAL_BOX_SECTION);
    HideCursorNest(0);
    UpdateScreen();
}

int32_t ShowChoiceBox(const char* text, int32_t timeOut, ChoiceButton* buttons) {
    if (!BoxCanShow(text)) return -1;
    const int32_t keptStyle = ButtonStyle;
    SetDrawParam(2, 0);
    int16_t width = 0, height = 0;
    GetIconSize(CHOICE_BOX_ICON, &width, &height);
    PreserveScreenSection(MODAL_BOX_SECTION, kLayoutCentreX - width / 2, kLayoutCentreY - height / 2, width,
                          height);
    DrawIcon(kLayoutCentreX, kLayoutCentreY, CHOICE_BOX_ICON, JUSTIFY_CENTRE_MIDDLE);
    DrawWrappedText((MenuScreenWidth() - 440) / 2 + 20, (MenuScreenHeight() - 200) / 2 - 20, text,
                    JUSTIFY_CENTRE_MIDDLE, 400, 160);

    int32_t count = 0;
    for (ChoiceButton* button = buttons; button->textId >= 0; ++button, ++count) {
        int left = button->x, top = button->y;
        AlignPoint(&left, &top, button->width, button->height, uint16_t(button->justify));
        button->left = int16_t(left);
        button->top = int16_t(top);
        SetDrawParam(2, 0x5AD4);
        SetDrawParam(4, 0);
        DoButton(left, top, button->width, button->height);
        DrawTextAddrAt(button->x, button->y, GetText(button->textId), uint16_t(button->justify));
    }
    UpdateScreen();

    const uint32_t start = Ticks();
    int32_t result = -1;
    // A button held when the box opens (the click that asked the question)
    // chooses nothing: a press counts only after a frame with none down, so
    // that a click meant for the screen below cannot answer a question the
    // user has not yet seen.
    bool released = false;
    for (;;) {
        uint16_t pressed = BoxFrame();
        if (WinCloseRequested()) {
            result = -1;
            break;
        }
        if (pressed == 0) {
            released = true;
        } else if (released) {
            int32_t chosen = count;
            for (int32_t i = 0; i < count; ++i) {
                const ChoiceButton& b = buttons[i];
                if (CursorX >= b.left && CursorX < b.left + b.width && CursorY >= b.top &&
                    CursorY < b.top + b.height) {
                    chosen = i;
                    break;
                }
            }
            result = chosen;
            if (chosen < count) break;
        }
        if (TimedOut(start, timeOut)) break;
    }

    SetDrawParam(4, keptStyle);
    RestoreScreenSection(MODAL_BOX_SECTION);
    UpdateScreen();
    return result;
}

void TrimTrailingSpaces(char* text) {
    for (size_t n = std::strlen(text); n > 0 && text[n - 1] == ' '; --n) text[n - 1] = '\0';
}

const char* MenuViewLastMessageBox() { return g_lastMessage; }
int MenuViewMessageBoxCount() { return g_messageCount; }
