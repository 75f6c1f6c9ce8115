#include "controls/dropdown/color_panels.h"
#include "dropdown_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(ColorPanels, BoxGridClicksAndColours)
{
    DropDownWindow w;
    auto* grid = new TCustomColorSelector(&w.window);
    int selects = 0;
    grid->OnItemSelect = [&](TCustomColorSelector*) { ++selects; };
    w.Show(grid);
    EXPECT_EQ(grid->size(), QSize(165, 84));
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(grid->ItemIndex(), 11);
    EXPECT_EQ(grid->SelectedColor(), 0x7F7F7Fu);
    EXPECT_EQ(selects, 1);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(17, 5));  // a gap: nothing
    EXPECT_EQ(grid->ItemIndex(), 11);
    QTest::mouseMove(grid, QPoint(40, 40));
    EXPECT_EQ(grid->ItemHot(), 22);
    grid->SetSelectedColor(0x4D50C0);
    EXPECT_EQ(grid->ItemIndex(), 5);
    grid->SetSelectedColor(clNone);
    EXPECT_EQ(grid->ItemIndex(), -1);
    grid->SetSelectedColor(0x7F7F7F);  // two boxes hold it: the first
    EXPECT_EQ(grid->ItemIndex(), 11);
    const QImage shot = grid->grab().toImage();
    EXPECT_EQ(shot.pixelColor(8, 8), QColor(Qt::white));                   // box 0's fill
    EXPECT_EQ(shot.pixelColor(4 + 16 * 5 + 6, 10), QColor(0xC0, 0x50, 0x4D));
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::red));                   // the selected box's outer frame
}

TEST(ColorPanels, CubeSelectsHintsAndAsksToHide)
{
    DropDownWindow w;
    auto* cube = new TExColorCubePanel(&w.window);
    int selects = 0, hides = 0;
    cube->OnSelect = [&](TExColorCubePanel*) { ++selects; };
    cube->OnShouldHide = [&](QWidget*) { ++hides; };
    w.Show(cube);
    EXPECT_EQ(cube->size(), QSize(182, 160));
    QTest::mouseMove(cube, QPoint(55, 20));
    EXPECT_EQ(cube->HotIndex(), 1);
    EXPECT_EQ(cube->toolTip(), QStringLiteral("Red: 0,  Green: 51,  Blue: 102"));
    QTest::mouseClick(cube, Qt::LeftButton, {}, QPoint(55, 20));
    EXPECT_EQ(cube->SelectedIndex(), 1);
    EXPECT_EQ(cube->SelectedColor(), 0x663300u);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    QTest::mouseClick(cube, Qt::LeftButton, {}, QPoint(48, 20));  // no cell: nothing selected
    EXPECT_EQ(selects, 1);
    cube->SetSelectedColor(0x563412);
    EXPECT_EQ(cube->SelectedIndex(), -1);
    const QImage shot = cube->grab().toImage();
    EXPECT_EQ(shot.pixelColor(91, 80), QColor(Qt::white));  // the centre cell
}

TEST(ColorPanels, SpectrumPicksFromItsOwnPicture)
{
    DropDownWindow w;
    auto* spectrum = new TExColorSpectrumPanel(&w.window);
    int selects = 0, hides = 0;
    spectrum->OnSelect = [&](TExColorSpectrumPanel*) { ++selects; };
    spectrum->OnShouldHide = [&](QWidget*) { ++hides; };
    w.Show(spectrum);
    EXPECT_EQ(spectrum->size(), QSize(150, 174));
    QTest::mouseMove(spectrum, QPoint(11, 10 + 64));
    EXPECT_EQ(spectrum->HotColor(), 0x0000FFu);  // full red
    QTest::mouseClick(spectrum, Qt::LeftButton, {}, QPoint(11, 10));
    EXPECT_EQ(spectrum->SelectedColor, 0xFFFFFFu);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(hides, 1);
    QTest::mouseClick(spectrum, Qt::LeftButton, {}, QPoint(11, 10 + 127));
    EXPECT_EQ(spectrum->SelectedColor, 0x000000u);
    const QImage shot = spectrum->grab().toImage();
    const QRect swatch = SpectrumSelectedSwatch();
    EXPECT_EQ(shot.pixelColor(swatch.center()), QColor(Qt::black));
    QTest::mouseClick(spectrum, Qt::LeftButton, {}, QPoint(5, 160));  // outside the picture
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(hides, 2);
}

}  // namespace
