#include "par_gen_window.h"

#include "app/forms/tab_order.h"

#include "device_type.h"
#include "int_text.h"
#include "language.h"
#include "lb_button.h"
#include "messages.h"
#include "modbus_poll_count.h"
#include "par_edit.h"
#include "par_gen_codec.h"
#include "par_gen_controls.h"
#include "par_gen_elements.h"
#include "par_gen_input_filter.h"
#include "par_gen_validation.h"
#include "workspace.h"

#include <QCheckBox>
#include <QShowEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>

TFParGen* FParGen = nullptr;

namespace {

QPixmap SignGlyph(bool plus)
{
    QPixmap pm(7, 7);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(0, 3, 6, 3);
    if (plus)
        p.drawLine(3, 0, 3, 6);
    return pm;
}

// The type's row of an element; nullptr when the type does not write it.
const ParGenElement* TypeRow(int type, const char* element)
{
    for (const ParGenElement* e : ParGenElementsOf(type)) {
        if (QLatin1String(e->element) == QLatin1String(element))
            return e;
    }
    return nullptr;
}

} // namespace

TFParGen::TFParGen(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FParGen"));
    CreateControls();

    // Creation: the software code, every box hidden, the boxes' buttons, the
    // arrangement for the model, the texts.
    Control<QLabel>(QStringLiteral("L_SW_Code"))->setText(SoftwareCode);
    Control<QLabel>(QStringLiteral("L_SW_Code"))->adjustSize();
    for (const ParBoxDef& box : ParGenBoxes())
        Control(QLatin1String(box.name))->hide();
    Collapse_Expand_Creation();
    Move_GroupBoxs();
    Set_Lang();
}

TFParGen::~TFParGen()
{
    if (FParGen == this)
        FParGen = nullptr;
}

QWidget* TFParGen::CreateControl(const ParControlDef& def)
{
    QWidget* parent = Control(QLatin1String(def.parent));
    QWidget* w = nullptr;
    switch (def.kind) {
    case ParCtl::Label: {
        auto* label = new QLabel(parent);
        if (def.fixed)
            label->setText(QString::fromLatin1(def.fixed));
        w = label;
        break;
    }
    case ParCtl::Edit: {
        auto* edit = new ParEdit(parent);
        edit->SetMaxLength(def.maxLength);
        edit->SetLowerCase(def.flags & LowerCase);
        edit->setFixedHeight(EditHeight);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { On_Change(edit); });
        w = edit;
        break;
    }
    case ParCtl::Combo: {
        auto* combo = new QComboBox(parent);
        combo->addItems(ParComboItems(def));
        combo->setCurrentIndex(def.item);
        combo->setFixedHeight(ComboHeight);
        // Selecting an item by code goes through SetValue, which blocks this.
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { On_Change(combo); });
        w = combo;
        break;
    }
    case ParCtl::Check: {
        auto* check = new QCheckBox(parent);
        check->setFixedHeight(CheckHeight);
        // Runs also when the state is set by code, as loading needs.
        connect(check, &QCheckBox::toggled, this, [this, check] { On_Click(check); });
        w = check;
        break;
    }
    case ParCtl::Radio: {
        auto* radio = new QRadioButton(parent);
        radio->setFixedHeight(CheckHeight);
        if (QLatin1String(def.name) == QLatin1String("RB_WM_Single_Slave_Mbus")) {
            connect(radio, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    RB_WM_Single_Slave_MbusClick();
            });
        }
        w = radio;
        break;
    }
    case ParCtl::Group: {
        auto* group = new QGroupBox(parent);
        group->resize(def.width, def.height);
        w = group;
        break;
    }
    }
    w->setObjectName(QLatin1String(def.name));
    w->move(def.left, def.top);
    if (def.kind == ParCtl::Label) {
        w->adjustSize();
    } else if (def.kind != ParCtl::Group) {
        const int width = def.width > 0 ? def.width : 296 - def.left - 8;
        w->setFixedWidth(width);
    }
    if (def.flags & Disabled)
        w->setEnabled(false);
    if (def.flags & Hidden)
        w->hide();
    m_controls.insert(w->objectName(), w);
    return w;
}

