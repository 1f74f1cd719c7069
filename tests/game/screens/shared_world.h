// Helpers of the screen tests that run over a generated world: a new game
// made once per process and seed and put back before each test, clubs and
// fixtures of it, and grabs of the back buffer.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/start/startmenu.h"
#include "game/system/display2d.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace testenv {

struct SharedNewWorld {
    bool ready = false;
    std::string error;
};

// The new game of the seed as it was made (KeptNewGame); the error says
// why there is none.
inline void StartFromNewWorld(SharedNewWorld& world, uint32_t seed) {
    world.error = KeptNewGame(seed);
    world.ready = world.error.empty();
}

// A 16-bit 5-6-5 colour as NewestGrab gives it.
inline uint32_t GrabColour(uint16_t colour) {
    return ColConvPixel(colour, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF;
}

// The world of the shared seed with the start screen's name tables,
// quietly; true when it is there.
inline bool StartFromNamedWorld(SharedNewWorld& world) {
    StdoutCapture quiet;
    StartFromNewWorld(world, kScreenWorldSeed);
    if (world.ready) BuildNameTables();
    quiet.Text();
    return world.ready;
}

// The first club with a reputation of the country's division after the
// given one; -1 when none.
inline int16_t FirstClubOf(int country, int division, int16_t after = -1) {
    for (int16_t club = int16_t(after + 1); club < kClubCount; ++club)
        if (GetClubNation(club) == country && GetClubDivision(club) == division && GetClubRep(club) > 0)
            return club;
    return -1;
}

// The fixtures dated on the day.
inline int FixturesOn(int day) {
    int n = 0;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day; ++slot) n += FixtureDay(slot) == day;
    return n;
}

// One grab of the back buffer, 0x00BBGGRR per pixel.
struct Grab {
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * 800 + size_t(x)]; }
};
inline Grab GrabBack() {
    Grab g;
    g.pixels.reserve(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) g.pixels.push_back(GetBackBufferPixel(x, y));
    return g;
}

}  // namespace testenv
