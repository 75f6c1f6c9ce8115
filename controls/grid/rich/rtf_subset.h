#pragma once
#include <QString>

class QTextDocument;

// A small RTF subset over QTextDocument: bold, italic, underline, text colour,
// sub- and superscript, paragraphs, line breaks and tabs, \'xx (Windows-1252)
// and \uN. Other destinations (font and style tables, pictures, fields'
// instructions, \* groups) are skipped, other control words ignored.
namespace grid {

class TExStringGrid;

// True when text starts as an RTF document ("{\rtf").
bool IsRtfText(const QString& text);

// Replaces doc's content. Each character of rtf stands for one byte.
void ReadRtf(const QString& rtf, QTextDocument& doc);
// 7-bit text: characters past ASCII as \uN with "?" for older readers.
QString WriteRtf(const QTextDocument& doc);

// The cell (real column) into doc: RTF is read, other text taken as plain, an
// empty cell clears doc.
void CellToRich(const TExStringGrid& grid, int col, int row, QTextDocument& doc);
// doc as RTF; an empty document gives an empty text.
QString RichToString(const QTextDocument& doc);
void RichToCell(TExStringGrid& grid, int col, int row, const QTextDocument& doc);

} // namespace grid
