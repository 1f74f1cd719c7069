#include "tests/fakes/screen_tour.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/playerscreens.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/text.h"
#include "core/records/training.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/news.h"
#include "core/season/soak.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/clubsummary.h"
#include "game/screens/club/inbox.h"
#include "game/screens/club/staffmember.h"
#include "game/screens/club/weeklymoney.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/squad/training.h"
#include "game/screens/start/msgtester.h"
#include "game/screens/start/soakscreen.h"
#include "game/screens/transfers/agentprofile.h"
#include "game/screens/transfers/exchangelist.h"
#include "game/screens/transfers/loanterms.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/system/poll.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/test_util.h"

namespace testenv {

namespace {

// Title-bar captions by the x of their item, and the frames a screen may
// take to come up (a loaded machine, a checked build).
constexpr int kGameCaption = 20, kClubCaption = 171, kLeagueCaption = 322, kStatsCaption = 473;
constexpr int kScreenFrames = 3000;
constexpr int kHomeTries = 6;
// The engine takes the next click only some frames after one.
constexpr int kAfterClick = 10;
// The match marks, whose back icon follows the recent screens.
constexpr int kMarksRow = 18;
constexpr int kFixturesRow = 10;
// The pay-off the club cannot meet.
constexpr int16_t kPayOffTooHighText = 1168;
// The transfer list for a player without a contract.
constexpr int16_t kNoContractText = 1150;
// A loan approach to a player not on the loan list.
constexpr int16_t kNotLoanListedText = 1139;
// The club screens' word every load sets.
constexpr int kLoadSetBlock = 44;
constexpr int kFixtureBlock = 37;

struct TourStop {
    const char* family;
    int16_t id;
    // The title-bar caption and row that lead to it; caption -1: the id set.
    int caption;
    int row;
};

// Reached from the club screen by the title bar (or by setting the id, for
// the screens that no screen leads to), one after another; the deeper
// screens of a family are reached from these.
constexpr TourStop kStops[] = {
    {"club and squad screens", kScreenSquadList, kClubCaption, 1},
    {"club and squad screens", kScreenSquadListSecond, kClubCaption, 2},
    {"club and squad screens", kScreenSquadListSpare, kClubCaption, 3},
    {"team selection and tactics", kScreenTeamSelect, kClubCaption, 4},
    {"team selection and tactics", kScreenFilteredSquadList, kClubCaption, 6},
    {"training, condition, coaching and staff", kScreenTraining, kClubCaption, 7},
    {"training, condition, coaching and staff", kScreenStaffList, kClubCaption, 21},
    {"training, condition, coaching and staff", kScreenCoachingList, kClubCaption, 24},
    {"training, condition, coaching and staff", kScreenUserCoachingList, kClubCaption, 25},
    {"search", kScreenPlayerSearch, kClubCaption, 8},
    {"scouting and the shortlist", kScreenScouting, kClubCaption, 9},
    {"scouting and the shortlist", kScreenShortlist, kClubCaption, 14},
    {"the deal and squad numbers and attribute table", kScreenAttributeTable, kClubCaption, 20},
    {"money", kScreenFinance, kClubCaption, 12},
    {"money", kScreenIncomeForecast, kClubCaption, 19},
    {"money", kScreenMatchMarks, kClubCaption, 18},
    {"history", kScreenClubRecords, kClubCaption, 11},
    {"history", kScreenClubHistory, kClubCaption, 23},
    {"history", kScreenTopScorers, kClubCaption, 22},
    {"history", kScreenHonoursRoll, kStatsCaption, 9},
    {"history", kScreenGameRecords, kStatsCaption, 10},
    {"league, transfer and European views", kScreenClubFixtures, kClubCaption, 10},
    {"league, transfer and European views", kScreenLeagueTable, kStatsCaption, 0},
    {"league, transfer and European views", kScreenLeagueGoals, kStatsCaption, 1},
    {"league, transfer and European views", kScreenLeagueAssists, kStatsCaption, 2},
    {"league, transfer and European views", kScreenLeaguePerformance, kStatsCaption, 3},
    {"league, transfer and European views", kScreenLeagueManOfMatch, kStatsCaption, 4},
    {"league, transfer and European views", kScreenClubRankings, kStatsCaption, 5},
    {"league, transfer and European views", kScreenManagerRankings, kStatsCaption, 6},
    {"league, transfer and European views", kScreenClubWorthRankings, kStatsCaption, 7},
    {"league, transfer and European views", kScreenAttendance, kStatsCaption, 8},
    {"league, transfer and European views", kScreenSeasonTransfers, kStatsCaption, 11},
    {"league, transfer and European views", kScreenDivisionEleven, kStatsCaption, 12},
    {"league, transfer and European views", kScreenFixturesByDay, kLeagueCaption, 3},
    {"league, transfer and European views", kScreenTransferList, kLeagueCaption, 2},
    {"league, transfer and European views", kScreenClubTransfers, kClubCaption, 26},
    {"league, transfer and European views", kScreenInjuryList, kClubCaption, 27},
    {"news and inbox", kScreenNewsPages, kLeagueCaption, 4},
    {"news and inbox", kScreenInbox, kClubCaption, 13},
    {"board and vacancies", kScreenBoardView, kClubCaption, 16},
    {"board and vacancies", kScreenVacancies, kLeagueCaption, 1},
    {"the world's clubs and agents", kScreenClubsByNation, kClubCaption, 17},
    {"saved games", kScreenSaveGame, kGameCaption, 0},
    {"friendlies", kScreenFriendlies, kClubCaption, 15},
    {"the month header and the shared rows list", kScreenMonthHeader, -1, 0},
    {"the month header and the shared rows list", kScreenPlayerInfoHeader, -1, 0},
};

struct TourState {
    std::shared_ptr<ScreenTourReport> report;
    ScreenTourOptions options;
    std::vector<std::function<void()>> phases;
    size_t next = 0;
    bool dayUserWasRunning = false;
    // The stop lost its way: its remaining phases do nothing until the way
    // home has been found.
    bool lost = false;
    int homeTries = 0;
    std::vector<uint32_t> clubGrab;
    std::string family;
};

TourState* g_tour = nullptr;
std::set<int16_t> g_watched;
int16_t g_watchKey = -1;

bool ScreenUp(int16_t id) {
    const MenuItem* table = FrontEndScreenTable(id);
    return MenuOption == id && table != PlainScreenTable && MenuViewTopTable() == table &&
           !MenuViewHotItems().empty() && ScreenPresented == 1;
}

bool ClubUp() { return ScreenUp(3); }
bool BoxUp() { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }

bool HasTitleBar(const MenuItem* table) {
    for (const MenuItem* item = table; item != nullptr && item->type != MI_END; ++item) {
        const bool group = item->type == MI_GROUP || item->type == MI_ROW_GROUP;
        const bool groupVar = item->type == MI_GROUP_VAR || item->type == MI_ROW_GROUP_VAR;
        if (!group && !groupVar) continue;
        const MenuItem* sub = group ? static_cast<const MenuItem*>(item->data)
                                    : *static_cast<const MenuItem* const*>(item->data);
        if (sub == TitleBarTable || HasTitleBar(sub)) return true;
    }
    return false;
}

// The ticker's strip and its scroll position on the screen seen last.
constexpr int kTickerLeft = 28, kTickerTop = 543, kTickerWidth = 744, kTickerHeight = 16;
std::map<int16_t, ScreenTourReport::Ticker> g_ticker;
int16_t g_tickerScreen = -2;
int16_t g_tickerOffset = 0;

void WatchTicker() {
    if (!ScreenUp(MenuOption)) {
        g_tickerScreen = -2;
        return;
    }
    ScreenTourReport::Ticker& seen = g_ticker[MenuOption];
    seen.titleBar = HasTitleBar(MenuViewTopTable());
    seen.stripTaken |= MenuHotItemWithin(kTickerLeft, kTickerTop, kTickerWidth, kTickerHeight);
    // Once the screen is drawn: its screen function has set the text.
    if (IsMenuFirstEntry() == 0) seen.text |= NewsTickerText[0] != '\0';
    // Scrolled on (an empty text puts it back to 0 instead).
    seen.moved |= g_tickerScreen == MenuOption && TickerOffset < g_tickerOffset;
    g_tickerScreen = MenuOption;
    g_tickerOffset = TickerOffset;
}

void WatchScreens() {
    if (ScreenUp(MenuOption)) g_watched.insert(MenuOption);
    WatchTicker();
    if (g_tour != nullptr && MenuViewTopTable() == MsgTestTable) g_tour->report->messageTester = true;
}

void Fail(const std::string& what) {
    if (g_tour == nullptr) return;
    g_tour->report->failures.push_back(g_tour->family + ": " + what);
}

bool Titled() {
    const auto items = MenuViewHotItems();
    return std::any_of(items.begin(), items.end(), [](const MenuHotItem& item) {
        return item.popup != nullptr && item.x == kClubCaption;
    });
}

bool Offers(int x, int y) {
    int cx = 0, cy = 0;
    return FindMenuItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; }, &cx, &cy);
}

