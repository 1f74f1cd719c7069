#include "core/match/qpredictteam.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/injuries.h"
#include "core/club/tactics.h"
#include "core/query/people.h"
#include "core/records/clubinjury.h"

QPredictState QPredict;

namespace {

using namespace gameinfo;

constexpr int kZones = 7;
constexpr int kGridRows = 18;
constexpr int kKeeperColumn = 25;
constexpr int kSecondPlaceX = 9;
constexpr int kSecondPlaceY = 11;
constexpr int kSeriousInjuryBase = 18;
constexpr int kMostSeriousInjuries = 2;
constexpr int kFirstMildType = 9;
constexpr int kLastMildType = 37;
constexpr int kMildSeverityBelow = 6;

// Defence: Keeping, Tackling, Heading, Control, Agility, Composure,
// Intelligence, overall value.
constexpr int kDefenceWeights[kZones][8] = {
    {0, 9, 9, 7, 5, 7, 7, 9}, {0, 9, 7, 6, 3, 6, 9, 7}, {0, 4, 4, 4, 1, 1, 4, 4}, {0, 3, 3, 3, 0, 0, 3, 3},
    {0, 2, 2, 2, 0, 0, 2, 2}, {0, 1, 1, 1, 0, 0, 1, 1}, {9, 2, 9, 9, 9, 7, 9, 7},
};
// Ball winning: Tackling, Aggression, Pace, overall value.
constexpr int kBallWinningWeights[kZones][4] = {
    {4, 2, 3, 3}, {7, 3, 5, 4}, {9, 6, 7, 6}, {7, 5, 6, 4}, {5, 4, 5, 2}, {3, 3, 3, 1}, {1, 1, 1, 1},
};
// Possession: Vision, Passing, Intelligence, Pace, Dribble, Control,
// Agility, Greed.
constexpr int kPossessionWeights[kZones][8] = {
    {2, 2, 2, 2, 1, 2, 1, -1}, {4, 4, 4, 4, 6, 4, 6, -2}, {6, 6, 6, 5, 4, 4, 2, -3},
    {9, 9, 6, 7, 7, 6, 6, -7}, {7, 7, 9, 9, 9, 7, 6, -9}, {2, 4, 7, 9, 7, 7, 6, -8},
    {3, 3, 3, 0, 0, 2, 0, 0},
};
constexpr int kShootingWeights[kZones] = {1, 2, 4, 6, 8, 9, 0};
constexpr int kHeadingWeights[kZones] = {2, 1, 2, 5, 7, 9, 0};

// Bench scores by the kind of player wanted: Keeping, Tackling, Passing,
// Shooting, Heading, Dribble, Agility, Vision, Pace.
constexpr int kReplacementKinds = 4;
constexpr int kReplacementWeights[kReplacementKinds][9] = {
    {75, 0, 0, 0, 10, 0, 15, 0, 0},
    {35, 0, 10, 0, 0, 10, 0, 0, 35},
    {0, 0, 0, 10, 0, 0, 0, 0, 60},
    {0, 0, 20, 0, 0, 0, 0, 0, 0},
};
constexpr int kKindKeeper = 0;
constexpr int kKindDefender = 1;
constexpr int kKindMidfielder = 2;
constexpr int kKindForward = 3;

QPredictPlayer& Player(int team, int player) { return QPredict.players[team][player]; }
QPredictTeam& Team(int team) { return QPredict.teams[team]; }

bool IsOnPitch(const QPredictPlayer& p) { return p.id != 0 && p.outCode == kQpOnPitch; }

uint8_t Attribute(const EnterGameInfo* block, int team, int place, int stat, int most) {
    const int value = block->I16(PlayerInfoAt(team, place) + kPlayerStats + 2 * stat);
    return uint8_t(std::clamp(value, 0, most));
}

int16_t Word(const EnterGameInfo* block, int team, int place, int field) {
    return block->I16(PlayerInfoAt(team, place) + field);
}

// The first player of the team, in place order, satisfying the test with
// the highest value; -1 when none does.
template <typename Test, typename Value>
int16_t BestPlayer(int team, Test test, Value value) {
    int16_t best = -1;
    int32_t bestValue = 0;
    for (int p = 0; p < Team(team).squadSize; ++p) {
        const QPredictPlayer& player = Player(team, p);
        if (!test(player)) continue;
        const int32_t v = value(player);
        if (best < 0 || v > bestValue) {
            best = int16_t(p);
            bestValue = v;
        }
    }
    return best;
}

int32_t TiredValue(int value, int tiredness) {
    return std::clamp(value - tiredness * value * 20 / 10000, 1, 100);
}

int32_t CornerValue(const QPredictPlayer& p) {
    if (p.roleBarred == 1) return 1;
    return (TiredValue(p.passing, p.tiredness) + TiredValue(p.deadball, p.tiredness)) / 2;
}

// The team's own tactic as the block names it (a preset or a custom slot
// that is not empty), else its club's preset.
const TacticRecord* TeamTacticRecord(const EnterGameInfo* block, int team, int16_t club,
                                     TacticRecord* scratch) {
    const int16_t choice = block->TeamI16(team, kTacticChoice);
    if (choice >= 0 && choice < kFormationPresets) {
        GetComputerTactics(scratch, choice);
        return scratch;
    }
    if (choice >= kFormationPresets && choice < kFormationPresets + kCustomTacticSlots) {
        std::memcpy(
            scratch->bytes,
            block->bytes + TeamInfoAt(team) + kTacticSlots + (choice - kFormationPresets) * kTacticRecordSize,
            kTacticRecordSize);
        if (!IsCustomTacticEmpty(scratch)) return scratch;
    }
    GetComputerTactics(scratch, GetClubTacticPreset(club));
    return scratch;
}

void SetUpFormationRows(const EnterGameInfo* block, int team, int16_t club) {
    TacticRecord scratch;
    const TacticRecord* record = TeamTacticRecord(block, team, club, &scratch);
    QpFormationRow* rows = QPredict.rows[team];
    rows[0] = {kQpKeeperZone, 0, {kKeeperColumn, 0, kKeeperColumn, 0}};
    for (int slot = 1; slot < kQpLineUp; ++slot) {
        const uint8_t* entry = record->bytes + slot * kTacticEntrySize;
        const int column1 = GetTacticEntryX(record, slot);
        const int row1 = std::clamp<int>(GetTacticEntryY(record, slot), 0, kGridRows - 1);
        const int column2 = int16_t(recbits::LoadU16(entry + kSecondPlaceX));
        const int row2 = int16_t(recbits::LoadU16(entry + kSecondPlaceY));
        rows[slot].zone = int16_t(row1 / 3);
        rows[slot].side = 0;
        rows[slot].pos[0] = QPredictConvertColumn(column1);
        rows[slot].pos[1] = QPredictConvertRow(row1);
        rows[slot].pos[2] = QPredictConvertColumn(column2);
        rows[slot].pos[3] = QPredictConvertRow(row2);
    }
    QPredictTeam& t = Team(team);
    std::fill(std::begin(t.zoneCounts), std::end(t.zoneCounts), uint8_t(0));
    for (int slot = 0; slot < kQpLineUp; ++slot) {
        const int zone = rows[slot].zone;
        if (zone >= 0 && zone < kQpKeeperZone) ++t.zoneCounts[zone / 2];
    }
}

void SetUpTeamRecord(const EnterGameInfo* block, int team, int16_t club) {
    QPredictTeam& t = Team(team);
    t = QPredictTeam{};
    t.squadSize = int16_t(MatchAvailableSubs(block) + kQpLineUp);
    t.clubId = uint16_t(club);
    std::memcpy(t.name, block->bytes + TeamInfoAt(team) + kTeamName, kTeamNameLength);
    t.name[kTeamNameLength - 1] = 0;
    t.carriedGoals = uint8_t(std::min<int>(MatchTeamOldGoals(block, team), 255));
    t.captain = block->TeamI16(team, kCaptain);
    t.penaltyTaker = block->TeamI16(team, kPenaltyTaker);
    t.freeKickTaker = block->TeamI16(team, kFreeKickTaker);
    t.cornerTaker1 = t.freeKickTaker;
    t.cornerTaker2 = block->TeamI16(team, kCornerTaker);
    t.goalkeeper = 0;
    t.onPitch = kQpLineUp;
    for (auto& g : t.goalList) g = {-1, -1, -1, -1, -1};
    for (auto& m : t.penaltyMisses) m = {-1, -1, -1, -1};
    for (auto& d : t.dismissalList) d = {-1, -1, -1};
    t.seriousInjuryLimit =
        uint8_t(std::clamp(GetClubInjuryByte(club) - kSeriousInjuryBase, 0, kMostSeriousInjuries));
}

void SetUpSquad(const EnterGameInfo* block, int team) {
    const int n = Team(team).squadSize;
    for (int place = 0; place < kQpSquadPlaces; ++place) {
        QPredictPlayer& p = Player(team, place);
        p = QPredictPlayer{};
        p.orderIndex = uint8_t(place);
        p.rating = 45;
        p.secondMorale = 50;
        p.firstBookingMinute = kQpNotBooked;
        p.injuryType = -1;
        p.finalZone = -1;
        p.slot = -1;
        p.outCode = kQpOnBench;
        if (place >= n) continue;
        const uint16_t id = uint16_t(Word(block, team, place, kPlayerInfoNumber));
        p.id = id == 0xFFFF ? 0 : id;
        p.databaseRef = p.id;
        p.shirt = uint8_t(std::clamp<int>(Word(block, team, place, kPlayerShirt), 0, 255));
        p.control = Attribute(block, team, place, kStatControl, 100);
        p.dribble = Attribute(block, team, place, kStatDribble, 100);
        p.greed = Attribute(block, team, place, kStatGreed, 90);
        p.vision = Attribute(block, team, place, kStatVision, 100);
        p.passing = Attribute(block, team, place, kStatPassing, 100);
        p.pace = Attribute(block, team, place, kStatPace, 100);
        p.agility = Attribute(block, team, place, kStatAgility, 100);
        p.composure = Attribute(block, team, place, kStatComposure, 100);
        p.power = Attribute(block, team, place, kStatPower, 100);
        p.shooting = Attribute(block, team, place, kStatShooting, 100);
        p.heading = Attribute(block, team, place, kStatHeading, 100);
        p.deadball = Attribute(block, team, place, kStatDeadball, 100);
        p.keeping = Attribute(block, team, place, kStatKeeping, 100);
        p.tackling = Attribute(block, team, place, kStatTackling, 100);
        p.aggression = Attribute(block, team, place, kStatAggression, 100);
        p.intelligence = Attribute(block, team, place, kStatIntelligence, 100);
        p.overall = uint8_t(std::clamp<int>(Word(block, team, place, kPlayerOverall), 0, 100) * 10 / 6);
        p.leadership = Attribute(block, team, place, kStatLeadership, 100);
        p.injuryThreshold = uint8_t(Attribute(block, team, place, kStatResilience, 100) / 2 + 45);
        p.morale = Attribute(block, team, place, kStatSpirit, 100);
        p.outlook = Attribute(block, team, place, kStatOutlook, 100);
        p.stamina = Attribute(block, team, place, kStatStamina, 90);
        p.playerType = uint8_t(block->U8(PlayerInfoAt(team, place) + kPlayerInfoType) & 3);
        const int16_t left = Word(block, team, place, kPlayerLeft);
        const int16_t right = Word(block, team, place, kPlayerRight);
        p.footCode = uint8_t(left != 1 ? 2 : right == 1 ? 0 : 1);
        if (place < kQpLineUp && p.id != 0) {
            p.slot = int16_t(place);
            p.outCode = kQpOnPitch;
            p.keeperBit = place == 0;
            p.lineUpBit = place != 0;
            std::copy(std::begin(QPredict.rows[team][place].pos), std::end(QPredict.rows[team][place].pos),
                      p.slotPos);
        }
    }
}

// Shirts outside 1..N get the smallest number 1..N that nobody wears;
// duplicated shirts inside the range are kept.
void RenumberShirts(int team) {
    const int n = Team(team).squadSize;
    for (int place = 0; place < n; ++place) {
        QPredictPlayer& p = Player(team, place);
        if (p.shirt >= 1 && p.shirt <= n) continue;
        for (int shirt = 1; shirt <= n; ++shirt) {
            bool worn = false;
            for (int other = 0; other < n && !worn; ++other) worn = Player(team, other).shirt == shirt;
            if (!worn) {
                p.shirt = uint8_t(shirt);
                break;
            }
        }
    }
}

int16_t PlayerWithShirt(int team, int shirt) {
    for (int place = 0; place < Team(team).squadSize; ++place) {
        const QPredictPlayer& p = Player(team, place);
        if (p.id != 0 && p.shirt == shirt) return int16_t(place);
    }
    return -1;
}

// A set-up taker number: shirts 2..11 name that squad member; anything
// else is picked afresh.
int16_t RoleFromShirt(int team, int16_t shirt, int16_t (*pick)(int)) {
    if (shirt >= 2 && shirt <= 11) return PlayerWithShirt(team, shirt);
    return pick(team);
}

void SetUpRoles(int team) {
    QPredictTeam& t = Team(team);
    t.captain = RoleFromShirt(team, t.captain, QPredictPickCaptain);
    t.penaltyTaker = RoleFromShirt(team, t.penaltyTaker, QPredictPickPenaltyTaker);
    t.freeKickTaker = RoleFromShirt(team, t.freeKickTaker, QPredictPickFreeKickTaker);
    t.cornerTaker1 = RoleFromShirt(team, t.cornerTaker1, QPredictPickCornerTaker);
    t.cornerTaker2 = RoleFromShirt(team, t.cornerTaker2, QPredictPickCornerTaker);
}

uint8_t RefereeByte(const EnterGameInfo* block, int at) { return uint8_t(std::min<int>(block->U8(at), 100)); }

int32_t WeightedSum(const QPredictPlayer& p, int kind, int zone) {
    if (zone < 0 || zone >= kZones) return 0;
    switch (kind) {
        case kQpDefence: {
            const int* w = kDefenceWeights[zone];
            return w[0] * p.keeping + w[1] * p.tackling + w[2] * p.heading + w[3] * p.control +
                   w[4] * p.agility + w[5] * p.composure + w[6] * p.intelligence + w[7] * p.overall;
        }
        case kQpBallWinning: {
            const int* w = kBallWinningWeights[zone];
            return w[0] * p.tackling + w[1] * p.aggression + w[2] * p.pace + w[3] * p.overall;
        }
        case kQpPossession: {
            const int* w = kPossessionWeights[zone];
            return w[0] * p.vision + w[1] * p.passing + w[2] * p.intelligence + w[3] * p.pace +
                   w[4] * p.dribble + w[5] * p.control + w[6] * p.agility + w[7] * p.greed;
        }
        case kQpShooting:
            return kShootingWeights[zone] *
                   (p.shooting + p.composure + p.control + p.deadball + p.power + p.overall);
        case kQpHeading:
            return kHeadingWeights[zone] *
                   (p.heading + p.agility + p.composure + p.control + p.power + p.overall);
        case kQpGoalkeeping: {
            const int* w = kDefenceWeights[zone];
            return w[0] * p.keeping + w[2] * p.heading + w[3] * p.control + w[4] * p.agility +
                   w[6] * p.intelligence + w[7] * p.overall;
        }
        default:
            return 0;
    }
}

int ReplacementScore(const QPredictPlayer& p, int kind) {
    const int* w = kReplacementWeights[kind];
    return w[0] * p.keeping + w[1] * p.tackling + w[2] * p.passing + w[3] * p.shooting + w[4] * p.heading +
           w[5] * p.dribble + w[6] * p.agility + w[7] * p.vision + w[8] * p.pace + 20 * p.stamina;
}

// The kind of player a database position asks for; the player-manager's
// own code counts as a midfielder.
int PositionKind(uint16_t id) {
    const int type = HVW_GetPositionType(id);
    return type >= kKindKeeper && type <= kKindForward ? type : kKindMidfielder;
}

void RecountOnPitch(int team) {
    QPredictTeam& t = Team(team);
    int count = 1;
    for (int p = 0; p < t.squadSize; ++p) {
        QPredictPlayer& player = Player(team, p);
        player.keeperBit = player.orderIndex == 0;
        if (player.keeperBit) t.goalkeeper = int16_t(p);
        const bool inLineUp = player.orderIndex >= 1 && player.orderIndex <= 10 && IsOnPitch(player);
        player.lineUpBit = inLineUp;
        if (inLineUp) ++count;
    }
    t.onPitch = uint8_t(count);
}

// Gives the keeper's slot, place and order index to the new goalkeeper.
void MakeGoalkeeper(int team, int16_t newKeeper) {
    QPredictTeam& t = Team(team);
    QPredictPlayer& incoming = Player(team, newKeeper);
    QPredictPlayer& old = Player(team, t.goalkeeper);
    std::swap(incoming.orderIndex, old.orderIndex);
    incoming.slot = 0;
    std::copy(std::begin(QPredict.rows[team][0].pos), std::end(QPredict.rows[team][0].pos), incoming.slotPos);
    old.keeperBit = 0;
    incoming.keeperBit = 1;
    incoming.lineUpBit = 0;
    t.goalkeeper = newKeeper;
    QPredict2_RepickRoles(team, newKeeper);
}

}  // namespace

