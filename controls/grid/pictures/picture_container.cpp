#include "controls/grid/pictures/picture_container.h"

#include <algorithm>

namespace grid {

THTMLPicture* THTMLPictureCache::AddPicture()
{
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& p : pictures_) {
        if (p->ID == id)
            return p.get();
    }
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return pictures_[size_t(index)].get();
}

void THTMLPictureCache::SetPicture(int index, const THTMLPicture& picture)
{
    if (THTMLPicture* p = GetPicture(index)) {
        p->Assign(&picture);
        p->ID = picture.ID;
    }
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& p : pictures_)
        changed = p->Step() || changed;
    return changed;
}

TPictureItem& TPictureContainer::Add()
{
    items_.push_back(std::make_unique<TPictureItem>());
    return *items_.back();
}

TPictureItem& TPictureContainer::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    return **items_.insert(items_.begin() + index, std::make_unique<TPictureItem>());
}

THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    for (const auto& item : items_) {
        if (item->Name.compare(name, Qt::CaseInsensitive) == 0)
            return &item->Picture;
    }
    return nullptr;
}

bool TPictureContainer::Animate()
{
    bool changed = false;
    for (const auto& item : items_)
        changed = item->Picture.Step() || changed;
    return changed;
}

}  // namespace grid
