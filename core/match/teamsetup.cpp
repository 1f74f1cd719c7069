#include "core/match/teamsetup.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/phases.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/ballcontacts.h"
#include "core/match/formation.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/periodrunner.h"
#include "core/match/playeractions.h"
#include "core/match/setpieces.h"
#include "core/match/strikes.h"
#include "core/match/tackle.h"
#include "core/match/teamjobs.h"

using namespace gameinfo;

TacticRecord FormationWorkingTactic;
int16_t GoalkeeperFigure[2];
uint8_t MatchUnshown;
uint8_t MatchPitchCondition;
int16_t MatchSubstitutesAvailable;
int16_t ShootOutSpotX, ShootOutSpotY;

int16_t MatchSubsUsed[2];

namespace {

// The kick-off set-up's countdown at the start of a period, in ticks.
constexpr int16_t kKickOffCountdown = 200;
constexpr int kStarters = 11;
constexpr uint8_t kStarterMark = 50;
constexpr uint8_t kOutsideSquadMark = 0xFF;
constexpr int kLinesmanOne = 33;
constexpr int kLinesmanTwo = 34;
constexpr int16_t kOfficialSpacing = 46;
constexpr int kPartnerOffset = 13;
constexpr int kInstructionBytes = 17;  // three bytes at 17, 18, 19
constexpr int kRunTargetAcross = 24;
constexpr int kRunTargetAlong = 26;
constexpr int kMarkingSlot = 28;

int32_t Fixed(int value) { return int32_t(value) * 65536; }

void Place(MatchFigure& f, int x, int y) {
    f.x = int16_t(x);
    f.y = int16_t(y);
    f.x16 = Fixed(x);
    f.y16 = Fixed(y);
}

int16_t Stat(int team, int entry, int stat) {
    return GameInfo.I16(PlayerInfoAt(team, entry) + kPlayerStats + 2 * stat);
}
int16_t Field(int team, int entry, int at) { return GameInfo.I16(PlayerInfoAt(team, entry) + at); }

// Ratings come from the database and saved games: out of range they are
// brought into 1..100, so that no rule divides by a rating of 0.
int8_t Rating(int team, int entry, int stat) {
    return int8_t(std::clamp<int>(Stat(team, entry, stat), 1, 100));
}
int8_t Compressed(int team, int entry, int stat) { return Match_CompressStat(Rating(team, entry, stat)); }

void CopyPlayerData(MatchFigure& f, int team, int entry) {
    std::memcpy(f.name, GameInfo.bytes + PlayerInfoAt(team, entry) + kPlayerInfoName, sizeof f.name);
    f.name[sizeof f.name - 1] = '\0';
    f.keeping = Rating(team, entry, kStatKeeping);
    f.shooting = Rating(team, entry, kStatShooting);
    f.tackling = Rating(team, entry, kStatTackling);
    f.passing = Rating(team, entry, kStatPassing);
    f.heading = Rating(team, entry, kStatHeading);
    f.dribble = Rating(team, entry, kStatDribble);
    f.deadball = Compressed(team, entry, kStatDeadball);
    f.control = Compressed(team, entry, kStatControl);
    f.aggression = Rating(team, entry, kStatAggression);
    f.greed = Rating(team, entry, kStatGreed);
    f.loyalty = Rating(team, entry, kStatLoyalty);
    f.spirit = Rating(team, entry, kStatSpirit);
    f.intelligence = Rating(team, entry, kStatIntelligence);
    f.leadership = Rating(team, entry, kStatLeadership);
    f.outlook = Rating(team, entry, kStatOutlook);
    f.pace = Compressed(team, entry, kStatPace);
    f.stamina = Rating(team, entry, kStatStamina);
    f.power = Compressed(team, entry, kStatPower);
    f.agility = Rating(team, entry, kStatAgility);
    f.resilience = Rating(team, entry, kStatResilience);
    f.vision = Compressed(team, entry, kStatVision);
    f.composure = Rating(team, entry, kStatComposure);
    f.position = int8_t(Field(team, entry, kPlayerPosition));
    f.shirt = int8_t(Field(team, entry, kPlayerShirt));
    f.sideA = int8_t(Field(team, entry, kPlayerSideA));
    f.left = int8_t(Field(team, entry, kPlayerLeft));
    f.sideB = int8_t(Field(team, entry, kPlayerSideB));
    f.right = int8_t(Field(team, entry, kPlayerRight));
    f.recInjury = int8_t(Field(team, entry, kPlayerRecInjury));
    f.infoWord1 = uint16_t(Field(team, entry, kPlayerInfoWord1));
    f.infoWord2 = std::max<int16_t>(Field(team, entry, kPlayerInfoWord2), 0);
    f.infoByte = GameInfo.U8(PlayerInfoAt(team, entry) + kPlayerInfoByte);
}

void StartPlayerFigure(int team, int entry) {
    MatchFigure& f = MatchFigures[team * kTeamFigures + entry];
    const bool starter = entry < kStarters;
    f.off = starter ? 0 : 1;
    f.onBench = starter ? 0 : 1;
    if (starter) {
        f.benchState = kStarterMark;
    } else {
        f.benchState = entry < kStarters + MatchSubstitutesAvailable ? 0 : kOutsideSquadMark;
    }
    f.anim = -1;
    CopyPlayerData(f, team, entry);
}

// The role players are named by shirt, read as the squad entry that wears
// it; an unset (0xFF) or impossible shirt names nobody, so that the default
// taker is used. The squad's 17th entry has no match figure.
int16_t RoleFigure(int team, int field) {
    const int16_t entry = MatchTakerEntry(&GameInfo, team, field);
    if (entry < 0 || entry >= kTeamFigures) return kTakerNone;
    return int16_t(team * kTeamFigures + entry);
}

void LineUpBesideThePitch() {
    const PitchGeometryValues& g = PitchGeometry;
    for (int team = 0; team < 2; ++team) {
        for (int i = 0; i < kTeamFigures; ++i) {
            MatchFigure& f = MatchFigures[team * kTeamFigures + i];
            Place(f, i == 0 ? g.lineUpX - 260 : g.lineUpX - 250 - 12 * i, g.lineUpY);
            f.action = kActionStand;
            f.frame = -1;
            f.offsideMark = 0;
            f.hasBall = 0;
            f.touchLockout = 0;
            f.ballWork2 = 0;
            f.actionWord = 0;
            f.offsideWord = 0;
        }
    }
    Place(MatchFigures[kRefereeFigure], g.lineUpX, g.lineUpY);
    Place(MatchFigures[kLinesmanOne], g.lineUpX - kOfficialSpacing, g.lineUpY + kOfficialSpacing);
    Place(MatchFigures[kLinesmanTwo], g.lineUpX - kOfficialSpacing, g.lineUpY - kOfficialSpacing);
}

void StartTheMatch() {
    MatchUnshown = (DisplayModeFlags & kDisplayOff) != 0 ? 1 : 0;
    if (!MatchUnshown) ClearHeatMaps();
    MatchResetTackleCounts();
    Match_ResetTeamJobs();
    // No referee's call of an earlier match is pending in this one, and
    // nobody of it has touched the ball.
    RefereeAction = 0;
    RefereeOffender = -1;
    LastToucher = PreviousToucher = -1;
    PenaltiesTaken = 0;
    // The ball too: its spin, height and countdowns are not the last match's.
    BallState = {};
    MatchPitchCondition = GameInfo.U8(kPitchCondition);
    MatchSubstitutesAvailable = MatchAvailableSubs(&GameInfo);
    // The substitutions allowed are per match: the count of the last match
    // would leave the user's bench shut for this one.
    MatchSubsUsed[0] = MatchSubsUsed[1] = 0;
    // So are the requests for the team menu: one left at the last match's
    // end (a late sending-off or injury) would open the menu at this one's
    // first restart.
    ChangePending[0] = ChangePending[1] = 0;
    // Every figure starts afresh, the officials, ball and marker too: their
    // facing and animation must not carry over from the previous match.
    std::memset(MatchFigures, 0, sizeof MatchFigures);
    // The formation's possession and placement counters likewise start
    // from nothing rather than where the last match's ticks left them.
    FormationPossession = 0;
    FormationPossessionCount = 0;
    FormationTargetCount = 0;
    // No kick-off taker until the first kick-off names one: the last match's
    // would be kept out of the formation while the sides walk out.
    KickOffTaker = KickOffPartner = -1;
    // Nobody has touched the ball yet: a goal's credit must never go to a
    // figure who touched it last in the previous match.
    LastToucher = PreviousToucher = -1;
    TeamLastToucher[0] = TeamLastToucher[1] = -1;
    FouledPlayer = -1;
    // A pass in flight or a set piece half taken at the last whistle belongs
    // to that match.
    Match_ResetOpenPlayState();
    Match_ResetSetPieceState();
    LineUpBesideThePitch();
    MatchTeam_SetupBoth();
    for (int team = 0; team < 2; ++team) {
        for (int i = 0; i < kTeamFigures; ++i) BallRanking[team][i] = int16_t(team * kTeamFigures + i);
        PenaltyTakerFigure[team] = RoleFigure(team, kPenaltyTaker);
        FreeKickTakerFigure[team] = RoleFigure(team, kFreeKickTaker);
        CornerTakerFigure[team] = RoleFigure(team, kCornerTaker);
        CaptainFigure[team] = RoleFigure(team, kCaptain);
    }
    for (int team = 0; team < 2; ++team) {
        for (int entry = 0; entry < kTeamFigures; ++entry) StartPlayerFigure(team, entry);
    }
}

int16_t PeriodLengthSeconds() {
    const int minutes = MatchDurationMinutes(&GameInfo);
    const int perMinute = Period <= 1 ? 60 : 20;
    return int16_t(std::min(minutes * perMinute, 32767));
}

void StartEveryPeriod() {
    for (int team = 0; team < 2; ++team) {
        TeamChallenger[team] = kNoChallenger;
        GoalkeeperFigure[team] = MatchLineUp[team][0];
        // The team menus opened at stoppages are counted per period: a count
        // left from an earlier period or match would bar the side's computer
        // substitutions there.
        StoppageMenuCount[team] = 0;
    }
    // The ball's flight constants, and no wind, for every period.
    BallState.drag = 991;
    BallState.gravity = 40000;
    BallState.windX = BallState.windY = 0;
    BallState.bounceKeep = 0.96f;
    BallState.bounceRestitution = 0.52f;
    Ball_PlaceOnCentreSpot();
    BallState.holder = 0;
    BallState.controller = 0;
    Ball_ResetContacts();
    RunningCount = 255;
    MatchResetClock(PeriodLengthSeconds());
    MatchFigures[kRefereeFigure].pace = 80;
    MatchFigures[kLinesmanOne].pace = 60;
    MatchFigures[kLinesmanTwo].pace = 60;
}

void KeepersReady() {
    for (int team = 0; team < 2; ++team) Match_SetPlayerAction(MatchLineUp[team][0], kActionKeeperReady);
}

void StartShootOut() {
    KeepersReady();
    CurrentTeam = KickOffTeam & 1;
    MatchPhase = kPhaseShootOutControl;
    ShootOutSpotX = PitchGeometry.centreX;
    ShootOutSpotY = PitchGeometry.penaltySpotLowY;
    const int x = PitchGeometry.centreX - GameRandom() % 64;
    const int y = PitchGeometry.penaltySpotLowY - (48 + GameRandom() % 48);
    BallState.x = int16_t(x);
    BallState.y = int16_t(y);
    BallState.x16 = Fixed(x);
    BallState.y16 = Fixed(y);
}

void StartKickOffPeriod() {
    CurrentTeam = KickOffTeam & 1;
    MatchFindNearestPlayer(PitchGeometry.centreX, PitchGeometry.centreY, -1);
    Formation_ResetZones();
    MatchFigure& marker = MatchFigures[kSpareFigure];
    marker.y = PitchGeometry.parkCoord;
    marker.y16 = Fixed(PitchGeometry.parkCoord);
    BallTeam = 0;
    KeepersReady();
    // On the spot exactly: no fraction of the last period's position.
    Ball_PlaceOnCentreSpot();
    BallState.x16 = MatchFigures[kBallFigure].x16 = Fixed(PitchGeometry.centreX);
    BallState.y16 = MatchFigures[kBallFigure].y16 = Fixed(PitchGeometry.centreY);
    Match_SetPlayerAction(kRefereeFigure, kOfficialRestartPosition);
    Match_SetPlayerAction(kLinesmanOne, kOfficialFetchBall);
    Match_SetPlayerAction(kLinesmanTwo, kOfficialFetchBallAlt);
    MatchPhase = kPhaseKickOffSetUp;
    KickOffWaitCount = kKickOffCountdown;
}

}  // namespace

