// Rich cell text on a painter, and the grid's hidden rich document.
#include "controls/grid/rich/rich_draw.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/rich/rtf_subset.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace grid {

void DrawRichText(QPainter& painter, const QRect& rect, const QString& rtf, const QFont& defaultFont,
                  const QColor& selectionText)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QTextDocument doc;
    doc.setDefaultFont(defaultFont);
    doc.setDocumentMargin(0);
    ReadRtf(rtf, doc);
    doc.setTextWidth(rect.width());
    if (selectionText.isValid()) {
        QTextCursor all(&doc);
        all.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setForeground(selectionText);
        all.mergeCharFormat(f);
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.translate(rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, rect.width(), rect.height());
    context.palette.setColor(QPalette::Text, painter.pen().color());
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

QTextDocument& GetRichEdit(TExStringGrid& grid)
{
    if (!grid.RichDocument)
        grid.RichDocument = std::make_shared<QTextDocument>();
    return *static_cast<QTextDocument*>(grid.RichDocument.get());
}

} // namespace grid
