#include "game/screens/engine/menurows.h"

#include <algorithm>

#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/textids.h"
#include "core/season/news.h"
#include "game/match3d/kitpalette.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"

std::span<const int32_t> MenuRowList;
int16_t MenuRowViewMode = 0;
int16_t TickerOffset = 0;

const int16_t PositionColours[4][3] = {
    {56, 146, 56},   // goalkeeper
    {42, 140, 162},  // defender
    {184, 156, 50},  // midfielder
    {188, 67, 54},   // attacker
};

namespace {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The far end of a player's name band, and the band colour of a player
// without a position colour (a manager).
constexpr Rgb kBandFar = {36, 36, 66};

constexpr uint16_t kGreyFrame = 0xCE59;
constexpr uint16_t kButtonFace = 0x5AD4;
constexpr int16_t kTextBlack = 2;
constexpr int16_t kTextComma = 10;
constexpr int16_t kFirstSettingText = 36;

constexpr int kTickerX = 28;
constexpr int kTickerY = 551;
constexpr int kTickerWidth = 744;
// Half the height of font 8's cell: the band spans 543-558.
constexpr int kTickerHalfHeight = 8;
constexpr int16_t kTickerFont = 8;
constexpr int kTickerStep = 2;

bool IsLeftLayout(int16_t viewMode) { return viewMode == 7 || viewMode == 11 || viewMode == 15; }

// The player of the current list entry, or 0 when the entry is unset, lies
// outside the list or does not name a player in use.
int32_t CurrentRowPlayer() {
    if (CurrentListEntry < 0 || size_t(CurrentListEntry) >= MenuRowList.size()) return 0;
    const int32_t player = MenuRowList[size_t(CurrentListEntry)];
    return IsPlayerNumber(player) ? player : 0;
}

// The club of the current list entry, or -1.
int16_t CurrentRowClub() { return IsClubNumber(CurrentListEntry) ? int16_t(CurrentListEntry) : int16_t(-1); }

Rgb PositionColour(int32_t player) {
    const int16_t type = HVW_GetPositionType(uint16_t(player));
    if (type < 0 || type > 3) return kBandFar;
    return {PositionColours[type][0], PositionColours[type][1], PositionColours[type][2]};
}

Rgb KitRgb(int16_t colourNumber) {
    const KitColour& colour = GetKitColour(colourNumber);
    return {colour.red, colour.green, colour.blue};
}

// The draw colour in 8 bits a channel, as the button faces widen it.
Rgb FullDrawColour() {
    const int red = DrawColour >> 11, green = (DrawColour >> 5) & 63, blue = DrawColour & 31;
    return {red * 8 + red / 4, green * 4 + green / 8, blue * 8 + blue / 4};
}

// Three quarters of the full colour, brought back toward it by percent.
Rgb MixedDrawColour(int percent) {
    const Rgb full = FullDrawColour();
    auto mix = [percent](int channel) {
        const int dark = std::clamp(channel * 75 / 100, 0, 255);
        return dark + (channel - dark) * percent / 100;
    };
    return {mix(full.red), mix(full.green), mix(full.blue)};
}

void GradientRect(int x, int y, int width, int height, Rgb topLeft, Rgb topRight, Rgb bottomLeft,
                  Rgb bottomRight) {
    DrawGradientRect(x, y, width, height, topLeft.red, topLeft.green, topLeft.blue, topRight.red,
                     topRight.green, topRight.blue, bottomLeft.red, bottomLeft.green, bottomLeft.blue,
                     bottomRight.red, bottomRight.green, bottomRight.blue);
}

// Draws with a one-pixel black outline: black at the four diagonal
// neighbours, then the caller's text colour on top.
template <typename Draw>
void DrawOutlined(int x, int y, Draw draw) {
    const int16_t colour = TextColourNumber;
    SetDrawParam(1, kTextBlack);
    draw(x - 1, y - 1);
    draw(x + 1, y - 1);
    draw(x - 1, y + 1);
    draw(x + 1, y + 1);
    SetDrawParam(1, colour);
    draw(x, y);
}

// A band half the row's width beside the anchor, opaque next to it and
// fading out toward its far end; the name follows, outlined.
template <typename Draw>
void DrawNameBand(int x, int y, int width, int height, int16_t viewMode, const int nearTop[4],
                  const int farTop[4], const int nearBottom[4], const int farBottom[4], Draw drawName) {
    const bool left = IsLeftLayout(viewMode);
    int top[8], bottom[8];
    for (int k = 0; k < 4; ++k) {
        top[k] = left ? farTop[k] : nearTop[k];
        top[4 + k] = left ? nearTop[k] : farTop[k];
        bottom[k] = left ? farBottom[k] : nearBottom[k];
        bottom[4 + k] = left ? nearBottom[k] : farBottom[k];
    }
    const int half = width / 2;
    DrawBlendedGradientRect(left ? x - half : x, y, half, height, top, bottom);
    if (left) {
        DrawOutlined(x - 20, y + height / 2, [&](int nx, int ny) { drawName(nx, ny, JUSTIFY_RIGHT_MIDDLE); });
    } else {
        DrawOutlined(x + width / 8, y + height / 2,
                     [&](int nx, int ny) { drawName(nx, ny, JUSTIFY_LEFT_MIDDLE); });
    }
}

void DrawPlayerBand(int32_t player, int16_t viewMode, int x, int y, int width, int height) {
    const Rgb colour = PositionColour(player);
    const int nearTop[4] = {colour.red, colour.green, colour.blue, 255};
    const int farTop[4] = {kBandFar.red, kBandFar.green, kBandFar.blue, 0};
    const int nearBottom[4] = {colour.red, colour.green, colour.blue, 0};
    DrawNameBand(x, y, width, height, viewMode, nearTop, farTop, nearBottom, farTop,
                 [player](int nx, int ny, uint16_t justify) {
                     DrawTextAddrAt(nx, ny, HVW_GetPlayerShortName(uint16_t(player)), justify);
                 });
}

// The button frame shared by the player and club buttons; answers the
// name's justification code.
uint16_t DrawRowButtonFrame(int x, int y, int width, int height) {
    SetDrawParam(2, kButtonFace);
    DoButton(x, y, width, height);
    return IsLeftLayout(MenuRowViewMode) ? JUSTIFY_RIGHT_MIDDLE : JUSTIFY_LEFT_MIDDLE;
}

template <typename Draw>
void DrawButtonName(int x, int y, int width, int height, uint16_t justify, Draw drawName) {
    const int nameX = justify == JUSTIFY_RIGHT_MIDDLE ? x + width - 25 : x + 25;
    DrawOutlined(nameX, y + height / 2, [&](int nx, int ny) { drawName(nx, ny, justify); });
}

}  // namespace

