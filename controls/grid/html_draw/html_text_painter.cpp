#include "controls/grid/html_draw/html_text_painter.h"

#include "controls/grid/html_draw/html_colors.h"
#include "controls/grid/pictures/picture_container.h"
#include "controls/grid/theme_binding/theme_api.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>

namespace grid::html {

namespace {

constexpr size_t kCachedFonts = 16;

void DrawTextItem(QPainter& painter, const HtmlItem& item, FontMetricsMeasurer& measurer)
{
    const QColor color = ToQColor(item.Color);
    const QColor background = ToQColor(item.Background);
    const QFontMetrics& fm = measurer.Metrics(item.Font);
    QString text = item.Text;
    if (item.ElideWidth >= 0 && fm.horizontalAdvance(text) > item.ElideWidth)
        text = fm.elidedText(text, Qt::ElideRight, item.ElideWidth);
    if (background.isValid())
        painter.fillRect(QRect(item.Rect.topLeft(), QSize(fm.horizontalAdvance(text), item.Rect.height())),
                         background);
    if (!color.isValid())
        return;  // invisible (blinking) text
    painter.setFont(ToQFont(item.Font));
    const int baseline = item.Rect.y() + item.Rect.height() - fm.descent();
    auto draw = [&](int dx, const QColor& c) {
        painter.setPen(c);
        if (item.Font.Escapement != 0) {
            painter.save();
            painter.translate(item.Rect.x() + dx, baseline + dx);
            painter.rotate(-item.Font.Escapement / 10.0);
            painter.drawText(QPoint(0, 0), text);
            painter.restore();
        } else {
            painter.drawText(QPoint(item.Rect.x() + dx, baseline + dx), text);
        }
        for (const int i : item.Mnemonics) {
            if (i >= text.size())
                continue;
            const int x = item.Rect.x() + dx + fm.horizontalAdvance(text.left(i));
            const int y = baseline + dx + fm.underlinePos();
            painter.drawLine(x, y, x + fm.horizontalAdvance(text.at(i)) - 1, y);
        }
    };
    if (item.Shadow)
        draw(item.ShadowOffset, ToQColor(item.ShadowColor));
    draw(0, color);
}

// What an in-text control shows besides its glyph.
enum class ControlBody { GlyphOnly, Caption, EditBox };

// The glyph of each in-text control type: its theme class and part, and the
// classic frame control drawn with themes out of use. Types not listed are
// edit boxes without a glyph.
struct ControlGlyph
{
    const char* type;
    const char* themeClass;
    int part;
    TFrameControl classic;
    unsigned classicFlags;
    ControlBody body;  // an edit box puts the glyph on its drop button
};

constexpr ControlGlyph kControlGlyphs[] = {
    {"CHECK", "button", 3, TFrameControl::CheckBox, fcFlat, ControlBody::GlyphOnly},
    {"RADIO", "button", 2, TFrameControl::RadioButton, fcFlat, ControlBody::GlyphOnly},
    {"BUTTON", "button", 1, TFrameControl::PushButton, 0u, ControlBody::Caption},
    {"COMBO", "combobox", 1, TFrameControl::ComboScroll, 0u, ControlBody::EditBox},
};

const ControlGlyph* FindGlyph(const QString& type)
{
    for (const ControlGlyph& g : kControlGlyphs) {
        if (type == QLatin1String(g.type))
            return &g;
    }
    return nullptr;
}

// Themed: checked 5, pressed 3, hot 2, else 1. Classic: checked or pushed.
void DrawGlyph(QPainter& painter, const ControlGlyph& g, const HtmlControlItem& c, bool themed,
               const QWidget* window)
{
    const QRect rect = g.body == ControlBody::EditBox ? c.ButtonRect : c.Box;
    const TThemeApi& themes = ThemeApi();
    if (themed) {
        if (auto theme = themes.OpenThemeData(window, QLatin1String(g.themeClass))) {
            const int state = c.Checked ? 5 : c.Pressed ? 3 : c.Hot ? 2 : 1;
            themes.DrawThemeBackground(theme.get(), painter, g.part, state, rect);
            themes.CloseThemeData(theme);
            return;
        }
    }
    const unsigned flags =
        g.classicFlags | (c.Checked ? unsigned(fcChecked) : 0u) | (c.Pressed ? unsigned(fcPushed) : 0u);
    themes.DrawFrameControl(painter, rect, g.classic, flags, window);
}

void DrawControl(QPainter& painter, const HtmlItem& item, FontMetricsMeasurer& measurer, bool themed,
                 const QWidget* window)
{
    const HtmlControlItem& c = item.Control;
    const ControlGlyph* glyph = FindGlyph(c.Type);
    const ControlBody body = glyph != nullptr ? glyph->body : ControlBody::EditBox;
    painter.setFont(ToQFont(item.Font));
    const QColor textColor = ToQColor(item.Color).isValid() ? ToQColor(item.Color) : QColor(Qt::black);
    if (body == ControlBody::EditBox) {
        // A white box with the value.
        painter.setPen(ToQColor(c.Pen));
        painter.setBrush(Qt::white);
        painter.drawRect(c.Box.adjusted(0, 0, -1, -1));
        painter.setPen(textColor);
        const QFontMetrics& fm = measurer.Metrics(item.Font);
        painter.drawText(c.TextRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         fm.elidedText(item.Text, Qt::ElideNone, c.TextRect.width()));
    }
    if (glyph != nullptr)
        DrawGlyph(painter, *glyph, c, themed, window);
    if (body == ControlBody::Caption) {
        painter.setPen(textColor);
        painter.drawText(c.Pressed ? c.TextRect.translated(1, 1) : c.TextRect, Qt::AlignCenter | Qt::TextSingleLine,
                         item.Text);
    }
}

}  // namespace

HtmlFont ToHtmlFont(const QFont& font, TColor color)
{
    HtmlFont f;
    f.Name = font.family();
    f.Size = font.pointSize() > 0 ? font.pointSize() : qMax(1, qRound(font.pixelSize() * 72.0 / 96.0));
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.StrikeOut = font.strikeOut();
    f.Color = color;
    return f;
}

QFont ToQFont(const HtmlFont& font)
{
    QFont f(font.Name);
    // Runs are placed one by one, as measured: no kerning across them, and
    // none inside them either, so widths add up.
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSize(qMax(1, font.Size));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

// Advances of the characters below kFastChars are summed; others shape.
constexpr char16_t kFastChars = 0x300;

struct FontMetricsMeasurer::Cache
{
    struct Entry
    {
        QString Name;
        int Size = 0;
        bool Bold = false;
        bool Italic = false;
        QFontMetrics Metrics;
        QFontMetricsF MetricsF;
        std::vector<float> Advances;  // negative: not measured yet
    };
    std::vector<std::unique_ptr<Entry>> Entries;
    size_t Next = 0;

    Entry& Find(const HtmlFont& font, const QPaintDevice* device)
    {
        for (const auto& e : Entries) {
            if (e->Size == font.Size && e->Bold == font.Bold && e->Italic == font.Italic && e->Name == font.Name)
                return *e;
        }
        HtmlFont plain = font;
        plain.Underline = plain.StrikeOut = false;
        const QFont qfont = ToQFont(plain);
        auto entry = std::unique_ptr<Entry>(new Entry{
            font.Name, font.Size, font.Bold, font.Italic,
            device ? QFontMetrics(qfont, device) : QFontMetrics(qfont),
            device ? QFontMetricsF(qfont, device) : QFontMetricsF(qfont),
            std::vector<float>(kFastChars, -1.0f)});
        if (Entries.size() < kCachedFonts) {
            Entries.push_back(std::move(entry));
            return *Entries.back();
        }
        Entries[Next] = std::move(entry);
        Entry& e = *Entries[Next];
        Next = (Next + 1) % kCachedFonts;
        return e;
    }
};

namespace {

FontMetricsMeasurer::Cache& ScreenCache()
{
    // GUI thread only; kept to the end, as fonts must not go after the application.
    static auto* cache = new FontMetricsMeasurer::Cache;
    return *cache;
}

}  // namespace

FontMetricsMeasurer::FontMetricsMeasurer(const QPaintDevice* device) : device_(device)
{
    if (device_ && device_->devType() != QInternal::Widget && device_->devType() != QInternal::Image
        && device_->devType() != QInternal::Pixmap) {
        own_ = std::make_unique<Cache>();
        cache_ = own_.get();
    } else {
        device_ = nullptr;
        cache_ = &ScreenCache();
    }
}

FontMetricsMeasurer::~FontMetricsMeasurer() = default;

const QFontMetrics& FontMetricsMeasurer::Metrics(const HtmlFont& font)
{
    return cache_->Find(font, device_).Metrics;
}

QSize FontMetricsMeasurer::TextExtent(const HtmlFont& font, QStringView text)
{
    Cache::Entry& e = cache_->Find(font, device_);
    double width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= kFastChars || u == '\t') {
            const QString s = text.toString();
            const int w = u == '\t' ? e.Metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, s).width()
                                    : e.Metrics.horizontalAdvance(s);
            return QSize(w, e.Metrics.height());
        }
        float& advance = e.Advances[u];
        if (advance < 0)
            advance = float(e.MetricsF.horizontalAdvance(c));
        width += advance;
    }
    return QSize(qRound(width), e.Metrics.height());
}

