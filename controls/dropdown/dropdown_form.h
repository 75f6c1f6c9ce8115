#pragma once
#include <QWidget>

#include <cstdint>

namespace dropdown {

class TExCustomDropDown;
class TExHeader;
class TExFooter;

// The popup of a drop-down edit: a frameless Qt::Popup window with a header,
// the content control and a footer inside its border. Qt closes it on a click
// outside; that close is the deactivation, which the edit maps to
// DoHideDropDown(CancelOnDeActivate).
class TDropDownForm : public QWidget
{
public:
    explicit TDropDownForm(TExCustomDropDown* edit);
    ~TDropDownForm() override;

    TExCustomDropDown* ExDropDown() const { return edit_; }
    TExHeader* Header() const { return header_; }
    TExFooter* Footer() const { return footer_; }
    // Ticks of the last deactivation while visible.
    uint32_t DeActivateTime() const { return deActivate_; }
    bool Shadow = true;
    bool Sizeable = false;
    bool CancelOnDeActivate = true;
    bool BlockActivate = false;

    // Creates, refreshes and shows the bars as the edit's settings say.
    void InitializeAndUpdate();
    void SetContent(QWidget* content);
    QWidget* Content() const { return content_; }
    // The area between the bars, inside the border.
    QRect ContentRect() const;
    // Places bars and, with content, the content control.
    void LayoutChildren(bool content);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void LayoutChildren();

    TExCustomDropDown* edit_;
    TExHeader* header_ = nullptr;
    TExFooter* footer_ = nullptr;
    QWidget* content_ = nullptr;
    uint32_t deActivate_ = 0;
    bool resizing_ = false;
    QPoint pressGlobal_;
    QSize pressSize_;
};

}  // namespace dropdown
