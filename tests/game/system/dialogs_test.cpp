#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "game/system/dialogs.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "platform/dialog.h"
#include "tests/fakes/test_util.h"

namespace {

uint16_t WordAt(const uint8_t* p, size_t at) { return uint16_t(p[at] | (p[at + 1] << 8)); }
uint32_t DwordAt(const uint8_t* p, size_t at) { return WordAt(p, at) | (uint32_t(WordAt(p, at + 2)) << 16); }

// Reads a UTF-16 string at `at` and moves past it.
std::u16string WideAt(const uint8_t* p, size_t* at) {
    std::u16string s;
    for (uint16_t unit = WordAt(p, *at); (*at += 2), unit != 0; unit = WordAt(p, *at)) s += char16_t(unit);
    return s;
}

TEST(WinDlgTemplate, HeaderAndItemsFollowTheTemplateLayout) {
    WinDlgBegin("Caf\xE9 \x80", 7, 20, 300, 170);
    WinDlgAppendItem(WINDLG_STATIC, 101, 0x50001000, 10, 105, 280, 35, "abc");
    WinDlgAppendItem(WINDLG_BUTTON, 1, 0x50010001, 180, 150, 55, 15, "OK");
    size_t size = 0;
    const uint8_t* t = static_cast<const uint8_t*>(WinDlgGetTemplate(&size));

    EXPECT_EQ(DwordAt(t, 0), 0x80C800C0u);  // popup, caption, system menu, modal frame, font
    EXPECT_EQ(DwordAt(t, 4), 0u);
    EXPECT_EQ(WordAt(t, 8), 2);  // items
    EXPECT_EQ(WordAt(t, 10), 7);
    EXPECT_EQ(WordAt(t, 12), 20);
    EXPECT_EQ(WordAt(t, 14), 300);
    EXPECT_EQ(WordAt(t, 16), 170);
    EXPECT_EQ(WordAt(t, 18), 0);  // menu
    EXPECT_EQ(WordAt(t, 20), 0);  // class
    size_t at = 22;
    EXPECT_EQ(WideAt(t, &at), u"Caf\u00E9 \u20AC");
    EXPECT_EQ(WordAt(t, at), 8);
    at += 2;
    EXPECT_EQ(WideAt(t, &at), u"Helv");

    for (int item = 0; item < 2; ++item) {
        at = (at + 3) & ~size_t(3);
        const uint32_t styles[] = {0x50001000, 0x50010001};
        const int16_t geometry[][4] = {{10, 105, 280, 35}, {180, 150, 55, 15}};
        const uint16_t ids[] = {101, 1};
        const uint16_t atoms[] = {0x82, 0x80};
        const std::u16string texts[] = {u"abc", u"OK"};
        EXPECT_EQ(DwordAt(t, at), styles[item]);
        EXPECT_EQ(DwordAt(t, at + 4), 0u);
        for (int g = 0; g < 4; ++g) EXPECT_EQ(int16_t(WordAt(t, at + 8 + 2 * g)), geometry[item][g]);
        EXPECT_EQ(WordAt(t, at + 16), ids[item]);
        EXPECT_EQ(WordAt(t, at + 18), 0xFFFF);
        EXPECT_EQ(WordAt(t, at + 20), atoms[item]);
        at += 22;
        EXPECT_EQ(WideAt(t, &at), texts[item]);
        EXPECT_EQ(WordAt(t, at), 0);  // creation data
        at += 2;
    }
    EXPECT_EQ(at, size);
}

TEST(WinDlgDeathTest, BadItemsEndTheProgram) {
    EXPECT_FATAL(
        {
            WinDlgBegin("x", 0, 0, 10, 10);
            WinDlgAppendItem(WINDLG_STATIC, 5, 0, 0, 0, -1, 4, "");
        },
        "WinDlgAppendItem\\(\\): can't add item with -ve size");
    EXPECT_FATAL(
        {
            WinDlgBegin("x", 0, 0, 10, 10);
            for (int i = 0; i < 100; ++i)
                WinDlgAppendItem(WINDLG_STATIC, i, 0, 0, 0, 1, 1, "a long label text");
        },
        "template too big");
}

// ---- The chooser, driven through the dialog test seam -------------------

using Step = std::function<plat::DialogChoice(plat::DialogHandle)>;
std::vector<Step> g_steps;
size_t g_step = 0;

plat::DialogChoice Drive(plat::DialogHandle dialog) {
    if (g_step >= g_steps.size()) return plat::DialogChoice{};  // the user closes it
    return g_steps[g_step++](dialog);
}

plat::DialogChoice Select(int list, int item) { return plat::DialogChoice{list, item}; }
plat::DialogChoice Click(int id) { return plat::DialogChoice{id, -1}; }

std::string Text(plat::DialogHandle d) { return plat::GetDlgItemText(d, WINDLG_ID_TEXT); }
bool OkEnabled(plat::DialogHandle d) {
    plat::DialogItemInfo info;
    return plat::GetDlgItemInfo(d, WINDLG_ID_OK, &info) && info.enabled;
}
std::vector<std::string> Entries(plat::DialogHandle d, int list) {
    std::vector<std::string> out;
    int64_t count = plat::SendDlgItemMessage(d, list, plat::kLbGetCount, 0, 0);
    for (int64_t i = 0; i < count; ++i) {
        char text[256];
        plat::SendDlgItemMessage(d, list, plat::kLbGetText, uint64_t(i), reinterpret_cast<int64_t>(text));
        out.push_back(text);
    }
    return out;
}
int64_t CurSel(plat::DialogHandle d, int list) {
    return plat::SendDlgItemMessage(d, list, plat::kLbGetCurSel, 0, 0);
}

plat::TestCard Card(uint32_t n, const char* description, uint32_t pass) {
    plat::TestCard c;
    c.guid = plat::Guid{0xCA4D0000u + n, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    c.description = description;
    c.driver = "extra";
    c.pass = pass;
    return c;
}

class ChooserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_steps.clear();
        g_step = 0;
        plat::SetDialogDriverForTests(Drive);
    }
    void TearDown() override {
        plat::SetDialogDriverForTests(nullptr);
        plat::SetTestCards({});
    }
};

