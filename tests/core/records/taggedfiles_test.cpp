// Tagged data files: tables, callbacks, plain and compressed bodies.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/compress.h"
#include "core/base/trackedmemory.h"
#include "core/records/taggedfiles.h"
#include "tests/fakes/byte_writer.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A replay-like table: a fixed header item, a body sized by the header's
// frame count through a callback, and an 8-character item answered by a
// callback alone.
struct ReplayHeader {
    uint32_t frames;
    uint32_t words[3];
};
ReplayHeader g_header;
uint8_t g_body[484 * 8];
uint8_t g_entry[40];
int g_after_reads;

int BodyCallback(NewDiskMessage* m) {
    if (m->type == kNewDiskSize) {
        m->size = g_header.frames * 484;
        return 1;
    }
    return 0;
}
int EntryCallback(NewDiskMessage* m) {
    switch (m->type) {
        case kNewDiskAddress:
            m->address = g_entry;
            return 1;
        case kNewDiskSize:
            m->size = sizeof g_entry;
            return 1;
        case kNewDiskAfterRead:
            ++g_after_reads;
            return 1;
        default:
            return 0;
    }
}

const NewDiskItem kReplayTable[] = {
    {"RepHdr", &g_header, sizeof g_header, 0, 0, 0, nullptr},
    {"RepBody", g_body, 0, 0, 0, 0, BodyCallback},
    {{'E', 'n', 't', 'r', 'I', 'n', 'f', 'o'}, nullptr, 0, 0, 0, 0, EntryCallback},
    {},
};

void FillReplay() {
    g_header = {3, {7, 8, 9}};
    for (size_t i = 0; i < sizeof g_body; ++i) g_body[i] = uint8_t(i * 13);
    for (size_t i = 0; i < sizeof g_entry; ++i) g_entry[i] = uint8_t(200 - i);
}
void ClearReplay() {
    std::memset(&g_header, 0, sizeof g_header);
    std::memset(g_body, 0, sizeof g_body);
    std::memset(g_entry, 0, sizeof g_entry);
}

class NewDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(8192);
        path_ = fs::temp_directory_path() / ("halvorn_newdisk_" + std::to_string(getpid()));
        name_ = path_.string();
        g_after_reads = 0;
    }
    void TearDown() override {
        fs::remove(path_);
        // Every stream and block has been released.
        EXPECT_EQ(MemAllocatedCount(), 0u);
        UninitMemory();
    }
    fs::path path_;
    std::string name_;
};

TEST_F(NewDiskTest, PlainAndCompressedFilesLoadTheSameItems) {
    FillReplay();
    const uint8_t body_first = g_body[100];
    for (uint32_t flags : {0u, NewDiskMethodFlags(COMPRESS_PREDICTOR), NewDiskMethodFlags(COMPRESS_LZ77),
                           NewDiskMethodFlags(COMPRESS_RUNS)}) {
        FillReplay();
        ASSERT_EQ(NewDisk_Save(name_.c_str(), kReplayTable, flags), 0) << flags;
        const Bytes file = testenv::ReadHostFile(path_);
        ASSERT_EQ(std::memcmp(file.data(), "NEWDATA1", 8), 0);
        ClearReplay();
        ASSERT_EQ(NewDisk_Load(name_.c_str(), kReplayTable, 0), 0) << flags;
        EXPECT_EQ(g_header.frames, 3u);
        EXPECT_EQ(g_header.words[2], 9u);
        EXPECT_EQ(g_body[100], body_first);
        EXPECT_EQ(g_body[3 * 484 - 1], uint8_t((3 * 484 - 1) * 13));
        EXPECT_EQ(g_body[3 * 484], 0);  // only the frames the header names
        EXPECT_EQ(g_entry[39], 161);
    }
    EXPECT_EQ(g_after_reads, 4);
}

TEST_F(NewDiskTest, PlainLayoutStoresEightCharacterNamesWhole) {
    FillReplay();
    ASSERT_EQ(NewDisk_Save(name_.c_str(), kReplayTable, 0), 0);
    const Bytes file = testenv::ReadHostFile(path_);
    EXPECT_EQ(testbytes::GetU32(file, 8), 32u);
    EXPECT_EQ(std::memcmp(file.data() + 32, "RepHdr\0\0", 8), 0);
    const size_t entry = 32 + 12 + sizeof g_header + 12 + 3 * 484;
    EXPECT_EQ(std::memcmp(file.data() + entry, "EntrInfo", 8), 0);
    EXPECT_EQ(std::memcmp(file.data() + file.size() - 12, "*ENDEND*\0\0\0\0", 12), 0);
}

