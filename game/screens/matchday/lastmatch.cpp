#include "game/screens/matchday/lastmatch.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/query/forwarders.h"
#include "core/season/competitioncodes.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "game/screens/engine/displaymaps.h"

namespace {

constexpr int kRefereeSurnameAt = 1;
constexpr int kRefereeSurnameLength = 16;
constexpr int16_t kLastMinute = 120;

LastMatchCopy EmptyCopy() {
    LastMatchCopy copy{};
    copy.fixture = -1;
    copy.day = -1;
    copy.referee = -1;
    return copy;
}

LastMatchCopy g_copy = EmptyCopy();
bool g_kept = false;
char g_names[2][gameinfo::kTeamNameLength + 1];
char g_refereeSurname[kRefereeSurnameLength + 1];
int16_t g_userSide = 0;

// The user's side is the one his club plays on.  The human-managed flags
// cannot tell it: a match played unseen, or under auto-management, hands
// both sides to the computer before it ends, and the flag rule would then
// take the user for the away side.  The flag rule stays for a copy whose
// teams are not clubs (a national side) or not the user's club.
int16_t FindUserSide(const EnterGameInfo& setup) {
    const int16_t club = HVW_GetMyClub();
    if (club >= 0 && !IsNationalTeamDay(setup.I16(gameinfo::kCompetition))) {
        if (setup.TeamI16(0, gameinfo::kTeamClub) == club) return 0;
        if (setup.TeamI16(1, gameinfo::kTeamClub) == club) return 1;
    }
    return setup.TeamU8(0, gameinfo::kHumanManaged) == 0 ? 1 : 0;
}

// The texts the readers hand out, taken once per copy.
void TakeTexts() {
    for (int side = 0; side < 2; ++side) {
        std::memcpy(g_names[side], g_copy.setup.bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName,
                    gameinfo::kTeamNameLength);
        g_names[side][gameinfo::kTeamNameLength] = 0;
    }
    if (g_copy.referee < 0) {
        g_refereeSurname[0] = 0;
        return;
    }
    std::memcpy(g_refereeSurname, g_copy.refereeRecord.bytes + kRefereeSurnameAt, kRefereeSurnameLength);
    g_refereeSurname[kRefereeSurnameLength] = 0;
}

// What is taken from the copy once, when it is made.
void TakeCopy() {
    TakeTexts();
    g_userSide = FindUserSide(g_copy.setup);
}

int ReportWord(int side, int field) { return recbits::LoadU16(g_copy.result.teams[side].bytes + field); }

}  // namespace

void LastMatch_Keep(int16_t fixture) {
    std::memcpy(&g_copy.setup, GetMatchSetupBlock(), sizeof g_copy.setup);
    std::memcpy(&g_copy.result, GetMatchBlock(), sizeof g_copy.result);
    g_copy.counters = MatchGetTeamCounters();
    g_copy.fixture = fixture;
    g_copy.day = fixture >= 0 && fixture < kFixtureSlots ? int16_t(FixtureDay(fixture)) : -1;
    const int16_t referee = g_copy.setup.I16(gameinfo::kRefereeNumber);
    g_copy.referee = referee >= 0 && referee <= kMadeUpReferee ? referee : -1;
    g_copy.refereeRecord = g_copy.referee >= 0 ? RefereeRecords[g_copy.referee] : RefereeRecord{};
    g_copy.attendance = LastAttendance;
    g_copy.minute = std::clamp<int16_t>(GetMatchMinute(), 0, kLastMinute);
    g_kept = true;
    TakeCopy();
}

void LastMatch_Set(const LastMatchCopy& copy) {
    g_copy = copy;
    g_kept = true;
    TakeCopy();
}

void LastMatch_Forget() {
    g_copy = EmptyCopy();
    g_kept = false;
    TakeCopy();
}

bool LastMatch_Exists() { return g_kept; }

const LastMatchCopy& LastMatch() { return g_copy; }

void LastMatch_Scores(int16_t* home, int16_t* away, int16_t* homeShootOut, int16_t* awayShootOut) {
    *home = int16_t(ReportWord(0, kReportGoals));
    *away = int16_t(ReportWord(1, kReportGoals));
    const int16_t shootOut[2] = {int16_t(ReportWord(0, kReportShootOutGoals)),
                                 int16_t(ReportWord(1, kReportShootOutGoals))};
    const bool hadShootOut = shootOut[0] > 0 || shootOut[1] > 0;
    *homeShootOut = hadShootOut ? shootOut[0] : int16_t(-1);
    *awayShootOut = hadShootOut ? shootOut[1] : int16_t(-1);
}

const char* LastMatch_TeamName(int side) { return g_names[side == 1 ? 1 : 0]; }

const uint8_t* LastMatch_PlayerReport(int side, int entry) {
    const int s = side == 1 ? 1 : 0;
    const int e = std::clamp(entry, 0, kTeamReportPlayers - 1);
    return g_copy.result.teams[s].bytes + kReportPlayers + e * kPlayerReportSize;
}

char LastMatch_RefereeInitial() { return g_copy.referee >= 0 ? char(g_copy.refereeRecord.bytes[0]) : 0; }

const char* LastMatch_RefereeSurname() { return g_refereeSurname; }

int16_t LastMatch_UserSide() { return g_userSide; }
