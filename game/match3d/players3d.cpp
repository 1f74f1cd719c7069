#include "game/match3d/players3d.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/actions.h"
#include "core/match/infobar.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/motion.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/match3d/worldconvention.h"
#include "game/system/device3d.h"
#include "game/system/modeldata.h"
#include "game/system/textures3d.h"

FigureModel FigureModels[kFigureRoles][kFigureLevels][kFigureBuilds][kFigureHairs];
int FigureModelFilesRead = 0;

namespace {

constexpr const char* kRoleNames[kFigureRoles] = {"player", "keeper", "referee"};
constexpr const char* kLevelNames[kFigureLevels] = {"1000", "600", "350", "150"};
constexpr const char* kBuildNames[kFigureBuilds] = {"short", "mid", "tall"};
constexpr const char* kHairNames[kFigureHairs] = {"bald", "short", "norm", "long"};
constexpr float kLevelThresholds[3][3] = {{106, 193, 400}, {160, 290, 600}, {320, 580, 1200}};
constexpr float kShadowScale = 1.2f;
constexpr float kShadowLift = 1.100671f;
constexpr uint32_t kShadowAlphaDay = 24;
constexpr uint32_t kShadowAlphaNight = 34;
constexpr uint32_t kHiddenSphere = 0x1fff000;

struct ShadowFigure {
    D3DObj* object;
    D3DAnim* skeleton;
};
ShadowFigure Shadow = {};
int CurrentFigure = 0;
uint32_t CardColour = 0;

// Material names ("face.tga") become kit columns at load; at draw the
// column's texture of the figure being drawn is made current.
int FigureCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    switch (record->event) {
        case D3DOBJ_EVENT_TEXTURECREATE: {
            char name[XYZ_SURFACE_NAME_SIZE + 1] = {};
            std::memcpy(name, record->surface1 + XYZ_SURFACE_NAME, XYZ_SURFACE_NAME_SIZE);
            output->texture = D3DOBJ_NO_TEXTURE;
            output->value = uint32_t(KITPLR_GetTextureIndexFromName(name));
            return 1;
        }
        case D3DOBJ_EVENT_COLOURCREATE:
            output->value = worldconv::PartFlagsOfMaterial(
                recbits::LoadU32(record->block1 + worldconv::kMaterialFlagsAt));
            return 1;
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            return 1;  // the kit textures belong to the texture table
        case D3DOBJ_EVENT_TEXTUREDRAW:
            D3DTexSetCurrentHandle(KIT_GetTexture(CurrentFigure, int(record->value)));
            return 1;
        default:
            return 0;
    }
}

float ClipReferenceHeight() {
    MotionFrame frame{};
    return Motion_GetFrame(1, 0, &frame) ? frame.reference[1] : 0.0f;
}

void SetColouredVertices(D3DObj* object, uint32_t flags, uint32_t colour) {
    for (uint32_t s = 0; s < object->surface_count; ++s) {
        D3DObjSurface& surface = object->surfaces[s];
        if ((surface.kind & D3DOBJ_TEXTURED) || (flags != 0 && (surface.value & flags) == 0)) continue;
        auto* vertices = static_cast<D3DObjColVertex*>(surface.vertices);
        for (uint32_t v = 0; v < surface.vertex_count; ++v) vertices[v].colour = colour;
    }
}

// The figure's turn and place; lift is the height ratio its root stands at.
Matrix FigureWorld(const DisplayFigure& figure, float referenceHeight, float lift) {
    Matrix world, turn, move;
    MatrixRotateX(&world, -kPiF / 2.0f);
    MatrixRotateZ(&turn, -float(figure.facing) * kPiF / 128.0f - kPiF / 2.0f);
    MatrixMultiply(&world, &world, &turn);
    MatrixIdentity(&move);
    MatrixSetTranslation(&move, figure.x, figure.y,
                         figure.height + worldconv::kUnitsPerMetre * lift * referenceHeight);
    MatrixMultiply(&world, &world, &move);
    return world;
}

