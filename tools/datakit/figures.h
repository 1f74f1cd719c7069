// The people on the pitch: the 36 figure models (player, keeper and
// referee; short, mid and tall builds; four levels of detail named after
// their triangle budgets), the shadow figure, and every texture the kit
// rules can ask for: skins, hair, boots, keeper gloves, the shorts and
// socks designs as palette pictures, and the shading of shirt, shorts and
// socks.
//
// All models share the 18-bone skeleton of the motion clips (models.h).
// The short build is the clips' own; mid and tall are taller and broader
// by their ratio, legs scaled with them, so that standing at the ratio
// times a clip frame's reference height puts their boots on the grass.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/datakit/models.h"
#include "tools/datakit/tgawrite.h"
#include "tools/datakit/xyzwrite.h"

namespace datakit {

enum class FigureRole { kPlayer, kKeeper, kReferee };
constexpr std::array<const char*, 3> kFigureRoleNames = {"player", "keeper", "referee"};
constexpr std::array<const char*, 3> kFigureBuildNames = {"short", "mid", "tall"};
// Height ratios of the builds to the clips' reference height.
constexpr std::array<float, 3> kFigureBuildRatios = {1.0f, 1.03f, 1.07f};
// Levels of detail: the name of each is its triangle budget.
constexpr std::array<int, 4> kFigureLevels = {1000, 600, 350, 150};
constexpr int kShadowBudget = 150;

// "zudata\d3d\sskin\models\<role>\<build>\<level>norm.xyz".
std::string FigureModelPath(FigureRole role, int build, int level);
constexpr const char* kShadowModelPath = "zudata\\d3d\\sskin\\models\\shadow\\shadow.xyz";

XyzModel MakeFigureModel(FigureRole role, int build, int levelIndex);
XyzModel MakeShadowModel();
// Triangles of a model (a quadrilateral counts two).
int FigureTriangleCount(const XyzModel& model);
// Why the kit refuses a figure model: over its budget, a parent numbered
// above its child, a surface naming no kit part (only the card and the
// shadow's black are untextured), or the support library's model check;
// empty when sound.
std::string FigureModelFault(const XyzModel& model, int budget);
// The card surface's texture name is empty: it is drawn in the card's colour.
constexpr uint32_t kCardMaterialFlags = 0x01;

// The skin tones, hair colours and lengths the kit rules name.
constexpr std::array<const char*, 4> kSkinNames = {"latin", "dafrican", "westind", "white"};
constexpr std::array<const char*, 4> kHairColourNames = {"black", "blonde", "brown", "ginger"};
constexpr std::array<const char*, 3> kHairLengthNames = {"short", "normal", "long"};
constexpr std::array<const char*, 3> kSkinParts = {"armhand", "face", "leg"};

constexpr int kKitPartPictureSize = 64;
// Shorts and socks designs drawn (0 plain, 1 the officials' side stripes,
// then hems, hoops and turn-over tops).
constexpr int kKitPartDesigns = 10;
std::vector<uint8_t> DrawShortsDesign(int design);
std::vector<uint8_t> DrawSocksDesign(int design);
std::string ShortsDesignPath(int design);
std::string SocksDesignPath(int design);

Picture MakeSkinPicture(int skin, const std::string& part);
Picture MakeHairPicture(int length, int colour);
Picture MakeBootsPicture();
Picture MakeGlovePicture();
// The shading of a kit part: red the light, blue the highlight.
Picture MakeShadingPicture(const std::string& part, int width, int height);

// Stages all of it, after the kit's checks.
void GenerateFigures();

}  // namespace datakit
