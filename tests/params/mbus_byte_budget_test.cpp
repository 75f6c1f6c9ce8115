// Bytes an M-Bus network takes in the PROFINET output area.
#include "mbus_byte_budget.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

MBusByteCount Count(const QByteArray& nodes)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/M_Bus.xml";
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<M-Bus_Network>" + nodes + "</M-Bus_Network><!--SW_VERSION = 1.305-->");
    f.close();
    return CountMBusBytes(path);
}

} // namespace

TEST(MBusByteBudget, Vectors)
{
    const QByteArray twoValues = "<Variabile Enable=\"1\" Type=\"1\" Dim=\"2\" TP_Mod_Regs=\"%R\"/>"
                                 "<Variabile Enable=\"1\" Type=\"3\" Dim=\"7\" Length=\"10\" Scale=\"1\" TP_Mod_Regs=\"%R\"/>";
    struct Case
    {
        const char* what;
        QByteArray nodes;
        int bytes;
    };
    const Case cases[] = {
        {"list type 0", "<Nodo Node_State=\"1\" Ident_Num=\"1\" Var_List_Type=\"0\">" + QByteArray(twoValues).replace("%R", "0") + "</Nodo>", 20},
        {"list type 1, register values", "<Nodo Node_State=\"1\" Ident_Num=\"1\" Var_List_Type=\"1\">" + QByteArray(twoValues).replace("%R", "1") + "</Nodo>", 16},
        {"time point as registers", "<Nodo Var_List_Type=\"0\"><Variabile Enable=\"1\" Type=\"20\" Dim=\"3\" TP_Mod_Regs=\"1\"/></Nodo>", 5},
        {"registers only count for time points in list 0", "<Nodo><Variabile Enable=\"1\" Type=\"2\" Dim=\"3\" TP_Mod_Regs=\"1\"/></Nodo>", 8},
        {"sizes by Dim", "<Nodo><Variabile Enable=\"1\" Type=\"1\" Dim=\"0\"/><Variabile Enable=\"1\" Type=\"1\" Dim=\"1\"/>"
                         "<Variabile Enable=\"1\" Type=\"1\" Dim=\"4\"/><Variabile Enable=\"1\" Type=\"1\" Dim=\"5\"/>"
                         "<Variabile Enable=\"1\" Type=\"1\" Dim=\"6\"/><Variabile Enable=\"1\" Type=\"1\" Dim=\"9\"/></Nodo>", 1 + 2 + 3 + 6 + 4 + 2},
        {"variable length without Length", "<Nodo><Variabile Enable=\"1\" Type=\"1\" Dim=\"7\"/><Variabile Enable=\"1\" Type=\"1\" Dim=\"0\"/></Nodo>", 1},
        {"disabled meter and value", "<Nodo Enable_Node=\"0\" Node_State=\"1\"><Variabile Enable=\"1\" Type=\"1\" Dim=\"3\"/></Nodo>"
                                     "<Nodo><Variabile Enable=\"0\" Type=\"1\" Dim=\"3\"/><Variabile Type=\"1\" Dim=\"3\"/></Nodo>", 1},
        {"meter without Enable_Node counts", "<Nodo Node_Enable=\"0\" Ident_Num=\"1\"/>", 4},
        {"bad numbers of disabled values are not read", "<Nodo><Variabile Enable=\"0\" Dim=\"x\"/></Nodo>", 1},
        {"Type is not needed outside list 0", "<Nodo Var_List_Type=\"2\"><Variabile Enable=\"1\" Dim=\"1\"/></Nodo>", 2},
        {"element names do not matter", "<Meter Node_State=\"1\"><Value Enable=\"1\" Type=\"1\" Dim=\"0\"/></Meter>", 2},
        {"empty network", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MBusByteCount r = Count(c.nodes);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.bytes, c.bytes);
    }
}

TEST(MBusByteBudget, MissingFileCountsOne)
{
    const MBusByteCount r = CountMBusBytes("/nonexistent/M_Bus.xml");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, 1);
}

TEST(MBusByteBudget, BadRequiredNumbersAreErrors)
{
    for (const QByteArray& nodes : {QByteArray("<Nodo><Variabile Enable=\"1\" Type=\"1\" Dim=\"x\"/></Nodo>"),
                                    QByteArray("<Nodo><Variabile Enable=\"1\" Type=\"1\"/></Nodo>"),
                                    QByteArray("<Nodo Var_List_Type=\"0\"><Variabile Enable=\"1\" Dim=\"1\" Type=\"\"/></Nodo>"),
                                    QByteArray("<Nodo><Variabile Enable=\"1\" Dim=\"1\"></Nodo>")}) {
        SCOPED_TRACE(nodes.toStdString());
        const MBusByteCount r = Count(nodes);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
    }
}
