#include "main_window.h"

#include "app/forms/tab_order.h"

#include "about_window.h"
#include "boot_tcp_window.h"
#include "compiler.h"
#include "device_type.h"
#include "helpers.h"
#include "int_text.h"
#include "language.h"
#include "lb_button.h"
#include "messages.h"
#include "new_project_window.h"
#include "open_conf_window.h"
#include "par_gen_window.h"
#include "project_files.h"
#include "settings.h"
#include "shape.h"
#include "shell_glyphs.h"
#include "soft_options_window.h"
#include "step_layout.h"
#include "version_check.h"
#include "workspace.h"

#include "advance_functions_window.h"
#include "can_rec_frames_window.h"
#include "can_send_frame_window.h"
#include "def_offset_window.h"
#include "dmx_def_val_window.h"
#include "dnet_window.h"
#include "modbus_tcp_master_set_access_window.h"
#include "node_guard_window.h"
#include "rec_info_window.h"
#include "receive_j1939_window.h"
#include "receive_nmea_window.h"
#include "restart_devices_window.h"
#include "sen_info_window.h"
#include "set_access_window.h"
#include "set_pdo_access_window.h"
#include "set_sdo_client_access_window.h"
#include "set_sdo_server_access_window.h"
#include "snmp_trap_access_window.h"
#include "transmit_j1939_window.h"
#include "transmit_nmea_window.h"

#include "eds_writer.h"
#include "gsd_writer.h"
#include "gsdml_writer.h"
#include "mib_writer.h"
#include "profinet_file_name_window.h"

#include "meter_bus_window.h"
#include "new_id_node_window.h"
#include "scan_decode_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

TFOrvanoeFirmWare* FOrvanoeFirmWare = nullptr;

