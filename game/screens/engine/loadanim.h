// The loading screen shown while the match display loads: a fixed picture
// drawn straight onto the screen surface, kept there by a poll function.
#pragma once
#include <cstdint>

constexpr uint32_t LOADING_FLIP = 0x1;  // the display is page-flipped
constexpr int LOADING_TEXT_SIZE = 256;

struct LoadingImage {
    const char* name;
    uint8_t* picture;  // GFX0 in the screen's format, null while not loaded
    uint32_t width, height;
};
extern LoadingImage LoadingImageList[1];

void StartLoadingScreen(uint32_t flags);
void LoadingScreen_ShowText(const char* text);
void StopLoadingScreen();
void ShowLoadingImage(int x, int y, int width, int height, int image);
// The text last given, "" when none or when it was too long.
const char* LoadingScreenText();
