#include "core/match/matchrules.h"
#include "core/match/actions.h"

#include <cmath>
#include <cstdlib>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/tactics.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"

using namespace gameinfo;

PendingPassRecord PendingPass[3] = {{kNoFigure, kNoFigure}, {kNoFigure, kNoFigure}, {kNoFigure, kNoFigure}};
uint8_t PassMatrixSecondFlag;
int16_t FreeKickAimX, FreeKickAimY;
int16_t GoalDistanceScratch;
uint8_t PenaltiesTaken;
uint16_t ShootoutOrder[2][kShootoutKickers];

namespace {

constexpr int kOutfieldFirst = 1;
constexpr int kOutfieldLast = 10;
constexpr int16_t kCelebrationClips[7] = {218, 219, 220, 221, 315, 316, 317};
constexpr int16_t kDejectionClips[7] = {219, 221, 306, 307, 308, 309, 310};

int Team(int16_t figure) { return figure / kTeamFigures; }
int GoalY(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }

bool ValidPlayer(int16_t figure) { return figure >= 0 && figure < kPlayerFigures; }

// The figure's slot 0..10 in its team's line-up, -1 when it has none.
int LineUpSlot(int16_t figure) {
    if (!ValidPlayer(figure)) return -1;
    for (int slot = 0; slot <= kOutfieldLast; ++slot) {
        if (MatchLineUp[Team(figure)][slot] == figure) return slot;
    }
    return -1;
}

bool IsKeeper(int16_t figure) { return ValidPlayer(figure) && MatchLineUp[Team(figure)][0] == figure; }

bool InOwnArea(int team, int x, int y) {
    if (x <= kAreaLeftX || x >= kAreaRightX) return false;
    return team == AttackDirection ? y < kAreaLowY : y > kAreaHighY;
}

int16_t Clamp100(int value) { return int16_t(value < 1 ? 1 : (value > 100 ? 100 : value)); }

void DropSkill(int8_t& skill) {
    if (skill > 2) --skill;
}

void StartMood(int16_t figure, uint16_t action, const int16_t (&clips)[7]) {
    if (!ValidPlayer(figure)) return;
    MatchFigure& f = MatchFigures[figure];
    if (f.action >= kActionOnBall && f.action <= kActionKeeperHoldGestureA) return;
    Match_SetPlayerAction(figure, action);
    f.ballDirection = 0;
    f.anim = clips[GameRandom() % 7];
    f.actionParam = uint16_t(f.anim);  // the clip the action plays
}

// A figure counts toward nearest/farthest searches when free to run.
template <typename Accept>
int16_t SearchTeam(int16_t x, int16_t y, int16_t excluded, bool farthest, Accept accept) {
    int16_t found = 0;
    int best = farthest ? 0 : 32767;
    const int team = CurrentTeam & 1;
    for (int slot = kOutfieldFirst; slot <= kOutfieldLast; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (!ValidPlayer(figure) || figure == excluded || !MatchOnPitch(figure)) continue;
        const MatchFigure& f = MatchFigures[figure];
        if (!accept(f.action)) continue;
        const int distance = MatchOctDistance(f.targetX - x, f.targetY - y);
        if (farthest ? distance > best : distance <= best) {
            best = distance;
            found = figure;
        }
    }
    return found;
}

void ClampLook(MatchFigure& f, int turn, int step) {
    if (turn > step) turn = step;
    if (turn < -step) turn = -step;
    int angle = f.headTurn + turn;
    if (angle > 40) angle = 40;
    if (angle < -40) angle = -40;
    f.headTurn = int16_t(angle);
}

int SignedTurn(int difference) {
    difference &= 255;
    return difference >= 128 ? difference - 256 : difference;
}

}  // namespace

int16_t MatchOctDistance(int dx, int dy) {
    dx = std::abs(dx);
    dy = std::abs(dy);
    const int distance = dx > dy ? dx + dy / 2 : dy + dx / 2;
    return int16_t(distance > 32767 ? 32767 : distance);
}

uint16_t MatchDirectionTo(int x0, int y0, int x1, int y1) { return Match_DirectionTo(x0, y0, x1, y1); }

uint16_t MatchFigurePlayerId(int16_t figure) {
    if (!ValidPlayer(figure)) return 0;
    return uint16_t(GameInfo.I16(PlayerInfoAt(Team(figure), figure % kTeamFigures) + kPlayerInfoNumber));
}

