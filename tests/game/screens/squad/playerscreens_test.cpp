// The player profile, his contract details and the loan terms over one
// shared new-game world: the action pop-up by situation, the list moves and
// listings, the release with its money, the knowledge classes, the status
// and statistics figures, the clause and loan lines, the interested clubs,
// the opening loan terms and their agreement; and the screens run by the
// controller with the scripted user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/bids.h"
#include "core/club/coaching.h"
#include "core/club/contractexpiry.h"
#include "core/club/contractreview.h"
#include "core/club/injuries.h"
#include "core/club/loans.h"
#include "core/club/shortlist.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/club/training.h"
#include "core/club/transfercompletion.h"
#include "core/match/matchresult.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/competitioncodes.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/nationalsquads.h"
#include "core/season/pickteam.h"
#include "core/season/playedleagues.h"
#include "core/season/postmatch.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/loanterms.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "platform/window.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/world_lookups.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::PlainPlayerOf;

bool g_profileWorldReady = false;
std::string g_profileWorldError;

void ProfileNewWorld() {
    g_profileWorldError = testenv::KeptNewGame(68);
    g_profileWorldReady = g_profileWorldError.empty();
}

using Action = ProfileAction;

void PlayerScreensSetCups(uint16_t p, std::initializer_list<int16_t> flags) {
    void (*const setters[6])(uint16_t, int16_t) = {SetPlayerCupFlag0, SetPlayerCupFlag1, SetPlayerCupFlag2,
                                                   SetPlayerCupFlag3, SetPlayerCupFlag4, SetPlayerCupFlag5};
    int k = 0;
    for (int16_t flag : flags) setters[k++](p, flag);
}

class PlayerScreensTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProfileNewWorld();
        if (!g_profileWorldReady) GTEST_FAIL() << g_profileWorldError;
        // The texts and a back buffer, with no display: boxes are printed.
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_B8G8R8))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        painting_ = true;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        other_ = int16_t(DivisionClubLists[0][1][1]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        MenuFollowUp = 0;
        HVW_BuildSquadList(user_);
    }
    void TearDown() override {
        if (painting_) testenv::StopMenuPaint();
        if (!g_profileWorldReady) return;
        SetClubControl(user_, 0);
        SetPlayerClub(1, int16_t(kNoClub));
    }
    // Opens the profile of the player as the controller would, without the
    // engine: the first-entry set-up, then one run.
    static void Open(uint16_t p) {
        SelectedPlayer = int16_t(p);
        PlayerProfile_Enter();
        PlayerStatsMenu();
    }
    static std::vector<Action> Actions() { return {ProfileActions, ProfileActions + ProfileActionCount}; }
    static bool InList(const SquadList& list, uint16_t p) {
        return std::find(std::begin(list.players), std::end(list.players), p) != std::end(list.players);
    }
    int16_t user_ = -1, other_ = -1;
    bool painting_ = false;
};

// ---- The action pop-up --------------------------------------------------------------------

TEST_F(PlayerScreensTest, ActionEntriesFollowThePlayersSituation) {
    const uint16_t own = PlainPlayerOf(user_), foreign = PlainPlayerOf(other_);
    ASSERT_NE(own, 0);
    ASSERT_NE(foreign, 0);
    Open(1);
    EXPECT_EQ(Actions(), std::vector<Action>{Action::Close});

    HVW_SetPlayerFlag95(own, 0);
    SetPlayerFlag123(own, 0);
    SetPlayerIT(own, 0);
    Open(own);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::TeamList, Action::Separator, Action::LoanList,
                                              Action::TransferList, Action::Separator, Action::Training,
                                              Action::Approach, Action::Release, Action::Deal}));
    HVW_SetPlayerFlag95(own, 1);
    Open(own);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::TeamList, Action::SpareList, Action::Separator,
                                              Action::Approach, Action::Release, Action::Deal}));
    // A contract deal under way, or a slight injury: no deal entry.
    SetPlayerFlag123(own, 1);
    Open(own);
    EXPECT_EQ(Actions().back(), Action::Release);
    SetPlayerFlag123(own, 0);
    SetPlayerIT(own, 1);
    Open(own);
    EXPECT_EQ(Actions().back(), Action::Release);
    SetPlayerIT(own, 0);
    HVW_SetPlayerFlag95(own, 0);

    Open(foreign);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::Offer, Action::LoanApproach, Action::Shortlist}));
    EXPECT_EQ(SelectedClub, uint16_t(other_));

    // Loans: the club field holds the club he plays for, the loan club his
    // owner.
    SetPlayerClub(own, other_);
    Open(own);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::Training, Action::EndLoan, Action::Deal}));
    EXPECT_EQ(ProfileEndLoanWord, 1243);
    SetPlayerClub(own, user_);
    SetPlayerClub(foreign, user_);
    Open(foreign);
    EXPECT_EQ(Actions(), std::vector<Action>{Action::EndLoan});
    EXPECT_EQ(ProfileEndLoanWord, 797);
    const int16_t third = int16_t(DivisionClubLists[0][1][2]);
    SetPlayerClub(foreign, third);
    Open(foreign);
    EXPECT_EQ(Actions(), std::vector<Action>{Action::Shortlist});
    SetPlayerClub(foreign, other_);

    // A free player.
    SetPlayerClub(foreign, int16_t(kNoClub));
    SetPlayerLoanClub(foreign, int16_t(kNoClub));
    Open(foreign);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::Offer, Action::Shortlist}));
    SetPlayerClub(foreign, other_);
    SetPlayerLoanClub(foreign, other_);
}

TEST_F(PlayerScreensTest, NoPlayerShowsAnEmptyProfileWhoseBackIconWorks) {
    for (int16_t selected : {int16_t(0), int16_t(-5), int16_t(PlayerCount), int16_t(-20000)}) {
        Open(uint16_t(selected));
        SelectedPlayer = selected;
        PlayerStatsMenu();
        EXPECT_EQ(Actions(), std::vector<Action>{Action::Close}) << selected;
        EXPECT_STREQ(ProfileValueText[0], "") << selected;
        EXPECT_STREQ(ProfileStatusText, "") << selected;
        EXPECT_EQ(PlayerProfile_Act(Action::Release), MENU_REDRAW_ALSO);
        PlayerInfoMenu();
        EXPECT_STREQ(InterestedClubsText, "");
        ReturnMenuOption = kScreenSquadList;
        MenuOption = kScreenPlayerStats;
        EXPECT_EQ(PlayerProfile_Back(nullptr), MENU_CLOSE);
        EXPECT_EQ(MenuOption, kScreenSquadList);
    }
}

