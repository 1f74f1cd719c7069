#include "game/screens/squad/searchfilter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/engine/textentry.h"

using namespace recbits;

SearchFilterPreset ListSearchFilter;
SearchFilterPreset* SearchFilterCurrent = &ListSearchFilter;
uint16_t SearchPresetIndex = 0;

const int16_t SearchSortColumnTable[kSearchSortColumns] = {0, 61, 86, 240, 63, 67, 62, 64, 65, 66, 1092};

const int16_t SearchAttrKindTable[kSearchAttrKinds] = {475, 476, 477, 478, 479, 480, 481,  482, 483, 484, 485,
                                                       486, 487, 488, 489, 589, 490, 1510, 491, 492, 494};

namespace {

// Byte offsets of the record's fields.
constexpr int kPositionAllowedAt = 0;
constexpr int kSettingRequiredAt = 16;
constexpr int kSettingAnyAt = 28;
constexpr int kAgeMinAt = 32;
constexpr int kAgeMaxAt = 34;
constexpr int kListFlagsAt = 36;
constexpr int kIncludeFlag119At = 56;
constexpr int kOwnClubAt = 60;
constexpr int kPlaceFlagsAt = 64;
constexpr int kAttrMinAt = 100;
constexpr int kMaxPriceAt = 140;
constexpr int kMaxWageAt = 144;
constexpr int kAttrWeightAt = 148;
constexpr int kSquadListFlagsAt = 188;
constexpr int kSortColumnAt = 200;
// A store copies fields 1 to 12: everything before the squad-list flags.
constexpr int kStoredBytes = kSquadListFlagsAt;

// The fields follow one another without a gap and fill the 202 bytes.
static_assert(kSettingRequiredAt == kPositionAllowedAt + 4 * 4);
static_assert(kSettingAnyAt == kSettingRequiredAt + 3 * 4);
static_assert(kAgeMinAt == kSettingAnyAt + 4 && kAgeMaxAt == kAgeMinAt + 2);
static_assert(kListFlagsAt == kAgeMaxAt + 2);
static_assert(kIncludeFlag119At == kListFlagsAt + 5 * 4);
static_assert(kOwnClubAt == kIncludeFlag119At + 4 && kPlaceFlagsAt == kOwnClubAt + 4);
static_assert(kAttrMinAt == kPlaceFlagsAt + 9 * 4);
static_assert(kMaxPriceAt == kAttrMinAt + 2 * kSearchLimitedKinds);
static_assert(kMaxWageAt == kMaxPriceAt + 4 && kAttrWeightAt == kMaxWageAt + 4);
static_assert(kSquadListFlagsAt == kAttrWeightAt + 2 * kSearchLimitedKinds);
static_assert(kSortColumnAt == kSquadListFlagsAt + 3 * 4);
static_assert(kSortColumnAt + 2 == sizeof(SearchFilterPreset));

struct FlagField {
    int field, at, count;
};
constexpr FlagField kFlagFields[] = {
    {kFilterPositionAllowed, kPositionAllowedAt, 4}, {kFilterSettingRequired, kSettingRequiredAt, 3},
    {kFilterSettingAny, kSettingAnyAt, 1},           {kFilterListFlags, kListFlagsAt, 5},
    {kFilterIncludeFlag119, kIncludeFlag119At, 1},   {kFilterOwnClub, kOwnClubAt, 1},
    {kFilterPlaceFlags, kPlaceFlagsAt, 9},           {kFilterSquadListFlags, kSquadListFlagsAt, 3},
};

int FlagOffset(int field, int index) {
    for (const FlagField& f : kFlagFields) {
        if (f.field == field && index >= 0 && index < f.count) return f.at + 4 * index;
    }
    return -1;
}

static_assert(kSearchPresets * (sizeof(SearchFilterPreset) + kSearchPresetNameSize) ==
              sizeof PlayerSearchPresets);
static_assert(sizeof(SearchFilterPreset) == sizeof PlayerSearchFilter);

void WriteDefaults(SearchFilterPreset& f, uint32_t includeFlag119) {
    std::memset(f.bytes, 0, sizeof f.bytes);
    for (int i = 0; i < 4; ++i) StoreU32(f.bytes + kPositionAllowedAt + 4 * i, 1);
    StoreU32(f.bytes + kSettingAnyAt, 1);
    StoreI16(f.bytes + kAgeMinAt, 16);
    StoreI16(f.bytes + kAgeMaxAt, 40);
    StoreU32(f.bytes + kIncludeFlag119At, includeFlag119);
    for (int i = 0; i < 9; ++i) StoreU32(f.bytes + kPlaceFlagsAt + 4 * i, 1);
    StoreI32(f.bytes + kMaxPriceAt, 1000000);
    StoreI32(f.bytes + kMaxWageAt, 10000);
    for (int i = 0; i < 3; ++i) StoreU32(f.bytes + kSquadListFlagsAt + 4 * i, 1);
}

bool LimitedKind(int16_t kind) { return kind >= 0 && kind < kSearchLimitedKinds; }

uint32_t U32(const SearchFilterPreset* f, int at) { return LoadU32(f->bytes + at); }

int16_t ClubOf(uint16_t player) {
    const int16_t club = HVW_GetPlayerClub(player);
    return club >= 0 && club < kClubCount ? club : int16_t(-1);
}

// The club accessors give 0 for a club number outside the table.
int16_t NationOf(int16_t club) { return club >= 0 ? HVW_GetClubNation(club) : int16_t(0); }
int16_t DivisionOf(int16_t club) { return club >= 0 ? HVW_GetClubDivision(club) : int16_t(0); }

}  // namespace

