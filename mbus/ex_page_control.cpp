#include "ex_page_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

using mbus::Box;
using mbus::TabSide;

namespace {

QRect ToRect(const Box& b)
{
    return QRect(b.l, b.t, b.r - b.l, b.b - b.t);
}

QTabBar::Shape ShapeOf(TabSide side)
{
    switch (side) {
    case TabSide::Top: return QTabBar::RoundedNorth;
    case TabSide::Bottom: return QTabBar::RoundedSouth;
    case TabSide::Left: return QTabBar::RoundedWest;
    case TabSide::Right: return QTabBar::RoundedEast;
    }
    return QTabBar::RoundedWest;
}

bool Vertical(TabSide side)
{
    return side == TabSide::Left || side == TabSide::Right;
}

void FillBox(QPainter& p, const Box& b, const QColor& c)
{
    if (b.r > b.l && b.b > b.t)
        p.fillRect(ToRect(b), c);
}

} // namespace

// ---- page

TExTabSheet::TExTabSheet(TExPageControl* control, const QString& name)
    : QWidget(control), m_control(control), m_sheet(control->State().AddPage(name))
{
    setObjectName(name);
    setAutoFillBackground(false);
}

void TExTabSheet::SetCaption(const QString& caption)
{
    m_control->State().SetCaption(m_sheet, caption);
}

void TExTabSheet::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), m_sheet->color);
    if (m_sheet->colorTo.isValid())
        for (const mbus::Band& band : mbus::Gradient_Bands(m_sheet->color, m_sheet->colorTo, 64, {0, 0, width(), height()}, false))
            FillBox(p, band.box, band.color);
}

// ---- strip layout

TExTabBar::TExTabBar(TExPageControl* control) : QTabBar(control), m_control(control)
{
    setObjectName(QStringLiteral("TabStrip"));
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

QSize TExTabBar::tabSizeHint(int index) const
{
    const mbus::TabSheet* page = m_control->State().TabPage(index);
    const QString text = page ? page->TabCaption() : tabText(index);
    const QFontMetrics fm(font());
    // The room the platform strip leaves around a tab's text.
    const int along = fm.horizontalAdvance(text) + 12;
    const int across = fm.height() + 8;
    return Vertical(m_control->State().side) ? QSize(across, along) : QSize(along, across);
}

void TExTabBar::mousePressEvent(QMouseEvent* event)
{
    auto& s = m_control->State();
    const QPoint pos = event->position().toPoint() + this->pos();
    const int activeTab = s.TabIndex(s.ActivePage());
    if (activeTab >= 0 && s.ActivePage()->ShowClose()
        && mbus::Close_Hit_Area(s.side, m_control->TabBox(activeTab), s.leftMargin, s.topMargin).Contains(pos.x(), pos.y())) {
        m_closePressed = true;
        m_control->update();
        return;
    }
    if (event->button() == Qt::LeftButton)
        s.TabClicked(tabAt(event->position().toPoint()));
}

void TExTabBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_closePressed)
        return;
    m_closePressed = false;
    auto& s = m_control->State();
    const QPoint pos = event->position().toPoint() + this->pos();
    const int activeTab = s.TabIndex(s.ActivePage());
    if (event->button() == Qt::LeftButton && activeTab >= 0
        && mbus::Close_Hit_Area(s.side, m_control->TabBox(activeTab), s.leftMargin, s.topMargin).Contains(pos.x(), pos.y()))
        s.CloseActivePage();
    m_control->update();
}

void TExTabBar::mouseMoveEvent(QMouseEvent* event)
{
    auto& s = m_control->State();
    if (!s.tabHoverColor.isValid() && !s.tabHoverColorTo.isValid())
        return;
    const int page = s.PageIndexAtTab(tabAt(event->position().toPoint()));
    if (page != s.hoverTab) {
        s.hoverTab = page;
        m_control->update();
    }
}

