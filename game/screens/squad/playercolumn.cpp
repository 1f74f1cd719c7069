#include "game/screens/squad/playercolumn.h"

#include <climits>

#include "game/screens/squad/playerprofile.h"

// The profile's lookup by label answers every list column.
int16_t PlayerColumn_GetValue(int16_t column, int16_t* textWord, int32_t* moneyWord) {
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
    const int32_t number = AttributeValueByLabel(uint16_t(column), &text, &money);
    if (textWord != nullptr) *textWord = text == kAttributeNoText ? kPlayerColumnNoText : int16_t(text);
    if (moneyWord != nullptr) *moneyWord = money;
    return number >= INT16_MIN && number <= INT16_MAX ? int16_t(number) : kPlayerColumnNoNumber;
}
