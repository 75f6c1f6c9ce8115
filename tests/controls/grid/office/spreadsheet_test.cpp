// Worksheets: A1 letters and used ranges, .xlsx export read back by our
// reader, import placement with fixed-cell offsets, the active and named
// sheets, and workbooks that cannot be read or must not be rewritten.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/office/spreadsheet.h"
#include "platform/text/format_settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <functional>

using namespace grid;
using namespace grid::office;

namespace {

void Fill(TExStringGrid& g, const std::vector<QStringList>& rows, int fixedCols = 0, int fixedRows = 0)
{
    g.SetColCount(int(rows.front().size()));
    g.SetRowCount(int(rows.size()));
    g.SetFixedCols(fixedCols);
    g.SetFixedRows(fixedRows);
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.SetCells(c, r, rows[r][c]);
}

std::vector<QStringList> Cells(TExStringGrid& g)
{
    std::vector<QStringList> out;
    for (int r = 0; r < g.RowCount(); ++r) {
        QStringList line;
        for (int c = 0; c < g.ColCount(); ++c)
            line << g.Cells(c, r);
        out.push_back(line);
    }
    return out;
}

// A workbook written straight through the writer library, as another
// program would make it.
QString MakeWorkbook(const QTemporaryDir& dir, const QString& name,
                     const std::function<void(lxw_workbook*)>& fill, bool inlineStrings = false)
{
    const QString path = dir.filePath(name);
    lxw_workbook_options options{};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    fill(book);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    return path;
}

// A package of hand-written parts, stored uncompressed.
QString MakePackage(const QTemporaryDir& dir, const QString& name,
                    const std::vector<std::pair<const char*, QByteArray>>& parts)
{
    const QString path = dir.filePath(name);
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_TRUE(zip);
    for (const auto& [part, bytes] : parts)
        zip_file_add(zip, part, zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0),
                     ZIP_FL_OVERWRITE);
    EXPECT_EQ(zip_close(zip), 0);
    return path;
}

QString ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const GridError& e) {
        return e.Message();
    }
    return QString();
}

} // namespace

TEST(SheetAddress, ColumnLettersAreBijectiveBase26)
{
    const std::vector<std::pair<int, QString>> cases = {{1, "A"},    {26, "Z"},    {27, "AA"},   {28, "AB"},
                                                        {52, "AZ"},  {53, "BA"},   {702, "ZZ"},  {703, "AAA"},
                                                        {704, "AAB"}, {16384, "XFD"}, {0, ""},  {-3, ""}};
    for (const auto& [column, letters] : cases)
        EXPECT_EQ(ColumnLetters(column), letters) << column;
    for (int c = 1; c <= 20000; ++c)
        ASSERT_EQ(ColumnFromLetters(ColumnLetters(c)), c) << c;
    EXPECT_EQ(ColumnFromLetters(u"xfd"), 16384);
    EXPECT_EQ(ColumnFromLetters(u"A1"), 0);
    EXPECT_EQ(ColumnFromLetters(u"ZZZZZZZZZZ"), 0); // past int
}

