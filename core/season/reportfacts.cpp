#include "core/season/reportfacts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/squads.h"
#include "core/match/matchresult.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/records/diarynotes.h"
#include "core/records/history.h"
#include "core/records/messagetemplates.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/messagetypes.h"
#include "core/season/racestory.h"
#include "core/season/seasonend.h"
#include "core/season/seasontables.h"

// The saved blocks of the report.
uint8_t ClubResultMemory[kClubCount * kClubResultRecordSize];
uint8_t ReportPlayerList[kReportPlayerSlots * 2];
uint8_t ReportEventList[kReportEventSlots * kReportEventSize];

char ReportSentence[kReportSentenceSize];

const int16_t DerbyPairs[kDerbyPairs][2] = {
#define DERBY_PAIR(first, second) {first, second},
#include "data/world/derby_pairs.inc"
#undef DERBY_PAIR
};
const int16_t MarkedClubs[kMarkedClubs] = {
#define MARKED_CLUB(club) club,
#include "data/world/marked_clubs.inc"
#undef MARKED_CLUB
};

const ClubHonoursRecord ClubHonoursTable[] = {
#define CLUB_HONOURS(club, titles, runnersUp, w0, f0, w1, f1, w2, f2, w3, f3, ew, ef)     \
    {club,                                                                                \
     uint16_t((titles) | (runnersUp) << 8),                                               \
     {uint16_t((w0) | (f0) << 8), uint16_t((w1) | (f1) << 8), uint16_t((w2) | (f2) << 8), \
      uint16_t((w3) | (f3) << 8)},                                                        \
     uint16_t((ew) | (ef) << 8)},
#include "data/world/club_honours.inc"
#undef CLUB_HONOURS
    {-1, 0, {0, 0, 0, 0}, 0},
};

