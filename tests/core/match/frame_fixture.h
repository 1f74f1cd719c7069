// Hand-set match state for the frame's tests: a cleared set-up block, fresh
// figures on the pitch, the engine's shared state in its start form.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/random.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"

namespace frametest {

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearMatchSetupBlock();
        GameInfo.SetI16(gameinfo::kCompetition, 0);
        GameInfo.SetTeamI16(0, gameinfo::kTeamClub, 10);
        GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 11);
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            f.off = (figure % kTeamFigures) < 11 ? 0 : 1;
            f.position = (figure % kTeamFigures) == 0 ? 0 : 2;
            f.spirit = f.stamina = f.pace = f.intelligence = f.leadership = 50;
            f.x = 796;
            f.y = 1082;
        }
        MatchResetEngineState();
        std::memset(&MatchResult, 0, sizeof MatchResult);
        std::memset(MatchTeamTotals, 0, sizeof MatchTeamTotals);
        Period = 0;
        Goals[0] = Goals[1] = 0;
        OldGoals[0] = OldGoals[1] = 0;
        AttackDirection = 0;
        MatchPhase = kPhaseOpenPlay;
        MatchFinished = 0;
        BallTeam = 0;
        EventCount = 0;
        TeamMomentum[0] = TeamMomentum[1] = 500;
        TeamRestartCount[0] = TeamRestartCount[1] = 0;
        MatchClockStartMatch();
        MatchResetClock(300);
        MatchHooks = {};
        GameSeedRandom(1234);
    }
    void TearDown() override { MatchHooks = {}; }
};

}  // namespace frametest
