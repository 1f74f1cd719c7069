// What the display-free core asks of the front end and of start-up: the
// message box after a fatal error, the timer, the poll between long steps,
// the busy cursor, the menu background, number texts, the data path and
// the live results of the in-match league panel.
// The game installs the hooks at start-up (game/system/startup.cpp); a hook
// left unset does nothing and answers the neutral value named beside it,
// so that the core runs alone in tests, soaks and match batches.
#pragma once
#include <cstdint>

struct LiveResultRow;

struct CoreHooks {
    void (*messageBox)(const char* text) = nullptr;  // shown after a fatal error's message
    uint32_t (*timerTicks)() = nullptr;              // 0: the timer is not running
    void (*poll)() = nullptr;                        // keeps the window and timers alive
    void (*busyCursor)(int16_t on) = nullptr;        // 1 shows, 0 removes one level
    void (*redrawMenuBackground)() = nullptr;
    const char* (*moneyText)(int32_t amount) = nullptr;       // "": no text
    const char* (*plainMoneyText)(int32_t amount) = nullptr;  // without the money sign; "": no text
    const char* (*ordinalText)(int32_t number) = nullptr;     // "": no text
    char* (*dataPathPrefix)() = nullptr;                      // "": the working folder
    // The live results of the user's division: points *rows at them and
    // gives their count; 0: none.
    int16_t (*liveResults)(const LiveResultRow** rows) = nullptr;
    // The match-day display runs a frame when it is showing; true when it
    // took the frame (false: not showing).
    bool (*matchDayFrame)() = nullptr;
    // A diary note or a filtered notice in the modal message box; the
    // argument is the box's second argument.
    void (*noteBox)(const char* text, uint32_t argument) = nullptr;
    // The match-day news-flash panel, drawn at once over the screen.
    void (*dayFlashes)() = nullptr;
};

// Replaces every hook at once; CoreHooks{} removes them all.
void CoreSetHooks(const CoreHooks& hooks);
const CoreHooks& CoreGetHooks();

void CoreShowMessageBox(const char* text);
uint32_t CoreTimerTicks();
void CorePoll();
void CoreBusyCursor(int16_t on);
void CoreRedrawMenuBackground();
const char* CoreMoneyText(int32_t amount);
const char* CorePlainMoneyText(int32_t amount);
const char* CoreOrdinalText(int32_t number);
const char* CoreDataPathPrefix();
int16_t CoreLiveResults(const LiveResultRow** rows);
bool CoreMatchDayFrame();
void CoreShowNoteBox(const char* text, uint32_t argument);
void CoreShowDayFlashes();