bool MatchOnPitch(int16_t figure) { return ValidPlayer(figure) && MatchFigures[figure].off == 0; }

void MatchCountPassTo(MatchFigure& passer, int16_t receiver) {
    if (!ValidPlayer(receiver)) return;
    const int shirt = MatchFigures[receiver].shirt;
    if (shirt >= 1 && shirt <= kTeamFigures) ++passer.passesTo[shirt - 1];
}

int16_t MatchPlayerSkill(int16_t figure) {
    if (!ValidPlayer(figure)) return 1;
    const MatchFigure& f = MatchFigures[figure];
    int value = f.spirit;
    if (f.tacticBytes[0] == 2) value += 50;
    if (f.tacticBytes[0] == 1) value -= 50;
    return Clamp100(value);
}

int16_t MatchSlotRoleChoice(int16_t figure, int16_t value) {
    const int slot = LineUpSlot(figure);
    if (slot < 0) return value;
    const MatchFigure& f = MatchFigures[figure];
    const int gridX = GetTacticEntryX(&MatchTacticRecord[Team(figure)], slot);
    const int familiarity = gridX < 4 ? f.leftNow : (gridX <= 11 ? f.middleNow : f.rightNow);
    if (familiarity >= 6) return value;
    if (GameRandom() % 3 > familiarity) return int16_t(value / (6 - familiarity) + 1);
    return value;
}

int16_t MatchRandomSpread(int16_t range, int16_t base) {
    if (range <= 0 || base <= 0) return 0;
    return int16_t(base - GameRandom() % (range + 1));
}

int16_t MatchFindNearestPlayer(int16_t x, int16_t y, int16_t excluded) {
    return SearchTeam(x, y, excluded, false, [](uint16_t action) {
        return action <= kActionSprintAfterBall || action == kActionIdleVariation;
    });
}

int16_t MatchFindBestReceiver(int16_t x, int16_t y, int16_t excluded) {
    return SearchTeam(x, y, excluded, true, [](uint16_t action) { return action <= kActionSprintAfterBall; });
}

int16_t MatchChoosePassTarget(int16_t y) {
    const int outlook = ValidPlayer(LastToucher) ? MatchFigures[LastToucher].outlook : 0;
    if (GameRandom() % 100 < outlook) return 0;
    const int team = CurrentTeam & 1;
    int best = 10000;
    int16_t found = 0;
    for (int slot = 0; slot <= kOutfieldLast; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (!ValidPlayer(figure)) continue;
        const MatchFigure& f = MatchFigures[figure];
        const int direction = MatchDirectionTo(f.x, f.y, kPitchCentreX, y);
        const int angle = direction >= 65 && direction <= 191 ? std::abs(direction - 128)
                                                              : std::min(direction, 255 - direction);
        const int score = MatchOctDistance(kPitchCentreX - f.x, y - f.y) + 4 * angle;
        if (score < best) {
            best = score;
            found = figure;
        }
    }
    return found;
}

int16_t MatchFindOpponentInFront(int16_t figure) {
    if (!ValidPlayer(figure)) return 0;
    const MatchFigure& p = MatchFigures[figure];
    const int other = Team(figure) ^ 1;
    for (int slot = kOutfieldFirst; slot <= kOutfieldLast; ++slot) {
        const int16_t opponent = MatchLineUp[other][slot];
        if (!MatchOnPitch(opponent)) continue;
        const MatchFigure& o = MatchFigures[opponent];
        if (std::abs(o.x - p.x) > 20 || std::abs(o.y - p.y) > 20 || o.action > kActionThrowInChoose) continue;
        const int turn = std::abs(SignedTurn(MatchDirectionTo(MatchCurX, MatchCurY, o.x, o.y) - p.facing));
        if (turn <= 64) return opponent;
    }
    return 0;
}

uint16_t MatchFrontOrBackAction(uint16_t a, uint16_t b) {
    const int turn = (b - a) & 255;
    return turn < 64 || turn > 192 ? kActionFallForward : kActionSlidingFall;
}

void Match_ClampToPitch() {
    if (MatchCurX < 156) MatchCurX = 156;
    if (MatchCurX > 1444) MatchCurX = 1444;
    if (MatchCurY < 116) MatchCurY = 116;
    if (MatchCurY > 2048) MatchCurY = 2048;
    MatchCurX16 = int32_t(MatchCurX) * 65536;
    MatchCurY16 = int32_t(MatchCurY) * 65536;
    MatchCurX = int16_t(MatchCurX16 / 65536);
    MatchCurY = int16_t(MatchCurY16 / 65536);
}

