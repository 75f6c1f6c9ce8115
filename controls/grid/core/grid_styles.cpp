#include "controls/grid/core/ex_string_grid.h"

#include "platform/text/system_colors.h"

#include <array>

// The look presets of the grid: the Look setter, the sixteen component
// styles, the colour tones and the colour schemes. The styles are rows of one
// table; kKeep marks what a style leaves as it is.
namespace grid {

namespace {

constexpr TColor kKeep = 0x2FFFFFFE;

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

struct StyleRow
{
    int look; // a TGridLook, or -1 to keep the look
    TFixedGradient grad; // From, To, MirrorFrom, MirrorTo (kKeep: keep)
    bool controlLookGetsGrad; // else the control look's gradient is cleared
    TColor activeFrom, activeTo;
    TColor selection, selectionTo, selectionText; // kKeep: the common first step
    TColor lines, fixedLines;
    TFixedGradient hover; // kKeep: keep
    TFixedGradient down;
    std::array<TColor, 4> sortHeader; // kKeep: keep (clNone from the first step)
    int selectionStyle; // a TGridSelectionStyle, or -1 to keep it
    TColor footer, footerTo; // kKeep in footerTo: the gradient's mirror end
};

constexpr TFixedGradient kKeepGrad{kKeep, kKeep, kKeep, kKeep, kKeep};
constexpr std::array<TColor, 4> kKeepSort{kKeep, kKeep, kKeep, kKeep};

constexpr TFixedGradient Grad(TColor from, TColor to, TColor mirrorFrom = clNone, TColor mirrorTo = clNone,
                              TColor border = kKeep)
{
    return {from, to, mirrorFrom, mirrorTo, border};
}

constexpr TFixedGradient k2010Hover = Grad(0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8);
constexpr TFixedGradient k2010Down = Grad(0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
constexpr std::array<TColor, 4> kVistaSort{0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8};

constexpr std::array<TColor, 4> Sort4(TColor c)
{
    return {c, c, c, c};
}

// One row per TExGridStyle, in its order.
constexpr StyleRow kStyles[] = {
    // Office2003Blue
    {glXP, Grad(0xFCE1CB, 0xE0A57D), true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, 0xC0C0C0, 0x808080,
     kKeepGrad, kKeepGrad, kKeepSort, -1, 0xFCE1CB, clNone},
    // Office2003Silver
    {glXP, Grad(0xECE2E1, 0xB39698), true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, 0xC0C0C0, 0x808080,
     kKeepGrad, kKeepGrad, kKeepSort, -1, 0xECE2E1, clNone},
    // Office2003Olive
    {glXP, Grad(0xCFF0EA, 0x8CC0B1), true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, clBlack, 0xC0C0C0, 0x808080,
     kKeepGrad, kKeepGrad, kKeepSort, -1, 0xCFF0EA, clNone},
    // Office2003Classic
    {glXP, Grad(clWhite, 0xCCD4D8), false, 0xD8D5D4, 0xD8D5D4, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080, kKeepGrad,
     kKeepGrad, kKeepSort, -1, clWhite, clNone},
    // Office2007Luna
    {glOffice2007, Grad(0xFBF9F6, 0xE8DBD2), true, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clNone, clBlack, 0xF1EDEB, 0xD1BBA4,
     Grad(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87), Grad(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D),
     kKeepSort, ssOffice2007, 0xFBF9F6, clNone},
    // Office2007Obsidian
    {glOffice2007, Grad(0xF7F7F7, 0xDEDEDE), true, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clNone, clBlack, 0xE5D7D0, 0x808080,
     kKeepGrad, kKeepGrad, kKeepSort, -1, 0xF7F7F7, clNone},
    // WindowsXP
    {glXP, Grad(clBtnFace, clBtnFace), false, clBtnFace, clBtnFace, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080,
     kKeepGrad, kKeepGrad, kKeepSort, -1, clBtnFace, clNone},
    // Whidbey
    {-1, Grad(clWhite, clBtnFace), false, 0x94E6FB, 0x1595EE, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080, kKeepGrad,
     kKeepGrad, kKeepSort, -1, clWhite, clNone},
    // Custom
    {-1, kKeepGrad, true, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeepGrad, kKeepGrad, kKeepSort, -1,
     kKeep, kKeep},
    // Office2007Silver
    {glOffice2007, Grad(0xF3F3F1, 0xCAC9C8, kKeep, kKeep), true, 0x99CCFF, 0x699CFF, 0x95C7F5, clNone, clBlack,
     0xE5D7D0, 0x808080, kKeepGrad, kKeepGrad, kKeepSort, -1, 0xF3F3F1, kKeep},
    // WindowsVista
    {glVista, Grad(clWhite, clWhite, 0xFAF8F7, 0xF4F2F1), false, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, clNone, clBlack,
     0xECECF0, 0xD4D2D1, Grad(0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993),
     Grad(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F), kVistaSort, ssVista, clWhite, 0xF4F2F1},
    // Windows7
    {glWin7, Grad(0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD), false, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, clNone, clBlack,
     0xECECF0, 0xD4D2D1, Grad(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3),
     Grad(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA), kVistaSort, ssWin7, 0xFDFCFA, 0xF7E9DD},
    // Terminal
    {glStandard, kKeepGrad, true, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeepGrad, kKeepGrad, kKeepSort,
     -1, kKeep, kKeep},
    // Office2010Blue
    {glOffice2007, Grad(0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA), false, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, clBlack,
     0xC0C0C0, 0xC7B0A0, k2010Hover, k2010Down, Sort4(0xD6CEC7), ssDefault, 0xF5E7DA, 0xF5E7DA},
    // Office2010Silver
    {glOffice2007, Grad(0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF), false, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, clBlack,
     0xC0C0C0, 0xBAB5B1, k2010Hover, k2010Down, Sort4(0xAAAAAA), ssDefault, 0xE8E3DF, 0xE8E3DF},
    // Office2010Black
    {glOffice2007, Grad(0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A), false, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, clBlack,
     0xC0C0C0, 0x444444, k2010Hover, k2010Down, Sort4(0xBABABA), ssDefault, 0x6A6A6A, 0x6A6A6A},
};
static_assert(std::size(kStyles) == gsOffice2010Black + 1);

bool IsOffice2003(TExGridStyle style)
{
    return style == gsOffice2003Blue || style == gsOffice2003Silver || style == gsOffice2003Olive;
}

void Keep(TColor& field, TColor value)
{
    if (value != kKeep)
        field = value;
}

TColor ToRgb(TColor color)
{
    return platform::ColorToRGB(color);
}

} // namespace

QString TExStringGrid::LookToString(TGridLook look)
{
    static const char* const names[] = {"glStandard", "glSoft",      "glClassic", "glZAD",       "glXP",
                                        "glListView", "glVista",     "glWin7",    "glOffice2007"};
    return look >= glStandard && look < glCustom ? QString::fromLatin1(names[look]) : QString();
}

QString TExStringGrid::LookDisplayName(TGridLook look)
{
    static const char* const names[] = {"Standard", "Soft",          "Classic",   "ZAD",       "Windows XP",
                                        "ListView", "Windows Vista", "Windows 7", "Office2007"};
    return look >= glStandard && look < glCustom ? QString::fromLatin1(names[look]) : QString();
}

void TExStringGrid::SetLook(TGridLook value)
{
    if (value == look_)
        return;
    look_ = value;
    if (value != glCustom) {
        ControlLook.SetFixedGradientMirrorFrom(clNone);
        ControlLook.SetFixedGradientMirrorTo(clNone);
        ControlLook.SetFixedGradientFrom(clNone);
        ControlLook.SetFixedGradientTo(clNone);
        FSkinGrad.From = FSkinGrad.To = FSkinGrad.MirrorFrom = FSkinGrad.MirrorTo = clNone;
        SortSettings.SetHeaderColor(clNone);
    }
    switch (value) {
    case glVista:
        SetStyle(gsWindowsVista);
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default:
        SetSelectionStyle(ssDefault);
        if (!loading_)
            ApplyLookColors(value);
        break;
    }
    ScrollType = ssNormal;
    borderStyle_ = bsSingle;
    borderColor_ = Rgb(127, 157, 185);
    Invalidate();
}

void TExStringGrid::ApplyLookColors(TGridLook value)
{
    const bool classic = value == glStandard || value == glSoft || value == glClassic;
    TColor from = clWhite;
    TColor to = clBtnFace;
    if (classic) {
        FixedColor = clBtnFace;
        from = clBtnFace;
        to = clNone;
    }
    ControlLook.SetFixedGradientFrom(from);
    ControlLook.SetFixedGradientTo(to);
    SetGridFixedLineColor(clGray);
    ControlLook.SetFixedGradientMirrorFrom(clNone);
    ControlLook.SetFixedGradientMirrorTo(clNone);
    SetGridLineColor(clSilver);
    if (classic || value == glListView) {
        activeCellColor_ = clGray;
        activeCellColorTo_ = clNone;
        selectionColor_ = clHighlight;
        selectionTextColor_ = clHighlightText;
        SearchFooter.SetColor(clBtnFace);
        SearchFooter.SetColorTo(clBtnFace);
    } else if (value == glZAD || value == glXP) {
        activeCellColor_ = selectionColor_ = Rgb(182, 202, 234);
        activeCellColorTo_ = selectionColorTo_ = clNone;
        selectionTextColor_ = clBlack;
        // The gradient fields the search footer takes were cleared above.
        SearchFooter.SetColor(clNone);
        SearchFooter.SetColorTo(clNone);
        ApplyXPGradients(value);
    }
}

void TExStringGrid::ApplyXPGradients(TGridLook value)
{
    ControlLook.SetFixedGradientFrom(clWhite);
    ControlLook.SetFixedGradientTo(value == glXP ? clBtnFace : clSilver);
    ControlLook.SetFixedGradientHoverFrom(Rgb(209, 208, 207));
    ControlLook.SetFixedGradientHoverTo(Rgb(200, 198, 190));
    ControlLook.SetFixedGradientHoverMirrorFrom(Rgb(200, 198, 190));
    ControlLook.SetFixedGradientHoverMirrorTo(Rgb(191, 188, 171));
    ControlLook.SetFixedGradientDownFrom(Rgb(136, 135, 134));
    ControlLook.SetFixedGradientDownTo(Rgb(126, 124, 115));
    ControlLook.SetFixedGradientDownMirrorFrom(Rgb(126, 124, 115));
    ControlLook.SetFixedGradientDownMirrorTo(Rgb(118, 115, 98));
}

void TExStringGrid::SetComponentStyle(TSkinStyle style)
{
    componentStyle_ = style;
    SetStyle(static_cast<TExGridStyle>(style));
    if (style != tsCustom && ScrollType == ssMetro)
        ScrollType = ssNormal;
}

void TExStringGrid::SetStyle(TExGridStyle style)
{
    if (style < gsOffice2003Blue || style > gsOffice2010Black)
        return;
    style_ = style;
    selectionColor_ = clHighlight;
    selectionColorTo_ = clNone;
    selectionTextColor_ = clHighlightText;
    SetSelectionStyle(ssDefault);
    SortSettings.SetHeaderColor(clNone);
    SortSettings.SetHeaderColorTo(clNone);
    SortSettings.SetHeaderMirrorColor(clNone);
    SortSettings.SetHeaderMirrorColorTo(clNone);
    ControlLook.Init();

    const StyleRow& row = kStyles[style];
    if (row.look >= 0)
        SetLook(static_cast<TGridLook>(row.look));
    if (row.grad.From != kKeep) {
        FSkinGrad.From = ToRgb(row.grad.From);
        FSkinGrad.To = ToRgb(row.grad.To);
        if (row.grad.MirrorFrom != kKeep) {
            FSkinGrad.MirrorFrom = ToRgb(row.grad.MirrorFrom);
            FSkinGrad.MirrorTo = ToRgb(row.grad.MirrorTo);
        }
        ControlLook.SetFixedGradientFrom(row.controlLookGetsGrad ? row.grad.From : clNone);
        ControlLook.SetFixedGradientTo(row.controlLookGetsGrad ? row.grad.To : clNone);
    }
    Keep(activeCellColor_, row.activeFrom);
    Keep(activeCellColorTo_, row.activeTo);
    if (!IsOffice2003(style)) {
        Keep(selectionColor_, row.selection);
        Keep(selectionColorTo_, row.selectionTo);
        Keep(selectionTextColor_, row.selectionText);
    }
    if (row.lines != kKeep) {
        SetGridLineColor(row.lines);
        SetGridFixedLineColor(row.fixedLines);
    }
    if (row.hover.From != kKeep)
        FSkinGradHover = row.hover;
    if (row.down.From != kKeep)
        FSkinGradDown = row.down;
    if (row.sortHeader[0] != kKeep) {
        SortSettings.SetHeaderColor(row.sortHeader[0]);
        SortSettings.SetHeaderColorTo(row.sortHeader[1]);
        SortSettings.SetHeaderMirrorColor(row.sortHeader[2]);
        SortSettings.SetHeaderMirrorColorTo(row.sortHeader[3]);
    }
    if (row.selectionStyle >= 0 && (row.selectionStyle != ssOffice2007 || look_ == glOffice2007))
        SetSelectionStyle(static_cast<TGridSelectionStyle>(row.selectionStyle));
    if (row.footer != kKeep) {
        SearchFooter.SetColor(row.footer);
        SearchFooter.SetColorTo(row.footerTo == kKeep ? FSkinGrad.MirrorTo : row.footerTo);
    }
    // The three Office 2003 colour styles write the selection last.
    if (IsOffice2003(style)) {
        selectionColor_ = row.selection;
        selectionColorTo_ = row.selectionTo;
        selectionTextColor_ = row.selectionText;
    }
    Invalidate();
}

void TExStringGrid::SetColorTones(const TColorTones& tones)
{
    tones_ = tones;
    SetLook(glClassic);
    SetFlat(true);
    ScrollType = ssMetro;
    FixedColor = tones.Foreground.BrushColor;
    FixedFont.Color = tones.Foreground.TextColor;
    FixedFont.Name = Font.Name = IsVista ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
    Color = tones.Background.BrushColor;
    Font.Color = tones.Background.TextColor;
    selectionColor_ = tones.Selected.BrushColor;
    selectionTextColor_ = tones.Selected.TextColor;
    selectionColorTo_ = clNone;
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(AdjustColorPercent(tones.Foreground.BrushColor, -20));
    borderStyle_ = bsNone;
    ControlLook.SetControlStyle(csGlyph);
    ControlLook.CheckedGlyph = QImage(QStringLiteral(":/grid/metrocheckon.png"));
    ControlLook.UnCheckedGlyph = QImage(QStringLiteral(":/grid/metrocheckoff.png"));
    ControlLook.RadioOffGlyph = QImage(QStringLiteral(":/grid/metroradiooff.png"));
    ControlLook.RadioOnGlyph = QImage(QStringLiteral(":/grid/metroradioon.png"));
    ControlLook.SetFlatButton(true);
    FloatingFooter.Color = tones.Foreground.BrushColor;
    SearchFooter.SetColor(tones.Foreground.BrushColor);
    SearchFooter.SetColorTo(tones.Foreground.BrushColor);
    CellNode.SetNodeType(cnFlat);
    Invalidate();
}

void TExStringGrid::SetTheme(TXPColorScheme scheme)
{
    struct SchemeRow
    {
        TXPColorScheme scheme;
        TFixedGradient grad;
        TColor footer, footerTo;
    };
    static constexpr SchemeRow rows[] = {
        {xpBlue, Grad(0xFCE1CB, 0xE0A57D), 0xFCE1CB, 0xE0A57D},
        {xpGreen, Grad(0xCFF0EA, 0x8CC0B1), 0xCFF0EA, 0x8CC0B1},
        {xpGray, Grad(0xECE2E1, 0xB39698), 0xECE2E1, 0xB39698},
        {vistaAero, Grad(clWhite, clWhite, 0xFAF8F7, 0xF4F2F1), 0xECE2E1, 0xB39698},
    };
    for (const SchemeRow& row : rows) {
        if (row.scheme != scheme)
            continue;
        FSkinGrad.From = ToRgb(row.grad.From);
        FSkinGrad.To = ToRgb(row.grad.To);
        FSkinGrad.MirrorFrom = row.grad.MirrorFrom;
        FSkinGrad.MirrorTo = row.grad.MirrorTo;
        activeCellColor_ = 0x94E6FB;
        activeCellColorTo_ = 0x1595EE;
        ControlLook.SetFixedGradientFrom(row.grad.From);
        ControlLook.SetFixedGradientTo(row.grad.To);
        SearchFooter.SetColor(row.footer);
        SearchFooter.SetColorTo(row.footerTo);
        Invalidate();
        return;
    }
    activeCellColor_ = clWhite;
    activeCellColorTo_ = 0xFFD9B3;
    FSkinGrad.From = ToRgb(clWhite);
    FSkinGrad.To = ToRgb(clBtnFace);
    FSkinGrad.MirrorFrom = FSkinGrad.MirrorTo = clNone;
    ControlLook.SetFixedGradientFrom(clNone);
    ControlLook.SetFixedGradientTo(clNone);
    SearchFooter.SetColor(clWhite);
    SearchFooter.SetColorTo(0xFFD9B3);
    Invalidate();
}

} // namespace grid