// An empty place (negative) converts to a negative column, which no
// position class takes.
int16_t QPredictConvertColumn(int column) { return int16_t(column * 10 / 3); }
int16_t QPredictConvertRow(int row) { return int16_t(row * 50 / 17 + 5); }

void QPredictSetUpSquads(const EnterGameInfo* block, int16_t clubA, int16_t clubB) {
    const int16_t clubs[kQpTeams] = {clubA, clubB};
    for (int team = 0; team < kQpTeams; ++team) {
        SetUpTeamRecord(block, team, clubs[team]);
        SetUpFormationRows(block, team, clubs[team]);
        SetUpSquad(block, team);
        RenumberShirts(team);
        RecountOnPitch(team);
        Team(team).goalkeeper = 0;
        SetUpRoles(team);
    }
    QPredict.refereeBytes[0] = RefereeByte(block, kRefereeAttr1);
    QPredict.refereeBytes[1] = RefereeByte(block, kRefereeAttr2);
    QPredict.refereeBytes[2] = RefereeByte(block, kRefereeFavours);
    QPredict.refereeId = block->I16(kRefereeNumber);
    QPredict.mildInjuryCount = 0;
    for (int type = kFirstMildType; type <= kLastMildType; ++type) {
        if (InjurySeverity(type) < kMildSeverityBelow)
            QPredict.mildInjuries[QPredict.mildInjuryCount++] = int8_t(type);
    }
    QPredict.offTeam = QPredict.offPlayer = QPredict.offSlot = -1;
}

