#include "core/season/pickteam.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/teamroles.h"
#include "core/match/matchsetup.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/nationalsquads.h"

using namespace gameinfo;

uint16_t TeamSheet[2][kTeamSheetSlots];
StarPlayer StarPlayers[3];

namespace {

constexpr int kStarters = 11;
constexpr int kSheetPlayers = 16;  // starters and substitutes
constexpr int16_t kUnsetRole = -1;

// The club each side was picked for, read by the role setters.
int16_t g_sideClub[2] = {-1, -1};

int16_t Stat(uint16_t player, int n) { return GetPlayerStat(player, int16_t(n), 0); }

bool IsNationalDay(int16_t competition) {
    return competition == kCompNationalTeam || competition == kCompNationalUnder21;
}

int PlayerInfoField(int side, int slot, int field) { return PlayerInfoAt(side, slot) + field; }
int StatField(int side, int slot, int stat) { return PlayerInfoField(side, slot, kPlayerStats + 2 * stat); }
int16_t InfoStat(int side, int slot, int stat) { return GameInfo.I16(StatField(side, slot, stat)); }
void SetInfoStat(int side, int slot, int stat, int value) {
    GameInfo.SetI16(StatField(side, slot, stat), int16_t(value));
}

// ---------------------------------------------------------------------------
// Star players

void ResetStarPlayers() {
    for (StarPlayer& star : StarPlayers) star = {0, 0};
}

// Over the selected list in order; a later player must do strictly better.
void FindStarPlayers() {
    for (int i = 0; i < std::min<int>(FirstTeamList.count, kSquadListSize); ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsPlayerNumber(p)) continue;
        const int16_t values[3] = {int16_t(GetPlayerGoals(p)), int16_t(GetPlayerAssists(p)),
                                   int16_t(GetPlayerPerf(p))};
        for (int role = 0; role < 3; ++role) {
            if (values[role] > StarPlayers[role].value) StarPlayers[role] = {p, values[role]};
        }
    }
}

int StarRolesOf(uint16_t player) {
    int roles = 0;
    for (const StarPlayer& star : StarPlayers) roles += star.player == player && player != 0;
    return roles;
}

// The club's manager.  The match set-up has just found him for the club's
// squad selection (CurrentClubManager); a search over every player is made
// only when that is some other club's.
uint16_t ClubManager(int16_t club) {
    const uint16_t known = CurrentClubManager;
    if (IsPlayerNumber(known) && known != kNoManager && GetPlayerClub(known) == uint16_t(club) &&
        (GetPlayerPosition(known) == 13 || GetPlayerHalvorn(known) != 0)) {
        return known;
    }
    return FindClubManager(club);
}

// ---------------------------------------------------------------------------
// Who plays in a slot

uint16_t ListPlayerWithShirt(const SquadList& list, int16_t club, int shirt, uint16_t (*shirtOf)(uint16_t)) {
    for (int i = 0; i < std::min<int>(list.count, kSquadListSize); ++i) {
        const uint16_t p = list.players[i];
        if (IsPlayerNumber(p) && shirtOf(p) == shirt && GetPlayerClub(p) == uint16_t(club)) return p;
    }
    return 0;
}

uint16_t SlotPlayer(int16_t club, int slot, int16_t competition) {
    if (IsNationalDay(competition)) {
        if (club < 0 || club >= kNationCodes) return 0;
        const uint16_t p = NationalLineUps[competition - kCompNationalTeam][club][slot];
        return IsPlayerNumber(p) ? p : 0;
    }
    if (competition == kCompReserveLeague)
        return ListPlayerWithShirt(ReserveList, club, slot + 1, GetPlayerIntShirt);
    return ListPlayerWithShirt(FirstTeamList, club, slot + 1, GetPlayerShirt);
}

// ---------------------------------------------------------------------------
// The match statistics of one player

struct Condition {
    int fatigue;
    int unfit;
    int lowMorale;
};

