#include "controls/dropdown/drawing_routines.h"

#include "controls/grid/html_draw/html_text_painter.h"
#include "platform/text/format_settings.h"
#include "platform/text/system_colors.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dropdown {

namespace {

int Red(TColor c) { return int(c & 0xFF); }
int Green(TColor c) { return int((c >> 8) & 0xFF); }
int Blue(TColor c) { return int((c >> 16) & 0xFF); }
TColor Rgb(int r, int g, int b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }
// Halves to even, as drawing geometry rounds.
int RoundEven(double v) { return int(std::nearbyint(v)); }

QColor ToQt(TColor c)
{
    c = platform::ColorToRGB(c);
    return QColor(Red(c), Green(c), Blue(c));
}

}  // namespace

std::vector<GradientBand> GradientBands(TColor from, TColor to, int steps, const QRect& rect, bool horizontal)
{
    if (steps <= 0)
        steps = 1;
    from = platform::ColorToRGB(from);
    to = platform::ColorToRGB(to);
    const int left = rect.left(), top = rect.top();
    const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    const double span = horizontal ? (right - 1) - left : (bottom - 1) - top;
    const double d = span / steps;
    std::vector<GradientBand> bands;
    bands.reserve(size_t(steps));
    for (int i = 0; i < steps; ++i) {
        auto channel = [&](int f, int t) { return f + RoundEven(double(i) * (t - f) / steps); };
        const TColor color = Rgb(channel(Red(from), Red(to)), channel(Green(from), Green(to)),
                                 channel(Blue(from), Blue(to)));
        const int start = RoundEven(i * d), length = RoundEven(d) + 1;
        const QRect band = horizontal ? QRect(left + start, top, length, bottom - top)
                                      : QRect(left, top + start, right - left, length);
        bands.push_back({band, color});
    }
    return bands;
}

void DrawGradient(QPainter& painter, TColor from, TColor to, int steps, const QRect& rect, bool horizontal)
{
    for (const GradientBand& band : GradientBands(from, to, steps, rect, horizontal))
        painter.fillRect(band.Rect, ToQt(band.Color));
}

TColor BlendColor(TColor color1, TColor color2, int percent)
{
    if (percent >= 100)
        return color1;
    if (percent <= 0)
        return color2;
    color1 = platform::ColorToRGB(color1);
    color2 = platform::ColorToRGB(color2);
    const double p = percent / 100.0;
    auto mix = [p](int a, int b) { return RoundEven(p * a + (1 - p) * b); };
    return Rgb(mix(Red(color1), Red(color2)), mix(Green(color1), Green(color2)), mix(Blue(color1), Blue(color2)));
}

TColor ShadeColor(TColor color, int percentR, int percentG, int percentB)
{
    color = platform::ColorToRGB(color);
    auto shade = [](int channel, int percent) {
        if (channel == 0)
            return std::max(0, percent);
        return std::clamp(RoundEven(std::min(100, 100 + percent) / 100.0 * channel), 0, 255);
    };
    return Rgb(shade(Red(color), percentR), shade(Green(color), percentG), shade(Blue(color), percentB));
}

void DrawRectangle(QPainter& painter, const QRect& rect, TColor color, TColor colorTo, TColor borderColor,
                   int borderWidth, TGradientDirection direction)
{
    if (colorTo != clNone)
        DrawGradient(painter, color, colorTo, 80, rect, direction == gdHorizontal);
    else if (color != clNone)
        painter.fillRect(rect, ToQt(color));
    if (borderColor != clNone && borderWidth > 0) {
        painter.save();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ToQt(borderColor), borderWidth));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

void DrawImageText(QPainter& painter, const QRect& rect, const QString& text, const QList<QPixmap>* images,
                   int imageIndex)
{
    QRect r = rect;
    bool image = false;
    if (images && imageIndex >= 0 && imageIndex < images->size()) {
        const QPixmap& pixmap = (*images)[imageIndex];
        painter.drawPixmap(r.left() + 4, r.top() + (r.height() - pixmap.height()) / 2, pixmap);
        r.setLeft(r.left() + pixmap.width() + 8);
        image = true;
    }
    if (text.isEmpty())
        return;
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, r.width());
    const Qt::Alignment h = image ? Qt::AlignLeft : Qt::AlignHCenter;
    painter.drawText(r, int(h | Qt::AlignVCenter | Qt::TextSingleLine), shown);
}

