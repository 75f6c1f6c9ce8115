#pragma once
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;
class QStyle;
class QWidget;

namespace grid {

// The classic frame controls, drawn whatever the switch says.
enum class TFrameControl { ComboScroll, PushButton, ScrollUp, ScrollDown, CheckBox, RadioButton };
// Their states, combined. Hot has no classic look of its own.
enum TFrameState : unsigned { fcHot = 1, fcPushed = 2, fcInactive = 4, fcFlat = 8, fcChecked = 16, fcGrayed = 32 };

// An open theme class: the style it draws with and the widget drawn for.
struct TThemeData
{
    const QStyle* Style = nullptr;
    const QWidget* Widget = nullptr;
    int Class = -1;
};

// Themed parts of controls drawn by the application's QStyle, behind the one
// "themes in use" switch. Class names and the numbers of parts and states
// are those of the grid's canvas:
//   "button"   1 push button (states 1 normal, 2 hot, 3 pressed, 4 disabled,
//              5 default), 2 radio button, 3 check box (states 1..4
//              unchecked, 5..8 checked, 9..12 mixed: normal, hot, pressed,
//              disabled in each run);
//   "combobox" 1 drop-down button; "spin" 1 up, 2 down (states 1..4);
//   "progress" 1 bar, 3 chunk.
// With themes out of use nothing opens, and callers draw the classic frame
// controls, in the palette's colours (the widget's, else the application's).
class TThemeApi
{
public:
    bool IsThemeActive() const { return active_; }
    void SetThemeActive(bool active) { active_ = active; }
    // Themes in use and a style to draw with.
    bool IsAppThemed() const;
    QString GetCurrentThemeName() const;

    // The first known class of a ";"-separated list, drawn with the widget's
    // style (the application's without one); null when themes are out of use
    // or no class is known.
    std::unique_ptr<TThemeData> OpenThemeData(const QWidget* widget, const QString& classList) const;
    void CloseThemeData(std::unique_ptr<TThemeData>& theme) const { theme.reset(); }

    // False when the theme is null or the part unknown: nothing is drawn.
    bool DrawThemeBackground(const TThemeData* theme, QPainter& painter, int part, int state,
                             const QRect& rect) const;
    bool DrawThemeText(const TThemeData* theme, QPainter& painter, int part, int state, const QString& text,
                       int alignment, const QRect& rect) const;
    // The style's size of a part (empty when unknown).
    QSize GetThemePartSize(const TThemeData* theme, int part, int state) const;
    // The area inside a part's frame where its content goes.
    QRect GetThemeBackgroundContentRect(const TThemeData* theme, int part, int state, const QRect& bounds) const;

    // The classic look: a bevelled face (flat: a one-pixel frame) with its
    // arrow, or a sunken box or circle with its mark, square at the centre.
    void DrawFrameControl(QPainter& painter, const QRect& rect, TFrameControl kind, unsigned state,
                          const QWidget* widget = nullptr) const;
    // The style's dotted focus frame.
    void DrawFocusRect(QPainter& painter, const QRect& rect, const QWidget* widget = nullptr) const;

private:
    bool active_ = true;
};

// The program's one binding.
TThemeApi& ThemeApi();

} // namespace grid
