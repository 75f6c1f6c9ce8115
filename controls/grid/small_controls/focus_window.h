#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/small_controls/alpha_mask.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The translucent frame around the cell being edited: a frameless tool
// window that takes no input and no focus, shaped to a 4-pixel ring (so it
// shows as an opaque ring where no compositing window manager runs) and
// painted with the blurred, premultiplied mask. It follows the cell while the
// grid's top-level window moves or resizes.
namespace grid {

class TGridFocusWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr TColor kColor = 0xFDD397;
    static constexpr uint8_t kOpacity = 230;

    explicit TGridFocusWindow(QWidget* grid);
    ~TGridFocusWindow() override;

    // The current cell in the grid's coordinates; asked again on every move.
    std::function<QRect()> CellRect;

    // ShowFocusWindow: around the cell, shown without activation.
    void ShowAround(const QRect& cellInGrid);
    // MoveFocusWindow: to the current cell.
    void MoveToCell();
    // HideFocusWindow.
    void HideFrame();
    bool Following() const { return following_; }
    const TGridAlphaMask& Mask() const { return mask_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void Place(const QRect& cellInGrid);

    QPointer<QWidget> grid_;
    QPointer<QWidget> topLevel_;
    TGridAlphaMask mask_;
    QSize cellSize_;
    bool following_ = false;
};

// The ring the window keeps of a cell of the given size: the window's
// rectangle (cell + 9 both ways) without the cell offset by 4 pixels.
QRegion FocusFrameRegion(QSize cell);

}  // namespace grid