void TExTabBar::leaveEvent(QEvent*)
{
    auto& s = m_control->State();
    if (s.hoverTab != -1) {
        s.hoverTab = -1;
        m_control->update();
    }
}

// ---- control

TExPageControl::TExPageControl(QWidget* parent) : QWidget(parent), m_bar(new TExTabBar(this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_state.onStripChanged = [this] { Sync(); };
    m_state.onChange = [this] { emit PageChanged(); };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    next->setContext(Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this, [this] { m_state.SelectNextPage(true); });
    auto* back = new QShortcut(this);
    back->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_Backtab),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    back->setContext(Qt::WidgetWithChildrenShortcut);
    connect(back, &QShortcut::activated, this, [this] { m_state.SelectNextPage(false); });
    Sync();
}

TExTabSheet* TExPageControl::AddPage(const QString& name)
{
    auto* sheet = new TExTabSheet(this, name);
    m_sheets.push_back(sheet);
    Sync();
    return sheet;
}

TExTabSheet* TExPageControl::Page(int pageIndex) const
{
    const mbus::TabSheet* s = m_state.GetPage(pageIndex);
    for (TExTabSheet* sheet : m_sheets)
        if (sheet->Sheet() == s)
            return sheet;
    return nullptr;
}

void TExPageControl::SetActivePage(TExTabSheet* page)
{
    m_state.SetActivePage(page ? page->Sheet() : nullptr);
}

Box TExPageControl::TabBox(int tab) const
{
    const QRect r = m_bar->tabRect(tab).translated(m_bar->pos());
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void TExPageControl::Sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QSignalBlocker block(m_bar);
    m_bar->setShape(ShapeOf(m_state.side));
    while (m_bar->count() > m_state.TabCount())
        m_bar->removeTab(m_bar->count() - 1);
    while (m_bar->count() < m_state.TabCount())
        m_bar->addTab(QString());
    for (int i = 0; i < m_state.TabCount(); ++i)
        m_bar->setTabText(i, m_state.TabPage(i)->TabCaption());
    if (m_state.StripIndex() >= 0)
        m_bar->setCurrentIndex(m_state.StripIndex());
    for (TExTabSheet* sheet : m_sheets)
        sheet->setVisible(sheet->Sheet()->Control() && sheet->Sheet()->Visible());
    LayoutChildren();
    update();
    m_syncing = false;
}

void TExPageControl::LayoutChildren()
{
    const QSize hint = m_bar->sizeHint();
    const bool vertical = Vertical(m_state.side);
    QRect bar;
    switch (m_state.side) {
    case TabSide::Left: bar = QRect(2, 2, hint.width(), height() - 4); break;
    case TabSide::Right: bar = QRect(width() - 2 - hint.width(), 2, hint.width(), height() - 4); break;
    case TabSide::Top: bar = QRect(2, 2, width() - 4, hint.height()); break;
    case TabSide::Bottom: bar = QRect(2, height() - 2 - hint.height(), width() - 4, hint.height()); break;
    }
    m_bar->setGeometry(bar);
    (void)vertical;
    std::vector<Box> tabs;
    for (int i = 0; i < m_state.TabCount(); ++i)
        tabs.push_back(TabBox(i));
    const mbus::StripExtent e = mbus::Strip_Extent(m_state.side, tabs, width(), height());
    QRect page;
    switch (m_state.side) {
    case TabSide::Left: page = QRect(e.rightMax + 1, 1, width() - e.rightMax - 3, height() - 3); break;
    case TabSide::Right: page = QRect(1, 1, e.leftMin - 3, height() - 3); break;
    case TabSide::Top: page = QRect(1, e.bottomMax + 1, width() - 3, height() - e.bottomMax - 3); break;
    case TabSide::Bottom: page = QRect(1, 1, width() - 3, e.topMin - 3); break;
    }
    for (TExTabSheet* sheet : m_sheets)
        sheet->setGeometry(page);
}

void TExPageControl::resizeEvent(QResizeEvent*)
{
    LayoutChildren();
}

void TExPageControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const auto& s = m_state;
    const int W = width(), H = height();
    const QColor parentColor = parentWidget() ? parentWidget()->palette().color(QPalette::Window) : QColor(0xF0, 0xF0, 0xF0);
    std::vector<Box> tabs;
    for (int i = 0; i < s.TabCount(); ++i)
        tabs.push_back(TabBox(i));
    const mbus::StripExtent e = mbus::Strip_Extent(s.side, tabs, W, H);
    for (const Box& b : tabs)
        FillBox(p, {b.l - 2, b.t - 2, b.r + 2, b.b + 2}, parentColor);

    // Strip background.
    switch (s.side) {
    case TabSide::Left: FillBox(p, {0, 0, e.rightMax, H - 1}, s.tabBackGroundColor); break;
    case TabSide::Right: FillBox(p, {e.leftMin, 0, W, H - 1}, s.tabBackGroundColor); break;
    case TabSide::Top: FillBox(p, {0, 0, W, e.bottomMax}, s.tabBackGroundColor); break;
    case TabSide::Bottom: FillBox(p, {0, e.topMin, W, H}, s.tabBackGroundColor); break;
    }

    // Page frame in the active page's colours.
    const mbus::TabSheet* active = s.ActivePage();
    const bool coloured = active && (active->colorTo.isValid() || active->color != s.color);
    if (coloured)
        p.fillRect(rect(), active->color);

    // Page outline.
    if (!s.tabSheet3D) {
        const QPen B(s.tabSheetBorderColor), C(coloured ? active->color : s.color);
        p.setPen(B);
        switch (s.side) {
        case TabSide::Left:
            p.drawLine(e.rightMax, 0, e.rightMax, H);
            p.drawLine(e.rightMax, H - 2, W - 2, H - 2);
            p.drawLine(W - 2, H, W - 2, 0);
            p.drawLine(W - 2, 0, e.rightMax, 0);
            p.setPen(C);
            p.drawLine(e.rightMax, H - 1, W - 1, H - 1);
            p.drawLine(W - 1, H - 1, W - 1, 0);
            break;
        case TabSide::Right:
            p.drawRect(0, 0, e.leftMin - 1, H - 1);
            break;
        case TabSide::Top:
            p.drawRect(0, e.bottomMax, W - 1, H - 1 - e.bottomMax);
            break;
        case TabSide::Bottom:
            p.drawRect(0, 0, W - 1, e.topMin - 1);
            break;
        }
        // The split line: the outline along the strip takes the page's colour.
        if (!s.TabSplitLine() && s.PageCount() > 0) {
            p.setPen(C);
            switch (s.side) {
            case TabSide::Left: p.drawLine(e.rightMax, 2, e.rightMax, e.bottomMax + s.tabOverlap); break;
            case TabSide::Right: p.drawLine(e.leftMin - 1, e.bottomMax - 1 + s.tabOverlap, e.leftMin - 1, 2); break;
            case TabSide::Top: p.drawLine(2, e.bottomMax, e.rightMax + s.tabOverlap, e.bottomMax); break;
            case TabSide::Bottom: p.drawLine(2, e.topMin - 1, e.rightMax + s.tabOverlap, e.topMin - 1); break;
            }
        }
    }

    for (int i = s.TabCount() - 1; i >= 0; --i)
        DrawTab(p, i, e);
}

