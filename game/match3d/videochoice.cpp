// The video choice: every card and 3D device of the survey is scored, the
// best usable pair is taken at start-up (or the pair of the last run while
// it is still there), a screen mode is found for it and the rendering
// options follow what the device can do.  The options screen edits a
// working copy that Apply or OK commits.
#include "game/match3d/videochoice.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/debug.h"
#include "core/records/text.h"
#include "game/screens/engine/callmenus.h"
#include "game/screens/engine/displaymaps.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenmachine.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

VideoChoice CommittedVideoChoice;
int32_t VideoAgain;
int32_t VideoChanged;

namespace {

constexpr const char* kModule = "vidopt";
constexpr int kCardSlots = DDRAW_MAX_DEVICES;
constexpr int kDeviceSlots = DDRAW_MAX_3DDEVICES;
constexpr uint32_t kFewTextures = 0x400000;    // 4 MiB
constexpr uint32_t kSomeTextures = 0x600000;   // 6 MiB
constexpr uint32_t kManyTextures = 0x1400000;  // 20 MiB
constexpr uint32_t kEnoughDisplay = 0x400000;  // 4 MiB
constexpr int kSmallestWidth = 512;
constexpr int kSmallestHeight = 384;
constexpr uint32_t kAnyStencil =
    D3DDEVINFO_STENCIL8 | D3DDEVINFO_STENCIL16 | D3DDEVINFO_STENCIL24 | D3DDEVINFO_STENCIL32;

VideoChoice g_work{};
int g_no3d = 0;
VideoSurveyFunction g_survey = nullptr;

bool SameCardAndDevice(const VideoChoice& a, const VideoChoice& b) {
    return a.Card == b.Card && a.Device == b.Device;
}

bool SameGuid(const plat::Guid& a, const plat::Guid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

uint32_t TextureMemory(int card) {
    const DDrawDeviceInfo* info = DDrawGetDeviceInfo(card);
    return info != nullptr ? info->texture_memory : 0;
}

bool FewTextures(int card) {
    const uint32_t memory = TextureMemory(card);
    return memory != 0 && memory < kFewTextures;
}

uint32_t DeviceFlags(int card, int device) {
    const DDraw3DDeviceInfo* info = DDrawGet3DDeviceInfo(card, device);
    return info != nullptr ? info->flags : 0;
}

// The best score of a card's devices -1..15, -1 for a missing card.
int BestScore(int card) {
    int best = -1;
    for (int device = -1; device < kDeviceSlots; ++device)
        best = std::max(best, VideoOpt_ScoreDevice(card, device));
    return best;
}

// The card's highest-scoring device (first of equals), -1 when none scores.
int BestDevice(int card) {
    int best = -1, bestScore = -1;
    for (int device = -1; device < kDeviceSlots; ++device) {
        const int score = VideoOpt_ScoreDevice(card, device);
        if (score > bestScore) best = device, bestScore = score;
    }
    return best;
}

void Survey() {
    if (g_survey != nullptr) {
        g_survey();
    } else {
        DXEnumDisplay();
    }
}

void StartGraphics(const VideoChoice& choice) {
    DDrawSelectDevice(choice.Card, choice.Device);
    GfxInit(choice.Device != -1 ? GFXINIT_3D : 0);
}

// The choice of the last run, while its card and device are still there.
bool SavedChoiceStands(const VideoChoice& choice) {
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(choice.Card);
    if (card == nullptr) return false;
    if (card->guid_ptr != nullptr && !SameGuid(card->guid, choice.CardGuid)) return false;
    if (choice.Device == -1) return true;
    const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(choice.Card, choice.Device);
    return device != nullptr && SameGuid(device->guid, choice.DeviceGuid);
}

void ChooseAutomatically(VideoChoice* choice) {
    int bestCard = -1, bestValue = -1;
    for (int card = 0; card < kCardSlots; ++card) {
        const int value = BestScore(card);
        if (card != 0) {
            const DDrawDeviceInfo* info = DDrawGetDeviceInfo(card);
            if (info == nullptr || (info->flags & DDDEVINFO_NONDISPLAY) == 0) continue;
        }
        if (value > bestValue) bestCard = card, bestValue = value;
    }
    if (bestValue <= -1) AbortError(kModule, __LINE__, "VideoInit(): Failed to find a 3d graphics card!");
    choice->Card = bestCard;
    choice->Device = BestDevice(bestCard);
    if (choice->Device == -1) AbortError(kModule, __LINE__, "VideoInit(): failed to find a 3d device!");
}

void DefaultOptions(VideoChoice* choice) {
    if (choice->Device == -1) return;
    const uint32_t flags = DeviceFlags(choice->Card, choice->Device);
    choice->MipMapping = (flags & D3DDEVINFO_MIPMAPTEX) ? 1 : 0;
    if (flags & D3DDEVINFO_SMOOTHTEX) {
        choice->FilterLevel = choice->MipMapping ? 2 : 1;
    } else {
        choice->FilterLevel = 0;
    }
    const int32_t rich = FewTextures(choice->Card) ? 0 : 1;
    choice->Lighting = rich;
    choice->Fog = rich;
    choice->TextureOption = rich;
}

bool TooSmall(const DDrawModeInfo& mode) {
    return mode.width < kSmallestWidth || mode.height < kSmallestHeight;
}

int FindModeOrStop(int no3d, const VideoChoice* choice) {
    const int mode = VideoOpt_FindMode(no3d, choice);
    if (mode == -1) AbortError(kModule, __LINE__, "No suitable graphics mode found");
    return mode;
}

struct ModeTry {
    int width;
    int height;
    int colourType;
};

int FirstFit(const ModeTry* tries, int count, bool need3d) {
    for (int i = 0; i < count; ++i) {
        const ModeTry& t = tries[i];
        const int mode = need3d ? GfxFindBestMode(t.width, t.height, t.colourType, GFXMODE_3D, GFXMODE_3D)
                                : GfxFindBestModeAnyFlags(t.width, t.height, t.colourType);
        if (mode >= 0) return mode;
    }
    return -1;
}

// ---- The options screen ----------------------------------------------------

enum OptionRow { kMipRow, kFilterRow, kLightingRow, kFogRow, kTextureRow, kOptionRows };
constexpr int kMaxValues = 3;
constexpr int kValueCount[kOptionRows] = {2, 3, 2, 2, 2};
constexpr int16_t kOptionLabel[kOptionRows] = {1055, 1056, 1057, 1058, 1059};
constexpr int16_t kOptionText[kOptionRows][kMaxValues] = {
    {1049, 1048, 0}, {402, 1081, 1082}, {1049, 1048, 0}, {1049, 1048, 0}, {1063, 1062, 0}};
constexpr int16_t kDepthText[4] = {1076, 1077, 1078, 1079};

enum BoxRow { kCardRow, kDeviceRow, kModeRow, kBoxRows };

int16_t g_buttonState[kOptionRows][kMaxValues];
int16_t g_arrowsHidden[kBoxRows];  // suppression words: 3 hides and takes no clicks
int16_t g_modeRowBox = kVideoButtonNormal;
char g_rowText[kBoxRows][96];
const char* g_rowTextPointer[kBoxRows] = {g_rowText[0], g_rowText[1], g_rowText[2]};

int32_t* OptionWord(VideoChoice& choice, int row) {
    switch (row) {
        case kMipRow:
            return &choice.MipMapping;
        case kFilterRow:
            return &choice.FilterLevel;
        case kLightingRow:
            return &choice.Lighting;
        case kFogRow:
            return &choice.Fog;
        default:
            return &choice.TextureOption;
    }
}

int UsableCards() {
    int count = 0;
    for (int card = 0; card < kCardSlots; ++card) count += BestScore(card) >= 0 ? 1 : 0;
    return count;
}

int UsableDevices(int card) {
    int count = 0;
    for (int device = 0; device < kDeviceSlots; ++device) count += VideoOpt_ScoreDevice(card, device) >= 0;
    return count;
}

void CopyRowText(int row, const char* text) {
    std::snprintf(g_rowText[row], sizeof g_rowText[row], "%s", text != nullptr ? text : "");
}

void FillRows() {
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(g_work.Card);
    CopyRowText(kCardRow, card != nullptr ? card->description : "** Invalid card **");
    const DDraw3DDeviceInfo* device = DDrawGet3DDeviceInfo(g_work.Card, g_work.Device);
    char name[sizeof device->name + 1] = {};
    if (device != nullptr) std::memcpy(name, device->name, sizeof device->name);
    CopyRowText(kDeviceRow, device != nullptr ? name : GetText(1076));
    if (g_work.ModeIndex >= 0 && g_work.ModeIndex < GfxNumModes) {
        const DDrawModeInfo& mode = GfxModeTable[g_work.ModeIndex];
        std::snprintf(g_rowText[kModeRow], sizeof g_rowText[kModeRow], "%d x %d, %s", int(mode.width),
                      int(mode.height), GetText(kDepthText[mode.colour_type & 3]));
        g_modeRowBox = kVideoButtonNormal;
        g_arrowsHidden[kModeRow] = 0;
    } else {
        CopyRowText(kModeRow, GetText(1061));
        g_modeRowBox = kVideoButtonGreyed;
        g_arrowsHidden[kModeRow] = 3;
    }
    g_arrowsHidden[kCardRow] = UsableCards() > 1 ? 0 : 3;
    g_arrowsHidden[kDeviceRow] = UsableDevices(g_work.Card) > 1 ? 0 : 3;
}

void FillButtons() {
    for (auto& row : g_buttonState)
        for (int16_t& state : row) state = kVideoButtonGreyed;
    if (g_work.Device == -1) return;
    const uint32_t flags = DeviceFlags(g_work.Card, g_work.Device);
    for (int row = 0; row < kOptionRows; ++row) {
        const int32_t current = *OptionWord(g_work, row);
        for (int value = 0; value < kValueCount[row]; ++value) {
            g_buttonState[row][value] = value == current ? kVideoButtonSelected : kVideoButtonNormal;
        }
    }
    const auto onlyOff = [](int row) {
        g_buttonState[row][0] = kVideoButtonSelected;
        for (int value = 1; value < kValueCount[row]; ++value) g_buttonState[row][value] = kVideoButtonGreyed;
    };
    if ((flags & D3DDEVINFO_MIPMAPTEX) == 0) onlyOff(kMipRow);
    if ((flags & D3DDEVINFO_SMOOTHTEX) == 0) {
        for (int16_t& state : g_buttonState[kFilterRow]) state = kVideoButtonGreyed;
    } else if (g_work.MipMapping == 0) {
        g_buttonState[kFilterRow][2] = kVideoButtonGreyed;
    }
    if ((flags & D3DDEVINFO_FOGTABLE) == 0) onlyOff(kFogRow);
    if (FewTextures(g_work.Card)) onlyOff(kTextureRow);
}

bool Pressed(const HVEvent* event) { return event != nullptr && event->code == HV_PRESSED; }

int16_t Func_CardSelect(const HVEvent* event, int step) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    for (int turn = 1; turn <= kCardSlots; ++turn) {
        const int card = ((g_work.Card + step * turn) % kCardSlots + kCardSlots) % kCardSlots;
        if (BestScore(card) < 0) continue;
        g_work.Card = card;
        g_work.Device = BestDevice(card);
        if (g_work.Device == -1)
            AbortError(kModule, __LINE__, "Func_CardSelect(): no device found on this card!");
        return HV_REDRAW;
    }
    return HV_REDRAW;
}

int16_t Func_DeviceStep(const HVEvent* event, int step) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    constexpr int kNumbers = kDeviceSlots + 1;  // -1..15
    for (int turn = 1; turn <= kNumbers; ++turn) {
        const int device = ((g_work.Device + 1 + step * turn) % kNumbers + kNumbers) % kNumbers - 1;
        if (VideoOpt_ScoreDevice(g_work.Card, device) < 0) continue;
        g_work.Device = device;
        break;
    }
    return HV_REDRAW;
}

