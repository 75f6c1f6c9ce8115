#pragma once
#include "controls/grid/core/spin_values.h"

#include <QLineEdit>

class QToolButton;

namespace grid {

class TGridEditors;

// The spin editor of whole-number, float, date and time cells: a one-line
// edit with an up and a down button at its right that repeat while held
// (the first repeat after 400 ms, then every 100 ms). Typing passes the
// kind's character filter; Up, Down, Page Up and Page Down step (dates and
// times by the field under the caret).
class TInplaceSpin : public QLineEdit
{
public:
    TInplaceSpin(TGridEditors& editors, QWidget* parent);

    void SetSettings(const SpinSettings& settings) { settings_ = settings; }
    const SpinSettings& Settings() const { return settings_; }
    // One step; the caret stays where it was.
    void Step(bool up, bool page);
    // Types text as keys would, through the filter.
    void TypeText(const QString& text);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Whether each character of text may be typed at the caret.
    bool Accepts(const QString& text) const;

    TGridEditors& editors_;
    SpinSettings settings_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace grid
