#pragma once
#include "controls/dropdown/appearances.h"

#include <QPixmap>
#include <QWidget>

namespace dropdown {

class TExCustomDropDown;
class TextMeasure;

// The painted push button of the popup bars: a face in the colours of its
// state, an image and a caption. A footer button's modal result closes the
// drop-down's popup before OnClick fires.
class TExButton : public QWidget
{
public:
    explicit TExButton(QWidget* parent);
    ~TExButton() override;

    // Shared, not owned; nullptr paints no face.
    void SetAppearance(TExButtonAppearance* appearance);
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetImages(const QList<QPixmap>* images) { images_ = images; update(); }
    void SetImageIndex(int index) { imageIndex_ = index; update(); }
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }
    void SetExDropDown(TExCustomDropDown* dropDown) { dropDown_ = dropDown; }
    void SetDown(bool down);
    bool Down() const { return down_; }
    // The bar's index of the item.
    int Tag = 0;
    // What OnClick calls (the bar's ButtonClick).
    std::function<void(TExButton*)> OnClick;

    // Caption (or image, the larger) plus 8 × 4.
    void AutoSizeButton();
    // The modal result, then OnClick unless the click came from the keyboard.
    void Click(bool internal = false);
    // The colours the state paints with (face start, face end, border).
    struct StateColors
    {
        TColor Face, FaceTo, Border;
    };
    StateColors CurrentColors() const;

    // Measures captions; tests give a fixed one.
    static void SetTextMeasure(TextMeasure* measure);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Inside(QPoint pos) const;

    TExButtonAppearance* appearance_ = nullptr;
    const QList<QPixmap>* images_ = nullptr;
    TExCustomDropDown* dropDown_ = nullptr;
    QString caption_;
    int imageIndex_ = -1;
    int modalResult_ = mrNone;
    int shortcut_ = 0;
    bool down_ = false;
    bool mouseIn_ = false;
    bool mouseDownIn_ = false;
    bool dragging_ = false;
};

}  // namespace dropdown
