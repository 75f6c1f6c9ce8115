// The parts of a table window that depend on the device type and the SNMP
// map type: byte limits, shown columns and widths, Position lists, header
// hints; the enabled-row numbers and copying rows between showings.
#include "editors/table_model.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "device_type.h"
#include "helpers.h"
#include "language.h"
#include "messages.h"
#include "workspace.h"

#include <algorithm>

namespace editors {

using namespace grid;

namespace {

bool Has(const std::vector<int>& types, int type)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

QStringList PositionItems(int64_t count)
{
    QStringList items;
    items.reserve(int(std::max<int64_t>(count, 0)));
    for (int64_t i = 0; i < count; ++i)
        items.append(QString::number(i));
    return items;
}

} // namespace

void TableModel::ReadLayout()
{
    width_ = def_.width;
    if (def_.layouts.empty() && def_.limits.empty())
        return;

    const bool readsMap = Has(def_.mapTypeTypes, DeviceType);
    bool readsLimits = false;
    for (const LimitDef& l : def_.limits)
        readsLimits = readsLimits || (l.parGenElement && Has(l.types, DeviceType));

    // Without ParGen.xml (or with one that cannot be read) the map type is 1
    // and the limits are the defaults.
    int mapType = readsMap ? 1 : (DeviceType == 1018 ? 1 : 0);
    std::vector<int> limits;
    for (const LimitDef& l : def_.limits)
        limits.push_back(l.parGenElement && Has(l.types, DeviceType) ? l.parGenDefault : l.otherTypes);
    if (readsMap || readsLimits) {
        try {
            const ParGen pg(File_ParGen);
            if (pg.Exists()) {
                if (readsMap)
                    mapType = pg.Int("SNMP_MapType", 0, 0);
                for (size_t s = 0; s < def_.limits.size(); ++s) {
                    const LimitDef& l = def_.limits[s];
                    if (!l.parGenElement || !Has(l.types, DeviceType))
                        continue;
                    const int n = pg.Int(l.parGenElement, l.parGenDefault);
                    limits[s] = std::clamp(n, l.min, l.max);
                    if (limits[s] != n)
                        Messages::Warning(QString::fromLatin1(l.parGenElement) + EditorText(TextLimitClamped)
                                          + QString::number(limits[s]));
                }
            }
        } catch (const CompileError& e) {
            Messages::Error(e.Message());
        }
    }
    if (!limits.empty())
        limits_.assign(limits.begin(), limits.end());

    state_ = StateOf(def_, DeviceType, mapType);
    if (const LayoutDef* layout = LayoutOf(def_, DeviceType, mapType)) {
        if (layout->width > 0)
            width_ = layout->width;
        for (const ColumnLook& look : layout->looks) {
            TExColumnGrid& g = *grids_[size_t(look.section)];
            if (look.shown && g.IsHiddenColumn(look.col))
                g.UnHideColumn(look.col);
            else if (!look.shown && !g.IsHiddenColumn(look.col))
                g.HideColumn(look.col);
            if (look.width > 0)
                g.Columns()[look.col]->SetWidth(look.width);
        }
    }

    for (size_t s = 0; s < grids_.size() && s < limits_.size(); ++s) {
        const std::vector<ColumnDef>& columns = ColumnsOf(def_, s);
        for (size_t c = 0; c < columns.size(); ++c)
            if (columns[c].positionList)
                grids_[s]->Columns()[int(c) + 1]->ComboItems = PositionItems(limits_[s]);
    }
}

void TableModel::WireEvents(size_t section)
{
    TExColumnGrid& g = *grids_[section];
    const std::vector<ColumnDef>& columns = ColumnsOf(def_, section);
    if (std::any_of(columns.begin(), columns.end(), [](const ColumnDef& c) { return c.hint != 0; })) {
        g.HintShowCells = true;
        g.OnGridHint = [this, section](TExStringGrid*, int row, int col, QString& hint) {
            hint = row == 0 ? HeaderHint(int(section), col) : QString();
        };
    }
    if (def_.enableCol) {
        g.OnCheckBoxClick = [this, section](TExStringGrid*, int col, int, bool) {
            if (grids_[section]->RealColIndex(col) == def_.enableCol)
                Index_Row_Build(int(section));
        };
        g.OnKeyPress = [this, section](TExStringGrid*, QChar& key) {
            char16_t k = key.unicode();
            Grid_KeyPress(*grids_[section], k);
            key = QChar(k);
        };
        g.OnDblClickCell = [this, section](TExStringGrid*, int row, int col) {
            Grid_DblClickCell(*grids_[section], row, col);
        };
    }
}

QString TableModel::HeaderHint(int section, int displayCol) const
{
    if (displayCol < 1)
        return {};
    const TExColumnGrid& g = *grids_[size_t(section)];
    const std::vector<ColumnDef>& columns = ColumnsOf(def_, size_t(section));
    int shown = 0;
    for (int c = 1; c < g.AllColCount(); ++c) {
        if (g.IsHiddenColumn(c))
            continue;
        if (++shown == displayCol) {
            const int hint = columns[size_t(c - 1)].hint;
            return hint ? Lang(hint) : QString();
        }
    }
    return {};
}

void TableModel::Index_Row_Build(int section)
{
    TExColumnGrid& g = *grids_[size_t(section)];
    int k = 1;
    for (int r = 1; r < g.RowCount(); ++r) {
        if (g.GetCellEx(def_.enableCol, r).toUpper() == QLatin1String("Y"))
            g.SetCellEx(0, r, QString::number(k++));
        else
            g.SetCellEx(0, r, QString());
    }
}

void TableModel::CopyRow(int section)
{
    TExColumnGrid& g = *grids_[size_t(section)];
    const int r = g.Row();
    if (r < 1 || r >= g.RowCount())
        return;
    Copy_Row(g, r);
    copied_.assign(grids_.size(), false);
    copied_[size_t(section)] = true;
}

void TableModel::PasteRow(int section)
{
    TExColumnGrid& g = *grids_[size_t(section)];
    const int r = g.Row();
    if (r < 1 || r >= g.RowCount())
        return;
    Paste_Row(g, r, Copied(section));
}

} // namespace editors
