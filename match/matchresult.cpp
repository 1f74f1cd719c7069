#include "match/matchresult.h"

MatchResultBlock MatchResult;

MatchResultBlock* GetMatchBlock() { return &MatchResult; }
