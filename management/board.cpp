#include "management/board.h"

#include <utility>

#include "database/ranges.h"
#include "management/playervalue.h"
#include "management/squads.h"
#include "season/clubfixtures.h"
#include "season/fixtures.h"

ClubStrengthEntry ClubStrengthRanking[kClubCount];
uint16_t ClubCountOfNation[kCountryCount];
uint16_t SackedClubControl;
// No club until the user is first sacked: club 0 is a club like any other.
uint16_t SackedClub = kNoClub;

int16_t GetUserClub() {
    if (!IsValidPlayer(1)) return -1;
    const uint16_t club = GetPlayerClub(1);
    return IsClubNumber(club) ? int16_t(club) : int16_t(-1);
}

int16_t BoardFormScore(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    int won = 0, drawn = 0, lost = 0, goals_for = 0, goals_against = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day >= today || today - day >= 31 || FixtureType(slot) >= kCompFriendly) continue;
        const bool home = FixtureHome(slot) == club;
        if (!home && FixtureAway(slot) != club) continue;
        const uint32_t score = FixtureScore(slot);
        const int h = int(score & kFixtureGoalsMask), a = int((score >> 5) & kFixtureGoalsMask);
        const int mine = home ? h : a, theirs = home ? a : h;
        goals_for += mine;
        goals_against += theirs;
        if (mine > theirs)
            ++won;
        else if (mine == theirs)
            ++drawn;
        else
            ++lost;
    }
    const int total = goals_for + goals_against;
    int g = 0;
    if (total != 0) {
        g = goals_for > goals_against ? 2 * (goals_for * 200 / total) : -2 * (goals_against * 100 / total);
    }
    const int matches = won + drawn + lost;
    int r = 0;
    if (matches != 0) r = won > lost ? won * 120 / matches : -(lost * 80 / matches);
    int s = g + 200 + r;
    if (matches < 4) s += (4 - matches) * 100;
    if (s > 400) s = 400;
    const int score = s * 60 / 400;
    return int16_t(score < 0 ? 0 : score);
}

// The club's index among its nation's clubs in ranking order.
int16_t BoardScorePerformance(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    if (!IsCountryNumber(nation)) return 0;
    const int n = ClubCountOfNation[nation];
    if (n == 0) return 0;
    int i = n, seen = 0;
    for (const ClubStrengthEntry& entry : ClubStrengthRanking) {
        if (!IsClubNumber(entry.club) || GetClubNation(int16_t(entry.club)) != nation) continue;
        if (GetClubRep(int16_t(entry.club)) == 0) continue;
        if (entry.club == uint16_t(club)) {
            i = seen;
            break;
        }
        if (++seen >= n) break;
    }
    const int p = GetClubLeaguePosition(club);
    const int v = p < i ? n + (i - p) : n - (p - i);
    const int16_t scaled = int16_t(v * 100 / (2 * n));
    return int16_t(scaled * 24 / 100);
}

void RankClubsByStrength() {
    for (int c = 0; c < kClubCount; ++c) ClubStrengthRanking[c] = {uint16_t(c), 0};
    for (uint16_t player = 1; IsValidPlayer(player); ++player) {
        if (GetPlayerLoanClub(player) == kNoClub || GetPlayerFlag95(player) != 0) continue;
        const uint16_t club = GetPlayerClub(player);
        if (!IsClubNumber(club)) continue;
        const int32_t value = ValuePlayer(player);
        if (value > 0) ClubStrengthRanking[club].strength += uint32_t(value);
    }
    for (ClubStrengthEntry& entry : ClubStrengthRanking) {
        const uint16_t rep = GetClubRep(int16_t(entry.club));
        if (rep != 0) entry.strength = (entry.strength + 1) / 63 * rep;
    }
    // Bubble sort: only a strictly smaller earlier entry moves down.
    for (int pass = 0; pass < kClubCount - 1; ++pass) {
        bool swapped = false;
        for (int i = 0; i + 1 < kClubCount - pass; ++i) {
            if (ClubStrengthRanking[i].strength < ClubStrengthRanking[i + 1].strength) {
                std::swap(ClubStrengthRanking[i], ClubStrengthRanking[i + 1]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
    for (uint16_t& count : ClubCountOfNation) count = 0;
    for (int c = 0; c < kClubCount; ++c) {
        const uint16_t nation = GetClubNation(int16_t(c));
        if (IsCountryNumber(nation) && GetClubRep(int16_t(c)) != 0) ++ClubCountOfNation[nation];
    }
}

int16_t BoardScoreFinance(int16_t club) {
    const int32_t balance = GetClubBalance(club);
    if (balance <= 0) return 0;
    return int16_t(balance / 250000 < 16 ? balance / 250000 : 16);
}

void RemoveClubManager(int16_t club) {
    const uint16_t manager = FindClubManager(club);
    if (manager == kNoManager) return;
    SackedClubControl = GetClubControl(club);
    SackedClub = uint16_t(club);
    SetPlayerClub(manager, int16_t(kNoClub));
    for (uint16_t& slot : ClubRoster[club]) {
        if (slot == manager) slot = 0;
    }
}

int16_t IsBoardUnhappy(int16_t club) {
    if (!IsClubNumber(club) || GetClubRep(club) == 0) return 0;
    const int total = BoardScoreFinance(club) + BoardFormScore(club) + BoardScorePerformance(club);
    return total < 20 ? 1 : 0;
}

int16_t GetBoardConfidence(int16_t club) {
    return int16_t(BoardFormScore(club) + BoardScoreFinance(club) + BoardScorePerformance(club));
}
