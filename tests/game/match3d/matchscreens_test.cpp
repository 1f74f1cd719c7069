// The running match as the in-match screens read and change it: scores,
// roles, substitutions, the side table and the player report's fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/match/actions.h"
#include "core/match/infobar.h"
#include "core/match/matchphases.h"
#include "game/match3d/matchsoundbanks.h"
#include "tests/core/match/frame_fixture.h"

namespace {

class MatchScreensTest : public frametest::FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        MatchSubsUsed[0] = MatchSubsUsed[1] = 0;
        MatchLastAskedFigure = -1;
        for (int16_t* roles : {CaptainFigure, PenaltyTakerFigure, FreeKickTakerFigure, CornerTakerFigure})
            roles[0] = roles[1] = -1;
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            const bool bench = figure % kTeamFigures >= 11;
            f.onBench = bench ? 1 : 0;
            f.benchState = bench ? 0 : 50;
            f.formationX = int16_t(100 + figure);
            f.formationY = int16_t(200 + figure);
        }
        InfoBar_Reset();
    }
};

TEST_F(MatchScreensTest, ScoresGiveFirstLegGoalsOnlyForASecondLeg) {
    Goals[0] = 2;
    Goals[1] = 1;
    uint16_t g0, g1, l0, l1;
    GetMatchScores(&g0, &g1, &l0, &l1);
    EXPECT_EQ(g0, 2);
    EXPECT_EQ(g1, 1);
    EXPECT_EQ(l0, 0xFFFF);
    EXPECT_EQ(l1, 0xFFFF);
    OldGoals[1] = 3;
    GetMatchScores(&g0, &g1, &l0, &l1);
    EXPECT_EQ(l0, 0);
    EXPECT_EQ(l1, 3);
}

TEST_F(MatchScreensTest, RolesAreFiguresOfTheTeamAndBadSlotsChangeNothing) {
    MatchSetCornerTaker(1, 7);
    MatchSetPenaltyTaker(1, 9);
    MatchSetFreeKickTaker(0, 4);
    MatchSetCaptain(0, 2);
    EXPECT_EQ(CornerTakerFigure[1], 23);
    EXPECT_EQ(PenaltyTakerFigure[1], 25);
    EXPECT_EQ(MatchIsCornerTaker(1, 7), 1);
    EXPECT_EQ(MatchLastAskedFigure, 23);
    EXPECT_EQ(MatchIsCornerTaker(0, 7), 0);
    EXPECT_EQ(MatchLastAskedFigure, 7);
    EXPECT_EQ(MatchIsFreeKickTaker(0, 4), 1);
    EXPECT_EQ(MatchIsPenaltyTaker(1, 9), 1);
    EXPECT_EQ(MatchIsCaptain(0, 2), 1);
    EXPECT_EQ(MatchIsCaptain(0, 3), 0);
    MatchSetDirectFreeKickTaker(0, 5);
    EXPECT_EQ(MatchIsFreeKickTaker(0, 5), 1);
    for (const auto& [team, slot] : {std::pair{2, 0}, std::pair{-1, 0}, std::pair{0, 16}, std::pair{1, -1}}) {
        MatchSetCaptain(int16_t(team), int16_t(slot));
        EXPECT_EQ(MatchIsCaptain(int16_t(team), int16_t(slot)), 0);
        EXPECT_EQ(MatchIsCornerTaker(int16_t(team), int16_t(slot)), 0);
        EXPECT_EQ(MatchGetFigure(int16_t(team), int16_t(slot)), nullptr);
        EXPECT_EQ(MatchIsPlayerOnPitch(int16_t(team), int16_t(slot)), 0);
        EXPECT_EQ(GetMatchSideSlot(int16_t(team), int16_t(slot)), 0);
        MatchSwapSideEntries(int16_t(team), int16_t(slot), 1);
        MatchSubstitutePlayer(int16_t(team), int16_t(slot), 12);
    }
    EXPECT_EQ(MatchIsCaptain(0, 2), 1);
    EXPECT_EQ(MatchGetLiveTactics(2), nullptr);
    EXPECT_EQ(MatchGetSubsUsed(2), 0);
    EXPECT_EQ(MatchSubsUsed[0] + MatchSubsUsed[1], 0);
    EXPECT_EQ(MatchGetFigure(1, 3), &MatchFigures[19]);
}

