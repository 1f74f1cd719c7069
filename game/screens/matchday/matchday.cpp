#include "game/screens/matchday/matchday.h"
#include "core/records/textids.h"
#include "game/screens/matchday/matchpreview.h"
#include "game/screens/matchday/matchreport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/club/squads.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/teamsetup.h"
#include "core/query/competitionnames.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/diarynotes.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/computertactics.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/matchsetup.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchgraph.h"
#include "game/screens/matchday/ratings.h"
#include "game/screens/matchday/resultboard.h"
#include "game/screens/matchday/resultsview.h"
#include "game/screens/matchday/sharechart.h"
#include "game/screens/start/saveslots.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"

int16_t ContinueMode;
int16_t MatchPrepActive = 0;
int16_t MatchPrepStage = 0;
MatchDayFlagWord MatchDayFlags;
uint8_t MatchDayEvent;
int16_t MatchDayResultsView;
int16_t OtherFixturesDone;
int16_t OtherFixturesTotal;
int16_t MatchViewWord;
uint8_t MatchOptionsByte;
HotRegion MatchDayHotspots[kHotRegionLimit];

MatchDayFlagWord::operator uint16_t() const { return uint16_t(DayLoopFlags | DisplayModeFlags << 8); }

MatchDayFlagWord& MatchDayFlagWord::operator=(uint16_t value) {
    DayLoopFlags = uint8_t(value & 0xFF);
    DisplayModeFlags = uint8_t(value >> 8);
    return *this;
}

MatchDayFlagWord& MatchDayFlagWord::operator|=(uint16_t bits) { return *this = uint16_t(*this | bits); }
MatchDayFlagWord& MatchDayFlagWord::operator&=(uint16_t bits) { return *this = uint16_t(*this & bits); }

namespace {

constexpr int16_t kLastDayBeforeSeasonEnd = 364;
constexpr int16_t kOtherFixturesText = 1594;
constexpr int16_t kEndOfDayText = 1807;
constexpr int16_t kLowMemoryText = 1129;
constexpr int16_t kDayResultsTitle = 1558;
constexpr int kPanelIcon = 2;
constexpr int kEscapeKey = 1;
constexpr uint32_t kFlashWaitTicks = 100;
constexpr uint16_t kCentred = JUSTIFY_CENTRE_MIDDLE;

// The text the last panel drawn carries (tests read it).
int16_t g_lastPanelText = -1;

int16_t Today() { return SeasonCalendar.currentDay; }

bool IsDayEvent(uint8_t event) { return event >= 6 && event <= 10; }

void SetFlags(uint16_t bits) { MatchDayFlags |= bits; }
void ClearFlags(uint16_t bits) { MatchDayFlags &= uint16_t(~bits); }
bool HasFlag(uint16_t bit) { return (uint16_t(MatchDayFlags) & bit) != 0; }

// One level of the busy cursor, held while fixtures are processed without
// the panel answering.
void TakeCursorLevel() {
    if (HasFlag(kDayCursorLevel)) return;
    EnableCursorNest(1);
    SetFlags(kDayCursorLevel);
}

void GiveCursorLevel() {
    if (!HasFlag(kDayCursorLevel)) return;
    EnableCursorNest(0);
    ClearFlags(kDayCursorLevel);
}

// ---- The fixtures of the day in table order ---------------------------------------

// The next fixture of today to process: today's fixtures are taken strictly
// in table order from the first unplayed one.
int16_t g_nextSlot = -1;

void StartDayOrder() { g_nextSlot = FindFirstUnplayedFixtureOfDay(); }

bool SameFixture(int16_t slot, int16_t home, int16_t away, int16_t type) {
    return FixtureDay(slot) == uint16_t(Today()) && FixtureHome(slot) == home && FixtureAway(slot) == away &&
           FixtureType(slot) == type;
}

// Processes the next unplayed fixture of today; false when none is left.
// A fixture that is deleted has its successor moved into its slot, which
// is then the next one; a fixture that stays unplayed (a national side
// that could not be completed) is passed over.
bool ProcessNextFixture() {
    while (g_nextSlot >= 0 && g_nextSlot < kFixtureSlots && FixtureDay(g_nextSlot) == uint16_t(Today()) &&
           IsFixturePlayed(g_nextSlot)) {
        ++g_nextSlot;
    }
    if (g_nextSlot < 0 || g_nextSlot >= kFixtureSlots || FixtureDay(g_nextSlot) != uint16_t(Today()))
        return false;
    const int16_t slot = g_nextSlot;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot), type = FixtureType(slot);
    ProcessFixtureAt(slot);
    if (IsFixturePlayed(slot) || SameFixture(slot, home, away, type)) ++g_nextSlot;
    return true;
}

