#include "boot_tcp_window.h"

#include "device_type.h"
#include "language.h"
#include "lb_button.h"
#include "messages.h"
#include "process_runner.h"
#include "snmp_map_type.h"
#include "workspace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TFBootTCP* FBootTCP = nullptr;

namespace {

const QColor kFoundColor(0, 128, 0);
const QColor kNotFoundColor(255, 0, 0);

QString DeviceCodeText()
{
    return DeviceType == BrandVariantType ? QString::fromLatin1(BrandVariantName) : DeviceCodeOf(DeviceType);
}

QLineEdit* MakeOctetEdit(QWidget* parent, const char* name, int x)
{
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, 97, 41, 21);
    return e;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int x, int y)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(x, y, 260, 17);
    c->setChecked(true);
    return c;
}

QString NativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

TFBootTCP::TFBootTCP(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FBootTCP"));

    P_Title = new QFrame(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    P_Title->setGeometry(0, 0, 350, 65);
    P_Title->setFrameShape(QFrame::StyledPanel);
    QPalette titlePalette = P_Title->palette();
    titlePalette.setColor(QPalette::Window, Qt::white);
    P_Title->setPalette(titlePalette);
    P_Title->setAutoFillBackground(true);
    L_SW_Code = new QLabel(SoftwareCode, P_Title);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(14);
    L_SW_Code->setFont(bold);
    L_SW_Code->setGeometry(16, 10, 320, 20);
    L_SW_Desc = new QLabel(P_Title);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    L_SW_Desc->setGeometry(16, 36, 320, 16);

    L_IP_Address = AddLabel("L_IP_Address", 16, 75);
    E_IP1 = MakeOctetEdit(this, "E_IP1", 35);
    E_IP2 = MakeOctetEdit(this, "E_IP2", 91);
    E_IP3 = MakeOctetEdit(this, "E_IP3", 147);
    E_IP4 = MakeOctetEdit(this, "E_IP4", 203);
    Label2 = AddLabel("Label2", 83, 105, QStringLiteral("."));
    Label3 = AddLabel("Label3", 139, 105, QStringLiteral("."));
    Label4 = AddLabel("Label4", 195, 105, QStringLiteral("."));
    L_Ping = AddLabel("L_Ping", 16, 136);
    Btn_Ping = MakeButton(this, "Btn_Ping", 35, 155, 100, 25);
    LPing = AddLabel("LPing", 151, 163);
    LPing->resize(195, 28);
    LPing->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LPing->setWordWrap(true);

    L_Options = AddLabel("L_Options", 16, 75);
    CB_Firmware = MakeCheckBox(this, "CB_Firmware", 36, 96);
    CB_Read_Firm = MakeCheckBox(this, "CB_Read_Firm", 56, 119);
    CB_Conf = MakeCheckBox(this, "CB_Conf", 36, 142);
    CB_Read_Conf = MakeCheckBox(this, "CB_Read_Conf", 56, 165);

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setGeometry(0, 192, 350, 41);
    Btn_Cancel = MakeButton(P_Button, "Btn_Cancel", 16, 8, 100, 25);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Next = MakeButton(P_Button, "Btn_Next", 134, 8, 100, 25);
    Btn_Update = MakeButton(P_Button, "Btn_Update", 16, 8, 180, 25);

    for (QLineEdit* e : {E_IP1, E_IP2, E_IP3}) // E_IP4 takes "." as typed
        e->installEventFilter(this);
    for (QLineEdit* e : {E_IP1, E_IP2, E_IP3, E_IP4})
        connect(e, &QLineEdit::textChanged, this, &TFBootTCP::AddressEdited);
    connect(Btn_Ping, &TLbButton::clicked, this, &TFBootTCP::LbButton1Click);
    connect(Btn_Next, &TLbButton::clicked, this, &TFBootTCP::LbButton2Click);
    connect(Btn_Update, &TLbButton::clicked, this, &TFBootTCP::LbButton4Click);
    connect(&m_ping, &PingRun::Finished, this, &TFBootTCP::PingFinished);
    connect(&m_updater, &platform::ProgramRunner::Finished, this, &TFBootTCP::UpdaterFinished);

    SetClientSize(350, 233);
    ShowAddressPage(true);
    Set_Lang();
}

TFBootTCP::~TFBootTCP()
{
    if (FBootTCP == this)
        FBootTCP = nullptr;
}

void TFBootTCP::Set_Lang()
{
    setWindowTitle(Lang(70));
    L_SW_Desc->setText(Lang(70));
    L_Ping->setText(Lang(72));
    L_Ping->adjustSize();
    Btn_Ping->SetCaption(Lang(73));
    Btn_Cancel->SetCaption(Lang(74));
    Btn_Next->SetCaption(Lang(75));
    L_Options->setText(Lang(76));
    L_Options->adjustSize();
    CB_Firmware->setText(Lang(77));
    CB_Read_Firm->setText(Lang(78));
    CB_Conf->setText(Lang(79));
    CB_Read_Conf->setText(Lang(80));
    Btn_Update->SetCaption(Lang(81));
}

void TFBootTCP::SetEchoClient(EchoClient* echo)
{
    m_echo = echo ? echo : &m_icmp;
}

void TFBootTCP::SetPingClock(PingClock* clock)
{
    m_clock = clock ? clock : &m_steady;
}

void TFBootTCP::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFBootTCP::FormShow()
{
    ShowAddressPage(true);
    LPing->clear();
    QString ip[4];
    if (!LastIPAddress.isEmpty() && Valid_IP(LastIPAddress, ip[0], ip[1], ip[2], ip[3])) {
        E_IP1->setText(ip[0]);
        E_IP2->setText(ip[1]);
        E_IP3->setText(ip[2]);
        E_IP4->setText(ip[3]);
    }
    L_IP_Address->setText(Lang(71) + DeviceCodeText());
    L_IP_Address->adjustSize();
    Esegui_Ping = false;
}

void TFBootTCP::ShowAddressPage(bool show)
{
    for (QWidget* w : std::initializer_list<QWidget*>{L_IP_Address, E_IP1, E_IP2, E_IP3, E_IP4, Label2, Label3,
                                                      Label4, L_Ping, Btn_Ping, LPing, Btn_Cancel, Btn_Next})
        w->setVisible(show);
    for (QWidget* w : std::initializer_list<QWidget*>{L_Options, CB_Firmware, CB_Read_Firm, CB_Conf, CB_Read_Conf,
                                                      Btn_Update})
        w->setVisible(!show);
}

bool TFBootTCP::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == QLatin1String(".")) {
        QLineEdit* next = watched == E_IP1 ? E_IP2 : watched == E_IP2 ? E_IP3 : watched == E_IP3 ? E_IP4 : nullptr;
        if (next) {
            if (next->isVisible() && next->isEnabled())
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return OrvanoForm::eventFilter(watched, event);
}

QString TFBootTCP::JoinedAddress() const
{
    return E_IP1->text() + QLatin1Char('.') + E_IP2->text() + QLatin1Char('.') + E_IP3->text() + QLatin1Char('.')
           + E_IP4->text();
}

void TFBootTCP::AddressEdited()
{
    // A ping proves only the address it went to.
    if (m_busy)
        return;
    Esegui_Ping = false;
    LPing->clear();
}

void TFBootTCP::ShowPingResult(const QString& text, bool good)
{
    QPalette p = LPing->palette();
    p.setColor(QPalette::WindowText, good ? kFoundColor : kNotFoundColor);
    LPing->setPalette(p);
    LPing->setText(text);
}

void TFBootTCP::SetBusy(bool busy)
{
    if (busy && !m_busy)
        m_focusBeforeBusy = focusWidget();
    m_busy = busy;
    for (QWidget* w : std::initializer_list<QWidget*>{Btn_Ping, Btn_Next, Btn_Cancel, Btn_Update, E_IP1, E_IP2, E_IP3,
                                                      E_IP4, CB_Firmware, CB_Read_Firm, CB_Conf, CB_Read_Conf})
        w->setEnabled(!busy);
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
        if (m_focusBeforeBusy && m_focusBeforeBusy->isVisible())
            m_focusBeforeBusy->setFocus(Qt::OtherFocusReason);
    }
}

