#pragma once
#include "controls/grid/core/grid_types.h"

#include <QFont>
#include <QImage>
#include <QList>

// The look settings of the grid: the look and style enumerations, the colour
// tones, the gradients of fixed cells, the look of in-cell controls
// (TControlLook) and the settings objects the look reads (sort header, floating
// footer, background).
namespace grid {

class TExStringGrid;

enum TGridLook { glStandard, glSoft, glClassic, glZAD, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };

// The component styles; the grid's own copy TExGridStyle has the same order.
enum TSkinStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black
};
enum TExGridStyle {
    gsOffice2003Blue,
    gsOffice2003Silver,
    gsOffice2003Olive,
    gsOffice2003Classic,
    gsOffice2007Luna,
    gsOffice2007Obsidian,
    gsWindowsXP,
    gsWhidbey,
    gsCustom,
    gsOffice2007Silver,
    gsWindowsVista,
    gsWindows7,
    gsTerminal,
    gsOffice2010Blue,
    gsOffice2010Silver,
    gsOffice2010Black
};
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
enum TControlStyle { csClassic, csFlat, csWinXP, csBevel, csZAD, csGlyph, csTheme };

struct TColorTone
{
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
    friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

struct TColorTones
{
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

// A control that takes a component style or colour tones from the style code.
class ISkinStyle
{
public:
    virtual ~ISkinStyle() = default;
    virtual void SetComponentStyle(TSkinStyle style) = 0;
};

class ISkinTones
{
public:
    virtual ~ISkinTones() = default;
    virtual void SetColorTones(const TColorTones& tones) = 0;
};

// The desktop fact some looks ask for; ours answers as the newer desktops do.
inline bool IsVistaOrLater()
{
    return true;
}

// One gradient set of fixed cells (normal, hovered or pressed).
struct TFixedGradient
{
    TColor From = clNone;
    TColor To = clNone;
    TColor MirrorFrom = clNone;
    TColor MirrorTo = clNone;
    TColor Border = clNone;
    friend bool operator==(const TFixedGradient&, const TFixedGradient&) = default;
};

enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TBorderStyle { bsNone, bsSingle };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum THintShowLargeTextPos { hpCell, hpMouse };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// A button of a drop-down editor's popup header or footer.
struct TDropDownBarButton
{
    QString Caption;
    int ImageIndex = -1;
    bool Enabled = true;
    int Width = 0;   // 0: sized from the caption
    int Height = 0;  // 0: sized from the caption
    int ModalResult = 0;  // footer buttons only
};

enum TBarGradient { bgHorizontal, bgVertical };
enum TBarButtonAlignment { bbaLeft, bbaRight };

// The popup header or footer look the grid copies into each drop-down editor
// it shows. Copying is assigning.
struct TDropDownBarLook
{
    bool Visible = true;
    int Height = 22;
    int BorderWidth = 1;
    TColor BorderColor = 0x000000;
    TColor Color = 0xC0C0C0;
    TColor ColorTo = 0xFFFFFF;
    TBarGradient GradientDirection = bgVertical;
    QString Caption;
    QFont Font;
    TColor FontColor = 0x000000;
    int ImageIndex = -1;
    QList<TDropDownBarButton> Buttons;
    TBarButtonAlignment ButtonAlignment = bbaRight;
};

struct TDropDownHeaderLook : TDropDownBarLook
{
    TDropDownHeaderLook() { Font.setFamily(QStringLiteral("Tahoma")); }
};

struct TDropDownFooterLook : TDropDownBarLook
{
    bool SizeGrip = true;
};

// The look of in-cell controls and the public face of the fixed-cell
// gradients: the gradient setters write the grid's own colours as well.
class TControlLook
{
public:
    explicit TControlLook(TExStringGrid* owner) : owner_(owner) {}
    TControlLook(const TControlLook&) = delete;
    TControlLook& operator=(const TControlLook&) = delete;

    int CheckSize() const { return checkSize_; }
    void SetCheckSize(int value);
    int RadioSize() const { return radioSize_; }
    void SetRadioSize(int value);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    QImage CheckedGlyph, UnCheckedGlyph, RadioOnGlyph, RadioOffGlyph;
    void SetGlyph(QImage& glyph, const QImage& value);
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    bool NoDisabledCheckRadioLook() const { return noDisabledCheckRadioLook_; }
    void SetNoDisabledCheckRadioLook(bool value);
    bool NoDisabledButtonLook() const { return noDisabledButtonLook_; }
    void SetNoDisabledButtonLook(bool value);
    bool FlatButton() const { return flatButton_; }
    void SetFlatButton(bool value);
    bool DropDownAlwaysVisible() const { return dropDownAlwaysVisible_; }
    void SetDropDownAlwaysVisible(bool value);
    bool SpinButtonsAlwaysVisible() const { return spinButtonsAlwaysVisible_; }
    void SetSpinButtonsAlwaysVisible(bool value);
    int DropDownCount = 8;
    // The popup bars of the drop-down editors, copied into each one shown.
    TDropDownHeaderLook DropDownHeader;
    TDropDownFooterLook DropDownFooter;
    TColor CommentColor() const { return commentColor_; }
    void SetCommentColor(TColor value);
    TColor ProgressBorderColor = clGray;
    int ProgressMarginX() const { return progressMarginX_; }
    void SetProgressMarginX(int value);
    int ProgressMarginY() const { return progressMarginY_; }
    void SetProgressMarginY(int value);
    bool ProgressXP() const { return progressXP_; }
    void SetProgressXP(bool value);
    bool FixedDropDownButton = false;
    int HintMaxWidth = 0;

