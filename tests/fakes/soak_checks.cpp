#include "tests/fakes/soak_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "core/club/squads.h"
#include "core/club/transfers.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/cuprounds.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/nationalsquads.h"
#include "core/season/seasonend.h"
#include "core/season/soak.h"
#include "tests/fakes/daily_checks.h"
#include "tests/fakes/squad_checks.h"

namespace {

std::string Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Say(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

constexpr int kMostGoals = 30;
constexpr int kTopStat = 99;

bool IsLeagueDivisionOf(int country, int division) {
    return division >= 0 && division < kDivisionCount && DivisionLayout[country][division].clubs != 0;
}

// Honours row words of a division's champion and runner-up, and of a cup's
// winner and runner-up.
int ChampionWord(int division) { return 14 + 2 * division; }
int CupWinnerWord(int cup) { return 2 * cup; }

// A cup whose last round is a final of two (a qualifying cup sends its
// last round's winners on to another cup instead).
bool EndsInFinal(int country, int cup) {
    const int rounds = CupRoundCounts[country][cup];
    return rounds > 0 && CupRoundRules.bytes[country][cup][rounds - 1][kCupClubsThrough] == 2;
}

bool InNationalSquad(uint16_t player, int kind, int nation) {
    const uint16_t* squad = NationalSquads[kind][nation];
    return std::find(squad, squad + kNationalSquadSize, player) != squad + kNationalSquadSize;
}

int UsedFixtureSlots() {
    int used = 0;
    while (used < kFixtureSlots && !IsFixtureEmpty(used)) ++used;
    return used;
}

// The games each club of a division plays in a season: every other club
// twice, a third time with one or two extra meetings, a fourth with one;
// the split of country 1's top division adds five rounds.
int LeagueGamesOf(int country, int division) {
    const DivisionLayoutEntry& d = DivisionLayout[country][division];
    const int meetings = d.extraMeetings == 1 ? 4 : d.extraMeetings == 2 ? 3 : 2;
    int games = (d.clubs - 1) * meetings;
    if (country == 1 && division == 0) games += 5;
    return games;
}

}  // namespace

// The last day of every season (day 365 is skipped when the season's
// February has 28 days), before the season's roll.
constexpr int kSeasonLastCheckedDay = 364;

// A new game starts on day 21 of season 0 without playing the days before:
// none of its fixtures may lie there.
constexpr int kNewGameDay = 21;

std::string CheckSoakFixtureTable() {
    const int today = SeasonCalendar.currentDay;
    int lastDay = -1;
    bool emptySeen = false;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        const int day = FixtureDay(slot);
        if (day == kEmptyFixtureDay) {
            emptySeen = true;
            continue;
        }
        if (emptySeen) return Say("fixture slot %d used after an empty slot", slot);
        if (day < lastDay)
            return Say("fixture slot %d of day %d after a fixture of day %d", slot, day, lastDay);
        lastDay = day;
        if (SeasonCalendar.season == 0 && day < kNewGameDay)
            return Say("fixture slot %d (type %d, %d v %d) dated day %d, before the new game's first day",
                       slot, FixtureType(slot), FixtureHome(slot), FixtureAway(slot), day);
        if (day >= today) continue;
        const uint32_t score = FixtureScore(slot);
        const int home = int(score & kFixtureGoalsMask), away = int((score >> 5) & kFixtureGoalsMask);
        if (!IsFixturePlayed(slot))
            return Say("fixture slot %d (day %d, type %d, %d v %d) not played", slot, day, FixtureType(slot),
                       FixtureHome(slot), FixtureAway(slot));
        if (home > kMostGoals || away > kMostGoals)
            return Say("fixture slot %d (day %d, %d v %d) has score %d-%d", slot, day, FixtureHome(slot),
                       FixtureAway(slot), home, away);
    }
    return "";
}