// The user's own match: shown in the 3D display once the finished team
// news' bar asked for it (and a 3D device is there), else played by the
// match engine without display.
void (*g_keptMatchMaker)() = nullptr;
void PlayUserMatchUnseen() {
    DisplayModeFlags = uint8_t(DisplayModeFlags | kDisplayOff);
    if (g_keptMatchMaker != nullptr) g_keptMatchMaker();
}

// The shown match: the fixture's set-up has dressed both sides in their
// kits against each other and given up the menus for the display (start-up
// installs both), and rebuilds the menus after it.
void PlayUserMatchShown() {
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayOff);
    if (g_keptMatchMaker != nullptr) g_keptMatchMaker();
}

// A closed window plays the match undisplayed so that the day can end.
bool UserMatchShown() {
    return SoakMode == 0 && (MatchOptionsByte & kMatchOptionUnshown) == 0 && VideoNo3D() == 0 &&
           VideoGetChoice()->Device != -1 && WinCloseRequested() == 0;
}

// The next unplayed fixture of today, -1 when none is left.
int16_t NextUnplayedSlot() {
    int16_t slot = g_nextSlot;
    while (slot >= 0 && slot < kFixtureSlots && FixtureDay(slot) == uint16_t(Today()) &&
           IsFixturePlayed(slot))
        ++slot;
    if (slot < 0 || slot >= kFixtureSlots || FixtureDay(slot) != uint16_t(Today())) return -1;
    return slot;
}

// Plays the user's match and keeps it for the after-match screens when it
// was played and was his.
void ProcessUserMatch() {
    const int16_t slot = NextUnplayedSlot();
    const bool shown = UserMatchShown();
    g_keptMatchMaker = ResultMakers.playMatch;
    ResultMakers.playMatch = shown ? PlayUserMatchShown : PlayUserMatchUnseen;
    // A match played unseen keeps the menus up.
    const MatchSetupHooks keptHooks = SetupHooks;
    if (!shown) SetupHooks.releaseMenuBuffers = SetupHooks.restartMenus = nullptr;
    ProcessNextFixture();
    SetupHooks = keptHooks;
    ResultMakers.playMatch = g_keptMatchMaker;
    if (shown) {
        // The results follow on the match day's background.
        ShowMenuBackground(4);
        SaveScreen();
    }
    if (slot >= 0 && IsFixturePlayed(slot) && IsFixtureOfClub(slot, HVW_GetMyClub())) {
        LastMatch_Keep(slot);
        Ratings_RunPass(slot, LastMatch_UserSide());
    }
}

// ---- Panels ----------------------------------------------------------------------

void DrawDateLine() {
    char line[96];
    std::snprintf(line, sizeof line, "%s %s", TitleString1, TitleString2);
    int16_t w = 0, h = 0;
    GetCharSize('M', &w, &h);
    RestoreRectAligned(400, 64, 20 * w, h + 10, kCentred);
    DrawTextAddrAt(400, 64, line, kCentred);
}

