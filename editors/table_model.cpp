#include "editors/table_model.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "device_type.h"
#include "helpers.h"
#include "language.h"
#include "messages.h"
#include "workspace.h"

namespace editors {

using namespace grid;

namespace {

constexpr TEditorType kEditors[] = {edNormal, edComboList, edDataCheckBox, edComboEdit};

} // namespace

TableModel::TableModel(const TableDef& def) : def_(def)
{
    for (size_t s = 0; s < def.sections.size(); ++s) {
        const std::vector<ColumnDef>& columns = ColumnsOf(def, s);
        const int cols = int(columns.size()) + 1;
        auto g = std::make_unique<TExColumnGrid>();
        g->SetColCount(cols);
        g->SetRowCount(def.rows.capacity + 1);
        g->SetFixedRows(1);
        g->SetFixedCols(1);
        g->EnableHTML = false;
        TGridOptions o = g->Options();
        o.Include(goEditing);
        o.Include(goColSizing);
        g->SetOptions(o);
        g->Columns()[0]->SetWidth(def.numberWidth);
        g->Columns()[0]->ReadOnly = true;
        for (int c = 1; c < cols; ++c) {
            const ColumnDef& cd = columns[size_t(c - 1)];
            TGridColumnItem* item = g->Columns()[c];
            item->SetEditor(kEditors[int(cd.edit)]);
            if (cd.items)
                item->ComboItems = QString::fromUtf8(cd.items).split(QLatin1Char('|'));
            item->SetWidth(cd.width);
            item->EditLength = cd.editLength;
        }
        g->Loaded();
        grids_.push_back(std::move(g));
        WireEvents(s);
    }
    Set_Lang();
}

TableModel::~TableModel() = default;

void TableModel::Set_Lang()
{
    for (size_t s = 0; s < grids_.size(); ++s) {
        auto& g = grids_[s];
        const std::vector<ColumnDef>& columns = ColumnsOf(def_, s);
        for (int c = 0; c < g->AllColCount(); ++c) {
            const QString text = Lang(c == 0 ? NumberHeaderOf(def_, s) : columns[size_t(c - 1)].header);
            if (def_.headersInCells)
                g->SetCellEx(c, 0, text);
            else
                g->Columns()[c]->SetHeader(text);
        }
    }
}

int TableModel::ReadRowCount()
{
    const RowsDef& rows = def_.rows;
    if (!rows.parGenElement)
        return rows.capacity;
    int n = rows.parGenDefault;
    try {
        const ParGen pg(File_ParGen);
        n = pg.Int(rows.parGenElement, rows.parGenDefault);
    } catch (const CompileError& e) {
        // A broken ParGen.xml: its message, and the limits of a missing file.
        Messages::Error(e.Message());
    }
    const int clamped = std::clamp(n, rows.min, rows.max);
    if (clamped != n)
        Messages::Warning(EditorText(TextChannelsClamped) + QString::number(clamped));
    return clamped;
}

void TableModel::ReadSectionLimits()
{
    limits_.clear();
    bool any = false;
    for (const SectionDef& s : def_.sections) {
        limits_.push_back(s.limitDefault);
        any = any || s.limitElement;
    }
    if (!any)
        return;
    try {
        const ParGen pg(File_ParGen);
        for (size_t s = 0; s < limits_.size(); ++s)
            if (def_.sections[s].limitElement)
                limits_[s] = pg.Int(def_.sections[s].limitElement, def_.sections[s].limitDefault);
    } catch (const CompileError& e) {
        // A broken ParGen.xml: its message, and the limits of a missing file.
        Messages::Error(e.Message());
    }
}

void TableModel::SetRowCount(int rows)
{
    for (size_t s = 0; s < grids_.size(); ++s) {
        auto& g = grids_[s];
        const std::vector<ColumnDef>& columns = ColumnsOf(def_, s);
        g->SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            g->SetCellEx(0, r, QString::number(r));
            for (int c = 1; c < g->AllColCount(); ++c)
                g->SetCellEx(c, r, QString::fromUtf8(columns[size_t(c - 1)].initial));
        }
    }
    if (def_.headersInCells)
        Set_Lang();
}