namespace {

constexpr int kNoResultGoals = 31;

const ClubHonoursRecord* HonoursOf(int16_t club) {
    if (!IsClubNumber(club) || GetClubNation(club) > 1) return nullptr;
    for (const ClubHonoursRecord* r = ClubHonoursTable; r->club != -1; ++r) {
        if (r->club == club) return r;
    }
    return nullptr;
}
constexpr int kCupRow = 6;
constexpr int kMostUpcoming = 100;
constexpr int kLastSeasonDay = 365;
constexpr int kValueRanks = 20;
// The shoot-out list marks a shoot-out the away side won.
constexpr uint32_t kAwayWonShootOut = 0x8000;

bool IsSlot(int16_t slot) { return slot >= 0 && slot < kFixtureSlots; }

uint8_t* ResultRecord(int16_t club) { return ClubResultMemory + club * kClubResultRecordSize; }

int HomeGoals(int slot) { return int(FixtureScore(slot) & kFixtureGoalsMask); }
int AwayGoals(int slot) { return int(FixtureScore(slot) >> 5 & kFixtureGoalsMask); }

// Starts a sentence: the buffer is emptied first, so a builder that has
// nothing to say leaves "".
void ClearSentence() { ReportSentence[0] = '\0'; }
// Appends to the sentence, cutting what does not fit.
void AppendSentence(const char* text) {
    if (text == nullptr) return;
    const size_t used = std::strlen(ReportSentence);
    if (used + 1 >= sizeof ReportSentence) return;
    std::snprintf(ReportSentence + used, sizeof ReportSentence - used, "%s", text);
}

// The club's place in its division's table; -1 when it stands in none.
int TablePlace(int16_t club) {
    if (!IsClubNumber(club)) return -1;
    const int nation = GetClubNation(club);
    if (!IsCountryNumber(nation)) return -1;
    for (int row = 0; row < kDivisionCount; ++row) {
        for (int place = 0; place < kLeagueRowClubs; ++place) {
            if (LeagueTable[nation][row][place] == club) return place;
        }
    }
    return -1;
}

// Points for a win in the club's division (3 outside the leagues).
int WinPoints(int16_t club) {
    const int nation = GetClubNation(club);
    const int row = HVW_FindClubInDivisionRows(club);
    if (!IsCountryNumber(nation) || row < 0 || row >= kDivisionCount) return 3;
    return DivisionRaceRules[nation][row][kRaceRuleWinPoints];
}

// The slot after the club's latest played league game: the first fixture
// dated after today, or dated today with the club and no score yet.
int FormWalkEnd(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    int slot = 0;
    for (; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int day = FixtureDay(slot);
        if (day > today) break;
        if (day == today && IsFixtureOfClub(slot, club) && !IsFixturePlayed(slot)) break;
    }
    return slot;
}

// One league game of the club seen from its side.
struct Game {
    int scored, conceded;
    bool won() const { return scored > conceded; }
    bool drawn() const { return scored == conceded; }
    bool lost() const { return scored < conceded; }
};

// Walks the club's played league games at the venue backwards from its
// latest; the visitor returns false to stop.
template <typename Visit>
void WalkLeagueGames(int16_t club, int venue, Visit visit) {
    for (int slot = FormWalkEnd(club) - 1; slot >= 0; --slot) {
        if (FixtureType(slot) != kCompLeague || !IsFixtureOfClub(slot, club) || !IsFixturePlayed(slot))
            continue;
        const bool home = FixtureHome(slot) == club;
        if ((venue == 0 && !home) || (venue == 1 && home)) continue;
        const Game game =
            home ? Game{HomeGoals(slot), AwayGoals(slot)} : Game{AwayGoals(slot), HomeGoals(slot)};
        if (!visit(game)) return;
    }
}

// One streak: counting while it runs; a follow-on streak starts when its
// parent ends.
struct Streak {
    int length = 0;
    bool running = true;
    bool started = true;
};

int FormVenue(int16_t club, int venue, uint8_t* out) {
    std::array<Streak, kFormKinds> s{};
    for (int kind : {2, 5, 8, 10}) s[kind].started = false, s[kind].running = false;
    bool childPending[kFormKinds] = {};
    childPending[2] = childPending[5] = childPending[8] = childPending[10] = true;
    auto extend = [&s](int kind, bool holds) {
        if (!s[kind].running) return false;
        if (holds) {
            ++s[kind].length;
        } else {
            s[kind].running = false;
        }
        return !holds;
    };
    auto start = [&](int child, int parent) {
        s[child].started = s[child].running = true;
        s[child].length = s[parent].length + 1;
        childPending[child] = false;
    };
    auto allEnded = [&]() {
        for (int kind = 0; kind < kFormKinds; ++kind) {
            if (s[kind].running || (childPending[kind] && s[kind - 1].running)) return false;
        }
        return true;
    };
    WalkLeagueGames(club, venue, [&](const Game& g) {
        extend(0, g.won());
        extend(6, g.drawn());
        extend(3, g.lost());
        extend(2, !g.lost());
        if (extend(1, !g.lost())) start(2, 1);
        extend(5, !g.won());
        if (extend(4, !g.won())) start(5, 4);
        extend(8, g.scored == 0);
        if (extend(7, g.scored == 0) && g.scored == 1) start(8, 7);
        extend(10, g.conceded == 0);
        if (extend(9, g.conceded == 0) && g.conceded == 1) start(10, 9);
        return !allEnded();
    });
    int longest = 0;
    for (int kind = 0; kind < kFormKinds; ++kind) {
        const int length = std::min(s[kind].length, 255);
        out[kind * 3 + venue] = uint8_t(length);
        longest = std::max(longest, length);
    }
    return longest;
}

}  // namespace

// ---------------------------------------------------------------------------
// Result memory

ClubResult GetClubResult(int16_t club) {
    if (!IsClubNumber(club)) return ClubResult{kNoResultGoals, kNoResultGoals, -1, -1, 0};
    const uint8_t* r = ResultRecord(club);
    return ClubResult{recbits::LoadU16(r), recbits::LoadU16(r + 2), int16_t(recbits::LoadU16(r + 4)),
                      int16_t(recbits::LoadU16(r + 6)), recbits::LoadU32(r + 8)};
}

bool HasClubResult(int16_t club) {
    const ClubResult r = GetClubResult(club);
    return r.goalsA + r.goalsB != 2 * kNoResultGoals;
}

void ClearClubResultMemory() {
    for (int club = 0; club < kClubCount; ++club) {
        uint8_t* r = ResultRecord(int16_t(club));
        for (int word = 0; word < 4; ++word) recbits::StoreU16(r + 2 * word, kNoResultGoals);
    }
}

