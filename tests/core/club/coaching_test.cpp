// Coaching programs and the injury hook over the coaching table.
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/coaching.h"
#include "core/club/injuries.h"
#include "core/club/staff.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/messagetemplates.h"
#include "tests/core/club/management_fixture.h"

namespace {

uint32_t StateAfter(uint32_t state, int draws) {
    for (int i = 0; i < draws; ++i) state = state * 214013u + 2531011u;
    return state;
}

class CoachingTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        std::memset(ClubStaff, 0, sizeof ClubStaff);
        std::memset(CoachingRecords, 0, sizeof CoachingRecords);
        std::memset(DiaryNotes, 0, sizeof DiaryNotes);
    }
    void TearDown() override {
        std::memset(CoachingRecords, 0, sizeof CoachingRecords);
        std::memset(DiaryNotes, 0, sizeof DiaryNotes);
    }

    // A coached player in slot `slot`.
    uint16_t Coached(int16_t slot, int16_t position = 5) {
        const uint16_t p = MakePlayer(-1, position);
        SquadRec_InitSlot(slot, p);
        return p;
    }
    // An active coach with id 21 in staff slot 0.
    static void MakeStaff() {
        std::memset(ClubStaff[0].bytes, 0, sizeof ClubStaff[0].bytes);
        recbits::StoreU16(ClubStaff[0].bytes + kStaffId, 21);
        recbits::StoreU32(ClubStaff[0].bytes + kStaffBits, 5u << 22);
    }
    static CoachingRecord& R(int slot) { return CoachingRecords[slot]; }
    static uint32_t Bits(int slot, int offset, int shift, int width) {
        return CoachGetBits(R(slot), offset, shift, width);
    }
    static int DiaryCount() {
        int n = 0;
        for (const DiaryNote& note : DiaryNotes) n += note.bytes[0] != 0;
        return n;
    }
};

TEST_F(CoachingTest, InjuryHookRecoveryFigures) {
    const uint16_t p = Coached(2);
    SquadRec_UpdatePlayer(p, 0, 3);
    EXPECT_EQ(CoachGetU16(R(2), kCoachRecoveryRate), 3200);
    SquadRec_UpdatePlayer(p, 1, 3);
    EXPECT_EQ(CoachGetU16(R(2), kCoachRecoveryRate), 456);
    EXPECT_EQ(CoachGetU16(R(2), kCoachRecoveryProgress), 0);
    EXPECT_EQ(Bits(2, kCoachRecoveryBits, 0, 5), 6u);
    EXPECT_EQ(Bits(2, kCoachRecoveryBits, 5, 5), 0u);
    EXPECT_EQ(Bits(2, kCoachRecoveryState, 0, 8), 0u);
    EXPECT_EQ(SquadRec_GetProgramFlagA(2, 0) & 2, 2);
    EXPECT_EQ(SquadRec_GetProgramFlagB(2, 0) & 2, 2);
    EXPECT_EQ(SquadRec_GetProgramFlagA(2, 1) & 2, 2);  // type 3 flags entry 1

    // The injury routine calls the hook once the injury is stored.
    InjurePlayer(p, 2, 12, 0);
    EXPECT_EQ(CoachGetU16(R(2), kCoachRecoveryRate), 4000 / 14 * 80 / 100);

    // Without a slot nothing changes and nothing is drawn.
    const uint16_t free = MakePlayer(-1, 5);
    const uint32_t before = GameRandomState();
    SquadRec_UpdatePlayer(free, 4, 15);
    EXPECT_EQ(GameRandomState(), before);
    EXPECT_EQ(GetPlayerFitness(free), 60);
}

TEST_F(CoachingTest, InjuryHookFitnessCapTakesOneDraw) {
    const uint16_t p = Coached(0);
    for (int i = 0; i < 50; ++i) {
        SquadRec_InitSlot(0, p);
        SetPlayerFitness(p, 60);
        const uint32_t before = GameRandomState();
        SquadRec_UpdatePlayer(p, 2, 8);
        EXPECT_EQ(GameRandomState(), StateAfter(before, 1));
        const int pct = HVW_GetPlayerFitnessPct(p);
        EXPECT_TRUE(pct >= 93 && pct <= 95) << pct;
        EXPECT_EQ(SquadRec_GetProgramFlagA(0, 1), 0);  // type 8 leaves entry 1 alone
        EXPECT_EQ(SquadRec_GetProgramFlagB(0, 1), 0);
    }
    for (int i = 0; i < 50; ++i) {
        SetPlayerFitness(p, 60);
        SquadRec_UpdatePlayer(p, 2, 33);
        const int pct = HVW_GetPlayerFitnessPct(p);
        EXPECT_TRUE(pct >= 66 && pct <= 75) << pct;
    }
    // Already below the cap: unchanged.
    SetPlayerFitness(p, 20);
    SquadRec_UpdatePlayer(p, 2, 33);
    EXPECT_EQ(GetPlayerFitness(p), 20);
}

