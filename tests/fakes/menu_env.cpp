#include "tests/fakes/menu_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/picture.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace testenv {

namespace {

constexpr uint32_t kMemoryBudgetKb = 16000;
bool g_display = false;

bool StartArchive(const std::string& gameDir) {
    const std::string base = gameDir + "/pakfiles/demo";
    if (std::FILE* index = std::fopen((base + ".pki").c_str(), "rb")) {
        std::fclose(index);
    } else {
        return false;
    }
    InitMemory(kMemoryBudgetKb);
    StdoutCapture quiet;
    PakFileInit();
    PakAddFile(base.c_str());
    PakFileAddDone();
    InitText(LANGUAGE_ENGLISH);
    InitIconLists();
    quiet.Text();
    return true;
}

void StartBuffers(int width, int height, const ColFmt* format) {
    MenuSetScreenFormat(width, height, format);
    AllocScreenBuffers();
    SetFont(8);
    SetDrawParam(1, 0);
    SetDrawParam(7, 100);
}

}  // namespace

bool StartMenuPaint(const std::string& gameDir, const ColFmt* format, int width, int height) {
    if (!StartArchive(gameDir)) return false;
    StartBuffers(width, height, format);
    return true;
}

bool StartMenuDisplay(const std::string& gameDir, int bitsPerPixel, uint32_t windowFlags) {
    if (!StartArchive(gameDir)) return false;
    plat::SetDesktopBitsForTests(32);
    WinResetForTests();
    WinInit(nullptr, "Halvorn test", windowFlags);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    {
        StdoutCapture quiet;
        GfxInit(0);
        quiet.Text();
    }
    const int mode = GfxFindMode(800, 600, bitsPerPixel == 16 ? 1 : bitsPerPixel == 24 ? 2 : 3);
    EXPECT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), 0);
    g_display = true;
    WinWasReactivated();  // the activation of the new window is not a reactivation
    StartBuffers(int(GfxGetScreenWidth()), int(GfxGetScreenHeight()), GfxGetScreenFormat());
    return true;
}

void StopMenuPaint() {
    FreeScreenBuffers();
    if (g_display) {
        if (GfxIsModeSet()) RestoreGraphicMode();
        if (GfxIsInitialised()) GfxUninit();
        WinResetForTests();
        plat::SetDesktopBitsForTests(0);
        g_display = false;
    }
    UninitText();
    if (PakFileStatus() != 0) PakFileUninit();
    // Fonts, icon sheets and shade tables are all purgeable blocks.
    FreeAutoMemory();
    UninitMemory();
}

std::string GrabName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "grab%04d.tga", n);
    return name;
}

std::string NewestGrabName() {
    std::string last;
    for (int n = 1; n < 10000 && std::filesystem::exists(GrabName(n)); ++n) last = GrabName(n);
    return last;
}

std::vector<uint8_t> GrabBytes(const std::string& name) {
    std::vector<uint8_t> pixels;
    if (name.empty() || !std::filesystem::exists(name)) return pixels;
    const std::vector<uint8_t> bytes = ReadHostFile(name);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, bytes.data(), bytes.size());
    uint32_t size = uint32_t(bytes.size());
    if (LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) == 0)
        pixels.assign(block + GFX0_HEADER_SIZE, block + size);
    FreeMemory(&block);
    return pixels;
}

namespace {

std::vector<uint32_t> RgbPixels(const std::vector<uint8_t>& bytes) {
    std::vector<uint32_t> pixels;
    if (bytes.size() < 800 * 600 * 3) return pixels;
    for (size_t i = 0; i < 800 * 600; ++i)
        pixels.push_back(uint32_t(bytes[i * 3 + 2]) << 16 | bytes[i * 3 + 1] << 8 | bytes[i * 3]);
    return pixels;
}

}  // namespace

std::vector<uint32_t> GrabPixels(int n) { return RgbPixels(GrabBytes(GrabName(n))); }

std::vector<uint32_t> NewestGrabPixels() { return RgbPixels(GrabBytes(NewestGrabName())); }

