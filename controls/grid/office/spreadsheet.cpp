#include "controls/grid/office/spreadsheet.h"

#include "controls/grid/core/ex_string_grid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>

namespace grid::office {

namespace {

constexpr int kSheetRows = 1048576;
constexpr int kSheetCols = 16384;
constexpr qsizetype kMaxCellText = 32767;
// Cells one import may fill (a sparse sheet with far corners fills them all).
constexpr qint64 kMaxImportCells = qint64(1) << 24;

} // namespace

QStringList GetXLSSheets(const QString& fileName)
{
    return ReadSheetNames(fileName).Names;
}

void LoadSheet(TExStringGrid& grid, const Sheet& sheet)
{
    const SheetBounds b = sheet.Used().value_or(SheetBounds{});
    const std::optional<SheetBounds> bounds = ParseUsedRange(QString(u'$') + RangeAddress(b));
    if (!bounds)
        throw GridError(QStringLiteral("Incorrect XLS file"));
    const int cols = bounds->LastCol - bounds->FirstCol + 1;
    const int rows = bounds->LastRow - bounds->FirstRow + 1;
    const int colOffset = (grid.SaveFixedCells || grid.SaveFixedCols) ? 0 : grid.FixedCols();
    const int rowOffset = (grid.SaveFixedCells || grid.SaveFixedRows) ? 0 : grid.FixedRows();
    if (cols + colOffset > kMaxColumns || rows + rowOffset > kMaxRows || qint64(cols) * rows > kMaxImportCells)
        throw GridError(QStringLiteral("The worksheet has %1 columns and %2 rows: more than the grid can hold")
                            .arg(cols)
                            .arg(rows));

    // The cells by place, the last of a place winning.
    std::vector<const SheetCell*> cells;
    cells.reserve(sheet.Cells.size());
    for (const SheetCell& c : sheet.Cells)
        cells.push_back(&c);
    std::stable_sort(cells.begin(), cells.end(), [](const SheetCell* a, const SheetCell* b) {
        return a->Row != b->Row ? a->Row < b->Row : a->Col < b->Col;
    });

    const int fixedCols = grid.FixedCols();
    const int fixedRows = grid.FixedRows();
    grid.BeginUpdate();
    grid.SetColCount(cols + colOffset);
    grid.SetRowCount(rows + rowOffset);
    if (fixedCols < grid.ColCount())
        grid.SetFixedCols(fixedCols);
    if (fixedRows < grid.RowCount())
        grid.SetFixedRows(fixedRows);
    size_t next = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const SheetCell* cell = nullptr;
            while (next < cells.size() && cells[next]->Row == bounds->FirstRow + r
                   && cells[next]->Col == bounds->FirstCol + c)
                cell = cells[next++];
            // An error value is not loaded.
            if (cell && cell->Error)
                continue;
            grid.LoadCell(colOffset + c, rowOffset + r, cell ? cell->Text : QString());
        }
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

void LoadFromXLS(TExStringGrid& grid, const QString& fileName)
{
    const std::optional<Sheet> sheet = ReadSheet(fileName, std::nullopt);
    LoadSheet(grid, *sheet);
}

void LoadFromXLSSheet(TExStringGrid& grid, const QString& fileName, const QString& sheetName)
{
    const std::optional<Sheet> sheet = ReadSheet(fileName, sheetName);
    if (!sheet)
        throw GridError(QStringLiteral("Excel worksheet %1 not found").arg(sheetName));
    LoadSheet(grid, *sheet);
}

QString ExportRangeAddress(TExStringGrid& grid, int startRow)
{
    const int cols = grid.ColCount() - grid.SaveStartCol();
    const int rows = grid.RowCount() - grid.SaveStartRow();
    return QStringLiteral("A%1:%2%3").arg(startRow).arg(ColumnLetters(cols)).arg(startRow + rows - 1);
}

namespace {

// The exported texts, row by row, CRs removed.
std::vector<QStringList> ExportedTexts(TExStringGrid& grid)
{
    const int firstCol = grid.SaveStartCol();
    const int firstRow = grid.SaveStartRow();
    std::vector<int> cols;
    for (int c = firstCol; c < grid.ColCount(); ++c)
        cols.push_back(grid.RealColIndex(c));
    std::vector<QStringList> out;
    out.reserve(size_t(std::max(0, grid.RowCount() - firstRow)));
    grid.ExportNotification(0, firstRow);
    for (int r = firstRow; r < grid.RowCount(); ++r) {
        grid.ExportNotification(1, r);
        QStringList line;
        line.reserve(qsizetype(cols.size()));
        for (int c : cols) {
            QString value;
            grid.SaveCell(c, r, value);
            value.remove(u'\r');
            line << value;
        }
        out.push_back(std::move(line));
    }
    grid.ExportNotification(2, -1);
    return out;
}

[[noreturn]] void WriteFailed(const QString& fileName, const QString& why)
{
    throw GridError(QStringLiteral("Cannot write the workbook %1: %2").arg(fileName, why));
}

// Closes the workbook (and so writes it) unless already closed.
struct WorkbookCloser
{
    lxw_workbook* Book;
    ~WorkbookCloser()
    {
        if (Book)
            workbook_close(Book);
    }
};

void WriteWorkbook(TExStringGrid& grid, const QString& fileName, const QString& sheetName)
{
    if (QFileInfo::exists(fileName))
        throw GridError(QStringLiteral("The workbook %1 exists and is left unchanged: only new workbooks are written")
                            .arg(fileName));
    const int cols = grid.ColCount() - grid.SaveStartCol();
    const int rows = grid.RowCount() - grid.SaveStartRow();
    if (cols > kSheetCols || rows > kSheetRows)
        WriteFailed(fileName, QStringLiteral("%1 columns and %2 rows do not fit on a worksheet").arg(cols).arg(rows));
    const std::vector<QStringList> texts = ExportedTexts(grid);
    for (const QStringList& line : texts)
        for (const QString& text : line)
            if (text.size() > kMaxCellText)
                WriteFailed(fileName, QStringLiteral("a text is longer than a worksheet cell holds"));

    // Written beside the target, then moved to its name.
    const QFileInfo target(fileName);
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temp.open())
        WriteFailed(fileName, temp.errorString());
    const QString tempName = temp.fileName();
    temp.close();

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    WorkbookCloser book{workbook_new_opt(QFile::encodeName(tempName).constData(), &options)};
    if (!book.Book)
        WriteFailed(fileName, QStringLiteral("the workbook cannot be made"));
    lxw_worksheet* sheet = workbook_add_worksheet(book.Book, sheetName.isEmpty() ? nullptr : sheetName.toUtf8().constData());
    if (!sheet)
        throw GridError(QStringLiteral("Cannot name a worksheet \"%1\"").arg(sheetName));
    for (size_t r = 0; r < texts.size(); ++r)
        for (qsizetype c = 0; c < texts[r].size(); ++c) {
            if (texts[r][c].isEmpty())
                continue;
            const lxw_error e = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), texts[r][c].toUtf8().constData(), nullptr);
            if (e != LXW_NO_ERROR)
                WriteFailed(fileName, QString::fromUtf8(lxw_strerror(e)));
        }
    const lxw_error closed = workbook_close(book.Book);
    book.Book = nullptr;
    if (closed != LXW_NO_ERROR)
        WriteFailed(fileName, QString::fromUtf8(lxw_strerror(closed)));
    // rename() keeps a file that appeared meanwhile: nothing is overwritten.
    if (!QFile::rename(tempName, fileName))
        WriteFailed(fileName, QStringLiteral("the file cannot be put in place"));
    temp.setAutoRemove(false);
}

} // namespace

void SaveToXLS(TExStringGrid& grid, const QString& fileName, bool /*createNewSheet*/)
{
    WriteWorkbook(grid, fileName, QString());
}

void SaveToXLSSheet(TExStringGrid& grid, const QString& fileName, const QString& sheetName)
{
    WriteWorkbook(grid, fileName, sheetName);
}

} // namespace grid::office
