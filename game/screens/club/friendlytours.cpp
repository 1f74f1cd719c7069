#include "game/screens/club/friendlytours.h"

#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/textfill.h"

namespace {

constexpr int16_t kFirstLabel = 772;
constexpr int16_t kTourQuestionText = 975;
constexpr int32_t kAnswerYes = 0;

constexpr int16_t kTourNations[kTourEntries] = {0, 6, 3, 4, 2, 5, 7, 1, 9, 11, 18, 10, 14, 8, 15, 12};

int32_t TourEntry(PopupCallBlock* call) {
    const int16_t nation = FriendlyTourNation(call != nullptr ? call->row : -1);
    if (nation < 0) return MENU_REDRAW;
    if (HVW_IsFriendlyDateFree(int16_t(SelectedClub)) == 0) {
        ShowMessageBox(GetText(kTextNoMoreFriendlies), 0);
        return MENU_REDRAW;
    }
    ArrangeTourChoice(nation);
    return MENU_REDRAW;
}

#define TOUR(k) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kFirstLabel + k), TourEntry, nullptr }

}  // namespace

PopupEntry FriendlyTourPopup[kTourEntries + 2] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    TOUR(0),
    TOUR(1),
    TOUR(2),
    TOUR(3),
    TOUR(4),
    TOUR(5),
    TOUR(6),
    TOUR(7),
    TOUR(8),
    TOUR(9),
    TOUR(10),
    TOUR(11),
    TOUR(12),
    TOUR(13),
    TOUR(14),
    TOUR(15),
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

#undef TOUR

int16_t FriendlyTourNation(int entry) {
    return entry >= 0 && entry < kTourEntries ? kTourNations[entry] : -1;
}

void ArrangeTourChoice(int16_t nation) {
    char question[300];
    FillTextSlots(question, sizeof question, GetText(kTourQuestionText), {HVW_GetNationName(nation)});
    // Only a yes arranges: a box closed with the window is no answer.
    if (ShowChoiceBox(question, 0, YesNoButtons) != kAnswerYes) return;
    HVW_ArrangeFriendly(int16_t(SelectedClub), nation);
}
