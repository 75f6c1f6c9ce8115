// Real output: a grid printed to PDF and read back with the poppler tools,
// and a preview page painted into a 96-dpi image.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/print/grid_preview.h"
#include "controls/grid/print/painter_canvas.h"
#include "controls/grid/print_device/grid_printer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;
using namespace grid::print;

namespace {

QString CellName(int row, int col) { return QStringLiteral("c%1-%2").arg(row, 4, 10, QChar(u'0')).arg(col); }

void FillGrid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    for (int c = 0; c < cols; ++c)
        g.SetCells(c, 0, QStringLiteral("Head%1").arg(c));
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCells(c, r, CellName(r, c));
    auto& ps = g.PrintSettings;
    ps.Font.Name = ps.HeaderFont.Name = ps.FooterFont.Name = QStringLiteral("DejaVu Sans");
    ps.Font.Size = ps.HeaderFont.Size = ps.FooterFont.Size = 10;
    ps.TitleText = QStringLiteral("Quarterly Meters");
    ps.Title = ppTopCenter;
    ps.Date = ppTopLeft;
    ps.PageNr = ppBottomRight;
    ps.HeaderSize = 100;
    ps.FooterSize = 100;
    ps.LeftSize = ps.RightSize = 100;
    ps.JobName = QStringLiteral("Meter list");
}

QString Tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool HavePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

} // namespace

TEST(PrintOutput, MultiPageGridToPdf)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    QTemporaryDir dir;
    TExStringGrid g;
    FillGrid(g, 3, 200);
    TGridPageEngine engine(g);
    engine.Clock = [] { return QDateTime(QDate(2026, 3, 4), QTime(9, 5)); };
    const QString path = dir.filePath(QStringLiteral("meters.pdf"));
    const PrintOutcome out = PrintRangeToPdf(engine, g, path, WholeGrid(g), false);
    ASSERT_TRUE(out.Printed) << out.Message.toStdString();
    ASSERT_GT(engine.PrintNrOfPages, 1);
    EXPECT_FALSE(QFile::exists(path + ".part"));

    const QString info = Tool("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(engine.PrintNrOfPages))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Meter list"))) << info.toStdString();

    const QString text = Tool("pdftotext", {"-layout", path, "-"});
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), engine.PrintNrOfPages);
    for (int p = 0; p < engine.PrintNrOfPages; ++p) {
        EXPECT_TRUE(pages[p].contains("Quarterly Meters")) << p;
        EXPECT_TRUE(pages[p].contains("04/03/2026")) << p;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("%1/%2").arg(p + 1).arg(engine.PrintNrOfPages))) << p;
    }
    qsizetype at = -1;
    for (int r = 1; r < 200; ++r)
        for (int c = 0; c < 3; ++c) {
            const qsizetype next = text.indexOf(CellName(r, c), at + 1);
            ASSERT_GT(next, at) << CellName(r, c).toStdString();
            at = next;
        }
}

TEST(PrintOutput, LandscapeAndBands)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    QTemporaryDir dir;
    TExStringGrid g;
    FillGrid(g, 14, 30);
    g.PrintSettings.Orientation = poLandscape;
    g.PrintSettings.UseFixedWidth = true;
    g.PrintSettings.FixedWidth = 400;
    TGridPageEngine engine(g);
    const QString path = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(PrintRangeToPdf(engine, g, path, WholeGrid(g), false).Printed);
    const QString info = Tool("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts")))
        << info.toStdString();
    const QString text = Tool("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains("1-1"));
    EXPECT_TRUE(text.contains("1-2"));
    EXPECT_TRUE(text.contains(CellName(29, 13)));
}

TEST(PrintOutput, UnwritablePathLeavesNoFile)
{
    QTemporaryDir dir;
    TExStringGrid g;
    FillGrid(g, 2, 5);
    TGridPageEngine engine(g);
    const QString path = dir.filePath(QStringLiteral("missing/out.pdf"));
    const PrintOutcome out = PrintRangeToPdf(engine, g, path, WholeGrid(g), false);
    EXPECT_FALSE(out.Printed);
    EXPECT_FALSE(out.Message.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".part"));
}