void TExPageControl::DrawTab(QPainter& p, int tab, const mbus::StripExtent& e)
{
    const auto& s = m_state;
    const mbus::TabSheet* page = s.TabPage(tab);
    const bool active = page == s.ActivePage();
    const bool hover = s.PageIndex(page) == s.hoverTab && (s.tabHoverColor.isValid() || s.tabHoverColorTo.isValid());
    QColor c1 = page->tabColor, c2 = page->tabColorTo;
    mbus::GradientDirection dir = page->tabGradientDirection;
    if (active && s.activeColor.isValid()) {
        c1 = s.activeColor;
        c2 = s.activeColorTo;
    } else if (hover) {
        c1 = s.tabHoverColor;
        c2 = s.tabHoverColorTo;
        dir = page->hoverGradientDirection;
    }
    Box r = TabBox(tab);
    mbus::TextOrigin o = mbus::Tab_Text_Origin(s.side, r, page->ShowClose(), active, s.lowerActive, s.leftMargin, s.topMargin);
    Box fill = r;
    switch (s.side) {
    case TabSide::Top: r.t -= 1; fill = {r.l, r.t, r.r, r.b - 1}; break;
    case TabSide::Bottom: r.b += 1; fill = {r.l, r.t, r.r - 1, r.b}; break;
    case TabSide::Left: r.l -= 1; fill = {r.l, r.t, r.r - 1, r.b}; break;
    case TabSide::Right: fill = r; break;
    }
    if (c1.isValid()) {
        if (c2.isValid())
            for (const mbus::Band& band : mbus::Gradient_Bands(c1, c2, 16, fill, dir == mbus::GradientDirection::Horizontal))
                FillBox(p, band.box, band.color);
        else
            FillBox(p, fill, c1);
    }

    p.setPen(s.tabBorderColor);
    if (s.Style() == mbus::TabStyle::DotNet) {
        for (const QLine& l : mbus::DotNet_Outline(s.side, r, active))
            p.drawLine(l);
        if (!active) {
            const mbus::TabSheet* next = s.TabPage(tab + 1);
            const bool last = Vertical(s.side) ? r.b > e.bottomMax - 3 : r.r > e.rightMax - 3;
            if (last || next != s.ActivePage()) {
                p.setPen(s.activeColor);
                for (const QLine& l : mbus::DotNet_Separator(s.side, r))
                    p.drawLine(l);
            }
        }
    } else {
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.l, r.t, r.r - r.l, r.b - r.t);
    }

    if (page->ShowClose()) {
        const mbus::TextOrigin c = mbus::Close_Box_Origin(s.side, r, s.leftMargin, s.topMargin, active ? s.lowerActive : 0);
        p.fillRect(c.x, c.y, 12, 11, Qt::white);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(c.x, c.y, 11, 10);
        p.setPen(Qt::black);
        for (const QLine& l : mbus::Close_Cross(c.x, c.y))
            p.drawLine(l);
    }

    const bool useActiveFont = s.side == TabSide::Bottom || (active && s.side == TabSide::Top);
    p.setFont(active || useActiveFont ? activeFont : font());
    p.setPen(!page->TabEnable() ? QColor(0x80, 0x80, 0x80) : page->textColor);
    const QFontMetrics fm(p.font());
    p.save();
    p.translate(o.x, o.y);
    if (s.side == TabSide::Left)
        p.rotate(-90);   // reading upwards
    else if (s.side == TabSide::Right)
        p.rotate(90);
    p.drawText(0, fm.ascent(), page->Caption());
    p.restore();
}

TExPageControl* MakeEditorPageControl(QWidget* parent)
{
    auto* c = new TExPageControl(parent);
    c->setObjectName(QStringLiteral("ExPageControl1"));
    auto& s = c->State();
    const QColor face(0xF8, 0xF7, 0xED);
    s.side = TabSide::Left;
    s.SetTabStyle(mbus::TabStyle::DotNet);
    s.SetDefaultTabColor(face);
    s.tabBackGroundColor = face;
    s.color = face;
    s.activeColor = QColor(0xA6, 0xCA, 0xF0);   // sky blue
    s.topMargin = 10;
    s.rightMargin = 20;
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    c->setFont(font);
    c->Bar()->setFont(font);
    c->activeFont = font;
    for (const char* name : {"ExTabSheet1", "ExTabSheet2"}) {
        TExTabSheet* page = c->AddPage(QString::fromLatin1(name));
        page->Sheet()->color = face;
        page->Sheet()->tabColor = face;
    }
    c->Sync();
    return c;
}
