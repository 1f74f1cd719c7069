#include "game/screens/transfers/transferlistcontrols.h"

#include <algorithm>
#include <initializer_list>

#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

TransferHistoryStateRecord TransferHistoryState = {};

namespace {

uint16_t PickedValue(const PopupCallBlock* call, const uint16_t (&values)[kTransferFilterValues],
                     uint16_t current) {
    if (call == nullptr || call->row >= kTransferFilterValues) return current;
    return values[call->row];
}

bool EndsList(uint16_t kind) {
    return kind == POPUP_END || (kind >= POPUP_TITLE && kind <= POPUP_TITLE_TEXT_ID_VARIABLE);
}

bool OneOf(uint16_t kind, std::initializer_list<uint16_t> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Makes the entries of the given kinds selectable and ticks the entry of
// the filter's value, whatever its kind (the fee bands' entries are
// strings), and only that one.  The tick goes by the value behind the
// entry, as the pick does, so that a value table in another order than the
// entries still ticks the current choice.
void MarkEntries(PopupCallBlock* call, std::initializer_list<uint16_t> kinds,
                 const uint16_t (&values)[kTransferFilterValues], uint16_t filter) {
    if (call == nullptr || call->entry == nullptr) return;
    PopupEntry* entry = call->entry + 1;
    for (int index = 0; !EndsList(entry->kind); ++entry, ++index) {
        if (OneOf(entry->kind, kinds)) entry->flags = POPUP_SELECTABLE;
        if (!OneOf(entry->kind, {POPUP_TEXT_ID, POPUP_STRING, POPUP_STRING_VARIABLE, POPUP_TEXT_ID_VARIABLE}))
            continue;
        if (index < kTransferFilterValues && values[index] == filter) {
            entry->flags |= POPUP_MARKED;
        } else {
            entry->flags &= uint16_t(~POPUP_MARKED);
        }
    }
}

}  // namespace

int32_t TransferHistory_PickFilterA(PopupCallBlock* call) {
    TransferHistoryState.filterA =
        PickedValue(call, TransferHistoryState.valuesA, TransferHistoryState.filterA);
    return MENU_REDRAW_ALSO;
}

int32_t TransferHistory_PickFilterB(PopupCallBlock* call) {
    TransferHistoryState.filterB =
        PickedValue(call, TransferHistoryState.valuesB, TransferHistoryState.filterB);
    return MENU_REDRAW_ALSO;
}

void TransferHistory_MarkFilterA(PopupCallBlock* call) {
    MarkEntries(call, {POPUP_TEXT_ID, POPUP_TEXT_ID_VARIABLE}, TransferHistoryState.valuesA,
                TransferHistoryState.filterA);
}

void TransferHistory_MarkFilterB(PopupCallBlock* call) {
    MarkEntries(call, {POPUP_TEXT_ID, POPUP_STRING, POPUP_STRING_VARIABLE, POPUP_TEXT_ID_VARIABLE},
                TransferHistoryState.valuesB, TransferHistoryState.filterB);
}

int32_t TransferHistory_PageDown(MenuHotItem*) {
    int16_t& first = TransferHistoryState.firstRow;
    const int last = TransferHistoryState.rowCount - kTransferHistoryPageRows;
    first = int16_t(std::max(0, std::min(first + kTransferHistoryPageRows, last)));
    return MENU_REDRAW;
}

int32_t TransferHistory_PageUp(MenuHotItem*) {
    int16_t& first = TransferHistoryState.firstRow;
    first = int16_t(std::max(0, first - kTransferHistoryPageRows));
    return MENU_REDRAW;
}

void TransferHistory_DrawShade(int x, int y, int w, int h) {
    const uint16_t colour = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
    SetDrawParam(2, colour);
}

int32_t TransferHistory_ToClubMain(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}
