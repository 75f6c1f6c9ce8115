#include "controls/grid/office/database_import.h"

#include "controls/grid/core/ex_string_grid.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace grid::office {

QString TableQuery(const QString& table)
{
    QString name = table;
    name.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("SELECT * FROM \"%1\"").arg(name);
}

namespace {

struct QueryResult
{
    QStringList Names;
    std::vector<QStringList> Records;
};

// One connection of its own, removed when the query is done or fails.
class Connection
{
public:
    explicit Connection(const QString& fileName)
    {
        static QAtomicInt counter;
        name_ = QStringLiteral("orvano-office-%1").arg(counter.fetchAndAddRelaxed(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(fileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    QSqlDatabase Database() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

QueryResult RunQuery(const QString& fileName, const QString& sql)
{
    if (!QFileInfo(fileName).isFile())
        throw GridError(QStringLiteral("Cannot open file \"%1\". No such file").arg(fileName));
    const Connection connection(fileName);
    QSqlDatabase db = connection.Database();
    if (!db.isValid())
        throw GridError(QStringLiteral("The database driver QSQLITE is not available"));
    if (!db.open())
        throw GridError(QStringLiteral("Cannot open the database %1: %2").arg(fileName, db.lastError().text()));
    QueryResult result;
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(sql))
            throw GridError(QStringLiteral("The query failed: %1").arg(query.lastError().text()));
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            result.Names << record.fieldName(i);
        while (query.next()) {
            QStringList line;
            for (int i = 0; i < result.Names.size(); ++i) {
                const QVariant v = query.value(i);
                line << (v.isNull() ? QString() : v.toString());
            }
            result.Records.push_back(std::move(line));
        }
        if (query.lastError().isValid())
            throw GridError(QStringLiteral("The query failed: %1").arg(query.lastError().text()));
    }
    db.close();
    return result;
}

} // namespace

void LoadFromMDBSQL(TExStringGrid& grid, const QString& fileName, const QString& sql)
{
    const QueryResult result = RunQuery(fileName, sql);
    const int fixedCols = grid.FixedCols();
    const int fixedRows = grid.FixedRows();
    const int records = int(result.Records.size());
    if (fixedCols + result.Names.size() > kMaxColumns || qint64(fixedRows) + records > kMaxRows)
        throw GridError(QStringLiteral("The query gives more cells than the grid can hold"));
    grid.BeginUpdate();
    grid.SetColCount(int(result.Names.size()) + fixedCols);
    if (fixedRows > 0)
        for (int i = 0; i < result.Names.size(); ++i)
            grid.SetCells(fixedCols + i, fixedRows - 1, result.Names[i]);
    if (records > 0)
        grid.SetRowCount(fixedRows + records);
    for (int r = 0; r < records; ++r)
        for (int i = 0; i < result.Names.size(); ++i)
            grid.LoadCell(fixedCols + i, fixedRows + r, result.Records[size_t(r)][i]);
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

void LoadFromMDBTable(TExStringGrid& grid, const QString& fileName, const QString& table)
{
    LoadFromMDBSQL(grid, fileName, TableQuery(table));
}

} // namespace grid::office
