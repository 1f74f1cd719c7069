// Screen sections (saved rectangles of the menu back buffer that pop-ups
// draw over and give back) and the two modal boxes built on them: a message
// the user clicks away, and a question with a row of buttons.
#pragma once
#include <cstdint>
#include <span>

constexpr int SCREEN_SECTION_COUNT = 5;
// The section the modal boxes use.
constexpr int16_t MODAL_BOX_SECTION = 4;
constexpr int MESSAGE_BOX_ICON = 2;
constexpr int CHOICE_BOX_ICON = 85;

struct ScreenSectionRecord {
    uint8_t* pixels;  // null while nothing is saved
    int16_t x, y, width, height;
};
extern ScreenSectionRecord ScreenSection[SCREEN_SECTION_COUNT];

// A button of a choice box; a list ends with a text id of -1 or below.
// left and top are filled in by ShowChoiceBox.
struct ChoiceButton {
    int16_t x, y;  // anchor
    int16_t width, height;
    int16_t textId;
    int16_t justify;  // of the button and its label
    int16_t left, top;
};
static_assert(sizeof(ChoiceButton) == 16);

void PreserveScreenSection(int16_t index, int x, int y, int width, int height);
void RestoreScreenSection(int16_t index);
void ResetScreenSection(int16_t index);

// Set by the day loop while it plays days.  While the soak is on as well
// nobody is at the keys: a message box is drawn, logged and closed at once,
// and nothing waits on the clock to be seen.
extern bool DayLoopRunning;
bool NobodyAtTheKeys();

// Shows the text until a click (or until timeOut ticks have passed; 0 waits
// for the click).
void ShowMessageBox(const char* text, int32_t timeOut);
// The index of the button clicked; -1 when the time-out passed first (or
// the box could not be shown), the button count when the time-out passed
// after clicks outside every button.
int32_t ShowChoiceBox(const char* text, int32_t timeOut, ChoiceButton* buttons);

// The two lists the screens use: yes / no, and the three-way question.
extern ChoiceButton YesNoButtons[3];
extern ChoiceButton ThreeWayButtons[4];

void TrimTrailingSpaces(char* text);

// ---- Read-only views for tests ---------------------------------------------
// The text of the last message box asked for ("" before the first) and the
// number asked for since the start, shown or only logged.
const char* MenuViewLastMessageBox();
int MenuViewMessageBoxCount();
