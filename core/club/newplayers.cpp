#include "core/club/newplayers.h"

#include <algorithm>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/contractreview.h"
#include "core/club/development.h"
#include "core/club/squadupkeep.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"

namespace {

constexpr int16_t kPositionDraws[3][10] = {
    {2, 2, 2, 2, 1, 1, 1, 4, 4, 3},
    {5, 5, 5, 6, 6, 8, 8, 9, 9, 7},
    {11, 11, 11, 11, 11, 12, 12, 12, 12, 10},
};

// Attribute bases per position: stats 0-7 (physical) then 8-15 (technical).
constexpr uint16_t kStatBase[kPlayerPositionCount][16] = {
    {100, 100, 50, 50, 50, 15, 100, 20, 10, 80, 25, 10, 10, 25, 1, 10},
    {10, 35, 100, 65, 50, 45, 100, 50, 80, 40, 10, 10, 10, 10, 1, 30},
    {10, 100, 100, 55, 25, 15, 50, 20, 70, 20, 40, 10, 10, 10, 1, 25},
    {10, 25, 75, 65, 50, 65, 100, 50, 85, 40, 10, 10, 10, 20, 1, 15},
    {10, 85, 95, 70, 30, 25, 75, 40, 50, 30, 30, 30, 10, 40, 40, 25},
    {10, 60, 75, 100, 50, 40, 90, 60, 40, 30, 30, 20, 10, 20, 20, 25},
    {10, 70, 90, 80, 40, 20, 65, 50, 10, 20, 70, 50, 50, 20, 10, 50},
    {10, 30, 60, 100, 60, 20, 100, 100, 30, 40, 10, 10, 10, 80, 70, 10},
    {10, 35, 40, 90, 80, 80, 100, 50, 50, 60, 10, 10, 10, 30, 30, 10},
    {10, 25, 40, 100, 70, 100, 100, 80, 90, 70, 10, 10, 10, 10, 10, 10},
    {20, 100, 20, 80, 80, 20, 80, 20, 40, 20, 50, 10, 10, 20, 30, 10},
    {10, 90, 20, 40, 100, 50, 50, 20, 65, 25, 40, 10, 10, 20, 20, 40},
    {10, 70, 10, 20, 100, 75, 75, 20, 75, 65, 10, 10, 10, 10, 10, 10},
};

constexpr int kStoredAgeOfManager = 12;
constexpr int kNationRows = 9;
constexpr int16_t kManagerCupSlots[] = {0, 1, 2, 3, 4, 6};

int Stat(uint16_t player, int stat) { return GetPlayerStat(player, int16_t(stat), 0); }
void StoreStat(uint16_t player, int stat, int value) { SetPlayerStat(player, int16_t(stat), int16_t(value)); }

// Stored position as a row of the per-position tables; a damaged record's
// 13-15 reads as row 0 rather than past the tables.
int PositionRow(uint16_t player) {
    const int position = GetPlayerPosition2(player);
    return position < kPlayerPositionCount ? position : 0;
}

void CopyLooks(uint16_t player, const TotStatPlayer& row) {
    SetPlayerSkinColour(player, GetTotStatPlayerSkin(row));
    SetPlayerHairColour(player, GetTotStatPlayerHairColour(row));
    SetPlayerHairStyle(player, GetTotStatPlayerHairStyle(row));
}

void SetSettings(uint16_t player, int s1, int s2, int s3) {
    SetPlayerSetting1(player, int16_t(s1));
    SetPlayerSetting2(player, int16_t(s2));
    SetPlayerSetting3(player, int16_t(s3));
}

// Fields of a new record before its position and attributes are drawn.
void SetNeutralStartingValues(uint16_t player) {
    SetPlayerAge(player, kStoredAgeOfManager);
    SetPlayerWage(player, 3);
    SetPlayerContract(player, 24);
    SetPlayerReputation(player, 0);
    SetPlayerFlag95(player, 0);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerLoanTrial(player, 0);
    SetPlayerGoals(player, 0);
    SetPlayerApps(player, 0);
    SetPlayerAppsAsSub(player, 0);
    SetPlayerMoM(player, 0);
    SetPlayerFatigue(player, 0);
    SetPlayerFitness(player, 60);
    SetPlayerScoutMark(player, 0);
    SetPlayerFlag119(player, 0);
    SetPlayerField96(player, 60);
    SetPlayerField120(player, 0);
    SetPlayerFans(player, 31);
    SetPlayerField118(player, 0);
    SetPlayerField105(player, 60);
    SetPlayerFlag107Bit7(player, 0);
    SetPlayerCaptain(player, 0);
    SetPlayerDispoints(player, 0);
    SetPlayerSusp(player, 0);
    SetPlayerIT(player, 0);
    SetPlayerIP(player, 0);

    SetPlayerClub(player, -1);
    SetPlayerLoanClub(player, -1);
    ClearPlayerLoan(player);
    SetPlayerManPrice(player, -1);
    SetPlayerField52(player, 100);
    SetPlayerNationality(player, 0);
    SetPlayerPerf(player, 0);
    SetPlayerShirt(player, 0);
    SetPlayerHalvorn(player, 0);
    SetPlayerHalvornB(player, 0);
    SetPlayerCaretaker(player, 0);
    SetPlayerCaps86(player, 0);
    SetPlayerCaps89(player, 0);
    SetPlayerCaps113(player, 0);
    SetPlayerCaps116(player, 0);
    SetPlayerIntGoals87(player, 0);
    SetPlayerIntGoals114(player, 0);
}

}  // namespace

