#include "controls/grid/office/workbook.h"

#include "controls/grid/core/grid_types.h"

#include <QFile>

#include <algorithm>

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
