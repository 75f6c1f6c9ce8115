#include "helpers.h"

#include "device_type.h"
#include "grid_services.h"
#include "language.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "workspace.h"

#include <QVector>
#include <gtest/gtest.h>

namespace {

// A plain table: row 0 headers, column 0 row numbers; the last `hidden`
// columns are hidden (cells kept, not shown).
class FakeGrid : public GridServices
{
public:
    FakeGrid(int cols, int rows, QVector<int> checkColumns = {}, int hidden = 0)
        : m_cols(cols), m_rows(rows), m_hidden(hidden), m_cells(cols * rows), m_check(std::move(checkColumns))
    {
        for (int r = 1; r < rows; ++r)
            m_cells[r * cols] = QString::number(r);
    }
    int RowCount() const override { return m_rows; }
    int ColCount() const override { return m_cols - m_hidden; }
    int AllColCount() const override { return m_cols; }
    QString GetCellEx(int c, int r) const override { return m_cells[r * m_cols + c]; }
    void SetCellEx(int c, int r, const QString& t) override { m_cells[r * m_cols + c] = t; }
    int Col() const override { return m_col; }
    int Row() const override { return m_row; }
    void SetCol(int c) override { m_col = c; }
    void SetRow(int r) override { m_row = r; }
    bool IsCheckBoxColumn(int c) const override { return m_check.contains(c); }
    void AutoSizeCol(int c, int margin) override { autoSized.append({c, margin}); }

    void FillRow(int r, const QStringList& texts)
    {
        for (int c = 1; c < m_cols; ++c)
            SetCellEx(c, r, texts.value(c - 1));
    }
    QStringList RowTexts(int r) const
    {
        QStringList t;
        for (int c = 1; c < m_cols; ++c)
            t.append(GetCellEx(c, r));
        return t;
    }

    QVector<std::pair<int, int>> autoSized;

private:
    int m_cols, m_rows, m_hidden;
    QVector<QString> m_cells;
    QVector<int> m_check;
    int m_col = 1, m_row = 1;
};

TEST(Helpers, DataTypeCodes)
{
    const std::pair<const char*, int> cases[] = {
        {"Byte", 0}, {"Int 1 byte", 1}, {"Int 2 bytes", 2}, {"Int 4 bytes", 3}, {"Int 8 bytes", 4},
        {"Octet String", 5}, {"Float to Int 1 byte", 6}, {"Float to Int 2 bytes", 7},
        {"fLOAT tO iNT 2 BYTES", 7}, {"Float to Int 4 bytes", 8}, {"Float to Int 8 bytes", 9},
        {"Float to Int 2 bytes ", 0}, {" Int 1 byte", 0}, {"", 0}, {"Int 3 bytes", 0},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(Get_Data_Type_Code(QString::fromLatin1(text)), code) << '"' << text << '"';
}

TEST(Helpers, SplitIPAddress)
{
    struct Case
    {
        const char* text;
        uint8_t b[4];
        bool bad;
    };
    const Case cases[] = {
        {"192.168.0.1", {192, 168, 0, 1}, false},
        {"192.168.2.205", {192, 168, 2, 205}, false},
        {"10.0.0.256", {10, 0, 0, 0}, true},
        {"192.168.1", {192, 168, 0, 1}, true},
        {"1.2.3.4.5", {1, 2, 3, 0}, true},
        {"a.2.3.4", {0, 2, 3, 4}, true},
        {"1.-1.3.4", {1, 0, 3, 4}, true},
        {"0.0.0.0", {0, 0, 0, 0}, false},
        {"255.255.255.255", {255, 255, 255, 255}, false},
        {"1..3.4", {1, 0, 3, 4}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.text), b1, b2, b3, b4), c.bad);
        EXPECT_EQ(b1, c.b[0]);
        EXPECT_EQ(b2, c.b[1]);
        EXPECT_EQ(b3, c.b[2]);
        EXPECT_EQ(b4, c.b[3]);
    }
    uint8_t b1 = 7, b2 = 7, b3 = 7, b4 = 7;
    EXPECT_TRUE(Split_IP_Address(QString(), b1, b2, b3, b4));
    EXPECT_EQ(b1 + b2 + b3 + b4, 28);   // untouched
}

TEST(Helpers, SnmpCodes)
{
    EXPECT_EQ(Get_SNMP_Security_Level(QStringLiteral(" auth nopriv ")), 1);
    EXPECT_EQ(Get_SNMP_Security_Level(QStringLiteral("Auth Priv")), 2);
    EXPECT_EQ(Get_SNMP_Security_Level(QStringLiteral("No Auth No Priv")), 0);
    EXPECT_EQ(Get_SNMP_Security_Level(QStringLiteral("AUTH  PRIV")), 0);
    EXPECT_EQ(Get_SNMP_Auth_Mode(QStringLiteral("sha")), 1);
    EXPECT_EQ(Get_SNMP_Auth_Mode(QStringLiteral("MD5")), 0);
    EXPECT_EQ(Get_SNMP_Privacy_Mode(QStringLiteral(" AES")), 1);
    EXPECT_EQ(Get_SNMP_Privacy_Mode(QStringLiteral("DES")), 0);
}

