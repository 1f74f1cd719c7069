// The season's answers to the match preview: remarks, facts, key players,
// absentees, danger men, the last meeting and the division's leaders.
#include "core/season/previewservices.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/records/messagetemplates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchevents.h"
#include "core/season/reportfacts.h"

namespace {

constexpr int16_t kStoryNothing = 7;
constexpr int16_t kFormRemarkText = 2469;  // form codes 0-5: 2469-2474
constexpr int16_t kHoldersText = 2916;
constexpr int16_t kAbsentText = 2489;
constexpr int kRecentFixtures = 5;

char g_remark[kReportSentenceSize];

const char* Remark(const char* text) {
    std::snprintf(g_remark, sizeof g_remark, "%s", text != nullptr ? text : "");
    return g_remark;
}

const char* ClubTextRemark(int16_t club, int16_t text) {
    if (!IsClubNumber(club) || text < 0) return Remark("");
    TextMsg_ResetArgs();
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    return Remark(TextMsg_Expand(GetText(text)));
}

bool IsLeagueDivision(int nation, int division) {
    return IsCountryNumber(nation) && division >= 0 && division < HVW_CountCompRounds2(int16_t(nation));
}

template <typename Fn>
void ForEachClubOfDivision(int nation, int division, Fn fn) {
    if (!IsLeagueDivision(nation, division)) return;
    const int clubs =
        std::min<int>(HVW_GetCompRoundWord(int16_t(division), int16_t(nation)), kLeagueRowClubs);
    for (int place = 0; place < clubs; ++place) {
        const int16_t club = LeagueTable[nation][division][place];
        if (IsClubNumber(club)) fn(club);
    }
}

bool IsGivenName(const char* name) {
    for (; *name != '\0'; ++name)
        if (*name != ' ') return true;
    return false;
}

const int16_t* SeasonWords(int16_t club) { return LeagueSeasonRecords[club].words; }

// ---- Recent league fixtures and their scorers --------------------------------------------

// The club's last league fixtures (newest first) and the goals each of its
// players scored in them, kept for the club last asked about.
struct RecentScorers {
    int16_t club = -1;
    int16_t day = -1;
    int16_t season = -1;
    int count = 0;
    int16_t slots[kRecentFixtures] = {};
    uint16_t players[kRecentFixtures][16] = {};
    uint8_t goals[kRecentFixtures][16] = {};
};
RecentScorers g_recent;

void AddGoal(int fixture, uint16_t player) {
    uint16_t* players = g_recent.players[fixture];
    for (int i = 0; i < 16; ++i) {
        if (players[i] == player) {
            ++g_recent.goals[fixture][i];
            return;
        }
        if (players[i] == 0) {
            players[i] = player;
            g_recent.goals[fixture][i] = 1;
            return;
        }
    }
}

const RecentScorers& RecentOf(int16_t club) {
    if (g_recent.club == club && g_recent.day == SeasonCalendar.currentDay &&
        g_recent.season == HVW_GetSeason())
        return g_recent;
    g_recent = RecentScorers{};
    g_recent.club = club;
    g_recent.day = SeasonCalendar.currentDay;
    g_recent.season = HVW_GetSeason();
    if (!IsClubNumber(club)) return g_recent;
    int16_t oldestFirst[kRecentFixtures];
    const int n = HVW_GetClubLastLeagueFixtures(club, kRecentFixtures, oldestFirst);
    for (int i = 0; i < n; ++i) g_recent.slots[i] = oldestFirst[n - 1 - i];
    g_recent.count = n;
    for (int f = 0; f < n; ++f) {
        const int16_t slot = g_recent.slots[f];
        const int side = FixtureHome(slot) == club ? 0 : 1;
        MatchEvents_ForEachOfFixture(slot, [&](int32_t r) {
            const int kind = MatchEventKind(r);
            if ((kind == kKindGoal || kind == kKindPenaltyGoal) && MatchEventSide(r) == side)
                AddGoal(f, MatchEventPlayer(r));
        });
    }
    return g_recent;
}

int GoalsIn(const RecentScorers& recent, int fixture, uint16_t player) {
    for (int i = 0; i < 16; ++i)
        if (recent.players[fixture][i] == player) return recent.goals[fixture][i];
    return 0;
}

int16_t PlayersClub(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    return club < kClubCount ? int16_t(club) : int16_t(-1);
}

}  // namespace

