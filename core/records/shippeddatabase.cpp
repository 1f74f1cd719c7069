// Loading the shipped database: four fixed reads into the staging tables,
// then a check of everything later code takes as a record number, a table
// row or a string, because the file comes from outside the program.
#include "core/records/shippeddatabase.h"

#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"

TotStatClub TotStatClubs[TOTSTAT_CLUB_COUNT];
TotStatPlayer TotStatPlayers[TOTSTAT_PLAYER_COUNT];
TotStatName TotStatNames[TOTSTAT_NAME_COUNT];
uint32_t TotStatPlayerCount;

namespace {

constexpr const char* kModule = "hvw\\dataconv";

// Club row offsets.
constexpr int kClubName = 0;
constexpr int kClubNumber = 35;
constexpr int kClubNation = 37;
constexpr int kClubDivision = 39;
constexpr int kClubX = 41;
constexpr int kClubY = 43;
constexpr int kClubRepPercent = 45;
constexpr int kClubTactic = 47;
constexpr int kClubCapacity = 49;
constexpr int kClubRepBase = 53;
static_assert(kClubRepBase + 4 == TOTSTAT_CLUB_SIZE);

// Player row offsets.
constexpr int kPlayerInitial = 0;
constexpr int kPlayerSurname = 1;
constexpr int kPlayerAbility = 17;
constexpr int kPlayerPosition = 19;
constexpr int kPlayerSkin = 21;
constexpr int kPlayerHairColour = 23;
constexpr int kPlayerHairStyle = 25;
constexpr int kPlayerNationality = 29;
constexpr int kPlayerBirthYear = 31;
constexpr int kPlayerTraits = 35;
constexpr int kPlayerClub = 37;
constexpr int kPlayerNameIndex = 39;
static_assert(kPlayerNameIndex + 4 == TOTSTAT_PLAYER_SIZE);

// Copies a string into a fixed field, cut to fit and terminated, the rest
// of the field zero so written files are reproducible.
void WriteText(uint8_t* field, size_t size, const char* text) {
    std::memset(field, 0, size);
    if (text == nullptr) return;
    size_t length = strnlen(text, size - 1);
    std::memcpy(field, text, length);
}

[[noreturn]] void LoadFailed(int line, const char* detail) {
    char message[400];
    if (detail == nullptr)
        std::snprintf(message, sizeof message,
                      "LoadConvertDataFromDatabase(): Load 'OUTPUT_FILE_NAME' failed");
    else
        std::snprintf(message, sizeof message,
                      "LoadConvertDataFromDatabase(): Load 'OUTPUT_FILE_NAME' failed (%s)", detail);
    AbortError(kModule, line, message);
}

}  // namespace

TotStatReadResult ReadTotStatBlocks(FILE* file) {
    if (std::fread(TotStatClubs, TOTSTAT_CLUB_BLOCK, 1, file) != 1) return TOTSTAT_READ_SHORT_CLUBS;
    if (std::fread(TotStatPlayers, TOTSTAT_PLAYER_BLOCK, 1, file) != 1) return TOTSTAT_READ_SHORT_PLAYERS;
    if (std::fread(TotStatNames, TOTSTAT_NAME_BLOCK, 1, file) != 1) return TOTSTAT_READ_SHORT_NAMES;
    uint8_t count[4];
    if (std::fread(count, sizeof count, 1, file) != 1) return TOTSTAT_READ_SHORT_COUNT;
    TotStatPlayerCount = recbits::LoadU32(count);
    return TOTSTAT_READ_OK;
}

