// The video choice over described cards: scores, the automatic choice and
// its refusals, the modes found, the options the memories and devices
// allow, and the options screen driven by the scripted user.
#include "game/match3d/videochoice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/displaymaps.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/video_cards.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::FakeCard;
using testenv::FakeDevice;
using testenv::kFakeFullDevice;
using testenv::kFakeRender;

FakeCard VidCard(uint32_t pass, std::vector<FakeDevice> devices, uint32_t textureMemory = 24u << 20) {
    FakeCard card;
    card.pass = pass;
    card.devices = std::move(devices);
    card.textureMemory = textureMemory;
    return card;
}

class VideoChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(64 * 1024); }
    void TearDown() override {
        if (GfxIsInitialised()) VideoUninit();
        WinResetForTests();
        plat::SetDesktopBitsForTests(0);
        testenv::RemoveFakeCards();
        CommittedVideoChoice = VideoChoice{};
        DebugSetLevel(DEBUG_DIRECT3D, 0);
        UninitMemory();
    }
    static void OpenWindow(uint32_t windowFlags) {
        plat::SetDesktopBitsForTests(32);
        WinResetForTests();
        WinInit(nullptr, "Halvorn test", windowFlags);
        while (!WinIsActive()) WinIdleMessageHandler();
    }
    static void Start(const std::vector<FakeCard>& cards, uint32_t windowFlags, int no3d = 0) {
        if (!cards.empty()) testenv::InstallFakeCards(cards);
        OpenWindow(windowFlags);
        StdoutCapture quiet;
        VideoInit(no3d);
        quiet.Text();
    }
    // The same, printing what it says (for the fatal paths).
    static void StartLoud(const std::vector<FakeCard>& cards, uint32_t windowFlags) {
        testenv::InstallFakeCards(cards);
        OpenWindow(windowFlags);
        VideoInit(0);
    }
    static const DDrawModeInfo& ChosenMode() {
        EXPECT_GE(CommittedVideoChoice.ModeIndex, 0);
        return GfxModeTable[std::max(0, CommittedVideoChoice.ModeIndex)];
    }
};

TEST_F(VideoChoiceTest, ThePlatformsOwnCardGetsEverything) {
    Start({}, WIN_FLAG_WINDOWED);
    const VideoChoice& c = CommittedVideoChoice;
    EXPECT_EQ(c.Card, 0);
    EXPECT_EQ(c.Device, 0);
    EXPECT_EQ(DDrawGetCurrent3DDevice(), 0);
    EXPECT_EQ(ChosenMode().width, 800);
    EXPECT_EQ(ChosenMode().height, 600);
    EXPECT_EQ(ChosenMode().colour_type, 3);
    EXPECT_EQ(c.MipMapping, 1);
    EXPECT_EQ(c.FilterLevel, 2);
    EXPECT_EQ(c.Lighting, 1);
    EXPECT_EQ(c.Fog, 1);
    EXPECT_EQ(c.TextureOption, 1);

    // The next start finds the same card and device by their identifiers and
    // keeps the options as they were left.
    CommittedVideoChoice.Lighting = 0;
    VideoUninit();
    EXPECT_EQ(CommittedVideoChoice.DeviceGuid, DDrawGet3DDeviceInfo(0, 0)->guid);
    {
        StdoutCapture quiet;
        VideoInit(0);
        quiet.Text();
    }
    EXPECT_EQ(CommittedVideoChoice.Device, 0);
    EXPECT_EQ(CommittedVideoChoice.Lighting, 0);
}

