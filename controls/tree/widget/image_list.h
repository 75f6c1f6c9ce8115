#pragma once

// A list of images of one size (the platform's image list): the node images, state images and check images
// the tree paints from. A tree that uses a list hears of its changes and of its end.

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <functional>
#include <map>
#include <vector>

class QPainter;

namespace lazytree {

class TCustomImageList {
public:
    TCustomImageList(int width = 16, int height = 16);
    ~TCustomImageList();
    TCustomImageList(const TCustomImageList&) = delete;
    TCustomImageList& operator=(const TCustomImageList&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds an image scaled to the list's size; answers its index.
    int Add(const QImage& image);
    // Adds the images of a row strip: square images as high as the strip, each masked with the colour of
    // the strip's top-left pixel. The list takes the strip's height as its size. Answers the number added.
    int AddStrip(const QImage& strip);
    void Clear();
    const QImage& Image(int index) const { return images_[static_cast<std::size_t>(index)]; }

    // Draws image `index` with its top-left at (x, y); a disabled image is drawn desaturated. `blend`, when
    // valid, is mixed in at half strength (a selected or ghosted look).
    void Draw(QPainter& painter, int x, int y, int index, bool enabled = true, QColor blend = QColor()) const;

    // Change links: called with false whenever the list's images change and with true when the list goes
    // away (the user forgets it then). Answers a token for RemoveChangeLink.
    int AddChangeLink(std::function<void(bool destroyed)> link);
    void RemoveChangeLink(int token);

private:
    void Changed();

    int width_;
    int height_;
    std::vector<QImage> images_;
    std::map<int, std::function<void(bool)>> links_;
    int nextLink_ = 1;
};

} // namespace lazytree
