#include "controls/grid/office/workbook.h"

#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/text_routines.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace grid::office {

std::optional<SheetBounds> Sheet::Used() const
{
    if (Cells.empty())
        return std::nullopt;
    SheetBounds b{Cells.front().Col, Cells.front().Row, Cells.front().Col, Cells.front().Row};
    for (const SheetCell& c : Cells) {
        b.FirstCol = std::min(b.FirstCol, c.Col);
        b.FirstRow = std::min(b.FirstRow, c.Row);
        b.LastCol = std::max(b.LastCol, c.Col);
        b.LastRow = std::max(b.LastRow, c.Row);
    }
    return b;
}

QString NumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

bool IsBuiltInDateFormat(int id)
{
    // Dates and times, and the East Asian date forms.
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

bool IsDateFormatCode(const QString& code)
{
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code[i];
        if (quoted) {
            quoted = ch != u'"';
            continue;
        }
        if (ch == u'"') {
            quoted = true;
        } else if (ch == u'\\' || ch == u'_' || ch == u'*') {
            ++i; // the next character is shown as it is
        } else if (ch == u';') {
            break;
        } else if (ch == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0)
                return false;
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            static const QRegularExpression elapsed(QStringLiteral("^(h+|m+|s+)$"));
            if (elapsed.match(inner).hasMatch())
                return true;
            i = end;
        } else {
            const QChar lower = ch.toLower();
            if (lower == u'y' || lower == u'd' || lower == u'm' || lower == u'h' || lower == u's')
                return true;
        }
    }
    return false;
}

QString DateText(double days)
{
    // Up to 31 December 9999; workbooks have no days before their base.
    if (!std::isfinite(days) || days < 0 || days >= 2958466.0)
        return NumberText(days);
    const double day = std::floor(days);
    const bool hasTime = std::llround((days - day) * 86400.0) != 0;
    if (day == 0)
        return TimeText(days);
    return hasTime ? ShortDateText(days) + u' ' + TimeText(days) : ShortDateText(days);
}

std::optional<double> IsoDays(const QString& text)
{
    static const QDate base(1899, 12, 30);
    const QString t = text.trimmed();
    const QTime time = QTime::fromString(t, Qt::ISODate);
    if (time.isValid() && !t.contains(u'-'))
        return time.msecsSinceStartOfDay() / 86400000.0;
    QDateTime dt = QDateTime::fromString(QString(t).replace(u' ', u'T'), Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime(QDate::fromString(t, Qt::ISODate), QTime(0, 0));
    if (!dt.isValid())
        return std::nullopt;
    return double(base.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

namespace {

enum class Kind { Xlsx, Xls };

// The format by the file's first bytes.
Kind Sniff(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray head = file.read(8);
    if (head.startsWith("PK\x03\x04"))
        return Kind::Xlsx;
    if (head == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
        return Kind::Xls;
    throw GridError(QStringLiteral("Incorrect XLS file"));
}

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

} // namespace

SheetList ReadSheetNames(const QString& fileName)
{
    if (Sniff(fileName) == Kind::Xls)
        return ReadXlsSheetNames(fileName);
    return ReadXlsxSheetNames(ReadAll(fileName));
}

std::optional<Sheet> ReadSheet(const QString& fileName, const std::optional<QString>& name)
{
    if (Sniff(fileName) == Kind::Xls)
        return ReadXlsSheet(fileName, name);
    return ReadXlsxSheet(ReadAll(fileName), name);
}

} // namespace grid::office