TEST_F(VideoChoiceTest, ScoresAddUpWhatTheCardAndDeviceOffer) {
    FakeDevice plain{D3DDEVINFO_HARDWARE, 256, 256, 8, "plain"};
    FakeDevice full{kFakeFullDevice, 1024, 1024, 0, "full"};
    FakeDevice software{D3DDEVINFO_MIPMAPTEX, 1024, 1024, 0, "soft"};
    FakeCard small = VidCard(1, {plain, full, software}, 6u << 20);
    small.videoMemory = 4u << 20;
    Start({small}, WIN_FLAG_WINDOWED);
    EXPECT_EQ(VideoOpt_ScoreDevice(0, 0), 5 + 10 + 50);
    EXPECT_EQ(VideoOpt_ScoreDevice(0, 1), 5 + 10 + 50 + 10 + 2 + 2 + 2 + 5 + 5 + 2 + 10);
    EXPECT_EQ(VideoOpt_ScoreDevice(0, 2), -1) << "no hardware";
    EXPECT_EQ(VideoOpt_ScoreDevice(0, -1), -1);
    EXPECT_EQ(VideoOpt_ScoreDevice(0, 3), -1);
    EXPECT_EQ(VideoOpt_ScoreDevice(5, 0), -1);
    EXPECT_EQ(CommittedVideoChoice.Device, 1) << "the best device";
    // A high enough debug level lets a device without hardware through.
    DebugSetLevel(DEBUG_DIRECT3D, 50);
    EXPECT_EQ(VideoOpt_ScoreDevice(0, 2), 5 + 10 + 2 + 5 + 2);
}

TEST_F(VideoChoiceTest, OnlyACardOffTheDesktopIsTakenBeforeTheFirst) {
    FakeDevice weak{D3DDEVINFO_HARDWARE | kFakeRender, 256, 256, 8, "weak"};
    FakeDevice strong{kFakeFullDevice, 2048, 2048, 0, "strong"};
    FakeDevice middle{D3DDEVINFO_HARDWARE | D3DDEVINFO_HARDWARETL | kFakeRender, 2048, 2048, 0, "middle"};
    const std::vector<FakeCard> cards = {VidCard(1, {weak}, 2u << 20), VidCard(1, {strong}),
                                         VidCard(2, {strong}), VidCard(3, {middle})};
    Start(cards, 0);
    EXPECT_GT(VideoOpt_ScoreDevice(1, 0), VideoOpt_ScoreDevice(3, 0));
    EXPECT_EQ(VideoOpt_ScoreDevice(2, 0), -1) << "desktop disabled";
    EXPECT_EQ(CommittedVideoChoice.Card, 3) << "the non-display card";
    EXPECT_EQ(CommittedVideoChoice.Device, 0);
    EXPECT_EQ(DDrawGetCurrentDevice(), 3);
    EXPECT_EQ(CommittedVideoChoice.FilterLevel, 0) << "no smoothing";
    VideoUninit();
    EXPECT_EQ(CommittedVideoChoice.CardGuid, DDrawGetDeviceInfo(3)->guid);

    // In a window only the first card counts.
    CommittedVideoChoice = VideoChoice{};
    Start(cards, WIN_FLAG_WINDOWED);
    EXPECT_EQ(VideoOpt_ScoreDevice(3, 0), -1);
    EXPECT_EQ(CommittedVideoChoice.Card, 0);
}

TEST_F(VideoChoiceTest, NoThreeDTakesTheFirstCardAndAnEightBitMode) {
    Start({}, WIN_FLAG_WINDOWED, 1);
    EXPECT_EQ(CommittedVideoChoice.Card, 0);
    EXPECT_EQ(CommittedVideoChoice.Device, -1);
    EXPECT_EQ(DDrawGetCurrent3DDevice(), -1);
    EXPECT_EQ(ChosenMode().colour_type, 0);
    EXPECT_EQ(ChosenMode().width, 800);
    EXPECT_EQ(ChosenMode().height, 600);
    EXPECT_EQ(CommittedVideoChoice.Lighting + CommittedVideoChoice.Fog + CommittedVideoChoice.MipMapping, 0);

    // A mode of the wrong kind or too small is replaced; 512 x 384 is the
    // smallest taken.
    VideoChoice choice = CommittedVideoChoice;
    choice.ModeIndex = GfxFindMode(800, 600, 3);
    VideoOpt_CheckChoice(&choice);
    EXPECT_EQ(choice.ModeIndex, CommittedVideoChoice.ModeIndex);
    const int small = GfxFindMode(512, 384, 0);
    if (small >= 0) {
        choice.ModeIndex = small;
        VideoOpt_CheckChoice(&choice);
        EXPECT_EQ(choice.ModeIndex, small);
    }
}

