#pragma once
#include "controls/dropdown/appearances.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;

namespace dropdown {

class TExButton;
class TExCustomDropDown;

// A popup bar: background, border, image, mini-HTML caption and a row of
// buttons; the footer adds the size grip.
class TExBar : public QWidget
{
public:
    TExBar(QWidget* parent, bool footer);
    ~TExBar() override;

    // Takes the drop-down's images and a copy of its header (footer) settings.
    void SetExDropDown(TExCustomDropDown* dropDown);
    TExCustomDropDown* ExDropDown() const { return dropDown_; }
    void RebuildButtons();
    const TFooterAppearance& Appearance() const { return appearance_; }
    const std::vector<TExButton*>& ButtonList() const { return buttons_; }
    // Range-checked access as the bars' list gives it.
    TExButton* ButtonAt(int index) const;
    void SetButtonAt(int index, TExButton* button);

    // Replaces all painting of the bar when set.
    std::function<void(TExBar*, QPainter&, const QRect&)> OnDrawBackGround;
    std::function<void(TExBar*, QString&)> OnGetText;

    bool ShowSizeGrip() const;
    QRect ButtonArea() const;

protected:
    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    void ButtonClick(TExButton* button);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    bool footer_;
    TFooterAppearance appearance_;
    TExCustomDropDown* dropDown_ = nullptr;
    const QList<QPixmap>* images_ = nullptr;
    std::vector<TExButton*> buttons_;
};

class TExHeader : public TExBar
{
public:
    explicit TExHeader(QWidget* parent) : TExBar(parent, false) {}
};

// The footer resizes the popup from its grip zone: through the window
// system where it can, else from its own mouse moves.
class TExFooter : public TExBar
{
public:
    explicit TExFooter(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool resizing_ = false;
    QPoint pressGlobal_;
    QSize pressSize_;
};

}  // namespace dropdown
