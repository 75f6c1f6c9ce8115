#pragma once
#include "controls/grid/core/ex_column_grid.h"
#include "editors/table_check.h"

#include <memory>
#include <vector>

namespace editors {

// A table window without its widgets: one column grid per section, built
// from the table's definition, and the steps of showing, checking, writing
// and moving rows. Messages and questions go through Messages.
class TableModel
{
public:
    explicit TableModel(const TableDef& def);
    ~TableModel();

    const TableDef& Def() const { return def_; }
    int SectionCount() const { return int(grids_.size()); }
    grid::TExColumnGrid& Grid(int section = 0) { return *grids_[size_t(section)]; }

    // Headers from the language table.
    void Set_Lang();
    // Showing: the row count (from ParGen.xml where the table takes it), the
    // row numbers and initial cells, then the file. Reading problems are
    // shown at once and remembered for OK.
    void FormShow();
    const LoadResult& Loaded() const { return loaded_; }
    // Each section's byte limit as the last showing read it.
    const std::vector<int64_t>& SectionLimits() const { return limits_; }

    TableData Data() const;
    void SetData(const TableData& data);

    // OK: the check, the questions, the writing. True when the file was
    // written.
    bool Accept();
    // The row buttons on the current row of a section's grid.
    void DeleteRow(int section = 0);
    void InsertRow(int section = 0);
    // Every check box of the first check column set to "Y" or "N".
    void SetAllChecks(bool yes);

    // The SNMP map type and the hidden columns the last showing chose, and
    // the client width of its layout.
    const TableState& State() const { return state_; }
    int ClientWidth() const { return width_; }
    // Column 0 numbers the enabled rows, other rows empty.
    void Index_Row_Build(int section);
    // Copy Row and Paste Row on the current row of a section's grid; a row
    // pastes only into the section it was copied from.
    void CopyRow(int section);
    void PasteRow(int section);
    bool Copied(int section) const { return size_t(section) < copied_.size() && copied_[size_t(section)]; }
    // The header hint of a shown column (display index), empty for none.
    QString HeaderHint(int section, int displayCol) const;

private:
    void SetRowCount(int rows);
    int ReadRowCount();
    void ReadSectionLimits();
    void ReadLayout();
    void WireEvents(size_t section);

    const TableDef& def_;
    std::vector<std::unique_ptr<grid::TExColumnGrid>> grids_;
    LoadResult loaded_;
    std::vector<int64_t> limits_;
    TableState state_;
    int width_ = 0;
    std::vector<bool> copied_;
};

} // namespace editors