// Background 4, the date line, the panel icon and a text inside it.
void DrawMessagePanel(int16_t textId, bool dateLine) {
    ShowMenuBackground(4);
    SetFont(13);
    SaveScreen();
    if (dateLine) DrawDateLine();
    DrawIcon(400, 300, kPanelIcon, kCentred);
    int16_t w = 0, h = 0;
    GetIconSizeScaled(kPanelIcon, &w, &h);
    DrawWrappedText(400 - w / 2 + 10, 300 - h / 2, GetText(textId), kCentred, w - 20, h);
    g_lastPanelText = textId;
    RefreshCursor();
}

// The result of the fixture just played, on the progress panel.
void DrawLastResult(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || !IsFixturePlayed(slot)) return;
    HideCursorNest(1);
    int16_t w = 0, h = 0;
    GetIconSizeScaled(kPanelIcon, &w, &h);
    RestoreRectAligned(400, 300, w, h, kCentred);
    DrawIcon(400, 300, kPanelIcon, kCentred);
    SetFont(13);
    const uint32_t score = FixtureScore(slot);
    const int goals[2] = {int(score & 31), int(score >> 5 & 31)};
    for (int side = 0; side < 2; ++side) {
        const int y = side == 0 ? 276 : 324;
        char name[gameinfo::kTeamNameLength + 1] = {};
        std::memcpy(name, GetMatchSetupBlock()->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName,
                    gameinfo::kTeamNameLength);
        DrawTextAddrAt(240, y, name, JUSTIFY_LEFT_MIDDLE);
        int16_t nameWidth = 0, dotWidth = 0;
        GetTextSize(name, &nameWidth, nullptr);
        GetTextSize(". ", &dotWidth, nullptr);
        char leader[160] = {};
        const int copies = dotWidth > 0 ? std::max(0, (308 - nameWidth) / dotWidth) : 0;
        for (int i = 0; i < copies && 2 * i + 2 < int(sizeof leader); ++i)
            std::memcpy(leader + 2 * i, ". ", 2);
        DrawTextAddrAt(548, y, leader, JUSTIFY_RIGHT_MIDDLE);
        DrawNumberAt(560, y, goals[side], kCentred);
    }
    HideCursorNest(0);
    RefreshCursor();
}

// ---- The day -----------------------------------------------------------------------

struct DayCounts {
    int16_t userSlot = -1, userCount = 0, flaggedSlot = -1, flaggedCount = 0, otherCount = 0;
};

DayCounts CountDay(int16_t day) {
    DayCounts c;
    HVW_CountFixturesOnDay(day, &c.userSlot, &c.userCount, &c.flaggedSlot, &c.flaggedCount, &c.otherCount);
    return c;
}

bool UserPlaysOn(const DayCounts& c) { return c.userSlot != -1 || c.flaggedSlot != -1; }

// Steps 1 to 3 of one day: shuffle, clear the day's message filter lists,
// group around the user's fixture, and play the day.
// A screen chosen in the title bar of the day's results list: the day
// goes on to its end and then this screen is next (the quit ends the game
// as a closed window does).  kNoScreenPicked while none was chosen.
constexpr int16_t kNoScreenPicked = -2;
int16_t g_pickedScreen = kNoScreenPicked;

bool QuitPicked() { return g_pickedScreen == kScreenQuit; }

void PlayToday() {
    ShuffleDayFixtures();
    HVW_ClearHumanLists();
    DayCounts c = CountDay(Today());
    int16_t userFixture = c.userSlot;
    if (UserPlaysOn(c)) {
        OrderTodaysFixtures();
        const int16_t club = HVW_GetMyClub();
        userFixture = HVW_FindClubFixtureOnDay(club, Today(), 0);
    }
    MatchDay_PlayDay(userFixture, c.userCount, c.flaggedCount, c.otherCount);
}

void ContinueOneDay() {
    PlayToday();
    HVW_AdvanceDay();
    if (QuitPicked()) return;
    const DayCounts next = CountDay(Today());
    SetMenuTitleDate(2);
    // The user's fixture on the new day: its referee is chosen and, for an
    // ordinary fixture, the match preview page waits for its button.
    MatchDay_PreviewLoop(next.userSlot, next.flaggedSlot);
    MenuOption = kScreenClubMain;
    // A new season opens on the squad numbers.  Its day's messages wait for
    // the user's next Continue, which shows them before the day is played:
    // a sale or deal opened here would be replaced by the squad numbers,
    // and the sale taken off its list with it.
    if (Today() == 0) {
        MenuOption = kScreenSquadNumbers;
    } else {
        ProcessHalvornDayMessages();
    }
}

