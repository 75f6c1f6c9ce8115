#include "helpers.h"

#include "device_type.h"
#include "grid_services.h"
#include "int_text.h"
#include "language.h"
#include "messages.h"
#include "workspace.h"

#include <QSerialPortInfo>

int Get_Data_Type_Code(const QString& text)
{
    static const char* const names[] = {
        "Byte", "Int 1 byte", "Int 2 bytes", "Int 4 bytes", "Int 8 bytes", "Octet String",
        "Float to Int 1 byte", "Float to Int 2 bytes", "Float to Int 4 bytes", "Float to Int 8 bytes",
    };
    for (int i = 0; i < 10; ++i)
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

bool Split_IP_Address(const QString& text, uint8_t& b1, uint8_t& b2, uint8_t& b3, uint8_t& b4)
{
    if (text.isEmpty())
        return true;
    uint8_t* out[4] = {&b1, &b2, &b3, &b4};
    QString rest = text;
    bool bad = false;
    for (int i = 0; i < 4; ++i) {
        const int dot = rest.indexOf(QLatin1Char('.'));
        // Parts 1..3 end at a "."; without one the part is empty (bad).
        const QString part = i == 3 ? rest : dot >= 0 ? rest.left(dot) : QString();
        int32_t v;
        if (TryStrToInt(part, v) && v >= 0 && v <= 255) {
            *out[i] = static_cast<uint8_t>(v);
        } else {
            *out[i] = 0;
            bad = true;
        }
        if (i < 3 && dot >= 0)
            rest = rest.mid(dot + 1);
    }
    return bad;
}

int Get_SNMP_Security_Level(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("AUTH NOPRIV"))
        return 1;
    if (t == QLatin1String("AUTH PRIV"))
        return 2;
    return 0;
}

int Get_SNMP_Auth_Mode(const QString& text)
{
    return text.trimmed().toUpper() == QLatin1String("SHA") ? 1 : 0;
}

int Get_SNMP_Privacy_Mode(const QString& text)
{
    return text.trimmed().toUpper() == QLatin1String("AES") ? 1 : 0;
}

int Check_Alphanumeric(const QString& text, int mode)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool lower = c >= u'a' && c <= u'z';
        const bool ok = lower || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        if (!ok || (mode == 1 && i == 0 && !lower))
            return 1;
    }
    return 0;
}

int Get_MBus_Dev_Code()
{
    return DeviceType == 10 ? 11 : DeviceType == 21 ? 20 : 0;
}

int Get_MBus_Form_Type()
{
    return 0;
}

int Get_BACnet_EngUnits(int, int)
{
    return 0;
}

QStringList Get_COM_Ports()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& p : ports)
        names.append(p.portName());
    names.sort();
    return names;
}

namespace {

void CopyRowCells(GridServices& grid, int from, int to)
{
    for (int c = 1; c < grid.AllColCount(); ++c)
        grid.SetCellEx(c, to, grid.GetCellEx(c, from));
}

void EmptyRow(GridServices& grid, int row)
{
    for (int c = 1; c < grid.AllColCount(); ++c)
        grid.SetCellEx(c, row, QString());
}

} // namespace

void Delete_Row(int row, GridServices& grid)
{
    for (int r = row; r <= grid.RowCount() - 2; ++r)
        CopyRowCells(grid, r + 1, r);
    EmptyRow(grid, grid.RowCount() - 1);
}

void Insert_Row(int row, GridServices& grid)
{
    for (int r = grid.RowCount() - 2; r >= row; --r)
        CopyRowCells(grid, r, r + 1);
    EmptyRow(grid, row);
}

void Copy_Row(GridServices& grid, int row)
{
    RowClipboard.clear();
    for (int c = 1; c < grid.AllColCount(); ++c)
        RowClipboard.append(grid.GetCellEx(c, row));
}

void Paste_Row(GridServices& grid, int row, bool copied)
{
    if (!copied) {
        Messages::Error(Lang(1102));
        return;
    }
    if (grid.AllColCount() != RowClipboard.size() + 1) {
        Messages::Error(Lang(1101));
        return;
    }
    bool used = false;
    for (int c = 1; c < grid.AllColCount() && !used; ++c)
        used = !grid.IsCheckBoxColumn(c) && !grid.GetCellEx(c, row).trimmed().isEmpty();
    if (used && !Messages::Ask(Lang(1100)))
        return;
    for (int c = 1; c < grid.AllColCount(); ++c)
        grid.SetCellEx(c, row, RowClipboard[c - 1]);
}

void Grid_DblClickCell(GridServices& grid, int row, int col)
{
    if (DoubleClickAutoSize && row == 0)
        grid.AutoSizeCol(col, 0);
}

void Grid_KeyPress(GridServices& grid, char16_t& key)
{
    if (!EnableJumpFieldTables || key != u'\r')
        return;
    if (grid.Col() > 0 && grid.Row() > 0) {
        if (grid.Col() < grid.ColCount() - 1) {
            grid.SetCol(grid.Col() + 1);
        } else if (grid.Row() < grid.RowCount() - 1) {
            grid.SetCol(1);
            grid.SetRow(grid.Row() + 1);
        } else {
            grid.SetCol(1);
            grid.SetRow(1);
        }
    }
    key = 0;
}
