#include "core/club/squadpass.h"

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/contractreview.h"
#include "core/club/playervalue.h"
#include "core/club/signingplan.h"
#include "core/club/squadmood.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/trainingeffects.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/leagues.h"
#include "core/season/trainingselection.h"

uint16_t SquadPassTotal;
uint16_t SquadPassCounter;

namespace {

constexpr int kDateRanges = 2;
constexpr int16_t kWeekOfTraining = 7;
constexpr int16_t kTwoWeeksOfTraining = 14;
constexpr int kFirstForeignNation = 32;

bool IsComputerLeagueClubOf(int16_t club, int nation) {
    return GetClubControl(club) == 0 && GetClubNation(club) == uint16_t(nation) && GetClubDivision(club) < 6;
}

// The transfer-closed periods of the nation: how many hold today, and
// whether today is the eve of one.
struct WindowState {
    int open = 0;
    bool eve = false;
};

WindowState Windows(int nation) {
    WindowState state;
    const int today = SeasonCalendar.currentDay;
    for (int range = 0; range < kDateRanges; ++range) {
        const int first = LeagueTransferWords[2 * range][nation],
                  last = LeagueTransferWords[2 * range + 1][nation];
        if (last <= first) continue;
        if (today >= first && today <= last) ++state.open;
        if (today == first - 1) state.eve = true;
    }
    return state;
}

void EvaluateSquad(int16_t club) {
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    EvaluateClubSquad(club);
}

bool BidsAllowed(int16_t club, int nation, const WindowState& windows) {
    if (nation == 0 && GetClubDivision(club) >= 1) {
        const int month = SeasonCalendar.month;
        return month != 3 && month != 4 && SeasonCalendar.currentDay < SeasonCalendar.leagueEndDay[0] - 51;
    }
    return windows.open == 0;
}

void ProcessComputerClub(int16_t club, int nation, int16_t trainingDays, int16_t realDay, int16_t allowBids,
                         const WindowState& windows) {
    ++SquadPassCounter;
    CorePoll();
    EvaluateSquad(club);
    if (realDay == 0) return;
    ClubOfferFirstContracts(club);
    UpdateClubTransferList(club);
    ComputerWageCutback(club);
    ClubSquadMoodJob(club);
    if (trainingDays != 0) ApplyTrainingEffects(club, kWeekOfTraining);
    if (allowBids == 0) return;
    if (BidsAllowed(club, nation, windows)) {
        UpdateClubLoanList(club);
        PlanClubSignings(club, 0);
        ProcessBidShortList(club);
    }
    ReviewClubContracts(club);
}

}  // namespace

int16_t SquadPassTrainingDays(int16_t club, int nation, bool eveOfRange) {
    const bool played = IsPlayedLeagueNation(uint16_t(nation));
    const int today = SeasonCalendar.currentDay;
    const int weekday = SeasonCalendar.weekday;
    if (today == kSquadWorkDay[nation]) return played ? kWeekOfTraining : kTwoWeeksOfTraining;
    if (today > SeasonCalendar.leagueEndDay[nation]) {
        return club % 31 == SeasonCalendar.dayOfMonth ? int16_t(0) : int16_t(-1);
    }
    const int rule = played ? club % 5 + 2 : club % 12 + 2;
    if (rule == weekday || eveOfRange) return played ? kWeekOfTraining : kTwoWeeksOfTraining;
    return -1;
}

namespace {
int g_keptLookups = 0;  // guards alive, one within another
}  // namespace

KeptClubLookups::KeptClubLookups() {
    if (g_keptLookups++ > 0) return;
    KeepNextFixtures(true);
    // The kept club words first: the managers are then found from them.
    KeepPlayerMarketKeys(true);
    KeepClubManagers(true);
    KeepFinanceFixtureIndex(true);
}

KeptClubLookups::~KeptClubLookups() {
    if (--g_keptLookups > 0) return;
    KeepNextFixtures(false);
    KeepClubManagers(false);
    KeepPlayerMarketKeys(false);
    KeepFinanceFixtureIndex(false);
}

void RunClubSquadPass(int16_t realDay, int16_t allowBids) {
    // The clubs' next fixtures, managers and finance lists and the
    // players' market keys are asked for many times over.
    const KeptClubLookups keep;
    SortClubsByReputation();
    WindowState windows;
    for (int nation = 0; nation < kCountryCount; ++nation) {
        windows = Windows(nation);
        SquadPassTotal = 0;
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) == 0 || !IsComputerLeagueClubOf(club, nation)) continue;
            if (realDay == 0 || SquadPassTrainingDays(club, nation, windows.eve) >= 0) ++SquadPassTotal;
        }
        SquadPassCounter = 0;
        ResetTrainingSelection();
        for (uint16_t entry : ClubReputationOrder) {
            if (!IsClubNumber(entry)) continue;
            const int16_t club = int16_t(entry);
            if (GetClubControl(club) != 0) {
                EvaluateSquad(club);
                if (realDay != 0) ClubSquadMoodJob(club);
                continue;
            }
            if (!IsComputerLeagueClubOf(club, nation)) continue;
            const int16_t days = realDay == 0 ? int16_t(0) : SquadPassTrainingDays(club, nation, windows.eve);
            if (days < 0) continue;
            ProcessComputerClub(club, nation, days, realDay, allowBids, windows);
        }
        ResetTrainingSelection();
    }
    if (realDay == 0 || allowBids == 0) return;
    const int weekday = SeasonCalendar.weekday;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0 || GetClubControl(club) != 0) continue;
        const uint16_t nation = GetClubNation(club);
        const bool outside = nation >= kCountryCount || GetClubDivision(club) >= 6;
        if (outside && club % 12 + 2 == weekday) ProcessTrainingDay(club, realDay, int16_t(windows.open));
    }
}

void ProcessTrainingDay(int16_t club, int16_t realDay, int16_t openCount) {
    if (!IsClubNumber(club)) return;
    EvaluateSquad(club);
    if (realDay == 0) return;
    ClubOfferFirstContracts(club);
    if (GetClubNation(club) < kFirstForeignNation || GameRandom() % 100 == 0) {
        UpdateClubTransferList(club);
        ComputerWageCutback(club);
    }
    if (openCount == 0) {
        PlanTrainingPassSignings(club);
        ProcessBidShortList(club);
    }
    ApplyTrainingEffects(club, kTwoWeeksOfTraining);
    ReviewClubContracts(club);
}

void ComputerTransferActivity(int16_t realDay, int16_t) {
    // Anything but 1 (a load, a new job, a caller's club number) is a pass
    // that only rebuilds and evaluates.
    const int16_t real = realDay == 1 ? 1 : 0;
    RunClubSquadPass(real, real);
}
