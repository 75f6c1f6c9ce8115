// The SNMP MIB file: the whole text of the described example, the enabled
// rows, the refusals of names given twice, smilint and snmptranslate on the
// results, and the save flow.
#include "generator_fixture.h"

#include "generators/maker_data.h"
#include "generators/mib_writer.h"
#include "language.h"

#include <QTemporaryDir>

namespace {

// The module of the example: read rows temp (Int), x (disabled), an empty
// description (String); write row setpoint (Int). @...@ come from the maker.
const char* const kExampleMib = R"MIB(GATEWAY DEFINITIONS ::= BEGIN
IMPORTS
       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE
         FROM SNMPv2-SMI
         DisplayString, TimeStamp
         FROM SNMPv2-TC
         enterprises
         FROM RFC1155-SMI;

identity MODULE-IDENTITY
    LAST-UPDATED "201701310000Z"
    ORGANIZATION "@WEB@"
    CONTACT-INFO
	 "@STREET@
    @TOWN@, @PROVINCE@
    @COUNTRY@
    email:    @MAIL@"
    DESCRIPTION
	"MIB objects for agent module "
    REVISION     "201701310000Z"
    DESCRIPTION
	"Corrected notification "
    REVISION     "200202060000Z"
    DESCRIPTION
	"First draft"
    ::= { keltrona 2 }
keltrona        OBJECT IDENTIFIER ::= { enterprises @PEN@ }
gateway OBJECT IDENTIFIER::= { keltrona 1 }
application OBJECT IDENTIFIER::= { gateway 1 }
data OBJECT IDENTIFIER::= { application 1 }
hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION "" ::= { data 1}
countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION "" ::= { data 2}
countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION "" ::= { data 3}
bufferin OBJECT IDENTIFIER::= { data 4 }
bufferinblk1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.1" ::= { bufferin 1 }
bufferinblk2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.2" ::= { bufferin 2 }
bufferinblk3 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.3" ::= { bufferin 3 }
bufferinblk4 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.4" ::= { bufferin 4 }
bufferinblk5 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.5" ::= { bufferin 5 }
bufferinblk6 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.6" ::= { bufferin 6 }
bufferinblk7 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.7" ::= { bufferin 7 }
bufferinblk8 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "data block n.8" ::= { bufferin 8 }
 bufferinval OBJECT IDENTIFIER::= { bufferin 9 }
temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION "temp" ::= { bufferinval 1 }
bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "" ::= { bufferinval 2 }
bufferout OBJECT IDENTIFIER::= { data 5 }
bufferoutblk1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.1" ::= { bufferout 1 }
bufferoutblk2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.2" ::= { bufferout 2 }
bufferoutblk3 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.3" ::= { bufferout 3 }
bufferoutblk4 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.4" ::= { bufferout 4 }
bufferoutblk5 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.5" ::= { bufferout 5 }
bufferoutblk6 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.6" ::= { bufferout 6 }
bufferoutblk7 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.7" ::= { bufferout 7 }
bufferoutblk8 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION "data block n.8" ::= { bufferout 8 }
 bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }
setpoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION "setpoint" ::= { bufferoutval 1 }
traps OBJECT IDENTIFIER::= { application 2 }
 trapsval OBJECT IDENTIFIER::= { traps 1 }
trapval1 NOTIFICATION-TYPE OBJECTS { temp } STATUS current DESCRIPTION "temp" ::= { trapsval 1 }
trapval2 NOTIFICATION-TYPE OBJECTS { bufferinval2 } STATUS current DESCRIPTION "" ::= { trapsval 2 }
END
)MIB";