// ---- Facts -------------------------------------------------------------------------------

int16_t ClubFacts(int16_t club, int16_t side, ReportFact* out) {
    (void)side;
    if (!IsClubNumber(club) || out == nullptr) return 0;
    uint8_t form[kFormEntries] = {};
    GetRecentForm(club, form);
    auto streak = [&](int kind) { return int16_t(std::min<int>(form[kind * 3 + 2], 63)); };
    int16_t n = 0;
    auto add = [&](uint8_t kind, int16_t value) {
        if (n < kMostClubFacts) out[n++] = ReportFact{kind, kFactUntold, value};
    };
    // Runs over all league games: a winning run before an unbeaten one,
    // a losing run before a winless one.
    if (streak(0) >= 3) {
        add(0, streak(0));
    } else if (streak(1) >= 5) {
        add(12, streak(1));
    }
    if (streak(3) >= 3) {
        add(3, streak(3));
    } else if (streak(4) >= 5) {
        add(14, streak(4));
    }
    if (streak(6) >= 3) add(2, streak(6));
    if (streak(9) >= 3) add(13, streak(9));
    if (streak(7) >= 3) add(4, streak(7));
    if (n > 0) return n;
    // Nothing running: where the club stands and how it goes.
    const int nation = GetClubNation(club), division = HVW_FindClubInDivisionRows(club);
    if (!IsLeagueDivision(nation, division) || SeasonWords(club)[kSeasonPlayed] == 0) return 0;
    const int clubs = HVW_GetCompRoundWord(int16_t(division), int16_t(nation));
    const int place = HVW_GetClubTablePosition(club);
    const int points = CountRecentPoints(club, 5, 2);
    uint8_t kind = 17;
    if (place < 2) {
        kind = 21;
    } else if (place < clubs / 3) {
        kind = 22;
    } else if (place >= clubs - 3) {
        kind = 19;
    } else if (place >= clubs / 2) {
        kind = 20;
    } else if (points >= 10) {
        kind = 18;
    } else if (points <= 3) {
        kind = 16;
    }
    add(kind, 0);
    return n;
}

const char* ClubFactText(int16_t club, const ReportFact& fact) {
    return Remark(BuildCategorySentence(club, fact.kind, 2, fact.value));
}

// ---- Remarks ------------------------------------------------------------------------------

const char* SeasonOpeningRemark(int16_t club) { return Remark(BuildLeagueContextSentence(club)); }

const char* LeaguePositionRemark(int16_t club, int16_t storyCode) {
    if (storyCode == kStoryNothing) return Remark("");
    return ClubTextRemark(club, GetStoryTextId(storyCode));
}

const char* SecondLeagueRemark(int16_t club, int16_t formCode) {
    if (formCode < 0 || formCode > 5) return Remark("");
    return ClubTextRemark(club, int16_t(kFormRemarkText + formCode));
}

const char* CupRemark(int16_t slot, int16_t club) {
    if (slot < 0 || slot >= kFixtureSlots || !IsClubNumber(club)) return Remark("");
    const int16_t cup = HVW_GetCupIndex(FixtureType(slot));
    const int16_t nation = int16_t(GetClubNation(club));
    if (cup < 0 || cup >= 4 || !IsCountryNumber(nation)) return Remark("");
    return HVW_IsHonoursColumnClub(club, cup, 0, nation) != 0 ? ClubTextRemark(club, kHoldersText)
                                                              : Remark("");
}

int16_t CupRunCount(int16_t club, int16_t competition, int16_t* count) {
    *count = 0;
    (void)competition;
    if (!IsClubNumber(club)) return 0;
    ClubHonoursRecord record{};
    const uint16_t packed = GetClubHonourByCup(club, &record);
    const int16_t wins = int16_t(packed & 0xFF);
    *count = int16_t(wins + (packed >> 8 & 0xFF));
    return wins;
}

