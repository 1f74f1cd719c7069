#include "core/club/training.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "core/records/training.h"
#include "tests/core/club/daily_fixture.h"

namespace {

constexpr int16_t kTrainingUserClub = 7;

class TrainingTest : public DailyJobsTest {
  protected:
    void SetUp() override {
        DailyJobsTest::SetUp();
        std::memset(TrainingRecords, 0, sizeof TrainingRecords);
        MakeClub(kTrainingUserClub, 0, 1);
        MakeClub(8, 0, 1);
        MakeUserClub(kTrainingUserClub);
        SeasonCalendar.currentDay = 100;
    }

    // A player of the user's club with a training record of two kinds.
    static uint16_t Trainee(int16_t record, uint16_t kindA, uint16_t kindB, int16_t position = 5) {
        const uint16_t p = MakePlayer(kTrainingUserClub, position, 6, 60);
        SetPlayerFitness(p, 30);
        SetPlayerFatigue(p, 10);
        SetPlayerMorale(p, 30);
        SetPlayerField105(p, 30);
        SetPlayerField118(p, 30);
        SetRecord(record, p, kindA, kindB);
        return p;
    }
    static void SetRecord(int16_t record, uint16_t player, uint16_t kindA, uint16_t kindB) {
        uint8_t* r = TrainingRecords[record].bytes;
        recbits::StoreU16(r + kTrainingPlayer, player);
        recbits::StoreU16(r + kTrainingRegular, kindA);
        recbits::StoreU16(r + kTrainingExtra, kindB);
    }
    static uint8_t Counter(int16_t record, int counter) {
        return TrainingRecords[record].bytes[kTrainingCounters + counter];
    }
    static int CounterSum(int16_t record) {
        int sum = 0;
        for (int c = 0; c < kTrainingCounterCount; ++c) sum += Counter(record, c);
        return sum;
    }

    // Everything training can change about a player.
    static std::array<int, 36> Snapshot(uint16_t p) {
        std::array<int, 36> values{};
        for (int16_t s = 0; s < kStatCount; ++s) values[s] = GetPlayerStat(p, s, 0);
        values[28] = GetPlayerFitness(p);
        values[29] = GetPlayerFatigue(p);
        values[30] = GetPlayerMorale(p);
        values[31] = GetPlayerField105(p);
        values[32] = GetPlayerField118(p);
        values[33] = GetPlayerPosition2(p);
        values[34] = GetPlayerSetting1(p) + 4 * GetPlayerSetting2(p) + 16 * GetPlayerSetting3(p);
        values[35] = GetPlayerIT(p);
        return values;
    }

    static void TrainDays(int days) {
        for (int d = 0; d < days; ++d) ProcessSquadTrainingDay();
    }
};

TEST_F(TrainingTest, IntervalsFollowConditionStaminaAndAgeWithASixteenBitProduct) {
    const uint16_t p = MakePlayer(kTrainingUserClub, 5, 8, 60);
    EXPECT_EQ(DevelopmentInterval(p), 41 * 42 / 50);
    EXPECT_EQ(FatigueInterval(p), 41 * 22 / 50);
    SetPlayerAge(p, 0);
    EXPECT_EQ(DevelopmentInterval(p), 21);  // 41 x 15 / 50 is below the floor
    // An old man of poor condition: 100 x 810 = 81000 is 15464 as a word.
    SetPlayerAge(p, 40);
    SetPlayerStat(p, 27, 1);
    EXPECT_EQ(DevelopmentInterval(p), 15464 / 50);
    EXPECT_EQ(FatigueInterval(p), 1);
}

TEST_F(TrainingTest, BestRoleWeighsSettingsAndTenthsOfAttributesTiesToTheLowerRole) {
    const uint16_t p = MakePlayer(kTrainingUserClub, 5, 6, 60);
    // Every role's weights sum to 10 but role 12's, which sum to 11.
    EXPECT_EQ(BestRoleForPlayer(p), 12);
    // Attributes below 10 weigh nothing: every role scores 33 x 3.
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 9);
    EXPECT_EQ(BestRoleForPlayer(p), 1);
    // Nothing above the starting score of 1: role 0.
    SetPlayerSetting1(p, 0);
    SetPlayerSetting2(p, 0);
    SetPlayerSetting3(p, 0);
    EXPECT_EQ(BestRoleForPlayer(p), 0);
    // Setting 3 weighs in roles 1, 3 and 9; heading (13) and passing (3)
    // make role 7.
    SetPlayerStat(p, 13, 90);
    SetPlayerStat(p, 3, 90);
    EXPECT_EQ(BestRoleForPlayer(p), 7);
    // With setting 3 roles 1, 3 and 9 score 99 + 9 and tie: role 1.
    SetPlayerSetting3(p, 3);
    EXPECT_EQ(BestRoleForPlayer(p), 1);
}