void TFBootTCP::LbButton1Click()
{
    if (m_busy)
        return;
    Esegui_Ping = false;
    const QString address = CanonicalIP(JoinedAddress());
    if (address.isEmpty()) {
        ShowPingResult(Lang(84), false);
        return;
    }
    LPing->clear();
    SetBusy(true);
    m_ping.Start(address, *m_echo, *m_clock);
}

void TFBootTCP::PingFinished(const PingOutcome& outcome)
{
    SetBusy(false);
    switch (outcome.result) {
    case PingOutcome::Found:
        Esegui_Ping = true;
        ShowPingResult(Lang(82), true);
        break;
    case PingOutcome::NotFound:
    case PingOutcome::Stopped:
        ShowPingResult(Lang(83), false);
        break;
    case PingOutcome::Error:
        ShowPingResult(Lang(84), false);
        break;
    case PingOutcome::NotPermitted:
        ShowPingResult(QStringLiteral("Ping not permitted on this system"), false);
        LPing->setToolTip(outcome.error);
        break;
    }
}

void TFBootTCP::LbButton2Click()
{
    if (m_busy)
        return;
    const QString address = CanonicalIP(JoinedAddress());
    if (!Esegui_Ping || address.isEmpty()) {
        Messages::Error(Lang(85));
        return;
    }
    ShowAddressPage(false);
    LastIPAddress = address;
}