int FormOfTheDay(uint16_t player) {
    const int consistency = Stat(player, kConsistencyStat);
    return GameRandom() % 100 > consistency ? 10 + GameRandom() % 90 : 100;
}

// The local rivalry of two clubs close on the map, added to aggression.
int RivalryAggression(int16_t club, int16_t opponent, int16_t competition) {
    if (!IsClubNumber(club) || !IsClubNumber(opponent)) return 0;
    if (GetClubXCoord(club) == 99) return 0;
    const int distance = std::abs(int(GetClubXCoord(club)) - int(GetClubXCoord(opponent))) +
                         std::abs(int(GetClubYCoord(club)) - int(GetClubYCoord(opponent)));
    const int d = 15 - distance;
    if (d < 0) return 0;
    int term = d * d / 9;
    if (competition == kCompFriendly || competition == kCompReserveLeague) term /= 8;
    return term;
}

int16_t AttendanceFactorOf(int16_t competition) {
    return competition >= 0 && competition < kAttendanceFactors ? AttendanceFactor[competition] : 0;
}

void StoreName(int at, uint16_t player) {
    char name[kPlayerNameLength];
    std::snprintf(name, sizeof name, "%.15s", GetPlayerSurname(player));
    std::memset(GameInfo.bytes + at, 0, kPlayerNameLength);
    std::memcpy(GameInfo.bytes + at, name, std::strlen(name));
}

// The raw values of the eleven stats 0..10, kept beside the match figures.
constexpr int kRawCopies = 11;

}  // namespace

void ApplyFansMood(uint16_t player) {
    const int rating = GetPlayerFans(player);
    const int k = std::max(1, (63 - int(GetPlayerExperience(player))) / 10);
    int spread;
    int sign;
    if (rating < 21) {
        spread = (21 - rating) * k / 4;
        sign = -1;
    } else if (rating >= 48) {
        spread = (rating - 48) * k / 4;
        sign = 1;
    } else {
        return;
    }
    spread = std::max(spread, 1);
    const int moraleChange = GameRandom() % spread;
    const int formChange = GameRandom() % spread;
    SetPlayerMorale(player, int16_t(std::clamp(int(GetPlayerMorale(player)) + sign * moraleChange, 0, 63)));
    SetPlayerField96(player, int16_t(std::clamp(int(GetPlayerField96(player)) + sign * formChange, 0, 63)));
}