TEST_F(TrainingTest, OnlyFitPlayersAtHomeWhoPlayForTheUserTrain) {
    const uint16_t trains = Trainee(0, 0, 0);
    const uint16_t injured = Trainee(1, 0, 0);
    SetPlayerIT(injured, 12);
    const uint16_t away = Trainee(2, 0, 0);
    SetPlayerIntDuty(away, 1);
    // Lent out by the user: he plays for club 8 now.
    const uint16_t lentOut = Trainee(3, 0, 0);
    SetPlayerClub(lentOut, 8);
    // On loan at the user's club from club 8: he trains with it.
    const uint16_t borrowed = Trainee(4, 0, 0);
    SetPlayerLoanClub(borrowed, 8);
    RebuildClubRoster(kTrainingUserClub);
    const auto injuredBefore = Snapshot(injured), awayBefore = Snapshot(away), lentBefore = Snapshot(lentOut);
    TrainDays(20);
    EXPECT_EQ(Snapshot(injured), injuredBefore);
    EXPECT_EQ(Snapshot(away), awayBefore);
    EXPECT_EQ(Snapshot(lentOut), lentBefore);
    // Two training kinds give a day's fitness gain of up to 4.
    EXPECT_GT(GetPlayerFitness(trains), 30u);
    EXPECT_GT(GetPlayerFitness(borrowed), 30u);
}

TEST_F(TrainingTest, NoRecordDevelopsInTheCloseSeasonTheYoungestTireMoreAndTheYouthTrainOn) {
    SeasonCalendar.currentDay = 301;  // the league ended on day 300
    const uint16_t senior = Trainee(0, 8, 8);
    const uint16_t young = Trainee(1, 8, 8);
    SetPlayerAge(young, 2);
    SetPlayerFatigue(young, 0);
    const uint16_t youth = MakePlayer(kTrainingUserClub, 6, 1, 60);
    SetPlayerFlag95(youth, 1);
    SetPlayerMorale(youth, 20);
    RebuildClubRoster(kTrainingUserClub);
    const int morale = GetPlayerMorale(senior);
    TrainDays(60);
    for (int16_t s = 0; s < kStatCount; ++s) {
        EXPECT_EQ(GetPlayerStat(senior, s, 0), 60);
        EXPECT_EQ(GetPlayerStat(young, s, 0), 60);
    }
    EXPECT_EQ(CounterSum(0) + CounterSum(1), 0);
    // The youth team's day has no close season: its morale lift goes on.
    EXPECT_GT(GetPlayerMorale(youth), 20u);
    // Rest: condition values only fall, the morale stays.
    EXPECT_LT(GetPlayerFitness(senior), 30u);
    EXPECT_LE(GetPlayerField105(senior), 30u);
    EXPECT_EQ(int(GetPlayerMorale(senior)), morale);
    // Under stored age 4 a day adds the age and takes off at most one.
    EXPECT_GE(GetPlayerFatigue(young), 60u - 1);
}

TEST_F(TrainingTest, RestAsFirstKindRestsAndRestAsSecondKindOnlySuppresses) {
    const uint16_t rests = Trainee(0, kTrainingRest, 0);
    const uint16_t secondRests = Trainee(1, 0, kTrainingRest);
    const uint16_t works = Trainee(2, 0, 0);
    RebuildClubRoster(kTrainingUserClub);
    for (uint16_t p : {rests, secondRests, works}) SetPlayerStat(p, 27, 99);  // develops rarely
    TrainDays(6);
    // Kind A resting costs field 105 and only its own fitness gain: kind B
    // still trains.
    EXPECT_LT(GetPlayerField105(rests), 30u);
    EXPECT_EQ(GetPlayerMorale(rests), 30u);
    // With kind B resting no morale or field 118 draws happen; kind A
    // still gains fitness.
    EXPECT_EQ(GetPlayerMorale(secondRests), 30u);
    EXPECT_EQ(GetPlayerField118(secondRests), 30u);
    EXPECT_EQ(GetPlayerField105(secondRests), 30u);
    EXPECT_GT(GetPlayerFitness(secondRests), 30u);
    EXPECT_GT(GetPlayerMorale(works), 30u);
}

