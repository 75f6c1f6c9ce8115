// Look resolution, the look presets (Look, component styles, tones, colour
// schemes), colour mixing and the number formats of shown cells.
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/core/float_format.h"
#include "platform/text/format_settings.h"
#include "platform/text/ini_file.h"
#include "platform/text/system_colors.h"
#include "platform/text/user_registry.h"
#include "qt_print.h"
#include "recording_view.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

using namespace grid;

namespace {

TColor Rgb(TColor color)
{
    return platform::ColorToRGB(color);
}

std::string Hex(TColor c)
{
    return QString::number(c, 16).toStdString();
}

} // namespace

TEST(LookResolution, CellLookByCase)
{
    platform::ScopedSystemColors colors(platform::SystemColors::Defaults());
    const TFont bold{QStringLiteral("Tahoma"), 8, fsBold, clWindowText};
    struct Case
    {
        const char* name;
        std::function<void(TExColumnGrid&)> setup;
        int col, row; // display column
        TColor brush, colorTo, fontColor;
        TGridDrawState state;
        TFontStyles fontStyle;
    };
    const Case cases[] = {
        {"plain normal cell", [](TExColumnGrid&) {}, 2, 2, clWindow, clNone, clWindowText, {}, 0},
        // Headers of a column grid take the column's header font.
        {"XP header: the look's gradient", [](TExColumnGrid&) {}, 2, 0, Rgb(clWhite), Rgb(clBtnFace),
         clWindowText, {gdFixed}, 0},
        {"row number: the fixed font", [](TExColumnGrid&) {}, 0, 2, Rgb(clWhite), Rgb(clBtnFace), clWindowText,
         {gdFixed}, fsBold},
        {"classic header: the fixed colour", [](TExColumnGrid& g) { g.SetLook(glClassic); }, 2, 0, clBtnFace, clNone,
         clWindowText, {gdFixed}, 0},
        {"bands: primary row",
         [](TExColumnGrid& g) {
             g.Bands.SetActive(true);
             g.Columns()[2]->SetShowBands(true);
         },
         2, 1, clInfoBk, clNone, clWindowText, {}, 0},
        {"bands: secondary row",
         [](TExColumnGrid& g) {
             g.Bands.SetActive(true);
             g.Columns()[2]->SetShowBands(true);
         },
         2, 2, clWindow, clNone, clWindowText, {}, 0},
        {"bands: a column without them keeps its colour",
         [](TExColumnGrid& g) {
             g.Bands.SetActive(true);
             g.Columns()[2]->SetColor(clLime);
         },
         2, 1, clLime, clNone, clWindowText, {}, 0},
        {"selected cell", [](TExColumnGrid& g) { g.SelectCells(2, 2, 3, 3); }, 3, 3, 0xEACAB6, clNone, clBlack,
         {gdSelected}, 0},
        {"selection mixed into a cell colour",
         [](TExColumnGrid& g) {
             g.SetColors(2, 2, clYellow);
             g.SelectCells(2, 2, 2, 2);
             g.SetSelectionColorMixer(true);
         },
         2, 2, 0x75E5DB, clNone, clBlack, {gdSelected}, 0},
        {"selection over a cell colour without the mixer",
         [](TExColumnGrid& g) {
             g.SetColors(2, 2, clYellow);
             g.SelectCells(2, 2, 2, 2);
         },
         2, 2, 0xEACAB6, clNone, clBlack, {gdSelected}, 0},
        {"column colour", [](TExColumnGrid& g) { g.Columns()[2]->SetColor(clLime); }, 2, 2, clLime, clNone,
         clWindowText, {}, 0},
        {"column colour stays out of the header", [](TExColumnGrid& g) { g.Columns()[2]->SetColor(clLime); }, 2, 0,
         Rgb(clWhite), Rgb(clBtnFace), clWindowText, {gdFixed}, 0},
        {"cell colour over the column's",
         [](TExColumnGrid& g) {
             g.Columns()[2]->SetColor(clLime);
             g.SetColors(2, 2, clRed);
             g.SetFontColors(2, 2, clBlue);
         },
         2, 2, clRed, clNone, clBlue, {}, 0},
        {"column font", [](TExColumnGrid& g) { g.Columns()[2]->SetFont(TFont{"Tahoma", 9, fsItalic, clMaroon}); }, 2,
         2, clWindow, clNone, clMaroon, {}, fsItalic},
        {"disabled row", [](TExColumnGrid& g) { g.SetRowEnabled(2, false); }, 2, 2, clWindow, clNone, clSilver, {},
         0},
        {"disabled grid", [](TExColumnGrid& g) { g.Enabled = false; }, 2, 3, clWindow, clNone, clSilver, {}, 0},
        {"active cell: row header",
         [](TExColumnGrid& g) {
             g.SetActiveCellShow(true);
             g.SetCol(3);
             g.SetRow(5);
         },
         0, 5, clGray, Rgb(clBtnFace), clWindowText, {gdFixed}, fsBold},
        {"active cell: column header",
         [](TExColumnGrid& g) {
             g.SetActiveCellShow(true);
             g.SetCol(3);
             g.SetRow(5);
         },
         3, 0, clGray, Rgb(clBtnFace), clWindowText, {gdFixed}, fsBold},
        {"active cell: another header keeps the gradient",
         [](TExColumnGrid& g) {
             g.SetActiveCellShow(true);
             g.SetCol(3);
             g.SetRow(5);
         },
         2, 0, Rgb(clWhite), Rgb(clBtnFace), clWindowText, {gdFixed}, 0},
        {"hidden column: the look of the real column",
         [](TExColumnGrid& g) {
             g.Columns()[3]->SetColor(clLime);
             g.HideColumn(2);
         },
         2, 2, clLime, clNone, clWindowText, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExColumnGrid g;
        g.ActiveCellFont = bold;
        g.SetRowCount(8);
        c.setup(g);
        const CellLook look = g.GetVisualProperties(c.col, c.row, {}, false, true, true);
        EXPECT_EQ(look.Brush.Color, c.brush) << Hex(look.Brush.Color);
        EXPECT_EQ(look.ColorTo, c.colorTo) << Hex(look.ColorTo);
        EXPECT_EQ(look.Font.Color, c.fontColor) << Hex(look.Font.Color);
        EXPECT_EQ(look.State, c.state);
        EXPECT_EQ(look.Font.Style, c.fontStyle);
    }
}

TEST(LookResolution, SelectionOnlyWhenAsked)
{
    TExStringGrid g;
    g.SelectCells(1, 1, 2, 2);
    EXPECT_FALSE(g.GetVisualProperties(1, 1, {}, false, false, true).State.Contains(gdSelected));
    EXPECT_TRUE(g.GetVisualProperties(1, 1, {}, false, true, true).State.Contains(gdSelected));
    g.SetShowSelection(false);
    EXPECT_FALSE(g.GetVisualProperties(1, 1, {}, false, true, true).State.Contains(gdSelected));
    // The gradient event has the last word before the selection.
    g.OnGetCellGradient = [](TExStringGrid*, int row, int col, TColor& color, TColor& to, TColor&, TColor&,
                             TCellGradientDirection& gd) {
        if (row == 3 && col == 4) {
            color = TColor(0xFFFF00);
            to = clWhite;
            gd = GradientHorizontal;
        }
    };
    const CellLook look = g.GetVisualProperties(4, 3, {}, false, true, true);
    EXPECT_EQ(look.Brush.Color, TColor(0xFFFF00));
    EXPECT_EQ(look.Gradient, GradientHorizontal);
}

TEST(LookResolution, AlignmentAndShownText)
{
    platform::ScopedFormatSettings comma{{u',', u'.', u'/', u':', QStringLiteral("dd/mm/yyyy")}};
    TExStringGrid g;
    g.AutoNumAlign = true;
    const std::pair<const char*, TAlignment> texts[] = {
        {"12", taRightJustify}, {" 1,5e3 ", taRightJustify}, {"-7", taRightJustify}, {"abc", taLeftJustify}};
    for (const auto& [text, expected] : texts) {
        g.SetCells(1, 1, QString::fromUtf8(text));
        TAlignment ha = taCenter;
        TVAlignment va = vtaTop;
        g.GetCellTextAlignment(1, 1, ha, va);
        EXPECT_EQ(ha, expected) << text;
    }
    g.SetAlignments(1, 1, taCenter); // a cell's own alignment wins
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellTextAlignment(1, 1, ha, va);
    EXPECT_EQ(ha, taCenter);
    g.SetVAlignment(vtaCenter);
    g.GetCellTextAlignment(2, 1, ha, va);
    EXPECT_EQ(va, vtaCenter);

    g.SetCells(2, 2, QStringLiteral("3,14159"));
    EXPECT_EQ(g.GetFormattedCell(2, 2), QStringLiteral("3,14159")); // no format event: the text
    g.OnGetFloatFormat = [](TExStringGrid*, int col, int, bool& isFloat, QString& format) {
        if (col == 3)
            isFloat = false;
        if (col == 4)
            format = QStringLiteral("%d pcs");
    };
    EXPECT_EQ(g.GetFormattedCell(2, 2), QStringLiteral("3,14"));
    g.SetCells(3, 2, QStringLiteral("2,5"));
    EXPECT_EQ(g.GetFormattedCell(3, 2), QStringLiteral("2,5"));
    g.SetCells(4, 2, QStringLiteral("12"));
    EXPECT_EQ(g.GetFormattedCell(4, 2), QStringLiteral("12 pcs"));
    g.SetCells(4, 3, QStringLiteral("1,5"));
    EXPECT_EQ(g.GetFormattedCell(4, 3), QStringLiteral("1,5")); // no integer: the text
    g.OnIsPasswordCell = [](TExStringGrid*, int row, int, bool& p) { p = row == 2; };
    EXPECT_TRUE(g.CellIsPassword(1, 2));
    EXPECT_FALSE(g.CellIsPassword(1, 3));
}

TEST(LookResolution, GraphicLayoutByKind)
{
    TExStringGrid g;
    g.AddCheckBox(1, 1, true, false);
    g.AddCheckBox(1, 2, true, true);
    g.AddRating(1, 3, 4, clYellow, clGray);
    g.AddRadioButton(1, 4, true);
    g.AddShape(1, 5, 2, clRed, clBlack, haCenter, vaCenter);
    g.AddExProgress(1, 6, 0, 10);
    struct Case
    {
        int row;
        GraphicLayout layout;
    };
    const Case cases[] = {
        {1, {15, 15, true, haBeforeText, vaTop}}, {2, {15, 15, false, haBeforeText, vaTop}},
        {3, {72, 16, false, haFull, vaTop}},      {4, {14, 14, true, haBeforeText, vaTop}},
        {5, {18, 18, true, haCenter, vaCenter}}, {6, {0, 0, false, haLeft, vaTop}},
        {7, {0, 0, true, haLeft, vaTop}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.GetGraphicLayout(1, c.row), c.layout) << c.row;
}

TEST(Colors, MixAndAdjust)
{
    struct Case
    {
        TColor a, b;
        int percent;
        TColor mixed;
    };
    const Case cases[] = {
        {0xEACAB6, 0x00FFFF, 50, 0x75E5DB}, {0xEACAB6, 0x00FFFF, 100, 0xEACAB6}, {0xEACAB6, 0x00FFFF, 150, 0xEACAB6},
        {0xEACAB6, 0x00FFFF, 0, 0x00FFFF},  {clNone, 0x00FFFF, 50, 0x00FFFF},     {0xEACAB6, clNone, 50, 0xEACAB6},
        {0xFFFFFF, 0x000000, 25, 0x404040},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixColors(c.a, c.b, c.percent), c.mixed) << c.percent;
    EXPECT_EQ(AdjustColorPercent(0x808080, -20), 0x666666u);
    EXPECT_EQ(AdjustColorPercent(0x646464, 7), 0x6B6B6Bu);
}

TEST(FloatFormats, PrintfLikeWithTheCurrentSeparators)
{
    struct Case
    {
        const char* format;
        double value;
        const char* dot;
        const char* comma; // nullptr: no result
    };
    const Case floats[] = {
        {"%.2f", 3.14159, "3.14", "3,14"},
        {"%f", 2, "2.00", "2,00"},
        {"%8.3f", -1.5, "  -1.500", "  -1,500"},
        {"%-6.1f|", 2.26, "2.3   |", "2,3   |"},
        {"%.0f", 2.5, "2", "2"},
        {"%n", 1234567.891, "1,234,567.89", "1.234.567,89"},
        {"%e", 1234.5, "1.23450000000000E+003", "1,23450000000000E+003"},
        {"%.3e", -0.00012345, "-1.23E-004", "-1,23E-004"},
        {"%g", 0.5, "0.5", "0,5"},
        {"%g", 1e20, "1E+20", "1E+20"},
        {"Total: %.1f %%", 2.26, "Total: 2.3 %", "Total: 2,3 %"},
        {"%d", 2, nullptr, nullptr},
        {"%s", 2, nullptr, nullptr},
        {"%.2f %.2f", 2, nullptr, nullptr},
        {"plain", 2, nullptr, nullptr},
        {"%", 2, nullptr, nullptr},
        {"%9999999f", 2, nullptr, nullptr},
    };
    for (const bool commaSeparator : {false, true}) {
        platform::FormatSettings fs;
        if (commaSeparator) {
            fs.DecimalSeparator = u',';
            fs.ThousandSeparator = u'.';
        }
        platform::ScopedFormatSettings scope(fs);
        for (const Case& c : floats) {
            const char* expected = commaSeparator ? c.comma : c.dot;
            const std::optional<QString> got = FormatNumber(QString::fromLatin1(c.format), c.value);
            if (expected == nullptr)
                EXPECT_FALSE(got.has_value()) << c.format;
            else
                EXPECT_EQ(got.value_or(QStringLiteral("<none>")), QString::fromLatin1(expected)) << c.format;
        }
    }
    const std::pair<const char*, const char*> integers[] = {
        {"%d", "42"}, {"%5d", "   42"}, {"%-5d|", "42   |"}, {"%.4d", "0042"}, {"%x", "2A"}, {"%u", "42"},
        {"%d items", "42 items"},
    };
    for (const auto& [format, expected] : integers)
        EXPECT_EQ(FormatInteger(QString::fromLatin1(format), 42).value_or(QString()), QString::fromLatin1(expected));
    EXPECT_EQ(FormatInteger(QStringLiteral("%d"), -7).value_or(QString()), QStringLiteral("-7"));
    EXPECT_FALSE(FormatInteger(QStringLiteral("%.2f"), 42).has_value());
}

TEST(Styles, OneRowPerStyle)
{
    platform::ScopedSystemColors colors(platform::SystemColors::Defaults());
    const TColor white = Rgb(clWhite);
    const TColor face = Rgb(clBtnFace);
    struct Row
    {
        TSkinStyle style;
        TGridLook look;
        TGridSelectionStyle selectionStyle;
        TColor gradFrom, gradTo, activeFrom, selection, selectionText, lines, fixedLines, footer;
    };
    const Row rows[] = {
        {tsOffice2003Blue, glXP, ssDefault, 0xFCE1CB, 0xE0A57D, 0x94E6FB, 0x94E6FB, clBlack, 0xC0C0C0, 0x808080,
         0xFCE1CB},
        {tsOffice2003Silver, glXP, ssDefault, 0xECE2E1, 0xB39698, 0x94E6FB, 0x94E6FB, clBlack, 0xC0C0C0, 0x808080,
         0xECE2E1},
        {tsOffice2003Olive, glXP, ssDefault, 0xCFF0EA, 0x8CC0B1, 0x94E6FB, 0x94E6FB, clBlack, 0xC0C0C0, 0x808080,
         0xCFF0EA},
        {tsOffice2003Classic, glXP, ssDefault, white, 0xCCD4D8, 0xD8D5D4, clHighlight, clHighlightText, 0xC0C0C0,
         0x808080, clWhite},
        {tsOffice2007Luna, glOffice2007, ssOffice2007, 0xFBF9F6, 0xE8DBD2, 0x9DD8F9, 0x5EC1F1, clBlack, 0xF1EDEB,
         0xD1BBA4, 0xFBF9F6},
        {tsOffice2007Obsidian, glOffice2007, ssOffice2007, 0xF7F7F7, 0xDEDEDE, 0x9DD8F9, 0x5EC1F1, clBlack, 0xE5D7D0,
         0x808080, 0xF7F7F7},
        {tsWindowsXP, glXP, ssDefault, face, face, clBtnFace, clHighlight, clHighlightText, 0xC0C0C0, 0x808080,
         clBtnFace},
        {tsWhidbey, glXP, ssDefault, white, face, 0x94E6FB, clHighlight, clHighlightText, 0xC0C0C0, 0x808080, clWhite},
        {tsCustom, glXP, ssDefault, white, face, clGray, clHighlight, clHighlightText, clSilver, clGray, clWhite},
        {tsOffice2007Silver, glOffice2007, ssOffice2007, 0xF3F3F1, 0xCAC9C8, 0x99CCFF, 0x95C7F5, clBlack, 0xE5D7D0,
         0x808080, 0xF3F3F1},
        {tsWindowsVista, glVista, ssVista, white, white, 0xFDF8F1, 0xEACAB6, clBlack, 0xECECF0, 0xD4D2D1, clWhite},
        {tsWindows7, glWin7, ssWin7, 0xFDFCFA, 0xFAF0E6, 0xFCEBDC, 0xEACAB6, clBlack, 0xECECF0, 0xD4D2D1, 0xFDFCFA},
        {tsTerminal, glStandard, ssDefault, face, clNone, clGray, clHighlight, clHighlightText, clSilver, clGray,
         clBtnFace},
        {tsOffice2010Blue, glOffice2007, ssDefault, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0xFFDBB7, clBlack, 0xC0C0C0,
         0xC7B0A0, 0xF5E7DA},
        {tsOffice2010Silver, glOffice2007, ssDefault, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0xFFDBB7, clBlack, 0xC0C0C0,
         0xBAB5B1, 0xE8E3DF},
        {tsOffice2010Black, glOffice2007, ssDefault, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0xFFDBB7, clBlack, 0xC0C0C0,
         0x444444, 0x6A6A6A},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "style " << int(r.style));
        TExStringGrid g;
        g.SetComponentStyle(r.style);
        EXPECT_EQ(g.ComponentStyle(), r.style);
        EXPECT_EQ(g.Look(), r.look);
        EXPECT_EQ(g.SelectionStyle(), r.selectionStyle);
        EXPECT_EQ(g.FSkinGrad.From, r.gradFrom) << Hex(g.FSkinGrad.From);
        EXPECT_EQ(g.FSkinGrad.To, r.gradTo) << Hex(g.FSkinGrad.To);
        EXPECT_EQ(g.ActiveCellColor(), r.activeFrom) << Hex(g.ActiveCellColor());
        EXPECT_EQ(g.SelectionColor(), r.selection) << Hex(g.SelectionColor());
        EXPECT_EQ(g.SelectionTextColor(), r.selectionText);
        EXPECT_EQ(g.GridLineColor(), r.lines) << Hex(g.GridLineColor());
        EXPECT_EQ(g.GridFixedLineColor(), r.fixedLines) << Hex(g.GridFixedLineColor());
        EXPECT_EQ(g.SearchFooter.Color(), r.footer) << Hex(g.SearchFooter.Color());
    }

    // The details the table leaves out.
    TExStringGrid vista;
    vista.SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(vista.FSkinGrad.MirrorFrom, 0xFAF8F7u);
    EXPECT_EQ(vista.FSkinGradHover, (TFixedGradient{0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993}));
    EXPECT_EQ(vista.SortSettings.HeaderColor(), 0xFCF9F2u);
    EXPECT_EQ(vista.SearchFooter.ColorTo(), 0xF4F2F1u);
    EXPECT_EQ(vista.ControlLook.Fixed().From, clNone); // the control look gets none
    TExStringGrid blue;
    blue.SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(blue.ControlLook.Fixed().From, 0xFCE1CBu);
    EXPECT_EQ(blue.SelectionColorTo(), 0x1595EEu);
}

TEST(Styles, MetroScrollBarsAndTones)
{
    TExStringGrid g;
    g.ScrollType = ssMetro;
    g.SetComponentStyle(tsCustom);
    EXPECT_EQ(g.ScrollType, ssMetro);
    g.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(g.ScrollType, ssNormal);

    TColorTones tones;
    tones.Background = {0xF0F0F0, 0x999999, 0x202020};
    tones.Foreground = {0x808080, clNone, clWhite};
    tones.Selected = {0xFF8000, clNone, clWhite};
    g.SetColorTones(tones);
    EXPECT_EQ(g.Look(), glClassic);
    EXPECT_TRUE(g.Flat());
    EXPECT_EQ(g.BorderStyle(), bsNone);
    EXPECT_EQ(g.ScrollType, ssMetro);
    EXPECT_EQ(g.ControlLook.ControlStyle(), csGlyph);
    EXPECT_TRUE(g.ControlLook.FlatButton());
    EXPECT_EQ(g.FixedColor, 0x808080u);
    EXPECT_EQ(g.FixedFont.Color, clWhite);
    EXPECT_EQ(g.Color, 0xF0F0F0u);
    EXPECT_EQ(g.Font.Color, 0x202020u);
    EXPECT_EQ(g.SelectionColor(), 0xFF8000u);
    EXPECT_EQ(g.GridLineColor(), 0xE6E6E6u);
    EXPECT_EQ(g.GridFixedLineColor(), 0x666666u);
    EXPECT_EQ(g.CellNode.NodeType(), cnFlat);
    EXPECT_EQ(g.ColorTones(), tones);
}

TEST(Styles, ColourSchemes)
{
    platform::ScopedSystemColors colors(platform::SystemColors::Defaults());
    struct Case
    {
        TXPColorScheme scheme;
        TColor from, to, mirror, active, footer, footerTo;
    };
    const Case cases[] = {
        {xpBlue, 0xFCE1CB, 0xE0A57D, clNone, 0x94E6FB, 0xFCE1CB, 0xE0A57D},
        {xpGreen, 0xCFF0EA, 0x8CC0B1, clNone, 0x94E6FB, 0xCFF0EA, 0x8CC0B1},
        {xpGray, 0xECE2E1, 0xB39698, clNone, 0x94E6FB, 0xECE2E1, 0xB39698},
        {vistaAero, Rgb(clWhite), Rgb(clWhite), 0xFAF8F7, 0x94E6FB, 0xECE2E1, 0xB39698},
        {xpNone, Rgb(clWhite), Rgb(clBtnFace), clNone, clWhite, clWhite, 0xFFD9B3},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        g.SetTheme(c.scheme);
        EXPECT_EQ(g.FSkinGrad.From, c.from) << c.scheme;
        EXPECT_EQ(g.FSkinGrad.To, c.to) << c.scheme;
        EXPECT_EQ(g.FSkinGrad.MirrorFrom, c.mirror) << c.scheme;
        EXPECT_EQ(g.ActiveCellColor(), c.active) << c.scheme;
        EXPECT_EQ(g.SearchFooter.Color(), c.footer) << c.scheme;
        EXPECT_EQ(g.SearchFooter.ColorTo(), c.footerTo) << c.scheme;
    }
}

TEST(Looks, SetterRecipe)
{
    platform::ScopedSystemColors colors(platform::SystemColors::Defaults());
    TExStringGrid g;
    RecordingView view;
    g.SetView(&view);
    // The same look again changes nothing, also after colours set by hand.
    g.SetSelectionColor(clRed);
    g.SetBorderColor(clBlue);
    view.Clear();
    g.SetLook(glXP);
    EXPECT_EQ(g.SelectionColor(), clRed);
    EXPECT_EQ(g.BorderColor(), clBlue);
    EXPECT_EQ(view.all, 0);

    // The custom look keeps every gradient but resets scroll type and border.
    g.FSkinGrad.From = 0x123456;
    g.ScrollType = ssFlat;
    g.SetBorderStyle(bsNone);
    g.SetLook(glCustom);
    EXPECT_EQ(g.FSkinGrad.From, 0x123456u);
    EXPECT_EQ(g.ScrollType, ssNormal);
    EXPECT_EQ(g.BorderStyle(), bsSingle);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);
    EXPECT_GT(view.all, 0);

    g.SetLook(glZAD);
    EXPECT_EQ(g.SelectionColor(), 0xEACAB6u);
    EXPECT_EQ(g.ActiveCellColor(), 0xEACAB6u);
    EXPECT_EQ(g.FSkinGrad.To, Rgb(clSilver));
    EXPECT_EQ(g.FSkinGradDown.MirrorTo, 0x627376u);
    g.SetLook(glListView);
    EXPECT_EQ(g.SelectionColor(), clHighlight);
    EXPECT_EQ(g.SearchFooter.Color(), clBtnFace);
    g.SetLook(glVista);
    EXPECT_EQ(g.Style(), gsWindowsVista);
    EXPECT_EQ(g.SelectionStyle(), ssVista);

    g.SetSelectionColorMixerFactor(150);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 100);
    g.SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(g.SelectionColorMixerFactor(), 0);
    EXPECT_EQ(TExStringGrid::LookToString(glOffice2007), QStringLiteral("glOffice2007"));
    EXPECT_EQ(TExStringGrid::LookToString(glCustom), QString());
    EXPECT_EQ(TExStringGrid::LookDisplayName(glXP), QStringLiteral("Windows XP"));
    g.SetView(nullptr);
}