HtmlPictures::HtmlPictures() = default;
HtmlPictures::~HtmlPictures() = default;

QPixmap HtmlPictures::Icon(HtmlPictureKind kind, const QString& path)
{
    const int side = kind == HtmlPictureKind::SmallSystemIcon ? 16 : 32;
    if (!icons_)
        icons_ = std::make_unique<QFileIconProvider>();
    const QFileInfo info(path);
    QIcon icon = icons_->icon(info);
    if (icon.isNull() && QApplication::style())
        icon = QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    return icon.pixmap(side, side);
}

std::optional<HtmlPictureInfo> HtmlPictures::Picture(HtmlPictureKind kind, const QString& name)
{
    HtmlPictureInfo info;
    switch (kind) {
    case HtmlPictureKind::ImageList: {
        bool ok = false;
        const int n = name.toInt(&ok);
        if (!Images || !ok || n < 0 || n >= Images->size() || Images->at(n).isNull())
            return std::nullopt;
        info.Size = info.MaxSize = Images->at(n).deviceIndependentSize().toSize();
        return info;
    }
    case HtmlPictureKind::SmallSystemIcon:
    case HtmlPictureKind::LargeSystemIcon: {
        const int side = kind == HtmlPictureKind::SmallSystemIcon ? 16 : 32;
        if (Icon(kind, name).isNull())
            return std::nullopt;
        info.Size = info.MaxSize = QSize(side, side);
        return info;
    }
    case HtmlPictureKind::Container:
    case HtmlPictureKind::Cache: {
        THTMLPicture* p = nullptr;
        if (kind == HtmlPictureKind::Container) {
            p = Container ? Container->FindPicture(name) : nullptr;
        } else if (Cache) {
            p = Cache->FindPicture(name);
            if (!p) {
                p = Cache->AddPicture();
                p->Asynch = false;
                p->LoadFromURL(name);
            }
        }
        if (!p || p->Empty())
            return std::nullopt;
        info.Size = QSize(p->Width(), p->Height());
        info.FrameOffset = QPoint(p->FrameXPos(), p->FrameYPos());
        info.MaxSize = QSize(p->MaxWidth(), p->MaxHeight());
        info.FrameCount = std::max(1, p->FrameCount());
        return info;
    }
    }
    return std::nullopt;
}