void RecordUserClubResult(int16_t slot) {
    if (!IsSlot(slot) || IsFixtureEmpty(slot) || !IsFixturePlayed(slot)) return;
    const int16_t competition = FixtureType(slot);
    if (competition >= kCompFriendly) return;
    const int16_t user = HVW_GetMyClub();
    if (!IsClubNumber(user) || !IsFixtureOfClub(slot, user)) return;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const int16_t opponent = home == user ? away : home;
    if (!IsClubNumber(opponent)) return;
    const bool neutral = (FixtureScore(slot) & kFixtureNeutralBit) != 0;
    const bool userHome = home == user;
    // At a neutral venue the user's club comes first, otherwise the home club.
    const bool userFirst = !neutral || userHome;
    int goalsA = userFirst ? HomeGoals(slot) : AwayGoals(slot);
    int goalsB = userFirst ? AwayGoals(slot) : HomeGoals(slot);
    int aggregateA = -1, aggregateB = -1;
    if (HVW_IsSecondLegFixture(slot)) {
        const int16_t first = HVW_FindEarlierCupTie(home, away, competition, int16_t(FixtureDay(slot)));
        if (first >= 0 && IsFixturePlayed(first)) {
            // The first leg was played with the clubs the other way round.
            const int firstHomeClubGoals = AwayGoals(first), firstAwayClubGoals = HomeGoals(first);
            aggregateA = goalsA + (userFirst ? firstHomeClubGoals : firstAwayClubGoals);
            aggregateB = goalsB + (userFirst ? firstAwayClubGoals : firstHomeClubGoals);
        }
    }
    const int side = neutral ? 2 : userHome ? 0 : 1;
    const int row = competition == kCompLeague || competition == kCompPlayOffFinal
                        ? std::clamp<int>(HVW_FindClubInDivisionRows(user), 0, kCupRow - 1)
                        : kCupRow;
    // The season in bits 0-8 dates the meeting in its own season.
    uint32_t packed = uint32_t(HVW_GetSeason() & 0x1FF) | uint32_t(FixtureDay(slot) & 0x1FF) << 9 |
                      uint32_t(competition & 0x7F) << 18 | uint32_t(row & 7) << 25 | uint32_t(side & 3) << 28;
    for (int i = 0; i < ShootOutCount && i < kShootOutEntries; ++i) {
        if (int16_t(ShootOutList[i] & 0x7FFF) != slot) continue;
        const bool awayWon = (ShootOutList[i] & kAwayWonShootOut) != 0;
        packed |= awayWon == userHome ? kResultShootOutLost : kResultShootOutWon;
        break;
    }
    uint8_t* r = ResultRecord(opponent);
    recbits::StoreU16(r, uint16_t(goalsA));
    recbits::StoreU16(r + 2, uint16_t(goalsB));
    recbits::StoreU16(r + 4, uint16_t(int16_t(aggregateA)));
    recbits::StoreU16(r + 6, uint16_t(int16_t(aggregateB)));
    recbits::StoreU32(r + 8, packed);
}

// ---------------------------------------------------------------------------
// Clubs, players and fixtures

int16_t IsMarkedClub(int16_t club) {
    return std::find(std::begin(MarkedClubs), std::end(MarkedClubs), club) != std::end(MarkedClubs) ? 1 : 0;
}

int16_t IsDerbyFixture(int16_t slot) {
    if (!IsSlot(slot) || IsFixtureEmpty(slot)) return 0;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    for (const auto& pair : DerbyPairs) {
        if ((pair[0] == home && pair[1] == away) || (pair[0] == away && pair[1] == home)) return 1;
    }
    return 0;
}

int16_t IsPlayerMentioned(uint16_t player) {
    if (!IsPlayerNumber(player)) return 0;
    for (int i = 0; i < kReportPlayerSlots; ++i) {
        if (recbits::LoadU16(ReportPlayerList + 2 * i) == player) return HVW_GetPlayerIP(player) == 0 ? 1 : 0;
    }
    return 0;
}

void ClearMentionedPlayers() { std::memset(ReportPlayerList, 0, sizeof ReportPlayerList); }

void MentionPlayer(uint16_t player) {
    if (!IsPlayerNumber(player)) return;
    for (int i = 0; i < kReportPlayerSlots; ++i) {
        const uint16_t held = recbits::LoadU16(ReportPlayerList + 2 * i);
        if (held == player) return;
        if (held == 0) {
            recbits::StoreU16(ReportPlayerList + 2 * i, player);
            return;
        }
    }
}

