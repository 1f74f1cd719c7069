#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/kitpalette.h"
#include "tests/fakes/pak_fixture.h"
#include "tools/datakit/packer.h"
#include "tools/datakit/shirtdesigns.h"
#include "tools/datakit/stage.h"

namespace {

// Fatal stops print on standard output; the death tests read standard error.
void StdoutToStderr() { dup2(STDERR_FILENO, STDOUT_FILENO); }

void ClearTally() { std::memset(ShirtDesignTally, 0, sizeof ShirtDesignTally); }

KitDesignRow Row(uint16_t design, uint16_t c0, uint16_t c1, uint16_t c2) {
    return {{design, c0, c1, c2, 0, 0, c0, c0, c0, 0, c0, c0, c0, 0}};
}

class KitClashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearTally();
        // Design 3: three zones of uneven size; design 4: one colour only.
        ShirtDesignTally[3] = {{9000, 4000, 1500, 200}};
        ShirtDesignTally[4] = {{16000, 0, 0, 384}};
        for (int d = 0; d < kShirtDesigns; ++d) {
            if (ShirtDesignTally[d].count[0] == 0) ShirtDesignTally[d] = {{12000, 3000, 1000, 384}};
        }
    }
    void TearDown() override { ClearTally(); }
};

TEST_F(KitClashTest, ScoresCountCloseZonesByAreaAndIgnoreUnknownDesigns) {
    EXPECT_EQ(ColoursClose(30, 30), 1);
    EXPECT_EQ(ColoursClose(30, 31), 1);  // two reds 36 apart
    EXPECT_EQ(ColoursClose(0, 9), 0);    // white and near-black
    EXPECT_EQ(ColoursClose(500, 5), 1);  // outside the palette reads the fallback colour

    // Identical rows: at least every zone against itself.
    const KitDesignRow a = Row(3, 30, 73, 0);
    const int32_t selfBound = (9000 * 9000 / 32768 + 4000 * 4000 / 32768 + 1500 * 1500 / 32768) / 5000;
    EXPECT_GE(KitClashScore(a, a), selfBound);
    // Every zone the same red against a plain red shirt: all pairs count.
    const KitDesignRow red = Row(3, 30, 30, 30), plainRed = Row(4, 31, 31, 31);
    EXPECT_EQ(KitClashScore(red, plainRed),
              (9000 * 16000 / 32768 + 4000 * 16000 / 32768 + 1500 * 16000 / 32768) / 5000);
    EXPECT_EQ(KitClashScore(Row(4, 30, 30, 30), Row(4, 0, 0, 0)), 0);
    // A design outside 0..99 scores 0 against anything.
    EXPECT_EQ(KitClashScore(Row(100, 30, 30, 30), red), 0);
    EXPECT_EQ(KitClashScore(red, Row(65535, 30, 30, 30)), 0);
}

TEST_F(KitClashTest, TheAwaySideKeepsItsFirstKitUnlessAnotherClashesLess) {
    for (int16_t home = 0; home < 30; ++home) {
        for (int16_t away = 30; away < 60; ++away) {
            const KitDesignRow homeKit = GetTeamDesign(home, home, 0);
            EXPECT_EQ(std::memcmp(&homeKit, &FirstKitTable[home], sizeof homeKit), 0);
            const KitDesignRow worn = GetTeamDesign(home, away, 1);
            const int32_t firstScore = KitClashScore(homeKit, FirstKitTable[away]);
            if (firstScore == 0) {
                EXPECT_EQ(std::memcmp(&worn, &FirstKitTable[away], sizeof worn), 0) << home << " v " << away;
            }
            EXPECT_LE(KitClashScore(homeKit, worn), firstScore);
            EXPECT_LE(KitClashScore(homeKit, worn), KitClashScore(homeKit, SecondKitTable[away]));
            for (const KitDesignRow& plain : PlainKits)
                EXPECT_LE(KitClashScore(homeKit, worn), KitClashScore(homeKit, plain));
        }
    }
    // Clubs beyond the built tables have kits too, and they are playable.
    for (int16_t club = kKitTableClubs; club < 1200; ++club) {
        const KitDesignRow kit = ClubKit(club, 0);
        EXPECT_LT(kit.words[0], kShirtDesigns);
        EXPECT_LT(kit.words[1], 102);
        EXPECT_LT(KitClashScore(FirstKitTable[0], GetTeamDesign(0, club, 1)), kUnusableKitScore);
    }
}

TEST(ShirtDesignTest, DesignsHoldOnlyZoneValuesAndDifferFromEachOther) {
    std::set<std::vector<uint8_t>> seen;
    for (int design = 0; design < datakit::kShirtDesignCount; ++design) {
        const std::vector<uint8_t> zones = datakit::DrawShirtDesign(design);
        ASSERT_EQ(zones.size(), size_t(datakit::kShirtWidth) * datakit::kShirtHeight);
        std::set<uint8_t> values(zones.begin(), zones.end());
        EXPECT_LE(*values.rbegin(), 3) << design;
        if (design == 0) {
            EXPECT_EQ(values, std::set<uint8_t>{0});  // the reserve kits' plain shirt
        } else {
            EXPECT_GE(values.size(), 3u) << design;  // body, a second zone and the badge
        }
        seen.insert(zones);
    }
    EXPECT_EQ(seen.size(), size_t(datakit::kShirtDesignCount));
}

class ShippedKitsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
        ClearTally();
    }
    static void TearDownTestSuite() {
        ClearTally();
        testenv::UnmountGameArchive();
    }
};

TEST_F(ShippedKitsTest, EveryPairOfClubsFindsAnAwayKitAndDesignsAreReadOnce) {
    for (int16_t home = 0; home < 1200; ++home) {
        const KitDesignRow homeKit = GetTeamDesign(home, home, 0);
        for (int16_t away = 0; away < 1200; ++away) {
            if (KitClashScore(homeKit, GetTeamDesign(home, away, 1)) >= kUnusableKitScore)
                FAIL() << home << " v " << away;
        }
    }
    // The shipped design files, the shirt twice, tally to twice its drawn
    // areas; every club's first kit then clashes with itself, so that a
    // side against its own club (the practice match's reserves) wears
    // another.
    for (int design = 0; design < kShirtDesigns; ++design) {
        const std::vector<uint8_t> zones = datakit::DrawShirtDesign(design);
        InitShirtDesignTally(int16_t(design));
        for (uint8_t zone = 0; zone < kShirtZones; ++zone)
            EXPECT_EQ(ShirtDesignTally[design].count[zone],
                      2 * size_t(std::count(zones.begin(), zones.end(), zone)));
    }
    for (int16_t club = 0; club < 1200; ++club) {
        const KitDesignRow first = GetTeamDesign(club, club, 0);
        EXPECT_GT(KitClashScore(first, first), 0) << club;
        const KitDesignRow reserves = GetTeamDesign(club, club, 1);
        EXPECT_NE(std::memcmp(&first, &reserves, sizeof first), 0) << club;
    }
    // With the archive gone a tallied design is never read again.
    PakFileUninit();
    InitShirtDesignTally(12);
    EXPECT_GT(KitClashScore(FirstKitTable[5], FirstKitTable[5]), -1);
    PakFileInit();
    PakAddFile((std::string(HALVORN_GAME_DIR) + "/pakfiles/demo").c_str());
    PakFileAddDone();
}

// An archive holding one broken design file for each fatal stop.
class BrokenDesignTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(9500);
        ClearTally();
        datakit::ClearStage();
        std::vector<uint8_t> good = datakit::ShirtDesignTga(datakit::DrawShirtDesign(1));
        datakit::StagePakFile(ShirtDesignFileName(1), std::vector<uint8_t>(good.begin(), good.begin() + 30));
        std::vector<uint8_t> grey = good;
        grey[2] = 3;  // no colour map: not a zone picture
        datakit::StagePakFile(ShirtDesignFileName(2), grey);
        base = std::filesystem::temp_directory_path() / ("kits_test_" + std::to_string(getpid()));
        std::vector<const datakit::StagedFile*> files = datakit::StagedPakFiles();
        datakit::WriteArchive(base, files);
        PakFileInit();
        PakAddFile(base.string().c_str());
        PakFileAddDone();
    }
    void TearDown() override {
        PakFileUninit();
        datakit::ClearStage();
        std::filesystem::remove(base.string() + ".pki");
        std::filesystem::remove(base.string() + ".pkd");
        ClearTally();
        UninitMemory();
    }
    std::filesystem::path base;
};
using BrokenDesignDeathTest = BrokenDesignTest;

TEST_F(BrokenDesignDeathTest, UnreadableDesignsStopTheGame) {
    EXPECT_EXIT((StdoutToStderr(), InitShirtDesignTally(1)), ::testing::ExitedWithCode(1),
                "TGA_Convert2GFX0");
    EXPECT_EXIT((StdoutToStderr(), InitShirtDesignTally(2)), ::testing::ExitedWithCode(1),
                "TGA_Convert2GFX0");
    // A bad number only warns.
    ::testing::internal::CaptureStdout();
    InitShirtDesignTally(100);
    InitShirtDesignTally(-1);
    EXPECT_NE(
        ::testing::internal::GetCapturedStdout().find("Warning: InitShirtDesignTally(): invalid design 100"),
        std::string::npos);
}

TEST(ShirtPictureTest, TallyRefusesMalformedPictures) {
    std::vector<uint8_t> block(16 + 6, 0);
    std::memcpy(block.data(), "GFX0", 4);
    block[4] = 3, block[6] = 2;  // 3 x 2
    block[16] = 1, block[17] = 3, block[18] = 9, block[19] = 2;
    ShirtDesignZones zones{};
    ASSERT_TRUE(TallyShirtPicture(block.data(), uint32_t(block.size()), &zones));
    EXPECT_EQ(zones.count[0], 2u);  // value 9 is no zone
    EXPECT_EQ(zones.count[1], 1u);
    EXPECT_EQ(zones.count[3], 1u);
    EXPECT_FALSE(TallyShirtPicture(block.data(), uint32_t(block.size() - 1), &zones));
    block[0] = 'X';
    EXPECT_FALSE(TallyShirtPicture(block.data(), uint32_t(block.size()), &zones));
}

}  // namespace
