// Training records, the player-watch table, and the daily scouting tip.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/query/people.h"
#include "core/records/records.h"
#include "core/records/scouttip.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using recbits::LoadU16;

class TrainingTest : public RecordsTest {
  protected:
    static constexpr int16_t kUserClub = 4;

    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(TrainingRecords, 0, sizeof TrainingRecords);
        std::memset(PlayerWatchSlots, 0, sizeof PlayerWatchSlots);
        SetPlayerClub(1, kUserClub);
        SetPlayerLoanClub(1, kUserClub);
        SetPlayerHalvorn(1, 1);
    }

    static void Join(uint16_t p, int16_t club) {
        SetClubControl(club, 1);  // a human club's lists are its roster as it stands
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, 5);
        for (uint16_t& slot : ClubRoster[club]) {
            if (slot == 0) {
                slot = p;
                break;
            }
        }
    }
    static const uint8_t* Block(int record, int block) {
        return TrainingRecords[record].bytes + kTrainingBlocks + block * kTrainingBlockSize;
    }
    static bool HistoriesEmpty(int slot) {
        for (int i = 2; i < 42; ++i) {
            if (PlayerWatchSlots[slot].bytes[i] != 0xFF) return false;
        }
        return true;
    }
};

TEST_F(TrainingTest, KindTexts) {
    EXPECT_EQ(HVW_GetTrainingKindTextId(0), 655);
    EXPECT_EQ(HVW_GetTrainingKindTextId(7), 662);
    EXPECT_EQ(HVW_GetTrainingKindTextId(8), 664);
    EXPECT_EQ(HVW_GetTrainingKindTextId(11), 668);
    EXPECT_EQ(HVW_GetTrainingKindTextId(12), 667);
    EXPECT_EQ(HVW_GetTrainingKindTextId(21), 725);
    EXPECT_EQ(HVW_GetTrainingKindTextId(22), 663);
}

TEST_F(TrainingTest, ExtraQueryAddsAPartRecordThatRegularKeeps) {
    // Leftovers of an old record in the first free slot.
    std::memset(TrainingRecords[0].bytes + kTrainingCounters, 7, kTrainingCounterCount);
    std::memset(TrainingRecords[0].bytes + kTrainingBlocks, 3, 4 * kTrainingBlockSize);
    EXPECT_EQ(HVW_GetExtraTraining(30), 4);
    EXPECT_EQ(HVW_FindEntryById(30), 0);
    EXPECT_EQ(TrainingRecords[0].bytes[kTrainingCounters], 7);
    EXPECT_EQ(Block(0, 1)[0], 3);
    EXPECT_EQ(HVW_GetRegularTraining(30), 8);  // found: not set up again
    EXPECT_EQ(Block(0, 1)[0], 3);

    EXPECT_EQ(HVW_GetRegularTraining(31), 8);  // a full set-up
    EXPECT_EQ(HVW_FindEntryById(31), 1);
    EXPECT_EQ(TrainingRecords[1].bytes[kTrainingCounters + 16], 0);
    EXPECT_EQ(Block(1, 0)[5], 0xFF);
    EXPECT_EQ(Block(1, 1)[0], 0);
    EXPECT_EQ(Block(1, 1)[1], 0xFF);
    EXPECT_EQ(Block(1, 2)[0], 0xFF);
    EXPECT_EQ(Block(1, 3)[0], 0);

    EXPECT_EQ(HVW_FindEntryById(32), -1);
    EXPECT_EQ(HVW_FindEntryById(0), 2);  // player 0 finds the first free record
}

TEST_F(TrainingTest, NoFreeRecordGivesTheDefaultKindsAndWritesNothing) {
    for (int i = 0; i < kTrainingRecords; ++i) recbits::StoreU16(TrainingRecords[i].bytes, uint16_t(200 + i));
    const TrainingRecord last = TrainingRecords[kTrainingRecords - 1];
    EXPECT_EQ(HVW_GetRegularTraining(30), 8);
    EXPECT_EQ(HVW_GetExtraTraining(30), 4);
    EXPECT_EQ(HVW_FindEntryById(30), -1);
    EXPECT_EQ(std::memcmp(&last, &TrainingRecords[kTrainingRecords - 1], sizeof last), 0);
}

