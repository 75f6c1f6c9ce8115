#include "form_base.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

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

namespace {

// Room for the title bar and the frame of a window.
constexpr int kFrameAllowance = 40;

} // namespace

void OrvanoForm::SetClientSize(int w, int h)
{
    m_clientSize = QSize(w, h);
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() - kFrameAllowance : h;
    if (h <= room && !m_scroll) {
        setFixedSize(w, h);
        return;
    }
    if (!m_scroll)
        MoveContentsIntoScrollArea();
    m_scroll->widget()->setFixedSize(w, h);
    const bool scrolls = h > room;
    const int bar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    setFixedSize(w + bar, scrolls ? room : h);
    m_scroll->setGeometry(rect());
}

void OrvanoForm::MoveContentsIntoScrollArea()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollArea"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);   // Tab goes from field to field, never to the area itself
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setAutoFillBackground(true);
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w == m_scroll || w->isWindow())
            continue;
        const bool shown = !w->isHidden();
        const QPoint at = w->pos();
        w->setParent(client);
        w->move(at);
        w->setVisible(shown);
    }
    m_scroll->setWidget(client);
    m_scroll->show();
}

QLabel* OrvanoForm::AddLabel(const char* name, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}
