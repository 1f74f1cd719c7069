#include "core/season/messages.h"

#include <gtest/gtest.h>

#include "tests/core/season/season_fixture.h"

namespace {

using namespace recbits;

constexpr int16_t kUser = 20;
constexpr uint32_t kNone = 0xFFFFFFFF;

class MessagesTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        MakeUserClub(kUser);
        SeasonCalendar.currentDay = 50;
    }

    // A message with only clubs, first player and number.
    static void Post(int16_t clubA, int16_t clubB, int16_t type, int16_t alsoB, uint32_t playerA = 7,
                     int16_t mode = 1) {
        AddMessage(clubA, clubB, playerA, kNone, -1, -1, -1, -1, -1, -1, -1, type, mode, alsoB);
    }

    static uint16_t TypeAt(const MessageRecord& r) { return LoadU16(r.bytes + kMsgType); }
    static int16_t ClubAAt(const MessageRecord& r) { return int16_t(LoadU16(r.bytes + kMsgClubA)); }

    static int InboxCount() {
        int n = 0;
        for (const MessageRecord& r : UserInbox) n += TypeAt(r) != 0;
        return n;
    }
    static int ArchiveCount(int16_t club) {
        int n = 0;
        for (const MessageRecord& r : MessageArchive[club]) n += TypeAt(r) != 0;
        return n;
    }
};

TEST_F(MessagesTest, DeliveryClassesOfTheNumbers) {
    for (int16_t t : {1, 3, 6, 7, 50, 53, 55, 57, 95, 96, 215, 220}) {
        EXPECT_EQ(GetMessageDelivery(t), kDeliverArchive) << t;
    }
    for (int16_t t : {36, 45, 77, 98, 100, 103, 120, 138, 146, 173, 214, 228, 230, 237, 276, 292}) {
        EXPECT_EQ(GetMessageDelivery(t), kDeliverInbox) << t;
    }
    for (int16_t t : {0, 4, 8, 35, 54, 121, 139, 147, 172, 229, 231, 277, 288}) {
        EXPECT_EQ(GetMessageDelivery(t), kDeliverBoth) << t;
    }
    for (int16_t t : {293, 1000, -1, -5}) EXPECT_EQ(GetMessageDelivery(t), kDeliverArchive) << t;
    EXPECT_STREQ(MessageTitleTemplates[0], "$0p Deal Is Sealed");
    EXPECT_STREQ(MessageTitleTemplates[2], "");
    EXPECT_STREQ(MessageTitleTemplates[292], "Financial Troubles");
}

TEST_F(MessagesTest, RecordLayoutOfAPost) {
    AddMessage(kUser, 33, 7, 8, 9, 10, 123456, 11, 12, 13, 14, 9, 1, 0);
    const uint8_t* r = MessageArchive[kUser][0].bytes;
    EXPECT_EQ(LoadU16(r + 0), kUser);
    EXPECT_EQ(LoadU16(r + 2), 33);
    EXPECT_EQ(LoadU32(r + 4), 7u);
    EXPECT_EQ(LoadU32(r + 8), 8u);
    EXPECT_EQ(LoadU16(r + 12), 9);
    EXPECT_EQ(LoadU16(r + 14), 10);
    EXPECT_EQ(LoadI32(r + 16), 123456);
    EXPECT_EQ(LoadU16(r + 20), 11);
    EXPECT_EQ(LoadU16(r + 22), 12);
    EXPECT_EQ(LoadI32(r + 24), 13);
    EXPECT_EQ(LoadI32(r + 28), 14);
    EXPECT_EQ(LoadU16(r + 32), 9);
    EXPECT_EQ(LoadU16(r + 34), 50);
    EXPECT_EQ(r[36], 0);
    EXPECT_EQ(r[37], 0);
    EXPECT_EQ(std::memcmp(UserInbox[0].bytes, r, sizeof(MessageRecord)), 0);
}

