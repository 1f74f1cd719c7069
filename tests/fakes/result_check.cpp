#include "tests/fakes/result_check.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"

using namespace gameinfo;

namespace {

using recbits::LoadU16;

constexpr int kMostGoals = 30;
constexpr uint16_t kNoPlayer = 0xFFFF;

int Word(const uint8_t* at) { return int16_t(LoadU16(at)); }

// Goals per team as the events tell them; -1 when no end marker is found.
bool CountGoalEvents(const MatchResultBlock& result, int goals[2]) {
    goals[0] = goals[1] = 0;
    for (const auto& event : result.events) {
        if (event[kEventKind] == kEventEnd) return true;
        const int team = Word(event + kEventTeam);
        if (team != 0 && team != 1) continue;
        if (event[kEventKind] == kEventGoal) ++goals[team];
        if (event[kEventKind] == kEventOwnGoal) ++goals[team ^ 1];
    }
    return false;
}

std::set<uint16_t> SquadOf(int team) {
    const EnterGameInfo* block = GetMatchSetupBlock();
    std::set<uint16_t> squad;
    for (int entry = 0; entry < kMatchSquadSize; ++entry) {
        squad.insert(uint16_t(block->I16(PlayerInfoAt(team, entry) + kPlayerInfoNumber)));
    }
    return squad;
}

}  // namespace

std::string CheckPlayedResult(const MatchResultBlock& result) {
    std::ostringstream faults;
    int eventGoals[2];
    if (!CountGoalEvents(result, eventGoals)) faults << "the event list has no end within 200 rows; ";
    int best = 0;
    int shootOut[2];
    for (int team = 0; team < 2; ++team) {
        const uint8_t* report = result.teams[team].bytes;
        const int goals = Word(report + kReportGoals);
        shootOut[team] = Word(report + kReportShootOutGoals);
        if (goals < 0 || goals > kMostGoals) faults << "team " << team << " scored " << goals << "; ";
        if (goals != eventGoals[team]) {
            faults << "team " << team << " has " << goals << " goals but " << eventGoals[team]
                   << " goal events; ";
        }
        const uint16_t manOfTheMatch = LoadU16(report + kReportManOfTheMatch);
        if (manOfTheMatch != kNoPlayer) {
            ++best;
            if (!SquadOf(team).count(manOfTheMatch)) {
                faults << "team " << team << "'s best player " << manOfTheMatch << " is not in its squad; ";
            }
        }
        for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
            const uint8_t* player = report + kReportPlayers + entry * kPlayerReportSize;
            const int score = Word(player + kPlayerRating);
            if (score != -1 && score != 0 && (score < 10 || score > 99)) {
                faults << "team " << team << " entry " << entry << " has the score " << score << "; ";
            }
            const int bookings = Word(player + kPlayerCards);
            if (bookings < 0 || bookings > 3) {
                faults << "team " << team << " entry " << entry << " has " << bookings << " bookings; ";
            }
            // A squad member's statistics record repeats his goals and assists.
            const uint16_t number = LoadU16(player + kPlayerNumber);
            if (number == 0 || number == kNoPlayer) continue;
            for (const auto& [word, byte] :
                 {std::pair{kPlayerGoals, kStatsGoals}, {kPlayerAssists, kStatsAssists}}) {
                if (int8_t(player[byte]) != std::min(Word(player + word), 127)) {
                    faults << "team " << team << " entry " << entry << " counts " << Word(player + word)
                           << " in its report but " << int(int8_t(player[byte])) << " in its record; ";
                }
            }
        }
    }
    if (best > 1) faults << "both teams name a best player; ";
    for (int minute = 0; minute < kMatchMinutes; ++minute) {
        const int value = result.minutes[minute];
        if (value > 100 && value != kNoMinuteValue)
            faults << "minute " << minute << " holds " << value << "; ";
    }
    if ((shootOut[0] != 0 || shootOut[1] != 0) && shootOut[0] == shootOut[1]) {
        faults << "the shoot-out ended level at " << shootOut[0] << "; ";
    }
    return faults.str();
}