void ClickAt(int x, int y, int button = 0);

// ---- The phases ------------------------------------------------------------------------

void RunPhase();

// Queues the phase after the steps queued so far.
void QueueNextPhase() { MenuUserDo(RunPhase); }

void Then(std::function<void()> phase) { g_tour->phases.push_back(std::move(phase)); }
// Runs the phase next, before those planned.
void ThenFirst(std::function<void()> phase) {
    g_tour->phases.insert(g_tour->phases.begin() + std::ptrdiff_t(g_tour->next), std::move(phase));
}

void Finish() {
    RemovePollFunction(g_watchKey);
    g_watchKey = -1;
    TourState* tour = g_tour;
    tour->report->visited.insert(g_watched.begin(), g_watched.end());
    tour->report->ticker = g_ticker;
    tour->report->finished = true;
    g_tour = nullptr;
    if (tour->dayUserWasRunning) {
        DayUserRunning() = true;
        MenuUserDo(DayUserStep);
    }
    if (tour->options.done) tour->options.done();
    delete tour;
}

void RunPhase() {
    if (g_tour == nullptr) return;
    g_tour->report->visited.insert(g_watched.begin(), g_watched.end());
    if (g_tour->next >= g_tour->phases.size()) {
        Finish();
        return;
    }
    // Copied out: a phase may plan more phases.
    std::function<void()> phase = g_tour->phases[g_tour->next++];
    phase();
    QueueNextPhase();
}

// Waits for the screen; a screen that does not come up loses the stop.
void WaitScreen(int16_t id, const std::string& how) {
    MenuUserWaitFor([id] { return ScreenUp(id); }, kScreenFrames,
                    [id, how] {
                        Fail("screen " + std::to_string(id) + " did not come up " + how + " (screen " +
                             std::to_string(MenuOption) + " is)");
                        g_tour->lost = true;
                    });
    MenuUserWait(4);
}

// Waits for whatever screen comes next.
void WaitAnyScreen(const std::string& how) {
    MenuUserWaitFor([] { return ScreenUp(MenuOption); }, kScreenFrames,
                    [how] {
                        Fail("no screen came up " + how);
                        g_tour->lost = true;
                    });
    MenuUserWait(4);
}

// Opens the title bar's list at the caption and clicks the row; every row
// of the list must lie on the screen.
void OpenFromTitle(int caption, int row) {
    MenuUserClickItem(
        [caption](const MenuHotItem& item) { return item.popup != nullptr && item.x == caption; });
    MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200,
                    [] { Fail("the title bar's list did not open"); });
    MenuUserWait(4);
    MenuUserDo([caption] {
        for (const MenuPopupRowView& view : MenuViewPopupRows()) {
            if (view.x < 0 || view.y < 0 || view.x + view.w > 800 || view.y + view.h > 600) {
                Fail("a row of the list under caption " + std::to_string(caption) +
                     " lies past the screen at " + std::to_string(view.x) + "," + std::to_string(view.y));
                break;
            }
        }
    });
    MenuUserClickPopupRow(row);
}

// The way back to the club screen from wherever the stop ended: a box
// clicked away, the title bar's club list, the back icon.
void HomePhase() {
    if (ClubUp()) {
        g_tour->lost = false;
        g_tour->homeTries = 0;
        return;
    }
    if (++g_tour->homeTries > kHomeTries) {
        Fail("screen " + std::to_string(MenuOption) + " cannot be left for the club screen");
        g_tour->phases.resize(g_tour->next);  // the tour ends here
        return;
    }
    if (BoxUp()) {
        // A message box closes at a click; a question box at its second
        // button (no).
        if (g_tour->homeTries % 2 == 1) {
            MenuUserClickAt(400, 300);
        } else {
            MenuUserClickAt(500, 350);
        }
        MenuUserWait(kAfterClick);
    } else if (Titled()) {
        OpenFromTitle(kClubCaption, 0);
    } else {
        // The back icons and areas of the screens without the title bar.
        for (const auto& [x, y] :
             {std::pair{743, 559}, std::pair{564, 434}, std::pair{570, 436}, std::pair{40, 560}}) {
            if (!Offers(x, y)) continue;
            ClickAt(x, y);
            break;
        }
    }
    MenuUserWaitFor([] { return ClubUp() || BoxUp(); }, kScreenFrames, [] {});
    MenuUserWait(4);
    ThenFirst(HomePhase);
}

// ---- Grabs -------------------------------------------------------------------------------

