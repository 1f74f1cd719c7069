// The board: its scores, the weekly review with its warnings, resignations
// and sackings, the manager search and the job words the screens read.
#include "core/club/board.h"

#include <cstring>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/transfers.h"
#include "core/query/userdecisions.h"
#include "core/records/history.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

namespace {

class BoardTest : public ManagementTest {
  protected:
    static constexpr int16_t kDay = 100;
    static constexpr int16_t kClub = 70;  // reviewed on weekday 0
    static constexpr int16_t kOther = 71;

    void SetUp() override {
        ManagementTest::SetUp();
        SeasonCalendar.currentDay = kDay;
        SeasonCalendar.weekday = 0;
        std::memset(MessageArchive, 0xFF, sizeof MessageArchive);
        std::memset(UserInbox, 0xFF, sizeof UserInbox);
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        std::memset(ClubCountOfNation, 0, sizeof ClubCountOfNation);
        for (int c = 0; c < kClubCount; ++c) ClubStrengthRanking[c] = {uint16_t(c), 0};
        ClearHistoryLists();
        SackedClubControl = 0;
        SackedClub = kNoClub;
        JobOfferClub = -1;
        JobOfferPending = 0;
        JobOfferClubShown = 0;
        MakeClub(kClub, 0, 0, 30);
        MakeClub(kOther, 0, 0, 20);
        SetClubSupport(kClub, 50);
    }

    static int CountMessages(int16_t club, int16_t type) {
        int count = 0;
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type)) ++count;
        }
        for (const MessageRecord& m : UserInbox) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                recbits::LoadI16(m.bytes + kMsgClubA) == club)
                ++count;
        }
        return count;
    }
    static bool HasClubHistory(int16_t club, int kind) {
        ClubHistoryEntry entries[kClubHistoryLookup];
        const int n = FindClubHistoryEntry(club, entries);
        for (int i = 0; i < n; ++i) {
            if (ClubHistoryKind(entries[i]) == kind) return true;
        }
        return false;
    }
    // A manager who does not play, long enough at the club to be judged.
    static uint16_t MakeManager(int16_t club, int16_t rep, int16_t fans = 63) {
        const uint16_t m = MakePlayer(club, 13);
        SetPlayerReputation(m, rep);
        SetPlayerFans(m, fans);
        SetPlayerWage(m, 500);
        SetPlayerField52(m, 100);  // keeps the fans' floor at 1
        return m;
    }
    // Four defeats in the last month: a form score of 0.
    static void LoseFourMatches(int16_t club) {
        const int today = SeasonCalendar.currentDay;
        for (int i = 0; i < 4; ++i) PutFixture(i, today - 5 - i, kCompLeague, kOther, club, 3, 0);
    }
    // A squad whose happiness comes out at the given value (1..100): one
    // unhappy available player.
    static void SetSquadHappiness(int16_t club, int happy) {
        const uint16_t p = MakePlayer(club, 5);
        const int unhappiness = 100 - happy;  // (60 - morale) / 2 x weight
        SetPlayerField117(p, 4);
        SetPlayerMorale(p, int16_t(60 - 2 * (unhappiness / 4)));
        RebuildClubRoster(club);
    }
};

// The ranking follows every change of what a player's value is made of, day
// after day: his attributes, his contract, his club's division.
TEST_F(BoardTest, StrengthRankingFollowsThePlayersFromDayToDay) {
    const auto place = [](int16_t club) {
        for (int i = 0; i < kClubCount; ++i)
            if (ClubStrengthRanking[i].club == uint16_t(club)) return i;
        return -1;
    };
    SetClubRep(kOther, 30);
    const uint16_t mine = MakePlayer(kClub, 8, 8, 50);
    const uint16_t theirs = MakePlayer(kOther, 8, 8, 60);
    RankClubsByStrength();
    EXPECT_LT(place(kOther), place(kClub));
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(mine, s, 80);
    RankClubsByStrength();
    EXPECT_LT(place(kClub), place(kOther));
    SetPlayerContract(mine, 0);  // no contract, no value
    RankClubsByStrength();
    EXPECT_LT(place(kOther), place(kClub));
    SetPlayerContract(mine, 24);
    RankClubsByStrength();
    EXPECT_LT(place(kClub), place(kOther));
    SetClubDivision(kClub, 5);  // the lowest division lowers his value
    const uint32_t before = ClubStrengthRanking[place(kClub)].strength;
    RankClubsByStrength();
    EXPECT_LT(ClubStrengthRanking[place(kClub)].strength, before);
    (void)theirs;
}

