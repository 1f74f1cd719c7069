// The texture table of the 3D match: every texture of the match world
// (kits, skins, stadium, balls) is a slot of one table of device texture
// handles, and the rest of the display names a texture by its slot.  Kit
// textures are painted per side: a palette picture says which of the side's
// kit colours each texel takes, and a grey shading picture of the part gives
// its light (red) and highlight (blue).
#pragma once
#include <cstdint>

#include "game/match3d/kitpalette.h"
#include "game/system/pixelformats.h"

struct KitPart;

constexpr int kTextureSlots = 1295;
constexpr uint32_t kFreeTextureSlot = 0xFFFFFFFF;

// Kit sides and colour groups of KitColourTable.
constexpr int kKitSides = 4;         // 0 home, 1 away, 2 referee, 3 linesmen
constexpr int kKitColourGroups = 4;  // 0 shirt, 1 shorts, 2 socks, 3 keeper shirt
constexpr int kKitPens = 4;
// Pen 3 of the shorts and the socks: always this colour (yellow).
constexpr uint32_t kKitTrimColour = 10;

extern uint32_t TextureSlot[kTextureSlots];
extern uint32_t KitColourTable[kKitSides][kKitColourGroups][kKitPens];

// The texture creation takes 32-bit blocks in ColFmt_A8R8G8B8; the kit
// shading packs its texels in it too.

// Empties the table (match start).
void TexD3D_Init();
// Releases every used handle (match end).
void TexD3D_DestroyAll();
// The device handle of a slot; -1 for a free slot or an index outside the
// table (a part that has no texture is drawn untextured).
int TexD3D_GetHandle(int index);
// Loads "zudata\d3d\" + name as a plain texture into the lowest free slot.
int TexD3D_CreateTexture(const char* name);
// Paints the palette picture "zudata\d3d\" + name in a side's colours of
// the row's colour group, shaded by the row's shading picture.
int TexD3D_CreateTextureForTeam(const char* name, int side, const KitPart* row);
// Fills the side's colours from a kit row.
void TexD3D_SetTeamColours(int side, const KitDesignRow& design);
// A side's colour of a group and pen; colour 5 when any is outside 0..3.
uint32_t TexD3D_GetTeamColour(int side, int group, int pen);
// One finished kit texel in ColFmt_A8R8G8B8: the palette colour lifted
// toward white by highlight (in proportion to its brightness), then darkened
// by light.  Both run 0..1.
uint32_t TexD3D_ShadeColour(int32_t colour, float light, float highlight);