bool EscapePressed() { return KeyWasPressed(kEscapeKey) != 0; }

// Goal replays saved since the last Continue and not given up by leaving the
// day's results list for the club screen, which resets their count.
bool GoalReplayPending() { return SavedGoalCount != 0; }

void ContinueRunOn() {
    const bool viewingCountry2 = HVW_GetViewedCountry() == 2;
    bool stoppedOnEvent = false, soakEnded = false;
    DayCounts next;
    for (;;) {
        const bool soaking = SoakMode != 0;
        TextMsg_ResetArgs();
        ShowDueDiaryNotes();
        PlayToday();
        int16_t x = 0, y = 0;
        uint16_t buttons = 0;
        UpdateMouse(&x, &y, &buttons);
        HVW_AdvanceDay();
        const int16_t day = Today();
        next = CountDay(day);
        const int16_t weekday = SeasonCalendar.weekday;
        if (WinCloseRequested() || g_pickedScreen != kNoScreenPicked) break;
        if (SoakMode != 0) {
            // Nobody answers what needs the user; Escape is read once a day,
            // after the window's messages are taken in.
            ProcessHalvornDayMessagesUnattended();
            Poll();
            if (EscapePressed()) break;
            continue;
        }
        bool stop = false;
        // A soak that reached its stop point stops there: the days after
        // it would wait for a user who is not there yet.
        soakEnded = soaking;
        if (soaking || day == kLastDayBeforeSeasonEnd || weekday == (viewingCountry2 ? 1 : 0) ||
            UserPlaysOn(next)) {
            stoppedOnEvent = true;
            stop = true;
        } else if (day != 0) {
            ProcessHalvornDayMessages();
            if (MenuOption != kScreenClubMain) stop = true;
        }
        // The new season's messages wait for the next Continue, as after one day.
        if (day == 0) {
            MenuOption = kScreenSquadNumbers;
            stop = true;
        }
        if (GoalReplayPending()) stop = true;
        if (stop) break;
    }
    if (!stoppedOnEvent) return;
    MatchDay_PreviewLoop(next.userSlot, next.flaggedSlot);
    // At the end of a soak what waits for the user stays waiting until
    // his first day: the run ends on the club screen.
    if (soakEnded) {
        ProcessHalvornDayMessagesUnattended();
    } else {
        ProcessHalvornDayMessages();
    }
    AutoSaveGame();
}

void ContinueTodaysMatch() {
    ShuffleDayFixtures();
    OrderTodaysFixtures();
    const DayCounts c = CountDay(Today());
    MatchDay_PlayDay(c.userSlot, c.userCount, c.flaggedCount, c.otherCount);
    HVW_AdvanceDay();
    if (QuitPicked()) return;
    // No preview here, but the user's match of the new day gets its referee
    // as after the other modes: the one kept from his last match would
    // otherwise officiate it, whatever its competition and countries.
    const DayCounts next = CountDay(Today());
    if (next.userSlot != -1) CurrentReferee = HVW_AppointReferee(next.userSlot);
    ProcessHalvornDayMessages();
    AutoSaveGame();
}

// ---- Groups of the day with the panel live ---------------------------------------------

