#pragma once
#include "controls/grid/core/grid_view.h"

#include <QRect>

#include <vector>

// A view that records what the grid asks of it.
class RecordingView : public grid::GridView
{
public:
    std::vector<QRect> rects;
    int all = 0;
    int scrollBars = 0;
    struct Placement
    {
        QObject* control;
        QRect bounds;
        bool visible;
    };
    std::vector<Placement> placements;

    void InvalidateRect(const QRect& rect) override { rects.push_back(rect); }
    void InvalidateAll() override { ++all; }
    void UpdateScrollBars() override { ++scrollBars; }
    void PlaceControl(QObject* control, const QRect& bounds, bool visible) override
    {
        placements.push_back({control, bounds, visible});
    }
    void Clear()
    {
        rects.clear();
        all = 0;
        scrollBars = 0;
        placements.clear();
    }
};