TEST(Looks, ControlLookGradients)
{
    TExStringGrid g;
    const TColor before = g.FSkinGrad.From;
    g.ControlLook.SetFixedGradientFrom(clNone);
    EXPECT_EQ(g.FSkinGrad.From, before);
    g.ControlLook.SetFixedGradientFrom(clRed);
    EXPECT_EQ(g.FSkinGrad.From, clRed);
    g.ControlLook.SetFixedGradientMirrorTo(clNone); // mirrors always pass
    EXPECT_EQ(g.FSkinGrad.MirrorTo, clNone);
    g.ControlLook.SetFixedGradientHoverBorder(clLime);
    EXPECT_EQ(g.FSkinGradHover.Border, clLime);

    TExStringGrid other;
    other.ControlLook.Assign(g.ControlLook);
    EXPECT_EQ(other.ControlLook.Fixed().From, clRed);
    EXPECT_EQ(other.ControlLook.Hover().Border, clLime);
    EXPECT_NE(other.FSkinGrad.From, clRed); // copied into the control look only
    other.ControlLook.Init();
    EXPECT_EQ(other.ControlLook.Fixed().From, clNone);
    EXPECT_EQ(other.ControlLook.CommentColor(), clRed);
}

namespace {

// The grid following the office theme of the user registry file.
TEST(OfficeThemeGrid, EachThemeTakesItsStyle)
{
    const std::pair<TOfficeTheme, TSkinStyle> cases[] = {
        {ot2003Blue, tsOffice2003Blue},     {ot2003Silver, tsOffice2003Silver}, {ot2003Olive, tsOffice2003Olive},
        {ot2003Classic, tsOffice2003Classic}, {ot2007Blue, tsOffice2007Luna},    {ot2007Silver, tsOffice2007Silver},
        {ot2007Black, tsOffice2007Obsidian}, {ot2010Blue, tsOffice2010Blue},    {ot2010Silver, tsOffice2010Silver},
        {ot2010Black, tsOffice2010Black},
    };
    for (const auto& [theme, style] : cases)
        EXPECT_EQ(OfficeThemeStyle(theme), style) << theme;
}

class OfficeThemeGridTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("user_registry.ini"));

    void SetUp() override { platform::SetUserRegistryFileName(file); }
    void TearDown() override
    {
        delete ThemeNotifierIfAny();
        platform::SetUserRegistryFileName({});
    }
    void WriteTheme(int theme)
    {
        platform::IniFile ini(file);
        ini.WriteString(kOffice14CommonKey + QStringLiteral("\\General"), QStringLiteral("Path"), QStringLiteral("x"));
        ini.WriteInteger(kOffice14CommonKey, QStringLiteral("Theme"), theme);
        ASSERT_TRUE(ini.Save());
    }
};