bool SameGrabPixel(uint32_t grabbed, uint32_t backBuffer) {
    const uint32_t swapped = (backBuffer & 0xFF) << 16 | (backBuffer & 0xFF00) | (backBuffer >> 16 & 0xFF);
    return grabbed == (backBuffer & 0xFFFFFF) || grabbed == swapped;
}

// Scroll Lock with the pointer in the corner, and the newest grab read;
// the report notes whose screen it shows.
void QueueGrab(std::vector<uint32_t>* into, const std::string& what) {
    MenuUserMoveTo(790, 590);
    MenuUserWait(3);
    MenuUserKey(0x46);
    MenuUserWait(3);
    MenuUserDo([into, what] {
        *into = NewestGrabPixels();
        if (g_tour == nullptr) return;
        ++g_tour->report->grabs;
        g_tour->report->grabbed.push_back(what);
    });
}

// The grab of a family's screen: the picture on the display (the back
// buffer's pixels), its own (it differs from the club screen's below the
// title bar and shows text) and, when titled, the same title bar.
void CheckGrab(int16_t id, const std::vector<uint32_t>& grab, bool titled) {
    const std::string name = "the grab of screen " + std::to_string(id);
    if (grab.size() != 800u * 600u) {
        Fail(name + " was not written");
        return;
    }
    int differ = 0;
    for (int y = 6; y < 600; y += 7)
        for (int x = 3; x < 780; x += 7) {
            if (!SameGrabPixel(grab[size_t(y) * 800 + size_t(x)], GetBackBufferPixel(x, y))) ++differ;
        }
    // A blinking or animated item may have moved on since the grab.
    if (differ > 200) Fail(name + " differs from the drawn screen at " + std::to_string(differ) + " pixels");
    const std::vector<uint32_t>& club = g_tour->clubGrab;
    if (club.size() == grab.size()) {
        int changed = 0;
        for (int y = 40; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                changed += grab[size_t(y) * 800 + size_t(x)] != club[size_t(y) * 800 + size_t(x)];
        if (changed < 2000) Fail(name + " shows the club screen");
        if (titled) {
            int bar = 0;
            for (int y = 6; y < 28; ++y)
                for (int x = kClubCaption + 4; x < kClubCaption + 14; ++x)
                    bar += grab[size_t(y) * 800 + size_t(x)] != club[size_t(y) * 800 + size_t(x)];
            if (bar > 0) Fail(name + " has another title bar");
        }
    }
    // The screen that loads at a click shows only its picture.
    if (id != 98 && BrightPixels(grab, 0, 40, 800, 520) < 40) Fail(name + " shows no text");
}

// The club screen's grab shows the news ticker: the national headlines in
// black letters along the light strip at the bottom, scrolled some way in.
void CheckTickerInClubGrab() {
    const std::vector<uint32_t>& grab = g_tour->clubGrab;
    if (grab.size() != 800u * 600u) return;
    if (std::strlen(NewsTickerText) < 20 || std::strstr(NewsTickerText, "........") == nullptr)
        Fail("the club screen's ticker holds no headlines: \"" + std::string(NewsTickerText) + "\"");
    int black = 0, light = 0, columns = 0;
    for (int x = kTickerLeft; x < kTickerLeft + kTickerWidth; ++x) {
        bool letter = false;
        for (int y = kTickerTop; y < kTickerTop + kTickerHeight; ++y) {
            const uint32_t p = grab[size_t(y) * 800 + size_t(x)] & 0xFFFFFF;
            const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
            if (r + g + b < 60) {
                ++black;
                letter = true;
            }
            if (r > 140 && g > 140 && b > 140) ++light;
        }
        columns += letter;
    }
    // Letters along most of the band (the text repeats to fill it), on a
    // strip that stays light around them.
    if (columns < kTickerWidth / 2 || black < 800 || light < kTickerWidth * kTickerHeight / 2)
        Fail("the club screen's grab shows no ticker: " + std::to_string(black) + " black pixels in " +
             std::to_string(columns) + " columns, " + std::to_string(light) + " light ones");
}

// ---- Clicks ------------------------------------------------------------------------------

void ClickAt(int x, int y, int button) {
    MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; }, button);
    MenuUserWait(kAfterClick);
}

void ClickHandler(MenuHandler handler, int button = 0) {
    MenuUserClickItem([handler](const MenuHotItem& item) { return item.handler == handler; }, button);
    MenuUserWait(kAfterClick);
}

// Opens the list of the item at x, y and clicks the row the function names
// when the list is open.
void ChooseFromList(int x, int y, std::function<int()> row) {
    ClickAt(x, y);
    MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200, [] { Fail("a list did not open"); });
    MenuUserWait(4);
    MenuUserClickPopupRow(std::move(row));
}

int ProfileRow(ProfileAction action) {
    for (int i = 0; i < ProfileActionCount; ++i)
        if (ProfileActions[i] == action) return i;
    return -1;
}

// The squad list's name cells: row r of the list at x 50.
constexpr int kSquadRowX = 50, kSquadRowY = 147, kSquadRowStep = 23;
bool SquadRowItem(const MenuHotItem& item, int row) {
    return item.x == kSquadRowX && item.y == kSquadRowY + kSquadRowStep * row;
}

// The club screen's club list: the row that shows the club (-1 none).
int ClubMainRowOf(uint16_t club) {
    for (int row = 0; row + ClubMainListTop() < ClubMainClubCount(); ++row)
        if (ClubMainClubList()[ClubMainListTop() + row] == club) return row;
    return -1;
}

bool ClubMainRowItem(const MenuHotItem& item) {
    return item.x == 20 && item.y > 90 && item.handler != nullptr;
}

// On the club screen, the user's own club picked from its club list
// (scrolled down to it as needed): the club screens show it.
void PickOwnClubPhase() {
    if (g_tour->lost || !ClubUp()) return;
    const uint16_t user = GetPlayerClub(1);
    const int row = ClubMainRowOf(user);
    bool shown = false;
    for (const MenuHotItem& item : MenuViewHotItems()) shown |= ClubMainRowItem(item) && item.row == row;
    if (row >= 0 && shown) {
        MenuUserClickItem(
            [row](const MenuHotItem& item) { return ClubMainRowItem(item) && item.row == row; });
        MenuUserWait(5);
        MenuUserDo([user] {
            if (SelectedClub != user) Fail("the club list's click did not pick the user's club");
        });
        return;
    }
    if (++g_tour->homeTries > 12) {
        Fail("the user's club is not in the club screen's club list");
        g_tour->lost = true;
        return;
    }
    ClickAt(20, 573);  // the list scrolled down
    MenuUserWait(4);
    ThenFirst(PickOwnClubPhase);
}

// ---- The stops ---------------------------------------------------------------------------

