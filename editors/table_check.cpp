#include "editors/table_check.h"

#include "helpers.h"
#include "int_text.h"
#include "language.h"

#include <algorithm>
#include <map>

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

bool IsBitRow(const AccessRule& a, const QStringList& row)
{
    const QString type = row[a.typeCol - 1].trimmed().toUpper();
    return type == QLatin1String("COIL STATUS") || (a.inputStatusIsBit && type == QLatin1String("INPUT STATUS"));
}

// The Start Bit of a bit row, then the row's last byte against the limit.
int CheckLastByte(const AccessRule& a, const QStringList& row, int64_t limit)
{
    const int64_t position = Number(row[a.positionCol - 1], -1);
    const int64_t points = Number(row[a.pointsCol - 1], -1);
    int64_t last = position + 2 * points - 1;
    if (IsBitRow(a, row)) {
        const QString& bit = row[a.bitCol - 1];
        if (bit.isEmpty())
            return a.bitText;
        last = position + (points + Number(bit, 0) - 1) / 8;
    }
    return last < limit ? 0 : a.lastByteText;
}

bool CondHolds(const CheckDef& c, const QStringList& row, size_t section, const TableState* state)
{
    switch (c.cond) {
    case Cond::Always:
        return true;
    case Cond::Shown:
        return !state || !state->Hidden(section, c.col);
    case Cond::String:
        return row[c.condCol - 1].toUpper() != QLatin1String("INT");
    case Cond::Int:
        return row[c.condCol - 1].toUpper() == QLatin1String("INT");
    case Cond::YesAnyCase:
        return row[c.condCol - 1].toUpper() == QLatin1String("Y");
    }
    return true;
}

} // namespace

bool Check_IP_Address(const QString& text)
{
    if (text.isEmpty())
        return true;
    QString rest = text;
    for (int i = 0; i < 4; ++i) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        const QString part = i == 3 ? rest : (dot >= 0 ? rest.left(dot) : QString());
        const int64_t v = Number(part, -1);
        if (v < 0 || v > 255)
            return true;
        if (dot >= 0)
            rest = rest.mid(dot + 1);
    }
    return false;
}

bool IsReservedMibName(const QString& text)
{
    static const char* const kFixed[] = {
        "identity", "keltrona", "gateway", "application", "data", "hellostring", "countin", "countout",
        "bufferin", "bufferout", "bufferinval", "bufferoutval", "traps", "trapsval", "enterprises"};
    for (const char* name : kFixed)
        if (text == QLatin1String(name))
            return true;
    // The numbered names: a prefix and decimal digits.
    static const char* const kNumbered[] = {"bufferinblk", "bufferoutblk", "bufferinval", "bufferoutval", "trapval"};
    for (const char* prefix : kNumbered) {
        const QLatin1String p(prefix);
        if (text.size() > p.size() && text.startsWith(p)) {
            const QStringView digits = QStringView(text).mid(p.size());
            if (std::all_of(digits.begin(), digits.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; }))
                return true;
        }
    }
    return false;
}

CheckResult CheckTable(const TableDef& def, const TableData& table, const std::vector<int64_t>& sectionLimits,
                       const TableState* state)
{
    CheckResult result;
    // UniquePair: the pairs of the rows checked so far and where they are.
    std::map<std::pair<int64_t, int64_t>, std::pair<size_t, int>> pairs;
    // Unique: the texts of the rows checked so far, and the message.
    QStringList uniqueTexts;
    int uniqueText = 0;
    for (size_t s = 0; s < table.sections.size(); ++s) {
        const auto& rows = table.sections[s];
        const int used = UsedRows(def, rows);
        int64_t total = 0;
        for (int r = 0; r < used; ++r) {
            const QStringList& row = rows[size_t(r)];
            if (def.enableCol && row[def.enableCol - 1].toUpper() != QLatin1String("Y"))
                continue;
            int64_t rowBytes = 0;
            for (const CheckDef& c : ChecksOf(def, s)) {
                int fail = 0;
                bool named = true;
                int64_t limit = c.hi < 0 ? def.byteLimit : c.hi;
                QString tail;
                if (c.whenCol > 0 && Number(row[c.whenCol - 1], -1) < c.whenAtLeast)
                    continue;
                if (!CondHolds(c, row, s, state))
                    continue;
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
                case Step::Address: {
                    limit = (s < sectionLimits.size() ? sectionLimits[s] : def.byteLimit) - 1;
                    const int64_t v = Number(row[c.col - 1], c.bad);
                    if (v < 0 || v > limit)
                        fail = c.text;
                    break;
                }
                case Step::Points: {
                    limit = IsBitRow(*c.access, row) ? c.access->maxBits : c.access->maxRegisters;
                    const int64_t v = Number(row[c.col - 1], c.bad);
                    if (v < c.lo || v > limit)
                        fail = c.text;
                    break;
                }
                case Step::LastByte:
                    fail = CheckLastByte(*c.access, row, s < sectionLimits.size() ? sectionLimits[s] : def.byteLimit);
                    break;
                case Step::IpAddress:
                    if (Check_IP_Address(row[c.col - 1]))
                        fail = c.text;
                    break;
                case Step::SplitIp: {
                    uint8_t b[4] = {0, 0, 0, 0};
                    if (Split_IP_Address(row[c.col - 1], b[0], b[1], b[2], b[3]))
                        fail = c.text;
                    break;
                }
                case Step::Alnum:
                case Step::NameForm:
                    if (Check_Alphanumeric(row[c.col - 1], c.step == Step::NameForm ? 1 : 0) == 1)
                        fail = c.text;
                    break;
                case Step::NotReserved:
                    if (IsReservedMibName(row[c.col - 1]))
                        fail = c.text;
                    break;
                case Step::Unique:
                    uniqueTexts.append(row[c.col - 1]);
                    uniqueText = c.text;
                    break;
                case Step::ZeroText:
                    if (row[c.col - 1].trimmed() != QLatin1String("0"))
                        fail = c.text;
                    break;
                case Step::NotBetween: {
                    const int64_t v = Number(row[c.col - 1], c.bad);
                    if (v >= c.lo && v <= c.hi)
                        fail = c.text;
                    break;
                }
                case Step::UniquePair: {
                    const auto key = std::make_pair(Number(row[c.col - 1], c.bad), Number(row[c.col2 - 1], c.bad));
                    const auto [it, added] = pairs.emplace(key, std::make_pair(s, r + 1));
                    if (!added) {
                        fail = c.text;
                        const int page = def.sections[it->second.first].page;
                        tail = (page >= 0 ? Lang(page) : QString()) + EditorText(TextUsedInRow)
                               + QString::number(it->second.second);
                    }
                    break;
                }
                }
                if (fail) {
                    result.ok = false;
                    result.section = int(s);
                    result.row = named ? r + 1 : 0;
                    QString text = named ? Lang(def.errorRow) + QString::number(r + 1) : QString();
                    text += EditorText(fail);
                    if (c.appendLimit)
                        text += QString::number(limit);
                    text += tail;
                    result.message = text;
                    return result;
                }
            }
        }
    }
    // Across every section, after every row passed: the message alone.
    for (qsizetype i = 0; i < uniqueTexts.size(); ++i)
        for (qsizetype j = i + 1; j < uniqueTexts.size(); ++j)
            if (uniqueTexts[i] == uniqueTexts[j]) {
                result.ok = false;
                result.row = 0;
                result.message = EditorText(uniqueText);
                return result;
            }
    return result;
}

} // namespace editors