int16_t QPredictPlayerZone(int team, int player) {
    const QPredictPlayer& p = Player(team, player);
    if (p.slot >= 0 && p.slot < kQpLineUp) return QPredict.rows[team][p.slot].zone;
    return p.finalZone;
}

int16_t QPredictShape(int32_t c, int stamina, int morale) {
    // Each term is at least 1, so a sum of nothing (a keeper's shooting)
    // still gives 2.
    const int32_t c1 = std::max<int32_t>(1, c - stamina * c * 20 / 10000);
    const int32_t g = std::max<int32_t>(1, c + c * 2 * (morale - 50) * 10 / 10000);
    return int16_t(std::clamp<int32_t>(g - (c - c1), 1, INT16_MAX));
}

int16_t QPredictContribution(int team, int player, int kind) {
    const QPredictPlayer& p = Player(team, player);
    return QPredictShape(WeightedSum(p, kind, QPredictPlayerZone(team, player)), p.stamina, p.morale);
}

int16_t QPredictPenaltyRating(int team, int player) {
    const QPredictPlayer& p = Player(team, player);
    return QPredictShape(2 * 9 * (p.shooting + p.composure + p.deadball), p.stamina, p.morale);
}

void QPredictComputeRatings() {
    for (int team = 0; team < kQpTeams; ++team) {
        int32_t sums[kQpRatings] = {1, 1, 1, 1, 1};
        int32_t aggression = 0, threshold = 0, count = 0;
        for (int p = 0; p < kQpSquadPlaces; ++p) {
            for (int kind = 0; kind < kQpContributionKinds; ++kind) {
                QPredict.contributions[team][p][kind] =
                    p < Team(team).squadSize ? QPredictContribution(team, p, kind) : int16_t(0);
            }
            const QPredictPlayer& player = Player(team, p);
            if (p >= Team(team).squadSize || !IsOnPitch(player)) continue;
            for (int kind = 0; kind < kQpRatings; ++kind) sums[kind] += QPredict.contributions[team][p][kind];
            aggression += player.aggression;
            threshold += player.injuryThreshold;
            ++count;
        }
        std::copy(std::begin(sums), std::end(sums), QPredict.ratings[team]);
        QPredict.meanAggression[team] = count ? aggression / count : 0;
        QPredict.meanThreshold[team] = count ? threshold / count : 0;
    }
}

