// The overlay panels: the flip panels' turn and content swap, the clock's
// time, the team panels giving way to the information bar, the replay
// control panel's buttons under a held mouse button, and grabs of the
// panels' texts, the hovered button, the pointer and the time bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/infobar.h"
#include "core/match/matchclock.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "game/match3d/flagtable.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/panels.h"
#include "game/match3d/replaypanel.h"
#include "game/system/device3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr uint32_t kPanelTicksPerPeriod = 45 * 60 * 50;

void PanelMatchState() {
    Period = 0;
    Goals[0] = Goals[1] = 0;
    ShootOutGoals[0] = ShootOutGoals[1] = 0;
    PeriodLength = kPanelTicksPerPeriod;
    PeriodClock = 0;
    MatchClockRunning = 1;
    ChangePending[0] = ChangePending[1] = 0;
    SimMenuMode = SimMenuLine = 0;
    InfoBar_Reset();
}

void PanelSteps(int n) {
    for (int i = 0; i < n; ++i) {
        ScorePanel_Update();
        ClockPanel_Update();
        TeamPanel_Update();
        InfoPanel_Update();
        MenuPanel_Update();
    }
}

TEST(FlipPanelTest, AGoalTurnsTheScoreThroughTwentyAndTwentyFrames) {
    PanelMatchState();
    ScorePanel_Init();
    PanelSteps(60);
    EXPECT_EQ(ScorePanel.key, 0);
    EXPECT_FLOAT_EQ(ScorePanel.angle, 0.0f);
    EXPECT_FLOAT_EQ(ScorePanel.hide, 0.0f);

    Goals[0] = 1;
    int frames = 0, swappedAt = -1;
    while (frames < 100) {
        ScorePanel_Update();
        ++frames;
        if (swappedAt < 0 && ScorePanel.key == 256) {
            swappedAt = frames;
            // The new score is taken while the back faces the viewer.
            EXPECT_GE(ScorePanel.angle, 1.5707962f);
            EXPECT_LE(ScorePanel.angle, 4.7123886f);
        }
        if (ScorePanel.key == 256 && ScorePanel.angle == 0.0f) break;
    }
    // Taken once the panel stands edge-on (a quarter turn), and the whole
    // turn takes 20 + 20 frames.
    EXPECT_NEAR(swappedAt, 11, 1);
    EXPECT_NEAR(frames, 40, 1);

    // Two goals inside the half turn: only the last score is ever shown.
    Goals[1] = 1;
    bool sawMiddle = false;
    for (int i = 0; i < 60; ++i) {
        if (i == 8) Goals[1] = 2;
        ScorePanel_Update();
        sawMiddle = sawMiddle || ScorePanel.key == 256 + 1;
    }
    EXPECT_FALSE(sawMiddle);
    EXPECT_EQ(ScorePanel.key, 256 + 2);
    EXPECT_FLOAT_EQ(ScorePanel.angle, 0.0f);

    // Short of a full turn by less than a step, the panel still turns on
    // through it rather than jumping to its target.
    ScorePanel.angle = 6.2831848f - 0.1f;
    ScorePanel_Update();
    EXPECT_NEAR(ScorePanel.angle, 0.15707962f - 0.1f, 1e-5f);
    ScorePanel_Update();
    EXPECT_FLOAT_EQ(ScorePanel.angle, 0.0f);

    // The shoot-out shows the shoot-out goals.
    Period = 4;
    ShootOutGoals[0] = 3;
    PanelSteps(60);
    EXPECT_EQ(ScorePanel.key, 3 * 256);
}

