#include "controls/grid/widget/search_footer.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/small_controls/flat_button.h"
#include "controls/grid/small_controls/flat_check_box.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

namespace grid {

namespace {

// The glyphs of the panel's buttons, drawn once.
enum class Glyph { Down, Up, Close, Highlight };

QImage MakeGlyph(Glyph kind)
{
    QImage image(12, 12, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case Glyph::Down:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 96, 0));
        p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(11, 3), QPoint(6, 10)}));
        break;
    case Glyph::Up:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 96, 0));
        p.drawPolygon(QPolygon({QPoint(1, 9), QPoint(11, 9), QPoint(6, 2)}));
        break;
    case Glyph::Close:
        p.setPen(QPen(QColor(64, 64, 64), 2));
        p.drawLine(2, 2, 10, 10);
        p.drawLine(10, 2, 2, 10);
        break;
    case Glyph::Highlight:
        p.setPen(QColor(128, 128, 0));
        p.setBrush(QColor(255, 255, 0));
        p.drawRect(1, 3, 10, 6);
        break;
    }
    return image;
}

// Where each control sits in the strip (x, y, width, height).
struct Place
{
    int x, y, w, h;
};
constexpr Place kEdit{25, 6, 110, 21};
constexpr Place kForward{140, 5, 90, 23};
constexpr Place kBackward{235, 5, 90, 23};
constexpr Place kExit{5, 7, 14, 14};
constexpr Place kHilite{330, 5, 90, 23};
constexpr int kMatchCaseTop = 8;
constexpr int kMatchCaseWidth = 120;

QRect RectOf(Place p)
{
    return QRect(p.x, p.y, p.w, p.h);
}

} // namespace

bool TRetEdit::event(QEvent* event)
{
    // Enter is the edit's own key, not the default button's.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            key->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TRetEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        if (ctrl && OnCtrlReturn)
            OnCtrlReturn();
        else if (!ctrl && OnReturn)
            OnReturn();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TSearchPanel::TSearchPanel(TExStringGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid), search_(grid)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    edit_ = new TRetEdit(this);
    edit_->setGeometry(RectOf(kEdit));
    edit_->setObjectName(QStringLiteral("searchEdit"));
    exit_ = new TExGridButton(this);
    exit_->setGeometry(RectOf(kExit));
    exit_->SetShowCaption(false);
    exit_->SetFlat(true);
    exit_->SetGlyph(MakeGlyph(Glyph::Close));
    forward_ = new TExGridButton(this);
    forward_->setGeometry(RectOf(kForward));
    forward_->SetGlyph(MakeGlyph(Glyph::Down));
    backward_ = new TExGridButton(this);
    backward_->setGeometry(RectOf(kBackward));
    backward_->SetGlyph(MakeGlyph(Glyph::Up));
    hilite_ = new TExGridButton(this);
    hilite_->setGeometry(RectOf(kHilite));
    hilite_->SetGlyph(MakeGlyph(Glyph::Highlight));
    hilite_->SetStyle(tasCheck);
    hilite_->SetAllowAllUp(true);
    matchCase_ = new TExCheckBox(this);
    matchCase_->SetTransparent(true);
    for (TExGridButton* b : {forward_, backward_, hilite_})
        b->setEnabled(false);

    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { EditChanged(text); });
    edit_->OnReturn = [this] { FindNext(false); };
    edit_->OnCtrlReturn = [this] { FindNext(true); };
    forward_->OnClick = [this](TExGridButton*) { FindNext(false); };
    backward_->OnClick = [this](TExGridButton*) { FindNext(true); };
    hilite_->OnClick = [this](TExGridButton*) { HighlightClick(); };
    exit_->OnClick = [this](TExGridButton*) { Close(); };

    grid_.SearchFooter.OnChange = [this](void*) { SyncWithGrid(); };
    SyncWithGrid();
}

TSearchPanel::~TSearchPanel()
{
    grid_.SearchFooter.OnChange = nullptr;
}