int16_t QPredictPickCaptain(int team) {
    return BestPlayer(team, IsOnPitch, [](const QPredictPlayer& p) { return int32_t(p.leadership); });
}

int16_t QPredictPickPenaltyTaker(int team) {
    return BestPlayer(
        team, [](const QPredictPlayer& p) { return IsOnPitch(p) && !p.keeperBit && p.roleBarred != 1; },
        [](const QPredictPlayer& p) { return int32_t(p.shooting); });
}

int16_t QPredictPickFreeKickTaker(int team) {
    return BestPlayer(
        team, [](const QPredictPlayer& p) { return IsOnPitch(p) && !p.keeperBit && p.roleBarred != 1; },
        [](const QPredictPlayer& p) { return int32_t(p.deadball); });
}

int16_t QPredictPickCornerTaker(int team) {
    return BestPlayer(
        team, [](const QPredictPlayer& p) { return IsOnPitch(p) && !p.keeperBit; }, CornerValue);
}

int16_t QPredict2_PickReplacement(int team, int player, int kind) {
    if (Team(team).substitutions >= kQpMaxSubstitutions) return -1;
    kind = std::clamp(kind, kKindKeeper, kKindForward);
    const int slot = QPredict.offTeam == team && QPredict.offPlayer == player ? QPredict.offSlot
                                                                              : Player(team, player).slot;
    const int side = slot >= 0 && slot < kQpLineUp ? QPredict.rows[team][slot].side : 0;
    return BestPlayer(
        team, [](const QPredictPlayer& p) { return p.id != 0 && p.outCode == kQpOnBench; },
        [side, kind](const QPredictPlayer& p) {
            int32_t score = ReplacementScore(p, kind);
            if (((side == 0 || side == 1) && p.footCode == 1) ||
                ((side == 3 || side == 4) && p.footCode == 2))
                score = score * 40 / 100;
            if ((p.playerType == 0) != (kind == kKindKeeper)) score /= 2;
            return score;
        });
}

