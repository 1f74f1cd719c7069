#include "core/records/blockfiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/club/board.h"
#include "core/club/exchangedeals.h"
#include "core/club/squads.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/match/matchratings.h"
#include "core/match/replay.h"
#include "core/query/forwarders.h"
#include "core/records/fixturechecks.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/playedleagues.h"
#include "core/season/seasonsquads.h"

char CupEditRecord[kCupEditRecordSize];
char DivisionEditRecord[kDivisionEditRecordSize];
uint8_t SavedTeamInfo[kTeamInfoSize];
GoalReplayFileList GoalReplayFiles;

namespace {

constexpr char kBlockFileTag[4] = {'D', 'A', 'T', '0'};
constexpr char kTrailerTag[4] = {'E', 'N', 'D', '0'};
constexpr const char* kSaveMagic = "SAV0";
constexpr const char* kPermMagic = "PRM0";
constexpr const char* kTeamMagic = "TEM1";
constexpr const char* kCupMagic = "CUP1";
constexpr const char* kDivisionMagic = "DIV1";
constexpr const char* kSaveDirectory = "SaveData";
constexpr const char* kEditDirectory = "Edited\\";
constexpr const char* kGoalDirectory = "SaveData\\GOALS\\";
constexpr const char* kGoalExtension = ".dhf";

// The perm file beside each save keeps the user's pending deals and the
// contracts agreed with their exchange players.  They are read into these
// copies and taken over only once the whole game has loaded; a perm file
// without them (an older save) gives both tables empty.
uint8_t PermPendingDeals[kPendingDeals * kPendingDealSize];
uint8_t PermAgreedExchanges[kAgreedExchangeBlockSize];
// The clubs' strength ranking as the running game last built it (club and
// strength of each place, then each nation's count of ranked clubs).
constexpr int kRankedClubBytes = 6;
uint8_t PermStrengthRanking[kClubCount * kRankedClubBytes + 2 * kCountryCount];
// Each club's count of young players placed this season, as the running
// game holds it, and a last byte of 1 when it was kept.
constexpr int kKeptNewPlayerCountsByte = kClubCount;
uint8_t PermNewPlayerCounts[kClubCount + 1];
const DataBlockDescriptor kPermFileBlocks[] = {{PermPendingDeals, sizeof PermPendingDeals},
                                               {PermAgreedExchanges, sizeof PermAgreedExchanges},
                                               {PermStrengthRanking, sizeof PermStrengthRanking},
                                               {PermNewPlayerCounts, sizeof PermNewPlayerCounts},
                                               {nullptr, 0}};
const DataBlockDescriptor kTeamEditBlocks[] = {{&ClubNameRecords[kClubCount], sizeof(ClubNameRecord)},
                                               {nullptr, 0}};
const DataBlockDescriptor kCupEditBlocks[] = {{CupEditRecord, kCupEditRecordSize}, {nullptr, 0}};
const DataBlockDescriptor kDivisionEditBlocks[] = {{DivisionEditRecord, kDivisionEditRecordSize},
                                                   {nullptr, 0}};
const DataBlockDescriptor kSaveTeamBlocks[] = {{SavedTeamInfo, kTeamInfoSize}, {nullptr, 0}};

using recbits::LoadU16;
using recbits::LoadU32;
using recbits::StoreU16;
using recbits::StoreU32;

bool WriteAll(std::FILE* file, const void* data, size_t size) {
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}
bool ReadAll(std::FILE* file, void* data, size_t size) {
    return size == 0 || std::fread(data, 1, size, file) == size;
}

std::string Format(const char* format, const char* text, int number) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, text, number);
    return buffer;
}

std::string SaveFileName(int16_t slot, bool prefixed, const char* stem) {
    std::string name = std::string(kSaveDirectory) + "\\" + stem + std::to_string(slot);
    return prefixed ? std::string(CoreDataPathPrefix()) + name : name;
}

