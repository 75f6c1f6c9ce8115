// A new string grid and column grid, the end of setup, and the per-cell look
// hooks with their events.
#include "controls/grid/core/ex_column_grid.h"
#include "platform/text/system_colors.h"
#include "qt_print.h"

#include <QVariant>
#include <gtest/gtest.h>

using namespace grid;

namespace {

struct Default
{
    const char* name;
    QVariant actual;
    QVariant expected;
};

QVariant C(TColor color)
{
    return QVariant::fromValue<qulonglong>(color);
}

// Every initial value a new grid of either class shows.
template <typename Grid>
void ExpectStringGridDefaults()
{
    Grid g;
    const TColor btnFace = platform::ColorToRGB(clBtnFace);
    const Default defaults[] = {
        {"RowCount", g.TExStringGrid::RowCount(), 10},
        {"ColCount", g.TExStringGrid::ColCount(), 5},
        {"Width", g.Width(), 400},
        {"Height", g.Height(), 250},
        {"DefaultRowHeight", g.DefaultRowHeight(), 22},
        {"FixedRowHeight", g.FixedRowHeight(), 22},
        {"AutoSize", g.AutoSize(), false},
        {"ZoomFactor", g.ZoomFactor, 0},
        {"XYOffset", g.XYOffset(), QPoint(2, 2)},
        {"FitCellsInGrid", g.FitCellsInGrid, true},
        {"MinRowHeight", g.MinRowHeight, 0},
        {"MaxRowHeight", g.MaxRowHeight, 0},
        {"MinColWidth", g.MinColWidth, 0},
        {"MaxColWidth", g.MaxColWidth, 0},
        {"GroupColumn", g.GroupColumn(), -1},
        {"ScrollWidth", g.ScrollWidth, TExStringGrid::kScrollBarSize},
        {"ScrollType", int(g.ScrollType), int(ssNormal)},
        {"ScrollBars", int(g.ScrollBars), int(ssBoth)},
        {"HintColor", C(g.HintColor), C(clInfoBk)},
        {"HighlightColor", C(g.HighlightColor), C(clHighlight)},
        {"HighlightTextColor", C(g.HighlightTextColor), C(clHighlightText)},
        {"SelectionColor", C(g.SelectionColor()), C(0xEACAB6)},
        {"SelectionColorTo", C(g.SelectionColorTo()), C(clNone)},
        {"SelectionMirrorColor", C(g.SelectionMirrorColor()), C(clNone)},
        {"SelectionMirrorColorTo", C(g.SelectionMirrorColorTo()), C(clNone)},
        {"SelectionTextColor", C(g.SelectionTextColor()), C(clBlack)},
        {"SelectionColorMixerFactor", g.SelectionColorMixerFactor(), 50},
        {"SelectionRectangleColor", C(g.SelectionRectangleColor), C(0)},
        {"URLColor", C(g.URLColor()), C(0xFF0000)},
        {"ActiveCellColor", C(g.ActiveCellColor()), C(0x808080)},
        {"ActiveCellColorTo", C(g.ActiveCellColorTo()), C(clNone)},
        {"DisabledFontColor", C(g.DisabledFontColor), C(0xC0C0C0)},
        {"BorderColor", C(g.BorderColor()), C(0xB99D7F)},
        {"ScrollColor", C(g.ScrollColor), C(clNone)},
        {"ZADGradientFrom", C(g.ZADGradientFrom), C(clWhite)},
        {"ZADGradientTo", C(g.ZADGradientTo), C(btnFace)},
        {"ZADGradientMirrorFrom", C(g.ZADGradientMirrorFrom), C(clNone)},
        {"ZADGradientMirrorTo", C(g.ZADGradientMirrorTo), C(clNone)},
        {"Look", int(g.Look()), int(glXP)},
        {"VAlignment", int(g.VAlignment()), int(vtaTop)},
        {"DefaultAlignment", int(g.DefaultAlignment()), int(taLeftJustify)},
        {"DefaultEditor", int(g.DefaultEditor), int(edNormal)},
        {"HoverFixedCells", int(g.HoverFixedCells), int(hfNone)},
        {"HintShowLargeTextPos", int(g.HintShowLargeTextPos), int(hpCell)},
        {"InvalidEntryIcon", int(g.InvalidEntryIcon), int(ieWarning)},
        {"ComponentStyle", int(g.ComponentStyle()), int(tsWindowsXP)},
        {"ShowSelection", g.ShowSelection(), true},
        {"EnableHTML", g.EnableHTML, true},
        {"EnableWheel", g.EnableWheel, true},
        {"EnhRowColMove", g.EnhRowColMove, true},
        {"ShowDesignHelper", g.ShowDesignHelper, true},
        {"UseInternalHintClass", g.UseInternalHintClass, true},
        {"UseDisabledFont", g.UseDisabledFont, true},
        {"AutoFilterUpdate", g.AutoFilterUpdate, true},
        {"FilterNormalCellsOnly", g.FilterNormalCellsOnly, true},
        {"FilterDropDownColumns", int(g.FilterDropDownColumns), int(fdNormal)},
        {"FilterIncremental", g.FilterIncremental, false},
        {"IntelliZoom", g.IntelliZoom, true},
        {"HideFocusRect", g.HideFocusRect, false},
        {"FixedAsButtons", g.FixedAsButtons, false},
        {"NoDefaultDraw", g.NoDefaultDraw, false},
        {"SizeGrowOnly", g.SizeGrowOnly, false},
        {"ClearTextOnly", g.ClearTextOnly, false},
        {"ShowNullDates", g.ShowNullDates, true},
        {"WordWrap", g.WordWrap(), true},
        {"Flat", g.Flat(), false},
        {"LoadFirstRow", g.LoadFirstRow, true},
        {"QuoteEmptyCells", g.QuoteEmptyCells, true},
        {"AlwaysQuotes", g.AlwaysQuotes, false},
        {"SaveFixedCells", g.SaveFixedCells, true},
        {"SaveFixedRows", g.SaveFixedRows, false},
        {"SaveFixedCols", g.SaveFixedCols, false},
        {"SaveHiddenCells", g.SaveHiddenCells, false},
        {"SaveVirtCells", g.SaveVirtCells, true},
        {"SaveWithHTML", g.SaveWithHTML, true},
        {"ExcelClipboardFormat", g.ExcelClipboardFormat, false},
        {"JavaCSV", g.JavaCSV, false},
        {"Delimiter", g.Delimiter, QChar(0)},
        {"XMLEncoding", g.XMLEncoding, QStringLiteral("ISO-8859-1")},
        {"FloatFormat", g.FloatFormat, QStringLiteral("%.2f")},
        {"CheckTrue", g.CheckTrue, QStringLiteral("Y")},
        {"CheckFalse", g.CheckFalse, QStringLiteral("N")},
        {"PasswordChar", g.PasswordChar, QChar(u'*')},
        {"FilterDropDownClear", g.FilterDropDownClear, QStringLiteral("(All)")},
        {"PrintPreviewPage", g.PrintPreviewPage, 1},
        {"PrintRange", QPoint(g.PrintRangeFrom, g.PrintRangeTo), QPoint(1, 1)},
        // The XP look's header gradient and control look.
        {"FSkinGrad.From", C(g.FSkinGrad.From), C(clWhite)},
        {"FSkinGrad.To", C(g.FSkinGrad.To), C(btnFace)},
        {"FSkinGradHover.From", C(g.FSkinGradHover.From), C(0xCFD0D1)},
        {"FSkinGradDown.To", C(g.FSkinGradDown.To), C(0x737C7E)},
        {"ControlLook.CheckSize", g.ControlLook.CheckSize(), 15},
        {"ControlLook.RadioSize", g.ControlLook.RadioSize(), 10},
        {"ControlLook.ControlStyle", int(g.ControlLook.ControlStyle()), int(csTheme)},
        {"ControlLook.DropDownCount", g.ControlLook.DropDownCount, 8},
        {"ControlLook.CommentColor", C(g.ControlLook.CommentColor()), C(clRed)},
        {"ControlLook.ProgressMargins", QPoint(g.ControlLook.ProgressMarginX(), g.ControlLook.ProgressMarginY()),
         QPoint(2, 2)},
        {"SortSettings.Column", g.SortSettings.Column, -1},
        {"FloatingFooter.Visible", g.FloatingFooter.Visible, false},
        {"GridLineColor", C(g.GridLineColor()), C(clSilver)},
        {"GridFixedLineColor", C(g.GridFixedLineColor()), C(clGray)},
    };
    for (const Default& d : defaults)
        EXPECT_EQ(d.actual, d.expected) << d.name << ": " << d.actual.toString().toStdString();
}

} // namespace

