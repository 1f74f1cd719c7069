#include "game/screens/club/staffmember.h"

#include <cstdio>
#include <iterator>

#include "core/query/people.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/drillchart.h"
#include "game/screens/squad/fitnesslists.h"
#include "game/system/mainwindow.h"

// ---- The switcher -----------------------------------------------------------

const MenuItem* StaffSwitchPopup = nullptr;
uint16_t StaffSwitchCount = 0;

namespace {

constexpr int kPostSlotA = 5, kPostSlotB = 6;
constexpr int16_t kPostTextA = 416, kPostTextB = 418;
constexpr int kSwitchNameSize = 30;
// Header, up to five members and the two posts, end.
constexpr int kVariantEntries = 1 + kStaffSwitchListed + 2 + 1;

const StaffRecord* g_switchShown = nullptr;
const StaffRecord* g_switchList[kStaffSwitchSlots] = {};
const char* g_entryTexts[kStaffSwitchSlots] = {};
char g_switchNames[kStaffSwitchSlots][kSwitchNameSize] = {};
PopupEntry g_variantEntries[kStaffSwitchVariants][kVariantEntries] = {};

template <int Slot>
int32_t PickSlot(PopupCallBlock*) {
    return StaffSwitch_Pick(Slot);
}
constexpr PopupFunction kPickHandlers[7] = {PickSlot<0>, PickSlot<1>, PickSlot<2>, PickSlot<3>,
                                            PickSlot<4>, PickSlot<5>, PickSlot<6>};

const MenuItem kVariants[kStaffSwitchVariants][2] = {
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[0], nullptr}, kMenuEnd},
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[1], nullptr}, kMenuEnd},
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[2], nullptr}, kMenuEnd},
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[3], nullptr}, kMenuEnd},
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[4], nullptr}, kMenuEnd},
    {{MI_POPUP, 0, 0, 0, 0, g_variantEntries[5], nullptr}, kMenuEnd},
};

// Variant n: n members, then the two posts.
void LayOutVariant(int n) {
    PopupEntry* list = g_variantEntries[n];
    list[0] = {POPUP_TITLE, 1, -1, -1, -1, -1, nullptr, MenuValue(3), nullptr, StaffSwitch_Open};
    for (int k = 0; k < n + 2; ++k) {
        const int slot = k < n ? k : k == n ? kPostSlotA : kPostSlotB;
        list[k + 1] = {POPUP_STRING_VARIABLE, 1,      0, 0, 0, 0, nullptr, &g_entryTexts[k],
                       kPickHandlers[slot],   nullptr};
    }
    list[n + 3] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

bool CanPick(const StaffRecord* staff) {
    return staff != nullptr &&
           (g_switchShown == nullptr || StaffRec_GetId(staff) != StaffRec_GetId(g_switchShown));
}

}  // namespace

void StaffSwitch_Build(const StaffRecord* shown) {
    g_switchShown = shown;
    for (int slot = 0; slot < kStaffSwitchSlots; ++slot) {
        g_switchList[slot] = nullptr;
        g_entryTexts[slot] = GetText(-1);
        g_switchNames[slot][0] = '\0';
    }
    int n = 0;
    for (int16_t r = 0; r < kStaffSwitchListed; ++r) {
        const StaffRecord* staff = Staff_GetActive(r);
        if (staff == nullptr) continue;
        g_switchList[n] = staff;
        StaffList_FormatName(staff, g_switchNames[n], kSwitchNameSize);
        g_entryTexts[n] = g_switchNames[n];
        ++n;
    }
    StaffSwitchCount = uint16_t(n);
    g_switchList[kPostSlotA] = Staff_GetActive(kPostSlotA);
    g_entryTexts[n] = GetText(kPostTextA);
    g_switchList[kPostSlotB] = Staff_GetActive(kPostSlotB);
    g_entryTexts[n + 1] = GetText(kPostTextB);
    for (int v = 0; v < kStaffSwitchVariants; ++v) LayOutVariant(v);
    StaffSwitchPopup = kVariants[n];
}

void StaffSwitch_Open(PopupCallBlock* call) {
    if (call == nullptr || call->entry == nullptr) return;
    int slot = 0;
    for (PopupEntry* entry = call->entry + 1; slot < kStaffSwitchSlots; ++entry) {
        if (slot == StaffSwitchCount) slot = kPostSlotA;
        entry->flags = CanPick(g_switchList[slot]) ? POPUP_SELECTABLE : 0;
        if (entry->kind == POPUP_END) break;
        ++slot;
    }
}

