#include "game/screens/club/stafflist.h"

#include <algorithm>
#include <cstdio>

#include "core/club/board.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

namespace {

constexpr int16_t kNoText = -1;
constexpr int16_t kFirstRoleText = 2327;
constexpr int16_t kYearText = 2403, kYearsText = 185;
// Each empty group says so in its own words. Text 499 reads "on
// international duty" (the player profile's note), so the support staff
// have a text of their own.
constexpr int16_t kNoSupportStaffText = 3180;
constexpr int16_t kEmptyTexts[kStaffGroups] = {424, kNoSupportStaffText, 78};
constexpr int16_t kSpecialityTexts[] = {426, 48, 41, 42, 44, 45, 43, 427, 416, 418, 469};
// Specialities of the posts whose middle bar is their own rating: the
// physiotherapist, the fitness coach and the youth coach.
constexpr int16_t kOwnRatingSpecialities[] = {8, 9, 10};
constexpr int kListedGrade = 5;
constexpr int kApplicantGrade = 1;
constexpr int kNameSize = 32;
constexpr int kSpecialitySize = 80;
constexpr int kRowHeight = 20;

struct GroupRows {
    const StaffRecord* records[kStaffMostRows];
    char nameText[kStaffMostRows][kNameSize];
    char specialityText[kStaffMostRows][kSpecialitySize];
    char nationText[kStaffMostRows][4];
    const char* name[kStaffMostRows];
    const char* specialities[kStaffMostRows];
    const char* nation[kStaffMostRows];
    int16_t age[kStaffMostRows];
    int16_t roleText[kStaffMostRows];
    int16_t level[kStaffMostRows];
    int16_t count[kStaffMostRows];
    int32_t money[kStaffMostRows];
    int16_t countText[kStaffMostRows];
    int16_t assignments[kStaffMostRows];
    int16_t status[kStaffMostRows];
    int16_t statusText[kStaffMostRows];
    int rows;
};

GroupRows g_groups[kStaffGroups];
int16_t g_emptyText[kStaffGroups] = {kNoText, kNoText, kNoText};
int32_t g_moneyLeft = 0;
int32_t g_wages = 0;
int16_t g_enteredOption = kScreenStaffList;
bool g_historyBack = false;

bool IsGroupRow(int group, int row) {
    return group >= 0 && group < kStaffGroups && row >= 0 && row < kStaffGroupRows[group];
}

// Applicants are listed while their grade is exactly 1; an empty slot
// (id 0) never is.
const StaffRecord* Applicant(int index) {
    const StaffRecord* staff = &StaffCandidates[index];
    if (StaffRec_GetId(staff) == 0 || StaffRec_GetState(staff) != kApplicantGrade) return nullptr;
    return staff;
}

void ClearGroup(GroupRows& group) {
    group.rows = 0;
    for (int r = 0; r < kStaffMostRows; ++r) {
        group.records[r] = nullptr;
        group.nameText[r][0] = group.specialityText[r][0] = group.nationText[r][0] = '\0';
        group.name[r] = group.nameText[r];
        group.specialities[r] = group.specialityText[r];
        group.nation[r] = group.nationText[r];
        group.age[r] = group.level[r] = group.count[r] = group.assignments[r] = group.status[r] = INT16_MIN;
        group.money[r] = INT32_MIN;
        group.roleText[r] = group.countText[r] = group.statusText[r] = kNoText;
    }
}

int16_t Clamped16(int32_t value) { return int16_t(std::clamp<int32_t>(value, -32767, 32767)); }

void FillRow(int groupIndex, GroupRows& group, int r, const StaffRecord* staff) {
    group.records[r] = staff;
    StaffList_FormatName(staff, group.nameText[r], kNameSize);
    StaffList_FormatSpecialities(staff, group.specialityText[r], kSpecialitySize);
    group.age[r] = StaffRec_GetAge(staff);
    group.roleText[r] = StaffList_RoleText(staff);
    group.level[r] = StaffRec_GetLevel(staff);
    if (groupIndex < 2) {
        const int32_t count = StaffRec_GetCountWord(staff);
        group.count[r] = Clamped16(count);
        group.countText[r] = count == 1 ? kTextWeek : kTextWeeks;
        group.money[r] = StaffRec_GetWage(staff);
    } else {
        std::snprintf(group.nationText[r], sizeof group.nationText[r], "%s",
                      HVW_GetNationCode(StaffRec_GetNationality(staff)));
        group.assignments[r] = StaffRec_CountAssignments(staff);
        group.status[r] = StaffRec_GetStatus(staff);
        group.statusText[r] = group.status[r] == 1 ? kYearText : kYearsText;
        group.money[r] = StaffRec_GetAskedWage(staff);
    }
}

void BuildGroups() {
    for (GroupRows& group : g_groups) ClearGroup(group);
    for (int i = 0; i < kStaffSlots; ++i) {
        const int g = i < 5 ? 0 : 1;
        const StaffRecord* staff = Staff_GetActive(int16_t(i));
        if (staff != nullptr && StaffRec_GetState(staff) >= kListedGrade &&
            g_groups[g].rows < kStaffGroupRows[g])
            FillRow(g, g_groups[g], g_groups[g].rows++, staff);
    }
    for (int i = 0; i < kStaffSlots; ++i) {
        if (const StaffRecord* staff = Applicant(i)) FillRow(2, g_groups[2], g_groups[2].rows++, staff);
    }
    for (int g = 0; g < kStaffGroups; ++g) g_emptyText[g] = g_groups[g].rows == 0 ? kEmptyTexts[g] : kNoText;
}

// ---- Painters ---------------------------------------------------------------

template <typename Paint>
void InColour(uint16_t colour, Paint paint) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, colour);
    paint();
    SetDrawParam(2, kept);
}

}  // namespace

