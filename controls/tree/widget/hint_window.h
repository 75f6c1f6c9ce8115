#pragma once

// The window of an owner-drawn hint: a frameless tool-tip window the application paints through the tree's
// hint events, faded in by its window opacity (no screen capture), kept on the screen.

#include "controls/tree/core/tree_types.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QWidget>

namespace lazytree {

class TLazyTreeControl;

// Opacity of a hint `elapsedMs` into a fade of `durationMs` (0 duration: shown at once).
double HintOpacity(int elapsedMs, int durationMs);
// The hint's place: moved left and up so that it stays inside the available screen area.
QRect ClampHintRect(const QRect& hint, const QRect& screen);

class THintWindow : public QWidget {
public:
    explicit THintWindow(TLazyTreeControl& tree);

    // Shows the hint of a cell at a global rectangle, fading in over fadeMs.
    void ShowHint(PLazyNode node, TColumnIndex column, const QRect& globalRect, int fadeMs);
    void HideHint();
    PLazyNode Node() const { return node_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    TLazyTreeControl& tree_;
    PLazyNode node_ = nullptr;
    TColumnIndex column_ = NoColumn;
    QBasicTimer fade_;
    QElapsedTimer clock_;
    int duration_ = 0;
};

} // namespace lazytree