TEST_F(PlayerScreensTest, APlayerNumberedPastTheSignedRangeHasHisProfile) {
    // The player word keeps the number's 16 bits: a number past 32767 reads
    // negative as a signed word and must still name him.
    // The number is given a plain player of another club, as a copy of one.
    const uint16_t foreign = PlainPlayerOf(other_);
    ASSERT_NE(foreign, 0);
    const uint16_t p = 32768;
    ASSERT_LT(p, PlayerCount);
    PlayerRecords[p] = PlayerRecords[foreign];
    Open(p);
    EXPECT_LT(SelectedPlayer, 0);
    EXPECT_EQ(ShownPlayer(), p);
    EXPECT_EQ(Actions(), (std::vector<Action>{Action::Offer, Action::LoanApproach, Action::Shortlist}));
    EXPECT_STRNE(ProfileValueText[0], "");
}

// ---- What the profile shows ---------------------------------------------------------------

TEST_F(PlayerScreensTest, KnowledgeClassesGoalkeepersAndSupporters) {
    // Another country's lower division, unscouted: a knowledge class.
    const int16_t country = GetClubNation(user_) == 1 ? 2 : 1;
    const int16_t saved = CountryScoutedFlags[country];
    CountryScoutedFlags[country] = 0;
    const int16_t club = int16_t(DivisionClubLists[country][2][0]);
    uint16_t p = 0;
    for (int skip = 0; p == 0 || HVW_GetPlayerKnowledge(p) < 0; ++skip) {
        p = PlainPlayerOf(club, skip);
        ASSERT_NE(p, 0);
        SetPlayerFlag119(p, 0);
    }
    const int16_t knowledge = HVW_GetPlayerKnowledge(p);
    ASSERT_GE(knowledge, 0);
    ASSERT_LE(knowledge, 4);
    std::vector<std::string> first;
    for (int visit = 0; visit < 2; ++visit) {
        Open(p);
        std::vector<std::string> values;
        int shown = 0;
        for (int row = 0; row < 25; ++row) {
            if (ProfileLookupLabel[row] == kHiddenAttributeLabel) {
                EXPECT_STREQ(ProfileValueText[row], GetText(125)) << row;
                EXPECT_NE(ProfileShownLabel[row], 125) << "the label stays";
            } else {
                ++shown;
                EXPECT_EQ(ProfileLookupLabel[row], uint16_t(ProfileShownLabel[row]));
            }
            values.push_back(ProfileValueText[row]);
        }
        EXPECT_EQ(shown, 6);
        for (int row = 25; row < 30; ++row) EXPECT_NE(ProfileLookupLabel[row], kHiddenAttributeLabel);
        if (visit == 0) first = values;
        EXPECT_EQ(values, first);
    }
    CountryScoutedFlags[country] = saved;

    // A goalkeeper: rows 1 and 7 relabelled, looked up as ever; clean sheets.
    uint16_t keeper = 0;
    for (uint16_t q = 2; q < PlayerCount && keeper == 0; ++q)
        if (GetPlayerClub(q) == uint16_t(user_) && GetPlayerPosition2(q) == 0) keeper = q;
    ASSERT_NE(keeper, 0);
    Open(keeper);
    EXPECT_EQ(ProfileShownLabel[1], 2409);
    EXPECT_EQ(ProfileShownLabel[7], 1826);
    EXPECT_EQ(ProfileLookupLabel[1], 42);
    EXPECT_EQ(ProfileLookupLabel[7], 47);
    EXPECT_EQ(ProfileGridLabel[3], 199);
    const uint16_t fans = GetPlayerFans(keeper);
    SetPlayerFans(keeper, 63);
    PlayerStatsMenu();
    EXPECT_EQ(ProfileFansTextId, 1619);
    SetPlayerFans(keeper, 0);
    PlayerStatsMenu();
    EXPECT_EQ(ProfileFansTextId, 1192);
    SetPlayerFans(keeper, int16_t(fans));
}

TEST_F(PlayerScreensTest, ValuesImprovementsStatusAndTheStatisticsGrid) {
    const uint16_t p = PlainPlayerOf(user_, 1);
    ASSERT_NE(p, 0);
    SetPlayerIT(p, 0);
    SetPlayerIntDuty(p, 0);
    SetPlayerApps(p, 7);
    SetPlayerAppsAsSub(p, 2);
    SetPlayerCaps89(p, 3);
    SetPlayerCaps86(p, 1);
    SetPlayerIntGoals87(p, 2);
    // An improvement counted by training shows in the table's colour.
    HVW_GetRegularTraining(p);
    const int16_t record = HVW_FindEntryById(p);
    ASSERT_GE(record, 0);
    std::memset(TrainingRecords[record].bytes + kTrainingCounters, 0, kTrainingCounterCount);
    TrainingRecords[record].bytes[kTrainingCounters + TrainingCounterOfStat(0)] = 3;
    Open(p);
    EXPECT_STREQ(ProfileSecondText[0], "(+3)");
    EXPECT_EQ(ProfileSecondColour[0], 75);
    EXPECT_STREQ(ProfileSecondText[1], "(+0)");
    EXPECT_EQ(ProfileSecondColour[1], 25);
    EXPECT_EQ(std::string(ProfileValueText[0]), std::to_string(HVW_GetPlayerStat(p, 0)));
    const int stat = HVW_GetPlayerStat(p, 0);
    EXPECT_EQ(ProfileValueColour[0], stat >= 90 ? 8 : stat >= 80 ? 21 : 0);
    EXPECT_STREQ(ProfileGridText[1][1], "7 (2)");
    EXPECT_STREQ(ProfileGridText[3][1], "3 (1)");
    EXPECT_STREQ(ProfileGridText[3][3], "2");
    EXPECT_STREQ(ProfileGridText[4][1], "-");
    EXPECT_STREQ(ProfileGridText[4][3], "-");
    EXPECT_EQ(std::string(ProfileStatusText).find(GetText(249)),
              std::string(ProfileStatusText).find(": ") + 2);

    SetPlayerIT(p, 3);
    SetPlayerIP(p, 4);
    PlayerStatsMenu();
    const std::string injured = ProfileStatusText;
    EXPECT_NE(injured.find(GetText(248)), std::string::npos);
    EXPECT_NE(injured.find(std::string(GetText(202)) + " 4 " + GetText(748)), std::string::npos) << injured;
    SetPlayerIT(p, 0);
    SetPlayerIP(p, 0);
    // Other clubs' players get no second texts.
    Open(PlainPlayerOf(other_));
    EXPECT_STREQ(ProfileSecondText[0], "");

    // Another country viewed: his club's league is played, so his own
    // figures stand; a league that is not played shows prepared ones.
    const int8_t viewed = ViewedCountry;
    const int16_t nation = int16_t(GetClubNation(user_));
    ViewedCountry = int8_t(nation == 0 ? 1 : 0);
    SetPlayerApps(p, 99);
    Open(p);
    EXPECT_STREQ(ProfileGridText[1][1], "99 (2)");
    EXPECT_EQ(HVW_GetPlayerApps(p), 99);
    const uint16_t played = PlayedLeagueFlags[nation];
    PlayedLeagueFlags[nation] = 0;
    Open(p);
    EXPECT_NE(HVW_GetPlayerApps(p), 99);
    EXPECT_EQ(std::string(ProfileGridText[1][1]),
              std::to_string(HVW_GetPlayerApps(p)) + " (" + std::to_string(HVW_GetPlayerAppsAsSub(p)) + ")");
    PlayedLeagueFlags[nation] = played;
    ViewedCountry = viewed;
}

