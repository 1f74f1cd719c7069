#include "core/season/nationalsquads.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/club/injuries.h"
#include "core/club/playervalue.h"
#include "core/club/shortlist.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

uint16_t NationalSquads[kNationalTeamKinds][kNationCodes][kNationalSquadSize];
uint16_t NationalCaptains[kNationalTeamKinds][kNationCodes];

const NationalSquadSlot NationalSquadSlots[kNationalSquadSize] = {
    {0, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 0}, {2, 0},  {4, 0},  {3, 1},  {3, 2},  {5, 3},
    {5, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 1}, {9, 2}, {12, 0}, {12, 0}, {11, 0}, {11, 0}, {11, 0},
};

namespace {

// Formation and variant of the national sides' line-ups: nation 0 and 1
// have their own, nations 2-31 share one, and nations from 32 on, which
// have no entry, play as nation 2.
struct NationShape {
    int8_t formation;
    int8_t variant;
};
constexpr NationShape NationFormation(int nation) {
    if (nation == 0) return {2, 5};
    if (nation == 1) return {0, 4};
    return {0, 5};
}

// The substitutes' positions, shirts 12-16.
constexpr int16_t kBenchPositions[5] = {4, 5, 11, 8, 0};
constexpr int kLineUpStarters = 11;
constexpr int16_t kNoSideMode = 3;

bool IsNation(int16_t nation) { return nation >= 0 && nation < kNationCodes; }
bool IsKind(int16_t kind) { return kind == 0 || kind == 1; }

constexpr int16_t kMessageNationalCaptain[kNationalTeamKinds] = {kMsgNationalCaptain, kMsgUnder21Captain};
constexpr int16_t kMessageSelected[kNationalTeamKinds] = {kMsgCalledUp, kMsgUnder21CalledUp};
constexpr int16_t kMessageCalledUp[kNationalTeamKinds] = {kMsgShortlistCalledUp,
                                                          kMsgShortlistUnder21CalledUp};
constexpr int16_t kNationNameText = 2610;
constexpr uint16_t kFitForSelection = 48;

bool InSquads(int16_t nation, uint16_t player) {
    for (int kind = 0; kind < kNationalTeamKinds; ++kind) {
        for (uint16_t p : NationalSquads[kind][nation]) {
            if (p == player) return true;
        }
    }
    return false;
}

// The player's worth for the place: attributes by the position's weights,
// consistency, fitness and the liking the preference asks for.
int64_t NationalScore(uint16_t player, int16_t position, int16_t preference) {
    const int8_t* w = PlayerValueTables.weights[position];
    int64_t score = 20 * int64_t(GetPlayerStat(player, kStaminaStat, 0));
    for (int column = 0; column < kValueColumns; ++column) {
        if (w[column] != 0) score += int64_t(w[column]) * GetPlayerStat(player, kValueColumnStat[column], 0);
    }
    score = score * GetPlayerStat(player, kConsistencyStat, 0) / 100;
    score = (score / 70) * (int64_t(GetPlayerFitness(player)) + 10);
    int setting = 3;
    if (preference == 0) setting = GetPlayerSetting2(player);
    if (preference == 1) setting = GetPlayerSetting3(player);
    if (preference == 2) setting = GetPlayerSetting1(player);
    if (setting != 3) score = score * (setting * 20 + 40) / 100;
    return score;
}

// The nation's players in number order, while a squad is chosen: each of
// its 24 places asked for the whole player table's nationalities.  Nobody
// changes nationality while a squad is chosen.
struct NationPlayers {
    bool listed = false;
    int16_t nation = -1;
    std::vector<uint16_t> players;
};
NationPlayers g_nationPlayers;

uint16_t BestNationalPlayer(int16_t position, int16_t preference, int16_t nation, int16_t kind,
                            bool secondPass) {
    const bool seasonOver = SeasonCalendar.currentDay >= SeasonCalendar.leagueEndDay[0];
    const uint16_t oldest = secondPass ? 7 : 5;
    uint16_t best = 0;
    int64_t bestScore = 0;
    const bool listed = g_nationPlayers.listed && g_nationPlayers.nation == nation;
    const size_t count =
        listed ? g_nationPlayers.players.size() : size_t(PlayerCount > 0 ? PlayerCount - 1 : 0);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t p = listed ? g_nationPlayers.players[i] : uint16_t(i + 1);
        if (GetPlayerNationality(p) != uint16_t(nation) || GetPlayerIT(p) != 0) continue;
        if (GetPlayerFitness(p) < kFitForSelection && !seasonOver) continue;
        if (!secondPass) {
            if (position == 0 && GetPlayerPosition2(p) != 0) continue;
            if (GetPlayerHalvornB(p) != 0 || GetPlayerFlag95(p) != 0) continue;
        }
        if (kind == 1 && GetPlayerAge(p) > oldest) continue;
        if (InSquads(nation, p)) continue;
        const int64_t score = NationalScore(p, position, preference);
        if (score > bestScore) {
            bestScore = score;
            best = p;
        }
    }
    return best;
}

