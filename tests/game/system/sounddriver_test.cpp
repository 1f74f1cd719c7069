#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/system/poll.h"
#include "game/system/soundchannels.h"
#include "game/system/sounddriver.h"
#include "platform/clock.h"
#include "platform/dsound.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/wav_fixture.h"

namespace {

using testwav::Chunk;

constexpr uint32_t kRate = 22050;

std::vector<uint8_t> Ramp(size_t n) {
    std::vector<uint8_t> pcm(n);
    for (size_t i = 0; i < n; ++i) pcm[i] = uint8_t(0x20 + (i * 7) % 0xC0);
    return pcm;
}

const char* const kShortFiles[] = {"short.wav"};
const char* const kLoopFiles[] = {"loop.wav"};
const char* const kPatternFiles[] = {"snd\\s%02d.wav"};
const char* const kBadFiles[] = {"bad.wav"};

SoundBankDesc Bank(const char* const* files, uint32_t count, uint32_t type) {
    return SoundBankDesc{files, 1, count, type | SND_BANK_SAMPLES | SND_BANK_PLAIN_FILES};
}

int AddBank(const char* const* files, uint32_t count, uint32_t type) {
    SoundBankDesc d = Bank(files, count, type);
    return SndAddSoundBank(&d);
}

class SoundDriverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A fixed folder: death-test children run the body again.
        // One folder per test and per source tree: tests run side by side,
        // and other checkouts on the machine run the same tests.
        dir_ = testing::TempDir() + "halvorn_sounddrv_" +
               testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(std::hash<std::string>{}(HALVORN_SOURCE_DIR));
        // Not emptied first: a death-test child writes the same files again
        // while its parent still stands in the folder.
        std::system(("mkdir -p " + dir_ + "/snd").c_str());
        if (getcwd(home_, sizeof home_) == nullptr || chdir(dir_.c_str()) != 0) FAIL();
        testwav::WriteFile("short.wav", testwav::Simple(Ramp(3000), kRate, false));
        testwav::WriteFile("loop.wav", testwav::Simple(Ramp(5000), kRate, true));
        for (int i = 0; i < 3; ++i) {
            testwav::WriteFile("snd/s0" + std::to_string(i) + ".wav",
                               testwav::Simple(Ramp(200000), kRate, false));
        }
        testenv::StartCore();
        InitMemory(9500);
        plat::SetVirtualSoundDevice(true);
        ASSERT_EQ(SndInit(), 1);
    }
    void TearDown() override {
        if (SndIsUp()) {
            if (SndActiveChannels() != 0) SndClearActiveChannels();
            for (int key = 0; key < SND_MAX_BANKS; ++key) {
                const SndBank* bank = SndGetBank(key);
                if (bank == nullptr) continue;
                if ((bank->desc.bank_type & SND_BANK_STORAGE_MASK) == SND_BANK_RAM) SndUnload(key, -1);
                SndRemoveSoundBank(key);
            }
            SndUninit();
        }
        UninitMemory();
        plat::SetVirtualSoundDevice(false);
        testenv::StopCore();
        if (chdir(home_) == 0) std::system(("rm -rf " + dir_).c_str());
    }

    // Runs the game for a while: the clock moves and Poll is called as a
    // busy loop would.
    static void RunFor(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            plat::AdvanceClockMicroseconds(10000);
            Poll();
        }
    }

    static std::vector<uint8_t> ChannelBytes(int channel, uint32_t offset, uint32_t bytes) {
        auto* p = static_cast<uint8_t*>(DSoundLockChannel(channel, offset, bytes));
        std::vector<uint8_t> out(p, p + bytes);
        DSoundUnlockChannel(channel);
        return out;
    }

    std::string dir_;
    char home_[4096] = {};
};

