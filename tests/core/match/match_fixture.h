// A filled set-up block, fresh figures and a scripted period runner for the
// tests of the whole match and its reports.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/wholematch.h"
#include "tests/fakes/pak_fixture.h"

namespace matchtest {

using namespace gameinfo;

// Player record numbers: team t, entry e plays as 1000 + 100 t + e.
inline uint16_t PlayerNumber(int team, int entry) { return uint16_t(1000 + 100 * team + entry); }

struct PeriodSeen {
    int period;
    int kickOffTeam;
    int direction;
};

// What the scripted runner does and saw.
struct Script {
    int goals[5][2] = {};  // goals scored in each period
    int shootOut[2] = {};  // penalties scored in period 4
    std::vector<PeriodSeen> periods;
    std::vector<int> menus;  // 100 x menu + team, in order
};
inline Script g_script;

inline void RecordEvent(uint8_t kind, int team, uint16_t player) {
    uint8_t* row = MatchResult.events[EventCount];
    row[kEventKind] = kind;
    recbits::StoreU16(row + kEventPeriod, Period);
    recbits::StoreU16(row + kEventMinute, uint16_t(Period * 45 + 10));
    recbits::StoreU16(row + kEventTeam, uint16_t(team));
    recbits::StoreU16(row + kEventPlayer, player);
    recbits::StoreU16(row + kEventValue2, 0);
    ++EventCount;
    MatchResult.events[EventCount][kEventKind] = kEventEnd;
}

// Plays a period as the loops would leave it: the scripted goals counted
// and credited to each team's number 9, the reports copied.
inline void ScriptedPeriod() {
    g_script.periods.push_back({Period, KickOffTeam, AttackDirection});
    if (Period == 4) {
        for (int team = 0; team < 2; ++team) ShootOutGoals[team] = int16_t(g_script.shootOut[team]);
    } else {
        for (int team = 0; team < 2; ++team) {
            for (int g = 0; g < g_script.goals[Period][team]; ++g) {
                ++Goals[team];
                ++MatchFigures[team * kTeamFigures + 9].goals;
                RecordEvent(kEventGoal, team, PlayerNumber(team, 9));
            }
        }
    }
    MatchCopyTeamStats();
    MatchFinished = 1;
}

inline void MenuSix(int16_t team) { g_script.menus.push_back(600 + team); }
inline void MenuEight(int16_t team) { g_script.menus.push_back(800 + team); }

// Every match loads the generated motion clips: the game data is mounted
// once per run and stays up for the tests that follow.
inline bool GameDataMounted = false;

inline void MountGameData() {
    if (GameDataMounted) return;
    GameDataMounted = true;
    testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
}

// Takes the mounted data down, with the clips and the replay buffer the
// matches loaded into it, for a test that brings up memory and an archive of
// its own; the next match mounts it again.
inline void UnmountGameData() {
    if (!GameDataMounted) return;
    GameDataMounted = false;
    Motion_FreeAll();
    Replay_FreeBuffer();
    testenv::UnmountGameArchive();
}

class MatchFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        MountGameData();
        g_script = Script{};
        GameSeedRandom(12345);
        EnterGameInfo* block = ClearMatchSetupBlock();
        block->SetU8(kExtraTime, 0);
        block->SetU8(kPenalties, 0);
        block->SetU8(kGoldenGoals, 0);
        block->SetU8(kAwayGoalsRule, 0);
        block->SetI16(kDurationMinutes, 5);
        block->SetI16(kCompetition, 0);
        block->SetI16(kNumAvailableSubs, 5);
        block->SetI16(kPlayersLineUp, 1);
        for (int team = 0; team < 2; ++team) {
            std::snprintf(reinterpret_cast<char*>(block->bytes + TeamInfoAt(team) + kTeamName),
                          kTeamNameLength, "Team %d", team);
            block->SetTeamI16(team, kTeamClub, int16_t(10 + team));
            block->SetTeamU8(team, kHumanManaged, 0);
            block->SetTeamI16(team, kOldGoals, 0);
            for (int entry = 0; entry < kMatchSquadSize; ++entry) {
                block->SetI16(PlayerInfoAt(team, entry) + kPlayerInfoNumber,
                              int16_t(PlayerNumber(team, entry)));
            }
        }
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            const bool starter = figure % kTeamFigures < 11;
            f.benchState = starter ? 50 : 0;
            f.off = starter ? 0 : 1;
            if (starter) f.firstActiveTick = f.lastActiveTick = 100;
        }
        MatchHooks = MatchDisplayHooks{};
        MatchHooks.igMenuRequest6 = MenuSix;
        MatchHooks.igMenuRequest8 = MenuEight;
        MatchPeriodRunner = ScriptedPeriod;
        DisplayModeFlags = kDisplayOff;
    }
    void TearDown() override {
        MatchPeriodRunner = Match_RunPeriod;
        MatchHooks = MatchDisplayHooks{};
        DisplayModeFlags = 0;
    }

    static EnterGameInfo& Block() { return *GetMatchSetupBlock(); }
    static std::vector<int> PeriodsPlayed() {
        std::vector<int> periods;
        for (const PeriodSeen& seen : g_script.periods) periods.push_back(seen.period);
        return periods;
    }
    static int ReportWord(int team, int at) {
        return int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + at));
    }
};

}  // namespace matchtest