int16_t ListUpcomingFixtures(int16_t club, int16_t max, int16_t weeks, int16_t* out, int16_t withFriendlies) {
    std::fill(out, out + kMostUpcoming, int16_t(-1));
    if (!IsClubNumber(club)) return 0;
    const int today = SeasonCalendar.currentDay;
    const int nation = GetClubNation(club);
    int endDay = IsCountryNumber(nation) ? HVW_GetCompNextRoundDay(int16_t(nation)) : kLastSeasonDay;
    // A limit day already passed would list nothing for the rest of the
    // season: the season's end is the limit then.
    if (endDay <= today) endDay = kLastSeasonDay;
    int most = std::min<int>(max, kMostUpcoming);
    if (max <= 0 && weeks > 0) {
        endDay = std::min(endDay, today + 7 * weeks + 1);
        most = kMostUpcoming;
    }
    int16_t count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && count < most; ++slot) {
        const int day = FixtureDay(slot);
        if (day > endDay) break;
        if (day < today || !IsFixtureOfClub(slot, club)) continue;
        const int16_t type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21) continue;
        if (type == kCompFriendly && withFriendlies == 0) continue;
        out[count++] = int16_t(slot);
    }
    return count;
}

int16_t FindClubFixtureSlotOnDay(int16_t club, int16_t day, int16_t competition) {
    if (!IsClubNumber(club)) return -1;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int fixtureDay = FixtureDay(slot);
        if (fixtureDay > day) return -1;
        if (fixtureDay != day || !IsFixtureOfClub(slot, club)) continue;
        const bool reserve = FixtureType(slot) == kCompReserveLeague;
        if (reserve == (competition == kCompReserveLeague)) return int16_t(slot);
    }
    return -1;
}

int16_t FindUserFixtureOnDay(int16_t day, int16_t competition) {
    return FindClubFixtureSlotOnDay(HVW_GetMyClub(), day, competition);
}

// ---------------------------------------------------------------------------
// Codes to texts

int16_t GetStoryTextId(int16_t code) {
    if (code >= 0 && code <= 6) return int16_t(2530 + code);
    if (code >= 8 && code <= 17) return int16_t(2500 + code - 8);
    if (code >= 18 && code <= 19) return int16_t(2515 + code - 18);
    if (code >= 20 && code <= 22) return int16_t(2517 + code - 20);
    if (code >= 30 && code <= 32) return int16_t(2517 + code - 30);
    if (code >= 23 && code <= 27) return int16_t(2510 + code - 23);
    if (code >= 28 && code <= 29) return int16_t(2520 + code - 28);
    if (code >= 33 && code <= 37) return int16_t(2525 + code - 33);
    if (code >= 38 && code <= 44) return int16_t(2899 + code - 38);
    return -1;
}

int16_t GetCupExitTextId(int16_t stage) {
    if (stage == 1) return 2489;
    if (stage == 2 || stage == 3) return 2498;
    if (stage == 4) return 2499;
    return -1;
}

int16_t CompareStandingClasses(int16_t a, int16_t b) {
    static constexpr int16_t kWeights[8] = {0, 1, 2, 3, 4, 5, 4, 5};
    if (a < 0 || a > 7 || b < 0 || b > 7) return 0;
    return int16_t(kWeights[a] - kWeights[b]);
}

// ---------------------------------------------------------------------------
// Form

int16_t GetRecentForm(int16_t club, uint8_t* out) {
    std::fill(out, out + kFormEntries, uint8_t(0));
    if (!IsClubNumber(club)) return 0;
    int longest = 0;
    for (int venue = 0; venue < 3; ++venue) longest = std::max(longest, FormVenue(club, venue, out));
    return int16_t(longest);
}

int16_t CountRecentPoints(int16_t club, int16_t games, int16_t venue) {
    if (!IsClubNumber(club) || games <= 0) return 0;
    const int win = WinPoints(club);
    const int walkVenue = venue == 0 || venue == 1 ? venue : 2;
    int points = 0, counted = 0;
    WalkLeagueGames(club, walkVenue, [&](const Game& g) {
        points += g.won() ? win : g.drawn() ? 1 : 0;
        return ++counted < games;
    });
    return int16_t(points);
}