void Staff_DrawListPanels(int, int, int, int) {
    InColour(0, [] {
        const auto shade = [](int top, int rows) {
            for (int r = 0; r < rows; ++r)
                DrawShadedRect(32, top + kRowHeight * r, 736, kRowHeight, r % 2 ? 25 : 50);
        };
        shade(130, kStaffGroupRows[0]);
        shade(254, kStaffGroupRows[1]);
        shade(360, g_groups[2].rows);
        DrawShadedRect(32, 108, 736, 20, 75);
        DrawShadedRect(32, 232, 736, 20, 75);
        DrawShadedRect(32, 325, 736, 22, 75);
        DrawShadedRect(32, 338, 736, 20, 75);
    });
}

void StaffList_DrawRatingBar(int x, int y, int rating) {
    InColour(kStaffBarBackground, [&] { DrawShadedRect(x, y, 54, 10, 15); });
    Staff_DrawPercentBar(x, y, StaffList_BarLength(rating), 10, rating, 0, 100, 0);
}

void StaffRatingRows_Draw(int, int, int, int) {
    for (int g = 0; g < 2; ++g) {
        for (int r = 0; r < g_groups[g].rows; ++r) {
            const StaffRecord* staff = g_groups[g].records[r];
            const int y = g == 0 ? 135 + kRowHeight * r : 259 + kRowHeight * r;
            StaffList_DrawRatingBar(270, y, StaffRec_GetRating1(staff));
            StaffList_DrawRatingBar(336, y, StaffList_CoachingRating(staff));
            StaffList_DrawRatingBar(402, y, StaffRec_GetRating5(staff));
        }
    }
    for (int r = 0; r < g_groups[2].rows; ++r)
        StaffList_DrawRatingBar(270, 365 + kRowHeight * r, StaffRec_GetRatingPercent(g_groups[2].records[r]));
}

namespace {

// ---- Handlers -----------------------------------------------------------------

int32_t OpenGroup1(MenuHotItem* item) { return Staff_OpenMember(0, item->row); }
int32_t OpenGroup2(MenuHotItem* item) { return Staff_OpenMember(1, item->row); }
int32_t OpenGroup3(MenuHotItem* item) { return Staff_OpenMember(2, item->row); }

#define STAFF_ROW_START(g)                                                          \
    {MI_STRING_VAR, 20, 0, 9, sizeof(const char*), g_groups[g].name, nullptr},      \
        {MI_NUMBER_I16, 152, 0, 10, sizeof(int16_t), g_groups[g].age, nullptr},     \
        {MI_TEXT_VAR, 178, 0, 10, sizeof(int16_t), g_groups[g].roleText, nullptr},  \
        {MI_NUMBER_I16, 212, 0, 10, sizeof(int16_t), g_groups[g].level, nullptr}, { \
        18, 440, 0, 9, sizeof(const char*), g_groups[g].specialities, nullptr       \
    }

#define STAFF_MEMBER_ROW(g, open)                                                  \
    STAFF_ROW_START(g), {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},       \
        {MI_NUMBER_I16, 620, 0, 11, sizeof(int16_t), g_groups[g].count, nullptr},  \
        {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},                       \
        {MI_NUMBER_I32, 714, 0, 11, sizeof(int32_t), g_groups[g].money, nullptr},  \
        {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},                       \
        {MI_TEXT_VAR, 624, 0, 9, sizeof(int16_t), g_groups[g].countText, nullptr}, \
        {MI_HOT_RECT, 0, -10, 736, 20, MenuValue(-1), open}, kMenuEnd

const MenuItem kGroup1Row[] = {STAFF_MEMBER_ROW(0, OpenGroup1)};
const MenuItem kGroup2Row[] = {STAFF_MEMBER_ROW(1, OpenGroup2)};
const MenuItem kGroup3Row[] = {
    STAFF_ROW_START(2),
    {MI_STRING_VAR, 332, 0, 9, sizeof(const char*), g_groups[2].nation, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_NUMBER_I16, 386, 0, 10, sizeof(int16_t), g_groups[2].assignments, nullptr},
    {MI_NUMBER_I16, 620, 0, 11, sizeof(int16_t), g_groups[2].status, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_NUMBER_I32, 714, 0, 11, sizeof(int32_t), g_groups[2].money, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 624, 0, 9, sizeof(int16_t), g_groups[2].statusText, nullptr},
    {MI_HOT_RECT, 0, -10, 736, 20, MenuValue(-1), OpenGroup3},
    kMenuEnd,
};

#undef STAFF_MEMBER_ROW
#undef STAFF_ROW_START

#define GROUP_HEADINGS(y)                                                                                \
    {MI_TEXT, 184, y, 10, 0, MenuValue(61), nullptr}, {MI_TEXT, 244, y, 10, 0, MenuValue(468), nullptr}, \
        {MI_TEXT, 472, y, 9, 0, MenuValue(572), nullptr}, {                                              \
        15, 652, y, 10, 0, MenuValue(63), nullptr                                                        \
    }

}  // namespace

