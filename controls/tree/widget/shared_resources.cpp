// The shared images and cursors of all trees.

#include "controls/tree/widget/shared_resources.h"

#include "controls/tree/core/tree_errors.h"
#include "controls/tree/widget/image_list.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

#include <array>
#include <memory>

// The pictures live in a static library: their registration must be pulled in by hand.
static void InitTreeImages()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tree_images);
        return true;
    }();
    (void)done;
}

namespace lazytree {

namespace {

const char* StripName(TCheckImageKind kind)
{
    switch (kind) {
    case ckLightCheck:
        return "check_light";
    case ckDarkCheck:
        return "check_dark";
    case ckLightTick:
        return "tick_light";
    case ckDarkTick:
        return "tick_dark";
    case ckFlat:
        return "flat";
    case ckXP:
        return "rounded";
    default:
        return nullptr;
    }
}

// Images 1 .. 20 drawn by the style's check box and radio button indicators, 21 .. 24 taken from a strip
// (centred); image 0 stays empty.
std::unique_ptr<TCustomImageList> BuildSystemCheckImages(QStyle* style, bool flat)
{
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight);
    const int size = std::max({w, h, style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth),
        style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight)});
    auto list = std::make_unique<TCustomImageList>(size, size);
    QImage empty(size, size, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    list->Add(empty);
    for (int i = 0; i < 20; ++i) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        QStyleOptionButton option;
        option.rect = QRect(0, 0, size, size);
        option.state = QStyle::State_Enabled;
        const bool checked = (i >= 4 && i <= 7) || i >= 12;
        if (i >= 16)
            option.state |= QStyle::State_NoChange;
        else
            option.state |= checked ? QStyle::State_On : QStyle::State_Off;
        switch (i % 4) {
        case 1:
            option.state |= QStyle::State_MouseOver;
            break;
        case 2:
            option.state |= QStyle::State_Sunken;
            break;
        case 3:
            option.state &= ~QStyle::State_Enabled;
            break;
        default:
            break;
        }
        if (flat)
            option.features |= QStyleOptionButton::Flat;
        const QStyle::PrimitiveElement element =
            i <= 7 ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
        style->drawPrimitive(element, &option, &p);
        p.end();
        list->Add(image);
    }
    TCustomImageList* source = SharedCheckImages(flat ? ckFlat : ckDarkCheck, style);
    for (int i = 21; i <= 24; ++i) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        const QImage& part = source->Image(i);
        p.drawImage((size - part.width()) / 2, (size - part.height()) / 2, part);
        p.end();
        list->Add(image);
    }
    return list;
}

} // namespace

QImage LoadStripResource(const QString& name)
{
    InitTreeImages();
    QImage image(QStringLiteral(":/lazytree/resources/%1.png").arg(name));
    if (image.height() < 1)
        TreeAssertionFailed("Internal image \"" + name.toStdString() + "\" is missing or corrupt.");
    return image;
}

TCustomImageList* SharedCheckImages(TCheckImageKind kind, QStyle* style)
{
    static std::array<std::unique_ptr<TCustomImageList>, 9> lists;
    if (kind == ckCustom || kind < 0 || kind > ckSystemDefault)
        return nullptr;
    auto& list = lists[static_cast<std::size_t>(kind)];
    if (!list) {
        if (kind == ckSystemDefault || kind == ckSystemFlat) {
            list = BuildSystemCheckImages(style, kind == ckSystemFlat);
        } else {
            list = std::make_unique<TCustomImageList>();
            list->AddStrip(LoadStripResource(QString::fromLatin1(StripName(kind))));
        }
    }
    return list.get();
}

TCustomImageList* UtilityImages()
{
    static std::unique_ptr<TCustomImageList> list;
    if (!list) {
        list = std::make_unique<TCustomImageList>();
        list->AddStrip(LoadStripResource(QStringLiteral("utilities")));
    }
    return list.get();
}

QImage PanningImage(TPanningImage image)
{
    switch (image) {
    case piMoveAll:
        return LoadStripResource(QStringLiteral("pan_all"));
    case piMoveEW:
        return LoadStripResource(QStringLiteral("pan_ew"));
    case piMoveNS:
        break;
    }
    return LoadStripResource(QStringLiteral("pan_ns"));
}

QCursor PanningCursor(TPanningCursor cursor)
{
    static const char* const kNames[] = {
        "move_all", "move_ew", "move_ns", "move_n", "move_s", "move_e", "move_w", "move_ne", "move_nw", "move_se",
        "move_sw"};
    const QImage image = LoadStripResource(QString::fromLatin1(kNames[cursor]));
    return QCursor(QPixmap::fromImage(image), image.width() / 2, image.height() / 2);
}

QImage ShadedButtonImage(bool plus)
{
    return LoadStripResource(plus ? QStringLiteral("rounded_button_plus") : QStringLiteral("rounded_button_minus"));
}

} // namespace lazytree