void MatchSetKickSpeed(int16_t kicker, int16_t targetX) {
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
    if (!ValidPlayer(kicker)) return;
    const MatchFigure& k = MatchFigures[kicker];
    GoalDistanceScratch = MatchOctDistance(kPitchCentreX - k.x, GoalY(Team(kicker)) - k.y);
    int bend = 50 - GoalDistanceScratch / 16;
    if (bend < 1) bend = 1;
    bend *= 125;
    const bool hasTarget = targetX >= 0;
    // The skill draw is made whether or not the kick has a target.
    const bool skilled = GameRandom() % 300 < k.shooting + k.intelligence + k.composure;
    if (skilled && hasTarget) {
        BallState.swerve[0] = targetX >= kPitchCentreX ? -(bend + 5000) : bend + 5000;
    } else {
        switch (GameRandom() % 3) {
            case 0:
                if (hasTarget) BallState.swerve[0] = targetX < kPitchCentreX ? -(bend + 5000) : bend + 5000;
                break;
            case 1:
                BallState.swerve[0] = GameRandom() % (2 * bend + 10000) - (bend + 5000);
                break;
            default:
                break;
        }
        BallState.swerve[1] = GameRandom() % 6000 - 3000;
        BallState.swerve[2] = (GameRandom() % 4000) * 10 - 20000;
    }
    BallState.swerveTime = uint16_t(10 + GameRandom() % 25);
}

void MatchSetBallVelocity(int16_t x, int16_t y, int32_t lift, int32_t factor) {
    BallState.vx = (x - BallState.x) * factor;
    BallState.vy = (y - BallState.y) * factor;
    BallState.vz = lift * 10;
}

void MatchCheckRestart(int16_t amount) {
    // The half with y below halfway is attacked by the team other than the end flag.
    const int attackers = BallState.y < kPitchHalfwayY ? (AttackDirection ^ 1) : AttackDirection;
    const int defenders = attackers ^ 1;
    int att = TeamRestartCount[attackers];
    int def = TeamRestartCount[defenders];
    if (amount == 6 && Goals[attackers] - Goals[defenders] == 1) {
        att = 0;
        def = 12;
    } else {
        att += amount;
        def -= 2 * amount;
    }
    TeamRestartCount[attackers] = uint16_t(att < 0 ? 0 : (att > 65535 ? 65535 : att));
    TeamRestartCount[defenders] = uint16_t(def < 0 ? 0 : (def > 65535 ? 65535 : def));
}

int16_t MatchShootoutTaker() {
    const int team = CurrentTeam & 1;
    int16_t candidates[10];
    const bool human = MatchTeamHuman(&GameInfo, team);
    for (int i = 0; i < 10; ++i) {
        candidates[i] = -1;
        if (human) {
            for (int entry = 0; entry < kTeamFigures; ++entry) {
                const int16_t figure = int16_t(team * kTeamFigures + entry);
                if (MatchFigurePlayerId(figure) == ShootoutOrder[team][i]) {
                    candidates[i] = figure;
                    break;
                }
            }
        } else {
            candidates[i] = MatchLineUp[team][10 - i];
        }
    }
    int eligible = 0;
    for (int16_t figure : candidates) {
        if (MatchOnPitch(figure) && MatchFigures[figure].position != 0) ++eligible;
    }
    if (eligible == 0) {
        // Nobody qualifies (every candidate sent off or a goalkeeper): the
        // walk round the list would never end, so the first player on the
        // pitch takes the kick, else the goalkeeper.
        for (int entry = 0; entry < kTeamFigures; ++entry) {
            const int16_t figure = int16_t(team * kTeamFigures + entry);
            if (MatchOnPitch(figure)) return figure;
        }
        return MatchLineUp[team][0];
    }
    int wanted = (PenaltiesTaken / 2) % eligible;
    for (int16_t figure : candidates) {
        if (!MatchOnPitch(figure) || MatchFigures[figure].position == 0) continue;
        if (wanted-- == 0) return figure;
    }
    return MatchLineUp[team][0];
}

