#pragma once
#include "controls/grid/html/mini_html_layout.h"

#include <map>

// Every character 7 pixels wide; a line is the point size + 5 high (13 at 8 pt).
class FakeMeasurer : public grid::html::HtmlMeasurer
{
public:
    QSize TextExtent(const grid::html::HtmlFont& font, QStringView text) override
    {
        ++calls;
        return QSize(int(text.size()) * 7, font.Size + 5);
    }
    int calls = 0;
};

// Pictures by kind and name with fixed sizes.
class FakePictures : public grid::html::HtmlPictureSource
{
public:
    std::optional<grid::html::HtmlPictureInfo> Picture(grid::html::HtmlPictureKind kind,
                                                       const QString& name) override
    {
        const auto it = pictures.find({int(kind), name});
        if (it == pictures.end())
            return std::nullopt;
        return it->second;
    }
    void Add(grid::html::HtmlPictureKind kind, const QString& name, QSize size)
    {
        grid::html::HtmlPictureInfo info;
        info.Size = size;
        info.MaxSize = size;
        pictures[{int(kind), name}] = info;
    }
    std::map<std::pair<int, QString>, grid::html::HtmlPictureInfo> pictures;
};
