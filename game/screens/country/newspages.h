// The news pages (screen 94): the football world's news as a newspaper of
// ten dated headlines a page.  The country page ranks the last week's news
// of the viewed country's clubs and can narrow it to one club's archive
// (picked from a division's pop-up) or to the clubs outside the league
// divisions; the region page ranks the other countries of the region.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kNewsLines = 10;
constexpr int kNewsLineSize = 300;
constexpr uint16_t kNewsRegionPage = 1;
constexpr uint16_t kNewsCountryPage = 2;
constexpr int16_t kNewsOtherClubsGroup = 7;
constexpr int16_t kNewsNoFilter = -1;

// The page shown, the group and club filters (-1 none) and the paging.
extern uint16_t NewsPage;
extern int16_t NewsGroupFilter;
extern int16_t NewsClubFilter;
extern int16_t NewsTop;
extern int16_t NewsCount;

extern const MenuItem NewsPagesTable[];
void NewsPagesMenu();

int32_t NewsPages_ShowRegion(MenuHotItem* item);
int32_t NewsPages_ShowCountry(MenuHotItem* item);
int32_t NewsPages_ShowOtherClubs(MenuHotItem* item);
// Entry index of the division's club pop-up; an entry with no club does
// nothing.
int32_t NewsPages_PickClub(int16_t division, int16_t index);
int32_t NewsPages_LineDown(MenuHotItem* item);
int32_t NewsPages_LineUp(MenuHotItem* item);
int32_t NewsPages_Back(MenuHotItem* item);
// The light grey gradient of the two panels.
void NewsPages_DrawPanel(int x, int y, int width, int height);

// Read-only views for tests: the texts of a line, the title, the
// highlight word of a button (0 region, 1 country, 2 + k division k, 8
// the other clubs), and the clubs of a division's pop-up in their order.
const char* NewsPagesDate(int line);
const char* NewsPagesHeadline(int line);
const char* NewsPagesTitle();
int16_t NewsPagesHighlight(int button);
int16_t NewsPagesDivisionClub(int division, int index);
int16_t NewsPagesDivisionClubCount(int division);
