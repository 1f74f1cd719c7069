// The friendlies screen, the friendly tours and the scouting screen over one
// shared new-game world: a booking through the controller with the scripted
// user and its refusals, the entry rule and paging, the candidates' free
// days, the tours' question, the weekly sums, the scouting news, the map
// move and a grab of the map; and the transfer-history list controls on
// synthetic tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/board.h"
#include "core/club/scouting.h"
#include "core/query/clubscreens.h"
#include "core/query/forwarders.h"
#include "core/query/friendlydays.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/friendlies.h"
#include "game/screens/club/friendlytours.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/textfill.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/transferlistcontrols.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserClickAt;
using testenv::MenuUserDo;
using testenv::MenuUserWait;

bool g_friendlyWorldReady = false;
std::string g_friendlyWorldError;
std::vector<Fixture> g_friendlyFixtures;
SeasonCalendarState g_friendlyCalendar;

void FriendlyNewWorld() {
    g_friendlyWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_friendlyWorldReady = g_friendlyWorldError.empty();
    if (!g_friendlyWorldReady) return;
    g_friendlyFixtures.assign(std::begin(FixtureTable), std::end(FixtureTable));
    g_friendlyCalendar = SeasonCalendar;
}

// The k-th newest scouting message of the user's club.
const MessageRecord& FriendlyNewestMessage(int16_t club, int16_t type, int k) {
    return (GetMessageDelivery(type) & kDeliverArchive) != 0 ? MessageArchive[club][k] : UserInbox[k];
}

int FriendlyCountOf(int16_t club, int16_t type) {
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot)
        count += FixtureType(slot) == type && IsFixtureOfClub(slot, club) ? 1 : 0;
    return count;
}

// Yes (0) or No (1) in the next choice box.
void FriendlyAnswer(int button) {
    MenuUserWait(4);
    MenuUserClickAt(button == 0 ? 300 : 500, 350);
}

class FriendlyScreensTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        FriendlyNewWorld();
        if (!g_friendlyWorldReady) GTEST_FAIL() << g_friendlyWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        std::copy(g_friendlyFixtures.begin(), g_friendlyFixtures.end(), FixtureTable);
        SeasonCalendar = g_friendlyCalendar;
        BuildNameTables();
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        Scout_ClearAll();
    }
    void TearDown() override {
        if (g_friendlyWorldReady && started_) {
            Scout_ClearAll();
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    // The friendlies screen's first walk, as the engine makes it.
    static void EnterFriendlies() {
        SetMenuFirstEntry(1);
        ClubListMenu();
        SetMenuFirstEntry(0);
    }
    static void EnterScouting() {
        SetMenuFirstEntry(1);
        ScoutingMenu();
        SetMenuFirstEntry(0);
    }
    // A listed day free for the user and for a club of country 0 from two
    // days before to four after, the club shown in the right list.
    bool FindFreeDayAndClub(int* row, int16_t* club) const {
        for (int r = 0; r < kFriendlyDayRows; ++r) {
            const FriendlyDayRow day = FriendliesDayRow(r);
            if (day.taken != 0 || day.day < 3) continue;
            if (HVW_IsClubFreeBetween(user_, int16_t(day.day - 2), int16_t(day.day + 3)) == 0) continue;
            for (int16_t c = 0; c < kClubCount; ++c) {
                if (c == user_ || GetClubNation(c) != 0 || GetClubRep(c) == 0) continue;
                if (HVW_IsClubFreeBetween(c, int16_t(day.day - 2), int16_t(day.day + 4)) == 0) continue;
                *row = r;
                *club = c;
                return true;
            }
        }
        return false;
    }
    int16_t user_ = -1;
};

TEST_F(FriendlyScreensTest, ABookingThroughTheScreenIsRefusedTwiceAndPlayed) {
    static int16_t chosenDay, opponent, home, flag, row;
    static int countAfterFirst = -1, countAfterSecond = -1;
    static FriendlyDayRow after;
    // A listed day on which the user's club is free from two days before to
    // three after.
    row = -1;
    for (int r = 0; r < kFriendlyDayRows && row < 0; ++r) {
        const int16_t day = int16_t(HVW_GetCurrentDay() + 1 + r);
        if (day >= 3 && HVW_IsClubFreeBetween(user_, int16_t(day - 2), int16_t(day + 3)) == 1)
            row = int16_t(r);
    }
    ASSERT_GE(row, 0);
    // From the club screen: "Friendlies" is the sixteenth entry of the
    // title bar's club list.
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == ClubMainTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
        },
        3000);
    MenuUserWait(5);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(15);
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == FriendliesTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    MenuUserWait(3);
    // The day's button, then the first club offered.
    MenuUserClickAt(200, 117 + 20 * row + 10);
    MenuUserWait(8);
    MenuUserDo([] {
        chosenDay = FriendliesChosenDay();
        opponent = FriendliesShownClub(0);
        flag = FriendliesHomeFlag(opponent);
    });
    MenuUserClickAt(500, 128);
    FriendlyAnswer(0);
    MenuUserWait(8);
    MenuUserDo([this] {
        countAfterFirst = FriendlyCountOf(user_, kCompFriendly);
        after = FriendliesDayRow(row);
        const int16_t slot = HVW_FindCompetitiveOrFriendlyOnDay(user_, chosenDay);
        home = slot >= 0 ? FixtureHome(slot) : -1;
    });
    // A second club that day: no question, nothing added.
    MenuUserClickAt(500, 148);
    MenuUserWait(8);
    MenuUserDo([this] { countAfterSecond = FriendlyCountOf(user_, kCompFriendly); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    const int before = FriendlyCountOf(user_, kCompFriendly);
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 4 && (rounds == 1 || MenuOption == kScreenFriendlies))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_NE(chosenDay, kNoFriendlyDay);
    ASSERT_GE(opponent, 0);
    EXPECT_EQ(GetClubNation(opponent), 0u);
    EXPECT_EQ(countAfterFirst, before + 1);
    EXPECT_EQ(countAfterSecond, countAfterFirst);
    EXPECT_EQ(home, flag == 0 ? user_ : opponent);
    EXPECT_EQ(after.taken, 1);
    EXPECT_EQ(after.competition, kCompFriendly);
    EXPECT_EQ(after.opponentText, HVW_ClubTextId(opponent));

    // The days pass and the friendly is played.
    SetClubControl(user_, 0);
    StdoutCapture quiet;
    while (SeasonCalendar.currentDay <= chosenDay) PlayDayWithoutScreens();
    quiet.Text();
    const int16_t slot = HVW_FindCompetitiveOrFriendlyOnDay(user_, chosenDay);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(FixtureType(slot), kCompFriendly);
    EXPECT_TRUE(IsFixturePlayed(slot));
}

