#include "core/match/actionmachine.h"
#include "core/match/matchengine.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <utility>

#include "core/base/random.h"
#include "core/match/aerials.h"
#include "core/match/ballturns.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/onball.h"
#include "core/match/openplay.h"
#include "core/match/playeractions.h"
#include "core/match/setpieces.h"
#include "core/match/shooting.h"
#include "core/match/strikes.h"
#include "core/match/tacklefalls.h"
#include "core/match/volleys.h"

uint8_t RunningCount;

// Flags per action: head follows the ball, free to react, may react to a
// high ball.
const MatchActionFlags MatchActionFlagTable[kMatchActionCount] = {
    {1, 1, 0},  // 0
    {1, 1, 1},  // 1
    {1, 1, 1},  // 2
    {0, 0, 0},  // 3
    {0, 1, 1},  // 4
    {0, 1, 0},  // 5
    {0, 1, 0},  // 6
    {0, 1, 1},  // 7
    {0, 1, 0},  // 8
    {0, 1, 0},  // 9
    {0, 1, 0},  // 10
    {0, 1, 1},  // 11
    {0, 1, 0},  // 12
    {0, 1, 0},  // 13
    {1, 1, 0},  // 14
    {1, 1, 1},  // 15
    {1, 1, 1},  // 16
    {1, 1, 0},  // 17
    {0, 2, 0},  // 18
    {0, 0, 0},  // 19
    {0, 0, 0},  // 20
    {0, 0, 0},  // 21
    {0, 0, 0},  // 22
    {0, 0, 0},  // 23
    {0, 0, 0},  // 24
    {1, 1, 0},  // 25
    {1, 1, 0},  // 26
    {1, 1, 0},  // 27
    {1, 0, 0},  // 28
    {1, 2, 0},  // 29
    {0, 0, 0},  // 30
    {0, 0, 0},  // 31
    {1, 1, 0},  // 32
    {1, 0, 0},  // 33
    {0, 2, 0},  // 34
    {0, 0, 0},  // 35
    {0, 0, 0},  // 36
    {1, 1, 0},  // 37
    {0, 0, 0},  // 38
    {0, 0, 0},  // 39
    {0, 0, 0},  // 40
    {0, 0, 0},  // 41
    {0, 0, 0},  // 42
    {1, 0, 0},  // 43
    {1, 0, 0},  // 44
    {1, 0, 0},  // 45
    {0, 0, 0},  // 46
    {0, 0, 0},  // 47
    {0, 0, 0},  // 48
    {1, 1, 0},  // 49
    {1, 0, 0},  // 50
    {0, 0, 0},  // 51
    {1, 2, 0},  // 52
    {0, 0, 0},  // 53
    {1, 0, 0},  // 54
    {1, 0, 0},  // 55
    {1, 0, 0},  // 56
    {1, 0, 0},  // 57
    {1, 1, 0},  // 58
    {1, 0, 0},  // 59
    {1, 0, 0},  // 60
    {1, 0, 0},  // 61
    {1, 0, 0},  // 62
    {1, 0, 0},  // 63
    {1, 0, 0},  // 64
    {1, 0, 0},  // 65
    {1, 2, 0},  // 66
    {1, 0, 0},  // 67
    {1, 0, 0},  // 68
    {0, 0, 0},  // 69
    {0, 0, 0},  // 70
    {1, 0, 0},  // 71
    {1, 0, 0},  // 72
    {1, 0, 0},  // 73
    {0, 2, 0},  // 74
    {1, 2, 0},  // 75
    {1, 1, 0},  // 76
    {1, 2, 0},  // 77
    {1, 2, 0},  // 78
    {1, 1, 0},  // 79
    {1, 2, 0},  // 80
    {1, 2, 0},  // 81
    {0, 0, 0},  // 82
    {1, 2, 0},  // 83
    {1, 2, 0},  // 84
    {1, 0, 0},  // 85
    {0, 0, 0},  // 86
    {0, 0, 0},  // 87
    {1, 2, 0},  // 88
    {1, 0, 0},  // 89
    {1, 0, 0},  // 90
    {1, 1, 0},  // 91
    {0, 0, 0},  // 92
    {1, 0, 0},  // 93
    {1, 0, 0},  // 94
    {1, 0, 0},  // 95
    {1, 1, 0},  // 96
    {0, 2, 0},  // 97
    {0, 2, 0},  // 98
    {1, 0, 0},  // 99
    {1, 1, 0},  // 100
    {1, 0, 0},  // 101
    {0, 0, 0},  // 102
    {1, 1, 0},  // 103
    {0, 0, 0},  // 104
    {1, 0, 0},  // 105
    {1, 2, 0},  // 106
    {1, 2, 0},  // 107
    {0, 0, 0},  // 108
    {1, 2, 0},  // 109
    {0, 2, 0},  // 110
    {1, 1, 0},  // 111
    {1, 1, 0},  // 112
    {1, 1, 0},  // 113
    {1, 1, 0},  // 114
    {1, 1, 0},  // 115
    {1, 0, 0},  // 116
    {1, 1, 0},  // 117
    {1, 1, 0},  // 118
    {1, 1, 0},  // 119
    {1, 1, 0},  // 120
    {1, 1, 0},  // 121
    {1, 1, 0},  // 122
    {1, 2, 0},  // 123
    {1, 2, 0},  // 124
    {1, 2, 0},  // 125
    {1, 2, 0},  // 126
    {1, 2, 0},  // 127
    {1, 2, 0},  // 128
    {1, 2, 0},  // 129
    {1, 2, 0},  // 130
    {1, 2, 0},  // 131
    {1, 2, 0},  // 132
    {1, 2, 0},  // 133
    {1, 2, 0},  // 134
    {1, 2, 0},  // 135
    {1, 2, 0},  // 136
    {1, 2, 0},  // 137
    {1, 2, 0},  // 138
    {1, 2, 0},  // 139
    {1, 2, 0},  // 140
    {1, 2, 0},  // 141
    {1, 2, 0},  // 142
    {1, 2, 0},  // 143
    {1, 2, 0},  // 144
    {1, 2, 0},  // 145
    {1, 2, 0},  // 146
    {1, 2, 0},  // 147
    {1, 2, 0},  // 148
    {0, 0, 0},  // 149
    {1, 0, 0},  // 150
    {0, 0, 0},  // 151
    {1, 0, 0},  // 152
    {1, 0, 0},  // 153
    {1, 0, 0},  // 154
    {1, 0, 0},  // 155
    {1, 0, 0},  // 156
    {1, 0, 0},  // 157
    {0, 0, 0},  // 158
    {0, 0, 0},  // 159
    {1, 0, 0},  // 160
    {1, 0, 0},  // 161
    {1, 0, 0},  // 162
    {1, 0, 0},  // 163
    {1, 0, 0},  // 164
    {1, 0, 0},  // 165
    {1, 0, 0},  // 166
    {0, 0, 0},  // 167
    {1, 0, 0},  // 168
    {1, 0, 0},  // 169
    {1, 0, 0},  // 170
    {1, 0, 0},  // 171
    {0, 0, 0},  // 172
    {0, 0, 0},  // 173
    {0, 0, 0},  // 174
    {0, 0, 0},  // 175
    {1, 0, 0},  // 176
    {1, 0, 0},  // 177
    {1, 0, 0},  // 178
    {0, 0, 0},  // 179
    {0, 0, 0},  // 180
    {0, 0, 0},  // 181
    {1, 0, 0},  // 182
    {0, 0, 0},  // 183
    {1, 0, 0},  // 184
    {1, 0, 0},  // 185
    {1, 0, 0},  // 186
    {1, 0, 0},  // 187
    {1, 0, 0},  // 188
    {1, 0, 0},  // 189
    {1, 0, 0},  // 190
    {1, 0, 0},  // 191
    {0, 0, 0},  // 192
    {0, 0, 0},  // 193
    {0, 0, 0},  // 194
    {1, 0, 0},  // 195
    {1, 0, 0},  // 196
    {1, 0, 0},  // 197
    {1, 0, 0},  // 198
    {1, 0, 0},  // 199
    {1, 0, 0},  // 200
    {0, 0, 0},  // 201
    {0, 0, 0},  // 202
    {0, 0, 0},  // 203
    {0, 0, 0},  // 204
    {0, 0, 0},  // 205
};

