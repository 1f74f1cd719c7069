// Feeds arbitrary bytes through the shipped-database load: the four fixed
// reads, then the check that terminates strings and rejects values out of
// range, then a walk over what the new-game set-up would read.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "database/hvw/dataconv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearTotStatTables();
    if (size == 0) return 0;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    TotStatReadResult result = ReadTotStatBlocks(file);
    std::fclose(file);
    if (result != TOTSTAT_READ_OK) return 0;
    char why[200];
    if (!CheckTotStatTables(why, sizeof why)) return 0;

    // What the checks promise: every string ends inside its field, and the
    // in-use players index the name table and the clubs safely.
    size_t total = 0;
    for (const TotStatClub& club : TotStatClubs) total += std::strlen(GetTotStatClubName(club));
    static int club_rows[TOTSTAT_CLUB_COUNT];
    for (int i = 0; i < TOTSTAT_CLUB_COUNT; ++i) {
        int number = GetTotStatClubNumber(TotStatClubs[i]);
        if (number < TOTSTAT_CLUB_COUNT) club_rows[number] = i;
    }
    for (uint32_t i = 0; i < TotStatPlayerCount; ++i) {
        const TotStatPlayer& player = TotStatPlayers[i];
        total += std::strlen(GetTotStatPlayerSurname(player));
        total += std::strlen(TotStatNames[GetTotStatPlayerNameIndex(player)].text);
        int club = GetTotStatPlayerClub(player);
        if (club >= 0) total += static_cast<size_t>(club_rows[club]);
    }
    return total == SIZE_MAX ? 1 : 0;
}
