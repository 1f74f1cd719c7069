// The squad fitness lists: two short lists of the selected club's squad,
// each in the care of one staff post.  List A (the physiotherapist's, post
// 5) holds players whose IT figure is above 1 or who are under care; list B
// (the fitness coach's, post 6) the others who follow a fitness programme or
// are at 80 % fitness or less.  Five players of each show at a time, with
// their own paging.  The table has no screen id: the staff member's screen
// pushes it, and it remembers the screen to return to.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kFitnessListSize = 32;
constexpr int kFitnessShownRows = 5;

// -1 while not set.
extern int16_t FitnessReturnOption;

struct FitnessList {
    uint16_t players[kFitnessListSize];
    int16_t count;
    int16_t start;
};
extern FitnessList FitnessListA, FitnessListB;

extern const MenuItem FitnessListsTable[];
void FitnessMenuProc();
// Builds both lists from the selected club's selected-team list.
void Fitness_BuildLists();
bool Fitness_InListA(uint16_t player);
bool Fitness_InListB(uint16_t player);
int16_t Fitness_TreatmentText(int16_t low5);

int32_t Fitness_PageUpA(MenuHotItem* item);
int32_t Fitness_PageDownA(MenuHotItem* item);
int32_t Fitness_PageUpB(MenuHotItem* item);
int32_t Fitness_PageDownB(MenuHotItem* item);
int32_t Fitness_ToTraining(MenuHotItem* item);
int32_t Fitness_ToIndividualTraining(MenuHotItem* item);
int32_t Fitness_ToStaffList(MenuHotItem* item);
int32_t Fitness_Back(MenuHotItem* item);
void Fitness_Leave();
void Fitness_DrawShades(int x, int y, int w, int h);

// What the rows show, for tests.
struct FitnessRowView {
    uint16_t player;
    int16_t itText, ip, ipText, treatmentText;   // list A
    int16_t fitness, treatmentCount, programme;  // list B
};
FitnessRowView Fitness_RowView(int list, int row);
// The post lines: the member's name or the empty post's text, and whether
// the post is empty.
const char* Fitness_PostLine(int list);
int16_t Fitness_EmptyText(int list);
int16_t Fitness_PagingIcon(int list);