TEST_F(FriendlyScreensTest, TheDayRowsOfFebruaryTakeTheCalendarsYear) {
    // 13 February 2004, in the season that began in 2003: its February has
    // 29 days.
    const SeasonCalendarState kept = SeasonCalendar;
    SeasonCalendar.season = 1;
    SeasonCalendar.year = 2004;
    SeasonCalendar.month = 1;
    SeasonCalendar.currentDay = 215;
    EnterFriendlies();
    bool seen = false;
    for (int r = 0; r < kFriendlyDayRows; ++r) {
        const FriendlyDayRow row = FriendliesDayRow(r);
        if (row.day == 231) {
            EXPECT_EQ(row.dayOfMonth, 29);
            EXPECT_EQ(row.month, 2);
            seen = true;
        }
    }
    EXPECT_TRUE(seen);
    SeasonCalendar = kept;
}

TEST_F(FriendlyScreensTest, EntryRulePagingCandidatesAndTheDivisionFilter) {
    const int16_t start = HVW_GetCompNextRoundDay(0);
    ASSERT_GT(start, 21);

    // On the league start day + 21 the screen opens; a day later text 1034
    // and the club screen.
    SeasonCalendar.currentDay = int16_t(start + 21);
    MenuOption = kScreenFriendlies;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == FriendliesTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SeasonCalendar.currentDay = int16_t(start + 22);
    MenuOption = kScreenFriendlies;
    MenuUserWait(5);
    MenuUserClickAt(400, 300);
    DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(MenuOption, kScreenClubMain);

    // Paging forward stops before a page would start after the start day;
    // back stops at today.
    SeasonCalendar = g_friendlyCalendar;
    EnterFriendlies();
    const int16_t today = HVW_GetCurrentDay();
    EXPECT_EQ(FriendliesStartDay(), today);
    for (int i = 0; i < 40; ++i) Friendlies_PageDown(nullptr);
    const int16_t last = FriendliesStartDay();
    EXPECT_LE(last + 1, start);
    EXPECT_GT(last + 22, start);
    EXPECT_EQ((last - today) % 21, 0);
    for (int i = 0; i < 40; ++i) Friendlies_PageUp(nullptr);
    EXPECT_EQ(FriendliesStartDay(), today);

    // A club with a fixture two days before or three after is not offered;
    // four after it is.
    ClubListMenu();
    int row = -1;
    int16_t club = -1;
    ASSERT_TRUE(FindFreeDayAndClub(&row, &club));
    const int16_t day = FriendliesDayRow(row).day;
    int16_t partner = -1;
    for (int16_t c = 0; c < kClubCount && partner < 0; ++c)
        if (c != club && c != user_ && GetClubNation(c) != 0 &&
            HVW_IsClubFreeBetween(c, int16_t(day - 3), int16_t(day + 5)) == 1)
            partner = c;
    ASSERT_GE(partner, 0);
    const auto offered = [&](int16_t fixtureDay) {
        std::copy(g_friendlyFixtures.begin(), g_friendlyFixtures.end(), FixtureTable);
        if (fixtureDay >= 0) HVW_AddFixture(fixtureDay, kCompFriendly, club, partner, 0);
        ClubListMenu();
        EXPECT_EQ(Friendlies_PickDay(row), MENU_REDRAW);
        return FriendliesIsCandidate(club);
    };
    EXPECT_TRUE(offered(-1));
    EXPECT_FALSE(offered(int16_t(day - 2)));
    EXPECT_FALSE(offered(int16_t(day + 3)));
    EXPECT_TRUE(offered(int16_t(day + 4)));
    EXPECT_FALSE(FriendliesIsCandidate(user_));

    // Switching the division keeps the day and the candidates; the right
    // list shows only the chosen division's clubs, the button its name.
    const int16_t division = int16_t(GetClubDivision(club));
    Friendlies_PickDivision(division);
    ClubListMenu();
    EXPECT_EQ(FriendliesChosenDay(), day);
    EXPECT_TRUE(FriendliesIsCandidate(club));
    EXPECT_STREQ(FriendliesDivisionButtonText(), HVW_GetDivisionName(division, 0));
    for (int r = 0; r < kFriendlyClubRows && FriendliesShownClub(r) >= 0; ++r) {
        EXPECT_EQ(GetClubDivision(FriendliesShownClub(r)), uint16_t(division));
        EXPECT_TRUE(FriendliesIsCandidate(FriendliesShownClub(r)));
    }
    // A competitive day (the last page holds the league's start) cannot be
    // chosen: the chosen day stays and its candidates go; an empty right row
    // books nothing.
    for (int i = 0; i < 40; ++i) Friendlies_PageDown(nullptr);
    ClubListMenu();
    int competitive = 0;
    for (int r = 0; r < kFriendlyDayRows; ++r) {
        const FriendlyDayRow taken = FriendliesDayRow(r);
        if (taken.taken == 0 || taken.competition == kCompFriendly) continue;
        ++competitive;
        EXPECT_EQ(Friendlies_PickDay(r), MENU_REDRAW);
        EXPECT_EQ(FriendliesChosenDay(), day);
        EXPECT_FALSE(FriendliesIsCandidate(club));
    }
    EXPECT_GT(competitive, 0);
    EXPECT_EQ(Friendlies_Offer(kFriendlyClubRows), MENU_CONTINUE);
}

