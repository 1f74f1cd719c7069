#include "game/match3d/matchsoundbanks.h"

#include <cstring>

#include "core/base/debug.h"
#include "core/club/tactics.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "game/system/sounddriver.h"

int16_t MatchSoundOff = 0;
int16_t MatchEffectsBankKey = -1;
int16_t MatchCrowdBankKey = -1;

namespace {

constexpr uint32_t kMatchBankType = SND_BANK_SAMPLES | SND_BANK_LIST_PATTERN | SND_BANK_RAM;
static_assert(kMatchBankType == 0x221);

const char* const kEffectsFiles[] = {"sound\\UZUsound\\%06d.wav"};
const char* const kCrowdFiles[] = {"sound\\precrowd\\packedc1.wav"};

}  // namespace

void MatchInitSoundBanks() {
    if (!MatchSoundOff && !SndIsUp()) SndInit();
    SoundBankDesc effects{kEffectsFiles, 1, MATCH_EFFECTS_SAMPLES, kMatchBankType};
    SoundBankDesc crowd{kCrowdFiles, 1, 1, kMatchBankType};
    MatchEffectsBankKey = int16_t(SndAddSoundBank(&effects));
    MatchCrowdBankKey = int16_t(SndAddSoundBank(&crowd));
}

void UninitMatchSoundBanks() {
    SndRemoveSoundBank(MatchEffectsBankKey);
    SndRemoveSoundBank(MatchCrowdBankKey);
    MatchEffectsBankKey = MatchCrowdBankKey = -1;
    SndUninit();
}

// ---------------------------------------------------------------------------
// The running match for the screens

// MatchSubsUsed lives with the match's start (core/match/teamsetup.cpp), which
// sets it back for every match.
int16_t MatchLastAskedFigure = -1;

