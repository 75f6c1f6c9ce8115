#pragma once
#include "controls/grid/core/grid_types.h"

#include <QWidget>

#include <functional>

// The search panel's self-drawn check box: the style's check box glyph when
// themes are in use, a classic box otherwise; an optional see-through
// background; a caption with an optional ellipsis.
namespace grid {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TExCheckBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBoxStrip = 20;  // repainted on a state change

    explicit TExCheckBox(QWidget* parent = nullptr);

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked);
    virtual void Toggle();

    bool Down() const { return down_; }
    void SetDown(bool down);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TTextLayout ButtonVertAlign() const { return vertAlign_; }
    void SetButtonVertAlign(TTextLayout value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);  // box at the left or the right
    bool Ellipsis() const { return ellipsis_; }
    void SetEllipsis(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    bool ReadOnly = false;
    bool ReturnIsTab = false;
    bool TransparentChaching = false;  // kept; painting needs no cache here
    std::function<void(TExCheckBox*)> OnClick;

    bool Hot() const { return hot_; }
    // The box's rectangle as painted.
    QRect BoxRect() const;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Click();
    void UpdateBox();
    void UpdateShortcut();
    QRect TextRect() const;

    bool down_ = false;
    TCheckBoxState state_ = cbUnchecked;
    TTextLayout vertAlign_ = tlTop;
    TAlignment alignment_ = taLeftJustify;
    bool ellipsis_ = false;
    QString caption_ = QStringLiteral("TExCheckBox");
    bool hot_ = false;
    bool clicksDisabled_ = false;
    bool mouseDown_ = false;
    bool transparent_ = false;
    int shortcutId_ = 0;
};

}  // namespace grid