namespace {

constexpr int16_t kTouchLineLeftX = 158;
constexpr int16_t kTouchLineRightX = 1434;
constexpr int16_t kDeepestStartUpfield = 10000;
constexpr int16_t kDeepestStartDownfield = 0;
constexpr int16_t kHeadTurnStep = 16;

// An action whose family is not built yet: one least form per code, so that
// each code keeps a handler of its own in the table.
template <uint16_t Code>
void NotYetBuilt(int16_t figure) {
    assert(MatchFigures[figure].action == Code);
    Match_ActStandTurningToBall(figure);
}

// A code whose family shares one routine still gets a handler of its own.
template <uint16_t Code, MatchActionHandler Shared>
void OwnHandler(int16_t figure) {
    Shared(figure);
}

// The goalkeeper's actions.
template <std::size_t Code>
constexpr MatchActionHandler KeeperHandlerFor() {
    switch (Code) {
        case 152:
            return Match_ActKeeperReady;
        case 156:
        case 157:
        case 160:
        case 166:
        case 171:
        case 182:
        case 195:
        case 196:
        case 197:
        case 198:
        case 199:
        case 200:
            return OwnHandler<uint16_t(Code), Match_ActKeeperDive>;
        case 159:
        case 167:
        case 183:
        case 201:
        case 202:
        case 203:
            return OwnHandler<uint16_t(Code), Match_ActKeeperHoldingDive>;
        case 170:
            return Match_ActKeeperCatchLow;
        case 173:
            return Match_ActKeeperCatchMiddle;
        case 155:
            return Match_ActKeeperCatchHigh;
        case 164:
            return Match_ActKeeperJumpPunch;
        case 165:
            return Match_ActKeeperTipOver;
        case 158:
        case 179:
        case 180:
            return OwnHandler<uint16_t(Code), Match_ActKeeperHoldCatch>;
        case 150:
            return Match_ActKeeperTakeBall;
        case 154:
            return Match_ActKeeperHoldBall;
        case 151:
        case 174:
        case 190:
        case 191:
            return OwnHandler<uint16_t(Code), Match_ActKeeperHoldGesture>;
        case 205:
            return Match_ActKeeperPenaltyGesture;
        case 153:
            return Match_ActKeeperDistribute;
        case 189:
            return Match_ActKeeperThrow;
        case 161:
            return Match_ActKeeperDropKick;
        case 187:
            return Match_ActKeeperFetchGoalKick;
        case 186:
            return Match_ActKeeperAimGoalKick;
        case 188:
            return Match_ActKeeperBackOff;
        case 162:
            return Match_ActKeeperGoalKick;
        case 204:
            return Match_ActKeeperReturnBall;
        case 168:
        case 169:
        case 172:
        case 176:
        case 178:
        case 192:
        case 193:
            return OwnHandler<uint16_t(Code), Match_ActNothing>;
        case 175:
            return Match_ActKeeperSmother;
        case 181:
            return Match_ActKeeperGatherFeet;
        case 163:
            return Match_ActKeeperClear;
        case 184:
        case 185:
            return OwnHandler<uint16_t(Code), Match_ActKeeperBlock>;
        case 177:
            return Match_ActKeeperGestureMate;
        default:
            return NotYetBuilt<uint16_t(Code)>;
    }
}

template <std::size_t Code>
constexpr MatchActionHandler HandlerFor() {
    switch (Code) {
        case 3:
        case 62:
        case 64:
        case 65:
        case 74:
        case 92:
        case 104:
        case 122:
        case 194:
            return Match_ActNothing;
        case 28:
        case 89:
            return Match_ActSlidingTackle;
        case 90:
            return Match_ActSlideWithBall;
        case 116:
            return Match_ActHeavySlide;
        case 91:
            return Match_ActStandingChallenge;
        case 93:
            return Match_ActStagger;
        case 72:
            return Match_ActDive;
        case 99:
            return Match_ActHandball;
        case 56:
            return Match_ActSlideTackle;
        case 32:
            return Match_ActBlockTackle;
        case 37:
            return Match_ActHurdle;
        case 33:
            return Match_ActFallForward;
        case 73:
            return Match_ActSlidingFall;
        case 80:
        case 83:
        case 84:
            return OwnHandler<uint16_t(Code), Match_ActVolley>;
        case 82:
            return Match_ActAttackingHeader;
        case 86:
            return Match_ActHeaderPass;
        case 87:
            return Match_ActBackHeader;
        case 114:
        case 115:
        case 118:
        case 119:
            return OwnHandler<uint16_t(Code), Match_ActChestControl>;
        case 88:
            return Match_ActChestLayOff;
        case 135:
        case 136:
        case 137:
            return OwnHandler<uint16_t(Code), Match_ActBackwardHeader>;
        case 120:
            return Match_ActClearingHeader;
        case 121:
            return Match_ActAerialChallenge;
        case 105:
            return Match_ActSlidingPoke;
        case 2:
            return Match_ActStandOff;
        case 14:
            return Match_ActUnderHighBall;
        case 19:
            return Match_ActThrowInChoose;
        case 20:
            return Match_ActCornerChoose;
        case 21:
            return Match_ActThrowInFetch;
        case 22:
            return Match_ActCornerFetch;
        case 23:
            return Match_ActNetFetch;
        case 24:
            return Match_ActCarryToCentre;
        case 25:
            return Match_ActOverTheBall;
        case 26:
            return Match_ActKickOffWalk;
        case 27:
            return Match_ActKickOffPartner;
        case 30:
            return Match_ActToTunnel;
        case 31:
            return Match_ActWalkOff;
        case 35:
        case 42:
            return OwnHandler<uint16_t(Code), Match_ActThrow>;
        case 36:
            return Match_ActCornerKick;
        case 38:
            return Match_ActSubstitutedOff;
        case 39:
            return Match_ActSubstituteOn;
        case 41:
        case 108:
            return OwnHandler<uint16_t(Code), Match_ActThrowRunUp>;
        case 43:
        case 44:
            return OwnHandler<uint16_t(Code), Match_ActFreeKickRunUp>;
        case 45:
            return Match_ActCornerRunUp;
        case 53:
            return Match_ActFreeKickFetch;
        case 54:
            return Match_ActRetreat;
        case 55:
            return Match_ActFreeKickPasser;
        case 57:
            return Match_ActWatchRestart;
        case 58:
            return Match_ActWallPlayer;
        case 59:
            return Match_ActFreeKickPlace;
        case 60:
            return Match_ActPenaltyRunUp;
        case 61:
            return Match_ActKeeperHoldWalk;
        case 63:
            return Match_ActWaitTurning;
        case 67:
            return Match_ActGesture;
        case 68:
            return Match_ActCornerReady;
        case 69:
            return Match_ActGoalCelebration;
        case 70:
            return Match_ActJoinScorer;
        case 71:
            return Match_ActFreeKickShot;
        case 76:
            return Match_ActBackToPoint;
        case 85:
            return Match_ActPenaltyPlace;
        case 94:
            return Match_ActFreeKickPass;
        case 95:
            return Match_ActPenaltyKick;
        case 96:
            return Match_ActRunToTarget;
        case 100:
            return Match_ActPause;
        case 102:
            return Match_ActStumble;
        case 103:
            return Match_ActRestartPlace;
        case 117:
            return Match_ActCelebrate;
        case 144:
        case 145:
            return OwnHandler<uint16_t(Code), Match_ActPeriodEndReaction>;
        case 146:
            return Match_ActWalkBack;
        case 147:
            return Match_ActCatchReaction;
        case 148:
            return Match_ActBooked;
        case 149:
            return Match_ActFetchAndThrow;
        case 0:
            return Match_ActStand;
        case 1:
            return Match_ActRunToPosition;
        case 4:
            return Match_ActThink;
        case 5:
            return Match_ActWithBall;
        case 6:
            return Match_ActTurnToGoal;
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
            return OwnHandler<uint16_t(Code), Match_ActTurnWithBall>;
        case 15:
            return Match_ActRunAfterBall;
        case 16:
            return Match_ActSprintAfterBall;
        case 40:
            return Match_ActKnockPast;
        case 101:
            return Match_ActIdleVariation;
        case 17:
            return Match_ActReceivePass;
        case 29:
            return Match_ActPass;
        case 34:
            return Match_ActBackHeel;
        case 52:
            return Match_ActShot;
        case 18:
        case 75:
            return OwnHandler<uint16_t(Code), Match_ActCross>;
        case 66:
        case 110:
        case 77:
        case 109:
        case 78:
        case 81:
            return OwnHandler<uint16_t(Code), Match_ActMovingStrike>;
        case 123:
        case 124:
        case 125:
        case 126:
        case 127:
        case 128:
            return OwnHandler<uint16_t(Code), Match_ActSidePass>;
        case 46:
        case 47:
        case 48:
        case 49:
        case 50:
        case 51:
        case 79:
            return OwnHandler<uint16_t(Code), Match_ActAirBall>;
        case 140:
        case 141:
        case 142:
        case 143:
            return OwnHandler<uint16_t(Code), Match_ActFirstTimeKnock>;
        case 111:
            return Match_ActTurnAwayAndKick;
        case 112:
        case 113:
            return OwnHandler<uint16_t(Code), Match_ActTurnOnSpot>;
        case 129:
        case 130:
        case 131:
        case 132:
            return OwnHandler<uint16_t(Code), Match_ActAimedStrike>;
        case 97:
        case 98:
        case 106:
        case 107:
            return OwnHandler<uint16_t(Code), Match_ActTurningShot>;
        case 133:
        case 134:
        case 138:
        case 139:
            return OwnHandler<uint16_t(Code), Match_ActRoundTheKeeper>;
        default:
            return KeeperHandlerFor<Code>();
    }
}

template <std::size_t... Codes>
constexpr std::array<MatchActionHandler, sizeof...(Codes)> MakeActionTable(std::index_sequence<Codes...>) {
    return {{HandlerFor<Codes>()...}};
}

// Each player has at least one usable foot this tick; the middle chance is
// drawn last.
void DrawChanceBits(MatchFigure& f) {
    f.rightNow = GameRandom() % 3 < f.right ? 1 : 0;
    f.leftNow = GameRandom() % 3 < f.left ? 1 : 0;
    f.middleNow = GameRandom() % 3 < f.sideB ? 1 : 0;
    if (f.rightNow == 0 && f.leftNow == 0) f.rightNow = 1;
}

void ParkOffThePitch(MatchFigure& f) {
    f.y16 = 0;
    f.x = 0;
    f.y = 0;
    f.action = 0;
    f.off = 1;
    f.anim = -1;
    f.x16 = 0;
}

void DispatchOnPitch(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    MatchCurX = f.x;
    MatchCurY = f.y;
    MatchCurX16 = f.x16;
    MatchCurY16 = f.y16;
    DrawChanceBits(f);
    MatchActionHandlerOf(f.action)(figure);
    f.x16 = MatchCurX16;
    f.y16 = MatchCurY16;
    f.x = int16_t(f.x16 / 65536);
    f.y = int16_t(f.y16 / 65536);
    if (MatchPhase == kPhaseOpenPlay) MatchSetPlayerTimer(figure);
}

// The first figure of the group refreshed in each tick phase; the teams
// alternate.
constexpr int16_t kGroupStart[4] = {0, 16, 8, 24};
constexpr int kGroupSize = 8;

void UpdateLastDefenderLine(int team) {
    const bool upfield = team == AttackDirection;
    int16_t line = upfield ? kDeepestStartUpfield : kDeepestStartDownfield;
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (figure < 0 || figure >= kPlayerFigures) continue;
        const MatchFigure& f = MatchFigures[figure];
        if (f.off != 0 || f.x <= kTouchLineLeftX || f.x >= kTouchLineRightX) continue;
        if (upfield ? f.y < line : f.y > line) line = f.y;
    }
    MatchLastDefenderY[team] = line;
}

}  // namespace