bool ModeSelectable(const DDrawModeInfo& mode) {
    if (TooSmall(mode)) return false;
    if (g_work.Device == -1) return mode.colour_type == 0;
    if (mode.colour_type == 0 || (mode.flags & GFXMODE_3D) == 0) return false;
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(g_work.Card);
    const uint64_t display = card != nullptr ? card->video_memory : 0;
    const uint64_t needed = 3ull * mode.width * mode.height * mode.bytes_per_pixel;
    return display == 0 || needed <= display;
}

int16_t Func_ModeSelect(const HVEvent* event, int step) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.ModeIndex == -1) return HV_GO_ON;
    const int count = GfxNumModes;
    for (int turn = 1; turn <= count; ++turn) {
        const int mode = ((g_work.ModeIndex + step * turn) % count + count) % count;
        if (!ModeSelectable(GfxModeTable[mode])) continue;
        g_work.ModeIndex = mode;
        break;
    }
    return HV_REDRAW;
}

int16_t Commit(int32_t again) {
    VideoChanged = SameCardAndDevice(g_work, CommittedVideoChoice) ? 0 : 1;
    VideoAgain = again;
    CommittedVideoChoice = g_work;
    return HV_LEAVE_MENU;
}

// ---- The screen's map --------------------------------------------------------

