#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/exitlist.h"
#include "game/system/soundchannels.h"
#include "platform/clock.h"
#include "platform/dsound.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

bool OnExitHas(const std::string& name) {
    for (int i = 0; i < OnExitCount(); ++i) {
        if (name == OnExitName(i)) return true;
    }
    return false;
}

void AdvanceMs(uint64_t ms) { plat::AdvanceClockMicroseconds(ms * 1000); }

uint32_t PlayCursor(int channel) {
    uint32_t play = 0;
    DSoundGetChannelOffset(channel, &play, nullptr);
    return play;
}

// Fills a channel with a square wave of full swing.
void FillSquare(int channel, uint32_t bytes) {
    auto* p = static_cast<uint8_t*>(DSoundLockChannel(channel, 0, bytes));
    for (uint32_t i = 0; i < bytes; ++i) p[i] = (i / 50) % 2 ? 0xF0 : 0x10;
    DSoundUnlockChannel(channel);
}

int32_t Peak(const std::vector<int16_t>& out, int side) {
    int32_t peak = 0;
    for (size_t i = size_t(side); i < out.size(); i += 2) peak = std::max(peak, std::abs(int32_t(out[i])));
    return peak;
}

class DSoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::StartCore();
        plat::SetVirtualSoundDevice(true);
        DSoundInit();
    }
    void TearDown() override {
        if (OnExitHas("DSoundUninitChans()")) DSoundUninitChans();
        if (OnExitHas("DSoundUninit()")) DSoundUninit();
        plat::SetVirtualSoundDevice(false);
        plat::FailNextSoundCall("", 0);
        testenv::StopCore();
    }
};

TEST_F(DSoundTest, InitAndUninitKeepTheExitListInStep) {
    EXPECT_TRUE(OnExitHas("DSoundUninit()"));
    DSoundInitChans(64, 8192);
    EXPECT_TRUE(OnExitHas("DSoundUninitChans()"));
    DSoundUninitChans();
    EXPECT_FALSE(OnExitHas("DSoundUninitChans()"));
    DSoundUninit();
    EXPECT_FALSE(OnExitHas("DSoundUninit()"));
    // The layer can come up again after going down.
    EXPECT_EQ(DSoundInit(), 1);
}

TEST_F(DSoundTest, ChannelCountAndRangeAreChecked) {
    EXPECT_FATAL(DSoundInitChans(65, 8192),
                 "Error: DSoundInitChans\\(\\): 65 chans is too many \\(max 64\\)");
    DSoundInitChans(16, 8192);
    EXPECT_FATAL(DSoundInitChans(16, 8192), "DSoundInitChans\\(\\): already initialised");
    EXPECT_FATAL(DSoundPlayChannel(16, 0), "Error: DSoundPlayChannel\\(\\): chan 16 out of range \\(0-16\\)");
    EXPECT_FATAL(DSoundSetChannelPan(-1, 0), "Error: DSoundSetChannelPan\\(\\): chan -1 out of range");
    EXPECT_FATAL(DSoundIsChannelPlaying(99), "Error: DSoundIsChannelPlaying\\(\\): chan 99 out of range");
    EXPECT_FATAL(DSoundUninit(), "DSoundUninit\\(\\): channels not released");
}

TEST_F(DSoundTest, OperationsNeedTheLayerUp) {
    DSoundUninit();
    EXPECT_FATAL(DSoundInitChans(4, 8192),
                 "Abort error: DSoundInitChans\\(\\): not initialised\n\\(File: dxsound");
    EXPECT_FATAL(DSoundUninitChans(), "DSoundUninitChans\\(\\): not initialised");
    EXPECT_FATAL(DSoundUninit(), "DSoundUninit\\(\\): not initialised");
    EXPECT_FATAL(DSoundStopChannel(0), "DSoundStopChannel\\(\\): not initialised");
    EXPECT_FATAL(DSoundSetChannelVolume(0, 50), "DSoundSetChannelVolume\\(\\): not initialised");
    EXPECT_FATAL(DSoundLockChannel(0, 0, 1), "DSoundLockChannel\\(\\): not initialised");
}

TEST_F(DSoundTest, VolumeLevelsHalveByTenDecibels) {
    EXPECT_EQ(DSoundVolumeToLevel(100), 0);
    EXPECT_EQ(DSoundVolumeToLevel(50), -1000);
    EXPECT_EQ(DSoundVolumeToLevel(25), -2000);
    EXPECT_EQ(DSoundVolumeToLevel(1), -6643);
    EXPECT_EQ(DSoundVolumeToLevel(0), -10000);
}