int16_t ClassifyClubSeason(int16_t club, int16_t slot) {
    if (!IsClubNumber(club) || !IsSlot(slot) || IsFixtureEmpty(slot)) return -1;
    if (!IsFixtureOfClub(slot, club) || FixtureType(slot) != kCompLeague) return -1;
    const bool home = FixtureHome(slot) == club;
    const int16_t opponent = home ? FixtureAway(slot) : FixtureHome(slot);
    if (!IsClubNumber(opponent)) return -1;
    int16_t played = 0, points = 0, place = 0;
    HVW_GetClubSeasonTotals(club, &played, &points, &place);
    if (played < 6) {
        const int c =
            CompareStandingClasses(HVW_GetClubStandingClass(club), HVW_GetClubStandingClass(opponent));
        if (home) return int16_t(c >= 0 ? 0 : c == -1 ? 1 : c == -2 ? 2 : 3);
        return int16_t(c == 1 ? 2 : c >= 0 ? 1 : c == -1 ? 2 : 3);
    }
    // The mark of a side's form at its venue of this fixture: the candidate
    // streak that gained the most points (the earlier on a tie).
    auto mark = [](int16_t side, int venue) {
        static constexpr int kKinds[7] = {0, 1, 2, 3, 4, 5, 6};
        static constexpr int kMarks[7] = {3, 2, 1, -3, -2, -1, 0};
        uint8_t form[kFormEntries];
        GetRecentForm(side, form);
        int best = 0, bestPoints = -1;
        for (int i = 0; i < 7; ++i) {
            const int length = form[kKinds[i] * 3 + venue];
            const int gained = CountRecentPoints(side, int16_t(length), int16_t(venue));
            if (gained > bestPoints) best = i, bestPoints = gained;
        }
        return kMarks[best];
    };
    const int a = mark(club, home ? 0 : 1);
    const int b = mark(opponent, home ? 1 : 0);
    if (a < 0) {
        const int n = HVW_GetCompRoundWord(HVW_FindClubInDivisionRows(club), int16_t(GetClubNation(club)));
        return int16_t(HVW_GetLeaguePlace(club) < 2 * n / 3 ? 5 : 4);
    }
    const int d = a - b;
    return int16_t(d >= 2 ? 0 : d == 1 ? 1 : d == 0 ? 2 : 3);
}

HomeAwayForm GetHomeAwayForm(int16_t club) {
    HomeAwayForm f{};
    f.row = -1;
    if (!IsClubNumber(club)) return f;
    HVW_GetClubSeasonHomeRecord(club, &f.home[0], &f.home[1], &f.home[2], &f.home[3], &f.home[4]);
    HVW_GetClubSeasonAwayRecord(club, &f.away[0], &f.away[1], &f.away[2], &f.away[3], &f.away[4]);
    f.row = TablePlace(club) >= 0 ? HVW_FindClubInDivisionRows(club) : int16_t(-1);
    return f;
}

// ---------------------------------------------------------------------------
// Events, second legs and squad values

int16_t CountPlayerEvents(uint16_t player, int16_t kind, int16_t* countSum) {
    *countSum = 0;
    if (!IsPlayerNumber(player)) return 0;
    int16_t events = 0;
    for (int i = 0; i < kReportEventSlots; ++i) {
        const uint8_t* e = ReportEventList + i * kReportEventSize;
        const uint16_t who = recbits::LoadU16(e);
        const uint16_t flags = recbits::LoadU16(e + 6);
        if (who == 0 && (flags & 1) == 0) break;
        if (who != player || (flags >> 1 & 0x7F) != uint16_t(kind)) continue;
        ++events;
        *countSum = int16_t(*countSum + e[4]);
    }
    return events;
}

int16_t FindEventForClub(int16_t club) {
    if (!IsClubNumber(club) || !HasClubResult(club)) return -1;
    const ClubResult r = GetClubResult(club);
    const uint16_t day = uint16_t(r.packed >> 9 & 0x1FF);
    const uint8_t competition = uint8_t(r.packed >> 18 & 0x7F);
    for (int i = 0; i < kReportEventSlots; ++i) {
        const uint8_t* e = ReportEventList + i * kReportEventSize;
        const uint16_t who = recbits::LoadU16(e);
        const uint16_t flags = recbits::LoadU16(e + 6);
        if (who == 0 && (flags & 1) == 0) break;
        if ((flags >> 1 & 0x7F) == 4 && recbits::LoadU16(e + 2) == day && e[5] == competition) return e[4];
    }
    return -1;
}

