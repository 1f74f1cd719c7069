// Remarks on a side's match figures and on the eleven before a match.
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/tactics.h"
#include "core/match/matchresult.h"
#include "core/query/teamremarks.h"
#include "tests/core/records/records_fixture.h"

namespace {

using recbits::StoreU16;

// The custom tactic slot of side B the tests play.
constexpr int16_t kTactic = 10;

class CommentTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(GetMatchBlock(), 0, sizeof(MatchResultBlock));
        std::memset(&CustomTacticTableB, 0, sizeof CustomTacticTableB);
        CurrentTacticB = kTactic;
        // Every place of the tactic: x 7, y 8, no further positions.
        for (int slot = 0; slot < 11; ++slot) Position(slot, 7, 8, -1, -1);
    }

    // Main position and the y of the two further positions of a slot.
    static void Position(int slot, int x, int y, int y2, int y3) {
        uint8_t* e = CustomTacticTableB.bytes + (kTactic - 10) * 330 + slot * 30;
        StoreU16(e + 5, uint16_t(x));
        StoreU16(e + 7, uint16_t(y));
        StoreU16(e + 11, uint16_t(y2));
        StoreU16(e + 22, uint16_t(y3));
    }

    static uint8_t* Entry(int side, int slot) { return GetMatchBlock()->teams[side].bytes + 16 + slot * 139; }
    static void Goals(int side, int goals) { StoreU16(GetMatchBlock()->teams[side].bytes, uint16_t(goals)); }
    // On the pitch from minute 0 to 90, with relative scores giving R = r.
    static uint8_t* Played(int side, int slot, int r = 100, bool keeper = false) {
        uint8_t* e = Entry(side, slot);
        e[128] = 0;
        e[127] = 90;
        StoreU16(e + 18, uint16_t(r / 2));
        StoreU16(e + 20, uint16_t(r - r / 2));
        StoreU16(e + 132, keeper ? 1 : 0);
        return e;
    }

    static std::vector<int> Texts(uint16_t end) {
        std::vector<int> texts;
        for (int i = 0; i < kCommentCapacity && CommentTextIds[i] != end; ++i) {
            texts.push_back(CommentTextIds[i]);
        }
        return texts;
    }
};

// --- match figures -------------------------------------------------------------

TEST_F(CommentTest, SideWithoutPlayersLeavesTheListEmpty) {
    Played(1, 3);  // the other side played
    HVW_AssessMatchTeam(0);
    for (int i = 0; i < kCommentCapacity; ++i) {
        ASSERT_EQ(CommentTextIds[i], 65535);
        ASSERT_EQ(CommentSubjects[i], 65535);
    }
}

TEST_F(CommentTest, KeeperWithoutCountKIsJudgedOnHisSaves) {
    uint8_t* e = Played(0, 0, 100, true);
    e[66] = 5, e[67] = 4, e[68] = 2;  // S = 11
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1271}));
    EXPECT_EQ(CommentSubjects[0], 0);
    e[68] = 0;  // S = 9
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1270}));
    e[67] = 2;  // S = 7
    HVW_AssessMatchTeam(0);
    EXPECT_TRUE(Texts(65535).empty());
}

TEST_F(CommentTest, BeatenKeeperOfALosingSide) {
    Goals(0, 0);
    Goals(1, 2);
    uint8_t* e = Played(0, 0, 100, true);
    e[72] = 1;  // K
    e[66] = 1;  // S = 1
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1297}));
    e[69] = 1;  // E
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1268}));
    // S / K of 3 behind: the K2 text and then a K3 one.
    e[69] = 0, e[72] = 2, e[66] = 7;
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1309, 1270}));
    // A winning side's keeper is only praised.
    Goals(0, 3);
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1270}));
}

TEST_F(CommentTest, OutfielderInTheKeepersSlotGetsOnlyTheGeneralRules) {
    uint8_t* e = Played(0, 0, 0);
    e[85] = 4, e[86] = 1;             // O1: poor passing
    e[84] = 5;                        // O7 would apply in slots 1-15
    e[43] = 0, e[44] = 3, e[47] = 1;  // O10 would apply
    e[51] = 7;                        // O6 would apply
    e[26] = 1;
    StoreU16(e + 22, 80);  // O12
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1272, 1295, 1310}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CommentSubjects[i], 0);
}

TEST_F(CommentTest, PlacesOnThePitchDecideThePositionalRules) {
    Position(2, 3, 4, -1, -1);  // a defender's place
    uint8_t* e = Played(1, 2);
    e[53] = 4, e[60] = 2, e[75] = 2;  // T = 8
    e[59] = 1;                        // D
    HVW_AssessMatchTeam(1);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1280}));
    EXPECT_EQ(CommentSubjects[0], 2);
    // The same figures on the bench are never judged on a place.
    std::memcpy(Entry(1, 13), e, 139);
    std::memset(e, 0, 139);
    HVW_AssessMatchTeam(1);
    EXPECT_TRUE(Texts(65535).empty());
}

TEST_F(CommentTest, ForwardsAreJudgedOnTheirChances) {
    Position(9, 7, 14, -1, -1);
    uint8_t* e = Played(0, 9);
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1294}));  // no shot in 90 minutes
    e[43] = 1, e[44] = 5;                               // G, F: V = 6
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1291}));
    e[43] = 6, e[44] = 0, e[47] = 0;  // six goals from six chances, nothing missed
    HVW_AssessMatchTeam(0);
    EXPECT_EQ(Texts(65535), (std::vector<int>{1293}));
}

