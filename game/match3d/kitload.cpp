#include "game/match3d/kitload.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/match/matchsetup.h"
#include "game/match3d/matchtextures.h"
#include "game/system/poll.h"

const KitPart KitPartTable[kKitParts + 1] = {
    {kKitKindSkin, 0xff, "armhand", "sskin\\textures\\skins", 0},
    {kKitKindSkin, 0xff, "face", "sskin\\textures\\SKINS", 0},
    {kKitKindSkin, 0xff, "leg", "sskin\\textures\\SKINS", 0},
    {kKitKindHair, 0xff, "hair", "sskin\\textures\\hair", 0},
    {kKitKindPlain, 0xff, "boots", "sskin\\textures\\plain", 0},
    {kKitKindPlain, 0xff, "kglove", "sskin\\textures\\plain", 0},
    {kKitKindShirt, 0x101c, "shirt", "sskin\\textures\\kits\\shirts", 0},
    {kKitKindShorts, 0x101c, "shorts", "sskin\\textures\\kits\\shorts", 1},
    {kKitKindSocks, 0x101c, "socks", "sskin\\textures\\kits\\socks", 2},
    {kKitKindKeeperShirt, 0x100c, "k_shirt", "sskin\\textures\\kits\\shirts", 3},
    {0, 0, nullptr, nullptr, 0},
};

int16_t KitTextureTable[kKitFigures][kKitColumns];
PlainTextureNameEntry PlainTextureName[kPlainTextureNames];

namespace {

constexpr KitDesignRow OfficialsKit(uint16_t colour) {
    KitDesignRow row{};
    for (int w = 0; w < kKitWords; ++w) row.words[w] = (w == 0 || w == 5 || w == 9) ? 0 : colour;
    return row;
}

constexpr int kKitTypes = 64;
constexpr int kPlayersPerSide = 16;
constexpr int kRefereeFigure = 32;
// Officials wear design 1 of every kit part, whatever their rows say.
constexpr int16_t kOfficialsDesign = 1;

bool SameNameNoCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
        const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
        if (lower(ca) != lower(cb)) return false;
    }
    return *a == *b;
}

int KitSide(int figure) {
    if (figure < kPlayersPerSide) return 0;
    if (figure < 2 * kPlayersPerSide) return 1;
    return figure == kRefereeFigure ? 2 : 3;
}

int16_t SkinType(uint16_t skinColour) {
    switch (skinColour) {
        case 1:
            return 0;
        case 5:
            return 1;
        case 4:
        case 6:
            return 2;
        default:
            return 3;
    }
}

int16_t HairType(const PhysLook& look) {
    static constexpr int16_t kColourBits[3] = {4, 12, 8};
    const int16_t colour = look.hairColour < 3 ? kColourBits[look.hairColour] : 0;
    int16_t length = 16;
    if (look.hairStyle <= 2) length = 0;
    if (look.hairStyle == 3 || look.hairStyle == 5 || look.hairStyle == 6) length = 32;
    return int16_t(colour | length);
}

KitDesignRow SideKit(int side) {
    const EnterGameInfo* block = GetMatchSetupBlock();
    KitDesignRow row{};
    const uint8_t* words = block->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamKit;
    for (int w = 0; w < kKitWords; ++w) row.words[w] = recbits::LoadU16(words + 2 * w);
    return row;
}

// The design of a kit part's file.  A negative design, or one whose file
// the archive does not hold (a goal file may carry any word), is reported
// and replaced by design 0.
int16_t KitFileDesign(int side, const KitPart* row) {
    if (side > 3) FatalError("ERROR: BuildFilename type = %d", side);
    if (side >= 2) return kOfficialsDesign;
    const int16_t design = Kit_ReturnKit(row->kind, side);
    bool usable = design >= 0;
    if (usable) {
        char name[128];
        std::snprintf(name, sizeof name, "zudata\\d3d\\%s\\%s%02d.tga", row->directory, row->name,
                      int(design));
        usable = PakCheckFile(name) != 0;
    }
    if (usable) return design;
    std::printf("\nWARNING: BAD KIT DESIGN FOR TEAM%d kit number %d\n", side, int(row->kind));
    return 0;
}

}  // namespace