// Equal strengths keep club-number order: two clubs of the same squad and
// reputation, and every club without players.
TEST_F(BoardTest, EqualStrengthsKeepClubNumberOrder) {
    constexpr int16_t kLater = 90;
    MakeClub(kLater, 0, 0, 30);
    MakePlayer(kClub, 8, 8, 60);
    MakePlayer(kLater, 8, 8, 60);
    RankClubsByStrength();
    EXPECT_EQ(ClubStrengthRanking[0].club, uint16_t(kClub));
    EXPECT_EQ(ClubStrengthRanking[1].club, uint16_t(kLater));
    EXPECT_EQ(ClubStrengthRanking[0].strength, ClubStrengthRanking[1].strength);
    for (int i = 1; i < kClubCount; ++i) {
        const ClubStrengthEntry &a = ClubStrengthRanking[i - 1], &b = ClubStrengthRanking[i];
        ASSERT_TRUE(a.strength > b.strength || (a.strength == b.strength && a.club < b.club))
            << "place " << i;
    }
}

// The ranking keeps each player's value with what it read: every input of
// the value, changed between two rankings, shows in the club's strength.
TEST_F(BoardTest, TheRankingSeesEveryChangeOfAKeptValue) {
    const uint16_t p = MakePlayer(kClub, 8, 8, 50);
    SetPlayerCareerApps(p, 20);
    const auto strength = [] {
        RankClubsByStrength();
        for (const ClubStrengthEntry& entry : ClubStrengthRanking)
            if (entry.club == uint16_t(kClub)) return entry.strength;
        return uint32_t(0);
    };
    const auto expected = [&] {
        const int32_t value = ValuePlayer(p);
        return (uint32_t(value > 0 ? value : 0) + 1) / 63 * GetClubRep(kClub);
    };
    const auto check = [&](const char* what, const std::function<void()>& change) {
        const uint32_t before = strength();
        ASSERT_EQ(strength(), before) << what;
        change();
        EXPECT_EQ(strength(), expected()) << what;
        EXPECT_NE(expected(), before) << what << ": the change must move the value";
    };
    check("a stat", [&] { SetPlayerStat(p, 11, 95); });
    check("the ability", [&] { SetPlayerStat(p, 27, 70); });
    check("age", [&] { SetPlayerAge(p, 14); });
    check("position", [&] { SetPlayerPosition(p, 11); });
    check("appearances", [&] { SetPlayerCareerApps(p, 40); });
    check("contract", [&] { SetPlayerContract(p, 0); });
    check("a new contract", [&] { SetPlayerContract(p, 30); });
    check("division", [&] { SetClubDivision(kClub, 4); });
    check("caps", [&] { SetPlayerCaps89(p, 3); });
    check("a nation whose league is not played", [&] { SetClubNation(kClub, 12); });
}

TEST_F(BoardTest, ClubsAreReviewedFromDaySixtyOnTheirOwnWeekdayOnly) {
    // Confidence 0 (no money, no matches won, no ranking): 10 + 4 + 1.
    MakeManager(kClub, 20);
    LoseFourMatches(kClub);
    SetClubSupport(kClub, 100);
    SeasonCalendar.currentDay = 59;
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 0);
    SeasonCalendar.currentDay = 60;
    LoseFourMatches(kClub);
    int reviews = 0;
    for (int16_t weekday = 0; weekday < 7; ++weekday) {
        SeasonCalendar.weekday = weekday;
        const uint16_t before = GetClubTenure2(kClub);
        BoardWeeklyReview();
        if (GetClubTenure2(kClub) != before) {
            ++reviews;
            EXPECT_EQ(weekday, kClub % 7);
            EXPECT_EQ(GetClubTenure2(kClub), before + 15);
        }
    }
    EXPECT_EQ(reviews, 1);
}

