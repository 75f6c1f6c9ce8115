#include "editors/table_codec.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/table_rows.h"
#include "xml_document.h"

#include <QFileInfo>

namespace editors {

TableData EmptyTable(const TableDef& def, int rowCount)
{
    TableData t;
    for (size_t s = 0; s < def.sections.size(); ++s) {
        QStringList row;
        for (const ColumnDef& c : ColumnsOf(def, s))
            row.append(QString::fromUtf8(c.initial));
        t.sections.emplace_back(size_t(std::max(rowCount, 0)), row);
    }
    return t;
}

namespace {

QString SectionName(const SectionDef& s)
{
    return s.name ? QString::fromLatin1(s.name) : QString();
}

void ReadRow(const TableDef& def, size_t section, const TableRow& reader, const pugi::xml_node& node,
             QStringList& cells)
{
    const std::vector<ColumnDef>& columns = ColumnsOf(def, section);
    for (int c = 0; c < int(columns.size()); ++c) {
        const ColumnDef& col = columns[size_t(c)];
        if (!col.readDefault) {
            cells[c] = reader.RequiredText(col.attr);
            continue;
        }
        QString text;
        if (!reader.Text(col.attr, text) || (col.emptyTakesDefault && text.isEmpty()))
            text = QString::fromUtf8(col.readDefault);
        cells[c] = text;
    }
    if (def.readRow)
        def.readRow(node, cells);
}

} // namespace

LoadResult ReadTable(const TableDef& def, const QByteArray& bytes, const QString& fileName, TableData& table)
{
    LoadResult result;
    result.exists = true;
    XmlDocument doc;
    if (!doc.LoadBytes(bytes, fileName)) {
        result.complete = false;
        result.message = doc.ErrorText();
        return result;
    }
    const pugi::xml_node root = doc.Root();
    if (root.type() != pugi::node_element || QString::fromUtf8(root.name()) != QLatin1String(def.root)) {
        result.complete = false;
        result.message = QStringLiteral("%1: the first element is not \"%2\".").arg(fileName, QLatin1String(def.root));
        return result;
    }
    try {
        for (size_t s = 0; s < def.sections.size(); ++s) {
            const SectionDef& sec = def.sections[s];
            const pugi::xml_node parent = sec.name ? Required_Section(fileName, root, sec.name) : root;
            std::vector<QStringList>& rows = table.sections[s];
            int i = 0;
            for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
                if (child.type() != pugi::node_element)
                    continue;
                if (i >= int(rows.size()))
                    Table_Limit(fileName, SectionName(sec), int(rows.size()));
                const TableRow reader(fileName, SectionName(sec), i, child);
                ReadRow(def, s, reader, child, rows[size_t(i)]);
                ++i;
            }
        }
    } catch (const CompileError& e) {
        result.complete = false;
        result.message = e.Message();
    }
    return result;
}

LoadResult LoadTable(const TableDef& def, const QString& path, TableData& table)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult r;
        r.exists = true;
        r.complete = false;
        r.message = QStringLiteral("%1: %2").arg(path, file.errorString());
        return r;
    }
    return ReadTable(def, file.readAll(), path, table);
}

bool RowUsed(const TableDef& def, const std::vector<QStringList>& rows, int r)
{
    if (def.used == Used::All)
        return true;
    const QString& cell = rows[size_t(r)][def.usedCol - 1];
    return def.used == Used::Trimmed ? !cell.trimmed().isEmpty() : !cell.isEmpty();
}

int UsedRows(const TableDef& def, const std::vector<QStringList>& rows)
{
    int n = 0;
    while (n < int(rows.size()) && RowUsed(def, rows, n))
        ++n;
    return n;
}

bool DataBelowUsedRows(const TableDef& def, const TableData& table)
{
    for (size_t s = 0; s < table.sections.size(); ++s) {
        const auto& rows = table.sections[s];
        const std::vector<ColumnDef>& columns = ColumnsOf(def, s);
        for (int r = UsedRows(def, rows); r < int(rows.size()); ++r)
            for (qsizetype c = 0; c < rows[size_t(r)].size(); ++c) {
                const QString& cell = rows[size_t(r)][c];
                // Check boxes are never empty, and a fresh row holds its
                // initial texts: only typed texts count.
                const bool initial = size_t(c) < columns.size() && cell == QLatin1String(columns[size_t(c)].initial);
                if (!cell.trimmed().isEmpty() && cell != QLatin1String("N") && !initial)
                    return true;
            }
    }
    return false;
}

namespace {

void Build(const TableDef& def, const TableData& table, int deviceType, XmlDocument& doc)
{
    pugi::xml_node root = doc.Doc().append_child(def.root);
    if (def.versionComment)
        doc.Doc().append_child(pugi::node_comment).set_value(VersionComment(deviceType).toUtf8().constData());
    for (size_t s = 0; s < def.sections.size(); ++s) {
        pugi::xml_node parent = def.sections[s].name ? root.append_child(def.sections[s].name) : root;
        const auto& rows = table.sections[s];
        const int n = def.writeAllRows ? int(rows.size()) : UsedRows(def, rows);
        for (int r = 0; r < n; ++r) {
            pugi::xml_node row = parent.append_child(def.rowElement);
            const std::vector<ColumnDef>& columns = ColumnsOf(def, s);
            for (size_t c = 0; c < columns.size(); ++c)
                if (ColumnOnType(columns[c], deviceType))
                    row.append_attribute(columns[c].attr).set_value(rows[size_t(r)][int(c)].toUtf8().constData());
        }
    }
}

} // namespace

QByteArray WriteTable(const TableDef& def, const TableData& table, int deviceType)
{
    XmlDocument doc;
    Build(def, table, deviceType, doc);
    return doc.ToBytes();
}

bool SaveTable(const TableDef& def, const TableData& table, int deviceType, const QString& path, QString* error)
{
    XmlDocument doc;
    Build(def, table, deviceType, doc);
    if (doc.Save(path))
        return true;
    if (error)
        *error = doc.ErrorText();
    return false;
}

} // namespace editors