SearchFilterPreset& SearchPreset(int n) {
    return reinterpret_cast<SearchFilterPreset*>(PlayerSearchPresets)[std::clamp(n, 0, kSearchPresets - 1)];
}

char* SearchPresetName(int n) {
    return reinterpret_cast<char*>(PlayerSearchPresets) + kSearchPresets * sizeof(SearchFilterPreset) +
           std::clamp(n, 0, kSearchPresets - 1) * kSearchPresetNameSize;
}

SearchFilterPreset& PlayerSearchFilterRecord() {
    return *reinterpret_cast<SearchFilterPreset*>(PlayerSearchFilter);
}

uint32_t SearchFilter_Flag(const SearchFilterPreset& f, int field, int index) {
    const int at = FlagOffset(field, index);
    return at >= 0 ? LoadU32(f.bytes + at) : 0;
}

void SearchFilter_SetFlag(SearchFilterPreset& f, int field, int index, uint32_t value) {
    const int at = FlagOffset(field, index);
    if (at >= 0) StoreU32(f.bytes + at, value);
}

int16_t SearchFilter_AgeMin(const SearchFilterPreset& f) { return LoadI16(f.bytes + kAgeMinAt); }
int16_t SearchFilter_AgeMax(const SearchFilterPreset& f) { return LoadI16(f.bytes + kAgeMaxAt); }
void SearchFilter_SetAges(SearchFilterPreset& f, int16_t ageMin, int16_t ageMax) {
    StoreI16(f.bytes + kAgeMinAt, ageMin);
    StoreI16(f.bytes + kAgeMaxAt, ageMax);
}
int32_t SearchFilter_MaxPrice(const SearchFilterPreset& f) { return LoadI32(f.bytes + kMaxPriceAt); }
int32_t SearchFilter_MaxWage(const SearchFilterPreset& f) { return LoadI32(f.bytes + kMaxWageAt); }
void SearchFilter_SetMaxPrice(SearchFilterPreset& f, int32_t price) {
    StoreI32(f.bytes + kMaxPriceAt, price);
}
void SearchFilter_SetMaxWage(SearchFilterPreset& f, int32_t wage) { StoreI32(f.bytes + kMaxWageAt, wage); }
uint16_t SearchFilter_SortColumn(const SearchFilterPreset& f) { return LoadU16(f.bytes + kSortColumnAt); }
void SearchFilter_SetSortColumn(SearchFilterPreset& f, uint16_t column) {
    StoreU16(f.bytes + kSortColumnAt, column);
}

