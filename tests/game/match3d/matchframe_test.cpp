// The shown match's frame cycle on the driven clock: pacing by the speed
// keys, late frames skipped, the keys and switches read after each frame,
// display starts and stops leaving nothing behind, and whole matches of two
// world clubs shown offscreen with grabs of what they draw.
#include "game/match3d/matchframe.h"
#include "core/match/phases.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/base/angles.h"
#include "core/base/corehooks.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/match/infobar.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/match/teamsetup.h"
#include "core/match/wholematch.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "game/match3d/iconpages.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/players3d.h"
#include "game/match3d/renderview.h"
#include "game/match3d/shootoutscreen.h"
#include "game/match3d/soundeffects.h"
#include "game/match3d/stadium.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/loadanim.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/start/clubnames.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/ddraw.h"
#include "platform/window.h"
#include "tests/fakes/child_run.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/sound_recorder.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/world_records.h"

using namespace gameinfo;

namespace {

// A key pressed and released, read at the next drawn frame.
void GameInjectKey(int code) {
    plat::InjectKey(uint8_t(code & 127), code >= 128, true);
    plat::InjectKey(uint8_t(code & 127), code >= 128, false);
}

// Presses and releases a key and lets the window messages through.
void GamePressKey(int code) {
    plat::InjectKey(uint8_t(code & 127), code >= 128, true);
    plat::InjectKey(uint8_t(code & 127), code >= 128, false);
    Poll();
}

// Everything the shown match needs but a world: memory, archive, texts,
// the driven clock, window, input, the video choice of the stand-in's card.
class D3DGameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        keptColours_ = ColourList;
        testenv::StartGameWindow();
        {
            StdoutCapture quiet;
            VideoInit(0);
            quiet.Text();
        }
        soundfake::InstallRecorder();
        MatchHooks = {};
        D3DGame_Connect();
        GameSpeedSetting = 0;
        FastForward = 0;
        DrawMode = 0;
        MatchPhase = kPhaseOpenPlay;
        MatchKeys_ResetSwitches();
        CameraType = 0;
    }
    void TearDown() override {
        if (D3DGame_IsStarted()) D3DGame_Uninit();
        Replay_FreeBuffer();
        Motion_FreeAll();
        MatchHooks = {};
        MatchSfx_SetDriver(nullptr);
        UninitMouseDriver();
        ClearKeyboardInterrupt();
        if (GfxIsInitialised()) VideoUninit();
        CommittedVideoChoice = VideoChoice{};
        UninitPoll();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
        WinResetForTests();
        plat::SetDesktopBitsForTests(0);
        UninitText();
        if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
        testenv::UnmountGameArchive();
        scratch_.reset();
        // A shown match writes the sides' shirts into the icon colours.
        ColourList = keptColours_;
    }

    // A match record of two table clubs on the large ground by day, with
    // the figures standing in a grid and the ring holding what they do.
    static void PrepareMatchRecord() {
        EnterGameInfo* block = ClearMatchSetupBlock();
        for (int stand = 0; stand < kStands; ++stand) block->SetI16(kStadiumLevel + 2 * stand, 5);
        block->SetU8(kNightMatch, 0);
        block->SetU8(kCrowdFill, 2);
        block->SetI16(kCompetition, 0);
        block->SetTeamI16(0, kTeamClub, 3);
        block->SetTeamI16(1, kTeamClub, 40);
        WriteTeamKit(3, 40, 0, block->bytes + TeamInfoAt(0) + kTeamKit);
        WriteTeamKit(40, 3, 1, block->bytes + TeamInfoAt(1) + kTeamKit);
        Motion_LoadAll();
        Replay_AllocBuffer();
        Match_SetPitchGeometry();
        DisplayModeFlags = 0;
        for (int figure = 0; figure < kMatchFigureCount; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            f.x = int16_t(300 + (figure % 7) * 160);
            f.y = int16_t(300 + (figure / 7) * 350);
        }
        for (int tick = 0; tick < 20; ++tick) Replay_Tick();
        Replay_UpdateDisplay();
    }

    // Draws frames and gives the passes a second the driven clock saw.
    static double PassesPerSecond(int frames = 4) {
        D3DGame_RenderFrame();  // due times from here on
        const uint32_t start = GetTimerTicks();
        for (int i = 0; i < frames; ++i) D3DGame_RenderFrame();
        const uint32_t ticks = GetTimerTicks() - start;
        return ticks == 0 ? 0.0 : double(frames) * TIMER_TICKS_PER_SECOND / double(ticks);
    }

    std::unique_ptr<testenv::ScratchDir> scratch_;
    std::array<uint32_t, kColourListSize> keptColours_{};
};

TEST_F(D3DGameTest, SpeedKeysPaceThePasses) {
    PrepareMatchRecord();
    Match3D_DisplayOn();
    ASSERT_TRUE(D3DGame_IsStarted());
    EXPECT_NEAR(PassesPerSecond(), 50.0, 0.5);
    // F cycles 0, 1, 3, 0: 100, 200, then 50 again; no setting gives 150.
    const double expected[] = {100.0, 200.0, 50.0};
    for (double rate : expected) {
        GamePressKey(matchkey::kF);
        MatchKeys_Handle();
        EXPECT_NEAR(PassesPerSecond(), rate, 0.5);
    }
    // Fast forward only while the ball is in play.
    GamePressKey(matchkey::kA);
    MatchKeys_Handle();
    EXPECT_EQ(FastForward, 1);
    for (uint16_t phase : {0, 2, 9, 28}) {
        MatchPhase = phase;
        EXPECT_EQ(D3DGame_TargetRate(), 50) << "phase " << phase;
    }
    MatchPhase = kPhaseCorner;
    EXPECT_NEAR(PassesPerSecond(6), 300.0, 1.0);
    // A replay always plays at 50; A, U and H do nothing while it plays.
    Replay_Start();
    ASSERT_TRUE(Replay_IsPlaying());
    EXPECT_NEAR(PassesPerSecond(), 50.0, 0.5);
    for (int key : {matchkey::kA, matchkey::kU, matchkey::kH}) {
        GamePressKey(key);
        MatchKeys_Handle();
    }
    EXPECT_EQ(FastForward, 1);
    EXPECT_EQ(DrawMode, 0);
    Replay_Stop();
    GamePressKey(matchkey::kU);
    MatchKeys_Handle();
    EXPECT_EQ(DrawMode, 1);
    GamePressKey(matchkey::kH);
    MatchKeys_Handle();
    EXPECT_EQ(DrawMode, 2);
    GamePressKey(matchkey::kH);
    MatchKeys_Handle();
    EXPECT_EQ(DrawMode, 0);
    FastForward = 0;
}

