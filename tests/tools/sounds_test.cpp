#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/sounddriver.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/dsound.h"
#include "tests/fakes/support_env.h"
#include "tools/datakit/packer.h"
#include "tools/datakit/sounds.h"
#include "tools/datakit/stage.h"

namespace {

using datakit::MATCH_SOUND_COUNT;

struct Pcm {
    uint32_t rate = 0;
    bool loop = false;
    std::vector<float> samples;  // -1..1
};

Pcm Decode(const std::vector<uint8_t>& file) {
    SampInfo info{};
    const char* fault = SndParseWavImage(file, &info);
    EXPECT_EQ(fault, nullptr);
    Pcm p;
    if (fault != nullptr) return p;
    p.rate = info.rate;
    p.loop = (info.velk & SND_VELK_LOOP) != 0;
    for (uint32_t i = 0; i < info.data_size; ++i) {
        p.samples.push_back((float(file[info.data_offset + i]) - 128.0f) / 127.0f);
    }
    return p;
}

double Rms(const std::vector<float>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

// Strength of one frequency over the whole sound (Goertzel).
double Strength(const Pcm& p, double freq) {
    double w = 2 * M_PI * freq / p.rate, c = 2 * std::cos(w), s1 = 0, s2 = 0;
    for (float x : p.samples) {
        double s0 = x + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - c * s1 * s2) / double(p.samples.size());
}

double StrongestBetween(const Pcm& p, double lo, double hi, double* at) {
    double best = 0;
    for (double f = lo; f <= hi; f += 25) {
        double s = Strength(p, f);
        if (s > best) best = s, *at = f;
    }
    return best;
}

// Number of separate loud stretches (blasts of a whistle).
int Bursts(const Pcm& p) {
    size_t window = p.rate / 50;
    double peak = 0;
    std::vector<double> level;
    for (size_t i = 0; i + window <= p.samples.size(); i += window) {
        level.push_back(Rms(p.samples, i, i + window));
        peak = std::max(peak, level.back());
    }
    int bursts = 0;
    bool on = false;
    for (double l : level) {
        if (!on && l > peak * 0.5) ++bursts, on = true;
        if (on && l < peak * 0.15) on = false;
    }
    return bursts;
}

double Seconds(const Pcm& p) { return double(p.samples.size()) / p.rate; }

TEST(MatchSoundsTest, OutputIsTheSameEveryRun) {
    EXPECT_EQ(datakit::MakeMatchSoundFile(18), datakit::MakeMatchSoundFile(18));
    EXPECT_EQ(datakit::MakeMatchSoundFile(24), datakit::MakeMatchSoundFile(24));
    EXPECT_NE(datakit::MakeMatchSoundFile(24), datakit::MakeMatchSoundFile(25));
}

TEST(MatchSoundsTest, EveryFileIsEightBitMonoAtOneRateAndOnlyTheBedsLoop) {
    for (int n = 0; n <= MATCH_SOUND_COUNT; ++n) {
        Pcm p = Decode(datakit::MakeMatchSoundFile(n));
        EXPECT_EQ(p.rate, 22050u) << n;
        bool bed = n == 19 || n == 20 || n == 34 || n == MATCH_SOUND_COUNT;
        EXPECT_EQ(p.loop, bed) << n;
        EXPECT_GT(Rms(p.samples, 0, p.samples.size()), 0.03) << n;
        EXPECT_LE(p.samples.size(), 1048576u) << n;
    }
}

TEST(MatchSoundsTest, WhistlesArePitchedNearThreeKilohertzWithTheirBlasts) {
    const int kWhistles[] = {16, 17, 18};
    const int kBlasts[] = {1, 1, 3};
    for (int i = 0; i < 3; ++i) {
        Pcm p = Decode(datakit::MakeMatchSoundFile(kWhistles[i]));
        double at = 0;
        double tone = StrongestBetween(p, 2500, 3800, &at);
        EXPECT_GT(tone, 8 * Strength(p, 700)) << kWhistles[i];
        EXPECT_GT(tone, 3 * Strength(p, 1500)) << kWhistles[i];
        EXPECT_EQ(Bursts(p), kBlasts[i]) << kWhistles[i];
    }
    EXPECT_LT(Seconds(Decode(datakit::MakeMatchSoundFile(16))), 0.8);
    EXPECT_GT(Seconds(Decode(datakit::MakeMatchSoundFile(17))), 1.0);
}

TEST(MatchSoundsTest, BallContactsAreShortThumpsAndTheWoodworkRings) {
    for (int n : {0, 1, 2, 3, 5, 6, 8, 9, 10, 11, 13, 15}) {
        Pcm p = Decode(datakit::MakeMatchSoundFile(n));
        EXPECT_LT(Seconds(p), 0.5) << n;
        size_t tenth = p.rate / 10;
        // Most of the energy comes at once, and there is a low body to it.
        EXPECT_GT(Rms(p.samples, 0, tenth), 3 * Rms(p.samples, 2 * tenth, p.samples.size())) << n;
        EXPECT_GT(Strength(p, 120) + Strength(p, 150), Strength(p, 4000)) << n;
    }
    for (int n : {4, 14}) {
        Pcm p = Decode(datakit::MakeMatchSoundFile(n));
        size_t half = p.rate / 2;
        EXPECT_GT(Rms(p.samples, half, half + p.rate / 10), 0.2 * Rms(p.samples, 0, p.rate / 10)) << n;
    }
}

TEST(MatchSoundsTest, CrowdBedsAreSteadyAndTheRoarIsLoud) {
    for (int n : {19, 20, 34, MATCH_SOUND_COUNT}) {
        Pcm p = Decode(datakit::MakeMatchSoundFile(n));
        size_t part = p.samples.size() / 10;
        double head = Rms(p.samples, 0, part),
               tail = Rms(p.samples, p.samples.size() - part, p.samples.size());
        EXPECT_NEAR(head / tail, 1.0, 0.35) << n;
        // The loop point is not a click: the jump is like any other step.
        double step = 0;
        for (size_t i = 1; i < p.samples.size(); ++i) step += std::fabs(p.samples[i] - p.samples[i - 1]);
        step /= double(p.samples.size());
        EXPECT_LT(std::fabs(p.samples.front() - p.samples.back()), 6 * step + 0.02) << n;
    }
    Pcm murmur = Decode(datakit::MakeMatchSoundFile(19));
    Pcm roar = Decode(datakit::MakeMatchSoundFile(24));
    size_t second = roar.rate;
    EXPECT_GT(Rms(roar.samples, second / 2, 2 * second), 1.2 * Rms(murmur.samples, 0, murmur.samples.size()));
}

// The data kit's files packed into an archive in a scratch folder, read
// back through the pak layer by the sound driver.
class PackedSoundsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // One folder per test and per source tree: tests run side by side,
        // and other checkouts on the machine run the same tests.
        dir_ = testing::TempDir() + "halvorn_packed_sounds_" +
               testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(std::hash<std::string>{}(HALVORN_SOURCE_DIR));
        std::system(("mkdir -p " + dir_ + "/pakfiles").c_str());
        if (getcwd(home_, sizeof home_) == nullptr) FAIL();
        InitMemory(9500);
        datakit::ClearStage();
        datakit::GenerateMatchSounds();
        datakit::WriteArchive(dir_ + "/" + datakit::kArchiveBase, datakit::StagedPakFiles());
        datakit::ClearStage();
        if (chdir(dir_.c_str()) != 0) FAIL();
        PakFileInit();
        PakAddFile("pakfiles\\demo");
        PakFileAddDone();
    }
    void TearDown() override {
        PakFileUninit();
        UninitMemory();
        if (chdir(home_) == 0) std::system(("rm -rf " + dir_).c_str());
    }
    std::string dir_;
    char home_[4096] = {};
};

