// The user's staff and the coaching files of his players: the saved
// tables, the lookups and field accessors, and the figures the staff,
// training and condition screens show.  The tables come raw from saved
// games, so every accessor checks its slot, index and player and answers
// its default rather than reading outside a record.
#pragma once
#include <cstdint>

struct StaffRecord {
    uint8_t bytes[59];
};
static_assert(sizeof(StaffRecord) == 59);
struct CoachingRecord {
    uint8_t bytes[199];
};
static_assert(sizeof(CoachingRecord) == 199);
struct CoachingRecord28 {
    uint8_t bytes[28];
};
static_assert(sizeof(CoachingRecord28) == 28);

constexpr int kStaffSlots = 8;
constexpr int kCoachingSlots = 32;
constexpr int kPhysioSlot = 6;
constexpr int kStaffLanguages = 5;
constexpr int kLanguageNations = 116;

extern StaffRecord StaffCandidates[kStaffSlots];
extern StaffRecord ClubStaff[kStaffSlots];
extern uint8_t UnusedStaffWords[32];  // carried by the saved game; nothing reads it
extern uint16_t StaffTimetable[7][4][2];
extern CoachingRecord CoachingRecords[kCoachingSlots];
extern CoachingRecord28 CoachingRecords28[kCoachingSlots];
extern uint8_t UnusedStaffBytes[50];  // carried by the saved game; nothing reads it

// Three language codes per nation (-1 none; 25 a language nobody is
// matched on).
extern const int16_t NationLanguages[kLanguageNations][3];

// ---- Staff record layout --------------------------------------------------

constexpr int kStaffInitial = 0;
constexpr int kStaffSurname = 1;
constexpr int kStaffSurnameSize = 30;
constexpr int kStaffId = 31;
constexpr int kStaffRole1 = 33;
constexpr int kStaffRole2 = 34;
constexpr int kStaffBirthYear = 35;
constexpr int kStaffWage = 39;
constexpr int kStaffLanguageCodes = 43;
constexpr int kStaffRating1 = 48;
constexpr int kStaffRating2 = 49;
constexpr int kStaffRating3 = 50;
constexpr int kStaffRating4 = 51;
constexpr int kStaffRating5 = 52;
constexpr int kStaffBits = 55;

// ---- Coaching record layout -------------------------------------------------

constexpr int kCoachPlayer = 0;
constexpr int kCoachReserved = 2;
constexpr int kCoachReservedSize = 20;
constexpr int kCoachProgram = 22;  // two entries of 22 bytes
constexpr int kCoachProgramSize = 22;
constexpr int kCoachMainHistory = 66;    // 11 x u32, codes 0..10
constexpr int kCoachRehabHistory = 110;  // 8 x u32, codes 18..25
constexpr int kCoachProgramCount = 142;
constexpr int kCoachCoachId = 144;
constexpr int kCoachDayTarget = 146;
constexpr int kCoachDayProgress = 160;
constexpr int kCoachBasePoints = 174;
constexpr int kCoachRecoveryProgress = 176;
constexpr int kCoachRecoveryRate = 178;
constexpr int kCoachRecoveryBits = 180;
constexpr int kCoachRecoveryPoints = 184;
constexpr int kCoachRecoverySpeed = 186;
constexpr int kCoachRecoveryState = 189;
constexpr int kCoachReservedCount = 193;
constexpr int kCoachSuggested = 194;
constexpr int kCoachAttitudeBits = 195;
constexpr int kMainHistoryEntries = 11;
constexpr int kRehabHistoryEntries = 8;
constexpr int kFirstRehabHistoryCode = 18;

// Program entry offsets within an entry.
constexpr int kProgCode = 0;
constexpr int kProgQueued = 1;
constexpr int kProgPlanned = 2;
constexpr int kProgUnits = 4;
constexpr int kProgCounter6 = 6;
constexpr int kProgCounter8 = 8;
constexpr int kProgTarget = 10;
constexpr int kProgPerUnit = 12;
constexpr int kProgGained = 14;
constexpr int kProgCounter16 = 16;
constexpr int kProgBits = 18;

// ---- Bit-field and byte helpers of the two records --------------------------

uint32_t CoachGetBits(const CoachingRecord& record, int offset, int shift, int width);
void CoachSetBits(CoachingRecord& record, int offset, int shift, int width, uint32_t value);
uint16_t CoachGetU16(const CoachingRecord& record, int offset);
void CoachSetU16(CoachingRecord& record, int offset, uint16_t value);
int8_t CoachGetI8(const CoachingRecord& record, int offset);
void CoachSetI8(CoachingRecord& record, int offset, int8_t value);
// Offset of program entry k (0 or 1) within the record.
constexpr int ProgramOffset(int k) { return kCoachProgram + k * kCoachProgramSize; }

// ---- Lookups --------------------------------------------------------------

// First coaching slot holding a valid player number; -1 when none.
int16_t SquadRec_FindSlot(uint16_t player);
// The player of slot 0..31 when below the player count, else 0.
uint16_t SquadRec_GetPlayerId(int16_t slot);
// ClubStaff slot i when its id is above 0 and its state at least 5.
const StaffRecord* Staff_GetActive(int16_t index);
const StaffRecord* StaffRec_FindById(uint16_t id);
// The ClubStaff member whose id is the slot's coach; none for coach 0.
const StaffRecord* SquadRec_GetStaff(int16_t slot);
const StaffRecord* Player_GetAssignedStaff(uint16_t player);