// ---- Texts ----------------------------------------------------------------------

void StaffList_FormatName(const StaffRecord* staff, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (staff == nullptr) return;
    const char* surname = StaffRec_GetName(staff);
    const char initial = char(StaffRec_GetInitial(staff));
    std::snprintf(out, size, "%c.%s", initial != '\0' ? initial : ' ', surname != nullptr ? surname : "");
}

int16_t StaffList_SpecialityText(int16_t code) {
    return code >= 0 && code < int16_t(std::size(kSpecialityTexts)) ? kSpecialityTexts[code] : kNoText;
}

void StaffList_FormatSpecialities(const StaffRecord* staff, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    const int16_t first = StaffList_SpecialityText(StaffRec_GetRole(staff, 0));
    const int16_t second = StaffList_SpecialityText(StaffRec_GetRole(staff, 1));
    if (first != kNoText && second != kNoText) {
        char kept[kSpecialitySize];
        std::snprintf(kept, sizeof kept, "%s", GetText(first));
        // A pair longer than the row is cut to its width; a text that cannot
        // be written leaves the row blank.
        if (std::snprintf(out, size, "%s, %s", kept, GetText(second)) < 0) out[0] = '\0';
    } else if (first != kNoText || second != kNoText) {
        std::snprintf(out, size, "%s", GetText(first != kNoText ? first : second));
    }
}

int16_t StaffList_RoleText(const StaffRecord* staff) {
    return staff != nullptr ? int16_t(kFirstRoleText + StaffRec_GetFlag18(staff)) : kNoText;
}

int16_t StaffList_CoachingRating(const StaffRecord* staff) {
    const int16_t own = StaffRec_GetRating3(staff);
    const int16_t first = StaffRec_GetRole(staff, 0);
    if (staff == nullptr ||
        std::ranges::find(kOwnRatingSpecialities, first) != std::end(kOwnRatingSpecialities))
        return own;
    const uint16_t id = StaffRec_GetId(staff);
    int32_t sum = 0, coached = 0;
    for (int16_t slot = 0; slot < kCoachingSlots; ++slot) {
        const uint16_t player = SquadRec_GetPlayerId(slot);
        if (player == 0 || StaffRec_GetId(SquadRec_GetStaff(slot)) != id) continue;
        sum += StaffRec_Effectiveness(staff, player, 10);
        ++coached;
    }
    return coached > 0 ? int16_t(sum / coached) : own;
}

int StaffList_BarLength(int rating) { return std::clamp(rating * 50 / 100, 10, 50); }

// ---- The screen -------------------------------------------------------------------

void StaffListMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        g_enteredOption = MenuOption;
        g_historyBack = false;
        UpdateScreenHistory(MenuOption, 0, 3);
        UpdateScreenHistory(MenuOption, 2, 3);
        CurrentStaffRecord = nullptr;
    }
    BuildGroups();
    const int16_t club = GetUserClub();
    g_wages = Staff_GetWeeklyCost(club);
    g_moneyLeft = Staff_GetBudget(club) - g_wages;
}

const StaffRecord* StaffList_Row(int group, int row) {
    return IsGroupRow(group, row) ? g_groups[group].records[row] : nullptr;
}