TEST_F(TrainingTest, BothKindsOfADevelopmentDayUseOnePick) {
    const uint16_t p = Trainee(0, 8, 8);
    RebuildClubRoster(kTrainingUserClub);
    SetPlayerStat(p, 27, 99);
    SetPlayerAge(p, 0);  // a = 21
    for (int day = 0; day < 400 && CounterSum(0) == 0; ++day) ProcessSquadTrainingDay();
    ASSERT_EQ(CounterSum(0), 2);
    int moved = 0;
    for (int c : {16, 15, 4, 7}) moved += Counter(0, c) == 2;
    EXPECT_EQ(moved, 1);
}

TEST_F(TrainingTest, RaisesAreCountedOnlyWhenTheAttributeRose) {
    const uint16_t p = Trainee(0, 2, 1);
    DevelopPlayerAttributes(0, 1, 2);  // kind 2, pick 1: attribute 8
    EXPECT_EQ(GetPlayerStat(p, 8, 0), 61);
    EXPECT_EQ(Counter(0, 0), 1);
    // At the top of its range (its cap for this player) it stays.
    SetPlayerStat(p, 8, 100);
    const int top = GetPlayerStat(p, 8, 0);
    DevelopPlayerAttributes(0, 1, 2);
    EXPECT_EQ(GetPlayerStat(p, 8, 0), top);
    EXPECT_EQ(Counter(0, 0), 1);
    // Attribute 15 rises without a counter; the keeper's kind 0 works on
    // attribute 0 where others work on 4.
    DevelopPlayerAttributes(0, 2, 3);
    EXPECT_EQ(GetPlayerStat(p, 15, 0), 61);
    EXPECT_EQ(CounterSum(0), 1);
    DevelopPlayerAttributes(0, 0, 0);
    EXPECT_EQ(Counter(0, 12), 1);  // attribute 4
    SetPlayerPosition(p, 0);
    DevelopPlayerAttributes(0, 0, 0);
    EXPECT_EQ(Counter(0, 8), 1);  // attribute 0
    // Kinds beyond 21 and a bad record or pick do nothing.
    const auto before = Snapshot(p);
    DevelopPlayerAttributes(0, 0, 22);
    DevelopPlayerAttributes(0, 4, 2);
    DevelopPlayerAttributes(100, 0, 2);
    EXPECT_EQ(Snapshot(p), before);
}

TEST_F(TrainingTest, PositionTrainingConvertsOnlyToItsOwnTargetWhenTheBestRoleSaysSo) {
    // All attributes 60 and full settings: role 12 fits best.
    const uint16_t p = Trainee(0, 19, 20, 5);
    DevelopPlayerAttributes(0, 0, 19);  // to position 11: not his best role
    EXPECT_EQ(GetPlayerPosition2(p), 5u);
    EXPECT_EQ(CountMessages(kTrainingUserClub, 264, p), 0);
    DevelopPlayerAttributes(0, 0, 20);
    EXPECT_EQ(GetPlayerPosition2(p), 12u);
    EXPECT_EQ(CountMessages(kTrainingUserClub, 264, p), 1);
    EXPECT_EQ(GetTrainingRecordRegular(0), 19);
    EXPECT_EQ(GetTrainingRecordExtra(0), kTrainingGeneral);
    // Already in his best role: the work goes on, nobody is converted.
    SetRecord(0, p, 20, 20);
    DevelopPlayerAttributes(0, 2, 20);
    EXPECT_EQ(GetPlayerStat(p, 19, 0), 61);
    EXPECT_EQ(CountMessages(kTrainingUserClub, 264, p), 1);
    EXPECT_EQ(GetTrainingRecordRegular(0), 20);
}

TEST_F(TrainingTest, SideSkillsGrowOnPickOneAndEndTheirTrainingAtThree) {
    const uint16_t p = Trainee(0, 5, 6);
    SetPlayerSetting3(p, 1);
    SetPlayerSetting1(p, 2);
    DevelopPlayerAttributes(0, 0, 5);
    EXPECT_EQ(GetPlayerSetting3(p), 1u);
    DevelopPlayerAttributes(0, 1, 5);
    EXPECT_EQ(GetPlayerSetting3(p), 2u);
    EXPECT_EQ(GetTrainingRecordRegular(0), 5);
    EXPECT_EQ(CountMessages(kTrainingUserClub, 257, p), 1);
    ++SeasonCalendar.currentDay;
    DevelopPlayerAttributes(0, 1, 6);
    EXPECT_EQ(GetPlayerSetting1(p), 3u);
    EXPECT_EQ(GetTrainingRecordExtra(0), kTrainingGeneral);
    EXPECT_EQ(CountMessages(kTrainingUserClub, 257, p), 2);
}

class ComputerTrainingTest : public TrainingTest {
  protected:
    static uint16_t ComputerPlayer(int16_t position) {
        const uint16_t p = MakePlayer(8, position, 0, 60);
        SetPlayerStat(p, 27, 99);  // develops every 21 days at most
        SetPlayerFatigue(p, 0);
        SetPlayerField118(p, 0);
        return p;
    }
};