TEST_F(FriendlyScreensTest, BookingChecksBothClubsAgainAndNoChangesNothing) {
    EnterFriendlies();
    int row = -1;
    int16_t club = -1;
    ASSERT_TRUE(FindFreeDayAndClub(&row, &club));
    const int16_t day = FriendliesDayRow(row).day;
    Friendlies_PickDivision(int16_t(GetClubDivision(club)));
    ClubListMenu();
    Friendlies_PickDay(row);
    ClubListMenu();
    int shown = -1;
    for (int r = 0; r < kFriendlyClubRows; ++r)
        if (FriendliesShownClub(r) == club) shown = r;
    ASSERT_GE(shown, 0);
    const int before = FriendlyCountOf(club, kCompFriendly);

    // "No" adds nothing.
    FriendlyAnswer(1);
    EXPECT_EQ(Friendlies_Offer(shown), MENU_REDRAW);
    EXPECT_EQ(FriendlyCountOf(club, kCompFriendly), before);

    // The other club was booked meanwhile (a computer friendly the day
    // after): "Yes" is refused with a box and its friendly stays.
    int16_t partner = -1;
    for (int16_t c = 0; c < kClubCount && partner < 0; ++c)
        if (c != club && c != user_ && GetClubNation(c) != 0 &&
            HVW_IsClubFreeBetween(c, int16_t(day - 3), int16_t(day + 5)) == 1)
            partner = c;
    ASSERT_GE(partner, 0);
    HVW_AddFixture(int16_t(day + 1), kCompFriendly, club, partner, 0);
    FriendlyAnswer(0);
    MenuUserWait(4);
    MenuUserClickAt(400, 300);
    EXPECT_EQ(Friendlies_Offer(shown), MENU_REDRAW);
    EXPECT_FALSE(WinCloseRequested());
    EXPECT_EQ(FriendlyCountOf(club, kCompFriendly), before + 1);
    EXPECT_EQ(HVW_FindCompetitiveOrFriendlyOnDay(user_, day), -1);
    EXPECT_FALSE(FriendliesIsCandidate(club));

    // The user's own club may play the day after: only the day itself must
    // be free for it.
    int16_t third = -1;
    for (int16_t c = 0; c < kClubCount && third < 0; ++c)
        if (c != club && c != user_ && c != partner && GetClubNation(c) != 0 &&
            HVW_IsClubFreeBetween(c, int16_t(day - 3), int16_t(day + 5)) == 1)
            third = c;
    ASSERT_GE(third, 0);
    HVW_AddFixture(int16_t(day + 1), kCompFriendly, user_, third, 0);
    Friendlies_PickDay(row);
    ClubListMenu();
    int free = -1;
    for (int r = 0; r < kFriendlyClubRows && free < 0; ++r)
        if (FriendliesShownClub(r) >= 0) free = r;
    ASSERT_GE(free, 0);
    FriendlyAnswer(0);
    EXPECT_EQ(Friendlies_Offer(free), MENU_REDRAW);
    EXPECT_NE(HVW_FindCompetitiveOrFriendlyOnDay(user_, day), -1);
}