TEST(FlipPanelTest, ClockTimeAndItsBackOutsideAPeriod) {
    PanelMatchState();
    int minutes = -1, seconds = -1;
    PeriodClock = kPanelTicksPerPeriod / 2;
    ASSERT_TRUE(ClockPanel_Time(&minutes, &seconds));
    char text[16];
    std::snprintf(text, sizeof text, "%3d:%02d", minutes, seconds);
    EXPECT_STREQ(text, " 22:30");
    Period = 3;
    PeriodClock = kPanelTicksPerPeriod;
    ASSERT_TRUE(ClockPanel_Time(&minutes, &seconds));
    EXPECT_EQ(minutes, 120);
    PeriodLength = 0;  // no length: the period's start, no division
    Period = 1;
    ASSERT_TRUE(ClockPanel_Time(&minutes, &seconds));
    EXPECT_EQ(minutes, 45);
    EXPECT_EQ(seconds, 0);
    Period = 4;
    EXPECT_FALSE(ClockPanel_Time(&minutes, &seconds));

    // Shown in a running period, its back in the shoot-out and between periods.
    PanelMatchState();
    ClockPanel_Init();
    PanelSteps(45);
    EXPECT_EQ(ClockPanel.key, 1);
    EXPECT_FLOAT_EQ(ClockPanel.angle, 0.0f);
    PeriodClock = PeriodLength;
    PanelSteps(45);
    EXPECT_EQ(ClockPanel.key, 2);
    Period = 4;
    PanelSteps(45);
    EXPECT_FLOAT_EQ(ClockPanel.angle, 3.1415924f);
    Period = 1;
    MatchClockRunning = 0;
    PanelSteps(45);
    EXPECT_FLOAT_EQ(ClockPanel.angle, 3.1415924f);
}

TEST(FlipPanelTest, TeamPanelsHideWhileTheInformationBarHoldsAMessage) {
    PanelMatchState();
    TeamPanel_Init();
    InfoPanel_Init();
    PanelSteps(40);
    EXPECT_FLOAT_EQ(TeamPanels[0].hide, 0.0f);
    EXPECT_EQ(TeamPanels[1].key, 2);
    InfoBar(8, 3, 10);
    ASSERT_GT(InfoBar_GetHold(), 0);
    PanelSteps(20);
    EXPECT_FLOAT_EQ(TeamPanels[0].hide, 1.0f);
    EXPECT_FLOAT_EQ(TeamPanels[1].hide, 1.0f);
    EXPECT_FLOAT_EQ(InfoPanel.hide, 0.0f);
    InfoBar_Reset();
    ChangePending[1] = 1;
    PanelSteps(45);
    EXPECT_FLOAT_EQ(TeamPanels[0].hide, 0.0f);
    EXPECT_EQ(TeamPanels[1].key, 1);  // a change is pending
    EXPECT_FLOAT_EQ(InfoPanel.hide, 1.0f);
    MatchClockRunning = 0;  // between periods the team panels go
    PanelSteps(20);
    EXPECT_FLOAT_EQ(TeamPanels[0].hide, 1.0f);
}

TEST(FlipPanelTest, MenuPanelShowsOnlyWithAMenu) {
    PanelMatchState();
    MenuPanel_Init();
    PanelSteps(30);
    EXPECT_FLOAT_EQ(MenuPanel.hide, 1.0f);
    SimMenuMode = 2;
    SimMenuLine = 1;
    PanelSteps(40);
    EXPECT_FLOAT_EQ(MenuPanel.hide, 0.0f);
    EXPECT_EQ(MenuPanel.key, 2 + 256);
}

TEST(FlagTableTest, MissingFlagsHaveNoRow) {
    EXPECT_GE(Panel_FindFlag("velkflag"), 0);
    EXPECT_EQ(Panel_FindFlag("no such flag"), -1);
    EXPECT_EQ(Panel_FindFlag(""), -1);
}