void TSearchPanel::SyncWithGrid()
{
    const TSearchFooter& f = grid_.SearchFooter;
    if (hilite_->Down() && isVisible() && !f.Visible())
        grid_.UnHilightInGrid(f.SearchFixedCells);
    setFont(ToQFont(f.Font()));
    forward_->SetCaption(f.FindNextCaption());
    backward_->SetCaption(f.FindPrevCaption());
    hilite_->SetCaption(f.HighLightCaption());
    matchCase_->SetCaption(f.MatchCaseCaption());
    const std::pair<QWidget*, QString> hints[] = {
        {exit_, f.HintClose()}, {forward_, f.HintFindNext()}, {backward_, f.HintFindPrev()}, {hilite_, f.HintHighlight()}};
    for (const auto& [control, hint] : hints)
        control->setToolTip(hint);
    const TControlStyle style = grid_.ControlLook.ControlStyle();
    for (TExGridButton* b : {forward_, backward_, hilite_}) {
        b->SetFlat(style != csClassic || f.AutoThemeAdapt());
        b->SetAutoThemeAdapt(f.AutoThemeAdapt());
    }
    hilite_->setVisible(f.ShowHighLight());
    exit_->setVisible(f.ShowClose());
    backward_->setVisible(f.ShowFindPrev());
    forward_->setVisible(f.ShowFindNext());
    matchCase_->setVisible(f.ShowMatchCase());
    matchCase_->setGeometry(f.ShowHighLight() ? 425 : 330, kMatchCaseTop, kMatchCaseWidth, 18);
    setFixedHeight(kHeight);
    setVisible(f.Visible());
    if (f.Visible())
        grid_.AdjustTopRowForSearchFooter();
    update();
}

FooterPanel TSearchPanel::PanelState() const
{
    return FooterPanel{hilite_->Down(), matchCase_->Checked()};
}

void TSearchPanel::SetEditColor(TColor color)
{
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    edit_->setPalette(pal);
}

void TSearchPanel::Changed()
{
    if (OnCellsChanged)
        OnCellsChanged();
}

void TSearchPanel::EditChanged(const QString& text)
{
    for (TExGridButton* b : {forward_, backward_, hilite_})
        b->setEnabled(!text.isEmpty());
    bool defaultSearch = true;
    if (OnSearchEditChange)
        OnSearchEditChange(text, defaultSearch);
    if (!defaultSearch || !grid_.SearchFooter.AutoSearch)
        return;
    SetEditColor(search_.FooterEditChange(text, PanelState()).EditColor);
    Changed();
}

void TSearchPanel::FindNext(bool previous)
{
    const QString text = edit_->text();
    if (text.isEmpty())
        return;
    const FooterOutcome out = search_.FooterFind(text, PanelState(), previous);
    // A hit near the bottom is moved up clear of the strip.
    const int b = grid_.FloatingFooter.Visible ? 1 : 0;
    if (out.Hit.X >= 0 && grid_.Row() > grid_.TopRow() + grid_.VisibleRowCount() - 2 - b &&
        grid_.VisibleRowCount() + grid_.FixedRows() + b < grid_.RowCount())
        grid_.SetTopRow(grid_.TopRow() + 2);
    Changed();
    update();
}

void TSearchPanel::HighlightClick()
{
    const TSearchFooter& f = grid_.SearchFooter;
    const bool column = f.SearchColumn >= 0 && f.SearchColumn < grid_.ColCount();
    if (hilite_->Down()) {
        if (column)
            grid_.HilightInCol(f.SearchFixedCells, matchCase_->Checked(), f.SearchColumn, edit_->text());
        else
            grid_.HilightInGrid(f.SearchFixedCells, matchCase_->Checked(), edit_->text());
    } else if (column) {
        grid_.UnHilightInCol(f.SearchFixedCells, f.SearchColumn);
    } else {
        grid_.UnHilightInGrid(f.SearchFixedCells);
    }
    Changed();
}

void TSearchPanel::Close()
{
    if (OnSearchFooterClose)
        OnSearchFooterClose();
    grid_.SearchFooter.SetVisible(false);
}

void TSearchPanel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setClipRect(event->rect());
    const TSearchFooter& f = grid_.SearchFooter;
    if (f.ColorTo() == clNone) {
        p.fillRect(rect(), ToQColor(f.Color()));
    } else {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, ToQColor(f.Color()));
        gradient.setColorAt(1, ToQColor(f.ColorTo()));
        p.fillRect(rect(), gradient);
    }
    p.setPen(ToQColor(grid_.GridLineColor()));
    p.drawLine(0, 0, width() - 1, 0);
}

} // namespace grid
