#include "core/season/matchsetup.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/clubmoney.h"
#include "core/club/squads.h"
#include "core/club/stadium.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/wholematch.h"
#include "core/records/blockfiles.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/dates.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/clubfixtures.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/nationalsquads.h"
#include "core/season/pickteam.h"
#include "core/season/postmatch.h"

#define DIV \
    { 3, 5, 0 }
#define NONE \
    { 0, 0, 0 }

// Country 0 has five divisions, 1-3 four, 4 five, 5, 7 and 8 two, 6 three.
const uint8_t DivisionMatchRules[kCountryCount][kDivisionCount][3] = {
    {DIV, DIV, DIV, DIV, DIV, NONE},   {DIV, DIV, DIV, DIV, NONE, NONE},   {DIV, DIV, DIV, DIV, NONE, NONE},
    {DIV, DIV, DIV, DIV, NONE, NONE},  {DIV, DIV, DIV, DIV, DIV, NONE},    {DIV, DIV, NONE, NONE, NONE, NONE},
    {DIV, DIV, DIV, NONE, NONE, NONE}, {DIV, DIV, NONE, NONE, NONE, NONE}, {DIV, DIV, NONE, NONE, NONE, NONE},
};
#undef DIV
#undef NONE

const int32_t BroadcastMoney[kCountryCount][kDivisionCount] = {
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 1000000, 1000000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 500000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
};

const int16_t TicketPrice[kCountryCount][kDivisionCount] = {
    {30, 8, 4, 3, 2, 2},  {30, 8, 4, 3, 4, 4},  {30, 8, 4, 4, 2, 2},
    {30, 10, 4, 4, 4, 4}, {30, 10, 8, 6, 4, 4}, {30, 10, 4, 4, 4, 4},
    {30, 10, 8, 6, 6, 4}, {30, 10, 4, 4, 4, 4}, {30, 10, 4, 4, 4, 4},
};

const int16_t CountryInPlay[kCountryCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

// Only country 2 plays its play-off semi-finals' first matches to a finish.
const int16_t PlayOffKinds[kCountryCount][3] = {
    {0, 0, 0}, {0, 0, 0}, {2, 2, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0},
};

namespace {

constexpr int16_t kBigCupRounds[2][8] = {{70, 80, 100, 120, 140, 190, 200, 200},
                                         {65, 75, 95, 115, 135, 185, 195, 195}};
constexpr int16_t kSmallCupRounds[2][8] = {{30, 45, 60, 80, 110, 130, 150, 200},
                                           {25, 40, 55, 75, 105, 125, 145, 195}};

constexpr std::array<int16_t, kAttendanceFactors> MakeAttendanceFactors() {
    std::array<int16_t, kAttendanceFactors> f{};
    f[kCompLeague] = 60;
    f[kCompPlayOffFirst] = 120;
    f[kCompPlayOffSecond] = 125;
    f[kCompPlayOffFinal] = 200;
    f[kCompChampionVsCupWinner] = 120;
    // National cups 1 and 2 draw smaller crowds than cups 0 and 3 and the
    // European cups.
    for (int cup = 0; cup < 7; ++cup) {
        const auto& rounds = cup == 1 || cup == 2 ? kSmallCupRounds : kBigCupRounds;
        for (int code = 0; code < kCodesPerCup; ++code)
            f[CupCode(cup, code)] = rounds[code / kSecondMatchCodes][code % kSecondMatchCodes];
    }
    f[kCompFriendly] = 10;
    f[kCompNationalTeam] = 100;
    f[kCompNationalUnder21] = 60;
    f[kCompReserveLeague] = 5;
    return f;
}

}  // namespace

const std::array<int16_t, kAttendanceFactors> AttendanceFactor = MakeAttendanceFactors();

MatchRuleWordSet MatchRuleWords;
int32_t LastAttendance;
int16_t AwaySupportShortfall;
int16_t AutoManagementSwitch;
MatchSetupHooks SetupHooks;

using namespace gameinfo;

namespace {

constexpr int kStands = 4;
constexpr int32_t kNeutralCapacity = 78000;
constexpr int32_t kFixtureAttendanceMax = (1 << 23) - 1;
constexpr int16_t kMatchMinutes = 5;
constexpr int16_t kCrowdSizeStep = 2500;
// A kind of its own: the club's history log lists kinds 0-17 only, and
// the crowd itself is kept with the club's records.
constexpr int kGateShare = 17;  // percent of a gate that goes in match costs

int32_t StadiumCapacity(int16_t club) {
    int32_t total = 0;
    for (int stand = 0; stand < kStands; ++stand) total += StandThousandsOf(club, stand);
    return total * 1000;
}

void CheckClub(const char* function, int16_t club) {
    if (IsClubNumber(club)) return;
    std::printf("%s(): Error: club %d is not a club\n", function, club);
    FatalExit(function);
}

bool IsCupCode(int16_t competition) {
    return competition >= kCompFirstNationalCup && competition <= kCompLastCup;
}

// The goals of the first leg: the fixture with the clubs the other way
// round.  A first leg missing from the table or never played counts 0-0.
void TakeFirstLegGoals(int16_t home, int16_t away, int16_t firstLegCode) {
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot)) break;
        if (FixtureType(slot) != firstLegCode || FixtureHome(slot) != away || FixtureAway(slot) != home)
            continue;
        if (!IsFixturePlayed(slot)) break;
        const uint32_t score = FixtureScore(slot);
        MatchRuleWords.oldGoals[0] = int16_t((score >> 5) & kFixtureGoalsMask);
        MatchRuleWords.oldGoals[1] = int16_t(score & kFixtureGoalsMask);
        return;
    }
    std::printf("PrepareClubMatch(): Warning: no played first leg %d v %d (type %d)\n", away, home,
                firstLegCode);
}