// The panels drawn over a cleared scene at the game's screen size.
class PanelDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 32 * 1024);
        testenv::Start3D(800, 600);
        Icon_Init();
        Panel_LoadModels();
        ClearMatchSetupBlock();
        std::strcpy(reinterpret_cast<char*>(GameInfo.bytes + gameinfo::TeamInfoAt(0)), "Halvorn");
        std::strcpy(reinterpret_cast<char*>(GameInfo.bytes + gameinfo::TeamInfoAt(1)), "Visitors");
        GameInfo.SetI16(gameinfo::kCompetition, 1);
        PanelMatchState();
        Panels_Init();
        Replay = {};
        MatchMouse = {};
    }
    void TearDown() override {
        Panel_FreeFlags();
        SimpleObj_FreeAll();
        Icon_Uninit();
        testenv::Stop3D();
        testenv::UnmountGameArchive();
    }
    template <typename Draw>
    testenv::Frame Grab(const std::string& name, Draw draw) {
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        D3DBeginScene();
        SimpleObj_SetCamera();
        draw();
        D3DEndScene();
        return testenv::GrabFrame(name + ".tga");
    }
    struct Box {
        int left = 100000, top = 100000, right = -1, bottom = -1, count = 0;
        void Add(int x, int y) {
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            ++count;
        }
        bool Contains(const Box& b) const {
            return b.left >= left && b.right <= right && b.top >= top && b.bottom <= bottom;
        }
    };
    static Box Lit(const testenv::Frame& f) {
        Box b;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                if ((f.At(x, y) & 0xFFFFFF) != 0) b.Add(x, y);
        return b;
    }
    // Pixels that differ clearly (small differences are the blending's).
    static Box Changed(const testenv::Frame& a, const testenv::Frame& b) {
        Box box;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x)
                if (testenv::ColourDistance(a.At(x, y), b.At(x, y)) > 24) box.Add(x, y);
        return box;
    }
    // The text of a panel lies inside the pixels of its model.
    template <typename Draw>
    void ExpectTextInsidePanel(const std::string& name, FlipPanel* panel, Draw draw) {
        const testenv::Frame withText = Grab(name, draw);
        const int32_t key = panel->key;
        panel->key = -2;  // no content: the model alone
        const testenv::Frame bare = Grab(name + "_bare", draw);
        panel->key = key;
        const Box model = Lit(bare), text = Changed(withText, bare);
        EXPECT_GT(text.count, 20) << name;
        EXPECT_TRUE(model.Contains(text))
            << name << " text " << text.left << "," << text.top << "-" << text.right << "," << text.bottom
            << " panel " << model.left << "," << model.top << "-" << model.right << "," << model.bottom;
    }
};

TEST_F(PanelDrawTest, ScoreClockAndTeamTextsLieInsideTheirPanels) {
    Goals[0] = 2;
    Goals[1] = 1;
    PeriodClock = kPanelTicksPerPeriod / 3;
    SideCurrentPlayer[0] = 4;
    SideCurrentPlayer[1] = 20;
    std::strcpy(MatchFigures[4].name, "Aberg");
    std::strcpy(MatchFigures[20].name, "Brandt");
    PanelSteps(60);
    ASSERT_EQ(ScorePanel.key, 2 * 256 + 1);
    ExpectTextInsidePanel("panel_score", &ScorePanel, [] { ScorePanel_Draw(); });
    ExpectTextInsidePanel("panel_clock", &ClockPanel, [] { ClockPanel_Draw(); });
    ExpectTextInsidePanel("panel_home", &TeamPanels[0], [] { TeamPanel_Draw(); });
    ExpectTextInsidePanel("panel_away", &TeamPanels[1], [] { TeamPanel_Draw(); });
    // Hidden panels draw nothing; a replay-only viewing has no team panels.
    GameInfo.SetI16(gameinfo::kCompetition, -1);
    EXPECT_EQ(Lit(Grab("panel_team_viewing", [] { TeamPanel_Draw(); })).count, 0);
    SideCurrentPlayer[0] = SideCurrentPlayer[1] = -1;
}

TEST_F(PanelDrawTest, UnknownMenuModeIsNamed) {
    SimMenuMode = 3;
    PanelSteps(40);
    ASSERT_EQ(MenuPanel.key, 3);
    ExpectTextInsidePanel("panel_menu3", &MenuPanel, [] { Panel_DrawMenu(); });
    const testenv::Frame f = Grab("panel_menu3", [] { Panel_DrawMenu(); });
    MenuPanel.key = -2;
    const Box text = Changed(f, Grab("panel_menu3_bare", [] { Panel_DrawMenu(); }));
    // One line of that text's width (0.01 units per text unit, 800 / 9.2
    // pixels per unit), centred.
    const char* line = "Unknown menu mode 3";
    const float expected =
        float(Icon_TextWidth(kFont24, line, int(std::strlen(line)))) * 0.01f * 800.0f / 9.2f;
    EXPECT_NEAR(text.right - text.left + 1, expected, expected * 0.1f);
    EXPECT_NEAR((text.left + text.right) / 2.0f, 400.0f, 4.0f);
}

