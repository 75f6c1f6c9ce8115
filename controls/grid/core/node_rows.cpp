// Node rows: a row heading the rows of its span, folded into hidden rows and
// shown again; summary rows of grouping.
#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

TCellGraphic* TExStringGrid::NodeGraphic(int row) const
{
    if (row < 0)
        return nullptr;
    TCellGraphic* g = GetGraphicObjectEx(0, row);
    return g && g->CellType == ctNode ? g : nullptr;
}

bool TExStringGrid::IsNode(int row) const
{
    return NodeGraphic(row) != nullptr;
}

bool TExStringGrid::IsSummary(int row) const
{
    if (row < 0)
        return false;
    const TCellGraphic* g = GetGraphicObjectEx(0, row);
    return g && g->CellType == ctSummary;
}

int TExStringGrid::NodeLevelOf(int row) const
{
    const TCellProperties* p = GridObjects(0, row);
    return p ? p->NodeLevel : 0;
}

void TExStringGrid::AddNodeLevel(int row, int delta)
{
    if (TCellProperties* p = CellProperties(0, row))
        p->NodeLevel = std::max(0, p->NodeLevel + delta);
}

void TExStringGrid::AddNode(int row, int span)
{
    const int d = DisplRowIndex(row);
    if (d < 0 || d >= RowCount() || IsHiddenRow(row))
        return;
    const bool wasNode = IsNode(d);
    TCellGraphic* g = CreateCellGraphic(0, d);
    if (!g)
        return;
    g->CellType = ctNode;
    g->CellAngle = d;
    g->CellBoolean = false;
    g->CellIndex = span;
    g->CellErrFrom = 0;
    g->CellVar = -1;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaCenter;
    for (int r = d; r < d + std::max(1, span) && r < RowCount(); ++r)
        AddNodeLevel(r, 1);
    if (!wasNode) {
        if (numNodes_ == 0)
            RepaintCol(0);
        ++numNodes_;
    }
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

bool TExStringGrid::GetNodeState(int row) const
{
    const TCellGraphic* g = NodeGraphic(row);
    return g && g->CellBoolean;
}

void TExStringGrid::SetNodeState(int row, bool contracted)
{
    const TCellGraphic* g = NodeGraphic(row);
    if (!g || g->CellBoolean == contracted)
        return;
    if (contracted)
        ContractNode(RealRowIndex(row));
    else
        ExpandNode(RealRowIndex(row));
}

int TExStringGrid::GetNodeLevel(int row) const
{
    return IsNode(row) ? NodeLevelOf(row) : -1;
}

int TExStringGrid::GetNodeSpan(int row) const
{
    const TCellGraphic* g = NodeGraphic(row);
    return g ? g->CellIndex : -1;
}

void TExStringGrid::SetNodeSpan(int row, int span)
{
    if (TCellGraphic* g = NodeGraphic(row))
        g->CellIndex = span;
}

void TExStringGrid::UpdateNodeSpan(int row, int delta)
{
    if (TCellGraphic* g = NodeGraphic(row))
        g->CellIndex += delta;
}

int TExStringGrid::GetSubNodeCount(int row) const
{
    const TCellGraphic* g = NodeGraphic(row);
    return g ? g->CellErrFrom : 0;
}

void TExStringGrid::UpdateSubNodeCount(int row, int delta)
{
    if (TCellGraphic* g = NodeGraphic(row))
        g->CellErrFrom += delta;
}

int TExStringGrid::NextNodeRow(int row) const
{
    for (int r = row + 1; r < RowCount(); ++r)
        if (IsNode(r))
            return r;
    return RowCount();
}

// The real rows a node covers besides itself: from real + 1 to the returned one.
int TExStringGrid::NodeLastReal(int displayRow) const
{
    const int span = GetNodeSpan(displayRow);
    const int real = RealRowIndex(displayRow);
    if (span > 0)
        return real + span - 1;
    return RealRowIndex(NextNodeRow(displayRow)) - 1;
}

void TExStringGrid::ContractNode(int row)
{
    if (IsHiddenRow(row))
        return;
    HideInplaceEdit();
    const int d = DisplRowIndex(row);
    TCellGraphic* g = NodeGraphic(d);
    if (!g || g->CellBoolean)
        return;
    g->CellBoolean = true;
    const int last = std::min(NodeLastReal(d), TotalRowCount() - 1);
    // Folded inner nodes become part of this fold and show as expanded when
    // it opens again.
    for (int r = d + 1; r < RowCount() && RealRowIndex(r) <= last; ++r)
        if (TCellGraphic* inner = NodeGraphic(r))
            inner->CellBoolean = false;
    if (last > row) {
        // The fold's records are no filter level: removing a filter leaves
        // them hidden.
        std::vector<int> before;
        for (const auto& item : gridItems_)
            if (item->Idx > row && item->Idx <= last)
                before.push_back(item->Idx);
        HideRows(row + 1, last);
        for (auto& item : gridItems_)
            if (item->Idx > row && item->Idx <= last &&
                !std::binary_search(before.begin(), before.end(), item->Idx))
                item->Level = -1;
    }
    CalcFooter(-1);
}

void TExStringGrid::ExpandNodeOnly(int row)
{
    if (IsHiddenRow(row))
        return;
    const int d = DisplRowIndex(row);
    TCellGraphic* g = NodeGraphic(d);
    if (!g || !g->CellBoolean)
        return;
    g->CellBoolean = false;
    const int span = g->CellIndex;
    const int last = span > 0 ? row + span - 1 : RealRowIndex(NextNodeRow(d)) - 1;
    const int top = TopRow();
    const int current = Row();
    const bool disjunct = MouseActions.DisjunctRowSelect();
    MouseActions.DisjunctRowSelectDirect() = false;
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect) {
        TGridOptions o = Options();
        o.Exclude(goRowSelect);
        SetOptions(o);
    }
    BeginUpdate();
    if (last > row)
        UnHideRows(row + 1, last);
    if (rowSelect) {
        TGridOptions o = Options();
        o.Include(goRowSelect);
        SetOptions(o);
        SetRow(std::min(current, RowCount() - 1));
        SetTopRow(top);
    }
    MouseActions.DisjunctRowSelectDirect() = disjunct;
    EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::ExpandNode(int row)
{
    if (CellNode.ExpandOne) {
        std::vector<int> open;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (const TCellGraphic* g = NodeGraphic(r); g && !g->CellBoolean)
                open.push_back(RealRowIndex(r));
        for (int real : open)
            ContractNode(real);
    }
    ExpandNodeOnly(row);
}

void TExStringGrid::ExpandAll()
{
    BeginUpdate();
    // Every fold at once: the rows of all folded nodes come back in one pass.
    std::vector<std::pair<int, int>> ranges; // real rows, ascending
    for (int r = FixedRows(); r < RowCount(); ++r) {
        TCellGraphic* g = NodeGraphic(r);
        if (!g || !g->CellBoolean)
            continue;
        g->CellBoolean = false;
        const int real = RealRowIndex(r);
        const int last = NodeLastReal(r);
        if (last > real)
            ranges.emplace_back(real + 1, last);
    }
    if (!ranges.empty())
        UnHideRowsWhere([&](const TGridItem& item) {
            const auto it = std::upper_bound(ranges.begin(), ranges.end(), item.Idx,
                                             [](int idx, const std::pair<int, int>& r) { return idx < r.first; });
            return it != ranges.begin() && item.Idx <= std::prev(it)->second;
        });
    EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList rows;
    for (int r = FixedRows(); r < RowCount();) {
        TCellGraphic* g = NodeGraphic(r);
        if (!g) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        const int end = g->CellIndex > 0 ? std::min(RowCount(), r + g->CellIndex) : NextNodeRow(r);
        for (int c = r + 1; c < end; ++c)
            rows.Add(c);
        r = std::max(end, r + 1);
    }
    if (rows.Count() > 0)
        HideRowList(rows);
    EndUpdate();
    CellControlsUpdate();
    CalcFooter(-1);
}

void TExStringGrid::RemoveNode(int row)
{
    ExpandNodeOnly(row);
    const int d = DisplRowIndex(row);
    const TCellGraphic* g = NodeGraphic(d);
    if (!g)
        return;
    const int span = std::max(1, g->CellIndex);
    for (int r = d; r < d + span && r < RowCount(); ++r)
        AddNodeLevel(r, -1);
    RemoveCellGraphicOfType(0, d, ctNode);
    if (numNodes_ > 0)
        --numNodes_;
}

void TExStringGrid::RemoveAllNodes()
{
    if (numNodes_ == 0)
        return;
    const bool one = CellNode.ExpandOne;
    CellNode.ExpandOne = false;
    ExpandAll();
    CellNode.ExpandOne = one;
    for (int r = 0; r < RowCount(); ++r) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g)
            continue;
        const int span = std::max(1, g->CellIndex);
        for (int k = r; k < r + span && k < RowCount(); ++k)
            AddNodeLevel(k, -1);
        RemoveCellGraphicOfType(0, r, ctNode);
        if (numNodes_ > 0)
            --numNodes_;
    }
    Invalidate();
}

