#include "core/match/periodrunner.h"

#include "core/base/corehooks.h"
#include "core/match/computermanager.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchtick.h"
#include "core/match/motion.h"
#include "core/match/replay.h"
#include "core/match/teamsetup.h"

using namespace gameinfo;

uint8_t DisplayModeFlags;
int32_t UndisplayedPeriodCount;
int32_t FrameTimerCount;
int16_t ReplayPlaying;
uint8_t DisplayFirstPeriod;
uint8_t DisplayBlendClip = 255;
MatchDisplayHooks MatchHooks;

namespace {

void Call(void (*hook)()) {
    if (hook != nullptr) hook();
}

void NobodyManages() {
    for (int team = 0; team < 2; ++team) GameInfo.SetTeamU8(team, kHumanManaged, 0);
}

}  // namespace

void Match_RunPeriod() {
    Match_SetupPeriod();
    if (DisplayModeFlags & kDisplayOff) {
        Match_RunLoopUndisplayed();
    } else {
        MatchLoopDisplayed();
    }
}

void Match_RunLoopUndisplayed() {
    GetMatchBlock();
    Tactics_UpdateComputerTeams();
    CoreTimerTicks();
    ++UndisplayedPeriodCount;
    CoreTimerTicks();
    NobodyManages();
    Tactics_UpdateComputerTeams();
    ReplayPlaying = 0;
    if (Period == 0) DisplayFirstPeriod = 1;
    DisplayBlendClip = 255;
    while (MatchFinished == 0) {
        CorePoll();
        if (ReplayPlaying == 0) MatchTick();
    }
    MatchCopyTeamStats();
}

void Match3D_PrepareData() {
    DisplayModeFlags |= kDisplayDataPrepared;
    Replay_AllocBuffer();
    AutoGoalReplay_Reset();
    Motion_LoadAll();
    Match_SetPitchGeometry();
}

void Match3D_Startup() {
    Call(MatchHooks.viewReset);
    // The line-up word has been taken over by the match before this point.
    GameInfo.SetI16(kPlayersLineUp, 0);
    Replay_AllocBuffer();
    AutoGoalReplay_Reset();
    Match_SetPitchGeometry();
    Motion_LoadAll();
    Call(MatchHooks.displayOn);
    FrameTimerCount = 0;
}

void Match3D_FreeData() {
    Motion_FreeAll();
    Replay_FreeBuffer();
}

void Match3D_Shutdown() {
    Motion_FreeAll();
    Replay_FreeBuffer();
    Call(MatchHooks.displayOff);
}
