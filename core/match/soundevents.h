// The match's sound events (MatchEventCode, 0..43): what the simulation
// hands MatchSfx_PlayEvent with a side (0 home, 1 away, -1 none).  The
// display picks a sample, a channel and a loudness for each; codes not
// named here play nothing.
#pragma once
#include <cstdint>

// Ball sounds, played whatever the crowd.
constexpr int16_t kSoundBounce = 0;         // ball bounce
constexpr int16_t kSoundShot = 1;           // shot or header at goal, also a keeper's release
constexpr int16_t kSoundPass = 2;           // pass, cross or long strike
constexpr int16_t kSoundPost = 4;           // the ball hits a post
constexpr int16_t kSoundCatch = 5;          // a goalkeeper's catch
constexpr int16_t kSoundKick = 6;           // kick, knock or throw
constexpr int16_t kSoundNet = 7;            // the ball in the net
constexpr int16_t kSoundQuickSidePass = 8;  // quick side pass
constexpr int16_t kSoundHeader = 9;         // header or jumping punch
constexpr int16_t kSoundBallOnKeeper = 10;  // the ball strikes the goalkeeper (parry, punch, tip)
constexpr int16_t kSoundPlayerFalls = 12;   // a tackled player goes down
constexpr int16_t kSoundWall = 13;          // the ball strikes the wall
constexpr int16_t kSoundCrossbar = 14;      // the ball hits the crossbar
constexpr int16_t kSoundBallOnPlayer = 15;  // the ball strikes a player
// Whistles.
constexpr int16_t kSoundWhistle = 16;      // the referee's whistle (the ball over the touchline, a restart)
constexpr int16_t kSoundLongWhistle = 17;  // the long whistle (offside)
constexpr int16_t kSoundEndWhistle = 18;   // the end of a period
// Crowd sounds, silent in a practice match.
constexpr int16_t kSoundSubstitution = 19;      // the crowd at a substitution
constexpr int16_t kSoundAfterCelebration = 20;  // the celebration is over (plays nothing)
constexpr int16_t kSoundCrowdMiss = 21;         // the crowd at a miss, louder the nearer it went
constexpr int16_t kSoundCrowdCorner = 22;       // the crowd as a shot goes out for a corner
constexpr int16_t kSoundGoal = 24;              // the goal roar
constexpr int16_t kSoundPeriodWon = 26;         // the winners' crowd at the end of a decided period
constexpr int16_t kSoundAfterGoal = 27;         // the reaction after a goal or a decided kick
constexpr int16_t kSoundCatchCheer = 29;        // the crowd at a goalkeeper's catch
constexpr int16_t kSoundPeriodStart = 30;       // the crowd as a period starts
constexpr int16_t kSoundLosersGroan = 32;       // the losing side's crowd after a goal or a decided kick
constexpr int16_t kSoundTeamMenuToggle = 33;    // a manager's team-menu request toggled (F1, F12)
constexpr int16_t kSoundCrowdMurmur = 35;       // the crowd's murmur
constexpr int16_t kSoundFansCheer = 37;         // the team's fans cheer their player
constexpr int16_t kSoundDelayedCrowd = 40;      // the delayed crowd event's reaction
constexpr int16_t kSoundFansJeer = 41;          // the fans jeer a player of their own team

constexpr int kSoundEventCount = 44;