TEST_F(OfficeThemeGridTest, ARewrittenThemeRestylesTheGrid)
{
    WriteTheme(1);
    TExStringGrid grid;
    grid.SetAutoThemeAdapt(true);
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2010Blue);
    EXPECT_TRUE(grid.SearchFooter.AutoThemeAdapt());
    // Registered only once loaded.
    EXPECT_EQ(ThemeNotifierIfAny(), nullptr);
    grid.Loaded();
    ASSERT_NE(ThemeNotifierIfAny(), nullptr);
    EXPECT_TRUE(ThemeNotifierIfAny()->HasWindow(&grid));

    QSignalSpy spy(ThemeNotifierIfAny(), &TThemeNotifier::OfficeThemeChange);
    WriteTheme(3);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2010Black);

    grid.SetAutoThemeAdapt(false);
    EXPECT_FALSE(ThemeNotifierIfAny()->HasWindow(&grid));
    WriteTheme(2);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2010Black);
}

TEST_F(OfficeThemeGridTest, AnUnchangedThemeLeavesHandMadeColours)
{
    WriteTheme(2);
    TExStringGrid grid;
    grid.SetAutoThemeAdapt(true);
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2010Silver);
    grid.SetComponentStyle(tsWindowsXP);
    grid.ApplyOfficeTheme();
    EXPECT_EQ(grid.ComponentStyle(), tsWindowsXP);
    WriteTheme(7);  // outside 1..3: the 2003 blue style
    grid.ApplyOfficeTheme();
    EXPECT_EQ(grid.ComponentStyle(), tsOffice2003Blue);
}

TEST_F(OfficeThemeGridTest, AGoneGridIsNoLongerTold)
{
    WriteTheme(1);
    auto grid = std::make_unique<TExStringGrid>();
    grid->SetAutoThemeAdapt(true);
    grid->Loaded();
    TThemeNotifier* notifier = ThemeNotifierIfAny();
    ASSERT_NE(notifier, nullptr);
    grid.reset();
    EXPECT_TRUE(notifier->WinList().empty());
}

}  // namespace