int16_t AgeInYears(uint16_t player) { return int16_t(GetPlayerAge(player) + 16); }

}  // namespace

uint16_t FindNationalPlayer(int16_t position, int16_t preference, int16_t nation, int16_t kind) {
    if (!IsNation(nation) || !IsKind(kind)) return 0;
    position = int16_t(std::clamp<int>(position, 0, kValuePositions - 1));
    uint16_t player = BestNationalPlayer(position, preference, nation, kind, false);
    // Nobody: one position further up, and older under-21 players.
    if (player == 0) {
        const int16_t next = int16_t(std::min<int>(position + 1, kValuePositions - 1));
        player = BestNationalPlayer(next, preference, nation, kind, true);
    }
    // A nation without a usable player for the place leaves it empty (the
    // line-up then reports itself incomplete) rather than ending the game
    // in the middle of a season.
    if (player == 0) {
        std::printf("FindNationalPlayer(): Error: Cannot find national player '%d'\n", nation);
        return 0;
    }
    const int caps = kind == 0 ? GetPlayerCaps89(player) : GetPlayerCaps116(player);
    ChangePlayerMorale(player, int16_t(std::max(1, 10 - caps)));
    return player;
}

void SelectNationalSquad(int16_t nation, int16_t opponent, int16_t kind) {
    if (!IsNation(nation) || !IsKind(kind)) return;
    uint16_t* squad = NationalSquads[kind][nation];
    // A squad still on duty for an earlier match goes back to its clubs:
    // once replaced, nobody would release it.
    for (int slot = 0; slot < kNationalSquadSize; ++slot) {
        if (IsPlayerNumber(squad[slot])) SetPlayerIntDuty(squad[slot], 0);
    }
    std::memset(squad, 0, sizeof NationalSquads[kind][nation]);
    g_nationPlayers.players.clear();
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerNationality(p) == uint16_t(nation)) g_nationPlayers.players.push_back(p);
    }
    g_nationPlayers.nation = nation;
    g_nationPlayers.listed = true;
    for (int slot = 0; slot < kNationalSquadSize; ++slot) {
        const NationalSquadSlot& place = NationalSquadSlots[slot];
        const uint16_t p = FindNationalPlayer(place.position, place.preference, nation, kind);
        squad[slot] = p;
        if (p == 0) continue;
        const uint16_t club = GetPlayerClub(p);
        if (IsClubNumber(club) && GetClubControl(int16_t(club)) != 0) {
            AddMessage(int16_t(club), -1, p, 0xFFFFFFFFu, -1, -1, -1,
                       int16_t(kNationNameText + GetPlayerNationality(p)),
                       int16_t(kNationNameText + opponent), AgeInYears(p), -1, kMessageSelected[kind], 1, 0);
        }
    }
    g_nationPlayers.listed = false;
}

void CallUpNationalSquad(int16_t nation, int16_t kind, int16_t) {
    if (!IsNation(nation) || !IsKind(kind)) return;
    for (uint16_t p : NationalSquads[kind][nation]) {
        if (!IsPlayerNumber(p)) continue;
        SetPlayerIntDuty(p, 1);
        ChangePlayerStatRandom(p, 5);
        if (ShortList_IsPlayerOn(p) == 0) continue;
        AddMessage(HVW_GetMyClub(), int16_t(GetPlayerClub(p)), p, 0xFFFFFFFFu, -1, -1, -1,
                   int16_t(304 + GetPlayerNationality(p)), int16_t(300 + HVW_GetPositionType(p)),
                   AgeInYears(p), -1, kMessageCalledUp[kind], 1, 0);
    }
}

