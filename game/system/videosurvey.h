// The survey of display cards and their 3D devices, and the selection the
// game's video choice makes from it.
#pragma once
#include <cstdint>

#include "platform/ddraw.h"

constexpr int DDRAW_MAX_DEVICES = 16;
constexpr int DDRAW_MAX_3DDEVICES = 16;

// Card flags.
constexpr uint32_t DDDEVINFO_3DACCELERATED = 0x01;
constexpr uint32_t DDDEVINFO_DESKTOP = 0x02;
constexpr uint32_t DDDEVINFO_DESKTOPDISABLED = 0x04;
constexpr uint32_t DDDEVINFO_NONDISPLAY = 0x08;
constexpr uint32_t DDDEVINFO_WINDOWED = 0x10;

// 3D device flags.
constexpr uint32_t D3DDEVINFO_HARDWARE = 0x1;
constexpr uint32_t D3DDEVINFO_HARDWARETL = 0x2;
constexpr uint32_t D3DDEVINFO_SUBPIXEL = 0x10;
constexpr uint32_t D3DDEVINFO_SUBPIXELX = 0x20;
constexpr uint32_t D3DDEVINFO_SORTNOZBUFF = 0x40;
constexpr uint32_t D3DDEVINFO_SQUARETEX = 0x80;
constexpr uint32_t D3DDEVINFO_MIPMAPTEX = 0x100;
constexpr uint32_t D3DDEVINFO_SMOOTHTEX = 0x200;
constexpr uint32_t D3DDEVINFO_FOGTABLE = 0x800;
constexpr uint32_t D3DDEVINFO_RENDER8 = 0x10000;
constexpr uint32_t D3DDEVINFO_RENDER16 = 0x20000;
constexpr uint32_t D3DDEVINFO_RENDER24 = 0x40000;
constexpr uint32_t D3DDEVINFO_RENDER32 = 0x80000;
constexpr uint32_t D3DDEVINFO_ZBUFFER8 = 0x100000;
constexpr uint32_t D3DDEVINFO_ZBUFFER16 = 0x200000;
constexpr uint32_t D3DDEVINFO_ZBUFFER24 = 0x400000;
constexpr uint32_t D3DDEVINFO_ZBUFFER32 = 0x800000;
constexpr uint32_t D3DDEVINFO_STENCIL8 = 0x1000000;
constexpr uint32_t D3DDEVINFO_STENCIL16 = 0x2000000;
constexpr uint32_t D3DDEVINFO_STENCIL24 = 0x4000000;
constexpr uint32_t D3DDEVINFO_STENCIL32 = 0x8000000;

struct DDraw3DDeviceInfo {
    plat::Guid guid;  // first, so a pointer to the record points to the GUID
    char name[32];
    char description[64];
    uint32_t flags;
    uint32_t max_texture_width;
    uint32_t max_texture_height;
    uint32_t min_texture_width;
    uint32_t min_texture_height;
    uint32_t max_texture_aspect_ratio;
};
using D3DDeviceInfo = DDraw3DDeviceInfo;

struct DDrawDeviceInfo {
    plat::Guid* guid_ptr;  // &guid, or null for the primary display driver
    plat::Guid guid;
    uint32_t pass;  // 1 attached to the desktop, 2 detached, 3 non-display
    char driver_name[32];
    char description[64];
    void* monitor;
    char adapter_description[64];
    char driver_version[24];
    uint32_t flags;
    uint32_t video_memory;
    uint32_t texture_memory;
    uint32_t device3d_count;
    DDraw3DDeviceInfo devices[DDRAW_MAX_3DDEVICES];
};

void DXEnumDisplay();
DDrawDeviceInfo* DDrawGetDeviceInfo(int device);
DDraw3DDeviceInfo* DDrawGet3DDeviceInfo(int device, int device3d);
void DDrawSelectDevice(int device, int device3d);
DDrawDeviceInfo* DDrawGetCurrentDeviceInfo();
DDraw3DDeviceInfo* DDrawGetCurrent3DDeviceInfo();
plat::Guid* DDrawGetCurrentDeviceGUID();
// The number of cards in the table (for tests and listings).
uint32_t DDrawGetDeviceCount();
// The current card and 3D device indexes.
int DDrawGetCurrentDevice();
int DDrawGetCurrent3DDevice();