namespace {

const QColor kGray(128, 128, 128);
const QColor kSkyBlue(166, 202, 240);
constexpr int kFirstCheckMs = 60000;
constexpr int kCheckEveryMs = 7200000;

// Texts of the window by control (language text numbers).
struct ControlText
{
    const char* name;
    int text;
};

const ControlText kButtonCaptions[] = {
    {"Btn_New", 17}, {"Btn_Open", 18}, {"Btn_Prm_Gen", 19}, {"Btn_CreateBin", 20}, {"Btn_PROFINET_XML", 21},
    {"Btn_CAN_Rec_Frame", 22}, {"Btn_CAN_Send_Frame", 23}, {"Btn_CAN_Rec_Info", 24}, {"Btn_CAN_Send_Info", 25},
    {"Btn_DNet_Net", 26}, {"Btn_DNet_Offset", 27}, {"Btn_ModM_SetAccess", 28}, {"Btn_J1939_Rec_Frame", 29},
    {"Btn_J1939_Send_Frame", 30}, {"Btn_NMEA_Rec_Frame", 31}, {"Btn_NMEA_Send_Frame", 32},
    {"Btn_SDO_Server_CANopen", 33}, {"Btn_SDO_Client_CANopen", 34}, {"Btn_PDO_CANopen", 35}, {"Btn_MBus", 36},
    {"Btn_PROFIBUS_GSD", 37}, {"Btn_CANopen_EDS", 899}, {"Btn_DMX_Default", 940}, {"Btn_SNMP_Trap", 961},
    {"Btn_SNMP_MIB", 962}, {"Btn_ScanDecode", 972},
};

const ControlText kButtonHints[] = {{"Btn_Info", 12}, {"Btn_Opz", 13}, {"Btn_Close", 14}};

// Steps whose buttons keep their fixed captions.
const struct
{
    const char* name;
    const char* caption;
} kFixedCaptions[] = {
    {"Btn_NodeGuard_CANopen", "Set Node Guarding"},
    {"Btn_ReStart_Devices_CANopen", "ReStart Devices"},
};

// Where the start-up places the step buttons before the model's layout.
const struct
{
    const char* name;
    int x, y;
    bool shown;
} kInitialPlaces[] = {
    {"Btn_New", 80, 112, true},          {"Btn_Open", 258, 112, true},
    {"Btn_Prm_Gen", 80, 156, true},      {"Btn_CreateBin", 80, 332, true},
    {"Btn_PROFINET_XML", 80, 300, true}, {"Btn_PROFIBUS_GSD", 258, 300, false},
};

bool HasSnmpMapSteps(int type)
{
    return type == 18 || type == 19 || type == BrandVariantType;
}

using StepRun = void (*)(TFOrvanoeFirmWare&);

// What each project step does.
const struct
{
    const char* button;
    StepRun run;
} kStepActions[] = {
    {"Btn_Prm_Gen",
     [](TFOrvanoeFirmWare& w) {
         FParGen->ShowModal();
         if (HasSnmpMapSteps(DeviceType))
             w.Select_Type();
     }},
    {"Btn_CAN_Rec_Frame", [](TFOrvanoeFirmWare&) { FCAN_Rec_Frames->ShowModal(); }},
    {"Btn_CAN_Send_Frame", [](TFOrvanoeFirmWare&) { FCAN_Send_Frame->ShowModal(); }},
    {"Btn_CAN_Rec_Info", [](TFOrvanoeFirmWare&) { F_Rec_Info->ShowModal(); }},
    {"Btn_CAN_Send_Info", [](TFOrvanoeFirmWare&) { F_Sen_Info->ShowModal(); }},
    {"Btn_SNMP_Trap", [](TFOrvanoeFirmWare&) { FSNMP_Trap_Access->ShowModal(); }},
    {"Btn_SNMP_MIB", [](TFOrvanoeFirmWare& w) { Save_MIB(w.SaveMIB); }},
    {"Btn_DNet_Net", [](TFOrvanoeFirmWare&) { FDNet->ShowModal(); }},
    {"Btn_DNet_Offset", [](TFOrvanoeFirmWare&) { FDefOffset->ShowModal(); }},
    {"Btn_PROFIBUS_GSD", [](TFOrvanoeFirmWare&) { Save_GSD(); }},
    {"Btn_ModM_SetAccess",
     [](TFOrvanoeFirmWare&) {
         if (DeviceType == 11 || DeviceType == 19)
             FModbus_TCP_Master_Set_Access->ShowModal();
         else
             FSetAccess->ShowModal();
     }},
    {"Btn_J1939_Rec_Frame", [](TFOrvanoeFirmWare&) { FReceiveJ1939->ShowModal(); }},
    {"Btn_J1939_Send_Frame", [](TFOrvanoeFirmWare&) { FTransmitJ1939->ShowModal(); }},
    {"Btn_NMEA_Rec_Frame", [](TFOrvanoeFirmWare&) { FReceiveNMEA->ShowModal(); }},
    {"Btn_NMEA_Send_Frame", [](TFOrvanoeFirmWare&) { FTransmitNMEA->ShowModal(); }},
    {"Btn_SDO_Server_CANopen", [](TFOrvanoeFirmWare&) { FSet_SDO_Server_Access->ShowModal(); }},
    {"Btn_SDO_Client_CANopen", [](TFOrvanoeFirmWare&) { FSet_SDO_Client_Access->ShowModal(); }},
    {"Btn_PDO_CANopen", [](TFOrvanoeFirmWare&) { FSet_PDO_Access->ShowModal(); }},
    {"Btn_ReStart_Devices_CANopen", [](TFOrvanoeFirmWare&) { FReStart_Devices->ShowModal(); }},
    {"Btn_NodeGuard_CANopen", [](TFOrvanoeFirmWare&) { FNodeGuard->ShowModal(); }},
    {"Btn_CANopen_EDS", [](TFOrvanoeFirmWare& w) { w.Build_EDS_File(); }},
    {"Btn_MBus", [](TFOrvanoeFirmWare&) { FMeter_Bus->ShowModal(); }},
    {"Btn_DMX_Default", [](TFOrvanoeFirmWare&) { FDMXDefVal->ShowModal(); }},
    {"Btn_PROFINET_XML", [](TFOrvanoeFirmWare& w) { w.PROFINET_XML(); }},
    {"Btn_CreateBin", [](TFOrvanoeFirmWare& w) { w.Update_Device(); }},
};

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, bool bold, int pixelSize = 0)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    QFont f = parent->font();
    f.setBold(bold);
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kGray);
    label->setPalette(pal);
    return label;
}

void SetLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace

TFOrvanoeFirmWare::TFOrvanoeFirmWare(const QString& exeDir, QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FOrvanoeFirmWare"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    // 1. An empty language table until the texts are loaded.
    LangTable.clear();
    // 2, 3. The controls and the model's steps.
    CreateControls();
    Apply_Step_Layout();

    // 4. The program's folders.
    SetProgramFolders(exeDir);
    for (const QString& dir : {MasterDir, ProjectsDir, LanguageDir})
        QDir().mkpath(dir);

    // 5. The settings; a file that cannot be read leaves the defaults.
    ProjectName.clear();
    QString error;
    if (!Read_Settings(XML1, &error))
        Messages::Error(error);

    // 6. The version check.
    Apply_Update_Timer();

    // 7. The model's caption, code and description.
    MainCaption = MainCaptionOf(DeviceType);
    SoftwareCode = SoftwareCodeOf(DeviceType);
    SoftwareDesc = DescriptionOf(DeviceType);
    setWindowTitle(MainCaption);
    SetLabelText(L_SW_Code, SoftwareCode);
    SetLabelText(L_SW_Desc, SoftwareDesc);

    // 8. The texts: English, then the chosen language.
    if (!Load_Language(&error))
        Messages::Error(error);

    // 9. The last project, when its folder is still there. The name stays
    // in the settings either way.
    const QString folder = ProjectFolder(ProjectName);
    if (!ProjectName.isEmpty() && CheckProjectName(ProjectName, {}) == 0 && QFileInfo(folder).isDir())
        ProjectPath = folder;
    else
        ProjectPath.clear();

    // 10. The M-Bus scan's lists.
    WiredSlaveList.clear();
    WirelessSlaveList.clear();

    // 11, 12.
    Set_Lang();
    Set_Files();

    // 13. The shared lists.
    RowClipboard.clear();
    SNMPReadDescList.clear();
    SNMPWriteDescList.clear();
}

TLbButton* TFOrvanoeFirmWare::AddButton(const char* name, int x, int y, int w, int h)
{
    TLbButton* b = MakeButton(this, name, x, y, w, h);
    m_buttons.insert(b->objectName(), b);
    connect(b, &TLbButton::clicked, this, [this, b] { Btn_SNMP_MIB_Click(b); });
    return b;
}

TLbButton* TFOrvanoeFirmWare::Button(const QString& name) const
{
    return m_buttons.value(name);
}

