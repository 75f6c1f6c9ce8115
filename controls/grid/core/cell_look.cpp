#include "controls/grid/core/cell_look.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/float_format.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/system_colors.h"

#include <algorithm>
#include <cmath>

// How a cell looks: the resolution of its colours, font and alignments from
// the grid, its column, its properties and its state, and its shown text.
namespace grid {

namespace {

int Channel(TColor c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

TColor FromChannels(int r, int g, int b)
{
    return TColor(std::clamp(r, 0, 255)) | (TColor(std::clamp(g, 0, 255)) << 8) |
           (TColor(std::clamp(b, 0, 255)) << 16);
}

} // namespace

TColor MixColors(TColor a, TColor b, int percent)
{
    if (percent >= 100)
        return a;
    if (percent < 1 || a == clNone)
        return b;
    if (b == clNone)
        return a;
    const TColor ra = platform::ColorToRGB(a);
    const TColor rb = platform::ColorToRGB(b);
    const double f = percent / 100.0;
    const auto mix = [&](int shift) {
        return static_cast<int>(std::lround(f * Channel(ra, shift) + (1 - f) * Channel(rb, shift)));
    };
    return FromChannels(mix(0), mix(8), mix(16));
}

TColor AdjustColorPercent(TColor color, int percent)
{
    const TColor c = platform::ColorToRGB(color);
    const auto adjust = [&](int shift) {
        const int v = Channel(c, shift);
        return (v + static_cast<int>(std::lround(percent * v / 100.0))) & 0xFF;
    };
    return TColor(adjust(0)) | (TColor(adjust(8)) << 8) | (TColor(adjust(16)) << 16);
}

// ---- Fixed cells ----

bool TExStringGrid::IsFixed(int col, int row)
{
    // The column of the base cell, back as a display column.
    const TGridCoord base = BaseCell(RealColIndex(col), row);
    const int d = DisplColIndex(base.X);
    if (row >= RowCount() - FixedFooters())
        return true;
    if (d < ColCount() && d >= ColCount() - FixedRightCols())
        return true;
    bool fixed = false;
    IsFixedCell(d, row, fixed);
    return fixed;
}

void TExStringGrid::IsFixedCell(int col, int row, bool& isFixed)
{
    if (!isFixed)
        isFixed = (fixedRowAlways_ && row <= fixedRowsMin_ && RowCount() == fixedRowsMin_) ||
                  (fixedColAlways_ && col < fixedColsMin_ && ColCount() == fixedColsMin_) || col < FixedCols() ||
                  row < FixedRows();
    if (!isFixed && OnIsFixedCell)
        OnIsFixedCell(this, row, col, isFixed);
}

bool TExStringGrid::HasFixedLook(int col, int row)
{
    const bool fixed = IsFixed(col, row) || col < FixedCols() || row < FixedRows();
    if (fixed && HoverRow && row == FHoverRowIdx && HoverRowCells.Contains(hcFixed))
        return false;
    return fixed;
}

// ---- Colour hooks ----

void TExStringGrid::GetCellColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (activeCellShow_) {
        const int d = DisplColIndex(col);
        if ((row == Row() && FixedCols() - 1 == d && FixedCols() > 0) ||
            (d == Col() && row == FixedRows() - 1 && FixedRows() > 0)) {
            font = ActiveCellFont;
            brush.Color = activeCellColor_;
        }
    }
    if (const TCellProperties* p = GridObjects(col, row)) {
        switch (GetCellType(col, row)) {
        case ctIcon:
        case ctNone:
        case ctImageList:
        case ctEmpty:
        case ctImages:
        case ctComment:
            if (p->BrushColor() != clNone)
                brush.Color = p->BrushColor();
            break;
        default:
            break;
        }
        if (p->FontColor != clNone)
            font.Color = p->FontColor;
        if (p->FontStyle != 0)
            font.Style = p->FontStyle;
        if (p->FontSize != 0)
            font.Size = p->FontSize;
        if (!p->FontName.isEmpty())
            font.Name = p->FontName;
    }
    if (OnGetCellColor)
        OnGetCellColor(this, row, col, state, brush, font);
}

void TExStringGrid::GetCellPrintColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, row, col, state, brush, font);
}