void HtmlPictures::Draw(QPainter& painter, HtmlPictureKind kind, const QString& name, const QRect& rect, bool stretch)
{
    switch (kind) {
    case HtmlPictureKind::ImageList: {
        const int n = name.toInt();
        if (Images && n >= 0 && n < Images->size())
            painter.drawPixmap(rect, Images->at(n));
        return;
    }
    case HtmlPictureKind::SmallSystemIcon:
    case HtmlPictureKind::LargeSystemIcon:
        painter.drawPixmap(rect, Icon(kind, name));
        return;
    case HtmlPictureKind::Container:
    case HtmlPictureKind::Cache: {
        THTMLPicture* p = kind == HtmlPictureKind::Container ? (Container ? Container->FindPicture(name) : nullptr)
                                                             : (Cache ? Cache->FindPicture(name) : nullptr);
        if (!p || p->Empty())
            return;
        if (stretch)
            painter.drawImage(rect, p->Image());
        else
            painter.drawImage(rect.topLeft(), p->Image());
        return;
    }
    }
}

void PaintHtmlLayout(QPainter& painter, const HtmlLayout& layout, FontMetricsMeasurer& measurer,
                     HtmlPictures* pictures, bool themesInUse, const QWidget* themeWindow)
{
    painter.save();
    for (const HtmlItem& item : layout.Items) {
        switch (item.Kind) {
        case HtmlItemKind::Text:
            DrawTextItem(painter, item, measurer);
            break;
        case HtmlItemKind::Fill:
            painter.fillRect(item.Rect, ToQColor(item.Color));
            break;
        case HtmlItemKind::Line:
            painter.setPen(QPen(ToQColor(item.Color), 0));
            painter.drawLine(item.Rect.left(), item.Rect.top(), item.Rect.right(), item.Rect.top());
            break;
        case HtmlItemKind::ZigZag:
            painter.setPen(QPen(ToQColor(item.Color), 0));
            for (size_t i = 1; i < item.Points.size(); ++i)
                painter.drawLine(item.Points[i - 1], item.Points[i]);
            break;
        case HtmlItemKind::FocusRect:
            ThemeApi().DrawFocusRect(painter, item.Rect, themeWindow);
            break;
        case HtmlItemKind::Picture:
            if (pictures)
                pictures->Draw(painter, item.Picture, item.Text, item.Rect, item.Stretch);
            break;
        case HtmlItemKind::TiledPicture: {
            if (!pictures)
                break;
            const auto info = pictures->Picture(item.Picture, item.Text);
            if (!info || info->Size.isEmpty())
                break;
            painter.save();
            painter.setClipRect(item.Rect, Qt::IntersectClip);
            for (int y = item.Rect.top(); y <= item.Rect.bottom(); y += info->Size.height()) {
                for (int x = item.Rect.left(); x <= item.Rect.right(); x += info->Size.width())
                    pictures->Draw(painter, item.Picture, item.Text, QRect(QPoint(x, y), info->Size), false);
            }
            painter.restore();
            break;
        }
        case HtmlItemKind::Control:
            painter.save();
            DrawControl(painter, item, measurer, themesInUse, themeWindow);
            painter.restore();
            break;
        }
    }
    painter.restore();
}

HtmlLayout DrawHtmlText(QPainter& painter, const HtmlLayoutInput& in, HtmlPictures* pictures,
                        const QWidget* themeWindow)
{
    FontMetricsMeasurer measurer(painter.device());
    // Themes are in use only while the binding's switch says so too.
    HtmlLayoutInput input = in;
    input.ThemesInUse = in.ThemesInUse && ThemeApi().IsAppThemed();
    HtmlLayout layout = LayoutHtmlText(input, measurer, pictures);
    if (!layout.Items.empty())
        PaintHtmlLayout(painter, layout, measurer, pictures, input.ThemesInUse, themeWindow);
    return layout;
}

}  // namespace grid::html
