// The Continue day loop and the match-day driver: one day or a run of days
// played through the fixture pipeline, the live team-news panel while the
// user's group of fixtures is processed, his own match, the results
// screens, the other fixtures under a progress panel, the day's results
// list and the day advance.
#pragma once
#include <cstdint>
#include <span>

#include "core/club/matchdaynotices.h"
#include "core/match/periodrunner.h"
#include "core/season/soak.h"
#include "game/screens/engine/hotspot.h"
#include "game/screens/matchday/matchdaynews.h"

// Which Continue entry started the run: 0 one day, 1 run on until
// something needs the user, 2 one day after the day's fixture list (the
// user plays today).  Written by the club screen.
extern int16_t ContinueMode;
// 1 while the screens are opened from the preparation of the user's match:
// the club fixtures then offer no views and lead back to the match day.
extern int16_t MatchPrepActive;
// The stage of that preparation: at 1 the squad list's back icon sets it
// back to 0 and returns to the preparation's screen; at 2 the squad list
// carries the match day's title date.
extern int16_t MatchPrepStage;
// SoakMode (core/season/soak.h), 1 while soak testing: no panel waits for the
// user, no results list, and a run of days goes on until Escape or the
// soak stop point.

// DayLoopFlags (core/club/matchdaynotices.h) is the low byte of
// MatchDayFlags, shared with the club screen.

// The match-day flag word: its low byte is DayLoopFlags and its high byte
// the match display's DisplayModeFlags, so both sides see one word.
struct MatchDayFlagWord {
    operator uint16_t() const;
    MatchDayFlagWord& operator=(uint16_t value);
    MatchDayFlagWord& operator|=(uint16_t bits);
    MatchDayFlagWord& operator&=(uint16_t bits);
};
extern MatchDayFlagWord MatchDayFlags;

enum : uint16_t {
    kDayCursorLevel = 0x0001,     // one level of the busy cursor is held
    kDayUserGroupDone = 0x0002,   // the user's group is processed
    kDayFlaggedDone = 0x0004,     // the reserve-league group is processed
    kDayRedraw = 0x0008,          // the panel must be drawn again
    kDayGroupLive = 0x0010,       // a group is processed with the panel live
    kDayPanelFinished = 0x0020,   // the panel shows its finished state
    kDayReserveFixture = 0x0080,  // the panel is the reserve-league fixture's
    kDayLeftResults = 0x0040,     // the results list was left: end-of-day panel
    // The high byte: the display-mode bits.
    kDayResultOnly = kDisplayResultsOnly << 8,
    kDayResultsListed = kDisplayResultsListed << 8,
    kDayUnshownLeague = kDisplayOff << 8,  // the group's league matches are played unseen
    kDayDataPrepared = kDisplayDataPrepared << 8,
};

// The current match-day event (0 team news, 1 the opponent, 3 preview, 4
// reserve team sheet, 6 continue, 9 watch the match, 10 result only).
extern uint8_t MatchDayEvent;
// Which results screen the results loop shows next: 0 the result board, 1
// the statistics, 2 the results views, 3 a message, -1 leave the loop.
extern int16_t MatchDayResultsView;
// Progress of the other-fixtures panel, shown by the busy cursor's bar
// (ProgressTotal and ProgressDone) while they are processed.
extern int16_t OtherFixturesDone;
extern int16_t OtherFixturesTotal;
// How the user's match is to be seen: 2 after the finished team news (shown
// in 3D), 0 otherwise; bit 0x08 of the options byte set: not shown.  Only
// that bit decides: the display draws a shown match whole whatever the
// view word says, as no other way of showing one is laid down.
extern int16_t MatchViewWord;
extern uint8_t MatchOptionsByte;
constexpr uint8_t kMatchOptionUnshown = 0x08;

// The region list of the match-day panel (at most 30 regions, ended by a
// region of kind 0).
extern HotRegion MatchDayHotspots[kHotRegionLimit];

// The body of the controller's screen 43: plays as ContinueMode says and
// leaves the next screen in MenuOption (3, 87 at a new season, a screen the
// day messages chose, 105 for pending goal replays, -1 for an unknown mode
// or a closed window).
void MatchDay_ContinueDays();
// One day's fixtures: the user's fixture slot (or -1) and the counts of his
// group, of the reserve-league group and of the others.  Returns 6.
int32_t MatchDay_PlayDay(int16_t userFixture, int16_t userCount, int16_t flaggedCount, int16_t otherCount);
// The results screens after the user's match, from the result board on,
// until a screen names view -1.
void MatchDay_RunResultsLoop();
// One poll step of the panel: reads the mouse, and on a region's click
// stores its event and dispatches it.
void MatchDay_Run();
// Acts on MatchDayEvent.
void MatchDay_Dispatch();
// The modal three-way choice of how the user's match is seen (result only,
// highlights, the whole match); nothing in the day loop opens it.
void MatchDay_ChooseView();

// The frame hook of the match code while a live group is processed: runs
// one poll step of the panel; false when no group is live.
bool MatchDay_FrameHook();

// For tests: what the day loop drew last (text ids of the panels), and the
// panel regions.
int16_t MatchDayLastPanelText();
std::span<const HotRegion> MatchDayViewRegions();
