// The scouting screen: ten regions of the world on buttons and on a world
// map, the chosen region's state, the weekly sums the user's club can
// afford, starting and stopping the scouts with their news, and the links
// to the region's players and to the world's clubs.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kScoutingRegions = 10;
constexpr int kScoutingSums = 10;

// Handed to the list of a region's players (screen 64): 1 while it is
// opened from here, with the region it lists.
extern int16_t ScoutViewFlag;
extern int16_t ScoutViewRegion;

extern const MenuItem ScoutingTable[];

void ScoutingMenu();

// The weekly sums offered for a spending limit, largest first, 0 after the
// last; answers how many.
int ScoutingWeeklySums(int32_t limit, int32_t sums[kScoutingSums]);
// Frames the map takes to move from one region's point to another's.
int ScoutingMoveFrames(int16_t from, int16_t to);
// The map's top-left corner shown for a map point, kept on the picture.
void ScoutingMapOffset(float x, float y, int* left, int* top);

// Each region's point on the world map (north to the left, east
// downwards); regions 7 and 9 share one.
constexpr float kScoutingMapPoints[kScoutingRegions][2] = {
    {364, 497}, {433, 258}, {215, 147}, {468, 875}, {234, 833},
    {198, 633}, {156, 506}, {210, 470}, {267, 586}, {210, 470},
};

// The size of the world map picture and the view it is shown in.
constexpr int kWorldMapWidth = 640;
constexpr int kWorldMapHeight = 1100;
constexpr int kMapViewLeft = 410, kMapViewTop = 97;
constexpr int kMapViewWidth = 358, kMapViewHeight = 369;
constexpr const char* kWorldMapFile = "menugfx\\worldmap.tga";

// Handlers (tests call them as the table does).
int32_t Scouting_ChooseRegion(int16_t region);
int32_t Scouting_ChooseSum(int entry);
int32_t Scouting_Stop(MenuHotItem*);
int32_t Scouting_ViewPlayers(MenuHotItem*);
int32_t Scouting_WorldClubs(MenuHotItem*);
int32_t Scouting_Back(MenuHotItem*);
// One frame of the map move (the screen runs it every frame).
void Scouting_MapFrame();

// ---- Views (tests) ------------------------------------------------------
int16_t ScoutingChosenRegion();
int16_t ScoutingPreviousRegion();
void ScoutingMapPoint(float* x, float* y);
int32_t ScoutingOfferedSum(int entry);
// The text id of the scouting button: 843 while the chosen region is being
// scouted, else 653.
int16_t ScoutingButtonText();
// 1 when the scouting button opens the list of sums.
bool ScoutingOffersSums();
const char* ScoutingKnownLine();
