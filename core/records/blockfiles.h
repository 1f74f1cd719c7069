// Block files: the chunked format of every data file the game writes
// itself (saved games, the perm file beside each save, the edited team, cup
// and division files and the SaveTeam file), saving and loading a game over
// the saved-game block list, the edited-data files and the list of
// goal-replay files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/records/savetable.h"

// ---- Block files -------------------------------------------------------------

constexpr uint32_t kBlockFileHeaderSize = 16;
constexpr uint32_t kBlockFileTrailerSize = 8;

// WriteDataBlocks results.
enum BlockWriteResult : int {
    kBlockWriteOk = 0,
    kBlockWriteHeader = -1,
    kBlockWriteSize = -2,
    kBlockWriteBytes = -3,
    kBlockWriteTrailer = -4,
};

// ReadDataBlocks results (a result of 0 or more is the number of list
// blocks the file did not supply).
enum BlockReadResult : int {
    kBlockReadHeader = -1,
    kBlockReadSize = -2,
    kBlockReadBytes = -3,
    kBlockReadTrailer = -4,
    kBlockReadNotBlockFile = -10,
    kBlockReadTooManyBlocks = -11,
    kBlockReadPayload = -12,
    kBlockReadSizeMismatch = -13,
    kBlockReadBadTrailer = -14,
    kBlockReadBadCheck = -15,  // the blocks do not add up to the trailer's check word
    kBlockReadWrongMagic = -20,
};

// The check word in the trailer's last four bytes: a running sum over the
// size words and block bytes, each added as it stands in the file, so that
// a file damaged inside a block is refused like one damaged in its frame.
// 0 means "not checked": a file without blocks, or one written before the
// word was kept, whose trailer holds four zero bytes.
class BlockFileCheck {
  public:
    void Add(const void* data, size_t size);
    uint32_t Word() const;

  private:
    void Step(uint64_t value) {
        sum_ += value;
        sumOfSums_ += sum_;
    }
    uint64_t sum_ = 0;
    uint64_t sumOfSums_ = 0;
    bool used_ = false;
};

// Writes the header, every block of the list and the trailer, whose last
// four bytes hold a check word over the blocks (0 for a list without
// blocks); Poll runs after each block.  magic is four characters.
int WriteDataBlocks(const DataBlockDescriptor* list, std::FILE* file, const char* magic);
// Reads and checks a block file into the memory the list names; Poll runs
// after each block.  A file may hold a prefix of the list.  A check word of
// 0 (a file written before the word was kept) is not checked.
int ReadDataBlocks(const DataBlockDescriptor* list, std::FILE* file, const char* magic);

// ---- Saved games ---------------------------------------------------------------

// The slot whose files are read from under the data path prefix.
constexpr int16_t kPrefixedSaveSlot = 100;

// Results of SaveGame, LoadGame and the perm file; every other block file
// the game writes reports its open, write and close failures with the
// first four.
enum SaveGameResult : int {
    kSaveOk = 0,
    kSaveOpenFailed = -1,
    kSaveWriteFailed = -2,
    kSaveCloseFailed = -3,  // or the finished file could not take its place
    kSavePermFailed = -4,
    kSaveReadFailed = -2,  // loading: a read came up short (the write failure's code)
    kSaveBadFormat = -20,  // loading: not a saved game, or a damaged one
};

// Writes "SaveData\\save%d" and then its perm file.  The new file is
// written beside the old one and takes its place only once complete, so a
// failed save leaves the previous save of the slot as it was.
int SaveGame(int16_t slot);
// Reads "SaveData\\save%d" and its perm file and rebuilds the derived
// state.  The file is checked whole before the running game is touched:
// on any error the game is left exactly as it was.
int LoadGame(int16_t slot);
void DeleteSaveSlot(int16_t slot);
int SavePermFile(int16_t slot);
int LoadPermFile(int16_t slot);

// The recount of both club season-record tables from the fixtures played
// before today, as a load rebuilds them.
void RecountClubSeasonRecordsFromFixtures();

// ---- Edited data and the SaveTeam file ---------------------------------------

constexpr int kCupEditRecordSize = 476;
constexpr int kDivisionEditRecordSize = 340;
constexpr int kEditNameSize = 34;
constexpr int kTeamInfoSize = 6087;

// The editors' buffers: a country's cup names and division names, 34 bytes
// each.  The team edit record is the club-name record one past the clubs.
extern char CupEditRecord[kCupEditRecordSize];
extern char DivisionEditRecord[kDivisionEditRecordSize];
// The user's match team as the SaveTeam file holds it.
extern uint8_t SavedTeamInfo[kTeamInfoSize];

// Results of the edited-data loaders and savers.
enum EditFileResult : int {
    kEditOk = kSaveOk,
    kEditOpenFailed = kSaveOpenFailed,
    kEditReadWriteFailed = kSaveWriteFailed,
    kEditCloseFailed = kSaveCloseFailed,
};

int LoadEditedTeam(int16_t club);
int LoadEditedCup(int16_t country);
int LoadEditedDivision(int16_t country);
int SaveEditedTeam(int16_t club);
int SaveEditedCup(int16_t country);
int SaveEditedDivision(int16_t country);
int SaveTeam();

// ---- Goal-replay files -----------------------------------------------------------

constexpr int kGoalFileEntries = 200;
constexpr int kGoalFileNameSize = 30;

struct GoalReplayFileList {
    char names[kGoalFileEntries][kGoalFileNameSize];
    char shown[kGoalFileEntries][kGoalFileNameSize];  // the names less their extension
    uint16_t marks[kGoalFileEntries];
    int16_t count;
};
extern GoalReplayFileList GoalReplayFiles;

// Lists the ".dhf" files of a directory; the number listed, or
// kNoGoalFolder when the directory cannot be opened (it is then created).
constexpr int kNoGoalFolder = -1;
int RemoveAllFiles(const char* directory);
// Deletes every listed goal-replay file of "SaveData\\GOALS\\".
void DeleteGoalReplayFiles();
