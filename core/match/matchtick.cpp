#include "core/match/matchtick.h"

#include "core/base/corehooks.h"
#include "core/match/ball.h"
#include "core/match/computermanager.h"
#include "core/match/formation.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/periodrunner.h"
#include "core/match/ranking.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/match/soundevents.h"
#include "core/match/teamjobs.h"
#include "core/season/matchday.h"

using namespace gameinfo;

namespace {

constexpr int32_t kKeepAliveEvery = 400;

void Call(void (*hook)()) {
    if (hook != nullptr) hook();
}

bool ReplayViewing() { return GameInfo.I16(kCompetition) < 0; }

void TeamJob() {
    switch (MatchTickPhase & 3) {
        case 0:
            Match_ChooseFormationZone();
            break;
        case 1:
            Match_SetFormationTargets();
            // The formation gives every free player his run target; a
            // man-marker's is then beside the man he marks (in open play,
            // at a foul and at an offside only).
            Match_PlaceManMarkers();
            break;
        case 2:
            Match_TeamJobPhase2();
            break;
        default:
            Match_TeamJobPhase3();
            break;
    }
}

// The tick's steps after the replay-viewing check.
void Step() {
    TeamJob();
    Match_RankPlayersByBall();
    Ball_Update();
    MatchTickBookkeeping();
    Match_UpdatePlayerGroup();
    MatchOfficialsTick();
    Match_UpdatePlayers();
    MatchPhaseTick();
    MatchClockTick();
    Call(MatchHooks.soundTick);
    MatchTickDisplayStep();
    Replay_Tick();
}

// A pending in-match request opens its menu (1 the team statistics, 2 the
// player statistics, 3 team management, 4 the video options; any other
// request none); the keys are then cleared and the request with them.
void TakeInMatchRequest() {
    if (InMatchRequest == 0) return;
    constexpr int16_t kMenuOfRequest[5] = {0, 6, 2, 1, 10};
    const int16_t menu = InMatchRequest <= 4 ? kMenuOfRequest[InMatchRequest] : 0;
    if (MatchHooks.openInGameMenu != nullptr) MatchHooks.openInGameMenu(menu);
    InMatchRequest = 0;
}

}  // namespace

void Match3D_UpdateAndRender() { Call(MatchHooks.updateAndRender); }

void MatchTickDisplayStep() {
    Match_CountHeatMaps();
    Call(MatchHooks.tickDisplayStep);
}

void MatchTick() {
    if (ReplayViewing()) {
        MatchFinished = 1;
        return;
    }
    Step();
    if (DisplayModeFlags & kDisplayOff) {
        if (uint32_t(FrameTimerCount) % kKeepAliveEvery == 0) MatchFrameTimer();
        ++FrameTimerCount;
    }
}

void MatchLoopDisplayed() {
    Replay_LoopStart();
    Tactics_UpdateComputerTeams();
    Call(MatchHooks.viewReset);
    GoalReplayCountdown = 0;
    Tactics_UpdateComputerTeams();
    MatchSfx_PlayEvent(kSoundPeriodStart, -1);
    if (Period == 0) DisplayFirstPeriod = 1;
    DisplayBlendClip = 255;
    if (ReplayViewing()) {
        Replay_Start();
        Replay_Command(4);
    }
    while (!MatchFinished) {
        CorePoll();
        TakeInMatchRequest();
        if (Replay_IsPlaying()) {
            // The engine does not step while a replay is open.  The replay
            // steps on even while no 3D display runs: stood still there it
            // could never be closed, and the loop would turn for ever.
            Replay_Advance();
        } else if (ReplayViewing()) {
            // A viewing is over once its replay is closed: the automatic goal
            // replay still has its round, but nothing more is drawn of it.
            MatchFinished = 1;
            if (DrawMode != 1) AutoGoalReplay_Tick();
            break;
        } else {
            Step();
            if (DrawMode != 1) AutoGoalReplay_Tick();
        }
        Replay_UpdateDisplay();
        if (DrawMode == 0) Match3D_UpdateAndRender();
    }
    MatchCopyTeamStats();
}
