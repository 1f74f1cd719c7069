// The user's training day over 100 training records, and one computer
// club's fortnight of training (14 rounds for its squad of 100).
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/training.h"
#include "core/records/records.h"
#include "core/records/training.h"
#include "core/season/calendar.h"

namespace {

constexpr int16_t kUserClub = 0;
constexpr int kComputerClubs = 8;
constexpr int kSquad = 100;

uint16_t MakePlayer(int16_t club, int index) {
    const uint16_t p = PlayerCount++;
    SetPlayerClub(p, club);
    SetPlayerLoanClub(p, club);
    SetPlayerPosition(p, int16_t(index % 13));
    SetPlayerAge(p, int16_t(index % 18));
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, int16_t(30 + (index * 7 + s * 3) % 60));
    SetPlayerStat(p, 27, int16_t(60 + index % 40));
    SetPlayerFitness(p, 40);
    SetPlayerFatigue(p, int16_t(index % 30));
    SetPlayerMorale(p, 30);
    SetPlayerFlag95(p, index % 10 == 0 ? 1 : 0);
    return p;
}

void SetUpWorld() {
    static bool done = false;
    if (done) return;
    done = true;
    std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * (1 + kSquad * (kComputerClubs + 1) + 1));
    std::memset(TrainingRecords, 0, sizeof TrainingRecords);
    PlayerCount = 2;
    for (int16_t club = 0; club <= kComputerClubs; ++club) {
        SetClubNation(club, 0);
        SetClubDivision(club, 0);
        SetClubRep(club, 40);
        for (int i = 0; i < kSquad; ++i) {
            const uint16_t p = MakePlayer(club, i);
            if (club != kUserClub) continue;
            uint8_t* r = TrainingRecords[i].bytes;
            recbits::StoreU16(r + kTrainingPlayer, p);
            recbits::StoreU16(r + kTrainingRegular, uint16_t(i % kTrainingKinds));
            recbits::StoreU16(r + kTrainingExtra, uint16_t((i * 5 + 3) % kTrainingKinds));
        }
        RebuildClubRoster(club);
    }
    SetPlayerClub(1, kUserClub);  // the user
    SeasonCalendar.leagueEndDay[0] = 300;
    GameSeedRandom(11);
}

// Nothing heals players here: those hurt in training come back every few
// days so that the squad keeps training.
void HealClub(int16_t club) {
    for (const uint16_t p : ClubRoster[club]) {
        if (p != 0 && GetPlayerIT(p) != 0) {
            SetPlayerIT(p, 0);
            SetPlayerIP(p, 0);
        }
    }
}

void BM_ProcessSquadTrainingDay(benchmark::State& state) {
    SetUpWorld();
    int counter = 0;
    for (auto _ : state) {
        SeasonCalendar.currentDay = int16_t(20 + counter % 250);
        if (++counter % 8 == 0) HealClub(kUserClub);
        ProcessSquadTrainingDay();
    }
}
BENCHMARK(BM_ProcessSquadTrainingDay)->Unit(benchmark::kMicrosecond);

void BM_ApplyTrainingEffectsFortnight(benchmark::State& state) {
    SetUpWorld();
    int counter = 0;
    for (auto _ : state) {
        const int16_t club = int16_t(1 + counter++ % kComputerClubs);
        HealClub(club);
        ApplyTrainingEffects(club, 14);
    }
}
BENCHMARK(BM_ApplyTrainingEffectsFortnight)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