constexpr int16_t kBoxX = 116, kBoxWidth = 608, kBoxHeight = 50;
constexpr int16_t kBoxY[kBoxRows] = {140, 190, 240};
constexpr int16_t kLabelX = 132, kValueX = 240, kArrowX = 681, kSquareX = 680, kSquare = 44;
constexpr int16_t kOptionY = 303, kOptionHeight = 32, kLabelWidth = 158;
constexpr int16_t kValueButtonX[kMaxValues] = {290, 422, 554};
constexpr int16_t kValueButtonWidth = 130, kValueButtonHeight = 30;
constexpr uint8_t kLeftMiddle = 0x54, kCentreMiddle = 0x55;

using Handler = int16_t (*)(const HVEvent*);

HVMapRecord Record(uint8_t type, uint8_t kind, int16_t x, int16_t y, int16_t width, int16_t height,
                   const void* data, Handler handler = nullptr, uint8_t passes = 2) {
    return HVMapRecord{type, kind, passes, x, y, width, height, data, handler};
}
HVMapRecord Setting(uint8_t type, int32_t value) {
    return Record(type, 1, 0, 0, 0, 0, MenuValue(value), nullptr, 3);
}
HVMapRecord SettingFrom(uint8_t type, const int16_t* word) {
    return Record(type, 2, 0, 0, 0, 0, word, nullptr, 3);
}

