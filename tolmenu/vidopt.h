// The choice of display card, 3D device and screen mode.
#pragma once
#include <cstdint>

#include "platform/ddraw.h"

// The committed video choice.
struct VideoChoice {
    int32_t Card;
    int32_t Device;  // -1: no 3D device
    plat::Guid CardGuid;
    plat::Guid DeviceGuid;
    int32_t ModeIndex;  // into the mode table, -1 for none
};

// Chooses the card, device and mode at start-up and initialises graphics;
// no3d is 1 when "-no3d" was given.
void VideoInit(int no3d);
// Remembers the card and device in use for the next run and shuts graphics
// down.
void VideoOpt_ReselectDevice();
// The smallest fitting mode for the choice's card and device, or -1.
int VideoOpt_FindMode(int no3d, const VideoChoice* choice);
const VideoChoice* VideoGetChoice();
// Whether the 3D display was switched off on the command line.
int VideoNo3D();
// The video options screen; returns when the user leaves it.
void VideoOpt_Menu();
