#pragma once
#include "controls/grid/office/sheet_address.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Worksheets read from .xlsx (our own reader) and .xls (FreeXL) files: names,
// the active sheet, cell values as texts. Read-only; nothing here writes.
namespace grid::office {

struct SheetCell
{
    int Row = 1; // 1-based
    int Col = 1; // 1-based
    QString Text;
    bool Error = false; // an error value: in the used range, never loaded
};

struct Sheet
{
    QString Name;
    std::vector<SheetCell> Cells;
    // The cells that hold a value; none for an empty sheet.
    std::optional<SheetBounds> Used() const;
};

struct SheetList
{
    QStringList Names;
    int Active = 0; // the sheet the file marks active, else 0
};

// Upper bound of the bytes one package part may unpack to.
inline constexpr qint64 kMaxPartBytes = qint64(512) << 20;

// The file's format is taken from its first bytes, not from its name. A file
// that cannot be opened gives "Cannot open file ..."; one that is not a
// readable workbook "Incorrect XLS file" (GridError).
SheetList ReadSheetNames(const QString& fileName);
// The sheet named (the last of that name; none: nullopt), or the active one.
std::optional<Sheet> ReadSheet(const QString& fileName, const std::optional<QString>& name);

// The same for the bytes of an .xlsx package.
SheetList ReadXlsxSheetNames(const QByteArray& bytes);
std::optional<Sheet> ReadXlsxSheet(const QByteArray& bytes, const std::optional<QString>& name);

// The same for an .xls file on disk (FreeXL reads files only).
SheetList ReadXlsSheetNames(const QString& fileName);
std::optional<Sheet> ReadXlsSheet(const QString& fileName, const std::optional<QString>& name);

// A number as text: up to 15 significant digits, no trailing zeros.
QString NumberText(double value);

// Whether a number format shows a date or a time: a built-in format number,
// or a format code (its first section; quoted text, escapes and bracketed
// colours and locales ignored, elapsed times counted).
bool IsBuiltInDateFormat(int id);
bool IsDateFormatCode(const QString& code);
// A date cell's value (days from 30 December 1899) as the grid shows dates:
// the short date, then the time when it is not midnight; only the time when
// there is no day. Values below 0 or past 31 December 9999 stay numbers.
QString DateText(double days);
// Days from 30 December 1899 of an ISO 8601 date, date and time, or time of
// day; nullopt for any other text.
std::optional<double> IsoDays(const QString& text);

} // namespace grid::office
