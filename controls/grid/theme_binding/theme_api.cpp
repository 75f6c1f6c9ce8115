#include "controls/grid/theme_binding/theme_api.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionProgressBar>
#include <QWidget>
#include <qdrawutil.h>

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

// The classic frame controls: a face and the glyph over it.
enum class Face { Button, Box, Circle };
enum class Glyph { None, ArrowDown, ArrowUp, Check, Dot };

struct FrameRow
{
    TFrameControl kind;
    Face face;
    Glyph glyph;
};

constexpr FrameRow kFrames[] = {
    {TFrameControl::ComboScroll, Face::Button, Glyph::ArrowDown},
    {TFrameControl::PushButton, Face::Button, Glyph::None},
    {TFrameControl::ScrollUp, Face::Button, Glyph::ArrowUp},
    {TFrameControl::ScrollDown, Face::Button, Glyph::ArrowDown},
    {TFrameControl::CheckBox, Face::Box, Glyph::Check},
    {TFrameControl::RadioButton, Face::Circle, Glyph::Dot},
};

// The check mark: seven columns three pixels high, each column's top.
constexpr int kCheckTops[] = {2, 3, 4, 3, 2, 1, 0};
// The arrow's rows, widest first (pointing down).
constexpr int kArrowRows[] = {7, 5, 3, 1};

QRect CentredSquare(const QRect& rect)
{
    const int side = std::min(rect.width(), rect.height());
    QRect square(0, 0, side, side);
    square.moveCenter(rect.center());
    return square;
}

void DrawArrow(QPainter& painter, const QRect& rect, bool up, const QColor& color)
{
    const int rows = int(std::size(kArrowRows));
    const int top = rect.top() + (rect.height() - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int width = kArrowRows[up ? rows - 1 - i : i];
        painter.fillRect(QRect(rect.left() + (rect.width() - width) / 2, top + i, width, 1), color);
    }
}

void DrawCheck(QPainter& painter, const QRect& box, const QColor& color)
{
    const int columns = int(std::size(kCheckTops));
    const int left = box.left() + (box.width() - columns) / 2;
    const int top = box.top() + (box.height() - 7) / 2;
    for (int i = 0; i < columns; ++i)
        painter.fillRect(QRect(left + i, top + kCheckTops[i], 1, 3), color);
}

void DrawDot(QPainter& painter, const QRect& box, const QColor& color)
{
    // Four by four with the corners off.
    const QPoint c(box.left() + (box.width() - 4) / 2, box.top() + (box.height() - 4) / 2);
    painter.fillRect(QRect(c.x() + 1, c.y(), 2, 4), color);
    painter.fillRect(QRect(c.x(), c.y() + 1, 4, 2), color);
}

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

void TThemeApi::DrawFrameControl(QPainter& painter, const QRect& rect, TFrameControl kind, unsigned state,
                                 const QWidget* widget) const
{
    const auto row = std::find_if(std::begin(kFrames), std::end(kFrames),
                                  [&](const FrameRow& r) { return r.kind == kind; });
    if (row == std::end(kFrames) || rect.isEmpty())
        return;
    QPalette palette = widget != nullptr ? widget->palette() : QApplication::palette();
    palette.setCurrentColorGroup(QPalette::Active);
    const bool flat = state & fcFlat;
    const bool pushed = state & fcPushed;
    const bool inactive = state & fcInactive;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(rect, Qt::IntersectClip);
    QRect glyph = rect;
    switch (row->face) {
    case Face::Button:
        if (flat)
            qDrawPlainRect(&painter, rect, palette.color(QPalette::Dark), 1, &palette.button());
        else
            qDrawWinButton(&painter, rect, palette, pushed, &palette.button());
        if (pushed)
            glyph.translate(1, 1);
        break;
    case Face::Box: {
        glyph = CentredSquare(rect);
        // Greyed, pushed or inactive boxes show the face colour inside.
        const QBrush& fill = (state & fcGrayed) || pushed || inactive ? palette.button() : palette.base();
        if (flat)
            qDrawPlainRect(&painter, glyph, palette.color(QPalette::Dark), 1, &fill);
        else
            qDrawWinPanel(&painter, glyph, palette, true, &fill);
        break;
    }
    case Face::Circle: {
        glyph = CentredSquare(rect);
        const QRect ring = glyph.adjusted(0, 0, -1, -1);
        const QBrush& fill = pushed || inactive ? palette.button() : palette.base();
        if (flat) {
            painter.setPen(palette.color(QPalette::Dark));
            painter.setBrush(fill);
            painter.drawEllipse(ring);
            break;
        }
        // Sunken: two half rings, shadows above and left, lights below and right.
        painter.setPen(Qt::NoPen);
        constexpr QPalette::ColorRole halves[][2] = {{QPalette::Dark, QPalette::Light},
                                                     {QPalette::Shadow, QPalette::Midlight}};
        for (int i = 0; i < 2; ++i) {
            const QRect r = ring.adjusted(i, i, -i, -i);
            painter.setBrush(palette.color(halves[i][0]));
            painter.drawPie(r, 45 * 16, 180 * 16);
            painter.setBrush(palette.color(halves[i][1]));
            painter.drawPie(r, 225 * 16, 180 * 16);
        }
        painter.setBrush(fill);
        painter.drawEllipse(ring.adjusted(2, 2, -2, -2));
        break;
    }
    }
    const QColor ink = palette.color(row->face == Face::Button ? QPalette::ButtonText : QPalette::Text);
    const QColor grey = palette.color(QPalette::Dark);
    const bool marked = state & (fcChecked | fcGrayed);
    switch (row->glyph) {
    case Glyph::None:
        break;
    case Glyph::ArrowDown:
    case Glyph::ArrowUp: {
        const bool up = row->glyph == Glyph::ArrowUp;
        if (inactive) {
            // Engraved: a light copy below and right of a grey one.
            DrawArrow(painter, glyph.translated(1, 1), up, palette.color(QPalette::Light));
            DrawArrow(painter, glyph, up, grey);
        } else {
            DrawArrow(painter, glyph, up, ink);
        }
        break;
    }
    case Glyph::Check:
        if (marked)
            DrawCheck(painter, glyph, (state & fcGrayed) || inactive ? grey : ink);
        break;
    case Glyph::Dot:
        if (marked)
            DrawDot(painter, glyph, inactive ? grey : ink);
        break;
    }
    painter.restore();
}

void TThemeApi::DrawFocusRect(QPainter& painter, const QRect& rect, const QWidget* widget) const
{
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    if (style == nullptr || rect.isEmpty())
        return;
    QStyleOptionFocusRect option;
    if (widget != nullptr)
        option.initFrom(widget);
    else
        option.palette = QApplication::palette();
    option.rect = rect;
    option.state |= QStyle::State_KeyboardFocusChange;
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

TThemeApi& ThemeApi()
{
    static TThemeApi api;
    return api;
}

} // namespace grid
