#include "season/messages.h"

#include <array>
#include <cstring>

#include "database/query/funcs_forward.h"
#include "database/query/funcs_league.h"
#include "database/ranges.h"
#include "season/calendar.h"
#include "support/bytes.h"

using namespace recbits;

MessageRecord MessageArchive[kClubCount][kArchiveSlots];
MessageRecord UserInbox[kInboxSlots];
uint16_t NewMessageFlag;
uint8_t HalvornMessageBytes[27];

namespace {

struct TypeRange {
    int16_t first;
    int16_t last;
};

constexpr TypeRange kArchiveOnly[] = {
    {1, 3}, {6, 7}, {50, 53}, {55, 57}, {95, 96}, {215, 220},
};

constexpr TypeRange kInboxOnly[] = {
    {36, 38},   {45, 45},   {75, 77},   {98, 98},   {100, 100}, {103, 120}, {125, 138}, {140, 141},
    {146, 146}, {148, 148}, {150, 152}, {155, 155}, {157, 157}, {160, 167}, {173, 214}, {225, 226},
    {228, 228}, {230, 230}, {237, 254}, {257, 276}, {279, 282}, {289, 292},
};

constexpr std::array<MessageDelivery, kMessageTypeCount> BuildDelivery() {
    std::array<MessageDelivery, kMessageTypeCount> classes{};
    classes.fill(kDeliverBoth);
    for (TypeRange r : kArchiveOnly) {
        for (int t = r.first; t <= r.last; ++t) classes[t] = kDeliverArchive;
    }
    for (TypeRange r : kInboxOnly) {
        for (int t = r.first; t <= r.last; ++t) classes[t] = kDeliverInbox;
    }
    return classes;
}
constexpr auto kDelivery = BuildDelivery();

constexpr int CountClass(MessageDelivery c) {
    int n = 0;
    for (MessageDelivery d : kDelivery) n += d == c;
    return n;
}
static_assert(CountClass(kDeliverArchive) == 20);
static_assert(CountClass(kDeliverInbox) == 150);
static_assert(CountClass(kDeliverBoth) == 123);

struct TitleRange {
    int16_t first;
    int16_t last;
    const char* title;
};

constexpr TitleRange kTitles[] = {
    {0, 0, "$0p Deal Is Sealed"},
    {1, 3, ""},
    {4, 4, "$0p Loan Deal Is Sealed"},
    {5, 5, "$0p Deal Is Sealed"},
    {6, 7, ""},
    {8, 8, "Bad News"},
    {9, 9, "More Money"},
    {10, 10, "$0t Vs $1t Off"},
    {11, 11, "New Attendance Record"},
    {12, 12, "Biggest Win Ever"},
    {13, 13, "Worst Defeat Ever"},
    {14, 14, "Transfer Request Rethink"},
    {15, 15, "Transfer Request"},
    {16, 16, "$0p Not Turned Up"},
    {17, 20, "$0p And $1p Falling Out"},
    {21, 25, "$0p Deal Off"},
    {26, 26, "Record Sale"},
    {27, 27, "Record Buy"},
    {28, 30, "$0p Retiring"},
    {31, 31, "$0p Injury"},
    {32, 32, "$0p Sick"},
    {33, 33, "$0g Spreading"},
    {34, 35, "$0p Loan Move Off"},
    {36, 38, "Transfer Deadline"},
    {39, 39, "League Money"},
    {40, 44, "Well Done"},
    {45, 45, "We're Down"},
    {46, 49, "Call Up For $0p"},
    {50, 52, ""},
    {53, 53, "Board meeting"},
    {54, 56, ""},
    {57, 57, "$0t Job"},
    {58, 58, "$0p Back In"},
    {59, 60, "$0p Back In Training"},
    {61, 61, "$0p Bid Withdrawn"},
    {62, 62, "$0p Bid Failed"},
    {63, 70, "Well Done"},
    {71, 71, "Manager Of The Year Award"},
    {72, 72, "Player Of The Year Award"},
    {73, 73, "Young Player Of The Year Award"},
    {74, 74, "Golden Boot Award"},
    {75, 76, "Re: Job Vacancy At $0t"},
    {77, 77, "$0t Job"},
    {78, 78, "$0p Loan Move Off"},
    {79, 80, "$0p Ban"},
    {81, 82, "I'm Unhappy At $0t"},
    {83, 83, "Thanks Boss"},
    {84, 86, "$0p Fitting In Nicely"},
    {87, 87, "Missing Home"},
    {88, 88, "$0p Fitting In Nicely"},
    {89, 91, "Serious Problem"},
    {92, 94, "$0p Ban"},
    {95, 96, ""},
    {97, 97, "$0p's Relegation Release Clause"},
    {98, 98, "$0p Signs Professional Forms"},
    {99, 99, "$0p's Loan Spell"},
    {100, 100, "$0p's League Debut"},
    {101, 101, "Manager Of The Month"},
    {102, 102, "Sponsorship Deal"},
    {103, 120, "Recent Results"},
    {121, 121, "Team Spirit"},
    {122, 124, "$0g Draw"},
    {125, 128, "Last Match"},
    {129, 130, "Recent Results"},
    {131, 134, "Last Match"},
    {135, 136, "Recent Results"},
    {137, 137, "Local Derby Game"},
    {138, 138, "Well Done"},
    {139, 139, "Financial Troubles"},
    {140, 140, "$0p Burnt Out"},
    {141, 141, "$0p Doing Great"},
    {142, 142, "$0p Signs New Deal"},
    {143, 143, "$0p Signs Deal"},
    {144, 144, "$0p's Contract's Up"},
    {145, 145, "RE: $0p Contract Negotiations"},
    {146, 146, ""},
    {147, 147, "New Date for $0t vs $1t Clash"},
    {148, 148, "$0p Doing Great"},
    {149, 149, "$0p Injury"},
    {150, 150, ""},
    {151, 151, "$0p Signs Deal"},
    {152, 152, ""},
    {153, 153, "Transfer Talk"},
    {154, 154, "$0p Ban"},
    {155, 155, ""},
    {156, 156, "$0p's Sell On Clause"},
    {157, 157, "$0t Chase $0p"},
    {158, 158, "$0p To Leave On A Free"},
    {159, 163, "Stadium Improvement"},
    {164, 164, "$0p's Now Retrained"},
    {165, 168, "$0p's Contract Clause"},
    {169, 169, "$0p's Sale"},
    {170, 171, "RE: $0p Fitness Test"},
    {172, 172, "New Boss"},
    {173, 187, "Training UpDate"},
    {188, 188, "Coach Leaves Club"},
    {189, 191, "Training UpDate"},
    {192, 192, "Coach Leaves Club"},
    {193, 212, "Training UpDate"},
    {213, 214, "The $0t vs $1t Match"},
    {215, 220, ""},
    {221, 221, "$0p Deal Is Sealed"},
    {222, 224, "$0p Deal Off"},
    {225, 225, "Great $0g For You"},
    {226, 226, "The $0t vs $1t Match"},
    {227, 227, "$0p Trial Swoop"},
    {228, 236, "Re:$0p"},
    {237, 252, "Player Update Re:$0p"},
    {253, 254, "Re:$0p"},
    {255, 255, "URGENT!! Re:$0p Transfer Request"},
    {256, 256, "Re:$0p Goodbye!"},
    {257, 257, "Training Re:$0p"},
    {258, 258, "Stopped Scouting $0g"},
    {259, 259, "Finished Scouting $0g"},
    {260, 260, "Stopped Scouting $0g"},
    {261, 261, "Started Scouting $0g"},
    {262, 263, "Recommended Player in $0g"},
    {264, 264, "Training Re:$0p"},
    {265, 265, "Re:$0p"},
    {266, 276, "$0p, regarding our chat"},
    {277, 278, "Board meeting"},
    {279, 281, "Re:$0p"},
    {282, 282, "Transfer Deadline"},
    {283, 283, "$0p accident"},
    {284, 284, "$0p & $1p accident"},
    {285, 287, "Immediate Action re:$0p"},
    {288, 288, "Arson Attack?"},
    {289, 291, "Re:$0p"},
    {292, 292, "Financial Troubles"},
};

// The ranges follow each other without gap or overlap.
constexpr bool TitlesCoverEveryNumber() {
    int expected = 0;
    for (TitleRange r : kTitles) {
        if (r.first != expected || r.last < r.first) return false;
        expected = r.last + 1;
    }
    return expected == kMessageTypeCount;
}
static_assert(TitlesCoverEveryNumber());

constexpr std::array<const char*, kMessageTypeCount> BuildTitles() {
    std::array<const char*, kMessageTypeCount> titles{};
    for (TitleRange r : kTitles) {
        for (int t = r.first; t <= r.last; ++t) titles[t] = r.title;
    }
    return titles;
}

// The user's club as the message code sees it: none for an empty message
// number or before any player is loaded.
int16_t UserClubFor(int16_t type) {
    if (type == -1 || PlayerCount == 0) return -1;
    return HVW_GetMyClub();
}

bool IsUserClub(int16_t club, int16_t user) { return user >= 0 && club == user; }

struct MessageFields {
    int16_t clubA, clubB;
    uint32_t playerA, playerB;
    int16_t word1, word2;
    int32_t money;
    int16_t text1, text2;
    int32_t number1, number2;
    int16_t type;
};

void WriteRecord(MessageRecord& record, const MessageFields& m) {
    uint8_t* r = record.bytes;
    StoreU16(r + kMsgClubA, uint16_t(m.clubA));
    StoreU16(r + kMsgClubB, uint16_t(m.clubB));
    StoreU32(r + kMsgPlayerA, m.playerA);
    StoreU32(r + kMsgPlayerB, m.playerB);
    StoreU16(r + kMsgWord1, uint16_t(m.word1));
    StoreU16(r + kMsgWord2, uint16_t(m.word2));
    StoreI32(r + kMsgMoney, m.money);
    StoreU16(r + kMsgText1, uint16_t(m.text1));
    StoreU16(r + kMsgText2, uint16_t(m.text2));
    StoreI32(r + kMsgNumber1, m.number1);
    StoreI32(r + kMsgNumber2, m.number2);
    StoreU16(r + kMsgType, uint16_t(m.type));
    StoreU16(r + kMsgDay, uint16_t(SeasonCalendar.currentDay));
    r[kMsgRead] = 0;
    r[kMsgAnswered] = 0;
}

void Store(int16_t owner, const MessageFields& m) {
    StoreMessage(owner, m.clubA, m.clubB, m.playerA, m.playerB, m.word1, m.word2, m.money, m.text1, m.text2,
                 m.number1, m.number2, m.type);
}

// One post: the archive makes room when the message goes there.
void Post(int16_t owner, const MessageFields& m) {
    if (!IsClubNumber(owner)) return;
    if (GetMessageDelivery(m.type) & kDeliverArchive) ShiftArchive(owner);
    Store(owner, m);
}

bool IsBroadcastClub(int16_t club) { return GetClubRep(club) != 0 && GetClubDivision(club) < 6; }

}  // namespace