TEST_F(BoardTest, GoodReviewLowersTheCounterAndNewManagersWaitThirtyWeeks) {
    const uint16_t m = MakeManager(kClub, 20);
    SetClubBalance(kClub, 30000000);  // finance 16, form 60: confidence 76
    SetClubTenure2(kClub, 3);
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 2);
    SetClubTenure2(kClub, 0);
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 0);
    // A manager with fewer than 30 weeks is left alone however bad things are.
    SetPlayerField52(m, 29);
    SetClubBalance(kClub, -1);
    LoseFourMatches(kClub);
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 0);
}

TEST_F(BoardTest, WarningMarksAndTheWarningsText) {
    // Support 50: marks 15, 30 and 45, sacked at 60.  A human club is never
    // left by its manager at a mark.  Happiness 4 adds 4 + 1 each review.
    SetClubControl(kClub, 1);
    const uint16_t m = MakeManager(kClub, 20, 3);  // fans 4 percent
    SetSquadHappiness(kClub, 4);
    ASSERT_EQ(GetClubSquadHappinessPct(kClub), 4);
    ASSERT_EQ(GetClubManagerFansPct(kClub), 4);
    struct Case {
        int16_t fans;
        int16_t message;
    };
    // Fans equal to the squad's mood and below the board's confidence: the
    // results are named; fans lowest; the squad lowest.
    for (const Case& c : {Case{3, 54}, Case{2, 277}, Case{5, 278}}) {
        SetPlayerFans(m, c.fans);
        for (const int mark : {15, 30, 45}) {
            SetClubTenure2(kClub, int16_t(mark - 5));
            const int before = CountMessages(kClub, c.message);
            BoardWeeklyReview();
            EXPECT_EQ(GetClubTenure2(kClub), mark);
            EXPECT_EQ(CountMessages(kClub, c.message), before + 1) << c.fans << " at " << mark;
        }
    }
    // Passing over a mark warns nobody.
    SetClubTenure2(kClub, 11);
    const int warnings = CountMessages(kClub, 54) + CountMessages(kClub, 277) + CountMessages(kClub, 278);
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 16);
    EXPECT_EQ(CountMessages(kClub, 54) + CountMessages(kClub, 277) + CountMessages(kClub, 278), warnings);
    EXPECT_EQ(GetPlayerClub(m), kClub);
}

TEST_F(BoardTest, SackingTheUserLeavesHisRecordSoundAndTellsTheFrontEnd) {
    // The user runs the club as its halvorn manager.
    SetPlayerClub(1, kClub);
    SetPlayerLoanClub(1, kClub);
    SetPlayerPosition(1, 13);
    SetPlayerHalvorn(1, 1);
    SetPlayerField52(1, 100);
    SetPlayerReputation(1, 40);
    SetPlayerFans(1, 63);
    SetPlayerWage(1, 700);
    SetClubControl(kClub, 1);
    SetClubRep(kClub, 20);
    SetClubTenure2(kClub, 59);
    SetClubTenure(kClub, 77);  // the chairman's own time is not the board's grudge
    LoseFourMatches(kClub);
    BoardWeeklyReview();
    EXPECT_EQ(GetClubTenure2(kClub), 0);
    EXPECT_EQ(GetClubTenure(kClub), 77);
    EXPECT_EQ(SackedClubControl, 1);
    EXPECT_EQ(SackedClub, kClub);
    EXPECT_EQ(GetClubControl(kClub), 0);
    EXPECT_EQ(GetClubRep(kClub), 19);
    EXPECT_EQ(GetPlayerClub(1), kNoClub);
    EXPECT_EQ(GetPlayerLoanClub(1), kNoClub);
    EXPECT_EQ(GetPlayerHalvorn(1), 0);
    EXPECT_EQ(GetPlayerWage(1), 700);  // the user keeps his wage
    EXPECT_EQ(GetUserClub(), -1);
    EXPECT_EQ(FindClubManager(kClub), kNoManager);
    EXPECT_EQ(CountMessages(kClub, 52), 1);
    EXPECT_TRUE(HasClubHistory(kClub, 13));
    // 40 less 1..3, then half the gap above the club's 19, rounded up.
    EXPECT_GE(GetPlayerReputation(1), 28);
    EXPECT_LE(GetPlayerReputation(1), 29);
    // The next day's run clears the control word; the club stays named.
    SeasonCalendar.weekday = 1;
    BoardWeeklyReview();
    EXPECT_EQ(SackedClubControl, 0);
    EXPECT_EQ(SackedClub, kClub);
}