TEST_F(D3DGameTest, ALatePassSkipsFramesToKeepTheSpeed) {
    PrepareMatchRecord();
    Match3D_DisplayOn();
    for (int32_t setting : {0, 3}) {
        GameSpeedSetting = setting;
        const int rate = D3DGame_TargetRate();
        D3DGame_RenderFrame();
        // Two seconds behind: up to 2 x rate / 50 - 1 passes go undrawn.
        plat::AdvanceClockMicroseconds(2000000);
        const int32_t drawnBefore = D3DGameFramesDrawn;
        int skipped = 0;
        while (D3DGameFramesDrawn == drawnBefore && skipped < 100) {
            D3DGame_RenderFrame();
            if (D3DGameFramesDrawn == drawnBefore) ++skipped;
        }
        EXPECT_EQ(skipped, 2 * rate / 50 - 1) << "rate " << rate;
        // Caught up: the next pass is on time again.
        const uint32_t start = GetTimerTicks();
        D3DGame_RenderFrame();
        EXPECT_EQ(D3DGameFramesDrawn, drawnBefore + 2);
        EXPECT_LE(GetTimerTicks() - start, uint32_t(500 / rate + 1));
    }
    GameSpeedSetting = 0;
}

TEST_F(D3DGameTest, KeysAfterEveryFrameAndTheSwitchesTheyFlip) {
    PrepareMatchRecord();
    NameLabelSwitch = 1;
    Match3D_DisplayOn();
    EXPECT_EQ(NameLabelSwitch, 2) << "each display start counts the labels on";
    SideInputDirection[0] = SideInputDirection[1] = 3;
    SideInputButtons[0] = SideInputButtons[1] = 7;
    D3DGame_RenderFrame();
    EXPECT_EQ(SideInputDirection[0], 255);
    EXPECT_EQ(SideInputDirection[1], 255);
    EXPECT_EQ(SideInputButtons[0] + SideInputButtons[1], 0);

    // F6: the first press keeps the labels on, the second hides them.
    GamePressKey(matchkey::kF6);
    MatchKeys_Handle();
    EXPECT_NE(NameLabelSwitch, 0);
    GamePressKey(matchkey::kF6);
    MatchKeys_Handle();
    EXPECT_EQ(NameLabelSwitch, 0);

    // F4, F5 and F7 each switch their overlay on, and off again.
    const std::pair<int, int16_t*> overlays[] = {{matchkey::kF4, &TouchMarkerSwitch},
                                                 {matchkey::kF5, &BallPathSwitch},
                                                 {matchkey::kF7, &PitchRadarSwitch}};
    for (const auto& [key, overlaySwitch] : overlays) {
        *overlaySwitch = 0;
        GamePressKey(key);
        MatchKeys_Handle();
        EXPECT_EQ(*overlaySwitch, 1) << "key " << key;
        GamePressKey(key);
        MatchKeys_Handle();
        EXPECT_EQ(*overlaySwitch, 0) << "key " << key;
    }

    // Keys 1 and 2 from the stadium cameras both give type 0; they step
    // 0..7 round.
    for (int key : {matchkey::kOne, matchkey::kTwo}) {
        CameraType = kStadiumCameras;
        GamePressKey(key);
        MatchCam_Keys();
        EXPECT_EQ(CameraType, 0);
    }
    GamePressKey(matchkey::kOne);
    MatchCam_Keys();
    EXPECT_EQ(CameraType, 7);

    // Volume keys stay inside 0..100 and show the bar.
    SfxVolume = 99;
    GamePressKey(matchkey::kFullStop);
    MatchCam_Keys();
    EXPECT_EQ(SfxVolume, 101) << "a step of two from below the top";
    GamePressKey(matchkey::kFullStop);
    MatchCam_Keys();
    EXPECT_EQ(SfxVolume, 101) << "no step from the top";
    EXPECT_EQ(VolumeBarShown, 1);
    D3DGame_RenderFrame();  // a bar of a volume above 100 is drawn clamped
    SfxVolume = 50;

    // Esc and F11 ask for the menus; the loop's pass opens them with the
    // display closed and reopened around the visit.
    GameInfo.SetI16(kCompetition, -1);
    GamePressKey(matchkey::kEsc);
    MatchKeys_Handle();
    EXPECT_EQ(InMatchRequest, 0) << "no menus in a goal replay viewing";
    GameInfo.SetI16(kCompetition, 0);
    GamePressKey(matchkey::kEsc);
    MatchKeys_Handle();
    EXPECT_EQ(InMatchRequest, 1);
    GamePressKey(matchkey::kF11);
    MatchKeys_Handle();
    EXPECT_EQ(InMatchRequest, 4);
    InMatchRequest = 0;
}

// In a window the replay panel's pointer stands where the system pointer
// is, on the 800 x 600 layout, also after the pointer left the window and
// came back in (moves added up would have drifted from it at the edge).
TEST_F(D3DGameTest, InAWindowThePointerStandsOnTheSystemPointer) {
    PrepareMatchRecord();
    Match3D_DisplayOn();
    ASSERT_TRUE(WinIsWindowed());
    const int width = int(GfxGetScreenWidth()), height = int(GfxGetScreenHeight());
    const auto moveTo = [](int x, int y, int dx, int dy) {
        plat::InjectMouseMove(dx, dy, x, y);
        Poll();
        MatchMouse_Poll();
    };
    moveTo(width / 2, height / 2, 0, 0);
    EXPECT_EQ(MatchMouse.x, 400);
    EXPECT_EQ(MatchMouse.y, 300);
    moveTo(width * 3, height * 3, width * 5 / 2, height * 5 / 2);
    EXPECT_EQ(MatchMouse.x, 788);
    EXPECT_EQ(MatchMouse.y, 588);
    moveTo(width / 4, height / 4, -width * 11 / 4, -height * 11 / 4);
    EXPECT_EQ(MatchMouse.x, 200);
    EXPECT_EQ(MatchMouse.y, 150);
}

TEST_F(D3DGameTest, WithoutADeviceTheDisplayNeverStarts) {
    PrepareMatchRecord();
    CommittedVideoChoice.Device = -1;
    const int32_t drawnBefore = D3DGameFramesDrawn;
    Match3D_DisplayOn();
    EXPECT_FALSE(D3DGame_IsStarted());
    D3DGame_Update();
    D3DGame_RenderFrame();
    EXPECT_EQ(D3DGameFramesDrawn, drawnBefore);
    EXPECT_FATAL(D3DGame_Init(), "D3DGame_Init\\(\\): Direct3D not initialized");
    CommittedVideoChoice.Device = 0;
}

struct DisplayResources {
    uint32_t blocks = 0;
    uint64_t bytes = 0;
    int textures = 0;
    int iconPages = 0;
    int extraTextures = 0;
    int objectSlots = 0;
    bool operator==(const DisplayResources&) const = default;
};

DisplayResources GameResourcesNow() {
    DisplayResources r;
    r.blocks = MemAllocatedCount();
    r.bytes = MemAllocatedTotal();
    for (uint32_t slot : TextureSlot) r.textures += slot != 0xFFFFFFFFu ? 1 : 0;
    r.iconPages = GfxMgr_GetPageCount();
    for (const NewTexEntry& e : NewTexList) r.extraTextures += e.refCount != 0 ? 1 : 0;
    for (const ObjectSlot& s : ObjectSlots) r.objectSlots += s.inUse ? 1 : 0;
    return r;
}

