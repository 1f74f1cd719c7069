// The 3D world around the figures: pitch, goals, balls, stadiums with their
// cameras and lights, the overlay panels' simple models, the lens flares
// and the nation flags.  Models are placed in pitch units and written in
// metres through the display's load convention (game/match3d/worldconvention.h).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/match3d/worldconvention.h"
#include "tools/datakit/tgawrite.h"
#include "tools/datakit/xyzwrite.h"

namespace datakit {

using worldconv::PitchPoint;

// The model point of a pitch position.
XyzVec PitchVec(PitchPoint p);

// A surface named after its texture (or a named point), with its material:
// flags and the material number written into the surface's second block.
// Two-sided materials also set the surface's double-sided bit.
uint32_t WorldSurface(XyzModel& model, std::string_view name, uint32_t flags = 0, int number = 0);
// A quadrilateral given in pitch units, its corners clockwise as seen from
// the side it shows.
void WorldQuad(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c, PitchPoint d,
               const XyzUvRect& uv = {});
void WorldTriangle(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c,
                   std::array<float, 3> u, std::array<float, 3> v);
// The same, with the corners in any ring order: the order is turned so the
// face shows towards the outward hint (mirroring u when it has to).
void WorldFaceQuad(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c, PitchPoint d,
                   PitchPoint outward, const XyzUvRect& uv = {});
// A point named by its surface ("cam_a1", "flare_2").
void WorldNamedPoint(XyzModel& model, std::string_view name, PitchPoint p, uint16_t bone = 0);

// Pictures: a TGA of 24 bits when every pixel is opaque, else of 32.
std::vector<uint8_t> TgaWriteWorld(const Picture& picture);
// Stages zudata\d3d\<dir>\<name>.tga; sides must be powers of two up to 512.
void StageWorldTexture(std::string_view dir, std::string_view name, const Picture& picture);

// How a model's materials find their textures.
enum class TextureRule {
    kNone,     // point models: no textures
    kPlain,    // each material names a texture in the model's directory
    kStadium,  // crowd and board materials map to the shared crowd and board textures
};
// Writes the model, checks it with the support library's model check and
// stages it as zudata\d3d\<path>; its textures are checked when the world
// is finished (CheckWorldTextures).
void StageWorldModel(std::string_view path, const XyzModel& model, std::string_view textureDir,
                     TextureRule rule);
// Every staged world model's materials name staged textures, else the run
// ends naming the model and the texture.
void CheckWorldTextures();

// The texture a stadium material is drawn with ("crowd_1" takes the first
// crowd texture, boards the shared board), as zudata\d3d path without
// extension.
std::string StadiumTexturePath(std::string_view textureDir, std::string_view material);

// Named-point checks; a fault ends the run naming the file.
// The camera points are "cam_a1" .. "cam_aN" with no gap, one point each.
void CheckCameraModel(std::string_view path, const XyzModel& model);
// Every "flare_n" has its "mark_n" and the other way round; no other names.
void CheckFlareModel(std::string_view path, const XyzModel& model);

// Picture helpers.
uint32_t MixColour(uint32_t a, uint32_t b, float t);
void FillDisc(Picture& picture, float cx, float cy, float radius, uint32_t argb);
// A radial glow: alpha falls from the centre to the edge.
Picture MakeGlow(int size, uint32_t rgb, float sharpness);
// A small deterministic noise in -1..1 for texture grain.
float Grain(uint32_t x, uint32_t y, uint32_t seed);
void AddGrain(Picture& picture, float amount, uint32_t seed);

// The pitch's markings (touchlines, goal lines, halfway line, circle and
// spots, both areas and arcs), one surface "lines".
XyzModel MakePitchLines();

// A flag drawn from its table row; a malformed drawing ends the run
// naming the table's file and line.
Picture DrawFlag(const char* name, uint32_t width, uint32_t height, const char* drawing, int line);

// A font of the match display: its file, cells and the sheet, with the
// advance of every character (the width the marker-mode cut reads).
struct IconSheet {
    std::string file;
    int cellWidth = 0, cellHeight = 0;
    Picture picture;
    std::array<uint8_t, 256> widths{};
};
// Fonts 0..2: fnt24, fnt16, fnt12.
IconSheet DrawIconFont(int number);
// The mouse pointer: an outlined arrow, tip at the top left.
Picture DrawPointer();
// The cells of one icon file, all of one size.
struct IconCells {
    int width = 0, height = 0;
    std::vector<std::vector<uint32_t>> cells;
};
// The icon pages of 256 x 256 the files fill when packed in order, row by
// row, identical pictures shared.
int IconPagesNeeded(const std::vector<IconCells>& files);

// The generators, in the order they run.
void GeneratePitchAndGoals();
void GenerateStadiums();
void GenerateSimpleModels();
void GenerateFlags();
void GenerateIconFiles();
void GenerateWorld3d();

}  // namespace datakit
