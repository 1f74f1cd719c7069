// A staff member's own screen (screen 79) and the switcher on it: the
// member's name, age, role, grade, nation, specialities, contract and wage
// with his three rating bars; a button under his name whose pop-up moves on
// to another listed member or to the holders of the two fitness posts; and
// the buttons that open the squad fitness lists and the drill chart.
// Without a current staff member it shows text 424 and the back icon.
#pragma once
#include <cstdint>

#include "core/club/staff.h"
#include "game/screens/engine/screenmachine.h"

extern const MenuItem StaffMemberTable[];
// The controller's action for screen 79: the member's screen, then the
// fitness lists or the drill chart when one of its buttons chose them.
void StaffMember_Run();
void StaffMemberMenuProc();
int32_t StaffMember_Back(MenuHotItem* item);
int32_t StaffMember_OpenFitness(MenuHotItem* item);
int32_t StaffMember_OpenDrills(MenuHotItem* item);
// The member the screen shows: the current staff record while it holds a
// person, else none.
const StaffRecord* StaffMember_Shown();

// ---- The switcher -----------------------------------------------------------
constexpr int kStaffSwitchSlots = 8;
constexpr int kStaffSwitchListed = 5;
constexpr int kStaffSwitchVariants = kStaffSwitchListed + 1;

// The pop-up variant for the current count, for a type-34 item of the
// details screen.
extern const MenuItem* StaffSwitchPopup;
extern uint16_t StaffSwitchCount;

// Lists the club's staff records 0-4 of grade 5 or more, then the holders of
// posts 5 and 6 (texts 416 and 418, listed also when the post is empty).
void StaffSwitch_Build(const StaffRecord* shown);
// The pop-up's open routine: an entry can be picked when its slot holds a
// member other than the one shown.
void StaffSwitch_Open(PopupCallBlock* call);
// The pick of slot 0..6: that member becomes the current staff record and
// screen 79 opens (6); an empty slot or the member shown gives 1.
int32_t StaffSwitch_Pick(int slot);

const StaffRecord* StaffSwitch_Slot(int slot);
const char* StaffSwitch_EntryText(int entry);
// The entries of the variant in use, after the header.
const PopupEntry* StaffSwitch_Entries();