// A grab of a screen that has no screen id of its own (the message
// tester): written and matching the drawn screen.
void QueueGrabOnly() {
    auto grab = std::make_shared<std::vector<uint32_t>>();
    QueueGrab(grab.get(), "the message tester");
    MenuUserDo([grab] {
        if (grab->size() != 800u * 600u ||
            !SameGrabPixel((*grab)[300 * 800 + 400], GetBackBufferPixel(400, 300)))
            Fail("the grab of the message tester is not the drawn screen");
    });
}

// The inbox puts a folder's unread count at a fixed place in the folder's
// tab, 60 pixels from where the caption starts (80 in the first, wider
// tab): a longer caption runs under the count.  Only that pair, in its own
// tab, is let be.
bool InboxCountOverItsCaption(const DrawnString& count, const DrawnString& caption) {
    constexpr int kCountX = 122, kFirstTabMiddle = 124, kTabStep = 30;
    for (int k = 0; k < kInboxFolders; ++k) {
        const int middle = kFirstTabMiddle + kTabStep * k;
        if (count.text != InboxUnreadLabel(k) || count.x != kCountX || count.y < middle ||
            count.y > middle + 4)
            continue;
        const int captionX = k == 0 ? 42 : 62;
        if (caption.x == captionX && std::abs(caption.y + caption.height / 2 - middle) <= 2) return true;
    }
    return false;
}

// Grabs the screen up and checks the grab and the strings it draws.
void QueueLook(int16_t id) {
    auto grab = std::make_shared<std::vector<uint32_t>>();
    auto titled = std::make_shared<bool>(false);
    MenuUserDo([titled] { *titled = Titled(); });
    QueueGrab(grab.get(), "screen " + std::to_string(id));
    MenuUserDo([id, grab, titled] { CheckGrab(id, *grab, *titled); });
    // What it writes must read.
    MenuUserDo([id] {
        const LaidOverEachOther laidOver = id == 99 ? InboxCountOverItsCaption : LaidOverEachOther();
        for (const std::string& fault : StringFaults(ScreenStrings(), laidOver))
            Fail("screen " + std::to_string(id) + ": " + fault);
    });
}

// ---- Refusals ----------------------------------------------------------------------------

// A refusal: the saved blocks hashed, the action that is refused, its box
// with the system's text (text id) clicked away, and the blocks unchanged.
struct Refusal {
    std::vector<uint64_t> hashes;
    int boxes = 0;
};

void QueueRefusal(const std::string& what, int16_t textId, const std::function<void()>& act) {
    auto refusal = std::make_shared<Refusal>();
    MenuUserDo([refusal] {
        refusal->hashes = SavedBlockHashes();
        refusal->boxes = MenuViewMessageBoxCount();
    });
    act();
    MenuUserWaitFor([] { return BoxUp(); }, 300, [what] { Fail(what + ": no box"); });
    MenuUserWait(4);
    MenuUserDo([refusal, what, textId] {
        ++g_tour->report->refusals;
        g_tour->report->refused.push_back(what);
        if (MenuViewMessageBoxCount() == refusal->boxes ||
            std::strcmp(MenuViewLastMessageBox(), GetText(textId)) != 0)
            Fail(what + ": the box says \"" + MenuViewLastMessageBox() + "\", not text " +
                 std::to_string(textId));
    });
    MenuUserClickAt(400, 300);
    MenuUserWait(kAfterClick);
    MenuUserDo([refusal, what] {
        std::string blocks;
        for (int block : ChangedSavedBlocks(refusal->hashes)) blocks += " " + std::to_string(block);
        if (!blocks.empty()) Fail(what + " changed the saved blocks" + blocks);
    });
}

// ---- Training, release ---------------------------------------------------------------

// The training schedule: the first row's regular training set from its
// pop-up; the player's record holds the type chosen.
struct Trained {
    uint16_t player = 0;
    int16_t before = -1;
    int row = 0;
};

void ActTraining() {
    auto trained = std::make_shared<Trained>();
    MenuUserDo([trained] {
        trained->player = Training_RowView(0).player;
        trained->before = HVW_GetRegularTraining(trained->player);
        // Row r of the pop-up is type r - 1: a type other than his.
        trained->row = trained->before == 1 ? 3 : 2;
    });
    ChooseFromList(488, 118, [trained] { return trained->row; });
    MenuUserWait(kAfterClick);
    MenuUserDo([trained] {
        if (trained->player == 0 || HVW_GetRegularTraining(trained->player) != trained->row - 1)
            Fail("the chosen training type is not in the player's record");
    });
}

// His spare list's last player with a contract released from his profile:
// refused while the club cannot pay him off (text 1168, nothing changed),
// then paid off: the balance falls by the pay-off and he leaves the club.
struct Release {
    uint16_t player = 0;
    int16_t user = -1;
    int32_t balance = 0;
    int64_t cost = 0;
    int32_t own = 0;  // the club's balance before the tour's money
};

bool Releasable(uint16_t p) {
    const uint16_t user = GetPlayerClub(1);
    return p != 0 && GetPlayerClub(p) == user && GetPlayerLoanClub(p) == user && HVW_GetPlayerContract(p) > 0;
}

void TransferListRefusalPhase(const std::shared_ptr<Release>& release);
void ReleasePhase(const std::shared_ptr<Release>& release);

void ActRelease() {
    auto release = std::make_shared<Release>();
    MenuUserClickItem(
        [release](const MenuHotItem& item) {
            if (item.x != kSquadRowX || item.y < kSquadRowY) return false;
            const int row = (item.y - kSquadRowY) / kSquadRowStep;
            if (row < 0 || row >= ShownCount || !Releasable(ShownPlayers[row])) return false;
            for (int last = ShownCount - 1; last > row; --last)
                if (Releasable(ShownPlayers[last])) return false;
            release->player = ShownPlayers[row];
            return true;
        },
        1);
    WaitScreen(kScreenPlayerStats, "from the squad list's last row");
    // The phases that follow see his profile as it stands.
    ThenFirst([release] { ReleasePhase(release); });
    ThenFirst([release] { TransferListRefusalPhase(release); });
}

// Without a contract he cannot be put on the transfer list (when his
// profile offers it).
void TransferListRefusalPhase(const std::shared_ptr<Release>& release) {
    if (g_tour->lost || release->player == 0 || ProfileRow(ProfileAction::TransferList) < 0 ||
        HVW_GetPlayerTxList(release->player) == 1)
        return;
    auto contract = std::make_shared<int16_t>(0);
    MenuUserDo([release, contract] {
        *contract = HVW_GetPlayerContract(release->player);
        SetPlayerContract(release->player, 0);
    });
    QueueRefusal("the transfer list for a player without a contract", kNoContractText,
                 [] { ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::TransferList); }); });
    MenuUserDo([release, contract] { SetPlayerContract(release->player, *contract); });
}

