// Player match ratings and comments: after the user's match a pass ranks
// the 32 players of both teams in ten categories of their match counters,
// grades each player of his team, picks a star of the match and chooses up
// to seven short sentences per player from the built-in comment store; the
// screen 71 shows the selected player's sentences joined into one text.
// The pass reads the kept match (game/screens/matchday/lastmatch.h).
#pragma once
#include <cstdint>

constexpr int kRatedTeams = 2;
constexpr int kRatedPlayers = 16;
constexpr int kRatingCategories = 10;
constexpr int kCommentSlots = 8;
constexpr int kCommentTextMax = 800;
constexpr int kCommentStoreSlots = 476;
constexpr int kCommentLists = 55;

struct PlayerMatchRating {
    uint8_t place[kRatingCategories];  // 1 best .. 32; 0 unranked or not an outfield player
    uint8_t grades[2];                 // four 4-bit grades of Ratings_GradeA
    uint8_t work[2];                   // the category-8 key, little-endian
};
extern PlayerMatchRating PlayerMatchRatings[kRatedTeams][kRatedPlayers];
// Comment numbers per player of the commented team, -1 empty.
extern int16_t RatingChoices[kRatedPlayers][kCommentSlots];
extern char RatingCommentText[kCommentTextMax + 1];
// Bits 0-1 the result from the first team's side (0 won, 1 lost, 2 drawn),
// 2-4 the two-leg aggregate (7 not a second leg, 0 ahead, 1 behind, 2
// level), 5-6 the shoot-out (3 none, 0 won, 1 lost).
extern uint32_t MatchSituation;

// The whole pass for the team (0/1) of the fixture.
void Ratings_RunPass(int16_t fixture, int16_t team);
void Ratings_RankAll();
void Ratings_PickStar();
void Ratings_ChooseComments(int16_t team);
// Grades of a player of the commented team (see the comments of each).
int Ratings_GradeA(int16_t team, int16_t player);
int Ratings_GradeB(int16_t team, int16_t player);
int Ratings_GradeC(int16_t team, int16_t player);
// The category-8 key of a player report: 8 x goals + 3 x shots + dribbles
// + 2 x (free-kick and penalty goals) - 2 x penalties missed, at least 0.
int Ratings_ShootingKey(const uint8_t* report);

void Ratings_BuildCommentText(int16_t player);
const char* Ratings_GetCommentText(int16_t comment);
// A random member of the list through the game's generator; -1 for list -1,
// a list outside 0..54 or an empty list.
int16_t Ratings_PickFromList(int16_t list);
// The number of members of a list (0 outside 0..54).
int Ratings_ListSize(int16_t list);
void Ratings_Clear();
// Player k's counters (team 0/1, k 0..15) in the kept copy of the user's
// last match, which the match day takes from the result block as soon as
// his match ends (the live block holds later fixtures by the time the
// pass's readers look); the pass reads every counter through it.
const uint8_t* Ratings_ReportOf(int16_t team, int16_t player);
// The team the last pass commented, -1 before any pass.
int16_t Ratings_CommentedTeam();