TEST_F(BoardTest, SackedComputerManagerKeepsHisFormerClubAndIsNeverRehiredByIt) {
    const uint16_t m = MakeManager(kClub, 20);
    SetClubTenure2(kClub, 59);
    LoseFourMatches(kClub);
    BoardWeeklyReview();
    ASSERT_EQ(GetPlayerClub(m), kNoClub);
    EXPECT_EQ(GetPlayerWage(m), kClub);
    EXPECT_EQ(SackedClubControl, 0);
    EXPECT_EQ(SackedClub, kNoClub);
    // Whatever the draws, the club's search never takes him back; another
    // free agent in reach is taken two times in three.
    const uint16_t other = MakePlayer(-1, 13);
    SetPlayerReputation(other, 25);
    SetPlayerReputation(m, 20);
    int taken = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        GameSetRandomState(seed);
        SetPlayerClub(other, -1);
        const uint16_t found = FindNewManager(kClub, kNoManager);
        EXPECT_NE(found, m);
        if (found == other) {
            ++taken;
            EXPECT_EQ(GetPlayerMorale(other), 60);
        } else {
            EXPECT_EQ(found, kNoManager);
        }
    }
    EXPECT_GT(taken, 25);
    EXPECT_LT(taken, 60);
    EXPECT_GT(CountMessages(kClub, 57), 0);
}

// The search reads the kept club words while the review keeps them: a
// manager who walks out of his club during the run is free for the next
// search, and one who has just been given a club is not.
TEST_F(BoardTest, TheSearchSeesAManagerLeaveOrJoinAClubWhileTheClubWordsAreKept) {
    const uint16_t m = MakePlayer(kOther, 13);
    SetPlayerLoanClub(m, kOther);
    SetPlayerReputation(m, 25);
    SetPlayerWage(m, 500);
    SetPlayerField52(m, 0);  // too new at his club to be lured away
    KeepPlayerMarketKeys(true);
    const auto takenIn = [](uint16_t manager) {
        int taken = 0;
        for (uint32_t seed = 1; seed <= 30; ++seed) {
            GameSetRandomState(seed);
            taken += FindNewManager(kClub, kNoManager) == manager;
        }
        return taken;
    };
    EXPECT_EQ(takenIn(m), 0) << "not settled at his club: nobody takes him";
    SetPlayerClub(m, -1);
    SetPlayerLoanClub(m, -1);
    EXPECT_GT(takenIn(m), 10) << "free now";
    SetPlayerClub(m, kOther);
    SetPlayerLoanClub(m, kOther);
    EXPECT_EQ(takenIn(m), 0) << "back at a club";
    KeepPlayerMarketKeys(false);
}

