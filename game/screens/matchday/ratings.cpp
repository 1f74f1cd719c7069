#include "game/screens/matchday/ratings.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/base/textbuf.h"
#include "core/match/matchsetup.h"
#include "core/query/competitionnames.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/playerreport.h"

PlayerMatchRating PlayerMatchRatings[kRatedTeams][kRatedPlayers];
int16_t RatingChoices[kRatedPlayers][kCommentSlots];
char RatingCommentText[kCommentTextMax + 1];
uint32_t MatchSituation;

namespace {

struct StoredComment {
    int16_t slot;
    const char* text;
};
constexpr StoredComment kComments[] = {
#include "data/ratings/comments.inc"
};

// Each list is one run of slots {first, last}.
struct CommentList {
    int16_t first, last;
};
constexpr CommentList kLists[kCommentLists] = {
    {0, 9},     {10, 14},   {20, 29},   {30, 33},   {40, 45},   {50, 59},   {60, 66},   {70, 75},
    {80, 83},   {90, 92},   {100, 102}, {110, 113}, {120, 123}, {130, 134}, {140, 149}, {150, 153},
    {160, 161}, {165, 167}, {170, 174}, {180, 183}, {190, 193}, {200, 205}, {220, 224}, {230, 234},
    {240, 242}, {250, 255}, {210, 212}, {260, 263}, {270, 272}, {280, 282}, {290, 292}, {300, 301},
    {310, 312}, {320, 321}, {325, 327}, {330, 330}, {340, 342}, {350, 353}, {360, 365}, {370, 372},
    {375, 376}, {379, 385}, {386, 386}, {390, 391}, {400, 401}, {405, 407}, {420, 421}, {415, 415},
    {425, 427}, {430, 431}, {435, 439}, {445, 449}, {455, 458}, {225, 227}, {235, 236},
};

constexpr int kPlayers = kRatedTeams * kRatedPlayers;
constexpr int kFullGame = 60;
constexpr int kCommentedSlots = 7;
constexpr int kStarCategories = 9;

int16_t g_commentedTeam = -1;

const uint8_t* Report(int team, int player) { return Ratings_ReportOf(int16_t(team), int16_t(player)); }

// One entry of a ranking list.
struct Ranked {
    int team, player;
    bool priority;
    int key;
};

int PlayedMinutes(const uint8_t* r) { return report::Minutes(r); }

// Orders priority first, then the larger key; equal entries keep their
// order (the exchange sort that never swaps equals).
void OrderList(Ranked* list, int n, bool byPriority) {
    std::stable_sort(list, list + n, [byPriority](const Ranked& a, const Ranked& b) {
        if (byPriority && a.priority != b.priority) return a.priority;
        return a.key > b.key;
    });
}

void StorePlaces(int category, const Ranked* list, int n) {
    for (auto& team : PlayerMatchRatings)
        for (auto& player : team) player.place[category] = 0;
    for (int i = 0; i < n; ++i) {
        const uint8_t* r = Report(list[i].team, list[i].player);
        PlayerMatchRatings[list[i].team][list[i].player].place[category] =
            report::IsOutfield(r) ? uint8_t(i + 1) : uint8_t(0);
    }
}

int Ratio(int part, int whole) { return whole > 0 ? part * 100 / whole : 0; }

int KeyView0First(const uint8_t* r) { return report::View0First(r); }
int KeyInterceptRatio(const uint8_t* r) { return Ratio(report::View0Fourth(r), report::View0First(r)); }
int KeyView1Word(const uint8_t* r) { return report::View1Word(r); }
int KeyDribbles(const uint8_t* r) {
    return report::Dribbles(r) != 0 ? report::Dribbles(r) + 2 * report::DribbleAdjust(r) : 0;
}
int CrossSum(const uint8_t* r) { return report::GoodCrosses(r) + report::OtherCrosses(r); }
int KeyCrosses(const uint8_t* r) {
    return Ratio(report::GoodCrosses(r) + report::CrossAdjust(r), CrossSum(r));
}
int PassSum(const uint8_t* r) { return report::AccuratePasses(r) + report::OtherPasses(r); }
int KeyPasses(const uint8_t* r) {
    return Ratio(report::AccuratePasses(r) + report::PassAdjust(r), PassSum(r));
}
bool Always(const uint8_t*) { return true; }
bool HasView0Fourth(const uint8_t* r) { return report::View0Fourth(r) != 0; }
bool HasDribbles(const uint8_t* r) { return report::Dribbles(r) != 0; }
bool HasCrosses(const uint8_t* r) { return CrossSum(r) > 0; }
bool HasPasses(const uint8_t* r) { return PassSum(r) > 0; }
bool HasView0First(const uint8_t* r) { return report::View0First(r) != 0; }

// Categories 1 to 6 and 8: the key, which 60-minute players count towards
// A and which players may get the priority bit for a key of at least A.
struct Category {
    int (*key)(const uint8_t* r);
    bool (*inSum)(const uint8_t* r);
    bool (*mayLead)(const uint8_t* r);
};
const Category kCategories[] = {
    {nullptr, nullptr, nullptr},
    {KeyView0First, Always, Always},
    {KeyInterceptRatio, HasView0Fourth, HasView0First},
    {KeyView1Word, Always, Always},
    {KeyDribbles, HasDribbles, HasDribbles},
    {KeyCrosses, HasCrosses, HasCrosses},
    {KeyPasses, HasPasses, HasPasses},
    {nullptr, nullptr, nullptr},
    {Ratings_ShootingKey, Always, Always},
};

void RankCategory0() {
    Ranked list[kPlayers];
    int n = 0;
    int64_t sum = 0;
    int count = 0;
    for (int t = 0; t < kRatedTeams; ++t)
        for (int p = 0; p < kRatedPlayers; ++p) {
            const uint8_t* r = Report(t, p);
            if (report::EntryWord(r) == 0 || report::Rating(r) <= 0 || !report::IsOutfield(r)) continue;
            list[n++] = {t, p, false, report::KeyWord(r)};
            if (PlayedMinutes(r) >= kFullGame && !report::IsKeeper(r)) {
                sum += report::KeyWord(r);
                ++count;
            }
        }
    const int64_t average = count > 0 ? sum / count : 0;
    for (int i = 0; i < n; ++i) {
        const uint8_t* r = Report(list[i].team, list[i].player);
        list[i].priority = PlayedMinutes(r) < kFullGame || report::IsKeeper(r) || list[i].key >= average;
    }
    OrderList(list, n, true);
    StorePlaces(0, list, n);
}

void RankWithAverage(int category) {
    const Category& rule = kCategories[category];
    Ranked list[kPlayers];
    int n = 0;
    int64_t sum = 0;
    int fullGames = 0;
    for (int t = 0; t < kRatedTeams; ++t)
        for (int p = 0; p < kRatedPlayers; ++p) {
            const uint8_t* r = Report(t, p);
            if (report::EntryWord(r) == 0) continue;
            list[n++] = {t, p, false, rule.key(r)};
            if (PlayedMinutes(r) >= kFullGame) {
                ++fullGames;
                if (rule.inSum(r)) sum += rule.key(r);
            }
        }
    // No listed player of 60 minutes or more: A is 0.
    const int64_t average = fullGames > 0 ? sum / fullGames : 0;
    for (int i = 0; i < n; ++i) {
        const uint8_t* r = Report(list[i].team, list[i].player);
        list[i].priority = PlayedMinutes(r) < kFullGame || (rule.mayLead(r) && list[i].key >= average);
    }
    OrderList(list, n, true);
    StorePlaces(category, list, n);
}

void RankListed(int category, int (*key)(const uint8_t* r)) {
    Ranked list[kPlayers];
    int n = 0;
    for (int t = 0; t < kRatedTeams; ++t)
        for (int p = 0; p < kRatedPlayers; ++p) {
            const int k = key(Report(t, p));
            if (k > 0) list[n++] = {t, p, false, k};
        }
    OrderList(list, n, false);
    StorePlaces(category, list, n);
}

int PlayerClass(const uint8_t* r) {
    const bool sentOff = report::Bookings(r) >= 2;
    const int minutes = PlayedMinutes(r);
    if (sentOff) return minutes >= kFullGame ? 4 : 3;
    if (minutes >= kFullGame) return 5;
    return report::MinuteOn(r) > 1 ? 2 : 1;
}

// Grade 5 (best) to 1 from a place; an unranked player is graded 3.  Place
// 0 means the player is in no list, not that he leads it: taken as a place
// below 6 it would give every unlisted player the best grade.
int Grade(int place, int playerClass) {
    if (place <= 0) return 3;
    if (place < 6) return 5;
    if (place < 10) return 4;
    if (place >= 20 && playerClass >= 4) return 1;
    if (place >= 16 && playerClass >= 4) return 2;
    return 3;
}

const PlayerMatchRating& RatingOf(int team, int player) { return PlayerMatchRatings[team][player]; }

bool Ranked1To(int place, int best) { return place >= 1 && place <= best; }

int UsedSlots(int player) {
    int used = 0;
    while (used < kCommentSlots && RatingChoices[player][used] != -1) ++used;
    return used;
}

void AddComment(int player, int16_t comment) {
    if (comment < 0) return;
    const int used = UsedSlots(player);
    if (used < kCommentedSlots) RatingChoices[player][used] = comment;
}

// ---- Selectors ----------------------------------------------------------------------

// The grades are worked out (and stored) for every player it is asked for.
int16_t SelectorA(int team, int player, int playerClass) {
    const int index = Ratings_GradeA(int16_t(team), int16_t(player));
    if (playerClass < 4) return Ratings_PickFromList(26);
    if (index >= 0 && index <= 8) return Ratings_PickFromList(int16_t(13 - index));
    return -1;
}

int16_t SelectorB(int team, int player) {
    const int mean = Ratings_GradeB(int16_t(team), int16_t(player));
    if (mean >= 4) return Ratings_PickFromList(15);
    if (mean <= 2) return Ratings_PickFromList(16);
    return -1;
}

int16_t SelectorC(int team, int player) {
    const int grade = Ratings_GradeC(int16_t(team), int16_t(player));
    if (grade == 5) return Ratings_PickFromList(18);
    if (grade < 2) return Ratings_PickFromList(19);
    return -1;
}

bool TeamWon(int team) {
    if (int(MatchSituation & 3) == team) return true;
    const int aggregate = int(MatchSituation >> 2 & 7);
    return aggregate != 7 && aggregate == team;
}

int16_t PoorGameSelector(int team, int player, int playerClass) {
    if (playerClass < 4) return -1;
    int poor = 0;
    for (int c = 0; c < kStarCategories; ++c) poor += RatingOf(team, player).place[c] >= 20;
    if (poor > 3 && report::Rating(Report(team, player)) < 40)
        return Ratings_PickFromList(TeamWon(team) ? 20 : 21);
    return -1;
}

// Place 0 of category 9 is a player with no fouls at all: he is not among
// the worst offenders (taken as a place of 3 or better, every clean player
// would be told he was lucky to avoid a booking).
int16_t DisciplineSelector(int team, int player) {
    const int place = RatingOf(team, player).place[9];
    const bool many = Ranked1To(place, 3);
    const bool few = place >= 19;
    switch (report::Bookings(Report(team, player))) {
        case 3:
            return many ? Ratings_PickFromList(22) : few ? Ratings_PickFromList(23) : -1;
        case 2:
            return many ? Ratings_PickFromList(53) : few ? Ratings_PickFromList(54) : -1;
        case 1:
            return many ? Ratings_PickFromList(24) : -1;
        default:
            return many ? Ratings_PickFromList(25) : -1;
    }
}

// The best of the player's places among dribbling, crossing and passing:
// the place values 0 to 4 in turn, so the first four places count.
int16_t PassingSelector(int team, int player) {
    const uint8_t* r = Report(team, player);
    for (int place = 0; place <= 4; ++place) {
        if (RatingOf(team, player).place[4] == place && report::Dribbles(r) > 1)
            return Ratings_PickFromList(50);
        if (RatingOf(team, player).place[5] == place && report::GoodCrosses(r) > 1)
            return Ratings_PickFromList(52);
        if (RatingOf(team, player).place[6] == place && report::AccuratePasses(r) > 2)
            return Ratings_PickFromList(51);
    }
    return -1;
}

int Composure(int team, int player) {
    return LastMatch().setup.I16(gameinfo::PlayerInfoAt(team, player) + gameinfo::kPlayerStats +
                                 2 * gameinfo::kStatComposure);
}

int16_t ScoringSelector(int team, int player) {
    const uint8_t* r = Report(team, player);
    const int g = report::Goals(r);
    const int missed = report::PenaltiesMissed(r);
    if (g > 0) {
        if (g == 3) return Ratings_PickFromList(39);
        if (report::FreeKickGoals(r) > 1) return Ratings_PickFromList(40);
        if (g > 3) return Ratings_PickFromList(41);
        if (report::PenaltyGoals(r) > 0 && missed == 0) return Ratings_PickFromList(42);
        if (missed > 1) return Ratings_PickFromList(47);
        if (g == 2) return Ratings_PickFromList(43);
        return Ratings_PickFromList(report::FreeKickGoals(r) == 1 ? 44 : 45);
    }
    if (missed > 1) return Ratings_PickFromList(46);
    if (report::ShotsMissed(r) > 3) return Ratings_PickFromList(Composure(team, player) < 50 ? 49 : 48);
    return -1;
}

// The first rule that applies: a clean sheet over 60 minutes or more, a
// penalty saved, five saves, a quiet game without a goal against, three
// goals against, else a safe pair of hands.
int16_t KeeperSelector(int team, int player) {
    const uint8_t* r = Report(team, player);
    const int against = recbits::LoadU16(LastMatch().result.teams[1 - team].bytes + kReportGoals);
    const int saves = report::KeeperGroup(r);
    if (against == 0 && PlayedMinutes(r) >= kFullGame) return Ratings_PickFromList(35);
    if (report::KeeperFourth(r) > 0) return Ratings_PickFromList(33);
    if (saves >= 5) return Ratings_PickFromList(30);
    if (saves <= 1 && against == 0) return Ratings_PickFromList(38);
    if (against >= 3) return Ratings_PickFromList(37);
    return Ratings_PickFromList(27);
}

uint32_t ResultBits(int home, int away) { return home > away ? 0u : home < away ? 1u : 2u; }

void SetMatchSituation(int16_t fixture) {
    const int goals[2] = {recbits::LoadU16(LastMatch().result.teams[0].bytes + kReportGoals),
                          recbits::LoadU16(LastMatch().result.teams[1].bytes + kReportGoals)};
    const int shootOut[2] = {recbits::LoadU16(LastMatch().result.teams[0].bytes + kReportShootOutGoals),
                             recbits::LoadU16(LastMatch().result.teams[1].bytes + kReportShootOutGoals)};
    MatchSituation = ResultBits(goals[0], goals[1]);
    if (HVW_IsSecondLegFixture(fixture) != 0) {
        const int total[2] = {goals[0] + LastMatch().setup.TeamI16(0, gameinfo::kOldGoals),
                              goals[1] + LastMatch().setup.TeamI16(1, gameinfo::kOldGoals)};
        MatchSituation |= ResultBits(total[0], total[1]) << 2;
    } else {
        MatchSituation |= 7u << 2;
    }
    if (shootOut[0] == 0 && shootOut[1] == 0) {
        MatchSituation |= 3u << 5;
    } else if (shootOut[0] != shootOut[1]) {
        MatchSituation |= (shootOut[0] > shootOut[1] ? 0u : 1u) << 5;
    }
}

}  // namespace

