#include "tests/fakes/squad_checks.h"

#include <vector>

#include "core/club/squads.h"
#include "core/records/records.h"

namespace {

std::string Fault(const char* what, int a, int b = -1) {
    std::string text = what;
    text += " (" + std::to_string(a);
    if (b >= 0) text += ", " + std::to_string(b);
    return text + ")";
}

bool InFirstTeamList(uint16_t player) {
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        if (FirstTeamList.players[i] == player) return true;
    }
    return false;
}

}  // namespace

std::string CheckRosterInvariants() {
    // Where each player stands: up to two clubs, and how often.
    struct Places {
        int16_t clubs[3];
        int count;
    };
    std::vector<Places> places(PlayerCount, Places{{-1, -1, -1}, 0});
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (ClubAvailableCount[club] > kSquadListSize) return Fault("available count above 32", club);
        if (ClubRosterCount[club] > kRosterSize) return Fault("roster count above 100", club);
        for (uint16_t player : ClubRoster[club]) {
            if (player == 0) continue;
            if (player >= PlayerCount) return Fault("roster entry names no player", club, player);
            Places& p = places[player];
            if (p.count == 3) return Fault("player in more than two rosters", player);
            p.clubs[p.count++] = club;
        }
    }
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        const uint16_t club = GetPlayerClub(player);
        const uint16_t owner = GetPlayerLoanClub(player);
        const bool managerOnly = GetPlayerHalvornB(player) != 0 && GetPlayerHalvorn(player) == 0;
        std::vector<int16_t> expected;
        if (club < kClubCount) expected.push_back(int16_t(club));
        if (owner != club && owner < kClubCount) expected.push_back(int16_t(owner));
        const Places& p = places[player];
        for (int i = 0; i < p.count; ++i) {
            for (int j = i + 1; j < p.count; ++j) {
                if (p.clubs[i] == p.clubs[j]) return Fault("player twice in a roster", player, p.clubs[i]);
            }
            bool wanted = false;
            for (int16_t c : expected) wanted = wanted || c == p.clubs[i];
            if (!wanted) return Fault("player in a roster not his own", player, p.clubs[i]);
        }
        if (managerOnly) continue;
        for (int16_t c : expected) {
            bool found = false;
            for (int i = 0; i < p.count; ++i) found = found || p.clubs[i] == c;
            if (!found) return Fault("player missing from his club's roster", player, c);
        }
    }
    return "";
}

std::string CheckClubSide(int16_t club, int substitutes) {
    if (FirstTeamList.count > kSquadListSize || ReserveList.count > kSquadListSize ||
        YouthList.count > kSquadListSize) {
        return Fault("a list above 32", club);
    }
    std::vector<uint16_t> wearers(17, 0);
    for (uint16_t player : ClubRoster[club]) {
        if (player == 0 || GetPlayerClub(player) != uint16_t(club)) continue;
        const uint16_t shirt = GetPlayerShirt(player);
        if (shirt == 0) continue;
        if (shirt > 16) return Fault("shirt above 16", player, shirt);
        if (wearers[shirt] != 0) return Fault("shirt worn twice", club, shirt);
        wearers[shirt] = player;
    }
    for (int shirt = 1; shirt <= 11 + substitutes; ++shirt) {
        const uint16_t player = wearers[shirt];
        if (player == 0) {
            if (shirt <= 11) return Fault("starting shirt not worn", club, shirt);
            continue;
        }
        if (!InFirstTeamList(player)) return Fault("shirt worn outside the first-team list", player, shirt);
    }
    for (int shirt = 12 + substitutes; shirt <= 16; ++shirt) {
        if (wearers[shirt] != 0) return Fault("shirt beyond the side worn", wearers[shirt], shirt);
    }
    return "";
}
