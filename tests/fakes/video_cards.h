// Described display cards for the video choice: the stand-in enumerates a
// card per description (card 0 the primary driver, the others extra cards
// with GUIDs), and the survey the video choice runs then writes each card's
// flags, memories and devices as described.  Selecting a described card
// still starts the stand-in's own display.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "game/match3d/videochoice.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"

namespace testenv {

struct FakeDevice {
    uint32_t flags = 0;
    uint32_t maxTextureWidth = 2048;
    uint32_t maxTextureHeight = 2048;
    uint32_t maxAspect = 0;
    const char* name = "Fake device";
};

struct FakeCard {
    uint32_t pass = 1;  // 1 attached (desktop), 2 detached (desktop disabled), 3 non-display
    bool accelerated = true;
    uint32_t videoMemory = 32u << 20;
    uint32_t textureMemory = 24u << 20;
    std::vector<FakeDevice> devices;
    const char* description = "Fake card";
};

// Drawing in 16, 24 and 32 bits: the modes of those depths take 3D.
constexpr uint32_t kFakeRender = D3DDEVINFO_RENDER16 | D3DDEVINFO_RENDER24 | D3DDEVINFO_RENDER32;
// Everything a device of the stand-in's kind reports.
constexpr uint32_t kFakeFullDevice = D3DDEVINFO_HARDWARE | D3DDEVINFO_HARDWARETL | D3DDEVINFO_SUBPIXEL |
                                     D3DDEVINFO_MIPMAPTEX | D3DDEVINFO_SMOOTHTEX | D3DDEVINFO_FOGTABLE |
                                     kFakeRender | D3DDEVINFO_STENCIL8;

inline std::vector<FakeCard>& FakeCardList() {
    static std::vector<FakeCard> cards;
    return cards;
}

inline void FakeCardSurvey() {
    DXEnumDisplay();
    const std::vector<FakeCard>& cards = FakeCardList();
    for (size_t i = 0; i < cards.size(); ++i) {
        DDrawDeviceInfo* card = DDrawGetDeviceInfo(int(i));
        if (card == nullptr) continue;
        const FakeCard& fake = cards[i];
        card->flags &=
            ~(DDDEVINFO_3DACCELERATED | DDDEVINFO_DESKTOP | DDDEVINFO_DESKTOPDISABLED | DDDEVINFO_NONDISPLAY);
        if (fake.accelerated) card->flags |= DDDEVINFO_3DACCELERATED;
        card->flags |= fake.pass == 1   ? DDDEVINFO_DESKTOP
                       : fake.pass == 2 ? DDDEVINFO_DESKTOPDISABLED
                                        : DDDEVINFO_NONDISPLAY;
        card->video_memory = fake.videoMemory;
        card->texture_memory = fake.textureMemory;
        std::strncpy(card->description, fake.description, sizeof card->description - 1);
        card->device3d_count = uint32_t(fake.devices.size());
        for (size_t d = 0; d < fake.devices.size() && d < size_t(DDRAW_MAX_3DDEVICES); ++d) {
            DDraw3DDeviceInfo& device = card->devices[d];
            device.flags = fake.devices[d].flags;
            device.max_texture_width = fake.devices[d].maxTextureWidth;
            device.max_texture_height = fake.devices[d].maxTextureHeight;
            device.max_texture_aspect_ratio = fake.devices[d].maxAspect;
            std::memset(device.name, 0, sizeof device.name);
            std::strncpy(device.name, fake.devices[d].name, sizeof device.name - 1);
        }
    }
}

// Cards 0.. as described; the stand-in reports as many devices per card so
// that each has a GUID of its own.
inline void InstallFakeCards(const std::vector<FakeCard>& cards) {
    FakeCardList() = cards;
    std::vector<plat::TestCard> extra;
    for (size_t i = 1; i < cards.size(); ++i) {
        plat::TestCard t;
        t.guid.data1 = uint32_t(0x5EED0000u + i);
        t.description = cards[i].description;
        t.driver = "fake";
        t.pass = cards[i].pass;
        t.device_count = std::max<int>(1, int(cards[i].devices.size()));
        extra.push_back(t);
    }
    plat::SetTestCards(extra);
    plat::SetPrimaryDeviceCountForTests(cards.empty() ? 1 : std::max<int>(1, int(cards[0].devices.size())));
    VideoOpt_SetSurvey(FakeCardSurvey);
}

inline void RemoveFakeCards() {
    FakeCardList().clear();
    plat::SetTestCards({});
    plat::SetPrimaryDeviceCountForTests(1);
    VideoOpt_SetSurvey(nullptr);
}

}  // namespace testenv
