// The transfer offer and the contract talks over one shared new-game
// world: the step arithmetic (with a property test of random presses), the
// talks' steps and refusals, a purchase from the bid to the talks, a
// renewal, selling and withdrawing, the pending-deal and agreed-exchange
// tables full, an exchange deal completed and a break-off that leaves the
// other deals alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/bids.h"
#include "core/club/exchangedeals.h"
#include "core/club/shortlist.h"
#include "core/club/squadmood.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/transfercompletion.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/dealscreens.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/agentprofile.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/exchangelist.h"
#include "game/screens/transfers/loanterms.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/world_lookups.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::PlainPlayerOf;

bool g_dealWorldReady = false;
std::string g_dealWorldError;

void DealNewWorld() {
    g_dealWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_dealWorldReady = g_dealWorldError.empty();
}

int DealMessagesOf(const MessageRecord* records, int count, int16_t type) {
    int found = 0;
    for (int i = 0; i < count; ++i) {
        uint16_t t;
        std::memcpy(&t, records[i].bytes + kMsgType, 2);
        found += t == uint16_t(type) ? 1 : 0;
    }
    return found;
}
int CountUserMessages(int16_t type) { return DealMessagesOf(UserInbox, kInboxSlots, type); }
int CountArchive(int16_t club, int16_t type) {
    return DealMessagesOf(MessageArchive[club], kArchiveSlots, type);
}

class DealScreensTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DealNewWorld();
        if (!g_dealWorldReady) GTEST_FAIL() << g_dealWorldError;
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_B8G8R8))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        painting_ = true;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        other_ = int16_t(DivisionClubLists[0][1][1]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SetClubBalance(user_, 100000000);
        SelectedClub = uint16_t(user_);
        MenuFollowUp = 0;
        SquadOfferFlag = 0;
        PreviousMenuOption = kScreenClubMain;
        PendingDeal_ClearAll();
        for (AgreedExchange& r : AgreedExchanges) r = AgreedExchange{};
        for (uint16_t& c : PendingHumanDeals) c = 0;
    }
    void TearDown() override {
        if (painting_) testenv::StopMenuPaint();
        if (!g_dealWorldReady) return;
        SetClubControl(user_, 0);
        SetPlayerClub(1, int16_t(kNoClub));
    }
    static void OpenSheet(uint16_t p, int16_t buyer) {
        SelectedPlayer = int16_t(p);
        SalesTeamClub = buyer;
        DealSheetReset = 1;
        DealSheet_Enter();
        DealSheet_Update();
    }
    static void OpenTalks(uint16_t p) {
        SelectedPlayer = int16_t(p);
        ContractTalks_Enter();
    }
    int16_t user_ = -1, other_ = -1;
    bool painting_ = false;
};

// ---- Steps ----------------------------------------------------------------------------------

TEST(DealStepTest, StepsSnapToTheReferenceAndTheThousands) {
    EXPECT_EQ(DealSheet_Step(12345, 1000, true, 0, 0, -1, nullptr), 13000);
    EXPECT_EQ(DealSheet_Step(12345, 1000, false, 0, 0, -1, nullptr), 12000);
    EXPECT_EQ(DealSheet_Step(495000, 10000, true, 500000, 0, -1, nullptr), 500000);
    EXPECT_EQ(DealSheet_Step(505000, 10000, false, 500000, 0, -1, nullptr), 500000);
    bool capped = false;
    EXPECT_EQ(DealSheet_Step(990000, 100000, true, 0, 0, 1000000, &capped), 1000000);
    EXPECT_TRUE(capped);
    EXPECT_EQ(DealSheet_Step(5000, 10000, false, 0, 0, -1, nullptr), 0);
    EXPECT_EQ(DealSheet_Step(INT32_MAX - 5, 10000000, true, 0, 0, -1, nullptr), INT32_MAX);

    EXPECT_EQ(ContractTalks_GradedStep(975, true), 1000);
    EXPECT_EQ(ContractTalks_GradedStep(1000, false), 975);
    for (int32_t v : {25, 975, 4900, 5000, 19500, 49000, 95000, 240000, 950000, 2400000, 9000000})
        EXPECT_EQ(ContractTalks_GradedStep(ContractTalks_GradedStep(v, true), false), v) << v;
    EXPECT_EQ(ContractTalks_GradedStep(10, false), 0);
    EXPECT_EQ(ContractTalks_SmallStep(1000, true), 1100);
    EXPECT_EQ(ContractTalks_SmallStep(1100, false), 1000);
    int16_t choice = 0;
    for (int i = 0; i < 12; ++i) {
        choice = ContractTalks_NextChoice(choice, i % 5 != 4);
        EXPECT_NE(choice, 1);
    }
    EXPECT_EQ(ContractTalks_NextChoice(6, true), 0);
    EXPECT_EQ(ContractTalks_NextChoice(0, false), 6);

    ContractTerms demand, offer;
    demand.wage = 1000;
    demand.clause1 = 50000;
    offer.wage = 975;
    EXPECT_EQ(ContractTalks_Refusal(offer, demand), 992);
    offer.wage = 1000;
    EXPECT_EQ(ContractTalks_Refusal(offer, demand), 994);
    offer.clause1 = 50000;
    demand.clause6 = 100;
    EXPECT_EQ(ContractTalks_Refusal(offer, demand), 993);
    offer.clause6 = 100;
    EXPECT_EQ(ContractTalks_Refusal(offer, demand), 0);
}

TEST_F(DealScreensTest, TheTalksControlsKeepTheirBounds) {
    const uint16_t p = PlainPlayerOf(user_, 1);
    OpenTalks(p);
    CurrentOffer.terms.wage = 99000;
    ContractTalks_WageUp(nullptr);
    EXPECT_EQ(CurrentOffer.terms.wage, 99000);
    CurrentOffer.terms.wage = 975;
    ContractTalks_WageUp(nullptr);
    EXPECT_EQ(CurrentOffer.terms.wage, 1000);
    ContractTalks_WageDown(nullptr);
    EXPECT_EQ(CurrentOffer.terms.wage, 975);
    for (int i = 0; i < 8; ++i) ContractTalks_YearsUp(nullptr);
    EXPECT_EQ(CurrentOffer.terms.years, 5);
    for (int i = 0; i < 8; ++i) ContractTalks_YearsDown(nullptr);
    EXPECT_EQ(CurrentOffer.terms.years, 1);
    for (int i = 0; i < 8; ++i) {
        ContractTalks_ChoiceForward(nullptr);
        EXPECT_NE(CurrentOffer.terms.status, 1);
    }
    // Clause A on takes the demand, else the value; off is 0.
    CurrentOffer.terms.clause1 = 0;
    ContractTalks_Toggle(0);
    EXPECT_GT(CurrentOffer.terms.clause1, 0);
    ContractTalks_Toggle(0);
    EXPECT_EQ(CurrentOffer.terms.clause1, 0);
    EXPECT_EQ(ContractTalks_ClauseStep(0, true), MENU_CONTINUE) << "no steps while a clause is off";
    CurrentOffer.terms.clause5 = 0;
    CurrentDemands.clause5 = 0;
    ContractTalks_Toggle(4);
    EXPECT_EQ(CurrentOffer.terms.clause5, 25);
    ContractTalks_ClauseStep(4, false);
    ContractTalks_ClauseStep(4, false);
    EXPECT_EQ(CurrentOffer.terms.clause5, 0);
}

// Thousands of presses from random figures: the buyer's figure stays within
// 0 and his budget, the seller's at or above the exchange values, and the
// adjustments are the net change.
TEST_F(DealScreensTest, RandomStepPressesKeepTheFiguresInBounds) {
    const uint16_t bought = PlainPlayerOf(other_, 2), sold = PlainPlayerOf(user_, 2);
    constexpr int32_t kSteps[5] = {10000000, 1000000, 100000, 10000, 1000};
    GameSeedRandom(6969);
    const int presses = ShortTestRun() ? 600 : 3000;
    for (int direction : {1, 0}) {
        OpenSheet(direction == 1 ? bought : sold, direction == 1 ? user_ : other_);
        ASSERT_EQ(CurrentDeal.direction, direction);
        if (direction == 0) CurrentDeal.exchange[0] = ExchangeSlot{PlainPlayerOf(user_, 3), 0, 250000};
        const int32_t budget = HVW_GetClubWageBudget(user_);
        int32_t& figure = direction == 1 ? CurrentDeal.offer : CurrentDeal.asking;
        auto boxes = std::make_unique<StdoutCapture>();
        for (int i = 0; i < presses; ++i) {
            if (i % 50 == 0) {
                figure = GameRandom() * (GameRandom() % 300);
                CurrentDeal.reference = GameRandom() * (GameRandom() % 300);
                if (direction == 1) figure = std::min(figure, budget);
                if (direction == 0) figure = std::max(figure, 250000);
                CurrentDeal.adjustments = 0;
            }
            const int32_t before = figure, adjustments = CurrentDeal.adjustments;
            DealSheet_StepFigure(kSteps[GameRandom() % 5], GameRandom() % 2 == 0);
            ASSERT_EQ(int64_t(CurrentDeal.adjustments) - adjustments, int64_t(figure) - before);
            if (direction == 1) {
                ASSERT_GE(figure, 0);
                ASSERT_LE(figure, budget);
            } else {
                ASSERT_GE(figure, 250000);
            }
        }
        boxes->Text();
        boxes.reset();
        if (direction == 1) {
            figure = budget;
            StdoutCapture box;
            DealSheet_StepFigure(1000, true);
            EXPECT_EQ(figure, budget);
            EXPECT_NE(box.Text().find(GetText(1115)), std::string::npos);
        }
    }
}

// ---- Buying ---------------------------------------------------------------------------------

