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
        "#include \"core/season/nationorder.h\"\n\n"
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

// The k-th club (in club-number order, which is by size) of a nation's
// division; -1 when the division has fewer clubs.
int ClubOf(const std::vector<PlannedClub>& clubs, int nation, int division, int k) {
    for (size_t i = 0; i < clubs.size(); ++i) {
        if (clubs[i].nation != nation || clubs[i].division != division) continue;
        if (k-- == 0) return static_cast<int>(i);
    }
    return -1;
}

// The season before the first: the biggest clubs hold the titles.  Each
// league country's division d was won by its biggest club, with the next
// as runner-up; national cup 0 went to the third club of the top division
// against the biggest club of the second; countries 0 and 2 played their
// season opener, won by the champion; country 0's row holds the European
// finals: cup 6 won by holder A (club 606), cup 4 by holder B (club 1025).
// The six European entrants are the top division's third to eighth clubs.
std::string ShippedSeason(const std::vector<PlannedClub>& clubs) {
    constexpr int kWords = 81;
    std::string text =
        "\n#include \"core/season/shippedhonours.h\"\n\n"
        "const HonoursRow ShippedHonours[kCountryCount] = {\n";
    std::string entries =
        "const int16_t ShippedEuropeanEntries[kCountryCount][kShippedEuropeanEntries] = {\n";
    for (int nation = 0; nation < kWorldPlayableCountries; ++nation) {
        int words[kWords];
        for (int w = 0; w < kWords; ++w) {
            // Club words are -1 when empty; award players and goals 0.
            const bool awardPlayer =
                (w >= 33 && w < 45) || (w >= 51 && w < 57) || (w >= 63 && w < 69) || w >= 75;
            words[w] = awardPlayer ? 0 : -1;
        }
        words[0] = ClubOf(clubs, nation, 0, 2);
        words[1] = ClubOf(clubs, nation, 1, 0);
        for (int d = 0; d < kWorldMaxDivisions; ++d) {
            if (kWorldDivisionClubs[nation][d] == 0) continue;
            const int word = d < 4 ? 14 + 2 * d : 22 + 2 * (d - 4);
            words[word] = ClubOf(clubs, nation, d, 0);
            words[word + 1] = ClubOf(clubs, nation, d, 1);
        }
        if (nation == 0 || nation == 2) words[26] = words[14];
        if (nation == 0) {
            words[8] = 1025;
            words[9] = ClubOf(clubs, 3, 0, 0);
            words[10] = ClubOf(clubs, 6, 0, 0);
            words[11] = ClubOf(clubs, 7, 0, 0);
            words[12] = 606;
            words[13] = ClubOf(clubs, 2, 0, 0);
        }
        text += "    {{";
        for (int w = 0; w < kWords; ++w) text += std::to_string(words[w]) + (w + 1 < kWords ? ", " : "");
        text += "}},\n";
        entries += "    {";
        for (int k = 0; k < 6; ++k) entries += std::to_string(ClubOf(clubs, nation, 0, 2 + k)) + ", ";
        entries += "},\n";
    }
    return text + "};\n\n" + entries + "};\n";
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
        std::fprintf(stderr,
                     "usage: clubtable <culture folder> <names output file> <start lists output file>\n");
        return 2;
    }
    std::vector<PlannedClub> clubs = PlanWorldClubs();
    std::string error;
    if (clubs.size() != static_cast<size_t>(kWorldClubCount) || !NameWorldClubs(argv[1], &clubs, &error)) {
        std::fprintf(stderr, "clubtable: %s\n",
                     error.empty() ? "the plan does not hold 1200 clubs" : error.c_str());
        return 1;
    }
    constexpr const char* kBanner =
        "// Made by the clubtable build step from data/world/cultures; do not edit.\n";
    std::string names = std::string(kBanner) +
                        "#include \"game/screens/start/clubnames.h\"\n\n"
                        "const char* const DefaultClubNames[DEFAULT_CLUB_NAME_COUNT] = {\n";
    for (const PlannedClub& club : clubs) names += "    " + Literal(club.name) + ",\n";
    names += "    \"Free Agent\",\n};\n";
    const std::string lists = std::string(kBanner) + StartLists(clubs) + ShippedSeason(clubs);
    for (const auto& [path, text] : {std::pair{argv[2], names}, std::pair{argv[3], lists}}) {
        if (!WriteWhole(path, text)) {
            std::fprintf(stderr, "clubtable: cannot write %s\n", path);
            return 1;
        }
    }
    return 0;
}
