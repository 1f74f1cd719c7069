#include "core/season/cuprounds.h"

#include "core/season/leagues.h"

constexpr int16_t CupRoundCounts[kCountryCount][kCupCount] = {
    {8, 7, 5, 6, 6, 2, 5}, {7, 6, 5, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5},
    {7, 0, 0, 0, 6, 2, 5}, {0, 0, 0, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5},
    {7, 6, 0, 0, 6, 2, 5}, {6, 0, 0, 0, 6, 2, 5}, {6, 5, 0, 0, 6, 2, 5},
};

const int32_t CupTVMoney[kCountryCount][kCupCount] = {
    {2000000, 750000, 15000, 50000, 3000000, 3000000, 5000000},
    {1500000, 500000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
    {2500000, 1000000, 15000, 50000, 3000000, 3000000, 5000000},
};

namespace {

// Match modes and extra-time codes of a round.
constexpr int8_t kReplay = 0, kPenalties = 1, kTwoLegs = 2, kGroups = 3;
constexpr int8_t kExtraTime = 1;
constexpr int8_t kGroupRound = -4;    // clubs-through byte of a group round
constexpr int8_t kGroupWinners = -4;  // entry window of the round after one
constexpr int8_t kSubstitutes = 5;
// National cup rounds are drawn from this league day counter on, 21 days
// apart, each played 14 days after its draw; a nation's cups are staggered
// by 4 days so that their rounds fall on different days.
constexpr int kFirstDrawDay = 30;
constexpr int kRoundSpacing = 21;
constexpr int kDrawToMatch = 14;
constexpr int kCupStagger = 4;

struct Round {
    int16_t draw, match;
    int8_t windowStart, windowEnd, through, extraTime, mode, secondExtraTime, secondShootOut, neutral;
};

constexpr void Put(CupRoundRuleTable& t, int nation, int cup, int round, const Round& r) {
    uint8_t* rec = t.bytes[nation][cup][round];
    rec[kCupDrawDay] = uint8_t(r.draw & 0xFF);
    rec[kCupDrawDay + 1] = uint8_t((r.draw >> 8) & 0xFF);
    rec[kCupMatchDay] = uint8_t(r.match & 0xFF);
    rec[kCupMatchDay + 1] = uint8_t((r.match >> 8) & 0xFF);
    rec[kCupEntryStart] = uint8_t(r.windowStart);
    rec[kCupEntryEnd] = uint8_t(r.windowEnd);
    rec[kCupClubsThrough] = uint8_t(r.through);
    rec[kCupExtraTime] = uint8_t(r.extraTime);
    rec[kCupMatchMode] = uint8_t(r.mode);
    rec[kCupSecondExtraTime] = uint8_t(r.secondExtraTime);
    rec[kCupSecondShootOut] = uint8_t(r.secondShootOut);
    rec[kCupNeutral] = uint8_t(r.neutral);
    rec[kCupSubstitutes] = uint8_t(kSubstitutes);
}

// A single match decided on the day: extra time, then penalties.
constexpr Round OneMatch(int draw, int match, int start, int end, int through, int neutral) {
    return Round{int16_t(draw),
                 int16_t(match),
                 int8_t(start),
                 int8_t(end),
                 int8_t(through),
                 kExtraTime,
                 kPenalties,
                 -1,
                 -1,
                 int8_t(neutral)};
}

// A single match whose draw is replayed; the replay goes to extra time and
// penalties.
constexpr Round Replayed(int draw, int match, int start, int end, int through) {
    return Round{int16_t(draw),
                 int16_t(match),
                 int8_t(start),
                 int8_t(end),
                 int8_t(through),
                 0,
                 kReplay,
                 kExtraTime,
                 1,
                 0};
}

// Two legs; extra time and penalties after the second leg.
constexpr Round TwoLegs(int draw, int match, int start, int end, int through) {
    return Round{int16_t(draw),
                 int16_t(match),
                 int8_t(start),
                 int8_t(end),
                 int8_t(through),
                 0,
                 kTwoLegs,
                 kExtraTime,
                 1,
                 0};
}

constexpr Round GroupStage(int draw, int match, int start, int end) {
    return Round{
        int16_t(draw), int16_t(match), int8_t(start), int8_t(end), kGroupRound, 0, kGroups, -1, -1, 0};
}

constexpr int Clubs(int nation) {
    int n = 0;
    for (const DivisionLayoutEntry& d : kShippedDivisionLayout[nation]) n += d.clubs;
    return n;
}

// A national cup of R rounds for the nation's clubs, ordered by division
// and place (the nation club order).  Round r of a full cup has 2^(R-r)
// clubs.  When the nation has fewer clubs than that, the lower clubs play a
// preliminary round and the higher ones come in a round later, so that
// every later round is full; rounds before the preliminary one are drawn
// but have no clubs.  With more clubs than the first round takes, the
// highest ones play.
constexpr void NationalCup(CupRoundRuleTable& t, int nation, int cup, int rounds) {
    const int clubs = Clubs(nation);
    int first = 0;
    while (first < rounds - 1 && (2 << (rounds - 1 - first)) > clubs) ++first;
    const int size = 2 << (rounds - 1 - first);  // clubs of round `first`
    // Clubs beyond a full round play off for the places of the weakest.
    const int prelim = clubs > size ? 2 * (clubs - size) : 0;
    const bool withPrelim = first > 0 && prelim > 0 && clubs < 2 * size;
    const int direct = withPrelim ? clubs - prelim : (clubs < size ? clubs : size);
    const int last = rounds - 1;
    for (int r = 0; r < rounds; ++r) {
        const int draw = kFirstDrawDay + kCupStagger * cup + kRoundSpacing * r;
        const int match = draw + kDrawToMatch;
        int start = -1, end = -1, through = 0;
        if (withPrelim && r == first - 1) {
            start = direct, end = clubs;
        } else if (r == first) {
            start = 0, end = direct;
            through = withPrelim ? prelim / 2 : 0;
        } else if (r > first) {
            through = 2 << (rounds - 1 - r);
        }
        const bool semiOrFinal = r >= last - 1;
        if (cup == 0 && !semiOrFinal) {
            Put(t, nation, cup, r, Replayed(draw, match, start, end, through));
        } else if (cup == 1 && r == last - 1) {
            Put(t, nation, cup, r, TwoLegs(draw, match, start, end, through));
        } else {
            Put(t, nation, cup, r, OneMatch(draw, match, start, end, through, r == last ? 1 : 0));
        }
    }
}

// Nation 0's main cup as delivered: 80 clubs from index 44 play round 0,
// their 40 winners round 1, and the top 44 clubs join the 20 winners of
// round 1 in round 2; the semi-finals and the final are on neutral ground.
constexpr void MainCupOfNationZero(CupRoundRuleTable& t) {
    Put(t, 0, 0, 0, Replayed(92, 112, 44, 124, 0));
    Put(t, 0, 0, 1, Replayed(113, 133, -1, -1, 40));
    Put(t, 0, 0, 2, Replayed(134, 161, 0, 44, 20));
    Put(t, 0, 0, 3, Replayed(162, 189, -1, -1, 32));
    Put(t, 0, 0, 4, Replayed(190, 210, -1, -1, 16));
    Put(t, 0, 0, 5, Replayed(211, 231, -1, -1, 8));
    Put(t, 0, 0, 6, OneMatch(232, 252, -1, -1, 4, 1));
    Put(t, 0, 0, 7, OneMatch(253, 280, -1, -1, 2, 1));
}

// The European cups, run as cups 4-6 of nation 0.  Cup 4: 64 clubs of
// entrant list C over two legs, a one-match final.  Cup 5: two two-legged
// rounds of the 32 clubs of list B.  Cup 6: two group stages of the clubs
// of list A, then quarter-finals and semi-finals over two legs and a
// one-match final.
constexpr void EuropeanCups(CupRoundRuleTable& t) {
    Put(t, 0, 4, 0, TwoLegs(47, 59, -1, -1, 0));
    Put(t, 0, 4, 1, TwoLegs(74, 101, -1, -1, 32));
    Put(t, 0, 4, 2, TwoLegs(116, 143, -1, -1, 16));
    Put(t, 0, 4, 3, TwoLegs(158, 171, -1, -1, 8));
    Put(t, 0, 4, 4, TwoLegs(186, 220, -1, -1, 4));
    Put(t, 0, 4, 5, OneMatch(235, 269, -1, -1, 2, 1));
    Put(t, 0, 5, 0, TwoLegs(0, 4, -1, -1, 32));
    Put(t, 0, 5, 1, TwoLegs(19, 32, -1, -1, 16));
    // The first group stage is drawn by the European code; the 16 group
    // winners and runners-up make the second, its 8 the quarter-finals.
    Put(t, 0, 6, 0, GroupStage(47, 59, -1, -1));
    Put(t, 0, 6, 1, GroupStage(103, 117, kGroupWinners, kGroupWinners + 16));
    Put(t, 0, 6, 2, TwoLegs(201, 214, kGroupWinners, kGroupWinners, 8));
    Put(t, 0, 6, 3, TwoLegs(215, 235, -1, -1, 4));
    Put(t, 0, 6, 4, OneMatch(250, 277, -1, -1, 2, 1));
}

// Nation 2's cup admits fixed ranges of its club order: 32 lower clubs
// start it, and its top 16 join the 16 winners in the second round.
constexpr void CupOfNationTwo(CupRoundRuleTable& t) {
    constexpr int kRounds = 6;
    for (int r = 0; r < kRounds; ++r) {
        const int draw = kFirstDrawDay + kRoundSpacing * r;
        const int match = draw + kDrawToMatch;
        const int start = r == 0 ? 16 : r == 1 ? 0 : -1;
        const int end = r == 0 ? 48 : r == 1 ? 16 : -1;
        const int through = r == 0 ? 0 : r == 1 ? 16 : 2 << (kRounds - 1 - r);
        if (r < kRounds - 2)
            Put(t, 2, 0, r, Replayed(draw, match, start, end, through));
        else
            Put(t, 2, 0, r, OneMatch(draw, match, start, end, through, r == kRounds - 1 ? 1 : 0));
    }
}

constexpr CupRoundRuleTable BuildRules() {
    CupRoundRuleTable t{};
    // A round that does not exist reads -1 in every byte; so does a cup
    // that a nation does not have.
    for (auto& nation : t.bytes)
        for (auto& cup : nation)
            for (auto& round : cup)
                for (uint8_t& b : round) b = 0xFF;
    for (int n = 0; n < kCountryCount; ++n) {
        for (int k = 0; k < kFirstEuropeanCup; ++k) {
            if (CupRoundCounts[n][k] > 0) NationalCup(t, n, k, CupRoundCounts[n][k]);
        }
    }
    MainCupOfNationZero(t);
    CupOfNationTwo(t);
    EuropeanCups(t);
    return t;
}

}  // namespace

constexpr CupRoundRuleTable CupRoundRules = BuildRules();

// ---- Playing every cup on paper ----------------------------------------------------------

namespace {

// Clubs each nation's cup order holds.
constexpr int kOrderClubs[kCountryCount] = {124, 50, 85, 78, 82, 36, 74, 43, 36};
// The clubs the European first rounds take from the entrant lists.
constexpr int kEuropeanFirstRound[3] = {64, 32, 32};

struct PaperRound {
    int draw, match, start, end, through, extraTime, mode, secondExtraTime, secondShootOut, neutral, subs;
};

constexpr PaperRound ReadRound(const CupRoundRuleTable& t, int n, int k, int r) {
    const uint8_t* b = t.bytes[n][k][r];
    auto s8 = [](uint8_t v) { return v >= 128 ? int(v) - 256 : int(v); };
    auto s16 = [](uint8_t lo, uint8_t hi) {
        const int v = lo | hi << 8;
        return v >= 32768 ? v - 65536 : v;
    };
    return PaperRound{s16(b[kCupDrawDay], b[kCupDrawDay + 1]),
                      s16(b[kCupMatchDay], b[kCupMatchDay + 1]),
                      s8(b[kCupEntryStart]),
                      s8(b[kCupEntryEnd]),
                      s8(b[kCupClubsThrough]),
                      s8(b[kCupExtraTime]),
                      s8(b[kCupMatchMode]),
                      s8(b[kCupSecondExtraTime]),
                      s8(b[kCupSecondShootOut]),
                      s8(b[kCupNeutral]),
                      s8(b[kCupSubstitutes])};
}

constexpr bool AllOnes(const CupRoundRuleTable& t, int n, int k, int r) {
    for (uint8_t b : t.bytes[n][k][r]) {
        if (b != 0xFF) return false;
    }
    return true;
}

// Plays one cup's rounds: every round's clubs pair up (or make groups of
// four), the winners are the next round's clubs coming through, the last
// round is a final of two, every tie ends within two matches; "" when the
// cup is sound, else what is wrong.
constexpr const char* PlayCup(const CupRoundRuleTable& t, int n, int k, int rounds) {
    int winners = 0;
    int lastMatch = -1;
    for (int r = 0; r < kCupRounds; ++r) {
        if (r >= rounds) {
            if (!AllOnes(t, n, k, r)) return "a round beyond the cup's round count is set";
            continue;
        }
        const PaperRound p = ReadRound(t, n, k, r);
        if (p.draw < 0 || p.match <= p.draw) return "a round is drawn after its matches or not at all";
        // A draw may come before the replays and second legs of the round
        // before (their clubs are drawn together), but after its first
        // matches, and after every match of a group stage.
        if (p.draw <= lastMatch) return "a round is drawn before the last round's matches";
        lastMatch = p.match;
        if (p.subs != 5) return "a round allows other than 5 substitutes";
        int clubs = 0;
        if (p.start >= 0) {
            if (p.end > kOrderClubs[n] || p.end < p.start)
                return "an entry window lies outside the club order";
            clubs += n == 2 && k < kFirstEuropeanCup ? (r == 0 ? 32 : 16) : p.end - p.start;
        } else if (p.start == -4) {
            if (p.end - p.start != winners && !(p.end == p.start && p.through == winners))
                return "the group winners do not fill the round";
            clubs += p.end - p.start;
        } else if (p.start != -1) {
            return "an entry window has an unknown start";
        }
        if (p.through > 0) {
            if (!(k == 5 && r == 0) && p.through != winners)
                return "the clubs coming through are not the winners";
            clubs += p.through;
        } else if (r > 0 && p.through == 0 && p.start != -4 && winners != 0) {
            return "winners of a round have no place in the next";
        }
        if (r == 0 && k >= kFirstEuropeanCup && p.start == -1 && p.through <= 0)
            clubs = kEuropeanFirstRound[k - kFirstEuropeanCup];
        if (p.through == -4 || p.mode == 3) {
            if (p.through != -4 || p.mode != 3 || clubs % 4 != 0)
                return "a group round is not made of groups of four";
            winners = clubs / 2;
            lastMatch = p.match + 5 * (r == 1 ? 14 : 7);
            continue;
        }
        if (clubs % 2 != 0) return "a knock-out round has an odd number of clubs";
        if (p.mode == 0) {
            if (p.secondShootOut != 1 || p.secondExtraTime < 0) return "a replay does not settle the tie";
        } else if (p.mode == 2) {
            if (p.secondShootOut != 1 || p.secondExtraTime < 0) return "a second leg does not settle the tie";
        } else if (p.mode != 1) {
            return "a round has an unknown match mode";
        }
        winners = clubs / 2;
        // Cup 5 qualifies its winners for cup 6: it has no final.
        if (k != 5 && r == rounds - 1 && (clubs != 2 || p.through != 2))
            return "the last round is not a final of two clubs";
    }
    if (k == 5) return "";
    return winners == 1 ? "" : "the cup does not end with one winner";
}

constexpr const char* CheckRules(const CupRoundRuleTable& t) {
    for (int n = 0; n < kCountryCount; ++n) {
        for (int k = 0; k < kCupCount; ++k) {
            if (k >= kFirstEuropeanCup && n != 0) continue;
            const int rounds = CupRoundCounts[n][k];
            if (rounds == 0) {
                for (int r = 0; r < kCupRounds; ++r) {
                    if (!AllOnes(t, n, k, r)) return "a cup the nation lacks is set";
                }
                continue;
            }
            const char* fault = PlayCup(t, n, k, rounds);
            if (fault[0] != '\0') return fault;
        }
    }
    // Nation 0's semi-finals and final of its main cup on neutral ground.
    if (ReadRound(t, 0, 0, 6).neutral != 1 || ReadRound(t, 0, 0, 7).neutral != 1)
        return "nation 0's last two cup rounds are not on neutral ground";
    return "";
}

constexpr const char* kRulesCheck = CheckRules(CupRoundRules);
static_assert(kRulesCheck[0] == '\0', "a cup fails its rounds on paper");

}  // namespace

const char* CheckCupRoundRules(const CupRoundRuleTable& table) { return CheckRules(table); }
