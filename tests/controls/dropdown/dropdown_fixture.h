#pragma once
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/ex_custom_dropdown.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

// A shown, active window holding drop-downs; keys and clicks through QTest.
class DropDownWindow
{
public:
    DropDownWindow()
    {
        window.resize(400, 300);
        window.move(100, 100);
    }
    void Show(QWidget* focus)
    {
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window);
        focus->setFocus();
        QApplication::processEvents();
    }
    QWidget window;
};

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// A press and release outside the popup, through the popup's own window.
inline void ClickOutside(dropdown::TDropDownForm* popup)
{
    QWindow* handle = popup->windowHandle();
    const QPoint outside(-30, popup->height() + 30);
    QTest::mousePress(handle, Qt::LeftButton, {}, outside);
    if (popup->isVisible())
        QTest::mouseRelease(handle, Qt::LeftButton, {}, outside);
    QApplication::processEvents();
}