void AddPlayerToMatch(uint16_t player, int16_t side, int16_t slot, int16_t competition, int16_t neutral,
                      int16_t club, int16_t opponent) {
    if (!IsPlayerNumber(player) || (side != 0 && side != 1) || slot < 0 || slot >= kTeamSheetSlots) {
        std::printf("AddPlayerToMatch(): Error: player %u, side %d, slot %d\n", player, side, slot);
        FatalExit(__func__);
    }
    const bool national = IsNationalDay(competition);
    const Condition c{int(GetPlayerFatigue(player)), 60 - int(GetPlayerFitness(player)),
                      60 - int(GetPlayerMorale(player))};
    const int form = FormOfTheDay(player);
    ApplyFansMood(player);

    const int fans = GetPlayerFans(player);
    int eff = form - (60 - int(GetPlayerField96(player))) / 3 - (60 - int(GetPlayerField105(player))) / 3;
    if (side == 0 && neutral == 0) eff -= 31 - fans;
    eff = std::max(eff, 1);

    // On national-team days club and opponent are nation numbers: the club
    // records that happen to carry those numbers say nothing of the sides,
    // so their division, the players' history with them and their places
    // on the map are not read.
    const int fat2 = c.fatigue * c.fatigue / 10;
    const int unfit2 = c.unfit * c.unfit / 10;
    const int level = !national && IsClubNumber(club) && GetClubDivision(club) >= 6 ? 4 : 1;
    const int pressure =
        side == 1 && neutral == 0 ? AwaySupportShortfall * (100 - Stat(player, kSpiritStat)) / 900 * 2 : 0;

    int stars = 0;
    // Against a former club every player gives his all.
    if (!national && IsClubNumber(opponent) && HasPlayerHistoryEntry(player, opponent) != 0) {
        eff = 125;
        stars += 2;
    }
    const int experience = GetPlayerExperience(player);
    int nerves = 0;
    if (competition != kCompNationalTeam) {
        nerves = std::max(0, AttendanceFactorOf(competition) - Stat(player, kLeadershipStat) -
                                 Stat(player, kAggressionStat) - experience - int(GetPlayerCaps89(player)) -
                                 c.lowMorale);
    }

    int s[kPlayerStatCount] = {};
    s[kStatAggression] = Stat(player, kAggressionStat);
    if (!national && neutral == 0) s[kStatAggression] += RivalryAggression(club, opponent, competition);
    s[kStatAggression] = std::min(s[kStatAggression], 100);
    const int attributeC = GetPlayerField118(player);
    s[kStatGreed] = Stat(player, kGreedStat);
    s[kStatSpirit] = Stat(player, kSpiritStat) * 100 / (attributeC + 100);
    s[kStatLoyalty] = Stat(player, kLoyaltyStat);
    s[kStatIntelligence] = std::min<int>(Stat(player, kIntelligenceStat), 3 * experience);
    s[kStatLeadership] = Stat(player, kLeadershipStat);
    s[kStatOutlook] = Stat(player, kOutlookStat);

    const int d1 = unfit2 + 2 * fat2 + 100;
    const int d2 = unfit2 + fat2 + 100;
    const int d3 = d2 + attributeC;
    s[kStatPace] = Stat(player, kPaceStat) * 100 / d1;
    s[kStatAgility] = Stat(player, kAgilityStat) * 100 / d3;
    s[kStatPower] = Stat(player, kPowerStat) * 90 / d3;
    s[kStatResilience] = Stat(player, kResilienceStat) * 100 / d2;
    if (player == 1 || player == 2) s[kStatResilience] /= 2;
    s[kStatVision] = Stat(player, kVisionStat) * 100 / d3;
    s[kStatStamina] = Stat(player, kStaminaStat) * 100 / d3;

    const int m = std::max(c.lowMorale + pressure, -99);
    stars += StarRolesOf(player);

    constexpr int kSkillStats[7] = {kKeepingStat,  kHeadingStat, kTacklingStat, kPassingStat,
                                    kShootingStat, kDribbleStat, kDeadballStat};
    constexpr int kSkillFields[7] = {kStatKeeping,  kStatHeading, kStatTackling, kStatPassing,
                                     kStatShooting, kStatDribble, kStatDeadball};
    for (int i = 0; i < 7; ++i) {
        int raw = Stat(player, kSkillStats[i]);
        if (kSkillStats[i] == kShootingStat) raw = raw * 90 / 100;
        s[kSkillFields[i]] = raw * 100 / (m + 100);
    }
    for (int field : kSkillFields) s[field] = s[field] * eff / (level * 100);
    s[kStatStamina] = s[kStatStamina] * eff / (level * 120);

    s[kStatComposure] = Stat(player, kComposureStat) * 100 / (pressure + 100) - nerves;
    s[kStatIntelligence] -= nerves;
    s[kStatControl] = Stat(player, kControlStat) * 100 / (nerves + 100 + pressure);

    s[kStatAggression] = s[kStatAggression] * 100 / eff;
    s[kStatSpirit] = eff * s[kStatSpirit] / 100;
    for (int& value : s) value = std::clamp(value, 1, 99);

    const int at = PlayerInfoAt(side, slot);
    StoreName(at + kPlayerInfoName, player);
    GameInfo.SetI16(at + kPlayerInfoNumber, int16_t(player));
    GameInfo.SetU8(at + kPlayerInfoType, uint8_t(GetPlayerPosition(player)));
    GameInfo.SetI16(at + kSkinColour, int16_t(GetPlayerSkinColour(player)));
    GameInfo.SetI16(at + kHairColour, int16_t(GetPlayerHairColour(player)));
    GameInfo.SetI16(at + kPhysLookWord3, -1);
    GameInfo.SetI16(at + kHairStyle, int16_t(GetPlayerHairStyle(player)));
    GameInfo.SetI16(at + kPhysLookWord5, -1);
    for (int i = 0; i < kPlayerStatCount; ++i) SetInfoStat(side, slot, i, s[i]);
    GameInfo.SetI16(at + kPlayerOverall, int16_t(experience));
    GameInfo.SetI16(at + kPlayerPosition, int16_t(GetPlayerPosition(player)));
    int16_t shirt;
    if (competition == kCompReserveLeague) {
        shirt = int16_t(GetPlayerIntShirt(player));
    } else if (national) {
        shirt = int16_t(slot + 1);
    } else {
        shirt = int16_t(GetPlayerShirt(player));
    }
    GameInfo.SetI16(at + kPlayerShirt, shirt);
    GameInfo.SetI16(at + kPlayerSideA, national ? int16_t(slot + 1) : int16_t(GetPlayerField92(player)));
    GameInfo.SetI16(at + kPlayerLeft, int16_t(GetPlayerSetting3(player)));
    GameInfo.SetI16(at + kPlayerSideB, int16_t(GetPlayerSetting2(player)));
    GameInfo.SetI16(at + kPlayerRight, int16_t(GetPlayerSetting1(player)));
    GameInfo.SetI16(at + kPlayerInfoWord1, int16_t(player));
    GameInfo.SetI16(at + kPlayerInfoWord2, int16_t(stars));
    GameInfo.SetU8(at + kPlayerInfoByte, uint8_t(fans));
    for (int i = 0; i < kRawCopies; ++i)
        GameInfo.SetU8(at + kPlayerInfoReserved + i, uint8_t(GetPlayerStatRaw(player, int16_t(i))));
    TeamSheet[side][slot] = player;
}