TEST(SheetAddress, UsedRangeBounds)
{
    struct Case
    {
        const char* address;
        std::optional<SheetBounds> bounds;
    };
    const std::vector<Case> cases = {
        {"$B$2:$D$5", SheetBounds{2, 2, 4, 5}},
        {"B2:D5", SheetBounds{2, 2, 4, 5}},
        {"$3:$5", SheetBounds{1, 3, 256, 5}},
        {"$C$7", SheetBounds{3, 7, 3, 7}},
        {"$AA$10:$AB$12", SheetBounds{27, 10, 28, 12}},
        {"Q9", SheetBounds{1, 1, 1, 1}}, // neither "$" nor ":": cell A1
        {"$B$x:$D$5", std::nullopt},
        {"$B$2:$D$", std::nullopt},
        {"$B:$D", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseUsedRange(QString::fromLatin1(c.address)), c.bounds) << c.address;
    EXPECT_EQ(RangeAddress({2, 2, 4, 5}), "B2:D5");
    EXPECT_EQ(RangeAddress({3, 7, 3, 7}), "C7");
}

TEST(SpreadsheetExport, RangeAddressFollowsSavedColumns)
{
    TExStringGrid g;
    g.SetColCount(28);
    g.SetRowCount(3);
    EXPECT_EQ(ExportRangeAddress(g, 1), "A1:AB3");
    g.SaveFixedCells = false;
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    EXPECT_EQ(ExportRangeAddress(g, 1), "A1:AA2");
    g.SetColCount(800);
    EXPECT_EQ(ExportRangeAddress(g, 4), "A4:ADS5"); // 799 columns
}

TEST(SpreadsheetExport, WrittenWorkbookReadsBackAsTheGrid)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"Name", "Value", "Note"},
             {"pump", "12.5", QString::fromUtf8("\xc3\xa4 \xe2\x82\xac")},
             {"", "line1\r\nline2", "  spaced  "}},
         0, 1);
    // The extension names a legacy file; the content is an .xlsx package.
    const QString path = dir.filePath("out.xls");
    SaveToXLS(g, path);
    EXPECT_EQ(GetXLSSheets(path), QStringList{"Sheet1"});

    TExStringGrid back;
    Fill(back, {{"x"}});
    LoadFromXLS(back, path);
    std::vector<QStringList> expected = Cells(g);
    expected[2][1] = "line1\nline2"; // CR removed on export
    EXPECT_EQ(Cells(back), expected);

    const QString named = dir.filePath("named.xlsx");
    SaveToXLSSheet(g, named, "Data");
    EXPECT_EQ(GetXLSSheets(named), QStringList{"Data"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
}

TEST(SpreadsheetExport, SavedRangeAndExportHooks)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"#", "A", "B"}, {"1", "a1", "b1"}, {"2", "a2", "b2"}}, 1, 1);
    g.SaveFixedCells = false;
    g.OnSaveCell = [](TExStringGrid*, int, int, QString& v) { v = v.toUpper(); };
    const QString path = dir.filePath("range.xlsx");
    SaveToXLS(g, path);
    const std::optional<Sheet> sheet = ReadSheet(path, std::nullopt);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->Used(), (SheetBounds{1, 1, 2, 2}));
    TExStringGrid back;
    Fill(back, {{"x"}});
    LoadSheet(back, *sheet);
    EXPECT_EQ(Cells(back), (std::vector<QStringList>{{"A1", "B1"}, {"A2", "B2"}}));
}

TEST(SpreadsheetExport, ExistingOrUnwritableTargetIsReportedAndLeftAlone)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"a", "b"}});
    const QString existing = dir.filePath("book.xlsx");
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    for (const auto& save : std::vector<std::function<void()>>{[&] { SaveToXLS(g, existing, false); },
                                                                [&] { SaveToXLSSheet(g, existing, "New"); }}) {
        EXPECT_TRUE(ErrorOf(save).contains("exists and is left unchanged"));
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("keep me"));
    }
    const QString nowhere = dir.filePath("missing/dir/book.xlsx");
    EXPECT_TRUE(ErrorOf([&] { SaveToXLS(g, nowhere); }).startsWith("Cannot write the workbook"));
    EXPECT_FALSE(QFile::exists(nowhere));

    const QString badName = dir.filePath("badname.xlsx");
    EXPECT_EQ(ErrorOf([&] { SaveToXLSSheet(g, badName, "a[b]"); }), "Cannot name a worksheet \"a[b]\"");
    EXPECT_FALSE(QFile::exists(badName));
}

