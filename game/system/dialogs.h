// Dialog templates built in memory (no resource file), and the "Select
// Device" dialog in which the user picks a display card and a 3D device
// from the device survey.
#pragma once
#include <cstddef>
#include <cstdint>

// Predefined control classes, by their published atoms.
constexpr uint16_t WINDLG_BUTTON = 0x0080;
constexpr uint16_t WINDLG_EDIT = 0x0081;
constexpr uint16_t WINDLG_STATIC = 0x0082;
constexpr uint16_t WINDLG_LISTBOX = 0x0083;
constexpr uint16_t WINDLG_SCROLLBAR = 0x0084;
constexpr uint16_t WINDLG_COMBOBOX = 0x0085;

constexpr size_t WINDLG_TEMPLATE_SIZE = 4096;
constexpr uint16_t WINDLG_FONT_POINTS = 8;

// The chooser's controls.
constexpr int WINDLG_ID_OK = 1;
constexpr int WINDLG_ID_CANCEL = 2;
constexpr int WINDLG_ID_GROUP = 100;
constexpr int WINDLG_ID_TEXT = 101;
constexpr int WINDLG_ID_CARDS = 110;
constexpr int WINDLG_ID_DEVICES = 111;

// A pair is usable when its quality factor reaches this.
constexpr int WINDLG_QUALITY_THRESHOLD = 20;

// Starts a template in dialog units, with the font "Helv".
void WinDlgBegin(const char* caption, int x, int y, int width, int height);
// Appends one control; a negative size ends the program.
void WinDlgAppendItem(uint16_t class_atom, int id, uint32_t style, int x, int y, int width, int height,
                      const char* text);
// Appends a text as UTF-16 with its terminator.
void WinDlgAppendString(const char* text);
// The template built so far.
const void* WinDlgGetTemplate(size_t* size);

struct DDrawDeviceInfo;
struct DDraw3DDeviceInfo;
// How well a card and one of its 3D devices suit the game (0..100): 0 for a
// non-display card or a device that cannot render 16-bit with a 16-bit
// z-buffer, otherwise the threshold plus points for hardware rendering,
// transform and lighting, and better modes and filtering.
int WinDeviceQuality(const DDrawDeviceInfo* card, const DDraw3DDeviceInfo* device);

// Shows the chooser.  Returns 1 with the chosen card and 3D device, or 0
// when the user cancels (or no dialog can be shown).
int WinSelectDevice(int* device, int* device3d);