void MakeDirectory(const char* game_path) {
    std::string host = HostPath(game_path);
    while (!host.empty() && host.back() == '/') host.pop_back();
    struct stat info;
    if (stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return;
    if (mkdir(host.c_str(), 0777) != 0) {
        DebugLog(DEBUG_FILE, 10, "Warning: MakeDirectory(): cannot create '%s'\n", host.c_str());
    }
}

// Writes a block file beside its final name and moves it into place only
// once it is complete and on disk: whatever fails, the file that was there
// before is still there.
int WriteBlockFileSafely(const std::string& game_path, const DataBlockDescriptor* list, const char* magic) {
    const std::string final_path = HostPath(game_path);
    const std::string temp_path = final_path + ".tmp";
    std::FILE* file = std::fopen(temp_path.c_str(), "wb");
    if (file == nullptr) return kSaveOpenFailed;
    int result = kSaveOk;
    if (WriteDataBlocks(list, file, magic) != kBlockWriteOk) {
        result = kSaveWriteFailed;
    } else if (std::fflush(file) != 0 || fsync(fileno(file)) != 0) {
        result = kSaveCloseFailed;
    }
    if (std::fclose(file) != 0 && result == kSaveOk) result = kSaveCloseFailed;
    if (result == kSaveOk && std::rename(temp_path.c_str(), final_path.c_str()) != 0)
        result = kSaveCloseFailed;
    if (result != kSaveOk) std::remove(temp_path.c_str());
    return result;
}

std::FILE* OpenForReading(const std::string& game_path) {
    std::string host = HostPath(game_path);
    struct stat info;
    if (stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
    return std::fopen(host.c_str(), "rb");
}

// Loads a small block file whose list may be only partly present.
int LoadEditFile(const std::string& game_path, const DataBlockDescriptor* list, const char* magic) {
    std::FILE* file = OpenForReading(game_path);
    if (file == nullptr) return kEditOpenFailed;
    const int read = ReadDataBlocks(list, file, magic);
    const int closed = std::fclose(file);
    if (read < 0) return kEditReadWriteFailed;
    return closed != 0 ? kEditCloseFailed : kEditOk;
}

int SaveEditFile(const std::string& game_path, const DataBlockDescriptor* list, const char* magic) {
    MakeDirectory(kEditDirectory);
    return WriteBlockFileSafely(game_path, list, magic);
}

int LoadPermFileFrom(int16_t slot, bool prefixed) {
    std::FILE* file = OpenForReading(SaveFileName(slot, prefixed, "perm"));
    if (file == nullptr) return kSaveOpenFailed;
    std::memset(PermPendingDeals, 0, sizeof PermPendingDeals);
    std::memset(PermAgreedExchanges, 0, sizeof PermAgreedExchanges);
    std::memset(PermStrengthRanking, 0, sizeof PermStrengthRanking);
    std::memset(PermNewPlayerCounts, 0, sizeof PermNewPlayerCounts);
    // Blocks missing at the end (an older perm file) stay empty.
    int read = ReadDataBlocks(kPermFileBlocks, file, kPermMagic);
    int closed = std::fclose(file);
    if (read <= kBlockReadNotBlockFile) return kSaveBadFormat;
    if (read < 0) return kSaveReadFailed;
    if (closed != 0) return kSaveCloseFailed;
    return kSaveOk;
}

// ---- Loading a game into a staging copy ---------------------------------------

struct Staging {
    uint8_t* bytes = nullptr;
    DataBlockDescriptor list[kSaveGameBlockCount + 1];
};

void BuildStagingList(Staging& staging) {
    uint64_t offset = 0;
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        staging.list[i] = {staging.bytes + offset, SaveGameDescriptors[i].size};
        offset += SaveGameDescriptors[i].size;
    }
    staging.list[kSaveGameBlockCount] = {nullptr, 0};
}

const uint8_t* StagedBlock(const Staging& staging, const void* live) {
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        if (SaveGameDescriptors[i].address == live) {
            return static_cast<const uint8_t*>(staging.list[i].address);
        }
    }
    return nullptr;
}

