// The controls no window of the program shows yet: the grid's flat buttons,
// check boxes and mini-HTML cell text with live links; the drop-downs.
//   controls_demo [--screenshot <file.png>] [--shots <dir>]
// With --screenshot the window is drawn, the screen is saved and the program ends.
// With --shots each drop-down popup is opened in turn, the screen saved as
// <dir>/dropdown_<name>.png and probed; the exit code tells whether all passed.
#include "controls/dropdown/bars.h"
#include "controls/dropdown/calculator_dropdown.h"
#include "controls/dropdown/color_panels.h"
#include "controls/dropdown/detail_dropdown.h"
#include "controls/dropdown/image_picker_dropdown.h"
#include "controls/dropdown/color_picker_dropdown.h"
#include "controls/dropdown/grid_dropdown.h"
#include "controls/dropdown/multi_column_dropdown.h"
#include "controls/dropdown/time_picker_dropdown.h"
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
#include <QScrollBar>
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

// The pickers page: calculator, time picker with its clock, detail list.
struct PickerPage
{
    TExCalculatorDropdown* calculator = nullptr;
    TExTimePickerDropDown* time = nullptr;
    TExTimePickerDropDown* timeWithEditor = nullptr;
    TExDetailDropDown* detail = nullptr;
    TExImagePickerDropDown* image = nullptr;
    TCustomColorSelector* boxes = nullptr;
    TExColorCubePanel* cube = nullptr;
    TExColorSpectrumPanel* spectrum = nullptr;
    TExMultiColumnDropDown* multiColumn = nullptr;
    TExColorPickerDropDown* colorPicker = nullptr;
    TCustomExGridDropDown* gridDropDown = nullptr;
};

