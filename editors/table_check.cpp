#include "editors/table_check.h"

#include "int_text.h"
#include "language.h"

namespace editors {

namespace {

constexpr int64_t kTransportMax = 1785;
constexpr int64_t kFastPacketMax = 223;
constexpr int64_t kFrameBytes = 8;

int64_t Number(const QString& text, int64_t bad)
{
    int32_t v;
    return TryStrToInt(text, v) ? int64_t(v) : bad;
}

bool IsYes(const QStringList& row, int col)
{
    return row[col - 1] == QLatin1String("Y");
}

// The failing message's text number (0 when the row passes) and the bytes
// the row uses.
int CheckBytes(const BytesRule& rule, const QStringList& row, int64_t& bytes)
{
    const QString& startText = row[rule.startCol - 1];
    const QString& countText = row[rule.countCol - 1];
    const bool tp = IsYes(row, rule.tpCol);
    const bool fp = !tp && rule.fpCol > 0 && IsYes(row, rule.fpCol);
    if (tp || fp) {
        const int64_t max = tp ? kTransportMax : kFastPacketMax;
        const int* texts = tp ? rule.tpTexts : rule.fpTexts;
        const int64_t start = Number(startText, -1);
        if (start < 0 || start > max)
            return texts[0];
        const int64_t count = Number(countText, -1);
        if (count < 0 || start + count > max)
            return texts[1];
        bytes = count;
        return 0;
    }
    const bool noStart = startText.trimmed().isEmpty();
    const bool noCount = countText.trimmed().isEmpty();
    if (noStart && noCount) {
        bytes = kFrameBytes;
        return 0;
    }
    if (noStart != noCount)
        return rule.singleTexts[0];
    const int64_t start = Number(startText, -1);
    if (start < 1 || start > kFrameBytes)
        return rule.singleTexts[1];
    const int64_t count = Number(countText, -1);
    if (count < 1 || count > kFrameBytes)
        return rule.singleTexts[2];
    if (start + count > kFrameBytes)
        return rule.singleTexts[3];
    bytes = count;
    return 0;
}

} // namespace

CheckResult CheckTable(const TableDef& def, const TableData& table)
{
    CheckResult result;
    for (size_t s = 0; s < table.sections.size(); ++s) {
        const auto& rows = table.sections[s];
        const int used = UsedRows(def, rows);
        int64_t total = 0;
        for (int r = 0; r < used; ++r) {
            const QStringList& row = rows[size_t(r)];
            int64_t rowBytes = 0;
            for (const CheckDef& c : def.checks) {
                int fail = 0;
                bool named = true;
                int64_t limit = c.hi < 0 ? def.byteLimit : c.hi;
                switch (c.step) {
                case Step::Range:
                    if (c.onlyIfYes == 0 || IsYes(row, c.onlyIfYes)) {
                        const int64_t v = Number(row[c.col - 1], c.bad);
                        if (v < c.lo || v > limit)
                            fail = c.text;
                    }
                    break;
                case Step::NotEmpty:
                    if (row[c.col - 1].trimmed().isEmpty())
                        fail = c.text;
                    break;
                case Step::CobId: {
                    int32_t v;
                    const uint32_t id = TryStrToInt(row[c.col - 1], v) ? uint32_t(v) : 0x80000000u;
                    const QString type = row[c.col].trimmed();
                    if (type.isEmpty())
                        fail = c.text;
                    else if (type.toUpper() == QLatin1String("2.0A (11 BITS)"))
                        fail = id > 0x7FFu ? c.text + 1 : 0;
                    else
                        fail = id > 0x1FFFFFFFu ? c.text + 2 : 0;
                    break;
                }
                case Step::Bytes:
                    fail = CheckBytes(*def.bytes, row, rowBytes);
                    break;
                case Step::Budget:
                    total += c.col > 0 ? Number(row[c.col - 1], 0) : rowBytes;
                    limit = def.byteLimit;
                    if (total > limit)
                        fail = c.text;
                    named = false;
                    break;
                }
                if (fail) {
                    result.ok = false;
                    result.section = int(s);
                    result.row = named ? r + 1 : 0;
                    QString text = named ? Lang(def.errorRow) + QString::number(r + 1) : QString();
                    text += Lang(fail);
                    if (c.appendLimit)
                        text += QString::number(limit);
                    result.message = text;
                    return result;
                }
            }
        }
    }
    return result;
}

} // namespace editors