TEST_F(CoachingTest, LongInjuryRestartsRehabilitationWithADiaryNote) {
    const uint16_t p = Coached(5);
    CoachSetI8(R(5), ProgramOffset(1) + kProgCode, 22);
    CoachSetI8(R(5), ProgramOffset(1) + kProgQueued, 24);
    SetPlayerIP(p, 4);
    SquadRec_UpdatePlayer(p, 3, 9);
    EXPECT_EQ(DiaryCount(), 1);
    EXPECT_EQ(SquadRec_GetProgramCode(p, 1), 0);  // the queued code was set to 0 and started
    EXPECT_EQ(CoachGetU16(R(5), kCoachProgramCount), 1);

    // Period 2: flags only.
    CoachSetI8(R(5), ProgramOffset(1) + kProgCode, 23);
    SquadRec_UpdatePlayer(p, 2, 9);
    EXPECT_EQ(DiaryCount(), 1);
    EXPECT_EQ(SquadRec_GetProgramCode(p, 1), 23);
}

TEST_F(CoachingTest, SlotInitialisationAndRelease) {
    const uint16_t p = MakePlayer(-1, 5, 8, 50);
    SetPlayerIT(p, 15);
    std::memset(R(3).bytes, 0xCD, sizeof R(3).bytes);
    SquadRec_InitSlot(3, p);
    EXPECT_EQ(SquadRec_FindSlot(p), 3);
    EXPECT_EQ(SquadRec_GetStatus(3), 3);
    EXPECT_EQ(CoachGetU16(R(3), kCoachProgramCount), 0);
    // Attitude 3, stat 27 50: 5000 points over 3 days, 5000 / 19 per unit.
    EXPECT_EQ(CoachGetU16(R(3), kCoachBasePoints), 263);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(CoachGetU16(R(3), kCoachDayTarget + 2 * i), 5000);
        EXPECT_EQ(CoachGetU16(R(3), kCoachDayProgress + 2 * i), 0);
    }
    EXPECT_EQ(SquadRec_GetProgramFlagA(3, 0), 2);
    EXPECT_EQ(SquadRec_GetProgramFlagA(3, 1), 2);  // type 15 needs rehabilitation
    EXPECT_EQ(SquadRec_GetProgramFlagB(3, 1), 2);
    EXPECT_EQ(SquadRec_GetProgramCode(p, 0), 0);
    for (int i = 0; i < kMainHistoryEntries + kRehabHistoryEntries; ++i) {
        EXPECT_EQ(Bits(3, kCoachMainHistory + 4 * i, 0, 16), 3u << 13);
    }
    EXPECT_EQ(R(3).bytes[kCoachReserved + 7], 0);
    EXPECT_GE(CoachGetI8(R(3), kCoachSuggested), 1);

    SetPlayerIT(p, 20);
    SquadRec_InitSlot(3, p);
    EXPECT_EQ(SquadRec_GetProgramFlagA(3, 1), 0);
    SetPlayerIT(p, 0);
    SquadRec_InitSlot(3, p);
    EXPECT_EQ(SquadRec_GetProgramFlagA(3, 0), 0);

    Player_ReleaseCoachingSlot(p);
    EXPECT_EQ(SquadRec_FindSlot(p), -1);
    EXPECT_EQ(CoachGetI8(R(3), kCoachSuggested), -1);
    EXPECT_EQ(SquadRec_GetProgramFlagA(3, 1), 2);
    // A number not in use frees the slot too.
    SquadRec_InitSlot(3, uint16_t(PlayerCount + 5));
    EXPECT_EQ(CoachGetU16(R(3), kCoachPlayer), 0);
    SquadRec_InitSlot(40, p);  // ignored
}