const char* CupRunRemark(int16_t club, int16_t nation, int16_t cupText, int16_t variant, int16_t number) {
    (void)nation;
    (void)cupText;
    if (!IsClubNumber(club)) return Remark("");
    if (variant == 2) return Remark(BuildRecordSentence(club, 1, number));
    if (number <= 0) return Remark("");
    return Remark(BuildRecordSentence(club, 3, number));
}

int16_t IsForeignOpponent(int16_t club) {
    return IsClubNumber(club) && !IsCountryNumber(int16_t(GetClubNation(club))) ? 1 : 0;
}

int16_t PreviewFixtureTest(int16_t slot) { return IsDerbyFixture(slot); }

int16_t CountClubMeetings(int16_t club, int16_t other) {
    if (!IsClubNumber(club) || !IsClubNumber(other)) return 0;
    int16_t count = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || !IsFixturePlayed(slot) || FixtureType(slot) == kCompFriendly) continue;
        if ((FixtureHome(slot) == club && FixtureAway(slot) == other) ||
            (FixtureHome(slot) == other && FixtureAway(slot) == club))
            ++count;
    }
    const int16_t user = HVW_GetMyClub();
    const int16_t kept = club == user ? other : other == user ? club : int16_t(-1);
    if (kept >= 0 && HasClubResult(kept) && LastMeetingSeason(GetClubResult(kept).packed) != HVW_GetSeason())
        ++count;
    return count;
}

// ---- Players -------------------------------------------------------------------------------

int16_t DivisionStrength(int16_t nation, int16_t division) {
    int32_t sum = 0, players = 0;
    ForEachClubOfDivision(nation, division, [&](int16_t club) {
        for (int i = 0; i < kRosterSize; ++i) {
            const uint16_t player = ClubRoster[club][i];
            if (!IsPlayerNumber(player) || player == 0) continue;
            const uint16_t shirt = GetPlayerShirt(player);
            if (shirt < 1 || shirt > 11) continue;
            sum += GetPlayerReputation(player);
            ++players;
        }
    });
    return players > 0 ? int16_t(sum / players) : int16_t(0);
}

int16_t KeyPlayerCategory(uint16_t player, int16_t strength, int16_t* number) {
    *number = 0;
    if (!IsPlayerNumber(player) || player == 0 || strength <= 0) return 0;
    const int16_t club = PlayersClub(player);
    if (club < 0) return 0;
    // Only the three best known players of a club stand out from it.
    const int reputation = GetPlayerReputation(player);
    int rank = 1;
    for (int i = 0; i < kRosterSize; ++i) {
        const uint16_t other = ClubRoster[club][i];
        if (IsPlayerNumber(other) && other != 0 && other != player && GetPlayerReputation(other) > reputation)
            ++rank;
    }
    const int margin = reputation - strength;
    *number = int16_t(std::clamp(margin, 0, 99));
    if (rank > 3 || margin < 0) return 0;
    const bool backLine = HVW_GetPositionType(player) <= 1;
    if (rank == 1) return margin >= 15 ? (backLine ? 5 : 3) : (backLine ? 4 : 2);
    if (margin >= 10) return backLine ? 4 : 2;
    return 1;
}

int16_t PlayerAbsence(uint16_t player, int16_t slot) {
    if (!IsPlayerNumber(player) || player == 0) return 0;
    const bool valid = slot >= 0 && slot < kFixtureSlots && !IsFixtureEmpty(slot);
    const int16_t cup = valid ? HVW_GetCupIndex(FixtureType(slot)) : int16_t(-2);
    if (IsPlayerSuspended(player) != 0 || (cup >= 4 && GetPlayerEuroBan(player) != 0)) return 1;
    if (GetPlayerIT(player) != 0) return 2;
    if (GetPlayerIntDuty(player) != 0) return 3;
    const int16_t club = PlayersClub(player);
    if (valid && cup >= 0 && club >= 0 && HVW_IsPlayerAvailableForFixture(club, player, slot) == 0) return 4;
    return 0;
}

int16_t AbsenceReasonText(int16_t code) { return code != 0 ? kAbsentText : int16_t(-1); }