TEST_F(DealScreensTest, APurchaseFromTheBidToTheTalks) {
    const uint16_t p = PlainPlayerOf(other_, 4);
    ASSERT_NE(p, 0);
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    ShortList_Add_Player(p);
    OpenSheet(p, user_);
    ASSERT_EQ(CurrentDeal.direction, 1);
    EXPECT_EQ(CurrentDeal.buyingClub, user_);
    EXPECT_EQ(CurrentDeal.sellingClub, other_);
    // Raise to the demand.
    for (int i = 0; i < 400 && CurrentDeal.offer < CurrentDeal.reference; ++i)
        DealSheet_StepFigure(1000, true);
    DealSheet_Update();
    ASSERT_EQ(CurrentDeal.verdict, 0) << CurrentDeal.offer << " / " << CurrentDeal.reference;
    MenuOption = kScreenDealSheet;
    EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    ASSERT_EQ(GetClubBidPlayer(user_, 0), p) << "the first free slot";
    const int32_t fee = GetClubBidPrice(user_, 0) * 100;
    EXPECT_EQ(fee / 100, CurrentDeal.offer / 100);

    // The approach is recorded: days pass until the daily jobs accept and
    // the contract waits in the user's slots; the day messages open the talks.
    EXPECT_GT(HVW_GetPlayerSetting4(p), 0);
    int days = 0;
    while (days < 40 && HVW_HasHumanContracts() == 0 && GetClubBidPlayer(user_, 0) == p) {
        HVW_AdvanceDay();
        ++days;
    }
    ASSERT_LT(days, 40) << "the bid is answered";
    if (HVW_HasHumanContracts() == 0) {
        // The club or the player turned it down this time (the answer has
        // its chance): take it as accepted to go on with the talks.
        SetClubBid(user_, 0, p, fee / 100, 0);
        PendingHumanDeals[0] = p;
    }
    EXPECT_EQ(HVW_GetHumanContracts(), p);
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenContractTalks);
    OpenTalks(p);
    const int32_t balance = GetClubBalance(user_);
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE) << CurrentOffer.refusalText;
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(GetClubBalance(user_), balance - fee);
    EXPECT_EQ(ShortList_IsPlayerOn(p), 0);
    EXPECT_EQ(HVW_HasHumanContracts(), 0);
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

// The sell-on percentage stays within 5..50, and each change of it asks the
// selling club again: its demand is the asking figure on the sheet.  (A
// club whose manager haggles little answers percentages past 5 apart.)
TEST_F(DealScreensTest, TheSellOnPercentageMovesTheSellersDemand) {
    bool moved = false;
    for (int c = 1; c < 12 && !moved; ++c) {
        const int16_t seller = int16_t(DivisionClubLists[0][1][c]);
        const uint16_t p = PlainPlayerOf(seller, 9);
        if (p == 0 || seller == user_) continue;
        OpenSheet(p, user_);
        ASSERT_EQ(CurrentDeal.direction, 1);
        EXPECT_EQ(DealSheet_PercentUp(nullptr), MENU_CONTINUE) << "no percentage while the clause is off";
        DealSheet_ToggleClause(nullptr);
        EXPECT_EQ(CurrentDeal.percentage, 5);
        const int32_t atFive = CurrentDeal.asking;
        EXPECT_EQ(atFive, CurrentDeal.reference);
        for (int i = 0; i < 12; ++i) {
            DealSheet_PercentUp(nullptr);
            EXPECT_LE(CurrentDeal.percentage, 50);
            EXPECT_EQ(CurrentDeal.asking, CurrentDeal.reference);
        }
        EXPECT_EQ(CurrentDeal.percentage, 50);
        moved = CurrentDeal.asking != atFive;
        for (int i = 0; i < 12; ++i) {
            DealSheet_PercentDown(nullptr);
            EXPECT_GE(CurrentDeal.percentage, 5);
        }
        EXPECT_EQ(CurrentDeal.asking, atFive);
        DealSheet_ToggleClause(nullptr);
        EXPECT_EQ(CurrentDeal.percentage, 0);
    }
    EXPECT_TRUE(moved) << "no seller's demand answered the percentage";
}

TEST_F(DealScreensTest, APurchaseWhoseBidIsGoneCompletesNothing) {
    const uint16_t p = PlainPlayerOf(other_, 5);
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    PendingHumanDeals[1] = p;
    OpenTalks(p);
    const int32_t balance = GetClubBalance(user_);
    MenuOption = kScreenContractTalks;
    {
        StdoutCapture out;
        EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_REDRAW);
        EXPECT_NE(out.Text().find(GetText(1134)), std::string::npos);
    }
    EXPECT_EQ(GetPlayerClub(p), uint16_t(other_));
    EXPECT_EQ(GetClubBalance(user_), balance);
    EXPECT_EQ(MenuOption, kScreenContractTalks);
}

TEST_F(DealScreensTest, ARenewalAtTheDemandsAndARefusal) {
    const uint16_t p = PlainPlayerOf(user_, 6);
    HVW_SetPlayerFlag95(p, 0);
    OpenTalks(p);
    // A short wage is refused with 992 and changes nothing.
    const int32_t demanded = CurrentDemands.wage;
    CurrentOffer.terms.wage = ContractTalks_GradedStep(demanded, false);
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_REDRAW);
    EXPECT_EQ(CurrentOffer.refusalText, 992);
    CurrentOffer.terms = CurrentDemands;
    MenuOption = kScreenContractTalks;
    {
        StdoutCapture out;
        EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE);
        EXPECT_NE(out.Text().find(GetText(286)), std::string::npos);
    }
    EXPECT_EQ(HVW_GetPlayerWage(p), demanded);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    // A young player's first contract: text 1182, flag 95 cleared.
    HVW_SetPlayerFlag95(p, 1);
    OpenTalks(p);
    {
        StdoutCapture out;
        ContractTalks_Offer(nullptr);
        EXPECT_NE(out.Text().find(GetText(1182)), std::string::npos);
    }
    EXPECT_EQ(HVW_GetPlayerFlag95(p), 0);
}

// A free agent the user offers for from his profile is signed in the
// talks, and told as his signing of a player without a club.
TEST_F(DealScreensTest, AFreeAgentOfferedForFromHisProfileIsSignedInTheTalks) {
    const uint16_t agent = PlainPlayerOf(other_, 3);
    ASSERT_NE(agent, 0);
    SetPlayerClub(agent, int16_t(kNoClub));
    SetPlayerLoanClub(agent, int16_t(kNoClub));
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    SelectedPlayer = int16_t(agent);
    PlayerProfile_Enter();
    PlayerStatsMenu();
    {
        StdoutCapture out;
        PlayerProfile_Act(ProfileAction::Offer);
    }
    ASSERT_EQ(GetClubBidPlayer(user_, 0), agent) << "a player with no value is bid for at once";
    // The daily jobs' acceptance, arranged: his contract waits in the
    // user's slots and the day's messages open the talks.
    PendingHumanDeals[0] = agent;
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenContractTalks);
    OpenTalks(agent);
    CurrentOffer.terms = CurrentDemands;
    const int64_t signed0 = SeasonEvents.messagesPosted[kMsgSignedFreeAgent];
    const int64_t free0 = SeasonEvents.messagesPosted[kMsgTransferFree];
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE) << CurrentOffer.refusalText;
    EXPECT_EQ(GetPlayerClub(agent), uint16_t(user_));
    EXPECT_EQ(SeasonEvents.messagesPosted[kMsgSignedFreeAgent], signed0 + 1);
    EXPECT_EQ(SeasonEvents.messagesPosted[kMsgTransferFree], free0) << "not told as a free transfer";
}

// A bid with a sell-on share set on the sheet: a computer club bidding for
// the same player is told to the user; the player bought, his sale on
// pays the share to the club he was bought from, and the user is told.
TEST_F(DealScreensTest, ARivalBidIsToldAndTheSellOnShareSetOnTheSheetIsPaid) {
    const uint16_t p = PlainPlayerOf(other_, 7);
    const int16_t third = int16_t(DivisionClubLists[0][1][2]);
    ASSERT_NE(p, 0);
    for (int16_t slot = 0; slot < 4; ++slot) {
        SetClubBid(user_, slot, 0, 0, 0);
        SetClubBid(third, slot, 0, 0, 0);
    }
    OpenSheet(p, user_);
    ASSERT_EQ(CurrentDeal.direction, 1);
    DealSheet_ToggleClause(nullptr);
    for (int i = 0; i < 400 && CurrentDeal.offer < CurrentDeal.asking; ++i) DealSheet_StepFigure(1000, true);
    DealSheet_Update();
    ASSERT_EQ(CurrentDeal.verdict, 0);
    const int16_t percentage = CurrentDeal.percentage;
    ASSERT_GT(percentage, 0);
    MenuOption = kScreenDealSheet;
    ASSERT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    ASSERT_EQ(GetClubBidPlayer(user_, 0), p);
    EXPECT_EQ(GetClubBidClause(user_, 0), uint32_t(percentage));

    const int64_t rivals = SeasonEvents.messagesPosted[kMsgRivalForUserTarget];
    ClubMakeBid(third, p, 10000, int16_t(GetPlayerPosition(p)), 0);
    EXPECT_EQ(SeasonEvents.messagesPosted[kMsgRivalForUserTarget], rivals + 1);
    HVW_CancelClubBidForPlayer(third, p);

    // His bid taken (arranged), the talks complete the purchase.
    PendingHumanDeals[0] = p;
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenContractTalks);
    OpenTalks(p);
    CurrentOffer.terms = CurrentDemands;
    ASSERT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE) << CurrentOffer.refusalText;
    ASSERT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(GetPlayerSellOnClause(p), uint16_t(other_));
    EXPECT_EQ(GetPlayerSellOnPercent(p), uint16_t(percentage));

    // Sold on: the club he came from takes its share.
    const int32_t fee = 1000000, before = GetClubBalance(other_);
    const int64_t paid = SeasonEvents.messagesPosted[kMsgSellOnPaid];
    CompleteTransfer(p, third, fee, 0);
    ASSERT_EQ(GetPlayerClub(p), uint16_t(third));
    EXPECT_EQ(GetClubBalance(other_), before + fee / 100 * percentage);
    EXPECT_EQ(SeasonEvents.messagesPosted[kMsgSellOnPaid], paid + 2)
        << "to the seller and to the share's club";
}

// The top-earner clause granted in the talks: while another player of the
// squad earns more, the daily squad pass raises him to that wage and tells
// the user.
TEST_F(DealScreensTest, TheTopEarnerClauseGrantedInTheTalksRaisesHisWage) {
    const uint16_t p = PlainPlayerOf(user_, 6);
    HVW_SetPlayerFlag95(p, 0);
    OpenTalks(p);
    CurrentOffer.terms = CurrentDemands;
    ContractTalks_Toggle(2);
    ASSERT_NE(CurrentOffer.terms.clause8, 0);
    MenuOption = kScreenContractTalks;
    {
        StdoutCapture out;
        ASSERT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE) << CurrentOffer.refusalText;
    }
    ASSERT_NE(GetPlayerClause8(p), 0u);
    EvaluateClubSquad(user_);
    const int32_t top = SquadNeeds.TopWage;
    ASSERT_LT(25 * int32_t(GetPlayerWage(p)), top) << "another player earns more";
    const int64_t posted = SeasonEvents.messagesPosted[kMsgTopEarner];
    ClubSquadMoodJob(user_);
    EXPECT_EQ(SeasonEvents.messagesPosted[kMsgTopEarner], posted + 1);
    EXPECT_EQ(int32_t(GetPlayerWage(p)), std::min<int32_t>(top / 25, 4000));
}

