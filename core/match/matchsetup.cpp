#include "core/match/matchsetup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/records/records.h"

using namespace gameinfo;

EnterGameInfo GameInfo;
TacticRecord MatchTacticRecord[2];

namespace {

constexpr uint8_t kUnsetByte = 0xFF;

constexpr uint8_t kUnsetPresets = 0xFF;
// 4-4-2, 4-3-3, 3-5-2, 5-3-2, 4-5-1 and 3-4-3 as presets of the same shape.
constexpr int16_t kFamilyPreset[kFormationFamilies] = {1, 5, 2, 0, 4, 8};

bool IsTeam(int16_t team) { return team == 0 || team == 1; }

void CopyBook(EnterGameInfo* block, int team, const CustomTacticTable& book, int16_t choice, int16_t option) {
    block->SetTeamI16(team, kTacticChoice, choice);
    block->SetTeamI16(team, kTacticOption, option);
    std::memcpy(block->bytes + TeamInfoAt(team) + kTacticSlots, book.bytes, sizeof book.bytes);
}

}  // namespace

namespace {
constexpr std::array<uint8_t, kTacticPresetClubs> UnsetPresets() {
    std::array<uint8_t, kTacticPresetClubs> table{};
    table.fill(kUnsetPresets);
    return table;
}
}  // namespace

std::array<uint8_t, kTacticPresetClubs> ClubTacticPreset = UnsetPresets();

bool MatchRuleSet(const EnterGameInfo* block, int at) {
    const uint8_t value = block->U8(at);
    return value != 0 && value != kUnsetByte;
}

bool MatchTeamHuman(const EnterGameInfo* block, int team) {
    return MatchRuleSet(block, TeamInfoAt(team) + kHumanManaged);
}

int16_t MatchTeamOldGoals(const EnterGameInfo* block, int team) {
    const int16_t goals = block->TeamI16(team, kOldGoals);
    return goals < 0 ? int16_t(0) : goals;
}

namespace {
constexpr int16_t kMostSubstitutes = 5;
}  // namespace

int16_t MatchAvailableSubs(const EnterGameInfo* block) {
    return std::clamp<int16_t>(block->I16(kNumAvailableSubs), 0, kMostSubstitutes);
}

int16_t MatchSubstitutionsAllowed(const EnterGameInfo* block) {
    return std::clamp<int16_t>(block->I16(kNumSubstitutionsAllowed), 0, kMostSubstitutes);
}

int16_t MatchTakerEntry(const EnterGameInfo* block, int team, int field) {
    const int16_t shirt = block->TeamI16(team, field);
    return shirt >= 1 && shirt <= kMatchSquadSize ? int16_t(shirt - 1) : int16_t(-1);
}

int16_t MatchDurationMinutes(const EnterGameInfo* block) {
    return std::max<int16_t>(block->I16(kDurationMinutes), 1);
}

EnterGameInfo* ClearMatchSetupBlock() {
    std::memset(GameInfo.bytes, kUnsetByte, sizeof GameInfo.bytes);
    return &GameInfo;
}

EnterGameInfo* GetMatchSetupBlock() { return &GameInfo; }

// ---------------------------------------------------------------------------
// Club presets

int16_t FormationFamilyPreset(int family) {
    if (family < 0 || family >= kFormationFamilies) return 0;
    return kFamilyPreset[family];
}

namespace {

uint8_t PresetFromManager(int16_t club) {
    const uint16_t manager = FindClubManager(club);
    if (manager == kNoManager || !IsValidPlayer(manager)) return 0;
    return uint8_t(FormationFamilyPreset(GetPlayerTactic(manager)));
}

}  // namespace

// Read afresh from the club's manager at every match: a kept entry would
// hold the shape of a manager since sacked, which a saved game does not keep,
// so a loaded game would field other shapes than the game it came from.
int16_t GetClubTacticPreset(int16_t club) {
    if (club < 0 || club >= kTacticPresetClubs) return 0;
    ClubTacticPreset[club] = PresetFromManager(club);
    return ClubTacticPreset[club];
}

// One pass over the players finds every club's manager as FindClubManager
// does: the first manager-position player, else the last halvorn.
void InitClubTacticPresets() {
    std::array<uint16_t, kTacticPresetClubs> manager{};
    std::array<uint16_t, kTacticPresetClubs> halvorn{};
    manager.fill(kNoManager);
    halvorn.fill(kNoManager);
    for (uint16_t player = 1; IsValidPlayer(player); ++player) {
        const uint16_t club = GetPlayerClub(player);
        if (club >= kTacticPresetClubs) continue;
        if (GetPlayerPosition(player) == 13 && player != kNoManager) {
            if (manager[club] == kNoManager) manager[club] = player;
        } else if (GetPlayerHalvorn(player) != 0) {
            halvorn[club] = player;
        }
    }
    for (int club = 0; club < kTacticPresetClubs; ++club) {
        const uint16_t chosen = manager[club] != kNoManager ? manager[club] : halvorn[club];
        ClubTacticPreset[club] = uint8_t(chosen != kNoManager && IsValidPlayer(chosen)
                                             ? FormationFamilyPreset(GetPlayerTactic(chosen))
                                             : 0);
    }
}

