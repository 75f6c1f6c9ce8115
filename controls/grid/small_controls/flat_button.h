#pragma once
#include "controls/grid/core/grid_types.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>

class QMenu;

// The search panel's speed button: flat or rounded looks with gradients,
// a toggle style, groups of mutually exclusive buttons, a drop-down zone of
// 12 pixels at the right, glyphs for four states. It never takes the focus.
namespace grid {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TExGridButtonStyle { tasButton, tasCheck };

class TExGridButton : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDropDownWidth = 12;

    explicit TExGridButton(QWidget* parent = nullptr);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int Margin() const { return margin_; }
    void SetMargin(int value);  // only values >= -1
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TExGridButtonStyle Style() const { return style_; }
    void SetStyle(TExGridButtonStyle value);
    bool Rounded() const { return rounded_; }
    void SetRounded(bool value);
    bool DropDownButton() const { return dropDownButton_; }
    void SetDropDownButton(bool value);
    bool Shaded() const { return shaded_; }
    void SetShaded(bool value);
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool value);
    int Look() const { return look_; }
    void SetLook(int look);  // 0..6; others change nothing

    const QImage& Glyph() const { return glyph_; }
    // Also makes the grey disabled glyph when none is set.
    void SetGlyph(const QImage& glyph);
    const QImage& GlyphDisabled() const { return glyphDisabled_; }
    void SetGlyphDisabled(const QImage& glyph);
    void SetGlyphHot(const QImage& glyph);
    void SetGlyphDown(const QImage& glyph);

    // Colours (0x00BBGGRR, clNone for none); setters repaint.
    void SetColor(TColor c) { Set(color_, c); }
    void SetColorTo(TColor c) { Set(colorTo_, c); }
    void SetColorHot(TColor c) { Set(colorHot_, c); }
    void SetColorHotTo(TColor c) { Set(colorHotTo_, c); }
    void SetColorDown(TColor c) { Set(colorDown_, c); }
    void SetColorDownTo(TColor c) { Set(colorDownTo_, c); }
    void SetColorChecked(TColor c) { Set(colorChecked_, c); }
    void SetColorCheckedTo(TColor c) { Set(colorCheckedTo_, c); }
    void SetBorderColor(TColor c) { Set(borderColor_, c); }
    void SetBorderDownColor(TColor c) { Set(borderDownColor_, c); }
    void SetBorderHotColor(TColor c) { Set(borderHotColor_, c); }
    TColor Color() const { return color_; }
    TColor ColorTo() const { return colorTo_; }
    TColor ColorHot() const { return colorHot_; }
    TColor ColorChecked() const { return colorChecked_; }
    TColor BorderDownColor() const { return borderDownColor_; }
    TColor BorderHotColor() const { return borderHotColor_; }

    bool AutoXPStyle = false;  // non-flat buttons drawn by the style
    QPointer<QMenu> DropDownMenu;

    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseIn_; }

    std::function<void(TExGridButton*)> OnClick;
    std::function<void(TExGridButton*)> OnDblClick;
    std::function<void(TExGridButton*)> OnDropDown;
    std::function<void(TExGridButton*)> OnMouseEnter;
    std::function<void(TExGridButton*)> OnMouseLeave;

    void Click();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Set(TColor& field, TColor value)
    {
        field = value;
        update();
    }
    void Broadcast();
    void ButtonPressed(int group, TExGridButton* sender);
    void MouseEnter();
    void MouseLeave();
    void AdaptLook();
    void UpdateShortcut();
    bool InClient(QPoint p) const;

    int groupIndex_ = 0;
    QImage glyph_;
    QImage glyphDisabled_;
    QImage glyphHot_;
    QImage glyphDown_;
    QImage shade_;
    bool down_ = false;
    bool dragging_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    bool flat_ = true;
    bool mouseIn_ = false;
    TColor color_ = 0xFF00000F;  // clBtnFace
    TColor colorTo_ = clNone;
    TColor colorHot_ = 0xCAC7C7;
    TColor colorHotTo_ = clNone;
    TColor colorDown_ = 0xD8D3D2;
    TColor colorDownTo_ = clNone;
    TColor borderColor_ = clNone;
    TColor borderDownColor_ = clNone;
    TColor borderHotColor_ = clNone;
    bool shaded_ = true;
    TColor colorChecked_ = clGray;
    TColor colorCheckedTo_ = clNone;
    TExGridButtonStyle style_ = tasButton;
    int look_ = 0;
    bool rounded_ = false;
    bool dropDownButton_ = false;
    bool autoThemeAdapt_ = false;
    bool showCaption_ = true;
    QString caption_;
    TButtonState state_ = bsUp;
    int shortcutId_ = 0;
};

}  // namespace grid
