#include "core/records/scouttip.h"

#include "core/base/random.h"
#include "core/club/mood.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

// Clubs of the two lowest divisions get no tips.
constexpr bool kTipBarred[kCountryCount][kDivisionCount] = {
    {false, false, false, false, true, true}, {false, false, false, false, true, true},
    {false, false, false, false, true, true}, {false, false, false, false, true, true},
    {false, false, false, false, true, true}, {false, false, false, false, true, true},
    {false, false, false, false, true, true}, {false, false, false, false, true, true},
    {false, false, false, false, true, true},
};

constexpr int16_t kTipPositionTexts[12] = {564,  2431, 2432, 2433, 565,  566,
                                           2436, 2437, 2438, 2439, 2440, 567};

// Only clubs in the table's countries and divisions can be given tips.
bool IsBarred(int16_t club) {
    const uint16_t country = GetClubNation(club);
    const uint16_t division = GetClubDivision(club);
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) return true;
    return kTipBarred[country][division];
}

// A player worth a tip: a plain player (no manager, no youth flag) of a
// club outside the playable countries, of the wanted ability.
bool IsTipCandidate(uint16_t player, int low, int high) {
    if (GetPlayerHalvorn(player) != 0 || GetPlayerHalvornB(player) != 0) return false;
    if (GetPlayerFlag95(player) != 0) return false;
    const uint16_t club = GetPlayerClub(player);
    if (!IsClubNumber(club)) return false;
    if (IsCountryNumber(GetClubNation(int16_t(club)))) return false;
    const int ability = GetPlayerStat(player, kAbilityStat, 0);
    return ability >= low && ability <= high;
}

// Which side the player favours, from the settings that are 2 or more.
int16_t SideText(uint16_t player) {
    const bool left = GetPlayerSetting3(player) >= 2;
    const bool right = GetPlayerSetting1(player) >= 2;
    const bool centre = GetPlayerSetting2(player) >= 2;
    if (centre) return left || right ? 650 : 649;
    if (left && right) return 650;
    if (left) return 647;
    if (right) return 648;
    return 0;
}

}  // namespace

void ScoutTipPlayer(int16_t club) {
    if (club == -1) return;
    if (IsBarred(club)) return;
    const int r = GetClubRep(club);
    const int odds = ((63 - r) * 5 + 275) * 25;
    const int count = PlayerCount;
    if (count < 2) return;
    const int start = GameRandom() % count + 1;
    for (int player = start; player < count; ++player) {
        if (GameRandom() % odds != 0) continue;
        if (!IsTipCandidate(uint16_t(player), r + 20, r + 45)) continue;
        const uint16_t p = uint16_t(player);
        const uint16_t position = GetPlayerPosition2(p);
        const int16_t position_text = position < 12 ? kTipPositionTexts[position] : int16_t(2442);
        AddMessage(club, int16_t(GetPlayerClub(p)), p, 0xFFFFFFFFu, -1, -1, -1, position_text, SideText(p),
                   GetPlayerAge(p) + 16, -1, kMsgScoutTip, 1, 0);
        return;
    }
}

int16_t GetSquadHappinessPct(int16_t club) { return GetClubSquadHappinessPct(club); }
