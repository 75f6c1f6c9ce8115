#pragma once
#include <QWidget>

namespace grid {

// A borderless window over the others that never takes the activation or
// the focus from the window below it; mouse presses on it do nothing.
class TNoActiveForm : public QWidget
{
    Q_OBJECT
public:
    // Owned by owner (destroyed with it) when one is given.
    explicit TNoActiveForm(QWidget* owner = nullptr, bool stayOnTop = false);

    // 0 (clear) to 255 (opaque); the window's opacity follows.
    int AlphaBlendValue() const { return alpha_; }
    void SetAlphaBlendValue(int alpha);

protected:
    bool event(QEvent* event) override;

private:
    int alpha_ = 255;
};

} // namespace grid
