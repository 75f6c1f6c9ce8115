#include "controls/grid/widget/grid_images.h"

namespace grid {

void TGridImageList::Add(const QPixmap& picture)
{
    if (pictures_.isEmpty()) {
        Width = picture.width();
        Height = picture.height();
    }
    pictures_.append(picture);
    Count = int(pictures_.size());
}

void TGridProgressAppearance::Assign(const TGridProgressAppearance& source)
{
    if (&source != this) {
        auto event = std::move(OnChange);
        *this = source;
        OnChange = std::move(event);
    }
    Changed();
}

void TGridProgressAppearance::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace grid
