#pragma once
#include "form_base.h"
#include "ping_loop.h"
#include "process_runner.h"
#include "updater_params.h"
#include "xml_document.h"

#include <QObject>
#include <QPointer>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class TLbButton;

// The update window: the device's address, the ping, the update options and
// the run of the updater. Two pages in one window: the address page and,
// after a successful ping, the options page.
class TFBootTCP : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFBootTCP(QWidget* parent = nullptr);
    ~TFBootTCP() override;

    void Set_Lang() override;

    // Ping button: starts the echoes to the address, until it is found or
    // 10 s have passed; the result shows when they end.
    void LbButton1Click();
    // Next button: on to the options page after a successful ping.
    void LbButton2Click();
    // Update button: prepares and starts the model's updater; its end is
    // reported when it comes.
    void LbButton4Click();

    // The SNMP map type that chooses the firmware image (types 16, 18, 19, 1018).
    int Get_Map_Type_060();

    // The four octet edits joined with ".".
    QString JoinedAddress() const;

    bool Esegui_Ping = false;   // the latest ping succeeded; Next requires it
    int map_type_060 = 0;       // map type read by the latest Update

    // Replaceable parts (the window keeps ownership of neither).
    void SetEchoClient(EchoClient* echo);
    void SetPingClock(PingClock* clock);
    // How long Update waits for the updater (150 s).
    void SetUpdaterLimitMs(int ms) { m_updaterLimitMs = ms; }
    // The process id of an updater that outlived the wait (0 when none).
    qint64 RunningUpdater() const { return m_runningUpdater; }
    // While the ping or the updater runs, the window takes no input: its
    // controls are disabled, and Escape and the close box are refused.
    bool Busy() const { return m_busy; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    void FormShow();
    void ShowAddressPage(bool show);
    void ShowPingResult(const QString& text, bool good);
    void SetBusy(bool busy);
    void PingFinished(const PingOutcome& outcome);
    void UpdaterFinished(const platform::ProgramRun& run);
    void AddressEdited();
    UpdateOptions Options() const;

    QFrame* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* L_Ping = nullptr;
    TLbButton* Btn_Ping = nullptr;
    QLabel* LPing = nullptr;
    QLabel* L_Options = nullptr;
    QCheckBox* CB_Firmware = nullptr;
    QCheckBox* CB_Read_Firm = nullptr;
    QCheckBox* CB_Conf = nullptr;
    QCheckBox* CB_Read_Conf = nullptr;
    QFrame* P_Button = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TLbButton* Btn_Next = nullptr;
    TLbButton* Btn_Update = nullptr;

    XmlDocument XML1;

    IcmpEchoClient m_icmp;
    SteadyPingClock m_steady;
    EchoClient* m_echo = &m_icmp;
    PingClock* m_clock = &m_steady;
    int m_updaterLimitMs = 150000;
    qint64 m_runningUpdater = 0;
    QString m_updaterProgram;
    bool m_busy = false;
    QPointer<QWidget> m_focusBeforeBusy;
    // Declared after the echo client and clock it uses, so it ends first.
    PingRun m_ping;
    platform::ProgramRunner m_updater;
};

extern TFBootTCP* FBootTCP;
