#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QFont;
class QPainter;

namespace platform {
struct FormatSettings;
}

// The shared drawing and text routines of the drop-down family: gradient
// bands, colour arithmetic, text kinds and hex values, text truncation.
namespace dropdown {

// One band of a stepwise gradient: rect (right and bottom exclusive) in color.
struct GradientBand
{
    QRect Rect;
    TColor Color = 0;
};

// The bands DrawGradient paints: steps 0 counts as 1; band i starts at
// round(i·d), d = (extent - 1) / steps, and is round(d) + 1 wide, so it
// overlaps the next by one pixel and, when d rounds down, the last pixel line
// stays unpainted. Colours are resolved to RGB first.
std::vector<GradientBand> GradientBands(TColor from, TColor to, int steps, const QRect& rect, bool horizontal);
void DrawGradient(QPainter& painter, TColor from, TColor to, int steps, const QRect& rect, bool horizontal);

// percent >= 100: color1; <= 0: color2; else each channel p·c1 + (1-p)·c2.
TColor BlendColor(TColor color1, TColor color2, int percent);
// A non-zero channel times min(100, 100 + percent) / 100; a zero channel
// becomes max(0, percent).
TColor ShadeColor(TColor color, int percentR, int percentG, int percentB);

// Fill (80-step gradient when colorTo is set, else solid color) and a frame
// of borderWidth in borderColor.
void DrawRectangle(QPainter& painter, const QRect& rect, TColor color, TColor colorTo, TColor borderColor,
                   int borderWidth, TGradientDirection direction);

// An image of images (when imageIndex >= 0) at rect.left + 4, vertically
// centred, and text as one vertically centred line with an end ellipsis after
// it, starting image width + 8 further right; without an image the text is
// centred. Font and colour are the painter's.
void DrawImageText(QPainter& painter, const QRect& rect, const QString& text, const QList<QPixmap>* images,
                   int imageIndex);
// bitmap with the colour of its top-left pixel replaced by color.
QImage TransparentBitmap(const QImage& bitmap, TColor color);
// That copy, drawn into rect.
void DrawTransparentBitmap(QPainter& painter, const QImage& bitmap, TColor color, const QRect& rect);
// Mini-HTML text in the painter's font and pen colour, links blue, pictures
// from images: drawn into rect when draw, else only measured. The size it
// needs; (0, 0) for an empty text.
QSize HtmlDraw(QPainter& painter, const QString& text, const QRect& rect, bool draw, const QList<QPixmap>* images);

bool IsRangeSeparator(QChar ch);
// The kind of a text under the given separators (numeric, float, hex, string).
TTextKind ClassifyText(const QString& text, const platform::FormatSettings& format);
TTextKind ClassifyText(const QString& text);
QString StripThousandSeparators(const QString& text);
int HexDigitValue(QChar ch);
// The hex digits' value; at most eight digits count (the entry refuses a
// ninth), more are cut from the left.
quint32 HexToInt(const QString& text);
QString CaseText(const QString& text, bool caseSensitive);

// What text routines measure with.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    virtual QSize Extent(const QString& text) = 0;
};

class FontTextMeasure : public TextMeasure
{
public:
    explicit FontTextMeasure(const QFont& font);
    ~FontTextMeasure() override;
    QSize Extent(const QString& text) override;

private:
    struct Metrics;
    Metrics* m_;
};

// (0, 0) for an empty text, else the single-line extent.
QSize GetTextSize(TextMeasure& measure, const QString& text);
// text when it fits in maxWidth; else the longest head (with "..." when
// ellipsis) narrower than maxWidth; text again when none is.
QString TruncateText(TextMeasure& measure, const QString& text, int maxWidth, bool ellipsis);

}  // namespace dropdown