// A rule byte of the round table; 255 (no such round) reads 0.
int16_t RuleByte(uint8_t value) { return value == 0xFF ? int16_t(0) : int16_t(int8_t(value)); }

// The rules of the competition into the rule words; gives the substitutes.
int16_t SetCompetitionRules(int16_t competition, int16_t country, int16_t home, int16_t away,
                            int16_t substitutes) {
    MatchRuleWords = {};
    switch (competition) {
        case kCompPlayOffFirst:
            if (PlayOffKinds[country][0] == 2) {
                MatchRuleWords.penalties = 1;
                MatchRuleWords.extraTime = 1;
            }
            break;
        case kCompPlayOffSecond:
            MatchRuleWords.awayGoalsRule = 1;
            MatchRuleWords.extraTime = 1;
            MatchRuleWords.penalties = 1;
            TakeFirstLegGoals(home, away, kCompPlayOffFirst);
            break;
        case kCompPlayOffFinal:
        case kCompChampionVsCupWinner:
            MatchRuleWords.penalties = 1;
            MatchRuleWords.extraTime = 1;
            break;
        default:
            if (IsCupCode(competition)) {
                const int cup = (competition - kCompFirstNationalCup) / kCodesPerCup;
                const int code = (competition - kCompFirstNationalCup) % kCodesPerCup;
                const bool secondMatch = code >= kSecondMatchCodes;
                const uint8_t* round = CupRoundRules.bytes[country][cup][code % kSecondMatchCodes];
                if (!secondMatch) {
                    MatchRuleWords.extraTime = RuleByte(round[kCupExtraTime]);
                    MatchRuleWords.penalties = RuleByte(round[kCupMatchMode]);
                } else {
                    if (round[kCupMatchMode] == 2) {
                        MatchRuleWords.awayGoalsRule = 1;
                        TakeFirstLegGoals(home, away, int16_t(competition - kSecondMatchCodes));
                    }
                    MatchRuleWords.extraTime = RuleByte(round[kCupSecondExtraTime]);
                    MatchRuleWords.penalties = RuleByte(round[kCupSecondShootOut]);
                }
                // A cup the country does not have holds no substitutes
                // figure; the division's stays then.
                if (round[kCupSubstitutes] <= 5) substitutes = round[kCupSubstitutes];
            }
            break;
    }
    // Two legs (2) and group matches (3) decide nothing by a shoot-out.
    if (MatchRuleWords.penalties == 2 || MatchRuleWords.penalties == 3) MatchRuleWords.penalties = 0;
    return substitutes;
}