TEST_F(PanelDrawTest, FlagsLoadTheDefaultFlagWithItsShapeAndMesh) {
    Panel_LoadFlags();
    const int row = Panel_FindFlag("velkflag");
    ASSERT_GE(row, 0);
    for (int side = 0; side < 2; ++side) {
        EXPECT_NE(Panel_GetFlag(side).texture, 0u) << side;
        EXPECT_FLOAT_EQ(Panel_GetFlag(side).aspect,
                        float(kFlagSizes[row].width) / float(kFlagSizes[row].height));
    }
    const float* uv = Panel_GetFlagMeshUv();
    ASSERT_NE(uv, nullptr);
    const int vertices = (kFlagMeshColumns + 1) * (kFlagMeshRows + 1);
    EXPECT_FLOAT_EQ(uv[0], 1.0f / 256.0f);
    EXPECT_FLOAT_EQ(uv[2 * vertices - 1], 0.99609375f);
    for (int i = 0; i < 2 * vertices; ++i) {
        EXPECT_GE(uv[i], 1.0f / 256.0f);
        EXPECT_LE(uv[i], 0.99609375f);
    }
    Panel_FreeFlags();
    EXPECT_EQ(Panel_GetFlag(0).texture, 0u);
    EXPECT_FLOAT_EQ(Panel_GetFlag(1).aspect, 4.0f / 3.0f);
    EXPECT_EQ(Panel_GetFlagMeshUv(), nullptr);
}

class ReplayPanelTest : public PanelDrawTest {
  protected:
    void SetUp() override {
        PanelDrawTest::SetUp();
        ReplayPanel_Reset();
        Replay.recorded = 100;
        Replay.position = 50.0f;
        Replay.speed = 0.0f;
    }
    // The pixel over the centre of a button.
    static void PointAtButton(int button) {
        float lo[3], hi[3];
        ASSERT_EQ(SimpleObj_GetGroupBox(kPanelSlotReplay, uint32_t(button + 1), lo, hi), 1);
        const float px = (lo[0] + hi[0]) / 2, py = (lo[1] + hi[1]) / 2;
        MatchMouse.x = int32_t((px + 4.6f) / 9.2f * 800.0f + 0.5f);
        MatchMouse.y = int32_t((4.6f - (py - 2.8f) / 0.75f) * 600.0f / 9.2f + 0.5f);
    }
};

TEST_F(ReplayPanelTest, HeldStepRepeatsEveryFiveFramesAndSpeedOncePerPress) {
    PointAtButton(1);
    MatchMouse.leftHeld = 1;
    for (int i = 0; i < 20; ++i) ReplayPanel_Update();
    EXPECT_EQ(ReplayPanel.hovered, 1);
    EXPECT_FLOAT_EQ(Replay.position, 46.0f);  // frames 0, 5, 10 and 15
    EXPECT_EQ(ReplayPanel.switches[2], 1);
    EXPECT_EQ(ReplayPanel.switches[1], 0);

    PointAtButton(4);
    int fired = 0;
    for (int press = 0; press < 2; ++press) {
        MatchMouse.leftHeld = 1;
        for (int i = 0; i < 30; ++i) {
            ReplayPanel_Update();
            fired += ReplayPanel.firedCountdown == 3;
        }
        MatchMouse.leftHeld = 0;
        ReplayPanel_Update();
    }
    EXPECT_EQ(fired, 2);
    EXPECT_FLOAT_EQ(Replay.speed, 1.0f);
    // The button of the running speed stands out by 0.08.
    EXPECT_FLOAT_EQ(ReplayPanel.offsets[5 * 3 + 2], -0.08f);
    EXPECT_FLOAT_EQ(ReplayPanel.offsets[2 * 3 + 2], 0.0f);
}

