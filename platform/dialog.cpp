#include "platform/dialog.h"

#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/codepage.h"

namespace plat {
namespace {

constexpr int kMaxRounds = 10000;  // a driver that never ends the dialog
constexpr size_t kMaxButtons = 32;

struct ListEntry {
    std::string text;
    int64_t data = 0;
};

struct Control {
    int id = 0;
    DialogItemInfo info;
    std::string text;
    std::vector<ListEntry> entries;
    int selection = -1;
};

struct Dialog {
    DialogInfo info;
    std::vector<Control> controls;
    bool ended = false;
    int64_t result = 0;
};

DialogDriver g_driver = nullptr;

// Reads the template, refusing anything that runs past its end.
class TemplateReader {
  public:
    TemplateReader(const void* data, size_t size) : bytes_(static_cast<const uint8_t*>(data)), size_(size) {}
    bool ok() const { return ok_; }
    uint16_t Word() {
        if (!Need(2)) return 0;
        uint16_t v = uint16_t(bytes_[at_] | (bytes_[at_ + 1] << 8));
        at_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | (uint32_t(Word()) << 16);
    }
    int16_t Short() { return int16_t(Word()); }
    std::string String() {
        std::string s;
        for (uint16_t unit = Word(); ok_ && unit != 0; unit = Word()) s += WideCharToCp1252(unit);
        return s;
    }
    // A name or ordinal field: 0 none, 0xFFFF then an ordinal, else a string.
    uint16_t NameOrOrdinal(std::string* name) {
        if (!Need(2)) return 0;
        uint16_t first = uint16_t(bytes_[at_] | (bytes_[at_ + 1] << 8));
        if (first == 0xFFFF) {
            Word();
            return Word();
        }
        *name = String();
        return 0;
    }
    void AlignDword() { at_ = (at_ + 3) & ~size_t(3); }
    void Skip(size_t count) {
        if (Need(count)) at_ += count;
    }

