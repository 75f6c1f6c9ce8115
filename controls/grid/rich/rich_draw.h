#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QTextDocument;

namespace grid {

class TExStringGrid;

// Draws RTF as formatted text in rect, clipped to it; defaultFont serves
// where the text names no font or size. A valid selectionText colours all
// of the text (a selected cell).
void DrawRichText(QPainter& painter, const QRect& rect, const QString& rtf, const QFont& defaultFont,
                  const QColor& selectionText = QColor());

// The grid's hidden rich-text document, made on first use: the plain text
// and size of rich cells are taken through it.
QTextDocument& GetRichEdit(TExStringGrid& grid);

} // namespace grid