void ClearReportEvents() { std::memset(ReportEventList, 0, sizeof ReportEventList); }

void QueueReportEvent(uint16_t player, int16_t slot, int16_t kind, int16_t count, bool secondKind) {
    if (!IsPlayerNumber(player) || !IsSlot(slot) || IsFixtureEmpty(slot)) return;
    int used = 0;
    while (used < kReportEventSlots) {
        const uint8_t* e = ReportEventList + used * kReportEventSize;
        if (recbits::LoadU16(e) == 0 && (recbits::LoadU16(e + 6) & 1) == 0) break;
        ++used;
    }
    if (used == kReportEventSlots) {
        std::memmove(ReportEventList, ReportEventList + kReportEventSize,
                     (kReportEventSlots - 1) * kReportEventSize);
        used = kReportEventSlots - 1;
    }
    uint8_t* e = ReportEventList + used * kReportEventSize;
    std::memset(e, 0, kReportEventSize);
    recbits::StoreU16(e, player);
    recbits::StoreU16(e + 2, FixtureDay(slot));
    e[4] = uint8_t(std::clamp<int>(count, 0, 255));
    e[5] = uint8_t(FixtureType(slot));
    recbits::StoreU16(e + 6, uint16_t((kind & 0x7F) << 1 | (secondKind ? 1 : 0)));
    // The next record, when there is one, ends the list.
    if (used + 1 < kReportEventSlots) std::memset(e + kReportEventSize, 0, kReportEventSize);
}

void QueuePostMatchNotices(int side, int16_t slot) {
    if ((side != 0 && side != 1) || !IsSlot(slot)) return;
    for (int team = 0; team < 2; ++team) {
        for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
            const uint8_t* r = MatchPlayerReport(team, entry);
            const uint16_t player = recbits::LoadU16(r + kPlayerNumber);
            if (!IsPlayerNumber(player)) continue;
            if (team == side) {
                const int cards = recbits::LoadU16(r + kStatsPackedWord) >> 6 & 3;
                if (cards >= 2) QueueReportEvent(player, slot, int16_t(cards), int16_t(cards), false);
            } else if (int8_t(r[kStatsInjured]) > 0) {
                QueueReportEvent(player, slot, kReportEventInjury, int16_t(int8_t(r[kStatsInjured])), true);
            }
        }
    }
}

int16_t GetSecondLegFacts(int16_t slot, int16_t* firstLegHome, int16_t* firstLegAway) {
    *firstLegHome = *firstLegAway = -1;
    if (!IsSlot(slot) || IsFixtureEmpty(slot)) return 0;
    const int16_t user = HVW_GetMyClub();
    if (!IsClubNumber(user) || !IsFixtureOfClub(slot, user) || !HVW_IsSecondLegFixture(slot)) return 0;
    const int16_t first = HVW_FindEarlierCupTie(FixtureHome(slot), FixtureAway(slot), FixtureType(slot),
                                                int16_t(FixtureDay(slot)));
    if (first < 0 || !IsFixturePlayed(first)) return 0;
    *firstLegHome = int16_t(AwayGoals(first));
    *firstLegAway = int16_t(HomeGoals(first));
    return 1;
}

int32_t GetSquadValueFigure(int16_t nation, int16_t row) {
    if (!IsCountryNumber(nation) || row < 0 || row >= kDivisionCount) return 0;
    // The shared squad lists go back to the club they were built for.
    const int16_t listed = HVW_GetSquadListClub();
    // The 20 highest values, smallest first.
    std::array<int32_t, kValueRanks> top{};
    int held = 0;
    for (int place = 0; place < kLeagueRowClubs; ++place) {
        const int16_t club = LeagueTable[nation][row][place];
        if (!IsClubNumber(club)) continue;
        HVW_BuildSquadList(club);
        for (uint16_t player : FirstTeamList.players) {
            if (!IsPlayerNumber(player)) continue;
            const int32_t value = HVW_ValuePlayer(player);
            if (value <= 0) continue;
            if (held < kValueRanks) {
                top[held++] = value;
                std::sort(top.begin(), top.begin() + held);
            } else if (value > top[0]) {
                top[0] = value;
                std::sort(top.begin(), top.end());
            }
        }
    }
    if (listed >= 0) HVW_BuildSquadList(listed);
    return held < kValueRanks ? 0 : top[0];
}