TEST_F(TrainingTest, EnsureRecordsAndClearLeftPlayers) {
    Join(20, kUserClub);
    Join(21, kUserClub);
    Join(22, 9);
    HVW_EnsureTrainingRecords();
    EXPECT_GE(HVW_FindEntryById(20), 0);
    EXPECT_GE(HVW_FindEntryById(21), 0);
    EXPECT_EQ(HVW_FindEntryById(22), -1);

    const int r20 = HVW_FindEntryById(20);
    const int r21 = HVW_FindEntryById(21);
    TrainingRecords[r20].bytes[kTrainingBlocks + 7] = 5;
    SetPlayerLoanClub(21, 9);  // now plays elsewhere
    Training_ClearLeftPlayers();
    EXPECT_EQ(HVW_FindEntryById(21), -1);
    EXPECT_EQ(LoadU16(TrainingRecords[r21].bytes + kTrainingRegular), 0);
    EXPECT_EQ(HVW_FindEntryById(20), r20);
    EXPECT_EQ(LoadU16(TrainingRecords[r20].bytes + kTrainingRegular), 8);
    // Both held a player: their blocks are reset.
    for (int r : {r20, r21}) {
        EXPECT_EQ(Block(r, 0)[7], 0xFF);
        EXPECT_EQ(Block(r, 1)[0], 0);
        EXPECT_EQ(Block(r, 3)[0], 0);
    }
    // A record never used keeps its bytes.
    EXPECT_EQ(Block(50, 1)[0], 0);
    EXPECT_EQ(Block(50, 0)[0], 0);
}

TEST_F(TrainingTest, WatchSlots) {
    HVW_SetPlayerWatchSlot(3, 40);
    EXPECT_EQ(HVW_FindPlayerWatchSlot(40), 3);
    EXPECT_TRUE(HistoriesEmpty(3));
    EXPECT_EQ(HVW_FindPlayerWatchSlot(0), -1);
    EXPECT_EQ(HVW_FindFreePlayerWatchSlot(40), 0);
    HVW_SetPlayerWatchSlot(32, 41);  // no such slot
    HVW_SetPlayerWatchSlot(-1, 41);
    EXPECT_EQ(HVW_FindPlayerWatchSlot(41), -1);
    HVW_ClearPlayerWatchSlot(40);
    EXPECT_EQ(HVW_FindPlayerWatchSlot(40), -1);
    EXPECT_TRUE(HistoriesEmpty(3));
    HVW_ClearPlayerWatchSlot(77);  // absent: nothing happens
}

TEST_F(TrainingTest, FullWatchTable) {
    for (uint16_t p = 20; p < 52; ++p) Join(p, kUserClub);
    Join(60, 9);
    HVW_FillPlayerWatchTable();
    EXPECT_EQ(HVW_SquadCount, 32);
    EXPECT_EQ(HVW_FindPlayerWatchSlot(20), 0);
    EXPECT_EQ(HVW_FindPlayerWatchSlot(51), 31);
    // Every slot holds a current squad player.
    EXPECT_EQ(HVW_FindFreePlayerWatchSlot(20), 1);
    EXPECT_EQ(HVW_FindFreePlayerWatchSlot(60), -1);
    // Player 25 leaves: his slot is the one to reuse.
    SetPlayerClub(25, 9);
    SetPlayerLoanClub(25, 9);
    ClubRoster[kUserClub][5] = 0;
    EXPECT_EQ(HVW_FindFreePlayerWatchSlot(20), 5);
}