void SetReferee(EnterGameInfo* block, int16_t referee) {
    block->SetI16(kRefereeNumber, referee);
    block->SetU8(kRefereeAttr1, uint8_t(HVW_GetRefereeRating(referee)));
    block->SetU8(kRefereeAttr2, uint8_t(HVW_GetRefereeRating2(referee)));
    block->SetU8(kRefereeFavours, uint8_t(HVW_GetRefereeClass(referee)));
}

void SetPlayOptions(EnterGameInfo* block, int16_t competition, int16_t substitutes, int16_t broadcast) {
    block->SetU8(kExtraTime, uint8_t(MatchRuleWords.extraTime));
    block->SetU8(kPenalties, uint8_t(MatchRuleWords.penalties));
    block->SetU8(kGoldenGoals, MatchRuleWords.extraTime == 4 ? 1 : 0);
    block->SetI16(kDurationMinutes, kMatchMinutes);
    block->SetU8(kAwayGoalsRule, uint8_t(MatchRuleWords.awayGoalsRule));
    block->SetU8(kPitchCondition, 0);
    block->SetI16(kCompetition, competition);
    block->SetI16(kNumAvailableSubs, substitutes);
    block->SetI16(kNumSubstitutionsAllowed, competition == kCompFriendly ? 5 : 3);
    block->SetI16(kVenueFlag, broadcast);
    block->SetI16(kPlayersLineUp, 0);
    for (int side = 0; side < 2; ++side) block->SetTeamI16(side, kOldGoals, MatchRuleWords.oldGoals[side]);
}

void SetStands(EnterGameInfo* block, int16_t level, uint8_t crowdFill) {
    for (int stand = 0; stand < kStands; ++stand) {
        block->SetI16(kStadiumLevel + 2 * stand, level);
        block->SetU8(kUnderConstruction + stand, 0);
    }
    block->SetU8(kCrowdFill, crowdFill);
}

void SetStadium(EnterGameInfo* block, int16_t home, int16_t competition, bool neutral) {
    const int32_t attendance = LastAttendance;
    if (competition == kCompReserveLeague) {
        SetStands(block, 0, 0);
        block->SetI16(kHomeSupport, 9);
        block->SetI16(kCrowdSize, 1);
    } else if (!neutral) {
        for (int stand = 0; stand < kStands; ++stand) {
            block->SetI16(kStadiumLevel + 2 * stand, int16_t(StandStyleOf(home, stand)));
            block->SetU8(kUnderConstruction + stand, StandThousandsOf(home, stand) == 0 ? 1 : 0);
        }
        const int32_t total = StadiumCapacity(home);
        uint8_t fill = 3;
        if (attendance < total / 4) {
            fill = 0;
        } else if (attendance < total / 2) {
            fill = 1;
        } else if (attendance < int64_t(total) * 3 / 4) {
            fill = 2;
        }
        block->SetU8(kCrowdFill, fill);
        block->SetI16(kHomeSupport, 8);
        block->SetI16(kCrowdSize, int16_t(std::clamp<int32_t>(attendance / kCrowdSizeStep, 3, 10)));
    } else {
        SetStands(block, 7, 3);
        block->SetI16(kVenueFlag, 1);
        block->SetI16(kPlayersLineUp, 1);
        block->SetI16(kHomeSupport, 5);
        block->SetI16(kCrowdSize, int16_t(std::min<int32_t>(attendance / kCrowdSizeStep, 10)));
    }
    // Weekend matches are played by day, and so are Monday finals.
    const int16_t weekday = SeasonCalendar.weekday;
    const bool dayMatch = weekday == 0 || weekday == 1 || (weekday == 2 && neutral);
    block->SetU8(kNightMatch, dayMatch ? 0 : 1);
}

// The club's players for the side: a computer club (or any club while the
// auto-management switch is on) picks its line-up, a human club keeps his
// and only has missing numbers filled.
void SelectSide(int16_t club, int16_t opponent, int16_t side, bool neutral, int16_t substitutes,
                int16_t competition) {
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    const bool computer = GetClubControl(club) == 0 || AutoManagementSwitch != 0;
    const int nation = IsCountryNumber(GetClubNation(club)) ? GetClubNation(club) : 0;
    const bool lateFriendly =
        competition == kCompFriendly && SeasonCalendar.currentDay >= SeasonCalendar.leagueStartDay[nation];
    const int16_t mode = lateFriendly ? 2 : 1;
    if (computer) {
        PlayerFitnessDaily(club);
        if (competition == kCompReserveLeague) {
            SelectReserveTeamByFormation(club, substitutes, mode, competition);
        } else {
            SelectClubTeamByFormation(club, substitutes, mode, competition);
        }
    } else if (competition == kCompReserveLeague) {
        AutoAssignIntShirtNumbers(club, substitutes, 1, competition);
    } else {
        AutoAssignShirtNumbers(club, substitutes, 1, competition);
    }
    PickTeam(club, opponent, side, neutral ? 1 : 0, substitutes, competition);
}

