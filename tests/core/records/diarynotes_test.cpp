// Diary notes, the user-involvement filter and the body choice: slots
// filled and freed in order, notes shown on their day through the note-box
// hook, the filter's modes and the body variants.
#include "core/records/diarynotes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "core/season/messagetexts.h"
#include "tests/core/records/league_fixture.h"

namespace {

std::vector<std::pair<std::string, uint32_t>> g_boxes;

class DiaryTest : public LeagueWorldTest {
  protected:
    void SetUp() override {
        LeagueWorldTest::SetUp();
        ClearAllDiaryNotes();
        g_boxes.clear();
        CoreHooks hooks;
        hooks.noteBox = [](const char* text, uint32_t argument) { g_boxes.emplace_back(text, argument); };
        CoreSetHooks(hooks);
        PopupSwitch = 1;
        // The user manages club 10 in division 1 of country 0; club 11 is
        // beside it, club 20 one division up, club 30 abroad.
        Place(10, 0, 1, 0);
        Place(11, 0, 1, 1);
        Place(20, 0, 0, 0);
        Place(30, 2, 1, 0);
        SetPlayerClub(1, 10);
    }
    void TearDown() override {
        CoreSetHooks(CoreHooks{});
        PopupSwitch = 0;
        ClearAllDiaryNotes();
    }
};

TEST_F(DiaryTest, TenSlotsFillInOrderAndTheEleventhIsRefused) {
    for (int i = 0; i < kDiaryNoteSlots; ++i)
        ASSERT_EQ(AddDiaryNote(("note " + std::to_string(i)).c_str(), int16_t(50 + i), uint32_t(i)), 1);
    const DiaryNote before = DiaryNotes[9];
    EXPECT_EQ(AddDiaryNote("eleventh", 60, 0), 0);
    EXPECT_EQ(std::memcmp(before.bytes, DiaryNotes[9].bytes, sizeof before.bytes), 0);
    EXPECT_STREQ(DiaryNoteText(3), "note 3");
    EXPECT_EQ(DiaryNoteDay(3), 53);
    EXPECT_EQ(uint8_t(DiaryNoteSequence(4) - DiaryNoteSequence(3)), 1);
    // A freed slot is the first one taken again.
    ClearDiaryNote(2);
    EXPECT_EQ(DiaryNoteDay(2), -1);
    EXPECT_EQ(DiaryNoteSequence(2), 0xFF);
    EXPECT_STREQ(DiaryNoteText(2), "");
    ClearDiaryNote(10);  // not a slot: nothing happens
    ClearDiaryNote(-1);
    EXPECT_EQ(AddDiaryNote("again", 70, 0), 1);
    EXPECT_EQ(DiaryNoteDay(2), 70);
}

TEST_F(DiaryTest, ANoteKeepsAtMostThreeHundredCharacters) {
    const std::string longText(400, 'x');
    ASSERT_EQ(AddDiaryNote(longText.c_str(), 5, 0), 1);
    EXPECT_EQ(std::string(DiaryNoteText(0)).size(), 300u);
    EXPECT_EQ(DiaryNoteDay(0), 5);  // the day after the text field is intact
}

TEST_F(DiaryTest, NotesDueTodayShowInSlotOrderAndAreFreed) {
    SeasonCalendar.currentDay = 40;
    AddDiaryNote("later", 41, 0);
    AddDiaryNote("first of today", 40, 7);
    AddDiaryNote("second of today", 40, 0);
    ShowDueDiaryNotes();
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[0].first, "first of today");
    EXPECT_EQ(g_boxes[0].second, 7u);
    EXPECT_EQ(g_boxes[1].first, "second of today");
    EXPECT_EQ(DiaryNoteDay(1), -1);
    EXPECT_EQ(DiaryNoteDay(2), -1);
    EXPECT_STREQ(DiaryNoteText(0), "later");
    ShowDueDiaryNotes();  // shown once only
    EXPECT_EQ(g_boxes.size(), 2u);
    ClearAllDiaryNotes();
    for (int16_t i = 0; i < kDiaryNoteSlots; ++i) EXPECT_EQ(DiaryNoteDay(i), -1);
}

TEST_F(DiaryTest, ASavedSlotWithoutTerminatorReadsAsEmpty) {
    std::memset(DiaryNotes[0].bytes, 'a', sizeof DiaryNotes[0].bytes);
    EXPECT_STREQ(DiaryNoteText(0), "");
}