PickerPage BuildPickerPage(QTabWidget& tabs)
{
    PickerPage page;
    auto* w = new QWidget;
    tabs.addTab(w, QStringLiteral("Pickers"));
    auto labelled = [](TExCustomDropDown* edit, const char* caption, int y) {
        edit->setGeometry(110, y, 180, 21);
        edit->SetLabelMargin(4);
        edit->LabelTransparent = true;
        edit->SetLabelCaption(QString::fromLatin1(caption));
    };
    page.calculator = new TExCalculatorDropdown(w);
    labelled(page.calculator, "Calculator", 10);
    page.calculator->SetValue(12.5);
    page.time = new TExTimePickerDropDown(w);
    labelled(page.time, "Time", 40);
    page.time->SetTime(QTime(10, 8, 30));
    page.timeWithEditor = new TExTimePickerDropDown(w);
    labelled(page.timeWithEditor, "Time + editor", 70);
    page.timeWithEditor->ShowTimePicker = true;
    page.timeWithEditor->WatchAppearance.PointerStyle = psPointer;
    ApplyWatchStyle(page.timeWithEditor->WatchAppearance, grid::tsWindows7);
    page.timeWithEditor->SetTime(QTime(16, 40, 0));
    page.detail = new TExDetailDropDown(w);
    labelled(page.detail, "Detail list", 100);
    page.detail->SetDropDownWidth(240);
    page.detail->SetDropDownHeight(150);
    page.detail->ItemHeight = 36;
    const char* entries[][2] = {
        {"Modbus RTU", "Serial line, <b>binary</b> frames"}, {"Modbus TCP", "Port 502"},
        {"M-Bus", "Meters on a <i>two-wire</i> bus"}, {"Wireless M-Bus", "868 MHz radio"},
        {"PROFINET", "Cyclic I/O"}, {"BACnet/IP", "Building automation"}, {"SNMP", "Agent values"}};
    for (const auto& e : entries) {
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(QColor::fromHsv(int(page.detail->Items().size()) * 50 % 360, 160, 220));
        page.detail->Items().push_back({QString::fromLatin1(e[0]), -1, icon, QString::fromLatin1(e[1])});
    }
    page.detail->SetItemIndex(2);
    page.image = new TExImagePickerDropDown(w);
    labelled(page.image, "Image", 130);
    page.image->Columns = 4;
    page.image->Layout = ilCaptionBottom;
    const char* shapes[] = {"Ring", "Square", "Bar", "Dot", "Cross", "Frame", "Wave", "Grid"};
    for (int i = 0; i < 8; ++i) {
        TSelectorItem item;
        item.Caption = QString::fromLatin1(shapes[i]);
        item.Image = QImage(24, 24, QImage::Format_ARGB32);
        item.Image.fill(Qt::transparent);
        QPainter p(&item.Image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor::fromHsv(i * 45, 200, 200), 3));
        p.drawEllipse(QRect(3, 3, 18, 18).adjusted(i, i, -i, -i));
        item.Hint = item.Caption;
        page.image->Items().push_back(item);
    }
    page.image->SetItemIndex(5);
    // The table pickers and the colour picker.
    const char* protocols[][3] = {{"Modbus RTU", "Serial", "1979"}, {"Modbus TCP", "Ethernet", "1999"},
                                  {"M-Bus", "Two-wire", "1997"},     {"Wireless M-Bus", "868 MHz", "2005"},
                                  {"BACnet/IP", "Ethernet", "2001"},  {"SNMP", "UDP", "1988"},
                                  {"KNX", "Twisted pair", "1999"},    {"OPC UA", "TCP", "2008"}};
    TDropDownItems items;
    for (const auto& r : protocols)
        items.push_back({-1, {QString::fromLatin1(r[0]), QString::fromLatin1(r[1]), QString::fromLatin1(r[2])}});
    TDropDownColumns columns(3);
    columns[0].Header = QStringLiteral("Protocol");
    columns[1].Header = QStringLiteral("Medium");
    columns[2].Header = QStringLiteral("Year");
    columns[2].Width = 50;
    columns[2].Alignment = grid::taRightJustify;
    page.multiColumn = new TExMultiColumnDropDown(w);
    labelled(page.multiColumn, "Multi-column", 160);
    page.multiColumn->resize(140, 21);
    page.multiColumn->SetColumns(columns);
    page.multiColumn->SetItems(items);
    page.multiColumn->SetItemIndex(2);
    page.gridDropDown = new TCustomExGridDropDown(w);
    labelled(page.gridDropDown, "Grid", 190);
    page.gridDropDown->resize(140, 21);
    page.gridDropDown->SetColumns(columns);
    page.gridDropDown->SetItems(items);
    page.gridDropDown->Sorting = gsSingleColumn;
    page.gridDropDown->SetItemIndex(4);
    page.colorPicker = new TExColorPickerDropDown(w);
    labelled(page.colorPicker, "Colour", 220);
    page.colorPicker->resize(140, 21);
    page.colorPicker->AddDefaultColors();
    page.colorPicker->SetItemIndex(9);
    // The colour panels on their own.
    page.boxes = new TCustomColorSelector(w);
    page.boxes->move(310, 10);
    page.boxes->SetSelectedColor(0x4D50C0);
    page.cube = new TExColorCubePanel(w);
    page.cube->move(255, 235);
    page.cube->SetSelectedColor(0xFFFFFF);
    page.spectrum = new TExColorSpectrumPanel(w);
    page.spectrum->move(440, 100);
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
bool ShootPopup(TExCustomDropDown* edit, const QString& name, const QString& dir,
                const std::function<void(const QImage&, QStringList&)>& probe = {})
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
    if (probe)
        probe(screen, failures);
    edit->HideDropDown(false);
    QApplication::processEvents();
    std::printf("%s: %s\n", qPrintable(name), failures.isEmpty() ? "ok" : qPrintable(failures.join(u',')));
    return failures.isEmpty();
}

bool IsWhite(QRgb c)
{
    return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245;
}