// ---- The pass ---------------------------------------------------------------------------

int Ratings_ShootingKey(const uint8_t* r) {
    const int key = 8 * report::Goals(r) + 3 * report::Shots(r) + report::Dribbles(r) +
                    2 * (report::FreeKickGoals(r) + report::PenaltyGoals(r)) - 2 * report::PenaltiesMissed(r);
    return std::clamp(key, 0, 0xFFFF);
}

void Ratings_RankAll() {
    RankCategory0();
    for (int category = 1; category <= 6; ++category) RankWithAverage(category);
    RankListed(7, [](const uint8_t* r) { return report::Goals(r); });
    RankWithAverage(8);
    RankListed(9, [](const uint8_t* r) { return report::View0Group(r); });
    for (int t = 0; t < kRatedTeams; ++t)
        for (int p = 0; p < kRatedPlayers; ++p)
            recbits::StoreU16(PlayerMatchRatings[t][p].work, uint16_t(Ratings_ShootingKey(Report(t, p))));
}

void Ratings_PickStar() {
    int score[kPlayers] = {};
    for (int i = 0; i < kPlayers; ++i) {
        const PlayerMatchRating& rating = PlayerMatchRatings[i / kRatedPlayers][i % kRatedPlayers];
        for (int c = 0; c < kStarCategories; ++c) {
            score[i] += rating.place[c] == 1 ? 6 : rating.place[c] == 2 ? 4 : rating.place[c] == 3 ? 3 : 0;
        }
    }
    const int best = *std::max_element(score, score + kPlayers);
    if (best <= 0) return;
    const int atBest = int(std::count(score, score + kPlayers, best));
    int second = 0;
    for (int s : score)
        if (s < best) second = std::max(second, s);
    const int p = best * 100 / 54;
    const int secondShare = second * 100 / best;
    int16_t opening = -1;
    if (p >= 60) {
        opening = atBest > 1 ? 2 : secondShare < 20 ? 0 : 1;
    } else if (p >= 30) {
        opening = atBest > 1 ? 4 : 3;
    }
    if (opening < 0) return;
    const bool secondsToo = secondShare >= 30 && second > 0;
    for (int player = 0; player < kRatedPlayers; ++player) {
        const int s = score[g_commentedTeam * kRatedPlayers + player];
        if (s == best) RatingChoices[player][0] = Ratings_PickFromList(opening);
        if (secondsToo && s == second) RatingChoices[player][0] = Ratings_PickFromList(4);
    }
}

