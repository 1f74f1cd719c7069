#include "core/club/training.h"

#include <algorithm>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/injuries.h"
#include "core/club/squads.h"
#include "core/query/codetexts.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int kNoCounter = -1;

// Attributes with a part of their own in training.
constexpr int kGeneralWork[4] = {kIntelligenceStat, kControlStat, kResilienceStat, kConsistencyStat};

int Stat(uint16_t player, int stat) { return GetPlayerStat(player, int16_t(stat), 0); }
int Draw(int n) { return GameRandom() % n; }
bool OneIn(int n) { return Draw(n) == 0; }

// Improvement counter of each attribute 0..27 that training can raise.
constexpr int kCounterOfStat[28] = {8, 9,  10, 11, 12, 13, 15, 14, 0, 1,  2,  3,  4,  5,
                                    6, -1, -1, -1, -1, 16, -1, -1, 7, -1, -1, -1, -1, -1};

uint8_t* Record(int16_t record) { return TrainingRecords[record].bytes; }
uint16_t RecordKind(int16_t record, int offset) { return recbits::LoadU16(Record(record) + offset); }
void SetRecordKind(int16_t record, int offset, uint16_t kind) {
    recbits::StoreU16(Record(record) + offset, kind);
}

// Raises the attribute by one; true when it really rose (the setter keeps
// an attribute at the top of its range).
bool RaiseStat(uint16_t player, int stat) {
    const int before = Stat(player, stat);
    SetPlayerStat(player, int16_t(stat), int16_t(before + 1));
    return Stat(player, stat) > before;
}

// A raise that counts in the record's improvement counter.
void RaiseCounted(int16_t record, uint16_t player, int stat) {
    if (!RaiseStat(player, stat)) return;
    const int counter = kCounterOfStat[stat];
    if (counter == kNoCounter) return;
    uint8_t& count = Record(record)[kTrainingCounters + counter];
    if (count < 255) ++count;
}

void AddFatigue(uint16_t player, int change) {
    SetPlayerFatigue(player, int16_t(GetPlayerFatigue(player) + change));
}
void AddFitness(uint16_t player, int change) {
    SetPlayerFitness(player, int16_t(GetPlayerFitness(player) + change));
}
void AddMorale(uint16_t player, int change) {
    SetPlayerMorale(player, int16_t(GetPlayerMorale(player) + change));
}
void AddField105(uint16_t player, int change) {
    SetPlayerField105(player, int16_t(GetPlayerField105(player) + change));
}
void AddField118(uint16_t player, int change) {
    SetPlayerField118(player, int16_t(GetPlayerField118(player) + change));
}

void Rest(uint16_t player) { AddFatigue(player, -Draw(5)); }

// The attribute a skill kind 0-3 raises for the pick, -1 for other kinds.
int SkillStat(uint16_t player, int kind, int pick) {
    constexpr int kKeeper[4] = {kKeepingStat, kKeepingStat, kAgilityStat, kAgilityStat};
    constexpr int kSkills[4][4] = {{kShootingStat, kComposureStat, kAgilityStat, kDribbleStat},
                                   {kPassingStat, kVisionStat, kPassingStat, kDeadballStat},
                                   {kAgilityStat, kPaceStat, kIntelligenceStat, kControlStat},
                                   {kStaminaStat, kPowerStat, kAggressionStat, kHeadingStat}};
    if (kind < 0 || kind > 3) return -1;
    if (kind == 0 && GetPlayerPosition2(player) == 0) return kKeeper[pick];
    return kSkills[kind][pick];
}

// Kinds 9-21: the attributes each pick raises; kinds 9-20 retrain the
// player for the position beside them.
struct PositionWork {
    int stats[4];
    int16_t target;
};
constexpr int kFirstPositionKind = 9;
constexpr PositionWork kPositionWork[] = {
    {{kTacklingStat, kPassingStat, kTacklingStat, kPaceStat}, 1},
    {{kTacklingStat, kHeadingStat, kTacklingStat, kPowerStat}, 2},
    {{kTacklingStat, kHeadingStat, kTacklingStat, kPassingStat}, 4},
    {{kTacklingStat, kPaceStat, kTacklingStat, kPassingStat}, 3},
    {{kTacklingStat, kPassingStat, kPassingStat, kPowerStat}, 5},
    {{kTacklingStat, kPowerStat, kPassingStat, kSpiritStat}, 6},
    {{kPassingStat, kVisionStat, kPassingStat, kDeadballStat}, 7},
    {{kPassingStat, kShootingStat, kDribbleStat, kPowerStat}, 8},
    {{kPassingStat, kDribbleStat, kPaceStat, kDribbleStat}, 9},
    {{kPassingStat, kShootingStat, kHeadingStat, kPowerStat}, 10},
    {{kShootingStat, kShootingStat, kHeadingStat, kPowerStat}, 11},
    {{kShootingStat, kShootingStat, kIntelligenceStat, kComposureStat}, 12},
    {{kTacklingStat, kSpiritStat, kTacklingStat, kComposureStat}, -1},
};
static_assert(std::size(kPositionWork) == kTrainingKinds - kFirstPositionKind);

