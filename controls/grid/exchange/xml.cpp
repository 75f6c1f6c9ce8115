#include "controls/grid/exchange/xml.h"

#include "controls/grid/core/ex_string_grid.h"
#include "platform/text/atomic_file.h"
#include "platform/text/cp1252.h"

#include <QFile>
#include <QStringEncoder>

#include <pugixml.hpp>

#include <algorithm>

namespace grid {

namespace {

[[noreturn]] void Fail(const QString& text)
{
    throw GridError(text);
}

bool NameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u':';
}

QString EscapeField(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("$amp;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\r':
            // Kept through the parser's line-end handling.
            out += QStringLiteral("&#13;");
            break;
        default:
            // Characters XML cannot hold at all are left out.
            if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n')
                out += c;
        }
    }
    return out;
}

QString UnescapeValue(QString s)
{
    s.replace(QStringLiteral("$amp;"), QStringLiteral("&"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    return s;
}

// The text in the named encoding; what it cannot hold becomes a character
// reference. Names we do not know get plain ASCII, which they all share.
QByteArray EncodeAs(const QString& text, const QString& encoding)
{
    const QString name = encoding.trimmed().toLower();
    if (name == u"utf-8" || name == u"utf8")
        return text.toUtf8();
    int limit = 0x7F;
    if (name == u"iso-8859-1" || name == u"latin1" || name == u"iso_8859-1")
        limit = 0xFF;
    const bool cp1252 = name == u"windows-1252" || name == u"cp1252";
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() <= 0x7F || (c.unicode() <= limit && !cp1252)) {
            out.append(char(c.unicode()));
            continue;
        }
        if (cp1252) {
            const QByteArray b = StringToCp1252(QString(c));
            if (b != "?" && Cp1252ToString(b) == QString(c)) {
                out.append(b);
                continue;
            }
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        out.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return out;
}

struct Layout
{
    TExStringGrid& grid;
    bool levelToRow;
    bool loadFieldDescr;
    int SC;
    int SR;
    int C = 0;
    int R = 0;
    int L = 1;
    int MC = 0;
    int MR = 0;
    bool headers = false;

    bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col < kMaxColumns && row < kMaxRows; }

    void Grow()
    {
        if (!Inside(C + SC, R + SR))
            return;
        if (grid.ColCount() < C + SC + 1)
            grid.SetColCount(C + SC + 1);
        if (grid.RowCount() < R + SR + 1)
            grid.SetRowCount(R + SR + 1);
    }

    void Header(const QString& name)
    {
        if (headers && Inside(C + SC, 0) && grid.GridCells(C + SC, 0).isEmpty())
            grid.LoadCell(C + SC, 0, name);
    }

    void Store(const QString& text, bool track)
    {
        const int col = C + SC;
        const int row = R + SR;
        if (!Inside(col, row))
            return;
        grid.LoadCell(col, row, text);
        if (track) {
            MC = std::max(MC, col);
            MR = std::max(MR, row);
        }
    }

    static QString Text(const pugi::xml_node& node)
    {
        QString out;
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            return QString::fromUtf8(node.value());
        for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling())
            out += Text(n);
        return out;
    }

    void Walk(const pugi::xml_node& node, int depth)
    {
        bool moved = false;
        if (node.first_attribute()) {
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
                Grow();
                if (headers && Inside(C + SC, 0) && grid.GridCells(C + SC, 0).isEmpty())
                    grid.LoadCell(C + SC, 0, QString::fromUtf8(a.name()));
                Store(UnescapeValue(QString::fromUtf8(a.value())), true);
                ++C;
            }
            if (levelToRow) {
                ++R;
                C = L;
                moved = true;
            }
        }
        int children = 0;
        for (pugi::xml_node n = node.first_child(); n && children < 2; n = n.next_sibling())
            ++children;
        if (children > 1 && depth < 256) {
            if (levelToRow && !moved) {
                ++R;
                C = 0;
            }
            ++L;
            for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling())
                Walk(n, depth + 1);
        } else if (children == 0 && node.type() == pugi::node_element) {
            Store(QString(), false);
            ++C;
        } else {
            Grow();
            if (loadFieldDescr)
                Header(QString::fromUtf8(node.name()));
            QString text = UnescapeValue(Text(node));
            if (grid.QuoteEmptyCells && text == u"\"\"")
                text.clear();
            Store(text, true);
            ++C;
        }
    }
};

} // namespace

bool IsXmlName(const QString& name)
{
    if (name.isEmpty() || !NameStart(name[0]))
        return false;
    for (QChar c : name)
        if (!NameStart(c) && !c.isDigit() && c != u'-' && c != u'.' && !c.isMark())
            return false;
    return true;
}

