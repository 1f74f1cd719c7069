// The world generator.  Clubs first (reputation, ground, map position),
// then every club's manager and squad, then the free agents, then the name
// table; everything from one seeded generator per stage, so a seed always
// gives the same file.
#include "tools/datakit/worldgen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "core/records/shippeddatabase.h"
#include "game/screens/start/clubnames.h"
#include "tools/datakit/shippedseason.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/worldclubs.h"
#include "tools/datakit/worldrng.h"
#include "tools/datakit/worldtext.h"

namespace {

// The season a new game starts in; birth years count back from it.
constexpr int kSeasonYear = 2002;

// ---- Club sizes -------------------------------------------------------------

// Per league country: reputation of its biggest club, how many big clubs
// it has, and how far the rest of its top division falls (as fractions of
// the biggest club).
struct LeagueShape {
    int top;
    int big_clubs;
    double upper;
    double lower;
};
constexpr LeagueShape kLeagueShapes[kWorldPlayableCountries] = {
    {62, 4, 0.72, 0.45}, {54, 2, 0.55, 0.30}, {62, 4, 0.72, 0.44}, {60, 3, 0.70, 0.45}, {62, 3, 0.72, 0.45},
    {56, 3, 0.62, 0.36}, {57, 2, 0.66, 0.42}, {54, 3, 0.60, 0.34}, {50, 2, 0.62, 0.36},
};

// Ground capacity by reputation (before a little spread).
constexpr int kCapacityByRep[][2] = {
    {2, 1500},   {5, 2500},   {10, 5000},  {20, 11000}, {30, 18000},
    {40, 27000}, {50, 38000}, {56, 48000}, {60, 60000}, {63, 75000},
};

int NationTop(const WorldNation& n) {
    if (n.nation < kWorldPlayableCountries) return kLeagueShapes[n.nation].top;
    return 12 + n.strength / 2;
}

// Target reputations of a nation's clubs, biggest first, in rank order.
std::vector<int> NationReputations(const std::vector<PlannedClub>& plan, int first, int count,
                                   WorldRandom& rng) {
    const PlannedClub& head = plan[first];
    const WorldNation& n = *FindWorldNation(head.nation);
    int top = NationTop(n);
    std::vector<int> reps(count);
    if (n.nation < kWorldPlayableCountries) {
        const LeagueShape& shape = kLeagueShapes[n.nation];
        int divisions = WorldLeagueDivisions(n.nation);
        double start = top * shape.lower * 0.9;
        int i = 0;
        for (int d = 0; d <= divisions && i < count; ++d) {
            int size = 0;
            while (i + size < count && plan[first + i + size].division == d) ++size;
            std::vector<double> values;
            for (int k = 0; k < size; ++k) {
                double t = size > 1 ? static_cast<double>(k) / (size - 1) : 0.0;
                double v;
                if (d == 0 && k < shape.big_clubs) {
                    v = top - 2.0 * k - rng.Below(2);
                } else if (d == 0) {
                    int rest = size - shape.big_clubs;
                    double u = rest > 1 ? static_cast<double>(k - shape.big_clubs) / (rest - 1) : 0.0;
                    v = top * (shape.upper - (shape.upper - shape.lower) * u) + rng.Bell() * 1.2;
                } else if (d < divisions) {
                    v = start * (1.0 - 0.4 * t) + rng.Bell() * 0.8;
                } else {
                    v = 2 + rng.Below(3);  // non-league
                }
                values.push_back(v);
            }
            if (d > 0 && d < divisions) start = start * 0.6 * 0.95;
            std::sort(values.begin(), values.end(), [](double a, double b) { return a > b; });
            for (double v : values) reps[i++] = std::clamp(static_cast<int>(std::lround(v)), 2, 63);
        }
    } else {
        int big = 1 + (n.strength >= 55) + (n.strength >= 80);
        std::vector<double> values;
        for (int k = 0; k < count; ++k) {
            double v;
            if (k < big) {
                v = top - 2.0 * k - rng.Below(2);
            } else {
                int rest = count - big;
                double u = rest > 1 ? static_cast<double>(k - big) / (rest - 1) : 0.0;
                v = top * (0.75 - 0.40 * u) + rng.Bell();
            }
            values.push_back(v);
        }
        std::sort(values.begin(), values.end(), [](double a, double b) { return a > b; });
        for (int k = 0; k < count; ++k) reps[k] = std::clamp(static_cast<int>(std::lround(values[k])), 3, 63);
    }
    return reps;
}

int CapacityFor(int rep, WorldRandom& rng) {
    int cap = kCapacityByRep[0][1];
    for (size_t i = 1; i < std::size(kCapacityByRep); ++i) {
        if (rep <= kCapacityByRep[i][0]) {
            int r0 = kCapacityByRep[i - 1][0], r1 = kCapacityByRep[i][0];
            int c0 = kCapacityByRep[i - 1][1], c1 = kCapacityByRep[i][1];
            cap = c0 + (c1 - c0) * (rep - r0) / (r1 - r0);
            break;
        }
        cap = kCapacityByRep[i][1];
    }
    double spread = 0.8 + 0.4 * rng.Unit();
    return std::max(800, static_cast<int>(cap * spread) / 100 * 100);
}

// ---- Map positions ----------------------------------------------------------

// A country's outline on its 256 x 256 map, as a few ellipses.
struct Blob {
    int x, y, rx, ry;
};
struct Outline {
    std::array<Blob, 4> blobs;
    int count;
};
constexpr Outline kOutlines[kWorldPlayableCountries] = {
    {{{{140, 140, 70, 100}, {70, 215, 45, 18}, {185, 95, 35, 40}}}, 3},                      // England
    {{{{128, 150, 70, 90}, {150, 60, 55, 40}}}, 2},                                          // Scotland
    {{{{105, 55, 80, 35}, {135, 115, 28, 50}, {175, 180, 28, 45}, {150, 238, 32, 12}}}, 4},  // Italy
    {{{{128, 128, 90, 112}}}, 1},                                                            // Germany
    {{{{135, 135, 112, 88}}}, 1},                                                            // Spain
    {{{{130, 125, 70, 105}, {190, 200, 35, 30}}}, 2},                                        // Holland
    {{{{128, 128, 105, 105}, {230, 230, 10, 22}}}, 2},                                       // France
    {{{{128, 128, 52, 118}}}, 1},                                                            // Portugal
    {{{{128, 120, 110, 55}, {200, 190, 30, 35}}}, 2},                                        // Belgium
};
constexpr Outline kForeignOutline = {{{{128, 128, 105, 105}}}, 1};

void PlaceOnMap(int nation, WorldRandom& rng, int16_t* x, int16_t* y) {
    const Outline& o = nation < kWorldPlayableCountries ? kOutlines[nation] : kForeignOutline;
    // Larger blobs hold more towns.
    int total = 0;
    for (int i = 0; i < o.count; ++i) total += o.blobs[i].rx * o.blobs[i].ry;
    int pick = rng.Below(total);
    const Blob* b = &o.blobs[0];
    for (int i = 0; i < o.count; ++i) {
        pick -= o.blobs[i].rx * o.blobs[i].ry;
        if (pick < 0) {
            b = &o.blobs[i];
            break;
        }
    }
    for (;;) {
        double u = rng.Unit() * 2 - 1, v = rng.Unit() * 2 - 1;
        if (u * u + v * v > 1.0) continue;
        *x = static_cast<int16_t>(std::clamp(b->x + static_cast<int>(u * b->rx), 0, 255));
        *y = static_cast<int16_t>(std::clamp(b->y + static_cast<int>(v * b->ry), 0, 255));
        return;
    }
}

// ---- Looks ------------------------------------------------------------------

struct Weighted {
    int value;
    int weight;
};
struct LooksProfile {
    const char* name;
    std::array<Weighted, 4> skin;
    std::array<Weighted, 6> hair;
    bool afro;  // hair styles of black players
};
constexpr LooksProfile kLooks[] = {
    {"fair", {{{0, 6}, {1, 3}, {2, 1}}}, {{{4, 5}, {3, 3}, {2, 2}, {5, 1}}}, false},
    {"light", {{{1, 5}, {0, 2}, {2, 3}}}, {{{2, 4}, {1, 3}, {3, 2}, {4, 1}, {0, 1}, {5, 1}}}, false},
    {"olive", {{{2, 5}, {3, 4}, {1, 1}}}, {{{0, 6}, {1, 4}, {2, 1}}}, false},
    {"tan", {{{3, 4}, {4, 4}, {2, 2}, {5, 1}}}, {{{0, 8}, {1, 2}}}, false},
    {"black", {{{6, 5}, {7, 3}, {5, 2}}}, {{{0, 10}}}, true},
    {"asian", {{{2, 4}, {3, 4}, {1, 2}}}, {{{0, 10}}}, false},
    {"brown", {{{4, 4}, {5, 4}, {3, 2}}}, {{{0, 8}, {1, 2}}}, false},
};

template <size_t N>
int Draw(const std::array<Weighted, N>& table, WorldRandom& rng) {
    int total = 0;
    for (const Weighted& w : table) total += w.weight;
    int pick = rng.Below(total);
    for (const Weighted& w : table) {
        pick -= w.weight;
        if (pick < 0) return w.value;
    }
    return table[0].value;
}

// ---- Players ----------------------------------------------------------------

// How many players of each age (16..36) a squad has, per 1000.
constexpr int kAgeWeights[21] = {12, 30, 45, 55, 62, 68, 72, 74, 74, 72, 70,
                                 66, 60, 52, 44, 36, 28, 20, 14, 9,  6};

// How good a player is at an age, in percent of his best.
int AgeForm(int age) {
    constexpr int kForm[21] = {70,  75,  80, 85, 89, 93, 96, 98, 100, 100, 100,
                               100, 100, 99, 97, 95, 92, 89, 86, 83,  80};
    return kForm[std::clamp(age - 16, 0, 20)];
}

constexpr std::array<Weighted, 4> kDefenders = {{{1, 3}, {2, 4}, {3, 2}, {4, 1}}};
constexpr std::array<Weighted, 5> kMidfielders = {{{5, 3}, {6, 2}, {7, 1}, {8, 2}, {9, 2}}};
constexpr std::array<Weighted, 3> kForwards = {{{10, 1}, {11, 4}, {12, 3}}};
constexpr std::array<Weighted, 6> kTactics = {{{0, 30}, {1, 20}, {2, 15}, {3, 15}, {4, 10}, {5, 10}}};
constexpr std::array<Weighted, 5> kTraits = {{{4, 40}, {1, 20}, {2, 20}, {3, 15}, {0, 5}}};

struct NameSource {
    const CultureFile* culture;
    int weight;
};

// Everything the player stage needs about a nation.
struct NationPeople {
    std::vector<NameSource> names;
    std::vector<Weighted> looks;  // index into kLooks
    std::vector<Weighted> imports;
};

struct WorldState {
    std::vector<PlannedClub> plan;
    std::map<std::string, CultureFile> cultures;
    std::map<int, NationPeople> people;
    std::vector<int> club_rep;  // reputation a new game gives each club
};

int DrawFrom(const std::vector<Weighted>& table, WorldRandom& rng) {
    int total = 0;
    for (const Weighted& w : table) total += w.weight;
    int pick = rng.Below(total);
    for (const Weighted& w : table) {
        pick -= w.weight;
        if (pick < 0) return w.value;
    }
    return table[0].value;
}

bool LoadPeople(WorldState& world, const std::string& culture_dir, std::string* error) {
    for (const WorldNation& n : WorldNations()) {
        NationPeople people;
        std::vector<WeightedKey> keys;
        if (!ParseWeightedKeys(n.surnames, &keys) || keys.empty()) {
            *error = std::string("nation ") + n.code + ": bad surname mix";
            return false;
        }
        for (const WeightedKey& k : keys) {
            auto it = world.cultures.find(k.key);
            if (it == world.cultures.end()) {
                CultureFile file;
                if (!LoadCultureFile(culture_dir, k.key, &file, error)) return false;
                if (file.List("surnames").empty() || file.List("initials").size() != 1) {
                    *error = k.key + ": a surname pool needs surnames and one initials string";
                    return false;
                }
                for (const std::string& s : file.List("surnames")) {
                    if (s.size() >= static_cast<size_t>(TOTSTAT_SURNAME_SIZE)) {
                        *error = k.key + ": surname \"" + s + "\" is longer than 15 characters";
                        return false;
                    }
                }
                for (char c : file.List("initials")[0]) {
                    if (c < 'A' || c > 'Z') {
                        *error = k.key + ": initials must be the letters A to Z";
                        return false;
                    }
                }
                it = world.cultures.emplace(k.key, std::move(file)).first;
            }
            people.names.push_back({&it->second, k.weight});
        }
        if (!ParseWeightedKeys(n.looks, &keys) || keys.empty()) {
            *error = std::string("nation ") + n.code + ": bad looks mix";
            return false;
        }
        for (const WeightedKey& k : keys) {
            int found = -1;
            for (size_t i = 0; i < std::size(kLooks); ++i)
                if (k.key == kLooks[i].name) found = static_cast<int>(i);
            if (found < 0) {
                *error = std::string("nation ") + n.code + ": unknown looks \"" + k.key + "\"";
                return false;
            }
            people.looks.push_back({found, k.weight});
        }
        if (!ParseWeightedKeys(n.imports, &keys)) {
            *error = std::string("nation ") + n.code + ": bad import list";
            return false;
        }
        for (const WeightedKey& k : keys) {
            int nation = std::atoi(k.key.c_str());
            if (FindWorldNation(nation) == nullptr || nation == n.nation) {
                *error = std::string("nation ") + n.code + ": imports from unknown nation " + k.key;
                return false;
            }
            people.imports.push_back({nation, k.weight});
        }
        world.people[n.nation] = std::move(people);
    }
    return true;
}

// One person of the world before he becomes a row.
struct Person {
    char initial;
    std::string surname;
    int16_t ability;
    int16_t position;
    int16_t skin, hair_colour, hair_style;
    int16_t nationality;
    int16_t age;
    int16_t traits;
    int16_t club;
};

class PeopleMaker {
  public:
    PeopleMaker(WorldState& world, WorldRandom& rng) : world_(world), rng_(rng) {}