// ---------------------------------------------------------------------------
// Captain and takers

namespace {

using ShirtGetter = uint16_t (*)(uint16_t);

bool InList(const SquadList& list, uint16_t player) {
    if (player == 0) return false;
    for (int i = 0; i < std::min<int>(list.count, kSquadListSize); ++i) {
        if (list.players[i] == player) return true;
    }
    return false;
}

// The listed player of the club with a shirt in first..last and the highest
// sum of the stats; the first one wins a tie.  0 when nobody qualifies.
uint16_t BestTaker(const SquadList& list, int16_t club, ShirtGetter shirtOf, int first, int last,
                   std::initializer_list<int> stats) {
    uint16_t best = 0;
    int bestSum = -1;
    for (int i = 0; i < std::min<int>(list.count, kSquadListSize); ++i) {
        const uint16_t p = list.players[i];
        if (!IsPlayerNumber(p)) continue;
        const int shirt = shirtOf(p);
        if (shirt < first || shirt > last) continue;
        if (IsClubNumber(club) && GetPlayerClub(p) != uint16_t(club)) continue;
        int sum = 0;
        for (int stat : stats) sum += Stat(p, stat);
        if (sum > bestSum) {
            bestSum = sum;
            best = p;
        }
    }
    return best;
}

// The human's choice when it wears a shirt 2..11, else the best taker,
// whom a human club remembers.  The shirt, or -1 when nobody.
int16_t RoleShirt(const SquadList& list, int16_t club, ShirtGetter shirtOf, uint16_t choice,
                  uint16_t* remember, std::initializer_list<int> stats) {
    const bool human = IsClubNumber(club) && GetClubControl(club) != 0;
    if (human && InList(list, choice)) {
        const int shirt = shirtOf(choice);
        if (shirt >= 2 && shirt <= 11) return int16_t(shirt);
    }
    const uint16_t taker = BestTaker(list, club, shirtOf, 2, 11, stats);
    if (human) *remember = taker;
    return taker != 0 ? int16_t(shirtOf(taker)) : kUnsetRole;
}

// Where a side's roles come from: its list and shirts, the human's choice
// per role, where a set-piece taker's pick is remembered, and how its
// captain is picked, found and stripped of his flag (a picked captain is
// not remembered).
struct RoleSource {
    const SquadList& list;
    ShirtGetter shirtOf;
    uint16_t choice[kTeamRoles];
    uint16_t* remember[kTeamRoles];
    void (*pickCaptain)();
    uint16_t (*findCaptain)(int16_t club);
    void (*setCaptainFlag)(uint16_t player, int16_t value);
};

// The side's captain once a fresh one is picked: the club's flagged player.
// The pick clears the flags of the listed players only, so a player who
// left the list still carrying the flag (a first-team captain moved down
// to the reserves keeps it) could be found first and name a man without a
// shirt of the side.  Such a flag is a leftover of his old place: it goes,
// and the look-up is made again.
uint16_t PickedCaptain(const RoleSource& source, int16_t club) {
    source.pickCaptain();
    if (!IsClubNumber(club)) return 0;
    for (;;) {
        const uint16_t found = source.findCaptain(club);
        if (found == 0) return 0;
        const int shirt = source.shirtOf(found);
        if (InList(source.list, found) && shirt >= 1 && shirt <= kStarters) return found;
        source.setCaptainFlag(found, 0);
    }
}

void SetRoles(int16_t side, const RoleSource& source) {
    const int16_t club = g_sideClub[side];
    const bool human = IsClubNumber(club) && GetClubControl(club) != 0;
    int16_t captain = 0;
    if (human && InList(source.list, source.choice[kRoleCaptain])) {
        const int shirt = source.shirtOf(source.choice[kRoleCaptain]);
        if (shirt >= 1 && shirt <= 11) captain = int16_t(shirt);
    }
    if (captain == 0) {
        const uint16_t picked = PickedCaptain(source, club);
        captain = picked != 0 ? int16_t(source.shirtOf(picked)) : int16_t(1);
    }
    GameInfo.SetTeamI16(side, kCaptain, captain);
    const auto taker = [&](TeamRole role, std::initializer_list<int> stats) {
        return RoleShirt(source.list, club, source.shirtOf, source.choice[role], source.remember[role],
                         stats);
    };
    GameInfo.SetTeamI16(side, kPenaltyTaker,
                        taker(kRolePenaltyTaker, {kComposureStat, kDeadballStat, kShootingStat}));
    GameInfo.SetTeamI16(side, kFreeKickTaker, taker(kRoleFreeKickTaker, {kPassingStat, kDeadballStat}));
    GameInfo.SetTeamI16(side, kCornerTaker, taker(kRoleCornerTaker, {kPassingStat, kDeadballStat}));
}

}  // namespace

