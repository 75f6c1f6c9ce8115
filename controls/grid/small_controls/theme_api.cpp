#include "controls/grid/small_controls/theme_api.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionProgressBar>
#include <QWidget>

#include <algorithm>
#include <iterator>

namespace grid {

namespace {

const char* const kClasses[] = {"button", "combobox", "spin", "progress"};
enum { cButton, cComboBox, cSpin, cProgress };

enum class OptionKind { Button, Progress };
enum class DrawKind { Primitive, Control };
constexpr int kNone = -1;

// One part of a theme class and the style's means of drawing and sizing it.
struct PartRow
{
    int themeClass;
    int part;
    OptionKind option;
    DrawKind draw;
    int element;       // QStyle::PrimitiveElement or ControlElement
    int arrow;         // an arrow primitive drawn over it, or none
    bool checkRuns;    // states come in runs of unchecked, checked, mixed
    int widthMetric;   // QStyle::PixelMetric, or none: the contents size
    int heightMetric;  // likewise; a half metric for the spin halves
    bool halfHeight;
    int contentsType;  // QStyle::ContentsType for the size without metrics
    int contentsRect;  // QStyle::SubElement, or none: inset by the frame
};

constexpr PartRow kParts[] = {
    {cButton, 1, OptionKind::Button, DrawKind::Primitive, QStyle::PE_PanelButtonCommand, kNone, false, kNone, kNone,
     false, QStyle::CT_PushButton, QStyle::SE_PushButtonContents},
    {cButton, 2, OptionKind::Button, DrawKind::Primitive, QStyle::PE_IndicatorRadioButton, kNone, true,
     QStyle::PM_ExclusiveIndicatorWidth, QStyle::PM_ExclusiveIndicatorHeight, false, kNone, kNone},
    {cButton, 3, OptionKind::Button, DrawKind::Primitive, QStyle::PE_IndicatorCheckBox, kNone, true,
     QStyle::PM_IndicatorWidth, QStyle::PM_IndicatorHeight, false, kNone, kNone},
    {cComboBox, 1, OptionKind::Button, DrawKind::Primitive, QStyle::PE_PanelButtonTool, QStyle::PE_IndicatorArrowDown,
     false, QStyle::PM_ScrollBarExtent, QStyle::PM_ScrollBarExtent, false, kNone, kNone},
    {cSpin, 1, OptionKind::Button, DrawKind::Primitive, QStyle::PE_PanelButtonCommand, QStyle::PE_IndicatorArrowUp,
     false, QStyle::PM_ScrollBarExtent, QStyle::PM_ScrollBarExtent, true, kNone, kNone},
    {cSpin, 2, OptionKind::Button, DrawKind::Primitive, QStyle::PE_PanelButtonCommand, QStyle::PE_IndicatorArrowDown,
     false, QStyle::PM_ScrollBarExtent, QStyle::PM_ScrollBarExtent, true, kNone, kNone},
    {cProgress, 1, OptionKind::Progress, DrawKind::Control, QStyle::CE_ProgressBarGroove, kNone, false, kNone, kNone,
     false, QStyle::CT_ProgressBar, QStyle::SE_ProgressBarContents},
    {cProgress, 3, OptionKind::Progress, DrawKind::Control, QStyle::CE_ProgressBarContents, kNone, false, kNone,
     kNone, false, QStyle::CT_ProgressBar, kNone},
};

// The four states of a run: normal, hot, pressed, disabled.
constexpr QStyle::State::Int kRunStates[] = {
    QStyle::State_Enabled | QStyle::State_Raised,
    QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_MouseOver,
    QStyle::State_Enabled | QStyle::State_Sunken,
    QStyle::State_Raised,
};
// Check runs: unchecked, checked, mixed.
constexpr QStyle::State::Int kCheckRuns[] = {QStyle::State_Off, QStyle::State_On, QStyle::State_NoChange};

const PartRow* FindPart(const TThemeData* theme, int part)
{
    if (theme == nullptr || theme->Style == nullptr)
        return nullptr;
    const auto row = std::find_if(std::begin(kParts), std::end(kParts),
                                  [&](const PartRow& r) { return r.themeClass == theme->Class && r.part == part; });
    return row == std::end(kParts) ? nullptr : row;
}

QStyle::State StateFlags(const PartRow& row, int state)
{
    const int index = std::max(state, 1) - 1;
    QStyle::State flags(kRunStates[index % 4]);
    if (row.checkRuns)
        flags |= QStyle::State(kCheckRuns[std::min(index / 4, 2)]);
    return flags;
}

// Fills the option of a part; the caller keeps it alive while it is used.
struct PartOption
{
    QStyleOptionButton button;
    QStyleOptionProgressBar progress;

