#include <gtest/gtest.h>

#include <cstring>

#include "core/base/trackedmemory.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/system/sounddriver.h"
#include "platform/dsound.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/support_env.h"

namespace {

class MatchSoundBanksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        matchtest::UnmountGameData();
        testenv::StartCore();
        InitMemory(9500);
        plat::SetVirtualSoundDevice(true);
    }
    void TearDown() override {
        MatchSoundOff = 0;
        plat::SetVirtualSoundDevice(false);
        UninitMemory();
        testenv::StopCore();
    }
};

TEST_F(MatchSoundBanksTest, StartsTheDriverAndAddsBothBanks) {
    MatchInitSoundBanks();
    ASSERT_EQ(SndIsUp(), 1);
    const SndBank* effects = SndGetBank(MatchEffectsBankKey);
    const SndBank* crowd = SndGetBank(MatchCrowdBankKey);
    ASSERT_NE(effects, nullptr);
    ASSERT_NE(crowd, nullptr);
    EXPECT_NE(MatchEffectsBankKey, MatchCrowdBankKey);
    EXPECT_STREQ(effects->desc.file_list[0], "sound\\UZUsound\\%06d.wav");
    EXPECT_EQ(effects->desc.sample_count, 42u);
    EXPECT_EQ(effects->desc.bank_type, 0x221u);
    EXPECT_STREQ(crowd->desc.file_list[0], "sound\\precrowd\\packedc1.wav");
    EXPECT_EQ(crowd->desc.sample_count, 1u);
    EXPECT_EQ(crowd->desc.bank_type, 0x221u);
    EXPECT_STREQ(GetSampFilename(const_cast<SndBank*>(effects), 41), "sound\\UZUsound\\000041.wav");
    int16_t effects_key = MatchEffectsBankKey, crowd_key = MatchCrowdBankKey;
    UninitMatchSoundBanks();
    EXPECT_EQ(SndGetBank(effects_key), nullptr);
    EXPECT_EQ(SndGetBank(crowd_key), nullptr);
    EXPECT_EQ(SndIsUp(), 0);
}

TEST_F(MatchSoundBanksTest, SoundOffLeavesTheDriverDownAndEverySoundSilent) {
    MatchSoundOff = 1;
    MatchInitSoundBanks();
    EXPECT_EQ(SndIsUp(), 0);
    EXPECT_EQ(MatchEffectsBankKey, -1);
    EXPECT_EQ(MatchCrowdBankKey, -1);
    EXPECT_EQ(SndPlay(MatchEffectsBankKey, 16, -1, 100, 0), -1);
    UninitMatchSoundBanks();
    EXPECT_EQ(SndIsUp(), 0);
}

}  // namespace
