// Screen 108: the home country, the countries whose leagues are played in
// full, and the detail option; it leads on to the new game.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

extern const MenuItem PlayedCountriesTable[];
void PlayedCountriesMenu();
// The country row under the mouse's y (0..7), -1 between and outside rows.
int16_t PlayedCountriesRowAt(int y);

int32_t PlayedCountries_SetHome(MenuHotItem* item);
int32_t PlayedCountries_Toggle(MenuHotItem* item);
int32_t PlayedCountries_Done(MenuHotItem* item);