void QPredict2_TakeOff(int team, int player, int outCode, int minute) {
    QPredictPlayer& p = Player(team, player);
    QPredict.offTeam = int16_t(team);
    QPredict.offPlayer = int16_t(player);
    QPredict.offSlot = p.slot;
    p.outCode = uint8_t(outCode);
    p.finalZone = QPredictPlayerZone(team, player);
    p.minuteOff = uint8_t(minute);
    p.slot = -1;
    if (Team(team).captain == player) Team(team).captain = QPredictPickCaptain(team);
}

// The kind of player wanted in place of one who went off.
static int ReplacementKind(int team, int player, int scoreState) {
    const QPredictPlayer& p = Player(team, player);
    if (p.injuredFlag) return PositionKind(p.id);
    if (scoreState == 1) return kKindForward;
    if (scoreState == 2) return kKindDefender;
    return PositionKind(p.id);
}

void QPredict2_Substitute(int team, int player, int minute, int scoreState) {
    const int16_t incoming =
        QPredict2_PickReplacement(team, player, ReplacementKind(team, player, scoreState));
    if (incoming >= 0) {
        QPredictPlayer& in = Player(team, incoming);
        QPredictPlayer& out = Player(team, player);
        const int slot = QPredict.offTeam == team && QPredict.offPlayer == player ? QPredict.offSlot : -1;
        in.slot = int16_t(slot);
        if (slot >= 0)
            std::copy(std::begin(QPredict.rows[team][slot].pos), std::end(QPredict.rows[team][slot].pos),
                      in.slotPos);
        in.outCode = kQpOnPitch;
        in.minuteOn = uint8_t(minute);
        std::swap(in.orderIndex, out.orderIndex);
        out.outCode = kQpReplaced;
        ++Team(team).substitutions;
    }
    RecountOnPitch(team);
}