TEST_F(DiaryTest, InvolvementByMode) {
    EXPECT_EQ(DiaryUserInvolvement(0, -1, -1), 1);
    EXPECT_EQ(DiaryUserInvolvement(2, -1, -1), 0);
    EXPECT_EQ(DiaryUserInvolvement(2, 11, 10), 1);
    EXPECT_EQ(DiaryUserInvolvement(2, 10, 10), 2);
    EXPECT_EQ(DiaryUserInvolvement(3, 11, 20), 1);  // same nation and division only
    EXPECT_EQ(DiaryUserInvolvement(3, 30, 20), 0);
    EXPECT_EQ(DiaryUserInvolvement(1, 10, 10), 0);
    EXPECT_EQ(DiaryUserInvolvement(4, 10, 10), 0);
    SetPlayerClub(1, -1);  // without a club nothing involves the user
    EXPECT_EQ(DiaryUserInvolvement(2, 10, 11), 0);
    EXPECT_EQ(DiaryUserInvolvement(0, 10, 11), 1);
}

TEST_F(DiaryTest, FilteredBoxesShowOnlyWhenTheUserIsInvolvedAndTheSwitchIsOn) {
    ShowMessageBoxIfUserInvolved("always", 0, 0, -1, -1);
    ShowMessageBoxIfUserInvolved("nobody", 0, 2, -1, -1);
    ShowMessageBoxIfUserInvolved("his club", 3, 2, 30, 10);
    ShowMessageBoxIfUserInvolved(nullptr, 0, 0, -1, -1);
    ShowMessageBoxIfUserInvolved("bad club", 0, 0, 1200, -1);
    ShowMessageBoxIfUserInvolved("bad club", 0, 0, -1, 4000);
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[0].first, "always");
    EXPECT_EQ(g_boxes[1].first, "his club");
    EXPECT_EQ(g_boxes[1].second, 3u);
    PopupSwitch = 0;
    for (int16_t mode = 0; mode < 5; ++mode) ShowMessageBoxIfUserInvolved("off", 0, mode, 10, 10);
    EXPECT_EQ(g_boxes.size(), 2u);
}

// The first message type with at least two bodies.
int16_t TypeWithBodies() {
    for (int16_t type = 0; type < kMessageTypeCount; ++type)
        if (MessageBodyTemplates[type][0] != nullptr && MessageBodyTemplates[type][1] != nullptr) return type;
    return -1;
}

TEST_F(DiaryTest, BodyVariantsAndTheRandomChoice) {
    const int16_t type = TypeWithBodies();
    ASSERT_GE(type, 0);
    const std::string first = TextMsg_Expand(MessageBodyTemplates[type][0]);
    const std::string second = TextMsg_Expand(MessageBodyTemplates[type][1]);
    EXPECT_EQ(TextMsg_ExpandBody(type, 0), first);
    EXPECT_EQ(TextMsg_ExpandBody(type, 1), second);
    EXPECT_EQ(TextMsg_ExpandBody(type, 9), first);  // no such body: the first
    EXPECT_EQ(TextMsg_ExpandBody(type, -3), first);
    int bodies = 0;
    while (bodies < kMaxMessageBodies && MessageBodyTemplates[type][bodies] != nullptr) ++bodies;
    GameSeedRandom(99);
    const int draw = GameRandom() % bodies;
    GameSeedRandom(99);
    EXPECT_EQ(TextMsg_ExpandBody(type, 6), std::string(TextMsg_Expand(MessageBodyTemplates[type][draw])));
    // Outside the table: the empty text, and the generator untouched.
    GameSeedRandom(5);
    EXPECT_STREQ(TextMsg_ExpandBody(-1, 6), "");
    EXPECT_STREQ(TextMsg_ExpandBody(kMessageTypeCount, 6), "");
    const uint32_t state = GameRandomState();
    GameSeedRandom(5);
    EXPECT_EQ(GameRandomState(), state);
}

TEST_F(DiaryTest, ArgumentResetGivesTheEmptyValues) {
    const int16_t club = 7;
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    const char text[] = "words";
    TextMsg_SetArg(TEXTMSG_STRING, text);
    TextMsg_ResetArgs();
    const TextMsgArgBlock& a = TextMsgArgs;
    EXPECT_EQ(a.club[0], -1);
    EXPECT_EQ(a.club[1], -1);
    EXPECT_EQ(a.player[0], 0);
    EXPECT_EQ(a.word2, 0);
    EXPECT_EQ(a.word3, 0xFFFF);
    EXPECT_EQ(a.money, -1);
    EXPECT_EQ(a.number[1], -1);
    EXPECT_EQ(uint8_t(a.date[0].day), 0xFF);
    EXPECT_EQ(uint8_t(a.date[1].month), 0xFF);
    EXPECT_EQ(a.date[0].year, -1);
    EXPECT_EQ(a.list_text[0], -1);
    EXPECT_STREQ(a.string[0], "");
}

}  // namespace