TEST(SpreadsheetImport, UsedRangePlacementWithFixedOffsets)
{
    QTemporaryDir dir;
    // Used range B2:D5 with numbers and a boolean.
    const QString path = MakeWorkbook(dir, "b2d5.xlsx", [](lxw_workbook* book) {
        lxw_worksheet* s = workbook_add_worksheet(book, "Values");
        worksheet_write_string(s, 1, 1, "B2", nullptr);
        worksheet_write_number(s, 1, 2, 2.5, nullptr);
        worksheet_write_number(s, 2, 3, 3, nullptr);
        worksheet_write_boolean(s, 3, 1, 1, nullptr);
        worksheet_write_string(s, 4, 3, "D5", nullptr);
    });
    const std::vector<QStringList> values = {{"B2", "2.5", ""}, {"", "", "3"}, {"True", "", ""}, {"", "", "D5"}};

    {   // Fixed cells saved: no offset, B2 at (0, 0), fixed counts kept.
        TExStringGrid g;
        Fill(g, {{"old", "old"}, {"old", "old"}}, 1, 1);
        LoadFromXLS(g, path);
        EXPECT_EQ(g.ColCount(), 3);
        EXPECT_EQ(g.RowCount(), 4);
        EXPECT_EQ(g.FixedCols(), 1);
        EXPECT_EQ(g.FixedRows(), 1);
        EXPECT_EQ(Cells(g), values);
    }
    {   // Fixed cells not saved: the data goes after the fixed column and row,
        // whose texts stay.
        TExStringGrid g;
        Fill(g, {{"h", "h1", "h2", "h3"}, {"r", "x", "x", "x"}, {"r", "x", "x", "x"}, {"r", "x", "x", "x"},
                 {"r", "x", "x", "x"}},
             1, 1);
        g.SaveFixedCells = false;
        std::vector<std::pair<int, int>> loaded;
        g.OnLoadCell = [&](TExStringGrid*, int c, int r, QString&) { loaded.emplace_back(c, r); };
        LoadFromXLS(g, path);
        EXPECT_EQ(g.ColCount(), 4);
        EXPECT_EQ(g.RowCount(), 5);
        EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"h", "h1", "h2", "h3"},
                                                      {"r", "B2", "2.5", ""},
                                                      {"r", "", "", "3"},
                                                      {"r", "True", "", ""},
                                                      {"r", "", "", "D5"}}));
        EXPECT_EQ(loaded.size(), 12u);
        EXPECT_EQ(loaded.front(), std::make_pair(1, 1));
    }
}

TEST(SpreadsheetImport, ValueKindsOfAHandWrittenPackage)
{
    QTemporaryDir dir;
    const QByteArray workbook = R"(<x:workbook xmlns:x="urn:x" xmlns:r="urn:r"><x:bookViews><x:workbookView activeTab="1"/>
        </x:bookViews><x:sheets><x:sheet name="A" r:id="r1"/><x:sheet name="B" r:id="r2"/></x:sheets></x:workbook>)";
    const QByteArray rels = R"(<Relationships><Relationship Id="r1" Target="worksheets/a.xml" Type="t/worksheet"/>
        <Relationship Id="r2" Target="/xl/other/b.xml" Type="t/worksheet"/></Relationships>)";
    const QByteArray strings = R"(<sst><si><t>plain</t></si><si><r><t>ri</t></r><rPh><t>no</t></rPh><r><t>ch</t></r></si></sst>)";
    // Cells without r follow the one before; an error value is skipped.
    const QByteArray sheetB = R"(<worksheet><sheetData>
        <row r="2"><c r="B2" t="s"><v>1</v></c><c t="b"><v>1</v></c><c t="e"><v>#N/A</v></c></row>
        <row><c r="B3"><v>4.50</v></c><c t="inlineStr"><is><t> in line </t></is></c><c t="str"><v>f</v></c>
        <c r="E3" t="s"><v>0</v></c></row></sheetData></worksheet>)";
    const QString path = MakePackage(dir, "hand.xlsx",
                                     {{"xl/workbook.xml", workbook},
                                      {"xl/_rels/workbook.xml.rels", rels},
                                      {"xl/sharedStrings.xml", strings},
                                      {"xl/worksheets/a.xml", "<worksheet><sheetData/></worksheet>"},
                                      {"xl/other/b.xml", sheetB}});
    EXPECT_EQ(GetXLSSheets(path), (QStringList{"A", "B"}));
    TExStringGrid g;
    Fill(g, {{"x", "x", "x", "x"}, {"x", "x", "x", "x"}});
    LoadFromXLS(g, path);
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"rich", "True", "x", ""}, {"4.5", " in line ", "f", "plain"}}));

    // A shared string index past the list, a cell past the sheet's columns.
    for (const QByteArray& bad : {QByteArray(R"(<worksheet><sheetData><row><c t="s"><v>9</v></c></row></sheetData></worksheet>)"),
                                  QByteArray(R"(<worksheet><sheetData><row><c r="XFE1"><v>1</v></c></row></sheetData></worksheet>)")}) {
        const QString broken = MakePackage(dir, "bad.xlsx",
                                           {{"xl/workbook.xml", workbook},
                                            {"xl/_rels/workbook.xml.rels", rels},
                                            {"xl/sharedStrings.xml", strings},
                                            {"xl/other/b.xml", bad}});
        EXPECT_EQ(ErrorOf([&] { LoadFromXLS(g, broken); }), "Incorrect XLS file");
    }
}

