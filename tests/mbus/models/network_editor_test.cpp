// The network editor's model: byte counts, OK budgets with ParGen.xml,
// address checks, entry checks, the edit buttons, delete, cancel, copy and
// paste, and what opening and saving do with the files.
#include "mbus/models/network_editor.h"

#include "mbus/core/network_file.h"
#include "mbus/models/par_gen_link.h"

#include "language.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "tests/mbus/core/unwritable_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace mbus;

namespace {

TVariabile Var(int dim, bool enable = true)
{
    TVariabile v;
    v.Enable = enable;
    v.Dimension = dim;
    v.Description = QStringLiteral("v");
    v.Position = 1;
    return v;
}

TNodo Node(int primary, std::vector<TVariabile> vars = {}, int type = 0, int secondary = 0)
{
    TNodo n;
    n.Enable = true;
    n.Description = QStringLiteral("n%1").arg(primary);
    n.Node_ID_Primary = primary;
    n.Node_ID_Secondary = secondary;
    n.Node_ID_Type = type;
    n.Var_List = std::move(vars);
    return n;
}

// A network of n bytes: 8-byte values and 1-byte remainders.
Network NetworkOf(int bytes)
{
    TNodo n = Node(1);
    for (; bytes >= 8; bytes -= 8)
        n.Var_List.push_back(Var(3));
    for (; bytes > 0; --bytes)
        n.Var_List.push_back(Var(0));
    return {n};
}

QString Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(NetworkEditorBytes, CountsTheEnabledPartOfTheNetwork)
{
    TVariabile tp = Var(1);
    tp.TP_Mod_Regs = true;
    TVariabile tpTime = tp;
    tpTime.Type_Of_Data = TimePointType;
    TVariabile forced = Var(0);
    forced.ForceInteger32 = true;
    TVariabile scaled = Var(2);
    scaled.Scale = true;
    TVariabile varLen = Var(7);
    varLen.Length = 13;
    TNodo byPosition = Node(1, {tp});
    byPosition.Var_List_Type = 1;
    TNodo disabled = Node(2, {Var(3)});
    disabled.Enable = false;
    disabled.Node_State = disabled.Ident_Num = 1;
    TNodo flags = Node(3);
    flags.Node_State = flags.Ident_Num = 1;

    struct Case
    {
        const char* what;
        Network net;
        int bytes;
    } cases[] = {
        {"empty network counts 1", {}, 1},
        {"disabled values only count 1", {Node(1, {Var(3, false)})}, 1},
        {"sizes by dimension", {Node(1, {Var(0), Var(1), Var(2), Var(3), Var(4), Var(5), Var(6)})}, 1 + 2 + 4 + 8 + 3 + 6 + 4},
        {"unknown dimension is 16 bit", {Node(1, {Var(255)})}, 2},
        {"variable length takes Length", {Node(1, {varLen})}, 13},
        {"by position: time point registers whatever the type", {byPosition}, 6},
        {"by type: time point registers only for type 20", {Node(1, {tp})}, 2},
        {"by type: type 20 with registers", {Node(1, {tpTime})}, 6},
        {"forced 32-bit integer", {Node(1, {forced})}, 4},
        {"scale byte", {Node(1, {scaled})}, 5},
        {"disabled node counts nothing", {disabled}, 1},
        {"node state and identification number", {flags}, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Calcola_Byte_Usati(c.net), c.bytes) << c.what;
}

TEST(NetworkEditorBytes, LabelFollowsTheLanguageText)
{
    TempProgramFolder folder(10);
    NetworkEditor ed(10);
    EXPECT_EQ(ed.Byte_Label(), QStringLiteral("Bytes Used : 1"));
}

struct BudgetCase
{
    int deviceType;
    const char* parGen;   // elements inside the root, or nullptr for no file
    int bytes;
    bool closes;
    const char* message;  // start of the message, or "" for none
    const char* nbOut;    // PROFINET_NB_OUT afterwards, or nullptr when untouched
};

TEST(NetworkEditorOk, BudgetsByDeviceTypeAndParGen)
{
    const BudgetCase cases[] = {
        {21, nullptr, 1024, true, "", nullptr},
        {21, nullptr, 1025, false, "Error!! Bytes Used for the configuration are more of 1024", nullptr},
        {10, "<PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE><PROFINET_NB_OUT>5</PROFINET_NB_OUT>", 1439, true, "", "1439"},
        {10, "<PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE>", 1440, false, "Error!! Bytes Used for the configuration are more of 1440", nullptr},
        {10, "<PROFINET_NB_OUT>10</PROFINET_NB_OUT>", 20, true,
         "Warning!! Bytes Used for the configuration are major of the Bytes set in the Set Communication Section (10)", "10"},
        {10, "<PROFINET_NB_OUT>10</PROFINET_NB_OUT>", 10, true, "", "10"},
        {10, "<Working_mode>1</Working_mode><PROFINET_NB_OUT>10</PROFINET_NB_OUT>", 20, true, "", "10"},
        {10, nullptr, 1439, true, "", nullptr},
        {10, nullptr, 1440, true, "Warning!! Bytes Used for the configuration are major of the Bytes set in the Set Communication Section (1439)", nullptr},
    };
    for (const BudgetCase& c : cases) {
        SCOPED_TRACE(c.bytes);
        TempProgramFolder folder(c.deviceType);
        const QString dir = folder.OpenProject();
        const QString mbusPath = QDir(dir).filePath(QStringLiteral("M_Bus.xml"));
        const QString parGen = QDir(dir).filePath(QStringLiteral("ParGen.xml"));
        if (c.parGen)
            folder.Write(QDir(folder.Path()).relativeFilePath(parGen),
                         QByteArray("<ParGen>") + c.parGen + "</ParGen>");
        MessageRecorder rec;
        NetworkEditor ed(c.deviceType);
        ASSERT_TRUE(ed.Load(mbusPath, parGen));
        ed.Nodes() = NetworkOf(c.bytes);
        ASSERT_EQ(ed.Byte_Count(), c.bytes);
        EXPECT_EQ(ed.Ok(mbusPath, parGen), c.closes);
        if (*c.message) {
            ASSERT_EQ(rec.Texts().size(), 1);
            EXPECT_EQ(rec.Texts()[0], QString::fromUtf8(c.message));
        } else {
            EXPECT_TRUE(rec.Empty()) << rec.Texts().join('|').toStdString();
        }
        EXPECT_EQ(QFile::exists(mbusPath), c.closes);
        if (c.nbOut) {
            QString text = Read(parGen);
            EXPECT_TRUE(text.contains(QStringLiteral("<PROFINET_NB_OUT>%1</PROFINET_NB_OUT>").arg(QLatin1String(c.nbOut))))
                << text.toStdString();
        }
        if (!c.closes) {
            EXPECT_EQ(ed.Nodes().size(), 1u) << "a refused OK keeps the edits";
        }
    }
}

TEST(NetworkEditorOk, WritesOnlyTheOutputCountIntoParGen)
{
    TempProgramFolder folder(10);
    const QString dir = folder.OpenProject();
    const QString parGen = QDir(dir).filePath(QStringLiteral("ParGen.xml"));
    const QByteArray before =
        "<ParGen>\r\n  <PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE>\r\n  <Other a=\"1\">  </Other>\r\n"
        "  <PROFINET_NB_OUT>7</PROFINET_NB_OUT>\r\n</ParGen><!--SW_VERSION = 1.000-->";
    QFile f(parGen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(before);
    f.close();
    ASSERT_TRUE(Write_Par_Gen_Nb_Out(parGen, 33));
    // Every node stays, the comment after the root and blank element text
    // too; the line breaks between elements are not kept.
    EXPECT_EQ(Read(parGen), QStringLiteral("<ParGen><PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE><Other a=\"1\">  </Other>"
                                           "<PROFINET_NB_OUT>33</PROFINET_NB_OUT></ParGen><!--SW_VERSION = 1.000-->"));

    // Missing: added as the root's last child.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<ParGen><A>1</A></ParGen><!--c-->");
    f.close();
    ASSERT_TRUE(Write_Par_Gen_Nb_Out(parGen, 5));
    EXPECT_EQ(Read(parGen), QStringLiteral("<ParGen><A>1</A><PROFINET_NB_OUT>5</PROFINET_NB_OUT></ParGen><!--c-->"));
}

TEST(NetworkEditorOk, UnwritableFilesAreNamedAndTheEditsStay)
{
    TempProgramFolder folder(10);
    const QString dir = folder.OpenProject();
    const QString mbusPath = QDir(dir).filePath(QStringLiteral("M_Bus.xml"));
    const QString parGen = QDir(dir).filePath(QStringLiteral("ParGen.xml"));
    folder.Write(QDir(folder.Path()).relativeFilePath(parGen),
                 "<ParGen><PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE></ParGen>");
    MessageRecorder rec;
    NetworkEditor ed(10);
    ASSERT_TRUE(ed.Load(mbusPath, parGen));
    ed.Nodes() = NetworkOf(3);
    {
        UnwritableFolder lock(dir);
        EXPECT_FALSE(ed.Ok(mbusPath, parGen));
    }
    ASSERT_EQ(rec.Texts().size(), 1);
    EXPECT_TRUE(rec.Texts()[0].startsWith(QStringLiteral("Error!! This file could not be written: ")
                                          + QDir::toNativeSeparators(parGen)));
    EXPECT_EQ(ed.Nodes().size(), 1u);
    EXPECT_TRUE(ed.Ok(mbusPath, parGen));
}

TEST(NetworkEditorOpen, AFileReadAsEmptyIsWarnedAboutAndNotReplacedUnasked)
{
    TempProgramFolder folder(10);
    const QString dir = folder.OpenProject();
    const QString mbusPath = QDir(dir).filePath(QStringLiteral("M_Bus.xml"));
    const QByteArray bytes = "<?xml version=\"1.0\"?><M-Bus_Network><Nodo Descrizione=\"a\"/></M-Bus_Network>";
    folder.Write(QDir(folder.Path()).relativeFilePath(mbusPath), bytes);
    MessageRecorder rec;
    NetworkEditor ed(10);
    ASSERT_TRUE(ed.Load(mbusPath, QString()));
    ASSERT_EQ(rec.Texts().size(), 1);
    EXPECT_EQ(rec.Boxes()[0].first, MsgKind::Warning);
    EXPECT_TRUE(rec.Texts()[0].endsWith(QDir::toNativeSeparators(mbusPath)));
    rec.Clear();
    rec.QueueAnswer(false);
    EXPECT_FALSE(ed.Ok(mbusPath, QString()));
    EXPECT_EQ(rec.Questions(), 1);
    EXPECT_EQ(Read(mbusPath).toUtf8(), bytes);
    EXPECT_TRUE(ed.Ok(mbusPath, QString()));
    EXPECT_TRUE(Read(mbusPath).startsWith(QStringLiteral("<M-Bus_Network")));
}

TEST(NetworkEditorOpen, AMalformedFileEndsTheOpeningWithTheParserMessage)
{
    TempProgramFolder folder(10);
    const QString dir = folder.OpenProject();
    const QString mbusPath = QDir(dir).filePath(QStringLiteral("M_Bus.xml"));
    folder.Write(QDir(folder.Path()).relativeFilePath(mbusPath), "<M-Bus_Network><Nodo");
    MessageRecorder rec;
    NetworkEditor ed(10);
    EXPECT_FALSE(ed.Load(mbusPath, QString()));
    EXPECT_EQ(rec.Texts().size(), 1);
}

TEST(NetworkEditorNodes, AddressChecksOfAddModifyAndPaste)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    ed.Nodes() = {Node(9, {}, 1, 5)};   // secondary address 5

    ed.Select(-1, -1);
    ed.nodePage.idPrimary = QStringLiteral("5");
    EXPECT_FALSE(ed.Add_Node()) << "primary 5 collides with secondary 5";
    EXPECT_EQ(rec.Texts(), QStringList{QStringLiteral("Error!! ID Node is already used ")});

    rec.Clear();
    EXPECT_TRUE(ed.Check_New_Node_ID(false, QStringLiteral("5"), QStringLiteral("0"))) << "paste compares the kind";
    EXPECT_FALSE(ed.Check_New_Node_ID(true, QStringLiteral("0"), QStringLiteral("5")));
    EXPECT_EQ(rec.Texts().size(), 1);

    // Modifying a node without changing its address passes.
    rec.Clear();
    ed.Select(0, -1);
    EXPECT_EQ(ed.NodeButtonText(), 764);
    ed.nodePage.description = QStringLiteral("renamed");
    EXPECT_EQ(ed.Add_Node(), 0);
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(ed.NodeText(0), QStringLiteral("ID 5 - renamed"));
    EXPECT_EQ(ed.Nodes().size(), 1u);
}

TEST(NetworkEditorNodes, AddressRangesByRadio)
{
    TempProgramFolder folder(10);
    struct Case
    {
        bool secondary;
        const char* text;
        const char* error;   // "" when accepted
    } cases[] = {
        {false, "0", ""},
        {false, "255", ""},
        {false, "256", "Error!! Primary ID Node M-Bus must be between 0 and 255 "},
        {false, "-1", "Error!! Primary ID Node M-Bus must be between 0 and 255 "},
        {false, "x", "Error!! Primary ID Node M-Bus must be between 0 and 255 "},
        {true, "99999999", ""},
        {true, "100000000", "Error!! Secondary ID Node M-Bus must be between 0 and 99999999 "},
        {true, "", "Error!! Secondary ID Node M-Bus must be between 0 and 99999999 "},
    };
    for (const Case& c : cases) {
        MessageRecorder rec;
        NetworkEditor ed(10);
        ed.Select(-1, -1);
        ed.nodePage.secondary = c.secondary;
        (c.secondary ? ed.nodePage.idSecondary : ed.nodePage.idPrimary) = QString::fromLatin1(c.text);
        (c.secondary ? ed.nodePage.idPrimary : ed.nodePage.idSecondary) = QStringLiteral("not checked");
        const bool added = ed.Add_Node().has_value();
        EXPECT_EQ(added, !*c.error) << c.text;
        EXPECT_EQ(rec.Texts().join('|'), QString::fromLatin1(c.error)) << c.text;
        if (added) {
            EXPECT_EQ(ed.Nodes()[0].Node_ID_Type, c.secondary ? 1 : 0);
        }
    }
}

TEST(NetworkEditorVariables, EntryChecksInOrder)
{
    TempProgramFolder folder(10);
    struct Case
    {
        const char* storage;
        const char* tariff;
        int dim;
        const char* length;
        const char* position;
        const char* error;
    } cases[] = {
        {"4294967295", "0", 0, "0", "1", ""},
        {"4294967296", "0", 0, "0", "1", "Error!! Storage Number must be between 0x00000000 and 0xFFFFFFFF "},
        {"-1", "0", 0, "0", "1", "Error!! Storage Number must be between 0x00000000 and 0xFFFFFFFF "},
        {"0", "1048575", 0, "0", "1", ""},
        {"0", "1048576", 0, "0", "1", "Error!! Tariff must be between 0x00000 and 0xFFFFF "},
        {"0", "0", 7, "191", "1", ""},
        {"0", "0", 7, "192", "1", "Error!! Length (Variable Len) must be between 0 and 191 "},
        {"0", "0", 0, "192", "1", ""},
        {"0", "0", 0, "0", "100", ""},
        {"0", "0", 0, "0", "0", "Error!! Variable position must be between 1 and 100 "},
        {"0", "0", 0, "0", "101", "Error!! Variable position must be between 1 and 100 "},
        {"x", "y", 7, "z", "0", "Error!! Storage Number must be between 0x00000000 and 0xFFFFFFFF "},
        {"0", "y", 7, "z", "0", "Error!! Tariff must be between 0x00000 and 0xFFFFF "},
    };
    for (const Case& c : cases) {
        MessageRecorder rec;
        NetworkEditor ed(10);
        ed.Nodes() = {Node(1)};
        ed.Select(0, -1);
        ed.varPage.storageNumber = QString::fromLatin1(c.storage);
        ed.varPage.tariff = QString::fromLatin1(c.tariff);
        ed.varPage.dimension = c.dim;
        ed.varPage.length = QString::fromLatin1(c.length);
        ed.varPage.position = QString::fromLatin1(c.position);
        const bool added = ed.Add_Var().has_value();
        EXPECT_EQ(added, !*c.error) << c.storage << " " << c.tariff << " " << c.length << " " << c.position;
        EXPECT_EQ(rec.Texts().join('|'), QString::fromLatin1(c.error));
        if (added && QLatin1String(c.storage) == QLatin1String("4294967295")) {
            EXPECT_EQ(ed.Nodes()[0].Var_List[0].Storage_Number, 4294967295u);
            ed.Select(0, 0);
            EXPECT_EQ(ed.varPage.storageNumber, QStringLiteral("4294967295"));
        }
    }
}

TEST(NetworkEditorVariables, ButtonsFollowTheSelection)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    TNodo n = Node(1, {Var(2)});
    n.Var_List_Type = 1;
    n.Var_List[0].Post_Operation = 4;
    ed.Nodes() = {n};

    ed.Select(-1, -1);
    EXPECT_FALSE(ed.Add_Var()) << "no node: nothing, no message";
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(ed.VarButtonText(), 781);
    EXPECT_EQ(ed.LayoutListType(), 0);

    ed.Select(0, -1);
    EXPECT_EQ(ed.LayoutListType(), 1);
    EXPECT_EQ(ed.varPage.position, QStringLiteral("1")) << "the page is reset for a new value";
    ed.varPage.description = QStringLiteral("second");
    EXPECT_EQ(ed.Add_Var(), 1);

    ed.Select(0, 0);
    EXPECT_EQ(ed.NodeButtonText(), 763);
    EXPECT_EQ(ed.VarButtonText(), 782);
    EXPECT_EQ(ed.varPage.postOperation, 4);
    ed.varPage.description = QStringLiteral("first");
    EXPECT_EQ(ed.Add_Var(), 0);
    EXPECT_EQ(ed.Nodes()[0].Var_List[0].Description, QStringLiteral("first"));
    EXPECT_EQ(ed.Nodes()[0].Var_List.size(), 2u);
    EXPECT_TRUE(ed.Is_Change());
}

TEST(NetworkEditorDelete, QuestionsByWhatIsSelected)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    ed.Nodes() = {Node(1, {Var(0), Var(1)}), Node(2)};