bool CreateManagerRecord(uint16_t player, const char* name) {
    if (PlayerCount >= kMaxPlayers) {
        DebugLog(DEBUG_GENERAL, 0, "CreateManagerRecord(): Error: player table full (%d players)\n",
                 int(PlayerCount));
        return false;
    }
    if (player != PlayerCount) {
        DebugLog(DEBUG_GENERAL, 0, "CreateManagerRecord(): Error: player %d is not the next record %d\n",
                 int(player), int(PlayerCount));
        return false;
    }
    PlayerCount = uint16_t(player + 1);
    // A record left by an earlier game must not leak into the new man.
    std::memset(PlayerRecords[player].bytes, 0, sizeof PlayerRecords[player].bytes);
    SetPlayerSurname(player, name);
    if (TotStatPlayerCount > 0) CopyLooks(player, TotStatPlayers[0]);

    SetNeutralStartingValues(player);
    SetPlayerPositionFromCode(player, 0, kPositionCodeManager);
    RandomisePlayerPositionTraits(player, int16_t(GameRandom() % 4));
    SetPlayerMorale(player, 60);
    SetPlayerIntDuty(player, 0);
    SetPlayerSaleStatus(player, 0);
    // A club manager's wage follows his demand at the club.
    const uint16_t club = GetPlayerClub(player);
    if (GetPlayerPosition(player) == kPositionCodeManager && IsClubNumber(club)) {
        SetPlayerWage(player, int16_t(PlayerWageDemand(player, int16_t(club)) / 25));
        SetPlayerReputation(player, 0);
        SetPlayerTactic(player, 0);
    }
    SetPlayerExperience(player, 53);
    SetPlayerInitial(player, 3);
    DerivePlayerStatsByPosition(player);
    for (int16_t row = 0; row < kNationRows; ++row) {
        for (int16_t slot : kManagerCupSlots) SetPlayerCup(player, -1, slot, row);
    }
    return true;
}

void SetPlayerPositionFromCode(uint16_t player, int16_t keepPosition, int16_t code) {
    int16_t position = code;
    if (code >= kPositionCodeDefender && code <= kPositionCodeForward) {
        position = kPositionDraws[code - kPositionCodeDefender][GameRandom() % 10];
    } else if (code >= kPositionCodePlayerManager) {
        SetPlayerHalvorn(player, 1);
        position = int16_t(code - kPositionCodePlayerManager);
    } else if (code == kPositionCodeManager) {
        SetPlayerHalvornB(player, 1);
        if (keepPosition == 0) position = int16_t(GameRandom() % kPlayerPositionCount);
    }
    SetPlayerPosition(player, position);
}

void RandomisePlayerPositionTraits(uint16_t player, int16_t kind) {
    SetSettings(player, 0, 0, 0);
    const int position = GetPlayerPosition2(player);
    if (position == 0) {
        SetSettings(player, 0, 3, 0);
        return;
    }
    const bool sideRole = position == 1 || position == 3 || position == 9;
    if (kind == 4) {
        if (!sideRole && GameRandom() % 3 == 2) {
            SetSettings(player, 0, 3, 0);
            return;
        }
        kind = int16_t(GameRandom() % 3 + 1);
    }
    switch (kind) {
        case 1:
            SetSettings(player, 0, GameRandom() % 4, 3);
            break;
        case 2:
            SetSettings(player, 3, GameRandom() % 4, 0);
            break;
        case 3:
            SetSettings(player, 3, GameRandom() % 4, 3);
            break;
        case 0:
            SetPlayerSetting2(player, 3);
            if (GameRandom() % 3 == 0) SetPlayerSetting3(player, int16_t(GameRandom() % 4));
            if (GameRandom() % 3 == 0) SetPlayerSetting1(player, int16_t(GameRandom() % 4));
            break;
        default:
            break;
    }
    if (position == 2 || position == 6 || position >= 10) SetPlayerSetting2(player, 3);
    if (sideRole) {
        if (GameRandom() % 10 < 5) SetPlayerSetting3(player, 3);
        if (GameRandom() % 10 < 5) SetPlayerSetting1(player, 3);
    }
}