void TExStringGrid::GetCellDefaults(int col, int row, TFont& font, TColor& brush, TColor& colorTo,
                                    TColor& mirrorColor, TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va,
                                    bool& ww, TCellGradientDirection& gd)
{
    const CellLook look = GetVisualProperties(col, row, {}, false, false, false);
    font = look.Font;
    brush = look.Brush.Color;
    colorTo = look.ColorTo;
    mirrorColor = look.MirrorColor;
    mirrorColorTo = look.MirrorColorTo;
    ha = look.HAlign;
    va = look.VAlign;
    ww = look.WordWrap;
    gd = look.Gradient;
    if (IsFixed(DisplColIndex(col), row) || Bands.Active() || BackGround.Display == bdGradientHorz ||
        BackGround.Display == bdGradientVert || look.State.Contains(gdSelected)) {
        brush = clNone;
        colorTo = clNone;
    }
}

TFont TExStringGrid::GetCellFont(int col, int row) const
{
    TFont font = Font;
    if (const TCellProperties* p = GridObjects(col, row)) {
        font.Name = p->FontName;
        font.Size = p->FontSize;
        font.Style = p->FontStyle;
        font.Color = p->FontColor;
    }
    return font;
}

// ---- Resolution ----

void TExStringGrid::TakeSelectionLook(CellLook& look) const
{
    look.Brush.Color = selectionColor_;
    look.ColorTo = selectionColorTo_;
    look.MirrorColor = selectionMirrorColor_;
    look.MirrorColorTo = selectionMirrorColorTo_;
    if (selectionTextColor_ != clNone)
        look.Font.Color = selectionTextColor_;
}