// ---- Attribute kinds and list columns ---------------------------------------------------------

int16_t SearchAttr_GetPlayerValue(int16_t kind, uint16_t player) {
    if (kind < 0 || kind >= kSearchAttrKinds) return -1;
    if (kind <= 14) return HVW_GetPlayerStat(player, kind);
    switch (kind) {
        case 15:
            return HVW_GetPlayerStat(player, kConsistencyStat);
        case 16:
            return HVW_GetPlayerStat(player, kAggressionStat);
        case 17:
            return HVW_GetPlayerStat(player, kSpiritStat);
        case 18:
            return HVW_GetPlayerStat(player, kIntelligenceStat);
        case 19:
            return HVW_GetPlayerStat(player, kLeadershipStat);
        default:
            return HVW_GetPlayerExperiencePercent(player);
    }
}

int16_t SearchAttr_GetNameText(int16_t longText, int16_t fallback) {
    if (longText >= 475 && longText <= 489) return int16_t(longText - 475 + 41);
    switch (longText) {
        case 490:
            return 56;
        case 491:
            return 57;
        case 492:
            return 58;
        case 494:
            return 1092;
        case 589:
            return 397;
        case 1510:
            return 398;
        default:
            return fallback;
    }
}

int16_t SearchColumn_GetLongText(int16_t column, int16_t fallback) {
    switch (column) {
        case 61:
        case 64:
        case 86:
        case 240:
            return column;
        case 62:
            return 1067;
        case 63:
            return 590;
        case 65:
            return 627;
        case 66:
            return 599;
        case 67:
            return 537;
        case 243:
            return 707;
        case 246:
            return 691;
        case 1092:
            return 494;
        default:
            return fallback;
    }
}

int16_t SearchColumn_GetPlayerValue(int16_t column, int16_t fallback) {
    const auto player = uint16_t(SelectedPlayer);
    for (int16_t kind = 0; kind < kSearchAttrKinds; ++kind) {
        if (SearchAttr_GetNameText(SearchAttrKindTable[kind], -1) == column) {
            return SearchAttr_GetPlayerValue(kind, player);
        }
    }
    switch (column) {
        case 61:
            return HVW_GetPlayerAge(player);
        case 62:
            return HVW_GetPlayerApps(player);
        case 63:
            return HVW_GetPlayerContract(player);
        case 64:
            return HVW_GetPlayerGoals(player);
        case 65:
            return HVW_GetPlayerCareerApps(player);
        case 66:
            return HVW_GetPlayerCareerGoals(player);
        case 67:
            return HVW_GetPlayerPerf(player);
        case 198:
            return HVW_GetPlayerDispoints(player);
        case 244:
            return HVW_GetPlayerMoralePct(player);
        case 245:
            return HVW_GetPlayerFitnessPct(player);
        case 246:
            return HVW_GetPlayerFatiguePct(player);
        case 399:
            return HVW_GetPlayerField105Percent(player);
        case 400:
            return HVW_GetPlayerField96Percent(player);
        case 71:
        case 86:
        case 192:
        case 240:
            return -32768;
        default:
            return fallback;
    }
}

int16_t SearchAttr_GetMin(int16_t kind, const SearchFilterPreset* filter) {
    return LimitedKind(kind) ? LoadI16(filter->bytes + kAttrMinAt + 2 * kind) : int16_t(-1);
}

int16_t SearchAttr_GetWeight(int16_t kind, const SearchFilterPreset* filter) {
    return LimitedKind(kind) ? LoadI16(filter->bytes + kAttrWeightAt + 2 * kind) : int16_t(-1);
}

void SearchAttr_SetLimit(int16_t value, int16_t kind, SearchFilterPreset* filter, int16_t which) {
    if (!LimitedKind(kind)) return;
    StoreI16(filter->bytes + (which == 1 ? kAttrMinAt : kAttrWeightAt) + 2 * kind, value);
}