// The counts and positions that other code uses as indices into fixed
// tables must fit those tables, or a damaged file could make the game read
// and write outside them.
bool StagedCountsFit(const Staging& staging) {
    const uint8_t* players = StagedBlock(staging, &PlayerCount);
    if (players == nullptr || LoadU16(players) > kMaxPlayers) return false;
    const uint8_t* player_count = StagedBlock(staging, &PlayerHistoryCount);
    const uint8_t* club_count = StagedBlock(staging, &ClubHistoryCount);
    if (player_count == nullptr || club_count == nullptr) return false;
    uint32_t pc = LoadU32(player_count), cc = LoadU32(club_count);
    // A full list counts one past its capacity (its trailing empty entry
    // is gone), and there the owners after the last entry start at the
    // capacity: a game saved then must load again.
    if (pc < 1 || pc > kPlayerHistoryEntries + 1u || cc < 1 || cc > kClubHistoryEntries + 1u) return false;
    const uint8_t* player_first = StagedBlock(staging, PlayerHistoryFirst);
    const uint8_t* club_first = StagedBlock(staging, ClubHistoryFirst);
    for (int i = 0; i < kMaxPlayers; ++i) {
        if (LoadU32(player_first + 4 * i) > kPlayerHistoryEntries) return false;
    }
    for (int i = 0; i < kClubCount; ++i) {
        if (LoadU32(club_first + 4 * i) > kClubHistoryEntries) return false;
    }
    return true;
}

void CommitStaging(const Staging& staging) {
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        std::memcpy(SaveGameDescriptors[i].address, staging.list[i].address, SaveGameDescriptors[i].size);
    }
    HistoryListsReplaced();
}

// Reads the whole save into staging memory and checks it; 0 or a LoadGame
// code.  Nothing of the running game is touched.
int ReadSaveIntoStaging(int16_t slot, bool prefixed, Staging& staging) {
    std::FILE* file = OpenForReading(SaveFileName(slot, prefixed, "save"));
    if (file == nullptr) return kSaveOpenFailed;
    int read = ReadDataBlocks(staging.list, file, kSaveMagic);
    int closed = std::fclose(file);
    if (read <= kBlockReadNotBlockFile || read > 0) return kSaveBadFormat;
    if (read < 0) return kSaveReadFailed;
    if (closed != 0) return kSaveCloseFailed;
    if (!StagedCountsFit(staging)) return kSaveBadFormat;
    int perm = LoadPermFile(slot);
    if (perm == kSaveBadFormat) return kSaveBadFormat;
    if (perm != kSaveOk) return kSavePermFailed;
    return kSaveOk;
}

// The pending deals and agreed exchange contracts of the loaded perm file
// become the game's; a deal naming a player or club outside the tables is
// dropped.
void TakeOverPermTables() {
    for (int i = 0; i < kPendingDeals; ++i) {
        uint8_t* deal = PendingDealTable[i].bytes;
        std::memcpy(deal, PermPendingDeals + i * kPendingDealSize, kPendingDealSize);
        const uint16_t player = LoadU16(deal);
        if (player == 0) continue;
        bool sound =
            IsPlayerNumber(player) && IsClubNumber(LoadU16(deal + 2)) && IsClubNumber(LoadU16(deal + 4));
        for (int k = 0; k < 3; ++k) {
            const uint16_t exchange = LoadU16(deal + 16 + 2 * k);
            if (exchange != 0 && !IsPlayerNumber(exchange)) sound = false;
        }
        if (!sound) std::memset(deal, 0, kPendingDealSize);
    }
    AgreedExchange_Unpack(PermAgreedExchanges);
}

void KeepStrengthRanking() {
    uint8_t* out = PermStrengthRanking;
    for (const ClubStrengthEntry& entry : ClubStrengthRanking) {
        StoreU16(out, entry.club);
        StoreU32(out + 2, entry.strength);
        out += kRankedClubBytes;
    }
    for (uint16_t count : ClubCountOfNation) {
        StoreU16(out, count);
        out += 2;
    }
}

