#include "controls/grid/core/grid_records.h"

#include "controls/grid/core/ex_string_grid.h"

namespace grid {

void TCellNode::Repaint()
{
    if (owner_)
        owner_->Invalidate();
}

void TCellNode::Assign(const TCellNode& s)
{
    Color = s.Color;
    nodeType_ = s.nodeType_;
    NodeColor = s.NodeColor;
    ExpandGlyph = s.ExpandGlyph.copy();
    ExpandOne = s.ExpandOne;
    ContractGlyph = s.ContractGlyph.copy();
    showTree_ = s.showTree_;
    showTreeFull_ = s.showTreeFull_;
    nodeIndent_ = s.nodeIndent_;
    treeColor_ = s.treeColor_;
}

void TColumnSize::SetStretch(bool v)
{
    stretch_ = v;
    if (owner_ && owner_->HasView() && OnStretch)
        OnStretch(StretchColumn);
}

void TColumnSize::Assign(const TColumnSize& s)
{
    Save = s.Save;
    Key = s.Key;
    Section = s.Section;
    stretch_ = s.stretch_;
    StretchColumn = s.StretchColumn;
    SynchWithGrid = s.SynchWithGrid;
    SynchNormalCellsOnly = s.SynchNormalCellsOnly;
    Location = s.Location;
    Rows = s.Rows;
}

void THTMLSettings::Assign(const THTMLSettings& s)
{
    AutoPreview = s.AutoPreview;
    ConvertSpecialChars = s.ConvertSpecialChars;
    NonBreakingText = s.NonBreakingText;
    SaveColor = s.SaveColor;
    SaveFonts = s.SaveFonts;
    FooterFile = s.FooterFile;
    HeaderFile = s.HeaderFile;
    BorderSize = s.BorderSize;
    CellSpacing = s.CellSpacing;
    CellPadding = s.CellPadding;
    TableStyle = s.TableStyle;
    PrefixTag = s.PrefixTag;
    SuffixTag = s.SuffixTag;
    Summary = s.Summary;
    Width = s.Width;
    XHTML = s.XHTML;
}

void TPrintSettings::Assign(const TPrintSettings& s)
{
    const bool fixedAlways = FixedCellsAlways;
    TExStringGrid* owner = owner_;
    *this = s;
    FixedCellsAlways = fixedAlways;
    owner_ = owner;
}

void TGrouping::Assign(const TGrouping& s)
{
    GroupCountFormat = s.GroupCountFormat;
    HeaderColor = s.HeaderColor;
    HeaderColorTo = s.HeaderColorTo;
    HeaderTextColor = s.HeaderTextColor;
    HeaderUnderline = s.HeaderUnderline;
    MergeHeader = s.MergeHeader;
    MergeSummary = s.MergeSummary;
    ShowGroupCount = s.ShowGroupCount;
    SummaryColor = s.SummaryColor;
    SummaryColorTo = s.SummaryColorTo;
    SummaryTextColor = s.SummaryTextColor;
    SummaryLine = s.SummaryLine;
    AutoCheckGroup = s.AutoCheckGroup;
    AutoSelectGroup = s.AutoSelectGroup;
}

void TBalloonSettings::Assign(const TBalloonSettings& s)
{
    TextColor = s.TextColor;
    BackgroundColor = s.BackgroundColor;
    InitialDelay = s.InitialDelay;
    AutoHideDelay = s.AutoHideDelay;
    ReshowDelay = s.ReshowDelay;
    Transparency = s.Transparency;
    SetEnable(s.enable_);
}

} // namespace grid
