// The human manager's day messages: one prepared state per rule over the
// generated world, the screen id and the messages each gives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/club/exchangedeals.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"
#include "tests/fakes/world_records.h"

namespace {

class DayMessagesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { worldError_ = LoadWorldRecords(HALVORN_GAME_DIR); }
    void SetUp() override {
        if (!worldError_.empty()) GTEST_FAIL() << worldError_;
        testenv::LoadTexts(
            {{1116, "You have been sacked by the board!"}, {1160, "The season has come to an end."}});
        std::memset(MessageArchive, 0, sizeof MessageArchive);
        std::memset(UserInbox, 0, sizeof UserInbox);
        PendingDeal_ClearAll();
        HVW_ClearHumanSales();
        HVW_ClearHumanContracts();
        ClearJobApplication();
        SackedClubControl = 0;
        JobOfferPending = 0;
        TakeJobShirtPlayer = 0;
        SeasonEndNoticeOff = 0;
        ClubPickedFlag = 0;
        SquadOfferFlag = 0;
        SeasonCalendar.currentDay = 100;
        // The user manages a club of the world; his rival is another one.
        user_ = FindClub(0);
        other_ = FindClub(user_ + 1);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SetClubControl(other_, 0);
        MenuCurrentPlayer = 1;
        MenuOption = kScreenDealSheet;
    }
    void TearDown() override {
        if (!worldError_.empty()) return;
        SetClubControl(user_, 0);
        SetPlayerClub(1, -1);
        testenv::UnloadTexts();
    }

    static int16_t FindClub(int16_t from) {
        for (int16_t club = from; club < 1200; ++club)
            if (GetClubRep(club) > 0 && FirstPlayerOf(club) != 0) return club;
        return -1;
    }
    static uint16_t FirstPlayerOf(int16_t club, uint16_t after = 2) {
        for (uint16_t p = uint16_t(after + 1); p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club)) return p;
        return 0;
    }
    // The newest message of a type in the club's archive or the inbox.
    static bool Posted(int16_t club, uint16_t type) {
        const auto typeOf = [](const MessageRecord& m) { return recbits::LoadU16(m.bytes + kMsgType); };
        for (const MessageRecord& m : MessageArchive[club])
            if (typeOf(m) == type) return true;
        for (const MessageRecord& m : UserInbox)
            if (typeOf(m) == type) return true;
        return false;
    }
    // A deal that waits for the user's answer, in the first free record.
    void AddReadyDeal(uint16_t player, int16_t first, int16_t second, uint32_t fee) {
        PendingDeal_Add(player, 0, 0, 0, 0, 1, uint16_t(first), uint16_t(second), fee, fee, 1);
        PendingDeal_TickAll();
    }
    // The day's messages, with the user at the screens or (a soak) not.
    std::string Run(bool unattended = false) {
        StdoutCapture out;
        if (unattended) {
            ProcessHalvornDayMessagesUnattended();
        } else {
            ProcessHalvornDayMessages();
        }
        return out.Text();
    }

    static inline std::string worldError_;
    int16_t user_ = -1;
    int16_t other_ = -1;
};

TEST_F(DayMessagesTest, NothingWhenTheFrontEndIsEnding) {
    MenuOption = kScreenQuit;
    SeasonCalendar.currentDay = 364;
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(MenuOption, kScreenQuit);
}

