#pragma once
// The tab page control without pixels: pages in page order, the strip's
// entries (one per page whose tab shows), the strip's selection, the active
// page, captions that size the tabs, the closed-page list and the colours
// each page takes from the control's defaults. The painted widget mirrors
// the strip into its tab bar and paints from here.
#include <QColor>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace mbus {

enum class TabSide { Top, Bottom, Left, Right };
enum class TabStyle { Classic, DotNet };
enum class GradientDirection { Vertical, Horizontal };

// "Not set" for the colour fields.
inline QColor NoColor()
{
    return QColor();
}

class TabPageControl;

class TabSheet
{
public:
    const QString& Name() const { return m_name; }
    const QString& Caption() const { return m_caption; }
    // The text that sizes the tab (see SetCaption).
    const QString& TabCaption() const { return m_tabCaption; }
    bool ShowClose() const { return m_showClose; }
    int ImageIndex() const { return m_imageIndex; }
    bool TabVisible() const { return m_tabVisible; }
    bool TabShowing() const { return m_tabShowing; }
    bool TabEnable() const { return m_tabEnable; }
    // The page window is shown.
    bool Visible() const { return m_visible; }
    TabPageControl* Control() const { return m_control; }

    QColor textColor = Qt::black;
    QColor tabColor;                    // none: the control's default
    QColor tabColorTo;
    QColor color = QColor(0xF0, 0xF0, 0xF0);
    QColor colorTo;
    GradientDirection tabGradientDirection = GradientDirection::Vertical;
    GradientDirection hoverGradientDirection = GradientDirection::Vertical;

    std::function<bool()> onCanClose;   // false refuses a close
    std::function<void()> onClose;

private:
    friend class TabPageControl;
    explicit TabSheet(QString name) : m_name(std::move(name)) {}

    QString m_name;
    QString m_caption;
    QString m_tabCaption;
    bool m_showClose = false;
    int m_imageIndex = -1;
    bool m_tabVisible = true;
    bool m_tabShowing = false;
    bool m_tabEnable = true;
    bool m_visible = false;
    TabPageControl* m_control = nullptr;
};

class TabPageControl
{
public:
    TabPageControl();

    // A new page attached at the end of the page list.
    TabSheet* AddPage(const QString& name);
    // Attaches a page (none: detaches it) as the page's ExPageControl does.
    void SetPageControl(TabSheet* page, TabPageControl* control);

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TabSheet* GetPage(int index) const;
    int PageIndex(const TabSheet* page) const;
    // -1 when the tab does not show, else the showing tabs before it.
    int TabIndex(const TabSheet* page) const;
    // Empty, or the list error for an index past the last page.
    QString SetPageIndex(TabSheet* page, int index);

    void SetCaption(TabSheet* page, const QString& value);
    void SetShowClose(TabSheet* page, bool on);
    void SetImageIndex(TabSheet* page, int index);
    void SetTabVisible(TabSheet* page, bool on);
    // Empty, or the error for the active page.
    QString SetTabEnable(TabSheet* page, bool on);

    TabSheet* ActivePage() const { return m_active; }
    void SetActivePage(TabSheet* page);
    int ActivePageIndex() const { return PageIndex(m_active); }
    void SetActivePageIndex(int index);

    // The strip: its entries and selection.
    int TabCount() const { return static_cast<int>(m_strip.size()); }
    TabSheet* TabPage(int tab) const;
    int StripIndex() const { return m_stripIndex; }
    // The page number of a strip tab number (hidden tabs skipped over).
    int PageIndexAtTab(int tab) const;

    TabSheet* FindNextPage(TabSheet* current, bool forward, bool checkTabVisible) const;
    // Ctrl+Tab and Ctrl+Shift+Tab.
    void SelectNextPage(bool forward);
    // A click on strip tab number tab.
    void TabClicked(int tab);
    // The close button of the active page released: closes it as allowed.
    void CloseActivePage();

    bool OpenClosedTab(const QString& name);
    void OpenAllClosedTabs();
    const std::vector<std::pair<QString, TabSheet*>>& ClosedTabs() const { return m_closed; }

    // Settings.
    TabSide side = TabSide::Left;
    int leftMargin = 0, topMargin = 0, rightMargin = 0;
    int tabOverlap = 0;
    int lowerActive = 2;
    QColor activeColor = QColor(0xF0, 0xF0, 0xF0);
    QColor activeColorTo;
    QColor tabBorderColor = QColor(0x80, 0x80, 0x80);
    QColor tabHoverColor, tabHoverColorTo, tabHoverBorder;
    QColor tabSheetBorderColor = QColor(0x80, 0x80, 0x80);
    QColor tabBackGroundColor = QColor(0xF0, 0xF0, 0xF0);
    QColor color = QColor(0xF0, 0xF0, 0xF0);   // the control's own colour
    bool tabSheet3D = false;
    bool roundEdges = false;
    bool showFocus = false;
    bool freeOnClose = false;

    TabStyle Style() const { return m_style; }
    QString SetTabStyle(TabStyle style);
    bool TabSplitLine() const { return m_splitLine; }
    QString SetTabSplitLine(bool on);

    QColor DefaultTextColor() const { return m_defaultTextColor; }
    QColor DefaultTabColor() const { return m_defaultTabColor; }
    QColor DefaultTabColorTo() const { return m_defaultTabColorTo; }
    void SetDefaultTextColor(const QColor& c);
    void SetDefaultTabColor(const QColor& c);
    void SetDefaultTabColorTo(const QColor& c);

    static QString Version() { return QStringLiteral("1.4.0.0"); }
    static constexpr unsigned VersionNr = 0x01040000;

    // The page under the mouse, -1 for none.
    int hoverTab = -1;

    // Asked before the strip's selection changes (from and to page numbers).
    std::function<bool(int from, int to)> onCanChange;
    // After the active page changed through the strip.
    std::function<void()> onChange;
    // After anything the widget mirrors changed.
    std::function<void()> onStripChanged;

private:
    void InsertPage(TabSheet* page);
    void RemovePage(TabSheet* page);
    void SetTabShowing(TabSheet* page, bool on);
    void DeleteTab(TabSheet* page, int tab);
    void ChangeActivePage(TabSheet* page);
    void UpdateActivePage();
    bool CanChange(int toPage) const;
    void Change();
    void Changed() const;

    std::vector<std::unique_ptr<TabSheet>> m_owned;
    std::vector<TabSheet*> m_pages;
    std::vector<TabSheet*> m_strip;
    int m_stripIndex = -1;
    TabSheet* m_active = nullptr;
    std::vector<std::pair<QString, TabSheet*>> m_closed;
    TabStyle m_style = TabStyle::Classic;
    bool m_splitLine = false;
    QColor m_defaultTextColor = Qt::black;
    QColor m_defaultTabColor = QColor(0xF0, 0xF0, 0xF0);
    QColor m_defaultTabColorTo;
};

} // namespace mbus