// ---------------------------------------------------------------------------
// Transfers in the players' histories

namespace {

constexpr uint8_t kHistoryTransfer = 2;

}  // namespace

int16_t FindPlayerTransferFee(uint16_t player, int32_t* fee) {
    *fee = 0;
    if (!IsPlayerNumber(player)) return 0;
    if (GetPlayerLoanClub(player) != GetPlayerClub(player)) return 3;
    const PlayerHistoryEntry* e = LatestPlayerHistoryEntry(player, kHistoryTransfer);
    if (e == nullptr) return 0;
    // The entry keeps the fee in thousands.
    *fee = int32_t(PlayerHistoryMarker(*e)) * 10;
    return 5;
}

int16_t FindPlayerPreviousClubMeeting(uint16_t player, int16_t slot) {
    if (!IsPlayerNumber(player) || !IsSlot(slot) || IsFixtureEmpty(slot)) return 0;
    const int16_t club = int16_t(GetPlayerClub(player));
    if (!IsClubNumber(club) || !IsFixtureOfClub(slot, club)) return 0;
    const int16_t opponent = FixtureHome(slot) == club ? FixtureAway(slot) : FixtureHome(slot);
    int previous = -1;
    if (GetPlayerLoanClub(player) != GetPlayerClub(player)) {
        previous = GetPlayerLoanClub(player);
    } else if (const PlayerHistoryEntry* e = LatestPlayerHistoryEntry(player, kHistoryTransfer)) {
        previous = PlayerHistoryClub(*e);  // the seller
    }
    return previous == opponent ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Honours

int16_t GetClubHonourCountA(int16_t club) {
    const ClubHonoursRecord* r = HonoursOf(club);
    return r == nullptr ? int16_t(1) : int16_t(r->league & 0xFF);
}

int16_t GetClubHonourCountB(int16_t club) {
    const ClubHonoursRecord* r = HonoursOf(club);
    return r == nullptr ? int16_t(1) : int16_t(r->cups[0] & 0xFF);
}

uint16_t GetClubHonourByCup(int16_t club, ClubHonoursRecord* record) {
    const ClubHonoursRecord* r = HonoursOf(club);
    if (r == nullptr) return 0;
    if (record != nullptr) *record = *r;
    const int16_t cup = GetNextFixtureCupSlot(club);
    if (cup >= 0 && cup < 4) return r->cups[cup];
    if (cup >= 4 && cup <= 6) return r->europe;
    return 0;
}

// ---------------------------------------------------------------------------
// Sentences

const char* BuildCategorySentence(int16_t club, int16_t category, int16_t selector, int16_t count) {
    static constexpr int16_t kTexts[23] = {2562, 2566, 2568, 2574, 2578, 2580, 2570, 2582,
                                           2584, 2586, 2588, 2558, 2564, 2572, 2576, 2590,
                                           2592, 2594, 2596, 2598, 2600, 2602, 2604};
    ClearSentence();
    if (!IsClubNumber(club)) return ReportSentence;
    const int16_t text = category >= 0 && category <= 22 && category != 17 ? kTexts[category] : int16_t(2594);
    TextMsg_ResetArgs();
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    if (selector <= 1) {
        const int16_t listText = selector <= 0 ? int16_t(2556) : int16_t(2557);
        TextMsg_SetArg(TEXTMSG_LIST_TEXT, &listText);
    }
    TextMsg_SetArg(TEXTMSG_NUMBER, &count);
    AppendSentence(TextMsg_Expand(GetText(text)));
    return ReportSentence;
}

namespace {

// One template with the club and up to two numbers; "" for a bad club.
const char* ClubSentence(int16_t club, int16_t text, int16_t first = -1, int16_t second = -1) {
    ClearSentence();
    if (!IsClubNumber(club) || text < 0) return ReportSentence;
    TextMsg_ResetArgs();
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    if (first >= 0) TextMsg_SetArg(TEXTMSG_NUMBER, &first);
    if (second >= 0) TextMsg_SetArg(TEXTMSG_NUMBER, &second);
    AppendSentence(TextMsg_Expand(GetText(text)));
    return ReportSentence;
}

}  // namespace

const char* BuildRecordSentence(int16_t club, int16_t code, int16_t count) {
    int16_t text = -1;
    if (code >= 1 && code <= 3) text = code == 1 && count <= 0 ? int16_t(2914) : int16_t(2907 + code);
    if (code >= 11 && code <= 13) text = code == 11 && count <= 0 ? int16_t(2915) : int16_t(2900 + code);
    return ClubSentence(club, text, count > 0 ? count : int16_t(-1));
}

const char* BuildTableSentence(int16_t club) {
    const int place = TablePlace(club);
    if (place < 0) return ClubSentence(club, -1);
    const int nation = GetClubNation(club);
    const int row = HVW_FindClubInDivisionRows(club);
    const int n = HVW_GetCompRoundWord(int16_t(row), int16_t(nation));
    const int relegated = row < kDivisionCount ? RelegationCount[nation][row] : 0;
    int16_t text = 2539;
    if (place == 0) {
        text = 2537;
    } else if (place < n / 4) {
        text = 2538;
    } else if (relegated > 0 && place >= n - relegated) {
        text = 2542;
    } else if (place >= n - relegated - 3) {
        text = 2541;
    } else if (place >= n / 2) {
        text = 2540;
    }
    return ClubSentence(club, text);
}

const char* BuildDerbySentence(int16_t club) {
    ClearSentence();
    int16_t next[kMostUpcoming];
    if (ListUpcomingFixtures(club, 1, 0, next, 0) == 0 || IsDerbyFixture(next[0]) == 0) return ReportSentence;
    const int16_t opponent = FixtureHome(next[0]) == club ? FixtureAway(next[0]) : FixtureHome(next[0]);
    TextMsg_ResetArgs();
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    TextMsg_SetArg(TEXTMSG_CLUB, &opponent);
    AppendSentence(TextMsg_ExpandBody(kMsgLocalDerby, 6));
    return ReportSentence;
}

const char* BuildLeagueContextSentence(int16_t club) {
    const int place = TablePlace(club);
    if (place < 0) return ClubSentence(club, -1);
    const int expected = GetClubBaseRep(club);
    const int n = HVW_GetCompRoundWord(HVW_FindClubInDivisionRows(club), int16_t(GetClubNation(club)));
    int16_t text = 2998;
    if (place == 0) {
        text = expected == 0 ? int16_t(2996) : int16_t(2997);
    } else if (place < expected) {
        text = 2999;
    } else if (place > expected + n / 4) {
        text = 3001;
    } else if (place > expected) {
        text = 3000;
    }
    ClubSentence(club, text);
    const ClubHonoursRecord* r = HonoursOf(club);
    if (r == nullptr) return ReportSentence;
    char first[kReportSentenceSize];
    std::snprintf(first, sizeof first, "%s", ReportSentence);
    const int16_t titles = int16_t(r->league & 0xFF);
    int16_t cups = 0;
    for (uint16_t word : r->cups) cups = int16_t(cups + (word & 0xFF));
    if (titles + cups > 0) {
        ClubSentence(club, 3002, titles, cups);
    } else {
        ClubSentence(club, 3003);
    }
    char second[kReportSentenceSize];
    std::snprintf(second, sizeof second, "%s", ReportSentence);
    ClearSentence();
    AppendSentence(first);
    AppendSentence(" ");
    AppendSentence(second);
    return ReportSentence;
}

const char* BuildEarlierMeetingSentence(int16_t code, int16_t club, int16_t slot) {
    ClearSentence();
    if (code < 0 || code > 61 || !IsSlot(slot) || IsFixtureEmpty(slot)) return ReportSentence;
    if (club != -1 && !IsClubNumber(club)) return ReportSentence;
    TextMsg_ResetArgs();
    if (club != -1) TextMsg_SetArg(TEXTMSG_CLUB, &club);
    const int16_t earlier = HVW_FindEarlierCupTie(FixtureHome(slot), FixtureAway(slot), FixtureType(slot),
                                                  int16_t(FixtureDay(slot)));
    if (earlier >= 0 && IsFixturePlayed(earlier)) {
        const int16_t home = int16_t(HomeGoals(earlier)), away = int16_t(AwayGoals(earlier));
        TextMsg_SetArg(TEXTMSG_NUMBER, &home);
        TextMsg_SetArg(TEXTMSG_NUMBER, &away);
    }
    AppendSentence(TextMsg_Expand(GetText(int16_t(2830 + code))));
    return ReportSentence;
}