TEST_F(D3DGameTest, TenPeriodsAndFiveMenuVisitsLeaveNothingBehind) {
    PrepareMatchRecord();
    // A first period loads what stays for the run (the loading picture).
    Match3D_DisplayOn();
    D3DGame_RenderFrame();
    Match3D_DisplayOff();
    const DisplayResources before = GameResourcesNow();
    EXPECT_EQ(before.textures, 0);
    EXPECT_EQ(before.iconPages, 0);
    EXPECT_EQ(before.extraTextures, 0);
    EXPECT_EQ(before.objectSlots, 0);
    const int periods = ShortTestRun() ? 4 : 10;
    testenv::MenuUserStart();
    for (int period = 0; period < periods; ++period) {
        Match3D_DisplayOn();
        ASSERT_TRUE(D3DGame_IsStarted());
        EXPECT_GT(GameResourcesNow().textures, 0);
        D3DGame_Update();
        D3DGame_RenderFrame();
        if (period % 2 == 1) {
            GamePressKey(matchkey::kF2);  // cleared by the visit
            testenv::MenuUserWaitFor([] { return InGameMenuActive == 1; });
            if (period == 1) {
                // F11: the video options, cancelled, straight back to the match.
                testenv::MenuUserWait(30);
                testenv::MenuUserClickAt(535, 513);
                MatchHooks.openInGameMenu(10);
                EXPECT_FALSE(WinCloseRequested());
            } else {
                // The team statistics (Esc), left by the bar's back icon.
                testenv::MenuUserWaitFor([] { return ScreenPresented == 1 && !MenuViewHotItems().empty(); });
                testenv::MenuUserClickItem(
                    [](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
                MatchHooks.openInGameMenu(6);
            }
            EXPECT_TRUE(D3DGame_IsStarted()) << "back from the menus";
            EXPECT_EQ(InGameMenuId, 65535);
            EXPECT_EQ(KeyWasPressed(matchkey::kF2), 0);
            D3DGame_RenderFrame();
        }
        Match3D_DisplayOff();
        EXPECT_EQ(GameResourcesNow(), before) << "after period " << period;
    }
    EXPECT_EQ(testenv::MenuUserPending(), 0);
    testenv::MenuUserStop();
}

// ---- Whole matches ----------------------------------------------------------

// Two world clubs of the same division in a presentation league match of
// one-minute halves, both managed by the computer.
class ShownMatchTest : public D3DGameTest {
  protected:
    void SetUp() override {
        D3DGameTest::SetUp();
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        ClearFixtureTable();
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 40, 0, {}, {}, {}};
        SetUpAllClubTeams();
        home_ = away_ = -1;
        for (int16_t club = 0; club < kClubCount && away_ < 0; ++club) {
            if (GetClubRep(club) == 0 || GetClubDivision(club) != 0 || GetClubNation(club) != 0) continue;
            (home_ < 0 ? home_ : away_) = club;
        }
        ASSERT_GE(away_, 0);
    }
    void TearDown() override {
        frameScript_ = nullptr;
        tickScript_ = nullptr;
        D3DGameTest::TearDown();
    }

    void PrepareShownMatch(uint32_t seed) {
        const int16_t slot = AddFixture(SeasonCalendar.currentDay, kCompLeague, home_, away_, 0);
        ASSERT_GE(slot, 0);
        PrepareClubMatch(slot, home_, away_);
        DeleteFixture(slot);
        EnterGameInfo* block = GetMatchSetupBlock();
        block->SetI16(kDurationMinutes, 1);
        block->SetI16(kVenueFlag, 1);
        for (int side = 0; side < 2; ++side) {
            const int16_t club = side == 0 ? home_ : away_;
            FillTeamNames(int16_t(side), club, side == 0 ? away_ : home_, ClubNameRecords[club].text[0], -1);
            block->SetTeamI16(side, kTeamClub, club);
            block->SetTeamU8(side, kHumanManaged, 0);
            WriteTeamKit(side == 0 ? home_ : away_, side == 0 ? away_ : home_, int16_t(side),
                         block->bytes + TeamInfoAt(side) + kTeamKit);
        }
        GameSeedRandom(seed);
    }

    // Plays the prepared match shown, running the scripts after each drawn
    // frame and each tick.
    void PlayShown() {
        DisplayModeFlags = 0;
        MatchPeriodRunner = Match_RunPeriod;
        MatchHooks.updateAndRender = [] {
            D3DGame_Update();
            const int32_t drawn = D3DGameFramesDrawn;
            D3DGame_RenderFrame();
            if (D3DGameFramesDrawn != drawn && frameScript_) frameScript_(D3DGameFramesDrawn);
        };
        MatchHooks.tickDisplayStep = [] {
            if (D3DGame_IsStarted()) D3DGame_Tick();
            if (tickScript_) tickScript_();
        };
        PlayMatch();
    }

    static std::vector<uint8_t> ResultBytes() {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&MatchResult);
        return std::vector<uint8_t>(bytes, bytes + sizeof MatchResult);
    }

    int16_t home_ = -1, away_ = -1;
    static inline std::function<void(int32_t)> frameScript_;
    static inline std::function<void()> tickScript_;
};

using testenv::ColourDistance;
using testenv::Frame;

bool GameHasMagenta(const Frame& f) {
    for (uint32_t p : f.pixels)
        if (p == 0xFF00FF) return true;
    return false;
}

// Whether a pixel near (x, y) is within the distance of the colour.
bool GameColourNear(const Frame& f, float x, float y, uint32_t rgb, int distance, int reach = 3) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const int px = int(x) + dx, py = int(y) + dy;
            if (px < 0 || py < 0 || px >= f.width || py >= f.height) continue;
            if (ColourDistance(f.At(px, py), rgb) <= distance) return true;
        }
    return false;
}

uint32_t GameShirtRgb(int side) {
    const uint8_t* kit = GameInfo.bytes + TeamInfoAt(side) + kTeamKit;
    const KitColour& c = GetKitColour(int16_t(kit[2] | kit[3] << 8));
    return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
}

// The figure of a side nearest the middle of the screen whose chest is in
// view, or -1.
int GameFigureInView(int side, float* sx, float* sy) {
    int best = -1;
    float bestDistance = 1e9f;
    for (int figure = side * 16; figure < side * 16 + 11; ++figure) {
        const DisplayFigure& row = DisplayTable[figure];
        if (row.clip < 0) continue;
        float x = 0, y = 0;
        if (!Figure_ProjectToScreen(row.x, row.y, row.height + 20.0f, &x, &y)) continue;
        if (x < 10 || y < 70 || x > 790 || y > 590) continue;
        const float d = std::hypot(x - 400.0f, y - 300.0f);
        if (d < bestDistance) {
            bestDistance = d, best = figure, *sx = x, *sy = y;
        }
    }
    return best;
}

