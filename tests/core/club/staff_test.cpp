// Staff and coaching records: lookups, accessors and derived figures over
// the saved blocks, garbage blocks, and the coaching programs and injury
// hook that change them.
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/coaching.h"
#include "core/club/staff.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "tests/core/club/management_fixture.h"

namespace {

class StaffTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        ClearAll();
        savedViewed_ = HVW_GetViewedCountry();
    }
    void TearDown() override { ClearAll(); }

    static void ClearAll() {
        std::memset(ClubStaff, 0, sizeof ClubStaff);
        std::memset(StaffCandidates, 0, sizeof StaffCandidates);
        std::memset(CoachingRecords, 0, sizeof CoachingRecords);
        std::memset(CoachingRecords28, 0, sizeof CoachingRecords28);
        std::memset(UnusedStaffWords, 0, sizeof UnusedStaffWords);
        std::memset(UnusedStaffBytes, 0, sizeof UnusedStaffBytes);
        std::memset(StaffTimetable, 0, sizeof StaffTimetable);
        std::memset(DiaryNotes, 0, sizeof DiaryNotes);
    }

    static StaffRecord& MakeStaff(int slot, uint16_t id, int state, int nationality) {
        StaffRecord& s = ClubStaff[slot];
        std::memset(s.bytes, 0, sizeof s.bytes);
        s.bytes[kStaffInitial] = 'J';
        std::strcpy(reinterpret_cast<char*>(s.bytes + kStaffSurname), "Okafor");
        recbits::StoreU16(s.bytes + kStaffId, id);
        for (int i = 0; i < kStaffLanguages; ++i) s.bytes[kStaffLanguageCodes + i] = 0xFF;
        recbits::StoreU32(s.bytes + kStaffBits,
                          uint32_t(state) << 22 | uint32_t(nationality) << 10 | 4u << 6);
        return s;
    }

    static void SetRecovery(int slot, uint32_t stateBits) {
        recbits::StoreU32(CoachingRecords[slot].bytes + kCoachRecoveryState, stateBits);
    }
    static void Hold(int slot, uint16_t player) { recbits::StoreU16(CoachingRecords[slot].bytes, player); }

    static bool IsSlot(int16_t slot) { return slot >= 0 && slot < kCoachingSlots; }

    int16_t savedViewed_ = 0;
};

TEST_F(StaffTest, LookupsCheckTheSlotAndThePlayer) {
    const uint16_t p = MakePlayer(-1, 5);
    Hold(4, p);
    Hold(9, 0);
    Hold(10, uint16_t(PlayerCount + 40));  // not below the count
    EXPECT_EQ(SquadRec_FindSlot(p), 4);
    EXPECT_EQ(SquadRec_FindSlot(0), -1);
    EXPECT_EQ(SquadRec_FindSlot(uint16_t(PlayerCount + 40)), -1);
    EXPECT_EQ(SquadRec_GetPlayerId(4), p);
    EXPECT_EQ(SquadRec_GetPlayerId(10), 0);
    EXPECT_EQ(SquadRec_GetPlayerId(-1), 0);
    EXPECT_EQ(SquadRec_GetPlayerId(32), 0);
    // Defaults of a player without a slot.
    const uint16_t other = MakePlayer(-1, 5);
    EXPECT_EQ(SquadRec_GetProgramCode(other, 0), -1);
    EXPECT_EQ(SquadRec_GetProgramWeeks(other, 1), -1);
    EXPECT_EQ(SquadRec_GetProgramCounter8(other, 0), -1);
    EXPECT_EQ(SquadRec_GetSubEntryWord(other, 0), 0);
    EXPECT_EQ(SquadRec_GetStatus(-3), 3);
    EXPECT_EQ(SquadRec_GetProgramFlagA(40, 0), 1);
    EXPECT_EQ(SquadRec_GetProgramFlagB(4, 2), 1);
    EXPECT_EQ(Player_GetAssignedStaff(other), nullptr);

    // Queued codes go to every slot of the player.
    Hold(20, p);
    SquadRec_SetQueuedCode(p, 1, 22);
    EXPECT_EQ(SquadRec_CountQueuedCode(22), 2);
    EXPECT_EQ(SquadRec_CountQueuedCode(19), 0);
    SquadRec_SetProgramFlagA(4, 1, 7);
    EXPECT_EQ(SquadRec_GetProgramFlagA(4, 1), 3);
    EXPECT_EQ(SquadRec_GetProgramFlagB(4, 1), 0);
}