TEST_F(MessagesTest, InboxOnlyNumberAboutComputerClubsGoesNowhere) {
    Post(30, 31, 228, 1);
    EXPECT_EQ(InboxCount(), 0);
    EXPECT_EQ(ArchiveCount(30), 0);
    EXPECT_EQ(ArchiveCount(31), 0);
    EXPECT_EQ(GetNewMessageFlag(), 0);
    // For the user's club it reaches the inbox and no archive.
    Post(kUser, 31, 228, 1);
    EXPECT_EQ(InboxCount(), 1);
    EXPECT_EQ(ArchiveCount(kUser), 0);
    EXPECT_EQ(GetNewMessageFlag(), 1);
    SetNewMessageFlag(0);
    EXPECT_EQ(GetNewMessageFlag(), 0);
    // Archive-only numbers never reach the inbox.
    Post(kUser, 31, 53, 1);
    EXPECT_EQ(InboxCount(), 1);
    EXPECT_EQ(ArchiveCount(kUser), 1);
    EXPECT_EQ(ArchiveCount(31), 1);
}

TEST_F(MessagesTest, BothClassEntersTheInboxOnceAndBothArchives) {
    Post(30, -1, 9, 0);
    Post(31, -1, 9, 0);
    Post(kUser, 31, 26, 1);
    EXPECT_EQ(InboxCount(), 1);
    EXPECT_EQ(TypeAt(UserInbox[0]), 26);
    EXPECT_EQ(TypeAt(MessageArchive[kUser][0]), 26);
    EXPECT_EQ(TypeAt(MessageArchive[31][0]), 26);
    EXPECT_EQ(TypeAt(MessageArchive[31][1]), 9);  // the older one moved down
    EXPECT_EQ(ArchiveCount(30), 1);
}

TEST_F(MessagesTest, TheSameMessageTwiceADayEntersTheInboxOnce) {
    Post(kUser, 31, 26, 0);
    Post(31, kUser, 26, 0);  // clubs the other way round: only club 31 is owner
    Post(kUser, 31, 26, 0);
    EXPECT_EQ(InboxCount(), 1);
    EXPECT_EQ(ArchiveCount(kUser), 2);
    Post(kUser, 31, 26, 0, 8);  // another player is news
    EXPECT_EQ(InboxCount(), 2);
    Post(kUser, 31, 26, 0, 0);  // player 0 repeats any player
    EXPECT_EQ(InboxCount(), 2);
    SeasonCalendar.currentDay = 51;  // a new day
    Post(kUser, 31, 26, 0);
    EXPECT_EQ(InboxCount(), 3);
}

TEST_F(MessagesTest, MessagesToTheUserAsSecondClub) {
    // Cup draws and new dates are checked for repeats, clubs in either order.
    Post(kUser, 31, 122, 0);
    Post(31, kUser, 122, 1);
    EXPECT_EQ(InboxCount(), 1);
    Post(32, kUser, 147, 1);
    Post(32, kUser, 147, 1);
    EXPECT_EQ(InboxCount(), 2);
    EXPECT_EQ(ArchiveCount(kUser), 4);
    EXPECT_EQ(ArchiveCount(31), 1);
    // Any other number naming the user second always gets through.
    Post(33, kUser, 26, 1);
    Post(33, kUser, 26, 1);
    EXPECT_EQ(InboxCount(), 4);
    // Posted only to the first club, it never reaches the user.
    Post(34, kUser, 26, 0);
    EXPECT_EQ(InboxCount(), 4);
    EXPECT_EQ(ArchiveCount(34), 1);
}

TEST_F(MessagesTest, RingsDropTheOldestAndKeepFlags) {
    Post(kUser, -1, 26, 0, 1);
    UserInbox[0].bytes[kMsgAnswered] = 1;
    UserInbox[0].bytes[kMsgRead] = 1;
    for (int i = 0; i < 99; ++i) Post(kUser, -1, 26, 0, uint32_t(100 + i));
    EXPECT_EQ(LoadU32(MessageArchive[kUser][99].bytes + kMsgPlayerA), 1u);
    EXPECT_EQ(LoadU32(UserInbox[99].bytes + kMsgPlayerA), 1u);
    EXPECT_EQ(UserInbox[99].bytes[kMsgAnswered], 1);
    EXPECT_EQ(UserInbox[99].bytes[kMsgRead], 1);
    Post(kUser, -1, 26, 0, 500);
    EXPECT_EQ(LoadU32(MessageArchive[kUser][99].bytes + kMsgPlayerA), 100u);
    EXPECT_EQ(LoadU32(UserInbox[99].bytes + kMsgPlayerA), 100u);
    EXPECT_EQ(LoadU32(UserInbox[0].bytes + kMsgPlayerA), 500u);
}

