#include "menus/exm_text.h"

#include <cstdio>

#include "database/text.h"
#include "support/debug.h"
#include "support/textbuf.h"

char NumberTextBuffer[NUMBER_TEXT_SIZE];
int32_t CurrentNumberType = NUMBER_PLAIN;
int16_t TextOpacity = 255;

namespace {

// Language texts that supply the words of the money formats.
constexpr int16_t kTextMoneyZero = 433;
constexpr int16_t kTextMoneyPrefix = 434;
constexpr int16_t kTextDecimalSeparator = 435;
constexpr int16_t kTextBillions = 436;
constexpr int16_t kTextMillions = 437;
constexpr int16_t kTextThousands = 438;
constexpr int16_t kTextOrdinalSt = 263;
constexpr int16_t kTextOrdinalNd = 264;
constexpr int16_t kTextOrdinalRd = 265;
constexpr int16_t kTextOrdinalTh = 266;

// Appends to NumberTextBuffer, cutting what does not fit.
class NumberText : public BoundedText {
  public:
    NumberText() : BoundedText(NumberTextBuffer, NUMBER_TEXT_SIZE) {}
};

// An amount split into groups of three digits.
struct MoneyGroups {
    bool negative;
    int billions, millions, thousands, units;
};

MoneyGroups SplitMoney(int32_t value) {
    int64_t a = value < 0 ? -int64_t(value) : int64_t(value);
    return {value < 0, int(a / 1000000000), int(a / 1000000 % 1000), int(a / 1000 % 1000), int(a % 1000)};
}

// A lower group as fraction digits without trailing zeros.
void AddFraction(NumberText& out, int group) {
    if (group % 100 == 0) {
        out.Add("%d", group / 100);
    } else if (group % 10 == 0) {
        out.Add("%02d", group / 10);
    } else {
        out.Add("%03d", group);
    }
}

// Writes the leading group, its next group as a fraction and the suffix;
// returns false when every group above the units is 0.
bool AddLeadingGroup(NumberText& out, const MoneyGroups& g, bool one_digit) {
    const int groups[3] = {g.billions, g.millions, g.thousands};
    const int next[3] = {g.millions, g.thousands, g.units};
    constexpr int16_t suffix[3] = {kTextBillions, kTextMillions, kTextThousands};
    for (int i = 0; i < 3; ++i) {
        if (groups[i] <= 0) continue;
        out.Add("%d", groups[i]);
        if (next[i] > 0) {
            out.Add("%s", GetText(kTextDecimalSeparator));
            if (one_digit) {
                out.Add("%d", next[i] / 100);
            } else {
                AddFraction(out, next[i]);
            }
        }
        out.Add("%s", GetText(suffix[i]));
        return true;
    }
    return false;
}

const char* OrdinalSuffix(int16_t n) {
    if (n % 10 == 1 && n % 100 != 11) return GetText(kTextOrdinalSt);
    if (n % 10 == 2 && n % 100 != 12) return GetText(kTextOrdinalNd);
    if (n % 10 == 3 && n % 100 != 13) return GetText(kTextOrdinalRd);
    return GetText(kTextOrdinalTh);
}

}  // namespace

void SetTextOpacity(int16_t value) { TextOpacity = value; }

const char* Price2str(int32_t value) {
    MoneyGroups g = SplitMoney(value);
    if (g.billions > 999) FatalError("Price2str(): More than billions passed in ?!?");
    NumberText out;
    if (g.negative) out.Add("-");
    out.Add("%s", GetText(kTextMoneyPrefix));
    if (!AddLeadingGroup(out, g, false)) out.Add("%d", g.units);
    return NumberTextBuffer;
}

const char* Price2strPlain(int32_t value) {
    NumberText out;
    if (value == 0) {
        out.Add("%s", GetText(kTextMoneyZero));
        return NumberTextBuffer;
    }
    MoneyGroups g = SplitMoney(value);
    if (g.negative) out.Add("-");
    if (!AddLeadingGroup(out, g, true)) out.Add("%d", g.units);
    return NumberTextBuffer;
}

void OrdinalStr(char* buffer, int16_t n) {
    std::snprintf(buffer, NUMBER_TEXT_SIZE, "%d%s", n, OrdinalSuffix(n));
}

const char* Number2Str(int32_t value) {
    switch (CurrentNumberType) {
        case NUMBER_PLAIN:
            std::snprintf(NumberTextBuffer, sizeof NumberTextBuffer, "%d", value);
            break;
        case NUMBER_MONEY:
            return Price2str(value);
        case NUMBER_MONEY_PLAIN:
            return Price2strPlain(value);
        case NUMBER_ORDINAL:
            OrdinalStr(NumberTextBuffer, int16_t(value));
            break;
        case NUMBER_TWO_DIGITS:
            std::snprintf(NumberTextBuffer, sizeof NumberTextBuffer, "%02d", value % 100);
            break;
        default:
            FatalError("Number2Str(): Invalid number type (%d)\n", CurrentNumberType);
    }
    return NumberTextBuffer;
}