// ---- List moves, listings and the moves to the deal screens --------------------------------

TEST_F(PlayerScreensTest, ListMovesListingsAndTheirRefusals) {
    const uint16_t p = PlainPlayerOf(user_, 2);
    ASSERT_TRUE(InList(FirstTeamList, p));
    HVW_SetPlayerFlag95(p, 0);
    Open(p);
    EXPECT_EQ(ProfileTeamWord, 588);
    PlayerProfile_Act(Action::TeamList);
    EXPECT_FALSE(InList(FirstTeamList, p));
    EXPECT_TRUE(InList(ReserveList, p));
    PlayerStatsMenu();
    EXPECT_EQ(ProfileTeamWord, 570) << "the word follows at once";
    PlayerProfile_Act(Action::TeamList);
    EXPECT_TRUE(InList(FirstTeamList, p));
    EXPECT_FALSE(InList(ReserveList, p));

    // A full second list refuses him with a message; nothing moves.
    const SquadList second = ReserveList, team = FirstTeamList;
    for (int i = 0; i < kSquadListSize; ++i) ReserveList.players[i] = uint16_t(45000 + i);
    ReserveList.count = kSquadListSize;
    const SquadList full = ReserveList;
    PlayerStatsMenu();
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::TeamList);
        EXPECT_NE(out.Text().find(GetText(1149)), std::string::npos);
    }
    EXPECT_EQ(std::memcmp(&ReserveList, &full, sizeof full), 0);
    EXPECT_EQ(std::memcmp(&FirstTeamList, &team, sizeof team), 0);
    ReserveList = second;

    // Transfer listing shows on the squad list; without a contract it is
    // refused.
    HVW_SetPlayerTxList(p, 0);
    HVW_SetPlayerLoanList(p, 0);
    PlayerProfile_Act(Action::TransferList);
    PlayerStatsMenu();
    EXPECT_EQ(HVW_GetPlayerTxList(p), 1);
    EXPECT_EQ(ProfileTransferWord, 624);
    PlayerProfile_Act(Action::TransferList);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 0);
    const int16_t contract = HVW_GetPlayerContract(p);
    SetPlayerContract(p, 0);
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::TransferList);
        EXPECT_NE(out.Text().find(GetText(1150)), std::string::npos);
    }
    EXPECT_EQ(HVW_GetPlayerTxList(p), 0);
    SetPlayerContract(p, contract);
    PlayerProfile_Act(Action::LoanList);
    PlayerStatsMenu();
    EXPECT_EQ(ProfileLoanWord, 625);
    PlayerProfile_Act(Action::LoanList);
    EXPECT_EQ(HVW_GetPlayerLoanList(p), 0);

    // The shortlist entry adds and removes.
    const uint16_t foreign = PlainPlayerOf(other_);
    Open(foreign);
    EXPECT_EQ(ProfileShortlistWord, 423);
    PlayerProfile_Act(Action::Shortlist);
    PlayerStatsMenu();
    EXPECT_EQ(ProfileShortlistWord, 1832);
    PlayerProfile_Act(Action::Shortlist);
    EXPECT_EQ(ShortList_IsPlayerOn(foreign), 0);
}

// A player put on the shortlist from his profile is followed: a club's bid
// he is weighing and an injury are told to the user, until he is taken off.
TEST_F(PlayerScreensTest, AShortlistedPlayerIsFollowedUntilTakenOff) {
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    const uint16_t foreign = PlainPlayerOf(other_, 2);
    ASSERT_NE(foreign, 0);
    ShortList_Clear();
    Open(foreign);
    PlayerProfile_Act(Action::Shortlist);
    ASSERT_EQ(ShortList_IsPlayerOn(foreign), 1);
    const int64_t deciding = posted(kMsgShortlistDeciding), injured = posted(kMsgShortlistInjury);
    SetPlayerDecisionDelay(foreign, 0, other_);
    EXPECT_EQ(posted(kMsgShortlistDeciding), deciding + 1);
    InjurePlayerRandom(foreign, 10, other_);
    EXPECT_EQ(posted(kMsgShortlistInjury), injured + 1);

    PlayerStatsMenu();
    PlayerProfile_Act(Action::Shortlist);
    ASSERT_EQ(ShortList_IsPlayerOn(foreign), 0);
    SetPlayerDecisionDelay(foreign, 0, other_);
    InjurePlayerRandom(foreign, 10, other_);
    EXPECT_EQ(posted(kMsgShortlistDeciding), deciding + 1);
    EXPECT_EQ(posted(kMsgShortlistInjury), injured + 1);
}

