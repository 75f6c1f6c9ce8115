#pragma once
// Helpers for driving the "Set Communication" window offscreen.
#include "message_recorder.h"
#include "par_gen_window.h"
#include "program_folder.h"
#include "workspace.h"
#include "xml_document.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace pargen_test {

// Any message box a test did not expect (no MessageRecorder installed)
// fails the test instead of waiting for a click; questions get No.
class StrayMessages : public MessageHandler
{
public:
    StrayMessages() { Messages::SetHandler(this); }
    void Show(MsgKind, const QString& text) override { ADD_FAILURE() << "message: " << text.toStdString(); }
    bool Ask(MsgKind, const QString& text) override
    {
        ADD_FAILURE() << "question: " << text.toStdString();
        return false;
    }
};
inline StrayMessages g_strayMessages;

// Shows w modally, runs body while it is shown, and closes it (Cancel
// without a question) if body left it open. Returns the modal result, or -1
// when the window did not open at all.
inline int RunShown(TFParGen& w, const std::function<void()>& body = {})
{
    bool opened = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        opened = true;
        if (body)
            body();
        if (w.isVisible())
            w.done(QDialog::Rejected);
    });
    timer.start(0);
    const int result = w.ShowModal();
    return opened ? result : -1;
}

inline void Click(QWidget* button)
{
    ASSERT_NE(button, nullptr);
    const QPointF at(button->width() / 2.0, button->height() / 2.0);
    const QPointF global = button->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &release);
}

inline void ClickOK(TFParGen& w) { Click(w.Control(QStringLiteral("Btn_OK"))); }
inline void ClickCancel(TFParGen& w) { Click(w.Control(QStringLiteral("Btn_Cancel"))); }

// Types text as key presses into the window's focused control, one
// character at a time (focus moves are followed).
inline void Type(TFParGen& w, const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = w.focusWidget();
        ASSERT_NE(target, nullptr);
        const int key = c == QLatin1Char('.') ? int(Qt::Key_Period) : c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

// Every model.
inline const int kAllTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                                16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 1018};

// What a control shows, and setting it as the user would.
inline QString Text(TFParGen& w, const char* edit) { return w.Control<QLineEdit>(QLatin1String(edit))->text(); }
inline int Item(TFParGen& w, const char* combo) { return w.Control<QComboBox>(QLatin1String(combo))->currentIndex(); }
inline bool Checked(TFParGen& w, const char* box) { return w.Control<QAbstractButton>(QLatin1String(box))->isChecked(); }
inline void SetItem(TFParGen& w, const char* combo, int item) { w.Control<QComboBox>(QLatin1String(combo))->setCurrentIndex(item); }
inline void SetText(TFParGen& w, const char* edit, const QString& text) { w.Control<QLineEdit>(QLatin1String(edit))->setText(text); }

// A ParGen.xml whose root holds the given elements in order.
inline QByteArray ParGenXml(const QList<std::pair<QString, QString>>& elements,
                            const QByteArray& before = QByteArray())
{
    QByteArray xml = before + "<Par_Gen>";
    for (const auto& [name, text] : elements)
        xml += "<" + name.toUtf8() + ">" + text.toUtf8() + "</" + name.toUtf8() + ">";
    return xml + "</Par_Gen><!--SW_VERSION = 1.000-->";
}

inline void WriteParGen(const QByteArray& xml)
{
    QFile f(File_ParGen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(xml);
}

inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The root's elements of a saved ParGen.xml, in order.
inline QList<std::pair<QString, QString>> SavedElements()
{
    XmlDocument doc;
    QList<std::pair<QString, QString>> out;
    if (!doc.Load(File_ParGen))
        return out;
    for (pugi::xml_node e = doc.Root().first_child(); e; e = e.next_sibling())
        out.append({QString::fromUtf8(e.name()), QString::fromUtf8(e.text().get())});
    return out;
}

inline QString Saved(const QString& element)
{
    for (const auto& [name, text] : SavedElements()) {
        if (name == element)
            return text;
    }
    return QStringLiteral("<missing>");
}

} // namespace pargen_test