// The pickers' popups with probes of their own: key rectangles, face
// centre, row positions.
bool ShootPickers(QTabWidget& tabs, const PickerPage& page, const QString& dir)
{
    tabs.setCurrentIndex(2);
    QElapsedTimer shown;  // the page is on screen before the first popup opens
    shown.start();
    while (shown.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    bool panelsOk = true;
    {
        // The colour panels: box and cell positions on the screen.
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        screen.save(dir + QStringLiteral("/dropdown_pickers_page.png"));
        QStringList f;
        const std::vector<TColorBoxItem>& boxes = page.boxes->Items();
        for (size_t i = 0; i < boxes.size(); ++i) {
            const QPoint at = page.boxes->mapToGlobal(boxes[i].Rect.center());
            if (i != size_t(page.boxes->ItemIndex()) && !Near(screen.pixel(at), boxes[i].Color, 2))
                f << QStringLiteral("box %1").arg(i);
        }
        for (const CubeCell& cell : CubeCells())
            if (!Near(screen.pixel(page.cube->mapToGlobal(cell.Center + QPoint(0, 1))), cell.Color, 2) &&
                cell.Color != 0xFFFFFF)
                f << QStringLiteral("cube cell at %1,%2").arg(cell.Center.x()).arg(cell.Center.y());
        const QPoint red = page.spectrum->mapToGlobal(kSpectrumImageRect.topLeft() + QPoint(0, 64));
        if (!Near(screen.pixel(red), 0x0000FF, 4))
            f << QStringLiteral("spectrum red");
        std::printf("colour panels: %s\n", f.isEmpty() ? "ok" : qPrintable(f.join(u',')));
        panelsOk = f.isEmpty();
    }
    bool ok = panelsOk;
    ok = ShootPopup(page.calculator, QStringLiteral("calculator"), dir, [&](const QImage& s, QStringList& f) {
        TCustomButtonPanel* panel = page.calculator->ButtonPanel();
        const std::vector<QRect> expected = ArrangeCalculatorKeys(panel->GetButtonsRect());
        for (size_t i = 0; i < expected.size(); ++i)
            if (panel->GetButtonRect(int(i)) != expected[i])
                f << QStringLiteral("key %1 rectangle").arg(i);
        const QRect five = panel->GetButtonRect(13);
        if (IsWhite(s.pixel(panel->mapToGlobal(QPoint(five.left() + 3, five.center().y())))))
            f << QStringLiteral("key face");
        const QRect mc = panel->GetButtonRect(4);
        if (!IsWhite(s.pixel(panel->mapToGlobal(QPoint(mc.right() + 3, mc.center().y())))))
            f << QStringLiteral("gap after the memory column");
    });
    auto clockProbe = [](TExTimePickerDropDown* picker) {
        return [picker](const QImage& s, QStringList& f) {
            TExWatch* watch = picker->Watch();
            if (!watch)
                return f << QStringLiteral("no clock"), void();
            const QPoint centre = watch->mapToGlobal(watch->GetCenter());
            if (!Near(s.pixel(centre), watch->Appearance().CenterPointColor, 40))
                f << QStringLiteral("face centre");
            const QRect box = watch->GetAMPMRect();
            if (IsWhite(s.pixel(watch->mapToGlobal(QPoint(box.left(), box.center().y())))))
                f << QStringLiteral("AM/PM frame");
            if (watch->GetFaceRect() != WatchFaceRect(watch->rect(), 0))
                f << QStringLiteral("face rectangle");
        };
    };
    ok = ShootPopup(page.time, QStringLiteral("time"), dir, clockProbe(page.time)) && ok;
    ok = ShootPopup(page.timeWithEditor, QStringLiteral("time_editor"), dir, clockProbe(page.timeWithEditor)) && ok;
    ok = ShootPopup(page.detail, QStringLiteral("detail"), dir, [&](const QImage& s, QStringList& f) {
        TExCustomItemSelector* sel = page.detail->Selector();
        const int scroll = sel->verticalScrollBar()->value();
        const QRect selected = sel->GetItemRect(2).translated(0, -scroll);
        const QRect plain = sel->GetItemRect(3).translated(0, -scroll);
        if (IsWhite(s.pixel(sel->viewport()->mapToGlobal(QPoint(selected.right() - 4, selected.center().y())))))
            f << QStringLiteral("selected row fill");
        if (!Near(s.pixel(sel->viewport()->mapToGlobal(QPoint(plain.right() - 4, plain.center().y()))), sel->Color, 4))
            f << QStringLiteral("plain row");
        if (selected.height() != 36)
            f << QStringLiteral("row height");
    });
    ok = ShootPopup(page.image, QStringLiteral("image"), dir, [&](const QImage& s, QStringList& f) {
        TExCustomItemSelector* sel = page.image->Selector();
        const QSize cell = sel->Model().ItemSize();
        for (int i = 0; i < 8; ++i)
            if (sel->GetItemRect(i).topLeft() != QPoint(2 + (i % 4) * cell.width(), 2 + (i / 4) * cell.height()))
                f << QStringLiteral("cell %1 position").arg(i);
        const QRect chosen = sel->GetItemRect(5);
        if (Near(s.pixel(sel->viewport()->mapToGlobal(QPoint(chosen.left() + 3, chosen.bottom() - 3))), sel->Color, 4))
            f << QStringLiteral("chosen cell fill");
        const QRect other = sel->GetItemRect(0);
        if (!Near(s.pixel(sel->viewport()->mapToGlobal(QPoint(other.left() + 3, other.bottom() - 3))), sel->Color, 4))
            f << QStringLiteral("plain cell");
    });
    // Table pickers: header and row positions, the chosen row filled.
    auto tableProbe = [](auto* edit) {
        return [edit](const QImage& s, QStringList& f) {
            auto* grid = edit->GetGrid();
            QWidget* vp = edit->View()->viewport();
            int x = 0;
            for (int c = 0; c < grid->ColCount(); ++c) {
                const QRect r = grid->PlatformCellRect(c, 1);
                if (r.left() != x || r.top() != edit->HeaderHeight)
                    f << QStringLiteral("cell %1 position").arg(c);
                x += grid->ColWidths(c);
            }
            const QRect chosen = grid->PlatformCellRect(1, grid->Row());
            if (IsWhite(s.pixel(vp->mapToGlobal(QPoint(chosen.left() + 4, chosen.top() + 3)))))
                f << QStringLiteral("chosen row fill");
            const int plainRow = grid->Row() == 1 ? 2 : 1;
            const QRect plain = grid->PlatformCellRect(1, plainRow);
            if (!IsWhite(s.pixel(vp->mapToGlobal(QPoint(plain.left() + 4, plain.top() + 3)))))
                f << QStringLiteral("plain row");
        };
    };
    ok = ShootPopup(page.multiColumn, QStringLiteral("multi_column"), dir, [&](const QImage& s, QStringList& f) {
        tableProbe(page.multiColumn)(s, f);
        auto* grid = page.multiColumn->GetGrid();
        const QRect header = grid->PlatformCellRect(0, 0);
        if (header.height() != 25 || IsWhite(s.pixel(page.multiColumn->View()->viewport()->mapToGlobal(
                                         QPoint(header.left() + 3, header.bottom() - 3)))))
            f << QStringLiteral("header gradient");
    }) && ok;
    ok = ShootPopup(page.gridDropDown, QStringLiteral("grid"), dir, tableProbe(page.gridDropDown)) && ok;
    page.colorPicker->SetColorSelectionStyle(csDiscrete);
    ok = ShootPopup(page.colorPicker, QStringLiteral("color_boxes"), dir, [&](const QImage& s, QStringList& f) {
        TCustomColorSelector* boxes = page.colorPicker->ColorSelector();
        for (size_t i = 0; i < boxes->Items().size(); ++i)
            if (int(i) != boxes->ItemIndex() &&
                !Near(s.pixel(boxes->mapToGlobal(boxes->Items()[i].Rect.center())), boxes->Items()[i].Color, 2))
                f << QStringLiteral("box %1").arg(i);
        const QPoint inBox = page.colorPicker->mapToGlobal(page.colorPicker->ColorBoxRect().center());
        if (!Near(s.pixel(inBox), page.colorPicker->SelectedColor(), 2))
            f << QStringLiteral("edit colour box");
    }) && ok;
    page.colorPicker->SetColorSelectionStyle(csList);
    ok = ShootPopup(page.colorPicker, QStringLiteral("color_list"), dir) && ok;
    return ok;
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
    PickerPage pickers = BuildPickerPage(tabs);

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
        QTimer::singleShot(300, &tabs, [&] {
            bool ok = RunShots(dropDowns, shotsDir);
            ok = ShootPickers(tabs, pickers, shotsDir) && ok;
            app.exit(ok ? 0 : 1);
        });
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
