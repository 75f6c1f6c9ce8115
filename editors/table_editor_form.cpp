#include "editors/table_editor_form.h"

#include "controls/grid/widget/grid_widget.h"
#include "language.h"
#include "lb_button.h"
#include "title_panel.h"

#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>

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
        const SectionDef& sec = def.sections[size_t(s)];
        QWidget* page = nullptr;
        if (pages_ && sec.pageName) {
            page = new QWidget(pages_);
            page->setObjectName(QString::fromLatin1(sec.pageName));
        }
        auto* w = new grid::TGridWidget(model_.Grid(s), page ? page : pages_ ? static_cast<QWidget*>(pages_) : gridParent);
        w->setObjectName(QString::fromLatin1(sec.gridName ? sec.gridName : def.gridName));
        if (page) {
            auto* layout = new QVBoxLayout(page);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(w);
            pages_->addTab(page, QString());
        } else if (pages_)
            pages_->addTab(w, QString());
        else
            w->setGeometry(tableArea);
        widgets_.push_back(w);
    }

    auto* panel = new QWidget(this);
    panel_ = panel;
    panel->setObjectName(QStringLiteral("P_Button"));
    panel->setGeometry(0, def.height - kButtonPanelHeight, def.width, kButtonPanelHeight);
    const int y = (kButtonPanelHeight - kButtonHeight) / 2;
    int x = 8;
    const ButtonNames& names = kButtonNames[def.rowButtons == RowButtons::DeleteInsertCopyPaste ? 0 : int(def.rowButtons)];
    if (names.third) {
        button3_ = MakeButton(panel, names.third, x, y, kButtonWidth, kButtonHeight, QString());
        button4_ = MakeButton(panel, names.fourth, x + kButtonWidth + 8, y, kButtonWidth, kButtonHeight, QString());
        connect(button3_, &TLbButton::clicked, this, &TableEditorForm::Button3Click);
        connect(button4_, &TLbButton::clicked, this, &TableEditorForm::Button4Click);
    }
    if (def.rowButtons == RowButtons::DeleteInsertCopyPaste) {
        copy_ = MakeButton(panel, "Btn_CopyRow", x + 2 * (kButtonWidth + 8), y, kButtonWidth, kButtonHeight, QString());
        paste_ = MakeButton(panel, "Btn_PasteRow", x + 3 * (kButtonWidth + 8), y, kButtonWidth, kButtonHeight, QString());
        connect(copy_, &TLbButton::clicked, this, &TableEditorForm::CopyClick);
        connect(paste_, &TLbButton::clicked, this, &TableEditorForm::PasteClick);
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
    if (copy_) {
        copy_->SetCaption(Lang(def.copyText));
        paste_->SetCaption(Lang(def.pasteText));
    }
    // The buttons' hints, in the order OK, Cancel, the row buttons.
    TLbButton* const buttons[] = {ok_, cancel_, button3_, button4_, copy_, paste_};
    for (size_t i = 0; i < def.buttonHints.size() && i < std::size(buttons); ++i)
        if (buttons[i])
            buttons[i]->setToolTip(Lang(def.buttonHints[i]));
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
    if (pages_ && !model_.Def().keepPage)
        pages_->setCurrentIndex(0);
    model_.FormShow();
    if (model_.ClientWidth() > 0 && model_.ClientWidth() != ClientSize().width())
        Relayout(model_.ClientWidth());
    for (auto* w : widgets_)
        w->viewport()->update();
}

void TableEditorForm::Relayout(int width)
{
    const TableDef& def = model_.Def();
    if (auto* title = findChild<QWidget*>(QStringLiteral("P_Title"), Qt::FindDirectChildrenOnly))
        title->resize(width, title->height());
    const QRect tableArea(0, kTitleHeight, width, def.height - kTitleHeight - kButtonPanelHeight);
    if (pages_)
        pages_->setGeometry(tableArea);
    else if (!widgets_.empty())
        widgets_.front()->setGeometry(tableArea);
    panel_->resize(width, kButtonPanelHeight);
    const int x = width - 2 * (kButtonWidth + 8);
    ok_->move(x, ok_->y());
    cancel_->move(x + kButtonWidth + 8, cancel_->y());
    SetClientSize(width, def.height);
}

void TableEditorForm::CopyClick()
{
    model_.CopyRow(ActiveSection());
}

void TableEditorForm::PasteClick()
{
    model_.PasteRow(ActiveSection());
    widgets_[size_t(ActiveSection())]->viewport()->update();
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
