#pragma once
#include "controls/dropdown/watch_core.h"
#include "controls/dropdown/watch_looks.h"

#include <QTimer>
#include <QWidget>

namespace dropdown {

// The painted analog clock: a click inside the dial sets the hour, between
// dial and edge the minute, on the AM/PM box the half of the day. Hand
// changes are animated by a timer; tests step Model().Tick() instead.
class TExWatch : public QWidget
{
public:
    explicit TExWatch(QWidget* parent = nullptr);

    WatchModel& Model() { return model_; }
    TWatchAppearance& Appearance() { return appearance_; }
    void SetAppearance(const TWatchAppearance& value);
    QTime Time() const { return model_.Time(); }
    void SetTime(const QTime& value);
    bool ShowAMPM() const { return showAMPM_; }
    void SetShowAMPM(bool value);
    bool ShowNumbers() const { return showNumbers_; }
    void SetShowNumbers(bool value);
    bool Auto() const { return model_.Auto; }
    void SetAuto(bool value);
    bool ShowSecondHand = true;
    void HandleKey(int key);
    void SetComponentStyle(TSkinStyle style);
    // One of the built-in looks: the appearance starts from the defaults.
    TWatchStyle Style() const { return style_; }
    void SetStyle(TWatchStyle value);

    QRect GetFaceRect() const { return WatchFaceRect(rect(), appearance_.Size); }
    QPoint GetCenter() const { return WatchCenter(GetFaceRect()); }
    QRect GetAMPMRect() const;
    // Steps of the AM/PM scroll still to run (0 when still).
    int AMPMScrollLeft() const { return scrollLeft_; }
    void StepAMPMScroll();
    QTimer& AnimationTimer() { return animationTimer_; }

    std::function<void(TExWatch*)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawFace(QPainter& p);
    void DrawDial(QPainter& p);
    void DrawAMPM(QPainter& p);
    void DrawHands(QPainter& p);
    void StartAMPMScroll();

    WatchModel model_;
    TWatchAppearance appearance_;
    bool showAMPM_ = true;
    bool showNumbers_ = true;
    QTimer animationTimer_;
    QTimer watchTimer_;
    QTimer scrollTimer_;
    int scrollLeft_ = 0;
    int scrollOffset_ = 0;
    bool scrollToPM_ = false;
    TWatchStyle style_ = wsClassic;
};

}  // namespace dropdown