    void Name(Person& p, const std::set<std::string>* avoid) {
        const NationPeople& people = world_.people.at(p.nationality);
        for (int attempt = 0; attempt < 12; ++attempt) {
            int total = 0;
            for (const NameSource& s : people.names) total += s.weight;
            int pick = rng_.Below(total);
            const CultureFile* culture = people.names[0].culture;
            for (const NameSource& s : people.names) {
                pick -= s.weight;
                if (pick < 0) {
                    culture = s.culture;
                    break;
                }
            }
            const auto& surnames = culture->List("surnames");
            const std::string& initials = culture->List("initials")[0];
            p.surname = surnames[rng_.Below(static_cast<int>(surnames.size()))];
            p.initial = initials[rng_.Below(static_cast<int>(initials.size()))];
            if (avoid == nullptr || avoid->count(std::string(1, p.initial) + p.surname) == 0) return;
        }
    }

    void Look(Person& p) {
        const LooksProfile& look = kLooks[DrawFrom(world_.people.at(p.nationality).looks, rng_)];
        p.skin = static_cast<int16_t>(Draw(look.skin, rng_));
        p.hair_colour = static_cast<int16_t>(Draw(look.hair, rng_));
        if (look.afro) {
            constexpr std::array<Weighted, 5> kStyles = {{{2, 4}, {1, 4}, {0, 2}, {6, 2}, {5, 1}}};
            p.hair_style = static_cast<int16_t>(Draw(kStyles, rng_));
        } else {
            constexpr std::array<Weighted, 6> kStyles = {{{0, 5}, {1, 3}, {2, 1}, {3, 2}, {4, 1}, {5, 1}}};
            p.hair_style = static_cast<int16_t>(Draw(kStyles, rng_));
        }
        // Greying and thinning with the years.
        int grey_chance = p.age >= 45 ? 50 : p.age >= 33 ? 8 : 0;
        if (rng_.Below(100) < grey_chance) p.hair_colour = 6;
        int receding = p.age >= 40 ? 30 : p.age >= 30 ? 8 : 0;
        if (rng_.Below(100) < receding) p.hair_style = 7;
    }

