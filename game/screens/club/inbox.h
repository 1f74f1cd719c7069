// The inbox (screen 99): the user's last 100 messages sorted into eight
// folders by message type, a page of one folder with sender, title and
// date, the opened message with its body, the read timer that marks an
// undisturbed open message read, and the answer buttons of transfer
// requests and agents' offers.
#pragma once
#include <cstdint>

#include "core/season/messages.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kInboxFolders = 8;
constexpr int kInboxPageRows = 8;
constexpr int kInboxListRows = 9;
constexpr int kInboxTextSize = 300;
// Open for more than this many timer calls without a redraw: read.
constexpr int kInboxReadTicks = 50;

enum InboxButtonSet : int16_t {
    kInboxNoButtons = 0,
    kInboxOfferButtons = 1,    // accept, bid
    kInboxBidButton = 2,       // bid
    kInboxRequestButtons = 3,  // list, keep
};

extern int16_t InboxFolder;
extern int16_t InboxScroll;
extern int16_t InboxCurrent;  // inbox slot of the opened message, -1 none
extern int16_t InboxFolderLists[kInboxFolders][kInboxSlots];
extern int16_t InboxFolderCounts[kInboxFolders];
extern int16_t InboxUnreadCounts[kInboxFolders];
extern int16_t InboxRows;
extern int16_t InboxReadTicksCount;
extern int16_t InboxReadDone;

extern const MenuItem InboxTable[];

// The folder of a message type; a type outside 0-292 goes to folder 0.
int16_t InboxFolderOfType(int16_t type);
void BuildInboxFolders();
void InboxScreenProc();
// The first pass after entry: folders built, folder 0's newest message opened.
void InboxEnter();
// The read timer's step (the timer item calls it every 8 ticks).
void InboxReadTimer(int16_t frame);
// The governing body's name as a folder-0 sender.
const char* InboxSenderText(const MessageRecord& message);

int32_t InboxFolderTab(int16_t folder);
int32_t InboxRowClick(MenuHotItem* item);
int32_t InboxScrollOlder(MenuHotItem* item);
int32_t InboxScrollNewer(MenuHotItem* item);
int32_t InboxKeepPlayer(MenuHotItem* item);
int32_t InboxListPlayer(MenuHotItem* item);
int32_t InboxAcceptPlayerOffer(MenuHotItem* item);
int32_t InboxBidForPlayer(MenuHotItem* item);

// ---- What the screen shows, for tests ----------------------------------------
const char* InboxRowSender(int row);
const char* InboxRowTitle(int row);
const char* InboxRowDate(int row);
int16_t InboxRowColour(int row);
const char* InboxUnreadLabel(int folder);
// 0 sender, 1 addressee, 2 subject of the opened message.
const char* InboxDetailLine(int line);
const char* InboxBodyText();
InboxButtonSet InboxShownButtons();
