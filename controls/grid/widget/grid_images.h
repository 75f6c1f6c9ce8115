#pragma once
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/look_settings.h"

#include <QList>
#include <QPixmap>

#include <functional>

namespace grid {

// The grid's image list with its pictures (the image kinds and "IDX:" in
// mini-HTML draw from it); Width and Height follow the first picture.
class TGridImageList : public TCustomImageList
{
public:
    void Add(const QPixmap& picture);
    const QList<QPixmap>& Pictures() const { return pictures_; }
    // The entry's picture; none outside the list.
    QImage Picture(int index) const override { return pictures_.value(index).toImage(); }

private:
    QList<QPixmap> pictures_;
};

enum TProgressStyle { psXP, psClassic };

// How XP progress cells look. OnChange fires on Assign and from Changed(),
// which code that sets the fields calls; the widget repaints on it.
struct TGridProgressAppearance
{
    TColor CompleteColor = 0x0000FF;
    TColor UnCompleteColor = clNone; // none: the cell's colour
    TColor UnCompleteFontColor = clWindowText;
    TProgressStyle Style = psXP;
    // The bar's levels, limits, border, stacking, percentage text and
    // gradient; its font and rest colour come from the cell when drawn.
    LevelProgressStyle Bar;
    std::function<void()> OnChange;

    // Copies every value but the event, then fires it.
    void Assign(const TGridProgressAppearance& source);
    void Changed();
};

} // namespace grid
