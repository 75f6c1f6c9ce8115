#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/int_list.h"

#include <QImage>
#include <QStringList>

#include <functional>

// Small persistent settings records of the grid: plain values with their
// initial values; Assign copies from an object of the same class.
namespace grid {

class TExStringGrid;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// The node look; setters that change what shows repaint the owner grid.
class TCellNode
{
public:
    explicit TCellNode(TExStringGrid* owner = nullptr) : owner_(owner) {}

    TColor Color = clSilver;
    TNodeType NodeType() const { return nodeType_; }
    void SetNodeType(TNodeType v) { Set(nodeType_, v); }
    TColor NodeColor = clBlack;
    QImage ExpandGlyph;
    bool ExpandOne = false;
    QImage ContractGlyph;
    TExStringGrid* Owner() const { return owner_; }
    bool ShowTree() const { return showTree_; }
    void SetShowTree(bool v) { Set(showTree_, v); }
    bool ShowTreeFull() const { return showTreeFull_; }
    void SetShowTreeFull(bool v) { Set(showTreeFull_, v); }
    int NodeIndent() const { return nodeIndent_; }
    void SetNodeIndent(int v) { Set(nodeIndent_, v); }
    TColor TreeColor() const { return treeColor_; }
    void SetTreeColor(TColor v) { Set(treeColor_, v); }

    void Assign(const TCellNode& source);

private:
    template <typename T>
    void Set(T& field, T v)
    {
        if (field == v)
            return;
        field = v;
        Repaint();
    }
    void Repaint();

    TExStringGrid* owner_;
    TNodeType nodeType_ = cnXP;
    bool showTree_ = true;
    bool showTreeFull_ = true;
    int nodeIndent_ = 12;
    TColor treeColor_ = clGray;
};

struct TSizeWhileTyping
{
    bool Height = false;
    bool Width = false;
    void Assign(const TSizeWhileTyping& s) { *this = s; }
};

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize
{
public:
    explicit TColumnSize(TExStringGrid* owner = nullptr) : owner_(owner) {}
    TExStringGrid* Owner() const { return owner_; }
    bool Save = false;
    QString Key;
    QString Section;
    bool Stretch() const { return stretch_; }
    // With the grid shown (a view attached) the stretch happens at once.
    void SetStretch(bool v);
    int StretchColumn = -1;
    bool SynchWithGrid = false;
    bool SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
    TAutoSizeRows Rows = arAll;
    // The grid's stretch step (column sizing side).
    std::function<void(int column)> OnStretch;

    void Assign(const TColumnSize& source);

private:
    TExStringGrid* owner_;
    bool stretch_ = false;
};

class THTMLSettings
{
public:
    bool AutoPreview = false;
    bool ConvertSpecialChars = false;
    bool NonBreakingText = false;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    QString Summary;
    int Width = 100;
    TIntList ColWidths;
    bool XHTML = false;
    bool ExportImages = true;

    void Assign(const THTMLSettings& source);
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings
{
public:
    explicit TPrintSettings(TExStringGrid* owner = nullptr) : owner_(owner) {}
    TExStringGrid* Grid() const { return owner_; }
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    QString PageNumSep = QStringLiteral("/");
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition Title = ppNone;
    TFont Font;
    TFont HeaderFont;
    TFont FooterFont;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    QString TitleText;
    QStringList TitleLines;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int FooterSize = 0;
    int HeaderSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString PagePrefix;
    QString PageSuffix;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    int FixedWidth = 0;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    bool NoAutoSize = false;
    bool PrintGraphics = false;
    QString JobName;
    bool NoAutoSizeRow = false;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    TFont FixedFont;
    bool UseDisplayFont = true;
    bool UseDefaultOrientation = false;
    bool FixedCellsAlways = false;
    TColor BorderColor = clBlack;

    // Copies every setting but the grid and FixedCellsAlways.
    void Assign(const TPrintSettings& source);

private:
    TExStringGrid* owner_;
};

// Grouping look (the grouping side uses it).
class TGrouping
{
public:
    bool MergeHeader = false;
    bool MergeSummary = false;
    TColor HeaderColor = clNone;
    TColor SummaryColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool Summary = false;
    TColor SummaryTextColor = clNone;
    TColor SummaryColorTo = clNone;
    bool HeaderUnderline = false;
    bool SummaryLine = false;
    int SummaryLineWidth = 2;
    int HeaderLineWidth = 2;
    TColor SummaryLineColor = clBlue;
    TColor HeaderLineColor = clBlue;
    bool ShowGroupCount = false;
    QString GroupCountFormat;
    bool AutoSelectGroup = false;
    bool AutoCheckGroup = false;

    void Assign(const TGrouping& source);
};

class TBalloonSettings
{
public:
    bool FInit = false;
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    int ReshowDelay = -1;
    int InitialDelay = -1;
    int AutoHideDelay = -1;
    quint8 Transparency = 0;
    bool Enable() const { return enable_; }
    void SetEnable(bool v)
    {
        enable_ = v;
        if (OnEnableChange)
            OnEnableChange(this);
    }
    std::function<void(void* sender)> OnEnableChange;

    void Assign(const TBalloonSettings& source);

private:
    bool enable_ = false;
};

class TShowModified
{
public:
    bool Enabled = false;
    TColor Color() const { return color_; }
    void SetColor(TColor v)
    {
        color_ = v;
        if (OnChange)
            OnChange(this);
    }
    std::function<void(void* sender)> OnChange;

    void Assign(const TShowModified& source)
    {
        color_ = source.color_;
        Enabled = source.Enabled;
    }

private:
    TColor color_ = clYellow;
};

} // namespace grid
