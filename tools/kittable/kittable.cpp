// Build step: writes the C++ source of the clubs' first and second kits
// from the world plan.
//   kittable <output .cpp>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tools/datakit/shirtdesigns.h"
#include "tools/datakit/worldclubs.h"

namespace {

constexpr int kTableClubs = 1140;

// Club colours by palette number.  Light colours pair with dark ones so the
// shirt's zones can be told apart and the change kit stands out.
struct ClubColour {
    uint16_t index;
    bool light;
};
constexpr ClubColour kColours[] = {
    {0, true},   {9, false},  {30, false}, {32, false}, {38, false}, {34, false}, {73, false},
    {71, false}, {62, true},  {63, true},  {10, true},  {20, true},  {25, true},  {94, false},
    {96, false}, {89, false}, {54, false}, {68, false}, {27, false}, {77, true},  {79, false},
    {99, false}, {2, true},   {15, true},  {57, true},  {87, true},
};
constexpr int kColourCount = int(sizeof kColours / sizeof kColours[0]);

// A small deterministic generator per club, so a club's kit never depends
// on another's.
struct KitRng {
    uint64_t state;
    uint32_t Next() {
        state += 0x9E3779B97F4A7C15ull;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 32);
    }
    int Below(int n) { return int(Next() % uint32_t(n)); }
};

const ClubColour& PickColour(KitRng& rng, int wantLight) {
    for (;;) {
        const ClubColour& c = kColours[rng.Below(kColourCount)];
        if (wantLight < 0 || c.light == (wantLight == 1)) return c;
    }
}

int PickDesign(KitRng& rng) {
    using datakit::ShirtFamily;
    // Weights per hundred: plain, stripes, hoops, halves, sash, panels, trim.
    static constexpr std::array<std::pair<ShirtFamily, int>, 7> kWeights = {{
        {ShirtFamily::Plain, 30},
        {ShirtFamily::Stripes, 18},
        {ShirtFamily::Hoops, 10},
        {ShirtFamily::Halves, 10},
        {ShirtFamily::Sash, 6},
        {ShirtFamily::Panels, 11},
        {ShirtFamily::Collar, 15},
    }};
    int roll = rng.Below(100);
    for (const auto& [family, weight] : kWeights) {
        if (roll < weight) {
            const datakit::ShirtFamilyRange& range = datakit::ShirtFamilyOf(family);
            return range.first + rng.Below(range.size);
        }
        roll -= weight;
    }
    return 0;
}

// A kit of a main and a second colour; a trim colour of the main's
// lightness family picks out collars and thin stripes.
std::array<uint16_t, 14> MakeKit(KitRng& rng, const ClubColour& main, const ClubColour& second) {
    const uint16_t trim = rng.Below(2) == 0 ? second.index : (main.light ? uint16_t(9) : uint16_t(0));
    const uint16_t design = uint16_t(PickDesign(rng));
    const bool darkShorts = rng.Below(3) == 0;
    const uint16_t shorts = darkShorts ? second.index : main.index;
    const uint16_t socks = rng.Below(2) == 0 ? main.index : second.index;
    return {design, main.index, second.index, trim,         0,    0, shorts, second.index,
            trim,   0,          socks,        second.index, trim, 0};
}

std::string Row(const std::array<uint16_t, 14>& words) {
    std::string text = "    {{";
    for (size_t i = 0; i < words.size(); ++i) text += (i ? ", " : "") + std::to_string(words[i]);
    return text + "}},\n";
}

bool WriteWhole(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(text.data(), text.size(), 1, out) == 1;
    if (std::fclose(out) != 0 || !written) return false;
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kittable <output file>\n");
        return 2;
    }
    const std::vector<PlannedClub> clubs = PlanWorldClubs();
    if (clubs.size() < size_t(kTableClubs)) {
        std::fprintf(stderr, "kittable: the plan holds only %zu clubs\n", clubs.size());
        return 1;
    }
    std::string first, second;
    std::vector<uint16_t> townColours(clubs.size());
    for (int club = 0; club < kTableClubs; ++club) {
        KitRng rng{0x4B17u * uint64_t(club + 1)};
        // Clubs of one town wear different main colours.
        const ClubColour* main = &PickColour(rng, -1);
        for (int tries = 0; tries < 8; ++tries) {
            bool taken = false;
            for (int other = 0; other < club; ++other) {
                taken = taken || (clubs[other].nation == clubs[club].nation &&
                                  clubs[other].town == clubs[club].town && townColours[other] == main->index);
            }
            if (!taken) break;
            main = &PickColour(rng, -1);
        }
        townColours[club] = main->index;
        const ClubColour& partner = PickColour(rng, main->light ? 0 : 1);
        first += Row(MakeKit(rng, *main, partner));
        // The change kit turns the lightness round.
        const ClubColour& away = PickColour(rng, main->light ? 0 : 1);
        const ClubColour& awayPartner = PickColour(rng, away.light ? 0 : 1);
        second += Row(MakeKit(rng, away, awayPartner));
    }
    const std::string text =
        "// Made by the kittable build step from the world plan; do not edit.\n"
        "#include \"game/match3d/kitpalette.h\"\n\n"
        "const KitDesignRow FirstKitTable[kKitTableClubs] = {\n" +
        first + "};\n\nconst KitDesignRow SecondKitTable[kKitTableClubs] = {\n" + second + "};\n";
    if (!WriteWhole(argv[1], text)) {
        std::fprintf(stderr, "kittable: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
