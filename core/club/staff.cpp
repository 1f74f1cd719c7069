#include "core/club/staff.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"

StaffRecord StaffCandidates[kStaffSlots];
StaffRecord ClubStaff[kStaffSlots];
uint8_t UnusedStaffWords[32];
uint16_t StaffTimetable[7][4][2];
CoachingRecord CoachingRecords[kCoachingSlots];
CoachingRecord28 CoachingRecords28[kCoachingSlots];
uint8_t UnusedStaffBytes[50];

const int16_t NationLanguages[kLanguageNations][3] = {
#define NATION_LANGUAGES(nation, a, b, c) {a, b, c},
#include "data/staff/languages.inc"
#undef NATION_LANGUAGES
};

namespace {

constexpr int kActiveState = 5;
constexpr int16_t kNoLanguage = -1;
constexpr int16_t kNobodysLanguage = 25;
// Bounds of the staff budget's interpolation by reputation.
constexpr int32_t kStaffBudgetLow = 0;
constexpr int32_t kStaffBudgetHigh = 0;

// Fields of the staff record's bit word.
struct StaffBits {
    int shift;
    int width;
};
constexpr StaffBits kLevelBits{6, 4}, kNationalityBits{10, 8}, kFlag18Bits{18, 1}, kStatusBits{19, 3},
    kStateBits{22, 4};
constexpr int kStaffValueA = 37;
constexpr int kStaffValueB = 41;

uint32_t StaffField(const StaffRecord& staff, StaffBits field) {
    return (recbits::LoadU32(staff.bytes + kStaffBits) >> field.shift) & ((1u << field.width) - 1u);
}
int8_t StaffByte(const StaffRecord& staff, int offset) { return int8_t(staff.bytes[offset]); }

bool IsSlot(int16_t slot) { return slot >= 0 && slot < kCoachingSlots; }
bool IsEntry(int16_t k) { return k == 0 || k == 1; }

const CoachingRecord* RecordOf(uint16_t player) {
    const int16_t slot = SquadRec_FindSlot(player);
    return slot < 0 ? nullptr : &CoachingRecords[slot];
}

uint16_t ProgramWord(const CoachingRecord& record, int16_t k, int field) {
    return CoachGetU16(record, ProgramOffset(k) + field);
}

int FitnessPercent(uint16_t player) { return IsPlayerNumber(player) ? HVW_GetPlayerFitnessPct(player) : 100; }

bool SpeaksOneOf(const StaffRecord& staff, const int16_t (&codes)[3]) {
    for (int i = 0; i < kStaffLanguages; ++i) {
        const int16_t spoken = StaffByte(staff, kStaffLanguageCodes + i);
        if (spoken == kNoLanguage || spoken == kNobodysLanguage) continue;
        for (int16_t code : codes) {
            if (code == spoken) return true;
        }
    }
    return false;
}

}  // namespace

// ---- Byte and bit helpers ---------------------------------------------------

uint32_t CoachGetBits(const CoachingRecord& record, int offset, int shift, int width) {
    const uint32_t mask = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
    return (recbits::LoadU32(record.bytes + offset) >> shift) & mask;
}
void CoachSetBits(CoachingRecord& record, int offset, int shift, int width, uint32_t value) {
    const uint32_t mask = (width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u) << shift;
    const uint32_t word = recbits::LoadU32(record.bytes + offset);
    recbits::StoreU32(record.bytes + offset, (word & ~mask) | ((value << shift) & mask));
}
uint16_t CoachGetU16(const CoachingRecord& record, int offset) {
    return recbits::LoadU16(record.bytes + offset);
}
void CoachSetU16(CoachingRecord& record, int offset, uint16_t value) {
    recbits::StoreU16(record.bytes + offset, value);
}
int8_t CoachGetI8(const CoachingRecord& record, int offset) { return int8_t(record.bytes[offset]); }
void CoachSetI8(CoachingRecord& record, int offset, int8_t value) { record.bytes[offset] = uint8_t(value); }

// ---- Lookups ----------------------------------------------------------------

int16_t SquadRec_FindSlot(uint16_t player) {
    if (!IsPlayerNumber(player)) return -1;
    for (int16_t slot = 0; slot < kCoachingSlots; ++slot) {
        if (CoachGetU16(CoachingRecords[slot], kCoachPlayer) == player) return slot;
    }
    return -1;
}

uint16_t SquadRec_GetPlayerId(int16_t slot) {
    if (!IsSlot(slot)) return 0;
    const uint16_t player = CoachGetU16(CoachingRecords[slot], kCoachPlayer);
    return player < PlayerCount ? player : 0;
}

