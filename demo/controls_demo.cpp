// The controls no window of the program shows yet: the grid's flat buttons,
// check boxes and mini-HTML cell text with live links.
//   controls_demo [--screenshot <file.png>]
// With --screenshot the window is drawn, the screen is saved and the program ends.
#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/small_controls/flat_button.h"
#include "controls/grid/small_controls/flat_check_box.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

using namespace grid;

// A column of cells drawn as mini-HTML; a link under the mouse is hovered and
// shows the hand cursor, a click reports its target below.
class HtmlCells : public QWidget
{
public:
    explicit HtmlCells(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

    QStringList texts;
    int cellHeight = 40;
    std::function<void(const QString&)> onLink;

protected:
    QRect CellRect(int i) const { return QRect(0, i * cellHeight, width(), cellHeight); }

    html::HtmlLayoutInput Input(int i) const
    {
        html::HtmlLayoutInput in;
        in.Text = texts[i];
        in.Rect = CellRect(i).adjusted(2, 2, -2, -2);
        in.Font = html::ToHtmlFont(font(), 0);
        in.HoveredLink = i == hoverCell_ ? hoverLink_ : -1;
        in.ThemesInUse = true;
        return in;
    }

    html::HtmlLayout HitTest(const QPoint& pos, int* cell)
    {
        *cell = pos.y() / cellHeight;
        if (*cell < 0 || *cell >= texts.size())
            return {};
        html::HtmlLayoutInput in = Input(*cell);
        in.Point = pos;
        in.HitTestOnly = true;
        QPainter painter(this);
        return html::DrawHtmlText(painter, in, nullptr);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        for (int i = 0; i < texts.size(); ++i) {
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawRect(CellRect(i).adjusted(0, 0, -1, -1));
            html::DrawHtmlText(painter, Input(i), nullptr);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        int cell = -1;
        const html::HtmlLayout hit = HitTest(event->position().toPoint(), &cell);
        const int link = hit.Hit && hit.HitLinkIndex > 0 ? hit.HitLinkIndex : -1;
        setCursor(link > 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        if (cell != hoverCell_ || link != hoverLink_) {
            hoverCell_ = cell;
            hoverLink_ = link;
            update();
        }
    }

    void leaveEvent(QEvent*) override
    {
        hoverCell_ = hoverLink_ = -1;
        unsetCursor();
        update();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        int cell = -1;
        const html::HtmlLayout hit = HitTest(event->position().toPoint(), &cell);
        if (hit.Hit && onLink)
            onLink(hit.HitLinkTarget);
    }

private:
    int hoverCell_ = -1;
    int hoverLink_ = -1;
};

QImage Glyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::magenta);  // the transparent colour: bottom-left pixel
    QPainter p(&glyph);
    p.setBrush(QColor(0x20, 0x80, 0x40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 12, 12);
    return glyph;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shotArg = args.indexOf(QStringLiteral("--screenshot"));
    const QString shot = shotArg > 0 && shotArg + 1 < args.size() ? args[shotArg + 1] : QString();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Controls demo"));
    window.resize(560, 340);

    auto* caption = new QLabel(QStringLiteral("Flat buttons (looks 0 to 6; look 2 is a toggle, down)"), &window);
    caption->setGeometry(10, 4, 540, 18);
    for (int i = 0; i < 7; ++i) {
        auto* b = new TExGridButton(&window);
        b->setObjectName(QStringLiteral("LookButton%1").arg(i));
        b->setGeometry(10 + i * 76, 24, 70, 24);
        b->SetLook(i);
        b->SetCaption(QStringLiteral("Look %1").arg(i));
        if (i == 2) {
            b->SetGroupIndex(1);
            b->SetAllowAllUp(true);
            b->SetDown(true);
        }
    }
    auto* drop = new TExGridButton(&window);
    drop->setGeometry(10, 56, 100, 24);
    drop->SetLook(2);
    drop->SetCaption(QStringLiteral("&Find"));
    drop->SetDropDownButton(true);
    auto* withGlyph = new TExGridButton(&window);
    withGlyph->setGeometry(120, 56, 100, 24);
    withGlyph->SetLook(1);
    withGlyph->SetFlat(false);
    withGlyph->SetGlyph(Glyph());
    withGlyph->SetCaption(QStringLiteral("Glyph"));
    auto* disabled = new TExGridButton(&window);
    disabled->setGeometry(230, 56, 100, 24);
    disabled->SetGlyph(Glyph());
    disabled->SetCaption(QStringLiteral("Disabled"));
    disabled->setEnabled(false);

    const char* boxes[] = {"Checked", "Unchecked", "Greyed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new TExCheckBox(&window);
        box->setGeometry(10 + i * 110, 90, 104, 20);
        box->SetCaption(QString::fromLatin1(boxes[i]));
        box->SetState(i == 0 ? cbChecked : i == 2 ? cbGrayed : cbUnchecked);
        box->setEnabled(i != 3);
    }

    auto* cells = new HtmlCells(&window);
    cells->setGeometry(10, 122, 300, 200);
    cells->texts = {
        QStringLiteral("<B>Bold</B>, <FONT COLOR=\"clRed\">red</FONT> and a <A href=\"first\">link</A>"),
        QStringLiteral("<I>Italic</I> <HI>highlight</HI> <E>eror</E> x<SUP>2</SUP> <A href=\"second\">more</A>"),
        QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"16\"> on "
                       "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"text\" WIDTH=\"60\">"),
        QStringLiteral("<P align=\"center\"><U>centred</U> &amp; <S>struck</S></P>"),
        QStringLiteral("<FONT bgcolor=\"clYellow\">back</FONT> <A href=\"third\" title=\"Third\">third</A>"),
    };
    auto* clicked = new QLabel(QStringLiteral("Click a link"), &window);
    clicked->setGeometry(330, 122, 220, 20);
    cells->onLink = [clicked](const QString& target) { clicked->setText(QStringLiteral("Link: ") + target); };

    window.show();
    if (!shot.isEmpty()) {
        // The mouse over the first cell's link, as a user would hold it.
        QCursor::setPos(cells->mapToGlobal(QPoint(120, 10)));
        QTimer::singleShot(500, &window, [&] {
            const QPixmap pixels = window.screen()->grabWindow(0);
            app.exit(pixels.save(shot) ? 0 : 1);
        });
    }
    return app.exec();
}