TEST_F(NewDiskTest, UnknownItemsAreSkippedAndMissingOnesZeroedWhenOptional) {
    static uint32_t a = 0x11111111, b = 0x22222222, c = 0x33333333;
    const NewDiskItem writer[] = {{"A", &a, 4, 0, 0, 0, nullptr}, {"Extra", &b, 4, 0, 0, 0, nullptr}, {}};
    ASSERT_EQ(NewDisk_Save(name_.c_str(), writer, 0), 0);
    a = b = 0;
    const NewDiskItem optional[] = {
        {"A", &a, 4, 0, 0, 0, nullptr}, {"C", &c, 4, 0, kNewDiskOptional, 0, nullptr}, {}};
    EXPECT_EQ(NewDisk_Load(name_.c_str(), optional, 0), 0);
    EXPECT_EQ(a, 0x11111111u);
    EXPECT_EQ(b, 0u);
    EXPECT_EQ(c, 0u);
    // Without the flag the load fails, after the items present were read.
    a = 0;
    c = 5;
    const NewDiskItem required[] = {{"A", &a, 4, 0, 0, 0, nullptr}, {"C", &c, 4, 0, 0, 0, nullptr}, {}};
    EXPECT_EQ(NewDisk_Load(name_.c_str(), required, 0), -1);
    EXPECT_EQ(a, 0x11111111u);
    EXPECT_EQ(c, 5u);
}

TEST_F(NewDiskTest, TablesAndFilesThatAreRefused) {
    static uint32_t a = 1;
    const NewDiskItem twice[] = {{"A", &a, 4, 0, 0, 0, nullptr}, {"A", &a, 4, 0, 0, 0, nullptr}, {}};
    EXPECT_EQ(NewDisk_Save(name_.c_str(), twice, 0), kNewDiskDuplicateNames);
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_EQ(NewDisk_Load(name_.c_str(), twice, 0), kNewDiskDuplicateNames);
    const NewDiskItem one[] = {{"A", &a, 4, 0, 0, 0, nullptr}, {}};
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskFileFailed);
    EXPECT_EQ(NewDisk_Load(fs::temp_directory_path().c_str(), one, 0), kNewDiskFileFailed);  // a folder

    ASSERT_EQ(NewDisk_Save(name_.c_str(), one, NewDiskMethodFlags(COMPRESS_HUFFMAN)), 0);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, kNewDiskPlainOnly), kNewDiskRefusedOrHeaderWrite);
    ASSERT_EQ(NewDisk_Save(name_.c_str(), one, 0), 0);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, kNewDiskPlainOnly), 0);

    const Bytes good = testenv::ReadHostFile(path_);
    Bytes bad = good;
    bad[3] = 'X';
    testenv::WriteHostFile(path_, bad);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskBadMagic);
    bad = good;
    testbytes::PutU32(bad, 8, 0);
    testenv::WriteHostFile(path_, bad);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskNoBody);
    testenv::WriteHostFile(path_, Bytes(good.begin(), good.begin() + 20));
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskHeaderFailed);
    // A file that stops before its end marker.
    testenv::WriteHostFile(path_, Bytes(good.begin(), good.end() - 12));
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskItemHeaderFailed);
    testenv::WriteHostFile(path_, Bytes(good.begin(), good.begin() + 32 + 12 + 2));
    EXPECT_EQ(NewDisk_Load(name_.c_str(), one, 0), kNewDiskItemBytesRead);
}