// ---------------------------------------------------------------------------
// Tactics of both teams

void FillMatchTeamBlocks(EnterGameInfo* block, int16_t club0, int16_t club1, int16_t computerTactics,
                         int16_t useSetA0, int16_t useSetA1) {
    const int16_t clubs[2] = {club0, club1};
    const int16_t useSetA[2] = {useSetA0, useSetA1};
    for (int team = 0; team < 2; ++team) {
        if (computerTactics != 0) {
            block->SetTeamI16(team, kTacticChoice, GetClubTacticPreset(clubs[team]));
            block->SetTeamI16(team, kTacticOption, 0);
        } else if (MatchTeamHuman(block, team)) {
            if (useSetA[team] != 0) {
                CopyBook(block, team, CustomTacticTableA, CurrentTacticA, TacticOptionA);
            } else {
                CopyBook(block, team, CustomTacticTableB, CurrentTacticB, TacticOptionB);
            }
        }
    }
}

namespace {

// Loads the team's chosen tactic; false when the choice names none and
// preset 0 was loaded instead: a choice outside 0..21 would read beyond the
// team block, and an empty custom slot holds no formation places at all.
bool LoadChosenTactic(int16_t team) {
    const int16_t choice = GameInfo.TeamI16(team, kTacticChoice);
    if (choice >= 0 && choice < kFormationPresets) {
        GetComputerTactics(&MatchTacticRecord[team], choice);
        return true;
    }
    const bool customSlot = choice >= kFormationPresets && choice < kFormationPresets + kCustomTacticSlots;
    if (customSlot) {
        const TacticRecord* slot = GameInfo.TeamTacticSlot(team, choice - kFormationPresets);
        if (!IsCustomTacticEmpty(slot)) {
            MatchTacticRecord[team] = *slot;
            return true;
        }
    }
    GetComputerTactics(&MatchTacticRecord[team], 0);
    return false;
}

}  // namespace

void MatchLoadTeamTactics(int16_t team) {
    if (!IsTeam(team) || LoadChosenTactic(team)) return;
    const int16_t choice = GameInfo.TeamI16(team, kTacticChoice);
    const bool customSlot = choice >= kFormationPresets && choice < kFormationPresets + kCustomTacticSlots;
    // Every match of a side without a chosen tactic comes here: a line at
    // debug level 1 and above.
    DebugLog(DEBUG_GENERAL, 1,
             "MatchLoadTeamTactics(): Warning: team %d has %s tactic %d, playing preset 0\n", team,
             customSlot ? "the empty" : "no", choice);
}

namespace {

// A side that the given flag does not mark as human-managed starts from the
// tactics made for it before the match, the first record of its tactic
// area.  A first record that holds no formation places (a set-up block no
// fixture filled, as for a match set up by hand) is no tactic to start
// from: such a side plays its chosen tactic instead.
bool StartsFromMadeTactic(int16_t team, int humanField) {
    return !MatchRuleSet(&GameInfo, TeamInfoAt(team) + humanField) &&
           !IsCustomTacticEmpty(GameInfo.TeamTacticSlot(team, 0));
}

}  // namespace

bool MatchTeamPlaysMadeTactic(int16_t team) {
    return IsTeam(team) && StartsFromMadeTactic(team, kHumanManaged);
}

void MatchResetTeamTactics(int16_t team) {
    if (!IsTeam(team)) return;
    // The record the side started from: a side nobody managed at the start
    // goes back to the tactics made for it.
    if (StartsFromMadeTactic(team, kHumanManagedAtStart)) {
        MatchLoadFirstCustomTactic(team);
    } else {
        LoadChosenTactic(team);
    }
}

void MatchLoadFirstCustomTactic(int16_t team) {
    if (!IsTeam(team)) return;
    MatchTacticRecord[team] = *GameInfo.TeamTacticSlot(team, 0);
}

// ---------------------------------------------------------------------------
// Dump

