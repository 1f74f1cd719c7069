#include "core/match/qpredictreport.h"

#include "core/base/debug.h"

QpFixtureValues QpCurrentFixtureValues{};
std::array<QpReportRecord, kQpReportCapacity> QpReportList{};
int16_t QpReportCount = 0;
int16_t QpReportedMatches = 0;

namespace {

constexpr int FieldStart(int field) {
    int bit = 0;
    for (int f = 0; f < field; ++f) bit += kQpReportFieldBits[f];
    return bit;
}
static_assert(FieldStart(kQpReportFieldCount) <= 8 * kQpReportRecordSize);

}  // namespace

QpReportRecord QpPackReport(const std::array<uint32_t, kQpReportFieldCount>& values) {
    QpReportRecord record{};
    for (int field = 0; field < kQpReportFieldCount; ++field) {
        const int start = FieldStart(field);
        for (int bit = 0; bit < kQpReportFieldBits[field]; ++bit) {
            if ((values[field] >> bit) & 1)
                record.bytes[(start + bit) / 8] |= uint8_t(1u << ((start + bit) % 8));
        }
    }
    return record;
}

uint32_t QpReportValue(const QpReportRecord& record, int field) {
    if (field < 0 || field >= kQpReportFieldCount) return 0;
    const int start = FieldStart(field);
    uint32_t value = 0;
    for (int bit = 0; bit < kQpReportFieldBits[field]; ++bit) {
        if ((record.bytes[(start + bit) / 8] >> ((start + bit) % 8)) & 1) value |= 1u << bit;
    }
    return value;
}

void QpClearReports() {
    QpReportCount = 0;
    QpReportedMatches = 0;
}

bool QpAddReport(const QpReportRecord& record) {
    if (QpReportCount >= kQpReportCapacity) {
        DebugLog(DEBUG_GENERAL, 0, "QPredict2: Warning: report list full, record dropped\n");
        return false;
    }
    QpReportList[QpReportCount++] = record;
    return true;
}