TEST_F(MatchScreensTest, SubstitutionTakesThePlaceAndIsCounted) {
    ChangePending[1] = 1;
    MatchFigures[20].injury = 3;
    std::strcpy(MatchFigures[20].name, "Leaving");
    std::strcpy(MatchFigures[28].name, "Coming");
    MatchSubstitutePlayer(1, 4, 12);
    // The bar names the player coming on first, then the one going off.
    const std::string bar = InfoBar_GetText();
    EXPECT_EQ(InfoBar_GetHold(), kInfoBarHold);
    ASSERT_NE(bar.find("Coming"), std::string::npos) << bar;
    EXPECT_LT(bar.find("Coming"), bar.find("Leaving")) << bar;
    EXPECT_EQ(MatchResult.events[0][kEventKind], 1);
    EXPECT_EQ(ChangePending[1], 0);
    EXPECT_EQ(GetMatchSideSlot(1, 4), 12);
    EXPECT_EQ(GetMatchSideSlot(1, 12), 4);
    EXPECT_EQ(Football_GetPlayersPosition(1, 12), 4);
    const MatchFigure& out = MatchFigures[20];
    const MatchFigure& in = MatchFigures[28];
    EXPECT_EQ(int(out.off), 1);
    EXPECT_EQ(int(out.subbedOff), 1);
    EXPECT_EQ(int(out.x), PitchGeometry.left);
    EXPECT_EQ(int(in.off), 0);
    EXPECT_EQ(int(in.benchState), 50);
    EXPECT_EQ(int(in.action), kActionSubstituteOn);
    EXPECT_EQ(int(in.formationX), 120);
    EXPECT_EQ(int(in.x), PitchGeometry.left);
    EXPECT_EQ(MatchGetSubsUsed(1), 1);
    EXPECT_EQ(MatchIsPlayerOnPitch(1, 12), 1);
    EXPECT_EQ(MatchIsPlayerOnPitch(1, 4), 0);
    EXPECT_EQ(MatchWasSubbedOffInjured(1, 4), 1);
    EXPECT_EQ(MatchIsPlayerInjured(1, 4), 1);
    EXPECT_EQ(MatchHasPlayed(1, 12), 1);
    EXPECT_EQ(MatchIsPlayerOnBench(1, 13), 1);
    EXPECT_EQ(MatchIsPlayerOnBench(1, 3), 0);
}

TEST_F(MatchScreensTest, PracticeSubstitutionIsNotCounted) {
    GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 10);
    MatchFigures[5].x = 400;
    MatchFigures[5].y = 900;
    MatchSubstitutePlayer(0, 5, 13);
    EXPECT_EQ(MatchGetSubsUsed(0), 0);
    EXPECT_EQ(int(MatchFigures[13].x), 400);
    EXPECT_EQ(int(MatchFigures[13].y), 900);
    EXPECT_EQ(int(MatchFigures[13].onBench), 0);
    EXPECT_EQ(int(MatchFigures[5].off), 1);
    EXPECT_EQ(int(MatchFigures[5].onBench), 1);
    EXPECT_EQ(int(MatchFigures[5].benchState), 0);
    EXPECT_EQ(int(MatchFigures[5].subbedOff), 0);
    EXPECT_EQ(MatchIsPlayerOnBench(0, 5), 1);
}

TEST_F(MatchScreensTest, ReportFieldsReadTheirKindsAndLabels) {
    uint8_t report[kPlayerReportSize] = {};
    report[0] = 0x34;
    report[1] = 0x12;
    report[14] = 0xFE;   // field 7, a signed byte
    report[132] = 1;     // field 63, the one-bit flag
    report[135] = 0x0B;  // bits 0-1 = 3, bits 2-5 = 2
    report[136] = 0x02;  // bits 8-9 = 2
    int32_t value = 0;
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 0, report), 1985);
    EXPECT_EQ(value, 0x1234);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 7, report), 956);
    EXPECT_EQ(value, -2);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 63, report), 1968);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 65, report), 1966);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 66, report), 1538);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 68, report), 1486);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 50, report),
              Football_GetPlayerMatchRecordText2(&value, 51, report));
    EXPECT_EQ(Football_GetPlayerMatchRecordText2(&value, 50, report), 1975);
}

TEST_F(MatchScreensTest, BadFieldsAndUnknownFiguresEndTheProgram) {
    uint8_t report[kPlayerReportSize] = {};
    int32_t value = 0;
    EXPECT_EXIT(Football_GetPlayerMatchRecordText2(&value, 69, report), testing::ExitedWithCode(1),
                "record not found");
    EXPECT_EXIT(Football_GetPlayerMatchRecordText2(&value, -1, report), testing::ExitedWithCode(1),
                "record not found");
    MatchLineUp[0][3] = 40;  // figure 3 is in no side entry
    EXPECT_EXIT(Football_GetPlayersPosition(0, 3), testing::ExitedWithCode(1), "invalid watch game no 3");
    EXPECT_EXIT(Football_GetPlayersPosition(2, 0), testing::ExitedWithCode(1), "invalid watch game");
}

}  // namespace