int32_t StaffSwitch_Pick(int slot) {
    if (slot < 0 || slot >= kStaffSwitchSlots || !CanPick(g_switchList[slot])) return MENU_CONTINUE;
    CurrentStaffRecord = g_switchList[slot];
    MenuOption = kScreenStaffMember;
    return MENU_CLOSE;
}

const StaffRecord* StaffSwitch_Slot(int slot) {
    return slot >= 0 && slot < kStaffSwitchSlots ? g_switchList[slot] : nullptr;
}
const char* StaffSwitch_EntryText(int entry) {
    return entry >= 0 && entry < kStaffSwitchSlots ? g_entryTexts[entry] : GetText(-1);
}
const PopupEntry* StaffSwitch_Entries() {
    return StaffSwitchPopup != nullptr ? static_cast<const PopupEntry*>(StaffSwitchPopup->data) + 1 : nullptr;
}

// ---- The member's screen ------------------------------------------------------

namespace {

constexpr int16_t kNoText = -1;
constexpr int16_t kNoStaffText = 424;
constexpr int kRatingBarX = 600;
constexpr int kFirstLineY = 160, kLineStep = 25;

char g_name[32] = "";
char g_specialities[80] = "";
char g_nation[64] = "";
const char* g_nameText = g_name;
const char* g_specialityText = g_specialities;
const char* g_nationText = g_nation;
int16_t g_age = INT16_MIN, g_level = INT16_MIN, g_count = INT16_MIN;
int16_t g_roleText = kNoText, g_countText = kNoText;
int32_t g_money = INT32_MIN;
int16_t g_enteredOption = kScreenStaffMember;
// The rating labels: the three ratings of a member, the one of an applicant.
int16_t g_ratingLabels[3] = {2372, 2406, 2371};

bool IsApplicant(const StaffRecord* staff) {
    return staff >= std::begin(StaffCandidates) && staff < std::end(StaffCandidates);
}

void FillMember(const StaffRecord* staff) {
    StaffList_FormatName(staff, g_name, sizeof g_name);
    StaffList_FormatSpecialities(staff, g_specialities, sizeof g_specialities);
    std::snprintf(g_nation, sizeof g_nation, "%s",
                  staff != nullptr ? HVW_GetNationName(StaffRec_GetNationality(staff)) : "");
    g_age = staff != nullptr ? StaffRec_GetAge(staff) : INT16_MIN;
    g_level = staff != nullptr ? StaffRec_GetLevel(staff) : INT16_MIN;
    g_roleText = StaffList_RoleText(staff);
    const bool hired = staff != nullptr && !IsApplicant(staff);
    const int32_t count = StaffRec_GetCountWord(staff);
    g_count = hired ? int16_t(std::min<int32_t>(count, 32767)) : INT16_MIN;
    g_countText = hired ? (count == 1 ? kTextWeek : kTextWeeks) : kNoText;
    g_money = staff == nullptr ? INT32_MIN : hired ? StaffRec_GetWage(staff) : StaffRec_GetAskedWage(staff);
    const bool applicant = staff != nullptr && !hired;
    g_ratingLabels[0] = applicant ? int16_t(2404) : int16_t(2372);
    g_ratingLabels[1] = applicant ? kNoText : int16_t(2406);
    g_ratingLabels[2] = applicant ? kNoText : int16_t(2371);
}

void DrawMemberPanel(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
    DrawBox(x, y, w, h);
    SetDrawParam(2, kept);
}

void DrawMemberBars(int, int, int, int) {
    const StaffRecord* staff = StaffMember_Shown();
    if (staff == nullptr) return;
    if (IsApplicant(staff)) {
        StaffList_DrawRatingBar(kRatingBarX, kFirstLineY - 5, StaffRec_GetRatingPercent(staff));
        return;
    }
    const int ratings[3] = {StaffRec_GetRating1(staff), StaffList_CoachingRating(staff),
                            StaffRec_GetRating5(staff)};
    for (int i = 0; i < 3; ++i)
        StaffList_DrawRatingBar(kRatingBarX, kFirstLineY - 5 + kLineStep * i, ratings[i]);
}

#define MEMBER_LINE(n, label) \
    { MI_TEXT, 60, kFirstLineY + kLineStep*(n), 9, 0, MenuValue(label), nullptr }
#define MEMBER_VALUE(n, type, data) \
    { type, 250, kFirstLineY + kLineStep*(n), 9, 0, data, nullptr }

const MenuItem kMemberBody[] = {
    {MI_CUSTOM, 32, 100, 736, 320, MenuFunction(DrawMemberPanel), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawMemberBars), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_STRING_VAR, 400, 120, 10, 0, &g_nameText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1007), nullptr},
    MEMBER_LINE(0, 61),
    MEMBER_LINE(1, 468),
    MEMBER_LINE(2, 1684),
    MEMBER_LINE(3, 2426),
    MEMBER_LINE(4, 572),
    MEMBER_LINE(5, 63),
    MEMBER_LINE(6, 59),
    {MI_TEXT_VAR, 450, kFirstLineY, 9, 0, &g_ratingLabels[0], nullptr},
    {MI_TEXT_VAR, 450, kFirstLineY + kLineStep, 9, 0, &g_ratingLabels[1], nullptr},
    {MI_TEXT_VAR, 450, kFirstLineY + 2 * kLineStep, 9, 0, &g_ratingLabels[2], nullptr},
    MEMBER_VALUE(0, 22, &g_age),
    MEMBER_VALUE(1, 16, &g_roleText),
    MEMBER_VALUE(2, 22, &g_level),
    MEMBER_VALUE(3, 18, &g_nationText),
    MEMBER_VALUE(4, 18, &g_specialityText),
    MEMBER_VALUE(5, 22, &g_count),
    {MI_TEXT_VAR, 272, kFirstLineY + 5 * kLineStep, 9, 0, &g_countText, nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(1), nullptr},
    MEMBER_VALUE(6, 24, &g_money),
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_STRING_VAR, 32, 450, 240, 30, &g_nameText, MenuHandler_Accept},
    {MI_GROUP_VAR, 0, 0, 1, 0, &StaffSwitchPopup, nullptr},
    {MI_BUTTON_TEXT, 280, 450, 240, 30, MenuValue(295), StaffMember_OpenFitness},
    {MI_BUTTON_TEXT, 528, 450, 240, 30, MenuValue(2405), StaffMember_OpenDrills},
    kMenuEnd,
};

