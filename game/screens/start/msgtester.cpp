#include "game/screens/start/msgtester.h"

#include <cstdio>

#include "core/base/random.h"
#include "core/records/diarynotes.h"
#include "core/records/messagetemplates.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"

namespace {

// The pad: the arrow keys, Return for select and Space for start.
constexpr int kPadUp = 128 + 0x48;
constexpr int kPadDown = 128 + 0x50;
constexpr int kPadLeft = 128 + 0x4B;
constexpr int kPadRight = 128 + 0x4D;
constexpr int kPadSelect = 0x1C;
constexpr int kPadStart = 0x39;
constexpr int kPadKeys[] = {kPadUp, kPadDown, kPadLeft, kPadRight, kPadSelect, kPadStart};

constexpr int16_t kListTexts[10] = {300, 301, 302, 303, 307, 308, 309, 310, 202, 203};
constexpr int16_t kRandomBody = 6;
constexpr int16_t kNoNumber = -32768;

int16_t g_number = 0;
MsgTestArguments g_args{};
char g_body[TEXTMSG_OUTPUT_SIZE] = "";
int16_t g_fieldA = kNoNumber, g_fieldB = kNoNumber;

// 0..k-1 from the game's generator.
int Draw(int k) { return GameRandom() % k; }

void DrawArguments() {
    for (int i = 0; i < 2; ++i) g_args.clubs[i] = int16_t(Draw(100));
    for (int i = 0; i < 2; ++i) g_args.players[i] = uint16_t(100 + Draw(100));
    for (int i = 0; i < 2; ++i) g_args.numbers[i] = int16_t(Draw(10));
    for (int i = 0; i < 2; ++i) g_args.listTexts[i] = kListTexts[Draw(10)];
    g_args.money = GameRandom();
}

// A button face of style 2 in the colour.
void DrawFace(int x, int y, int w, int h, uint16_t colour) {
    const uint16_t keptColour = DrawColour;
    const int32_t keptStyle = ButtonStyle;
    SetDrawParam(4, 2);
    SetDrawParam(2, colour);
    DoButton(x, y, w, h);
    SetDrawParam(2, keptColour);
    SetDrawParam(4, keptStyle);
    SetFont(8);
}

void ShowMessage() {
    RestoreRectAligned(250, 30, 140, 60, JUSTIFY_LEFT_TOP);
    DrawFace(250, 30, 140, 60, 0x3E0);
    DrawNumberAt(320, 60, g_number, JUSTIFY_CENTRE_MIDDLE);
    UpdateScreen();

    TextMsg_SetArg(TEXTMSG_CLUB, &g_args.clubs[0]);
    TextMsg_SetArg(TEXTMSG_CLUB, &g_args.clubs[1]);
    TextMsg_SetArg(TEXTMSG_PLAYER, &g_args.players[0]);
    TextMsg_SetArg(TEXTMSG_PLAYER, &g_args.players[1]);
    TextMsg_SetArg(TEXTMSG_MONEY, &g_args.money);
    TextMsg_SetArg(TEXTMSG_LIST_TEXT, &g_args.listTexts[0]);
    TextMsg_SetArg(TEXTMSG_LIST_TEXT, &g_args.listTexts[1]);
    TextMsg_SetArg(TEXTMSG_NUMBER, &g_args.numbers[0]);
    TextMsg_SetArg(TEXTMSG_NUMBER, &g_args.numbers[1]);
    std::snprintf(g_body, sizeof g_body, "%s", TextMsg_ExpandBody(g_number, kRandomBody));
    ShowMessageBoxIfUserInvolved(g_body, 0, 0, g_args.clubs[0], g_args.clubs[1]);
}

void DrawHelp() {
    DrawFace(32, 350, 576, 100, 0x780F);
    DrawTextAddrAt(40, 380, "PAD LEFT - Quit", JUSTIFY_LEFT_TOP);
    DrawTextAddrAt(600, 380, "PAD RIGHT - Change team names,numbers etc.", JUSTIFY_RIGHT_TOP);
    DrawTextAddrAt(320, 354, "PAD UP - Increase message number", JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(320, 406, "PAD DOWN - Decrease message number", JUSTIFY_CENTRE_TOP);
    DrawTextAddrAt(40, 430, "PAD SELECT - Reprint the message", JUSTIFY_LEFT_TOP);
    DrawTextAddrAt(600, 430, "PAD START - Cycle the language", JUSTIFY_RIGHT_TOP);
    UpdateScreen();
}

// The next pad key pressed, once the key is let go again; -1 when the
// window closes.
int WaitForPadKey() {
    for (;;) {
        if (WinCloseRequested()) return -1;
        for (int key : kPadKeys) {
            if (KeyWasPressed(key) == 0) continue;
            while (KeyIsDown(key) != 0 && !WinCloseRequested()) WaitTickAndPoll();
            return key;
        }
        WaitTickAndPoll();
    }
}

int32_t Leave(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

void MsgTestMenuProc() {
    if (IsMenuFirstEntry() == 1) g_fieldA = g_fieldB = kNoNumber;
}

int32_t MsgTest_Run(MenuHotItem*) {
    DrawArguments();
    for (;;) {
        ShowMessage();
        DrawHelp();
        const int key = WaitForPadKey();
        RestoreRectAligned(32, 350, 576, 100, JUSTIFY_LEFT_TOP);
        if (key == -1 || key == kPadLeft) return MENU_REDRAW;
        if (key == kPadUp && g_number < kMsgTestLastNumber) ++g_number;
        if (key == kPadDown && g_number > 0) --g_number;
        if (key == kPadRight) DrawArguments();
        // Select and start show the message again as it was.
    }
}

int16_t MsgTestNumber() { return g_number; }
const MsgTestArguments& MsgTestShownArguments() { return g_args; }
const char* MsgTestLastBody() { return g_body; }

const MenuItem MsgTestTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MsgTestMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, nullptr, Leave},
    {MI_ICON, 590, 456, 10, 0, MenuValue(153), Leave},
    {MI_TEXT, 60, 20, 5, 0, MenuValue(1045), nullptr},
    {MI_NUMBER_I16, 470, 80, 7, 0, &g_fieldA, nullptr},
    {MI_STRING, 480, 80, 6, 0, " - ", nullptr},
    {MI_NUMBER_I16, 490, 80, 5, 0, &g_fieldB, nullptr},
    {MI_TEXT, 430, 120, 5, 0, MenuValue(1047), nullptr},
    {MI_BUTTON_TEXT, 400, 20, 200, 30, MenuValue(2021), MsgTest_Run},
    kMenuEnd,
};
