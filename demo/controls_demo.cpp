// The controls no window of the program shows yet: the grid's flat buttons,
// check boxes and mini-HTML cell text with live links; the drop-downs.
//   controls_demo [--screenshot <file.png>] [--shots <dir>]
// With --screenshot the window is drawn, the screen is saved and the program ends.
// With --shots each drop-down popup is opened in turn, the screen saved as
// <dir>/dropdown_<name>.png and probed; the exit code tells whether all passed.
#include "controls/dropdown/bars.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/memo_dropdown.h"
#include "controls/dropdown/popup_geometry.h"
#include "controls/dropdown/trackbar_dropdown.h"
#include "controls/grid/html_draw/html_text_painter.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/dropdown/drawing_routines.h"
#include "controls/grid/small_controls/flat_button.h"
#include "controls/grid/small_controls/flat_check_box.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QElapsedTimer>

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


using namespace dropdown;

// The drop-down page: a base edit with header, footer buttons and grip, the
// track bar and memo drop-downs, a style chooser and one edit per EditType.
struct DropDownPage
{
    TExCustomDropDown* base = nullptr;
    TExTrackBarDropDown* trackBar = nullptr;
    TExMemoDropDown* memo = nullptr;
    std::vector<TExCustomDropDown*> all;
    QLabel* report = nullptr;
};

const char* const kStyleNames[] = {
    "tsOffice2003Blue", "tsOffice2003Silver", "tsOffice2003Olive", "tsOffice2003Classic", "tsOffice2007Luna",
    "tsOffice2007Obsidian", "tsWindowsXP", "tsWhidbey", "tsCustom", "tsOffice2007Silver", "tsWindowsVista",
    "tsWindows7", "tsTerminal", "tsOffice2010Blue", "tsOffice2010Silver", "tsOffice2010Black"};

const char* const kEditTypeNames[] = {"etString", "etNumeric", "etFloat", "etUppercase", "etMixedCase",
                                      "etLowerCase", "etPassword", "etMoney", "etRange", "etHex",
                                      "etAlphaNumeric", "etValidChars"};