// The reports on a player the user shortlisted from his profile: a club's
// transfer search finding him, his call-ups, his listing and his renewal
// at the contract review, his sale, his loan, a trial and his contract
// running out.  The user's action goes through the screen; the world's
// events are brought about by the rules that post the reports.
TEST_F(PlayerScreensTest, AShortlistedPlayersMovesAreReported) {
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    const auto shortlist = [](uint16_t p) {
        Open(p);
        PlayerProfile_Act(Action::Shortlist);
        return ShortList_IsPlayerOn(p) != 0;
    };
    ShortList_Clear();
    const int16_t third = int16_t(DivisionClubLists[0][1][2]);
    const uint16_t p = PlainPlayerOf(other_, 3), q = PlainPlayerOf(other_, 4);
    ASSERT_NE(q, 0);
    ASSERT_TRUE(shortlist(p));
    ASSERT_TRUE(shortlist(q));

    // A club's search for his position finds the players it rates best:
    // found again once shortlisted, each is told as targeted and watched.
    SquadNeeds.WantedPosition = HVW_GetPositionType(p);
    SearchTransferTargets(0, third, 0, 100000000, 1000000, 0);
    int listed = 0;
    for (int16_t e = 0; e < kBidListEntries; ++e) {
        const uint16_t found = GetClubBidShortListId(third, SquadNeeds.WantedPosition, e);
        SetClubBidShortList(third, SquadNeeds.WantedPosition, e, 0, 0, 0);
        if (found != 0 && GetPlayerClub(found) != uint16_t(user_) && shortlist(found)) ++listed;
    }
    ASSERT_GT(listed, 0);
    const int64_t targeted = posted(kMsgShortlistTargeted), watched = posted(kMsgShortlistWatched);
    SearchTransferTargets(0, third, 0, 100000000, 1000000, 0);
    EXPECT_GT(posted(kMsgShortlistTargeted), targeted);
    EXPECT_EQ(posted(kMsgShortlistWatched) - watched, posted(kMsgShortlistTargeted) - targeted);

    // Called up for each of his country's sides.
    const int16_t nation = int16_t(GetPlayerNationality(p));
    for (int16_t kind = 0; kind < kNationalTeamKinds; ++kind) {
        const int16_t type = kind == 0 ? kMsgShortlistCalledUp : kMsgShortlistUnder21CalledUp;
        const int64_t before = posted(type);
        NationalSquads[kind][nation][0] = p;
        CallUpNationalSquad(nation, kind, int16_t(SeasonCalendar.currentDay));
        EXPECT_EQ(posted(type), before + 1) << kind;
    }

    // The contract review lists him too old to renew, and renews him young.
    if (SeasonCalendar.month == 7) SeasonCalendar.month = 8;  // the month all long contracts are set
    SetPlayerContract(p, 6);
    SetPlayerField117(p, 0);
    SetPlayerTxList(p, 0);
    SetPlayerAge(p, 21);
    int64_t before = posted(kMsgShortlistNews);
    ReviewClubContracts(other_);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 1);
    EXPECT_EQ(posted(kMsgShortlistNews), before + 1);
    SetPlayerTxList(p, 0);
    SetPlayerAge(p, 2);
    SetPlayerContract(p, 6);
    before = posted(kMsgShortlistRenewed);
    ReviewClubContracts(other_);
    EXPECT_GT(HVW_GetPlayerContract(p), 6);
    EXPECT_EQ(posted(kMsgShortlistRenewed), before + 1);

    // Sold to another club, then loaned back.
    before = posted(kMsgShortlistSold);
    CompleteTransfer(p, third, 100000, 0);
    ASSERT_EQ(GetPlayerClub(p), uint16_t(third));
    EXPECT_EQ(posted(kMsgShortlistSold), before + 1);
    before = posted(kMsgShortlistLoan);
    RecordPlayerLoanMove(p, other_, 4, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(posted(kMsgShortlistLoan), before + 1);

    // The other one goes on trial, and his contract runs out.
    before = posted(kMsgShortlistTrial);
    StartLoanTrial(q, third, 2);
    EXPECT_EQ(posted(kMsgShortlistTrial), before + 1);
    SetPlayerContract(q, 1);
    before = posted(kMsgShortlistContractOver);
    MonthlyContractPass();
    EXPECT_EQ(posted(kMsgShortlistContractOver), before + 1);
}

// His matches are reported too: man of the match, an assist, a goal and a
// sending-off in a league match, and a goal for the reserves.
TEST_F(PlayerScreensTest, AShortlistedPlayersMatchesAreReported) {
    const auto posted = [](int16_t type) { return SeasonEvents.messagesPosted[type]; };
    using namespace gameinfo;
    ShortList_Clear();
    const uint16_t p = PlainPlayerOf(other_, 5);
    ASSERT_NE(p, 0);
    Open(p);
    PlayerProfile_Act(Action::Shortlist);
    ASSERT_EQ(ShortList_IsPlayerOn(p), 1);

    const auto playAMatch = [&](int16_t goals, int16_t cards) {
        std::memset(&MatchResult, 0, sizeof MatchResult);
        std::memset(TeamSheet, 0, sizeof TeamSheet);
        for (int side = 0; side < 2; ++side)
            recbits::StoreU16(MatchResult.teams[side].bytes + kReportManOfTheMatch, 0xFFFF);
        recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoals, uint16_t(goals));
        recbits::StoreU16(MatchResult.teams[0].bytes + kReportManOfTheMatch, p);
        TeamSheet[0][9] = p;
        uint8_t* report = MatchPlayerReport(0, 9);
        recbits::StoreU16(report + kPlayerRating, 75);
        recbits::StoreU16(report + kPlayerGoals, uint16_t(goals));
        recbits::StoreU16(report + kPlayerAssists, 1);
        recbits::StoreU16(report + kPlayerCards, uint16_t(cards));
        recbits::StoreU16(report + kPlayerNumber, p);
    };
    constexpr int16_t kTypes[] = {kMsgShortlistManOfTheMatch, kMsgShortlistGoodGame, kMsgShortlistScored,
                                  kMsgShortlistSentOff, kMsgShortlistScoredForReserves};
    int64_t before[5];
    for (int i = 0; i < 5; ++i) before[i] = posted(kTypes[i]);
    playAMatch(2, 2);
    PostMatchClubJob(other_, 0, kCompLeague, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(posted(kTypes[i]), before[i] + 1) << kTypes[i];
    playAMatch(1, 0);
    PostMatchClubJobShort(other_, 0, kCompLeague, 0);
    EXPECT_EQ(posted(kMsgShortlistScoredForReserves), before[4] + 1);
    EXPECT_EQ(posted(kMsgShortlistScored), before[2] + 1) << "a reserve goal is not a first-team goal";
}

// A player with no value (a free agent) is bid for at once, in the user's
// first free bid slot: the slot codes 0, 1, 5 and 11 name slots 0 to 3.
TEST_F(PlayerScreensTest, OfferForAPlayerWithNoValueTakesTheFirstFreeBidSlot) {
    const uint16_t agent = PlainPlayerOf(other_, 3), held0 = PlainPlayerOf(other_, 4),
                   held1 = PlainPlayerOf(other_, 5);
    ASSERT_NE(held1, 0);
    SetPlayerClub(agent, int16_t(kNoClub));
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    SetClubBid(user_, 0, held0, 0, 0);
    SetClubBid(user_, 1, held1, 0, 0);
    ASSERT_EQ(HVW_ValuePlayerFull(agent), 0);
    ASSERT_EQ(HVW_CheckUserBid(agent), 0);
    Open(agent);
    StdoutCapture out;
    EXPECT_EQ(PlayerProfile_Act(Action::Offer), MENU_REDRAW_ALSO);
    EXPECT_EQ(GetClubBidPlayer(user_, 2), agent);
    EXPECT_EQ(GetClubBidPlayer(user_, 1), held1);
    EXPECT_EQ(GetClubBidPlayer(user_, 3), 0);
    EXPECT_NE(out.Text().find(GetText(1153)), std::string::npos);
}