void QPredict2_RepickRoles(int team, int player) {
    QPredictTeam& t = Team(team);
    if (t.penaltyTaker == player) t.penaltyTaker = QPredictPickPenaltyTaker(team);
    if (t.freeKickTaker == player) t.freeKickTaker = QPredictPickFreeKickTaker(team);
    if (t.cornerTaker1 == player) t.cornerTaker1 = QPredictPickCornerTaker(team);
    if (t.cornerTaker2 == player) t.cornerTaker2 = QPredictPickCornerTaker(team);
}

void QPredictReplaceGoalkeeper(int team, int minute) {
    QPredictTeam& t = Team(team);
    int16_t benchKeeper = -1;
    for (int p = 0; p < t.squadSize && benchKeeper < 0; ++p) {
        const QPredictPlayer& player = Player(team, p);
        if (player.id != 0 && player.outCode == kQpOnBench && player.playerType == 0)
            benchKeeper = int16_t(p);
    }
    if (t.substitutions < kQpMaxSubstitutions && benchKeeper >= 0) {
        int16_t goingOff = -1;
        for (int type = kKindForward; type >= kKindMidfielder && goingOff < 0; --type) {
            goingOff = BestPlayer(
                team,
                [type](const QPredictPlayer& p) {
                    return IsOnPitch(p) && !p.keeperBit && p.playerType == type;
                },
                [type, minute](const QPredictPlayer& p) {
                    const int32_t value = minute < 30 ? ReplacementScore(p, type) : p.rating;
                    return -value;  // the lowest value goes off
                });
        }
        if (goingOff >= 0) {
            QPredict2_TakeOff(team, goingOff, kQpReplaced, minute);
            QPredictPlayer& keeper = Player(team, benchKeeper);
            keeper.outCode = kQpOnPitch;
            keeper.minuteOn = uint8_t(minute);
            ++t.substitutions;
            MakeGoalkeeper(team, benchKeeper);
            RecountOnPitch(team);
            return;
        }
    }
    const int16_t best = BestPlayer(
        team, [](const QPredictPlayer& p) { return IsOnPitch(p) && !p.keeperBit; },
        [](const QPredictPlayer& p) { return int32_t(p.keeping); });
    if (best < 0) return;
    Player(team, best).slot = -1;
    MakeGoalkeeper(team, best);
    RecountOnPitch(team);
}

void QPredict2_MovePlayerMorale(int team, int player, int amount) {
    QPredictPlayer& p = Player(team, player);
    const int morale = p.morale + amount;
    if (morale >= 0 && morale <= 100) p.morale = uint8_t(morale);
}

void QPredict2_MoveTeamMorale(int team, int amount) {
    const QPredictTeam& t = Team(team);
    const int step = amount * (t.captain >= 0 && t.captain == t.goalkeeper ? 7 : 5);
    for (int p = 0; p < t.squadSize; ++p) {
        if (Player(team, p).id != 0) QPredict2_MovePlayerMorale(team, p, step);
    }
}