int32_t Staff_OpenMember(int group, int row) {
    const StaffRecord* staff = StaffList_Row(group, row);
    if (staff == nullptr) return MENU_CONTINUE;
    CurrentStaffRecord = staff;
    MenuOption = kScreenStaffMember;
    return MENU_CLOSE;
}

int32_t Staff_ToTraining(MenuHotItem*) {
    MenuOption = kScreenTraining;
    return MENU_CLOSE;
}

int32_t Staff_ToIndividualTraining(MenuHotItem*) {
    MenuOption = kScreenUserCoachingList;
    return MENU_CLOSE;
}

int32_t Staff_Back(MenuHotItem*) {
    g_historyBack = true;
    return MENU_CLOSE;
}

void Staff_Leave() {
    if (g_historyBack) UpdateScreenHistory(g_enteredOption, 1, 3);
    g_historyBack = false;
}

const MenuItem StaffListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(StaffListMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(Staff_DrawListPanels), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(StaffRatingRows_Draw), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(79), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1009), nullptr},
    {MI_TEXT_VAR, 400, 180, 10, 0, &g_emptyText[0], nullptr},
    {MI_TEXT_VAR, 400, 284, 10, 0, &g_emptyText[1], nullptr},
    {MI_TEXT_VAR, 400, 430, 10, 0, &g_emptyText[2], nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1007), nullptr},
    GROUP_HEADINGS(118),
    GROUP_HEADINGS(242),
    GROUP_HEADINGS(348),
    {MI_TEXT, 270, 118, 9, 0, MenuValue(2372), nullptr},
    {MI_TEXT, 336, 118, 9, 0, MenuValue(2406), nullptr},
    {MI_TEXT, 402, 118, 9, 0, MenuValue(2371), nullptr},
    {MI_TEXT, 746, 118, 11, 0, MenuValue(59), nullptr},
    {MI_TEXT, 270, 242, 9, 0, MenuValue(2372), nullptr},
    {MI_TEXT, 336, 242, 9, 0, MenuValue(2406), nullptr},
    {MI_TEXT, 402, 242, 9, 0, MenuValue(2371), nullptr},
    {MI_TEXT, 746, 242, 11, 0, MenuValue(59), nullptr},
    {MI_TEXT, 270, 348, 9, 0, MenuValue(2404), nullptr},
    {MI_TEXT, 364, 348, 10, 0, MenuValue(2426), nullptr},
    {MI_TEXT, 418, 348, 10, 0, MenuValue(69), nullptr},
    {MI_TEXT, 746, 348, 11, 0, MenuValue(59), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 42, 118, 9, 0, MenuValue(466), nullptr},
    {MI_TEXT, 42, 242, 9, 0, MenuValue(544), nullptr},
    {MI_TEXT, 42, 348, 9, 0, MenuValue(467), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1007), nullptr},
    {MI_GROUP, 32, 140, kStaffGroupRows[0], kRowHeight, kGroup1Row, nullptr},
    {MI_GROUP, 32, 264, kStaffGroupRows[1], kRowHeight, kGroup2Row, nullptr},
    {MI_GROUP, 32, 370, kStaffGroupRows[2], kRowHeight, kGroup3Row, nullptr},
    {MI_TEXT, 42, 336, 9, 0, MenuValue(1894), nullptr},
    {MI_TEXT, 652, 336, 10, 0, MenuValue(1892), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_NUMBER_I32, 218, 336, 11, 0, &g_moneyLeft, nullptr},
    {MI_NUMBER_I32, 746, 336, 11, 0, &g_wages, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 32, 540, 343, 30, MenuValue(461), Staff_ToTraining},
    {MI_BUTTON_TEXT, 377, 540, 343, 30, MenuValue(600), Staff_ToIndividualTraining},
    {MI_ICON, 745, 570, 10, 0, MenuValue(kStaffBackIcon), nullptr},
    {MI_HOT_RECT, 720, 545, 50, 50, MenuValue(-1), Staff_Back},
    {MI_END, 400, 514, 10, 0, MenuFunction(Staff_Leave), nullptr},
};

StaffListRowView StaffList_RowView(int group, int row) {
    if (!IsGroupRow(group, row)) return {};
    const GroupRows& g = g_groups[group];
    return {g.name[row],         g.age[row],         g.roleText[row], g.level[row],
            g.specialities[row], g.count[row],       g.money[row],    g.countText[row],
            g.nation[row],       g.assignments[row], g.status[row],   g.statusText[row]};
}

int16_t StaffList_EmptyText(int group) {
    return group >= 0 && group < kStaffGroups ? g_emptyText[group] : kNoText;
}