// Under the display's own lights (lighting on, the default) a figure seen
// from the side turned away from the sun still wears its kit's colour, as
// it does unlit, and the ball stays white.
TEST_F(D3DGameTest, LitFiguresCarryTheirKitColours) {
    PrepareMatchRecord();
    ASSERT_EQ(+VideoGetChoice()->Lighting, 1);
    Match3D_DisplayOn();
    ASSERT_TRUE(D3DGame_IsStarted());
    for (DisplayFigure& row : DisplayTable) row.clip = -1;
    DisplayTable[1] = DisplayFigure{796.0f, 1082.0f, 0, 1, 0, 0};
    DisplayTable[35] = DisplayFigure{796.0f, 1062.0f, 4.0f, -1, 0, 0};
    const auto draw = [](int lit, const char* grab) {
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        D3DBeginScene();
        D3DGame_SetDefaultStates();
        D3DGame_SetLighting(lit);
        Players3D_Draw();
        Ball_Draw();
        D3DEndScene();
        return testenv::GrabFrame(grab);
    };
    const uint32_t kit = GameShirtRgb(0);
    // The sun shines along (14, 10, -20): the eye stands on the far side.
    for (float side : {-1.0f, 1.0f}) {
        const float d = 120.0f * side;
        MatchCam_SetView(796.0f + d, 1082.0f + d * 0.7f, 72.0f, std::atan2(d, d * 0.7f),
                         std::atan2(-52.0f, std::fabs(d) * 1.22f) - 1.5707964f, 1.0f);
        float sx = 0, sy = 0;
        ASSERT_TRUE(Figure_ProjectToScreen(796.0f, 1082.0f, 22.0f, &sx, &sy));
        const Frame unlit = draw(0, "lit_figure_off.tga"), lit = draw(1, "lit_figure_on.tga");
        const uint32_t chestLit = lit.At(int(sx), int(sy)), chestUnlit = unlit.At(int(sx), int(sy));
        EXPECT_LT(ColourDistance(chestUnlit, kit), 110) << std::hex << chestUnlit << " " << kit;
        EXPECT_LT(ColourDistance(chestLit, chestUnlit), 60) << std::hex << chestLit << " " << chestUnlit;
        ASSERT_TRUE(Figure_ProjectToScreen(796.0f, 1062.0f, 4.0f, &sx, &sy));
        EXPECT_TRUE(GameColourNear(lit, sx, sy, 0xF0F0F0, 100, 2)) << side;
    }
}

