#pragma once
// A person at the keyboard and the mouse, for tests of real windows.

#include "messages.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <vector>

namespace testsupport {

// What a mouse step aims at: a widget looked up when the step runs.
using Target = std::function<QWidget*()>;

// A point of the screen, found when the step runs.
using Spot = std::function<QPoint()>;

// The widget itself.
Target At(QWidget* widget);
// The visible widget of that object name in the window that has the focus
// (the active modal window first).
Target Named(const char* objectName);

// Steps that run one after another at their own times, driven by a timer,
// so they go on while a step's click shows a modal window. Keys go to the
// window that has the focus, mouse events to the window under the mouse,
// both through the window system's path with real time stamps: presses and
// releases are separate events, and two presses close in time and place
// make a double click.
class UserScript
{
public:
    // Nothing for ms milliseconds.
    UserScript& Wait(int ms);
    UserScript& KeyDown(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    UserScript& KeyUp(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Down, held for holdMs, up, then a short pause.
    UserScript& Key(int key, int holdMs = 80, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Each character as a key held 50 ms.
    UserScript& Type(const QString& text);

    // Moves the mouse onto target (its centre, or offset from its top-left),
    // or to a spot.
    UserScript& MoveTo(Target target);
    UserScript& MoveTo(Target target, QPoint offset);
    UserScript& MoveTo(Spot spot);
    UserScript& MouseDown();
    UserScript& MouseUp();
    // Moves onto target, presses, holds for holdMs, releases, pauses.
    UserScript& Click(Target target, int holdMs = 80);
    UserScript& Click(Spot spot, int holdMs = 80);
    // Two clicks at one place, the second press gapMs after the first release.
    UserScript& DoubleClick(Target target, int gapMs = 100);
    UserScript& DoubleClick(Spot spot, int gapMs = 100);
    // The close box of the window that target belongs to.
    UserScript& CloseBox(Target target);

    // Any other step, such as a check.
    UserScript& Do(std::function<void()> step);

    // Runs the steps. False when they did not all finish within timeoutMs;
    // modal windows still open then are closed so the test can go on.
    bool Run(int timeoutMs = 20000);

private:
    struct Step
    {
        int delayMs;
        std::function<void()> run;
    };
    UserScript& Add(int delayMs, std::function<void()> run);
    void SendMouse(int type);

    std::vector<Step> m_steps;
    int m_pendingDelay = 0;
    QPoint m_cursor;
    bool m_buttonDown = false;
    QPointer<QWindow> m_mouseWindow;   // the window the mouse is in
};

// Closes every modal window still open (each with Cancel).
void CloseModalWindows();

// Installs the real message boxes in place of a recorder for its lifetime.
class RealMessageBoxes
{
public:
    RealMessageBoxes();
    ~RealMessageBoxes();

private:
    MessageHandler* m_previous;
};

// The text of the message box on top, empty when none is open.
QString OpenMessageBoxText();

} // namespace testsupport