int Ratings_GradeA(int16_t team, int16_t player) {
    const uint8_t* r = Report(team, player);
    PlayerMatchRating& rating = PlayerMatchRatings[team][player];
    const int playerClass = PlayerClass(r);
    const int grade0 = Grade(rating.place[0], playerClass);
    const int grade1 = Grade(rating.place[1], playerClass);
    const int grade3 = Grade(rating.place[3], playerClass);
    const int place2 = rating.place[2];
    const int grade2 = place2 >= 1 && place2 < 8                         ? 2
                       : (place2 >= 1 && place2 < 17) || playerClass < 4 ? 1
                                                                         : 0;
    rating.grades[0] = uint8_t(grade0 | grade1 << 4);
    rating.grades[1] = uint8_t(grade2 | grade3 << 4);
    if (grade2 == 0 && Ranked1To(rating.place[9], 5)) return 9;
    const int base = playerClass >= 4 ? 6 : playerClass == 3 ? 3 : 0;
    return base + grade2;
}

int Ratings_GradeB(int16_t team, int16_t player) {
    const int playerClass = PlayerClass(Report(team, player));
    const PlayerMatchRating& rating = PlayerMatchRatings[team][player];
    const int sum = Grade(rating.place[4], playerClass) + Grade(rating.place[5], playerClass) +
                    Grade(rating.place[6], playerClass);
    return (sum + 1) / 3;
}

