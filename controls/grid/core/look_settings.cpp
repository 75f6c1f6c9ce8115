#include "controls/grid/core/look_settings.h"

#include "controls/grid/core/ex_string_grid.h"
#include "platform/text/system_colors.h"

namespace grid {

namespace {

TColor Rgb(TColor color)
{
    return platform::ColorToRGB(color);
}

} // namespace

void TControlLook::Repaint()
{
    if (owner_)
        owner_->Invalidate();
}

void TControlLook::SetCheckSize(int value)
{
    checkSize_ = value;
    Repaint();
}

void TControlLook::SetRadioSize(int value)
{
    radioSize_ = value;
    Repaint();
}

void TControlLook::SetControlStyle(TControlStyle value)
{
    controlStyle_ = value;
    Repaint();
}

void TControlLook::SetColor(TColor value)
{
    color_ = value;
    Repaint();
}

void TControlLook::SetGlyph(QImage& glyph, const QImage& value)
{
    glyph = value;
    Repaint();
}

void TControlLook::SetNoDisabledCheckRadioLook(bool value)
{
    noDisabledCheckRadioLook_ = value;
    Repaint();
}

void TControlLook::SetNoDisabledButtonLook(bool value)
{
    noDisabledButtonLook_ = value;
    Repaint();
}

void TControlLook::SetFlatButton(bool value)
{
    flatButton_ = value;
    Repaint();
}

void TControlLook::SetDropDownAlwaysVisible(bool value)
{
    dropDownAlwaysVisible_ = value;
    Repaint();
}

void TControlLook::SetSpinButtonsAlwaysVisible(bool value)
{
    spinButtonsAlwaysVisible_ = value;
    Repaint();
}

void TControlLook::SetCommentColor(TColor value)
{
    commentColor_ = value;
    Repaint();
}

void TControlLook::SetProgressMarginX(int value)
{
    progressMarginX_ = value;
    Repaint();
}

void TControlLook::SetProgressMarginY(int value)
{
    progressMarginY_ = value;
    Repaint();
}

void TControlLook::SetProgressXP(bool value)
{
    progressXP_ = value;
    Repaint();
}

// The normal gradient goes through the grid's gradient setters (converted,
// repainted); From and To only when set, the mirrors always.
void TControlLook::SetFixedGradientFrom(TColor value)
{
    fixed_.From = value;
    if (owner_ && value != clNone) {
        owner_->FSkinGrad.From = Rgb(value);
        owner_->Invalidate();
    }
}

void TControlLook::SetFixedGradientTo(TColor value)
{
    fixed_.To = value;
    if (owner_ && value != clNone) {
        owner_->FSkinGrad.To = Rgb(value);
        owner_->Invalidate();
    }
}

void TControlLook::SetFixedGradientMirrorFrom(TColor value)
{
    fixed_.MirrorFrom = value;
    if (owner_) {
        owner_->FSkinGrad.MirrorFrom = Rgb(value);
        owner_->Invalidate();
    }
}

void TControlLook::SetFixedGradientMirrorTo(TColor value)
{
    fixed_.MirrorTo = value;
    if (owner_) {
        owner_->FSkinGrad.MirrorTo = Rgb(value);
        owner_->Invalidate();
    }
}

// Hovered and pressed sets are written straight into the grid.
void TControlLook::SetFixedGradientHoverFrom(TColor value)
{
    hover_.From = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradHover.From = value;
}

void TControlLook::SetFixedGradientHoverTo(TColor value)
{
    hover_.To = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradHover.To = value;
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor value)
{
    hover_.MirrorFrom = value;
    if (owner_)
        owner_->FSkinGradHover.MirrorFrom = value;
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor value)
{
    hover_.MirrorTo = value;
    if (owner_)
        owner_->FSkinGradHover.MirrorTo = value;
}

void TControlLook::SetFixedGradientHoverBorder(TColor value)
{
    hover_.Border = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradHover.Border = value;
}

void TControlLook::SetFixedGradientDownFrom(TColor value)
{
    down_.From = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradDown.From = value;
}

void TControlLook::SetFixedGradientDownTo(TColor value)
{
    down_.To = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradDown.To = value;
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor value)
{
    down_.MirrorFrom = value;
    if (owner_)
        owner_->FSkinGradDown.MirrorFrom = value;
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor value)
{
    down_.MirrorTo = value;
    if (owner_)
        owner_->FSkinGradDown.MirrorTo = value;
}

void TControlLook::SetFixedGradientDownBorder(TColor value)
{
    down_.Border = value;
    if (owner_ && value != clNone)
        owner_->FSkinGradDown.Border = value;
}

void TControlLook::Init()
{
    color_ = clBlack;
    commentColor_ = clRed;
    ProgressBorderColor = clGray;
    fixed_ = {clNone, clNone, clNone, clNone, clNone};
    hover_ = {clWhite, clGray, clNone, clNone, clSilver};
    down_ = {clSilver, clGray, clNone, clNone, clGray};
}

void TControlLook::Assign(const TControlLook& source)
{
    checkSize_ = source.checkSize_;
    radioSize_ = source.radioSize_;
    controlStyle_ = source.controlStyle_;
    CheckedGlyph = source.CheckedGlyph;
    UnCheckedGlyph = source.UnCheckedGlyph;
    RadioOnGlyph = source.RadioOnGlyph;
    RadioOffGlyph = source.RadioOffGlyph;
    progressMarginX_ = source.progressMarginX_;
    progressMarginY_ = source.progressMarginY_;
    commentColor_ = source.commentColor_;
    color_ = source.color_;
    ProgressBorderColor = source.ProgressBorderColor;
    CheckAlwaysActive = source.CheckAlwaysActive;
    RadioAlwaysActive = source.RadioAlwaysActive;
    fixed_ = source.fixed_;
    hover_ = source.hover_;
    down_ = source.down_;
    dropDownAlwaysVisible_ = source.dropDownAlwaysVisible_;
    spinButtonsAlwaysVisible_ = source.spinButtonsAlwaysVisible_;
    DropDownCount = source.DropDownCount;
    DropDownFooter = source.DropDownFooter;
    DropDownHeader = source.DropDownHeader;
    HintMaxWidth = source.HintMaxWidth;
}

void TSortSettings::SetShow(bool value)
{
    if (show_ == value)
        return;
    show_ = value;
    if (owner_)
        owner_->Invalidate();
}

void TSortSettings::SetRow(int value)
{
    if (owner_ && value >= owner_->FixedRows())
        throw GridError(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    row_ = value;
}

void TSortSettings::SetHeader(TColor& field, TColor value)
{
    if (field == value)
        return;
    field = value;
    if (owner_ && owner_->FixedRows() > 0)
        owner_->RepaintRow(owner_->FixedRows() - 1);
}

QString TSortSettings::SaveToString() const
{
    if (IndexShow)
        return QStringLiteral("i;") + (owner_ ? owner_->SortIndexes.SaveToString() : QString());
    return (Direction == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(Column);
}

void TSortSettings::LoadFromString(const QString& value)
{
    if (value.isEmpty())
        return;
    SetShow(true);
    if (value.size() < 2)
        throw GridError(QStringLiteral("Invalid sort settings specifier"));
    if (!value.contains(QStringLiteral("i;"))) {
        IndexShow = false;
        Direction = value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
        bool ok = false;
        const int column = value.mid(1).toInt(&ok);
        if (ok) {
            Column = column;
            if (owner_)
                owner_->QSort();
        }
        return;
    }
    IndexShow = true;
    const QString rest = value.mid(2);
    if (!rest.isEmpty() && owner_) {
        owner_->SortIndexes.LoadFromString(rest);
        owner_->QSortIndexed();
    }
}

void TSortSettings::Remove()
{
    Column = -1;
    if (!owner_)
        return;
    owner_->SortIndexes.Clear();
    if (owner_->FixedRows() > 0)
        owner_->RepaintRow(owner_->FixedRows() - 1);
}

void TSortSettings::Assign(const TSortSettings& source)
{
    AutoSortForGrouping = source.AutoSortForGrouping;
    AutoColumnMerge = source.AutoColumnMerge;
    Column = source.Column;
    show_ = source.show_;
    IndexShow = source.IndexShow;
    IndexColor = source.IndexColor;
    Full = source.Full;
    SingleColumn = source.SingleColumn;
    IgnoreBlanks = source.IgnoreBlanks;
    BlankPos = source.BlankPos;
    AutoFormat = source.AutoFormat;
    Direction = source.Direction;
    UpGlyph = source.UpGlyph;
    DownGlyph = source.DownGlyph;
    IndexUpGlyph = source.IndexUpGlyph;
    IndexDownGlyph = source.IndexDownGlyph;
    IndexSortKey = source.IndexSortKey;
    InitSortDirection = source.InitSortDirection;
    FixedCols = source.FixedCols;
    NormalCellsOnly = source.NormalCellsOnly;
    row_ = source.row_;
    UndoSort = source.UndoSort;
    headerColor_ = source.headerColor_;
    headerColorTo_ = source.headerColorTo_;
    headerMirrorColor_ = source.headerMirrorColor_;
    headerMirrorColorTo_ = source.headerMirrorColorTo_;
}

} // namespace grid
