// Team selection for a fixture: the chosen players of each side become the
// match team.  PickTeam fills the side's team sheet and one PlayerInfo
// record per player of the match set-up block, working out every match
// statistic from the player's stored attributes, his condition and form of
// the day, the occasion and the crowd; it names the captain and the
// set-piece takers and lets the most experienced player of each line lift
// the others.  Which players are chosen is decided before, by the squad
// code (the shirts it hands out) or by the national line-ups.
#pragma once
#include <cstdint>

constexpr int kTeamSheetSlots = 17;
constexpr int kManagerSlot = 16;

// Per side (0 home, 1 away) the players of the fixture being prepared:
// slots 0-10 the starters, 11-15 the substitutes, 16 the club's manager;
// 0 an empty slot.
extern uint16_t TeamSheet[2][kTeamSheetSlots];

// The club's star players of the side being picked: the top scorer, the
// top assister and the best recent performer of its selected squad list,
// with the values that made them so.  Reset by every PickTeam.
struct StarPlayer {
    uint16_t player;
    int16_t value;
};
enum StarRole : int { kStarScorer = 0, kStarAssister = 1, kStarPerformer = 2 };
extern StarPlayer StarPlayers[3];

// Fills side 0 (home) or 1 (away) of the set-up block for the club against
// the opponent.  substitutes 0..5; competition as the fixture's.  For the
// national-team days (118, 119) club and opponent are nation numbers and
// the side is the nation's line-up.
void PickTeam(int16_t club, int16_t opponent, int16_t side, int16_t neutral, int16_t substitutes,
              int16_t competition);
// Fills PlayerInfo (side, slot) for the player and puts him into the team
// sheet.  A player number that names no player, a side other than 0 or 1
// or a slot outside 0..16 ends the program.
void AddPlayerToMatch(uint16_t player, int16_t side, int16_t slot, int16_t competition, int16_t neutral,
                      int16_t club, int16_t opponent);
// The pre-match mood: a player his fans dislike (rating below 21) loses
// morale and form at random, one they love (48 and up) gains both.
void ApplyFansMood(uint16_t player);

// Captain and set-piece takers of a club side, of a reserve side (reserve
// shirts and the reserve choices) and of a national side, as shirt numbers
// into the side's team block.  A role nobody can take stays unset (-1).
void SetClubTeamRoles(int16_t side);
void SetSecondTeamRoles(int16_t side);
// kind 0 the senior side, 1 the under-21 side.
void SetNationalTeamRoles(int16_t nation, int16_t side, int16_t kind);

// The front end's set-piece suggestions for the club whose squad lists are
// built: the best player among shirts 2..11 (reserve shirts for the reserve
// side) for free kicks, corners and penalties; 0 for a human-run club, who
// chooses himself.
uint16_t SuggestFreeKickTaker(int16_t club, int16_t reserveSide);
uint16_t SuggestCornerTaker(int16_t club, int16_t reserveSide);
uint16_t SuggestPenaltyTaker(int16_t club, int16_t reserveSide);

// The most experienced player of each line (defence, midfield, attack)
// raises his line's thinking, composure, strength, agility, vision and the
// line's own skill.
void LineLeaderBoost(int16_t side);
// Scales one skill of every player on both team sheets so that the best of
// them has 95: n = 0 Keeping (goalkeepers only), 1 Heading, 2 Tackling,
// 3 Passing, 4 Shooting, 6 Control; any other n changes nothing.
void NormaliseMatchStat(int16_t n);