int Ratings_GradeC(int16_t team, int16_t player) {
    const int playerClass = PlayerClass(Report(team, player));
    const int place = PlayerMatchRatings[team][player].place[8];
    if (place == 1) return 5;
    if (Ranked1To(place, 5)) return 4;
    if (place >= 20 && playerClass >= 4) return 1;
    if (place >= 16 && playerClass >= 4) return 2;
    return 3;
}

void Ratings_ChooseComments(int16_t team) {
    for (int p = 0; p < kRatedPlayers; ++p) {
        const uint8_t* r = Report(team, p);
        if (report::Rating(r) == 0) continue;
        const int playerClass = PlayerClass(r);
        auto add = [p](int16_t comment) {
            if (UsedSlots(p) < kCommentedSlots) AddComment(p, comment);
        };
        if (report::IsOutfield(r)) {
            if (RatingChoices[p][0] == -1) add(PassingSelector(team, p));
            if (UsedSlots(p) < kCommentedSlots) add(SelectorA(team, p, playerClass));
            if (UsedSlots(p) < kCommentedSlots) add(SelectorB(team, p));
            if (UsedSlots(p) < kCommentedSlots) add(ScoringSelector(team, p));
            if (UsedSlots(p) < kCommentedSlots) add(PoorGameSelector(team, p, playerClass));
        } else if (report::IsKeeper(r)) {
            add(KeeperSelector(team, p));
        }
        if (UsedSlots(p) < kCommentedSlots) add(SelectorC(team, p));
        if (UsedSlots(p) < kCommentedSlots) add(DisciplineSelector(team, p));
    }
}