DropDownPage BuildDropDownPage(QTabWidget& tabs)
{
    DropDownPage page;
    auto* w = new QWidget;
    tabs.addTab(w, QStringLiteral("Drop-downs"));
    page.report = new QLabel(QStringLiteral("Open a popup"), w);
    page.report->setGeometry(300, 400 - 24, 290, 20);

    auto* base = new TExCustomDropDown(w);
    base->setGeometry(90, 10, 180, 21);
    base->SetLabelMargin(4);
    base->LabelTransparent = true;
    base->SetLabelCaption(QStringLiteral("Base edit"));
    base->DropDownHeader().Caption = QStringLiteral("<B>Pick</B> a <FONT color=\"clRed\">colour</FONT>");
    TBarButton help;
    help.Caption = QStringLiteral("?");
    base->DropDownHeader().Buttons = {help};
    const struct
    {
        const char* caption;
        int result;
    } footerButtons[] = {{"&OK", mrOk}, {"&Cancel", mrCancel}, {"&Apply", mrNone}};
    for (const auto& b : footerButtons) {
        TBarButton item;
        item.Caption = QString::fromLatin1(b.caption);
        item.ModalResult = b.result;
        base->DropDownFooter().Buttons.append(item);
    }
    base->DropDownFooter().Caption = QStringLiteral("<I>3 buttons</I>");
    auto* list = new QListWidget;
    list->addItems({QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue"), QStringLiteral("Cyan")});
    list->resize(180, 80);
    base->SetControl(list);
    base->OnBeforeDropDown = [list](TExCustomDropDown* edit) {
        const auto found = list->findItems(edit->Text(), Qt::MatchExactly);
        list->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    };
    QObject::connect(list, &QListWidget::itemClicked, base, [base](QListWidgetItem* item) {
        base->SetTextDirect(item->text());
    });
    base->OnDropDownFooterButtonClick = [report = page.report](TExCustomDropDown*, int index) {
        report->setText(QStringLiteral("Footer button %1").arg(index));
    };
    base->OnDropUp = [report = page.report](TExCustomDropDown* edit, bool cancelled) {
        report->setText(QStringLiteral("Closed %1: %2").arg(cancelled ? "cancelled" : "accepted", edit->Text()));
    };
    page.base = base;

    auto* trackBar = new TExTrackBarDropDown(w);
    trackBar->setGeometry(90, 40, 180, 21);
    trackBar->SetLabelMargin(4);
    trackBar->LabelTransparent = true;
    trackBar->SetLabelCaption(QStringLiteral("Track bar"));
    page.trackBar = trackBar;

    auto* memo = new TExMemoDropDown(w);
    memo->setGeometry(90, 70, 180, 21);
    memo->SetEditorEnabled(false);
    memo->SetLabelMargin(4);
    memo->LabelTransparent = true;
    memo->SetLabelCaption(QStringLiteral("Memo"));
    memo->SetMemoText({QStringLiteral("First line of the note"), QStringLiteral("second line")});
    page.memo = memo;
    page.all = {base, trackBar, memo};

    auto* styles = new QComboBox(w);
    styles->setGeometry(300, 10, 200, 24);
    for (const char* name : kStyleNames)
        styles->addItem(QString::fromLatin1(name));
    styles->setCurrentIndex(grid::tsOffice2007Luna);
    auto* styleLabel = new QLabel(QStringLiteral("TSkinStyle"), w);
    styleLabel->setGeometry(510, 10, 80, 24);

    for (int t = 0; t < kEditTypeCount; ++t) {
        auto* edit = new TExCustomDropDown(w);
        edit->setGeometry(110 + (t / 6) * 250, 110 + (t % 6) * 30, 140, 21);
        edit->SetLabelMargin(4);
        edit->LabelTransparent = true;
        edit->SetLabelCaption(QString::fromLatin1(kEditTypeNames[t]));
        edit->SetEditType(TDropDownEditType(t));
        edit->Options().Signed = true;
        edit->Options().ValidChars = QStringLiteral("01");
        if (t == etFloat || t == etMoney)
            edit->SetPrecision(2);
        edit->SetPrefix(t == etMoney ? QStringLiteral("$ ") : QStringLiteral("["));
        edit->SetSuffix(t == etMoney ? QStringLiteral(" net") : QStringLiteral("]"));
        const char* samples[] = {"text", "1234", "3.5", "ABC", "John Smith", "abc", "secret", "1234.5", "1-3;5",
                                 "FF", "abc123", "0101"};
        edit->SetText(QString::fromLatin1(samples[t]));
        page.all.push_back(edit);
    }
    QObject::connect(styles, &QComboBox::currentIndexChanged, w, [all = page.all](int index) {
        for (TExCustomDropDown* edit : all)
            edit->SetComponentStyle(TSkinStyle(index));
    });
    return page;
}

bool Near(QRgb a, TColor b, int tolerance = 10)
{
    const QColor q = grid::ToQColor(b);
    return std::abs(qRed(a) - q.red()) <= tolerance && std::abs(qGreen(a) - q.green()) <= tolerance &&
           std::abs(qBlue(a) - q.blue()) <= tolerance;
}

// Opens one popup, saves the screen and probes it: the popup under its edit
// overlapping the edit's bottom line, the header's gradient ends, the grip dots.
bool ShootPopup(TExCustomDropDown* edit, const QString& name, const QString& dir)
{
    edit->ShowDropDown();
    QApplication::processEvents();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    TDropDownForm* popup = edit->DropDownForm();
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    screen.save(dir + QStringLiteral("/dropdown_") + name + QStringLiteral(".png"));
    QStringList failures;
    const QPoint editTop = edit->mapToGlobal(QPoint(0, 0));
    if (popup->geometry().topLeft() != editTop + QPoint(0, edit->height() - 1))
        failures << QStringLiteral("not under the edit");
    if (TExHeader* header = popup->Header(); header && header->isVisible()) {
        // Inside the bar's own frame: rows 2 and height - 3 against the bands.
        const TBarAppearance& a = header->Appearance();
        const auto bands = GradientBands(a.Color, a.ColorTo, 80, header->rect(), false);
        auto bandAt = [&](int y) {
            TColor c = 0;
            for (const GradientBand& b : bands)
                if (b.Rect.contains(QPoint(b.Rect.left(), y)))
                    c = b.Color;
            return c;
        };
        const int x = header->width() / 3;
        for (int y : {2, header->height() - 3}) {
            if (!Near(screen.pixel(header->mapToGlobal(QPoint(x, y))), bandAt(y), 2))
                failures << QStringLiteral("header gradient at row %1").arg(y);
        }
    }
    if (TExFooter* footer = popup->Footer(); footer && footer->isVisible() && footer->ShowSizeGrip()) {
        const QPoint dot = GripDots(FooterGripRect(footer->rect(), footer->Appearance().BorderWidth))[0];
        if (!Near(screen.pixel(footer->mapToGlobal(dot + QPoint(1, 1))), 0xFFFFFF, 2))
            failures << QStringLiteral("light grip dot");
        if (!Near(screen.pixel(footer->mapToGlobal(dot - QPoint(1, 1))), footer->Appearance().BorderColor, 2))
            failures << QStringLiteral("dark grip dot");
    }
    edit->HideDropDown(false);
    QApplication::processEvents();
    std::printf("%s: %s\n", qPrintable(name), failures.isEmpty() ? "ok" : qPrintable(failures.join(u',')));
    return failures.isEmpty();
}

bool RunShots(const DropDownPage& page, const QString& dir)
{
    QDir().mkpath(dir);
    bool ok = ShootPopup(page.base, QStringLiteral("base"), dir);
    ok = ShootPopup(page.trackBar, QStringLiteral("trackbar"), dir) && ok;
    ok = ShootPopup(page.memo, QStringLiteral("memo"), dir) && ok;
    page.base->SetComponentStyle(grid::tsOffice2003Blue);
    ok = ShootPopup(page.base, QStringLiteral("base_office2003blue"), dir) && ok;
    page.base->SetComponentStyle(grid::tsWindows7);
    ok = ShootPopup(page.base, QStringLiteral("base_windows7"), dir) && ok;
    const QImage all = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    all.save(dir + QStringLiteral("/dropdown_page.png"));
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shotArg = args.indexOf(QStringLiteral("--screenshot"));
    const QString shot = shotArg > 0 && shotArg + 1 < args.size() ? args[shotArg + 1] : QString();

    const int shotsArg = args.indexOf(QStringLiteral("--shots"));
    const QString shotsDir = shotsArg > 0 && shotsArg + 1 < args.size() ? args[shotsArg + 1] : QString();

    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("Controls demo"));
    tabs.resize(600, 440);
    QWidget& window = *new QWidget;
    tabs.addTab(&window, QStringLiteral("Small controls"));
    DropDownPage dropDowns = BuildDropDownPage(tabs);

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

    tabs.show();
    if (!shotsDir.isEmpty()) {
        tabs.setCurrentIndex(1);
        QTimer::singleShot(300, &tabs, [&] { app.exit(RunShots(dropDowns, shotsDir) ? 0 : 1); });
    } else if (!shot.isEmpty()) {
        // The mouse over the first cell's link, as a user would hold it.
        QCursor::setPos(cells->mapToGlobal(QPoint(120, 10)));
        QTimer::singleShot(500, &window, [&] {
            const QPixmap pixels = tabs.screen()->grabWindow(0);
            app.exit(pixels.save(shot) ? 0 : 1);
        });
    }
    return app.exec();
}
