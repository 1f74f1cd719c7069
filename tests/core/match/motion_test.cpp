#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchfigure.h"
#include "core/match/motion.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A clip file: the header as given, then frames whose reference point is
// (frame, clip, 0) and held-ball point (frame + 0.5, 1, -0.25).
Bytes ClipFile(uint32_t dataSize, uint32_t frameCount, size_t fileSize, int clip = 0) {
    Bytes bytes(fileSize, 0);
    if (fileSize >= 4) recbits::StoreU32(bytes.data(), dataSize);
    if (fileSize >= 8) recbits::StoreU32(bytes.data() + 4, frameCount);
    for (size_t f = 0; kMotionHeaderSize + (f + 1) * kMotionFrameSize <= fileSize; ++f) {
        uint8_t* record = bytes.data() + kMotionHeaderSize + f * kMotionFrameSize;
        const float values[6] = {float(f), float(clip), 0.0f, float(f) + 0.5f, 1.0f, -0.25f};
        std::memcpy(record, values, sizeof values);
        recbits::StoreU32(record + kMotionFrameBones, MotionPackBone(1, 2, 3));
    }
    return bytes;
}

Bytes GoodClip(uint32_t frames, int clip = 0) {
    return ClipFile(frames * kMotionFrameSize, frames, kMotionHeaderSize + frames * kMotionFrameSize, clip);
}

std::string ClipPath(int clip) {
    char path[80];
    std::snprintf(path, sizeof path, kMotionPathFormat, Motion_ClipName(clip));
    return path;
}

int g_polls = 0;
void CountPoll() { ++g_polls; }

class MotionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        matchtest::UnmountGameData();
        InitMemory(9500);
    }
    void TearDown() override {
        Motion_FreeAll();
        if (PakFileStatus() != 0) PakFileUninit();
        UninitMemory();
    }
    // An archive of all 352 clips: clip n has n % 5 + 1 frames unless
    // `special` gives its bytes (or leaves it out with an empty vector).
    void WriteArchive(const std::vector<std::pair<int, Bytes>>& special = {}) {
        WriteArchiveFiles(special);
        Mount({"pakfiles\\demo"});
    }
    void WriteArchiveFiles(const std::vector<std::pair<int, Bytes>>& special) {
        std::vector<testenv::PakTestFile> files;
        for (int clip = 0; clip < kMotionClipCount; ++clip) {
            Bytes bytes = GoodClip(uint32_t(clip % 5 + 1), clip);
            bool skip = false;
            for (const auto& [number, replacement] : special) {
                if (number != clip) continue;
                bytes = replacement;
                skip = replacement.empty();
            }
            if (!skip) files.push_back({ClipPath(clip), bytes});
        }
        testenv::WritePak("pakfiles/demo", files);
    }
    static void Mount(std::initializer_list<const char*> archives) {
        if (PakFileStatus() != 0) PakFileUninit();
        PakFileInit();
        for (const char* archive : archives) PakAddFile(archive);
        PakFileAddDone();
    }
    // The height of clip's frame 0 reference point: the clip's number in
    // the archive's own files.
    static float FirstHeight(int clip) {
        MotionFrame frame;
        return Motion_GetFrame(clip, 0, &frame) ? frame.reference[1] : -1.0f;
    }
    testenv::ScratchDir scratch_;
};