TEST_F(DSoundTest, LockAcrossTheEndStopsTheProgram) {
    DSoundInitChans(2, 8192);
    EXPECT_NE(DSoundLockChannel(1, 8192 - 16, 16), nullptr);
    DSoundUnlockChannel(1);
    EXPECT_FATAL(DSoundLockChannel(1, 8192 - 16, 17),
                 "DSoundLockChannel\\(\\): failed to lock requested byte count");
}

TEST_F(DSoundTest, CursorsFollowTheClockAndWrapWhenLooping) {
    DSoundInitChans(2, 8192);
    DSoundPlayChannel(0, 1);
    EXPECT_EQ(DSoundIsChannelPlaying(0), 1);
    AdvanceMs(100);
    EXPECT_EQ(PlayCursor(0), 4410u);
    uint32_t play, write;
    DSoundGetChannelOffset(0, &play, &write);
    EXPECT_EQ(write, (play + 441) % 8192);
    AdvanceMs(150);  // 11025 samples in all: past the end of the ring
    EXPECT_EQ(PlayCursor(0), 11025u - 8192u);
    EXPECT_EQ(DSoundIsChannelPlaying(0), 1);
    // Half the frequency, half the speed.
    DSoundSetChannelFrequency(1, 22050);
    DSoundPlayChannel(1, 1);
    AdvanceMs(100);
    EXPECT_EQ(PlayCursor(1), 2205u);
}

TEST_F(DSoundTest, ANonLoopingBufferStopsAtItsEnd) {
    DSoundInitChans(1, 4410);
    DSoundPlayChannel(0, 0);
    AdvanceMs(99);
    EXPECT_EQ(DSoundIsChannelPlaying(0), 1);
    AdvanceMs(2);
    EXPECT_EQ(DSoundIsChannelPlaying(0), 0);
}

TEST_F(DSoundTest, StopLeavesThePositionAtTheStart) {
    DSoundInitChans(1, 8192);
    DSoundPlayChannel(0, 1);
    AdvanceMs(50);
    EXPECT_GT(PlayCursor(0), 0u);
    DSoundStopChannel(0);
    EXPECT_EQ(DSoundIsChannelPlaying(0), 0);
    EXPECT_EQ(PlayCursor(0), 0u);
    AdvanceMs(50);
    EXPECT_EQ(PlayCursor(0), 0u);
}

TEST_F(DSoundTest, MixerHonoursVolumeAndPan) {
    DSoundInitChans(2, 8192);
    FillSquare(0, 8192);
    plat::TakeVirtualSoundOutput();
    DSoundPlayChannel(0, 1);
    AdvanceMs(100);
    std::vector<int16_t> full = plat::TakeVirtualSoundOutput();
    ASSERT_EQ(full.size(), 4410u * 2);
    EXPECT_GT(Peak(full, 0), 25000);
    EXPECT_EQ(Peak(full, 0), Peak(full, 1));

    DSoundSetChannelVolume(0, 50);  // -10 dB
    DSoundSetChannelPan(0, -100);   // hard left
    AdvanceMs(100);
    std::vector<int16_t> quiet = plat::TakeVirtualSoundOutput();
    EXPECT_NEAR(double(Peak(quiet, 0)) / Peak(full, 0), 0.316, 0.02);
    EXPECT_EQ(Peak(quiet, 1), 0);

    DSoundSetChannelVolume(0, 0);
    AdvanceMs(100);
    EXPECT_EQ(Peak(plat::TakeVirtualSoundOutput(), 0), 0);
}

TEST_F(DSoundTest, FailedDeviceCallsNameTheCallAndTheResult) {
    DSoundUninit();
    plat::FailNextSoundCall("Initialize", plat::kDsErrNoDriver);
    EXPECT_FATAL(DSoundInit(),
                 "Error: \\[file dxsound, line [0-9]+, func DSoundInit\\(\\)\\]:\nDirectX call "
                 "DirectSoundCreate\\(\\) failed: DSERR_NODRIVER");
    plat::FailNextSoundCall("", 0);  // only the dying child used it up
    DSoundInit();
    DSoundInitChans(1, 8192);
    plat::FailNextSoundCall("GetCurrentPosition", int32_t(0x80001234));
    EXPECT_FATAL(PlayCursor(0),
                 "func DSoundGetChanOffset\\(\\)\\]:\nDirectX call DSB_GetCurrentPosition\\(\\) "
                 "failed: unknown HRESULT \\(0x80001234\\)");
}

}  // namespace