TEST(StringGridSetup, DefaultsOfBothClasses)
{
    ExpectStringGridDefaults<TExStringGrid>();
    ExpectStringGridDefaults<TExColumnGrid>();
}

TEST(StringGridSetup, ColumnItemDefaults)
{
    TExColumnGrid g;
    g.Font.Name = QStringLiteral("DejaVu Sans");
    g.SetColCount(6);
    ASSERT_EQ(g.Columns().Count(), 6);
    const TGridColumnItem* item = g.Columns()[5];
    EXPECT_EQ(item->Width(), 64);
    EXPECT_EQ(item->CheckTrue, QStringLiteral("Y"));
    EXPECT_EQ(item->CheckFalse, QStringLiteral("N"));
    EXPECT_EQ(item->DropDownCount, 8);
    EXPECT_EQ(item->SpinStep, 1);
    EXPECT_EQ(item->BorderPen(), (TPen{clSilver, 1}));
    EXPECT_EQ(item->PrintBorderPen, (TPen{clBlack, 1}));
    EXPECT_EQ(item->PrintColor, clWhite);
    EXPECT_EQ(item->PrintBorders, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    EXPECT_TRUE(item->Borders().Empty());
    EXPECT_TRUE(item->PrintBorderCustom);
    EXPECT_TRUE(item->PrintFontCustom);
    EXPECT_EQ(item->SortStyle, ssAutomatic);
    EXPECT_EQ(item->ColumnPopupType, cpFixedCellsRClick);
    EXPECT_EQ(item->Editor(), edNormal);
    EXPECT_EQ(item->Color(), g.Color);
    EXPECT_EQ(item->Font().Name, QStringLiteral("DejaVu Sans")); // the grid's font when made
    EXPECT_EQ(item->GetDisplayName(), QStringLiteral("Column 5"));
    g.Columns()[5]->Name = QStringLiteral("value");
    EXPECT_EQ(item->GetDisplayName(), QStringLiteral("Col 5: value"));
    EXPECT_EQ(g.ColumnByName(QStringLiteral("value")), item);
    EXPECT_EQ(g.ColumnByName(QStringLiteral("Value")), nullptr);
    EXPECT_THROW(g.Columns()[6], GridError);
    EXPECT_THROW(g.Columns()[-1], GridError);

    EXPECT_EQ(g.GetVersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));
    EXPECT_EQ(TExStringGrid().GetVersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
}

TEST(StringGridSetup, EndOfSetupReplacesLimitsAndTheAlwaysEditOption)
{
    TExStringGrid g;
    g.MinColWidth = 30;
    g.SetDefaultRowHeight(19);
    TGridOptions options = g.Options();
    options.Include(goAlwaysShowEditor);
    g.SetOptions(options);
    g.Loaded();
    EXPECT_EQ(g.MinColWidth, 10);
    EXPECT_EQ(g.MinRowHeight, 19);
    EXPECT_FALSE(g.Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g.Navigation.AlwaysEdit);
}

TEST(StringGridSetup, IntegralHeightRoundsToWholeRows)
{
    TExStringGrid g;
    g.IntegralHeight = true;
    g.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g.Height(), 92); // 100 - ((100 - 0 - 2) mod 22) + 2
    g.SetBorderStyle(bsNone);
    g.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g.Height(), 88);
    g.IntegralHeight = false;
    g.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(g.Height(), 100);
}

