#pragma once
// The painted tab page control: a tab bar that lays the tabs out and hit
// tests them, pages placed in the area beside it, and the strip painted by
// the control itself over the state in mbus::TabPageControl.
#include "mbus/tabs/tab_geometry.h"
#include "mbus/tabs/tab_pages.h"

#include <QTabBar>
#include <QWidget>

class TExPageControl;

// One page: a plain panel whose children are the page's controls.
class TExTabSheet : public QWidget
{
    Q_OBJECT
public:
    TExTabSheet(TExPageControl* control, const QString& name);
    mbus::TabSheet* Sheet() const { return m_sheet; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TExPageControl* m_control;
    mbus::TabSheet* m_sheet;
};

// The strip's layout: tab sizes from the caption rule; paints nothing
// itself (the control paints the strip under it).
class TExTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit TExTabBar(TExPageControl* control);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent*) override {}
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TExPageControl* m_control;
    bool m_closePressed = false;
};

class TExPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TExPageControl(QWidget* parent = nullptr);

    mbus::TabPageControl& State() { return m_state; }
    const mbus::TabPageControl& State() const { return m_state; }
    TExTabSheet* AddPage(const QString& name);
    TExTabSheet* Page(int pageIndex) const;
    void SetActivePage(TExTabSheet* page);
    TExTabBar* Bar() const { return m_bar; }

    // The font of the active tab.
    QFont activeFont;

    // Tab rectangle of strip tab number tab, in the control's coordinates.
    mbus::Box TabBox(int tab) const;
    // Re-reads the state into the bar and the pages.
    void Sync();

signals:
    void PageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutChildren();
    void DrawTab(QPainter& p, int tab, const mbus::StripExtent& e);

    mbus::TabPageControl m_state;
    TExTabBar* m_bar;
    std::vector<TExTabSheet*> m_sheets;
    bool m_syncing = false;
};

// The network editor's control: tabs on the left in the flat style, strip
// and pages in the program's face colour, the active tab sky blue, text
// margins 10 and 20, pages ExTabSheet1 and ExTabSheet2.
TExPageControl* MakeEditorPageControl(QWidget* parent);
