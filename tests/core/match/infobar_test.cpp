// The information bar: every type's text and format from a test language
// file, the hold counter, and the fatal unknown type.
#include "core/match/infobar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "core/match/actions.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/season/matchsetup.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class InfoBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::map<int, std::string> texts = {
            {273, "Crowd"},     {635, "Sub"},   {642, "In"},      {643, "Out"},        {1095, "Card:"},
            {1607, "Low"},      {1608, "Mid"},  {1609, "High"},   {1640, "Kick-off"},  {1642, "Offside"},
            {1643, "Corner"},   {1647, "Off:"}, {1648, "GOAL!"},  {1649, "OG:"},       {1650, "Goal kick"},
            {1653, "Handball"}, {1654, "Foul"}, {1655, "Tackle"}, {1658, "Advantage"},
        };
        testenv::LoadTexts(texts);
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        std::strcpy(MatchFigures[3].name, "Ames");
        // A name filling all 20 bytes, with no NUL of its own.
        std::memcpy(MatchFigures[20].name, "Bartholomew-Pinchley", 20);
        MatchFigures[20].action = 0x4141;
        InfoBar_Reset();
        DetailSetting = 0;
    }
    void TearDown() override { testenv::UnloadTexts(); }
};

TEST_F(InfoBarTest, EveryTypeShowsItsTextInItsFormat) {
    struct Case {
        int16_t type, figure, value;
        const char* text;
    };
    LastAttendance = 31500;
    const Case cases[] = {
        {0, 3, 0, "Kick-off"},
        {2, 3, 0, "Offside Ames"},
        {3, 3, 0, "Corner"},
        {5, 3, 0, "Sub"},
        {6, 20, 0, "Card: Bartholomew-Pinchley"},
        {7, 3, 0, "Off: Ames"},
        {8, 3, 67, "GOAL! Ames 67 mins"},
        {9, 20, 5, "OG: Bartholomew-Pinchley 5 mins"},
        {10, 3, 0, "Goal kick"},
        {11, 3, 20, "In : Bartholomew-Pinchley Out : Ames"},
        {12, 20, 3, "In : Ames Out : Bartholomew-Pinchley"},
        {11, -1, 3, "In : Ames"},
        {13, 3, 0, "Handball"},
        {14, 3, 0, "Foul"},
        {15, 3, 0, "Tackle"},
        {18, 3, 0, "Advantage"},
        {19, -1, 30, "Crowd 31500"},
    };
    for (const Case& c : cases) {
        InfoBar_Reset();
        InfoBar(c.type, c.figure, c.value);
        EXPECT_STREQ(InfoBar_GetText(), c.text) << c.type;
        EXPECT_EQ(InfoBar_GetHold(), kInfoBarHold) << c.type;
    }
}

TEST_F(InfoBarTest, DetailSettingHoldsForAHundredUpdates) {
    for (int16_t setting : {0, 1, 2}) {
        DetailSetting = setting;
        InfoBar(-2, 0, 0);
        EXPECT_STREQ(InfoBar_GetText(), setting == 0 ? "Low" : setting == 1 ? "Mid" : "High");
        EXPECT_EQ(InfoBar_GetHold(), kInfoBarDetailHold);
    }
    for (int i = 0; i < 99; ++i) InfoBar_Update();
    EXPECT_EQ(InfoBar_GetHold(), 1);
    InfoBar_Update();
    InfoBar_Update();
    EXPECT_EQ(InfoBar_GetHold(), 0);
}

TEST_F(InfoBarTest, SilentTypesChangeNothingAndANewMessageReplacesTheShownOne) {
    InfoBar(8, 3, 10);
    for (int i = 0; i < 50; ++i) InfoBar_Update();
    for (int16_t type : {-6, -5, -4, -3, -1, 1, 4, 16, 17}) InfoBar(type, 3, 1);
    EXPECT_STREQ(InfoBar_GetText(), "GOAL! Ames 10 mins");
    EXPECT_EQ(InfoBar_GetHold(), 100);
    InfoBar(14, 3, 0);
    EXPECT_STREQ(InfoBar_GetText(), "Foul");
    EXPECT_EQ(InfoBar_GetHold(), kInfoBarHold) << "the hold starts again without hiding the bar";
    for (int i = 0; i < 150; ++i) InfoBar_Update();
    EXPECT_EQ(InfoBar_GetHold(), 0);
}

// The corner and the goal kick are named on the bar as the phases give
// them, and the referee points to the corner.
TEST_F(InfoBarTest, TheCornerAndTheGoalKickAreNamedAsTheyAreGiven) {
    ClearMatchSetupBlock();
    MatchResetEngineState();
    for (uint16_t phase : {kPhaseCorner, kPhaseGoalKick}) {
        MatchPhase = phase;
        PhaseTimer = 0;
        RestartTeam = 0;
        for (int tick = 0; tick < 200 && MatchPhase == phase; ++tick) MatchPhaseTick();
        EXPECT_STREQ(InfoBar_GetText(), phase == kPhaseCorner ? "Corner" : "Goal kick");
        if (phase == kPhaseCorner) {
            EXPECT_EQ(int(MatchFigures[kRefereeFigure].action), kOfficialSignal);
            EXPECT_EQ(int(MatchFigures[kRefereeFigure].actionParam), 3);
        }
    }
    MatchPhase = kPhaseOpenPlay;
}

TEST(InfoBarDeathTest, AnUnknownTypeEndsTheProgram) {
    EXPECT_FATAL(InfoBar(20, 0, 0), "Error: InfoBar\\(\\): unknown type \\(20\\)");
    EXPECT_FATAL(InfoBar(-7, 0, 0), "Error: InfoBar\\(\\): unknown type \\(-7\\)");
}

}  // namespace