TEST_F(ShownMatchTest, AWholeMatchIsShown) {
    static constexpr int kPanelTurnFrames = 26;
    PrepareShownMatch(4242);
    struct Seen {
        Frame flyIn100, flyIn300, play, playNoRadar, beforeReplay, caption, beforeF2, replayPanel;
        float yaw100 = 0, yaw300 = 0;
        bool shirts[2] = {false, false};
        bool ball = false, green = false, windowGreen = false;
        int captionPixels = 0, captionPixelsBefore = 0;
        // 0 fly-in, 1 undrawn to the kick-off, 2 play, 3 under H, 4 the automatic
        // replay, 5 F2, 6 drawing off (U), 7 a goal under U, 8 done.
        int phase = 0;
        int32_t mark = 0;
        int playFrames = 0;
        int ticksUnderH = 0;
        int replayCamera = 0;
        uint32_t chest[2] = {0, 0};
        bool shirtsDone = false;
        int radarOffAt = 0;
        int ticksUnderU = 0;
        bool replayUnderU = false;
    };
    static Seen seen;
    seen = Seen{};
    // Pixels of the caption's colour (a strong green at half strength) in
    // the box the caption takes at the top of the screen.
    const auto captionCount = [](const Frame& f) {
        const uint32_t colour = ColourList[52] & 0xFFFFFF;
        const auto captionLike = [colour](uint32_t p) {
            const int r = int(p >> 16 & 255), g = int(p >> 8 & 255), b = int(p & 255);
            return colour == 0x00FF00 && g > 180 && g > r + 80 && g > b + 80;
        };
        const int half = int(Icon_TextWidth(kFont24, GetText(126), int(std::strlen(GetText(126))))) / 2 + 4;
        int count = 0;
        for (int y = 8; y < 40; ++y)
            for (int x = 400 - half; x < 400 + half; ++x) count += captionLike(f.At(x, y));
        return count;
    };
    frameScript_ = [captionCount](int32_t frame) {
        if (frame > 3000) {
            ADD_FAILURE() << "too many frames drawn in step " << seen.phase;
            MatchFinished = 1;
        }
        switch (seen.phase) {
            case 0:
                if (frame == 100) {
                    seen.flyIn100 = testenv::GrabFrame("grab0100.tga");
                    seen.yaw100 = ShownView.yaw;
                } else if (frame == 300) {
                    seen.flyIn300 = testenv::GrabFrame("grab0300.tga");
                    seen.yaw300 = ShownView.yaw;
                    FlyInHeight = 0.0f;  // the rest of the fly-in is not needed
                    CameraType = 0;
                    // Nothing drawn through the line-up and the kick-off.
                    GameInjectKey(matchkey::kH);
                    seen.phase = 1;
                }
                break;
            case 2: {
                ++seen.playFrames;
                // The clock and score panels turn in over 20 drawn frames
                // after drawing comes back: the play grab waits for them.
                const bool bothShirts = seen.shirts[0] && seen.shirts[1];
                if (seen.playFrames >= 5 && !seen.shirtsDone &&
                    (!bothShirts || seen.playFrames == 5 || seen.playFrames >= kPanelTurnFrames)) {
                    // Grabs until a chest of each side has been seen in view.
                    const Frame now = testenv::GrabFrame("grab_play.tga");
                    for (int side = 0; side < 2; ++side) {
                        float x = 0, y = 0;
                        if (seen.shirts[side] || GameFigureInView(side, &x, &y) < 0) continue;
                        seen.shirts[side] = GameColourNear(now, x, y, GameShirtRgb(side), 90, 4);
                        seen.chest[side] = now.At(int(x), int(y));
                    }
                    if (seen.playFrames == 5) {
                        const auto mostlyGreen = [](const std::vector<uint32_t>& pixels) {
                            int greenPixels = 0;
                            for (uint32_t p : pixels) {
                                const int r = int(p >> 16 & 255), g = int(p >> 8 & 255), b = int(p & 255);
                                greenPixels += g > r + 10 && g > b + 10;
                            }
                            return greenPixels * 10 > int(pixels.size()) * 3;
                        };
                        seen.green = mostlyGreen(now.pixels);
                        // What the window shows, not only what the device drew:
                        // a windowed game copies the drawn screen into it.
                        std::vector<uint32_t> shown;
                        int width = 0, height = 0;
                        plat::LastPresentedFrame(&shown, &width, &height);
                        seen.windowGreen = width == 800 && height == 600 && mostlyGreen(shown);
                    }
                    // The ball too, once it is in view: a high ball may be
                    // out of the picture for a while.
                    float bx = 0, by = 0;
                    const DisplayFigure& ball = DisplayTable[35];
                    if (!seen.ball && Figure_ProjectToScreen(ball.x, ball.y, ball.height + 4.0f, &bx, &by))
                        seen.ball = GameColourNear(now, bx, by, 0xF0F0F0, 100, 4);
                    // Play may run on one side's half for a while before
                    // the other side comes into view.
                    seen.shirtsDone = (seen.shirts[0] && seen.shirts[1] && seen.ball &&
                                       seen.playFrames >= kPanelTurnFrames) ||
                                      seen.playFrames >= 400;
                    if (seen.shirtsDone) {
                        seen.play = now;
                        PitchRadarSwitch = 0;
                        seen.radarOffAt = seen.playFrames + 1;
                    }
                } else if (seen.shirtsDone && seen.playFrames == seen.radarOffAt) {
                    seen.playNoRadar = testenv::GrabFrame("grab_noradar.tga");
                    PitchRadarSwitch = 1;
                    seen.beforeReplay = seen.playNoRadar;
                    // Drawing off until the next goal's automatic replay.
                    GameInjectKey(matchkey::kH);
                    seen.phase = 3;
                }
                break;
            }
            case 4:
                // The first frame of the automatic replay, under its camera.
                seen.caption = testenv::GrabFrame("grab_caption.tga");
                seen.replayCamera = MatchCam_GetMode();
                seen.captionPixels = captionCount(seen.caption);
                seen.captionPixelsBefore = captionCount(seen.beforeReplay);
                Replay_Stop();
                seen.phase = 5;
                seen.mark = frame;
                break;
            case 5:
                if (frame == seen.mark + 5) {
                    seen.beforeF2 = testenv::GrabFrame("grab_beforef2.tga");
                    GameInjectKey(matchkey::kF2);
                } else if (frame == seen.mark + 8 && Replay_IsPlaying()) {
                    seen.replayPanel = testenv::GrabFrame("grab_replaypanel.tga");
                    Replay_Stop();
                    DrawMode = 1;
                    seen.phase = 6;
                }
                break;
            case 6:
            case 7:
            case 8:
                // Each later period starts drawing again: off at once.
                DrawMode = 1;
                break;
            default:
                break;
        }
    };
    tickScript_ = [] {
        if (seen.phase == 1) {
            // Play under way: drawing on again, as if the user had come
            // back to watch.
            if (MatchClockRunning && PeriodClock > 150) {
                EXPECT_EQ(DrawMode, 2);
                DrawMode = 0;
                seen.phase = 2;
            }
        } else if (seen.phase == 3 && ++seen.ticksUnderH == 100) {
            // A goal while drawing is off: its automatic replay switches
            // drawing on.
            EXPECT_EQ(DrawMode, 2);
            ++Goals[0];
            seen.phase = 4;
        } else if (seen.phase == 6 && DrawMode == 1 && MatchClockRunning) {
            // A goal while drawing is off under U: no automatic replay.
            ++Goals[0];
            seen.phase = 7;
        } else if (seen.phase == 7 && ++seen.ticksUnderU == 300) {
            seen.phase = 8;
        }
    };
    // Every pass of the loop polls first: a replay under way is seen there
    // (the engine does not step, so no tick sees it).
    static void (*gamePoll)() = nullptr;
    CoreHooks hooks = CoreGetHooks();
    gamePoll = hooks.poll;
    hooks.poll = [] {
        if (gamePoll != nullptr) gamePoll();
        if (seen.phase == 7 && Replay_IsPlaying()) seen.replayUnderU = true;
    };
    CoreSetHooks(hooks);
    PlayShown();
    hooks.poll = gamePoll;
    CoreSetHooks(hooks);
    EXPECT_GE(seen.phase, 7) << "the script did not run through";
    EXPECT_GE(seen.ticksUnderU, 100);
    EXPECT_FALSE(seen.replayUnderU) << "no automatic replay with U held";
    ASSERT_FALSE(seen.flyIn300.pixels.empty());
    // The fly-in turns: the view has gone round and the ground with it.
    EXPECT_GT(std::fabs(seen.yaw300 - seen.yaw100), 1.0f);
    EXPECT_GT(testenv::DifferingShare(seen.flyIn100, seen.flyIn300, 0, 0, 800, 600), 25);
    EXPECT_TRUE(seen.green) << "the pitch in front of the camera";
    EXPECT_TRUE(seen.windowGreen) << "the pitch in the window";
    EXPECT_TRUE(seen.shirts[0]) << "home shirt " << std::hex << GameShirtRgb(0) << " at " << seen.chest[0];
    EXPECT_TRUE(seen.shirts[1]) << "away shirt " << std::hex << GameShirtRgb(1) << " at " << seen.chest[1];
    EXPECT_TRUE(seen.ball);
    // The clock at the top right and the score at the top left carry text.
    EXPECT_GT(testenv::WhiteTextPixels(seen.play, 712, 10, 790, 34), 20) << "clock";
    EXPECT_TRUE(testenv::ScorePanelInView(seen.play)) << "score";
    // The radar at the right comes and goes with its switch.
    EXPECT_GT(testenv::DifferingShare(seen.play, seen.playNoRadar, 640, 330, 760, 470), 15);
    EXPECT_LT(testenv::DifferingShare(seen.play, seen.playNoRadar, 200, 200, 600, 400), 15);
    // The caption of the automatic replay at the top of the screen.
    EXPECT_GE(seen.replayCamera, 1);
    EXPECT_GT(seen.captionPixels, 20) << std::hex << ColourList[52];
    EXPECT_LT(seen.captionPixelsBefore, seen.captionPixels / 4);
    // F2 opened a replay with its control panel at the bottom.
    ASSERT_FALSE(seen.replayPanel.pixels.empty());
    EXPECT_GT(testenv::DifferingShare(seen.beforeF2, seen.replayPanel, 250, 500, 550, 590), 30);
    for (const Frame* f : {&seen.flyIn100, &seen.flyIn300, &seen.play, &seen.caption, &seen.replayPanel})
        EXPECT_FALSE(GameHasMagenta(*f));
    EXPECT_FALSE(D3DGame_IsStarted()) << "the display ends with the match";
}