void TFOrvanoeFirmWare::CreateControls()
{
    L_SW_Code = MakeLabel(this, "L_SW_Code", 16, 8, false, 32);
    L_SW_Desc = MakeLabel(this, "L_SW_Desc", 16, 42, true);
    L_Begin = MakeLabel(this, "L_Begin", 16, 84, true);

    Shape2 = new TShape(this, "Shape2", QColor(192, 192, 192));
    Shape2->setGeometry(80, 70, 348, 36);
    L_Name_Conf = MakeLabel(this, "L_Name_Conf", 87, 75, false);
    L_Name_Conf->setFixedSize(336, 13);
    L_Name_Conf_L2 = MakeLabel(this, "L_Name_Conf_L2", 87, 88, true);
    L_Name_Conf_L2->setFixedSize(336, 15);

    const struct
    {
        TLbButton** button;
        const char* name;
        int x;
        QPixmap (*glyph)();
    } glyphButtons[] = {
        {&Btn_Info, "Btn_Info", 516, InfoGlyph},
        {&Btn_Opz, "Btn_Opz", 574, OptionsGlyph},
        {&Btn_Close, "Btn_Close", 632, CloseGlyph},
    };
    for (const auto& g : glyphButtons) {
        *g.button = AddButton(g.name, g.x, 8, 50, 50);
        (*g.button)->SetStyle(bsNormal);
        (*g.button)->SetGlyph(g.glyph());
    }

    for (int n = 1; n <= 9; ++n) {
        const QByteArray name = "L_Step_" + QByteArray::number(n);
        L_Step[n - 1] = MakeLabel(this, name.constData(), 16, StepLabelTop(n), true);
        L_Step[n - 1]->hide();
    }

    for (const QString& name : AllStepButtonNames()) {
        TLbButton* b = AddButton(name.toLatin1().constData(), 80, 112, 170, 36);
        b->SetAlignment(Qt::AlignLeft);
        b->hide();
    }
    for (const auto& place : kInitialPlaces) {
        TLbButton* b = Button(QString::fromLatin1(place.name));
        b->move(place.x, place.y);
        b->setVisible(place.shown);
    }
    Button(QStringLiteral("Btn_Prm_Gen"))->SetStyle(bsNormal);
    for (const char* name : {"Btn_New", "Btn_Open", "Btn_CreateBin"})
        Button(QString::fromLatin1(name))->SetHotTrackColor(kSkyBlue);
    for (const auto& fixed : kFixedCaptions)
        Button(QString::fromLatin1(fixed.name))->SetCaption(QString::fromLatin1(fixed.caption));

    Btn_ScanDecode = AddButton("Btn_ScanDecode", 516, 70, 166, 36);
    Btn_ScanDecode->hide();

    L_Keltrona = new QLabel(this);
    L_Keltrona->setObjectName(QStringLiteral("L_Keltrona"));
    L_Keltrona->setText(QStringLiteral("Keltrona"));
    QFont brand = font();
    brand.setPixelSize(16);
    brand.setBold(true);
    brand.setItalic(true);
    L_Keltrona->setFont(brand);
    QPalette pal = L_Keltrona->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 70, 140));
    L_Keltrona->setPalette(pal);
    L_Keltrona->setCursor(Qt::PointingHandCursor);
    L_Keltrona->adjustSize();
    L_Keltrona->move(565, 392);
    L_Keltrona->hide();
    OnLeftClick(L_Keltrona, [this] { L_KeltronaClick(); });

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setWordWrap(false);
    LL_Update->move(330, 12);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, [](const QString& link) { OpenUrl(QUrl(link)); });

    Shape1 = new TShape(this, "Shape1", kGray);

    Timer_Update = new QTimer(this);
    Timer_Update->setObjectName(QStringLiteral("Timer_Update"));
    Timer_Update->setInterval(kFirstCheckMs);
    connect(Timer_Update, &QTimer::timeout, this, &TFOrvanoeFirmWare::Timer_UpdateTimer);

    connect(&m_programRunner, &platform::ProgramRunner::Finished, this, [this](const platform::ProgramRun& run) {
        const auto done = std::move(m_programDone);
        m_programDone = nullptr;
        if (done)
            done(run);
    });

    SaveEDS.Filter = QStringLiteral("Electronic Data Sheet (*.eds)|*.eds");
    SaveMIB.Filter = QStringLiteral("Management Information Base (*.mib)|*.mib");
}

void TFOrvanoeFirmWare::Apply_Step_Layout()
{
    for (const QString& name : AllStepButtonNames())
        Button(name)->hide();
    int last = 1;
    for (const StepButtonPlace& place : StepButtonsOf(DeviceType)) {
        TLbButton* b = Button(place.name);
        b->move(StepColumnLeft(place.column), StepButtonTop(place.step));
        b->show();
        last = std::max(last, place.step);
    }
    for (int n = 1; n <= 9; ++n)
        L_Step[n - 1]->setVisible(n <= last);
    Btn_ScanDecode->setVisible(HasScanDecode(DeviceType));
    L_Keltrona->move(565, StepLabelTop(last));
    L_Keltrona->setVisible(DeviceType != BrandVariantType);

    const int bottom = Button(QStringLiteral("Btn_CreateBin"))->y();
    Shape1->setGeometry(10, bottom + 51, 674, 1);
    SetClientSize(694, bottom + 152);

    // Tab follows the screen: the steps, Scan & Decode, then the glyph buttons.
    QList<QWidget*> steps;
    for (const StepButtonPlace& place : StepButtonsOf(DeviceType))
        steps.append(Button(place.name));
    m_tabOrder = forms::ReadingOrder(steps, this);
    m_tabOrder += {Btn_ScanDecode, Btn_Info, Btn_Opz, Btn_Close};
    forms::ChainTabOrder(m_tabOrder);
}