  private:
    bool Need(size_t count) {
        if (at_ + count > size_) ok_ = false;
        return ok_;
    }
    const uint8_t* bytes_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

bool ParseTemplate(const void* data, size_t size, Dialog* d) {
    TemplateReader r(data, size);
    d->info.style = r.Dword();
    r.Dword();  // extended style
    int count = r.Word();
    d->info.x = r.Short();
    d->info.y = r.Short();
    d->info.width = r.Short();
    d->info.height = r.Short();
    std::string ignored;
    r.NameOrOrdinal(&ignored);  // menu
    r.NameOrOrdinal(&ignored);  // window class
    d->info.caption = r.String();
    if (d->info.style & kDsSetFont) {
        d->info.point_size = r.Word();
        d->info.font = r.String();
    }
    for (int i = 0; i < count && r.ok(); ++i) {
        r.AlignDword();
        Control c;
        c.info.style = r.Dword();
        r.Dword();
        c.info.x = r.Short();
        c.info.y = r.Short();
        c.info.width = r.Short();
        c.info.height = r.Short();
        c.id = r.Word();
        std::string class_name;
        c.info.class_atom = r.NameOrOrdinal(&class_name);
        std::string title;
        r.NameOrOrdinal(&title);
        c.text = title;
        uint16_t extra = r.Word();
        if (extra > 2) r.Skip(extra - 2);
        c.info.enabled = (c.info.style & kWsDisabled) == 0;
        d->controls.push_back(c);
    }
    d->info.item_count = int(d->controls.size());
    return r.ok();
}

Dialog* AsDialog(DialogHandle handle) { return static_cast<Dialog*>(handle); }

Control* Find(DialogHandle handle, int id) {
    Dialog* d = AsDialog(handle);
    if (d == nullptr) return nullptr;
    for (Control& c : d->controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

bool IsPushButton(const Control& c) {
    return c.info.class_atom == kClassButton && (c.info.style & 0xF) != kBsGroupBox;
}

bool RealDisplay() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

// One round shown as a message box: the static texts, then a button for
// every list entry and every enabled push button.
DialogChoice AskThroughMessageBox(Dialog* d) {
    std::string message;
    for (const Control& c : d->controls) {
        if (c.info.class_atom == kClassStatic && !c.text.empty()) message += c.text + "\n";
    }
    std::vector<DialogChoice> choices;
    std::vector<std::string> labels;
    for (const Control& c : d->controls) {
        if (c.info.class_atom != kClassListBox || !c.info.enabled) continue;
        for (size_t i = 0; i < c.entries.size() && choices.size() < kMaxButtons; ++i) {
            choices.push_back({c.id, int(i)});
            labels.push_back(Cp1252ToUtf8((int(i) == c.selection ? "> " : "") + c.entries[i].text));
        }
    }
    int cancel_button = -1;
    for (const Control& c : d->controls) {
        if (!IsPushButton(c) || !c.info.enabled || choices.size() >= kMaxButtons) continue;
        if (c.id == kIdCancelResult) cancel_button = int(choices.size());
        choices.push_back({c.id, -1});
        labels.push_back(Cp1252ToUtf8(c.text));
    }
    std::vector<SDL_MessageBoxButtonData> buttons(choices.size());
    for (size_t i = 0; i < choices.size(); ++i) {
        buttons[i].flags = int(i) == cancel_button ? SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT : 0;
        buttons[i].buttonid = int(i);
        buttons[i].text = labels[i].c_str();
    }
    std::string title = Cp1252ToUtf8(d->info.caption);
    std::string text = Cp1252ToUtf8(message);
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.title = title.c_str();
    box.message = text.c_str();
    box.numbuttons = int(buttons.size());
    box.buttons = buttons.data();
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0 || pressed >= int(choices.size())) {
        return DialogChoice{};  // closed
    }
    return choices[size_t(pressed)];
}

void Apply(Dialog* d, DialogProc proc, const DialogChoice& choice) {
    if (choice.control_id == 0) {
        proc(d, kMsgCommand, MakeWParam(kIdCancelResult, kBnClicked), 0);
        if (!d->ended) EndDialog(d, kIdCancelResult);
        return;
    }
    Control* c = Find(d, choice.control_id);
    if (c == nullptr || !c->info.enabled) return;
    if (c->info.class_atom == kClassListBox && choice.item >= 0 && choice.item < int(c->entries.size())) {
        c->selection = choice.item;
        proc(d, kMsgCommand, MakeWParam(uint16_t(c->id), kLbnSelChange), 0);
    } else if (IsPushButton(*c) && choice.item < 0) {
        proc(d, kMsgCommand, MakeWParam(uint16_t(c->id), kBnClicked), 0);
    }
}

int64_t ListMessage(Control* c, uint32_t msg, uint64_t wparam, int64_t lparam) {
    const int64_t count = int64_t(c->entries.size());
    const bool valid = int64_t(wparam) >= 0 && int64_t(wparam) < count;
    switch (msg) {
        case kLbAddString:
            c->entries.push_back({lparam != 0 ? reinterpret_cast<const char*>(lparam) : "", 0});
            return count;
        case kLbResetContent:
            c->entries.clear();
            c->selection = -1;
            return 0;
        case kLbSetCurSel:
            // -1 clears the selection (and, as on the original, reports an error).
            c->selection = valid ? int(wparam) : -1;
            return valid ? int64_t(wparam) : kLbErr;
        case kLbGetCurSel:
            return c->selection;
        case kLbGetCount:
            return count;
        case kLbGetItemData:
            return valid ? c->entries[wparam].data : kLbErr;
        case kLbSetItemData:
            if (!valid) return kLbErr;
            c->entries[wparam].data = lparam;
            return 0;
        case kLbGetTextLen:
            return valid ? int64_t(c->entries[wparam].text.size()) : kLbErr;
        case kLbGetText:
            if (!valid) return kLbErr;
            std::memcpy(reinterpret_cast<char*>(lparam), c->entries[wparam].text.c_str(),
                        c->entries[wparam].text.size() + 1);
            return int64_t(c->entries[wparam].text.size());
        default:
            return kLbErr;
    }
}

}  // namespace

int64_t DialogBoxIndirectParam(const void* dialog_template, size_t size, DialogProc proc, int64_t param) {
    Dialog dialog;
    if (dialog_template == nullptr || proc == nullptr || !ParseTemplate(dialog_template, size, &dialog)) {
        return -1;
    }
    proc(&dialog, kMsgInitDialog, 0, param);
    for (int round = 0; !dialog.ended; ++round) {
        DialogChoice choice;  // closing, unless someone chooses
        if (round < kMaxRounds) {
            if (g_driver != nullptr) {
                choice = g_driver(&dialog);
            } else if (RealDisplay()) {
                choice = AskThroughMessageBox(&dialog);
            }
        }
        Apply(&dialog, proc, choice);
    }
    return dialog.result;
}

bool EndDialog(DialogHandle dialog, int64_t result) {
    Dialog* d = AsDialog(dialog);
    if (d == nullptr) return false;
    d->ended = true;
    d->result = result;
    return true;
}

int64_t SendDlgItemMessage(DialogHandle dialog, int id, uint32_t msg, uint64_t wparam, int64_t lparam) {
    Control* c = Find(dialog, id);
    if (c == nullptr) return msg == kMsgSetText ? 0 : kLbErr;
    if (msg == kMsgSetText) {
        c->text = lparam != 0 ? reinterpret_cast<const char*>(lparam) : "";
        return 1;
    }
    if (c->info.class_atom != kClassListBox) return kLbErr;
    return ListMessage(c, msg, wparam, lparam);
}

bool SetDlgItemText(DialogHandle dialog, int id, const char* text) {
    return SendDlgItemMessage(dialog, id, kMsgSetText, 0, reinterpret_cast<int64_t>(text)) != 0;
}

bool EnableDlgItem(DialogHandle dialog, int id, bool enable) {
    Control* c = Find(dialog, id);
    if (c == nullptr) return false;
    c->info.enabled = enable;
    return true;
}

bool GetDialogInfo(DialogHandle dialog, DialogInfo* out) {
    Dialog* d = AsDialog(dialog);
    if (d == nullptr) return false;
    *out = d->info;
    return true;
}

bool GetDlgItemInfo(DialogHandle dialog, int id, DialogItemInfo* out) {
    Control* c = Find(dialog, id);
    if (c == nullptr) return false;
    *out = c->info;
    return true;
}

std::string GetDlgItemText(DialogHandle dialog, int id) {
    Control* c = Find(dialog, id);
    return c != nullptr ? c->text : std::string();
}

int GetDlgItemIdAt(DialogHandle dialog, int index) {
    Dialog* d = AsDialog(dialog);
    if (d == nullptr || index < 0 || index >= int(d->controls.size())) return -1;
    return d->controls[size_t(index)].id;
}

void SetDialogDriverForTests(DialogDriver driver) { g_driver = driver; }

}  // namespace plat
