// The world generator: fills the shipped database's staging tables with a
// whole fictional football world (clubs, players, the name table) and
// writes "stats/totstat.dat"; and prints the world for people to read.
//
// Looks codes written into the player rows (three 3-bit values):
//   skin 0 (very fair) .. 7 (very dark);
//   hair colour 0 black, 1 dark brown, 2 brown, 3 light brown, 4 blond,
//   5 red, 6 grey, 7 white;
//   hair style 0 short, 1 cropped, 2 shaved, 3 parted, 4 long, 5 curly,
//   6 dreadlocks, 7 receding.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr uint64_t kDefaultWorldSeed = 20020713;

// A new game adds its youth intake and free-agent pools to the database's
// players, all in one 46000-record table.  The world's projection of that
// total is an upper bound (the intake stops early when its draws find no
// club with room); it keeps this many records to spare besides.
constexpr int kWorldPlayerTableRecords = 46000;
constexpr int kWorldPlayerTableSpare = 600;

// Builds the world for `seed` into the staging tables.  `culture_dir` is
// data/world/cultures.  Returns false with a reason on bad source data.
bool GenerateWorld(uint64_t seed, const std::string& culture_dir, std::string* error);

// Whether the player rows and the name table (its fixed entries and one
// entry per distinct surname) fit the database's tables; false with a
// reason when not.
bool WorldTablesHaveRoom(size_t players, size_t surnames, std::string* error);

// The staging tables as the database file's bytes.
std::vector<uint8_t> TotStatFileBytes();

// The data kit's generator: the world of the default seed, staged as the
// loose file "stats\\totstat.dat" beside the archive.
void GenerateWorldDatabase();

// Prints, per nation and division, the clubs with their reputations and
// grounds and a few of their players.  Text goes out as UTF-8.
void DescribeWorld(FILE* out);

// The player count a new game reaches from the staged database: the
// database players it takes, the young players every club with a
// reputation receives up to its cap, and the free agents of the nine
// league countries.
int ProjectNewGamePlayerCount();

// The club reputation a new game gives a club row.
int TotStatClubReputation(int row);
