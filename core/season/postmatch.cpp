#include "core/season/postmatch.h"

#include <algorithm>
#include <cstdio>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/clubmoney.h"
#include "core/club/development.h"
#include "core/club/injuries.h"
#include "core/club/shortlist.h"
#include "core/club/signingplan.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/query/competitionnames.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/pickteam.h"

uint16_t MatchDaySwitch;
uint16_t MatchDayMode;
int16_t FatigueScale = 90;

const DisciplinaryThreshold DisciplinaryThresholds[4] = {{7, 21, 1}, {12, 36, 2}, {17, 51, 3}, {22, 66, 4}};

namespace {

using namespace gameinfo;

constexpr uint32_t kNoPlayerArg = 0xFFFFFFFFu;
constexpr int kSheetSlots = kTeamSheetSlots;
constexpr int kGoalCountText = 814;
constexpr int kGoodMark = 80;
constexpr int kPoorMark = 64;

// Words of a player report: rating, goals, assists, cards, workload,
// injury kind, player number.
struct Report {
    int16_t rating, goals, assists, cards, workload, injury;
    uint16_t player;
};

Report ReadReport(int team, int entry) {
    const uint8_t* r = MatchPlayerReport(team, entry);
    const auto w = [&](int i) { return int16_t(recbits::LoadU16(r + 2 * i)); };
    return {w(0), w(1), w(2), w(3), w(4), w(5), uint16_t(w(6))};
}

int Goals(int team) { return int16_t(recbits::LoadU16(MatchResult.teams[team].bytes + kReportGoals)); }
uint16_t ManOfTheMatch(int team) {
    return recbits::LoadU16(MatchResult.teams[team].bytes + kReportManOfTheMatch);
}

bool IsNationalDay(int16_t c) { return c == kCompNationalTeam || c == kCompNationalUnder21; }
bool IsEuropean(int16_t c) { return c >= kCompFirstEuropeanCup && c <= kCompLastCup; }

// --- small changes of a player --------------------------------------------

int Stat(uint16_t p, int n) { return GetPlayerStat(p, int16_t(n), 0); }
void AddFans(uint16_t p, int x) { SetPlayerFans(p, int16_t(std::clamp(int(GetPlayerFans(p)) + x, 0, 63))); }
void AddForm(uint16_t p, int x) {
    SetPlayerField96(p, int16_t(std::clamp(int(GetPlayerField96(p)) + x, 0, 63)));
}
void AddMorale(uint16_t p, int x) {
    SetPlayerMorale(p, int16_t(std::clamp(int(GetPlayerMorale(p)) + x, 0, 63)));
}
void AddReputation(uint16_t p, int x) {
    SetPlayerReputation(p, int16_t(std::clamp(int(GetPlayerReputation(p)) + x, 0, 63)));
}
void AddExperienceBelow12(uint16_t p) {
    if (GetPlayerExperience(p) < 12) SetPlayerExperience(p, int16_t(GetPlayerExperience(p) + 1));
}
void AddExperience(uint16_t p) {
    SetPlayerExperience(p, int16_t(std::min<int>(GetPlayerExperience(p) + 1, 63)));
}
int FansGain(uint16_t p, int k) { return GameRandom() % ((100 - Stat(p, kAmbitionStat)) * k / 100 + 2); }

// A club pays a bonus: out of its balance, into the bonuses of the week
// and of the season.
void PayBonus(int16_t club, int32_t amount) {
    if (amount <= 0 || !IsClubNumber(club)) return;
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    AddClubBalance(club, -amount);
    SetClubWeeksBonuses(
        club, int32_t(std::min<int64_t>(int64_t(GetClubWeeksBonuses(club, week)) + amount, INT32_MAX)), week);
    SetClubSeasonBonuses(club,
                         int32_t(std::min<int64_t>(int64_t(GetClubSeasonBonuses(club)) + amount, INT32_MAX)));
}

// A notice to the user about a player on his shortlist.
void ScoutNotice(uint16_t p, int16_t club, int16_t type, int16_t text1 = -1) {
    if (ShortList_IsPlayerOn(p) == 0) return;
    const int16_t text2 = text1 >= 0 ? int16_t(kTextFirstPositionType + HVW_GetPositionType(p)) : int16_t(-1);
    if (text1 < 0) text1 = int16_t(kTextFirstPositionType + HVW_GetPositionType(p));
    AddMessage(HVW_GetMyClub(), club, p, kNoPlayerArg, -1, -1, -1, text1, text2, GetPlayerAge(p) + 16, -1,
               type, 1, 0);
}

void ClubMessage(int16_t club, uint16_t p, int16_t type, int32_t number1 = -1) {
    AddMessage(club, -1, p, kNoPlayerArg, -1, -1, -1, -1, -1, number1, -1, type, 1, 0);
}

int16_t CupTieSlot(int16_t c) { return int16_t(CupOf(c).slot); }

// A goal in a won cup tie weighs more the later the round: codes 0-6 of
// each half of a cup's codes give 1, 1, 2, 2, 3, 3, 4 goals per goal.
int CupGoalWeight(int16_t c, bool won, int goals) {
    if (!won || c < 5 || c > 115) return goals;
    const int j = (c - 5) % 8;
    return j < 7 ? goals * (j / 2 + 1) : goals;
}

// --- the user's match columns ---------------------------------------------

void FillMatchColumns(int16_t side, int firstBlock) {
    const int ratingAt = kTrainingBlocks + firstBlock * kTrainingBlockSize;
    const int goalsAt = ratingAt + kTrainingBlockSize;
    int column = kTrainingBlockSize - 1;
    for (int k = 0; k < kTrainingBlockSize; ++k) {
        if (int8_t(TrainingRecords[0].bytes[ratingAt + k]) < 0) {
            column = k;
            break;
        }
    }
    for (TrainingRecord& row : TrainingRecords) {
        row.bytes[ratingAt + column] = 0;
        if (column > 0) row.bytes[goalsAt + column] = row.bytes[goalsAt + column - 1];
    }
    for (int slot = 0; slot < kSheetSlots; ++slot) {
        const uint16_t p = TeamSheet[side][slot];
        if (p == 0) continue;
        const int16_t row = HVW_FindEntryById(p);
        if (row < 0) continue;
        const Report r = ReadReport(side, slot);
        TrainingRecords[row].bytes[ratingAt + column] = uint8_t(r.rating & 0xFF);
        TrainingRecords[row].bytes[goalsAt + column] =
            uint8_t(TrainingRecords[row].bytes[goalsAt + column] + (r.goals & 0xFF));
    }
}

// --- discipline -----------------------------------------------------------

void StartBan(uint16_t p, int matches) {
    if (GetPlayerSusp(p) == 0 && GetPlayerBanWait(p) == 0) SetPlayerBanWait(p, 2);
    SetPlayerSusp(p, int16_t(GetPlayerSusp(p) + matches));
}

void SendingOff(uint16_t p, int16_t club, int cards, int side, bool scoutFirst) {
    const int16_t old = int16_t(GetPlayerDispoints(p));
    if (cards == 3 && side == 0 && scoutFirst) AddFans(p, FansGain(p, 8));
    SetPlayerDispoints(p, int16_t(old + 2));
    StartBan(p, cards == 2 ? 1 : 3);
    if (cards == 2) {
        if (scoutFirst) ScoutNotice(p, club, kMsgShortlistSentOff);
        ClubMessage(club, p, kMsgSuspended);
    } else {
        ClubMessage(club, p, kMsgThreeMatchBan, 3);
    }
    CheckDisciplinaryThresholds(p, old);
    AddClubHistoryEntry(p, club, 0, 0, kClubHistorySentOff);
    if (cards == 3 || !scoutFirst) ScoutNotice(p, club, kMsgShortlistSentOff);
}

void DomesticCards(uint16_t p, int16_t club, int cards, int side, bool fullJob) {
    if (cards == 1) {
        const int16_t old = int16_t(GetPlayerDispoints(p));
        SetPlayerDispoints(p, int16_t(old + 1));
        CheckDisciplinaryThresholds(p, old);
    } else if (cards == 2 || cards == 3) {
        SendingOff(p, club, cards, side, fullJob);
    }
}

// --- fatigue and injuries -------------------------------------------------

void MatchFatigue(uint16_t p, int side, int slot) {
    uint8_t* report = MatchPlayerReport(side, slot);
    const int workload = int16_t(recbits::LoadU16(report + kPlayerWorkload)) + 5;
    recbits::StoreU16(report + kPlayerWorkload, uint16_t(workload));
    const int age = GetPlayerAge(p);
    const int x = (workload / 2 + int(GetPlayerFatigue(p))) * workload / 100 + 1;
    int y = std::min((age + 1) * (age + 1) * x / 100, 25);
    if (y > 0) y += GameRandom() % y;
    y = y * FatigueScale / 100;
    if (age < 3) {
        int young = (4 - age) * (4 - age);
        young += GameRandom() % young;
        y += young;
    }
    SetPlayerFatigue(p, int16_t(std::clamp(y + workload / 2, 0, 63)));
    if (GetPlayerFatigue(p) > 45) InjurePlayer(p, int16_t(5 + GameRandom() % 7), 8, 0);
}

void MatchInjury(uint16_t p, int16_t club, int kind) {
    if (kind <= 1) return;
    if (MatchDaySwitch != 1) {
        InjurePlayerRandom(p, int16_t(kind), club);
        return;
    }
    const int base = InjurySeverity(kind);
    const int length = base + (base > 0 ? GameRandom() % (2 * base) : 0);
    if (getsquadsize(club) > 18 || length <= 5) {
        InjurePlayer(p, int16_t(length), int16_t(kind), 0);
        if (length >= 20 && GameRandom() % 100 > Stat(p, kResilienceStat))
            ApplyInjuryDamage(p, int16_t(kind));
    }
}

void Workload(uint16_t p, int workload) {
    SetPlayerField105(p,
                      int16_t(std::clamp(int(GetPlayerField105(p)) + workload + GameRandom() % 10, 0, 63)));
    SetPlayerFitness(p, int16_t(std::clamp(int(GetPlayerFitness(p)) + workload / 2, 0, 63)));
}

// --- one player of the full job -------------------------------------------

struct JobContext {
    int16_t club;
    int16_t opponent;
    int16_t side;
    int16_t competition;
    int own;
    int opp;
    int lossWeight;
    int broadcast;  // B = broadcast flag + 1
};

// The liking the player has least of: 0 left, 1 right, 2 central; -1
// when he likes every role.
int ExaminedRole(uint16_t p) {
    if (GetPlayerSetting3(p) < 3) return 0;
    if (GetPlayerSetting1(p) < 3) return 1;
    if (GetPlayerSetting2(p) < 3) return 2;
    return -1;
}

void RoleFeedback(uint16_t p, int slot, const Report& r, const JobContext& job) {
    const int role = ExaminedRole(p);
    if (role < 0) return;
    const int x = int16_t(recbits::LoadU16(MatchTacticRecord[job.side].bytes + slot * kTacticEntrySize + 5));
    const bool matches = role == 0 ? x <= 4 : role == 1 ? x >= 10 : x >= 5 && x <= 9;
    if (!matches) return;
    const int B = job.broadcast;
    if (r.rating > kGoodMark && GetPlayerField117(p) != 6 && GameRandom() % 50 == 0) {
        if (role == 0) SetPlayerSetting3(p, int16_t(GetPlayerSetting3(p) + 1));
        if (role == 1) SetPlayerSetting1(p, int16_t(GetPlayerSetting1(p) + 1));
        if (role == 2) SetPlayerSetting2(p, int16_t(GetPlayerSetting2(p) + 1));
        AddMorale(p, (GameRandom() % 10) * B);
        AddForm(p, (GameRandom() % 5) * B);
        ClubMessage(job.club, p, int16_t(kMsgEnjoyingLeftSide + 2 * role));
        if (role == 0) SelectedClub = uint16_t(job.club);
    } else if (r.rating < kPoorMark && GetPlayerField117(p) == 6) {
        AddMorale(p, -(GameRandom() % 10) * B);
        ClubMessage(job.club, p, int16_t(kMsgUnhappyLeftSide + 2 * role));
        if (role == 0) SelectedClub = uint16_t(job.club);
    }
}

void ResultChanges(uint16_t p, int slot, const Report& r, const JobContext& job) {
    const int B = job.broadcast;
    const int e = (63 - int(GetPlayerExperience(p))) * 5 / 100 + 2;
    const int shirt = GameInfo.I16(PlayerInfoAt(job.side, slot) + kPlayerShirt);
    const int position = GameInfo.I16(PlayerInfoAt(job.side, slot) + kPlayerPosition);
    const bool cleanSheet = job.opp == 0;
    if (job.own > job.opp) {
        PayBonus(job.club, GetPlayerClause6(p));
        if (r.goals > 0) ChangePlayerMorale(p, int16_t(r.goals * e * B));
        if (shirt == 1 && cleanSheet) ChangePlayerMorale(p, int16_t(e * B));
        if (position > 0 && position < 5 && cleanSheet) {
            ChangePlayerMorale(p, int16_t(e * B));
            AddForm(p, 4 * B);
        }
        if (r.rating > kGoodMark && shirt < 11) {
            AddFans(p, FansGain(p, 2 * B));
            if (job.side == 0) AddFans(p, FansGain(p, 5 * B));
            ChangePlayerMorale(p, int16_t(e * B));
            AddForm(p, B);
        }
        if (r.rating < kPoorMark) {
            AddFans(p, -(GameRandom() % 2) * B);
            if (job.side == 0) AddFans(p, -(GameRandom() % 5) * B);
        }
    } else if (job.own < job.opp) {
        if (r.goals > 0) ChangePlayerMorale(p, int16_t(-r.goals * e * B));
        if (r.rating > kGoodMark) {
            ChangePlayerMorale(p, int16_t(-B));
            AddForm(p, B);
            if (job.side == 0) AddFans(p, FansGain(p, 4));
        }
        if (r.rating < kPoorMark) {
            ChangePlayerMorale(p, int16_t(B));
            AddForm(p, -B);
            AddFans(p, -(GameRandom() % 3) * B * job.opp);
            if (job.side == 0) AddFans(p, -(GameRandom() % 3) * B * job.opp);
        }
        ChangePlayerMorale(p, int16_t((job.own - job.opp) * e * B));
    } else {
        if (shirt == 1 && cleanSheet) ChangePlayerMorale(p, int16_t(e * B));
        if (position > 0 && position < 5 && cleanSheet) ChangePlayerMorale(p, int16_t(e * B));
        if (r.rating < kPoorMark) {
            ChangePlayerMorale(p, int16_t(-e * B));
            AddForm(p, -B);
            AddFans(p, -B);
            AddFans(p, -(GameRandom() % 3) * B * job.opp);
            if (job.side == 0) AddFans(p, -(GameRandom() % 3) * B * job.opp);
        }
    }
}

void NationalCaps(uint16_t p, int slot, const Report& r, int16_t c) {
    const bool senior = c == kCompNationalTeam;
    if (slot <= 11) {
        if (senior) SetPlayerCaps89(p, int16_t(GetPlayerCaps89(p) + 1));
        if (!senior) SetPlayerCaps116(p, int16_t(GetPlayerCaps116(p) + 1));
        AddReputation(p, 1);
        AddForm(p, 1);
    } else {
        if (senior) SetPlayerCaps86(p, int16_t(GetPlayerCaps86(p) + 1));
        if (!senior) SetPlayerCaps113(p, int16_t(GetPlayerCaps113(p) + 1));
        if (GameRandom() % 3 == 0) AddReputation(p, 1);
    }
    if (r.goals > 0) {
        if (senior) SetPlayerIntGoals87(p, int16_t(GetPlayerIntGoals87(p) + r.goals));
        if (!senior) SetPlayerIntGoals114(p, int16_t(GetPlayerIntGoals114(p) + r.goals));
        AddReputation(p, r.goals);
        AddForm(p, 5);
    }
}

void PlayerSteps(uint16_t p, int slot, const Report& r, const JobContext& job) {
    const int16_t c = job.competition;
    const int B = job.broadcast;
    if (job.lossWeight > 0) {
        const int x = GameRandom() % 100;
        const int k = Stat(p, kSpiritStat) < x ? GameRandom() % (job.lossWeight + 1)
                                               : GameRandom() % (job.lossWeight / 2 + 1);
        AddForm(p, -k * B);
    }
    MatchImprovePlayer(p);
    if (IsNationalDay(c)) NationalCaps(p, slot, r, c);
    const bool outOfSeason = IsNationalDay(c) || c == kCompFriendly;
    if (!outOfSeason) {
        if (slot >= 1 && slot <= 10) RoleFeedback(p, slot, r, job);
        const int shirt = GetPlayerShirt(p);
        if (job.opp == 0 && GetPlayerPosition(p) == 0 && shirt < 12) {
            SetPlayerGoals(p, int16_t(GetPlayerGoals(p) + 1));
            SetPlayerCareerGoals(p, int16_t(GetPlayerCareerGoals(p) + 1));
            AddForm(p, 5);
            if (r.rating > kGoodMark) {
                AddFans(p, FansGain(p, 4));
                if (job.side == 0) AddFans(p, FansGain(p, 6));
            }
        }
        if (job.opp > 2) AddForm(p, -(job.opp - 2) * B);
        if (job.opp == 0 && shirt < 12) PayBonus(job.club, GetPlayerClause5(p));
        const int16_t cupSlot = CupTieSlot(c);
        if (cupSlot >= 0) SetPlayerCup(p, job.club, cupSlot, int16_t(GetClubNation(job.club)));

        const int n = GetPlayerApps(p) + GetPlayerAppsAsSub(p);
        const int64_t weighted = int64_t(n) * GetPlayerPerf(p);
        if (shirt <= 11) {
            SetPlayerApps(p, int16_t(GetPlayerApps(p) + 1));
            SetPlayerCareerApps(p, int16_t(GetPlayerCareerApps(p) + 1));
            AddPlayerHistoryStats(p, job.club, 1, r.goals, 0, 0);
        } else {
            SetPlayerAppsAsSub(p, int16_t(GetPlayerAppsAsSub(p) + 1));
            SetPlayerCareerAppsAsSub(p, int16_t(GetPlayerCareerAppsAsSub(p) + 1));
            AddPlayerHistoryStats(p, job.club, 0, r.goals, 0, 1);
        }
        if (GameRandom() % 25 == 0) AddExperience(p);
        if (p == ManOfTheMatch(job.side)) {
            SetPlayerMoM(p, int16_t(GetPlayerMoM(p) + 1));
            AddBidShortListPoints(p, 3);
            ScoutNotice(p, job.club, kMsgShortlistManOfTheMatch);
            ChangePlayerStatRandom(p, 3);
            AddForm(p, 5 * B);
            AddExperienceBelow12(p);
        }
        SetPlayerPerf(p, int16_t((weighted + r.rating) / (n + 1)));
        if (r.assists > 0) {
            SetPlayerAssists(p, int16_t(GetPlayerAssists(p) + r.assists));
            AddBidShortListPoints(p, r.assists);
            ScoutNotice(p, job.club, kMsgShortlistGoodGame);
            AddForm(p, 2 * B);
            AddFans(p, FansGain(p, r.assists * 2 * B));
            if (job.side == 0) AddFans(p, FansGain(p, r.assists * 3 * B));
        }
        if (r.goals > 0) {
            const int g = r.goals;
            PayBonus(job.club, int32_t(std::min<int64_t>(int64_t(g) * GetPlayerClause4(p), INT32_MAX)));
            if (GetClubRecordGoalsInGame(job.club) < g)
                SetClubRecordGoalsInGame(job.club, int16_t(g), p, job.opponent);
            const int weighted = CupGoalWeight(c, job.own > job.opp, g);
            AddFans(p, FansGain(p, weighted * 4 * B));
            if (job.side == 0) AddFans(p, FansGain(p, weighted * 3 * B));
            SetPlayerGoals(p, int16_t(GetPlayerGoals(p) + g));
            AddBidShortListPoints(p, int16_t(2 * g));
            ScoutNotice(p, job.club, kMsgShortlistScored, int16_t(kGoalCountText + g));
            ChangePlayerStatRandom(p, 2);
            SetPlayerCareerGoals(p, int16_t(GetPlayerCareerGoals(p) + g));
            if (GetClubRecordGoals(job.club) < GetPlayerGoals(p))
                SetClubRecordGoals(job.club, p, int16_t(GetPlayerGoals(p)));
            if (g > 2) {
                AddReputation(p, B);
                AddExperienceBelow12(p);
            }
        }
        if (r.cards > 0) {
            const int dispoints = GetClubSeasonDispoints(job.club) + r.cards;
            SetClubSeasonDispoints(job.club, int16_t(dispoints));
            if (GetClubSeasonDispoints(job.club) > GetClubRecordDispoints(job.club))
                SetClubRecordDispoints(job.club, int16_t(GetClubSeasonDispoints(job.club)));
            if (IsEuropean(c)) {
                if (r.cards == 1) SetPlayerEuroDispoints(p, int16_t(GetPlayerEuroDispoints(p) + 1));
                if (r.cards >= 2) SetPlayerEuroDispoints(p, 3);
                if (r.cards == 3 && job.side == 0) AddFans(p, FansGain(p, 5));
            } else {
                DomesticCards(p, job.club, r.cards, job.side, true);
            }
        }
        if (c < kCompFriendly) ResultChanges(p, slot, r, job);
    }
    Workload(p, r.workload);
    MatchFatigue(p, job.side, slot);
    MatchInjury(p, job.club, r.injury);
}

// --- the manager's fans ---------------------------------------------------

void ManagerFans(const JobContext& job, int16_t home, int16_t away, int hg, int ag) {
    int nh = HVW_GetClubTablePosition(home) + 10;
    int na = HVW_GetClubTablePosition(away) + 10;
    const int rh = HVW_FindClubInDivisionRows(home);
    const int ra = HVW_FindClubInDivisionRows(away);
    if (rh > ra) na += 16 * (rh - ra);
    if (rh < ra) nh += 16 * (ra - rh);
    int f = job.side == 0 ? (nh * (2 * hg + 1) - na * (2 * ag + 1)) / 16
                          : (na * (2 * ag + 1) - nh * (2 * hg + 1)) / 24;
    if (job.own > job.opp && f < 0) f = 1;
    if (job.broadcast == 2) f *= 2;
    if (HVW_GetClubTablePosition(job.club) < int(GetClubBaseRep(job.club))) f *= 2;
    // The manager stands in the last place of the side's sheet.
    const uint16_t onSheet = TeamSheet[job.side][kManagerSlot];
    const uint16_t manager = onSheet != 0 ? onSheet : FindClubManager(job.club);
    if (manager != kNoManager && IsPlayerNumber(manager)) AddFans(manager, f);
}

int LossWeight(const JobContext& job, int16_t home, int16_t away) {
    if (job.own >= job.opp) return 0;
    int w = (job.opp - job.own) * (job.opp - job.own);
    const int d = job.side == 0 ? int(GetClubDivision(away)) - int(GetClubDivision(home))
                                : int(GetClubDivision(home)) - int(GetClubDivision(away));
    if (d > 0) w *= job.side == 0 ? 2 * d : d;
    return w;
}

}  // namespace