// ---- Selling --------------------------------------------------------------------------------

TEST_F(DealScreensTest, SellingOpensFromTheDayMessagesAndAWithdrawalCostsMorale) {
    const uint16_t p = PlainPlayerOf(user_, 7);
    HVW_SetPlayerLoanList(p, 0);
    HVW_ClearHumanSales();
    HVW_AddHumanSale(0, p, other_);
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenDealSheet);
    DealSheetReset = 1;
    DealSheet_Enter();
    DealSheet_Update();
    EXPECT_EQ(CurrentDeal.direction, 0);
    EXPECT_EQ(CurrentDeal.buyingClub, other_);
    // An asking price at or above the full value: no deal button.
    CurrentDeal.asking = HVW_ValuePlayerFull(p) + 1000;
    CurrentDeal.offer = 0;
    DealSheet_Update();
    ASSERT_LT(CurrentDeal.offer, CurrentDeal.asking);
    EXPECT_EQ(CurrentDeal.verdict, 2);
    // Withdrawing from a keen buyer posts 280 and lowers morale.
    for (int16_t interest : {int16_t(3), int16_t(4)}) {
        SetPlayerMorale(p, 50);
        CurrentDeal.interest = interest;
        const int before = CountUserMessages(280) + CountArchive(user_, 280) + CountArchive(other_, 280);
        SquadOfferFlag = 0;
        EXPECT_EQ(DealSheet_Withdraw(nullptr), MENU_CLOSE);
        // The same notice twice in a row is stored once.
        if (interest == 3) {
            EXPECT_GT(CountUserMessages(280) + CountArchive(user_, 280) + CountArchive(other_, 280), before);
        }
        if (HVW_GetClubReputation(other_) >= 2) {
            EXPECT_LT(GetPlayerMorale(p), 50);
        }
        EXPECT_GE(GetPlayerMorale(p), 0);
        EXPECT_EQ(MenuOption, kScreenClubMain);
        CurrentDeal.direction = 0;
    }
}

// ---- Tables full, exchange deals ------------------------------------------------------------

TEST_F(DealScreensTest, FullTablesRefuseWithAMessageAndChangeNothing) {
    // A resumed deal number outside the table or naming a free record
    // opens a fresh deal.
    const uint16_t p = PlainPlayerOf(other_, 8);
    for (int16_t n : {int16_t(0), int16_t(501), int16_t(-3), int16_t(7)}) {
        DealSheetPendingNumber = n;
        OpenSheet(p, user_);
        EXPECT_EQ(CurrentDeal.resumed, 0) << n;
    }
    // All 500 pending deals in use: agreeing terms says so; 1154 not shown.
    for (int i = 0; i < kPendingDeals; ++i) PendingDeal_Add(uint16_t(2 + i), 0, 0, 0, 0, 9, 0, 0, 0, 0, 0);
    const PendingDealRecord last = PendingDealTable[kPendingDeals - 1];
    OpenSheet(p, user_);
    CurrentDeal.exchange[0] = ExchangeSlot{PlainPlayerOf(user_, 4), 0, 1000};
    CurrentDeal.offer = CurrentDeal.asking;
    DealSheet_Update();
    ASSERT_EQ(CurrentDeal.verdict, 1);
    {
        StdoutCapture out;
        EXPECT_EQ(DealSheet_Deal(nullptr), MENU_REDRAW);
        const std::string text = out.Text();
        EXPECT_NE(text.find(GetText(1131)), std::string::npos);
        EXPECT_EQ(text.find(GetText(1154)), std::string::npos);
    }
    EXPECT_EQ(HVW_AddPendingDeal(p, 0, 0, 0, 0, 1, other_, user_, 1, 1, 0), -1);
    EXPECT_EQ(std::memcmp(&PendingDealTable[kPendingDeals - 1], &last, sizeof last), 0);
    PendingDeal_ClearAll();

    // All 50 agreed-exchange records in use: the talks stay open.
    const uint16_t main = PlainPlayerOf(user_, 5), exchange = PlainPlayerOf(other_, 9);
    ASSERT_GE(HVW_AddPendingDeal(main, exchange, 0, 0, 0, 1, user_, other_, 1000, 1000, 0), 0);
    for (AgreedExchange& r : AgreedExchanges) r.player = 40000;
    OpenTalks(exchange);
    CurrentOffer.terms = CurrentDemands;
    MenuOption = kScreenContractTalks;
    {
        StdoutCapture out;
        EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_REDRAW);
        EXPECT_NE(out.Text().find(GetText(1132)), std::string::npos);
    }
    EXPECT_EQ(MenuOption, kScreenContractTalks);
    EXPECT_EQ(PendingDealExchange(PendingDeal_FindMain(main), 0), exchange);
    for (AgreedExchange& r : AgreedExchanges) r = AgreedExchange{};
}

TEST_F(DealScreensTest, TheLastExchangeTalksCompleteTheDealAndABreakOffLeavesOtherDeals) {
    const uint16_t main = PlainPlayerOf(user_, 8);
    const uint16_t first = PlainPlayerOf(other_, 10), second = PlainPlayerOf(other_, 11);
    const uint16_t elsewhere = PlainPlayerOf(user_, 9);
    const int deal = HVW_AddPendingDeal(main, first, second, 0, 0, 1, user_, other_, 5000, 5000, 0);
    const int untouched = HVW_AddPendingDeal(elsewhere, 0, 0, 0, 0, 1, user_, other_, 4000, 4000, 0);
    ASSERT_GE(deal, 0);
    ASSERT_GE(untouched, 0);
    SetClubBid(other_, 0, main, 50, 0);
    // The first exchange player agrees: a record, and he leaves the deal.
    OpenTalks(first);
    CurrentOffer.terms = CurrentDemands;
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE);
    EXPECT_EQ(PendingDealExchange(deal, 0), second);
    EXPECT_EQ(PendingDealExchange(deal, 1), 0);
    int records = 0;
    for (const AgreedExchange& r : AgreedExchanges)
        records += r.player == first && r.dealPlayer == main ? 1 : 0;
    EXPECT_EQ(records, 1);
    // The last one completes it: the main player moves, the records are
    // freed, the deal cleared.
    OpenTalks(second);
    CurrentOffer.terms = CurrentDemands;
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE);
    EXPECT_EQ(GetPlayerClub(main), uint16_t(other_));
    EXPECT_EQ(GetPlayerClub(first), uint16_t(user_));
    EXPECT_EQ(GetPlayerClub(second), uint16_t(user_));
    EXPECT_GT(CountUserMessages(221) + CountArchive(user_, 221) + CountArchive(other_, 221), 0);
    EXPECT_EQ(PendingDeal_FindMain(main), -1);
    for (const AgreedExchange& r : AgreedExchanges) EXPECT_EQ(r.player, 0);
    EXPECT_EQ(PendingDealPlayer(untouched), elsewhere);

    // Break off with one deal's exchange player: only his deal collapses.
    const uint16_t third = PlainPlayerOf(other_, 12), mainB = PlainPlayerOf(user_, 10);
    const int dealB = HVW_AddPendingDeal(mainB, third, 0, 0, 0, 1, user_, other_, 3000, 3000, 0);
    ASSERT_GE(dealB, 0);
    OpenTalks(third);
    EXPECT_EQ(ContractTalks_BreakOff(nullptr), MENU_CLOSE);
    EXPECT_EQ(PendingDealPlayer(dealB), 0);
    EXPECT_EQ(PendingDealPlayer(untouched), elsewhere);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
}

// An exchange deal made on the sheet: terms agreed, then taken up again
// as a bid that carries his player.  When the bid is answered and the
// contract waits, the day's messages withdraw the deal if the exchange
// player is injured or has left; talks broken off with a main player of
// a human club withdraw his deals too.
TEST_F(DealScreensTest, AnExchangeDealFallsThroughWhenItsPlayerCannotComeOrTheTalksBreakOff) {
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    const int16_t third = int16_t(DivisionClubLists[0][1][2]);
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    // The sheet's two steps; the bid's acceptance is arranged.
    const auto makeDeal = [this](uint16_t p, uint16_t own) {
        for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(other_, slot, 0, 0, 0);
        DealSheetPendingNumber = 0;
        OpenSheet(p, user_);
        CurrentDeal.exchange[0] = ExchangeSlot{own, 0, 1000};
        const int32_t asking = CurrentDeal.asking;
        CurrentDeal.adjustments = asking;
        for (int percent = 95; percent >= 40 && CurrentDeal.verdict != 1; percent -= 5) {
            CurrentDeal.offer = int32_t(int64_t(asking) * percent / 100);
            DealSheet_Update();
        }
        {
            StdoutCapture out;
            if (CurrentDeal.verdict != 1 || DealSheet_Deal(nullptr) != MENU_CLOSE) return -1;
        }
        const int deal = PendingDeal_FindMain(p);
        if (deal < 0) return -1;
        DealSheetPendingNumber = int16_t(deal + 1);
        OpenSheet(p, user_);
        CurrentDeal.offer = CurrentDeal.asking;
        DealSheet_Update();
        if (CurrentDeal.verdict != 0 || DealSheet_Deal(nullptr) != MENU_CLOSE) return -1;
        if (HVW_GetPlayerFlag120(p) == 0 || PendingDealExchange(deal, 0) != own) return -1;
        PendingHumanDeals[0] = p;
        return deal;
    };
    const auto settle = [] {
        MenuOption = kScreenClubMain;
        ProcessHalvornDayMessages();
    };

    // His exchange player injured: the deal is withdrawn as one whose player is unfit.
    const uint16_t p = PlainPlayerOf(other_, 16), own = PlainPlayerOf(user_, 20);
    ASSERT_GE(makeDeal(p, own), 0);
    SetPlayerIP(own, 5);
    int64_t before = posted(kMsgExchangeUnfit);
    settle();
    EXPECT_EQ(posted(kMsgExchangeUnfit), before + 1);
    EXPECT_EQ(PendingDeal_FindMain(p), -1);
    EXPECT_NE(MenuOption, kScreenContractTalks);

    // His exchange player sold elsewhere meanwhile: withdrawn as gone.
    const uint16_t p2 = PlainPlayerOf(other_, 17), own2 = PlainPlayerOf(user_, 21);
    ASSERT_GE(makeDeal(p2, own2), 0);
    CompleteTransfer(own2, third, 50000, 0);
    ASSERT_EQ(GetPlayerClub(own2), uint16_t(third));
    before = posted(kMsgExchangeGone);
    settle();
    EXPECT_EQ(posted(kMsgExchangeGone), before + 1);
    EXPECT_EQ(PendingDeal_FindMain(p2), -1);

    // Talks broken off with a main player of a human club withdraw his deal.
    const uint16_t mine = PlainPlayerOf(user_, 22), theirs = PlainPlayerOf(other_, 18);
    const int deal = HVW_AddPendingDeal(mine, theirs, 0, 0, 0, 1, user_, other_, 5000, 5000, 0);
    ASSERT_GE(deal, 0);
    HVW_SetPlayerFlag120(mine, 1);
    OpenTalks(mine);
    before = posted(kMsgExchangeWithdrawn);
    EXPECT_EQ(ContractTalks_BreakOff(nullptr), MENU_CLOSE);
    EXPECT_EQ(posted(kMsgExchangeWithdrawn), before + 1);
    EXPECT_EQ(PendingDealPlayer(deal), 0);
}

