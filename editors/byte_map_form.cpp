#include "editors/byte_map_form.h"

#include "device_type.h"
#include "language.h"
#include "lb_button.h"
#include "title_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>

namespace editors {

namespace {

constexpr int kWidth = 654;
constexpr int kHeight = 508;
constexpr int kPanelTop = 76;
constexpr int kPanelHeight = 44;

} // namespace

ByteMapForm::ByteMapForm(QWidget* parent, const ByteMapDef& def) : OrvanoForm(parent), model_(def)
{
    setObjectName(QString::fromLatin1(def.objectName));
    QLabel* code = nullptr;
    MakeTitlePanel(this, kWidth, &code, &desc_);
    titleCob_ = AddLabel("ST_Title_Cob", 8, 54);
    titleBytes_ = AddLabel("ST_Title_Bytes", 176, 54);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setGeometry(8, kPanelTop, 160, 8 * kPanelHeight);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.Select(row);
        ShowFrame();
    });
    for (int k = 0; k < 8; ++k) {
        auto* p = new QWidget(this);
        p->setObjectName(QStringLiteral("Panel%1").arg(k + 1));
        p->setGeometry(176, kPanelTop + k * kPanelHeight, kWidth - 184, kPanelHeight - 4);
        captions_[size_t(k)] = new QLabel(p);
        captions_[size_t(k)]->setGeometry(4, 10, 210, 18);
        auto* e = new QLineEdit(QStringLiteral("none"), p);
        e->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
        e->setGeometry(218, 8, 70, 22);
        connect(e, &QLineEdit::editingFinished, this, [this, k] { EditExit(k); });
        edits_[size_t(k)] = e;
        arrays_[size_t(k)] = new QLabel(p);
        arrays_[size_t(k)]->setGeometry(294, 10, 90, 18);
        notInUse_[size_t(k)] = new QLabel(p);
        notInUse_[size_t(k)]->setObjectName(QStringLiteral("Label%1").arg(19 + k));
        notInUse_[size_t(k)]->setGeometry(388, 10, 70, 18);
        panels_[size_t(k)] = p;
    }
    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("P_Button"));
    buttons->setGeometry(0, kHeight - 44, kWidth, 44);
    ok_ = MakeButton(buttons, "Btn_OK", kWidth - 216, 8, 100, 28, QString());
    cancel_ = MakeButton(buttons, "Btn_Cancel", kWidth - 108, 8, 100, 28, QString());
    cancel_->SetModalResult(mrCancel);
    connect(ok_, &TLbButton::clicked, this, &ByteMapForm::OkClick);
    SetClientSize(kWidth, kHeight);
    Set_Lang();
}

void ByteMapForm::Set_Lang()
{
    const ByteMapDef& def = model_.Def();
    setWindowTitle(Lang(def.caption));
    desc_->setText(Lang(def.desc));
    ok_->SetCaption(Lang(def.ok));
    cancel_->SetCaption(Lang(def.cancel));
    titleCob_->setText(Lang(def.titleCob));
    titleCob_->adjustSize();
    titleBytes_->setText(Lang(def.titleBytes));
    titleBytes_->adjustSize();
    const QString array = Lang(DeviceType == 15 ? def.arraySnmp : def.arrayCaption);
    for (int k = 0; k < 8; ++k) {
        captions_[size_t(k)]->setText(Lang(def.byteCaption + k));
        arrays_[size_t(k)]->setText(array);
        notInUse_[size_t(k)]->setText(Lang(def.notInUse));
    }
}

void ByteMapForm::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    model_.FormShow();
    const QSignalBlocker block(list_);
    list_->clear();
    for (const FrameMap& f : model_.Frames())
        list_->addItem(f.cobId);
    list_->setCurrentRow(model_.Selected());
    ShowFrame();
}

void ByteMapForm::ShowFrame()
{
    const int sel = model_.Selected();
    const int dim = sel >= 0 ? model_.Frames()[size_t(sel)].dim : 0;
    for (int k = 0; k < 8; ++k) {
        const bool used = k < dim;
        panels_[size_t(k)]->setEnabled(used);
        notInUse_[size_t(k)]->setVisible(!used);
        const QSignalBlocker block(edits_[size_t(k)]);
        edits_[size_t(k)]->setText(model_.EditText(k));
    }
    if (list_->currentRow() != sel) {
        const QSignalBlocker block(list_);
        list_->setCurrentRow(sel);
    }
}

void ByteMapForm::EditExit(int k)
{
    if (!model_.LeaveEdit(k, edits_[size_t(k)]->text())) {
        edits_[size_t(k)]->setFocus();
        return;
    }
    const QSignalBlocker block(edits_[size_t(k)]);
    edits_[size_t(k)]->setText(model_.EditText(k));
}

void ByteMapForm::OkClick()
{
    // The edit being left counts first.
    for (int k = 0; k < 8; ++k)
        if (edits_[size_t(k)]->hasFocus() && !model_.LeaveEdit(k, edits_[size_t(k)]->text()))
            return;
    if (model_.Accept())
        done(mrOk);
    else
        ShowFrame();
}

} // namespace editors
