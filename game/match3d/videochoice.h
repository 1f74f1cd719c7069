// The choice of display card, 3D device, screen mode and rendering options:
// the automatic choice at start-up, its checks, and the video options screen.
#pragma once
#include <cstdint>

#include "platform/ddraw.h"

struct HVEvent;

// Sixteen 32-bit words: the committed block is what the match display reads;
// the options screen edits a working copy.
struct VideoChoice {
    int32_t Card;
    int32_t Device;  // -1: no 3D device
    plat::Guid CardGuid;
    plat::Guid DeviceGuid;
    int32_t ModeIndex;  // into the mode table, -1 for none
    int32_t MipMapping;
    int32_t FilterLevel;  // 0 point, 1 linear, 2 linear with linear mip-maps
    int32_t Lighting;
    int32_t Fog;
    int32_t TextureOption;  // 0: textures are made with the low-quality flag
};
static_assert(sizeof(VideoChoice) == 64);

extern VideoChoice CommittedVideoChoice;
// Set by Apply (the screen opens again) and when Apply or OK changed the
// card or device (the graphics are started again on it).
extern int32_t VideoAgain;
extern int32_t VideoChanged;

// Chooses the card, device and mode at start-up and initialises graphics;
// no3d is 1 when "-no3d" was given.
void VideoInit(int no3d);
// Remembers the card and device in use for the next start and shuts the
// graphics down.
void VideoUninit();
// Score of a card and device pair, -1 when the pair cannot be used.
int VideoOpt_ScoreDevice(int card, int device);
// Makes a choice consistent: its mode and the options the card and device
// allow.
void VideoOpt_CheckChoice(VideoChoice* choice);
// The smallest fitting mode for the choice's card and device, or -1.
int VideoOpt_FindMode(int no3d, const VideoChoice* choice);
const VideoChoice* VideoGetChoice();
// Whether the 3D display was switched off on the command line.
int VideoNo3D();
// The video options screen; returns when the user leaves it.
void VideoOpt_Menu();

// The screen's handlers; each acts on a press (202) only, else 301.
int16_t Func_CardNext(const HVEvent* event);
int16_t Func_CardPrev(const HVEvent* event);
int16_t Func_DeviceNext(const HVEvent* event);
int16_t Func_DevicePrev(const HVEvent* event);
int16_t Func_ModeNext(const HVEvent* event);
int16_t Func_ModePrev(const HVEvent* event);
// The option handlers take the pressed button's value (0 off or lowest).
int16_t Func_MipMapSelect(const HVEvent* event);
int16_t Func_FilterSelect(const HVEvent* event);
int16_t Func_LightingSelect(const HVEvent* event);
int16_t Func_FogSelect(const HVEvent* event);
int16_t Func_TextureSelect(const HVEvent* event);
int16_t Func_Apply(const HVEvent* event);
int16_t Func_Cancel(const HVEvent* event);
int16_t Func_Ok(const HVEvent* event);

// What the screen shows, for tests: the working copy, and per option row
// (mip-mapping, filtering, lighting, fog, textures) the state of each value
// button: kVideoButtonGreyed, kVideoButtonNormal or kVideoButtonSelected.
constexpr int16_t kVideoButtonNormal = 1;
constexpr int16_t kVideoButtonGreyed = 3;
constexpr int16_t kVideoButtonSelected = 5;
const VideoChoice& VideoOpt_WorkingChoice();
int16_t VideoOpt_ButtonState(int row, int value);
// Whether each boxed row (card, device, mode) shows its two arrows.
bool VideoOpt_ArrowsShown(int row);
// The value text of a boxed row as last shown.
const char* VideoOpt_RowText(int row);

// The survey of cards and devices VideoInit starts with (DXEnumDisplay when
// none is set); a test puts its own in place to describe other cards.
using VideoSurveyFunction = void (*)();
void VideoOpt_SetSurvey(VideoSurveyFunction survey);