TEST(MotionNames, FollowTheListNotTheNumbersInTheNames) {
    EXPECT_STREQ(Motion_ClipName(0), "VLK001");
    EXPECT_STREQ(Motion_ClipName(2), "VLK003");
    EXPECT_STREQ(Motion_ClipName(3), "VLK04");
    EXPECT_STREQ(Motion_ClipName(4), "VLK005");
    EXPECT_STREQ(Motion_ClipName(64), "VLK065");
    EXPECT_STREQ(Motion_ClipName(65), "VLK068");
    EXPECT_STREQ(Motion_ClipName(66), "VLK067");
    EXPECT_STREQ(Motion_ClipName(67), "VLK069");
    EXPECT_STREQ(Motion_ClipName(85), "VLK08A");
    EXPECT_STREQ(Motion_ClipName(98), "VLK102A");
    EXPECT_STREQ(Motion_ClipName(99), "VLK102B");
    EXPECT_STREQ(Motion_ClipName(185), "VLK193");
    EXPECT_STREQ(Motion_ClipName(232), "VLK248A");
    EXPECT_STREQ(Motion_ClipName(249), "vlk265a");
    EXPECT_STREQ(Motion_ClipName(255), "vlk271a");
    EXPECT_STREQ(Motion_ClipName(256), "vlk271b");
    EXPECT_STREQ(Motion_ClipName(270), "VLK287");
    EXPECT_STREQ(Motion_ClipName(293), "VLK308C");
    EXPECT_STREQ(Motion_ClipName(300), "VLK313C");
    EXPECT_STREQ(Motion_ClipName(313), "VLK327");
    EXPECT_STREQ(Motion_ClipName(351), "VLK365");
    EXPECT_EQ(Motion_ClipName(-1), nullptr);
    EXPECT_EQ(Motion_ClipName(352), nullptr);
    // No name twice.
    for (int a = 0; a < kMotionClipCount; ++a) {
        for (int b = a + 1; b < kMotionClipCount; ++b) {
            ASSERT_NE(PakNormaliseName(Motion_ClipName(a)), PakNormaliseName(Motion_ClipName(b)))
                << a << " " << b;
        }
    }
}

TEST_F(MotionTest, LoadsEveryClipByItsListNameAndPollsOncePerFile) {
    // Clip 65 is the 308-byte clip of three frames; clip 66 has four.
    WriteArchive({{65, ClipFile(300, 3, 308, 65)}, {66, GoodClip(4, 66)}});
    g_polls = 0;
    const CoreHooks saved = CoreGetHooks();
    CoreHooks hooks = saved;
    hooks.poll = CountPoll;
    CoreSetHooks(hooks);
    Motion_LoadAll();
    CoreSetHooks(saved);
    EXPECT_EQ(g_polls, kMotionClipCount);

    EXPECT_EQ(Motion_GetFrameCount(65), 3u);
    EXPECT_EQ(Motion_GetFrameCount(66), 4u);
    EXPECT_EQ(Motion_GetFrameCount(0), 1u);
    EXPECT_EQ(Motion_GetFrameCount(351), uint32_t(351 % 5 + 1));
    MotionFrame frame;
    ASSERT_TRUE(Motion_GetFrame(65, 2, &frame));
    EXPECT_EQ(frame.reference[0], 2.0f);
    EXPECT_EQ(frame.reference[1], 65.0f);  // clip 65's own file, "VLK068"
    EXPECT_EQ(frame.heldBall[0], 2.5f);
    EXPECT_EQ(frame.bones[0], MotionPackBone(1, 2, 3));
    EXPECT_EQ(frame.bones[1], 0u);
    EXPECT_FALSE(Motion_GetFrame(65, 3, &frame));
    EXPECT_FALSE(Motion_GetFrame(65, -1, &frame));

    // The table does not move; the clips' frames are freed by their owner.
    EXPECT_EQ(GetMemType(&MotionClips), MEM_TYPE_MANUAL_NO_MOVE);
    EXPECT_EQ(GetMemType(&MotionClips[65].frames), MEM_TYPE_MANUAL_FREE);
}