TEST_F(CoachingTest, ChooserFollowsPreferencesAndRoom) {
    const uint16_t keeper = Coached(0, 0);
    EXPECT_EQ(SquadRec_ChooseProgram(keeper), 2);
    const uint16_t forward = Coached(1, 11);
    EXPECT_EQ(SquadRec_ChooseProgram(forward), 5);
    // A recently run program drops behind the others.
    CoachSetU16(R(1), kCoachProgramCount, 4);
    CoachSetBits(R(1), kCoachMainHistory + 4 * 5, 0, 12, 4);
    CoachSetBits(R(1), kCoachMainHistory + 4 * 4, 0, 12, 2);
    EXPECT_EQ(SquadRec_ChooseProgram(forward), 1);

    // Every aimed stat at 100 and no setting 0: nothing to suggest.
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(forward, s, 100);
    EXPECT_EQ(SquadRec_ChooseProgram(forward), -1);
    SetPlayerSetting2(forward, 0);
    EXPECT_EQ(SquadRec_ChooseProgram(forward), 10);
    SetPlayerSetting2(forward, 3);
    SetPlayerStat(forward, 14, 99);
    EXPECT_EQ(SquadRec_ChooseProgram(forward), 9);
    EXPECT_EQ(SquadRec_ChooseProgram(MakePlayer(-1, 5)), -1);  // no slot

    // A player-manager is a manager to GetPlayerPosition; he is coached
    // for the position he plays, a keeper's program first.
    const uint16_t playerManager = Coached(2, 0);
    SetPlayerHalvornB(playerManager, 1);
    SetPlayerHalvorn(playerManager, 1);
    ASSERT_EQ(GetPlayerPosition(playerManager), 13u);
    EXPECT_EQ(SquadRec_ChooseProgram(playerManager), 2);
}

TEST_F(CoachingTest, RehabReaction) {
    const uint16_t a = Coached(0);
    const uint16_t b = Coached(1);
    SquadRec_SetQueuedCode(a, 1, 22);
    SquadRec_SetQueuedCode(b, 1, 22);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(SquadRec_RehabReaction(0, 22), 1);
        EXPECT_EQ(SquadRec_GetStatus(0), 3);
    }
    // Queued by one slot only: the attitude falls by 1 or 2.
    SquadRec_SetQueuedCode(b, 1, 0);
    SquadRec_RehabReaction(0, 22);
    const int after = SquadRec_GetStatus(0);
    EXPECT_TRUE(after == 1 || after == 2);

    // Code 24: a willing player sets the flag and answers 1; an unwilling
    // one (low stats 17, 24, 25, high 16) falls and answers 0.
    SetPlayerStat(b, 17, 1);
    SetPlayerStat(b, 24, 1);
    SetPlayerStat(b, 25, 1);
    SetPlayerStat(b, 16, 100);
    EXPECT_EQ(SquadRec_RehabReaction(1, 24), 0);
    EXPECT_EQ(SquadRec_GetStatus(1), 2);
    EXPECT_EQ(Bits(1, kCoachAttitudeBits, 5, 1), 0u);
    EXPECT_EQ(SquadRec_RehabReaction(1, 23), 1);
    EXPECT_EQ(SquadRec_GetStatus(1), 1);
    EXPECT_EQ(DiaryCount(), 1);
    SetPlayerStat(b, 16, 1);
    EXPECT_EQ(SquadRec_RehabReaction(1, 24), 1);
    EXPECT_EQ(Bits(1, kCoachAttitudeBits, 5, 1), 1u);
    EXPECT_EQ(SquadRec_RehabReaction(7, 24), 1);  // free slot
}