const StaffRecord* Staff_GetActive(int16_t index) {
    if (index < 0 || index >= kStaffSlots) return nullptr;
    const StaffRecord& staff = ClubStaff[index];
    if (recbits::LoadU16(staff.bytes + kStaffId) == 0 || StaffField(staff, kStateBits) < kActiveState)
        return nullptr;
    return &staff;
}

const StaffRecord* StaffRec_FindById(uint16_t id) {
    if (id == 0) return nullptr;
    for (const StaffRecord& staff : ClubStaff) {
        if (recbits::LoadU16(staff.bytes + kStaffId) == id) return &staff;
    }
    return nullptr;
}

const StaffRecord* SquadRec_GetStaff(int16_t slot) {
    if (!IsSlot(slot)) return nullptr;
    return StaffRec_FindById(CoachGetU16(CoachingRecords[slot], kCoachCoachId));
}

const StaffRecord* Player_GetAssignedStaff(uint16_t player) {
    return SquadRec_GetStaff(SquadRec_FindSlot(player));
}

// ---- Coaching field accessors -------------------------------------------------

int16_t SquadRec_GetStatus(int16_t slot) {
    return IsSlot(slot) ? int16_t(CoachGetBits(CoachingRecords[slot], kCoachAttitudeBits, 0, 3)) : 3;
}

int16_t SquadRec_GetProgramFlagA(int16_t slot, int16_t k) {
    if (!IsSlot(slot) || !IsEntry(k)) return 1;
    return int16_t(CoachGetBits(CoachingRecords[slot], ProgramOffset(k) + kProgBits, 10, 2));
}
void SquadRec_SetProgramFlagA(int16_t slot, int16_t k, int16_t value) {
    if (!IsSlot(slot) || !IsEntry(k)) return;
    CoachSetBits(CoachingRecords[slot], ProgramOffset(k) + kProgBits, 10, 2, uint32_t(value) & 3u);
}
int16_t SquadRec_GetProgramFlagB(int16_t slot, int16_t k) {
    if (!IsSlot(slot) || !IsEntry(k)) return 1;
    return int16_t(CoachGetBits(CoachingRecords[slot], ProgramOffset(k) + kProgBits, 12, 2));
}
void SquadRec_SetProgramFlagB(int16_t slot, int16_t k, int16_t value) {
    if (!IsSlot(slot) || !IsEntry(k)) return;
    CoachSetBits(CoachingRecords[slot], ProgramOffset(k) + kProgBits, 12, 2, uint32_t(value) & 3u);
}

int16_t SquadRec_GetProgramCode(uint16_t player, int16_t k) {
    const CoachingRecord* record = RecordOf(player);
    if (record == nullptr || !IsEntry(k)) return -1;
    return CoachGetI8(*record, ProgramOffset(k) + kProgCode);
}

void SquadRec_SetQueuedCode(uint16_t player, int16_t k, int16_t value) {
    if (!IsPlayerNumber(player) || !IsEntry(k)) return;
    for (CoachingRecord& record : CoachingRecords) {
        if (CoachGetU16(record, kCoachPlayer) == player)
            CoachSetI8(record, ProgramOffset(k) + kProgQueued, int8_t(value));
    }
}

int32_t SquadRec_GetSubEntryWord(uint16_t player, int16_t k) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr && IsEntry(k) ? ProgramWord(*record, k, kProgTarget) : 0;
}
int32_t SquadRec_GetSubEntryWord4(uint16_t player, int16_t k) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr && IsEntry(k) ? ProgramWord(*record, k, kProgGained) : 0;
}
int32_t SquadRec_GetProgramCounter8(uint16_t player, int16_t k) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr && IsEntry(k) ? ProgramWord(*record, k, kProgCounter8) : -1;
}
int32_t SquadRec_GetProgramWeeks(uint16_t player, int16_t k) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr && IsEntry(k) ? ProgramWord(*record, k, kProgUnits) / 7 : -1;
}

int16_t SquadRec_GetFlag(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr ? int16_t(CoachGetBits(*record, kCoachRecoveryState, 7, 1)) : 0;
}
int16_t SquadRec_GetLow5(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr ? int16_t(CoachGetBits(*record, kCoachRecoveryBits, 0, 5)) : 0;
}
int16_t SquadRec_GetRecoveryBits10(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr ? int16_t(CoachGetBits(*record, kCoachRecoveryBits, 10, 4)) : 0;
}