void TFParGen::CreateControls()
{
    auto* code = AddLabel("L_SW_Code", 16, 8);
    QFont big = ProgramFont();
    big.setPixelSize(32);
    code->setFont(big);
    code->setStyleSheet(QStringLiteral("color: gray"));
    m_controls.insert(code->objectName(), code);
    auto* desc = AddLabel("L_SW_Desc", 16, 42);
    QFont bold = ProgramFont();
    bold.setBold(true);
    desc->setFont(bold);
    desc->setStyleSheet(QStringLiteral("color: gray"));
    m_controls.insert(desc->objectName(), desc);

    for (const ParBoxDef& box : ParGenBoxes()) {
        auto* gb = new QGroupBox(this);
        gb->setObjectName(QLatin1String(box.name));
        gb->setGeometry(8, 70, 296, 26);
        m_controls.insert(gb->objectName(), gb);
        for (bool expand : {false, true}) {
            const QString name = expand ? ExpandButtonName(box.name) : CollapseButtonName(box.name);
            TLbButton* b = MakeButton(gb, name.toLatin1().constData(), 280, 10, 11, 11);
            b->SetHotTrackColor(QColor(166, 202, 240));
            b->SetGlyph(SignGlyph(expand));
            m_controls.insert(name, b);
            connect(b, &TLbButton::clicked, this, [this, b, expand] {
                if (expand)
                    Btn_GB_Expande(b);
                else
                    Btn_GB_Collapse(b);
            });
        }
    }
    for (const ParControlDef& def : ParGenControls()) {
        QWidget* w = CreateControl(def);
        if (TakesDot(w->objectName()))
            w->installEventFilter(this);
    }

    m_ok = MakeButton(this, "Btn_OK", 71, 0, 112, 28);
    m_cancel = MakeButton(this, "Btn_Cancel", 192, 0, 112, 28);
    for (TLbButton* b : {m_ok, m_cancel}) {
        b->SetColorWhenDown(QColor(255, 128, 0));
        b->SetHotTrackColor(Qt::yellow);
        b->SetLightColor(Qt::gray);
        m_controls.insert(b->objectName(), b);
    }
    connect(m_ok, &TLbButton::clicked, this, &TFParGen::Btn_OK_Click);
    connect(m_cancel, &TLbButton::clicked, this, &TFParGen::Btn_Cancel_Click);
}

void TFParGen::Set_Lang()
{
    setWindowTitle(Lang(86));
    Control<QLabel>(QStringLiteral("L_SW_Desc"))->setText(Lang(87));
    Control<QLabel>(QStringLiteral("L_SW_Desc"))->adjustSize();
    const bool agent = IsSnmpAgentType(DeviceType);
    for (const ParBoxDef& box : ParGenBoxes()) {
        const int text = QLatin1String(box.name) == QLatin1String("GB_PROFINET") && agent ? 863 : box.text;
        Control<QGroupBox>(QLatin1String(box.name))->setTitle(Lang(text));
        Control(CollapseButtonName(box.name))->setToolTip(Lang(978));
        Control(ExpandButtonName(box.name))->setToolTip(Lang(979));
    }
    for (const ParControlDef& def : ParGenControls()) {
        QWidget* w = Control(QLatin1String(def.name));
        int text = def.text;
        if (QLatin1String(def.name) == QLatin1String("L_PROFINET_Name_Station"))
            text = agent ? 864 : 93;
        if (def.kind == ParCtl::Combo && def.itemsText != 0) {
            // Items from the language; the version boxes go back to "3", the
            // auxiliary size to no item until the next showing.
            auto* combo = static_cast<QComboBox*>(w);
            const QSignalBlocker block(combo);
            combo->clear();
            combo->addItems(ParComboItems(def));
            combo->setCurrentIndex(def.item);
            continue;
        }
        if (text == 0)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(Lang(text));
            label->adjustSize();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            button->setText(Lang(text));
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            group->setTitle(Lang(text));
        }
    }
    m_ok->SetCaption(Lang(149));
    m_cancel->SetCaption(Lang(150));
}

// Showing -------------------------------------------------------------------

int TFParGen::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    return OrvanoForm::exec();
}

bool TFParGen::Read_Number_Modbus_Polls(QString& error)
{
    Num_Modbus_Polls = 0;
    if (DeviceType != 4)
        return true;
    return CountModbusPollBlocks(File_ModbusM_SetAccess, Num_Modbus_Polls, error);
}

bool TFParGen::FormShow()
{
    QString error;
    if (!Read_Number_Modbus_Polls(error)) {
        Messages::Error(error);
        return false;
    }
    const bool haveFile = !File_ParGen.isEmpty() && QFileInfo(File_ParGen).isFile();
    if (haveFile && !XML1.Load(File_ParGen)) {
        Messages::Error(XML1.ErrorText());
        return false;
    }
    // The working mode starts at Normal, so the previous showing cannot turn
    // the loaded Auto Calculation away.
    if (TypeRow(DeviceType, "Working_mode"))
        SetValue(QStringLiteral("RB_WM_Normal_Mbus"), QStringLiteral("1"));
    // Auto Calculation starts cleared too, so a box still ticked from the
    // previous showing counts the network as it is now when it loads ticked.
    const ParGenElement* autoCalc = TypeRow(DeviceType, "PROFINET_AUTO_CALC_BYTE");
    if (autoCalc && autoCalc->load == ParLoad::Read)
        SetValue(QStringLiteral("CB_Auto_Calc_Bytes"), QStringLiteral("0"));
    for (const ParGenAssignment& a : ParGenLoadAssignments(haveFile ? &XML1 : nullptr, DeviceType))
        SetValue(a.control, a.value);
    Is_Change = false;
    Move_GroupBoxs();
    return true;
}