#undef MEMBER_LINE
#undef MEMBER_VALUE

const MenuItem kNoMemberBody[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(1009), nullptr},
    {MI_TEXT, 400, 300, 10, 0, MenuValue(kNoStaffText), nullptr},
    kMenuEnd,
};

const MenuItem* g_body = kNoMemberBody;

// The table a button pushes runs once this screen has closed; the screen
// it chooses then follows through the controller (this one again on back).
const MenuItem* g_pushed = nullptr;

int32_t PushAfterClose(const MenuItem* table) {
    PreviousMenuOption = MenuOption;
    g_pushed = table;
    return MENU_CLOSE;
}

}  // namespace

const StaffRecord* StaffMember_Shown() {
    return StaffRec_GetId(CurrentStaffRecord) != 0 ? CurrentStaffRecord : nullptr;
}

void StaffMemberMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        g_enteredOption = MenuOption;
        UpdateScreenHistory(MenuOption, 2, 3);
    }
    const StaffRecord* staff = StaffMember_Shown();
    FillMember(staff);
    StaffSwitch_Build(staff);
    g_body = staff != nullptr ? kMemberBody : kNoMemberBody;
}

int32_t StaffMember_Back(MenuHotItem*) {
    UpdateScreenHistory(g_enteredOption, 1, 3);
    return MENU_CLOSE;
}

int32_t StaffMember_OpenFitness(MenuHotItem*) { return PushAfterClose(FitnessListsTable); }
int32_t StaffMember_OpenDrills(MenuHotItem*) { return PushAfterClose(DrillChartTable); }

void StaffMember_Run() {
    g_pushed = nullptr;
    RunMenuSet(StaffMemberTable);
    const MenuItem* pushed = g_pushed;
    g_pushed = nullptr;
    if (pushed != nullptr && !WinCloseRequested()) RunMenuSet(pushed);
}

const MenuItem StaffMemberTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(StaffMemberMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(79), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_body, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), StaffMember_Back},
    kMenuEnd,
};