std::string CheckSoakLeagueTables() {
    // The recount must find what the day's bookings wrote; the records are
    // put back as they were, so the check changes nothing.
    static ClubSeasonRecord league[kClubCount], reserve[kClubCount];
    std::memcpy(league, LeagueSeasonRecords, sizeof league);
    std::memcpy(reserve, ReserveSeasonRecords, sizeof reserve);
    RecountClubSeasonRecords(SeasonCalendar.currentDay);
    std::string fault;
    for (int16_t club = 0; club < kClubCount && fault.empty(); ++club) {
        for (int w = 0; w < kSeasonPlace; ++w) {
            if (league[club].words[w] != LeagueSeasonRecords[club].words[w]) {
                fault = Say("club %d league record word %d is %d, the fixtures give %d", club, w,
                            league[club].words[w], LeagueSeasonRecords[club].words[w]);
                break;
            }
            if (reserve[club].words[w] != ReserveSeasonRecords[club].words[w]) {
                fault = Say("club %d reserve record word %d is %d, the fixtures give %d", club, w,
                            reserve[club].words[w], ReserveSeasonRecords[club].words[w]);
                break;
            }
        }
    }
    std::memcpy(LeagueSeasonRecords, league, sizeof league);
    std::memcpy(ReserveSeasonRecords, reserve, sizeof reserve);
    if (!fault.empty()) return fault;

    // Between the season's start and its league end day the tables hold
    // each division's clubs, sorted by points.
    const int today = SeasonCalendar.currentDay;
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country) || today < 1 || today > SeasonCalendar.leagueEndDay[country]) continue;
        for (int division = 0; division < kDivisionCount; ++division) {
            if (!IsLeagueDivisionOf(country, division)) continue;
            const int clubs = std::min<int>(DivisionLayout[country][division].clubs, kLeagueRowClubs);
            const int16_t* row = LeagueTable[country][division];
            for (int place = 0; place < kLeagueRowClubs; ++place) {
                const int16_t club = row[place];
                if (place >= clubs) {
                    if (uint16_t(club) != kNoLeagueClub)
                        return Say("country %d division %d table has club %d past its %d clubs", country,
                                   division, club, clubs);
                    continue;
                }
                if (!IsClubNumber(club) || GetClubNation(club) != uint16_t(country) ||
                    GetClubDivision(club) != uint16_t(division))
                    return Say("country %d division %d table place %d holds club %d", country, division,
                               place, club);
                if (std::find(row, row + place, club) != row + place)
                    return Say("country %d division %d table holds club %d twice", country, division, club);
                // Country 1's split keeps its top six above the others.
                const bool splitEdge =
                    country == 1 && division == 0 && place == 6 && today > SeasonCalendar.splitDay[1];
                if (place > 0 && !splitEdge &&
                    LeagueSeasonRecords[club].words[kSeasonPoints] >
                        LeagueSeasonRecords[row[place - 1]].words[kSeasonPoints])
                    return Say("country %d division %d table has club %d (%d points) below club %d (%d)",
                               country, division, club, LeagueSeasonRecords[club].words[kSeasonPoints],
                               row[place - 1], LeagueSeasonRecords[row[place - 1]].words[kSeasonPoints]);
            }
        }
    }
    return "";
}

std::string CheckSoakPlayers() {
    for (const std::string& fault :
         {CheckRosterInvariants(), CheckSquadRollInvariants(false), CheckDailyJobInvariants()}) {
        if (!fault.empty()) return fault;
    }
    const int today = SeasonCalendar.currentDay;
    // The nations with a national-team match close enough to have their
    // squads called up: from four days before the match to three after.
    bool window[kNationalTeamKinds][kNationCodes] = {};
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot), day = FixtureDay(slot);
        if (type != kCompNationalTeam && type != kCompNationalUnder21) continue;
        if (day < today - 3 || day > today + 4) continue;
        for (int16_t nation : {FixtureHome(slot), FixtureAway(slot)}) {
            if (nation >= 0 && nation < kNationCodes) window[type - kCompNationalTeam][nation] = true;
        }
    }
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        for (int16_t s = 0; s < kStatCount; ++s) {
            const int value = GetPlayerStat(p, s, 0);
            if (value < 1 || value > kTopStat) return Say("player %d has statistic %d at %d", p, s, value);
        }
        if (GetPlayerIntDuty(p) == 0) continue;
        bool called = false;
        for (int kind = 0; kind < kNationalTeamKinds && !called; ++kind) {
            for (int nation = 0; nation < kNationCodes && !called; ++nation)
                called = window[kind][nation] && InNationalSquad(p, kind, nation);
        }
        if (!called) return Say("player %d on international duty outside a call-up window", p);
    }
    return "";
}