TEST_F(VideoChoiceTest, FewTexturesTurnTheRichOptionsOff) {
    FakeDevice full{kFakeFullDevice, 2048, 2048, 0, "full"};
    Start({VidCard(1, {full}, 3u << 20)}, WIN_FLAG_WINDOWED);
    const VideoChoice& c = CommittedVideoChoice;
    EXPECT_EQ(c.Lighting, 0);
    EXPECT_EQ(c.Fog, 0);
    EXPECT_EQ(c.TextureOption, 0);
    EXPECT_EQ(c.MipMapping, 1);
    EXPECT_EQ(ChosenMode().colour_type, 1) << "16-bit colour below 20 MiB of textures";
    VideoChoice choice = c;
    choice.TextureOption = 1;
    choice.Lighting = 1;
    VideoOpt_CheckChoice(&choice);
    EXPECT_EQ(choice.TextureOption, 0);
    EXPECT_EQ(choice.Lighting, 1);
}

TEST_F(VideoChoiceTest, ChecksDropWhatTheDeviceCannotDo) {
    FakeDevice bare{D3DDEVINFO_HARDWARE | kFakeRender, 2048, 2048, 0, "bare"};
    Start({VidCard(1, {bare})}, WIN_FLAG_WINDOWED);
    VideoChoice choice = CommittedVideoChoice;
    EXPECT_EQ(choice.MipMapping, 0);
    EXPECT_EQ(choice.Fog, 0);
    EXPECT_EQ(choice.FilterLevel, 0);
    choice.Fog = 1;
    choice.MipMapping = 1;
    VideoOpt_CheckChoice(&choice);
    EXPECT_EQ(choice.Fog, 0);
    EXPECT_EQ(choice.MipMapping, 0);
    // Another card's mode is chosen only once that card is in use.
    choice.Card = 1;
    VideoOpt_CheckChoice(&choice);
    EXPECT_EQ(choice.ModeIndex, -1);
}

TEST_F(VideoChoiceTest, StartUpRefusals) {
    FakeDevice software{D3DDEVINFO_MIPMAPTEX, 2048, 2048, 0, "soft"};
    FakeCard unaccelerated = VidCard(1, {software});
    EXPECT_FATAL(StartLoud({unaccelerated}, WIN_FLAG_WINDOWED),
                 "VideoInit\\(\\): Failed to find a 3d graphics card!");
    // A mode table with no 3D mode leaves nothing to show a match in.
    FakeDevice noRender{D3DDEVINFO_HARDWARE, 2048, 2048, 0, "none"};
    EXPECT_DEATH(
        {
            SendStdoutToStderr();
            StartLoud({VidCard(1, {noRender})}, WIN_FLAG_WINDOWED);
            for (int i = 0; i < GfxNumModes; ++i) GfxModeTable[i].flags = 0;
            CommittedVideoChoice.ModeIndex = -1;
            VideoOpt_CheckChoice(&CommittedVideoChoice);
        },
        "No suitable graphics mode found");
}

// ---- The options screen --------------------------------------------------------

class VideoScreenTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        // The screen edits a choice with a 3D device: graphics as the start-up
        // leaves them for one.
        StdoutCapture quiet;
        UninitSetOfMenus();
        GfxUninit();
        if (!cards_.empty()) {
            testenv::InstallFakeCards(cards_);
            testenv::FakeCardSurvey();
        }
        DDrawSelectDevice(0, 0);
        GfxInit(GFXINIT_3D);
        InitSetOfMenus();
        quiet.Text();
        CommittedVideoChoice = VideoChoice{};
        CommittedVideoChoice.Device = 0;
        CommittedVideoChoice.ModeIndex = -1;
        CommittedVideoChoice.MipMapping = 1;
        CommittedVideoChoice.FilterLevel = 2;
        CommittedVideoChoice.Lighting = 1;
        CommittedVideoChoice.Fog = 1;
        CommittedVideoChoice.TextureOption = 1;
        VideoOpt_CheckChoice(&CommittedVideoChoice);
    }
    void TearDown() override {
        CommittedVideoChoice = VideoChoice{};
        MenuEngineTest::TearDown();
        testenv::RemoveFakeCards();
    }
    std::vector<FakeCard> cards_;
    // Clicks the middle of a hotspot of the layout after checking that the
    // map's hotspot there has the handler (and value) expected.
    static void Click(int x, int y, HVHandler handler, int16_t value = -1) {
        testenv::MenuUserDo([x, y, handler, value] {
            bool found = false;
            for (int i = 0; i < HVHotspotCount(); ++i) {
                const HVHotspot* h = HVHotspotAt(i);
                if (x < h->x || x >= h->x + h->width || y < h->y || y >= h->y + h->height) continue;
                found = h->handler == handler && (value < 0 || h->value == value);
                break;
            }
            EXPECT_TRUE(found) << "no such hotspot at " << x << "," << y;
        });
        testenv::MenuUserClickAt(x, y);
        testenv::MenuUserWait(2);
    }
    static void ClickOption(int row, int value, HVHandler handler) {
        constexpr int kX[3] = {290, 422, 554};
        Click(kX[value] + 65, 303 + 32 * row + 16, handler, int16_t(value));
    }
    // Checks run in the screen's frames; checksRun counts them.
    static inline int checksRun = 0;
    static void Check(std::function<void()> check) {
        testenv::MenuUserDo([check] {
            ++checksRun;
            check();
        });
    }
};

TEST_F(VideoScreenTest, OptionsFollowTheirRulesAndCancelKeepsTheChoice) {
    const VideoChoice before = CommittedVideoChoice;
    ASSERT_GE(before.ModeIndex, 0);
    Check([] {
        EXPECT_STREQ(VideoOpt_RowText(0), DDrawGetDeviceInfo(0)->description);
        EXPECT_EQ(std::string(VideoOpt_RowText(2)), "800 x 600, 32-bit colour");
        EXPECT_FALSE(VideoOpt_ArrowsShown(0)) << "one card";
        EXPECT_FALSE(VideoOpt_ArrowsShown(1)) << "one device";
        EXPECT_TRUE(VideoOpt_ArrowsShown(2));
        EXPECT_EQ(VideoOpt_ButtonState(1, 2), kVideoButtonSelected);
        EXPECT_EQ(VideoOpt_ButtonState(1, 0), kVideoButtonNormal);
        // Hidden arrows take no clicks.
        for (int i = 0; i < HVHotspotCount(); ++i) EXPECT_NE(HVHotspotAt(i)->handler, Func_CardNext);
    });
    // Mip-mapping off drops trilinear filtering to bilinear and greys it.
    ClickOption(0, 0, Func_MipMapSelect);
    Check([] {
        EXPECT_EQ(VideoOpt_WorkingChoice().MipMapping, 0);
        EXPECT_EQ(VideoOpt_WorkingChoice().FilterLevel, 1);
        EXPECT_EQ(VideoOpt_ButtonState(1, 2), kVideoButtonGreyed);
        EXPECT_EQ(VideoOpt_ButtonState(1, 1), kVideoButtonSelected);
    });
    ClickOption(1, 2, Func_FilterSelect);
    ClickOption(3, 0, Func_FogSelect);
    Click(702, 240 + 3 + 33, Func_ModeNext);
    Check([before] {
        EXPECT_EQ(VideoOpt_WorkingChoice().FilterLevel, 1) << "trilinear refused";
        EXPECT_EQ(VideoOpt_WorkingChoice().Fog, 0);
        const int mode = VideoOpt_WorkingChoice().ModeIndex;
        EXPECT_NE(mode, before.ModeIndex);
        ASSERT_GE(mode, 0);
        EXPECT_NE(GfxModeTable[mode].colour_type, 0);
        EXPECT_GE(GfxModeTable[mode].width, 512);
        EXPECT_NE(std::string(VideoOpt_RowText(2)), "800 x 600, 32-bit colour");
    });
    Click(535, 513, Func_Cancel);
    checksRun = 0;
    VideoOpt_Menu();
    EXPECT_EQ(checksRun, 3);
    EXPECT_EQ(std::memcmp(&CommittedVideoChoice, &before, sizeof before), 0) << "cancel keeps all";
    EXPECT_EQ(VideoAgain, 0);
}