TEST_F(NewDiskTest, AnItemOfAnotherSizeIsRefusedNotCopied) {
    static uint8_t big[64], small[8];
    std::memset(big, 0x5A, sizeof big);
    const NewDiskItem writer[] = {{"Blob", big, sizeof big, 0, 0, 0, nullptr}, {}};
    ASSERT_EQ(NewDisk_Save(name_.c_str(), writer, 0), 0);
    std::memset(small, 0, sizeof small);
    const NewDiskItem reader[] = {{"Blob", small, sizeof small, 0, 0, 0, nullptr}, {}};
    EXPECT_EQ(NewDisk_Load(name_.c_str(), reader, 0), kNewDiskItemSizeMismatch);
    EXPECT_EQ(small[0], 0);
    // A replay header that claims more frames than its body holds.
    FillReplay();
    ASSERT_EQ(NewDisk_Save(name_.c_str(), kReplayTable, 0), 0);
    Bytes file = testenv::ReadHostFile(path_);
    testbytes::PutU32(file, 32 + 12, 8);
    testenv::WriteHostFile(path_, file);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), kReplayTable, 0), kNewDiskItemSizeMismatch);
}

// Each fault of the compressed block is refused by the check for it alone,
// with a result code: had it reached the decoder, which ends the program on
// any of them, the load would not have come back.
TEST_F(NewDiskTest, ACompressedBlockThatDisagreesWithTheHeaderIsRefused) {
    FillReplay();
    ASSERT_EQ(NewDisk_Save(name_.c_str(), kReplayTable, NewDiskMethodFlags(COMPRESS_ZERO_RUNS)), 0);
    const Bytes good = testenv::ReadHostFile(path_);
    const uint32_t unpacked = testbytes::GetU32(good, 20);
    // The file header's lengths (stored at 16, unpacked at 20) and the
    // block's own header at 32: "CMP0", method, packed and unpacked lengths.
    auto with = [&good](size_t at, uint32_t value) {
        Bytes b = good;
        testbytes::PutU32(b, at, value);
        return b;
    };
    Bytes noMark = good;
    noMark[32 + 3] = 'X';
    Bytes badMethod = good;
    badMethod[32 + 4] = COMPRESS_METHOD_COUNT;
    // A block header claiming more than a stream may hold, whose file
    // header agrees with it.
    Bytes huge = with(20, kNewDiskMaxStream + 1);
    testbytes::PutU32(huge, 32 + 12, kNewDiskMaxStream + 1);
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"the file ends inside the block", Bytes(good.begin(), good.end() - 1)},
        {"no CMP0 mark", noMark},
        {"an unknown method", badMethod},
        {"a packed length the stored length disagrees with",
         with(32 + 8, testbytes::GetU32(good, 32 + 8) - 1)},
        {"an unpacked length short of the block's", with(20, unpacked - 1)},
        {"an unpacked length longer than a stream may be", huge},
    };
    for (const Case& c : cases) {
        testenv::WriteHostFile(path_, c.file);
        EXPECT_EQ(NewDisk_Load(name_.c_str(), kReplayTable, 0), kNewDiskItemHeaderFailed) << c.what;
    }
}

// An unknown item's size is skipped forwards only: a size past 2 GB would
// otherwise step back, here onto an end marker held in an earlier item.
TEST_F(NewDiskTest, AnUnknownItemSizedPastTwoGigabytesIsRefusedNotSkippedBackwards) {
    static uint8_t marker[12];
    std::memcpy(marker, "*ENDEND*\0\0\0\0", 12);
    const NewDiskItem table[] = {{"A", marker, sizeof marker, 0, 0, 0, nullptr}, {}};
    ASSERT_EQ(NewDisk_Save(name_.c_str(), table, 0), 0);
    Bytes file = testenv::ReadHostFile(path_);
    // An unknown item before the end marker, whose size is minus the 24
    // bytes back to A's data.
    const Bytes unknown = testbytes::ByteWriter().Text("Unknown").U8(0).U32(0xFFFFFFE8u).Take();
    file.insert(file.end() - 12, unknown.begin(), unknown.end());
    testenv::WriteHostFile(path_, file);
    EXPECT_EQ(NewDisk_Load(name_.c_str(), table, 0), kNewDiskSkipOrBytesWrite);
}

int g_stop_type;
int StopCallback(NewDiskMessage* m) { return m->type == g_stop_type ? -77 : 0; }

