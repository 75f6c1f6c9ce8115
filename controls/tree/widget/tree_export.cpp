#include "controls/tree/widget/tree_export.h"

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_colors.h"
#include "controls/tree/widget/tree_header_bar.h"

#include <QFontInfo>
#include <QPainter>

#include <cmath>
#include <map>
#include <vector>

namespace lazytree {

namespace {

// A growing buffer: room is added in multiples of 4096 characters.
template <class S>
class GrowBuffer {
public:
    void Add(const S& text)
    {
        if (text.isEmpty())
            return;
        if (text.size() >= data_.capacity() - data_.size())
            data_.reserve(data_.capacity() + ((text.size() + 4095) / 4096) * 4096);
        data_ += text;
    }
    void AddNewLine() { Add(S("\r\n")); }
    const S& AsString() const { return data_; }

private:
    S data_;
};
using TextBuffer = GrowBuffer<QString>;
using ByteBuffer = GrowBuffer<QByteArray>;

// The nodes of a source, in tree order.
class SourceWalk {
public:
    SourceWalk(TCustomLazyStringTree& tree, TVSTTextSourceType source) : tree_(tree), source_(source) {}
    PLazyNode First()
    {
        switch (source_) {
        case tstInitialized: return tree_.GetFirstInitialized();
        case tstSelected: return tree_.GetFirstSelected();
        case tstCutCopySet: return tree_.GetFirstCutCopy();
        case tstVisible: return tree_.GetFirstVisible(nullptr, true);
        case tstChecked: return tree_.GetFirstChecked();
        case tstAll: break;
        }
        return tree_.GetFirst();
    }
    PLazyNode Next(PLazyNode node)
    {
        switch (source_) {
        case tstInitialized: return tree_.GetNextInitialized(node);
        case tstSelected: return tree_.GetNextSelected(node);
        case tstCutCopySet: return tree_.GetNextCutCopy(node);
        case tstVisible: return tree_.GetNextVisible(node, true);
        case tstChecked: return tree_.GetNextChecked(node);
        case tstAll: break;
        }
        return tree_.GetNext(node);
    }

private:
    TCustomLazyStringTree& tree_;
    TVSTTextSourceType source_;
};

bool PassesExportMode(TCustomLazyStringTree& tree, PLazyNode node)
{
    switch (tree.TreeOptions().ExportMode()) {
    case emChecked: return node->CheckState == csCheckedNormal;
    case emUnchecked: return node->CheckState == csUncheckedNormal;
    case emVisibleDueToExpansion: return node->Parent->States.Has(vsExpanded);
    case emSelected: return node->States.Has(vsSelected);
    case emAll: break;
    }
    return true;
}

// One export operation of the tree; it stops taking nodes once cancelled.
class ExportOperation {
public:
    explicit ExportOperation(TBaseLazyTree& tree) : tree_(tree) { tree_.BeginOperation(okExport); }
    ~ExportOperation() { tree_.EndOperation(okExport); }
    bool Cancelled() const { return tree_.OperationCanceled(); }

private:
    TBaseLazyTree& tree_;
};

QString HtmlColor(const QColor& c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString HtmlEscape(const QString& s)
{
    QString result;
    result.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '&': result += QLatin1String("&amp;"); break;
        case '<': result += QLatin1String("&lt;"); break;
        case '>': result += QLatin1String("&gt;"); break;
        case '"': result += QLatin1String("&quot;"); break;
        default: result += c;
        }
    }
    return result;
}

QString HtmlFontStyle(const QFont& font, const QColor& color, const QString& name)
{
    QString s = name.isEmpty() ? QStringLiteral(" style=\"{") : QLatin1Char('.') + name + QLatin1Char('{');
    s += QStringLiteral("font-family: '%1'; ").arg(font.family());
    if (font.pointSize() > 0)
        s += QStringLiteral("font-size: %1pt; ").arg(font.pointSize());
    else
        s += QStringLiteral("font-size: %1px; ").arg(font.pixelSize());
    s += QStringLiteral("font-style: %1; ").arg(font.italic() ? "italic" : "normal");
    s += QStringLiteral("font-weight: %1; ").arg(font.bold() ? "bold" : "normal");
    s += QStringLiteral("text-decoration: %1; ").arg(font.underline() ? "underline" : "none");
    s += QStringLiteral("color: ") + HtmlColor(color) + QStringLiteral(";}");
    if (name.isEmpty())
        s += QLatin1Char('"');
    return s;
}

const char* AlignAttribute(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return " align=right";
    case taCenter: return " align=center";
    default: return " align=left";
    }
}

