#include "core/base/corehooks.h"

namespace {

CoreHooks g_hooks;

const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

void CoreSetHooks(const CoreHooks& hooks) { g_hooks = hooks; }
const CoreHooks& CoreGetHooks() { return g_hooks; }

void CoreShowMessageBox(const char* text) {
    if (g_hooks.messageBox != nullptr) g_hooks.messageBox(text);
}

uint32_t CoreTimerTicks() { return g_hooks.timerTicks != nullptr ? g_hooks.timerTicks() : 0; }

void CorePoll() {
    if (g_hooks.poll != nullptr) g_hooks.poll();
}

void CoreBusyCursor(int16_t on) {
    if (g_hooks.busyCursor != nullptr) g_hooks.busyCursor(on);
}

void CoreRedrawMenuBackground() {
    if (g_hooks.redrawMenuBackground != nullptr) g_hooks.redrawMenuBackground();
}

const char* CoreMoneyText(int32_t amount) {
    return g_hooks.moneyText != nullptr ? TextOrEmpty(g_hooks.moneyText(amount)) : "";
}

const char* CorePlainMoneyText(int32_t amount) {
    return g_hooks.plainMoneyText != nullptr ? TextOrEmpty(g_hooks.plainMoneyText(amount)) : "";
}

const char* CoreOrdinalText(int32_t number) {
    return g_hooks.ordinalText != nullptr ? TextOrEmpty(g_hooks.ordinalText(number)) : "";
}

const char* CoreDataPathPrefix() {
    return g_hooks.dataPathPrefix != nullptr ? TextOrEmpty(g_hooks.dataPathPrefix()) : "";
}

int16_t CoreLiveResults(const LiveResultRow** rows) {
    *rows = nullptr;
    return g_hooks.liveResults != nullptr ? g_hooks.liveResults(rows) : 0;
}

bool CoreMatchDayFrame() { return g_hooks.matchDayFrame != nullptr && g_hooks.matchDayFrame(); }

void CoreShowNoteBox(const char* text, uint32_t argument) {
    if (g_hooks.noteBox != nullptr) g_hooks.noteBox(TextOrEmpty(text), argument);
}

void CoreShowDayFlashes() {
    if (g_hooks.dayFlashes != nullptr) g_hooks.dayFlashes();
}
