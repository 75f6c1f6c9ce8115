#pragma once
#include "controls/grid/html/mini_html_markup.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// Layout of mini-HTML text without Qt Gui: lines, runs, pictures, in-text
// controls, links and hit tests over an injected text measurer. The result is
// a list of placed items that a painter backend draws in order.
namespace grid::html {

struct HtmlFont
{
    QString Name;
    int Size = 8;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    TColor Color = 0;
    friend bool operator==(const HtmlFont&, const HtmlFont&) = default;
};

// Text metrics for the layout: QFontMetrics in the widget, a fixed width per
// character in tests.
class HtmlMeasurer
{
public:
    virtual ~HtmlMeasurer() = default;
    // Width and height of one line of text ("&" prefixes already resolved).
    virtual QSize TextExtent(const HtmlFont& font, QStringView text) = 0;
};

enum class HtmlPictureKind { ImageList, SmallSystemIcon, LargeSystemIcon, Container, Cache };

struct HtmlPictureInfo
{
    QSize Size;           // pixels of the shown frame
    QPoint FrameOffset;   // of the shown frame inside the animation
    QSize MaxSize;        // the animation's screen size (Size for stills)
    int FrameCount = 1;
};

// Pictures named by IMG and BODY tags.
class HtmlPictureSource
{
public:
    virtual ~HtmlPictureSource() = default;
    // Nothing for an unknown or empty picture, or an index past the list.
    virtual std::optional<HtmlPictureInfo> Picture(HtmlPictureKind kind, const QString& name) = 0;
};

// Where a source names its picture: "IDX:n", "SSYS:path", "LSYS:path", a name
// (container), a URL with "://" (cache); nothing for anything else.
std::optional<std::pair<HtmlPictureKind, QString>> ClassifyPictureSource(const QString& src);

// DrawHtmlText's parameters but the canvas.
struct HtmlLayoutInput
{
    QString Text;
    QRect Rect;                    // lines start at Rect.left() + 1
    HtmlFont Font;                 // the starting font
    TColor BrushColor = kNoColor;  // the background the text is drawn on
    QPoint Point{-1, -1};          // point to hit-test
    int FocusedLink = -1;          // 0-based
    int HoveredLink = -1;          // 1-based, as HitLinkIndex
    int ShadowOffset = 1;
    bool HitTestOnly = false;
    bool MeasureOnly = false;
    bool Printing = false;
    bool Selected = false;
    bool BlinkOn = true;
    bool UnderlineHoveredOnly = false;
    bool WordWrap = true;
    bool ControlPressed = false;
    double PrintScale = 1.0;
    double Resolution = 1.0;  // device pixels per 1/96 inch
    TColor LinkColor = 0xFF0000;
    TColor HoverBrushColor = kNoColor;
    TColor HoverFontColor = kNoColor;
    TColor ShadowColor = 0x808080;
    QString ControlID;         // with HitTestOnly: the control that counts as hit
    bool ThemesInUse = false;  // themed control glyphs
    int BiDiMode = 0;          // 0 left to right, else right to left when the locale reads so
    bool RightToLeftLocale = false;
};

enum class HtmlItemKind {
    Text,          // Text in Font at Rect (bottom aligned), Color on Background
    Fill,          // Rect filled with Color
    Line,          // from Rect.topLeft() to Rect.topRight(), 1 pixel, Color
    ZigZag,        // Points joined, 1 pixel, Color
    FocusRect,     // a dotted focus frame around Rect
    Picture,       // Picture named Name into Rect (stretched when Stretch)
    TiledPicture,  // Picture tiled over Rect from its top-left
    Control,       // an in-text control
};

struct HtmlControlItem
{
    QString Type;  // CHECK, RADIO, EDIT, PASSWORD, MASK, COMBO, BUTTON
    QString Id;
    QRect Box;         // edit box, check or radio box, button face
    QRect TextRect;    // value or caption
    QRect ButtonRect;  // drop button of a combo
    TColor Pen = 0;    // frame of edit and combo boxes
    bool Checked = false;
    bool Hot = false;
    bool Pressed = false;
};

struct HtmlItem
{
    HtmlItemKind Kind = HtmlItemKind::Text;
    QRect Rect;
    TColor Color = 0;
    TColor Background = kNoColor;
    HtmlFont Font;
    QString Text;          // display text; control value; picture name
    QList<int> Mnemonics;  // text positions drawn underlined ("&x")
    int ElideWidth = -1;   // >= 0: cut with an end ellipsis to this width
    bool Shadow = false;
    int ShadowOffset = 0;
    TColor ShadowColor = 0;
    HtmlPictureKind Picture = HtmlPictureKind::Container;
    bool Stretch = false;
    std::vector<QPoint> Points;
    HtmlControlItem Control;
};

struct HtmlLine
{
    QRect Rect;       // left after alignment and indent, height with rise and drop
    int Width = 0;    // without the trailing blank
    int Start = 0;    // text consumed, as positions in the prepared text
    int End = 0;
};

struct HtmlLayout
{
    bool Hit = false;  // the point is on link text, a picture in a link or a control
    QString HitLinkTarget;  // HREF under the point, "ctrl" for a control
    QString HitLinkTitle;
    QString FocusedLinkTarget;
    QString PlainText;
    int ExtentX = 0;
    int ExtentY = 0;
    int LinkCount = 0;
    int HitLinkIndex = -1;  // 1-based; set when the hit link closes
    QRect HitLinkRect;      // empty when none
    QRect HitControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;
    int HitPicture = -1;  // 1-based number of the picture in a link under the point
    std::vector<HtmlLine> Lines;
    std::vector<HtmlItem> Items;  // empty with MeasureOnly or HitTestOnly
};

// The text as the line loop reads it: entities of the first set resolved,
// "<#" tags shown as text, CR as <BR>, LF dropped.
QString PrepareHtmlText(const QString& text);

// Lays the text out and hit-tests the point; `pictures` may be null.
HtmlLayout LayoutHtmlText(const HtmlLayoutInput& in, HtmlMeasurer& measurer, HtmlPictureSource* pictures);

}  // namespace grid::html
