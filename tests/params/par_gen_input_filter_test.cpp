// Typing into the address edits: "." walks the octets, edits limit and
// lower-case what is typed.
#include "par_gen_fixture.h"
#include "par_gen_input_filter.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace pargen_test;

namespace {

QString Focus(TFParGen& w) { return w.focusWidget() ? w.focusWidget()->objectName() : QString(); }
void FocusOn(TFParGen& w, const char* edit) { w.Control(QLatin1String(edit))->setFocus(); }

} // namespace

TEST(ParGenInputFilter, DotWalksTheAddressOctets)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        // The octets hold the shown values: each "." selects the next
        // octet's text, so what is typed replaces it.
        FocusOn(w, "E_IP1");
        w.Control<QLineEdit>("E_IP1")->selectAll();
        Type(w, "10.1.22.3");
        EXPECT_EQ(Text(w, "E_IP1"), "10");
        EXPECT_EQ(Text(w, "E_IP2"), "1");
        EXPECT_EQ(Text(w, "E_IP3"), "22");
        EXPECT_EQ(Text(w, "E_IP4"), "3");
        EXPECT_EQ(Focus(w), "E_IP4");
        FocusOn(w, "E_IP1");
        w.Control<QLineEdit>("E_IP1")->selectAll();
        Type(w, "192.168.0.5");
        EXPECT_EQ(Text(w, "E_IP1"), "192");
        EXPECT_EQ(Text(w, "E_IP2"), "168");
        EXPECT_EQ(Text(w, "E_IP3"), "0");
        EXPECT_EQ(Text(w, "E_IP4"), "5");
        EXPECT_EQ(Focus(w), "E_IP4");
        Type(w, ".");
        EXPECT_EQ(Focus(w), "E_SM1");
        Type(w, "0");
        EXPECT_EQ(Text(w, "E_SM1"), "0");

        // The gateway takes the focus whether or not it is enabled.
        ASSERT_FALSE(w.Control<QCheckBox>("CB_EN_GAT")->isChecked());
        FocusOn(w, "E_SM4");
        Type(w, ".");
        EXPECT_EQ(Focus(w), "E_GAT1");

        // The last octet has no successor: the "." is dropped, the focus stays.
        FocusOn(w, "E_GAT4");
        w.Control<QLineEdit>("E_GAT4")->clear();
        Type(w, "1.");
        EXPECT_EQ(Text(w, "E_GAT4"), "1");
        EXPECT_EQ(Focus(w), "E_GAT4");
    });
}

TEST(ParGenInputFilter, DotInTriggeredSdoAddressIsDropped)
{
    TempProgramFolder folder(8);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        FocusOn(w, "E_CANopen_TSDO_Add_In");
        w.Control<QLineEdit>("E_CANopen_TSDO_Add_In")->clear();
        Type(w, "1.2a");
        EXPECT_EQ(Text(w, "E_CANopen_TSDO_Add_In"), "12a");
        EXPECT_EQ(Focus(w), "E_CANopen_TSDO_Add_In");
    });
}

TEST(ParGenInputFilter, ChainsByModel)
{
    struct Case
    {
        const char* edit;
        int type;
        const char* next;
    };
    const Case cases[] = {
        {"E_IP4", 0, "E_SM1"},
        {"E_SM4", 20, "E_GAT1"},
        {"E_GAT4", 0, ""},
        {"E_IP4_Modbus_TCP_Master", 11, "E_SM1_Modbus_TCP_Master"},
        {"E_GAT3_Modbus_TCP_Master", 19, "E_GAT4_Modbus_TCP_Master"},
        {"E_IP1_Modbus_TCP_Master", 12, ""},
        {"E_SM4_Modbus_TCP_Slave", 17, "E_GAT1_Modbus_TCP_Slave"},
        {"E_IP1_Modbus_TCP_Slave", 11, ""},
        {"E_EIP_IP4", 13, "E_EIP_SM1"},
        {"E_EIP_IP1", 20, ""},
        {"E_SNMP_IP2", 20, "E_SNMP_IP3"},
        {"E_SNMP_IP2", 13, ""},
        {"E_CANopen_TSDO_Add_In", 8, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edit << " type " << c.type);
        EXPECT_TRUE(TakesDot(QLatin1String(c.edit)));
        EXPECT_EQ(NextOnDot(QLatin1String(c.edit), c.type), QLatin1String(c.next));
    }
    EXPECT_FALSE(TakesDot("E_PORT"));
    EXPECT_FALSE(TakesDot("E_NB_IN_PROFINET"));
}

TEST(ParGenInputFilter, TypedTextIsLimitedAndLowerCased)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"PROFINET_NAME_STA", "A-Name-Longer-Than-15"}}));
    TFParGen w;
    RunShown(w, [&] {
        // A longer stored text is shown whole.
        EXPECT_EQ(Text(w, "E_Profinet_Name_Station"), "A-Name-Longer-Than-15");
        auto* name = w.Control<QLineEdit>("E_Profinet_Name_Station");
        name->clear();
        name->setFocus();
        Type(w, "ABCdefGHIjklMNOpq");
        EXPECT_EQ(name->text(), "abcdefghijklmno");
        // The dot is an ordinary character here.
        name->clear();
        Type(w, "a.b");
        EXPECT_EQ(name->text(), "a.b");
    });
}