TEST_F(FriendlyScreensTest, ToursAskFirstAndArrangeAgainstTheNation) {
    EXPECT_EQ(FriendlyTourNation(10), 18);
    std::set<int16_t> nations;
    for (int entry = 0; entry < kTourEntries; ++entry) {
        nations.insert(FriendlyTourNation(entry));
        EXPECT_EQ(FriendlyTourPopup[entry + 1].kind, POPUP_TEXT_ID);
        EXPECT_EQ(reinterpret_cast<intptr_t>(FriendlyTourPopup[entry + 1].text), 772 + entry);
    }
    EXPECT_EQ(nations.size(), size_t(kTourEntries));
    for (int16_t never : {13, 16, 17}) EXPECT_EQ(nations.count(never), 0u);
    EXPECT_EQ(FriendlyTourPopup[kTourEntries + 1].kind, POPUP_END);

    // The user's club starts without friendlies, and with a free fortnight
    // ahead (no fixture of its own, no national-team day).
    const int16_t today = SeasonCalendar.currentDay;
    for (int slot = kFixtureSlots - 1; slot >= 0; --slot) {
        if (IsFixtureEmpty(slot)) continue;
        const int16_t type = FixtureType(slot);
        const bool national = type == kCompNationalTeam || type == kCompNationalUnder21;
        const bool soon = FixtureDay(slot) >= today && FixtureDay(slot) < today + 14;
        if ((!national && IsFixtureOfClub(slot, user_) && (type == kCompFriendly || soon)) ||
            (national && soon))
            DeleteFixture(int16_t(slot));
    }
    const int16_t nation = FriendlyTourNation(10);
    const int before = FriendlyCountOf(user_, kCompFriendly);
    ASSERT_EQ(before, 0);
    ASSERT_NE(HVW_IsFriendlyDateFree(user_), 0);
    FriendlyAnswer(1);
    ArrangeTourChoice(nation);
    EXPECT_EQ(FriendlyCountOf(user_, kCompFriendly), before);

    PopupCallBlock call{0, 10, nullptr, FriendlyTourPopup};
    FriendlyAnswer(0);
    EXPECT_EQ(FriendlyTourPopup[11].function(&call), MENU_REDRAW);
    const int added = FriendlyCountOf(user_, kCompFriendly) - before;
    EXPECT_GE(added, 1);
    EXPECT_LE(added, 4);
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) != kCompFriendly || !IsFixtureOfClub(slot, user_)) continue;
        const int16_t other = FixtureHome(slot) == user_ ? FixtureAway(slot) : FixtureHome(slot);
        EXPECT_EQ(GetClubNation(other), uint16_t(nation));
    }

    // No free date now: a box with text 1126 and no question (a click in
    // the middle closes a message box, never a question).
    ASSERT_EQ(HVW_IsFriendlyDateFree(user_), 0);
    const int now = FriendlyCountOf(user_, kCompFriendly);
    MenuUserWait(4);
    MenuUserClickAt(400, 300);
    EXPECT_EQ(FriendlyTourPopup[11].function(&call), MENU_REDRAW);
    EXPECT_FALSE(WinCloseRequested());
    EXPECT_EQ(FriendlyCountOf(user_, kCompFriendly), now);
}