TEST_F(ChooserTest, TemplateHoldsTheSpecifiedControls) {
    DXEnumDisplay();
    plat::DialogInfo info;
    std::vector<int> ids;
    std::vector<plat::DialogItemInfo> items;
    g_steps = {[&](plat::DialogHandle d) {
        plat::GetDialogInfo(d, &info);
        for (int i = 0; i < info.item_count; ++i) {
            ids.push_back(plat::GetDlgItemIdAt(d, i));
            plat::DialogItemInfo item;
            plat::GetDlgItemInfo(d, ids.back(), &item);
            items.push_back(item);
        }
        return Click(WINDLG_ID_CANCEL);
    }};
    int card = -1, device = -1;
    EXPECT_EQ(WinSelectDevice(&card, &device), 0);
    EXPECT_EQ(info.caption, "Select Device");
    EXPECT_EQ(info.font, "Helv");
    EXPECT_EQ(info.y, 20);
    EXPECT_EQ(info.width, 300);
    EXPECT_EQ(info.height, 170);
    ASSERT_EQ(ids, (std::vector<int>{100, 110, 111, 101, 1, 2}));
    const int16_t geometry[][4] = {{5, 2, 290, 140},   {10, 15, 280, 40},  {10, 60, 280, 40},
                                   {10, 105, 280, 35}, {180, 150, 55, 15}, {240, 150, 55, 15}};
    const uint16_t atoms[] = {0x80, 0x83, 0x83, 0x82, 0x80, 0x80};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].class_atom, atoms[i]) << ids[i];
        EXPECT_EQ(items[i].width, geometry[i][2]) << ids[i];
        EXPECT_EQ(items[i].height, geometry[i][3]) << ids[i];
        if (ids[i] != 100) {  // the group box's place is not fixed
            EXPECT_EQ(items[i].x, geometry[i][0]) << ids[i];
            EXPECT_EQ(items[i].y, geometry[i][1]) << ids[i];
        }
    }
    EXPECT_EQ(items[0].style & 0xF, plat::kBsGroupBox);
    EXPECT_EQ(items[3].style & plat::kSsSunken, plat::kSsSunken);
    EXPECT_EQ(items[4].style & 0xF, plat::kBsDefPushButton);
}

TEST_F(ChooserTest, PickingTheDeviceEnablesOkAndReturnsTheChoice) {
    DXEnumDisplay();
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(0);
    const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(0, 0);
    ASSERT_NE(device, nullptr);
    std::string opening_text, chosen_text;
    bool ok_at_opening = true, ok_after = false;
    std::vector<std::string> cards, devices;
    g_steps = {
        [&](plat::DialogHandle d) {
            opening_text = Text(d);
            ok_at_opening = OkEnabled(d);
            cards = Entries(d, WINDLG_ID_CARDS);
            devices = Entries(d, WINDLG_ID_DEVICES);
            EXPECT_EQ(CurSel(d, WINDLG_ID_CARDS), 0);
            return Select(WINDLG_ID_DEVICES, 0);
        },
        [&](plat::DialogHandle d) {
            chosen_text = Text(d);
            ok_after = OkEnabled(d);
            return Click(WINDLG_ID_OK);
        },
    };
    int chosen_card = -1, chosen_device = -1;
    ASSERT_EQ(WinSelectDevice(&chosen_card, &chosen_device), 1);
    EXPECT_EQ(chosen_card, 0);
    EXPECT_EQ(chosen_device, 0);
    EXPECT_EQ(opening_text, "Select a 3d device from the list above");
    EXPECT_FALSE(ok_at_opening);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0], std::string(card->description) + " - Available: 3D acceleration (desktop).");
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0], std::string(device->description) + " - Available: 3D acceleration (desktop).");
    EXPECT_EQ(chosen_text,
              std::string("Card: ") + card->description + " (" + card->driver_name + ") - version " +
                  card->driver_version + "\n3d device: " + device->description + " (" + device->name +
                  ")\nQuality factor for the card: " + std::to_string(WinDeviceQuality(card, device)) + "\n");
    EXPECT_TRUE(ok_after);
}

