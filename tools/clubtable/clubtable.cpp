// Build step: writes the C++ source of the game's built-in club-name table
// from the world plan and the culture files.
//   clubtable <data/world/cultures> <output .cpp>
#include <cstdio>
#include <string>
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
        "\n#include \"season/nationorder.h\"\n\n"
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

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: clubtable <culture folder> <output file>\n");
        return 2;
    }
    std::vector<PlannedClub> clubs = PlanWorldClubs();
    std::string error;
    if (clubs.size() != static_cast<size_t>(kWorldClubCount) || !NameWorldClubs(argv[1], &clubs, &error)) {
        std::fprintf(stderr, "clubtable: %s\n",
                     error.empty() ? "the plan does not hold 1200 clubs" : error.c_str());
        return 1;
    }
    std::string text =
        "// Made by the clubtable build step from data/world/cultures; do not edit.\n"
        "#include \"menus/clubnames.h\"\n\n"
        "const char* const DefaultClubNames[DEFAULT_CLUB_NAME_COUNT] = {\n";
    for (const PlannedClub& club : clubs) text += "    " + Literal(club.name) + ",\n";
    text += "    \"Free Agent\",\n};\n";
    text += StartLists(clubs);

    std::string temp = std::string(argv[2]) + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr || std::fwrite(text.data(), text.size(), 1, out) != 1 || std::fclose(out) != 0 ||
        std::rename(temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "clubtable: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
