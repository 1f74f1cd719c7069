// Set-up blocks for predicted fixtures between clubs of the generated
// world, filled as the season's match set-up fills them: each club's
// match-day side picked once, then copied into the block per fixture.
#pragma once
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/club/squads.h"
#include "core/match/matchsetup.h"
#include "core/records/records.h"

namespace predicttest {

using namespace gameinfo;

constexpr int kSidePlayers = 16;

struct ClubSide {
    int16_t club = -1;
    uint16_t players[kSidePlayers] = {};  // by shirt - 1; 0 empty
    int starters = 0;
    int meanStarterOverall = 0;
};

inline int16_t Overall(uint16_t player) { return GetPlayerStat27(player); }

// Every club with a reputation gets its side of 11 + substitutes; the
// world must be loaded.
inline std::vector<ClubSide> PickAllSides(int substitutes) {
    SetUpAllClubTeams();
    std::vector<ClubSide> sides;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        CurrentClubManager = FindClubManager(club);
        BuildClubSquadList(club);
        SelectClubTeamByFormation(club, int16_t(substitutes), 0, 0);
        ClubSide side;
        side.club = club;
        int overall = 0;
        for (int i = 0; i < FirstTeamList.count; ++i) {
            const uint16_t p = FirstTeamList.players[i];
            const int shirt = GetPlayerShirt(p);
            if (shirt < 1 || shirt > 11 + substitutes) continue;
            side.players[shirt - 1] = p;
            if (shirt <= 11) {
                ++side.starters;
                overall += Overall(p);
            }
        }
        side.meanStarterOverall = side.starters ? overall / side.starters : 0;
        if (side.starters == 11) sides.push_back(side);
    }
    return sides;
}

// The database statistic behind each of the block's 22 match statistics,
// in the block's order (pace, stamina, power, ..., outlook), as the season's
// match set-up takes them before the day's form and fitness are applied.
constexpr int kBlockStatSource[kPlayerStatCount] = {8, 11, 10, 9, 12, 13, 14, 0,  1,  2,  3,
                                                    4, 5,  7,  6, 15, 16, 17, 18, 19, 20, 21};

inline void FillPlayer(EnterGameInfo* block, int team, int entry, uint16_t player) {
    const int at = PlayerInfoAt(team, entry);
    std::memset(block->bytes + at, 0, kPlayerInfoSize);
    std::snprintf(reinterpret_cast<char*>(block->bytes + at + kPlayerInfoName), kPlayerNameLength, "P%u",
                  player);
    block->SetI16(at + kPlayerInfoNumber, int16_t(player));
    block->SetU8(at + kPlayerInfoType, uint8_t(GetPlayerPosition(player)));
    for (int stat = 0; stat < kPlayerStatCount; ++stat) {
        const int value = GetPlayerStat(player, int16_t(kBlockStatSource[stat]), 0);
        block->SetI16(at + kPlayerStats + 2 * stat, int16_t(std::clamp(value, 1, 99)));
    }
    // The word after the statistics is the player's experience.
    block->SetI16(at + kPlayerOverall, int16_t(GetPlayerExperience(player)));
    block->SetI16(at + kPlayerShirt, int16_t(entry + 1));
    block->SetI16(at + kPlayerLeft, int16_t(player % 4 == 0));
    block->SetI16(at + kPlayerRight, int16_t(player % 4 != 1));
}

// A fixture between two picked sides: rules as the competition's, first-leg
// goals, both sides computer-managed on their clubs' presets.
struct FixtureRules {
    int16_t competition = 0;
    uint8_t extraTime = 0, penalties = 0, goldenGoal = 0, awayGoals = 0;
    int16_t oldGoals[2] = {0, 0};
    int substitutes = 5;
};

inline void FillFixture(EnterGameInfo* block, const ClubSide& home, const ClubSide& away,
                        const FixtureRules& rules) {
    std::memset(block->bytes, 0xFF, sizeof(block->bytes));
    block->SetU8(kExtraTime, rules.extraTime);
    block->SetU8(kPenalties, rules.penalties);
    block->SetU8(kGoldenGoals, rules.goldenGoal);
    block->SetU8(kAwayGoalsRule, rules.awayGoals);
    block->SetI16(kCompetition, rules.competition);
    block->SetI16(kNumAvailableSubs, int16_t(rules.substitutes));
    block->SetI16(kNumSubstitutionsAllowed, 3);
    block->SetI16(kRefereeNumber, int16_t((home.club + away.club) % 400));
    block->SetU8(kRefereeAttr1, uint8_t((home.club * 7 + away.club) % 60));
    block->SetU8(kRefereeAttr2, 50);
    block->SetU8(kRefereeFavours, 0);
    const ClubSide* sides[2] = {&home, &away};
    for (int team = 0; team < 2; ++team) {
        std::memset(block->bytes + TeamInfoAt(team) + kTeamName, 0, kTeamNameLength);
        std::snprintf(reinterpret_cast<char*>(block->bytes + TeamInfoAt(team) + kTeamName), kTeamNameLength,
                      "Club %d", sides[team]->club);
        block->SetTeamI16(team, kTeamClub, sides[team]->club);
        block->SetTeamU8(team, kHumanManaged, 0);
        block->SetTeamI16(team, kOldGoals, rules.oldGoals[team]);
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            const uint16_t p =
                entry < 11 + rules.substitutes && entry < kSidePlayers ? sides[team]->players[entry] : 0;
            if (p != 0)
                FillPlayer(block, team, entry, p);
            else
                block->SetI16(PlayerInfoAt(team, entry) + kPlayerInfoNumber, 0);
        }
    }
    FillMatchTeamBlocks(block, home.club, away.club, 1, 0, 0);
}

}  // namespace predicttest