std::string CheckSoakDay() {
    for (auto check : {CheckSoakFixtureTable, CheckSoakLeagueTables, CheckSoakPlayers}) {
        std::string fault = check();
        if (!fault.empty()) return fault;
    }
    return "";
}

uint64_t HashSoakWorld() {
    uint64_t hash = 14695981039346656037ull;
    const auto mix = [&](const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    mix(FixtureTable, sizeof FixtureTable);
    mix(LeagueSeasonRecords, sizeof LeagueSeasonRecords);
    mix(LeagueTable, sizeof LeagueTable);
    mix(HonoursTable, sizeof HonoursTable);
    for (int16_t club = 0; club < kClubCount; ++club) {
        const int32_t balance = GetClubBalance(club);
        mix(&balance, sizeof balance);
    }
    return hash;
}

// ---------------------------------------------------------------------------
// The season watch

void SoakSeasonWatch::Start() {
    peakSlots_ = UsedFixtureSlots();
    talliedDay_ = SeasonCalendar.currentDay - 1;
    season_ = {};
    transferIndex_ = TransferRecordIndex;
    playersAtSeasonStart_ = PlayerCount;
    seasonsChecked_ = 0;
    start_ = runStart_ = MeasurePlayerPopulation();
    std::fill(std::begin(finalKept_), std::end(finalKept_), false);
    std::copy(std::begin(SeasonEvents.corrections), std::end(SeasonEvents.corrections), corrections_);
    agesKept_ = false;
}

void SoakSeasonWatch::TallyDay(int day) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) != day) continue;
        const int type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21 || !IsFixturePlayed(slot)) continue;
        const uint32_t score = FixtureScore(slot);
        const int home = int(score & kFixtureGoalsMask), away = int((score >> 5) & kFixtureGoalsMask);
        const int kind = type == kCompLeague          ? 0
                         : type == kCompFriendly      ? 2
                         : type == kCompReserveLeague ? 3
                                                      : 1;
        for (SoakSeasonFigures* f : {&season_, &byKind_[kind]}) {
            ++f->fixtures;
            f->goals += home + away;
            f->homeWins += home > away;
            f->goallessDraws += home == 0 && away == 0;
        }
    }
}

std::string SoakSeasonWatch::AfterDay() {
    const int today = SeasonCalendar.currentDay;
    peakSlots_ = std::max(peakSlots_, UsedFixtureSlots());
    if (peakSlots_ >= kFixtureSlots) return Say("the fixture table is full");
    if (today > 0) {
        for (int day = talliedDay_ + 1; day < today; ++day) TallyDay(day);
        talliedDay_ = today - 1;
    }
    // The ages of the last days before the roll, to see them rise by one.
    if (today >= 360) {
        for (uint16_t p = 1; p < PlayerCount; ++p) agesBefore_[p] = uint8_t(GetPlayerAge(p));
        std::fill(agesBefore_ + PlayerCount, agesBefore_ + kMaxPlayers, uint8_t(0xFF));
        agesKept_ = true;
    }
    if (today == kSeasonLastCheckedDay) {
        std::string fault = AtSeasonEnd();
        if (!fault.empty()) return fault;
    }
    for (int country = 0; country < kCountryCount; ++country) {
        if (IsCountryInPlay(country) && today > 0 && today - 1 == SeasonCalendar.leagueEndDay[country]) {
            std::string fault = AtLeagueEnd(country);
            if (!fault.empty()) return fault;
        }
    }
    if (today == 0) {
        std::string fault = AtSeasonStart();
        talliedDay_ = -1;
        return fault;
    }
    return "";
}