TEST_F(ComputerTrainingTest, TiredPlayersRestAndTheWeakGetGeneralWork) {
    const uint16_t tired = ComputerPlayer(5);
    SetPlayerFatigue(tired, 60);
    const uint16_t general = ComputerPlayer(5);  // attribute 22 is below 90
    const uint16_t lentOut = ComputerPlayer(5);
    SetPlayerLoanClub(lentOut, 8);
    SetPlayerClub(lentOut, kTrainingUserClub);
    RebuildClubRoster(8);
    const auto lentBefore = Snapshot(lentOut), tiredBefore = Snapshot(tired),
               generalBefore = Snapshot(general);
    // Three rounds take fatigue 60 down by 24 at most: still tired.
    ApplyTrainingEffects(8, 3);
    for (int16_t s = 0; s < kStatCount; ++s) EXPECT_EQ(GetPlayerStat(tired, s, 0), tiredBefore[s]);
    EXPECT_LT(GetPlayerFatigue(tired), 60u);
    for (int i = 0; i < 40; ++i) ApplyTrainingEffects(8, 14);
    // A player the club has out on loan is in its roster and trains with it.
    EXPECT_NE(Snapshot(lentOut), lentBefore);
    int raised = 0;
    for (int16_t s = 0; s < kStatCount; ++s) {
        const int change = GetPlayerStat(general, s, 0) - generalBefore[s];
        if (s == 19 || s == 6 || s == 12 || s == 22)
            raised += change;
        else
            EXPECT_EQ(change, 0) << s;
    }
    EXPECT_GT(raised, 0);
}

TEST_F(ComputerTrainingTest, StrongPlayersWorkOnTheSkillsOfTheirPosition) {
    // A forward (12) whose finishing (4) is ahead of his attribute 9 works
    // on kind 2: attributes 9, 8, 19 and 6; a striker (10) whose
    // attribute 10 leads attribute 4 only rests; a full back (1) whose
    // attribute 8 is short of twice attribute 10 does nothing.
    const uint16_t forward = ComputerPlayer(12);
    const uint16_t striker = ComputerPlayer(10);
    SetPlayerStat(striker, 10, 70);
    const uint16_t fullBack = ComputerPlayer(1);
    for (uint16_t p : {forward, striker, fullBack}) {
        SetPlayerStat(p, 22, 95);
        SetPlayerStat(p, 12, 99);  // training injuries stay rare
    }
    RebuildClubRoster(8);
    const auto forwardBefore = Snapshot(forward), strikerBefore = Snapshot(striker),
               fullBackBefore = Snapshot(fullBack);
    for (int i = 0; i < 40; ++i) ApplyTrainingEffects(8, 14);
    int raised = 0;
    for (int16_t s = 0; s < kStatCount; ++s) {
        const int change = GetPlayerStat(forward, s, 0) - forwardBefore[s];
        if (s == 9 || s == 8 || s == 19 || s == 6)
            raised += change;
        else if (GetPlayerIT(forward) == 0) {
            EXPECT_EQ(change, 0) << s;
        }
    }
    EXPECT_GT(raised, 0);
    for (int16_t s = 0; s < kStatCount; ++s) {
        if (GetPlayerIT(striker) == 0) {
            EXPECT_EQ(GetPlayerStat(striker, s, 0), strikerBefore[s]) << s;
        }
        if (GetPlayerIT(fullBack) == 0) {
            EXPECT_EQ(GetPlayerStat(fullBack, s, 0), fullBackBefore[s]) << s;
        }
    }
}

TEST_F(ComputerTrainingTest, ComputerStepsRaiseWithoutCountersOrNews) {
    const uint16_t p = ComputerPlayer(0);
    ComputerDevelopPlayer(p, 2, 0);  // a keeper's kind 0, pick 2: attribute 9
    EXPECT_EQ(GetPlayerStat(p, 9, 0), 61);
    SetPlayerField118(p, 30);
    ComputerDevelopPlayer(p, 3, kTrainingGeneral);  // attribute 22, then field 118 may fall
    EXPECT_EQ(GetPlayerStat(p, 22, 0), 61);
    EXPECT_GE(GetPlayerField118(p), 29u);
    const auto before = Snapshot(p);
    ComputerDevelopPlayer(p, 1, 5);
    ComputerDevelopPlayer(p, 1, 20);
    EXPECT_EQ(Snapshot(p), before);
    EXPECT_EQ(CountMessages(8, 257) + CountMessages(8, 264), 0);
}

}  // namespace
