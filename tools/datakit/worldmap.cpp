#include "tools/datakit/worldmap.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/screens/transfers/scouting.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tools/datakit/stage.h"

namespace datakit {

namespace {

constexpr int kWidth = kWorldMapWidth;
constexpr int kHeight = kWorldMapHeight;
// Regions 7 and 9 share one land; 9 has none of its own.
constexpr int kLands = 9;
// One grid line every 30 degrees at about 3.3 units a degree.
constexpr int kGridStep = 100;

constexpr uint32_t kSea = 0xFF12345C;
constexpr uint32_t kGrid = 0xFF1C4672;
constexpr uint32_t kOutline = 0xFF0C1A10;
constexpr uint32_t kMarker = 0xFFF2F2E6;
constexpr uint32_t kLandColours[kLands] = {
    0xFFB58A3E, 0xFF4F9A3A, 0xFF6A8F4A, 0xFFC2A05A, 0xFF9A7E48,
    0xFF5E8C5C, 0xFF7FA2A0, 0xFF3E8E4E, 0xFFC8A46A,
};

// Land as ellipses (centre x, centre y, radius x, radius y) in picture
// units, north to the left and east downwards.
struct Blob {
    int land, cx, cy, rx, ry;
};
constexpr Blob kBlobs[] = {
    {2, 170, 130, 75, 110}, {2, 262, 170, 40, 40}, {2, 300, 205, 14, 30},  // North America, Caribbean
    {1, 420, 262, 62, 52},  {1, 510, 250, 62, 24},                         // South America
    {0, 330, 500, 72, 80},  {0, 425, 540, 70, 50},                         // Africa
    {4, 200, 800, 92, 140}, {4, 285, 860, 42, 60},                         // Asia
    {3, 470, 880, 50, 72},  {3, 525, 985, 26, 12},                         // Oceania
    {8, 265, 592, 36, 40},                                                 // the Middle East
    {5, 190, 632, 46, 62},                                                 // Eastern Europe
    {6, 130, 510, 42, 30},                                                 // the Nordic countries
    {7, 215, 470, 42, 40},                                                 // Western Europe
};

std::vector<int> LandGrid() {
    std::vector<int> land(size_t(kWidth) * size_t(kHeight), -1);
    for (const Blob& b : kBlobs) {
        for (int y = b.cy - b.ry; y <= b.cy + b.ry; ++y) {
            for (int x = b.cx - b.rx; x <= b.cx + b.rx; ++x) {
                if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
                const double dx = double(x - b.cx) / b.rx, dy = double(y - b.cy) / b.ry;
                if (dx * dx + dy * dy <= 1.0) land[size_t(y) * kWidth + size_t(x)] = b.land;
            }
        }
    }
    return land;
}

const std::vector<int>& Lands() {
    static const std::vector<int> lands = LandGrid();
    return lands;
}

int LandAt(int x, int y) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return -1;
    return Lands()[size_t(y) * kWidth + size_t(x)];
}

void Put(Picture& p, int x, int y, uint32_t argb) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height)
        p.pixels[size_t(y) * size_t(p.width) + size_t(x)] = argb;
}

void DrawMarker(Picture& p, int cx, int cy) {
    for (int y = -6; y <= 6; ++y) {
        for (int x = -6; x <= 6; ++x) {
            const int d = x * x + y * y;
            if (d <= 36 && d >= 16) Put(p, cx + x, cy + y, kMarker);
            if (d <= 4) Put(p, cx + x, cy + y, kOutline);
        }
    }
}

}  // namespace

int WorldMapRegionAt(int x, int y) { return LandAt(x, y); }

Picture DrawWorldMap() {
    Picture p = MakePicture(kWidth, kHeight, kSea);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int land = LandAt(x, y);
            uint32_t colour = kSea;
            if (land < 0) {
                if (x % kGridStep == 0 || y % kGridStep == 0) colour = kGrid;
            } else {
                // The edge of a land against the sea or another land.
                const bool edge = LandAt(x - 1, y) != land || LandAt(x + 1, y) != land ||
                                  LandAt(x, y - 1) != land || LandAt(x, y + 1) != land;
                colour = edge ? kOutline : kLandColours[land];
            }
            p.pixels[size_t(y) * kWidth + size_t(x)] = colour;
        }
    }
    for (const auto& point : kScoutingMapPoints) DrawMarker(p, int(point[0]), int(point[1]));
    return p;
}

void GenerateWorldMap() {
    // Every region's point lies on its own land (9 on that of 7).
    for (int r = 0; r < kScoutingRegions; ++r) {
        const int expected = r == kLands ? 7 : r;
        if (LandAt(int(kScoutingMapPoints[r][0]), int(kScoutingMapPoints[r][1])) != expected)
            DatakitFail("world map: the point of region %d is not on its land", r);
    }
    std::vector<uint8_t> tga = TgaWrite(DrawWorldMap());
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(tga.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, tga.data(), tga.size());
    uint32_t size = uint32_t(tga.size());
    const bool read = LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) >= 0;
    FreeMemory(&block);
    if (!read || size != GFX0_HEADER_SIZE + uint32_t(kWidth * kHeight * 3))
        DatakitFail("world map: unreadable or wrong size");
    StagePakFile(kWorldMapFile, std::move(tga));
}

}  // namespace datakit