int16_t RandomAround(int16_t n) {
    const int quarter = n / 4;
    if (quarter <= 0) return int16_t(n / 2);
    const int a = GameRandom() % quarter;
    const int b = GameRandom() % quarter;
    const int c = GameRandom() % quarter;
    const int d = GameRandom() % quarter;
    return int16_t(n / 2 - a + b - c + d);
}

int16_t DrawPhysicalStat(uint16_t player, int16_t base) {
    if (base == 0) return RandomAround(100);
    int e = 100 - Stat(player, kConsistencyStat);
    if (e != 0) e /= 4;
    return int16_t((base + base / 2 + base / 4 + 2 * (Stat(player, kAbilityStat) / 2) + e) / 5);
}

int16_t DrawTechnicalStat(uint16_t player, int16_t stat, int16_t base) {
    const int m = (100 * Stat(player, kAbilityStat) + 1) / 125 + 30;
    int v = std::min(base * m / 100, 99);
    if (base == 0) {
        v = RandomAround(100);
    } else {
        const int r = GameRandom() % 100;
        const int d = r > m ? (100 - base) * m / 100 + 1 : 100 - v;
        v += GameRandom() % std::max(d, 1);
    }
    if (stat == 10) v /= 2;
    if (stat == 11 && v < m) v = m;
    return int16_t(v);
}

void RandomiseMentalStats(uint16_t player) {
    for (int stat = kFirstCharacterStat; stat <= kLastCharacterStat; ++stat) {
        if (stat != kConsistencyStat) StoreStat(player, stat, RandomAround(100));
    }
}

void DerivePlayerStatsByPosition(uint16_t player) {
    const int ability = Stat(player, kAbilityStat);
    if (GameRandom() % 100 <= ability) {
        StoreStat(player, kConsistencyStat, 99);
    } else {
        StoreStat(player, kConsistencyStat, std::max(99 - GameRandom() % (100 - ability), 5));
    }
    const uint16_t* base = kStatBase[PositionRow(player)];
    for (int k = 0; k < 8; ++k) {
        StoreStat(player, k, DrawPhysicalStat(player, int16_t(base[k])));
        StoreStat(player, k + 8, DrawTechnicalStat(player, int16_t(k + 8), int16_t(base[k + 8])));
    }
    RandomiseMentalStats(player);
    SimulatePastWeeks(player);
    switch (GetPlayerPosition(player)) {
        case 2:
            StoreStat(player, kLeadershipStat, 50 + GameRandom() % 50);
            break;
        case 6:
            StoreStat(player, kLeadershipStat, 75 + GameRandom() % 25);
            StoreStat(player, kSpiritStat, 75 + GameRandom() % 25);
            break;
        case 7:
            StoreStat(player, kIntelligenceStat, 75 + GameRandom() % 25);
            break;
        case 12:
            StoreStat(player, kGreedStat, 65 + GameRandom() % 35);
            break;
        default:
            break;
    }
}

void WeeklyDevelopmentStep(uint16_t player) { GrowthWeek(player, -1); }

void SimulatePastWeeks(uint16_t player) {
    const int32_t allowance = Stat(player, kAbilityStat) + 1;
    const int32_t weeks = int32_t(GetPlayerAge(player)) * 52 + 1;
    PastCareerWeeks(player, weeks, allowance);
}

void AssignRandomNameAndLook(uint16_t player) {
    const uint32_t rows = std::min<uint32_t>(TotStatPlayerCount, TOTSTAT_PLAYER_COUNT);
    if (rows == 0) return;
    const uint16_t nationality = GetPlayerNationality(player);
    // Every draw that does not settle the name counts, so a nationality
    // that only row 0 carries cannot keep the loop going for ever.
    const int32_t giveUpAfter = 2 * int32_t(PlayerCount);
    int32_t failures = 0;
    while (true) {
        const uint32_t r = uint32_t(GameRandom()) % rows;
        const TotStatPlayer& row = TotStatPlayers[r];
        if (r != player && GetTotStatPlayerNationality(row) == int16_t(nationality)) {
            SetPlayerSurname(player, GetTotStatPlayerSurname(row));
            CopyLooks(player, row);
            if (r != 0) return;
        }
        if (++failures > giveUpAfter) return;
    }
}

void AssignRandomNamesToAll() {
    for (uint16_t player = 3; player < PlayerCount; ++player) AssignRandomNameAndLook(player);
}

int16_t FindTotStatClubCode(int16_t code) {
    for (const TotStatClub& row : TotStatClubs) {
        if (GetTotStatClubNumber(row) == code) return GetTotStatClubRepPercent(row);
    }
    return 0;
}

int16_t GetClubDatabaseTactic(int16_t club) {
    for (const TotStatClub& row : TotStatClubs) {
        if (GetTotStatClubNumber(row) == club) return GetTotStatClubTactic(row);
    }
    return 0;
}