    ed.Select(0, 1);
    rec.QueueAnswer(false);
    EXPECT_FALSE(ed.Delete_Items());
    EXPECT_FALSE(ed.Is_Change());
    EXPECT_TRUE(ed.Delete_Items());
    EXPECT_EQ(ed.Nodes()[0].Var_List.size(), 1u);
    EXPECT_EQ(ed.IND_NODO(), 0);
    ed.Select(1, -1);
    EXPECT_TRUE(ed.Delete_Items());
    EXPECT_EQ(ed.Nodes().size(), 1u);
    ed.Select(-1, -1);
    EXPECT_TRUE(ed.Delete_Items());
    EXPECT_TRUE(ed.Nodes().empty());
    EXPECT_EQ(rec.Texts(), (QStringList{QStringLiteral("Are you sure to want to cancel this Variable?"),
                                        QStringLiteral("Are you sure to want to cancel this Variable?"),
                                        QStringLiteral("Are you sure to want to cancel this Node?"),
                                        QStringLiteral("Are you sure to want to cancel all Nodes?")}));
}

TEST(NetworkEditorCancel, AsksOnlyAfterAnEdit)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    ed.Nodes() = {Node(1, {Var(0)})};
    ed.Select(0, 0);
    ed.Select(-1, -1);
    EXPECT_TRUE(ed.Cancel());
    EXPECT_EQ(rec.Questions(), 0);
    ed.Select(0, -1);
    ASSERT_TRUE(ed.Add_Node());
    rec.QueueAnswer(false);
    EXPECT_FALSE(ed.Cancel());
    EXPECT_TRUE(ed.Cancel());
    EXPECT_EQ(rec.Texts().value(0), QStringLiteral("Do you want to exit without saving changes?"));
}

