#include "core/season/unrest.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/club/squads.h"
#include "core/query/people.h"
#include "tests/core/season/season_fixture.h"

namespace {

using namespace recbits;

constexpr int16_t kClub = 7;
constexpr int16_t kUserClub = 8;

class UnrestTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        std::memset(PendingPlayerEvents, 0, sizeof PendingPlayerEvents);
        std::memset(ClubRoster, 0, sizeof ClubRoster);
        SeasonCalendar.currentDay = 40;
        MakeUserClub(kUserClub);
        MakeClub(kClub, 0, 1, 20);
        MakeClub(kUserClub, 0, 1, 20);
    }

    // A player of the club with his leadership (stat 20), shirt and morale.
    static void MakePlayer(uint16_t player, int16_t club, int16_t stat20, int16_t shirt,
                           int16_t morale = 40) {
        SetPlayerClub(player, club);
        SetPlayerStat(player, 20, stat20);
        SetPlayerShirt(player, shirt);
        SetPlayerMorale(player, morale);
        for (uint16_t& slot : ClubRoster[club]) {
            if (slot == 0) {
                slot = player;
                break;
            }
        }
    }

    static uint16_t LastType(int16_t club) { return LoadU16(MessageArchive[club][0].bytes + kMsgType); }
    // The unrest notes go to the inbox only.
    static uint16_t LastInboxType() { return LoadU16(UserInbox[0].bytes + kMsgType); }
    static int Count() {
        int n = 0;
        while (n < kPendingPlayerEvents && PendingPlayerEvents[n].player != 0) ++n;
        return n;
    }
};

TEST_F(UnrestTest, AddAndRemoveKeepTheListPacked) {
    for (uint16_t p = 1; p <= kPendingPlayerEvents + 1; ++p) AddPendingPlayerEvent(p);
    EXPECT_EQ(Count(), kPendingPlayerEvents) << "a full list refuses the 101st";
    EXPECT_EQ(PendingPlayerEvents[0].days, kPendingStageDays);
    EXPECT_EQ(PendingPlayerEvents[0].kind, kPendingAwaitingAnswer);
    RemovePendingPlayerEvent(3);
    EXPECT_EQ(PendingPlayerEvents[2].player, 4);
    EXPECT_EQ(PendingPlayerEvents[98].player, 100);
    EXPECT_EQ(PendingPlayerEvents[99].player, 0) << "the last entry is left empty";
    RemovePendingPlayerEvent(3);  // not listed: nothing happens
    EXPECT_EQ(Count(), 99);
}

TEST_F(UnrestTest, UrgentNoteOnDayFourteenAndDepartureOnDayTwentyEight) {
    MakePlayer(2, kClub, 50, 14, 60);
    MakePlayer(3, kClub, 10, 13, 30);
    AddPendingPlayerEvent(2);
    AddPendingPlayerEvent(3);
    PendingPlayerEvents[1].days = 28;  // the second one's stage ends later
    for (int day = 1; day < 14; ++day) ProcessPendingPlayerEvents();
    EXPECT_EQ(PendingPlayerEvents[0].days, 1);
    EXPECT_NE(LastType(kClub), 255);
    ProcessPendingPlayerEvents();
    EXPECT_EQ(LastType(kClub), 255);
    const uint8_t* r = MessageArchive[kClub][0].bytes;
    EXPECT_EQ(LoadU32(r + kMsgPlayerA), 2u);
    EXPECT_EQ(LoadI32(r + kMsgNumber1), GetPlayerAge(2) + 16);
    EXPECT_EQ(LoadU16(r + kMsgText1), 300 + HVW_GetPositionType(2));
    EXPECT_EQ(GetPlayerMorale(2), 50) << "his morale percentage halved";
    EXPECT_EQ(PendingPlayerEvents[0].kind, kPendingUnrest);
    EXPECT_EQ(PendingPlayerEvents[0].days, kPendingStageDays);
    for (int day = 15; day < 28; ++day) ProcessPendingPlayerEvents();
    EXPECT_EQ(Count(), 2);
    // Day 28: he walks out, and the next entry is still counted down today.
    ProcessPendingPlayerEvents();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(PendingPlayerEvents[0].player, 3);
    EXPECT_EQ(PendingPlayerEvents[0].kind, kPendingUnrest) << "its 28 days ran out the same day";
    EXPECT_EQ(GetPlayerIT(2), 1u) << "he refuses to play";
    bool farewell = false;
    for (const MessageRecord& m : MessageArchive[kClub]) farewell |= LoadU16(m.bytes + kMsgType) == 256;
    EXPECT_TRUE(farewell);
}