// ---- Coaching field accessors (default in brackets) -----------------------

int16_t SquadRec_GetStatus(int16_t slot);                   // attitude (3)
int16_t SquadRec_GetProgramFlagA(int16_t slot, int16_t k);  // (1)
void SquadRec_SetProgramFlagA(int16_t slot, int16_t k, int16_t value);
int16_t SquadRec_GetProgramFlagB(int16_t slot, int16_t k);  // (1)
void SquadRec_SetProgramFlagB(int16_t slot, int16_t k, int16_t value);
int16_t SquadRec_GetProgramCode(uint16_t player, int16_t k);  // (-1)
// Written in every slot that holds the player.
void SquadRec_SetQueuedCode(uint16_t player, int16_t k, int16_t value);
int32_t SquadRec_GetSubEntryWord(uint16_t player, int16_t k);     // target points (0)
int32_t SquadRec_GetSubEntryWord4(uint16_t player, int16_t k);    // points gained (0)
int32_t SquadRec_GetProgramCounter8(uint16_t player, int16_t k);  // (-1)
int32_t SquadRec_GetProgramWeeks(uint16_t player, int16_t k);     // units / 7 (-1)
int16_t SquadRec_GetFlag(uint16_t player);                        // (0)
int16_t SquadRec_GetLow5(uint16_t player);                        // (0)
int16_t SquadRec_GetRecoveryBits10(uint16_t player);              // (0)
// The fitness lists' readings of a coached player: the care level is his
// recovery state (0 none, 1..7), the treatment count the weeks his
// recovery is expected to take and the programme the text id of his
// recovery line.  Without a coaching slot: 0, the weeks from his fitness,
// and the line of his fitness.
int16_t SquadRec_GetCareLevel(uint16_t player);
// The text id naming the course of a coached player's main program (codes
// 0..10); -1 without a coaching slot or for another code.
int16_t SquadRec_GetCoachingText(uint16_t player);
int32_t SquadRec_GetTreatmentCount(uint16_t player);
int16_t SquadRec_GetProgramme(uint16_t player);
int32_t SquadRec28_GetWord22(uint16_t player);  // (0)
int32_t SquadRec28_GetWord24(uint16_t player);  // (0)

// ---- Staff field accessors (a null record gives the default) --------------

uint16_t StaffRec_GetId(const StaffRecord* staff);                  // (0)
const char* StaffRec_GetName(const StaffRecord* staff);             // (nullptr)
uint8_t StaffRec_GetInitial(const StaffRecord* staff);              // (0)
int16_t StaffRec_GetRole(const StaffRecord* staff, int16_t index);  // (-1)
int16_t StaffRec_GetRating1(const StaffRecord* staff);              // (1)
int16_t StaffRec_GetRating3(const StaffRecord* staff);              // (1)
int16_t StaffRec_GetRating5(const StaffRecord* staff);              // (1)
int16_t StaffRec_GetLevel(const StaffRecord* staff);                // (1)
int16_t StaffRec_GetState(const StaffRecord* staff);                // (0)
int16_t StaffRec_GetFlag18(const StaffRecord* staff);               // (0)
int16_t StaffRec_GetNationality(const StaffRecord* staff);          // (viewed country)
// The words the staff list shows: the contract count (value_a), the wage
// and the wage an applicant asks (value_b); 0 without a record.
int32_t StaffRec_GetCountWord(const StaffRecord* staff);
int32_t StaffRec_GetWage(const StaffRecord* staff);
int32_t StaffRec_GetAskedWage(const StaffRecord* staff);
// The three-bit status of the bit word (0).
int16_t StaffRec_GetStatus(const StaffRecord* staff);
// How many of the five assignment (language) bytes are used (0).
int16_t StaffRec_CountAssignments(const StaffRecord* staff);

// The staff member the details screen shows; none when nobody is chosen.
// Set by the staff list, the player condition screen and the switcher.
extern const StaffRecord* CurrentStaffRecord;

// ---- Derived figures --------------------------------------------------------

// Years since birth, 0..99; 0 without a record.
int16_t StaffRec_GetAge(const StaffRecord* staff);
// (2 x rating2 + 100) / 3; 0 without a record.
int16_t StaffRec_GetRatingPercent(const StaffRecord* staff);
// The user's club: wages of its active staff; 0 for other clubs.
int32_t Staff_GetWeeklyCost(int16_t club);
// The staff money limit; both bounds are 0, so it is 0 for every club.
int32_t Staff_GetBudget(int16_t club);
// 2 same nation or a shared language, 1 a language of the viewed country,
// else 0; 0 for a nation or staff nationality of 116 or more.
int16_t StaffRec_LanguageAffinity(const StaffRecord* staff, int16_t nation);
int32_t StaffRec_Effectiveness(const StaffRecord* staff, uint16_t player, int16_t level);
// Slots with a valid player queuing the code (0..10 main, 21..25 rehab).
int16_t SquadRec_CountQueuedCode(int16_t code);
int16_t SquadRec_GetCompletedCount();
int32_t SquadRec_RecoveryWeeks(uint16_t player);
// Text id of an injured or recovering player's fitness line.
int16_t SquadRec_RecoveryText(uint16_t player);
