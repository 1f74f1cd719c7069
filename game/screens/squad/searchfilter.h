// Player-search filters: the filter record with its presets and the two
// working records, the attribute kinds and list columns shared by the
// player lists, the tests a player must pass and the weighted score.
#pragma once
#include <cstdint>

// One filter, a 202-byte record (saved with the game as the presets and the
// search screen's working record).
struct SearchFilterPreset {
    uint8_t bytes[202];
};
static_assert(sizeof(SearchFilterPreset) == 202);

constexpr int kSearchPresets = 8;
constexpr int kSearchPresetNameSize = 31;  // 30 characters and the end
constexpr int kSearchAttrKinds = 21;       // 0-19 with limits, 20 without
constexpr int kSearchLimitedKinds = 20;

// The eight presets and their names, kept in the saved block.
SearchFilterPreset& SearchPreset(int n);
char* SearchPresetName(int n);
// The working records of the player search screen and of the filtered
// squad list; SearchFilterCurrent names the one that load and store act on.
SearchFilterPreset& PlayerSearchFilterRecord();
extern SearchFilterPreset ListSearchFilter;
extern SearchFilterPreset* SearchFilterCurrent;
extern uint16_t SearchPresetIndex;

// Fields of a record, by field: index is the array entry.
uint32_t SearchFilter_Flag(const SearchFilterPreset& f, int field, int index = 0);
void SearchFilter_SetFlag(SearchFilterPreset& f, int field, int index, uint32_t value);
// Field numbers for SearchFilter_Flag.
enum SearchFilterField : int {
    kFilterPositionAllowed = 1,  // [4]
    kFilterSettingRequired = 2,  // [3]
    kFilterSettingAny = 3,
    kFilterListFlags = 5,  // [5]
    kFilterIncludeFlag119 = 6,
    kFilterOwnClub = 7,
    kFilterPlaceFlags = 8,       // [9]
    kFilterSquadListFlags = 13,  // [3]
};
int16_t SearchFilter_AgeMin(const SearchFilterPreset& f);
int16_t SearchFilter_AgeMax(const SearchFilterPreset& f);
void SearchFilter_SetAges(SearchFilterPreset& f, int16_t ageMin, int16_t ageMax);
int32_t SearchFilter_MaxPrice(const SearchFilterPreset& f);
int32_t SearchFilter_MaxWage(const SearchFilterPreset& f);
void SearchFilter_SetMaxPrice(SearchFilterPreset& f, int32_t price);
void SearchFilter_SetMaxWage(SearchFilterPreset& f, int32_t wage);
uint16_t SearchFilter_SortColumn(const SearchFilterPreset& f);
void SearchFilter_SetSortColumn(SearchFilterPreset& f, uint16_t column);

// The long text of each attribute kind 0-20.
extern const int16_t SearchAttrKindTable[kSearchAttrKinds];
// Sort column 0-10 of a result list to its column text (0: the score).
constexpr int kSearchSortColumns = 11;
extern const int16_t SearchSortColumnTable[kSearchSortColumns];

int16_t SearchAttr_GetPlayerValue(int16_t kind, uint16_t player);
int16_t SearchAttr_GetNameText(int16_t longText, int16_t fallback);
int16_t SearchColumn_GetLongText(int16_t column, int16_t fallback);
int16_t SearchColumn_GetPlayerValue(int16_t column, int16_t fallback);
int16_t SearchAttr_GetMin(int16_t kind, const SearchFilterPreset* filter);
int16_t SearchAttr_GetWeight(int16_t kind, const SearchFilterPreset* filter);
// which 1 writes the minimum, any other value the weight.
void SearchAttr_SetLimit(int16_t value, int16_t kind, SearchFilterPreset* filter, int16_t which);

void SearchFilter_InitAll();
void SearchFilter_Reset(SearchFilterPreset* filter);
void SearchFilter_ClearAttrLimits(SearchFilterPreset* filter);
void SearchFilter_Load(int16_t n);
int32_t SearchFilter_StoreOnConfirm(int16_t choice);
void SearchFilter_DrawConfirmBox();
// The preset pop-up of the filter screens: the eight names (store), a
// separator, the eight names to load, a separator, the weights and
// minimums views, reset and clear limits.  Refreshes the names each call.
constexpr int kSearchPresetPopupEntries = 24;  // with the header and the end
struct PopupEntry;
struct PopupCallBlock;
void SearchFilter_BuildPresetPopup(PopupEntry* popup, int32_t (*chosen)(PopupCallBlock*));
// Opens the text entry on preset n's name over the confirm box; a confirmed
// entry renames the preset and stores the record into it, a cancelled one
// changes nothing.  The record becomes SearchFilterCurrent.
void SearchFilter_OpenPresetNaming(int16_t n, SearchFilterPreset* record);

int16_t SearchFilter_IsCandidate(uint16_t player, int16_t mode);
int16_t SearchFilter_MatchPlayer(uint16_t player, const SearchFilterPreset* filter, int16_t mode);
int16_t SearchFilter_MatchAttrs(const SearchFilterPreset* filter, uint16_t player);
int32_t SearchFilter_Score(uint16_t player);
