#include "controls/grid/widget/cell_text.h"

#include <QFontMetrics>
#include <QPainter>

namespace grid {

namespace {

int QtFlags(const CellTextFlags& flags)
{
    int f = Qt::TextExpandTabs;
    f |= flags.HAlign == taRightJustify ? Qt::AlignRight : flags.HAlign == taCenter ? Qt::AlignHCenter
                                                                                     : Qt::AlignLeft;
    f |= flags.VAlign == vtaBottom ? Qt::AlignBottom : flags.VAlign == vtaCenter ? Qt::AlignVCenter : Qt::AlignTop;
    f |= flags.SingleLine ? Qt::TextSingleLine : Qt::TextWordWrap;
    return f;
}

// CR LF, CR and LF all break a line.
QString NormalizeBreaks(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

} // namespace

int CountTextLines(const QString& text, bool multiline)
{
    if (!multiline)
        return 1;
    return int(text.count(QLatin1Char('\r'))) + 1;
}

QString FirstTextLine(const QString& text)
{
    const qsizetype cut = std::min(text.indexOf(QLatin1Char('\r')) < 0 ? text.size() : text.indexOf(QLatin1Char('\r')),
                                   text.indexOf(QLatin1Char('\n')) < 0 ? text.size() : text.indexOf(QLatin1Char('\n')));
    return text.left(cut);
}

void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, const CellTextFlags& flags)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QString shown = NormalizeBreaks(text);
    if (flags.EndEllipsis && flags.SingleLine) {
        const QFontMetrics fm = painter.fontMetrics();
        painter.drawText(rect, QtFlags(flags), fm.elidedText(shown, Qt::ElideRight, rect.width()));
        return;
    }
    // Text drawn into a rectangle is clipped to it.
    painter.drawText(rect, QtFlags(flags), shown);
}

QSize MeasureCellText(const QFontMetrics& metrics, const QRect& rect, const QString& text,
                      const CellTextFlags& flags)
{
    return metrics.boundingRect(rect, QtFlags(flags), NormalizeBreaks(text)).size();
}

} // namespace grid
