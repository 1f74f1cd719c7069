// What the job screens hand each other (the vacancy and division picks, a
// club's job offer) and what is left of it when the user leaves their path
// by another road: the scripted user on the real controller.
#include <gtest/gtest.h>

#include "core/club/board.h"
#include "core/club/transfers.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/clubrecords.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/league/leaguetable.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/dealsheet.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

testenv::SharedNewWorld g_clubHandOverWorld;

class ClubHandOverTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_clubHandOverWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        ClubPickedFlag = ClubInfoPickedFlag = ClubListPickedFlag = 0;
        JobOfferPending = 0;
        ClearJobApplication();
        // One club of the user's division without a manager: the vacancy.
        vacant_ = int16_t(DivisionClubLists[0][1][3]);
        HVW_RemoveClubManager(vacant_);
    }
    void TearDown() override {
        DropClubPicks();
        ClubListPickedFlag = 0;
        JobOfferPending = 0;
        UserClubScreenTest::TearDown();
    }
    static void WaitUp(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(4);
    }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    // A row of one of the title bar's pop-up lists (x 171 the club list,
    // 322 the league list).
    static void TitleBar(int listX, int row) {
        testenv::MenuUserClickItem(
            [listX](const MenuHotItem& item) { return item.popup != nullptr && item.x == listX; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(row);
    }
    // The vacancy row of the club, then its pop-up's choice.
    void PickVacancy(int choice) {
        const int16_t vacant = vacant_;
        testenv::MenuUserClickItem([vacant](const MenuHotItem& item) {
            return item.w == 226 && item.h == 24 && item.row < VacancyRowsShown &&
                   VacancyRowClubs[item.row] == vacant;
        });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(choice);
    }
    static void Drive(const bool& done) {
        for (int rounds = 0; rounds < 40 && !done && !WinCloseRequested(); ++rounds) DoMainMenuOption();
    }
    // Take Job on the club's information; the script ends once home is up.
    static void TakeJobThenDrive(bool& done) {
        ClickAt(60, 559);
        WaitUp(ClubMainTable);
        testenv::MenuUserDo([&done] { done = true; });
        TitleBar(171, 0);
        Drive(done);
    }
    int16_t vacant_ = -1;
};

// Records a pick of the vacancy list opens lead back to it; records of
// another club, reached later from that pick's league table, or the picked
// club's own records opened from home, lead home.
TEST_F(ClubHandOverTest, TheClubRecordsLeadBackToTheVacanciesOnlyFromTheirOwnPick) {
    static const MenuItem* afterPick;
    static const MenuItem* afterOther;
    static const MenuItem* afterHome;
    static bool done;
    afterPick = afterOther = afterHome = nullptr;
    done = false;
    const auto backFromRecords = [](const MenuItem** into) {
        WaitUp(ClubRecordsTable);
        ClickAt(743, 559);
        testenv::MenuUserWaitFor(
            [] { return testenv::MenuTableUp(ClubMainTable) || testenv::MenuTableUp(VacanciesTable); });
        testenv::MenuUserDo([into] { *into = MenuViewTopTable(); });
        testenv::MenuUserWait(4);
    };
    MenuOption = kScreenVacancies;
    WaitUp(VacanciesTable);
    PickVacancy(1);  // its records
    backFromRecords(&afterPick);
    // Its league table: another club's squad, then the title bar's records.
    PickVacancy(2);
    WaitUp(LeagueTableTable);
    const int16_t vacant = vacant_;
    testenv::MenuUserClickItem([vacant](const MenuHotItem& item) {
        // A row's club (the reserve toggle above the rows is as wide).
        if (item.w != 164 || item.h != 22 || item.row >= LeagueTableShownRows()) return false;
        const uint16_t club = LeagueTableShownRow(item.row).club;
        return club != kNoTableClub && club != uint16_t(vacant);
    });
    WaitUp(SquadListTable);
    TitleBar(171, 11);
    backFromRecords(&afterOther);
    // At home, the picked club chosen in the division's list, and its records.
    testenv::MenuUserClickItem([vacant](const MenuHotItem& item) {
        return item.w == 196 && item.h == 26 &&
               ClubMainClubList()[ClubMainListTop() + item.row] == uint16_t(vacant);
    });
    testenv::MenuUserWait(4);
    TitleBar(171, 11);
    backFromRecords(&afterHome);
    testenv::MenuUserDo([] { done = true; });
    TitleBar(171, 0);
    Drive(done);
    EXPECT_EQ(afterPick, VacanciesTable);
    EXPECT_EQ(afterOther, ClubMainTable);
    EXPECT_EQ(afterHome, ClubMainTable);
}

// A club's offer, or a vacancy's club information, left through the title
// bar from the club's squad: another club's squad, opened from the
// fixtures, leads back to that club's information, which offers no job.
// The club's own squad still leads back to its job buttons.
TEST_F(ClubHandOverTest, AClubsInformationOffersAJobOnlyForTheClubPickedOrOffering) {
    struct Seen {
        int16_t club = -1;
        bool buttons = false;
    };
    static Seen ownWayBack, afterOffer, afterVacancy;
    static bool done;
    ownWayBack = afterOffer = afterVacancy = Seen{};
    done = false;
    const auto look = [](Seen* into) {
        testenv::MenuUserWaitFor(
            [] { return testenv::MenuTableUp(ClubMainTable) || testenv::MenuTableUp(ClubInfoTable); });
        testenv::MenuUserDo([into] {
            into->club = int16_t(SelectedClub);
            into->buttons = testenv::MenuTableUp(ClubInfoTable) && ClubInfoShowsJobButtons();
        });
        testenv::MenuUserWait(4);
    };
    const auto toAnotherClubsSquadAndBack = [look](Seen* into) {
        ClickAt(40, 517);  // the club's squad
        WaitUp(SquadListTable);
        TitleBar(171, 10);  // the fixtures
        WaitUp(ClubFixturesTable);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 736; });
        WaitUp(SquadListTable);
        ClickAt(743, 559);
        look(into);
    };
    const int16_t offering = int16_t(DivisionClubLists[0][0][2]);
    JobOfferPending = 1;
    JobOfferClubShown = uint16_t(offering);
    MenuOption = kScreenDayMessages;
    WaitUp(ClubInfoTable);
    ClickAt(40, 517);
    WaitUp(SquadListTable);
    ClickAt(743, 559);
    look(&ownWayBack);
    toAnotherClubsSquadAndBack(&afterOffer);
    TitleBar(322, 1);  // the vacancies
    WaitUp(VacanciesTable);
    PickVacancy(0);  // its club information
    WaitUp(ClubInfoTable);
    toAnotherClubsSquadAndBack(&afterVacancy);
    testenv::MenuUserDo([] { done = true; });
    TitleBar(171, 0);
    Drive(done);
    EXPECT_EQ(ownWayBack.club, offering);
    EXPECT_TRUE(ownWayBack.buttons);
    EXPECT_NE(afterOffer.club, offering);
    EXPECT_FALSE(afterOffer.buttons) << "club " << afterOffer.club;
    EXPECT_NE(afterVacancy.club, vacant_);
    EXPECT_FALSE(afterVacancy.buttons) << "club " << afterVacancy.club;
}

