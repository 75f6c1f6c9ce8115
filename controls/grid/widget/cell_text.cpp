#include "controls/grid/widget/cell_text.h"

#include <QFontMetrics>
#include <QFontMetricsF>
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
    // One line is placed by hand (the same place the aligned line layout
    // gives), clipped to the cell only when it does not fit.
    if (flags.SingleLine && !flags.EndEllipsis && !shown.contains(QLatin1Char('\n')) &&
        !shown.contains(QLatin1Char('\t'))) {
        const QFontMetricsF fm(painter.font());
        const qreal width = fm.horizontalAdvance(shown);
        const qreal height = fm.ascent() + fm.descent();
        const qreal x = flags.HAlign == taRightJustify ? rect.x() + rect.width() - width
                        : flags.HAlign == taCenter     ? rect.x() + (rect.width() - width) / 2
                                                       : rect.x();
        const qreal y = flags.VAlign == vtaBottom   ? rect.y() + rect.height() - height
                        : flags.VAlign == vtaCenter ? rect.y() + (rect.height() - height) / 2
                                                    : rect.y();
        const bool fits = width <= rect.width() && height <= rect.height();
        if (!fits) {
            painter.save();
            painter.setClipRect(rect, Qt::IntersectClip);
        }
        painter.drawText(QPointF(x, y + fm.ascent()), shown);
        if (!fits)
            painter.restore();
        return;
    }
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