constexpr std::array<const char*, kMessageTypeCount> MessageTitleTemplates = BuildTitles();

MessageDelivery GetMessageDelivery(int16_t type) {
    uint16_t number = uint16_t(type);
    return number < kMessageTypeCount ? kDelivery[number] : kDeliverArchive;
}

void AddMessage(int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB, int16_t word1,
                int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1, int32_t number2,
                int16_t type, int16_t mode, int16_t alsoB) {
    const MessageFields m{clubA, clubB, playerA, playerB, word1,   word2,
                          money, text1, text2,   number1, number2, type};
    switch (mode) {
        case 0:
        case 1:
            if (mode == 1) Post(clubA, m);
            if (alsoB != 0) Post(clubB, m);
            break;
        case 2: {
            if (!IsClubNumber(clubA)) break;
            uint16_t nation = GetClubNation(clubA);
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (GetClubRep(club) != 0 && GetClubNation(club) == nation &&
                    HVW_FindClubInDivisionRows(club) != 0) {
                    Post(club, m);
                }
            }
            break;
        }
        case 3:
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (IsBroadcastClub(club) && GetClubNation(club) == uint16_t(alsoB)) Post(club, m);
            }
            break;
        case 4:
            for (int16_t club = 0; club < kClubCount; ++club) {
                if (IsBroadcastClub(club)) Post(club, m);
            }
            break;
        default:
            break;
    }
}