void DrawTickerBand() {
    // The surname entry keeps the font its own items set.
    if (MenuOption != kScreenSurname) SetFont(kTickerFont);
    SetDrawParam(1, 0);
    TickerOffset = int16_t(TickerOffset - kTickerStep);
    const int textWidth = GetTextSize(NewsTickerText, nullptr, nullptr);
    if (TickerOffset <= -textWidth) TickerOffset = 0;
    SetDrawParam(1, kTextBlack);
    DrawScrollingText(kTickerX, kTickerY, NewsTickerText, JUSTIFY_LEFT_MIDDLE, kTickerWidth, TickerOffset, 1);
    SetDrawParam(1, 0);
}

void TickerBandFrame(int16_t) {
    if (IsMenuFirstEntry() != 0) return;
    // A screen whose own controls reach into the strip keeps them: the band
    // would wipe them with the saved picture under them every frame.
    if (MenuHotItemWithin(kTickerX, kTickerY - kTickerHalfHeight, kTickerWidth, 2 * kTickerHalfHeight))
        return;
    const int16_t font = CurrentFontNumber;
    const int16_t colour = TextColourNumber;
    DrawTickerBand();
    SetFont(font);
    SetDrawParam(1, colour);
}

void DrawGreyFramedBox(int x, int y, int width, int height) {
    SetDrawParam(2, kGreyFrame);
    DrawSolidRect(x, y, width, height);
    SetDrawParam(2, 0);
    DrawBox(x, y, width, height);
}

void DrawNineCellRow(const int16_t values[8], int x, int y, int cellWidth, int cellHeight) {
    DrawMoneyCells(values, 9, x, y, cellWidth, cellHeight);
}

void DrawMoneyCells(const int16_t* values, int cells, int x, int y, int cellWidth, int cellHeight) {
    SetDrawParam(1, kTextBlack);
    SetDrawParam(2, kGreyFrame);
    SetDrawParam(4, 1);
    for (int i = 0; i < cells; ++i) {
        // Two wider gaps set the digits off in groups of two, three and three.
        const int cellX = x + (cellWidth + 2) * i + (i >= 3 ? 4 : 0) + (i >= 6 ? 4 : 0);
        DoButton(cellX, y, cellWidth, cellHeight);
        const int centreX = cellX + cellWidth / 2, centreY = y + cellHeight / 2;
        if (i == 0) {
            DrawTextNoAt(centreX, centreY, kTextCurrency, JUSTIFY_CENTRE_MIDDLE);
        } else {
            DrawNumberAt(centreX, centreY, values[i - 1], JUSTIFY_CENTRE_MIDDLE);
        }
        if ((i == 2 || i == 5) && i + 1 < cells) {
            SetDrawParam(1, kTextComma);
            DrawTextAddrAt(cellX + cellWidth + 2, y + cellHeight - 4, ",", JUSTIFY_CENTRE_MIDDLE);
            SetDrawParam(1, kTextBlack);
        }
    }
    SetDrawParam(1, 0);
}

