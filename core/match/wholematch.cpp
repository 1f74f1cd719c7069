#include "core/match/wholematch.h"

#include <cstring>

#include "core/base/random.h"
#include "core/match/matchclock.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/records/blockfiles.h"

using namespace gameinfo;

MatchPeriodRunnerFn MatchPeriodRunner = Match_RunPeriod;

namespace {

constexpr int16_t kFoulTuningStart = 100;
constexpr uint16_t kNoBestPlayer = 0xFFFF;
constexpr int kTeamMenu = 6;
constexpr int kShootOutMenu = 8;
constexpr int16_t kReplayLast = -2;
constexpr int16_t kReplayMore = -3;

void Call(void (*hook)()) {
    if (hook != nullptr) hook();
}

bool Undisplayed() { return (DisplayModeFlags & kDisplayOff) != 0; }

int16_t FirstTeamClub() { return GameInfo.TeamI16(0, kTeamClub); }

// Whatever the block says, the referee leans to no side, the first or the
// second team.
int16_t RefereeLeaning() {
    const int8_t favours = int8_t(GameInfo.U8(kRefereeFavours));
    return favours >= 0 && favours <= 2 ? favours : int16_t(0);
}

// Nothing of the previous match is left in the state or the result block.
void ResetMatchState() {
    KickOffTeam = uint8_t(FirstKickOffTeam);
    MatchFoulChance = MatchDismissalThreshold = kFoulTuningStart;
    std::memset(MatchResult.teams, 0, sizeof MatchResult.teams);
    std::memset(MatchResult.events, 0, sizeof MatchResult.events);
    MatchResult.events[0][kEventKind] = kEventEnd;
    RefereeFavours = RefereeLeaning();
    RuleAwayGoals = MatchRuleSet(&GameInfo, kAwayGoalsRule);
    RuleExtraTime = MatchRuleSet(&GameInfo, kExtraTime);
    RulePenalties = MatchRuleSet(&GameInfo, kPenalties);
    RuleGoldenGoals = MatchRuleSet(&GameInfo, kGoldenGoals);
    for (int team = 0; team < 2; ++team) {
        OldGoals[team] = MatchTeamOldGoals(&GameInfo, team);
        Goals[team] = ShootOutGoals[team] = 0;
        for (uint16_t& total : MatchTeamTotals[team]) total = 0;
    }
    MatchOver = 0;
    std::memset(MatchResult.minutes, kNoMinuteValue, sizeof MatchResult.minutes);
    ClearHeatMaps();
    EventCount = 0;
    MatchResultPredicted = 0;
    MatchClockStartMatch();
}

void RunPeriod(uint8_t period, uint8_t kickOffTeam, uint8_t direction) {
    Period = period;
    KickOffTeam = kickOffTeam;
    AttackDirection = direction;
    MatchFinished = 0;
    MatchPeriodRunner();
}

// The in-match menus for each human-managed team, one team after the
// other.  A match nobody watches opens none.
void OfferMenus(int menu) {
    if (Undisplayed()) return;
    void (*request)(int16_t) = menu == kShootOutMenu ? MatchHooks.igMenuRequest8 : MatchHooks.igMenuRequest6;
    for (int16_t team = 0; team < 2; ++team) {
        if (MatchTeamHuman(&GameInfo, team) && request != nullptr) request(team);
    }
}

bool LevelOnAggregate() { return Goals[0] + OldGoals[0] == Goals[1] + OldGoals[1]; }

// Team 0 played the first leg away and team 1 plays away now, so each
// side's away goals count twice.
bool LevelOnAwayGoals() { return 2 * OldGoals[0] + Goals[0] == OldGoals[1] + 2 * Goals[1]; }

bool ShootOutDue() {
    if (!RulePenalties || !LevelOnAggregate()) return false;
    return !RuleAwayGoals || LevelOnAwayGoals();
}

void PlayExtraTime(uint8_t first, uint8_t direction) {
    if (RuleExtraTime && !RuleGoldenGoals && LevelOnAggregate()) {
        OfferMenus(kTeamMenu);
        RunPeriod(2, first, direction);
        OfferMenus(kTeamMenu);
        RunPeriod(3, first ^ 1, direction ^ 1);
    } else if (RuleGoldenGoals && LevelOnAggregate()) {
        OfferMenus(kTeamMenu);
        RunPeriod(2, first, direction);
        if (!LevelOnAggregate()) return;
        OfferMenus(kTeamMenu);
        RunPeriod(3, first ^ 1, direction ^ 1);
    }
}

void PlayPeriods() {
    const uint8_t first = uint8_t(FirstKickOffTeam);
    const uint8_t direction = uint8_t(FirstDirection);
    RunPeriod(0, first, direction);
    OfferMenus(kTeamMenu);
    RunPeriod(1, first ^ 1, direction ^ 1);
    PlayExtraTime(first, direction);
    if (ShootOutDue()) {
        OfferMenus(kShootOutMenu);
        RunPeriod(4, KickOffTeam, 0);
    }
}

// ---------------------------------------------------------------------------
// Goal replays

// The saved goals are the goal-replay file list, in saving order.
bool SavedGoalExists(int index) {
    return index >= 0 && index < kGoalFileEntries && index < GoalReplayFiles.count &&
           GoalReplayFiles.names[index][0] != 0;
}

int16_t SavedGoalIndex() { return GoalReplayNumber; }

void LoadGoalInfo(int16_t entry) {
    if (SavedGoalExists(entry)) Replay_LoadGoalInfo(GoalReplayFiles.names[entry]);
}

// A damaged file shows nothing: its viewing ends at once.
void ShowReplay() {
    if (ReplayLoadTheRest() < 0) return;
    RunPeriod(Period, KickOffTeam, AttackDirection);
}

// Shows the saved goals that follow the selected one while they belong to
// the same first team.
void ShowFollowingGoals() {
    int16_t& index = GoalReplayNumber;
    int16_t remembered = FirstTeamClub();
    GameInfo.SetI16(kCompetition, -1);
    while (FirstTeamClub() == remembered) {
        ++index;
        remembered = FirstTeamClub();
        if (!SavedGoalExists(index)) {
            // The end of the list ends the run, whatever club a damaged
            // file left in the block.
            break;
        } else {
            LoadGoalInfo(index);
            GameInfo.SetI16(kCompetition, kReplayLast);
            if (SavedGoalExists(index + 1)) {
                LoadGoalInfo(int16_t(index + 1));
                const bool sameRun = FirstTeamClub() == remembered;
                LoadGoalInfo(index);
                GameInfo.SetI16(kCompetition, sameRun ? kReplayMore : kReplayLast);
            }
        }
        if (FirstTeamClub() == remembered) {
            MatchOver = 0;
            DisplayModeFlags &= uint8_t(~kDisplayOff);
            ShowReplay();
        }
    }
}

void NameBestPlayer() {
    int16_t team = -1;
    int16_t entry = -1;
    MatchChooseBestPlayer(&team, &entry);
    for (int t = 0; t < 2; ++t) {
        uint16_t best = kNoBestPlayer;
        if (t == team) best = uint16_t(GameInfo.I16(PlayerInfoAt(t, entry) + kPlayerInfoNumber));
        recbits::StoreU16(MatchResult.teams[t].bytes + kReportManOfTheMatch, best);
    }
}

}  // namespace