TEST_F(CommentTest, ListStopsAtItsCapacity) {
    Goals(0, 0);
    Goals(1, 5);
    for (int slot = 0; slot < 16; ++slot) {
        uint8_t* e = Played(0, slot, 0);
        e[85] = 4, e[86] = 0, e[87] = 8, e[88] = 0, e[89] = 12, e[90] = 0;
        e[51] = 7, e[124] = 12, e[84] = 6, e[43] = 0, e[44] = 2, e[47] = 1;
        e[53] = 8, e[59] = 1, e[26] = 1;
        StoreU16(e + 22, 90);
    }
    Position(1, 3, 4, -1, -1);
    HVW_AssessMatchTeam(0);
    EXPECT_NE(CommentTextIds[kCommentCapacity - 1], 65535);
    EXPECT_EQ(CommentSubjects[0], 0);
    EXPECT_GT(CommentSubjects[kCommentCapacity - 1], 8);
}

// --- the eleven before a match ------------------------------------------------

constexpr int16_t kClub = 12;

class SquadCommentTest : public CommentTest {
  protected:
    // A fit, happy player with the shirt, in the club's squad.
    static uint16_t Add(uint16_t p, int shirt, int position = 0) {
        SetPlayerClub(p, kClub);
        SetPlayerLoanClub(p, kClub);
        SetPlayerShirt(p, int16_t(shirt));
        SetPlayerPosition(p, int16_t(position));
        SetPlayerFitness(p, 60);
        SetPlayerMorale(p, 60);
        SetPlayerExperience(p, 63);
        SetPlayerSetting1(p, 1);
        SetPlayerSetting3(p, 1);
        SetPlayerStat(p, 8, 99);
        for (uint16_t& slot : ClubRoster[kClub]) {
            if (slot == 0) {
                slot = p;
                break;
            }
        }
        return p;
    }
};

TEST_F(SquadCommentTest, SquadWithoutAnElevenGetsTheThreeLineRemarks) {
    Add(5, 12);
    Add(6, 0);
    HVW_AssessSquadBeforeMatch(kClub);
    std::vector<int> texts = Texts(0);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0] == 1222 || texts[0] == 1223);
    EXPECT_TRUE(texts[1] == 1226 || texts[1] == 1227);
    EXPECT_TRUE(texts[2] == 1228 || texts[2] == 1229);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CommentSubjects[i], 0);
}

TEST_F(SquadCommentTest, FitnessBandsAndTheKeepersPlace) {
    const uint16_t keeper = Add(5, 1);
    Position(0, 0, 0, 40, 40);     // would be far off for anyone judged on it
    SetPlayerFitness(keeper, 30);  // 50 percent
    HVW_AssessSquadBeforeMatch(kClub);
    EXPECT_TRUE(CommentTextIds[0] == 1232 || CommentTextIds[0] == 1233);
    EXPECT_EQ(CommentSubjects[0], keeper);
    EXPECT_EQ(CommentSubjects[1], 0);  // then the line remarks
    SetPlayerFitness(keeper, 29);      // 48 percent
    HVW_AssessSquadBeforeMatch(kClub);
    EXPECT_TRUE(CommentTextIds[0] == 1234 || CommentTextIds[0] == 1235);
}

TEST_F(SquadCommentTest, OutfieldPlacesAndExperienceOfTheLines) {
    // A defender wide on the left without the setting for it, a long way
    // from his further positions and slow to cover them.
    const uint16_t back = Add(5, 3, 2);
    Position(2, 2, 4, 12, -1);
    SetPlayerSetting3(back, 0);
    SetPlayerStat(back, 8, 40);  // 40 / 10 < 8
    const uint16_t forward = Add(6, 10, 11);
    Position(9, 12, 14, -1, -1);
    SetPlayerSetting1(forward, 0);
    SetPlayerExperience(forward, 20);  // 31 percent
    Add(7, 6, 7);                      // an experienced midfielder
    HVW_AssessSquadBeforeMatch(kClub);
    std::vector<int> texts = Texts(0);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], 1252);
    EXPECT_EQ(texts[1], 1254);
    EXPECT_EQ(texts[2], 1253);
    EXPECT_EQ(CommentSubjects[2], forward);
    EXPECT_TRUE(texts[3] == 1230 || texts[3] == 1231);  // the attack lacks experience
}

TEST_F(SquadCommentTest, ConditionBansAndInjuries) {
    const uint16_t p = Add(5, 4, 3);
    SetPlayerMorale(p, 30);
    SetPlayerFatigue(p, 30);
    SetPlayerSusp(p, 2);
    SetPlayerIT(p, 1);
    Add(6, 7, 7);
    Add(7, 9, 11);
    HVW_AssessSquadBeforeMatch(kClub);
    std::vector<int> texts = Texts(0);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0] / 2, 1244 / 2);
    EXPECT_EQ(texts[1] / 2, 1248 / 2);
    EXPECT_EQ(texts[2] / 2, 1236 / 2);
    EXPECT_EQ(texts[3] / 2, 1242 / 2);
}

}  // namespace
