// A scenario harness for the match engine: a set-up block for two
// generated clubs, the generated motion clips mounted, a period set up,
// figures and the ball placed, a phase set and ticks run.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/ballcontacts.h"
#include "core/match/formation.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchtick.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/teamsetup.h"
#include "tests/core/match/match_fixture.h"

namespace scenario {

using namespace gameinfo;

// The generated game data with its motion clips, mounted once per run
// (shared with the whole-match fixture).
using matchtest::MountGameData;

// Stats of a generated player: keepers good in goal, others by line.
inline int16_t GeneratedStat(int entry, int stat) {
    const int base = 40 + GameRandom() % 50;
    if (stat == kStatKeeping)
        return int16_t(entry == 0 || entry == 11 ? 70 + GameRandom() % 25 : 5 + base / 10);
    return int16_t(base);
}

inline int16_t PositionOf(int entry) {
    if (entry == 0 || entry == 11) return 0;
    const int outfield = entry % 11;
    return int16_t(outfield <= 4 ? 2 : outfield <= 8 ? 5 : 9);
}

// Fills the set-up block with two generated clubs playing presets
// preset0 and preset1; the block's own draws do not disturb the match's.
inline void FillTwoClubs(uint32_t seed, int preset0 = 1, int preset1 = 5, int durationMinutes = 5) {
    const uint32_t saved = GameRandomState();
    GameSeedRandom(seed);
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetU8(kExtraTime, 0);
    block->SetU8(kPenalties, 0);
    block->SetU8(kGoldenGoals, 0);
    block->SetU8(kAwayGoalsRule, 0);
    block->SetU8(kRefereeFavours, 0);
    block->SetU8(kPitchCondition, 0);
    block->SetI16(kDurationMinutes, int16_t(durationMinutes));
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    block->SetI16(kNumSubstitutionsAllowed, 3);
    block->SetI16(kPlayersLineUp, 0);
    for (int team = 0; team < 2; ++team) {
        std::snprintf(reinterpret_cast<char*>(block->bytes + TeamInfoAt(team) + kTeamName), kTeamNameLength,
                      "Generated %d", team);
        block->SetTeamI16(team, kTeamClub, int16_t(100 + team));
        block->SetTeamU8(team, kHumanManaged, 0);
        block->SetTeamI16(team, kTacticChoice, int16_t(team == 0 ? preset0 : preset1));
        block->SetTeamI16(team, kTacticOption, 0);
        block->SetTeamI16(team, kOldGoals, 0);
        block->SetTeamI16(team, kCaptain, 5);
        block->SetTeamI16(team, kCornerTaker, 8);
        block->SetTeamI16(team, kPenaltyTaker, 10);
        block->SetTeamI16(team, kFreeKickTaker, 9);
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            const int at = PlayerInfoAt(team, entry);
            std::snprintf(reinterpret_cast<char*>(block->bytes + at), kPlayerNameLength, "Player %c%d",
                          'A' + team, entry);
            block->SetI16(at + kPlayerInfoNumber, int16_t(2000 + 100 * team + entry));
            block->SetU8(at + kPlayerInfoType, uint8_t(PositionOf(entry)));
            for (int stat = 0; stat < kPlayerStatCount; ++stat) {
                block->SetI16(at + kPlayerStats + 2 * stat, GeneratedStat(entry, stat));
            }
            block->SetI16(at + kPlayerPosition, PositionOf(entry));
            block->SetI16(at + kPlayerShirt, int16_t(entry + 1));
            block->SetI16(at + kPlayerSideA, 0);
            block->SetI16(at + kPlayerLeft, int16_t(GameRandom() % 4));
            block->SetI16(at + kPlayerSideB, int16_t(GameRandom() % 3));
            block->SetI16(at + kPlayerRight, int16_t(GameRandom() % 4));
            block->SetI16(at + kPlayerRecInjury, 0);
            block->SetI16(at + kPlayerInfoWord1, 0);
            block->SetI16(at + kPlayerInfoWord2, 0);
            block->SetU8(at + kPlayerInfoByte, 0);
        }
        MatchLoadTeamTactics(int16_t(team));
    }
    GameSetRandomState(saved);
}