// While the review keeps the tables, the search looks only at the kept set
// of managers who do not play: it must follow every field that makes one,
// or the search picks another man or draws another count.
TEST_F(BoardTest, KeptManagerSetFollowsEveryFieldThatMakesAManager) {
    const uint16_t free = MakePlayer(-1, 13);
    SetPlayerReputation(free, 25);
    SetPlayerWage(free, 500);
    const uint16_t employed = MakeManager(kOther, 30);
    SetPlayerNationality(employed, 0);
    const auto search = [] {
        GameSeedRandom(7);
        const uint16_t found = FindNewManager(kClub, kNoManager);
        return std::make_pair(found, GameRandomState());
    };
    const std::vector<std::function<void()>> changes = {
        [&] { SetPlayerHalvornB(free, 0); },      [&] { SetPlayerPosition(free, 13); },
        [&] { SetPlayerPosition(employed, 4); },  [&] { SetPlayerHalvornB(employed, 0); },
        [&] { SetPlayerPosition(employed, 13); }, [&] { SetPlayerClub(free, kOther); },
        [&] { SetPlayerPosition(free, 6); },      [&] { SetPlayerClub(free, -1); },
        [&] { SetPlayerHalvornB(free, 0); },      [&] { SetPlayerHalvornB(employed, 0); },
        [&] { SetPlayerHalvornB(employed, 1); },
    };
    std::set<uint16_t> found;
    for (size_t step = 0; step < changes.size(); ++step) {
        KeepPlayerMarketKeys(true);
        ASSERT_NE(KeptManagerSet(), nullptr);  // built before the change
        changes[step]();
        const auto kept = search();
        KeepPlayerMarketKeys(false);
        const auto plain = search();
        EXPECT_EQ(kept, plain) << "after change " << step;
        found.insert(plain.first);
    }
    // The changes let the search find either man, or neither.
    EXPECT_EQ(found, (std::set<uint16_t>{free, employed, kNoManager}));
}

TEST_F(BoardTest, TheUserIsOfferedTheJobOnceAndNeverGivenTheClub) {
    // The user manages a smaller club of the same nation; nobody else is free.
    MakeClub(kOther, 0, 1, 10);
    SetPlayerClub(1, kOther);
    SetPlayerLoanClub(1, kOther);
    SetPlayerPosition(1, 13);
    SetPlayerNationality(1, 0);
    SetPlayerField52(1, 100);
    SetPlayerReputation(1, 30);
    SetPlayerWage(1, 700);
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        GameSetRandomState(seed);
        EXPECT_EQ(FindNewManager(kClub, kNoManager), kNoManager);
        EXPECT_EQ(GetPlayerClub(1), kOther);
    }
    EXPECT_EQ(JobOfferClub, kClub);
    EXPECT_EQ(JobOfferClubShown, kClub);
    EXPECT_EQ(JobOfferPending, 1);
    EXPECT_EQ(CountMessages(kClub, 150), 1);
    // Out of work, he is a free agent like any other: the search offers him
    // the job (two times in three) but never hands him the club.
    JobOfferClub = -1;
    JobOfferPending = 0;
    SetPlayerClub(1, -1);
    SetPlayerLoanClub(1, -1);
    int offers = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        GameSetRandomState(seed);
        JobOfferPending = 0;
        EXPECT_EQ(FindNewManager(kClub, kNoManager), kNoManager);
        offers += JobOfferPending;
    }
    EXPECT_GT(offers, 5);
    EXPECT_LT(offers, 20);
    EXPECT_EQ(JobOfferClub, kClub);
    EXPECT_EQ(GetPlayerClub(1), kNoClub);
}

TEST_F(BoardTest, EmployedManagerMovesFromASmallerClub) {
    const uint16_t m = MakeManager(kOther, 30);
    SetPlayerNationality(m, 0);
    SetClubBalance(kClub, 0);
    // No free agent: the employed search runs at once; the club has no
    // manager and gets one at the first weekly draw that allows it.
    bool appointed = false;
    for (uint32_t seed = 1; seed <= 200 && !appointed; ++seed) {
        GameSetRandomState(seed);
        BoardWeeklyReview();
        appointed = GetPlayerClub(m) == kClub;
    }
    ASSERT_TRUE(appointed);
    EXPECT_EQ(GetPlayerLoanClub(m), kClub);
    EXPECT_EQ(FindClubManager(kClub), m);
    EXPECT_EQ(GetPlayerFans(m), 48);
    EXPECT_EQ(GetPlayerField52(m), 0);
    EXPECT_EQ(GetClubBalance(kClub), BoardMoneyTable[0][0] * kBoardMoneyUnit * 30);
    EXPECT_EQ(GetClubTenure2(kClub), 0);
    EXPECT_EQ(CountMessages(kClub, 50), 1);
    EXPECT_TRUE(HasClubHistory(kClub, 15));
    EXPECT_TRUE(HasClubHistory(kOther, 14));
    EXPECT_EQ(FindClubManager(kOther), kNoManager);
}

