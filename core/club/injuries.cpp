#include "core/club/injuries.h"

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/coaching.h"
#include "core/club/development.h"
#include "core/club/markethelpers.h"
#include "core/club/shortlist.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/query/layerstate.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

void ChangePlayerStatRandom(uint16_t player, int16_t n) {
    // No rise to draw from: a draw modulo 0 or less has no meaning.
    if (n <= 0) return;
    int chance = GetPlayerStat(player, kAmbitionStat, 0) / 5 + 1;
    if (GameRandom() % chance != 0) return;
    SetPlayerField118(player, int16_t(GetPlayerField118(player) + GameRandom() % n));
}

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;

constexpr int16_t kAbsenceTextBase = 359;

constexpr int16_t kRefusesToPlay = 1;
constexpr int16_t kFatigueAbsence = 8;
constexpr int16_t kPlayerHistoryInjury = 4;
constexpr int16_t kSmallestIllSquad = 16;
constexpr int16_t kSquadSparingTraining = 20;
constexpr int16_t kFitToPlay = 48;
constexpr int16_t kLongInjury = 20;

int16_t AbsenceMessage(int16_t type, int16_t flag) {
    if (type >= 2 && type <= 7) return kMsgIllness;
    if (type >= 10 && type <= 37) return flag != 0 ? kMsgInjuryFlagged : kMsgInjury;
    return -1;
}

int32_t AgeInYears(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

void PostAbsenceNews(int16_t type, int16_t club, uint16_t player, uint32_t other, int16_t text) {
    AddMessage(club, -1, player, other, -1, -1, -1, text, -1, AgeInYears(player), -1, type, kScope, 0);
}

bool PlaysAtClub(uint16_t player) { return IsClubNumber(GetPlayerClub(player)); }

}  // namespace

void InjurePlayer(uint16_t player, int16_t duration, int16_t type, int16_t flag) {
    if (!IsPlayerNumber(player)) {
        DebugLog(DEBUG_GENERAL, 1, "InjurePlayer Error: bad player '%d'\n", int(player));
        return;
    }
    if (type < 0 || type >= kInjuryTypes) {
        DebugLog(DEBUG_GENERAL, 1, "InjurePlayer Error: bad injury type '%d'\n", int(type));
        return;
    }
    if (duration < 0) duration = 0;
    const int16_t club = int16_t(GetPlayerClub(player));
    if (duration > 8) {
        if (type != kFatigueAbsence) AddClubHistoryEntry(player, club, 0, uint16_t(type), kClubHistoryInjury);
        const int16_t loss = int16_t(GameRandom() % (duration / 2));
        SetPlayerStat(player, kAbilityStat, int16_t(GetPlayerStat(player, kAbilityStat, 0) - loss));
    }
    if (duration > 3) {
        AddPlayerHistoryStats(player, club, 0, type, kPlayerHistoryInjury, HVW_GetViewedCountry());
    }
    SetPlayerIP(player, duration);
    SetPlayerIT(player, type);
    SquadRec_UpdatePlayer(player, duration, type);
    const int16_t message = AbsenceMessage(type, flag);
    if (message < 0) return;
    const int32_t length = message == kMsgIllness ? -1 : duration;
    AddMessage(club, -1, player, kNoPlayer, -1, -1, -1, int16_t(kAbsenceTextBase + type), -1,
               AgeInYears(player), length, message, kScope, 0);
}

void InjurePlayerRandom(uint16_t player, int16_t kind, int16_t club) {
    if (!IsPlayerNumber(player) || kind < 2 || kind >= kInjuryTypes || InjurySeverity(kind) == 0) {
        DebugLog(DEBUG_GENERAL, 1, "InjurePlayerRandom Error: bad player '%d' or kind '%d'\n", int(player),
                 int(kind));
        return;
    }
    const int16_t length = DrawInjuryDuration(kind);
    InjurePlayer(player, length, kind, 0);
    if (ShortList_IsPlayerOn(player) != 0) {
        const int16_t user = GetUserClub();
        if (user >= 0) {
            AddMessage(user, club, player, kNoPlayer, -1, -1, -1, int16_t(kAbsenceTextBase + kind),
                       PositionText(player), AgeInYears(player), length, kMsgShortlistInjury, kScope, 0);
        }
    }
    if (length >= kLongInjury && GameRandom() % 100 > GetPlayerStat(player, kResilienceStat, 0)) {
        InjuryAttributeLoss(player, kind);
    }
}

namespace {

constexpr uint32_t InjuryEntry(uint32_t base, uint32_t contagious, uint32_t odds) {
    return base | contagious << 8 | odds << 9;
}

}  // namespace