void PostMatchClubJob(int16_t club, int16_t side, int16_t c, int16_t slot) {
    if (side != 0 && side != 1) return;
    const int hg = Goals(0);
    const int ag = Goals(1);
    const bool national = IsNationalDay(c);
    bool lineUp = false;
    if (c < kCompFriendly) {
        if (slot < 0 || slot >= kFixtureSlots) {
            std::printf("Invalid fixture slot no. %d\n", slot);
            FatalExit(__func__);
        }
        lineUp = true;
        HVW_ClearLineUp(slot, side);
    }
    const bool knownSlot = slot >= 0 && slot < kFixtureSlots;
    const int16_t home = knownSlot ? FixtureHome(slot) : (side == 0 ? club : int16_t(-1));
    const int16_t away = knownSlot ? FixtureAway(slot) : (side == 1 ? club : int16_t(-1));
    JobContext job{club, side == 0 ? away : home, side, c, side == 0 ? hg : ag, side == 0 ? ag : hg, 0, 1};
    if (knownSlot && (FixtureScore(slot) & kFixtureBroadcastBit) != 0) job.broadcast = 2;
    // On national-team days the clubs are nations: only the players' steps.
    if (!national && IsClubNumber(club) && IsClubNumber(home) && IsClubNumber(away)) {
        job.lossWeight = LossWeight(job, home, away);
        ManagerFans(job, home, away, hg, ag);
        if (GetClubControl(club) != 0) FillMatchColumns(side, 0);
    }
    for (int slotIndex = 0; slotIndex < kSheetSlots; ++slotIndex) {
        MatchFrameTimer();
        const uint16_t p = TeamSheet[side][slotIndex];
        if (p == 0) continue;
        const Report r = ReadReport(side, slotIndex);
        // A rating of 0 is a player who did not play; a negative one (-1,
        // not in the match squad) is none either.
        if (r.rating > 0) PlayerSteps(p, slotIndex, r, job);
        if (lineUp && club >= 0 && slotIndex < kFixtureLineUpEntries)
            HVW_StoreLineUpEntry(slot, side, int16_t(slotIndex), &MatchResult.teams[side]);
    }
    if (c >= kCompFriendly || national || !IsClubNumber(club)) return;
    if (hg > ag && side == 0) {
        CheckRecordWin(home, away, int16_t(hg), int16_t(ag));
        CheckRecordDefeat(away, home, int16_t(ag), int16_t(hg));
    } else if (ag > hg && side == 1) {
        CheckRecordDefeat(home, away, int16_t(hg), int16_t(ag));
        CheckRecordWin(away, home, int16_t(ag), int16_t(hg));
    }
    ClubRecord* record = GetClubRecordAddress(club);
    HVW_AppendMatchEntries(record, &MatchResult.teams[side], side, &MatchResult);
    HVW_AppendMatchPairs(record, &MatchResult.teams[side]);
    HVW_AddMatchCounters(record, &MatchResult.teams[side], side);
}

