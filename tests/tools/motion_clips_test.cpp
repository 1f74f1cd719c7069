#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/motion.h"
#include "game/system/models3d.h"
#include "game/system/skeletalposing.h"
#include "tests/fakes/figure_pose.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"
#include "tools/datakit/models.h"
#include "tools/datakit/motionclips.h"
#include "tools/datakit/stage.h"

namespace {

using namespace datakit;
using enum MotionKind;

const MotionClipRow& Row(int clip) { return MotionCatalogue()[size_t(clip)]; }

// The generated archive loaded, and the figure model from it posed by the
// support library's skeleton code, with no window.
class LoadedClipsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
        Motion_LoadAll();
        PakLoadWholeFile(FIGURE_MODEL_PATH, &model_, MEM_TYPE_MANUAL_NO_MOVE);
        D3DObj_CreateObjectFromXYZData(&object_, model_, testenv::TestObjectCallback, nullptr,
                                       D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
        // The skeleton reports its root point; keep that out of the results.
        testenv::CreateAnimDataQuietly(&anim_, model_, object_);
    }
    static void TearDownTestSuite() {
        D3DAnim_DestroyAnimData(&anim_);
        D3DObj_Destroy(&object_);
        FreeMemory(&model_);
        Motion_FreeAll();
        testenv::UnmountGameArchive();
    }

    // Poses the figure by a loaded frame; returns the frame.
    static MotionFrame Pose(int clip, int frame, Matrix* pelvis = nullptr) {
        MotionFrame f{};
        EXPECT_TRUE(Motion_GetFrame(clip, frame, &f));
        Matrix bones[FIGURE_BONE_COUNT + 1];
        testenv::FrameBones(f, bones);
        D3DAnim_ApplyBoneMatrices(anim_, bones, 1, FIGURE_BONE_COUNT + 1);
        if (pelvis != nullptr) *pelvis = bones[BONE_PELVIS];
        return f;
    }
    // The joint point of a bone (point bone - 1), relative to the root.
    static Vector JointOf(int bone) { return anim_->posed_positions[bone - 1]; }
    static float Lowest() {
        float lowest = 0.0f;
        for (uint32_t i = FIGURE_BONE_COUNT; i < anim_->point_count; ++i) {
            lowest = std::min(lowest, anim_->posed_positions[i].y);
        }
        return lowest;
    }
    // Middle of a hand's points.
    static Vector HandOf(int bone) {
        Vector sum{0, 0, 0};
        int count = 0;
        for (uint32_t i = FIGURE_BONE_COUNT; i < anim_->point_count; ++i) {
            if (anim_->bones[i] != uint32_t(bone)) continue;
            sum.x += anim_->posed_positions[i].x;
            sum.y += anim_->posed_positions[i].y;
            sum.z += anim_->posed_positions[i].z;
            ++count;
        }
        return Vector{sum.x / float(count), sum.y / float(count), sum.z / float(count)};
    }

    static inline uint8_t* model_ = nullptr;
    static inline D3DObj* object_ = nullptr;
    static inline D3DAnim* anim_ = nullptr;
};

TEST_F(LoadedClipsTest, AllClipsLoadWithTheirCatalogueLengthsAndMeetTheTimingTable) {
    for (const MotionClipRow& row : MotionCatalogue()) {
        EXPECT_EQ(Motion_GetFrameCount(row.clip), uint32_t(row.frames)) << row.clip;
        EXPECT_STREQ(Motion_ClipName(row.clip), row.name);
    }
    int rows = 0;
    for (const MotionTimingRow& t : MotionTiming()) {
        ++rows;
        const uint32_t frames = Motion_GetFrameCount(t.clip);
        if (t.loop) {
            EXPECT_GE(frames, 2u) << t.clip << ": " << t.who;
        } else {
            EXPECT_GT(frames, uint32_t(t.lastFrame)) << t.clip << ": " << t.who;
        }
    }
    EXPECT_GT(rows, 120);
    // Among them the minimums the engine cannot run without.
    const std::pair<int, uint32_t> minimums[] = {{254, 162}, {326, 130}, {126, 101}, {253, 78}, {256, 75},
                                                 {257, 69},  {331, 34},  {168, 61},  {119, 51}, {24, 48},
                                                 {26, 48},   {185, 28},  {1, 31}};
    for (const auto& [clip, frames] : minimums) EXPECT_GE(Motion_GetFrameCount(clip), frames) << clip;
}