const uint32_t InjuryTable[kInjuryTypes] = {
    0,                       // 0 fit
    0,                       // 1 refuses to play
    InjuryEntry(1, 1, 500),  // 2..7 illnesses and knocks
    InjuryEntry(1, 1, 100),
    InjuryEntry(1, 0, 1000),
    InjuryEntry(25, 0, 10000),
    InjuryEntry(3, 0, 5000),
    InjuryEntry(2, 0, 5000),
    InjuryEntry(2, 0, 5000),  // 8 worn out
    InjuryEntry(1, 0, 200),   // 9..37 match and training injuries
    InjuryEntry(1, 0, 200),
    InjuryEntry(1, 0, 200),
    InjuryEntry(1, 0, 200),
    InjuryEntry(1, 0, 200),
    InjuryEntry(2, 0, 200),
    InjuryEntry(52, 0, 2200),
    InjuryEntry(5, 0, 400),
    InjuryEntry(3, 0, 350),
    InjuryEntry(1, 0, 350),
    InjuryEntry(4, 0, 300),
    InjuryEntry(2, 0, 200),
    InjuryEntry(4, 0, 200),
    InjuryEntry(4, 0, 200),
    InjuryEntry(8, 0, 500),
    InjuryEntry(6, 0, 400),
    InjuryEntry(4, 0, 200),
    InjuryEntry(20, 0, 1000),
    InjuryEntry(1, 0, 200),
    InjuryEntry(1, 0, 200),
    InjuryEntry(1, 0, 200),
    InjuryEntry(7, 0, 400),
    InjuryEntry(8, 0, 500),
    InjuryEntry(2, 0, 200),
    InjuryEntry(36, 0, 1800),
    InjuryEntry(2, 0, 200),
    InjuryEntry(4, 0, 300),
    InjuryEntry(2, 0, 200),
    InjuryEntry(12, 0, 700),
    0,
    0,
};

int16_t InjurySeverity(int type) {
    if (type < 0 || type >= kInjuryTypes) return 0;
    return int16_t(InjuryTable[type] & 0xFF);
}

int32_t InjuryOdds(int type) {
    if (type < 0 || type >= kInjuryTypes) return 0;
    return int32_t(InjuryTable[type] >> 9 & 0x7FFF);
}

bool InjuryIsContagious(int type) {
    return type >= 0 && type < kInjuryTypes && (InjuryTable[type] >> 8 & 1) != 0;
}

int16_t DrawInjuryDuration(int type) {
    const int base = InjurySeverity(type);
    if (base == 0) return 0;
    return int16_t(base + GameRandom() % (2 * base));
}

const int16_t IncidentOdds[kIncidentKinds] = {100, 1000, 400, 150, 1000, 100};

namespace {

// A pass over every player reads his condition and club.
void PrefetchCondition(uint16_t player) {
    const unsigned ahead = player + kPlayerPrefetchAhead;
    PrefetchPlayerRecord(ahead, kPlayerConditionFirst);
    PrefetchPlayerRecord(ahead, kPlayerConditionLast);
    PrefetchPlayerRecord(ahead, kPlayerClubOffset);
}

}  // namespace

void RandomInjuryPass() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        CorePoll();
        PrefetchCondition(p);
        if (GameRandom() % 20 == 0) {
            const int fans = GetPlayerFans(p);
            if (fans < 31) SetPlayerFans(p, int16_t(fans + 1));
            if (fans > 31) SetPlayerFans(p, int16_t(fans - 1));
        }
        if (!PlaysAtClub(p) || GetPlayerPosition(p) == 13 || GetPlayerFlag95(p) != 0 || GetPlayerIT(p) != 0) {
            continue;
        }
        if (GameRandom() % (GetPlayerStat(p, kResilienceStat, 0) + 100) != 0) continue;
        const int16_t type = int16_t(2 + GameRandom() % 6);
        const int16_t duration = DrawInjuryDuration(type);
        int32_t odds = InjuryOdds(type);
        if (odds > 1) odds /= 4;
        if (GameRandom() % odds != 0) continue;
        if (getsquadsize(int16_t(GetPlayerClub(p))) < kSmallestIllSquad) continue;
        InjurePlayer(p, duration, type, 0);
    }
}