TEST(StringGridSetup, ColumnFilterListsDistinctTexts)
{
    TExStringGrid g;
    g.FilterDropDownAuto = true;
    g.SetRowCount(4);
    g.SetCells(1, 1, QStringLiteral("c"));
    g.SetCells(1, 2, QStringLiteral(" a b "));
    g.SetCells(1, 3, QStringLiteral("c"));
    EXPECT_TRUE(g.GetColumnFilter(1));
    EXPECT_EQ(g.FilterList, (QStringList{"(All)", "a b=\"a b\"", "c"}));
    EXPECT_FALSE(g.GetColumnFilter(0)); // a fixed column without fdAll
    g.FilterDropDownAuto = false;
    bool fired = false;
    g.OnGetColumnFilter = [&](TExStringGrid*, int col, QStringList& list) {
        fired = col == 2;
        list.append(QStringLiteral("own"));
    };
    EXPECT_TRUE(g.GetColumnFilter(2));
    EXPECT_TRUE(fired);
}

TEST(StringGridSetup, FixedCellsWithFixedRowAlways)
{
    TExStringGrid g;
    g.SetFixedRowAlways(true);
    g.SetFixedRows(1);
    g.SetRowCount(1);
    bool fixed = false;
    g.IsFixedCell(2, 0, fixed);
    EXPECT_TRUE(fixed);
    fixed = false;
    g.IsFixedCell(2, 1, fixed);
    EXPECT_TRUE(fixed);
    g.SetRowCount(5);
    fixed = false;
    g.IsFixedCell(2, 1, fixed);
    EXPECT_FALSE(fixed);

    // The event is asked only when nothing else made the cell fixed, row first.
    std::vector<std::pair<int, int>> asked;
    g.OnIsFixedCell = [&](TExStringGrid*, int row, int col, bool& f) {
        asked.push_back({row, col});
        f = row == 3;
    };
    fixed = false;
    g.IsFixedCell(2, 3, fixed);
    EXPECT_TRUE(fixed);
    fixed = false;
    g.IsFixedCell(0, 3, fixed);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 2}}));
    // Footer rows and right fixed columns count as fixed too.
    g.SetFixedFooters(1);
    g.SetFixedRightCols(1);
    EXPECT_TRUE(g.IsFixed(2, 4));
    EXPECT_TRUE(g.IsFixed(4, 2));
    EXPECT_FALSE(g.IsFixed(2, 2));
}

