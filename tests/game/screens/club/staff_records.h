// Staff records built field by field for the staff screens' tests, in the
// saved layout the staff module reads.
#pragma once
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/staff.h"

namespace stafftest {

struct StaffSpec {
    char initial = 'X';
    const char* name = "Staff";
    uint16_t id = 1;
    int8_t first = 1;
    int8_t second = -1;
    int grade = 5;
    int role = 0;
    int level = 3;
    int status = 0;
    uint16_t count = 10;
    uint16_t wage = 500;
    uint16_t asked = 600;
    int languages = 1;  // how many of the five are used
    int8_t ratingA = 50;
    int8_t ratingB = 50;
    int8_t ratingC = 50;
    int8_t rating2 = 50;
    int nation = 0;
    int16_t birthYear = 1960;
};

inline StaffRecord MakeStaff(const StaffSpec& s) {
    StaffRecord r{};
    r.bytes[kStaffInitial] = uint8_t(s.initial);
    std::strncpy(reinterpret_cast<char*>(r.bytes + kStaffSurname), s.name, kStaffSurnameSize - 1);
    recbits::StoreU16(r.bytes + kStaffId, s.id);
    r.bytes[kStaffRole1] = uint8_t(s.first);
    r.bytes[kStaffRole2] = uint8_t(s.second);
    recbits::StoreI16(r.bytes + kStaffBirthYear, s.birthYear);
    recbits::StoreU16(r.bytes + 37, s.count);
    recbits::StoreU16(r.bytes + kStaffWage, s.wage);
    recbits::StoreU16(r.bytes + 41, s.asked);
    for (int i = 0; i < kStaffLanguages; ++i)
        r.bytes[kStaffLanguageCodes + i] = i < s.languages ? uint8_t(i) : 0xFF;
    r.bytes[kStaffRating1] = uint8_t(s.ratingA);
    r.bytes[kStaffRating2] = uint8_t(s.rating2);
    r.bytes[kStaffRating3] = uint8_t(s.ratingB);
    r.bytes[kStaffRating5] = uint8_t(s.ratingC);
    const uint32_t bits = uint32_t(s.level & 15) << 6 | uint32_t(s.nation & 255) << 10 |
                          uint32_t(s.role & 1) << 18 | uint32_t(s.status & 7) << 19 |
                          uint32_t(s.grade & 15) << 22;
    recbits::StoreU32(r.bytes + kStaffBits, bits);
    return r;
}

inline void ClearStaff() {
    std::memset(ClubStaff, 0, sizeof ClubStaff);
    std::memset(StaffCandidates, 0, sizeof StaffCandidates);
    std::memset(CoachingRecords, 0, sizeof CoachingRecords);
}

}  // namespace stafftest
