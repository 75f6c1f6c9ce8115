#pragma once
// Helpers for the shell's tests: the whole program's windows in a fresh
// program folder, modal windows closed as they open, and input events.

#include "form_base.h"
#include "lb_button.h"
#include "main_window.h"
#include "message_recorder.h"
#include "program.h"
#include "program_folder.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A test of the started program: a fresh program folder for a device type,
// message boxes recorded, and every window created as the program does.
class ShellTest : public ::testing::Test
{
protected:
    // Prepares the program folder (files may be written before Start).
    void Prepare(int type)
    {
        m_folder.emplace(type);
    }
    // Prepares (unless done), creates every window and shows the main one.
    void Start(int type = 29)
    {
        if (!m_folder)
            Prepare(type);
        CreateProgramWindows(m_folder->Path());
        FOrvanoeFirmWare->show();
    }
    void TearDown() override
    {
        DestroyProgramWindows();
    }

    TempProgramFolder& Folder() { return *m_folder; }
    TFOrvanoeFirmWare& Main() { return *FOrvanoeFirmWare; }
    TLbButton* Btn(const char* name) { return Main().Button(QString::fromLatin1(name)); }

    MessageRecorder messages;

private:
    std::optional<TempProgramFolder> m_folder;
};

// Runs action; every modal window that opens meanwhile is recorded by its
// object name, handed to onOpen (which may close it itself) and otherwise
// closed with result.
inline QStringList RunClosingModals(const std::function<void()>& action, int result = mrCancel,
                                    const std::function<void(QDialog*)>& onOpen = {})
{
    QStringList opened;
    QTimer timer;
    timer.setInterval(5);
    bool busy = false;   // a window opened from onOpen is left to a watcher of its own
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (busy || !dialog || !dialog->isVisible())
            return;
        opened.append(dialog->objectName());
        busy = true;
        if (onOpen)
            onOpen(dialog);
        busy = false;
        if (dialog->isVisible())
            dialog->done(result);
    });
    timer.start();
    action();
    timer.stop();
    return opened;
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void SendKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(w, &release);
}

// Processes events until done() holds or ms have passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
