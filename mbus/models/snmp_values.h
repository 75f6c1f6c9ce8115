#pragma once
// The SNMP values table of the network editor without its grid: one row of
// 14 cell texts per published value, its checks and the copy back.
#include "mbus/core/network.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace mbus {

constexpr int SnmpColumns = 14;
using SnmpRow = QStringList;   // SnmpColumns texts

// Column headers (language texts 1906..), widths and editors by column.
struct SnmpColumn
{
    int width;
    bool readOnly;
    bool hidden;
};
extern const SnmpColumn kSnmpColumns[SnmpColumns];

QString Get_Node_Desc(const TNodo& node);

// The rows of the enabled nodes and values, numbered from 1; one blank row
// when there is none (the grid keeps its first data row).
std::vector<SnmpRow> Populate_SNMP_Table(const Network& network);

// The first failure as its message ("Error row " n and the field's text, or
// the duplicate message), empty when the table passes.
QString Controllo_dati(const std::vector<SnmpRow>& rows);

// Writes the settings of every row that names a node and value back.
void Copy_SNMP_Values(const std::vector<SnmpRow>& rows, Network& network);

} // namespace mbus