TEST(SpreadsheetImport, SingleCellEmptySheetAndInlineStrings)
{
    QTemporaryDir dir;
    const QString one = MakeWorkbook(dir, "one.xlsx", [](lxw_workbook* book) {
        worksheet_write_string(workbook_add_worksheet(book, nullptr), 6, 2, "only", nullptr);
    });
    TExStringGrid g;
    Fill(g, {{"a", "b"}, {"c", "d"}});
    LoadFromXLS(g, one);
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"only"}}));

    const QString empty = MakeWorkbook(dir, "empty.xlsx", [](lxw_workbook* book) { workbook_add_worksheet(book, nullptr); });
    LoadFromXLS(g, empty);
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{""}}));

    // Far corners would fill more cells than an import may: refused before the grid changes.
    const Sheet far{"Far", {{1, 1, "a", false}, {1000000, 200, "z", false}}};
    EXPECT_TRUE(ErrorOf([&] { LoadSheet(g, far); }).endsWith("more than the grid can hold"));
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{""}}));

    // Strings written inline rather than shared.
    const QString inlined = MakeWorkbook(
        dir, "inline.xlsx",
        [](lxw_workbook* book) {
            lxw_worksheet* s = workbook_add_worksheet(book, nullptr);
            worksheet_write_string(s, 0, 0, " lead", nullptr);
            worksheet_write_number(s, 0, 1, 1e-7, nullptr);
            worksheet_write_number(s, 1, 0, 123456789012.0, nullptr);
        },
        true);
    LoadFromXLS(g, inlined);
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{" lead", "1e-07"}, {"123456789012", ""}}));
}

TEST(SpreadsheetImport, ActiveAndNamedSheets)
{
    QTemporaryDir dir;
    const QString path = MakeWorkbook(dir, "two.xlsx", [](lxw_workbook* book) {
        worksheet_write_string(workbook_add_worksheet(book, "One"), 0, 0, "first", nullptr);
        lxw_worksheet* two = workbook_add_worksheet(book, "Two");
        worksheet_write_string(two, 0, 0, "second", nullptr);
        worksheet_activate(two);
    });
    EXPECT_EQ(GetXLSSheets(path), (QStringList{"One", "Two"}));
    TExStringGrid g;
    Fill(g, {{"x"}});
    LoadFromXLS(g, path);
    EXPECT_EQ(g.Cells(0, 0), "second");
    LoadFromXLSSheet(g, path, "One");
    EXPECT_EQ(g.Cells(0, 0), "first");

    Fill(g, {{"keep", "this"}});
    EXPECT_EQ(ErrorOf([&] { LoadFromXLSSheet(g, path, "Nope"); }), "Excel worksheet Nope not found");
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"keep", "this"}}));
}

TEST(SpreadsheetImport, UnreadableWorkbooksLeaveTheGrid)
{
    QTemporaryDir dir;
    const std::vector<std::pair<const char*, QByteArray>> files = {
        {"text.xlsx", "just,some,text\n"},
        {"broken.xlsx", QByteArray("PK\x03\x04", 4) + QByteArray(200, 'z')},
        {"broken.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0')},
        {"empty.xls", QByteArray()},
    };
    TExStringGrid g;
    Fill(g, {{"keep"}});
    for (const auto& [name, bytes] : files) {
        const QString path = dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        EXPECT_EQ(ErrorOf([&] { LoadFromXLS(g, path); }), "Incorrect XLS file") << name;
        EXPECT_EQ(ErrorOf([&] { GetXLSSheets(path); }), "Incorrect XLS file") << name;
        EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"keep"}}));
    }
    EXPECT_TRUE(ErrorOf([&] { LoadFromXLS(g, dir.filePath("absent.xlsx")); }).startsWith("Cannot open file"));

    // A package without a workbook part.
    const QString noBook = dir.filePath("nobook.xlsx");
    {
        TExStringGrid w;
        Fill(w, {{"a"}});
        SaveToXLS(w, noBook);
    }
    QFile f(noBook);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    bytes.replace("xl/workbook.xml", "xl/workbook.xmm");
    EXPECT_EQ(ErrorOf([&] { ReadXlsxSheet(bytes, std::nullopt); }), "Incorrect XLS file");
}