int TExStringGrid::GetParentRow(int row) const
{
    if (numNodes_ == 0)
        return -1;
    int level = 65535;
    int fallback = -1;
    if (IsNode(row)) {
        level = NodeLevelOf(row);
        fallback = row;
    }
    int hidden = 0;
    for (int r = std::min(row, RowCount() - 1); r >= FixedRows(); --r) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g || NodeLevelOf(r) >= level)
            continue;
        if (g->CellBoolean)
            hidden += g->CellIndex - 1;
        if (row < r + g->CellIndex - hidden)
            return r;
    }
    return fallback;
}

void TExStringGrid::InsertChildRow(int row, int insertAt)
{
    const int d = DisplRowIndex(row);
    const int p = GetParentRow(d);
    const int pr = RealRowIndex(p);
    int level = 1;
    if (p >= 0) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(RealRowIndex(p));
        level = NodeLevelOf(p);
    }
    // Every enclosing node grows by the row too.
    int a = p;
    int lv = level;
    while (lv > 1 && a >= FixedRows()) {
        const int up = GetParentRow(a);
        if (up < 0 || up == a)
            break;
        a = up;
        if (NodeLevelOf(a) < lv) {
            UpdateNodeSpan(a, 1);
            UpdateSubNodeCount(a, 1);
            ExpandNode(RealRowIndex(a));
            lv = NodeLevelOf(a);
        }
    }
    const bool contentMoves = IsNode(d) && insertAt == 0;
    const int at = contentMoves ? d + 1 : d + insertAt;
    // The undo history follows the new row, the moved content and the
    // renumbered hidden rows.
    CarryUndoRows(
        [&] {
            InsertRows(at, 1, true);
            if (contentMoves) {
                // The node row's content goes to its new first child; column
                // 0 keeps the node graphic.
                const int cols = AllColCount();
                for (int c = 0; c < cols; ++c) {
                    Cell* from = store_.CellAt(c, d);
                    if (!from)
                        continue;
                    Cell* to = store_.EnsureCell(c, d + 1);
                    to->Text = std::move(from->Text);
                    from->Text = QString();
                    if (c > 0) {
                        to->Props = std::move(from->Props);
                    }
                }
            }
            if (p >= 0)
                CellProperties(0, at)->NodeLevel = level;
            for (auto& item : gridItems_)
                if (item->Idx > pr)
                    ++item->Idx;
        },
        [&](int r) { return contentMoves && r == d ? d + 1 : r >= at ? r + 1 : r; });
    Invalidate();
}

