#include "game/screens/engine/screenmachine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textentry.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/tickclock.h"

namespace {

constexpr const char* kModule = "machine";

// ---- Engine buffers: grown one record at a time --------------------------

template <typename T>
struct RecordList {
    T* data = nullptr;
    int count = 0;
    int capacity = 0;
};

template <typename T>
void AllocateList(RecordList<T>& list) {
    if (list.data != nullptr) FreeMemory(&list.data);
    AllocateMemory(&list.data, sizeof(T), MEM_TYPE_MANUAL_FREE);
    std::memset(static_cast<void*>(list.data), 0, sizeof(T));
    list.count = 0;
    list.capacity = 1;
}

template <typename T>
void FreeList(RecordList<T>& list) {
    if (list.data != nullptr) FreeMemory(&list.data);
    list.count = 0;
    list.capacity = 0;
}

template <typename T>
T& AppendRecord(RecordList<T>& list) {
    if (list.count >= list.capacity) {
        ResizeMemory(&list.data, uint32_t(sizeof(T)) * uint32_t(list.capacity + 1));
        ++list.capacity;
    }
    T& record = list.data[list.count++];
    std::memset(static_cast<void*>(&record), 0, sizeof(T));
    return record;
}

template <typename T>
void ShrinkList(RecordList<T>& list) {
    if (list.data == nullptr) return;
    if (list.capacity != 1) ResizeMemory(&list.data, sizeof(T));
    std::memset(static_cast<void*>(list.data), 0, sizeof(T));
    list.count = 0;
    list.capacity = 1;
}

struct StackEntry {
    const MenuItem* table;
    uint16_t itemCount;
    uint16_t state;
    MenuExitFunction exitFunction;
    MenuHandler endHandler;
};

enum : uint16_t { RUN_STOPPED = 0, RUN_BACKWARDS = 1, RUN_FORWARDS = 2 };

struct Animation {
    uint16_t kind;
    int16_t x, y, w, h;  // anchor and size
    int16_t baseX, baseY;
    const void* frames;
    uint16_t delay;
    int32_t countdown;
    int16_t frame;
    uint16_t runState;
    uint16_t align;
};

// A timer list kept for its place in the engine; no screen table fills it.
struct TimerRecord {
    uint32_t unused;
};

bool g_ready = false;
RecordList<StackEntry> g_stack;
RecordList<MenuHotItem> g_hot;
RecordList<Animation> g_anims;
RecordList<TimerRecord> g_timers;
int16_t g_depth = -1;

bool g_walking = false;
const MenuItem* g_pending = nullptr;
bool g_pastMarker = false;
int16_t g_firstEntry = 0;
int16_t g_listRows = 0;
int16_t g_frameResult = 0;
int g_groupDepth = 0;
int16_t g_groupCounter = 0;
int16_t g_rowCounter = -1;
// The row of the item being drawn, for painters that shade by row.
int16_t g_itemRow = 0;
int g_animCursor = 0;
int16_t g_wrapParam = 0;

int16_t g_mouseX = 0, g_mouseY = 32;
uint16_t g_buttons = 0;
int16_t g_key = 0;
uint32_t g_lastFrame = 0;
int32_t g_frameTime = 0;

int g_hover = 0;  // item number of the hover item, 0 none
bool g_buttonWait = false;
int g_clicked = 0;
bool g_clickLatch = false;
int g_clickCountdown = 10;

// Thumb drag of a scroll bar.
int g_dragItem = 0;
const ScrollRecord* g_dragScroll = nullptr;
int g_dragStartPos = 0;
int16_t g_dragStartFirst = 0;

bool g_popupOpen = false;
OpenPopup g_popup{};
int g_highlight = -1;

constexpr int16_t kPopupSection = 0;
constexpr int16_t kHighlightSection = 3;
constexpr int kClickCountdown = 10;
constexpr uint16_t kButtonColour = 0x5AD4;
constexpr uint16_t kThumbColour = 0x632C;
constexpr uint16_t kThumbDragColour = 0x9A69;

uint32_t Ticks() { return TimerIsRunning() ? GetTimerTicks() : 0u; }

[[noreturn]] void Abort(int line, const char* format, unsigned value) {
    char message[128];
    std::snprintf(message, sizeof message, format, value);
    AbortError(kModule, line, message);
}

// ---- Type tables ----------------------------------------------------------

enum class Rule {
    Immediate,
    Var16,
    IconRecord,
    IconRecordVar,
    Address,
    StringVar,
    SByte,
    UByte,
    SWord,
    UWord,
    Long,
    None,
    Invalid,
};

// The types of each value rule.
constexpr uint16_t kImmediateTypes[] = {
    MI_ICON,   MI_BACKGROUND,  MI_FONT,   MI_TEXT,    MI_NUMBER,     MI_TEXT_COLOUR,
    MI_COLOUR, MI_NUMBER_TYPE, MI_PARAM0, MI_SET_ROW, MI_WRAP_PARAM, MI_BUTTON_STYLE,
    MI_PARAM5, MI_PARAM6,      MI_ALPHA,  MI_PARAM8,  MI_PARAM9,     MI_BUTTON_TEXT};
constexpr uint16_t kVar16Types[] = {MI_ICON_VAR,         MI_BACKGROUND_VAR, MI_FONT_VAR,        MI_TEXT_VAR,
                                    MI_TEXT_COLOUR_VAR,  MI_COLOUR_VAR,     MI_NUMBER_TYPE_VAR, MI_PARAM0_VAR,
                                    MI_BUTTON_STYLE_VAR, MI_PARAM5_VAR,     MI_PARAM6_VAR,      MI_ALPHA_VAR,
                                    MI_PARAM8_VAR,       MI_PARAM9_VAR,     MI_BUTTON_TEXT_VAR};
constexpr uint16_t kIconRecordTypes[] = {MI_ICON_BOUNCE, MI_ICON_LOOP,  MI_ICON_PATH,
                                         MI_ICON_ONCE,   MI_ICON_PRESS, MI_ICON_HOVER};
constexpr uint16_t kIconRecordVarTypes[] = {MI_ICON_BOUNCE_VAR, MI_ICON_LOOP_VAR,  MI_ICON_PATH_VAR,
                                            MI_ICON_ONCE_VAR,   MI_ICON_PRESS_VAR, MI_ICON_HOVER_VAR};
constexpr uint16_t kAddressTypes[] = {MI_LINE_ADDRESS,     MI_BOX_ADDRESS,       MI_FILL_ADDRESS,
                                      MI_HOT_RECT_ADDRESS, MI_SCROLL_HORIZONTAL, MI_SCROLL_VERTICAL,
                                      MI_ANIMATION};
constexpr uint16_t kNoValueTypes[] = {MI_STRING,
                                      MI_LINE,
                                      MI_BOX,
                                      MI_FILL,
                                      MI_HOT_RECT,
                                      MI_GROUP,
                                      MI_GROUP_VAR,
                                      MI_CUSTOM,
                                      MI_SCREEN,
                                      MI_SAVE_MARKER,
                                      MI_ROW_GROUP,
                                      MI_ROW_GROUP_VAR,
                                      MI_HOVER_AREA,
                                      MI_AREA,
                                      MI_WRAPPED_TEXT,
                                      MI_WRAPPED_TEXT_VAR,
                                      MI_POPUP,
                                      MI_BUTTON_STRING,
                                      MI_BUTTON_STRING_VAR};

bool IsOneOf(unsigned type, std::span<const uint16_t> types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

Rule RuleOf(unsigned type) {
    if (IsOneOf(type, kImmediateTypes)) return Rule::Immediate;
    if (IsOneOf(type, kVar16Types)) return Rule::Var16;
    if (IsOneOf(type, kIconRecordTypes)) return Rule::IconRecord;
    if (IsOneOf(type, kIconRecordVarTypes)) return Rule::IconRecordVar;
    if (IsOneOf(type, kAddressTypes)) return Rule::Address;
    if (IsOneOf(type, kNoValueTypes)) return Rule::None;
    switch (type) {
        case MI_STRING_VAR:
            return Rule::StringVar;
        case MI_NUMBER_I8:
            return Rule::SByte;
        case MI_NUMBER_U8:
            return Rule::UByte;
        case MI_NUMBER_I16:
            return Rule::SWord;
        case MI_NUMBER_U16:
            return Rule::UWord;
        case MI_NUMBER_I32:
            return Rule::Long;
        case MI_AREA_LONG:
            return Rule::Long;
        default:
            return Rule::Invalid;
    }
}

bool IsIconType(unsigned t) {
    return (t >= MI_ICON_BOUNCE && t <= MI_ICON_ONCE_VAR) || t == MI_ICON_PRESS || t == MI_ICON_PRESS_VAR ||
           t == MI_ICON_HOVER || t == MI_ICON_HOVER_VAR;
}

bool IsKnownType(unsigned t) {
    return (t >= MI_ICON_BOUNCE && t <= MI_ICON_PRESS_VAR) || (t >= MI_TEXT_COLOUR && t <= MI_PARAM0_VAR) ||
           (t >= MI_ROW_GROUP && t <= MI_AREA_LONG) || (t >= MI_SET_ROW && t <= MI_PARAM9_VAR) ||
           t == MI_POPUP || (t >= MI_BUTTON_TEXT && t <= MI_BUTTON_TEXT_VAR);
}

bool NeedsAlignment(unsigned t) {
    return (t >= MI_ICON_BOUNCE && t <= MI_ICON_ONCE_VAR) || (t >= MI_TEXT && t <= MI_NUMBER_I32) ||
           t == MI_HOT_RECT || t == MI_HOT_RECT_ADDRESS || t == MI_ICON_PRESS || t == MI_ICON_PRESS_VAR ||
           (t >= MI_HOVER_AREA && t <= MI_AREA) || t == MI_WRAPPED_TEXT || t == MI_WRAPPED_TEXT_VAR ||
           t == MI_ICON_HOVER || t == MI_ICON_HOVER_VAR;
}

bool CanBeHot(unsigned t) {
    return (t >= MI_ICON_BOUNCE && t <= MI_ICON_LOOP_VAR) || t == MI_ICON_ONCE || t == MI_ICON_ONCE_VAR ||
           (t >= MI_TEXT && t <= MI_NUMBER_I32) || (t >= MI_FILL && t <= MI_HOT_RECT_ADDRESS) ||
           (t >= MI_CUSTOM && t <= MI_ICON_PRESS_VAR) || (t >= MI_HOVER_AREA && t <= MI_SCROLL_VERTICAL) ||
           t == MI_AREA || t == MI_AREA_LONG || t == MI_ICON_HOVER || t == MI_ICON_HOVER_VAR ||
           (t >= MI_BUTTON_TEXT && t <= MI_BUTTON_TEXT_VAR);
}

bool BannedInGroup(unsigned t) {
    return t == MI_BACKGROUND || t == MI_BACKGROUND_VAR || t == MI_GROUP || t == MI_NOTHING ||
           t == MI_SCREEN || t == MI_SAVE_MARKER || t == MI_ROW_GROUP;
}

// Animation kind of an item type, -1 for none.
int AnimationKind(unsigned t) {
    // Pairs of {item type, animation kind}.
    constexpr uint16_t kKinds[][2] = {{MI_ICON_LOOP, 0},       {MI_ICON_LOOP_VAR, 0},  {MI_ICON_ONCE, 1},
                                      {MI_ICON_ONCE_VAR, 1},   {MI_ICON_HOVER, 2},     {MI_ICON_HOVER_VAR, 2},
                                      {MI_ICON_PRESS, 3},      {MI_ICON_PRESS_VAR, 3}, {MI_ICON_BOUNCE, 4},
                                      {MI_ICON_BOUNCE_VAR, 4}, {MI_ICON_PATH, 5},      {MI_ICON_PATH_VAR, 5},
                                      {MI_ANIMATION, 6}};
    for (const auto& pair : kKinds) {
        if (pair[0] == t) return pair[1];
    }
    return -1;
}

// Inside groups, data that names a variable or record advances by the row
// times the item's h; items whose h is a size keep their data.
bool DataStrides(unsigned t) {
    switch (RuleOf(t)) {
        case Rule::Var16:
        case Rule::IconRecord:
        case Rule::IconRecordVar:
        case Rule::StringVar:
        case Rule::SByte:
        case Rule::UByte:
        case Rule::SWord:
        case Rule::UWord:
        case Rule::Long:
            return t != MI_AREA_LONG && t != MI_BUTTON_TEXT_VAR;
        default:
            return false;
    }
}

bool TextIdDrawsNothing(uint32_t value) {
    const int16_t id = int16_t(value);
    return id == -1 || id == INT16_MIN || value == MENU_VALUE_NONE;
}

const char* ButtonText(const MenuItem* item, uint32_t value) {
    switch (item->type) {
        case MI_BUTTON_TEXT:
        case MI_BUTTON_TEXT_VAR:
            return TextIdDrawsNothing(value) ? "" : GetText(int16_t(value));
        case MI_BUTTON_STRING:
            return item->data != nullptr ? static_cast<const char*>(item->data) : "";
        case MI_BUTTON_STRING_VAR: {
            const char* const* variable = static_cast<const char* const*>(item->data);
            return variable != nullptr && *variable != nullptr ? *variable : "";
        }
        default:
            return "";
    }
}

// ---- Animations -------------------------------------------------------------

int16_t AnimationIcon(const Animation& a) {
    if (a.frames == nullptr) return 0;
    const int16_t* frames = static_cast<const int16_t*>(a.frames);
    if (a.kind == 5) return frames[a.frame * 3 + 2];
    return frames[a.frame];
}

bool MouseInsideAligned(const Animation& a) {
    int x = a.x, y = a.y;
    AlignPoint(&x, &y, a.w, a.h, a.align);
    return g_mouseX >= x && g_mouseX < x + a.w && g_mouseY >= y && g_mouseY < y + a.h;
}

void DrawAnimationFrame(const Animation& a) {
    if (a.kind == 6) {
        const MenuTimerRecord* record = static_cast<const MenuTimerRecord*>(a.frames);
        if (record != nullptr && record->function != nullptr) record->function(a.frame);
        return;
    }
    if (a.kind != 5) RestoreRectAligned(a.x, a.y, a.w, a.h, a.align);
    const int16_t icon = AnimationIcon(a);
    if (icon > 0) DrawIcon(a.x, a.y, icon, a.align);
}

// One step of an animation; 0 when it has nothing more to do.
int StepAnimation(int index) {
    if (g_popupOpen) return 1;
    Animation& a = g_anims.data[index];
    if (a.runState == RUN_STOPPED) return 0;
    a.countdown -= std::abs(g_frameTime);
    if (a.countdown >= 1) return 1;
    if (a.kind == 2 && a.frame == 0 && !MouseInsideAligned(a)) return 1;
    a.countdown = a.delay;
    int result = 1;
    if (a.runState == RUN_FORWARDS) {
        ++a.frame;
        if (a.kind == 5) {
            const int16_t* path = static_cast<const int16_t*>(a.frames);
            if (path[a.frame * 3 + 2] == 0) a.frame = 0;
            RestoreRectAligned(a.x, a.y, a.w, a.h, a.align);
            a.x = int16_t(a.baseX + path[a.frame * 3]);
            a.y = int16_t(a.baseY + path[a.frame * 3 + 1]);
        } else if (a.kind == 6) {
            const MenuTimerRecord* record = static_cast<const MenuTimerRecord*>(a.frames);
            if (a.frame >= std::max<int>(record->frameCount, 1)) a.frame = 0;
        } else if (AnimationIcon(a) == 0) {
            if (a.kind == 3 || a.kind == 4) {
                a.runState = RUN_BACKWARDS;
                --a.frame;
                result = 0;
            } else {
                a.frame = 0;
                if (a.kind == 1) {
                    a.runState = RUN_STOPPED;
                    result = 0;
                }
            }
        }
    } else {
        --a.frame;
        if (a.frame < 0) {
            a.runState = RUN_STOPPED;
            a.frame = 0;
            result = 0;
        }
    }
    DrawAnimationFrame(a);
    return result;
}

// Animations that run by themselves each frame: the looping, hover, path
// and custom kinds, and the once-only and press kinds while they run
// forwards.
void StepRunningAnimations() {
    for (int i = 0; i < g_anims.count; ++i) {
        const Animation& a = g_anims.data[i];
        const bool free = a.kind == 0 || a.kind == 2 || a.kind == 5 || a.kind == 6;
        if (free || a.runState >= RUN_FORWARDS) StepAnimation(i);
    }
}

void RegisterAnimation(int kind, const MenuItem* item, int x, int y, int w, int h, uint16_t align,
                       const void* address) {
    Animation& a = AppendRecord(g_anims);
    a.kind = uint16_t(kind);
    a.x = a.baseX = int16_t(x);
    a.y = a.baseY = int16_t(y);
    a.w = int16_t(w);
    a.h = int16_t(h);
    a.align = align;
    a.runState = (kind == 3 || kind == 4) ? RUN_STOPPED : RUN_FORWARDS;
    if (kind == 6) {
        const MenuTimerRecord* record = static_cast<const MenuTimerRecord*>(address);
        a.frames = record;
        a.delay = record != nullptr ? record->delay : 0;
        if (record == nullptr) a.runState = RUN_STOPPED;
    } else {
        const int16_t* words = static_cast<const int16_t*>(address);
        a.delay = words != nullptr ? uint16_t(words[0]) : 0;
        a.frames = words == nullptr ? nullptr : kind == 5 ? static_cast<const void*>(words + 2) : words + 1;
        if (words == nullptr) a.runState = RUN_STOPPED;
    }
    a.countdown = a.delay;
    (void)item;
}

// ---- Scroll bars --------------------------------------------------------

int MaxFirst(const ScrollRecord& s) { return std::max(0, s.total - s.visible); }

void DrawScrollBar(bool vertical, int x, int y, int w, int h, const ScrollRecord* s) {
    if (s == nullptr) return;
    const uint16_t kept = DrawColour;
    SetDrawParam(2, s == g_dragScroll ? kThumbDragColour : kThumbColour);
    if (s->total <= 0 || s->visible > s->total) {
        DoButton(x, y, w, h);
    } else if (vertical) {
        DoButton(x, y + h * s->first / s->total, w, h * s->visible / s->total);
    } else {
        DoButton(x + w * s->first / s->total, y, w * s->visible / s->total, h);
    }
    SetDrawParam(2, kept);
}

// ---- Pop-up lists -----------------------------------------------------------

bool IsTitle(uint16_t kind) { return kind >= POPUP_TITLE && kind <= POPUP_TITLE_TEXT_ID_VARIABLE; }

int PopupRowCount(const PopupEntry* list) {
    int rows = 0;
    for (const PopupEntry* e = list + 1; e->kind != POPUP_END && !IsTitle(e->kind); ++e) ++rows;
    return rows;
}

const char* PopupRowText(const PopupEntry& e) {
    switch (e.kind) {
        case POPUP_TEXT_ID:
            return GetText(int16_t(reinterpret_cast<intptr_t>(e.text)));
        case POPUP_STRING:
            return e.text != nullptr ? static_cast<const char*>(e.text) : "";
        case POPUP_STRING_VARIABLE: {
            const char* const* variable = static_cast<const char* const*>(e.text);
            return variable != nullptr && *variable != nullptr ? *variable : "";
        }
        case POPUP_TEXT_ID_VARIABLE:
            return e.text != nullptr ? GetText(*static_cast<const int16_t*>(e.text)) : "";
        default:
            return "";
    }
}

int16_t FontHeight() {
    int16_t height = 0;
    GetTextSize(" ", nullptr, &height);
    return height;
}

void LayoutPopup(PopupEntry* list, int16_t column, int16_t row) {
    g_popup = OpenPopup{};
    g_popup.number = POPUP_LIST_NUMBER;
    g_popup.definition = list;
    g_popup.font = CurrentFontNumber;
    g_popup.textColour = TextColourNumber;
    const int16_t fontHeight = FontHeight();
    const int rowHeight = std::max(1, fontHeight + fontHeight / 4);
    int rows = PopupRowCount(list);
    if (rows * rowHeight > MENU_LAYOUT_HEIGHT) rows = MENU_LAYOUT_HEIGHT / rowHeight - 1;
    int widest = 0;
    for (int i = 0; i < rows; ++i)
        widest = std::max<int>(widest, GetTextSize(PopupRowText(list[i + 1]), nullptr, nullptr));
    const PopupEntry& header = list[0];
    int w = header.w != -1 ? header.w : widest + 2 * fontHeight;
    int h = header.h != -1 ? header.h : rows * rowHeight;
    int x = column != -1 ? column : header.x != -1 ? header.x : (g_mouseX > 8 ? g_mouseX - 8 : g_mouseX);
    int y = row != -1 ? row : header.y != -1 ? header.y : (g_mouseY > 8 ? g_mouseY - 8 : g_mouseY);
    // Kept inside the screen's right and bottom edges.
    if (x + w > 796) x = std::max(0, 796 - w);
    if (y + h > 596) y = std::max(0, 596 - h);
    g_popup.x = int16_t(x);
    g_popup.y = int16_t(y);
    g_popup.w = int16_t(w);
    g_popup.h = int16_t(h);
    g_popup.rows = int16_t(rows);
    g_popup.rowHeight = int16_t(rowHeight);
}

int PopupFirstRowY() { return g_popup.y + g_popup.h / 2 - g_popup.rows * g_popup.rowHeight / 2 + 1; }

void DrawPopupRow(int index) {
    const PopupEntry& e = g_popup.definition[index + 1];
    const int rowY = PopupFirstRowY() + index * g_popup.rowHeight;
    const int16_t fontHeight = FontHeight();
    if (e.kind == POPUP_SEPARATOR) {
        DrawRelLine(g_popup.x + 4, rowY + g_popup.rowHeight / 2, g_popup.w - 8, 0);
        return;
    }
    if (e.kind == 0) return;
    if ((e.flags & POPUP_MARKED) != 0) {
        // The tick of a marked entry: four small blocks left of the text.
        const int mx = g_popup.x + fontHeight / 2 - 3, my = rowY + g_popup.rowHeight / 2 - 3;
        DrawSolidRect(mx, my, 3, 3);
        DrawSolidRect(mx + 3, my + 3, 3, 3);
        DrawSolidRect(mx, my + 3, 3, 3);
        DrawSolidRect(mx + 3, my, 3, 3);
    }
    DrawTextAddrAt(g_popup.x + fontHeight, rowY, PopupRowText(e), JUSTIFY_LEFT_TOP);
}

void DrawPopup() {
    PreserveScreenSection(kPopupSection, g_popup.x, g_popup.y, g_popup.w, g_popup.h);
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    const int16_t font = CurrentFontNumber;
    const int16_t textColour = TextColourNumber;
    SetDrawParam(2, kButtonColour);
    SetDrawParam(4, 0);
    DoButton(g_popup.x, g_popup.y, g_popup.w, g_popup.h);
    SetFont(g_popup.font);
    SetDrawParam(1, g_popup.textColour);
    SetDrawParam(2, 0);
    for (int i = 0; i < g_popup.rows; ++i) DrawPopupRow(i);
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
    SetFont(font);
    SetDrawParam(1, textColour);
}

void RemoveHighlight() {
    if (ScreenSection[kHighlightSection].pixels != nullptr) RestoreScreenSection(kHighlightSection);
    g_highlight = -1;
}

void DrawHighlight(int index) {
    const int rowY = g_popup.y + index * g_popup.rowHeight;
    if (rowY < 0 || rowY + g_popup.rowHeight > MenuScreenHeight()) return;
    PreserveScreenSection(kHighlightSection, g_popup.x, rowY, g_popup.w, g_popup.rowHeight);
    const uint16_t colour = DrawColour;
    const int16_t font = CurrentFontNumber;
    const int16_t textColour = TextColourNumber;
    SetDrawParam(2, 0xFFFF);
    DrawShadedRect(g_popup.x + 2, rowY, g_popup.w - 4, g_popup.rowHeight, 30);
    SetFont(g_popup.font);
    SetDrawParam(1, g_popup.textColour);
    SetDrawParam(2, 0);
    DrawPopupRow(index);
    SetDrawParam(2, colour);
    SetFont(font);
    SetDrawParam(1, textColour);
}

void RestorePopupSections() {
    RemoveHighlight();
    if (ScreenSection[kPopupSection].pixels != nullptr) RestoreScreenSection(kPopupSection);
}

void ClosePopup() {
    if (!g_popupOpen) return;
    RestorePopupSections();
    g_popupOpen = false;
    g_popup = OpenPopup{};
}

void OpenPopupList(PopupEntry* list, int16_t column, int16_t row, const MenuHotItem* item) {
    if (list[0].open != nullptr) {
        PopupCallBlock call{uint16_t(POPUP_LIST_NUMBER + 1), uint16_t(item != nullptr ? item->row : 0),
                            nullptr, list};
        list[0].open(&call);
    }
    LayoutPopup(list, column, row);
    ResetScreenSection(kHighlightSection);
    g_highlight = -1;
    g_popupOpen = true;
    DrawPopup();
}

// The answer of a pop-up menu function, as the loop takes it.
int32_t MapPopupResult(int32_t result) {
    switch (result) {
        case 1:
        case 9:
            ClosePopup();
            return 1;
        case 2:
        case 7:
            ClosePopup();
            return 2;
        case 6:
            ClosePopup();
            return 6;
        case 8:
            DrawPopup();
            return 1;
        default:
            FatalError("Error: unknown return value %d from menu function\n", result);
    }
}

int32_t PopupStep() {
    const bool buttonDown = (g_buttons & 3) != 0;
    if (!buttonDown && g_clickLatch) {
        if (--g_clickCountdown <= 0) g_clickLatch = false;
    }
    if (!g_popupOpen) return 0;
    const bool insideList = g_mouseX >= g_popup.x && g_mouseX < g_popup.x + g_popup.w &&
                            g_mouseY >= g_popup.y && g_mouseY < g_popup.y + g_popup.h;
    int row = insideList ? (g_mouseY - g_popup.y) / std::max<int>(g_popup.rowHeight, 1) : -1;
    if (row >= g_popup.rows) row = -1;
    if (row != g_highlight) {
        RemoveHighlight();
        if (row >= 0 && (g_popup.definition[row + 1].flags & POPUP_SELECTABLE) != 0) DrawHighlight(row);
        g_highlight = row;
    }
    const bool nearList = g_mouseX >= g_popup.x && g_mouseX < g_popup.x + g_popup.w &&
                          g_mouseY >= g_popup.y - 32 && g_mouseY < g_popup.y + g_popup.h + 32;
    if (!nearList) {
        ClosePopup();
        return 0;
    }
    if (row < 0) return 0;
    PopupEntry* entry = &g_popup.definition[row + 1];
    if (entry->function == nullptr || !buttonDown || g_clickLatch) return 0;
    RestorePopupSections();
    PopupCallBlock call{uint16_t(g_popup.number + 1), uint16_t(row), &g_popup, entry};
    const int32_t result = entry->function(&call);
    g_clickLatch = true;
    g_clickCountdown = kClickCountdown;
    return MapPopupResult(result);
}

// ---- Results ---------------------------------------------------------------

// Handler results as the loop takes them: 7 as 2, 8 and 9 as 1.
int32_t MapHandlerResult(int32_t result) {
    if (result == 7) return 2;
    if (result == 8 || result == 9) return 1;
    if (result < 0 || result > 9) FatalError("Error: unknown return value %d from menu function\n", result);
    return result;
}

// ---- The stack ----------------------------------------------------------------

void PushNow(const MenuItem* table) {
    ++g_depth;
    while (g_stack.count <= g_depth) AppendRecord(g_stack);
    StackEntry& entry = g_stack.data[g_depth];
    entry = StackEntry{};
    entry.table = table;
    // Known from the start, so that a table closed before its first walk
    // (a window close) still runs its exit function.
    const MenuItem* end = table;
    while (end->type != MI_END) ++end;
    entry.exitFunction = reinterpret_cast<MenuExitFunction>(const_cast<void*>(end->data));
    entry.endHandler = end->handler;
    StopTextInput(0);
    g_hover = 0;
    g_firstEntry = 1;
}

void CloseTop() {
    const MenuExitFunction exit = g_stack.data[g_depth].exitFunction;
    --g_depth;
    if (exit != nullptr) exit();
    g_hover = 0;
    g_firstEntry = 1;
}

// A window close: the field is cancelled and every table closes.
int32_t CloseForWindow() {
    if (IsTextInputActive()) CancelTextInput();
    ClosePopup();
    while (g_depth >= 0) CloseTop();
    MenuOption = kScreenQuit;
    return 6;
}

// ---- Walking --------------------------------------------------------------------

void ApplySetter(unsigned type, uint32_t value, bool* applied) {
    *applied = true;
    const int32_t v = int32_t(value);
    switch (type) {
        case MI_FONT:
        case MI_FONT_VAR:
            SetFont(int16_t(v));
            break;
        case MI_TEXT_COLOUR:
        case MI_TEXT_COLOUR_VAR:
            SetDrawParam(1, v);
            break;
        case MI_COLOUR:
        case MI_COLOUR_VAR:
            SetDrawParam(2, v);
            break;
        case MI_NUMBER_TYPE:
        case MI_NUMBER_TYPE_VAR:
            SetDrawParam(3, v);
            break;
        case MI_PARAM0:
        case MI_PARAM0_VAR:
            SetDrawParam(0, v);
            break;
        case MI_SET_ROW:
            g_rowCounter = int16_t(v);
            break;
        case MI_WRAP_PARAM:
            g_wrapParam = int16_t(v);
            break;
        case MI_BUTTON_STYLE:
        case MI_BUTTON_STYLE_VAR:
            SetDrawParam(4, v);
            break;
        case MI_PARAM5:
        case MI_PARAM5_VAR:
            SetDrawParam(5, v);
            break;
        case MI_PARAM6:
        case MI_PARAM6_VAR:
            SetDrawParam(6, v);
            break;
        case MI_ALPHA:
        case MI_ALPHA_VAR:
            SetDrawParam(7, v);
            break;
        case MI_PARAM8:
        case MI_PARAM8_VAR:
            SetDrawParam(8, v);
            break;
        case MI_PARAM9:
        case MI_PARAM9_VAR:
            SetDrawParam(9, v);
            break;
        default:
            *applied = false;
            break;
    }
}

void WalkGroup(const MenuItem* item, int16_t xOffset, int16_t yOffset, int16_t mode) {
    const bool byVariable = item->type == MI_GROUP_VAR || item->type == MI_ROW_GROUP_VAR;
    const bool horizontal = item->type == MI_ROW_GROUP || item->type == MI_ROW_GROUP_VAR;
    const MenuItem* table = byVariable ? *static_cast<const MenuItem* const*>(item->data)
                                       : static_cast<const MenuItem*>(item->data);
    const int rows = item->w == 0 ? g_listRows : item->w;
    const int16_t group = g_groupCounter;
    if (table != nullptr) {
        for (int row = 0; row < rows; ++row) {
            const int16_t x = int16_t(xOffset + item->x + (horizontal ? row * item->h : 0));
            const int16_t y = int16_t(yOffset + item->y + (horizontal ? 0 : row * item->h));
            ++g_groupDepth;
            int16_t column = 0;
            for (const MenuItem* sub = table; sub->type != MI_END; ++sub, ++column)
                ActOnType(sub, group, x, y, column, int16_t(row), mode);
            --g_groupDepth;
        }
    }
    ++g_groupCounter;
}

void Walk(int32_t r) {
    g_walking = true;
    g_pending = nullptr;
    g_hot.count = 0;
    g_pastMarker = false;
    if (r == 4) g_firstEntry = 1;
    const int16_t mode = g_firstEntry != 0 ? 0 : r == 5 ? 1 : r == 3 ? 2 : 0;
    // Animations are registered afresh on a first walk.
    if (g_firstEntry != 0) g_anims.count = 0;
    g_animCursor = 0;
    g_groupCounter = 0;
    g_groupDepth = 0;
    g_rowCounter = -1;
    const MenuItem* item = g_stack.data[g_depth].table;
    for (; item->type != MI_END; ++item) ActOnType(item, g_groupCounter, 0, 0, 0, g_rowCounter, mode);
    // The screen function may have closed the engine's stack (a window close).
    if (g_depth < 0) return;
    StackEntry& entry = g_stack.data[g_depth];
    entry.state = 3;
    entry.itemCount = uint16_t(g_hot.count);
    entry.exitFunction = reinterpret_cast<MenuExitFunction>(const_cast<void*>(item->data));
    entry.endHandler = item->handler;
}

void ResetRunState() {
    ResetScreenSection(kPopupSection);
    g_highlight = -1;
    g_hot.count = 0;
    g_anims.count = 0;
    g_timers.count = 0;
    g_popupOpen = false;
    g_clickLatch = false;
    g_clickCountdown = kClickCountdown;
    g_clicked = 0;
    g_dragItem = 0;
    g_dragScroll = nullptr;
}

// The busy shape while text is being typed.
void DrawFrameCursor() {
    if (IsTextInputActive() != 0) {
        ++BusyCursorNest;
        DrawCursor();
        --BusyCursorNest;
    } else {
        DrawCursor();
    }
}

int32_t g_hoverResult = 0;

// The hit test: the item number of a press (or of a thumb drag that moved
// the list), minus the item number under a resting cursor, 0 for none.
int HitTest() {
    g_hoverResult = 0;
    if (g_popupOpen || g_clickLatch) return 0;
    const bool down = (g_buttons & 3) != 0;
    const bool newPress = down && !g_buttonWait;
    if (!down) g_buttonWait = false;

    if (g_dragItem != 0) {
        MenuHotItem& bar = g_hot.data[g_dragItem - 1];
        ScrollRecord* s = static_cast<ScrollRecord*>(const_cast<void*>(bar.address));
        if (!down || s == nullptr) {
            g_dragItem = 0;
            g_dragScroll = nullptr;
        } else {
            const bool vertical = bar.kind == HOT_SCROLL_VERTICAL;
            const int length = std::max<int>(vertical ? bar.h : bar.w, 1);
            const int pos = vertical ? g_mouseY - bar.y : g_mouseX - bar.x;
            const int first =
                std::clamp(g_dragStartFirst + (pos - g_dragStartPos) * s->total / length, 0, MaxFirst(*s));
            if (first != s->first) {
                s->first = int16_t(first);
                return g_dragItem;
            }
            return -g_dragItem;
        }
    }

    int hit = 0;
    for (int i = 0; i < g_hot.count; ++i) {
        const MenuHotItem& item = g_hot.data[i];
        if (g_mouseX >= item.x && g_mouseX < item.x + item.w && g_mouseY >= item.y &&
            g_mouseY < item.y + item.h) {
            hit = i + 1;
            break;
        }
    }

    // Hover items hear when the cursor enters and leaves them.
    const int hoverHit = hit != 0 && g_hot.data[hit - 1].kind == HOT_HOVER ? hit : 0;
    if (hoverHit != g_hover) {
        if (g_hover != 0 && g_hover <= g_hot.count) {
            MenuHotItem& old = g_hot.data[g_hover - 1];
            old.hoverState = HOVER_LEFT;
            g_hover = 0;
            if (old.handler != nullptr) g_hoverResult = MapHandlerResult(old.handler(&old));
            old.hoverState = HOVER_SETTLED;
            return 0;
        }
        g_hover = hoverHit;
        MenuHotItem& entered = g_hot.data[hoverHit - 1];
        entered.hoverState = HOVER_ENTERED;
        if (entered.handler != nullptr) g_hoverResult = MapHandlerResult(entered.handler(&entered));
        entered.hoverState = HOVER_SETTLED;
        return 0;
    }

    if (!newPress) return hit != 0 ? -hit : 0;
    g_buttonWait = true;
    if (hit == 0) return 0;
    MenuHotItem& item = g_hot.data[hit - 1];
    if (item.kind == HOT_SCROLL_VERTICAL || item.kind == HOT_SCROLL_HORIZONTAL) {
        ScrollRecord* s = static_cast<ScrollRecord*>(const_cast<void*>(item.address));
        if (s == nullptr) return hit;
        const bool vertical = item.kind == HOT_SCROLL_VERTICAL;
        const int length = vertical ? item.h : item.w;
        const int pos = vertical ? g_mouseY - item.y : g_mouseX - item.x;
        int thumbStart = 0, thumbEnd = length;
        if (s->total > 0 && s->visible <= s->total) {
            thumbStart = length * s->first / s->total;
            thumbEnd = length * (s->first + s->visible) / s->total;
        }
        if (pos >= thumbStart && pos < thumbEnd) {
            g_dragItem = hit;
            g_dragScroll = s;
            g_dragStartPos = pos;
            g_dragStartFirst = s->first;
        } else {
            const int step = s->visible > 1 ? s->visible - 1 : 1;
            s->first = int16_t(std::clamp(s->first + (pos < thumbStart ? -step : step), 0, MaxFirst(*s)));
        }
    }
    return hit;
}

void StartPressAnimation(const MenuHotItem& item) {
    if (item.animation < 0 || item.animation >= g_anims.count) return;
    Animation& a = g_anims.data[item.animation];
    if ((a.kind == 3 || a.kind == 4) && a.runState == RUN_STOPPED) {
        a.runState = RUN_FORWARDS;
        a.frame = 0;
        a.countdown = a.delay;
    }
}

bool PressAnimationFinished(const MenuHotItem& item) {
    if (item.animation < 0 || item.animation >= g_anims.count) return true;
    Animation& a = g_anims.data[item.animation];
    if (a.kind != 3 && a.kind != 4) return true;
    if (a.runState == RUN_FORWARDS) return false;
    if (a.runState == RUN_BACKWARDS) return StepAnimation(item.animation) == 0;
    return true;
}

int32_t ActOnClickedItem() {
    const int number = g_clicked;
    if (number > g_hot.count) {
        g_clicked = 0;
        return 0;
    }
    MenuHotItem& item = g_hot.data[number - 1];
    if (!PressAnimationFinished(item) || g_popupOpen || g_clickLatch) return 0;
    // A scroll bar's handler runs on every step of a thumb drag, which the
    // latch would stop until the button is let go.
    const bool scrollBar = item.kind == HOT_SCROLL_VERTICAL || item.kind == HOT_SCROLL_HORIZONTAL;
    if (!scrollBar) g_clickLatch = true;
    g_clicked = 0;
    if (item.popup != nullptr) {
        OpenPopupList(item.popup, -1, -1, &item);
        return 0;
    }
    if (item.handler == nullptr) return 0;
    return MapHandlerResult(item.handler(&item));
}

void ReadFrameInput() {
    if (KeyboardIsRunning()) {
        ReadKeyIntoLastKey();
        g_key = GetLastKey();
    }
    UpdateMouse(&g_mouseX, &g_mouseY, &g_buttons);
}

// Steps 1 to 6 of the loop for the table on top of the stack.
int32_t RunTopTable(int32_t r) {
    g_hover = 0;
    g_buttonWait = true;
    Walk(r);
    if (g_depth < 0) return 6;
    r = 0;
    if (g_pending == nullptr) {
        StepRunningAnimations();
        UpdateScreen();
    }
    g_walking = false;
    g_firstEntry = 0;

    while (g_firstEntry == 0 && !(r >= 2 && r <= 6)) {
        const uint32_t now = Ticks();
        g_frameTime = int32_t(now - g_lastFrame);
        g_lastFrame = now;
        DrawFrameCursor();
        WaitTickAndPoll();
        RestoreUnderCursor();
        if (WinCloseRequested()) return CloseForWindow();

        g_frameResult = 0;
        StepRunningAnimations();
        if (g_frameResult != 0) r = MapHandlerResult(g_frameResult);

        if (IsTextInputActive() != 0) {
            const int16_t outcome = UpdateTextInput();
            if (outcome != TEXT_INPUT_EDITING) r = MapHandlerResult(EndTextInput());
        } else if (g_pending != nullptr && !g_walking) {
            const MenuItem* table = g_pending;
            g_pending = nullptr;
            PushNow(table);
        } else if (g_clicked == 0) {
            const int hit = HitTest();
            if (g_hoverResult != 0) r = g_hoverResult;
            if (hit > 0) {
                g_clicked = hit;
                StartPressAnimation(g_hot.data[hit - 1]);
            }
        } else {
            const int32_t result = ActOnClickedItem();
            if (result != 0) r = result;
        }
        if (g_depth < 0) return r != 0 ? r : 6;
        if (r == 0) r = PopupStep();
        ReadFrameInput();
        if (r <= 1) r = 0;
    }
    if (g_firstEntry == 0 && r == 6 && g_depth >= 0) CloseTop();
    return r;
}

}  // namespace

// ---- Items ------------------------------------------------------------------------

uint32_t GetVarsFromMI(const MenuItem* item, const void* data, const void** address) {
    const void* addr = nullptr;
    uint32_t value = MENU_VALUE_NONE;
    switch (RuleOf(item->type)) {
        case Rule::Immediate:
            value = uint32_t(reinterpret_cast<uintptr_t>(data));
            break;
        case Rule::Var16:
            value = uint32_t(int32_t(*static_cast<const int16_t*>(data)));
            break;
        case Rule::IconRecord:
            addr = data;
            value = data != nullptr ? uint32_t(int32_t(static_cast<const int16_t*>(data)[1])) : 0;
            break;
        case Rule::IconRecordVar: {
            const int16_t* record = *static_cast<const int16_t* const*>(data);
            addr = record;
            value = record != nullptr ? uint32_t(int32_t(record[1])) : 0;
            break;
        }
        case Rule::Address:
            addr = data;
            value = 0;
            break;
        case Rule::StringVar:
            addr = *static_cast<const char* const*>(data);
            value = 0;
            break;
        case Rule::SByte: {
            const int8_t b = *static_cast<const int8_t*>(data);
            value = b == INT8_MIN ? MENU_VALUE_NONE : uint32_t(int32_t(b));
            break;
        }
        case Rule::UByte: {
            const uint8_t b = *static_cast<const uint8_t*>(data);
            value = b == 0xFF ? MENU_VALUE_NONE : b;
            break;
        }
        case Rule::SWord: {
            const int16_t w = *static_cast<const int16_t*>(data);
            value = w == INT16_MIN ? MENU_VALUE_NONE : uint32_t(int32_t(w));
            break;
        }
        case Rule::UWord: {
            const uint16_t w = *static_cast<const uint16_t*>(data);
            value = w == 0xFFFF ? MENU_VALUE_NONE : w;
            break;
        }
        case Rule::Long:
            std::memcpy(&value, data, sizeof value);
            break;
        case Rule::None:
            break;
        case Rule::Invalid:
            Abort(__LINE__, "GetVarsFromMI(): invalid data type encountered [%u]", item->type);
    }
    if (address != nullptr) *address = addr;
    return value;
}

void CoordsCode(const MenuItem* item, uint32_t value, int16_t* x, int16_t* y, int16_t* w, int16_t* h,
                uint16_t* align) {
    const unsigned type = item->type;
    *x = item->x;
    *y = item->y;
    *w = item->w;
    *h = item->h;
    *align = uint16_t(item->w);
    if (!IsKnownType(type))
        Abort(__LINE__, "CoordsCode(): error, an unsupported case has been encountered [%u]", type);
    if (IsIconType(type)) {
        *w = *h = 0;
        const int16_t icon = int16_t(value);
        if (value != MENU_VALUE_NONE && icon > 0 && icon < END_ICON) GetIconSizeScaled(icon, w, h);
    } else if (type == MI_TEXT || type == MI_TEXT_VAR) {
        *w = *h = 0;
        if (!TextIdDrawsNothing(value)) GetTextNoSize(int16_t(value), w, h);
    } else if (type == MI_STRING || type == MI_STRING_VAR) {
        // Sized like the text-id items, so that a handler on them can be hit.
        const char* text =
            type == MI_STRING
                ? static_cast<const char*>(item->data)
                : (item->data != nullptr ? *static_cast<const char* const*>(item->data) : nullptr);
        *w = *h = 0;
        if (text != nullptr) GetTextSize(text, w, h);
    } else if (type >= MI_NUMBER && type <= MI_NUMBER_I32) {
        // Sized by their text too: with no size a number with a handler
        // could never be clicked.
        *w = *h = 0;
        if (value != MENU_VALUE_NONE) GetTextSize(Number2Str(int32_t(value)), w, h);
    } else if ((type >= MI_LINE && type <= MI_HOT_RECT_ADDRESS) || type == MI_CUSTOM ||
               (type >= MI_HOVER_AREA && type <= MI_AREA_LONG)) {
        // Top left for the address forms and the long area too: their width
        // read as an alignment code would move their rectangles by its bits.
        *align = JUSTIFY_LEFT_TOP;
    } else if (type >= MI_BUTTON_TEXT && type <= MI_BUTTON_TEXT_VAR) {
        *align = JUSTIFY_LEFT_TOP;
        int16_t textWidth = 0, textHeight = 0;
        GetTextSize(ButtonText(item, value), &textWidth, &textHeight);
        if (*w < 1) *w = int16_t(textWidth + 4);
        if (*h < 1) *h = int16_t(textHeight + 4);
    }
}

void ShowAnItem(const MenuItem* item, int x, int y, int w, int h, uint16_t align, uint32_t value,
                const void* address) {
    const unsigned type = item->type;
    switch (type) {
        case MI_ICON_BOUNCE:
        case MI_ICON_BOUNCE_VAR:
        case MI_ICON:
        case MI_ICON_VAR:
        case MI_ICON_LOOP:
        case MI_ICON_LOOP_VAR:
        case MI_ICON_PATH:
        case MI_ICON_PATH_VAR:
        case MI_ICON_ONCE:
        case MI_ICON_ONCE_VAR:
        case MI_ICON_PRESS:
        case MI_ICON_PRESS_VAR:
        case MI_ICON_HOVER:
        case MI_ICON_HOVER_VAR: {
            const int16_t icon = int16_t(value);
            if (value != MENU_VALUE_NONE && icon > 0 && icon < END_ICON) DrawIcon(x, y, icon, align);
            break;
        }
        case MI_BACKGROUND:
        case MI_BACKGROUND_VAR:
            ShowMenuBackground(int16_t(value));
            break;
        case MI_TEXT:
        case MI_TEXT_VAR:
            if (!TextIdDrawsNothing(value)) DrawTextNoAt(x, y, int16_t(value), align);
            break;
        case MI_STRING:
            if (item->data != nullptr) DrawTextAddrAt(x, y, static_cast<const char*>(item->data), align);
            break;
        case MI_STRING_VAR:
            if (address != nullptr) DrawTextAddrAt(x, y, static_cast<const char*>(address), align);
            break;
        case MI_NUMBER:
        case MI_NUMBER_I8:
        case MI_NUMBER_U8:
        case MI_NUMBER_I16:
        case MI_NUMBER_U16:
        case MI_NUMBER_I32:
            if (value != MENU_VALUE_NONE) DrawNumberAt(x, y, int32_t(value), align);
            break;
        case MI_LINE:
        case MI_LINE_ADDRESS:
            DrawRelLine(x, y, w, h);
            break;
        case MI_BOX:
        case MI_BOX_ADDRESS:
            DrawBox(x, y, w, h);
            break;
        case MI_FILL:
        case MI_FILL_ADDRESS:
            DrawSolidRect(x, y, w, h);
            break;
        case MI_HOT_RECT:
        case MI_HOT_RECT_ADDRESS:
        case MI_HOVER_AREA:
        case MI_AREA:
        case MI_AREA_LONG:
            break;
        case MI_CUSTOM:
            if (item->data != nullptr)
                reinterpret_cast<MenuPainter>(const_cast<void*>(item->data))(x, y, w, h);
            break;
        case MI_SCROLL_HORIZONTAL:
        case MI_SCROLL_VERTICAL:
            DrawScrollBar(type == MI_SCROLL_VERTICAL, x, y, w, h, static_cast<const ScrollRecord*>(address));
            break;
        case MI_ANIMATION: {
            const MenuTimerRecord* record = static_cast<const MenuTimerRecord*>(address);
            if (record != nullptr && record->function != nullptr) record->function(int16_t(value));
            break;
        }
        case MI_WRAPPED_TEXT:
        case MI_WRAPPED_TEXT_VAR: {
            const char* text =
                type == MI_WRAPPED_TEXT
                    ? static_cast<const char*>(item->data)
                    : (item->data != nullptr ? *static_cast<const char* const*>(item->data) : nullptr);
            if (text != nullptr) DrawWrappedText(x, y, text, align, g_wrapParam, h);
            break;
        }
        case MI_BUTTON_TEXT:
        case MI_BUTTON_STRING:
        case MI_BUTTON_STRING_VAR:
        case MI_BUTTON_TEXT_VAR:
            DrawLabelledButton(x, y, w, h, ButtonText(item, value));
            break;
        default:
            AbortError(kModule, __LINE__, "ShowAnItem(): invalid display item");
    }
}

void ActOnType(const MenuItem* item, int16_t group, int16_t xOffset, int16_t yOffset, int16_t column,
               int16_t row, int16_t mode) {
    const unsigned type = item->type;
    const bool inGroup = g_groupDepth > 0;
    if (inGroup && BannedInGroup(type)) Abort(__LINE__, "ActOnType(): invalid table item: [%u]", type);
    if (item->handler != nullptr && !CanBeHot(type))
        AbortError(kModule, __LINE__, "ActOnType(): invalid hotspot item");

    switch (type) {
        case MI_SCREEN:
            if (item->data != nullptr) reinterpret_cast<MenuScreenFunction>(const_cast<void*>(item->data))();
            return;
        case MI_SAVE_MARKER:
            if (g_firstEntry != 0) {
                SaveScreen();
            } else if (mode == 0) {
                RestoreRectFromBuffer(0, 0, MenuScreenWidth(), MenuScreenHeight());
            }
            g_pastMarker = true;
            return;
        case MI_GROUP:
        case MI_GROUP_VAR:
        case MI_ROW_GROUP:
        case MI_ROW_GROUP_VAR:
            WalkGroup(item, xOffset, yOffset, mode);
            return;
        case MI_NOTHING:
            return;
        case MI_POPUP:
            if (g_hot.count == 0) AbortError(kModule, __LINE__, "ActOnType(): invalid hotspot item");
            g_hot.data[g_hot.count - 1].popup = static_cast<PopupEntry*>(const_cast<void*>(item->data));
            return;
        default:
            break;
    }

    const void* data = item->data;
    if (inGroup && DataStrides(type) && row > 0)
        data = static_cast<const uint8_t*>(data) + ptrdiff_t(row) * ptrdiff_t(item->h);
    const void* address = nullptr;
    uint32_t value = GetVarsFromMI(item, data, &address);
    if (type == MI_NUMBER && inGroup) value += uint32_t(row);

    bool applied = false;
    ApplySetter(type, value, &applied);
    if (applied) return;

    int16_t x = 0, y = 0, w = 0, h = 0;
    uint16_t align = 0;
    CoordsCode(item, value, &x, &y, &w, &h, &align);
    x = int16_t(x + xOffset);
    y = int16_t(y + yOffset);
    if (NeedsAlignment(type) && (align & 15) == 0)
        AbortError(kModule, __LINE__, "ActOnType(): invalid align type");

    const bool draws = g_firstEntry != 0 || g_pastMarker;
    g_itemRow = row < 0 ? int16_t(0) : row;
    int animation = -1;
    const int kind = AnimationKind(type);
    if (kind >= 0) {
        animation = g_animCursor++;
        if (g_firstEntry != 0) {
            RegisterAnimation(kind, item, x, y, w, h, align, address);
        } else if (animation >= g_anims.count) {
            AbortError(kModule, __LINE__, "Error, AnimNum is greater than NumAnimates @ ActOnType()");
        }
    }

    if (draws && type != MI_BACKGROUND && type != MI_BACKGROUND_VAR && mode == 1 && g_pastMarker && w > 0 &&
        h > 0)
        RestoreRectAligned(x, y, w, h, align);
    if (draws) {
        if (animation >= 0) {
            const Animation& a = g_anims.data[animation];
            if (kind == 6) {
                ShowAnItem(item, x, y, w, h, align, uint32_t(a.frame), address);
            } else {
                const int16_t icon = AnimationIcon(a);
                ShowAnItem(item, a.x, a.y, w, h, align, icon > 0 ? uint32_t(icon) : value, address);
            }
        } else {
            ShowAnItem(item, x, y, w, h, align, value, address);
        }
    }

    if (item->handler == nullptr) return;
    MenuHotItem& hot = AppendRecord(g_hot);
    int left = x, top = y;
    AlignPoint(&left, &top, w, h, align);
    hot.x = int16_t(left);
    hot.y = int16_t(top);
    hot.w = w;
    hot.h = h;
    hot.handler = item->handler;
    hot.group = uint8_t(group);
    hot.row = uint8_t(row);
    hot.column = uint8_t(column);
    hot.animation = int8_t(animation);
    hot.value = type == MI_HOT_RECT ? uint32_t(reinterpret_cast<uintptr_t>(item->data)) : value;
    hot.address = address;
    hot.kind = type == MI_HOVER_AREA          ? HOT_HOVER
               : type == MI_SCROLL_VERTICAL   ? HOT_SCROLL_VERTICAL
               : type == MI_SCROLL_HORIZONTAL ? HOT_SCROLL_HORIZONTAL
                                              : HOT_PLAIN;
}

// ---- Running -------------------------------------------------------------------------

int32_t PushItemTable(const MenuItem* table) {
    if (!g_ready) return MENU_NOT_READY;
    if (g_walking) {
        g_pending = table;
        return 1;
    }
    PushNow(table);
    return 1;
}

int32_t StartMenu() {
    if (!g_ready) return MENU_NOT_READY;
    ResetRunState();
    const int16_t base = g_depth;
    int32_t r = 0;
    g_lastFrame = Ticks();
    if (base >= 0) {
        while (g_depth >= base) {
            r = RunTopTable(r);
            if (WinCloseRequested() && g_depth >= 0) r = CloseForWindow();
        }
    }
    ShrinkList(g_hot);
    ShrinkList(g_anims);
    ShrinkList(g_timers);
    ClosePopup();
    ResetScreenSection(kPopupSection);
    return r;
}

int32_t RunSubMenu(PopupEntry* popup, int16_t column, int16_t row) {
    if (!g_ready) return MENU_NOT_READY;
    ClosePopup();
    OpenPopupList(popup, column, row, nullptr);
    UpdateScreen();
    int32_t result = 1;
    while (g_popupOpen) {
        DrawCursor();
        WaitTickAndPoll();
        RestoreUnderCursor();
        if (WinCloseRequested()) {
            ClosePopup();
            break;
        }
        const int32_t r = PopupStep();
        if (r != 0) result = r;
        ReadFrameInput();
    }
    UpdateScreen();
    return result;
}

int32_t IsMenuFirstEntry() { return g_ready ? g_firstEntry : MENU_NOT_READY; }

int32_t SetMenuFirstEntry(int16_t value) {
    if (!g_ready) return MENU_NOT_READY;
    g_firstEntry = value;
    if (value == 1) g_hover = 0;
    return 0;
}

int32_t GetMenuButtons() { return g_ready ? int32_t(g_buttons) : MENU_NOT_READY; }

int32_t SetMenuListRows(int16_t rows) {
    if (!g_ready) return MENU_NOT_READY;
    g_listRows = rows;
    return 0;
}

int32_t SetMenuFrameResult(int16_t result) {
    if (!g_ready) return MENU_NOT_READY;
    g_frameResult = result;
    return 0;
}

int32_t MenuWalkTopTable(int32_t result) {
    if (!g_ready) return MENU_NOT_READY;
    if (g_depth < 0) return 0;
    Walk(result);
    g_walking = false;
    g_firstEntry = 0;
    return g_hot.count;
}

void MenuEngineStart() {
    AllocateList(g_stack);
    AllocateList(g_timers);
    AllocateList(g_anims);
    AllocateList(g_hot);
    g_depth = -1;
    g_mouseY = 32;
    g_pending = nullptr;
    g_walking = false;
    g_firstEntry = 0;
    g_popupOpen = false;
    g_ready = true;
}

void MenuEngineStop() {
    FreeList(g_hot);
    FreeList(g_anims);
    FreeList(g_timers);
    FreeList(g_stack);
    g_depth = -1;
    g_popupOpen = false;
    g_ready = false;
}

bool MenuEngineReady() { return g_ready; }

// ---- Views for tests ------------------------------------------------------------------

const MenuItem* MenuViewTopTable() { return g_ready && g_depth >= 0 ? g_stack.data[g_depth].table : nullptr; }

int MenuViewDepth() { return g_depth; }

bool MenuHotItemWithin(int x, int y, int w, int h) {
    if (!g_ready || g_hot.data == nullptr) return false;
    for (int i = 0; i < g_hot.count; ++i) {
        const MenuHotItem& item = g_hot.data[i];
        if (item.x < x + w && x < item.x + item.w && item.y < y + h && y < item.y + item.h) return true;
    }
    return false;
}

std::span<const MenuHotItem> MenuViewHotItems() {
    if (!g_ready || g_hot.data == nullptr) return {};
    return {g_hot.data, size_t(g_hot.count)};
}

std::vector<MenuPopupRowView> MenuViewPopupRows() {
    std::vector<MenuPopupRowView> rows;
    if (!g_popupOpen) return rows;
    for (int i = 0; i < g_popup.rows; ++i) {
        rows.push_back({g_popup.x, int16_t(g_popup.y + i * g_popup.rowHeight), g_popup.w, g_popup.rowHeight,
                        &g_popup.definition[i + 1]});
    }
    return rows;
}

const OpenPopup* MenuViewOpenPopup() { return g_popupOpen ? &g_popup : nullptr; }

int16_t MenuPaintRow() { return g_itemRow; }