void ReleasePhase(const std::shared_ptr<Release>& release) {
    if (g_tour->lost) return;
    if (release->player == 0) {
        Fail("no player of the spare list to release");
        return;
    }
    MenuUserDo([release] {
        release->user = int16_t(GetPlayerClub(1));
        release->own = GetClubBalance(release->user);
        // A club deep in debt cannot pay a contract off.
        SetClubBalance(release->user, -100000000);
    });
    QueueRefusal("a release the club cannot pay", kPayOffTooHighText,
                 [] { ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::Release); }); });
    MenuUserDo([release] {
        SetClubBalance(release->user, 100000000);
        release->balance = GetClubBalance(release->user);
        release->cost = std::clamp<int64_t>(PlayerProfile_PayOff(release->player), 0, INT32_MAX);
    });
    ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::Release); });
    MenuUserWaitFor([] { return BoxUp(); }, 300, [] { Fail("the release asked nothing"); });
    MenuUserWait(4);
    MenuUserClickAt(300, 350);  // yes
    MenuUserWait(kAfterClick);
    WaitAnyScreen("after the release");
    MenuUserDo([release] {
        if (GetPlayerClub(release->player) == uint16_t(release->user))
            Fail("the released player is still the club's");
        const int64_t expected = int64_t(release->balance) - release->cost;
        if (GetClubBalance(release->user) != expected)
            Fail("the balance after the release is " + std::to_string(GetClubBalance(release->user)) +
                 ", not " + std::to_string(expected));
        // The pay-off comes out of the club's own money.
        SetClubBalance(release->user, int32_t(std::clamp<int64_t>(int64_t(release->own) - release->cost,
                                                                  INT32_MIN, INT32_MAX)));
    });
}

void PickVacancyPhase() {
    MenuUserClickItem(
        [](const MenuHotItem& item) { return item.handler == Vacancies_PickRow && item.row == 0; });
    MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200,
                    [] { Fail("a vacancy's list did not open"); });
    MenuUserWait(4);
    MenuUserClickPopupRow(0);  // the club's information
    WaitScreen(kScreenClubInfo, "from the vacancies");
    QueueLook(kScreenClubInfo);
}

struct Sacking;
void RestoreAfterSacking(const std::shared_ptr<Sacking>& sacking);

// A sacking: the board's weekly review of a prepared club (a settled
// manager whom the fans have given up on, past the board's patience), run
// as the week's end runs it; the day's messages (screen 56, set by its id)
// show it and lead to the vacancies, which offer jobs; a job's club opens.
// He takes his club back as it was.
struct Sacking {
    int16_t user = -1;
    int16_t field52 = 0, fans = 0, tenure = 0, reputation = 0;
    int rows = 0;
};

void ActSacking() {
    auto sacking = std::make_shared<Sacking>();
    MenuUserDo([sacking] {
        const int16_t user = int16_t(GetPlayerClub(1));
        sacking->user = user;
        sacking->field52 = GetPlayerField52(1);
        sacking->fans = GetPlayerFans(1);
        sacking->tenure = GetClubTenure2(user);
        sacking->reputation = GetPlayerReputation(1);
        const SeasonCalendarState calendar = SeasonCalendar;
        SeasonCalendar.currentDay = std::max<int16_t>(SeasonCalendar.currentDay, 60);
        SeasonCalendar.weekday = int16_t(user % 7);
        SetPlayerField52(1, 40);
        SetPlayerFans(1, 0);
        SetClubTenure2(user, int16_t(GetClubSupport(user) + 10));
        BoardWeeklyReview();
        SeasonCalendar = calendar;
        if (SackedClubControl != 1 || SackedClub != uint16_t(user))
            Fail("the prepared board did not sack the user");
        // A known manager finds clubs that would have him.
        SetPlayerReputation(1, 63);
    });
    OpenFromTitle(kClubCaption, kMarksRow);
    WaitScreen(kScreenMatchMarks, "from the title bar");
    MenuUserDo([] { UpdateScreenHistory(kScreenDayMessages, 2, 3); });
    ClickAt(743, 559);
    MenuUserWaitFor([] { return BoxUp(); }, kScreenFrames, [] { Fail("the sacking showed no box"); });
    MenuUserWait(4);
    MenuUserClickAt(400, 300);
    WaitScreen(kScreenVacancies, "from the sacking");
    QueueLook(kScreenVacancies);
    MenuUserDo([sacking] {
        sacking->rows = VacancyRowsShown;
        if (VacancyRowsShown <= 0) Fail("the vacancies offer no job after the sacking");
    });
    MenuUserDo([sacking] {
        // Run in order: the pick first, then his club back.
        ThenFirst([sacking] { RestoreAfterSacking(sacking); });
        if (sacking->rows > 0) ThenFirst(PickVacancyPhase);
    });
}

void RestoreAfterSacking(const std::shared_ptr<Sacking>& sacking) {
    const int16_t user = sacking->user;
    SackedClubControl = 0;
    SackedClub = kNoClub;
    SetPlayerClub(1, user);
    SetClubControl(user, 1);
    MenuCurrentPlayer = 1;
    SetPlayerField52(1, sacking->field52);
    SetPlayerFans(1, sacking->fans);
    SetClubTenure2(user, sacking->tenure);
    SetPlayerReputation(1, sacking->reputation);
    SelectedClub = uint16_t(user);
    BuildClubSquadList(user);
    ThenFirst(HomePhase);
}

void OpenCoachPhase() {
    ClickHandler(Condition_OpenCoach);
    WaitScreen(kScreenStaffMember, "from the condition");
    ClickHandler(StaffMember_Back);
    WaitAnyScreen("back from the staff member");
}