void TExStringGrid::RemoveChildRow(int row)
{
    const int d = DisplRowIndex(row);
    const int real = RealRowIndex(d);
    for (int i = 0; i < controlList_.Count(); ++i)
        if (controlList_.GetControl(i)->Y > real)
            --controlList_.GetControl(i)->Y;
    int p = GetParentRow(d);
    if (p >= 0 && p != d) {
        int level = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        ExpandNode(RealRowIndex(p));
        while (level > 1) {
            const int up = GetParentRow(p);
            if (up < 0 || up == p || GetNodeLevel(up) >= level)
                break;
            p = up;
            level = GetNodeLevel(p);
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
            ExpandNode(RealRowIndex(p));
        }
    }
    DeleteRows(DisplRowIndex(real), 1);
    maxRowCount_ = std::max(RowCount(), maxRowCount_ - 1);
}

void TExStringGrid::InsertNormalRow(int row)
{
    const int at = DisplRowIndex(row);
    CarryUndoRows(
        [&] {
            InsertRows(at, 1, true);
            for (auto& item : gridItems_)
                if (item->Idx > row)
                    ++item->Idx;
        },
        [&](int r) { return r >= at ? r + 1 : r; });
}

void TExStringGrid::RemoveNormalRow(int row)
{
    RemoveRows(row, 1);
    maxRowCount_ = std::max(RowCount(), maxRowCount_ - 1);
}

int TExStringGrid::GetNodeSpanType(int row) const
{
    if (IsNode(row))
        return 0;
    if (row >= RowCount() - FixedFooters() - 1 || !GridObjects(0, row + 1) ||
        NodeLevelOf(row + 1) < NodeLevelOf(row))
        return 1;
    return 2;
}

bool TExStringGrid::IsInNodeGlyph(int row, int x) const
{
    if (!MouseActions.PreciseNodeClick)
        return true;
    const int level = GetNodeLevel(row);
    const int indent = CellNode.NodeIndent();
    int b = 4;
    int c = 4;
    switch (CellNode.NodeType()) {
    case cnFlat:
    case cnXP:
        break;
    case cn3D:
        b = 6;
        c = 0;
        break;
    case cnGlyph:
        b = CellNode.ExpandGlyph.isNull() ? 0 : CellNode.ExpandGlyph.width() / 2;
        c = CellNode.ExpandGlyph.isNull() ? 0 : 2;
        break;
    case cnLeaf:
        b = 8;
        c = 2;
        break;
    }
    return c + (level - 1) * indent < x && x < b + level * indent;
}

void TExStringGrid::MarkSummaryRow(int row)
{
    const int d = DisplRowIndex(row);
    if (TCellGraphic* g = CreateCellGraphic(0, d))
        g->CellType = ctSummary;
}

} // namespace grid