    // The fixed-cell gradients: normal (From, To, mirrors), hovered and pressed.
    TFixedGradient Fixed() const { return fixed_; }
    TFixedGradient Hover() const { return hover_; }
    TFixedGradient Down() const { return down_; }
    void SetFixedGradientFrom(TColor value);
    void SetFixedGradientTo(TColor value);
    void SetFixedGradientMirrorFrom(TColor value);
    void SetFixedGradientMirrorTo(TColor value);
    void SetFixedGradientHoverFrom(TColor value);
    void SetFixedGradientHoverTo(TColor value);
    void SetFixedGradientHoverMirrorFrom(TColor value);
    void SetFixedGradientHoverMirrorTo(TColor value);
    void SetFixedGradientHoverBorder(TColor value);
    void SetFixedGradientDownFrom(TColor value);
    void SetFixedGradientDownTo(TColor value);
    void SetFixedGradientDownMirrorFrom(TColor value);
    void SetFixedGradientDownMirrorTo(TColor value);
    void SetFixedGradientDownBorder(TColor value);

    // Resets the colour properties, leaving the grid as it is.
    void Init();
    // Copies every property to the same property, passing nothing to the grid.
    void Assign(const TControlLook& source);

private:
    void Repaint();

    TExStringGrid* owner_;
    int checkSize_ = 15;
    int radioSize_ = 10;
    TControlStyle controlStyle_ = csTheme;
    TColor color_ = clBlack;
    bool noDisabledCheckRadioLook_ = false;
    bool noDisabledButtonLook_ = false;
    bool flatButton_ = false;
    bool dropDownAlwaysVisible_ = false;
    bool spinButtonsAlwaysVisible_ = false;
    TColor commentColor_ = clRed;
    int progressMarginX_ = 2;
    int progressMarginY_ = 2;
    bool progressXP_ = false;
    TFixedGradient fixed_{clNone, clNone, clNone, clNone, clNone};
    TFixedGradient hover_{clWhite, clGray, clNone, clNone, clSilver};
    TFixedGradient down_{clSilver, clGray, clNone, clNone, clGray};
};

enum TSortDirection { sdAscending, sdDescending };
// How a column compares when sorted.
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssDateTime,
    ssTime,
    ssAlphaNumeric,
    ssAlphaNumericNoCase
};
enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl, ikAlt, ikNone };

// How and on which column the grid sorts and how the sorted header looks.
// The text form and the sorting itself come with the sort side.
class TSortSettings
{
public:
    explicit TSortSettings(TExStringGrid* owner) : owner_(owner) {}
    TSortSettings(const TSortSettings&) = delete;
    TSortSettings& operator=(const TSortSettings&) = delete;

    bool Show() const { return show_; }
    void SetShow(bool value);
    int Column = -1;
    int Row() const { return row_; }
    // GridError "Sort row should be smaller than number of fixed rows".
    void SetRow(int value);
    TSortDirection Direction = sdAscending;
    TSortDirection InitSortDirection = sdAscending;
    bool IndexShow = false;
    TColor IndexColor = clYellow;
    TIndexSortKey IndexSortKey = ikShift;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    bool IgnoreCase = false;
    bool FixedCols = false;
    bool NormalCellsOnly = false;
    bool UndoSort = false;
    bool AutoSortForGrouping = true;
    bool AutoColumnMerge = false;
    bool SortOnVirtualCells = true;
    QImage UpGlyph, DownGlyph, IndexUpGlyph, IndexDownGlyph;
    TColor HeaderColor() const { return headerColor_; }
    void SetHeaderColor(TColor value) { SetHeader(headerColor_, value); }
    TColor HeaderColorTo() const { return headerColorTo_; }
    void SetHeaderColorTo(TColor value) { SetHeader(headerColorTo_, value); }
    TColor HeaderMirrorColor() const { return headerMirrorColor_; }
    void SetHeaderMirrorColor(TColor value) { SetHeader(headerMirrorColor_, value); }
    TColor HeaderMirrorColorTo() const { return headerMirrorColorTo_; }
    void SetHeaderMirrorColorTo(TColor value) { SetHeader(headerMirrorColorTo_, value); }

    void Assign(const TSortSettings& source);

    // "u3" / "d0" (direction and column), or "i;" and the sort index list.
    QString SaveToString() const;
    // Switches sorting on and sorts by the text; GridError "Invalid sort
    // settings specifier" for a text of one character. A bad column number
    // keeps the column and the order.
    void LoadFromString(const QString& value);
    // No sort column, no sort indexes.
    void Remove();
    void ToggleDirection() { Direction = Direction == sdAscending ? sdDescending : sdAscending; }

private:
    void SetHeader(TColor& field, TColor value);

    TExStringGrid* owner_;
    bool show_ = false;
    int row_ = 0;
    TColor headerColor_ = clNone;
    TColor headerColorTo_ = clNone;
    TColor headerMirrorColor_ = clNone;
    TColor headerMirrorColorTo_ = clNone;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// The strip at the bottom of the grid; what it shows comes with its own side.
struct TFloatingFooter
{
    bool Visible = false;
    TFooterStyle FooterStyle = fsFixedLastRow;
    int Height = 0;
    TColor Color = clBtnFace;
    TColor BorderColor = clNone;
    int Column = 0;
    QString CustomTemplate;
    bool CalculateHiddenRows = true;
    bool EnableCalculation = true;
    bool ShowHint = false;
};

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// A picture or gradient behind the cells.
struct TBackGround
{
    QImage Bitmap;
    int Left = 0;
    int Top = 0;
    TBackGroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor Color = clWindow;
    TColor ColorTo = clBtnFace;
};

} // namespace grid