// Processes a group's fixtures but the user's own while the panel answers,
// until the panel ends the loop; then the rest with the busy cursor.
void RunLiveGroup(int16_t count, uint16_t doneBit, uint8_t& lastPanel, bool (*loopGoesOn)()) {
    if (count == 1) {
        SetFlags(doneBit);
    } else {
        SetFlags(kDayGroupLive);
    }
    int16_t processed = 0;
    while (loopGoesOn()) {
        MatchDay_Dispatch();
        if (!HasFlag(doneBit)) {
            ProcessNextFixture();
            if (++processed >= count - 1) SetFlags(doneBit);
        }
        if (MatchDayEvent < 6) lastPanel = MatchDayEvent;
        MatchDay_Run();
    }
    ClearFlags(kDayGroupLive);
    Hotspot_InitDefault(&MatchDayHotspots[0]);
    if (!HasFlag(doneBit)) {
        TakeCursorLevel();
        for (; processed < count - 1; ++processed) ProcessNextFixture();
        GiveCursorLevel();
        SetFlags(doneBit);
    }
}

// Event 10 for the user's next match.  A soak's live loops end before any
// dispatch has taken the redraw bit, which would swallow the event.
void GiveResultOnly() {
    ClearFlags(kDayRedraw);
    MatchDayEvent = 10;
    MatchDay_Dispatch();
}

bool FlaggedLoopGoesOn() { return !IsDayEvent(MatchDayEvent); }
bool UserLoopGoesOn() { return MatchDayEvent != 6; }

}  // namespace

void MatchDay_RunResultsLoop() {
    MatchDayResultsView = 0;
    const int16_t keptOption = MenuOption;
    while (MatchDayResultsView != -1 && !WinCloseRequested()) {
        switch (MatchDayResultsView) {
            case kResultsShareChart:
                RunMenuSet(ShareChartTable);
                break;
            case kResultsStats:
                RunMenuSet(MatchStatsTable);
                break;
            case kResultsPlayerChart: {
                RunMenuSet(FrontEndScreenTable(kScreenResults));
                if (MatchDayResultsView == kResultsPlayerChart) MatchDayResultsView = kResultsBoard;
                break;
            }
            case 4:
                RunMenuSet(TeamStatsTable);
                break;
            case 5:
                RunMenuSet(MatchGraphTable);
                break;
            default:
                RunMenuSet(ResultBoardTable);
                break;
        }
    }
    MenuOption = keptOption;
}

namespace {

// The other fixtures' progress, as the busy cursor's painter draws it at
// each poll.
void ShowOtherFixturesProgress() {
    ProgressTotal = OtherFixturesTotal;
    ProgressDone = OtherFixturesDone;
}

void RunOtherFixtures(int16_t count) {
    DrawMessagePanel(kOtherFixturesText, true);
    TakeCursorLevel();
    OtherFixturesDone = 0;
    OtherFixturesTotal = count;
    ShowOtherFixturesProgress();
    Poll();
    SetFont(8);
    for (int16_t i = 0; i < count; ++i) {
        while (g_nextSlot >= 0 && g_nextSlot < kFixtureSlots && FixtureDay(g_nextSlot) == uint16_t(Today()) &&
               IsFixturePlayed(g_nextSlot)) {
            ++g_nextSlot;
        }
        if (g_nextSlot < 0 || g_nextSlot >= kFixtureSlots || FixtureDay(g_nextSlot) != uint16_t(Today()))
            break;
        ++OtherFixturesDone;
        ShowOtherFixturesProgress();
        Poll();
        const int16_t slot = g_nextSlot;
        ProcessNextFixture();
        if (count > 2) DrawLastResult(slot);
    }
    // The bar goes with the panel: later busy work shows none of it.
    ProgressTotal = ProgressDone = -1;
    GiveCursorLevel();
}

void DrawEndOfDayPanel() {
    DrawMessagePanel(kEndOfDayText, false);
    SetFont(12);
    DrawDateLine();
    SetFont(8);
}

// Raises the event of the panel's only button (continue, or on to the
// match when the panel shows no button).
void PressOnlyButton() {
    if (MatchDayHotspots[0].kind != HOT_END) {
        MatchDayEvent = uint8_t(MatchDayHotspots[0].result);
    } else {
        MatchDayEvent = MatchDayEvent < 6 ? 6 : 9;
    }
    if (MatchDayEvent <= 6) SetFlags(kDayRedraw);
    MatchDay_Dispatch();
}

}  // namespace

