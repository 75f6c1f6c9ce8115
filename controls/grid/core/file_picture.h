#pragma once
#include "controls/grid/core/cell_graphic.h"

#include <QImage>
#include <QString>

namespace grid {

// A picture named by a file: the size is taken when the name is set, the
// picture itself is read again at every draw.
class TFilePicture : public TSizedPicture
{
public:
    QString Filename() const { return filename_; }
    // Reads the file to learn its size; a file that is no picture raises
    // GridError and leaves the picture as it was.
    void SetFilename(const QString& filename);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // The picture as the file holds it now; a null image for an empty name
    // or an unreadable file.
    QImage Load() const;
    void Assign(const TFilePicture& source);

private:
    QString filename_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace grid
