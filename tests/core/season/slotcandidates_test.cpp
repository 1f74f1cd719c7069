// Slot candidates: the reserve and youth list searches and the emergency
// search for an outside player.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/shortlist.h"
#include "core/season/messages.h"
#include "core/season/slotcandidates.h"
#include "tests/core/season/selection_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class SlotCandidatesTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        MakeClub(0, 0, 0);
        MakeClub(1, 0, 0);
        MakeClub(2, 0, 0);
        SetPlayerClub(1, 0);
        std::memset(UserInbox, 0, sizeof UserInbox);
    }

    // Trial notices of the user's club 0, wherever their class files them.
    static int TrialMessages(int16_t club) {
        const bool archived = (GetMessageDelivery(227) & kDeliverArchive) != 0;
        int n = 0;
        for (const MessageRecord& m : archived ? MessageArchive[club] : UserInbox)
            n += recbits::LoadU16(m.bytes + kMsgType) == 227;
        return n;
    }
    static const MessageRecord& NewestTrialMessage() {
        return (GetMessageDelivery(227) & kDeliverInbox) != 0 ? UserInbox[0] : MessageArchive[0][0];
    }
};

TEST_F(SlotCandidatesTest, TheBestAvailableReservePlayerWins) {
    const uint16_t weak = MakePlayer(0, 6, 40);
    const uint16_t strong = MakePlayer(0, 6, 70);
    const uint16_t striker = MakePlayer(0, 11, 90);  // out of his group: 60%
    const uint16_t shirted = MakePlayer(0, 6, 95);
    SetPlayerShirt(shirted, 4);  // already in the side
    for (uint16_t p : {weak, strong, striker, shirted}) AddToList(ReserveList, p);
    EXPECT_EQ(PickSlotFromSecondList(0, 6, kCompLeague, 0), strong);
    EXPECT_GT(ScoreSlotCandidate(strong, 6), ScoreSlotCandidate(striker, 6));

    // Picked players wear a shirt: nobody is picked twice.
    SetPlayerShirt(strong, 5);
    EXPECT_EQ(PickSlotFromSecondList(0, 6, kCompLeague, 0), striker);
    SetPlayerShirt(striker, 6);
    EXPECT_EQ(PickSlotFromSecondList(0, 6, kCompLeague, 0), weak);
    SetPlayerShirt(weak, 7);
    EXPECT_EQ(PickSlotFromSecondList(0, 6, kCompLeague, 0), 0);
    // Reserve matches look at the reserve shirts instead.
    SetPlayerIntShirt(shirted, 3);
    EXPECT_EQ(PickSlotFromSecondList(0, 6, kCompReserveLeague, 0), strong);
}

TEST_F(SlotCandidatesTest, UnavailablePlayersAreNeverCandidates) {
    const uint16_t injured = MakePlayer(0, 3);
    SetPlayerIT(injured, 4);
    const uint16_t away = MakePlayer(0, 3);
    SetPlayerIntDuty(away, 1);
    const uint16_t banned = MakePlayer(0, 3);
    SetPlayerSusp(banned, 2);
    const uint16_t elsewhere = MakePlayer(1, 3);
    const uint16_t euroBanned = MakePlayer(0, 3);
    SetPlayerEuroBan(euroBanned, 1);
    for (uint16_t p : {injured, away, banned, elsewhere, euroBanned}) AddToList(ReserveList, p);
    EXPECT_EQ(PickSlotFromSecondList(0, 3, kCompLeague, 0), euroBanned);
    EXPECT_EQ(PickSlotFromSecondList(0, 3, 75, 0), banned);  // Europe: suspensions do not count
}