bool CheckTotStatTables(char* why, size_t why_size) {
    // Every text field ends inside its bytes, whatever the file held.
    for (TotStatClub& club : TotStatClubs) club.bytes[kClubName + TOTSTAT_CLUB_NAME_SIZE - 1] = 0;
    for (TotStatPlayer& player : TotStatPlayers) player.bytes[kPlayerSurname + TOTSTAT_SURNAME_SIZE - 1] = 0;
    for (TotStatName& name : TotStatNames) name.text[TOTSTAT_NAME_SIZE - 1] = 0;

    if (TotStatPlayerCount > static_cast<uint32_t>(TOTSTAT_PLAYER_COUNT)) {
        std::snprintf(why, why_size, "%u players, at most %d", TotStatPlayerCount, TOTSTAT_PLAYER_COUNT);
        return false;
    }
    for (int i = 0; i < TOTSTAT_CLUB_COUNT; ++i) {
        const TotStatClub& club = TotStatClubs[i];
        int number = GetTotStatClubNumber(club);
        if (number >= TOTSTAT_CLUB_COUNT) continue;  // a row the game skips
        if (number < 0) {
            std::snprintf(why, why_size, "club row %d has club number %d", i, number);
            return false;
        }
        int nation = GetTotStatClubNation(club);
        if (nation < 0 || nation >= TOTSTAT_NATION_COUNT) {
            std::snprintf(why, why_size, "club %d has nation %d", number, nation);
            return false;
        }
        int division = GetTotStatClubDivision(club);
        if (division < 0 || division > TOTSTAT_MAX_DIVISION) {
            std::snprintf(why, why_size, "club %d has division %d", number, division);
            return false;
        }
    }
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& player = TotStatPlayers[i];
        int club = GetTotStatPlayerClub(player);
        if (club >= TOTSTAT_CLUB_COUNT) {
            std::snprintf(why, why_size, "player %u has club %d", i, club);
            return false;
        }
        int nation = GetTotStatPlayerNationality(player);
        if (nation < 0 || nation >= TOTSTAT_NATION_COUNT) {
            std::snprintf(why, why_size, "player %u has nationality %d", i, nation);
            return false;
        }
        int position = GetTotStatPlayerPosition(player);
        if (position < 0 || position > TOTSTAT_MAX_POSITION_CODE) {
            std::snprintf(why, why_size, "player %u has position code %d", i, position);
            return false;
        }
        int traits = GetTotStatPlayerTraits(player);
        if (traits < 0 || traits > TOTSTAT_MAX_TRAITS) {
            std::snprintf(why, why_size, "player %u has traits code %d", i, traits);
            return false;
        }
        int born = GetTotStatPlayerBirthYear(player);
        if (born < TOTSTAT_FIRST_BIRTH_YEAR || born > TOTSTAT_LAST_BIRTH_YEAR) {
            std::snprintf(why, why_size, "player %u has birth year %d", i, born + 1900);
            return false;
        }
        if (GetTotStatPlayerNameIndex(player) >= TOTSTAT_NAME_COUNT) {
            std::snprintf(why, why_size, "player %u has name index %u", i,
                          static_cast<unsigned>(GetTotStatPlayerNameIndex(player)));
            return false;
        }
    }
    return true;
}

void ClearTotStatTables() {
    std::memset(TotStatClubs, 0, sizeof TotStatClubs);
    std::memset(TotStatPlayers, 0, sizeof TotStatPlayers);
    std::memset(TotStatNames, 0, sizeof TotStatNames);
    TotStatPlayerCount = 0;
}

void LoadConvertDataFromDatabase() {
    // A plain file beside the pak archives, never looked up inside them.
    std::string path = HostPath(TOTSTAT_FILE_NAME);
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) LoadFailed(__LINE__, nullptr);
    TotStatReadResult result = ReadTotStatBlocks(file);
    std::fclose(file);
    switch (result) {
        case TOTSTAT_READ_OK:
            break;
        case TOTSTAT_READ_SHORT_CLUBS:
            LoadFailed(__LINE__, "Clubs");
        case TOTSTAT_READ_SHORT_PLAYERS:
            LoadFailed(__LINE__, "Players");
        case TOTSTAT_READ_SHORT_NAMES:
            LoadFailed(__LINE__, "Names");
        case TOTSTAT_READ_SHORT_COUNT:
            LoadFailed(__LINE__, "Number of players");
    }
    char why[200];
    if (!CheckTotStatTables(why, sizeof why)) {
        char detail[240];
        std::snprintf(detail, sizeof detail, "bad data: %s", why);
        LoadFailed(__LINE__, detail);
    }
}

void LoadDatabaseStats() { LoadConvertDataFromDatabase(); }

// ---- Club row fields ------------------------------------------------------

