#pragma once
#include "app/forms/form_base.h"

#include <QStringList>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class TLbButton;
namespace grid {
class TExColumnGrid;
class TGridWidget;
} // namespace grid

// The Modbus start address of each scanned meter, with the node state and
// identification number options.
class TFModbusStartAdd_SD : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFModbusStartAdd_SD(QWidget* parent = nullptr);
    ~TFModbusStartAdd_SD() override;
    void Set_Lang() override;
    void Btn_OKClick();

    // One data row per meter (column 0 as given, column 1 "1").
    void Carica_Dati_Modbus_Start_Add(const std::vector<QString>& meters);
    // Column 1 of the data rows.
    QStringList Start_Addresses() const;
    grid::TExColumnGrid& Grid() { return *m_grid; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QCheckBox* CB_En_NodeState = nullptr;
    QCheckBox* CB_En_IndNum = nullptr;
    grid::TGridWidget* sga = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

private:
    std::unique_ptr<grid::TExColumnGrid> m_grid;
};

extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