// ---- The run of days ---------------------------------------------------------------------

void MatchDay_ContinueDays() {
    // While the soak is on, no message box of the run waits for a click.
    struct RunningDays {
        RunningDays() { DayLoopRunning = true; }
        ~RunningDays() { DayLoopRunning = false; }
    } running;
    MenuOption = kScreenClubMain;
    g_pickedScreen = kNoScreenPicked;
    switch (ContinueMode) {
        case 0:
            ContinueOneDay();
            break;
        case 1:
            ContinueRunOn();
            break;
        case 2:
            ContinueTodaysMatch();
            break;
        default:
            MenuOption = kScreenQuit;
            break;
    }
    // The screen chosen on the day's results list, where the day itself
    // asks for none.
    if (g_pickedScreen != kNoScreenPicked && MenuOption == kScreenClubMain) MenuOption = g_pickedScreen;
    if (GoalReplayPending()) MenuOption = kScreenGoalReplays;
    // A closed window, or the quit confirmed on the results list, lets the
    // day finish and then ends the front end.
    if (WinCloseRequested() || QuitPicked()) MenuOption = kScreenQuit;
}

int32_t MatchDay_PlayDay(int16_t userFixture, int16_t userCount, int16_t flaggedCount, int16_t otherCount) {
    // 1. The day's start; the human club's competition of today decides
    // which of the day's matches count as the user's.
    ResetPipelineDay();
    HVW_FindHumanClubFixture();
    ClearFlags(kDayUserGroupDone | kDayGroupLive | kDayPanelFinished | kDayResultOnly | kDayUnshownLeague |
               kDayDataPrepared);
    SetMenuTitleDate(2);
    Hotspot_InitDefault(&MatchDayHotspots[0]);

    // 2. The first panel; the user's match is not shown unless he asks.
    MatchViewWord = 0;
    MatchOptionsByte = uint8_t(MatchOptionsByte | kMatchOptionUnshown);
    uint8_t lastPanel = 0;
    if (flaggedCount <= 0) {
        SetFlags(kDayFlaggedDone);
    } else {
        ClearFlags(kDayFlaggedDone);
    }
    if (userCount > 0 || flaggedCount > 0) {
        SetFlags(kDayRedraw);
        if (userCount > 0) {
            MatchDay_PrepareTeamNews();
            MatchDayEvent = 0;
        } else {
            MatchDayEvent = 4;
        }
        lastPanel = MatchDayEvent;
        if (SoakMode != 0) MatchDayEvent = 6;
    }

    // 3. Nothing left to play: the day's end.
    StartDayOrder();
    if (g_nextSlot >= 0) {
        // Every fixture's side selection and formation pick ask for both
        // clubs' managers, and the clubs' work after a match searches the
        // market: one walk over the players serves the whole day.
        const DayFixturesKeeper keep;
        // 4. The reserve-league group, ending with the user's own match,
        // which gets a result only.
        if (flaggedCount > 0) {
            RunLiveGroup(flaggedCount, kDayFlaggedDone, lastPanel, FlaggedLoopGoesOn);
            GiveResultOnly();
            ProcessUserMatch();
            ClearFlags(kDayResultOnly | kDayPanelFinished);
        }

        // 5. The user's group, his own match kept for last.
        if (userCount > 0) {
            if (userFixture >= 0 && FixtureType(userFixture) == 0) SetFlags(kDayUnshownLeague);
            if (flaggedCount > 0) MatchDayEvent = 6;
            SetFlags(kDayRedraw);
            MatchDay_Dispatch();
            RunLiveGroup(userCount, kDayUserGroupDone, lastPanel, UserLoopGoesOn);
            ClearFlags(kDayUnshownLeague);

            // 6. The finished team news waits for the user's choice.
            if (SoakMode == 0) {
                SetFlags(kDayPanelFinished | kDayRedraw);
                MatchDayEvent = lastPanel;
                MatchDay_Dispatch();
                MatchDayEvent = 6;
                while (MatchDayEvent <= 6) {
                    MatchDay_Dispatch();
                    MatchDay_Run();
                }
                Hotspot_InitDefault(&MatchDayHotspots[0]);
            } else {
                // Nobody watches: his match gets a result only.
                GiveResultOnly();
            }
            ProcessUserMatch();
            ClearFlags(kDayResultOnly);
            // 7. The results screens, unless nobody is there to read them.
            if (SoakMode == 0) MatchDay_RunResultsLoop();
        }

        // 8. The other fixtures under the progress panel.
        if (otherCount > 0) RunOtherFixtures(otherCount);

        // 9. The day's results.
        if (SoakMode == 0 && userCount + flaggedCount + otherCount > 0 && !WinCloseRequested()) {
            SetFlags(kDayResultsListed);
            const int16_t keptOption = MenuOption;
            RunHistoryBrowser(kDayResultsTitle, 0);
            // Left by neither of its own ways out: a title-bar choice, kept
            // for the day's end rather than lost under the day's next screen.
            if (HistoryLeaveFlag == 0 && MenuOption != keptOption && !WinCloseRequested())
                g_pickedScreen = MenuOption;
            MenuOption = keptOption;
        }
    }

    // 10. The day's end.
    CheckUserClubDayEnd();
    if (HasFlag(kDayLeftResults)) DrawEndOfDayPanel();
    ClearFlags(kDayLeftResults);
    Hotspot_InitDefault(&MatchDayHotspots[0]);
    return 6;
}

