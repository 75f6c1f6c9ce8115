#include "modbus_start_add_sd_window.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/title_panel.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "mbus/models/scan_checks.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QLabel>

TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

TFModbusStartAdd_SD::TFModbusStartAdd_SD(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FModbusStartAdd_SD"));
    MakeTitlePanel(this, 511, &L_SW_Code, &L_SW_Desc);
    L_SW_Code->setText(SoftwareCode);
    CB_En_NodeState = new QCheckBox(this);
    CB_En_NodeState->setObjectName(QStringLiteral("CB_En_NodeState"));
    CB_En_NodeState->setGeometry(16, 58, 220, 21);
    CB_En_IndNum = new QCheckBox(this);
    CB_En_IndNum->setObjectName(QStringLiteral("CB_En_IndNum"));
    CB_En_IndNum->setGeometry(250, 58, 240, 21);

    m_grid = std::make_unique<grid::TExColumnGrid>();
    grid::TExColumnGrid& g = *m_grid;
    g.SetColCount(2);
    g.SetRowCount(1);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetDefaultRowHeight(21);
    g.Columns()[0]->SetWidth(200);
    g.Columns()[0]->ReadOnly = true;
    g.Columns()[1]->SetWidth(200);
    grid::TGridOptions opts = g.Options();
    for (auto o : {grid::goFixedVertLine, grid::goFixedHorzLine, grid::goVertLine, grid::goHorzLine,
                   grid::goRangeSelect, grid::goDrawFocusSelected, grid::goColSizing, grid::goEditing})
        opts.Include(o);
    g.SetOptions(opts);
    g.Loaded();
    sga = new grid::TGridWidget(g, this);
    sga->setObjectName(QStringLiteral("sga"));
    sga->setGeometry(16, 86, 479, 196);

    Btn_OK = MakeButton(this, "Btn_OK", 150, 294, 100, 32);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 262, 294, 100, 32);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFModbusStartAdd_SD::Btn_OKClick);
    SetClientSize(511, 336);
    Set_Lang();
}

TFModbusStartAdd_SD::~TFModbusStartAdd_SD()
{
    delete sga;   // before the grid it shows
}

void TFModbusStartAdd_SD::Set_Lang()
{
    setWindowTitle(Lang(1500));
    L_SW_Desc->setText(Lang(1501));
    CB_En_NodeState->setText(Lang(1502));
    CB_En_IndNum->setText(Lang(1503));
    m_grid->Columns()[0]->SetHeader(Lang(1504));
    m_grid->Columns()[1]->SetHeader(Lang(1505));
    Btn_OK->SetCaption(Lang(1506));
    Btn_Cancel->SetCaption(Lang(1507));
}

void TFModbusStartAdd_SD::Carica_Dati_Modbus_Start_Add(const std::vector<QString>& meters)
{
    grid::TExColumnGrid& g = *m_grid;
    g.SetRowCount(static_cast<int>(meters.size()) + 1);
    for (size_t i = 0; i < meters.size(); ++i) {
        g.SetCells(0, static_cast<int>(i) + 1, meters[i]);
        g.SetCells(1, static_cast<int>(i) + 1, QStringLiteral("1"));
    }
}

QStringList TFModbusStartAdd_SD::Start_Addresses() const
{
    QStringList column;
    for (int r = 1; r < m_grid->RowCount(); ++r)
        column.append(m_grid->Cells(1, r));
    return column;
}

void TFModbusStartAdd_SD::Btn_OKClick()
{
    const QString message = mbus::Check_Start_Addresses(Start_Addresses());
    if (!message.isEmpty()) {
        Messages::Error(message);
        return;
    }
    done(mrOk);
}
