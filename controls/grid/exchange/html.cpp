#include "controls/grid/exchange/html.h"

#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/html/mini_html_markup.h"
#include "platform/text/atomic_file.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace grid {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr TColor kUnknownColor = 0x7FFFFFFF;

HtmlOpener& Opener()
{
    static HtmlOpener opener = [](const QString& fileName) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    };
    return opener;
}

// An attribute value's text between double quotes.
QString AttrEscape(const QString& s)
{
    QString out = s;
    out.replace(u'&', QStringLiteral("&amp;"));
    out.replace(u'"', QStringLiteral("&quot;"));
    out.replace(u'<', QStringLiteral("&lt;"));
    out.replace(u'>', QStringLiteral("&gt;"));
    return out;
}

QString Quoted(const QString& s)
{
    return u'"' + s + u'"';
}

class HtmlWriter
{
public:
    HtmlWriter(TExStringGrid& grid, const QString& dir, const QString& encoding)
        : g_(grid), s_(grid.HTMLSettings), x_(grid.HTMLSettings.XHTML), dir_(dir), encoding_(encoding)
    {
    }

    QString Run()
    {
        const bool fixedCells = g_.SaveFixedCells;
        const int firstCol = fixedCells || g_.SaveFixedCols ? 0 : g_.FixedCols();
        int firstRow = fixedCells || g_.SaveFixedRows ? 0 : g_.FixedRows();
        const bool header = g_.FixedRows() > 0 && (fixedCells || g_.SaveFixedRows);

        QString rows;
        if (header) {
            rows += Tag("TR") + kCrLf;
            for (int c = firstCol; c < g_.ColCount(); ++c)
                rows += CellLine(c, 0, firstCol, true, false);
            rows += Tag("/TR") + kCrLf;
            firstRow = 1;
            image_ = std::max(image_, 1);
        } else {
            image_ = 1;
        }
        g_.ExportNotification(0, firstRow);
        for (int r = firstRow; r < g_.RowCount(); ++r) {
            g_.ExportNotification(1, r);
            rows += Tag("TR") + kCrLf;
            for (int c = firstCol; c < g_.ColCount(); ++c)
                rows += CellLine(c, r, firstCol, false, header);
            rows += Tag("/TR") + kCrLf;
        }
        g_.ExportNotification(2, -1);

        QString out;
        if (x_) {
            out += QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(encoding_) + kCrLf;
            out += QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + kCrLf;
            out += QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + kCrLf;
            out += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + kCrLf;
        }
        out += s_.PrefixTag;
        out += QStringLiteral("<style>") + kCrLf;
        for (qsizetype i = 0; i < styles_.size(); ++i)
            out += QStringLiteral(".c%1 {").arg(i) + styles_[i] + u'}' + kCrLf;
        out += QStringLiteral("</style>") + kCrLf;
        out += TableTag() + kCrLf;
        out += rows;
        out += Tag("/TABLE") + kCrLf;
        if (!s_.SuffixTag.isEmpty())
            out += s_.SuffixTag + kCrLf;
        if (x_)
            out += QStringLiteral("</html>") + kCrLf;
        return out;
    }

private:
    // Upper case in HTML, lower case in XHTML.
    QString Tag(const char* name) const
    {
        const QString n = QString::fromLatin1(name);
        return u'<' + (x_ ? n.toLower() : n) + u'>';
    }
    QString Name(const char* name) const
    {
        const QString n = QString::fromLatin1(name);
        return x_ ? n.toLower() : n;
    }
    // A value after "=": quoted always in XHTML, as the HTML form has it otherwise.
    QString Value(const QString& v, bool quotedInHtml) const { return x_ || quotedInHtml ? Quoted(v) : v; }