TEST(NetworkEditorCopy, ErrorsOfCopyAndPaste)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    ed.Nodes() = {Node(1, {Var(0)})};
    ed.Select(-1, -1);
    EXPECT_FALSE(ed.Paste_Variable());
    EXPECT_FALSE(ed.Copy_Variable());
    EXPECT_FALSE(ed.Copy_Node());
    ed.Select(0, -1);
    EXPECT_FALSE(ed.Copy_Variable());
    ed.Select(0, 0);
    ASSERT_TRUE(ed.Copy_Variable());
    ed.Select(-1, -1);
    EXPECT_FALSE(ed.Paste_Variable());
    EXPECT_EQ(rec.Texts(), (QStringList{QStringLiteral("Error! Copy a Variable before"),
                                        QStringLiteral("Error! Select a Variable from a Node"),
                                        QStringLiteral("Error! Select a Node"),
                                        QStringLiteral("Error! Select a Variable"),
                                        QStringLiteral("Error! Select a Node where copy the Variable")}));
}

TEST(NetworkEditorCopy, APastedVariableKeepsTheCopiedFieldsOnly)
{
    TempProgramFolder folder(21);
    MessageRecorder rec;
    NetworkEditor ed(21);
    TVariabile v = Var(7);
    v.Length = 12;
    v.Storage_Number = 4000000000u;
    v.Tariff = 0xFFFFF;
    v.VIF_ASCII = QStringLiteral("kWh");
    v.Post_Operation = 3;
    v.Var_CommName = QStringLiteral("public");
    v.Var_OnTimer = true;
    v.Var_Timer = 9;
    ed.Nodes() = {Node(1, {v}), Node(2)};
    ed.Select(0, 0);
    ASSERT_TRUE(ed.Copy_Variable());
    ASSERT_TRUE(ed.Delete_Items());
    ed.Select(1, -1);
    ASSERT_TRUE(ed.Paste_Variable());
    ASSERT_TRUE(ed.Paste_Variable());
    const TVariabile& p = ed.Nodes()[1].Var_List.at(1);
    EXPECT_EQ(p.Length, 12);
    EXPECT_EQ(p.Storage_Number, 4000000000u);
    EXPECT_EQ(p.Tariff, 0xFFFFF);
    EXPECT_EQ(p.VIF_ASCII, QStringLiteral("kWh"));
    EXPECT_EQ(p.Post_Operation, 0);
    EXPECT_TRUE(p.Var_CommName.isEmpty());
    EXPECT_FALSE(p.Var_OnTimer);
    EXPECT_EQ(p.Var_Timer, 0);
    EXPECT_EQ(rec.Texts(), QStringList{QStringLiteral("Are you sure to want to cancel this Variable?")});
}

