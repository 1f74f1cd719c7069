// The keyboard: key messages from the main window kept as a key-down table,
// a table of keys pressed since last asked, the last key and a ring of
// characters translated through the selected keyboard layout.
//
// A key code is the scan code (0-127) plus 128 for an extended key.
#pragma once
#include <cstdint>

constexpr int KEY_CODE_COUNT = 257;
constexpr int KEY_LAYOUT_COUNT = 7;
constexpr int KEY_TABLE_SIZE = 89;  // scan codes with a character
constexpr int KEY_ASCII_RING = 64;
constexpr int KEY_ASCII_MAX_WAITING = 62;
constexpr int KEY_LEFT_SHIFT = 42;
constexpr int KEY_RIGHT_SHIFT = 54;

// Layouts: 0 United Kingdom, 1 United States, 2 German, 3 Italian,
// 4 French, 5 Portuguese, 6 Spanish.
void InitKeyboardInterrupt();
void ClearKeyboardInterrupt();
int KeyboardIsRunning();
void SetKeyboardLanguage(int layout);

int KeyIsDown(int code);
int KeyWasPressed(int code);
int KeyGetLast();
void KeyClearAll();
int KeyAsciiAvailable();
uint8_t KeyAsciiRead();
uint8_t KeyScanToAscii(int scan_code, int shifted);