constexpr Handler kUpArrow[kBoxRows] = {Func_CardNext, Func_DevicePrev, Func_ModePrev};
constexpr Handler kDownArrow[kBoxRows] = {Func_CardPrev, Func_DeviceNext, Func_ModeNext};
constexpr Handler kOptionHandler[kOptionRows] = {Func_MipMapSelect, Func_FilterSelect, Func_LightingSelect,
                                                 Func_FogSelect, Func_TextureSelect};
constexpr int16_t kBoxLabel[kBoxRows] = {1051, 1052, 1054};
constexpr int16_t kRaised = 1, kBoxShade = 4;

std::vector<HVMapRecord> BuildMap() {
    std::vector<HVMapRecord> map;
    map.push_back(Record(14, 1, 0, 0, 0, 0, MenuValue(0), nullptr, 1));
    map.push_back(Record(5, 3, 0, 0, 0, 0, MenuValue(1050), nullptr, 1));
    for (int row = 0; row < kBoxRows; ++row) {
        const int16_t y = kBoxY[row];
        if (row == kModeRow) {
            map.push_back(Record(13, 2, kBoxX, y, kBoxWidth, kBoxHeight, &g_modeRowBox));
        } else {
            map.push_back(Record(13, 1, kBoxX, y, kBoxWidth, kBoxHeight, MenuValue(kBoxShade)));
        }
        map.push_back(Setting(8, kLeftMiddle));
        map.push_back(Record(1, 3, kLabelX, y, 0, kBoxHeight, MenuValue(kBoxLabel[row])));
        map.push_back(Record(1, 6, kValueX, y, 0, kBoxHeight, &g_rowTextPointer[row]));
        map.push_back(SettingFrom(15, &g_arrowsHidden[row]));
        map.push_back(Setting(8, kCentreMiddle));
        const int16_t top = int16_t(y + (kBoxHeight - kSquare) / 2), half = kSquare / 2;
        map.push_back(Record(13, 1, kArrowX, top, kSquare - 2, half, MenuValue(kRaised), kUpArrow[row]));
        map.push_back(Record(2, 5, kArrowX, top, kSquare - 2, half, "^"));
        map.push_back(Record(13, 1, kArrowX, int16_t(top + half), kSquare - 2, half, MenuValue(kRaised),
                             kDownArrow[row]));
        map.push_back(Record(2, 5, kArrowX, int16_t(top + half), kSquare - 2, half, "v"));
        map.push_back(Setting(15, 0));
    }
    static_assert(kSquareX < kArrowX);
    for (int row = 0; row < kOptionRows; ++row) {
        const int16_t y = int16_t(kOptionY + row * kOptionHeight);
        map.push_back(Setting(8, kLeftMiddle));
        map.push_back(Record(1, 3, kLabelX, y, kLabelWidth, kOptionHeight, MenuValue(kOptionLabel[row])));
        map.push_back(Setting(8, kCentreMiddle));
        for (int value = 0; value < kValueCount[row]; ++value) {
            const int16_t x = kValueButtonX[value];
            map.push_back(Setting(7, value));
            map.push_back(Record(13, 2, x, int16_t(y + 1), kValueButtonWidth, kValueButtonHeight,
                                 &g_buttonState[row][value], kOptionHandler[row]));
            map.push_back(Record(2, 3, x, int16_t(y + 1), kValueButtonWidth, kValueButtonHeight,
                                 MenuValue(kOptionText[row][value])));
        }
    }
    struct Button {
        int16_t x, y, width, height, text;
        Handler handler;
    };
    constexpr Button kButtons[] = {{130, 501, 270, 24, 790, Func_Apply},
                                   {400, 501, 270, 24, 639, Func_Cancel},
                                   {700, 540, 80, 32, 75, Func_Ok}};
    for (const Button& b : kButtons) {
        map.push_back(Record(13, 1, b.x, b.y, b.width, b.height, MenuValue(kRaised), b.handler));
        map.push_back(Record(2, 3, b.x, b.y, b.width, b.height, MenuValue(b.text)));
    }
    map.push_back(HVMapRecord{});
    return map;
}