const std::array<MatchActionHandler, kMatchActionCount> MatchActionTable =
    MakeActionTable(std::make_index_sequence<kMatchActionCount>());

MatchActionHandler MatchActionHandlerOf(uint16_t action) {
    assert(action < kMatchActionCount && "action code outside the table");
    return MatchActionTable[action];
}

void Match_SetPlayerAction(int16_t figure, uint16_t action) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    assert(action < kMatchActionCount && "action code outside the table");
    MatchFigure& f = MatchFigures[figure];
    f.frame = 0;
    f.actionWord = 0;
    f.contactTicks = 0;
    f.actionParam = 0;
    f.hasKicked = 0;
    f.actionTicks = 0;
    f.actionFlag = 0;
    f.action = action;
}

void Match_UpdatePlayers() {
    RunningCount = 0;
    WalkingCount = 0;
    CurrentTeam = 0;
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (figure == kTeamFigures) CurrentTeam = 1;
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) {
            if (RefereeAction == 0) ParkOffThePitch(f);
        } else {
            DispatchOnPitch(figure);
        }
        if (f.off != 0) {
            if (BallState.holder == figure + 1) BallState.holder = 0;
            if (BallState.controller == figure + 1) BallState.controller = 0;
        }
    }
}

void Match_UpdatePlayerGroup() {
    Match_FindBallHolder();
    const int16_t first = kGroupStart[MatchTickPhase & 3];
    // While the ball's figure stands at the ball, the direction just taken
    // to the ball is the one the head turns toward.
    const MatchFigure& ball = MatchFigures[kBallFigure];
    const bool ballFigureAtBall = ball.x == BallState.x && ball.y == BallState.y;
    for (int16_t figure = first; figure < first + kGroupSize; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) continue;
        f.ballDirection = Match_DirectionTo(f.x, f.y, BallState.x, BallState.y);
        assert(f.action < kMatchActionCount && "action code outside the table");
        if (MatchActionFlagTable[f.action].headFollowsBall) {
            if (ballFigureAtBall) {
                MatchLookAngleToward(figure, f.ballDirection, kHeadTurnStep);
            } else {
                MatchLookAtFigure(figure, kBallFigure, kHeadTurnStep);
            }
        } else {
            MatchAdjustPlayerLean(figure, 0, 255);
        }
    }
    const int team = first / kTeamFigures;
    CurrentTeam = uint8_t(team);
    UpdateLastDefenderLine(team);
}
