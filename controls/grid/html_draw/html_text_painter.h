#pragma once
#include "controls/grid/html/mini_html_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPixmap>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QFileIconProvider;
class QWidget;

namespace grid {
class TPictureContainer;
class THTMLPictureCache;
}

// Mini-HTML text on a QPainter: the measurer on QFontMetrics, the pictures of
// the grid's stores and the drawing of a layout's items.
namespace grid::html {

HtmlFont ToHtmlFont(const QFont& font, TColor color);
QFont ToQFont(const HtmlFont& font);

// QFontMetrics per font state. Fonts are used without kerning (as runs are
// placed one by one), so a run's width is the sum of its characters'
// advances, which are kept per font; the screen's are shared by every
// measurer of the GUI thread.
class FontMetricsMeasurer : public HtmlMeasurer
{
public:
    explicit FontMetricsMeasurer(const QPaintDevice* device = nullptr);
    ~FontMetricsMeasurer() override;
    QSize TextExtent(const HtmlFont& font, QStringView text) override;
    const QFontMetrics& Metrics(const HtmlFont& font);

    struct Cache;

private:
    const QPaintDevice* device_;
    std::unique_ptr<Cache> own_;  // for a device other than the screen
    Cache* cache_;
};

// The pictures IMG and BODY tags name: an image list ("IDX:n"), file icons
// ("SSYS:", "LSYS:"), the picture container and the URL cache, which gets a
// picture for each new URL ("RES://" and "FILE://" load at once).
class HtmlPictures : public HtmlPictureSource
{
public:
    HtmlPictures();
    ~HtmlPictures() override;
    const QList<QPixmap>* Images = nullptr;
    TPictureContainer* Container = nullptr;
    THTMLPictureCache* Cache = nullptr;

    std::optional<HtmlPictureInfo> Picture(HtmlPictureKind kind, const QString& name) override;
    void Draw(QPainter& painter, HtmlPictureKind kind, const QString& name, const QRect& rect, bool stretch);

private:
    QPixmap Icon(HtmlPictureKind kind, const QString& path);
    std::unique_ptr<QFileIconProvider> icons_;
};

// Draws the items of a layout in order; pen, brush and font are restored.
// Control glyphs go through the theme binding: themed parts of themeWindow's
// style (the application's without one) while themes are in use, else the
// classic frame controls.
void PaintHtmlLayout(QPainter& painter, const HtmlLayout& layout, FontMetricsMeasurer& measurer,
                     HtmlPictures* pictures, bool themesInUse, const QWidget* themeWindow = nullptr);

// DrawHtmlText on a painter: lays the text out with the painter's metrics and,
// unless measuring or hit-testing only, draws it. Themes are in use when the
// input asks for them and the binding's switch is on.
HtmlLayout DrawHtmlText(QPainter& painter, const HtmlLayoutInput& in, HtmlPictures* pictures,
                        const QWidget* themeWindow = nullptr);

}  // namespace grid::html