const HVMapRecord* ScreenMap() {
    static const std::vector<HVMapRecord> map = BuildMap();
    return map.data();
}

void PrepareWorkingCopy() {
    VideoOpt_CheckChoice(&g_work);
    if (DDrawGetDeviceInfo(g_work.Card) == nullptr) g_work.Card = 0;
    if (DDrawGet3DDeviceInfo(g_work.Card, g_work.Device) == nullptr) g_work.Device = -1;
    FillRows();
    FillButtons();
}

void VideoOpt_RunScreen() {
    g_work = CommittedVideoChoice;
    VideoChanged = 0;
    HV_MenuInit(ScreenMap());
    for (;;) {
        PrepareWorkingCopy();
        HV_DrawMenuMap();
        if (HV_MenuLoop() == 1) break;
    }
    HV_FreeMenuMap();
}

}  // namespace

int VideoOpt_ScoreDevice(int card, int device) {
    if (card == 0 && device == -1) return -1;
    const DDrawDeviceInfo* c = DDrawGetDeviceInfo(card);
    const DDraw3DDeviceInfo* d = DDrawGet3DDeviceInfo(card, device);
    if (c == nullptr || d == nullptr) return -1;
    if (WinIsWindowed() && card != 0) return -1;
    if (c->flags & DDDEVINFO_DESKTOPDISABLED) return -1;
    if (DebugGetLevel(DEBUG_DIRECT3D) < 50) {
        if ((c->flags & DDDEVINFO_3DACCELERATED) == 0 || (d->flags & D3DDEVINFO_HARDWARE) == 0) return -1;
    }
    int score = 0;
    if (c->video_memory >= kEnoughDisplay) score += 5;
    if (c->texture_memory >= kSomeTextures) score += 10;
    if (c->texture_memory >= kManyTextures) score += 10;
    if (d->flags & D3DDEVINFO_HARDWARE) score += 50;
    if (d->flags & D3DDEVINFO_HARDWARETL) score += 10;
    if (d->flags & D3DDEVINFO_SUBPIXEL) score += 2;
    if (d->flags & D3DDEVINFO_MIPMAPTEX) score += 2;
    if (d->flags & D3DDEVINFO_SMOOTHTEX) score += 2;
    if (d->flags & D3DDEVINFO_RENDER32) score += 5;
    if (d->max_texture_width > 256 && d->max_texture_height > 256) score += 5;
    if (d->max_texture_aspect_ratio == 0) score += 2;
    if (d->flags & kAnyStencil) score += 10;
    return score;
}