// ---- Presets --------------------------------------------------------------------------------

void SearchFilter_InitAll() {
    const char* empty = GetText(1660);
    for (int n = 0; n < kSearchPresets; ++n) {
        WriteDefaults(SearchPreset(n), 1);
        std::snprintf(SearchPresetName(n), kSearchPresetNameSize, "%s %d", empty != nullptr ? empty : "", n);
    }
}

void SearchFilter_Reset(SearchFilterPreset* filter) { WriteDefaults(*filter, 0); }

void SearchFilter_ClearAttrLimits(SearchFilterPreset* filter) {
    std::memset(filter->bytes + kAttrMinAt, 0, 2 * kSearchLimitedKinds);
    std::memset(filter->bytes + kAttrWeightAt, 0, 2 * kSearchLimitedKinds);
}

void SearchFilter_Load(int16_t n) {
    if (n < 0 || n >= kSearchPresets || SearchFilterCurrent == nullptr) return;
    *SearchFilterCurrent = SearchPreset(n);
}

int32_t SearchFilter_StoreOnConfirm(int16_t choice) {
    if (choice == 2 && SearchFilterCurrent != nullptr && SearchPresetIndex < kSearchPresets) {
        std::memcpy(SearchPreset(SearchPresetIndex).bytes, SearchFilterCurrent->bytes, kStoredBytes);
    }
    return 2;
}

void SearchFilter_DrawConfirmBox() {
    DrawIcon(320, 220, 2, JUSTIFY_CENTRE_MIDDLE);
    SetDrawParam(1, 0);
    SetFont(14);
    DrawTextNoAt(320, 180, 719, JUSTIFY_CENTRE_MIDDLE);
    DrawTextNoAt(320, 260, 721, JUSTIFY_CENTRE_MIDDLE);
    SetFont(8);
}

namespace {

SearchFilterPreset* g_namedRecord = nullptr;
char g_presetEdit[kSearchPresetNameSize + 2];
char g_presetInitial[kSearchPresetNameSize + 2];

// The text entry's end: only a confirmed name renames and stores.
int16_t PresetNamed(int16_t outcome) {
    if (outcome == TEXT_INPUT_ACCEPTED && SearchPresetIndex < kSearchPresets) {
        char* name = SearchPresetName(SearchPresetIndex);
        const size_t length = strnlen(g_presetEdit, kSearchPresetNameSize - 1);
        std::memcpy(name, g_presetEdit, length);
        name[length] = '\0';
    }
    if (g_namedRecord != nullptr) SearchFilterCurrent = g_namedRecord;
    return int16_t(SearchFilter_StoreOnConfirm(outcome));
}

}  // namespace

namespace {

constexpr int16_t kLoadText = 188;
const char* g_presetNamePtr[kSearchPresets];
char g_presetLabels[kSearchPresets][80];
const char* g_presetLabelPtr[kSearchPresets];

}  // namespace