TEST_F(ReplayPanelTest, PointerBetweenBoxesHitsNoneAndOnAnEdgeHits) {
    float lo1[3], hi1[3], lo2[3], hi2[3];
    ASSERT_EQ(SimpleObj_GetGroupBox(kPanelSlotReplay, 1, lo1, hi1), 1);
    ASSERT_EQ(SimpleObj_GetGroupBox(kPanelSlotReplay, 2, lo2, hi2), 1);
    ASSERT_LT(hi1[0], lo2[0]);
    const float y = (lo1[1] + hi1[1]) / 2;
    EXPECT_EQ(ReplayPanel_ButtonAt((hi1[0] + lo2[0]) / 2, y), -1);
    EXPECT_EQ(ReplayPanel_ButtonAt(lo2[0], y), 1);
    EXPECT_EQ(ReplayPanel_ButtonAt(hi1[0], y), 0);
    EXPECT_EQ(ReplayPanel_ButtonAt(hi1[0], hi1[1]), 0);
    EXPECT_EQ(ReplayPanel_ButtonAt(hi1[0], hi1[1] + 0.001f), -1);
    // A model without the button groups finds no button.
    SimpleObj_FreeAll();
    LoadObject(kPanelSlotReplay, "bar1", 1.0f, 9);
    EXPECT_EQ(ReplayPanel_ButtonAt(0.0f, 0.0f), -1);
    PointAtButton(-1);  // no box: stays where it was
    ReplayPanel_Update();
    EXPECT_EQ(ReplayPanel.hovered, -1);
}

TEST_F(ReplayPanelTest, HoverPointerAndTimeBarInGrabs) {
    // The hovered button shows its alternative texture.
    PointAtButton(3);
    for (int i = 0; i < 5; ++i) ReplayPanel_Update();
    const testenv::Frame hovered = Grab("replay_hover", [] { ReplayPanel_Draw(); });
    MatchMouse.x = MatchMouse.y = 0;
    for (int i = 0; i < 5; ++i) ReplayPanel_Update();
    const testenv::Frame plain = Grab("replay_plain", [] { ReplayPanel_Draw(); });
    const Box changed = Changed(hovered, plain);
    EXPECT_GT(changed.count, 50);
    EXPECT_LT(changed.right - changed.left, 120);  // one button, not the whole panel

    // The pointer's corner is at the mouse position.
    MatchMouse.x = 400;
    MatchMouse.y = 300;
    const Box pointer = Lit(Grab("replay_pointer", [] { ReplayPanel_DrawPointer(); }));
    EXPECT_NEAR(pointer.left, 400, 2);
    EXPECT_NEAR(pointer.top, 300, 4);

    // The time bar is filled to the replay position.
    Replay.position = 0.0f;
    const testenv::Frame empty = Grab("replay_bar0", [] { ReplayPanel_Draw(); });
    Replay.position = 100.0f;
    const Box full = Changed(Grab("replay_bar100", [] { ReplayPanel_Draw(); }), empty);
    Replay.position = 25.0f;
    const Box quarter = Changed(Grab("replay_bar25", [] { ReplayPanel_Draw(); }), empty);
    ASSERT_GT(full.count, 0);
    EXPECT_NEAR(quarter.left, full.left, 2);
    EXPECT_NEAR(quarter.right - quarter.left, (full.right - full.left) / 4.0f, 3.0f);
}

}  // namespace

// What shows at one time never overlaps: the radar beside every panel that
// can be up with it (the team and information panels along the bottom, the
// replay controls, the simulation's menu), the score and clock beside all.
TEST_F(PanelDrawTest, RadarAndPanelsStandClearOfEachOther) {
    struct Named {
        const char* name;
        ScreenRect rect;
    };
    std::vector<Named> shown;
    for (auto [name, slot] : {std::pair{"score", kPanelSlotScore},
                              {"clock", kPanelSlotClock},
                              {"home", kPanelSlotHome},
                              {"away", kPanelSlotAway},
                              {"information", kPanelSlotInfo},
                              {"menu", kPanelSlotMenu}}) {
        ScreenRect r{};
        ASSERT_TRUE(Panel_ShownScreenRect(slot, &r)) << name;
        shown.push_back({name, r});
    }
    ScreenRect r{};
    ASSERT_TRUE(ReplayPanel_ScreenRect(&r));
    shown.push_back({"replay", r});
    ASSERT_TRUE(Overlay_RadarScreenRect(&r));
    shown.push_back({"radar", r});
    const auto overlap = [](const ScreenRect& a, const ScreenRect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    for (size_t i = 0; i < shown.size(); ++i) {
        const ScreenRect& a = shown[i].rect;
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const std::string pair = std::string(shown[i].name) + " and " + shown[j].name;
            // The team panels hide while the information panel shows; the
            // replay controls take the bottom while neither shows.
            const bool bottomPanel =
                pair.starts_with("home") || pair.starts_with("away") || pair.starts_with("information");
            if (pair == "home and information" || pair == "away and information" ||
                (pair.ends_with("and replay") && bottomPanel))
                continue;
            const ScreenRect& b = shown[j].rect;
            EXPECT_FALSE(overlap(a, b))
                << pair << ": " << a.left << "," << a.top << "-" << a.right << "," << a.bottom << " / "
                << b.left << "," << b.top << "-" << b.right << "," << b.bottom;
        }
    }
}