TEST_F(DealScreensTest, APendingDealAndAnAgreedExchangeSurviveASaveAndALoad) {
    ScratchFolder scratch("menus");
    const uint16_t main = PlainPlayerOf(user_, 11), exchange = PlainPlayerOf(other_, 13);
    const int deal = HVW_AddPendingDeal(main, exchange, 0, 0, 10, 1, user_, other_, 5000, 4000, 2);
    ASSERT_GE(deal, 0);
    AgreedExchanges[3] = AgreedExchange{exchange, main, 2, 100000, 1, 0, 250, 0, 0, 0, 1, 1500, 3, other_};
    const PendingDealRecord saved = PendingDealTable[deal];
    ASSERT_EQ(SaveGame(2), 0);
    PendingDeal_ClearAll();
    for (AgreedExchange& r : AgreedExchanges) r = AgreedExchange{};
    ASSERT_EQ(LoadGame(2), 0);
    EXPECT_EQ(std::memcmp(&PendingDealTable[deal], &saved, sizeof saved), 0);
    const AgreedExchange& r = AgreedExchanges[3];
    EXPECT_EQ(r.player, exchange);
    EXPECT_EQ(r.dealPlayer, main);
    EXPECT_EQ(r.clauseA, 100000);
    EXPECT_EQ(r.clauseD, 250);
    EXPECT_EQ(r.wage, 1500);
    EXPECT_EQ(r.years, 3);
    EXPECT_EQ(r.sellingClub, other_);
    // Withdrawn, the deal frees its record.
    PendingDeal_Clear(deal);
    EXPECT_EQ(AgreedExchanges[3].player, 0);
}

TEST_F(DealScreensTest, AgreedTermsStoreThePendingDealWithItsExchangePlayers) {
    const uint16_t p = PlainPlayerOf(other_, 15), exchange = PlainPlayerOf(user_, 12);
    OpenSheet(p, user_);
    CurrentDeal.exchange[0] = ExchangeSlot{exchange, 0, 1000};
    CurrentDeal.offer = CurrentDeal.asking;
    DealSheet_Update();
    ASSERT_EQ(CurrentDeal.verdict, 1);
    {
        StdoutCapture out;
        EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
        EXPECT_NE(out.Text().find(GetText(1154)), std::string::npos);
    }
    const int deal = PendingDeal_FindMain(p);
    ASSERT_GE(deal, 0);
    EXPECT_EQ(PendingDealExchange(deal, 0), exchange);
    EXPECT_EQ(PendingDealWait(deal), 1) << "the agreed flag";
    EXPECT_EQ(PendingDealSellingClub(deal), other_);
    EXPECT_EQ(PendingDealBuyingClub(deal), user_);
    EXPECT_EQ(PendingDealNetAsking(deal), CurrentDeal.asking - 1000);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);

    // Taken up again from the day's messages after a sale sheet: the deal
    // is his purchase whatever side the last sheet was on, and agreeing
    // again rewrites the record where it stands.
    PendingDeal_Clear(deal);
    PendingDeal_Add(uint16_t(p + 1), 0, 0, 0, 0, 9, 0, 0, 0, 0, 0);
    PendingDeal_Add(p, exchange, 0, 0, 0, 1, uint16_t(other_), uint16_t(user_), 500000, 400000, 0);
    PendingDeal_Clear(PendingDeal_FindMain(uint16_t(p + 1)));
    const int stored = PendingDeal_FindMain(p);
    ASSERT_GT(stored, 0);
    CurrentDeal.direction = 0;
    DealSheetPendingNumber = int16_t(stored + 1);
    OpenSheet(p, user_);
    EXPECT_EQ(CurrentDeal.direction, 1);
    EXPECT_EQ(CurrentDeal.offer, 400000) << "the buyer's own offer is kept";
    EXPECT_GE(CurrentDeal.asking, CurrentDeal.offer);
    // An offer short of the demand but above the floor: terms to agree.
    const int32_t asking = CurrentDeal.asking;
    CurrentDeal.adjustments = asking;
    for (int percent = 95; percent >= 40 && CurrentDeal.verdict != 1; percent -= 5) {
        CurrentDeal.offer = int32_t(int64_t(asking) * percent / 100);
        DealSheet_Update();
    }
    ASSERT_EQ(CurrentDeal.verdict, 1);
    {
        StdoutCapture out;
        EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    }
    EXPECT_EQ(PendingDeal_FindMain(p), stored);
    EXPECT_EQ(PendingDealAttempt(stored), 1);
}

// A computer club's offer for one of his players taken to the player
// leaving: the terms agreed at his price, the deal reopened on the days
// after while the buying club comes up round by round, its bid once the
// offer meets the price, and the bid decided by the daily jobs.
TEST_F(DealScreensTest, ASaleHeldAtHisPriceEndsWithThePlayerAtTheBuyer) {
    const uint16_t p = PlainPlayerOf(user_, 14);
    ASSERT_NE(p, 0);
    // His manager haggles for six rounds; the buyer has the money; the
    // player has no release fee, no sell-on share owed and no morale at
    // the top that could make him turn the move down.
    const uint16_t manager = FindClubManager(user_);
    const int16_t keptHaggle = GetPlayerStat(manager, 16, 0);
    SetPlayerStat(manager, 16, 40);
    HVW_SetPlayerLoanList(p, 0);
    SetPlayerClause1(p, 0);
    SetPlayerSellOnClause(p, -1);
    SetPlayerMorale(p, 50);
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(other_, slot, 0, 0, 0);
    SetClubBalance(other_, 100000000);
    // The seller below the weekly skim of the richest clubs, which would
    // take its share on a Sunday the sale falls on.
    SetClubBalance(user_, 20000000);
    HVW_ClearHumanSales();
    HVW_AddHumanSale(0, p, other_);
    MenuOption = kScreenClubMain;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenDealSheet);
    ASSERT_EQ(SelectedPlayer, int16_t(p));

    // A round price within what the buyer would pay, above its first offer.
    const int32_t price = HVW_RoundMoneyDown(HVW_ValuePlayerFull(p) * 2 / 5);
    DealSheetReset = 1;
    DealSheet_Enter();
    CurrentDeal.asking = price;
    DealSheet_Update();
    ASSERT_LT(CurrentDeal.offer, price);
    ASSERT_EQ(CurrentDeal.verdict, 1);
    // A sell-on share granted lowers the fee offered now.
    const int32_t firstOffer = CurrentDeal.offer;
    DealSheet_ToggleClause(nullptr);
    EXPECT_LT(CurrentDeal.offer, firstOffer);
    DealSheet_ToggleClause(nullptr);
    EXPECT_EQ(CurrentDeal.offer, firstOffer);
    EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    ASSERT_GE(PendingDeal_FindMain(p), 0);

    // Each day the deal comes back he holds his price: the offer rises to
    // it, and the deal button then makes the buyer's bid at his price.
    const int32_t salesBefore = GetClubSeasonSales(user_);
    int32_t offer = CurrentDeal.offer, fee = -1, balanceBefore = 0, wagesBefore = 0;
    int days = 0, rounds = 0;
    for (; days < 40 && GetPlayerClub(p) == uint16_t(user_); ++days) {
        balanceBefore = GetClubBalance(user_);
        // A Monday also pays the players and the coaching staff.
        wagesBefore = GetClubSeasonPlayerWages(user_) + GetClubSeasonCoachingStaffWages(user_);
        HVW_AdvanceDay();
        MenuOption = kScreenClubMain;
        SquadOfferFlag = 0;
        ProcessHalvornDayMessages();
        if (MenuOption != kScreenDealSheet) continue;
        DealSheetReset = 1;
        DealSheet_Enter();
        DealSheet_Update();
        // Another club's search may want another of his players: declined.
        if (SelectedPlayer != int16_t(p)) {
            DealSheet_Withdraw(nullptr);
            continue;
        }
        ASSERT_LT(fee, 0) << "the deal came back after the bid";
        ++rounds;
        EXPECT_EQ(CurrentDeal.attempt, rounds);
        EXPECT_EQ(CurrentDeal.asking, price);
        EXPECT_GE(CurrentDeal.offer, offer) << "round " << rounds;
        offer = CurrentDeal.offer;
        ASSERT_NE(CurrentDeal.verdict, 2);
        const bool bids = CurrentDeal.verdict == 0;
        EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
        if (bids) {
            ASSERT_EQ(GetClubBidPlayer(other_, 0), p);
            fee = GetClubBidPrice(other_, 0) * 100;
            EXPECT_GT(HVW_GetPlayerSetting4(p), 0) << "the player weighs the bid";
        }
    }
    ASSERT_EQ(GetPlayerClub(p), uint16_t(other_))
        << days << " days, " << rounds << " rounds, offer " << offer << " for " << price;
    EXPECT_EQ(fee, price);
    EXPECT_EQ(GetClubSeasonSales(user_) - salesBefore, price);
    const int32_t wagesPaid =
        GetClubSeasonPlayerWages(user_) + GetClubSeasonCoachingStaffWages(user_) - wagesBefore;
    EXPECT_EQ(GetClubBalance(user_) - balanceBefore + wagesPaid, price - price * 17 / 100)
        << "the fee less the levy";
    EXPECT_EQ(std::count(std::begin(ClubRoster[user_]), std::end(ClubRoster[user_]), p), 0);
    BuildClubSquadList(user_);
    for (const SquadList* list : {&FirstTeamList, &ReserveList, &YouthList})
        EXPECT_EQ(std::count(std::begin(list->players), std::end(list->players), p), 0);
    // The deal's record goes with the decided bid.
    for (int day = 0; day < 3 && PendingDeal_FindMain(p) >= 0; ++day) HVW_AdvanceDay();
    EXPECT_EQ(PendingDeal_FindMain(p), -1);
    SetPlayerStat(manager, 16, keptHaggle);
}

