#include "core/season/european.h"

int16_t EuropeanEntrantListC[kEuropeanListC];
int16_t EuropeanEntrantListA[kEuropeanListA];
int16_t EuropeanEntrantListB[kEuropeanListB];
int16_t EuropeanSetUpWordA;
int16_t EuropeanSetUpWordB;
int16_t ChampionsLeagueGroups[2][8][4];
uint8_t EuropeanTable[216];

#include <algorithm>
#include <numeric>
#include <span>
#include <vector>

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/cupdays.h"
#include "core/season/leagues.h"
#include "core/season/nationorder.h"
#include "core/season/seasonend.h"

namespace {

constexpr int kRankedNations = 32;
constexpr int kQualifiersA = 23;
constexpr int kHolderASlot = 31;
constexpr int kHolderBSlot = 63;
constexpr int kSetUpPositionsC = 39;
constexpr int kHolderBWord = 2;
constexpr int kCupWinnerWord = 0, kCupRunnerUpWord = 1;
constexpr int kListAWords[2] = {3, 4};
constexpr int kEuropeanNation = 0;
constexpr int kCupC = 4, kCupB = 5, kCupA = 6;

// Places per nation code 0..31 in lists A, B and C.
struct Places {
    int8_t a, b, c;
};
constexpr Places kPlaces[kRankedNations] = {
    {2, 2, 2}, {0, 1, 2}, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}, {2, 1, 2}, {2, 1, 2}, {2, 1, 2},
    {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {0, 1, 1}, {0, 1, 1}, {0, 1, 1},
    {0, 1, 1}, {0, 1, 1}, {1, 1, 1}, {1, 1, 1}, {0, 1, 1}, {0, 0, 1}, {1, 1, 1}, {1, 1, 1},
    {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {0, 0, 1}, {0, 0, 0},
};

int16_t g_rankings[2][kClubCount];

// Honour words of last season's row: champion, runner-up, cup 0's winner
// and runner-up.
constexpr int kChampionWord = 14, kRunnerUpWord = 15;

bool IsEntered(int16_t club) { return CountEuropeanEntries(club) > 0; }

void GainReputation(int16_t club) { SetClubRep(club, int16_t(std::min<int>(GetClubRep(club) + 1, 63))); }

int16_t FromRanking(int which, int nation) {
    for (int16_t club : g_rankings[which]) {
        if (IsClubNumber(club) && GetClubNation(club) == uint16_t(nation) && GetClubRep(club) != 0 &&
            !IsEntered(club))
            return club;
    }
    return -1;
}

// Candidate clubs of a nation in play, in the order they are tried.
struct Candidates {
    int16_t clubs[12];
    int count = 0;
    void Add(int16_t club) {
        if (count < 12) clubs[count++] = club;
    }
};

int16_t LastSeason(int nation, int word) { return HonoursTable[nation][1].words[word]; }
int16_t TopPlace(int nation, int place) { return LeagueTable[nation][0][place]; }
int16_t ShippedEntry(int nation, int i) { return int16_t(NationClubOrder[nation][i]); }
bool FirstSeason() { return SeasonCalendar.season == 0; }

int16_t FirstFree(const Candidates& c, int16_t skipA, int16_t skipB) {
    for (int i = 0; i < c.count; ++i) {
        const int16_t club = c.clubs[i];
        if (IsClubNumber(club) && club != skipA && club != skipB && !IsEntered(club)) return club;
    }
    return -1;
}

void FillListA() {
    int placed = 0;
    const int16_t holderA = EuropeanSetUpWordA;
    for (int nation = 0; nation < kRankedNations; ++nation) {
        for (int place = 0; place < kPlaces[nation].a; ++place) {
            int16_t club;
            if (IsCountryInPlay(nation)) {
                Candidates c;
                if (FirstSeason()) {
                    c.Add(LastSeason(nation, kChampionWord));
                    c.Add(LastSeason(nation, kRunnerUpWord));
                }
                for (int p = 0; p < 4; ++p) c.Add(TopPlace(nation, p));
                club = FirstFree(c, holderA, holderA);
            } else {
                club = FromRanking(0, nation);
                if (club == holderA) club = -1;
            }
            if (club < 0) continue;
            GainReputation(club);
            if (IsCountryInPlay(nation)) SetPlacesRecordWord(nation, kListAWords[place], club);
            if (placed < kQualifiersA) EuropeanEntrantListA[placed++] = club;
        }
    }
}

void FillListB() {
    int placed = 0;
    for (int nation = 0; nation < kRankedNations; ++nation) {
        for (int place = 0; place < kPlaces[nation].b; ++place) {
            int16_t club;
            if (IsCountryInPlay(nation)) {
                Candidates c;
                for (int p = 0; p < 6; ++p)
                    c.Add(FirstSeason() ? ShippedEntry(nation, p) : TopPlace(nation, p));
                club = FirstFree(c, EuropeanSetUpWordA, EuropeanSetUpWordA);
            } else {
                club = FromRanking(0, nation);
            }
            if (club < 0) continue;
            GainReputation(club);
            if (placed < kEuropeanListB) EuropeanEntrantListB[placed++] = club;
        }
    }
    // Empty places go to clubs of nations whose leagues are not played.
    for (int16_t& slot : EuropeanEntrantListB) {
        if (slot != -1) continue;
        for (int16_t club : g_rankings[0]) {
            if (!IsClubNumber(club) || IsEntered(club) || GetClubRep(club) == 0) continue;
            const int nation = GetClubNation(club);
            if (nation >= kRankedNations || IsCountryInPlay(nation)) continue;
            slot = club;
            break;
        }
    }
}

int16_t FromEitherRanking(int nation) {
    const int16_t first = FromRanking(0, nation);
    return first >= 0 ? first : FromRanking(1, nation);
}

void FillListC() {
    const int16_t holderA = EuropeanSetUpWordA, holderB = EuropeanSetUpWordB;
    int placed = 0;
    for (int nation = 0; nation < kRankedNations; ++nation) {
        for (int place = 0; place < kPlaces[nation].c; ++place) {
            int16_t club = -1;
            if (IsCountryInPlay(nation)) {
                // The cup winner and runner-up first.
                for (int word : {kCupWinnerWord, kCupRunnerUpWord}) {
                    const int16_t cupClub = LastSeason(nation, word);
                    if (club >= 0 || !IsClubNumber(cupClub) || cupClub == holderA || cupClub == holderB ||
                        IsEntered(cupClub))
                        continue;
                    club = cupClub;
                    if (!FirstSeason()) SetPlacesRecordWord(nation, word, club);
                }
                if (club < 0) {
                    Candidates c;
                    for (int p = 0; p < 6; ++p)
                        c.Add(FirstSeason() ? ShippedEntry(nation, p) : TopPlace(nation, p + 1));
                    club = FirstFree(c, holderA, holderB);
                }
            } else {
                club = FromEitherRanking(nation);
                if (club == holderA || club == holderB) club = -1;
            }
            if (club < 0) continue;
            GainReputation(club);
            if (placed < kSetUpPositionsC) EuropeanEntrantListC[placed++] = club;
        }
    }
    for (int i = 0; i < kSetUpPositionsC; ++i) {
        if (EuropeanEntrantListC[i] != -1) continue;
        for (int which = 0; which < 2 && EuropeanEntrantListC[i] == -1; ++which) {
            for (int16_t club : g_rankings[which]) {
                if (!IsClubNumber(club) || IsEntered(club) || GetClubRep(club) == 0) continue;
                const int nation = GetClubNation(club);
                if (nation >= kRankedNations - 1 || IsCountryInPlay(nation)) continue;
                EuropeanEntrantListC[i] = club;
                break;
            }
        }
    }
}

int CountIn(std::span<const int16_t> list, int16_t club) {
    return int(std::count(list.begin(), list.end(), club));
}

void PlaceHolderB() {
    const int16_t holderB = EuropeanSetUpWordB;
    if (!IsClubNumber(holderB)) return;
    const int entries = CountIn(EuropeanEntrantListA, holderB) + CountIn(EuropeanEntrantListB, holderB) +
                        CountIn(std::span<const int16_t>(EuropeanEntrantListC, kHolderBSlot), holderB);
    if (entries == 0) {
        for (int nation = 0; nation < kCountryCount; ++nation)
            SetPlacesRecordWord(nation, kHolderBWord, holderB);
        return;
    }
    EuropeanEntrantListC[kHolderBSlot] = -1;
    for (int16_t club : g_rankings[0]) {
        if (!IsClubNumber(club) || IsEntered(club) || GetClubRep(club) == 0) continue;
        const int nation = GetClubNation(club);
        if (nation < kRankedNations && !IsCountryInPlay(nation)) {
            EuropeanEntrantListC[kHolderBSlot] = club;
            return;
        }
    }
    for (int16_t club : g_rankings[1]) {
        if (IsClubNumber(club) && !IsEntered(club)) {
            EuropeanEntrantListC[kHolderBSlot] = club;
            return;
        }
    }
}

void Shuffle(std::span<int16_t> list, int swaps, int modulo, int divisor) {
    for (int i = 0; i < swaps; ++i) {
        const int a = GameRandom() % modulo / divisor;
        const int b = GameRandom() % modulo / divisor;
        std::swap(list[a], list[b]);
    }
}

int Reputation(int16_t club) { return IsClubNumber(club) ? int(GetClubRep(club)) : -1; }

// The clubs of highest reputation in the even places, in order of
// strength; the others keep their order in the odd places.
void Seed(std::span<int16_t> list) {
    const size_t half = list.size() / 2;
    std::vector<int16_t> rest(list.begin(), list.end());
    std::vector<int16_t> seeded;
    for (size_t s = 0; s < half; ++s) {
        size_t best = 0;
        for (size_t i = 1; i < rest.size(); ++i) {
            if (Reputation(rest[i]) > Reputation(rest[best])) best = i;
        }
        seeded.push_back(rest[best]);
        rest.erase(rest.begin() + long(best));
    }
    for (size_t i = 0; i < half; ++i) {
        list[2 * i] = seeded[i];
        list[2 * i + 1] = rest[i];
    }
}

void CopyToDraw(int cup, int round, std::span<const int16_t> list) {
    for (size_t i = 0; i < list.size(); ++i) {
        SetCupDrawClub(kEuropeanNation, cup, round, int(i), list[i]);
        for (int w = 1; w < kDrawEntryWords; ++w) SetCupDrawWord(kEuropeanNation, cup, round, int(i), w, -1);
    }
}

}  // namespace

int16_t EuropeanPlacesA(int nation) {
    return nation >= 0 && nation < kRankedNations ? kPlaces[nation].a : int16_t(0);
}
int16_t EuropeanPlacesC(int nation) {
    return nation >= 0 && nation < kRankedNations ? kPlaces[nation].c : int16_t(0);
}

void RefreshEuropeanRankings() {
    std::iota(std::begin(g_rankings[0]), std::end(g_rankings[0]), int16_t(0));
    std::stable_sort(std::begin(g_rankings[0]), std::end(g_rankings[0]),
                     [](int16_t a, int16_t b) { return GetClubRep(a) > GetClubRep(b); });
    // The board's strength ranking; clubs it does not list follow by number.
    std::vector<bool> listed(kClubCount);
    int n = 0;
    for (const ClubStrengthEntry& e : ClubStrengthRanking) {
        if (IsClubNumber(e.club) && !listed[e.club]) {
            listed[e.club] = true;
            g_rankings[1][n++] = int16_t(e.club);
        }
    }
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!listed[club]) g_rankings[1][n++] = club;
    }
}

