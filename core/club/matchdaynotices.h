// The match-day news flashes: a ring of the last five flashes of a run of
// days, built from message templates by the day's club jobs and shown at
// once in the flash panel over whatever is on the screen (the front end
// draws the panel through a core hook).
#pragma once
#include <cstdint>

constexpr int kDayFlashEntries = 5;
constexpr int kDayFlashTextSize = 150;
// A working text and a template: at most 299 characters.
constexpr int kDayFlashWorkSize = 300;

struct MatchDayMessageRing {
    char text[kDayFlashEntries][kDayFlashTextSize];
    uint32_t stamp[kDayFlashEntries];  // timer tick the entry was written
    int8_t head;                       // where the next flash goes
    int8_t start;                      // the entry the panel shows first
    uint8_t flags;                     // 0x01 the ring has wrapped, 0x02 flashes came fast
};
extern MatchDayMessageRing MatchDayMessageQueue;
constexpr uint8_t kDayFlashWrapped = 0x01;
constexpr uint8_t kDayFlashFast = 0x02;

// Empties the ring (before a run of days).
void MatchDay_ClearMessages();
// Copies the template of the text id into the destination (300 bytes); a
// template of 299 characters or more ends the program.
void MatchDay_AddTextLine(char* destination, int16_t textId);

// The day loop's flag byte (the low byte of the match-day flag word), which
// the front end's day loop keeps; bit 0x40 is set while the day's results
// list has been left, and asks the player moves for their flashes.
extern uint8_t DayLoopFlags;
constexpr uint8_t kDayLoopNoticesBit = 0x40;
// 1 while the match-day notices are asked for (bit 0x40 of DayLoopFlags).
int16_t MatchDay_NoticesOn();

// A player of the club is injured or refuses to play.
void MatchDay_BuildMessageA(int16_t club, uint16_t player);
// A new manager has taken charge of the club.
void MatchDay_BuildMessageB(int16_t club, int16_t player);
// The club's manager has gone; flag 1 when he was sacked.
void MatchDay_BuildMessageC(int16_t club, int16_t player, int16_t flag);
// A player's move: kind 1 a loan, kind 2 a move of its own wording, else a
// transfer (to club 255: a release; an amount above 0: a fee).  Nothing for
// a player on a loan trial or a negative destination club.
void MatchDay_BuildReport(uint16_t player, int16_t toClub, int16_t fromClub, int32_t amount, int16_t kind);
