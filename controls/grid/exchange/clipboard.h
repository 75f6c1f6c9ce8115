#pragma once
#include "controls/grid/core/grid_types.h"

#include <QString>

#include <memory>

class QClipboard;
class QMimeData;

// Cells as tab-separated text and clipboard content, and pasting them back.
// The text and MIME parts are headless; Copy/Cut/Paste take a clipboard.
namespace grid {

class TExStringGrid;

// Rows end with CR LF (when more than one), cells are separated by TAB; a
// text with line breaks is quoted with each CR LF as one LF.
QString GetRectAsText(TExStringGrid& grid, const TGridRect& rect);
QString GetSelectionAsText(TExStringGrid& grid);

// Columns: the most TAB-separated fields on a line; rows: the CRs less the
// empty lines (an empty last line too), as drops measure it.
void TextCellExtent(const QString& text, int& cols, int& rows);

// Pastes text from (col, row) into editable cells inside the grid; the
// number of fields read (also those that stay outside).
int PasteTextAtCell(TExStringGrid& grid, int col, int row, int& rows, int& cols, const QString& text);
// Writes text raw from the selection's top-left cell, only inside the grid.
void SetSelectionAsText(TExStringGrid& grid, const QString& text);

// Text, the cell stream (AllowFmtClipboard) and RTF (AllowRTFClipboard).
std::unique_ptr<QMimeData> RectToMimeData(TExStringGrid& grid, const TGridRect& rect);
int PasteMimeDataAtCell(TExStringGrid& grid, int col, int row, int& rows, int& cols, const QMimeData& data);

void CopyToClipboard(TExStringGrid& grid, QClipboard& clipboard);
// The grid as HTML: the HTML document as text/html, the whole clipboard
// envelope (header lines included) as text; no image files are written.
void CopyToClipBoardAsHTML(TExStringGrid& grid, QClipboard& clipboard);
void CopySelectionToClipboard(TExStringGrid& grid, QClipboard& clipboard);
// Copies, then empties the editable cells of the selection.
void CutSelectionToClipboard(TExStringGrid& grid, QClipboard& clipboard);
void PasteFromClipboard(TExStringGrid& grid, const QClipboard& clipboard);
// The smart paste: a value fills the selection, two values continue a series.
void PasteSelectionFromClipboard(TExStringGrid& grid, const QClipboard& clipboard);
void PasteSelection(TExStringGrid& grid, const QMimeData& data);

} // namespace grid
