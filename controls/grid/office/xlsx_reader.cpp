#include "controls/grid/core/grid_types.h"
#include "controls/grid/office/workbook.h"

#include <QDir>
#include <QHash>

#include <pugixml.hpp>
#include <zip.h>

#include <cstring>
#include <memory>

namespace grid::office {

namespace {

constexpr int kSheetRows = 1048576;
constexpr int kSheetCols = 16384;

[[noreturn]] void Incorrect()
{
    throw GridError(QStringLiteral("Incorrect XLS file"));
}

// An .xlsx package opened over bytes in memory.
class Package
{
public:
    explicit Package(const QByteArray& bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
        if (source)
            zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (source && !zip_)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!zip_)
            Incorrect();
    }
    ~Package()
    {
        if (zip_)
            zip_discard(zip_);
    }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // The part's bytes; nullopt when the package has no such part.
    std::optional<QByteArray> Part(const QString& name) const
    {
        zip_file_t* file = zip_fopen(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE);
        if (!file)
            return std::nullopt;
        QByteArray out;
        char buffer[65536];
        for (;;) {
            const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
            if (n < 0) {
                zip_fclose(file);
                Incorrect();
            }
            if (n == 0)
                break;
            if (out.size() + n > kMaxPartBytes) {
                zip_fclose(file);
                Incorrect();
            }
            out.append(buffer, qsizetype(n));
        }
        zip_fclose(file);
        return out;
    }

private:
    zip_t* zip_ = nullptr;
};

const char* Local(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool Is(const pugi::xml_node& node, const char* local)
{
    return node.type() == pugi::node_element && std::strcmp(Local(node.name()), local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_node c : node.children())
        if (Is(c, local))
            return c;
    return {};
}

pugi::xml_attribute Attr(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_attribute a : node.attributes())
        if (std::strcmp(Local(a.name()), local) == 0)
            return a;
    return {};
}

void Load(pugi::xml_document& doc, const QByteArray& bytes)
{
    if (!doc.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_ws_pcdata_single))
        Incorrect();
}

QString Utf8(const char* s)
{
    return QString::fromUtf8(s);
}

// The text of an <is> or <si>: every <t>, phonetic runs left out.
QString RichText(const pugi::xml_node& node)
{
    QString out;
    for (pugi::xml_node c : node.children()) {
        if (Is(c, "t"))
            out += Utf8(c.text().get());
        else if (Is(c, "r"))
            out += RichText(c);
    }
    return out;
}

struct SheetEntry
{
    QString Name;
    QString Part;
};

struct Index
{
    std::vector<SheetEntry> Sheets;
    int Active = 0;
    bool Date1904 = false;
};