// A club's offer that reaches the release fee of one of the user's players
// is a bid at once, whatever he put in part exchange: his own players,
// which the exchange list offers him, have no move to make.  The bid is
// answered and he leaves; nothing stays tied to it.
TEST_F(DealScreensTest, ASaleAtHisReleaseFeeWithOwnPlayersInExchangeLeavesNothingTied) {
    const uint16_t p = PlainPlayerOf(user_, 16), own = PlainPlayerOf(user_, 17);
    ASSERT_NE(own, 0);
    HVW_SetPlayerLoanList(p, 0);
    SetPlayerClause1(p, 1000);
    SetPlayerSellOnClause(p, -1);
    SetPlayerMorale(p, 50);
    for (int16_t slot = 0; slot < 4; ++slot) {
        SetClubBid(other_, slot, 0, 0, 0);
        SetClubBid(user_, slot, 0, 0, 0);
    }
    SetClubBalance(other_, 100000000);
    OpenSheet(p, other_);
    ASSERT_EQ(CurrentDeal.direction, 0);
    CurrentDeal.exchange[0] = ExchangeSlot{own, 0, 1000};
    DealSheet_Update();
    ASSERT_EQ(CurrentDeal.verdict, 0);
    EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    EXPECT_EQ(GetClubBidPlayer(other_, 0), p);
    EXPECT_EQ(HVW_GetPlayerFlag120(p), 0) << "no exchange holds the bid back";
    for (int16_t slot = 0; slot < 4; ++slot) EXPECT_NE(GetClubBidPlayer(user_, slot), own);
    EXPECT_EQ(HVW_GetPlayerFlag120(own), 0);
    EXPECT_EQ(HVW_GetPlayerSetting4(own), 0);
    for (int day = 0; day < 30 && GetPlayerClub(p) == uint16_t(user_); ++day) HVW_AdvanceDay();
    EXPECT_EQ(GetPlayerClub(p), uint16_t(other_)) << "the accepted bid completes";
    EXPECT_EQ(GetPlayerClub(own), uint16_t(user_));

    // A deal stored with such a player drops him when taken up again; its
    // bid then waits on nobody, and its record names nobody it would wait
    // on for ever.
    const uint16_t next = PlainPlayerOf(user_, 18), ownNext = PlainPlayerOf(user_, 19);
    SetPlayerClause1(next, 1000);
    const int deal = HVW_AddPendingDeal(next, ownNext, 0, 0, 0, 0, user_, other_, 5000, 5000, 0);
    ASSERT_GE(deal, 0);
    DealSheetPendingNumber = int16_t(deal + 1);
    OpenSheet(next, other_);
    ASSERT_EQ(CurrentDeal.resumed, deal + 1);
    ASSERT_EQ(CurrentDeal.verdict, 0);
    EXPECT_EQ(DealSheet_Deal(nullptr), MENU_CLOSE);
    EXPECT_EQ(HVW_GetPlayerFlag120(next), 0);
    EXPECT_EQ(PendingDealExchange(deal, 0), 0);
    ClearClubBidList(next);
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealPlayer(deal), 0) << "the decided deal is freed";
}