TEST_F(CoachingTest, ProgramStartCloseAndState) {
    MakeStaff();
    const uint16_t p = Coached(4);
    CoachSetU16(R(4), kCoachCoachId, 21);
    SquadRec_SetQueuedCode(p, 0, 6);
    // Find a day whose weekday is 2 and one just after it.
    int16_t day2 = -1;
    for (int16_t d = 0; d < 7; ++d) {
        uint8_t w, dm, m;
        int16_t y;
        HVW_DayNumberToFullDate(d, SeasonCalendar.season, &w, &dm, &m, &y);
        if (w == 2) day2 = d;
    }
    ASSERT_GE(day2, 0);
    SeasonCalendar.currentDay = day2;
    SquadRec_StartProgram(p, 0);
    EXPECT_EQ(Bits(4, ProgramOffset(0) + kProgBits, 0, 10), uint32_t(day2));
    EXPECT_EQ(SquadRec_GetProgramCode(p, 0), 6);
    EXPECT_EQ(CoachGetI8(R(4), kCoachSuggested), 6);
    // Main program: BasePoints with base 4 as a program of entry 1.
    EXPECT_EQ(SquadRec_GetSubEntryWord(p, 0), 6000);  // stat 27 60
    EXPECT_EQ(CoachGetU16(R(4), ProgramOffset(0) + kProgPlanned), 5);
    EXPECT_EQ(CoachGetU16(R(4), ProgramOffset(0) + kProgPerUnit), 6000 / 31);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 9);  // nothing gained yet

    CoachSetU16(R(4), ProgramOffset(0) + kProgUnits, 10);
    CoachSetU16(R(4), ProgramOffset(0) + kProgGained, 100);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 8);
    CoachSetU16(R(4), ProgramOffset(0) + kProgCounter8, 3);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 4);  // 100 x 100 / 1930 = 5
    CoachSetU16(R(4), ProgramOffset(0) + kProgGained, 50);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 3);
    CoachSetU16(R(4), ProgramOffset(0) + kProgGained, 1000);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 5);
    CoachSetU16(R(4), ProgramOffset(0) + kProgGained, 6000);
    EXPECT_EQ(SquadRec_ProgramState(p, 6), 2);
    EXPECT_EQ(SquadRec_ProgramState(p, 0), 0);
    EXPECT_EQ(SquadRec_ProgramState(p, 3), 9);
    EXPECT_EQ(SquadRec_ProgramState(MakePlayer(-1, 5), 3), -1);

    // Starting the next program the day after closes this one, completed.
    SeasonCalendar.currentDay = int16_t(day2 + 1);
    SquadRec_SetQueuedCode(p, 0, 3);
    SquadRec_StartProgram(p, 0);
    EXPECT_EQ(Bits(4, kCoachMainHistory + 4 * 6, 0, 12), 1u);
    EXPECT_EQ(Bits(4, kCoachMainHistory + 4 * 6, 12, 1), 1u);
    EXPECT_EQ(SquadRec_GetStatus(4), 3);
    EXPECT_EQ(Bits(4, ProgramOffset(0) + kProgBits, 0, 10), uint32_t(day2 + 7));
    // Closed unfinished: the attitude falls.
    SquadRec_SetQueuedCode(p, 0, 0);
    SquadRec_StartProgram(p, 0);
    EXPECT_EQ(Bits(4, kCoachMainHistory + 4 * 3, 12, 1), 0u);
    EXPECT_EQ(SquadRec_GetStatus(4), 2);
    EXPECT_EQ(CoachGetU16(R(4), kCoachCoachId), 0);
    EXPECT_EQ(SquadRec_ProgramState(p, 5), 1);  // no coach any more

    // Completion is judged against the set-up as it stands at the close:
    // the target stored at the start no longer counts once the player has
    // grown.
    SquadRec_SetQueuedCode(p, 0, 4);
    SquadRec_StartProgram(p, 0);
    const uint16_t target = CoachGetU16(R(4), ProgramOffset(0) + kProgTarget);
    CoachSetU16(R(4), ProgramOffset(0) + kProgGained, target);
    SetPlayerStat(p, 27, 90);
    SquadRec_CloseProgram(4, 0);
    EXPECT_EQ(Bits(4, kCoachMainHistory + 4 * 4, 12, 1), 0u);
}

TEST_F(CoachingTest, RehabilitationSetUpAndHistoryAttitude) {
    const uint16_t p = Coached(6);
    SetPlayerStat(p, 12, 80);
    SetPlayerStat(p, 27, 60);
    int32_t first, second, third;
    SquadRec_SetupProgram(6, 1, 21, &first, &second, &third);
    EXPECT_EQ(first, 80 * 80 / 100);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(third, 10);
    SquadRec_SetupProgram(6, 1, 22, &first, &second, &third);
    EXPECT_EQ(first, 6 * 80 / 100);  // stat 24 60: u = 80
    EXPECT_EQ(third, 8);
    SquadRec_SetupProgram(6, 1, 30, &first, &second, &third);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(third, 0);
    SquadRec_SetupProgram(6, 0, 0, &first, &second, &third);
    EXPECT_EQ(first + second + third, 0);

    // Code 22 run one program ago: attitude 3 - 2 = 1, penalty 40, u = 48.
    CoachSetU16(R(6), kCoachProgramCount, 5);
    CoachSetBits(R(6), kCoachRehabHistory + 4 * 4, 0, 12, 5);
    SquadRec_SetupProgram(6, 1, 22, &first, &second, &third);
    EXPECT_EQ(first, 6 * 48 / 100);
    EXPECT_EQ(Bits(6, kCoachRehabHistory + 4 * 4, 13, 3), 3u);
}

// The diary queue the coaching notes go to: ten slots, zeroed ones free.
TEST_F(CoachingTest, DiaryNotesFillTenSlots) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(AddDiaryNote("note", int16_t(40 + i), 7), 1);
    EXPECT_EQ(AddDiaryNote("eleventh", 60, 0), 0);
    EXPECT_EQ(DiaryNotes[9].bytes[301], 49);
    EXPECT_EQ(DiaryNotes[9].bytes[304], 7);
    // A freed slot (day -1) takes the next note.
    DiaryNotes[4].bytes[301] = 0xFF;
    DiaryNotes[4].bytes[302] = 0xFF;
    EXPECT_EQ(AddDiaryNote("again", 61, 0), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(DiaryNotes[4].bytes), "again");

    // A body variant outside the list is the first body.
    const std::string first = TextMsg_ExpandBody(191, 0);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(std::string(TextMsg_ExpandBody(191, 9)), first);
    EXPECT_STREQ(TextMsg_ExpandBody(-4, 0), "");
}

}  // namespace
