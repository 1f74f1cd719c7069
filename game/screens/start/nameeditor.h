// The name editors: four pages that rename the divisions and cups of one
// nation and the three names of a club, and list a country's clubs to pick
// one.  Names are written to the edited-data files and take effect when the
// start screen next builds its name tables.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The nation the division and cup pages show, 0-7.
extern int8_t NameEditorNation;

// The pages: 109 division names, 110 cup names, 111 one club's names, 112
// the club list.
extern const MenuItem DivisionNamesTable[];
extern const MenuItem CupNamesTable[];
extern const MenuItem ClubNamesTable[];
extern const MenuItem ClubListTable[];
const MenuItem* NameEditorTable(int16_t id);

int32_t NextNameSet(MenuHotItem* item);
int32_t SaveDivisionNames(MenuHotItem* item);
int32_t SaveCupNames(MenuHotItem* item);
int32_t SaveTeamNames(MenuHotItem* item);
int32_t EditTeamNextCountry(MenuHotItem* item);
int32_t EditTeamNextPage(MenuHotItem* item);
void EditTeamListScreenProc();
void EditTeamNamesScreenProc();
int16_t NameEditor_InputDone(int16_t outcome);

// The club list page's view, for tests: its clubs, page and cell texts.
int16_t ClubListCount();
int16_t ClubListPage();
const char* ClubListCell(int16_t row, int16_t column);
// Rows the division and cup pages offer for their nation.
int16_t DivisionNameRows();
int16_t CupNameRows();
