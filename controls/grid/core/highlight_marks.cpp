// Highlight ("hi") and mark ("e") tags in cells, the values of in-text
// controls.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/html/mini_html_markup.h"

namespace grid {

namespace {

const QString kHilightTag = QStringLiteral("hi");
const QString kMarkTag = QStringLiteral("e");

} // namespace

QString TExStringGrid::HilightText(bool doCase, const QString& s, const QString& text)
{
    return html::HighlightHtmlText(text, s, kHilightTag, doCase);
}

QString TExStringGrid::UnHilightText(const QString& text)
{
    return html::UnhighlightHtmlText(text, kHilightTag);
}

QString TExStringGrid::MarkText(bool doCase, const QString& s, const QString& text)
{
    return html::HighlightHtmlText(text, s, kMarkTag, doCase);
}

QString TExStringGrid::UnMarkText(const QString& text)
{
    return html::UnhighlightHtmlText(text, kMarkTag);
}

void TExStringGrid::TagCells(int c1, int r1, int c2, int r2, const QString& tag, bool doCase, const QString* text)
{
    const QString pattern = text ? html::EscapeHtmlText(*text, false) : QString();
    BeginUpdate();
    for (int r = std::max(0, r1); r <= r2 && r < RowCount(); ++r)
        for (int c = std::max(0, c1); c <= c2 && c < AllColCount(); ++c) {
            if (IsMergedNonBaseCell(c, r))
                continue;
            const QString cell = OnGetDisplText ? Cells(c, r) : GridCells(c, r);
            const QString result =
                text ? html::HighlightHtmlText(html::EscapeHtmlText(cell, false), pattern, tag, doCase)
                     : html::UnhighlightHtmlText(html::UnescapeHtmlText(cell, false), tag);
            if (result != GridCells(c, r))
                SetCells(c, r, result);
        }
    EndUpdate();
}

namespace {

struct Span
{
    int C1, R1, C2, R2;
};

// Column and row ranges: all cells with doFixed, else the normal area. A
// row's removal and the grid-wide operations reach the hidden columns too;
// a row's highlight and the grid-wide highlight with doFixed do not.
Span ColSpan(const TExStringGrid& g, bool doFixed, int col)
{
    return {col, doFixed ? 0 : g.FixedRows(), col, g.RowCount() - 1 - (doFixed ? 0 : g.FixedFooters())};
}

Span RowSpan(const TExStringGrid& g, bool doFixed, int row, bool hidden)
{
    const int last = g.ColCount() - 1 + (hidden ? g.NumHiddenColumns() : 0) - (doFixed ? 0 : g.FixedRightCols());
    return {doFixed ? 0 : g.FixedCols(), row, last, row};
}

Span GridSpan(const TExStringGrid& g, bool doFixed, bool hiddenWhenFixed)
{
    if (doFixed)
        return {0, 0, g.ColCount() - 1 + (hiddenWhenFixed ? g.NumHiddenColumns() : 0), g.RowCount() - 1};
    return {g.FixedCols(), g.FixedRows(), g.ColCount() + g.NumHiddenColumns() - g.FixedRightCols() - 1,
            g.RowCount() - g.FixedFooters() - 1};
}

} // namespace

void TExStringGrid::HilightInCell(bool doCase, int col, int row, const QString& text)
{
    TagCells(col, row, col, row, kHilightTag, doCase, &text);
}
void TExStringGrid::HilightInCol(bool doFixed, bool doCase, int col, const QString& text)
{
    const Span s = ColSpan(*this, doFixed, col);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, doCase, &text);
}
void TExStringGrid::HilightInRow(bool doFixed, bool doCase, int row, const QString& text)
{
    const Span s = RowSpan(*this, doFixed, row, false);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, doCase, &text);
}
void TExStringGrid::HilightInGrid(bool doFixed, bool doCase, const QString& text)
{
    const Span s = GridSpan(*this, doFixed, false);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, doCase, &text);
}
void TExStringGrid::UnHilightInCell(int col, int row)
{
    TagCells(col, row, col, row, kHilightTag, false, nullptr);
}
void TExStringGrid::UnHilightInCol(bool doFixed, int col)
{
    const Span s = ColSpan(*this, doFixed, col);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, false, nullptr);
}
void TExStringGrid::UnHilightInRow(bool doFixed, int row)
{
    const Span s = RowSpan(*this, doFixed, row, true);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, false, nullptr);
}
void TExStringGrid::UnHilightInGrid(bool doFixed)
{
    const Span s = GridSpan(*this, doFixed, true);
    TagCells(s.C1, s.R1, s.C2, s.R2, kHilightTag, false, nullptr);
}
void TExStringGrid::MarkInCell(bool doCase, int col, int row, const QString& text)
{
    TagCells(col, row, col, row, kMarkTag, doCase, &text);
}
void TExStringGrid::MarkInCol(bool doFixed, bool doCase, int col, const QString& text)
{
    const Span s = ColSpan(*this, doFixed, col);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, doCase, &text);
}
void TExStringGrid::MarkInRow(bool doFixed, bool doCase, int row, const QString& text)
{
    const Span s = RowSpan(*this, doFixed, row, false);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, doCase, &text);
}
void TExStringGrid::MarkInGrid(bool doFixed, bool doCase, const QString& text)
{
    const Span s = GridSpan(*this, doFixed, false);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, doCase, &text);
}
void TExStringGrid::UnMarkInCell(int col, int row)
{
    TagCells(col, row, col, row, kMarkTag, false, nullptr);
}
void TExStringGrid::UnMarkInCol(bool doFixed, int col)
{
    const Span s = ColSpan(*this, doFixed, col);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, false, nullptr);
}
void TExStringGrid::UnMarkInRow(bool doFixed, int row)
{
    const Span s = RowSpan(*this, doFixed, row, true);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, false, nullptr);
}
void TExStringGrid::UnMarkInGrid(bool doFixed)
{
    const Span s = GridSpan(*this, doFixed, true);
    TagCells(s.C1, s.R1, s.C2, s.R2, kMarkTag, false, nullptr);
}

QString TExStringGrid::ControlValues(int col, int row, const QString& id) const
{
    QString value;
    if (!html::GetHtmlControlValue(Cells(col, row), id, value))
        return {};
    return value;
}

void TExStringGrid::SetControlValues(int col, int row, const QString& id, const QString& value)
{
    QString text = Cells(col, row);
    if (html::SetHtmlControlValue(text, id, value))
        SetCells(col, row, text);
}

} // namespace grid
