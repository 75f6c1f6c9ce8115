#include "user_input.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace testsupport {

namespace {

using WindowSystem = QWindowSystemInterface;
using Queued = QWindowSystemInterface::AsynchronousDelivery;

ulong Timestamp()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    // Far from 0, so the first press is no double click of an earlier one.
    return ulong(clock.elapsed()) + 100000;
}

QString KeyText(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Space: return QStringLiteral(" ");
    case Qt::Key_Escape: return QString(QChar(0x1B));
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QString(QChar(0x08));
    default: break;
    }
    if (key >= 0x20 && key < 0x7F && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        const QChar c(key);
        return QString(modifiers & Qt::ShiftModifier ? c.toUpper() : c.toLower());
    }
    return QString();
}

// The window that gets the keys. Like a window manager, when the window that
// had the focus has gone, the one it belonged to (or the topmost one left)
// is activated first.
QWindow* FocusWindow()
{
    static QPointer<QWidget> lastFocused;
    if (QWindow* w = QGuiApplication::focusWindow()) {
        if (QWidget* active = QApplication::activeWindow())
            lastFocused = active;
        return w;
    }
    QWidget* next = QApplication::activeModalWidget();
    for (QWidget* w = lastFocused; !next && w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->isVisible())
            next = w;
    if (!next) {
        const QWidgetList all = QApplication::topLevelWidgets();
        for (auto it = all.rbegin(); !next && it != all.rend(); ++it)
            if ((*it)->isVisible() && (*it)->windowHandle())
                next = *it;
    }
    if (!next)
        return nullptr;
    WindowSystem::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(next->windowHandle(),
                                                                                 Qt::ActiveWindowFocusReason);
    lastFocused = next;
    return next->windowHandle();
}

// The top-level window under a point of the screen, the topmost first.
QWidget* WindowAt(QPoint global)
{
    for (QWidget* w : {QApplication::activePopupWidget(), QApplication::activeModalWidget(),
                       QApplication::activeWindow()})
        if (w && w->isVisible() && w->geometry().contains(global))
            return w;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->isVisible() && (*it)->windowHandle() && (*it)->geometry().contains(global))
            return *it;
    return nullptr;
}

QWidget* FindVisible(QWidget* root, const QString& name)
{
    if (!root || !root->isVisible())
        return nullptr;
    if (root->objectName() == name)
        return root;
    const QList<QWidget*> found = root->findChildren<QWidget*>(name);
    for (QWidget* w : found)
        if (w->isVisible())
            return w;
    return nullptr;
}

} // namespace

Target At(QWidget* widget)
{
    QPointer<QWidget> w(widget);
    return [w] { return w.data(); };
}

Target Named(const char* objectName)
{
    const QString name = QString::fromLatin1(objectName);
    return [name]() -> QWidget* {
        for (QWidget* root : {QApplication::activeModalWidget(), QApplication::activeWindow()})
            if (QWidget* w = FindVisible(root, name))
                return w;
        for (QWidget* root : QApplication::topLevelWidgets())
            if (QWidget* w = FindVisible(root, name))
                return w;
        return nullptr;
    };
}

UserScript& UserScript::Add(int delayMs, std::function<void()> run)
{
    m_steps.push_back({m_pendingDelay + delayMs, std::move(run)});
    m_pendingDelay = 0;
    return *this;
}

UserScript& UserScript::Wait(int ms)
{
    m_pendingDelay += ms;
    return *this;
}

UserScript& UserScript::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return Add(0, [key, modifiers] {
        if (QWindow* w = FocusWindow())
            WindowSystem::handleKeyEvent<Queued>(w, Timestamp(), QEvent::KeyPress, key, modifiers,
                                                 KeyText(key, modifiers));
    });
}

UserScript& UserScript::KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    return Add(0, [key, modifiers] {
        if (QWindow* w = FocusWindow())
            WindowSystem::handleKeyEvent<Queued>(w, Timestamp(), QEvent::KeyRelease, key, modifiers,
                                                 KeyText(key, modifiers));
    });
}

UserScript& UserScript::Key(int key, int holdMs, Qt::KeyboardModifiers modifiers)
{
    KeyDown(key, modifiers);
    Wait(holdMs);
    KeyUp(key, modifiers);
    return Wait(40);
}

