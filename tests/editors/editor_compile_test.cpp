// Files the table windows write, read by the compiler: a table typed into a
// window and saved with OK builds the same bank images as the same rows
// written by hand, and other images than a project without the tables.
#include "build/compiler/compiler.h"
#include "editors/table_model.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>

using namespace editors;

namespace {

const QString M = QStringLiteral("a&b<\"c'>");

struct TableRows
{
    const TableDef* def;
    std::map<int, QStringList> rows;   // by row from 1
};

struct Case
{
    int type;
    std::vector<TableRows> tables;
};

QString Escaped(QString s)
{
    return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

// The file as a person might write it: indented, on several lines.
QByteArray HandWritten(const TableRows& t, int rowCount)
{
    const TableDef& def = *t.def;
    QString x = QStringLiteral("<%1>\n").arg(QLatin1String(def.root));
    const QString indent = def.sections[0].name ? QStringLiteral("    ") : QStringLiteral("  ");
    if (def.sections[0].name)
        x += QStringLiteral("  <%1>\n").arg(QLatin1String(def.sections[0].name));
    const int last = def.writeAllRows ? rowCount : t.rows.rbegin()->first;
    for (int r = 1; r <= last; ++r) {
        x += indent + QStringLiteral("<") + QLatin1String(def.rowElement);
        for (size_t c = 0; c < def.columns.size(); ++c) {
            const auto it = t.rows.find(r);
            const QString v = it != t.rows.end() ? it->second[int(c)] : QString::fromUtf8(def.columns[c].initial);
            x += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(def.columns[c].attr), Escaped(v));
        }
        x += QStringLiteral("/>\n");
    }
    if (def.sections[0].name)
        x += QStringLiteral("  </%1>\n").arg(QLatin1String(def.sections[0].name));
    x += QStringLiteral("</%1>\n<!--SW_VERSION = 1.000-->\n").arg(QLatin1String(def.root));
    return x.toUtf8();
}

QList<BankFile> Build(int type)
{
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(type, files, &error)) << error.toStdString();
    return files;
}

bool Same(const QList<BankFile>& a, const QList<BankFile>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].bytes != b[i].bytes)
            return false;
    return true;
}

} // namespace

TEST(EditorFilesCompile, TypedTablesBuildLikeHandWrittenFiles)
{
    const Case cases[] = {
        {0, {{&kCanRecFrames, {{1, {"0x181", "2.0A (11 bits)", "8", "1000", M}}, {2, {"256", "2.0B (29 bits)", "3", "0", ""}}}},
             {&kCanSendFrames, {{1, {"$201", "2.0A (11 bits)", "4", "On Timer", "100", M}}}}}},
        {15, {{&kCanRecFrames, {{1, {"0x7FF", "2.0A (11 bits)", "2", "5", M}}}}}},
        {1, {{&kDNetNet, {{1, {"3", "4", "2", "Y", "N", M}}, {2, {"7", "0", "8", "N", "Y", ""}}}}}},
        {6, {{&kReceiveJ1939, {{1, {"0", "0xFEF1", "0", "N", "", "", "N", M}}, {2, {"1", "65000", "255", "Y", "0", "20", "Y", ""}}}},
             {&kTransmitJ1939, {{1, {"3", "0", "0x1F000", "1", "8", "Y", "N", "Y", "100", M}}}}}},
        {7, {{&kReceiveNmea, {{1, {"127250", "1", "N", "Y", "0", "8", "N", M}}}},
             {&kTransmitNmea, {{1, {"2", "127251", "5", "Y", "16", "N", "Y", "N", "", M}}}}}},
        {8, {{&kNodeGuard, {{1, {"5", "100", "3", M}}}}, {&kRestartDevices, {{1, {"Y", M}}, {5, {"Y", ""}}}}}},
        {29, {{&kDmxDefaultValues, {{1, {"0xFF", M}}, {3, {"7", ""}}}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        MessageRecorder messages;
        const QList<BankFile> empty = Build(c.type);

        std::vector<int> rowCounts;
        for (const TableRows& t : c.tables) {
            TableModel m(*t.def);
            m.FormShow();
            for (const auto& [r, cells] : t.rows)
                for (int col = 0; col < cells.size(); ++col)
                    m.Grid().SetCellEx(col + 1, r, cells[col]);
            EXPECT_TRUE(m.Accept()) << messages.Texts().join('|').toStdString();
            rowCounts.push_back(m.Grid().RowCount() - 1);
            // The reopened table shows the typed rows.
            TableModel again(*t.def);
            again.FormShow();
            for (const auto& [r, cells] : t.rows)
                for (int col = 0; col < cells.size(); ++col)
                    EXPECT_EQ(again.Grid().GetCellEx(col + 1, r), cells[col]);
        }
        EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
        const QList<BankFile> typed = Build(c.type);
        EXPECT_FALSE(Same(typed, empty));

        for (size_t i = 0; i < c.tables.size(); ++i) {
            QFile f(*c.tables[i].def->path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(HandWritten(c.tables[i], rowCounts[i]));
        }
        EXPECT_TRUE(Same(Build(c.type), typed));
    }
}
