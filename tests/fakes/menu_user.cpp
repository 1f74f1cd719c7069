#include "tests/fakes/menu_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>

#include "game/screens/engine/menusetup.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/window.h"

namespace testenv {

namespace {

std::deque<std::function<void()>> g_steps;
int g_wait = 0;
int g_frames = 0;
int16_t g_pollKey = -1;
int g_idle = 0;
std::function<void()> g_eachFrame;
// A screen that never closes ends the test through a window close rather
// than hanging it.
constexpr int kIdleLimit = 2000;

uint32_t g_lastTick = 0;

// One step a frame: the engine waits for the next tick every frame, polling
// more than once on the way.
void RunStep() {
    const uint32_t now = GetTimerTicks();
    if (now == g_lastTick) return;
    g_lastTick = now;
    ++g_frames;
    if (g_eachFrame) g_eachFrame();
    if (g_wait > 0) {
        --g_wait;
        return;
    }
    if (g_steps.empty()) {
        if (++g_idle == kIdleLimit) {
            ADD_FAILURE() << "the screen is still open long after the script ended";
            plat::InjectClose();
        }
        return;
    }
    g_idle = 0;
    std::function<void()> step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
}

void Queue(std::function<void()> step) { g_steps.push_back(std::move(step)); }

void MenuUserWaitForAgain(const std::function<bool()>& condition, int limit,
                          const std::shared_ptr<int>& frames, const std::function<void()>& onTimeout) {
    if (condition()) return;
    if (++*frames >= limit) {
        if (onTimeout) {
            onTimeout();
        } else {
            ADD_FAILURE() << "waited " << limit << " frames in vain";
        }
        return;
    }
    g_steps.push_front(
        [condition, limit, frames, onTimeout] { MenuUserWaitForAgain(condition, limit, frames, onTimeout); });
}

// The host pointer moves at most this far a read (it stops at the desktop's
// edge), so long moves go in steps, one a frame, until the cursor is there.
constexpr int kMoveStep = 80;

void MoveStep(int x, int y, int tries) {
    const int dx = std::clamp(x - CursorX, -kMoveStep, kMoveStep);
    const int dy = std::clamp(y - CursorY, -kMoveStep, kMoveStep);
    if ((dx == 0 && dy == 0) || tries <= 0) return;
    plat::InjectMouseMove(dx, dy, CursorX + dx, CursorY + dy);
    g_steps.push_front([x, y, tries] { MoveStep(x, y, tries - 1); });
}

void MoveNow(int x, int y) { MoveStep(x, y, 30); }

}  // namespace

void MenuUserStart() {
    g_steps.clear();
    g_wait = 0;
    g_frames = 0;
    g_idle = 0;
    g_lastTick = GetTimerTicks();
    g_pollKey = AddPollFunction(RunStep, POLL_EVERY_TIME, 0);
}

void MenuUserStop() {
    if (g_pollKey >= 0) RemovePollFunction(g_pollKey);
    g_pollKey = -1;
    g_steps.clear();
    plat::InjectMouseButton(0, false);
    plat::InjectMouseButton(1, false);
}

int MenuUserPending() { return int(g_steps.size()); }
int MenuUserFrames() { return g_frames; }

void MenuUserMoveTo(int x, int y) {
    Queue([x, y] { MoveNow(x, y); });
}

void MenuUserPress(int button) {
    Queue([button] { plat::InjectMouseButton(button, true); });
}

void MenuUserRelease(int button) {
    Queue([button] { plat::InjectMouseButton(button, false); });
}

void MenuUserClickAt(int x, int y) {
    MenuUserMoveTo(x, y);
    MenuUserPress();
    MenuUserWait(2);
    MenuUserRelease();
}

void MenuUserRightClickAt(int x, int y) {
    MenuUserMoveTo(x, y);
    MenuUserWait(2);
    MenuUserPress(1);
    MenuUserWait(6);
    MenuUserRelease(1);
}

bool MenuTableUp(const MenuItem* table) {
    return MenuViewTopTable() == table && !MenuViewHotItems().empty() && ScreenPresented == 1;
}

bool FindMenuItem(const std::function<bool(const MenuHotItem&)>& match, int* x, int* y) {
    for (const MenuHotItem& item : MenuViewHotItems()) {
        if (match(item)) {
            *x = item.x + item.w / 2;
            *y = item.y + item.h / 2;
            return true;
        }
    }
    return false;
}

void MenuUserClickItem(std::function<bool(const MenuHotItem&)> match, int button) {
    Queue([match] {
        int x = 0, y = 0;
        if (!FindMenuItem(match, &x, &y)) {
            std::string offered;
            for (const MenuHotItem& item : MenuViewHotItems())
                offered += " (" + std::to_string(item.x) + "," + std::to_string(item.y) + ")";
            ADD_FAILURE() << "the screen offers no such item; it offers" << offered;
            return;
        }
        MoveNow(x, y);
    });
    MenuUserPress(button);
    MenuUserWait(2);
    MenuUserRelease(button);
}

void MenuUserClickPopupRow(int row) {
    MenuUserClickPopupRow([row] { return row; });
}

void MenuUserClickPopupRow(std::function<int()> chooseRow) {
    Queue([chooseRow] {
        const int row = chooseRow();
        const std::vector<MenuPopupRowView> rows = MenuViewPopupRows();
        if (row < 0 || row >= int(rows.size())) {
            ADD_FAILURE() << "no pop-up row " << row;
            return;
        }
        MoveNow(rows[size_t(row)].x + rows[size_t(row)].w / 2, rows[size_t(row)].y + rows[size_t(row)].h / 2);
    });
    MenuUserWait(1);
    MenuUserPress();
    MenuUserWait(2);
    MenuUserRelease();
}

void MenuUserKey(uint8_t scanCode, bool extended) {
    Queue([scanCode, extended] {
        plat::InjectKey(scanCode, extended, true);
        plat::InjectKey(scanCode, extended, false);
    });
}

void MenuUserShiftKey(uint8_t scanCode) {
    Queue([scanCode] {
        plat::InjectKey(0x2A, false, true);
        plat::InjectKey(scanCode, false, true);
        plat::InjectKey(scanCode, false, false);
    });
    Queue([] { plat::InjectKey(0x2A, false, false); });
}

void MenuUserWait(int frames) {
    Queue([frames] { g_wait = frames; });
}

void MenuUserDo(std::function<void()> step) { Queue(std::move(step)); }

void MenuUserWaitFor(std::function<bool()> condition, int limit) {
    MenuUserWaitFor(std::move(condition), limit, nullptr);
}

void MenuUserWaitFor(std::function<bool()> condition, int limit, std::function<void()> onTimeout) {
    auto frames = std::make_shared<int>(0);
    Queue(
        [condition, limit, frames, onTimeout] { MenuUserWaitForAgain(condition, limit, frames, onTimeout); });
}

void MenuUserEachFrame(std::function<void()> hook) { g_eachFrame = std::move(hook); }

void MenuUserClose() {
    Queue([] { plat::InjectClose(); });
}

}  // namespace testenv