namespace {

QString Soffice()
{
    return QStandardPaths::findExecutable("soffice");
}

// Converts with the office suite headless, in a profile of its own so that
// conversions running at the same time do not meet; the new file's path.
QString Convert(const QString& file, const QString& to, const QString& outDir)
{
    const QTemporaryDir profile;
    QProcess p;
    p.start(Soffice(), {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                        "--convert-to", to, "--outdir", outDir, file});
    EXPECT_TRUE(p.waitForFinished(120000));
    QDir dir(outDir);
    const QString base = QFileInfo(file).completeBaseName();
    const QStringList hits = dir.entryList({base + "." + to.section(':', 0, 0)}, QDir::Files);
    return hits.isEmpty() ? QString() : dir.filePath(hits.front());
}

} // namespace

TEST(SpreadsheetOffice, ExportConvertedToCsvEqualsTheGrid)
{
    if (Soffice().isEmpty())
        GTEST_SKIP() << "soffice is absent (installed by tools/setup only with ORVANO_OFFICE=1)";
    QTemporaryDir dir;
    TExStringGrid g;
    // ASCII only: the converter writes CSV in the system's character set.
    Fill(g, {{"Name", "Value", "Note"}, {"pump", "12.5", "-3"}, {"", "a,b", " x "}});
    const QString path = dir.filePath("conv.xlsx");
    SaveToXLS(g, path);
    // Comma separated, double quotes (the converter's defaults).
    const QString csv = Convert(path, "csv", dir.filePath("csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Name,Value,Note\npump,12.5,-3\n,\"a,b\", x \n"));
}

namespace {

QString Fixture(const QString& name)
{
    return QStringLiteral(ORVANO_SOURCE_DIR "/tests/controls/grid/office/data/") + name;
}

platform::FormatSettings DayMonthYear()
{
    platform::FormatSettings fs;
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    return fs;
}

} // namespace

TEST(SpreadsheetFixtures, CommittedWorkbooksImportTheirUsedRange)
{
    // Made from data/used_range.csv by tools/make_office_fixtures: B2:D5 with
    // a date, a time of day and a date with time in column D.
    const platform::ScopedFormatSettings formats(DayMonthYear());
    const std::vector<QStringList> values = {{"Name", "Value", "When"},
                                             {"pump", "12.5", "04/03/2026"},
                                             {"valve", "-3", "9:05:30"},
                                             {"", "7", "04/03/2026 9:05:00"}};
    for (const char* name : {"used_range.xlsx", "used_range.xls"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(GetXLSSheets(Fixture(name)), QStringList{"used_range"});
        {   // Fixed cells saved: B2 at (0, 0).
            TExStringGrid g;
            Fill(g, {{"old", "old"}, {"old", "old"}}, 1, 1);
            LoadFromXLS(g, Fixture(name));
            EXPECT_EQ(Cells(g), values);
            EXPECT_EQ(g.FixedCols(), 1);
            EXPECT_EQ(g.FixedRows(), 1);
        }
        {   // Not saved: after the fixed column and row, whose texts stay.
            TExStringGrid g;
            Fill(g, {{"h", "h"}, {"r", "x"}}, 1, 1);
            g.SaveFixedCells = false;
            LoadFromXLS(g, Fixture(name));
            EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"h", "h", "", ""},
                                                          {"r", "Name", "Value", "When"},
                                                          {"", "pump", "12.5", "04/03/2026"},
                                                          {"", "valve", "-3", "9:05:30"},
                                                          {"", "", "7", "04/03/2026 9:05:00"}}));
        }
        {   // A one-cell sheet loads that cell only.
            TExStringGrid g;
            Fill(g, {{"a", "b"}, {"c", "d"}});
            LoadFromXLS(g, Fixture(QString::fromLatin1(name).replace("used_range", "one_cell")));
            EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"solo"}}));
        }
    }
}