// A computer side plays its club's own tactic unless tactics are chosen
// for it later.
void SetComputerTactics(EnterGameInfo* block, const int16_t clubs[2]) {
    for (int side = 0; side < 2; ++side) {
        if (MatchTeamHuman(block, side) || block->TeamI16(side, kTacticChoice) >= 0) continue;
        block->SetTeamI16(side, kTacticChoice, GetClubTacticPreset(clubs[side]));
        block->SetTeamI16(side, kTacticOption, 0);
    }
}

}  // namespace

void PrepareClubMatch(int16_t slot, int16_t home, int16_t away) {
    if (slot < 0 || slot >= kFixtureSlots) {
        std::printf("PrepareClubMatch(): Error: fixture slot %d\n", slot);
        return;
    }
    CheckClub("PrepareClubMatch", home);
    CheckClub("PrepareClubMatch", away);
    const int16_t competition = FixtureType(slot);
    const uint32_t score = FixtureScore(slot);
    const bool neutral = (score & kFixtureNeutralBit) != 0;
    const int16_t broadcast = (score & kFixtureBroadcastBit) != 0 ? 1 : 0;

    EnterGameInfo* block = ClearMatchSetupBlock();
    const bool humanMatch = GetClubControl(home) != 0 || GetClubControl(away) != 0;
    int16_t referee = CurrentReferee;
    if (!humanMatch || competition == kCompReserveLeague || referee < 0 || referee > kMadeUpReferee)
        referee = HVW_AppointReferee(slot);

    const bool european = competition >= kCompFirstEuropeanCup && competition <= kCompLastCup;
    int16_t country = european ? int16_t(0) : int16_t(GetClubNation(home));
    if (!IsCountryNumber(country)) country = 0;
    const uint16_t division = GetClubDivision(home);
    int16_t substitutes = 5;
    if (competition != kCompFriendly && division < kDivisionCount)
        substitutes = DivisionMatchRules[country][division][kRuleSubstitutes];
    substitutes = SetCompetitionRules(competition, country, home, away, substitutes);

    SetPlayOptions(block, competition, substitutes, broadcast);
    SetReferee(block, referee);
    ComputeAttendance(slot);
    SetStadium(block, home, competition, neutral);

    SelectSide(home, away, 0, neutral, substitutes, competition);
    SelectSide(away, home, 1, neutral, substitutes, competition);
    FillMatchTeamBlocks(block, home, away, competition == kCompReserveLeague ? 1 : 0, 0, 0);
    const int16_t clubs[2] = {home, away};
    SetComputerTactics(block, clubs);
}

int16_t PrepareNationalMatch(int16_t slot, int16_t home, int16_t away) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    MatchRuleWords = {};
    LastAttendance = 0;
    AwaySupportShortfall = 0;
    // National days use the random injury rule after the match.
    MatchDaySwitch = 0;
    const int16_t competition =
        slot >= 0 && slot < kFixtureSlots ? FixtureType(slot) : int16_t(kCompNationalTeam);
    const int16_t kind = competition == kCompNationalUnder21 ? 1 : 0;
    SetReferee(block, ChooseRefereeForNationalMatch());
    int16_t incomplete = 0;
    const int16_t nations[2] = {home, away};
    for (int16_t side = 0; side < 2; ++side) {
        LoadNationalSquadIntoSquadList(nations[side], kind);
        incomplete = int16_t(incomplete + PickNationalTeam(nations[side], kind));
        PickTeam(nations[side], nations[1 - side], side, 0, 5, NationalCompetition(kind));
    }
    SetPlayOptions(block, NationalCompetition(kind), 5, 0);
    block->SetI16(kNumSubstitutionsAllowed, 3);
    SetStands(block, 7, 3);
    FillMatchTeamBlocks(block, home, away, 0, 0, 0);
    return incomplete;
}