void ReleaseNationalSquad(int16_t nation, int16_t kind) {
    if (!IsNation(nation) || !IsKind(kind)) return;
    for (uint16_t p : NationalSquads[kind][nation]) {
        if (IsPlayerNumber(p)) SetPlayerIntDuty(p, 0);
    }
}

void RescheduleClubsForNationalDay(int16_t nation, int16_t day) {
    if (!IsNation(nation)) return;
    for (int kind = 0; kind < kNationalTeamKinds; ++kind) {
        for (uint16_t p : NationalSquads[kind][nation]) {
            if (p == 0) break;
            if (!IsPlayerNumber(p)) continue;
            const uint16_t club = GetPlayerClub(p);
            if (!IsClubNumber(club)) continue;
            int away = 0;
            for (uint16_t member : ClubRoster[club])
                away += IsPlayerNumber(member) && GetPlayerIntDuty(member) != 0;
            if (away > 2) MoveClubLeagueFixtures(int16_t(club), day);
        }
    }
}

void LoadNationalSquadIntoSquadList(int16_t nation, int16_t kind) {
    std::memset(&FirstTeamList, 0, sizeof FirstTeamList);
    if (!IsNation(nation) || !IsKind(kind)) return;
    std::memcpy(FirstTeamList.players, NationalSquads[kind][nation], sizeof NationalSquads[kind][nation]);
    FirstTeamList.count = kNationalSquadSize;
}

int16_t PickNationalTeam(int16_t nation, int16_t kind) {
    if (!IsNation(nation) || !IsKind(kind)) return 1;
    uint16_t* lineUp = NationalLineUps[kind][nation];
    std::memset(lineUp, 0, sizeof NationalLineUps[kind][nation]);
    const int16_t club = NationalPseudoClub(kind);
    const int16_t competition = NationalCompetition(kind);
    lineUp[0] = PickPlayerForSlot(0, kNoSideMode, club, 0, nation, 0, competition, 0);
    const NationShape shape = NationFormation(nation);
    for (int k = 0; k < kOutfieldShirts; ++k) {
        const int16_t shirt = FormationPickOrder[shape.formation][k];
        const FormationSlot& slot = FormationSlotTable.slot[shape.formation][shape.variant][shirt - 2];
        lineUp[k + 1] = PickPlayerForSlot(slot.position, slot.mode, club, 0, nation, 0, competition, 0);
    }
    ChooseNationalCaptain(nation, kind);
    for (int k = 0; k < 5; ++k) {
        lineUp[kLineUpStarters + k] =
            PickPlayerForSlot(kBenchPositions[k], kNoSideMode, club, 1, nation, 0, competition, 0);
    }
    for (int k = 0; k < kNationalSquadSlots; ++k) {
        if (lineUp[k] == 0) return 1;
    }
    return 0;
}

void ChooseNationalCaptain(int16_t nation, int16_t kind) {
    if (!IsNation(nation) || !IsKind(kind)) return;
    uint16_t captain = 0;
    int16_t best = -1;
    for (int k = 0; k < kLineUpStarters; ++k) {
        const uint16_t player = NationalLineUps[kind][nation][k];
        if (!IsPlayerNumber(player)) continue;
        // Compared as the 16-bit product the line-up has always used.
        const int16_t product =
            int16_t(GetPlayerExperience(player) * GetPlayerStat(player, kLeadershipStat, 0));
        if (product > best) {
            best = product;
            captain = player;
        }
    }
    if (captain == 0) return;
    SetPlayerReputation(captain, int16_t(GetPlayerReputation(captain) + 2));
    const uint16_t club = GetPlayerClub(captain);
    if (IsClubNumber(club) && GetClubControl(int16_t(club)) != 0) {
        AddMessage(int16_t(club), -1, captain, 0xFFFFFFFFu, -1, -1, -1,
                   int16_t(kNationNameText + GetPlayerNationality(captain)), -1, GetPlayerAge(captain) + 16,
                   -1, kMessageNationalCaptain[kind], 1, 0);
    }
    NationalCaptains[kind][nation] = captain;
}
