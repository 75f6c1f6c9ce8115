#include "mbus/tabs/tab_pages.h"

#include <algorithm>

namespace mbus {

TabPageControl::TabPageControl() = default;

TabSheet* TabPageControl::AddPage(const QString& name)
{
    m_owned.push_back(std::unique_ptr<TabSheet>(new TabSheet(name)));
    TabSheet* page = m_owned.back().get();
    SetPageControl(page, this);
    return page;
}

void TabPageControl::SetPageControl(TabSheet* page, TabPageControl* control)
{
    if (!page || page->m_control == control)
        return;
    if (page->m_control)
        RemovePage(page);
    if (control == this) {
        InsertPage(page);
        if (page->textColor == QColor(Qt::black))
            page->textColor = m_defaultTextColor;
        if (!page->tabColor.isValid())
            page->tabColor = m_defaultTabColor;
        if (!page->tabColorTo.isValid())
            page->tabColorTo = m_defaultTabColorTo;
    }
    Changed();
}

TabSheet* TabPageControl::GetPage(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[index] : nullptr;
}

int TabPageControl::PageIndex(const TabSheet* page) const
{
    const auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int TabPageControl::TabIndex(const TabSheet* page) const
{
    if (!page || !page->m_tabShowing)
        return -1;
    int n = 0;
    for (const TabSheet* p : m_pages) {
        if (p == page)
            return n;
        if (p->m_tabShowing)
            ++n;
    }
    return -1;
}

QString TabPageControl::SetPageIndex(TabSheet* page, int index)
{
    const int from = PageIndex(page);
    if (from < 0)
        return QString();
    if (index > PageCount() - 1 || index < 0)
        return QStringLiteral("%1 is an invalid PageIndex value.  PageIndex must be between 0 and %2")
            .arg(index)
            .arg(PageCount() - 1);
    const int oldTab = TabIndex(page);
    m_pages.erase(m_pages.begin() + from);
    m_pages.insert(m_pages.begin() + index, page);
    if (oldTab >= 0) {
        TabSheet* selected = TabPage(m_stripIndex);
        m_strip.erase(m_strip.begin() + oldTab);
        m_strip.insert(m_strip.begin() + TabIndex(page), page);
        if (selected)
            m_stripIndex = TabIndex(selected);
    }
    Changed();
    return QString();
}

void TabPageControl::SetCaption(TabSheet* page, const QString& value)
{
    page->m_tabCaption = page->m_showClose ? value + QLatin1Char(' ') : value.left(std::max<qsizetype>(0, value.size() - 2));
    page->m_caption = value;
    Changed();
}

void TabPageControl::SetShowClose(TabSheet* page, bool on)
{
    page->m_showClose = on;
    SetCaption(page, page->m_caption);
}

void TabPageControl::SetImageIndex(TabSheet* page, int index)
{
    page->m_imageIndex = index < 0 ? -1 : index;
    SetCaption(page, page->m_caption);
}

void TabPageControl::SetTabVisible(TabSheet* page, bool on)
{
    if (page->m_tabVisible == on)
        return;
    page->m_tabVisible = on;
    SetTabShowing(page, page->m_control && on);
    Changed();
}

QString TabPageControl::SetTabEnable(TabSheet* page, bool on)
{
    if (page == m_active && page->m_tabEnable != on)
        return QStringLiteral("Can not disable active tab.");
    page->m_tabEnable = on;
    Changed();
    return QString();
}

void TabPageControl::SetTabShowing(TabSheet* page, bool on)
{
    if (page->m_tabShowing == on)
        return;
    if (on) {
        page->m_tabShowing = true;
        const int tab = TabIndex(page);
        TabSheet* selected = TabPage(m_stripIndex);
        m_strip.insert(m_strip.begin() + tab, page);
        if (selected)
            m_stripIndex = TabIndex(selected);
        UpdateActivePage();
    } else {
        const int tab = TabIndex(page);
        page->m_tabShowing = false;
        DeleteTab(page, tab);
    }
}

void TabPageControl::DeleteTab(TabSheet* page, int tab)
{
    TabSheet* selected = TabPage(m_stripIndex);
    m_strip.erase(m_strip.begin() + tab);
    if (page == m_active) {
        m_stripIndex = tab < TabCount() ? tab : TabCount() - 1;
    } else if (selected) {
        m_stripIndex = selected->m_tabShowing ? static_cast<int>(std::find(m_strip.begin(), m_strip.end(), selected) - m_strip.begin()) : -1;
    }
    UpdateActivePage();
}

TabSheet* TabPageControl::TabPage(int tab) const
{
    return tab >= 0 && tab < TabCount() ? m_strip[tab] : nullptr;
}

int TabPageControl::PageIndexAtTab(int tab) const
{
    if (tab < 0)
        return -1;
    int n = tab;
    for (int i = 0; i < PageCount() && i <= n; ++i)
        if (!m_pages[i]->m_tabShowing)
            ++n;
    return n < PageCount() ? n : -1;
}

void TabPageControl::InsertPage(TabSheet* page)
{
    m_pages.push_back(page);
    page->m_control = this;
    SetTabShowing(page, page->m_tabVisible);
}

void TabPageControl::RemovePage(TabSheet* page)
{
    TabSheet* next = FindNextPage(page, true, true);
    SetTabShowing(page, false);
    page->m_control = nullptr;
    m_pages.erase(std::find(m_pages.begin(), m_pages.end(), page));
    if (m_active == page)
        m_active = nullptr;
    SetActivePage(next == page ? nullptr : next);
}

void TabPageControl::SetActivePage(TabSheet* page)
{
    if (page && page->m_control != this)
        return;
    ChangeActivePage(page);
    if (!page) {
        m_stripIndex = -1;
        m_active = nullptr;
    } else if (page == m_active) {
        m_stripIndex = TabIndex(page);
    }
    Changed();
}

void TabPageControl::SetActivePageIndex(int index)
{
    SetActivePage(GetPage(index));
}

void TabPageControl::ChangeActivePage(TabSheet* page)
{
    if (!page || page == m_active || !page->m_tabEnable)
        return;
    page->m_visible = true;
    if (m_active)
        m_active->m_visible = false;
    m_active = page;
}

void TabPageControl::UpdateActivePage()
{
    SetActivePage(m_stripIndex < 0 ? nullptr : TabPage(m_stripIndex));
}

TabSheet* TabPageControl::FindNextPage(TabSheet* current, bool forward, bool checkTabVisible) const
{
    const int n = PageCount();
    if (n == 0)
        return nullptr;
    int start = PageIndex(current);
    if (start < 0)
        start = forward ? n - 1 : 0;
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = forward ? (i + 1) % n : (i + n - 1) % n;
        if (!checkTabVisible || m_pages[i]->m_tabVisible)
            return m_pages[i];
    }
    return nullptr;
}

bool TabPageControl::CanChange(int toPage) const
{
    return !onCanChange || onCanChange(ActivePageIndex(), toPage);
}

void TabPageControl::Change()
{
    UpdateActivePage();
    if (onChange)
        onChange();
    Changed();
}

void TabPageControl::SelectNextPage(bool forward)
{
    TabSheet* next = FindNextPage(m_active, forward, true);
    if (!next || next == m_active || !CanChange(PageIndex(next)))
        return;
    m_stripIndex = TabIndex(next);
    Change();
}

void TabPageControl::TabClicked(int tab)
{
    if (tab < 0 || tab >= TabCount() || tab == m_stripIndex || !CanChange(PageIndexAtTab(tab)))
        return;
    const int before = m_stripIndex;
    m_stripIndex = tab;
    UpdateActivePage();
    if (m_active != TabPage(tab))   // a disabled page keeps the selection where it was
        m_stripIndex = before;
    if (onChange)
        onChange();
    Changed();
}

void TabPageControl::CloseActivePage()
{
    TabSheet* page = m_active;
    if (!page || !page->m_showClose)
        return;
    TabSheet* next = FindNextPage(page, true, true);
    if (page->onCanClose && !page->onCanClose())
        return;
    if (page->onClose)
        page->onClose();
    SetActivePage(next == page ? nullptr : next);
    if (!freeOnClose)
        m_closed.emplace_back(page->m_name, page);
    SetPageControl(page, nullptr);
    page->m_visible = false;
    if (freeOnClose) {
        const auto it = std::find_if(m_owned.begin(), m_owned.end(), [page](const auto& p) { return p.get() == page; });
        m_owned.erase(it);
    }
    Changed();
}

bool TabPageControl::OpenClosedTab(const QString& name)
{
    for (const auto& [n, page] : m_closed) {
        if (n == name) {
            SetPageControl(page, this);
            return true;
        }
    }
    return false;
}

void TabPageControl::OpenAllClosedTabs()
{
    for (const auto& entry : m_closed)
        SetPageControl(entry.second, this);
}

QString TabPageControl::SetTabStyle(TabStyle style)
{
    m_style = style;
    Changed();
    return QString();
}

QString TabPageControl::SetTabSplitLine(bool on)
{
    if (on && m_style == TabStyle::DotNet)
        return QStringLiteral("TabSplitLine must be false when TabStyle is tsDotNet");
    m_splitLine = on;
    Changed();
    return QString();
}

void TabPageControl::SetDefaultTextColor(const QColor& c)
{
    for (TabSheet* p : m_pages)
        if (p->textColor == m_defaultTextColor)
            p->textColor = c;
    m_defaultTextColor = c;
    Changed();
}

void TabPageControl::SetDefaultTabColor(const QColor& c)
{
    for (TabSheet* p : m_pages)
        if (p->tabColor == m_defaultTabColor)
            p->tabColor = c;
    m_defaultTabColor = c;
    Changed();
}

void TabPageControl::SetDefaultTabColorTo(const QColor& c)
{
    for (TabSheet* p : m_pages)
        if (p->tabColorTo == m_defaultTabColorTo)
            p->tabColorTo = c;
    m_defaultTabColorTo = c;
    Changed();
}

void TabPageControl::Changed() const
{
    if (onStripChanged)
        onStripChanged();
}

} // namespace mbus