std::string SoakSeasonWatch::FiguresByKind() const {
    static const char* const kKinds[] = {"league", "cups", "friendlies", "reserves"};
    std::string text;
    for (int k = 0; k < 4; ++k) {
        const SoakSeasonFigures& f = lastByKind_[k];
        if (f.fixtures == 0) continue;
        text += Say("%s%s %d: %.2f goals, %.1f%% home wins, %.1f%% 0-0", text.empty() ? "" : "; ", kKinds[k],
                    f.fixtures, double(f.goals) / f.fixtures, 100.0 * f.homeWins / f.fixtures,
                    100.0 * f.goallessDraws / f.fixtures);
    }
    return text;
}

std::string SoakSeasonWatch::AtSeasonEnd() {
    // Every league and reserve-league fixture of the season has a result
    // before the season's roll empties the fixture table.
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int type = FixtureType(slot);
        if ((type == kCompLeague || type == kCompReserveLeague) && !IsFixturePlayed(slot))
            return Say("the season ends with fixture slot %d (day %d, type %d, %d v %d) unplayed", slot,
                       FixtureDay(slot), type, FixtureHome(slot), FixtureAway(slot));
    }
    return "";
}

std::string SoakSeasonWatch::AtLeagueEnd(int country) {
    std::memcpy(finalTable_[country], LeagueTable[country], sizeof finalTable_[country]);
    finalKept_[country] = true;
    for (int division = 0; division < kDivisionCount; ++division) {
        if (!IsLeagueDivisionOf(country, division)) continue;
        const int games = LeagueGamesOf(country, division);
        for (int place = 0; place < DivisionLayout[country][division].clubs; ++place) {
            const int16_t club = finalTable_[country][division][place];
            if (!IsClubNumber(club))
                return Say("country %d division %d ends with place %d empty", country, division, place);
            if (LeagueSeasonRecords[club].words[kSeasonPlayed] != games)
                return Say("club %d of country %d division %d played %d league games of %d", club, country,
                           division, LeagueSeasonRecords[club].words[kSeasonPlayed], games);
        }
    }
    return "";
}