// A watched match kept for a person to look at (in match_view/ of the build
// tree, as TGA pictures): the fly-in, the line-up before the kick-off, the
// information panel, every camera type, every stand camera of the ground and
// the replay screen with its controls.
TEST_F(ShownMatchTest, AWatchedMatchIsKeptAtEveryCamera) {
    PrepareShownMatch(4242);
    // Names on the panels and labels, as a game's match has them.
    constexpr const char* kNames[] = {"Aberg", "Brandt",    "Curran", "Dalgety",  "Evans", "Forsyth",
                                      "Gunn",  "Halvorsen", "Innes",  "Jardine",  "Kerr",  "Lindqvist",
                                      "Munro", "Nilsen",    "Orr",    "Pettersen"};
    for (int side = 0; side < 2; ++side) {
        const int16_t club = side == 0 ? home_ : away_;
        uint8_t* team = GameInfo.bytes + TeamInfoAt(side);
        std::memset(team + kTeamName, 0, kTeamNameLength);
        std::snprintf(reinterpret_cast<char*>(team + kTeamName), kTeamNameLength, "%s",
                      club < DEFAULT_CLUB_NAME_COUNT ? DefaultClubNames[club] : "Visitors");
        for (int entry = 0; entry < 16; ++entry) {
            uint8_t* name = GameInfo.bytes + PlayerInfoAt(side, entry) + kPlayerInfoName;
            std::memset(name, 0, kPlayerNameLength);
            std::memcpy(name, kNames[(entry + 5 * side) % 16], std::strlen(kNames[(entry + 5 * side) % 16]));
        }
    }
    struct Kept {
        std::string dir;
        std::vector<std::string> names;
        int phase = 0;  // 0 fly-in, 1 line-up, 2 kick-off, 3 types, 4 stand cameras, 5 replay, 6 done
        int32_t mark = 0;
        int step = 0;
        bool magenta = false;
        std::string attendanceText;
    };
    static Kept kept;
    kept = Kept{};
    kept.dir = HALVORN_MATCH_VIEW_DIR;
    std::filesystem::create_directories(kept.dir);
    static const auto keep = [](const std::string& name) {
        kept.magenta |= GameHasMagenta(testenv::GrabFrame(kept.dir + name + ".tga"));
        kept.names.push_back(name);
    };
    constexpr int kSettle = 40;  // frames for a camera to glide to its view
    frameScript_ = [](int32_t frame) {
        if (frame > 6000) {
            ADD_FAILURE() << "too many frames drawn in step " << kept.phase;
            MatchFinished = 1;
        }
        switch (kept.phase) {
            case 0:
                if (frame == 150) keep("flyin");
                if (frame == 160) {
                    FlyInHeight = 0.0f;
                    CameraType = 0;
                    kept.phase = 1;
                    kept.mark = frame;
                }
                break;
            case 1:
                if (frame == kept.mark + 80) keep("before_kickoff");
                if (MatchClockRunning && frame > kept.mark + 80) {
                    kept.phase = 2;
                    kept.mark = frame;
                }
                break;
            case 2:
                if (frame == kept.mark + 30) InfoBar(19, -1, 0);
                if (frame == kept.mark + 60) {
                    keep("information_panel");
                    kept.attendanceText = InfoBar_GetText();
                    kept.phase = 3;
                    kept.mark = frame;
                    kept.step = 0;
                }
                break;
            case 3:
                // Types 0-7 (the keys), 8-10 and the view settings' 11-15.
                if (frame == kept.mark + 1) CameraType = int16_t(kept.step);
                if (frame == kept.mark + kSettle) {
                    keep("camera_type_" + std::to_string(kept.step));
                    kept.mark = frame;
                    if (++kept.step == kStadiumCameras) {
                        kept.phase = 4;
                        kept.step = 0;
                        SelectedCamera[0] = Stadium_GetCameraCount(0) - 1;
                        MatchCam_Cycle(+1);
                    }
                }
                break;
            case 4:
                if (frame == kept.mark + 2 * kSettle) {
                    keep("stand_camera_" + std::to_string(kept.step + 1));
                    kept.mark = frame;
                    if (++kept.step < Stadium_GetCameraCount(0)) {
                        MatchCam_Cycle(+1);
                    } else {
                        CameraType = 0;
                        GameInjectKey(matchkey::kF2);
                        kept.phase = 5;
                    }
                }
                break;
            case 5:
                if (frame == kept.mark + kSettle && Replay_IsPlaying()) {
                    keep("replay");
                    Replay_Stop();
                    kept.phase = 6;
                }
                break;
            default:
                DrawMode = 1;  // the rest of the match undrawn
                break;
        }
    };
    tickScript_ = [] {};
    PlayShown();
    EXPECT_EQ(kept.phase, 6) << "the script did not run through";
    EXPECT_FALSE(kept.magenta) << "a texture missing in a kept picture";
    EXPECT_EQ(kept.attendanceText.rfind(GetText(273), 0), 0u) << kept.attendanceText;
    for (const std::string& name : kept.names)
        EXPECT_TRUE(std::filesystem::exists(kept.dir + name + ".tga")) << name;
    EXPECT_GE(kept.names.size(), size_t(3 + kStadiumCameras + 2));
}

// ---- The user's side in a shown match ----------------------------------------

// What the scripted user saw and did on his visits to the in-match menus.
struct VisitSeen {
    int phase = 0;  // 0 fly-in, 1 undrawn to play, 2 Esc due, 3 in the menus, 4 back, 5 second Esc, 6 done
    int16_t slots[2] = {-1, -1};
    const MenuItem* escTable = nullptr;
    const MenuItem* teamTable = nullptr;
    int escVisits = 0, engineVisits = 0, halfTimeVisits = 0;
    bool stoppageAsked = false, substituted = false, subAtStoppage = false;
    int16_t coming = -1, leaving = -1;
    int leavingRow = -1;
    int framesAfter = 0;
    Frame after;
    int16_t swappedTwo = -1, swappedFive = -1;
};
VisitSeen g_visit;

bool VisitScreenUp(const MenuItem* table) {
    return InGameMenuActive == 1 && ScreenPresented == 1 && !MenuViewHotItems().empty() &&
           MenuViewTopTable() == table;
}
void VisitWaitFor(const MenuItem* table) {
    testenv::MenuUserWaitFor([table] { return VisitScreenUp(table); }, 3000);
}
std::function<bool(const MenuHotItem&)> VisitListRow(int row) {
    return
        [row](const MenuHotItem& item) { return item.x == 40 && item.w == 280 && item.y == 110 + 22 * row; };
}
std::function<bool(const MenuHotItem&)> VisitBenchRow(int row) {
    return
        [row](const MenuHotItem& item) { return item.x == 40 && item.w == 280 && item.y == 360 + 22 * row; };
}
// From the team statistics through the bar's left pop-up to the side's team
// screen; each click waits for the press animation of the one before.
void VisitOpenTeamScreen() {
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x < 100 && item.y >= 550; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    VisitWaitFor(IgTeamTable);
    testenv::MenuUserDo([] { g_visit.teamTable = MenuViewTopTable(); });
}
void VisitClickAndSettle(std::function<bool(const MenuHotItem&)> match) {
    testenv::MenuUserClickItem(std::move(match));
    testenv::MenuUserWait(20);
}
void VisitLeave() {
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
}

