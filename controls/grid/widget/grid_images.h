#pragma once
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
    TColor CompleteFontColor = 0xFF0000;
    TColor UnCompleteColor = clNone;
    TColor UnCompleteFontColor = clWindowText;
    TColor Level0Color = 0x00FF00;
    TColor Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = 0x00FFFF;
    TColor Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF;
    TColor Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = 0x0000FF;
    TColor Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = 0x000000;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TProgressStyle Style = psXP;
    std::function<void()> OnChange;

    // Copies every value but the event, then fires it.
    void Assign(const TGridProgressAppearance& source);
    void Changed();
};

} // namespace grid
