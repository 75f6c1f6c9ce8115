#include "form_base.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace {

class LeftClickFilter : public QObject
{
public:
    LeftClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent)
        , m_onClick(std::move(onClick))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease
            || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return QObject::eventFilter(watched, event);
        m_onClick();
        return true;
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

QColor ProgramFaceColor()
{
    return QColor(248, 247, 237);
}

QFont ProgramFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Verdana"));
        f.setStyleHint(QFont::SansSerif);
        if (!QFontDatabase::families().contains(QStringLiteral("Verdana")))
            f.setFamily(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(11);
        return f;
    }();
    return font;
}

void OnLeftClick(QWidget* widget, std::function<void()> onClick)
{
    widget->installEventFilter(new LeftClickFilter(widget, std::move(onClick)));
}

OrvanoForm::OrvanoForm(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ProgramFaceColor());
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(ProgramFont());
}

void OrvanoForm::SetClientSize(int w, int h)
{
    setFixedSize(w, h);
}

QLabel* OrvanoForm::AddLabel(const char* name, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}
