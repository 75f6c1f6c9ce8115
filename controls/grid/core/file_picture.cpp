#include "controls/grid/core/file_picture.h"

#include <QImageReader>

namespace grid {

void TFilePicture::SetFilename(const QString& filename)
{
    QImageReader reader(filename);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        throw GridError(QStringLiteral("Cannot read the picture \"%1\"").arg(filename));
    filename_ = filename;
    width_ = size.width();
    height_ = size.height();
}

QImage TFilePicture::Load() const
{
    if (filename_.isEmpty())
        return {};
    QImageReader reader(filename_);
    return reader.read();
}

void TFilePicture::Assign(const TFilePicture& source)
{
    filename_ = source.filename_;
    width_ = source.width_;
    height_ = source.height_;
}

} // namespace grid
