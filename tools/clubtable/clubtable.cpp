// Build step: writes the C++ source of the game's built-in club-name table
// from the world plan and the culture files.
//   clubtable <data/world/cultures> <output .cpp>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tools/datakit/worldclubs.h"

namespace {

// A C string literal of Windows-1252 bytes; bytes outside printable ASCII
// as three-digit octal escapes, which never run on into the next character.
std::string Literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        }
    }
    return out + "\"";
}

// Each league country's clubs in club-number order (by division, then
// size, the non-league clubs last): the cup entry order of a new game.  A
// list ends where two equal entries follow each other; the rest is 0.
std::string StartLists(const std::vector<PlannedClub>& clubs) {
    std::string text =
        "#include \"season/nationorder.h\"\n\n"
        "const int16_t NationClubStartLists[kCountryCount][kNationClubOrderSize] = {\n";
    for (int nation = 0; nation < kWorldPlayableCountries; ++nation) {
        text += "    {";
        int written = 0;
        for (size_t i = 0; i < clubs.size() && written < 127; ++i) {
            if (clubs[i].nation != nation) continue;
            text += std::to_string(i) + ", ";
            ++written;
        }
        text += "},\n";
    }
    return text + "};\n";
}

}  // namespace

// Writes text to path through a temporary file, so that a build stopped
// half-way never leaves a cut source behind.
bool WriteWhole(const std::string& path, const std::string& text) {
    std::string temp = path + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(text.data(), text.size(), 1, out) == 1;
    if (std::fclose(out) != 0 || !written) return false;
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: clubtable <culture folder> <names output file> <start lists output file>\n");
        return 2;
    }
    std::vector<PlannedClub> clubs = PlanWorldClubs();
    std::string error;
    if (clubs.size() != static_cast<size_t>(kWorldClubCount) || !NameWorldClubs(argv[1], &clubs, &error)) {
        std::fprintf(stderr, "clubtable: %s\n",
                     error.empty() ? "the plan does not hold 1200 clubs" : error.c_str());
        return 1;
    }
    constexpr const char* kBanner = "// Made by the clubtable build step from data/world/cultures; do not edit.\n";
    std::string names = std::string(kBanner) +
                        "#include \"menus/clubnames.h\"\n\n"
                        "const char* const DefaultClubNames[DEFAULT_CLUB_NAME_COUNT] = {\n";
    for (const PlannedClub& club : clubs) names += "    " + Literal(club.name) + ",\n";
    names += "    \"Free Agent\",\n};\n";
    const std::string lists = std::string(kBanner) + StartLists(clubs);
    for (const auto& [path, text] : {std::pair{argv[2], names}, std::pair{argv[3], lists}}) {
        if (!WriteWhole(path, text)) {
            std::fprintf(stderr, "clubtable: cannot write %s\n", path);
            return 1;
        }
    }
    return 0;
}
