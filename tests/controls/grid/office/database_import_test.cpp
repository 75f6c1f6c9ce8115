// Query import from an SQLite file made here: field names in the last fixed
// row, records, NULL as empty, quoted table names, failures that change
// nothing and leave no connection open.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/office/database_import.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::office;

namespace {

QString MakeDatabase(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("plant.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : {"CREATE TABLE \"my meters\" (id INTEGER, name TEXT, value REAL)",
                                "INSERT INTO \"my meters\" VALUES (1, 'water', 2.5)",
                                "INSERT INTO \"my meters\" VALUES (2, NULL, NULL)",
                                "CREATE TABLE odd (\"a b\" TEXT)",
                                "INSERT INTO odd VALUES ('q')"})
            EXPECT_TRUE(q.exec(sql)) << sql;
        db.close();
    }
    QSqlDatabase::removeDatabase("maker");
    return path;
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

} // namespace

TEST(DatabaseImport, TableQueryQuotesTheName)
{
    EXPECT_EQ(TableQuery("my meters"), "SELECT * FROM \"my meters\"");
    EXPECT_EQ(TableQuery("x\"; DROP TABLE y; --"), "SELECT * FROM \"x\"\"; DROP TABLE y; --\"");
}

TEST(DatabaseImport, FieldNamesRecordsAndNulls)
{
    QTemporaryDir dir;
    const QString path = MakeDatabase(dir);
    struct Case
    {
        int fixedCols, fixedRows;
        std::vector<QStringList> cells;
    };
    const std::vector<Case> cases = {
        {1, 1, {{"", "id", "name", "value"}, {"", "1", "water", "2.5"}, {"", "2", "", ""}}},
        {0, 0, {{"1", "water", "2.5"}, {"2", "", ""}}},
        {0, 2, {{"", "", ""}, {"id", "name", "value"}, {"1", "water", "2.5"}, {"2", "", ""}}},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        g.SetColCount(6);
        g.SetRowCount(9);
        g.SetFixedCols(c.fixedCols);
        g.SetFixedRows(c.fixedRows);
        int loads = 0;
        g.OnLoadCell = [&](TExStringGrid*, int, int, QString&) { ++loads; };
        LoadFromMDBTable(g, path, "my meters");
        EXPECT_EQ(Cells(g), c.cells) << c.fixedCols << "/" << c.fixedRows;
        EXPECT_EQ(loads, 6);
    }
    TExStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetFixedCols(0);
    g.SetFixedRows(1);
    LoadFromMDBTable(g, path, "odd");
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"a b"}, {"q"}}));
    LoadFromMDBSQL(g, path, "SELECT name FROM \"my meters\" WHERE id > 5");
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"name"}, {"q"}})); // no records: rows stay
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST(DatabaseImport, FailuresChangeNothingAndCloseTheConnection)
{
    QTemporaryDir dir;
    const QString path = MakeDatabase(dir);
    const QString notDb = dir.filePath("text.sqlite");
    {
        QFile f(notDb);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is not a database file at all, not even close to one");
    }
    const QString absent = dir.filePath("absent.sqlite");
    struct Case
    {
        QString file, sql, message;
    };
    const std::vector<Case> cases = {
        {path, "SELECT * FROM nothere", "The query failed: "},
        {path, "DELETE FROM \"my meters\"", "The query failed: "}, // opened read-only
        {notDb, "SELECT 1 FROM x", "The query failed: "},
        {absent, "SELECT 1", "Cannot open file"},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        g.SetColCount(1);
        g.SetRowCount(1);
        g.SetCells(0, 0, "keep");
        try {
            LoadFromMDBSQL(g, c.file, c.sql);
            ADD_FAILURE() << c.sql.toStdString();
        } catch (const GridError& e) {
            EXPECT_TRUE(e.Message().startsWith(c.message)) << e.Message().toStdString();
        }
        EXPECT_EQ(Cells(g), (std::vector<QStringList>{{"keep"}}));
        EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(absent));
    TExStringGrid g;
    g.SetColCount(1);
    g.SetRowCount(2);
    g.SetFixedRows(1);
    LoadFromMDBTable(g, path, "my meters");
    EXPECT_EQ(g.RowCount(), 3); // the DELETE did nothing
}