namespace {

// What the referee gave the user's club's players in the club's first-team
// fixtures he took this season, as the event log keeps them: the count of
// the kind's events, and the fixture and player of the last.
int16_t RefereeCardCount(int16_t referee, int8_t eventKind, uint16_t* player, int16_t* fixture) {
    const int16_t club = HVW_GetMyClub();
    if (!IsClubNumber(club) || referee < 0 || referee > kMadeUpReferee) return 0;
    int16_t count = 0;
    int32_t taken = -1;  // the fixture of the referee's latest record while his
    int side = 0;        // run of the log lasts, with the club's side
    for (int32_t r = 0; r < kMatchEventRecords; ++r) {
        const int8_t kind = MatchEventKind(r);
        if (kind == kKindFree) break;
        const uint16_t slot = MatchEventFixture(r);
        if (kind == kKindReferee) {
            taken = -1;
            if (MatchEventPlayer(r) != uint16_t(referee) || slot >= kFixtureSlots) continue;
            const int16_t code = FixtureType(int16_t(slot));
            if (code == kCompReserveLeague ||
                (FixtureHome(int16_t(slot)) != club && FixtureAway(int16_t(slot)) != club))
                continue;
            taken = slot;
            side = FixtureHome(int16_t(slot)) == club ? 0 : 1;
            continue;
        }
        if (taken < 0 || slot != uint16_t(taken) || !MatchEvents_IsSound(r)) continue;
        if (kind != eventKind || MatchEventSide(r) != side) continue;
        ++count;
        *player = MatchEventPlayer(r);
        *fixture = int16_t(taken);
    }
    return count;
}

}  // namespace

int16_t PlayerRecordCounter(uint16_t player, int16_t mode, int16_t kind, uint16_t* second, int16_t* fixture) {
    uint16_t unusedPlayer = 0;
    int16_t unusedFixture = -1;
    if (second == nullptr) second = &unusedPlayer;
    if (fixture == nullptr) fixture = &unusedFixture;
    *second = 0;
    *fixture = -1;
    if (mode == kRecordOfReferee) {
        if (kind == kRefereeSendingsOff)
            return RefereeCardCount(int16_t(player), kKindSendingOff, second, fixture);
        if (kind == kRefereeBookings) return RefereeCardCount(int16_t(player), kKindBooking, second, fixture);
        return 0;
    }
    if (mode != 0 || !IsPlayerNumber(player) || player == 0) return 0;
    const int16_t club = PlayersClub(player);
    if (club < 0) return 0;
    const RecentScorers& recent = RecentOf(club);
    int16_t count = 0, goals = 0;
    uint16_t partner = 0;
    int partnerGames = 0;
    for (int f = 0; f < recent.count; ++f) {
        const int scored = GoalsIn(recent, f, player);
        goals = int16_t(goals + scored);
        if (scored > 0) ++count;
        if (kind != 3 || scored == 0) continue;
        for (int i = 0; i < 16 && recent.players[f][i] != 0; ++i) {
            const uint16_t mate = recent.players[f][i];
            if (mate == player) continue;
            int games = 0;
            for (int g = 0; g < recent.count; ++g)
                if (GoalsIn(recent, g, player) > 0 && GoalsIn(recent, g, mate) > 0) ++games;
            if (games > partnerGames) partnerGames = games, partner = mate;
        }
    }
    switch (kind) {
        case 3:
            if (second != nullptr) *second = partner;
            return int16_t(partnerGames);
        case 4:
            return count;
        case 5:
            return goals >= 3 ? int16_t(1) : int16_t(0);
        default:
            return 0;
    }
}

int16_t PlayerStreak(uint16_t player, int16_t club) {
    if (!IsPlayerNumber(player) || player == 0 || !IsClubNumber(club)) return 0;
    const RecentScorers& recent = RecentOf(club);
    int16_t streak = 0;
    while (streak < recent.count && GoalsIn(recent, streak, player) > 0) ++streak;
    return streak;
}

// ---- The last meeting and the titles ---------------------------------------------------------

LastMeetingRecord LastMeeting(int16_t club) {
    if (!IsClubNumber(club) || !HasClubResult(club)) return {31, 31, -1, -1, 0};
    const ClubResult r = GetClubResult(club);
    return {int16_t(r.goalsA), int16_t(r.goalsB), r.aggregateA, r.aggregateB, r.packed};
}