// The squad list of the user's club: two shirt clicks swap the players'
// numbers; his third player's profile (right button) leads to his
// contract, his career, his agent, his deal (cancelled) and his condition.
void ActSquadList() {
    struct Swap {
        uint16_t a = 0, b = 0;
        int16_t shirtA = 0, shirtB = 0;
    };
    auto swap = std::make_shared<Swap>();
    MenuUserDo([swap] {
        swap->a = ShownPlayers[0];
        swap->b = ShownPlayers[1];
        swap->shirtA = HVW_GetPlayerShirt(swap->a);
        swap->shirtB = HVW_GetPlayerShirt(swap->b);
    });
    MenuUserClickItem([](const MenuHotItem& item) { return SquadRowItem(item, 0); });
    MenuUserWait(kAfterClick);
    MenuUserClickItem([](const MenuHotItem& item) { return SquadRowItem(item, 1); });
    MenuUserWait(kAfterClick);
    MenuUserDo([swap] {
        if (swap->shirtA == swap->shirtB || HVW_GetPlayerShirt(swap->a) != swap->shirtB ||
            HVW_GetPlayerShirt(swap->b) != swap->shirtA)
            Fail("two shirt clicks did not swap the squad numbers " + std::to_string(swap->shirtA) + " and " +
                 std::to_string(swap->shirtB));
    });
    g_tour->family = "player and club screens";
    MenuUserClickItem([](const MenuHotItem& item) { return SquadRowItem(item, 2); }, 1);
    WaitScreen(kScreenPlayerStats, "from the squad list's right button");
    QueueLook(kScreenPlayerStats);
    ClickHandler(PlayerProfile_Contract);
    WaitScreen(kScreenPlayerInfo, "from the profile");
    ClickHandler(PlayerInfo_History);
    WaitScreen(kScreenCareerHistory, "from the contract details");
    ClickHandler(CareerHistory_Back);
    WaitScreen(kScreenPlayerStats, "back from the career");
    ClickHandler(PlayerProfile_Agent);
    WaitScreen(kScreenAgentProfile, "from the profile");
    ClickHandler(AgentProfile_Back);
    WaitScreen(kScreenPlayerStats, "back from the agent");
    MenuUserDo([] { g_tour->family = "the deal and squad numbers and attribute table"; });
    ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::Deal); });
    WaitScreen(kScreenContractMenu, "from the profile's actions");
    QueueLook(kScreenContractMenu);
    ClickHandler(ContractDeal_Cancel);
    WaitScreen(kScreenPlayerStats, "back from the deal");
    MenuUserDo([] { g_tour->family = "training, condition, coaching and staff"; });
    ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::Training); });
    WaitScreen(kScreenPlayerCondition, "from the profile's actions");
    QueueLook(kScreenPlayerCondition);
    // The coach's screen, when the club has a coach.
    MenuUserDo([] {
        if (Player_GetAssignedStaff(uint16_t(SelectedPlayer)) != nullptr) ThenFirst(OpenCoachPhase);
    });
}

// A player of another club bought: the club screen's club list (right
// button) opens a club's squad, a player's profile, the offer on the deal
// sheet and the bid; the selling club's acceptance is set as the day would
// set it, and the talks that follow end at his demands: he is the user's,
// his fee paid.
struct Purchase {
    uint16_t player = 0;
    int16_t user = -1;
    int32_t balance = 0;
    int32_t own = 0;  // the club's balance before the tour's money
};

bool Buyable(uint16_t player) {
    return player != 0 && player < PlayerCount && HVW_CheckUserBid(player) == 0 &&
           HVW_ValuePlayerFull(player) != 0;
}

void ActPurchase() {
    auto buy = std::make_shared<Purchase>();
    MenuUserDo([buy] {
        g_tour->family = "transfers, contracts and loans";
        buy->user = int16_t(GetPlayerClub(1));
    });
    // Another club of the club screen's list.
    MenuUserClickItem(
        [](const MenuHotItem& item) {
            return ClubMainRowItem(item) && item.row < ClubMainClubCount() - ClubMainListTop() &&
                   ClubMainClubList()[ClubMainListTop() + item.row] != GetPlayerClub(1);
        },
        1);
    WaitScreen(kScreenSquadList, "from the club screen's club list");
    // A player of theirs put on the loan list, as their manager would: his
    // profile's loan approach opens the loan terms, withdrawn.
    auto loaned = std::make_shared<uint16_t>(0);
    MenuUserClickItem(
        [loaned](const MenuHotItem& item) {
            if (item.x != kSquadRowX || item.y < kSquadRowY) return false;
            const int row = (item.y - kSquadRowY) / kSquadRowStep;
            if (row < 0 || row >= kSquadRows || ShownPlayers[row] == 0 || !Buyable(ShownPlayers[row]))
                return false;
            *loaned = ShownPlayers[row];
            return true;
        },
        1);
    WaitScreen(kScreenPlayerStats, "from another club's squad");
    // Not on the loan list: the approach is refused.
    MenuUserDo([loaned] { HVW_SetPlayerLoanList(*loaned, 0); });
    QueueRefusal("a loan approach to a player not on the loan list", kNotLoanListedText,
                 [] { ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::LoanApproach); }); });
    MenuUserDo([loaned] { HVW_SetPlayerLoanList(*loaned, 1); });
    ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::LoanApproach); });
    WaitScreen(kScreenLoanTerms, "from the profile's loan approach");
    QueueLook(kScreenLoanTerms);
    ClickHandler(LoanTerms_Withdraw);
    WaitScreen(kScreenPlayerStats, "back from the loan terms");
    MenuUserDo([loaned] { HVW_SetPlayerLoanList(*loaned, 0); });
    ClickHandler(PlayerProfile_Back);
    WaitAnyScreen("back from the profile");
    MenuUserClickItem(
        [buy, loaned](const MenuHotItem& item) {
            if (item.x != kSquadRowX || item.y < kSquadRowY) return false;
            const int row = (item.y - kSquadRowY) / kSquadRowStep;
            if (row < 0 || row >= kSquadRows || ShownPlayers[row] == *loaned || !Buyable(ShownPlayers[row]))
                return false;
            buy->player = ShownPlayers[row];
            return true;
        },
        1);
    WaitScreen(kScreenPlayerStats, "from another club's squad");
    // Money enough for any player of the division.
    MenuUserDo([buy] {
        buy->own = GetClubBalance(buy->user);
        SetClubBalance(buy->user, 100000000);
    });
    ChooseFromList(60, 559, [] { return ProfileRow(ProfileAction::Offer); });
    WaitScreen(kScreenDealSheet, "from the profile's offer");
    QueueLook(kScreenDealSheet);
    // The exchange list of the first exchange slot, and back.
    ClickAt(30, 340);
    WaitScreen(kScreenExchangeList, "from the deal sheet's exchange slot");
    ClickHandler(ExchangeList_Back);
    WaitScreen(kScreenDealSheet, "back from the exchange list");
    ClickAt(30, 300);  // the selling club's demand
    MenuUserWait(4);
    MenuUserDo([buy] {
        buy->balance = GetClubBalance(buy->user);
        // The selling club accepts the bid, as the day's end would.
        PendingHumanDeals[0] = buy->player;
    });
    ClickAt(401, 559);  // the bid
    WaitScreen(kScreenContractTalks, "from the accepted bid");
    QueueLook(kScreenContractTalks);
    ClickAt(401, 559);  // the offer at his demands
    MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames,
                    [] { Fail("the agreed talks did not end on the club screen"); });
    MenuUserDo([buy] {
        if (buy->player == 0 || GetPlayerClub(buy->player) != uint16_t(buy->user))
            Fail("the bought player is not in the user's squad");
        else if (GetClubBalance(buy->user) >= buy->balance)
            Fail("the purchase cost nothing");
        // The fee comes out of the club's own money.
        const int64_t fee = int64_t(buy->balance) - GetClubBalance(buy->user);
        SetClubBalance(buy->user,
                       int32_t(std::clamp<int64_t>(int64_t(buy->own) - fee, INT32_MIN, INT32_MAX)));
    });
}