void PostMatchClubJobShort(int16_t club, int16_t side, int16_t, int16_t) {
    if (side != 0 && side != 1) return;
    const int own = Goals(side);
    const int opp = Goals(1 - side);
    if (IsClubNumber(club) && GetClubControl(club) != 0) FillMatchColumns(side, 2);
    for (int slot = 0; slot < kSheetSlots; ++slot) {
        MatchFrameTimer();
        const uint16_t p = TeamSheet[side][slot];
        if (p == 0) continue;
        const Report r = ReadReport(side, slot);
        if (r.rating <= 0) continue;
        MatchImprovePlayer(p);
        const int n = GetPlayerField108A(p) + GetPlayerField108B(p);
        const int64_t weighted = int64_t(n) * GetPlayerPerf2(p);
        const int shirt = GetPlayerIntShirt(p);
        if (opp == 0 && GetPlayerPosition(p) == 0 && shirt < 12) {
            SetPlayerGoals2(p, int16_t(GetPlayerGoals2(p) + 1));
            AddForm(p, 1);
        }
        if (opp > 2) AddForm(p, -(opp - 2));
        if (shirt <= 11) {
            SetPlayerField108A(p, int16_t(GetPlayerField108A(p) + 1));
            AddPlayerHistoryStats(p, club, 1, r.goals, 1, 0);
        } else {
            SetPlayerField108B(p, int16_t(GetPlayerField108B(p) + 1));
            AddPlayerHistoryStats(p, club, 0, r.goals, 1, 1);
        }
        SetPlayerPerf2(p, int16_t((weighted + r.rating) / (n + 1)));
        if (GameRandom() % 50 == 0) AddExperience(p);
        if (p == ManOfTheMatch(side)) AddForm(p, 5);
        if (r.assists > 0) {
            SetPlayerAssists2(p, int16_t(GetPlayerAssists2(p) + r.assists));
            AddForm(p, 1);
        }
        if (r.goals > 0) {
            SetPlayerGoals2(p, int16_t(GetPlayerGoals2(p) + r.goals));
            ScoutNotice(p, club, kMsgShortlistScoredForReserves, int16_t(kGoalCountText + r.goals));
            AddBidShortListPoints(p, r.goals);
            if (r.goals > 2) AddReputation(p, 1);
        }
        if (r.cards > 0) DomesticCards(p, club, r.cards, side, false);
        const int e = (63 - int(GetPlayerExperience(p))) * 5 / 100 + 2;
        const int pShirt = GameInfo.I16(PlayerInfoAt(side, slot) + kPlayerShirt);
        const int position = GameInfo.I16(PlayerInfoAt(side, slot) + kPlayerPosition);
        if (own > opp) {
            if (r.goals > 0) ChangePlayerMorale(p, int16_t(r.goals * e));
            if (pShirt == 1 && opp == 0) ChangePlayerMorale(p, int16_t(e));
            if (position > 0 && position < 5 && opp == 0) {
                ChangePlayerMorale(p, int16_t(e));
                AddForm(p, 1);
            }
            if (r.rating > kGoodMark && pShirt < 11) {
                ChangePlayerMorale(p, int16_t(e));
                AddForm(p, 1);
            }
        } else if (own < opp) {
            if (r.rating > kGoodMark) AddForm(p, 1);
            if (r.rating < kPoorMark) {
                ChangePlayerMorale(p, 1);
                AddForm(p, -1);
            }
            ChangePlayerMorale(p, int16_t((own - opp) * e));
        } else {
            if (pShirt == 1 && opp == 0) ChangePlayerMorale(p, int16_t(e));
            if (position > 0 && position < 5 && opp == 0) ChangePlayerMorale(p, int16_t(e));
            if (r.rating < kPoorMark) AddForm(p, -1);
        }
        Workload(p, r.workload);
        if (r.workload > 0) {
            const int age = GetPlayerAge(p);
            const int x = (60 - int(GetPlayerFatigue(p))) * 3 * r.workload / 100;
            int y = 0;
            if (x != 0) {
                y = std::min(age * age * x / 100, 25);
                if (y != 0) y += GameRandom() % y;
                y = y * FatigueScale / 100;
            }
            SetPlayerFatigue(p, int16_t(std::clamp(y / 2, 0, 63)));
        }
        if (r.injury > 1 && (MatchDayMode != 0 || GameRandom() % 100 < 30))
            InjurePlayerRandom(p, r.injury, club);
    }
}

