// Meeting a ball that arrives in the air or bouncing: the player walks to
// his receive point (AimX, AimY), shapes his body with one clip and, at
// the frames where the clip meets the ball, volleys it at goal (84, 83,
// 80), heads it (82 attacking, 86 a header pass, 87 back over his head) or
// controls it (chest controls 119, 118, 115, 114; the lay-off 88).  When
// the clip ends the player stands and the ordinary decisions take over.
#pragma once
#include <cstdint>

// The receiver an attacking header has chosen (-1 none; kept between ticks
// until the header ends or heads at goal) and the direction kept with him.
extern int16_t HeaderReceiver;
extern uint16_t HeaderDirection;

// Forgets the remembered header receiver and clears the sliding poke's
// mark flag (at the start of a match).
void Match_ResetAirPlay();

// Vertical speeds (16.16 a tick) by ball height / 10: headers near goal,
// headers far from it and header passes; the value used from height 300.
int32_t Match_NearGoalHeaderLift(int height);
int32_t Match_FarHeaderLift(int height);
int32_t Match_HeaderPassLift(int height);

// Shared by the actions that meet a ball in the air.
// One step toward the receive point while the figure has not struck and is
// more than 5 from it; with checkOpponent, not into an opponent.
void Match_WalkToReceivePoint(int16_t figure, int speed, bool checkOpponent);
// The jump height of a header at the shown frame: rising at heading x 50 /
// riseFrames per hundred frames, turning at heading / 2.
int Match_HeaderJumpHeight(int heading, int riseFrames, int frame);
// Counts a header in the attacking or the own half by where the ball is.
void Match_CountHeader(int16_t figure);
// Counts a shot by the figure (his shots, the team's, the last shooter and
// the last shot's place and minute).
void Match_CountAirShot(int16_t figure);
// The records every strike in the air leaves: lockout and kick grace,
// team-mates' offside marks, possession to the striker's team and he its
// last toucher.
void Match_RecordAirStrike(int16_t figure);

void Match_ActVolley(int16_t figure);           // 84, 83, 80
void Match_ActAttackingHeader(int16_t figure);  // 82
void Match_ActBackHeader(int16_t figure);       // 87
void Match_ActHeaderPass(int16_t figure);       // 86
void Match_ActChestControl(int16_t figure);     // 119, 118, 115, 114
void Match_ActChestLayOff(int16_t figure);      // 88