TEST_F(BoardTest, SeniorPlayerTakesChargeAsCaretakerOrPlayerManager) {
    SetClubRep(kClub, 20);
    const uint16_t young = MakePlayer(kClub, 5, 10);
    SetPlayerReputation(young, 63);
    const uint16_t listed = MakePlayer(kClub, 6, 18);
    SetPlayerReputation(listed, 60);
    SetPlayerTxList(listed, 1);
    const uint16_t senior = MakePlayer(kClub, 7, 17);
    SetPlayerReputation(senior, 40);
    const uint16_t second = MakePlayer(kClub, 8, 16);
    SetPlayerReputation(second, 30);
    for (uint16_t p : {young, listed, senior, second}) SetPlayerMorale(p, 55);
    RebuildClubRoster(kClub);
    int caretakers = 0, permanent = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        GameSetRandomState(seed);
        SetPlayerHalvorn(senior, 0);
        SetPlayerCaretaker(senior, 0);
        AppointPlayerManager(kClub);
        EXPECT_EQ(GetPlayerHalvorn(young), 0);
        EXPECT_EQ(GetPlayerHalvorn(listed), 0);
        EXPECT_EQ(GetPlayerHalvorn(second), 0);
        ASSERT_EQ(GetPlayerHalvorn(senior), 1);
        (GetPlayerCaretaker(senior) != 0 ? caretakers : permanent)++;
    }
    EXPECT_GT(permanent, 0);
    EXPECT_GT(caretakers, permanent);
    EXPECT_GT(CountMessages(kClub, 55), 0);
    EXPECT_GT(CountMessages(kClub, 56), 0);
    // Unhappy players do not take charge.
    SetPlayerHalvorn(senior, 0);
    SetPlayerCaretaker(senior, 0);
    SetPlayerMorale(senior, 40);
    AppointPlayerManager(kClub);
    EXPECT_EQ(GetPlayerHalvorn(senior), 0);
}

TEST_F(BoardTest, SuccessfulManagerOfAComputerClubMayBeHeadHunted) {
    SetClubRep(kClub, 63);
    const uint16_t m = MakeManager(kClub, 63);
    SetPlayerStat(m, 18, 99);
    SetClubSupport(kClub, 100);
    LoseFourMatches(kClub);
    // Ranked tenth of twenty in the nation, first in the ladder: 17.
    ClubCountOfNation[0] = 20;
    for (int c = 0; c < 20; ++c) {
        MakeClub(int16_t(200 + c), 0, 1, 10);
        ClubStrengthRanking[c] = {uint16_t(200 + c), 0};
    }
    ClubStrengthRanking[10] = {uint16_t(kClub), 0};
    LeagueTable[0][0][0] = kClub;
    ASSERT_EQ(BoardScorePerformance(kClub), 17);
    bool left = false;
    for (int week = 0; week < 100 && !left; ++week) {
        BoardWeeklyReview();
        left = GetPlayerClub(m) == kNoClub;
    }
    ASSERT_TRUE(left);
    EXPECT_EQ(GetPlayerWage(m), kClub);
    EXPECT_EQ(CountMessages(kClub, 51), 1);
    EXPECT_EQ(GetClubControl(kClub), 0);
}

TEST_F(BoardTest, FinanceScoreMeasuresMoneyAgainstTheDivision) {
    SetClubBalance(kClub, 30000000);
    EXPECT_EQ(BoardScoreFinance(kClub), 16);
    SetClubBalance(kClub, 15000000);
    EXPECT_EQ(BoardScoreFinance(kClub), 8);  // 50 of 100
    SetClubBalance(kClub, 0);
    EXPECT_EQ(BoardScoreFinance(kClub), 0);
    MakeClub(kOther, 3, 5, 10);  // 10 x 3000 a point
    SetClubBalance(kOther, 1500000);
    EXPECT_EQ(BoardScoreFinance(kOther), 8);
    SetClubBalance(kOther, 100000000);
    EXPECT_EQ(BoardScoreFinance(kOther), 16);
    SetClubDivision(kOther, 6);
    EXPECT_EQ(BoardScoreFinance(kOther), 0);
}