// An application lodged on the vacancy's club information, accepted on its
// answer day: the day's messages open the club's information with the job
// buttons; its own squad leads back to them; Take Job makes the user the
// club's manager at once, with no box and no application left.  Left by
// the back icon or by the title bar, the acceptance is spent: the day's
// messages do not offer it again.
TEST_F(ClubHandOverTest, AnAcceptedApplicationsJobIsTakenAtOnceOrSpentWhenLeft) {
    struct Seen {
        int16_t club = -1;
        bool buttons = false;
    };
    static Seen answered, ownWayBack;
    static int16_t boxesBefore, boxesAfter;
    static const MenuItem* afterTaking;
    static bool done;
    answered = ownWayBack = Seen{};
    boxesBefore = boxesAfter = -1;
    afterTaking = nullptr;
    done = false;
    const auto look = [](Seen* into) {
        WaitUp(ClubInfoTable);
        testenv::MenuUserDo([into] {
            into->club = int16_t(SelectedClub);
            into->buttons = ClubInfoShowsJobButtons();
        });
    };
    const auto boxClickedAway = [] {
        testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
        testenv::MenuUserWait(4);
        testenv::MenuUserClickAt(400, 300);
    };
    // The answer day's messages: the club's yes in a box, then its
    // information.
    const auto answer = [look, boxClickedAway](Seen* into) {
        MenuOption = kScreenDayMessages;
        boxClickedAway();
        look(into);
    };
    const int32_t popupSwitch = PopupSwitch;
    PopupSwitch = 1;  // a game is on: the day's boxes are shown
    // Neither far above nor far below the club: the application is lodged.
    SetPlayerReputation(1, int16_t(GetClubRep(vacant_)));
    MenuOption = kScreenVacancies;
    WaitUp(VacanciesTable);
    PickVacancy(0);  // its club information
    WaitUp(ClubInfoTable);
    ClickAt(60, 559);  // Take Job: the application is lodged
    boxClickedAway();
    WaitUp(VacanciesTable);
    testenv::MenuUserDo([] { done = true; });
    TitleBar(171, 0);
    Drive(done);
    ASSERT_EQ(HVW_GetJobApplicationClub(), vacant_) << "no application lodged";

    // The answer day: the club says yes.
    JobApplicationRecord.accepted = 1;
    JobApplicationRecord.day = uint16_t(HVW_GetCurrentDay());
    done = false;
    answer(&answered);
    ClickAt(40, 517);  // the club's squad, and back
    WaitUp(SquadListTable);
    ClickAt(743, 559);
    look(&ownWayBack);
    testenv::MenuUserDo([] { boxesBefore = int16_t(MenuViewMessageBoxCount()); });
    ClickAt(60, 559);
    testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(ClubMainTable); });
    testenv::MenuUserDo([] {
        afterTaking = MenuViewTopTable();
        boxesAfter = int16_t(MenuViewMessageBoxCount());
        done = true;
    });
    TitleBar(171, 0);
    Drive(done);
    EXPECT_EQ(answered.club, vacant_);
    EXPECT_TRUE(answered.buttons);
    EXPECT_EQ(ownWayBack.club, vacant_);
    EXPECT_TRUE(ownWayBack.buttons);
    EXPECT_EQ(afterTaking, ClubMainTable);
    EXPECT_EQ(boxesAfter, boxesBefore) << "the job taken asked again";
    EXPECT_EQ(int16_t(GetPlayerClub(1)), vacant_);
    EXPECT_EQ(GetClubControl(vacant_), 1);
    EXPECT_EQ(HVW_GetJobApplicationClub(), -1);

    // Accepted again, and left: by the back icon, then by the title bar.
    for (const bool byTitleBar : {false, true}) {
        SCOPED_TRACE(byTitleBar ? "the title bar" : "the back icon");
        const int16_t other = int16_t(DivisionClubLists[0][1][5]);
        JobApplicationRecord = {uint16_t(other), uint16_t(HVW_GetCurrentDay()), 1};
        done = false;
        answer(&answered);
        testenv::MenuUserDo([] { done = true; });
        if (byTitleBar) {
            TitleBar(322, 1);  // the vacancies
        } else {
            ClickAt(743, 559);
        }
        Drive(done);
        EXPECT_EQ(answered.club, other);
        EXPECT_TRUE(answered.buttons);
        EXPECT_EQ(HVW_GetJobApplicationClub(), -1);
        // The same day's messages, run again after the squad screens.
        MenuOption = kScreenClubMain;
        ProcessHalvornDayMessages();
        EXPECT_EQ(MenuOption, kScreenClubMain);
    }
    PopupSwitch = popupSwitch;
}