TEST_F(MotionTest, AClipOutsideTheTableOrNotLoadedHasNoFrames) {
    EXPECT_EQ(Motion_GetFrameCount(0), 0u);  // before loading
    MotionFrame frame;
    EXPECT_FALSE(Motion_GetFrame(0, 0, &frame));
    Motion_FreeAll();  // nothing loaded: nothing to free
    WriteArchive({{7, GoodClip(0)}});
    Motion_LoadAll();
    EXPECT_EQ(Motion_GetFrameCount(-1), 0u);
    EXPECT_EQ(Motion_GetFrameCount(352), 0u);
    // Nor are frames read from outside the table, before or after it.
    EXPECT_FALSE(Motion_GetFrame(-1, 0, &frame));
    EXPECT_FALSE(Motion_GetFrame(352, 0, &frame));
    EXPECT_EQ(Motion_GetFrameCount(7), 0u);  // an empty clip counts as ended at once
    EXPECT_FALSE(Motion_GetFrame(7, 0, &frame));
    EXPECT_EQ(MotionClips[7].frames, nullptr);
    Motion_FreeAll();
    EXPECT_EQ(MotionClips, nullptr);
    EXPECT_EQ(Motion_GetFrameCount(1), 0u);
    Motion_FreeAll();  // twice: frees nothing twice
    // Loading again works, and a second load without a free frees first.
    Motion_LoadAll();
    Motion_LoadAll();
    EXPECT_EQ(Motion_GetFrameCount(3), 4u);
    // A frame one past the last has no reference point to read.
    float reference[3] = {7.0f, 7.0f, 7.0f};
    EXPECT_FALSE(Motion_GetFrameReference(3, 4, reference));
    EXPECT_EQ(reference[0], 7.0f);
    EXPECT_FALSE(Motion_GetFrameReference(3, -1, reference));
    EXPECT_TRUE(Motion_GetFrameReference(3, 3, reference));
}

TEST_F(MotionTest, UnpackedClipsAreKeptOnlyWhileTheirFileTableStands) {
    WriteArchive({{65, GoodClip(3, 65)}});
    Motion_LoadAll();
    Motion_FreeAll();
    // The data file changes under the standing table (same layout, other
    // heights): the clips kept from the last load are what the next gets.
    WriteArchiveFiles({{65, GoodClip(3, 500)}});
    Motion_LoadAll();
    EXPECT_EQ(FirstHeight(65), 65.0f);
    EXPECT_EQ(Motion_GetFrameCount(65), 3u);
    ASSERT_NE(MotionClips[65].rootSteps, nullptr);
    EXPECT_EQ(MotionClips[65].rootSteps[0], -1.0f);  // reference x runs 0, 1, 2
    // Mounted again, the archive is read again, kept clips or not.
    Mount({"pakfiles\\demo"});
    Motion_LoadAll();
    EXPECT_EQ(FirstHeight(65), 500.0f);
    // A new archive of other clips under the same name: its own clips.
    WriteArchiveFiles({{65, GoodClip(5, 65)}, {0, GoodClip(2, 7)}});
    Mount({"pakfiles\\demo"});
    Motion_LoadAll();
    EXPECT_EQ(Motion_GetFrameCount(65), 5u);
    EXPECT_EQ(FirstHeight(0), 7.0f);
    EXPECT_EQ(FirstHeight(1), 1.0f);
}

TEST_F(MotionTest, AClipFromALooseFileIsReadAgainAtEveryLoad) {
    WriteArchiveFiles({{65, Bytes{}}});
    const Bytes first = GoodClip(3, 65);
    testenv::WriteHostFile("ZUDATA/COMMON/SSKIN/MOT2001/VLK068.MOT", first);
    testenv::WriteHostFile("loose.pkl", "ZUDATA\\COMMON\\SSKIN\\MOT2001\\*.MOT\r\n");
    Mount({"pakfiles\\demo", "loose"});
    Motion_LoadAll();
    EXPECT_EQ(FirstHeight(65), 65.0f);
    testenv::WriteHostFile("ZUDATA/COMMON/SSKIN/MOT2001/VLK068.MOT", GoodClip(3, 600));
    Motion_LoadAll();
    EXPECT_EQ(FirstHeight(65), 600.0f);
    EXPECT_EQ(FirstHeight(64), 64.0f);  // the packed ones as ever
}