void DailyRecoveryPass() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        CorePoll();
        PrefetchCondition(p);
        SetPlayerFatigue(p, int16_t(GetPlayerFatigue(p) - GameRandom() % 3));
        const int age = GetPlayerAge(p);
        // The youngest recover a little slower.
        if (!(age < 4 && GameRandom() % (age + 2) == 0)) {
            SetPlayerFatigue(p, int16_t(GetPlayerFatigue(p) - GameRandom() % 2));
        }
        if (!PlaysAtClub(p) || GetPlayerPosition(p) == 13 || GetPlayerIT(p) == 0) continue;
        SetPlayerField105(p, int16_t(GetPlayerField105(p) - GameRandom() % 3));
        if (GameRandom() % 3 == 0) SetPlayerFitness(p, int16_t(GetPlayerFitness(p) - 1));
        if (GameRandom() % 7 != 0) continue;
        int16_t period = int16_t(GetPlayerIP(p));
        if (period > 0) SetPlayerIP(p, --period);
        const int16_t type = int16_t(GetPlayerIT(p));
        if (period == 0) {
            int16_t message = -1;
            if (type >= 10 && type <= 37) message = kMsgInjuryHealed;
            if (type >= 3 && type <= 7) message = kMsgIllnessOver;
            if (message >= 0) {
                PostAbsenceNews(message, int16_t(GetPlayerClub(p)), p, kNoPlayer,
                                int16_t(kAbsenceTextBase + type));
            }
            SetPlayerIP(p, 0);
            SetPlayerIT(p, 0);
        } else if (type >= 2 && type <= 7 && InjuryIsContagious(type)) {
            SpreadIllness(p, type);
        }
    }
}

void SpreadIllness(uint16_t player, int16_t type) {
    if (!IsPlayerNumber(player) || !InjuryIsContagious(type)) return;
    const uint16_t club = GetPlayerClub(player);
    if (!IsClubNumber(club)) return;
    const int32_t odds = InjuryOdds(type) / 4;
    for (uint16_t q = 1; q < PlayerCount; ++q) {
        PrefetchPlayerRecord(q + kPlayerPrefetchAhead, kPlayerClubOffset);
        if (q == player || GetPlayerClub(q) != club || GetPlayerPosition(q) == 13 ||
            GetPlayerFlag95(q) != 0 || GetPlayerIT(q) != 0 || GetPlayerIntDuty(q) != 0) {
            continue;
        }
        if (GameRandom() % (GetPlayerStat(q, kResilienceStat, 0) / 2 + 1) != 0) continue;
        const int16_t duration = DrawInjuryDuration(type);
        if (odds > 0 && GameRandom() % odds != 0) continue;
        if (getsquadsize(int16_t(club)) < kSmallestIllSquad) continue;
        PostAbsenceNews(kMsgCaughtIllness, int16_t(club), q, player, int16_t(kAbsenceTextBase + type));
        InjurePlayer(q, duration, type, 0);
    }
}

void RandomTrainingInjury(uint16_t player) {
    if (!IsPlayerNumber(player)) return;
    const int16_t type = int16_t(9 + GameRandom() % 29);
    const int16_t duration = DrawInjuryDuration(type);
    int32_t odds = InjuryOdds(type) / 2;
    if (odds > 1) odds /= 4;
    if (odds < 1) odds = 1;
    if (GameRandom() % odds != 0) return;
    const uint16_t club = GetPlayerClub(player);
    const bool squadCanSpare =
        IsClubNumber(club) && RefreshClubAvailableCount(int16_t(club)) > kSquadSparingTraining;
    if (!squadCanSpare && duration > 5) return;
    InjurePlayer(player, duration, type, 1);
    if (duration >= kLongInjury && GameRandom() % 100 > GetPlayerStat(player, kResilienceStat, 0)) {
        InjuryAttributeLoss(player, type);
    }
}

void RunFitnessTests(int16_t club) {
    if (!IsClubNumber(club)) return;
    const int viewed = HVW_GetViewedCountry();
    const bool seasonOn =
        IsCountryNumber(viewed) && SeasonCalendar.currentDay >= SeasonCalendar.leagueStartDay[viewed];
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsPlayerNumber(p)) continue;
        const int type = GetPlayerIT(p);
        int16_t message = -1;
        if (type > kRefusesToPlay && GetPlayerIP(p) <= 1) {
            bool fit = false;
            if (GameRandom() % 100 < 30) {
                SetPlayerIP(p, 0);
                SetPlayerIT(p, 0);
                fit = GetPlayerFitness(p) >= kFitToPlay;
            }
            message = fit ? kMsgFitnessPassed : kMsgFitnessFailed;
        } else if (type <= kRefusesToPlay && GetPlayerFitness(p) >= 40 && GetPlayerFitness(p) < kFitToPlay) {
            message = kMsgFitnessFailed;
            if (GameRandom() % 100 < 30) {
                SetPlayerFitness(p, kFitToPlay);
                message = kMsgFitnessPassed;
            }
        }
        if (message >= 0 && seasonOn) {
            AddMessage(club, -1, p, kNoPlayer, -1, -1, -1, -1, -1, -1, -1, message, kScope, 0);
        }
    }
}

