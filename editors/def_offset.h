#pragma once
#include "controls/grid/core/ex_column_grid.h"
#include "editors/table_codec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace editors {

// One DeviceNet slave of DNETM_Net.xml with the PROFINET position ("None" or
// a decimal position) and mnemonic of each of its input and output bytes.
struct SlaveDN
{
    int id = 0;
    int byteIn = 0;
    int byteOut = 0;
    QString mnemonic;
    QStringList inOffset, inMnemonic, outOffset, outMnemonic;
    bool operator==(const SlaveDN&) const = default;
};

// The slaves of DNETM_Net.xml, each with no offsets ("None"). Reading stops
// at a row whose ID, NB_IN or NB_OUT is missing or not a number from 0 to
// 65535 (the slaves before stay).
LoadResult ReadSlaves(const QByteArray& bytes, const QString& fileName, std::vector<SlaveDN>& slaves);
// The offsets of DNETM_DefOff.xml into the slaves, matched by position. A
// node without ByteIN or ByteOUT leaves that side without offsets.
LoadResult ReadOffsets(const QByteArray& bytes, const QString& fileName, std::vector<SlaveDN>& slaves);
QByteArray WriteOffsets(const std::vector<SlaveDN>& slaves, int deviceType);
// The output double-use check: empty when no PROFINET output position is
// used twice, else the error box's text.
QString CheckOutputOffsets(const std::vector<SlaveDN>& slaves);

// The offset window without its widgets: the slave grid, the two byte grids
// showing one slave at a time, and the showing, slave choice and OK steps.
class DefOffsetModel
{
public:
    DefOffsetModel();

    grid::TExColumnGrid& SlaveGrid() { return slaveGrid_; }
    grid::TExColumnGrid& ByteInGrid() { return inGrid_; }
    grid::TExColumnGrid& ByteOutGrid() { return outGrid_; }
    const std::vector<SlaveDN>& Slaves() const { return slaves_; }
    int SelectedSlave() const { return selected_; }
    int MaxByteIn() const { return maxIn_; }
    int MaxByteOut() const { return maxOut_; }

    void Set_Lang();
    // Reads the limits, the slaves and their offsets, and shows the first slave.
    void FormShow();
    // Keeps the shown slave's bytes and shows slave index (from 0).
    void SelectSlave(int index);
    // OK: keeps the shown bytes, checks, asks where a file was not fully
    // loaded, writes. True when written.
    bool Accept();

private:
    void StoreShownSlave();
    void ShowSlave(int index);

    grid::TExColumnGrid slaveGrid_, inGrid_, outGrid_;
    std::vector<SlaveDN> slaves_;
    int selected_ = -1;
    int maxIn_ = 1438;
    int maxOut_ = 1438;
    bool complete_ = true;
};

} // namespace editors