// The side skills of kinds 5, 6 and 7: the setting that rises and the text
// naming it.
struct SideSkill {
    uint16_t (*get)(uint16_t);
    void (*set)(uint16_t, int16_t);
    int16_t text;
};
constexpr int kFirstSideKind = 5;
constexpr SideSkill kSideSkills[] = {
    {GetPlayerSetting3, SetPlayerSetting3, 686},
    {GetPlayerSetting1, SetPlayerSetting1, 847},
    {GetPlayerSetting2, SetPlayerSetting2, 848},
};
constexpr int kSideSkillMaximum = 3;

// A kind that has done its work turns into general training.
void RetireKind(int16_t record, uint16_t kind) {
    for (int offset : {kTrainingRegular, kTrainingExtra}) {
        if (RecordKind(record, offset) == kind) SetRecordKind(record, offset, uint16_t(kTrainingGeneral));
    }
}

void PostTrainingNews(int16_t type, uint16_t player, int16_t text1, int16_t text2) {
    const uint16_t club = GetPlayerClub(player);
    AddMessage(IsClubNumber(club) ? int16_t(club) : int16_t(-1), -1, player, kNoPlayer, -1, -1, -1, text1,
               text2, int32_t(GetPlayerAge(player)) + 16, -1, type, 1, 0);
}

int16_t GroupText(uint16_t player) { return int16_t(kTextFirstPositionType + HVW_GetPositionType(player)); }

void LearnSideSkill(int16_t record, uint16_t player, uint16_t kind) {
    const SideSkill& skill = kSideSkills[kind - kFirstSideKind];
    PostTrainingNews(kMsgSkillImproved, player, GroupText(player), skill.text);
    skill.set(player, int16_t(skill.get(player) + 1));
    if (skill.get(player) == kSideSkillMaximum) RetireKind(record, kind);
}

void WorkOnPosition(int16_t record, uint16_t player, uint16_t kind, int pick, int16_t bestRole) {
    const PositionWork& work = kPositionWork[kind - kFirstPositionKind];
    RaiseCounted(record, player, work.stats[pick]);
    const int16_t position = int16_t(GetPlayerPosition2(player));
    if (work.target < 0 || bestRole == position || bestRole != work.target) return;
    PostTrainingNews(kMsgRetrained, player, GroupText(player), GetPositionNameTextId(work.target));
    SetPlayerPosition(player, work.target);
    RetireKind(record, kind);
}

// Fit and not away with his country.
bool FitToTrain(uint16_t player) {
    return IsPlayerNumber(player) && GetPlayerIT(player) == 0 && GetPlayerIntDuty(player) == 0;
}
// Fit, home and playing for the club.
bool TrainsToday(uint16_t player, int16_t club) {
    return FitToTrain(player) && GetPlayerClub(player) == uint16_t(club);
}

void CloseSeasonDay(uint16_t player) {
    AddField105(player, -Draw(3));
    AddFitness(player, -Draw(2));
    const int age = GetPlayerAge(player);
    constexpr int kYoungAge = 4;
    if (age < kYoungAge) {
        const int draw = Draw(2);
        AddFatigue(player, age - draw);
    } else {
        AddFatigue(player, -Draw(5));
    }
    AddField118(player, -Draw(2));
}

void TrainingInjuryOneIn(uint16_t player, int odds) {
    if (OneIn(odds)) RandomTrainingInjury(player);
}

void TrainRecord(int16_t record, uint16_t player) {
    const int a = DevelopmentInterval(player), b = FatigueInterval(player);
    const uint16_t kindA = RecordKind(record, kTrainingRegular), kindB = RecordKind(record, kTrainingExtra);
    const int prone = Stat(player, kResilienceStat);
    if (kindA == kTrainingRest) {
        AddField105(player, -Draw(3));
        AddFitness(player, -Draw(2));
        Rest(player);
    } else {
        AddFitness(player, Draw(3));
        TrainingInjuryOneIn(player, prone + 200);
    }
    if (kindB != kTrainingRest) {
        AddFitness(player, Draw(3));
        TrainingInjuryOneIn(player, prone + 100);
    }
    if (kindA != kTrainingRest && kindB != kTrainingRest) {
        if (OneIn((100 - Stat(player, kProfessionalismStat)) / 5 + 1)) AddField118(player, -Draw(5));
        AddMorale(player, Draw(2));
        if (OneIn(b)) AddFatigue(player, Draw(7));
    }
    if (OneIn(a)) {
        const int16_t pick = int16_t(Draw(4));
        DevelopPlayerAttributes(record, pick, kindA);
        DevelopPlayerAttributes(record, pick, kindB);
    }
}

