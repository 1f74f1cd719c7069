// The national-team day driver: around every national-team fixture the
// two nations pick their squads, call the players up and release them
// again, and clubs that lose too many players have their fixture moved.
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchday.h"
#include "core/season/nationalsquads.h"
#include "core/season/seasondays.h"

namespace {

// Days from the match of the selection, the call-up and (negative) the
// release, per team kind.
struct NationalTimetable {
    int16_t competition;
    int select;
    int callUp;
    int release;
};
constexpr NationalTimetable kTimetable[kNationalTeamKinds] = {{kCompNationalTeam, 14, 4, -2},
                                                              {kCompNationalUnder21, 13, 3, -3}};
constexpr int kFreshSquadGap = 14;

// Days since the earliest fixture of the same type, lower in the table, in
// which either nation plays (pass one nation twice for its own); 100 when
// there is none.
int GapToEarliestMeeting(int16_t slot, int16_t competition, int16_t home, int16_t away) {
    int gap = 100;
    for (int16_t earlier = int16_t(slot - 1); earlier >= 0; --earlier) {
        if (FixtureType(earlier) != competition) continue;
        const int16_t h = FixtureHome(earlier);
        const int16_t a = FixtureAway(earlier);
        if (h == home || h == away || a == home || a == away) gap = FixtureDay(slot) - FixtureDay(earlier);
    }
    return gap;
}

}  // namespace

void ProcessInternationalDay() {
    const int today = SeasonCalendar.currentDay;
    bool calledUp = false;
    int16_t callUpDay = 0;
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        MatchFrameTimer();
        if (IsFixtureEmpty(slot)) break;
        const int16_t competition = FixtureType(slot);
        for (int kind = 0; kind < kNationalTeamKinds; ++kind) {
            const NationalTimetable& times = kTimetable[kind];
            if (competition != times.competition) continue;
            const int day = FixtureDay(slot);
            const int16_t home = FixtureHome(slot);
            const int16_t away = FixtureAway(slot);
            if (day == today + times.select) {
                // A pair whose earliest meeting is recent keeps the squads of
                // that run; but a nation that has not itself played lately
                // has no squad of its own to keep, and would field nobody.
                const bool pairFresh = GapToEarliestMeeting(slot, competition, home, away) > kFreshSquadGap;
                auto select = [&](int16_t nation, int16_t opponent) {
                    if (pairFresh || GapToEarliestMeeting(slot, competition, nation, nation) > kFreshSquadGap)
                        SelectNationalSquad(nation, opponent, int16_t(kind));
                };
                select(home, away);
                select(away, home);
            } else if (day == today + times.callUp) {
                CallUpNationalSquad(home, int16_t(kind), int16_t(day));
                CallUpNationalSquad(away, int16_t(kind), int16_t(day));
                callUpDay = int16_t(day);
                calledUp = true;
            } else if (day == today + times.release) {
                ReleaseNationalSquad(home, int16_t(kind));
                ReleaseNationalSquad(away, int16_t(kind));
            }
        }
    }
    if (!calledUp) return;
    for (int16_t nation = 0; nation < kNationCodes; ++nation) {
        if (NationalSquads[0][nation][0] != 0 || NationalSquads[1][nation][0] != 0)
            RescheduleClubsForNationalDay(nation, callUpDay);
    }
}
