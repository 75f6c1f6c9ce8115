#include "platform/beep.h"

#include <QApplication>

namespace platform {

namespace {

std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}

} // namespace

void Beep()
{
    if (Handler()) {
        Handler()();
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

std::function<void()> SetBeepHandler(std::function<void()> handler)
{
    std::function<void()> previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace platform