// The load rows carry the load text before the name: two runs of the same
// eight names would let a user store over the preset he meant to load.
void SearchFilter_BuildPresetPopup(PopupEntry* popup, int32_t (*chosen)(PopupCallBlock*)) {
    const char* load = GetText(kLoadText);
    for (int n = 0; n < kSearchPresets; ++n) {
        g_presetNamePtr[n] = SearchPresetName(n);
        std::snprintf(g_presetLabels[n], sizeof g_presetLabels[n], "%.40s %.30s", load != nullptr ? load : "",
                      SearchPresetName(n));
        g_presetLabelPtr[n] = g_presetLabels[n];
    }
    const auto row = [chosen](const void* text, uint16_t kind) {
        return PopupEntry{kind, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, chosen, nullptr};
    };
    const PopupEntry line{POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    int at = 0;
    popup[at++] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    for (int n = 0; n < kSearchPresets; ++n) popup[at++] = row(&g_presetNamePtr[n], POPUP_STRING_VARIABLE);
    popup[at++] = line;
    for (int n = 0; n < kSearchPresets; ++n) popup[at++] = row(&g_presetLabelPtr[n], POPUP_STRING_VARIABLE);
    popup[at++] = line;
    for (int16_t text : {859, 858, 401, 723}) popup[at++] = row(MenuValue(text), POPUP_TEXT_ID);
    popup[at] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

void SearchFilter_OpenPresetNaming(int16_t n, SearchFilterPreset* record) {
    if (n < 0 || n >= kSearchPresets || record == nullptr) return;
    SearchPresetIndex = uint16_t(n);
    g_namedRecord = record;
    SearchFilterCurrent = record;
    std::snprintf(g_presetEdit, sizeof g_presetEdit, "%s", SearchPresetName(n));
    std::snprintf(g_presetInitial, sizeof g_presetInitial, "%s", g_presetEdit);
    int16_t w = 0, h = 0;
    GetIconSizeScaled(2, &w, &h);
    SetFont(14);
    TextInputDesc desc{};
    desc.x = uint16_t(320 - w / 2 + 20);
    desc.y = 220;
    desc.maxWidth = uint16_t(std::max(w - 40, 40));
    desc.target = g_presetEdit;
    desc.stop = PresetNamed;
    desc.maxLength = kSearchPresetNameSize;
    desc.initial = g_presetInitial;
    desc.maxLines = 1;
    // The field draws the box under itself whenever it repaints: the screen
    // is redrawn after the list closes, over anything drawn before.
    desc.background = [](int, int, int, int, uint32_t) { SearchFilter_DrawConfirmBox(); };
    EXTI_InitTextInput(&desc);
}

// ---- The tests ------------------------------------------------------------------------------

int16_t SearchFilter_IsCandidate(uint16_t player, int16_t mode) {
    const int16_t club = ClubOf(player);
    const int16_t nation = club >= 0 ? HVW_GetClubNation(club) : HVW_GetPlayerNationality(player);
    const int16_t division = club >= 0 ? HVW_GetClubDivision(club) : int16_t(6);
    if (mode == 0) {
        if (nation >= 8) return GetPlayerFlag119(player) != 0 ? 1 : 0;
        if (HVW_GetPlayerHalvornB(player) != 0 || HVW_GetPlayerHalvorn(player) != 0 ||
            HVW_GetPlayerCaretaker(player) != 0 || GetPlayerFlag95(player) != 0) {
            return 0;
        }
        if (nation >= 0 && nation <= 8) return 1;  // the per-nation table holds 1 for nations 0-8
        if (division < 2) return 1;
        return GetPlayerFlag119(player) != 0 ? 1 : 0;
    }
    if (mode == 1) {
        const int16_t user = HVW_GetMyClub();
        return user >= 0 && club == user && HVW_GetPlayerHalvornB(player) == 0 &&
                       HVW_GetPlayerCaretaker(player) == 0
                   ? 1
                   : 0;
    }
    return 0;
}

int16_t SearchFilter_MatchAttrs(const SearchFilterPreset* filter, uint16_t player) {
    for (int16_t kind = 0; kind < kSearchLimitedKinds; ++kind) {
        if (SearchAttr_GetPlayerValue(kind, player) < SearchAttr_GetMin(kind, filter)) return 0;
    }
    return 1;
}

int16_t SearchFilter_MatchPlayer(uint16_t player, const SearchFilterPreset* filter, int16_t mode) {
    int16_t result = 1;
    bool allPositions = true;
    for (int t = 0; t < 4; ++t) allPositions = allPositions && U32(filter, kPositionAllowedAt + 4 * t) == 1;
    if (!allPositions) {
        const int16_t type = HVW_GetPositionType(player);
        if (type >= 0 && type <= 3 && U32(filter, kPositionAllowedAt + 4 * type) == 0) result = 0;
    }
    if (U32(filter, kSettingAnyAt) != 1 && result == 1) {
        if (U32(filter, kSettingRequiredAt) == 1 && HVW_GetPlayerSetting3(player) != 3) {
            result = 0;
        } else if (U32(filter, kSettingRequiredAt + 4) == 1 && HVW_GetPlayerSetting1(player) != 3) {
            result = 0;
        } else if (U32(filter, kSettingRequiredAt + 8) == 1 && HVW_GetPlayerSetting2(player) != 3) {
            result = 0;
        }
    }
    if (mode == 1) {
        const auto club = int16_t(SelectedClub);
        const auto taking = [&](int list) {
            return U32(filter, kSquadListFlagsAt + 4 * list) != 0 ? result : int16_t(0);
        };
        if (HVW_IsInSelectedTeam(player, club) == 1) return taking(0);
        if (HVW_IsInNationalSquad(player, club) == 1) return taking(1);
        if (HVW_IsInThirdSquadList(player, club) == 1) return taking(2);
        return result;
    }
    const uint32_t include119 = U32(filter, kIncludeFlag119At);
    const bool flag119 = GetPlayerFlag119(player) != 0;
    if (include119 == 0 && GetPlayerFlag119(player) == 1) return 0;
    const int16_t club = ClubOf(player);
    const int16_t user = HVW_GetMyClub();
    const bool ownPlayer = club >= 0 && club == user;
    if (U32(filter, kOwnClubAt) == 0 && ownPlayer) return 0;
    if (U32(filter, kOwnClubAt) == 1 && ownPlayer) return result;
    const int16_t age = HVW_GetPlayerAge(player);
    if (age < SearchFilter_AgeMin(*filter) || age > SearchFilter_AgeMax(*filter)) return 0;
    bool allLists = true;
    for (int i = 0; i < 5; ++i) allLists = allLists && U32(filter, kListFlagsAt + 4 * i) == 1;
    if (!allLists) {
        const bool met[5] = {
            HVW_GetPlayerTxList(player) != 0,
            HVW_GetPlayerLoanList(player) != 0,
            HVW_GetPlayerTxReq(player) != 0 || HVW_GetPlayerMoralePct(player) <= 20,
            HVW_GetPlayerContract(player) <= 6,
            club < 0,
        };
        for (int i = 0; i < 5; ++i) {
            if (U32(filter, kListFlagsAt + 4 * i) != 0 && !met[i]) return 0;
        }
    }
    if (SearchFilter_MatchAttrs(filter, player) == 0) return 0;
    const int32_t raw = HVW_GetPlayerManPriceRaw(player);
    const int32_t price = raw != -1 ? raw : HVW_ValuePlayer(player);
    if (price > LoadI32(filter->bytes + kMaxPriceAt)) return 0;
    if (HVW_GetPlayerWage(player) > LoadI32(filter->bytes + kMaxWageAt)) return 0;
    const int16_t nation = NationOf(club);
    const int16_t userNation = NationOf(user >= 0 && user < kClubCount ? user : int16_t(-1));
    if (!flag119 && nation != userNation && U32(filter, kPlaceFlagsAt) == 0) return 0;
    if (include119 != 0 && flag119) return result;
    if (U32(filter, kPlaceFlagsAt + 8) == 0 && nation == userNation) return 0;
    if (nation == userNation) {
        const int16_t division = DivisionOf(club);
        if (division >= 0 && division <= 5 && U32(filter, kPlaceFlagsAt + 4 * (3 + division)) == 0) return 0;
    }
    return result;
}

int32_t SearchFilter_Score(uint16_t player) {
    SelectedPlayer = int16_t(player);
    const SearchFilterPreset& filter = PlayerSearchFilterRecord();
    int32_t sum = 0;
    for (int16_t kind = 0; kind < kSearchLimitedKinds; ++kind) {
        const int16_t weight = SearchAttr_GetWeight(kind, &filter);
        if (weight <= 0) continue;
        const int16_t column = SearchAttr_GetNameText(SearchAttrKindTable[kind], -1);
        sum += int32_t(SearchColumn_GetPlayerValue(column, 0)) * weight;
    }
    return sum / 100;
}