// Each visit opens on the side's team statistics; what the user does there
// follows from why it opened.
void VisitDispatch() {
    static int idle = 0;
    if (!VisitScreenUp(IgTeamStatsTable)) {
        // A screen the script does not leave would hold the match for ever.
        if (InGameMenuActive == 1 && ++idle == 3000) {
            ADD_FAILURE() << "the menus stayed open";
            plat::InjectClose();
        }
        testenv::MenuUserDo(VisitDispatch);
        return;
    }
    idle = 0;
    if (InGameMenuArgGiven == 0 && g_visit.escVisits == 0) {
        // Esc: two list rows swapped, the back icon.
        ++g_visit.escVisits;
        g_visit.slots[0] = GetMatchSideSlot(0, 2);
        g_visit.slots[1] = GetMatchSideSlot(0, 5);
        g_visit.escTable = MenuViewTopTable();
        VisitOpenTeamScreen();
        VisitClickAndSettle(VisitListRow(2));
        VisitClickAndSettle(VisitListRow(5));
        VisitLeave();
    } else if (InGameMenuArgGiven == 0) {
        // Esc again: the return button asks for a stoppage.
        ++g_visit.escVisits;
        VisitOpenTeamScreen();
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 507 && item.y == 490; });
        testenv::MenuUserDo([] { g_visit.stoppageAsked = ChangePending[0] == 1; });
    } else if (g_visit.stoppageAsked && !g_visit.substituted) {
        // The engine's visit: a bench player for row 3, confirmed.
        ++g_visit.engineVisits;
        g_visit.substituted = true;
        g_visit.subAtStoppage = MatchFinished == 0;
        // A player without a role goes off: the roles stay on the pitch.
        int row = 1;
        while (row < 10 && (MatchIsCaptain(0, GetMatchSideSlot(0, int16_t(row))) != 0 ||
                            MatchIsCornerTaker(0, GetMatchSideSlot(0, int16_t(row))) != 0 ||
                            MatchIsPenaltyTaker(0, GetMatchSideSlot(0, int16_t(row))) != 0 ||
                            MatchIsFreeKickTaker(0, GetMatchSideSlot(0, int16_t(row))) != 0))
            ++row;
        g_visit.leavingRow = row;
        g_visit.coming = GetMatchSideSlot(0, 11);
        g_visit.leaving = GetMatchSideSlot(0, int16_t(row));
        VisitOpenTeamScreen();
        VisitClickAndSettle(VisitBenchRow(0));
        testenv::MenuUserClickItem(VisitListRow(row));
        testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
        testenv::MenuUserWait(5);
        // The box's buttons are placed when it opens: what follows is
        // queued from there.
        testenv::MenuUserDo([] {
            testenv::MenuUserClickAt(YesNoButtons[0].left + 4, YesNoButtons[0].top + 4);
            testenv::MenuUserWait(20);
            VisitLeave();
            testenv::MenuUserWait(5);
            testenv::MenuUserDo(VisitDispatch);
        });
        return;
    } else {
        // Between periods: looked at and left.
        ++g_visit.halfTimeVisits;
        VisitLeave();
    }
    testenv::MenuUserWait(5);
    testenv::MenuUserDo(VisitDispatch);
}

// The user's side of a shown match: Esc at play opens its team statistics;
// the bar's left button and its pop-up lead to the team screen, where two
// list rows are swapped; the back icon returns to the match, which plays on
// drawn with the swap in its line-up.  A second Esc and the team screen's
// return button ask for a stoppage, where the engine opens the side's menus
// and a substitute comes on; between periods the side's statistics come up
// and are left.
TEST_F(ShownMatchTest, EscTheTeamScreenASwapAndASubstitutionAtTheStoppage) {
    PrepareShownMatch(5150);
    GetMatchSetupBlock()->SetI16(kDurationMinutes, 2);
    GetMatchSetupBlock()->SetTeamU8(0, kHumanManaged, 1);
    g_visit = VisitSeen{};
    testenv::MenuUserStart();
    testenv::MenuUserDo(VisitDispatch);
    frameScript_ = [](int32_t frame) {
        if (frame > 6000) {
            ADD_FAILURE() << "too many frames drawn in step " << g_visit.phase;
            MatchFinished = 1;
        }
        if (g_visit.phase == 0) {
            FlyInHeight = 0.0f;
            GameInjectKey(matchkey::kH);
            g_visit.phase = 1;
        } else if (g_visit.phase == 2) {
            GameInjectKey(matchkey::kEsc);
            g_visit.phase = 3;
        } else if (g_visit.phase == 4 && ++g_visit.framesAfter == 5) {
            g_visit.after = testenv::GrabFrame("grab_afterteam.tga");
            g_visit.swappedTwo = GetMatchSideSlot(0, 2);
            g_visit.swappedFive = GetMatchSideSlot(0, 5);
            GameInjectKey(matchkey::kEsc);
            g_visit.phase = 5;
        } else if (g_visit.phase == 6) {
            DrawMode = 1;  // later periods start drawn
        }
    };
    tickScript_ = [] {
        if (g_visit.phase == 1 && MatchClockRunning && PeriodClock > 150) {
            DrawMode = 0;
            g_visit.phase = 2;
        } else if (g_visit.phase == 3 && InGameMenuActive == 0 && g_visit.escVisits == 1) {
            g_visit.phase = 4;
        } else if (g_visit.phase == 5 && InGameMenuActive == 0 && g_visit.escVisits == 2) {
            DrawMode = 1;
            g_visit.phase = 6;
        }
    };
    PlayShown();
    testenv::MenuUserStop();
    EXPECT_EQ(g_visit.escTable, IgTeamStatsTable);
    EXPECT_EQ(g_visit.teamTable, IgTeamTable);
    EXPECT_EQ(g_visit.escVisits, 2);
    ASSERT_GE(g_visit.phase, 6) << "play did not resume drawn";
    EXPECT_EQ(g_visit.swappedTwo, g_visit.slots[1]);
    EXPECT_EQ(g_visit.swappedFive, g_visit.slots[0]);
    EXPECT_NE(g_visit.slots[0], g_visit.slots[1]);
    EXPECT_GT(testenv::GreenPercent(g_visit.after), 30) << "the pitch after the return";
    // The stoppage the return button asked for, and the substitution made
    // there.
    EXPECT_TRUE(g_visit.stoppageAsked);
    EXPECT_EQ(g_visit.engineVisits, 1);
    EXPECT_TRUE(g_visit.subAtStoppage);
    EXPECT_EQ(MatchGetSubsUsed(0), 1);
    EXPECT_EQ(GetMatchSideSlot(0, int16_t(g_visit.leavingRow)), g_visit.coming);
    EXPECT_NE(g_visit.coming, g_visit.leaving);
    EXPECT_EQ(g_visit.halfTimeVisits, 1) << "the side's statistics at half-time";
    EXPECT_FALSE(D3DGame_IsStarted());
}