// The ranking is rebuilt only weekly, so a game rebuilding it at the load
// would judge its clubs by another ranking until Monday than the game it
// was saved from, and play on differently. The saved ranking is taken over
// when it ranks every club once; a perm file without it (an older save)
// leaves it to be rebuilt.
bool TakeOverStrengthRanking() {
    std::vector<bool> ranked(kClubCount, false);
    for (int place = 0; place < kClubCount; ++place) {
        const uint16_t club = LoadU16(PermStrengthRanking + place * kRankedClubBytes);
        if (!IsClubNumber(club) || ranked[club]) return false;
        ranked[club] = true;
    }
    const uint8_t* in = PermStrengthRanking;
    for (ClubStrengthEntry& entry : ClubStrengthRanking) {
        // Field by field: the entries' padding stays as the table holds it.
        entry.club = LoadU16(in);
        entry.strength = LoadU32(in + 2);
        in += kRankedClubBytes;
    }
    for (uint16_t& count : ClubCountOfNation) {
        count = std::min<uint16_t>(LoadU16(in), kClubCount);
        in += 2;
    }
    return true;
}

// The clubs' counts of young players placed are counted at a season's
// start and raised by every young player made in a retired player's slot
// until the next; the slots of the season's last retirements go by them.
// A load that left the counts of whatever game ran before it would place
// those young players elsewhere than the game it was saved from.  A perm
// file without them (an older save) has them counted afresh from the
// loaded players, and so has one holding a count below 0, which no game
// reaches and which would let the club take young players far past its
// cap.  A count above today's cap is kept: a club's cap falls with its
// reputation after the count has reached it, and the club then takes
// none, as in the game that was saved.
void KeepNewPlayerCounts() {
    for (int club = 0; club < kClubCount; ++club) PermNewPlayerCounts[club] = uint8_t(NewPlayerCount[club]);
    PermNewPlayerCounts[kKeptNewPlayerCountsByte] = 1;
}

void TakeOverNewPlayerCounts() {
    const auto negative = [](uint8_t kept) { return int8_t(kept) < 0; };
    if (PermNewPlayerCounts[kKeptNewPlayerCountsByte] != 1 ||
        std::any_of(PermNewPlayerCounts, PermNewPlayerCounts + kClubCount, negative)) {
        CountNewPlayers();
        return;
    }
    for (int club = 0; club < kClubCount; ++club) NewPlayerCount[club] = int8_t(PermNewPlayerCounts[club]);
}

// The referee the match-day screens appointed to the user's next match is
// kept in the first word of their saved table, plus one, so that the zeros
// of a table that never held one read as none.  Without it a loaded game
// would play the user's match under whatever referee the program last
// appointed, for another fixture or another game.
constexpr int kKeptRefereeWord = 0;

void KeepCurrentReferee() {
    const bool appointed = CurrentReferee >= 0 && CurrentReferee <= kMadeUpReferee;
    StoreU16(MatchDayScreenTable + kKeptRefereeWord, uint16_t(appointed ? CurrentReferee + 1 : 0));
}

void RestoreCurrentReferee() {
    const int kept = int(LoadU16(MatchDayScreenTable + kKeptRefereeWord)) - 1;
    CurrentReferee = kept >= 0 && kept <= kMadeUpReferee ? int16_t(kept) : int16_t(-1);
}

// The saved-goal count goes with the saved game, in the second word of the
// same table.  A load deletes the goal files of the game that was running,
// so the count starts again from 0: a count left standing would have the
// next day end in a reel of files that are gone, or number new ones after
// them.
constexpr int kKeptGoalCountWord = 2;

void KeepSavedGoalCount() { StoreU16(MatchDayScreenTable + kKeptGoalCountWord, SavedGoalCount); }

void RebuildAfterLoad() {
    RestoreCurrentReferee();
    SettlePlayedLeagueFlagsAfterLoad();
    ResetClubSeasonRecords();
    RecountClubSeasonRecordsFromFixtures();
    SortLeagueTables();
    UpdateClubSquads();
    TakeOverPermTables();
    DeleteGoalReplayFiles();
    SavedGoalCount = 0;
    if (!TakeOverStrengthRanking()) RankClubsByStrength();
    TakeOverNewPlayerCounts();
    // No squad pass over the computer clubs here: it would reshuffle every
    // squad that the saved game holds, so that the loaded game would play on
    // with other teams than the game it was saved from.  What the pass
    // leaves beside the saved records, the available counts, is counted
    // afresh where it is read.
    SelectedClub = uint16_t(HVW_GetMyClub());
    ClubScreenWord = 1;
    SackedClubControl = 0;
    ForgetJobOffer();
    // An application whose answer day had passed in a game saved before
    // passed days dropped it would come up on that day of a later season.
    DropPassedJobApplication(SeasonCalendar.currentDay - 1);
    MergePlayerHistoryEntries();
    ResolveFixtureClashes();
    // The recent match marks are not saved: they come from the line-ups.
    MatchRatings_RebuildRecent();
}