TEST_F(StaffTest, ActiveStaffCostAndBudget) {
    MakeClub(3);
    SetPlayerClub(1, 3);
    MakeStaff(0, 11, 5, 0);
    MakeStaff(1, 12, 4, 0);  // state 4: not active
    MakeStaff(2, 0, 9, 0);   // empty slot
    MakeStaff(3, 14, 7, 0);
    recbits::StoreU16(ClubStaff[0].bytes + kStaffWage, 300);
    recbits::StoreU16(ClubStaff[1].bytes + kStaffWage, 1000);
    recbits::StoreU16(ClubStaff[3].bytes + kStaffWage, 450);
    EXPECT_NE(Staff_GetActive(0), nullptr);
    EXPECT_EQ(Staff_GetActive(1), nullptr);
    EXPECT_EQ(Staff_GetActive(2), nullptr);
    EXPECT_EQ(Staff_GetActive(8), nullptr);
    EXPECT_EQ(Staff_GetWeeklyCost(3), 750);
    EXPECT_EQ(Staff_GetWeeklyCost(4), 0);
    EXPECT_EQ(Staff_GetBudget(3), 0);
    EXPECT_EQ(Staff_GetBudget(3) - Staff_GetWeeklyCost(3), -750);
    EXPECT_EQ(StaffRec_FindById(12), &ClubStaff[1]);
    EXPECT_EQ(StaffRec_FindById(0), nullptr);

    // The coach of a slot, by id.
    const uint16_t p = MakePlayer(3, 5);
    Hold(2, p);
    recbits::StoreU16(CoachingRecords[2].bytes + kCoachCoachId, 14);
    EXPECT_EQ(Player_GetAssignedStaff(p), &ClubStaff[3]);
    EXPECT_EQ(StaffRec_GetId(SquadRec_GetStaff(2)), 14);
    recbits::StoreU16(CoachingRecords[2].bytes + kCoachCoachId, 99);
    EXPECT_EQ(SquadRec_GetStaff(2), nullptr);
}

TEST_F(StaffTest, StaffFieldsAndFigures) {
    StaffRecord& s = MakeStaff(0, 5, 6, 8);
    SeasonCalendar.year = 2004;
    recbits::StoreI16(s.bytes + kStaffBirthYear, 1961);
    s.bytes[kStaffRating2] = 70;
    s.bytes[kStaffRating3] = 50;
    s.bytes[kStaffRating5] = 100;
    s.bytes[kStaffRole1] = 2;
    s.bytes[kStaffRole2] = 0xFF;
    EXPECT_EQ(StaffRec_GetAge(&s), 43);
    EXPECT_EQ(StaffRec_GetRatingPercent(&s), 80);
    EXPECT_EQ(StaffRec_GetRole(&s, 0), 2);
    EXPECT_EQ(StaffRec_GetRole(&s, 1), -1);
    EXPECT_EQ(StaffRec_GetRole(&s, 2), -1);
    EXPECT_EQ(StaffRec_GetLevel(&s), 4);
    EXPECT_EQ(StaffRec_GetState(&s), 6);
    EXPECT_EQ(StaffRec_GetNationality(&s), 8);
    EXPECT_STREQ(StaffRec_GetName(&s), "Okafor");
    EXPECT_EQ(StaffRec_GetInitial(&s), 'J');
    // Defaults without a record.
    EXPECT_EQ(StaffRec_GetAge(nullptr), 0);
    EXPECT_EQ(StaffRec_GetRatingPercent(nullptr), 0);
    EXPECT_EQ(StaffRec_GetLevel(nullptr), 1);
    EXPECT_EQ(StaffRec_GetRating3(nullptr), 1);
    EXPECT_EQ(StaffRec_GetNationality(nullptr), HVW_GetViewedCountry());
    EXPECT_EQ(StaffRec_GetName(nullptr), nullptr);

    // A surname filling its whole field still reads as a bounded string.
    std::memset(s.bytes + kStaffSurname, 'x', kStaffSurnameSize);
    EXPECT_EQ(std::strlen(StaffRec_GetName(&s)), size_t(kStaffSurnameSize - 1));
}