TEST(PrintOutput, PreviewDrawsTheChosenPageInsideTheDisplayRect)
{
    TExStringGrid g;
    FillGrid(g, 3, 200);
    TGridPageEngine engine(g);
    QImage image(700, 900, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QList<int> started;
    QList<int> doneRows;
    engine.OnPrintPage = [&](PrintCanvas&, int page, int, int) { started << page; };
    engine.OnPrintPageDone = [&](PrintCanvas&, int lastRow, int, int, int, int) { doneRows << lastRow; };
    SetPreviewPage(engine, 2);
    const QRect display(50, 60, 500, 700);
    {
        QPainter painter(&image);
        ASSERT_TRUE(PrintPreviewRange(engine, painter, display, false, WholeGrid(g)));
    }
    EXPECT_FALSE(engine.IsPrintPreview);
    // 500 pixels at 96 dpi are 132.3 mm.
    EXPECT_EQ(engine.PrintPageRect.Right, 1323);
    EXPECT_EQ(engine.PrintPageRect.Bottom, -1852);
    EXPECT_TRUE(started.contains(2));
    EXPECT_GT(engine.PrintNrOfPages, 2);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++(display.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(outside, 0);
}

TEST(PrintOutput, PainterCanvasTurnsYInTheCoordinatesOnly)
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, 254, QPoint(10, 20));  // one pixel per 0.1 mm
    EXPECT_EQ(canvas.DevicePoint(100, -200), QPointF(110, 220));
    EXPECT_EQ(canvas.DeviceRect({0, 0, 50, -30}), QRectF(10, 20, 50, 30));
    canvas.FillRect({0, 0, 50, -30}, clBlack);
    canvas.SetFont({TFont{QStringLiteral("DejaVu Sans"), 10}, 60, 0});
    canvas.TextAt(100, -100, QStringLiteral("Text"), clBlack);
    EXPECT_TRUE(painter.transform().isIdentity());
    painter.end();
    EXPECT_EQ(image.pixel(15, 25), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 55), qRgb(255, 255, 255));
    // The text hangs below its top point, upright.
    int inkTop = 400;
    for (int y = 0; y < 400 && inkTop == 400; ++y)
        for (int x = 100; x < 300; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255) && y > 60) {
                inkTop = y;
                break;
            }
    EXPECT_GE(inkTop, 120);
    EXPECT_LT(inkTop, 150);
}

TEST(PrintOutput, PainterCanvasShapesAndDeviceDrawing)
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, 127, QPoint(10, 20));  // one pixel per 0.2 mm
    canvas.SetFont({TFont{QStringLiteral("DejaVu Sans"), 10}, 60, 0});
    const QFont before = painter.font();
    // A full pie, a quarter pie from 12 o'clock, a radio button that is on.
    canvas.Pie({0, 0, 200, -200}, 360, 0x0000FF, clNone);
    canvas.Pie({400, 0, 600, -200}, 90, 0x0000FF, clNone);
    canvas.RadioButton({0, -400, 200, -600}, true);
    QRect asked;
    int pixelSize = 0;
    canvas.DeviceDraw({400, -400, 600, -600}, TFont{QStringLiteral("DejaVu Sans"), 18},
                      [&](QPainter& p, const QRect& rect) {
                          asked = rect;
                          pixelSize = p.font().pixelSize();
                          p.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
                          p.fillRect(rect, Qt::green);
                      });
    EXPECT_EQ(painter.font(), before);  // the canvas font is back
    painter.end();
    EXPECT_EQ(asked, QRect(210, 220, 100, 100));
    EXPECT_EQ(pixelSize, 32);  // 18 pt at 127 dpi
    EXPECT_EQ(image.pixel(60, 70), qRgb(255, 0, 0));     // the full pie's centre
    EXPECT_EQ(image.pixel(235, 35), qRgb(255, 0, 0));    // the quarter: top left of its centre
    EXPECT_EQ(image.pixel(285, 95), qRgb(255, 255, 255)); // not bottom right
    EXPECT_EQ(image.pixel(60, 270), qRgb(0, 0, 0));      // the radio button's dot
    EXPECT_EQ(image.pixel(260, 270), qRgb(0, 255, 0));
}