// The font the paint-text handler leaves for a cell.
QFont CellFont(TCustomLazyStringTree& tree, PLazyNode node, TColumnIndex column, TVSTTextType type, QPainter& painter)
{
    painter.setFont(tree.font());
    painter.setPen(tree.NodeFontColor());
    if (tree.OnPaintText)
        tree.OnPaintText(&tree, &painter, node, column, type);
    return painter.font();
}

TAlignment Mirrored(TAlignment alignment)
{
    if (alignment == taCenter)
        return alignment;
    return alignment == taLeftJustify ? taRightJustify : taLeftJustify;
}

struct CellTexts {
    QString text;
    QString staticText;
};

CellTexts QueryCell(TCustomLazyStringTree& tree, PLazyNode node, TColumnIndex column, TVTExportType type)
{
    TVSTGetCellTextEventArgs e{node, column, tree.DefaultText(), QString(), type};
    tree.QueryCellText(e);
    return {e.CellText, e.StaticText};
}

// The columns an export walks: the visible ones in display order, or the one pseudo-column NoColumn (the
// tree's alignment and reading order) when the header has none.
class ExportColumns {
public:
    explicit ExportColumns(TCustomLazyStringTree& tree) : tree_(tree), columns_(tree.ColumnHeader().Columns())
    {
        if (columns_.Count() > 0)
            visible_ = columns_.GetVisibleColumns();
        else
            visible_ = {NoColumn};
        main_ = tree.ColumnHeader().MainColumn();
    }
    bool HasColumns() const { return columns_.Count() > 0; }
    const std::vector<TColumnIndex>& Visible() const { return visible_; }
    TColumnIndex Main() const { return main_; }
    TVTColumnOptions Options(TColumnIndex column) const { return columns_[column].Options(); }
    QColor Color(TColumnIndex column) const { return ResolveColor(columns_[column].Color(), tree_.palette()); }
    TAlignment Alignment(TColumnIndex column) const
    {
        return column == NoColumn ? tree_.Alignment() : columns_[column].Alignment();
    }
    bool RightToLeft(TColumnIndex column) const
    {
        return column == NoColumn ? tree_.UseRightToLeftReading() : columns_[column].UseRightToLeftReading();
    }

private:
    TCustomLazyStringTree& tree_;
    const TLazyTreeColumns& columns_;
    std::vector<TColumnIndex> visible_;
    TColumnIndex main_ = NoColumn;
};

void HeaderEvent(const TVTTreeExportEvent& event, TCustomLazyStringTree& tree, TVTExportType type)
{
    if (event)
        event(&tree, type);
}

void ColumnEvent(const TVTColumnExportEvent& event, TCustomLazyStringTree& tree, TVTExportType type, TColumnIndex column)
{
    if (event)
        event(&tree, type, column);
}

bool BeforeNode(TCustomLazyStringTree& tree, TVTExportType type, PLazyNode node)
{
    return !tree.OnBeforeNodeExport || tree.OnBeforeNodeExport(&tree, type, node);
}

QString QuoteField(const QString& text, const QString& separator)
{
    const bool needs = (!separator.isEmpty() && text.contains(separator)) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!needs)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

// ---- HTML ---------------------------------------------------------------------------------------------------