void PlayerFitnessDaily(int16_t club) { RunFitnessTests(club); }

namespace {

constexpr int16_t kStandNameText = 1235;  // stands 3, 2, 1, 0
constexpr int16_t kIncidentInjuries[5] = {23, 26, 31, 35, 37};
constexpr int16_t kBanMessages[3] = {kMsgPoliceTrouble, kMsgBettingStorm, kMsgFailedDrugsTest};
constexpr int16_t kBanBase[3] = {8, 4, 3};
constexpr int16_t kBanSpread[3] = {4, 4, 3};

// A player of the viewed country with a club and no injury period; with a
// club given, of that club only.  The search gives up after twice the
// player count of failed draws and answers 0.
uint16_t DrawIncidentPlayer(int viewed, int16_t onlyClub) {
    const int32_t tries = 2 * int32_t(PlayerCount);
    for (int32_t i = 0; i < tries; ++i) {
        const uint16_t p = uint16_t(GameRandom() % PlayerCount);
        if (p == 0) continue;
        const uint16_t club = GetPlayerClub(p);
        if (!IsClubNumber(club) || GetClubNation(int16_t(club)) != viewed || GetPlayerIP(p) != 0) continue;
        if (onlyClub >= 0 && club != uint16_t(onlyClub)) continue;
        return p;
    }
    return 0;
}

// One of the five incident injuries; the type given.
int16_t GiveIncidentInjury(uint16_t player) {
    const int16_t type = kIncidentInjuries[GameRandom() % 5];
    InjurePlayer(player, DrawInjuryDuration(type), type, 0);
    return type;
}

void DamageStand(int viewed) {
    constexpr int32_t kTries = 2 * kClubCount;
    for (int32_t i = 0; i < kTries; ++i) {
        const int16_t club = int16_t(GameRandom() % kClubCount);
        if (GetClubRep(club) == 0 || GetClubNation(club) != viewed) continue;
        const int draw = GameRandom() % 4;  // 0..3 pick stands 3..0
        switch (3 - draw) {
            case 0:
                SetClubStandStyle0(club, int16_t(GetClubStandStyle0(club) + 1));
                SetClubStandCapacity0(club, 0);
                break;
            case 1:
                SetClubStandStyle1(club, int16_t(GetClubStandStyle1(club) + 1));
                SetClubStandCapacity1(club, 0);
                break;
            case 2:
                SetClubStandStyle2(club, int16_t(GetClubStandStyle2(club) + 1));
                SetClubStandCapacity2(club, 0);
                break;
            default:
                SetClubStandStyle3(club, int16_t(GetClubStandStyle3(club) + 1));
                SetClubStandCapacity3(club, 0);
                break;
        }
        AddMessage(club, -1, kNoPlayer, kNoPlayer, -1, -1, -1, int16_t(kStandNameText + draw), -1, -1, -1,
                   kMsgStandDamage, kScope, 0);
        return;
    }
}

void RunIncident(int kind, int viewed) {
    if (kind == 1) return DamageStand(viewed);
    const uint16_t p = DrawIncidentPlayer(viewed, -1);
    if (p == 0) return;
    const int16_t club = int16_t(GetPlayerClub(p));
    if (kind == 0) {
        const int16_t type = GiveIncidentInjury(p);
        PostAbsenceNews(kMsgIncidentInjury, club, p, kNoPlayer, int16_t(kAbsenceTextBase + type));
        return;
    }
    if (kind == 2) {
        GiveIncidentInjury(p);
        const uint16_t other = DrawIncidentPlayer(viewed, club);
        if (other == 0) return;
        const int16_t type = GiveIncidentInjury(other);
        PostAbsenceNews(kMsgIncidentPair, club, other, p, int16_t(kAbsenceTextBase + type));
        return;
    }
    const int ban = kind - 3;
    SetPlayerSusp(p, int16_t(GetPlayerSusp(p) + kBanBase[ban] + GameRandom() % kBanSpread[ban]));
    PostAbsenceNews(kBanMessages[ban], club, p, kNoPlayer, -1);
}

}  // namespace

void RandomIncidentPass() {
    const int viewed = HVW_GetViewedCountry();
    for (int kind = 0; kind < kIncidentKinds; ++kind) {
        if (GameRandom() % IncidentOdds[kind] == 0) RunIncident(kind, viewed);
    }
}
