#include "game/system/dialogs.h"

#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "game/system/videosurvey.h"
#include "platform/codepage.h"
#include "platform/dialog.h"

namespace {

// ---- The template buffer -------------------------------------------------

constexpr size_t kCountOffset = 8;  // item count word of the dialog header

uint8_t g_template[WINDLG_TEMPLATE_SIZE];
size_t g_used = 0;

void Reserve(size_t bytes) {
    if (g_used + bytes > WINDLG_TEMPLATE_SIZE) {
        AbortError("windlg", __LINE__, "WinDlgAppendItem(): dialog template too big");
    }
}

void PutWord(uint16_t value) {
    Reserve(2);
    recbits::StoreU16(g_template + g_used, value);
    g_used += 2;
}

void PutDword(uint32_t value) {
    PutWord(uint16_t(value));
    PutWord(uint16_t(value >> 16));
}

void AlignDword() {
    while (g_used % 4 != 0) {
        Reserve(1);
        g_template[g_used++] = 0;
    }
}

// ---- The chooser -----------------------------------------------------------

// Caption, group label, prompt, and the two buttons.
const char* const kSelectDeviceTexts[5] = {
    "Select Device", "Available Devices", "Select a device from the list above", "OK", "Cancel",
};
// Shown over the 3D device list.
constexpr const char* kUse3DText = "Use 3D Acceleration";

constexpr int kDescriptionSize = 512;
constexpr int kEntrySize = 160;

struct Choice {
    int card = -1;
    int device3d = -1;
};
Choice* g_choice = nullptr;

bool PairUsable(const DDrawDeviceInfo* card, const DDraw3DDeviceInfo* device) {
    return WinDeviceQuality(card, device) >= WINDLG_QUALITY_THRESHOLD;
}

bool CardUsable(int card_index) {
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(card_index);
    for (uint32_t i = 0; card != nullptr && i < card->device3d_count; ++i) {
        if (PairUsable(card, DDrawGet3DDeviceInfo(card_index, int(i)))) return true;
    }
    return false;
}

const char* DesktopText(const DDrawDeviceInfo* card) {
    if (card->flags & DDDEVINFO_NONDISPLAY) return "(non-display).";
    if (card->flags & DDDEVINFO_DESKTOP) return "(desktop).";
    return "(non-desktop).";
}

void Entry(char* out, const char* name, bool usable, bool accelerated, const DDrawDeviceInfo* card) {
    std::snprintf(out, kEntrySize, "%s - %s%s%s", name, usable ? "Available: " : "Unavailable: ",
                  accelerated ? "3D acceleration " : "no 3D acceleration ", DesktopText(card));
}

void AddEntry(plat::DialogHandle dialog, int list, const char* text, int index) {
    int64_t at =
        plat::SendDlgItemMessage(dialog, list, plat::kLbAddString, 0, reinterpret_cast<int64_t>(text));
    plat::SendDlgItemMessage(dialog, list, plat::kLbSetItemData, uint64_t(at), index);
}

int Selected(plat::DialogHandle dialog, int list) {
    int64_t at = plat::SendDlgItemMessage(dialog, list, plat::kLbGetCurSel, 0, 0);
    if (at < 0) return -1;
    return int(plat::SendDlgItemMessage(dialog, list, plat::kLbGetItemData, uint64_t(at), 0));
}

// Fills the 3D device list with the devices of the selected card.
void FillDevices(plat::DialogHandle dialog, int select) {
    plat::SendDlgItemMessage(dialog, WINDLG_ID_DEVICES, plat::kLbResetContent, 0, 0);
    int card_index = Selected(dialog, WINDLG_ID_CARDS);
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(card_index);
    if (card == nullptr) return;
    char text[kEntrySize];
    for (uint32_t i = 0; i < card->device3d_count; ++i) {
        const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(card_index, int(i));
        Entry(text, device->description, PairUsable(card, device), (device->flags & D3DDEVINFO_HARDWARE) != 0,
              card);
        AddEntry(dialog, WINDLG_ID_DEVICES, text, int(i));
    }
    if (select >= 0)
        plat::SendDlgItemMessage(dialog, WINDLG_ID_DEVICES, plat::kLbSetCurSel, uint64_t(select), 0);
}

// The description of the selection, and OK only for a usable pair.
void Describe(plat::DialogHandle dialog) {
    int card_index = Selected(dialog, WINDLG_ID_CARDS);
    int device_index = Selected(dialog, WINDLG_ID_DEVICES);
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(card_index);
    const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(card_index, device_index);
    char text[kDescriptionSize];
    bool usable = false;
    if (card == nullptr) {
        std::snprintf(text, sizeof text, "Select a display card from the list above");
    } else if (device == nullptr) {
        std::snprintf(text, sizeof text, "Select a 3d device from the list above");
    } else {
        int quality = WinDeviceQuality(card, device);
        int n = std::snprintf(text, sizeof text, "Card: %s (%s) - version %s\n", card->description,
                              card->driver_name, card->driver_version);
        n += std::snprintf(text + n, sizeof text - size_t(n), "3d device: %s (%s)\n", device->description,
                           device->name);
        std::snprintf(text + n, sizeof text - size_t(n), "Quality factor for the card: %d\n", quality);
        usable = quality >= WINDLG_QUALITY_THRESHOLD;
    }
    plat::SetDlgItemText(dialog, WINDLG_ID_TEXT, text);
    plat::EnableDlgItem(dialog, WINDLG_ID_OK, usable);
}

void InitChooser(plat::DialogHandle dialog) {
    plat::EnableDlgItem(dialog, WINDLG_ID_OK, false);
    char text[kEntrySize];
    for (uint32_t i = 0; i < DDrawGetDeviceCount(); ++i) {
        const DDrawDeviceInfo* card = DDrawGetDeviceInfo(int(i));
        Entry(text, card->description, CardUsable(int(i)), (card->flags & DDDEVINFO_3DACCELERATED) != 0,
              card);
        AddEntry(dialog, WINDLG_ID_CARDS, text, int(i));
    }
    plat::SendDlgItemMessage(dialog, WINDLG_ID_CARDS, plat::kLbSetCurSel, uint64_t(DDrawGetCurrentDevice()),
                             0);
    FillDevices(dialog, DDrawGetCurrent3DDevice());
    Describe(dialog);
}

int64_t SelectDeviceProc(plat::DialogHandle dialog, uint32_t msg, uint64_t wparam, int64_t lparam) {
    (void)lparam;
    if (msg == plat::kMsgInitDialog) {
        InitChooser(dialog);
        return 1;
    }
    if (msg != plat::kMsgCommand) return 0;
    const int id = int(wparam & 0xFFFF);
    const int code = int((wparam >> 16) & 0xFFFF);
    if (id == WINDLG_ID_CARDS && code == plat::kLbnSelChange) {
        FillDevices(dialog, -1);
        Describe(dialog);
    } else if (id == WINDLG_ID_DEVICES && code == plat::kLbnSelChange) {
        Describe(dialog);
    } else if (id == WINDLG_ID_OK) {
        int card = Selected(dialog, WINDLG_ID_CARDS);
        int device = Selected(dialog, WINDLG_ID_DEVICES);
        const DDrawDeviceInfo* card_info = DDrawGetDeviceInfo(card);
        const DDraw3DDeviceInfo* device_info = DDrawGet3DDeviceInfo(card, device);
        if (card_info == nullptr || device_info == nullptr || !PairUsable(card_info, device_info)) {
            return 1;  // not a usable pair: the dialog stays
        }
        g_choice->card = card;
        g_choice->device3d = device;
        plat::EndDialog(dialog, 1);
    } else if (id == WINDLG_ID_CANCEL) {
        plat::EndDialog(dialog, 0);
    }
    return 1;
}

void BuildChooserTemplate() {
    using namespace plat;
    const char* const* t = kSelectDeviceTexts;
    WinDlgBegin(t[0], 0, 20, 300, 170);
    WinDlgAppendItem(WINDLG_BUTTON, WINDLG_ID_GROUP, kWsChild | kWsVisible | kBsGroupBox, 5, 2, 290, 140,
                     t[1]);
    const uint32_t list_style = kWsChild | kWsVisible | kWsBorder | kWsVScroll | kWsTabStop | kLbsNotify;
    WinDlgAppendItem(WINDLG_LISTBOX, WINDLG_ID_CARDS, list_style, 10, 15, 280, 40, "");
    WinDlgAppendItem(WINDLG_LISTBOX, WINDLG_ID_DEVICES, list_style, 10, 60, 280, 40, kUse3DText);
    WinDlgAppendItem(WINDLG_STATIC, WINDLG_ID_TEXT, kWsChild | kWsVisible | kSsLeft | kSsSunken, 10, 105, 280,
                     35, t[2]);
    WinDlgAppendItem(WINDLG_BUTTON, WINDLG_ID_OK, kWsChild | kWsVisible | kWsTabStop | kBsDefPushButton, 180,
                     150, 55, 15, t[3]);
    WinDlgAppendItem(WINDLG_BUTTON, WINDLG_ID_CANCEL, kWsChild | kWsVisible | kWsTabStop | kBsPushButton, 240,
                     150, 55, 15, t[4]);
}

}  // namespace