std::string SoakSeasonWatch::AtSeasonStart() {
    // Titles and cups of the season just ended, now honours row 1.
    int europeanWinners[3] = {-1, -1, -1}, europeanRunners[3] = {-1, -1, -1};
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        const HonoursRow& row = HonoursTable[country][1];
        for (int division = 0; division < kDivisionCount; ++division) {
            if (!IsLeagueDivisionOf(country, division)) continue;
            const int16_t champion = row.words[ChampionWord(division)];
            const int16_t runnerUp = row.words[ChampionWord(division) + 1];
            if (!IsClubNumber(champion) || !IsClubNumber(runnerUp) || champion == runnerUp)
                return Say("country %d division %d ended with champion %d and runner-up %d", country,
                           division, champion, runnerUp);
        }
        for (int cup = 0; cup < kFirstEuropeanCup; ++cup) {
            if (!EndsInFinal(country, cup)) continue;
            const int16_t winner = row.words[CupWinnerWord(cup)],
                          runnerUp = row.words[CupWinnerWord(cup) + 1];
            if (!IsClubNumber(winner) || !IsClubNumber(runnerUp) || winner == runnerUp)
                return Say("country %d cup %d ended with winner %d and runner-up %d", country, cup, winner,
                           runnerUp);
        }
    }
    // Every European final is recorded in country 0's row.
    for (int cup = 0; cup < 3; ++cup) {
        europeanWinners[cup] = HonoursTable[0][1].words[CupWinnerWord(kFirstEuropeanCup + cup)];
        europeanRunners[cup] = HonoursTable[0][1].words[CupWinnerWord(kFirstEuropeanCup + cup) + 1];
    }
    for (int cup = 0; cup < 3; ++cup) {
        if (!EndsInFinal(0, kFirstEuropeanCup + cup)) continue;
        if (!IsClubNumber(europeanWinners[cup]) || !IsClubNumber(europeanRunners[cup]) ||
            europeanWinners[cup] == europeanRunners[cup])
            return Say("European cup %d ended with winner %d and runner-up %d", kFirstEuropeanCup + cup,
                       europeanWinners[cup], europeanRunners[cup]);
    }
    if (EuropeanSetUpWordA != europeanWinners[2] || EuropeanSetUpWordB != europeanWinners[0])
        return Say("holders %d and %d, the winners of cups 6 and 4 are %d and %d", EuropeanSetUpWordA,
                   EuropeanSetUpWordB, europeanWinners[2], europeanWinners[0]);

    // The new divisions: layout counts; corrections only where a country's
    // play-offs cannot fill them (country 5).
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        const int corrected = SeasonEvents.corrections[country] - corrections_[country];
        if (corrected != 0 && country != 5)
            return Say("country %d needed %d corrections of its division sizes", country, corrected);
        for (int division = 0; division < kDivisionCount; ++division) {
            if (!IsLeagueDivisionOf(country, division)) continue;
            int clubs = 0;
            for (int16_t club = 0; club < kClubCount; ++club)
                clubs += GetClubRep(club) != 0 && GetClubNation(club) == uint16_t(country) &&
                         GetClubDivision(club) == uint16_t(division);
            if (clubs != DivisionLayout[country][division].clubs)
                return Say("country %d division %d holds %d clubs, its layout %d", country, division, clubs,
                           DivisionLayout[country][division].clubs);
        }
        if (!finalKept_[country] || corrected != 0) continue;
        // Promotion and relegation as the final tables give them; play-offs
        // decide the places next to them.
        for (int division = 0; division < kDivisionCount; ++division) {
            if (!IsLeagueDivisionOf(country, division)) continue;
            const int clubs = DivisionLayout[country][division].clubs;
            for (int place = 0; place < clubs; ++place) {
                const int16_t club = finalTable_[country][division][place];
                const int now = GetClubDivision(club);
                const bool up = division > 0 && place < PromotionCount[country][division];
                const bool down = IsLeagueDivisionOf(country, division + 1) &&
                                  place >= clubs - RelegationCount[country][division];
                // Some countries send clubs two divisions at once.
                if ((up && now >= division) || (down && now <= division) || std::abs(now - division) > 2)
                    return Say("club %d, place %d of country %d division %d, is now in division %d", club,
                               place, country, division, now);
            }
        }
    }

    // No club twice in the European lists.
    std::vector<int16_t> entrants;
    for (int16_t club : EuropeanEntrantListA) entrants.push_back(club);
    for (int16_t club : EuropeanEntrantListB) entrants.push_back(club);
    for (int16_t club : EuropeanEntrantListC) entrants.push_back(club);
    std::sort(entrants.begin(), entrants.end());
    for (size_t i = 1; i < entrants.size(); ++i) {
        if (IsClubNumber(entrants[i]) && entrants[i] == entrants[i - 1])
            return Say("club %d twice in the European lists", entrants[i]);
    }

    // Loans ended (trials aside), everybody a year older (a record that now holds a new
    // player is younger than before).
    int older = 0, kept = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        // The new season's squad filling brings players in on trial.
        if (GetPlayerLoanClub(p) != GetPlayerClub(p) && GetPlayerLoanTrial(p) == 0)
            return Say("player %d still on loan", p);
        if (!agesKept_ || agesBefore_[p] == 0xFF) continue;
        ++kept;
        const int age = GetPlayerAge(p);
        if (age == agesBefore_[p] + 1) {
            ++older;
        } else if (age > agesBefore_[p]) {
            return Say("player %d went from age %d to %d", p, agesBefore_[p], age);
        }
    }
    if (agesKept_ && older * 10 < kept * 8) return Say("only %d of %d players a year older", older, kept);

    // The season's figures.
    lastSeason_ = season_;
    std::copy(std::begin(byKind_), std::end(byKind_), lastByKind_);
    const SoakSeasonFigures& f = lastSeason_;
    if (f.fixtures == 0) return Say("no fixture played this season");
    const double goals = double(f.goals) / f.fixtures, homeWins = 100.0 * f.homeWins / f.fixtures;
    const double goalless = 100.0 * f.goallessDraws / f.fixtures;
    if (goals < 1.5 || goals > 4.5) return Say("%.2f goals a fixture (%s)", goals, FiguresByKind().c_str());
    if (homeWins < 35 || homeWins > 55)
        return Say("%.1f%% home wins (%s)", homeWins, FiguresByKind().c_str());
    // Goalless draws are counted over the first teams' league, cup and
    // play-off matches: the reserve sides, short of players and made up with
    // triallists, draw 0-0 more often.  Most of them are predicted, at about
    // 1.9 goals a match; with sides of unequal strength that leaves 14-18%
    // of a season's matches goalless (15% would be chance alone, e^-1.9),
    // the share drifting with the world from season to season, while the
    // chance spread of a season of about 11000 matches is some 0.35
    // points.  The bounds stand three points clear of that range: only a
    // goal rate off by a sixth or more (below about 1.6 or above 2.3)
    // reaches them.
    constexpr double kFewestGoallessPercent = 11, kMostGoallessPercent = 21;
    const SoakSeasonFigures& first = lastByKind_[0];
    const SoakSeasonFigures& cups = lastByKind_[1];
    const int firstTeam = first.fixtures + cups.fixtures;
    const double firstTeamGoalless =
        firstTeam == 0 ? 0 : 100.0 * (first.goallessDraws + cups.goallessDraws) / firstTeam;
    if (firstTeamGoalless < kFewestGoallessPercent || firstTeamGoalless > kMostGoallessPercent)
        return Say("%.1f%% goalless draws of the first teams (%.1f%% of all; %s)", firstTeamGoalless,
                   goalless, FiguresByKind().c_str());
    lastTransfers_ = CountTransfersSince(transferIndex_);
    if (lastTransfers_ < 100 || lastTransfers_ > 5000) return Say("%d transfers this season", lastTransfers_);
    if (std::abs(int(PlayerCount) - playersAtSeasonStart_) * 50 > playersAtSeasonStart_)
        return Say("player count went from %d to %d", playersAtSeasonStart_, int(PlayerCount));
    // The club players' mean ability rises by some 0.3 a season (0.87 to
    // 1.01 over three seasons of worlds 1-4): it may move by 0.4 a season
    // over the run, by 1 in a run of up to two seasons.  Their mean age
    // moves by less than 1 a season: everyone is a year older, so
    // the mean only stays below +1 while retirements, releases and the
    // youth intake renew the squads.  (Over several seasons it keeps
    // rising: the new game's world starts far younger than the intake and
    // retirements keep it, and it ages toward that level by about two
    // thirds of a year a season.)
    const PlayerPopulationMeans now = MeasurePlayerPopulation();
    if (std::abs(now.age - start_.age) >= 1)
        return Say("club players' mean age went from %.2f to %.2f in a season", start_.age, now.age);
    ++seasonsChecked_;
    if (std::abs(now.stat[kAbilityStat] - runStart_.stat[kAbilityStat]) >=
        std::max(1.0, 0.4 * seasonsChecked_))
        return Say("club players' mean ability went from %.2f to %.2f", runStart_.stat[kAbilityStat],
                   now.stat[kAbilityStat]);
    start_ = now;

    // The next season.
    season_ = {};
    for (SoakSeasonFigures& f : byKind_) f = {};
    transferIndex_ = TransferRecordIndex;
    playersAtSeasonStart_ = PlayerCount;
    std::fill(std::begin(finalKept_), std::end(finalKept_), false);
    std::copy(std::begin(SeasonEvents.corrections), std::end(SeasonEvents.corrections), corrections_);
    agesKept_ = false;
    return "";
}
