// Short remarks on a team: on each player's figures in the last match, and
// on the eleven before a match.  Each remark is a language text id with
// the player (or line-up slot) it is about.
#include "core/query/teamremarks.h"

#include <cstdlib>
#include <initializer_list>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/match/matchresult.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/records.h"
#include "core/season/clubfixtures.h"

uint16_t CommentTextIds[kCommentCapacity];
uint16_t CommentSubjects[kCommentCapacity];

namespace {

using recbits::LoadU16;

// The tactic of the run; nullptr when the current tactic has no record.
const TacticRecord* g_tactic;
int g_count;

void ClearComments(uint16_t value) {
    for (int i = 0; i < kCommentCapacity; ++i) CommentTextIds[i] = CommentSubjects[i] = value;
    g_count = 0;
    g_tactic = GetTacticRecordB(CurrentTacticB);
}

// A run stops adding remarks when the list is full.
void Add(int text, uint16_t subject) {
    if (g_count >= kCommentCapacity) return;
    CommentTextIds[g_count] = uint16_t(text);
    CommentSubjects[g_count] = subject;
    ++g_count;
}

// One of two neighbouring texts, at random.
int Either(int text) { return text + GameRandom() % 2; }

// Positions of a tactic slot: the main one and two further ones (a
// negative y marks a position the slot does not have).
constexpr int kSecondY = 11;
constexpr int kThirdY = 22;

int16_t SlotX(int slot) { return GetTacticEntryX(g_tactic, slot); }
int16_t SlotY(int slot) { return GetTacticEntryY(g_tactic, slot); }
int16_t SlotFurtherY(int slot, int offset) {
    return int16_t(LoadU16(g_tactic->bytes + slot * kTacticEntrySize + offset));
}

// --- match figures ---------------------------------------------------------

// Byte positions within a player entry of a team report.
enum MatchEntryField : int {
    kRelativeScoreB = 18,
    kRelativeScoreC = 20,
    kValueW = 22,
    kCountN = 26,
    kCountG = 43,
    kCountF = 44,
    kCountQ = 47,
    kCountA1 = 51,
    kCountB1 = 52,
    kCountT1 = 53,
    kCountA2 = 57,
    kCountB2 = 58,
    kCountD = 59,
    kCountT2 = 60,
    kKeeperCount1 = 66,
    kKeeperCount2 = 67,
    kKeeperCount3 = 68,
    kKeeperCountE = 69,
    kKeeperCountK = 72,
    kCountT3 = 75,
    kCountM = 84,
    kTries1 = 85,
    kHits1 = 86,
    kTries2 = 87,
    kHits2 = 88,
    kTries3 = 89,
    kHits3 = 90,
    kCountX = 124,
    kCountY = 125,
    kEndMinute = 127,
    kStartMinute = 128,
    kFlagWord = 132,
};
constexpr uint16_t kKeeperBit = 1;
// Above this CountN a key figure ran the show.
constexpr int kRanTheShowCount = 3;

struct Entry {
    const uint8_t* bytes;
    int U8(int field) const { return bytes[field]; }
    int S8(int field) const { return int8_t(bytes[field]); }
    int S16(int field) const { return int16_t(LoadU16(bytes + field)); }
};

void KeeperRules(const Entry& e, int slot, int goals, int opponentGoals) {
    const int k = e.U8(kKeeperCountK);
    const int keeperE = e.U8(kKeeperCountE);
    const int s = int16_t(e.U8(kKeeperCount1) + e.U8(kKeeperCount2) + e.U8(kKeeperCount3));
    if (k == 0) {
        if (s > 10) {
            Add(1271, uint16_t(slot));
        } else if (s > 7) {
            Add(1270, uint16_t(slot));
        }
        return;
    }
    const int ratio = s / k;
    const bool behind = goals < opponentGoals;
    if (behind && ratio < 2) Add(keeperE != 0 ? 1268 : k == 1 ? 1297 : 1308, uint16_t(slot));
    if (behind && (ratio == 2 || ratio == 3)) {
        Add(keeperE != 0 ? 1269 : k == 1 ? 1298 : 1309, uint16_t(slot));
    }
    if (ratio > 4) {
        Add(1271, uint16_t(slot));
    } else if (ratio > 2) {
        Add(1270, uint16_t(slot));
    }
}

void OutfieldRules(const Entry& e, int slot, int span) {
    const uint16_t subject = uint16_t(slot);
    auto add = [&](int text) { Add(text, subject); };
    // R: the two relative scores (0-95 each) together.
    const int r = int16_t(LoadU16(e.bytes + kRelativeScoreB) + LoadU16(e.bytes + kRelativeScoreC));
    const int g = e.U8(kCountG), f = e.U8(kCountF), q = e.U8(kCountQ), m = e.U8(kCountM);
    const int v = int16_t(g + f);
    const bool placed = slot >= 1 && slot <= 10 && g_tactic != nullptr;
    const bool notKeeperSlot = slot >= 1;
    const int x = placed ? SlotX(slot) : 0;
    const int y = placed ? SlotY(slot) : 0;

    // O1-O3: passing, tackling and shooting accuracy.
    const int tries1 = e.U8(kTries1), hits1 = e.U8(kHits1);
    if (tries1 != 0 && 2 * hits1 < tries1) add(1272);
    const int tries2 = e.U8(kTries2), hits2 = e.U8(kHits2);
    if (tries2 > 3) {
        if (4 * hits2 < tries2) {
            add(1273);
        } else if (3 * hits2 > tries2) {
            add(1276);
        }
    }
    const int tries3 = e.U8(kTries3), hits3 = e.U8(kHits3);
    if (tries3 > 3) {
        if (6 * hits3 < tries3) {
            add(1274);
        } else if (4 * hits3 > tries3) {
            add(1275);
        }
    }

    // O4, O5: defenders and wide midfielders against the team's shape.
    const int d = e.U8(kCountD);
    const int t = int16_t(e.U8(kCountT1) + e.U8(kCountT2) + e.U8(kCountT3));
    auto position = [&](int tooHigh, int tooLow, int far, int some) {
        if (r > 100) {
            if (d > t) add(tooHigh);
        } else if (t < d) {
            add(tooLow);
        } else if (t / 4 > d) {
            add(far);
        } else if (t / 2 > d) {
            add(some);
        }
    };
    if (placed && y < 6) position(1277, 1278, 1280, 1279);
    if (placed && y >= 6 && y <= 10 && x >= 4) position(1281, 1282, 1284, 1283);

    // O6: the balance between going forward and holding back.
    const int a1 = e.U8(kCountA1), b1 = e.U8(kCountB1), a2 = e.U8(kCountA2), b2 = e.U8(kCountB2),
              cx = e.U8(kCountX), cy = e.U8(kCountY);
    if (notKeeperSlot && int16_t(a1 + b1 + a2 + b2 + cx) > 6) {
        const int a = a1 + 3 * cy + a2;
        const int b = (cx - cy) / 3 + b1 + b2;
        if (2 * a < b) {
            add(1286);
        } else if (a < b) {
            add(1285);
        } else if (a / 4 > b) {
            add(1288);
        } else if (a / 2 > b) {
            add(1287);
        }
    }

    // O7: losing the ball.
    if (notKeeperSlot && m > g && m > 3) add(1289);

    // O8, O9: a forward's chances and finishing.
    if (placed && y > 11) {
        if (v < e.S8(kEndMinute) / 30) add(1294);
        if (v > 2) {
            const int c = g + 3 * q;
            if (f > c) {
                add(1291);
            } else if (2 * f > c) {
                add(1290);
            }
        }
    }
    // O10: converting chances.
    if (notKeeperSlot && v > 2) {
        if (g < 3 * q) {
            add(1292);
        } else if (g > 5 && q == 0) {
            add(1293);
        }
    }

    // O11: hardly involved for his time on the pitch.
    if (span / 4 > r) {
        add(1295);
    } else if (span / 2 > r) {
        add(1296);
    }
    // O12: a key figure.
    const int n = e.S8(kCountN);
    if (n != 0 && e.S16(kValueW) > 70) add(n >= kRanTheShowCount ? 1311 : 1310);
}

// --- the eleven before a match ---------------------------------------------

int Percent(int value, int maximum) { return value * 100 / maximum; }

enum Line : int { kDefence, kMidfield, kAttack, kLines };

int LineOf(uint16_t position) {
    if (position >= 1 && position <= 4) return kDefence;
    if (position >= 5 && position <= 9) return kMidfield;
    if (position >= 10 && position <= 12) return kAttack;
    return -1;
}

void PlayerRules(uint16_t p, int (&lineMax)[kLines]) {
    auto add = [&](int text) { Add(text, p); };
    const uint16_t shirt = GetPlayerShirt(p);

    const int fitness = Percent(GetPlayerFitness(p), 60);
    if (fitness < 50) {
        add(Either(1234));
    } else if (fitness < 70) {
        add(Either(1232));
    }
    if (Percent(GetPlayerMorale(p), 60) < 60) add(Either(1244));
    const int fatigue = Percent(GetPlayerFatigue(p), 60);
    if (fatigue > 40) {
        add(Either(1248));
    } else if (fatigue > 20) {
        add(Either(1246));
    }
    if (IsPlayerSuspended(p) != 0 || HVW_GetPlayerEuroBan(p) != 0) add(Either(1236));
    const uint16_t it = GetPlayerIT(p);
    if (it == 1) {
        add(Either(1242));
    } else if (it >= 2 && it <= 8) {
        add(Either(1240));
    } else if (it >= 9) {
        add(Either(1238));
    }
    if (GetNextFixtureOfPlayersClub(p) != 0) add(Either(1250));

    const int line = LineOf(GetPlayerPosition(p));
    if (line >= 0) {
        const int experience = HVW_GetPlayerExperiencePercent(p);
        if (experience > lineMax[line]) lineMax[line] = experience;
    }

    // The keeper's place is never judged, nor any place of a missing tactic.
    if (shirt < 2 || g_tactic == nullptr) return;
    const int slot = shirt - 1;
    const int x = SlotX(slot);
    if (x < 5 && HVW_GetPlayerSetting3(p) == 0) add(1252);
    if (x > 10 && HVW_GetPlayerSetting1(p) == 0) add(1253);
    const int y = SlotY(slot);
    int distance = 0;
    for (int offset : {kSecondY, kThirdY}) {
        const int further = SlotFurtherY(slot, offset);
        if (further >= 0) distance += std::abs(further - y);
    }
    if (GetPlayerStat(p, kPaceStat, 0) / 10 < distance) add(1254);
}

}  // namespace

