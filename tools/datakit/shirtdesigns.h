// The 100 shirt designs: small pictures whose pixel values 0-3 mark the
// zones a kit colours.  Zones 0-2 carry the kit's shirt colours; zone 3 is
// the badge, drawn in the club's crest and never part of a clash.
#pragma once
#include <cstdint>
#include <vector>

namespace datakit {

constexpr int kShirtWidth = 128;
constexpr int kShirtHeight = 128;
// A design's file holds the shirt twice, one copy above the other.  The
// shirt's texture takes the first copy (its shading is one copy's size);
// the kit clash rule counts the zone areas of the whole picture, and its
// threshold wants both: at one copy's size two identical shirts of two or
// more colours would not clash, and a practice match's reserves would wear
// the first eleven's kit.
constexpr int kShirtPictureHeight = 2 * kShirtHeight;
constexpr int kShirtDesignCount = 100;

// Families of designs, by design number.
enum class ShirtFamily { Plain, Stripes, Hoops, Halves, Sash, Panels, Collar };
struct ShirtFamilyRange {
    ShirtFamily family;
    int first, size;
};
inline constexpr ShirtFamilyRange kShirtFamilies[] = {
    {ShirtFamily::Plain, 0, 10},   {ShirtFamily::Stripes, 10, 20}, {ShirtFamily::Hoops, 30, 15},
    {ShirtFamily::Halves, 45, 10}, {ShirtFamily::Sash, 55, 10},    {ShirtFamily::Panels, 65, 15},
    {ShirtFamily::Collar, 80, 20},
};
static_assert(80 + 20 == kShirtDesignCount);

constexpr ShirtFamily ShirtDesignFamily(int design) {
    for (const ShirtFamilyRange& f : kShirtFamilies) {
        if (design >= f.first && design < f.first + f.size) return f.family;
    }
    return ShirtFamily::Plain;
}
// First design of a family and how many it has.
constexpr const ShirtFamilyRange& ShirtFamilyOf(ShirtFamily family) {
    for (const ShirtFamilyRange& f : kShirtFamilies) {
        if (f.family == family) return f;
    }
    return kShirtFamilies[0];
}

// The zone values of a design, top row first (kShirtWidth x kShirtHeight).
std::vector<uint8_t> DrawShirtDesign(int design);
// An 8-bit colour-mapped TGA of the zone values, width x height.
std::vector<uint8_t> ShirtDesignTga(const std::vector<uint8_t>& zones, int width = kShirtWidth,
                                    int height = kShirtHeight);

// Draws every design into the archive after checking each one, that every
// pair of clubs has an away kit and that every club's first kit clashes
// with itself.
void GenerateShirtDesigns();

}  // namespace datakit
