// The choice of display card, 3D device and screen mode.
#pragma once

// Chooses the card, device and mode at start-up; no3d is 1 when "-no3d" was
// given.
void VideoInit(int no3d);
// Remembers the card and device in use for the next run and shuts graphics
// down.
void VideoOpt_ReselectDevice();
// Whether the 3D display was switched off on the command line.
int VideoNo3D();
