// The screen-table engine.  Every front-end screen is a static table of
// MenuItem records: a type-54 item naming the screen function, the items
// that draw it and declare what can be clicked, and a type-55 item that ends
// the table.  The engine keeps a stack of such tables, walks the top one
// (drawing it and collecting its selectable items and animations) and runs
// a frame loop over mouse, keys, animations and pop-up lists until a handler
// closes the table with result 6.
//
// Coordinates are on the 800 x 600 menu layout.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "game/screens/engine/itemtypes.h"

// What every engine operation answers while the engine is not set up.
constexpr int32_t MENU_NOT_READY = 0xF001;

// Results of item handlers and pop-up menu functions: 1 or 9 nothing to
// redraw, 2 or 7 redraw, 3 and 5 partial redraws, 4 a redraw as a first
// entry, 6 close the table, 8 keep a pop-up list open.
enum MenuResultCode : int32_t {
    MENU_CONTINUE = 1,
    MENU_REDRAW = 2,
    MENU_REDRAW_OVER = 3,
    MENU_REDRAW_FIRST = 4,
    MENU_REDRAW_RESTORED = 5,
    MENU_CLOSE = 6,
    MENU_REDRAW_ALSO = 7,
    MENU_KEEP_POPUP = 8,
    MENU_NOTHING = 9,
};

struct MenuHotItem;
struct PopupEntry;
struct PopupCallBlock;

using MenuHandler = int32_t (*)(MenuHotItem* item);
using MenuScreenFunction = void (*)();
using MenuExitFunction = void (*)();
// Custom items (type 36): called with the item's rectangle.
using MenuPainter = void (*)(int x, int y, int width, int height);
using PopupFunction = int32_t (*)(PopupCallBlock* call);
using PopupOpenFunction = void (*)(PopupCallBlock* call);

// One item of a screen table.  data holds an immediate value (MenuValue),
// the address of a variable, record, string or nested table, or a function,
// by type.
struct MenuItem {
    uint16_t type;
    int16_t x, y;
    int16_t w;  // width; the alignment code of text, number and icon items; rows of groups
    int16_t h;  // height; the step of groups; the row stride of data inside groups
    const void* data;
    MenuHandler handler;
};

// An immediate value in an item's data field (text id, icon, parameter).
inline const void* MenuValue(int32_t value) {
    return reinterpret_cast<const void*>(static_cast<intptr_t>(value));
}
// A function in an item's data field.
template <typename Function>
inline const void* MenuFunction(Function function) {
    return reinterpret_cast<const void*>(function);
}

// The item that ends every screen table and nested table.
constexpr MenuItem kMenuEnd{MI_END, 0, 0, 0, 0, nullptr, nullptr};

// A value read "none" (the none values of the byte, word and long types).
constexpr uint32_t MENU_VALUE_NONE = 0x80000000u;

// Scroll record of a scroll bar (types 64 and 65), owned by the screen.
struct ScrollRecord {
    int16_t total;
    int16_t visible;
    int16_t first;
};

// A custom animation (type 66): the function is called with the frame
// every delay ticks; the frame wraps at frameCount.
struct MenuTimerRecord {
    uint16_t delay;
    uint16_t frameCount;
    void (*function)(int16_t frame);
};

// Icon animation records (types 1, 2, 5, 6, 9, 10, 37, 38, 74, 75) are
// arrays of int16: {delay in ticks, icon, icon, ..., 0}.  Path records
// (types 7 and 8): {delay, icon drawn first, then {dx, dy, icon} entries
// relative to the item, ending with an entry whose icon is 0}.

// Selectable item kinds.
enum : uint8_t {
    HOT_PLAIN = 0,
    HOT_HOVER = 1,
    HOT_SCROLL_VERTICAL = 2,
    HOT_SCROLL_HORIZONTAL = 3,
};
// Hover states.
enum : uint8_t {
    HOVER_SETTLED = 0,
    HOVER_ENTERED = 1,
    HOVER_LEFT = 2,
};

// A selectable item of the last walk; handlers receive its address.
struct MenuHotItem {
    int16_t links[4];
    int16_t x, y, w, h;
    MenuHandler handler;
    uint8_t group, row, column;
    int8_t animation;  // -1 none
    uint16_t tooltip[3];
    uint32_t value;
    const void* address;  // the item's address value (scroll record, record, string)
    uint8_t kind;
    uint8_t hoverState;
    PopupEntry* popup;
};

