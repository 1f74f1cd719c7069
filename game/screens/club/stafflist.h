// The staff list (screen 78): the user's coaching staff in two groups
// (records 0-4 and 5-7 of his club's staff) and the applicants for staff
// posts in a third, each person with age, role, level, specialities, money
// and rating bars, and the club's staff money beneath.  A click on a person
// opens his own screen (79); two buttons lead to the training schedule and
// individual training.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/club/staff.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kStaffGroups = 3;
constexpr int kStaffGroupRows[kStaffGroups] = {5, 3, 8};
constexpr int kStaffMostRows = 8;
// The back icon of the staff list and the tables the member's screen
// pushes, drawn over their back click areas: the other screens' back icon
// (the click areas draw no icon of their own).
constexpr int32_t kStaffBackIcon = 153;

extern const MenuItem StaffListTable[];
void StaffListMenuProc();
// The record shown in row r of group g (0..2); none for an empty row.
const StaffRecord* StaffList_Row(int group, int row);
int32_t Staff_OpenMember(int group, int row);
int32_t Staff_ToTraining(MenuHotItem* item);
int32_t Staff_ToIndividualTraining(MenuHotItem* item);
int32_t Staff_Back(MenuHotItem* item);
void Staff_Leave();
// Row shades and heading bars; the rating bars of every listed person.
void Staff_DrawListPanels(int x, int y, int w, int h);
void StaffRatingRows_Draw(int x, int y, int w, int h);

// The rating drawn in the middle bar of a staff member: the average of his
// coaching results over the players he coaches, or his second rating when
// he coaches nobody or is a physiotherapist, fitness coach or youth coach.
int16_t StaffList_CoachingRating(const StaffRecord* staff);
// The bar length of a rating on the list: half the rating, 10 to 50.
int StaffList_BarLength(int rating);
// A rating bar on its shaded background, 54 x 10 at (x, y).
void StaffList_DrawRatingBar(int x, int y, int rating);

// Texts shared with the staff member's screen.
// "%c.%s" of the initial and surname; empty without a record.
void StaffList_FormatName(const StaffRecord* staff, char* out, std::size_t size);
// The first speciality's text and ", " with the second's when there is one.
void StaffList_FormatSpecialities(const StaffRecord* staff, char* out, std::size_t size);
// Text id of a speciality code 0..10, -1 for any other code.
int16_t StaffList_SpecialityText(int16_t code);
// Text 2327 + the role bit.
int16_t StaffList_RoleText(const StaffRecord* staff);

// What the list shows, for tests.
struct StaffListRowView {
    const char* name;
    int16_t age, roleText, level;
    const char* specialities;
    int16_t count;
    int32_t money;
    int16_t countText;
    const char* nation;
    int16_t assignments, status, statusText;
};
StaffListRowView StaffList_RowView(int group, int row);
int16_t StaffList_EmptyText(int group);