const KitDesignRow RefereeKit = OfficialsKit(6);
const KitDesignRow LinesmanKit = OfficialsKit(11);
const PhysLook OfficialsLook = {0, 2, 0, 4};

void KIT_ClearTextureTable() {
    for (auto& figure : KitTextureTable) std::fill(std::begin(figure), std::end(figure), kNoKitTexture);
}

void KIT_LoadAllTextures() {
    for (int column = 0; KitPartTable[column].name != nullptr; ++column) {
        Poll();
        KIT_LoadOneTexture(column, &KitPartTable[column]);
    }
}

void KIT_LoadOneTexture(int column, const KitPart* row) {
    int16_t cache[kKitTypes];
    std::fill(std::begin(cache), std::end(cache), kNoKitTexture);
    for (int figure = 0; figure < kKitFigures; ++figure) {
        const int16_t type = KIT_GetKitType(row, figure);
        if (type < 0 || type >= kKitTypes)
            FatalError("Error: KIT_LoadOneTexture(): type out of range: %d\n", type);
        if (cache[type] == kNoKitTexture) {
            const char* name = KIT_BuildFilename(type, row);
            cache[type] =
                int16_t((row->flags & kKitFlagTeamColoured) ? TexD3D_CreateTextureForTeam(name, type, row)
                                                            : TexD3D_CreateTexture(name));
        }
        KitTextureTable[figure][column] = cache[type];
    }
}

int16_t KIT_GetKitType(const KitPart* row, int figure) {
    switch (row->kind) {
        case kKitKindPlain:
            return 0;
        case kKitKindSkin:
            return SkinType(KIT_GetPlayerPhysLook(figure).skinColour);
        case kKitKindSocks:
        case kKitKindShirt:
        case kKitKindShorts:
        case kKitKindKeeperShirt:
            return int16_t(KitSide(figure));
        case kKitKindHair:
            return HairType(KIT_GetPlayerPhysLook(figure));
        default:
            FatalError("ERROR: KIT_GetKitType(): `default case hit'");
    }
}

const char* ReturnSkinName(int16_t type) {
    switch (type & 3) {
        case 0:
            return "latin";
        case 1:
            return "dafrican";
        case 2:
            return "westind";
        case 3:
            return "white";
        default:
            FatalError("ERROR: ReturnSkinName default case hit!");
    }
}

const char* ReturnHairColName(int16_t type) {
    switch (type & 12) {
        case 0:
            return "black";
        case 4:
            return "blonde";
        case 8:
            return "brown";
        case 12:
            return "ginger";
        default:
            FatalError("ERROR: ReturnHairColName default case hit!");
    }
}

const char* ReturnHairLengthName(int16_t type) {
    switch (type & 48) {
        case 0:
            return "short";
        case 16:
            return "normal";
        case 32:
            return "long";
        default:
            FatalError("ERROR: ReturnHairLengthName default case hit!");
    }
}

const char* KIT_BuildFilename(int16_t type, const KitPart* row) {
    static char name[256];
    switch (row->kind) {
        case kKitKindPlain:
            std::snprintf(name, sizeof name, "%s\\%s.tga", row->directory, row->name);
            break;
        case kKitKindSkin:
            std::snprintf(name, sizeof name, "%s\\%s\\%s.tga", row->directory, ReturnSkinName(type),
                          row->name);
            break;
        case kKitKindHair:
            std::snprintf(name, sizeof name, "%s\\%s\\%s.tga", row->directory, ReturnHairLengthName(type),
                          ReturnHairColName(type));
            break;
        case kKitKindShirt:
        case kKitKindShorts:
        case kKitKindSocks:
            std::snprintf(name, sizeof name, "%s\\%s%02d.tga", row->directory, row->name,
                          int(KitFileDesign(type, row)));
            break;
        case kKitKindKeeperShirt:
            std::snprintf(name, sizeof name, "%s\\shirt01.tga", row->directory);
            break;
        default:
            FatalError("ERROR: KIT_BuildFilename `default case hit'");
    }
    return name;
}