const char* GetTotStatClubName(const TotStatClub& club) {
    return reinterpret_cast<const char*>(club.bytes + kClubName);
}
void SetTotStatClubName(TotStatClub& club, const char* name) {
    WriteText(club.bytes + kClubName, TOTSTAT_CLUB_NAME_SIZE, name);
}
int16_t GetTotStatClubNumber(const TotStatClub& club) { return recbits::LoadI16(club.bytes + kClubNumber); }
void SetTotStatClubNumber(TotStatClub& club, int16_t value) {
    recbits::StoreI16(club.bytes + kClubNumber, value);
}
int16_t GetTotStatClubNation(const TotStatClub& club) { return recbits::LoadI16(club.bytes + kClubNation); }
void SetTotStatClubNation(TotStatClub& club, int16_t value) {
    recbits::StoreI16(club.bytes + kClubNation, value);
}
int16_t GetTotStatClubDivision(const TotStatClub& club) {
    return recbits::LoadI16(club.bytes + kClubDivision);
}
void SetTotStatClubDivision(TotStatClub& club, int16_t value) {
    recbits::StoreI16(club.bytes + kClubDivision, value);
}
int16_t GetTotStatClubXCoord(const TotStatClub& club) { return recbits::LoadI16(club.bytes + kClubX); }
void SetTotStatClubXCoord(TotStatClub& club, int16_t value) { recbits::StoreI16(club.bytes + kClubX, value); }
int16_t GetTotStatClubYCoord(const TotStatClub& club) { return recbits::LoadI16(club.bytes + kClubY); }
void SetTotStatClubYCoord(TotStatClub& club, int16_t value) { recbits::StoreI16(club.bytes + kClubY, value); }
int16_t GetTotStatClubRepPercent(const TotStatClub& club) {
    return recbits::LoadI16(club.bytes + kClubRepPercent);
}
void SetTotStatClubRepPercent(TotStatClub& club, int16_t value) {
    recbits::StoreI16(club.bytes + kClubRepPercent, value);
}
int16_t GetTotStatClubTactic(const TotStatClub& club) { return recbits::LoadI16(club.bytes + kClubTactic); }
void SetTotStatClubTactic(TotStatClub& club, int16_t value) {
    recbits::StoreI16(club.bytes + kClubTactic, value);
}
uint32_t GetTotStatClubCapacity(const TotStatClub& club) {
    return recbits::LoadU32(club.bytes + kClubCapacity);
}
void SetTotStatClubCapacity(TotStatClub& club, uint32_t value) {
    recbits::StoreU32(club.bytes + kClubCapacity, value);
}
uint32_t GetTotStatClubRepBase(const TotStatClub& club) {
    return recbits::LoadU32(club.bytes + kClubRepBase);
}
void SetTotStatClubRepBase(TotStatClub& club, uint32_t value) {
    recbits::StoreU32(club.bytes + kClubRepBase, value);
}

// ---- Player row fields ----------------------------------------------------

uint8_t GetTotStatPlayerInitial(const TotStatPlayer& player) { return player.bytes[kPlayerInitial]; }
void SetTotStatPlayerInitial(TotStatPlayer& player, uint8_t value) { player.bytes[kPlayerInitial] = value; }
const char* GetTotStatPlayerSurname(const TotStatPlayer& player) {
    return reinterpret_cast<const char*>(player.bytes + kPlayerSurname);
}
void SetTotStatPlayerSurname(TotStatPlayer& player, const char* surname) {
    WriteText(player.bytes + kPlayerSurname, TOTSTAT_SURNAME_SIZE, surname);
}
int16_t GetTotStatPlayerAbility(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerAbility);
}
void SetTotStatPlayerAbility(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerAbility, value);
}
int16_t GetTotStatPlayerPosition(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerPosition);
}
void SetTotStatPlayerPosition(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerPosition, value);
}
int16_t GetTotStatPlayerSkin(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerSkin);
}
void SetTotStatPlayerSkin(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerSkin, value);
}
int16_t GetTotStatPlayerHairColour(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerHairColour);
}
void SetTotStatPlayerHairColour(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerHairColour, value);
}
int16_t GetTotStatPlayerHairStyle(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerHairStyle);
}
void SetTotStatPlayerHairStyle(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerHairStyle, value);
}
int16_t GetTotStatPlayerNationality(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerNationality);
}
void SetTotStatPlayerNationality(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerNationality, value);
}
int16_t GetTotStatPlayerBirthYear(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerBirthYear);
}
void SetTotStatPlayerBirthYear(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerBirthYear, value);
}
int16_t GetTotStatPlayerTraits(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerTraits);
}
void SetTotStatPlayerTraits(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerTraits, value);
}
int16_t GetTotStatPlayerClub(const TotStatPlayer& player) {
    return recbits::LoadI16(player.bytes + kPlayerClub);
}
void SetTotStatPlayerClub(TotStatPlayer& player, int16_t value) {
    recbits::StoreI16(player.bytes + kPlayerClub, value);
}
uint16_t GetTotStatPlayerNameIndex(const TotStatPlayer& player) {
    return static_cast<uint16_t>(recbits::LoadI16(player.bytes + kPlayerNameIndex));
}
void SetTotStatPlayerNameIndex(TotStatPlayer& player, uint16_t value) {
    recbits::StoreI16(player.bytes + kPlayerNameIndex, static_cast<int16_t>(value));
}