UpdateOptions TFBootTCP::Options() const
{
    UpdateOptions o;
    o.firmware = CB_Firmware->isChecked();
    o.readFirmware = CB_Read_Firm->isChecked();
    o.configuration = CB_Conf->isChecked();
    o.readConfiguration = CB_Read_Conf->isChecked();
    return o;
}

int TFBootTCP::Get_Map_Type_060()
{
    return Read_SNMP_Map_Type();
}

void TFBootTCP::LbButton4Click()
{
    if (m_busy)
        return;
    if (m_runningUpdater != 0) {
        if (platform::IsProgramRunning(m_runningUpdater)) {
            Messages::Warning(QStringLiteral("The updater started before is still running. "
                                             "Wait until it has ended before updating again."));
            return;
        }
        m_runningUpdater = 0;
    }
    const QString address = CanonicalIP(JoinedAddress());
    if (address.isEmpty()) {
        Messages::Error(Lang(84));
        return;
    }
    UpdaterRun run;
    QString error;
    if (!Prepare_Updater_Run(XML1, address, Options(), run, &error, &map_type_060)) {
        Messages::Error(error);
        return;
    }
    SetBusy(true);
    m_updaterProgram = run.program;
    m_updater.Start(run.program, run.arguments, false, m_updaterLimitMs);
}

void TFBootTCP::UpdaterFinished(const platform::ProgramRun& r)
{
    SetBusy(false);
    const QString program = NativePath(m_updaterProgram);
    switch (r.status) {
    case platform::ProgramRun::NotStarted:
        Messages::Error(QStringLiteral("The updater %1 could not be started: %2").arg(program, r.error));
        break;
    case platform::ProgramRun::TimedOut:
        m_runningUpdater = r.pid;
        Messages::Warning(QStringLiteral("The updater %1 is still running after %2 s. "
                                         "Wait until it has ended before updating again.")
                              .arg(program)
                              .arg(m_updaterLimitMs / 1000.0));
        break;
    case platform::ProgramRun::Finished:
        if (r.exitCode == -1)
            Messages::Error(QStringLiteral("The updater %1 did not end normally.").arg(program));
        else if (r.exitCode != 0)
            Messages::Error(QStringLiteral("The updater %1 ended with exit code %2.").arg(program).arg(r.exitCode));
        break;
    }
}

void TFBootTCP::reject()
{
    if (m_busy)
        return;
    OrvanoForm::reject();
}

void TFBootTCP::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    OrvanoForm::closeEvent(event);
}