TEST(StringGridSetup, EditPermissionOfTheStringGrid)
{
    TExStringGrid g;
    std::vector<std::pair<int, int>> asked;
    g.OnCanEditCell = [&](TExStringGrid*, int row, int col, bool&) { asked.push_back({row, col}); };
    // No properties: the value comes through as it came, then the event.
    for (bool in : {true, false}) {
        bool canEdit = in;
        g.CanEditCell(2, 3, canEdit);
        EXPECT_EQ(canEdit, in);
    }
    EXPECT_EQ(asked.front(), std::make_pair(3, 2));
    g.SetReadOnly(2, 3, true);
    bool canEdit = true;
    g.CanEditCell(2, 3, canEdit);
    EXPECT_FALSE(canEdit);
    // Past the real columns a cell answers editable (as the grid always did).
    canEdit = false;
    g.CanEditCell(9, 3, canEdit);
    EXPECT_TRUE(canEdit);
}

TEST(StringGridSetup, HooksFireTheirEventsWithTheGridsParameterOrder)
{
    TExStringGrid g;
    std::vector<QString> seen;
    const auto note = [&](const char* what, int a, int b) {
        seen.push_back(QStringLiteral("%1 %2,%3").arg(QLatin1String(what)).arg(a).arg(b));
    };
    g.OnGetCellColor = [&](TExStringGrid*, int row, int col, TGridDrawState, TBrush&, TFont&) {
        note("color", row, col);
    };
    g.OnGetCellBorder = [&](TExStringGrid*, int row, int col, TPen&, TCellBorders&) { note("border", row, col); };
    g.OnGetAlignment = [&](TExStringGrid*, int row, int col, TAlignment&, TVAlignment&) { note("align", row, col); };
    g.OnIsPasswordCell = [&](TExStringGrid*, int row, int col, bool&) { note("password", row, col); };
    g.OnGridHint = [&](TExStringGrid*, int row, int col, QString& hint) {
        note("hint", row, col);
        hint = QStringLiteral("h");
    };
    g.OnGetWordWrap = [&](TExStringGrid*, int col, int row, bool&) { note("wrap", col, row); };
    g.OnGetCheckTrue = [&](TExStringGrid*, int col, int row, QString& v) {
        note("true", col, row);
        v = QStringLiteral("on");
    };
    TBrush brush;
    TFont font;
    g.GetCellColor(2, 7, {}, brush, font);
    TPen pen;
    TCellBorders borders;
    g.GetCellBorder(2, 7, pen, borders);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellAlignment(2, 7, ha, va);
    bool password = false;
    g.IsPasswordCell(2, 7, password);
    QString hint, wide;
    g.GridHint(2, 7, hint, wide);
    bool wrap = true;
    g.GetCellWordWrap(2, 7, wrap);
    EXPECT_EQ(g.GetCheckTrueText(2, 7), QStringLiteral("on"));
    EXPECT_EQ(seen, (std::vector<QString>{"color 7,2", "border 7,2", "align 7,2", "password 7,2", "hint 7,2",
                                          "wrap 2,7", "true 2,7"}));
    // A wide hint wins and comes back wide-encoded.
    g.OnGridWideHint = [](TExStringGrid*, int, int, QString& w) { w = QStringLiteral("Ω"); };
    g.GridHint(2, 7, hint, wide);
    EXPECT_EQ(hint, EncodeWideText(QStringLiteral("Ω")));
}