TEST(Helpers, CheckAlphanumeric)
{
    const std::tuple<const char*, int, int> cases[] = {
        {"", 0, 0}, {"", 1, 0},
        {"abc123", 0, 0}, {"abc123", 1, 0},
        {"Abc123", 0, 0}, {"Abc123", 1, 1},
        {"1abc", 0, 0}, {"1abc", 1, 1},
        {"ab-c", 0, 1}, {"ab-c", 1, 1},
        {"ab c", 0, 1}, {"ab c", 1, 1},
        {"ab\u00e8", 0, 1},
    };
    for (const auto& [text, mode, result] : cases)
        EXPECT_EQ(Check_Alphanumeric(QString::fromUtf8(text), mode), result) << text << " mode " << mode;
}

TEST(Helpers, MBusCodesFollowTheModel)
{
    TempProgramFolder folder;
    int count = 0;
    const DeviceTypeInfo* types = AllDeviceTypes(&count);
    for (int i = 0; i < count; ++i) {
        DeviceType = types[i].type;
        EXPECT_EQ(Get_MBus_Dev_Code(), DeviceType == 10 ? 11 : DeviceType == 21 ? 20 : 0) << DeviceType;
        EXPECT_EQ(Get_MBus_Form_Type(), 0);
    }
    EXPECT_EQ(Get_BACnet_EngUnits(3, 7), 0);
}

TEST(Helpers, DeleteAndInsertKeepTheRowCount)
{
    FakeGrid g(4, 5);
    for (int r = 1; r < 5; ++r)
        g.FillRow(r, {QStringLiteral("a%1").arg(r), QStringLiteral("b%1").arg(r), QStringLiteral("c%1").arg(r)});

    Delete_Row(2, g);
    EXPECT_EQ(g.RowTexts(1), (QStringList{"a1", "b1", "c1"}));
    EXPECT_EQ(g.RowTexts(2), (QStringList{"a3", "b3", "c3"}));
    EXPECT_EQ(g.RowTexts(3), (QStringList{"a4", "b4", "c4"}));
    EXPECT_EQ(g.RowTexts(4), (QStringList{"", "", ""}));
    EXPECT_EQ(g.GetCellEx(0, 2), QStringLiteral("2"));   // row numbers untouched
    EXPECT_EQ(g.RowCount(), 5);

    Insert_Row(1, g);
    EXPECT_EQ(g.RowTexts(1), (QStringList{"", "", ""}));
    EXPECT_EQ(g.RowTexts(2), (QStringList{"a1", "b1", "c1"}));
    EXPECT_EQ(g.RowTexts(4), (QStringList{"a4", "b4", "c4"}));

    // On the last row both simply empty it.
    Delete_Row(4, g);
    EXPECT_EQ(g.RowTexts(4), (QStringList{"", "", ""}));
    g.FillRow(4, {"x", "y", "z"});
    Insert_Row(4, g);
    EXPECT_EQ(g.RowTexts(4), (QStringList{"", "", ""}));
    EXPECT_EQ(g.RowTexts(3), (QStringList{"a3", "b3", "c3"}));
}

TEST(Helpers, CopyAndPasteRow)
{
    TempProgramFolder folder;
    FakeGrid g(4, 4, {3});   // column 3 is a check box
    g.FillRow(1, {"Y", "text", "Y"});
    Copy_Row(g, 1);
    EXPECT_EQ(RowClipboard, (QStringList{"Y", "text", "Y"}));

    {   // Nothing copied in this grid.
        MessageRecorder m;
        Paste_Row(g, 2, false);
        EXPECT_EQ(m.Texts(), QStringList{Lang(1102)});
        EXPECT_EQ(g.RowTexts(2), (QStringList{"", "", ""}));
    }
    {   // A clipboard from a grid of another width.
        MessageRecorder m;
        FakeGrid wide(5, 3);
        Paste_Row(wide, 1, true);
        EXPECT_EQ(m.Texts(), QStringList{Lang(1101)});
    }
    {   // A row holding only check-box values counts as free: no question.
        MessageRecorder m;
        g.FillRow(2, {"", "", "N"});
        Paste_Row(g, 2, true);
        EXPECT_TRUE(m.Empty());
        EXPECT_EQ(g.RowTexts(2), (QStringList{"Y", "text", "Y"}));
    }
    {   // A used row asks; No changes nothing, Yes overwrites.
        MessageRecorder m;
        g.FillRow(3, {"N", "  old ", "N"});
        m.QueueAnswer(false);
        Paste_Row(g, 3, true);
        EXPECT_EQ(m.Texts(), QStringList{Lang(1100)});
        EXPECT_EQ(g.RowTexts(3), (QStringList{"N", "  old ", "N"}));
        m.QueueAnswer(true);
        Paste_Row(g, 3, true);
        EXPECT_EQ(g.RowTexts(3), (QStringList{"Y", "text", "Y"}));
    }
    {   // Blank-only text does not make a row used.
        MessageRecorder m;
        g.FillRow(1, {"   ", "", ""});
        Paste_Row(g, 1, true);
        EXPECT_TRUE(m.Empty());
    }
}