TEST_F(UnrestTest, APlayerRefusingToPlayHaltsThePassForTheDay) {
    MakePlayer(2, kClub, 50, 5);
    MakePlayer(3, kClub, 50, 6);
    AddPendingPlayerEvent(2);
    AddPendingPlayerEvent(3);
    SetPlayerIT(2, 1);
    ProcessPendingPlayerEvents();
    EXPECT_EQ(PendingPlayerEvents[0].days, kPendingStageDays);
    EXPECT_EQ(PendingPlayerEvents[1].days, kPendingStageDays);
    SetPlayerIT(2, 0);
    ProcessPendingPlayerEvents();
    EXPECT_EQ(PendingPlayerEvents[1].days, kPendingStageDays - 1);
}

TEST_F(UnrestTest, UnrestHitsTheTeamMatesBelowHim) {
    MakePlayer(2, kUserClub, 50, 4);
    for (uint16_t p = 3; p <= 9; ++p) MakePlayer(p, kUserClub, 30, int16_t(p + 2), 60);
    MakePlayer(10, kUserClub, 50, 11, 60);  // his equal is left alone
    SpreadSquadUnrest(kUserClub, 2, 10);
    EXPECT_EQ(LastInboxType(), 290) << "seven team-mates hit";
    EXPECT_EQ(LoadU32(UserInbox[0].bytes + kMsgPlayerA), 2u);
    int lowered = 0;
    for (uint16_t p = 3; p <= 9; ++p) lowered += GetPlayerMorale(p) < 60;
    EXPECT_GT(lowered, 0);
    EXPECT_EQ(GetPlayerMorale(10), 60u);
    // Only two below him: message 291.
    MakePlayer(20, kUserClub, 50, 4);
    std::memset(ClubRoster[kUserClub], 0, sizeof ClubRoster[kUserClub]);
    MakePlayer(20, kUserClub, 50, 4);
    MakePlayer(21, kUserClub, 10, 5);
    MakePlayer(22, kUserClub, 10, 6);
    SpreadSquadUnrest(kUserClub, 20, 5);
    EXPECT_EQ(LastInboxType(), 291);
}

TEST_F(UnrestTest, ASquadPlayerSpreadsAThird) {
    MakePlayer(2, kUserClub, 50, 12);
    MakePlayer(3, kUserClub, 10, 5, 60);
    SpreadSquadUnrest(kUserClub, 2, 1);  // a third of 1 is nothing
    SpreadSquadUnrest(kUserClub, 2, 0);
    SetPlayerShirt(2, 0);  // no shirt at all counts the same
    SpreadSquadUnrest(kUserClub, 2, 2);
    EXPECT_EQ(GetNewMessageFlag(), 0) << "nothing posted";
    EXPECT_EQ(GetPlayerMorale(3), 60u);
    SpreadSquadUnrest(kUserClub, 2, 3);
    EXPECT_EQ(LastInboxType(), 291);
    // A player without a club unsettles nobody.
    SetPlayerClub(4, -1);
    SpreadSquadUnrest(-1, 4, 30);
}

TEST_F(UnrestTest, OnlyAHumanClubsUnrestMovesTheUsersFans) {
    SetPlayerFans(1, 30);
    MakePlayer(2, kClub, 50, 4);
    SetPlayerFans(2, 45);
    MakePlayer(3, kClub, 10, 5);
    SetClubControl(kClub, 0);
    for (int i = 0; i < 20; ++i) SpreadSquadUnrest(kClub, 2, 3);
    EXPECT_EQ(GetPlayerFans(1), 30u);
    // A popular player unsettles the fans...
    SetClubControl(kClub, 1);
    for (int i = 0; i < 20; ++i) SpreadSquadUnrest(kClub, 2, 3);
    EXPECT_LT(GetPlayerFans(1), 30u);
    // ...which never leave their range.
    for (int i = 0; i < 200; ++i) SpreadSquadUnrest(kClub, 2, 100);
    EXPECT_LE(GetPlayerFans(1), 63u);
    // One the fans care little about lifts the user.
    SetPlayerFans(1, 30);
    SetPlayerFans(2, 5);
    for (int i = 0; i < 20; ++i) SpreadSquadUnrest(kClub, 2, 3);
    EXPECT_GT(GetPlayerFans(1), 30u);
    for (int i = 0; i < 200; ++i) SpreadSquadUnrest(kClub, 2, 100);
    EXPECT_EQ(GetPlayerFans(1), 63u);
}

}  // namespace
