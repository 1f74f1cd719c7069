// The motion clips the match code chooses by name (the clip number is the
// index in the motion-capture table, 0..351).  Clips played from the
// action tables' rows or computed from a base (the idle variations follow
// kClipIdleFirst) are given there by number.
#pragma once
#include <cstdint>

constexpr int16_t kClipStand = 0;
constexpr int16_t kClipReady = 1;
constexpr int16_t kClipTurnOnSpot = 2;
constexpr int16_t kClipGesture = 3;
constexpr int16_t kClipPause = 4;  // also the referee's long whistle
constexpr int16_t kClipDash = 5;   // the fastest of the running clips
constexpr int16_t kClipStepBack = 6;
constexpr int16_t kClipWalkCarry = 7;         // walking with the ball in the hands
constexpr int16_t kClipStepBackWithBall = 8;  // stepping back from the ball, facing the pass target
constexpr int16_t kClipWalkIn = 10;           // the penalty taker's walk onto the ball
constexpr int16_t kClipWalk = 11;
constexpr int16_t kClipRun = 13;
constexpr int16_t kClipSprint = 18;
constexpr int16_t kClipBackwards = 19;  // running backwards
constexpr int16_t kClipTurnToGoal = 27;
constexpr int16_t kClipOnBall = 28;
constexpr int16_t kClipPassKick = 29;
constexpr int16_t kClipCurlKick = 75;
constexpr int16_t kClipThrowWait = 92;
constexpr int16_t kClipLongThrow = 93;
constexpr int16_t kClipStumble = 122;
constexpr int16_t kClipHug = 157;
constexpr int16_t kClipKnockPast = 168;
constexpr int16_t kClipDribble = 185;
constexpr int16_t kClipIdleFirst = 203;  // the idle variations follow
constexpr int16_t kClipPenaltyStance = 250;
constexpr int16_t kClipShuffle = 251;
constexpr int16_t kClipThrowOut = 254;
constexpr int16_t kClipThrow = 257;
constexpr int16_t kClipBooked = 316;
constexpr int16_t kClipWallStance = 320;
constexpr int16_t kClipPlaceBall = 326;
constexpr int16_t kClipPickUp = 331;
