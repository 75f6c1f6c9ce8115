#pragma once
#include "app/forms/form_base.h"

#include "mbus/models/snmp_values.h"

#include <QStringList>
#include <memory>

class QLabel;
class TLbButton;
namespace grid {
class TExColumnGrid;
class TGridWidget;
} // namespace grid

// The SNMP trap settings of every published M-Bus value, one grid row each.
class TFSNMP_Trap_Access_MBus : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access_MBus(QWidget* parent = nullptr);
    ~TFSNMP_Trap_Access_MBus() override;
    void Set_Lang() override;
    void Btn_OKClick();

    // Blanks the table and fills it from the network.
    void Populate_SNMP_Table(const mbus::Network& network);
    // The table's data rows, hidden columns included.
    std::vector<mbus::SnmpRow> Rows() const;
    // Shows the table of the network; on OK copies it back. True on OK.
    bool Edit(mbus::Network& network);

    grid::TExColumnGrid& Grid() { return *m_grid; }
    QStringList Hint_SNMP;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    grid::TGridWidget* ACG_SNMP_Read = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

private:
    std::unique_ptr<grid::TExColumnGrid> m_grid;
};

extern TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus;