    QString TableTag() const
    {
        QString t = u'<' + Name("TABLE") + u' ' + Name("BORDER") + u'=' + Quoted(QString::number(s_.BorderSize)) +
                    u' ' + Name("CELLSPACING") + u'=' + Quoted(QString::number(s_.CellSpacing)) + u' ' +
                    Name("CELLPADDING") + u'=' + Quoted(QString::number(s_.CellPadding)) + u' ';
        if (!s_.Summary.isEmpty())
            t += Name("SUMMARY") + u'=' + Quoted(AttrEscape(s_.Summary)) + u' ';
        if (!s_.TableStyle.isEmpty())
            t += u' ' + s_.TableStyle + u' ';
        t += u' ' + Name("WIDTH") + u'=' + Quoted(QString::number(s_.Width) + u'%') + u'>';
        return t;
    }

    int StyleIndex(const QString& style)
    {
        const qsizetype i = styles_.indexOf(style);
        if (i >= 0)
            return int(i);
        styles_.append(style);
        return int(styles_.size() - 1);
    }

    QString StyleOf(int col, int row, bool header)
    {
        const CellLook look = g_.GetVisualProperties(col, row, {}, false, false, true);
        TColor background = look.Brush.Color;
        if (header || col < g_.FixedCols() || row < g_.FixedRows() || g_.IsFixed(col, row))
            background = g_.FixedColor;
        const auto known = [](TColor c) { return c != kUnknownColor && c != clNone; };
        QStringList parts;
        if (known(background) && s_.SaveColor)
            parts << QStringLiteral("background-color: #") + ColorToHtmlHex(ResolveColor(background));
        if (known(look.Font.Color) && s_.SaveColor)
            parts << QStringLiteral("color: #") + ColorToHtmlHex(ResolveColor(look.Font.Color));
        parts << QStringLiteral("font-size:%1pt").arg(look.Font.Size);
        if (look.Font.Style & fsItalic)
            parts << QStringLiteral("font-style: italic");
        if (look.Font.Style & fsBold)
            parts << QStringLiteral("font-weight: bold");
        QString family = look.Font.Name;
        if (x_) {
            family.replace(u'&', QStringLiteral("&amp;"));
            family.replace(u'<', QStringLiteral("&lt;"));
        }
        parts << QStringLiteral("font-family: ") + family;
        if (look.HAlign == taRightJustify)
            parts << QStringLiteral("text-align: right");
        else if (look.HAlign == taCenter)
            parts << QStringLiteral("text-align: center");
        switch (look.VAlign) {
        case vtaTop:
            parts << QStringLiteral("vertical-align: top");
            break;
        case vtaCenter:
            parts << QStringLiteral("vertical-align: middle");
            break;
        case vtaBottom:
            parts << QStringLiteral("vertical-align: bottom");
            break;
        }
        if (!look.WordWrap)
            nowrap_ = true;
        return parts.join(u';');
    }

    QString CellLine(int col, int row, int firstCol, bool header, bool headerWritten)
    {
        const int real = g_.RealColIndex(col);
        if (g_.IsMergedNonBaseCell(real, row))
            return {};
        nowrap_ = false;
        const int style = StyleIndex(StyleOf(col, row, header));
        QString line = u'<' + Name("TD") + u' ' + QStringLiteral("class=") + Quoted(QStringLiteral("c%1").arg(style));
        const QPoint span = g_.CellSpan(real, row);
        // Hidden columns inside the range take no room in the table.
        int shown = 0;
        for (int d = firstCol; d < g_.ColCount() && span.x() > 0; ++d)
            if (const int r = g_.RealColIndex(d); r >= real && r <= real + span.x())
                ++shown;
        if (shown > 1)
            line += u' ' + Name("COLSPAN") + u'=' + Quoted(QString::number(shown));
        if (span.y() > 0)
            line += u' ' + Name("ROWSPAN") + u'=' + Quoted(QString::number(span.y() + 1));
        if (nowrap_)
            line += x_ ? QStringLiteral(" nowrap=\"nowrap\"") : QStringLiteral(" nowrap");
        const TIntList& widths = s_.ColWidths;
        if (header && col < widths.Count())
            line += u' ' + Name("WIDTH") + u'=' + Value(QString::number(widths.GetInteger(col)), false);
        else if (!header && !headerWritten && col - firstCol < widths.Count())
            line += QStringLiteral(" width=") + Value(QString::number(widths.GetInteger(col - firstCol)), false);
        return line + u'>' + Content(real, row, header) + QStringLiteral("</td>") + kCrLf;
    }