    int16_t NationalityFor(int club_nation, double foreign_share) {
        const NationPeople& people = world_.people.at(club_nation);
        if (people.imports.empty() || !rng_.Chance(foreign_share)) return static_cast<int16_t>(club_nation);
        return static_cast<int16_t>(DrawFrom(people.imports, rng_));
    }

    int16_t PlayerAge() {
        int total = 0;
        for (int w : kAgeWeights) total += w;
        int pick = rng_.Below(total);
        for (int i = 0; i < 21; ++i) {
            pick -= kAgeWeights[i];
            if (pick < 0) return static_cast<int16_t>(16 + i);
        }
        return 26;
    }

    // Database ability from the level a player's club plays at: the game
    // squares it (ability^2 / 75) into his playing strength.
    int16_t Ability(double level, int age) {
        double stat = std::clamp(level + rng_.Bell() * 7.0, 8.0, 97.0) * AgeForm(age) / 100.0;
        return static_cast<int16_t>(
            std::clamp(static_cast<int>(std::lround(std::sqrt(stat * 75.0))), 10, 86));
    }

    int16_t Position(int line) {
        bool loose = rng_.Chance(0.1);  // "a defender" rather than a set position
        switch (line) {
            case 0:
                return 0;
            case 1:
                return static_cast<int16_t>(loose ? 14 : Draw(kDefenders, rng_));
            case 2:
                return static_cast<int16_t>(loose ? 15 : Draw(kMidfielders, rng_));
            default:
                return static_cast<int16_t>(loose ? 16 : Draw(kForwards, rng_));
        }
    }