TEST_F(SlotCandidatesTest, LoaneesNeedTheirCupFlagAndCupTiedPlayersStayOut) {
    const uint16_t loanee = MakePlayer(0, 8, 90);
    SetPlayerLoanClub(loanee, 1);  // owned by club 1, playing for club 0
    const uint16_t tied = MakePlayer(0, 8, 80);
    SetPlayerCup(tied, 2, 1, 0);  // played national cup 1 for club 2
    const uint16_t plain = MakePlayer(0, 8, 50);
    for (uint16_t p : {loanee, tied, plain}) AddToList(ReserveList, p);
    const int16_t cup1 = CupCode(1, 0);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, cup1, 0), plain);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, kCompLeague, 0), loanee);
    SetPlayerCupFlag1(loanee, 1);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, cup1, 0), loanee);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, CupCode(0, 0), 0), tied);  // flag 0 missing, tied in cup 1 only
    SetPlayerCup(tied, 0, 1, 0);                                      // tied to this club: fine
    SetPlayerCupFlag1(loanee, 0);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, cup1, 0), tied);
    // A human club's reserve list keeps its triallists out.
    SetPlayerLoanTrial(tied, 1);
    SetClubControl(0, 1);
    EXPECT_EQ(PickSlotFromSecondList(0, 8, cup1, 0), plain);
}

TEST_F(SlotCandidatesTest, TheOnlyCandidateScoresOneAndIsMadeFitEnough) {
    const uint16_t p = MakePlayer(0, 2, 60);
    SetPlayerFitness(p, 0);
    SetPlayerFatigue(p, 63);
    AddToList(YouthList, p);
    const uint16_t fresh = MakePlayer(1, 2, 60);
    EXPECT_LT(ScoreSlotCandidate(p, 2) * 20, ScoreSlotCandidate(fresh, 2));
    EXPECT_EQ(PickSlotFromThirdList(0, 2, kCompLeague, 0), p);
    EXPECT_EQ(GetPlayerFitness(p), 48);
    EXPECT_EQ(TrialMessages(0), 0);
}

TEST_F(SlotCandidatesTest, TheGoalkeepersSlotTakesOnlyAGoalkeeperFromOutsideIfNeeded) {
    const uint16_t outfield = MakePlayer(0, 5, 99);
    AddToList(YouthList, outfield);
    EXPECT_EQ(ScoreSlotCandidate(outfield, 0), 0);
    // A free goalkeeper, a free outfield player and a keeper at another club.
    const uint16_t freeOutfield = MakePlayer(-1, 4);
    SetPlayerLoanClub(freeOutfield, -1);
    const uint16_t taken = MakePlayer(1, 0);
    const uint16_t freeKeeper = MakePlayer(-1, 0);
    SetPlayerLoanClub(freeKeeper, -1);
    SetPlayerAge(freeKeeper, 10);
    ShortList_Clear();
    ShortList_Add_Player(freeKeeper);
    uint16_t chosen = 0;
    {
        // The search's line shows at debug level 1.
        DebugSetLevel(DEBUG_GENERAL, 1);
        StdoutCapture out;
        chosen = PickSlotFromThirdList(0, 0, kCompLeague, 3);
        DebugSetLevel(DEBUG_GENERAL, 0);
        EXPECT_NE(out.Text().find("FindSpareSidePlayer(): Club:0 Type:0 Comp:0 Side:3"), std::string::npos);
    }
    ASSERT_EQ(chosen, freeKeeper);
    EXPECT_NE(chosen, taken);
    // He joins on trial and the club hears of it.
    EXPECT_EQ(GetPlayerClub(freeKeeper), 0);
    EXPECT_EQ(GetPlayerLoanTrial(freeKeeper), 1);
    EXPECT_EQ(TrialMessages(0), 1);
    const MessageRecord& m = NewestTrialMessage();
    EXPECT_EQ(recbits::LoadU16(m.bytes + kMsgText1), 300);  // a goalkeeper
    EXPECT_EQ(int32_t(recbits::LoadU32(m.bytes + kMsgNumber1)), 26);
    // He was on the user's shortlist: the user hears where he went.
    int shortlistNews = 0;
    for (const MessageRecord& r : UserInbox) {
        if (recbits::LoadU16(r.bytes + kMsgType) != 244) continue;
        ++shortlistNews;
        EXPECT_EQ(recbits::LoadU32(r.bytes + kMsgPlayerA), freeKeeper);
        EXPECT_EQ(int16_t(recbits::LoadU16(r.bytes + kMsgClubB)), 0);
    }
    EXPECT_EQ(shortlistNews, 1);
}

