// The shipped database "stats\totstat.dat": the club, player and name
// records a new game starts from, staged byte for byte as the file holds
// them, with the accessors that read and write their fields.  The data kit
// writes the file through the same records.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr int TOTSTAT_CLUB_COUNT = 1200;
constexpr int TOTSTAT_PLAYER_COUNT = 25000;
constexpr int TOTSTAT_NAME_COUNT = 25000;

constexpr int TOTSTAT_CLUB_SIZE = 57;
constexpr int TOTSTAT_PLAYER_SIZE = 43;
constexpr int TOTSTAT_NAME_SIZE = 17;

constexpr size_t TOTSTAT_CLUB_BLOCK = size_t{TOTSTAT_CLUB_COUNT} * TOTSTAT_CLUB_SIZE;
constexpr size_t TOTSTAT_PLAYER_BLOCK = size_t{TOTSTAT_PLAYER_COUNT} * TOTSTAT_PLAYER_SIZE;
constexpr size_t TOTSTAT_NAME_BLOCK = size_t{TOTSTAT_NAME_COUNT} * TOTSTAT_NAME_SIZE;
constexpr size_t TOTSTAT_FILE_SIZE = TOTSTAT_CLUB_BLOCK + TOTSTAT_PLAYER_BLOCK + TOTSTAT_NAME_BLOCK + 4;
static_assert(TOTSTAT_FILE_SIZE == 1568404);

constexpr const char* TOTSTAT_FILE_NAME = "stats\\totstat.dat";

// Field widths (including the terminating NUL).
constexpr int TOTSTAT_CLUB_NAME_SIZE = 35;
constexpr int TOTSTAT_SURNAME_SIZE = 16;

// A club row.  A club number of 1200 or more marks a row the game skips.
struct TotStatClub {
    uint8_t bytes[TOTSTAT_CLUB_SIZE];
};
static_assert(sizeof(TotStatClub) == 57);

// A player row.  The club field holds 0..1199, or a negative number for a
// player without a club.
struct TotStatPlayer {
    uint8_t bytes[TOTSTAT_PLAYER_SIZE];
};
static_assert(sizeof(TotStatPlayer) == 43);

// One entry of the name table: a NUL-terminated name of up to 16 characters.
struct TotStatName {
    char text[TOTSTAT_NAME_SIZE];
};
static_assert(sizeof(TotStatName) == 17);

// The staging tables, filled from the file.
extern TotStatClub TotStatClubs[TOTSTAT_CLUB_COUNT];
extern TotStatPlayer TotStatPlayers[TOTSTAT_PLAYER_COUNT];
extern TotStatName TotStatNames[TOTSTAT_NAME_COUNT];
extern uint32_t TotStatPlayerCount;

// The two fixed entries at the head of the name table; every distinct
// surname follows from entry 2 on.
constexpr const char* TOTSTAT_FIXED_NAME_0 = "Manager";
constexpr const char* TOTSTAT_FIXED_NAME_1 = "Caretaker";
constexpr int TOTSTAT_FIRST_SURNAME_ENTRY = 2;

// Reads the whole database into the staging tables.  Ends the program on a
// missing, short or malformed file.
void LoadConvertDataFromDatabase();
// The new-game entry: loads the database.
void LoadDatabaseStats();

// ---- The parts of the load, for the data kit, tests and fuzzing ---------

enum TotStatReadResult : int {
    TOTSTAT_READ_OK = 0,
    TOTSTAT_READ_SHORT_CLUBS,
    TOTSTAT_READ_SHORT_PLAYERS,
    TOTSTAT_READ_SHORT_NAMES,
    TOTSTAT_READ_SHORT_COUNT,
};
// The four fixed reads from an open stream into the staging tables.
TotStatReadResult ReadTotStatBlocks(FILE* file);
// Terminates every text field of the staging tables and checks the values
// the game uses as numbers of records or table rows.  Returns false with a
// description in `why` when something is out of range.
bool CheckTotStatTables(char* why, size_t why_size);
// Empties the staging tables.
void ClearTotStatTables();

// ---- Club row fields ------------------------------------------------------

