#include "core/match/matchengine.h"
#include "core/match/setpieces.h"

#include <algorithm>

#include "core/match/matchstate.h"
#include "core/match/strikes.h"
#include "core/match/teamjobs.h"

BallStateRecord BallState;
float BallKickPower = 1.2f;
int16_t MatchLineUp[2][kTeamFigures];
int16_t BallRanking[2][kTeamFigures];
uint16_t DesignatedPlayer[2] = {kNoDesignated, kNoDesignated};
uint8_t CurrentTeam;
int16_t MatchCurX, MatchCurY;
int32_t MatchCurX16, MatchCurY16;
uint8_t MatchEvent = kOrdinaryPlay;
int16_t LastToucher = -1;
int16_t PreviousToucher = -1;
int16_t MatchLastDefenderY[2];
int16_t CaptainFigure[2];
int16_t PenaltyTakerFigure[2];
int16_t FreeKickTakerFigure[2];
int16_t CornerTakerFigure[2];
int16_t TeamChallenger[2] = {kNoChallenger, kNoChallenger};
int16_t BallGroundSpeed;
int16_t BallCarrierFigure = -1;
int8_t KickStrength;
int16_t GoalLineCrossX;

namespace {}  // namespace

void MatchResetEngineState() {
    BallState = {};
    BallState.x = kDefaultPitch.centreX;
    BallState.y = kDefaultPitch.centreY;
    BallState.x16 = int32_t(kDefaultPitch.centreX) << 16;
    BallState.y16 = int32_t(kDefaultPitch.centreY) << 16;
    BallState.direction = 256;
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < kTeamFigures; ++slot) {
            MatchLineUp[team][slot] = int16_t(team * kTeamFigures + slot);
            BallRanking[team][slot] = int16_t(team * kTeamFigures + slot);
        }
        DesignatedPlayer[team] = kNoDesignated;
        CaptainFigure[team] = int16_t(team * kTeamFigures + 1);
        PenaltyTakerFigure[team] = int16_t(team * kTeamFigures + 9);
        FreeKickTakerFigure[team] = int16_t(team * kTeamFigures + 8);
        CornerTakerFigure[team] = int16_t(team * kTeamFigures + 7);
        MatchLastDefenderY[team] = team == 0 ? 414 : 1750;
    }
    CurrentTeam = 0;
    MatchEvent = kOrdinaryPlay;
    LastToucher = -1;
    PreviousToucher = -1;
    Match_ResetOpenPlayState();
    Match_ResetSetPieceState();
    Match_ResetTeamJobs();
}

void Match_ChangePossession(int16_t team, int16_t) { BallTeam = uint8_t(team & 1); }
