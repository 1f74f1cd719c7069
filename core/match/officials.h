// The officials' small action machine (the referee, figure 32, and the
// second official, 33), the animation stepping every action handler uses,
// and the referee's leaning.
#pragma once
#include <cstdint>

#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/motion.h"

// Officials still walking to their places this tick.
extern uint8_t NotReadyCount;
// The referee's pending disciplinary call: 7 talk, 8 booking, 9 sending off.
extern uint16_t RefereeAction;
// The player the referee's call is about.
extern int16_t RefereeOffender;

// Replaces the clip frame counts the stepping below reads, so that it can
// run without the clip archive; null (the default) reads the loaded clips.
extern uint32_t (*MatchClipFrameCount)(int32_t clip);

// The frame count the stepping uses.  Inline, as the stepping: every moving
// player steps a clip several times a tick, and the loaded clips are the
// common case, read directly rather than through the pointer.
inline int32_t MatchClipFrames(int32_t clip) {
    return int32_t(MatchClipFrameCount == nullptr ? Motion_GetFrameCount(clip) : MatchClipFrameCount(clip));
}

// The shown frame follows the stepped one; the shown facing is a quarter
// turn on from the heading (the other way for a mirrored clip).
inline void MatchShowFigure(MatchFigure& f, bool mirrored) {
    f.shownFacing = uint16_t((f.facing + (mirrored ? -64 : 64)) & 255);
    f.shownFrame = f.frame;
}

// Steps the figure's clip by the step; 0 (frame kept) when that would leave
// the clip or the figure is outside the table.
inline int16_t MatchTrySetPlayerAnim(int16_t figure, int16_t clip, int16_t step) {
    if (figure < 0 || figure >= kMatchFigureCount) return 0;
    MatchFigure& f = MatchFigures[figure];
    f.anim = clip;
    const int next = f.frame + step;
    if (next > 0 && next < MatchClipFrames(clip)) {
        f.frame = int16_t(next);
        MatchShowFigure(f, false);
        return 1;
    }
    return 0;
}

// Steps a looping clip: past its end the frame starts again at the restart
// frame (at 0 when that is outside the clip too).
inline void MatchStepLoopingAnim(int16_t figure, int16_t clip, int16_t step, int16_t restartFrame,
                                 bool mirrored) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    f.anim = clip;
    const int32_t frames = MatchClipFrames(clip);
    int next = f.frame + step;
    if (next >= frames || next < 0) next = restartFrame;
    if (next >= frames || next < 0) next = 0;
    f.frame = int16_t(next);
    MatchShowFigure(f, mirrored);
}

inline void MatchSetPlayerAnimKeepFrame(int16_t figure, int16_t clip, int16_t step, int16_t restartFrame) {
    MatchStepLoopingAnim(figure, clip, step, restartFrame, false);
}

inline void MatchSetPlayerAnimMirrored(int16_t figure, int16_t clip, int16_t step, int16_t restartFrame) {
    MatchStepLoopingAnim(figure, clip, step, restartFrame, true);
}

void MatchOfficialsTick();

void MatchStepPlayerAnim(int16_t figure, uint16_t targetHeading);

// Steps the clip as MatchTrySetPlayerAnim; when the clip has ended, sets the
// next action instead and returns 0.
inline int16_t MatchSetPlayerAnim(int16_t figure, int16_t clip, int16_t step, uint16_t nextAction) {
    if (MatchTrySetPlayerAnim(figure, clip, step)) return 1;
    Match_SetPlayerAction(figure, nextAction);
    return 0;
}
int16_t MatchAttackChance();
void MatchBallHolderUpdate();

// The ball's roll angles in radians (about the pitch's x axis, from its
// movement along y, and about its y axis, from its movement along x),
// gathered from its movement while nobody holds it and handed to the
// display each tick.
extern float BallRoll[2];