void TFOrvanoeFirmWare::Set_Lang()
{
    SetLabelText(L_Begin, Lang(0));
    for (int n = 1; n <= 8; ++n)
        SetLabelText(L_Step[n - 1], Lang(n));
    SetLabelText(L_Step[8], QStringLiteral("Step 9"));
    for (const ControlText& hint : kButtonHints)
        Button(QString::fromLatin1(hint.name))->setToolTip(Lang(hint.text));
    for (const ControlText& caption : kButtonCaptions)
        Button(QString::fromLatin1(caption.name))->SetCaption(Lang(caption.text));
    Show_Project_Labels();
}

void TFOrvanoeFirmWare::Show_Project_Labels()
{
    if (!ProjectPath.isEmpty()) {
        L_Name_Conf->setText(Lang(11));
        L_Name_Conf_L2->setText(ProjectName);
    } else {
        L_Name_Conf->setText(Lang(9));
        L_Name_Conf_L2->setText(Lang(10));
    }
}

void TFOrvanoeFirmWare::Change_Language()
{
    Set_Lang();
    const QList<OrvanoForm*> windows = {
        FProfinetFileName, FBootTCP, FNew_Project, FOpenConf, FParGen, FSoftOptions, FReceiveNMEA,
        FTransmitNMEA, FSetAccess, FCAN_Rec_Frames, FCAN_Send_Frame, F_Rec_Info, F_Sen_Info, FSet_PDO_Access,
        FSet_SDO_Client_Access, FSet_SDO_Server_Access, FReStart_Devices, FNodeGuard, FDefOffset, FDNet,
        FReceiveJ1939, FTransmitJ1939, FMeter_Bus, FNewIDNode, FAdvanceFunctions, FModbus_TCP_Master_Set_Access,
        FSNMP_Trap_Access,
    };
    for (OrvanoForm* w : windows)
        if (w)
            w->Set_Lang();
}

void TFOrvanoeFirmWare::Set_Files()
{
    SetProjectFiles();
}

void TFOrvanoeFirmWare::Create_New_Project()
{
    if (FNew_Project->ShowModal() == mrOk)
        Show_Project_Labels();
}

void TFOrvanoeFirmWare::Open_Project()
{
    if (FOpenConf->ShowModal() != mrOk)
        return;
    ProjectName = FOpenConf->Name_Conf;
    ProjectPath = ProjectName.isEmpty() ? QString() : ProjectFolder(ProjectName);
    Show_Project_Labels();
    Set_Files();
}

void TFOrvanoeFirmWare::Btn_SNMP_MIB_Click(QObject* sender)
{
    const QString name = sender ? sender->objectName() : QString();
    if (name == QLatin1String("Btn_New")) {
        Create_New_Project();
    } else if (name == QLatin1String("Btn_Open")) {
        Open_Project();
    } else if (name == QLatin1String("Btn_Close")) {
        close();
    } else if (name == QLatin1String("Btn_Info")) {
        FAbout->ShowModal();
    } else if (name == QLatin1String("Btn_Opz")) {
        if (FSoftOptions->ShowModal() == mrOk) {
            Save_Setting();
            Apply_Update_Timer();
        }
    } else if (ProjectPath.isEmpty()) {
        Messages::Error(QStringLiteral("Error! Project not Valid"));
    } else if (name == QLatin1String("Btn_ScanDecode")) {
        Scan_Decode();
    } else {
        for (const auto& action : kStepActions)
            if (name == QLatin1String(action.button)) {
                action.run(*this);
                break;
            }
    }
}

void TFOrvanoeFirmWare::Scan_Decode()
{
    if (QFileInfo::exists(File_M_Bus) && !Messages::Ask(Lang(973), MsgKind::Warning))
        return;
    FScanDecode->XML_Code_Dev = Get_MBus_Dev_Code();
    FScanDecode->FileName_MBus = File_M_Bus;
    FScanDecode->Form_Type = Get_MBus_Form_Type();
    FScanDecode->ShowModal();
}