    int16_t Traits(int position) { return static_cast<int16_t>(position == 0 ? 0 : Draw(kTraits, rng_)); }

    WorldRandom& rng() { return rng_; }

  private:
    WorldState& world_;
    WorldRandom& rng_;
};

// Squad size of a club in the database (its manager not counted).
int SquadSize(const PlannedClub& club, int rep, WorldRandom& rng) {
    if (club.nation < kWorldPlayableCountries) {
        int divisions = WorldLeagueDivisions(club.nation);
        if (club.division >= divisions) return 6 + rng.Below(3);
        if (club.division == 0) return 21 + rep / 12 + rng.Below(3);
        if (club.division == 1) return 19 + rng.Below(3);
        return 16 + rng.Below(3);
    }
    // Even a small club abroad fields a core of its own players, and a
    // nation of few clubs a larger one, so that every nation's names and
    // looks come from enough people.
    int fewest = FindWorldNation(club.nation)->clubs <= 4 ? 8 : 6;
    return std::max(fewest, 5 + rep / 8) + rng.Below(2);
}

// Share of players from abroad at a club.
double ForeignShare(const PlannedClub& club, int rep) {
    constexpr double kMaxShare[kWorldPlayableCountries] = {0.35, 0.30, 0.30, 0.40, 0.30,
                                                           0.30, 0.25, 0.32, 0.35};
    double size = std::clamp((rep - 12) / 50.0, 0.0, 1.0);
    if (club.nation < kWorldPlayableCountries) return 0.02 + kMaxShare[club.nation] * size;
    return 0.02 + 0.12 * size;
}

void WritePerson(TotStatPlayer& row, const Person& p, uint16_t name_index) {
    std::memset(row.bytes, 0, sizeof row.bytes);
    SetTotStatPlayerInitial(row, static_cast<uint8_t>(p.initial));
    SetTotStatPlayerSurname(row, p.surname.c_str());
    SetTotStatPlayerAbility(row, p.ability);
    SetTotStatPlayerPosition(row, p.position);
    SetTotStatPlayerSkin(row, p.skin);
    SetTotStatPlayerHairColour(row, p.hair_colour);
    SetTotStatPlayerHairStyle(row, p.hair_style);
    SetTotStatPlayerNationality(row, p.nationality);
    SetTotStatPlayerBirthYear(row, static_cast<int16_t>(kSeasonYear - 1900 - p.age));
    SetTotStatPlayerTraits(row, p.traits);
    SetTotStatPlayerClub(row, p.club);
    SetTotStatPlayerNameIndex(row, name_index);
}

// ---- Clubs ------------------------------------------------------------------

void BuildClubs(WorldState& world, uint64_t seed) {
    WorldRandom rng(seed ^ 0xC1ABull);
    const auto& plan = world.plan;
    world.club_rep.assign(plan.size(), 0);
    std::map<std::pair<int, int>, std::pair<int16_t, int16_t>> town_places;
    size_t i = 0;
    while (i < plan.size()) {
        size_t end = i;
        while (end < plan.size() && plan[end].nation == plan[i].nation) ++end;
        std::vector<int> reps = NationReputations(plan, static_cast<int>(i), static_cast<int>(end - i), rng);
        const WorldNation& n = *FindWorldNation(plan[i].nation);
        // The nation's base and each club's share of it give the reputation
        // the game computes: base / 1000 * share / 100, plus one.
        int base_units = NationTop(n) + 1;
        for (size_t c = i; c < end; ++c) {
            int target = reps[c - i];
            int percent = ((target - 1) * 100 + base_units - 1) / base_units;
            TotStatClub& row = TotStatClubs[c];
            std::memset(row.bytes, 0, sizeof row.bytes);
            SetTotStatClubName(row, plan[c].name.c_str());
            SetTotStatClubNumber(row, static_cast<int16_t>(c));
            SetTotStatClubNation(row, plan[c].nation);
            SetTotStatClubDivision(row, plan[c].division);
            SetTotStatClubRepPercent(row, static_cast<int16_t>(percent));
            SetTotStatClubRepBase(row, static_cast<uint32_t>(base_units * 1000 + rng.Below(1000)));
            // The formation family 0-5 goes in the seventh word after the name
            // (byte 47), which the game reads as the club's database tactic.
            SetTotStatClubTactic(row, static_cast<int16_t>(Draw(kTactics, rng)));
            world.club_rep[c] = TotStatClubReputation(static_cast<int>(c));
            SetTotStatClubCapacity(row, static_cast<uint32_t>(CapacityFor(world.club_rep[c], rng)));
            auto key = std::make_pair(static_cast<int>(plan[c].nation), static_cast<int>(plan[c].town));
            auto place = town_places.find(key);
            int16_t x, y;
            if (place == town_places.end()) {
                PlaceOnMap(plan[c].nation, rng, &x, &y);
                town_places.emplace(key, std::make_pair(x, y));
            } else {
                // A second club of a town sits a street or two from the first.
                x = static_cast<int16_t>(std::clamp(place->second.first + rng.Range(-2, 2), 0, 255));
                y = static_cast<int16_t>(std::clamp(place->second.second + rng.Range(-2, 2), 0, 255));
            }
            SetTotStatClubXCoord(row, x);
            SetTotStatClubYCoord(row, y);
        }
        i = end;
    }
}

// ---- Players ----------------------------------------------------------------

// A new game adds, for every club with a reputation, young players up to a
// cap of reputation / 8 + 20 (the database's under-18s count towards it),
// and 200 free agents for each league country, all in the one player
// table.  While the database's players would leave less than the spare,
// the biggest squad gives up its weakest grown-up outfield player.
void TrimToPlayerTable(std::vector<Person>& people, const std::vector<int>& club_rep) {
    const int limit = kWorldPlayerTableRecords - kWorldPlayerTableSpare;
    auto flagged = [](const Person& p) { return p.age - 16 < 2; };
    std::vector<int> taken(club_rep.size(), 0), young(club_rep.size(), 0);
    for (const Person& p : people) {
        if (p.club < 0) continue;
        ++taken[p.club];
        young[p.club] += flagged(p);
    }
    auto projected = [&] {
        int total = 3 + 200 * kWorldPlayableCountries - 2;
        for (size_t c = 0; c < club_rep.size(); ++c)
            total += taken[c] + (club_rep[c] > 0 ? std::max(0, club_rep[c] / 8 + 20 - young[c]) : 0);
        return total;
    };
    std::vector<bool> gone(people.size(), false);
    for (int over = projected() - limit; over > 0; --over) {
        size_t biggest = 0;
        for (size_t c = 1; c < club_rep.size(); ++c)
            if (taken[c] > taken[biggest]) biggest = c;
        int weakest = -1;
        for (size_t i = 0; i < people.size(); ++i) {
            const Person& p = people[i];
            if (gone[i] || p.club != static_cast<int>(biggest) || p.position == 0 || p.position == 13 ||
                flagged(p))
                continue;
            if (weakest < 0 || p.ability < people[weakest].ability) weakest = static_cast<int>(i);
        }
        if (weakest < 0) break;
        gone[weakest] = true;
        --taken[biggest];
    }
    std::vector<Person> kept;
    for (size_t i = 0; i < people.size(); ++i)
        if (!gone[i]) kept.push_back(people[i]);
    people.swap(kept);
}

// A person's full name, the key that keeps names apart within a club.
std::string FullName(const Person& p) { return std::string(1, p.initial) + p.surname; }

// The club's manager: a former player, mostly a local man, named unlike
// every other club's manager.
Person MakeManager(int club, const PlannedClub& planned, PeopleMaker& maker, WorldRandom& rng,
                   const std::set<std::string>& managers) {
    Person boss{};
    boss.club = static_cast<int16_t>(club);
    boss.nationality = maker.NationalityFor(planned.nation, 0.1);
    boss.age = static_cast<int16_t>(rng.Range(36, 62));
    boss.position = 13;
    boss.ability = static_cast<int16_t>(rng.Range(30, 60));
    boss.traits = 0;
    maker.Name(boss, &managers);
    maker.Look(boss);
    return boss;
}

// The club's squad: keepers, then defenders, midfielders and forwards.
void AddSquad(int club, const PlannedClub& planned, int rep, PeopleMaker& maker, WorldRandom& rng,
              std::set<std::string>& taken, std::vector<Person>& people) {
    const int size = SquadSize(planned, rep, rng);
    const int keepers = size >= 24 ? 3 : size >= 12 ? 2 : 1;
    const int outfield = size - keepers;
    const int defenders = (outfield * 36 + 50) / 100;
    const int midfielders = (outfield * 36 + 50) / 100;
    const double level = 15.0 + rep * 1.1;
    const double foreign = ForeignShare(planned, rep);
    for (int k = 0; k < size; ++k) {
        const int line = k < keepers                             ? 0
                         : k < keepers + defenders               ? 1
                         : k < keepers + defenders + midfielders ? 2
                                                                 : 3;
        Person p{};
        p.club = static_cast<int16_t>(club);
        p.nationality = maker.NationalityFor(planned.nation, foreign);
        p.age = maker.PlayerAge();
        p.position = maker.Position(line);
        p.traits = maker.Traits(p.position);
        // Regulars and reserves: about two in three are in the team.
        const double role = rng.Chance(0.6) ? 4.0 : -5.0;
        const double imported = p.nationality != planned.nation ? 3.0 : 0.0;
        p.ability = maker.Ability(level + role + imported, p.age);
        maker.Name(p, &taken);
        maker.Look(p);
        taken.insert(FullName(p));
        people.push_back(p);
    }
}

// League clubs keep a couple of school-age prospects.
void AddProspects(int club, const PlannedClub& planned, int rep, PeopleMaker& maker, WorldRandom& rng,
                  std::set<std::string>& taken, std::vector<Person>& people) {
    if (planned.nation >= kWorldPlayableCountries ||
        planned.division >= WorldLeagueDivisions(planned.nation)) {
        return;
    }
    const double level = 15.0 + rep * 1.1;
    const int prospects = 1 + rng.Below(3);
    for (int k = 0; k < prospects; ++k) {
        Person p{};
        p.club = static_cast<int16_t>(club);
        p.nationality = static_cast<int16_t>(planned.nation);
        p.age = static_cast<int16_t>(rng.Range(16, 17));
        p.position = maker.Position(1 + rng.Below(3));
        p.traits = maker.Traits(p.position);
        p.ability = maker.Ability(level - 4.0, p.age);
        maker.Name(p, &taken);
        maker.Look(p);
        taken.insert(FullName(p));
        people.push_back(p);
    }
}

// Every club's manager, squad and prospects, club by club.
std::vector<Person> MakeClubPeople(const WorldState& world, PeopleMaker& maker, WorldRandom& rng) {
    std::vector<Person> people;
    std::set<std::string> managers;  // no two clubs with managers of one name
    for (size_t c = 0; c < world.plan.size(); ++c) {
        const PlannedClub& planned = world.plan[c];
        const int club = static_cast<int>(c);
        const int rep = world.club_rep[c];
        std::set<std::string> taken;
        const Person boss = MakeManager(club, planned, maker, rng, managers);
        managers.insert(FullName(boss));
        taken.insert(FullName(boss));
        people.push_back(boss);
        AddSquad(club, planned, rep, maker, rng, taken, people);
        AddProspects(club, planned, rep, maker, rng, taken, people);
    }
    return people;
}

// Free agents, mostly of the league countries, last: the new game never
// takes the database's last row, and takes no player without a club.
void AddFreeAgents(PeopleMaker& maker, WorldRandom& rng, std::vector<Person>& people) {
    constexpr int kFreeAgents = 300;
    for (int k = 0; k < kFreeAgents; ++k) {
        Person p{};
        p.club = -1;
        const int home = rng.Below(kWorldPlayableCountries + 1);
        p.nationality = maker.NationalityFor(home < kWorldPlayableCountries ? home : 0,
                                             home < kWorldPlayableCountries ? 0.1 : 1.0);
        p.age = static_cast<int16_t>(rng.Range(19, 34));
        p.position = maker.Position(rng.Below(10) == 0 ? 0 : 1 + rng.Below(3));
        p.traits = maker.Traits(p.position);
        p.ability = maker.Ability(20.0 + rng.Below(15), p.age);
        maker.Name(p, nullptr);
        maker.Look(p);
        people.push_back(p);
    }
}

// Writes the player rows and the name table: the two fixed entries, then
// each surname once, in the order the rows first use it.  Checks that both
// fit before writing anything.
bool StagePeople(const std::vector<Person>& people, std::string* error) {
    std::map<std::string, uint16_t> indexOf;
    int nextName = TOTSTAT_FIRST_SURNAME_ENTRY;
    for (const Person& p : people) {
        if (indexOf.emplace(p.surname, uint16_t(nextName)).second) ++nextName;
    }
    if (!WorldTablesHaveRoom(people.size(), indexOf.size(), error)) return false;
    std::strcpy(TotStatNames[0].text, TOTSTAT_FIXED_NAME_0);
    std::strcpy(TotStatNames[1].text, TOTSTAT_FIXED_NAME_1);
    for (const auto& [surname, index] : indexOf) {
        std::strncpy(TotStatNames[index].text, surname.c_str(), TOTSTAT_NAME_SIZE - 1);
    }
    for (size_t k = 0; k < people.size(); ++k)
        WritePerson(TotStatPlayers[k], people[k], indexOf.at(people[k].surname));
    TotStatPlayerCount = static_cast<uint32_t>(people.size());
    return true;
}

bool BuildPlayers(WorldState& world, uint64_t seed, std::string* error) {
    WorldRandom rng(seed ^ 0x9E0Bull);
    PeopleMaker maker(world, rng);
    std::vector<Person> people = MakeClubPeople(world, maker, rng);
    TrimToPlayerTable(people, world.club_rep);
    AddFreeAgents(maker, rng, people);
    return StagePeople(people, error);
}

// ---- Describing -------------------------------------------------------------

std::string ToUtf8(const char* text) {
    static const char* const kHigh[32] = {"€", "?", "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š",
                                          "‹", "Œ", "?", "Ž", "?", "?", "‘", "’", "“", "”", "•",
                                          "–", "—", "˜", "™", "š", "›", "œ", "?", "ž", "Ÿ"};
    std::string out;
    for (const char* p = text; *p != 0; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0xA0) {
            out += kHigh[c - 0x80];
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

const char* LineOf(int position) {
    if (position == 0) return "GK";
    if (position <= 4 || position == 14) return "DF";
    if (position <= 9 || position == 15) return "MF";
    if (position == 13) return "MG";
    return "FW";
}

std::string DivisionLabel(int nation, int division) {
    if (nation < kWorldPlayableCountries) {
        if (division >= WorldLeagueDivisions(nation)) return "outside the leagues";
        return "division " + std::to_string(division + 1);
    }
    return division == 0 ? "top flight" : "second flight";
}

}  // namespace

bool WorldTablesHaveRoom(size_t players, size_t surnames, std::string* error) {
    if (players > size_t{TOTSTAT_PLAYER_COUNT}) {
        *error = "the world has " + std::to_string(players) + " players; the player table holds " +
                 std::to_string(TOTSTAT_PLAYER_COUNT);
        return false;
    }
    const size_t names = TOTSTAT_FIRST_SURNAME_ENTRY + surnames;
    if (names > size_t{TOTSTAT_NAME_COUNT}) {
        *error = "the world needs " + std::to_string(names) + " name entries; the name table holds " +
                 std::to_string(TOTSTAT_NAME_COUNT);
        return false;
    }
    return true;
}

int TotStatClubReputation(int row) {
    const TotStatClub& club = TotStatClubs[row];
    uint32_t base = GetTotStatClubRepBase(club);
    int rep = static_cast<int>(base / 1000) * GetTotStatClubRepPercent(club) / 100;
    return rep + (base != 0 ? 1 : 0);
}

bool GenerateWorld(uint64_t seed, const std::string& culture_dir, std::string* error) {
    static WorldState world;
    world = WorldState{};
    world.plan = PlanWorldClubs();
    if (world.plan.size() != static_cast<size_t>(TOTSTAT_CLUB_COUNT)) {
        *error = "the world plan does not hold 1200 clubs";
        return false;
    }
    if (!NameWorldClubs(culture_dir, &world.plan, error)) return false;
    // The names are the game's built-in ones; a stale build would show here.
    for (int c = 0; c < TOTSTAT_CLUB_COUNT; ++c) {
        if (world.plan[c].name != DefaultClubNames[c]) {
            *error = "club " + std::to_string(c) + " is \"" + world.plan[c].name +
                     "\" but the game's built-in table says \"" + DefaultClubNames[c] + "\"";
            return false;
        }
    }
    if (!LoadPeople(world, culture_dir, error)) return false;

    ClearTotStatTables();
    BuildClubs(world, seed);
    return BuildPlayers(world, seed, error);
}

std::vector<uint8_t> TotStatFileBytes() {
    std::vector<uint8_t> bytes;
    bytes.reserve(TOTSTAT_FILE_SIZE);
    auto append = [&](const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    };
    append(TotStatClubs, sizeof TotStatClubs);
    append(TotStatPlayers, sizeof TotStatPlayers);
    append(TotStatNames, sizeof TotStatNames);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(TotStatPlayerCount >> (8 * i)));
    return bytes;
}

void GenerateWorldDatabase() {
    std::string error;
    std::string cultures = (datakit::SourceDir() / "data" / "world" / "cultures").string();
    if (!GenerateWorld(kDefaultWorldSeed, cultures, &error)) datakit::DatakitFail("world: %s", error.c_str());
    int projected = ProjectNewGamePlayerCount();
    if (projected > kWorldPlayerTableRecords - kWorldPlayerTableSpare)
        datakit::DatakitFail("world: a new game would need %d player records", projected);
    // The game carries the season before the first built in: it must name
    // clubs of this world.
    if (std::string why = datakit::CheckShippedSeason(); !why.empty())
        datakit::DatakitFail("%s", why.c_str());
    datakit::StageGameFile(TOTSTAT_FILE_NAME, TotStatFileBytes());
}

int ProjectNewGamePlayerCount() {
    // Players 1 and 2 are the manager and caretaker records.
    int count = 3;
    std::vector<int> young(TOTSTAT_CLUB_COUNT, 0);
    std::vector<int> row_of(TOTSTAT_CLUB_COUNT, -1);
    for (int r = 0; r < TOTSTAT_CLUB_COUNT; ++r) {
        int number = GetTotStatClubNumber(TotStatClubs[r]);
        if (number >= 0 && number < TOTSTAT_CLUB_COUNT) row_of[number] = r;
    }
    // The new game walks all rows but the last, taking those with a club.
    for (uint32_t i = 0; i + 1 < TotStatPlayerCount; ++i) {
        const TotStatPlayer& p = TotStatPlayers[i];
        int club = GetTotStatPlayerClub(p);
        if (club < 0 || club >= TOTSTAT_CLUB_COUNT) continue;
        ++count;
        int stored_age = kSeasonYear - (GetTotStatPlayerBirthYear(p) + 1900) - 16;
        if (stored_age < 2) ++young[club];
    }
    // Young players up to each club's cap of reputation / 8 + 20.
    for (int c = 0; c < TOTSTAT_CLUB_COUNT; ++c) {
        if (row_of[c] < 0) continue;
        int rep = TotStatClubReputation(row_of[c]);
        if (rep == 0) continue;
        count += std::max(0, rep / 8 + 20 - young[c]);
    }
    // 200 free agents of each league country; the manager and caretaker
    // records count as two without a club for the first.
    count += 200 * kWorldPlayableCountries - 2;
    return count;
}

void DescribeWorld(FILE* out) {
    // Rows by club number, players by club.
    std::vector<std::vector<uint32_t>> squads(TOTSTAT_CLUB_COUNT);
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        int club = GetTotStatPlayerClub(TotStatPlayers[i]);
        if (club >= 0 && club < TOTSTAT_CLUB_COUNT) squads[club].push_back(i);
    }
    std::fprintf(out, "The world: %d clubs, %u players in the database\n", TOTSTAT_CLUB_COUNT,
                 TotStatPlayerCount);
    int last_nation = -1, last_division = -1;
    for (int row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
        const TotStatClub& club = TotStatClubs[row];
        int nation = GetTotStatClubNation(club);
        int division = GetTotStatClubDivision(club);
        const WorldNation* n = FindWorldNation(nation);
        if (nation != last_nation) std::fprintf(out, "\n==== %s ====\n", n != nullptr ? n->code : "???");
        if (nation != last_nation || division != last_division)
            std::fprintf(out, "-- %s --\n", DivisionLabel(nation, division).c_str());
        last_nation = nation;
        last_division = division;

        int number = GetTotStatClubNumber(club);
        std::string name = ToUtf8(GetTotStatClubName(club));
        // Pad by characters, not bytes.
        int shown = 0;
        for (unsigned char ch : name) shown += (ch & 0xC0) != 0x80;
        name.append(static_cast<size_t>(std::max(0, 19 - shown)), ' ');
        std::fprintf(out, "%4d %s rep %2d  ground %6u  map %3d,%-3d", number, name.c_str(),
                     TotStatClubReputation(row), GetTotStatClubCapacity(club), GetTotStatClubXCoord(club),
                     GetTotStatClubYCoord(club));

        std::vector<uint32_t> squad = squads[number];
        std::sort(squad.begin(), squad.end(), [](uint32_t a, uint32_t b) {
            return GetTotStatPlayerAbility(TotStatPlayers[a]) > GetTotStatPlayerAbility(TotStatPlayers[b]);
        });
        std::fprintf(out, "  %2zu players:", squad.size());
        int listed = 0;
        for (uint32_t i : squad) {
            const TotStatPlayer& p = TotStatPlayers[i];
            if (GetTotStatPlayerPosition(p) == 13) continue;
            const WorldNation* pn = FindWorldNation(GetTotStatPlayerNationality(p));
            std::fprintf(out, " %c. %s (%d %s %s %d)", GetTotStatPlayerInitial(p),
                         ToUtf8(GetTotStatPlayerSurname(p)).c_str(),
                         kSeasonYear - 1900 - GetTotStatPlayerBirthYear(p),
                         LineOf(GetTotStatPlayerPosition(p)), pn != nullptr ? pn->code : "???",
                         GetTotStatPlayerAbility(p));
            if (++listed == 3) break;
        }
        for (uint32_t i : squads[number]) {
            const TotStatPlayer& p = TotStatPlayers[i];
            if (GetTotStatPlayerPosition(p) == 13) {
                std::fprintf(out, "; manager %c. %s", GetTotStatPlayerInitial(p),
                             ToUtf8(GetTotStatPlayerSurname(p)).c_str());
                break;
            }
        }
        std::fprintf(out, "\n");
    }
    int free_agents = 0;
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i)
        free_agents += GetTotStatPlayerClub(TotStatPlayers[i]) < 0;
    std::fprintf(out, "\n%d free agents\n", free_agents);
}