TEST_F(SoundDriverTest, AShortSampleIsFollowedBySilenceAndItsChannelGoesIdle) {
    int key = AddBank(kShortFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_SPOOLED);
    SndSetActiveChannels(16);
    EXPECT_EQ(SndPlay(int16_t(key), 0, -1, 100, 0), 0);
    std::vector<uint8_t> ring = ChannelBytes(0, 0, 8192);
    std::vector<uint8_t> ramp = Ramp(3000);
    EXPECT_TRUE(std::equal(ramp.begin(), ramp.end(), ring.begin()));
    EXPECT_TRUE(std::all_of(ring.begin() + 3000, ring.end(), [](uint8_t b) { return b == SND_SILENCE; }));
    EXPECT_EQ(SndIsChannelFree(0), 0);
    RunFor(100);  // 2205 samples played: not yet at the end
    EXPECT_EQ(SndIsChannelFree(0), 0);
    RunFor(200);
    EXPECT_EQ(SndIsChannelFree(0), 1);
}

TEST_F(SoundDriverTest, ALoopingSampleNeverEnds) {
    int key = AddBank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SndLoad(key, -1);
    SndSetActiveChannels(16);
    int channel = SndPlay(int16_t(key), 0, 3, 100, 0);
    EXPECT_EQ(channel, 3);
    plat::TakeVirtualSoundOutput();
    for (int second = 0; second < 10; ++second) {
        RunFor(1000);
        EXPECT_EQ(SndIsChannelFree(3), 0) << second;
        std::vector<int16_t> out = plat::TakeVirtualSoundOutput();
        int32_t peak = 0;
        for (size_t i = out.size() - 2000; i < out.size(); ++i)
            peak = std::max(peak, std::abs(int32_t(out[i])));
        EXPECT_GT(peak, 10000) << second;
    }
    SndStop(3);
    EXPECT_EQ(SndIsChannelFree(3), 1);
}

TEST_F(SoundDriverTest, LongSamplesAreStreamedBlockByBlockAheadOfTheCursor) {
    int key = AddBank(kPatternFiles, 3, SND_BANK_LIST_PATTERN | SND_BANK_SPOOLED);
    SndSetActiveChannels(16);  // 16 blocks of 8 KiB per channel
    ASSERT_EQ(SndPlay(int16_t(key), 1, 0, 100, 0), 0);
    std::vector<uint8_t> ramp = Ramp(200000);
    // The ring starts with the first bytes of the sample.
    std::vector<uint8_t> first = ChannelBytes(0, 0, 64);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), ramp.begin()));
    // At 22050 samples a second the cursor passes 3 blocks in 1.2 s.
    RunFor(1200);
    SndUpdateAllChanels();  // as the next poll would
    uint32_t play = 0;
    DSoundGetChannelOffset(0, &play, nullptr);
    ASSERT_EQ(play / SND_BLOCK_SIZE, 3u);
    for (uint32_t block = 0; block < 3; ++block) {
        std::vector<uint8_t> got = ChannelBytes(0, block * SND_BLOCK_SIZE, SND_BLOCK_SIZE);
        size_t from = (16 + block) * SND_BLOCK_SIZE;
        EXPECT_TRUE(std::equal(got.begin(), got.end(), ramp.begin() + long(from))) << block;
    }
    std::vector<uint8_t> ahead = ChannelBytes(0, 5 * SND_BLOCK_SIZE, SND_BLOCK_SIZE);
    EXPECT_TRUE(std::equal(ahead.begin(), ahead.end(), ramp.begin() + 5 * SND_BLOCK_SIZE));
}

TEST_F(SoundDriverTest, AnyChannelMeansTheLowestFreeOneAndNoneLeftDropsTheSound) {
    int key = AddBank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SndLoad(key, 0);
    SndSetActiveChannels(16);
    EXPECT_EQ(SndPlay(int16_t(key), 0, 5, 50, 0), 5);
    for (int expected = 0; expected < 16; ++expected) {
        if (expected == 5) continue;
        EXPECT_EQ(SndPlay(int16_t(key), 0, -1, 50, 0), expected);
    }
    EXPECT_EQ(SndPlay(int16_t(key), 0, -1, 50, 0), -1);
    SndStop(-1);
    EXPECT_EQ(SndPlay(int16_t(key), 0, -1, 50, 0), 0);
}