void PlayWholeMatch() {
    const bool undisplayed = Undisplayed();
    const bool replaySession = GameInfo.I16(kCompetition) < 0;
    Call(MatchHooks.camResetDefaults);
    GameInfo.SetU8(kUserOptionByte, 2);
    GameInfo.SetI16(kUserOptionWord, 50);
    for (int team = 0; team < 2; ++team)
        GameInfo.SetTeamU8(team, kHumanManagedAtStart, GameInfo.TeamU8(team, kHumanManaged));
    LineUpPending = GameInfo.I16(kPlayersLineUp) > 0 ? 1 : 0;
    FirstKickOffTeam = int16_t(GameRandom() % 2);
    FirstDirection = int16_t(GameRandom() % 2);
    if (undisplayed) {
        Match3D_PrepareData();
    } else {
        Match3D_Startup();
    }
    ResetMatchState();

    if (replaySession) {
        // A session whose selected entry holds no saved goal shows nothing.
        if (SavedGoalExists(SavedGoalIndex())) ShowReplay();
    } else {
        PlayPeriods();
    }

    MatchOver = 1;
    NameBestPlayer();
    if (replaySession) ShowFollowingGoals();

    if (undisplayed) {
        Match3D_FreeData();
    } else {
        Match3D_Shutdown();
    }
    DisplayModeFlags &= uint8_t(~kDisplayOff);
}

MatchResultBlock* PlayMatch() {
    PlayWholeMatch();
    return GetMatchBlock();
}
