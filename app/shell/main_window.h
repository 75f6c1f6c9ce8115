#pragma once
#include "form_base.h"
#include "process_runner.h"
#include "save_dialog.h"
#include "xml_document.h"

#include <QHash>

#include <functional>

class QLabel;
class QTimer;
class TLbButton;
class TShape;

// The main window: the model's code and description, the open project and
// the numbered steps of the model, all served by one click handler.
class TFOrvanoeFirmWare : public OrvanoForm
{
    Q_OBJECT
public:
    // Prepares the workspace in the program folder exeDir (the start-up
    // sequence) and lays the window out for DeviceType.
    explicit TFOrvanoeFirmWare(const QString& exeDir, QWidget* parent = nullptr);

    void Set_Lang() override;
    // Applies the language table again to this window and the 27 others that follow a change.
    void Change_Language();

    // The project file paths for the open project.
    void Set_Files();
    void Create_New_Project();
    void Open_Project();

    // The click handler of every button of the window.
    void Btn_SNMP_MIB_Click(QObject* sender);

    // The SNMP map type from the project's ParGen.xml (1 when it cannot be
    // read); enables the two SNMP steps for types 18, 19 and 1018.
    int Select_Type();
    void PROFINET_XML();
    void Build_EDS_File();
    // Builds the project's bank files and, when that succeeded, opens the update window.
    void Update_Device();

    // Starts the program NomeSW with the command line Parameter (split into
    // arguments, no shell), hidden when tipo. done gets the outcome from the
    // event loop once the program has ended or limitMs have passed; a program
    // still running then is left running. Nothing waits meanwhile. False (and
    // nothing started) while an earlier program is still awaited.
    bool Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo,
                       std::function<void(const platform::ProgramRun&)> done, int limitMs = 150000);

    // Writes Orvano.xml; a failure is reported and false returned.
    bool Save_Setting();

    // Starts the version-check timer when internet access and update checks
    // are both on (a pending check is not postponed), stops it otherwise.
    void Apply_Update_Timer();

    // The version-check timer's tick: asks the version service and shows
    // LL_Update when a newer version exists; then checks every 2 hours.
    void Timer_UpdateTimer();
    // Opens the maker's home page for the model (nothing for type 1018).
    void L_KeltronaClick();

    // The button of this window named name (nullptr when there is none).
    TLbButton* Button(const QString& name) const;

    XmlDocument XML1;
    SaveFileDialog SaveEDS;
    SaveFileDialog SaveMIB;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_Begin = nullptr;
    TShape* Shape2 = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QLabel* L_Step[9] = {};
    QLabel* L_Keltrona = nullptr;
    QLabel* LL_Update = nullptr;
    TShape* Shape1 = nullptr;
    TLbButton* Btn_Info = nullptr;
    TLbButton* Btn_Opz = nullptr;
    TLbButton* Btn_Close = nullptr;
    TLbButton* Btn_ScanDecode = nullptr;
    QTimer* Timer_Update = nullptr;

signals:
    // The window has closed (the settings are written): the program ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void Apply_Step_Layout();
    void Show_Project_Labels();
    void Place_Update_Link();
    void Scan_Decode();
    TLbButton* AddButton(const char* name, int x, int y, int w, int h);

    QHash<QString, TLbButton*> m_buttons;
    QList<QWidget*> m_tabOrder;
    platform::ProgramRunner m_programRunner;
    std::function<void(const platform::ProgramRun&)> m_programDone;
    bool m_centred = false;
};

extern TFOrvanoeFirmWare* FOrvanoeFirmWare;