// The human's choice is the first entry of each role's list; a set-piece
// taker the selection itself picks for a human club is remembered as the
// role's holder of the coming match.
void SetClubTeamRoles(int16_t side) {
    if (side != 0 && side != 1) return;
    RoleSource source{FirstTeamList,   GetPlayerShirt,  {}, {}, PickClubCaptain,
                      FindClubCaptain, SetPlayerCaptain};
    for (int role = 0; role < kTeamRoles; ++role) {
        source.choice[role] = ClubRoleLists[role][0];
        source.remember[role] = &MatchRoleHolders[role];
    }
    SetRoles(side, source);
}

// The reserve side's choices are one word per role, and a set-piece
// taker's pick is kept in the same word.
void SetSecondTeamRoles(int16_t side) {
    if (side != 0 && side != 1) return;
    RoleSource source{ReserveList,         GetPlayerIntShirt,   {}, {}, PickNationalCaptain,
                      FindNationalCaptain, SetPlayerFlag107Bit7};
    for (int role = 0; role < kTeamRoles; ++role) {
        source.remember[role] = &Code120RoleChoices[kCode120Word[role]];
        source.choice[role] = *source.remember[role];
    }
    SetRoles(side, source);
}

void SetNationalTeamRoles(int16_t nation, int16_t side, int16_t kind) {
    if ((side != 0 && side != 1) || nation < 0 || nation >= kNationCodes || (kind != 0 && kind != 1)) return;
    const uint16_t* lineUp = NationalLineUps[kind][nation];
    // A national player's shirt is his line-up slot + 1, and the match reads
    // the captain as a shirt (his figure is the shirt - 1): the line-up
    // position itself would name the player before him, and none at all for
    // the keeper.  So the captain is his position + 1, and the fallback
    // position 4 is shirt 5.
    int16_t captain = 5;
    for (int slot = 0; slot < kStarters; ++slot) {
        if (lineUp[slot] != 0 && lineUp[slot] == NationalCaptains[kind][nation]) {
            captain = int16_t(slot + 1);
            break;
        }
    }
    GameInfo.SetTeamI16(side, kCaptain, captain);
    const auto best = [&](std::initializer_list<int> stats) {
        int16_t shirt = kUnsetRole;
        int bestSum = -1;
        for (int slot = 0; slot < kStarters; ++slot) {
            if (!IsPlayerNumber(lineUp[slot])) continue;
            int sum = 0;
            for (int stat : stats) sum += Stat(lineUp[slot], stat);
            if (sum > bestSum) {
                bestSum = sum;
                shirt = int16_t(slot + 1);
            }
        }
        return shirt;
    };
    GameInfo.SetTeamI16(side, kPenaltyTaker, best({kComposureStat, kDeadballStat}));
    GameInfo.SetTeamI16(side, kFreeKickTaker, best({kVisionStat, kDeadballStat}));
    GameInfo.SetTeamI16(side, kCornerTaker, best({kPassingStat, kDeadballStat}));
}