TEST(Helpers, RowHelpersCarryHiddenColumnsAndEnterWalksShownOnes)
{
    TempProgramFolder folder;
    FakeGrid g(4, 4, {}, 1);   // columns 1, 2 shown, column 3 hidden
    g.FillRow(1, {"a", "b", "hidden1"});
    g.FillRow(2, {"c", "d", "hidden2"});
    Insert_Row(1, g);
    EXPECT_EQ(g.RowTexts(2), (QStringList{"a", "b", "hidden1"}));
    EXPECT_EQ(g.RowTexts(1), (QStringList{"", "", ""}));
    Delete_Row(1, g);
    EXPECT_EQ(g.RowTexts(2), (QStringList{"c", "d", "hidden2"}));

    Copy_Row(g, 1);
    EXPECT_EQ(RowClipboard, (QStringList{"a", "b", "hidden1"}));
    {   // The count check counts the hidden column: a row copied without it is refused.
        MessageRecorder m;
        RowClipboard = QStringList{"a", "b"};
        Paste_Row(g, 3, true);
        EXPECT_EQ(m.Texts(), QStringList{Lang(1101)});
    }
    {   // Only the hidden cell in use still makes the row used.
        MessageRecorder m;
        RowClipboard = QStringList{"x", "y", "z"};
        g.FillRow(3, {"", "", "kept"});
        m.QueueAnswer(false);
        Paste_Row(g, 3, true);
        EXPECT_EQ(m.Texts(), QStringList{Lang(1100)});
        EXPECT_EQ(g.RowTexts(3), (QStringList{"", "", "kept"}));
    }

    EnableJumpFieldTables = true;
    g.SetCol(2);
    g.SetRow(1);
    char16_t key = u'\r';
    Grid_KeyPress(g, key);
    EXPECT_EQ(std::make_pair(g.Col(), g.Row()), std::make_pair(1, 2));   // past the last shown column
}

TEST(Helpers, EnterMovesToTheNextCellOnlyWhenAllowed)
{
    TempProgramFolder folder;
    FakeGrid g(3, 3);   // data cells (1..2, 1..2)
    char16_t key = u'\r';
    EnableJumpFieldTables = false;
    Grid_KeyPress(g, key);
    EXPECT_EQ(key, u'\r');
    EXPECT_EQ(std::make_pair(g.Col(), g.Row()), std::make_pair(1, 1));

    EnableJumpFieldTables = true;
    const std::pair<int, int> path[] = {{2, 1}, {1, 2}, {2, 2}, {1, 1}};
    for (const auto& next : path) {
        key = u'\r';
        Grid_KeyPress(g, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(std::make_pair(g.Col(), g.Row()), next);
    }
    key = u'a';
    Grid_KeyPress(g, key);
    EXPECT_EQ(key, u'a');

    // On the header row Enter is swallowed but does not move.
    g.SetRow(0);
    key = u'\r';
    Grid_KeyPress(g, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(std::make_pair(g.Col(), g.Row()), std::make_pair(1, 0));
}

TEST(Helpers, DoubleClickOnHeaderFitsTheColumn)
{
    TempProgramFolder folder;
    FakeGrid g(3, 3);
    Grid_DblClickCell(g, 0, 2);
    EXPECT_TRUE(g.autoSized.isEmpty());
    DoubleClickAutoSize = true;
    Grid_DblClickCell(g, 1, 2);
    EXPECT_TRUE(g.autoSized.isEmpty());
    Grid_DblClickCell(g, 0, 2);
    ASSERT_EQ(g.autoSized.size(), 1);
    EXPECT_EQ(g.autoSized[0], std::make_pair(2, 0));
}

TEST(Helpers, SerialPortListIsSortedNames)
{
    const QStringList ports = Get_COM_Ports();
    QStringList sorted = ports;
    sorted.sort();
    EXPECT_EQ(ports, sorted);
    for (const QString& p : ports)
        EXPECT_FALSE(p.contains(QLatin1Char('/'))) << p.toStdString();
}

} // namespace
