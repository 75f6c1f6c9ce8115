#pragma once
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/pictures/picture_container.h"
#include "controls/grid/widget/grid_images.h"

#include <QFont>
#include <QImage>
#include <QPen>
#include <QPixmap>
#include <QRect>

#include <array>
#include <functional>
#include <vector>

class QPainter;

namespace grid {

// Paints a grid's client area: only the cells the clip shows (fixed rows and
// columns plus the scrolled range from TopRow/LeftCol), then the area past
// the cells. The frame pass (background, hover and active rows, selection
// boxes, grid lines) runs per cell and hands the inner rectangle to
// DrawCellContent (text, check glyphs, fixed-cell edges, sort indicator,
// focus rectangle).
class GridPainter
{
public:
    explicit GridPainter(TExStringGrid& grid);
    virtual ~GridPainter();

    // Fired at the end of every paint pass.
    std::function<void()> OnPainted;
    // The look of XP progress cells.
    TGridProgressAppearance ProgressAppearance;
    // The mini-HTML link drawn hovered (1-based) and its cell; the cell whose
    // button the mouse is over.
    int HoveredLink = -1;
    QPoint HoveredLinkCell{-1, -1};
    QPoint HotButtonCell{-1, -1};
    // Pictures of mini-HTML cells: the grid's image list (a TGridImageList),
    // the picture container and the URL cache.
    html::HtmlPictures& HtmlPictures();
    TPictureContainer* PictureContainer = nullptr;

    void Paint(QPainter& painter, const QRect& clip, bool focused);
    // One cell with (PaintCell) or without (PaintCellExt) its content.
    void PaintCell(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);
    void PaintCellExt(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);

    // Draws a cell's content inside its lines; col is a display column.
    virtual void DrawCellContent(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);
    // The selection box of a cell (a seam for tests).
    virtual void DrawSelectionBox(QPainter& painter, const QRect& box, int part, TGridSelectionStyle style,
                                  bool active);

    // The check glyph's rectangle in a cell's content rectangle (the placement
    // of check box kinds, text width 0).
    QRect CheckGlyphRect(int col, int row, const QRect& rect, TAlignment textAlign);
    // Whether a check cell shows checked; false for other cells.
    bool CheckShown(int realCol, int row, const TCellGraphic& graphic);

    // The graphic pass of a cell: rect is the content rectangle, textWidth
    // the drawn text's width + 2 (0 without text).
    void DrawCellGraphic(QPainter& painter, int col, int row, const QRect& rect, TCellGraphic& graphic,
                         const CellLook& look, TGridDrawState state, int textWidth);
    // One check box glyph in rect's top-left CheckSize square.
    virtual void DrawCheck(QPainter& painter, const QRect& rect, bool checked, bool grayed, TControlStyle style,
                   bool enabled);
    // count radio items over rect; index -1 turns on the item whose caption
    // is the cell's text.
    void DrawRadioGroup(QPainter& painter, const QRect& rect, TControlStyle style, int col, int row, bool selected,
                        const QStringList* items, bool disabled, bool horizontal, int index, int count);

    // A grid bitmap ("ESGCHK05") with its key colour in back (left out when
    // none); loaded once per name and colour.
    const QImage& GridGlyph(const char* name, TColor back);

private:
    void PaintCellFrame(QPainter& painter, int col, int row, QRect rect, TGridDrawState state,
                        bool withContent);
    // Draws the text in its text rectangle; answers its width + 2 when
    // measured for a graphic beside it, else 0.
    int DrawText(QPainter& painter, int col, int realCol, int row, QRect rect, const CellLook& look, bool selected,
                 bool measure, const TCellGraphic* graphic);
    void DrawNodeGlyph(QPainter& painter, int col, int row, QRect rect, const TCellGraphic& graphic,
                       const CellLook& look, TGridDrawState state);
    void DrawCellButton(QPainter& painter, int col, int row, const QRect& cell, const QRect& glyph,
                        TCellGraphic& graphic);
    void DrawRotatedText(QPainter& painter, int realCol, int row, const QRect& rect, const TCellGraphic& graphic,
                         const CellLook& look);
    // The background picture or gradient of a cell that shows it.
    bool DrawCellBackGround(QPainter& painter, int col, int row, const QRect& rect, const CellLook& look,
                            bool selected);
    void PaintBackGroundOutsideCells(QPainter& painter, const QRect& clip, int lastRight, int lastBottom);
    void TileBackGround(QPainter& painter, const QRect& target, QPoint phase);
    void DrawFixedEdges(QPainter& painter, QRect rect);
    // The lines of the selection rectangle on the sides of the cell that lie
    // on the selection's edge, and the resizer square of its last cell.
    void DrawSelectionRectangle(QPainter& painter, int col, int realCol, int row);
    // A picture with its top-left colour left out, made once per picture.
    const QImage& KeyedImage(const QImage& image);
    // Whether a header shows the filter glyph (the column has a filter list).
    bool HasFilterGlyph(int realCol);
    // Whether the current row is the one row an empty grid keeps.
    bool KeptEmptyRow(int row);
    // Whether the cell is the sort column's header that the sort header
    // gradient fills.
    bool SortHeaderColored(int col, int realCol, int row);
    const QFont& FontOf(const TFont& font);
    // The grid lines' pen, made again only when its colour or width changes
    // (not for every cell).
    const QPen& LinePen(TColor color, int width);
    QPen linePen_;

    TExStringGrid& grid_;
    html::FontMetricsMeasurer htmlMeasurer_;
    html::HtmlPictures htmlPictures_;
    THTMLPictureCache pictureCache_;
    struct Glyph
    {
        QString Name;
        TColor Back;
        QImage Image;
    };
    std::vector<Glyph> glyphs_;
    struct Keyed
    {
        qint64 Key;
        QImage Image;
    };
    std::vector<Keyed> keyed_;
    bool focused_ = false;
    struct FontSlot
    {
        bool Set = false;
        TFont Font;
        QFont QtFont;
    };
    std::array<FontSlot, 4> fonts_;
    std::size_t nextFont_ = 0;
};

} // namespace grid