TEST_F(PackedSoundsTest, AllFortyThreeFilesLoadThroughTheSoundDriver) {
    testenv::StartCore();
    plat::SetVirtualSoundDevice(true);
    MatchInitSoundBanks();
    SndLoad(MatchEffectsBankKey, -1);
    SndLoad(MatchCrowdBankKey, -1);
    auto* effects = const_cast<SndBank*>(SndGetBank(MatchEffectsBankKey));
    for (int n = 0; n < MATCH_SOUND_COUNT; ++n) {
        const SampInfo& info = effects->samples[n];
        EXPECT_EQ(info.rate, 22050u) << n;
        EXPECT_NE(info.loaded, nullptr) << n;
        PakFile* file = PakOpenFile(GetSampFilename(effects, n));
        EXPECT_EQ(file->flags & PAK_FLAG_COMPRESSED, 0) << n;  // read in parts, so stored whole
        PakCloseFile(file);
    }
    EXPECT_EQ(SndGetBank(MatchCrowdBankKey)->samples[0].velk & SND_VELK_LOOP, 1u);
    // The whistle plays and its channel goes idle; the crowd loop plays on.
    SndSetActiveChannels(16);
    EXPECT_EQ(SndPlay(MatchEffectsBankKey, 16, -1, 100, 0), 0);
    EXPECT_EQ(SndPlay(MatchCrowdBankKey, 0, -1, 60, 0), 1);
    for (int i = 0; i < 300; ++i) {
        plat::AdvanceClockMicroseconds(10000);
        Poll();
    }
    EXPECT_EQ(SndIsChannelFree(0), 1);
    EXPECT_EQ(SndIsChannelFree(1), 0);
    SndClearActiveChannels();
    SndUnload(MatchEffectsBankKey, -1);
    SndUnload(MatchCrowdBankKey, -1);
    UninitMatchSoundBanks();
    plat::SetVirtualSoundDevice(false);
    testenv::StopCore();
}

