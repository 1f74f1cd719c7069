#include "season/nationalsquads.h"

#include <cstring>

#include "database/Access.h"
#include "database/ranges.h"
#include "season/messages.h"

uint16_t NationalSquads[kNationalTeamKinds][kNationCodes][kNationalSquadSize];
uint16_t NationalCaptains[kNationalTeamKinds][kNationCodes];

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

constexpr int16_t kMessageNationalCaptain[kNationalTeamKinds] = {48, 49};
constexpr int16_t kNationNameText = 2610;

}  // namespace

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
        const int16_t product = int16_t(GetPlayerExperience(player) * GetPlayerStat(player, 20, 0));
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