void StoreMessage(int16_t owner, int16_t clubA, int16_t clubB, uint32_t playerA, uint32_t playerB,
                  int16_t word1, int16_t word2, int32_t money, int16_t text1, int16_t text2, int32_t number1,
                  int32_t number2, int16_t type) {
    if (!IsClubNumber(owner)) return;
    const MessageFields m{clubA, clubB, playerA, playerB, word1,   word2,
                          money, text1, text2,   number1, number2, type};
    MessageDelivery delivery = GetMessageDelivery(type);
    if (delivery & kDeliverInbox) {
        if (IsUserClub(owner, UserClubFor(type)) && ShouldShowMessage(clubA, clubB, type, playerA) == 1) {
            ShiftInbox();
            WriteRecord(UserInbox[0], m);
        }
    }
    if (delivery & kDeliverArchive) WriteRecord(MessageArchive[owner][0], m);
}

int16_t ShouldShowMessage(int16_t clubA, int16_t clubB, int16_t type, uint32_t playerA) {
    const int16_t user = UserClubFor(type);
    bool alwaysShown = !(type >= 122 && type <= 124) && type != 147;  // cup draws, new dates
    if (IsUserClub(clubB, user) && alwaysShown) return 1;
    for (const MessageRecord& record : UserInbox) {
        const uint8_t* r = record.bytes;
        int16_t a = int16_t(LoadU16(r + kMsgClubA));
        int16_t b = int16_t(LoadU16(r + kMsgClubB));
        bool sameClubs = (a == clubA || a == clubB) && (b == clubB || b == clubA);
        bool today = LoadU16(r + kMsgDay) == uint16_t(SeasonCalendar.currentDay);
        bool sameType = LoadU16(r + kMsgType) == uint16_t(type);
        bool samePlayer = playerA == 0 || LoadU32(r + kMsgPlayerA) == playerA;
        if (sameClubs && today && sameType && samePlayer) return 0;
    }
    return 1;
}

int16_t ShiftInbox() {
    std::memmove(&UserInbox[1], &UserInbox[0], sizeof(MessageRecord) * (kInboxSlots - 1));
    NewMessageFlag = 1;
    return 1;
}

void ShiftArchive(int16_t club) {
    if (!IsClubNumber(club)) return;
    std::memmove(&MessageArchive[club][1], &MessageArchive[club][0],
                 sizeof(MessageRecord) * (kArchiveSlots - 1));
}

void ClearInbox() {
    for (MessageRecord& record : UserInbox) std::memset(record.bytes, 0xFF, kMsgAnswered);
}

// Every slot ends up as the empty record a hundred shifted posts of
// message -1 would leave.
void ClearArchives() {
    const MessageFields empty{-1, -1, 0xFFFFFFFF, 0xFFFFFFFF, -1, -1, -1, -1, -1, -1, -1, -1};
    for (auto& archive : MessageArchive) {
        for (MessageRecord& record : archive) WriteRecord(record, empty);
    }
}

uint16_t GetNewMessageFlag() { return NewMessageFlag; }
void SetNewMessageFlag(uint16_t value) { NewMessageFlag = value; }