void AddResult(ClubSeasonRecord& home, ClubSeasonRecord& away, int home_goals, int away_goals) {
    ++home.words[kSeasonPlayed];
    ++away.words[kSeasonPlayed];
    if (home_goals > away_goals) {
        ++home.words[kSeasonHomeWon];
        home.words[kSeasonPoints] = int16_t(home.words[kSeasonPoints] + 3);
        ++away.words[kSeasonAwayLost];
    } else if (home_goals == away_goals) {
        ++home.words[kSeasonHomeDrawn];
        ++away.words[kSeasonAwayDrawn];
        ++home.words[kSeasonPoints];
        ++away.words[kSeasonPoints];
    } else {
        ++home.words[kSeasonHomeLost];
        ++away.words[kSeasonAwayWon];
        away.words[kSeasonPoints] = int16_t(away.words[kSeasonPoints] + 3);
    }
    home.words[kSeasonHomeFor] = int16_t(home.words[kSeasonHomeFor] + home_goals);
    home.words[kSeasonHomeAgainst] = int16_t(home.words[kSeasonHomeAgainst] + away_goals);
    away.words[kSeasonAwayFor] = int16_t(away.words[kSeasonAwayFor] + away_goals);
    away.words[kSeasonAwayAgainst] = int16_t(away.words[kSeasonAwayAgainst] + home_goals);
}

}  // namespace

// ---- Block files -----------------------------------------------------------------

void BlockFileCheck::Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        Step(word);
    }
    for (; at < size; ++at) Step(bytes[at]);
    used_ = true;
}

uint32_t BlockFileCheck::Word() const {
    if (!used_) return 0;
    const uint64_t mixed = sum_ ^ (sumOfSums_ * 0x9E3779B97F4A7C15ull);
    const uint32_t word = uint32_t(mixed ^ (mixed >> 32));
    return word != 0 ? word : 1u;
}

int WriteDataBlocks(const DataBlockDescriptor* list, std::FILE* file, const char* magic) {
    const int count = CountDataBlocks(list);
    const uint64_t payload = SumDataBlockSizes(list) + 4u * uint64_t(count);
    uint8_t header[kBlockFileHeaderSize] = {};
    std::memcpy(header, kBlockFileTag, 4);
    std::memcpy(header + 4, magic, 4);
    StoreU32(header + 8, uint32_t(payload));
    StoreU16(header + 12, uint16_t(count));
    BlockFileCheck check;
    if (!WriteAll(file, header, sizeof header)) return kBlockWriteHeader;
    for (int i = 0; i < count; ++i) {
        uint8_t size[4];
        StoreU32(size, list[i].size);
        if (!WriteAll(file, size, 4)) return kBlockWriteSize;
        if (!WriteAll(file, list[i].address, list[i].size)) return kBlockWriteBytes;
        check.Add(size, 4);
        check.Add(list[i].address, list[i].size);
        CorePoll();
    }
    uint8_t trailer[kBlockFileTrailerSize] = {};
    std::memcpy(trailer, kTrailerTag, 4);
    StoreU32(trailer + 4, check.Word());
    if (!WriteAll(file, trailer, sizeof trailer)) return kBlockWriteTrailer;
    return kBlockWriteOk;
}

