#pragma once
#include "controls/grid/html_draw/html_text_painter.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>

namespace grid {

class TExStringGrid;
class TPictureContainer;

// The screen whose rectangle holds the point, else the nearest one; an
// empty rectangle when there are no screens.
QRect NearestScreen(const QList<QRect>& screens, QPoint at);
// A hint kept on its screen: past the right edge it moves left to end 2
// pixels inside it, past the bottom up to end 2 pixels above it; its size
// is kept, and it never starts left of or above the screen.
QRect KeepHintOnScreen(const QRect& hint, const QRect& screen);

// The font of the grid that last prepared a cell hint; wide-encoded hints
// are drawn in it.
extern QString HintFontName;

// The grid's hint window for cell and scroll hints: mini-HTML text (or
// wide-encoded text, decoded), framed, shown without taking the focus and
// kept on the monitor nearest its top-left corner.
class THTMLHintWindow : public QWidget
{
public:
    explicit THTMLHintWindow(QWidget* parent = nullptr);
    ~THTMLHintWindow() override;

    // Shows hint with its top-left corner at rect's.
    void ActivateHint(const QRect& rect, const QString& hint);
    // As ActivateHint, with the pictures of the grid's image list and the
    // container.
    void ActivateHintData(const QRect& rect, const QString& hint, TExStringGrid* grid,
                          TPictureContainer* container = nullptr);
    // The size the hint needs within maxWidth, at (0, 0).
    QRect CalcHintRect(int maxWidth, const QString& hint);

    // The fill colour; an invalid colour takes the palette's hint colour.
    void SetColor(const QColor& color);
    QColor Color() const { return color_; }

    QString Caption() const { return caption_; }
    // The decoded text of a wide-encoded hint (empty for others).
    QString WideCaption() const { return wideCaption_; }
    QSize TextSize() const { return textSize_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Measures hint within maxWidth; wide tells the kind.
    QSize Measure(const QString& hint, int maxWidth, bool& wide);
    html::HtmlLayoutInput HtmlInput(const QString& text, const QRect& rect) const;
    QFont WideFont() const;

    html::HtmlPictures pictures_;
    QColor color_;
    QString caption_;
    QString wideCaption_;
    QSize textSize_;
};

} // namespace grid