// ---------------------------------------------------------------------------
// Crowd and money

namespace {

bool TakesMoney(int16_t club) {
    return IsClubNumber(club) && IsCountryInPlay(GetClubNation(club)) &&
           GetClubDivision(club) < kDivisionCount;
}

int32_t Saturated(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

void PayGate(int16_t club, int64_t gate) {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    const int64_t costs = gate * kGateShare / 100;
    SetClubWeekGateReceipts(club, Saturated(GetClubWeekGateReceipts(club, week) + gate), week);
    SetClubSeasonGateReceipts(club, Saturated(GetClubSeasonGateReceipts(club) + gate));
    AddClubBalance(club, Saturated(gate - costs));
    SetClubWeekMiscOut(club, Saturated(GetClubWeekMiscOut(club, week) + costs), week);
    SetClubSeasonMiscOut(club, Saturated(GetClubSeasonMiscOut(club) + costs));
}

void PayBroadcast(int16_t club, int32_t amount) {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    AddClubBalance(club, amount);
    SetClubWeeksTVIncome(club, Saturated(int64_t(GetClubWeeksTVIncome(club, week)) + amount), week);
    SetClubSeasonTVIncome(club, Saturated(int64_t(GetClubSeasonTVIncome(club)) + amount));
}

int64_t Ticket(int16_t club) { return TicketPrice[GetClubNation(club)][GetClubDivision(club)]; }

// Every club's league home fixtures before a day, as one walk over the
// table counts them, and what they were counted for.
struct KeptHomeCounts {
    int keepers = 0;
    bool built = false;
    int16_t season = 0, day = 0;
    uint32_t generation = 0;
    int count[kClubCount] = {};
};
KeptHomeCounts g_homeCounts;

int LeagueHomeFixturesBefore(int16_t club, int16_t today) {
    KeptHomeCounts& kept = g_homeCounts;
    const bool keep = kept.keepers > 0 && IsClubNumber(club);
    if (keep && kept.built && kept.season == SeasonCalendar.season && kept.day == today &&
        kept.generation == FixtureTableGeneration) {
        return kept.count[club];
    }
    if (keep) std::fill(std::begin(kept.count), std::end(kept.count), 0);
    int count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) >= today) break;
        if (FixtureType(slot) != kCompLeague) continue;
        const int16_t home = FixtureHome(slot);
        if (home == club) ++count;
        if (keep && IsClubNumber(home)) ++kept.count[home];
    }
    if (keep) {
        kept.built = true;
        kept.season = SeasonCalendar.season;
        kept.day = today;
        kept.generation = FixtureTableGeneration;
    }
    return count;
}

int64_t LeagueStanding(int16_t club) {
    const int64_t standing = 750 - 5 * int64_t(GetClubLeaguePosition(club));
    return standing < 0 ? 1 : standing;
}

void PayMatchMoney(int16_t home, int16_t away, int16_t competition, bool neutral, bool broadcast,
                   int32_t attendance) {
    if (competition == kCompLeague) {
        if (!TakesMoney(home)) return;
        PayGate(home, Ticket(home) * attendance);
        const int n = LeagueHomeFixturesBefore(home, SeasonCalendar.currentDay);
        SetClubAvgAttendance(home,
                             int32_t((int64_t(GetClubAvgAttendanceField(home)) * n + attendance) / (n + 1)));
        if (broadcast) {
            const int32_t money = BroadcastMoney[GetClubNation(home)][GetClubDivision(home)] / 25;
            PayBroadcast(home, money);
            if (TakesMoney(away)) PayBroadcast(away, money);
        }
    } else {
        for (int16_t club : {home, away}) {
            if (!TakesMoney(club)) continue;
            PayGate(club, neutral ? Ticket(club) * attendance : Ticket(club) * attendance / 2);
        }
    }
    for (int16_t club : {home, away}) {
        if (TakesMoney(club)) RefreshWeeklyMoneyFigures(club);
    }
}

}  // namespace

void KeepLeagueHomeCounts(bool keep) {
    KeptHomeCounts& kept = g_homeCounts;
    kept.keepers = keep ? kept.keepers + 1 : std::max(0, kept.keepers - 1);
    if (kept.keepers == 0) kept.built = false;
}