void TrainYouthPlayer(uint16_t player) {
    AddMorale(player, 10);
    AddFitness(player, Draw(3));
    if (!OneIn(DevelopmentInterval(player))) return;
    // Each injury draw reads stat 12 as the raise before it left it.
    RaiseStat(player, kGeneralWork[Draw(4)]);
    TrainingInjuryOneIn(player, Stat(player, kResilienceStat) + 200);
    RaiseStat(player, kGeneralWork[Draw(4)]);
    TrainingInjuryOneIn(player, Stat(player, kResilienceStat) + 100);
}

// The kind a computer player works on, from his position and attributes;
// -1 for none.
int ComputerKind(uint16_t player) {
    auto s = [player](int stat) { return Stat(player, stat); };
    switch (GetPlayerPosition2(player)) {
        case 0:
            return 0;
        case 1:
        case 3:
            return s(8) >= 2 * s(10) ? 3 : -1;
        case 2:
        case 4:
            return s(10) > s(8) ? -1 : 3;
        case 5:
            return s(3) < 2 * s(10) ? 1 : 3;
        case 6:
            return s(10) > s(3) ? 1 : 3;
        case 7:
            return s(3) < 3 * s(9) ? 1 : 2;
        case 8:
            return s(4) > s(3) ? 1 : 0;
        case 9:
            return s(3) < 3 * s(10) ? 2 : 0;
        case 10:
            return s(10) > s(4) ? 4 : 3;
        case 11:
            return s(4) < 2 * s(10) ? 4 : 3;
        case 12:
            return s(9) > s(4) ? 4 : 2;
        default:
            return -1;
    }
}

void ComputerTrainingRound(uint16_t player, int a) {
    Rest(player);
    AddFitness(player, Draw(3));
    if (GetPlayerFlag95(player)) AddMorale(player, 10);
    constexpr int kTired = 15;
    if (GetPlayerFatigue(player) > kTired) {
        ComputerDevelopPlayer(player, int16_t(Draw(4)), kTrainingRest);
        return;
    }
    if (!OneIn(a)) return;
    constexpr int kStrongEnough = 90, kUnsettled = 12;
    if (Stat(player, kConsistencyStat) < kStrongEnough || GetPlayerField118(player) > kUnsettled) {
        ComputerDevelopPlayer(player, int16_t(Draw(4)), kTrainingGeneral);
        return;
    }
    TrainingInjuryOneIn(player, Stat(player, kResilienceStat) + 200);
    const int kind = ComputerKind(player);
    if (kind >= 0) ComputerDevelopPlayer(player, int16_t(Draw(4)), int16_t(kind));
}

}  // namespace

int16_t TrainingCounterOfStat(int stat) {
    if (stat < 0 || stat >= int(std::size(kCounterOfStat))) return kNoCounter;
    return int16_t(kCounterOfStat[stat]);
}

int16_t DevelopmentInterval(uint16_t player) {
    const int age = GetPlayerAge(player);
    const int ageTerm = std::max(15, (age / 2) * age + 10);
    // The product is a 16-bit word before the division.
    const int16_t product = int16_t((101 - Stat(player, kAbilityStat)) * ageTerm);
    return int16_t(std::max(21, product / 50));
}

int16_t FatigueInterval(uint16_t player) {
    const int age = GetPlayerAge(player);
    return int16_t(std::max(1, (101 - Stat(player, kStaminaStat)) * std::max(1, 30 - age) / 50));
}

void ProcessSquadTrainingDay() {
    const int16_t user = GetUserClub();
    if (!IsClubNumber(user)) return;
    const uint16_t nation = GetClubNation(user);
    const bool closeSeason =
        nation < kCountryCount && SeasonCalendar.currentDay > SeasonCalendar.leagueEndDay[nation];
    for (int16_t record = 0; record < kTrainingRecords; ++record) {
        const uint16_t player = GetTrainingRecordPlayer(record);
        if (player == 0 || !TrainsToday(player, user)) continue;
        if (closeSeason)
            CloseSeasonDay(player);
        else
            TrainRecord(record, player);
    }
    // The youth team trains every day, the close season too.
    for (const uint16_t player : ClubRoster[user]) {
        if (player != 0 && TrainsToday(player, user) && GetPlayerFlag95(player)) TrainYouthPlayer(player);
    }
}

