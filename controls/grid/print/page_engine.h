#pragma once
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/print/print_canvas.h"

#include <QDateTime>
#include <QRect>

#include <climits>
#include <functional>
#include <vector>

namespace grid::print {

// The engine's passes: draw a preview, print, count for printing, count for a preview.
enum PrintPass { PassPreview = 0, PassPrint = 1, PassCountPrint = 2, PassCountPreview = 3 };

// Pages laid out for a grid's print settings: fit to page, column bands,
// rows per page, repeated fixed rows and columns, header, footer, title,
// page numbers and the page frame, with the events that steer printing.
class TGridPageEngine
{
public:
    explicit TGridPageEngine(TExStringGrid& grid) : grid_(grid) {}

    // ---- State the callers set ----
    TGridRect FPrintRect;          // display columns and rows being printed
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    bool FastPrint = false;
    bool IsPrintPreview = false;
    bool PrinterDriverFix = false;  // no effect: the printer's orientation angle is taken as 90
    int ScreenDpi = 96;             // resolution of the grid's own canvas
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    // ---- Results of the last call ----
    int PrintNrOfPages = 0;
    PageRect PrintPageRect;
    int PrintPageWidth = 0;
    int PrintColStart = 0;
    int PrintColEnd = 0;
    // Printed width of each display column (0.1 mm, no spacing) and the left
    // edge of each on the current page; both grow with the range.
    std::vector<int> MaxWidths;
    std::vector<int> Indents;
    double Fontscalefactor = 1.0;

    // ---- Events ----
    std::function<void(int nrOfPages, int& fromPage, int& toPage)> OnPrintStart;
    std::function<void(PrintCanvas&, int pageNr, int pageXSize, int pageYSize)> OnPrintPage;
    std::function<void(PrintCanvas&, int lastRow, int lastRowOffset, int lastPage, int pageXSize, int pageYSize)>
        OnPrintPageDone;
    std::function<void(int pageNr, bool& cancel)> OnPrintCancel;
    std::function<void(int row, bool& newPage)> OnPrintNewPage;
    std::function<void(int pageNum, int pageColNum, QString& text)> OnPrintGetPageNum;
    std::function<void(int col, int& width)> OnPrintSetColumnWidth;
    std::function<void(int row, int& height)> OnPrintSetRowHeight;
    std::function<void(double& scale, bool& allow)> OnFitToPage;
    // After a printed base cell is painted: a painter in device pixels (y
    // down) with the print font's size, the cell one row advance high in
    // them, the real column; printing is true.
    std::function<void(QPainter& painter, int col, int row, TGridDrawState state, const QRect& rect,
                       bool printing)>
        OnCustomCellDraw;
    // After a cell is measured for printing (real column, extent in 0.1 mm).
    std::function<void(PrintCanvas& canvas, int col, int row, QSize& extent, bool printing)> OnCustomCellSize;

    // Lays out (and in passes 0 and 1 draws) the pages of FPrintRect on a page
    // of pageWidth by pageHeight (0.1 mm); nrOfPages is the total to print
    // beside page numbers (0: unknown). Returns the number of pages laid out.
    int PrintDrawPages(PrintCanvas& canvas, int pass, bool selectedOnly, int nrOfPages, int pageWidth,
                       int pageHeight);

    // Counting, then drawing the pages FPrintPageFrom..FPrintPageTo; false
    // when OnPrintStart cancelled. Pass is PassPrint or PassPreview.
    bool Run(PrintCanvas& canvas, int pass, bool selectedOnly, int pageWidth, int pageHeight);

    // ---- Cell measurement and painting (shared with the tests) ----
    void CalcPrintColumnWidths();
    QSize MeasurePrintCell(int realCol, int row);
    int GetPrintRowHeight(int row);
    int PrintRowCells(int y, int colFrom, int colTo, int row);
    // 0.1 mm per screen pixel.
    double PixelFactor() const { return 254.0 / ScreenDpi; }
    // Font height in 0.1 mm for a point size (negative: character height).
    int MapFontHeight(int pointSize) const;
    static int MapFontSize(int height) { return int(height * 72 / 254); }

    bool RowPrinted(int row);
    bool ColPrinted(int col);
    // The page-number text of the current page.
    QString PageNumberText();

private:
    int& MaxWidth(int c);
    int& Indent(int c);
    bool Drawing() const;
    bool PageInRange(int page) const { return page >= FPrintPageFrom && page <= FPrintPageTo; }
    void SetUp();
    void FitToPage();
    void SizeColumns(int kind);
    int LayOutPages(int kind);
    void LayOutBand(int bandStart);
    void HeaderFooterHeights(bool bandStart);
    int HtmlTitleHeight();
    QString HtmlTitle() const;
    void DrawHeaderFooter();
    void DrawFrame(int y);
    void NextPage();
    int PrintRowWithFixed(int y, int row);
    PageFont CanvasFont(const TFont& font) const;
    void PrintGraphicShape(const TCellGraphic& graphic, int col, int row, const PageRect& cell,
                           const PageRect& textRect);
    // place(width, height) gives a graphic's box and keeps the text out of it.
    void PrintImages(const TCellGraphic& graphic, int col, int row, const std::function<PageRect(int, int)>& place);
    void PrintPie(const TCellGraphic& graphic, const PageRect& box, TColor background);
    void PrintInterfaced(const TCellGraphic& graphic, const PageRect& cell,
                         const std::function<PageRect(int, int)>& place);
    void PrintRadioGroup(const TCellGraphic& graphic, int col, int row, const PageRect& cell, TColor color);
    QSize CustomCellSize(int realCol, int row, QSize extent);

    TExStringGrid& grid_;
    PrintCanvas* canvas_ = nullptr;
    int pass_ = PassPrint;
    bool selectedOnly_ = false;
    int nrOfPages_ = 0;
    int W_ = 0;
    int B_ = 0;
    int hh_ = 0;
    int fh_ = 0;
    int th_ = 0;
    int spacing_ = 0;
    int halfG_ = 0;
    int colGap_ = 0;
    double ratio_ = 1.0;
    int P_ = 0;
    int band_ = 0;
    int pagesInBand_ = 0;
    bool multiBand_ = false;
    bool repeatCols_ = false;
    int bandStart_ = 0;
    int bandEnd_ = 0;
    int headerH_ = 0;
    int footerH_ = 0;
    int clipBottom_ = INT_MIN;  // a row cut at the page bottom
    int cachedRow_ = -1;
    int cachedHeight_ = 0;
    int lastMeasured_ = 0;
    int measureTo_ = INT_MAX;  // last row of the range whose widths count
    bool probing_ = false;      // a dry layout up to the previewed page
    bool probeShort_ = false;   // it reached a row past measureTo_
};

} // namespace grid::print