int VideoOpt_FindMode(int no3d, const VideoChoice* choice) {
    if (no3d) {
        constexpr ModeTry kTries[] = {{800, 600, 0}, {512, 384, 0}};
        return FirstFit(kTries, 2, false);
    }
    if (TextureMemory(choice->Card) >= kManyTextures) {
        constexpr ModeTry kRich[] = {{800, 600, 3}, {800, 600, 2}};
        const int mode = FirstFit(kRich, 2, true);
        if (mode >= 0) return mode;
    }
    constexpr ModeTry kTries[] = {{800, 600, 1}, {800, 600, 2}, {800, 600, 3},
                                  {512, 384, 1}, {512, 384, 2}, {512, 384, 3}};
    return FirstFit(kTries, 6, true);
}

void VideoOpt_CheckChoice(VideoChoice* choice) {
    const bool validIndex = choice->ModeIndex >= 0 && choice->ModeIndex < GfxNumModes;
    if (!SameCardAndDevice(*choice, CommittedVideoChoice)) {
        // The mode of another card is chosen once it has been applied.
        choice->ModeIndex = -1;
    } else if (choice->Device == -1) {
        if (!validIndex) {
            choice->ModeIndex = FindModeOrStop(1, choice);
        } else {
            const DDrawModeInfo& mode = GfxModeTable[choice->ModeIndex];
            if (mode.colour_type != 0 || TooSmall(mode)) choice->ModeIndex = VideoOpt_FindMode(1, choice);
        }
    } else {
        if (!validIndex) {
            choice->ModeIndex = FindModeOrStop(0, choice);
        } else {
            const DDrawModeInfo& mode = GfxModeTable[choice->ModeIndex];
            if ((mode.flags & GFXMODE_3D) == 0 || mode.colour_type == 0 || TooSmall(mode)) {
                choice->ModeIndex = VideoOpt_FindMode(0, choice);
            }
        }
    }
    const uint32_t flags = DeviceFlags(choice->Card, choice->Device);
    if (FewTextures(choice->Card)) choice->TextureOption = 0;
    if ((flags & D3DDEVINFO_FOGTABLE) == 0) choice->Fog = 0;
    if ((flags & D3DDEVINFO_MIPMAPTEX) == 0) choice->MipMapping = 0;
}

void VideoInit(int no3d) {
    g_no3d = no3d;
    Survey();
    if (!no3d && SavedChoiceStands(CommittedVideoChoice)) {
        StartGraphics(CommittedVideoChoice);
        VideoOpt_CheckChoice(&CommittedVideoChoice);
        return;
    }
    CommittedVideoChoice = VideoChoice{};
    CommittedVideoChoice.Card = 0;
    CommittedVideoChoice.Device = -1;
    // No mode is chosen yet: the check below finds the fitting one rather
    // than keeping whatever mode comes first in the table.
    CommittedVideoChoice.ModeIndex = -1;
    // A survey without card 0 leaves nothing to choose from.
    const DDrawDeviceInfo* first = DDrawGetDeviceInfo(0);
    if (first == nullptr) AbortError(kModule, __LINE__, "VideoInit(): Failed to find a 3d graphics card!");
    if (first->guid_ptr != nullptr) {
        AbortError(kModule, __LINE__, "VideoInit(): the first card must have the NULL GUID");
    }
    if (!no3d) ChooseAutomatically(&CommittedVideoChoice);
    StartGraphics(CommittedVideoChoice);
    DefaultOptions(&CommittedVideoChoice);
    VideoOpt_CheckChoice(&CommittedVideoChoice);
}