const char* GetTotStatClubName(const TotStatClub& club);
// Copies at most 34 characters and always terminates the field.
void SetTotStatClubName(TotStatClub& club, const char* name);
int16_t GetTotStatClubNumber(const TotStatClub& club);
void SetTotStatClubNumber(TotStatClub& club, int16_t value);
int16_t GetTotStatClubNation(const TotStatClub& club);
void SetTotStatClubNation(TotStatClub& club, int16_t value);
int16_t GetTotStatClubDivision(const TotStatClub& club);
void SetTotStatClubDivision(TotStatClub& club, int16_t value);
int16_t GetTotStatClubXCoord(const TotStatClub& club);
void SetTotStatClubXCoord(TotStatClub& club, int16_t value);
int16_t GetTotStatClubYCoord(const TotStatClub& club);
void SetTotStatClubYCoord(TotStatClub& club, int16_t value);
int16_t GetTotStatClubRepPercent(const TotStatClub& club);
void SetTotStatClubRepPercent(TotStatClub& club, int16_t value);
// The manager's preferred formation, read by the club set-up.
int16_t GetTotStatClubTactic(const TotStatClub& club);
void SetTotStatClubTactic(TotStatClub& club, int16_t value);
// Total ground capacity in seats, read by the stands set-up.
uint32_t GetTotStatClubCapacity(const TotStatClub& club);
void SetTotStatClubCapacity(TotStatClub& club, uint32_t value);
uint32_t GetTotStatClubRepBase(const TotStatClub& club);
void SetTotStatClubRepBase(TotStatClub& club, uint32_t value);

// ---- Player row fields ----------------------------------------------------

// The first-name initial, a character 'A'..'Z'.
uint8_t GetTotStatPlayerInitial(const TotStatPlayer& player);
void SetTotStatPlayerInitial(TotStatPlayer& player, uint8_t value);
const char* GetTotStatPlayerSurname(const TotStatPlayer& player);
// Copies at most 15 characters and always terminates the field.
void SetTotStatPlayerSurname(TotStatPlayer& player, const char* surname);
int16_t GetTotStatPlayerAbility(const TotStatPlayer& player);
void SetTotStatPlayerAbility(TotStatPlayer& player, int16_t value);
// Position code: 0-12 a position, 13 a manager, 14-16 a defender,
// midfielder or forward, 17 and up a player-manager at position code - 17.
int16_t GetTotStatPlayerPosition(const TotStatPlayer& player);
void SetTotStatPlayerPosition(TotStatPlayer& player, int16_t value);
int16_t GetTotStatPlayerSkin(const TotStatPlayer& player);
void SetTotStatPlayerSkin(TotStatPlayer& player, int16_t value);
int16_t GetTotStatPlayerHairColour(const TotStatPlayer& player);
void SetTotStatPlayerHairColour(TotStatPlayer& player, int16_t value);
int16_t GetTotStatPlayerHairStyle(const TotStatPlayer& player);
void SetTotStatPlayerHairStyle(TotStatPlayer& player, int16_t value);
int16_t GetTotStatPlayerNationality(const TotStatPlayer& player);
void SetTotStatPlayerNationality(TotStatPlayer& player, int16_t value);
// Birth year less 1900.
int16_t GetTotStatPlayerBirthYear(const TotStatPlayer& player);
void SetTotStatPlayerBirthYear(TotStatPlayer& player, int16_t value);
// Position-traits kind 0-4 for the side settings.
int16_t GetTotStatPlayerTraits(const TotStatPlayer& player);
void SetTotStatPlayerTraits(TotStatPlayer& player, int16_t value);
int16_t GetTotStatPlayerClub(const TotStatPlayer& player);
void SetTotStatPlayerClub(TotStatPlayer& player, int16_t value);
uint16_t GetTotStatPlayerNameIndex(const TotStatPlayer& player);
void SetTotStatPlayerNameIndex(TotStatPlayer& player, uint16_t value);

// Limits the load checks, shared with the data kit.
constexpr int TOTSTAT_NATION_COUNT = 116;
constexpr int TOTSTAT_MAX_DIVISION = 7;
constexpr int TOTSTAT_MAX_POSITION_CODE = 17 + 12;
constexpr int TOTSTAT_MAX_TRAITS = 4;
// Birth years (less 1900) that give a stored age of 0..63 in a game that
// starts in 2002.
constexpr int TOTSTAT_FIRST_BIRTH_YEAR = 2002 - 1900 - 16 - 63;
constexpr int TOTSTAT_LAST_BIRTH_YEAR = 2002 - 1900 - 16;
