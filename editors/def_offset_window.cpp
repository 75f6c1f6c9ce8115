#include "def_offset_window.h"

#include "controls/grid/widget/grid_widget.h"
#include "language.h"
#include "lb_button.h"
#include "title_panel.h"

#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>

TFDefOffset* FDefOffset = nullptr;

namespace {

constexpr int kWidth = 482;
constexpr int kHeight = 610;

} // namespace

TFDefOffset::TFDefOffset(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FDefOffset"));
    QLabel* code = nullptr;
    MakeTitlePanel(this, kWidth, &code, &desc_);

    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 48, kWidth, 200);
    label1_ = new QLabel(panel1);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(8, 4, kWidth - 16, 18);
    slaves_ = new grid::TGridWidget(model_.SlaveGrid(), panel1);
    slaves_->setObjectName(QStringLiteral("ACG_DN_Slaves"));
    slaves_->setGeometry(8, 24, kWidth - 16, 170);

    auto* panel3 = new QWidget(this);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setGeometry(0, 252, kWidth, kHeight - 252 - 44);
    label2_ = new QLabel(panel3);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(8, 2, kWidth - 16, 18);
    label3_ = new QLabel(panel3);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setGeometry(8, 20, kWidth - 16, 18);
    pages_ = new QTabWidget(panel3);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setGeometry(8, 40, kWidth - 16, panel3->height() - 44);
    byteIn_ = new grid::TGridWidget(model_.ByteInGrid());
    byteIn_->setObjectName(QStringLiteral("ACG_ByteIN"));
    byteOut_ = new grid::TGridWidget(model_.ByteOutGrid());
    byteOut_->setObjectName(QStringLiteral("ACG_ByteOUT"));
    pages_->addTab(byteIn_, QString());
    pages_->addTab(byteOut_, QString());

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("P_Button"));
    buttons->setGeometry(0, kHeight - 44, kWidth, 44);
    ok_ = MakeButton(buttons, "Btn_OK", kWidth - 216, 8, 100, 28, QString());
    cancel_ = MakeButton(buttons, "Btn_Cancel", kWidth - 108, 8, 100, 28, QString());
    cancel_->SetModalResult(mrCancel);
    connect(ok_, &TLbButton::clicked, this, &TFDefOffset::OkClick);

    // A slave chosen with the mouse or the keys shows its bytes.
    auto chosen = [this](grid::TExStringGrid* g) {
        model_.SelectSlave(g->Row() - 1);
        Refresh();
    };
    model_.SlaveGrid().OnClick = chosen;
    model_.SlaveGrid().OnSelectionChanged = [chosen](grid::TExStringGrid* g, int, int, int, int) { chosen(g); };

    SetClientSize(kWidth, kHeight);
    pages_->setCurrentIndex(0);
    Set_Lang();
}

TFDefOffset::~TFDefOffset()
{
    model_.SlaveGrid().OnClick = nullptr;
    model_.SlaveGrid().OnSelectionChanged = nullptr;
    delete slaves_;
    delete pages_;
}

void TFDefOffset::Set_Lang()
{
    setWindowTitle(Lang(562));
    desc_->setText(Lang(563));
    ok_->SetCaption(Lang(564));
    cancel_->SetCaption(Lang(565));
    label1_->setText(Lang(566));
    label2_->setText(Lang(567));
    label3_->setText(Lang(568) + QStringLiteral(" \"None\" ") + Lang(569));
    pages_->setTabText(0, Lang(570));
    pages_->setTabText(1, Lang(571));
    model_.Set_Lang();
    Refresh();
}

void TFDefOffset::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    model_.FormShow();
    Refresh();
}

void TFDefOffset::Refresh()
{
    for (grid::TGridWidget* w : {slaves_, byteIn_, byteOut_}) {
        w->UpdateScrollBars();
        w->viewport()->update();
    }
}

void TFDefOffset::OkClick()
{
    if (model_.Accept())
        done(mrOk);
}
