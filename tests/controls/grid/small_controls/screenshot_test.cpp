// Under a real X server (xvfb-run, QT_QPA_PLATFORM=xcb) with ORVANO_SHOTS set
// to a folder: shows the grid's small controls, helper windows and mini-HTML
// text in one window and writes the screen to <folder>/small_controls.png.
// Skipped otherwise.
#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/small_controls/arrow_window.h"
#include "controls/grid/small_controls/flat_button.h"
#include "controls/grid/small_controls/flat_check_box.h"
#include "controls/grid/small_controls/focus_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace grid;

class HtmlCells : public QWidget
{
public:
    QStringList texts;
    QSize cell{220, 40};

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        for (int i = 0; i < texts.size(); ++i) {
            const QRect r(0, i * cell.height(), cell.width(), cell.height());
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            html::HtmlLayoutInput in;
            in.Text = texts[i];
            in.Rect = r.adjusted(2, 2, -2, -2);
            in.Font = html::ToHtmlFont(font(), 0);
            in.HoveredLink = i == 0 ? 1 : -1;
            in.ThemesInUse = true;
            html::DrawHtmlText(painter, in, nullptr);
        }
    }
};

TEST(SmallControlsScreenshot, UnderX)
{
    const QString folder = qEnvironmentVariable("ORVANO_SHOTS");
    if (folder.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs ORVANO_SHOTS and an X server";

    QWidget window;
    window.setWindowTitle(QStringLiteral("Grid small controls"));
    window.resize(520, 330);
    window.move(20, 20);

    const int looks[] = {0, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 7; ++i) {
        auto* b = new TExGridButton(&window);
        b->setGeometry(10 + i * 70, 10, 64, 24);
        b->SetLook(looks[i]);
        b->SetCaption(QStringLiteral("Look %1").arg(i));
        if (i == 2) {
            b->SetGroupIndex(1);
            b->SetDown(true);
        }
    }
    auto* drop = new TExGridButton(&window);
    drop->setGeometry(10, 44, 90, 24);
    drop->SetLook(2);
    drop->SetCaption(QStringLiteral("&Find"));
    drop->SetDropDownButton(true);
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::magenta);
    {
        QPainter p(&glyph);
        p.setBrush(Qt::darkGreen);
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 2, 12, 12);
    }
    auto* withGlyph = new TExGridButton(&window);
    withGlyph->setGeometry(110, 44, 90, 24);
    withGlyph->SetLook(1);
    withGlyph->SetFlat(false);
    withGlyph->SetGlyph(glyph);
    withGlyph->SetCaption(QStringLiteral("Glyph"));
    auto* disabled = new TExGridButton(&window);
    disabled->setGeometry(210, 44, 90, 24);
    disabled->SetGlyph(glyph);
    disabled->SetCaption(QStringLiteral("Disabled"));
    disabled->setEnabled(false);

    const char* boxes[] = {"Checked", "Unchecked", "Greyed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new TExCheckBox(&window);
        box->setGeometry(10 + i * 100, 80, 98, 20);
        box->SetCaption(QString::fromLatin1(boxes[i]));
        box->SetState(i == 0 ? cbChecked : i == 2 ? cbGrayed : cbUnchecked);
        box->setEnabled(i != 3);
    }

    auto* cells = new HtmlCells;
    cells->setParent(&window);
    cells->setGeometry(10, 110, 220, 200);
    cells->texts = {
        QStringLiteral("<B>Bold</B> and <FONT COLOR=\"clRed\">red</FONT> with a <A href=\"x\">link</A>"),
        QStringLiteral("<I>Italic</I> <HI>highlight</HI> <E>eror</E> x<SUP>2</SUP>"),
        QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"16\"> on "
                       "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"text\" WIDTH=\"60\">"),
        QStringLiteral("<P align=\"center\"><U>centred</U> &amp; <S>struck</S></P>"),
        QStringLiteral("<UL><LI>first<LI>second</UL>"),
    };

    auto* grid = new QLabel(QStringLiteral("  edited cell"), &window);
    grid->setGeometry(280, 150, 200, 120);
    grid->setAutoFillBackground(true);
    grid->setStyleSheet(QStringLiteral("background: white; border: 1px solid #c0c0c0"));

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QRect cell(40, 40, 90, 22);
    TGridFocusWindow frame(grid);
    frame.CellRect = [&] { return cell; };
    frame.ShowAround(cell);
    TArrowWindow arrows[] = {{&window, arrUp}, {&window, arrDown}, {&window, arrLeft}, {&window, arrRight}};
    for (int i = 0; i < 4; ++i) {
        arrows[i].move(window.mapToGlobal(QPoint(300 + i * 20, 120)));
        arrows[i].show();
    }
    QTest::qWait(300);
    const QPixmap shot = window.screen()->grabWindow(0, 0, 0, 580, 400);
    ASSERT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("small_controls.png"))));
}

}  // namespace
