// Modal dialogs from in-memory templates, in the shape the support
// library's dialog code expects: the published template layout, a dialog
// procedure that receives the initialise and command messages, list boxes
// and controls reached by identifier, and an end call with a result.
//
// There is no native dialog toolkit here.  With a display the dialog is
// shown as a message box: its static texts as the message and one button per
// list entry and per enabled push button; each click goes to the dialog
// procedure as the click or selection it stands for, until the procedure
// ends the dialog.  Without a display the dialog is cancelled at once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

using DialogHandle = void*;
using DialogProc = int64_t (*)(DialogHandle dialog, uint32_t msg, uint64_t wparam, int64_t lparam);

// Published message, notification, style and class values.
enum : uint32_t { kMsgSetText = 0x000C, kMsgInitDialog = 0x0110, kMsgCommand = 0x0111 };
enum : uint32_t {
    kLbAddString = 0x0180,
    kLbResetContent = 0x0184,
    kLbSetCurSel = 0x0186,
    kLbGetCurSel = 0x0188,
    kLbGetText = 0x0189,
    kLbGetTextLen = 0x018A,
    kLbGetCount = 0x018B,
    kLbGetItemData = 0x0199,
    kLbSetItemData = 0x019A,
};
constexpr int64_t kLbErr = -1;
enum : uint16_t { kBnClicked = 0, kLbnSelChange = 1 };
enum : int { kIdCancelResult = 2 };

enum : uint32_t {
    kWsPopup = 0x80000000,
    kWsChild = 0x40000000,
    kWsVisible = 0x10000000,
    kWsDisabled = 0x08000000,
    kWsCaption = 0x00C00000,
    kWsBorder = 0x00800000,
    kWsVScroll = 0x00200000,
    kWsSysMenu = 0x00080000,
    kWsGroup = 0x00020000,
    kWsTabStop = 0x00010000,
    kDsSetFont = 0x00000040,
    kDsModalFrame = 0x00000080,
    kBsPushButton = 0x00000000,
    kBsDefPushButton = 0x00000001,
    kBsGroupBox = 0x00000007,
    kSsLeft = 0x00000000,
    kSsSunken = 0x00001000,
    kLbsNotify = 0x00000001,
};
enum : uint16_t {
    kClassButton = 0x0080,
    kClassEdit = 0x0081,
    kClassStatic = 0x0082,
    kClassListBox = 0x0083,
    kClassScrollBar = 0x0084,
    kClassComboBox = 0x0085,
};

constexpr uint64_t MakeWParam(uint16_t low, uint16_t high) { return uint64_t(low) | (uint64_t(high) << 16); }

// Runs the dialog; returns the result given to EndDialog, or -1 when the
// template cannot be read.
int64_t DialogBoxIndirectParam(const void* dialog_template, size_t size, DialogProc proc, int64_t param);
bool EndDialog(DialogHandle dialog, int64_t result);
// The list-box messages above and kMsgSetText, sent to the control with
// that identifier; kLbErr (or 0 for kMsgSetText) for an unknown control.
int64_t SendDlgItemMessage(DialogHandle dialog, int id, uint32_t msg, uint64_t wparam, int64_t lparam);
bool SetDlgItemText(DialogHandle dialog, int id, const char* text);
// Enables or disables the control (EnableWindow of the dialog item).
bool EnableDlgItem(DialogHandle dialog, int id, bool enable);

// ---- Reading a dialog (the message box renderer and tests) --------------
struct DialogItemInfo {
    uint16_t class_atom = 0;  // 0 when the class was given by name
    uint32_t style = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
    bool enabled = true;
};
struct DialogInfo {
    std::string caption;
    std::string font;
    uint16_t point_size = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
    int item_count = 0;
};
bool GetDialogInfo(DialogHandle dialog, DialogInfo* out);
bool GetDlgItemInfo(DialogHandle dialog, int id, DialogItemInfo* out);
std::string GetDlgItemText(DialogHandle dialog, int id);
// Identifier of the n-th control in template order, or -1.
int GetDlgItemIdAt(DialogHandle dialog, int index);

// ---- Test seam ----------------------------------------------------------
// What the user does in one round: select entry `item` of a list box, or
// (item -1) click a button; control 0 closes the dialog.
struct DialogChoice {
    int control_id = 0;
    int item = -1;
};
// Replaces the user: called once per round with the open dialog.
using DialogDriver = DialogChoice (*)(DialogHandle dialog);
void SetDialogDriverForTests(DialogDriver driver);

}  // namespace plat