int16_t SquadRec_GetCareLevel(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    return record != nullptr ? int16_t(CoachGetBits(*record, kCoachRecoveryState, 0, 3)) : 0;
}
int16_t SquadRec_GetCoachingText(uint16_t player) {
    static constexpr int16_t kCourseTexts[11] = {402, 426, 41, 42, 44, 45, 43, 427, 612, 613, 653};
    const int16_t code = SquadRec_GetProgramCode(player, 0);
    return code >= 0 && code < 11 ? kCourseTexts[code] : int16_t(-1);
}
int32_t SquadRec_GetTreatmentCount(uint16_t player) { return SquadRec_RecoveryWeeks(player); }
int16_t SquadRec_GetProgramme(uint16_t player) { return SquadRec_RecoveryText(player); }

namespace {
const CoachingRecord28* Record28Of(uint16_t player) {
    if (!IsPlayerNumber(player)) return nullptr;
    for (const CoachingRecord28& record : CoachingRecords28) {
        if (recbits::LoadU16(record.bytes) == player) return &record;
    }
    return nullptr;
}
}  // namespace

int32_t SquadRec28_GetWord22(uint16_t player) {
    const CoachingRecord28* record = Record28Of(player);
    return record != nullptr ? recbits::LoadU16(record->bytes + 22) : 0;
}
int32_t SquadRec28_GetWord24(uint16_t player) {
    const CoachingRecord28* record = Record28Of(player);
    return record != nullptr ? recbits::LoadU16(record->bytes + 24) : 0;
}

// ---- Staff field accessors ----------------------------------------------------

uint16_t StaffRec_GetId(const StaffRecord* staff) {
    return staff != nullptr ? recbits::LoadU16(staff->bytes + kStaffId) : 0;
}
// The surname field is cut at its last byte, so a saved record without a
// terminator still reads as a string of at most 29 characters.
const char* StaffRec_GetName(const StaffRecord* staff) {
    if (staff == nullptr) return nullptr;
    const char* field = reinterpret_cast<const char*>(staff->bytes + kStaffSurname);
    if (std::memchr(field, 0, kStaffSurnameSize) != nullptr) return field;
    static char name[kStaffSurnameSize];
    std::memcpy(name, staff->bytes + kStaffSurname, kStaffSurnameSize - 1);
    name[kStaffSurnameSize - 1] = '\0';
    return name;
}
uint8_t StaffRec_GetInitial(const StaffRecord* staff) {
    return staff != nullptr ? staff->bytes[kStaffInitial] : 0;
}
int16_t StaffRec_GetRole(const StaffRecord* staff, int16_t index) {
    if (staff == nullptr || (index != 0 && index != 1)) return -1;
    return StaffByte(*staff, index == 0 ? kStaffRole1 : kStaffRole2);
}
int16_t StaffRec_GetRating1(const StaffRecord* staff) {
    return staff != nullptr ? StaffByte(*staff, kStaffRating1) : 1;
}
int16_t StaffRec_GetRating3(const StaffRecord* staff) {
    return staff != nullptr ? StaffByte(*staff, kStaffRating3) : 1;
}
int16_t StaffRec_GetRating5(const StaffRecord* staff) {
    return staff != nullptr ? StaffByte(*staff, kStaffRating5) : 1;
}
int16_t StaffRec_GetLevel(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(StaffField(*staff, kLevelBits)) : 1;
}
int16_t StaffRec_GetState(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(StaffField(*staff, kStateBits)) : 0;
}
int16_t StaffRec_GetFlag18(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(StaffField(*staff, kFlag18Bits)) : 0;
}
int16_t StaffRec_GetNationality(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(StaffField(*staff, kNationalityBits)) : HVW_GetViewedCountry();
}

int32_t StaffRec_GetCountWord(const StaffRecord* staff) {
    return staff != nullptr ? recbits::LoadU16(staff->bytes + kStaffValueA) : 0;
}
int32_t StaffRec_GetWage(const StaffRecord* staff) {
    return staff != nullptr ? recbits::LoadU16(staff->bytes + kStaffWage) : 0;
}
int32_t StaffRec_GetAskedWage(const StaffRecord* staff) {
    return staff != nullptr ? recbits::LoadU16(staff->bytes + kStaffValueB) : 0;
}
int16_t StaffRec_GetStatus(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(StaffField(*staff, kStatusBits)) : 0;
}
int16_t StaffRec_CountAssignments(const StaffRecord* staff) {
    if (staff == nullptr) return 0;
    int16_t used = 0;
    for (int i = 0; i < kStaffLanguages; ++i)
        used += StaffByte(*staff, kStaffLanguageCodes + i) != -1 ? 1 : 0;
    return used;
}