void VideoUninit() {
    const DDrawDeviceInfo* card = DDrawGetDeviceInfo(CommittedVideoChoice.Card);
    const DDraw3DDeviceInfo* device =
        DDrawGet3DDeviceInfo(CommittedVideoChoice.Card, CommittedVideoChoice.Device);
    CommittedVideoChoice.CardGuid = card != nullptr ? card->guid : plat::Guid{};
    CommittedVideoChoice.DeviceGuid = device != nullptr ? device->guid : plat::Guid{};
    GfxUninit();
}

const VideoChoice* VideoGetChoice() { return &CommittedVideoChoice; }
int VideoNo3D() { return g_no3d; }

void VideoOpt_Menu() {
    do {
        VideoAgain = 0;
        HV_StartSetOfMenus();
        VideoOpt_RunScreen();
        HV_EndSetOfMenus();
        if (VideoChanged) {
            UninitSetOfMenus();
            GfxUninit();
            StartGraphics(CommittedVideoChoice);
            InitSetOfMenus();
            VideoOpt_CheckChoice(&CommittedVideoChoice);
        }
    } while (VideoAgain == 1);
}

int16_t Func_CardNext(const HVEvent* event) { return Func_CardSelect(event, +1); }
int16_t Func_CardPrev(const HVEvent* event) { return Func_CardSelect(event, -1); }
int16_t Func_DeviceNext(const HVEvent* event) { return Func_DeviceStep(event, +1); }
int16_t Func_DevicePrev(const HVEvent* event) { return Func_DeviceStep(event, -1); }
int16_t Func_ModeNext(const HVEvent* event) { return Func_ModeSelect(event, +1); }
int16_t Func_ModePrev(const HVEvent* event) { return Func_ModeSelect(event, -1); }

int16_t Func_MipMapSelect(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.Device == -1 || (DeviceFlags(g_work.Card, g_work.Device) & D3DDEVINFO_MIPMAPTEX) == 0)
        return HV_GO_ON;
    g_work.MipMapping = event->value != 0 ? 1 : 0;
    if (g_work.MipMapping == 0 && g_work.FilterLevel == 2) g_work.FilterLevel = 1;
    return HV_REDRAW;
}

int16_t Func_FilterSelect(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.Device == -1) return HV_GO_ON;
    if ((DeviceFlags(g_work.Card, g_work.Device) & D3DDEVINFO_SMOOTHTEX) == 0) return HV_REDRAW;
    if (event->value == 2 && g_work.MipMapping == 0) return HV_GO_ON_TOO;
    // The screen has three buttons; no other level exists.
    if (event->value < 0 || event->value > 2) return HV_GO_ON_TOO;
    g_work.FilterLevel = event->value;
    return HV_REDRAW;
}

int16_t Func_LightingSelect(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.Device == -1) return HV_GO_ON;
    g_work.Lighting = event->value != 0 ? 1 : 0;
    return HV_REDRAW;
}

int16_t Func_TextureSelect(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.Device == -1) return HV_GO_ON;
    g_work.TextureOption = event->value != 0 ? 1 : 0;
    return HV_REDRAW;
}

int16_t Func_FogSelect(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    if (g_work.Device == -1) return HV_GO_ON;
    if ((DeviceFlags(g_work.Card, g_work.Device) & D3DDEVINFO_FOGTABLE) == 0) return HV_GO_ON_TOO;
    g_work.Fog = event->value != 0 ? 1 : 0;
    return HV_REDRAW;
}

int16_t Func_Apply(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    return Commit(1);
}

int16_t Func_Ok(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    return Commit(0);
}

int16_t Func_Cancel(const HVEvent* event) {
    if (!Pressed(event)) return HV_GO_ON_TOO;
    VideoAgain = 0;
    return HV_LEAVE_MENU;
}

const VideoChoice& VideoOpt_WorkingChoice() { return g_work; }
int16_t VideoOpt_ButtonState(int row, int value) {
    if (row < 0 || row >= kOptionRows || value < 0 || value >= kMaxValues) return kVideoButtonGreyed;
    return g_buttonState[row][value];
}
bool VideoOpt_ArrowsShown(int row) { return row >= 0 && row < kBoxRows && g_arrowsHidden[row] == 0; }
const char* VideoOpt_RowText(int row) { return row >= 0 && row < kBoxRows ? g_rowText[row] : ""; }
void VideoOpt_SetSurvey(VideoSurveyFunction survey) { g_survey = survey; }