TEST_F(MessagesTest, NoUserClubBeforePlayersAreLoaded) {
    PlayerCount = 0;
    Post(kUser, -1, 26, 0);
    Post(kUser, -1, 228, 0);
    EXPECT_EQ(InboxCount(), 0);
    EXPECT_EQ(ArchiveCount(kUser), 1);
}

TEST_F(MessagesTest, NegativeOrOutOfRangeOwnersAreIgnored) {
    Post(-1, -1, 26, 1);
    Post(1200, 5000, 26, 1);
    StoreMessage(-3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 26);
    ShiftArchive(1200);
    for (int16_t club : {0, 1199}) EXPECT_EQ(ArchiveCount(club), 0);
    EXPECT_EQ(InboxCount(), 0);
}

TEST_F(MessagesTest, ModesChooseTheOwners) {
    for (int16_t club = 40; club < 50; ++club) MakeClub(club, club < 45 ? 2 : 3, club % 7);
    MakeClub(kUser, 2, 0);
    // Mode 0: only the second club.
    Post(40, 41, 9, 1, 7, 0);
    EXPECT_EQ(ArchiveCount(40), 0);
    EXPECT_EQ(ArchiveCount(41), 1);
    // Mode 3: clubs of country 2 with a reputation, divisions 0-5.
    Post(40, -1, 9, 2, 7, 3);
    for (int16_t club = 40; club < 50; ++club) {
        bool reached = club < 45 && club % 7 < 6;
        EXPECT_EQ(ArchiveCount(club), (club == 41) + reached) << club;
    }
    EXPECT_EQ(ArchiveCount(kUser), 1);
    EXPECT_EQ(ArchiveCount(39), 0);  // no reputation
    // Mode 4: every club with a reputation in divisions 0-5.
    Post(40, -1, 11, 0, 7, 4);
    EXPECT_EQ(TypeAt(MessageArchive[45][0]), 11);
    EXPECT_EQ(TypeAt(MessageArchive[46][0]), 11);
    EXPECT_EQ(TypeAt(MessageArchive[48][0]), 0);  // division 6
    // Mode 2: clubs of the first club's country outside division row 0.
    LeagueTable[2][1][0] = 41;
    LeagueTable[2][0][0] = 42;
    Post(40, -1, 12, 0, 7, 2);
    EXPECT_EQ(TypeAt(MessageArchive[41][0]), 12);
    EXPECT_EQ(TypeAt(MessageArchive[42][0]), 11);
}

TEST_F(MessagesTest, ClearingTheStores) {
    Post(kUser, -1, 26, 0);
    UserInbox[3].bytes[kMsgAnswered] = 1;
    ClearInbox();
    for (int i = 0; i < kInboxSlots; ++i) {
        EXPECT_EQ(TypeAt(UserInbox[i]), 0xFFFF);
        EXPECT_EQ(LoadU32(UserInbox[i].bytes + kMsgMoney), 0xFFFFFFFFu);
        EXPECT_EQ(UserInbox[i].bytes[kMsgRead], 0xFF);
        EXPECT_EQ(UserInbox[i].bytes[kMsgAnswered], i == 3 ? 1 : 0);
    }
    ClearArchives();
    for (int16_t club : {int16_t(0), kUser, int16_t(1199)}) {
        for (const MessageRecord& r : MessageArchive[club]) {
            EXPECT_EQ(TypeAt(r), 0xFFFF);
            EXPECT_EQ(ClubAAt(r), -1);
            EXPECT_EQ(LoadU32(r.bytes + kMsgPlayerB), kNone);
            EXPECT_EQ(LoadU16(r.bytes + kMsgDay), 50);
            EXPECT_EQ(r.bytes[kMsgRead], 0);
        }
    }
    // Cleared slots never count as today's repeats.
    Post(kUser, -1, 26, 0, 0);
    EXPECT_EQ(TypeAt(UserInbox[0]), 26);
}

}  // namespace