void WinDlgBegin(const char* caption, int x, int y, int width, int height) {
    g_used = 0;
    PutDword(plat::kWsPopup | plat::kWsCaption | plat::kWsSysMenu | plat::kDsModalFrame | plat::kDsSetFont);
    PutDword(0);  // extended style
    PutWord(0);   // item count, raised by each item
    PutWord(uint16_t(x));
    PutWord(uint16_t(y));
    PutWord(uint16_t(width));
    PutWord(uint16_t(height));
    PutWord(0);  // no menu
    PutWord(0);  // the standard dialog class
    WinDlgAppendString(caption);
    PutWord(WINDLG_FONT_POINTS);
    WinDlgAppendString("Helv");
}

void WinDlgAppendItem(uint16_t class_atom, int id, uint32_t style, int x, int y, int width, int height,
                      const char* text) {
    if (width < 0 || height < 0) {
        AbortError("windlg", __LINE__, "WinDlgAppendItem(): can't add item with -ve size");
    }
    AlignDword();
    PutDword(style);
    PutDword(0);  // extended style
    PutWord(uint16_t(x));
    PutWord(uint16_t(y));
    PutWord(uint16_t(width));
    PutWord(uint16_t(height));
    PutWord(uint16_t(id));
    PutWord(0xFFFF);  // a predefined class by atom
    PutWord(class_atom);
    WinDlgAppendString(text);
    PutWord(0);  // no creation data
    recbits::StoreU16(g_template + kCountOffset, uint16_t(recbits::LoadU16(g_template + kCountOffset) + 1));
}