TEST_F(SoundDriverTest, ChannelMemoryIsSharedOutInWholeBlocks) {
    SndSetActiveChannels(64);  // 32768 bytes: 4 blocks each
    EXPECT_NE(DSoundLockChannel(63, 32767, 1), nullptr);
    DSoundUnlockChannel(63);
    EXPECT_FATAL(DSoundLockChannel(63, 32767, 2), "failed to lock requested byte count");
    EXPECT_FATAL(SndSetActiveChannels(2), "SndSetActiveChannels\\(\\): already active");
    SndClearActiveChannels();
    EXPECT_FATAL(SndClearActiveChannels(), "SndClearActiveChannels\\(\\): not active");
    EXPECT_FATAL(SndSetActiveChannels(65), "SndSetActiveChannels\\(\\): invalid no. of channels");
    EXPECT_FATAL(SndSetActiveChannels(0), "SndSetActiveChannels\\(\\): invalid no. of channels");
}

TEST_F(SoundDriverTest, ChannelNumbersAreChecked) {
    int key = AddBank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SndSetActiveChannels(16);
    EXPECT_FATAL(SndPlay(int16_t(key), 0, 16, 50, 0),
                 "Error: SndPlay\\(\\): Chan 16 out of range \\(0-16\\)");
    EXPECT_FATAL(SndIsChannelFree(-2), "Error: SndPlay\\(\\): Chan -2 out of range");
    EXPECT_FATAL(SndStop(20), "Error: SndStop\\(\\): Chan 20 out of range \\(0-16\\)");
    EXPECT_FATAL(SndPlay(int16_t(key), 0, 0, 50, 0),
                 "_SndCopyFromSample2PlayBuf\\(\\): sound not loaded - use SndLoad\\(\\)");
    EXPECT_FATAL(SndPlay(int16_t(key), 1, 0, 50, 0), "Error: GetSampInfo\\(\\): sample no 1 out of range");
    EXPECT_FATAL(SndPlay(int16_t(key + 1), 0, 0, 50, 0), "SndPlay\\(\\): invalid bank key");
}

TEST_F(SoundDriverTest, BanksAreCheckedAddedAndRemoved) {
    SoundBankDesc d = Bank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SoundBankDesc wrong_kind = d;
    wrong_kind.bank_type = (d.bank_type & ~SND_BANK_KIND_MASK) | 2;
    EXPECT_FATAL(SndAddSoundBank(&wrong_kind), "only sample sound banks supported in this version");
    SoundBankDesc no_list = d;
    no_list.bank_type &= ~SND_BANK_LIST_MASK;
    EXPECT_FATAL(SndAddSoundBank(&no_list), "sample banks need a file list");
    SoundBankDesc no_storage = d;
    no_storage.bank_type &= ~SND_BANK_STORAGE_MASK;
    EXPECT_FATAL(SndAddSoundBank(&no_storage), "sample banks must be spooled or ram based");

    for (int i = 0; i < SND_MAX_BANKS; ++i) EXPECT_EQ(SndAddSoundBank(&d), i);
    EXPECT_FATAL(SndAddSoundBank(&d), "SndAddSoundBank\\(\\): too many sound banks");
    SndRemoveSoundBank(7);
    EXPECT_EQ(SndAddSoundBank(&d), 7);

    SndLoad(3, 0);
    EXPECT_NE(SndGetBank(3)->samples[0].loaded, nullptr);
    EXPECT_FATAL(SndRemoveSoundBank(3), "SndRemoveSoundBank\\(\\): sample 3:0 was not unloaded");
    SndUnload(3, -1);
    EXPECT_EQ(SndGetBank(3)->samples[0].loaded, nullptr);
    SndRemoveSoundBank(3);
    EXPECT_FATAL(SndRemoveSoundBank(3), "SndRemoveSoundBank\\(\\): bank is already removed");
    EXPECT_FATAL(SndRemoveSoundBank(32), "SndRemoveSoundBank\\(\\): invalid bank key");

    SoundBankDesc spooled = Bank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_SPOOLED);
    int s = SndAddSoundBank(&spooled);
    EXPECT_FATAL(SndLoad(s, 0), "SndLoad\\(\\): bank is wrong type for loading samples");
    EXPECT_FATAL(SndUnload(s, 0), "SndUnload\\(\\): bank is wrong type for unloading samples");
}

