#include "tolmenu/vidopt.h"

namespace {
int g_no3d = 0;
}

void VideoInit(int no3d) { g_no3d = no3d; }
void VideoOpt_ReselectDevice() {}
int VideoNo3D() { return g_no3d; }