// A cup tie forced level to penalties: before the kicks the shoot-out order
// comes up for the user's side; he swaps his first two kickers, and the
// first kick of his side is taken by the one he put first.
TEST_F(ShownMatchTest, APenaltyShootOutOpensTheOrderAndTheUsersOrderIsTaken) {
    PrepareShownMatch(6262);
    EnterGameInfo* block = GetMatchSetupBlock();
    block->SetU8(kExtraTime, 0);
    block->SetU8(kPenalties, 1);
    block->SetU8(kGoldenGoals, 0);
    block->SetU8(kAwayGoalsRule, 0);
    block->SetTeamU8(0, kHumanManaged, 1);
    struct Seen {
        int orderVisits = 0, otherVisits = 0;
        int16_t arg = -1;
        uint16_t before[2] = {0, 0};
        uint16_t after[2] = {0, 0};
        uint16_t firstKicker = 0;
    };
    static Seen seen;
    seen = Seen{};
    static void (*dispatch)() = nullptr;
    dispatch = [] {
        if (VisitScreenUp(IgTeamStatsTable)) {
            ++seen.otherVisits;
            VisitLeave();
        } else if (VisitScreenUp(IgShootoutTable)) {
            ++seen.orderVisits;
            seen.arg = InGameMenuArg;
            seen.before[0] = ShootoutOrder[0][0];
            seen.before[1] = ShootoutOrder[0][1];
            const auto place = [](int row) {
                return [row](const MenuHotItem& item) { return item.x == 40 && item.y == 137 + 24 * row; };
            };
            VisitClickAndSettle(place(0));
            VisitClickAndSettle(place(1));
            testenv::MenuUserDo([] {
                seen.after[0] = ShootoutOrder[0][0];
                seen.after[1] = ShootoutOrder[0][1];
            });
            testenv::MenuUserClickItem(
                [](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        } else {
            static int idle = 0;
            if (InGameMenuActive == 1 && ++idle == 3000) {
                ADD_FAILURE() << "the menus stayed open";
                plat::InjectClose();
            }
            testenv::MenuUserDo(dispatch);
            return;
        }
        testenv::MenuUserWait(5);
        testenv::MenuUserDo(dispatch);
    };
    testenv::MenuUserStart();
    testenv::MenuUserDo(dispatch);
    // Undrawn but for each period's first frame.
    frameScript_ = [](int32_t) { DrawMode = 1; };
    tickScript_ = [] {
        // Level at the end of the second half.
        if (Period == 1 && MatchTimeUp) Goals[1] = Goals[0];
        if (Period == 4 && MatchPhase == kPhasePenalty && CurrentTeam == 0 && seen.firstKicker == 0)
            seen.firstKicker = uint16_t(MatchFigurePlayerId(KickOffTaker));
    };
    PlayShown();
    testenv::MenuUserStop();
    EXPECT_EQ(seen.orderVisits, 1) << "the order before the kicks";
    EXPECT_EQ(seen.arg, 0);
    EXPECT_EQ(seen.otherVisits, 1) << "the side's statistics at half-time";
    EXPECT_NE(seen.before[0], seen.before[1]);
    EXPECT_EQ(seen.after[0], seen.before[1]);
    EXPECT_EQ(seen.after[1], seen.before[0]);
    EXPECT_EQ(seen.firstKicker, seen.after[0]) << "his first kicker takes the first kick";
    EXPECT_GT(ShootOutGoals[0] + ShootOutGoals[1], 0);
}

// The first byte at which two result blocks differ, -1 for none.
int GameFirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return int(i);
    return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

// The unshown match played in a child process that starts from this
// process's state (the engine keeps some statics from match to match, so
// two matches in one process do not start alike); its result block comes
// back through a pipe.
std::vector<uint8_t> GameUnshownResultInChild() {
    return testenv::BytesFromChild([] {
        DisplayModeFlags = kDisplayOff;
        MatchPeriodRunner = Match_RunPeriod;
        PlayMatch();
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&MatchResult);
        return std::vector<uint8_t>(bytes, bytes + sizeof MatchResult);
    });
}

TEST_F(ShownMatchTest, DrawingDoesNotChangeTheMatch) {
    PrepareShownMatch(777);
    const std::vector<uint8_t> unshown = GameUnshownResultInChild();
    ASSERT_EQ(unshown.size(), sizeof MatchResult);

    // Shown, drawing off from the first frame of each period and the sound
    // module (whose plays draw from the shared generator) unhooked: the
    // display's own work (camera, replay ring, panels, keys) draws nothing
    // and changes nothing.
    frameScript_ = [](int32_t) { GameInjectKey(matchkey::kU); };
    MatchHooks.displayOn = [] {
        Match3D_DisplayOn();
        MatchHooks.soundEvent = nullptr;
    };
    PlayShown();
    EXPECT_GT(D3DGameFramesDrawn, 0);
    EXPECT_EQ(GameFirstDifference(ResultBytes(), unshown), -1) << "shown under U and not shown differ";
}

// The drawn ball turns as it rolls: a ball running along the pitch turns
// about the across axis by the distance over its radius, forward, and not
// about the other axis.
TEST_F(ShownMatchTest, TheShownBallRollsAsItMoves) {
    PrepareShownMatch(2024);
    struct Roll {
        float x = 0, y = 0, angle[2] = {0, 0};
        bool known = false;
        int along = 0, alongAsRolled = 0, turned = 0;
    };
    static Roll roll;
    roll = Roll{};
    frameScript_ = [](int32_t) { GameInjectKey(matchkey::kU); };
    tickScript_ = [] {
        const DisplayFigure& ball = DisplayTable[kBallFigure];
        const float dx = ball.x - roll.x, dy = ball.y - roll.y;
        const float turn0 = std::remainder(DisplayBallRoll[0] - roll.angle[0], 2.0f * kPiF);
        const float turn1 = std::remainder(DisplayBallRoll[1] - roll.angle[1], 2.0f * kPiF);
        if (roll.known && (turn0 != 0.0f || turn1 != 0.0f)) ++roll.turned;
        // A run straight along the pitch, short of half a turn a tick.
        if (roll.known && dx == 0.0f && std::fabs(dy) >= 4.0f && std::fabs(dy) < kPiF * kBallRadiusUnits) {
            ++roll.along;
            const bool asRolled = std::fabs(turn0 - dy / kBallRadiusUnits) < 0.5f && std::fabs(turn1) < 0.5f;
            roll.alongAsRolled += asRolled;
        }
        roll = Roll{ball.x,     ball.y,     {DisplayBallRoll[0], DisplayBallRoll[1]},
                    true,       roll.along, roll.alongAsRolled,
                    roll.turned};
    };
    PlayShown();
    EXPECT_GT(roll.turned, 200);
    ASSERT_GT(roll.along, 10);
    EXPECT_GE(roll.alongAsRolled * 10, roll.along * 9) << roll.alongAsRolled << " of " << roll.along;
}

// A shown match played in a child process from a state before any display
// or match: every run starts alike.
class GameShownRun : public ShownMatchTest {
  public:
    void TestBody() override {}
    std::vector<uint8_t> Play(uint32_t seed) {
        SetUp();
        PrepareShownMatch(seed);
        // Drawn at the start of each period, then off.
        frameScript_ = [](int32_t) { GameInjectKey(matchkey::kU); };
        PlayShown();
        std::vector<uint8_t> bytes = ResultBytes();
        if (D3DGameFramesDrawn == 0) bytes.clear();  // not shown after all
        TearDown();
        return bytes;
    }
};

std::vector<uint8_t> GameShownResultInChild(uint32_t seed) {
    return testenv::BytesFromChild([seed] {
        GameShownRun run;
        return run.Play(seed);
    });
}

TEST(ShownMatchTwiceTest, TheSameInputGivesTheSameMatch) {
    const std::vector<uint8_t> first = GameShownResultInChild(31337);
    const std::vector<uint8_t> second = GameShownResultInChild(31337);
    ASSERT_EQ(first.size(), sizeof MatchResult);
    EXPECT_EQ(GameFirstDifference(first, second), -1);
}

}  // namespace
