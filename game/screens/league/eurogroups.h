// The European group tables (screen 45): one group of the first or the
// second group stage (fixture codes 101 and 102), its table of four clubs
// worked out from the group's fixtures played before today, and the
// group's fixtures with their scores and the clubs' countries.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kEuroGroupClubs = 4;
constexpr int kEuroGroupFixtureRows = 12;

struct EuroGroupRow {
    int16_t club, won, drawn, lost, goalsFor, goalsAgainst, points;
};
struct EuroGroupFixture {
    int16_t clubA, clubB, goalsA, goalsB;  // goals -32768 when not played
};
struct EuroGroupsState {
    int16_t toggle;  // 0: code 101, eight groups; 1: code 102, four groups
    int16_t group;
    EuroGroupRow rows[kEuroGroupClubs];
    int16_t order[kEuroGroupClubs];
    EuroGroupFixture fixtures[kEuroGroupFixtureRows];
    int16_t fixtureCount;
};
extern EuroGroupsState EuroGroups;

extern const MenuItem EuroGroupsTable[];
void EuroGroupsScreenProc();
// Works out the shown group's table and fixtures; false when the group has
// no clubs.
bool EuroGroups_Build();
// Three passes of adjacent exchanges: points, goal difference, goals scored.
void EuroGroups_Sort();
int32_t EuroGroups_NextGroup(MenuHotItem*);
int32_t EuroGroups_PrevGroup(MenuHotItem*);
int32_t EuroGroups_Toggle(MenuHotItem*);
int32_t EuroGroups_ChooseGroup(int16_t group);
int32_t EuroGroups_PickTableClub(MenuHotItem* item);