// A figure off the pitch (walking out before the kick-off, a linesman
// beyond the line) stays inside the radar's frame; one on it is where it is.
TEST_F(PanelDrawTest, RadarDotsStayInsideTheFrame) {
    float minimum[3], maximum[3];
    ASSERT_EQ(SimpleObj_GetGroupBox(kPanelSlotRadar, 0, minimum, maximum), 1);
    const float half = 25.0f;
    const float centreX = PitchGeometry.centreX, centreY = PitchGeometry.centreY;
    float x = 0, y = 0;
    Overlay_RadarDot(centreX + 100.0f, centreY - 300.0f, half, &x, &y);
    EXPECT_FLOAT_EQ(x, 100.0f);
    EXPECT_FLOAT_EQ(y, -300.0f);
    for (auto [px, py] : {std::pair{float(PitchGeometry.lineUpX), float(PitchGeometry.lineUpY)},
                          {float(PitchGeometry.officialsStartX), centreY},
                          {3000.0f, 3000.0f},
                          {-500.0f, -900.0f}}) {
        Overlay_RadarDot(px, py, half, &x, &y);
        EXPECT_GE(x - half, minimum[0]) << px << "," << py;
        EXPECT_LE(x + half, maximum[0]) << px << "," << py;
        EXPECT_GE(y - half, minimum[1]) << px << "," << py;
        EXPECT_LE(y + half, maximum[1]) << px << "," << py;
    }
}

// The radar shows a side in the colour its shirt reads as from afar: the
// colour of the design's largest zone, not a thin first-zone trim (a yellow
// shirt with a black trim showed near-black dots); the rim stands out.
TEST_F(PanelDrawTest, RadarDotsTakeTheShirtsMainColour) {
    constexpr uint16_t kBlack = 9, kYellow = 20;
    int design = -1, largest = 0;
    for (int d = 0; d < kShirtDesigns && design < 0; ++d) {
        InitShirtDesignTally(int16_t(d));
        const ShirtDesignZones& tally = ShirtDesignTally[d];
        largest =
            int(std::max_element(std::begin(tally.count), std::end(tally.count)) - std::begin(tally.count));
        if (largest != 0) design = d;
    }
    ASSERT_GE(design, 0) << "a design whose largest zone is not its first";
    uint8_t kit[gameinfo::kKitSize] = {};
    const auto setWord = [&kit](int word, uint16_t value) {
        kit[2 * word] = uint8_t(value & 0xFF);
        kit[2 * word + 1] = uint8_t(value >> 8);
    };
    setWord(0, uint16_t(design));
    for (int zone = 0; zone < kShirtZones; ++zone) setWord(1 + zone, zone == largest ? kYellow : kBlack);
    const KitColour& yellow = GetKitColour(kYellow);
    const uint32_t rgb = D3DGame_MainShirtRgb(kit);
    EXPECT_EQ(rgb, uint32_t(yellow.red) << 16 | uint32_t(yellow.green) << 8 | yellow.blue) << std::hex << rgb;
    const auto luma = [](uint32_t c) {
        return (299 * int(c >> 16 & 255) + 587 * int(c >> 8 & 255) + 114 * int(c & 255)) / 1000;
    };
    const KitColour& black = GetKitColour(kBlack);
    const uint32_t blackRgb = uint32_t(black.red) << 16 | uint32_t(black.green) << 8 | black.blue;
    EXPECT_GT(luma(D3DGame_RimRgbFor(blackRgb)) - luma(blackRgb), 128);
    EXPECT_GT(luma(rgb) - luma(D3DGame_RimRgbFor(rgb)), 128);
}
