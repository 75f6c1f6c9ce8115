#pragma once
#include "form_base.h"
#include "mbus_byte_budget.h"
#include "par_gen_values.h"
#include "xml_document.h"

#include <QHash>
#include <span>

class TLbButton;

// The "Set Communication" window: the converter's general parameters, kept in
// the project's ParGen.xml. Seventeen group boxes serve every model; the
// device type shows two of them. Showing it loads the file (a file that
// cannot be read keeps the window closed); OK validates and writes it.
class TFParGen : public OrvanoForm, public ParGenValues
{
    Q_OBJECT
public:
    explicit TFParGen(QWidget* parent = nullptr);
    ~TFParGen() override;

    void Set_Lang() override;

    // Loads the values, then shows the window modally. Returns Rejected
    // without showing when ParGen.xml (or the Modbus access table it needs)
    // is not well-formed: OK must never write another state over the file.
    int exec() override;

    // Loading at each showing; false, with the error shown, when a file
    // could not be read.
    bool FormShow();
    // Blocks of eight polls of the Modbus master access table (type 4).
    bool Read_Number_Modbus_Polls(QString& error);
    // Arranges the boxes and rows for the device type.
    void Move_GroupBoxs();
    // Checks the values; shows the first failure and returns false.
    bool Controllo_Dati();
    // Bytes of the project's M-Bus network (M_Bus.xml).
    MBusByteCount Calcolate_Byte_Used_in_MBus_Configuration() const;

    void Btn_OK_Click();
    void Btn_Cancel_Click();

    // A control by its name; nullptr when there is none.
    QWidget* Control(const QString& name) const { return m_controls.value(name, nullptr); }
    template <class T>
    T* Control(const QString& name) const { return qobject_cast<T*>(Control(name)); }

    // ParGenValues over the controls.
    QString Value(const QString& control) const override;
    void SetValue(const QString& control, const QString& value) override;
    bool IsShown(const QString& control) const override;

    int Num_Modbus_Polls = 0;
    bool Is_Change = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateControl(const struct ParControlDef& def);
    void FormActivate();
    void On_Change(QObject* sender);
    void On_Click(QObject* sender);
    void RB_WM_Single_Slave_MbusClick();
    void KeyPress(QObject* sender);

    // Layout (par_gen_layout.cpp).
    void Collapse_Expand_Creation();
    void Btn_GB_Collapse(QObject* sender);
    void Btn_GB_Expande(QObject* sender);
    void Arrange(const struct ParModelLayout& model);
    int GB_PROFINET_Pos_Obj();
    int Show_SNMP_Ver3(bool visible, int startTop);
    // Places the SNMP rows from top, shows those the version and security
    // level call for, and returns the bottom of the last one shown.
    int Place_SNMP_Rows(std::span<const struct ParSnmpRow> rows, int top);
    void Place(const char* name, int top, int left = -1, int width = -1);
    void ShowCtl(const char* name, bool shown);
    int Bottom(const char* name) const;
    int Item(const char* combo) const;
    // Tab follows the screen: the network box (address, mask, gateway rows
    // first), then the protocol box, each box's collapse button last, then
    // OK and Cancel.
    void Apply_Tab_Order(const struct ParModelLayout& model);

    XmlDocument XML1;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, bool> m_expanded;   // the boxes' expansion flags, for the program's run
    TLbButton* m_ok = nullptr;
    TLbButton* m_cancel = nullptr;
    QList<QWidget*> m_tabOrder;
};

extern TFParGen* FParGen;