void MatchTakePossession(int16_t figure) {
    if (!ValidPlayer(figure) || figure == LastToucher || MatchPhase != kPhaseOpenPlay ||
        BallState.holder != 0)
        return;
    const int team = Team(figure);
    MatchFigure& p = MatchFigures[figure];
    Match_ChangePossession(int16_t(team), figure);
    p.chaseTicks = 0;
    p.ballDistance = 0;
    ++p.touches;

    const int lead = Goals[team] - Goals[team ^ 1];
    if (p.infoWord2 != 0 && lead > 0) {
        MatchSfx_PlayEvent(kSoundLosersGroan, int16_t(team ^ 1));
        MatchSfx_PlayEvent(kSoundFansCheer, int16_t(team));
    } else if (p.infoByte < 30 && lead < 0) {
        MatchSfx_PlayEvent(kSoundFansJeer, int16_t(team));
    }

    bool completed = false;
    for (int kind = 0; kind < 3 && !completed; ++kind) {
        PendingPassRecord& pass = PendingPass[kind];
        const bool toMe = pass.receiver == uint16_t(figure) ||
                          (kind == 0 && pass.receiver != kNoFigure && pass.receiver == uint16_t(LastToucher));
        if (pass.passer == uint16_t(LastToucher) && ValidPlayer(LastToucher) && toMe) {
            MatchFigure& passer = MatchFigures[LastToucher];
            static constexpr MatchCounter kGiven[3] = {kCountShortPassesGood, kCountLongPassesGood,
                                                       kCountCrossesGood};
            ++passer.counts[kGiven[kind]];
            if (kind == 0) {
                if (PassMatrixSecondFlag) {
                    ++passer.moreCounts[kMoreSecondKind1Passes];
                } else {
                    MatchCountPassTo(passer, figure);
                }
            }
            ++p.moreCounts[kMoreReceivedKind1 + kind];
            pass = {kNoFigure, kNoFigure};
            completed = true;
        }
    }
    if (!completed) {
        static constexpr int kInterceptOrder[3] = {1, 2, 0};
        for (int kind : kInterceptOrder) {
            PendingPassRecord& pass = PendingPass[kind];
            if (pass.passer == kNoFigure || !ValidPlayer(int16_t(pass.passer))) continue;
            if (Team(int16_t(pass.passer)) == team) continue;
            ++p.counts[kCountIntercepts];
            if (InOwnArea(CurrentTeam & 1, MatchCurX, MatchCurY)) ++p.moreCounts[kMoreOwnAreaIntercepts];
            pass = {kNoFigure, kNoFigure};
            break;
        }
    }
    PreviousToucher = LastToucher;
    LastToucher = figure;
}

int16_t MatchCountTackle(int16_t figure) {
    if (!ValidPlayer(figure)) return 0;
    const int team = Team(figure);
    const uint16_t opponent = DesignatedPlayer[team ^ 1];
    if (ValidPlayer(int16_t(opponent)) && MatchFigures[opponent].ballDistance >= 36) return 0;
    MatchFigure& p = MatchFigures[figure];
    if (!InOwnArea(team, p.x, p.y)) return 0;
    ++p.moreCounts[kMoreOwnAreaChallenges];
    return 1;
}

int16_t MatchCountOwnAreaTouch(int16_t figure) {
    if (!ValidPlayer(figure) || !InOwnArea(CurrentTeam & 1, MatchCurX, MatchCurY)) return 0;
    ++MatchFigures[figure].counts[kCountOwnAreaTouches];
    return 1;
}

void MatchSetPlayerTimer(int16_t figure) {
    if (!ValidPlayer(figure) || MatchTicks == 0) return;
    MatchFigure& f = MatchFigures[figure];
    if (f.firstActiveTick == 0) {
        f.firstActiveTick = MatchTicks;
    } else {
        f.lastActiveTick = MatchTicks;
    }
}

void MatchFatigueStep() {
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (!MatchOnPitch(figure)) continue;
        MatchFigure& f = MatchFigures[figure];
        const int team = Team(figure);
        if (GameRandom() % 200 > f.stamina && f.stateA < f.pace / 3) {
            if (!IsKeeper(figure) && GameRandom() % 8 == 0) ++f.stateA;
            DropSkill(f.pace);
            DropSkill(f.power);
            DropSkill(f.agility);
            DropSkill(f.stamina);
            DropSkill(f.spirit);
        }
        const int r = GameRandom() % 100;
        const int s = MatchSlotRoleChoice(figure, int16_t(MatchPlayerSkill(figure) / 2));
        if (r <= s || Goals[0] == Goals[1]) continue;
        const int16_t captain = CaptainFigure[team];
        const bool captainOn = MatchOnPitch(captain);
        if (Goals[team] > Goals[team ^ 1]) {
            if (captainOn && GameRandom() % 100 > MatchFigures[captain].leadership) continue;
            if (GameRandom() % 4 == 0) {
                if (f.spirit < 99) ++f.spirit;
                if (GameRandom() % 4 == 0) DropSkill(f.aggression);
            }
        } else {
            if (captainOn && GameRandom() % 100 < MatchFigures[captain].leadership) continue;
            if (GameRandom() % 4 == 0) {
                DropSkill(f.spirit);
                if (GameRandom() % 4 == 0 && f.aggression < 99) ++f.aggression;
            }
        }
    }
}