UserScript& UserScript::Type(const QString& text)
{
    for (const QChar c : text) {
        const bool upper = c.isUpper();
        Key(c.toUpper().unicode(), 50, upper ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return *this;
}

void UserScript::SendMouse(int type)
{
    QWidget* window = WindowAt(m_cursor);
    if (!window || !window->windowHandle()) {
        if (m_mouseWindow && m_mouseWindow->isVisible())
            WindowSystem::handleLeaveEvent<Queued>(m_mouseWindow);
        m_mouseWindow = nullptr;
        return;
    }
    QWindow* handle = window->windowHandle();
    const QPointF local = handle->mapFromGlobal(m_cursor);
    if (m_mouseWindow != handle) {
        // The mouse crosses into another window.
        // (A hidden window is told nothing: it is gone from the screen.)
        if (m_mouseWindow && m_mouseWindow->isVisible())
            WindowSystem::handleLeaveEvent<Queued>(m_mouseWindow);
        m_mouseWindow = handle;
        WindowSystem::handleEnterEvent<Queued>(handle, local, QPointF(m_cursor));
    }
    Qt::MouseButton button = Qt::NoButton;
    if (type == QEvent::MouseButtonPress) {
        m_buttonDown = true;
        button = Qt::LeftButton;
    } else if (type == QEvent::MouseButtonRelease) {
        m_buttonDown = false;
        button = Qt::LeftButton;
    }
    const Qt::MouseButtons state = m_buttonDown ? Qt::LeftButton : Qt::NoButton;
    WindowSystem::handleMouseEvent<Queued>(handle, Timestamp(), local, QPointF(m_cursor), state, button,
                                           QEvent::Type(type));
}

UserScript& UserScript::MoveTo(Spot spot)
{
    return Add(0, [this, spot] {
        m_cursor = spot();
        SendMouse(QEvent::MouseMove);
    });
}

UserScript& UserScript::MoveTo(Target target)
{
    return MoveTo(Spot([target] {
        QWidget* w = target();
        return w ? w->mapToGlobal(w->rect().center()) : QPoint(-1, -1);
    }));
}

UserScript& UserScript::MoveTo(Target target, QPoint offset)
{
    return MoveTo(Spot([target, offset] {
        QWidget* w = target();
        return w ? w->mapToGlobal(offset) : QPoint(-1, -1);
    }));
}

UserScript& UserScript::MouseDown()
{
    return Add(0, [this] { SendMouse(QEvent::MouseButtonPress); });
}

UserScript& UserScript::MouseUp()
{
    return Add(0, [this] { SendMouse(QEvent::MouseButtonRelease); });
}

UserScript& UserScript::Click(Spot spot, int holdMs)
{
    MoveTo(std::move(spot));
    Wait(30);
    MouseDown();
    Wait(holdMs);
    MouseUp();
    return Wait(40);
}

UserScript& UserScript::Click(Target target, int holdMs)
{
    MoveTo(std::move(target));
    Wait(30);
    MouseDown();
    Wait(holdMs);
    MouseUp();
    return Wait(40);
}

UserScript& UserScript::DoubleClick(Spot spot, int gapMs)
{
    MoveTo(std::move(spot));
    Wait(30);
    MouseDown();
    Wait(60);
    MouseUp();
    Wait(gapMs);
    MouseDown();
    Wait(60);
    MouseUp();
    return Wait(40);
}

UserScript& UserScript::DoubleClick(Target target, int gapMs)
{
    MoveTo(std::move(target));
    Wait(30);
    MouseDown();
    Wait(60);
    MouseUp();
    Wait(gapMs);
    MouseDown();
    Wait(60);
    MouseUp();
    return Wait(40);
}

UserScript& UserScript::CloseBox(Target target)
{
    return Add(0, [target] {
        QWidget* w = target();
        if (!w || !w->window()->windowHandle())
            return;
        WindowSystem::handleCloseEvent<Queued>(w->window()->windowHandle());
    });
}

UserScript& UserScript::Do(std::function<void()> step)
{
    return Add(0, std::move(step));
}

bool UserScript::Run(int timeoutMs)
{
    if (m_pendingDelay > 0)
        Add(0, [] {});
    QElapsedTimer clock;
    clock.start();
    size_t next = 0;
    qint64 lastStart = 0;
    int depth = 0;
    bool timedOut = false;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (clock.elapsed() > timeoutMs) {
            timedOut = true;
            CloseModalWindows();
            if (depth == 0)
                loop.quit();
            return;
        }
        if (next < m_steps.size() && clock.elapsed() - lastStart >= m_steps[next].delayMs) {
            const size_t i = next++;
            lastStart = clock.elapsed();
            ++depth;
            // Posted, so this timer can fire again in the modal loop that the
            // step may start (a timer does not fire inside its own timeout).
            QMetaObject::invokeMethod(
                &loop,
                [this, i, &depth] {
                    m_steps[i].run();
                    --depth;
                },
                Qt::QueuedConnection);
        }
        if (next == m_steps.size() && depth == 0)
            loop.quit();
    });
    tick.start();
    loop.exec();
    tick.stop();
    return !timedOut;
}

void CloseModalWindows()
{
    for (int i = 0; i < 20; ++i) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->done(QDialog::Rejected);
    }
}

RealMessageBoxes::RealMessageBoxes()
    : m_previous(Messages::SetHandler(nullptr))
{
}

RealMessageBoxes::~RealMessageBoxes()
{
    Messages::SetHandler(m_previous);
}

QString OpenMessageBoxText()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box->text() : QString();
}

} // namespace testsupport