// Which figures the view can see, with spheres of the given radius.
void Visible(float radius, bool visible[kFiguresDrawn]) {
    Vector centres[kFiguresDrawn];
    float radii[kFiguresDrawn];
    uint32_t results[kFiguresDrawn];
    for (int i = 0; i < kFiguresDrawn; ++i) {
        centres[i] = {DisplayTable[i].x, DisplayTable[i].y, DisplayTable[i].height + 10.0f};
        radii[i] = radius;
    }
    // The spheres are in pitch units: no world transform applies to them.
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &MatrixIdentityTable);
    D3DComputeSphereVisibility(centres, radii, kFiguresDrawn, results);
    for (int i = 0; i < kFiguresDrawn; ++i) visible[i] = (results[i] & kHiddenSphere) == 0;
}

// The clip frame a row shows, or false when it shows none (a goal file may
// carry any clip or frame: those rows are not drawn).
bool RowFrame(const DisplayFigure& row, MotionFrame* frame) {
    return row.clip >= 0 && Motion_GetFrame(row.clip, row.frame, frame);
}

uint16_t FigureAction(int figure) {
    const uint16_t action = MatchFigures[figure].action;
    return action;
}

}  // namespace

int Figure_LevelOfDetail(float distance, float zoom, int setting) {
    const float* thresholds = kLevelThresholds[std::clamp(setting, 0, 2)];
    const float d = distance / (zoom > 0.0f ? zoom : 1.0f);
    for (int level = 0; level < 3; ++level) {
        if (d < thresholds[level]) return level;
    }
    return 3;
}

int Figure_Role(int figure) {
    if (figure >= 32) {
        const uint16_t action = FigureAction(figure);
        const bool card = DisplayTable[figure].clip == kCardClip &&
                          (action == kOfficialBooking || action == kOfficialSendingOff);
        return card ? kRoleReferee : kRolePlayer;
    }
    return (MatchLineUp[0][0] == figure || MatchLineUp[1][0] == figure) ? kRoleKeeper : kRolePlayer;
}

int Figure_Build(int figure) {
    static constexpr int kBuildOfRemainder[3] = {2, 1, 0};  // tall, mid, short
    return kBuildOfRemainder[figure % 3];
}