CellLook TExStringGrid::GetVisualProperties(int col, int row, TGridDrawState state, bool print, bool select,
                                            bool remap)
{
    CellLook look;
    look.State = state;
    look.WordWrap = WordWrap();
    const int realCol = remap ? RealColIndex(col) : col;
    const int displCol = remap ? col : DisplColIndex(col);
    const bool normal = displCol >= FixedCols() && row >= FixedRows();
    const bool printFont = print && !PrintSettings.UseDisplayFont;
    look.Font = normal ? (printFont ? PrintSettings.Font : Font) : (printFont ? PrintSettings.FixedFont : FixedFont);
    const bool rowByReal =
        (MouseActions.DisjunctRowSelect() && MouseActions.RowSelectPersistent) || useEnabledRows_;
    const int stateRow = rowByReal ? RealRowIndex(row) : row;

    // Step 3 and 4: the cell's own look.
    look.Brush.Color = clNone;
    bool ownColor = false;
    if (const TCellProperties* p = GridObjects(realCol, row)) {
        const TCellType type = GetCellType(realCol, row);
        const bool plainKind = type == ctNone || type == ctRotated || type == ctEmpty;
        if (p->BrushColor() != clNone) {
            look.Brush.Color = p->BrushColor();
            ownColor = plainKind;
        }
        if (p->FontColor != clNone)
            look.Font.Color = p->FontColor;
        if (p->FontStyle != 0)
            look.Font.Style = p->FontStyle;
        if (p->FontSize != 0)
            look.Font.Size = p->FontSize;
        if (!p->FontName.isEmpty())
            look.Font.Name = p->FontName;
        look.WordWrap = p->WordWrap();
        look.ColorTo = p->BrushColorTo();
        look.Gradient = p->GradientDirection;
    }
    if (look.State.Contains(gdSelected))
        look.Gradient = GradientVertical;

    // Step 6: the grid's colour, or the bands.
    if (look.Brush.Color == clNone) {
        look.Brush.Color = Color;
        if (Bands.Active() && (!print || print == Bands.Print)) {
            const bool normalCol = realCol >= FixedCols() && realCol < AllColCount() - FixedRightCols();
            const bool normalRow = row >= FixedRows() && row < RowCount() - FixedFooters();
            if (normalCol && normalRow)
                look.Brush.Color =
                    Bands.IsPrimaryRow(row, FixedRows()) ? Bands.PrimaryColor() : Bands.SecondaryColor();
            else
                look.Brush.Color = FixedColor;
        }
    }

    // Step 7: the fixed look.
    const bool fixedLook = IsFixed(displCol, row) || displCol < FixedCols() || row < FixedRows();
    if (fixedLook && !print && !ownColor) {
        look.Brush.Color = FixedColor;
        look.Font = FixedFont;
        look.State.Include(gdFixed);
        if (look_ > glClassic) {
            look.Brush.Color = FSkinGrad.From;
            look.ColorTo = FSkinGrad.To;
            look.MirrorColor = FSkinGrad.MirrorFrom;
            look.MirrorColorTo = FSkinGrad.MirrorTo;
        }
    }

    // Step 8 and 9: the hooks.
    if (print)
        GetCellPrintColor(realCol, row, look.State, look.Brush, look.Font);
    else
        GetCellColor(realCol, row, look.State, look.Brush, look.Font);
    if (OnGetCellGradient)
        OnGetCellGradient(this, row, realCol, look.Brush.Color, look.ColorTo, look.MirrorColor, look.MirrorColorTo,
                          look.Gradient);

    // Step 10: the selection.
    const TColor unselectedBrush = look.Brush.Color;
    const TColor unselectedFont = look.Font.Color;
    const bool selectable = normal && select && !print && showSelection_ && !fixedLook;
    const bool disjunctRow = MouseActions.DisjunctRowSelect();
    const bool disjunctCol = MouseActions.DisjunctColSelect();
    if (disjunctRow && selectable) {
        const bool rowSelected =
            stateRow >= 0 && stateRow < static_cast<int>(rowSelect_.size()) && rowSelect_[size_t(stateRow)];
        if (((FMouseDown && row == Row()) || !rowSelected) &&
            (!FMouseDown || rowSelected || !look.State.Contains(gdSelected))) {
            look.State.Exclude(gdSelected);
        } else {
            look.State = {gdSelected};
            TakeSelectionLook(look);
        }
    }
    if (disjunctCol && selectable) {
        const bool colSelected = displCol < static_cast<int>(colSelect_.size()) && colSelect_[size_t(displCol)];
        if ((colSelected && (!FMouseDown || displCol != Col())) ||
            (FMouseDown && !colSelected && look.State.Contains(gdSelected))) {
            look.State = {gdSelected};
            TakeSelectionLook(look);
        }
    }
    if ((selectable && !disjunctRow && !disjunctCol && IsSelected(displCol, row)) ||
        (look.State.Contains(gdSelected) && FMouseDown && showSelection_)) {
        if (look.Brush.Color == Color)
            look.Brush.Color = selectionColor_;
        else if (selectionColorMixer_)
            look.Brush.Color = MixColors(selectionColor_, look.Brush.Color, selectionColorMixerFactor_);
        else
            look.Brush.Color = selectionColor_;
        const TColor brush = look.Brush.Color;
        TakeSelectionLook(look);
        look.Brush.Color = brush;
        look.State.Include(gdSelected);
    }
    if (MouseActions.DisjunctCellSelect() && showSelection_) {
        const int key = static_cast<int>((static_cast<quint32>(row) << 16) | (static_cast<quint32>(displCol) & 0xFFFF));
        if (selectedCells_.HasValue(key)) {
            TakeSelectionLook(look);
            look.State.Include(gdSelected);
        } else if (displCol == Col() && row == Row()) {
            look.State.Exclude(gdSelected);
            look.Brush.Color = unselectedBrush;
            look.Font.Color = unselectedFont;
        }
    }

    // Step 11: disabled rows and a disabled grid.
    if (UseDisabledFont) {
        const bool rowDisabled = useEnabledRows_ && !RowEnabled(stateRow);
        if (rowDisabled || !Enabled)
            look.Font.Color = DisabledFontColor;
    }

    // Step 12: selected cells of other rows, a little lighter.
    if (look.State.Contains(gdSelected) && row != Row() && disjunctRow && selectionColorTo_ == clNone)
        look.Brush.Color = AdjustColorPercent(look.Brush.Color, 7);

    // Step 13: word wrap and alignments.
    GetCellWordWrap(realCol, row, look.WordWrap);
    GetCellTextAlignment(realCol, row, look.HAlign, look.VAlign);
    return look;
}

TFont TExStringGrid::GetFontProperties(int col, int realCol, int row, TGridDrawState& state, TBrush& brush,
                                       bool remap)
{
    const int displCol = remap ? col : DisplColIndex(col);
    const bool fixedLook = IsFixed(displCol, row) || displCol < FixedCols() || row < FixedRows();
    TFont font = fixedLook ? FixedFont : Font;
    if (const TCellProperties* p = GridObjects(realCol, row)) {
        if (p->FontColor != clNone)
            font.Color = p->FontColor;
        if (p->FontStyle != 0)
            font.Style = p->FontStyle;
        if (p->FontSize != 0)
            font.Size = p->FontSize;
        if (!p->FontName.isEmpty())
            font.Name = p->FontName;
    }
    GetCellColor(realCol, row, state, brush, font);
    return font;
}