void WinDlgAppendString(const char* text) {
    int units = plat::MultiByteToWideChar(text, -1, nullptr, 0);
    int length = units - 1;  // without the terminator
    if (length < 0) {
        AbortError("windlg", __LINE__, "WinDlgAppendString(): -ve sized string after conversion to WCHAR");
    }
    Reserve(size_t(units) * 2);
    uint16_t wide[WINDLG_TEMPLATE_SIZE / 2];
    plat::MultiByteToWideChar(text, -1, wide, units);
    for (int i = 0; i < units; ++i) PutWord(wide[i]);
}

const void* WinDlgGetTemplate(size_t* size) {
    *size = g_used;
    return g_template;
}

int WinDeviceQuality(const DDrawDeviceInfo* card, const DDraw3DDeviceInfo* device) {
    if (card == nullptr || device == nullptr || (card->flags & DDDEVINFO_NONDISPLAY)) return 0;
    const uint32_t f = device->flags;
    // The game draws in 16-bit modes with a 16-bit z-buffer; a device
    // without them is of no use whatever else it offers.
    constexpr uint32_t kNeeded = D3DDEVINFO_RENDER16 | D3DDEVINFO_ZBUFFER16;
    if ((f & kNeeded) != kNeeded) return 0;
    int quality = WINDLG_QUALITY_THRESHOLD;
    if (f & D3DDEVINFO_HARDWARE) quality += 40;
    if (f & D3DDEVINFO_HARDWARETL) quality += 20;
    if (f & D3DDEVINFO_RENDER32) quality += 5;
    if (f & (D3DDEVINFO_ZBUFFER24 | D3DDEVINFO_ZBUFFER32)) quality += 5;
    if (f & D3DDEVINFO_SMOOTHTEX) quality += 5;
    if (f & D3DDEVINFO_MIPMAPTEX) quality += 5;
    return quality;
}

int WinSelectDevice(int* device, int* device3d) {
    BuildChooserTemplate();
    size_t size = 0;
    const void* tmpl = WinDlgGetTemplate(&size);
    Choice choice;
    g_choice = &choice;
    int64_t result = plat::DialogBoxIndirectParam(tmpl, size, SelectDeviceProc, 0);
    g_choice = nullptr;
    DebugLog(DEBUG_DIRECTDRAW, 20, "WinSelectDevice(): dialog returned %d\n", int(result));
    if (result != 1) return 0;
    *device = choice.card;
    *device3d = choice.device3d;
    return 1;
}
