// The world marks a match leaves for its display: the goal-net impact block
// (recorded when the ball hits a net, animated each tick, kept in every
// replay frame), the ring of skid marks slides leave, and the ball's roll
// angles.  They need no window: the engine records them in every match.
#pragma once
#include <cstdint>

// The goal-net impact block, field by field (34 bytes in GoalNetImpact).
struct NetImpact {
    float phase;
    float velocity[3];
    int16_t impact[3];  // x, y, height in pitch units
    float offset[3];
};
NetImpact GoalNet_Read();
void GoalNet_Write(const NetImpact& net);
// One tick of the bulge: while any velocity component is above 0.015 in
// size, offset = sin(phase) x velocity, then the velocity falls 5 % and the
// phase moves on 0.1.
void GoalNet_Animate();
// Sets the display's ball roll angles.
void Ball3D_SetSpin(float angle1, float angle2);

constexpr int kSkidMarks = 16;
struct SkidMark {
    uint8_t inUse;
    int32_t x;
    int32_t y;
    float direction;  // radians
};
extern SkidMark SkidMarks[kSkidMarks];
extern int16_t SkidMarkNext;
void SkidMark_ClearAll();
// Slot n, or null outside 0..15.
const SkidMark* SkidMark_Get(int n);