TEST_F(SoundDriverTest, HeaderIsReadOnceWithTheLoopWordAndFileNamesFollowTheBank) {
    int key = AddBank(kLoopFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SndBank* bank = const_cast<SndBank*>(SndGetBank(key));
    SampInfo* info = GetSampInfo(bank, 0);
    EXPECT_EQ(info->rate, kRate);
    EXPECT_EQ(info->data_size, 5000u);
    EXPECT_EQ(info->data_offset, 12u + 24u + 24u + 8u);
    EXPECT_EQ(info->velk & SND_VELK_LOOP, 1u);
    EXPECT_STREQ(GetSampFilename(bank, 0), "loop.wav");
    int pattern = AddBank(kPatternFiles, 3, SND_BANK_LIST_PATTERN | SND_BANK_SPOOLED);
    EXPECT_STREQ(GetSampFilename(const_cast<SndBank*>(SndGetBank(pattern)), 2), "snd\\s02.wav");
    EXPECT_FATAL(GetSampFilename(const_cast<SndBank*>(SndGetBank(pattern)), 3),
                 "Error: GetSampFilename\\(\\): sample no 3 out of range");
}

TEST_F(SoundDriverTest, AMissingPlainFileIsNamed) {
    const char* const missing[] = {"nothere.wav"};
    int key = AddBank(missing, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    EXPECT_FATAL(SndLoad(key, 0), "Error: _SampleFileOpen\\(\\): Failed to open nothere.wav");
}

// Each damaged file, loaded through a bank, stops the program with its
// own message.
void ExpectRejected(const std::vector<uint8_t>& file, const char* message) {
    testwav::WriteFile("bad.wav", file);
    SoundBankDesc d = Bank(kBadFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    EXPECT_FATAL(SndLoad(SndAddSoundBank(&d), 0), message);
}

TEST_F(SoundDriverTest, DamagedFilesEndWithTheirOwnMessage) {
    std::vector<uint8_t> pcm = Ramp(100);
    std::vector<uint8_t> fmt = testwav::FmtBody(1, 1, kRate, 8);
    Chunk data{"data", pcm};
    ExpectRejected({'R', 'I', 'F'}, "GetSampInfo\\(\\): not a RIFF .wav file");
    std::vector<uint8_t> not_riff = testwav::Simple(pcm, kRate, false);
    not_riff[0] = 'X';
    ExpectRejected(not_riff, "GetSampInfo\\(\\): not a RIFF .wav file");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, data}, 1), "GetSampInfo\\(\\): RIFF .wav file wrong size");
    std::vector<uint8_t> not_wave = testwav::Simple(pcm, kRate, false);
    not_wave[8] = 'X';
    ExpectRejected(not_wave, "GetSampInfo\\(\\): RIFF file is not a .wav");
    ExpectRejected(testwav::Build({{"fmt ", std::vector<uint8_t>(fmt.begin(), fmt.begin() + 15)}, data}),
                   "format header wrong size - not a PCM wav file");
    ExpectRejected(testwav::Build({{"fmt ", testwav::FmtBody(3, 1, kRate, 8)}, data}),
                   "not a PCM encoded .wav file - wrong format");
    ExpectRejected(testwav::Build({{"fmt ", testwav::FmtBody(1, 2, kRate, 8)}, data}),
                   "GetSampInfo\\(\\): only mono samples supported");
    ExpectRejected(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, kRate, 16)}, data}),
                   "GetSampInfo\\(\\): only 8 bit samples supported");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, {"vELk", testwav::VelkBody(1, 12)}, data}),
                   "GetSampInfo\\(\\): bad 'vELk' block in .wav file");
    ExpectRejected(testwav::Build({{"fmt ", fmt}}),
                   "failed to find both 'fmt' and 'data' chunks in .wav file");
    ExpectRejected(testwav::Build({data}), "failed to find both 'fmt' and 'data' chunks in .wav file");
    // Chunks of every kind whose size reaches past the end of the file.
    ExpectRejected(testwav::Build({data, {"fmt ", fmt, 400}}),
                   "GetSampInfo\\(\\): chunk runs past the end of the .wav file");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, data, {"vELk", {1, 0, 0, 0}, 16}}),
                   "GetSampInfo\\(\\): chunk runs past the end of the .wav file");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, data, {"LIST", {1}, 1000}}),
                   "GetSampInfo\\(\\): chunk runs past the end of the .wav file");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, {"data", pcm, 0x7FFFFFF0}}),
                   "GetSampInfo\\(\\): chunk runs past the end of the .wav file");
    std::vector<uint8_t> cut = testwav::Build({{"fmt ", fmt}, data}, 4);
    cut.insert(cut.end(), {'L', 'I', 'S', 'T'});  // half a chunk header at the end
    ExpectRejected(cut, "GetSampInfo\\(\\): truncated chunk header in .wav file");
    ExpectRejected(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 50, 8)}, data}),
                   "GetSampInfo\\(\\): sample rate out of range");
    ExpectRejected(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 100001, 8)}, data}),
                   "GetSampInfo\\(\\): sample rate out of range");
    ExpectRejected(testwav::Build({{"fmt ", fmt}, {"data", {}}}),
                   "GetSampInfo\\(\\): .wav file holds no sample data");
}