TEST_F(TrainingTest, SmallSquadLeavesEmptyWatchSlots) {
    for (uint16_t p = 20; p < 25; ++p) Join(p, kUserClub);
    HVW_FillPlayerWatchTable();
    EXPECT_EQ(HVW_SquadCount, 5);
    for (int slot = 5; slot < 32; ++slot) EXPECT_EQ(GetPlayerWatchSlotPlayer(slot), 0) << slot;
}

class ScoutTipTest : public TrainingTest {
  protected:
    void SetUp() override {
        TrainingTest::SetUp();
        std::memset(UserInbox, 0xFF, sizeof UserInbox);
        SetClubNation(kUserClub, 0);
        SetClubRep(kUserClub, 30);
        // Every player but the user is a fine foreign candidate.
        SetClubNation(700, 40);
        for (uint16_t p = 2; p < kPlayers; ++p) {
            SetPlayerClub(p, 700);
            SetPlayerPosition(p, 7);
            SetPlayerAge(p, 9);
            for (int16_t s = 0; s < 27; ++s) SetPlayerStat(p, s, 60);
            SetPlayerStat(p, 27, 60);
        }
    }
    // The tip goes to the user's inbox, once a day per player.
    static void Tip(int day) {
        SeasonCalendar.currentDay = int16_t(day % 366);
        ScoutTipPlayer(kUserClub);
    }
    static int TipsPosted() {
        int n = 0;
        for (const MessageRecord& m : UserInbox) {
            if (LoadU16(m.bytes + kMsgType) == 225) ++n;
        }
        return n;
    }
};

TEST_F(ScoutTipTest, TipsComeRarelyAndOneAtATime) {
    SetClubDivision(kUserClub, 1);
    ASSERT_GE(GetPlayerStat(50, 27, 0), 50);
    ASSERT_LE(GetPlayerStat(50, 27, 0), 75);
    int calls_with_tip = 0;
    for (int day = 0; day < 3000; ++day) {
        const int before = TipsPosted();
        Tip(day);
        const int added = TipsPosted() - before;
        EXPECT_LE(added, 1);
        calls_with_tip += added;
        if (TipsPosted() >= 90) break;
    }
    EXPECT_GT(calls_with_tip, 0);
    const uint8_t* m = UserInbox[0].bytes;
    EXPECT_EQ(LoadU16(m + kMsgClubB), 700);
    EXPECT_EQ(LoadU16(m + kMsgText1), 2437);  // position 7
    EXPECT_EQ(LoadU16(m + kMsgText2), 0);
    EXPECT_EQ(recbits::LoadI32(m + kMsgNumber1), 25);
}

TEST_F(ScoutTipTest, NoTipsForLowDivisionsOrHomePlayers) {
    SetClubDivision(kUserClub, 4);
    for (int day = 0; day < 2000; ++day) Tip(day);
    EXPECT_EQ(TipsPosted(), 0);
    SetClubDivision(kUserClub, 0);
    SetClubNation(700, 8);  // a playable country
    for (int day = 0; day < 2000; ++day) Tip(day);
    EXPECT_EQ(TipsPosted(), 0);
    ScoutTipPlayer(-1);
}

TEST_F(ScoutTipTest, SideTexts) {
    SetClubDivision(kUserClub, 0);
    struct Case {
        int s1, s2, s3, text;
    };
    for (Case c :
         {Case{0, 0, 2, 647}, {2, 0, 0, 648}, {2, 0, 2, 650}, {0, 2, 0, 649}, {0, 3, 2, 650}, {1, 1, 1, 0}}) {
        for (uint16_t p = 2; p < kPlayers; ++p) {
            SetPlayerSetting1(p, int16_t(c.s1));
            SetPlayerSetting2(p, int16_t(c.s2));
            SetPlayerSetting3(p, int16_t(c.s3));
        }
        const int before = TipsPosted();
        for (int day = 0; day < 3000 && TipsPosted() == before; ++day) Tip(day);
        ASSERT_GT(TipsPosted(), before);
        EXPECT_EQ(LoadU16(UserInbox[0].bytes + kMsgText2), c.text);
    }
}

}  // namespace