TEST_F(MotionTest, HeldBallOffsetTurnsWithTheFacing) {
    // Reference (0, 0.9, 2), held ball (0.5, 1.2, 1): a = 10, c = -20,
    // height 24 pitch units.
    Bytes clip = GoodClip(1);
    const float values[6] = {0.0f, 0.9f, 2.0f, 0.5f, 1.2f, 1.0f};
    std::memcpy(clip.data() + kMotionHeaderSize, values, sizeof values);
    WriteArchive({{331, clip}});
    Motion_LoadAll();
    float x = 0.0f, y = 0.0f, h = 0.0f;
    ASSERT_TRUE(Replay_HeldBallOffset(331, 0, 0, &x, &y, &h));
    EXPECT_NEAR(x, -20.0f, 1e-4);
    EXPECT_NEAR(y, 10.0f, 1e-4);
    EXPECT_NEAR(h, 24.0f, 1e-4);
    ASSERT_TRUE(Replay_HeldBallOffset(331, 0, 64, &x, &y, &h));  // a quarter turn
    EXPECT_NEAR(x, -10.0f, 1e-4);
    EXPECT_NEAR(y, -20.0f, 1e-4);
    EXPECT_NEAR(h, 24.0f, 1e-4);
    ASSERT_TRUE(Replay_HeldBallOffset(331, 0, 128, &x, &y, &h));
    EXPECT_NEAR(x, 20.0f, 1e-4);
    EXPECT_NEAR(y, -10.0f, 1e-4);
    // A figure's own shown clip, frame and facing.
    MatchFigure& keeper = MatchFigures[0];
    const MatchFigure saved = keeper;
    keeper.anim = 331;
    keeper.shownFrame = 0;
    keeper.shownFacing = 64;
    ASSERT_TRUE(Replay_HeldBallOffset(int16_t(0), &x, &y, &h));
    EXPECT_NEAR(x, -10.0f, 1e-4);
    EXPECT_NEAR(y, -20.0f, 1e-4);
    keeper.anim = -1;
    EXPECT_FALSE(Replay_HeldBallOffset(int16_t(0), &x, &y, &h));
    EXPECT_FALSE(Replay_HeldBallOffset(int16_t(37), &x, &y, &h));
    EXPECT_FALSE(Replay_HeldBallOffset(int16_t(-1), &x, &y, &h));
    keeper = saved;
    x = 123.0f;
    EXPECT_FALSE(Replay_HeldBallOffset(331, 1, 0, &x, &y, &h));
    EXPECT_FALSE(Replay_HeldBallOffset(400, 0, 0, &x, &y, &h));
    EXPECT_EQ(x, 123.0f);
}

TEST(MotionCheck, FileSizeAndFrameCountMustAgreeWithTheHeader) {
    EXPECT_EQ(Motion_CheckClipFile("a.mot", ClipFile(300, 3, 308)), 3u);
    EXPECT_EQ(Motion_CheckClipFile("a.mot", ClipFile(0, 0, 8)), 0u);
    EXPECT_FATAL(Motion_CheckClipFile("ZUDATA\\X.MOT", ClipFile(299, 3, 307)),
                 "Error: for 3 frames, data size should be 300, but was 299");
    EXPECT_FATAL(Motion_CheckClipFile("ZUDATA\\X.MOT", ClipFile(300, 3, 307)),
                 "Error: Motion capture file ZUDATA.X.MOT wrong size need=308 got=307");
    // Too short for the header at all: the first five bytes of a good file,
    // whose sizes would ask for 308 bytes had they been read.
    const Bytes good = ClipFile(300, 3, 308);
    EXPECT_FATAL(Motion_CheckClipFile("ZUDATA\\X.MOT", std::span(good).first(5)),
                 "Error: Motion capture file ZUDATA.X.MOT wrong size need=8 got=5");
    // A frame count whose size wraps round to the data size.
    EXPECT_FATAL(Motion_CheckClipFile("X.MOT", ClipFile(4, 42949673u, 12)), "Error: for 42949673 frames");
}

TEST_F(MotionTest, ADamagedClipStopsTheLoadNamingItsPath) {
    WriteArchive({{65, ClipFile(300, 3, 307)}});
    EXPECT_FATAL(
        Motion_LoadAll(),
        "Error: Motion capture file ZUDATA.COMMON.SSKIN.MOT2001.VLK068.MOT wrong size need=308 got=307");
}

TEST_F(MotionTest, AMissingClipIsReportedByThePakLayer) {
    WriteArchive({{351, Bytes{}}});
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            Motion_LoadAll();
        },
        ::testing::ExitedWithCode(1), "VLK365");
}

}  // namespace