TEST_F(DayMessagesTest, SeasonEndShowsItsNoticeUnlessSwitchedOff) {
    SeasonCalendar.currentDay = 364;
    SelectedClub = uint16_t(other_);
    EXPECT_NE(Run().find("The season has come to an end."), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    SeasonEndNoticeOff = 1;
    MenuOption = kScreenContractTalks;
    EXPECT_EQ(Run().find("season"), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(DayMessagesTest, ASackingLeadsToTheVacancies) {
    SackedClubControl = 1;
    EXPECT_NE(Run().find("You have been sacked by the board!"), std::string::npos);
    EXPECT_EQ(MenuCurrentPlayer, 1);
    EXPECT_EQ(MenuOption, kScreenVacancies);
}

// Sacked on a day of a soak: nobody is told then, and the board's flag is
// gone the next day; the user hears it on his first day back, while he is
// still without a club.
TEST_F(DayMessagesTest, ASackingOnADayNobodyWatchedIsToldOnTheNextDayWatched) {
    SackedClubControl = 1;
    MenuOption = kScreenClubMain;
    EXPECT_EQ(Run(true).find("sacked"), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SackedClubControl = 0;  // the next day's reviews
    SetPlayerClub(1, kNoClub);
    EXPECT_EQ(Run(true).find("sacked"), std::string::npos);
    EXPECT_NE(Run().find("You have been sacked by the board!"), std::string::npos);
    EXPECT_EQ(MenuCurrentPlayer, 1);
    EXPECT_EQ(MenuOption, kScreenVacancies);
    // Told once; and a user with a club again hears nothing of it.
    MenuOption = kScreenClubMain;
    EXPECT_EQ(Run().find("sacked"), std::string::npos);
    SackedClubControl = 1;
    Run(true);
    SackedClubControl = 0;
    SetPlayerClub(1, uint16_t(user_));
    MenuOption = kScreenClubMain;
    EXPECT_EQ(Run().find("sacked"), std::string::npos);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(DayMessagesTest, AJobOfferOpensTheOfferingClub) {
    JobOfferPending = 1;
    JobOfferClubShown = uint16_t(other_);
    PreviousMenuOption = kScreenStart;
    Run();
    EXPECT_EQ(MenuOption, kScreenClubInfo);
    EXPECT_EQ(SelectedClub, uint16_t(other_));
    EXPECT_EQ(PreviousMenuOption, kScreenClubMain);
    EXPECT_EQ(ClubPickedFlag, 2);
    // The offer's word names whose shirt the job change clears.
    EXPECT_EQ(TakeJobShirtPlayer, 1);
}

TEST_F(DayMessagesTest, OtherwiseHomeUnlessThePlayerScreensAreNext) {
    for (int16_t id : {4, 75}) {
        MenuOption = id;
        Run();
        EXPECT_EQ(MenuOption, id);
    }
    MenuOption = kScreenLoanTerms;
    Run();
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

TEST_F(DayMessagesTest, TheJobApplicationIsAnsweredOnItsDay) {
    JobApplicationRecord = {uint16_t(other_), 100, 0};
    PreviousMenuOption = kScreenStart;
    Run();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(PreviousMenuOption, kScreenClubMain);
    EXPECT_TRUE(Posted(user_, 75));
    // Answered once: the refusal is not posted again the same day.
    std::memset(UserInbox, 0, sizeof UserInbox);
    std::memset(MessageArchive[user_], 0, sizeof MessageArchive[user_]);
    Run();
    EXPECT_FALSE(Posted(user_, 75));

    JobApplicationRecord = {uint16_t(other_), 101, 1};
    Run();  // not today yet
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SeasonCalendar.currentDay = 101;
    Run();
    EXPECT_EQ(MenuOption, kScreenClubInfo);
    EXPECT_EQ(SelectedClub, uint16_t(other_));

    // Accepted on a day of a soak, with nobody there: the offer waits for
    // the user's first day back at the screens.
    JobApplicationRecord = {uint16_t(other_), 101, 1};
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessagesUnattended();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SeasonCalendar.currentDay = 102;
    ProcessHalvornDayMessagesUnattended();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    SeasonCalendar.currentDay = 103;
    Run();
    EXPECT_EQ(MenuOption, kScreenClubInfo);
    EXPECT_EQ(SelectedClub, uint16_t(other_));
}

TEST_F(DayMessagesTest, ADealOfAComputerClubGoesToTheSquadScreen) {
    const uint16_t player = FirstPlayerOf(other_);
    AddReadyDeal(player, other_, user_, 500000);
    Run();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    EXPECT_EQ(SelectedPlayer, int16_t(player));
    EXPECT_EQ(SquadOfferFlag, 1);
    EXPECT_EQ(PendingDealPlayer(0), player);  // answered on the squad screen
}

TEST_F(DayMessagesTest, AnOfferForTheUsersPlayerIsWeighedAgainstHisValue) {
    const uint16_t player = FirstPlayerOf(user_);
    SetClubGenerosity(other_, 100);
    const int64_t value = HVW_ValuePlayerFull(player);
    const int32_t acceptable = HVW_RoundMoneyDown(int32_t(value * 95 / 100));
    AddReadyDeal(player, user_, other_, uint32_t(acceptable));
    Run();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    EXPECT_EQ(SelectedPlayer, int16_t(player));

    // Asked too much: the deal falls through and the clubs are told.
    PendingDeal_ClearAll();
    MenuOption = kScreenDealSheet;
    AddReadyDeal(player, user_, other_, uint32_t(acceptable) + 1000000u);
    Run();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(PendingDealPlayer(0), 0);
    EXPECT_TRUE(Posted(user_, 61));
}

// An offer turned down for the user is answered for its own buying club, not
// for whichever club the last offer or sale named, and leaves no deal number
// behind: the next offer, opened from a profile, does not resume the deal
// that takes its record later.
TEST_F(DayMessagesTest, AnOfferTurnedDownHereIsItsOwnAndLeavesNoDealToResume) {
    const uint16_t player = FirstPlayerOf(user_);
    const int16_t repUser = GetClubRep(user_), repOther = GetClubRep(other_);
    SetClubRep(user_, 63);
    SetClubRep(other_, 3);
    // His morale after the fall the club he turns down is worth.
    SetPlayerMorale(player, 30);
    ChangePlayerMorale(player, int16_t(-2 * GetClubRep(other_)));
    const int16_t fallen = GetPlayerMorale(player);
    SetPlayerMorale(player, 30);
    SetPlayerFlag118(player, 0);
    SetPlayerIntShirt(player, 0);
    ASSERT_EQ(HVW_RatePlayerClubInterest(player, other_, user_), 4) << "he refuses the move";
    SalesTeamClub = user_;  // the user's own, from an offer he made earlier
    DealSheetPendingNumber = 0;
    AddReadyDeal(player, user_, other_, uint32_t(HVW_ValuePlayerFull(player)) * 2u + 1000000u);
    Run();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(PendingDealPlayer(0), 0);
    EXPECT_EQ(GetPlayerMorale(player), fallen) << "twice the reputation of the club he turned down";

    // Another deal takes the freed record; an offer opened from a profile
    // is the offer for that profile's player.
    const uint16_t wanted = FirstPlayerOf(other_);
    PendingDeal_Add(FirstPlayerOf(other_, wanted), 0, 0, 0, 0, 1, uint16_t(other_), uint16_t(user_), 5000,
                    5000, 0);
    SelectedPlayer = int16_t(wanted);
    SalesTeamClub = user_;
    SquadOfferFlag = 0;
    DealSheetReset = 1;
    DealSheetFromProfile = 1;
    DealSheet_Enter();
    EXPECT_EQ(SelectedPlayer, int16_t(wanted));
    EXPECT_EQ(CurrentDeal.resumed, 0);
    SetClubRep(user_, repUser);
    SetClubRep(other_, repOther);
}

TEST_F(DayMessagesTest, TheAcceptableFeeOfTheDearestPlayersDoesNotWrap) {
    // The dearest player of the world, made dearer still: value x 95 passes
    // 32 bits.
    uint16_t dearest = FirstPlayerOf(user_);
    for (uint16_t p = 3; p < PlayerCount; ++p)
        if (HVW_ValuePlayerFull(p) > HVW_ValuePlayerFull(dearest)) dearest = p;
    SetPlayerClub(dearest, user_);
    SetClubGenerosity(other_, 100);
    const int64_t value = HVW_ValuePlayerFull(dearest);
    const int64_t fee = std::min<int64_t>(value * 95 / 100, INT32_MAX);
    AddReadyDeal(dearest, user_, other_, uint32_t(HVW_RoundMoneyDown(int32_t(fee))));
    Run();
    EXPECT_EQ(MenuOption, kScreenDealSheet) << "value " << value;
}

TEST_F(DayMessagesTest, AContractToSettleOpensTheTalksUnlessItsExchangeDealFellThrough) {
    const uint16_t player = FirstPlayerOf(other_);
    PendingHumanDeals[2] = player;
    HVW_SetPlayerFlag120(player, 0);
    ContractTalksReason = 3;
    MenuOption = kScreenContractTalks;
    Run();
    EXPECT_EQ(SelectedPlayer, int16_t(player));
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    EXPECT_EQ(MenuOption, kScreenContractTalks);
    EXPECT_EQ(ContractTalksReason, 0);
    EXPECT_EQ(HVW_HasHumanContracts(), 1);

    // A bid with an exchange player who has since left the buying club:
    // the deal is withdrawn and the slot settled here.
    const uint16_t exchange = FirstPlayerOf(other_, player);
    HVW_SetPlayerFlag120(player, 1);
    PendingDeal_Add(player, exchange, 0, 0, 0, 1, uint16_t(other_), uint16_t(user_), 1000, 1000, 0);
    MenuOption = kScreenContractTalks;
    Run();
    EXPECT_EQ(HVW_HasHumanContracts(), 0);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(PendingDeal_FindMain(player), -1);
    HVW_SetPlayerFlag120(player, 0);
}

TEST_F(DayMessagesTest, APlayerOnSaleGoesToTheOfferOrTheLoanTerms) {
    const uint16_t player = FirstPlayerOf(user_);
    const uint16_t loaned = FirstPlayerOf(user_, player);
    HVW_AddHumanSale(0, loaned, other_);
    SetPlayerLoanList(loaned, 1);
    MenuOption = kScreenDealSheet;
    Run();
    EXPECT_EQ(MenuOption, kScreenLoanTerms);
    EXPECT_EQ(SelectedPlayer, int16_t(loaned));
    EXPECT_EQ(SalesTeamClub, other_);
    EXPECT_EQ(HVW_HasHumanSales(), 1);  // the loan terms settle it

    HVW_ClearHumanSales();
    SetPlayerLoanList(player, 0);
    HVW_AddHumanSale(0, player, other_);
    MenuOption = kScreenLoanTerms;
    Run();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    EXPECT_EQ(SelectedPlayer, int16_t(player));
    EXPECT_EQ(SquadOfferFlag, 1);
    EXPECT_EQ(HVW_HasHumanSales(), 0);
    // Not on screen 3 (a player screen is next): the sale waits.
    HVW_AddHumanSale(0, player, other_);
    MenuOption = kScreenPlayerStats;
    Run();
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(HVW_HasHumanSales(), 1);
}

}  // namespace

namespace {

// After the surname screen: the user's club gets its squad list and team
// afresh and the custom tactics start empty.
TEST_F(DayMessagesTest, TheSurnameScreenIsFollowedByTheUsersClubSetUp) {
    CurrentClubManager = 0;
    FirstTeamList.count = 0;
    CurrentTacticA = 3;
    MenuOption = kScreenSurname;
    DoMainMenuOption();
    EXPECT_EQ(CurrentClubManager, FindClubManager(user_));
    EXPECT_GT(FirstTeamList.count, 10);
    for (int i = 0; i < FirstTeamList.count; ++i) EXPECT_EQ(GetPlayerClub(FirstTeamList.players[i]), user_);
    EXPECT_EQ(CurrentTacticA, 0);
}

}  // namespace
