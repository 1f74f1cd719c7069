#include "game/screens/league/divisionbuttons.h"

#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"

namespace {

constexpr int16_t kButtonsX = 60, kButtonsY = 559, kButtonsHeight = 28;
constexpr int16_t kHighlighted = 8;
constexpr int16_t kWidths[kMostDivisionButtons + 1] = {339, 339, 339, 226, 169, 135, 113};

int16_t g_textIds[kMostDivisionButtons];
int16_t g_colours[kMostDivisionButtons];
int16_t g_count = 2;
DivisionPick g_pick = nullptr;

// The button's division from its place in the row.
int32_t Clicked(MenuHotItem* item) {
    const int k = (item->x - kButtonsX) / kWidths[g_count];
    return g_pick != nullptr ? g_pick(int16_t(k)) : MENU_CONTINUE;
}

#define BUTTON(k, w)                                                                               \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_colours[k], nullptr}, {                                    \
        8207, int16_t(kButtonsX + (k) * (w)), kButtonsY, w, kButtonsHeight, &g_textIds[k], Clicked \
    }
const MenuItem kButtonsOf2[] = {BUTTON(0, 339), BUTTON(1, 339), kMenuEnd};
const MenuItem kButtonsOf3[] = {BUTTON(0, 226), BUTTON(1, 226), BUTTON(2, 226), kMenuEnd};
const MenuItem kButtonsOf4[] = {BUTTON(0, 169), BUTTON(1, 169), BUTTON(2, 169), BUTTON(3, 169), kMenuEnd};
const MenuItem kButtonsOf5[] = {BUTTON(0, 135), BUTTON(1, 135), BUTTON(2, 135),
                                BUTTON(3, 135), BUTTON(4, 135), kMenuEnd};
const MenuItem kButtonsOf6[] = {BUTTON(0, 113), BUTTON(1, 113), BUTTON(2, 113), BUTTON(3, 113),
                                BUTTON(4, 113), BUTTON(5, 113), kMenuEnd};
#undef BUTTON
const MenuItem* const kLayouts[kMostDivisionButtons + 1] = {
    kButtonsOf2, kButtonsOf2, kButtonsOf2, kButtonsOf3, kButtonsOf4, kButtonsOf5, kButtonsOf6};

}  // namespace

const MenuItem* DivisionButtons_Set(int16_t country, int16_t viewedDivision, DivisionPick pick) {
    const int16_t divisions = HVW_CountDivisions(country);
    g_count = divisions >= 3 && divisions <= kMostDivisionButtons ? divisions : int16_t(2);
    g_pick = pick;
    // Each button shows its division's language text.
    for (int16_t k = 0; k < kMostDivisionButtons; ++k) {
        g_textIds[k] = k < divisions ? HVW_GetCompRoundTextId(k, country) : int16_t(-1);
        g_colours[k] = k == viewedDivision ? kHighlighted : 0;
    }
    return kLayouts[g_count];
}