TEST(StringGridSetup, ComboAndSpinButtonsShownAlways)
{
    TExStringGrid g;
    g.OnGetEditorType = [](TExStringGrid*, int col, int, TEditorType& e) {
        e = col == 1 ? edComboList : col == 2 ? edSpinEdit : e;
    };
    EXPECT_FALSE(g.HasComboBox(1, 1));
    g.ControlLook.SetDropDownAlwaysVisible(true);
    g.ControlLook.SetSpinButtonsAlwaysVisible(true);
    EXPECT_TRUE(g.HasComboBox(1, 1));
    EXPECT_FALSE(g.HasComboBox(2, 1));
    EXPECT_TRUE(g.HasSpinEdit(2, 1));
    EXPECT_FALSE(g.HasSpinEdit(2, 0)); // never in fixed rows
    EXPECT_FALSE(g.HasNoEditor(1, 1));
    g.OnGetEditorType = [](TExStringGrid*, int, int, TEditorType& e) { e = edNone; };
    EXPECT_TRUE(g.HasNoEditor(1, 1));
}

TEST(StringGridSetup, SpreadSheetSwitchesItsOptionsOnOnlyWhenTrue)
{
    TExStringGrid g;
    g.SetSpreadSheet(false);
    EXPECT_FALSE(g.SelectionRectangle());
    EXPECT_FALSE(g.Options().Contains(goEditing));
    EXPECT_FALSE(g.MouseActions.RangeSelectAndEdit);
    g.SetSpreadSheet(true);
    EXPECT_TRUE(g.SelectionRectangle());
    EXPECT_TRUE(g.SelectionResizer());
    EXPECT_TRUE(g.Navigation.AllowSmartClipboard);
    EXPECT_TRUE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.Options().Contains(goRangeSelect));
    EXPECT_TRUE(g.MouseActions.RangeSelectAndEdit);
}