TEST_F(SoundDriverTest, OddUnknownChunksAreSkippedWithTheirPadByte) {
    std::vector<uint8_t> pcm = Ramp(301);
    testwav::WriteFile(
        "bad.wav",
        testwav::Build(
            {{"LIST", {1, 2, 3}}, {"fmt ", testwav::FmtBody(1, 1, 11025, 8)}, {"junk", {9}}, {"data", pcm}}));
    int key = AddBank(kBadFiles, 1, SND_BANK_LIST_PER_SAMPLE | SND_BANK_RAM);
    SndLoad(key, 0);
    const SampInfo& info = SndGetBank(key)->samples[0];
    EXPECT_EQ(info.rate, 11025u);
    EXPECT_EQ(info.data_size, 301u);
    EXPECT_EQ(std::memcmp(info.loaded, pcm.data(), pcm.size()), 0);
    EXPECT_EQ(info.velk, 0u);
}

TEST_F(SoundDriverTest, WholeImageCheckGivesItsCodes) {
    std::vector<uint8_t> pcm = Ramp(64);
    std::vector<uint8_t> fmt = testwav::FmtBody(1, 1, kRate, 8);
    auto code = [](const std::vector<uint8_t>& f) { return SndCheckWavImage(f.data(), uint32_t(f.size())); };
    EXPECT_EQ(code(testwav::Simple(pcm, kRate, true)), 0);
    EXPECT_EQ(code({'R', 'I', 'F', 'F'}), -1);
    std::vector<uint8_t> f = testwav::Simple(pcm, kRate, false);
    f[0] = 'X';
    EXPECT_EQ(code(f), -2);
    f[0] = 'R';
    f[8] = 'X';
    EXPECT_EQ(code(f), -3);
    EXPECT_EQ(code(testwav::Build({{"fmt ", std::vector<uint8_t>(fmt.begin(), fmt.begin() + 14)}})), -4);
    EXPECT_EQ(code(testwav::Build({{"data", pcm}, {"fmt ", fmt}})), -5);
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt}, {"LIST", {1}, 1000}})), -6);
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt}})), -7);
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt, 400}})), -8);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(2, 1, kRate, 8)}, {"data", pcm}})), -10);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(1, 2, kRate, 8)}, {"data", pcm}})), -11);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, kRate, 16)}, {"data", pcm}})), -12);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 5999, 8)}, {"data", pcm}})), -13);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 44100, 8)}, {"data", pcm}})), 0);
    EXPECT_EQ(code(testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 44101, 8)}, {"data", pcm}})), -13);
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt}, {"data", Ramp(31)}})), -14);
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt}, {"data", pcm, 1048577}})), -14);
    // The check reads no sample bytes and no RIFF size: only the chunk walk.
    EXPECT_EQ(code(testwav::Build({{"fmt ", fmt}, {"data", Ramp(32)}}, 2)), 0);
    std::vector<uint8_t> cut = testwav::Build({{"fmt ", fmt}, {"LIST", {1, 2}}}, 4);
    cut.insert(cut.end(), {'d', 'a', 't', 'a'});  // half a chunk header at the end
    EXPECT_EQ(code(cut), -7);
    // A last chunk of odd size whose pad byte is missing ends the walk too.
    std::vector<uint8_t> unpadded = {'R', 'I', 'F', 'F', 100, 0, 0, 0, 'W', 'A', 'V',
                                     'E', 'L', 'I', 'S', 'T', 1, 0, 0, 0,   0};
    EXPECT_EQ(code(unpadded), -7);
}