TEST_F(NewDiskTest, ANegativeCallbackAnswerStopsTheOperation) {
    static uint32_t a = 9;
    const NewDiskItem table[] = {{"A", &a, 4, 0, 0, 0, StopCallback}, {}};
    g_stop_type = kNewDiskBeforeWrite;
    EXPECT_EQ(NewDisk_Save(name_.c_str(), table, 0), -77);
    EXPECT_FALSE(fs::exists(path_));
    g_stop_type = 0;
    ASSERT_EQ(NewDisk_Save(name_.c_str(), table, 0), 0);
    g_stop_type = kNewDiskAfterRead;
    EXPECT_EQ(NewDisk_Load(name_.c_str(), table, 0), -77);
}

TEST_F(NewDiskTest, TableUtilitiesAndDefaults) {
    EXPECT_EQ(NewDisk_CountItems(nullptr), 0);
    EXPECT_EQ(NewDisk_CountItems(kReplayTable), 3);
    EXPECT_EQ(NewDisk_FindItem(kReplayTable, -1, "EntrInfo"), 2);
    EXPECT_EQ(NewDisk_FindItem(kReplayTable, -1, "RepBody"), 1);
    EXPECT_EQ(NewDisk_FindItem(kReplayTable, 1, "RepBody"), -1);
    EXPECT_STREQ(NewDisk_ItemName(&kReplayTable[2]), "EntrInfo");
    EXPECT_EQ(NewDisk_CheckNames(kReplayTable, 3), 0);

    NewDiskMessage m{};
    m.type = kNewDiskAddress;
    EXPECT_EQ(NewDisk_DoCallbacks(nullptr, &m), kNewDiskNoDescriptor);
    m.descriptor = &kReplayTable[2];
    EXPECT_EQ(NewDisk_DoCallbacks(nullptr, &m), kNewDiskNoValue);
    m.type = kNewDiskSize;
    EXPECT_EQ(NewDisk_DoCallbacks(nullptr, &m), kNewDiskNoValue);
    m.descriptor = &kReplayTable[0];
    EXPECT_EQ(NewDisk_DoCallbacks(nullptr, &m), kNewDiskAnswered);
    EXPECT_EQ(m.size, sizeof(ReplayHeader));
    m.type = kNewDiskAbsent;
    EXPECT_EQ(NewDisk_DoCallbacks(nullptr, &m), -1);
}

TEST_F(NewDiskTest, MemoryStreamsGrowAndStayInsideTheirBytes) {
    NewDiskStream* s = NewDisk_StreamCreateMemory();
    ASSERT_NE(s, nullptr);
    std::vector<uint8_t> data(10000, 7);
    EXPECT_EQ(NewDisk_StreamWrite(s, data.data(), 10000), 0);
    EXPECT_GE(s->capacity, 10000u);
    EXPECT_EQ(NewDisk_StreamSeek(s, 0, 0), 0);
    uint8_t out[16];
    EXPECT_EQ(NewDisk_StreamRead(s, out, 16), 0);
    EXPECT_EQ(NewDisk_StreamSeek(s, 10001, 0), -1);
    EXPECT_EQ(NewDisk_StreamSeek(s, -1, 0), -1);
    EXPECT_EQ(s->position, 16u);
    EXPECT_EQ(NewDisk_StreamSeek(s, -1, 2), 0);
    EXPECT_EQ(NewDisk_StreamRead(s, out, 2), -1);
    EXPECT_EQ(NewDisk_StreamSeek(s, 0, 3), -1);
    void* owner = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(NewDisk_StreamGetBuffer(s, &owner, &length), 0);
    EXPECT_EQ(length, 10000u);
    EXPECT_EQ(NewDisk_StreamClose(s), 0);
}

int NullAddress(NewDiskMessage* m) {
    if (m->type == kNewDiskAddress) return 1;  // answers without an address
    return 0;
}

TEST(NewDiskDeathTest, NullAddressesAndUnknownQuestionsEndTheProgram) {
    static uint32_t a;
    const NewDiskItem table[] = {{"A", &a, 4, 0, 0, 0, NullAddress}, {}};
    EXPECT_FATAL(
        {
            InitMemory(1024);
            NewDisk_Save("/tmp/halvorn_newdisk_null", table, 0);
        },
        "NewDisk_WriteOneItem\\(\\): NULL address returned for item 'A'");
    fs::remove("/tmp/halvorn_newdisk_null");
    NewDiskMessage m{};
    m.type = 9;
    EXPECT_FATAL(NewDisk_DoCallbacks(nullptr, &m), "Default callback didn't handle a case \\(9\\)");
}

}  // namespace
