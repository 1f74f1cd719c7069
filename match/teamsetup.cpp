#include "match/teamsetup.h"

#include <cstring>

#include "match/matchfigure.h"
#include "match/matchsetup.h"
#include "match/matchstate.h"

using namespace gameinfo;

namespace {

constexpr int kStarters = 11;
constexpr uint8_t kStarterMark = 50;
constexpr uint8_t kOutsideSquadMark = 0xFF;
constexpr uint16_t kKickOffSetUp = 25;
constexpr uint16_t kShootOutControl = 20;

void SetUpPlayerFigure(int team, int entry, int16_t substitutes) {
    MatchFigure& f = MatchFigures[team * kTeamFigures + entry];
    std::memset(&f, 0, sizeof f);
    std::memcpy(f.name, GameInfo.bytes + PlayerInfoAt(team, entry) + kPlayerInfoName, sizeof f.name);
    f.name[sizeof f.name - 1] = '\0';
    f.frame = -1;
    f.anim = -1;
    const bool starter = entry < kStarters;
    f.off = starter ? 0 : 1;
    f.onBench = starter ? 0 : 1;
    if (starter) {
        f.benchState = kStarterMark;
    } else {
        f.benchState = entry < kStarters + substitutes ? 0 : kOutsideSquadMark;
    }
}

}  // namespace

void Match_SetupPeriod() {
    if (Period == 0) {
        const int16_t substitutes = MatchAvailableSubs(&GameInfo);
        for (int team = 0; team < 2; ++team) {
            for (int entry = 0; entry < kTeamFigures; ++entry) SetUpPlayerFigure(team, entry, substitutes);
        }
    }
    MatchPhase = Period == 4 ? kShootOutControl : kKickOffSetUp;
    MatchFinished = 0;
}
