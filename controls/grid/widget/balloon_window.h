#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/look_settings.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace grid {

class TExStringGrid;
class TGridWidget;

// A balloon: an icon and a bold title over wrapped text, at most 300 pixels
// wide. It never takes the activation or the mouse.
class TBalloonWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxTextWidth = 300;

    explicit TBalloonWindow(QWidget* owner);
    // textColor and background may be clNone (the palette's tooltip colours).
    void SetContent(const QString& title, const QString& text, TBalloonIcon icon, TColor textColor,
                    TColor background);
    QString Title() const { return title_; }
    QString Text() const { return text_; }
    TBalloonIcon Icon() const { return icon_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TitleRect() const;
    QRect TextRect() const;
    QString title_;
    QString text_;
    TBalloonIcon icon_ = biNone;
    QColor textColor_;
    QColor background_;
    int titleHeight_ = 0;
    QSize textSize_;
};

// The grid's balloons (Balloon.Enable): resting on a cell shows its balloon
// (the cell's own balloon, else its text) after InitialDelay, moving on to
// another cell shows that one after ReshowDelay, and it goes after
// AutoHideDelay (-1: 500, 100 and 5000 ms). The window exists only while it
// shows: leaving the cell or the grid, a press, a wheel turn, a scroll, a
// key, hiding the grid, switching balloons off and the grid's end destroy it.
class TGridBalloons : public QObject
{
    Q_OBJECT
public:
    explicit TGridBalloons(TGridWidget& widget);
    ~TGridBalloons() override;

    // Set up (Balloon.FInit) and taken down; Balloon.Enable switches them.
    void BalloonInit();
    void BalloonDone();
    // The balloon of the cell under a point of the viewport, at once.
    void ShowAt(QPoint pos);
    // Destroys the balloon shown, and forgets a pending one.
    void Pop();

    TBalloonWindow* Shown() const { return window_; }
    TGridCoord ShownCell() const { return shownCell_; }
    // Milliseconds until the pending balloon shows; -1 when none is pending.
    int PendingDelay() const { return showTimer_.isActive() ? showTimer_.interval() : -1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Hovered(QPoint pos, bool buttonsHeld);
    void EnableChanged();
    TGridWidget& w_;
    TExStringGrid& g_;
    QPointer<TBalloonWindow> window_;
    QTimer showTimer_;
    QTimer hideTimer_;
    TGridCoord hoverCell_{-1, -1};
    TGridCoord shownCell_{-1, -1};
    QPoint lastPos_;
    bool reshow_ = false;
};

} // namespace grid