void TFParGen::FormActivate()
{
    if (y() < 0)
        move(x(), 0);
}

bool TFParGen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return OrvanoForm::event(event);
}

void TFParGen::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    // The first field takes the focus, not a box's collapse button.
    if (!event->spontaneous()) {
        if (QWidget* first = forms::FirstFocusable(m_tabOrder))
            first->setFocus(Qt::TabFocusReason);
    }
}

void TFParGen::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the window: only Cancel (which asks) or the close box.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    OrvanoForm::keyPressEvent(event);
}

// Values --------------------------------------------------------------------

QString TFParGen::Value(const QString& control) const
{
    QWidget* w = Control(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return QString::number(combo->currentIndex());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return QString();
}

void TFParGen::SetValue(const QString& control, const QString& value)
{
    QWidget* w = Control(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(combo);
        const int index = StrToIntDef(value, -1);
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setChecked(value == QLatin1String("1"));
    }
}

bool TFParGen::IsShown(const QString& control) const
{
    QWidget* w = Control(control);
    return w && w->isVisibleTo(this);
}

// Handlers ------------------------------------------------------------------

void TFParGen::On_Change(QObject* sender)
{
    Is_Change = true;
    static const QStringList kArranging = {
        QStringLiteral("CB_SNMP_PROFINET_Map_Type"), QStringLiteral("CB_PROFI_SNMP_Secure_Lev"),
        QStringLiteral("CB_PROFI_SNMP_Version"), QStringLiteral("CB_PROFI_SNMP_Priv_Mode"),
        QStringLiteral("CB_SNMP_Secure_Lev"), QStringLiteral("CB_SNMP_Version"), QStringLiteral("CB_SNMP_Priv_Mode")};
    if (kArranging.contains(sender->objectName()))
        Move_GroupBoxs();
}

void TFParGen::On_Click(QObject* sender)
{
    Is_Change = true;
    const QString name = sender->objectName();
    if (name == QLatin1String("CB_Auto_Calc_Bytes")) {
        auto* autoCalc = static_cast<QCheckBox*>(sender);
        QWidget* out = Control(QStringLiteral("E_NB_OUT_PROFINET"));
        if (!autoCalc->isChecked()) {
            out->setEnabled(true);
        } else if (Control<QRadioButton>(QStringLiteral("RB_WM_Single_Slave_Mbus"))->isChecked()) {
            Messages::Error(Lang(859));
            autoCalc->setChecked(false);
        } else {
            const MBusByteCount count = Calcolate_Byte_Used_in_MBus_Configuration();
            if (!count.ok) {
                // No stale count may pass for a computed one.
                Messages::Error(count.error);
                autoCalc->setChecked(false);
                return;
            }
            out->setEnabled(false);
            SetValue(QStringLiteral("E_NB_OUT_PROFINET"), QString::number(count.bytes));
        }
    } else if (name == QLatin1String("CB_PROFI_SNMP_Priv_Pass_Hex")) {
        Move_GroupBoxs();
    }
}

void TFParGen::RB_WM_Single_Slave_MbusClick()
{
    if (Control<QRadioButton>(QStringLiteral("RB_WM_Single_Slave_Mbus"))->isChecked()
        && Control<QCheckBox>(QStringLiteral("CB_Auto_Calc_Bytes"))->isChecked()) {
        Messages::Error(Lang(858));
        Control<QRadioButton>(QStringLiteral("RB_WM_Normal_Mbus"))->setChecked(true);
    }
}

MBusByteCount TFParGen::Calcolate_Byte_Used_in_MBus_Configuration() const
{
    return CountMBusBytes(File_M_Bus);
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == QLatin1String(".")) {
        KeyPress(watched);
        return true;   // the "." never enters the edit
    }
    return OrvanoForm::eventFilter(watched, event);
}

void TFParGen::KeyPress(QObject* sender)
{
    QWidget* next = Control(NextOnDot(sender->objectName(), DeviceType));
    if (next && next->isVisible() && next->isEnabled()) {
        next->setFocus(Qt::OtherFocusReason);
        // The next octet's text is selected, so what is typed replaces it.
        if (auto* edit = qobject_cast<QLineEdit*>(next))
            edit->selectAll();
    }
}

// OK and Cancel ---------------------------------------------------------------

void TFParGen::Btn_OK_Click()
{
    if (!Controllo_Dati())
        return;
    ParGenBuildDocument(XML1, DeviceType, *this);
    if (!XML1.Save(File_ParGen)) {
        Messages::Error(XML1.ErrorText());
        return;
    }
    done(QDialog::Accepted);
}

void TFParGen::Btn_Cancel_Click()
{
    if (Is_Change && !Messages::Ask(Lang(187)))
        return;
    done(QDialog::Rejected);
}

bool TFParGen::Controllo_Dati()
{
    const QString error = ParGenFirstError(DeviceType, *this, Num_Modbus_Polls);
    if (error.isEmpty())
        return true;
    Messages::Error(error);
    return false;
}
