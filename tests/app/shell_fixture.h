#pragma once
// Helpers for the shell's tests: the whole program's windows in a fresh
// program folder, modal windows closed as they open, and input events.

#include "form_base.h"
#include "lang_builtin.h"
#include "language.h"
#include "lb_button.h"
#include "main_window.h"
#include "message_recorder.h"
#include "program.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// An Orvano.xml naming the last project, with the internet and update flags
// as the two characters of flags ("1" on), the other values fixed.
inline QByteArray SettingsFile(const QString& project, const QString& flags = QStringLiteral("00"))
{
    return QStringLiteral("<Conf_Settings><lastproj><projectname>%1</projectname></lastproj>"
                          "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
                          "<lastlang><language>English</language></lastlang>"
                          "<lastinternet><enable_internet>%2</enable_internet><enable_update>%3</enable_update>"
                          "<enable_jump_field_tables>0</enable_jump_field_tables>"
                          "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
        .arg(project, flags.left(1), flags.mid(1, 1))
        .toUtf8();
}

// The text of the label name below root, or a marker naming it when there is none.
inline QString LabelText(QWidget* root, const char* name)
{
    auto* label = root->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
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

    // Changes the started program to the language Test, whose text n reads
    // "X<n>", as the Options window does; false when it cannot be loaded.
    bool ChangeToMarkedLanguage()
    {
        QByteArray lng;
        for (int n = 0; n < LangTableSize; ++n)
            lng += "STR" + QByteArray::number(n) + " = X" + QByteArray::number(n) + "\n";
        Folder().Write("LANGUAGE/Test.lng", lng);
        LanguageName = "Test";
        if (!Load_Language())
            return false;
        Main().Change_Language();
        return true;
    }

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