int16_t Kit_ReturnKit(uint32_t kind, int side) {
    const KitDesignRow kit = SideKit(side);
    switch (kind) {
        case kKitKindShirt:
        case kKitKindKeeperShirt:
            return int16_t(kit.words[0]);
        case kKitKindShorts:
            return int16_t(kit.words[5]);
        case kKitKindSocks:
            return int16_t(kit.words[9]);
        case kKitKindShirtTop:
            FatalError("ERROR:FILE_GFX_DIRNOS_SHIRTTOP");
        case kKitKindShirtArmLeft:
            FatalError("ERROR:FILE_GFX_DIRNOS_SHIRTARM_L");
        case kKitKindShirtArmRight:
            FatalError("ERROR:FILE_GFX_DIRNOS_SHIRTARM_R");
        default:
            FatalError("ERROR: Kit_ReturnKit %d kitpart not found", int(kind));
    }
}

PhysLook KIT_GetPlayerPhysLook(int figure) {
    if (figure < 0 || figure >= kKitFigures) {
        FatalError("Error: KIT_GetPlayerPhysLook(): player number %d out of range\n", figure);
    }
    if (figure >= 2 * kPlayersPerSide) return OfficialsLook;
    const int side = figure / kPlayersPerSide;
    const uint8_t* player =
        GetMatchSetupBlock()->bytes + gameinfo::PlayerInfoAt(side, figure % kPlayersPerSide);
    return PhysLook{
        recbits::LoadU16(player + gameinfo::kSkinColour), recbits::LoadU16(player + gameinfo::kHairColour),
        recbits::LoadU16(player + gameinfo::kPhysLookWord3), recbits::LoadU16(player + gameinfo::kHairStyle)};
}

int KITPLR_GetTextureIndexFromName(const char* name) {
    for (int column = 0; KitPartTable[column].name != nullptr; ++column) {
        char file[64];
        std::snprintf(file, sizeof file, "%s.tga", KitPartTable[column].name);
        if (SameNameNoCase(file, name)) return column;
    }
    FatalError("Error: KITPLR_GetTextureIndexFromName(): cannot find '%s' texture in list\n", name);
}

int KIT_GetTexture(int figure, int column) {
    if (figure < 0 || figure >= kKitFigures || column < 0 || column >= kKitColumns) return -1;
    return TexD3D_GetHandle(KitTextureTable[figure][column]);
}

void KIT_LoadMatchKits() {
    TexD3D_SetTeamColours(0, SideKit(0));
    TexD3D_SetTeamColours(1, SideKit(1));
    TexD3D_SetTeamColours(2, RefereeKit);
    TexD3D_SetTeamColours(3, LinesmanKit);
    KIT_ClearTextureTable();
    KIT_LoadAllTextures();
}

// ---- The plain texture name cache -----------------------------------------

void NORMTEXT_Init() {
    for (PlainTextureNameEntry& entry : PlainTextureName) {
        entry.name[0] = '\0';
        entry.slot = kNoKitTexture;
    }
}

int NORMTEXT_LoadTexture(const char* name) {
    // A name that does not fit would be cut and could then match, or later
    // be matched by, another texture's name.
    if (std::strlen(name) >= size_t(kPlainTextureNameSize)) {
        FatalError("ERROR:NORMTEXT_LoadTexture name too long (%d characters, at most %d): '%s'\n",
                   int(std::strlen(name)), kPlainTextureNameSize - 1, name);
    }
    int empty = -1;
    for (int i = 0; i < kPlainTextureNames; ++i) {
        const PlainTextureNameEntry& entry = PlainTextureName[i];
        if (entry.name[0] == '\0') {
            if (empty < 0) empty = i;
            continue;
        }
        if (SameNameNoCase(entry.name, name)) return i;
    }
    if (empty < 0) FatalError("ERROR:NORMTEXT_LoadTexture MAX Textures reached\n");
    PlainTextureNameEntry& entry = PlainTextureName[empty];
    entry.slot = int16_t(TexD3D_CreateTexture(name));
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    return empty;
}

int KIT_GetTextureSizeFromIndex(int index) {
    if (index < 0 || index >= kPlainTextureNames) {
        FatalError("Error: KIT_GetTextureSizeFromIndex(): invalid index %d\n", index);
    }
    return TexD3D_GetHandle(PlainTextureName[index].slot);
}