// Accepted, the club's own squad, and an offer for one of its players
// made and withdrawn there: the day's messages that run after the offer
// tell the acceptance again, and its job is still there to take.
TEST_F(ClubHandOverTest, AnAcceptanceToldAgainAfterAnOfferOnItsSquadStillOffersItsJob) {
    static bool buttonsAfterOffer, done;
    static uint16_t dealt;
    buttonsAfterOffer = done = false;
    dealt = 0;
    const int32_t popupSwitch = PopupSwitch;
    PopupSwitch = 1;  // a game is on: the day's boxes are shown
    const auto boxClickedAway = [] {
        testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
        testenv::MenuUserWait(4);
        testenv::MenuUserClickAt(400, 300);
    };
    JobApplicationRecord = {uint16_t(vacant_), uint16_t(HVW_GetCurrentDay()), 1};
    MenuOption = kScreenDayMessages;
    boxClickedAway();
    WaitUp(ClubInfoTable);
    ClickAt(40, 517);  // the club's squad
    WaitUp(SquadListTable);
    // A right click on the third row: his profile, then Make Offer.
    testenv::MenuUserDo([] {
        dealt = ShownPlayers[2];
        HVW_SetPlayerLoanList(dealt, 0);
    });
    testenv::MenuUserRightClickAt(50 + 307 / 2, 147 + 23 * 2 + 11);
    WaitUp(PlayerStatsTable);
    ClickAt(60, 559);  // Actions
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickPopupRow(0);  // Make Offer
    WaitUp(DealSheetTable);
    ClickAt(60, 559);  // withdraw
    boxClickedAway();  // the acceptance, told again
    WaitUp(ClubInfoTable);
    testenv::MenuUserDo([] { buttonsAfterOffer = ClubInfoShowsJobButtons(); });
    TakeJobThenDrive(done);
    PopupSwitch = popupSwitch;
    ASSERT_NE(dealt, 0);
    EXPECT_TRUE(buttonsAfterOffer) << "the acceptance told again offers no job";
    EXPECT_EQ(int16_t(GetPlayerClub(1)), vacant_);
    EXPECT_EQ(GetClubControl(vacant_), 1);
    EXPECT_EQ(HVW_GetJobApplicationClub(), -1);
}

