// Shared set-up for the daily club job tests: message look-ups over the
// archives and the inbox, and a league club with a squad.
#pragma once
#include "core/base/bytes.h"
#include "core/query/layerstate.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

class DailyJobsTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        HVW_SetViewedCountry(0);
        for (int16_t& day : SeasonCalendar.leagueEndDay) day = 300;
    }

    // Messages of the type about the player (0: any) in the club's archive
    // and, for the user's club, its inbox.
    static int CountMessages(int16_t club, int16_t type, uint32_t player = 0) {
        int n = 0;
        auto matches = [&](const MessageRecord& m) {
            return recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                   (player == 0 || recbits::LoadU32(m.bytes + kMsgPlayerA) == player);
        };
        if (club >= 0 && club < kClubCount) {
            for (const MessageRecord& m : MessageArchive[club]) n += matches(m);
        }
        if (club >= 0 && GetPlayerClub(1) == uint16_t(club)) {
            for (const MessageRecord& m : UserInbox) n += matches(m);
        }
        return n;
    }

    // A league club with `size` fit outfield players and a keeper.
    static void MakeSquad(int16_t club, int size, int16_t nation = 0, int16_t division = 1,
                          int16_t rep = 30) {
        MakeClub(club, nation, division, rep);
        for (int i = 0; i < size; ++i) MakePlayer(club, int16_t(i % 13), 6, 50);
    }

    static void MakeUserClub(int16_t club) {
        SetClubControl(club, 1);
        SetPlayerClub(1, club);
        SetPlayerLoanClub(1, club);
        SetPlayerPosition(1, 13);
    }
};