TEST(SpreadsheetImport, NumberFormatsDecideWhatIsADate)
{
    const std::vector<std::pair<const char*, bool>> codes = {
        {"yyyy\\-mm\\-dd", true}, {"d/m/yy", true},     {"hh:mm:ss", true},   {"[h]:mm", true},
        {"[$-409]mmm yy", true},  {"General", false},   {"0.00", false},      {"#,##0 \"days\"", false},
        {"0\\d", false},          {"[Red]0.0", false},  {"0;[Red]-0;\"d\"", false}, {"@", false},
        {"_-* #,##0_-", false},   {"0.0E+00", false},   {"[s]", true},        {"", false},
    };
    for (const auto& [code, date] : codes)
        EXPECT_EQ(IsDateFormatCode(QString::fromUtf8(code)), date) << code;
    for (const auto& [id, date] : std::vector<std::pair<int, bool>>{{0, false}, {2, false}, {14, true}, {20, true},
                                                                     {22, true}, {37, false}, {46, true}, {49, false}})
        EXPECT_EQ(IsBuiltInDateFormat(id), date) << id;

    const platform::ScopedFormatSettings formats(DayMonthYear());
    const std::vector<std::pair<double, QString>> days = {
        {46085, "04/03/2026"},          {46085.5, "04/03/2026 12:00:00"}, {0.25, "6:00:00"},
        {0, "0:00:00"},                 {1, "31/12/1899"},                {2958465.9999999, "31/12/9999 23:59:59"},
        {-1, "-1"},                     {3e6, "3000000"},
    };
    for (const auto& [value, text] : days)
        EXPECT_EQ(DateText(value), text) << value;
    EXPECT_EQ(IsoDays("2026-03-04"), 46085.0);
    EXPECT_EQ(IsoDays("2026-03-04T06:00:00"), 46085.25);
    EXPECT_EQ(IsoDays("2026-03-04 06:00:00"), 46085.25);
    EXPECT_EQ(IsoDays("18:00:00"), 0.75);
    EXPECT_EQ(IsoDays("soon"), std::nullopt);

    // Styles by index: built-in and custom formats, a style past the list,
    // an ISO date cell, both date bases.
    QTemporaryDir dir;
    const QByteArray styles = R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="dd&quot;.&quot;mm"/>
        <numFmt numFmtId="165" formatCode="0.0&quot; d&quot;"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/>
        <xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="21"/></cellXfs></styleSheet>)";
    const QByteArray sheet = R"(<worksheet><sheetData><row r="1"><c r="A1"><v>46085</v></c><c r="B1" s="1"><v>46085</v></c>
        <c r="C1" s="2"><v>46085.5</v></c><c r="D1" s="3"><v>46085</v></c><c r="E1" s="4"><v>0.5</v></c>
        <c r="F1" s="9"><v>2</v></c><c r="G1" t="d"><v>2026-03-04T06:00:00</v></c><c r="H1" s="1"><v>59</v></c>
        <c r="I1" s="1"><v>61</v></c></row></sheetData></worksheet>)";
    for (const bool base1904 : {false, true}) {
        const QByteArray workbook = QByteArray("<workbook><workbookPr date1904=\"") + (base1904 ? "1" : "0") +
                                    R"("/><sheets><sheet name="S" r:id="r1" xmlns:r="urn:r"/></sheets></workbook>)";
        const QString path = MakePackage(dir, base1904 ? "b1904.xlsx" : "b1900.xlsx",
                                         {{"xl/workbook.xml", workbook},
                                          {"xl/styles.xml", styles},
                                          {"xl/worksheets/sheet1.xml", sheet}});
        TExStringGrid g;
        Fill(g, {{"x"}});
        LoadFromXLS(g, path);
        const QStringList expected =
            base1904 ? QStringList{"46085", "05/03/2030", "05/03/2030 12:00:00", "46085", "12:00:00", "2", "04/03/2026 6:00:00",
                                   "29/02/1904", "02/03/1904"}
                     : QStringList{"46085", "04/03/2026", "04/03/2026 12:00:00", "46085", "12:00:00", "2", "04/03/2026 6:00:00",
                                   "28/02/1900", "01/03/1900"};
        EXPECT_EQ(Cells(g), std::vector<QStringList>{expected}) << base1904;
    }
}
