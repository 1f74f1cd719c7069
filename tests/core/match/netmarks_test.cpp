// The world marks of a match: the goal-net impact and its bulge, the skid
// mark ring and the ball's roll.
#include <gtest/gtest.h>

#include <cmath>

#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/netmarks.h"
#include "core/match/replay.h"

namespace {

TEST(NetMarksTest, ImpactTakesTheBallsPlaceAndTruncatedVelocity) {
    BallState.x = 800;
    BallState.y = 2050;
    BallState.z = 17;
    BallState.vx = 3 * 65536 + 5;  // 6.0001 halves of a unit: 6
    BallState.vy = -(3 * 32768 + 1);
    BallState.vz = 32767;
    NetImpact before = GoalNet_Read();
    before.phase = 2.0f;
    before.offset[0] = 4.0f;
    GoalNet_Write(before);
    D3DGame_RecordNetImpact();
    const NetImpact net = GoalNet_Read();
    EXPECT_EQ(net.impact[0], 800);
    EXPECT_EQ(net.impact[1], 2050);
    EXPECT_EQ(net.impact[2], 17);
    EXPECT_EQ(net.phase, 0.0f);
    EXPECT_EQ(net.velocity[0], 6.0f);
    EXPECT_EQ(net.velocity[1], -3.0f);
    EXPECT_EQ(net.velocity[2], 0.0f);
    EXPECT_EQ(net.offset[0], 4.0f);  // kept until the next step
}

TEST(NetMarksTest, BulgeFadesFivePercentATickAndStopsWhereItIs) {
    NetImpact net{};
    net.velocity[0] = 2.0f;
    net.velocity[1] = -1.0f;
    GoalNet_Write(net);
    float expected = 2.0f;
    float phase = 0.0f;
    int ticks = 0;
    while (std::fabs(expected) > 0.015f) {
        GoalNet_Animate();
        const NetImpact now = GoalNet_Read();
        ASSERT_FLOAT_EQ(now.offset[0], std::sin(phase) * expected) << ticks;
        ASSERT_FLOAT_EQ(now.offset[1], -std::sin(phase) * expected / 2.0f) << ticks;
        expected *= 0.95f;
        phase += 0.1f;
        ASSERT_FLOAT_EQ(now.velocity[0], expected);
        ++ticks;
    }
    EXPECT_EQ(ticks, 96);  // 2 x 0.95^96 is below 0.015
    // All components at 0.015 or less: nothing moves, the offset stays.
    const NetImpact still = GoalNet_Read();
    GoalNet_Animate();
    const NetImpact after = GoalNet_Read();
    EXPECT_EQ(after.offset[0], still.offset[0]);
    EXPECT_EQ(after.phase, still.phase);
    EXPECT_NE(after.offset[0], 0.0f);
}

TEST(NetMarksTest, SeventeenthSkidMarkOverwritesTheFirst) {
    SkidMark_ClearAll();
    for (int i = 0; i < 17; ++i) SkidMark_Add(int16_t(100 + i), int16_t(200 + i), 1.0f, uint16_t(64), 0);
    EXPECT_EQ(SkidMarkNext, 1);
    EXPECT_EQ(SkidMark_Get(0)->x, 116);
    EXPECT_EQ(SkidMark_Get(1)->x, 101);
    EXPECT_EQ(SkidMark_Get(15)->y, 215);
    EXPECT_FLOAT_EQ(SkidMark_Get(3)->direction, 3.14159265f / 2.0f);
    for (int i = 0; i < kSkidMarks; ++i) EXPECT_EQ(SkidMark_Get(i)->inUse, 1);
    EXPECT_EQ(SkidMark_Get(16), nullptr);
    EXPECT_EQ(SkidMark_Get(-1), nullptr);
    SkidMark_ClearAll();
    EXPECT_EQ(SkidMark_Get(0)->inUse, 0);
    Ball3D_SetSpin(0.5f, -1.0f);
    EXPECT_EQ(BallDisplayRoll[0], 0.5f);
    EXPECT_EQ(BallDisplayRoll[1], -1.0f);
}

}  // namespace
