// Computer match tactics: the formation a computer-managed side plays and
// its tactic record for the match.  A manager whose formation keeps failing
// drops it for one he has not tried; otherwise the formation is adapted to
// the opponent by how the opponent has fared against each formation.  The
// fixtures remember each computer side's formation (formation + 1 in the
// side codes; 0 for a side its human manager picked), and that is all the
// tallies read.
#pragma once
#include <cstdint>

constexpr int kComputerFormations = 6;

// The side codes of a fixture: 0 (a human side or none) or formation + 1.
int16_t FixtureSideCode(int16_t slot, int16_t side);
void SetFixtureSideCode(int16_t slot, int16_t side, int16_t code);

// One tally over the fixtures before today of competitions below 117:
// matches and points (3 a win, 1 a draw) per formation.
struct FormationTally {
    int16_t matches[kComputerFormations];
    int16_t points[kComputerFormations];
};
// The club's own results by the formation it played.
FormationTally TallyOwnResults(int16_t club);
// The opponent's results by the formation it played against.
FormationTally TallyResultsAgainst(int16_t opponent);

// The four tallies of a match from one walk over the table: own[side] is
// TallyOwnResults(clubs[side]), against[side] TallyResultsAgainst(clubs[side]).
struct MatchFormationTallies {
    FormationTally own[2];
    FormationTally against[2];
};
MatchFormationTallies TallyMatchClubs(const int16_t clubs[2]);
// While kept, TallyMatchClubs answers for two clubs from every club's
// tallies, taken in one walk at its first use of a day: a day's fixtures
// play only today's, so the results before today stand still while they
// are played.  Keepers may nest; the last TallyKeepDayResults(false)
// drops them (the day ends, and a load may follow).
void TallyKeepDayResults(bool keep);

// The formation 0..5 of one computer side of a match, from the match's
// tallies taken before either side chose (choosing changes no fixture the
// tallies count): the manager first drops a formation that keeps failing
// for an untried one, else plays the formation that did worst against a
// higher-standing opponent, else his own.
int16_t ChooseComputerFormation(uint16_t manager, const int16_t clubs[2], int side,
                                const MatchFormationTallies& tallies);

// Builds MatchTacticRecord[side] from the formation's shape and the side's
// starters (their PlayerInfo of the set-up block) and copies it into the
// first tactic record of the side's team block.  Any formation number is
// accepted: one outside 1-5 takes formation 0's shape, one outside 0-5
// gets no formation rules.
void ApplyComputerTactics(int16_t side, int16_t formation);

// Grid positions of slots 1-10 per formation and side (0 home, 1 away);
// slot 0 (the goalkeeper) stands at (0, 0).
struct GridPoint {
    int8_t x;
    int8_t y;
};
extern const GridPoint ComputerFormationShapes[kComputerFormations][2][10];