// The match started as the whole match starts it, with no display, and the
// first period set up: the teams beside the pitch, phase 25.
inline void StartMatch(uint32_t seed, uint8_t kickOffTeam = 0, uint8_t upfieldTeam = 0) {
    MountGameData();
    MatchHooks = MatchDisplayHooks{};
    DisplayModeFlags = kDisplayOff;
    Match3D_PrepareData();
    GameSeedRandom(seed);
    // The figures and the ball as a fresh process has them: a test run
    // before may have left any of their fields set (the ball's ground speed
    // decides a challenge), and the set-up fills only some.
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    Ball_ResetContacts();
    BallGroundSpeed = 0;
    MatchResetEngineState();
    std::memset(&MatchResult, 0, sizeof MatchResult);
    MatchResult.events[0][kEventKind] = kEventEnd;
    EventCount = 0;
    Goals[0] = Goals[1] = 0;
    ShootOutGoals[0] = ShootOutGoals[1] = 0;
    OldGoals[0] = OldGoals[1] = 0;
    MatchOver = 0;
    LineUpPending = 0;
    MatchClockStartMatch();
    for (uint16_t& timer : TeamRestartCount) timer = 0;
    for (int16_t& momentum : TeamMomentum) momentum = 500;
    PhaseTimer = 0;
    MatchTickPhase = 0;
    Period = 0;
    KickOffTeam = kickOffTeam;
    AttackDirection = upfieldTeam;
    MatchFinished = 0;
    Match_SetupPeriod();
}

// Puts a figure at (x, y) in the given action.
inline void PlaceFigure(int16_t figure, int x, int y, uint16_t action) {
    MatchFigure& f = MatchFigures[figure];
    f.x = int16_t(x);
    f.y = int16_t(y);
    f.x16 = int32_t(x) * 65536;
    f.y16 = int32_t(y) * 65536;
    Match_SetPlayerAction(figure, action);
}

// Every starter of both teams on his formation place for the current zones.
inline void PlaceTeamsOnFormation() {
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < 11; ++slot) {
            const int16_t figure = MatchLineUp[team][slot];
            MatchFigure& f = MatchFigures[figure];
            int x = f.targetX, y = f.targetY;
            if (slot == 0) {
                x = 796;
                y = team == AttackDirection ? 150 : 2014;
            }
            PlaceFigure(figure, x, y, slot == 0 ? kActionKeeperReady : kActionStand);
        }
    }
}

inline void PlaceBall(int x, int y, int z = 0) {
    BallState.x = int16_t(x);
    BallState.y = int16_t(y);
    BallState.z = int16_t(z);
    BallState.x16 = int32_t(x) * 65536;
    BallState.y16 = int32_t(y) * 65536;
    BallState.z16 = int32_t(z) * 65536;
    MatchFigures[kBallFigure].x = int16_t(x);
    MatchFigures[kBallFigure].y = int16_t(y);
}

// Open play with the clock running, as the kick-off leaves it.
inline void StartOpenPlay(uint8_t possession) {
    MatchPhase = kPhaseOpenPlay;
    PhaseTimer = 0;
    BallTeam = possession;
    MatchClockRunning = 1;
}

inline void RunTicks(int n) {
    for (int i = 0; i < n && MatchFinished == 0; ++i) MatchTick();
}

// Open play from the centre spot, the teams on their formation places:
// the formation's placement counters carry over from an earlier match in
// the same process, so every play starts them alike.
inline void StartOpenPlayFromTheCentre() {
    FormationTargetCount = 0;
    FormationPossession = 0;
    FormationPossessionCount = 0;
    FormationHold = 0;
    MatchPhase = 25;
    LineUpPending = 0;
    Match_ChooseFormationZone();
    Match_SetFormationTargets();
    PlaceTeamsOnFormation();
    PlaceBall(796, 1082);
    StartOpenPlay(0);
}

}  // namespace scenario