void MatchDay_Run() {
    if (WinCloseRequested()) {
        // A closed window answers the panel's button so the day can end.
        PressOnlyButton();
        return;
    }
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    Hotspot_ReadMouse(&x, &y, &buttons);
    const int16_t hit = Hotspot_HitTest(MatchDayHotspots, x, y, buttons);
    if (hit < 0) return;
    // The click is taken once the button is let go: a button still held
    // when the next panel is drawn would press that panel's button too (the
    // continue bar and the bar that starts the match overlap).
    while (buttons != 0 && !WinCloseRequested()) Hotspot_ReadMouse(&x, &y, &buttons);
    MatchDayEvent = uint8_t(hit);
    if (MatchDayEvent <= 6) SetFlags(kDayRedraw);
    MatchDay_Dispatch();
}

void MatchDay_Dispatch() {
    const uint8_t event = MatchDayEvent;
    if (HasFlag(kDayRedraw)) {
        ClearFlags(kDayRedraw);
        switch (event) {
            case 0:
                MatchDay_TeamNews();
                break;
            case 1:
                PreviewPanel_Draw();
                break;
            case 2:
                ShowMessageBox(GetText(kTextOptionUnavailable), 0);
                MatchDayEvent = 0;
                break;
            case 3:
                HVW_BuildSquadList(HVW_GetMyClub());
                MatchReport_Show();
                break;
            case 4:
                MatchDay_PrepareTeamNews120();
                MatchDay_TeamNews120();
                break;
            case 6:
                ClearFlags(kDayGroupLive);
                SetFlags(kDayPanelFinished);
                break;
            default:
                break;
        }
        return;
    }
    switch (event) {
        case 7:
            MenuOption = kScreenMatchNotWatched;
            MatchViewWord = 0;
            MatchOptionsByte = uint8_t(MatchOptionsByte | kMatchOptionUnshown);
            break;
        case 8:
            ShowMessageBox(GetText(kTextOptionUnavailable), 0);
            MatchDayEvent = 0;
            break;
        case 9:
            if (IsLowMemory() != 0) {
                ShowMessageBox(GetText(kLowMemoryText), 0);
            } else {
                MatchViewWord = 2;
                MatchOptionsByte = uint8_t(MatchOptionsByte & ~kMatchOptionUnshown);
            }
            break;
        case 10:
            SetFlags(kDayResultOnly);
            MatchUnshown = 1;
            break;
        default:
            break;
    }
}

