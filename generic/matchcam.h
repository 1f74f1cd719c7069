// The match camera as the replay needs it: the camera mode (0 the free
// camera, 1 and 2 the automatic replay camera watching the low or the high
// goal), the camera type whose list of cameras the replay steps through,
// the selected camera of that list and the pre-match fly-in's height.
// These are the least forms of the camera; MatchCam_ConnectReplay hands
// them to the replay ring when a shown match starts.
#pragma once
#include <cstdint>

constexpr int16_t kStadiumCameras = 16;

extern int16_t CameraType;
extern float FlyInHeight;

int16_t MatchCam_GetMode();
void MatchCam_SetMode(int16_t mode);
// Steps the selected camera of the current list forward (+1) or back (-1).
void MatchCam_Cycle(int16_t step);
int16_t MatchCam_GetSelected();
// Installs the camera and panel calls of the replay ring.
void MatchCam_ConnectReplay();
