// Feeds damaged databases through the shipped-database load: the four
// fixed reads, then the check that terminates strings and rejects values
// out of range, then a walk over what the new-game set-up reads.
//
// The file is 1.5 MB, so the input is not the file itself: it describes
// one.  Byte 0 picks where the file is cut (0: not cut); then every four
// bytes patch one byte of a zeroed full-size image: block (clubs, players,
// names, count), a 16-bit offset into that block, and the value.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/records/shippeddatabase.h"

namespace {

std::vector<uint8_t> BuildImage(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(TOTSTAT_FILE_SIZE, 0);
    const size_t starts[4] = {0, TOTSTAT_CLUB_BLOCK, TOTSTAT_CLUB_BLOCK + TOTSTAT_PLAYER_BLOCK,
                              TOTSTAT_FILE_SIZE - 4};
    const size_t sizes[4] = {TOTSTAT_CLUB_BLOCK, TOTSTAT_PLAYER_BLOCK, TOTSTAT_NAME_BLOCK, 4};
    for (size_t i = 1; i + 4 <= size; i += 4) {
        int block = data[i] & 3;
        size_t offset = static_cast<size_t>(data[i + 1] | (data[i + 2] << 8)) % sizes[block];
        image[starts[block] + offset] = data[i + 3];
    }
    if (data[0] != 0) image.resize(TOTSTAT_FILE_SIZE * data[0] / 256);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearTotStatTables();
    if (size == 0) return 0;
    std::vector<uint8_t> image = BuildImage(data, size);
    if (image.empty()) return 0;
    FILE* file = fmemopen(image.data(), image.size(), "rb");
    if (file == nullptr) return 0;
    TotStatReadResult result = ReadTotStatBlocks(file);
    std::fclose(file);
    if (result != TOTSTAT_READ_OK) return 0;
    char why[200];
    if (!CheckTotStatTables(why, sizeof why)) return 0;

    // What the checks promise: every string ends inside its field, and the
    // players in use index the name table and the club rows safely.
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