namespace {

constexpr uint16_t kNoFirstLeg = 0xFFFF;

bool IsTeam(int team) { return team == 0 || team == 1; }
bool IsSlot(int team, int slot) { return IsTeam(team) && slot >= 0 && slot < kTeamFigures; }
int16_t FigureOf(int team, int slot) { return int16_t(team * kTeamFigures + slot); }

void SetRole(int16_t* roles, int16_t team, int16_t slot) {
    if (IsSlot(team, slot)) roles[team] = FigureOf(team, slot);
}
int16_t HasRole(const int16_t* roles, int16_t team, int16_t slot) {
    return IsSlot(team, slot) && roles[team] == FigureOf(team, slot) ? 1 : 0;
}

// The side entry of the team that holds the figure, -1 none.
int SideEntryOf(int team, int figure) {
    for (int entry = 0; entry < kTeamFigures; ++entry) {
        if (MatchLineUp[team][entry] == figure) return entry;
    }
    return -1;
}

template <typename T>
T Load(const uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

void GetMatchScores(uint16_t* goals0, uint16_t* goals1, uint16_t* firstLeg0, uint16_t* firstLeg1) {
    *goals0 = uint16_t(Goals[0]);
    *goals1 = uint16_t(Goals[1]);
    const bool single = OldGoals[0] == 0 && OldGoals[1] == 0;
    *firstLeg0 = single ? kNoFirstLeg : uint16_t(OldGoals[0]);
    *firstLeg1 = single ? kNoFirstLeg : uint16_t(OldGoals[1]);
}

void MatchSetCornerTaker(int16_t team, int16_t slot) { SetRole(CornerTakerFigure, team, slot); }
void MatchSetFreeKickTaker(int16_t team, int16_t slot) { SetRole(FreeKickTakerFigure, team, slot); }
void MatchSetDirectFreeKickTaker(int16_t team, int16_t slot) { SetRole(FreeKickTakerFigure, team, slot); }
void MatchSetPenaltyTaker(int16_t team, int16_t slot) { SetRole(PenaltyTakerFigure, team, slot); }
void MatchSetCaptain(int16_t team, int16_t slot) { SetRole(CaptainFigure, team, slot); }

int16_t MatchIsCornerTaker(int16_t team, int16_t slot) {
    if (IsSlot(team, slot)) MatchLastAskedFigure = FigureOf(team, slot);
    return HasRole(CornerTakerFigure, team, slot);
}
int16_t MatchIsFreeKickTaker(int16_t team, int16_t slot) { return HasRole(FreeKickTakerFigure, team, slot); }
int16_t MatchIsPenaltyTaker(int16_t team, int16_t slot) { return HasRole(PenaltyTakerFigure, team, slot); }
int16_t MatchIsCaptain(int16_t team, int16_t slot) { return HasRole(CaptainFigure, team, slot); }

void MatchClearChangeRequests() { ChangePending[0] = ChangePending[1] = 0; }

TacticRecord* MatchGetLiveTactics(int16_t team) { return IsTeam(team) ? &MatchTacticRecord[team] : nullptr; }

void MatchSwapSideEntries(int16_t team, int16_t slotA, int16_t slotB) { MatchSwapLineUp(team, slotA, slotB); }

int16_t MatchWasSubbedOffInjured(int16_t team, int16_t slot) {
    if (!IsSlot(team, slot)) return 0;
    const MatchFigure& f = MatchFigures[FigureOf(team, slot)];
    return f.subbedOff != 0 && f.injury != 0 ? 1 : 0;
}
int16_t MatchIsPlayerInjured(int16_t team, int16_t slot) {
    return IsSlot(team, slot) && MatchFigures[FigureOf(team, slot)].injury > 0 ? 1 : 0;
}
int16_t MatchIsPlayerOnBench(int16_t team, int16_t slot) {
    if (!IsSlot(team, slot)) return 0;
    const MatchFigure& f = MatchFigures[FigureOf(team, slot)];
    return f.onBench != 0 && MatchMark(f) == 0 ? 1 : 0;
}
int16_t MatchIsPlayerOnPitch(int16_t team, int16_t slot) {
    return IsSlot(team, slot) && MatchFigures[FigureOf(team, slot)].off == 0 ? 1 : 0;
}
int16_t MatchIsSubstituteAvailable(int16_t team, int16_t slot) { return MatchIsPlayerOnBench(team, slot); }
int16_t MatchIsPlayerHurt(int16_t team, int16_t slot) {
    if (!IsSlot(team, slot)) return 0;
    const MatchFigure& f = MatchFigures[FigureOf(team, slot)];
    return f.injury != 0 && f.off == 0 ? 1 : 0;
}
uint32_t MatchPlayerActivityA(int16_t team, int16_t slot) {
    return IsSlot(team, slot) ? MatchFigures[FigureOf(team, slot)].firstActiveTick : 0;
}
uint32_t MatchPlayerActivityB(int16_t team, int16_t slot) {
    return IsSlot(team, slot) ? MatchFigures[FigureOf(team, slot)].lastActiveTick : 0;
}
int16_t MatchHasPlayed(int16_t team, int16_t slot) {
    return IsSlot(team, slot) && MatchMark(MatchFigures[FigureOf(team, slot)]) != 0 ? 1 : 0;
}
MatchFigure* MatchGetFigure(int16_t team, int16_t slot) {
    return IsSlot(team, slot) ? &MatchFigures[FigureOf(team, slot)] : nullptr;
}
int16_t MatchGetSubsUsed(int16_t team) { return IsTeam(team) ? MatchSubsUsed[team] : 0; }

int16_t GetMatchSideSlot(int16_t team, int16_t entry) {
    if (!IsSlot(team, entry)) return 0;
    return int16_t(MatchLineUp[team][entry] - team * kTeamFigures);
}

int16_t Football_GetPlayersPosition(int16_t team, int16_t slot) {
    const int entry = IsSlot(team, slot) ? SideEntryOf(team, FigureOf(team, slot)) : -1;
    if (entry < 0) FatalError("Football_GetPlayersPosition: invalid watch game no %d\n", int(slot));
    return int16_t(entry);
}

int16_t Football_GetPlayerMatchRecordText2(int32_t* value, int16_t field, const uint8_t* report) {
    if (field < 0 || field >= kReportFieldCount)
        FatalError("Football_GetPlayerMatchRecordText2() record not found");
    const ReportFieldDesc& d = PlayerReportFields[field];
    const uint8_t* at = report + d.at;
    switch (d.kind) {
        case ReportFieldKind::U8:
            *value = *at;
            break;
        case ReportFieldKind::I8:
            *value = int8_t(*at);
            break;
        case ReportFieldKind::U16:
            *value = Load<uint16_t>(at);
            break;
        case ReportFieldKind::I16:
            *value = Load<int16_t>(at);
            break;
        case ReportFieldKind::Bit0:
            *value = (*at & 1) != 0 ? -1 : 0;
            break;
        case ReportFieldKind::Bits:
            *value = (Load<uint16_t>(at) >> d.shift) & ((1u << d.width) - 1u);
            break;
    }
    return d.label;
}