void TExStringGrid::GetCellTextAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign)
{
    hAlign = defaultAlignment_;
    vAlign = vAlignment_;
    bool formula = false;
    if (AutoNumAlign) {
        QString text = GetCellEx(col, row);
        const bool wideFormula = GetTextKind(text, false) == 5 && text.size() > 3 && text[3] == u'=';
        if (text.startsWith(u'=') || wideFormula) {
            formula = true;
            GetCalcCellText(col, row, text);
        }
        const int kind = GetNumberKind(text.trimmed());
        if (kind == 0 || kind == 1 || kind == 5)
            hAlign = taRightJustify;
    }
    if (const TCellProperties* p = GridObjects(col, row); p && !formula)
        hAlign = p->Alignment;
    GetCellAlignment(col, row, hAlign, vAlign);
}

QString TExStringGrid::GetFormattedCell(int col, int row)
{
    const QString text = GetCellEx(col, row);
    if (!OnGetFloatFormat)
        return text;
    const int kind = GetNumberKind(text);
    if (kind != 0 && kind != 1 && kind != 5)
        return text;
    bool isFloat = true;
    QString format = FloatFormat;
    OnGetFloatFormat(this, col, row, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    std::optional<QString> formatted;
    if (format.contains(u'd')) {
        bool ok = false;
        const qint64 value = NormalizeNumberText(text).toLongLong(&ok);
        if (ok)
            formatted = FormatInteger(format, value);
    } else {
        double value = 0;
        if (TryFloat(col, row, value))
            formatted = FormatNumber(format, value);
    }
    return formatted.value_or(text);
}

bool TExStringGrid::CellIsPassword(int col, int row)
{
    bool password = false;
    IsPasswordCell(col, row, password);
    return password;
}

GraphicLayout TExStringGrid::GetGraphicLayout(int col, int row)
{
    GraphicLayout layout;
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (g == nullptr)
        return layout;
    layout.HAlign = g->CellHAlign;
    layout.VAlign = g->CellVAlign;
    const TCustomImageList* images = GetGridImages();
    const auto pictureSize = [&](const TObject* o) {
        if (const auto* p = dynamic_cast<const TSizedPicture*>(o))
            return QSize(p->Width(), p->Height());
        return QSize();
    };
    switch (g->CellType) {
    case ctBitmap:
        layout.Width = pictureSize(g->CellBitmap.Object()).width();
        layout.Height = pictureSize(g->CellBitmap.Object()).height();
        break;
    case ctIcon:
        layout.Width = pictureSize(g->CellIcon.Object()).width();
        layout.Height = pictureSize(g->CellIcon.Object()).height();
        break;
    case ctImageList:
    case ctDataImage:
        if (images) {
            layout.Width = images->Width;
            layout.Height = images->Height;
        }
        layout.DrawText = g->CellType != ctDataImage;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        layout.Width = layout.Height = ControlLook.CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        layout.Width = layout.Height = ControlLook.CheckSize();
        layout.DrawText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        layout.DrawText = false;
        break;
    case ctImages:
        if (images) {
            const int count = g->CellBitmap.Object() ? static_cast<const TIntList*>(g->CellBitmap.Object())->Count()
                                                     : 0;
            layout.Width = g->CellBoolean ? count * images->Width : images->Width;
            layout.Height = g->CellBoolean ? images->Height : count * images->Height;
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const QSize cell(ColWidths(DisplColIndex(col)), RowHeights(row));
        const QPoint size = g->GetPictureSize(cell.width(), cell.height(), !GetCellEx(col, row).isEmpty());
        layout.Width = size.x();
        layout.Height = size.y();
        break;
    }
    case ctButton:
    case ctBitButton:
        layout.Width = g->CellIndex & 0xFFFF;
        layout.Height = (static_cast<quint32>(g->CellIndex) >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        layout.Width = layout.Height = 20;
        break;
    case ctInterface:
        if (const auto* i = dynamic_cast<const TCellInterface*>(g->CellBitmap.Object())) {
            layout.Width = i->GetExtent().width();
            layout.Height = i->GetExtent().height();
        }
        break;
    case ctRadioButton:
        layout.Width = layout.Height = ControlLook.RadioSize() + 4;
        break;
    case ctShape:
        layout.Width = layout.Height = RowHeights(row) - 2 * xyOffset_.y();
        break;
    case ctRating:
        layout.Width = g->CellAngle * 18;
        layout.Height = 16;
        layout.DrawText = false;
        break;
    default:
        break;
    }
    if (col == 0 && IsNode(row))
        layout.Width = (GridObjects(0, row) ? GridObjects(0, row)->NodeLevel : 0) * 12 + 4;
    return layout;
}

} // namespace grid