TEST(NetworkEditorCopy, ANodePastedTwiceGetsItsOwnAddressesAndValues)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    NetworkEditor ed(10);
    TVariabile a = Var(0), b = Var(1), c = Var(2);
    a.Description = QStringLiteral("a");
    b.Description = QStringLiteral("b");
    c.Description = QStringLiteral("c");
    TNodo src = Node(3, {a, b, c});
    src.NS_CommName = QStringLiteral("x");
    src.Cut_After = 4;
    ed.Nodes() = {src};
    ed.Select(0, 2);   // a value names its node
    ASSERT_TRUE(ed.Copy_Node());
    ed.Nodes()[0].Var_List.clear();   // later edits leave the buffer alone
    ASSERT_TRUE(ed.HasCopyNode());
    ASSERT_TRUE(ed.Check_New_Node_ID(false, QStringLiteral("7"), QStringLiteral("1")));
    ASSERT_TRUE(ed.Paste_Node(false, QStringLiteral("7"), QStringLiteral("1")));
    ASSERT_TRUE(ed.Check_New_Node_ID(true, QStringLiteral("7"), QStringLiteral("8")));
    ASSERT_TRUE(ed.Paste_Node(true, QStringLiteral("7"), QStringLiteral("8")));
    ASSERT_EQ(ed.Nodes().size(), 3u);
    for (int i : {1, 2}) {
        const TNodo& n = ed.Nodes()[i];
        ASSERT_EQ(n.Var_List.size(), 3u);
        EXPECT_EQ(n.Var_List[0].Description + n.Var_List[1].Description + n.Var_List[2].Description, QStringLiteral("abc"));
        EXPECT_EQ(n.Cut_After, 4);
        EXPECT_TRUE(n.NS_CommName.isEmpty());
    }
    EXPECT_EQ(ed.NodeText(1), QStringLiteral("ID 7 - n3"));
    EXPECT_EQ(ed.NodeText(2), QStringLiteral("ID 8 - n3"));
    EXPECT_FALSE(ed.Check_New_Node_ID(false, QStringLiteral("7"), QStringLiteral("1")));
    EXPECT_FALSE(ed.Check_New_Node_ID(false, QStringLiteral("256"), QStringLiteral("1")));
    EXPECT_FALSE(ed.Check_New_Node_ID(true, QStringLiteral("1"), QStringLiteral("100000000")));
    EXPECT_EQ(rec.Texts(), (QStringList{QStringLiteral("Error!! ID Node is already used "),
                                        QStringLiteral("Error!! Primary ID Node M-Bus must be between 0 and 255 "),
                                        QStringLiteral("Error!! Secondary ID Node M-Bus must be between 0 and 99999999 ")}));
}