QByteArray SaveToXMLBytes(TExStringGrid& grid, const QString& listDescr, const QString& recordDescr,
                          const QStringList* fieldDescr, bool exportEmptyCells)
{
    const int hidden = grid.SaveHiddenCells ? grid.NumHiddenColumns() : 0;
    const int firstCol = grid.SaveStartCol();
    const int lastCol = grid.SaveEndCol() + hidden;
    auto tag = [&](int k) {
        return fieldDescr && fieldDescr->size() > k ? fieldDescr->at(k) : QStringLiteral("FIELD%1").arg(k);
    };
    for (const QString& name : {listDescr, recordDescr})
        if (!IsXmlName(name))
            Fail(QStringLiteral("Invalid XML tag name \"%1\"").arg(name));
    for (int c = firstCol; c <= lastCol; ++c)
        if (!IsXmlName(tag(c - firstCol)))
            Fail(QStringLiteral("Invalid XML tag name \"%1\"").arg(tag(c - firstCol)));

    const QString crlf = QStringLiteral("\r\n");
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>").arg(grid.XMLEncoding) + crlf;
    out += u'<' + listDescr + u'>' + crlf;
    grid.ExportNotification(0, grid.SaveStartRow());
    int lastProgress = -1;
    for (int r = grid.SaveStartRow(); r <= grid.SaveEndRow(); ++r) {
        grid.ExportNotification(1, r);
        out += u'<' + recordDescr + u'>' + crlf;
        for (int c = firstCol; c <= lastCol; ++c) {
            const int s = grid.SaveHiddenCells ? c : grid.RealColIndex(c);
            if (grid.IsMergedNonBaseCell(s, r))
                continue;
            QString text;
            grid.SaveCell(s, r, text);
            if (text.isEmpty() && !exportEmptyCells)
                continue;
            if (text.isEmpty() && grid.QuoteEmptyCells)
                text = QStringLiteral("\"\"");
            const QString t = tag(c - firstCol);
            out += u'<' + t + u'>' + EscapeField(text) + QStringLiteral("</") + t + u'>' + crlf;
        }
        out += QStringLiteral("</") + recordDescr + u'>' + crlf;
        if (grid.OnFileProgress) {
            const int p = qRound(double(r - grid.SaveStartRow()) /
                                 std::max(1, grid.SaveEndRow() - grid.SaveStartRow()) * 100);
            if (p != lastProgress) {
                lastProgress = p;
                grid.OnFileProgress(&grid, qint16(p));
            }
        }
    }
    out += QStringLiteral("</") + listDescr + u'>' + crlf;
    grid.ExportNotification(2, -1);
    return EncodeAs(out, grid.XMLEncoding);
}

void SaveToXML(TExStringGrid& grid, const QString& fileName, const QString& listDescr, const QString& recordDescr,
               const QStringList* fieldDescr, bool exportEmptyCells)
{
    const QByteArray bytes = SaveToXMLBytes(grid, listDescr, recordDescr, fieldDescr, exportEmptyCells);
    if (!WriteFileAtomically(fileName, bytes))
        Fail(QStringLiteral("Cannot Create file ") + fileName);
}

void LoadFromXMLBytes(TExStringGrid& grid, const QByteArray& bytes, bool levelToRow, bool loadFieldDescr)
{
    // The parser knows Unicode and Latin-1; a Windows-1252 document is
    // turned into UTF-8 first.
    QByteArray buffer = bytes;
    pugi::xml_encoding encoding = pugi::encoding_auto;
    const QByteArray head = bytes.left(100).toLower();
    if (head.startsWith("<?xml") && (head.contains("windows-1252") || head.contains("\"cp1252\""))) {
        buffer = Cp1252ToString(bytes).toUtf8();
        encoding = pugi::encoding_utf8;
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result result =
        doc.load_buffer(buffer.constData(), size_t(buffer.size()), pugi::parse_default, encoding);
    if (!result) {
        const qsizetype offset = std::clamp<qsizetype>(qsizetype(result.offset), 0, buffer.size());
        const qsizetype line = buffer.left(offset).count('\n') + 1;
        Fail(QStringLiteral("XMLDOM Parsing error %1 on line %2").arg(int(result.status)).arg(line));
    }
    const pugi::xml_node root = doc.document_element();
    Layout layout{grid, levelToRow, loadFieldDescr, grid.SaveStartCol(),
                  loadFieldDescr || !(grid.SaveFixedCells || grid.SaveFixedRows) ? grid.FixedRows() : 0};
    layout.MC = layout.SC;
    layout.MR = layout.SR;
    layout.headers = grid.SaveFixedCells || grid.SaveFixedRows;
    grid.BeginUpdate();
    int i = 0;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling(), ++i) {
        layout.C = 0;
        layout.L = 1;
        if (levelToRow && i == 0 && !child.first_attribute())
            layout.R = -1;
        layout.Walk(child, 0);
        if (!levelToRow)
            ++layout.R;
    }
    grid.SetColCount(std::min(kMaxColumns, layout.MC + 1));
    grid.SetRowCount(std::min(kMaxRows, layout.MR + 1));
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

void LoadFromXML(TExStringGrid& grid, const QString& fileName, bool levelToRow, bool loadFieldDescr)
{
    QFile file(fileName);
    if (!file.exists())
        Fail(QStringLiteral("XML file not found"));
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromXMLBytes(grid, file.readAll(), levelToRow, loadFieldDescr);
}

} // namespace grid