// The test screens: the club fixtures' title clicked in its sequence
// opens the soak screen; from it the message tester, the club summary and
// the weekly money.
void OpenSoakScreenPhase(bool unlock) {
    if (unlock) {
        for (int button : {0, 0, 0, 1, 0, 1}) ClickHandler(ClubFixtures_TitleClick, button);
    } else {
        ClickHandler(ClubFixtures_TitleClick);
    }
    WaitScreen(kScreenSoak, "from the club fixtures' title");
}

void ActTestScreens() {
    g_tour->family = "the test screens and a short soak";
    OpenSoakScreenPhase(true);
    QueueLook(kScreenSoak);
    ChooseFromList(408, 440, [] { return 0; });  // the club summary
    WaitScreen(kScreenClubSummary, "from the soak screen's tests");
    QueueLook(kScreenClubSummary);
    ClickHandler(SummaryScreen_Exit);
    WaitScreen(kScreenClubFixtures, "back from the club summary");
    OpenSoakScreenPhase(false);
    ClickAt(30, 440);  // the weekly money
    WaitScreen(kScreenWeeklyMoney, "from the soak screen");
    QueueLook(kScreenWeeklyMoney);
    ClickHandler(WeeklyMoney_Back);
    MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames,
                    [] { Fail("the weekly money did not lead home"); });
    MenuUserWait(4);
    // The message tester, looked at and left.
    OpenFromTitle(kClubCaption, kFixturesRow);
    WaitScreen(kScreenClubFixtures, "from the title bar");
    OpenSoakScreenPhase(false);
    ChooseFromList(408, 440, [] { return 1; });
    MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == MsgTestTable && ScreenPresented == 1 && !MenuViewHotItems().empty();
        },
        kScreenFrames, [] { Fail("the message tester did not open"); });
    MenuUserWait(kAfterClick);
    QueueGrabOnly();
    ClickAt(570, 436);
    MenuUserWaitFor([] { return MenuViewTopTable() != MsgTestTable; }, kScreenFrames,
                    [] { Fail("the message tester cannot be left"); });
    MenuUserWait(kAfterClick);
    ThenFirst(HomePhase);
    MenuUserWait(4);
}

// A short soak: weeks set on the soak screen, the soak on, "Run On" from
// the club screen; the world plays on to the stop point by itself.
struct Soak {
    int16_t day = 0, season = 0;
};

void ActSoak() {
    const int weeks = g_tour->options.soakWeeks;
    if (weeks <= 0) return;
    auto soak = std::make_shared<Soak>();
    OpenFromTitle(kClubCaption, kFixturesRow);
    WaitScreen(kScreenClubFixtures, "from the title bar");
    OpenSoakScreenPhase(false);
    for (int i = 0; i < weeks; ++i) ClickHandler(SoakScreen_ChangeWeeks);
    ClickHandler(SoakScreen_ToggleSoak);
    ClickHandler(SoakScreen_Exit);
    WaitScreen(kScreenClubFixtures, "back from the soak screen");
    ClickAt(743, 559);
    MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames,
                    [] { Fail("the club fixtures did not lead home"); });
    MenuUserWait(4);
    MenuUserDo([soak] {
        soak->day = SeasonCalendar.currentDay;
        soak->season = SeasonCalendar.season;
    });
    ChooseFromList(399, 559, [] { return 1; });  // Continue: Run On
    MenuUserWaitFor([] { return ClubUp() && SoakMode == 0; }, 20 * kScreenFrames,
                    [] { Fail("the soak did not end on the club screen"); });
    MenuUserDo([soak, weeks] {
        const int played =
            (SeasonCalendar.season - soak->season) * 365 + SeasonCalendar.currentDay - soak->day;
        if (played < 7 * weeks) Fail("the soak played " + std::to_string(played) + " days");
    });
}

// The fixtures by day: the other views' list leads to the European groups.
void ActFixturesByDay() {
    ChooseFromList(286, 559, [] { return 1; });
    WaitScreen(kScreenEuroGroups, "from the fixtures by day");
    QueueLook(kScreenEuroGroups);
}

// The save screen: with the option, the game saved in row 0 under a typed
// name, then screen 98 opened by its id and clicked: the game loaded from
// slot 0 is the game saved.  Without it, looked at and left.
void ActSave() {
    if (!g_tour->options.saveAndLoadSlotZero) {
        ClickAt(743, 559);
        WaitAnyScreen("back from the save screen");
        return;
    }
    auto hashes = std::make_shared<std::vector<uint64_t>>();
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.row == 0; });
    MenuUserWaitFor([] { return IsTextInputActive() != 0; }, 300, [] { Fail("the save row took no name"); });
    MenuUserWait(3);
    for (uint8_t key : {0x14, 0x18, 0x16, 0x13}) MenuUserShiftKey(key);  // TOUR
    MenuUserKey(0x1C);
    MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames, [] { Fail("the save did not lead home"); });
    MenuUserWait(4);
    MenuUserDo([hashes] { *hashes = SavedBlockHashes(); });
    OpenFromTitle(kClubCaption, kMarksRow);
    WaitScreen(kScreenMatchMarks, "from the title bar");
    MenuUserDo([] { UpdateScreenHistory(kScreenLoadSlotZero, 2, 3); });
    ClickAt(743, 559);
    WaitScreen(kScreenLoadSlotZero, "by its id");
    QueueLook(kScreenLoadSlotZero);
    MenuUserClickAt(400, 300);
    MenuUserWaitFor([] { return ClubUp(); }, kScreenFrames,
                    [] { Fail("the load of slot 0 did not lead home"); });
    MenuUserWait(4);
    MenuUserDo([hashes] {
        std::string blocks;
        // A load puts the two legs of the cup ties in order in the fixture
        // table (block 37), which a new game leaves as its draw made them.
        for (int block : ChangedSavedBlocks(*hashes))
            if (block != kFixtureBlock) blocks += " " + std::to_string(block);
        if (!blocks.empty()) Fail("the game loaded from slot 0 is not the game saved there: blocks" + blocks);
    });
}

using Act = void (*)();

Act ActOf(int16_t id) {
    switch (id) {
        case 7:
            return ActSquadList;
        case 8:
            return ActTestScreens;
        case 11:
            return ActFixturesByDay;
        case 47:
            return ActSave;
        case 76:
            return ActTraining;
        case 73:
            return ActRelease;
        case 39:
            return g_tour->options.sacking ? ActSacking : nullptr;
        default:
            return nullptr;
    }
}