void TableModel::FormShow()
{
    const int rows = ReadRowCount();
    ReadSectionLimits();
    ReadLayout();
    SetRowCount(rows);
    TableData data = EmptyTable(def_, rows);
    loaded_ = LoadTable(def_, *def_.path, data);
    SetData(data);
    if (def_.enableCol)
        for (int s = 0; s < SectionCount(); ++s)
            Index_Row_Build(s);
    copied_.assign(grids_.size(), false);
    if (!loaded_.message.isEmpty())
        Messages::Error(loaded_.message);
}

TableData TableModel::Data() const
{
    TableData t;
    for (const auto& g : grids_) {
        std::vector<QStringList> rows;
        rows.reserve(size_t(g->RowCount()));
        for (int r = 1; r < g->RowCount(); ++r) {
            QStringList row;
            for (int c = 1; c < g->AllColCount(); ++c)
                row.append(g->GetCellEx(c, r));
            rows.push_back(std::move(row));
        }
        t.sections.push_back(std::move(rows));
    }
    return t;
}

void TableModel::SetData(const TableData& data)
{
    for (size_t s = 0; s < grids_.size() && s < data.sections.size(); ++s) {
        TExColumnGrid& g = *grids_[s];
        const auto& rows = data.sections[s];
        for (int r = 0; r < int(rows.size()) && r + 1 < g.RowCount(); ++r)
            for (int c = 1; c < g.AllColCount() && c - 1 < rows[size_t(r)].size(); ++c)
                g.SetCellEx(c, r + 1, rows[size_t(r)][c - 1]);
    }
}

bool TableModel::Accept()
{
    const TableData data = Data();
    const CheckResult check = CheckTable(def_, data, limits_, &state_);
    if (!check.ok) {
        Messages::Error(check.message);
        return false;
    }
    if (!loaded_.complete
        && !Messages::Ask(EditorText(TextNotFullyLoaded) + *def_.path + EditorText(TextOverwriteAnyway),
                          MsgKind::Warning))
        return false;
    if (DataBelowUsedRows(def_, data) && !Messages::Ask(EditorText(TextRowsBelowGap), MsgKind::Warning))
        return false;
    QString error;
    if (!SaveTable(def_, data, DeviceType, *def_.path, &error)) {
        Messages::Error(error);
        return false;
    }
    loaded_ = LoadResult{true, true, {}};
    return true;
}

void TableModel::DeleteRow(int section)
{
    TExColumnGrid& g = *grids_[size_t(section)];
    const int r = g.Row();
    if (r < 1 || r >= g.RowCount())
        return;
    if (Messages::Ask(Lang(def_.confirmDelete) + QString::number(r)))
        Delete_Row(r, g);
}

void TableModel::InsertRow(int section)
{
    TExColumnGrid& g = *grids_[size_t(section)];
    const int r = g.Row();
    if (r < 1 || r >= g.RowCount())
        return;
    const int last = g.RowCount() - 1;
    bool lastUsed = false;
    for (int c = 1; c < g.AllColCount(); ++c) {
        const QString cell = g.GetCellEx(c, last).trimmed();
        const QString initial = QString::fromUtf8(ColumnsOf(def_, size_t(section))[size_t(c - 1)].initial);
        lastUsed = lastUsed
                   || (!cell.isEmpty() && !(g.IsCheckBoxColumn(c) && (cell == QLatin1String("N") || cell == initial)));
    }
    if (lastUsed && !Messages::Ask(EditorText(TextInsertDropsLast), MsgKind::Warning))
        return;
    Insert_Row(r, g);
}

void TableModel::SetAllChecks(bool yes)
{
    for (size_t s = 0; s < grids_.size(); ++s) {
        auto& g = grids_[s];
        for (int c = 1; c < g->AllColCount(); ++c)
            if (ColumnsOf(def_, s)[size_t(c - 1)].edit == Edit::Check) {
                for (int r = 1; r < g->RowCount(); ++r)
                    g->SetCellEx(c, r, yes ? QStringLiteral("Y") : QStringLiteral("N"));
                return;
            }
    }
}

} // namespace editors