void HVW_AssessMatchTeam(int16_t side) {
    ClearComments(65535);
    if (side != 0 && side != 1) return;
    const MatchResultBlock* block = GetMatchBlock();
    const uint8_t* team = block->teams[side].bytes;
    const uint8_t* opponents = block->teams[side ^ 1].bytes;
    const int goals = int16_t(LoadU16(team + kReportGoals));
    const int opponentGoals = int16_t(LoadU16(opponents + kReportGoals));
    for (int slot = 0; slot < kTeamReportPlayers; ++slot) {
        const Entry e{team + kReportPlayers + slot * kPlayerReportSize};
        const int span = e.S8(kEndMinute) - e.S8(kStartMinute);
        if (span == 0) continue;
        if (LoadU16(e.bytes + kFlagWord) & kKeeperBit) {
            KeeperRules(e, slot, goals, opponentGoals);
        } else {
            OutfieldRules(e, slot, span);
        }
    }
}

void HVW_AssessSquadBeforeMatch(int16_t club) {
    ClearComments(0);
    HVW_BuildSquadList(club);
    int lineMax[kLines] = {0, 0, 0};
    const int count = FirstTeamList.count < kSquadListSize ? FirstTeamList.count : kSquadListSize;
    for (int i = 0; i < count; ++i) {
        const uint16_t p = FirstTeamList.players[i];
        if (!IsValidPlayer(p)) continue;
        const uint16_t shirt = GetPlayerShirt(p);
        if (shirt < 1 || shirt > 11) continue;
        PlayerRules(p, lineMax);
    }
    const int lineText[kLines][2] = {{1222, 1220}, {1226, 1224}, {1228, 1230}};
    for (int line = 0; line < kLines; ++line) {
        if (lineMax[line] < 20) {
            Add(Either(lineText[line][0]), 0);
        } else if (lineMax[line] < 40) {
            Add(Either(lineText[line][1]), 0);
        }
    }
}