TEST_F(DealScreensTest, TalksFromTheContractScreenLockTheChoiceAndHandItBack) {
    const uint16_t p = PlainPlayerOf(user_, 13);
    // A role change he takes badly: the contract screen has written his new
    // role 2 and hands over his old role 3 (+ 1), leaving the previous
    // screen word as it was.  The new role is offered, locked, and the
    // demands answer it.
    SetPlayerField117(p, 2);
    PreviousMenuOption = kScreenClubMain;
    ContractTalksReason = 4;
    OpenTalks(p);
    EXPECT_EQ(CurrentOffer.terms.status, 2);
    ContractTerms answered = CurrentDemands;
    EvaluateContractTerms(p, user_, CurrentOffer.terms, &answered);
    EXPECT_EQ(CurrentDemands.wage, answered.wage);
    EXPECT_EQ(ContractTalks_ChoiceForward(nullptr), MENU_CONTINUE);
    EXPECT_EQ(CurrentOffer.terms.status, 2);
    EXPECT_EQ(ContractTalks_BreakOff(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenContractMenu);
    EXPECT_EQ(HVW_GetPlayerField117(p), 3) << "the role change is taken back";
    EXPECT_EQ(ContractTalksReason, 0);

    // The talks button hands over no role: breaking off keeps his role.
    SetPlayerField117(p, 5);
    PreviousMenuOption = kScreenContractMenu;
    OpenTalks(p);
    EXPECT_EQ(CurrentOffer.terms.status, 5);
    EXPECT_EQ(ContractTalks_ChoiceBack(nullptr), MENU_CONTINUE);
    EXPECT_EQ(ContractTalks_BreakOff(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenContractMenu);
    EXPECT_EQ(HVW_GetPlayerField117(p), 5);

    // Agreed talks leave no word behind that would lock the next ones.
    PreviousMenuOption = kScreenContractMenu;
    OpenTalks(p);
    EXPECT_EQ(ContractTalks_Offer(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    OpenTalks(p);
    EXPECT_EQ(CurrentOffer.choiceLocked, 0);
    PreviousMenuOption = kScreenClubMain;
}

// ---- The part-exchange list ----------------------------------------------------------------

TEST_F(DealScreensTest, TheExchangeListOffersOnlyEligiblePlayers) {
    CurrentDeal = DealSheet{};
    CurrentDeal.direction = 1;
    CurrentDeal.buyingClub = user_;
    CurrentDeal.sellingClub = other_;
    for (ExchangeSlot& s : CurrentDeal.exchange) s = ExchangeSlot{0, 0, -1};
    // Nothing to spend: nobody, and text 1732.
    CurrentDeal.offer = 0;
    ExchangeListMenu();
    EXPECT_EQ(ExchangeCandidateCount, 0);
    EXPECT_EQ(ExchangeEmptyText, 1732);

    CurrentDeal.offer = 100000000;
    const uint16_t listed = PlainPlayerOf(user_, 3);
    HVW_SetPlayerFlag95(listed, 0);
    HVW_SetPlayerTxList(listed, 1);
    SetPlayerSetting4(listed, 0);
    ExchangeListMenu();
    ASSERT_GT(ExchangeCandidateCount, 0);
    EXPECT_EQ(ExchangeEmptyText, -1);
    EXPECT_EQ(ExchangeLeftRows, (ExchangeCandidateCount + 1) / 2);
    bool found = false;
    for (int i = 0; i < ExchangeCandidateCount; ++i) {
        const uint16_t p = ExchangeCandidates[i];
        EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
        EXPECT_EQ(GetPlayerLoanClub(p), uint16_t(user_));
        EXPECT_GT(HVW_ValuePlayer(p), 0);
        EXPECT_EQ(HVW_GetPlayerSetting4(p), 0);
        found = found || p == listed;
    }
    EXPECT_TRUE(found) << "a transfer-listed player within the budget";
    // One already in an exchange slot is not listed again.
    CurrentDeal.exchange[0] = ExchangeSlot{listed, 0, HVW_ValuePlayer(listed)};
    ExchangeListMenu();
    for (int i = 0; i < ExchangeCandidateCount; ++i) EXPECT_NE(ExchangeCandidates[i], listed);
    CurrentDeal.exchange[0] = ExchangeSlot{0, 0, -1};
    HVW_SetPlayerTxList(listed, 0);

    // The pick fills the first free slot and goes back to the sheet.
    ExchangeListMenu();
    ASSERT_GT(ExchangeCandidateCount, 0);
    CurrentDeal.asking = 100000000;
    MenuFollowUp = 0;
    EXPECT_EQ(ExchangeList_Pick(0), MENU_CLOSE);
    EXPECT_NE(CurrentDeal.exchange[0].player, 0);
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    EXPECT_EQ(MenuFollowUp, 1);
    EXPECT_EQ(ExchangeList_Pick(ExchangeCandidateCount), MENU_CONTINUE) << "an empty row does nothing";
    MenuFollowUp = 0;

    // Morale, fitness and fatigue cannot be sorted in the late season, from
    // the league's last day on; the day before they can.
    const int16_t today = SeasonCalendar.currentDay;
    const int16_t lastDay = SeasonCalendar.leagueEndDay[ViewedCountry];
    ExchangeSortKey = 4;
    SeasonCalendar.currentDay = lastDay;
    {
        StdoutCapture out;
        ExchangeList_ChooseSortKey(35);
        EXPECT_NE(out.Text().find(GetText(1175)), std::string::npos);
    }
    EXPECT_EQ(ExchangeSortKey, 4);
    ExchangeList_ChooseSortKey(2);
    EXPECT_EQ(ExchangeSortKey, 2);
    SeasonCalendar.currentDay = int16_t(lastDay - 1);
    ExchangeList_ChooseSortKey(36);
    EXPECT_EQ(ExchangeSortKey, 36);
    SeasonCalendar.currentDay = today;
    ExchangeSortKey = 4;
}

TEST(ExchangeListDeathTest, AnUnknownSortKeyIsFatal) {
    ExchangeSortKey = 27;
    EXPECT_DEATH(exchangelist::DisplaySort(), "SortByType");
    ExchangeSortKey = 4;
}

// ---- The purchase by the scripted user, with grabs ---------------------------------------------

// Paints the text on the plain background: every pixel of its letters'
// colour must be the grab's.  Answers the letters' pixel count.
int DealTextInGrab(const std::vector<uint32_t>& grab, int x, int y, int16_t font, uint16_t justify,
                   const std::string& text) {
    ShowMenuBackground(4);
    const testenv::LettersFound found =
        testenv::LettersInGrab(testenv::GrabInBufferOrder(grab), std::max(x - 400, 0), std::max(y - 16, 0),
                               std::min(x + 400, 800), std::min(y + 16, 600), [&] {
                                   SetFont(font);
                                   SetDrawParam(1, 0);
                                   DrawTextAddrAt(x, y, text.c_str(), justify);
                               });
    EXPECT_EQ(found.same, found.letters) << text;
    return found.letters;
}

// The head line as the deal screens draw it: the text, then the player's
// setting icons.
int DealHeaderInGrab(const std::vector<uint32_t>& grab, uint16_t player, const std::string& text) {
    ShowMenuBackground(4);
    const testenv::LettersFound found =
        testenv::LettersInGrab(testenv::GrabInBufferOrder(grab), 0, 96, 800, 128,
                               [&] { DrawPlayerLineWithSettings(player, text.c_str(), "", 400, 112); });
    EXPECT_EQ(found.same, found.letters) << text;
    return found.letters;
}

class DealScreensUserTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        DealNewWorld();
        if (!g_dealWorldReady) GTEST_FAIL() << g_dealWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        other_ = int16_t(DivisionClubLists[0][1][1]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SetClubBalance(user_, 100000000);
        MenuFollowUp = 0;
        SquadOfferFlag = 0;
        PendingDeal_ClearAll();
        for (uint16_t& c : PendingHumanDeals) c = 0;
        for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    }
    void TearDown() override {
        if (g_dealWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static bool Up(const MenuItem* table) { return testenv::MenuTableUp(table); }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    static void Grab(std::vector<uint32_t>* into) {
        testenv::MenuUserMoveTo(790, 590);
        testenv::MenuUserWait(3);
        testenv::MenuUserKey(0x46);
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([into] { *into = testenv::NewestGrabPixels(); });
    }
    // Two clubs want two of the user's players today, and the day's messages
    // open one of the sales; *shown is its player.
    void OpenOneOfTwoSales(uint16_t first, uint16_t second, int16_t secondBuyer, uint16_t* shown) {
        for (uint16_t p : {first, second}) HVW_SetPlayerLoanList(p, 0);
        HVW_ClearHumanSales();
        HVW_AddHumanSale(0, first, other_);
        HVW_AddHumanSale(0, second, secondBuyer);
        MenuOption = kScreenClubMain;
        ProcessHalvornDayMessages();
        ASSERT_EQ(MenuOption, kScreenDealSheet);
        *shown = uint16_t(SelectedPlayer);
        ASSERT_TRUE(*shown == first || *shown == second);
    }
    int16_t user_ = -1, other_ = -1;
};

TEST_F(DealScreensUserTest, AnOfferFromTheProfileABidAndTheTalksThatCompleteThePurchase) {
    uint16_t p = 0;
    for (int skip = 6; skip < 40 && p == 0; ++skip) {
        const uint16_t q = PlainPlayerOf(other_, skip);
        if (q != 0 && HVW_CheckUserBid(q) == 0 && HVW_ValuePlayerFull(q) != 0) p = q;
    }
    ASSERT_NE(p, 0);
    HVW_SetPlayerLoanList(p, 0);
    // Both head lines end with his setting icons.
    SetPlayerSetting1(p, 3);
    SetPlayerSetting2(p, 1);
    SelectedPlayer = int16_t(p);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    static std::vector<uint32_t> sheet, talks;
    static std::string header, figure, talksHeader, wageLine;
    static int16_t verdict, refusal;
    static bool bid;
    bid = false;
    testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 3000);
    testenv::MenuUserWait(3);
    ClickAt(60, 559);  // Actions
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickPopupRow(0);  // Make Offer
    testenv::MenuUserWaitFor([] { return Up(DealSheetTable); }, 1000);
    testenv::MenuUserWait(3);
    static size_t slotButtons;
    testenv::MenuUserDo([] {
        slotButtons = 0;
        for (const MenuHotItem& item : MenuViewHotItems())
            slotButtons += item.x == 30 && item.y >= 340 && item.y < 420 ? 1 : 0;
    });
    ClickAt(30, 300);  // the largest step snaps to the selling club's demand
    testenv::MenuUserWait(4);
    Grab(&sheet);
    testenv::MenuUserDo([] {
        header = DealSheetHeaderText();
        figure = DealSheetFigureText(0);
        verdict = DealSheetVerdictText();
    });
    ClickAt(401, 559);  // the deal button: the bid
    for (int round = 0; round < 6 && !WinCloseRequested() && !bid; ++round) {
        DoMainMenuOption();
        bid = GetClubBidPlayer(user_, 0) == p;
    }
    ASSERT_TRUE(bid);
    EXPECT_EQ(slotButtons, 1u) << "one exchange row while every slot is empty";
    EXPECT_EQ(verdict, 82);
    ASSERT_EQ(sheet.size(), 800u * 600u);
    EXPECT_GT(DealHeaderInGrab(sheet, p, header), 50);
    EXPECT_GT(DealTextInGrab(sheet, 40, 230, 9, JUSTIFY_LEFT_MIDDLE, figure), 30);
    EXPECT_GT(DealTextInGrab(sheet, 400, 495, 8, JUSTIFY_CENTRE_MIDDLE, GetText(verdict)), 10);
    const int32_t fee = GetClubBidPrice(user_, 0) * 100;

    // The bid is accepted: the contract waits for the user; the day's
    // messages open the talks.  A short wage is refused first.
    PendingHumanDeals[0] = p;
    MenuOption = 3;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenContractTalks);
    testenv::MenuUserWaitFor([] { return Up(ContractTalksTable); }, 1000);
    testenv::MenuUserWait(3);
    ClickAt(280, 150);  // wage down
    testenv::MenuUserWait(3);
    ClickAt(401, 559);  // offer: refused
    testenv::MenuUserWait(4);
    Grab(&talks);
    testenv::MenuUserDo([] {
        talksHeader = ContractTalksHeaderText();
        wageLine = ContractTalksOfferLine(0);
        refusal = ContractTalksRefusalShown();
    });
    ClickAt(315, 150);  // wage up again
    testenv::MenuUserWait(3);
    ClickAt(401, 559);  // offer at the demands: agreed
    const int32_t balance = GetClubBalance(user_);
    DoMainMenuOption();
    EXPECT_EQ(refusal, 992);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(GetClubBalance(user_), balance - fee);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(talks.size(), 800u * 600u);
    EXPECT_GT(DealHeaderInGrab(talks, p, talksHeader), 50);
    EXPECT_GT(DealTextInGrab(talks, 40, 161, 9, JUSTIFY_LEFT_MIDDLE, wageLine), 20);
    EXPECT_GT(DealTextInGrab(talks, 400, 490, 8, JUSTIFY_CENTRE_MIDDLE, GetText(refusal)), 30);
}

// An exchange player's contract details opened during a deal: the agent's
// line reaches the agent, whose screen goes back through the profile to
// the offer; the details' back icon returns to the offer at once.
TEST_F(DealScreensUserTest, TheContractDetailsInADealReachTheAgentAndLeadBackToTheOffer) {
    static uint16_t dealt, offered;
    dealt = PlainPlayerOf(other_, 6);
    offered = PlainPlayerOf(user_, 3);
    ASSERT_NE(dealt, 0);
    ASSERT_NE(offered, 0);
    CurrentDeal = DealSheet{};
    CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)};
    DealSheetReset = 0;
    SelectedPlayer = int16_t(dealt);
    ASSERT_EQ(DealSheet_ExchangeName(0), MENU_CLOSE);
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto profileToDetails = [&] {
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
        upAndWait(PlayerStatsTable);
        ClickAt(516, 559);  // the contract details
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerInfo);
        upAndWait(PlayerInfoTable);
    };

    profileToDetails();
    ClickAt(20, 359);  // the agent's line
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenAgentProfile);
    upAndWait(AgentProfileTable);
    ClickAt(743, 559);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerStats);
    upAndWait(PlayerStatsTable);
    ClickAt(743, 559);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenDealSheet);

    // The offer again, for the dealt player with the exchange kept; his
    // exchange player's profile once more.
    static uint16_t shown, kept;
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] {
        shown = uint16_t(SelectedPlayer);
        kept = CurrentDeal.exchange[0].player;
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
    DoMainMenuOption();
    EXPECT_EQ(shown, dealt);
    EXPECT_EQ(kept, offered);
    profileToDetails();
    ClickAt(743, 559);
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    DealSheetDealtPlayer = 0;
    MenuFollowUp = 0;
}

