// Keyboard text entry: one field at a time over a menu screen.  The field
// edits a copy of its text, word-wraps it into a box of fixed width and
// line count, redraws the changed lines and a blinking caret every frame,
// and rings the bell for whatever would not fit.  While it is open the menu
// engine hands every frame to UpdateTextInput.
#pragma once
#include <cstdint>

// Flags of a field.
constexpr uint32_t TEXT_INPUT_ACCEPT_AREA = 0x01;  // a click in the accept area accepts
constexpr uint32_t TEXT_INPUT_MULTI_LINE = 0x02;   // Enter breaks the line
constexpr uint32_t TEXT_INPUT_PAD = 0x04;          // trailing spaces trimmed, result padded
constexpr uint32_t TEXT_INPUT_CANCEL_AREA = 0x08;  // a click in the cancel area cancels
constexpr uint32_t TEXT_INPUT_NO_ESCAPE = 0x10;    // Escape is ignored
constexpr uint32_t TEXT_INPUT_PASSWORD = 0x20;     // shown as one "*" a character

// The most lines a field can have (the size of its line table).
constexpr int TEXT_INPUT_MAX_LINES = 32;

// Outcomes passed to the stop function.
constexpr int16_t TEXT_INPUT_CANCELLED = 0;
constexpr int16_t TEXT_INPUT_EDITING = 1;
constexpr int16_t TEXT_INPUT_ACCEPTED = 2;

struct TextInputArea {
    uint16_t x, y;
    uint32_t width;
    uint16_t height;
};

// What a caller fills to open a field; copied when the field opens.
struct TextInputDesc {
    uint16_t x, y;                     // top left of the first line
    uint16_t maxWidth;                 // no line may be wider
    char* target;                      // receives the result; at least maxLength + 1 bytes
    int16_t (*stop)(int16_t outcome);  // may be null; its result is EndTextInput's
    uint16_t maxLength;                // the text holds at most maxLength - 1 characters
    const char* initial;               // restored on cancel; may be null
    uint16_t maxLines;
    const char* allowed;  // the characters that may be typed; null allows all
    uint32_t flags;
    TextInputArea accept;
    TextInputArea cancel;
    // Repaints part of the field (x, y, width, height, argument); null
    // restores it from the saved screen.
    void (*background)(int x, int y, int width, int height, uint32_t argument);
    uint32_t backgroundArgument;
};

void EXTI_InitTextInput(const TextInputDesc* descriptor);
// A one-line field over the target, as long as the initial text, with the
// trailing spaces trimmed and the result padded.  Only alignment 5 (top
// left) is supported.
void InitTextInput(int16_t x, int16_t y, int16_t maxWidth, int16_t align, const char* initial, char* target,
                   const char* allowed, int16_t (*stop)(int16_t outcome));
// One frame: 0 cancelled, 1 editing, 2 accepted.
int16_t UpdateTextInput();
// Frees the field and answers the stop function's result (1 without one).
int16_t EndTextInput();
// Cancels the open field and closes it (a window close); answers
// EndTextInput's result.
int16_t CancelTextInput();
int16_t IsTextInputActive();
void StopTextInput(int16_t value);

// For tests: the text being edited, what the field shows, the caret and
// the line count of the wrapped display.
const char* TextInputEditText();
const char* TextInputDisplayText();
int TextInputCaret();
int TextInputLineCount();