uint32_t BackPixel(int x, int y) { return GetBackBufferPixel(x, y) & 0xFFFFFF; }

uint32_t CommonestColour(std::vector<uint32_t> colours) {
    std::sort(colours.begin(), colours.end());
    uint32_t commonest = 0;
    size_t best = 0;
    for (size_t i = 0; i < colours.size();) {
        size_t j = i;
        while (j < colours.size() && colours[j] == colours[i]) ++j;
        if (j - i > best) best = j - i, commonest = colours[i];
        i = j;
    }
    return commonest;
}

namespace {

uint32_t RedBlueSwapped(uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

size_t At(int x, int y) { return size_t(y) * 800 + size_t(x); }

}  // namespace

int InkInBox(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::vector<uint32_t> box;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) box.push_back(grab[At(col, row)]);
    const uint32_t ground = CommonestColour(box);
    return int(std::count_if(box.begin(), box.end(), [ground](uint32_t c) { return c != ground; }));
}

std::vector<uint32_t> GrabInBufferOrder(std::vector<uint32_t> grab) {
    const uint32_t plain = BackPixel(8, 300);
    if (grab.size() > At(8, 300) && grab[At(8, 300)] != plain && grab[At(8, 300)] == RedBlueSwapped(plain))
        for (uint32_t& c : grab) c = RedBlueSwapped(c);
    return grab;
}

LettersFound LettersInGrab(const std::vector<uint32_t>& grab, int left, int top, int right, int bottom,
                           const std::function<void()>& draw) {
    std::vector<uint32_t> before(800 * 600);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) before[At(x, y)] = BackPixel(x, y);
    draw();
    std::vector<uint32_t> changed;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (BackPixel(x, y) != before[At(x, y)]) changed.push_back(BackPixel(x, y));
    const uint32_t letters = CommonestColour(changed);
    LettersFound found;
    if (grab.size() < 800 * 600) return found;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (BackPixel(x, y) != letters || before[At(x, y)] == letters) continue;
            ++found.letters;
            found.same += grab[At(x, y)] == letters ? 1 : 0;
            found.sameSwapped += grab[At(x, y)] == RedBlueSwapped(letters) ? 1 : 0;
        }
    }
    return found;
}

std::vector<DrawnString> ScreenStrings() {
    std::vector<DrawnString> strings;
    SetDrawnStringLog(&strings);
    MenuWalkTopTable(MENU_REDRAW);
    SetDrawnStringLog(nullptr);
    return strings;
}

std::vector<std::string> StringFaults(const std::vector<DrawnString>& strings,
                                      const LaidOverEachOther& laidOver) {
    std::vector<std::string> faults;
    const std::string twoSigns = std::string(GetText(434)) + GetText(434);
    for (size_t a = 0; a < strings.size(); ++a) {
        const DrawnString& p = strings[a];
        if (p.text.find(twoSigns) != std::string::npos)
            faults.push_back("\"" + p.text + "\" has two money signs");
        if (p.x < 0 || p.y < 0 || p.x + p.width > 800 || p.y + p.height > 600)
            faults.push_back("\"" + p.text + "\" runs past the screen's edge");
        for (size_t b = a + 1; b < strings.size(); ++b) {
            const DrawnString& q = strings[b];
            if (p.text == q.text) continue;
            const int w = std::min(p.x + p.width, q.x + q.width) - std::max(p.x, q.x);
            const int h = std::min(p.y + p.height, q.y + q.height) - std::max(p.y, q.y);
            if (w > 1 && h > 1 && !(laidOver && (laidOver(p, q) || laidOver(q, p))))
                faults.push_back("\"" + p.text + "\" and \"" + q.text + "\" drawn over each other");
        }
    }
    return faults;
}

int BrightPixels(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    int count = 0;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) {
            const uint32_t c = grab[size_t(row) * 800 + size_t(col)];
            count += std::max({c >> 16, (c >> 8) & 0xFF, c & 0xFF}) > 170;
        }
    return count;
}

}  // namespace testenv
