#include "match/periodrunner.h"

#include "match/matchhooks.h"
#include "match/matchresult.h"
#include "match/matchsetup.h"
#include "match/matchstate.h"
#include "match/teamsetup.h"

using namespace gameinfo;

uint8_t DisplayModeFlags;
int32_t UndisplayedPeriodCount;
int32_t FrameTimerCount;
MatchDisplayHooks MatchHooks;

namespace {

void Call(void (*hook)()) {
    if (hook != nullptr) hook();
}

}  // namespace

void Match_RunPeriod() {
    Match_SetupPeriod();
    if (DisplayModeFlags & kDisplayOff) {
        ++UndisplayedPeriodCount;
        for (int team = 0; team < 2; ++team) GameInfo.SetTeamU8(team, kHumanManaged, 0);
    }
    MatchFinished = 1;
    MatchCopyTeamStats();
}

void Match3D_PrepareData() {
    DisplayModeFlags |= kDisplayDataPrepared;
    PitchGeometry = kDefaultPitch;
}

void Match3D_Startup() {
    // The line-up word has been taken over by the match before this point.
    GameInfo.SetI16(kPlayersLineUp, 0);
    PitchGeometry = kDefaultPitch;
    Call(MatchHooks.displayOn);
    FrameTimerCount = 0;
}

void Match3D_FreeData() {}

void Match3D_Shutdown() { Call(MatchHooks.displayOff); }