    QStyleOption& Make(const TThemeData& theme, const PartRow& row, int state, const QRect& rect)
    {
        QStyleOption& o = row.option == OptionKind::Progress ? static_cast<QStyleOption&>(progress)
                                                             : static_cast<QStyleOption&>(button);
        if (theme.Widget != nullptr)
            o.initFrom(theme.Widget);
        else
            o.palette = QApplication::palette();
        o.rect = rect;
        o.state = StateFlags(row, state);
        if (row.option == OptionKind::Progress) {
            o.state |= QStyle::State_Horizontal;
            progress.minimum = 0;
            progress.maximum = 100;
            progress.progress = 100;
        } else if (state == 5 && !row.checkRuns) {
            button.features |= QStyleOptionButton::DefaultButton;
        }
        o.palette.setCurrentColorGroup(o.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled);
        return o;
    }
};

} // namespace

bool TThemeApi::IsAppThemed() const
{
    return active_ && QApplication::style() != nullptr;
}

QString TThemeApi::GetCurrentThemeName() const
{
    const QStyle* style = QApplication::style();
    return IsAppThemed() ? style->name() : QString();
}

std::unique_ptr<TThemeData> TThemeApi::OpenThemeData(const QWidget* widget, const QString& classList) const
{
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    if (!active_ || style == nullptr)
        return nullptr;
    for (const QString& name : classList.split(u';')) {
        const QString wanted = name.trimmed();
        for (int i = 0; i < int(std::size(kClasses)); ++i)
            if (wanted.compare(QLatin1String(kClasses[i]), Qt::CaseInsensitive) == 0)
                return std::make_unique<TThemeData>(TThemeData{style, widget, i});
    }
    return nullptr;
}

bool TThemeApi::DrawThemeBackground(const TThemeData* theme, QPainter& painter, int part, int state,
                                    const QRect& rect) const
{
    const PartRow* row = FindPart(theme, part);
    if (row == nullptr || rect.isEmpty())
        return false;
    PartOption options;
    QStyleOption& o = options.Make(*theme, *row, state, rect);
    if (row->draw == DrawKind::Control)
        theme->Style->drawControl(QStyle::ControlElement(row->element), &o, &painter, theme->Widget);
    else
        theme->Style->drawPrimitive(QStyle::PrimitiveElement(row->element), &o, &painter, theme->Widget);
    if (row->arrow != kNone) {
        QStyleOption arrow = o;
        const int side = std::max(1, std::min(rect.width(), rect.height()) / 2);
        arrow.rect = QRect(0, 0, side, side);
        arrow.rect.moveCenter(rect.center());
        if (o.state & QStyle::State_Sunken)
            arrow.rect.translate(1, 1);
        theme->Style->drawPrimitive(QStyle::PrimitiveElement(row->arrow), &arrow, &painter, theme->Widget);
    }
    return true;
}

bool TThemeApi::DrawThemeText(const TThemeData* theme, QPainter& painter, int part, int state, const QString& text,
                              int alignment, const QRect& rect) const
{
    const PartRow* row = FindPart(theme, part);
    if (row == nullptr)
        return false;
    PartOption options;
    const QStyleOption& o = options.Make(*theme, *row, state, rect);
    theme->Style->drawItemText(&painter, rect, alignment, o.palette, bool(o.state & QStyle::State_Enabled), text,
                               QPalette::ButtonText);
    return true;
}

QSize TThemeApi::GetThemePartSize(const TThemeData* theme, int part, int state) const
{
    const PartRow* row = FindPart(theme, part);
    if (row == nullptr)
        return {};
    PartOption options;
    const QStyleOption& o = options.Make(*theme, *row, state, QRect());
    const QStyle* style = theme->Style;
    if (row->widthMetric == kNone)
        return style->sizeFromContents(QStyle::ContentsType(row->contentsType), &o, QSize(0, 0), theme->Widget);
    const int height = style->pixelMetric(QStyle::PixelMetric(row->heightMetric), &o, theme->Widget);
    return {style->pixelMetric(QStyle::PixelMetric(row->widthMetric), &o, theme->Widget),
            row->halfHeight ? height / 2 : height};
}

QRect TThemeApi::GetThemeBackgroundContentRect(const TThemeData* theme, int part, int state,
                                               const QRect& bounds) const
{
    const PartRow* row = FindPart(theme, part);
    if (row == nullptr)
        return bounds;
    PartOption options;
    const QStyleOption& o = options.Make(*theme, *row, state, bounds);
    if (row->contentsRect != kNone)
        return theme->Style->subElementRect(QStyle::SubElement(row->contentsRect), &o, theme->Widget);
    const int frame = theme->Style->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, theme->Widget);
    return bounds.adjusted(frame, frame, -frame, -frame);
}

TThemeApi& ThemeApi()
{
    static TThemeApi api;
    return api;
}

} // namespace grid