int16_t CountEuropeanEntries(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    return int16_t((CountIn(EuropeanEntrantListA, club) > 0) + (CountIn(EuropeanEntrantListB, club) > 0) +
                   (CountIn(EuropeanEntrantListC, club) > 0));
}

void SetUpEuropeanEntrants() {
    RefreshEuropeanRankings();
    for (int nation = 0; nation < kCountryCount; ++nation) {
        for (int word = 0; word < kPlacesReasonWords; ++word) SetPlacesRecordWord(nation, word, -1);
    }
    std::fill(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    std::fill(std::begin(EuropeanEntrantListB), std::end(EuropeanEntrantListB), int16_t(-1));
    std::fill(std::begin(EuropeanEntrantListC), std::end(EuropeanEntrantListC), int16_t(-1));
    if (IsClubNumber(EuropeanSetUpWordA)) EuropeanEntrantListA[kHolderASlot] = EuropeanSetUpWordA;
    FillListA();
    FillListB();
    if (IsClubNumber(EuropeanSetUpWordB)) EuropeanEntrantListC[kHolderBSlot] = EuropeanSetUpWordB;
    FillListC();
    PlaceHolderB();
}

void AddToEuropeanListA(int16_t club) {
    if (!IsClubNumber(club) || CountIn(EuropeanEntrantListA, club) > 0) return;
    auto empty = std::find(std::begin(EuropeanEntrantListA), std::end(EuropeanEntrantListA), int16_t(-1));
    if (empty != std::end(EuropeanEntrantListA)) *empty = club;
}

void AddToEuropeanListC(int16_t club) {
    if (!IsClubNumber(club) || CountIn(EuropeanEntrantListC, club) > 0) return;
    auto empty = std::find(std::begin(EuropeanEntrantListC), std::end(EuropeanEntrantListC), int16_t(-1));
    if (empty != std::end(EuropeanEntrantListC)) *empty = club;
}

void ShuffleEuropeanOrder() {
    Shuffle(EuropeanEntrantListB, kEuropeanListB, kEuropeanListB, 1);
    CopyToDraw(kCupB, 0, EuropeanEntrantListB);
}

void EuroDrawFirstRound() {
    Shuffle(EuropeanEntrantListA, kEuropeanListA, kEuropeanListA, 1);
    Seed(EuropeanEntrantListA);
    CopyToDraw(kCupA, 0, EuropeanEntrantListA);
}

void EuroDrawSecondRound() {
    constexpr int kSecondRound = 16;
    int16_t* list = EuropeanEntrantListA;
    // Close the gaps among the first 16 places: the clubs below an empty
    // place move up; nothing moves once no club is left below.
    for (int i = 0; i < kSecondRound; ++i) {
        if (list[i] != -1) continue;
        int16_t* next = std::find_if(list + i + 1, list + kEuropeanListA, [](int16_t c) { return c != -1; });
        if (next == list + kEuropeanListA) break;
        std::rotate(list + i, next, list + kEuropeanListA);
    }
    Shuffle(std::span<int16_t>(list, kSecondRound), kSecondRound, kEuropeanListA, 2);
    Seed(std::span<int16_t>(list, kSecondRound));
    CopyToDraw(kCupA, 1, std::span<const int16_t>(list, kSecondRound));
}

void EuroDrawListC() {
    Shuffle(EuropeanEntrantListC, kEuropeanListC, kEuropeanListC, 1);
    CopyToDraw(kCupC, 0, EuropeanEntrantListC);
}