TEST(PrintOutput, DrawRectDrawsPageOneOnly)
{
    TExStringGrid g;
    FillGrid(g, 3, 200);
    TGridPageEngine engine(g);
    QList<int> started;
    engine.OnPrintPage = [&](PrintCanvas&, int page, int, int) { started << page; };
    QImage image(300, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PrintDrawRect(engine, painter, QRect(0, 0, 300, 300), WholeGrid(g));
    }
    EXPECT_EQ(started, QList<int>{1});
    EXPECT_EQ(engine.PrintNrOfPages, 1);
    EXPECT_EQ(engine.PrintPageRect.Right, 794);  // 300 pixels at 96 dpi
}

namespace {

bool Reddish(QRgb p) { return qRed(p) > 180 && qGreen(p) < 110 && qBlue(p) < 110; }

int CountPixels(const QImage& image, const QRect& area, bool (*test)(QRgb))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y)))
                ++n;
    return n;
}

} // namespace

TEST(PrintOutput, MiniHtmlIsLaidOutAndDrawnWithItsMarkup)
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, 96);
    const PageFont font{TFont{QStringLiteral("DejaVu Sans"), 10}, 35, 0};
    const QSize one = canvas.HtmlExtent(QStringLiteral("meter"), font, 65535);
    const QSize two = canvas.HtmlExtent(QStringLiteral("meter<br>value"), font, 65535);
    const QSize bold = canvas.HtmlExtent(QStringLiteral("<b>meter</b>"), font, 65535);
    EXPECT_GT(one.width(), 0);
    EXPECT_NEAR(two.height(), 2 * one.height(), 2);
    EXPECT_GT(bold.width(), one.width());
    // A narrow box wraps at the words.
    EXPECT_GT(canvas.HtmlExtent(QStringLiteral("meter value reading"), font, one.width() + 10).height(),
              one.height());

    const PageRect box{100, -100, 1000, -400};
    canvas.Html(box, QStringLiteral("<font color=\"#FF0000\">red</font> text"), font);
    painter.end();
    const QRect inside = canvas.DeviceRect(box).toAlignedRect();
    EXPECT_GT(CountPixels(image, inside, Reddish), 10);
    EXPECT_EQ(CountPixels(image, image.rect(), [](QRgb p) { return p != qRgb(255, 255, 255); }) -
                  CountPixels(image, inside, [](QRgb p) { return p != qRgb(255, 255, 255); }),
              0);
}

TEST(PrintOutput, MiniHtmlCellsAndTitlePrintAsMarkup)
{
    TExStringGrid g;
    FillGrid(g, 2, 20);
    g.PrintSettings.TitleText.clear();
    g.PrintSettings.TitleLines = {QStringLiteral("<font color=\"#FF0000\">Red title</font>")};
    g.PrintSettings.Title = ppTopLeft;
    g.SetCells(1, 5, QStringLiteral("<b>bold</b> <font color=\"#FF0000\">alarm</font>"));
    TGridPageEngine engine(g);
    QImage image(700, 900, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    SetPreviewPage(engine, 1);
    {
        QPainter painter(&image);
        ASSERT_TRUE(PrintPreview(engine, g, painter, QRect(0, 0, 700, 900)));
    }
    // The title sits in the header (above the first row), the red cell
    // text further down; no tag is printed as text.
    const int header = int(std::lround(100 * 96 / 254.0));
    EXPECT_GT(CountPixels(image, QRect(0, header - 2, 700, 30), Reddish), 10);
    EXPECT_GT(CountPixels(image, QRect(0, header + 60, 700, 840 - header), Reddish), 10);
}
