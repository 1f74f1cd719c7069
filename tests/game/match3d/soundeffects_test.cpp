// The match sound effects on a recording sound driver: which sample plays
// on which channel and how loud, the crowd rule, the silent cases and the
// draws from the shared generator.
#include "game/match3d/soundeffects.h"

#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "game/match3d/matchsoundbanks.h"
#include "tests/fakes/sound_recorder.h"

namespace {

using soundfake::TheRecorder;
constexpr int16_t kBank = 7;

class SfxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        soundfake::InstallRecorder();
        MatchEffectsBankKey = kBank;
        MatchCrowdBankKey = 8;
        DisplayModeFlags = 0;
        DrawMode = 0;
        SfxVolume = 100;
        KickStrength = 0;
        Goals[0] = Goals[1] = 0;
        Period = 0;
        BallState = BallStateRecord{};
        ClearMatchSetupBlock();
        GameInfo.SetTeamI16(0, gameinfo::kTeamClub, 10);
        GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 11);
        Crowd(10, 5);
        MatchSfx_Init();
        TheRecorder().calls.clear();
    }
    void TearDown() override {
        MatchSfx_StopAll();
        MatchSfx_SetDriver(nullptr);
        MatchHooks = MatchDisplayHooks{};
    }
    static void Crowd(int16_t level, int16_t homeShare) {
        GameInfo.SetI16(gameinfo::kCrowdSize, level);
        GameInfo.SetI16(gameinfo::kHomeSupport, homeShare);
    }
    // Plays one event and returns what was played.
    static std::vector<soundfake::Call> Play(int16_t event, int16_t side = -1) {
        TheRecorder().calls.clear();
        MatchSfx_PlayEvent(event, side);
        return TheRecorder().Plays();
    }
    // Draws the generator made during one event.
    static int Draws(int16_t event, int16_t side = -1) {
        GameSeedRandom(1234);
        const uint32_t before = GameRandomState();
        MatchSfx_PlayEvent(event, side);
        const uint32_t after = GameRandomState();
        GameSeedRandom(1234);
        for (int n = 0; n < 10; ++n) {
            if (GameRandomState() == after) return n;
            GameRandom();
        }
        return before == after ? 0 : -1;
    }
};

TEST_F(SfxTest, KickStrengthSetsTheLevel) {
    KickStrength = 0;
    EXPECT_TRUE(Play(2).empty());
    KickStrength = -3;
    EXPECT_TRUE(Play(2).empty());
    KickStrength = 15;
    auto plays = Play(2);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].bank, kBank);
    EXPECT_EQ(plays[0].sample, 2);
    EXPECT_EQ(plays[0].channel, 5);
    EXPECT_EQ(plays[0].volume, 100) << "level capped at 10";
    EXPECT_EQ(plays[0].pan, 0);
    KickStrength = 2;
    plays = Play(6);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].volume, 50) << "a soft kick is raised to level 5";
    KickStrength = 7;
    EXPECT_EQ(Play(1)[0].volume, 30) << "half the strength";
    SfxVolume = 50;
    EXPECT_EQ(Play(16)[0].volume, 25);
    EXPECT_EQ(Play(16)[0].channel, 4);
    BallState.vz = -12288 * 40;
    SfxVolume = 100;
    EXPECT_EQ(Play(0)[0].volume, 40) << "a bounce as loud as its fall";
}

TEST_F(SfxTest, AlternatingChannelsTakeTheSecondWhileTheFirstPlays) {
    KickStrength = 5;
    EXPECT_EQ(Play(2)[0].channel, 5);
    TheRecorder().busyChannels = {5};
    EXPECT_EQ(Play(2)[0].channel, 6);
    EXPECT_EQ(Play(32, 1)[0].channel, 14);
    TheRecorder().busyChannels = {5, 14};
    EXPECT_EQ(Play(32, 1)[0].channel, 15);
    auto plays = Play(26, 0);
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_EQ(plays[0].channel, 7);
    EXPECT_EQ(plays[1].channel, 6);
}

TEST_F(SfxTest, CrowdLoudnessFollowsItsSizeShareAndScore) {
    Crowd(0, 5);
    auto plays = Play(24, 0);
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_EQ(plays[0].channel, 3);
    EXPECT_EQ(plays[1].channel, 9);
    EXPECT_EQ(plays[1].sample, 27);
    EXPECT_EQ(plays[0].volume, 0);
    EXPECT_EQ(plays[1].volume, 0);

    Crowd(10, 10);
    EXPECT_EQ(MatchSfx_CrowdVolume(1, 10), 0) << "an all-home crowd leaves the away end silent";
    EXPECT_EQ(MatchSfx_CrowdVolume(0, 10), 100);
    Crowd(10, 0);
    EXPECT_EQ(MatchSfx_CrowdVolume(0, 10), 0);
    Crowd(10, 8);
    EXPECT_EQ(MatchSfx_CrowdVolume(1, 10), 40);
    EXPECT_EQ(MatchSfx_CrowdVolume(3, 10), 40) << "side 3 is the away side";

    Crowd(10, 5);
    Goals[1] = 4;
    EXPECT_EQ(MatchSfx_CrowdVolume(0, 10), 36) << "100 - 16 x 4";
    EXPECT_EQ(MatchSfx_CrowdVolume(2, 10), 100) << "side 2 is home without the trailing fall";
    // The home end's reaction grows as it falls behind, capped at level 10.
    Goals[1] = 1;
    EXPECT_EQ(Play(32, 0)[0].volume, MatchSfx_CrowdVolume(0, 10));
    Goals[1] = 0;
    EXPECT_EQ(Play(32, 0)[0].volume, 80);
    LastToucher = -1;
    EXPECT_EQ(Play(41, 0)[0].volume, 70);
    // The jeer takes the last toucher's crowd byte: 20 leaves 60 percent.
    LastToucher = 3;
    MatchFigures[3].infoByte = 20;
    EXPECT_EQ(Play(41, 0)[0].volume, 42);
    MatchFigures[3].infoByte = 0;
    Period = 4;
    EXPECT_EQ(Play(27, 1)[0].channel, 7);
    Period = 1;
    EXPECT_EQ(Play(27, 1)[0].channel, 3);
}