void MatchRecordEvent(uint8_t kind, int16_t value, int16_t figure, int16_t value2) {
    // The last of the 200 rows always keeps the end mark: a longer match
    // would write its rows past the result block's table.
    if (EventCount < 0) EventCount = 0;
    if (EventCount >= kMatchEvents - 1) {
        MatchResult.events[kMatchEvents - 1][kEventKind] = kEventEnd;
        return;
    }
    uint8_t* row = MatchResult.events[EventCount];
    row[kEventKind] = kind;
    recbits::StoreU16(row + kEventPeriod, Period);
    recbits::StoreU16(row + kEventMinute, uint16_t(MatchClockMinute()));
    recbits::StoreU16(row + kEventTeam, uint16_t(value));
    recbits::StoreU16(row + kEventPlayer, MatchFigurePlayerId(figure));
    recbits::StoreU16(row + kEventValue2, uint16_t(value2));
    ++EventCount;
    MatchResult.events[EventCount][kEventKind] = kEventEnd;
}

void MatchDefaultDesignatedPlayer(int16_t team) {
    if (team < 0 || team > 1) return;
    if (DesignatedPlayer[team] == kNoDesignated) DesignatedPlayer[team] = uint16_t(BallRanking[team][0]);
}

void MatchSelectPlayer(int16_t figure) {
    for (int i = 0; i < kPlayerFigures; ++i) MatchFigures[i].hasBall = 0;
    if (ValidPlayer(figure)) MatchFigures[figure].hasBall = 1;
}

void MatchStartCelebration(int16_t figure) { StartMood(figure, kActionCelebrate, kCelebrationClips); }
void MatchStartDejection(int16_t figure) { StartMood(figure, kActionKeeperGestureMate, kDejectionClips); }

void MatchSetAllActions(uint16_t action) {
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) Match_SetPlayerAction(figure, action);
}

int16_t MatchReleasePlayers() {
    int16_t busy = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        if (f.action < kActionSprintAfterBall) {
            Match_SetPlayerAction(figure, kActionRunToPosition);
            f.hasBall = 0;
        }
    }
    for (int team = 0; team < 2; ++team) {
        Match_SetPlayerAction(MatchLineUp[team][0], kActionKeeperReady);
        DesignatedPlayer[team] = kNoDesignated;
    }
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        const uint16_t action = MatchFigures[figure].action;
        if (action == kActionToTunnel || action == kActionWalkOff || action == kActionSubstitutedOff ||
            action == kActionSubstituteOn || (!IsKeeper(figure) && action >= kActionSprintAfterBall)) {
            ++busy;
        }
    }
    return busy;
}

void MatchResetAllPlayers() {
    for (int figure = 0; figure < kPlayerFigures; ++figure)
        MatchFigures[figure].action = kActionRunToPosition;
    for (int team = 0; team < 2; ++team) {
        Match_SetPlayerAction(MatchLineUp[team][0], kActionKeeperReady);
        DesignatedPlayer[team] = kNoDesignated;
    }
}

int16_t MatchCountBusyPlayers() {
    int16_t busy = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        const uint16_t action = MatchFigures[figure].action;
        if (IsKeeper(figure) ? action != kActionKeeperReady : action >= kActionCross) ++busy;
    }
    return busy;
}