TEST_F(SlotCandidatesTest, AnUnplacedYoungsterOfAnotherClubMayBeBroughtIn) {
    const uint16_t youngster = MakePlayer(1, 7);
    SetPlayerFlag95(youngster, 1);
    const uint16_t shirted = MakePlayer(1, 7);
    SetPlayerFlag95(shirted, 1);
    SetPlayerShirt(shirted, 9);
    const uint16_t tied = MakePlayer(-1, 7);
    SetPlayerLoanClub(tied, -1);
    SetPlayerCup(tied, 2, 0, 0);
    SetPlayerNationality(youngster, 5);  // not of the club's nation
    EXPECT_EQ(FindSpareSidePlayer(0, 6, CupCode(0, 0), 0), youngster);
    // The user's club never gives one up.
    SetPlayerClub(1, 1);
    EXPECT_EQ(GetUserClub(), 1);
    EXPECT_EQ(FindSpareSidePlayer(0, 6, CupCode(0, 0), 0), 0);
    EXPECT_EQ(FindSpareSidePlayer(0, 6, kCompLeague, 0), tied);
}

// While the players' spare keys are kept, the search passes over players
// by their keys: every setter of a field the key reads keeps it true, so
// that the search finds whom it finds without keys and draws as often.
TEST_F(SlotCandidatesTest, KeptSpareKeysFollowEveryFieldTheSearchReads) {
    const uint16_t keeper = MakePlayer(-1, 0);
    for (int i = 0; i < 6; ++i) MakePlayer(2, 6);
    const auto search = [] {
        GameSeedRandom(11);
        const uint16_t found = FindSpareSidePlayer(0, 0, kCompLeague, 0);
        return std::make_pair(found, GameRandomState());
    };
    const std::vector<std::function<void()>> changes = {
        [&] { SetPlayerIntDuty(keeper, 1); },     [&] { SetPlayerIntDuty(keeper, 0); },
        [&] { SetPlayerLoanTrial(keeper, 1); },   [&] { SetPlayerLoanTrial(keeper, 0); },
        [&] { SetPlayerPosition(keeper, 5); },    [&] { SetPlayerPosition(keeper, 0); },
        [&] { SetPlayerHalvornB(keeper, 1); },    [&] { SetPlayerHalvornB(keeper, 0); },
        [&] { SetPlayerNationality(keeper, 3); }, [&] { SetPlayerNationality(keeper, 0); },
        [&] { SetPlayerClub(keeper, 1); },        [&] { SetPlayerFlag95(keeper, 1); },
        [&] { SetPlayerShirt(keeper, 3); },       [&] { SetPlayerShirt(keeper, 0); },
        [&] { SetPlayerIntShirt(keeper, 2); },    [&] { SetPlayerIntShirt(keeper, 0); },
        [&] { SetPlayerLoanClub(keeper, 2); },
    };
    int found = 0;
    for (size_t step = 0; step < changes.size(); ++step) {
        KeepPlayerMarketKeys(true);
        ASSERT_NE(PlayerSpareKeys(), nullptr);  // built before the change
        changes[step]();
        const auto kept = search();
        KeepPlayerMarketKeys(false);
        const auto plain = search();
        EXPECT_EQ(kept, plain) << "after change " << step;
        found += plain.first != 0;
    }
    // The changes both rule him out and let him in again.
    EXPECT_GT(found, 4);
    EXPECT_LT(found, int(changes.size()));
}

TEST_F(SlotCandidatesTest, NobodyToBringLeavesTheSlotEmpty) {
    const uint16_t keeper = MakePlayer(0, 0);
    (void)keeper;
    {
        // Nothing shows at the usual debug level.
        StdoutCapture out;
        EXPECT_EQ(PickSlotFromThirdList(0, 5, kCompLeague, 0), 0);
        EXPECT_EQ(out.Text().find("FindSpareSidePlayer"), std::string::npos);
    }
    EXPECT_EQ(TrialMessages(0), 0);
    // A world of four players or fewer has nobody to draw at random.
    PlayerCount = 4;
    EXPECT_EQ(FindSpareSidePlayer(0, 0, kCompLeague, 0), 0);
    PlayerCount = 3;
    EXPECT_EQ(FindSpareSidePlayer(0, 0, kCompLeague, 0), 0);
}

}  // namespace
