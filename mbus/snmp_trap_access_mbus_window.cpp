#include "snmp_trap_access_mbus_window.h"

#include "app/button/lb_button.h"
#include "app/common/helpers.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/title_panel.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "platform/messages.h"

#include <QLabel>

TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus = nullptr;

namespace {

constexpr int ClientW = 1256;
constexpr int ClientH = 337;

// The editor of each column beyond plain text.
struct ColumnEditor
{
    int col;
    grid::TEditorType editor;
    int editLength;
    const char* items[2];
};
constexpr ColumnEditor kEditors[] = {
    {5, grid::edComboEdit, 15, {"Mirven", "Tenmark"}},
    {6, grid::edComboList, 0, {"Int", "String"}},
    {7, grid::edDataCheckBox, 0, {}},
    {8, grid::edDataCheckBox, 0, {}},
    {11, grid::edNormal, 15, {}},
};
constexpr int HiddenColumns[] = {7, 2, 1};   // right to left, so the indexes hold

} // namespace

TFSNMP_Trap_Access_MBus::TFSNMP_Trap_Access_MBus(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access_MBus"));
    MakeTitlePanel(this, ClientW, &L_SW_Code, &L_SW_Desc);
    L_SW_Code->setText(SoftwareCode);

    m_grid = std::make_unique<grid::TExColumnGrid>();
    grid::TExColumnGrid& g = *m_grid;
    g.SetColCount(mbus::SnmpColumns);
    g.SetRowCount(2);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.EnableHTML = false;
    for (int c = 0; c < mbus::SnmpColumns; ++c) {
        grid::TGridColumnItem* item = g.Columns()[c];
        item->SetWidth(mbus::kSnmpColumns[c].width);
        item->ReadOnly = mbus::kSnmpColumns[c].readOnly;
    }
    for (const ColumnEditor& e : kEditors) {
        grid::TGridColumnItem* item = g.Columns()[e.col];
        item->SetEditor(e.editor);
        item->EditLength = e.editLength;
        for (const char* text : e.items)
            if (text)
                item->ComboItems.append(QString::fromLatin1(text));
        item->CheckTrue = QStringLiteral("Y");
        item->CheckFalse = QStringLiteral("N");
    }
    grid::TGridOptions opts = g.Options();
    for (auto o : {grid::goFixedVertLine, grid::goFixedHorzLine, grid::goVertLine, grid::goHorzLine,
                   grid::goColSizing, grid::goEditing})
        opts.Include(o);
    g.SetOptions(opts);
    g.Loaded();
    for (int c : HiddenColumns)
        g.HideColumn(c);
    g.OnGridHint = [this](grid::TExStringGrid*, int row, int col, QString& hint) {
        const int real = m_grid->RealColIndex(col);
        hint = row == 0 && real >= 1 && real - 1 < Hint_SNMP.size() ? Hint_SNMP[real - 1] : QString();
    };
    g.OnKeyPress = [this](grid::TExStringGrid*, QChar& key) {
        char16_t k = key.unicode();
        Grid_KeyPress(*m_grid, k);
        key = QChar(k);
    };

    ACG_SNMP_Read = new grid::TGridWidget(g, this);
    ACG_SNMP_Read->setObjectName(QStringLiteral("ACG_SNMP_Read"));
    ACG_SNMP_Read->setGeometry(8, 56, ClientW - 16, ClientH - 56 - 48);

    Btn_OK = MakeButton(this, "Btn_OK", ClientW / 2 - 110, ClientH - 40, 100, 32);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", ClientW / 2 + 10, ClientH - 40, 100, 32);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFSNMP_Trap_Access_MBus::Btn_OKClick);
    SetClientSize(ClientW, ClientH);
    Set_Lang();
}

TFSNMP_Trap_Access_MBus::~TFSNMP_Trap_Access_MBus()
{
    delete ACG_SNMP_Read;   // before the grid it shows
}

void TFSNMP_Trap_Access_MBus::Set_Lang()
{
    setWindowTitle(Lang(1900));
    L_SW_Desc->setText(Lang(1901));
    Btn_OK->SetCaption(Lang(1902));
    Btn_Cancel->SetCaption(Lang(1903));
    Btn_OK->setToolTip(Lang(1904));
    Btn_Cancel->setToolTip(Lang(1905));
    for (int c = 0; c < mbus::SnmpColumns; ++c)
        m_grid->Columns()[c]->SetHeader(Lang(1906 + c));
    Hint_SNMP.clear();
    for (int n = 1920; n <= 1932; ++n)
        Hint_SNMP.append(Lang(n));
}

void TFSNMP_Trap_Access_MBus::Populate_SNMP_Table(const mbus::Network& network)
{
    grid::TExColumnGrid& g = *m_grid;
    g.SetRowCount(2);
    for (int c = 0; c < g.AllColCount(); ++c)
        g.SetCellEx(c, 1, QString());
    const std::vector<mbus::SnmpRow> rows = mbus::Populate_SNMP_Table(network);
    g.SetRowCount(std::max<int>(2, static_cast<int>(rows.size()) + 1));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < mbus::SnmpColumns; ++c)
            g.SetCellEx(c, static_cast<int>(r) + 1, rows[r].value(c));
}

std::vector<mbus::SnmpRow> TFSNMP_Trap_Access_MBus::Rows() const
{
    std::vector<mbus::SnmpRow> rows;
    for (int r = 1; r < m_grid->RowCount(); ++r) {
        mbus::SnmpRow row;
        for (int c = 0; c < mbus::SnmpColumns; ++c)
            row.append(m_grid->GetCellEx(c, r));
        rows.push_back(row);
    }
    return rows;
}

void TFSNMP_Trap_Access_MBus::Btn_OKClick()
{
    const QString message = mbus::Controllo_dati(Rows());
    if (!message.isEmpty()) {
        Messages::Error(message);
        return;
    }
    done(mrOk);
}

bool TFSNMP_Trap_Access_MBus::Edit(mbus::Network& network)
{
    Populate_SNMP_Table(network);
    if (ShowModal() != mrOk)
        return false;
    mbus::Copy_SNMP_Values(Rows(), network);
    return true;
}