void MatchFreeKickWallAim() {
    int minX = 32767, maxX = -32768;
    bool anyWall = false;
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        const MatchFigure& f = MatchFigures[figure];
        if (f.action != kActionWall) continue;
        anyWall = true;
        if (f.targetX < minX) minX = f.targetX;
        if (f.targetX > maxX) maxX = f.targetX;
    }
    const int16_t goalY = int16_t(CurrentTeam == AttackDirection ? 2043 : 121);
    FreeKickAimY = goalY;
    if (!anyWall) {
        FreeKickAimX = kPitchCentreX;
        return;
    }
    // Compare the wall's ends with the posts as seen from the kicker.
    const int toLeftPost = MatchDirectionTo(MatchCurX, MatchCurY, kPostLeftX, goalY);
    const int toRightPost = MatchDirectionTo(MatchCurX, MatchCurY, kPostRightX, goalY);
    const int toWallLow = MatchDirectionTo(MatchCurX, MatchCurY, minX, goalY);
    const int toWallHigh = MatchDirectionTo(MatchCurX, MatchCurY, maxX, goalY);
    const bool coversLeft = minX <= kPostLeftX;
    const bool coversRight = maxX >= kPostRightX;
    if (!coversLeft && !coversRight) {
        FreeKickAimX = kPitchCentreX;
        return;
    }
    const int leftOpening = std::abs(SignedTurn(toWallLow - toLeftPost));
    const int rightOpening = std::abs(SignedTurn(toRightPost - toWallHigh));
    if (coversLeft && (!coversRight ? true : leftOpening < rightOpening)) {
        FreeKickAimX = int16_t(862 + GameRandom() % 20);
    } else {
        FreeKickAimX = int16_t(730 - GameRandom() % 20);
    }
}

void MatchKeepPlayersInPitch(int16_t leftOut) {
    const int restartY = BallState.y;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (figure == leftOut || IsKeeper(figure) || !MatchOnPitch(figure)) continue;
        MatchFigure& f = MatchFigures[figure];
        if (f.action == kActionWall) continue;
        if (f.targetX > 1014)
            f.targetX = int16_t(f.targetX - 100);
        else if (f.targetX < 578)
            f.targetX = int16_t(f.targetX + 100);
        if (restartY <= kPitchHalfwayY) {
            if (f.targetY > 982) continue;
            if (f.targetY > restartY) f.targetY = int16_t(f.targetY - 100);
        } else {
            if (f.targetY < 1182) continue;
            if (f.targetY < restartY) f.targetY = int16_t(f.targetY + 100);
        }
        if (f.targetY < kGoalLineLow) f.targetY = 190;
        if (f.targetY > kGoalLineHigh) f.targetY = 1974;
    }
}

void MatchCornerMarkers(int16_t team) {
    if (team < 0 || team > 1) return;
    CurrentTeam = uint8_t(team);
    const bool lowEnd = BallState.y <= kPitchHalfwayY;
    const int goalLine = lowEnd ? kGoalLineLow : kGoalLineHigh;
    const int inward = lowEnd ? 1 : -1;
    const int edgeX = BallState.x > kPitchCentreX ? kAreaRightX + 80 : kAreaLeftX - 80;
    const int16_t spots[3][2] = {{kPostLeftX, int16_t(goalLine + 10 * inward)},
                                 {kPostRightX, int16_t(goalLine + 10 * inward)},
                                 {int16_t(edgeX), int16_t(goalLine + 48 * inward)}};
    for (const auto& spot : spots) {
        const int16_t figure = MatchFindNearestPlayer(spot[0], spot[1], -1);
        if (!ValidPlayer(figure) || figure == 0) continue;
        Match_SetPlayerAction(figure, kActionRunToTarget);
        MatchFigures[figure].targetX = spot[0];
        MatchFigures[figure].targetY = spot[1];
    }
}

void MatchLookAngleToward(int16_t figure, uint16_t direction, int16_t step) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    const int wanted = SignedTurn(direction - (f.facing - 64) - f.headTurn);
    ClampLook(f, wanted, step);
}

void MatchLookAtFigure(int16_t figure, int16_t target, int16_t step) {
    if (figure < 0 || figure >= kMatchFigureCount || target < 0 || target >= kMatchFigureCount) return;
    const MatchFigure& t = MatchFigures[target];
    const MatchFigure& f = MatchFigures[figure];
    MatchLookAngleToward(figure, MatchDirectionTo(f.x, f.y, t.x, t.y), step);
}

void MatchAdjustPlayerLean(int16_t figure, int16_t angle, int16_t step) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    ClampLook(f, angle - f.headTurn, step);
}

int16_t MatchIsCurrentPosition(int16_t x, int16_t y, int16_t height) {
    if (height < BallState.z) return -1;
    return x == MatchCurX && y == MatchCurY ? 0 : -1;
}