void FixtureTitleLines(int16_t slot, char (&first)[kTitleLineSize], char (&second)[kTitleLineSize]) {
    first[0] = second[0] = '\0';
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return;
    const int16_t home = FixtureHome(slot);
    const int16_t division = IsClubNumber(home) ? int16_t(GetClubDivision(home)) : int16_t(0);
    const int16_t nation = IsClubNumber(home) ? int16_t(GetClubNation(home)) : int16_t(0);
    const int16_t type = FixtureType(slot);
    const char* name = HVW_FormatCompetitionName(type, division, 1, nation);
    std::snprintf(first, sizeof first, "%s", name != nullptr ? name : "");
    if (IsGivenName(first)) {
        // The edited name stands.
    } else if (type == kCompLeague && IsLeagueDivision(nation, division)) {
        std::snprintf(first, sizeof first, "%s", GetText(HVW_GetCompRoundTextId(division, nation)));
    } else {
        // Names left blank in the edited data: the competition's and the
        // round's texts.
        int16_t round = -1, leg = -1;
        const int16_t text =
            HVW_GetCompRoundText(type, &round, &leg, IsCountryNumber(nation) ? nation : int16_t(0));
        std::snprintf(first, sizeof first, "%s%s%s", GetText(text), round >= 0 ? " " : "", GetText(round));
    }
    uint8_t weekday = 0, dayOfMonth = 1, month = 0;
    int16_t year = 0;
    HVW_DayNumberToFullDate(int16_t(FixtureDay(slot)), HVW_GetSeason(), &weekday, &dayOfMonth, &month, &year);
    std::snprintf(second, sizeof second, "%s %d %s %d", GetText(int16_t(2 + weekday % 7)), dayOfMonth,
                  GetText(int16_t(9 + month % 12)), year);
}

// ---- The division ----------------------------------------------------------------------------

void ClubStatistics(int16_t club, int16_t* goals, int16_t* won, int16_t* drawn) {
    *goals = *won = *drawn = 0;
    if (!IsClubNumber(club)) return;
    const int16_t* w = SeasonWords(club);
    *goals = int16_t(w[kSeasonHomeFor] + w[kSeasonAwayFor]);
    *won = int16_t(w[kSeasonHomeWon] + w[kSeasonAwayWon]);
    *drawn = int16_t(w[kSeasonHomeDrawn] + w[kSeasonAwayDrawn]);
}

int16_t DivisionLeader(int16_t nation, int16_t division, int16_t statistic) {
    if (statistic < 0 || statistic > 3) return -1;
    int16_t leader = -1;
    int best = 0;
    ForEachClubOfDivision(nation, division, [&](int16_t club) {
        const int16_t* w = SeasonWords(club);
        if (w[kSeasonPlayed] <= 0) return;
        int value = 0;
        switch (statistic) {
            case 0:
                value = w[kSeasonHomeFor] + w[kSeasonAwayFor];
                break;
            case 1:
                value = -(w[kSeasonHomeAgainst] + w[kSeasonAwayAgainst]);
                break;
            case 2:
                value = w[kSeasonHomeWon] + w[kSeasonAwayWon] + w[kSeasonHomeDrawn] + w[kSeasonAwayDrawn];
                break;
            default:
                value = -(w[kSeasonHomeLost] + w[kSeasonAwayLost]);
                break;
        }
        if (leader < 0 || value > best) leader = club, best = value;
    });
    return leader;
}

int16_t ScorerRank(uint16_t player, int16_t nation, int16_t division) {
    if (!IsPlayerNumber(player) || player == 0) return 0;
    const int goals = GetPlayerGoals(player);
    if (goals <= 0 || !IsLeagueDivision(nation, division)) return 0;
    int16_t better = 0;
    ForEachClubOfDivision(nation, division, [&](int16_t club) {
        for (int i = 0; i < kRosterSize; ++i) {
            const uint16_t other = ClubRoster[club][i];
            if (IsPlayerNumber(other) && other != 0 && GetPlayerGoals(other) > goals) ++better;
        }
    });
    return int16_t(better + 1);
}