void DevelopPlayerAttributes(int16_t record, int16_t pick, uint16_t kind) {
    if (record < 0 || record >= kTrainingRecords || pick < 0 || pick > 3) return;
    const uint16_t player = GetTrainingRecordPlayer(record);
    if (player == 0 || !IsPlayerNumber(player)) return;
    const int16_t bestRole = BestRoleForPlayer(player);
    if (const int stat = SkillStat(player, kind, pick); stat >= 0) {
        RaiseCounted(record, player, stat);
    } else if (kind == kTrainingRest) {
        Rest(player);
    } else if (kind >= kFirstSideKind && kind < kFirstSideKind + 3) {
        if (pick == 1) LearnSideSkill(record, player, kind);
    } else if (kind == kTrainingGeneral) {
        RaiseCounted(record, player, kGeneralWork[pick]);
    } else if (kind >= kFirstPositionKind && kind < kTrainingKinds) {
        WorkOnPosition(record, player, kind, pick, bestRole);
    }
}

const int16_t PositionSuitability[kPositionCodes][kPositionSuitabilityWords] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 1, 0, 4, 1, 0, 0, 1, 0, 4, 0, 0},
    {0, 0, 1, 2, 2, 0, 0, 0, 0, 5, 0, 1}, {1, 1, 0, 4, 0, 0, 1, 1, 0, 3, 1, 0},
    {0, 0, 1, 0, 2, 2, 0, 1, 0, 4, 1, 0}, {0, 0, 1, 0, 2, 2, 0, 4, 0, 2, 0, 0},
    {0, 0, 1, 0, 5, 0, 0, 3, 0, 2, 0, 0}, {0, 0, 1, 0, 0, 5, 0, 5, 0, 0, 0, 0},
    {0, 0, 1, 1, 1, 2, 1, 2, 2, 0, 1, 0}, {1, 1, 0, 4, 0, 0, 1, 1, 1, 0, 3, 0},
    {0, 0, 1, 0, 2, 2, 0, 1, 3, 0, 0, 2}, {0, 0, 1, 3, 3, 0, 0, 0, 4, 0, 0, 0},
    {0, 0, 1, 3, 1, 0, 2, 0, 4, 0, 1, 0},
};

int16_t PositionSuitability_Score(uint16_t player, int16_t position) {
    if (position < 0 || position >= kPositionCodes) return 0;
    constexpr int kWeightedStats[9] = {kPaceStat,     kPowerStat,    kVisionStat,  kAgilityStat, kPassingStat,
                                       kShootingStat, kTacklingStat, kDribbleStat, kHeadingStat};
    const int16_t* row = PositionSuitability[position];
    int16_t setting = 0;
    if (row[0] != 0) {
        setting = int16_t(GetPlayerSetting3(player));
    } else if (row[1] != 0) {
        setting = int16_t(GetPlayerSetting1(player));
    } else if (row[2] != 0) {
        setting = int16_t(GetPlayerSetting2(player));
    }
    int16_t score = int16_t(33 * setting);
    for (int i = 0; i < 9; ++i) score = int16_t(score + row[3 + i] * (Stat(player, kWeightedStats[i]) / 10));
    return score;
}

int16_t BestRoleForPlayer(uint16_t player) {
    int16_t best = 0, bestScore = 1;
    for (int16_t role = 1; role < 13; ++role) {
        const int16_t score = PositionSuitability_Score(player, role);
        if (score > bestScore) {
            best = role;
            bestScore = score;
        }
    }
    return best;
}

void ComputerDevelopPlayer(uint16_t player, int16_t pick, int16_t kind) {
    if (!IsPlayerNumber(player) || player == 0 || pick < 0 || pick > 3) return;
    if (const int stat = SkillStat(player, kind, pick); stat >= 0) {
        RaiseStat(player, stat);
    } else if (kind == kTrainingRest) {
        Rest(player);
    } else if (kind == kTrainingGeneral) {
        RaiseStat(player, kGeneralWork[pick]);
        AddField118(player, -Draw(2));
    }
}

void ApplyTrainingEffects(int16_t club, int16_t count) {
    if (!IsClubNumber(club)) return;
    // Every player of the roster: those the club has out on loan as well.
    for (const uint16_t player : ClubRoster[club]) {
        if (player == 0 || !FitToTrain(player)) continue;
        const int a = DevelopmentInterval(player);
        for (int round = 0; round < count; ++round) ComputerTrainingRound(player, a);
    }
}