namespace {

struct NamedField {
    const char* name;
    int at;
    bool word;
};

constexpr NamedField kPlayOptionFields[] = {
    {"ExtraTime", kExtraTime, false},
    {"Penalties", kPenalties, false},
    {"GoldenGoals", kGoldenGoals, false},
    {"DurationMinutes", kDurationMinutes, true},
    {"AwayGoalsRule", kAwayGoalsRule, false},
    {"Offsides", kOffsides, false},
    {"Fouls", kFouls, false},
    {"Injuries", kInjuries, false},
    {"RefereeAttr1", kRefereeAttr1, false},
    {"RefereeAttr2", kRefereeAttr2, false},
    {"RefereeFavours", kRefereeFavours, false},
    {"PitchCondition", kPitchCondition, false},
    {"Competition", kCompetition, true},
    {"NumAvailableSubs", kNumAvailableSubs, true},
    {"NumSubstitutionsAllowed", kNumSubstitutionsAllowed, true},
    {"RefereeNumber", kRefereeNumber, true},
    {"PlayersLineUp", kPlayersLineUp, true},
    {"CrowdSize", kCrowdSize, true},
    {"HomeSupport", kHomeSupport, true},
    {"VenueFlag", kVenueFlag, true},
};

constexpr NamedField kUserOptionFields[] = {
    {"EffectsVolume", kEffectsVolume, true},
    {"CrowdVolume", kCrowdVolume, true},
    {"DisplayNamesOrNumbers", kDisplayNamesOrNumbers, false},
    {"DisplayAsNames", kDisplayAsNames, false},
    {"AutoReplayMode", kAutoReplayMode, false},
    {"GameSpeed", kGameSpeed, true},
};

constexpr NamedField kTakerFields[] = {
    {"Captain", kCaptain, true},
    {"CornerTaker", kCornerTaker, true},
    {"PenaltyTaker", kPenaltyTaker, true},
    {"FreeKickTaker", kFreeKickTaker, true},
};

constexpr NamedField kPhysLookFields[] = {
    {"SkinColour", kSkinColour, true},
    {"HairColour", kHairColour, true},
    {"HairStyle", kHairStyle, true},
};

constexpr const char* kStatNames[kPlayerStatCount] = {
    "Pace",    "Stamina",  "Power",   "Agility",      "Resilience", "Vision",   "Composure", "Keeping",
    "Heading", "Tackling", "Passing", "Shooting",     "Dribble",    "Deadball", "Control",   "Aggression",
    "Greed",   "Loyalty",  "Spirit",  "Intelligence", "Leadership", "Outlook",
};
// Stats per printed line: 22 in lines of five and four.
constexpr int kStatsPerLine[] = {5, 4, 5, 4, 4};

// Unsigned bytes print 0..255, words as signed 16-bit values.
int FieldValue(const EnterGameInfo* block, int at, bool word) {
    return word ? block->I16(at) : block->U8(at);
}

void PrintFields(const EnterGameInfo* block, int base, const NamedField* fields, int count,
                 const char* indent) {
    for (int i = 0; i < count; ++i) {
        std::printf("%s%s=%d\n", indent, fields[i].name,
                    FieldValue(block, base + fields[i].at, fields[i].word));
    }
}

// A name field printed up to its terminator or its length, whichever comes
// first: a cleared or damaged block has no terminator.
void PrintName(const char* label, const EnterGameInfo* block, int at, int length) {
    const char* text = reinterpret_cast<const char*>(block->bytes + at);
    std::printf("%s = '%.*s'\n", label, int(strnlen(text, size_t(length))), text);
}

void DumpPlayer(const EnterGameInfo* block, int team, int entry) {
    const int at = PlayerInfoAt(team, entry);
    std::printf("  PlayerInfo[%d].\n", entry);
    PrintName("   Name[]", block, at + kPlayerInfoName, kPlayerNameLength);
    std::printf("   PlayerType=%d\n", block->U8(at + kPlayerInfoType));
    std::printf("   PhysLook.\n");
    PrintFields(block, at, kPhysLookFields, int(std::size(kPhysLookFields)), "    ");
    std::printf("   Stats.\n");
    int stat = 0;
    for (int line : kStatsPerLine) {
        std::printf("    ");
        for (int k = 0; k < line; ++k, ++stat) {
            std::printf("%s=%3d\t", kStatNames[stat], block->I16(at + kPlayerStats + 2 * stat));
        }
        std::printf("\n");
    }
}

void DumpTeam(const EnterGameInfo* block, int team) {
    const int at = TeamInfoAt(team);
    std::printf(" TeamInfo[%d].\n", team);
    PrintName("  Name[]", block, at + kTeamName, kTeamNameLength);
    std::printf("  HumanManaged=%d\n", block->U8(at + kHumanManaged));
    std::printf("  OldGoals=%d\n", block->I16(at + kOldGoals));
    PrintFields(block, at, kTakerFields, int(std::size(kTakerFields)), "  ");
    for (int entry = 0; entry < kMatchSquadSize; ++entry) DumpPlayer(block, team, entry);
}

}  // namespace

void DumpEnterGameInfo(const EnterGameInfo* block) {
    std::printf("\n\nEnterGameInfo\n-------------\n\n");
    std::printf(" PlayOptions->\n");
    PrintFields(block, 0, kPlayOptionFields, int(std::size(kPlayOptionFields)), "  ");
    std::printf(" LookOptions->\n");
    std::printf("  PitchPattern=%d\n", block->U8(kPitchPattern));
    std::printf("  Weather=%d\n", block->U8(kWeather));
    for (int stand = 0; stand < kStands; ++stand) {
        std::printf("   StadiumLevel[%d]=%d,  UnderConstruction[%d]=%d\n", stand,
                    block->I16(kStadiumLevel + 2 * stand), stand, block->U8(kUnderConstruction + stand));
    }
    std::printf("  CrowdFill=%d\n", block->U8(kCrowdFill));
    std::printf("  NightMatch=%d\n", block->U8(kNightMatch));
    std::printf(" UserOptions->\n");
    PrintFields(block, 0, kUserOptionFields, int(std::size(kUserOptionFields)), "  ");
    for (int team = 0; team < 2; ++team) DumpTeam(block, team);
    std::fflush(stdout);
}