const StaffRecord* CurrentStaffRecord = nullptr;

// ---- Derived figures ------------------------------------------------------------

int16_t StaffRec_GetAge(const StaffRecord* staff) {
    if (staff == nullptr) return 0;
    const int years = int(SeasonCalendar.year) - int(recbits::LoadI16(staff->bytes + kStaffBirthYear));
    return int16_t((years % 100 + 100) % 100);
}

int16_t StaffRec_GetRatingPercent(const StaffRecord* staff) {
    if (staff == nullptr) return 0;
    return int16_t((2 * StaffByte(*staff, kStaffRating2) + 100) / 3);
}

int32_t Staff_GetWeeklyCost(int16_t club) {
    if (club < 0 || club != GetUserClub()) return 0;
    int32_t cost = 0;
    for (int16_t i = 0; i < kStaffSlots; ++i) {
        if (const StaffRecord* staff = Staff_GetActive(i))
            cost += recbits::LoadU16(staff->bytes + kStaffWage);
    }
    return cost;
}

int32_t Staff_GetBudget(int16_t club) {
    const int32_t percentile = IsClubNumber(club) ? HVW_GetClubRepPercentile(club, 1) : 0;
    return kStaffBudgetLow + (kStaffBudgetHigh - kStaffBudgetLow) * percentile / 100;
}

int16_t StaffRec_LanguageAffinity(const StaffRecord* staff, int16_t nation) {
    if (staff == nullptr) return 0;
    const int16_t own = StaffRec_GetNationality(staff);
    if (own < 0 || own >= kLanguageNations || nation < 0 || nation >= kLanguageNations) return 0;
    if (own == nation) return 2;
    if (SpeaksOneOf(*staff, NationLanguages[nation])) return 2;
    const int16_t viewed = HVW_GetViewedCountry();
    if (viewed >= 0 && viewed < kLanguageNations && SpeaksOneOf(*staff, NationLanguages[viewed])) return 1;
    return 0;
}

int32_t StaffRec_Effectiveness(const StaffRecord* staff, uint16_t player, int16_t level) {
    if (staff == nullptr || !IsPlayerNumber(player)) return 0;
    const int16_t affinity = StaffRec_LanguageAffinity(staff, int16_t(GetPlayerNationality(player)));
    const int32_t f = affinity == 2 ? 2 : affinity == 1 ? 3 : 6;
    const int32_t e = (StaffByte(*staff, kStaffRating3) + 100) * (level + 2) / (20 * f) + 40;
    return (StaffByte(*staff, kStaffRating5) + 200) * e / 300;
}

int16_t SquadRec_CountQueuedCode(int16_t code) {
    int16_t k;
    if (code >= 0 && code <= 10) {
        k = 0;
    } else if (code >= 21 && code <= 25) {
        k = 1;
    } else {
        return 0;
    }
    int16_t count = 0;
    for (int16_t slot = 0; slot < kCoachingSlots; ++slot) {
        if (!IsPlayerNumber(CoachGetU16(CoachingRecords[slot], kCoachPlayer))) continue;
        if (CoachGetI8(CoachingRecords[slot], ProgramOffset(k) + kProgQueued) == code) ++count;
    }
    return count;
}

int16_t SquadRec_GetCompletedCount() { return -1; }

int32_t SquadRec_RecoveryWeeks(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    if (record != nullptr && CoachGetBits(*record, kCoachRecoveryState, 0, 3) == 3) {
        int32_t c = (int32_t(CoachGetU16(*record, kCoachRecoverySpeed)) * 25 / 100) * 100 / 25;
        if (c < 1) c = 1;
        return (10000 - int32_t(CoachGetU16(*record, kCoachRecoveryPoints))) / c / 7;
    }
    return (110 - FitnessPercent(player)) / 10;
}

int16_t SquadRec_RecoveryText(uint16_t player) {
    const CoachingRecord* record = RecordOf(player);
    const uint32_t state = record != nullptr ? CoachGetBits(*record, kCoachRecoveryState, 0, 3) : 0;
    switch (state) {
        case 1:
            return 2311;
        case 2:
            return 2312;
        case 3:
            return Staff_GetActive(kPhysioSlot) != nullptr ? 2313 : 2347;
        default:
            break;
    }
    const int fitness = FitnessPercent(player);
    if (fitness >= 100) return 2310;
    if (fitness >= 95) return 2347;
    if (record != nullptr && CoachGetBits(*record, kCoachRecoveryState, 7, 1) != 0) return 2346;
    return fitness < 70 ? 2370 : 2348;
}
