// Full-window movie playback through the media control interface, with the
// main window as the video's window.  One movie at a time.  On this system
// no movie can be opened, so MoviePlay returns at once.
#pragma once
#include <cstdint>

// Stop flags of MoviePlay.
constexpr uint32_t MOVIE_STOP_MOUSE = 1u << 0;   // a mouse button stops playback
constexpr uint32_t MOVIE_STOP_ESCAPE = 1u << 1;  // the Escape key stops playback
constexpr int MOVIE_KEY_ESCAPE = 1;
constexpr uint32_t MOVIE_TIMER_ID = 1;
constexpr uint32_t MOVIE_TIMER_MS = 100;

// Plays the file to its end or until the user stops it, then closes it.
// Needs the keyboard (for MOVIE_STOP_ESCAPE) and the mouse driver (for
// MOVIE_STOP_MOUSE) running.
void MoviePlay(const char* file_name, uint32_t stop_flags, int width, int height);

// Each returns 0, or -1 when the player refuses.
int MovieOpen(const char* file_name);
int MovieClose();
// 1 while playing, 0 otherwise, -1 when the state cannot be read.
int MovieIsPlaying();
int MovieGetSourceSize(uint16_t* width, uint16_t* height);
int MovieSetWindow();
int MovieSetDestination(int width, int height);
int MovieStart();

// The open device (0 = none).
uint32_t MovieGetDevice();
