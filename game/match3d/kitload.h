// Kit and player looks of a shown match: which texture every textured part
// of every match figure wears, and the loading of those textures; beside it
// the name cache through which the stadium and the world objects load their
// plain textures once.
//
// Figures 0-15 are the home side's players, 16-31 the away side's, 32 the
// referee, 33 and 34 the linesmen.
#pragma once
#include <cstdint>

#include "game/match3d/kitpalette.h"

// Part kinds.  Kinds 4, 6 and 9 name kit parts that have no texture of their
// own; 7 and 8 mean nothing.
constexpr uint32_t kKitKindPlain = 0;
constexpr uint32_t kKitKindSkin = 1;
constexpr uint32_t kKitKindSocks = 2;
constexpr uint32_t kKitKindShirt = 3;
constexpr uint32_t kKitKindShirtTop = 4;
constexpr uint32_t kKitKindShorts = 5;
constexpr uint32_t kKitKindShirtArmLeft = 6;
constexpr uint32_t kKitKindShirtArmRight = 9;
constexpr uint32_t kKitKindKeeperShirt = 10;
constexpr uint32_t kKitKindHair = 11;

// A part painted in the side's colours (a palette picture); without it the
// file is a plain texture.
constexpr uint32_t kKitFlagTeamColoured = 0x1000;

struct KitPart {
    uint32_t kind;
    uint32_t flags;
    const char* name;
    const char* directory;  // under the texture root
    uint32_t colourGroup;   // 0 shirt, 1 shorts, 2 socks, 3 keeper shirt
};

constexpr int kKitParts = 10;
// The ten textured parts in column order, ended by a row with a null name.
extern const KitPart KitPartTable[kKitParts + 1];

constexpr int kKitFigures = 35;
constexpr int kKitColumns = 37;
constexpr int16_t kNoKitTexture = -1;
// Texture slots by figure and column (columns 0-9 are the KitPartTable rows).
extern int16_t KitTextureTable[kKitFigures][kKitColumns];

struct PhysLook {
    uint16_t skinColour;
    uint16_t hairColour;
    uint16_t word3;
    uint16_t hairStyle;
};

// The officials' kits and their one look.
extern const KitDesignRow RefereeKit;
extern const KitDesignRow LinesmanKit;
extern const PhysLook OfficialsLook;

void KIT_ClearTextureTable();
// Loads every part's column, polling between parts.
void KIT_LoadAllTextures();
// Fills one column for all 35 figures: one texture per distinct type.
void KIT_LoadOneTexture(int column, const KitPart* row);
// The variant (0-63) of a part a figure wears.
int16_t KIT_GetKitType(const KitPart* row, int figure);
// The part's file for a type, relative to the texture root, in one static
// buffer that the next call overwrites.
const char* KIT_BuildFilename(int16_t type, const KitPart* row);
// The design word of a kit part of side 0 or 1 in the set-up block.
int16_t Kit_ReturnKit(uint32_t kind, int side);
PhysLook KIT_GetPlayerPhysLook(int figure);
const char* ReturnSkinName(int16_t type);
const char* ReturnHairColName(int16_t type);
const char* ReturnHairLengthName(int16_t type);
// The column of a model's texture name ("face.tga"), case-blind.
int KITPLR_GetTextureIndexFromName(const char* name);
// The device texture of a figure's part; -1 when it has none.
int KIT_GetTexture(int figure, int column);
// The kit textures of a shown match: the four sides' colours (home and away
// from the set-up block, the officials' fixed kits), then every column.
void KIT_LoadMatchKits();

// ---- The plain texture name cache -----------------------------------------

constexpr int kPlainTextureNames = 1024;
constexpr int kPlainTextureNameSize = 80;
struct PlainTextureNameEntry {
    char name[kPlainTextureNameSize];  // empty: free
    int16_t slot;
};
extern PlainTextureNameEntry PlainTextureName[kPlainTextureNames];

void NORMTEXT_Init();
// The cache entry of a texture, loading it the first time its name (in any
// case) is asked for.
int NORMTEXT_LoadTexture(const char* name);
// The device texture of a cache entry.
int KIT_GetTextureSizeFromIndex(int index);