int8_t Match_CompressStat(int value) { return int8_t(std::min(value / 2 + 50, 100)); }

void Match_SetPitchGeometry() {
    PitchGeometry = kDefaultPitch;
    BallKickPower = 1.2f;
}

void Match_SetupPeriod() {
    LineUpBesideThePitch();
    // Each period has its own strictness in close offside calls.
    MatchDrawOffsideStrictness();
    if (Period == 0) StartTheMatch();
    StartEveryPeriod();
    if (Period == 4) {
        StartShootOut();
    } else {
        StartKickOffPeriod();
    }
    MatchFinished = 0;
}

void MatchTeam_SetupBoth() {
    for (int team = 0; team < 2; ++team) {
        for (int slot = 0; slot < kTeamFigures; ++slot)
            MatchLineUp[team][slot] = int16_t(team * kTeamFigures + slot);
    }
    for (int team = 0; team < 2; ++team) {
        // A side nobody manages kicks off with the tactics made for it, a
        // human-managed side with its chosen tactic.
        if (MatchTeamPlaysMadeTactic(int16_t(team))) {
            MatchLoadFirstCustomTactic(int16_t(team));
        } else {
            MatchLoadTeamTactics(int16_t(team));
        }
        MatchTeam_TakeWorkingCopy(team);
        MatchTeam_ApplyTactics(team);
        MatchTeam_ApplySetup(team);
    }
}

