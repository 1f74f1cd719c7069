// The daily club squad pass: human clubs' lists rebuilt and evaluated every
// day, and a share of each played nation's computer clubs running their
// squad work (evaluation, contracts, lists, mood, training and, while
// transfers are allowed, bids).
#pragma once
#include <cstdint>

// Per nation the day its computer clubs all do their squad work.
constexpr int16_t kSquadWorkDay[9] = {21, 21, 35, 21, 14, 21, 21, 21, 21};

// How many computer clubs of the nation being walked are due today, and how
// many have been processed; read by the calendar screen.
extern uint16_t SquadPassTotal;
extern uint16_t SquadPassCounter;

// realDay 1 on a real calendar day (lasting jobs run), 0 for a pass that
// only rebuilds and evaluates; allowBids lets computer clubs plan and bid.
void RunClubSquadPass(int16_t realDay, int16_t allowBids);
// The squad day of a computer club outside the played leagues: manager,
// lists and evaluation; on a real day first contracts, the transfer list
// and wage cut-back (nations below 32, else one day in 100), with no
// transfer window shut (openCount 0) the signing plan and the short list,
// two weeks of training and the contract review.
void ProcessTrainingDay(int16_t club, int16_t realDay, int16_t openCount);
// The training days a computer club of the nation gets when it is
// processed today: 7 (played nation) or 14 on the weekly rules and the
// nation's squad-work day, 0 after the season's end; -1 when the club is
// not due today.
int16_t SquadPassTrainingDays(int16_t club, int nation, bool eveOfRange);

// While one lives, the look-ups that a pass over many clubs asks again and
// again are kept: the clubs' next fixtures and managers, the players'
// market keys and club words, the finance fixture index.  Each checks
// itself against the tables it reads, so what they answer stays what a
// fresh look would.  Guards may nest; the outermost one keeps them.
class KeptClubLookups {
  public:
    KeptClubLookups();
    ~KeptClubLookups();
    KeptClubLookups(const KeptClubLookups&) = delete;
    KeptClubLookups& operator=(const KeptClubLookups&) = delete;
};