// The answer day of an application that the club accepts, with another
// club's job offer waiting: the day's messages show the offer first.  The
// offer turned down by the back icon, the user plays on: the Continue puts
// the answer before him instead of playing the day, and its job can be
// taken.
TEST_F(ClubHandOverTest, AnApplicationsAnswerLeftBehindAJobOfferComesBeforeTheNextDay) {
    static int16_t offerShown, answerShown;
    static bool answerButtons, done;
    static int16_t dayAfterContinue;
    offerShown = answerShown = dayAfterContinue = -1;
    answerButtons = done = false;
    const int32_t popupSwitch = PopupSwitch;
    PopupSwitch = 1;  // a game is on: the day's boxes are shown
    // A day without fixtures: the user plays no match on it.
    int16_t day = SeasonCalendar.currentDay;
    while (day < 350 && testenv::FixturesOn(day) != 0) ++day;
    ASSERT_LT(day, 350);
    SeasonCalendar.currentDay = day;
    const int16_t offering = int16_t(DivisionClubLists[0][0][2]);
    JobApplicationRecord = {uint16_t(vacant_), uint16_t(day), 1};
    JobOfferPending = 1;
    JobOfferClubShown = uint16_t(offering);
    MenuOption = kScreenDayMessages;
    WaitUp(ClubInfoTable);
    testenv::MenuUserDo([] { offerShown = int16_t(SelectedClub); });
    ClickAt(743, 559);  // the offer turned down
    WaitUp(ClubMainTable);
    ClickAt(399, 559);  // Continue: one day
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 3000);
    testenv::MenuUserWait(4);
    testenv::MenuUserClickAt(400, 300);  // the club's yes
    WaitUp(ClubInfoTable);
    testenv::MenuUserDo([] {
        answerShown = int16_t(SelectedClub);
        answerButtons = ClubInfoShowsJobButtons();
        dayAfterContinue = HVW_GetCurrentDay();
    });
    TakeJobThenDrive(done);
    PopupSwitch = popupSwitch;
    EXPECT_EQ(offerShown, offering);
    EXPECT_EQ(answerShown, vacant_) << "the Continue showed no answer";
    EXPECT_TRUE(answerButtons);
    EXPECT_EQ(dayAfterContinue, day) << "the day was played before the answer was shown";
    EXPECT_EQ(int16_t(GetPlayerClub(1)), vacant_);
    EXPECT_EQ(HVW_GetJobApplicationClub(), -1);
}

// A club's job offer opened from the user's club screen: the title bar of
// the offering club's information shows that club, and its squad list is
// that club's.
TEST_F(ClubHandOverTest, AClubsInformationTitleBarIsThatClubs) {
    static int16_t badge, squadClub;
    static bool done;
    badge = squadClub = -1;
    done = false;
    const int16_t offering = int16_t(DivisionClubLists[0][0][2]);
    SelectedClub = uint16_t(user_);
    SetMenuTitleDate(11);  // the club screen's title: the user's club
    JobOfferPending = 1;
    JobOfferClubShown = uint16_t(offering);
    MenuOption = kScreenDayMessages;
    WaitUp(ClubInfoTable);
    testenv::MenuUserDo([] { badge = TitleClub; });
    TitleBar(171, 1);  // the squad list
    WaitUp(SquadListTable);
    testenv::MenuUserDo([] {
        squadClub = int16_t(SelectedClub);
        done = true;
    });
    TitleBar(171, 0);
    Drive(done);
    EXPECT_EQ(badge, offering) << "the offering club's information shows another club's badge";
    EXPECT_EQ(squadClub, offering);
}

// A vacancy's records opened from its pick, then opened again from the
// title bar: the title bar left the pick's road, and the records' back icon
// goes home.
TEST_F(ClubHandOverTest, TheTitleBarLeavesAVacancysPick) {
    static const MenuItem* afterRecords;
    static bool done;
    afterRecords = nullptr;
    done = false;
    MenuOption = kScreenVacancies;
    WaitUp(VacanciesTable);
    PickVacancy(1);  // its records
    WaitUp(ClubRecordsTable);
    TitleBar(171, 11);  // the club records, again
    WaitUp(ClubRecordsTable);
    ClickAt(743, 559);
    testenv::MenuUserWaitFor(
        [] { return testenv::MenuTableUp(ClubMainTable) || testenv::MenuTableUp(VacanciesTable); });
    testenv::MenuUserDo([] {
        afterRecords = MenuViewTopTable();
        done = true;
    });
    TitleBar(171, 0);
    Drive(done);
    EXPECT_EQ(afterRecords, ClubMainTable) << "the records led back to the vacancies";
}

}  // namespace