// Pop-up list definitions are arrays of PopupEntry: a header (kind 7 title
// by text id, 8 title string, 9 string through a variable, 10 text id
// through a variable), then one record per row (1 separator, 2 text id,
// 3 string, 4 string through a variable, 5 text id through a 16-bit
// variable, 0 an empty row), ending at the next header or at kind 12.
enum : uint16_t {
    POPUP_SEPARATOR = 1,
    POPUP_TEXT_ID = 2,
    POPUP_STRING = 3,
    POPUP_STRING_VARIABLE = 4,
    POPUP_TEXT_ID_VARIABLE = 5,
    POPUP_TITLE = 7,
    POPUP_TITLE_STRING = 8,
    POPUP_TITLE_STRING_VARIABLE = 9,
    POPUP_TITLE_TEXT_ID_VARIABLE = 10,
    POPUP_END = 12,
};
// Row flags.
constexpr uint16_t POPUP_SELECTABLE = 1;
constexpr uint16_t POPUP_MARKED = 2;

struct PopupEntry {
    uint16_t kind;
    uint16_t flags;
    int16_t x, y, w, h;  // header: position and size, -1 automatic
    const void* subList;
    const void* text;  // text id (MenuValue), string or variable, by kind
    PopupFunction function;
    PopupOpenFunction open;  // header: called before the list opens
};

// The number every open list carries.
constexpr uint16_t POPUP_LIST_NUMBER = 0x4000;

// What a pop-up menu function (and an open function) receives.
struct PopupCallBlock {
    uint16_t list;  // list number + 1
    uint16_t row;   // the chosen row, 0 the first after the header
    struct OpenPopup* open;
    PopupEntry* entry;
};

// The list that is open.
struct OpenPopup {
    uint16_t number;
    PopupEntry* definition;
    int16_t x, y, w, h;
    int16_t font;
    int16_t textColour;
    int16_t rows;
    int16_t rowHeight;
};

// ---- Walking tables ---------------------------------------------------------
// Processes one item (row -1 outside groups) in walk mode 0 (full), 1 or 2
// (partial walks).
void ActOnType(const MenuItem* item, int16_t group, int16_t xOffset, int16_t yOffset, int16_t column,
               int16_t row, int16_t mode);
// The item's value by its type's value rule (MENU_VALUE_NONE for "none"),
// and its address for the address types.
uint32_t GetVarsFromMI(const MenuItem* item, const void* data, const void** address);
// The item's rectangle and alignment by its type's size rule.
void CoordsCode(const MenuItem* item, uint32_t value, int16_t* x, int16_t* y, int16_t* w, int16_t* h,
                uint16_t* align);
// Draws an item of a drawn type at its aligned rectangle.
void ShowAnItem(const MenuItem* item, int x, int y, int w, int h, uint16_t align, uint32_t value,
                const void* address);

// ---- Running tables ---------------------------------------------------------
int32_t PushItemTable(const MenuItem* table);
// Runs the table on top of the stack (and every table pushed on top of it)
// until it closes; answers the last result.
int32_t StartMenu();
// Opens the pop-up list (at column, row unless -1) and runs it until an
// entry is chosen or the list closes; answers the mapped result.
int32_t RunSubMenu(PopupEntry* popup, int16_t column, int16_t row);

int32_t IsMenuFirstEntry();
int32_t SetMenuFirstEntry(int16_t value);
int32_t GetMenuButtons();
int32_t SetMenuListRows(int16_t rows);
int32_t SetMenuFrameResult(int16_t result);
// Whether a selectable item of the table shown overlaps the rectangle.
bool MenuHotItemWithin(int x, int y, int w, int h);

// One walk of the table on top of the stack as the loop makes it after the
// result (4 a first entry); answers the number of selectable items.  For
// tools and benchmarks; the loop walks by itself.
int32_t MenuWalkTopTable(int32_t result);

// Engine buffers (set up by RestartMenus, freed by ReleaseMenuBuffers).
void MenuEngineStart();
void MenuEngineStop();
bool MenuEngineReady();

// ---- Read-only views for tests ---------------------------------------------
const MenuItem* MenuViewTopTable();
int MenuViewDepth();
std::span<const MenuHotItem> MenuViewHotItems();
struct MenuPopupRowView {
    int16_t x, y, w, h;
    const PopupEntry* entry;
};
// Empty when no list is open.
std::vector<MenuPopupRowView> MenuViewPopupRows();
const OpenPopup* MenuViewOpenPopup();

// The repeat-group row of the item being drawn (0 outside groups), for
// custom painters that shade alternate rows.
int16_t MenuPaintRow();