TEST_F(StaffTest, LanguageAffinityAndEffectiveness) {
    StaffRecord& s = MakeStaff(0, 5, 6, 8);
    s.bytes[kStaffLanguageCodes + 2] = 5;
    EXPECT_EQ(StaffRec_LanguageAffinity(&s, 10), 2);  // nation 10 speaks 5
    EXPECT_EQ(StaffRec_LanguageAffinity(&s, 8), 2);   // same nation
    EXPECT_EQ(StaffRec_LanguageAffinity(&s, 116), 0);
    EXPECT_EQ(StaffRec_LanguageAffinity(&s, -1), 0);
    s.bytes[kStaffLanguageCodes + 2] = 0xFF;
    EXPECT_EQ(StaffRec_LanguageAffinity(&s, 10), 0);

    // Nationality 116 gives 0 even with a shared language.
    StaffRecord& foreign = MakeStaff(1, 6, 6, 116);
    foreign.bytes[kStaffLanguageCodes] = 5;
    EXPECT_EQ(StaffRec_LanguageAffinity(&foreign, 6), 0);
    EXPECT_EQ(StaffRec_LanguageAffinity(&foreign, 116), 0);

    // A language of the viewed country gives 1; code 25 matches nobody.
    StaffRecord& other = MakeStaff(2, 7, 6, 40);
    other.bytes[kStaffLanguageCodes] = uint8_t(NationLanguages[HVW_GetViewedCountry()][0]);
    EXPECT_EQ(StaffRec_LanguageAffinity(&other, 38), 1);
    other.bytes[kStaffLanguageCodes] = 25;
    EXPECT_EQ(NationLanguages[70][0], 25);
    EXPECT_EQ(StaffRec_LanguageAffinity(&other, 70), 0);

    // f = 2: e = 150 x 5 / 40 + 40 = 58; (100 + 200) x 58 / 300 = 58.
    StaffRecord& coach = MakeStaff(3, 8, 6, 8);
    coach.bytes[kStaffRating3] = 50;
    coach.bytes[kStaffRating5] = 100;
    const uint16_t p = MakePlayer(-1, 5);
    SetPlayerNationality(p, 8);
    EXPECT_EQ(StaffRec_Effectiveness(&coach, p, 3), 58);
    // No shared language: f = 6, e = 750 / 120 + 40 = 46.
    SetPlayerNationality(p, 36);
    EXPECT_EQ(StaffRec_Effectiveness(&coach, p, 3), 46);
    EXPECT_EQ(StaffRec_Effectiveness(nullptr, p, 3), 0);
}

TEST_F(StaffTest, RecoveryEstimateAndText) {
    MakeClub(3);
    const uint16_t p = MakePlayer(3, 5);
    Hold(0, p);
    SetRecovery(0, 3);
    recbits::StoreU16(CoachingRecords[0].bytes + kCoachRecoverySpeed, 200);
    recbits::StoreU16(CoachingRecords[0].bytes + kCoachRecoveryPoints, 3000);
    EXPECT_EQ(SquadRec_RecoveryWeeks(p), 5);
    recbits::StoreU16(CoachingRecords[0].bytes + kCoachRecoverySpeed, 1);  // c of 0 is raised to 1
    EXPECT_EQ(SquadRec_RecoveryWeeks(p), 7000 / 1 / 7);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2347);
    MakeStaff(kPhysioSlot, 3, 5, 0);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2313);

    SetRecovery(0, 1);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2311);
    SetRecovery(0, 2);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2312);
    SetRecovery(0, 0);
    SetPlayerFitness(p, 60);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2310);
    EXPECT_EQ(SquadRec_RecoveryWeeks(p), 1);
    SetPlayerFitness(p, 58);  // 96%
    EXPECT_EQ(SquadRec_RecoveryText(p), 2347);
    SetPlayerFitness(p, 50);  // 83%
    EXPECT_EQ(SquadRec_RecoveryText(p), 2348);
    SetPlayerFitness(p, 30);  // 50%
    EXPECT_EQ(SquadRec_RecoveryText(p), 2370);
    EXPECT_EQ(SquadRec_RecoveryWeeks(p), 6);
    SetRecovery(0, 0x80);
    EXPECT_EQ(SquadRec_RecoveryText(p), 2346);
    EXPECT_EQ(SquadRec_GetFlag(p), 1);
    EXPECT_EQ(SquadRec_GetCompletedCount(), -1);
}

