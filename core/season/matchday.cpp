#include "core/season/matchday.h"

#include "core/base/corehooks.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

int16_t HumanClubCompetition = -1;
int16_t HumanClubDivision = -1;
int16_t ClubFixtureList[kClubFixtureListSize];

namespace {

int16_t FindHumanClub() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0 && GetClubControl(club) != 0) return club;
    }
    return -1;
}

}  // namespace

void FindHumanClubFixture() {
    HumanClubCompetition = -1;
    HumanClubDivision = -1;
    int16_t human = FindHumanClub();
    if (human < 0) return;
    const int today = SeasonCalendar.currentDay;
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        int day = GetMatchDay(slot);
        if (day > today) return;  // sorted by day; empty slots (511) end it
        if (day != today || IsNationalTeamDay(GetMatchCompetition(slot))) continue;
        if (GetMatchClubA(slot) != uint16_t(human) && GetMatchClubB(slot) != uint16_t(human)) {
            continue;
        }
        HumanClubCompetition = int16_t(GetMatchCompetition(slot));
        if (HumanClubCompetition == kCompLeague) HumanClubDivision = int16_t(GetClubDivision(human));
        return;
    }
}

int16_t BuildClubFixtureList(int16_t club) {
    for (int16_t& entry : ClubFixtureList) entry = -1;
    int16_t count = 0;
    const int today = SeasonCalendar.currentDay;
    for (int16_t slot = 0; slot < kFixtureSlots && count < kClubFixtureListSize; ++slot) {
        int day = GetMatchDay(slot);
        if (day == kEmptyFixtureDay) break;
        if (day < today || IsNationalTeamDay(GetMatchCompetition(slot))) continue;
        if (GetMatchClubA(slot) == uint16_t(club) || GetMatchClubB(slot) == uint16_t(club)) {
            ClubFixtureList[count++] = slot;
        }
    }
    return count;
}

void MatchFrameTimer() {
    if (CoreMatchDayFrame()) return;
    static bool started = false;
    static uint32_t lastPoll = 0;
    const uint32_t now = CoreTimerTicks();
    if (!started) {
        started = true;
        lastPoll = now;
    }
    if (now - lastPoll <= 100) return;
    lastPoll = now;
    CorePoll();
}

void CheckUserClubDayEnd() {}