TEST_F(SfxTest, NearMissesAreLouderTheCloserTheyWent) {
    GoalLineCrossX = int16_t(PitchGeometry.postLeftX - 64);
    EXPECT_EQ(Play(21, 1)[0].volume, 80);
    GoalLineCrossX = int16_t(PitchGeometry.postRightX + 1000);
    EXPECT_EQ(Play(21, 1)[0].volume, 0) << "capped at 10 away";
    EXPECT_EQ(Play(22, 1)[0].volume, 0) << "8 - 8";
    GoalLineCrossX = 800;
    BallState.z = 160 + 96;
    EXPECT_EQ(Play(21, 1)[0].volume, 70);
    EXPECT_EQ(Play(22, 1)[0].volume, 40) << "over the bar: 7 - 3";
    const int sample = Play(22, 1)[0].sample;
    EXPECT_TRUE(sample >= 21 && sample <= 23);
}

TEST_F(SfxTest, APracticeMatchHasNoCrowd) {
    GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 10);
    MatchSfx_Init();
    EXPECT_EQ(CrowdOn, 0);
    for (int16_t event : {19, 21, 22, 24, 26, 27, 29, 30, 32, 35, 37, 40, 41}) {
        EXPECT_TRUE(Play(event, 0).empty()) << event;
    }
    KickStrength = 5;
    EXPECT_EQ(Play(2).size(), 1u);
    EXPECT_EQ(Play(17).size(), 1u);
}

TEST_F(SfxTest, NothingSoundsWhileDrawingIsOffOrWithoutDisplay) {
    KickStrength = 10;
    for (int32_t mode : {1, 2}) {
        DrawMode = mode;
        EXPECT_TRUE(Play(2).empty());
        EXPECT_EQ(Draws(24), 0);
    }
    DrawMode = 0;
    DisplayModeFlags = kDisplayOff;
    EXPECT_TRUE(Play(24).empty());
    EXPECT_EQ(Draws(24), 0);
}

TEST_F(SfxTest, OneDrawPerEventAndOneMoreWhereTheTableChooses) {
    KickStrength = 6;
    EXPECT_EQ(Draws(2), 1);
    EXPECT_EQ(Draws(20), 1) << "a code that plays nothing still draws";
    EXPECT_EQ(Draws(8), 2);
    EXPECT_EQ(Draws(12), 2);
    EXPECT_EQ(Draws(19, 0), 2);
    EXPECT_EQ(Draws(21, 0), 2);
    EXPECT_EQ(Draws(24, 0), 2);
    EXPECT_EQ(Draws(29, 0), 2);
    EXPECT_EQ(Draws(32, 0), 1);
    EXPECT_EQ(Draws(44), 0);
    EXPECT_EQ(Draws(-1), 0);
}

TEST_F(SfxTest, TheDisplayStartLoadsTheBankAndItsEndStopsEverything) {
    MatchHooks = MatchDisplayHooks{};
    MatchSfx_Init();
    ASSERT_EQ(TheRecorder().calls.size(), 1u);
    EXPECT_EQ(TheRecorder().calls[0].kind, 'l');
    EXPECT_EQ(TheRecorder().calls[0].sample, -1);
    EXPECT_NE(MatchHooks.soundEvent, nullptr);
    EXPECT_EQ(MatchHooks.soundTick, MatchSfx_Update);
    TheRecorder().calls.clear();
    MatchSfx_StopAll();
    const auto& calls = TheRecorder().calls;
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, 'u');
    EXPECT_EQ(calls[0].bank, kBank);
    EXPECT_EQ(calls[1].bank, 8);
    EXPECT_EQ(calls[2].kind, 's');
    EXPECT_EQ(calls[2].channel, -1);
    EXPECT_EQ(MatchHooks.soundEvent, nullptr);
    EXPECT_EQ(MatchHooks.soundTick, nullptr);
    // A match played without display loads nothing.
    DisplayModeFlags = kDisplayOff;
    TheRecorder().calls.clear();
    MatchSfx_Init();
    EXPECT_TRUE(TheRecorder().calls.empty());
}

}  // namespace