void MatchDay_ChooseView() {
    constexpr int16_t kChoiceTexts[3] = {1702, 1703, 1704};
    static const HotRegion kChoices[] = {
        {HOT_TEXT_ID, 32, 430, 192, 40, 10, nullptr, 8, nullptr, 0},
        {HOT_TEXT_ID, 224, 430, 192, 40, 10, nullptr, 8, nullptr, 1},
        {HOT_TEXT_ID, 416, 430, 192, 40, 10, nullptr, 8, nullptr, 2},
        {},
    };
    const uint16_t kept = DrawColour;
    SetDrawParam(4, 2);
    SetDrawParam(2, 0);
    for (int i = 0; i < 3; ++i) DoButton(32 + 192 * i, 430, 190, 40);
    SetDrawParam(2, kept);
    SetDrawParam(1, 0);
    SetFont(14);
    for (int i = 0; i < 3; ++i) DrawTextNoAt(128 + 192 * i, 450, kChoiceTexts[i], kCentred);
    RefreshCursor();
    for (;;) {
        if (WinCloseRequested()) return;
        int16_t x = 0, y = 0;
        uint16_t buttons = 0;
        Hotspot_ReadMouse(&x, &y, &buttons);
        const int16_t choice = Hotspot_HitTest(kChoices, x, y, buttons);
        if (choice < 0) continue;
        while (buttons != 0 && !WinCloseRequested()) Hotspot_ReadMouse(&x, &y, &buttons);
        if (choice == 0) {
            MenuOption = kScreenMatchNotWatched;
            MatchViewWord = 0;
            MatchOptionsByte = uint8_t(MatchOptionsByte | kMatchOptionUnshown);
            return;
        }
        // Watching needs the memory the display takes: the choice waits on.
        if (IsLowMemory() != 0) continue;
        MatchViewWord = int16_t(choice);
        MatchOptionsByte = uint8_t(MatchOptionsByte & ~kMatchOptionUnshown);
        return;
    }
}

bool MatchDay_FrameHook() {
    if (!HasFlag(kDayGroupLive)) return false;
    MatchDay_Run();
    return true;
}

void MatchDay_ShowMessages() {
    MatchDayMessageRing& q = MatchDayMessageQueue;
    // Without the menu display there is no screen to show them over.
    if (MenuDisplayIsOpen() == 0) return;
    if ((q.flags & kDayFlashFast) != 0) {
        // Nobody reads the flashes of a soak: no wait on the clock.
        if (SoakMode == 0) MatchDay_WaitTicks(kFlashWaitTicks);
        q.flags = uint8_t(q.flags & ~kDayFlashFast);
    }
    Poll();
    HideCursorNest(1);
    int16_t w = 0, h = 0;
    GetIconSizeScaled(kPanelIcon, &w, &h);
    RestoreRectAligned(400, 300, w, h, kCentred);
    DrawIcon(400, 300, kPanelIcon, kCentred);
    // The panel comes over whatever screen is up: that screen's text mode
    // is given back after it.
    const int16_t keptFont = CurrentFontNumber;
    SetFont(8);
    int16_t rowHeight = 0;
    GetCharSize('A', nullptr, &rowHeight);
    const int first = q.start >= 0 && q.start < kDayFlashEntries ? q.start : 0;
    for (int i = 0; i < kDayFlashEntries; ++i) {
        const char* text = q.text[(first + i) % kDayFlashEntries];
        const int top = 300 - h / 2 + 25 + i * (2 * rowHeight + 5);
        DrawWrappedText(400 - w / 2 + 30, top, text, kCentred, w - 60, 2 * rowHeight);
    }
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
    HideCursorNest(0);
    RefreshCursor();
    Poll();
    SetFont(keptFont);
}

int16_t MatchDayLastPanelText() { return g_lastPanelText; }

std::span<const HotRegion> MatchDayViewRegions() {
    const int16_t count = Hotspot_Count(MatchDayHotspots);
    return {MatchDayHotspots, size_t(count)};
}
