// Number and money formatting for the menu painters.  Every result is
// written into NumberTextBuffer, which the next call overwrites.
#pragma once
#include <cstdint>

constexpr int NUMBER_TEXT_SIZE = 36;
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
// Scales the coverage of every glyph drawn, 0..255.
extern int16_t TextOpacity;

void SetTextOpacity(int16_t value);

const char* Number2Str(int32_t value);
// Short money form with the money prefix ("1.5M" style, words from the
// language texts).
const char* Price2str(int32_t value);
// Short money form with one decimal digit and no prefix.
const char* Price2strPlain(int32_t value);
// Writes "%d%s" of n and its ordinal suffix into buffer (at least 36 bytes).
void OrdinalStr(char* buffer, int16_t n);
