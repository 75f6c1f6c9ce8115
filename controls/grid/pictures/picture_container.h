#pragma once
#include "controls/grid/pictures/html_picture.h"

#include <memory>
#include <vector>

// The two stores of mini-HTML pictures: a cache of pictures named by URL,
// owned by the grid, and a container of named pictures.
namespace grid {

class THTMLPictureCache
{
public:
    THTMLPicture* AddPicture();
    // The first picture whose ID equals `id` exactly.
    THTMLPicture* FindPicture(const QString& id) const;
    int Count() const { return int(pictures_.size()); }
    THTMLPicture* GetPicture(int index) const;
    // Takes over the given picture's content.
    void SetPicture(int index, const THTMLPicture& picture);
    void ClearPictures() { pictures_.clear(); }
    // Steps every picture; true when a frame changed.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};

struct TPictureItem
{
    QString Name;
    int Tag = 0;
    THTMLPicture Picture;
};

class TPictureContainer
{
public:
    TPictureItem& Add();
    TPictureItem& Insert(int index);
    int Count() const { return int(items_.size()); }
    TPictureItem& Item(int index) { return *items_.at(size_t(index)); }
    // The picture of the first item whose name equals `name` ignoring case.
    THTMLPicture* FindPicture(const QString& name) const;
    bool Animate();

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

}  // namespace grid
