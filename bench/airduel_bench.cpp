// Two full sides contesting a ball in the air: every 60 ticks a long ball
// is lofted from a varying spot toward a varying point in midfield, where
// players of both teams react to it (headers, duels, chest controls,
// volleys, the challenges that follow); the whole tick is measured, with
// the generated motion clips loaded and open play kept going.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "match/ball.h"
#include "match/formation.h"
#include "match/matchclock.h"
#include "match/matchengine.h"
#include "match/matchfigure.h"
#include "match/matchsetup.h"
#include "match/matchstate.h"
#include "match/matchtick.h"
#include "match/motion.h"
#include "match/periodrunner.h"
#include "match/tackle.h"
#include "match/teamsetup.h"
#include "support/mem_win.h"
#include "support/pakfile.h"
#include "support/random.h"

namespace {

using namespace gameinfo;

std::string AirDuelArchive() {
    char exe[PATH_MAX] = {};
    if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0) return "game/pakfiles/demo";
    std::string dir(exe);
    return dir.substr(0, dir.rfind('/')) + "/game/pakfiles/demo";
}

void AirDuelSetUp() {
    static bool mounted = false;
    if (!mounted) {
        mounted = true;
        InitMemory(64 * 1024);
        PakFileInit();
        PakAddFile(AirDuelArchive().c_str());
        PakFileAddDone();
        Motion_LoadAll();
    }
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(kDurationMinutes, 90);
    block->SetI16(kCompetition, 0);
    block->SetI16(kNumAvailableSubs, 5);
    block->SetI16(kPlayersLineUp, 0);
    for (int team = 0; team < 2; ++team) {
        block->SetTeamU8(team, kHumanManaged, 0);
        block->SetTeamI16(team, kTacticChoice, int16_t(team == 0 ? 1 : 5));
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            const int at = PlayerInfoAt(team, entry);
            for (int stat = 0; stat < kPlayerStatCount; ++stat) {
                block->SetI16(at + kPlayerStats + 2 * stat, int16_t(40 + (entry * 7 + stat * 3) % 55));
            }
            block->SetI16(at + kPlayerLeft, 1);
            block->SetI16(at + kPlayerRight, 2);
            block->SetI16(at + kPlayerSideB, 1);
        }
        MatchLoadTeamTactics(int16_t(team));
    }
    DisplayModeFlags = kDisplayOff;
    Match_SetPitchGeometry();
    GameSeedRandom(11);
    MatchResetEngineState();
    MatchClockStartMatch();
    MatchResetTackleCounts();
    MatchFoulChance = MatchDismissalThreshold = 100;
    Period = 0;
    KickOffTeam = 0;
    AttackDirection = 0;
    Match_SetupPeriod();
    MatchPhase = 25;
    Match_ChooseFormationZone();
    Match_SetFormationTargets();
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < 11; ++slot) {
            MatchFigure& f = MatchFigures[MatchLineUp[team][slot]];
            f.x16 = int32_t(f.targetX) * 65536;
            f.y16 = int32_t(f.targetY) * 65536;
            f.x = f.targetX;
            f.y = f.targetY;
            Match_SetPlayerAction(MatchLineUp[team][slot], slot == 0 ? 152 : 4);
        }
    }
}

// A long ball from near one touchline toward a point in midfield.
void LoftBall(int counter) {
    const int fromX = 300 + (counter * 131) % 900;
    const int fromY = 700 + (counter * 71) % 300;
    const int toX = 650 + (counter * 37) % 300;
    const int toY = 1050 + (counter * 53) % 200;
    BallState.x16 = fromX * 65536;
    BallState.y16 = fromY * 65536;
    BallState.z16 = 20 * 65536;
    BallState.x = int16_t(fromX);
    BallState.y = int16_t(fromY);
    BallState.z = 20;
    BallState.holder = BallState.controller = 0;
    BallState.vx = (toX - fromX) * 65536 / 40;
    BallState.vy = (toY - fromY) * 65536 / 40;
    BallState.vz = 14 * 65536;
    Ball_UpdateDirectionSpeed();
    BallTeam = uint8_t(counter & 1);
    MatchPhase = 0;
    MatchClockRunning = 1;
}

void BM_AirDuelTick(benchmark::State& state) {
    AirDuelSetUp();
    int counter = 0;
    for (auto _ : state) {
        if (counter % 60 == 0) LoftBall(counter / 60);
        ++counter;
        MatchTick();
        if (MatchFinished != 0 || PeriodClock >= PeriodLength) {
            PeriodClock = 0;
            MatchFinished = 0;
        }
    }
    state.counters["ticks/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AirDuelTick);

}  // namespace

BENCHMARK_MAIN();