int ReadDataBlocks(const DataBlockDescriptor* list, std::FILE* file, const char* magic) {
    uint8_t header[kBlockFileHeaderSize];
    if (!ReadAll(file, header, sizeof header)) return kBlockReadHeader;
    if (std::memcmp(header, kBlockFileTag, 4) != 0) return kBlockReadNotBlockFile;
    if (std::memcmp(header + 4, magic, 4) != 0) return kBlockReadWrongMagic;
    const int list_count = CountDataBlocks(list);
    const int file_count = LoadU16(header + 12);
    if (file_count > list_count) return kBlockReadTooManyBlocks;
    uint64_t sum = 0;
    for (int i = 0; i < file_count; ++i) sum += list[i].size;
    if (4u * uint64_t(file_count) + sum != LoadU32(header + 8)) return kBlockReadPayload;

    BlockFileCheck check;
    for (int i = 0; i < file_count; ++i) {
        uint8_t size[4];
        if (!ReadAll(file, size, 4)) return kBlockReadSize;
        if (LoadU32(size) != list[i].size) return kBlockReadSizeMismatch;
        if (!ReadAll(file, list[i].address, list[i].size)) return kBlockReadBytes;
        check.Add(size, 4);
        check.Add(list[i].address, list[i].size);
        CorePoll();
    }
    uint8_t trailer[kBlockFileTrailerSize];
    if (!ReadAll(file, trailer, sizeof trailer)) return kBlockReadTrailer;
    if (std::memcmp(trailer, kTrailerTag, 4) != 0) return kBlockReadBadTrailer;
    const uint32_t stored = LoadU32(trailer + 4);
    if (stored != 0 && stored != check.Word()) return kBlockReadBadCheck;
    return list_count - file_count;
}

// ---- Saved games -------------------------------------------------------------------

int SaveGame(int16_t slot) {
    MakeDirectory(kSaveDirectory);
    KeepCurrentReferee();
    KeepSavedGoalCount();
    SettleHistoryLists();
    int result = WriteBlockFileSafely(SaveFileName(slot, false, "save"), SaveGameDescriptors, kSaveMagic);
    if (result != kSaveOk) return result;
    return SavePermFile(slot) == kSaveOk ? kSaveOk : kSavePermFailed;
}

int SavePermFile(int16_t slot) {
    MakeDirectory(kSaveDirectory);
    for (int i = 0; i < kPendingDeals; ++i)
        std::memcpy(PermPendingDeals + i * kPendingDealSize, PendingDealTable[i].bytes, kPendingDealSize);
    AgreedExchange_Pack(PermAgreedExchanges);
    KeepStrengthRanking();
    KeepNewPlayerCounts();
    return WriteBlockFileSafely(SaveFileName(slot, false, "perm"), kPermFileBlocks, kPermMagic);
}

int LoadPermFile(int16_t slot) { return LoadPermFileFrom(slot, slot == kPrefixedSaveSlot); }

int LoadGame(int16_t slot) {
    const bool prefixed = slot == kPrefixedSaveSlot;
    Staging staging;
    AllocateMemory(&staging.bytes, uint32_t(kSaveGameDataBytes), MEM_TYPE_MANUAL_FREE);
    BuildStagingList(staging);
    int result = ReadSaveIntoStaging(slot, prefixed, staging);
    if (result == kSaveOk) CommitStaging(staging);
    FreeMemory(&staging.bytes);
    if (result != kSaveOk) {
        DebugLog(DEBUG_FILE, 10, "Warning: LoadGame(): slot %d not loaded (%d)\n", slot, result);
        return result;
    }
    RebuildAfterLoad();
    return kSaveOk;
}

void DeleteSaveSlot(int16_t slot) {
    std::remove(HostPath(SaveFileName(slot, false, "save")).c_str());
    std::remove(HostPath(SaveFileName(slot, false, "perm")).c_str());
}

void RecountClubSeasonRecordsFromFixtures() {
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (int(GetMatchDay(int16_t(slot))) >= today) continue;
        const int type = GetMatchCompetition(int16_t(slot));
        ClubSeasonRecord* table = type == 0     ? LeagueSeasonRecords
                                  : type == 120 ? ReserveSeasonRecords
                                                : nullptr;
        // A fixture never played (31 goals a side) holds no result.
        if (table == nullptr || !IsFixturePlayed(slot)) continue;
        const uint16_t home = GetMatchClubA(int16_t(slot));
        const uint16_t away = GetMatchClubB(int16_t(slot));
        // A damaged fixture must not count into another club's record.
        if (!IsClubNumber(home) || !IsClubNumber(away)) continue;
        AddResult(table[home], table[away], GetMatchHomeGoals(int16_t(slot)), GetMatchField8b(int16_t(slot)));
    }
}

