#pragma once
#include "app/forms/form_base.h"

#include "mbus/models/scan_form.h"
#include "mbus/scan/scan_worker.h"

#include <QListWidget>
#include <QStyledItemDelegate>
#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QTimer;
class TLbButton;

namespace lazytree {
class TCustomImageList;
class TLazyStringTree;
} // namespace lazytree
namespace grid {
class TExStringGrid;
class TGridWidget;
} // namespace grid

// The progress lines of a wired scan: blue, or red in two parts split at
// x 70 for a line holding "[NOT FOUND]".
class ProgressLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The wired progress line of one worker call, empty when the call adds none.
QString Progress_Line(int kind, int address, int found, int scanType);
// The texts of the result trees.
QString Slave_Text(const mbus::TSlave_MBus& s);
QString Variable_Text(const mbus::TVariable_MBus& v);
QString Detail_Text(const mbus::TVariable_MBus& v, int detail);   // detail 0..11
QString Wireless_Slave_Text(const mbus::TSlave_wMBus& s);
// The 13 cell texts of a wireless grid row (column 12 stays empty: it shows an image).
QStringList Wireless_Row_Texts(int index, const mbus::TSlave_wMBus& s);

// The M-Bus Scan & Decode window: options, the worker's scan, its results
// and their saving as the project's M-Bus network.
class TFScanDecode : public OrvanoForm
{
    Q_OBJECT
public:
    // The worker starts with the window; tests point it at the simulator.
    explicit TFScanDecode(QWidget* parent = nullptr, mbus::WorkerOptions options = {});
    ~TFScanDecode() override;
    void Set_Lang() override;

    // Set by the main window before showing: the device code of the M-Bus
    // file writer, the project's M_Bus.xml and the form of the window.
    int XML_Code_Dev = 0;
    QString FileName_MBus;
    int Form_Type = 0;
    bool Cyclic_Scan = false;
    int Error_Cyclic = 0;
    int Index_Dev_MBus = 0;
    // The period of the scan poll (ms); the bound of the wait on close (ms).
    int PollInterval = 1000;
    int CloseWaitLimit = 5000;

    mbus::TMBusScanDecode& Worker() { return *TR_ScanDecode; }
    mbus::ScanFormState State() const { return m_state; }

    // Handlers.
    void FormShow();
    void Move_Object_Type_Form();
    void Form_Style(mbus::ScanFormState state);
    void Btn_StartScanClick();
    void Btn_StopScanClick();
    void Btn_AbortScanClick();
    void Btn_NewScanClick();
    void Btn_SaveConfClick(bool perNodeAddresses);
    void ScanCyclic1Click();
    void T_InScanTimer();
    void Refresh_Com_Ports();
    void Fill_Wired_Tree();
    void Show_Wireless_Tree(int row);
    // A double click on wireless grid row at the window point pos.
    void Wireless_Key_Entry(int row, QPoint pos);
    // Where an entered key goes (meter index, its 16 bytes); the worker's
    // key loading unless a test takes it.
    std::function<bool(int meter, const std::array<uint8_t, 16>& key)> Insert_Key;
    // Whether the close waits for the worker's close steps.
    bool Closing() const { return m_closing; }

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* Label1 = nullptr;

    QWidget* P_Main = nullptr;
    QComboBox* CB_ScanMethod = nullptr;
    QComboBox* CB_ScanBy = nullptr;
    QComboBox* CB_HardwareType = nullptr;
    QLineEdit* E_IP1 = nullptr;
    QLineEdit* E_IP2 = nullptr;
    QLineEdit* E_IP3 = nullptr;
    QLineEdit* E_IP4 = nullptr;
    QComboBox* CB_ComPort = nullptr;
    TLbButton* Btn_RefreshCom = nullptr;
    QLineEdit* E_Port = nullptr;
    QLabel* L_MBus_Param = nullptr;
    QComboBox* CB_wMBus_Mode = nullptr;
    QComboBox* CB_wMBus_Radio_Channel = nullptr;
    QComboBox* CB_MBus_Baud = nullptr;
    QComboBox* CB_MBus_Parity = nullptr;
    QLabel* L_Option_Scan = nullptr;
    QCheckBox* CB_Opt_App_Reset = nullptr;
    QCheckBox* CB_Opt_SND_NKE = nullptr;
    QLineEdit* E_Opt_Cut_After = nullptr;
    QCheckBox* CB_Opt_Use_Fix_C_Field = nullptr;
    QComboBox* CB_Opt_Use_Fix_C_Field_Value = nullptr;

    QWidget* P_TreeView = nullptr;
    QLabel* L_ScanProgress = nullptr;
    QLabel* L_Num_Slave = nullptr;
    QLabel* L_AvailableDevice = nullptr;
    QListWidget* LB_AvailableDevice = nullptr;
    lazytree::TLazyStringTree* VST = nullptr;

    QWidget* P_View_Wireless = nullptr;
    QSplitter* Splitter_Wireless = nullptr;
    grid::TGridWidget* ESG_Wireless = nullptr;
    lazytree::TLazyStringTree* VST_Wireless = nullptr;
    grid::TExStringGrid& Wireless_Grid() { return *m_wirelessGrid; }

    TLbButton* Btn_StartScan = nullptr;
    TLbButton* Btn_StopScan = nullptr;
    TLbButton* Btn_AbortScan = nullptr;
    TLbButton* Btn_NewScan = nullptr;
    TLbButton* Btn_SaveConf = nullptr;
    TLbButton* Btn_SaveConfManual = nullptr;
    QTimer* T_InScan = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* ScanCyclic1 = nullptr;

signals:
    // Worker calls, handed to the GUI thread.
    void SlaveListUpdated(int kind, int address, int found, int scanType);
    void WirelessSlaveUpdated(int index, std::shared_ptr<mbus::TSlave_wMBus> meter);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildOptions();
    void BuildResults();
    void Add_Progress_Line(int kind, int address, int found, int scanType);
    void Update_Wireless_Row(int index, const std::shared_ptr<mbus::TSlave_wMBus>& meter);
    void Clear_Wired_Results();
    void Clear_Wireless_Results();
    bool Start_Wired();
    bool Start_Wireless();
    bool Wireless_Selected() const;
    void Copy_Ticks();
    void Begin_Close();
    void Close_Wait_Tick();
    QString Address_Text() const;
    void SetupTree(lazytree::TLazyStringTree* tree, bool wireless);

    std::unique_ptr<mbus::TMBusScanDecode> TR_ScanDecode;
    std::unique_ptr<grid::TExStringGrid> m_wirelessGrid;
    QWidget* m_wirelessViewport = nullptr;
    std::unique_ptr<lazytree::TCustomImageList> IL_Tree1;
    std::map<QString, QLabel*> m_rowLabels;   // the label of an option row, by its box's name
    QList<QLabel*> m_ipDots;
    mbus::ScanFormState m_state = mbus::ScanFormState::Options;
    int m_wirelessMeter = -1;                 // the meter VST_Wireless shows
    std::shared_ptr<mbus::TSlave_wMBus> m_wirelessShown;   // its copy
    bool m_closing = false;
    bool m_closeDone = false;
    QTimer* m_closeTimer = nullptr;
    qint64 m_closeDeadline = 0;
};

extern TFScanDecode* FScanDecode;
