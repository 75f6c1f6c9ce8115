#include "editors/table_editor_form.h"

#include "controls/grid/widget/grid_widget.h"
#include "language.h"
#include "lb_button.h"
#include "title_panel.h"

#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>

namespace editors {

namespace {

constexpr int kTitleHeight = 48;
constexpr int kButtonPanelHeight = 44;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;

struct ButtonNames
{
    const char* third;
    const char* fourth;
};
// By RowButtons.
constexpr ButtonNames kButtonNames[] = {
    {"Btn_DelRow", "Btn_InsRow"}, {"Btn_SelectAll", "Btn_ClearAll"}, {nullptr, nullptr}};

} // namespace

TableEditorForm::TableEditorForm(QWidget* parent, const TableDef& def) : OrvanoForm(parent), model_(def)
{
    setObjectName(QString::fromLatin1(def.objectName));
    MakeTitlePanel(this, def.width, &code_, &desc_);

    const QRect tableArea(0, kTitleHeight, def.width, def.height - kTitleHeight - kButtonPanelHeight);
    QWidget* gridParent = this;
    if (model_.SectionCount() > 1) {
        pages_ = new QTabWidget(this);
        pages_->setObjectName(QStringLiteral("PageControl1"));
        pages_->setGeometry(tableArea);
    }
    for (int s = 0; s < model_.SectionCount(); ++s) {
        auto* w = new grid::TGridWidget(model_.Grid(s), pages_ ? static_cast<QWidget*>(pages_) : gridParent);
        w->setObjectName(QString::fromLatin1(def.gridName));
        if (pages_)
            pages_->addTab(w, QString());
        else
            w->setGeometry(tableArea);
        widgets_.push_back(w);
    }

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("P_Button"));
    panel->setGeometry(0, def.height - kButtonPanelHeight, def.width, kButtonPanelHeight);
    const int y = (kButtonPanelHeight - kButtonHeight) / 2;
    int x = 8;
    const ButtonNames& names = kButtonNames[int(def.rowButtons)];
    if (names.third) {
        button3_ = MakeButton(panel, names.third, x, y, kButtonWidth, kButtonHeight, QString());
        button4_ = MakeButton(panel, names.fourth, x + kButtonWidth + 8, y, kButtonWidth, kButtonHeight, QString());
        connect(button3_, &TLbButton::clicked, this, &TableEditorForm::Button3Click);
        connect(button4_, &TLbButton::clicked, this, &TableEditorForm::Button4Click);
    }
    x = def.width - 2 * (kButtonWidth + 8);
    ok_ = MakeButton(panel, "Btn_OK", x, y, kButtonWidth, kButtonHeight, QString());
    cancel_ = MakeButton(panel, "Btn_Cancel", x + kButtonWidth + 8, y, kButtonWidth, kButtonHeight, QString());
    cancel_->SetModalResult(mrCancel);
    connect(ok_, &TLbButton::clicked, this, &TableEditorForm::OkClick);

    SetClientSize(def.width, def.height);
    Set_Lang();
}

TableEditorForm::~TableEditorForm()
{
    // The painted grids go before the grids they show.
    for (auto* w : widgets_)
        delete w;
    delete pages_;
}

void TableEditorForm::Set_Lang()
{
    const TableDef& def = model_.Def();
    setWindowTitle(Lang(def.caption));
    desc_->setText(Lang(def.desc));
    ok_->SetCaption(Lang(def.ok));
    cancel_->SetCaption(Lang(def.cancel));
    if (button3_) {
        button3_->SetCaption(Lang(def.button3));
        button4_->SetCaption(Lang(def.button4));
    }
    if (pages_)
        for (int s = 0; s < pages_->count(); ++s)
            pages_->setTabText(s, Lang(def.sections[size_t(s)].page));
    model_.Set_Lang();
    for (auto* w : widgets_)
        w->viewport()->update();
}

int TableEditorForm::ActiveSection() const
{
    return pages_ ? std::max(pages_->currentIndex(), 0) : 0;
}

void TableEditorForm::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    model_.FormShow();
    for (auto* w : widgets_)
        w->viewport()->update();
}

void TableEditorForm::OkClick()
{
    if (model_.Accept())
        done(mrOk);
}

void TableEditorForm::Button3Click()
{
    if (model_.Def().rowButtons == RowButtons::SelectClear)
        model_.SetAllChecks(true);
    else
        model_.DeleteRow(ActiveSection());
    widgets_[size_t(ActiveSection())]->viewport()->update();
}

void TableEditorForm::Button4Click()
{
    if (model_.Def().rowButtons == RowButtons::SelectClear)
        model_.SetAllChecks(false);
    else
        model_.InsertRow(ActiveSection());
    widgets_[size_t(ActiveSection())]->viewport()->update();
}

} // namespace editors
