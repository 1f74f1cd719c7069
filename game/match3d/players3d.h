// The match figures in 3D: the 32 players and three officials of the
// display table, each a skinned model chosen by role, level of detail and
// build, posed from its clip frame, turned to its facing and dressed in its
// side's kit; each also casts a shadow.
#pragma once
#include <cstdint>

#include "game/system/models3d.h"
#include "game/system/skeletalposing.h"

enum FigureRole : int { kRolePlayer, kRoleKeeper, kRoleReferee, kFigureRoles };
constexpr int kFigureLevels = 4;  // "1000", "600", "350", "150"
constexpr int kFigureBuilds = 3;  // "short", "mid", "tall"
constexpr int kFigureHairs = 4;   // "bald", "short", "norm", "long"
constexpr int kHairNorm = 2;
constexpr int kFiguresDrawn = 35;
constexpr int16_t kCardClip = 246;
constexpr uint32_t kYellowCard = 0xffcccc00;
constexpr uint32_t kRedCard = 0xffcc0000;

struct FigureModel {
    D3DObj* object;
    D3DAnim* skeleton;
    float heightRatio;
};
extern FigureModel FigureModels[kFigureRoles][kFigureLevels][kFigureBuilds][kFigureHairs];
// Model files read since the match's figures were loaded.
extern int FigureModelFilesRead;

void Players3D_Load();
void Players3D_Free();
FigureModel& Figure_LoadModel(int role, int level, int build, int hair);
// False (nothing posed) when the clip frame is not there.
bool Figure_Pose(D3DAnim* skeleton, int32_t clip, int32_t frame);
void Players3D_Draw();
void Players3D_DrawShadows();
// The level of detail at a distance for a detail setting 0..2, the
// distance taken over the camera's zoom.
int Figure_LevelOfDetail(float distance, float zoom, int setting);
// The model a figure is drawn with: role and build (level and hair apart).
int Figure_Role(int figure);
int Figure_Build(int figure);
