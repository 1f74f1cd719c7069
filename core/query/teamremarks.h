// Query layer: short remarks on a team, on its figures in the last match
// and on its eleven before a match.
#pragma once
#include <cstdint>

// Remarks as language text ids with their subjects.  The filled part ends
// at the value the list was cleared to: 65535 after HVW_AssessMatchTeam
// (subjects are line-up slots 0-15), 0 after HVW_AssessSquadBeforeMatch
// (subjects are player numbers, 0 for a remark about a whole line).
constexpr int kCommentCapacity = 100;
extern uint16_t CommentTextIds[kCommentCapacity];
extern uint16_t CommentSubjects[kCommentCapacity];

// Remarks on the match figures of side 0 or 1 of the last match.
void HVW_AssessMatchTeam(int16_t side);

// Remarks on the club's eleven before a match: condition, bans, the next
// fixture, each line's experience and the fit of players to their places.
void HVW_AssessSquadBeforeMatch(int16_t club);