TEST_F(BoardTest, ScoresStayInRangeOverRandomClubsAndFixtures) {
    GameSetRandomState(77);
    for (int16_t c = 0; c < 60; ++c) MakeClub(c, int16_t(c % 9), int16_t(c % 6), int16_t(3 + c % 61));
    for (int round = 0; round < 40; ++round) {
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        for (int16_t c = 0; c < 60; ++c) {
            LeagueTable[c % 9][c % 6][GameRandom() % 24] = c;
            SetClubBalance(c, 0);
            AddClubBalance(c, GameRandom() * 4096);
        }
        RankClubsByStrength();
        for (int slot = 0; slot < 300; ++slot) {
            PutFixture(slot, kDay - GameRandom() % 60, GameRandom() % 128, GameRandom() % 60,
                       GameRandom() % 60, GameRandom() % 31, GameRandom() % 31);
        }
        for (int16_t c = 0; c < 60; ++c) {
            const int form = BoardFormScore(c), finance = BoardScoreFinance(c),
                      perf = BoardScorePerformance(c);
            ASSERT_GE(form, 0);
            ASSERT_LE(form, 60);
            ASSERT_GE(finance, 0);
            ASSERT_LE(finance, 16);
            ASSERT_GE(perf, 0);
            ASSERT_LE(perf, 24);
            ASSERT_EQ(GetBoardConfidence(c), form + finance + perf);
            ASSERT_EQ(IsBoardUnhappy(c), form + finance + perf < 35 ? 1 : 0);
        }
    }
    // No recent matches: the form score is 60.
    EXPECT_EQ(BoardFormScore(kClub), 60);
}

// The form score reads the competitive matches of the 30 days before today
// only: a win a day too early, a friendly and today's defeat change nothing.
TEST_F(BoardTest, FormScoreReadsTheThirtyDaysBeforeTodayOnly) {
    PutFixture(0, kDay - 31, kCompLeague, kClub, kOther, 5, 0);
    PutFixture(1, kDay - 30, kCompLeague, kClub, kOther, 0, 1);
    PutFixture(2, kDay - 2, kCompFriendly, kClub, kOther, 0, 3);
    PutFixture(3, kDay, kCompLeague, kOther, kClub, 4, 0);
    // One defeat by a goal: -200 + 200 - 80, and 300 for the three matches
    // short of four, times 60 / 400.
    EXPECT_EQ(BoardFormScore(kClub), 33);
    EXPECT_EQ(BoardFormScore(kOther), 60);  // the other side: one win
}

TEST_F(BoardTest, ScreensRemoveAManagerOrApplyOnlyForRealClubs) {
    const uint16_t m = MakeManager(kClub, 20);
    SetClubControl(kClub, 1);
    for (const int16_t bad : {int16_t(-1), int16_t(kClubCount), int16_t(300)}) {
        RemoveClubManager(bad);
        JobApplication(bad);
        EXPECT_EQ(HVW_ApplyForManagerJob(bad, 1), 0);
    }
    EXPECT_EQ(JobApplicationRecord.club, 65535);
    EXPECT_EQ(JobApplicationRecord.accepted, 65535);
    EXPECT_EQ(GetPlayerClub(m), kClub);
    RemoveClubManager(kOther);  // no manager: nothing to remove
    EXPECT_EQ(GetClubRep(kOther), 20);
    RemoveClubManager(kClub);
    EXPECT_EQ(GetPlayerClub(m), kNoClub);
    EXPECT_EQ(GetPlayerWage(m), kClub);
    EXPECT_EQ(GetClubControl(kClub), 0);
    EXPECT_EQ(GetClubRep(kClub), 31);
    EXPECT_EQ(SackedClubControl, 0);  // leaving is not being sacked
}

}  // namespace