void DrawPlayerSettingIcons(int x, int y) { DrawSettingIconsOf(CurrentRowPlayer(), x, y); }

void DrawSettingIconsOf(int32_t player, int x, int y) {
    if (!IsPlayerNumber(player)) return;
    const auto p = uint16_t(player);
    const int16_t settings[3] = {HVW_GetPlayerSetting3(p), HVW_GetPlayerSetting1(p),
                                 HVW_GetPlayerSetting2(p)};
    int pen = x;
    for (int i = 0; i < 3; ++i) {
        if (settings[i] == 0) continue;
        const auto text = int16_t(kFirstSettingText + i);
        SetDrawParam(1, settings[i] == 3 ? 8 : 10);
        DrawTextNoAt(pen, y, text, JUSTIFY_LEFT_TOP);
        pen += GetTextNoSize(text, nullptr, nullptr);
    }
}

void DrawPlayerNameBand(int x, int y, int width, int height) {
    const int32_t player = CurrentRowPlayer();
    if (player == 0) return;
    DrawPlayerBand(player, MenuRowViewMode, x, y, width, height);
}

void DrawTeamSheetList(int x, int y, int width, int height, int16_t style, int32_t player) {
    if (!IsPlayerNumber(player)) return;
    DrawPlayerBand(player, style, x, y, width, height);
}

void DrawClubNameBand(int x, int y, int width, int height) {
    const int16_t club = CurrentRowClub();
    if (club < 0) return;
    const Rgb first = KitRgb(GetClubColour1(club)), second = KitRgb(GetClubColour2(club));
    const int nearTop[4] = {first.red, first.green, first.blue, 255};
    const int nearBottom[4] = {second.red, second.green, second.blue, 255};
    const int fadeOut[4] = {0, 0, 0, 0};
    DrawNameBand(
        x, y, width, height - 1, MenuRowViewMode, nearTop, fadeOut, nearBottom, fadeOut,
        [club](int nx, int ny, uint16_t justify) { DrawTextNoAt(nx, ny, HVW_ClubTextId(club), justify); });
}

void DrawPlayerNameButton(int x, int y, int width, int height) {
    const int32_t player = CurrentRowPlayer();
    if (player == 0) return;
    const uint16_t justify = DrawRowButtonFrame(x, y, width, height);
    const int gradientWidth = width * 70 / 100;
    const Rgb full = FullDrawColour();
    const Rgb position = PositionColour(player);
    if (justify == JUSTIFY_LEFT_MIDDLE) {
        const Rgb mixed = MixedDrawColour(30);
        GradientRect(x + 4, y + 4, gradientWidth, height - 8, position, mixed, full, mixed);
    } else {
        const Rgb mixed = MixedDrawColour(70);
        GradientRect(x + width - gradientWidth - 4, y + 4, gradientWidth, height - 8, mixed, position, mixed,
                     full);
    }
    DrawButtonName(x, y, width, height, justify, [player](int nx, int ny, uint16_t code) {
        DrawTextAddrAt(nx, ny, HVW_GetPlayerShortName(uint16_t(player)), code);
    });
}

void DrawClubNameButton(int x, int y, int width, int height) {
    const int16_t club = CurrentRowClub();
    if (club < 0) return;
    const uint16_t justify = DrawRowButtonFrame(x, y, width, height);
    const bool left = justify == JUSTIFY_LEFT_MIDDLE;
    const int gradientWidth = width * 70 / 100;
    const int stripX = left ? x + 4 : x + width - gradientWidth - 4;
    const Rgb mixed = MixedDrawColour(left ? 30 : 70);
    const Rgb kit[2] = {KitRgb(GetClubColour1(club)), KitRgb(GetClubColour2(club))};
    // Five strips, first colour, second, first, second, first, each from the
    // kit colour next to the name into the face colour.
    constexpr int kStrips = 5;
    const int face = height - 8;
    for (int s = 0; s < kStrips; ++s) {
        const int top = y + 4 + face * s / kStrips, bottom = y + 4 + face * (s + 1) / kStrips;
        const Rgb colour = kit[s % 2];
        if (left) {
            GradientRect(stripX, top, gradientWidth, bottom - top, colour, mixed, colour, mixed);
        } else {
            GradientRect(stripX, top, gradientWidth, bottom - top, mixed, colour, mixed, colour);
        }
    }
    DrawButtonName(x, y, width, height, justify, [club](int nx, int ny, uint16_t code) {
        DrawTextNoAt(nx, ny, HVW_ClubTextId(club), code);
    });
}
