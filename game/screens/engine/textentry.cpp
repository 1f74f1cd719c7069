#include "game/screens/engine/textentry.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/keyboard.h"
#include "game/system/tickclock.h"

namespace {

constexpr const char* kModule = "exti";

// Key codes (scan codes, extended keys + 128).
constexpr int kKeyEscape = 0x01;
constexpr int kKeyBackspace = 0x0E;
constexpr int kKeyEnter = 0x1C;
constexpr int kKeyPadEnter = 0x9C;
constexpr int kKeyHome = 0xC7;
constexpr int kKeyUp = 0xC8;
constexpr int kKeyLeft = 0xCB;
constexpr int kKeyRight = 0xCD;
constexpr int kKeyEnd = 0xCF;
constexpr int kKeyDown = 0xD0;
constexpr int kKeyDelete = 0xD3;

constexpr char kLineBreak = '\n';
constexpr uint32_t kCaretPeriod = 125;
constexpr uint32_t kCaretShown = 93;
// One more than a field can show, so that one line too many is seen.
constexpr int kLineTable = TEXT_INPUT_MAX_LINES + 1;

struct Field {
    TextInputDesc desc{};
    char* edit = nullptr;
    char* display = nullptr;
    char* wrap = nullptr;
    char* scratch = nullptr;
    int capacity = 0;  // bytes of edit, display and scratch
    int maxLines = 1;
    int caret = 0;
    int caretLine = 0;  // where the caret was last drawn
    int16_t lineHeight = 0;
    bool redrawPending = false;
    bool mouseWasDown = false;
    int16_t active = 0;
    int16_t outcome = TEXT_INPUT_CANCELLED;
};

Field g_field;

// The wrapped display: line starts as offsets into the display text.
struct Wrapped {
    int count = 0;
    int start[kLineTable + 1] = {};
    const char* text[kLineTable + 1] = {};
};

bool IsBreak(char c) { return c == ' ' || c == kLineBreak; }

int Length(const char* text) { return int(std::strlen(text)); }

int16_t Width(const char* text) { return GetTextSize(text, nullptr, nullptr); }

// Wraps text into the field's width.  A text ending in a line break gets
// the empty line after it.
Wrapped WrapText(const char* text) {
    Wrapped w;
    const int length = Length(text);
    char* buffer = g_field.wrap;
    std::memcpy(buffer, text, size_t(length));
    buffer[length] = '\0';
    buffer[length + 1] = '\0';
    char* lines[kLineTable] = {};
    // Exactly the bytes in use: no line is broken inside a word, so line
    // starts stay offsets into the text.
    w.count = XDoTextAddr(std::span<char>(buffer, size_t(length) + 2), lines, g_field.desc.maxWidth);
    for (int i = 0; i < w.count; ++i) {
        w.start[i] = int(lines[i] - buffer);
        w.text[i] = lines[i];
    }
    if (length > 0 && text[length - 1] == kLineBreak && w.count < kLineTable) {
        w.start[w.count] = length;
        w.text[w.count] = buffer + length;
        ++w.count;
    }
    return w;
}

int LineOfCaret(const Wrapped& w, int caret) {
    int line = 0;
    for (int i = 0; i < w.count; ++i) {
        if (w.start[i] <= caret) line = i;
    }
    return line;
}

// Writes text with c inserted at position into the scratch buffer.
const char* WithInserted(const char* text, int position, char c) {
    const int length = Length(text);
    char* out = g_field.scratch;
    std::memcpy(out, text, size_t(position));
    out[position] = c;
    std::memcpy(out + position + 1, text + position, size_t(length - position));
    out[length + 1] = '\0';
    return out;
}

void InsertAt(char* text, int position, char c) {
    const int length = Length(text);
    std::memmove(text + position + 1, text + position, size_t(length - position + 1));
    text[position] = c;
}

void RemoveAt(char* text, int position) {
    const int length = Length(text);
    std::memmove(text + position, text + position + 1, size_t(length - position));
}

char DisplayChar(char c) {
    return (g_field.desc.flags & TEXT_INPUT_PASSWORD) != 0 && c != kLineBreak ? '*' : c;
}

void RebuildDisplay() {
    const int length = Length(g_field.edit);
    for (int i = 0; i < length; ++i) g_field.display[i] = DisplayChar(g_field.edit[i]);
    g_field.display[length] = '\0';
}

void RepaintBand(int y, int height) {
    const TextInputDesc& d = g_field.desc;
    if (height <= 0) return;
    if (d.background != nullptr) {
        d.background(d.x, y, d.maxWidth, height, d.backgroundArgument);
    } else {
        RestoreRectFromBuffer(d.x, y, d.maxWidth, height);
    }
}

// Repaints lines first..last (to the field's last line when toEnd) and
// draws their text.
void RedrawLines(int first, int last, bool toEnd) {
    const Wrapped w = WrapText(g_field.display);
    if (toEnd) last = g_field.maxLines - 1;
    first = std::max(first, 0);
    if (last < first) return;
    const TextInputDesc& d = g_field.desc;
    const int lh = g_field.lineHeight;
    RepaintBand(d.y + first * lh, (last - first + 1) * lh);
    for (int i = first; i <= last && i < w.count && i < g_field.maxLines; ++i)
        DrawTextAddrAt(d.x, d.y + i * lh, w.text[i], JUSTIFY_LEFT_TOP);
}

void RedrawAll() { RedrawLines(0, 0, true); }

void DrawCaret() {
    const Wrapped w = WrapText(g_field.display);
    const int line = LineOfCaret(w, g_field.caret);
    g_field.caretLine = line;
    if (TimerIsRunning() && GetTimerTicks() % kCaretPeriod >= kCaretShown) return;
    // The width of the line's text before the caret.
    char before[256];
    const int start = w.count > 0 ? w.start[line] : 0;
    const int count = std::clamp(g_field.caret - start, 0, int(sizeof before) - 1);
    std::memcpy(before, g_field.display + start, size_t(count));
    before[count] = '\0';
    const TextInputDesc& d = g_field.desc;
    int x = d.x + Width(before);
    if (x + 3 > d.x + d.maxWidth) x -= 1;
    const int y = d.y + line * g_field.lineHeight;
    const uint16_t kept = DrawColour;
    SetDrawParam(2, TextColourTable[std::clamp<int>(TextColourNumber, 0, TEXT_COLOUR_COUNT - 1)]);
    DrawBox(x, y, 2, g_field.lineHeight - 1);
    SetDrawParam(2, kept);
}

int16_t Accept() {
    RedrawAll();
    const TextInputDesc& d = g_field.desc;
    std::strcpy(d.target, g_field.edit);
    if ((d.flags & TEXT_INPUT_PAD) != 0) {
        // Padded to exactly maxLength characters, so that a text edited
        // again opens with the same length and loses nothing.
        const int maxLength = d.maxLength;
        for (int i = Length(g_field.edit); i < maxLength; ++i) d.target[i] = ' ';
        d.target[std::max(maxLength, Length(g_field.edit))] = '\0';
    }
    g_field.outcome = TEXT_INPUT_ACCEPTED;
    return TEXT_INPUT_ACCEPTED;
}

void CopyInitial(char* to) {
    const char* initial = g_field.desc.initial != nullptr ? g_field.desc.initial : "";
    const int length = std::min(Length(initial), g_field.capacity - 1);
    std::memcpy(to, initial, size_t(length));
    to[length] = '\0';
}

int16_t Cancel() {
    CopyInitial(g_field.edit);
    RebuildDisplay();
    g_field.caret = Length(g_field.edit);
    RedrawAll();
    std::strcpy(g_field.desc.target, g_field.edit);
    g_field.outcome = TEXT_INPUT_CANCELLED;
    return TEXT_INPUT_CANCELLED;
}

// The word of text around position (a run without spaces or breaks).
int16_t WordWidthAround(const char* text, int position) {
    int from = position, to = position;
    while (from > 0 && !IsBreak(text[from - 1])) --from;
    const int length = Length(text);
    while (to < length && !IsBreak(text[to])) ++to;
    char word[256];
    const int count = std::min(to - from, int(sizeof word) - 1);
    std::memcpy(word, text + from, size_t(count));
    word[count] = '\0';
    return Width(word);
}

void Insert(char c) {
    const TextInputDesc& d = g_field.desc;
    if (Length(g_field.edit) >= int(d.maxLength) - 1) {
        Beep();
        return;
    }
    const char shown = DisplayChar(c);
    if (!IsBreak(c)) {
        const Wrapped w = WrapText(g_field.display);
        const int line = LineOfCaret(w, g_field.caret);
        const int start = w.count > 0 ? w.start[line] : 0;
        // The caret's line alone, with the character in place.
        char lineText[256];
        const char* lineStart = w.count > 0 ? w.text[line] : "";
        const int lineLength = std::min(Length(lineStart), int(sizeof lineText) - 2);
        const int at = std::clamp(g_field.caret - start, 0, lineLength);
        std::memcpy(lineText, lineStart, size_t(at));
        lineText[at] = shown;
        std::memcpy(lineText + at + 1, lineStart + at, size_t(lineLength - at));
        lineText[lineLength + 1] = '\0';
        if (Width(lineText) <= d.maxWidth) {
            InsertAt(g_field.edit, g_field.caret, c);
            InsertAt(g_field.display, g_field.caret, shown);
            ++g_field.caret;
            const Wrapped after = WrapText(g_field.display);
            const int l = LineOfCaret(after, g_field.caret);
            RedrawLines(l, l, false);
            return;
        }
        if (WordWidthAround(WithInserted(g_field.display, g_field.caret, shown), g_field.caret) >
            d.maxWidth) {
            Beep();
            return;
        }
    }
    const Wrapped w = WrapText(WithInserted(g_field.display, g_field.caret, shown));
    if (w.count > g_field.maxLines) {
        Beep();
        return;
    }
    InsertAt(g_field.edit, g_field.caret, c);
    InsertAt(g_field.display, g_field.caret, shown);
    ++g_field.caret;
    RedrawAll();
}

void DeleteBefore() {
    if (g_field.caret == 0) {
        Beep();
        return;
    }
    const int at = g_field.caret - 1;
    const char removed = g_field.edit[at];
    if (IsBreak(removed)) {
        // Joining two words into one wider than the field is refused.
        const char* display = g_field.display;
        int from = at, to = at + 1;
        while (from > 0 && !IsBreak(display[from - 1])) --from;
        const int length = Length(display);
        while (to < length && !IsBreak(display[to])) ++to;
        char word[256];
        int n = 0;
        for (int i = from; i < to && n < int(sizeof word) - 1; ++i) {
            if (i != at) word[n++] = display[i];
        }
        word[n] = '\0';
        if (Width(word) > g_field.desc.maxWidth) {
            Beep();
            return;
        }
    }
    RemoveAt(g_field.edit, at);
    RemoveAt(g_field.display, at);
    g_field.caret = at;
    if (IsBreak(removed)) {
        RedrawAll();
    } else {
        const Wrapped w = WrapText(g_field.display);
        RedrawLines(LineOfCaret(w, g_field.caret), 0, true);
    }
}

// Letters of either case, Windows-1252 accented ones included.
char OtherCase(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return char(u - 32);
    if (u >= 'A' && u <= 'Z') return char(u + 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return char(u - 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return char(u + 32);
    return '\0';
}

void TypeKey(int key) {
    const int shifted = KeyIsDown(KEY_LEFT_SHIFT) || KeyIsDown(KEY_RIGHT_SHIFT) ? 1 : 0;
    char c = char(KeyScanToAscii(key, shifted));
    if (c == '\r') c = kLineBreak;
    if (static_cast<unsigned char>(c) < 32 && c != kLineBreak) return;
    const char* allowed = g_field.desc.allowed;
    if (allowed != nullptr && (c == '\0' || std::strchr(allowed, c) == nullptr)) {
        const char other = OtherCase(c);
        if (other == '\0' || std::strchr(allowed, other) == nullptr) return;
        c = other;
    }
    Insert(c);
}

bool Inside(const TextInputArea& area, int x, int y) {
    return x >= area.x && uint32_t(x) < area.x + area.width && y >= area.y && y < area.y + area.height;
}

void FreeBuffers() {
    if (g_field.edit != nullptr) FreeMemory(&g_field.edit);
    if (g_field.display != nullptr) FreeMemory(&g_field.display);
    if (g_field.wrap != nullptr) FreeMemory(&g_field.wrap);
    if (g_field.scratch != nullptr) FreeMemory(&g_field.scratch);
}

}  // namespace

void EXTI_InitTextInput(const TextInputDesc* descriptor) {
    if (g_field.active != 0) AbortError(kModule, __LINE__, "EXTI_InitTextInput(): already active");
    FreeBuffers();
    g_field = Field{};
    g_field.desc = *descriptor;
    // The line table holds 32 lines.
    g_field.maxLines = std::min<int>(descriptor->maxLines, TEXT_INPUT_MAX_LINES);
    g_field.capacity = int(descriptor->maxLength) + 1;
    AllocateMemory(&g_field.edit, uint32_t(g_field.capacity), MEM_TYPE_MANUAL_NO_MOVE);
    AllocateMemory(&g_field.display, uint32_t(g_field.capacity), MEM_TYPE_MANUAL_NO_MOVE);
    AllocateMemory(&g_field.wrap, uint32_t(g_field.capacity) + 2, MEM_TYPE_MANUAL_NO_MOVE);
    AllocateMemory(&g_field.scratch, uint32_t(g_field.capacity) + 2, MEM_TYPE_MANUAL_NO_MOVE);

    CopyInitial(g_field.edit);
    if ((descriptor->flags & TEXT_INPUT_PAD) != 0) TrimTrailingSpaces(g_field.edit);
    RebuildDisplay();
    g_field.caret = Length(g_field.edit);
    GetCharSize('A', nullptr, &g_field.lineHeight);
    g_field.redrawPending = true;
    g_field.active = 1;
    if (KeyboardIsRunning()) KeyClearAll();
}

void InitTextInput(int16_t x, int16_t y, int16_t maxWidth, int16_t align, const char* initial, char* target,
                   const char* allowed, int16_t (*stop)(int16_t outcome)) {
    if (align != JUSTIFY_LEFT_TOP)
        AbortError(kModule, __LINE__, "InitTextInput(): only M_ALIGN_TL is supported");
    TextInputDesc d{};
    d.x = uint16_t(x);
    d.y = uint16_t(y);
    d.maxWidth = uint16_t(maxWidth);
    d.target = target;
    d.stop = stop;
    d.maxLength = uint16_t(initial != nullptr ? std::strlen(initial) : 0);
    d.initial = initial;
    d.maxLines = 1;
    d.allowed = allowed;
    d.flags = TEXT_INPUT_PAD;
    EXTI_InitTextInput(&d);
}

int16_t UpdateTextInput() {
    if (g_field.active == 0) return TEXT_INPUT_CANCELLED;
    const TextInputDesc& d = g_field.desc;
    if (g_field.redrawPending) {
        RedrawAll();
        g_field.redrawPending = false;
        // A button still held from before the field opened does not count.
        g_field.mouseWasDown = true;
    }
    if ((d.flags & (TEXT_INPUT_ACCEPT_AREA | TEXT_INPUT_CANCEL_AREA)) != 0) {
        int16_t mx = 0, my = 0;
        uint16_t buttons = 0;
        UpdateMouse(&mx, &my, &buttons);
        if (g_field.mouseWasDown) {
            if (buttons == 0) g_field.mouseWasDown = false;
        } else if (buttons != 0) {
            if ((d.flags & TEXT_INPUT_ACCEPT_AREA) != 0 && Inside(d.accept, mx, my)) return Accept();
            if ((d.flags & TEXT_INPUT_CANCEL_AREA) != 0 && Inside(d.cancel, mx, my)) return Cancel();
        }
    }

    const int key = KeyboardIsRunning() ? KeyGetLast() : -1;
    const int length = Length(g_field.edit);
    const int caretLineBefore = g_field.caretLine;
    switch (key) {
        case -1:
        case kKeyUp:
        case kKeyDown:
            break;
        case kKeyEscape:
            if ((d.flags & TEXT_INPUT_NO_ESCAPE) == 0) return Cancel();
            break;
        case kKeyBackspace:
            DeleteBefore();
            break;
        case kKeyEnter:
        case kKeyPadEnter:
            if ((d.flags & TEXT_INPUT_MULTI_LINE) == 0) return Accept();
            Insert(kLineBreak);
            break;
        case kKeyHome:
            g_field.caret = 0;
            break;
        case kKeyLeft:
            if (g_field.caret == 0) {
                Beep();
            } else {
                --g_field.caret;
            }
            break;
        case kKeyRight:
            if (g_field.caret >= length) {
                Beep();
            } else {
                ++g_field.caret;
            }
            break;
        case kKeyEnd:
            g_field.caret = length;
            break;
        case kKeyDelete:
            if (g_field.caret >= length) {
                Beep();
            } else {
                ++g_field.caret;
                DeleteBefore();
            }
            break;
        default:
            TypeKey(key);
            break;
    }

    const Wrapped w = WrapText(g_field.display);
    const int line = LineOfCaret(w, g_field.caret);
    // The line the caret left keeps no caret behind.
    if (caretLineBefore != line && caretLineBefore < g_field.maxLines)
        RedrawLines(caretLineBefore, caretLineBefore, false);
    RedrawLines(line, line, false);
    DrawCaret();
    return TEXT_INPUT_EDITING;
}

int16_t EndTextInput() {
    FreeBuffers();
    g_field.active = 0;
    if (g_field.desc.stop != nullptr) return g_field.desc.stop(g_field.outcome);
    return 1;
}

int16_t CancelTextInput() {
    if (g_field.active == 0) return 1;
    Cancel();
    return EndTextInput();
}

int16_t IsTextInputActive() { return g_field.active; }

void StopTextInput(int16_t value) {
    g_field.active = value;
    if (value == 0) FreeBuffers();
}

const char* TextInputEditText() { return g_field.edit != nullptr ? g_field.edit : ""; }
const char* TextInputDisplayText() { return g_field.display != nullptr ? g_field.display : ""; }
int TextInputCaret() { return g_field.caret; }
int TextInputLineCount() { return g_field.display != nullptr ? WrapText(g_field.display).count : 0; }
