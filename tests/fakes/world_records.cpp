#include "tests/fakes/world_records.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/base/random.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "tests/fakes/game_data_missing.h"

namespace {

int Draw(int n) { return GameRandom() % n; }

// The manager's formation family has no setter: the database sets it.
void SetManagerFamily(uint16_t player, int family) {
    uint32_t word;
    std::memcpy(&word, PlayerRecords[player].bytes + 100, 4);
    word = (word & ~(0x7u << 29)) | (uint32_t(family % 6) << 29);
    std::memcpy(PlayerRecords[player].bytes + 100, &word, 4);
}

int ClubReputation(const TotStatClub& club) {
    const uint32_t base = GetTotStatClubRepBase(club);
    const int rep = int(base / 1000) * GetTotStatClubRepPercent(club) / 100 + (base != 0 ? 1 : 0);
    return std::clamp(rep, 1, 63);
}

void MakeClubs() {
    for (const TotStatClub& row : TotStatClubs) {
        const int16_t club = GetTotStatClubNumber(row);
        if (club < 0 || club >= kClubCount) continue;
        SetClubNation(club, GetTotStatClubNation(row));
        SetClubDivision(club, GetTotStatClubDivision(row));
        SetClubRep(club, int16_t(ClubReputation(row)));
        SetClubControl(club, 0);
    }
}

int16_t PlayingPosition(int16_t code) {
    switch (code) {
        case 14:
            return int16_t(1 + Draw(4));
        case 15:
            return int16_t(5 + Draw(5));
        case 16:
            return int16_t(10 + Draw(3));
        default:
            return code >= 17 ? int16_t(code - 17) : code;
    }
}

void MakePlayer(uint16_t p, const TotStatPlayer& row) {
    const int16_t club = GetTotStatPlayerClub(row) >= 0 ? GetTotStatPlayerClub(row) : int16_t(-1);
    SetPlayerClub(p, club);
    SetPlayerLoanClub(p, club);
    const int16_t code = GetTotStatPlayerPosition(row);
    if (code == 13) {
        SetPlayerPosition(p, int16_t(Draw(13)));
        SetPlayerPosition(p, 13);
        const int16_t tactic = club >= 0 ? GetTotStatClubTactic(TotStatClubs[club]) : 0;
        SetManagerFamily(p, tactic);
    } else {
        SetPlayerPosition(p, PlayingPosition(code));
        if (code >= 17) SetPlayerHalvorn(p, 1);
    }
    SetPlayerAge(p, int16_t(std::clamp(2002 - 1900 - GetTotStatPlayerBirthYear(row) - 16, 0, 63)));
    const int ability = std::clamp<int>(GetTotStatPlayerAbility(row), 1, 99);
    for (int16_t s = 0; s < kStatCount - 1; ++s) {
        SetPlayerStat(p, s, int16_t(std::clamp(ability - 15 + Draw(31), 1, 99)));
    }
    SetPlayerStat(p, kStatCount - 1, int16_t(ability));
    SetPlayerNationality(p, GetTotStatPlayerNationality(row));
    SetPlayerContract(p, int16_t(12 + Draw(37)));
    SetPlayerWage(p, int16_t(ability * 8));
    SetPlayerFitness(p, 60);
    SetPlayerMorale(p, int16_t(30 + Draw(31)));
    SetPlayerManPrice(p, -1);
    SetPlayerField52(p, int16_t(Draw(300)));
    SetPlayerCareerApps(p, int16_t(Draw(400)));
    SetPlayerSetting1(p, int16_t(Draw(4)));
    SetPlayerSetting2(p, int16_t(Draw(4)));
    SetPlayerSetting3(p, int16_t(Draw(4)));
    for (int16_t slot = 0; slot < 7; ++slot) {
        for (int16_t row2 = 0; row2 < (slot < 4 ? 9 : 1); ++row2) SetPlayerCup(p, -1, slot, row2);
    }
}

// As a new game does, every club in play gets youth players up to a squad
// of twenty: young, of its nation, at a third of the ability spread.
void AddYouthPlayers() {
    int squad[kClubCount] = {};
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        const uint16_t club = GetPlayerClub(p);
        if (club < kClubCount && GetPlayerPosition(p) != 13) ++squad[club];
    }
    constexpr int kSquad = 20;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        for (int n = squad[club]; n < kSquad && PlayerCount < kMaxPlayers; ++n) {
            const uint16_t p = PlayerCount++;
            SetPlayerClub(p, club);
            SetPlayerLoanClub(p, club);
            SetPlayerPosition(p, int16_t(n % 13));
            SetPlayerAge(p, int16_t(Draw(3)));
            SetPlayerFlag95(p, 1);
            const int ability = 20 + Draw(30);
            for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, int16_t(ability - 5 + Draw(11)));
            SetPlayerNationality(p, int16_t(GetClubNation(club)));
            SetPlayerContract(p, 24);
            SetPlayerFitness(p, 60);
            SetPlayerMorale(p, 40);
            SetPlayerManPrice(p, -1);
            for (int16_t slot = 0; slot < 7; ++slot) {
                for (int16_t row = 0; row < (slot < 4 ? 9 : 1); ++row) SetPlayerCup(p, -1, slot, row);
            }
        }
    }
}

}  // namespace

std::string LoadWorldRecords(const std::string& gameDir) {
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr) return "no working folder";
    if (!std::filesystem::exists(gameDir + "/stats/totstat.dat"))
        return GameDataMissingIn(gameDir, "stats/totstat.dat");
    if (chdir(gameDir.c_str()) != 0) return GameDataMissingIn(gameDir);
    ClearTotStatTables();
    LoadConvertDataFromDatabase();
    if (chdir(here) != 0) return "cannot return to " + std::string(here);

    std::memset(PlayerRecords, 0, sizeof PlayerRecords);
    std::memset(ClubRecords, 0, sizeof ClubRecords);
    GameSeedRandom(20021);
    MakeClubs();
    const uint32_t count = std::min<uint32_t>(TotStatPlayerCount, kMaxPlayers - 3);
    PlayerCount = uint16_t(3 + count);
    // Player 1 is the user and player 2 stands for "no manager": no club.
    for (uint16_t p = 1; p < 3; ++p) {
        SetPlayerClub(p, -1);
        SetPlayerLoanClub(p, -1);
        SetPlayerManPrice(p, -1);
    }
    for (uint32_t i = 0; i < count; ++i) MakePlayer(uint16_t(3 + i), TotStatPlayers[i]);
    AddYouthPlayers();
    return "";
}