// The title bar leads from any screen that has it; the others go home
// first.
void OpenPhase(const TourStop& stop) {
    g_tour->family = stop.family;
    if (g_tour->lost || (!Titled() && !ClubUp())) {
        ThenFirst([stop] { OpenPhase(stop); });
        ThenFirst(HomePhase);
        return;
    }
    if (stop.caption < 0) {
        // The match marks' back icon goes back through the recent screens,
        // where the id is set.
        if (MenuOption != kScreenMatchMarks) OpenFromTitle(kClubCaption, kMarksRow);
        WaitScreen(kScreenMatchMarks, "from the title bar");
        MenuUserDo([id = stop.id] { UpdateScreenHistory(id, 2, 3); });
        MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    } else {
        OpenFromTitle(stop.caption, stop.row);
    }
    WaitScreen(stop.id, stop.caption < 0 ? "by its id" : "from the title bar");
}

void PlanStop(const TourStop& stop) {
    Then([stop] { OpenPhase(stop); });
    Then([id = stop.id] {
        if (!g_tour->lost) QueueLook(id);
    });
    if (Act act = ActOf(stop.id)) {
        Then([act] {
            if (!g_tour->lost) act();
        });
    }
}

void PlanFamilyEnd(const char* family) {
    Then([family] {
        if (g_tour->report->families.empty() || g_tour->report->families.back() != family)
            g_tour->report->families.push_back(family);
    });
}

void PlanTour() {
    Then([] {
        g_tour->family = "the club screen";
        if (!ClubUp()) {
            Fail("the tour starts elsewhere than on the club screen (screen " + std::to_string(MenuOption) +
                 ")");
            g_tour->phases.resize(g_tour->next);
            return;
        }
        QueueGrab(&g_tour->clubGrab, "screen 3");
        MenuUserDo(CheckTickerInClubGrab);
    });
    Then(PickOwnClubPhase);
    const bool shortForm = g_tour->options.shortForm;
    const char* family = nullptr;
    for (const TourStop& stop : kStops) {
        const bool sameFamily = family != nullptr && std::strcmp(family, stop.family) == 0;
        if (family != nullptr && !sameFamily) PlanFamilyEnd(family);
        family = stop.family;
        if (!shortForm || !sameFamily) PlanStop(stop);
    }
    if (family != nullptr) PlanFamilyEnd(family);
    if (!shortForm) {
        Then(HomePhase);
        Then([] {
            if (!g_tour->lost) ActPurchase();
        });
        PlanFamilyEnd("transfers, contracts and loans");
        Then([] {
            g_tour->family = "the test screens and a short soak";
            if (!g_tour->lost) ActSoak();
        });
        PlanFamilyEnd("the test screens and a short soak");
    }
    Then(HomePhase);
    if (g_tour->options.endOnStartScreen) {
        // The shared rows list's way back is the start screen's.
        PlanStop({"the month header and the shared rows list", kScreenSharedRows, -1, 0});
        Then([] {
            if (g_tour->lost) return;
            ClickAt(564, 434);
            MenuUserWaitFor([] { return ScreenUp(22); }, kScreenFrames,
                            [] { Fail("the shared rows list did not lead to the start screen"); });
        });
    }
}

}  // namespace

void ScreenTourWatch() {
    if (g_watchKey >= 0) return;
    g_watched.clear();
    g_ticker.clear();
    g_tickerScreen = -2;
    g_watchKey = AddPollFunction(WatchScreens, POLL_EVERY_TIME, 0);
}

std::shared_ptr<ScreenTourReport> RunScreenTour(ScreenTourOptions options) {
    auto report = std::make_shared<ScreenTourReport>();
    if (g_tour != nullptr) {
        report->failures.push_back("a tour is running already");
        report->finished = true;
        return report;
    }
    ScreenTourWatch();
    g_tour = new TourState;
    g_tour->report = report;
    g_tour->options = std::move(options);
    g_tour->dayUserWasRunning = DayUserRunning();
    DayUserStop();
    PlanTour();
    QueueNextPhase();
    return report;
}

std::vector<int16_t> ScreenTourTableIds() {
    std::vector<int16_t> ids;
    for (int16_t id = -1; id <= 112; ++id)
        if (FrontEndScreenTable(id) != PlainScreenTable) ids.push_back(id);
    return ids;
}

const char* ScreenTourUnreachable(int16_t id) {
    switch (id) {
        case 52:
        case 65:
        case 84:
        case 98:
            return "no screen leads to it: opened by setting its id";
        case 57:
        case 60:
            return "only from the test screens";
        case 46:
            return "the start screen's Load Game: a run that loads a saved game";
        case 71:
        case 97:
            return "after a match of the user's: the results loop";
        case 87:
            return "on a season's first day: the day loop";
        case 79:
            return "the coach's screen: only for a club with staff (a new game's clubs have none)";
        default:
            return nullptr;
    }
}

std::vector<std::string> ScreenTourOfferedByNoScreen() {
    return {"the message tester: only from the test screens", "the network layer", "the movie player",
            "the display-device chooser"};
}

std::string ScreenTourAccount(const ScreenTourReport& report, int* missed) {
    std::string account;
    int notSeen = 0;
    for (int16_t id : ScreenTourTableIds()) {
        char line[160];
        const char* why = ScreenTourUnreachable(id);
        if (report.visited.count(id) != 0) {
            std::snprintf(line, sizeof line, "screen %3d visited%s\n", id,
                          why != nullptr ? " (by its way)" : "");
        } else if (why != nullptr) {
            std::snprintf(line, sizeof line, "screen %3d not reachable: %s\n", id, why);
        } else {
            std::snprintf(line, sizeof line, "screen %3d MISSED\n", id);
            ++notSeen;
        }
        account += line;
    }
    for (const std::string& part : ScreenTourOfferedByNoScreen())
        account += "offered by no screen: " + part + "\n";
    if (missed != nullptr) *missed = notSeen;
    return account;
}

uint64_t SavedBlocksHash() {
    uint64_t hash = 1469598103934665603ull;
    for (int block = 0; block < kSaveGameBlockCount; ++block) {
        if (block == kLoadSetBlock) continue;
        hash = (hash ^ SavedBlockHash(block)) * 1099511628211ull;
    }
    return hash;
}

uint64_t SavedBlockHash(int block) {
    return HashBytes(SaveGameDescriptors[block].address, SaveGameDescriptors[block].size,
                     1469598103934665603ull);
}

std::vector<int> ChangedSavedBlocks(const std::vector<uint64_t>& before) {
    std::vector<int> changed;
    for (int block = 0; block < kSaveGameBlockCount && size_t(block) < before.size(); ++block)
        if (block != kLoadSetBlock && SavedBlockHash(block) != before[size_t(block)])
            changed.push_back(block);
    return changed;
}

std::vector<uint64_t> SavedBlockHashes() {
    std::vector<uint64_t> hashes;
    for (int block = 0; block < kSaveGameBlockCount; ++block) hashes.push_back(SavedBlockHash(block));
    return hashes;
}

}  // namespace testenv