TEST(NetworkEditorLayout, RowsOfBothLayoutsAndDeviceTypes)
{
    auto names = [](const std::vector<PageRow>& rows) {
        QStringList shown;
        for (const PageRow& r : rows)
            if (r.visible)
                shown << QStringLiteral("%1@%2").arg(QLatin1String(r.name)).arg(r.y);
        return shown.join(' ').toStdString();
    };
    EXPECT_EQ(names(Sposta_Oggetti_Var(0, 10)),
              "CB_Var_ToD@56 E_VIF_ASCII@80 CB_Var_FF@104 CB_Var_Dim@128 E_Length@152 CB_Var_Unit@176 CB_Scale@200 "
              "E_Sto_Num@224 E_Tariff@248 CB_VIFE@272 CB_BCDtoINT@296 CB_SWAP@320 CB_TP_MR@344 CB_PostOpe@368 "
              "btn_Add_Var@391");
    EXPECT_EQ(names(Sposta_Oggetti_Var(1, 10)),
              "CB_Var_Dim@56 E_Length@80 CB_Scale@104 CB_BCDtoINT@128 CB_SWAP@152 CB_TP_MR@176 CB_PostOpe@200 "
              "E_Position@224 btn_Add_Var@247");
    EXPECT_EQ(names(Sposta_Oggetti_Var(0, 21)),
              "CB_Var_ToD@56 E_VIF_ASCII@80 CB_Var_FF@104 CB_Var_Dim@128 E_Length@152 CB_Var_Unit@176 E_Sto_Num@200 "
              "E_Tariff@224 CB_VIFE@248 CB_PostOpe@272 btn_Add_Var@295");
    EXPECT_EQ(names(Sposta_Oggetti_Var(1, 21)), "CB_Var_Dim@56 E_Length@80 CB_PostOpe@104 E_Position@128 btn_Add_Var@151");
    const std::string t21 = names(Node_Page_Rows(21));
    EXPECT_TRUE(t21.ends_with("CB_SND_NKE@160 CB_Reset_App@184 CB_Var_Type@208 L_Cut_After@232 CB_Cut_After@227 btn_Add_Node@263"))
        << t21;
    EXPECT_EQ(t21.find("CB_Swap_IN"), std::string::npos);
    EXPECT_NE(names(Node_Page_Rows(10)).find("CB_Swap_IN@160 CB_BCDtoINT_IN@184 CB_SND_NKE@208"), std::string::npos);
}