void Ratings_RunPass(int16_t fixture, int16_t team) {
    if (team != 0 && team != 1) return;
    SetMatchSituation(fixture);
    Ratings_RankAll();
    Ratings_Clear();
    for (auto& player : RatingChoices) std::fill(std::begin(player), std::end(player), int16_t(-1));
    g_commentedTeam = team;
    Ratings_PickStar();
    Ratings_ChooseComments(team);
}

void Ratings_BuildCommentText(int16_t player) {
    Ratings_Clear();
    if (player < 0 || player >= kRatedPlayers) return;
    size_t used = 0;
    for (int slot = 0; slot < kCommentSlots; ++slot) {
        const int16_t comment = RatingChoices[player][slot];
        if (comment == -1) continue;
        const char* sentence = Ratings_GetCommentText(comment);
        const size_t length = std::strlen(sentence);
        // A sentence and its blank that would pass 800 characters is left out.
        if (used + length + 1 > size_t(kCommentTextMax)) continue;
        std::memcpy(RatingCommentText + used, sentence, length);
        RatingCommentText[used + length] = ' ';
        used += length + 1;
        RatingCommentText[used] = 0;
    }
}

const char* Ratings_GetCommentText(int16_t comment) {
    for (const StoredComment& c : kComments)
        if (c.slot == comment) return c.text;
    return "";
}

int Ratings_ListSize(int16_t list) {
    if (list < 0 || list >= kCommentLists) return 0;
    return kLists[list].last - kLists[list].first + 1;
}

int16_t Ratings_PickFromList(int16_t list) {
    const int n = Ratings_ListSize(list);
    if (n <= 0) return -1;
    return int16_t(kLists[list].first + GameRandom() % n);
}

void Ratings_Clear() { RatingCommentText[0] = 0; }

const uint8_t* Ratings_ReportOf(int16_t team, int16_t player) { return LastMatch_PlayerReport(team, player); }

int16_t Ratings_CommentedTeam() { return g_commentedTeam; }