// ---- Edited data and the SaveTeam file --------------------------------------------

int LoadEditedTeam(int16_t club) {
    return LoadEditFile(Format("%s%d.tmf", kEditDirectory, club), kTeamEditBlocks, kTeamMagic);
}
int LoadEditedCup(int16_t country) {
    return LoadEditFile(Format("%s%d.cpf", kEditDirectory, country), kCupEditBlocks, kCupMagic);
}
int LoadEditedDivision(int16_t country) {
    return LoadEditFile(Format("%s%d.dvf", kEditDirectory, country), kDivisionEditBlocks, kDivisionMagic);
}
int SaveEditedTeam(int16_t club) {
    return SaveEditFile(Format("%s%d.tmf", kEditDirectory, club), kTeamEditBlocks, kTeamMagic);
}
int SaveEditedCup(int16_t country) {
    return SaveEditFile(Format("%s%d.cpf", kEditDirectory, country), kCupEditBlocks, kCupMagic);
}
int SaveEditedDivision(int16_t country) {
    return SaveEditFile(Format("%s%d.dvf", kEditDirectory, country), kDivisionEditBlocks, kDivisionMagic);
}

int SaveTeam() {
    AutoSelectTeamForSave();
    MakeDirectory(kSaveDirectory);
    char name[64];
    std::snprintf(name, sizeof name, "%s\\SaveTeam", kSaveDirectory);
    return WriteBlockFileSafely(name, kSaveTeamBlocks, kTeamMagic);
}

// ---- Goal-replay files -------------------------------------------------------------

int RemoveAllFiles(const char* directory) {
    std::memset(&GoalReplayFiles, 0, sizeof GoalReplayFiles);
    if (directory == nullptr || directory[0] == '\0') {
        AbortError("disk", 923, "RemoveAllFiles(): bad directory passed in");
    }
    std::string host = HostPath(directory);
    DIR* listing = opendir(host.c_str());
    if (listing == nullptr) {
        MakeDirectory(directory);
        return kNoGoalFolder;
    }
    std::vector<std::string> found;
    while (const dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // A backslash would read as a folder separator in the game's paths.
        if (name.find('\\') != std::string::npos) continue;
        for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
        if (name.find(kGoalExtension) == std::string::npos) {
            std::printf("not %s\n", kGoalExtension);
            continue;
        }
        // A name the 30-byte entry cannot hold is left off the list (and so
        // is never deleted by a name cut short).
        if (name.size() >= size_t(kGoalFileNameSize)) continue;
        found.push_back(name);
    }
    closedir(listing);
    // The listing's own order is not stable across file systems.
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) {
        if (GoalReplayFiles.count >= kGoalFileEntries) break;
        std::printf("Found %s\n", name.c_str());
        const int i = GoalReplayFiles.count++;
        std::memcpy(GoalReplayFiles.names[i], name.c_str(), name.size() + 1);
        size_t shown = name.size() > 4 ? name.size() - 4 : name.size();
        std::memcpy(GoalReplayFiles.shown[i], name.c_str(), shown);
        GoalReplayFiles.shown[i][shown] = '\0';
    }
    return GoalReplayFiles.count;
}

void DeleteGoalReplayFiles() {
    RemoveAllFiles(kGoalDirectory);
    // Only the names just listed: an empty entry would name the folder.
    for (int i = 0; i < GoalReplayFiles.count; ++i) {
        const char* name = GoalReplayFiles.names[i];
        if (name[0] == '\0') continue;
        std::string path = HostPath(std::string(kGoalDirectory) + name);
        unlink(path.c_str());  // files only, never a folder
    }
    RemoveAllFiles(kGoalDirectory);
}
