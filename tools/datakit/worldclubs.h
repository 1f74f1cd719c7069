// The plan of the fictional world: which nations have clubs and how strong
// their football is, which club number belongs to which nation and
// division, and the clubs' names, made from the culture files.  Free of game
// code: the build makes the game's built-in club-name table from the same
// functions, so the database and the game cannot disagree.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int kWorldClubCount = 1200;
constexpr int kWorldPlayableCountries = 9;
constexpr int kWorldMaxDivisions = 6;
// The screens show club names in 18-character fields.
constexpr int kWorldClubNameMax = 18;
// The seed of the club names.  The names are built into the game, so they
// do not follow the world seed.
constexpr uint64_t kWorldClubNameSeed = 0x48616C76u;

// Club count of every division of the nine league countries (0 = no such
// division), as the season code lays the leagues out.
extern const int16_t kWorldDivisionClubs[kWorldPlayableCountries][kWorldMaxDivisions];

struct WorldNation {
    int16_t nation;
    const char* code;          // three-letter code, for people reading the world
    int16_t clubs;             // clubs of the nation in the world; 0 = none
    int8_t strength;           // standing of its football, 0..100
    const char* club_culture;  // culture file of its club names (clubs > 0)
    const char* surnames;      // surname cultures with weights: "french 80, westafrica_fr 15"
    const char* looks;         // looks profiles with weights: "light 85, black 15"
    const char* imports;       // where its foreign players come from: "48 10, 39 8" (nation weight)
};

std::span<const WorldNation> WorldNations();
// The entry of a nation, or nullptr when the world has none.
const WorldNation* FindWorldNation(int nation);
// League divisions of a country (0 for a nation that has no league here).
int WorldLeagueDivisions(int nation);

struct PlannedClub {
    int16_t nation = 0;
    int16_t division = 0;
    int16_t rank = 0;  // 0 = the nation's biggest club, counting down through the divisions
    int16_t town = 0;  // the club's town among its nation's towns (derbies share one)
    std::string name;  // Windows-1252, at most 18 characters
};

// Lays the 1200 club numbers out: nation blocks in a fixed order, each
// block by division and then by size, the non-league clubs of a league
// country last.  Club 606 is Spain's biggest club and club 1025 Turkey's.
std::vector<PlannedClub> PlanWorldClubs();
// The first club number of a nation's block (-1 when it has none).
int WorldFirstClubOfNation(const std::vector<PlannedClub>& clubs, int nation);

// Names every club from the culture files in `culture_dir`; deterministic.
bool NameWorldClubs(const std::string& culture_dir, std::vector<PlannedClub>* clubs, std::string* error);

// Parses a "key weight, key weight" mix.  Returns false on a malformed one.
struct WeightedKey {
    std::string key;
    int weight;
};
bool ParseWeightedKeys(const char* text, std::vector<WeightedKey>* out);