QString ExportToHTML(TCustomLazyStringTree& tree, TVSTTextSourceType source, const QString& caption)
{
    ExportOperation operation(tree);
    TextBuffer out;
    const ExportColumns columns(tree);
    const TTreeHeader& header = tree.ColumnHeader();
    const QString lineStyle = tree.LineStyle() == lsSolid ? QStringLiteral("solid;") : QStringLiteral("dotted;");
    const QString padding = QStringLiteral("padding-left: %1px; padding-right: %1px;").arg(tree.Margin());
    const TVTPaintOptions paint = tree.TreeOptions().PaintOptions();
    const bool horz = paint.Has(toShowHorzGridLines), vert = paint.Has(toShowVertGridLines);

    out.Add(QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"));
    out.Add(QStringLiteral("<style type=\"text/css\">"));
    out.AddNewLine();
    out.Add(HtmlFontStyle(tree.font(), tree.NodeFontColor(), QStringLiteral("default")));
    out.AddNewLine();
    out.Add(HtmlFontStyle(header.QtFont(), ResolveColor(header.Font().Color, tree.palette()), QStringLiteral("header")));
    out.AddNewLine();
    if (horz)
        out.Add(QStringLiteral(".noborder{ border-bottom:1px; border-left: 0px; border-right: 0px; border-top: 1px;"
                               "border-style:")
            + lineStyle);
    else
        out.Add(QStringLiteral(".noborder{border-style: none;"));
    out.Add(padding + QStringLiteral("}"));
    out.AddNewLine();
    out.Add(QStringLiteral(".normalborder {vertical-align: top; "));
    out.Add(vert ? QStringLiteral("border-right: 1px; border-left: 1px; ")
                 : QStringLiteral("border-right: none; border-left:none; "));
    out.Add(horz ? QStringLiteral("border-top: 1px; border-bottom: 1px; ")
                 : QStringLiteral("border-top:none; border-bottom: none;"));
    out.Add(QStringLiteral("border-width: thin; border-style: ") + lineStyle + padding + QStringLiteral("}"));
    out.Add(QStringLiteral("</style>"));
    out.AddNewLine();

    out.Add(QStringLiteral("<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=")
        + HtmlColor(tree.BackGroundColor()) + QLatin1Char(' '));
    if (!caption.isEmpty())
        out.Add(QStringLiteral("caption=\"") + HtmlEscape(caption) + QLatin1Char('"'));
    if (tree.BorderStyle() == bsSingle)
        out.Add(QStringLiteral(" border=\"%1\" frame=box").arg(2));
    out.Add(QStringLiteral(" cellspacing=\"0\">"));
    out.AddNewLine();

    SourceWalk walk(tree, source);
    int maxLevel = 0;
    for (PLazyNode n = walk.First(); n; n = walk.Next(n))
        if (PassesExportMode(tree, n))
            maxLevel = std::max<int>(maxLevel, tree.GetNodeLevel(n));

    if (columns.HasColumns()) {
        HeaderEvent(tree.OnBeforeHeaderExport, tree, etHTML);
        out.Add(QStringLiteral("<tr class=\"header\" style=\"") + padding + QStringLiteral("\">"));
        out.AddNewLine();
        for (TColumnIndex column : columns.Visible()) {
            ColumnEvent(tree.OnBeforeColumnExport, tree, etHTML, column);
            const TLazyTreeColumn& c = header.Columns()[column];
            out.Add(QStringLiteral("<th height=\"%1px\"").arg(header.Height()));
            TAlignment alignment = c.CaptionAlignment();
            if (c.UseRightToLeftReading()) {
                out.Add(QStringLiteral(" dir=\"rtl\""));
                alignment = Mirrored(alignment);
            }
            out.Add(QLatin1String(AlignAttribute(alignment)));
            if (column == columns.Main() && maxLevel > 0)
                out.Add(QStringLiteral(" colspan=\"%1\"").arg(maxLevel + 1));
            out.Add(QStringLiteral(" bgcolor=") + HtmlColor(ResolveColor(clBtnFace, tree.palette())));
            out.Add(QStringLiteral(" width=\"%1px\">").arg(c.Width()));
            out.Add(HtmlEscape(QString::fromStdU16String(c.Text())));
            out.Add(QStringLiteral("</th>"));
            ColumnEvent(tree.OnAfterColumnExport, tree, etHTML, column);
        }
        out.Add(QStringLiteral("</tr>"));
        out.AddNewLine();
        HeaderEvent(tree.OnAfterHeaderExport, tree, etHTML);
    }

    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (PLazyNode node = walk.First(); node && !operation.Cancelled(); node = walk.Next(node)) {
        if (!PassesExportMode(tree, node) || !BeforeNode(tree, etHTML, node))
            continue;
        const int level = static_cast<int>(tree.GetNodeLevel(node));
        const QString height = QString::number(tree.GetNodeHeight(node));
        out.Add(QStringLiteral(" <tr class=\"default\">"));
        out.AddNewLine();
        for (TColumnIndex column : columns.Visible()) {
            const CellTexts texts = QueryCell(tree, node, column, etHTML);
            const QFont cellFont = CellFont(tree, node, column, ttNormal, painter);
            const bool parentColor = !columns.HasColumns() || columns.Options(column).Has(coParentColor);
            const QString columnColor = parentColor ? QString() : HtmlColor(columns.Color(column));
            if (column == columns.Main()) {
                for (int i = 0; i < level; ++i) {
                    if (parentColor)
                        out.Add(i == 0 ? QStringLiteral(" <td height=\"") + height
                                    + QStringLiteral("px\" class=\"normalborder\">&nbsp;</td>")
                                       : QStringLiteral(" <td>&nbsp;</td>"));
                    else
                        out.Add(QStringLiteral("<td class=\"noborder\" width=\"%1\" height=\"").arg(tree.Indent())
                            + height + QStringLiteral("px\" bgcolor=") + columnColor + QStringLiteral(">&nbsp;</td>"));
                }
            }
            if (cellFont != tree.font() || painter.pen().color() != tree.NodeFontColor())
                out.Add(QStringLiteral(" <td class=\"normalborder\" ")
                    + HtmlFontStyle(cellFont, painter.pen().color(), QString()) + QStringLiteral(" height=\"")
                    + height);
            else
                out.Add(QStringLiteral(" <td class=\"normalborder\"  height=\"") + height);
            out.Add(QStringLiteral("px\""));
            TAlignment alignment = columns.Alignment(column);
            if (columns.RightToLeft(column)) {
                out.Add(QStringLiteral(" dir=\"rtl\""));
                alignment = Mirrored(alignment);
            }
            out.Add(QLatin1String(AlignAttribute(alignment)));
            if (column == columns.Main() && level < maxLevel)
                out.Add(QStringLiteral(" colspan=\"%1\"").arg(maxLevel - level + 1));
            if (!parentColor)
                out.Add(QStringLiteral(" bgcolor=") + columnColor);
            out.Add(QStringLiteral(">"));
            out.Add(HtmlEscape(texts.text));
            if (!texts.staticText.isEmpty() && tree.StringOptions().Has(toShowStaticText))
                out.Add(QLatin1Char(' ') + HtmlEscape(texts.staticText));
            out.Add(QStringLiteral("</td>"));
        }
        if (tree.OnAfterNodeExport)
            tree.OnAfterNodeExport(&tree, etHTML, node);
        out.Add(QStringLiteral(" </tr>"));
        out.AddNewLine();
    }
    out.Add(QStringLiteral("</table>"));
    return out.AsString();
}

QByteArray AddClipboardHtmlHeader(const QByteArray& fragment)
{
    const QByteArray prefix = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
                              "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
                              "</head><body><!--StartFragment-->";
    const QByteArray suffix = "<!--EndFragment--></body></html>";
    constexpr int headerLength = 97;
    const qsizetype startFragment = headerLength + prefix.size();
    const qsizetype endFragment = startFragment + fragment.size();
    const qsizetype endHtml = endFragment + suffix.size();
    QByteArray out;
    out.reserve(endHtml);
    out += "Version:1.0\r\n";
    out += QStringLiteral("StartHTML:%1\r\n").arg(headerLength, 8, 10, QLatin1Char('0')).toLatin1();
    out += QStringLiteral("EndHTML:%1\r\n").arg(endHtml, 8, 10, QLatin1Char('0')).toLatin1();
    out += QStringLiteral("StartFragment:%1\r\n").arg(startFragment, 8, 10, QLatin1Char('0')).toLatin1();
    out += QStringLiteral("EndFragment:%1\r\n").arg(endFragment, 8, 10, QLatin1Char('0')).toLatin1();
    out += prefix + fragment + suffix;
    return out;
}

// ---- RTF ------------------------------------------------------------------------------------------------------

int PixelsToTwips(int pixels, int dpi)
{
    return static_cast<int>(std::nearbyint(double(pixels) * 1440.0 / double(dpi > 0 ? dpi : 96)));
}

QByteArray RtfPaperSize(const QLocale& locale)
{
    return locale.measurementSystem() == QLocale::MetricSystem ? "\\paperw16840\\paperh11907"
                                                                : "\\paperw15840\\paperh12240";
}

namespace {

class RtfWriter {
public:
    void AddText(const QString& text, const QFont& font, const QColor& color)
    {
        if (text.isEmpty())
            return;
        if (font.underline())
            body_.Add("\\ul");
        if (font.italic())
            body_.Add("\\i");
        if (font.bold())
            body_.Add("\\b");
        if (font.family() != currentFont_) {
            currentFont_ = font.family();
            qsizetype index = fonts_.indexOf(currentFont_);
            if (index < 0) {
                fonts_ << currentFont_;
                index = fonts_.size() - 1;
            }
            body_.Add("\\f" + QByteArray::number(index));
        }
        if (color.rgb() != currentColor_) {
            currentColor_ = color.rgb();
            qsizetype index = colors_.indexOf(currentColor_);
            if (index < 0) {
                colors_ << currentColor_;
                index = colors_.size() - 1;
            }
            body_.Add("\\cf" + QByteArray::number(index + 1));
        }
        const int size = QFontInfo(font).pointSize();
        if (size != currentSize_) {
            currentSize_ = size;
            body_.Add("\\fs" + QByteArray::number(2 * size));
        }
        body_.Add(" ");
        for (QChar c : text) {
            if (c == QLatin1Char('\n'))
                body_.Add("{\\par}");
            else if (c != QLatin1Char('\r'))
                body_.Add("\\u" + QByteArray::number(int(int16_t(c.unicode()))) + "\\'3f");
        }
        if (font.underline())
            body_.Add("\\ul0");
        if (font.italic())
            body_.Add("\\i0");
        if (font.bold())
            body_.Add("\\b0");
    }
    ByteBuffer& Body() { return body_; }
    QByteArray Document(const QLocale& locale) const
    {
        ByteBuffer doc;
        doc.Add("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl");
        for (qsizetype i = 0; i < fonts_.size(); ++i)
            doc.Add("{\\f" + QByteArray::number(i) + " " + fonts_[i].toLocal8Bit() + ";}");
        doc.Add("}{\\colortbl;");
        for (QRgb c : colors_)
            doc.Add("\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue"
                + QByteArray::number(qBlue(c)) + ";");
        doc.Add("}");
        doc.Add(RtfPaperSize(locale));
        doc.Add("\\margl720\\margr720\\margt720\\margb720");
        doc.Add(body_.AsString());
        doc.Add("}");
        return doc.AsString();
    }

private:
    ByteBuffer body_;
    QStringList fonts_;
    QList<QRgb> colors_;
    QString currentFont_;
    QRgb currentColor_ = 0x01000000; // none yet (no colour has this value)
    int currentSize_ = -1;
};

} // namespace

QByteArray ExportToRTF(TCustomLazyStringTree& tree, TVSTTextSourceType source)
{
    ExportOperation operation(tree);
    const ExportColumns columns(tree);
    const TTreeHeader& header = tree.ColumnHeader();
    const int dpi = tree.logicalDpiX();
    RtfWriter rtf;
    ByteBuffer& body = rtf.Body();
    body.Add("\\uc1\\trowd\\trgaph70");
    if (columns.HasColumns()) {
        int right = 0;
        for (TColumnIndex column : columns.Visible()) {
            right += header.Columns()[column].Width();
            body.Add("\\cellx" + QByteArray::number(PixelsToTwips(right, dpi)));
        }
        HeaderEvent(tree.OnBeforeHeaderExport, tree, etRTF);
        body.Add("\\pard\\intbl");
        const QFont headerFont = header.QtFont();
        const QColor headerColor = ResolveColor(header.Font().Color, tree.palette());
        for (TColumnIndex column : columns.Visible()) {
            ColumnEvent(tree.OnBeforeColumnExport, tree, etRTF, column);
            const TLazyTreeColumn& c = header.Columns()[column];
            TAlignment alignment = c.CaptionAlignment();
            if (c.UseRightToLeftReading())
                alignment = Mirrored(alignment);
            body.Add(alignment == taRightJustify ? "\\qr" : alignment == taCenter ? "\\qc" : "\\ql");
            rtf.AddText(QString::fromStdU16String(c.Text()), headerFont, headerColor);
            body.Add("\\cell");
            ColumnEvent(tree.OnAfterColumnExport, tree, etRTF, column);
        }
        body.Add("\\row");
        HeaderEvent(tree.OnAfterHeaderExport, tree, etRTF);
    } else {
        body.Add("\\cellx" + QByteArray::number(PixelsToTwips(tree.ClientWidth(), dpi)));
    }

    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    SourceWalk walk(tree, source);
    for (PLazyNode node = walk.First(); node && !operation.Cancelled(); node = walk.Next(node)) {
        if (!PassesExportMode(tree, node) || !BeforeNode(tree, etRTF, node))
            continue;
        const uint32_t level = tree.GetNodeLevel(node);
        for (TColumnIndex column : columns.Visible()) {
            const CellTexts texts = QueryCell(tree, node, column, etRTF);
            body.Add("\\pard\\intbl");
            TAlignment alignment = columns.Alignment(column);
            if (columns.RightToLeft(column))
                alignment = Mirrored(alignment);
            if (alignment == taRightJustify)
                body.Add("\\qr");
            else if (alignment == taCenter)
                body.Add("\\qc");
            const QFont cellFont = CellFont(tree, node, column, ttNormal, painter);
            const QColor cellColor = painter.pen().color();
            if (column == columns.Main() && level > 0) {
                for (uint32_t i = 0; i < level; ++i)
                    body.Add("\\tab");
                body.Add(" ");
            }
            rtf.AddText(texts.text, cellFont, cellColor);
            if (!texts.staticText.isEmpty() && tree.StringOptions().Has(toShowStaticText)) {
                const QFont staticFont = CellFont(tree, node, column, ttStatic, painter);
                rtf.AddText(QLatin1Char(' ') + texts.staticText, staticFont, painter.pen().color());
            }
            body.Add("\\cell");
        }
        body.Add("\\row");
        body.AddNewLine();
        if (tree.OnAfterNodeExport)
            tree.OnAfterNodeExport(&tree, etRTF, node);
    }
    body.Add("\\pard\\par");
    return rtf.Document(QLocale());
}

// ---- Text -------------------------------------------------------------------------------------------------------

QString ExportToText(TCustomLazyStringTree& tree, TVSTTextSourceType source, const QString& separator)
{
    ExportOperation operation(tree);
    const ExportColumns columns(tree);
    SourceWalk walk(tree, source);
    int maxLevel = 0;
    for (PLazyNode n = walk.First(); n; n = walk.Next(n))
        maxLevel = std::max<int>(maxLevel, tree.GetNodeLevel(n));
    const QString filler = separator.repeated(maxLevel);
    const std::vector<TColumnIndex>& visible = columns.Visible();
    TextBuffer out;
    if (columns.HasColumns()) {
        const TLazyTreeColumns& header = tree.ColumnHeader().Columns();
        for (std::size_t i = 0; i < visible.size(); ++i) {
            out.Add(QuoteField(QString::fromStdU16String(header[visible[i]].Text()), separator));
            if (i + 1 < visible.size()) {
                if (visible[i] == columns.Main())
                    out.Add(filler);
                out.Add(separator);
            }
        }
        out.AddNewLine();
    }
    for (PLazyNode node = walk.First(); node && !operation.Cancelled(); node = walk.Next(node)) {
        const int level = static_cast<int>(tree.GetNodeLevel(node));
        for (std::size_t i = 0; i < visible.size(); ++i) {
            const TColumnIndex column = visible[i];
            const CellTexts texts = QueryCell(tree, node, column, etText);
            QString text = texts.text;
            if (columns.HasColumns() && !texts.staticText.isEmpty() && tree.StringOptions().Has(toShowStaticText))
                text += QLatin1Char(' ') + texts.staticText;
            // The level filler stays outside the quotes.
            const bool main = column == columns.Main();
            if (main)
                out.Add(filler.left(level * separator.size()));
            out.Add(QuoteField(text, separator));
            if (main && columns.HasColumns())
                out.Add(filler.left((maxLevel - level) * separator.size()));
            if (i + 1 < visible.size())
                out.Add(separator);
        }
        out.AddNewLine();
    }
    return out.AsString();
}

void ExportToCustom(TCustomLazyStringTree& tree, TVSTTextSourceType source)
{
    ExportOperation operation(tree);
    const ExportColumns columns(tree);
    if (tree.OnBeforeTreeExport)
        tree.OnBeforeTreeExport(&tree, etCustom);
    if (columns.HasColumns() && tree.ColumnHeader().Visible()) {
        HeaderEvent(tree.OnBeforeHeaderExport, tree, etCustom);
        for (TColumnIndex column : columns.Visible())
            for (const TVTColumnExportEvent* event :
                {&tree.OnBeforeColumnExport, &tree.OnColumnExport, &tree.OnAfterColumnExport})
                ColumnEvent(*event, tree, etCustom, column);
        HeaderEvent(tree.OnAfterHeaderExport, tree, etCustom);
    }
    SourceWalk walk(tree, source);
    for (PLazyNode node = walk.First(); node && !operation.Cancelled(); node = walk.Next(node)) {
        if (!PassesExportMode(tree, node))
            continue;
        for (const TVTNodeExportEvent* event : {&tree.OnBeforeNodeExport, &tree.OnNodeExport, &tree.OnAfterNodeExport})
            if (*event)
                (*event)(&tree, etCustom, node);
    }
    if (tree.OnAfterTreeExport)
        tree.OnAfterTreeExport(&tree, etCustom);
}

QString CsvSeparator(const QLocale& locale)
{
    return locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

} // namespace lazytree