TEST_F(DealScreensUserTest, TheLoanTermsAndTheExchangeListRunUnderTheController) {
    // The loan terms of a loan-listed player of another club: withdraw.
    const uint16_t p = PlainPlayerOf(other_, 14);
    HVW_SetPlayerLoanList(p, 1);
    SelectedPlayer = int16_t(p);
    SalesTeamClub = user_;
    MenuOption = kScreenLoanTerms;
    static int16_t cupToggles;
    testenv::MenuUserWaitFor([] { return Up(LoanTermsTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        cupToggles = 0;
        for (const MenuHotItem& item : MenuViewHotItems()) cupToggles += item.w == 330 ? 1 : 0;
    });
    ClickAt(60, 559);  // withdraw
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(cupToggles, 8) << "four cup rows on each side";
    HVW_SetPlayerLoanList(p, 0);

    // The exchange list from the deal sheet and back.
    CurrentDeal = DealSheet{};
    CurrentDeal.direction = 1;
    CurrentDeal.buyingClub = user_;
    CurrentDeal.sellingClub = other_;
    CurrentDeal.offer = 0;
    MenuOption = kScreenExchangeList;
    testenv::MenuUserWaitFor([] { return Up(ExchangeListTable); }, 3000);
    testenv::MenuUserWait(3);
    ClickAt(743, 559);
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    EXPECT_EQ(ExchangeEmptyText, 1732);
    MenuFollowUp = 0;

    // An offered player's settings stand beside his name: a transfer-listed
    // one with his first setting at 3 shows its letter in colour code 8.
    const uint16_t listed = PlainPlayerOf(user_, 3);
    HVW_SetPlayerFlag95(listed, 0);
    HVW_SetPlayerTxList(listed, 1);
    SetPlayerSetting4(listed, 0);
    SetPlayerSetting3(listed, 3);
    SetPlayerSetting1(listed, 0);
    SetPlayerSetting2(listed, 0);
    CurrentDeal.offer = 100000000;
    MenuOption = kScreenExchangeList;
    static std::vector<uint32_t> list;
    testenv::MenuUserWaitFor([] { return Up(ExchangeListTable); }, 3000);
    testenv::MenuUserWait(3);
    Grab(&list);
    ClickAt(743, 559);
    DoMainMenuOption();
    MenuFollowUp = 0;
    HVW_SetPlayerTxList(listed, 0);
    SetPlayerSetting3(listed, 0);
    const int index = int(std::find(ExchangeCandidates, ExchangeCandidates + ExchangeCandidateCount, listed) -
                          ExchangeCandidates);
    ASSERT_LT(index, ExchangeCandidateCount);
    ASSERT_EQ(list.size(), 800u * 600u);
    const bool left = index < ExchangeLeftRows;
    const int x = left ? 40 + 271 : 40 + 630, y = 143 + (left ? index : index - ExchangeLeftRows) * 23 + 5;
    ShowMenuBackground(4);
    const testenv::LettersFound found =
        testenv::LettersInGrab(testenv::GrabInBufferOrder(list), x - 2, y - 2, x + 20, y + 18, [&] {
            SetFont(9);
            SetDrawParam(1, 8);
            DrawTextNoAt(x, y, 36, JUSTIFY_LEFT_TOP);
        });
    EXPECT_GT(found.letters, 5);
    EXPECT_EQ(found.same, found.letters);
}

// A deal left on the way back from an exchange player's screens, by any
// road out of them, leaves nothing for the next, unrelated offer: opened
// from another player's profile, it shows that player with the figures of
// his own fresh offer and no exchange player.  The ways back that stay on
// the deal's screens still return to the kept offer.
TEST_F(DealScreensUserTest, ADealLeftByAnyRoadLeavesNothingForTheNextOffer) {
    static uint16_t dealt, offered, fresh;
    dealt = offered = fresh = 0;
    for (int skip = 6; skip < 60 && fresh == 0; ++skip) {
        const uint16_t q = PlainPlayerOf(other_, skip);
        if (q == 0 || HVW_CheckUserBid(q) != 0 || HVW_ValuePlayerFull(q) == 0) continue;
        HVW_SetPlayerLoanList(q, 0);
        (dealt == 0 ? dealt : fresh) = q;
    }
    offered = PlainPlayerOf(user_, 3);
    ASSERT_NE(fresh, 0);
    ASSERT_NE(offered, 0);
    ASSERT_NE(HVW_ValuePlayerFull(dealt), HVW_ValuePlayerFull(fresh));

    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto titleBarToClub = [&](const MenuItem* from) {
        upAndWait(from);
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(0);  // the club screen
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenClubMain);
    };
    // What the offer sheet shows as it comes up.
    struct Shown {
        uint16_t player = 0, exchange = 0;
        int32_t offer = 0, asking = 0;
    };
    static Shown shown;
    const auto offerFromProfile = [&](uint16_t p) {
        SelectedPlayer = int16_t(p);
        ReturnMenuOption = kScreenClubMain;
        MenuOption = kScreenPlayerStats;
        upAndWait(PlayerStatsTable);
        ClickAt(60, 559);  // Actions
        testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
        testenv::MenuUserWait(3);
        testenv::MenuUserClickPopupRow(0);  // Make Offer
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenDealSheet);
        upAndWait(DealSheetTable);
        testenv::MenuUserDo([] {
            shown = Shown{uint16_t(SelectedPlayer), CurrentDeal.exchange[0].player, CurrentDeal.offer,
                          CurrentDeal.asking};
        });
    };
    const auto withdraw = [&] {
        ClickAt(60, 559);
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
    };
    // The offer for the dealt player, one of the user's players put in
    // exchange, and the exchange player's name clicked: his profile.
    const auto toExchangeProfile = [&] {
        offerFromProfile(dealt);
        testenv::MenuUserDo([] {
            CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)};
        });
        testenv::MenuUserWait(3);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
        ASSERT_EQ(SelectedPlayer, int16_t(offered));
        upAndWait(PlayerStatsTable);
    };
    const auto go = [&](const MenuItem* table, int x, int y, int16_t to) {
        upAndWait(table);
        ClickAt(x, y);
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, to);
    };

    // The fresh offer for the other player, as it opens with nothing left
    // behind.
    offerFromProfile(fresh);
    withdraw();
    const Shown opening = shown;
    ASSERT_EQ(opening.player, fresh);
    ASSERT_EQ(opening.exchange, 0);

    // The roads out.
    const std::vector<std::pair<std::string, std::function<void()>>> roads = {
        {"the profile's agent, then the title bar",
         [&] {
             go(PlayerStatsTable, 20, 382, kScreenAgentProfile);
             titleBarToClub(AgentProfileTable);
         }},
        {"the contract details' agent, then the title bar",
         [&] {
             go(PlayerStatsTable, 516, 559, kScreenPlayerInfo);
             go(PlayerInfoTable, 20, 359, kScreenAgentProfile);
             titleBarToClub(AgentProfileTable);
         }},
        {"the agent, back to the profile, its career history, then the title bar",
         [&] {
             go(PlayerStatsTable, 20, 382, kScreenAgentProfile);
             go(AgentProfileTable, 743, 559, kScreenPlayerStats);
             go(PlayerStatsTable, 288, 559, kScreenCareerHistory);
             titleBarToClub(CareerHistoryTable);
         }},
        {"the agent, back to the profile, then the title bar",
         [&] {
             go(PlayerStatsTable, 20, 382, kScreenAgentProfile);
             go(AgentProfileTable, 743, 559, kScreenPlayerStats);
             titleBarToClub(PlayerStatsTable);
         }},
    };
    for (const auto& [road, leave] : roads) {
        SCOPED_TRACE(road);
        toExchangeProfile();
        leave();
        // A profile that a screen opens without naming a return of its own
        // (an offer or talks that end on it) goes home, not to the old offer.
        SelectedPlayer = int16_t(fresh);
        MenuOption = kScreenPlayerStats;
        go(PlayerStatsTable, 743, 559, kScreenClubMain);
        offerFromProfile(fresh);
        withdraw();
        EXPECT_EQ(shown.player, fresh);
        EXPECT_EQ(shown.exchange, 0);
        EXPECT_EQ(shown.offer, opening.offer);
        EXPECT_EQ(shown.asking, opening.asking);
    }

    // The ways back: the agent, the profile and its back icon; the
    // contract details' back icon.  Both reach the kept offer.
    toExchangeProfile();
    go(PlayerStatsTable, 20, 382, kScreenAgentProfile);
    go(AgentProfileTable, 743, 559, kScreenPlayerStats);
    go(PlayerStatsTable, 743, 559, kScreenDealSheet);
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] {
        shown = Shown{uint16_t(SelectedPlayer), CurrentDeal.exchange[0].player, 0, 0};
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
    DoMainMenuOption();
    EXPECT_EQ(shown.player, dealt);
    EXPECT_EQ(shown.exchange, offered);
    go(PlayerStatsTable, 516, 559, kScreenPlayerInfo);
    go(PlayerInfoTable, 743, 559, kScreenDealSheet);
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] {
        shown = Shown{uint16_t(SelectedPlayer), CurrentDeal.exchange[0].player, 0, 0};
    });
    withdraw();
    EXPECT_EQ(shown.player, dealt);
    EXPECT_EQ(shown.exchange, offered);

    // The exchange list left by the title bar: a profile opened afterwards
    // goes back where its opener said, not to the offer.
    offerFromProfile(dealt);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 40 && item.h == 22; });
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenExchangeList);
    titleBarToClub(ExchangeListTable);
    SelectedPlayer = int16_t(fresh);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    go(PlayerStatsTable, 743, 559, kScreenClubMain);

    // The offer itself left by the title bar with a player in exchange: the
    // next offer, for one of the user's own players that a club wants, opened
    // by the day's messages, has no exchange player and no deal to resume.
    static uint16_t sold;
    sold = PlainPlayerOf(user_, 5);
    ASSERT_NE(sold, 0);
    offerFromProfile(dealt);
    testenv::MenuUserDo([] { CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)}; });
    titleBarToClub(DealSheetTable);
    HVW_SetPlayerLoanList(sold, 0);
    HVW_ClearHumanSales();
    HVW_AddHumanSale(0, sold, other_);
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenDealSheet);
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] {
        shown = Shown{uint16_t(SelectedPlayer), CurrentDeal.exchange[0].player, 0, 0};
        shown.offer = CurrentDeal.resumed;
    });
    ClickAt(60, 559);
    DoMainMenuOption();
    EXPECT_EQ(shown.player, sold);
    EXPECT_EQ(shown.exchange, 0);
    EXPECT_EQ(shown.offer, 0) << "no deal resumed";
    HVW_ClearHumanSales();
}

// An offer opened from the profile of another club's player, reached from
// that club's squad list, and ended after a visit to the exchange player's
// profile: it ends on the dealt player's profile, whose back icon goes back
// to the squad list, not to the offer again.  Withdrawn, or left by the
// profile line.
TEST_F(DealScreensUserTest, AnOfferEndedAfterTheExchangeProfileLeavesTheBackIconToTheSquadList) {
    static uint16_t dealt, offered, shownAfterEnd;
    offered = PlainPlayerOf(user_, 3);
    ASSERT_NE(offered, 0);
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto go = [&](const MenuItem* table, int x, int y, int16_t to) {
        upAndWait(table);
        ClickAt(x, y);
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, to);
    };
    const std::vector<std::pair<std::string, std::pair<int, int>>> endings = {
        {"withdrawn", {60, 559}},
        {"the profile line", {300, 520}},
    };
    for (const auto& [ending, button] : endings) {
        SCOPED_TRACE(ending);
        // The other club's squad list; a right click on a row opens his
        // profile, which names the squad list as its return.
        SelectedClub = uint16_t(other_);
        ReturnMenuOption = kScreenClubMain;
        MenuOption = kScreenSquadList;
        dealt = 0;
        upAndWait(SquadListTable);
        testenv::MenuUserDo([] {
            dealt = ShownPlayers[2];
            HVW_SetPlayerLoanList(dealt, 0);
        });
        testenv::MenuUserRightClickAt(50 + 307 / 2, 147 + 23 * 2 + 11);
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
        ASSERT_NE(dealt, 0);
        ASSERT_EQ(HVW_CheckUserBid(dealt), 0);
        ASSERT_EQ(ReturnMenuOption, kScreenSelectedClubSquad);

        // Make Offer, one of the user's players in exchange, his name: his
        // profile, and its back icon to the offer.
        upAndWait(PlayerStatsTable);
        ClickAt(60, 559);  // Actions
        testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
        testenv::MenuUserWait(3);
        testenv::MenuUserClickPopupRow(0);  // Make Offer
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenDealSheet);
        upAndWait(DealSheetTable);
        testenv::MenuUserDo([] {
            CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)};
        });
        testenv::MenuUserWait(3);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
        ASSERT_EQ(SelectedPlayer, int16_t(offered));
        go(PlayerStatsTable, 743, 559, kScreenDealSheet);

        // The offer ends on the dealt player's profile.
        go(DealSheetTable, button.first, button.second, kScreenPlayerStats);
        shownAfterEnd = 0;
        upAndWait(PlayerStatsTable);
        testenv::MenuUserDo([] { shownAfterEnd = uint16_t(SelectedPlayer); });
        ClickAt(743, 559);
        DoMainMenuOption();
        EXPECT_EQ(shownAfterEnd, dealt);
        EXPECT_EQ(MenuOption, kScreenSelectedClubSquad) << "the back icon reopened screen " << MenuOption;
        EXPECT_EQ(DealSheetDealtPlayer, 0);
        EXPECT_EQ(MenuFollowUp, 0);
        MenuFollowUp = 0;
    }
}