TEST_F(PlayerScreensTest, DealMovesPassTheirChecksFirst) {
    const uint16_t foreign = PlainPlayerOf(other_, 3);
    const uint16_t own = PlainPlayerOf(user_, 3);
    ASSERT_NE(foreign, 0);
    const int16_t today = SeasonCalendar.currentDay;
    const int nation = GetClubNation(other_);
    const int16_t first = LeagueTransferWords[0][nation], last = LeagueTransferWords[1][nation];
    // Transfers closed: a message, nothing opened.
    LeagueTransferWords[0][nation] = today;
    LeagueTransferWords[1][nation] = int16_t(today + 10);
    Open(foreign);
    MenuOption = kScreenPlayerStats;
    {
        StdoutCapture out;
        EXPECT_EQ(PlayerProfile_Act(Action::Offer), MENU_REDRAW_ALSO);
        EXPECT_NE(out.Text().find(GetText(kTextTransfersClosed)), std::string::npos);
    }
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    LeagueTransferWords[0][nation] = first;
    LeagueTransferWords[1][nation] = last;
    ASSERT_EQ(HVW_CheckUserBid(foreign), 0);
    ASSERT_NE(HVW_ValuePlayerFull(foreign), 0);
    {
        SalesTeamClub = -1;
        EXPECT_EQ(PlayerProfile_Act(Action::Offer), MENU_CLOSE);
        EXPECT_EQ(MenuOption, kScreenDealSheet);
        EXPECT_EQ(SalesTeamClub, user_);
    }
    // A player his club does not offer on loan; then one it does.
    HVW_SetPlayerLoanList(foreign, 0);
    MenuOption = kScreenPlayerStats;
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::LoanApproach);
        EXPECT_NE(out.Text().find(GetText(1139)), std::string::npos);
    }
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    HVW_SetPlayerLoanList(foreign, 1);
    SetPlayerWage(foreign, 1);
    SalesTeamClub = -1;
    EXPECT_EQ(PlayerProfile_Act(Action::LoanApproach), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenLoanTerms);
    EXPECT_EQ(SalesTeamClub, user_);
    HVW_SetPlayerLoanList(foreign, 0);

    Open(own);
    EXPECT_EQ(PlayerProfile_Act(Action::Training), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerCondition);
    EXPECT_EQ(ConditionReturnOption, kScreenPlayerStats);
    EXPECT_EQ(PlayerProfile_Act(Action::Deal), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenContractMenu);
    // Contract talks: not with years left to run.
    SetPlayerContract(own, 48);
    MenuOption = kScreenPlayerStats;
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::Approach);
        EXPECT_NE(out.Text().find(GetText(kTextWillNotDiscussContract)), std::string::npos);
    }
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    SetPlayerContract(own, 6);
    SetPlayerMorale(own, 40);
    SetPlayerWage(own, 1);
    ContractTalksReason = 5;
    EXPECT_EQ(PlayerProfile_Act(Action::Approach), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenContractTalks);
    EXPECT_EQ(ContractTalksReason, 0);
}

// ---- Release ------------------------------------------------------------------------------

int32_t ClubHistoryOfKind(int16_t club, uint16_t value, uint8_t kind) {
    int32_t found = 0;
    for (uint32_t i = 0; i < ClubHistoryCount && i < uint32_t(kClubHistoryEntries); ++i) {
        const ClubHistoryEntry& e = ClubHistoryEntries[i];
        if (ClubHistoryClub(e) == club && ClubHistoryValue(e) == value && e.bytes[9] == kind) ++found;
    }
    return found;
}

TEST_F(PlayerScreensTest, ReleasePaysOffAndLeavesHimFreeAndListless) {
    // A plain player of the first team, from the fifth on.
    uint16_t p = 0;
    for (int skip = 4; p == 0 || !InList(FirstTeamList, p); ++skip) {
        p = PlainPlayerOf(user_, skip);
        ASSERT_NE(p, 0) << "no plain first-team player";
    }
    ASSERT_TRUE(InList(FirstTeamList, p));
    // Pay-offs: four weeks a contract year, years rounded up; flag 95 pays
    // four weeks in all.
    SetPlayerWage(p, 20);  // 500 a week
    ASSERT_EQ(HVW_GetPlayerWage(p), 500);
    HVW_SetPlayerFlag95(p, 0);
    SetPlayerContract(p, 13);
    EXPECT_EQ(PlayerProfile_PayOff(p), 4000);
    SetPlayerContract(p, 1);
    EXPECT_EQ(PlayerProfile_PayOff(p), 2000);
    HVW_SetPlayerFlag95(p, 1);
    SetPlayerContract(p, 30);
    EXPECT_EQ(PlayerProfile_PayOff(p), 2000);

    // Beyond the wage budget: text 1168 and nothing changed.
    const int32_t balance = GetClubBalance(user_);
    SetClubBalance(user_, 0);
    Open(p);
    MenuOption = kScreenPlayerStats;
    ASSERT_LT(HVW_GetClubWageBudget(user_), 2000);
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::Release);
        EXPECT_NE(out.Text().find(GetText(1168)), std::string::npos);
    }
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(GetClubBalance(user_), 0);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    SetClubBalance(user_, 120000000);
    ASSERT_GE(HVW_GetClubWageBudget(user_), 2000);
    // The question unanswered (no display): nothing happens.
    {
        StdoutCapture out;
        PlayerProfile_Act(Action::Release);
        EXPECT_NE(out.Text().find(GetText(1033)), std::string::npos);
    }
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));

    // Agreed: the money, then a free player off every list.
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    const int32_t weekMisc = GetClubWeekMiscOut(user_, week), seasonMisc = GetClubSeasonMiscOut(user_);
    HVW_SetPlayerShirt(p, 7);
    // A coached player: his coaching slot is freed with him.
    int16_t coached = SquadRec_FindSlot(p);
    for (int16_t slot = 0; slot < kCoachingSlots && coached < 0; ++slot)
        if (SquadRec_GetPlayerId(slot) == 0) coached = slot;
    ASSERT_GE(coached, 0);
    SquadRec_InitSlot(coached, p);
    ASSERT_EQ(SquadRec_FindSlot(p), coached);
    PlayerProfile_ReleasePlayer(p, PlayerProfile_PayOff(p));
    EXPECT_EQ(SquadRec_FindSlot(p), -1);
    EXPECT_EQ(SquadRec_GetPlayerId(coached), 0);
    EXPECT_EQ(GetClubBalance(user_), 120000000 - 2000);
    EXPECT_EQ(GetClubWeekMiscOut(user_, week), weekMisc + 2000);
    EXPECT_EQ(GetClubSeasonMiscOut(user_), seasonMisc + 2000);
    EXPECT_EQ(GetPlayerClub(p), kNoClub);
    EXPECT_EQ(GetPlayerLoanClub(p), kNoClub);
    EXPECT_EQ(GetPlayerWage(p), 1);
    EXPECT_EQ(HVW_GetPlayerTxList(p), 1);
    EXPECT_EQ(HVW_GetPlayerFlag95(p), 0);
    EXPECT_EQ(HVW_GetPlayerManPriceRaw(p), -1);
    EXPECT_EQ(HVW_GetPlayerShirt(p), 0);
    EXPECT_EQ(ClubHistoryOfKind(user_, p, 10), 1);
    EXPECT_EQ(MenuOption, kScreenSquadList);
    EXPECT_FALSE(InList(FirstTeamList, p));
    EXPECT_FALSE(InList(ReserveList, p));
    EXPECT_FALSE(InList(YouthList, p));
    HVW_BuildSquadList(user_);
    EXPECT_FALSE(InList(FirstTeamList, p));
    SetClubBalance(user_, balance);
}

