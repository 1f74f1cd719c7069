#include "tests/fakes/start_path.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/season/playedleagues.h"
#include "game/match3d/videochoice.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/callmenus.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/league/divisionclubs.h"
#include "game/screens/start/playedcountries.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/system/displaysurfaces.h"
#include "game/system/picture.h"
#include "platform/window.h"
#include "tests/fakes/menu_user.h"

namespace testenv {

namespace {

// The new game and the loads take many frames on a checked build.
constexpr int kLongWait = 20000;

void WaitForTable(const MenuItem* table, int limit = 3000) {
    MenuUserWaitFor([table] { return MenuTableUp(table); }, limit);
    MenuUserWait(5);
}

void ClickItemAt(int x, int y) {
    MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
}

// The n-th selectable item of the screen standing at column x.
void ClickNthItemInColumn(int x, int n) {
    auto seen = std::make_shared<int>(0);
    MenuUserDo([seen] { *seen = 0; });
    MenuUserClickItem([x, n, seen](const MenuHotItem& item) { return item.x == x && (*seen)++ == n; });
}

// The three start pictures (two logos and the title), each ended by a click
// once it has wiped in (a click during the wipe is not seen); the click on
// the title skips the credits after it.
void QueueStartPictures() {
    MenuUserMoveTo(400, 500);
    for (int16_t picture : {30, 24, 31}) {
        MenuUserWaitFor(
            [picture] { return BackgroundList[picture].picture != nullptr && ScreenPresented == 1; },
            kLongWait);
        MenuUserWait(2);
        MenuUserPress();
        MenuUserWait(3);
        MenuUserRelease();
    }
    WaitForTable(StartMenuTable, kLongWait);
}

// The screen mode row's arrow that steps to the previous mode of the list,
// and the screen's OK and cancel buttons.
constexpr int kModeBackArrowX = 700, kModeBackArrowY = 254;
constexpr int kVideoOkX = 740, kVideoOkY = 556;
constexpr int kVideoCancelX = 535, kVideoCancelY = 513;

// The user steps the mode row back through every mode the screen offers,
// noting each, and goes on to the smallest of his colour depth: the steps
// are queued ahead, each pressing the arrow only while the row does not
// yet show that mode after a whole round.
struct ModeWalk {
    int first = -1;
    bool roundDone = false;
    int smallest = -1;
};

int ModeArea(int mode) { return int(GfxModeTable[mode].width) * int(GfxModeTable[mode].height); }

void NoteMode(ModeWalk& walk) {
    const int mode = VideoOpt_WorkingChoice().ModeIndex;
    if (mode < 0 || mode >= GfxNumModes) return;
    if (walk.first < 0) {
        walk.first = mode;
        walk.smallest = mode;
        return;
    }
    if (mode == walk.first) walk.roundDone = true;
    if (GfxModeTable[mode].colour_type == GfxModeTable[walk.first].colour_type &&
        ModeArea(mode) < ModeArea(walk.smallest))
        walk.smallest = mode;
}

void QueueSmallestMode() {
    auto walk = std::make_shared<ModeWalk>();
    MenuUserMoveTo(kModeBackArrowX, kModeBackArrowY);
    MenuUserDo([walk] { NoteMode(*walk); });
    // Two rounds at most: one to see every mode, one to reach the smallest.
    for (int step = 0; step < 2 * int(GfxNumModes); ++step) {
        MenuUserDo([walk] {
            if (!walk->roundDone || VideoOpt_WorkingChoice().ModeIndex != walk->smallest)
                plat::InjectMouseButton(0, true);
        });
        MenuUserWait(2);
        MenuUserRelease();
        MenuUserWait(3);
        MenuUserDo([walk] { NoteMode(*walk); });
    }
    MenuUserDo([walk] {
        EXPECT_TRUE(walk->roundDone) << "the mode row did not come round to its first mode";
        EXPECT_EQ(VideoOpt_WorkingChoice().ModeIndex, walk->smallest) << "the smallest mode not reached";
    });
    MenuUserClickAt(kVideoOkX, kVideoOkY);
}

// F11 on the start screen opens the video options; left by their cancel
// button, or by OK with the smallest mode chosen.
void QueueVideoOptions(bool smallestMode) {
    constexpr uint8_t kF11 = 87;
    MenuUserKey(kF11);
    MenuUserWaitFor([] { return MenuOption == kScreenVideoOptions; });
    // Its background wipes in before it reads the mouse.
    MenuUserWaitFor([] { return HVState.state == HV_STATE_MENU; });
    MenuUserWait(5);
    if (smallestMode) {
        QueueSmallestMode();
    } else {
        MenuUserClickAt(kVideoCancelX, kVideoCancelY);
    }
    WaitForTable(StartMenuTable);
}

// "Edit Names" is drawn but leads nowhere: a click on it leaves the start
// screen up.
void QueueNameEditors() {
    ClickItemAt(500, 535);
    MenuUserWait(10);
    MenuUserDo([] { EXPECT_EQ(MenuOption, kScreenStart); });
    WaitForTable(StartMenuTable);
}

void QueueAtClub(std::function<void()> atClub) {
    MenuUserWaitFor([] { return MenuOption == kScreenClubMain && MenuTableUp(ClubMainTable); }, kLongWait);
    MenuUserWait(5);
    if (atClub) MenuUserDo(std::move(atClub));
}

// Scan codes of the capital letters, typed with a shift key.
uint8_t LetterScanCode(char letter) {
    static constexpr uint8_t kCodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    return letter >= 'A' && letter <= 'Z' ? kCodes[letter - 'A'] : 0;
}

}  // namespace

bool StartPathLinkGameData(const std::string& gameDir) {
    if (std::filesystem::exists("stats")) return true;
    // A link to a folder that is not there would be made all the same.
    if (!std::filesystem::is_directory(gameDir + "/stats")) return false;
    std::error_code error;
    std::filesystem::create_directory_symlink(gameDir + "/stats", "stats", error);
    return !error;
}

void StartPathQueueNewGame(const StartPathNewGame& choices, std::function<void()> atClub) {
    QueueStartPictures();
    if (choices.videoOptions) QueueVideoOptions(choices.smallestVideoMode);
    if (choices.nameEditors) QueueNameEditors();
    // "New Game": the played countries, then on to the new game itself.
    ClickItemAt(100, 535);
    WaitForTable(PlayedCountriesTable);
    if (choices.homeCountryRow >= 0) {
        // The home boxes stand in a column, a row of 29 a country.
        ClickItemAt(75, 230 + 29 * choices.homeCountryRow);
        MenuUserWait(5);
    }
    // The right boxes, each click seen to change its country before the next.
    for (int row : choices.toggledCountryRows) {
        auto before = std::make_shared<uint16_t>(0);
        MenuUserDo([row, before] { *before = PlayedLeagueFlags[row]; });
        ClickItemAt(404, 230 + 29 * row);
        MenuUserWaitFor([row, before] { return PlayedLeagueFlags[row] != *before; });
        MenuUserWait(5);
    }
    ClickItemAt(743, 559);
    // The division clubs of the home country's first division.
    WaitForTable(DivisionClubsTable, kLongWait);
    ClickNthItemInColumn(40, choices.clubRow);
    // The club's information with the job buttons: apply.
    WaitForTable(ClubInfoTable);
    ClickItemAt(60, 559);
    // The surname: the template cleared, the name typed and taken, on.
    WaitForTable(SurnameMenuTable, kLongWait);
    ClickItemAt(188, 290);
    MenuUserWait(5);
    for (int i = 0; i < 16; ++i) MenuUserKey(0x0E);
    for (char letter : choices.surname)
        if (LetterScanCode(letter) != 0) MenuUserShiftKey(LetterScanCode(letter));
    MenuUserKey(0x1C);
    MenuUserWait(5);
    ClickItemAt(743, 559);
    QueueAtClub(std::move(atClub));
}

void StartPathQueueLoadGame(int row, std::function<void()> atClub) {
    QueueStartPictures();
    ClickItemAt(300, 535);
    WaitForTable(SaveLoadTable);
    MenuUserClickItem([row](const MenuHotItem& item) { return item.x == 110 && item.row == row; });
    QueueAtClub(std::move(atClub));
}

void StartPathRunGameMain() {
    ReleaseMenuBuffers();
    ResetFrontEndValues();
    GameMain();
    RestartMenus();
}

}  // namespace testenv