FigureModel& Figure_LoadModel(int role, int level, int build, int hair) {
    FigureModel& model = FigureModels[role][level][build][hair];
    if (model.object != nullptr) return model;
    char path[96];
    std::snprintf(path, sizeof path, "zudata\\d3d\\sskin\\models\\%s\\%s\\%s%s.xyz", kRoleNames[role],
                  kBuildNames[build], kLevelNames[level], kHairNames[hair]);
    uint8_t* data = nullptr;
    PakLoadWholeFile(path, &data, MEM_TYPE_MANUAL_NO_MOVE);
    ++FigureModelFilesRead;
    XyzView view{};
    XyzOpen(&view, data, "Figure_LoadModel");
    // The model's reference height is its root point's height.
    const float root = view.points.count > 0 ? recbits::LoadF32(XyzPointAt(view, 0) + 4) : 0.0f;
    const float clip = ClipReferenceHeight();
    model.heightRatio = clip > 0.0f ? root / clip : 1.0f;
    const float s = worldconv::kUnitsPerMetre;
    XyzScale(data, s, s, s);
    D3DObj_CreateObjectFromXYZData(&model.object, data, FigureCallback, nullptr,
                                   D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    D3DAnim_CreateAnimData(&model.skeleton, data, model.object);
    FreeMemory(&data);
    return model;
}

bool Figure_Pose(D3DAnim* skeleton, int32_t clip, int32_t frame) {
    MotionFrame pose{};
    if (!Motion_GetFrame(clip, frame, &pose)) return false;
    Matrix bones[kMotionBoneCount + 1];
    MatrixIdentity(&bones[0]);
    for (int b = 0; b < kMotionBoneCount; ++b) {
        float ax, ay, az;
        MotionBoneAngles(pose.bones[b], &ax, &ay, &az);
        MatrixRotateXYZ(&bones[b + 1], ax, ay, az);
    }
    D3DAnim_ApplyBoneMatrices(skeleton, bones, 1, kMotionBoneCount + 1);
    D3DAnim_ApplyConvPoints2Object(skeleton);
    return true;
}

void Players3D_Load() {
    FigureModelFilesRead = 0;
    KIT_LoadMatchKits();
    uint8_t* data = nullptr;
    PakLoadWholeFile("zudata\\d3d\\sskin\\models\\shadow\\shadow.xyz", &data, MEM_TYPE_MANUAL_NO_MOVE);
    const float s = worldconv::kUnitsPerMetre * kShadowScale;
    XyzScale(data, s, s, s);
    D3DObj_CreateObjectFromXYZData(&Shadow.object, data, FigureCallback, nullptr,
                                   D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    D3DAnim_CreateAnimData(&Shadow.skeleton, data, Shadow.object);
    FreeMemory(&data);
    const bool night = MatchRuleSet(GetMatchSetupBlock(), gameinfo::kNightMatch);
    SetColouredVertices(Shadow.object, 0, (night ? kShadowAlphaNight : kShadowAlphaDay) << 24);
}

void Players3D_Free() {
    for (auto& role : FigureModels) {
        for (auto& level : role) {
            for (auto& build : level) {
                for (FigureModel& model : build) {
                    if (model.skeleton != nullptr) D3DAnim_DestroyAnimData(&model.skeleton);
                    if (model.object != nullptr) D3DObj_Destroy(&model.object);
                    model = FigureModel{};
                }
            }
        }
    }
    if (Shadow.skeleton != nullptr) D3DAnim_DestroyAnimData(&Shadow.skeleton);
    if (Shadow.object != nullptr) D3DObj_Destroy(&Shadow.object);
}

void Players3D_Draw() {
    bool visible[kFiguresDrawn];
    Visible(15.0f, visible);
    const ViewState& view = D3DGame_GetView();
    for (int figure = 0; figure < kFiguresDrawn; ++figure) {
        const DisplayFigure& row = DisplayTable[figure];
        MotionFrame frame{};
        if (!visible[figure] || !RowFrame(row, &frame)) continue;
        const int role = Figure_Role(figure);
        const float distance = Figure_DistanceToCamera(row.x, row.y, row.height);
        const int level = Figure_LevelOfDetail(distance, view.zoom, DetailSetting);
        FigureModel& model = Figure_LoadModel(role, level, Figure_Build(figure), kHairNorm);
        if (role == kRoleReferee) {
            CardColour = FigureAction(figure) == kOfficialSendingOff ? kRedCard : kYellowCard;
            SetColouredVertices(model.object, worldconv::kPartNet, CardColour);
        }
        const Matrix world = FigureWorld(row, frame.reference[1], std::max(model.heightRatio, 1.0f));
        D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
        Figure_Pose(model.skeleton, row.clip, row.frame);
        CurrentFigure = figure;
        D3DObj_Render(model.object);
    }
}

void Players3D_DrawShadows() {
    if (Shadow.object == nullptr) return;
    bool visible[kFiguresDrawn];
    Visible(30.0f, visible);
    for (int figure = 0; figure < kFiguresDrawn; ++figure) {
        const DisplayFigure& row = DisplayTable[figure];
        MotionFrame frame{};
        if (!visible[figure] || !RowFrame(row, &frame)) continue;
        Figure_Pose(Shadow.skeleton, row.clip, row.frame);
        Shadow_Draw(Shadow.object, FigureWorld(row, frame.reference[1], kShadowLift));
    }
}