TEST_F(LoadedClipsTest, NoFootGoesBelowTheGrassAndTheFirstReadyFrameStandsAtTheReferenceHeight) {
    for (int clip = 0; clip < kMotionClipCount; ++clip) {
        for (int frame = 0; frame < int(Motion_GetFrameCount(clip)); ++frame) {
            const MotionFrame f = Pose(clip, frame);
            ASSERT_GE(f.reference[1] + Lowest(), -0.02f) << "clip " << clip << " frame " << frame;
            // Nothing floats either, except in the air of a jump or dive.
            ASSERT_LT(f.reference[1] + Lowest(), 1.0f) << "clip " << clip << " frame " << frame;
        }
    }
    const MotionFrame rest = Pose(1, 0);
    EXPECT_NEAR(rest.reference[1], FigureReferenceHeight(), 1e-5);
    EXPECT_NEAR(rest.reference[1] + Lowest(), 0.0f, 1e-5);
    EXPECT_EQ(rest.reference[0], 0.0f);
    EXPECT_EQ(rest.reference[2], 0.0f);
}

TEST_F(LoadedClipsTest, EachStrikeReachesFurthestWithItsKickingFootInsideItsWindow) {
    int strikes = 0;
    for (const MotionClipRow& row : MotionCatalogue()) {
        const bool strike = row.kind == kKick || row.kind == kSidePass || row.kind == kCross ||
                            row.kind == kBackHeel || row.kind == kVolley;
        if (!strike) continue;
        ++strikes;
        const int foot = MotionKickingFoot(row);
        const float sense = row.kind == kBackHeel ? -1.0f : 1.0f;
        int best = -1;
        float reach = -100.0f;
        for (int frame = 0; frame < row.frames; ++frame) {
            Matrix pelvis;
            Pose(row.clip, frame, &pelvis);
            // Forward of the body over the grass: -z turned by the pelvis.
            const float fx = -pelvis.m[2][0], fz = -pelvis.m[2][2];
            const Vector ankle = JointOf(foot);
            const float r = sense * (ankle.x * fx + ankle.z * fz) / std::hypot(fx, fz);
            if (r > reach) {
                reach = r;
                best = frame;
            }
        }
        EXPECT_GE(best, row.contactFrom) << "clip " << row.clip;
        EXPECT_LE(best, row.contactTo) << "clip " << row.clip;
        EXPECT_GT(reach, 0.3f) << "clip " << row.clip;
    }
    EXPECT_GT(strikes, 60);
}

TEST_F(LoadedClipsTest, RunningWithTheBallTheLeftFootMeetsItAtFrame11AndTheRightAt27) {
    ASSERT_EQ(Motion_GetFrameCount(185), 32u);
    for (const auto& [foot, touch] : {std::pair{BONE_LEFT_FOOT, 11}, std::pair{BONE_RIGHT_FOOT, 27}}) {
        int best = -1;
        float reach = -100.0f;
        for (int frame = 0; frame < 32; ++frame) {
            Pose(185, frame);
            const float r = -JointOf(foot).z;  // the dribble runs straight ahead, along -z
            if (r > reach) {
                reach = r;
                best = frame;
            }
        }
        EXPECT_NEAR(best, touch, 1) << "foot " << foot;
        Pose(185, touch);
        EXPECT_LT(JointOf(foot).z, -0.2f) << "foot " << foot << " reaches out to the ball";
    }
}

TEST_F(LoadedClipsTest, EachDiveReachesOutToItsSideAndTravelsThatWay) {
    for (int clip = 270; clip <= 293; ++clip) {
        const MotionClipRow& row = Row(clip);
        ASSERT_EQ(row.kind, kKeeperDive);
        EXPECT_EQ(row.side, (clip - 270) / 12) << "first clip of a pair for side 0";
        const float sign = row.side == 0 ? 1.0f : -1.0f;
        float best = -10.0f;
        for (int frame = row.contactFrom; frame <= row.contactTo; ++frame) {
            Pose(clip, frame);
            best =
                std::max(best, std::min(sign * HandOf(BONE_LEFT_HAND).x, sign * HandOf(BONE_RIGHT_HAND).x));
        }
        EXPECT_GT(best, 0.5f) << "clip " << clip;
        MotionFrame first, last;
        Motion_GetFrame(clip, 0, &first);
        Motion_GetFrame(clip, row.frames - 1, &last);
        EXPECT_GT(sign * (last.reference[0] - first.reference[0]), 0.5f) << "clip " << clip;
    }
}

TEST_F(LoadedClipsTest, TheHeldBallLiesBetweenTheHandsWhileTheBallIsHeld) {
    int held = 0;
    for (const MotionClipRow& row : MotionCatalogue()) {
        if (row.holdFrom < 0) continue;
        for (int frame = row.holdFrom; frame <= row.holdTo; ++frame) {
            const MotionFrame f = Pose(row.clip, frame);
            const Vector l = HandOf(BONE_LEFT_HAND), r = HandOf(BONE_RIGHT_HAND);
            const float mid[3] = {(l.x + r.x) / 2 + f.reference[0], (l.y + r.y) / 2 + f.reference[1],
                                  (l.z + r.z) / 2 + f.reference[2]};
            for (int i = 0; i < 3; ++i) ASSERT_NEAR(f.heldBall[i], mid[i], 0.03f) << row.clip << " " << frame;
            ASSERT_LT(std::hypot(l.x - r.x, l.y - r.y, l.z - r.z), 0.4f) << row.clip << " " << frame;
            ++held;
        }
    }
    EXPECT_GT(held, 1000);
    for (int clip : {331, 92, 93, 254, 256, 257, 326}) EXPECT_GE(Row(clip).holdFrom, 0) << clip;
    // Let go at the release frame: a throw-in's hands leave the head.
    MotionFrame before, after;
    Motion_GetFrame(92, 30, &before);
    Motion_GetFrame(92, 42, &after);
    EXPECT_GT(before.heldBall[1], after.heldBall[1]);
}