// A real run on the disk audio driver: what it writes is not silent and
// lasts as long as the sound device was open.
TEST_F(PackedSoundsTest, DiskDriverRecordsTheWhistleAndTheCrowd) {
    std::string out = dir_ + "/disk.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    WinResetForTests();
    WinInit(nullptr, "Halvorn test", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    InitTimerInterrupt();
    InitPoll();

    auto opened = std::chrono::steady_clock::now();
    MatchInitSoundBanks();
    uint32_t rate = plat::SoundDeviceRate();
    SndLoad(MatchEffectsBankKey, 18);
    SndLoad(MatchCrowdBankKey, 0);
    SndSetActiveChannels(16);
    SndPlay(MatchEffectsBankKey, 18, -1, 100, 0);
    SndPlay(MatchCrowdBankKey, 0, -1, 80, 0);
    while (std::chrono::steady_clock::now() - opened < std::chrono::milliseconds(3000)) {
        Poll();
        plat::Sleep(5);
    }
    SndClearActiveChannels();
    SndUnload(MatchEffectsBankKey, -1);
    SndUnload(MatchCrowdBankKey, -1);
    UninitMatchSoundBanks();
    double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
    UninitPoll();
    ClearTimerInterrupt();
    WinResetForTests();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::ifstream in(out, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(rate, 0u);
    double seconds = double(bytes.size()) / (double(rate) * 4.0);
    // The disk driver writes from its own thread in real time; on a loaded
    // machine it can fall somewhat behind, so the lower bound is generous.
    EXPECT_GT(seconds, played * 0.4);
    EXPECT_LT(seconds, played * 1.3);
    auto rms = [&](double from, double to) {
        size_t a = size_t(from * rate) * 2, b = std::min(size_t(to * rate) * 2, bytes.size() / 2);
        const auto* s = reinterpret_cast<const int16_t*>(bytes.data());
        double sum = 0;
        for (size_t i = a; i < b; ++i) sum += double(s[i]) * s[i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    };
    EXPECT_GT(rms(0.2, 2.0), 1500);                     // whistle and crowd
    EXPECT_GT(rms(seconds - 0.5, seconds - 0.2), 300);  // the crowd loops on
}

}  // namespace