// ---- Contract details ---------------------------------------------------------------------

TEST_F(PlayerScreensTest, ContractDetailsClausesLoanBoxAndInterestedClubs) {
    const uint16_t p = PlainPlayerOf(user_, 5);
    SetPlayerClause1(p, 0);
    SetPlayerClause2(p, 1);
    SetPlayerClause3(p, 0);
    SetPlayerClause4(p, 0);
    SetPlayerClause5(p, 0);
    SetPlayerClause6(p, 0);
    SetPlayerClause7(p, 0);
    SetPlayerClause8(p, 1);
    SelectedPlayer = int16_t(p);
    PlayerInfoMenu();
    EXPECT_STREQ(ClauseLeftLines[0], GetText(282));
    EXPECT_STREQ(ClauseLeftLines[1], GetText(953));
    EXPECT_STREQ(ClauseLeftLines[2], "");
    for (auto& line : ClauseRightLines) EXPECT_STREQ(line, "");
    EXPECT_EQ(LowerBoxHeading, 1234);

    // Lent out by the user's club: the loan terms with two cup lines.
    SetPlayerClub(p, other_);
    SetPlayerField120Bits9(p, 1);
    SetPlayerFlag120Bit12(p, 1);
    SetPlayerLoanPeriod(p, 9);
    PlayerScreensSetCups(p, {0, 1, 0, 0, 1, 0});
    PlayerInfoMenu();
    EXPECT_EQ(LowerBoxHeading, 1333);
    EXPECT_EQ(std::string(LoanLines[0]), std::string(GetText(186)) + ": 50%");
    EXPECT_EQ(std::string(LoanLines[2]), std::string(GetText(1174)) + ": 9 " + GetText(2331));
    EXPECT_STREQ(LoanLines[3], HVW_GetCupName(1, ViewedCountry));
    EXPECT_STREQ(LoanLines[4], HVW_GetCupName(4, ViewedCountry));
    EXPECT_STREQ(LoanLines[5], "");
    // Borrowed by the user's club from another: the interested clubs.
    SetPlayerClub(p, user_);
    SetPlayerLoanClub(p, other_);
    PlayerInfoMenu();
    EXPECT_EQ(LowerBoxHeading, 1234);
    EXPECT_STREQ(LoanLines[0], "");
    SetPlayerLoanClub(p, user_);
    SetPlayerClub(p, other_);
    SetPlayerField120Bits9(p, 3);
    PlayerInfoMenu();
    EXPECT_STREQ(LoanLines[0], "");
    EXPECT_STREQ(LoanLines[1], (std::string(GetText(1483)) + ": " + GetText(249)).c_str());
    SetPlayerClub(p, user_);
    PlayerScreensSetCups(p, {0, 0, 0, 0, 0, 0});

    // Twenty-six clubs interested: the first 25 in club order.
    uint16_t foreign = 0;
    int16_t none[1];
    for (int skip = 4; foreign == 0; ++skip) {
        foreign = PlainPlayerOf(other_, skip);
        ASSERT_NE(foreign, 0);
        if (HVW_ListInterestedClubs(foreign, none, 1) != 0) foreign = 0;
    }
    std::vector<int16_t> clubs;
    for (int division = 0; division < 2; ++division)
        for (int i = 0; i < kLeagueRowClubs && clubs.size() < 26; ++i)
            if (IsClubNumber(DivisionClubLists[0][division][i]))
                clubs.push_back(int16_t(DivisionClubLists[0][division][i]));
    ASSERT_EQ(clubs.size(), 26u);
    std::sort(clubs.begin(), clubs.end());
    for (size_t i = 0; i < clubs.size(); ++i) SetClubBidShortList(clubs[i], int16_t(i % 4), 2, foreign, 0, 0);
    SelectedPlayer = int16_t(foreign);
    PlayerInfoMenu();
    std::string expected = HVW_GetClubName(clubs[0]);
    for (size_t i = 1; i < 25; ++i) expected += std::string(", ") + HVW_GetClubName(clubs[i]);
    EXPECT_EQ(std::string(InterestedClubsText), expected);
    for (size_t i = 0; i < clubs.size(); ++i) SetClubBidShortList(clubs[i], int16_t(i % 4), 2, 0, 0, 0);

    // The buttons: with the deal link they lead back to the offer.
    MenuOption = kScreenPlayerInfo;
    MenuFollowUp = 1;
    EXPECT_EQ(PlayerInfo_Profile(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenDealSheet);
    MenuFollowUp = 0;
    EXPECT_EQ(PlayerInfo_Profile(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
}

TEST(PlayerScreensTextTest, TheAppenderNeverRunsPastItsBuffer) {
    char buffer[8] = "abc";
    AppendText(buffer, sizeof buffer, "%s", "defghijkl");
    EXPECT_STREQ(buffer, "abcdefg");
    AppendText(buffer, sizeof buffer, "%d", 5);
    EXPECT_STREQ(buffer, "abcdefg");
}

// ---- Loan terms ---------------------------------------------------------------------------

int CountMessages(int16_t type, int16_t clubA, int16_t clubB) {
    int count = 0;
    const auto matches = [&](const MessageRecord& m) {
        uint16_t t;
        int16_t a, b;
        std::memcpy(&t, m.bytes + kMsgType, 2);
        std::memcpy(&a, m.bytes + kMsgClubA, 2);
        std::memcpy(&b, m.bytes + kMsgClubB, 2);
        return t == uint16_t(type) && a == clubA && b == clubB;
    };
    for (const MessageRecord& m : UserInbox) count += matches(m) ? 1 : 0;
    for (int16_t club : {clubA, clubB})
        for (const MessageRecord& m : MessageArchive[club]) count += matches(m) ? 1 : 0;
    return count;
}

TEST_F(PlayerScreensTest, LoanLengthCodesAndTheirBounds) {
    // Outside the young-player case W is bounded: below 5 counts as 5.
    EXPECT_EQ(LoanTerms_OtherLengthCode(2, 25, 20, true), 1);
    EXPECT_EQ(LoanTerms_OtherLengthCode(40, 25, 5, true), 3);
    EXPECT_EQ(LoanTerms_OtherLengthCode(40, 25, 12, true), 2);
    EXPECT_EQ(LoanTerms_OtherLengthCode(40, 25, 20, true), 1);
    EXPECT_EQ(LoanTerms_OtherLengthCode(40, 25, 30, false), 3);
    // A young player's W is left unbounded: the code still names a length.
    EXPECT_EQ(LoanTerms_OtherLengthCode(52, 19, 5, true), 4);
    EXPECT_EQ(LoanTerms_OtherLengthCode(-8, 19, 5, true), 1);
    EXPECT_EQ(LoanTerms_OtherLengthCode(52, 19, 40, false), 4);
    EXPECT_EQ(LoanTerms_Weeks(2), 9);

    const uint16_t p = PlainPlayerOf(user_, 6);
    SalesTeamClub = other_;
    SelectedPlayer = int16_t(p);
    for (int age : {21, 22}) {
        SetPlayerAge(p, int16_t(age - 16));
        LoanTerms_Enter();
        EXPECT_EQ(CurrentLoanTerms.direction, 0);
        for (int press = 0; press < 6; ++press) LoanTerms_LengthUp(nullptr);
        EXPECT_EQ(CurrentLoanTerms.lender.lengthCode, age == 21 ? 4 : 3) << age;
        for (int press = 0; press < 6; ++press) LoanTerms_LengthDown(nullptr);
        EXPECT_EQ(CurrentLoanTerms.lender.lengthCode, 1);
    }
    for (int press = 0; press < 4; ++press) LoanTerms_ShareDown(nullptr);
    EXPECT_EQ(CurrentLoanTerms.working.wageShare, 0);
    LoanTerms_ShareUp(nullptr);
    EXPECT_EQ(CurrentLoanTerms.working.wageShare, 50);
    for (int press = 0; press < 4; ++press) LoanTerms_ShareUp(nullptr);
    EXPECT_EQ(CurrentLoanTerms.working.wageShare, 100);
    // Code 4 once the round day has passed: 52 weeks.
    const int16_t today = SeasonCalendar.currentDay;
    SeasonCalendar.currentDay = int16_t(HVW_GetCompNextRoundDay(int16_t(ViewedCountry)) + 8);
    EXPECT_EQ(LoanTerms_Weeks(4), 52);
    SeasonCalendar.currentDay = today;
}

TEST_F(PlayerScreensTest, OpeningTermsForAPlayerTakenFromAForeignClub) {
    // The best player of a club abroad: a rating below 36, different nations.
    const int16_t country = GetClubNation(user_) == 1 ? 2 : 1;
    const int16_t lender = int16_t(DivisionClubLists[country][0][0]);
    uint16_t best = 0;
    for (int skip = 0; skip < 40; ++skip) {
        const uint16_t q = PlainPlayerOf(lender, skip);
        if (q != 0 && HVW_IsPlayerAvailable(q, lender) >= 0 && HVW_IsPlayerAvailable(q, lender) < 36)
            best = q;
        if (best != 0) break;
    }
    ASSERT_NE(best, 0);
    SelectedPlayer = int16_t(best);
    LoanTerms_Enter();
    const LoanTerms& t = CurrentLoanTerms;
    EXPECT_EQ(t.direction, 1);
    EXPECT_EQ(t.lendingClub, lender);
    EXPECT_EQ(t.receivingClub, user_);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(t.lender.cups[k], 1) << k;
    EXPECT_EQ(t.lender.cups[4], 0);
    EXPECT_EQ(t.lender.cups[5], 0);
    EXPECT_EQ(t.receiver.wageShare, 100);
    EXPECT_TRUE(t.lender.wageShare == 0 || t.lender.wageShare == 50 || t.lender.wageShare == 100);
    EXPECT_EQ(t.verdict, 82);
    // Asking for a cup the lender does not allow breaks the agreement.
    LoanTerms_ToggleCup(4);
    EXPECT_EQ(t.verdict, 83);
    LoanTerms_ToggleCup(4);
    EXPECT_EQ(t.verdict, 82);
}

TEST_F(PlayerScreensTest, AgreementRecordsTheLoanAndABadClubChangesNothing) {
    const uint16_t p = PlainPlayerOf(user_, 7);
    ASSERT_NE(p, 0);
    SelectedPlayer = int16_t(p);
    HVW_SetPlayerLoanList(p, 1);
    // A bad other club: the move refuses, nothing posted or cleared.
    SalesTeamClub = -1;
    LoanTerms_Enter();
    MenuOption = kScreenLoanTerms;
    const int before = CountMessages(4, user_, other_);
    EXPECT_EQ(LoanTerms_Agree(nullptr), MENU_REDRAW);
    EXPECT_EQ(MenuOption, kScreenLoanTerms);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));

    // The day messages: a computer club wants the loan-listed player.
    HVW_ClearHumanSales();
    HVW_AddHumanSale(0, p, other_);
    MenuOption = kScreenClubMain;
    SalesTeamClub = -1;
    ProcessHalvornDayMessages();
    ASSERT_EQ(MenuOption, kScreenLoanTerms);
    EXPECT_EQ(SelectedPlayer, int16_t(p));
    EXPECT_EQ(SalesTeamClub, other_);
    LoanTerms_Enter();
    EXPECT_EQ(CurrentLoanTerms.receivingClub, other_);
    // The user meets the other club's share.
    while (CurrentLoanTerms.lender.wageShare > CurrentLoanTerms.receiver.wageShare)
        LoanTerms_ShareDown(nullptr);
    ASSERT_EQ(CurrentLoanTerms.verdict, 82);
    const int16_t receiverCode = CurrentLoanTerms.receiver.lengthCode;
    EXPECT_EQ(LoanTerms_Agree(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(other_));
    EXPECT_EQ(GetPlayerLoanClub(p), uint16_t(user_));
    EXPECT_EQ(GetPlayerLoanPeriod(p), uint16_t(LoanTerms_Weeks(receiverCode)));
    EXPECT_EQ(GetPlayerField120Bits9(p), uint16_t(CurrentLoanTerms.receiver.wageShare / 50));
    HVW_RemoveHumanSale(p);
    // The days pass: he plays for the other club.
    for (int day = 0; day < 3; ++day) HVW_AdvanceDay();
    EXPECT_EQ(GetPlayerClub(p), uint16_t(other_));
    const int shareShown = CurrentLoanTerms.receiver.wageShare;
    EXPECT_GT(CountMessages(4, user_, other_), before);
    // His contract details show the loan box with the share.
    PlayerInfoMenu();
    EXPECT_EQ(LowerBoxHeading, 1333);
    EXPECT_EQ(std::string(LoanLines[0]), std::string(GetText(186)) + ": " + std::to_string(shareShown) + "%");
    // End loan on his profile brings him back.
    Open(p);
    ASSERT_EQ(Actions()[1], Action::EndLoan);
    EXPECT_EQ(PlayerProfile_Act(Action::EndLoan), MENU_CLOSE);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(user_));
    EXPECT_EQ(MenuOption, kScreenSquadList);
}

// ---- The screens run by the controller with the scripted user -------------------------------

class PlayerScreensUserTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        ProfileNewWorld();
        if (!g_profileWorldReady) GTEST_FAIL() << g_profileWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        MenuFollowUp = 0;
    }
    void TearDown() override {
        if (g_profileWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static bool Up(const MenuItem* table) { return testenv::MenuTableUp(table); }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    // A right click held long enough for the handler to read the button.
    static void RightClickRow(int row) { testenv::MenuUserRightClickAt(50 + 307 / 2, 147 + 23 * row + 11); }
    int16_t user_ = -1;
};

TEST_F(PlayerScreensUserTest, FromTheSquadListToTheProfileItsListingTheContractAndTheAgent) {
    MenuOption = kScreenSquadList;
    PreviousMenuOption = kScreenClubMain;
    static uint16_t player;
    static std::vector<uint32_t> grab;
    static std::string title;
    static int16_t contractReturn, profileAgain;
    player = 0;
    testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        player = ShownPlayers[2];
        HVW_SetPlayerFlag95(player, 0);
        HVW_SetPlayerTxList(player, 0);
        HVW_SetPlayerLoanList(player, 0);
        SetPlayerTxReq(player, 0);
    });
    RightClickRow(2);
    testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
    testenv::MenuUserMoveTo(780, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        grab = testenv::NewestGrabPixels();
        title = std::string(HVW_GetPlayerShortName(player)) + "   " +
                HVW_GetClubName(int16_t(GetPlayerClub(player)));
    });
    ClickAt(60, 559);  // Actions
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(2);
    testenv::MenuUserWait(2);
    testenv::MenuUserClickPopupRow(3);  // the transfer-list entry
    testenv::MenuUserWait(4);
    ClickAt(743, 559);  // back
    testenv::MenuUserWaitFor([] { return Up(SquadListTable); }, 1000);
    testenv::MenuUserWait(3);
    // Another country viewed: his league is played, so neither the profile
    // nor the contract may put estimates over his own figures.
    static int8_t viewed;
    static int16_t appsOnTheContract;
    testenv::MenuUserDo([] {
        viewed = ViewedCountry;
        ViewedCountry = int8_t(GetClubNation(int16_t(GetPlayerClub(player))) == 0 ? 1 : 0);
        SetPlayerApps(player, 99);
    });
    RightClickRow(2);
    testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
    testenv::MenuUserWait(2);
    ClickAt(516, 559);  // the contract
    testenv::MenuUserWaitFor([] { return Up(PlayerInfoTable); }, 1000);
    testenv::MenuUserDo([] {
        contractReturn = MenuOption;
        appsOnTheContract = HVW_GetPlayerApps(player);
        ViewedCountry = viewed;
    });
    testenv::MenuUserWait(2);
    ClickAt(743, 559);  // back to the profile
    testenv::MenuUserWaitFor([] { return Up(PlayerStatsTable); }, 1000);
    testenv::MenuUserDo([] { profileAgain = MenuOption; });
    testenv::MenuUserWait(2);
    ClickAt(20, 382);  // the agent line
    int rounds = 0;
    while (MenuOption != kScreenAgentProfile && !WinCloseRequested() && ++rounds < 12) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenAgentProfile);
    ASSERT_NE(player, 0);
    EXPECT_EQ(HVW_GetPlayerTxList(player), 1);
    EXPECT_STREQ(SquadSortValue(26, player), GetText(40));
    EXPECT_EQ(contractReturn, 75);
    EXPECT_EQ(appsOnTheContract, 99);
    EXPECT_EQ(profileAgain, 4);
    HVW_SetPlayerTxList(player, 0);

    // The title centred on (400, 44): every pixel its letters paint over
    // the plain background is the grab's.
    ASSERT_EQ(grab.size(), 800u * 600u);
    ShowMenuBackground(4);
    grab = testenv::GrabInBufferOrder(grab);
    std::vector<uint32_t> background(800 * 600);
    for (int y = 30; y < 60; ++y)
        for (int x = 200; x < 600; ++x) background[size_t(y) * 800 + size_t(x)] = testenv::BackPixel(x, y);
    SetFont(1010);
    SetDrawParam(1, 0);
    DrawTextAddrAt(400, 44, title.c_str(), JUSTIFY_CENTRE_MIDDLE);
    int textPixels = 0, matching = 0;
    for (int y = 30; y < 60; ++y) {
        for (int x = 200; x < 600; ++x) {
            const uint32_t painted = testenv::BackPixel(x, y);
            if (painted == background[size_t(y) * 800 + size_t(x)]) continue;
            ++textPixels;
            matching += grab[size_t(y) * 800 + size_t(x)] == painted ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 50);
    EXPECT_GT(matching, textPixels * 9 / 10);
}

}  // namespace