namespace {

uint16_t Suggest(int16_t club, int16_t reserveSide, std::initializer_list<int> stats) {
    if (!IsClubNumber(club) || GetClubControl(club) != 0) return 0;
    return reserveSide != 0 ? BestTaker(ReserveList, club, GetPlayerIntShirt, 2, 11, stats)
                            : BestTaker(FirstTeamList, club, GetPlayerShirt, 2, 11, stats);
}

}  // namespace

uint16_t SuggestFreeKickTaker(int16_t club, int16_t reserveSide) {
    return Suggest(club, reserveSide, {kVisionStat, kDeadballStat});
}
uint16_t SuggestCornerTaker(int16_t club, int16_t reserveSide) {
    return Suggest(club, reserveSide, {kPassingStat, kDeadballStat});
}
uint16_t SuggestPenaltyTaker(int16_t club, int16_t reserveSide) {
    return Suggest(club, reserveSide, {kComposureStat, kDeadballStat, kShootingStat});
}

// ---------------------------------------------------------------------------
// Line leaders and the scaling of skills

void LineLeaderBoost(int16_t side) {
    if (side != 0 && side != 1) return;
    struct Line {
        int first, last, skill;
    };
    constexpr Line kLines[3] = {{1, 4, kStatTackling}, {5, 9, kStatPassing}, {10, 12, kStatShooting}};
    for (const Line& line : kLines) {
        int topExperience = -1;
        for (int slot = 0; slot < kStarters; ++slot) {
            const uint16_t p = TeamSheet[side][slot];
            if (p == 0) continue;
            const int position = GameInfo.I16(PlayerInfoField(side, slot, kPlayerPosition));
            if (position >= line.first && position <= line.last)
                topExperience = std::max(topExperience, int(GetPlayerExperience(p)));
        }
        if (topExperience < 0) continue;
        const int lift = topExperience * 100 / 60;
        if (lift == 50) continue;
        const int fields[6] = {kStatIntelligence, kStatComposure, kStatPower,
                               kStatAgility,      kStatVision,    line.skill};
        for (int slot = 0; slot < kStarters; ++slot) {
            if (TeamSheet[side][slot] == 0) continue;
            const int position = GameInfo.I16(PlayerInfoField(side, slot, kPlayerPosition));
            if (position < line.first || position > line.last) continue;
            for (int field : fields) {
                const int value = InfoStat(side, slot, field);
                if (value >= lift) continue;
                SetInfoStat(side, slot, field, lift < 50 ? lift : value + lift / 5);
            }
        }
    }
}