void CheckDisciplinaryThresholds(uint16_t player, int16_t oldUnits) {
    if (!IsPlayerNumber(player)) return;
    const int now = GetPlayerDispoints(player);
    for (const DisciplinaryThreshold& t : DisciplinaryThresholds) {
        if (oldUnits >= t.units || now < t.units) continue;
        StartBan(player, t.ban);
        const uint16_t club = GetPlayerClub(player);
        AddMessage(IsClubNumber(club) ? int16_t(club) : int16_t(-1), -1, player, kNoPlayerArg, -1, -1, -1, -1,
                   -1, t.ban, t.points, kMsgBanned, 1, 0);
        return;
    }
}

namespace {

// The first season's records start from nothing: only a record of a later
// season is news, and only it moves the club's reputation.
bool RecordCounts() { return SeasonCalendar.season > 0; }

void RecordMatchMessage(int16_t club, int16_t opponent, int16_t goalsFor, int16_t goalsAgainst,
                        int16_t type) {
    AddMessage(club, opponent, kNoPlayerArg, kNoPlayerArg, -1, -1, -1, -1, -1, goalsFor, goalsAgainst, type,
               1, 0);
}

}  // namespace

void CheckRecordWin(int16_t club, int16_t opponent, int16_t f, int16_t a) {
    if (!IsClubNumber(club)) return;
    const int recordFor = GetClubRecordWinGoalsFor(club);
    const int recordAgainst = GetClubRecordWinGoalsAgainst(club);
    const bool record = f - a > recordFor - recordAgainst ||
                        (f - a == recordFor - recordAgainst && f + a > recordFor + recordAgainst);
    if (!record) return;
    SetClubRecordWin(club, f, a, opponent);
    if (!RecordCounts()) return;
    RecordMatchMessage(club, opponent, f, a, kMsgRecordWin);
    SetClubRep(club, int16_t(std::min<int>(GetClubRep(club) + 1, 63)));
}

// A league club keeps a reputation of at least 1: 0 marks a club that
// takes no part in the game.
void CheckRecordDefeat(int16_t club, int16_t opponent, int16_t f, int16_t a) {
    if (!IsClubNumber(club)) return;
    const int recordFor = GetClubRecordDefeatGoalsFor(club);
    const int recordAgainst = GetClubRecordDefeatGoalsAgainst(club);
    const bool record = a - f > recordAgainst - recordFor ||
                        (a - f == recordAgainst - recordFor && f + a > recordFor + recordAgainst);
    if (!record) return;
    SetClubRecordDefeat(club, f, a, opponent);
    if (!RecordCounts()) return;
    RecordMatchMessage(club, opponent, f, a, kMsgRecordDefeat);
    const int lowest = IsLeagueClub(club) ? 1 : 0;
    SetClubRep(club, int16_t(std::max<int>(int(GetClubRep(club)) - 1, lowest)));
}