TEST_F(FriendlyScreensTest, WeeklySumsNewsStopAndTheMapMove) {
    int32_t sums[kScoutingSums];
    EXPECT_EQ(ScoutingWeeklySums(6000000, sums), 10);
    EXPECT_EQ(sums[0], 40000);
    EXPECT_EQ(sums[9], 4000);
    EXPECT_EQ(ScoutingWeeklySums(6000001, sums), 10);
    EXPECT_EQ(sums[0], 100000);
    EXPECT_EQ(sums[9], 10000);
    EXPECT_EQ(ScoutingWeeklySums(1000000, sums), 6);
    EXPECT_EQ(sums[5], 1000);
    EXPECT_EQ(sums[6], 0);
    EXPECT_EQ(ScoutingWeeklySums(500000, sums), 1);
    EXPECT_EQ(sums[0], 1000);
    EXPECT_EQ(sums[1], 0);
    EXPECT_EQ(ScoutingWeeklySums(0, sums), 0);
    EXPECT_EQ(ScoutingWeeklySums(-5, sums), 0);
    EXPECT_EQ(sums[0], 0);

    // Nothing scouted: the screen starts on region 9.  The club has money
    // to spend.
    const int32_t balance = GetClubBalance(user_);
    SetClubBalance(user_, 150000000);
    EnterScouting();
    EXPECT_EQ(ScoutingChosenRegion(), 9);
    ASSERT_GT(ScoutingOfferedSum(0), 0) << "the user's club has nothing to spend";
    EXPECT_TRUE(ScoutingOffersSums());
    EXPECT_EQ(ScoutingButtonText(), 653);
    EXPECT_EQ(std::string(ScoutingKnownLine()).rfind(std::string(GetText(833)) + ": ", 0), 0u);

    // "No" starts nothing; "Yes" starts region 3 with message 261.
    Scouting_ChooseRegion(3);
    ScoutingMenu();
    FriendlyAnswer(1);
    EXPECT_EQ(Scouting_ChooseSum(0), MENU_REDRAW);
    EXPECT_EQ(Scout_GetMarkedRegion(), -1);
    const int32_t first = ScoutingOfferedSum(0);
    FriendlyAnswer(0);
    EXPECT_EQ(Scouting_ChooseSum(0), MENU_REDRAW_ALSO);
    ASSERT_EQ(Scout_GetMarkedRegion(), 3);
    EXPECT_EQ(Scout_GetWeeklyFee(), uint32_t(first));
    const MessageRecord& started = FriendlyNewestMessage(user_, 261, 0);
    EXPECT_EQ(recbits::LoadU16(started.bytes + kMsgType), 261);
    EXPECT_EQ(int16_t(recbits::LoadU16(started.bytes + kMsgText1)), HVW_GetScoutingContText(3));
    EXPECT_EQ(int32_t(recbits::LoadU32(started.bytes + kMsgMoney)), first);

    // The scouted region chosen: the button reads 843 and stops.
    ScoutingMenu();
    EXPECT_EQ(ScoutingButtonText(), 843);
    EXPECT_FALSE(ScoutingOffersSums());

    // Another region while 3 is scouted: 260 for 3 (its weeks' cost in 64
    // bits, clamped), then 261 for 5.
    // (A day later: the inbox takes one start message a day.)
    ++SeasonCalendar.currentDay;
    ScoutingWord = 60000;
    ScoutingWordPair[0] = 0x86A0;  // 100,000 a week
    ScoutingWordPair[1] = 0x0001;
    Scouting_ChooseRegion(5);
    ScoutingMenu();
    EXPECT_EQ(ScoutingButtonText(), 653);
    FriendlyAnswer(0);
    EXPECT_EQ(Scouting_ChooseSum(1), MENU_REDRAW_ALSO);
    EXPECT_EQ(Scout_GetMarkedRegion(), 5);
    const MessageRecord& stopped = FriendlyNewestMessage(user_, 260, 1);
    const MessageRecord& restarted = FriendlyNewestMessage(user_, 261, 0);
    EXPECT_EQ(recbits::LoadU16(stopped.bytes + kMsgType), 260);
    EXPECT_EQ(int16_t(recbits::LoadU16(stopped.bytes + kMsgText1)), HVW_GetScoutingContText(3));
    EXPECT_EQ(int32_t(recbits::LoadU32(stopped.bytes + kMsgMoney)), INT32_MAX);
    EXPECT_EQ(recbits::LoadU16(restarted.bytes + kMsgType), 261);
    EXPECT_EQ(int16_t(recbits::LoadU16(restarted.bytes + kMsgText1)), HVW_GetScoutingContText(5));
    ScoutingMenu();
    EXPECT_EQ(Scouting_Stop(nullptr), MENU_REDRAW);
    EXPECT_EQ(Scout_GetMarkedRegion(), -1);

    // The map: 15 frames, 25 when the sums of the points differ by more
    // than 800, none between regions 7 and 9.
    const auto framesTo = [](int16_t region) {
        Scouting_ChooseRegion(region);
        int frames = 0;
        while (ScoutingPreviousRegion() != ScoutingChosenRegion() && frames < 100) {
            Scouting_MapFrame();
            ++frames;
        }
        return frames;
    };
    EnterScouting();
    EXPECT_EQ(framesTo(3), 15);
    EXPECT_EQ(framesTo(2), 25);
    float x = 0, y = 0;
    ScoutingMapPoint(&x, &y);
    EXPECT_EQ(x, kScoutingMapPoints[2][0]);
    EXPECT_EQ(y, kScoutingMapPoints[2][1]);
    framesTo(7);
    Scouting_ChooseRegion(9);
    for (int f = 0; f < 15; ++f) {
        Scouting_MapFrame();
        ScoutingMapPoint(&x, &y);
        EXPECT_EQ(x, kScoutingMapPoints[7][0]);
        EXPECT_EQ(y, kScoutingMapPoints[7][1]);
    }
    EXPECT_EQ(ScoutingPreviousRegion(), 9);
    int left = -1, top = -1;
    ScoutingMapOffset(0, 0, &left, &top);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    ScoutingMapOffset(5000, 5000, &left, &top);
    EXPECT_EQ(left, kWorldMapWidth - kMapViewWidth);
    EXPECT_EQ(top, kWorldMapHeight - kMapViewHeight);

    // The links: the region's players with the region handed over, the
    // world's clubs, and back with the flag cleared.
    EXPECT_EQ(Scouting_ViewPlayers(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenShortlist);
    EXPECT_EQ(PreviousMenuOption, kScreenScouting);
    EXPECT_EQ(ScoutViewFlag, 1);
    EXPECT_EQ(ScoutViewRegion, 9);
    EXPECT_EQ(Scouting_WorldClubs(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubsByNation);
    EXPECT_EQ(Scouting_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(ScoutViewFlag, 0);

    // A club with nothing to spend gets no list.
    SetClubBalance(user_, -5000000);
    ScoutingMenu();
    EXPECT_EQ(ScoutingOfferedSum(0), 0);
    EXPECT_FALSE(ScoutingOffersSums());
    EXPECT_EQ(Scouting_ChooseSum(0), MENU_CONTINUE);
    SetClubBalance(user_, balance);
}

// Scouting started on the screen is carried on by the weekly job: its
// reports of the players recommended, the end of the assignment when all
// are seen, and the week the club cannot pay.
TEST_F(FriendlyScreensTest, ScoutingStartedOnTheScreenReportsEachWeekUntilItEnds) {
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    const int32_t balance = GetClubBalance(user_);
    const int16_t rep = int16_t(GetClubRep(user_));
    // A rich small club: the region's better players are worth its while.
    SetClubBalance(user_, 150000000);
    SetClubRep(user_, 1);
    const int64_t recommendedBefore = posted(kMsgScoutOneRecommended) + posted(kMsgScoutRecommended);
    const int64_t finishedBefore = posted(kMsgScoutFinished);
    const int64_t unpaidBefore = posted(kMsgScoutCannotPay);
    GameSeedRandom(77);
    EnterScouting();
    Scouting_ChooseRegion(3);
    ScoutingMenu();
    ASSERT_TRUE(ScoutingOffersSums());
    FriendlyAnswer(0);
    ASSERT_EQ(Scouting_ChooseSum(0), MENU_REDRAW_ALSO);
    ASSERT_EQ(Scout_GetMarkedRegion(), 3);
    int weeks = 0;
    while (posted(kMsgScoutFinished) == finishedBefore && weeks < 500) {
        Scout_WeeklyJob();
        ++weeks;
    }
    EXPECT_GT(posted(kMsgScoutOneRecommended) + posted(kMsgScoutRecommended), recommendedBefore);
    EXPECT_EQ(posted(kMsgScoutFinished), finishedBefore + 1) << weeks << " weeks";
    EXPECT_EQ(Scout_GetMarkedRegion(), -1);

    // Started again on a club that then has too little to pay for a week.
    ++SeasonCalendar.currentDay;
    EnterScouting();
    Scouting_ChooseRegion(5);
    ScoutingMenu();
    FriendlyAnswer(0);
    ASSERT_EQ(Scouting_ChooseSum(0), MENU_REDRAW_ALSO);
    SetClubBalance(user_, int32_t(Scout_GetWeeklyFee()));
    Scout_WeeklyJob();
    EXPECT_EQ(posted(kMsgScoutCannotPay), unpaidBefore + 1);
    EXPECT_EQ(Scout_GetMarkedRegion(), 5) << "an unpaid week does not end the assignment";
    SetClubBalance(user_, balance);
    SetClubRep(user_, rep);
}

TEST_F(FriendlyScreensTest, AGrabAfterTheMoveShowsTheMapAtTheRegionAndTheScoutedIcon) {
    Scout_MarkRegion(6, 1000);
    ASSERT_EQ(Scout_GetMarkedRegion(), 6);
    MenuOption = kScreenScouting;
    static std::vector<uint32_t> first, second;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == ScoutingTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
        },
        3000);
    MenuUserWait(3);
    // Region 4's button, then the move's frames.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 50 && item.y == 97 + 34 * 4; });
    MenuUserWait(40);
    testenv::MenuUserMoveTo(790, 300);
    MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    MenuUserWait(3);
    MenuUserDo([] { first = testenv::NewestGrabPixels(); });
    // A second walk draws the same picture.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 50 && item.y == 97 + 34 * 4; });
    MenuUserWait(10);
    testenv::MenuUserMoveTo(790, 300);
    MenuUserWait(3);
    testenv::MenuUserKey(0x46);
    MenuUserWait(3);
    MenuUserDo([] { second = testenv::NewestGrabPixels(); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (MenuOption == kScreenScouting && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(first.size(), 800u * 600u);
    EXPECT_EQ(ScoutingChosenRegion(), 4);
    EXPECT_EQ(ScoutingPreviousRegion(), 4);

    // The map picture as the game reads it, at the offset of region 4.
    uint8_t* map = nullptr;
    uint32_t size = PakLoadWholeFile(kWorldMapFile, &map, MEM_TYPE_MANUAL_FREE);
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(LoadImageFile(&map, &size, 0, &ColFmt_B8G8R8), 0);
    int left = 0, top = 0;
    ScoutingMapOffset(kScoutingMapPoints[4][0], kScoutingMapPoints[4][1], &left, &top);
    const auto mapPixel = [&](int x, int y) {
        const uint8_t* p = map + GFX0_HEADER_SIZE + (size_t(y) * kWorldMapWidth + size_t(x)) * 3;
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    };
    const auto swapped = [](uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16; };
    int same = 0, sameSwapped = 0, checked = 0;
    for (int y = 0; y < kMapViewHeight; y += 7) {
        for (int x = 0; x < kMapViewWidth; x += 7) {
            // The centre marker is drawn over the picture.
            const int cx = int(kScoutingMapPoints[4][0]) - left, cy = int(kScoutingMapPoints[4][1]) - top;
            if (std::abs(x - cx) < 6 && std::abs(y - cy) < 6) continue;
            const uint32_t shown = first[size_t(kMapViewTop + y) * 800 + size_t(kMapViewLeft + x)];
            same += shown == mapPixel(left + x, top + y) ? 1 : 0;
            sameSwapped += shown == swapped(mapPixel(left + x, top + y)) ? 1 : 0;
            ++checked;
        }
    }
    FreeMemory(&map);
    EXPECT_EQ(std::max(same, sameSwapped), checked);
    EXPECT_GT(checked, 2000);

    // Icon 191 on the face beside region 6, none beside the others.
    const auto face = [&](int region) {
        std::vector<uint32_t> pixels;
        for (int y = 97 + 34 * region + 3; y < 97 + 34 * region + 27; ++y)
            for (int x = 363; x < 397; ++x) pixels.push_back(first[size_t(y) * 800 + size_t(x)]);
        return pixels;
    };
    EXPECT_NE(face(6), face(5));
    EXPECT_EQ(face(5), face(7));
    // The title bar's ticker runs on; the screen below it is drawn the same.
    ASSERT_EQ(second.size(), first.size());
    EXPECT_TRUE(std::equal(first.begin() + 90 * 800, first.end(), second.begin() + 90 * 800));
}

TEST_F(FriendlyScreensTest, RegionNamesAndScreenTextsHaveWords) {
    std::set<std::string> names;
    for (int16_t region = 0; region < kScoutingRegions; ++region) {
        const std::string name = GetText(HVW_GetScoutingContText(region));
        EXPECT_FALSE(name.empty()) << region;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), size_t(kScoutingRegions));
    EXPECT_NE(HVW_GetScoutingContText(2), 741);
    for (int16_t id : {101, 102, 103, 153, 168, 182, 248, 249, 553,  653,  701,  771,
                       833, 834, 843, 845, 850, 851, 975, 976, 1034, 1109, 1114, 1126}) {
        if (id == 153) continue;  // an icon
        EXPECT_GT(std::strlen(GetText(id)), 0u) << id;
    }
    for (int16_t id = 127; id <= 133; ++id) EXPECT_GT(std::strlen(GetText(id)), 0u) << id;
    for (int16_t id = 772; id <= 787; ++id) EXPECT_GT(std::strlen(GetText(id)), 0u) << id;
    // The question texts take their names in order and nothing else.
    char out[200];
    FillTextSlots(out, sizeof out, GetText(850), {"A", "B", "1"});
    EXPECT_NE(std::string(out).find('A'), std::string::npos);
    EXPECT_EQ(std::string(out).find("%s"), std::string::npos);
}

TEST(FriendlyTextFill, SlotsAreFilledInOrderAndBounded) {
    char out[16];
    FillTextSlots(out, sizeof out, "%s v %s", {"Ayr", "Bath"});
    EXPECT_STREQ(out, "Ayr v Bath");
    FillTextSlots(out, sizeof out, "%d%% %s %s %n", {"x"});
    EXPECT_STREQ(out, "%d% x  %n");
    FillTextSlots(out, sizeof out, "%s and more words", {"Somewhere long"});
    EXPECT_STREQ(out, "Somewhere long ");
    FillTextSlots(out, 1, "%s", {"x"});
    EXPECT_STREQ(out, "");
}

TEST(TransferHistoryControls, PagingStopsAtTheEndsAndMarksTickTheFilterValue) {
    TransferHistoryState = {};
    TransferHistoryState.rowCount = 10;
    EXPECT_EQ(TransferHistory_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(TransferHistoryState.firstRow, 0);
    TransferHistoryState.firstRow = 5;
    EXPECT_EQ(TransferHistory_PageUp(nullptr), MENU_REDRAW);
    EXPECT_EQ(TransferHistoryState.firstRow, 0);
    TransferHistoryState.rowCount = 40;
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 18);
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 22);
    TransferHistory_PageDown(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 22);
    TransferHistory_PageUp(nullptr);
    EXPECT_EQ(TransferHistoryState.firstRow, 4);

    // A value table that is not the identity: the entry whose value is the
    // filter is ticked, exactly one; the separator stays unselectable.  A
    // string entry of the first filter (the fee bands are strings) is
    // ticked too, and loses its tick when the filter moves on.
    const uint16_t values[] = {6, 3, 0, 1, 2, 4, 5, 7};
    std::copy(std::begin(values), std::end(values), TransferHistoryState.valuesA);
    std::copy(std::begin(values), std::end(values), TransferHistoryState.valuesB);
    PopupEntry list[10] = {};
    list[0].kind = POPUP_TITLE;
    for (int i = 1; i <= 7; ++i) list[i].kind = i == 4 ? POPUP_SEPARATOR : POPUP_TEXT_ID;
    list[8].kind = POPUP_STRING_VARIABLE;
    list[9].kind = POPUP_END;
    PopupCallBlock call{0, 0, nullptr, list};
    TransferHistoryState.filterA = 7;
    TransferHistory_MarkFilterA(&call);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ((list[i].flags & POPUP_MARKED) != 0, i == 8) << i;
    TransferHistoryState.filterA = 0;
    TransferHistory_MarkFilterA(&call);
    for (int i = 1; i <= 8; ++i) {
        const bool ticked = (list[i].flags & POPUP_MARKED) != 0;
        EXPECT_EQ(ticked, i == 3) << i;
        EXPECT_EQ((list[i].flags & POPUP_SELECTABLE) != 0, i != 4 && i != 8) << i;
    }
    // The second filter also takes string entries.
    for (PopupEntry& e : list) e.flags = 0;
    TransferHistoryState.filterB = 6;
    TransferHistory_MarkFilterB(&call);
    EXPECT_NE(list[1].flags & POPUP_MARKED, 0);
    EXPECT_NE(list[8].flags & POPUP_SELECTABLE, 0);

    PopupCallBlock pick{0, 1, nullptr, list};
    EXPECT_EQ(TransferHistory_PickFilterA(&pick), MENU_REDRAW_ALSO);
    EXPECT_EQ(TransferHistoryState.filterA, 3);
    pick.row = 5;
    TransferHistory_PickFilterB(&pick);
    EXPECT_EQ(TransferHistoryState.filterB, 4);
    EXPECT_EQ(TransferHistory_ToClubMain(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

}  // namespace