TEST(MotionClipsTable, LocomotionTravelsAtItsNamedSpeed) {
    // The speeds the engine's callers name for the running clips.
    const std::pair<int, int> named[] = {{7, 32}, {11, 64}, {13, 125}, {18, 160}};
    for (const auto& [clip, speed] : named) EXPECT_EQ(Row(clip).speed, speed) << clip;
    int loops = 0;
    for (const MotionClipRow& row : MotionCatalogue()) {
        const MotionClipOut out = MakeMotionClip(row);
        const RootPath path = MotionRootPath(row);
        std::vector<float> steps;
        for (size_t f = 0; f + 1 < out.frames.size(); ++f) {
            steps.push_back(std::hypot(out.frames[f + 1].reference[0] - out.frames[f].reference[0],
                                       out.frames[f + 1].reference[2] - out.frames[f].reference[2]));
        }
        if (path == RootPath::kLoop) {
            ++loops;
            float sum = 0.0f;
            for (float s : steps) sum += s;
            const float mean = sum / float(steps.size());
            EXPECT_NEAR(mean, MotionRootSpeed(row.speed), 0.1f * MotionRootSpeed(row.speed)) << row.clip;
            // Forward is -z.
            EXPECT_LT(out.frames.back().reference[2], out.frames.front().reference[2]) << row.clip;
        } else if (path == RootPath::kStill || path == RootPath::kStepped) {
            for (float s : steps) ASSERT_EQ(s, 0.0f) << row.clip;
        } else if (path == RootPath::kSlowing || path == RootPath::kDive) {
            const auto first = std::find_if(steps.begin(), steps.end(), [](float s) { return s > 0.0f; });
            ASSERT_NE(first, steps.end()) << row.clip;
            EXPECT_NEAR(*first, MotionRootSpeed(row.speed), 0.1f * MotionRootSpeed(row.speed)) << row.clip;
            EXPECT_LE(steps.back(), *first * 0.5f) << row.clip << " slows down";
        }
    }
    EXPECT_GE(loops, 20);
    // The clips the engine moves by steps of its own keep still.
    for (int clip : {6, 8, 19}) EXPECT_EQ(MotionRootPath(Row(clip)), RootPath::kStepped) << clip;
}

TEST(MotionClipsTable, LoopsCloseAndEveryClipPassesTheKitsCheckTheSameWayTwice) {
    for (const MotionClipRow& row : MotionCatalogue()) {
        const MotionClipOut out = MakeMotionClip(row);
        EXPECT_EQ(CheckMotionClip(row, out), "") << row.clip;
        EXPECT_EQ(MotionClipFileBytes(out), MotionClipFileBytes(MakeMotionClip(row))) << row.clip;
        if (!MotionClipLoops(row.clip)) continue;
        // The step from the last frame back to the first is no bigger than
        // the clip's own steps.
        float widest = 0.0f;
        for (size_t f = 0; f + 1 < out.frames.size(); ++f) {
            widest = std::max(widest, std::fabs(out.frames[f + 1].reference[1] - out.frames[f].reference[1]));
        }
        EXPECT_LE(std::fabs(out.frames.back().reference[1] - out.frames.front().reference[1]),
                  1.5f * widest + 0.005f)
            << row.clip;
    }
}

TEST(MotionClipsTable, TheCheckCatchesAClipThatBreaksItsRules) {
    MotionClipRow row = Row(29);
    MotionClipOut out = MakeMotionClip(row);
    out.frames.resize(20);  // the pass's window runs to frame 24
    row.frames = 20;
    EXPECT_NE(CheckMotionClip(row, out).find("frame 24 is reached"), std::string::npos);

    row = Row(13);
    out = MakeMotionClip(row);
    for (MotionFrameOut& f : out.frames) f.reference[2] *= 1.5f;  // half as fast again
    EXPECT_NE(CheckMotionClip(row, out).find("root speed"), std::string::npos);

    row = Row(0);
    out = MakeMotionClip(row);
    out.frames[3].bones[5] ^= 40;  // a bone word no longer matching its pose
    EXPECT_NE(CheckMotionClip(row, out).find("decodes"), std::string::npos);

    row = Row(69);
    out = MakeMotionClip(row);
    out.frames[10] = out.frames[30];  // as far forward as the contact, long before it
    EXPECT_NE(CheckMotionClip(row, out).find("kicking foot"), std::string::npos);
}

}  // namespace