// What files from other programs carry, as the driver's header walk reads them.
TEST(WavRuleTest, TheDriverTakesTheSizesAndChunksItsHeaderGives) {
    std::vector<uint8_t> pcm = Ramp(40);
    std::vector<uint8_t> fmt = testwav::FmtBody(1, 1, kRate, 8);
    auto withRiffSize = [](std::vector<uint8_t> file, uint32_t size) {
        recbits::StoreU32(file.data() + 4, size);
        return file;
    };
    const char* kRiffSize = "GetSampInfo(): RIFF .wav file wrong size";
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        uint32_t rate;
        uint32_t data_size;
        const char* refusal = nullptr;  // the fault of a refused file
    } cases[] = {
        {"48 kHz", testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 48000, 8)}, {"data", pcm}}), 48000, 40},
        {"a short sample", testwav::Build({{"fmt ", fmt}, {"data", Ramp(3)}}), kRate, 3},
        {"data before fmt", testwav::Build({{"data", pcm}, {"fmt ", fmt}}), kRate, 40},
        {"two data chunks: the last is kept",
         testwav::Build({{"fmt ", fmt}, {"data", pcm}, {"data", Ramp(7)}}), kRate, 7},
        {"RIFF size 0xFFFFFFFF", withRiffSize(testwav::Simple(pcm, kRate, true), 0xFFFFFFFF), 0, 0,
         kRiffSize},
        {"RIFF size 0", withRiffSize(testwav::Simple(pcm, kRate, false), 0), 0, 0, kRiffSize},
        {"a RIFF size one short", testwav::Build({{"fmt ", fmt}, {"data", pcm}}, -1), 0, 0, kRiffSize},
        {"a RIFF size past the end", testwav::Build({{"fmt ", fmt}, {"data", pcm}}, 8), 0, 0, kRiffSize},
        {"a rate no channel plays", testwav::Build({{"fmt ", testwav::FmtBody(1, 1, 50, 8)}, {"data", pcm}}),
         0, 0, "GetSampInfo(): sample rate out of range in .wav file"},
        {"an empty data chunk", testwav::Build({{"fmt ", fmt}, {"data", {}}}), 0, 0,
         "GetSampInfo(): .wav file holds no sample data"},
    };
    for (const Case& c : cases) {
        SampInfo info{};
        const char* fault = SndParseWavImage(c.file, &info);
        if (c.refusal != nullptr) {
            EXPECT_STREQ(fault, c.refusal) << c.what;
            continue;
        }
        ASSERT_EQ(fault, nullptr) << c.what << ": " << fault;
        EXPECT_EQ(info.rate, c.rate) << c.what;
        EXPECT_EQ(info.data_size, c.data_size) << c.what;
        EXPECT_EQ(std::memcmp(c.file.data() + info.data_offset, Ramp(c.data_size).data(), c.data_size), 0)
            << c.what;
    }
}

TEST(SoundDriverDownTest, EverythingButInitDoesNothing) {
    ASSERT_EQ(SndIsUp(), 0);
    SoundBankDesc d{kLoopFiles, 1, 1, 0x221};
    EXPECT_EQ(SndAddSoundBank(&d), -1);
    EXPECT_EQ(SndPlay(0, 0, -1, 100, 0), -1);
    EXPECT_EQ(SndIsChannelFree(12), 1);
    SndStop(-1);
    SndSetActiveChannels(16);
    EXPECT_EQ(SndActiveChannels(), 0);
    SndRemoveSoundBank(40);
    SndLoad(3, -1);
    SndUninit();
    EXPECT_EQ(SndUpdateChanels(), 0);
}

}  // namespace