void MatchTeam_TakeWorkingCopy(int team) { FormationWorkingTactic = MatchTacticRecord[team & 1]; }

void MatchTeam_ApplyTactics(int team) {
    team &= 1;
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (figure < 0 || figure >= kPlayerFigures) continue;
        uint8_t* bytes = MatchFigures[figure].tacticBytes;
        if (slot >= kTacticEntries) {
            std::memset(bytes, 0, kTacticBytes);
            continue;
        }
        const uint8_t* entry = FormationWorkingTactic.bytes + slot * kTacticEntrySize;
        bytes[0] = entry[kInstructionBytes];
        int partner = entry[kPartnerOffset] & 0x1F;
        if (partner & 0x10) partner -= 32;
        if (partner < 1) {
            bytes[1] = 0;
        } else {
            int partnerFigure = MatchLineUp[team][partner] & 0xFF;
            if (partnerFigure > 16) partnerFigure -= 16;
            bytes[1] = uint8_t(partnerFigure);
        }
        bytes[2] = entry[kInstructionBytes + 1];
        bytes[3] = entry[kInstructionBytes + 2];
        bytes[4] = entry[kRunTargetAcross];
        bytes[5] = entry[kRunTargetAlong];
        bytes[6] = recbits::LoadU16(entry + kMarkingSlot) != 0 ? entry[kMarkingSlot] : 255;
    }
}

void MatchTeam_ApplySetup(int team) {
    team &= 1;
    GetMatchSetupBlock();
    MatchTeam_MirrorPositions();
    MatchTeam_BuildFormationTable(0);
    Formation_ScaleTable(0);
    MatchTeam_BuildFormationTable(1);
    Formation_ScaleTable(1);
    std::memcpy(FormationTable[team], FormationScratch, sizeof FormationScratch);
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (figure < 0 || figure >= kPlayerFigures) continue;
        MatchFigure& f = MatchFigures[figure];
        if (slot >= kTacticEntries) {
            f.tacticBytes[4] = f.tacticBytes[5] = 0;
            continue;
        }
        const uint8_t* entry = FormationWorkingTactic.bytes + slot * kTacticEntrySize;
        f.tacticBytes[4] = entry[kRunTargetAcross];
        f.tacticBytes[5] = entry[kRunTargetAlong];
    }
}