void ComputeAttendance(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    CheckClub("ComputeAttendance", home);
    CheckClub("ComputeAttendance", away);
    const int16_t competition = FixtureType(slot);
    const uint32_t score = FixtureScore(slot);
    const bool neutral = (score & kFixtureNeutralBit) != 0;
    const int64_t factor = competition < kAttendanceFactors ? AttendanceFactor[competition] : 0;
    const int64_t capacity = neutral ? kNeutralCapacity : StadiumCapacity(home);

    int64_t rivalry = 30;
    if (GetClubNation(home) == GetClubNation(away)) {
        const int64_t distance = std::abs(int(GetClubXCoord(home)) - int(GetClubXCoord(away))) +
                                 std::abs(int(GetClubYCoord(home)) - int(GetClubYCoord(away)));
        rivalry = std::max<int64_t>(0, 30 - distance);
    }
    const int16_t today = SeasonCalendar.currentDay;
    int64_t interest = 100 - (today - SeasonCalendar.leagueStartDay[0]);
    if (interest < 0) interest = 100 - (SeasonCalendar.leagueEndDay[0] - today);
    if (interest < 0) interest = 0;
    interest /= 2;

    const int64_t repHome = GetClubRep(home);
    const int64_t repAway = GetClubRep(away);
    int64_t homePart;
    int64_t awayPart;
    AwaySupportShortfall = 0;
    if (neutral) {
        homePart = (repHome + 1) * 1450 + (repHome + 1) * (LeagueStanding(home) + factor);
        awayPart = (repAway + 1) * 1450 + (repAway + 1) * (LeagueStanding(away) + factor);
    } else {
        homePart = repHome * 750 + (repHome + 1) * (LeagueStanding(home) + factor + interest);
        homePart = homePart * (rivalry + 100) / 100;
        awayPart = repAway * LeagueStanding(away) * 20 / 100;
        awayPart = awayPart * (rivalry + 60) / 60;
        if (awayPart < homePart) AwaySupportShortfall = int16_t(100 - awayPart * 100 / homePart);
    }
    int64_t attendance = std::min(factor * (homePart + awayPart) / 100, capacity);
    attendance = std::clamp<int64_t>(attendance, 0, kFixtureAttendanceMax);
    LastAttendance = int32_t(attendance);

    uint8_t* crowdWord = FixtureTable[slot].bytes + kFixtureCrowdWord;
    const uint32_t word = recbits::LoadU32(crowdWord);
    recbits::StoreU32(crowdWord, (word & ~uint32_t(kFixtureAttendanceMax)) | uint32_t(attendance));
    PayMatchMoney(home, away, competition, neutral, (score & kFixtureBroadcastBit) != 0, LastAttendance);
}

void RecordCrowdCheck(int16_t home, int32_t attendance, int16_t away) {
    if (!IsClubNumber(home)) return;
    if (attendance > GetClubRecordCrowd(home)) {
        SetClubRecordCrowd(home, attendance, away);
        if (SeasonCalendar.season > 0) {
            AddMessage(home, away, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, -1, -1, attendance, -1,
                       kMsgRecordCrowd, 1, 0);
            AddClubHistoryEntry(0, home, 0, 0, kClubHistoryRecordCrowd);
        }
    }
    const int32_t low = GetClubRecordLowCrowd(home);
    if (low == 0 || attendance < low) SetClubRecordLowCrowd(home, attendance, away);
}

// ---------------------------------------------------------------------------
// Sides outside the fixtures

