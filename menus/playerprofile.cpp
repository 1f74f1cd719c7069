#include "menus/playerprofile.h"

#include <climits>

#include "database/frontstate.h"
#include "database/query/funcs_fields.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_small.h"
#include "menus/menucont.h"

namespace {

struct Answer {
    int32_t number = kAttributeNoNumber;
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
};

Answer Number(int32_t value) { return {value, kAttributeNoText, kAttributeNoMoney}; }
Answer Text(uint16_t text) { return {kAttributeNoNumber, text, kAttributeNoMoney}; }
Answer Money(int32_t value) { return {kAttributeNoNumber, kAttributeNoText, value}; }

Answer Lookup(uint16_t label, uint16_t player) {
    if (label >= 41 && label <= 56) return Number(HVW_GetPlayerStat(player, int16_t(label - 41)));
    switch (label) {
        case 398:
            return Number(HVW_GetPlayerStat(player, 18));
        case 57:
            return Number(HVW_GetPlayerStat(player, 19));
        case 58:
            return Number(HVW_GetPlayerStat(player, 20));
        case 397:
            return Number(HVW_GetPlayerStat(player, 22));
        case 399:
            return Number(HVW_GetPlayerField105Percent(player));
        case 400:
            return Number(HVW_GetPlayerField96Percent(player));
        case 1092:
            return Number(HVW_GetPlayerExperiencePercent(player));
        case 244:
            return Number(HVW_GetPlayerMoralePct(player));
        case 245:
            return Number(HVW_GetPlayerFitnessPct(player));
        case 246:
            return Number(HVW_GetPlayerFatiguePct(player));
        case 198:
            return Number(HVW_GetPlayerDispoints(player));
        case 61:
            return Number(HVW_GetPlayerAge(player));
        case 62:
            return Number(HVW_GetPlayerApps(player));
        case 63:
            return Number(HVW_GetPlayerContract(player));
        case 64:
            return Number(HVW_GetPlayerGoals(player));
        case 65:
            return Number(HVW_GetPlayerCareerApps(player));
        case 66:
            return Number(HVW_GetPlayerCareerGoals(player));
        case 67:
            return Number(HVW_GetPlayerPerf(player));
        case 240:
            return Money(HVW_GetPlayerWage(player));
        case 86: {
            if (player == 0) return {};
            const int32_t price = HVW_GetPlayerManPriceRaw(player);
            return Money(price != -1 ? price : HVW_ValuePlayer(player));
        }
        case 71:
            if (HVW_GetPlayerTxList(player) == 1) return Text(1809);
            return Text(HVW_GetPlayerLoanList(player) == 1 ? 875 : 74);
        case 255:
            return Number(-1);
        case kHiddenAttributeLabel:
            return Text(125);
        default:
            return {};
    }
}

}  // namespace

int32_t AttributeValueByLabel(uint16_t label, uint16_t* textCell, int32_t* moneyCell) {
    const Answer answer = Lookup(label, uint16_t(SelectedPlayer));
    if (textCell != nullptr) *textCell = answer.text;
    if (moneyCell != nullptr) *moneyCell = answer.money;
    return answer.number;
}