    QString Text(int real, int row, bool header)
    {
        raw_.clear();
        g_.SaveCell(real, row, raw_);
        const QString& raw = raw_;
        QString t = raw;
        // Markup a cell holds as its own HTML is kept; in XHTML every other
        // text has its markup characters escaped so the document stays XML.
        const bool ownHtml = g_.SaveWithHTML && GetTextKind(raw, g_.EnableHTML) == 1;
        if (!header && s_.ConvertSpecialChars)
            t = html::EscapeHtmlText(t, !x_);
        else if (x_ && !ownHtml)
            t = html::EscapeHtmlText(t, false);
        if (!header && s_.NonBreakingText)
            t.replace(u' ', x_ ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;"));
        t.replace(u'\r', x_ ? QStringLiteral("<br />") : QStringLiteral("<br>"));
        if (g_.URLShow() && !t.contains(QStringLiteral("</"))) {
            const qsizetype mail = t.indexOf(QStringLiteral("mailto:"));
            const qsizetype url = t.indexOf(QStringLiteral("://"));
            if (mail >= 0 || url >= 0) {
                QString label = g_.URLFull() ? t : mail >= 0 ? t.mid(mail + 7) : t.mid(url + 3, 255);
                QString address = raw.trimmed();
                address.remove(u'\r').remove(u'\n');
                t = QStringLiteral("<a href=") + Quoted(AttrEscape(address)) + u'>' + label + QStringLiteral("</a>");
            }
        }
        if ((header ? t : t.trimmed()).isEmpty())
            t = x_ ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;");
        return t;
    }

    QString Content(int real, int row, bool header)
    {
        const QString text = Text(real, row, header);
        const TCellGraphic* graphic = s_.ExportImages ? g_.GetCellGraphic(real, row) : nullptr;
        if (!graphic)
            return text;
        TCustomImageList* list = g_.GetGridImages();
        const auto listed = [list](int index) { return list && index >= 0 && index < list->Count; };
        switch (graphic->CellType) {
        case ctBitmap:
        case ctPicture: {
            const QImage image = PictureOf(graphic->CellBitmap.Object());
            return image.isNull() ? text : text + ImageTag(image);
        }
        case ctImageList:
            return listed(graphic->CellIndex) ? ImageTag(ListImage(*list, graphic->CellIndex)) + text : text;
        case ctDataImage: {
            bool ok = false;
            const int index = raw_.trimmed().toInt(&ok);
            return ok && listed(index) ? ImageTag(ListImage(*list, index)) : QString();
        }
        case ctNode:
            return u'+' + text;
        case ctImages: {
            const auto* indices = dynamic_cast<const TIntList*>(graphic->CellBitmap.Object());
            if (!list || !indices)
                return text;
            QString tags;
            for (int i = 0; i < indices->Count(); ++i)
                tags += ImageTag(ListImage(*list, (*indices)[i]));
            return tags + text;
        }
        default:
            return text;
        }
    }

    static QImage PictureOf(const TObject* object)
    {
        const auto* picture = dynamic_cast<const TImagePicture*>(object);
        return picture ? picture->Image : QImage();
    }

    // An entry's own picture; a list that holds none gives a blank picture
    // of its size.
    static QImage ListImage(const TCustomImageList& list, int index)
    {
        QImage image = list.Picture(index);
        if (!image.isNull())
            return image;
        image = QImage(std::max(1, list.Width), std::max(1, list.Height), QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    QString ImageTag(const QImage& picture)
    {
        const QString folder = dir_ + QStringLiteral("images");
        if (!QDir(folder).exists() && !QDir().mkpath(folder))
            throw GridError(QStringLiteral("Cannot create ") + folder);
        const QString path = folder + QStringLiteral("/img%1.jpg").arg(image_++);
        // Drawn onto a new opaque picture, since JPEG has no transparency.
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        {
            QPainter painter(&flat);
            painter.drawImage(0, 0, picture);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QString error;
        if (!flat.save(&buffer, "JPG"))
            throw GridError(QStringLiteral("Cannot Create file ") + path);
        if (!WriteFileAtomically(path, bytes, &error))
            throw GridError(error);
        const QString src = Quoted(AttrEscape(QStringLiteral("file://") + path));
        return x_ ? QStringLiteral("<img src=") + src + QStringLiteral(" alt=\"\" />")
                  : QStringLiteral("<img src= ") + src + u'>';
    }

    TExStringGrid& g_;
    const THTMLSettings& s_;
    const bool x_;
    const QString dir_;
    const QString encoding_;
    QStringList styles_;
    QString raw_;  // the exported text of the cell being written
    int image_ = 0;
    bool nowrap_ = false;
};

// The lines of a text file as a string list reads them; a missing or
// unreadable file has none when optional, else raises the file error.
QStringList FileLines(const QString& fileName, bool optional)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (optional)
            return {};
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE"))
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    else if (bytes.startsWith("\xEF\xBB\xBF"))
        text = QString::fromUtf8(bytes.mid(3));
    else
        text = QString::fromUtf8(bytes);
    text.replace(kCrLf, QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() && bytes.isEmpty() ? QStringList() : text.split(u'\n');
}

// 7-bit bytes: every other character as a character reference.
QByteArray AsciiWithReferences(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        out.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return out;
}

void WriteHtml(TExStringGrid& grid, const QString& fileName, bool show, bool unicode, bool append)
{
    const THTMLSettings& s = grid.HTMLSettings;
    QStringList lines;
    if (append)
        lines = FileLines(fileName, true);
    if (!s.HeaderFile.isEmpty())
        lines += FileLines(s.HeaderFile, false);
    QString dir = QFileInfo(fileName).absolutePath();
    dir.replace(u'\\', u'/');
    if (!dir.endsWith(u'/'))
        dir += u'/';
    lines += HtmlWriter(grid, dir, unicode ? QStringLiteral("utf-16") : QStringLiteral("utf-8")).Run();
    if (!s.FooterFile.isEmpty())
        lines += FileLines(s.FooterFile, false);

    QString text;
    for (const QString& line : lines)
        text += line + kCrLf;
    QByteArray bytes;
    if (unicode) {
        bytes = QByteArray("\xFF\xFE", 2);
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
    } else {
        bytes = AsciiWithReferences(text);
    }
    QString error;
    if (!WriteFileAtomically(fileName, bytes, &error))
        throw GridError(error);
    if ((show || s.AutoPreview) && Opener())
        Opener()(fileName);
}

} // namespace

HtmlOpener SetHtmlOpener(HtmlOpener opener)
{
    return std::exchange(Opener(), std::move(opener));
}

QString SaveToHTMLString(TExStringGrid& grid, const QString& dir)
{
    return HtmlWriter(grid, dir, QStringLiteral("utf-8")).Run();
}

QString ClipboardHtml(TExStringGrid& grid)
{
    bool& exportImages = grid.HTMLSettings.ExportImages;
    const bool kept = exportImages;
    exportImages = false;
    QString html;
    try {
        html = QString::fromLatin1(AsciiWithReferences(SaveToHTMLString(grid, QString())));
    } catch (...) {
        exportImages = kept;
        throw;
    }
    exportImages = kept;
    MakeClipboardHtml(html);
    return html;
}

void SaveToHTML(TExStringGrid& grid, const QString& fileName, bool show, bool unicode)
{
    WriteHtml(grid, fileName, show, unicode, false);
}

void AppendToHTML(TExStringGrid& grid, const QString& fileName, bool show, bool unicode)
{
    WriteHtml(grid, fileName, show, unicode, true);
}

} // namespace grid