// Two clubs want two of the user's players on the same day.  The first
// sale's offer, given an exchange player and a raised asking price, is left
// by the title bar; the day's messages that run in that same round open the
// second sale, which shows neither.
TEST_F(DealScreensUserTest, TheDaysSecondSaleKeepsNothingOfTheFirstLeftByTheTitleBar) {
    const uint16_t first = PlainPlayerOf(user_, 5), second = PlainPlayerOf(user_, 7);
    static uint16_t offered;
    offered = PlainPlayerOf(user_, 3);
    const int16_t secondBuyer = int16_t(DivisionClubLists[0][1][2]);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    ASSERT_NE(offered, 0);
    uint16_t firstShown = 0;
    ASSERT_NO_FATAL_FAILURE(OpenOneOfTwoSales(first, second, secondBuyer, &firstShown));
    const uint16_t secondShown = firstShown == first ? second : first;

    struct Shown {
        uint16_t player = 0, exchange = 0;
        int32_t adjustments = 0;
        int16_t resumed = 0;
    };
    static Shown shown, before;
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto look = [](Shown* into) {
        testenv::MenuUserDo([into] {
            *into = Shown{uint16_t(SelectedPlayer), CurrentDeal.exchange[0].player, CurrentDeal.adjustments,
                          CurrentDeal.resumed};
        });
    };
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] { CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)}; });
    testenv::MenuUserWait(3);
    ClickAt(420, 300);  // the seller's largest step: the asking price up
    testenv::MenuUserWait(4);
    look(&before);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);  // the club screen
    DoMainMenuOption();
    ASSERT_EQ(before.exchange, offered);
    ASSERT_EQ(before.adjustments, 10000000);
    ASSERT_EQ(MenuOption, kScreenDealSheet) << "the day's second sale opens in the same round";

    upAndWait(DealSheetTable);
    look(&shown);
    ClickAt(60, 559);  // withdraw
    DoMainMenuOption();
    EXPECT_EQ(shown.player, secondShown);
    EXPECT_EQ(shown.exchange, 0);
    EXPECT_EQ(shown.adjustments, 0);
    EXPECT_EQ(shown.resumed, 0);
    HVW_ClearHumanSales();
}

// Two clubs want two of the user's players on the same day.  The first
// sale's offer is left from the deal's own screens by the title bar (from
// the exchange player's profile, then from the exchange list): the user's
// choice stands, and the next Continue puts the second sale before him
// instead of playing the day.
TEST_F(DealScreensUserTest, TheDaysSecondSaleLeftBehindTheFirstComesBeforeTheNextDay) {
    static int16_t day;
    day = SeasonCalendar.currentDay;
    while (day < 350 && testenv::FixturesOn(day) != 0) ++day;
    ASSERT_LT(day, 350);
    static uint16_t offered;
    offered = PlainPlayerOf(user_, 3);
    const uint16_t first = PlainPlayerOf(user_, 5), second = PlainPlayerOf(user_, 7);
    const int16_t secondBuyer = int16_t(DivisionClubLists[0][1][2]);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    ASSERT_NE(offered, 0);
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto homeByTitleBar = [] {
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(0);  // the club screen
    };
    struct Road {
        const char* name;
        std::function<void()> leave;
    };
    const std::vector<Road> roads = {
        {"the exchange player's profile",
         [&] {
             testenv::MenuUserClickItem(
                 [](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
             upAndWait(PlayerStatsTable);
             homeByTitleBar();
         }},
        {"the exchange list",
         [&] {
             ClickAt(420, 340);  // the first slot's button empties it,
             testenv::MenuUserMoveTo(790, 590);
             testenv::MenuUserWait(15);
             ClickAt(420, 340);  // and then opens the exchange list
             upAndWait(ExchangeListTable);
             homeByTitleBar();
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        SeasonCalendar.currentDay = day;
        uint16_t firstShown = 0;
        ASSERT_NO_FATAL_FAILURE(OpenOneOfTwoSales(first, second, secondBuyer, &firstShown));
        const uint16_t secondShown = firstShown == first ? second : first;
        static uint16_t shown;
        static int16_t shownOn;
        static const MenuItem* left;
        static bool done;
        shown = 0;
        shownOn = -1;
        left = nullptr;
        done = false;
        upAndWait(DealSheetTable);
        testenv::MenuUserDo([] {
            CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)};
        });
        testenv::MenuUserWait(3);
        road.leave();
        upAndWait(ClubMainTable);
        testenv::MenuUserDo([] { left = MenuViewTopTable(); });
        ClickAt(399, 559);  // Continue: one day
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(0);
        upAndWait(DealSheetTable);
        testenv::MenuUserDo([] {
            shown = uint16_t(SelectedPlayer);
            shownOn = HVW_GetCurrentDay();
        });
        ClickAt(60, 559);  // withdraw
        upAndWait(ClubMainTable);
        testenv::MenuUserDo([] { done = true; });
        homeByTitleBar();
        for (int round = 0; round < 20 && !done && !WinCloseRequested(); ++round) DoMainMenuOption();
        EXPECT_EQ(left, ClubMainTable) << "the title bar's choice";
        EXPECT_EQ(shown, secondShown) << "the second sale never came up";
        EXPECT_EQ(shownOn, day) << "the day was played first";
        HVW_ClearHumanSales();
        if (WinCloseRequested()) break;
    }
}

// A country chosen on the title bar of the exchange player's profile or
// details opens that screen again: the user stays on it, and its back icon
// still leads to the kept offer.
TEST_F(DealScreensUserTest, TheCountryListOnTheExchangePlayersScreensKeepsHimThere) {
    static uint16_t dealt, offered;
    dealt = 0;
    for (int skip = 6; skip < 60 && dealt == 0; ++skip) {
        const uint16_t q = PlainPlayerOf(other_, skip);
        if (q != 0 && HVW_CheckUserBid(q) == 0 && HVW_ValuePlayerFull(q) != 0) dealt = q;
    }
    offered = PlainPlayerOf(user_, 3);
    ASSERT_NE(dealt, 0);
    ASSERT_NE(offered, 0);
    HVW_SetPlayerLoanList(dealt, 0);
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto chooseCountry = [&](const MenuItem* on) {
        upAndWait(on);
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 624; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(1);
        DoMainMenuOption();
    };
    SelectedPlayer = int16_t(dealt);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    upAndWait(PlayerStatsTable);
    ClickAt(60, 559);  // Actions
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickPopupRow(0);  // Make Offer
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenDealSheet);
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] { CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)}; });
    testenv::MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerStats);

    chooseCountry(PlayerStatsTable);
    EXPECT_EQ(MenuOption, kScreenPlayerStats) << "the exchange player's profile stays up";
    MenuOption = kScreenPlayerStats;
    upAndWait(PlayerStatsTable);
    ClickAt(516, 559);  // the contract details
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);
    chooseCountry(PlayerInfoTable);
    EXPECT_EQ(MenuOption, kScreenPlayerInfo) << "his details stay up";
    MenuOption = kScreenPlayerInfo;
    upAndWait(PlayerInfoTable);
    ClickAt(743, 559);  // back
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    static uint16_t shownPlayer, shownExchange;
    shownPlayer = shownExchange = 0;
    upAndWait(DealSheetTable);
    testenv::MenuUserDo([] {
        shownPlayer = uint16_t(SelectedPlayer);
        shownExchange = CurrentDeal.exchange[0].player;
    });
    ClickAt(60, 559);  // withdraw
    DoMainMenuOption();
    EXPECT_EQ(shownPlayer, dealt);
    EXPECT_EQ(shownExchange, offered);
}

// The title bar on the exchange player's profile or details goes to the
// screen chosen there, not back to the offer.
TEST_F(DealScreensUserTest, TheTitleBarOnTheExchangePlayersScreensGoesToTheScreenChosen) {
    static uint16_t dealt, offered;
    dealt = 0;
    for (int skip = 6; skip < 60 && dealt == 0; ++skip) {
        const uint16_t q = PlainPlayerOf(other_, skip);
        if (q != 0 && HVW_CheckUserBid(q) == 0 && HVW_ValuePlayerFull(q) != 0) dealt = q;
    }
    offered = PlainPlayerOf(user_, 3);
    ASSERT_NE(dealt, 0);
    ASSERT_NE(offered, 0);
    HVW_SetPlayerLoanList(dealt, 0);
    const auto upAndWait = [](const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    };
    // The offer for him, one of the user's players in exchange, and that
    // player's profile by his name.
    const auto toExchangeProfile = [&] {
        SelectedPlayer = int16_t(dealt);
        ReturnMenuOption = kScreenClubMain;
        MenuOption = kScreenPlayerStats;
        upAndWait(PlayerStatsTable);
        ClickAt(60, 559);  // Actions
        testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
        testenv::MenuUserWait(3);
        testenv::MenuUserClickPopupRow(0);  // Make Offer
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenDealSheet);
        upAndWait(DealSheetTable);
        testenv::MenuUserDo([] {
            CurrentDeal.exchange[0] = ExchangeSlot{offered, 0, HVW_ValuePlayer(offered)};
        });
        testenv::MenuUserWait(3);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.w == 300 && item.h == 22; });
        DoMainMenuOption();
        ASSERT_EQ(MenuOption, kScreenPlayerStats);
    };
    const auto squadListByTheTitleBar = [&](const MenuItem* on) {
        upAndWait(on);
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(1);  // the first team's squad list
        DoMainMenuOption();
    };

    toExchangeProfile();
    squadListByTheTitleBar(PlayerStatsTable);
    EXPECT_EQ(MenuOption, kScreenSquadList) << "from the exchange player's profile";
    EXPECT_EQ(MenuFollowUp, 0);

    toExchangeProfile();
    MenuOption = kScreenPlayerStats;
    upAndWait(PlayerStatsTable);
    ClickAt(516, 559);  // the contract details
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);
    squadListByTheTitleBar(PlayerInfoTable);
    EXPECT_EQ(MenuOption, kScreenSquadList) << "from his contract details";
    EXPECT_EQ(MenuFollowUp, 0);
}

}  // namespace