int TFOrvanoeFirmWare::Select_Type()
{
    int result = 1;
    if ((DeviceType == 18 || DeviceType == 19) && !ProjectPath.isEmpty() && QFileInfo::exists(File_ParGen)
        && XML1.Load(File_ParGen)) {
        QString text;
        result = XmlChildText(XML1.Root(), QStringLiteral("SNMP_MapType"), text) ? StrToIntDef(text, 0) : 0;
    }
    if (HasSnmpMapSteps(DeviceType)) {
        const bool on = DeviceType == BrandVariantType || result == 1;
        Button(QStringLiteral("Btn_SNMP_Trap"))->setEnabled(on);
        Button(QStringLiteral("Btn_SNMP_MIB"))->setEnabled(on);
    }
    return result;
}

void TFOrvanoeFirmWare::PROFINET_XML()
{
    if (FProfinetFileName->ShowModal() == mrOk)
        Save_GSDML(FProfinetFileName->Name_File_XML);
}

void TFOrvanoeFirmWare::Build_EDS_File()
{
    SaveEDS.InitialDir = ProjectPath;
    if (SaveEDS.Execute(this))
        Write_EDS(SaveEDS.FileName);
}

void TFOrvanoeFirmWare::Update_Device()
{
    QString error;
    if (!Build_And_Save_Banks(&error)) {
        Messages::Error(error);
        return;
    }
    FBootTCP->ShowModal();
}

bool TFOrvanoeFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo,
                                      std::function<void(const platform::ProgramRun&)> done, int limitMs)
{
    if (m_programRunner.IsRunning())
        return false;
    m_programDone = std::move(done);
    return m_programRunner.Start(NomeSW, QProcess::splitCommand(Parameter), tipo, limitMs);
}

bool TFOrvanoeFirmWare::Save_Setting()
{
    QString error;
    if (::Save_Setting(XML1, &error))
        return true;
    Messages::Error(error);
    return false;
}

void TFOrvanoeFirmWare::Apply_Update_Timer()
{
    if (EnableInternet && EnableUpdate) {
        if (!Timer_Update->isActive())
            Timer_Update->start();
    } else {
        Timer_Update->stop();
    }
}

void TFOrvanoeFirmWare::Timer_UpdateTimer()
{
    Timer_Update->stop();
    const auto rearm = [this] {
        Timer_Update->setInterval(kCheckEveryMs);
        // Options may have turned the checks off while the query ran.
        if (EnableInternet && EnableUpdate)
            Timer_Update->start();
    };
    if (!FSoftOptions) {
        rearm();
        return;
    }
    FSoftOptions->Check_Version([this, rearm](bool newer) {
        if (newer) {
            LL_Update->setText(LinkAnchor(DownloadPageUrl(DeviceType), Lang(16)));
            Place_Update_Link();
            LL_Update->show();
        } else {
            LL_Update->hide();
        }
        rearm();
    });
}

void TFOrvanoeFirmWare::Place_Update_Link()
{
    // One line, ending 10 px left of the glyph buttons, level with the
    // model's description.
    LL_Update->adjustSize();
    LL_Update->move(Btn_Info->x() - 10 - LL_Update->width(), L_SW_Desc->y());
}

void TFOrvanoeFirmWare::L_KeltronaClick()
{
    OpenUrl(HomePageUrl(DeviceType));
}

void TFOrvanoeFirmWare::showEvent(QShowEvent* event)
{
    OrvanoForm::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_centred) {
        m_centred = true;
        if (QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - rect().center());
        }
        if (QWidget* first = forms::FirstFocusable(m_tabOrder))
            first->setFocus(Qt::TabFocusReason);
    }
    if (HasSnmpMapSteps(DeviceType))
        Select_Type();
}

void TFOrvanoeFirmWare::closeEvent(QCloseEvent* event)
{
    // A settings file that cannot be written is reported, and the program
    // stays open, so the settings are not lost.
    QString error;
    if (!::Save_Setting(XML1, &error)) {
        Messages::Error(error + QStringLiteral("\n\n") + Lang(1105));
        event->ignore();
        return;
    }
    Timer_Update->stop();
    event->accept();
    hide();
    emit Closed();
}

void TFOrvanoeFirmWare::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the main window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    OrvanoForm::keyPressEvent(event);
}