void FillTeamNames(int16_t side, int16_t club, int16_t opponent, const char* name, int16_t nameSuffix) {
    EnterGameInfo* block = GetMatchSetupBlock();
    char text[kTeamNameLength];
    if (nameSuffix >= 0) {
        std::snprintf(text, sizeof text, "%s %s", name, GetText(nameSuffix));
    } else {
        std::snprintf(text, sizeof text, "%s", name);
    }
    std::memset(block->bytes + TeamInfoAt(side) + kTeamName, 0, kTeamNameLength);
    std::memcpy(block->bytes + TeamInfoAt(side) + kTeamName, text, std::strlen(text));
    block->SetTeamI16(side, kTeamClub, club);
    for (int slot = 0; slot < kManagerSlot; ++slot) {
        const uint16_t player = TeamSheet[side][slot];
        if (player == 0) continue;
        const int at = PlayerInfoAt(side, slot);
        char playerName[kPlayerNameLength];
        std::snprintf(playerName, sizeof playerName, "%.15s", GetPlayerSurname(player));
        std::memset(block->bytes + at + kPlayerInfoName, 0, kPlayerNameLength);
        std::memcpy(block->bytes + at + kPlayerInfoName, playerName, std::strlen(playerName));
        block->SetI16(at + kPlayerInfoNumber, int16_t(player));
        block->SetU8(at + kPlayerInfoType, uint8_t(GetPlayerPosition(player)));
    }
    if (SetupHooks.teamDesign != nullptr)
        SetupHooks.teamDesign(club, opponent, side, block->bytes + TeamInfoAt(side) + kTeamKit);
}

uint16_t PracticeMatchPlayed = 0;

void PlayPracticeMatch() {
    const int16_t club = SelectedClub;
    CheckClub("PlayPracticeMatch", club);
    EnterGameInfo* block = ClearMatchSetupBlock();
    MatchRuleWords = {};
    LastAttendance = 0;
    AwaySupportShortfall = 0;
    SetPlayOptions(block, kCompFriendly, 5, 0);
    block->SetI16(kNumSubstitutionsAllowed, 5);
    SetReferee(block, 0);
    SetStands(block, 0, 0);
    block->SetU8(kNightMatch, 0);
    block->SetI16(kPlayersLineUp, 0);
    block->SetI16(kHomeSupport, 9);
    block->SetI16(kCrowdSize, 0);

    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    AutoAssignShirtNumbers(club, 5, 0, kCompFriendly);
    PickTeam(club, club, 0, 0, 5, kCompFriendly);
    AutoAssignIntShirtNumbers(club, 5, 0, kCompReserveLeague);
    PickTeam(club, club, 1, 0, 5, kCompReserveLeague);
    // The human's tactic books: book B for the first eleven, A for the
    // reserves.
    block->SetTeamU8(0, kHumanManaged, 1);
    block->SetTeamU8(1, kHumanManaged, 1);
    FillMatchTeamBlocks(block, club, club, 0, 0, 1);

    const char* name = ClubNameRecords[club].text[0];
    FillTeamNames(0, club, club, name, -1);
    FillTeamNames(1, club, club, name, kTextReservesSuffix);
    MatchLoadTeamTactics(0);
    MatchLoadTeamTactics(1);

    if (SetupHooks.releaseMenuBuffers != nullptr) SetupHooks.releaseMenuBuffers();
    DisplayModeFlags = uint8_t(DisplayModeFlags & ~kDisplayOff);
    PlayMatch();
    if (SetupHooks.restartMenus != nullptr) SetupHooks.restartMenus();

    for (int side = 0; side < 2; ++side) {
        for (int slot = 0; slot < kManagerSlot; ++slot) {
            const uint16_t player = TeamSheet[side][slot];
            if (player == 0) continue;
            SetPlayerField105(player, int16_t(GetPlayerField105(player) + GameRandom() % 8));
            SetPlayerFitness(player, int16_t(GetPlayerFitness(player) + GameRandom() % 8));
        }
    }
}

void AutoSelectTeamForSave() {
    const int16_t club = GetUserClub();
    std::memset(SavedTeamInfo, 0, sizeof SavedTeamInfo);
    if (!IsClubNumber(club)) return;
    EnterGameInfo* block = ClearMatchSetupBlock();
    for (int side = 0; side < 2; ++side) block->SetTeamI16(side, kOldGoals, MatchRuleWords.oldGoals[side]);
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    AutoAssignShirtNumbers(club, 5, 0, kCompFriendly);
    PickTeam(club, club, 0, 0, 5, kCompFriendly);
    FillMatchTeamBlocks(block, club, club, 0, 0, 0);
    FillTeamNames(0, club, club, ClubNameRecords[club].text[0], -1);
    MatchLoadTeamTactics(0);
    block->SetTeamU8(0, kHumanManaged, 0);
    std::memcpy(SavedTeamInfo, block->bytes + TeamInfoAt(0), kTeamInfoSize);
}