Index ReadIndex(const Package& package)
{
    const auto workbook = package.Part(QStringLiteral("xl/workbook.xml"));
    if (!workbook)
        Incorrect();
    pugi::xml_document doc;
    Load(doc, *workbook);
    const pugi::xml_node root = doc.document_element();
    if (!Is(root, "workbook"))
        Incorrect();

    QHash<QString, std::pair<QString, QString>> rels; // id -> (target, type)
    if (const auto bytes = package.Part(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        pugi::xml_document relDoc;
        Load(relDoc, *bytes);
        for (pugi::xml_node r : relDoc.document_element().children())
            if (Is(r, "Relationship"))
                rels.insert(Utf8(r.attribute("Id").value()),
                            {Utf8(r.attribute("Target").value()), Utf8(r.attribute("Type").value())});
    }

    Index index;
    const char* base = Child(root, "workbookPr").attribute("date1904").value();
    index.Date1904 = std::strcmp(base, "1") == 0 || std::strcmp(base, "true") == 0;
    int active = 0;
    if (const pugi::xml_node view = Child(Child(root, "bookViews"), "workbookView"))
        active = view.attribute("activeTab").as_int(0);
    int position = 0;
    for (pugi::xml_node s : Child(root, "sheets").children()) {
        if (!Is(s, "sheet"))
            continue;
        const int here = position++;
        QString part = QStringLiteral("xl/worksheets/sheet%1.xml").arg(here + 1);
        const auto rel = rels.constFind(Utf8(Attr(s, "id").value()));
        if (rel != rels.constEnd()) {
            if (rel->second.endsWith(QLatin1String("/chartsheet")))
                continue;
            const QString& target = rel->first;
            part = target.startsWith(u'/') ? target.mid(1) : QDir::cleanPath(QStringLiteral("xl/") + target);
        }
        if (here == active)
            index.Active = int(index.Sheets.size());
        index.Sheets.push_back({Utf8(s.attribute("name").value()), part});
    }
    if (index.Sheets.empty())
        Incorrect();
    return index;
}

QStringList SharedStrings(const Package& package)
{
    QStringList out;
    const auto bytes = package.Part(QStringLiteral("xl/sharedStrings.xml"));
    if (!bytes)
        return out;
    pugi::xml_document doc;
    Load(doc, *bytes);
    for (pugi::xml_node si : doc.document_element().children())
        if (Is(si, "si"))
            out << RichText(si);
    return out;
}

// Per cell style, whether its number format shows a date or a time.
std::vector<bool> DateStyles(const Package& package)
{
    std::vector<bool> out;
    const auto bytes = package.Part(QStringLiteral("xl/styles.xml"));
    if (!bytes)
        return out;
    pugi::xml_document doc;
    Load(doc, *bytes);
    const pugi::xml_node root = doc.document_element();
    QHash<int, bool> custom;
    for (pugi::xml_node f : Child(root, "numFmts").children())
        if (Is(f, "numFmt"))
            custom.insert(f.attribute("numFmtId").as_int(-1), IsDateFormatCode(Utf8(f.attribute("formatCode").value())));
    for (pugi::xml_node xf : Child(root, "cellXfs").children()) {
        if (!Is(xf, "xf"))
            continue;
        const int id = xf.attribute("numFmtId").as_int(0);
        out.push_back(custom.contains(id) ? custom.value(id) : IsBuiltInDateFormat(id));
    }
    return out;
}

// A date cell's number as days from 30 December 1899: the 1904 base moved,
// and the 1900 base's days before its phantom 29 February one later; a time
// of day (no whole day) stays as it is.
double SerialDays(double serial, bool date1904)
{
    if (serial < 1)
        return serial;
    if (date1904)
        return serial + 1462;
    return serial >= 1 && serial < 60 ? serial + 1 : serial;
}

// "B12" into column and row; false when it is no cell of a sheet.
bool CellRef(const char* ref, int& col, int& row)
{
    const QString text = Utf8(ref);
    qsizetype i = 0;
    while (i < text.size() && text[i].isLetter())
        ++i;
    col = ColumnFromLetters(QStringView(text).first(i));
    bool ok = false;
    row = QStringView(text).sliced(i).toInt(&ok);
    return ok && col >= 1 && col <= kSheetCols && row >= 1 && row <= kSheetRows;
}

Sheet ReadCells(const Package& package, const SheetEntry& entry, bool date1904)
{
    const auto bytes = package.Part(entry.Part);
    if (!bytes)
        Incorrect();
    const QStringList strings = SharedStrings(package);
    const std::vector<bool> dateStyles = DateStyles(package);
    pugi::xml_document doc;
    Load(doc, *bytes);
    const pugi::xml_node root = doc.document_element();
    if (!Is(root, "worksheet"))
        Incorrect();

    Sheet sheet;
    sheet.Name = entry.Name;
    int row = 0;
    for (pugi::xml_node r : Child(root, "sheetData").children()) {
        if (!Is(r, "row"))
            continue;
        const pugi::xml_attribute rowAttr = r.attribute("r");
        row = rowAttr ? rowAttr.as_int(0) : row + 1;
        if (row < 1 || row > kSheetRows)
            Incorrect();
        int col = 0;
        for (pugi::xml_node c : r.children()) {
            if (!Is(c, "c"))
                continue;
            if (const pugi::xml_attribute ref = c.attribute("r")) {
                int refRow = 0;
                if (!CellRef(ref.value(), col, refRow))
                    Incorrect();
            } else if (++col > kSheetCols) {
                Incorrect();
            }
            const char* type = c.attribute("t").value();
            const pugi::xml_node v = Child(c, "v");
            SheetCell cell{row, col, {}, false};
            if (std::strcmp(type, "inlineStr") == 0) {
                const pugi::xml_node is = Child(c, "is");
                if (!is)
                    continue;
                cell.Text = RichText(is);
            } else if (!v) {
                continue;
            } else if (std::strcmp(type, "s") == 0) {
                bool ok = false;
                const int i = Utf8(v.text().get()).trimmed().toInt(&ok);
                if (!ok || i < 0 || i >= strings.size())
                    Incorrect();
                cell.Text = strings[i];
            } else if (std::strcmp(type, "b") == 0) {
                cell.Text = Utf8(v.text().get()).trimmed() == u"1" ? QStringLiteral("True") : QStringLiteral("False");
            } else if (std::strcmp(type, "e") == 0) {
                cell.Error = true;
            } else if (std::strcmp(type, "str") == 0) {
                cell.Text = Utf8(v.text().get());
            } else if (std::strcmp(type, "d") == 0) {
                cell.Text = Utf8(v.text().get());
                if (const std::optional<double> days = IsoDays(cell.Text))
                    cell.Text = DateText(*days);
            } else {
                bool ok = false;
                const double d = Utf8(v.text().get()).trimmed().toDouble(&ok);
                if (!ok)
                    Incorrect();
                const int style = c.attribute("s").as_int(0);
                const bool date = style >= 0 && std::size_t(style) < dateStyles.size() && dateStyles[std::size_t(style)];
                cell.Text = date ? DateText(SerialDays(d, date1904)) : NumberText(d);
            }
            sheet.Cells.push_back(std::move(cell));
        }
    }
    return sheet;
}

} // namespace

SheetList ReadXlsxSheetNames(const QByteArray& bytes)
{
    const Package package(bytes);
    const Index index = ReadIndex(package);
    SheetList list;
    for (const SheetEntry& e : index.Sheets)
        list.Names << e.Name;
    list.Active = index.Active;
    return list;
}

std::optional<Sheet> ReadXlsxSheet(const QByteArray& bytes, const std::optional<QString>& name)
{
    const Package package(bytes);
    const Index index = ReadIndex(package);
    int chosen = index.Active;
    if (name) {
        chosen = -1;
        for (int i = 0; i < int(index.Sheets.size()); ++i)
            if (index.Sheets[i].Name == *name)
                chosen = i;
        if (chosen < 0)
            return std::nullopt;
    }
    return ReadCells(package, index.Sheets[chosen], index.Date1904);
}

} // namespace grid::office