TEST_F(VideoScreenTest, ApplyCommitsAndOpensTheScreenAgainOkLeaves) {
    int opened = 0;
    ClickOption(2, 0, Func_LightingSelect);
    Click(265, 513, Func_Apply);
    Check([&opened] {
        ++opened;
        EXPECT_EQ(CommittedVideoChoice.Lighting, 0) << "applied";
        EXPECT_EQ(VideoOpt_ButtonState(2, 0), kVideoButtonSelected);
    });
    ClickOption(4, 0, Func_TextureSelect);
    Click(740, 556, Func_Ok);
    checksRun = 0;
    VideoOpt_Menu();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(checksRun, 1);
    EXPECT_EQ(CommittedVideoChoice.Lighting, 0);
    EXPECT_EQ(CommittedVideoChoice.TextureOption, 0);
    EXPECT_EQ(VideoChanged, 0);
    EXPECT_EQ(VideoAgain, 0);
    EXPECT_TRUE(GfxIsInitialised());
}

// Full screen with a second, non-display card: both can be chosen.
class VideoCardScreenTest : public VideoScreenTest {
  protected:
    VideoCardScreenTest() {
        windowFlags_ = 0;
        bitsPerPixel_ = 32;
        cards_ = {VidCard(1, {FakeDevice{kFakeFullDevice}}), VidCard(3, {FakeDevice{kFakeFullDevice}})};
        cards_[1].description = "Second card";
    }
    static constexpr int kCardUpX = 702, kCardUpY = 140 + 3 + 11;
};

TEST_F(VideoCardScreenTest, CancelAfterACardChangeLeavesAllAsItWas) {
    const VideoChoice before = CommittedVideoChoice;
    Check([] { EXPECT_TRUE(VideoOpt_ArrowsShown(0)); });
    Click(kCardUpX, kCardUpY, Func_CardNext);
    Check([] {
        EXPECT_EQ(VideoOpt_WorkingChoice().Card, 1);
        EXPECT_EQ(VideoOpt_WorkingChoice().Device, 0);
        EXPECT_STREQ(VideoOpt_RowText(0), "Second card");
        EXPECT_EQ(VideoOpt_WorkingChoice().ModeIndex, -1) << "chosen once the card is in use";
        EXPECT_STREQ(VideoOpt_RowText(2), "No mode available");
        EXPECT_FALSE(VideoOpt_ArrowsShown(2));
    });
    Click(535, 513, Func_Cancel);
    checksRun = 0;
    VideoOpt_Menu();
    EXPECT_EQ(checksRun, 2);
    EXPECT_EQ(std::memcmp(&CommittedVideoChoice, &before, sizeof before), 0);
    EXPECT_EQ(DDrawGetCurrentDevice(), 0);
    EXPECT_TRUE(GfxIsInitialised());
    EXPECT_EQ(MenuDisplayIsOpen(), 1);
}

TEST_F(VideoCardScreenTest, OkAfterACardChangeStartsTheGraphicsOnIt) {
    Click(kCardUpX, kCardUpY, Func_CardNext);
    Click(740, 556, Func_Ok);
    VideoOpt_Menu();
    EXPECT_EQ(VideoChanged, 1);
    EXPECT_EQ(CommittedVideoChoice.Card, 1);
    EXPECT_EQ(DDrawGetCurrentDevice(), 1);
    EXPECT_EQ(DDrawGetCurrent3DDevice(), 0);
    ASSERT_GE(CommittedVideoChoice.ModeIndex, 0) << "a mode of the new card";
    EXPECT_EQ(GfxModeTable[CommittedVideoChoice.ModeIndex].width, 800);
    EXPECT_EQ(MenuDisplayIsOpen(), 1);
}

}  // namespace