void NormaliseMatchStat(int16_t n) {
    int field;
    switch (n) {
        case 0:
            field = kStatKeeping;
            break;
        case 1:
            field = kStatHeading;
            break;
        case 2:
            field = kStatTackling;
            break;
        case 3:
            field = kStatPassing;
            break;
        case 4:
            field = kStatShooting;
            break;
        case 6:
            field = kStatControl;
            break;
        default:
            return;
    }
    int highest = 0;
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < kSheetPlayers; ++slot) {
            if (TeamSheet[side][slot] != 0) highest = std::max<int>(highest, InfoStat(side, slot, field));
        }
    }
    // Nothing to scale up to when the best is already 95, nor from nothing.
    if (highest >= 95 || highest <= 0) return;
    const int factor = 9500 / highest;
    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < kSheetPlayers; ++slot) {
            if (TeamSheet[side][slot] == 0) continue;
            if (field == kStatKeeping && GameInfo.I16(PlayerInfoField(side, slot, kPlayerPosition)) != 0)
                continue;
            SetInfoStat(side, slot, field, InfoStat(side, slot, field) * factor / 100);
        }
    }
}

// ---------------------------------------------------------------------------
// The side

void PickTeam(int16_t club, int16_t opponent, int16_t side, int16_t neutral, int16_t substitutes,
              int16_t competition) {
    if (side != 0 && side != 1) {
        std::printf("PickTeam(): Error: side %d\n", side);
        FatalExit(__func__);
    }
    const bool national = IsNationalDay(competition);
    ResetStarPlayers();
    std::fill(std::begin(TeamSheet[side]), std::end(TeamSheet[side]), uint16_t(0));
    g_sideClub[side] = national ? int16_t(-1) : club;

    // A national side has no club manager of its own to stand on its sheet,
    // and a club without a manager leaves the slot empty.
    if (!national) {
        const uint16_t manager = ClubManager(club);
        if (manager != kNoManager && IsPlayerNumber(manager))
            AddPlayerToMatch(manager, side, kManagerSlot, competition, neutral, club, opponent);
    }
    if (!national && competition != kCompReserveLeague) FindStarPlayers();
    const int last = kStarters + std::clamp<int>(substitutes, 0, kSheetPlayers - kStarters);
    for (int slot = 0; slot < last; ++slot) {
        const uint16_t player = SlotPlayer(club, slot, competition);
        if (player != 0) AddPlayerToMatch(player, side, int16_t(slot), competition, neutral, club, opponent);
    }

    if (national) {
        SetNationalTeamRoles(club, side, int16_t(competition - kCompNationalTeam));
        GameInfo.SetTeamU8(side, kHumanManaged, 0);
        GameInfo.SetTeamI16(side, kOldGoals, 0);
    } else {
        if (competition == kCompReserveLeague) {
            SetSecondTeamRoles(side);
        } else {
            SetClubTeamRoles(side);
        }
        GameInfo.SetTeamU8(side, kHumanManaged, uint8_t(GetClubControl(club)));
        GameInfo.SetTeamI16(side, kOldGoals, MatchRuleWords.oldGoals[side]);
    }
    // A national side's country is the nation itself, not that of the
    // club record with its number.
    const int country = national ? club : int(GetClubNation(club));
    if (IsCountryInPlay(country)) LineLeaderBoost(side);
}