// Saved games may hold anything in the seven blocks.
TEST_F(StaffTest, GarbageBlocksGiveDefaultsNeverACrash) {
    const uint16_t a = MakePlayer(-1, 5);
    const uint16_t b = MakePlayer(-1, 0);
    for (int round = 0; round < 200; ++round) {
        auto fill = [](void* block, size_t size) {
            auto* bytes = static_cast<uint8_t*>(block);
            for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(GameRandom());
        };
        fill(ClubStaff, sizeof ClubStaff);
        fill(StaffCandidates, sizeof StaffCandidates);
        fill(UnusedStaffWords, sizeof UnusedStaffWords);
        fill(StaffTimetable, sizeof StaffTimetable);
        fill(CoachingRecords, sizeof CoachingRecords);
        fill(CoachingRecords28, sizeof CoachingRecords28);
        fill(UnusedStaffBytes, sizeof UnusedStaffBytes);
        // Some slots hold real players.
        Hold(round % 32, a);
        Hold((round * 7 + 3) % 32, b);
        recbits::StoreU16(CoachingRecords28[round % 32].bytes, a);

        for (int16_t slot = -2; slot < 34; ++slot) {
            ASSERT_LE(SquadRec_GetStatus(slot), 7);
            ASSERT_LE(SquadRec_GetProgramFlagA(slot, 0), 3);
            ASSERT_LE(SquadRec_GetProgramFlagB(slot, 1), 3);
            const uint16_t held = SquadRec_GetPlayerId(slot);
            ASSERT_TRUE(held < PlayerCount);
            SquadRec_GetStaff(slot);
            ASSERT_EQ(SquadRec_RehabReaction(slot, 22) >= 0, true);
            ASSERT_LE(SquadRec_GetStatus(slot), 7);
        }
        for (int16_t i = -1; i < 9; ++i) {
            const StaffRecord* s = Staff_GetActive(i);
            for (const StaffRecord* r : std::initializer_list<const StaffRecord*>{
                     s, &StaffCandidates[(i + 8) % 8], StaffRec_FindById(uint16_t(i + 1))}) {
                ASSERT_TRUE(StaffRec_GetAge(r) >= 0 && StaffRec_GetAge(r) <= 99);
                for (int16_t nation : {int16_t(0), int16_t(10), int16_t(115), int16_t(116), int16_t(-5)}) {
                    const int16_t affinity = StaffRec_LanguageAffinity(r, nation);
                    ASSERT_TRUE(affinity >= 0 && affinity <= 2);
                }
                StaffRec_GetRatingPercent(r);
                StaffRec_GetLevel(r);
                StaffRec_GetState(r);
                StaffRec_GetFlag18(r);
                StaffRec_GetNationality(r);
                StaffRec_GetRole(r, 1);
                StaffRec_GetRating1(r);
                StaffRec_GetRating5(r);
                StaffRec_GetInitial(r);
                StaffRec_GetId(r);
                if (r != nullptr) {
                    ASSERT_LT(std::strlen(StaffRec_GetName(r)), size_t(kStaffSurnameSize));
                }
                StaffRec_Effectiveness(r, a, 10);
            }
        }
        for (uint16_t p : {uint16_t(0), a, b, uint16_t(PlayerCount), uint16_t(65535)}) {
            SquadRec_GetProgramCode(p, 0);
            SquadRec_GetSubEntryWord(p, 1);
            SquadRec_GetSubEntryWord4(p, 0);
            SquadRec_GetProgramCounter8(p, 1);
            SquadRec_GetProgramWeeks(p, 0);
            ASSERT_LE(SquadRec_GetFlag(p), 1);
            ASSERT_LE(SquadRec_GetLow5(p), 31);
            ASSERT_LE(SquadRec_GetRecoveryBits10(p), 15);
            SquadRec28_GetWord22(p);
            SquadRec28_GetWord24(p);
            SquadRec_RecoveryWeeks(p);
            const int16_t text = SquadRec_RecoveryText(p);
            ASSERT_TRUE(text == 2310 || text == 2311 || text == 2312 || text == 2313 || text == 2346 ||
                        text == 2347 || text == 2348 || text == 2370);
            const int16_t chosen = SquadRec_ChooseProgram(p);
            ASSERT_TRUE(chosen >= -1 && chosen <= 10);
            const int16_t state = SquadRec_ProgramState(p, int16_t(round % 12));
            ASSERT_TRUE(state >= -1 && state <= 9);
            Player_GetAssignedStaff(p);
        }
        for (int16_t code = -1; code < 27; ++code) ASSERT_LE(SquadRec_CountQueuedCode(code), 32);
        // The programs and the hook on garbage slots: no crash, attitude kept in range.
        for (int16_t slot : {int16_t(round % 32), int16_t((round * 7 + 3) % 32), int16_t(-1), int16_t(32)}) {
            int32_t x, y, z;
            SquadRec_BasePoints(slot, int16_t(round % 2), 3, &x, &y, &z);
            SquadRec_SetupProgram(slot, int16_t(round % 2), int16_t(round % 27), &x, &y, &z);
            SquadRec_CloseProgram(slot, int16_t(round % 2));
            if (IsSlot(slot)) {
                ASSERT_LE(SquadRec_GetStatus(slot), 7);
            }
        }
        SquadRec_StartProgram(a, int16_t(round % 2));
        SquadRec_UpdatePlayer(b, int16_t(round % 9), int16_t(round % 40));
        ASSERT_LE(SquadRec_GetStatus(SquadRec_FindSlot(a)), 7);
        Staff_GetWeeklyCost(0);
    }
}

}  // namespace