QStringList ExpectedExample()
{
    namespace m = gen::maker;
    QString text = QString::fromLatin1(kExampleMib);
    text.replace("@WEB@", m::WebAddress).replace("@STREET@", m::Street).replace("@TOWN@", m::PostalCodeAndTown);
    text.replace("@PROVINCE@", m::Province).replace("@COUNTRY@", m::Country).replace("@MAIL@", m::Email);
    text.replace("@PEN@", QString::number(m::EnterpriseNumber));
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

const Attrs kReadRow = {{"Enable", "Y"},       {"Community_Name", "public"}, {"Type", "Int"},    {"On_Change", "N"},
                        {"On_Command", "N"},   {"On_Timer", "N"},           {"Time", ""},       {"Position", "0"},
                        {"Bit", "0"},          {"NumBits", "16"},           {"Description", "temp"},
                        {"IP_Address", "127.0.0.1"}, {"Conversion", "None"}, {"Mnemonic", ""}};
const Attrs kWriteRow = {{"Enable", "Y"},   {"Community_Name", "public"}, {"Type", "Int"},
                         {"Position", "2"}, {"Bit", "0"},                 {"NumBits", "16"},
                         {"Description", "setpoint"}, {"Conversion", "None"}, {"Mnemonic", ""}};

QByteArray Read(const char* attr, const char* value)
{
    return RowXmlWith(kReadRow, attr, value);
}

QByteArray Write(const char* attr, const char* value)
{
    return RowXmlWith(kWriteRow, attr, value);
}

QByteArray TrapXml(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("SNMP_Trap", {{"SNMP_Trap_Read", read}, {"SNMP_Trap_Write", write}});
}

const QByteArray kExampleTraps = TrapXml(
    {Read("Description", "temp"), RowXml({{"Enable", "N"}, {"Community_Name", "public"}, {"Type", "Int"}, {"Description", "x"}}),
     RowXml({{"Enable", "Y"}, {"Community_Name", "public"}, {"Type", "String"}, {"Description", ""}})},
    {Write("Description", "setpoint")});

gen::Output MakeFrom(const QByteArray* traps)
{
    GenProject project(20);
    if (traps)
        project.WriteFile(File_SNMP_Trap, *traps);
    return gen::Make_MIB_From_Project(File_SNMP_Trap);
}

// Runs smilint at level 3 and snmptranslate -On for the names on a module;
// the folder of the base modules is the stand-ins' unless the installed
// packages carry SNMPv2-SMI.
class MibTools
{
public:
    explicit MibTools(const QByteArray& module)
    {
        m_base = QStringLiteral(ORVANO_SOURCE_DIR "/tests/generators/mib_base");
        for (const char* dir : {"/usr/share/snmp/mibs", "/usr/share/snmp/mibs/ietf", "/usr/share/mibs/ietf"})
            if (QFileInfo::exists(QLatin1String(dir) + "/SNMPv2-SMI") && QFileInfo::exists(QLatin1String(dir) + "/SNMPv2-TC")
                && QFileInfo::exists(QLatin1String(dir) + "/RFC1155-SMI"))
                m_base = QLatin1String(dir);
        QFile f(m_dir.path() + "/GATEWAY");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(module);
    }

    // What smilint reports at level 3 (empty when nothing).
    QString Lint() const
    {
        const ToolRun r = RunTool(Tool("smilint"), {"-l", "3", m_dir.path() + "/GATEWAY"}, {"SMIPATH=" + m_base});
        return r.exitCode == 0 ? r.output.trimmed() : QStringLiteral("exit %1: %2").arg(r.exitCode).arg(r.output);
    }

    // The numeric OID of each name, one per line.
    QStringList Oids(const QStringList& names) const
    {
        QStringList args = {"-M", m_base + ":" + m_dir.path(), "-m", "GATEWAY", "-On"};
        for (const QString& n : names)
            args << "GATEWAY::" + n;
        const ToolRun r = RunTool(Tool("snmptranslate"), args,
                                  {"SNMPCONFPATH=" + m_dir.path(), "SNMP_PERSISTENT_DIR=" + m_dir.path(), "HOME=" + m_dir.path()});
        EXPECT_EQ(r.exitCode, 0) << r.output.toStdString();
        QStringList oids;
        for (const QString& line : r.output.split(QLatin1Char('\n')))
            if (line.trimmed().startsWith(QLatin1Char('.')))
                oids << line.trimmed();
        return oids;
    }

private:
    QTemporaryDir m_dir;
    QString m_base;
};

QString Oid(const char* tail)
{
    return QStringLiteral(".1.3.6.1.4.1.%1.%2").arg(gen::maker::EnterpriseNumber).arg(QLatin1String(tail));
}

TEST(Mib, TheExampleIsTheWholeTextAndPassesTheTools)
{
    const gen::Output out = MakeFrom(&kExampleTraps);
    ASSERT_TRUE(out.Ok()) << out.error.toStdString();
    EXPECT_EQ(CrLfLines(out.bytes), ExpectedExample());
    const MibTools tools(out.bytes);
    EXPECT_EQ(tools.Lint(), QString());
    EXPECT_EQ(tools.Oids({"temp", "bufferinval2", "setpoint", "trapval1", "trapval2", "hellostring", "bufferoutblk8",
                          "identity"}),
              (QStringList{Oid("1.1.1.4.9.1"), Oid("1.1.1.4.9.2"), Oid("1.1.1.5.9.1"), Oid("1.1.2.1.1"),
                           Oid("1.1.2.1.2"), Oid("1.1.1.1"), Oid("1.1.1.5.8"), Oid("2")}));
}

TEST(Mib, WithoutEnabledRowsTheListsAreLeftOut)
{
    const QByteArray noneEnabled = TrapXml({Read("Enable", "N")}, {Write("Enable", "n")});
    for (const QByteArray* traps : {&noneEnabled, static_cast<const QByteArray*>(nullptr)}) {
        const gen::Output out = MakeFrom(traps);
        ASSERT_TRUE(out.Ok());
        const QStringList lines = CrLfLines(out.bytes);
        for (const auto& [line, next] : {std::pair{" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }",
                                                   "bufferout OBJECT IDENTIFIER::= { data 5 }"},
                                         {" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }",
                                          "traps OBJECT IDENTIFIER::= { application 2 }"},
                                         {" trapsval OBJECT IDENTIFIER::= { traps 1 }", "END"}}) {
            const int at = lines.indexOf(line);
            ASSERT_GE(at, 0);
            EXPECT_EQ(lines.value(at + 1), next);
        }
        const MibTools tools(out.bytes);
        EXPECT_EQ(tools.Lint(), QString());
        EXPECT_EQ(tools.Oids({"countout"}), QStringList{Oid("1.1.1.3")});
    }
}

TEST(Mib, EnabledRowsAndTypes)
{
    struct Case
    {
        const char* what;
        QByteArray row;
        const char* line;   // nullptr: the row is not in the module
    };
    const Case cases[] = {
        {"y counts", Read("Enable", "y"), "temp OBJECT-TYPE SYNTAX INTEGER"},
        {"blank before Y", Read("Enable", " Y"), nullptr},
        {"no Enable", Read("Enable", nullptr), nullptr},
        {"int in any case", Read("Type", "iNT"), "temp OBJECT-TYPE SYNTAX INTEGER"},
        {"no Type", Read("Type", nullptr), "temp OBJECT-TYPE SYNTAX OCTET STRING"},
        {"String", Read("Type", "String"), "temp OBJECT-TYPE SYNTAX OCTET STRING"},
        {"no Description", Read("Description", nullptr), "bufferinval1 OBJECT-TYPE SYNTAX INTEGER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray traps = TrapXml({c.row}, {});
        const gen::Output out = MakeFrom(&traps);
        ASSERT_TRUE(out.Ok()) << out.error.toStdString();
        const QStringList lines = CrLfLines(out.bytes);
        EXPECT_EQ(lines.filter(" ::= { bufferinval 1 }").size(), c.line ? 1 : 0);
        if (c.line) {
            EXPECT_TRUE(lines.filter(" ::= { bufferinval 1 }").value(0).startsWith(c.line));
        }
    }
}

TEST(Mib, RefusesANameGivenTwiceOrNotAName)
{
    struct Case
    {
        const char* what;
        QList<QByteArray> read, write;
        QString message;
    };
    const Case cases[] = {
        {"equal descriptions", {Read("Description", "temp1")}, {Write("Description", "temp1")}, Lang(1167) + "temp1"},
        {"two empty descriptions are different names", {}, {}, QString()},
        {"a fixed name", {}, {Write("Description", "countin")}, Lang(1167) + "countin"},
        {"an imported name", {Read("Description", "enterprises")}, {}, Lang(1167) + "enterprises"},
        {"a generated object name", {Read("Description", "bufferinval2"), Read("Description", "")}, {},
         Lang(1167) + "bufferinval2"},
        {"a notification name", {Read("Description", "trapval1")}, {}, Lang(1167) + "trapval1"},
        {"a generated name on the other side", {Read("Description", ""), Read("Description", "")},
         {Write("Description", "bufferinval2")}, Lang(1167) + "bufferinval2"},
        {"upper-case first letter", {Read("Description", "Temp")}, {}, Lang(1168) + "Temp"},
        {"a blank", {}, {Write("Description", "a b")}, Lang(1168) + "a b"},
        {"a quote", {Read("Description", "te&quot;mp")}, {}, Lang(1168) + "te\"mp"},
        {"65 characters", {Read("Description", QByteArray(65, 'a').constData())}, {}, Lang(1168) + QString(65, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QList<QByteArray> read = c.read, write = c.write;
        if (c.message.isEmpty()) {
            read = {Read("Description", ""), Read("Description", "")};
            write = {Write("Description", "")};
        }
        GenProject project(20);
        project.WriteFile(File_SNMP_Trap, TrapXml(read, write));
        MessageRecorder messages;
        const QString path = project.Folder() + "/x.mib";
        project.WriteFile(path, "old");
        SaveFileDialog dialog;
        ChooserAnswer chooser(path);
        Save_MIB(dialog);
        if (c.message.isEmpty()) {
            EXPECT_EQ(messages.Texts(), QStringList{Lang(1103)});
            EXPECT_EQ(MibTools(ReadBytes(path)).Lint(), QString());
            continue;
        }
        EXPECT_EQ(messages.Texts(), (QStringList{Lang(1103), c.message}));
        EXPECT_EQ(ReadBytes(path), "old");
    }
}

TEST(Mib, MoreThan256EnabledRows)
{
    QList<QByteArray> read;
    for (int i = 0; i < 300; ++i)
        read << Read("Description", QByteArray("v" + QByteArray::number(i)).constData());
    const QByteArray traps = TrapXml(read, Rows(300, Write("Description", "")));
    const gen::Output out = MakeFrom(&traps);
    ASSERT_TRUE(out.Ok());
    const MibTools tools(out.bytes);
    EXPECT_EQ(tools.Lint(), QString());
    EXPECT_EQ(tools.Oids({"v299", "bufferoutval300", "trapval300"}),
              (QStringList{Oid("1.1.1.4.9.300"), Oid("1.1.1.5.9.300"), Oid("1.1.2.1.300")}));
}

TEST(Mib, SaveFlow)
{
    GenProject project(18);
    project.WriteFile(File_SNMP_Trap, kExampleTraps);
    const QString target = project.Folder() + "/gateway.mib";
    SaveFileDialog dialog;
    dialog.Filter = "Management Information Base (*.mib)|*.mib";
    {
        MessageRecorder messages;
        ChooserAnswer chooser(target);
        Save_MIB(dialog);
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(chooser.initialDir, ProjectPath);
        EXPECT_EQ(CrLfLines(ReadBytes(target)), ExpectedExample());
        EXPECT_EQ(SNMPReadDescList, (QStringList{"temp", ""}));
        EXPECT_EQ(SNMPWriteDescList, QStringList{"setpoint"});
    }
    // A broken table is neither read nor reported when the user keeps the old file or cancels.
    project.WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read>");
    project.WriteFile(target, "old");
    {
        MessageRecorder messages;
        messages.QueueAnswer(false);
        ChooserAnswer chooser(target);
        Save_MIB(dialog);
        EXPECT_EQ(messages.Texts(), QStringList{Lang(1103)});
    }
    {
        MessageRecorder messages;
        ChooserAnswer chooser{QString()};
        Save_MIB(dialog);
        EXPECT_TRUE(messages.Empty());
    }
    EXPECT_EQ(ReadBytes(target), "old");
    // Yes: the parser's message, nothing written.
    {
        MessageRecorder messages;
        ChooserAnswer chooser(target);
        Save_MIB(dialog);
        ASSERT_EQ(messages.Texts().size(), 2);
        EXPECT_TRUE(messages.Texts()[1].contains("SNMP_Trap.xml"));
        EXPECT_EQ(ReadBytes(target), "old");
    }
    // A table without its write section, and a path that cannot be written.
    const std::pair<QByteArray, QString> failures[] = {
        {TableXml("SNMP_Trap", {{"SNMP_Trap_Read", {}}}), target},
        {kExampleTraps, project.Folder() + "/no/such/x.mib"},
    };
    for (const auto& [traps, path] : failures) {
        project.WriteFile(File_SNMP_Trap, traps);
        MessageRecorder messages;
        ChooserAnswer chooser(path);
        Save_MIB(dialog);
        ASSERT_FALSE(messages.Texts().isEmpty());
        EXPECT_TRUE(messages.Texts().last().contains(path == target ? "SNMP_Trap_Write" : "no/such/x.mib"))
            << messages.Texts().last().toStdString();
    }
    EXPECT_EQ(ReadBytes(target), "old");
}

} // namespace
