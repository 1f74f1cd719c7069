// What the season playthrough's user does with his shown matches beyond
// letting them run: one league match watched from the kick-off to the final
// whistle (grabs at the kick-off, at a goal and at the whistle; drawn
// throughout with HALVORN_WATCH_WHOLE=1, otherwise at those moments with
// the drawing off (H) between: a whole drawn match costs minutes), one
// match in which he opens the in-match menus himself (the statistics, a
// substitution at a stoppage, a replay), a substitution at half-time in
// the next shown match, and a saved goal looked at on the goal-replay
// screen after the day.  The playthrough calls these hooks from
// its match maker and from the day user's steps; the report says what was
// seen, and MatchDayActionsFailures what the checks rejected.
#pragma once
#include <string>
#include <vector>

#include "core/match/matchhooks.h"

namespace playthrough {

struct MatchDayActionsReport {
    // The match watched whole: its day, drawn frames and cost.
    int wholeDay = -1;
    int wholeFrames = 0;
    double wholeCpu = 0;
    // The kick-off's grabs: the pitch's share, each side's shirt seen, the
    // score panel.
    int kickOffGreen = -1;
    bool kickOffShirts[2] = {false, false};
    bool kickOffScore = false;
    // The grab at a goal (of the match watched whole, or of the first later
    // match with a goal, drawn until it).
    int goalDay = -1;
    int goalGreen = -1;
    bool goalScore = false;
    bool goalScoreKey = false;
    bool goalShirt = false;
    // The grab at the final whistle of the match watched whole.
    bool whistleGrabbed = false;
    int whistleGreen = -1;
    bool whistleScore = false;
    bool whistleScoreKey = false;
    // The match with the in-match menus.
    int menusDay = -1;
    bool teamStatsSeen = false;
    bool playerStatsSeen = false;
    bool teamScreenSeen = false;
    bool stoppageAsked = false;
    bool substituted = false;
    int subsUsed = -1;
    bool substituteOnPitch = false;
    int replayFrames = 0;
    // Hurt players he replaced and visits in which he gave a sent-off
    // player's roles to another, so that the menus would let him go.
    int hurtReplaced = 0;
    int rolesGiven = 0;
    int replayPanelShare = -1;
    // The substitution at half-time of the next shown match: the match's
    // count as it ended (a count of its own, not added to the last one's).
    int halfTimeSubDay = -1;
    bool halfTimeSubstituted = false;
    int halfTimeSubsUsed = -1;
    // The first day that ended on the club screen with goals of his saved
    // that day: leaving the day's results list for the club gave up their
    // reel, the files stay.
    int goalsKeptDay = -1;
    // The goal-replay screen after a day with saved goals.
    int savedGoalDay = -1;
    int savedGoalFiles = 0;
    int savedGoalsPlayed = 0;
    int savedGoalGreen = -1;
    int savedGoalPanelShare = -1;
    int optionAfterSavedGoals = -1;
};

void MatchDayActionsReset();
// Around each of his shown matches, with the display's own hooks (those in
// place before the playthrough's): before the save only (active), the
// match is watched whole, or with the menus, or drawn until its first
// goal; otherwise it runs as the playthrough runs it.
void MatchDayActionsBegin(const MatchDisplayHooks& display, bool active);
void MatchDayActionsEnd();
// True while the shown match under way is one of those above (watched
// whole, with the menus, until its first goal, or with a substitution at
// half-time); false for a match he only lets run.
bool MatchDayActionsBusy();
// Asked first on every step of the day user: true when it queued what the
// user does (or holds him, a replay being looked at).
bool MatchDayActionsScreens(bool active);
// The in-match menus keep him while a hurt player of his side waits to be
// replaced: at the engine's visit he brings the first substitute free to
// come on for him.  False when there is no visit, nobody hurt or nobody
// to bring on.
bool MatchDayActionsReplaceHurtPlayer();
// They keep him too while a role has no holder on the pitch (its holder
// sent off): he gives it to the first outfield player left.  False when no
// role is lost.
bool MatchDayActionsGiveLostRoles();

const MatchDayActionsReport& MatchDayActionsSeen();
// What the checks reject, given whether the whole run was played (the
// match watched whole and the menus need the normal tree).
std::vector<std::string> MatchDayActionsFailures(bool fullRun);
std::string MatchDayActionsSummary();

}  // namespace playthrough