QImage TransparentBitmap(const QImage& bitmap, TColor color)
{
    QImage copy = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (copy.isNull())
        return copy;
    const QRgb key = copy.pixel(0, 0);
    const QRgb replacement = ToQt(color).rgb();
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if (line[x] == key)
                line[x] = replacement;
    }
    return copy;
}

void DrawTransparentBitmap(QPainter& painter, const QImage& bitmap, TColor color, const QRect& rect)
{
    if (bitmap.isNull())
        return;
    painter.drawImage(rect, TransparentBitmap(bitmap, color));
}

QSize HtmlDraw(QPainter& painter, const QString& text, const QRect& rect, bool draw, const QList<QPixmap>* images)
{
    if (text.isEmpty())
        return QSize(0, 0);
    grid::html::HtmlPictures pictures;
    pictures.Images = images;
    grid::html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = rect;
    const QColor pen = painter.pen().color();
    in.Font = grid::html::ToHtmlFont(painter.font(), Rgb(pen.red(), pen.green(), pen.blue()));
    in.LinkColor = 0xFF0000;
    in.MeasureOnly = !draw;
    const grid::html::HtmlLayout layout = grid::html::DrawHtmlText(painter, in, &pictures);
    return QSize(layout.ExtentX, layout.ExtentY);
}

bool IsRangeSeparator(QChar ch)
{
    return ch == u',' || ch == u'-' || ch == u';';
}

TTextKind ClassifyText(const QString& text, const platform::FormatSettings& format)
{
    if (text.isEmpty() || text.count(u'-') > 1 || text.count(format.DecimalSeparator) > 1)
        return tkString;
    auto all = [&](auto pass) { return std::all_of(text.begin(), text.end(), pass); };
    if (all([](QChar c) { return c == u'-' || (c >= u'0' && c <= u'9'); }))
        return tkNumeric;
    bool floatChars = all([](QChar c) { return c == u',' || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9'); });
    if (floatChars) {
        int previous = 0;
        for (int i = 0; i < text.size() && floatChars; ++i) {
            if (text[i] != format.ThousandSeparator)
                continue;
            const int pos = i + 1;
            if (pos == 1 || (previous > 0 && pos - previous < 3))
                floatChars = false;
            previous = pos;
        }
        if (floatChars)
            return tkFloat;
    }
    if (all([](QChar c) {
            return c == u'-' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        }))
        return tkHex;
    return tkString;
}

TTextKind ClassifyText(const QString& text)
{
    return ClassifyText(text, platform::FormatSettings::Current());
}

QString StripThousandSeparators(const QString& text)
{
    QString s = text;
    s.remove(platform::FormatSettings::Current().ThousandSeparator);
    return s;
}

int HexDigitValue(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return 0;
}

quint32 HexToInt(const QString& text)
{
    quint32 value = 0;
    for (QChar ch : text.right(8))
        value = value * 16 + quint32(HexDigitValue(ch));
    return value;
}

QString CaseText(const QString& text, bool caseSensitive)
{
    return caseSensitive ? text : QLocale().toUpper(text);
}

struct FontTextMeasure::Metrics
{
    QFontMetrics metrics;
};

FontTextMeasure::FontTextMeasure(const QFont& font) : m_(new Metrics{QFontMetrics(font)}) {}
FontTextMeasure::~FontTextMeasure() { delete m_; }

QSize FontTextMeasure::Extent(const QString& text)
{
    return QSize(m_->metrics.horizontalAdvance(text), m_->metrics.height());
}

QSize GetTextSize(TextMeasure& measure, const QString& text)
{
    return text.isEmpty() ? QSize(0, 0) : measure.Extent(text);
}

QString TruncateText(TextMeasure& measure, const QString& text, int maxWidth, bool ellipsis)
{
    if (measure.Extent(text).width() <= maxWidth)
        return text;
    for (int i = 1; i < text.size(); ++i) {
        QString candidate = text.left(text.size() - i);
        if (ellipsis)
            candidate += QStringLiteral("...");
        if (measure.Extent(candidate).width() < maxWidth)
            return candidate;
    }
    return text;
}

}  // namespace dropdown