TEST_F(ChooserTest, CurrentSelectionIsShownAndOtherCardsRefillTheDeviceList) {
    plat::TestCard two = Card(1, "Second head", 2);
    two.device_count = 3;
    plat::SetTestCards({two, Card(2, "Capture board", 3)});
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 3u);
    DDrawSelectDevice(0, 0);
    std::vector<std::string> cards, devices_of_second;
    std::string after_card_change;
    bool ok_at_opening = false, on_non_display = true;
    g_steps = {
        [&](plat::DialogHandle d) {
            ok_at_opening = OkEnabled(d);  // the current pair is usable
            cards = Entries(d, WINDLG_ID_CARDS);
            EXPECT_EQ(CurSel(d, WINDLG_ID_DEVICES), 0);
            return Select(WINDLG_ID_CARDS, 1);
        },
        [&](plat::DialogHandle d) {
            devices_of_second = Entries(d, WINDLG_ID_DEVICES);
            after_card_change = Text(d);
            EXPECT_FALSE(OkEnabled(d));
            return Select(WINDLG_ID_CARDS, 2);
        },
        [&](plat::DialogHandle) { return Select(WINDLG_ID_DEVICES, 0); },
        [&](plat::DialogHandle d) {
            on_non_display = OkEnabled(d);
            return Click(WINDLG_ID_OK);  // disabled: nothing happens
        },
        [&](plat::DialogHandle d) {
            EXPECT_NE(Text(d).find("Quality factor for the card: 0\n"), std::string::npos);
            return Click(WINDLG_ID_CANCEL);
        },
    };
    int card = -1, device = -1;
    EXPECT_EQ(WinSelectDevice(&card, &device), 0);
    EXPECT_EQ(g_step, 5u);
    EXPECT_EQ(card, -1);
    EXPECT_TRUE(ok_at_opening);
    ASSERT_EQ(cards.size(), 3u);
    EXPECT_EQ(cards[1], "Second head - Available: 3D acceleration (non-desktop).");
    EXPECT_EQ(cards[2], "Capture board - Unavailable: 3D acceleration (non-display).");
    EXPECT_EQ(devices_of_second.size(), 3u);
    EXPECT_EQ(after_card_change, "Select a 3d device from the list above");
    EXPECT_FALSE(on_non_display);
}

TEST_F(ChooserTest, ClosingOrNoDisplayCancels) {
    DXEnumDisplay();
    int card = -1, device = -1;
    g_steps = {};  // closes at once
    EXPECT_EQ(WinSelectDevice(&card, &device), 0);
    plat::SetDialogDriverForTests(nullptr);  // headless: no one to ask
    EXPECT_EQ(WinSelectDevice(&card, &device), 0);
    EXPECT_EQ(card, -1);
}

TEST(WinDeviceQuality, NeedsSixteenBitRenderingOnADisplayCard) {
    DDrawDeviceInfo card{};
    card.flags = DDDEVINFO_DESKTOP;
    DDraw3DDeviceInfo device{};
    device.flags = D3DDEVINFO_RENDER16 | D3DDEVINFO_ZBUFFER16;
    EXPECT_EQ(WinDeviceQuality(&card, &device), WINDLG_QUALITY_THRESHOLD);
    device.flags |= D3DDEVINFO_HARDWARE | D3DDEVINFO_HARDWARETL | D3DDEVINFO_RENDER32 | D3DDEVINFO_ZBUFFER24 |
                    D3DDEVINFO_SMOOTHTEX | D3DDEVINFO_MIPMAPTEX;
    EXPECT_EQ(WinDeviceQuality(&card, &device), 100);
    device.flags &= ~D3DDEVINFO_ZBUFFER16;
    EXPECT_EQ(WinDeviceQuality(&card, &device), 0);
    device.flags |= D3DDEVINFO_ZBUFFER16;
    card.flags = DDDEVINFO_NONDISPLAY;
    EXPECT_EQ(WinDeviceQuality(&card, &device), 0);
    EXPECT_EQ(WinDeviceQuality(&card, nullptr), 0);
}

TEST(DialogRunner, UnreadableTemplateIsRefused) {
    uint8_t truncated[12] = {0};
    EXPECT_EQ(plat::DialogBoxIndirectParam(
                  truncated, sizeof truncated,
                  [](plat::DialogHandle, uint32_t, uint64_t, int64_t) -> int64_t { return 0; }, 0),
              -1);
    WinDlgBegin("x", 0, 0, 10, 10);
    WinDlgAppendItem(WINDLG_STATIC, 5, 0, 0, 0, 1, 1, "label");
    size_t size = 0;
    const void* t = WinDlgGetTemplate(&size);
    // Cut inside the item's text.
    EXPECT_EQ(
        plat::DialogBoxIndirectParam(
            t, size - 6, [](plat::DialogHandle, uint32_t, uint64_t, int64_t) -> int64_t { return 0; }, 0),
        -1);
}

}  // namespace
